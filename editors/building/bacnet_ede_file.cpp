#include "editors/building/bacnet_ede_file.h"

#include "app/comon.h"
#include "app/pargen_keys.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/textcodec.h"
#include "platform/xml.h"

#include <map>

namespace {

std::function<QDateTime()> &Clock()
{
    static std::function<QDateTime()> clock;
    return clock;
}

QDateTime Now()
{
    return Clock() ? Clock()() : QDateTime::currentDateTime();
}

constexpr int Short_Name = 16;
constexpr int Long_Name = 32;

// What an EDE run reads of ParGen.xml.
struct TEDE_Settings
{
    QString Device_Instance;
    bool Long_Description = false;
};

QString Field_Text(const QString &text);

TEDE_Settings Read_EDE_Settings()
{
    TEDE_Settings s;
    const TParGen_Keys keys(Path_ParGen);
    const bool serial = keys.Int_Def(QStringLiteral("BACnet_Type"), 0) == 1;
    keys.Text(QLatin1String(serial ? "BACnet_Ser_DEV_IDE" : "BACnet_DEV_IDE"), s.Device_Instance);
    s.Device_Instance = Field_Text(s.Device_Instance);
    QString limit;
    s.Long_Description = keys.Text(QStringLiteral("BACnet_Desc_Chars_Limit"), limit) && limit == QLatin1String("1");
    return s;
}

// A text of the project put into one field: a ";" would add a field and a line break would
// split the object's line, misaligning every reader.
QString Field_Text(const QString &text)
{
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    out.replace(QLatin1Char(';'), QLatin1Char(','));
    return out;
}

std::vector<TBACnet_EDE_Obj> Read_BACnet_Slave_Objects(const TEDE_Settings &settings)
{
    std::vector<TBACnet_EDE_Obj> objects;
    if (!File_Exists(Path_BACnet_Slave_SetAccess))
        return objects;
    TXmlDocument doc;
    doc.LoadFromFile(Path_BACnet_Slave_SetAccess);
    const TXmlNode root = doc.DocumentElement();
    if (!root)
        return objects;
    std::map<int, int> next_instance;   // per object type, from 0
    for (const char *list_name : {"BACnet_in_Read", "BACnet_in_Write"}) {
        const TXmlNode list = root.Child(QLatin1String(list_name));
        if (!list)
            continue;   // a missing list counts as empty
        for (const TXmlNode &row : list.Children()) {
            const int type = BACnet_Object_Type_Code(row.Attribute(QStringLiteral("Data_Type")));
            const QString unit = row.Attribute(QStringLiteral("Eng_Unit"));
            const QString mnemonic = row.Attribute(QStringLiteral("Mnemonic"));
            TBACnet_EDE_Obj obj;
            obj.DevObjInstance = settings.Device_Instance;
            obj.ObjectName = Field_Text(mnemonic.left(settings.Long_Description ? Long_Name : Short_Name));
            obj.ObjectType = IntToStr(type);
            obj.ObjectInstance = IntToStr(next_instance[type]++);
            obj.Keyname = settings.Device_Instance + QLatin1Char('_') + Field_Text(mnemonic) + QLatin1Char('_')
                          + obj.ObjectInstance;
            obj.Description = obj.ObjectName;
            obj.UnitCode = Field_Text(unit);
            objects.push_back(std::move(obj));
        }
    }
    return objects;
}

} // namespace

int BACnet_Object_Type_Code(const QString &data_type)
{
    static const std::map<QString, int> codes = {
        {"ANALOG INPUT", 0},           {"ANALOG OUT", 1},
        {"ANALOG VALUE", 2},           {"BINARY INPUT", 3},
        {"BINARY OUT", 4},             {"BINARY VALUE", 5},
        {"MULTI STATE INPUT", 13},     {"MULTI STATE OUTPUT", 14},
        {"MULTI STATE VALUE", 19},     {"LIFE SAFETY POINT", 21},
        {"LIFE SAFETY ZONE", 22},      {"ACCUMULATOR", 23},
        {"ACCESS DOOR", 30},           {"CHARACTERSTRING VALUE", 40},
        {"DATETIME VALUE", 44},        {"INTEGER VALUE", 45},
        {"LARGE ANALOG VALUE", 46},    {"POSITIVE INTEGER VALUE", 48},
    };
    const auto it = codes.find(UpperCase(Trim(data_type)));
    return it == codes.end() ? 0 : it->second;
}

QString Time_Stamp_Text(const QDateTime &now)
{
    return now.toString(QStringLiteral("hh:mm:ss dd/MM/yyyy"));
}

void Set_EDE_Clock(std::function<QDateTime()> clock)
{
    Clock() = std::move(clock);
}

QStringList EDE_Lines(const std::vector<TBACnet_EDE_Obj> &objects, const QDateTime &now)
{
    QStringList lines;
    lines.reserve(qsizetype(objects.size()) + 7);
    lines << QStringLiteral("PROJECT_NAME; Qelvar--") + Project_Name + QStringLiteral(";;;;;;")
          << QStringLiteral("VERSION_OF_REFERENCEFILE;1.0;;;;;;")
          << QStringLiteral("TIMESTAMP_OF_LAST_CHANGE;") + Time_Stamp_Text(now) + QStringLiteral(";;;;;;")
          << QStringLiteral("AUTHOR_OF_LAST_CHANGE;Qelvar;;;;;;") << QStringLiteral("VERSION_OF_LAYOUT;2;;;;;;")
          << QStringLiteral("# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;")
          << QStringLiteral(
                 "# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;");
    for (const TBACnet_EDE_Obj &o : objects)
        lines << QStringList{o.Keyname,        o.DevObjInstance, o.ObjectName, o.ObjectType,
                             o.ObjectInstance, o.Description,    o.UnitCode}
                         .join(QLatin1Char(';'))
                     + QLatin1Char(';');
    return lines;
}

void Build_EDE_File(const QString &FileName)
{
    const TEDE_Settings settings = Read_EDE_Settings();
    const std::vector<TBACnet_EDE_Obj> objects = Read_BACnet_Slave_Objects(settings);
    const QStringList lines = EDE_Lines(objects, Now());
    Write_File_Atomic(FileName, Encode_Windows1252(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

void Create_EDE_File(const QString &FileName)
{
    try {
        Build_EDE_File(FileName);
    } catch (const std::exception &e) {
        MessageError(QString::fromUtf8(e.what()));
    }
}
