#include "gateway/targetconfig.h"

#include "app/language.h"
#include "gateway/eds_reader.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/textcodec.h"
#include "platform/xml.h"

#include <QDir>
#include <QHash>
#include <unordered_map>

namespace {

// The data segment can carry 510 bytes; a text far longer than that is refused by the
// scanner editor's check all the same, so a hostile size in an EDS file is cut here
// instead of filling memory.
constexpr int Max_Config_Bytes = 4096;

QStringView Text_After_Equal(QStringView line)
{
    return EDS_Trim_View(line.mid(line.indexOf(u'=') + 1));
}

bool Is_Section_Line(QStringView line)
{
    return line.contains(u'[') && line.contains(u']');
}

QString Without_Final_Semicolon(const QString &text)
{
    QString t = Trim(text);
    if (t.endsWith(QLatin1Char(';')))
        t = Trim(t.chopped(1));
    return t;
}

// The [Params] section read once for all the keys of an assembly: the non-empty lines of
// the section, where each key's entry starts, and the entries' texts. The cost is linear in
// the section's size plus the size of the entries taken, however many members there are.
//
// A line starts a key's entry when it holds "=" and the key's first occurrence in it is
// followed by a blank or "=". So each blank or "=" of such a line ends a candidate: walking
// back from it through a trie of the reversed keys gives every key that ends there, and
// only a key not found yet is checked for being the first occurrence.
class TParams_Index
{
public:
    // The lines of the file, uncleaned; they must outlive the index.
    TParams_Index(const QStringList &sl, const std::vector<QString> &keys)
    {
        bool in_section = false;
        for (const QString &raw : sl) {
            const QStringView line = EDS_Clean_View(raw);
            if (line.isEmpty())
                continue;
            if (!in_section) {
                in_section = line.contains(u"[Params]");
                continue;
            }
            if (Is_Section_Line(line))
                break;
            lines_.push_back(line);
        }
        const int n = int(lines_.size());
        // The next line, from each on, that holds a ";".
        next_semicolon_.assign(size_t(n) + 1, n);
        for (int i = n - 1; i >= 0; --i)
            next_semicolon_[size_t(i)] = lines_[size_t(i)].contains(u';') ? i : next_semicolon_[size_t(i) + 1];

        for (const QString &key : keys)
            if (!key.isEmpty() && !ids_.contains(key)) {
                ids_.insert(key, int(keys_.size()));
                keys_.push_back(key);
            }
        start_.assign(keys_.size(), -1);
        Build_Trie();
        Find_Starts();
    }

    // The parameter entry of the key: from its first line on until the first ";" of the
    // text taken is its last character, else to the section's end. Empty when not found.
    QString Param_Text(const QString &key) { return Entry(key, false); }
    // The value list entry of the key: until the first line holding ";".
    QString Enum_Text(const QString &key) { return Entry(key, true); }

private:
    struct TNode
    {
        int key = -1;   // the key whose reversed text ends here
    };

    int Child(int node, char16_t c) const
    {
        const auto it = edges_.find((uint64_t(uint32_t(node)) << 16) | c);
        return it == edges_.end() ? -1 : it->second;
    }

    void Build_Trie()
    {
        nodes_.assign(1, TNode{});
        for (size_t k = 0; k < keys_.size(); ++k) {
            int node = 0;
            const QString &key = keys_[k];
            for (qsizetype i = key.size() - 1; i >= 0; --i) {
                const uint64_t edge = (uint64_t(uint32_t(node)) << 16) | key[i].unicode();
                const auto it = edges_.find(edge);
                if (it != edges_.end()) {
                    node = it->second;
                } else {
                    nodes_.push_back(TNode{});
                    node = int(nodes_.size()) - 1;
                    edges_.emplace(edge, node);
                }
            }
            nodes_[size_t(node)].key = int(k);
        }
    }

    void Find_Starts()
    {
        size_t unresolved = keys_.size();
        for (size_t i = 0; i < lines_.size() && unresolved > 0; ++i) {
            const QStringView line = lines_[i];
            if (!line.contains(u'='))
                continue;
            for (qsizetype end = 1; end < line.size(); ++end) {
                const QChar after = line[end];
                if (after != u' ' && after != u'=')
                    continue;
                int node = 0;
                for (qsizetype p = end - 1; p >= 0; --p) {
                    node = Child(node, line[p].unicode());
                    if (node < 0)
                        break;
                    const int k = nodes_[size_t(node)].key;
                    if (k < 0 || start_[size_t(k)] >= 0)
                        continue;
                    if (line.indexOf(keys_[size_t(k)]) == p) {
                        start_[size_t(k)] = int(i);
                        --unresolved;
                    }
                }
            }
        }
    }

    QString Entry(const QString &key, bool value_list)
    {
        const auto id = ids_.constFind(key);
        if (id == ids_.cend() || start_[size_t(*id)] < 0)
            return QString();
        const int s = start_[size_t(*id)];
        QHash<int, QString> &memo = value_list ? enum_memo_ : param_memo_;
        if (const auto m = memo.constFind(s); m != memo.cend())
            return *m;

        const int last = int(lines_.size()) - 1;
        const QStringView first = Text_After_Equal(lines_[size_t(s)]);
        int end = last;
        const qsizetype semicolon = first.indexOf(u';');
        if (semicolon >= 0) {
            if (value_list || semicolon == first.size() - 1)
                end = s;
        } else if (const int j = next_semicolon_[size_t(s) + 1]; j <= last) {
            // The text taken so far holds no ";", so the first one is that of line j.
            const QStringView line = lines_[size_t(j)];
            if (value_list || line.indexOf(u';') == line.size() - 1)
                end = j;
        }
        qsizetype size = first.size();
        for (int i = s + 1; i <= end; ++i)
            size += lines_[size_t(i)].size();
        QString text;
        text.reserve(size);
        text += first;
        for (int i = s + 1; i <= end; ++i)
            text += lines_[size_t(i)];
        memo.insert(s, text);
        return text;
    }

    std::vector<QStringView> lines_;   // the section's non-empty lines, cleaned
    std::vector<int> next_semicolon_;
    std::vector<QString> keys_;
    QHash<QString, int> ids_;
    std::vector<int> start_;   // line of each key's entry, -1 when none
    std::vector<TNode> nodes_;
    std::unordered_map<uint64_t, int> edges_;
    QHash<int, QString> param_memo_, enum_memo_;
};

// The value list key of a parameter key: Param12 gives Enum12.
QString Enum_Key(const QString &param)
{
    return QStringLiteral("Enum") + param.mid(5);
}

// A text the scanner editor stores in its project file must hold only characters such a
// file can hold; a Windows-1252 EDS file can bring a NUL byte, for one.
void Check_Imported_Text(const QString &text, const char *what, const QString &owner, const QString &file)
{
    const qsizetype at = First_Non_Xml_Char(text);
    if (at < 0)
        return;
    throw ETargetConfigError(QStringLiteral("The EDS file \"%1\" holds the character %2 in the %3 of \"%4\"; "
                                            "the target configuration cannot be taken into the project.")
                                 .arg(QDir::toNativeSeparators(file), Char_Code_Text(text, at),
                                      QLatin1String(what), owner)
                                 .toStdString());
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
    const QStringList lines = Read_Text_Lines(FileName);
    DecodeAssemblyObj(Find_Assembly_Object(lines), lines);
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
        const QStringView line = EDS_Clean_View(raw);
        if (line.isEmpty())
            continue;
        if (!in_section) {
            in_section = line.contains(u"[Assembly]");
            continue;
        }
        if (Is_Section_Line(line))
            break;
        if (!found) {
            // The key at the start of the line, so that Assem1 does not take Assem100.
            if (!line.startsWith(key) || !EDS_Trim_View(line.mid(key.size())).startsWith(u'='))
                continue;
            found = true;
            result = Text_After_Equal(line).toString();
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
    const QString enum_key = Enum_Key(Param);
    TParams_Index index(sl, {Param, enum_key});
    EnumStr = index.Enum_Text(enum_key);
    return index.Param_Text(Param);
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

    // A member naming the parameter of an earlier one copies it; the others' keys and
    // value list keys are looked up in one pass over [Params].
    QHash<QString, size_t> first_of;
    std::vector<QString> keys;
    for (size_t idx = 0; idx < ListParamObject.size(); ++idx) {
        const QString &name = ListParamObject[idx].ParamName;
        if (first_of.contains(name))
            continue;
        first_of.insert(name, idx);
        keys.push_back(name);
        keys.push_back(Enum_Key(name));
    }
    TParams_Index index(sl, keys);

    Check_Imported_Text(AO_Name, "name", Format, FileName);
    Check_Imported_Text(AO_SizeBit, "size", Format, FileName);
    for (size_t idx = 0; idx < ListParamObject.size(); ++idx) {
        TTC_ParamObj &p = ListParamObject[idx];
        Check_Imported_Text(p.BitSize, "member size", Format, FileName);
        Check_Imported_Text(p.ParamName, "member reference", Format, FileName);
        if (const size_t first = first_of.value(p.ParamName); first != idx) {
            const QString bit_size = p.BitSize;
            p = ListParamObject[first];
            p.BitSize = bit_size;
            continue;
        }

        const QString param_text = Without_Final_Semicolon(index.Param_Text(p.ParamName));
        const QString enum_text = Without_Final_Semicolon(index.Enum_Text(Enum_Key(p.ParamName)));
        const QStringList pf = Split_Delimited_Strict(param_text);
        if (pf.size() < 12)
            throw ETargetConfigError(
                QStringLiteral("The parameter \"%1\" of the assembly \"%2\" has no complete entry in the "
                               "[Params] section of \"%3\".")
                    .arg(p.ParamName, Format, FileName)
                    .toStdString());
        p.Name = pf[6];
        Check_Imported_Text(p.Name, "name", p.ParamName, FileName);
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
                Check_Imported_Text(e.Description, "value list", p.ParamName, FileName);
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
