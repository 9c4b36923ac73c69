#pragma once
// The start-register dialog of the scan window: the first Modbus register used when scan
// results are appended to an existing network file.
#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TLbButton;

class TFScanModbusStart : public QDialog
{
public:
    explicit TFScanModbusStart(QWidget *parent = nullptr);

    void Set_Lang();
    void Btn_OKClick();

    int StartModAdd = 0;           // the accepted register

    QFrame *P_Title;
    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QPushButton *Button1;          // outside the visible client, without a handler
    QLabel *L_StartModAdd;
    QLineEdit *E_StartModAdd;
    QFrame *P_Button;
    TLbButton *Btn_OK;
    TLbButton *Btn_Cancel;
};

extern TFScanModbusStart *FScanModbusStart;
