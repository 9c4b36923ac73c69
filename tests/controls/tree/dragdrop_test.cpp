// Dragging nodes within a tree and between trees, the drop steps and the drag image.
#include "dnd_fixture.h"
#include "input_fixture.h"

#include "controls/tree/lazytreeglobals.h"
#include "platform/dialogs.h"

#include <QApplication>
#include <QMouseEvent>

using namespace LTResult;
using enum TLTDropMode;

namespace {

// Turns the system drag picture off for a test: the tree draws its own.
struct TOwnDragImage
{
    TOwnDragImage() { SetSystemDragImageSupport(false); }
    ~TOwnDragImage() { SetSystemDragImageSupport(true); }
};

// Trees shown side by side, accepting drops; OnDragDrop hands the drop to ProcessDrop with
// DropAt as the attach mode.
struct TDragTrees
{
    TDndTree Source, Target;
    TLTNodeAttachMode DropAt = amAddChildLast;
    std::vector<std::vector<uint16_t>> DropFormats;
    TDragTrees()
    {
        for (TDndTree *t : {&Source, &Target}) {
            t->TreeOptions().SetMiscOptions(t->TreeOptions().MiscOptions() + TLTMiscOptions{toAcceptOLEDrop});
            t->OnDragOver = [](TBaseLazyTree *, QObject *, TLTShiftState, TDragState, QPoint,
                               TLTDropMode, uint32_t &, bool &Accept) { Accept = true; };
            t->OnDragDrop = [this](TBaseLazyTree *Sender, QObject *, const QMimeData *Data,
                                   const std::vector<uint16_t> &Formats, TLTShiftState, QPoint,
                                   uint32_t &Effect, TLTDropMode) {
                DropFormats.push_back(Formats);
                Sender->ProcessDrop(Data, Sender->DropTargetNode(), Effect, DropAt);
            };
            ShowWithClient(*t, 300, 200);
        }
        Target.move(Source.geometry().topRight() + QPoint(20, 0));
    }
    // The drag loop of Source: over To at the caption of Over (nil: the empty space below
    // the nodes), dropped with KeyState.
    void DragOnto(TDndTree &To, PLazyNode Over, uint32_t KeyState = 0)
    {
        Source.Loop = [&To, Over, KeyState](uint32_t Allowed, QMimeData *Data, uint32_t &Effect) {
            const QPoint client = Over ? LabelPoint(To, Over) : QPoint(5, To.ClientHeight() - 5);
            const QPoint p = To.viewport()->mapToGlobal(client);
            ILTDragManager &m = To.DragManager();
            uint32_t e = Allowed;
            m.DragEnter(Data, KeyState | MK_LBUTTON, p, e);
            e = Allowed;
            m.DragOver(KeyState | MK_LBUTTON, p, e);
            e = Allowed;
            Effect = m.Drop(Data, KeyState, p, e) == S_OK ? e : DROPEFFECT_NONE;
        };
    }
    void DragSelection()
    {
        Source.RunOleDrag(QPoint(5, 5));
    }
};

}   // namespace

// ---------------------------------------------------------------------------------------
// The drag image

TEST(LazyTreeDragImage, AlphaFadesFromTheCentreAndTheKeyIsTransparent)
{
    TDndTree tree;
    TLTDragImage image(&tree);
    QImage source(101, 101, QImage::Format_ARGB32);
    source.fill(Qt::white);
    source.setPixel(70, 50, qRgb(255, 0, 0));
    image.SetColorKey(0x0000FF);   // red
    QImage target = source;
    image.MakeAlphaChannel(source, target);
    EXPECT_EQ(qAlpha(target.pixel(50, 50)), 255);
    EXPECT_EQ(qAlpha(target.pixel(70, 50)), 0);
    EXPECT_EQ(qAlpha(target.pixel(60, 50)), int(std::lround(255 * std::exp(-8.0 * 10 / 101))));
    for (QPoint corner : {QPoint(0, 0), QPoint(100, 0), QPoint(0, 100), QPoint(100, 100)})
        EXPECT_LE(qAlpha(target.pixel(corner)), 1);
}

TEST(LazyTreeDragImage, SmallMovesResampleStripsLargeMovesTheWholeRectangle)
{
    TOwnDragImage own;
    TDndTree tree;
    TImageScreen screen(QSize(400, 300));
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            screen.Screen.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    const QImage original = screen.Screen;
    TLTDragImage image(&tree);
    image.SetScreen(&screen);
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(Qt::black);
    image.PrepareDrag(picture, QPoint(100, 100), QPoint(120, 115), nullptr);
    EXPECT_FALSE(image.Visible()) << "prepared hidden";
    image.ShowDragImage();
    ASSERT_TRUE(image.Visible());
    EXPECT_EQ(screen.CapturedPixels, 40 * 30);

    const struct
    {
        QPoint Move;
        int Captured;
    } moves[] = {
        {QPoint(5, 3), 35 * 3 + 5 * 30},   // diagonal: both strips
        {QPoint(0, -4), 40 * 4},
        {QPoint(-6, 0), 6 * 30},
        {QPoint(40, 0), 40 * 30},          // as wide as the picture: all of it
        {QPoint(-3, 31), 40 * 30},
    };
    QPoint position(100, 100), mouse(120, 115);
    for (const auto &m : moves) {
        screen.CapturedPixels = 0;
        mouse += m.Move;
        position += m.Move;
        EXPECT_TRUE(image.DragTo(mouse, false));
        EXPECT_EQ(screen.CapturedPixels, m.Captured) << m.Move.x() << "," << m.Move.y();
        EXPECT_EQ(image.ImagePosition(), position);
        // The saved background is exactly the screen beneath the picture, and the screen
        // outside the picture shows its own pixels again.
        EXPECT_EQ(image.BackImage(), original.copy(QRect(position, QSize(40, 30))).convertToFormat(QImage::Format_ARGB32));
        EXPECT_EQ(screen.Screen.pixel(position - QPoint(1, 1)), original.pixel(position - QPoint(1, 1)));
        EXPECT_EQ(screen.Screen.pixel(position + QPoint(41, 31)), original.pixel(position + QPoint(41, 31)));
    }
    EXPECT_FALSE(image.DragTo(mouse, false)) << "no move";
    image.EndDrag();
    EXPECT_FALSE(image.Visible());
    EXPECT_EQ(screen.Screen.convertToFormat(QImage::Format_ARGB32), original.convertToFormat(QImage::Format_ARGB32));
    EXPECT_TRUE(image.GetDragImageRect().isEmpty());
}

TEST(LazyTreeDragImage, HorizontalOnlyIgnoresVerticalMovement)
{
    TOwnDragImage own;
    TDndTree tree;
    TImageScreen screen(QSize(300, 300));
    TLTDragImage image(&tree);
    image.SetScreen(&screen);
    image.SetMoveRestriction(TLTDragMoveRestriction::dmrHorizontalOnly);
    QImage picture(20, 20, QImage::Format_ARGB32);
    picture.fill(Qt::blue);
    image.PrepareDrag(picture, QPoint(50, 50), QPoint(60, 60), nullptr);
    image.ShowDragImage();
    const int draws = screen.Draws;
    EXPECT_FALSE(image.WillMove(QPoint(60, 90)));
    EXPECT_FALSE(image.DragTo(QPoint(60, 90), false));
    EXPECT_EQ(image.ImagePosition(), QPoint(50, 50));
    EXPECT_EQ(screen.Draws, draws);
    EXPECT_TRUE(image.WillMove(QPoint(65, 90)));
    EXPECT_TRUE(image.DragTo(QPoint(65, 90), false));
    EXPECT_EQ(image.ImagePosition(), QPoint(55, 50));
}

TEST(LazyTreeDragImage, WithoutBlendingOrSystemPictureNothingShowsAndTheDragRuns)
{
    TOwnDragImage own;
    TDragTrees t;
    PLazyNode a = t.Source.Add(nullptr, QStringLiteral("A"), 1);
    t.Source.Add(nullptr, QStringLiteral("B"), 2);
    t.Source.AddToSelection(a);
    TImageScreen screen(QSize(800, 600));
    t.Source.DragImage().SetScreen(&screen);
    TLazyTreeGlobals &g = LazyTreeGlobals();
    g.MMXAvailable = false;
    t.DragOnto(t.Target, nullptr);
    t.DragSelection();
    g.MMXAvailable = true;
    EXPECT_EQ(screen.Draws, 0);
    EXPECT_FALSE(t.Source.DragImage().Has(TLTDragImageState::disPrepared));
    EXPECT_EQ(t.Target.Dump(), std::vector<std::string>{"A=1"}) << "copied across";
}

TEST(LazyTreeDragImage, TheRowsGoToThePlatformPictureWhereItHasOne)
{
    TDndTree tree;
    PLazyNode a = tree.Add(nullptr, QStringLiteral("Selected"), 1);
    tree.Add(nullptr, QStringLiteral("Other"), 2);
    ShowWithClient(tree, 200, 100);
    tree.SetDragWidth(60);
    tree.SetDragHeight(40);
    tree.AddToSelection(a);
    TLTDataObject data(&tree, false);
    tree.PrepareDragImage(LabelPoint(tree, a), &data);
    const TLTDragImage &image = tree.DragImage();
    EXPECT_TRUE(image.Has(TLTDragImageState::disSystemSupport));
    EXPECT_FALSE(image.Visible());
    EXPECT_EQ(image.SystemImage().size(), QSize(60, 40));
    EXPECT_EQ(image.SystemHotSpot(), QPoint(30, 20));
    EXPECT_EQ(image.ColorKey(), tree.Colors().BackGroundColor());
    tree.SetDragImageKind(TLTDragImageKind::diNoImage);
    tree.DragImage().EndDrag();
}

// ---------------------------------------------------------------------------------------
// Effects and drop modes

TEST(LazyTreeDragDrop, PreferredEffectFollowsModifiersAndWhatIsAllowed)
{
    TDndTree tree, other;
    constexpr uint32_t C = DROPEFFECT_COPY, M = DROPEFFECT_MOVE, L = DROPEFFECT_LINK;
    using S = TLTShiftState;
    const struct
    {
        QObject *Source;
        TLTShiftState Shift;
        uint32_t Allowed, Expected;
    } cases[] = {
        {&tree, S{}, C | M, M},
        {&other, S{}, C | M, C},
        {nullptr, S{}, M, M},
        {&tree, S{ssCtrl, ssShift}, C | M, M},   // no link: the default
        {&tree, S{ssCtrl, ssShift}, C | M | L, L},
        {&tree, S{ssCtrl}, C | M, C},
        {&other, S{ssShift}, C | M, M},
        {&other, S{ssShift}, C, C},
        {&tree, S{ssAlt}, C | M | L, L},
        {&tree, S{ssAlt}, C | M, M},
    };
    for (const auto &c : cases)
        EXPECT_EQ(tree.PreferredDropEffect(c.Source, c.Shift, c.Allowed, QPoint()), c.Expected)
            << c.Shift.Bits() << " " << c.Allowed;
}

TEST(LazyTreeDragDrop, DropModeByPartOfTheRow)
{
    TDndTree tree;
    PLazyNode a = tree.Add(nullptr, QStringLiteral("Node"), 1);
    ShowWithClient(tree, 300, 100);
    const TRect r = tree.GetDisplayRect(a, NoColumn, false);
    THitInfo label;
    label.HitNode = a;
    label.HitPositions = {hiOnItem, hiOnItemLabel};
    THitInfo indent = label;
    indent.HitPositions = {hiOnItem, hiOnItemIndent};
    const QPoint upper(5, r.Top + 1), lower(5, r.Bottom - 1);
    EXPECT_EQ(tree.DropModeAt(upper, label, r), dmOnNode);
    EXPECT_EQ(tree.DropModeAt(upper, indent, r), dmAbove) << "toShowDropmark is on by default";
    EXPECT_EQ(tree.DropModeAt(lower, indent, r), dmBelow);
    EXPECT_EQ(tree.DropModeAt(upper, THitInfo(), r), dmNowhere);
    tree.TreeOptions().SetPaintOptions(tree.TreeOptions().PaintOptions() - TLTPaintOptions{toShowDropmark});
    EXPECT_EQ(tree.DropModeAt(upper, indent, r), dmOnNode);
}

// ---------------------------------------------------------------------------------------
// Starting a drag

TEST(LazyTreeDragDrop, StartsOnlyBeyondTheThresholdWithTheAllowedEffects)
{
    TDndTree tree;
    PLazyNode a = tree.Add(nullptr, QStringLiteral("Drag me"), 1);
    ShowWithClient(tree, 300, 100);
    tree.OnDragAllowed = [](TBaseLazyTree *, PLazyNode, TColumnIndex, bool &Allowed) { Allowed = true; };
    int loops = 0;
    std::vector<std::string> selectedInLoop;
    tree.Loop = [&](uint32_t, QMimeData *, uint32_t &) {
        ++loops;
        EXPECT_TRUE(tree.TreeStates().Contains(TLazyTreeState::tsOLEDragging));
        EXPECT_TRUE(tree.Dragging());
    };
    const QPoint p = LabelPoint(tree, a);
    const int threshold = QApplication::startDragDistance();
    MousePress(tree, p);
    EXPECT_TRUE(tree.TreeStates().Contains(TLazyTreeState::tsOLEDragPending));
    EXPECT_EQ(tree.DragThreshold(), threshold);
    MouseMoveTo(tree, p + QPoint(threshold - 1, threshold - 1));
    EXPECT_EQ(loops, 0);
    MouseMoveTo(tree, p + QPoint(0, threshold));
    EXPECT_EQ(loops, 1);
    EXPECT_EQ(tree.LastAllowed, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    // The loop ate the release: the tree got one and holds no button or drag state.
    EXPECT_FALSE(tree.TreeStates().Contains(TLazyTreeState::tsLeftButtonDown));
    EXPECT_FALSE(tree.Dragging());
    EXPECT_TRUE(tree.Selected(a));

    tree.SetDragOperations({});
    tree.RunOleDrag(p);
    EXPECT_EQ(tree.LastAllowed, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
    tree.SetDragOperations({TDragOperation::doLink});
    tree.RunOleDrag(p);
    EXPECT_EQ(tree.LastAllowed, DROPEFFECT_LINK);
}

// ---------------------------------------------------------------------------------------
// Dropping

TEST(LazyTreeDragDrop, OptimizedMoveHandsBackNoneSoNothingIsDeletedAfterwards)
{
    TDragTrees t;
    TDndTree &tree = t.Source;
    PLazyNode a = tree.Add(nullptr, QStringLiteral("A"), 1);
    tree.Add(nullptr, QStringLiteral("B"), 2);
    PLazyNode c = tree.Add(nullptr, QStringLiteral("C"), 3);
    tree.TreeOptions().SetAutoOptions(tree.TreeOptions().AutoOptions() + TLTAutoOptions{toAutoDeleteMovedNodes});
    tree.AddToSelection(c);
    std::vector<PLazyNode> moved;
    tree.OnNodeMoved = [&](TBaseLazyTree *, PLazyNode N) { moved.push_back(N); };
    t.DragOnto(tree, a);
    t.DragSelection();
    EXPECT_EQ(tree.Dump(), (std::vector<std::string>{"A=1", " C=3", "B=2"}));
    EXPECT_EQ(moved, std::vector<PLazyNode>{c}) << "moved, not copied: the same node";
    ASSERT_EQ(t.DropFormats.size(), 1u);
    EXPECT_EQ(t.DropFormats[0].front(), LazyTreeFormats().TreeData);
    EXPECT_EQ(tree.DropTargetNode(), nullptr);
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeDragDrop, InsertBeforeOnTheHiddenRootAddsFirstTopLevelNodes)
{
    TDragTrees t;
    TDndTree &tree = t.Source;
    tree.Add(nullptr, QStringLiteral("A"), 1);
    PLazyNode b = tree.Add(nullptr, QStringLiteral("B"), 2);
    PLazyNode c = tree.Add(nullptr, QStringLiteral("C"), 3);
    tree.AddToSelection(b);
    tree.AddToSelection(c);
    t.DropAt = amInsertBefore;
    t.DragOnto(tree, nullptr);
    t.DragSelection();
    EXPECT_EQ(tree.Dump(), (std::vector<std::string>{"B=2", "C=3", "A=1"}));
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeDragDrop, AncestorsOfTheTargetAreNeverMovedBelowThemselves)
{
    TDragTrees t;
    TDndTree &tree = t.Source;
    PLazyNode a = tree.Add(nullptr, QStringLiteral("A"), 1);
    PLazyNode a1 = tree.Add(a, QStringLiteral("A1"), 11);
    PLazyNode b = tree.Add(nullptr, QStringLiteral("B"), 2);
    tree.FullExpand();
    tree.AddToSelection(a);
    tree.AddToSelection(b);
    t.DragOnto(tree, a1);
    t.DragSelection();
    EXPECT_EQ(tree.Dump(), (std::vector<std::string>{"A=1", " A1=11", "  B=2"}));
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeDragDrop, AScrollOnlyEffectFailsWithoutOnDragDrop)
{
    TDragTrees t;
    PLazyNode a = t.Target.Add(nullptr, QStringLiteral("A"), 1);
    t.Target.OnDragOver = [](TBaseLazyTree *, QObject *, TLTShiftState, TDragState, QPoint,
                             TLTDropMode, uint32_t &Effect, bool &Accept) {
        Accept = true;
        Effect = DROPEFFECT_SCROLL;
    };
    QMimeData data;
    const QPoint p = t.Target.viewport()->mapToGlobal(LabelPoint(t.Target, a));
    uint32_t effect = DROPEFFECT_COPY;
    t.Target.DragManager().DragEnter(&data, MK_LBUTTON, p, effect);
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(t.Target.DragManager().Drop(&data, 0, p, effect), E_FAIL);
    EXPECT_TRUE(t.DropFormats.empty());
    EXPECT_EQ(t.Target.DropTargetNode(), nullptr);
    EXPECT_FALSE(t.Target.DragManager().IsDropTarget());
}

TEST(LazyTreeDragDrop, AnErrorInTheDropIsShownAndTheTargetCleared)
{
    TFakeDialogsGuard dialogs;
    TDragTrees t;
    PLazyNode a = t.Target.Add(nullptr, QStringLiteral("A"), 1);
    t.Target.OnDragDrop = [](TBaseLazyTree *, QObject *, const QMimeData *,
                             const std::vector<uint16_t> &, TLTShiftState, QPoint, uint32_t &,
                             TLTDropMode) { throw ELazyTreeError("Drop refused by the test."); };
    QMimeData data;
    const QPoint p = t.Target.viewport()->mapToGlobal(LabelPoint(t.Target, a));
    uint32_t effect = DROPEFFECT_COPY;
    t.Target.DragManager().DragEnter(&data, MK_LBUTTON, p, effect);
    EXPECT_EQ(t.Target.DropTargetNode(), a);
    EXPECT_EQ(t.Target.LastDropMode(), dmOnNode);
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(t.Target.DragManager().Drop(&data, 0, p, effect), E_UNEXPECTED);
    EXPECT_EQ(dialogs.Fake.LastText(), QStringLiteral("Drop refused by the test."));
    EXPECT_EQ(t.Target.DropTargetNode(), nullptr);

    // ProcessDrop swallows its errors and reports no effect.
    t.Target.OnLoadNode = [](TBaseLazyTree *, PLazyNode, QIODevice &) {
        throw ELazyTreeError("Damaged user data.");
    };
    TLTDataObject good(&t.Source, false);
    t.Source.AddToSelection(t.Source.Add(nullptr, QStringLiteral("X"), 9));
    effect = DROPEFFECT_COPY;
    EXPECT_FALSE(t.Target.ProcessDrop(&good, nullptr, effect, amAddChildLast));
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    effect = DROPEFFECT_COPY;
    EXPECT_FALSE(t.Target.ProcessDrop(&good, nullptr, effect, amNoWhere));
    EXPECT_EQ(effect, DROPEFFECT_NONE);
}

TEST(LazyTreeDragDrop, WaitingOverACollapsedParentExpandsIt)
{
    TDragTrees t;
    PLazyNode a = t.Target.Add(nullptr, QStringLiteral("A"), 1);
    t.Target.Add(a, QStringLiteral("A1"), 11);
    PLazyNode b = t.Target.Add(nullptr, QStringLiteral("B"), 2);
    t.Target.SetAutoExpandDelay(700);
    t.Target.TreeOptions().SetAutoOptions(t.Target.TreeOptions().AutoOptions() - TLTAutoOptions{toAutoDropExpand});
    QMimeData data;
    ILTDragManager &m = t.Target.DragManager();
    uint32_t effect = DROPEFFECT_COPY;
    m.DragEnter(&data, MK_LBUTTON, t.Target.viewport()->mapToGlobal(LabelPoint(t.Target, b)), effect);
    effect = DROPEFFECT_COPY;
    m.DragOver(MK_LBUTTON, t.Target.viewport()->mapToGlobal(LabelPoint(t.Target, a)), effect);
    EXPECT_EQ(t.Target.DropTargetNode(), a);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    EXPECT_FALSE(t.Target.TreeTimerActive(1)) << "without toAutoDropExpand";
    t.Target.TreeOptions().SetAutoOptions(t.Target.TreeOptions().AutoOptions() + TLTAutoOptions{toAutoDropExpand});
    m.DragOver(MK_LBUTTON, t.Target.viewport()->mapToGlobal(LabelPoint(t.Target, b)), effect);
    m.DragOver(MK_LBUTTON, t.Target.viewport()->mapToGlobal(LabelPoint(t.Target, a)), effect);
    EXPECT_TRUE(t.Target.TreeTimerActive(1));
    EXPECT_EQ(t.Target.TreeTimerInterval(1), 700);
    t.Target.TimerExpired(1);
    EXPECT_FALSE(t.Target.TreeTimerActive(1));
    EXPECT_TRUE(a->Has(vsExpanded));
    m.DragLeave();
    EXPECT_EQ(t.Target.DropTargetNode(), nullptr);
    EXPECT_FALSE(m.IsDropTarget());
}

TEST(LazyTreeDragDrop, BetweenTwoTreesNodesTravelWithTheirUserData)
{
    TDragTrees t;
    PLazyNode a = t.Source.Add(nullptr, QStringLiteral("A"), 1);
    t.Source.Add(a, QStringLiteral("A1"), 11);
    PLazyNode b = t.Source.Add(nullptr, QStringLiteral("B"), 2);
    PLazyNode x = t.Target.Add(nullptr, QStringLiteral("X"), 9);
    t.Source.TreeOptions().SetAutoOptions(t.Source.TreeOptions().AutoOptions() + TLTAutoOptions{toAutoDeleteMovedNodes});
    std::vector<std::string> events;
    t.Source.OnNodeMoved = [&](TBaseLazyTree *S, PLazyNode N) {
        events.push_back("moved on source, node of " + std::string(S == &t.Source ? "source " : "target ") +
                         std::string(t.Target.Captions.count(N) ? "target" : "source"));
    };
    t.Target.OnNodeCopied = [&](TBaseLazyTree *, PLazyNode N) {
        events.push_back("copied " + t.Target.Captions[N].toStdString());
    };
    // Shift: a move.
    t.Source.AddToSelection(a);
    t.DragOnto(t.Target, x, MK_SHIFT);
    t.DragSelection();
    EXPECT_EQ(t.Source.Dump(), std::vector<std::string>{"B=2"});
    EXPECT_EQ(t.Target.Dump(), (std::vector<std::string>{"X=9", " A=1", "  A1=11"}));
    EXPECT_EQ(events, std::vector<std::string>{"moved on source, node of source target"});
    // No modifier between trees: a copy.
    events.clear();
    t.Source.AddToSelection(b);
    t.DragOnto(t.Target, nullptr);
    t.DragSelection();
    EXPECT_EQ(t.Source.Dump(), std::vector<std::string>{"B=2"});
    EXPECT_EQ(t.Target.Dump(), (std::vector<std::string>{"X=9", " A=1", "  A1=11", "B=2"}));
    EXPECT_EQ(events, std::vector<std::string>{"copied B"});
    EXPECT_TRUE(ValidateTree(t.Source));
    EXPECT_TRUE(ValidateTree(t.Target));
}

// ---------------------------------------------------------------------------------------
// The header's column drag

namespace {

// Mouse events on the header band, P in client coordinates (the header lies above 0).
void SendToHeader(TBaseLazyTree &Tree, QEvent::Type Type, QPoint P, Qt::MouseButton B,
                  Qt::MouseButtons Buttons)
{
    const QPoint local = P + Tree.viewport()->pos();
    QMouseEvent e(Type, QPointF(local), QPointF(Tree.mapToGlobal(local)), B, Buttons, {});
    QApplication::sendEvent(&Tree, &e);
}

}   // namespace

TEST(LazyTreeHeaderDragImage, TheDraggedColumnsPictureFollowsTheMouse)
{
    using enum TLTHeaderOption;
    for (const bool restrict : {false, true}) {
        TInputTree tree;
        SetupScanTree(tree, NumberedNames(5, "n"));
        for (const char *caption : {"A", "B", "C"})
            tree.Header().Columns().Add().SetText(QString::fromLatin1(caption));
        tree.Header().SetOptions(TLTHeaderOptions{hoVisible, hoDrag} +
                                 (restrict ? TLTHeaderOptions{hoRestrictDrag} : TLTHeaderOptions{}));
        QApplication::processEvents();
        TImageScreen screen(QSize(1000, 700));
        TLTDragImage &image = tree.Header().DragImage();
        image.SetScreen(&screen);
        const int height = tree.Header().Height();
        SendToHeader(tree, QEvent::MouseButtonPress, QPoint(25, -5), Qt::LeftButton, Qt::LeftButton);
        SendToHeader(tree, QEvent::MouseMove, QPoint(90, -5), Qt::NoButton, Qt::LeftButton);
        ASSERT_TRUE(image.Visible()) << restrict;
        EXPECT_EQ(image.Picture().size(), QSize(tree.Header().Columns()[0].Width(), height));
        const QPoint start = tree.viewport()->mapToGlobal(QPoint(0, -height));
        EXPECT_EQ(image.ImagePosition(), start);
        EXPECT_EQ(screen.Draws, 1);
        SendToHeader(tree, QEvent::MouseMove, QPoint(110, -8), Qt::NoButton, Qt::LeftButton);
        EXPECT_EQ(image.ImagePosition(), start + QPoint(20, restrict ? 0 : -3)) << restrict;
        SendToHeader(tree, QEvent::MouseButtonRelease, QPoint(110, -8), Qt::LeftButton, Qt::NoButton);
        EXPECT_FALSE(image.Visible());
        EXPECT_EQ(tree.Header().Columns()[0].Position(), 1u);
    }
}

TEST(LazyTreeDragDrop, FrameworkDragsRunTheSameWayUnderTheirOwnStates)
{
    TDragTrees t;
    TDndTree &tree = t.Source;
    PLazyNode a = tree.Add(nullptr, QStringLiteral("A"), 1);
    PLazyNode b = tree.Add(nullptr, QStringLiteral("B"), 2);
    tree.SetDragType(TLTDragType::dtVCL);
    tree.OnDragAllowed = [](TBaseLazyTree *, PLazyNode, TColumnIndex, bool &Allowed) { Allowed = true; };
    tree.AddToSelection(b);
    t.DragOnto(tree, a);
    bool framework = false;
    auto drop = tree.Loop;
    tree.Loop = [&](uint32_t Allowed, QMimeData *Data, uint32_t &Effect) {
        framework = tree.TreeStates().Contains(TLazyTreeState::tsVCLDragging) &&
                    !tree.TreeStates().Contains(TLazyTreeState::tsOLEDragging);
        drop(Allowed, Data, Effect);
    };
    const QPoint p = LabelPoint(tree, b);
    MousePress(tree, p);
    EXPECT_TRUE(tree.TreeStates().Contains(TLazyTreeState::tsVCLDragPending));
    MouseMoveTo(tree, p + QPoint(0, QApplication::startDragDistance()));
    EXPECT_TRUE(framework);
    EXPECT_FALSE(tree.Dragging());
    EXPECT_EQ(tree.Dump(), (std::vector<std::string>{"A=1", " B=2"}));
    // Pressed and released without moving: the armed drag ends.
    MousePress(tree, LabelPoint(tree, a));
    MouseRelease(tree, LabelPoint(tree, a));
    EXPECT_FALSE(tree.Dragging());
}

TEST(LazyTreeDragDrop, TheSourcesOwnPictureShowsOverATreeOfTheProgram)
{
    TOwnDragImage own;
    TDragTrees t;
    PLazyNode a = t.Source.Add(nullptr, QStringLiteral("A"), 1);
    PLazyNode x = t.Target.Add(nullptr, QStringLiteral("X"), 9);
    PLazyNode y = t.Target.Add(nullptr, QStringLiteral("Y"), 8);
    t.Source.AddToSelection(a);
    TImageScreen screen(QSize(1000, 700));
    TLTDragImage &image = t.Source.DragImage();
    image.SetScreen(&screen);
    std::vector<std::string> seen;
    t.Source.Loop = [&](uint32_t Allowed, QMimeData *Data, uint32_t &Effect) {
        EXPECT_TRUE(image.Has(TLTDragImageState::disPrepared));
        seen.push_back(image.Visible() ? "shown" : "hidden");
        ILTDragManager &m = t.Target.DragManager();
        const QPoint overX = t.Target.viewport()->mapToGlobal(LabelPoint(t.Target, x));
        const QPoint overY = t.Target.viewport()->mapToGlobal(LabelPoint(t.Target, y));
        uint32_t e = Allowed;
        m.DragEnter(Data, MK_LBUTTON, overX, e);
        seen.push_back(image.Visible() ? "shown" : "hidden");
        // The picture keeps its place relative to the mouse from the press on.
        const QPoint before = image.ImagePosition();
        const QPoint hotSpot = t.Source.viewport()->mapToGlobal(QPoint(5, 5));
        e = Allowed;
        m.DragOver(MK_LBUTTON, overY, e);
        EXPECT_EQ(image.ImagePosition() - before, overY - hotSpot);
        seen.push_back(t.Target.DropTargetNode() == y ? "over Y" : "elsewhere");
        m.DragLeave();
        seen.push_back(image.Visible() ? "shown" : "hidden");
        Effect = DROPEFFECT_NONE;
    };
    t.DragSelection();
    EXPECT_EQ(seen, (std::vector<std::string>{"hidden", "shown", "over Y", "hidden"}));
    EXPECT_FALSE(image.Has(TLTDragImageState::disPrepared)) << "ended with the drag";
    EXPECT_GT(screen.Draws, 1) << "drawn again after moving";
}
