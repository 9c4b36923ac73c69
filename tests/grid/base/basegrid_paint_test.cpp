// The base grid's cell painter and its keyboard and wheel behaviour over merged cells.
#include "grid/base/basegrid.h"
#include "common/test_random.h"
#include "grid/base/keys.h"
#include "paintutil.h"

#include <QApplication>
#include <QPainter>
#include <climits>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <vector>

namespace {

class TPaintProbe : public TBaseGrid
{
public:
    using TBaseGrid::DoMouseWheelDown;
    using TBaseGrid::FHideLastRow;
    using TBaseGrid::FHoverRowIdx;
    using TBaseGrid::KeyDown;
    using TBaseGrid::TBaseGrid;

    std::map<std::pair<int, int>, int> ContentCalls;
    std::map<std::pair<int, int>, TRect> ContentRects;
    std::map<std::pair<int, int>, TColor> Brushes;   // colours handed out by GetVisualProperties

    void DrawCellContent(TCanvas &Canvas, int ACol, int ARow, const TRect &ARect,
                         TGridDrawState AState) override
    {
        ++ContentCalls[{ACol, ARow}];
        ContentRects[{ACol, ARow}] = ARect;
        TBaseGrid::DrawCellContent(Canvas, ACol, ARow, ARect, AState);
    }
    void GetVisualProperties(int ACol, int ARow, TGridDrawState &State, bool Printing,
                             bool ApplySelection, bool MapDisplayColumn, TBrush &Brush,
                             TColor &ColorTo, TColor &MirrorColor, TColor &MirrorColorTo,
                             TFont &Font, TAlignment &HAlign, TVAlignment &VAlign,
                             bool &WordWrap, TCellGradientDirection &GradientDirection) override
    {
        const auto it = Brushes.find({ACol, ARow});
        if (it != Brushes.end())
            Brush.Color = it->second;
        TBaseGrid::GetVisualProperties(ACol, ARow, State, Printing, ApplySelection,
                                       MapDisplayColumn, Brush, ColorTo, MirrorColor,
                                       MirrorColorTo, Font, HAlign, VAlign, WordWrap,
                                       GradientDirection);
    }
    TRect Content(int c, int r) { return ContentRects[{c, r}]; }
    int Calls(int c, int r)
    {
        const auto it = ContentCalls.find({c, r});
        return it == ContentCalls.end() ? 0 : it->second;
    }
    void Key(uint16_t key)
    {
        KeyDown(key, {});
    }
};

constexpr TColor White = 0xFFFFFF;

// 8 columns of 40 and 8 rows of 20 pixels; a 240 x 160 client shows columns 0..5 and
// rows 0..7.
class BaseGridPaintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid = std::make_unique<TPaintProbe>();
        grid->setFrameShape(QFrame::NoFrame);
        grid->SetScrollBars(ssNone);
        grid->SetColCount(8);
        grid->SetRowCount(8);
        grid->SetDefaultColWidth(40);
        grid->SetDefaultRowHeight(20);
        grid->SetColor(White);
        grid->SetFixedColor(0xE0E0E0);
        grid->resize(240, 160);
        grid->show();
        QApplication::processEvents();
    }
    QImage Render()
    {
        grid->ContentCalls.clear();
        QImage img = BlankImage(grid->viewport()->width(), grid->viewport()->height(), clBlack);
        QPainter p(&img);
        grid->PaintTo(p);
        return img;
    }
    std::unique_ptr<TPaintProbe> grid;
};

}   // namespace

TEST_F(BaseGridPaintTest, LinesAreDrawnInsideEachCell)
{
    grid->SetCol(5);   // keep the current cell away from the cells looked at
    const QImage img = Render();
    // Cell (2, 2) spans x 80..119, y 40..59: its own right and bottom lines.
    EXPECT_EQ(PixelAt(img, 119, 50), 0xC0C0C0);
    EXPECT_EQ(PixelAt(img, 100, 59), 0xC0C0C0);
    EXPECT_EQ(PixelAt(img, 100, 50), White);
    EXPECT_EQ(PixelAt(img, 80, 50), White);   // the left neighbour's line is at 79
    EXPECT_EQ(PixelAt(img, 79, 50), 0xC0C0C0);
    // Fixed cells: one-pixel lines in the fixed line colour, on the fixed colour.
    EXPECT_EQ(PixelAt(img, 39, 50), 0x808080);
    EXPECT_EQ(PixelAt(img, 100, 19), 0x808080);
    EXPECT_EQ(PixelAt(img, 20, 50), 0xE0E0E0);
}

TEST_F(BaseGridPaintTest, WideLinesAndContentInset)
{
    grid->SetCol(5);
    grid->SetGridLineWidth(3);
    const QImage img = Render();
    // Centred two pixels inside the right and bottom edges: columns 117..119, rows 57..59.
    for (int x : {117, 118, 119})
        EXPECT_EQ(PixelAt(img, x, 48), 0xC0C0C0) << x;
    EXPECT_EQ(PixelAt(img, 116, 48), White);
    for (int y : {57, 58, 59})
        EXPECT_EQ(PixelAt(img, 100, y), 0xC0C0C0) << y;
    EXPECT_EQ(grid->Content(2, 2), TRect(83, 43, 117, 57));
    EXPECT_EQ(grid->Content(0, 2), TRect(0, 40, 39, 58));   // fixed: right 1, bottom 2

    grid->SetGridLineWidth(0);
    const QImage none = Render();
    EXPECT_EQ(PixelAt(none, 119, 48), White);   // drawn in the cell's own colour
    EXPECT_EQ(grid->Content(2, 2), TRect(80, 40, 120, 60));
}

TEST_F(BaseGridPaintTest, AMergeIsPaintedOnceAsOneRectangle)
{
    grid->SetCol(5);
    grid->MergeCells(1, 1, 3, 2);
    grid->SetCellEx(1, 1, "merged");
    grid->Brushes[{1, 1}] = clAqua;
    const QImage img = Render();
    EXPECT_EQ(grid->Calls(1, 1), 1);
    EXPECT_EQ(grid->Calls(2, 1) + grid->Calls(3, 2) + grid->Calls(1, 2), 0);
    EXPECT_EQ(grid->Content(1, 1), TRect(41, 21, 159, 59));
    // No line inside the merge, its colour over the whole rectangle.
    EXPECT_EQ(PixelAt(img, 79, 30), clAqua & 0xFFFFFF);
    EXPECT_EQ(PixelAt(img, 100, 39), clAqua & 0xFFFFFF);
    EXPECT_EQ(PixelAt(img, 159, 50), 0xC0C0C0);
}

TEST_F(BaseGridPaintTest, AMergeScrolledPartlyOutIsPaintedByItsFirstVisibleCell)
{
    grid->SetRowCount(20);
    grid->SetCol(5);
    grid->MergeCells(2, 1, 3, 2);   // rows 1..2; with TopRow 2 its base row is out of view
    grid->Brushes[{2, 1}] = clRed;
    grid->SetTopRow(2);
    const QImage img = Render();
    EXPECT_EQ(grid->Calls(2, 1), 1);
    EXPECT_EQ(PixelAt(img, 100, 30), clRed);       // the visible row of the merge
    EXPECT_NE(PixelAt(img, 100, 10), clRed);       // clipped away from the fixed row
    // The next pass paints it again (one pass, one paint), also after the merge was painted
    // on another canvas in between.
    QImage other = BlankImage(100, 100);
    {
        TCanvas canvas(&other);
        grid->PaintCell(canvas, 3, 2, TRect(0, 0, 40, 20), {});
    }
    Render();
    EXPECT_EQ(grid->Calls(2, 1), 1);
}

TEST_F(BaseGridPaintTest, HoverAndActiveRows)
{
    grid->SetHoverRow(true);
    grid->SetHoverRowColor(clYellow);
    grid->FHoverRowIdx = 3;
    grid->SetCol(2);
    grid->SetRow(3);   // the current cell lies in the hover row
    QImage img = Render();
    EXPECT_EQ(PixelAt(img, 140, 70), clYellow);
    EXPECT_EQ(PixelAt(img, 100, 70), clYellow);   // hcSelected: the selected cell too
    EXPECT_NE(PixelAt(img, 20, 70), clYellow);    // fixed cells only with hcFixed

    grid->SetHoverRowCells({hcNormal});
    img = Render();
    EXPECT_EQ(PixelAt(img, 140, 70), clYellow);
    EXPECT_EQ(PixelAt(img, 100, 70), ColorToRGB(clHighlight));   // keeps its selection look

    grid->SetHoverRow(false);
    grid->SetActiveRowShow(true);
    grid->SetActiveRowColor(clLime);
    img = Render();
    EXPECT_EQ(PixelAt(img, 60, 70), clLime);
    EXPECT_EQ(PixelAt(img, 140, 70), clLime);
    EXPECT_EQ(PixelAt(img, 100, 70), ColorToRGB(clHighlight));   // the current cell's own look
    EXPECT_EQ(PixelAt(img, 140, 90), White);
}

TEST_F(BaseGridPaintTest, SelectionFacesRoundTheEndsOfTheSelection)
{
    grid->SetSelectionStyle(ssWin7);
    grid->SetSelection(TGridRect{2, 3, 5, 3});
    grid->clearFocus();
    ASSERT_FALSE(grid->hasFocus());
    QImage img = Render();
    // Unfocused, without goDrawFocusSelected: the grey set.
    const int top = 60;
    EXPECT_EQ(PixelAt(img, 82, top), 0xD9D9D9);    // the left end's border starts inset
    EXPECT_EQ(PixelAt(img, 80, top), White);       // outer corner pixel: the backdrop
    EXPECT_EQ(PixelAt(img, 81, top), 0xEFEFEF);    // corner pixel
    EXPECT_EQ(PixelAt(img, 120, top), 0xD9D9D9);   // column 3 is square
    EXPECT_EQ(PixelAt(img, 160, top), 0xD9D9D9);   // column 4 too
    EXPECT_EQ(PixelAt(img, 238, top), White);      // the right end of column 5 is rounded
    EXPECT_EQ(PixelAt(img, 237, top), 0xEFEFEF);

    grid->SetOptions(grid->Options() + goDrawFocusSelected);
    img = Render();
    EXPECT_EQ(PixelAt(img, 120, top), 0xCEA27D);   // the focused Win7 border
    EXPECT_EQ(PixelAt(img, 81, top), 0xE0C5AE);

    grid->SetSelectionStyle(ssDefault);
    img = Render();
    EXPECT_EQ(PixelAt(img, 120, top), ColorToRGB(clHighlight));   // no face
}

TEST_F(BaseGridPaintTest, EachSelectionStyleHasItsFocusedColours)
{
    grid->SetOptions(grid->Options() + goDrawFocusSelected);
    grid->SetSelection(TGridRect{2, 3, 5, 3});
    const struct
    {
        TGridSelectionStyle style;
        TColor border, corner;
    } cases[] = {
        {ssVista, 0xFDDE99, 0xFCEDCB},
        {ssWin7, 0xCEA27D, 0xE0C5AE},
        {ssOffice2007, 0x8DD7D3, 0xC3D9DF},
    };
    for (const auto &c : cases) {
        grid->SetSelectionStyle(c.style);
        const QImage img = Render();
        EXPECT_EQ(PixelAt(img, 120, 60), c.border) << int(c.style);
        EXPECT_EQ(PixelAt(img, 81, 60), c.corner) << int(c.style);
        EXPECT_EQ(PixelAt(img, 80, 60), White) << int(c.style);
    }
}

TEST_F(BaseGridPaintTest, ReservedLastRowShowsOnlyTheGridColour)
{
    grid->SetCellEx(2, 7, "hidden");
    grid->FHideLastRow = true;
    const QImage img = Render();
    EXPECT_EQ(grid->Calls(2, 7), 0);
    EXPECT_EQ(CountPixels(img, TRect(40, 140, 240, 160), White), 200 * 20);
}

TEST_F(BaseGridPaintTest, PaintCellExtDrawsNoContent)
{
    grid->SetCellEx(1, 1, "text");
    grid->MergeCells(1, 1, 2, 1);
    grid->ContentCalls.clear();
    QImage img = BlankImage(100, 40);
    std::vector<TCanvasOp> ops;
    {
        TCanvas canvas(&img);
        canvas.SetRecorder(&ops);
        grid->PaintCellExt(canvas, 1, 1, TRect(0, 0, 30, 20), {});
    }
    EXPECT_EQ(grid->Calls(1, 1), 0);
    EXPECT_TRUE(OpsNamed(ops, "DrawText").empty());
    ops.clear();
    {
        TCanvas canvas(&img);
        canvas.SetRecorder(&ops);
        grid->PaintCell(canvas, 1, 1, TRect(0, 0, 30, 20), {});
    }
    const auto texts = OpsNamed(ops, "DrawText");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text, "text");
}

// --- Navigation ------------------------------------------------------------------------

TEST_F(BaseGridPaintTest, RightAndDownStepOverAMerge)
{
    grid->MergeCells(2, 1, 3, 1);   // columns 2..4
    grid->SetCol(2);
    grid->SetRow(1);
    grid->Key(VK_RIGHT);
    EXPECT_EQ(grid->Col(), 5);

    grid->MergeCells(1, 3, 1, 3);   // rows 3..5
    grid->SetCol(1);
    grid->SetRow(3);
    grid->Key(VK_DOWN);
    EXPECT_EQ(grid->Row(), 6);

    grid->MergeCells(5, 6, 3, 1);   // reaches the last column
    grid->SetCol(5);
    grid->SetRow(6);
    grid->Key(VK_RIGHT);
    EXPECT_EQ(grid->Col(), 5);
}

TEST_F(BaseGridPaintTest, LeftAndUpFromInsideAMergeLeaveIt)
{
    grid->MergeCells(3, 1, 3, 1);   // columns 3..5
    grid->SetCol(5);   // a covered cell, made current directly
    grid->SetRow(1);
    grid->Key(VK_LEFT);
    EXPECT_EQ(grid->Col(), 2);   // the cell left of the merge

    grid->MergeCells(2, 3, 1, 3);   // rows 3..5
    grid->SetCol(2);
    grid->SetRow(5);
    grid->Key(VK_UP);
    EXPECT_EQ(grid->Row(), 2);   // the row above the merge

    grid->SetCol(1);
    grid->SetRow(4);
    grid->Key(VK_RIGHT);         // into the merge: snaps onto its base cell
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
}

TEST_F(BaseGridPaintTest, WheelSnapsToTheBaseCell)
{
    grid->MergeCells(1, 2, 1, 3);   // rows 2..4
    grid->SetCol(1);
    grid->SetRow(1);
    grid->DoMouseWheelDown({}, QPoint());
    EXPECT_EQ(grid->Row(), 2);
    grid->SetRow(5);
    grid->FHideLastRow = true;
    grid->Key(VK_NEXT);   // the view already shows the last row
    EXPECT_LT(grid->Row(), grid->RowCount());
}

TEST_F(BaseGridPaintTest, PageDownOverAReservedLastRowStepsFromTheRowAboveIt)
{
    grid->SetRowCount(20);
    grid->FHideLastRow = true;
    std::vector<int> asked;
    grid->OnSelectCell = [&](TObject *, int, int row, bool &) { asked.push_back(row); };
    // The view does not reach the reserved row yet: an ordinary page, one step.
    grid->SetRow(2);
    asked.clear();
    grid->Key(VK_NEXT);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_GT(asked[0], 2);
    EXPECT_LT(asked[0], 19);
    // The view reaches it: the current row first goes to the row above it.
    grid->SetTopRow(13);
    ASSERT_EQ(grid->VisibleRowCount() + grid->TopRow() - grid->FixedRows(), 19);
    grid->SetRow(14);
    asked.clear();
    grid->Key(VK_NEXT);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), 18);
    // Without the reserved row nothing is inserted before the framework's step.
    grid->FHideLastRow = false;
    grid->SetRow(14);
    asked.clear();
    grid->Key(VK_NEXT);
    EXPECT_EQ(asked, (std::vector<int>{19}));
}

// Merges, records and texts shuffled by structure changes leave spans that no longer match;
// painting, keys, queries and splits over them only ever refuse with EGridError (run under
// the sanitizers too).
TEST_F(BaseGridPaintTest, WildMergesAndStructureChangesNeverCrash)
{
    TTestRandom random(777);
    auto next = [&] { return random.Next16(); };
    auto arg = [&] {
        switch (next() % 8) {
        case 0: return -1 - next() % 2;
        case 1: return INT_MAX;
        default: return next() % 10;
        }
    };
    const uint16_t keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_NEXT, VK_PRIOR, VK_HOME, VK_END};
    for (int i = 0; i < 3000; ++i) {
        const int a = arg(), b = arg();
        try {
            switch (next() % 18) {
            case 0:
            case 1: grid->MergeCells(a, b, next() % 4, next() % 4); break;
            case 2: grid->SplitCells(a, b); break;
            case 3: grid->SetCellEx(a, b, QStringLiteral("c%1").arg(i)); break;
            case 4: (void)grid->GetCellEx(a, b); break;
            case 5: grid->GetCellProperties(a, b)->SetBrushColor(clAqua); break;
            case 6: grid->FreeCellProperties(a, b); break;
            case 7: grid->SetCellProperties(a, b, nullptr); break;
            case 8: grid->DeleteRow(a); break;
            case 9: grid->MoveRow(a, b); break;
            case 10: grid->MoveColumn(a, b); break;
            case 11: grid->InsertRows({a}); break;
            case 12: grid->SetRowCount(next() % 16); break;
            case 13: grid->SetColCount(next() % 10); break;
            case 14: grid->FocusCell(a, b, true); break;
            case 15: grid->Key(keys[next() % 8]); break;
            case 16: grid->DoMouseWheelDown({}, QPoint()); break;
            case 17: {
                QImage img = BlankImage(60, 40);
                TCanvas canvas(&img);
                grid->PaintCell(canvas, a, b, TRect(0, 0, 60, 40), {});
                break;
            }
            }
        } catch (const EGridError &) {
        }
        (void)grid->CellRect(a, b);
        (void)grid->FullCell(a, b);
        (void)grid->CellExt(a, b);
        if (i % 25 == 0)
            Render();
    }
}
