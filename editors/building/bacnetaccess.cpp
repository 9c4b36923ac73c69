#include "editors/building/bacnetaccess.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "app/pargen_keys.h"
#include "app/valuechecks.h"
#include "editors/building/importedefile.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/rtl.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <map>

TFBACnetAccess *FBACnetAccess = nullptr;

namespace {

constexpr int Data_Rows = 512;
constexpr int Data_Bytes = 1440;
constexpr int64_t Max_Instance = 4294967295LL;
constexpr int Max_Poll_Time = 100000000;
constexpr int Present_Value = 100;

enum { Read_Table, Write_Table };

const QStringList Read_Object_Items = {
    "Accumulator",   "Multi-State Input", "Multi-State Output", "Multi-State Value",  "Analog Input",
    "Analog Output", "Analog Value",      "Binary Input",       "Binary Output",      "Binary Value",
    "Integer Value", "Large Analog Value", "Positive Integer Value", "Life Safety Point", "Life Safety Zone"};
const QStringList Write_Object_Items = {"Multi-State Output", "Multi-State Value", "Analog Output",
                                        "Analog Value",       "Binary Output",     "Binary Value",
                                        "Integer Value",      "Large Analog Value", "Positive Integer Value"};
const QStringList Read_Property_Items = {"Present Value (85)", "Object Identifier (75)", "Units (117)",
                                         "Scale (187)",        "PreScale (185)",         "Polarity (84)",
                                         "Event State (36)",   "Status Flags (111)",     "Object Type (79)",
                                         "Number of States (74)"};
const QStringList Data_Type_Items = {"Null", "Boolean", "Unsigned Int", "Signed Int", "Real", "Double", "Octet String",
                                     "Character String", "Bit String", "Enumerated", "Date", "Time", "Object ID"};
const QStringList D_Len_Items = {"1", "2", "6", "M1", "M2", "M3", "M4", "M5", "M6", "M7", "M8"};
const QStringList Bit_Items = {"0", "1", "2", "3", "4", "5", "6", "7"};

TRule_Table_Desc Read_Desc()
{
    TRule_Table_Desc t;
    t.Grid_Name = "ACG1";
    t.Sheet_Name = "TS_BACnet_Read";
    t.Tab_Caption = 1306;
    t.List = "BACnet_Read";
    t.Rows = Data_Rows;
    t.Key_Col = BR_Address;
    t.Enable = TRule_Enable::Exact;
    t.Error_Row = 1337;
    t.Hint = TRule_Hint::None;
    t.Key_Press = false;
    t.Columns = {
        {1308, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {1390, -1, "Enable", "Y", TRule_Cell::Check, 50},
        {1309, -1, "IP_Address_Slave_ID", "", TRule_Cell::Text, 100},
        {1311, -1, "Object_Type", "", TRule_Cell::Pick_Edit, 130, Read_Object_Items},
        {1312, -1, "Instance", "", TRule_Cell::Text, 70},
        {1313, -1, "Property", "", TRule_Cell::Pick_Edit, 130, Read_Property_Items},
        {1314, -1, "NumByte", "", TRule_Cell::Text, 50},
        {1362, -1, "Enable_Destination", "N", TRule_Cell::Check, 55},
        {1363, -1, "Destination_Network", "", TRule_Cell::Text, 55},
        {1364, -1, "Destination_Length", "", TRule_Cell::Pick, 50, D_Len_Items},
        {1365, -1, "Destination_Address", "", TRule_Cell::Text, 120},
        {1315, -1, "PollTime", "", TRule_Cell::Text, 65},
        {1316, -1, "MaxError", "", TRule_Cell::Text, 60},
        {1317, -1, "Position", "", TRule_Cell::Pick, 60},
        {1318, -1, "StartBit", "", TRule_Cell::Pick, 60, Bit_Items},
        {1360, -1, nullptr, nullptr, TRule_Cell::Check, 45},
        {1380, -1, nullptr, nullptr, TRule_Cell::Pick, 120,
         {"None", "Float to Int", "(Float to Int) * 10", "(Float to Int) * 100"}},
        {1319, -1, "Mnemonic", "", TRule_Cell::Text, 150},
    };
    return t;
}

TRule_Table_Desc Write_Desc()
{
    TRule_Table_Desc t;
    t.Grid_Name = "ACG2";
    t.Sheet_Name = "TS_BACnet_Write";
    t.Tab_Caption = 1307;
    t.List = "BACnet_Write";
    t.Rows = Data_Rows;
    t.Key_Col = BW_Address;
    t.Enable = TRule_Enable::Exact;
    t.Error_Row = 1346;
    t.Hint = TRule_Hint::None;
    t.Show_Hints = false;
    t.Key_Press = false;
    t.Columns = {
        {1320, -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {1391, -1, "Enable", "Y", TRule_Cell::Check, 50},
        {1321, -1, "IP_Address_Slave_ID", "", TRule_Cell::Text, 100},
        {1323, -1, "Object_Type", "", TRule_Cell::Pick_Edit, 130, Write_Object_Items},
        {1324, -1, "Data_Type", "", TRule_Cell::Pick, 100, Data_Type_Items},
        {1325, -1, "Instance", "", TRule_Cell::Text, 70},
        {1326, -1, "Property", "", TRule_Cell::Pick_Edit, 130, {"Present Value (85)"}},
        {1327, -1, "Priority", "", TRule_Cell::Text, 50},
        {1328, -1, "NumByte", "", TRule_Cell::Text, 50},
        {1366, -1, "Enable_Destination", "N", TRule_Cell::Check, 55},
        {1367, -1, "Destination_Network", "", TRule_Cell::Text, 55},
        {1368, -1, "Destination_Length", "", TRule_Cell::Pick, 50, D_Len_Items},
        {1369, -1, "Destination_Address", "", TRule_Cell::Text, 120},
        {1329, -1, "OnChange", "N", TRule_Cell::Check, 55},
        {1330, -1, "OnTimer", "N", TRule_Cell::Check, 50},
        {1331, -1, "PollTime", "", TRule_Cell::Text, 65},
        {1332, -1, "MaxError", "", TRule_Cell::Text, 60},
        {1333, -1, "Position", "", TRule_Cell::Pick, 60},
        {1334, -1, "StartBit", "", TRule_Cell::Pick, 60, Bit_Items},
        {1361, -1, nullptr, nullptr, TRule_Cell::Check, 45},
        {1381, -1, nullptr, nullptr, TRule_Cell::Pick, 120,
         {"None", "Int to Float", "(Int to Float) / 10", "(Int to Float) / 100"}},
        {1335, -1, "Mnemonic", "", TRule_Cell::Text, 150},
    };
    return t;
}

// The key column follows the master type, so the description is set at every showing.
TRule_Editor_Desc &Desc_Of_Window()
{
    static TRule_Editor_Desc d = [] {
        TRule_Editor_Desc e;
        e.Form_Name = "FBACnetAccess";
        e.Client_Width = 1305;
        e.Caption = 1300;
        e.Description = 1301;
        e.Button_Captions = {1302, 1303, 1304, 1305};
        e.Delete_Question = 1336;
        e.Root = "BACnet_Master_Access";
        e.Version = QStringLiteral("1.002");
        e.Tables = {Read_Desc(), Write_Desc()};
        return e;
    }();
    return d;
}

// The texts of the checks, read / write.
struct TMaster_Texts
{
    int IP, Slave_ID, Object_Type, Instance, Property, D_Net, D_Len, D_Add_1, D_Add_2, D_Add_6, D_Len_List, Max_Err;
    int Byte_Range, Too_Many, Too_Few;
};
const TMaster_Texts Texts[] = {{1338, 1339, 1340, 1341, 1342, 1370, 1371, 1372, 1373, 1374, 1386, 1345, 1382, 1384, 1388},
                               {1347, 1348, 1349, 1350, 1351, 1375, 1376, 1377, 1378, 1379, 1387, 1356, 1383, 1385, 1389}};

// Columns both tables check, read / write.
struct TMaster_Cols
{
    int Object_Type, Instance, Property, NByte, En_Dest, D_Net, D_Len, D_Add, Poll_Time, Max_Err;
};
const TMaster_Cols Cols[] = {
    {BR_Object_Type, BR_Instance, BR_Property, BR_NByte, BR_En_Dest, BR_D_Net, BR_D_Len, BR_D_Add, BR_Poll_Time,
     BR_Max_Err},
    {BW_Object_Type, BW_Instance, BW_Property, BW_NByte, BW_En_Dest, BW_D_Net, BW_D_Len, BW_D_Add, BW_Poll_Time,
     BW_Max_Err}};

bool Proprietary_Kind(int kind) { return kind >= 128 && kind <= 1023; }

QString Routing_Error(const TMaster_Texts &text, const TMaster_Cols &col, const QStringList &cells, bool read)
{
    if (!Rule_In_Range(cells.value(col.D_Net), 1, 65535))
        return Lang_Text(text.D_Net);
    const QString length = cells.value(col.D_Len);
    const QString address = cells.value(col.D_Add);
    int64_t n = 0;
    if (TryStrToInt64(length, n)) {
        switch (n) {
        case 1:
            return Rule_In_Range(address, 0, 255) ? QString() : Lang_Text(text.D_Add_1);
        case 2:
            return Rule_In_Range(address, 1, 65535) ? QString() : Lang_Text(text.D_Add_2);
        case 6: {
            uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
            uint16_t port = 0;
            return Split_IP_Port(Trim(address), b1, b2, b3, b4, port) ? QString() : Lang_Text(text.D_Add_6);
        }
        default:
            return Lang_Text(text.D_Len);
        }
    }
    const QString m = UpperCase(Trim(length));
    if (m.size() != 2 || m[0] != QLatin1Char('M') || m[1] < QLatin1Char('1') || m[1] > QLatin1Char('8'))
        return Lang_Text(text.D_Len_List);
    return Check_Dest_Add(address, m[1].unicode() - u'0', read);
}

} // namespace

const TRule_Editor_Desc &BACnetAccess_Desc() { return Desc_Of_Window(); }

int Check_Object_Type(const QString &text, bool write)
{
    static const std::map<QString, std::pair<int, bool>> kinds = {   // kind, read table only
        {"ACCUMULATOR", {1, true}},        {"MULTI-STATE INPUT", {2, true}},
        {"MULTI-STATE OUTPUT", {3, false}}, {"ANALOG INPUT", {4, true}},
        {"ANALOG OUTPUT", {5, false}},     {"BINARY INPUT", {6, true}},
        {"BINARY OUTPUT", {7, false}},     {"INTEGER VALUE", {8, false}},
        {"LARGE ANALOG VALUE", {9, false}}, {"POSITIVE INTEGER VALUE", {10, false}},
        {"MULTI-STATE VALUE", {11, false}}, {"ANALOG VALUE", {12, false}},
        {"BINARY VALUE", {13, false}},     {"LIFE SAFETY POINT", {14, false}},
        {"LIFE SAFETY ZONE", {15, false}},
    };
    const QString t = AnsiUpperCase(Trim(text));
    const auto it = kinds.find(t);
    if (it != kinds.end())
        return write && it->second.second ? -1 : it->second.first;
    const int number = StrToIntDef(t, -1);
    return Proprietary_Kind(number) ? number : -1;
}

int Check_Property(const QString &text, bool write, int kind)
{
    const QString t = UpperCase(Trim(text));
    if (t == QLatin1String("PRESENT VALUE (85)"))
        return Present_Value;
    if (!write) {
        const auto in = [kind](std::initializer_list<int> kinds) {
            return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
        };
        if (t == QLatin1String("OBJECT IDENTIFIER (75)") || t == QLatin1String("EVENT STATE (36)"))
            return 4;
        if (t == QLatin1String("UNITS (117)"))
            return in({2, 3, 6, 7, 11, 13}) ? -1 : 4;
        if (t == QLatin1String("SCALE (187)") && kind == 1)
            return 1;
        if (t == QLatin1String("PRESCALE (185)") && kind == 1)
            return 5;
        if (t == QLatin1String("POLARITY (84)") && in({6, 7, 13}))
            return 1;
        if (t == QLatin1String("STATUS FLAGS (111)"))
            return 1;
        if (t == QLatin1String("OBJECT TYPE (79)"))
            return 2;
        if (t == QLatin1String("NUMBER OF STATES (74)") && in({2, 3, 11}))
            return 4;
    }
    const int number = StrToIntDef(t, -1);
    return number >= 512 && number <= 4194303 ? 200 : -1;
}

int Check_Data_Type(const QString &text, int kind, int property)
{
    if (property != Present_Value)
        return 1000;
    if (Proprietary_Kind(kind))
        return 1;
    const QString t = UpperCase(Trim(text));
    switch (kind) {
    case 3: case 10: case 11:
        return t == QLatin1String("UNSIGNED INT") ? 4 : -1;
    case 8:
        return t == QLatin1String("SIGNED INT") ? 4 : -1;
    case 5: case 12:
        return t == QLatin1String("REAL") ? 4 : -1;
    case 9:
        return t == QLatin1String("DOUBLE") ? 8 : -1;
    case 7: case 13:
        return t == QLatin1String("ENUMERATED") ? 1 : -1;
    default:
        return -1;
    }
}

QString Aspected_Data_Type_Value(int kind, int property)
{
    if (property != Present_Value)
        return {};
    switch (kind) {
    case 3: case 10: case 11: return QStringLiteral("Unsigned Int");
    case 5: case 12: return QStringLiteral("Real");
    case 7: case 13: return QStringLiteral("Enumerated");
    case 8: return QStringLiteral("Signed Int");
    case 9: return QStringLiteral("Double");
    default: return {};
    }
}

int Check_Num_Byte_Max(const QString &text)
{
    static const std::map<QString, int> max = {
        {"NULL", 0},         {"BOOLEAN", 1},          {"UNSIGNED INT", 4}, {"SIGNED INT", 4},
        {"REAL", 4},         {"DOUBLE", 8},           {"OCTET STRING", 255}, {"CHARACTER STRING", 255},
        {"BIT STRING", 120}, {"ENUMERATED", 4},       {"DATE", 4},         {"TIME", 4},
        {"OBJECT ID", 4}};
    const auto it = max.find(UpperCase(Trim(text)));
    return it == max.end() ? 255 : it->second;
}

QString Check_Dest_Add(const QString &text, int n, bool read)
{
    const TMaster_Texts &t = Texts[read ? 0 : 1];
    QString rest = Trim(text);
    int count = 0;
    while (!rest.isEmpty()) {
        const qsizetype comma = rest.indexOf(QLatin1Char(','));
        const QString part = Trim(comma < 0 ? rest : rest.left(comma));
        rest = comma < 0 ? QString() : Trim(rest.mid(comma + 1));
        if (!Rule_In_Range(part, 0, 255))
            return Lang_Text(t.Byte_Range);
        if (++count > n)
            return Lang_Text(t.Too_Many);
    }
    return count < n ? Lang_Text(t.Too_Few) : QString();
}

QString BACnet_Master_Check_Row(int table, const QStringList &cells, int type)
{
    const bool read = table == Read_Table;
    const TMaster_Texts &text = Texts[table];
    const TMaster_Cols &col = Cols[table];
    const auto cell = [&cells](int c) { return cells.value(c); };
    if (type == 0) {
        uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
        if (IP_Text_To_Bytes(cell(BR_Address), b1, b2, b3, b4))
            return Lang_Text(text.IP);
    } else if (type == 1 && !Rule_In_Range(cell(BR_Address), 0, 254)) {
        return Lang_Text(text.Slave_ID);
    }
    const int kind = Check_Object_Type(cell(col.Object_Type), !read);
    if (kind < 0)
        return Lang_Text(text.Object_Type);
    const int64_t instance = StrToInt64Def(cell(col.Instance), -1);
    if (instance < 0 || instance > Max_Instance)
        return Lang_Text(text.Instance);
    const int property = Check_Property(cell(col.Property), !read, kind);
    if (property < 0)
        return Lang_Text(text.Property);
    if (read) {
        if (!Rule_In_Range(cell(BR_NByte), 0, 255))
            return Lang_Text(1343);
    } else {
        if (Check_Data_Type(cell(BW_Data_Type), kind, property) < 0) {
            const QString aspected = Aspected_Data_Type_Value(kind, property);
            return aspected.isEmpty() ? Lang_Text(1352) : Lang_Text(1358) + aspected;
        }
        if (!Rule_In_Range(cell(BW_Priority), 0, 16))
            return Lang_Text(1353);
        const int max = Check_Num_Byte_Max(cell(BW_Data_Type));
        if (!Rule_In_Range(cell(BW_NByte), 0, max))
            return Rule_Limit_Text(1354, max);
    }
    if (UpperCase(Trim(cell(col.En_Dest))) == QLatin1String("Y")) {
        const QString error = Routing_Error(text, col, cells, read);
        if (!error.isEmpty())
            return error;
    }
    if (read ? true : UpperCase(cell(BW_Timer)) == QLatin1String("Y")) {
        if (!Rule_In_Range(cell(col.Poll_Time), 0, Max_Poll_Time))
            return Lang_Text(read ? 1344 : 1355);
    }
    if (!Rule_In_Range(cell(col.Max_Err), 0, 65535))
        return Lang_Text(text.Max_Err);
    return {};
}

QString BACnet_Read_Hint(const QStringList &cells)
{
    if (Trim(cells.value(BR_Address)).isEmpty() || Trim(cells.value(BR_Instance)).isEmpty())
        return {};
    const int kind = Check_Object_Type(cells.value(BR_Object_Type), false);
    const int property = Check_Property(cells.value(BR_Property), false, kind);
    if (property >= 1 && property <= 49)
        return IntToStr(property);
    if (property != Present_Value)
        return {};
    switch (kind) {
    case 1: case 2: case 3: case 4: case 5: case 8: case 10: return QStringLiteral("4");
    case 6: case 7: return QStringLiteral("1");
    case 9: return QStringLiteral("8");
    default: return {};
    }
}

namespace {

struct TEDE_Type
{
    int Code;
    const char *Object_Type;
    const char *Data_Type;
    int NByte;
};
const TEDE_Type EDE_Types[] = {
    {0, "Analog Input", "Real", 4},         {1, "Analog Output", "Real", 4},
    {2, "Analog Value", "Real", 4},         {3, "Binary Input", "Enumerated", 1},
    {4, "Binary Output", "Enumerated", 1},  {5, "Binary Value", "Enumerated", 1},
    {13, "Multi-State Input", "Unsigned Int", 4}, {14, "Multi-State Output", "Unsigned Int", 4},
    {19, "Multi-State Value", "Unsigned Int", 4}, {21, "Life Safety Point", "Enumerated", 2},
    {22, "Life Safety Zone", "Enumerated", 2}, {23, "Accumulator", "Unsigned Int", 4},
    {45, "Integer Value", "Signed Int", 4}, {46, "Large Analog Value", "Double", 8},
    {48, "Positive Integer Value", "Unsigned Int", 4},
};

const TEDE_Type *EDE_Type(int code)
{
    for (const TEDE_Type &t : EDE_Types)
        if (t.Code == code)
            return &t;
    return nullptr;
}

} // namespace

QString Get_ObjType_EDE(int code)
{
    const TEDE_Type *t = EDE_Type(code);
    return t ? QLatin1String(t->Object_Type) : QString();
}

QString Get_DataType_EDE(int code)
{
    const TEDE_Type *t = EDE_Type(code);
    return QLatin1String(t ? t->Data_Type : "Null");
}

int Get_NumByte_EDE(int code)
{
    const TEDE_Type *t = EDE_Type(code);
    return t ? t->NByte : 4;
}

TFBACnetAccess::TFBACnetAccess(QWidget *parent)
    : TRule_Editor(BACnetAccess_Desc(), Path_BACnet_Master_Access, parent), ACG1(Grid(Read_Table)), ACG2(Grid(Write_Table))
{
    // Copy and Paste have no place here; Import EDE takes the first of them.
    Btn_Import_CSV = new TLbButton(P_Button);
    Btn_Import_CSV->setObjectName(QStringLiteral("Btn_Import_CSV"));
    Btn_Import_CSV->setGeometry(Btn_CopyRow->geometry());
    Set_Button_Look(Btn_Import_CSV);
    Btn_Import_CSV->OnClick = [this](QObject *) { Btn_Import_CSVClick(); };
    Btn_CopyRow->hide();
    Btn_PasteRow->hide();
    ACG1->HideColumn(BR_Swap);
    ACG1->HideColumn(BR_Convertion);
    ACG2->HideColumn(BW_Swap);
    ACG2->HideColumn(BW_Convertion);
    FormCreate();
    const QScreen *screen = QGuiApplication::primaryScreen();
    resize(Width_For_Screen(screen ? screen->geometry().width() : 1920), height());
}

void TFBACnetAccess::Set_Lang()
{
    TRule_Editor::Set_Lang();
    Btn_Import_CSV->SetCaption(Lang_Text(1359));
}

void TFBACnetAccess::Show_Setup()
{
    QString text;
    if (TParGen_Keys(Path_ParGen).Text(QStringLiteral("BACnet_Master_Type"), text)) {
        App_BACnet_Type = StrToIntDef(text, 0);
    } else {
        MessageError(Lang_Text(1357), {}, this);
        App_BACnet_Type = 0;
    }
    const bool shown = App_BACnet_Type == 0 || App_BACnet_Type == 1;
    for (TRule_Table_Desc &table : Desc_Of_Window().Tables)
        table.Key_Col = shown ? BR_Address : BR_Object_Type;
    if (shown) {
        ACG1->Columns().Items(BR_Address)->SetHeader(Lang_Text(App_BACnet_Type == 0 ? 1309 : 1310));
        ACG2->Columns().Items(BW_Address)->SetHeader(Lang_Text(App_BACnet_Type == 0 ? 1321 : 1322));
        ACG1->UnHideColumn(BR_Address);
        ACG2->UnHideColumn(BW_Address);
    } else {
        ACG1->HideColumn(BR_Address);
        ACG2->HideColumn(BW_Address);
    }
}

void TFBACnetAccess::Show_Prepare()
{
    Rule_Set_Number_Items(*ACG1, BR_Position, Data_Bytes);
    Rule_Set_Number_Items(*ACG2, BW_Position, Data_Bytes);
}

QString TFBACnetAccess::Check_Row(int table, int, const QStringList &cells)
{
    return BACnet_Master_Check_Row(table, cells, App_BACnet_Type);
}

void TFBACnetAccess::GridHint(TDazStringGrid *Sender, int ARow, int ACol, QString &hintstr)
{
    hintstr.clear();
    if (Sender != ACG1 || ARow < 1 || Sender->RealColIndex(ACol) != BR_Property)
        return;
    QStringList cells;
    for (int c = 0; c < BR_Col_Count; ++c)
        cells << Sender->GetCellEx(c, ARow);
    hintstr = BACnet_Read_Hint(cells);
}

namespace {

// Where the imported rows of a table go: the first row whose address is blank, and the
// first byte after every value of the rows in use.
struct TImport_Place
{
    int Row = 1;
    int64_t Position = 0;
};

void Set_Row(TDazStringGrid &grid, int row, const QStringList &cells)
{
    for (qsizetype c = 0; c < cells.size(); ++c)
        grid.SetCellEx(int(c) + 1, row, cells[c]);
}

TImport_Place Import_Place(TDazStringGrid &grid, int position_col, int nbyte_col)
{
    TImport_Place place;
    place.Row = grid.RowCount();   // none free
    bool free_found = false;
    for (int r = 1; r < grid.RowCount(); ++r) {
        if (Trim(grid.GetCellEx(BR_Address, r)).isEmpty()) {
            if (!free_found) {
                place.Row = r;
                free_found = true;
            }
            continue;
        }
        int64_t position = 0, nbyte = 0;
        if (TryStrToInt64(grid.GetCellEx(position_col, r), position) && TryStrToInt64(grid.GetCellEx(nbyte_col, r), nbyte)
            && position >= 0 && nbyte >= 0)
            place.Position = std::max(place.Position, position + nbyte);
    }
    return place;
}

} // namespace

void TFBACnetAccess::Btn_Import_CSVClick()
{
    if (!FImportEDEFile)
        return;
    FImportEDEFile->App_BACnet_Type = App_BACnet_Type;
    const QString file = Dialogs().OpenFile(QString(), EDE_Import_Dir, QStringLiteral("BACnet EDE File (*.csv)"), this);
    if (file.isEmpty())
        return;
    EDE_Import_Dir = QFileInfo(file).absolutePath();
    if (!File_Exists(file))
        return;
    FImportEDEFile->EDE_File = file;
    if (FImportEDEFile->exec() != mrOk)
        return;
    const QString address = FImportEDEFile->E_ID_IP->text();
    TImport_Place read = Import_Place(*ACG1, BR_Position, BR_NByte);
    TImport_Place write = Import_Place(*ACG2, BW_Position, BW_NByte);
    int left_out = 0;
    ACG1->BeginUpdate();
    ACG2->BeginUpdate();
    for (const TBACnet_Var &v : FImportEDEFile->List_EDE_Var) {
        if (!v.import)
            continue;
        const int nbyte = Get_NumByte_EDE(v.object_type);
        const QString mnemonic = v.object_name + QStringLiteral(" - ") + v.description;
        if (v.read) {
            if (read.Row < ACG1->RowCount()) {
                Set_Row(*ACG1, read.Row++,
                        {"Y", address, Get_ObjType_EDE(v.object_type), IntToStr(v.object_instance), "Present Value (85)",
                         IntToStr(nbyte), "N", "", "", "", "1000", "0", IntToStr(read.Position), "0", "N", "", mnemonic});
                read.Position += nbyte;
            } else {
                ++left_out;
            }
        }
        if (v.write) {
            if (write.Row < ACG2->RowCount()) {
                Set_Row(*ACG2, write.Row++,
                        {"Y", address, Get_ObjType_EDE(v.object_type), Get_DataType_EDE(v.object_type),
                         IntToStr(v.object_instance), "Present Value (85)", "0", IntToStr(nbyte), "N", "", "", "", "N",
                         "N", "1000", "0", IntToStr(write.Position), "0", "N", "", mnemonic});
                write.Position += nbyte;
            } else {
                ++left_out;
            }
        }
    }
    ACG1->EndUpdate();
    ACG2->EndUpdate();
    if (left_out > 0)
        MessageWarning(QStringLiteral("The tables are full: %1 requests of the EDE file were not imported.").arg(left_out),
                       {}, this);
}
