// The PROFINET file-name dialog and the GSDML writer.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/profinetfilename.h"
#include "editors/building/profinetxml.h"
#include "platform/xml.h"

#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

QStringList Lines_Of(const QByteArray &bytes)
{
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

// The document without its byte-order mark parses.
bool Well_Formed(const QByteArray &bytes)
{
    TXmlDocument doc;
    try {
        doc.LoadFromString(QString::fromUtf8(bytes.mid(3)));
    } catch (const EXmlError &) {
        return false;
    }
    return doc.DocumentElement().Name() == "ISO15745Profile";
}

} // namespace

TEST_F(BuildingTest, FileNameDialogComposesTheNameFromItsThreeParts)
{
    TFProfinetFileName dlg(nullptr, QDate(2026, 3, 7));
    EXPECT_EQ(dlg.size(), QSize(540, 205));
    EXPECT_EQ(dlg.windowTitle(), "PROFINET XML File Name");
    EXPECT_EQ(dlg.L_SW_Code->text(), "CF41R08");
    EXPECT_EQ(dlg.L_SW_Desc->text(), "Create the PROFINET XML GSD File");
    EXPECT_EQ(dlg.L_Select_Name->text(), "Select the PROFINET XML File Name");
    EXPECT_EQ(dlg.L_FixPart_1->text(), "Fixed Part");
    EXPECT_EQ(dlg.L_UsedPart->text(), "User Part");
    EXPECT_EQ(dlg.L_FixPart_2->text(), "Fixed Part");
    EXPECT_EQ(dlg.Btn_OK->Caption(), "OK");
    EXPECT_EQ(dlg.Btn_Cancel->Caption(), "Cancel");
    EXPECT_EQ(dlg.Btn_Cancel->ModalResult(), mrCancel);
    EXPECT_EQ(dlg.L_XML_Fix1->text(), "GSDML-V2.25-Qelvar-");
    EXPECT_EQ(dlg.L_XML_Fix2->text(), "-20260307.xml");
    EXPECT_EQ(dlg.L_XML_Fix1->x(), 16);
    EXPECT_EQ(dlg.E_XML_User->x(), 179);
    EXPECT_EQ(dlg.E_XML_User->width(), 267);
    EXPECT_EQ(dlg.L_XML_Fix2->x(), 447);

    struct Case { const char *user; const char *name; };
    const Case cases[] = {
        {"", "GSDML-V2.25-Qelvar--20260307.xml"},
        {"   ", "GSDML-V2.25-Qelvar--20260307.xml"},
        {"_Line1", "GSDML-V2.25-Qelvar-_Line1-20260307.xml"},
        {"Line1", "GSDML-V2.25-Qelvar-_Line1-20260307.xml"},
        {" Line 1 ", "GSDML-V2.25-Qelvar-_ Line 1 -20260307.xml"},
    };
    for (const Case &c : cases) {
        dlg.setResult(0);
        dlg.E_XML_User->setText(c.user);
        dlg.Btn_OK_Click();
        EXPECT_EQ(dlg.Name_File_XML, c.name) << c.user;
        EXPECT_EQ(dlg.result(), mrOk);
    }
    // The user part stays between showings; the date part keeps the creation date.
    dlg.show();
    dlg.hide();
    EXPECT_EQ(dlg.E_XML_User->text(), " Line 1 ");
    EXPECT_EQ(dlg.L_XML_Fix2->text(), "-20260307.xml");
}

// The composed name must never place the file outside the chosen folder.
TEST_F(BuildingTest, FileNameDialogRefusesUserPartsNoFileNameMayHold)
{
    TFProfinetFileName dlg(nullptr, QDate(2026, 3, 7));
    dlg.Name_File_XML = "before";
    struct Case { QString user; QString shown; };
    const Case cases[] = {
        {"../up", "\"..\""}, {"a/b", "\"/\""}, {"a\\b", "\"\\\""}, {"x..y", "\"..\""},
        {"tab\there", "#9"}, {"c:d", "\":\""}, {"q?", "\"?\""}, {"s*", "\"*\""}, {"p|", "\"|\""},
        {"<a>", "\"<\""}, {"\"q\"", "\"\"\""},
    };
    for (const Case &c : cases) {
        Guard.Fake.Calls.clear();
        dlg.setResult(0);
        dlg.E_XML_User->setText(c.user);
        dlg.Btn_OK_Click();
        EXPECT_EQ(dlg.Name_File_XML, "before") << c.user.toStdString();
        EXPECT_EQ(dlg.result(), 0);
        ASSERT_EQ(Guard.Fake.Texts().size(), 1);
        EXPECT_EQ(Guard.Fake.LastText(), "The user part may not hold " + c.shown + ".");
    }
    EXPECT_EQ(Bad_File_Name_Part("Line_1.v2-a"), "");
}

TEST_F(BuildingTest, GsdmlSaveDialogChoosesOnlyTheFolder)
{
    const QString name = "GSDML-V2.25-Qelvar-_A-20260307.xml";
    const QString other = In_Temp("elsewhere");
    ASSERT_TRUE(Force_Dir(other));
    Guard.Fake.FileAnswers.push_back(other + "/typed-by-hand.xml");
    Create_GSDML_File(name);
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Guard.Fake.Calls[0].dir, Project_Path + "/" + name);
    EXPECT_EQ(Guard.Fake.Calls[0].filter, "PROFINET XML (*.xml) (" + name + ")");
    EXPECT_TRUE(File_Exists(other + "/" + name));
    EXPECT_FALSE(File_Exists(other + "/typed-by-hand.xml"));

    // Cancel: nothing; an existing file only after Yes.
    Guard.Fake.Calls.clear();
    Create_GSDML_File(name);
    EXPECT_EQ(Guard.Fake.Texts(), QStringList{});
    Write(other + "/" + name, "old");
    Guard.Fake.FileAnswers.push_back(other + "/x.xml");
    Guard.Fake.Answers.push_back(TMsgResult::No);
    Create_GSDML_File(name);
    EXPECT_EQ(Guard.Fake.LastText(), "File already exists! Do you want to overwrite the file?");
    EXPECT_EQ(Read_Bytes(other + "/" + name), "old");
    Guard.Fake.FileAnswers.push_back(other + "/x.xml");
    Guard.Fake.Answers.push_back(TMsgResult::Yes);
    Create_GSDML_File(name);
    EXPECT_TRUE(Read_Bytes(other + "/" + name).startsWith("\xEF\xBB\xBF<?xml"));
}

TEST_F(BuildingTest, GsdmlTextMatchesTheGoldenFiles)
{
    struct Case { const char *golden; bool parGen; std::vector<std::pair<QString, QString>> keys; };
    const Case cases[] = {
        {"gsdml_defaults.xml", false, {}},
        {"gsdml_defaults.xml", true, {{"PROFINET_NB_IN", "x"}, {"PROFINET_NB_OUT", ""}, {"PROFINET_NAME_STA", "  "}}},
        {"gsdml_200_100.xml", true, {{"PROFINET_NB_OUT", "200"}, {"PROFINET_NB_IN", "100"}, {"PROFINET_NAME_STA", "pn-gw-1"}}},
    };
    for (const Case &c : cases) {
        if (c.parGen)
            Write_ParGen(c.keys);
        const QString out = Project_Path + "/out.xml";
        Write_GSDML_File(out);
        const QByteArray bytes = Read_Bytes(out);
        EXPECT_EQ(bytes, Read_Bytes(Building_Data(c.golden))) << c.golden;
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
        EXPECT_EQ(Lines_Of(bytes.mid(3)).size(), 167);
        EXPECT_TRUE(Well_Formed(bytes)) << c.golden;
    }
}

TEST_F(BuildingTest, GsdmlDynamicLinesCarryTheLengthsAndTheStationName)
{
    TProfinet_Param p;
    p.NB_Out = 200;
    p.NB_In = 100;
    p.Name_Station = "station-a";
    const QStringList lines = Build_GSDML_Lines(p);
    ASSERT_EQ(lines.size(), 167);
    EXPECT_TRUE(lines[25].startsWith("\t\t\t  <DeviceAccessPointItem PNIO_Version=\"V2.3\""));
    EXPECT_EQ(lines[25].count("\"station-a\""), 2);
    EXPECT_TRUE(lines[25].endsWith("CheckDeviceID_Allowed=\"false\" NameOfStationNotTransferable=\"true\">"));
    EXPECT_EQ(lines[75], "   \t\t\t  \t\t     <Input> <DataItem DataType=\"OctetString\" Length=\"200\" TextId=\"IDT_Input_1\"/> </Input>");
    EXPECT_EQ(lines[76], "\t\t\t  \t\t     <Output><DataItem DataType=\"OctetString\" Length=\"100\" TextId=\"IDT_Output_1\"/></Output>");
    EXPECT_EQ(lines[38], "\t\t\t\t\t<IOConfigData MaxInputLength=\"1440\" MaxOutputLength=\"1440\" MaxDataLength=\"2880\"/>");
    EXPECT_EQ(lines[16], "\t\t<DeviceIdentity VendorID=\"0x1111\" DeviceID=\"0x041A\">");
    // A few leads of the table.
    EXPECT_EQ(lines[78], "\t\t\t  \t   \t  <RecordDataList>");
    EXPECT_EQ(lines[84], QString(22, ' ') + "\t\t\t" + QString(10, ' ') + "<MenuItem ID=\"IDT_NAME_M1_IDT_REF_channel\">");
    EXPECT_EQ(lines[98], "\t   \t\t  \t  </ModuleInfo>");
    EXPECT_EQ(lines[157], QString(20, ' ') + "<Text TextId=\"IDT_REF_reaction_to_cpu_stop\" Value=\"Reaction to CPU STOP\"/>");
    EXPECT_EQ(lines[166], "</ISO15745Profile>");
    EXPECT_EQ(lines[2], "<ISO15745Profile xmlns=\"http://www.profibus.com/GSDML/2003/11/DeviceProfile\" "
                        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                        "xsi:schemaLocation=\"http://www.profibus.com/GSDML/2003/11/DeviceProfile "
                        "..\\xsd\\GSDML-DeviceProfile-v2.31.xsd\">");
}

TEST_F(BuildingTest, GsdmlStationNameIsEscapedAndTheDocumentStaysWellFormed)
{
    Write_ParGen({{"PROFINET_NAME_STA", "A&amp;B &lt;x&gt; &quot;q&quot;"}});
    const QString out = Project_Path + "/esc.xml";
    Write_GSDML_File(out);
    const QByteArray bytes = Read_Bytes(out);
    const QStringList lines = Lines_Of(bytes.mid(3));
    EXPECT_EQ(lines[25].count("\"A&amp;B &lt;x&gt; &quot;q&quot;\""), 2);
    EXPECT_TRUE(Well_Formed(bytes));
    TXmlDocument doc;
    doc.LoadFromString(QString::fromUtf8(bytes.mid(3)));
    const TXmlNode dap = doc.DocumentElement()
                             .Child("ProfileBody")
                             .Child("ApplicationProcess")
                             .Child("DeviceAccessPointList")
                             .Child("DeviceAccessPointItem");
    EXPECT_EQ(dap.Attribute("DNS_CompatibleName"), "A&B <x> \"q\"");
}

// A character no XML file can hold is refused, naming the field; tab and line ends are kept
// as character references.
TEST_F(BuildingTest, GsdmlStationNameWithControlCharactersIsRefused)
{
    const QString out = Project_Path + "/ctl.xml";
    for (const char *name : {"A&#1;B", "A&#31;", "&#127;&#27;x"}) {
        Write(out, "old contents");
        Write_ParGen({{"PROFINET_NAME_STA", name}});
        try {
            Write_GSDML_File(out);
            ADD_FAILURE() << name;
        } catch (const EXmlError &e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith("The station name (PROFINET_NAME_STA of ParGen.xml) holds "
                                                                "the character U+00"))
                << e.what();
        }
        EXPECT_EQ(Read_Bytes(out), "old contents") << name;
    }
    TProfinet_Param p;
    p.Name_Station = QStringLiteral("a\tb\nc");
    EXPECT_EQ(Build_GSDML_Lines(p)[25].count("\"a&#9;b&#10;c\""), 2);
}

TEST_F(BuildingTest, GsdmlWriteErrorLeavesTheOldFileWhole)
{
    const QString out = Project_Path + "/keep.xml";
    Write(out, "old contents");
    Set_Atomic_Write_Hook([](const QString &) { throw EFileError("disk full"); });
    EXPECT_THROW(Write_GSDML_File(out), EFileError);
    Set_Atomic_Write_Hook({});
    EXPECT_EQ(Read_Bytes(out), "old contents");
}
