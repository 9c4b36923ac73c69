#include "exchange_fixture.h"

#include "grid/tools/gridxml.h"

#include <QRegularExpression>

using namespace GridXML;

namespace {

using XmlTest = ExchangeTest;

TEST_F(XmlTest, ExportLines)
{
    Fill({{"a<b & \"c\"", "", "z"}, {"m", "", "n"}});
    Grid.MergeCells(0, 1, 2, 1);
    QStringList names = {"NAME"};
    SaveToXML(Grid, Path("t.xml"), "LIST", "REC", &names, false);
    EXPECT_EQ(Get("t.xml"), QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<LIST>\r\n"
                                       "<REC>\r\n<NAME>a&lt;b &amp; &quot;c&quot;</NAME>\r\n<FIELD2>z</FIELD2>\r\n</REC>\r\n"
                                       "<REC>\r\n<NAME>m</NAME>\r\n<FIELD2>n</FIELD2>\r\n</REC>\r\n</LIST>\r\n"));
    SaveToXML(Grid, Path("t.xml"), "LIST", "REC", nullptr, true);
    EXPECT_TRUE(Get("t.xml").contains("<FIELD0>a&lt;b &amp; &quot;c&quot;</FIELD0>\r\n<FIELD1>&quot;&quot;</FIELD1>"));
    // The covered cell of the merge stays out even with empty cells.
    EXPECT_TRUE(Get("t.xml").contains("<REC>\r\n<FIELD0>m</FIELD0>\r\n<FIELD2>n</FIELD2>"));
    try {
        SaveToXML(Grid, Dir.filePath("no/dir/t.xml"), "L", "R", nullptr, false);
        FAIL();
    } catch (const EDazGridError &e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), "Cannot Create file " + Dir.filePath("no/dir/t.xml"));
    }
}

TEST_F(XmlTest, RoundTripKeepsEveryText)
{
    const QStringList texts = {"a&b", "<x>", "\"q\"", "&lt;", "$amp;", QStringLiteral("\u00e9")};
    Fill({texts, {"1", "2", "3", "4", "5", "6"}});
    SaveToXML(Grid, Path("rt.xml"), "L", "R", nullptr, false);
    TDazStringGrid other;
    LoadFromXML(other, Path("rt.xml"));
    ASSERT_EQ(other.ColCount(), 6);
    ASSERT_EQ(other.RowCount(), 2);
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(other.Cells(c, 0), texts[c]);
    EXPECT_EQ(other.Cells(5, 1), "6");
}

TEST_F(XmlTest, RecordsFieldsAndNames)
{
    Put("d.xml", "<?xml version=\"1.0\"?>\n<catalog>\n"
                 "  <book id=\"b1\"><author>Gambardella</author><title>XML &amp; you</title></book>\n"
                 "  <book id=\"b2\"><author>Ralls</author><title>Midnight</title></book>\n"
                 "  <note><text>whole <b>text</b></text></note>\n"
                 "</catalog>\n");
    Fill({{""}});
    LoadFromXML(Grid, Path("d.xml"));
    EXPECT_EQ(Rows(), QStringList({"b1|Gambardella|XML & you", "b2|Ralls|Midnight", "whole text||"}));

    // Names into row 0, data from FixedRows on.
    Fill({{"", "", ""}, {"", "", ""}}, 1);
    LoadFromXML(Grid, Path("d.xml"), false, true);
    EXPECT_EQ(Rows(), QStringList({"id|author|title", "b1|Gambardella|XML & you", "b2|Ralls|Midnight",
                                   "whole text||"}));
}

TEST_F(XmlTest, LevelToRow)
{
    Put("l.xml", "<root><group a=\"1\" b=\"2\"><item>x</item><item>y</item></group>"
                 "<group a=\"3\"><item>z</item><item>w</item></group></root>");
    Fill({{""}});
    Grid.SetSaveFixedCells(false);
    LoadFromXML(Grid, Path("l.xml"), true);
    EXPECT_EQ(Rows(), QStringList({"1|2|", "3|x|y", "|z|w"}));
}

TEST_F(XmlTest, Failures)
{
    Fill({{"keep"}});
    try {
        LoadFromXML(Grid, Path("none.xml"));
        FAIL();
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "XML file not found");
    }
    Put("bad.xml", "<a>\n<b>\n</a>\n");
    try {
        LoadFromXML(Grid, Path("bad.xml"));
        FAIL();
    } catch (const std::runtime_error &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QRegularExpression("^XMLDOM Parsing error [1-9][0-9]* on line 3$")))
            << e.what();
    }
    EXPECT_EQ(Rows(), QStringList({"keep"}));
}

}   // namespace
