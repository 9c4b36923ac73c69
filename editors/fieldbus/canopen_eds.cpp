#include "editors/fieldbus/canopen_eds.h"

#include "app/comon.h"
#include "app/language.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/textcodec.h"
#include "platform/xml.h"

#include <algorithm>
#include <climits>

std::array<PDO_Entry, 60> PDO_Table;
int Nr_RPDO = 0;
int Nr_TPDO = 0;
std::vector<SDO_Index> SDO_Index_List;

namespace {

constexpr int Max_PDOs = 30;   // of each kind, as the PDO editor keeps them
constexpr int Transmit_Base = 30;
constexpr int Max_PDO_Dimension = 8;   // data bytes of a PDO, as the PDO editor accepts them

const QString EDS_File_Name = QStringLiteral("NMEA_Send_Frames_CANopen.eds");
const QString EDS_Description = QStringLiteral("NMEA_Send_Frames / CANopen - Converter");
const QString EDS_Product_Number = QStringLiteral("R02");
const QString EDS_Order_Code = QStringLiteral("GW41R02");
const QString Vendor = QStringLiteral("Qelvar");

const char *const RPDO_Var_Names[Max_PDOs] = {"b",  "c",  "d",  "e",  "f",  "g",  "h",  "j",  "k",  "i",
                                              "aa", "ab", "ac", "ad", "ae", "af", "ag", "ah", "ai", "al",
                                              "am", "an", "ao", "ap", "aq", "ar", "as", "at", "au", "av"};
const char *const TPDO_Var_Names[Max_PDOs] = {"l",  "m",  "n",  "o",  "p",  "q",  "r",  "s",  "t",  "u",
                                              "ca", "cb", "cc", "cd", "ce", "cf", "cg", "ch", "ci", "cl",
                                              "cm", "cn", "co", "cp", "cq", "cr", "cs", "ct", "cu", "cv"};

std::function<QDateTime()> &Clock()
{
    static std::function<QDateTime()> clock;
    return clock;
}

QString H(int64_t v, int digits) { return QString::number(uint32_t(v), 16).toUpper().rightJustified(digits, QLatin1Char('0')); }
QString D(int64_t v) { return QString::number(v); }

QString Section(int object) { return QStringLiteral("[") + H(object, 4) + QStringLiteral("]"); }
QString Sub_Section(int object, int sub)
{
    return QStringLiteral("[") + H(object, 4) + QStringLiteral("sub") + QString::number(sub, 16).toUpper() +
           QStringLiteral("]");
}

// The lines of a sheet, built in order.
class TSheet
{
public:
    void Line(const QString &text) { lines_.append(text); }
    void Empty() { lines_.append(QString()); }
    // A record or array: its section, sub-entry count, name and object type.
    void Record(int object, int subs, const QString &name, const char *type)
    {
        Line(Section(object));
        Line(QStringLiteral("SubNumber=") + D(subs));
        Line(QStringLiteral("ParameterName=") + name);
        Line(QStringLiteral("ObjectType=") + QLatin1String(type));
        Empty();
    }
    // A variable of the communication and PDO objects; def empty: no DefaultValue line.
    void Var(const QString &section, const QString &name, const char *data_type, const char *access,
             const QString &def, const char *mapping = "0", bool closing_empty = true)
    {
        Line(section);
        Line(QStringLiteral("ParameterName=") + name);
        Line(QStringLiteral("ObjectType=0x07"));
        Line(QStringLiteral("DataType=") + QLatin1String(data_type));
        Line(QStringLiteral("AccessType=") + QLatin1String(access));
        if (!def.isEmpty())
            Line(QStringLiteral("DefaultValue=") + def);
        Line(QStringLiteral("PDOMapping=") + QLatin1String(mapping));
        if (closing_empty)
            Empty();
    }
    QStringList &Lines() { return lines_; }

private:
    QStringList lines_;
};

void Info(TSheet &s, const QString &time, const QString &date)
{
    for (const QString &line :
         {QStringLiteral("[FileInfo]"), QStringLiteral("FileName=") + EDS_File_Name, QStringLiteral("FileVersion=1"),
          QStringLiteral("FileRevision=0"), QStringLiteral("EDSVersion=4.0"),
          QStringLiteral("Description=") + EDS_Description, QStringLiteral("CreationTime=") + time,
          QStringLiteral("CreationDate=") + date, QStringLiteral("CreatedBy=") + Vendor,
          QStringLiteral("ModificationTime=") + time, QStringLiteral("ModificationDate=") + date,
          QStringLiteral("ModifiedBy=") + Vendor})
        s.Line(line);
    s.Empty();
    for (const QString &line :
         {QStringLiteral("[DeviceInfo]"), QStringLiteral("VendorName=") + Vendor, QStringLiteral("VendorNumber=0x00"),
          QStringLiteral("ProductName=") + EDS_Description, QStringLiteral("ProductNumber=") + EDS_Product_Number,
          QStringLiteral("RevisionNumber=0x0"), QStringLiteral("OrderCode=") + EDS_Order_Code})
        s.Line(line);
    for (const char *line : {"BaudRate_10=1", "BaudRate_20=1", "BaudRate_50=1", "BaudRate_125=1", "BaudRate_250=1",
                             "BaudRate_500=1", "BaudRate_800=0", "BaudRate_1000=1", "DynamicChannelsSupported=0",
                             "GroupMessaging=0", "LSS_Supported=0", "Granularity=0", "SimpleBootUpSlave=1",
                             "SimpleBootUpMaster=0"})
        s.Line(QLatin1String(line));
    s.Line(QStringLiteral("NrOfRXPDO=") + D(Nr_RPDO));
    s.Line(QStringLiteral("NrOfTXPDO=") + D(Nr_TPDO));
    s.Empty();
    for (const char *line : {"[Comments]", "Lines=0", "", "[DummyUsage]", "Dummy0001=0", "Dummy0002=0", "Dummy0003=0",
                             "Dummy0004=0", "Dummy0005=0", "Dummy0006=0", "Dummy0007=0", "", "[MandatoryObjects]",
                             "SupportedObjects=3", "1=0x1000", "2=0x1001", "3=0x1018", ""})
        s.Line(QLatin1String(line));
}

void Object_Lists(TSheet &s)
{
    s.Line(QStringLiteral("[OptionalObjects]"));
    s.Line(QStringLiteral("SupportedObjects=") + D(8 + 3 * Nr_RPDO + 3 * Nr_TPDO));
    const int fixed[] = {0x1005, 0x1006, 0x1008, 0x1014, 0x1016, 0x1017, 0x1029, 0x1280};
    std::vector<int> objects(std::begin(fixed), std::end(fixed));
    for (int base : {0x1400, 0x1600})
        for (int i = 0; i < Nr_RPDO; ++i)
            objects.push_back(base + i);
    for (int base : {0x1800, 0x1A00})
        for (int i = 0; i < Nr_TPDO; ++i)
            objects.push_back(base + i);
    for (int i = 0; i < Nr_RPDO; ++i)
        objects.push_back(0x7000 + i);
    for (int i = 0; i < Nr_TPDO; ++i)
        objects.push_back(0x7050 + i);
    for (size_t n = 0; n < objects.size(); ++n)
        s.Line(D(int64_t(n) + 1) + QStringLiteral("=0x") + H(objects[n], 4));
    s.Empty();
    s.Line(QStringLiteral("[ManufacturerObjects]"));
    s.Line(QStringLiteral("SupportedObjects=") + D(int64_t(SDO_Index_List.size())));
    for (size_t n = 0; n < SDO_Index_List.size(); ++n)
        s.Line(D(int64_t(n) + 1) + QStringLiteral("=0x") + H(SDO_Index_List[n].Index, 4));
    s.Empty();
}

void Fixed_Objects(TSheet &s)
{
    const auto var = [&s](int object, const char *name, const char *type, const char *access, const char *def) {
        s.Var(Section(object), QLatin1String(name), type, access, QLatin1String(def));
    };
    const auto sub = [&s](int object, int n, const char *name, const char *type, const char *access, const char *def,
                          bool closing_empty = true) {
        s.Var(Sub_Section(object, n), QLatin1String(name), type, access, QLatin1String(def), "0", closing_empty);
    };
    var(0x1000, "Device Type", "0x0007", "const", "0x000101A4");
    var(0x1001, "Error Register", "0x0005", "ro", "0x00");
    var(0x1005, "COB-ID SYNC", "0x0007", "rw", "0x80000080");
    var(0x1006, "Communication Cycle Period", "0x0007", "rw", "0x00000000");
    var(0x1008, "Manufacturer Device Name", "0x0009", "const", "s1");
    var(0x1014, "COB-ID EMCY", "0x0007", "ro", "$NODEID+0x80");
    s.Record(0x1016, 3, QStringLiteral("Heartbeat Consumer Entries"), "0x08");
    sub(0x1016, 0, "Number of Entries", "0x0005", "ro", "0x02");
    sub(0x1016, 1, "Consumer Heartbeat Time 1", "0x0007", "rw", "0x00000000");
    sub(0x1016, 2, "Consumer Heartbeat Time 2", "0x0007", "rw", "0x00000000");
    var(0x1017, "Producer Heartbeat Time", "0x0006", "rw", "0x000003E8");
    s.Record(0x1018, 5, QStringLiteral("Identity Object"), "0x09");
    sub(0x1018, 0, "number of entries", "0x0005", "ro", "0x4");
    sub(0x1018, 1, "Vendor Id", "0x0007", "ro", "");
    sub(0x1018, 2, "Product Code", "0x0007", "ro", "");
    sub(0x1018, 3, "Revision number", "0x0007", "ro", "");
    sub(0x1018, 4, "Serial number", "0x0007", "ro", "");
    s.Record(0x1029, 2, QStringLiteral("Error Behaviour"), "0x08");
    sub(0x1029, 0, "Number of Entries", "0x0005", "ro", "1");
    sub(0x1029, 1, "Communication Error", "0x0005", "rw", "0x0");
    s.Record(0x1280, 4, QStringLiteral("Client SDO Parameter 1"), "0x09");
    sub(0x1280, 0, "Number of Entries", "0x0005", "ro", "0x03");
    sub(0x1280, 1, "COB-ID Client -> Server", "0x0007", "rw", "");
    sub(0x1280, 2, "COB-ID Server -> Client", "0x0007", "rw", "");
    // The next block follows this one without an empty line.
    sub(0x1280, 3, "Node ID of the SDO Server", "0x0005", "rw", "", false);
}

void PDO_Communication(TSheet &s, int object, const QString &name, int32_t cob_id)
{
    s.Record(object, 4, name, "0x09");
    s.Var(Sub_Section(object, 0), QStringLiteral("Number of Entries"), "0x0005", "ro", QStringLiteral("0x03"));
    s.Var(Sub_Section(object, 1), QStringLiteral("COB-ID"), "0x0007", "rw", QStringLiteral("0x") + H(cob_id, 8));
    s.Var(Sub_Section(object, 2), QStringLiteral("Transmission Type"), "0x0005", "rw", QStringLiteral("0xFE"));
    s.Var(Sub_Section(object, 3), QStringLiteral("Inhibit Time"), "0x0006", "rw", QStringLiteral("0x0"));
}

void PDO_Mapping(TSheet &s, int object, const QString &name, int dim, int application)
{
    s.Record(object, dim + 1, name, "0x09");
    s.Var(Sub_Section(object, 0), QStringLiteral("Number of Entries"), "0x0005", "ro", QStringLiteral("0x") + H(dim, 2));
    for (int k = 1; k <= dim; ++k)
        s.Var(Sub_Section(object, k), QStringLiteral("Mapping Entry ") + D(k), "0x0007", "ro",
              QStringLiteral("0x") + H(application, 4) + H(k, 2) + QStringLiteral("08"));
}

void PDO_Application(TSheet &s, int object, const QString &name, int dim, const char *var, const char *count_access,
                     const char *entry_access)
{
    s.Record(object, dim + 1, name, "0x08");
    s.Var(Sub_Section(object, 0), QStringLiteral("Number of Entries"), "0x0005", count_access,
          QStringLiteral("0x") + H(dim, 2));
    for (int k = 1; k <= dim; ++k)
        s.Var(Sub_Section(object, k), QLatin1String(var) + D(k), "0x0005", entry_access, QStringLiteral("0x00"), "1");
}

void PDO_Objects(TSheet &s)
{
    for (int i = 0; i < Nr_RPDO; ++i)
        PDO_Communication(s, 0x1400 + i, QStringLiteral("Receive PDO Communication Parameter ") + D(i + 1),
                          PDO_Table[size_t(i)].COB_ID);
    for (int i = 0; i < Nr_RPDO; ++i)
        PDO_Mapping(s, 0x1600 + i, QStringLiteral("Receive PDO Mapping Parameter"), PDO_Table[size_t(i)].Dimension,
                    0x7000 + i);
    for (int i = 0; i < Nr_TPDO; ++i)
        PDO_Communication(s, 0x1800 + i, QStringLiteral("Transmit PDO Communication Parameter ") + D(i + 1),
                          PDO_Table[size_t(Transmit_Base + i)].COB_ID);
    for (int i = 0; i < Nr_TPDO; ++i)
        PDO_Mapping(s, 0x1A00 + i, QStringLiteral("Transmit PDO Mapping Parameter ") + D(i + 1),
                    PDO_Table[size_t(Transmit_Base + i)].Dimension, 0x7050 + i);
    for (int i = 0; i < Nr_RPDO; ++i)
        PDO_Application(s, 0x7000 + i, QStringLiteral("RPDO") + D(i + 1), PDO_Table[size_t(i)].Dimension,
                        RPDO_Var_Names[i], "ro", "rww");
    for (int i = 0; i < Nr_TPDO; ++i)
        PDO_Application(s, 0x7050 + i, QStringLiteral("TPDO") + D(i + 1), PDO_Table[size_t(Transmit_Base + i)].Dimension,
                        TPDO_Var_Names[i], "rw", "rwr");
}

void App_Vars(TSheet &s)
{
    for (const SDO_Index &entry : SDO_Index_List) {
        if (entry.Sub_Indexs.empty())
            continue;
        const int m = int(entry.Sub_Indexs.size());
        const int s0 = entry.Sub_Indexs.front().Sub;
        s.Line(Section(entry.Index));
        s.Line(QStringLiteral("SubNumber=") + D(s0 == 0 ? m : m + 1));
        s.Line(QStringLiteral("ParameterName=App Vars"));
        s.Line(QStringLiteral("ObjectType=0x9"));
        s.Empty();
        if (s0 != 0) {
            for (const QString &line : {Sub_Section(entry.Index, 0), QStringLiteral("ParameterName=Largest Sub-Index supported"),
                                        QStringLiteral("ObjectType=0x7"), QStringLiteral("DataType=0x0005"),
                                        QStringLiteral("AccessType=ro"),
                                        QStringLiteral("DefaultValue=0x") + H(entry.Sub_Indexs.back().Sub, 2),
                                        QStringLiteral("PDOMapping=0"), QString()})
                s.Line(line);
        }
        for (const SDO_Sub_Type &sub : entry.Sub_Indexs) {
            s.Line(Sub_Section(entry.Index, sub.Sub));
            s.Line(QStringLiteral("ParameterName=Application Variable"));
            s.Line(QStringLiteral("ObjectType=0x7"));
            const char *const *lines;
            static const char *const u8[] = {"DataType=0x0005", "LowLimit=0x00", "HighLimit=0xFF", "DefaultValue=0x00"};
            static const char *const u16[] = {"DataType=0x0006", "LowLimit=0x0000", "HighLimit=0xFFFF",
                                              "DefaultValue=0x0000"};
            static const char *const u32[] = {"DataType=0x0007", "LowLimit=0x00000000", "HighLimit=0xFFFFFFFF",
                                              "DefaultValue=0x00000000"};
            lines = sub.Quantity == 1 ? u8 : sub.Quantity == 2 ? u16 : u32;
            for (int n = 0; n < 4; ++n)
                s.Line(QLatin1String(lines[n]));
            s.Line(sub.Readonly ? QStringLiteral("AccessType=ro") : QStringLiteral("AccessType=rw"));
            s.Line(QStringLiteral("PDOMapping=0"));
            s.Empty();
        }
    }
}

// The integer of an attribute the EDS needs, within lo..hi.
int Required_Int(const TXmlNode &row, const char *name, int lo, int hi, const QString &path)
{
    const QString text = row.Attribute(QLatin1String(name));
    int value = 0;
    if (!TryStrToInt(text, value) || value < lo || value > hi)
        throw EXmlError(QStringLiteral("%1: the %2 \"%3\" is not an integer between %4 and %5.")
                            .arg(path, QLatin1String(name), text)
                            .arg(lo)
                            .arg(hi)
                            .toStdString());
    return value;
}

TXmlNode Load_Root(TXmlDocument &doc, const QString &path)
{
    doc.LoadFromFile(path);
    const TXmlNode root = doc.DocumentElement();
    if (!root)
        throw EXmlError(QStringLiteral("%1 holds no element.").arg(path).toStdString());
    return root;
}

} // namespace

void Load_PDO_List()
{
    Nr_RPDO = 0;
    Nr_TPDO = 0;
    if (!File_Exists(Path_PDO_CANopen))
        return;
    TXmlDocument doc;
    const TXmlNode root = Load_Root(doc, Path_PDO_CANopen);
    const struct
    {
        const char *list;
        int base;
        int &count;
        int dimension_text;   // the editor's message for a Dimension out of its range
    } lists[] = {{"Receive_PDO", 0, Nr_RPDO, 3570}, {"Transmit_PDO", Transmit_Base, Nr_TPDO, 3581}};
    for (const auto &l : lists) {
        const std::vector<TXmlNode> rows = root.ChildRequired(QLatin1String(l.list)).Children();
        const int count = std::min(int(rows.size()), Max_PDOs);
        for (int i = 0; i < count; ++i) {
            PDO_Entry &entry = PDO_Table[size_t(l.base + i)];
            entry.COB_ID = StrToIntDef(rows[size_t(i)].Attribute(QStringLiteral("COB-ID")), 0);
            entry.Dimension = StrToIntDef(rows[size_t(i)].Attribute(QStringLiteral("Dimension")), 8);
            // The sheet has a sub-index per byte: only what the PDO editor accepts is written.
            if (entry.Dimension < 1 || entry.Dimension > Max_PDO_Dimension)
                throw EXmlError((Path_PDO_CANopen + QStringLiteral(": ") + Lang_Text(3568) + IntToStr(i + 1)
                                 + Lang_Text(l.dimension_text))
                                    .toStdString());
        }
        l.count = count;
    }
}

int Find_SDO_Index(uint16_t Index)
{
    for (size_t p = 0; p < SDO_Index_List.size(); ++p)
        if (SDO_Index_List[p].Index == Index)
            return int(p);
    return -1;
}

QStringList Load_SDO_Server_List()
{
    QStringList repeated;
    if (!File_Exists(Path_SDO_Server_CANopen))
        return repeated;
    TXmlDocument doc;
    const TXmlNode root = Load_Root(doc, Path_SDO_Server_CANopen);
    for (const char *list : {"SDO_Read", "SDO_Write"}) {
        const bool read_only = QLatin1String(list) == QLatin1String("SDO_Read");
        for (const TXmlNode &row : root.ChildRequired(QLatin1String(list)).Children()) {
            const auto index = uint16_t(Required_Int(row, "Index", 0, 0xFFFF, Path_SDO_Server_CANopen));
            const auto sub = uint8_t(Required_Int(row, "SubIndex", 0, 0xFF, Path_SDO_Server_CANopen));
            const int quantity = Required_Int(row, "NByte", INT_MIN, INT_MAX, Path_SDO_Server_CANopen);
            int p = Find_SDO_Index(index);
            if (p < 0) {
                SDO_Index_List.push_back({index, {}});
                p = int(SDO_Index_List.size()) - 1;
            }
            std::vector<SDO_Sub_Type> &subs = SDO_Index_List[size_t(p)].Sub_Indexs;
            // Two sections of one name would make the sheet invalid: the first row wins.
            if (std::any_of(subs.begin(), subs.end(), [sub](const SDO_Sub_Type &s) { return s.Sub == sub; })) {
                repeated.append(QStringLiteral("0x%1 sub-index %2").arg(H(index, 4)).arg(sub));
                continue;
            }
            subs.push_back({sub, quantity, read_only, QString()});
        }
    }
    return repeated;
}

void Sort_SDO_Sub_Indexs()
{
    for (SDO_Index &entry : SDO_Index_List)
        std::stable_sort(entry.Sub_Indexs.begin(), entry.Sub_Indexs.end(),
                         [](const SDO_Sub_Type &a, const SDO_Sub_Type &b) { return a.Sub < b.Sub; });
}

QString EDS_Time_Text(const QTime &time)
{
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QStringLiteral("%1:%2%3")
        .arg(hour, 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

QString EDS_Date_Text(const QDate &date)
{
    return QStringLiteral("%1-%2-%3")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year());
}

void Set_EDS_Clock(std::function<QDateTime()> clock) { Clock() = std::move(clock); }

QStringList Compose_CANopen_EDS(const QDateTime &now)
{
    SDO_Index_List.clear();
    Load_PDO_List();
    const QStringList repeated = Load_SDO_Server_List();
    Sort_SDO_Sub_Indexs();
    if (!repeated.isEmpty())
        MessageWarning(QStringLiteral("%1 is given more than once in %2: the first row describes it.")
                           .arg(repeated.join(QStringLiteral(", ")), Path_SDO_Server_CANopen));
    TSheet s;
    Info(s, EDS_Time_Text(now.time()), EDS_Date_Text(now.date()));
    Object_Lists(s);
    Fixed_Objects(s);
    PDO_Objects(s);
    App_Vars(s);
    s.Empty();
    return s.Lines();
}

void Build_CANopen_EDS(const QString &FileName)
{
    const QDateTime now = Clock() ? Clock()() : QDateTime::currentDateTime();
    const QStringList lines = Compose_CANopen_EDS(now);
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    Write_File_Atomic(FileName, Encode_Windows1252(text));
}
