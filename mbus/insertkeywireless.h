#pragma once
// The key dialog of the scan window: 32 hexadecimal digits, the AES-128 key of an encrypted
// wireless meter. The scan window places it and reads E_Key after OK.
#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class TLbButton;

class TFInsertKeyWireless : public QDialog
{
public:
    explicit TFInsertKeyWireless(QWidget *parent = nullptr);

    void Set_Lang();
    // Every character a digit or an upper-case letter A to F.
    static bool Check_Data(const QString &key);
    void Btn_OKClick();

    QFrame *Shape1;
    QLabel *L_InsKey;
    QLineEdit *E_Key;
    TLbButton *Btn_OK;
    TLbButton *Btn_Cancel;
};

extern TFInsertKeyWireless *FInsertKeyWireless;
