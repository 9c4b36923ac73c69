#pragma once
// The per-node dialog of the scan window: one Modbus start register per meter, and whether
// node state and identification number take registers. The scan window fills the rows.
#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class TDazColumnGrid;
class TLbButton;

class TFModbusStartAdd_SD : public QDialog
{
public:
    explicit TFModbusStartAdd_SD(QWidget *parent = nullptr);

    void Set_Lang();
    // The data rows in order; the first bad one gives its message and false.
    bool Check_Data();
    void Btn_OKClick();

    QFrame *P_Title;
    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QFrame *Panel1;
    QCheckBox *CB_En_NodeState;
    QCheckBox *CB_En_IndNum;
    TDazColumnGrid *sga;
    QFrame *P_Button;
    TLbButton *Btn_OK;
    TLbButton *Btn_Cancel;
};

extern TFModbusStartAdd_SD *FModbusStartAdd_SD;
