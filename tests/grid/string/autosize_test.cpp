// Auto-size, auto-fit, numbering, swaps and stretching of the string grid.
#include "paintfixture.h"

#include <QFontMetrics>
#include <utility>

namespace {

using AutoSizeTest = PaintFixture;

TEST_F(AutoSizeTest, ColumnFitsItsWidestTextWithTheMargins)
{
    grid->SetCells(2, 3, QStringLiteral("a rather longer text"));
    const QFontMetrics fm(grid->Font().ToQFont());
    const int expected = fm.horizontalAdvance(QStringLiteral("a rather longer text")) +
                         grid->CellXMargin() + 2 * grid->GridLineWidth() + 2;
    grid->AutoSizeCol(2);
    EXPECT_EQ(grid->ColWidths(2), expected);

    // Grow-only never narrows; without it a column shrinks back to its content.
    grid->SetCells(2, 3, QStringLiteral("x"));
    grid->SetSizeGrowOnly(true);
    grid->AutoSizeCol(2);
    EXPECT_EQ(grid->ColWidths(2), expected);
    grid->SetSizeGrowOnly(false);
    grid->AutoSizeCol(2);
    EXPECT_LT(grid->ColWidths(2), expected);

    // Equal limits leave the width unclamped; a maximum clamps.
    grid->SetMinColWidth(50);
    grid->SetMaxColWidth(50);
    grid->AutoSizeCol(2, 0);
    EXPECT_NE(grid->ColWidths(2), 50);
    grid->SetMinColWidth(0);
    grid->SetMaxColWidth(20);
    grid->SetCells(2, 3, QStringLiteral("a rather longer text"));
    grid->AutoSizeCol(2);
    EXPECT_EQ(grid->ColWidths(2), 20);
}

TEST_F(AutoSizeTest, RowFitsItsTallestCell)
{
    grid->SetMultilinecells(true);
    grid->SetWordWrap(false);
    grid->SetCells(2, 3, QStringLiteral("one\rtwo\rthree"));
    grid->AutoSizeRow(3);
    const int line = QFontMetrics(grid->Font().ToQFont()).height();
    EXPECT_EQ(grid->RowHeights(3), 3 * line + grid->CellYMargin() + 2 * grid->GridLineWidth());
}

TEST_F(AutoSizeTest, AutoNumberBothDirections)
{
    grid->AutoNumberCol(1);
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(grid->Cells(1, r), QString::number(r));
    grid->SetAutoNumberDirection(sdDescending);
    grid->AutoNumberCol(1);
    EXPECT_EQ(grid->Cells(1, 5), QStringLiteral("1"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("5"));
    EXPECT_EQ(grid->Cells(1, 0), QStringLiteral("r0c1"));
}

TEST_F(AutoSizeTest, AutoFitFillsTheWidthAndKeepsAFilledGrid)
{
    grid->SetBorderStyle(bsNone);
    grid->AutoFitColumns(true);
    int sum = 0;
    for (int c = 0; c < grid->ColCount(); ++c)
        sum += grid->ColWidths(c);
    EXPECT_EQ(sum, grid->width());
    std::vector<int> before;
    for (int c = 0; c < grid->ColCount(); ++c)
        before.push_back(grid->ColWidths(c));
    grid->AutoFitColumns(true);
    for (int c = 0; c < grid->ColCount(); ++c)
        EXPECT_EQ(grid->ColWidths(c), before[size_t(c)]);
}

TEST_F(AutoSizeTest, AutoFitOfColumnsWithoutWidthDoesNotDivideByZero)
{
    for (int c = 1; c < grid->ColCount(); ++c)
        grid->SetColWidths(c, 0);
    grid->SetBorderStyle(bsNone);
    grid->AutoFitColumns(false);
    int sum = 0;
    for (int c = 0; c < grid->ColCount(); ++c)
        sum += grid->ColWidths(c);
    EXPECT_EQ(sum, grid->width());
}

TEST_F(AutoSizeTest, SwapRowsTakesHiddenColumnsAlong)
{
    grid->HideColumn(3);
    grid->SetColors(3, 1, 0x0000FF);
    grid->SetRowHeights(1, 30);
    grid->SwapRows(1, 4);
    EXPECT_EQ(grid->AllGridCells(3, 1), QStringLiteral("r4c3"));
    EXPECT_EQ(grid->AllGridCells(3, 4), QStringLiteral("r1c3"));
    EXPECT_EQ(grid->Cells(2, 4), QStringLiteral("r1c2"));
    EXPECT_EQ(grid->Colors(3, 4), 0x0000FFu);
    EXPECT_EQ(grid->Colors(3, 1), clNone);
    EXPECT_EQ(grid->RowHeights(4), 30);
    grid->SetColors(3, 4, 0x00FF00);   // the moved record repaints its new cell
}

TEST_F(AutoSizeTest, SwapColumnsFollowTheSortColumn)
{
    grid->SortSettings().SetColumn(1);
    grid->SetColWidths(1, 40);
    grid->SwapColumns(1, 3);
    EXPECT_EQ(grid->Cells(3, 2), QStringLiteral("r2c1"));
    EXPECT_EQ(grid->ColWidths(3), 40);
    EXPECT_EQ(grid->SortSettings().Column(), 3);
}

TEST_F(AutoSizeTest, StretchRaisesOnlyWhenCalled)
{
    QWidget parent;
    grid->setParent(&parent);
    grid->ColumnSize().SetStretch(true);
    EXPECT_THROW(grid->StretchColumn(grid->ColCount()), EDazGridError);
    try {
        grid->StretchColumn(grid->ColCount());
    } catch (const EDazGridError &e) {
        EXPECT_STREQ(e.what(), "Stretch column index out of range");
    }
    // The automatic callers keep quiet about a bad stretch column.
    grid->ColumnSize().SetStretchColumn(12);
    EXPECT_NO_THROW(grid->SetColWidths(1, 50));
    EXPECT_NO_THROW(grid->SetColCount(4));
    EXPECT_NO_THROW(grid->ColumnSize().SetStretch(true));

    grid->ColumnSize().SetStretchColumn(-1);
    grid->StretchColumn(-1);
    int sum = 0;
    for (int c = 0; c < grid->ColCount(); ++c)
        sum += grid->ColWidths(c);
    EXPECT_EQ(sum, grid->ClientWidth() - 1);
    grid->setParent(nullptr);
}

// Resizing the grid: the stretch column fills the new width and OnResize fires once; with
// SynchWithGrid every column keeps its share of the width recorded at loading.
TEST(GridResize, StretchFillsTheWidthAndColumnsFollowTheGrid)
{
    QWidget parent;
    TDazStringGrid g(&parent);
    g.SetColCount(3);
    for (int c = 0; c < 3; ++c)
        g.SetColWidths(c, 50);
    int resized = 0;
    g.OnResize = [&](TObject *) { ++resized; };
    g.resize(300, 200);
    parent.resize(800, 600);
    parent.show();
    g.ColumnSize().SetStretch(true);
    g.ColumnSize().SetStretchColumn(-1);
    resized = 0;
    g.resize(400, 200);
    EXPECT_EQ(g.ColWidths(0) + g.ColWidths(1) + g.ColWidths(2), g.ClientWidth() - 1);
    EXPECT_EQ(resized, 1);

    // A stretch column outside the grid, or a horizontal bar kept, leave the widths alone.
    for (const auto &[column, always] :
         {std::pair{7, saNone}, std::pair{-1, saHorz}, std::pair{-1, saBoth}}) {
        g.ColumnSize().SetStretchColumn(column);
        g.SetScrollBarAlways(always);
        g.SetColWidths(2, 50);
        resized = 0;
        EXPECT_NO_THROW(g.resize(g.width() == 400 ? 420 : 400, 200));
        EXPECT_EQ(g.ColWidths(2), 50) << column << " " << int(always);
        EXPECT_EQ(resized, 1);
    }

    TDazStringGrid s(&parent);
    s.SetColCount(3);
    s.SetFixedCols(1);
    s.SetBorderStyle(bsNone);
    s.resize(300, 200);
    s.show();
    for (int c = 0; c < 3; ++c)
        s.SetColWidths(c, 60 + 10 * c);
    s.InitOrigColSizes();
    s.ColumnSize().SetSynchWithGrid(true);
    s.resize(600, 200);
    const double f = double(s.ClientWidth()) / 300;
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(s.ColWidths(c), int((60 + 10 * c) * f)) << c;
    // Normal cells only: the fixed column keeps its width.
    s.SetColWidths(0, 33);
    s.ColumnSize().SetSynchNormalCellsOnly(true);
    s.resize(500, 200);
    EXPECT_EQ(s.ColWidths(0), 33);
    EXPECT_EQ(s.ColWidths(1), int(70 * double(s.ClientWidth()) / 300));
}

}   // namespace

namespace {

TEST_F(AutoSizeTest, WidthBoundNeverUnderestimatesTheMeasuredText)
{
    const QFontMetrics fm(grid->Font().ToQFont());
    const QString texts[] = {QStringLiteral("R500000C3"), QStringLiteral("AVATAR To WAVE"),
                             QStringLiteral("Ångström ÿ ß"), QStringLiteral("iiiiiiiiiiii"),
                             QStringLiteral("1234567890.,;:"), QStringLiteral("LT Yo P. F,")};
    for (const QString &t : texts) {
        grid->SetCells(2, 3, t);
        const int bound = grid->TextWidthBound(2, 3);
        ASSERT_GE(bound, 0) << t.toStdString();
        EXPECT_GE(bound, fm.horizontalAdvance(t)) << t.toStdString();
    }
    grid->SetCells(2, 3, QStringLiteral("<b>x</b>"));
    EXPECT_EQ(grid->TextWidthBound(2, 3), -1);
    grid->SetColors(2, 4, clRed);
    EXPECT_EQ(grid->TextWidthBound(2, 4), -1);
}

TEST_F(AutoSizeTest, SkippingRowsKeepsTheExactWidestText)
{
    const QString texts[] = {QStringLiteral("AVAVAVAVAV"), QStringLiteral("WWWW"),
                             QStringLiteral("To To To To"), QStringLiteral("mmmmm"),
                             QStringLiteral("VAVAVAVAVA")};
    const QFontMetrics fm(grid->Font().ToQFont());
    int widest = 0;
    for (int r = 1; r <= 5; ++r) {
        grid->SetCells(2, r, texts[r - 1]);
        widest = std::max(widest, fm.horizontalAdvance(texts[r - 1]));
    }
    grid->SetCells(2, 0, QString());
    grid->AutoSizeCol(2);
    EXPECT_EQ(grid->ColWidths(2),
              widest + grid->CellXMargin() + 2 * grid->GridLineWidth() + 2);
}

}   // namespace
