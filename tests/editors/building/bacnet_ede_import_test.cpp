// Reading EDE files and the import dialog.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/bacnet_ede_reader.h"
#include "editors/building/importedefile.h"
#include "grid/string/dazcolumngrid.h"

#include <QLabel>
#include <QLineEdit>

namespace {

QStringList Names(const std::vector<TBACnet_Var> &objects)
{
    QStringList names;
    for (const TBACnet_Var &v : objects)
        names << v.object_name;
    return names;
}

} // namespace

TEST(EDEReader, PublishedTemplateLayout)
{
    const std::vector<TBACnet_Var> objects = Load_EDE_File(Building_Data("ede_template.csv"));
    EXPECT_EQ(Names(objects), QStringList({"Flow temp", "Set point", "Pump", "Mode"}));
    ASSERT_EQ(objects.size(), 4u);
    const TBACnet_Var &t = objects[0];
    EXPECT_EQ(t.keyname, "Boiler.T1");
    EXPECT_EQ(t.device_obj_instance, 1200);
    EXPECT_EQ(t.object_type, 0);
    EXPECT_EQ(t.object_instance, 1);
    EXPECT_EQ(t.description, QString::fromUtf8("Température départ"));   // Windows-1252
    EXPECT_EQ(t.max_present_value, "120");
    EXPECT_FALSE(t.commandable);
    EXPECT_TRUE(t.support_COV);
    EXPECT_EQ(t.unit_code, "62");
    EXPECT_EQ(t.vendor_specific_address, "AI:1");
    EXPECT_TRUE(t.import && t.read && !t.write);
    EXPECT_TRUE(objects[1].commandable);   // "y"
    EXPECT_TRUE(objects[1].write);
    EXPECT_EQ(objects[2].vendor_specific_address, "DO;3;extra");
    EXPECT_EQ(objects[3].object_type, 19);
    EXPECT_EQ(objects[3].stete_text_reference, "7");
    // Its last field has no ";" after it: empty, and the text left is the address.
    EXPECT_EQ(objects[3].unit_code, "");
    EXPECT_EQ(objects[3].vendor_specific_address, "95");
}

// Each field is ended by its ";": a text after the last one is no field but the address.
TEST(EDEReader, FieldsEndAtTheirSemicolon)
{
    const QStringList head = {"#mandatory", "# keyname;..."};
    struct Case { const char *line; int instance; const char *unit; const char *address; };
    const Case cases[] = {
        {"k;1;name;0;5", -1, "", "5"},
        {"k;1;name;0;5;", 5, "", ""},
        {"k;1;name;0;5;d;;;;N;N;;;;62;", 5, "62", ""},
        {"k;1;name;0;5;d;;;;N;N;;;;62;AI:1;", 5, "62", "AI:1"},
        {"k;1;name;0;5;d;;;;N;N;;;;62", 5, "", "62"},
    };
    for (const Case &c : cases) {
        const std::vector<TBACnet_Var> v = EDE_Objects(head + QStringList{QLatin1String(c.line)});
        ASSERT_EQ(v.size(), 1u) << c.line;
        EXPECT_EQ(v[0].object_name, "name") << c.line;
        EXPECT_EQ(v[0].object_instance, c.instance) << c.line;
        EXPECT_EQ(v[0].unit_code, QLatin1String(c.unit)) << c.line;
        EXPECT_EQ(v[0].vendor_specific_address, QLatin1String(c.address)) << c.line;
    }
}

// Without a byte-order mark: valid UTF-8 is read as UTF-8, anything else as Windows-1252.
TEST_F(BuildingTest, EDEReaderTakesUnmarkedUtf8)
{
    const QByteArray head = "#mandatory\r\n# keyname;device;name;type;instance;description;\r\n";
    struct Case { QByteArray bytes; QString description; };
    const Case cases[] = {
        {head + "k;1;A;3;1;St\xC3\xB6rung 1\xE2\x82\xAC;\r\n", QString::fromUtf8("St\u00F6rung 1\u20AC")},
        {head + "k;1;A;3;1;St\xF6rung \x80;\r\n", QString::fromUtf8("St\u00F6rung \u20AC")},
        {"\xEF\xBB\xBF" + head + "k;1;A;3;1;St\xC3\xB6rung;\r\n", QString::fromUtf8("St\u00F6rung")},
        {head + "k;1;A;3;1;Plain;\r\n", QStringLiteral("Plain")},
    };
    for (const Case &c : cases) {
        const QString path = In_Temp("utf8.csv");
        Write(path, c.bytes);
        const std::vector<TBACnet_Var> objects = Load_EDE_File(path);
        ASSERT_EQ(objects.size(), 1u);
        EXPECT_EQ(objects[0].description, c.description);
    }
}

TEST(EDEReader, OwnFilesAndWhereTheDataBegin)
{
    // The gateway's own file: seven fields, the unit code in present_value_default.
    const std::vector<TBACnet_Var> own = Load_EDE_File(Building_Data("ede_gateway.csv"));
    EXPECT_EQ(Names(own), QStringList({"Room temperature", "Humidity", "Set point", "Alarm", "Mode",
                                       "Heating set poin", "Fan"}));
    ASSERT_EQ(own.size(), 7u);
    EXPECT_EQ(own[0].keyname, "1234_Room temperature_0");
    EXPECT_EQ(own[0].present_value_default, "62");
    EXPECT_EQ(own[4].object_type, 19);
    for (const TBACnet_Var &v : own)
        EXPECT_FALSE(v.commandable || v.write);

    struct Case { QStringList lines; int start; };
    const Case cases[] = {
        {{"a", "b"}, -1},
        {{"a", "b", "c", "d", "e", "f", "#  mandatory;x"}, 8},
        {{"#mandatory", "x", "y", "  # mandatory;", "k", "d"}, 5},
        {{"a", "b", "c", "d", "e", "f", "g", "h"}, -1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(EDE_Data_Start(c.lines), c.start) << c.lines.join('|').toStdString();
    EXPECT_TRUE(EDE_Objects({"x"}).empty());
}

TEST_F(BuildingTest, EDEReaderDecodesUtf16ByItsMark)
{
    QString text = QString::fromLatin1(Read_Bytes(Building_Data("ede_template.csv")));
    text.replace("Boiler", QString::fromUtf8("Kessel\u00DF\u20AC"));
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text)
        bytes.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    const QString path = In_Temp("utf16.csv");
    Write(path, bytes);
    const std::vector<TBACnet_Var> objects = Load_EDE_File(path);
    ASSERT_EQ(objects.size(), 4u);
    EXPECT_EQ(objects[0].keyname, QString::fromUtf8("Kessel\u00DF\u20AC.T1"));
}

namespace {

class ImportEDETest : public BuildingTest
{
protected:
    void SetUp() override
    {
        BuildingTest::SetUp();
        Form = std::make_unique<TFImportEDEFile>();
    }
    void Show(const QString &file)
    {
        Form->EDE_File = file;
        Form->FormShow();
    }
    std::unique_ptr<TFImportEDEFile> Form;
};

} // namespace

TEST_F(ImportEDETest, LayoutAndRows)
{
    EXPECT_EQ(Form->size(), QSize(863, 337));
    EXPECT_EQ(Form->windowTitle(), "Import BACnet EDE File");
    EXPECT_EQ(Form->ACG->AllColCount(), 9);
    EXPECT_EQ(Form->ACG->Columns().Items(8)->Header(), "Commandable");
    EXPECT_EQ(Form->LID_IP->text(), "ID or IP address of the BACnet device");
    EXPECT_EQ(Form->Btn_Unselect_All->Caption(), "Unselect All");

    Show(Building_Data("ede_template.csv"));
    EXPECT_EQ(Form->ACG->RowCount(), 5);
    EXPECT_EQ(Row(Form->ACG, 3), QStringList({"3", "Y", "Y", "Y", "Pump", "4", "3", "Pump command", "Y"}));
    EXPECT_EQ(Row(Form->ACG, 1), QStringList({"1", "Y", "Y", "N", "Flow temp", "0", "1",
                                             QString::fromUtf8("Température départ"), "N"}));
    // A second showing lists only the second file's objects; a file without objects one blank row.
    Show(Building_Data("ede_gateway.csv"));
    EXPECT_EQ(Form->List_EDE_Var.size(), 7u);
    EXPECT_EQ(Form->ACG->RowCount(), 8);
    Show(Building_Data("gsd_missing.gsd"));
    EXPECT_TRUE(Form->List_EDE_Var.empty());
    EXPECT_EQ(Form->ACG->RowCount(), 2);
    EXPECT_EQ(Row(Form->ACG, 1), QStringList({"1", "", "", "", "", "", "", "", ""}));
}

TEST_F(ImportEDETest, ChoicesAndAddress)
{
    Show(Building_Data("ede_gateway.csv"));
    // Write on an object that is not commandable is refused.
    Form->ACG->SetCellEx(IE_Write, 3, "Y");
    Form->ACGCheckBoxClick(Form->ACG, IE_Write, 3, true);
    EXPECT_EQ(Guard.Fake.LastText(), "Error line 3!! The Variable is only in read");
    EXPECT_EQ(Form->ACG->GetCellEx(IE_Write, 3), "N");
    EXPECT_FALSE(Form->List_EDE_Var[2].write);
    Form->ACGCheckBoxClick(Form->ACG, IE_Read, 2, false);
    EXPECT_FALSE(Form->List_EDE_Var[1].read);

    Form->Btn_Unselect_AllClick();
    for (int r = 1; r <= 7; ++r)
        EXPECT_EQ(Form->ACG->GetCellEx(IE_Import, r), "N");
    for (const TBACnet_Var &v : Form->List_EDE_Var)
        EXPECT_FALSE(v.import);
    Form->Btn_Select_AllClick();
    EXPECT_TRUE(Form->List_EDE_Var[6].import);

    struct Case { int type; const char *address; bool ok; const char *text; };
    const Case cases[] = {
        {0, "192.168.1.300", false, "Error!! IP Address is not correct"},
        {0, "", false, "Error!! IP Address is not correct"},
        {0, "192.168.1.30", true, ""},
        {1, "255", false, "Error!! Slave ID must be between 0 and 254"},
        {1, "x", false, "Error!! Slave ID must be between 0 and 254"},
        {1, "254", true, ""},
        {2, "anything", true, ""},
    };
    for (const Case &c : cases) {
        Guard.Fake.Calls.clear();
        Form->setResult(0);
        Form->App_BACnet_Type = c.type;
        Form->E_ID_IP->setText(c.address);
        Form->Btn_OKClick();
        EXPECT_EQ(Form->result(), c.ok ? mrOk : 0) << c.address;
        EXPECT_EQ(Guard.Fake.LastText(), QLatin1String(c.text));
    }
    // The address stays for the next showing.
    Show(Building_Data("ede_template.csv"));
    EXPECT_EQ(Form->E_ID_IP->text(), "anything");
}
