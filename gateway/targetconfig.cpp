#include "gateway/targetconfig.h"

#include "app/language.h"
#include "gateway/eds_reader.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/textcodec.h"

namespace {

// The data segment can carry 510 bytes; a text far longer than that is refused by the
// scanner editor's check all the same, so a hostile size in an EDS file is cut here
// instead of filling memory.
constexpr int Max_Config_Bytes = 4096;

QStringList Clean_Lines(const QStringList &sl)
{
    QStringList out;
    out.reserve(sl.size());
    for (const QString &s : sl)
        out.append(EDS_Clean_Line(s));
    return out;
}

// The key occurs in the line with a blank or "=" right after its first occurrence.
bool Key_Starts_Entry(const QString &line, const QString &key)
{
    if (key.isEmpty() || !line.contains(QLatin1Char('=')))
        return false;
    const qsizetype at = line.indexOf(key);
    if (at < 0 || at + key.size() >= line.size())
        return false;
    const QChar next = line[at + key.size()];
    return next == u' ' || next == u'=';
}

QString Text_After_Equal(const QString &line)
{
    return Trim(line.mid(line.indexOf(QLatin1Char('=')) + 1));
}

bool Is_Section_Line(const QString &line)
{
    return line.contains(QLatin1Char('[')) && line.contains(QLatin1Char(']'));
}

// A parameter entry is complete when its first ";" is its last character.
bool Param_Complete(const QString &text)
{
    const QString t = Trim(text);
    const qsizetype semicolon = t.indexOf(QLatin1Char(';'));
    return semicolon >= 0 && semicolon == t.size() - 1;
}

QString Without_Final_Semicolon(const QString &text)
{
    QString t = Trim(text);
    if (t.endsWith(QLatin1Char(';')))
        t = Trim(t.chopped(1));
    return t;
}

// The non-empty lines of the [Params] section, each marked when it holds "=" and so can
// start an entry; made once per assembly, so that each member's search skips the rest.
struct TParams_Section
{
    std::vector<QString> lines;
    std::vector<bool> has_equal;

    explicit TParams_Section(const QStringList &clean)
    {
        bool in_section = false;
        for (const QString &line : clean) {
            if (line.isEmpty())
                continue;
            if (!in_section) {
                in_section = line.contains(QLatin1String("[Params]"));
                continue;
            }
            if (Is_Section_Line(line))
                break;
            lines.push_back(line);
            has_equal.push_back(line.contains(QLatin1Char('=')));
        }
    }
};

QString Find_Param(const QString &Param, const TParams_Section &section, QString &EnumStr)
{
    const QString enum_key = QStringLiteral("Enum") + Param.mid(5);
    enum State { Not_Found, Capturing, Done };
    State param_state = Not_Found;
    State enum_state = Not_Found;
    QString param_text;
    EnumStr.clear();
    for (size_t i = 0; i < section.lines.size(); ++i) {
        // A line without "=" matters only to a capture under way.
        if (!section.has_equal[i] && param_state != Capturing && enum_state != Capturing)
            continue;
        const QString &line = section.lines[i];
        if (param_state == Not_Found && Key_Starts_Entry(line, Param)) {
            param_text = Text_After_Equal(line);
            param_state = Param_Complete(param_text) ? Done : Capturing;
        } else if (param_state == Capturing) {
            param_text += line;
            if (Param_Complete(param_text))
                param_state = Done;
        }
        if (enum_state == Not_Found && Key_Starts_Entry(line, enum_key)) {
            EnumStr = Text_After_Equal(line);
            enum_state = EnumStr.contains(QLatin1Char(';')) ? Done : Capturing;
        } else if (enum_state == Capturing) {
            EnumStr += line;
            if (line.contains(QLatin1Char(';')))
                enum_state = Done;
        }
        if (param_state == Done && enum_state == Done)
            break;
    }
    return param_text;
}

bool Fits_Bytes(int64_t v, int32_t bytes)
{
    if (bytes <= 0 || bytes >= 8)
        return true;
    const int bits = 8 * bytes;
    return v >= -(int64_t(1) << (bits - 1)) && v <= (int64_t(1) << bits) - 1;
}

} // namespace

QString TTC_ParamObj::GetEnumString() const
{
    for (const TTC_EnumObj &e : ListEnum)
        if (int64_t(e.Value) == Value)
            return e.Description;
    return QString();
}

int64_t TTC_ParamObj::SetValueFromEnum(const QString &Val_Enum) const
{
    for (const TTC_EnumObj &e : ListEnum)
        if (e.Description == Val_Enum)
            return e.Value;
    return Default;
}

QStringList Split_Delimited_Strict(const QString &text)
{
    QStringList out;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        QString field;
        if (text[i] == u'"') {
            ++i;
            while (i < n) {
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        field += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
        } else {
            const qsizetype comma = text.indexOf(QLatin1Char(','), i);
            const qsizetype end = comma < 0 ? n : comma;
            field = text.mid(i, end - i);
            i = end;
        }
        out.append(field);
        if (i < n && text[i] == u',') {
            if (i + 1 == n)
                out.append(QString());
            ++i;
        }
    }
    return out;
}

void TTargetConfig::DecodeTargetConf()
{
    if (!File_Exists(FileName))
        return;
    const QStringList clean = Clean_Lines(Read_Text_Lines(FileName));
    DecodeAssemblyObj(Find_Assembly_Object(clean), clean);
}

QString TTargetConfig::Find_Assembly_Object(const QStringList &sl) const
{
    const QString key = Trim(Format);
    if (key.isEmpty())
        return QString();
    bool in_section = false;
    bool found = false;
    QString result;
    for (const QString &raw : sl) {
        const QString line = EDS_Clean_Line(raw);
        if (line.isEmpty())
            continue;
        if (!in_section) {
            in_section = line.contains(QLatin1String("[Assembly]"));
            continue;
        }
        if (Is_Section_Line(line))
            break;
        if (!found) {
            // The key at the start of the line, so that Assem1 does not take Assem100.
            if (!line.startsWith(key) || !TrimLeft(line.mid(key.size())).startsWith(QLatin1Char('=')))
                continue;
            found = true;
            result = Text_After_Equal(line);
            if (result.contains(QLatin1Char(';')))
                break;
        } else {
            result += line;
            if (line.contains(QLatin1Char(';')))
                break;
        }
    }
    return result;
}

QString TTargetConfig::find_Param_Enum_Object(const QString &Param, const QStringList &sl, QString &EnumStr)
{
    return Find_Param(Param, TParams_Section(Clean_Lines(sl)), EnumStr);
}

void TTargetConfig::DecodeAssemblyObj(const QString &AssemObj, const QStringList &sl)
{
    ListParamObject.clear();
    const QString text = Without_Final_Semicolon(AssemObj);
    if (text.isEmpty())
        return;
    const QStringList fields = Split_Delimited_Strict(text);
    if (fields.size() <= 6)
        return;
    AO_Name = fields[0];
    AO_SizeBit = fields[2];
    for (qsizetype k = 6; k + 1 < fields.size(); k += 2) {
        TTC_ParamObj p;
        p.BitSize = fields[k];
        // Many EDS files write a blank after the comma: the reference is the key without it.
        p.ParamName = Trim(fields[k + 1]);
        ListParamObject.push_back(p);
    }

    const TParams_Section section(Clean_Lines(sl));
    for (size_t idx = 0; idx < ListParamObject.size(); ++idx) {
        TTC_ParamObj &p = ListParamObject[idx];
        bool copied = false;
        for (size_t e = 0; e < idx && !copied; ++e) {
            const TTC_ParamObj &first = ListParamObject[e];
            if (first.ParamName != p.ParamName)
                continue;
            const QString bit_size = p.BitSize;
            p = first;
            p.BitSize = bit_size;
            copied = true;
        }
        if (copied)
            continue;

        QString enum_text;
        const QString param_text = Without_Final_Semicolon(Find_Param(p.ParamName, section, enum_text));
        enum_text = Without_Final_Semicolon(enum_text);
        const QStringList pf = Split_Delimited_Strict(param_text);
        if (pf.size() < 12)
            throw ETargetConfigError(
                QStringLiteral("The parameter \"%1\" of the assembly \"%2\" has no complete entry in the "
                               "[Params] section of \"%3\".")
                    .arg(p.ParamName, Format, FileName)
                    .toStdString());
        p.Name = pf[6];
        const auto number = [&](int field, auto &target) {
            const QString s = Trim(pf[field]);
            if (!s.isEmpty())
                target = decltype(+target)(StrToInt64Def(s, 0));
        };
        number(5, p.DataSizeByte);
        number(4, p.DataType);
        number(9, p.Min);
        number(10, p.Max);
        number(11, p.Default);
        p.Value = p.Default;

        p.ListEnum.clear();
        p.EnumString.clear();
        p.Enum = !enum_text.isEmpty();
        if (p.Enum) {
            const QStringList ef = Split_Delimited_Strict(enum_text);
            for (qsizetype j = 0; j + 1 < ef.size(); j += 2) {
                TTC_EnumObj e;
                e.Value = StrToIntDef(Trim(ef[j]), 0);
                e.Description = Trim(ef[j + 1]);
                p.ListEnum.push_back(e);
                p.EnumString.append(e.Description);
            }
        }
    }
}

QString TTargetConfig::GetConfigStrData() const
{
    std::vector<uint8_t> bytes;
    for (const TTC_ParamObj &p : ListParamObject) {
        for (int b = 0; b < p.DataSizeByte && bytes.size() < size_t(Max_Config_Bytes); ++b) {
            // Bytes past the 64-bit value repeat its sign.
            const uint64_t v = uint64_t(p.Value);
            bytes.push_back(b < 8 ? uint8_t(v >> (8 * b)) : (p.Value < 0 ? 0xFF : 0x00));
        }
    }
    int size = 0;
    if (TryStrToInt(Size, size) && size > int(bytes.size()))
        bytes.resize(size_t(std::min(size, Max_Config_Bytes)), 0);

    static const char hex[] = "0123456789ABCDEF";
    QString out;
    out.reserve(qsizetype(bytes.size()) * 5);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            out += QLatin1Char(',');
        out += QLatin1String("0x");
        out += QLatin1Char(hex[bytes[i] >> 4]);
        out += QLatin1Char(hex[bytes[i] & 15]);
    }
    return out;
}

std::unique_ptr<TTargetConfig> CopyTargetConf(const TTargetConfig &app)
{
    return std::make_unique<TTargetConfig>(app);
}

void Copy_Param_Values(TTargetConfig &dst, const TTargetConfig &edited)
{
    const size_t n = std::min(dst.ListParamObject.size(), edited.ListParamObject.size());
    for (size_t i = 0; i < n; ++i)
        dst.ListParamObject[i].Value = edited.ListParamObject[i].Value;
}

QStringList Data_Seg_Cells(const TTC_ParamObj &p, int k)
{
    return {IntToStr(k),
            p.Name,
            IntToStr(p.DataSizeByte),
            IntToStr(p.DataType),
            p.Enum ? p.GetEnumString() : IntToStr(p.Value),
            IntToStr(p.Default),
            IntToStr(p.Min),
            IntToStr(p.Max),
            p.Enum ? IntToStr(p.Value) : QString()};
}

bool Check_Value(TTargetConfig &TC, const QStringList &ValueTexts, QString &Error)
{
    std::vector<int64_t> values(TC.ListParamObject.size(), 0);
    for (size_t k = 0; k < TC.ListParamObject.size(); ++k) {
        const TTC_ParamObj &p = TC.ListParamObject[k];
        if (p.Enum)
            continue;
        const QString text = qsizetype(k) < ValueTexts.size() ? ValueTexts[qsizetype(k)] : QString();
        int64_t v = 0;
        const bool ok = TryStrToInt64(text, v);
        if (!ok || v < p.Min || (p.Max > p.Min && v > p.Max) || !Fits_Bytes(v, p.DataSizeByte)) {
            Error = Format(Lang_Text(6315), {qlonglong(k + 1), qlonglong(p.Min), qlonglong(p.Max)});
            return false;
        }
        values[k] = v;
    }
    for (size_t k = 0; k < TC.ListParamObject.size(); ++k)
        if (!TC.ListParamObject[k].Enum)
            TC.ListParamObject[k].Value = values[k];
    Error.clear();
    return true;
}
