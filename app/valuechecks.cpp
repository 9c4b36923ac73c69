#include "app/valuechecks.h"

#include "platform/locale.h"
#include "platform/rtl.h"
#include "platform/textcodec.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool In_Range(int value, int low, int high)
{
    return value >= low && value <= high;
}

// Splits S at its first "." into head and the trimmed rest; false when there is none.
bool Cut_At_Point(QString &s, QString &head)
{
    const int p = s.indexOf(QLatin1Char('.'));
    if (p < 0)
        return false;
    head = Trim(s.left(p));
    s = Trim(s.mid(p + 1));
    return true;
}

QStringList Trimmed_Parts(const QString &text, QChar sep)
{
    QStringList parts = text.split(sep);
    for (QString &part : parts)
        part = Trim(part);
    return parts;
}

} // namespace

bool Split_IP_Address(const QString &Text, QString &Part1, QString &Part2, QString &Part3,
                      QString &Part4)
{
    QString s = Trim(Text);
    if (!Cut_At_Point(s, Part1) || !Cut_At_Point(s, Part2) || !Cut_At_Point(s, Part3))
        return false;
    Part4 = s;
    for (const QString *part : {&Part1, &Part2, &Part3, &Part4})
        if (!In_Range(StrToIntDef(*part, 1000), 0, 255))
            return false;
    return true;
}

bool IP_Text_To_Bytes(const QString &Text, uint8_t &B1, uint8_t &B2, uint8_t &B3, uint8_t &B4)
{
    if (Text.isEmpty())
        return true;
    bool error = false;
    QString s = Text;
    uint8_t *bytes[4] = {&B1, &B2, &B3, &B4};
    for (int i = 0; i < 4; ++i) {
        const int p = s.indexOf(QLatin1Char('.'));
        const QString part = i == 3 ? s : (p >= 0 ? s.left(p) : QString());
        const int value = StrToIntDef(part, -1);
        if (In_Range(value, 0, 255)) {
            *bytes[i] = uint8_t(value);
        } else {
            *bytes[i] = 0;
            error = true;
        }
        if (p >= 0)
            s = s.mid(p + 1);
    }
    return error;
}

bool Split_IP_Port(const QString &Text, uint8_t &B1, uint8_t &B2, uint8_t &B3, uint8_t &B4,
                   uint16_t &Port)
{
    B1 = B2 = B3 = B4 = 0;
    Port = 0;
    QString s = Trim(Text);
    int bytes[4];
    QString part;
    for (int i = 0; i < 3; ++i) {
        if (!Cut_At_Point(s, part))
            return false;
        bytes[i] = StrToIntDef(part, -1);
        if (!In_Range(bytes[i], 0, 255))
            return false;
    }
    const int colon = s.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return false;
    bytes[3] = StrToIntDef(Trim(s.left(colon)), -1);
    const int port = StrToIntDef(Trim(s.mid(colon + 1)), -1);
    if (!In_Range(bytes[3], 0, 255) || !In_Range(port, 0, 65535))
        return false;
    B1 = uint8_t(bytes[0]);
    B2 = uint8_t(bytes[1]);
    B3 = uint8_t(bytes[2]);
    B4 = uint8_t(bytes[3]);
    Port = uint16_t(port);
    return true;
}

namespace {

class TDev_Probe : public ICOM_Port_Probe
{
public:
    QStringList Device_Names() override
    {
        return QDir(QStringLiteral("/dev")).entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    }
    int Open_Error(const QString &path) override
    {
        const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0)
            return errno;
        ::close(fd);
        return 0;
    }
};

ICOM_Port_Probe *com_probe = nullptr;

} // namespace

void Set_COM_Port_Probe(ICOM_Port_Probe *probe)
{
    com_probe = probe;
}

QStringList Get_COM_Port_List()
{
    static const QRegularExpression serial(QStringLiteral("^tty(S|USB|ACM)(\\d{1,6})$"));
    static const QStringList kinds = {QStringLiteral("S"), QStringLiteral("USB"), QStringLiteral("ACM")};
    TDev_Probe real;
    ICOM_Port_Probe &probe = com_probe ? *com_probe : real;
    QStringList result;
    try {
        struct Port { int kind; int number; QString path; };
        std::vector<Port> ports;
        for (const QString &name : probe.Device_Names()) {
            const QRegularExpressionMatch m = serial.match(name);
            if (m.hasMatch())
                ports.push_back({int(kinds.indexOf(m.captured(1))), m.captured(2).toInt(),
                                 QStringLiteral("/dev/") + name});
        }
        std::sort(ports.begin(), ports.end(), [](const Port &a, const Port &b) {
            return a.kind != b.kind ? a.kind < b.kind : a.number < b.number;
        });
        for (const Port &port : ports) {
            // Present: it opens, or another program holds it.
            const int err = probe.Open_Error(port.path);
            if (err == 0 || err == EACCES || err == EBUSY || err == EPERM)
                result.append(port.path);
        }
    } catch (...) {
        return {};
    }
    return result;
}

int Check_KNX_Address(const QString &Text, bool Group, bool AllowZero)
{
    const QChar separator = Group ? QLatin1Char('/') : QLatin1Char('.');
    const QChar foreign = Group ? QLatin1Char('.') : QLatin1Char('/');
    if (Text.contains(foreign))
        return 1;
    const QStringList parts = Trimmed_Parts(Text, separator);
    std::vector<int> v;
    for (const QString &part : parts)
        v.push_back(StrToIntDef(part, -1));
    switch (parts.size()) {
    case 1:
        return In_Range(StrToIntDef(Text, -1), 1, 65535) ? 0 : 1;
    case 2:
        // main/sub; a physical address needs all three parts.
        if (!Group)
            return 1;
        return In_Range(v[0], 0, 31) && In_Range(v[1], 0, 2047) && (v[0] || v[1]) ? 0 : 1;
    case 3:
        if (Group)
            return In_Range(v[0], 0, 31) && In_Range(v[1], 0, 7) && In_Range(v[2], 0, 255)
                           && (v[0] || v[1] || v[2])
                       ? 0 : 1;
        return In_Range(v[0], 0, 15) && In_Range(v[1], 0, 15) && In_Range(v[2], 0, 255)
                       && (AllowZero || v[0] || v[1] || v[2])
                   ? 0 : 1;
    default:
        return 1;
    }
}

bool No_Point(const QString &Text)
{
    return !Text.contains(QLatin1Char('.'));
}

int Check_OID(const QString &Text)
{
    if (Text.size() > 128)
        return 1;
    if (Text.isEmpty())
        return 2;
    for (const QChar c : Text)
        if (c != QLatin1Char('.') && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return 2;
    if (Text.startsWith(QLatin1Char('.')))
        return 3;
    if (Text.endsWith(QLatin1Char('.')))
        return 4;
    if (Text.contains(QLatin1String("..")))
        return 5;
    for (const QString &component : Text.split(QLatin1Char('.'))) {
        int64_t value = 0;
        if (!TryStrToInt64(component, value) || value > 4294967295LL)
            return 6;
    }
    return 0;
}

int SNMP_Security_Level_Code(const QString &Text)
{
    const QString level = Trim(UpperCase(Text));
    if (level.isEmpty())
        return -1;
    if (level == QLatin1String("AUTH NOPRIV"))
        return 1;
    if (level == QLatin1String("AUTH PRIV"))
        return 3;
    return 0;
}

QChar Get_Decimal_Separator()
{
    const QChar sep = DecimalSeparator();
    return sep == QLatin1Char(',') || sep == QLatin1Char('.') ? sep : QLatin1Char(',');
}

bool Text_To_Float(const QString &Text, QChar Separator, float &Value)
{
    QString s = Text;
    if (Separator == QLatin1Char('.'))
        s.replace(QLatin1Char(','), QLatin1Char('.'));
    else
        s.replace(QLatin1Char('.'), QLatin1Char(','));
    double value = 0;
    if (!TryStrToFloat(s, value)) {
        Value = 1;
        return false;
    }
    Value = float(value);
    return true;
}

namespace {

struct TCode_Name
{
    int code;
    const char *name;
};

const TCode_Name NodeId_Types[] = {{0, "Numeric"}, {3, "String"}, {4, "Guid"}, {5, "ByteString"}};
const char *const Data_Types[] = {"Boolean", "Int8", "UInt8", "Int16", "UInt16",
                                  "Int32", "UInt32", "Int64", "UInt64", "Float",
                                  "Double", "String", "DateTime", "Guid", "ByteString"};
const char *const Token_Types[] = {"Anonymous", "Username and Password", "Certificate"};
const char *const Security_Modes[] = {"None", "Sign", "Sign and Encrypt"};
const char *const Security_Policies[] = {"None", "Basic 128 RSA 15", "Basic 256",
                                         "Basic 256 SHA 256", "AES 128 SHA 256 RSA OAEP",
                                         "AES 256 SHA 256 RSA PSS"};

// Codes past the end of the list take its last name.
template <size_t N>
QString Name_Or_Last(const char *const (&names)[N], int code)
{
    return QLatin1String(names[code >= 0 && size_t(code) < N ? code : N - 1]);
}

// The index of an exact name; unknown names take the last code.
template <size_t N>
int Code_Or_Last(const char *const (&names)[N], const QString &name)
{
    for (size_t i = 0; i < N; ++i)
        if (name == QLatin1String(names[i]))
            return int(i);
    return int(N - 1);
}

QString Ansi_Text(const char *text)
{
    return text ? Decode_Windows1252(QByteArray(text)) : QString();
}

} // namespace

QString OPC_UA_NodeId_Type_Name(int Code)
{
    for (const TCode_Name &t : NodeId_Types)
        if (t.code == Code)
            return QLatin1String(t.name);
    return {};
}

QString OPC_UA_Data_Type_Name(int Code)
{
    return Code >= 0 && size_t(Code) < std::size(Data_Types) ? QLatin1String(Data_Types[Code]) : QString();
}

QString OPC_UA_Token_Type_Name(int Code) { return Name_Or_Last(Token_Types, Code); }
QString OPC_UA_Security_Mode_Name(int Code) { return Name_Or_Last(Security_Modes, Code); }
QString OPC_UA_Security_Policy_Name(int Code) { return Name_Or_Last(Security_Policies, Code); }

int OPC_UA_NodeId_Type_Code(const QString &Name)
{
    const QString upper = UpperCase(Name);
    for (const TCode_Name &t : NodeId_Types)
        if (upper == UpperCase(QLatin1String(t.name)))
            return t.code;
    return 0;
}

int OPC_UA_Token_Type_Code(const QString &Name) { return Code_Or_Last(Token_Types, Name); }
int OPC_UA_Security_Mode_Code(const QString &Name) { return Code_Or_Last(Security_Modes, Name); }
int OPC_UA_Security_Policy_Code(const QString &Name) { return Code_Or_Last(Security_Policies, Name); }

QString OPC_UA_NodeId_To_Text(const opcua_structure &Record)
{
    switch (Record.identifierType) {
    case 0:
        return QString::number(Record.numeric);
    case 3:
        return Ansi_Text(Record.stringname);
    case 4: {
        const auto hex = [](uint64_t v, int digits) { return IntToHex(v, digits); };
        QString tail;
        for (int i = 2; i < 8; ++i)
            tail += hex(Record.guide4[i], 2);
        return hex(Record.guide1, 8) + QLatin1Char('-') + hex(Record.guide2, 4) + QLatin1Char('-')
               + hex(Record.guide3, 4) + QLatin1Char('-') + hex(Record.guide4[0], 2)
               + hex(Record.guide4[1], 2) + QLatin1Char('-') + tail;
    }
    case 5:
        return Ansi_Text(reinterpret_cast<const char *>(Record.byteString));
    default:
        return {};
    }
}

int MBus_To_BACnet_Eng_Unit(int, int)
{
    return 95;
}

int Get_XML_Code_Dev()
{
    // This model defines no device code of its own for the scan window.
    return 0;
}

int Get_Scan_Form_Type()
{
    return 0;
}
