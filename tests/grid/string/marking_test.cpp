// Highlights and error marks in cell texts, the cell checker's runs, the fills, the URL
// display hook, print column metrics, version texts and look names.
#include "grid/string/cellchecker.h"
#include "tests/grid/string/gridfixture.h"

#include <gtest/gtest.h>

namespace {

TEST(Marking, CaseRulesAndRoundTrip)
{
    auto grid = NamedGrid(3, 3);
    grid->SetCells(1, 1, QStringLiteral("xAbyab"));
    grid->HilightInCell(false, 1, 1, QStringLiteral("ab"));
    EXPECT_EQ(grid->Cells(1, 1), "x<hi>Ab</hi>y<hi>ab</hi>");
    grid->UnHilightInCell(1, 1);
    EXPECT_EQ(grid->Cells(1, 1), "xAbyab");
    grid->HilightInCell(true, 1, 1, QStringLiteral("ab"));
    EXPECT_EQ(grid->Cells(1, 1), "xAby<hi>ab</hi>");

    // Markup characters of the text survive tagging and untagging.
    grid->SetCells(2, 1, QStringLiteral("a<b> & \"b\""));
    grid->MarkInCell(false, 2, 1, QStringLiteral("b"));
    EXPECT_EQ(grid->Cells(2, 1), "a&lt;<e>b</e>&gt; &amp; &quot;<e>b</e>&quot;");
    grid->UnMarkInCell(2, 1);
    EXPECT_EQ(grid->Cells(2, 1), "a<b> & \"b\"");

    EXPECT_EQ(TDazStringGrid::HilightText(false, QStringLiteral("Abc"), QStringLiteral("b")),
              "A<hi>b</hi>c");
    EXPECT_EQ(TDazStringGrid::UnMarkText(QStringLiteral("<E>x</E>y")), "xy");
}

TEST(Marking, RowRangesAndHiddenColumns)
{
    auto grid = NamedGrid(4, 3, 1);
    grid->SetFixedCols(1);
    for (int c = 0; c < 4; ++c)
        grid->SetCells(c, 1, QStringLiteral("ab"));
    grid->HideColumn(2);
    grid->HilightInRow(false, false, 1, QStringLiteral("a"));
    EXPECT_EQ(grid->Cells(0, 1), "ab");             // fixed column left out
    EXPECT_EQ(grid->Cells(1, 1), "<hi>a</hi>b");
    EXPECT_EQ(grid->Cells(2, 1), "ab");             // hidden column skipped
    EXPECT_EQ(grid->Cells(3, 1), "<hi>a</hi>b");
    grid->SetCells(2, 1, QStringLiteral("<hi>a</hi>b"));
    grid->UnHilightInRow(false, 1);
    EXPECT_EQ(grid->Cells(1, 1), "ab");
    EXPECT_EQ(grid->Cells(2, 1), "ab");             // hidden column cleared too
    grid->HilightInGrid(true, false, QStringLiteral("b"));
    EXPECT_EQ(grid->Cells(0, 0), "0:0");
    EXPECT_EQ(grid->Cells(0, 1), "a<hi>b</hi>");
}

class TUpperChecker : public TDazStringGridCheck
{
public:
    QString Correct(int, int, const QString &S) override { return S.toUpper(); }
    QString MarkError(int, int, const QString &S) override
    {
        return S.contains(u'x') ? QStringLiteral("<e>") + S + QStringLiteral("</e>") : S;
    }
    void StartCheck() override { ++Starts; }
    void StopCheck() override { ++Stops; }
    int Starts = 0, Stops = 0;
};

TEST(Marking, CellChecksReportChangedCellsAndVisitEveryCell)
{
    auto grid = NamedGrid(3, 3, 1);
    EXPECT_TRUE(grid->CheckGrid(false));   // no checker
    TUpperChecker checker;
    grid->SetCellChecker(&checker);
    EXPECT_TRUE(grid->CheckGrid(false));   // the base looks change nothing
    checker.SetUseCorrect(true);
    grid->SetCells(1, 1, QStringLiteral("abc"));
    EXPECT_FALSE(grid->CheckRow(true, 1));
    EXPECT_EQ(grid->Cells(1, 1), "ABC");
    EXPECT_EQ(grid->Cells(2, 1), "2:1");
    EXPECT_EQ(checker.Starts, 2);
    EXPECT_EQ(checker.Stops, 2);

    // Both on: the marked text is stored; an old mark is taken off first.
    checker.SetUseMarkError(true);
    grid->SetCells(1, 2, QStringLiteral("<e>x</e>y"));
    EXPECT_FALSE(grid->CheckCell(1, 2));
    EXPECT_EQ(grid->Cells(1, 2), "<e>xy</e>");

    checker.SetGotoCell(true);
    grid->FocusCell(2, 2);
    grid->CheckCol(false, 1);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
}

TEST(Marking, FillsCoverTheirRanges)
{
    auto grid = NamedGrid(3, 4, 1);
    grid->SetFixedCols(1);
    grid->TextFill(false, QStringLiteral("t"));
    EXPECT_EQ(grid->Cells(0, 1), "0:1");
    EXPECT_EQ(grid->Cells(1, 0), "1:0");
    EXPECT_EQ(grid->Cells(2, 3), "t");
    grid->LinearFill(true);
    EXPECT_EQ(grid->Cells(0, 0), "0:0");
    EXPECT_EQ(grid->Cells(2, 1), "2:1");
    grid->FormatFill(false, QStringLiteral("c%d r%d"));
    EXPECT_EQ(grid->Cells(2, 3), "c2 r3");
    grid->RandomFill(false, 5);
    for (int r = 1; r < 4; ++r)
        for (int c = 1; c < 3; ++c) {
            const int v = grid->Ints(c, r);
            EXPECT_TRUE(v >= 0 && v < 5);
        }
}

TEST(Marking, UrlsBecomeLinksInTheDisplayText)
{
    auto grid = NamedGrid(2, 2);
    grid->SetCells(1, 1, QStringLiteral("see www.example.com now"));
    EXPECT_EQ(grid->Cells(1, 1), "see www.example.com now");
    grid->SetURLShowInText(true);
    EXPECT_TRUE(grid->Cells(1, 1).contains(QLatin1String("<a href")));
    EXPECT_EQ(grid->GetGridCell(1, 1), "see www.example.com now");
}

TEST(Marking, SmallAccessors)
{
    TDazStringGrid grid;
    EXPECT_EQ(grid.GetVersionNr(), 0x06020103);
    EXPECT_EQ(grid.Version(), "6.2.1.3");
    EXPECT_EQ(grid.GetVersionString(), "6.2.1.3 Sep, 2012");
    grid.SetPrintColumn(511, 40, 120);
    EXPECT_EQ(grid.PrintColWidth(511), 40);
    EXPECT_EQ(grid.PrintColOffset(511), 120);
    EXPECT_THROW(grid.PrintColOffset(512), EDazGridError);
    EXPECT_THROW(grid.PrintColWidth(-1), EDazGridError);
    EXPECT_EQ(TDazStringGrid::LookToString(glWin7), "glWin7");
    EXPECT_EQ(TDazStringGrid::LookDisplayName(glXP), "Windows XP");
    EXPECT_EQ(TDazStringGrid::LookToString(glCustom), "");

    grid.SetColCount(4);
    grid.SetRowCount(5);
    grid.SortSettings().SetShow(true);
    grid.SortSettings().SetRow(0);
    EXPECT_TRUE(grid.IsSortIndicatorCell(1, 0));
    EXPECT_FALSE(grid.IsSortIndicatorCell(1, 1));
    grid.SortSettings().SetRow(1);
    grid.SetFixedRows(2);
    grid.MergeCells(1, 0, 1, 2);   // a header merged over both fixed rows
    EXPECT_TRUE(grid.IsSortIndicatorCell(1, 0));
}

}   // namespace
