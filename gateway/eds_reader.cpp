#include "gateway/eds_reader.h"

#include "gateway/targetconfig.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/textcodec.h"
#include "platform/xml.h"

#include <QDir>

#include <exception>

namespace {

// CIP logical segment codes.
bool Is_Instance_Code(uint8_t b) { return b >= 0x24 && b <= 0x26; }
bool Is_Conn_Point_Code(uint8_t b) { return b >= 0x2C && b <= 0x2E; }

const char *const Device_Keys[] = {"VENDCODE", "PRODTYPE", "PRODCODE", "MAJREV", "MINREV"};

// Where the key's "=" is in the upper-cased line: the key followed by blanks or none, then
// "=" ("VENDCODE = 1;", "VENDCODE=1;"); -1 when the line holds no such key.
qsizetype Key_Equals(const QString &up, const QString &key)
{
    for (qsizetype at = up.indexOf(key); at >= 0; at = up.indexOf(key, at + 1)) {
        qsizetype p = at + key.size();
        while (p < up.size() && (up[p] == u' ' || up[p] == u'\t'))
            ++p;
        if (p < up.size() && up[p] == u'=')
            return p;
    }
    return -1;
}

} // namespace

QStringView EDS_Trim_View(QStringView text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && text[b].unicode() <= 0x20)
        ++b;
    while (e > b && text[e - 1].unicode() <= 0x20)
        --e;
    return text.mid(b, e - b);
}

QStringView EDS_Clean_View(QStringView line)
{
    const QStringView s = EDS_Trim_View(line);
    const qsizetype dollar = s.indexOf(u'$');
    return dollar < 0 ? s : EDS_Trim_View(s.left(dollar));
}

QString EDS_Clean_Line(const QString &line)
{
    const QStringView s = EDS_Clean_View(line);
    // The line itself when nothing is cut, so no copy is made.
    return s.size() == line.size() ? line : s.toString();
}

void TEDS_Reader::Read_EDS()
{
    Read_Lines(File_Exists(EDS_FileName) ? Read_Text_Lines(EDS_FileName) : QStringList());
}

void TEDS_Reader::Read_Lines(const QStringList &lines)
{
    Lines_ = &lines;
    Param_Defaults_.clear();
    struct TForget
    {
        TEDS_Reader &r;
        ~TForget() { r.Lines_ = nullptr; r.Param_Defaults_.clear(); }
    } forget{*this};
    List_Conn.clear();
    Entry_Key_.clear();
    VendCode = ProdType = ProdCode = 0;
    MajRev = MinRev = 0;

    bool in_device = false;
    bool in_conn_manager = false;
    QString pending;
    for (const QString &raw : lines) {
        const QString line = EDS_Clean_Line(raw);
        if (line.isEmpty())
            continue;

        if (!in_device) {
            if (line.contains(QLatin1String("[Device]")))
                in_device = true;
        } else if (line.startsWith(QLatin1Char('['))) {
            in_device = false;
        } else {
            const QString up = UpperCase(line);
            for (int k = 0; k < 5; ++k) {
                const QString key = QLatin1String(Device_Keys[k]);
                if (Key_Equals(up, key) < 0)
                    continue;
                const int32_t v = GetDeviceValue(up, key);
                switch (k) {
                case 0: VendCode = uint16_t(v); break;
                case 1: ProdType = uint16_t(v); break;
                case 2: ProdCode = uint16_t(v); break;
                case 3: MajRev = uint8_t(v); break;
                default: MinRev = uint8_t(v); break;
                }
                break;
            }
        }

        if (!in_conn_manager) {
            if (line.contains(QLatin1String("[Connection Manager]")))
                in_conn_manager = true;
        } else if (line.startsWith(QLatin1Char('['))) {
            in_conn_manager = false;
            if (!pending.isEmpty())
                pending = DecodeConnStr(pending);
        } else if (line.startsWith(QLatin1String("Connection"))) {
            if (!pending.isEmpty())
                pending = DecodeConnStr(pending);
            Entry_Key_ = Trim(line.left(line.indexOf(QLatin1Char('='))));
            // A key line without "=" keeps its whole text, as Copy from Pos + 1 does.
            pending = Trim(line.mid(line.indexOf(QLatin1Char('=')) + 1));
        } else if (!line.contains(QLatin1Char('='))) {
            pending += line;
        }
    }
    if (!pending.isEmpty())
        DecodeConnStr(pending);
}

int32_t TEDS_Reader::GetDeviceValue(const QString &str, const QString &DevObj)
{
    // The key as given, or without its " =": the value starts right after the "=" that
    // follows it, blanks or none between ("PRODTYPE =12;" is 12, not 2).
    QString key = DevObj;
    if (key.endsWith(QLatin1Char('=')))
        key = Trim(key.chopped(1));
    const qsizetype equals = Key_Equals(str, key);
    const qsizetype semicolon = str.indexOf(QLatin1Char(';'));
    if (equals < 0 || semicolon < 0)
        return 0;
    const qsizetype start = equals + 1;
    if (semicolon <= start)
        return 0;
    int value = 0;
    return TryStrToInt(Trim(str.mid(start, semicolon - start)), value) ? value : 0;
}

void TEDS_Reader::Split_EDS_Fields(const QString &text, QStringList &list)
{
    bool quoted = false;
    QString field;
    for (const QChar c : text) {
        if (c == u'"') {
            quoted = !quoted;
            field += c;
        } else if (!quoted && (c == u',' || c == u';')) {
            list.append(field);
            field.clear();
        } else {
            field += c;
        }
    }
    if (!field.isEmpty())
        list.append(field);
}

uint32_t TEDS_Reader::Aligned_Value(int &i, int width) const
{
    int p = i + 1;
    p = (p + width - 1) / width * width;
    uint32_t v = 0;
    for (int b = width - 1; b >= 0; --b)
        v = (v << 8) | At(p + b);
    i = p + width - 1;
    return v;
}

bool TEDS_Reader::Segment_Value(int &i, uint8_t code8, uint32_t &value) const
{
    const uint8_t code = At(i);
    if (code == code8)
        value = At(++i);
    else if (code == code8 + 1)
        value = Aligned_Value(i, 2);
    else if (code == code8 + 2)
        value = Aligned_Value(i, 4);
    else
        return false;
    return true;
}

void TEDS_Reader::Get_Instance(int &index1, uint32_t &app_InstanceOT, uint32_t &app_InstanceTO, bool BoolInsOT,
                               bool BoolInsTO) const
{
    uint32_t value = 0;
    if (!Segment_Value(index1, 0x24, value)) {
        // No instance segment: the scan that follows restarts near the start of the path.
        value = 1;
        index1 = 1;
    }
    if (BoolInsOT)
        app_InstanceOT = value;
    if (BoolInsTO)
        app_InstanceTO = value;
}

void TEDS_Reader::Get_ConnectionPoint(int &index1, uint32_t &ConnPoint) const
{
    Segment_Value(index1, 0x2C, ConnPoint);
}

bool TEDS_Reader::Walk_Path(TConnData &conn) const
{
    const int n = Path_Count;
    int i;
    switch (At(0)) {
    case 0x20: i = 2; break;
    case 0x21: i = 4; break;
    case 0x22: i = 8; break;
    default: return false;
    }
    Get_Instance(i, conn.InstanceOT, conn.InstanceTO, true, true);

    // The scans step past the value just read before testing, so a value byte that
    // equals a segment code is not taken for one.
    const auto scan_to_conn_point = [&] {
        do
            ++i;
        while (i < n && !Is_Conn_Point_Code(At(i)));
        return i + 1 < n;
    };
    if (!scan_to_conn_point())
        return false;
    Get_ConnectionPoint(i, conn.ConnPointOT);

    do
        ++i;
    while (i < n && !Is_Instance_Code(At(i)) && !Is_Conn_Point_Code(At(i)));
    if (i + 1 >= n)
        return false;
    if (Is_Instance_Code(At(i))) {
        uint32_t unused = 0;
        Get_Instance(i, unused, conn.InstanceTO, false, true);
        if (!scan_to_conn_point())
            return false;
    }
    Get_ConnectionPoint(i, conn.ConnPointTO);
    return true;
}

QString TEDS_Reader::DecodeConnStr(const QString &ConnStr)
{
    try {
        QStringList fields;
        Split_EDS_Fields(ConnStr, fields);
        if (fields.size() < 15)
            return QString();

        Path.fill(0);
        Path_Count = 0;
        QString path_text = fields[14];
        path_text.remove(QLatin1Char('"'));
        path_text = Trim(path_text);
        // Pieces beyond the buffer are not even cut out: the walk only needs the first bytes.
        for (qsizetype pos = 0; pos < path_text.size() && Path_Count < Path_Size;) {
            qsizetype blank = path_text.indexOf(QLatin1Char(' '), pos);
            if (blank < 0)
                blank = path_text.size();
            const QString piece = Trim(path_text.mid(pos, blank - pos));
            pos = blank + 1;
            int v = 0;
            if (TryStrToInt(QStringLiteral("0x") + piece, v) && v >= 0 && v <= 255)
                Path[size_t(Path_Count++)] = uint8_t(v);
            else if (piece.startsWith(QLatin1String("[Param")) && piece.endsWith(QLatin1Char(']')))
                Append_Param_Value(piece.mid(1, piece.size() - 2));
        }
        if (Path_Count < 6)
            return QString();

        TConnData conn;
        int params = 0;
        if (!TryStrToInt(fields[1], params))
            params = -1;
        conn.DimHeaderOT = uint8_t((params >> 8) & 7);
        conn.DimHeaderTO = uint8_t((params >> 12) & 7);
        conn.NumClass = 0;
        conn.TargetConfSize = Trim(fields[10]);
        conn.TargetConfFormat = Trim(fields[11]);
        conn.ConnName = Trim(fields[12]);
        conn.HelpStr = Trim(fields[13]);
        if (!Walk_Path(conn))
            return QString();
        // The scanner editor stores these texts in its project file, which cannot hold
        // every character a Windows-1252 file brings (a NUL byte, for one).
        const std::pair<const char *, const QString *> texts[] = {
            {"name", &conn.ConnName},
            {"help text", &conn.HelpStr},
            {"target configuration size", &conn.TargetConfSize},
            {"target configuration format", &conn.TargetConfFormat}};
        for (const auto &[what, text] : texts)
            if (const qsizetype at = First_Non_Xml_Char(*text); at >= 0)
                throw EEDS_Error(QStringLiteral("The EDS file \"%1\" holds the character %2 in the %3 of its "
                                                "connection entry %4; the entry cannot be taken into the project.")
                                     .arg(QDir::toNativeSeparators(EDS_FileName), Char_Code_Text(*text, at),
                                          QLatin1String(what), Entry_Key_)
                                     .toStdString());
        conn.ConnIndex = int32_t(List_Conn.size()) + 1;
        List_Conn.push_back(conn);
    } catch (const EEDS_Error &) {
        throw;
    } catch (const std::exception &) {
        // A faulty entry is dropped; the next one is read.
    }
    return QString();
}

int64_t TEDS_Reader::Param_Default(const QString &key, bool &found)
{
    found = false;
    if (!Lines_)
        return 0;
    const auto cached = Param_Defaults_.constFind(key);
    if (cached != Param_Defaults_.constEnd()) {
        found = cached->first;
        return cached->second;
    }
    QString enum_text;
    QString text = Trim(TTargetConfig::find_Param_Enum_Object(key, *Lines_, enum_text));
    if (text.endsWith(QLatin1Char(';')))
        text.chop(1);
    const QStringList fields = Split_Delimited_Strict(text);
    int64_t value = 0;
    if (fields.size() >= 12) {
        found = true;
        value = StrToInt64Def(Trim(fields[11]), 0);
    }
    Param_Defaults_.insert(key, {found, value});
    return value;
}

void TEDS_Reader::Append_Param_Value(const QString &key)
{
    bool found = false;
    const int64_t value = Param_Default(key, found);
    if (!found)
        return;   // the path stays short and the entry is dropped
    // The width the segment before it asks for: 8-, 16- or 32-bit logical segment, the
    // wider ones after their pad byte.
    const auto logical_width = [](uint8_t code) { return (code & 0xE0) == 0x20 ? 1 << (code & 3) : 0; };
    int width = Path_Count > 0 ? logical_width(At(Path_Count - 1)) : 0;
    if (width != 1) {
        const int padded = Path_Count > 1 && At(Path_Count - 1) == 0 ? logical_width(At(Path_Count - 2)) : 0;
        width = padded == 2 || padded == 4 ? padded : 1;
    }
    for (int b = 0; b < width && Path_Count < Path_Size; ++b)
        Path[size_t(Path_Count++)] = uint8_t(uint64_t(value) >> (8 * b));
}

QStringList TEDS_Reader::Grid_Cells(int k) const
{
    const TConnData &c = List_Conn.at(size_t(k));
    return {QStringLiteral("Connection") + IntToStr(k + 1),
            c.ConnName,
            c.HelpStr,
            IntToStr(c.InstanceOT),
            IntToStr(c.ConnPointOT),
            IntToStr(c.InstanceTO),
            IntToStr(c.ConnPointTO),
            c.DimHeaderOT == 4 ? QStringLiteral("Default") : IntToStr(c.DimHeaderOT),
            c.DimHeaderTO == 0 ? QStringLiteral("Default") : IntToStr(c.DimHeaderTO)};
}
