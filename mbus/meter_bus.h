#pragma once
// "M-Bus Network": the editor of the project's M_Bus.xml. A tree of the nodes and their
// variables on the left, the "Nodes" and "Variables" pages on the right; add, modify and
// delete, copy and paste through the "New Node ID" dialog, and the checks that keep
// addresses unique and Modbus registers free across the network. The tree's root has one
// item per node of Nodi_List and each node item one per variable, in list order.
#include "mbus/mbus_network.h"

#include <QComboBox>
#include <QDialog>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;
class TDazPageControl;
class TDazTabSheet;
class TFNewIDNode;
class TLbButton;

// A combo box whose drop-down list may be wider than itself; the list then opens with its
// right edge on the combo box's right edge, so it grows to the left.
class TWideComboBox : public QComboBox
{
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;
};

class TFMeter_Bus : public QDialog
{
    Q_OBJECT
public:
    explicit TFMeter_Bus(QWidget *parent = nullptr);
    ~TFMeter_Bus() override;

    void Set_Lang();
    void FormShow();
    void TWClick();
    void Aggiorna_Label();
    void CB_MBus_TypeChange();
    void Sposta_Oggetti_Var(int var_list_type);
    void CB_Var_ToDChange();
    void CB_Var_DimChange();
    void E_TP_YearChange();
    void btn_Add_NodeClick();
    void btn_Add_VarClick();
    void btn_Delete_ItemClick();
    void LbButton2Click();   // OK
    void LbButton4Click();   // Cancel
    void Btn_ImportNetClick();
    void CopyVariable1Click();
    void PasteVariable1Click();
    void CopyNode1Click();
    void PasteNode1Click();

    // Checks: each failure shows its text in an error dialog.
    bool Controllo_Dati_New_Nodo();
    bool Controllo_Dati_New_Var(bool NewVar);
    bool Check_Node_ID(int ID, int ID_Type);
    bool Check_Node_ID2(int ID, int ID_Type);
    // True when a register is in use (and the message was shown).
    bool Check_Registers(int R, int S, int T, bool NewVar);

    // Shows the "New Node ID" dialog modally; tests put a script in its place.
    std::function<int(TFNewIDNode &dialog)> Run_New_ID;

    // State (names as the editor's own).
    UMeter_Bus::TNodi_List Nodi_List;
    QTreeWidgetItem *NODE_ORIG = nullptr;
    QTreeWidgetItem *NODE_ID = nullptr;
    QTreeWidgetItem *SELECT_NODE = nullptr;
    int IND_NODO = -1;
    int IND_VAR = -1;
    std::unique_ptr<UMeter_Bus::TVariabile> Copy_Var;
    std::unique_ptr<UMeter_Bus::TNodo> Copy_Node;
    bool Is_Change = false;
    // The last load stopped with an error: OK asks before writing what was read.
    bool Load_Incomplete = false;

    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QTreeWidget *TW;
    QMenu *PopupMenu1;
    QAction *CopyVariable1, *PasteVariable1, *CopyNode1, *PasteNode1, *DeleteItem1;
    TDazPageControl *DazPageControl1;
    TDazTabSheet *DazTabSheet1;
    TDazTabSheet *DazTabSheet2;
    TLbButton *Btn_OK, *Btn_Cancel, *Btn_ImportNet;

    // Nodes page.
    QCheckBox *CB_Node_En;
    QLabel *L_Node_Desc;
    QLineEdit *E_New_Node_Desc;
    QLabel *L_MBus_Type;
    QComboBox *CB_MBus_Type;
    QRadioButton *RB_ID_Primary, *RB_ID_Secondary;
    QLineEdit *E_New_Node_ID_Pri, *E_New_Node_ID_Sec;
    QCheckBox *CB_Node_State;
    QLineEdit *E_Node_State;
    QCheckBox *CB_Ident_Num;
    QLineEdit *E_Iden;
    QCheckBox *CB_BCDtoINT_IN;
    QLabel *L_Swap_IN;
    QComboBox *CB_Swap_IN;
    QCheckBox *CB_SND_NKE, *CB_Reset_App;
    QLabel *L_Var_Type;
    QComboBox *CB_Var_Type;
    QLabel *L_Cut_After, *L_Frames;
    QComboBox *CB_Cut_After;
    QCheckBox *CB_Manu_Spec_Data;
    QLineEdit *E_Manu_Spec_Data;
    QLabel *L_MSD_Length, *L_MSD_Offset;
    QLineEdit *E_MSD_Length, *E_MSD_Offset;
    QCheckBox *CB_Access_Number;
    QLineEdit *E_Access_Number;
    TLbButton *btn_Add_Node;
    // The wireless panel.
    QFrame *P_wMBus_Node;
    QLabel *L_wMBus_ManID, *L_wMBus_Add, *L_wMBus_Ver, *L_wMBus_DevType;
    QLineEdit *E_wMBus_ManID, *E_wMBus_Add, *E_wMBus_Ver, *E_wMBus_DevType;
    QCheckBox *CB_wMBus_EnKey;
    std::array<QLabel *, 16> L_wMBus_K{};
    std::array<QLineEdit *, 16> E_wMBus_K{};   // E_wMBus_K1 .. E_wMBus_K16
    QCheckBox *CB_wMBus_Node_State, *CB_wMBus_Ident_Num, *CB_wMBus_RSSI, *CB_wMBus_Access_Number;
    QLineEdit *E_wMBus_NodeState, *E_wMBus_Ident, *E_wMBus_RSSI, *E_wMBus_Access_Number;
    QCheckBox *CB_wMBus_Conv_BCD;
    QLabel *L_wMBus_Swap, *L_wMBus_VarList;
    QComboBox *CB_wMBus_Swap_Ident, *CB_wMBus_VarList;

    // Variables page.
    QCheckBox *CB_Var_En;
    QLabel *L_Var_Desc;
    QLineEdit *E_New_Var_Desc;
    QLabel *L_Var_ToD;
    TWideComboBox *CB_Var_ToD;
    QLabel *L_VIF_ASCII;
    QLineEdit *E_VIF_ASCII;
    QLabel *L_Var_FF;
    QComboBox *CB_Var_FF;
    QLabel *L_Var_Dim;
    QComboBox *CB_Var_Dim;
    QLabel *L_Length;
    QLineEdit *E_Length;
    QLabel *L_Var_Unit;
    QComboBox *CB_Var_Unit;
    QLabel *L_Sto_Num, *L_Tariff;
    QLineEdit *E_Sto_Num, *E_Tariff;
    QLabel *L_VIFE;
    TWideComboBox *CB_VIFE;
    QLabel *L_Var_MR;
    QLineEdit *E_Var_MR;
    QGroupBox *GroupBox4;
    QCheckBox *CB_TP_MR;
    QLabel *L_TP_Year, *L_TP_Month, *L_TP_Day, *L_TP_Hour, *L_TP_Min, *L_TP_Sec;
    QLineEdit *E_TP_Year;
    QLineEdit *ST_TP_Month, *ST_TP_Day, *ST_TP_Hour, *ST_TP_Min, *ST_TP_Sec;
    QCheckBox *CB_BCDtoINT, *CB_Float, *CB_Force_Int32;
    QLabel *L_PostOpe;
    QComboBox *CB_PostOpe;
    QLabel *L_Position;
    QLineEdit *E_Position;
    TLbButton *btn_Add_Var;

    // The VIFE names in code order (152).
    static const QStringList &VIFE_Names();
    // A tree item's text for a node or a variable.
    static QString Node_Text(const UMeter_Bus::TNodo &n);
    static QString Var_Text(const UMeter_Bus::TVariabile &v);

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    void Build_Nodes_Page();
    void Build_Variables_Page();
    void Nodes_Move_Elements();
    void Select_Width_ComboBox(QComboBox *cb);
    void Fill_Node_Page(const UMeter_Bus::TNodo &n);
    void Fill_Var_Page(const UMeter_Bus::TVariabile &v);
    void Reset_Var_Page();
    // The page's values as a node or variable; a field that must be a number and is not
    // throws EConvertError, leaving the target as it was.
    void Node_From_Page(UMeter_Bus::TNodo &n) const;
    void Var_From_Page(UMeter_Bus::TVariabile &v) const;
    void Release_Nodes();
    void Rebuild_Root();
    QTreeWidgetItem *Add_Node_Item(const UMeter_Bus::TNodo &n);
    void Show_Conversion_Error(const std::exception &e);
    TFNewIDNode &New_ID_Dialog();
    void Paste_Var_Rows(TFNewIDNode &d, int group, const UMeter_Bus::TVariabile &v);

    bool filling_ = false;   // tree rebuilds do not run the selection handling
    TFNewIDNode *own_new_id_ = nullptr;
};

extern TFMeter_Bus *FMeter_Bus;

// Every field of src but its variables.
void Copy_Node_Fields(UMeter_Bus::TNodo &dst, const UMeter_Bus::TNodo &src);
