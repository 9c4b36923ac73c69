#include "gridtest.h"

#include <QImage>
#include <QPainter>
#include <vector>

// --- Counts -----------------------------------------------------------------------------

TEST_F(GridFixture, CountsKeepOneRowAndLowerFixedRows)
{
    grid->SetFixedRows(3 - 1);
    grid->SetRowCount(2);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->FixedRows(), 1);
    grid->SetRowCount(0);
    EXPECT_EQ(grid->RowCount(), 1);
    EXPECT_EQ(grid->FixedRows(), 0);
    grid->SetColCount(1);
    EXPECT_EQ(grid->FixedCols(), 0);
}

TEST_F(GridFixture, FixedCountsOutsideTheGridThrow)
{
    EXPECT_THROW(grid->SetFixedRows(5), EGridError);
    EXPECT_THROW(grid->SetFixedCols(-1), EGridError);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_NO_THROW(grid->SetFixedRows(4));
}

TEST_F(GridFixture, ShrinkingRowCountMovesTheCurrentCellIntoTheGrid)
{
    grid->SetRowCount(20);
    grid->SetRow(15);
    grid->SetRowCount(10);
    EXPECT_EQ(grid->Row(), 9);
    // A vetoed move still leaves no current cell outside the grid.
    grid->SetRow(8);
    grid->Veto = [](int, int) { return false; };
    grid->SetRowCount(5);
    EXPECT_EQ(grid->Row(), 4);
}

TEST_F(GridFixture, DefaultRowHeightResetsEveryRow)
{
    grid->SetRowHeights(2, 50);
    grid->SetDefaultRowHeight(30);
    for (int r = 0; r < grid->RowCount(); ++r)
        EXPECT_EQ(grid->RowHeights(r), 30);
    grid->SetRowCount(8);
    EXPECT_EQ(grid->RowHeights(7), 30);
    EXPECT_THROW(grid->SetRowHeights(8, 10), EGridError);
}

TEST_F(GridFixture, OffsetsFollowChangedExtents)
{
    grid->SetRowCount(1000);
    EXPECT_EQ(grid->RowOffset(500), 500 * 24);
    grid->SetRowHeights(10, 100);
    EXPECT_EQ(grid->RowOffset(10), 10 * 24);
    EXPECT_EQ(grid->RowOffset(11), 10 * 24 + 100);
    EXPECT_EQ(grid->RowOffset(1000), 999 * 24 + 100);
    grid->SetRowHeights(3, 0);
    EXPECT_EQ(grid->RowOffset(11), 9 * 24 + 100);
    grid->MoveRow(10, 0);
    EXPECT_EQ(grid->RowOffset(1), 100);
    EXPECT_EQ(grid->RowHeights(0), 100);
}

// --- Geometry ---------------------------------------------------------------------------

TEST_F(GridFixture, CellRectsLeaveRoomForLines)
{
    EXPECT_EQ(grid->CellRect(0, 0), TRect(0, 0, 64, 24));
    EXPECT_EQ(grid->CellRect(1, 1), TRect(65, 25, 129, 49));
    grid->SetGridLineWidth(0);
    EXPECT_EQ(grid->CellRect(1, 1), TRect(64, 24, 128, 48));
    EXPECT_EQ(grid->CellRect(2, 3), TRect(128, 72, 192, 96));
}

TEST_F(GridFixture, CellRectIsClippedOrEmptyOutOfView)
{
    grid->SetGridLineWidth(0);
    grid->SetColCount(10);
    grid->SetRowCount(100);
    // Column 4 starts at 256 and is cut at the client's right edge.
    EXPECT_EQ(grid->CellRect(4, 1), TRect(256, 24, 300, 48));
    EXPECT_EQ(grid->CellRect(5, 1), TRect());
    grid->SetTopRow(10);
    EXPECT_EQ(grid->CellRect(1, 5), TRect());      // scrolled off above
    EXPECT_EQ(grid->CellRect(1, 10), TRect(64, 24, 128, 48));
    EXPECT_EQ(grid->CellRect(1, 0), TRect(64, 0, 128, 24));   // fixed rows stay
    EXPECT_EQ(grid->CellRect(99, 99), TRect());
    EXPECT_EQ(grid->CellRect(-1, 2), TRect());
}

TEST_F(GridFixture, MouseToCellHitsCellsAndTheirLines)
{
    struct Case { int x, y, col, row; };
    const Case cases[] = {
        {0, 0, 0, 0}, {63, 23, 0, 0}, {64, 24, 0, 0},   // the line belongs to the cell before
        {65, 25, 1, 1}, {299, 199, 4, 7}, {-1, 5, -1, -1}, {5, 500, -1, -1},
    };
    grid->SetRowCount(20);
    for (const Case &c : cases) {
        int col = 0, row = 0;
        grid->MouseToCell(c.x, c.y, col, row);
        EXPECT_EQ(col, c.col) << c.x << "," << c.y;
        EXPECT_EQ(row, c.row) << c.x << "," << c.y;
    }
}

TEST_F(GridFixture, VisibleCountsAndScrollLimits)
{
    grid->SetGridLineWidth(0);
    grid->SetColCount(10);
    grid->SetRowCount(100);
    // 200 pixels: 1 fixed row + 7 full rows of 24 (192), the 8th is cut.
    EXPECT_EQ(grid->VisibleRowCount(), 7);
    EXPECT_EQ(grid->VisibleColCount(), 3);
    EXPECT_EQ(grid->MaxTopRow(), 100 - 7);
    grid->SetTopRow(1000);
    EXPECT_EQ(grid->TopRow(), 99);
    grid->SetTopRow(-5);
    EXPECT_EQ(grid->TopRow(), 1);
}

TEST_F(GridFixture, MakingTheWindowLargerBringsTheViewBack)
{
    grid->SetRowCount(20);
    grid->SetTopRow(15);
    grid->resize(300, 1000);
    QApplication::processEvents();
    EXPECT_EQ(grid->TopRow(), 1);
}

// --- Current cell and selection ---------------------------------------------------------

TEST_F(GridFixture, RowSetterAsksSelectCellAndFiresClick)
{
    int clicks = 0;
    grid->OnClick = [&](TObject *) { ++clicks; };
    grid->SetRow(3);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(clicks, 1);
    grid->Veto = [](int, int row) { return row != 4; };
    grid->SetRow(4);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_THROW(grid->SetRow(5), EGridError);
}

TEST_F(GridFixture, SelectionSetterDoesNotAskSelectCell)
{
    grid->SelectCellCalls = 0;
    grid->SetSelection({3, 4, 1, 2});
    EXPECT_EQ(grid->SelectCellCalls, 0);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 3, 4}));
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 2);
    // A selection outside the grid (hidden selection) paints without harm.
    grid->SetSelection({5, 5, 5, 5});
    QImage img(300, 200, QImage::Format_RGB32);
    QPainter p(&img);
    EXPECT_NO_THROW(grid->PaintTo(p));
}

TEST_F(GridFixture, MoveColRowWithoutAnchorExtendsARangeSelection)
{
    grid->MoveColRow(1, 1, true, true);
    grid->MoveColRow(3, 2, false, true);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 2}));
    grid->SetOptions(grid->Options() - goRangeSelect);
    grid->MoveColRow(2, 2, false, true);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 2, 2}));
}

TEST_F(GridFixture, RowSelectSpansTheRow)
{
    grid->SetOptions(grid->Options() + goRowSelect);
    grid->FocusCell(3, 2, true);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 4, 2}));
}

TEST_F(GridFixture, FocusingAFarCellScrollsItIntoView)
{
    grid->SetGridLineWidth(0);
    grid->SetRowCount(100);
    grid->SetRow(50);
    EXPECT_EQ(grid->TopRow(), 50 - 7 + 1);
    grid->SetRow(2);
    EXPECT_EQ(grid->TopRow(), 2);
    // A fixed column never scrolls the view.
    grid->SetLeftCol(3);
    grid->SetCol(0);
    EXPECT_EQ(grid->LeftCol(), 3);
}

// --- Painting ---------------------------------------------------------------------------

TEST_F(GridFixture, PaintDrawsFixedCellsFirstWithTheirStates)
{
    grid->SetGridLineWidth(0);
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->SetSelection({1, 1, 2, 1});
    std::vector<std::tuple<int, int, TGridDrawState>> calls;
    grid->OnDrawCell = [&](TObject *, int c, int r, const TRect &, TGridDrawState s) {
        calls.emplace_back(c, r, s);
    };
    QImage img(300, 200, QImage::Format_RGB32);
    QPainter p(&img);
    grid->PaintTo(p);
    ASSERT_EQ(calls.size(), 9u);
    const std::vector<std::pair<int, int>> order = {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {0, 2},
                                                    {1, 1}, {2, 1}, {1, 2}, {2, 2}};
    for (size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(std::get<0>(calls[i]), order[i].first) << i;
        EXPECT_EQ(std::get<1>(calls[i]), order[i].second) << i;
    }
    EXPECT_EQ(std::get<2>(calls[0]), TGridDrawState{gdFixed});
    EXPECT_EQ(std::get<2>(calls[5]), TGridDrawState{gdSelected});   // not focused
    EXPECT_EQ(std::get<2>(calls[7]), TGridDrawState{});
}

TEST_F(GridFixture, PaintedCellsAbutWithoutLines)
{
    grid->SetGridLineWidth(0);
    grid->SetDefaultDrawing(false);
    grid->OnDrawCell = [&](TObject *, int c, int r, const TRect &rect, TGridDrawState) {
        grid->Canvas()->Brush.Color = (c + r) % 2 ? clRed : clBlue;
        grid->Canvas()->FillRect(rect);
    };
    QImage img(300, 200, QImage::Format_RGB32);
    img.fill(Qt::green);
    QPainter p(&img);
    grid->PaintTo(p);
    p.end();
    EXPECT_EQ(img.pixelColor(63, 10), QColor(Qt::blue));   // cell (0,0)
    EXPECT_EQ(img.pixelColor(64, 10), QColor(Qt::red));    // cell (1,0), no line between
    EXPECT_EQ(img.pixelColor(64, 24), QColor(Qt::blue));   // cell (1,1)
    // Past the last column and row the grid's colour shows.
    EXPECT_EQ(img.pixelColor(299, 150), ToQColor(clWindow));
}

TEST_F(GridFixture, DefaultDrawingShowsTextAndLines)
{
    grid->SetCells(1, 1, QStringLiteral("Hello"));
    grid->SetRow(3);
    QImage img(300, 200, QImage::Format_RGB32);
    QPainter p(&img);
    grid->PaintTo(p);
    p.end();
    EXPECT_EQ(img.pixelColor(64, 30), ToQColor(clBlack));    // fixed column's line
    EXPECT_EQ(img.pixelColor(100, 49), ToQColor(clSilver));  // a line under row 1
    bool ink = false;
    for (int x = 67; x < 120 && !ink; ++x)
        for (int y = 27; y < 45 && !ink; ++y)
            ink = img.pixelColor(x, y).lightness() < 128;
    EXPECT_TRUE(ink);
}
