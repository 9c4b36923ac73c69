#include "app/softoptions.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "app/tessalinorfirmware.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/http.h"
#include "platform/rtl.h"
#include "platform/shell.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <future>

TFSoftOptions *FSoftOptions = nullptr;

namespace {

// The software code the version service knows this program by.
const QString Version_Service_Code = QStringLiteral("CF41R08");

QString Download_Link(const QString &text)
{
    return QStringLiteral("<a href=\"%1/Home/download/download.asp#GW41R08\">%2</a>")
        .arg(Maker_Site, text.toHtmlEscaped());
}

// A flag picture: the colour of its bottom-left pixel is left out.
QPixmap Flag(const QString &path)
{
    QImage image(path);
    if (image.isNull())
        return {};
    QPixmap pixmap = QPixmap::fromImage(image);
    if (!image.hasAlphaChannel())
        pixmap.setMask(pixmap.createMaskFromColor(image.pixelColor(0, image.height() - 1)));
    return pixmap.scaled(48, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QUrl Version_Service_Url()
{
    return QUrl(Maker_Site + QStringLiteral("/home/download/GetversionSW.asp?nomesw=") + Version_Service_Code);
}

TFSoftOptions::TFSoftOptions(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FSoftOptions"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    Create_Components();
    FormCreate();
}

void TFSoftOptions::Create_Components()
{
    Set_Form_Look(this);
    setFixedSize(509, 373);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    P_Title = Create_Title_Panel(this, L_SW_Code, L_SW_Desc);
    layout->addWidget(P_Title);
    PC_Options = new QTabWidget(this);
    PC_Options->setObjectName(QStringLiteral("PC_Options"));
    layout->addWidget(PC_Options, 1);
    P_Button = Create_Button_Panel(this, Btn_OK, Btn_Cancel);
    layout->addWidget(P_Button);
    Btn_OK->OnClick = [this](QObject *) { Btn_OKClick(); };
    Btn_Cancel->SetModalResult(mrCancel);

    const auto sheet = [this](const char *name) {
        auto *page = new QWidget;
        page->setObjectName(QLatin1String(name));
        PC_Options->addTab(page, QString());
        return page;
    };
    TS_Language = sheet("TS_Language");
    TS_Con_Options = sheet("TS_Con_Options");
    TS_Soft_Settings = sheet("TS_Soft_Settings");

    L_Sel_Lang = new QLabel(TS_Language);
    L_Sel_Lang->setObjectName(QStringLiteral("L_Sel_Lang"));
    L_Sel_Lang->setGeometry(12, 6, 480, 18);
    for (int k = 0; k < 6; ++k) {
        // Positions 1 to 3 run down the left column, 4 to 6 down the right one.
        const int left = k < 3 ? 24 : 260;
        const int top = 28 + (k % 3) * 52;
        I_L[k] = new QLabel(TS_Language);
        I_L[k]->setObjectName(QStringLiteral("I_L%1").arg(k + 1));
        I_L[k]->setGeometry(left, top, 48, 48);
        L_L[k] = new QLabel(TS_Language);
        L_L[k]->setObjectName(QStringLiteral("L_L%1").arg(k + 1));
        L_L[k]->setGeometry(left + 56, top + 16, 160, 18);
        for (QLabel *l : {I_L[k], L_L[k]}) {
            l->setCursor(Qt::PointingHandCursor);
            l->installEventFilter(this);
        }
    }
    Btn_Prev = new TLbButton(TS_Language);
    Btn_Prev->setObjectName(QStringLiteral("Btn_Prev"));
    Btn_Prev->setGeometry(8, 190, 90, 26);
    Btn_Next = new TLbButton(TS_Language);
    Btn_Next->setObjectName(QStringLiteral("Btn_Next"));
    Btn_Next->setGeometry(405, 190, 90, 26);
    for (TLbButton *b : {Btn_Prev, Btn_Next}) {
        Set_Button_Look(b);
        b->OnClick = [this](QObject *sender) { Btn_NextClick(sender); };
    }
    L_Page_Lang = new QLabel(TS_Language);
    L_Page_Lang->setObjectName(QStringLiteral("L_Page_Lang"));
    L_Page_Lang->setGeometry(104, 194, 295, 18);
    L_Page_Lang->setAlignment(Qt::AlignCenter);

    const auto box = [this](QWidget *page, const char *name, int left, int top) {
        auto *b = new QCheckBox(page);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(left, top, 470 - left, 20);
        connect(b, &QCheckBox::toggled, this, [this, b] { CB_En_ConClick(b); });
        return b;
    };
    CB_En_Con = box(TS_Con_Options, "CB_En_Con", 16, 16);
    CB_Update = box(TS_Con_Options, "CB_Update", 40, 44);
    Btn_Check_Update = new TLbButton(TS_Con_Options);
    Btn_Check_Update->setObjectName(QStringLiteral("Btn_Check_Update"));
    Btn_Check_Update->setGeometry(40, 80, 220, 28);
    Btn_Check_Update->OnClick = [this](QObject *) { Btn_Check_UpdateClick(); };
    Set_Button_Look(Btn_Check_Update);
    LL_Check_Update = new QLabel(TS_Con_Options);
    LL_Check_Update->setObjectName(QStringLiteral("LL_Check_Update"));
    LL_Check_Update->setGeometry(40, 120, 440, 18);
    connect(LL_Check_Update, &QLabel::linkActivated, this, [this](const QString &link) { LL_Check_UpdateLinkClick(link); });
    CB_Soft_Set_Jump_Table = box(TS_Soft_Settings, "CB_Soft_Set_Jump_Table", 16, 16);
    CB_DoubleClick_Auto_Size = box(TS_Soft_Settings, "CB_DoubleClick_Auto_Size", 16, 44);
}

void TFSoftOptions::FormCreate()
{
    SL_Languages.clear();
    L_SW_Code->setText(SW_Code);
    PC_Options->setTabVisible(PC_Options->indexOf(TS_Con_Options), true);
    Set_Lang();
}

int TFSoftOptions::exec()
{
    FormShow();
    return QDialog::exec();
}

void TFSoftOptions::FormShow()
{
    Language_In_Use = Language_Name;
    Create_Lang_List();
    Update_CheckBox();
    LL_Check_Update->hide();
    PC_Options->setCurrentWidget(TS_Language);
    CB_En_Con->setChecked(Opt_Internet);
    CB_Update->setChecked(Opt_Update_Check);
    CB_Soft_Set_Jump_Table->setChecked(Opt_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->setChecked(Opt_Double_Click_Auto_Size);
}

void TFSoftOptions::Create_Lang_List()
{
    SL_Languages.clear();
    // Every regular file: one that the user may not write is still a language.
    const QDir dir(Language_Dir);
    for (const QFileInfo &f : dir.entryInfoList({QStringLiteral("*.lng")}, QDir::Files | QDir::Hidden,
                                                QDir::Unsorted | QDir::IgnoreCase))
        if (f.isFile())
            SL_Languages << f.fileName();
    std::sort(SL_Languages.begin(), SL_Languages.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    Show_Page = 1;
    Update_Lang_Page(1);
}

QString TFSoftOptions::Page_Label() const
{
    return Lang_Text(305) + QString::number(Show_Page) + Lang_Text(306) + QString::number(page_count_);
}

void TFSoftOptions::Update_Lang_Page(int Num_Page)
{
    const int count = int(SL_Languages.size());
    page_count_ = (count + 5) / 6;
    L_Sel_Lang->setText(Lang_Text(304) + Language_In_Use);
    L_Page_Lang->setText(Lang_Text(305) + QString::number(Num_Page) + Lang_Text(306) +
                         QString::number(page_count_));
    Btn_Prev->setVisible(Num_Page != 1);
    Btn_Next->setVisible(Num_Page != page_count_);
    const int n = std::min(6, count - 6 * (Num_Page - 1));
    for (int k = 0; k < 6; ++k) {
        // Position 1 stays even on an empty page.
        const bool shown = k == 0 || k < n;
        I_L[k]->setVisible(shown);
        L_L[k]->setVisible(shown);
    }
    for (int k = 0; k < n; ++k) {
        const QString entry = SL_Languages.at(6 * (Num_Page - 1) + k);
        const QString name = entry.left(entry.size() - 4);
        L_L[k]->setText(name);
        QString flag = Find_File_NoCase(Language_Dir, name + QStringLiteral(".bmp"));
        if (flag.isEmpty())
            flag = Find_File_NoCase(Language_Dir, QStringLiteral("DefaultFlag.bmp"));
        const QPixmap picture = flag.isEmpty() ? QPixmap() : Flag(flag);
        I_L[k]->setPixmap(picture);
        I_L[k]->setVisible(!picture.isNull());
    }
}

void TFSoftOptions::Btn_NextClick(QObject *Sender)
{
    if (Sender == Btn_Next) {
        if (page_count_ >= Show_Page + 1)
            ++Show_Page;
    } else if (Show_Page >= 2) {
        --Show_Page;
    }
    Update_Lang_Page(Show_Page);
}

void TFSoftOptions::LangClick(QObject *Sender)
{
    int k = -1;
    for (int i = 0; i < 6; ++i)
        if (Sender == I_L[i] || Sender == L_L[i])
            k = i;
    const int index = 6 * Show_Page - 6 + k;
    // A position with no language behind it (an empty folder) does nothing.
    if (k < 0 || index >= SL_Languages.size())
        return;
    const QString entry = SL_Languages.at(index);
    const QString name = entry.left(entry.size() - 4);
    if (!MessageYesNo(Lang_Text(316) + Language_In_Use + Lang_Text(317) + name + Lang_Text(318), {}, this))
        return;
    Language_In_Use = name;
    // The new texts show at once; Language_Name changes only with OK.
    const QString kept = Language_Name;
    Language_Name = name;
    Load_Language();
    Language_Name = kept;
    if (FTessalinorFirmWare)
        FTessalinorFirmWare->Change_Language();
    else
        Set_Lang();
    L_Sel_Lang->setText(Lang_Text(304) + Language_In_Use);
}

void TFSoftOptions::CB_En_ConClick(QObject *)
{
    Update_CheckBox();
}

void TFSoftOptions::Update_CheckBox()
{
    CB_Update->setEnabled(CB_En_Con->isChecked());
    Btn_Check_Update->setEnabled(CB_Update->isEnabled() && CB_Update->isChecked());
}

int TFSoftOptions::Conv_Version(const QString &Ver_str)
{
    const qsizetype blank = Ver_str.indexOf(u' ');
    const QString version = Trim(blank < 0 ? Ver_str : Ver_str.mid(blank + 1));
    if (version.size() < 5)
        return -1;
    const QString digits = QString(version[0]) + version[2] + version[3] + version[4];
    for (QChar c : digits)
        if (c < u'0' || c > u'9')
            return -1;
    return digits.toInt();
}

bool TFSoftOptions::Check_Version()
{
    // The request runs on a worker and the windows go on painting until it answers or times
    // out; input waits, so no second check can start meanwhile.
    std::future<THttpReply> pending = std::async(std::launch::async, [] { return Http().Get(Version_Service_Url()); });
    while (pending.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const THttpReply reply = pending.get();
    const QString answer = reply.Ok() ? Trim(QString::fromLatin1(reply.Body)) : QString();
    const QString upper = answer.toUpper();
    if (upper.isEmpty() || upper == QLatin1String("VER. 0.000"))
        return false;
    const int own = Conv_Version(SW_Version);
    const int theirs = Conv_Version(answer);
    return own != -1 && theirs != -1 && theirs > own;
}

void TFSoftOptions::Btn_Check_UpdateClick()
{
    LL_Check_Update->setText(Check_Version() ? Download_Link(Lang_Text(314)) : Lang_Text(315).toHtmlEscaped());
    LL_Check_Update->show();
}

void TFSoftOptions::LL_Check_UpdateLinkClick(const QString &Link)
{
    ShellOpenLink(Link);
}

void TFSoftOptions::Btn_OKClick()
{
    Language_Name = Language_In_Use;
    Opt_Internet = CB_En_Con->isChecked();
    Opt_Update_Check = CB_Update->isChecked();
    if (FTessalinorFirmWare)
        FTessalinorFirmWare->Update_Timer_State();
    Opt_Jump_Field_Tables = CB_Soft_Set_Jump_Table->isChecked();
    Opt_Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->isChecked();
    done(mrOk);
}

void TFSoftOptions::Set_Lang()
{
    setWindowTitle(Lang_Text(300));
    L_SW_Desc->setText(Lang_Text(301));
    PC_Options->setTabText(PC_Options->indexOf(TS_Language), Lang_Text(302));
    PC_Options->setTabText(PC_Options->indexOf(TS_Con_Options), Lang_Text(303));
    PC_Options->setTabText(PC_Options->indexOf(TS_Soft_Settings), Lang_Text(319));
    L_Sel_Lang->setText(Lang_Text(304));
    // The page label keeps the page on show, in the new words.
    L_Page_Lang->setText(Page_Label());
    Btn_Prev->SetCaption(Lang_Text(307));
    Btn_Next->SetCaption(Lang_Text(308));
    CB_En_Con->setText(Lang_Text(309));
    CB_Update->setText(Lang_Text(310));
    Btn_Check_Update->SetCaption(Lang_Text(311));
    Btn_OK->SetCaption(Lang_Text(312));
    Btn_Cancel->SetCaption(Lang_Text(313));
    CB_Soft_Set_Jump_Table->setText(Lang_Text(320));
    CB_DoubleClick_Auto_Size->setText(Lang_Text(321));
}

bool TFSoftOptions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        for (int k = 0; k < 6; ++k)
            if (watched == I_L[k] || watched == L_L[k]) {
                LangClick(watched);
                return true;
            }
    }
    return QDialog::eventFilter(watched, event);
}
