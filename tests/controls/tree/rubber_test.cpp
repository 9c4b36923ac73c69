// Rubber-band selection: the threshold, toggling with Ctrl, unselecting on the way back,
// the caption test and the band's look.
#include "input_fixture.h"

#include <QApplication>

namespace {

const std::vector<QString> Names{"a", "b", "c", "d", "e", "f"};

// Middle of a row, far right of the short captions.
QPoint RightOf(TInputTree &Tree, int Row)
{
    return QPoint(Tree.ClientWidth() - 10, Row * 18 + 9);
}

// A point on the captions' column of a row.
QPoint OnCaption(TInputTree &Tree, int Row)
{
    return QPoint(LabelPoint(Tree, Tree.Shown()[size_t(Row)]).x(), Row * 18 + 9);
}

}   // namespace

TEST(LazyTreeRubberBand, ADragWithinTheThresholdLeavesTheSelection)
{
    TInputTree tree;
    SetupScanTree(tree, Names);
    tree.SelectAll(true);
    const QPoint start = RightOf(tree, 1);
    tree.LogSelection();
    MousePress(tree, start, Qt::ShiftModifier);
    const int t = QApplication::startDragDistance();
    MouseMoveTo(tree, start + QPoint(-t, t));
    EXPECT_TRUE(tree.TreeStates().Contains(tsDrawSelPending));
    EXPECT_FALSE(tree.TreeStates().Contains(tsDrawSelecting));
    EXPECT_EQ(tree.SelectedCount(), 6u);
    MouseRelease(tree, start + QPoint(-t, t), Qt::ShiftModifier);
    EXPECT_EQ(tree.SelectedCount(), 6u);
}

TEST(LazyTreeRubberBand, WithCtrlCrossedNodesToggleBothWays)
{
    TInputTree tree;
    SetupScanTree(tree, Names);
    tree.SetSelected(tree.Shown()[1], true);
    const QPoint start(3, 2);
    MousePress(tree, start, Qt::ControlModifier);
    MouseMoveTo(tree, OnCaption(tree, 2), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(tree.SelectedCaptions(), (std::vector<std::string>{"a", "c"}));
    MouseMoveTo(tree, OnCaption(tree, 0), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(tree.SelectedCaptions(), (std::vector<std::string>{"a", "b"}));
    MouseRelease(tree, OnCaption(tree, 0), Qt::ControlModifier);
    EXPECT_FALSE(tree.IsMouseSelecting());
}

TEST(LazyTreeRubberBand, MovingBackUnselects)
{
    TInputTree tree;
    SetupScanTree(tree, Names);
    MousePress(tree, QPoint(3, 2));
    MouseMoveTo(tree, OnCaption(tree, 3));
    EXPECT_EQ(tree.SelectedCaptions(), (std::vector<std::string>{"a", "b", "c", "d"}));
    MouseMoveTo(tree, OnCaption(tree, 1));
    EXPECT_EQ(tree.SelectedCaptions(), (std::vector<std::string>{"a", "b"}));
}

TEST(LazyTreeRubberBand, ATreeWithOnlyItsRootIgnoresTheBand)
{
    TInputTree tree;
    SetupScanTree(tree, {});
    MousePress(tree, QPoint(3, 2));
    MouseMoveTo(tree, QPoint(100, 100));
    EXPECT_TRUE(tree.TreeStates().Contains(tsDrawSelecting));
    EXPECT_FALSE(tree.UpdateRubberBand());
    EXPECT_EQ(tree.SelectedCount(), 0u);
}

TEST(LazyTreeRubberBand, OnlyTheCaptionCountsWithoutFullRowSelect)
{
    for (bool fullRow : {false, true}) {
        SCOPED_TRACE(fullRow);
        TInputTree tree;
        if (fullRow)
            tree.TreeOptions().SetSelectionOptions(tree.TreeOptions().SelectionOptions() +
                                                   TLTSelectionOptions{toFullRowSelect});
        SetupScanTree(tree, Names);
        MousePress(tree, RightOf(tree, 5) + QPoint(0, 40));
        MouseMoveTo(tree, RightOf(tree, 2) - QPoint(40, 0));
        EXPECT_EQ(tree.SelectedCount(), fullRow ? 4u : 0u);
    }
}

TEST(LazyTreeRubberBand, TheBandIsDrawnBlended)
{
    TInputTree tree;
    SetupScanTree(tree, Names, 0, 300, 180);
    tree.Colors().Set(TLTColors::SelectionRectangleBlendColor, 0x0000FF);   // red
    tree.SetSelectionBlendFactor(128);
    tree.SetDrawSelectionMode(TLTDrawSelectionMode::smBlendedRectangle);
    MousePress(tree, QPoint(150, 150));
    MouseMoveTo(tree, QPoint(250, 175));
    const QImage shot = tree.viewport()->grab().toImage();
    const QColor inside = shot.pixelColor(200, 165), outside = shot.pixelColor(100, 165);
    EXPECT_EQ(outside, QColor(Qt::white));
    EXPECT_EQ(inside.red(), 255);
    EXPECT_NEAR(inside.green(), 127, 2);
    EXPECT_NEAR(inside.blue(), 127, 2);
}

// By default, without themes, the band is the inverting dotted frame: nothing inside it
// changes and its edges alternate.
TEST(LazyTreeRubberBand, TheBandIsADottedFrameByDefault)
{
    TInputTree tree;
    SetupScanTree(tree, Names, 0, 300, 180);
    ASSERT_FALSE(tree.TreeStates().Contains(tsUseThemes));
    EXPECT_EQ(tree.DrawSelectionMode(), TLTDrawSelectionMode::smDottedRectangle);
    MousePress(tree, QPoint(150, 150));
    MouseMoveTo(tree, QPoint(250, 175));
    const QImage shot = tree.viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(200, 165), QColor(Qt::white));
    std::vector<int> marked;
    for (int x = 140; x < 260; ++x)
        if (shot.pixelColor(x, 164) != QColor(Qt::white) || shot.pixelColor(x, 165) != QColor(Qt::white))
            marked.push_back(x);
    EXPECT_EQ(marked.size(), 2u);
    int dots = 0;
    for (int x = 160; x < 240; ++x)
        dots += shot.pixelColor(x, 150) != QColor(Qt::white) ? 1 : 0;
    EXPECT_NEAR(dots, 40, 1);
}

// Fixed columns do not scroll: the band drawn over them stays under the mouse.
TEST(LazyTreeRubberBand, TheBandOverAFixedColumnStaysUnderTheMouse)
{
    TInputTree tree;
    TLazyTreeColumn &fixed = tree.Header().Columns().Add();
    fixed.SetWidth(100);
    fixed.SetOptions(fixed.Options() + TLTColumnOptions{TLTColumnOption::coFixed});
    tree.Header().Columns().Add().SetWidth(600);
    tree.Header().SetMainColumn(1);
    SetupScanTree(tree, Names, 0, 200, 180);
    tree.SetOffsetX(-30);
    ASSERT_EQ(tree.OffsetX(), -30);
    tree.Colors().Set(TLTColors::SelectionRectangleBlendColor, 0x0000FF);   // red
    tree.SetDrawSelectionMode(TLTDrawSelectionMode::smBlendedRectangle);
    MousePress(tree, QPoint(20, 130));
    MouseMoveTo(tree, QPoint(45, 170));
    const QImage shot = tree.viewport()->grab().toImage();
    const QColor inside = shot.pixelColor(30, 150);
    EXPECT_EQ(inside.red(), 255);
    EXPECT_NEAR(inside.green(), 127, 2);
    EXPECT_EQ(shot.pixelColor(70, 150), QColor(Qt::white));
}

TEST(LazyTreeRubberBand, AScrolledColumnMeetsTheBandWhereItsCaptionsAreShown)
{
    TInputTree tree;
    tree.Header().Columns().Add().SetWidth(600);
    SetupScanTree(tree, Names, 0, 200, 180);
    tree.SetOffsetX(-30);
    ASSERT_EQ(tree.OffsetX(), -30);
    const QPoint caption = LabelPoint(tree, tree.Shown()[0]);
    MousePress(tree, QPoint(caption.x() + 100, 2));
    MouseMoveTo(tree, QPoint(caption.x(), 40));
    EXPECT_EQ(tree.SelectedCaptions(), (std::vector<std::string>{"a", "b", "c"}));
}
