// The PROFIBUS GSD writer: the file dialog path, the text against golden files and its rules.
#include "building_fixture.h"
#include "editors/building/profibus_gsd.h"
#include "platform/xml.h"

#include <gtest/gtest.h>

namespace {

QStringList Lines_Of(const QByteArray &bytes)
{
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();   // after the last line's CR LF
    return lines;
}

} // namespace

TEST_F(BuildingTest, GsdWithoutParGenShowsTheMessageAndWritesNothing)
{
    Create_GSD_File();
    EXPECT_EQ(Guard.Fake.Texts(),
              QStringList{"Error! Please set the Set Communication Parameter before to create the GSD file"});
    EXPECT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error);
}

TEST_F(BuildingTest, GsdSaveDialogNamesAndOverwriteQuestion)
{
    Write_ParGen({{"PROFINET_NB_IN", "1"}, {"PROFINET_NB_OUT", "1"}});
    struct Case { const char *typed; const char *written; };
    const Case cases[] = {{"plain", "plain.gsd"}, {"UPPER.GSD", "UPPER.GSD"}, {"mixed.Gsd", "mixed.Gsd"},
                          {"double.gsd.txt", "double.gsd.txt.gsd"}};
    for (const Case &c : cases) {
        Guard.Fake.Calls.clear();
        Guard.Fake.FileAnswers.push_back(Project_Path + "/" + c.typed);
        Create_GSD_File();
        ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
        EXPECT_EQ(Guard.Fake.Calls[0].what, "save");
        EXPECT_EQ(Guard.Fake.Calls[0].dir, Project_Path);
        EXPECT_EQ(Guard.Fake.Calls[0].filter, "Generic Station Description (*.gsd)");
        EXPECT_TRUE(File_Exists(Project_Path + "/" + c.written)) << c.typed;
    }
    // Cancel writes nothing.
    Guard.Fake.Calls.clear();
    Create_GSD_File();
    EXPECT_EQ(Guard.Fake.Texts(), QStringList{});

    // An existing file is overwritten only after Yes.
    const QString target = Project_Path + "/plain.gsd";
    Write(target, "old");
    Guard.Fake.FileAnswers.push_back(target);
    Guard.Fake.Answers.push_back(TMsgResult::No);
    Create_GSD_File();
    EXPECT_EQ(Guard.Fake.LastText(), "File already exists! Do you want to overwrite the file?");
    EXPECT_EQ(Read_Bytes(target), "old");
    Guard.Fake.FileAnswers.push_back(target);
    Guard.Fake.Answers.push_back(TMsgResult::Yes);
    Create_GSD_File();
    EXPECT_TRUE(Read_Bytes(target).startsWith(";\r\n;****"));
}

TEST_F(BuildingTest, GsdTextMatchesTheGoldenFiles)
{
    struct Case { const char *golden; std::vector<std::pair<QString, QString>> keys; };
    const Case cases[] = {
        {"gsd_1438_1438.gsd", {{"PROFINET_NB_IN", "1438"}, {"PROFINET_NB_OUT", "1438"}}},
        {"gsd_out128_in1.gsd", {{"PROFINET_NB_OUT", "128"}, {"PROFINET_NB_IN", "1"}}},
        {"gsd_missing.gsd", {{"Other", "5"}}},
    };
    for (const Case &c : cases) {
        Write_ParGen(c.keys);
        const QString out = Project_Path + "/out.gsd";
        Write_GSD_File(out);
        EXPECT_EQ(Read_Bytes(out), Read_Bytes(Building_Data(c.golden))) << c.golden;
    }
}

TEST_F(BuildingTest, GsdHeaderBoxAndTitleBlocksHaveTheirLengths)
{
    const QStringList lines = Build_GSD_Lines(1438, 1438);
    EXPECT_EQ(lines[0], ";");
    for (int i = 1; i <= 19; ++i) {
        EXPECT_EQ(lines[i].size(), 85) << i + 1;
        EXPECT_TRUE(lines[i].startsWith(";*")) << i + 1;
    }
    EXPECT_EQ(lines[20], ";" + QString(84, '*'));
    EXPECT_EQ(lines[23], "#Profibus_DP");
    struct Title { const char *title; int rule; int run; };
    const Title titles[] = {{"Prm-Text-Def-List", 84, 61}, {"Ext-User-Prm-Data-Def-List", 85, 53},
                            {"General DP Keywords", 85, 60}, {"Supported baudrates", 78, 53},
                            {"Slave specific values", 78, 51}, {"User-Prm-Data", 78, 59},
                            {"Modulstatus", 78, 61}, {"Module-Definition-List", 78, 50}};
    for (const Title &t : titles) {
        const QString title = QStringLiteral(";==== %1 ").arg(t.title) + QString(t.run, '=');
        const qsizetype at = lines.indexOf(title);
        ASSERT_GT(at, 0) << t.title;
        const QString rule = ";" + QString(t.rule, '=');
        EXPECT_EQ(lines[at - 1], rule) << t.title;
        EXPECT_EQ(lines[at + 1], rule) << t.title;
        EXPECT_EQ(lines[at + 2], "") << t.title;
        EXPECT_EQ(title.size(), rule.size()) << t.title;
    }
}

TEST_F(BuildingTest, GsdModulesCoverTheSizesInBlocksOf64)
{
    struct Case {
        int in, out;
        int maxModule;
        QStringList expected;   // lines that must be present
        QStringList absent;
    };
    const Case cases[] = {
        {1438, 1438, 46,
         {"Max_Module=46", "Max_Input_Len=1438", "Max_Output_Len=1438", "Max_Data_Len=2876",
          "Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01", "Module=\"DI  (PORT10)    \" 0x42,0x3F,0x00,0x0A",
          "Module=\"DI  (PORT23)    \" 0x42,0x1D,0x00,0x17", "Module=\"DO  (PORT24)    \" 0x82,0x3F,0x00,0x18",
          "Module=\"DO  (PORT46)    \" 0x82,0x1D,0x00,0x2E", "Slot(46) = \"Slot 46\" 46 46"},
         {"Slot(47) = \"Slot 47\" 47 47"}},
        {0, 128, 2,
         {"Module=\"DI  (PORT2)    \" 0x42,0x3F,0x00,0x02", "Max_Input_Len=128", "Max_Output_Len=0"},
         {"Module=\"DI  (PORT3)    \" 0x42,0x3F,0x00,0x03"}},
        {1, 0, 1, {"Module=\"DO  (PORT1)    \" 0x82,0x00,0x00,0x01", "Max_Data_Len=1"}, {}},
        {-5, 65, 2, {"Module=\"DI  (PORT2)    \" 0x42,0x00,0x00,0x02", "Max_Output_Len=-5"}, {}},
        {0, 0, 0, {"Max_Module=0", "Max_Data_Len=0"}, {"EndModule"}},
    };
    for (const Case &c : cases) {
        const QStringList lines = Build_GSD_Lines(c.in, c.out);
        EXPECT_TRUE(lines.contains(QStringLiteral("Max_Module=%1").arg(c.maxModule))) << c.in << " " << c.out;
        EXPECT_EQ(lines.count("EndModule"), c.maxModule);
        for (const QString &e : c.expected)
            EXPECT_TRUE(lines.contains(e)) << e.toStdString();
        for (const QString &a : c.absent)
            EXPECT_FALSE(lines.contains(a)) << a.toStdString();
        // Three empty lines after the modules, the slot definition, four empty lines.
        const qsizetype slotLine = lines.indexOf("SlotDefinition");
        ASSERT_GT(slotLine, 3);
        EXPECT_EQ(lines.mid(slotLine - 3, 3), QStringList({"", "", ""}));
        EXPECT_EQ(lines[slotLine + c.maxModule + 1], "EndSlotDefinition");
        EXPECT_EQ(lines.size(), slotLine + c.maxModule + 2 + 4);
    }
}

TEST_F(BuildingTest, GsdSizeThatIsNoNumberReadsAsZero)
{
    Write_ParGen({{"PROFINET_NB_IN", "12a"}, {"PROFINET_NB_OUT", "64"}});
    const QString out = Project_Path + "/x.gsd";
    Write_GSD_File(out);
    const QStringList lines = Lines_Of(Read_Bytes(out));
    EXPECT_TRUE(lines.contains("Max_Output_Len=0"));
    EXPECT_TRUE(lines.contains("Max_Input_Len=64"));
    EXPECT_TRUE(lines.contains("Max_Module=1"));
}

TEST_F(BuildingTest, GsdWriteErrorLeavesTheOldFileWhole)
{
    Write_ParGen({{"PROFINET_NB_IN", "10"}});
    const QString out = Project_Path + "/keep.gsd";
    Write(out, "old contents");
    Set_Atomic_Write_Hook([](const QString &) { throw EFileError("disk full"); });
    EXPECT_THROW(Write_GSD_File(out), EFileError);
    Set_Atomic_Write_Hook({});
    EXPECT_EQ(Read_Bytes(out), "old contents");
}

// More bytes than the communication settings offer (1438) would write a file of any size;
// a damaged ParGen.xml used to give a GSD without modules. Both stop with a message.
TEST_F(BuildingTest, GsdRefusesSizesPastTheSettingsAndADamagedParGen)
{
    const QString out = Project_Path + "/keep.gsd";
    struct Case { QByteArray pargen; const char *message; };
    const Case cases[] = {
        {"<Par_Gen><PROFINET_NB_IN>1439</PROFINET_NB_IN></Par_Gen>", "PROFINET_NB_IN is 1439;"},
        {"<Par_Gen><PROFINET_NB_OUT>100000000</PROFINET_NB_OUT></Par_Gen>", "PROFINET_NB_OUT is 100000000;"},
        {"<Par_Gen><PROFINET_NB_OUT>2147483647</PROFINET_NB_OUT></Par_Gen>", "PROFINET_NB_OUT is 2147483647;"},
        {"<Par_Gen><PROFINET_NB_OUT>-5</PROFINET_NB_OUT></Par_Gen>", "PROFINET_NB_OUT is -5;"},
        {"<Par_Gen><PROFINET_NB_IN>-2147483648</PROFINET_NB_IN></Par_Gen>", "PROFINET_NB_IN is -2147483648;"},
        {"<Par_Gen><PROFINET_NB_IN>64</PROFINET_NB_IN>", "is not a valid XML document"},
    };
    for (const Case &c : cases) {
        Write(Path_ParGen, c.pargen);
        Write(out, "old contents");
        try {
            Write_GSD_File(out);
            ADD_FAILURE() << c.message;
        } catch (const EXmlError &e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QLatin1String(c.message))) << e.what();
        }
        EXPECT_EQ(Read_Bytes(out), "old contents") << c.message;
    }
    Write_ParGen({{"PROFINET_NB_IN", "1438"}, {"PROFINET_NB_OUT", "1438"}});
    Write_GSD_File(out);
    EXPECT_TRUE(Lines_Of(Read_Bytes(out)).contains("Max_Module=46"));
}
