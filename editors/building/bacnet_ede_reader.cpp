#include "editors/building/bacnet_ede_reader.h"

#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/textcodec.h"

#include <QStringDecoder>

namespace {

bool Is_Mandatory_Line(const QString &line)
{
    const QString t = Trim(line);
    return t.startsWith(QLatin1Char('#')) && Trim(t.mid(1)).startsWith(QLatin1String("mandatory"));
}

bool Is_Y(const QString &field) { return UpperCase(Trim(field)) == QLatin1String("Y"); }

int Number(const QString &field) { return StrToIntDef(Trim(field), -1); }

} // namespace

int EDE_Data_Start(const QStringList &lines)
{
    if (lines.size() > 6 && Is_Mandatory_Line(lines[6]))
        return 8;
    int start = -1;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (Is_Mandatory_Line(lines[i]))
            start = int(i) + 2;
    return start;
}

bool EDE_Accepted_Type(int object_type)
{
    switch (object_type) {
    case 0: case 1: case 2: case 3: case 4: case 5: case 13: case 14: case 19:
    case 21: case 22: case 23: case 45: case 46: case 48:
        return true;
    default:
        return false;
    }
}

std::vector<TBACnet_Var> EDE_Objects(const QStringList &lines)
{
    std::vector<TBACnet_Var> objects;
    const int start = EDE_Data_Start(lines);
    if (start < 0)
        return objects;
    for (qsizetype i = start; i < lines.size(); ++i) {
        QString rest = Trim(lines[i]);
        if (rest.isEmpty())
            continue;
        // Fields 1 to 15 from the left, each ended by its ";" (one with none after it is
        // empty); what is left is the vendor-specific address.
        QStringList f;
        for (int k = 0; k < 15; ++k) {
            const qsizetype semi = rest.indexOf(QLatin1Char(';'));
            if (semi < 0) {
                f << QString();
                continue;
            }
            f << Trim(rest.left(semi));
            rest = Trim(rest.mid(semi + 1));
        }
        TBACnet_Var v;
        v.keyname = f[0];
        v.device_obj_instance = Number(f[1]);
        v.object_name = f[2];
        v.object_type = Number(f[3]);
        v.object_instance = Number(f[4]);
        v.description = f[5];
        v.present_value_default = f[6];
        v.min_present_value = f[7];
        v.max_present_value = f[8];
        v.commandable = Is_Y(f[9]);
        v.support_COV = Is_Y(f[10]);
        v.hi_limit = f[11];
        v.low_limit = f[12];
        v.stete_text_reference = f[13];
        v.unit_code = f[14];
        v.vendor_specific_address = rest.endsWith(QLatin1Char(';')) ? rest.chopped(1) : rest;
        if (!EDE_Accepted_Type(v.object_type))
            continue;
        v.import = true;
        v.read = true;
        v.write = v.commandable;
        objects.push_back(std::move(v));
    }
    return objects;
}

QString Decode_EDE_Text(const QByteArray &bytes)
{
    const bool marked = bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE")
                        || bytes.startsWith("\xFE\xFF");
    if (!marked) {
        // Exports of many tools are UTF-8 without a mark; Windows-1252 text with letters
        // beyond ASCII is almost never valid UTF-8.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(bytes);
        if (!utf8.hasError())
            return text;
    }
    return Decode_Text(bytes);
}

std::vector<TBACnet_Var> Load_EDE_File(const QString &path)
{
    return EDE_Objects(Split_Lines(Decode_EDE_Text(Read_File(path))));
}
