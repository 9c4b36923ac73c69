#pragma once
// The options dialog: the UI language, picked by its flag from the language files (six
// a page); whether the program may go on-line and look for a newer release (the version
// check lives here and the main window's release timer calls it too); two table options.
#include <QDialog>
#include <QStringList>

class QCheckBox;
class QFrame;
class QLabel;
class QTabWidget;
class QUrl;
class QWidget;
class TLbButton;

class TFSoftOptions : public QDialog
{
    Q_OBJECT
public:
    explicit TFSoftOptions(QWidget *parent = nullptr);

    // Prepares the dialog before it opens.
    int exec() override;

    void FormCreate();
    void FormShow();
    void Create_Lang_List();
    void Update_Lang_Page(int Num_Page);
    void Btn_NextClick(QObject *Sender);
    void LangClick(QObject *Sender);
    void Update_CheckBox();
    void CB_En_ConClick(QObject *Sender);
    // True when the version service announces a release newer than this one. Any failure
    // (no connection, an error status, a time-out, an answer that is no version) is "no".
    bool Check_Version();
    // "VER. 1.234" gives 1234: the digit, point and three digits after the first blank;
    // -1 when they are not that.
    static int Conv_Version(const QString &Ver_str);
    void Btn_Check_UpdateClick();
    void LL_Check_UpdateLinkClick(const QString &Link);
    void Btn_OKClick();
    void Set_Lang();

    int Show_Page = 1;
    QStringList SL_Languages;
    QString Language_In_Use;

    QFrame *P_Title;
    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QFrame *P_Button;
    TLbButton *Btn_OK;
    TLbButton *Btn_Cancel;
    QTabWidget *PC_Options;
    QWidget *TS_Language;
    QWidget *TS_Con_Options;
    QWidget *TS_Soft_Settings;
    QLabel *L_Sel_Lang;
    QLabel *I_L[6];      // I_L1 .. I_L6, the flags
    QLabel *L_L[6];      // L_L1 .. L_L6, the language names
    TLbButton *Btn_Prev;
    TLbButton *Btn_Next;
    QLabel *L_Page_Lang;
    QCheckBox *CB_En_Con;
    QCheckBox *CB_Update;
    TLbButton *Btn_Check_Update;
    QLabel *LL_Check_Update;
    QCheckBox *CB_Soft_Set_Jump_Table;
    QCheckBox *CB_DoubleClick_Auto_Size;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Create_Components();
    QString Page_Label() const;
    int page_count_ = 1;
};

extern TFSoftOptions *FSoftOptions;

// The address the version check asks.
QUrl Version_Service_Url();
