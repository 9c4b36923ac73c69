#include "gateway/eds_reader.h"
#include "gateway_fixture.h"

#include "gateway/targetconfig.h"
#include "platform/rtl.h"
#include "platform/textcodec.h"

#include <QStringEncoder>
#include <random>

namespace {

QString Eds_Data(const char *name) { return Gateway_Data(QStringLiteral("eds/") + QLatin1String(name)); }

// The bytes of a literal, NULs included.
template <size_t N>
QByteArray B(const char (&s)[N])
{
    return QByteArray(s, qsizetype(N - 1));
}

// VendCode, ProdType, ProdCode, MajRev, MinRev.
std::vector<int> Identity(const TEDS_Reader &r) { return {r.VendCode, r.ProdType, r.ProdCode, r.MajRev, r.MinRev}; }

// Tests that write their own copies of EDS files.
class EdsFiles : public GatewayTest
{
};

// A [Connection Manager] section with one entry on one line.
QStringList Section(const QString &params, const QString &path, const QString &name = QStringLiteral("\"C\""))
{
    return {QStringLiteral("[Connection Manager]"),
            QStringLiteral("Connection1 = 0x04010002,%1,,32,,,16,,,,5,Assem100,%2,\"help\",\"%3\";")
                .arg(params, name, path)};
}

TEST(EdsReader, WorkedPathExamplesAndSegmentWidths)
{
    struct Case
    {
        const char *path;
        uint32_t inst_ot, cp_ot, inst_to, cp_to;
    };
    const Case cases[] = {
        {"20 04 24 64 2C 96 2C 64", 100, 150, 100, 100},
        {"20 04 24 64 2C 96 24 65 2C 64", 100, 150, 101, 100},
        {"20 04 25 00 96 00 2C 64 2C 65", 150, 100, 150, 101},
        // 16-bit class, padded 16- and 32-bit segments.
        {"21 00 04 00 25 00 96 00 2D 00 65 00 2E 00 00 00 64 00 00 00", 150, 101, 150, 100},
        {"22 00 00 00 04 00 00 00 26 00 00 00 10 27 00 00 2C 01 2C 02", 10000, 1, 10000, 2},
        // A value byte equal to a segment code is not taken for a code.
        {"20 04 24 2C 2C 96 2C 24", 44, 150, 44, 36},
        // No instance segment: instance 1 and the scan restarts near the start.
        {"20 04 30 03 2C 65 2C 64", 1, 101, 1, 100},
        // Double blanks, a piece that is no hexadecimal and one above 255 are skipped.
        {"20  04 zz 24 100 64 2C 96 2C 64", 100, 150, 100, 100},
        // A 32-bit value that runs past the path reads zeros, not memory.
        {"20 04 24 01 2C 65 2E 00", 1, 101, 1, 0},
    };
    for (const Case &c : cases) {
        TEDS_Reader r;
        r.Read_Lines(Section(QStringLiteral("0x44640405"), QLatin1String(c.path)));
        ASSERT_EQ(r.List_Conn.size(), 1u) << c.path;
        const TConnData &d = r.List_Conn[0];
        EXPECT_EQ(d.InstanceOT, c.inst_ot) << c.path;
        EXPECT_EQ(d.ConnPointOT, c.cp_ot) << c.path;
        EXPECT_EQ(d.InstanceTO, c.inst_to) << c.path;
        EXPECT_EQ(d.ConnPointTO, c.cp_to) << c.path;
        EXPECT_EQ(d.ConnIndex, 1);
        EXPECT_EQ(d.NumClass, 0);
    }
}

TEST(EdsReader, UnusableEntriesAreDroppedWithoutReadingPastThePath)
{
    const char *paths[] = {
        "20 04 24 64 2C",             // fewer than 6 bytes
        "04 20 24 64 2C 96 2C 64",    // no class segment first
        "20 04 24 64 2C 96",          // ends after the first connection point
        "20 04 24 64 00 00 00 00",    // no connection point
        "20 04 24 64 2C 96 24",       // ends at the second instance
        "20 04 24 64 2C 96 24 65 2C", // ends at the second connection point
        "20 04 26 00 00 00",          // instance value past the path
    };
    for (const char *p : paths) {
        TEDS_Reader r;
        r.Read_Lines(Section(QStringLiteral("0x44640405"), QLatin1String(p)));
        EXPECT_TRUE(r.List_Conn.empty()) << p;
    }

    // Fewer than 15 fields.
    TEDS_Reader r;
    r.Read_Lines({QStringLiteral("[Connection Manager]"),
                  QStringLiteral("Connection1 = 0x04010002,0x44640405,,,,,,,,,,,\"C\",\"20 04 24 64 2C 96 2C 64\";")});
    EXPECT_TRUE(r.List_Conn.empty());

    // An over-long path keeps its first 1001 bytes and still decodes; one of zeros only
    // walks to its end and is dropped.
    QString longPath = QStringLiteral("20 04 24 64 2C 96 2C 64");
    QString zeros = QStringLiteral("20");
    for (int i = 0; i < 3000; ++i) {
        longPath += QStringLiteral(" 01");
        zeros += QStringLiteral(" 00");
    }
    r.Read_Lines(Section(QStringLiteral("0x44640405"), longPath));
    ASSERT_EQ(r.List_Conn.size(), 1u);
    EXPECT_EQ(r.Path_Count, TEDS_Reader::Path_Size);
    EXPECT_EQ(r.List_Conn[0].ConnPointTO, 100u);
    r.Read_Lines(Section(QStringLiteral("0x44640405"), zeros));
    EXPECT_TRUE(r.List_Conn.empty());
}

TEST(EdsReader, HeaderFormatsNamesAndChooserCells)
{
    TEDS_Reader r;
    r.Read_Lines(Section(QStringLiteral("0x00006400"), QStringLiteral("20 04 24 64 2C 96 2C 64"),
                         QStringLiteral(" \"Exclusive Owner\" ")));
    ASSERT_EQ(r.List_Conn.size(), 1u);
    const TConnData &d = r.List_Conn[0];
    EXPECT_EQ(d.DimHeaderOT, 4);
    EXPECT_EQ(d.DimHeaderTO, 6);
    EXPECT_EQ(d.ConnName, QStringLiteral("\"Exclusive Owner\""));
    EXPECT_EQ(d.HelpStr, QStringLiteral("\"help\""));
    EXPECT_EQ(d.TargetConfSize, QStringLiteral("5"));
    EXPECT_EQ(d.TargetConfFormat, QStringLiteral("Assem100"));
    EXPECT_EQ(r.Grid_Cells(0), (QStringList{"Connection1", "\"Exclusive Owner\"", "\"help\"", "100", "150", "100",
                                            "100", "Default", "6"}));

    // Parameters that do not convert count as -1: both formats 7.
    r.Read_Lines(Section(QStringLiteral("0x4464 "), QStringLiteral("20 04 24 64 2C 96 2C 64")));
    ASSERT_EQ(r.List_Conn.size(), 1u);
    EXPECT_EQ(r.Grid_Cells(0).mid(7), (QStringList{"7", "7"}));
}

TEST(EdsReader, DeviceKeys)
{
    struct Case
    {
        const char *line;
        const char *key;
        int value;
    };
    const Case cases[] = {
        {"VENDCODE = 1;", "VENDCODE =", 1},
        {"PRODCODE = 0X22;", "PRODCODE =", 34},
        {"MAJREV =  7 ;", "MAJREV =", 7},
        {"MAJREV = 7", "MAJREV =", 0},       // no ";"
        {"MAJREV = SEVEN;", "MAJREV =", 0},
        {"MAJREV =;", "MAJREV =", 0},
        {"MAJREV =", "MAJREV =", 0},
        // Blanks around "=" or none: the value is read whole.
        {"PRODTYPE=12;", "PRODTYPE =", 12},
        {"PRODTYPE\t=12;", "PRODTYPE =", 12},
        {"PRODTYPE   =   12 ;", "PRODTYPE =", 12},
        {"PRODTYPESTR = 5;", "PRODTYPE =", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TEDS_Reader::GetDeviceValue(QLatin1String(c.line), QLatin1String(c.key)), c.value) << c.line;

    TEDS_Reader r;
    r.Read_Lines({"[Device]", "  vendcode = 1;", "ProdType= 12;", "ProdCode = 0x22;  $ hex",
                  "ProdTypeStr = \"x\";", "MajRev = 0x1FF;", "MinRev = 3;", "[Other]", "ProdType = 9;"});
    EXPECT_EQ(r.VendCode, 1);
    EXPECT_EQ(r.ProdType, 12);  // no blank before "=": read all the same
    EXPECT_EQ(r.ProdCode, 34);
    EXPECT_EQ(r.MajRev, 0xFF);  // kept to 8 bits
    EXPECT_EQ(r.MinRev, 3);
}

TEST(EdsReader, EntriesOnOneLineOrManyGiveTheSameRecord)
{
    const QStringList one = {"[Connection Manager]",
                             "Connection1 = 0x04010002,0x44640405,,32,,,16,,,,,,\"Owner\",\"\",\"20 04 24 64 2C 96 2C 64\";"};
    const QStringList many = {"[Connection Manager]",
                              "  Object_Name = \"ignored\";",
                              "Connection1 =",
                              "   0x04010002,   $ trigger, with a comment",
                              "   0x44640405,",
                              "   ,32,,,16,,   $ sizes",
                              "   ,,,,",
                              "",
                              "   \"Owner\",\"\",",
                              "   \"20 04 24 64 2C 96 2C 64\";"};
    TEDS_Reader a, b;
    a.Read_Lines(one);
    b.Read_Lines(many);
    ASSERT_EQ(a.List_Conn.size(), 1u);
    ASSERT_EQ(b.List_Conn.size(), 1u);
    EXPECT_EQ(a.Grid_Cells(0), b.Grid_Cells(0));

    // A "$" inside quotes cuts the line too: the entry loses its path and is dropped.
    TEDS_Reader c;
    c.Read_Lines({"[Connection Manager]",
                  "Connection1 = 0x04010002,0x44640405,,32,,,16,,,,,,\"A $1 part\",\"\",\"20 04 24 64 2C 96 2C 64\";"});
    EXPECT_TRUE(c.List_Conn.empty());
}

TEST(EdsReader, HandWrittenFiles)
{
    TEDS_Reader r;
    r.EDS_FileName = Eds_Data("drive_a.eds");
    r.Read_EDS();
    EXPECT_EQ(Identity(r), (std::vector<int>{1, 12, 0x22, 1, 1}));
    ASSERT_EQ(r.List_Conn.size(), 2u);
    EXPECT_EQ(r.Grid_Cells(0), (QStringList{"Connection1", "\"Exclusive Owner\"", "\"\"", "150", "101", "101", "100",
                                            "Default", "Default"}));
    EXPECT_EQ(r.Grid_Cells(1), (QStringList{"Connection2", "\"Input Only\"", "\"Inputs without outputs\"", "3", "254",
                                            "3", "100", "3", "Default"}));
    EXPECT_EQ(r.List_Conn[1].ConnIndex, 2);

    r.EDS_FileName = Eds_Data("ioblock.eds");
    r.Read_EDS();
    EXPECT_EQ(r.VendCode, 0x155);
    EXPECT_EQ(r.ProdType, 12);
    EXPECT_EQ(r.ProdCode, 7);
    ASSERT_EQ(r.List_Conn.size(), 2u);
    EXPECT_EQ(r.List_Conn[0].TargetConfSize, QStringLiteral("5"));
    EXPECT_EQ(r.List_Conn[0].TargetConfFormat, QStringLiteral("Assem100"));
    EXPECT_EQ(r.Grid_Cells(0).mid(3), (QStringList{"120", "101", "110", "100", "2", "1"}));

    // Reading again drops the earlier records and identity.
    for (const char *name : {"no_sections.eds", "missing.eds"}) {
        r.EDS_FileName = Eds_Data(name);
        r.Read_EDS();
        EXPECT_TRUE(r.List_Conn.empty()) << name;
        EXPECT_EQ(r.VendCode, 0) << name;
        EXPECT_EQ(r.MinRev, 0) << name;
    }
}

// CR LF line ends, tabs, comments on lines of their own and after section names, a key
// line without blanks around "=", a quoted comma in [Device], and a connection whose path
// goes through a port segment first (not read). As UTF-16 with its byte-order mark the
// file reads the same.
TEST_F(EdsFiles, CrLfTabsAndUtf16)
{
    const QByteArray ascii = Read_Bytes(Eds_Data("valve_crlf.eds"));
    ASSERT_FALSE(ascii.isEmpty());
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const QByteArray wide = utf16(QString::fromLatin1(ascii));
    for (const QByteArray &bytes : {ascii, wide}) {
        Write(In_Temp(QStringLiteral("valve.eds")), bytes);
        TEDS_Reader r;
        r.EDS_FileName = In_Temp(QStringLiteral("valve.eds"));
        r.Read_EDS();
        EXPECT_EQ(Identity(r), (std::vector<int>{0x0A1B, 0x2B, 513, 3, 12}));
        ASSERT_EQ(r.List_Conn.size(), 2u);
        EXPECT_EQ(r.Grid_Cells(0), (QStringList{"Connection1", "\"Exclusive Owner\"", "\"Outputs and inputs\"", "5",
                                                "150", "5", "100", "Default", "Default"}));
        EXPECT_EQ(r.Grid_Cells(1), (QStringList{"Connection2", "\"Listen Only\"", "\"\"", "5", "254", "5", "100", "3",
                                                "Default"}));
        EXPECT_EQ(r.List_Conn[1].ConnIndex, 2);
        EXPECT_TRUE(r.List_Conn[0].TargetConfFormat.isEmpty());
    }
}

// Damaged copies of the hand-written files: cut at every byte, or with one byte at a
// time turned into a NUL, a quote, a ";", a "[" or a byte that is no ASCII. None makes the
// readers fail, stop or read past a buffer (checked under the sanitizer build); what they
// give stays within what the whole file holds.
TEST_F(EdsFiles, DamagedCopiesAreReadSafely)
{
    const auto read_all = [](const QByteArray &bytes, size_t max_conn) {
        const QStringList lines = Split_Lines(Decode_Text(bytes));
        TEDS_Reader r;
        try {
            r.Read_Lines(lines);
        } catch (const EEDS_Error &e) {
            // A NUL byte in a text the editor would store: reported, not passed on.
            ASSERT_NE(std::string(e.what()).find("U+0000"), std::string::npos) << e.what();
        }
        ASSERT_LE(r.List_Conn.size(), max_conn);
        for (size_t k = 0; k < r.List_Conn.size(); ++k) {
            ASSERT_EQ(r.List_Conn[k].ConnIndex, int(k) + 1);
            ASSERT_EQ(r.Grid_Cells(int(k)).size(), TEDS_Reader::Grid_Columns);
        }
        for (const char *format : {"Assem100", "Assem1"}) {
            TTargetConfig tc;
            tc.Format = QLatin1String(format);
            tc.Size = QStringLiteral("5");
            try {
                tc.DecodeAssemblyObj(tc.Find_Assembly_Object(lines), lines);
            } catch (const ETargetConfigError &) {
                continue;   // a member whose entry was cut: reported to the engineer
            }
            ASSERT_LE(tc.ListParamObject.size(), 4u);
            ASSERT_LE(tc.GetConfigStrData().size(), 4096 * 5);
        }
    };
    const char replacements[] = {'\0', '"', ';', '[', '\xE9'};
    for (const char *name : {"drive_a.eds", "ioblock.eds", "valve_crlf.eds"}) {
        const QByteArray whole = Read_Bytes(Eds_Data(name));
        ASSERT_FALSE(whole.isEmpty()) << name;
        // Lines that begin a connection entry bound what any copy can decode.
        const size_t entries = size_t(whole.count("Connection") - whole.count("[Connection Manager]")
                                      - whole.count("Connection Manager Object"));
        for (qsizetype n = 0; n <= whole.size(); ++n)
            read_all(whole.left(n), entries);
        for (const char b : replacements)
            for (qsizetype i = 0; i < whole.size(); ++i) {
                QByteArray copy = whole;
                copy[i] = b;
                read_all(copy, entries);
            }
    }
}

TEST_F(EdsFiles, ACharacterAProjectFileCannotHoldIsReportedNotImported)
{
    struct Case { QByteArray entry; const char *field; };
    const Case cases[] = {
        {B("Connection2 = 0x04010002,0x44640405,,32,,,16,,,,5,Assem100,\"Ma\0in\",\"help\","
                    "\"20 04 24 64 2C 96 2C 64\";"), "name"},
        {B("Connection2 = 0x04010002,0x44640405,,32,,,16,,,,5,Assem100,\"Main\",\"he\x01lp\","
         "\"20 04 24 64 2C 96 2C 64\";"), "help text"},
        {B("Connection2 = 0x04010002,0x44640405,,32,,,16,,,,8\0" "0,Assem100,\"Main\",\"help\","
                    "\"20 04 24 64 2C 96 2C 64\";"), "target configuration size"},
        {B("Connection2 = 0x04010002,0x44640405,,32,,,16,,,,5,Assem\x0b" "100,\"Main\",\"help\","
                    "\"20 04 24 64 2C 96 2C 64\";"), "target configuration format"},
    };
    for (const Case &c : cases) {
        const QString path = Project_Path + QStringLiteral("/device.eds");
        Write(path, "[Connection Manager]\r\nConnection1 = 0x04010002,0x44640405,,32,,,16,,,,5,Assem100,\"A\",\"\","
                    "\"20 04 24 64 2C 96 2C 64\";\r\n" + c.entry + "\r\n");
        TEDS_Reader r;
        r.EDS_FileName = path;
        try {
            r.Read_EDS();
            ADD_FAILURE() << c.field;
        } catch (const EEDS_Error &e) {
            const QString what = QString::fromUtf8(e.what());
            EXPECT_TRUE(what.contains(QLatin1String(c.field))) << e.what();
            EXPECT_TRUE(what.contains(QStringLiteral("Connection2"))) << e.what();
            EXPECT_TRUE(what.contains(QStringLiteral("device.eds"))) << e.what();
            EXPECT_TRUE(what.contains(QStringLiteral("U+00"))) << e.what();
        }
    }
}

// Random text built from the characters that drive the reader never makes it read out
// of bounds (run under the sanitizer build) or stop.
TEST(EdsReader, RandomInputIsReadSafely)
{
    std::mt19937 rng(18);
    const QString alphabet = QStringLiteral("[]=,;\"$ 0x2C24252620212D2E ConnectionDevice");
    for (int round = 0; round < 200; ++round) {
        QStringList lines = {QStringLiteral("[Device]"), QStringLiteral("[Connection Manager]")};
        for (int l = 0; l < 20; ++l) {
            QString line = (rng() % 3 == 0) ? QStringLiteral("Connection1 = ") : QString();
            const int len = int(rng() % 80);
            for (int i = 0; i < len; ++i)
                line += alphabet[int(rng() % uint32_t(alphabet.size()))];
            lines << line;
        }
        lines << QStringLiteral("Connection9 = ,,,,,,,,,,,,,,\"20 04 25 24 26 2C 2D 2E 00 00\";");
        TEDS_Reader r;
        r.Read_Lines(lines);
        for (size_t k = 0; k < r.List_Conn.size(); ++k)
            EXPECT_EQ(r.Grid_Cells(int(k)).size(), TEDS_Reader::Grid_Columns);
    }
}

} // namespace

// A device key written without a blank after "=" is read whole.
TEST(EdsReader, DeviceValueRightAfterTheEqualSign)
{
    EXPECT_EQ(TEDS_Reader::GetDeviceValue(QStringLiteral("PRODTYPE =12;"), QStringLiteral("PRODTYPE =")), 12);
    TEDS_Reader r;
    r.Read_Lines({"[Device]", "VendCode =1;", "ProdType =12;", "ProdCode =0x22;", "MajRev =\t3;", "MinRev = 4;"});
    EXPECT_EQ(Identity(r), (std::vector<int>{1, 12, 0x22, 3, 4}));
}

// A path piece "[ParamN]" takes the default of that parameter, as wide as its segment asks;
// the [Params] section may come after the connections.
TEST(EdsReader, PathPiecesReferringToParameters)
{
    const QString entry = QStringLiteral("Connection%1 = 0x04010002,0x44640405,,32,,,16,,,,,,\"C%1\",\"\",\"%2\";");
    TEDS_Reader r;
    r.Read_Lines({"[Connection Manager]",
                  entry.arg(1).arg("20 04 24 [Param6] 2C 96 2C 64"),
                  entry.arg(2).arg("20 04 25 00 [Param7] 2C [Param6] 2C 64"),
                  entry.arg(3).arg("20 04 24 [Param9] 2C 96 2C 64"),   // no such parameter
                  "[Params]",
                  "Param6 = 0,,,0x0000,0xC6,1,\"Instance\",\"\",\"\",1,255,120;",
                  "Param7 = 0,,,0x0000,0xC7,2,",
                  "   \"Wide\",\"\",\"\",0,65535,0x1234;"});
    ASSERT_EQ(r.List_Conn.size(), 2u);
    EXPECT_EQ(r.Grid_Cells(0).mid(3, 4), (QStringList{"120", "150", "120", "100"}));
    EXPECT_EQ(r.Grid_Cells(1).mid(3, 4), (QStringList{"4660", "120", "4660", "100"}));

    // Without the lines of a file a reference stays unresolved, as before.
    TEDS_Reader alone;
    alone.DecodeConnStr(QStringLiteral("0x04010002,0x44640405,,32,,,16,,,,,,\"C\",\"\",\"20 04 24 [Param6] 2C 96 2C 64\""));
    EXPECT_TRUE(alone.List_Conn.empty());
}
