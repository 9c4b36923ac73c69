#pragma once
// The main window: the engineer's steps (new or open project, communication, LoRaWAN and
// EtherNet/IP rules, device update), the language switch of every window and the settings
// file at close. It owns the start-up of the program state and of the UI texts.
#include <QWidget>
#include <functional>

class QFrame;
class QLabel;
class QTimer;
class TLbButton;
class TXmlNode;

// What the main window needs of the windows and file writers of higher subsystems. The
// program block fills these at start-up; an empty one means the function is not in this build.
struct TMain_Hooks
{
    // FBoot.Form_Type := form_type, then FBoot modally.
    std::function<void(int form_type)> Show_Boot;
    // FScanDecode's XML_Code_Dev, FileName_MBus and Form_Type, then FScanDecode modally.
    std::function<void(int code_dev, const QString &file_mbus, int form_type)> Show_Scan_Decode;
    // FProfinetFileName modally; true on OK with its Name_File_XML in name.
    std::function<bool(QString &name)> Ask_Profinet_File_Name;
    // Compiles the current project and writes its bank images.
    std::function<void()> Compile_Project;
    std::function<void()> Create_GSD_File;
    std::function<void(const QString &file_name)> Create_GSDML_File;
    std::function<void()> Create_MIB_File;
    std::function<void(const QString &file_name)> Create_EDE_File;
    std::function<void(const QString &file_name)> Build_CANopen_EDS;
};

class TFTessalinorFirmWare : public QWidget
{
    Q_OBJECT
public:
    // Runs FormCreate: the program state, the settings file and the UI texts are ready after it.
    explicit TFTessalinorFirmWare(QWidget *parent = nullptr);

    void FormCreate();
    void FormClose();
    void Btn_Click(QObject *Sender);
    void L_QelvarClick();
    void LL_UpdateLinkClick(const QString &Link);
    void Timer_UpdateTimer();
    void Set_Lang();
    void Change_Language();
    void Set_Files();
    void Save_Setting();
    void Open_Project();
    void Create_New_Project();
    void Update_Device();
    bool Check_Config_LoraWAN();
    void Start_Program(const QString &NomeSW, const QString &Parameter, bool tipo);
    void PROFINET_XML();
    void Build_EDS_File();
    void BACnet_EDE_File();
    int Get_Type_BACnet();

    // The main window's part of an OK in the open-project dialog.
    void Apply_Open_Project(const QString &name);
    // Timer_Update runs only while both internet options are on.
    void Update_Timer_State();
    // The button of that name ("Btn_MBus"), or nullptr.
    TLbButton *Button(const QString &name) const;

    TMain_Hooks Hooks;

    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QLabel *L_Begin;
    QFrame *Shape2;
    QLabel *L_Name_Conf;
    QLabel *L_Name_Conf_L2;
    QLabel *L_Step[8];          // L_Step_1 .. L_Step_8
    QFrame *Shape1;
    QLabel *L_Qelvar;
    QLabel *LL_Update;
    TLbButton *Btn_Info;
    TLbButton *Btn_Opz;
    TLbButton *Btn_Close;
    TLbButton *Btn_New;
    TLbButton *Btn_Open;
    TLbButton *Btn_Prm_Gen;
    TLbButton *Btn_LoRaWAN_Access;
    TLbButton *Btn_EtherNetIP_Access;
    TLbButton *Btn_CreateBin;
    QTimer *Timer_Update;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void Create_Components();
    void Lay_Out();
    void Show_Project_Labels();
    void Scan_Decode();
    void Show_Editor(const QString &form);
    // Says so when a function of a higher subsystem is not in this build.
    bool Hook_Missing(bool present);
    void Run_Hook(const std::function<void()> &hook);
};

extern TFTessalinorFirmWare *FTessalinorFirmWare;

// A row of LoRaWAN_SetAccess.xml is an enabled rule when its Enable attribute is missing or
// reads "Y" after trimming and upper-casing. The check before an update and the image
// compiler both go by this, so they never disagree about a rule.
bool LoRaWAN_Rule_Enabled(const TXmlNode &row);

// The maker's web site, for the two links.
extern const QString Maker_Site;
