#include "app/settings.h"
#include "platform/xml.h"
#include "shell_fixture.h"

namespace {

class SettingsTest : public ShellTest
{
protected:
    QString File() const { return Settings_File_Path(); }
    void Expect_Defaults() const
    {
        EXPECT_EQ(Project_Name, QString());
        EXPECT_EQ(Last_IP_Address, QStringLiteral("192.168.2.205"));
        EXPECT_EQ(Language_Name, QStringLiteral("English"));
        EXPECT_FALSE(Opt_Internet || Opt_Update_Check || Opt_Jump_Field_Tables || Opt_Double_Click_Auto_Size);
    }
};

const char Full[] =
    "<Conf_Settings><lastproj><projectname>Plant A</projectname></lastproj>"
    "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd>"
    "<lastlang><language>Deutsch</language></lastlang>"
    "<lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update>"
    "<enable_jump_field_tables>1</enable_jump_field_tables>"
    "<Double_Click_Auto_Size>1</Double_Click_Auto_Size></lastinternet></Conf_Settings>";

TEST_F(SettingsTest, WrittenLayout)
{
    Project_Name = QStringLiteral("Plant A");
    Last_IP_Address = QStringLiteral("10.0.0.7");
    Language_Name = QStringLiteral("Deutsch");
    Opt_Internet = true;
    Opt_Jump_Field_Tables = true;
    Write_Settings(File());
    const QByteArray bytes = Read_File(File());
    EXPECT_FALSE(bytes.startsWith("<?xml"));
    TXmlDocument doc;
    doc.LoadFromFile(File());
    const TXmlNode root = doc.DocumentElement();
    EXPECT_EQ(root.Name(), QStringLiteral("Conf_Settings"));
    QStringList layout;
    for (const TXmlNode &group : root.Children())
        for (const TXmlNode &value : group.Children())
            layout << group.Name() + QLatin1Char('/') + value.Name() + QLatin1Char('=') + value.Text();
    EXPECT_EQ(layout, QStringList({"lastproj/projectname=Plant A", "lastipadd/ipaddress=10.0.0.7",
                                   "lastlang/language=Deutsch", "lastinternet/enable_internet=1",
                                   "lastinternet/enable_update=0",
                                   "lastinternet/enable_jump_field_tables=1",
                                   "lastinternet/Double_Click_Auto_Size=0"}));
}

TEST_F(SettingsTest, RoundTrip)
{
    const QString file = File();
    Write(file, Full);
    Read_Settings(file);
    Write_Settings(file);
    Reset_Program_State();
    Read_Settings(file);
    EXPECT_EQ(Project_Name, QStringLiteral("Plant A"));
    EXPECT_EQ(Last_IP_Address, QStringLiteral("10.0.0.7"));
    EXPECT_EQ(Language_Name, QStringLiteral("Deutsch"));
    EXPECT_TRUE(Opt_Internet && Opt_Update_Check && Opt_Jump_Field_Tables && Opt_Double_Click_Auto_Size);
}

// A settings file and the values it must give.
struct ReadCase
{
    const char *name;
    QByteArray xml;
    QString project, ip, language;
    bool internet, update, jump, autosize;
};

TEST_F(SettingsTest, ReadingRules)
{
    const QString ip = QStringLiteral("192.168.2.205"), en = QStringLiteral("English");
    const ReadCase cases[] = {
        {"full file", Full, "Plant A", "10.0.0.7", "Deutsch", true, true, true, true},
        {"root of another name", QByteArray(Full).replace("Conf_Settings", "Other"),
         "Plant A", "10.0.0.7", "Deutsch", true, true, true, true},
        {"declaration and comment before the root",
         QByteArray("<?xml version=\"1.0\"?>\n<!-- kept by hand -->\n") + Full,
         "Plant A", "10.0.0.7", "Deutsch", true, true, true, true},
        {"only 1 turns an option on",
         "<C><lastinternet><enable_internet>yes</enable_internet><enable_update>1 </enable_update>"
         "<enable_jump_field_tables>1</enable_jump_field_tables><Double_Click_Auto_Size>true"
         "</Double_Click_Auto_Size></lastinternet></C>",
         "", ip, en, false, false, true, false},
        {"no lastinternet turns all four off, the rest is read",
         "<C><lastproj><projectname>P</projectname></lastproj><lastlang><language>Italiano</language></lastlang></C>",
         "P", ip, "Italiano", false, false, false, false},
        {"empty element gives empty value", "<C><lastipadd><ipaddress/></lastipadd></C>", "", "", en,
         false, false, false, false},
        {"element names are matched exactly", "<C><LastIpAdd><ipaddress>1.2.3.4</ipaddress></LastIpAdd></C>",
         "", ip, en, false, false, false, false},
        {"not well-formed", "<Conf_Settings><lastproj><projectname>P</lastproj>", "", ip, en,
         false, false, false, false},
        {"empty file", "", "", ip, en, false, false, false, false},
        {"binary garbage", QByteArray("\x00\xFF\xFE<<", 5), "", ip, en, false, false, false, false},
    };
    for (const ReadCase &c : cases) {
        Write(File(), c.xml);
        Project_Name = QStringLiteral("stale");
        Opt_Internet = true;
        Read_Settings(File());
        EXPECT_EQ(Project_Name, c.project) << c.name;
        EXPECT_EQ(Last_IP_Address, c.ip) << c.name;
        EXPECT_EQ(Language_Name, c.language) << c.name;
        EXPECT_EQ(Opt_Internet, c.internet) << c.name;
        EXPECT_EQ(Opt_Update_Check, c.update) << c.name;
        EXPECT_EQ(Opt_Jump_Field_Tables, c.jump) << c.name;
        EXPECT_EQ(Opt_Double_Click_Auto_Size, c.autosize) << c.name;
    }
}

TEST_F(SettingsTest, MissingOrUnreadableFileGivesDefaults)
{
    Project_Name = QStringLiteral("stale");
    Read_Settings(File());
    Expect_Defaults();
    QDir().mkdir(File());   // a folder where the file should be
    Project_Name = QStringLiteral("stale");
    Read_Settings(File());
    Expect_Defaults();
}

TEST_F(SettingsTest, DamagedFileIsReportedAndKeptAside)
{
    const QByteArray damaged = "<Conf_Settings><lastproj><projectname>Plant A</lastproj>";
    Write(File(), damaged);
    Read_Settings(File());
    Expect_Defaults();
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Warning);
    const QString text = Guard.Fake.LastText();
    EXPECT_TRUE(text.contains(QStringLiteral("is not a valid XML document"))) << text.toStdString();
    EXPECT_TRUE(text.contains(File() + QStringLiteral(".damaged"))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("The default settings are used."))) << text.toStdString();
    // Closing rewrites the file; the engineer's values survive in the copy.
    Write_Settings(File());
    EXPECT_EQ(Read_File(File() + QStringLiteral(".damaged")), damaged);

    // A file that cannot be read at all is reported too, with nothing to keep.
    Guard.Fake.Calls.clear();
    QFile::remove(File());
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), File()));
    Read_Settings(File());
    Expect_Defaults();
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_TRUE(Guard.Fake.LastText().startsWith(QStringLiteral("Cannot read file"))) << Guard.Fake.LastText().toStdString();

    // A missing file is the normal first run: no message.
    Guard.Fake.Calls.clear();
    QFile::remove(File());
    Read_Settings(File());
    EXPECT_TRUE(Guard.Fake.Calls.empty());
}

TEST_F(SettingsTest, WriteFailureIsReported)
{
    QDir().mkdir(File());
    EXPECT_THROW(Write_Settings(File()), EXmlError);
}

} // namespace
