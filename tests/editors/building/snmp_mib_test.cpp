// The SNMP MIB writer: the text against golden files, numbering, the dialog path.
#include "building_fixture.h"
#include "editors/building/snmp_mib.h"

namespace {

class MIBTest : public BuildingTest
{
protected:
    QStringList Lines(const QString &path) const
    {
        const QByteArray bytes = Read_Bytes(path);
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        QStringList lines = QString::fromLatin1(bytes).split("\r\n");
        lines.removeLast();
        return lines;
    }
    QString Run()
    {
        const QString out = Project_Path + "/out.mib";
        Guard.Fake.FileAnswers.push_back(out);
        Create_MIB_File();
        return out;
    }
};

const char Three_Read[] =
    "<SNMP_Trap><SNMP_Trap_Read>"
    "<row Enable=\"Y\" Community_Name=\"public\" Type=\"Int\" Description=\"temp\"/>"
    "<row Enable=\"N\" Community_Name=\"public\" Type=\"Int\" Description=\"off\"/>"
    "<row Enable=\"y\" Community_Name=\"public\" Type=\"string\" Description=\"\"/>"
    "</SNMP_Trap_Read><SNMP_Trap_Write>"
    "<row Enable=\"Y\" Community_Name=\"public\" Type=\"int\" Description=\"setp\"/>"
    "<row Community_Name=\"public\" Type=\"Int\" Description=\"noenable\"/>"
    "<row Enable=\"Y\" Community_Name=\"public\" Description=\"mode\"/>"
    "</SNMP_Trap_Write></SNMP_Trap><!--SW_VERSION = 1.000-->";

} // namespace

TEST_F(MIBTest, TextMatchesTheGoldenFiles)
{
    struct Case { const char *golden; const char *file; };
    const Case cases[] = {{"mib_objects.mib", Three_Read}, {"mib_fixed.mib", nullptr}};
    for (const Case &c : cases) {
        if (c.file)
            Write(Path_SNMP_Trap, c.file);
        else
            QFile::remove(Path_SNMP_Trap);
        const QString out = Run();
        EXPECT_EQ(Read_Bytes(out), Read_Bytes(Building_Data(c.golden))) << c.golden;
    }
    EXPECT_TRUE(Guard.Fake.Texts().filter("File already").size() == 1);
}

TEST_F(MIBTest, ObjectsAreNumberedOverTheEnabledRows)
{
    Write(Path_SNMP_Trap, Three_Read);
    const QStringList lines = Lines(Run());
    EXPECT_EQ(SNMP_Read_Descr_List, QStringList({"temp", ""}));
    EXPECT_EQ(SNMP_Write_Descr_List, QStringList({"setp", "mode"}));
    const QStringList expected = {
        "temp OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"temp\" ::= { bufferinval 1 }",
        "bufferinval2 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"\" ::= { bufferinval 2 }",
        "setp OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write STATUS current DESCRIPTION \"setp\" ::= { bufferoutval 1 }",
        "mode OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write STATUS current DESCRIPTION \"mode\" ::= { bufferoutval 2 }",
        "trapval1 NOTIFICATION-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"temp\" ::= { trapsval 1 }",
        "trapval2 NOTIFICATION-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"\" ::= { trapsval 2 }"};
    for (const QString &e : expected)
        EXPECT_TRUE(lines.contains(e)) << e.toStdString();
    EXPECT_EQ(lines.last(), "END");
}

TEST_F(MIBTest, FixedLinesWithoutObjects)
{
    Write(Path_SNMP_Trap, "<SNMP_Trap><SNMP_Trap_Read><row Enable=\"N\" Description=\"a\"/></SNMP_Trap_Read></SNMP_Trap>");
    const QStringList lines = Lines(Run());
    ASSERT_GE(lines.size(), 43);
    EXPECT_EQ(lines[42], " bufferinval OBJECT IDENTIFIER::= { bufferin 9 }");
    EXPECT_EQ(lines[43], "bufferout OBJECT IDENTIFIER::= { data 5 }");
    const qsizetype traps = lines.indexOf(" trapsval OBJECT IDENTIFIER::= { traps 1 }");
    ASSERT_GT(traps, 0);
    EXPECT_EQ(lines[traps + 1], "END");
    EXPECT_EQ(lines.size(), traps + 2);
    // Leads and blank runs of the fixed lines.
    EXPECT_EQ(lines[2], "       MODULE-IDENTITY,OBJECT-TYPE");
    EXPECT_EQ(lines[13], "\t \"Via dell'Industria 14");
    EXPECT_EQ(lines[16], "    email:    info@qelvar.example\"");
    EXPECT_EQ(lines[19], "    REVISION     \"201701310000Z\"");
    EXPECT_EQ(lines[26], "qelvar          OBJECT IDENTIFIER ::= { enterprises 58421 }");
    EXPECT_EQ(lines[31], "countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" ::= { data 2}");
    EXPECT_EQ(lines[34], "bufferinblk1 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"data block n.1\" ::= { bufferin 1 }");
}

TEST_F(MIBTest, DialogAndOverwriteQuestion)
{
    Write(Path_SNMP_Trap, Three_Read);
    Create_MIB_File();   // cancelled
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Guard.Fake.Calls[0].dir, Project_Path);
    EXPECT_EQ(Guard.Fake.Calls[0].filter, "Management Information Base (*.mib)");

    // No at the question leaves the file and reads nothing.
    const QString out = Project_Path + "/keep.mib";
    Write(out, "old");
    SNMP_Read_Descr_List = QStringList{"before"};
    Guard.Fake.FileAnswers.push_back(out);
    Guard.Fake.Answers.push_back(TMsgResult::No);
    Create_MIB_File();
    EXPECT_EQ(Guard.Fake.LastText(), "File already exists. Do you want to overwrite?");
    EXPECT_EQ(Read_Bytes(out), "old");
    EXPECT_EQ(SNMP_Read_Descr_List, QStringList{"before"});
}

// A hand-made file: a row without Description is an empty one, not the one read last, and
// enabled rows beyond the 256th are left out with a warning.
TEST_F(MIBTest, HandMadeFilesStayWithinTheTypeTable)
{
    QString xml = "<SNMP_Trap><SNMP_Trap_Read><row Enable=\"Y\" Type=\"Int\" Description=\"first\"/>"
                  "<row Enable=\"Y\" Type=\"Int\"/>";
    for (int i = 0; i < 260; ++i)
        xml += QStringLiteral("<row Enable=\"Y\" Type=\"String\" Description=\"d%1\"/>").arg(i);
    xml += "</SNMP_Trap_Read></SNMP_Trap>";
    Write(Path_SNMP_Trap, xml.toUtf8());
    const QStringList lines = Lines(Run());
    EXPECT_EQ(SNMP_Read_Descr_List.size(), 256);
    EXPECT_EQ(SNMP_Read_Descr_List[1], "");
    EXPECT_TRUE(lines.contains("bufferinval2 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current "
                               "DESCRIPTION \"\" ::= { bufferinval 2 }"));
    EXPECT_FALSE(lines.filter("{ trapsval 257 }").size());
    EXPECT_EQ(Guard.Fake.Calls.back().kind, TMsgKind::Warning);
    EXPECT_TRUE(Guard.Fake.LastText().startsWith("6 enabled objects"));
}
