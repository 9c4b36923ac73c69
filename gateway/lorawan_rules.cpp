#include "gateway/lorawan_rules.h"

#include "app/language.h"
#include "gateway/pargen_file.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/xml.h"

#include <span>

namespace {

struct TColumn_Attr
{
    int col;
    const char *name;
    const char *missing;
};

// Attributes in file order.
const TColumn_Attr Uplink_Attrs[] = {
    {LU_Enable, "Enable", "Y"},   {LU_StartByte, "StartByte", ""}, {LU_NumByte, "NumByte", ""},
    {LU_OnChange, "OnChange", "N"}, {LU_OnCMD, "OnCMD", "N"},       {LU_OnTimer, "OnTimer", "N"},
    {LU_Time, "Time", ""},        {LU_FPort, "FPort", ""},         {LU_Mnemonic, "Mnemonic", ""},
};
const TColumn_Attr Downlink_Attrs[] = {
    {LD_Enable, "Enable", "Y"}, {LD_StartByte, "StartByte", ""}, {LD_NumByte, "NumByte", ""},
    {LD_FPort, "FPort", ""},    {LD_Mnemonic, "Mnemonic", ""},
};

static_assert(LU_Enable == int(LD_Enable) && LU_StartByte == int(LD_StartByte), "shared columns");

template <size_t N>
void Load_Table(const TXmlNode &root, const char *list_name, const TColumn_Attr (&attrs)[N], int cols,
                TRule_Table &table, const QString &path)
{
    const TXmlNode list = root.Child(QLatin1String(list_name));
    if (!list)
        throw EXmlError(QStringLiteral("The element <%1> is missing in %2.")
                            .arg(QLatin1String(list_name), path)
                            .toStdString());
    const std::vector<TXmlNode> rows = list.Children();
    while (table.size() < rows.size())
        table.push_back(TLoRaWAN_Rules::Blank_Row(cols, int(table.size())));
    for (size_t i = 0; i < rows.size(); ++i)
        for (const TColumn_Attr &a : attrs)
            table[i][a.col] = rows[i].AttributeDef(QLatin1String(a.name), QLatin1String(a.missing));
}

bool Start_Byte_Empty(const QStringList &row) { return Trim(row.value(LU_StartByte)).isEmpty(); }

template <size_t N>
void Save_Table(TXmlNode root, const char *list_name, const TColumn_Attr (&attrs)[N], const TRule_Table &table)
{
    TXmlNode list = root.AddChild(QLatin1String(list_name));
    for (const QStringList &row : table) {
        if (Start_Byte_Empty(row))
            break;
        TXmlNode r = list.AddChild(QStringLiteral("row"));
        for (const TColumn_Attr &a : attrs)
            r.SetAttribute(QLatin1String(a.name), row.value(a.col));
    }
}

} // namespace

TLoRaWAN_Settings Read_LoRaWAN_Settings(const QString &ParGenPath)
{
    TLoRaWAN_Settings s;
    if (!File_Exists(ParGenPath))
        return s;
    TParGen_Data data;
    data.Load(ParGenPath);
    s.MaxPayloadSize = StrToIntDef(data.LoRa_Payload_Size, 0);
    s.FPortFixed = UpperCase(Trim(data.LoRa_FPort)) != QLatin1String("VARIABLE");
    return s;
}

int LoRaWAN_Grid_Rows(bool FPortFixed) { return FPortFixed ? 257 : 224; }

QStringList TLoRaWAN_Rules::Blank_Row(int Cols, int index)
{
    QStringList row;
    row.reserve(Cols);
    row.append(IntToStr(index));
    row.append(QStringLiteral("Y"));
    while (row.size() < Cols)
        row.append(QString());
    return row;
}

TLoRaWAN_Rules TLoRaWAN_Rules::Blank(int GridRows)
{
    TLoRaWAN_Rules r;
    for (int i = 0; i + 1 < GridRows; ++i) {
        r.Uplink.push_back(Blank_Row(LU_Col_Count, i));
        r.Downlink.push_back(Blank_Row(LD_Col_Count, i));
    }
    return r;
}

TLoRaWAN_Rules TLoRaWAN_Rules::Load(const QString &path, int GridRows)
{
    TLoRaWAN_Rules r = Blank(GridRows);
    if (!File_Exists(path))
        return r;
    TXmlDocument doc;
    doc.LoadFromFile(path);
    const TXmlNode root = doc.DocumentElement();
    Load_Table(root, "LoRaWAN_Uplink", Uplink_Attrs, LU_Col_Count, r.Uplink, path);
    Load_Table(root, "LoRaWAN_Downlink", Downlink_Attrs, LD_Col_Count, r.Downlink, path);
    return r;
}

void TLoRaWAN_Rules::Save(const QString &path) const
{
    TXmlDocument doc;
    TXmlNode root = doc.CreateRoot(QStringLiteral("LoRaWAN_Set_Access"));
    doc.AddComment(QStringLiteral("SW_VERSION = 1.000"));
    Save_Table(root, "LoRaWAN_Uplink", Uplink_Attrs, Uplink);
    Save_Table(root, "LoRaWAN_Downlink", Downlink_Attrs, Downlink);
    doc.SaveToFile(path);
}

bool LoRaWAN_Row_Holds_Data(const QStringList &row, bool uplink)
{
    const auto attrs = uplink ? std::span<const TColumn_Attr>(Uplink_Attrs) : std::span<const TColumn_Attr>(Downlink_Attrs);
    for (const TColumn_Attr &a : attrs) {
        if (a.col == LU_Enable)
            continue;
        const QString cell = Trim(row.value(a.col));
        // Check boxes read "N" when loaded and empty when cleared: only "Y" is data.
        if (QLatin1String(a.missing) == QLatin1String("N") ? cell == QLatin1String("Y") : !cell.isEmpty())
            return true;
    }
    return false;
}

QString TLoRaWAN_Rules::Check_Unsaved() const
{
    struct TTable
    {
        const TRule_Table &rows;
        bool uplink;
        const char *name;
    };
    const TTable tables[] = {{Uplink, true, "Uplink"}, {Downlink, false, "Downlink"}};
    for (const TTable &t : tables) {
        size_t stop = 0;
        while (stop < t.rows.size() && !Start_Byte_Empty(t.rows[stop]))
            ++stop;
        for (size_t i = stop; i < t.rows.size(); ++i) {
            if (!LoRaWAN_Row_Holds_Data(t.rows[i], t.uplink))
                continue;
            const QString error = Lang_Text(1243) + IntToStr(int64_t(stop) + 1) +
                                  QStringLiteral("!! [LoraWAN %1] ").arg(QLatin1String(t.name));
            if (i == stop)
                return error + QStringLiteral("Start Byte is empty: this rule and the rules after it would not "
                                              "be saved");
            return error + QStringLiteral("The row is empty and row %1 after it holds a rule: the rules after "
                                          "an empty row would not be saved. Delete the empty row")
                               .arg(int64_t(i) + 1);
        }
    }
    return QString();
}

QString TLoRaWAN_Rules::Check(int MaxPayloadSize, bool FPortFixed) const
{
    // Columns and message texts of one table; the downlink has no trigger or time.
    struct TTable
    {
        const TRule_Table &rows;
        int num_byte, on_timer, time, fport;
        int text_start, text_num, text_time, text_fport;
    };
    const TTable tables[] = {
        {Uplink, LU_NumByte, LU_OnTimer, LU_Time, LU_FPort, 1244, 1245, 1246, 1254},
        {Downlink, LD_NumByte, -1, -1, LD_FPort, 1247, 1248, 0, 1255},
    };
    const int max_bytes = MaxPayloadSize - 2;
    for (const TTable &t : tables) {
        for (size_t i = 0; i < t.rows.size(); ++i) {
            const QStringList &row = t.rows[i];
            if (Start_Byte_Empty(row))
                break;
            if (Trim(row.value(LU_Enable)) != QLatin1String("Y"))
                continue;
            const auto bad = [&row](int col, int lo, int hi) {
                const int v = StrToIntDef(row.value(col), -1);
                return v < lo || v > hi;
            };
            const QString error = Lang_Text(1243) + IntToStr(int64_t(i) + 1);
            if (bad(LU_StartByte, 0, 1536))
                return error + Lang_Text(t.text_start);
            if (bad(t.num_byte, 0, max_bytes))
                return error + Lang_Text(t.text_num) + IntToStr(max_bytes);
            if (t.on_timer >= 0 && Trim(row.value(t.on_timer)) == QLatin1String("Y") && bad(t.time, 30, 86400))
                return error + Lang_Text(t.text_time);
            if (!FPortFixed && bad(t.fport, 1, 223))
                return error + Lang_Text(t.text_fport);
        }
    }
    return QString();
}
