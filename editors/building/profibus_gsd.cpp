#include "editors/building/profibus_gsd.h"

#include "app/comon.h"
#include "app/language.h"
#include "app/pargen_keys.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/textcodec.h"
#include "platform/xml.h"

namespace {

constexpr int kBoxContent = 82;   // between ";*" and "*"
constexpr int kModuleBytes = 64;
// The most input or output bytes the communication settings window offers.
constexpr int Max_Profinet_Bytes = 1438;

QString Box(const QString &content)
{
    return QStringLiteral(";*") + content.leftJustified(kBoxContent, QLatin1Char(' '), true)
           + QLatin1Char('*');
}

QString Rule(int n)
{
    return QStringLiteral(";") + QString(n, QLatin1Char('='));
}

// Rule, title padded with "=" to the rule's length, rule, empty line.
void Title(QStringList &out, const QString &title, int ruleLength)
{
    const QString rule = Rule(ruleLength);
    const QString head = QStringLiteral(";==== ") + title + QLatin1Char(' ');
    out << rule << head + QString(std::max<qsizetype>(0, rule.size() - head.size()), QLatin1Char('='))
        << rule << QString();
}

QString Hex2(int v)
{
    return QString::number(v, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

int Module_Count(int bytes)
{
    return bytes <= 0 ? 0 : bytes / kModuleBytes + (bytes % kModuleBytes != 0);
}

// The modules of one kind, numbered from first; the last carries the rest.
void Modules(QStringList &out, const QString &kind, const QString &ident, int bytes, int first)
{
    const int n = Module_Count(bytes);
    for (int i = 0; i < n; ++i) {
        const int k = first + i;
        const int length = i < n - 1 ? kModuleBytes : bytes - kModuleBytes * (n - 1);
        out << QStringLiteral("Module=\"%1  (PORT%2)    \" %3,0x%4,0x00,0x%5")
                   .arg(kind)
                   .arg(k)
                   .arg(ident, Hex2(length - 1), Hex2(k))
            << QString::number(k) << QStringLiteral("EndModule");
    }
}

} // namespace

QStringList Build_GSD_Lines(int nb_in, int nb_out)
{
    QStringList out;
    const QString emptyBox = Box(QString());
    const QString equalsBox = QStringLiteral(";* ") + QString(80, QLatin1Char('=')) + QStringLiteral(" *");
    const QString indent(11, QLatin1Char(' '));
    out << QStringLiteral(";")
        << QStringLiteral(";********************* PROFIBUS Slave / LoRaWAN - Converter *************************")
        << equalsBox << emptyBox << Box(QStringLiteral(" Vendor:   Qelvar"))
        << Box(indent + QStringLiteral("Qelvar S.r.l."))
        << Box(indent + QStringLiteral("Via dell'Industria 14"))
        << Box(indent + QStringLiteral("00100 Cittanova - Italy"))
        << Box(indent + QStringLiteral("Tel. : +39 0000 000100"))
        << Box(indent + QStringLiteral("FAX. : +39 0000 000101"))
        << Box(indent + QStringLiteral("eMail: info@qelvar.example"))
        << emptyBox << equalsBox << emptyBox
        << Box(QStringLiteral(" Function:       PROFIBUS Slave / LoRaWAN - Converter"))
        << emptyBox << emptyBox << Box(QStringLiteral(" Order Number : GW41R13")) << emptyBox << emptyBox
        << QStringLiteral(";") + QString(84, QLatin1Char('*')) << QString() << QString()
        << QStringLiteral("#Profibus_DP") << QString() << QString();

    Title(out, QStringLiteral("Prm-Text-Def-List"), 84);
    out << "PrmText=1" << "Text(0)=\"disable\"" << "Text(1)=\"enable\"" << "EndPrmText" << QString()
        << "PrmText  = 2" << "Text(0)  = \"clock up\"" << "Text(1)  = \"clock down\"" << "EndPrmText"
        << QString() << "PrmText  = 3" << "Text(1)  = \"10\"" << "Text(2)  = \"20\"" << "Text(3)  = \"30\""
        << "Text(4)  = \"40\"" << "Text(5)  = \"50\"" << "EndPrmText" << QString() << QString();

    Title(out, QStringLiteral("Ext-User-Prm-Data-Def-List"), 85);
    const struct { const char *def, *value, *ref; } ext[] = {
        {"ExtUserPrmData=1 \"[SlotNumber]\"", "Unsigned8 0 0-32", nullptr},
        {"ExtUserPrmData=2 \"Diagnostic Alarm\"", "Bit(0) 0 0-1", "Prm_Text_Ref=1"},
        {"ExtUserPrmData=3 \"Process Alarm\"", "Bit(1) 0 0-1", "Prm_Text_Ref=1"},
        {"ExtUserPrmData=4 \"Counter mode\"", "Unsigned8 0 0-1", "Prm_Text_Ref=2"},
        {"ExtUserPrmData=5 \"Counter timebase (ms)\"", "Unsigned8 1 1-5", "Prm_Text_Ref=3"},
        {"ExtUserPrmData=6 \"Counter high-limit\"", "Unsigned16 65535 0-65535", nullptr},
        {"ExtUserPrmData=7 \"Counter low-limit\"", "Unsigned16 0 0-65535", nullptr},
    };
    for (const auto &e : ext) {
        out << QString::fromLatin1(e.def) << QString::fromLatin1(e.value);
        if (e.ref)
            out << QString::fromLatin1(e.ref);
        out << "EndExtUserPrmData" << QString();
    }
    out << QString();

    Title(out, QStringLiteral("General DP Keywords"), 85);
    out << "GSD_Revision = 5" << "Vendor_Name = \"Qelvar\"" << "Model_Name = \"GW41R13\"" << "Revision = \"1.00\""
        << "Ident_Number = 0xAFE1" << "Protocol_Ident = 0" << "Station_Type = 0" << "FMS_supp = 0"
        << "Hardware_Release = \"V1.00\"" << "Software_Release = \"V1.00\"" << "Redundancy = 0"
        << "Repeater_Ctrl_Sig = 2" << "24V_Pins = 0" << QString() << QString();

    Title(out, QStringLiteral("Supported baudrates"), 78);
    out << "9.6_supp = 1" << "19.2_supp = 1" << "45.45_supp = 1" << "93.75_supp = 1" << "187.5_supp = 1"
        << "500_supp = 1" << "1.5M_supp = 1" << "3M_supp = 1" << "6M_supp = 1" << "12M_supp = 1" << QString()
        << "MaxTsdr_9.6=15" << "MaxTsdr_19.2=15" << "MaxTsdr_45.45=15" << "MaxTsdr_93.75=15"
        << "MaxTsdr_187.5=15" << "MaxTsdr_500=15" << "MaxTsdr_1.5M=20" << "MaxTsdr_3M=35" << "MaxTsdr_6M=50"
        << "MaxTsdr_12M=95" << QString() << QString();

    const int nDI = Module_Count(nb_out), nDO = Module_Count(nb_in);
    Title(out, QStringLiteral("Slave specific values"), 78);
    out << "OrderNumber=\"GW41R13\"" << "Slave_Family = 9@Qelvar@GW41R13" << "Implementation_Type = \"VPC3+\""
        << "Info_Text=\"Qelvar: PROFIBUS Slave / LoRaWAN - Converter\"" << "Bitmap_Device = \"DPV0_1N\""
        << "Bitmap_SF=\"DPV0_1S\"" << QString() << "Freeze_Mode_supp=1" << "Sync_Mode_supp=1" << "Fail_Safe=1"
        << "Auto_Baud_supp=1" << "Set_Slave_Add_supp=0" << QString() << "Min_Slave_Intervall=6" << QString()
        << "Modular_Station=1" << QStringLiteral("Max_Module=%1").arg(nDI + nDO) << "Modul_Offset=1"
        << QStringLiteral("Max_Input_Len=%1").arg(nb_out) << QStringLiteral("Max_Output_Len=%1").arg(nb_in)
        << QStringLiteral("Max_Data_Len=%1").arg(qint64(nb_in) + nb_out) << "Max_Diag_Data_Len=15" << QString()
        << "WD_Base_1ms_supp = 1" << "Publisher_supp = 1" << QString();

    Title(out, QStringLiteral("User-Prm-Data"), 78);
    out << "Max_User_Prm_Data_Len = 12" << "Ext_User_Prm_Data_Const(0)= 0x00,0x00,0x00" << QString();

    Title(out, QStringLiteral("Modulstatus"), 78);
    for (int slot = 1; slot <= 2; ++slot) {
        out << QStringLiteral("Unit_Diag_Area = %1 - %2").arg(22 + 2 * slot).arg(23 + 2 * slot);
        const char *const states[] = {"Module error", "Wrong module", "No module"};
        for (int v = 1; v <= 3; ++v)
            out << QStringLiteral("Value(%1)= \"Slot %2: %3\"").arg(v).arg(slot).arg(QLatin1String(states[v - 1]));
        out << "Unit_Diag_Area_End";
    }
    out << QString() << QString();

    Title(out, QStringLiteral("Module-Definition-List"), 78);
    Modules(out, QStringLiteral("DI"), QStringLiteral("0x42"), nb_out, 1);
    Modules(out, QStringLiteral("DO"), QStringLiteral("0x82"), nb_in, nDI + 1);
    out << QString() << QString() << QString();

    out << "SlotDefinition";
    for (int k = 1; k <= nDI + nDO; ++k)
        out << QStringLiteral("Slot(%1) = \"Slot %1\" %1 %1").arg(k);
    out << "EndSlotDefinition" << QString() << QString() << QString() << QString();
    return out;
}

void Write_GSD_File(const QString &FileName)
{
    const TParGen_Keys keys(Path_ParGen);
    if (!keys.File_Loaded() && File_Exists(Path_ParGen)) {
        // The keys read a damaged file as a missing one: the parser says what is wrong.
        TXmlDocument doc;
        doc.LoadFromFile(Path_ParGen);
    }
    const auto bytes = [&keys](const char *key) {
        const int n = keys.Int_Def(QLatin1String(key), 0);
        if (n < 0 || n > Max_Profinet_Bytes)
            throw EXmlError(QStringLiteral("%1: %2 is %3; the communication settings accept a number of bytes "
                                           "between 0 and %4. The GSD file was not written.")
                                .arg(Path_ParGen, QLatin1String(key))
                                .arg(n)
                                .arg(Max_Profinet_Bytes)
                                .toStdString());
        return n;
    };
    const int nb_in = bytes("PROFINET_NB_IN");
    const int nb_out = bytes("PROFINET_NB_OUT");
    const QStringList lines = Build_GSD_Lines(nb_in, nb_out);
    Write_File_Atomic(FileName, Encode_Windows1252(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

void Create_GSD_File()
{
    if (!File_Exists(Path_ParGen)) {
        MessageError(Lang_Text(1104));
        return;
    }
    QString name = Dialogs().SaveFile(QString(), Project_Path,
                                      QStringLiteral("Generic Station Description (*.gsd)"), nullptr);
    if (name.isEmpty())
        return;
    if (!name.endsWith(QStringLiteral(".gsd"), Qt::CaseInsensitive))
        name += QStringLiteral(".gsd");
    if (File_Exists(name) && !MessageYesNo(Lang_Text(1103)))
        return;
    Write_GSD_File(name);
}
