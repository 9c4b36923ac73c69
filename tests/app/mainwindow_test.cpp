#include "app/forms.h"
#include "app/lbbutton.h"
#include "app/new_project.h"
#include "app/openconf.h"
#include "app/settings.h"
#include "app/tessalinorfirmware.h"
#include "shell_fixture.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTimer>

namespace {

const char *const Model_Buttons[] = {"Btn_Info", "Btn_Opz", "Btn_Close", "Btn_New", "Btn_Open",
                                     "Btn_Prm_Gen", "Btn_LoRaWAN_Access",
                                     "Btn_EtherNetIP_Access", "Btn_CreateBin"};

// Every button that needs an open project, shown or hidden.
const char *const Project_Buttons[] = {
    "Btn_Prm_Gen", "Btn_LoRaWAN_Access", "Btn_EtherNetIP_Access", "Btn_CreateBin",
    "Btn_BACnet_SetAccess", "Btn_BACnet_EDE_File", "Btn_MBus", "Btn_ScanDecode",
    "Btn_Modbus_Set_Access", "Btn_CAN_Rec_Frame", "Btn_CAN_Send_Frame", "Btn_PDO_CANopen",
    "Btn_SDO_Client_CANopen", "Btn_SDO_Server_CANopen", "Btn_CANopen_EDS", "Btn_DNet_Net",
    "Btn_DNet_Offset", "Btn_DMX_Default", "Btn_KNX_Access", "Btn_PROFIBUS_GSD",
    "Btn_PROFINET_XML", "Btn_IEC61850_Client", "Btn_IEC61850_Access",
    "Btn_TLS_List_Certificates", "Btn_MQTT_Set_Topic", "Btn_OPC_UA_Client_Access",
    "Btn_OPC_UA_Server_Access", "Btn_S7_Protocol_Access", "Btn_SNMP_Manager_Access",
    "Btn_SNMP_Trap", "Btn_SNMP_MIB"};

// The box around the caption: pixels of the inner face that differ clearly from the face colour.
QRect Caption_Box(const QImage &face, TColor face_color)
{
    const QColor f = ToQColor(face_color);
    QRect box;
    for (int y = 2; y < face.height() - 2; ++y)
        for (int x = 2; x < face.width() - 2; ++x) {
            const QColor c(face.pixel(x, y));
            if (std::abs(c.red() - f.red()) + std::abs(c.green() - f.green()) + std::abs(c.blue() - f.blue()) > 150)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

// The darkest grey level of the caption, the level its solid strokes are drawn in.
int Caption_Darkest(const QImage &face)
{
    int darkest = 255;
    for (int y = 2; y < face.height() - 2; ++y)
        for (int x = 2; x < face.width() - 2; ++x)
            darkest = std::min(darkest, QColor(face.pixel(x, y)).value());
    return darkest;
}

TColor Face_Pixel(const TLbButton *b)
{
    return FromQColor(QColor(b->Paint_Face().pixel(b->width() / 2, 2)));
}

void Press(TLbButton *b, QEvent::Type type)
{
    const QPointF at(5, 5);
    QMouseEvent event(type, at, b->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(b, &event);
}

class MainWindowTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Forms().Clear();
    }
    void TearDown() override
    {
        Main.reset();
        FNew_Project = nullptr;
        FOpenConf = nullptr;
        Forms().Clear();
        ShellTest::TearDown();
    }
    TFTessalinorFirmWare &Start()
    {
        Main = std::make_unique<TFTessalinorFirmWare>();
        return *Main;
    }
    void Write_Settings_File(const QByteArray &xml) { Write(In_Temp(QStringLiteral("Tessalinor.xml")), xml); }
    std::unique_ptr<TFTessalinorFirmWare> Main;
};

TEST_F(MainWindowTest, FirstRunInEmptyFolder)
{
    Set_Program_Folder(In_Temp(QStringLiteral("fresh")));
    QDir().mkdir(In_Temp(QStringLiteral("fresh")));
    Reset_Program_State();
    Lang_Text_List.clear();
    TFTessalinorFirmWare &w = Start();
    EXPECT_EQ(List_Dirs(In_Temp(QStringLiteral("fresh"))), QStringList({"LANGUAGE", "MASTER", "PROJECTS"}));
    EXPECT_EQ(Exe_Dir, In_Temp(QStringLiteral("fresh")));
    EXPECT_EQ(Projects_Dir, Exe_Dir + QStringLiteral("/PROJECTS"));
    EXPECT_EQ(w.L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
    EXPECT_EQ(w.L_Name_Conf_L2->text(), QStringLiteral("Use Step1 to open or create new configuration"));
    EXPECT_EQ(Last_IP_Address, QStringLiteral("192.168.2.205"));
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
    EXPECT_FALSE(w.Timer_Update->isActive());
    EXPECT_TRUE(Update_Read_Back);
    EXPECT_EQ(Lang_Text_List.size(), 6400);
    EXPECT_TRUE(Project_Path.isEmpty());
    EXPECT_EQ(Path_ParGen, QStringLiteral("/ParGen.xml"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Qelvar - Configurator CF41R08 EtherNet/IP Master / LoRaWAN "));
    EXPECT_EQ(w.L_SW_Code->text(), QStringLiteral("CF41R08"));
    EXPECT_EQ(w.L_SW_Desc->text(), QStringLiteral("EtherNet/IP Master / LoRaWAN - Converter"));
    EXPECT_EQ(w.Btn_New->Caption(), QStringLiteral("New Configuration"));
    EXPECT_EQ(w.Btn_CreateBin->Caption(), QStringLiteral("Update Device UDP"));
    EXPECT_EQ(w.Btn_Opz->Hint(), QStringLiteral("Options"));
    // Closing writes the settings file beside the program.
    w.FormClose();
    EXPECT_TRUE(File_Exists(In_Temp(QStringLiteral("fresh/Tessalinor.xml"))));
}

TEST_F(MainWindowTest, OnlyThisModelsButtonsShowWhereTabled)
{
    TFTessalinorFirmWare &w = Start();
    QStringList shown;
    for (TLbButton *b : w.findChildren<TLbButton *>())
        if (!b->isHidden())
            shown << b->objectName();
    QStringList expected;
    for (const char *name : Model_Buttons)
        expected << QLatin1String(name);
    shown.sort();
    expected.sort();
    EXPECT_EQ(shown, expected);
    struct Place { const char *name; int left, top, width, height; };
    const Place places[] = {
        {"Btn_Info", 516, 8, 50, 50}, {"Btn_Opz", 574, 8, 50, 50}, {"Btn_Close", 632, 8, 50, 50},
        {"Btn_New", 80, 112, 170, 36}, {"Btn_Open", 258, 112, 170, 36},
        {"Btn_Prm_Gen", 80, 156, 170, 36}, {"Btn_LoRaWAN_Access", 80, 200, 170, 36},
        {"Btn_EtherNetIP_Access", 80, 244, 170, 36}, {"Btn_CreateBin", 80, 288, 170, 36},
    };
    for (const Place &p : places)
        EXPECT_EQ(w.Button(QLatin1String(p.name))->geometry(), QRect(p.left, p.top, p.width, p.height)) << p.name;
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(w.L_Step[i]->isHidden(), i >= 5) << i;
        EXPECT_EQ(w.L_Step[i]->pos(), QPoint(16, 128 + 44 * i)) << i;
        EXPECT_EQ(w.L_Step[i]->text(), QStringLiteral("Step %1").arg(i + 1));
    }
    EXPECT_EQ(w.L_Qelvar->pos(), QPoint(565, 304));
    EXPECT_FALSE(w.L_Qelvar->isHidden());
    EXPECT_TRUE(w.LL_Update->isHidden());
    EXPECT_EQ(w.Shape1->geometry(), QRect(10, 339, 674, 1));
    EXPECT_EQ(w.size(), QSize(694, 440));
    EXPECT_EQ(w.L_Name_Conf->pos(), QPoint(87, 75));
    EXPECT_EQ(w.L_Name_Conf_L2->pos(), QPoint(87, 88));
}

TEST_F(MainWindowTest, WindowAndButtonProperties)
{
    TFTessalinorFirmWare &w = Start();
    EXPECT_EQ(FromQColor(w.palette().color(QPalette::Window)), TColor(15595512));
    EXPECT_TRUE(w.autoFillBackground());
    EXPECT_EQ(w.font().family(), QStringLiteral("Verdana"));
    EXPECT_EQ(w.font().pointSize(), 8);
    EXPECT_EQ(w.minimumSize(), w.maximumSize());   // a fixed border
    EXPECT_FALSE(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(w.L_SW_Code->font().pointSize(), 24);
    EXPECT_TRUE(w.L_SW_Desc->font().bold());
    EXPECT_EQ(w.L_Qelvar->cursor().shape(), Qt::PointingHandCursor);

    using enum TLbButtonStyle;
    const TColor dark_grey = 3355443;
    struct Look { const char *name; TColor hot; TLbButtonStyle style; Qt::Alignment align; TColor font; };
    const Look looks[] = {
        {"Btn_Info", clYellow, bsNormal, Qt::AlignHCenter, dark_grey},
        {"Btn_Opz", clYellow, bsNormal, Qt::AlignHCenter, dark_grey},
        {"Btn_Close", clYellow, bsNormal, Qt::AlignHCenter, dark_grey},
        {"Btn_New", clSkyBlue, bsEncarta, Qt::AlignLeft, clWindowText},
        {"Btn_Open", clSkyBlue, bsEncarta, Qt::AlignLeft, clWindowText},
        {"Btn_Prm_Gen", clYellow, bsNormal, Qt::AlignLeft, dark_grey},
        {"Btn_LoRaWAN_Access", clYellow, bsEncarta, Qt::AlignLeft, clWindowText},
        {"Btn_EtherNetIP_Access", clYellow, bsEncarta, Qt::AlignLeft, clWindowText},
        {"Btn_CreateBin", clSkyBlue, bsEncarta, Qt::AlignLeft, clWindowText},
        {"Btn_MBus", clYellow, bsEncarta, Qt::AlignLeft, clWindowText},   // hidden
    };
    for (const Look &l : looks) {
        const TLbButton *b = w.Button(QLatin1String(l.name));
        ASSERT_NE(b, nullptr) << l.name;
        EXPECT_EQ(b->Color(), TColor(15595512)) << l.name;
        EXPECT_EQ(b->ColorWhenDown(), TColor(33023)) << l.name;
        EXPECT_EQ(b->LightColor(), TColor(clGray)) << l.name;
        EXPECT_EQ(b->HotTrackColor(), l.hot) << l.name;
        EXPECT_EQ(b->Style(), l.style) << l.name;
        EXPECT_EQ(b->Alignment(), l.align) << l.name;
        EXPECT_EQ(b->FontColor(), l.font) << l.name;
        EXPECT_EQ(b->font().family(), QStringLiteral("Verdana")) << l.name;
        EXPECT_FALSE(b->SlowDecease()) << l.name;
    }
    EXPECT_EQ(w.Btn_Info->Hint(), Lang_Text(12));
    EXPECT_EQ(w.Btn_Opz->Hint(), Lang_Text(13));
    EXPECT_EQ(w.Btn_Close->Hint(), Lang_Text(14));
}

TEST_F(MainWindowTest, StepButtonsDrawTheirLook)
{
    TFTessalinorFirmWare &w = Start();
    w.show();
    EXPECT_EQ(FromQColor(QColor(w.grab().toImage().pixel(300, 20))), TColor(15595512));
    struct Step { TLbButton *b; TColor hot; };
    const Step steps[] = {{w.Btn_New, clSkyBlue}, {w.Btn_Open, clSkyBlue}, {w.Btn_Prm_Gen, clYellow},
                          {w.Btn_LoRaWAN_Access, clYellow}, {w.Btn_EtherNetIP_Access, clYellow},
                          {w.Btn_CreateBin, clSkyBlue}};
    for (const Step &s : steps) {
        const std::string name = s.b->objectName().toStdString();
        // The caption starts at the left edge, with the free room on its right.
        const QRect text = Caption_Box(s.b->Paint_Face(), 15595512);
        ASSERT_FALSE(text.isEmpty()) << name;
        EXPECT_LE(text.left(), 6) << name;
        EXPECT_GT(s.b->width() - 1 - text.right(), text.left() + 20) << name;
        EXPECT_EQ(Face_Pixel(s.b), TColor(15595512)) << name;
        s.b->MouseEnter();
        EXPECT_EQ(Face_Pixel(s.b), s.hot) << name;
        s.b->MouseLeave();
        EXPECT_EQ(Face_Pixel(s.b), TColor(15595512)) << name;
    }
    // Btn_Prm_Gen writes in dark grey and, pressed, moves its caption by a pixel; the
    // bsEncarta buttons write in black and, pressed, in bold without moving.
    EXPECT_NEAR(Caption_Darkest(w.Btn_Prm_Gen->Paint_Face()), 0x33, 12);
    EXPECT_LT(Caption_Darkest(w.Btn_LoRaWAN_Access->Paint_Face()), 0x18);
    for (TLbButton *b : {w.Btn_Prm_Gen, w.Btn_LoRaWAN_Access}) {
        const std::string name = b->objectName().toStdString();
        const QRect up = Caption_Box(b->Paint_Face(), 15595512);
        Press(b, QEvent::MouseButtonPress);
        ASSERT_TRUE(b->Is_Down()) << name;
        const QImage face = b->Paint_Face();
        EXPECT_EQ(FromQColor(QColor(face.pixel(b->width() / 2, 2))), TColor(33023)) << name;
        const QRect down = Caption_Box(face, 33023);
        if (b == w.Btn_Prm_Gen) {
            EXPECT_EQ(down.topLeft(), up.topLeft() + QPoint(1, 1)) << name;
            EXPECT_EQ(down.size(), up.size()) << name;
        } else {
            EXPECT_EQ(down.top(), up.top()) << name;
            EXPECT_GT(down.width(), up.width() + 4) << name;
        }
        Press(b, QEvent::MouseButtonRelease);   // no project: text 18
    }
    EXPECT_EQ(Guard.Fake.Texts(), QStringList({Lang_Text(18), Lang_Text(18)}));
}

TEST_F(MainWindowTest, EveryProjectButtonWithoutProjectSaysText18)
{
    TFTessalinorFirmWare &w = Start();
    for (const char *name : Project_Buttons) {
        Guard.Fake.Calls.clear();
        TLbButton *b = w.Button(QLatin1String(name));
        ASSERT_NE(b, nullptr) << name;
        // A hidden button does not click; its handler answers all the same.
        if (b->isVisibleTo(&w))
            b->Click();
        else
            w.Btn_Click(b);
        ASSERT_EQ(Guard.Fake.Calls.size(), 1u) << name;
        EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error) << name;
        EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Error! Project not Valid")) << name;
    }
}

TEST_F(MainWindowTest, SettingsNameAProjectWhoseFolderIsGone)
{
    Write_Settings_File("<Conf_Settings><lastproj><projectname>Gone</projectname></lastproj>"
                        "<lastipadd><ipaddress>10.1.1.1</ipaddress></lastipadd></Conf_Settings>");
    TFTessalinorFirmWare &w = Start();
    EXPECT_EQ(Project_Name, QStringLiteral("Gone"));
    EXPECT_TRUE(Project_Path.isEmpty());
    EXPECT_EQ(w.L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
    EXPECT_EQ(Last_IP_Address, QStringLiteral("10.1.1.1"));
    w.Btn_Prm_Gen->Click();
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Error! Project not Valid"));
    w.FormClose();
    Reset_Program_State();
    Read_Settings(In_Temp(QStringLiteral("Tessalinor.xml")));
    EXPECT_EQ(Project_Name, QStringLiteral("Gone"));
}

TEST_F(MainWindowTest, LastProjectOpensWhenItsFolderExists)
{
    QDir().mkpath(Projects_Dir + QStringLiteral("/Plant"));
    Write_Settings_File("<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj></Conf_Settings>");
    TFTessalinorFirmWare &w = Start();
    EXPECT_EQ(Project_Path, Projects_Dir + QStringLiteral("/Plant"));
    EXPECT_EQ(w.L_Name_Conf->text(), QStringLiteral("Opened Configuration of the Converter : "));
    EXPECT_EQ(w.L_Name_Conf_L2->text(), QStringLiteral("Plant"));
    EXPECT_EQ(Path_M_Bus, Project_Path + QStringLiteral("/M_Bus.xml"));
}

// A hand-edited project name opens a project only when it is a plain folder name inside
// PROJECTS; any other counts as a project whose folder is gone, so no editor can save
// outside PROJECTS. The name itself is written back unchanged.
TEST_F(MainWindowTest, SettingsProjectNameOpensOnlyAFolderDirectlyInsideProjects)
{
    const QString outside = In_Temp(QStringLiteral("Outside"));
    for (const QString &dir : {Projects_Dir + QStringLiteral("/Plant/Sub"), outside,
                               Projects_Dir + QStringLiteral("/..\\Outside"),
                               Projects_Dir + QStringLiteral("/Tab\tName"),
                               Projects_Dir + QStringLiteral("/ Linie 2 Düsseldorf Ω "),
                               Projects_Dir + QStringLiteral("/v1.2")})
        ASSERT_TRUE(QDir().mkpath(dir)) << dir.toStdString();
    struct Case { QString name; bool opens; };
    const Case cases[] = {
        {"Plant", true},
        {" Linie 2 Düsseldorf Ω ", true},
        {"v1.2", true},
        {"../Outside", false},
        {"..\\Outside", false},
        {outside, false},
        {"Plant/Sub", false},
        {"Plant/", false},
        {"./Plant", false},
        {".", false},
        {"..", false},
        {"", false},
        {"Tab\tName", false},
    };
    for (const Case &c : cases) {
        const std::string name = c.name.toStdString();
        Reset_Program_State();
        Set_Program_Folders();
        Project_Name = c.name;
        Write_Settings(Settings_File_Path());
        Guard.Fake.Calls.clear();
        TFTessalinorFirmWare &w = Start();
        EXPECT_EQ(Project_Name, c.name) << name;
        if (c.opens) {
            EXPECT_EQ(Project_Path, Projects_Dir + QLatin1Char('/') + c.name) << name;
            EXPECT_EQ(Path_ParGen, Project_Path + QStringLiteral("/ParGen.xml")) << name;
            EXPECT_EQ(w.L_Name_Conf_L2->text(), c.name) << name;
            continue;
        }
        EXPECT_TRUE(Project_Path.isEmpty()) << name;
        EXPECT_EQ(Path_ParGen, QStringLiteral("/ParGen.xml")) << name;
        EXPECT_EQ(w.L_Name_Conf->text(), QStringLiteral("None Configuration Opened ")) << name;
        w.Btn_Prm_Gen->Click();
        EXPECT_EQ(Guard.Fake.Texts(), QStringList({Lang_Text(18)})) << name;
        w.FormClose();
        Project_Name.clear();
        Read_Settings(Settings_File_Path());
        EXPECT_EQ(Project_Name, c.name) << name;
    }
}

TEST_F(MainWindowTest, UpdateTimerRunsOnlyWithBothInternetOptions)
{
    struct Case { const char *internet, *update; bool active; };
    for (const Case &c : {Case{"1", "1", true}, Case{"1", "0", false}, Case{"0", "1", false}}) {
        Write_Settings_File(QByteArray("<C><lastinternet><enable_internet>") + c.internet +
                            "</enable_internet><enable_update>" + c.update +
                            "</enable_update></lastinternet></C>");
        TFTessalinorFirmWare &w = Start();
        EXPECT_EQ(w.Timer_Update->isActive(), c.active) << c.internet << c.update;
        EXPECT_EQ(w.Timer_Update->interval(), 60000);
    }
}

TEST_F(MainWindowTest, DamagedSettingsAndUnreadableLanguageStillStart)
{
    Write_Settings_File("<Conf_Settings><lastlang><language>Deutsch</lang");
    QDir().mkdir(Language_Dir + QStringLiteral("/Deutsch.lng"));
    TFTessalinorFirmWare &w = Start();
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
    EXPECT_EQ(w.L_Begin->text(), QStringLiteral("Begin"));
}

TEST_F(MainWindowTest, LanguageFromSettingsAndChangeLanguage)
{
    Write(Language_Dir + QStringLiteral("/Deutsch.lng"), "STR0 =Anfang\nSTR15 =Neue Konfiguration");
    Write_Settings_File("<C><lastlang><language>Deutsch</language></lastlang></C>");
    TFTessalinorFirmWare &w = Start();
    EXPECT_EQ(w.L_Begin->text(), QStringLiteral("Anfang"));
    EXPECT_EQ(w.Btn_New->Caption(), QStringLiteral("Neue Konfiguration"));
    Language_Name = QStringLiteral("English");
    Load_Language();
    w.Change_Language();
    EXPECT_EQ(w.Btn_New->Caption(), QStringLiteral("New Configuration"));
}

TEST_F(MainWindowTest, NewAndOpenProjectThroughTheButtons)
{
    TFTessalinorFirmWare &w = Start();
    TFNew_Project new_project;
    TFOpenConf open_conf;
    FNew_Project = &new_project;
    FOpenConf = &open_conf;
    QTimer::singleShot(0, &new_project, [&] {
        new_project.E_New_Proj->setText(QStringLiteral("Line 1"));
        new_project.Btn_OK->Click();
    });
    w.Btn_New->Click();
    EXPECT_EQ(w.L_Name_Conf_L2->text(), QStringLiteral("Line 1"));
    EXPECT_EQ(Project_Path, Projects_Dir + QStringLiteral("/Line 1"));

    QDir().mkdir(Projects_Dir + QStringLiteral("/Another"));
    QTimer::singleShot(0, &open_conf, [&] {
        open_conf.ListBox1->setCurrentRow(0);
        open_conf.Btn_OK->Click();
    });
    w.Btn_Open->Click();
    EXPECT_EQ(Project_Name, QStringLiteral("Another"));
    EXPECT_EQ(Path_ParGen, Projects_Dir + QStringLiteral("/Another/ParGen.xml"));

    // Cancel changes nothing.
    QTimer::singleShot(0, &open_conf, [&] {
        open_conf.ListBox1->setCurrentRow(1);
        open_conf.Btn_Cancel->Click();
    });
    w.Btn_Open->Click();
    EXPECT_EQ(Project_Name, QStringLiteral("Another"));

    // OK with no name, or with a name that is no plain folder name, leaves no project open.
    QDir().mkdir(In_Temp(QStringLiteral("Outside")));
    for (const QString &name : {QString(), QStringLiteral("../Outside"), In_Temp(QStringLiteral("Outside")),
                                QStringLiteral("Another/bin"), QStringLiteral("..")}) {
        w.Apply_Open_Project(QStringLiteral("Another"));
        w.Apply_Open_Project(name);
        EXPECT_TRUE(Project_Path.isEmpty()) << name.toStdString();
        EXPECT_EQ(Path_ParGen, QStringLiteral("/ParGen.xml")) << name.toStdString();
        EXPECT_EQ(w.L_Name_Conf_L2->text(), QStringLiteral("Use Step1 to open or create new configuration"));
    }
}

class MainWindowWithProject : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        QDir().mkdir(Projects_Dir + QStringLiteral("/P"));
        Start().Apply_Open_Project(QStringLiteral("P"));
    }
};

TEST_F(MainWindowWithProject, EdeFileNameGetsCsvAndAsksBeforeOverwriting)
{
    QStringList written;
    Main->Hooks.Create_EDE_File = [&](const QString &name) { written << name; };
    Guard.Fake.FileAnswers = {"/x/plant", "/x/plant.Csv", Project_Path + "/old.csv", Project_Path + "/old.csv", ""};
    Write(Project_Path + QStringLiteral("/old.csv"), "x");
    Guard.Fake.Answers = {TMsgResult::No, TMsgResult::Yes};
    for (int i = 0; i < 5; ++i)
        Main->Btn_Click(Main->Button(QStringLiteral("Btn_BACnet_EDE_File")));
    EXPECT_EQ(written, QStringList({"/x/plant.csv", "/x/plant.Csv", Project_Path + "/old.csv"}));
    EXPECT_EQ(Guard.Fake.Calls[0].what, QStringLiteral("save"));
    EXPECT_EQ(Guard.Fake.Texts(), QStringList({Lang_Text(1105), Lang_Text(1105)}));
}

TEST_F(MainWindowWithProject, ScanDecodeAsksWhenTheNetworkFileExists)
{
    QString seen;
    Main->Hooks.Show_Scan_Decode = [&](int code, const QString &file, int type) {
        seen = QStringLiteral("%1 %2 %3").arg(code).arg(file).arg(type);
    };
    Main->Btn_Click(Main->Button(QStringLiteral("Btn_ScanDecode")));
    EXPECT_EQ(seen, QStringLiteral("0 %1 0").arg(Path_M_Bus));
    EXPECT_TRUE(Guard.Fake.Calls.empty());
    seen.clear();
    Write(Path_M_Bus, "<M_Bus/>");
    Guard.Fake.Answers = {TMsgResult::No};
    Main->Btn_Click(Main->Button(QStringLiteral("Btn_ScanDecode")));
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_EQ(Guard.Fake.LastText(), Lang_Text(35));
}

TEST_F(MainWindowWithProject, WhatIsNotInTheBuildIsReported)
{
    Main->Btn_Prm_Gen->Click();
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_TRUE(Guard.Fake.LastText().contains(QStringLiteral("FParGen")));
    for (const char *name : {"Btn_CreateBin", "Btn_PROFIBUS_GSD", "Btn_PROFINET_XML", "Btn_SNMP_MIB",
                             "Btn_CANopen_EDS", "Btn_BACnet_EDE_File", "Btn_ScanDecode"}) {
        Guard.Fake.Calls.clear();
        Main->Btn_Click(Main->Button(QLatin1String(name)));
        ASSERT_EQ(Guard.Fake.Calls.size(), 1u) << name;
        EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error) << name;
        EXPECT_TRUE(Guard.Fake.LastText().contains(QStringLiteral("not part of this build"))) << name;
    }
}

TEST_F(MainWindowWithProject, UpdateDeviceCompilesThenShowsTheUpdateDialogForEthernet)
{
    QStringList steps;
    Main->Hooks.Compile_Project = [&] { steps << QStringLiteral("compile"); };
    Main->Hooks.Show_Boot = [&](int form_type) { steps << QStringLiteral("boot %1").arg(form_type); };
    Main->Btn_CreateBin->Click();
    EXPECT_EQ(steps, QStringList({"compile", "boot 1"}));
    EXPECT_TRUE(Guard.Fake.Calls.empty());
}

TEST_F(MainWindowWithProject, EdsFileNameGetsItsExtension)
{
    QStringList written;
    Main->Hooks.Build_CANopen_EDS = [&](const QString &name) { written << name; };
    Guard.Fake.FileAnswers = {"/x/node", "/x/node.txt", ""};
    for (int i = 0; i < 3; ++i)
        Main->Btn_Click(Main->Button(QStringLiteral("Btn_CANopen_EDS")));
    EXPECT_EQ(written, QStringList({"/x/node.eds", "/x/node.txt"}));
}

TEST_F(MainWindowWithProject, GetTypeBACnet)
{
    struct Case { QByteArray xml; int type; };
    const Case cases[] = {
        {"<Par_Gen><BACnet_Type>2</BACnet_Type></Par_Gen>", 2},
        {"<Other><BACnet_Type>x</BACnet_Type></Other>", 0},
        {"<Par_Gen/>", 0},
        {"<Par_Gen><BACnet_Type>", 0},
    };
    EXPECT_EQ(Main->Get_Type_BACnet(), 0);
    for (const Case &c : cases) {
        Write(Path_ParGen, c.xml);
        EXPECT_EQ(Main->Get_Type_BACnet(), c.type) << c.xml.constData();
    }
}

} // namespace
