#include "app/settings.h"

#include "app/comon.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/xml.h"

#include <QDir>

namespace {

const QString One = QStringLiteral("1");

void Set_Defaults()
{
    Project_Name.clear();
    Last_IP_Address = Default_IP_Address;
    Language_Name = Default_Language;
    Opt_Internet = Opt_Update_Check = Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = false;
}

// The text of root/group/name, or def when any level is missing. An element that exists
// with no text gives an empty value, not the default.
QString Child_Text(const TXmlNode &root, const char *group, const char *name, const QString &def)
{
    const TXmlNode g = root.Child(QLatin1String(group));
    if (!g)
        return def;
    const TXmlNode n = g.Child(QLatin1String(name));
    return n ? n.Text() : def;
}

bool Child_Flag(const TXmlNode &root, const char *name)
{
    return Child_Text(root, "lastinternet", name, QString()) == One;
}

} // namespace

QString Settings_File_Path()
{
    return Exe_Dir + QLatin1Char('/') + Settings_File_Name;
}

void Read_Settings(const QString &path)
{
    Set_Defaults();
    if (!File_Exists(path))
        return;
    TXmlDocument doc;
    try {
        doc.LoadFromFile(path);
    } catch (const EXmlError &e) {
        // The defaults of a missing file. Closing writes the file again, so a damaged one
        // is kept aside first: the engineer's values can still be recovered by hand.
        QString message = QString::fromUtf8(e.what());
        try {
            const QString kept = path + QStringLiteral(".damaged");
            Write_File_Atomic(kept, Read_File(path));
            message += QStringLiteral("\nThe file is kept as \"%1\".").arg(QDir::toNativeSeparators(kept));
        } catch (const EFileError &) {
            // Unreadable: nothing to keep.
        }
        MessageWarning(message + QStringLiteral("\nThe default settings are used."));
        return;
    }
    // The document element, whatever its name; a declaration or comment before it is skipped.
    const TXmlNode root = doc.DocumentElement();
    if (!root)
        return;
    Project_Name = Child_Text(root, "lastproj", "projectname", QString());
    Last_IP_Address = Child_Text(root, "lastipadd", "ipaddress", Default_IP_Address);
    Language_Name = Child_Text(root, "lastlang", "language", Default_Language);
    Opt_Internet = Child_Flag(root, "enable_internet");
    Opt_Update_Check = Child_Flag(root, "enable_update");
    Opt_Jump_Field_Tables = Child_Flag(root, "enable_jump_field_tables");
    Opt_Double_Click_Auto_Size = Child_Flag(root, "Double_Click_Auto_Size");
}

void Write_Settings(const QString &path)
{
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    TXmlDocument doc;
    TXmlNode root = doc.CreateRoot(QStringLiteral("Conf_Settings"));
    root.AddChild(QStringLiteral("lastproj")).AddTextChild(QStringLiteral("projectname"), Project_Name);
    root.AddChild(QStringLiteral("lastipadd")).AddTextChild(QStringLiteral("ipaddress"), Last_IP_Address);
    root.AddChild(QStringLiteral("lastlang")).AddTextChild(QStringLiteral("language"), Language_Name);
    TXmlNode internet = root.AddChild(QStringLiteral("lastinternet"));
    internet.AddTextChild(QStringLiteral("enable_internet"), flag(Opt_Internet));
    internet.AddTextChild(QStringLiteral("enable_update"), flag(Opt_Update_Check));
    internet.AddTextChild(QStringLiteral("enable_jump_field_tables"), flag(Opt_Jump_Field_Tables));
    internet.AddTextChild(QStringLiteral("Double_Click_Auto_Size"), flag(Opt_Double_Click_Auto_Size));
    doc.SaveToFile(path);
}
