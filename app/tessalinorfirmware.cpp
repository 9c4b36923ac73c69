#include "app/tessalinorfirmware.h"

#include "app/about.h"
#include "app/comon.h"
#include "app/formparts.h"
#include "app/forms.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "app/new_project.h"
#include "app/openconf.h"
#include "app/settings.h"
#include "app/softoptions.h"
#include "app/valuechecks.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/rtl.h"
#include "platform/shell.h"
#include "platform/xml.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QTimer>

TFTessalinorFirmWare *FTessalinorFirmWare = nullptr;
const QString Maker_Site = QStringLiteral("https://www.qelvar.com");

namespace {

enum class TAction { Show_Form, Update_Device, EDE_File, Scan_Decode, EDS_File, GSD_File, GSDML_File, MIB_File };

// The editor buttons of the model family; only those marked shown belong to this model.
struct TEditor_Button
{
    const char *Name;
    int Caption;        // -1: none
    int Hint;
    TAction Action;
    const char *Form;   // for TAction::Show_Form
    bool Shown;
};

const TEditor_Button Editor_Buttons[] = {
    {"Btn_Prm_Gen", 20, 24, TAction::Show_Form, "FParGen", true},
    {"Btn_LoRaWAN_Access", 21, 25, TAction::Show_Form, "FLoRa_Set_Access", true},
    {"Btn_EtherNetIP_Access", 60, 61, TAction::Show_Form, "FEtherNetIP_Master_Access", true},
    {"Btn_CreateBin", 17, 26, TAction::Update_Device, nullptr, true},
    {"Btn_BACnet_SetAccess", 27, 29, TAction::Show_Form, "FBACnetAccess", false},
    {"Btn_BACnet_EDE_File", -1, -1, TAction::EDE_File, nullptr, false},
    {"Btn_MBus", 31, 32, TAction::Show_Form, "FMeter_Bus", false},
    {"Btn_ScanDecode", 33, 34, TAction::Scan_Decode, nullptr, false},
    {"Btn_Modbus_Set_Access", 36, 37, TAction::Show_Form, "FModbus_TCP_Master_Set_Access", false},
    {"Btn_CAN_Rec_Frame", 38, 39, TAction::Show_Form, "FReceiveCAN", false},
    {"Btn_CAN_Send_Frame", 40, 41, TAction::Show_Form, "FTransmitCAN", false},
    {"Btn_PDO_CANopen", 50, 51, TAction::Show_Form, "FSet_PDO_Access", false},
    {"Btn_SDO_Client_CANopen", 48, 49, TAction::Show_Form, "FSet_SDO_Client_Access", false},
    {"Btn_SDO_Server_CANopen", 46, 47, TAction::Show_Form, "FSet_SDO_Server_Access", false},
    {"Btn_CANopen_EDS", 52, 53, TAction::EDS_File, nullptr, false},
    {"Btn_DNet_Net", 54, 55, TAction::Show_Form, "FDNet", false},
    {"Btn_DNet_Offset", 56, 57, TAction::Show_Form, "FDefOffset", false},
    {"Btn_DMX_Default", 58, 59, TAction::Show_Form, "FDMXDefVal", false},
    {"Btn_KNX_Access", -1, -1, TAction::Show_Form, "FKNXAccess", false},
    {"Btn_PROFIBUS_GSD", 62, 63, TAction::GSD_File, nullptr, false},
    {"Btn_PROFINET_XML", 64, 65, TAction::GSDML_File, nullptr, false},
    {"Btn_IEC61850_Client", 66, 67, TAction::Show_Form, "FIEC_61850_Access", false},
    {"Btn_IEC61850_Access", 68, 69, TAction::Show_Form, "FIEC61850_Variables", false},
    {"Btn_TLS_List_Certificates", 70, 71, TAction::Show_Form, "FTLS_Server_Known_Cert", false},
    {"Btn_MQTT_Set_Topic", 72, 73, TAction::Show_Form, "FMQTT_Set_Topic", false},
    {"Btn_OPC_UA_Client_Access", 74, 75, TAction::Show_Form, "FOPC_UA_Client_Access", false},
    {"Btn_OPC_UA_Server_Access", 76, 77, TAction::Show_Form, "FOPC_UA_Server_Access", false},
    {"Btn_S7_Protocol_Access", 78, 79, TAction::Show_Form, "FS7_Protocol_Set_Access", false},
    {"Btn_SNMP_Manager_Access", 80, 81, TAction::Show_Form, "FSNMPManagerAccess", false},
    {"Btn_SNMP_Trap", 82, 83, TAction::Show_Form, "FSNMP_Trap_Access", false},
    {"Btn_SNMP_MIB", 84, 85, TAction::MIB_File, nullptr, false},
};

// The windows whose Set_Lang a language change calls, in order.
const char *const Change_Language_Forms[] = {
    "FNew_Project", "FOpenConf", "FSoftOptions", "FBoot", "FParGen", "FLoRa_Set_Access",
    "FBACnetAccess", "FImportEDEFile", "FBACnetSlaveSetAccess", "FBACnet_Eng_Unit",
    "FMeter_Bus", "FNewIDNode", "FSetAccess", "FModbus_TCP_Master_Set_Access", "FReceiveCAN",
    "FTransmitCAN", "FSet_PDO_Access", "FSet_SDO_Client_Access", "FSet_SDO_Server_Access",
    "FDNet", "FDefOffset", "FDMXDefVal", "FEtherNetIP_Master_Access", "FEtherNEtIP_EDS",
    "FEtherNetIP_Data_Seg", "FReceiveJ1939", "FTransmitJ1939", "FKNXAccess", "FReceiveNMEA",
    "FTransmitNMEA", "FIEC_61850_Access", "FProfinetFileName", "FTLS_Server_Known_Cert",
    "FIEC61850_Variables", "FMQTT_Set_Topic", "FTopicTemplate", "FOPC_UA_Client_Access",
    "FOPC_UA_Add_Server", "FOPC_UA_Scan_Server", "FOPC_UA_Server_Access",
    "FS7_Protocol_Set_Access", "FSNMPManagerAccess", "FSNMP_Trap_Access",
};

const int Step_Top[8] = {128, 172, 216, 260, 304, 348, 392, 436};

constexpr TColor Button_Font_Color = 3355443;

const TEditor_Button *Find_Editor_Button(const QString &name)
{
    for (const TEditor_Button &b : Editor_Buttons)
        if (name == QLatin1String(b.Name))
            return &b;
    return nullptr;
}

QLabel *New_Label(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(left, top, width, height);
    return label;
}

} // namespace

TFTessalinorFirmWare::TFTessalinorFirmWare(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FTessalinorFirmWare"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    FormCreate();
}

void TFTessalinorFirmWare::Create_Components()
{
    Set_Form_Look(this);
    L_SW_Code = New_Label(this, "L_SW_Code", 16, 8, 300, 34);
    QFont code_font = L_SW_Code->font();
    code_font.setPointSize(24);
    L_SW_Code->setFont(code_font);
    L_SW_Desc = New_Label(this, "L_SW_Desc", 16, 42, 480, 18);
    QFont desc_font = L_SW_Desc->font();
    desc_font.setBold(true);
    L_SW_Desc->setFont(desc_font);
    for (QLabel *grey : {L_SW_Code, L_SW_Desc})
        grey->setStyleSheet(QStringLiteral("color: gray"));
    L_Begin = New_Label(this, "L_Begin", 16, 84, 60, 16);
    Shape2 = new QFrame(this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setFrameShape(QFrame::Box);
    Shape2->setGeometry(80, 70, 598, 36);
    L_Name_Conf = New_Label(this, "L_Name_Conf", 87, 75, 584, 13);
    L_Name_Conf_L2 = New_Label(this, "L_Name_Conf_L2", 87, 88, 584, 14);
    for (int i = 0; i < 8; ++i)
        L_Step[i] = New_Label(this, QStringLiteral("L_Step_%1").arg(i + 1).toLatin1().constData(),
                              16, Step_Top[i], 60, 16);
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::HLine);
    Shape1->setFrameShadow(QFrame::Plain);
    L_Qelvar = New_Label(this, "L_Qelvar", 565, 304, 120, 16);
    L_Qelvar->setText(QStringLiteral("<a href=\"%1\">www.qelvar.com</a>").arg(Maker_Site));
    L_Qelvar->setCursor(Qt::PointingHandCursor);
    connect(L_Qelvar, &QLabel::linkActivated, this, [this] { L_QelvarClick(); });
    LL_Update = New_Label(this, "LL_Update", 208, 19, 300, 16);
    LL_Update->hide();
    connect(LL_Update, &QLabel::linkActivated, this, [this](const QString &link) { LL_UpdateLinkClick(link); });

    const auto new_button = [this](const char *name, int left, int top, int width, int height) {
        auto *b = new TLbButton(this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(left, top, width, height);
        b->OnClick = [this](QObject *sender) { Btn_Click(sender); };
        b->SetColor(Form_Color);
        b->SetColorWhenDown(Button_Down_Color);
        b->SetLightColor(clGray);
        b->SetHotTrackColor(clYellow);
        return b;
    };
    // The plain style in dark grey Verdana: the glyph buttons and Btn_Prm_Gen.
    const auto plain = [](TLbButton *b) {
        b->SetStyle(TLbButtonStyle::bsNormal);
        QFont verdana(QStringLiteral("Verdana"));
        verdana.setPointSize(8);
        b->setFont(verdana);
        b->SetFontColor(Button_Font_Color);
    };
    Btn_Info = new_button("Btn_Info", 516, 8, 50, 50);
    Btn_Opz = new_button("Btn_Opz", 574, 8, 50, 50);
    Btn_Close = new_button("Btn_Close", 632, 8, 50, 50);
    const QStyle::StandardPixmap glyphs[] = {QStyle::SP_MessageBoxInformation,
                                             QStyle::SP_FileDialogDetailedView,
                                             QStyle::SP_DialogCloseButton};
    int g = 0;
    for (TLbButton *b : {Btn_Info, Btn_Opz, Btn_Close}) {
        b->setIcon(style()->standardIcon(glyphs[g++]));
        b->setIconSize(QSize(32, 32));
        plain(b);
    }
    // The step buttons: caption at the left, bsEncarta.
    const auto step_button = [&new_button](const char *name, int left, int top) {
        TLbButton *b = new_button(name, left, top, 170, 36);
        b->SetAlignment(Qt::AlignLeft);
        b->SetStyle(TLbButtonStyle::bsEncarta);
        return b;
    };
    Btn_New = step_button("Btn_New", 80, 112);
    Btn_Open = step_button("Btn_Open", 258, 112);
    // Lay_Out places the buttons of this model; the others stay hidden.
    for (const TEditor_Button &e : Editor_Buttons)
        step_button(e.Name, 80, 156);
    Btn_Prm_Gen = Button(QStringLiteral("Btn_Prm_Gen"));
    Btn_LoRaWAN_Access = Button(QStringLiteral("Btn_LoRaWAN_Access"));
    Btn_EtherNetIP_Access = Button(QStringLiteral("Btn_EtherNetIP_Access"));
    Btn_CreateBin = Button(QStringLiteral("Btn_CreateBin"));
    plain(Btn_Prm_Gen);
    // Sky blue marks the project and update steps.
    for (TLbButton *b : {Btn_New, Btn_Open, Btn_CreateBin})
        b->SetHotTrackColor(clSkyBlue);

    Timer_Update = new QTimer(this);
    Timer_Update->setInterval(60000);
    connect(Timer_Update, &QTimer::timeout, this, [this] { Timer_UpdateTimer(); });
}

// This model: steps 1 to 5 with the step-1 pair, Set Communication, LoRaWAN, EtherNet/IP
// and Update Device; every other editor button stays hidden.
void TFTessalinorFirmWare::Lay_Out()
{
    for (QLabel *step : L_Step)
        step->hide();
    L_Qelvar->hide();
    for (int i = 0; i < 5; ++i)
        L_Step[i]->show();
    L_Qelvar->move(565, Step_Top[4]);
    L_Qelvar->show();
    Btn_Prm_Gen->move(80, 156);
    Btn_LoRaWAN_Access->move(80, 200);
    Btn_EtherNetIP_Access->move(80, 244);
    Btn_CreateBin->move(80, 288);
    for (const TEditor_Button &e : Editor_Buttons)
        Button(QLatin1String(e.Name))->setVisible(e.Shown);
    const int bottom = Btn_CreateBin->y();
    Shape1->setGeometry(10, bottom + 51, 674, 1);
    setFixedSize(694, bottom + 152);
}

void TFTessalinorFirmWare::FormCreate()
{
    Lang_Text_List.clear();
    Create_Components();
    Lay_Out();
    Set_Program_Folders();
    Project_Name.clear();
    Update_Read_Back = true;
    Read_Settings(Settings_File_Path());
    Update_Timer_State();
    Main_Title = QStringLiteral("Qelvar - Configurator CF41R08 EtherNet/IP Master / LoRaWAN ");
    SW_Code = QStringLiteral("CF41R08");
    SW_Description = QStringLiteral("EtherNet/IP Master / LoRaWAN - Converter");
    setWindowTitle(Main_Title);
    L_SW_Code->setText(SW_Code);
    L_SW_Desc->setText(SW_Description);
    Load_Language();
    // A name that is no plain folder name inside PROJECTS ("../x", "/tmp/x", "a/b") counts
    // as a project whose folder is gone. The name is kept and written back at close.
    const QString last = Project_Folder(Project_Name);
    Project_Path = !last.isEmpty() && Dir_Exists(last) ? last : QString();
    MBus_Slave_List.clear();
    wMBus_Slave_List.clear();
    Set_Lang();
    Set_Files();
    Row_Clipboard.clear();
    SNMP_Read_Descr_List.clear();
    SNMP_Write_Descr_List.clear();
}

void TFTessalinorFirmWare::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
}

void TFTessalinorFirmWare::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TFTessalinorFirmWare::FormClose()
{
    Save_Setting();
}

void TFTessalinorFirmWare::Show_Project_Labels()
{
    // Whether a project is open decides, not whether a name was remembered.
    if (!Project_Path.isEmpty()) {
        L_Name_Conf->setText(Lang_Text(11));
        L_Name_Conf_L2->setText(Project_Name);
    } else {
        L_Name_Conf->setText(Lang_Text(9));
        L_Name_Conf_L2->setText(Lang_Text(10));
    }
}

void TFTessalinorFirmWare::Set_Lang()
{
    L_Begin->setText(Lang_Text(0));
    for (int i = 0; i < 8; ++i)
        L_Step[i]->setText(Lang_Text(i + 1));
    Btn_Info->SetHint(Lang_Text(12));
    Btn_Opz->SetHint(Lang_Text(13));
    Btn_Close->SetHint(Lang_Text(14));
    Btn_New->SetCaption(Lang_Text(15));
    Btn_Open->SetCaption(Lang_Text(16));
    Btn_New->SetHint(Lang_Text(22));
    Btn_Open->SetHint(Lang_Text(23));
    for (const TEditor_Button &e : Editor_Buttons) {
        if (e.Caption < 0)
            continue;
        TLbButton *b = Button(QLatin1String(e.Name));
        b->SetCaption(Lang_Text(e.Caption));
        b->SetHint(Lang_Text(e.Hint));
    }
    Show_Project_Labels();
}

void TFTessalinorFirmWare::Change_Language()
{
    if (!Forms().Set_Lang(QStringLiteral("FTessalinorFirmWare")))
        Set_Lang();
    for (const char *form : Change_Language_Forms)
        Forms().Set_Lang(QLatin1String(form));
}

void TFTessalinorFirmWare::Set_Files()
{
    ::Set_Files();
}

void TFTessalinorFirmWare::Save_Setting()
{
    Write_Settings(Settings_File_Path());
}

void TFTessalinorFirmWare::Update_Timer_State()
{
    // A running timer keeps its count: OK in the options dialog does not postpone the check.
    if (Opt_Internet && Opt_Update_Check) {
        if (!Timer_Update->isActive())
            Timer_Update->start();
    } else
        Timer_Update->stop();
}

TLbButton *TFTessalinorFirmWare::Button(const QString &name) const
{
    return findChild<TLbButton *>(name, Qt::FindDirectChildrenOnly);
}

void TFTessalinorFirmWare::Btn_Click(QObject *Sender)
{
    if (Sender == Btn_New) {
        Create_New_Project();
    } else if (Sender == Btn_Open) {
        Open_Project();
    } else if (Sender == Btn_Close) {
        close();
    } else if (Sender == Btn_Info) {
        if (FAbout)
            FAbout->exec();
    } else if (Sender == Btn_Opz) {
        if (FSoftOptions && FSoftOptions->exec() == mrOk) {
            Save_Setting();
            Update_Timer_State();
        }
    } else if (const TEditor_Button *e = Find_Editor_Button(Sender->objectName())) {
        if (Project_Path.isEmpty()) {
            MessageError(Lang_Text(18), {}, this);
            return;
        }
        switch (e->Action) {
        case TAction::Show_Form: Show_Editor(QLatin1String(e->Form)); break;
        case TAction::Update_Device: Update_Device(); break;
        case TAction::EDE_File: BACnet_EDE_File(); break;
        case TAction::Scan_Decode: Scan_Decode(); break;
        case TAction::EDS_File: Build_EDS_File(); break;
        case TAction::GSD_File: Run_Hook(Hooks.Create_GSD_File); break;
        case TAction::GSDML_File: PROFINET_XML(); break;
        case TAction::MIB_File: Run_Hook(Hooks.Create_MIB_File); break;
        }
    }
}

void TFTessalinorFirmWare::Show_Editor(const QString &form)
{
    if (Forms().Show_Modal(form) < 0)
        MessageError(QStringLiteral("The window %1 is not part of this build.").arg(form), {}, this);
}

bool TFTessalinorFirmWare::Hook_Missing(bool present)
{
    if (!present)
        MessageError(QStringLiteral("This function is not part of this build."), {}, this);
    return !present;
}

void TFTessalinorFirmWare::Run_Hook(const std::function<void()> &hook)
{
    if (!Hook_Missing(bool(hook)))
        hook();
}

void TFTessalinorFirmWare::Create_New_Project()
{
    if (FNew_Project && FNew_Project->exec() == mrOk)
        Show_Project_Labels();
}

void TFTessalinorFirmWare::Open_Project()
{
    if (FOpenConf && FOpenConf->exec() == mrOk)
        Apply_Open_Project(FOpenConf->Name_Conf);
}

void TFTessalinorFirmWare::Apply_Open_Project(const QString &name)
{
    Project_Name = name;
    Project_Path = Project_Folder(name);   // empty, as for no name, when it is not a plain one
    Show_Project_Labels();
    Set_Files();
}

void TFTessalinorFirmWare::Scan_Decode()
{
    if (File_Exists(Path_M_Bus) && !MessageYesNo(Lang_Text(35), {}, this))
        return;
    if (Hook_Missing(bool(Hooks.Show_Scan_Decode)))
        return;
    Hooks.Show_Scan_Decode(Get_XML_Code_Dev(), Path_M_Bus, Get_Scan_Form_Type());
}

bool LoRaWAN_Rule_Enabled(const TXmlNode &row)
{
    const QString enable = QStringLiteral("Enable");
    return !row.HasAttribute(enable) || UpperCase(Trim(row.Attribute(enable))) == QLatin1String("Y");
}

void TFTessalinorFirmWare::Update_Device()
{
    // A damaged project file, or a project the images cannot hold, stops the update here
    // with its message: nothing is written and the update dialog does not open.
    try {
        if (!Check_Config_LoraWAN()) {
            MessageError(Lang_Text(30), {}, this);
            return;
        }
        if (Hook_Missing(Hooks.Compile_Project && Hooks.Show_Boot))
            return;
        Hooks.Compile_Project();
    } catch (const std::exception &e) {
        MessageError(QString::fromUtf8(e.what()), {}, this);
        return;
    }
    Hooks.Show_Boot(1);
}

bool TFTessalinorFirmWare::Check_Config_LoraWAN()
{
    int payload = 0;
    if (File_Exists(Path_ParGen)) {
        TXmlDocument doc;
        doc.LoadFromFile(Path_ParGen);
        const TXmlNode size = doc.DocumentElement().Child(QStringLiteral("LoRa_Payload_Size"));
        payload = size ? StrToIntDef(size.Text(), 0) : 0;
    }
    if (!File_Exists(Path_LoRaWAN_SetAccess))
        return true;
    TXmlDocument doc;
    doc.LoadFromFile(Path_LoRaWAN_SetAccess);
    const TXmlNode list = doc.DocumentElement().Child(QStringLiteral("LoRaWAN_Uplink"));
    if (!list)
        throw EXmlMissing(QStringLiteral("The element <LoRaWAN_Uplink> is missing in %1.")
                              .arg(QDir::toNativeSeparators(Path_LoRaWAN_SetAccess))
                              .toStdString());
    const QString num_byte = QStringLiteral("NumByte");
    for (const TXmlNode &row : list.Children()) {
        if (!LoRaWAN_Rule_Enabled(row))
            continue;
        const int n = row.HasAttribute(num_byte) ? StrToIntDef(row.Attribute(num_byte), -1) : -1;
        if (n < 0 || n > payload - 2)
            return false;
    }
    return true;
}

// The wait keeps the application's events flowing, so the windows repaint while the
// program runs. On this platform a program has no window of its own that tipo could hide.
void TFTessalinorFirmWare::Start_Program(const QString &NomeSW, const QString &Parameter, bool tipo)
{
    Q_UNUSED(tipo);
    const TProcessResult result = Processes().RunAndWait(NomeSW, SplitCommandLine(Parameter), 150000);
    if (!result.Started)
        MessageError(QStringLiteral("Cannot start %1: %2").arg(QFileInfo(NomeSW).fileName(), result.Error),
                     {}, this);
}

void TFTessalinorFirmWare::PROFINET_XML()
{
    if (Hook_Missing(Hooks.Ask_Profinet_File_Name && Hooks.Create_GSDML_File))
        return;
    QString name;
    if (Hooks.Ask_Profinet_File_Name(name))
        Hooks.Create_GSDML_File(name);
}

void TFTessalinorFirmWare::Build_EDS_File()
{
    if (Hook_Missing(bool(Hooks.Build_CANopen_EDS)))
        return;
    QString name = Dialogs().SaveFile(QString(), Project_Path,
                                      QStringLiteral("Electronic Data Sheet (*.eds)"), this);
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".eds");
    Hooks.Build_CANopen_EDS(name);
}

void TFTessalinorFirmWare::BACnet_EDE_File()
{
    if (Hook_Missing(bool(Hooks.Create_EDE_File)))
        return;
    QString name = Dialogs().SaveFile(QString(), Project_Path,
                                      QStringLiteral("CSV (MS-DOS) (*.csv)"), this);
    if (name.isEmpty())
        return;
    if (UpperCase(name.right(4)) != QLatin1String(".CSV"))
        name += QStringLiteral(".csv");
    if (File_Exists(name) && !MessageYesNo(Lang_Text(1105), {}, this))
        return;
    Hooks.Create_EDE_File(name);
}

int TFTessalinorFirmWare::Get_Type_BACnet()
{
    if (!File_Exists(Path_ParGen))
        return 0;
    try {
        TXmlDocument doc;
        doc.LoadFromFile(Path_ParGen);
        const TXmlNode root = doc.DocumentElement();
        const TXmlNode type = root ? root.Child(QStringLiteral("BACnet_Type")) : TXmlNode();
        return type ? StrToIntDef(type.Text(), 0) : 0;
    } catch (const EXmlError &) {
        return 0;
    }
}

void TFTessalinorFirmWare::Timer_UpdateTimer()
{
    Timer_Update->stop();
    if (FSoftOptions && FSoftOptions->Check_Version()) {
        LL_Update->setText(QStringLiteral("<a href=\"%1/Home/download/download.asp#GW41R08\">%2</a>")
                               .arg(Maker_Site, Lang_Text(19).toHtmlEscaped()));
        LL_Update->show();
    } else {
        LL_Update->hide();
    }
    Timer_Update->setInterval(7200000);
    Timer_Update->start();
}

void TFTessalinorFirmWare::LL_UpdateLinkClick(const QString &Link)
{
    ShellOpenLink(Link);
}

void TFTessalinorFirmWare::L_QelvarClick()
{
    ShellOpenLink(Maker_Home_Page());
}
