// The wheel, wheel panning with its cursors, automatic scrolling and the input timers.
#include "input_fixture.h"

#include <QApplication>

namespace {

std::vector<QString> ManyNames(int Count, const QString &Prefix = QStringLiteral("node with a long caption "))
{
    return NumberedNames(Count, Prefix);
}

}   // namespace

TEST(LazyTreeWheel, ANotchScrollsLinesOrAPage)
{
    TInputTree tree;
    SetupScanTree(tree, ManyNames(100), 0, 200, 180);
    QApplication::setWheelScrollLines(3);
    Wheel(tree, -120);
    EXPECT_EQ(tree.OffsetY(), -54);
    Wheel(tree, 120);
    EXPECT_EQ(tree.OffsetY(), 0);
    tree.MouseWheel(-120, {}, -1);   // the page setting
    EXPECT_EQ(tree.OffsetY(), -180);
    Wheel(tree, 120, Qt::ControlModifier);
    EXPECT_EQ(tree.OffsetY(), 0);
}

TEST(LazyTreeWheel, ShiftScrollsHorizontally)
{
    TInputTree tree;
    SetupScanTree(tree, ManyNames(100), 0, 120, 180);
    ASSERT_GT(int(tree.RangeX()), tree.ClientWidth());
    QApplication::setWheelScrollLines(3);
    Wheel(tree, -120, Qt::ShiftModifier);
    EXPECT_EQ(tree.OffsetY(), 0);
    EXPECT_EQ(tree.OffsetX(), -3 * int(tree.Indent()));
}

TEST(LazyTreeWheel, MiddleClickPansOnlyContentLargerThanTheWindow)
{
    {
        TInputTree tree;
        SetupScanTree(tree, ManyNames(3, "n"), 0, 300, 180);
        Click(tree, QPoint(50, 20), {}, Qt::MiddleButton);
        EXPECT_FALSE(tree.TreeStates().Contains(tsWheelPanning));
        EXPECT_EQ(tree.PanningWindow(), nullptr);
    }
    TInputTree tree;
    SetupScanTree(tree, ManyNames(100, "n"), 0, 300, 180);
    const QPoint at(50, 90);
    MousePress(tree, at, {}, Qt::MiddleButton);
    EXPECT_TRUE(tree.TreeStates().Contains(tsWheelPanning));
    EXPECT_TRUE(tree.TreeStates().Contains(tsWheelScrolling));
    ASSERT_NE(tree.PanningWindow(), nullptr);
    EXPECT_EQ(tree.PanningWindow()->size(), QSize(32, 32));
    EXPECT_TRUE(tree.TreeTimerActive(4));
    EXPECT_EQ(tree.TreeTimerInterval(4), 20);
    // Released without moving: panning goes on; the next middle press stops it.
    MouseRelease(tree, at, {}, Qt::MiddleButton);
    EXPECT_FALSE(tree.TreeStates().Contains(tsWheelPanning));
    EXPECT_TRUE(tree.TreeStates().Contains(tsWheelScrolling));
    MousePress(tree, at, {}, Qt::MiddleButton);
    EXPECT_FALSE(tree.TreeStates().Contains(tsWheelScrolling));
    EXPECT_EQ(tree.PanningWindow(), nullptr);
    EXPECT_FALSE(tree.TreeTimerActive(4));
}

TEST(LazyTreeWheel, PanningCursorAndDeadZone)
{
    TInputTree tree;
    SetupScanTree(tree, ManyNames(100), 0, 120, 180);
    const QPoint at(60, 90);
    MousePress(tree, at, {}, Qt::MiddleButton);
    EXPECT_EQ(tree.PanningCursorName(), QStringLiteral("LT_MOVEALL"));
    struct TCase
    {
        int DX, DY;
        const char *Cursor;
    };
    for (const TCase &c : {TCase{7, 7, "LT_MOVEALL"}, TCase{8, 0, "LT_MOVES"}, TCase{0, -8, "LT_MOVEN"},
                           TCase{-9, -9, "LT_MOVENW"}, TCase{-9, 0, "LT_MOVEW"}, TCase{-9, 9, "LT_MOVESW"},
                           TCase{9, -9, "LT_MOVENE"}, TCase{9, 8, "LT_MOVEE"}, TCase{9, 9, "LT_MOVESE"}}) {
        SCOPED_TRACE(std::to_string(c.DX) + "," + std::to_string(c.DY));
        MouseMoveTo(tree, at + QPoint(c.DX, c.DY), Qt::MiddleButton);
        EXPECT_EQ(tree.PanningCursorName(), QString::fromLatin1(c.Cursor));
    }
    // Within 8 pixels of the press point nothing scrolls.
    tree.CursorPos = tree.viewport()->mapToGlobal(at + QPoint(8, 8));
    tree.ArmAutoScroll(68, 98);
    tree.TimerExpired(4);
    EXPECT_EQ(tree.OffsetXY(), QPoint(0, 0));
    tree.CursorPos = tree.viewport()->mapToGlobal(at + QPoint(0, 20));
    tree.ArmAutoScroll(60, 110);
    tree.TimerExpired(4);
    EXPECT_EQ(tree.OffsetY(), -12);
}

TEST(LazyTreeWheel, AutomaticScrollingWaitsForTheDelayAndStopsAtTheEdge)
{
    TInputTree tree;
    tree.TreeOptions().SetAutoOptions(tree.TreeOptions().AutoOptions() + TLTAutoOptions{toAutoScroll});
    int64_t now = 5000;
    tree.SetTickClock([&now] { return now; });
    tree.SetAutoScrollDelay(300);
    tree.SetAutoScrollInterval(50);
    SetupScanTree(tree, ManyNames(20, "n"), 0, 200, 180);
    // A band drawn down to the bottom edge.
    MousePress(tree, QPoint(150, 20));
    MouseMoveTo(tree, QPoint(150, 175));
    ASSERT_TRUE(tree.TreeStates().Contains(tsDrawSelecting));
    MouseMoveTo(tree, QPoint(150, 176));
    EXPECT_FALSE(tree.TreeTimerActive(4));   // the delay has not passed
    now += 300;
    tree.CursorPos = tree.viewport()->mapToGlobal(QPoint(150, 175));
    MouseMoveTo(tree, QPoint(150, 177));
    EXPECT_TRUE(tree.TreeStates().Contains(tsScrollPending));
    EXPECT_EQ(tree.TreeTimerInterval(4), 300);
    tree.TimerExpired(4);
    EXPECT_TRUE(tree.TreeStates().Contains(tsScrolling));
    EXPECT_EQ(tree.TreeTimerInterval(4), 50);
    EXPECT_EQ(tree.OffsetY(), -20);
    for (int i = 0; i < 20 && tree.TreeTimerActive(4); ++i)
        tree.TimerExpired(4);
    EXPECT_EQ(tree.OffsetY(), tree.ClientHeight() - int(tree.RangeY()));
    EXPECT_FALSE(tree.TreeTimerActive(4));
    EXPECT_FALSE(tree.TreeStates().Contains(tsScrolling));
}

TEST(LazyTreeWheel, EditTimerStartsFromASecondClickOnASelectedCaption)
{
    TInputTree tree;
    tree.TreeOptions().SetMiscOptions(tree.TreeOptions().MiscOptions() + TLTMiscOptions{toEditable, toEditOnClick});
    tree.SetEditDelay(700);
    SetupScanTree(tree, ManyNames(3, "n"));
    const QPoint p = LabelPoint(tree, tree.GetFirst());
    Click(tree, p);
    EXPECT_FALSE(tree.TreeTimerActive(2));
    Click(tree, p);
    EXPECT_TRUE(tree.TreeTimerActive(2));
    EXPECT_EQ(tree.TreeTimerInterval(2), 700);
    tree.TimerExpired(2);
    EXPECT_FALSE(tree.TreeTimerActive(2));
}
