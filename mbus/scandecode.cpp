#include "mbus/scandecode.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "app/valuechecks.h"
#include "controls/tree/lazystringtree.h"
#include "controls/tree/lazytreeglobals.h"
#include "grid/base/imagelist.h"
#include "grid/string/dazstringgrid.h"
#include "mbus/mbusscandecode.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/xml.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

TFScanDecode *FScanDecode = nullptr;
std::function<std::unique_ptr<TMBusScanDecode>()> TFScanDecode::Engine_Factory;

namespace {

constexpr int Client_Width = 922;
constexpr int Client_Height = 523;
constexpr int Client_Height_Method = 571;
constexpr int Title_Height = 69;
constexpr int Button_Panel_Height = 40;
constexpr int Field_X = 176;
constexpr int Row_Label_X = 32;
constexpr int Head_Label_X = 16;
constexpr int First_Row_Step = 32;
constexpr int Row_Step = 24;
constexpr int Heading_Step = 32;
constexpr int Button_Width = 145;
constexpr int Button_Gap = 8;
constexpr int Timer_Interval = 1000;
constexpr TColor Not_Found_Color = 0x0000FF;
constexpr TColor Found_Color = 0xFF0000;

const char *const Baud_Items[] = {"300", "600", "1200", "2400", "4800", "9600", "19200", "38400"};
const char *const Mode_Items[] = {"S", "T", "N1", "N2", "C"};
const int Mode_Codes[] = {1, 5, 15, 17, 11};
const char *const Channel_Items[] = {"1a @ 4800 bps", "1b @ 4800 bps", "2a @ 2400 bps",
                                     "2b @ 2400 bps", "3a @ 4800 bps", "3b @ 4800 bps",
                                     "0 @ 19200 bps", "2a @ 4800 bps", "2b @ 4800 bps"};

QComboBox *New_Combo(QWidget *parent, const char *name, int width, QStringList items)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->resize(width, 21);
    c->addItems(items);
    return c;
}

QLabel *New_Label(QWidget *parent, const char *name)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->resize(150, 16);
    return l;
}

QCheckBox *New_Check(QWidget *parent, const char *name)
{
    auto *c = new QCheckBox(parent);
    c->setObjectName(QLatin1String(name));
    c->resize(400, 18);
    return c;
}

QStringList Items(std::initializer_list<const char *> list)
{
    QStringList r;
    for (const char *s : list)
        r << QString::fromUtf8(s);
    return r;
}

template <size_t N> QStringList Items(const char *const (&list)[N])
{
    QStringList r;
    for (const char *s : list)
        r << QString::fromUtf8(s);
    return r;
}

// The four ParGen.xml elements holding the gateway's address, by family.
QString Address_Key(int family)
{
    switch (family) {
    case 15: return QStringLiteral("Modbus_TCP_Slave_IP");
    case 11: case 17: case 20: return QStringLiteral("PROFINET_IP");
    case 10: case 16: case 19: return QStringLiteral("Eth_IP");
    case 6: return QStringLiteral("BACnet_IP");
    case 18: return QStringLiteral("Ethernet_IP");
    default: return QStringLiteral("IP_");
    }
}

// The status list's two-cell line.
class TStatus_Delegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const TStatus_Line_Look look = Status_Line_Look(index.data().toString());
        const QRect r = option.rect;
        p->save();
        p->fillRect(r, option.palette.base());
        p->setPen(ToQColor(look.Color));
        if (look.Not_Found) {
            p->drawText(QRect(r.left(), r.top(), TStatus_Line_Look::Split_X, r.height()),
                        Qt::AlignLeft | Qt::AlignVCenter, look.Left);
            p->drawText(QRect(r.left() + TStatus_Line_Look::Split_X, r.top(),
                              r.width() - TStatus_Line_Look::Split_X - 1, r.height()),
                        Qt::AlignLeft | Qt::AlignVCenter, look.Right);
        } else {
            p->drawText(r, Qt::AlignLeft | Qt::AlignVCenter, look.Left);
        }
        p->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 13};
    }
};

} // namespace

TStatus_Line_Look Status_Line_Look(const QString &line)
{
    TStatus_Line_Look look;
    look.Not_Found = line.contains(QLatin1String("[NOT FOUND]"));
    if (!look.Not_Found) {
        look.Left = line;
        look.Color = Found_Color;
        return look;
    }
    const qsizetype bracket = line.indexOf(u'[');
    look.Left = line.left(bracket).trimmed();
    look.Right = line.mid(bracket).trimmed();
    look.Color = Not_Found_Color;
    return look;
}

TFScanDecode::TFScanDecode(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FScanDecode"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    Set_Form_Look(this);
    setFixedSize(Client_Width, Client_Height);

    P_Title = Create_Title_Panel(this, L_SW_Code, L_SW_Desc);
    P_Title->setGeometry(0, 0, Client_Width, Title_Height);
    Create_Options();
    Create_Results();
    Create_Buttons();
    T_InScan = new QTimer(this);
    T_InScan->setObjectName(QStringLiteral("T_InScan"));
    T_InScan->setInterval(Timer_Interval);
    connect(T_InScan, &QTimer::timeout, this, [this] { T_InScanTimer(); });

    // FormCreate: the scan thread, the trees, the options and the texts.
    TR_ScanDecode = Engine_Factory ? Engine_Factory() : std::make_unique<TMBusScanDecode>();
    IL_Tree1 = std::make_unique<TLTImageList>();
    for (const QColor &c : {QColor(30, 90, 170), QColor(40, 140, 60), QColor(120, 120, 120)}) {
        // Meter, record, detail row.
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        p.setPen(c.darker());
        p.setBrush(c);
        p.drawRoundedRect(QRect(2, 2, 11, 11), 2, 2);
        p.end();
        IL_Tree1->AddMasked(img, qRgb(255, 255, 255));
    }
    Init_Tree(LST, false);
    Init_Tree(LST_Wireless, true);
    Form_Type = 0;
    CB_ScanMethod->setCurrentIndex(0);
    Colomns_Width_Init();
    Splitter1->setSizes({200, 1000});   // the table 200 px high, the splitter free to move
    Set_Lang();
}

TFScanDecode::~TFScanDecode()
{
    // The thread ends before the window's callbacks go away.
    TR_ScanDecode.reset();
}

void TFScanDecode::Create_Options()
{
    P_Main = new QFrame(this);
    P_Main->setObjectName(QStringLiteral("P_Main"));
    QWidget *m = P_Main;
    L_ScanMethod = New_Label(m, "L_ScanMethod");
    CB_ScanMethod = New_Combo(m, "CB_ScanMethod", 200, {});
    L_ScanBy = New_Label(m, "L_ScanBy");
    CB_ScanBy = New_Combo(m, "CB_ScanBy", 200, {});
    L_HardwareType = New_Label(m, "L_HardwareType");
    CB_HardwareType = New_Combo(m, "CB_HardwareType", 200, {});
    L_IP = New_Label(m, "L_IP");
    QLineEdit **octets[4] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
    const char *defaults[4] = {"192", "168", "2", "205"};
    for (int i = 0; i < 4; ++i) {
        auto *e = new QLineEdit(QString::fromLatin1(defaults[i]), m);
        e->setObjectName(QStringLiteral("E_IP%1").arg(i + 1));
        e->resize(60, 21);
        e->installEventFilter(this);
        *octets[i] = e;
    }
    QLabel **dots[3] = {&L_IP_Dot1, &L_IP_Dot2, &L_IP_Dot3};
    for (int i = 0; i < 3; ++i) {
        *dots[i] = New_Label(m, "");
        (*dots[i])->setObjectName(QStringLiteral("L_IP_Dot%1").arg(i + 1));
        (*dots[i])->setText(QStringLiteral("."));
        (*dots[i])->resize(5, 16);
    }
    L_ComPort = New_Label(m, "L_ComPort");
    CB_ComPort = New_Combo(m, "CB_ComPort", 200, {});
    Btn_COM_List = new TLbButton(m);
    Btn_COM_List->setObjectName(QStringLiteral("Btn_COM_List"));
    Btn_COM_List->resize(25, 25);
    Btn_COM_List->SetHint(QStringLiteral("Update COM Ports List"));
    Btn_COM_List->OnClick = [this](QObject *) { Update_List_of_COM_Port(); };
    L_Port = New_Label(m, "L_Port");
    E_Port = new QLineEdit(QStringLiteral("502"), m);
    E_Port->setObjectName(QStringLiteral("E_Port"));
    E_Port->resize(60, 21);
    L_MBus_ParGen = New_Label(m, "L_MBus_ParGen");
    L_MBus_ParGen->resize(400, 16);
    L_MBus_Baud = New_Label(m, "L_MBus_Baud");
    CB_MBus_Baud = New_Combo(m, "CB_MBus_Baud", 100, Items(Baud_Items));
    CB_MBus_Baud->setCurrentIndex(3);
    L_MBus_Parity = New_Label(m, "L_MBus_Parity");
    CB_MBus_Parity = New_Combo(m, "CB_MBus_Parity", 100, Items({"NONE", "EVEN", "ODD"}));
    CB_MBus_Parity->setCurrentIndex(1);
    L_wMBus_Mode = New_Label(m, "L_wMBus_Mode");
    CB_wMBus_Mode = New_Combo(m, "CB_wMBus_Mode", 100, Items(Mode_Items));
    L_wMBus_Radio_Channel = New_Label(m, "L_wMBus_Radio_Channel");
    CB_wMBus_Radio_Channel = New_Combo(m, "CB_wMBus_Radio_Channel", 150, Items(Channel_Items));
    L_Option_Scan = New_Label(m, "L_Option_Scan");
    L_Option_Scan->resize(400, 16);
    CB_Opt_App_Reset = New_Check(m, "CB_Opt_App_Reset");
    CB_Opt_SND_NKE = New_Check(m, "CB_Opt_SND_NKE");
    L_Opt_Cut_After = New_Label(m, "L_Opt_Cut_After");
    E_Opt_Cut_After = new QLineEdit(QStringLiteral("3"), m);
    E_Opt_Cut_After->setObjectName(QStringLiteral("E_Opt_Cut_After"));
    E_Opt_Cut_After->resize(60, 21);
    CB_Opt_Use_Fix_C_Field = New_Check(m, "CB_Opt_Use_Fix_C_Field");
    CB_Opt_Use_Fix_C_Field->resize(140, 18);
    CB_Opt_Use_Fix_C_Field_Value = New_Combo(m, "CB_Opt_Use_Fix_C_Field_Value", 80,
                                             Items({"0x5X", "0x7X"}));
    CB_Opt_Check_BCD_to_Int = New_Check(m, "CB_Opt_Check_BCD_to_Int");
    CB_Opt_Enable_Remote_Scan = New_Check(m, "CB_Opt_Enable_Remote_Scan");
    for (QComboBox *c : {CB_HardwareType, CB_MBus_Baud, CB_MBus_Parity, CB_ScanBy, CB_ScanMethod})
        connect(c, qOverload<int>(&QComboBox::currentIndexChanged), this,
                [this] { Move_Object_Type_Form(); });
}

void TFScanDecode::Create_Results()
{
    P_TreeView = new QFrame(this);
    P_TreeView->setObjectName(QStringLiteral("P_TreeView"));
    // The result panels cover the options page, which stays shown behind them.
    P_TreeView->setAutoFillBackground(true);
    L_ScanProgress = New_Label(P_TreeView, "L_ScanProgress");
    L_ScanProgress->setGeometry(16, 8, 300, 16);
    L_Num_Slave = New_Label(P_TreeView, "L_Num_Slave");
    L_Num_Slave->setGeometry(320, 8, 100, 16);
    L_AvailableDevice = New_Label(P_TreeView, "L_AvailableDevice");
    L_AvailableDevice->setGeometry(16, 32, 300, 16);
    LST = new TLazyStringTree(P_TreeView);
    LST->setObjectName(QStringLiteral("LST"));
    LB_AvailableDevice = new QListWidget(P_TreeView);
    LB_AvailableDevice->setObjectName(QStringLiteral("LB_AvailableDevice"));
    LB_AvailableDevice->setItemDelegate(new TStatus_Delegate(LB_AvailableDevice));
    LB_AvailableDevice->setUniformItemSizes(true);
    LB_AvailableDevice->hide();

    P_View_Wireless = new QFrame(this);
    P_View_Wireless->setObjectName(QStringLiteral("P_View_Wireless"));
    P_View_Wireless->setAutoFillBackground(true);
    auto *wl = new QVBoxLayout(P_View_Wireless);
    wl->setContentsMargins(0, 0, 0, 0);
    wl->setSpacing(0);
    P_W_Title = new QFrame(P_View_Wireless);
    P_W_Title->setObjectName(QStringLiteral("P_W_Title"));
    P_W_Title->setFixedHeight(28);
    wl->addWidget(P_W_Title);
    Splitter1 = new QSplitter(Qt::Vertical, P_View_Wireless);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(3);
    P_W_Table = new QFrame(Splitter1);
    P_W_Table->setObjectName(QStringLiteral("P_W_Table"));
    auto *tl = new QVBoxLayout(P_W_Table);
    tl->setContentsMargins(0, 0, 0, 0);
    RUD_Wireless = new TDazStringGrid(P_W_Table);
    RUD_Wireless->setObjectName(QStringLiteral("RUD_Wireless"));
    tl->addWidget(RUD_Wireless);
    P_W_Tree = new QFrame(Splitter1);
    P_W_Tree->setObjectName(QStringLiteral("P_W_Tree"));
    auto *trl = new QVBoxLayout(P_W_Tree);
    trl->setContentsMargins(0, 0, 0, 0);
    LST_Wireless = new TLazyStringTree(P_W_Tree);
    LST_Wireless->setObjectName(QStringLiteral("LST_Wireless"));
    trl->addWidget(LST_Wireless);
    wl->addWidget(Splitter1, 1);

    IL_Wireless_Table = std::make_unique<TCustomImageList>(16, 16);
    for (const QColor &c : {QColor(200, 40, 40), QColor(40, 160, 40)}) {
        // Lock images: 0 encrypted (closed, red), 1 clear (open, green).
        QImage img(16, 16, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setPen(QPen(c, 2));
        p.drawArc(QRect(4, 1, 8, 9), 0, 180 * 16);
        p.fillRect(QRect(3, 7, 10, 8), c);
        p.end();
        IL_Wireless_Table->Add(img);
    }
    RUD_Wireless->SetGridImages(IL_Wireless_Table.get());
    RUD_Wireless->SetColCount(13);
    RUD_Wireless->SetRowCount(2);
    RUD_Wireless->SetFixedRows(1);
    RUD_Wireless->SetFixedCols(0);
    RUD_Wireless->SetFixedRowHeight(22);
    RUD_Wireless->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine,
                                          goHorzLine, goRowSelect, goColSizing});
    RUD_Wireless->OnClickCell = [this](TObject *, int row, int col) { RUD_WirelessClickCell(row, col); };
    // The arrow keys choose a meter as a click does; the wireless tree reads the current row.
    RUD_Wireless->OnRowChanged = [this](TObject *, int, int row) {
        RUD_WirelessClickCell(row, RUD_Wireless->Col());
    };
    RUD_Wireless->OnDblClickCell = [this](TObject *, int row, int col) {
        RUD_WirelessDblClickCell(row, col);
    };
}

void TFScanDecode::Create_Buttons()
{
    P_Button = new QFrame(this);
    P_Button->setObjectName(QStringLiteral("P_Button"));
    P_Button->setGeometry(0, Client_Height - Button_Panel_Height, Client_Width, Button_Panel_Height);
    TLbButton **buttons[6] = {&Btn_StartScan, &Btn_StopScan, &Btn_AbortScan,
                              &Btn_NewScan,   &Btn_SaveConf, &Btn_SaveConfManual};
    const char *names[6] = {"Btn_StartScan", "Btn_StopScan", "Btn_AbortScan",
                            "Btn_NewScan",   "Btn_SaveConf", "Btn_SaveConfManual"};
    for (int i = 0; i < 6; ++i) {
        auto *b = new TLbButton(P_Button);
        b->setObjectName(QLatin1String(names[i]));
        b->setGeometry(16 + i * (Button_Width + 6), 6, Button_Width, 28);
        Set_Button_Look(b);
        b->OnClick = [this](QObject *sender) { BtnClick(sender); };
        *buttons[i] = b;
    }
}

void TFScanDecode::Set_Lang()
{
    setWindowTitle(Lang_Text(2100));
    L_SW_Code->setText(Lang_Text(2101));
    L_SW_Desc->setText(Lang_Text(2102));
    L_ScanBy->setText(Lang_Text(2103));
    CB_ScanBy->clear();
    CB_ScanBy->addItems({Lang_Text(2104), Lang_Text(2105)});
    CB_ScanBy->setCurrentIndex(0);
    L_HardwareType->setText(Lang_Text(2106));
    CB_HardwareType->clear();
    CB_HardwareType->addItems({Lang_Text(2107), Lang_Text(2108)});
    CB_HardwareType->setCurrentIndex(0);
    L_IP->setText(Lang_Text(2109));
    L_ComPort->setText(Lang_Text(2110));
    L_MBus_ParGen->setText(Lang_Text(2111));
    L_MBus_Baud->setText(Lang_Text(2112));
    L_MBus_Parity->setText(Lang_Text(2113));
    L_Option_Scan->setText(Lang_Text(2114));
    CB_Opt_App_Reset->setText(Lang_Text(2115));
    CB_Opt_SND_NKE->setText(Lang_Text(2116));
    L_Opt_Cut_After->setText(Lang_Text(2117));
    L_ScanProgress->setText(Lang_Text(2118));
    L_AvailableDevice->setText(Lang_Text(2120));
    Btn_StartScan->SetCaption(Lang_Text(2121));
    Btn_StopScan->SetCaption(Lang_Text(2122));
    Btn_AbortScan->SetCaption(Lang_Text(2123));
    Btn_NewScan->SetCaption(Lang_Text(2124));
    Btn_SaveConf->SetCaption(Lang_Text(2125));
    Btn_SaveConfManual->SetCaption(Lang_Text(2139));
    L_ScanMethod->setText(Lang_Text(2131));
    CB_ScanMethod->clear();
    CB_ScanMethod->addItems({Lang_Text(2132), Lang_Text(2133)});
    CB_ScanMethod->setCurrentIndex(0);
    L_wMBus_Mode->setText(Lang_Text(2134));
    L_wMBus_Radio_Channel->setText(Lang_Text(2135));
    L_Port->setText(Lang_Text(2136));
    CB_Opt_Use_Fix_C_Field->setText(Lang_Text(2140));
    CB_Opt_Check_BCD_to_Int->setText(Lang_Text(2141));
    CB_Opt_Enable_Remote_Scan->setText(Lang_Text(2142));
}

void TFScanDecode::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFScanDecode::done(int r)
{
    FormClose();
    QDialog::done(r);
}

void TFScanDecode::FormShow()
{
    Move_Object_Type_Form();
    Update_List_of_COM_Port();
    TR_ScanDecode->Event_Run.SetEvent();
    if (File_Exists(Path_ParGen)) {
        try {
            TXmlDocument doc;
            doc.LoadFromFile(Path_ParGen);
            const TXmlNode root = doc.DocumentElement();
            const QString key = Address_Key(XML_Code_Dev);
            QLineEdit *edits[4] = {E_IP1, E_IP2, E_IP3, E_IP4};
            for (int i = 0; i < 4 && root; ++i) {
                const TXmlNode e = root.Child(key + QString::number(i + 1));
                if (e)
                    edits[i]->setText(e.Text());
            }
        } catch (const EXmlError &e) {
            // A damaged communication settings file: said, and the address stays as it is.
            MessageError(QString::fromStdString(e.what()), {}, this);
        }
    }
    Form_Style(1);
}

void TFScanDecode::FormClose()
{
    // A running scan is aborted and left to run its end states (the gateway leaves analyzer
    // or configuration mode); the thread keeps stepping until it has cleared InScan itself.
    if (TR_ScanDecode->InScan()) {
        TR_ScanDecode->Abort_Scan();
        closing_in_scan_ = true;
    } else {
        TR_ScanDecode->Event_Run.ResetEvent();
    }
}

bool TFScanDecode::Wireless_Chosen() const
{
    return Form_Type == 1 && CB_ScanMethod->currentIndex() == 1;
}

void TFScanDecode::Move_Object_Type_Form()
{
    const bool method = Form_Type == 1;
    const bool wireless = Wireless_Chosen();
    const bool serial = CB_HardwareType->currentIndex() == 1;
    setFixedSize(Client_Width, method ? Client_Height_Method : Client_Height);
    P_Button->setGeometry(0, height() - Button_Panel_Height, Client_Width, Button_Panel_Height);

    QWidget *all[] = {L_ScanMethod, CB_ScanMethod, L_ScanBy, CB_ScanBy, L_IP, E_IP1, E_IP2,
                      E_IP3, E_IP4, L_IP_Dot1, L_IP_Dot2, L_IP_Dot3, L_ComPort, CB_ComPort,
                      Btn_COM_List, L_Port, E_Port, L_MBus_Baud, CB_MBus_Baud, L_MBus_Parity,
                      CB_MBus_Parity, L_wMBus_Mode, CB_wMBus_Mode, L_wMBus_Radio_Channel,
                      CB_wMBus_Radio_Channel, CB_Opt_App_Reset, CB_Opt_SND_NKE, L_Opt_Cut_After,
                      E_Opt_Cut_After, CB_Opt_Use_Fix_C_Field, CB_Opt_Use_Fix_C_Field_Value};
    for (QWidget *w : all)
        w->hide();

    // Rows are placed by their label's top; a field sits 3 px higher at Field_X.
    int top = 11;
    bool first = true;
    auto row = [&](QLabel *label, QWidget *field, int label_x, int step) {
        if (!first)
            top += step;
        first = false;
        label->move(label_x, top);
        label->show();
        if (field) {
            field->move(Field_X, top - 3);
            field->show();
        }
    };
    auto check = [&](QCheckBox *box) {
        top += Row_Step;
        box->move(Row_Label_X, top);
        box->show();
    };
    if (method)
        row(L_ScanMethod, CB_ScanMethod, Head_Label_X, First_Row_Step);
    if (!wireless)
        row(L_ScanBy, CB_ScanBy, Head_Label_X, First_Row_Step);
    row(L_HardwareType, CB_HardwareType, Head_Label_X, First_Row_Step);
    if (serial) {
        row(L_ComPort, CB_ComPort, Row_Label_X, Row_Step);
        Btn_COM_List->move(Field_X + CB_ComPort->width() + 6, CB_ComPort->y() - 3);
        Btn_COM_List->show();
    } else {
        row(L_IP, nullptr, Row_Label_X, Row_Step);
        QLineEdit *octets[4] = {E_IP1, E_IP2, E_IP3, E_IP4};
        QLabel *dots[3] = {L_IP_Dot1, L_IP_Dot2, L_IP_Dot3};
        for (int i = 0; i < 4; ++i) {
            octets[i]->move(Field_X + 66 * i, top - 3);
            octets[i]->show();
            if (i < 3) {
                dots[i]->move(237 + 66 * i, top);
                dots[i]->show();
            }
        }
        if (wireless) {
            row(L_Port, E_Port, Row_Label_X, Row_Step);
            if (XML_Code_Dev == 12 || XML_Code_Dev == 15 || XML_Code_Dev == 18)
                E_Port->setText(QStringLiteral("10001"));
            E_Port->setEnabled(XML_Code_Dev != 12 && XML_Code_Dev != 15);
        }
    }
    row(L_MBus_ParGen, nullptr, Head_Label_X, Heading_Step);
    if (wireless) {
        row(L_wMBus_Mode, CB_wMBus_Mode, Row_Label_X, Row_Step);
        row(L_wMBus_Radio_Channel, CB_wMBus_Radio_Channel, Row_Label_X, Row_Step);
        row(L_Option_Scan, nullptr, Head_Label_X, Heading_Step);
    } else {
        row(L_MBus_Baud, CB_MBus_Baud, Row_Label_X, Row_Step);
        row(L_MBus_Parity, CB_MBus_Parity, Row_Label_X, Row_Step);
        row(L_Option_Scan, nullptr, Head_Label_X, Heading_Step);
        check(CB_Opt_App_Reset);
        check(CB_Opt_SND_NKE);
        row(L_Opt_Cut_After, E_Opt_Cut_After, Row_Label_X, Row_Step);
        check(CB_Opt_Use_Fix_C_Field);
        CB_Opt_Use_Fix_C_Field_Value->move(Field_X, top - 3);
        CB_Opt_Use_Fix_C_Field_Value->show();
    }
    check(CB_Opt_Check_BCD_to_Int);
    check(CB_Opt_Enable_Remote_Scan);
    Form_Style(style_);
}

void TFScanDecode::Form_Style(int Index)
{
    CB_HardwareType->setCurrentIndex(0);
    CB_HardwareType->setEnabled(false);
    if (Index < 1 || Index > 5)
        return;
    style_ = Index;
    const QRect middle(0, Title_Height, width(), height() - Title_Height - Button_Panel_Height);
    P_Main->setGeometry(middle);
    P_Main->show();
    // Behind the result panels the options take no focus, so no key changes them unseen.
    P_Main->setEnabled(Index == 1);
    for (TLbButton *b : {Btn_StartScan, Btn_StopScan, Btn_AbortScan, Btn_NewScan, Btn_SaveConf,
                         Btn_SaveConfManual})
        b->hide();
    auto place = [](TLbButton *b, int slot) {
        b->move(16 + slot * (Button_Width + Button_Gap), 6);
        b->show();
    };
    auto results = [&](QFrame *shown, QFrame *hidden) {
        hidden->hide();
        shown->setGeometry(middle);
        shown->show();
        shown->raise();
    };
    switch (Index) {
    case 1:
        place(Btn_StartScan, 0);
        P_TreeView->hide();
        P_View_Wireless->hide();
        break;
    case 2:
        place(Btn_StopScan, 0);
        place(Btn_AbortScan, 1);
        results(P_TreeView, P_View_Wireless);
        LST->hide();
        L_ScanProgress->setText(Lang_Text(2118));
        L_ScanProgress->show();
        L_Num_Slave->hide();
        L_AvailableDevice->show();
        LB_AvailableDevice->show();
        break;
    case 4:
        place(Btn_StopScan, 0);
        place(Btn_AbortScan, 1);
        results(P_View_Wireless, P_TreeView);
        break;
    case 3:
    case 5: {
        place(Btn_NewScan, 0);
        place(Btn_SaveConf, 1);
        const bool hide_manual = Index == 3 ? (XML_Code_Dev == 6 || XML_Code_Dev == 11
                                               || XML_Code_Dev == 15 || XML_Code_Dev == 20)
                                            : XML_Code_Dev == 15;
        if (!hide_manual)
            place(Btn_SaveConfManual, 2);
        if (Index == 3) {
            results(P_TreeView, P_View_Wireless);
            L_ScanProgress->setText(Lang_Text(2119));
            L_ScanProgress->show();
            L_Num_Slave->show();
            L_AvailableDevice->hide();
            LB_AvailableDevice->hide();
            LST->show();
        } else {
            results(P_View_Wireless, P_TreeView);
        }
        break;
    }
    default:
        break;
    }
    const int list_top = 52;
    LST->setGeometry(16, list_top - 20, middle.width() - 32, middle.height() - list_top + 12);
    LB_AvailableDevice->setGeometry(16, list_top, middle.width() - 32, middle.height() - list_top - 8);
}

void TFScanDecode::BtnClick(QObject *Sender)
{
    if (Sender == Btn_StartScan)
        Select_Scan();
    else if (Sender == Btn_StopScan)
        StopScan();
    else if (Sender == Btn_AbortScan)
        AbortScan();
    else if (Sender == Btn_NewScan)
        NewScan();
    else if (Sender == Btn_SaveConf)
        Select_SaveXML(0);
    else if (Sender == Btn_SaveConfManual)
        Select_SaveXML(1);
}

void TFScanDecode::Select_Scan()
{
    if (Wireless_Chosen())
        StarScanWireless();
    else
        StartScan();
}

void TFScanDecode::StartScan()
{
    TMBusScanDecode &t = *TR_ScanDecode;
    if (t.InScan()) {
        MessageError(Lang_Text(2126), {}, this);
        return;
    }
    Cancel_Device_List();
    const TScanType scan = CB_ScanBy->currentIndex() == 1 ? saSecondaryAddress : saPrimaryAddress;
    const TSelectHard hard = CB_HardwareType->currentIndex() == 1 ? shSerial : shEthernet;
    const QString ip_com = hard == shSerial
                               ? QStringLiteral("\\\\.\\") + CB_ComPort->currentText()
                               : QStringList{E_IP1->text(), E_IP2->text(), E_IP3->text(),
                                             E_IP4->text()}.join(u'.');
    int baud = StrToIntDef(CB_MBus_Baud->currentText(), 2400);
    if (baud <= 0)
        baud = 2400;
    const int cut_after = StrToIntDef(E_Opt_Cut_After->text(), 3);
    LB_AvailableDevice->clear();
    LB_AvailableDevice->show();
    t.SaveXMLFile.clear();
    try {
        t.Start_Scan(scan, hard, ip_com, baud, CB_MBus_Parity->currentIndex(),
                     CB_Opt_App_Reset->isChecked(), CB_Opt_SND_NKE->isChecked(), cut_after,
                     CB_Opt_Use_Fix_C_Field->isChecked(),
                     CB_Opt_Use_Fix_C_Field_Value->currentIndex(),
                     CB_Opt_Enable_Remote_Scan->isChecked() ? 1 : 0,
                     [this](int k, int v, int f, int m) {
                         QMetaObject::invokeMethod(this, [this, k, v, f, m] {
                             Show_Scan_Status(k, v, f, m);
                         }, Qt::QueuedConnection);
                     });
    } catch (const std::exception &e) {
        MessageError(QString::fromStdString(e.what()), {}, this);
        return;
    }
    Form_Style(2);
    T_InScan->start();
}

void TFScanDecode::StarScanWireless()
{
    TMBusScanDecode &t = *TR_ScanDecode;
    if (t.InScan()) {
        MessageError(Lang_Text(2126), {}, this);
        return;
    }
    const int port = StrToIntDef(E_Port->text(), -1);
    if (port < 0 || port > 65535) {
        MessageError(Lang_Text(2138), {}, this);
        return;
    }
    Cancel_Device_List_Wireless();
    const QString ip = QStringList{E_IP1->text(), E_IP2->text(), E_IP3->text(), E_IP4->text()}.join(u'.');
    const int mode = Mode_Codes[std::clamp(CB_wMBus_Mode->currentIndex(), 0, 4)];
    Cancel_Grid_Wireless();
    try {
        t.Start_Scan_Wireless(shEthernet, ip, uint16_t(port), mode,
                              CB_wMBus_Radio_Channel->currentIndex(),
                              CB_Opt_Enable_Remote_Scan->isChecked() ? 1 : 0,
                              [this](int row, TSlave_wMBus *meter) { Show_Wireless_Slave_Row(row, meter); },
                              false);
    } catch (const std::exception &e) {
        MessageError(QString::fromStdString(e.what()), {}, this);
        return;
    }
    Form_Style(4);
    T_InScan->start();
}

void TFScanDecode::StopScan()
{
    if (TR_ScanDecode->InScan())
        TR_ScanDecode->Stop_Scan();
}

void TFScanDecode::AbortScan()
{
    if (TR_ScanDecode->InScan())
        TR_ScanDecode->Abort_Scan();
}

void TFScanDecode::NewScan()
{
    Cancel_Device_List();
    Form_Style(1);
}

void TFScanDecode::T_InScanTimer()
{
    T_InScan->stop();
    if (TR_ScanDecode->InScan()) {
        T_InScan->start();
        return;
    }
    if (closing_in_scan_) {
        closing_in_scan_ = false;
        if (!isVisible())
            TR_ScanDecode->Event_Run.ResetEvent();
    }
    // Status lines still on their way come before the results.
    QCoreApplication::sendPostedEvents(this);
    if (TR_ScanDecode->Result() == 2) {
        MessageError(Lang_Text(2129), {}, this);
        Form_Style(1);
    } else if (CB_ScanMethod->currentIndex() == 1) {
        Form_Style(5);
    } else {
        Form_Style(3);
        Show_Slave_in_Tree();
    }
}

void TFScanDecode::Show_Scan_Status(int Kind, int Value, int Found, int Mode)
{
    QString line;
    if (Kind == 1 && Mode != 1)
        line = Lang_Text(2127);
    else if (Kind == 2 && Mode == 1)
        line = QStringLiteral("ID = ") + QString::number(Value) + u'\t'
               + (Found == 0 ? QStringLiteral("[NOT FOUND]") : QString());
    else if (Kind == 2)
        line = QStringLiteral("ID = ") + IntToHex(uint32_t(Value), 8);
    else if (Kind == 3 && Mode != 1)
        line = Lang_Text(2128);
    if (!line.isNull())
        LB_AvailableDevice->addItem(line);
    // The last line becomes the top line.
    if (LB_AvailableDevice->count() > 0)
        LB_AvailableDevice->scrollToItem(LB_AvailableDevice->item(LB_AvailableDevice->count() - 1),
                                         QAbstractItemView::PositionAtTop);
}

bool TFScanDecode::eventFilter(QObject *watched, QEvent *event)
{
    QLineEdit *octets[4] = {E_IP1, E_IP2, E_IP3, E_IP4};
    if (event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->text() == QLatin1String(".")) {
        for (int i = 0; i < 4; ++i)
            if (watched == octets[i]) {
                if (i < 3 && octets[i + 1]->isEnabled() && octets[i + 1]->isVisible()) {
                    // The next octet is typed over, as after Tab.
                    octets[i + 1]->setFocus(Qt::TabFocusReason);
                    octets[i + 1]->selectAll();
                }
                return true;
            }
    }
    return QDialog::eventFilter(watched, event);
}

void TFScanDecode::Update_List_of_COM_Port()
{
    CB_ComPort->clear();
    const QStringList ports = Get_COM_Port_List();
    for (int n = 1; n <= ports.size(); ++n)
        CB_ComPort->addItem(QStringLiteral("COM%1").arg(n));
    if (CB_ComPort->count() > 0)
        CB_ComPort->setCurrentIndex(0);
}
