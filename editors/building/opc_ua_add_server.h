#pragma once
// "Add OPC UA Server" / "Modify OPC UA Server": the address, authentication and message
// security of one server entry of the OPC UA client editor, which fills the controls before
// showing it and reads them back after OK.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TLbButton;

class TFOPC_UA_Add_Server : public QDialog
{
    Q_OBJECT
public:
    explicit TFOPC_UA_Add_Server(QWidget *parent = nullptr);

    int FormType = 1;   // 1 add, 2 modify

    void Set_Lang();
    void FormShow();
    void Change_Fields();
    void Check_Authorization();
    bool Controlla_Dati();
    void Btn_OKClick();

    QFrame *P_Title, *P_Button;
    QLabel *L_SW_Code, *L_SW_Desc;
    QCheckBox *CB_OPC_UA_Server_Enable;
    QLabel *L_Server_Add, *L_Auth, *L_User, *L_Pass, *L_Certificate, *L_Priv_Key, *L_Sec_Type, *L_Sec_Policy,
        *L_Mnemonic;
    QLineEdit *E_Server_Add, *E_User, *E_Pass, *E_Mnemonic;
    QComboBox *CB_Auth, *CB_Sec_Type, *CB_Sec_Policy;   // their items only
    QPlainTextEdit *RE_Certificate, *RE_Priv_Key;
    TLbButton *Btn_OK, *Btn_Cancel;

protected:
    void showEvent(QShowEvent *event) override;
};

extern TFOPC_UA_Add_Server *FOPC_UA_Add_Server;
