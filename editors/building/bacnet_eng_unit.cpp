#include "editors/building/bacnet_eng_unit.h"

#include "app/comon.h"
#include "editors/building/dialogparts.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "platform/rtl.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TFBACnet_Eng_Unit *FBACnet_Eng_Unit = nullptr;

const std::vector<TEng_Unit_Category> &Eng_Unit_Categories()
{
    static const std::vector<TEng_Unit_Category> table = {
        {"Acceleration", {{166, "meters-per-second-per-second"}}},
        {"Area", {{0, "square-meters"}, {116, "square-centimeters"}, {1, "square-feet"}, {115, "square-inches"}}},
        {"Currency",
         {{105, "currency1"}, {106, "currency2"}, {107, "currency3"}, {108, "currency4"}, {109, "currency5"},
          {110, "currency6"}, {111, "currency7"}, {112, "currency8"}, {113, "currency9"}, {114, "currency10"}}},
        {"Electrical",
         {{2, "milliamperes"},
          {3, "amperes"},
          {167, "amperes-per-meter"},
          {168, "amperes-per-square-meter"},
          {169, "ampere-square-meters"},
          {199, "decibels"},
          {200, "decibels-millivolt"},
          {201, "decibels-volt"},
          {170, "farads"},
          {171, "henrys"},
          {4, "ohms"},
          {172, "ohms-meters"},
          {145, "milliohms"},
          {122, "kilohms"},
          {123, "megohms"},
          {190, "microsiemens"},
          {202, "millisiemens"},
          {173, "siemens"},
          {174, "siemens-per-meter"},
          {175, "teslas"},
          {5, "volts"},
          {124, "millivolts"},
          {6, "kilovolts"},
          {7, "megavolts"},
          {8, "volt-amperes"},
          {9, "kilovolt-amperes"},
          {10, "megavolt-amperes"},
          {11, "volt-amperes-reactive"},
          {12, "kilovolt-amperes-reactive"},
          {13, "megavolt-amperes-reactive"},
          {176, "volts-per-degree-Kelvin"},
          {177, "volts-per-meter"},
          {14, "degrees-phase"},
          {15, "power-factor"},
          {178, "webers"}}},
        {"Energy",
         {{16, "joules"},
          {17, "kilojoules"},
          {125, "kilojoules-per-kilogram"},
          {126, "megajoules"},
          {18, "watt-hours"},
          {19, "kilowatt-hours"},
          {146, "megawatt-hours"},
          {203, "watt-hours-reactive"},
          {204, "kilowatt-hours-reactive"},
          {205, "megawatt-hours-reactive"},
          {20, "btus"},
          {147, "kilo-btus"},
          {148, "mega-btus"},
          {21, "therms"},
          {22, "ton-hours"}}},
        {"Enthalpy",
         {{23, "joules-per-kilogram-dry-air"},
          {149, "kilojoules-per-kilogram-dry-air"},
          {150, "megajoules-per-kilogram-dry-air"},
          {24, "btus-per-pound-dry-air"},
          {117, "btus-per-pound"}}},
        {"Entropy",
         {{127, "joules-per-degree-Kelvin"},
          {151, "kilojoules-per-degree-Kelvin"},
          {152, "megajoules-per-degree-Kelvin"},
          {128, "btus-per-kilogram-degree-Kelvin"}}},
        {"Force", {{153, "newton"}}},
        {"Frequency",
         {{25, "cycles-per-hour"}, {26, "cycles-per-minute"}, {27, "hertz"}, {129, "kilohertz"}, {130, "megahertz"},
          {131, "per-hour"}}},
        {"Humidity", {{28, "grams-of-water-per-kilogram-dry-air"}, {29, "percent-relative-humidity"}}},
        {"Length",
         {{194, "micrometers"}, {30, "millimeters"}, {118, "centimeters"}, {193, "kilometers"}, {31, "meters"},
          {32, "inches"}, {33, "feet"}}},
        {"Light",
         {{179, "candelas"}, {180, "candelas-per-square-meter"}, {34, "watts-per-square-foot"},
          {35, "watts-per-square-meter"}, {36, "lumens"}, {37, "luxes"}, {38, "foot-candles"}}},
        {"Mass", {{196, "milligrams"}, {195, "grams"}, {39, "kilograms"}, {40, "pounds-mass"}, {41, "tons"}}},
        {"Mass Flow",
         {{154, "grams-per-second"},
          {155, "grams-per-minute"},
          {42, "kilograms-per-second"},
          {43, "kilograms-per-minute"},
          {44, "kilograms-per-hour"},
          {119, "pounds-mass-per-second"},
          {45, "pounds-mass-per-minute"},
          {46, "pounds-mass-per-hour"},
          {156, "tons-per-hour"}}},
        {"Power",
         {{132, "milliwatts"}, {47, "watts"}, {48, "kilowatts"}, {49, "megawatts"}, {50, "btus-per-hour"},
          {157, "kilo-btus-per-hour"}, {51, "housepower"}, {52, "tons-refrigeration"}}},
        {"Pressure",
         {{53, "pascals"},
          {133, "hectopascals"},
          {54, "kilopascals"},
          {134, "millibars"},
          {55, "bars"},
          {56, "pounds-force-per-square-inch"},
          {206, "millimeters-of-water"},
          {57, "centimeters-of-water"},
          {58, "inches-of-water"},
          {59, "millimeters-of-mercury"},
          {60, "centimeters-of-mercury"},
          {61, "inches-of-mercury"}}},
        {"Temperature",
         {{62, "degrees-Celsius"},
          {63, "degrees-Kelvin"},
          {181, "degrees-Kelvin-per-hour"},
          {182, "degrees-Kelvin-per-minute"},
          {64, "degrees-Fahrenheit"},
          {65, "degree-days-Celsius"},
          {66, "degree-days-Fahrenheit"},
          {120, "delta-degrees-Fahrenheit"},
          {121, "delta-degrees-Kelvin"}}},
        {"Time",
         {{67, "years"}, {68, "months"}, {69, "weeks"}, {70, "days"}, {71, "hours"}, {72, "minutes"},
          {73, "seconds"}, {158, "hundredths-seconds"}, {159, "milliseconds"}}},
        {"Torque", {{160, "newton-meters"}}},
        {"Velocity",
         {{161, "millimeters-per-second"},
          {162, "millimeters-per-minute"},
          {74, "meters-per-second"},
          {163, "meters-per-minute"},
          {164, "meters-per-hour"},
          {75, "kilometers-per-hour"},
          {76, "feet-per-second"},
          {77, "feet-per-meters"},
          {78, "miles-per-hour"}}},
        {"Volume",
         {{79, "cubic-feet"}, {80, "cubic-meters"}, {81, "imperial-gallons"}, {197, "milliliters"}, {82, "liters"},
          {83, "us-gallons"}}},
        {"Volumetric Flow",
         {{142, "cubic-feet-per-second"},
          {84, "cubic-feet-per-minute"},
          {191, "cubic-feet-per-hour"},
          {85, "cubic-meters-per-second"},
          {165, "cubic-meters-per-minute"},
          {135, "cubic-meters-per-hour"},
          {86, "imperial-gallons-per-minute"},
          {198, "milliliters-per-second"},
          {87, "liters-per-second"},
          {88, "liters-per-minute"},
          {136, "liters-per-hour"},
          {89, "us-gallons-per-minute"},
          {192, "us-gallons-per-hour"}}},
        {"Other",
         {{90, "degrees-angular"},
          {91, "degrees-Celsius-per-hour"},
          {92, "degrees-Celsius-per-minute"},
          {93, "degrees-Fahrenheit-per-hour"},
          {94, "degrees-Fahrenheit-per-minute"},
          {183, "joule-seconds"},
          {186, "kilograms-per-cubic-meter"},
          {137, "kilowatt-hours-per-square-meter"},
          {138, "kilowatt-hours-per-square-foot"},
          {139, "megajoules-per-square-meter"},
          {140, "megajoules-per-square-foot"},
          {95, "no-units"},
          {187, "newton-seconds"},
          {188, "newtons-per-meter"},
          {96, "parts-per-million"},
          {97, "parts-per-billion"},
          {98, "percent"},
          {143, "percent-obscuration-per-foot"},
          {144, "percent-obscuration-per-meter"},
          {99, "percent-per-second"},
          {100, "per-minute"},
          {101, "per-second"},
          {102, "psi-per-degree-Fahrenheit"},
          {103, "radiants"},
          {184, "radians-per-second"},
          {104, "revolutions-per-minute"},
          {185, "square-meters-per-Newton"},
          {189, "watts-per-meter-per-degree-Kelvin"},
          {141, "watts-per-square-meter-degree-kelvin"},
          {207, "per-mille"},
          {208, "grams-per-gram"},
          {209, "kilograms-per-kilogram"},
          {210, "grams-per-kilogram"},
          {211, "milligrams-per-gram"},
          {212, "milligrams-per-kilogram"},
          {213, "grams-per-milliliter"},
          {214, "grams-per-liter"},
          {215, "milligrams-per-liter"},
          {216, "micrograms-per-liter"},
          {217, "grams-per-cubic-meter"},
          {218, "milligrams-per-cubic-meter"},
          {219, "micrograms-per-cubic-meter"},
          {220, "nanograms-per-cubic-meter"},
          {221, "grams-per-cubic-centimeter"},
          {222, "becquerels"},
          {223, "kilobecquerels"},
          {224, "megabecquerels"},
          {225, "gray"},
          {226, "milligray"},
          {227, "microgray"},
          {228, "sieverts"},
          {229, "millisieverts"},
          {230, "microsieverts"},
          {231, "microsieverts-per-hour"},
          {232, "decibels-a"},
          {233, "nephelometric-turbidity-unit"},
          {234, "pH"},
          {235, "grams-per-square-meter"},
          {236, "minutes-per-degree-kelvin"}}},
    };
    return table;
}

QString Desc_Unit(int code)
{
    constexpr int Units = 237;
    static const std::vector<QString> names = [] {
        std::vector<QString> n(Units);
        for (const TEng_Unit_Category &category : Eng_Unit_Categories())
            for (const TEng_Unit &unit : category.Units)
                n[size_t(unit.Code)] = QLatin1String(unit.Name);
        // The name table departs from the list's texts for these three.
        n[172] = QStringLiteral("ohm-meters");
        n[139] = QStringLiteral("megajoules-hours-per-square-meter");
        n[140] = QStringLiteral("megajoules-hours-per-square-foot");
        return n;
    }();
    if (code < 0 || code >= Units)
        return QStringLiteral("unknown");
    return names[size_t(code)];
}

namespace {

constexpr int Client_Width = 548;
constexpr int Client_Height = 306;

QComboBox *New_List(QWidget *parent, const char *name, int x, int y, int w)
{
    auto *cb = new QComboBox(parent);
    cb->setObjectName(QLatin1String(name));
    cb->setEditable(false);
    cb->setGeometry(x, y, w, 22);
    return cb;
}

} // namespace

TFBACnet_Eng_Unit::TFBACnet_Eng_Unit(QWidget *parent) : QDialog(parent)
{
    QVBoxLayout *layout = Create_Dialog_Layout(this, "FBACnet_Eng_Unit", L_SW_Code, L_SW_Desc);

    auto *body = new QFrame(this);
    body->setObjectName(QStringLiteral("P_Unit"));
    Label1 = New_Label(body, "Label1", 16, 8, 300);
    E_Selected_EU = new QLineEdit(body);
    E_Selected_EU->setObjectName(QStringLiteral("E_Selected_EU"));
    E_Selected_EU->setGeometry(16, 28, 120, 22);
    Label5 = New_Label(body, "Label5", 148, 31, 380);
    Label5->setText(QStringLiteral("-> unknown"));
    Label2 = New_Label(body, "Label2", 16, 64, 400);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    Label3 = New_Label(body, "Label3", 16, 88, 200);
    CB_Select_Type = New_List(body, "CB_Select_Type", 16, 108, 200);
    Label4 = New_Label(body, "Label4", 232, 88, 290);
    CB_Select_Unit = New_List(body, "CB_Select_Unit", 232, 108, 300);
    Btn_Select_Eng_Unit = new TLbButton(body);
    Btn_Select_Eng_Unit->setObjectName(QStringLiteral("Btn_Select_Eng_Unit"));
    Btn_Select_Eng_Unit->setGeometry(232, 142, 180, 28);
    Set_Button_Look(Btn_Select_Eng_Unit);
    layout->addWidget(body, 1);
    layout->addWidget(Create_Button_Panel(this, Btn_OK, Btn_Cancel));

    for (const TEng_Unit_Category &category : Eng_Unit_Categories())
        CB_Select_Type->addItem(QLatin1String(category.Name));
    CB_Select_Type->setCurrentIndex(0);
    connect(CB_Select_Type, &QComboBox::activated, this, [this] { CB_Select_TypeSelect(); });
    Btn_Select_Eng_Unit->OnClick = [this](QObject *) { Btn_Select_Eng_UnitClick(); };
    Btn_OK->SetModalResult(mrOk);
    Btn_Cancel->SetModalResult(mrCancel);

    L_SW_Code->setText(SW_Code);
    resize(Client_Width, Client_Height);
    Set_Lang();
}

int TFBACnet_Eng_Unit::exec()
{
    FormShow();
    return QDialog::exec();
}

void TFBACnet_Eng_Unit::Set_Lang()
{
    setWindowTitle(Lang_Text(1600));
    L_SW_Desc->setText(Lang_Text(1601));
    Btn_OK->SetCaption(Lang_Text(1602));
    Btn_Cancel->SetCaption(Lang_Text(1603));
    Label1->setText(Lang_Text(1604));
    Label2->setText(Lang_Text(1605));
    Label3->setText(Lang_Text(1606));
    Label4->setText(Lang_Text(1607));
    Btn_Select_Eng_Unit->SetCaption(Lang_Text(1608));
}

void TFBACnet_Eng_Unit::FormShow() { CB_Select_TypeSelect(); }

void TFBACnet_Eng_Unit::CB_Select_TypeSelect()
{
    CB_Select_Unit->clear();
    const int type = CB_Select_Type->currentIndex();
    const auto &categories = Eng_Unit_Categories();
    if (type < 0 || type >= int(categories.size()))
        return;
    for (const TEng_Unit &unit : categories[size_t(type)].Units)
        CB_Select_Unit->addItem(QLatin1String(unit.Name));
    CB_Select_Unit->setCurrentIndex(0);
}

void TFBACnet_Eng_Unit::Btn_Select_Eng_UnitClick()
{
    const auto &categories = Eng_Unit_Categories();
    const int type = CB_Select_Type->currentIndex();
    const int unit = CB_Select_Unit->currentIndex();
    int code = 0;
    if (type >= 0 && type < int(categories.size()) && unit >= 0 && unit < int(categories[size_t(type)].Units.size()))
        code = categories[size_t(type)].Units[size_t(unit)].Code;
    E_Selected_EU->setText(IntToStr(code));
    Label5->setText(QStringLiteral("-> ") + Desc_Unit(code));
}

void TFBACnet_Eng_Unit::Set_Selected(const QString &cell)
{
    E_Selected_EU->setText(cell);
    Label5->setText(QStringLiteral("-> ") + Desc_Unit(StrToIntDef(cell, -1)));
}
