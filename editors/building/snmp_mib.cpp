#include "editors/building/snmp_mib.h"

#include "app/comon.h"
#include "app/language.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/textcodec.h"
#include "platform/xml.h"

namespace {

const char Enterprise_Number[] = "58421";

QString Object_Line(const QString &name, bool is_int, const char *access, const QString &description,
                    const char *parent, int k, const char *kind = "OBJECT-TYPE")
{
    // One pass: a description never has its own "%n" replaced.
    return QStringLiteral("%1 %2 SYNTAX %3 MAX-ACCESS %4 STATUS current DESCRIPTION \"%5\" ::= { %6 %7 }")
        .arg(name, QLatin1String(kind), QLatin1String(is_int ? "INTEGER" : "OCTET STRING"), QLatin1String(access),
             description, QLatin1String(parent), IntToStr(k));
}

// The eight data blocks of a buffer and the head of its objects' subtree.
void Buffer_Blocks(QStringList &out, const char *buffer, const char *access)
{
    for (int b = 1; b <= 8; ++b)
        out << QStringLiteral("%1blk%2 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS %3 STATUS current DESCRIPTION "
                              "\"data block n.%2\" ::= { %1 %2 }")
                   .arg(QLatin1String(buffer))
                   .arg(b)
                   .arg(QLatin1String(access));
    out << QStringLiteral(" %1val OBJECT IDENTIFIER::= { %1 9 }").arg(QLatin1String(buffer));
}

void Objects(QStringList &out, const QStringList &descriptions, const std::array<uint8_t, MIB_Max_Objects> &types,
             const char *parent, const char *access)
{
    for (qsizetype i = 0; i < descriptions.size() && i < MIB_Max_Objects; ++i) {
        const int k = int(i) + 1;
        const QString &d = descriptions[i];
        out << Object_Line(d.isEmpty() ? QLatin1String(parent) + IntToStr(k) : d, types[size_t(i)] == 1, access, d,
                           parent, k);
    }
}

} // namespace

int Read_SNMP_Trap_Objects(TMIB_Types &types)
{
    SNMP_Read_Descr_List.clear();
    SNMP_Write_Descr_List.clear();
    types = TMIB_Types();
    if (!File_Exists(Path_SNMP_Trap))
        return 0;
    TXmlDocument doc;
    doc.LoadFromFile(Path_SNMP_Trap);
    const TXmlNode root = doc.DocumentElement();
    if (!root)
        return 0;
    int ignored = 0;
    const struct
    {
        const char *List;
        QStringList &Descriptions;
        std::array<uint8_t, MIB_Max_Objects> &Types;
    } kinds[] = {{"SNMP_Trap_Read", SNMP_Read_Descr_List, types.Read},
                 {"SNMP_Trap_Write", SNMP_Write_Descr_List, types.Write}};
    for (const auto &kind : kinds) {
        const TXmlNode list = root.Child(QLatin1String(kind.List));
        if (!list)
            continue;   // a missing list counts as empty
        for (const TXmlNode &row : list.Children(QStringLiteral("row"))) {
            if (UpperCase(row.AttributeDef(QStringLiteral("Enable"), QString())) != QLatin1String("Y"))
                continue;
            if (kind.Descriptions.size() >= MIB_Max_Objects) {
                ++ignored;
                continue;
            }
            kind.Types[size_t(kind.Descriptions.size())] =
                UpperCase(row.AttributeDef(QStringLiteral("Type"), QString())) == QLatin1String("INT") ? 1 : 0;
            kind.Descriptions.append(row.AttributeDef(QStringLiteral("Description"), QString()));
        }
    }
    return ignored;
}

QStringList MIB_Lines(const TMIB_Types &types)
{
    const QString tab = QStringLiteral("\t");
    const QString four(4, QLatin1Char(' '));
    QStringList out;
    out << "GATEWAY DEFINITIONS ::= BEGIN" << "IMPORTS" << "       MODULE-IDENTITY,OBJECT-TYPE"
        << "         FROM SNMPv2-SMI" << "         DisplayString, TimeStamp" << "         FROM SNMPv2-TC"
        << "         enterprises" << "         FROM RFC1155-SMI;" << QString();
    out << "identity MODULE-IDENTITY" << four + "LAST-UPDATED \"201701310000Z\""
        << four + "ORGANIZATION \"Qelvar S.r.l.\"" << four + "CONTACT-INFO"
        << tab + " \"Via dell'Industria 14" << four + "00100 Cittanova" << four + "Italy"
        << four + "email:" + four + "info@qelvar.example\"" << four + "DESCRIPTION"
        << tab + "\"MIB objects for agent module \"" << four + "REVISION     \"201701310000Z\""
        << four + "DESCRIPTION" << tab + "\"Corrected notification \"" << four + "REVISION     \"200202060000Z\""
        << four + "DESCRIPTION" << tab + "\"First draft\"" << four + "::= { qelvar 2 }";
    out << QStringLiteral("qelvar          OBJECT IDENTIFIER ::= { enterprises %1 }").arg(QLatin1String(Enterprise_Number))
        << "gateway OBJECT IDENTIFIER::= { qelvar 1 }" << "application OBJECT IDENTIFIER::= { gateway 1 }"
        << "data OBJECT IDENTIFIER::= { application 1 }"
        << "hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" ::= { data 1}"
        << "countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" ::= { data 2}"
        << "countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  DESCRIPTION \"\" ::= { data 3}"
        << "bufferin OBJECT IDENTIFIER::= { data 4 }";
    Buffer_Blocks(out, "bufferin", "read-only");
    Objects(out, SNMP_Read_Descr_List, types.Read, "bufferinval", "read-only");
    out << "bufferout OBJECT IDENTIFIER::= { data 5 }";
    Buffer_Blocks(out, "bufferout", "read-write");
    Objects(out, SNMP_Write_Descr_List, types.Write, "bufferoutval", "read-write");
    out << "traps OBJECT IDENTIFIER::= { application 2 }" << " trapsval OBJECT IDENTIFIER::= { traps 1 }";
    for (qsizetype i = 0; i < SNMP_Read_Descr_List.size() && i < MIB_Max_Objects; ++i) {
        const int k = int(i) + 1;
        out << Object_Line(QStringLiteral("trapval") + IntToStr(k), types.Read[size_t(i)] == 1, "read-only",
                           SNMP_Read_Descr_List[i], "trapsval", k, "NOTIFICATION-TYPE");
    }
    out << "END";
    return out;
}

void Write_MIB_File(const QString &FileName, const TMIB_Types &types)
{
    Write_File_Atomic(FileName,
                      Encode_Windows1252(MIB_Lines(types).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

void Create_MIB_File()
{
    const QString name = Dialogs().SaveFile(QString(), Project_Path,
                                            QStringLiteral("Management Information Base (*.mib)"), nullptr);
    if (name.isEmpty())
        return;
    if (File_Exists(name) && !MessageYesNo(Lang_Text(1105)))
        return;
    TMIB_Types types;
    const int ignored = Read_SNMP_Trap_Objects(types);
    Write_MIB_File(name, types);
    if (ignored > 0)
        MessageWarning(QStringLiteral("%1 enabled objects beyond the %2th of their list were left out of the MIB.")
                           .arg(ignored)
                           .arg(MIB_Max_Objects));
}
