// The header's mouse: clicks with their hit information, the column check box, splitters,
// width and height tracking, column dragging and the header timer, driven by real events
// on the header band.
#include "input_fixture.h"

#include "controls/tree/lazytreeheaderpopup.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

using enum TLTHeaderOption;
using enum TLTColumnOption;
using enum TLTHeaderHitPosition;
using enum THeaderState;

namespace {

// A shown tree whose visible header has columns "A", "B", "C" of 50 pixels.
struct THeaderTree
{
    TInputTree Tree;
    THeaderTree(TLTHeaderOptions Options = {}, int Columns = 3)
    {
        SetupScanTree(Tree, NumberedNames(5, "n"));
        for (int i = 0; i < Columns; ++i)
            Tree.Header().Columns().Add().SetText(QString(QChar('A' + i)));
        Tree.Header().SetOptions(Options + TLTHeaderOptions{hoVisible});
        QApplication::processEvents();
    }
    TLTHeader &Header() { return Tree.Header(); }
    TLazyTreeColumn &Column(int I) { return Header().Columns()[I]; }
    // Events on the header band, P in client coordinates (the header lies above 0).
    void Send(QEvent::Type Type, QPoint P, Qt::MouseButton B = Qt::LeftButton,
              Qt::MouseButtons Buttons = Qt::LeftButton)
    {
        const QPoint local = P + Tree.viewport()->pos();
        QMouseEvent e(Type, QPointF(local), QPointF(Tree.mapToGlobal(local)), B, Buttons, {});
        QApplication::sendEvent(&Tree, &e);
    }
    void Press(QPoint P, Qt::MouseButton B = Qt::LeftButton) { Send(QEvent::MouseButtonPress, P, B, B); }
    void Release(QPoint P, Qt::MouseButton B = Qt::LeftButton)
    {
        Send(QEvent::MouseButtonRelease, P, B, Qt::NoButton);
    }
    void Move(QPoint P, Qt::MouseButtons Buttons = Qt::LeftButton)
    {
        Send(QEvent::MouseMove, P, Qt::NoButton, Buttons);
    }
    void ClickAt(QPoint P, Qt::MouseButton B = Qt::LeftButton)
    {
        Press(P, B);
        Release(P, B);
    }
    void Escape()
    {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&Tree, &e);
    }
};

}   // namespace

TEST(LazyTreeHeaderMouse, HiddenHeaderWithoutColumnsHandlesNothing)
{
    THeaderTree t({}, 0);
    t.Header().SetOptions({});
    QApplication::processEvents();
    using K = TLTHeader::TMessageKind;
    for (K kind : {K::KillFocus, K::Escape, K::SetCursor, K::NCMouseMove, K::NCLButtonDown,
                   K::LButtonDown, K::NCLButtonUp, K::LButtonUp, K::NCRButtonUp, K::NCLButtonDblClk,
                   K::LButtonDblClk, K::Timer, K::MouseMove})
        for (QPoint p : {QPoint(10, -5), QPoint(10, 5), QPoint(10, 0)}) {
            TLTHeader::TMessage m{kind, p};
            m.TimerId = TLTHeader::HeaderTimer;
            EXPECT_FALSE(t.Header().ProcessMessage(m)) << int(kind);
            EXPECT_FALSE(t.Header().InHeader(p));
        }
}

TEST(LazyTreeHeaderMouse, CheckBoxClickTogglesWithoutSortingAndCaptionClickSorts)
{
    THeaderTree t({hoShowImages, hoHeaderClickAutoSort, hoShowSortGlyphs});
    t.Column(0).SetCheckBox(true);
    t.Tree.grab();   // paints the header, which places the check box
    ASSERT_TRUE(t.Column(0).HasImage);
    std::vector<TLTHeaderHitInfo> clicks;
    t.Tree.OnHeaderClick = [&](TLTHeader *, const TLTHeaderHitInfo &Info) { clicks.push_back(Info); };
    const QRect box = t.Tree.HeaderImageRect(t.Column(0));
    const int h = t.Header().Height();
    t.ClickAt(QPoint(box.center().x(), box.center().y() - h));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].Column, 0);
    EXPECT_EQ(clicks[0].HitPosition, (TLTHeaderHitPositions{hhiOnColumn, hhiOnIcon, hhiOnCheckbox}));
    EXPECT_EQ(clicks[0].Y, box.center().y());
    EXPECT_EQ(t.Column(0).CheckState(), csCheckedNormal);
    EXPECT_EQ(t.Header().SortColumn(), NoColumn);

    // The caption of column B: sorted by it, then the direction flips.
    t.ClickAt(QPoint(75, -5));
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[1].HitPosition, TLTHeaderHitPositions{hhiOnColumn});
    EXPECT_EQ(t.Header().SortColumn(), 1);
    EXPECT_EQ(t.Header().SortDirection(), TLTSortDirection::sdAscending);
    t.ClickAt(QPoint(75, -5));
    EXPECT_EQ(t.Header().SortDirection(), TLTSortDirection::sdDescending);
    EXPECT_EQ(t.Column(0).CheckState(), csCheckedNormal);
}

TEST(LazyTreeHeaderMouse, ReleaseOverAnotherColumnClicksNeither)
{
    THeaderTree t({hoHeaderClickAutoSort});
    std::vector<TLTHeaderHitInfo> clicks;
    t.Tree.OnHeaderClick = [&](TLTHeader *, const TLTHeaderHitInfo &Info) { clicks.push_back(Info); };
    t.Press(QPoint(25, -5));
    EXPECT_EQ(t.Header().Columns().DownIndex(), 0);
    t.Move(QPoint(75, -5));
    t.Release(QPoint(75, -5));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].Column, NoColumn);
    EXPECT_EQ(clicks[0].HitPosition, TLTHeaderHitPositions{hhiNoWhere});
    EXPECT_EQ(t.Header().SortColumn(), NoColumn);
    EXPECT_EQ(t.Header().Columns().DownIndex(), NoColumn);
}

TEST(LazyTreeHeaderMouse, DraggedColumnTakesItsNewPosition)
{
    // Column A (position 0) dragged over x, released at y (client, in the header band).
    struct TCase
    {
        int OverX, ReleaseY;
        int Position;
        bool DraggedOut;
    };
    const TCase cases[] = {
        {110, -5, 1, false},     // before C
        {140, -5, 2, false},     // after C
        {60, -5, 0, false},      // before B: lands where it was
        {20, -5, 0, true},       // onto itself
        {110, -4000, 0, true},   // outside the tree
    };
    for (const TCase &c : cases) {
        THeaderTree t({hoDrag});
        int dragged = 0, out = 0, old = -1;
        t.Tree.OnHeaderDragged = [&](TLTHeader *, TColumnIndex Column, int OldPosition) {
            EXPECT_EQ(Column, 0);
            old = OldPosition;
            ++dragged;
        };
        t.Tree.OnHeaderDraggedOut = [&](TLTHeader *, TColumnIndex, QPoint) { ++out; };
        t.Press(QPoint(25, -5));
        EXPECT_TRUE(t.Header().States().Contains(hsDragPending));
        t.Move(QPoint(90, -5));   // beyond the drag threshold: the drag starts
        EXPECT_TRUE(t.Header().States().Contains(hsDragging)) << c.OverX;
        t.Move(QPoint(c.OverX, -5));
        t.Release(QPoint(c.OverX, c.ReleaseY));
        EXPECT_EQ(t.Column(0).Position(), TColumnPosition(c.Position)) << c.OverX;
        EXPECT_EQ(out, c.DraggedOut ? 1 : 0) << c.OverX;
        EXPECT_EQ(dragged, c.DraggedOut ? 0 : 1) << c.OverX;
        if (!c.DraggedOut)
            EXPECT_EQ(old, 0);
        EXPECT_TRUE(t.Header().States().Empty());
        EXPECT_EQ(t.Header().Columns().DropTarget(), NoColumn);
    }
}

TEST(LazyTreeHeaderMouse, DropMarkFollowsTheMouseAndEscapeEndsTheDrag)
{
    THeaderTree t({hoDrag});
    t.Press(QPoint(25, -5));
    t.Move(QPoint(110, -5));
    EXPECT_EQ(t.Header().Columns().DragIndex(), 0);
    EXPECT_EQ(t.Header().Columns().DropTarget(), NoColumn);   // the first move only starts
    t.Move(QPoint(110, -5));
    EXPECT_EQ(t.Header().Columns().DropTarget(), 2);
    EXPECT_TRUE(t.Header().Columns().DropBefore());
    t.Move(QPoint(140, -5));
    EXPECT_FALSE(t.Header().Columns().DropBefore());
    t.Escape();
    EXPECT_TRUE(t.Header().States().Empty());
    EXPECT_EQ(t.Header().Columns().DropTarget(), NoColumn);
    t.Release(QPoint(140, -5));
    EXPECT_EQ(t.Column(0).Position(), 0u);
}

TEST(LazyTreeHeaderMouse, EscapeDuringWidthTrackingKeepsTheWidthReached)
{
    THeaderTree t({hoColumnResize});
    int before = 0, after = 0;
    t.Tree.OnBeforeColumnWidthTracking = [&](TLTHeader *, TColumnIndex Column, TLTShiftState) {
        EXPECT_EQ(Column, 0);
        ++before;
    };
    t.Tree.OnAfterColumnWidthTracking = [&](TLTHeader *, TColumnIndex Column) {
        EXPECT_EQ(Column, 0);
        ++after;
    };
    t.Press(QPoint(51, -5));
    EXPECT_TRUE(t.Header().States().Contains(hsColumnWidthTrackPending));
    t.Move(QPoint(60, -5));
    EXPECT_TRUE(t.Header().States().Contains(hsColumnWidthTracking));
    t.Move(QPoint(80, -5));
    EXPECT_EQ(t.Column(0).Width(), 80);
    t.Escape();
    EXPECT_TRUE(t.Header().States().Empty());
    t.Move(QPoint(90, -5));
    t.Release(QPoint(90, -5));
    EXPECT_EQ(t.Column(0).Width(), 80);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
}

TEST(LazyTreeHeaderMouse, SplitterHitZoneFollowsTheTolerance)
{
    THeaderTree t({hoColumnResize}, 1);
    t.Column(0).SetWidth(100);
    std::vector<int> hits;
    for (int x = 90; x <= 110; ++x)
        if (t.Header().FindSplitterColumn(QPoint(x, -5))) {
            hits.push_back(x);
            EXPECT_EQ(t.Header().Columns().TrackIndex(), 0);
            EXPECT_EQ(t.Header().TrackPoint(), QPoint(0, -5));
        }
    EXPECT_EQ(hits, (std::vector<int>{98, 99, 100, 101, 102, 103, 104}));
    // A column that may not be resized has no splitter.
    t.Column(0).SetOptions(t.Column(0).Options() - TLTColumnOptions{coResizable});
    EXPECT_FALSE(t.Header().FindSplitterColumn(QPoint(100, -5)));
}

TEST(LazyTreeHeaderMouse, HeightDoubleClickReturnsToTheDefault)
{
    for (int defaultHeight : {19, 0}) {
        THeaderTree t({hoHeightDblClickResize});
        t.Header().SetMinHeight(0);
        t.Header().SetDefaultHeight(defaultHeight);
        t.Header().SetHeight(30);
        ASSERT_EQ(t.Header().Height(), 30);
        t.Send(QEvent::MouseButtonDblClick, QPoint(10, 0));
        EXPECT_EQ(t.Header().Height(), defaultHeight ? defaultHeight : 30) << defaultHeight;
    }
}

TEST(LazyTreeHeaderMouse, HeightTrackingFollowsTheBottomEdge)
{
    THeaderTree t({hoHeightResize});
    int afterTracking = 0;
    t.Tree.OnAfterHeaderHeightTracking = [&](TLTHeader *) { ++afterTracking; };
    t.Press(QPoint(10, 0));
    EXPECT_TRUE(t.Header().States().Contains(hsHeightTrackPending));
    t.Move(QPoint(10, 0));
    t.Move(QPoint(10, 11));
    EXPECT_EQ(t.Header().Height(), 30);
    t.Release(QPoint(10, 0));
    EXPECT_EQ(afterTracking, 1);
    EXPECT_TRUE(t.Header().States().Empty());
}

TEST(LazyTreeHeaderMouse, HeaderTimerForgetsTheHotColumnOnceTheMouseLeft)
{
    THeaderTree t({hoHotTrack});
    t.Move(QPoint(75, -5), Qt::NoButton);
    EXPECT_EQ(t.Header().Columns().HoverIndex(), 1);
    EXPECT_TRUE(t.Tree.TreeTimerActive(TLTHeader::HeaderTimer));
    // Still inside: the timer keeps watching.
    t.Tree.CursorPos = t.Tree.viewport()->mapToGlobal(QPoint(75, -5));
    t.Tree.TimerExpired(TLTHeader::HeaderTimer);
    EXPECT_EQ(t.Header().Columns().HoverIndex(), 1);
    t.Tree.CursorPos = t.Tree.viewport()->mapToGlobal(QPoint(75, 40));
    t.Tree.TimerExpired(TLTHeader::HeaderTimer);
    EXPECT_EQ(t.Header().Columns().HoverIndex(), NoColumn);
    EXPECT_FALSE(t.Tree.TreeTimerActive(TLTHeader::HeaderTimer));
}

TEST(LazyTreeHeaderMouse, RightClickBuildsTheColumnMenu)
{
    THeaderTree t({hoAutoColumnPopupMenu});
    std::vector<TLTHeaderHitInfo> clicks;
    t.Tree.OnHeaderClick = [&](TLTHeader *, const TLTHeaderHitInfo &Info) { clicks.push_back(Info); };
    t.ClickAt(QPoint(75, -5), Qt::RightButton);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].Button, Qt::RightButton);
    EXPECT_EQ(clicks[0].Column, 1);
    TLTHeaderPopupMenu *menu = t.Header().AutoPopupMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->PopupComponent(), &t.Tree);
    EXPECT_EQ(menu->actions().size(), 3);
    int changes = 0;
    t.Tree.OnColumnVisibilityChanged = [&](TBaseLazyTree *, TColumnIndex Column, bool Visible) {
        EXPECT_EQ(Column, 0);
        EXPECT_FALSE(Visible);
        ++changes;
    };
    menu->actions()[0]->trigger();
    EXPECT_EQ(changes, 1);
    menu->close();
}

TEST(LazyTreeHeaderMouse, SplitterDoubleClickAsksBeforeFittingTheColumn)
{
    for (bool allow : {true, false}) {
        THeaderTree t({hoColumnResize, hoDblClickResize});
        std::vector<TColumnIndex> asked;
        t.Tree.OnColumnWidthDblClickResize = [&](TLTHeader *, TColumnIndex Column, TLTShiftState, QPoint,
                                                 bool &Allowed) {
            asked.push_back(Column);
            Allowed = allow;
        };
        int fitted = 0;
        t.Tree.OnAfterAutoFitColumn = [&](TLTHeader *, TColumnIndex Column) {
            EXPECT_EQ(Column, 1);
            ++fitted;
        };
        t.Send(QEvent::MouseButtonDblClick, QPoint(101, -5));
        EXPECT_EQ(asked, std::vector<TColumnIndex>{1});
        EXPECT_EQ(fitted, allow ? 1 : 0);
    }
}

TEST(LazyTreeHeaderMouse, SplittersShowTheirCursors)
{
    THeaderTree t({hoColumnResize, hoHeightResize});
    struct TCase
    {
        QPoint P;
        Qt::CursorShape Cursor;
    };
    for (const TCase &c : {TCase{QPoint(50, -5), Qt::SplitHCursor}, TCase{QPoint(25, -5), Qt::ArrowCursor},
                           TCase{QPoint(25, 0), Qt::SplitVCursor}}) {
        t.Move(c.P, Qt::NoButton);
        EXPECT_EQ(t.Tree.cursor().shape(), c.Cursor) << c.P.x() << "," << c.P.y();
    }
    t.Tree.OnGetHeaderCursor = [](TLTHeader *, Qt::CursorShape &Cursor) { Cursor = Qt::PointingHandCursor; };
    t.Move(QPoint(25, -5), Qt::NoButton);
    EXPECT_EQ(t.Tree.cursor().shape(), Qt::PointingHandCursor);
}

TEST(LazyTreeHeaderMouse, ButtonEventsReportHeaderCoordinates)
{
    THeaderTree t;
    std::vector<std::string> log;
    auto record = [&](const char *What) {
        return [&log, What](TLTHeader *, Qt::MouseButton B, TLTShiftState, int X, int Y) {
            log.push_back(std::string(What) + " " + std::to_string(int(B)) + " " + std::to_string(X) + "," +
                          std::to_string(Y));
        };
    };
    t.Tree.OnHeaderMouseDown = record("down");
    t.Tree.OnHeaderMouseUp = record("up");
    const int h = t.Header().Height();
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton})
        t.ClickAt(QPoint(30, -5), b);
    const std::string at = "30," + std::to_string(h - 5);
    EXPECT_EQ(log, (std::vector<std::string>{"down 1 " + at, "up 1 " + at, "down 4 " + at, "up 4 " + at,
                                             "down 2 " + at, "up 2 " + at}));
}
