#include "app/about.h"
#include "app/lbbutton.h"
#include "app/softoptions.h"
#include "app/tessalinorfirmware.h"
#include "common/loopback_http_server.h"
#include "common/wait_until.h"
#include "platform/http.h"
#include "platform/process.h"
#include "shell_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QProperty>
#include <QRegularExpression>
#include <QTabWidget>
#include <QThread>
#include <QTimer>

#include <atomic>

namespace {

THttpReply Reply(int status, const QByteArray &body)
{
    THttpReply r;
    r.Status = status;
    r.Body = body;
    return r;
}

class OptionsTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Form = std::make_unique<TFSoftOptions>();
    }
    void TearDown() override
    {
        Form.reset();
        Main.reset();
        FTessalinorFirmWare = nullptr;
        ShellTest::TearDown();
    }
    void Language(const QString &file, const QByteArray &content = "STR0 =x")
    {
        Write(Language_Dir + QLatin1Char('/') + file, content);
    }
    void Flag(const QString &file, QRgb colour)
    {
        // A white ground (left out as the key colour) around the coloured flag.
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int y = 2; y < 18; ++y)
            for (int x = 2; x < 18; ++x)
                image.setPixel(x, y, colour);
        ASSERT_TRUE(image.save(Language_Dir + QLatin1Char('/') + file, "BMP"));
    }
    std::vector<bool> Shown_Positions() const
    {
        std::vector<bool> shown;
        for (const QLabel *l : Form->L_L)
            shown.push_back(!l->isHidden());
        return shown;
    }
    TFTessalinorFirmWare &Start_Main()
    {
        Main = std::make_unique<TFTessalinorFirmWare>();
        FTessalinorFirmWare = Main.get();
        return *Main;
    }

    THttpFakeGuard Net;
    std::unique_ptr<TFSoftOptions> Form;
    std::unique_ptr<TFTessalinorFirmWare> Main;
};

} // namespace

TEST(ConvVersion, DigitPointAndThreeDigitsAfterTheFirstBlank)
{
    const std::pair<const char *, int> cases[] = {
        {"VER. 1.234", 1234}, {"1.000", 1000},      {"ver. 1.001", 1001},   {"VER.   2.500  ", 2500},
        {"VER. 1.23", -1},    {"VER. x.234", -1},   {"VER. $.FFF", -1},     {"VER. 12.345", -1},
        {"", -1},             {"VER.", -1},         {"VER. 0.000", 0},      {"A B 1.234", -1},
    };
    for (const auto &[text, value] : cases)
        EXPECT_EQ(TFSoftOptions::Conv_Version(QLatin1String(text)), value) << text;
}

TEST_F(OptionsTest, CheckVersionSaysNewerOnlyForAHigherVersion)
{
    struct Case
    {
        THttpReply reply;
        bool newer;
    };
    THttpReply failed;
    failed.Error = QStringLiteral("No reply within 10 s");
    const Case cases[] = {
        {Reply(200, "VER. 1.001"), true},        {Reply(200, "ver. 1.001\r\n"), true},
        {Reply(200, " \t VER. 2.000 \r\n"), true}, {Reply(200, "VER. 1.000"), false},
        {Reply(200, "VER. 0.000"), false},       {Reply(200, ""), false},
        {Reply(404, "VER. 9.999"), false},       {failed, false},
        {Reply(200, "<html><body>Error 500</body></html>"), false},
        {Reply(200, "VER. 9.99"), false},
    };
    for (const Case &c : cases) {
        Net.Fake.Replies = {c.reply};
        EXPECT_EQ(Form->Check_Version(), c.newer) << c.reply.Body.constData();
    }
    ASSERT_FALSE(Net.Fake.Requests.empty());
    const QUrl asked = Net.Fake.Requests.front();
    EXPECT_EQ(asked.path(), QStringLiteral("/home/download/GetversionSW.asp"));
    EXPECT_EQ(asked.query(), QStringLiteral("nomesw=CF41R08"));
}

TEST_F(OptionsTest, WindowsKeepPaintingWhileTheServiceAnswers)
{
    // The service answers only once the window has run a timer of its own, so the test does
    // not depend on how fast the machine is.
    std::atomic<bool> served = false;
    class TSlow : public IHttpClient
    {
    public:
        explicit TSlow(std::atomic<bool> &Served) : FServed(Served) {}
        THttpReply Get(const QUrl &) override
        {
            WaitUntil([this] { return FServed.load(); }, false);
            return Reply(200, "VER. 1.001");
        }

    private:
        std::atomic<bool> &FServed;
    } slow(served);
    SetHttp(&slow);
    QTimer::singleShot(0, [&served] { served = true; });
    const bool newer = Form->Check_Version();
    SetHttp(&Net.Fake);
    EXPECT_TRUE(newer);
    EXPECT_TRUE(served);
}

TEST_F(OptionsTest, CheckVersionAgainstALoopbackServer)
{
    // The real client, with the service's host taken to a local peer.
    class TTo_Loopback : public IHttpClient
    {
    public:
        quint16 Port = 0;
        QUrl Asked;
        THttpReply Get(const QUrl &url) override
        {
            Asked = url;
            QUrl local = url;
            local.setScheme(QStringLiteral("http"));
            local.setHost(QStringLiteral("127.0.0.1"));
            local.setPort(Port);
            return THttpClient(3000).Get(local);
        }
    } redirect;
    const auto serve = [&](const QByteArray &answer) {
        TLoopback_Server server(answer);
        redirect.Port = server.Port;
        SetHttp(&redirect);
        const bool newer = Form->Check_Version();
        SetHttp(&Net.Fake);
        EXPECT_TRUE(server.Request().startsWith("GET /home/download/GetversionSW.asp?nomesw=CF41R08 HTTP/1.0\r\n"));
        return newer;
    };
    EXPECT_TRUE(serve("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\nVER. 1.002"));
    EXPECT_FALSE(serve("HTTP/1.0 200 OK\r\n\r\nVER. 1.000"));
    EXPECT_FALSE(serve("HTTP/1.0 500 Internal Server Error\r\n\r\nVER. 3.000"));
}

TEST_F(OptionsTest, LanguagePagesOfSix)
{
    for (const char *name : {"Polski.lng", "english.lng", "Deutsch.lng", "Italiano.lng", "Espanol.lng",
                             "Francais.lng", "Cesky.lng"})
        Language(QLatin1String(name));
    Language(QStringLiteral("notes.txt"));
    QDir().mkdir(Language_Dir + QStringLiteral("/Folder.lng"));
    Form->FormShow();
    EXPECT_EQ(Form->SL_Languages,
              QStringList({"Cesky.lng", "Deutsch.lng", "english.lng", "Espanol.lng", "Francais.lng",
                           "Italiano.lng", "Polski.lng"}));
    EXPECT_EQ(Form->L_Page_Lang->text(), QStringLiteral("Page 1 / 2"));
    EXPECT_TRUE(Form->Btn_Prev->isHidden());
    EXPECT_FALSE(Form->Btn_Next->isHidden());
    EXPECT_EQ(Shown_Positions(), std::vector<bool>(6, true));
    EXPECT_EQ(Form->L_L[2]->text(), QStringLiteral("english"));
    EXPECT_EQ(Form->PC_Options->currentWidget(), Form->TS_Language);

    Form->Btn_NextClick(Form->Btn_Next);
    EXPECT_EQ(Form->Show_Page, 2);
    EXPECT_EQ(Form->L_Page_Lang->text(), QStringLiteral("Page 2 / 2"));
    EXPECT_FALSE(Form->Btn_Prev->isHidden());
    EXPECT_TRUE(Form->Btn_Next->isHidden());
    EXPECT_EQ(Shown_Positions(), std::vector<bool>({true, false, false, false, false, false}));
    EXPECT_EQ(Form->L_L[0]->text(), QStringLiteral("Polski"));
    Form->Btn_NextClick(Form->Btn_Next);
    EXPECT_EQ(Form->Show_Page, 2);
    Form->Btn_NextClick(Form->Btn_Prev);
    Form->Btn_NextClick(Form->Btn_Prev);
    EXPECT_EQ(Form->Show_Page, 1);

    // Six files: one page and no page buttons.
    QFile::remove(Language_Dir + QStringLiteral("/Polski.lng"));
    Form->FormShow();
    EXPECT_EQ(Form->L_Page_Lang->text(), QStringLiteral("Page 1 / 1"));
    EXPECT_TRUE(Form->Btn_Prev->isHidden());
    EXPECT_TRUE(Form->Btn_Next->isHidden());
}

TEST_F(OptionsTest, FlagsFallBackToTheDefaultFlag)
{
    Language(QStringLiteral("Deutsch.lng"));
    Language(QStringLiteral("Italiano.lng"));
    // A file the user may not write is still a language.
    QFile(Language_Dir + QStringLiteral("/Italiano.lng")).setPermissions(QFile::ReadOwner);
    Flag(QStringLiteral("Deutsch.bmp"), qRgb(255, 0, 0));
    Form->FormShow();
    ASSERT_EQ(Form->SL_Languages.size(), 2);
    EXPECT_FALSE(Form->I_L[0]->isHidden());
    EXPECT_TRUE(Form->I_L[1]->isHidden());           // neither its own flag nor the default
    EXPECT_EQ(Form->L_L[1]->text(), QStringLiteral("Italiano"));
    Flag(QStringLiteral("DefaultFlag.bmp"), qRgb(0, 0, 255));
    Form->FormShow();
    EXPECT_FALSE(Form->I_L[1]->isHidden());
    EXPECT_EQ(Form->I_L[1]->pixmap().size(), QSize(48, 48));
    EXPECT_EQ(Form->I_L[1]->pixmap().toImage().pixelColor(24, 24), QColor(0, 0, 255));
    EXPECT_EQ(Form->I_L[0]->pixmap().toImage().pixelColor(24, 24), QColor(255, 0, 0));
    EXPECT_EQ(Form->I_L[0]->pixmap().toImage().pixelColor(0, 47).alpha(), 0);
}

TEST_F(OptionsTest, NoLanguageFiles)
{
    Form->FormShow();
    EXPECT_EQ(Form->L_Page_Lang->text(), QStringLiteral("Page 1 / 0"));
    EXPECT_TRUE(Form->Btn_Prev->isHidden());
    EXPECT_FALSE(Form->Btn_Next->isHidden());
    EXPECT_EQ(Shown_Positions(), std::vector<bool>({true, false, false, false, false, false}));
    Form->Btn_NextClick(Form->Btn_Next);
    EXPECT_EQ(Form->Show_Page, 1);
    // Position 1 has no language behind it: nothing is asked or changed.
    Form->LangClick(Form->L_L[0]);
    EXPECT_TRUE(Guard.Fake.Calls.empty());
    EXPECT_EQ(Form->Language_In_Use, QStringLiteral("English"));
}

TEST_F(OptionsTest, ChosenLanguageShowsAtOnceAndIsKeptOnlyByOk)
{
    Language(QStringLiteral("Italiano.lng"), "STR300 =Opzioni\nSTR304 =Lingua:\n");
    Form->FormShow();
    Guard.Fake.Answers = {TMsgResult::No};
    Form->LangClick(Form->I_L[0]);
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Confirmation);
    EXPECT_EQ(Guard.Fake.Calls[0].text,
              QStringLiteral("Do you want to change the Language from English to Italiano?"));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Software Options"));

    Guard.Fake.Answers = {TMsgResult::Yes};
    Form->LangClick(Form->L_L[0]);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Opzioni"));
    EXPECT_EQ(Form->L_Sel_Lang->text(), QStringLiteral("Lingua:Italiano"));
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
    Form->done(mrCancel);                            // Cancel: the setting stays English
    EXPECT_EQ(Language_Name, QStringLiteral("English"));

    Form->FormShow();
    Guard.Fake.Answers = {TMsgResult::Yes};
    Form->LangClick(Form->L_L[0]);
    Form->Btn_OKClick();
    EXPECT_EQ(Language_Name, QStringLiteral("Italiano"));
    EXPECT_EQ(Form->result(), mrOk);
}

TEST_F(OptionsTest, InternetBoxesAndOk)
{
    TFTessalinorFirmWare &main = Start_Main();
    Opt_Internet = true;
    Opt_Update_Check = true;
    Opt_Double_Click_Auto_Size = true;
    Form->FormShow();
    EXPECT_TRUE(Form->CB_Update->isEnabled());
    EXPECT_TRUE(Form->Btn_Check_Update->isEnabled());
    EXPECT_TRUE(Form->LL_Check_Update->isHidden());

    // Off-line leaves the check box ticked but greyed, and the button off.
    Form->CB_En_Con->setChecked(false);
    EXPECT_FALSE(Form->CB_Update->isEnabled());
    EXPECT_TRUE(Form->CB_Update->isChecked());
    EXPECT_FALSE(Form->Btn_Check_Update->isEnabled());
    Form->CB_Soft_Set_Jump_Table->setChecked(true);
    Form->CB_DoubleClick_Auto_Size->setChecked(false);
    Form->Btn_OKClick();
    EXPECT_FALSE(Opt_Internet);
    EXPECT_TRUE(Opt_Update_Check);
    EXPECT_TRUE(Opt_Jump_Field_Tables);
    EXPECT_FALSE(Opt_Double_Click_Auto_Size);
    EXPECT_FALSE(main.Timer_Update->isActive());

    Form->FormShow();
    Form->CB_En_Con->setChecked(true);
    Form->Btn_OKClick();
    EXPECT_TRUE(main.Timer_Update->isActive());
    EXPECT_EQ(main.Timer_Update->interval(), 60000);

    // Cancel changes none of the options.
    Form->FormShow();
    Form->CB_Update->setChecked(false);
    Form->done(mrCancel);
    EXPECT_TRUE(Opt_Update_Check);
}

TEST_F(OptionsTest, OkFromTheMainWindowWritesTheSettingsFileCancelKeepsIt)
{
    TFTessalinorFirmWare &main = Start_Main();
    FSoftOptions = Form.get();
    const QString settings = In_Temp(QStringLiteral("Tessalinor.xml"));
    QFile::remove(settings);
    const auto run = [&](TLbButton *closer) {
        QTimer::singleShot(0, Form.get(), [this, closer] {
            Form->CB_Soft_Set_Jump_Table->setChecked(true);
            Form->CB_En_Con->setChecked(true);
            Form->CB_Update->setChecked(true);
            closer->Click();
        });
        main.Btn_Click(main.Btn_Opz);
    };
    run(Form->Btn_Cancel);
    EXPECT_FALSE(QFile::exists(settings));
    EXPECT_FALSE(Opt_Jump_Field_Tables);
    EXPECT_FALSE(main.Timer_Update->isActive());

    run(Form->Btn_OK);
    const QByteArray written = Read_File(settings);
    EXPECT_TRUE(written.contains("<enable_jump_field_tables>1</enable_jump_field_tables>")) << written.constData();
    EXPECT_TRUE(written.contains("<enable_internet>1</enable_internet>"));
    EXPECT_TRUE(main.Timer_Update->isActive());
    FSoftOptions = nullptr;
}

TEST_F(OptionsTest, ManualCheckShowsTheLinkOrNoUpdate)
{
    Net.Fake.Replies = {Reply(200, "VER. 1.100"), Reply(200, "VER. 1.000")};
    Form->FormShow();
    Form->Btn_Check_UpdateClick();
    EXPECT_FALSE(Form->LL_Check_Update->isHidden());
    EXPECT_TRUE(Form->LL_Check_Update->text().contains(QLatin1String("/Home/download/download.asp#GW41R08")));
    EXPECT_TRUE(Form->LL_Check_Update->text().contains(QLatin1String("New Version Available. Click Here for more Details")));
    Form->Btn_Check_UpdateClick();
    EXPECT_EQ(Form->LL_Check_Update->text(), QStringLiteral("No Update Available"));
}

TEST_F(OptionsTest, ReleaseTimerChecksThenWaitsTwoHours)
{
    Write(In_Temp(QStringLiteral("Tessalinor.xml")),
          "<C><lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update></lastinternet></C>");
    TFTessalinorFirmWare &main = Start_Main();
    FSoftOptions = Form.get();
    ASSERT_TRUE(main.Timer_Update->isActive());
    EXPECT_EQ(main.Timer_Update->interval(), 60000);

    Net.Fake.Replies = {Reply(200, "VER. 1.001")};
    main.Timer_UpdateTimer();
    EXPECT_FALSE(main.LL_Update->isHidden());
    EXPECT_TRUE(main.LL_Update->text().contains(QLatin1String("New Version Available")));
    EXPECT_TRUE(main.LL_Update->text().contains(QLatin1String("/Home/download/download.asp#GW41R08")));
    EXPECT_EQ(main.Timer_Update->interval(), 7200000);
    EXPECT_TRUE(main.Timer_Update->isActive());

    // No reply at all: the link goes, the timer goes on.
    main.Timer_UpdateTimer();
    EXPECT_TRUE(main.LL_Update->isHidden());
    EXPECT_TRUE(main.Timer_Update->isActive());
    EXPECT_EQ(Net.Fake.Requests.size(), 2u);

    // OK in the options with both still on does not restart the count: a restart would
    // stop and start the timer, and each of those announces itself on its active property.
    int activeChanges = 0;
    const auto restarts =
        main.Timer_Update->bindableActive().addNotifier([&activeChanges] { ++activeChanges; });
    const int id = main.Timer_Update->timerId();
    Form->FormShow();
    Form->Btn_OKClick();
    EXPECT_EQ(activeChanges, 0);
    EXPECT_TRUE(main.Timer_Update->isActive());
    EXPECT_EQ(main.Timer_Update->timerId(), id);
    FSoftOptions = nullptr;
}

TEST_F(OptionsTest, LinksOpenTheMakersPagesInTheBrowser)
{
    TFakeProcessesGuard desktop;
    const auto href = [](const QLabel *label) {
        return QRegularExpression(QStringLiteral("href=\"([^\"]+)\"")).match(label->text()).captured(1);
    };
    const QString download = Maker_Site + QStringLiteral("/Home/download/download.asp#GW41R08");

    Net.Fake.Replies = {Reply(200, "VER. 1.100"), Reply(200, "VER. 1.100")};
    Form->FormShow();
    Form->Btn_Check_UpdateClick();
    emit Form->LL_Check_Update->linkActivated(href(Form->LL_Check_Update));

    TFTessalinorFirmWare &main = Start_Main();
    FSoftOptions = Form.get();
    main.Timer_UpdateTimer();
    emit main.LL_Update->linkActivated(href(main.LL_Update));
    emit main.L_Qelvar->linkActivated(href(main.L_Qelvar));
    FSoftOptions = nullptr;

    TFAbout about;
    for (QLabel *link : {about.Label4, about.Image2}) {
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), link->mapToGlobal(QPointF(2, 2)),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(link, &release);
    }
    QStringList opened;
    for (const TFakeProcesses::Call &c : desktop.Fake.Calls) {
        EXPECT_EQ(c.what, QStringLiteral("open"));
        opened << c.program;
    }
    EXPECT_EQ(opened, QStringList({download, download, Maker_Home_Page(), Maker_Home_Page(), Maker_Home_Page()}));
}

TEST_F(OptionsTest, CaptionsFromTheTextTable)
{
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Software Options"));
    EXPECT_EQ(Form->L_SW_Code->text(), QStringLiteral("CF41R08"));
    EXPECT_EQ(Form->L_Page_Lang->text(), QStringLiteral("Page 1 / 1"));
    EXPECT_EQ(Form->PC_Options->tabText(2), QStringLiteral("Software Settings"));
    EXPECT_EQ(Form->CB_Update->text(), QStringLiteral("Check Software Update at Start of Program"));
    EXPECT_EQ(Form->Btn_Cancel->ModalResult(), mrCancel);
    EXPECT_EQ(Form->Btn_OK->ModalResult(), mrNone);
    EXPECT_EQ(Form->size(), QSize(509, 373));
}

TEST_F(OptionsTest, AboutBoxShowsTheBuild)
{
    SW_Description = QStringLiteral("EtherNet/IP Master / LoRaWAN - Converter");
    TFAbout about;
    about.FormShow();
    EXPECT_EQ(about.Label2->text(), SW_Description);
    EXPECT_EQ(about.Label9->text(), QStringLiteral("CF41R08"));
    EXPECT_EQ(about.L_SW_Code->text(), QStringLiteral("CF41R08"));
    EXPECT_EQ(about.Label10->text(), QStringLiteral("1.000"));
    EXPECT_EQ(about.Label12->text(), QStringLiteral("UM41R08"));
    EXPECT_EQ(about.Label1->text(), QStringLiteral("Software Tessalinor "));
    EXPECT_EQ(about.size(), QSize(425, 148));
    EXPECT_EQ(about.LbButton1->ModalResult(), mrOk);
    EXPECT_EQ(about.LbButton1->Caption(), QStringLiteral("OK"));
    EXPECT_TRUE(Maker_Home_Page().endsWith(QLatin1String("/HOME/default.asp?frompg=CF41R08")));
    about.LbButton1->Click();
    EXPECT_EQ(about.result(), mrOk);
}
