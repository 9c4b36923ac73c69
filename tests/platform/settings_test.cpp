#include "platform/files.h"
#include "platform/inifile.h"
#include "platform/process.h"
#include "platform/settings_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(IniFile, ReadsTheOriginalLayoutWithoutRegardToCase)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("grid.ini");
    Write_File_Atomic(path, "orphan=1\r\n"
                            "; comment\r\n"
                            "[Columns]\r\n"
                            "  Col0 = 64 \r\n"
                            "Col1=\t80\r\n"
                            "Title=a=b  c\r\n"
                            "Path=C:\\dir\\f\xe8.txt\r\n"
                            "loose line\r\n"
                            "\r\n"
                            "[ Print ]\n"
                            "Bool=Y\n"
                            "Hex=$1F\n"
                            "Hex2=0x10\n"
                            "[columns]\n"
                            "Col2=100\n");
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadSections(), (QStringList{"Columns", "Print"}));
    EXPECT_EQ(ini.ReadSection("COLUMNS"), (QStringList{"Col0", "Col1", "Title", "Path", "loose line", "Col2"}));
    EXPECT_EQ(ini.ReadString("columns", "col0", "x"), "64");
    EXPECT_EQ(ini.ReadString("Columns", "Col1", "x"), "80");
    EXPECT_EQ(ini.ReadString("Columns", "Title", "x"), "a=b  c");
    EXPECT_EQ(ini.ReadString("Columns", "Path", "x"), QString::fromUtf8("C:\\dir\\f\xc3\xa8.txt"));
    EXPECT_EQ(ini.ReadString("Columns", "loose line", "x"), "x");
    EXPECT_EQ(ini.ReadString("Nothing", "Col0", "x"), "x");
    EXPECT_EQ(ini.ReadString("", "orphan", "x"), "x");
    EXPECT_EQ(ini.ReadInteger("Columns", "Col2", -1), 100);
    EXPECT_EQ(ini.ReadInteger("Print", "Hex", -1), 31);
    EXPECT_EQ(ini.ReadInteger("Print", "Hex2", -1), 16);
    EXPECT_EQ(ini.ReadInteger("Print", "Bool", -1), -1);
    EXPECT_TRUE(ini.ReadBool("Print", "Missing", true));
    EXPECT_TRUE(ini.ValueExists("print", "BOOL"));
    EXPECT_FALSE(ini.ValueExists("print", "Bo"));
    EXPECT_TRUE(ini.SectionExists("PRINT"));
    EXPECT_FALSE(ini.SectionExists("Missing"));
}

TEST(IniFile, WritesOnlyOnUpdateAndRoundTrips)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sub/print.ini");
    ASSERT_TRUE(Force_Dir(dir.filePath("sub")));
    TMemIniFile ini(path);   // a new file
    ini.WriteString("Print", "Title", "Report \\n line two  ");
    ini.WriteInteger("Print", "Copies", 3);
    ini.WriteBool("Print", "Color", true);
    ini.WriteString("Other", "Euro", QString::fromUtf8("\xe2\x82\xac"));
    ini.WriteString("print", "COPIES", "4");   // same key, other case
    EXPECT_FALSE(File_Exists(path));
    ini.UpdateFile();
    EXPECT_EQ(Read_File(path), QByteArray("[Print]\r\nTitle=Report \\n line two  \r\nCopies=4\r\n"
                                          "Color=1\r\n\r\n[Other]\r\nEuro=\x80\r\n\r\n"));

    TMemIniFile back(path);
    EXPECT_EQ(back.ReadString("Print", "Title", ""), "Report \\n line two");   // trimmed on reading
    EXPECT_EQ(back.ReadInteger("Print", "Copies", 0), 4);
    EXPECT_TRUE(back.ReadBool("Print", "Color", false));
    EXPECT_EQ(back.ReadString("Other", "Euro", ""), QString::fromUtf8("\xe2\x82\xac"));

    back.DeleteKey("PRINT", "title");
    back.EraseSection("other");
    EXPECT_EQ(back.ReadSectionValues("Print"), (QStringList{"Copies=4", "Color=1"}));
    EXPECT_EQ(back.ReadSections(), QStringList{"Print"});

    // Text Windows-1252 cannot hold switches the file to UTF-8 instead of losing it.
    back.WriteString("Print", "Name", QString::fromUtf8("\xe4\xb8\xad"));
    back.UpdateFile();
    EXPECT_TRUE(Read_File(path).startsWith("\xEF\xBB\xBF[Print]"));
    EXPECT_EQ(TMemIniFile(path).ReadString("Print", "Name", ""), QString::fromUtf8("\xe4\xb8\xad"));
}

TEST(IniFile, RefusesWhatWouldBreakTheFile)
{
    QTemporaryDir dir;
    TMemIniFile ini(dir.filePath("a.ini"));
    EXPECT_THROW(ini.WriteString("S", "K", "line\r\nbreak"), EIniFileError);
    EXPECT_THROW(ini.WriteString("S", "K=1", "v"), EIniFileError);
    EXPECT_THROW(ini.WriteString("S\n", "K", "v"), EIniFileError);
    EXPECT_THROW(ini.WriteString("S", "", "v"), EIniFileError);
    EXPECT_FALSE(ini.SectionExists("S"));

    TMemIniFile bad(dir.filePath("no/folder/a.ini"));
    bad.WriteString("S", "K", "v");
    EXPECT_THROW(bad.UpdateFile(), EFileError);
}

TEST(SettingsStore, ValuesByKeyPath)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("registry.ini");
    {
        TSettingsStore s(path);
        s.WriteString("Software\\Maker\\Options\\Language", "Italiano, 2");
        s.WriteInteger("Software/Maker/Options/Port", 502);
        s.WriteBool("Software/Maker/Options/Update", true);
        s.WriteString("Software/Maker/Grid/Col0", " @x ");
        s.Flush();
    }
    TSettingsStore s(path);
    EXPECT_EQ(s.ReadString("Software/Maker/Options/Language"), "Italiano, 2");
    EXPECT_EQ(s.ReadInteger("Software\\Maker\\Options\\Port", 0), 502);
    EXPECT_TRUE(s.ReadBool("Software/Maker/Options/Update", false));
    EXPECT_EQ(s.ReadString("Software/Maker/Grid/Col0"), " @x ");
    EXPECT_EQ(s.ReadString("Software/Maker/Options/None", "def"), "def");
    EXPECT_EQ(s.ReadInteger("Software/Maker/Options/Language", -7), -7);
    EXPECT_TRUE(s.KeyExists("Software/Maker"));
    EXPECT_FALSE(s.KeyExists("Software/Other"));
    EXPECT_EQ(s.KeyNames("Software/Maker"), (QStringList{"Grid", "Options"}));
    EXPECT_EQ(s.ValueNames("Software/Maker/Options"), (QStringList{"Language", "Port", "Update"}));
    s.DeleteValue("Software/Maker/Options/Port");
    EXPECT_FALSE(s.ValueExists("Software/Maker/Options/Port"));
    s.DeleteKey("Software/Maker/Grid");
    EXPECT_FALSE(s.KeyExists("Software/Maker/Grid"));
    s.DeleteKey("");   // never the whole store
    EXPECT_TRUE(s.ValueExists("Software/Maker/Options/Language"));
}

TEST(SettingsStore, RegistryIniFileSharesTheIniCalls)
{
    QTemporaryDir dir;
    SetRegistryFile(dir.filePath("reg.ini"));
    {
        TRegistryIniFile reg("Software\\Maker\\CF41R08\\Grid");
        TCustomIniFile &ini = reg;
        ini.WriteInteger("Sizes", "Col0", 64);
        ini.WriteInteger("Sizes", "Col1", 80);
        ini.WriteBool("Flags", "Save", true);
        ini.UpdateFile();
        EXPECT_EQ(ini.ReadInteger("Sizes", "Col1", 0), 80);
        EXPECT_EQ(ini.ReadSection("Sizes"), (QStringList{"Col0", "Col1"}));
        EXPECT_EQ(ini.ReadSections(), (QStringList{"Flags", "Sizes"}));
        EXPECT_TRUE(ini.ValueExists("Sizes", "Col0"));
        EXPECT_TRUE(ini.SectionExists("Flags"));
        ini.DeleteKey("Sizes", "Col0");
        ini.EraseSection("Flags");
        EXPECT_EQ(ini.ReadSections(), QStringList{"Sizes"});
        ini.UpdateFile();
    }
    EXPECT_EQ(Registry().ReadInteger("Software/Maker/CF41R08/Grid/Sizes/Col1", 0), 80);
    SetRegistryFile({});
}

TEST(SettingsStore, UnwritableFileIsReported)
{
    QTemporaryDir dir;
    Write_File_Atomic(dir.filePath("file"), "x");
    TSettingsStore s(dir.filePath("file/registry.ini"));   // a file where a folder should be
    s.WriteString("A/B", "1");
    EXPECT_THROW(s.Flush(), ESettingsError);
}

TEST(Process, RunsWaitsAndReportsExitCode)
{
    TProcessResult r = Processes().RunAndWait("/bin/sh", {"-c", "exit 3"}, 10000);
    EXPECT_TRUE(r.Started);
    EXPECT_TRUE(r.Finished);
    EXPECT_EQ(r.ExitCode, 3);

    r = Processes().RunAndWait("/nonexistent/program", {}, 1000);
    EXPECT_FALSE(r.Started);
    EXPECT_FALSE(r.Error.isEmpty());

    // A program that outlives the wait by far: the call comes back unfinished instead of
    // waiting for its end.
    r = Processes().RunAndWait("/bin/sleep", {"30"}, 100);
    EXPECT_TRUE(r.Started);
    EXPECT_FALSE(r.Finished);
}

TEST(Process, FakeRecordsAndSplitsParameters)
{
    EXPECT_EQ(SplitCommandLine("-a \"two words\" b"), (QStringList{"-a", "two words", "b"}));
    EXPECT_EQ(SplitCommandLine(""), QStringList{});
    TFakeProcessesGuard guard;
    TProcessResult timedOut;
    timedOut.Started = true;
    guard.Fake.Results = {timedOut};
    EXPECT_FALSE(Processes().RunAndWait("loader", {"job.txt"}, 150000).Finished);
    EXPECT_EQ(Processes().RunAndWait("loader", {}, 5).ExitCode, 0);
    guard.Fake.OpenResult = false;
    EXPECT_FALSE(Processes().OpenUrl("https://example.invalid/"));
    ASSERT_EQ(guard.Fake.Calls.size(), 3u);
    EXPECT_EQ(guard.Fake.Calls[0].program, "loader");
    EXPECT_EQ(guard.Fake.Calls[0].arguments, QStringList{"job.txt"});
    EXPECT_EQ(guard.Fake.Calls[0].timeoutMs, 150000);
    EXPECT_EQ(guard.Fake.Calls[2].what, "open");
}
