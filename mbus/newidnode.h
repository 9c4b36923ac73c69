#pragma once
// "New Node ID": asks the address and registers of a pasted node or variable and refuses
// them until they are in range and free in the network (the editor's checks).
#include <QDialog>

class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;
class TDazColumnGrid;
class TFMeter_Bus;
class TLbButton;

class TFNewIDNode : public QDialog
{
    Q_OBJECT
public:
    explicit TFNewIDNode(QWidget *parent = nullptr);

    // 1 paste of a wired node, 2 of a variable, 3 of a wireless node.
    int Form_Type = 1;
    // The editor whose network the checks look at.
    TFMeter_Bus *Editor = nullptr;

    void Set_Lang();
    void FormShow();
    void LbButton2Click();   // OK

    // Value cell of a register row; rows of variable i are 3i + 1 .. 3i + 3.
    static constexpr int Value_Col = 1;

    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QRadioButton *RB_ID_Primary, *RB_ID_Secondary;
    QLineEdit *E_New_Node_ID_Pri, *E_New_Node_ID_Sec;
    QLabel *L_wMBus_Add;
    QLineEdit *E_wMBus_Add;
    QLabel *Label2, *Label3, *Label4, *L_wMBus_RSSI;
    QLineEdit *E_MR_NodeState, *E_MR_IdentNum, *E_wMBus_RSSI;
    TDazColumnGrid *RUD_MR_Var;
    TLbButton *Btn_OK, *Btn_Cancel;
    QWidget *P_Node;   // the node part above the grid

protected:
    void showEvent(QShowEvent *event) override;
};

extern TFNewIDNode *FNewIDNode;
