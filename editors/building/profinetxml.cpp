#include "editors/building/profinetxml.h"

#include "app/comon.h"
#include "app/language.h"
#include "app/pargen_keys.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/xml.h"

#include <QFileInfo>

namespace {

struct TFixedLine {
    int Line;
    const char *Lead;   // counts of tabs (T) and blanks (S) in order, e.g. "3T2S"
    const char *Text;
};

// The document's fixed lines by line number; 3, 26, 76 and 77 are built.
const TFixedLine kLines[] = {
    {1, "", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"},
    {2, "", "<!-- A fieldbus integration example. -->"},
    {4, "1T", "<ProfileHeader>"},
    {5, "2T", "<ProfileIdentification>PROFINET Device Profile</ProfileIdentification>"},
    {6, "2T", "<ProfileRevision>1.00</ProfileRevision>"},
    {7, "2T", "<ProfileName>Device Profile for PROFINET Devices</ProfileName>"},
    {8, "2T", "<ProfileSource>PROFIBUS Nutzerorganisation e. V. (PNO)</ProfileSource>"},
    {9, "2T", "<ProfileClassID>Device</ProfileClassID>"},
    {10, "2T", "<ISO15745Reference>"},
    {11, "3T", "<ISO15745Part>4</ISO15745Part>"},
    {12, "3T", "<ISO15745Edition>1</ISO15745Edition>"},
    {13, "3T", "<ProfileTechnology>GSDML</ProfileTechnology>"},
    {14, "2T", "</ISO15745Reference>"},
    {15, "1T", "</ProfileHeader>"},
    {16, "1T", "<ProfileBody>"},
    {17, "2T", "<DeviceIdentity VendorID=\"0x1111\" DeviceID=\"0x041A\">"},
    {18, "3T", "<InfoText TextId=\"IDT_INFO_Device\"/>"},
    {19, "3T", "<VendorName Value=\"Qelvar\"/>"},
    {20, "2T", "</DeviceIdentity>"},
    {21, "2T", "<DeviceFunction>"},
    {22, "3T", "<Family MainFamily=\"Gateway\" ProductFamily=\"GW41R15\"/>"},
    {23, "2T", "</DeviceFunction>"},
    {24, "2T", "<ApplicationProcess>"},
    {25, "3T", "<DeviceAccessPointList>"},
    {27, "5T", "<ModuleInfo>"},
    {28, "6T", "<Name TextId=\"IDT_NAME_DAP1\"/>"},
    {29, "6T", "<InfoText TextId=\"IDT_INFO_DAP1\"/>"},
    {30, "6T", "<VendorName Value=\"Qelvar\"/>"},
    {31, "6T", "<OrderNumber Value=\"GW41R15\"/>"},
    {32, "5T", "</ModuleInfo>"},
    {33, "5T", "<SubslotList>"},
    {34, "6T", "<SubslotItem SubslotNumber=\"0\" TextId=\"IDT_SUBSLOT_1\"/>"},
    {35, "6T", "<SubslotItem SubslotNumber=\"32768\" TextId=\"IDT_SUBSLOT_Interface\"/>"},
    {36, "6T", "<SubslotItem SubslotNumber=\"32769\" TextId=\"IDT_SUBSLOT_Port1\"/>"},
    {37, "6T", "<SubslotItem SubslotNumber=\"32770\" TextId=\"IDT_SUBSLOT_Port2\"/>"},
    {38, "5T", "</SubslotList>"},
    {39, "5T", "<IOConfigData MaxInputLength=\"1440\" MaxOutputLength=\"1440\" MaxDataLength=\"2880\"/>"},
    {40, "5T", "<UseableModules>"},
    {41, "6T", "<ModuleItemRef ModuleItemTarget=\"IDM_1\" FixedInSlots=\"1\"/>"},
    {42, "5T", "</UseableModules>"},
    {43, "5T", "<VirtualSubmoduleList>"},
    {44, "6T", "<VirtualSubmoduleItem ID=\"IDS_V1\" SubmoduleIdentNumber=\"0x00000000\" >"},
    {45, "5T4S", "<IOData IOPS_Length=\"1\" IOCS_Length=\"1\"/>"},
    {46, "7T", "<ModuleInfo>"},
    {47, "8T", "<Name TextId=\"IDT_NAME_VS1\"/>"},
    {48, "8T", "<InfoText TextId=\"IDT_INFO_VS1\"/>"},
    {49, "7T", "</ModuleInfo>"},
    {50, "6T", "</VirtualSubmoduleItem>"},
    {51, "5T", "</VirtualSubmoduleList>"},
    {52, "5T", "<SystemDefinedSubmoduleList>"},
    {53, "6T", "<InterfaceSubmoduleItem ID=\"IDS_I\" SubmoduleIdentNumber=\"0x00000001\" SubslotNumber=\"32768\" TextId=\"IDT_NAME_IS\" SupportedRT_Classes=\"RT_CLASS_1\" SupportedProtocols=\"SNMP;LLDP\" SupportedMibs=\"MIB2\">"},
    {54, "7T", "<ApplicationRelations>"},
    {55, "8T", "<TimingProperties SendClock=\"32\" ReductionRatio=\"1 2 4 8 16 32 64 128 256 512\"/>"},
    {56, "7T", "</ApplicationRelations>"},
    {57, "6T", "</InterfaceSubmoduleItem>"},
    {58, "6T", "<PortSubmoduleItem ID=\"IDS_P1\" SubmoduleIdentNumber=\"0x00000002\" SubslotNumber=\"32769\" TextId=\"IDT_NAME_PS1\" MaxPortRxDelay=\"350\" MaxPortTxDelay=\"160\"/>"},
    {59, "6T", "<PortSubmoduleItem ID=\"IDS_P2\" SubmoduleIdentNumber=\"0x00000002\" SubslotNumber=\"32770\" TextId=\"IDT_NAME_PS2\" MaxPortRxDelay=\"350\" MaxPortTxDelay=\"160\"/>"},
    {60, "5T", "</SystemDefinedSubmoduleList>"},
    {61, "5T", "<!-- This element tells the engineering tool that the DAP supports fieldbus integration (slot clusters). -->"},
    {62, "5T", "<!-- FieldbusIntegrationSlots MaxSupported=\"127\" Range=\"100..9999\"/-->"},
    {63, "4T", "</DeviceAccessPointItem>"},
    {64, "3T", "</DeviceAccessPointList>"},
    {65, "3T", "<ModuleList>"},
    {66, "4T", "<!-- The \"normal\" module carrying the FAP. -->"},
    {67, "4T", "<ModuleItem ID=\"IDM_1\" ModuleIdentNumber=\"0x00000001\">"},
    {68, "5T", "<ModuleInfo>"},
    {69, "6T", "<Name TextId=\"IDT_NAME_M1\"/>"},
    {70, "6T", "<InfoText TextId=\"IDT_INFO_M1\"/>"},
    {71, "6T", "<OrderNumber Value=\"12345-0040-M\"/>"},
    {72, "5T", "</ModuleInfo>"},
    {73, "5T", "<VirtualSubmoduleList>"},
    {74, "3T2S2T", "<VirtualSubmoduleItem ID=\"IDM_1\" SubmoduleIdentNumber=\"0x00000001\" >"},
    {75, "3T2S2T2S", "<IOData IOPS_Length=\"1\" IOCS_Length=\"1\" >"},
    {78, "3T2S2T2S", "</IOData>"},
    {79, "3T2S1T3S1T2S", "<RecordDataList>"},
    {80, "44S", "<ParameterRecordDataItem Index=\"128\" Length=\"2\" >"},
    {81, "6T", "<Name TextId=\"IDT_NAME_M1_IDT_REF_channel\"/>"},
    {82, "48S", "<Const ByteOffset=\"0\" Data=\"0x00,0x00\"/>"},
    {83, "48S", "<Ref TextId=\"IDT_REF_reaction_to_cpu_stop\" Visible=\"true\" DataType=\"BitArea\" ByteOffset=\"0\" BitOffset=\"0\" BitLength=\"2\" DefaultValue=\"2\" AllowedValues=\"0..2\" ValueItemTarget=\"IDV_reaction_to_cpu_stop\" ID=\"IDT_REF_reaction_to_cpu_stop\" />"},
    {84, "47S", "<MenuList>"},
    {85, "22S3T10S", "<MenuItem ID=\"IDT_NAME_M1_IDT_REF_channel\">"},
    {86, "7T", "<Name TextId=\"IDT_NAME_M1_IDT_REF_channel\"/>"},
    {87, "7T", "<MenuRef MenuTarget=\"IDT_NAME_M1_Base_Parameters\"/>"},
    {88, "6T2S", "</MenuItem>"},
    {89, "6T2S", "<MenuItem ID=\"IDT_NAME_M1_Base_Parameters\">"},
    {90, "7T", "<Name TextId=\"IDT_NAME_M1_Base_Parameters\"/>"},
    {91, "7T", "<ParameterRef ParameterTarget=\"IDT_REF_reaction_to_cpu_stop\"/>"},
    {92, "6T2S", "</MenuItem>"},
    {93, "5T7S", "</MenuList>"},
    {94, "43S", "</ParameterRecordDataItem>"},
    {95, "38S", "</RecordDataList>"},
    {96, "3T2S1T4S", "<ModuleInfo>"},
    {97, "3T2S1T2S1T2S", "<Name TextId=\"IDT_NAME_M1\"/>"},
    {98, "3T2S2T4S", "<InfoText TextId=\"IDT_INFO_M1\"/>"},
    {99, "1T3S2T2S1T2S", "</ModuleInfo>"},
    {100, "2T5S2T", "</VirtualSubmoduleItem>"},
    {101, "5T", "</VirtualSubmoduleList>"},
    {102, "4T", "</ModuleItem>"},
    {103, "3T", "</ModuleList>"},
    {104, "9S", "<ValueList>"},
    {105, "4T1S", "<ValueItem ID=\"IDV_reaction_to_cpu_stop\">"},
    {106, "5T", "<Assignments>"},
    {107, "6T", "<Assign TextId=\"IDT_ASSIGN_do_set_substitude_values\" Content=\"0\"/>"},
    {108, "6T", "<Assign TextId=\"IDT_ASSIGN_do_values_will_hold\" Content=\"1\"/>"},
    {109, "6T", "<Assign TextId=\"IDT_ASSIGN_do_continue_counting\" Content=\"2\"/>"},
    {110, "5T", "</Assignments>"},
    {111, "3T8S", "</ValueItem>"},
    {112, "9S", "</ValueList>"},
    {113, "3T", "<CategoryList>"},
    {114, "4T", "<CategoryItem ID=\"IDC_DI\" TextId=\"IDT_CATEGORY_DI\">"},
    {115, "5T", "<InfoText TextId=\"IDT_INFO_DI\"/>"},
    {116, "4T", "</CategoryItem>"},
    {117, "4T", "<CategoryItem ID=\"IDC_DO\" TextId=\"IDT_CATEGORY_DO\">"},
    {118, "5T", "<InfoText TextId=\"IDT_INFO_DO\"/>"},
    {119, "4T", "</CategoryItem>"},
    {120, "3T", "</CategoryList>"},
    {121, "3T", "<ExternalTextList>"},
    {122, "4T", "<PrimaryLanguage>"},
    {123, "5T", "<Text TextId=\"IDT_INFO_Device\" Value=\"Qelvar Gateways\"/>"},
    {124, "5T", "<Text TextId=\"IDT_NAME_DAP1\" Value=\"LORAWANNODEDevice\"/>"},
    {125, "5T", "<Text TextId=\"IDT_INFO_DAP1\" Value=\"Profinet LoRaWAN Adapter\"/>"},
    {126, "5T", "<Text TextId=\"IDT_SUBSLOT_1\" Value=\"Subslot 1\"/>"},
    {127, "5T", "<Text TextId=\"IDT_SUBSLOT_Interface\" Value=\"Interface\"/>"},
    {128, "5T", "<Text TextId=\"IDT_SUBSLOT_Port1\" Value=\"Port 1\"/>"},
    {129, "5T", "<Text TextId=\"IDT_SUBSLOT_Port2\" Value=\"Port 2\"/>"},
    {130, "5T", "<Text TextId=\"IDT_RECORD_NAME_Head\" Value=\"Parameters of head module\"/>"},
    {131, "5T", "<Text TextId=\"IDT_REF_Power\" Value=\"Percent power\"/>"},
    {132, "5T", "<Text TextId=\"IDT_NAME_VS1\" Value=\"Submodule V1\"/>"},
    {133, "5T", "<Text TextId=\"IDT_INFO_VS1\" Value=\"Description of submodule V1\"/>"},
    {134, "5T", "<Text TextId=\"IDT_NAME_IS\" Value=\"I\"/>"},
    {135, "5T", "<Text TextId=\"IDT_NAME_PS1\" Value=\"P1\"/>"},
    {136, "5T", "<Text TextId=\"IDT_NAME_PS2\" Value=\"P2\"/>"},
    {137, "5T", "<Text TextId=\"IDT_NAME_M1\" Value=\"Module\"/>"},
    {138, "5T", "<Text TextId=\"IDT_INFO_M1\" Value=\"device LORAWANNODE\"/>"},
    {139, "5T", "<Text TextId=\"IDT_NAME_FAP\" Value=\"FAP for LORAWANNODE\"/>"},
    {140, "5T", "<Text TextId=\"IDT_INFO_FAP\" Value=\"Description of FAP for LORAWANNODE\"/>"},
    {141, "5T", "<Text TextId=\"IDT_RECORD_NAME_SlotCluster\" Value=\"Parameters of the FAP\"/>"},
    {142, "5T", "<Text TextId=\"IDT_REF_SlotClusterBegin\" Value=\"Beginning of slot cluster\"/>"},
    {143, "5T", "<Text TextId=\"IDT_NAME_M_PB1\" Value=\"LORAWANNODE Device \"/>"},
    {144, "5T", "<Text TextId=\"IDT_INFO_M_PB1\" Value=\"Description of LORAWANNODE\"/>"},
    {145, "5T", "<Text TextId=\"IDT_NAME_S_PB1\" Value=\"Module of a LORAWANNODE\"/>"},
    {146, "5T", "<Text TextId=\"IDT_INFO_S_PB1\" Value=\"Description of module of a LORAWANNODE\"/>"},
    {147, "5T", "<Text TextId=\"IDT_PB_Input\" Value=\"Digital input LORAWANNODE\"/>"},
    {148, "5T", "<Text TextId=\"IDT_PB_InputBit0\" Value=\"Digital input bit LORAWANNODE\"/>"},
    {149, "5T", "<Text TextId=\"IDT_NAME_S1\" Value=\"Submodule 1\"/>"},
    {150, "5T", "<Text TextId=\"IDT_INFO_S1\" Value=\"Description of submodule 1\"/>"},
    {151, "5T", "<Text TextId=\"IDT_Input_1\" Value=\"Input byte\"/>"},
    {152, "5T", "<Text TextId=\"IDT_Output_1\" Value=\"Output word\"/>"},
    {153, "5T", "<Text TextId=\"IDT_CATEGORY_DI\" Value=\"Digital Input\"/>"},
    {154, "5T", "<Text TextId=\"IDT_INFO_DI\" Value=\"Description of digital input\"/>"},
    {155, "5T", "<Text TextId=\"IDT_CATEGORY_DO\" Value=\"Digital output\"/>"},
    {156, "5T", "<Text TextId=\"IDT_INFO_DO\" Value=\"Description of digital output\"/>"},
    {157, "5T", "<Text TextId=\"IDT_NAME_M1_IDT_REF_channel\" Value=\"Canale x\"/>"},
    {158, "20S", "<Text TextId=\"IDT_REF_reaction_to_cpu_stop\" Value=\"Reaction to CPU STOP\"/>"},
    {159, "20S", "<Text TextId=\"IDT_NAME_M1_Base_Parameters\" Value=\"Base Parameters\"/>"},
    {160, "20S", "<Text Value=\"Output substitute value\" TextId=\"IDT_ASSIGN_do_set_substitude_values\"/>"},
    {161, "5T", "<Text Value=\"Keep last value\" TextId=\"IDT_ASSIGN_do_values_will_hold\"/>"},
    {162, "5T", "<Text Value=\"Continue operation\" TextId=\"IDT_ASSIGN_do_continue_counting\"/>"},
    {163, "4T", "</PrimaryLanguage>"},
    {164, "3T", "</ExternalTextList>"},
    {165, "2T", "</ApplicationProcess>"},
    {166, "1T", "</ProfileBody>"},
    {167, "", "</ISO15745Profile>"},
};

constexpr int kLineCount = 167;

QString Lead(const char *counts)
{
    QString out;
    int count = 0;
    for (const char *p = counts; *p; ++p) {
        if (*p >= '0' && *p <= '9') {
            count = count * 10 + (*p - '0');
            continue;
        }
        out += QString(count, *p == 'T' ? QLatin1Char('\t') : QLatin1Char(' '));
        count = 0;
    }
    return out;
}

// The text as an attribute value. A character XML 1.0 cannot hold is refused, naming the
// field, as the project's XML layer refuses it; tab, CR and LF are written as character
// references so a reader does not turn them into blanks.
QString Escape_Xml(const QString &text, const char *field)
{
    if (const qsizetype at = First_Non_Xml_Char(text); at >= 0)
        throw EXmlError(QStringLiteral("The %1 holds the character %2 at position %3, which an XML file "
                                       "cannot hold; nothing was written.")
                            .arg(QLatin1String(field), Char_Code_Text(text, at))
                            .arg(at + 1)
                            .toStdString());
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QStringLiteral("&amp;"); break;
        case '<': out += QStringLiteral("&lt;"); break;
        case '>': out += QStringLiteral("&gt;"); break;
        case '"': out += QStringLiteral("&quot;"); break;
        case '\t': out += QStringLiteral("&#9;"); break;
        case '\n': out += QStringLiteral("&#10;"); break;
        case '\r': out += QStringLiteral("&#13;"); break;
        default: out += c;
        }
    }
    return out;
}

const char kDeviceProfileNs[] = "http://www.profibus.com/GSDML/2003/11/DeviceProfile";

} // namespace

QStringList Build_GSDML_Lines(const TProfinet_Param &param)
{
    QStringList out;
    out.reserve(kLineCount);
    const QString station = Escape_Xml(param.Name_Station, "station name (PROFINET_NAME_STA of ParGen.xml)");
    size_t next = 0;
    for (int line = 1; line <= kLineCount; ++line) {
        if (next < std::size(kLines) && kLines[next].Line == line) {
            out << Lead(kLines[next].Lead) + QString::fromLatin1(kLines[next].Text);
            ++next;
            continue;
        }
        switch (line) {
        case 3:
            out << QStringLiteral("<ISO15745Profile xmlns=\"%1\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                                  "xsi:schemaLocation=\"%1 ..\\xsd\\GSDML-DeviceProfile-v2.31.xsd\">")
                       .arg(QLatin1String(kDeviceProfileNs));
            break;
        case 26:
            out << Lead("3T2S")
                       + QStringLiteral("<DeviceAccessPointItem PNIO_Version=\"V2.3\" RequiredSchemaVersion=\"V2.25\" "
                                        "ID=\"IDD_1\" PhysicalSlots=\"0..4\" ModuleIdentNumber=\"0x00000001\" "
                                        "MinDeviceInterval=\"64\" ImplementationType=\"")
                       + station + QStringLiteral("\" DNS_CompatibleName=\"") + station
                       + QStringLiteral("\" FixedInSlots=\"0\" ObjectUUID_LocalIndex=\"1\" "
                                        "MultipleWriteSupported=\"true\" MaxSupportedRecordSize=\"8192\" "
                                        "ParameterizationSpeedupSupported=\"true\" PowerOnToCommReady=\"350\" "
                                        "DeviceAccessSupported=\"true\" SharedDeviceSupported=\"true\" "
                                        "CheckDeviceID_Allowed=\"false\" NameOfStationNotTransferable=\"true\">");
            break;
        case 76:
            out << Lead("3S3T2S2T5S")
                       + QStringLiteral("<Input> <DataItem DataType=\"OctetString\" Length=\"%1\" "
                                        "TextId=\"IDT_Input_1\"/> </Input>")
                             .arg(param.NB_Out);
            break;
        case 77:
            out << Lead("3T2S2T5S")
                       + QStringLiteral("<Output><DataItem DataType=\"OctetString\" Length=\"%1\" "
                                        "TextId=\"IDT_Output_1\"/></Output>")
                             .arg(param.NB_In);
            break;
        default:
            break;
        }
    }
    return out;
}

TProfinet_Param Read_Profinet_Param()
{
    TProfinet_Param p;
    const TParGen_Keys keys(Path_ParGen);
    p.NB_Out = keys.Int_Def(QStringLiteral("PROFINET_NB_OUT"), 1438);
    p.NB_In = keys.Int_Def(QStringLiteral("PROFINET_NB_IN"), 1438);
    const QString name = keys.Text_Def(QStringLiteral("PROFINET_NAME_STA"), QString());
    if (!Trim(name).isEmpty())
        p.Name_Station = name;
    return p;
}

void Write_GSDML_File(const QString &FileName)
{
    const QStringList lines = Build_GSDML_Lines(Read_Profinet_Param());
    const QByteArray text = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    Write_File_Atomic(FileName, QByteArray("\xEF\xBB\xBF", 3) + text);
}

void Create_GSDML_File(const QString &FileName)
{
    const QString chosen = Dialogs().SaveFile(QString(), Path_Join(Project_Path, FileName),
                                              QStringLiteral("PROFINET XML (*.xml) (%1)").arg(FileName), nullptr);
    if (chosen.isEmpty())
        return;
    // Only the folder counts: the file keeps the composed name.
    const QString target = Path_Join(QFileInfo(chosen).absolutePath(), FileName);
    if (File_Exists(target) && !MessageYesNo(Lang_Text(4808)))
        return;
    Write_GSDML_File(target);
}
