#include "exchange_fixture.h"

#include "grid/tools/gridcsv.h"
#include "grid/tools/gridtoolstate.h"

#include <QBuffer>

using namespace GridCSV;

namespace {

struct CsvTest : ExchangeTest
{
    QByteArray SaveOne(const QString &Cell)
    {
        Fill({{Cell}});
        SaveToCSV(Grid, Path("one.csv"), false);
        return Get("one.csv");
    }
    // Into an emptied one-cell grid.
    void LoadFresh(const QByteArray &Bytes)
    {
        Grid.Clear();
        Fill({{""}});
        Load(Bytes);
    }
    void Load(const QByteArray &Bytes, int MaxRows = 0)
    {
        Put("in.csv", Bytes);
        LoadFromCSV(Grid, Path("in.csv"), MaxRows);
    }
};

TEST_F(CsvTest, FieldsAreQuotedAndFoldedAsTheDialectSays)
{
    struct Case {
        const char *cell;
        bool java, quoteEmpty, always;
        QByteArray written;
    } cases[] = {
        {"a\"b", false, true, false, "\"a\"\"b\"\r\n"},
        {"a,b", false, true, false, "\"a,b\"\r\n"},
        {"a\r\nb", false, true, false, "\"a\x0b" "b\"\r\n"},
        {"a\r\nb", true, true, false, "a~b\r\n"},
        {"a,b", true, true, false, "\"a,b\"\r\n"},
        {"", false, true, false, "\"\"\r\n"},
        {"", true, true, false, "^\r\n"},
        {"", false, false, false, "\r\n"},
        {"x", false, true, true, "\"x\"\r\n"},
        // A quote and a line break: the break is folded inside the quotes.
        {"a\"\r\nb", false, true, false, "\"a\"\"\x0b" "b\"\r\n"},
    };
    for (const Case &c : cases) {
        Grid.SetJavaCSV(c.java);
        Grid.SetQuoteEmptyCells(c.quoteEmpty);
        Grid.SetAlwaysQuotes(c.always);
        EXPECT_EQ(SaveOne(QString::fromUtf8(c.cell)), c.written) << c.cell;
    }
}

TEST_F(CsvTest, EveryExportedTextComesBack)
{
    const QStringList texts = {"plain", "a\"b", "a,b", "a\r\nb", "", "a\"\r\nb", "x;y", "q\"b,"};
    for (bool java : {false, true}) {
        Grid.SetJavaCSV(java);
        Fill({texts, texts});
        SaveToCSV(Grid, Path("rt.csv"), true);
        TDazStringGrid other;
        other.SetJavaCSV(java);
        LoadFromCSV(other, Path("rt.csv"));
        ASSERT_EQ(other.RowCount(), 2);
        for (int c = 0; c < texts.size(); ++c)
            EXPECT_EQ(other.Cells(c, 1), texts[c]) << java << " " << c;
    }
}

TEST_F(CsvTest, EncodingsOfTheFile)
{
    Fill({{QStringLiteral("\u00e9\u20ac")}});
    SaveToCSV(Grid, Path("ansi.csv"), false);
    EXPECT_EQ(Get("ansi.csv"), QByteArray("\xE9\x80\r\n"));
    SaveToCSV(Grid, Path("utf8.csv"), true);
    EXPECT_EQ(Get("utf8.csv"), QByteArray("\xEF\xBB\xBF\xC3\xA9\xE2\x82\xAC\r\n"));

    // Appending keeps the file's encoding.
    Put("old.csv", QByteArray("\xEF\xBB\xBFold\r\n"));
    AppendToCSV(Grid, Path("old.csv"), false);
    EXPECT_EQ(Get("old.csv"), QByteArray("\xEF\xBB\xBFold\r\n\xC3\xA9\xE2\x82\xAC\r\n"));
    EXPECT_THROW(AppendToCSV(Grid, Path("missing.csv"), false), EFileError);

    // The OEM conversion writes the OEM bytes.
    Grid.SetOemConvert(true);
    Fill({{QStringLiteral("\u00e9")}});
    SaveToCSV(Grid, Path("oem.csv"), false);
    EXPECT_EQ(Get("oem.csv"), QByteArray("\x82\r\n"));
    LoadFromCSV(Grid, Path("oem.csv"));
    EXPECT_EQ(Grid.Cells(0, 0), QStringLiteral("\u00e9"));
}

TEST_F(CsvTest, FieldsOfALine)
{
    LoadFresh(" \"x,y\" ,z\r\n");
    EXPECT_EQ(Rows(), QStringList({"x,y|z"}));
    // An unterminated quote gives an empty cell and parsing goes on after the delimiter.
    Grid.SetDelimiter(u',');
    LoadFresh("\"abc,def,ghi\r\n");
    EXPECT_EQ(Rows(), QStringList({"|def|ghi"}));
    // A line ending with the delimiter leaves its last field unwritten.
    LoadFresh("a,b,\r\nc,d,e\r\n");
    EXPECT_EQ(Rows(), QStringList({"a|b|", "c|d|e"}));
}

TEST_F(CsvTest, TheDelimiterIsGuessedForOneImportOnly)
{
    struct Case {
        QByteArray file;
        QChar guessed;
    } cases[] = {
        {"a;b;c\r\n1;2;3\r\n", u';'},
        {"a,b;c\r\n1,2;3\r\n", u','},
        {"a|b|c\r\n", u'|'},
        {"\"x\"\"y\",b\r\n\"1\"\"2\",3\r\n", u','},
        {"abc\r\ndef\r\n", QChar()},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(GuessDelimiter(Split_Lines(Decode_Text(c.file)).value(0),
                                 Split_Lines(Decode_Text(c.file)).value(1)),
                  c.guessed)
            << c.file.constData();
        LoadFresh(c.file);
        EXPECT_TRUE(Grid.Delimiter().isNull());
    }
    EXPECT_EQ(Rows(), QStringList({"abc", "def"}));
    LoadFresh("a|b|c\r\n");
    EXPECT_EQ(Rows(), QStringList({"a|b|c"}));
}

TEST_F(CsvTest, TheDelimiterIsRestoredWhenTheImportFails)
{
    Grid.OnLoadCell = [](TObject *, int, int, QString &) { throw std::runtime_error("refused"); };
    EXPECT_THROW(Load("a;b\r\n"), std::runtime_error);
    EXPECT_TRUE(Grid.Delimiter().isNull());
}

TEST_F(CsvTest, RowsReadAndGridSize)
{
    QByteArray fifty;
    for (int i = 0; i < 50; ++i)
        fifty += "v" + QByteArray::number(i) + ",w\r\n";
    Fill({{"", ""}});
    Load(fifty, 10);
    EXPECT_EQ(Grid.RowCount(), 10);
    EXPECT_EQ(Grid.Cells(0, 9), "v9");
    Grid.SetLoadFirstRow(false);
    Load(fifty, 10);
    EXPECT_EQ(Grid.RowCount(), 10);
    EXPECT_EQ(Grid.Cells(0, 0), "v1");
    EXPECT_EQ(Grid.Cells(0, 9), "v10");
    Grid.SetLoadFirstRow(true);

    Fill({{"h", "h"}, {"", ""}}, 1);
    EXPECT_EQ(Grid.SaveStartRow(), 0);
    Grid.SetSaveFixedCells(false);
    ASSERT_EQ(Grid.SaveStartRow(), 1);
    Load("1,2\r\n3,4\r\n5,6\r\n7,8\r\n9,10\r\n");
    EXPECT_EQ(Grid.RowCount(), 1 + 5);
    EXPECT_EQ(Grid.MaxRowCount(), 6);
    EXPECT_EQ(Grid.Cells(1, 5), "10");
}

TEST_F(CsvTest, EmptyFiles)
{
    Fill({{"keep"}});
    Load("");
    EXPECT_EQ(Rows(), QStringList({"keep"}));
    try {
        Load("\xEF\xBB\xBF");
        FAIL();
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "File is empty");
    }
    EXPECT_THROW(LoadFromCSV(Grid, Path("nothing.csv")), EFileError);
}

TEST_F(CsvTest, InsertKeepsTheFloatingFooterLast)
{
    Fill({{"a", "b"}, {"c", "d"}, {"sum", "x"}});
    Grid.FloatingFooter().SetVisible(true);
    Put("more.csv", "e,f\r\ng,h\r\n");
    InsertFromCSV(Grid, Path("more.csv"));
    EXPECT_EQ(Rows(), QStringList({"a|b", "c|d", "e|f", "g|h", "sum|x"}));
}

TEST_F(CsvTest, ProgressAndStream)
{
    std::vector<int> seen;
    TGridToolState::Of(Grid).OnFileProgress = [&](TObject *, int p) { seen.push_back(p); };
    QByteArray data = "a,b\r\nc,d\r\ne,f\r\ng,h\r\n";
    QBuffer buf(&data);
    buf.open(QIODevice::ReadOnly);
    buf.read(5);
    Grid.Clear();
    Fill({{""}});
    LoadFromCSVStream(Grid, buf);
    EXPECT_EQ(Rows(), QStringList({"c|d", "e|f", "g|h"}));
    EXPECT_EQ(seen, (std::vector<int>{33, 67, 100}));
}

// Files as other programs write them: CRLF or LF endings, quoted fields holding the
// delimiter, doubled quotes, and a UTF-16 file with its mark.
TEST_F(CsvTest, ForeignFiles)
{
    LoadFresh("Year,Make,Model,Description,Price\n"
         "1997,Ford,E350,\"ac, abs, moon\",3000.00\n"
         "1999,Chevy,\"Venture \"\"Extended Edition\"\"\",\"\",4900.00\n");
    EXPECT_EQ(Rows(), QStringList({"Year|Make|Model|Description|Price",
                                   "1997|Ford|E350|ac, abs, moon|3000.00",
                                   "1999|Chevy|Venture \"Extended Edition\"||4900.00"}));
    const QString s = QStringLiteral("x;\u00fc\r\n");
    QByteArray utf16("\xFF\xFE", 2);
    for (QChar ch : s) {
        utf16.append(char(ch.unicode() & 0xFF));
        utf16.append(char(ch.unicode() >> 8));
    }
    LoadFresh(utf16);
    EXPECT_EQ(Rows(), QStringList({QStringLiteral("x|\u00fc")}));
}

}   // namespace
