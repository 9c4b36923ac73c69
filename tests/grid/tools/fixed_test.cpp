#include "exchange_fixture.h"

#include "grid/base/intlist.h"
#include "grid/tools/gridfixed.h"

#include <QGuiApplication>

using namespace GridFixed;

namespace {

using FixedTest = ExchangeTest;

QStringList Lines(const QString &Text) { return Text.split(QStringLiteral("\r\n")); }

TEST_F(FixedTest, AsciiTableAlignsAndContinuesMultiLineCells)
{
    Fill({{"name", "n", "end"}, {"ab", "7", "x"}, {"c", "123", "yy"}});
    Grid.OnGetAlignment = [](TObject *, int, int ACol, TAlignment &HAlign, TVAlignment &) {
        HAlign = ACol == 1 ? taRightJustify : ACol == 2 ? taCenter : taLeftJustify;
    };
    Grid.SetCells(2, 0, "abcd");
    EXPECT_EQ(Lines(SaveToASCIIString(Grid)),
              QStringList({"name   n abcd ", "ab     7   x  ", "c    123  yy  ", ""}));

    // The two-line cell continues under its column.
    Grid.SetMultilinecells(true);
    Grid.OnGetAlignment = nullptr;
    Fill({{"a", "b\r\nsecond", "c"}});
    EXPECT_EQ(Lines(SaveToASCIIString(Grid)), QStringList({"a b      c ", "  second", ""}));
    Grid.SetMultilinecells(false);
    EXPECT_EQ(Lines(SaveToASCIIString(Grid)), QStringList({"a b c ", ""}));
}

TEST_F(FixedTest, AsciiWidthsBeyondByteSizeAndManyColumns)
{
    Fill({{QString(300, u'w'), "z"}});
    EXPECT_EQ(Lines(SaveToASCIIString(Grid)).first(), QString(300, u'w') + QStringLiteral(" z "));
    Grid.SetColCount(600);
    Grid.SetCells(599, 0, "last");
    EXPECT_TRUE(Lines(SaveToASCIIString(Grid)).first().endsWith(QStringLiteral(" last ")));
}

TEST_F(FixedTest, AsciiFileFooterRowsAndFailure)
{
    Fill({{"a"}, {"sum"}});
    Grid.SetFixedFooters(1);
    SaveToASCII(Grid, Path("t.txt"), true);
    EXPECT_TRUE(Get("t.txt").startsWith("\xFF\xFE" "a\0"));
    EXPECT_EQ(Decode_Text(Get("t.txt")), QStringLiteral("a   \r\nsum \r\n"));
    AppendToASCII(Grid, Path("t.txt"), false);
    EXPECT_EQ(Decode_Text(Get("t.txt")), QStringLiteral("a   \r\nsum \r\na   \r\nsum \r\n"));

    // A failing export leaves the file, the column count and the cursor as they were.
    Grid.SetSaveHiddenCells(true);
    Grid.SetColCount(3);
    Grid.HideColumn(2);
    const int cols = Grid.ColCount();
    Grid.OnSaveCell = [](TObject *, int, int, QString &) { throw std::runtime_error("no"); };
    EXPECT_THROW(SaveToASCII(Grid, Path("t.txt"), false), std::runtime_error);
    EXPECT_EQ(Grid.ColCount(), cols);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Decode_Text(Get("t.txt")), QStringLiteral("a   \r\nsum \r\na   \r\nsum \r\n"));
}

TEST_F(FixedTest, FixedWidthExport)
{
    Fill({{"abcdef", "ab"}, {"x", "longer"}});
    TIntList widths(0, 0);
    SaveToFixed(Grid, Path("f.txt"), widths);
    EXPECT_EQ(widths.StrValue(), "7,7");
    EXPECT_EQ(Get("f.txt"), QByteArray("abcdef ab     \r\nx      longer \r\n"));
    widths.Clear();
    widths.Add(3);
    SaveToFixed(Grid, Path("f.txt"), widths);
    EXPECT_EQ(widths.StrValue(), "3,7");
    EXPECT_EQ(Get("f.txt"), QByteArray("abcab     \r\nx  longer \r\n"));
    Fill({{"ab"}});
    widths.Clear();
    widths.Add(3);
    SaveToFixed(Grid, Path("f.txt"), widths);
    EXPECT_EQ(Get("f.txt"), QByteArray("ab \r\n"));
    try {
        SaveToFixed(Grid, Dir.filePath("no/such/dir/f.txt"), widths);
        FAIL();
    } catch (const EDazGridError &e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), "Cannot Create file " + Dir.filePath("no/such/dir/f.txt"));
    }
}

TEST_F(FixedTest, FixedWidthImport)
{
    Put("in.txt", "aaaabbbbcc\r\n 1  2   \r\nxy\r\n");
    for (const char *positions : {"1,5,9", "9,1,5"}) {
        TIntList p(0, 0);
        p.SetStrValue(QString::fromLatin1(positions));
        Fill({{""}});
        LoadFromFixed(Grid, Path("in.txt"), p);
        EXPECT_EQ(p.StrValue(), "1,5,9");
        EXPECT_EQ(Rows(), QStringList({"aaaa|bbbb", "1|2", "xy|"}));
    }
    TIntList p(0, 0);
    p.SetStrValue("1,5,9");
    for (int max : {1, 0}) {
        Fill({{""}});
        LoadFromFixed(Grid, Path("in.txt"), p, false, max);
        EXPECT_EQ(Rows(), QStringList({"aaaa|bbbb"}));
    }
    Fill({{""}});
    LoadFromFixed(Grid, Path("in.txt"), p, false);
    EXPECT_EQ(Grid.Cells(0, 1), " 1  ");

    Fill({{"keep"}});
    try {
        LoadFromFixed(Grid, Path("none.txt"), p);
        FAIL();
    } catch (const EDazGridError &e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), "File " + Path("none.txt") + " not found");
    }
    TIntList one(0, 0);
    one.Add(1);
    EXPECT_THROW(LoadFromFixed(Grid, Path("in.txt"), one), EDazGridError);
    EXPECT_EQ(Rows(), QStringList({"keep"}));
}

}   // namespace
