#pragma once
// The update dialog: the engineer types the gateway's address and picks what to update;
// Execute pings the address, stores the choices, writes the updater's job file and runs
// the updater. It has no creation handler: it takes SW_Code and its texts each time it is
// shown. Form_Type 1 is the Ethernet variant the main window uses; 0 is the serial one.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class TDazColumnGrid;
class TLbButton;
struct TEchoReply;

class TFBoot : public QDialog
{
    Q_OBJECT
public:
    explicit TFBoot(QWidget *parent = nullptr);

    int Form_Type = 0;     // 0 serial, 1 Ethernet
    int BACnetType = 0;
    int ping_res = 0;      // 0 no reply event yet, 1 the last reply carried data, 2 it did not
    // How long an address that does not answer is tried.
    int Ping_Window_Ms = 5000;

    void FormShow();
    void Set_Lang();
    void Btn_UpdateClick();
    void PingReply(const TEchoReply &reply);
    bool Send_Ping();
    void Compile_XML_Parameter_New_Boot();
    // The job in the updater's older layout; nothing in the program writes it.
    void Compile_XML_Parameter();
    // Reads the project's ParGen.xml when there is one; the model needs no device type: 0.
    int Get_Type_Dev();
    // The prefix followed by the four option tokens (firmware, its read-back, configuration,
    // its read-back) of the chosen update option.
    QString Update_Options(const QString &prefix) const;
    void update_ComPort();

    // The dotted address of the four octet edits when each holds a decimal number 0..255
    // (written without leading zeros, so no reader takes it for octal); empty otherwise.
    QString Typed_Address() const;
    // The address the last check pinged; the job file names this one.
    QString Pinged_Address;

    QFrame *P_Title;
    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QFrame *P_IP_Address;
    QLabel *L_IP_Address;
    QLineEdit *E_IP1;
    QLineEdit *E_IP2;
    QLineEdit *E_IP3;
    QLineEdit *E_IP4;
    QFrame *P_Eth_Search;
    QLabel *L_List_Device;
    TLbButton *Btn_Search;
    TDazColumnGrid *ACG_List_Devices;
    QCheckBox *CB_Find_All_Qelvar;
    QFrame *P_Options;
    QLabel *L_Update_Option;
    QComboBox *CB_Update_Options;
    QCheckBox *CB_Update_Option_Read_Back;
    QFrame *P_Serial;
    QLabel *L_COM_Port;
    QComboBox *CB_COM_Port;
    TLbButton *Btn_COM_List;
    QFrame *P_Button;
    TLbButton *Btn_Cancel;
    TLbButton *Btn_Update;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *Octet(int i) const;
    bool busy_ = false;
};

extern TFBoot *FBoot;
