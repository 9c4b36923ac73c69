// Highlighting and marking in cells: the texts are shown escaped with the matches tagged,
// and taking the tags off gives back exactly the text the cell held.
#include "tests/grid/string/gridfixture.h"

#include <gtest/gtest.h>

namespace {

TEST(HighlightRoundTrip, MatchesNeverSplitAnEntityAndTheTextComesBack)
{
    struct Case {
        const char *Text, *Search;
        bool DoCase;
        const char *Tagged;
    };
    const Case cases[] = {
        {"a & b", "a", false, "<hi>a</hi> &amp; b"},
        {"x > y", "t", false, "x &gt; y"},
        {"\"quoted\"", "quot", true, "&quot;<hi>quot</hi>ed&quot;"},
        {"1<2 lt", "LT", false, "1&lt;2 <hi>lt</hi>"},
        {"p&amp;q", "amp", true, "p&amp;<hi>amp</hi>;q"},
        {"xAbyab", "ab", false, "x<hi>Ab</hi>y<hi>ab</hi>"},
        {"abab", "ab", true, "<hi>ab</hi>ab"},   // a match right after a match is skipped
        {"a<b>", "", false, "a&lt;b&gt;"},
    };
    auto grid = NamedGrid(2, 2);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Text);
        const QString text = QString::fromUtf8(c.Text);
        grid->SetCells(1, 1, text);
        grid->HilightInCell(c.DoCase, 1, 1, QString::fromUtf8(c.Search));
        EXPECT_EQ(grid->Cells(1, 1).toStdString(), c.Tagged);
        grid->UnHilightInCell(1, 1);
        EXPECT_EQ(grid->Cells(1, 1), text);
    }
}

// A cell tagged before is taken as mark-up: its marking tags stay tags and its entities
// are not escaped a second time.
TEST(HighlightRoundTrip, TaggingAgainKeepsTheTagsAlreadyThere)
{
    auto grid = NamedGrid(2, 2);
    grid->SetCells(1, 1, QStringLiteral("hi & hi"));
    grid->HilightInCell(false, 1, 1, QStringLiteral("hi"));
    grid->HilightInCell(false, 1, 1, QStringLiteral("hi"));
    grid->UnHilightInCell(1, 1);
    EXPECT_EQ(grid->Cells(1, 1), "hi & hi");

    grid->HilightInCell(false, 1, 1, QStringLiteral("hi"));
    grid->MarkInCell(false, 1, 1, QStringLiteral("i"));
    EXPECT_EQ(grid->Cells(1, 1), "<hi>h<e>i</e></hi> &amp; <hi>h<e>i</e></hi>");
    grid->UnMarkInCell(1, 1);
    grid->UnHilightInCell(1, 1);
    EXPECT_EQ(grid->Cells(1, 1), "hi & hi");
}

}   // namespace
