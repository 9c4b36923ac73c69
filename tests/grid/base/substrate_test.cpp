// The grid's hooks for descendants, its editor slot, thumb tracking, and its answer to
// coordinates outside the grid.
#include "gridtest.h"
#include "common/test_random.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <climits>
#include <functional>
#include <vector>

namespace {

// An editor that records the calls the grid makes on it.
class TRecordingEdit : public TInplaceEdit
{
public:
    using TInplaceEdit::TInplaceEdit;
    int Updates = 0;
    int Bounds = 0;

protected:
    void UpdateContents() override
    {
        ++Updates;
        TInplaceEdit::UpdateContents();
    }
    void BoundsChanged() override
    {
        ++Bounds;
        TInplaceEdit::BoundsChanged();
    }
};

// A grid that records the hooks the framework calls.
class THookGrid : public TTestGrid
{
public:
    using TTestGrid::TTestGrid;
    using TCustomGrid::ModifyScrollBar;

    std::vector<std::pair<int, int>> Sizes;   // old ColCount, old RowCount
    int WidthChanges = 0;
    int HeightChanges = 0;
    int TopLeftChanges = 0;
    int WheelDowns = 0;
    int WheelUps = 0;
    int Limit = 0;
    int EditorsMade = 0;
    TRecordingEdit *Editor = nullptr;

protected:
    void SizeChanged(int OldColCount, int OldRowCount) override
    {
        Sizes.emplace_back(OldColCount, OldRowCount);
        TTestGrid::SizeChanged(OldColCount, OldRowCount);
    }
    void ColWidthsChanged() override
    {
        ++WidthChanges;
        TTestGrid::ColWidthsChanged();
    }
    void RowHeightsChanged() override
    {
        ++HeightChanges;
        TTestGrid::RowHeightsChanged();
    }
    void TopLeftChanged() override
    {
        ++TopLeftChanges;
        TTestGrid::TopLeftChanged();
    }
    bool DoMouseWheelDown(TShiftState Shift, QPoint MousePos) override
    {
        ++WheelDowns;
        return TTestGrid::DoMouseWheelDown(Shift, MousePos);
    }
    bool DoMouseWheelUp(TShiftState Shift, QPoint MousePos) override
    {
        ++WheelUps;
        return TTestGrid::DoMouseWheelUp(Shift, MousePos);
    }
    TInplaceEdit *CreateEditor() override
    {
        ++EditorsMade;
        Editor = new TRecordingEdit(this);
        return Editor;
    }
    int GetEditLimit() override { return Limit; }
};

using HookFixture = TGridFixtureOf<THookGrid>;

}   // namespace

// --- Hooks ------------------------------------------------------------------------------

TEST_F(HookFixture, SizeAndExtentHooksFollowEveryChange)
{
    grid->SetRowCount(8);
    grid->SetColCount(3);
    grid->SetColCount(3);   // no change: no hook
    EXPECT_EQ(grid->Sizes, (std::vector<std::pair<int, int>>{{5, 5}, {5, 8}}));

    const int w = grid->WidthChanges, h = grid->HeightChanges;
    grid->SetColWidths(1, 90);
    grid->SetColWidths(1, 90);   // the same width again: no hook
    grid->SetDefaultRowHeight(30);
    grid->SetRowHeights(2, 12);
    grid->MoveRow(1, 3);
    grid->MoveColumn(1, 2);
    EXPECT_EQ(grid->WidthChanges - w, 2);    // width, column move
    EXPECT_EQ(grid->HeightChanges - h, 3);   // default, height, row move

    grid->Sizes.clear();
    grid->DeleteRows({2, 4});
    grid->InsertRows({1});
    EXPECT_EQ(grid->Sizes, (std::vector<std::pair<int, int>>{{3, 8}, {3, 6}}));
    EXPECT_EQ(grid->RowCount(), 7);
}

TEST_F(HookFixture, TopLeftHookRunsOncePerViewMove)
{
    grid->SetRowCount(100);
    grid->SetColCount(20);
    int events = 0;
    grid->OnTopLeftChanged = [&](TObject *) { ++events; };
    grid->SetTopRow(40);
    grid->SetTopRow(40);
    grid->SetLeftCol(6);
    grid->FocusCell(3, 90, true);   // scrolls back to column 3 and down to row 90
    EXPECT_EQ(grid->TopLeftChanges, 3);
    EXPECT_EQ(events, 3);
    EXPECT_LE(grid->TopRow(), 90);
    EXPECT_GT(grid->TopRow() + grid->VisibleRowCount(), 90);
}

TEST_F(HookFixture, WheelHooksRunOncePerNotch)
{
    grid->SetRowCount(50);
    grid->FocusCell(1, 10, true);
    grid->DoMouseWheel({}, -360, QPoint());
    grid->DoMouseWheel({}, 240, QPoint());
    EXPECT_EQ(grid->WheelDowns, 3);
    EXPECT_EQ(grid->WheelUps, 2);
    EXPECT_EQ(grid->Row(), 11);
    bool handled = false;
    grid->OnMouseWheel = [&](TObject *, TShiftState, int, QPoint, bool &h) { h = handled = true; };
    grid->DoMouseWheel({}, -120, QPoint());
    EXPECT_TRUE(handled);
    EXPECT_EQ(grid->WheelDowns, 3);   // the wheel event took it
}

// --- Events ----------------------------------------------------------------------------

TEST_F(HookFixture, RowMovedKeyUpAndMouseMoveEventsFire)
{
    std::vector<QString> log;
    grid->OnRowMoved = [&](TObject *, int from, int to) {
        log.push_back(QStringLiteral("moved %1 %2").arg(from).arg(to));
    };
    grid->OnKeyUp = [&](TObject *, uint16_t &key, TShiftState) {
        log.push_back(QStringLiteral("up %1").arg(key));
    };
    grid->OnMouseMove = [&](TObject *, TShiftState, int x, int y) {
        log.push_back(QStringLiteral("move %1 %2").arg(x).arg(y));
    };
    grid->SetCells(1, 1, QStringLiteral("one"));
    grid->MoveRow(1, 3);
    EXPECT_EQ(grid->Cells(1, 3), QStringLiteral("one"));
    grid->Press(Qt::Key_Down);
    grid->Mouse(QEvent::MouseMove, 70, 30, Qt::NoButton);
    EXPECT_EQ(log, (std::vector<QString>{"moved 1 3", QStringLiteral("up %1").arg(VK_DOWN),
                                         "move 70 30"}));
}

// --- Editor slot ------------------------------------------------------------------------

TEST_F(HookFixture, TheEditorIsMadeOnceAndToldOfEveryCell)
{
    grid->SetOptions(grid->Options() + goEditing);
    grid->SetCells(1, 1, QStringLiteral("abcdef"));
    grid->SetCells(2, 1, QStringLiteral("xyz"));
    grid->Limit = 4;
    Focus();
    grid->ShowEditor();
    ASSERT_NE(grid->Editor, nullptr);
    EXPECT_EQ(grid->InplaceEditor(), grid->Editor);
    EXPECT_EQ(grid->Editor->maxLength(), 4);
    EXPECT_EQ(grid->Editor->Updates, 1);
    EXPECT_GE(grid->Editor->Bounds, 1);
    EXPECT_EQ(TRect::FromQRect(grid->Editor->geometry()), grid->CellRect(1, 1));

    grid->HideEditor();
    grid->SetCol(2);
    grid->SetEditorMode(true);
    EXPECT_EQ(grid->EditorsMade, 1);
    EXPECT_EQ(grid->Editor->Updates, 2);
    EXPECT_EQ(grid->Editor->text(), QStringLiteral("xyz"));
    EXPECT_EQ(TRect::FromQRect(grid->Editor->geometry()), grid->CellRect(2, 1));
}

TEST_F(HookFixture, ShowEditorCharTypesOverTheSelectedText)
{
    grid->SetOptions(grid->Options() + goEditing);
    grid->SetCells(1, 1, QStringLiteral("old"));
    Focus();
    grid->ShowEditorChar(QChar('n'));
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(grid->Editor->text(), QStringLiteral("n"));
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("n"));
    // Without goEditing nothing opens and nothing is typed.
    grid->HideEditor();
    grid->SetOptions(grid->Options() - goEditing);
    grid->ShowEditorChar(QChar('z'));
    EXPECT_FALSE(grid->Editor->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("n"));
}

TEST_F(HookFixture, AlwaysShowEditorKeepsTheEditorOpenAcrossMovesAndEnter)
{
    grid->SetOptions(grid->Options() + goEditing + goAlwaysShowEditor);
    grid->SetCells(1, 2, QStringLiteral("below"));
    Focus();
    ASSERT_NE(grid->Editor, nullptr);   // shown as soon as the grid has the focus
    EXPECT_TRUE(grid->Editor->isVisible());
    grid->Press(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_TRUE(grid->Editor->isVisible());
    EXPECT_TRUE(grid->EditorMode());
    grid->Press(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(grid->Editor->isVisible());
    EXPECT_EQ(grid->Editor->text(), QStringLiteral("below"));
    EXPECT_EQ(TRect::FromQRect(grid->Editor->geometry()), grid->CellRect(1, 2));
}

// --- Scrolling --------------------------------------------------------------------------

TEST_F(HookFixture, ThumbTrackingScrollsWhileDraggingOnlyWithTheOption)
{
    grid->SetRowCount(200);
    const struct
    {
        bool tracking;
        int whileDragging;
    } cases[] = {{false, 1}, {true, 40}};
    for (const auto &c : cases) {
        grid->SetTopRow(1);
        grid->SetOptions(c.tracking ? grid->Options() + goThumbTracking
                                    : grid->Options() - goThumbTracking);
        grid->ModifyScrollBar(SB_VERT, SB_THUMBTRACK, 40);
        EXPECT_EQ(grid->TopRow(), c.whileDragging) << c.tracking;
        grid->ModifyScrollBar(SB_VERT, SB_THUMBPOSITION, 40);   // let go
        EXPECT_EQ(grid->TopRow(), 40) << c.tracking;
    }
    grid->ModifyScrollBar(SB_VERT, SB_THUMBPOSITION, 100000);
    EXPECT_EQ(grid->TopRow(), grid->MaxTopRow());
}

// --- Cell store views -------------------------------------------------------------------

TEST_F(GridFixture, RowAndColumnViewsReadAndWriteTheStore)
{
    grid->SetCols(2, {"a", "b", "c"});
    EXPECT_EQ(grid->Cols(2), (QStringList{"a", "b", "c", "", ""}));
    grid->SetRows(4, {"0", "1", "2", "3", "4", "5", "6"});   // two cells beyond ColCount
    EXPECT_EQ(grid->Rows(4), (QStringList{"0", "1", "2", "3", "4"}));
    EXPECT_EQ(grid->Cells(6, 4), QStringLiteral("6"));
    grid->SetColCount(7);
    EXPECT_EQ(grid->Rows(4).last(), QStringLiteral("6"));
    // A shorter list leaves the other cells as they were.
    grid->SetCols(2, {"x"});
    EXPECT_EQ(grid->Cols(2).mid(0, 3), (QStringList{"x", "b", "c"}));
}

// --- Coordinates outside the grid -------------------------------------------------------

TEST_F(GridFixture, OutOfRangeAccessThrowsGridErrorAndChangesNothing)
{
    grid->SetCells(1, 1, QStringLiteral("kept"));
    TObject obj;
    const struct
    {
        const char *name;
        std::function<void()> call;
    } cases[] = {
        {"read a negative column", [&] { (void)grid->Cells(-1, 0); }},
        {"read a negative row", [&] { (void)grid->Cells(0, -1); }},
        {"write a negative row", [&] { grid->SetCells(0, -1, "x"); }},
        {"write past the last column the store holds", [&] { grid->SetCells(70000, 0, "x"); }},
        {"write a row past any grid", [&] { grid->SetCells(0, INT_MAX, "x"); }},
        {"object of a negative cell", [&] { (void)grid->Objects(-1, -1); }},
        {"object of a far row", [&] { grid->SetObjects(0, INT_MAX - 1, &obj); }},
        {"column width", [&] { grid->SetColWidths(5, 10); }},
        {"row height", [&] { grid->SetRowHeights(-1, 10); }},
        {"tab stop", [&] { grid->SetTabStops(9, false); }},
        {"current column", [&] { grid->SetCol(5); }},
        {"current row", [&] { grid->SetRow(-1); }},
        {"move to a cell", [&] { grid->MoveColRow(0, 99, true, true); }},
        {"move a row", [&] { grid->MoveRow(0, 5); }},
        {"move a column", [&] { grid->MoveColumn(-1, 2); }},
        {"delete a row", [&] { grid->DeleteRow(5); }},
        {"delete a column", [&] { grid->DeleteColumn(-2); }},
        {"delete rows", [&] { grid->DeleteRows({2, 7}); }},
        {"delete every row", [&] { grid->DeleteRows({0, 1, 2, 3, 4}); }},
        {"insert rows", [&] { grid->InsertRows({3, 3}); }},
        {"row count", [&] { grid->SetRowCount(INT_MAX); }},
        {"column count", [&] { grid->SetColCount(INT_MAX); }},
        {"fixed rows", [&] { grid->SetFixedRows(5); }},
        {"row of a view", [&] { (void)grid->Rows(-3); }},
        {"column of a view", [&] { grid->SetCols(-3, {"x"}); }},
    };
    for (const auto &c : cases) {
        EXPECT_THROW(c.call(), EGridError) << c.name;
        EXPECT_EQ(grid->RowCount(), 5) << c.name;
        EXPECT_EQ(grid->ColCount(), 5) << c.name;
        EXPECT_EQ(grid->Col(), 1) << c.name;
        EXPECT_EQ(grid->Row(), 1) << c.name;
        EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("kept")) << c.name;
    }
}

TEST_F(GridFixture, QueriesOutsideTheGridAnswerQuietly)
{
    EXPECT_EQ(grid->CellRect(-1, 0), TRect());
    EXPECT_EQ(grid->CellRect(5, 0), TRect());
    EXPECT_EQ(grid->CellRect(0, INT_MAX), TRect());
    EXPECT_EQ(grid->Cells(9, 4000000), QString());   // nothing written there: empty
    EXPECT_EQ(grid->Objects(60000, 0), nullptr);
    EXPECT_TRUE(grid->TabStops(-1));
    int col = 0, row = 0;
    grid->MouseToCell(-50, 10000, col, row);
    EXPECT_EQ(col, -1);
    EXPECT_EQ(row, -1);
    EXPECT_NO_THROW(grid->InvalidateCell(-1, 99));
    EXPECT_NO_THROW(grid->InvalidateGridRect({-5, -5, 99, 99}));
    EXPECT_NO_THROW(grid->SetTopRow(INT_MAX));
    EXPECT_EQ(grid->TopRow(), 4);   // kept within the grid
    EXPECT_NO_THROW(grid->SetLeftCol(-7));
    EXPECT_EQ(grid->LeftCol(), 1);
}

TEST_F(GridFixture, HorizontalScrollBarFollowsLeftCol)
{
    grid->SetScrollBars(ssBoth);
    grid->SetColCount(30);
    QApplication::processEvents();
    QScrollBar *bar = grid->horizontalScrollBar();
    EXPECT_EQ(bar->minimum(), grid->FixedCols());
    grid->SetLeftCol(10);
    EXPECT_EQ(bar->value(), 10);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid->LeftCol(), 11);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(bar->value(), grid->LeftCol());
    EXPECT_EQ(bar->maximum(), grid->LeftCol());
    EXPECT_EQ(grid->LeftCol() + grid->VisibleColCount(), 30);   // the last column shows whole
}

TEST_F(GridFixture, EachLineOptionDrawsItsOwnLinesAndAnOffLineLeavesNoGap)
{
    // Points on the fixed column's vertical line, the fixed row's horizontal line, a
    // vertical line between scrollable cells and a horizontal one; with the option off the
    // point shows the background of its cells, not what was there before.
    const struct
    {
        TGridOption option;
        int x, y;
        TColor line, background;
    } cases[] = {
        {goFixedVertLine, 64, 30, clBlack, clBtnFace},
        {goFixedHorzLine, 100, 24, clBlack, clBtnFace},
        {goVertLine, 129, 60, clSilver, clWindow},
        {goHorzLine, 100, 49, clSilver, clWindow},
    };
    grid->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine});
    grid->SetRow(4);
    auto render = [&] {
        QImage img(300, 200, QImage::Format_RGB32);
        img.fill(Qt::green);
        QPainter p(&img);
        grid->PaintTo(p);
        return img;
    };
    QImage img = render();
    for (const auto &c : cases)
        EXPECT_EQ(img.pixelColor(c.x, c.y).rgb(), ToQColor(c.line).rgb()) << int(c.option);
    for (const auto &c : cases) {
        grid->SetOptions(grid->Options() - c.option);
        img = render();
        EXPECT_EQ(img.pixelColor(c.x, c.y).rgb(), ToQColor(c.background).rgb()) << int(c.option);
        grid->SetOptions(grid->Options() + c.option);
    }
    // A vertical line crosses the gap of a horizontal line that is off without a break.
    grid->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine});
    img = render();
    EXPECT_EQ(img.pixelColor(129, 49).rgb(), ToQColor(clSilver).rgb());
    EXPECT_EQ(img.pixelColor(100, 49).rgb(), ToQColor(clWindow).rgb());
}

// A long fixed sequence of operations with wild arguments: every refusal is an EGridError
// and nothing crashes (run under the sanitizers too).
TEST_F(GridFixture, WildOperationSequencesOnlyEverThrowGridError)
{
    grid->SetOptions(grid->Options() + goEditing + goRangeSelect + goRowSizing + goColSizing);
    TTestRandom random(12345);
    auto next = [&] { return random.Next16(); };
    auto arg = [&] {
        switch (next() % 8) {
        case 0: return -1 - next() % 3;
        case 1: return INT_MAX - next() % 2;
        case 2: return grid->RowCount() + next() % 3;
        case 3: return grid->ColCount() - 1;
        default: return next() % 12;
        }
    };
    auto inside = [&] {
        return grid->Col() >= 0 && grid->Row() >= 0 && grid->Col() < grid->ColCount() &&
               grid->Row() < grid->RowCount();
    };
    for (int i = 0; i < 4000; ++i) {
        const bool wasInside = inside();
        const int op = next() % 22;
        const int a = arg(), b = arg();
        try {
            switch (op) {
            case 0: grid->SetCells(a, b, QStringLiteral("t%1").arg(i)); break;
            case 1: (void)grid->Cells(a, b); break;
            case 2: grid->SetRowCount(next() % 4 ? next() % 40 : a); break;
            case 3: grid->SetColCount(next() % 4 ? next() % 15 : a); break;
            case 4: grid->SetFixedRows(a % 4); break;
            case 5: grid->SetFixedCols(a % 4); break;
            case 6: grid->MoveRow(a, b); break;
            case 7: grid->MoveColumn(a, b); break;
            case 8: grid->DeleteRow(a); break;
            case 9: grid->DeleteColumn(a); break;
            case 10: grid->InsertRows({a}); break;
            case 11: grid->DeleteRows({std::min(a, b), std::max(a, b)}); break;
            case 12: grid->FocusCell(a, b, next() % 2); break;
            case 13: grid->SetTopRow(a); break;
            case 14: grid->SetLeftCol(b); break;
            case 15: grid->SetRowHeights(a, b % 50 - 5); break;
            case 16: grid->SetColWidths(a, b % 90 - 5); break;
            case 17: grid->SetSelection({a, b, b, a}); break;
            case 18: grid->Press(Qt::Key_Down + next() % 4); break;
            case 19: grid->ShowEditorChar(QChar('a' + next() % 26)); break;
            case 20: grid->Click(next() % 300, next() % 200); break;
            case 21: grid->SetGridLineWidth(a % 4); break;
            }
        } catch (const EGridError &) {
        }
        // The selection may be put outside the grid on purpose (to show none); every other
        // operation keeps a current cell that was inside the grid inside it.
        if (wasInside && op != 17) {
            ASSERT_TRUE(inside()) << i;
        }
        if (i % 50 == 0) {
            QImage img(300, 200, QImage::Format_RGB32);
            QPainter p(&img);
            grid->PaintTo(p);
        }
    }
}
