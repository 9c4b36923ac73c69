#include "editors/building/bacnetslavesetaccess.h"

#include "app/comon.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "app/pargen_keys.h"
#include "app/tableediting.h"
#include "editors/building/bacnet_eng_unit.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/rtl.h"

#include <QEvent>
#include <QLineEdit>

TFBACnetSlaveSetAccess *FBACnetSlaveSetAccess = nullptr;

namespace {

constexpr int Max_Rows = 2000;
constexpr int Limited_Rows = 1000;
constexpr int Data_Bytes = 1500;
constexpr int Max_Eng_Unit = 65535;

enum { Read_Table, Write_Table };

const QStringList Read_Types = {"Analog Input",      "Analog Value",      "Binary Input",     "Binary Value",
                                "Positive Integer Value", "Large Analog Value", "Integer Value",
                                "Multi State Input", "Multi State Value", "Life Safety Point",
                                "Life Safety Zone",  "Access Door",       "Accumulator"};
const QStringList Write_Types = {"Analog Out",         "Analog Value",  "Binary Out",         "Binary Value",
                                 "Positive Integer Value", "Large Analog Value", "Integer Value",
                                 "Multi State Output", "Multi State Value", "Access Door"};

// Length 1..Max per type, with the text of each table (-1: the table has no range for it).
struct TLength_Range
{
    const char *Type;
    int Max;
    int Read_Text;
    int Write_Text;
};
const TLength_Range Length_Ranges[] = {
    {"Analog Input", 4, 1535, -1},         {"Analog Out", 4, -1, 1549},
    {"Analog Value", 4, 1538, 1550},       {"Positive Integer Value", 4, 1536, 1551},
    {"Large Analog Value", 8, 1537, 1552}, {"Integer Value", 4, -1, 1553},
    {"Multi State Input", 4, 1539, -1},    {"Multi State Output", 4, -1, 1554},
    {"Multi State Value", 4, 1540, 1555},  {"Life Safety Point", 2, 1541, -1},
    {"Life Safety Zone", 2, 1542, -1},     {"Access Door", 1, 1543, 1556},
    {"Accumulator", 4, 1544, -1},
};

// Texts of the checks that both tables make, read / write.
struct TTable_Texts
{
    int Eng_Unit, Position, Bit, Too_Many;
};
const TTable_Texts Texts[] = {{1533, 1534, 1545, 1546}, {1547, 1548, 1557, 1558}};

bool Is_Binary(int table, const QString &type)
{
    return type == QLatin1String(table == Read_Table ? "Binary Input" : "Binary Out")
           || type == QLatin1String("Binary Value");
}

TRule_Table_Desc Table(int t)
{
    const bool read = t == Read_Table;
    const int h = read ? 1516 : 1524;   // first header of the table
    TRule_Table_Desc table;
    table.Grid_Name = read ? "ACG_BACnet_in_Read" : "ACG_BACnet_in_Write";
    table.Sheet_Name = read ? "TS_BACnet_in_Read" : "TS_BACnet_in_Write";
    table.Tab_Caption = read ? 1508 : 1509;
    table.List = read ? "BACnet_in_Read" : "BACnet_in_Write";
    table.Rows = Max_Rows;
    table.Key_Col = BS_Data_Type;
    table.Enable = TRule_Enable::None;
    table.Insert_Enable = false;
    table.Error_Row = 1532;
    table.Hint = TRule_Hint::None;
    table.Show_Hints = false;
    table.Columns = {
        {h, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {h + 1, -1, "Data_Type", nullptr, TRule_Cell::Pick, 150, read ? Read_Types : Write_Types},
        {h + 2, -1, "Eng_Unit", nullptr, TRule_Cell::Text, 70},
        {h + 3, -1, "Position", nullptr, TRule_Cell::Pick, 70},
        {h + 4, -1, "Bit", nullptr, TRule_Cell::Pick, 70, {"0", "1", "2", "3", "4", "5", "6", "7"}},
        {h + 5, -1, "Length", nullptr, TRule_Cell::Text, 70},
        {h + 6, -1, "Swap", "N", TRule_Cell::Check, 50},
        {h + 7, -1, "Mnemonic", nullptr, TRule_Cell::Text, 220},
    };
    return table;
}

TRule_Editor_Desc Make_Desc()
{
    TRule_Editor_Desc d;
    d.Form_Name = "FBACnetSlaveSetAccess";
    d.Client_Width = 764;
    d.Client_Height = 337;
    d.Caption = 1500;
    d.Description = 1501;
    d.Button_Captions = {1502, 1503, 1504, 1505, 1506, 1507};
    d.Button_Hints = {1510, 1511, 1512, 1513, 1514, 1515};
    d.Buttons_Show_Hints = true;   // all but Copy Row and Paste Row are silenced below
    d.Headers_In_Cells = true;
    d.Delete_Question = 1560;
    d.Root = "BACnet_to_Modbus";
    d.Version = QStringLiteral("1.000");
    d.Tables = {Table(Read_Table), Table(Write_Table)};
    return d;
}

// Keeps a button's tooltip from showing; its hint text stays set.
class THint_Silencer : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *e) override { return e->type() == QEvent::ToolTip; }
};

} // namespace

const TRule_Editor_Desc &BACnetSlaveSetAccess_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

QString BACnet_Slave_Check_Row(int table, const QStringList &cells, int NByte)
{
    const TTable_Texts &texts = Texts[table == Read_Table ? 0 : 1];
    if (!Rule_In_Range(cells.value(BS_Eng_Unit), 0, Max_Eng_Unit))
        return Lang_Text(texts.Eng_Unit);
    const int position = Rule_Int(cells.value(BS_Position));
    if (position < 0 || position > NByte - 1)
        return Rule_Limit_Text(texts.Position, NByte - 1);
    const QString type = cells.value(BS_Data_Type);
    int64_t last = position;
    if (Is_Binary(table, type)) {
        if (cells.value(BS_Bit).isEmpty())
            return Lang_Text(texts.Bit);
    } else {
        const int length = StrToIntDef(cells.value(BS_Length), 0);
        for (const TLength_Range &range : Length_Ranges) {
            const int text = table == Read_Table ? range.Read_Text : range.Write_Text;
            if (text >= 0 && type == QLatin1String(range.Type) && (length < 1 || length > range.Max))
                return Lang_Text(text);
        }
        last = int64_t(position) + length - 1;
    }
    if (last >= NByte)
        return Lang_Text(texts.Too_Many);
    return {};
}

QString BACnet_Slave_Type_Length(const QString &data_type)
{
    const QString type = UpperCase(data_type);
    for (const char *four : {"ANALOG OUT", "ANALOG VALUE", "POSITIVE INTEGER VALUE", "INTEGER VALUE",
                             "MULTI STATE OUTPUT", "MULTI STATE VALUE"})
        if (type == QLatin1String(four))
            return QStringLiteral("4");
    for (const char *one : {"BINARY OUT", "BINARY VALUE", "ACCESS DOOR"})
        if (type == QLatin1String(one))
            return QStringLiteral("1");
    if (type == QLatin1String("LARGE ANALOG VALUE"))
        return QStringLiteral("8");
    return {};
}

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess(QWidget *parent)
    : TRule_Editor(BACnetSlaveSetAccess_Desc(), Path_BACnet_Slave_SetAccess, parent),
      ACG_BACnet_in_Read(Grid(Read_Table)),
      ACG_BACnet_in_Write(Grid(Write_Table)),
      Do_Copy_Read(Tables[Read_Table].Do_Copy),
      Do_Copy_Write(Tables[Write_Table].Do_Copy)
{
    auto *silencer = new THint_Silencer(this);
    for (TLbButton *button : {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow})
        button->installEventFilter(silencer);
    ACG_BACnet_in_Read->HideColumn(BS_Swap);
    ACG_BACnet_in_Write->HideColumn(BS_Swap);
    FormCreate();
}

void TFBACnetSlaveSetAccess::Show_Prepare()
{
    NByte_IN = Data_Bytes;
    NByte_OUT = Data_Bytes;
    Rule_Set_Number_Items(*ACG_BACnet_in_Read, BS_Position, NByte_IN);
    Rule_Set_Number_Items(*ACG_BACnet_in_Write, BS_Position, NByte_OUT);
    QString limit;
    Desc_Lenght = TParGen_Keys(Path_ParGen).Text(QStringLiteral("BACnet_Desc_Chars_Limit"), limit)
                  && limit == QLatin1String("1");
    const int rows = (Desc_Lenght ? Limited_Rows : Max_Rows) + 1;
    ACG_BACnet_in_Read->SetRowCount(rows);
    ACG_BACnet_in_Write->SetRowCount(rows);
}

QString TFBACnetSlaveSetAccess::Check_Row(int table, int, const QStringList &cells)
{
    return BACnet_Slave_Check_Row(table, cells, table == Read_Table ? NByte_IN : NByte_OUT);
}

QString TFBACnetSlaveSetAccess::Check_Tables(const TRule_Data &data)
{
    int64_t count = 0;
    for (size_t t = 0; t < data.size(); ++t)
        for (const QStringList &cells : data[t]) {
            if (Rule_Key_Empty(Desc().Tables[t], cells))
                break;
            ++count;
        }
    if (count > Max_Requests())
        return Rule_Limit_Text(1559, Max_Requests());
    return {};
}

void TFBACnetSlaveSetAccess::DblClickCell(TDazStringGrid *Sender, int ARow, int ACol)
{
    if (ARow > 0 && Sender->RealColIndex(ACol) == BS_Eng_Unit && FBACnet_Eng_Unit) {
        FBACnet_Eng_Unit->Set_Selected(Sender->GetCellEx(BS_Eng_Unit, ARow));
        if (FBACnet_Eng_Unit->exec() == mrOk)
            Sender->SetCellEx(BS_Eng_Unit, ARow, FBACnet_Eng_Unit->E_Selected_EU->text());
    }
    TRule_Editor::DblClickCell(Sender, ARow, ACol);
}

void TFBACnetSlaveSetAccess::ComboChange(TDazStringGrid *Sender, int ACol, int ARow, int AItemIndex)
{
    if (Sender != ACG_BACnet_in_Write || Sender->RealColIndex(ACol) != BS_Data_Type)
        return;
    const QString length = BACnet_Slave_Type_Length(Write_Types.value(AItemIndex));
    if (!length.isEmpty())
        Sender->SetCellEx(BS_Length, ARow, length);
}
