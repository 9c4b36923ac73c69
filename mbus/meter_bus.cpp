#include "mbus/meter_bus.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "mbus/dazpagecontrol.h"
#include "mbus/newidnode.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/rtl.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QTreeWidget>

using namespace UMeter_Bus;

TFMeter_Bus *FMeter_Bus = nullptr;

namespace {

const QStringList &Type_Of_Data_Names()
{
    static const QStringList names = {
        QStringLiteral("Energy (Wh)"), QStringLiteral("Energy (J)"), QStringLiteral("Volume (m³)"),
        QStringLiteral("Mass (Kg)"), QStringLiteral("On Time"), QStringLiteral("Operating Time"),
        QStringLiteral("Power (W)"), QStringLiteral("Power (J/h)"), QStringLiteral("Volume Flow (m³/h)"),
        QStringLiteral("Volume Flow Ext. (m³/min)"), QStringLiteral("Volume Flow Ext. (m³/s)"),
        QStringLiteral("Mass Flow (Kg/h)"), QStringLiteral("Flow Temperature (°C)"),
        QStringLiteral("Return Temperature (°C)"), QStringLiteral("Temperature Difference (K)"),
        QStringLiteral("External Temperature (°C)"), QStringLiteral("Pressure (bar)"),
        QStringLiteral("Averaging Duration "), QStringLiteral("Actuality Duration"),
        QStringLiteral("Type of  Data in VIFE"), QStringLiteral("Time Point"), QStringLiteral("VIF is in ASCII"),
        QStringLiteral("Unit for H.C.A."), QStringLiteral("Fabrication No"),
        QStringLiteral("(Enhanced) Identification"), QStringLiteral("Bus Address")};
    return names;
}

constexpr int ToD_Time_Point = 20;
constexpr int ToD_VIF_ASCII = 21;
constexpr int Dim_Variable_Length = 7;

// Geometry of the pages: labels at the left, their fields beside them.
constexpr int Row_H = 26;
constexpr int Label_X = 8;
constexpr int Field_X = 230;
constexpr int Field_W = 150;

QLabel *New_Label(QWidget *parent, const char *name, const QString &text, int width = Field_X - Label_X - 4)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(Label_X, 0, width, 22);
    return l;
}

QLineEdit *New_Edit(QWidget *parent, const char *name, int x = Field_X, int width = Field_W)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(x, 0, width, 22);
    return e;
}

QCheckBox *New_Check(QWidget *parent, const char *name, const QString &text, int x = Label_X, int width = 215)
{
    auto *c = new QCheckBox(text, parent);
    c->setObjectName(QLatin1String(name));
    c->setGeometry(x, 0, width, 22);
    return c;
}

template <class Combo = QComboBox>
Combo *New_Combo(QWidget *parent, const char *name, const QStringList &items, int x = Field_X, int width = Field_W)
{
    auto *c = new Combo(parent);
    c->setObjectName(QLatin1String(name));
    c->addItems(items);
    c->setGeometry(x, 0, width, 22);
    return c;
}

// Rows placed top to bottom from y; every widget of a row keeps its x and size.
using TRow = std::vector<QWidget *>;

int Place_Rows(const std::vector<TRow> &rows, int y)
{
    for (const TRow &row : rows) {
        int h = Row_H;
        for (QWidget *w : row) {
            w->move(w->x(), y);
            w->setVisible(true);
            h = std::max(h, w->height() + 4);
        }
        y += h;
    }
    return y;
}

void Hide_Rows(const std::vector<TRow> &rows)
{
    for (const TRow &row : rows)
        for (QWidget *w : row)
            w->setVisible(false);
}

} // namespace

void Copy_Node_Fields(TNodo &dst, const TNodo &src)
{
    dst.Enable = src.Enable;
    dst.Description = src.Description;
    dst.Node_Pri = src.Node_Pri;
    dst.Node_Sec = src.Node_Sec;
    dst.Send_SNK = src.Send_SNK;
    dst.Reset_App = src.Reset_App;
    dst.Enable_NS = src.Enable_NS;
    dst.Node_State = src.Node_State;
    dst.Enable_IN = src.Enable_IN;
    dst.Ident_Num = src.Ident_Num;
    dst.BCDtoINT_IN = src.BCDtoINT_IN;
    dst.Swap_Ident = src.Swap_Ident;
    dst.Node_ID_Type = src.Node_ID_Type;
    dst.Var_List_Type = src.Var_List_Type;
    dst.Cut_After = src.Cut_After;
    dst.Enable_MS = src.Enable_MS;
    dst.Manufacturer_Spec = src.Manufacturer_Spec;
    dst.MSD_Length = src.MSD_Length;
    dst.MSD_Offset = src.MSD_Offset;
    dst.MBus_Type = src.MBus_Type;
    dst.wMBus_ManID = src.wMBus_ManID;
    dst.wMBus_Add = src.wMBus_Add;
    dst.wMBus_Ver = src.wMBus_Ver;
    dst.wMBus_DevType = src.wMBus_DevType;
    dst.wMBus_En_Key = src.wMBus_En_Key;
    dst.wMBus_Key = src.wMBus_Key;
    dst.Enable_RSSI = src.Enable_RSSI;
    dst.RSSI = src.RSSI;
    dst.Enable_AN = src.Enable_AN;
    dst.Access_Number = src.Access_Number;
}

// ---------------------------------------------------------------------------------------

void TWideComboBox::showPopup()
{
    QComboBox::showPopup();
    QWidget *popup = view()->window();
    if (!popup || popup == window())
        return;
    const int right = mapToGlobal(QPoint(width(), 0)).x();
    if (popup->width() > width())
        popup->move(right - popup->width(), popup->y());
}

const QStringList &TFMeter_Bus::VIFE_Names()
{
    static const QStringList names = {
    QStringLiteral("Not Selected"),
    QStringLiteral("Credit of the nominal local legal currency units"),
    QStringLiteral("Debit of the nominal local legal currency units"),
    QStringLiteral("Access Number (transmission count)"),
    QStringLiteral("Medium (as in fixed header)"),
    QStringLiteral("Manufacturer (as in fixed header)"),
    QStringLiteral("Parameter set identification"),
    QStringLiteral("Model/Version"),
    QStringLiteral("Hardware Version #"),
    QStringLiteral("Firmware Version #"),
    QStringLiteral("Software Version #"),
    QStringLiteral("Customer Location"),
    QStringLiteral("Customer"),
    QStringLiteral("Access Code User"),
    QStringLiteral("Access Code Operator"),
    QStringLiteral("Access Code System Operator"),
    QStringLiteral("Access Code Developer"),
    QStringLiteral("Password"),
    QStringLiteral("Error flags (binary)"),
    QStringLiteral("Error mask"),
    QStringLiteral("Digital Output (binary)"),
    QStringLiteral("Digital Input (binary)"),
    QStringLiteral("Baudrate [Baud]"),
    QStringLiteral("response delay time [bittimes]"),
    QStringLiteral("Retry"),
    QStringLiteral("First storage # for cyclic storage"),
    QStringLiteral("Last storage # for cyclic storage"),
    QStringLiteral("Size of storage block"),
    QStringLiteral("Storage interval [sec(s)..day(s)]"),
    QStringLiteral("Storage interval month(s)"),
    QStringLiteral("Storage interval year(s)"),
    QStringLiteral("Duration since last readout[sec(s)..day(s)]"),
    QStringLiteral("Start (date/time) of tariff"),
    QStringLiteral("Duration of tariff (nn=01..11:min to day)"),
    QStringLiteral("Period of tariff [sec(s) to day(s)]"),
    QStringLiteral("Period of tariff months(s)"),
    QStringLiteral("Period of tariff year(s)"),
    QStringLiteral("dimensionless/ no VIF"),
    QStringLiteral("Volts "),
    QStringLiteral("Ampere"),
    QStringLiteral("Reset counter"),
    QStringLiteral("Comulation counter"),
    QStringLiteral("Control signal"),
    QStringLiteral("Day of week"),
    QStringLiteral("Week number"),
    QStringLiteral("Time point of day change"),
    QStringLiteral("State of parameter activation"),
    QStringLiteral("Special supplier information"),
    QStringLiteral("Duration since last comulation [hour(s)..year(s)]"),
    QStringLiteral("Operation time battery [hour(s)..year(s)]"),
    QStringLiteral("Date and time of battery change"),
    QStringLiteral("Energy MWh"),
    QStringLiteral("Energy GJ"),
    QStringLiteral("Volume "),
    QStringLiteral("Mass"),
    QStringLiteral("Volume 0,1 feet^3"),
    QStringLiteral("Volume 0,1 american gallon"),
    QStringLiteral("Volume 1 american gallon"),
    QStringLiteral("Volume flow 0,001 american gallon/min"),
    QStringLiteral("Volume flow 1 american gallon/min"),
    QStringLiteral("Volume flow 1 american gallon/h"),
    QStringLiteral("Power MW"),
    QStringLiteral("Power GJ/h"),
    QStringLiteral("Flow Temperature"),
    QStringLiteral("Return Temperature"),
    QStringLiteral("Temperature Difference"),
    QStringLiteral("External Temperature"),
    QStringLiteral("Cold/Warm Temperature Limit °F"),
    QStringLiteral("Cold/Worm Temperature Limit °C"),
    QStringLiteral("Cumul. count max power"),
    QStringLiteral("per second"),
    QStringLiteral("per minute"),
    QStringLiteral("per hour"),
    QStringLiteral("per day"),
    QStringLiteral("per week"),
    QStringLiteral("per month"),
    QStringLiteral("per year"),
    QStringLiteral("per revolution/measurement"),
    QStringLiteral("increment per input pulse on input channel"),
    QStringLiteral("increment per output pulse on output channel"),
    QStringLiteral("per liter"),
    QStringLiteral("per m^3"),
    QStringLiteral("per kg"),
    QStringLiteral("per K (Kelvin)"),
    QStringLiteral("per kWh"),
    QStringLiteral("per GJ"),
    QStringLiteral("per kW"),
    QStringLiteral("per (K*l)(Kelvin*liter) "),
    QStringLiteral("per V (Volt)"),
    QStringLiteral("per A (Ampere)"),
    QStringLiteral("multiplied by sek"),
    QStringLiteral("multiplied by sek/V"),
    QStringLiteral("multiplied by sek/A"),
    QStringLiteral("start date(/time) of"),
    QStringLiteral("VIF contains uncorrected unit instead of corrected unit"),
    QStringLiteral("Accumulation only if positive contributions"),
    QStringLiteral("Accumulation of abs value only if negative contributions"),
    QStringLiteral("upper/lower limit value"),
    QStringLiteral("# of exceeds of lower/upper limit"),
    QStringLiteral("Date(/time) of begin/end of first/last lower/upper limit exceed"),
    QStringLiteral("Duration of limit exceed"),
    QStringLiteral("Duration of first/last"),
    QStringLiteral("Date(/time) of first/last begin/end"),
    QStringLiteral("Multiplicative currection factor"),
    QStringLiteral("Additive correction constant * unit of VIF (offset)"),
    QStringLiteral("Moltiplicative correction factor: 10^3"),
    QStringLiteral("future value"),
    QStringLiteral("next VIFE's and data of this block are manufacturer specific"),
    QStringLiteral("None"),
    QStringLiteral("Too many DIFE's"),
    QStringLiteral("Storage number not implemented"),
    QStringLiteral("Unit number not implemented"),
    QStringLiteral("Tariff number not implemented"),
    QStringLiteral("Function not implemented"),
    QStringLiteral("Data class not implemented"),
    QStringLiteral("Data size not implemented"),
    QStringLiteral("Too many VIFE's"),
    QStringLiteral("Illegal VIF-Group"),
    QStringLiteral("Illegal VIF-Exponent"),
    QStringLiteral("VIF/DIF mismatch"),
    QStringLiteral("Unimplemented action"),
    QStringLiteral("No data available (undefined value)"),
    QStringLiteral("Data overflow"),
    QStringLiteral("Data underflow"),
    QStringLiteral("Data error"),
    QStringLiteral("Premature end of record "),
    QStringLiteral("Security Key"),
    QStringLiteral("Remote control (devicespecific e.g. gas valve)"),
    QStringLiteral("Operator specific data"),
    QStringLiteral("Time point second (0 to 59)"),
    QStringLiteral("Data container for wireless M-Bus protocol"),
    QStringLiteral("Period of nominal data transmissions [sec(s) to day(s)]"),
    QStringLiteral("RF level units: dBm"),
    QStringLiteral("Daylight savings (beginning, ending, deviation) data type K"),
    QStringLiteral("Listening window management data type L"),
    QStringLiteral("Remaining battery life time (days)"),
    QStringLiteral("Number times the meter was stopped"),
    QStringLiteral("Reactive energy"),
    QStringLiteral("Apparent energy"),
    QStringLiteral("Energy"),
    QStringLiteral("Reactive power"),
    QStringLiteral("Relative humidity"),
    QStringLiteral("Volume"),
    QStringLiteral("Phase U-U (volt. to volt.)"),
    QStringLiteral("Phase U-I (volt. to current)"),
    QStringLiteral("Frequency"),
    QStringLiteral("Apparent power"),
    QStringLiteral("Reserved for alternate non-metric unit system"),
    QStringLiteral("Value at base conditions"),
    QStringLiteral("Value during lower (u= 0), upper (u = 1) limit exceed"),
    QStringLiteral("Leakage values"),
    QStringLiteral("Overflow values"),
    };
    return names;
}

QString TFMeter_Bus::Node_Text(const TNodo &n)
{
    if (n.MBus_Type == 0)
        return QStringLiteral("wM-Bus Node - Address ") + n.wMBus_Add + QStringLiteral(" - ") + n.Description;
    const int id = n.Node_ID_Type != 0 ? n.Node_Sec : n.Node_Pri;
    return QStringLiteral("ID ") + QString::number(id) + QStringLiteral(" - ") + n.Description;
}

QString TFMeter_Bus::Var_Text(const TVariabile &v)
{
    return QStringLiteral("VAR - ") + v.Description;
}

TFMeter_Bus::TFMeter_Bus(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FMeter_Bus"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Set_Form_Look(this);
    QFrame *title = Create_Title_Panel(this, L_SW_Code, L_SW_Desc);
    title->setGeometry(0, 0, 834, 69);

    TW = new QTreeWidget(this);
    TW->setObjectName(QStringLiteral("TW"));
    TW->setGeometry(8, 77, 270, 570);
    TW->setHeaderHidden(true);
    TW->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TW->setSelectionBehavior(QAbstractItemView::SelectRows);
    TW->setSelectionMode(QAbstractItemView::SingleSelection);
    TW->setRootIsDecorated(false);
    {
        // The selection stays visible when the tree has no focus.
        QPalette pal = TW->palette();
        pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
        pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     pal.color(QPalette::Active, QPalette::HighlightedText));
        TW->setPalette(pal);
    }
    TW->setContextMenuPolicy(Qt::CustomContextMenu);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    CopyVariable1 = PopupMenu1->addAction(QStringLiteral("Copy Variable"));
    PasteVariable1 = PopupMenu1->addAction(QStringLiteral("Paste Variable"));
    PopupMenu1->addSeparator();
    CopyNode1 = PopupMenu1->addAction(QStringLiteral("Copy Node"));
    PasteNode1 = PopupMenu1->addAction(QStringLiteral("Paste Node"));
    PopupMenu1->addSeparator();
    DeleteItem1 = PopupMenu1->addAction(QStringLiteral("Delete Item"));
    CopyVariable1->setObjectName(QStringLiteral("CopyVariable1"));
    PasteVariable1->setObjectName(QStringLiteral("PasteVariable1"));
    CopyNode1->setObjectName(QStringLiteral("CopyNode1"));
    PasteNode1->setObjectName(QStringLiteral("PasteNode1"));
    DeleteItem1->setObjectName(QStringLiteral("DeleteItem1"));
    connect(TW, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopupMenu1->popup(TW->viewport()->mapToGlobal(p)); });
    connect(CopyVariable1, &QAction::triggered, this, [this] { CopyVariable1Click(); });
    connect(PasteVariable1, &QAction::triggered, this, [this] { PasteVariable1Click(); });
    connect(CopyNode1, &QAction::triggered, this, [this] { CopyNode1Click(); });
    connect(PasteNode1, &QAction::triggered, this, [this] { PasteNode1Click(); });
    connect(DeleteItem1, &QAction::triggered, this, [this] { btn_Delete_ItemClick(); });
    connect(TW, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!filling_)
            TWClick();
    });
    connect(TW, &QTreeWidget::itemClicked, this, [this] {
        if (!filling_)
            TWClick();
    });

    DazPageControl1 = new TDazPageControl(this);
    DazPageControl1->setObjectName(QStringLiteral("DazPageControl1"));
    DazPageControl1->setGeometry(284, 77, 542, 570);
    DazPageControl1->SetTabPosition(tpLeft);
    DazPageControl1->SetTabStyle(tsDotNet);
    DazPageControl1->SetMultiLine(true);
    DazPageControl1->TabMargin().SetTopMargin(10);
    DazPageControl1->TabMargin().SetRightMargin(20);
    DazPageControl1->SetTabOverlap(0);
    DazPageControl1->SetLowerActive(0);
    DazPageControl1->SetDefaultTabColor(Form_Color);
    DazPageControl1->SetTabBackGroundColor(Form_Color);
    DazPageControl1->SetActiveColor(clSkyBlue);
    TFont verdana;
    verdana.Name = QStringLiteral("Verdana");
    verdana.Size = 10;
    DazPageControl1->SetFont(verdana);
    DazPageControl1->SetActiveFont(verdana);
    DazTabSheet1 = new TDazTabSheet(DazPageControl1);
    DazTabSheet1->setObjectName(QStringLiteral("DazTabSheet1"));
    DazTabSheet1->SetCaption(QStringLiteral("  Nodes    "));
    DazTabSheet2 = new TDazTabSheet(DazPageControl1);
    DazTabSheet2->setObjectName(QStringLiteral("DazTabSheet2"));
    DazTabSheet2->SetCaption(QStringLiteral("  Variables    "));
    for (TDazTabSheet *s : {DazTabSheet1, DazTabSheet2}) {
        s->SetColor(Form_Color);
        s->SetTabColor(Form_Color);
        s->SetColorTo(clNone);
        s->SetTabColorTo(clNone);
    }
    DazPageControl1->Loaded();
    DazPageControl1->SetActivePage(DazTabSheet1);
    Build_Nodes_Page();
    Build_Variables_Page();

    auto button = [this](TLbButton *&b, const char *name, int x) {
        b = new TLbButton(this);
        b->setObjectName(QLatin1String(name));
        Set_Button_Look(b);
        b->setGeometry(x, 660, 110, 30);
    };
    button(Btn_ImportNet, "Btn_ImportNet", 8);
    button(Btn_OK, "Btn_OK", 598);
    button(Btn_Cancel, "Btn_Cancel", 716);
    Btn_OK->OnClick = [this](QObject *) { LbButton2Click(); };
    Btn_Cancel->OnClick = [this](QObject *) { LbButton4Click(); };
    Btn_ImportNet->OnClick = [this](QObject *) { Btn_ImportNetClick(); };

    // Creation.
    Select_Width_ComboBox(CB_Var_ToD);
    Select_Width_ComboBox(CB_VIFE);
    L_SW_Code->setText(SW_Code);
    setFixedSize(834, 700);
    // Fields start as numbers, so a field the engineer never touched converts.
    for (QLineEdit *e : {E_New_Node_ID_Pri, E_New_Node_ID_Sec, E_Node_State, E_Iden, E_Manu_Spec_Data,
                         E_MSD_Length, E_MSD_Offset, E_Access_Number, E_wMBus_NodeState, E_wMBus_Ident,
                         E_wMBus_RSSI, E_wMBus_Access_Number})
        e->setText(QStringLiteral("0"));
    Reset_Var_Page();
    Nodes_Move_Elements();
    Set_Lang();
}

TFMeter_Bus::~TFMeter_Bus()
{
    Release_Nodes();
}

void TFMeter_Bus::Build_Nodes_Page()
{
    QWidget *p = DazTabSheet1;
    CB_Node_En = New_Check(p, "CB_Node_En", QStringLiteral("Enable Node"));
    L_Node_Desc = New_Label(p, "L_Node_Desc", QStringLiteral("Description"));
    E_New_Node_Desc = New_Edit(p, "E_New_Node_Desc", Field_X, 250);
    L_MBus_Type = New_Label(p, "L_MBus_Type", QStringLiteral("M-Bus Type"));
    CB_MBus_Type = New_Combo(p, "CB_MBus_Type", {QStringLiteral("wM-Bus"), QStringLiteral("M-Bus on wires")});
    CB_MBus_Type->setCurrentIndex(1);
    connect(CB_MBus_Type, &QComboBox::currentIndexChanged, this, [this] { CB_MBus_TypeChange(); });

    RB_ID_Primary = new QRadioButton(QStringLiteral("Primary ID Node"), p);
    RB_ID_Primary->setObjectName(QStringLiteral("RB_ID_Primary"));
    RB_ID_Primary->setGeometry(Label_X, 0, 215, 22);
    RB_ID_Primary->setChecked(true);
    E_New_Node_ID_Pri = New_Edit(p, "E_New_Node_ID_Pri");
    RB_ID_Secondary = new QRadioButton(QStringLiteral("Secondary ID Node"), p);
    RB_ID_Secondary->setObjectName(QStringLiteral("RB_ID_Secondary"));
    RB_ID_Secondary->setGeometry(Label_X, 0, 215, 22);
    E_New_Node_ID_Sec = New_Edit(p, "E_New_Node_ID_Sec");
    CB_Node_State = New_Check(p, "CB_Node_State", QStringLiteral("Node State"));
    E_Node_State = New_Edit(p, "E_Node_State");
    CB_Ident_Num = New_Check(p, "CB_Ident_Num", QStringLiteral("Identification Number"));
    E_Iden = New_Edit(p, "E_Iden");
    CB_BCDtoINT_IN = New_Check(p, "CB_BCDtoINT_IN", QStringLiteral("Convert BCD in Integer Identification Num. "), Label_X, 400);
    L_Swap_IN = New_Label(p, "L_Swap_IN", QStringLiteral("Swap Identification Num."));
    CB_Swap_IN = New_Combo(p, "CB_Swap_IN", {QStringLiteral("None"), QStringLiteral("Type 1")});
    CB_SND_NKE = New_Check(p, "CB_SND_NKE", QStringLiteral("Send SND_NKE"));
    CB_Reset_App = New_Check(p, "CB_Reset_App", QStringLiteral("Send Reset App."));
    L_Var_Type = New_Label(p, "L_Var_Type", QStringLiteral("Valiables List"));
    CB_Var_Type = New_Combo(p, "CB_Var_Type", {QStringLiteral("By Type"), QStringLiteral("By Position")});
    L_Cut_After = New_Label(p, "L_Cut_After", QStringLiteral("Cut after "));
    CB_Cut_After = New_Combo(p, "CB_Cut_After", {}, Field_X, 70);
    L_Frames = New_Label(p, "L_Frames", QStringLiteral("frames"), 80);
    L_Frames->move(Field_X + 76, 0);
    CB_Manu_Spec_Data = New_Check(p, "CB_Manu_Spec_Data", QStringLiteral("Manufacturer Specific Data"));
    E_Manu_Spec_Data = New_Edit(p, "E_Manu_Spec_Data");
    L_MSD_Length = New_Label(p, "L_MSD_Length", QStringLiteral("Length (MSD) [1 - 241]"));
    E_MSD_Length = New_Edit(p, "E_MSD_Length");
    L_MSD_Offset = New_Label(p, "L_MSD_Offset", QStringLiteral("Offset (MSD) [0 - 240]"));
    E_MSD_Offset = New_Edit(p, "E_MSD_Offset");
    CB_Access_Number = New_Check(p, "CB_Access_Number", QStringLiteral("Access Number"));
    E_Access_Number = New_Edit(p, "E_Access_Number");
    btn_Add_Node = new TLbButton(p);
    btn_Add_Node->setObjectName(QStringLiteral("btn_Add_Node"));
    Set_Button_Look(btn_Add_Node);
    btn_Add_Node->setGeometry(Field_X, 0, 150, 30);
    btn_Add_Node->OnClick = [this](QObject *) { btn_Add_NodeClick(); };

    P_wMBus_Node = new QFrame(p);
    P_wMBus_Node->setObjectName(QStringLiteral("P_wMBus_Node"));
    QWidget *w = P_wMBus_Node;
    L_wMBus_ManID = New_Label(w, "L_wMBus_ManID", QStringLiteral("Manufacturer ID"));
    E_wMBus_ManID = New_Edit(w, "E_wMBus_ManID");
    L_wMBus_Add = New_Label(w, "L_wMBus_Add", QStringLiteral("Address"));
    E_wMBus_Add = New_Edit(w, "E_wMBus_Add");
    L_wMBus_Ver = New_Label(w, "L_wMBus_Ver", QStringLiteral("Version"));
    E_wMBus_Ver = New_Edit(w, "E_wMBus_Ver");
    L_wMBus_DevType = New_Label(w, "L_wMBus_DevType", QStringLiteral("Device Type"));
    E_wMBus_DevType = New_Edit(w, "E_wMBus_DevType");
    CB_wMBus_EnKey = New_Check(w, "CB_wMBus_EnKey", QStringLiteral("Key Enable"));
    for (int i = 0; i < 16; ++i) {
        const int x = Label_X + (i % 4) * 120;
        const QByteArray ln = "L_wMBus_K" + QByteArray::number(i + 1);
        const QByteArray en = "E_wMBus_K" + QByteArray::number(i + 1);
        L_wMBus_K[size_t(i)] = New_Label(w, ln.constData(), QStringLiteral("Key %1").arg(i + 1), 50);
        L_wMBus_K[size_t(i)]->move(x, 0);
        E_wMBus_K[size_t(i)] = New_Edit(w, en.constData(), x + 52, 50);
    }
    CB_wMBus_Node_State = New_Check(w, "CB_wMBus_Node_State", QStringLiteral("Node State"));
    E_wMBus_NodeState = New_Edit(w, "E_wMBus_NodeState");
    CB_wMBus_Ident_Num = New_Check(w, "CB_wMBus_Ident_Num", QStringLiteral("Identification Number"));
    E_wMBus_Ident = New_Edit(w, "E_wMBus_Ident");
    CB_wMBus_RSSI = New_Check(w, "CB_wMBus_RSSI", QStringLiteral("RSSI"));
    E_wMBus_RSSI = New_Edit(w, "E_wMBus_RSSI");
    CB_wMBus_Access_Number = New_Check(w, "CB_wMBus_Access_Number", QStringLiteral("Access Number"));
    E_wMBus_Access_Number = New_Edit(w, "E_wMBus_Access_Number");
    CB_wMBus_Conv_BCD = New_Check(w, "CB_wMBus_Conv_BCD", QStringLiteral("Convert BCD in Integer Identification Num. "), Label_X, 400);
    L_wMBus_Swap = New_Label(w, "L_wMBus_Swap", QStringLiteral("Swap Identification Num."));
    CB_wMBus_Swap_Ident = New_Combo(w, "CB_wMBus_Swap_Ident", {QStringLiteral("None"), QStringLiteral("Type 1")});
    L_wMBus_VarList = New_Label(w, "L_wMBus_VarList", QStringLiteral("Valiables List"));
    CB_wMBus_VarList = New_Combo(w, "CB_wMBus_VarList", {QStringLiteral("By Type"), QStringLiteral("By Position")});
    std::vector<TRow> panel = {{L_wMBus_ManID, E_wMBus_ManID}, {L_wMBus_Add, E_wMBus_Add},
                               {L_wMBus_Ver, E_wMBus_Ver}, {L_wMBus_DevType, E_wMBus_DevType},
                               {CB_wMBus_EnKey}};
    for (int r = 0; r < 4; ++r) {
        TRow row;
        for (int c = 0; c < 4; ++c) {
            row.push_back(L_wMBus_K[size_t(r * 4 + c)]);
            row.push_back(E_wMBus_K[size_t(r * 4 + c)]);
        }
        panel.push_back(row);
    }
    panel.insert(panel.end(), {{CB_wMBus_Node_State, E_wMBus_NodeState}, {CB_wMBus_Ident_Num, E_wMBus_Ident},
                               {CB_wMBus_RSSI, E_wMBus_RSSI}, {CB_wMBus_Access_Number, E_wMBus_Access_Number},
                               {CB_wMBus_Conv_BCD}, {L_wMBus_Swap, CB_wMBus_Swap_Ident},
                               {L_wMBus_VarList, CB_wMBus_VarList}});
    const int h = Place_Rows(panel, 0);
    P_wMBus_Node->setGeometry(0, 0, 500, h);
}

void TFMeter_Bus::Build_Variables_Page()
{
    QWidget *p = DazTabSheet2;
    CB_Var_En = New_Check(p, "CB_Var_En", QStringLiteral("Enable Variable"));
    L_Var_Desc = New_Label(p, "L_Var_Desc", QStringLiteral("Description"));
    E_New_Var_Desc = New_Edit(p, "E_New_Var_Desc", Field_X, 250);
    L_Var_ToD = New_Label(p, "L_Var_ToD", QStringLiteral("Type of Data"));
    CB_Var_ToD = New_Combo<TWideComboBox>(p, "CB_Var_ToD", Type_Of_Data_Names());
    L_VIF_ASCII = New_Label(p, "L_VIF_ASCII", QStringLiteral("VIF ASCII String"));
    E_VIF_ASCII = New_Edit(p, "E_VIF_ASCII");
    L_Var_FF = New_Label(p, "L_Var_FF", QStringLiteral("Function Field"));
    CB_Var_FF = New_Combo(p, "CB_Var_FF",
                          {QStringLiteral("Instantaneous Value"), QStringLiteral("Minimun Value"),
                           QStringLiteral("Maximum Value"), QStringLiteral("Value During Error State")});
    L_Var_Dim = New_Label(p, "L_Var_Dim", QStringLiteral("Dimension (bit)"));
    CB_Var_Dim = New_Combo(p, "CB_Var_Dim",
                           {QStringLiteral("8"), QStringLiteral("16"), QStringLiteral("32"), QStringLiteral("64"),
                            QStringLiteral("24"), QStringLiteral("48"), QStringLiteral("32 Real"),
                            QStringLiteral("Variable Length")});
    L_Length = New_Label(p, "L_Length", QStringLiteral("Length(Variable Len)"));
    E_Length = New_Edit(p, "E_Length");
    L_Var_Unit = New_Label(p, "L_Var_Unit", QStringLiteral("Unit"));
    QStringList units;
    for (int i = 0; i <= 10; ++i)
        units << QString::number(i);
    CB_Var_Unit = New_Combo(p, "CB_Var_Unit", units);
    L_Sto_Num = New_Label(p, "L_Sto_Num", QStringLiteral("Storage Number"));
    E_Sto_Num = New_Edit(p, "E_Sto_Num");
    L_Tariff = New_Label(p, "L_Tariff", QStringLiteral("Tariff"));
    E_Tariff = New_Edit(p, "E_Tariff");
    L_VIFE = New_Label(p, "L_VIFE", QStringLiteral("VIFE"));
    CB_VIFE = New_Combo<TWideComboBox>(p, "CB_VIFE", VIFE_Names());
    L_Var_MR = New_Label(p, "L_Var_MR", QStringLiteral("Position Data"));
    E_Var_MR = New_Edit(p, "E_Var_MR");

    GroupBox4 = new QGroupBox(QStringLiteral(" Time Point "), p);
    GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
    GroupBox4->setGeometry(Label_X, 0, 480, 84);
    CB_TP_MR = New_Check(GroupBox4, "CB_TP_MR", QStringLiteral("Use Six Bytes for the Time Point"), 8, 300);
    CB_TP_MR->move(8, 20);
    auto tp = [this](QLabel *&l, const char *ln, const QString &text, QLineEdit *&e, const char *en, int k) {
        l = New_Label(GroupBox4, ln, text, 70);
        l->move(8 + k * 78, 44);
        e = New_Edit(GroupBox4, en, 8 + k * 78, 70);
        e->move(8 + k * 78, 58);
        l->resize(70, 14);
    };
    tp(L_TP_Year, "L_TP_Year", QStringLiteral("YY"), E_TP_Year, "E_TP_Year", 0);
    tp(L_TP_Month, "L_TP_Month", QStringLiteral("MM"), ST_TP_Month, "ST_TP_Month", 1);
    tp(L_TP_Day, "L_TP_Day", QStringLiteral("DD"), ST_TP_Day, "ST_TP_Day", 2);
    tp(L_TP_Hour, "L_TP_Hour", QStringLiteral("HH"), ST_TP_Hour, "ST_TP_Hour", 3);
    tp(L_TP_Min, "L_TP_Min", QStringLiteral("MM"), ST_TP_Min, "ST_TP_Min", 4);
    tp(L_TP_Sec, "L_TP_Sec", QStringLiteral("SS"), ST_TP_Sec, "ST_TP_Sec", 5);
    for (QLineEdit *e : {ST_TP_Month, ST_TP_Day, ST_TP_Hour, ST_TP_Min, ST_TP_Sec})
        e->setReadOnly(true);
    connect(E_TP_Year, &QLineEdit::textChanged, this, [this] { E_TP_YearChange(); });

    CB_BCDtoINT = New_Check(p, "CB_BCDtoINT", QStringLiteral("From BCD to Integer"));
    CB_Float = New_Check(p, "CB_Float", QStringLiteral("Convert in Float"));
    CB_Force_Int32 = New_Check(p, "CB_Force_Int32", QStringLiteral("Force Integer 32"), Field_X, 200);
    L_PostOpe = New_Label(p, "L_PostOpe", QStringLiteral("Post Operation"));
    CB_PostOpe = New_Combo(p, "CB_PostOpe",
                           {QStringLiteral("None"), QStringLiteral(" : 10"), QStringLiteral(" : 100"),
                            QStringLiteral(" : 1000"), QStringLiteral(" : 10000"), QStringLiteral(" : 100000"),
                            QStringLiteral(" : 1000000"), QStringLiteral(" * 10"), QStringLiteral(" * 100"),
                            QStringLiteral(" * 1000"), QStringLiteral(" * 10000"), QStringLiteral(" * 100000"),
                            QStringLiteral(" * 1000000")});
    L_Position = New_Label(p, "L_Position", QStringLiteral("Position Var"));
    E_Position = New_Edit(p, "E_Position");
    btn_Add_Var = new TLbButton(p);
    btn_Add_Var->setObjectName(QStringLiteral("btn_Add_Var"));
    Set_Button_Look(btn_Add_Var);
    btn_Add_Var->setGeometry(Field_X, 0, 150, 30);
    btn_Add_Var->OnClick = [this](QObject *) { btn_Add_VarClick(); };

    connect(CB_Var_ToD, &QComboBox::currentIndexChanged, this, [this] { CB_Var_ToDChange(); });
    connect(CB_VIFE, &QComboBox::currentIndexChanged, this, [this] { CB_Var_ToDChange(); });
    connect(CB_Var_Dim, &QComboBox::currentIndexChanged, this, [this] { CB_Var_DimChange(); });
}

void TFMeter_Bus::Select_Width_ComboBox(QComboBox *cb)
{
    const QFontMetrics fm(cb->font());
    int width = 0;
    for (int i = 0; i < cb->count(); ++i)
        width = std::max(width, fm.horizontalAdvance(cb->itemText(i)));
    width += 12 + (cb == CB_VIFE ? 65 : 30);
    const int scroll = cb->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (cb->width() - scroll >= width)
        return;
    if (cb->count() > cb->maxVisibleItems())
        width += scroll;
    cb->view()->setMinimumWidth(width);
}

// ---------------------------------------------------------------------------------------
// Layouts

void TFMeter_Bus::Nodes_Move_Elements()
{
    CB_MBus_TypeChange();
}

void TFMeter_Bus::CB_MBus_TypeChange()
{
    const std::vector<TRow> head = {{CB_Node_En}, {L_Node_Desc, E_New_Node_Desc}, {L_MBus_Type, CB_MBus_Type}};
    const std::vector<TRow> wired = {{RB_ID_Primary, E_New_Node_ID_Pri}, {RB_ID_Secondary, E_New_Node_ID_Sec},
                                     {CB_Node_State, E_Node_State}, {CB_Ident_Num, E_Iden},
                                     {CB_BCDtoINT_IN}, {L_Swap_IN, CB_Swap_IN},
                                     {CB_SND_NKE}, {CB_Reset_App}, {L_Var_Type, CB_Var_Type},
                                     {L_Cut_After, CB_Cut_After, L_Frames}};
    const std::vector<TRow> manu = {{CB_Manu_Spec_Data, E_Manu_Spec_Data}, {L_MSD_Length, E_MSD_Length},
                                    {L_MSD_Offset, E_MSD_Offset}};
    const std::vector<TRow> access = {{CB_Access_Number, E_Access_Number}};
    int y = Place_Rows(head, 8);
    if (CB_MBus_Type->currentIndex() == 1) {
        P_wMBus_Node->setVisible(false);
        y = Place_Rows(wired, y);
        y = Place_Rows(manu, y);
        y = Place_Rows(access, y);
    } else {
        Hide_Rows(wired);
        Hide_Rows(access);
        P_wMBus_Node->move(0, y);
        P_wMBus_Node->setVisible(true);
        y = Place_Rows(manu, y + P_wMBus_Node->height());
    }
    Place_Rows({{btn_Add_Node}}, y + 8);
}

void TFMeter_Bus::Sposta_Oggetti_Var(int var_list_type)
{
    const TRow en = {CB_Var_En}, desc = {L_Var_Desc, E_New_Var_Desc}, tod = {L_Var_ToD, CB_Var_ToD},
               ascii = {L_VIF_ASCII, E_VIF_ASCII}, ff = {L_Var_FF, CB_Var_FF}, dim = {L_Var_Dim, CB_Var_Dim},
               len = {L_Length, E_Length}, unit = {L_Var_Unit, CB_Var_Unit}, sto = {L_Sto_Num, E_Sto_Num},
               tariff = {L_Tariff, E_Tariff}, vife = {L_VIFE, CB_VIFE}, mr = {L_Var_MR, E_Var_MR},
               group = {GroupBox4}, bcd = {CB_BCDtoINT}, flt = {CB_Float, CB_Force_Int32},
               post = {L_PostOpe, CB_PostOpe}, pos = {L_Position, E_Position}, add = {btn_Add_Var};
    if (var_list_type == 1) {
        Hide_Rows({tod, ascii, ff, unit, sto, tariff, vife});
        Place_Rows({en, desc, dim, len, mr, group, bcd, flt, post, pos, add}, 8);
        GroupBox4->setEnabled(true);
    } else {
        Hide_Rows({pos});
        Place_Rows({en, desc, tod, ascii, ff, dim, len, unit, sto, tariff, vife, mr, group, bcd, flt, post, add}, 8);
    }
    CB_PostOpe->setEnabled(true);
}

void TFMeter_Bus::CB_Var_ToDChange()
{
    E_VIF_ASCII->setEnabled(CB_Var_ToD->currentIndex() == ToD_VIF_ASCII);
    if (IND_NODO >= 0 && IND_NODO < int(Nodi_List.size()))
        GroupBox4->setEnabled(Nodi_List[size_t(IND_NODO)]->Var_List_Type == 1
                              || CB_Var_ToD->currentIndex() == ToD_Time_Point);
}

void TFMeter_Bus::CB_Var_DimChange()
{
    if (CB_Var_Dim->currentIndex() == Dim_Variable_Length) {
        E_Length->setEnabled(true);
        CB_Float->setChecked(false);
        CB_Float->setEnabled(false);
    } else {
        E_Length->setEnabled(false);
        CB_Float->setEnabled(true);
    }
}

void TFMeter_Bus::E_TP_YearChange()
{
    int year = 0;
    const bool ok = TryStrToInt(E_TP_Year->text(), year) && year > 0;
    const std::array<QLineEdit *, 5> fields = {ST_TP_Month, ST_TP_Day, ST_TP_Hour, ST_TP_Min, ST_TP_Sec};
    for (int k = 0; k < 5; ++k)
        fields[size_t(k)]->setText(ok ? QString::number(int64_t(year) + k + 1) : QStringLiteral("0"));
}

// ---------------------------------------------------------------------------------------
// Texts

void TFMeter_Bus::Set_Lang()
{
    auto t = [](int n) { return Lang_Text(n); };
    setWindowTitle(t(1700));
    L_SW_Desc->setText(t(1701));
    Btn_OK->SetCaption(t(1702));
    Btn_Cancel->SetCaption(t(1703));
    Btn_ImportNet->SetCaption(t(1704));
    DazTabSheet1->SetCaption(t(1705));
    DazTabSheet2->SetCaption(t(1706));
    CB_Node_En->setText(t(1707));
    L_Node_Desc->setText(t(1708));
    RB_ID_Primary->setText(t(1709));
    RB_ID_Secondary->setText(t(1710));
    CB_Node_State->setText(t(1711));
    CB_Ident_Num->setText(t(1712));
    CB_BCDtoINT_IN->setText(t(1713));
    L_Swap_IN->setText(t(1714));
    CB_SND_NKE->setText(t(1715));
    CB_Reset_App->setText(t(1716));
    L_Var_Type->setText(t(1717));
    L_Cut_After->setText(t(1718));
    L_Frames->setText(t(1719));
    CB_Manu_Spec_Data->setText(t(1720));
    L_MSD_Length->setText(t(1721));
    L_MSD_Offset->setText(t(1722));
    btn_Add_Node->SetCaption(t(1723));
    CB_Var_En->setText(t(1725));
    L_Var_Desc->setText(t(1726));
    L_Var_ToD->setText(t(1727));
    L_VIF_ASCII->setText(t(1728));
    L_Var_FF->setText(t(1729));
    L_Var_Dim->setText(t(1730));
    L_Length->setText(t(1731));
    L_Var_Unit->setText(t(1732));
    L_Var_MR->setText(t(1733));
    L_Sto_Num->setText(t(1735));
    L_Tariff->setText(t(1736));
    L_VIFE->setText(t(1737));
    GroupBox4->setTitle(t(1738));
    CB_TP_MR->setText(t(1739));
    L_TP_Year->setText(t(1740));
    L_TP_Month->setText(t(1741));
    L_TP_Day->setText(t(1742));
    L_TP_Hour->setText(t(1743));
    L_TP_Min->setText(t(1744));
    CB_BCDtoINT->setText(t(1745));
    CB_Float->setText(t(1746));
    L_Position->setText(t(1747));
    btn_Add_Var->SetCaption(t(1748));
    L_MBus_Type->setText(t(1750));
    {
        const QSignalBlocker block(CB_MBus_Type);
        CB_MBus_Type->clear();
        CB_MBus_Type->addItems({t(1751), t(1752)});
        CB_MBus_Type->setCurrentIndex(1);
    }
    CB_MBus_TypeChange();
    L_wMBus_ManID->setText(t(1753));
    L_wMBus_Add->setText(t(1754));
    L_wMBus_Ver->setText(t(1755));
    L_wMBus_DevType->setText(t(1756));
    CB_wMBus_EnKey->setText(t(1757));
    for (int i = 0; i < 16; ++i)
        L_wMBus_K[size_t(i)]->setText(t(1758 + i));
    CB_wMBus_Node_State->setText(t(1774));
    CB_wMBus_Ident_Num->setText(t(1775));
    CB_wMBus_Conv_BCD->setText(t(1776));
    L_wMBus_Swap->setText(t(1777));
    L_wMBus_VarList->setText(t(1778));
    L_PostOpe->setText(t(1779));
    CopyVariable1->setText(t(1780));
    PasteVariable1->setText(t(1781));
    CopyNode1->setText(t(1782));
    PasteNode1->setText(t(1783));
    DeleteItem1->setText(t(1784));
    CB_Access_Number->setText(t(1785));
    CB_wMBus_Access_Number->setText(t(1786));
}

// ---------------------------------------------------------------------------------------
// Showing and the tree

void TFMeter_Bus::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFMeter_Bus::Release_Nodes()
{
    // Last first, each node's variables before the node.
    while (!Nodi_List.empty()) {
        TVariabile_List &vars = Nodi_List.back()->Var_List;
        while (!vars.empty())
            vars.pop_back();
        Nodi_List.pop_back();
    }
}

void TFMeter_Bus::Rebuild_Root()
{
    filling_ = true;
    TW->clear();
    NODE_ORIG = new QTreeWidgetItem(TW, {QStringLiteral("M-Bus Network")});
    NODE_ID = nullptr;
    SELECT_NODE = nullptr;
    filling_ = false;
}

QTreeWidgetItem *TFMeter_Bus::Add_Node_Item(const TNodo &n)
{
    auto *item = new QTreeWidgetItem(NODE_ORIG, {Node_Text(n)});
    for (const auto &v : n.Var_List)
        new QTreeWidgetItem(item, {Var_Text(*v)});
    return item;
}

void TFMeter_Bus::FormShow()
{
    {
        const QSignalBlocker block(CB_Cut_After);
        CB_Cut_After->clear();
        for (int i = 1; i <= 250; ++i)
            CB_Cut_After->addItem(QString::number(i));
        CB_Cut_After->setCurrentIndex(0);
    }
    Rebuild_Root();
    Release_Nodes();
    Load_Incomplete = false;
    try {
        Read_MBus_Network(Path_M_Bus, Nodi_List);
    } catch (const std::exception &e) {
        // What was read before the error stays; OK will ask before writing it.
        Load_Incomplete = true;
        MessageError(QString::fromUtf8(e.what()), {}, this);
    }
    filling_ = true;
    for (const auto &n : Nodi_List)
        Add_Node_Item(*n);
    NODE_ORIG->setExpanded(true);
    filling_ = false;
    NODE_ID = nullptr;
    SELECT_NODE = nullptr;
    IND_NODO = -1;
    IND_VAR = -1;
    Sposta_Oggetti_Var(0);
    PasteVariable1->setEnabled(Copy_Var != nullptr);
    PasteNode1->setEnabled(Copy_Node != nullptr);
    CB_MBus_TypeChange();
    Is_Change = false;
}

void TFMeter_Bus::TWClick()
{
    QTreeWidgetItem *selected = TW->selectedItems().value(0);
    NODE_ID = nullptr;
    SELECT_NODE = nullptr;
    IND_NODO = -1;
    IND_VAR = -1;
    if (selected && NODE_ORIG) {
        for (int i = 0; i < NODE_ORIG->childCount() && IND_NODO < 0; ++i) {
            QTreeWidgetItem *node = NODE_ORIG->child(i);
            if (node == selected) {
                NODE_ID = SELECT_NODE = node;
                IND_NODO = i;
                break;
            }
            for (int j = 0; j < node->childCount(); ++j)
                if (node->child(j) == selected) {
                    NODE_ID = node;
                    SELECT_NODE = selected;
                    IND_NODO = i;
                    IND_VAR = j;
                    break;
                }
        }
    }
    Aggiorna_Label();
    CB_Var_ToDChange();
    CB_Var_DimChange();
    if (IND_VAR >= 0)
        DazPageControl1->SetActivePage(DazTabSheet2);
    else if (IND_NODO >= 0)
        DazPageControl1->SetActivePage(DazTabSheet1);
}

void TFMeter_Bus::Fill_Node_Page(const TNodo &n)
{
    CB_Node_En->setChecked(n.Enable == 1);
    E_New_Node_Desc->setText(n.Description);
    RB_ID_Secondary->setChecked(n.Node_ID_Type != 0);
    RB_ID_Primary->setChecked(n.Node_ID_Type == 0);
    E_New_Node_ID_Pri->setText(QString::number(n.Node_Pri));
    E_New_Node_ID_Sec->setText(QString::number(n.Node_Sec));
    CB_SND_NKE->setChecked(n.Send_SNK == 1);
    CB_Reset_App->setChecked(n.Reset_App == 1);
    for (QCheckBox *c : {CB_Node_State, CB_wMBus_Node_State})
        c->setChecked(n.Enable_NS == 1);
    for (QLineEdit *e : {E_Node_State, E_wMBus_NodeState})
        e->setText(QString::number(n.Node_State));
    for (QCheckBox *c : {CB_Ident_Num, CB_wMBus_Ident_Num})
        c->setChecked(n.Enable_IN == 1);
    for (QLineEdit *e : {E_Iden, E_wMBus_Ident})
        e->setText(QString::number(n.Ident_Num));
    for (QCheckBox *c : {CB_BCDtoINT_IN, CB_wMBus_Conv_BCD})
        c->setChecked(n.BCDtoINT_IN == 1);
    for (QComboBox *c : {CB_Swap_IN, CB_wMBus_Swap_Ident})
        c->setCurrentIndex(n.Swap_Ident);
    for (QComboBox *c : {CB_Var_Type, CB_wMBus_VarList})
        c->setCurrentIndex(n.Var_List_Type);
    CB_Cut_After->setCurrentIndex(n.Cut_After);
    CB_Manu_Spec_Data->setChecked(n.Enable_MS == 1);
    E_Manu_Spec_Data->setText(QString::number(n.Manufacturer_Spec));
    E_MSD_Length->setText(QString::number(n.MSD_Length));
    E_MSD_Offset->setText(QString::number(n.MSD_Offset));
    for (QCheckBox *c : {CB_Access_Number, CB_wMBus_Access_Number})
        c->setChecked(n.Enable_AN == 1);
    for (QLineEdit *e : {E_Access_Number, E_wMBus_Access_Number})
        e->setText(QString::number(n.Access_Number));
    {
        const QSignalBlocker block(CB_MBus_Type);
        CB_MBus_Type->setCurrentIndex(n.MBus_Type);
    }
    E_wMBus_ManID->setText(n.wMBus_ManID);
    E_wMBus_Add->setText(n.wMBus_Add);
    E_wMBus_Ver->setText(n.wMBus_Ver);
    E_wMBus_DevType->setText(n.wMBus_DevType);
    CB_wMBus_EnKey->setChecked(n.wMBus_En_Key == 1);
    for (int i = 0; i < 16; ++i)
        E_wMBus_K[size_t(i)]->setText(n.wMBus_Key[size_t(i)]);
    CB_wMBus_RSSI->setChecked(n.Enable_RSSI == 1);
    E_wMBus_RSSI->setText(QString::number(n.RSSI));
}

void TFMeter_Bus::Reset_Var_Page()
{
    CB_Var_En->setChecked(true);
    E_New_Var_Desc->clear();
    for (QComboBox *c : std::initializer_list<QComboBox *>{CB_Var_ToD, CB_Var_FF, CB_Var_Dim, CB_Var_Unit, CB_VIFE, CB_PostOpe})
        c->setCurrentIndex(0);
    E_Var_MR->clear();
    E_Sto_Num->setText(QStringLiteral("0"));
    E_Tariff->setText(QStringLiteral("0"));
    E_Length->setText(QStringLiteral("0"));
    E_VIF_ASCII->clear();
    for (QCheckBox *c : {CB_BCDtoINT, CB_Float, CB_Force_Int32, CB_TP_MR})
        c->setChecked(false);
    E_TP_Year->setText(QStringLiteral("1"));
    E_Position->setText(QStringLiteral("1"));
}

void TFMeter_Bus::Fill_Var_Page(const TVariabile &v)
{
    CB_Var_En->setChecked(v.Enable);
    E_New_Var_Desc->setText(v.Description);
    CB_Var_ToD->setCurrentIndex(v.Type_Of_Data);
    E_VIF_ASCII->setText(v.VIF_ASCII);
    CB_Var_FF->setCurrentIndex(v.Function_Field);
    CB_Var_Dim->setCurrentIndex(v.Dimension);
    E_Length->setText(QString::number(v.Length));
    CB_Var_Unit->setCurrentIndex(v.Unita);
    E_Sto_Num->setText(QString::number(v.Storage_Number));
    E_Tariff->setText(QString::number(v.Tariff));
    CB_VIFE->setCurrentIndex(v.VIFE == 255 ? 0 : v.VIFE);
    E_Var_MR->setText(QString::number(v.PositionData));
    CB_TP_MR->setChecked(v.TP_Mod_Regs);
    E_TP_Year->setText(QString::number(v.TP_Mod_Year));
    CB_BCDtoINT->setChecked(v.BCDtoINT);
    CB_Float->setChecked(v.Conv_Float);
    CB_Force_Int32->setChecked(v.Force_Int32);
    CB_PostOpe->setCurrentIndex(v.Post_Operation);
    E_Position->setText(QString::number(v.Position));
}

void TFMeter_Bus::Aggiorna_Label()
{
    if (IND_NODO < 0) {
        btn_Add_Node->SetCaption(Lang_Text(1723));
        btn_Add_Var->SetCaption(Lang_Text(1748));
        CB_Var_ToDChange();
    } else {
        const TNodo &n = *Nodi_List[size_t(IND_NODO)];
        Fill_Node_Page(n);
        if (IND_VAR < 0) {
            btn_Add_Node->SetCaption(Lang_Text(1724));
            btn_Add_Var->SetCaption(Lang_Text(1748));
            Reset_Var_Page();
        } else {
            btn_Add_Node->SetCaption(Lang_Text(1723));
            btn_Add_Var->SetCaption(Lang_Text(1749));
            Fill_Var_Page(*n.Var_List[size_t(IND_VAR)]);
        }
        Sposta_Oggetti_Var(n.Var_List_Type);
    }
    CB_MBus_TypeChange();
}

// ---------------------------------------------------------------------------------------
// Adding, modifying and deleting

void TFMeter_Bus::Show_Conversion_Error(const std::exception &e)
{
    MessageError(QString::fromUtf8(e.what()), {}, this);
}

void TFMeter_Bus::Node_From_Page(TNodo &target) const
{
    TNodo n;   // filled whole before the target changes
    auto flag = [](const QCheckBox *c) { return uint8_t(c->isChecked() ? 1 : 0); };
    auto int_or_zero = [](const QLineEdit *e) { return StrToIntDef(e->text(), 0); };
    n.Enable = flag(CB_Node_En);
    n.Description = E_New_Node_Desc->text();
    n.Node_Pri = StrToInt(E_New_Node_ID_Pri->text());
    n.Node_Sec = StrToInt(E_New_Node_ID_Sec->text());
    n.Send_SNK = flag(CB_SND_NKE);
    n.Reset_App = flag(CB_Reset_App);
    n.Enable_NS = flag(CB_Node_State);
    n.Enable_IN = flag(CB_Ident_Num);
    n.BCDtoINT_IN = flag(CB_BCDtoINT_IN);
    n.Enable_MS = flag(CB_Manu_Spec_Data);
    n.Enable_AN = flag(CB_Access_Number);
    n.Node_State = StrToInt(E_Node_State->text());
    n.Ident_Num = StrToInt(E_Iden->text());
    n.Swap_Ident = CB_Swap_IN->currentIndex();
    n.Var_List_Type = uint8_t(CB_Var_Type->currentIndex());
    n.Cut_After = uint8_t(CB_Cut_After->currentIndex());
    n.MBus_Type = uint8_t(CB_MBus_Type->currentIndex());
    n.Node_ID_Type = RB_ID_Primary->isChecked() ? 0 : 1;
    n.Manufacturer_Spec = int_or_zero(E_Manu_Spec_Data);
    n.MSD_Length = uint8_t(int_or_zero(E_MSD_Length));
    n.MSD_Offset = uint8_t(int_or_zero(E_MSD_Offset));
    n.Access_Number = int_or_zero(E_Access_Number);
    n.wMBus_ManID = E_wMBus_ManID->text();
    n.wMBus_Add = E_wMBus_Add->text();
    n.wMBus_Ver = E_wMBus_Ver->text();
    n.wMBus_DevType = E_wMBus_DevType->text();
    for (int i = 0; i < 16; ++i)
        n.wMBus_Key[size_t(i)] = E_wMBus_K[size_t(i)]->text();
    n.wMBus_En_Key = flag(CB_wMBus_EnKey);
    n.Enable_RSSI = target.Enable_RSSI;
    n.RSSI = target.RSSI;
    if (n.MBus_Type == 0) {
        n.Var_List_Type = 0;
        n.Enable_NS = flag(CB_wMBus_Node_State);
        n.Node_State = StrToInt(E_wMBus_NodeState->text());
        n.Enable_IN = flag(CB_wMBus_Ident_Num);
        n.Ident_Num = StrToInt(E_wMBus_Ident->text());
        n.Enable_RSSI = flag(CB_wMBus_RSSI);
        n.RSSI = StrToInt(E_wMBus_RSSI->text());
        n.BCDtoINT_IN = flag(CB_wMBus_Conv_BCD);
        n.Swap_Ident = CB_wMBus_Swap_Ident->currentIndex();
        n.Var_List_Type = uint8_t(CB_wMBus_VarList->currentIndex());
        n.Enable_AN = flag(CB_wMBus_Access_Number);
        n.Access_Number = StrToInt(E_wMBus_Access_Number->text());
    }
    Copy_Node_Fields(target, n);
}

void TFMeter_Bus::Var_From_Page(TVariabile &target) const
{
    TVariabile v;
    v.Enable = CB_Var_En->isChecked();
    v.BCDtoINT = CB_BCDtoINT->isChecked();
    v.Conv_Float = CB_Float->isChecked();
    v.Force_Int32 = CB_Force_Int32->isChecked();
    v.TP_Mod_Regs = CB_TP_MR->isChecked();
    v.Description = E_New_Var_Desc->text();
    v.VIF_ASCII = E_VIF_ASCII->text();
    v.Type_Of_Data = CB_Var_ToD->currentIndex();
    v.Function_Field = CB_Var_FF->currentIndex();
    v.Dimension = CB_Var_Dim->currentIndex();
    v.Unita = CB_Var_Unit->currentIndex();
    v.VIFE = uint8_t(std::max(0, CB_VIFE->currentIndex()));
    v.Post_Operation = uint8_t(std::max(0, CB_PostOpe->currentIndex()));
    v.PositionData = StrToInt(E_Var_MR->text());
    v.Storage_Number = uint32_t(StrToInt64(E_Sto_Num->text()));
    v.Tariff = StrToInt(E_Tariff->text());
    v.Position = uint16_t(StrToInt(E_Position->text()));
    v.Length = StrToIntDef(E_Length->text(), 0);
    v.TP_Mod_Year = StrToIntDef(E_TP_Year->text(), 0);
    target = v;
}

void TFMeter_Bus::btn_Add_NodeClick()
{
    const bool adding = btn_Add_Node->Caption() == Lang_Text(1723);
    if (adding || NODE_ID) {
        if (Controllo_Dati_New_Nodo()) {
            try {
                if (adding) {
                    auto n = std::make_unique<TNodo>();
                    Node_From_Page(*n);
                    new QTreeWidgetItem(NODE_ORIG, {Node_Text(*n)});
                    Nodi_List.push_back(std::move(n));
                } else {
                    TNodo &n = *Nodi_List[size_t(IND_NODO)];
                    Node_From_Page(n);
                    NODE_ID->setText(0, Node_Text(n));
                }
            } catch (const EConvertError &e) {
                Show_Conversion_Error(e);
            }
        }
    }
    NODE_ORIG->setExpanded(true);
    Is_Change = true;
}

void TFMeter_Bus::btn_Add_VarClick()
{
    try {
        if (btn_Add_Var->Caption() == Lang_Text(1748)) {
            if (NODE_ID && Controllo_Dati_New_Var(true)) {
                auto v = std::make_unique<TVariabile>();
                Var_From_Page(*v);
                new QTreeWidgetItem(NODE_ID, {Var_Text(*v)});
                Nodi_List[size_t(IND_NODO)]->Var_List.push_back(std::move(v));
            }
        } else if (SELECT_NODE && Controllo_Dati_New_Var(false)) {
            TVariabile &v = *Nodi_List[size_t(IND_NODO)]->Var_List[size_t(IND_VAR)];
            Var_From_Page(v);
            SELECT_NODE->setText(0, Var_Text(v));
        }
    } catch (const EConvertError &e) {
        Show_Conversion_Error(e);
    }
    NODE_ORIG->setExpanded(true);
    Is_Change = true;
}

void TFMeter_Bus::btn_Delete_ItemClick()
{
    if (IND_NODO < 0) {
        if (MessageYesNo(Lang_Text(1893), {}, this)) {
            Rebuild_Root();
            Release_Nodes();
            IND_VAR = -1;
            Is_Change = true;
        }
    } else if (IND_VAR < 0) {
        if (MessageYesNo(Lang_Text(1894), {}, this)) {
            TVariabile_List &vars = Nodi_List[size_t(IND_NODO)]->Var_List;
            while (!vars.empty())
                vars.pop_back();
            Nodi_List.erase(Nodi_List.begin() + IND_NODO);
            filling_ = true;
            delete NODE_ID;
            filling_ = false;
            TWClick();
            Is_Change = true;
        }
    } else if (MessageYesNo(Lang_Text(1895), {}, this)) {
        TVariabile_List &vars = Nodi_List[size_t(IND_NODO)]->Var_List;
        vars.erase(vars.begin() + IND_VAR);
        filling_ = true;
        delete SELECT_NODE;
        filling_ = false;
        TWClick();
        Is_Change = true;
    }
    TW->viewport()->update();
}

// ---------------------------------------------------------------------------------------
// OK, Cancel and Import

void TFMeter_Bus::LbButton2Click()
{
    if (Load_Incomplete
        && !MessageYesNo(QStringLiteral("The M-Bus network could not be read completely: what could not be "
                                        "read will be lost. Do you want to save the network anyway?"),
                         {}, this))
        return;
    try {
        Write_MBus_Network(Nodi_List, Path_M_Bus);
    } catch (const std::exception &e) {
        MessageError(QString::fromUtf8(e.what()), {}, this);
        return;
    }
    Rebuild_Root();
    Release_Nodes();
    IND_NODO = IND_VAR = -1;
    done(mrOk);
}

void TFMeter_Bus::LbButton4Click()
{
    if (Is_Change && !MessageYesNo(Lang_Text(1896), {}, this))
        return;
    done(mrCancel);
}

void TFMeter_Bus::reject()
{
    // The title bar's close button and Escape close without asking.
    done(mrCancel);
}

void TFMeter_Bus::Btn_ImportNetClick()
{
    const QString source = Dialogs().OpenFile(Lang_Text(1704), QString(), QStringLiteral("XML File (*.xml)"), this);
    if (source.isEmpty())
        return;
    if (File_Exists(Path_M_Bus) && !MessageYesNo(Lang_Text(1906), {}, this))
        return;
    try {
        // Through a temporary file beside the target: picking the network file itself loses nothing.
        Import_MBus_Network(source, Path_M_Bus);
    } catch (const std::exception &e) {
        MessageError(QString::fromUtf8(e.what()), {}, this);
        return;
    }
    FormShow();
}
