#include "editors/building/s7_protocol_set_access.h"

#include "app/comon.h"
#include "app/language.h"
#include "app/valuechecks.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/rtl.h"

TFS7_Protocol_Set_Access *FS7_Protocol_Set_Access = nullptr;

namespace {

constexpr int Data_Rows = 512;
constexpr int Data_Bytes = 1500;
constexpr int Max_Poll_Time = 100000000;
constexpr int Delete_Question = 6025;   // "Are you sure to delete the Row number "

enum { Read_Table, Write_Table };

const QStringList PLC_Type_Items = {"Logo0BA8", "S7200", "S7300", "S7400", "S71200", "S71500"};
const QStringList Data_Type_Items = {"Bit", "Byte", "Char", "Word", "Int", "DWord", "DInt", "Real"};
const QStringList Data_Identifier_Items = {"OB", "DB", "SDB", "FC", "SFC", "FB", "SFB"};
const QStringList PLC_Area_Items = {"Direct peripheral access (P)", "Inputs (I)", "Output (Q)",
                                    "Flags (M) (Merker)"};
const QStringList Bit_Items = {"0", "1", "2", "3", "4", "5", "6", "7"};

// Columns 0-13 of a table; headers, hints and texts differ per table.
std::vector<TRule_Column_Desc> Common_Columns(bool read)
{
    const auto h = [read](int r, int w) { return read ? r : w; };
    return {
        {h(5916, 5929), -1, nullptr, nullptr, TRule_Cell::Text, 40},
        {h(5917, 5930), h(5944, 5956), "Enable", "Y", TRule_Cell::Check, 50},
        {h(5918, 5931), h(5945, 5957), "PLC_Address", nullptr, TRule_Cell::Text, 100},
        {h(5919, 5932), h(5946, 5958), "PLC_Port", nullptr, TRule_Cell::Text, 60},
        {h(5920, 5933), h(5947, 5959), "PLC_Type", nullptr, TRule_Cell::Pick, 80, PLC_Type_Items},
        {h(6013, 6015), h(6017, 6019), "Rack", "0", TRule_Cell::Text, 45},
        {h(6014, 6016), h(6018, 6020), "Slot", "0", TRule_Cell::Text, 45},
        {h(5921, 5934), h(5948, 5960), "Data_Type", nullptr, TRule_Cell::Pick, 70, Data_Type_Items},
        {h(5922, 5935), h(5949, 5961), "Data_Identifier", nullptr, TRule_Cell::Pick, 90, Data_Identifier_Items},
        {h(5989, 5993), h(5997, 6001), "DB_Number", nullptr, TRule_Cell::Text, 70},
        {h(5990, 5994), h(5998, 6002), "PLC_Area", nullptr, TRule_Cell::Pick, 150, PLC_Area_Items},
        {h(5991, 5995), h(5999, 6003), "PLC_Add", nullptr, TRule_Cell::Text, 60},
        {h(5992, 5996), h(6000, 6004), "PLC_Bit", nullptr, TRule_Cell::Pick, 55, Bit_Items},
        {h(5923, 5936), h(5950, 5962), "PollTime", nullptr, TRule_Cell::Text, 65},
    };
}

TRule_Table_Desc Table(int t)
{
    const bool read = t == Read_Table;
    TRule_Table_Desc table;
    table.Grid_Name = read ? "ACG_S7_Read" : "ACG_S7_Write";
    table.Sheet_Name = read ? "TS_S7_Read" : "TS_S7_Write";
    table.Tab_Caption = read ? 5914 : 5915;
    table.List = read ? "S7_Protocol_Read" : "S7_Protocol_Write";
    table.Rows = Data_Rows;
    table.Key_Col = S7_PLC_Address;
    table.Error_Row = 5970;
    table.Columns = Common_Columns(read);
    if (read)
        table.Columns.insert(table.Columns.end(),
                             {{5924, 5951, "Position", nullptr, TRule_Cell::Pick},
                              {5925, 5952, "Bit", nullptr, TRule_Cell::Pick, 64, Bit_Items},
                              {5926, 5953, "Swap", nullptr, TRule_Cell::Check, 45},
                              {5927, 5954, "SwapWord", nullptr, TRule_Cell::Check, 70},
                              {5928, 5955, "Mnemonic", nullptr, TRule_Cell::Text, 150}});
    else
        table.Columns.insert(table.Columns.end(),
                             {{5937, 5963, "OnChange", nullptr, TRule_Cell::Check, 70},
                              {5938, 5964, "OnCMD", nullptr, TRule_Cell::Check, 60},
                              {5939, 5965, "Position", nullptr, TRule_Cell::Pick},
                              {5940, 5966, "Bit", nullptr, TRule_Cell::Pick, 64, Bit_Items},
                              {5941, 5967, "Swap", nullptr, TRule_Cell::Check, 45},
                              {5942, 5968, "SwapWord", nullptr, TRule_Cell::Check, 70},
                              {5943, 5969, "Mnemonic", nullptr, TRule_Cell::Text, 150}});
    return table;
}

TRule_Editor_Desc Make_Desc()
{
    TRule_Editor_Desc d;
    d.Form_Name = "FS7_Protocol_Set_Access";
    d.Client_Width = 1350;
    d.Client_Height = 337;
    d.Caption = 5900;
    d.Description = 5901;
    d.Button_Captions = {5902, 5903, 5904, 5905, 5906, 5907};
    d.Button_Hints = {5908, 5909, 5910, 5911, 5912, 5913};
    d.Delete_Question = Delete_Question;
    d.Root = "S7_Protocol";
    d.Version = QStringLiteral("1.000");
    d.Tables = {Table(Read_Table), Table(Write_Table)};
    return d;
}

// The texts of the checks in their order, read / write.
struct TS7_Texts
{
    int Address, Port, Connections, Type, Rack, Slot, Data_Type, Identifier, DB, Area, Add, Bit, Poll, Position,
        Start_Bit;
};
const TS7_Texts Texts[] = {
    {5971, 5972, 5987, 5973, 6021, 6022, 5974, 5975, 6005, 6006, 6007, 6008, 5976, 5977, 5978},
    {5979, 5980, 5988, 5981, 6023, 6024, 5982, 5983, 6009, 6010, 6011, 6012, 5984, 5985, 5986}};

bool Blank(const QString &s) { return Trim(s).isEmpty(); }

} // namespace

const TRule_Editor_Desc &S7_Protocol_Set_Access_Desc()
{
    static const TRule_Editor_Desc desc = Make_Desc();
    return desc;
}

int TS7_Connections::Check_IP_Port(int IP1, int IP2, int IP3, int IP4, int Port)
{
    for (size_t i = 0; i < array_ip_Port.size(); ++i) {
        TIPPort &e = array_ip_Port[i];
        if (e.IP1 == -1) {
            e = {IP1, IP2, IP3, IP4, Port};
            return int(i);
        }
        if (e.IP1 == IP1 && e.IP2 == IP2 && e.IP3 == IP3 && e.IP4 == IP4 && e.Port == Port)
            return int(i);
    }
    return -1;
}

QString S7_Check_Row(int table, const QStringList &cells, int NByte, TS7_Connections &connections)
{
    const TS7_Texts &text = Texts[table];
    const bool read = table == Read_Table;
    const auto cell = [&cells](int c) { return cells.value(c); };
    uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
    if (IP_Text_To_Bytes(cell(S7_PLC_Address), b1, b2, b3, b4))
        return Lang_Text(text.Address);
    const int port = Rule_Int(cell(S7_PLC_Port));
    if (port < 0 || port > 65535)
        return Lang_Text(text.Port);
    if (connections.Check_IP_Port(b1, b2, b3, b4, port) < 0)
        return Lang_Text(text.Connections);
    if (Blank(cell(S7_PLC_Type)))
        return Lang_Text(text.Type);
    if (!Rule_In_Range(cell(S7_Rack), 0, 3))
        return Lang_Text(text.Rack);
    if (!Rule_In_Range(cell(S7_Slot), 0, 31))
        return Lang_Text(text.Slot);
    if (Blank(cell(S7_Data_Type)))
        return Lang_Text(text.Data_Type);
    if (Blank(cell(S7_Data_Identifier)))
        return Lang_Text(text.Identifier);
    if (!Rule_In_Range(cell(S7_DB_Number), 0, 65535))
        return Lang_Text(text.DB);
    if (Blank(cell(S7_PLC_Area)))
        return Lang_Text(text.Area);
    if (!Rule_In_Range(cell(S7_PLC_Add), 0, 65535))
        return Lang_Text(text.Add);
    if (Blank(cell(S7_PLC_Bit)))
        return Lang_Text(text.Bit);
    if (!Rule_In_Range(cell(S7_PollTime), read ? 1 : 0, Max_Poll_Time))
        return Lang_Text(text.Poll);
    if (!Rule_In_Range(cell(read ? S7R_Position : S7W_Position), 0, NByte - 1))
        return Rule_Limit_Text(text.Position, NByte - 1);
    if (Blank(cell(read ? S7R_Bit : S7W_Bit)))
        return Lang_Text(text.Start_Bit);
    return {};
}

TFS7_Protocol_Set_Access::TFS7_Protocol_Set_Access(QWidget *parent)
    : TRule_Editor(S7_Protocol_Set_Access_Desc(), Path_S7_Protocol, parent),
      ACG_S7_Read(Grid(Read_Table)),
      ACG_S7_Write(Grid(Write_Table)),
      Hint_S7_Set_Access_Read(Tables[Read_Table].Hints),
      Hint_S7_Set_Access_Write(Tables[Write_Table].Hints),
      Do_Copy_In_Read(Tables[Read_Table].Do_Copy),
      Do_Copy_In_Write(Tables[Write_Table].Do_Copy)
{
    FormCreate();
}

void TFS7_Protocol_Set_Access::Show_Prepare()
{
    NByte_IN = Data_Bytes;
    NByte_OUT = Data_Bytes;
    Rule_Set_Number_Items(*ACG_S7_Read, S7R_Position, NByte_IN);
    Rule_Set_Number_Items(*ACG_S7_Write, S7W_Position, NByte_OUT);
}

QString TFS7_Protocol_Set_Access::Check_Row(int table, int, const QStringList &cells)
{
    return S7_Check_Row(table, cells, table == Read_Table ? NByte_IN : NByte_OUT, Connections);
}
