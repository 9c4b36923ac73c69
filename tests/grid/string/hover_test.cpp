// The pointer over the grid: hover records, cursors, anchor events, header selection,
// sizing with its events and hint, fixed-cell sizing, and header drags.
#include "eventlog.h"
#include "paintfixture.h"

#include "grid/base/indicator.h"
#include "grid/string/headerdrag.h"
#include "grid/string/htmlhintwindow.h"
#include "grid/string/sizingline.h"

namespace {

class Hover : public PaintFixture
{
protected:
    void SetUp() override
    {
        PaintFixture::SetUp();
        log = std::make_unique<TEventLog>(*grid);
    }
    void Move(QPoint P, Qt::MouseButton Held = Qt::NoButton)
    {
        log->Mouse(QEvent::MouseMove, P, Held);
    }
    bool OwnCursor() const { return grid->viewport()->testAttribute(Qt::WA_SetCursor); }
    Qt::CursorShape Shape() const { return grid->viewport()->cursor().shape(); }

    std::unique_ptr<TEventLog> log;
};

TEST_F(Hover, UrlCellShowsTheHandAndTheCursorComesBack)
{
    grid->SetURLShow(true);
    grid->SetCells(2, 2, QStringLiteral("http://example.com"));
    Move(log->At(2, 2));
    ASSERT_TRUE(OwnCursor());
    EXPECT_EQ(Shape(), Qt::PointingHandCursor);
    Move(log->At(3, 3));
    EXPECT_FALSE(OwnCursor());
}

TEST_F(Hover, AnchorEventsOnEnteringAndLeaving)
{
    QStringList events;
    grid->OnAnchorEnter = [&](TObject *, int, int, const QString &A) { events << "enter " + A; };
    grid->OnAnchorExit = [&](TObject *, int, int, const QString &A) { events << "exit " + A; };
    grid->SetCells(2, 2, QStringLiteral("<a href=\"one\">linklinklink</a>"));
    grid->SetCells(3, 2, QStringLiteral("<a href=\"two\">linklinklink</a>"));
    grid->SetCells(2, 3, QStringLiteral("<b>no link here</b>"));
    Move(log->At(2, 2, 12, 9));
    EXPECT_EQ(events, QStringList({"enter one"}));
    EXPECT_EQ(Shape(), Qt::PointingHandCursor);
    Move(log->At(3, 2, 12, 9));   // straight to another anchor
    EXPECT_EQ(events, QStringList({"enter one", "enter two"}));
    Move(log->At(2, 3, 12, 9));
    EXPECT_EQ(events, QStringList({"enter one", "enter two", "exit two"}));
    EXPECT_EQ(grid->CurrentAnchor(), "");
}

TEST_F(Hover, HoverRowFixedCellAndListViewRecordsEndWhenThePointerLeaves)
{
    grid->SetHoverRow(true);
    grid->SetHoverFixedCells(hfAll);
    grid->SetLook(glListView);
    Move(log->At(0, 3));
    EXPECT_EQ(grid->HoverRowIdx(), 3);
    EXPECT_EQ(grid->HoverFixedCell(), (TGridCoord{0, 3}));
    EXPECT_EQ(grid->HotFixedCell(), (TGridCoord{0, 3}));
    Move(log->At(2, 4));
    EXPECT_EQ(grid->HoverRowIdx(), 4);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(grid->viewport(), &leave);
    EXPECT_EQ(grid->HoverRowIdx(), -1);
    EXPECT_EQ(grid->HoverFixedCell(), (TGridCoord{-1, -1}));
    EXPECT_EQ(grid->MouseSelectMode(), msNormal);
}

TEST_F(Hover, HeaderCellsPrepareAndMakeRowAndColumnSelections)
{
    grid->MouseActions().SetRowSelect(true);
    grid->MouseActions().SetColSelect(true);
    Move(log->At(0, 2));
    EXPECT_EQ(grid->MouseSelectMode(), msRow);
    EXPECT_TRUE(OwnCursor());
    log->Press(log->At(0, 2));
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 4, 2}));
    Move(log->At(0, 4), Qt::LeftButton);
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 4, 4}));
    log->Release(log->At(0, 4));

    Move(log->At(2, 0));
    EXPECT_EQ(grid->MouseSelectMode(), msColumn);
    log->Press(log->At(2, 0));
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 1, 2, 5}));
    log->Release(log->At(2, 0));

    // A column border is not a column selection.
    grid->SetOptions(grid->Options() + goColSizing);
    const TRect h = grid->CellRect(2, 0);
    Move(QPoint(h.Right - 1, h.Top + 5));
    EXPECT_EQ(grid->MouseSelectMode(), msNormal);
    EXPECT_EQ(Shape(), Qt::SplitHCursor);
}

TEST_F(Hover, ColumnSizingReportsTheWidthAndShowsItsHint)
{
    grid->SetOptions(grid->Options() + goColSizing);
    grid->SetHintShowSizing(true);
    std::vector<std::pair<int, int>> sizes;
    grid->OnColumnSizing = [&](TObject *, int C, int W) { sizes.push_back({C, W}); };
    const TRect h = grid->CellRect(2, 0);
    const QPoint border(h.Right, h.Top + 5);
    log->Press(border);
    ASSERT_EQ(grid->GridState(), gsColSizing);
    Move(border + QPoint(10, 0), Qt::LeftButton);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back(), std::make_pair(2, 90));
    EXPECT_TRUE(grid->SizingHintShowing());
    EXPECT_TRUE(grid->ScrollHintWindow()->isVisible());
    EXPECT_EQ(grid->ScrollHintWindow()->Caption(), "cw=<b>90</b>");
    log->Release(border + QPoint(10, 0));
    EXPECT_FALSE(grid->SizingHintShowing());
    EXPECT_FALSE(grid->ScrollHintWindow()->isVisible());
    EXPECT_EQ(grid->ColWidths(2), 90);
}

TEST_F(Hover, FixedColumnsAreSizedByTheirBorder)
{
    grid->MouseActions().SetSizeFixedCol(true);
    std::vector<int> ends;
    grid->OnEndColumnSize = [&](TObject *, int C) { ends.push_back(C); };
    const int border = grid->ColWidths(0);
    Move(QPoint(border - 1, grid->CellRect(0, 2).Top + 5));
    EXPECT_EQ(Shape(), Qt::SplitHCursor);
    log->Press(QPoint(border - 1, grid->CellRect(0, 2).Top + 5));
    ASSERT_NE(grid->SizingLine(), nullptr);
    EXPECT_EQ(grid->SizingLine()->Verticals(), std::vector<int>{border - 1});
    Move(QPoint(border + 20, grid->CellRect(0, 2).Top + 5), Qt::LeftButton);
    EXPECT_EQ(grid->SizingLine()->Verticals(), std::vector<int>{border + 20});
    log->Release(QPoint(border + 20, grid->CellRect(0, 2).Top + 5));
    EXPECT_EQ(grid->ColWidths(0), border + 20);
    EXPECT_EQ(ends, std::vector<int>{0});
    EXPECT_FALSE(grid->SizingLine()->isVisible());
}

TEST_F(Hover, RefusedColumnSizeKeepsAFixedColumnFromBeingSized)
{
    grid->MouseActions().SetSizeFixedCol(true);
    grid->OnColumnSize = [](TObject *, int C, bool &allow) { allow = C != 0; };
    const int border = grid->ColWidths(0);
    const QPoint at(border - 1, grid->CellRect(0, 0).Top + 5);
    Move(at);
    log->Press(at);
    Move(at + QPoint(20, 0), Qt::LeftButton);
    log->Release(at + QPoint(20, 0));
    EXPECT_EQ(grid->ColWidths(0), border);
}

TEST_F(Hover, HeaderDragShowsItsPieceAndMovesTheRealColumns)
{
    grid->SetOptions(grid->Options() + goColMoving);
    grid->HideColumn(1);   // display columns: 0, 2, 3, 4
    std::vector<int> targets;
    grid->OnColumnMoving = [&](TObject *, int C, bool &) { targets.push_back(C); };
    log->Press(log->At(1, 0));
    ASSERT_EQ(grid->GridState(), gsColMoving);
    Move(log->At(2, 0, 30), Qt::LeftButton);
    ASSERT_NE(grid->DragImageForm(), nullptr);
    EXPECT_TRUE(grid->DragImageForm()->isVisible());
    EXPECT_EQ(Shape(), GridCursor(gcDrag).shape());
    EXPECT_TRUE(grid->ArrowWindow(arrUp)->isVisible());
    EXPECT_EQ(targets.back(), 2);
    log->Release(log->At(2, 0, 30));
    EXPECT_EQ(grid->DragImageForm(), nullptr);
    EXPECT_FALSE(grid->ArrowWindow(arrUp)->isVisible());
    // Real column 2 moved after real column 3; the hidden column stays hidden.
    EXPECT_EQ(grid->Cells(2, 1), "r1c3");
    EXPECT_EQ(grid->Cells(3, 1), "r1c2");
    EXPECT_TRUE(grid->IsHiddenColumn(1));
    EXPECT_EQ(grid->Cells(1, 1), "r1c1");
}

TEST_F(Hover, RefusedDragsDoNotMove)
{
    grid->SetOptions(grid->Options() + goColMoving);
    grid->OnColumnMoving = [](TObject *, int, bool &Allow) { Allow = false; };
    log->Press(log->At(1, 0));
    Move(log->At(3, 0), Qt::LeftButton);
    EXPECT_EQ(Shape(), GridCursor(gcNoDrop).shape());
    log->Release(log->At(3, 0));
    EXPECT_EQ(grid->Cells(1, 1), "r1c1");

    grid->OnColumnMoving = nullptr;
    grid->OnColumnMove = [](TObject *, int, bool &Allow) { Allow = false; };
    log->Press(log->At(1, 0));
    Move(log->At(3, 0), Qt::LeftButton);
    EXPECT_EQ(grid->GridState(), gsNormal);
    log->Release(log->At(3, 0));
    EXPECT_EQ(grid->Cells(1, 1), "r1c1");
}

TEST_F(Hover, TheFloatingFooterRowStaysLast)
{
    grid->FloatingFooter().SetVisible(true);
    int moved = 0;
    grid->OnRowMoved = [&](TObject *, int, int) { ++moved; };
    const QString last = grid->Cells(1, grid->RowCount() - 1);
    grid->MoveRow(1, grid->RowCount() - 1);
    EXPECT_EQ(moved, 0);
    EXPECT_EQ(grid->Cells(1, grid->RowCount() - 1), last);
    grid->MoveRow(1, 2);
    EXPECT_EQ(moved, 1);
}

TEST_F(Hover, ColumnMovesCarryTheSortColumnAndHiddenRows)
{
    grid->SortSettings().SetColumn(3);
    grid->HideRow(4);
    grid->MoveColumn(1, 3);
    EXPECT_EQ(grid->SortSettings().Column(), 2);
    grid->UnHideRow(4);
    EXPECT_EQ(grid->Cells(3, 4), "r4c1");
    EXPECT_EQ(grid->Cells(1, 4), "r4c2");
}

}   // namespace

// Moving the pointer anywhere, with any button held, over the edges where sizing and drags
// start, on grids down to a single cell, never fails.
TEST(HoverSweep, PointerAnywhereOnSmallGridsNeverFails)
{
    const QPointF points[] = {{-1000, -1000}, {0, 0},   {1, 1},    {63, 10},  {64, 10},
                              {65, 10},       {10, 21}, {10, 22},  {299, 249}, {5000, 5000}};
    auto send = [](QWidget *W, QEvent::Type T, QPointF P, Qt::MouseButton B,
                   Qt::MouseButtons Held) {
        QMouseEvent e(T, P, W->mapToGlobal(P), B, Held, Qt::NoModifier);
        QApplication::sendEvent(W, &e);
    };
    for (int size : {1, 2, 5}) {
        TDazStringGrid g;
        g.SetColCount(size);
        g.SetRowCount(size);
        g.SetOptions(g.Options() + goColSizing + goRowSizing + goColMoving + goRowMoving);
        g.SetURLShow(true);
        g.resize(300, 250);
        g.show();
        QApplication::processEvents();
        QWidget *vp = g.viewport();
        for (Qt::MouseButton b : {Qt::NoButton, Qt::LeftButton, Qt::RightButton})
            for (const QPointF &p : points) {
                if (b != Qt::NoButton)
                    send(vp, QEvent::MouseButtonPress, p, b, b);
                for (const QPointF &q : points)
                    send(vp, QEvent::MouseMove, q, Qt::NoButton, b);
                if (b != Qt::NoButton)
                    send(vp, QEvent::MouseButtonRelease, p, b, Qt::NoButton);
                QApplication::processEvents();
            }
    }
}
