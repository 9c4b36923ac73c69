#pragma once
// The IEC 61850 client editor: SCL files of the servers copied into the project's
// ICD_Catalog, each decoded into its device model and shown as a tree; data attributes and
// data sets picked from the tree become rows of the variable and data-set tables, saved in
// IEC_61850_Client.xml. Rows come only from the tree: there are no row buttons.
#include "editors/building/iec_client_decode.h"

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <memory>
#include <vector>

class QFrame;
class QLabel;
class QListWidget;
class QSplitter;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TDazColumnGrid;
class TDazStringGrid;
class TLbButton;

namespace UIEC_61850_Access {

// The settings of one data-set member.
class TDataSet_DA : public TObject
{
public:
    TIEC_DA *Select_DA = nullptr;   // in the device model, not owned
    QString Position;
    QString bitAddress;
    QString conversion;
    QString multFactor;
    QString Mnemonic;
};

// One data set chosen for the client.
class TDataSet : public TObject
{
public:
    TIEC_DataSet *Select_DataSet = nullptr;   // none when the catalog no longer has it
    std::vector<std::unique_ptr<TDataSet_DA>> List_DAs;
};

} // namespace UIEC_61850_Access

// Column enumerators are scoped: other editors name their columns alike.
namespace IEC61850Cols {
// Real columns of ACG_DA.
enum TIEC_DA_Col
{
    DA_N, DA_Index, DA_bType, DA_fc, DA_Reference, DA_StartByte, DA_NumByte, DA_IPAddress, DA_Port,
    DA_OnChange, DA_OnCMD, DA_OnTimer, DA_Time, DA_Position, DA_StartBit, DA_ReadWrite, DA_Convertion,
    DA_MoltFact, DA_Mnemonic, DA_Col_Count
};
enum TIEC_DS_Col
{
    DS_N, DS_Index, DS_Reference, DS_GooseName, DS_EnGoose, DS_IPAddress, DS_Port, DS_Time, DS_Mnemonic,
    DS_Col_Count
};
enum TIEC_DSV_Col
{
    DSV_N, DSV_bType, DSV_Reference, DSV_Position, DSV_StartBit, DSV_Convertion, DSV_MultFact, DSV_Mnemonic,
    DSV_Col_Count
};
}   // namespace IEC61850Cols
using IEC61850Cols::TIEC_DA_Col;
using IEC61850Cols::TIEC_DS_Col;
using IEC61850Cols::TIEC_DSV_Col;

// The check of one row of ACG_DA (cells of every real column), numbers with the given
// decimal separator: the text after "Error row n", empty when the row passes.
QString IEC_61850_Check_Row(const QStringList &cells, QChar Separator);

class TFIEC_61850_Access : public QDialog
{
    Q_OBJECT
public:
    explicit TFIEC_61850_Access(QWidget *parent = nullptr);
    ~TFIEC_61850_Access() override;

    int exec() override;   // FormShow, then the modal loop
    void FormShow();
    void Set_Lang();
    void Btn_OKClick();
    bool Controllo_dati();
    void Btn_Add_IEC_DeviceClick();
    void Btn_Remove_IEC_DeviceClick();
    void LB_IEC_DevicesClick();
    void TV_IEC_DeviceClick();
    void Btn_AddVarClick();
    void Btn_RemoveVarClick();
    void ClickCell(TDazStringGrid *Sender, int ARow, int ACol);
    void ACG_DS_VarsSelectCell(int ACol, int ARow);
    void ACG_DS_VarsEditCellDone(int ACol, int ARow);
    void ACG_DAGridHint(TDazStringGrid *Sender, int ARow, int ACol, QString &hintstr);

    void Show_IEC_Devices();
    void Show_Tree_IEC_Device(TIEC_Device &dev);
    // The members of the data set in row Row of its grid (the current row when -1).
    void Show_DataSet_DAs(int Row = -1);
    void Set_Start_Num_Byte();
    TIEC_DataSet *Get_DataSet(int Index, const QString &reference) const;

    // The catalog folder of the current project, with its trailing separator.
    static QString Catalog_Dir();

    std::vector<std::unique_ptr<TIEC_Device>> List_IEC_Dev;
    QTreeWidgetItem *NODE_ORIG = nullptr;
    TIEC_DA *Selected_IEC_DA = nullptr;
    TIEC_DataSet *Selected_IEC_DS = nullptr;
    QStringList Hint;
    std::vector<std::unique_ptr<UIEC_61850_Access::TDataSet>> List_DataSet;
    int DataSet_Row_Select = 0;
    // Image of each tree level: device, logical device, logical node, data object,
    // attribute, data set.
    QIcon IL_IEC[6];

    QFrame *P_Title;
    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QFrame *P_Button;
    TLbButton *Btn_OK, *Btn_Cancel, *Btn_AddVar, *Btn_RemoveVar;
    QWidget *PDevIEC, *PDevIECList, *PDevIECTree, *PTable;
    TLbButton *Btn_Add_IEC_Device, *Btn_Remove_IEC_Device;
    QListWidget *LB_IEC_Devices;
    QTreeWidget *TV_IEC_Device;
    QSplitter *Splitter1, *Splitter2, *Splitter3;
    QTabWidget *PC_DA_DataSet;
    QWidget *TS_DA, *TS_DataSet, *P_DataSet_List, *P_DataSet_Vars_List;
    TDazColumnGrid *ACG_DA, *ACG_DataSet, *ACG_DS_Vars;

protected:
    void reject() override;

private:
    void Clear_All();
    void Load_File();
    // Reuses the single empty data row (its Index cell empty) or appends one; the row.
    static int New_Row(TDazColumnGrid &grid);
    static void Remove_Row(TDazColumnGrid &grid, int row, int cols);
    static bool Has_Rows(TDazColumnGrid &grid);
    void Show_Tree_Level(TIEC_DO &d, QTreeWidgetItem *parent);
    void Show_Tree_Level(TIEC_DA &da, QTreeWidgetItem *parent);
    void Expand_DO(QTreeWidgetItem *item);
    QHash<QTreeWidgetItem *, TIEC_DO *> Pending_DO;   // data objects whose children are not made yet
    int Chosen_Device() const;
};

extern TFIEC_61850_Access *FIEC_61850_Access;
