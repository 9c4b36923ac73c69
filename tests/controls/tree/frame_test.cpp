// The frame: construction defaults, options, update locking, change notices, operations,
// form loading and the process-wide start-up.
#include "tree_fixture.h"

#include "common/wait_until.h"
#include "controls/tree/lazytreeglobals.h"

#include <QCoreApplication>
#include <QMenu>
#include <thread>

TEST(LazyTreeFrame, ConstructionDefaults)
{
    TTestTree tree;
    EXPECT_EQ(tree.DefaultNodeHeight(), 18u);
    EXPECT_EQ(tree.Indent(), 18u);
    EXPECT_EQ(tree.Margin(), 4);
    EXPECT_EQ(tree.TextMargin(), 4);
    EXPECT_EQ(tree.AnimationDuration(), 200u);
    EXPECT_EQ(tree.AutoExpandDelay(), 1000u);
    EXPECT_EQ(tree.AutoScrollDelay(), 1000u);
    EXPECT_EQ(tree.EditDelay(), 1000u);
    EXPECT_EQ(tree.IncrementalSearchTimeout(), 1000u);
    EXPECT_EQ(tree.AutoScrollInterval(), 1u);
    EXPECT_EQ(tree.SelectionBlendFactor(), 128);
    EXPECT_EQ(tree.DrawSelectionMode(), TLTDrawSelectionMode::smDottedRectangle);
    EXPECT_EQ(tree.BorderStyle(), TLTBorderStyle::bsSingle);
    EXPECT_TRUE(tree.Ctl3D());
    EXPECT_EQ(tree.BevelKind(), TLTBevelKind::bkNone);
    EXPECT_EQ(tree.BevelWidth(), 1);
    EXPECT_EQ(tree.BorderWidth(), 0);
    EXPECT_EQ(tree.DragWidth(), 200);
    EXPECT_EQ(tree.DragHeight(), 350);
    EXPECT_EQ(tree.ChangeDelay(), 0u);
    EXPECT_EQ(tree.FocusedColumn(), NoColumn);
    EXPECT_EQ(tree.DefaultPasteMode(), amAddChildLast);
    EXPECT_EQ(tree.CheckImageKind(), TCheckImageKind::ckSystemDefault);
    EXPECT_EQ(tree.NodeAlignment(), TLTNodeAlignment::naProportional);
    EXPECT_EQ(tree.LineStyle(), TLTLineStyle::lsDotted);
    EXPECT_EQ(tree.ButtonStyle(), TLTButtonStyle::bsRectangle);
    EXPECT_EQ(tree.ButtonFillMode(), TLTButtonFillMode::fmTreeColor);
    EXPECT_EQ(tree.HintAnimation(), THintAnimationType::hatSystemDefault);
    EXPECT_EQ(tree.IncrementalSearch(), TLTIncrementalSearch::isNone);
    EXPECT_EQ(tree.IncrementalSearchStart(), TLTSearchStart::ssFocusedNode);
    EXPECT_EQ(tree.DragOperations(), (TDragOperations{TDragOperation::doCopy, TDragOperation::doMove}));
    EXPECT_EQ(tree.DragType(), TLTDragType::dtOLE);
    EXPECT_EQ(tree.DragImageKind(), TLTDragImageKind::diComplete);
    EXPECT_EQ(tree.width(), 200);
    EXPECT_EQ(tree.height(), 100);
    EXPECT_EQ(tree.ClassName(), QStringLiteral("TTestTree"));
}

TEST(LazyTreeFrame, OptionSetDefaults)
{
    TTestTree tree;
    const TCustomLazyTreeOptions &o = tree.TreeOptions();
    EXPECT_EQ(o.PaintOptions(), (TLTPaintOptions{toShowButtons, toShowDropmark, toShowRoot,
                                                 toShowTreeLines, toThemeAware, toUseBlendedImages}));
    EXPECT_EQ(o.AnimationOptions(), TLTAnimationOptions{});
    EXPECT_EQ(o.AutoOptions(),
              (TLTAutoOptions{toAutoDropExpand, toAutoScrollOnExpand, toAutoSort,
                              toAutoTristateTracking, toAutoDeleteMovedNodes, toAutoChangeScale}));
    EXPECT_EQ(o.SelectionOptions(), TLTSelectionOptions{});
    EXPECT_EQ(o.MiscOptions(), (TLTMiscOptions{toAcceptOLEDrop, toFullRepaintOnResize, toInitOnSave,
                                               toToggleOnDblClick, toWheelPanning, toEditOnClick}));
    EXPECT_EQ(o.ExportMode, TLTExportMode::emAll);
}

TEST(LazyTreeFrame, OptionSetterRules)
{
    TTestTree tree;
    tree.SetAnimationDuration(0);
    EXPECT_FALSE(tree.TreeOptions().AnimationOptions().Contains(toAnimatedToggle));
    tree.SetAnimationDuration(150);
    EXPECT_TRUE(tree.TreeOptions().AnimationOptions().Contains(toAnimatedToggle));

    tree.TreeOptions().SetPaintOptions({toFixedIndent});
    EXPECT_EQ(tree.TreeOptions().PaintOptions(), (TLTPaintOptions{toFixedIndent, toShowRoot}));

    // Assigning options copies all five sets.
    TTestTree other;
    other.TreeOptions().SetSelectionOptions({toMultiSelect});
    other.TreeOptions().SetMiscOptions({toCheckSupport});
    tree.SetTreeOptions(other.TreeOptions());
    EXPECT_EQ(tree.TreeOptions().SelectionOptions(), TLTSelectionOptions{toMultiSelect});
    EXPECT_EQ(tree.TreeOptions().MiscOptions(), TLTMiscOptions{toCheckSupport});
    EXPECT_EQ(tree.TreeOptions().PaintOptions(), other.TreeOptions().PaintOptions());
}

TEST(LazyTreeFrame, ShowingFilteredNodesRecountsThem)
{
    TTestTree tree;
    tree.OnInitNode = [](TBaseLazyTree *, PLazyNode, PLazyNode Node, TLazyNodeInitStates &S) {
        if (Node->Index == 1)
            S.Include(ivsFiltered);
    };
    tree.SetRootNodeCount(3);
    tree.ValidateNode(nullptr, true);
    EXPECT_EQ(tree.VisibleCount(), 2u);
    TLTPaintOptions paint = tree.TreeOptions().PaintOptions();
    paint.Include(toShowFilteredNodes);
    tree.TreeOptions().SetPaintOptions(paint);
    EXPECT_EQ(tree.VisibleCount(), 3u);
    EXPECT_TRUE(ValidateTree(tree));
    paint.Exclude(toShowFilteredNodes);
    tree.TreeOptions().SetPaintOptions(paint);
    EXPECT_EQ(tree.VisibleCount(), 2u);
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeFrame, StructureChangesOutsideAndInsideAnUpdate)
{
    TEventLog log;
    TTestTree tree;
    log.Attach(tree);
    for (int i = 0; i < 3; ++i)
        tree.AddChild(nullptr);
    EXPECT_EQ(log.Lines, (std::vector<std::string>(3, "structure nil 2")));
    log.Lines.clear();
    tree.BeginUpdate();
    for (int i = 0; i < 3; ++i)
        tree.AddChild(nullptr);
    EXPECT_TRUE(log.Lines.empty());
    EXPECT_TRUE(tree.TreeStates().Contains(tsStructureChangePending));
    tree.EndUpdate();
    EXPECT_EQ(log.Lines, (std::vector<std::string>{"structure nil 1"}));
    EXPECT_FALSE(tree.TreeStates().Contains(tsStructureChangePending));
}

TEST(LazyTreeFrame, NestedUpdatesReportTheirSteps)
{
    TEventLog log;
    TTestTree tree;
    log.Attach(tree);
    tree.BeginUpdate();
    tree.BeginUpdate();
    tree.AddChild(nullptr);
    tree.NoteChange(tree.RootNode()->FirstChild);
    tree.EndUpdate();
    EXPECT_TRUE(log.Lines.empty());
    EXPECT_TRUE(tree.TreeStates().Contains(tsUpdating));
    std::vector<std::string> order;
    tree.OnStructureChange = [&](TBaseLazyTree *, PLazyNode, TChangeReason) { order.push_back("structure"); };
    tree.OnChange = [&](TBaseLazyTree *, PLazyNode) { order.push_back("change"); };
    tree.EndUpdate();
    EXPECT_EQ(order, (std::vector<std::string>{"structure", "change"}));
    EXPECT_EQ(log.Updating, (std::vector<TLTUpdateState>{usBegin, usUpdate, usUpdate, usEnd}));
    EXPECT_FALSE(tree.TreeStates().Contains(tsUpdating));
    log.Updating.clear();
    tree.EndUpdate();   // at count 0
    EXPECT_EQ(tree.UpdateCount(), 0u);
    EXPECT_EQ(log.Updating, (std::vector<TLTUpdateState>{usEnd}));
}

TEST(LazyTreeFrame, ChangeDelayDefersAndMergesOnAShownTree)
{
    TTestTree tree;
    tree.show();
    ASSERT_TRUE(tree.HandleAllocated());
    tree.SetChangeDelay(100);
    TEventLog log;
    log.Attach(tree);
    PLazyNode a = tree.AddChild(nullptr);
    tree.InsertNode(a, amInsertAfter);
    EXPECT_EQ(log.Structures, 0);
    EXPECT_TRUE(tree.TreeTimerActive(6));
    EXPECT_EQ(tree.TreeTimerInterval(6), 100);
    tree.TimerExpired(6);   // what the timer does when it runs out
    EXPECT_EQ(log.Only("structure"), (std::vector<std::string>{"structure 1 1"}));
    EXPECT_FALSE(tree.TreeTimerActive(6));
    tree.TimerExpired(5);   // nothing pending
}

TEST(LazyTreeFrame, ChangeDelayTimerFiresFromTheEventLoop)
{
    TTestTree tree;
    tree.show();
    tree.SetChangeDelay(20);
    TEventLog log;
    log.Attach(tree);
    tree.AddChild(nullptr);
    tree.AddChild(nullptr);
    WaitUntil([&] { return log.Structures != 0; });
    EXPECT_EQ(log.Only("structure"), (std::vector<std::string>{"structure nil 1"}));
}

TEST(LazyTreeFrame, SynchModeFiresPendingChangesAtOnce)
{
    TTestTree tree;
    tree.show();
    tree.SetChangeDelay(100);
    TEventLog log;
    log.Attach(tree);
    tree.AddChild(nullptr);
    EXPECT_EQ(log.Structures, 0);
    tree.BeginSynch();
    EXPECT_EQ(log.Only("structure"), (std::vector<std::string>{"structure nil 2"}));
    EXPECT_TRUE(tree.TreeStates().Contains(tsSynchMode));
    tree.AddChild(nullptr);
    EXPECT_EQ(log.Structures, 2);
    tree.BeginSynch();
    tree.EndSynch();
    EXPECT_TRUE(tree.TreeStates().Contains(tsSynchMode));
    tree.EndSynch();
    EXPECT_FALSE(tree.TreeStates().Contains(tsSynchMode));
    EXPECT_EQ(log.Updating, (std::vector<TLTUpdateState>{usBeginSynch, usSynch, usSynch, usEndSynch}));
}

TEST(LazyTreeFrame, ATreeWithoutWindowIgnoresTheChangeDelay)
{
    TTestTree tree;
    tree.SetChangeDelay(100);
    TEventLog log;
    log.Attach(tree);
    tree.AddChild(nullptr);
    EXPECT_EQ(log.Structures, 1);
    EXPECT_FALSE(tree.TreeTimerActive(6));
}

TEST(LazyTreeFrame, StateChangeStaysSilentWhenNothingChanges)
{
    TTestTree tree;
    std::vector<std::pair<uint64_t, uint64_t>> calls;
    tree.OnStateChange = [&](TBaseLazyTree *, TLazyTreeStates Enter, TLazyTreeStates Leave) {
        calls.emplace_back(Enter.Bits(), Leave.Bits());
    };
    tree.DoStateChange({tsHint});
    tree.DoStateChange({tsHint}, {tsEditing});
    EXPECT_EQ(calls.size(), 1u);
    tree.DoStateChange({tsEditing}, {tsEditing});   // both: ends up left
    EXPECT_EQ(calls.size(), 2u);
    EXPECT_FALSE(tree.TreeStates().Contains(tsEditing));
    EXPECT_TRUE(tree.TreeStates().Contains(tsHint));
}

TEST(LazyTreeFrame, OperationsNestAndCancel)
{
    TTestTree tree;
    std::vector<std::string> log;
    tree.OnStartOperation = [&](TBaseLazyTree *, TLTOperationKind K) { log.push_back("start " + std::to_string(int(K))); };
    tree.OnEndOperation = [&](TBaseLazyTree *, TLTOperationKind K) { log.push_back("end " + std::to_string(int(K))); };
    tree.CancelOperation();
    tree.BeginOperation(okExpand);
    EXPECT_FALSE(tree.OperationCanceled());
    tree.BeginOperation(okSortTree);
    tree.CancelOperation();
    EXPECT_TRUE(tree.OperationCanceled());
    tree.EndOperation(okSortTree);
    EXPECT_TRUE(tree.OperationCanceled());
    tree.EndOperation(okExpand);
    EXPECT_FALSE(tree.OperationCanceled());
    EXPECT_EQ(log, (std::vector<std::string>{"start 5", "start 3", "end 3", "end 5"}));
    try {
        tree.EndOperation(okExpand);
        ADD_FAILURE();
    } catch (const ELazyTreeAssertion &e) {
        EXPECT_STREQ(e.what(), "EndOperation must not be called when no operation in progress.");
    }
    EXPECT_EQ(tree.OperationCount(), 0u);
}

TEST(LazyTreeFrame, LoadingMakesTheRootNodesInLoadedEvenWhenReadOnly)
{
    TTestTree tree;
    tree.BeginLoading();
    tree.TreeOptions().SetMiscOptions({toReadOnly});
    tree.SetRootNodeCount(5);
    EXPECT_TRUE(tree.TreeStates().Contains(tsNeedRootCountUpdate));
    EXPECT_EQ(tree.RootNode()->FirstChild, nullptr);
    tree.Loaded();
    EXPECT_EQ(tree.RootNodeCount(), 5u);
    EXPECT_TRUE(tree.TreeOptions().MiscOptions().Contains(toReadOnly));
    EXPECT_FALSE(tree.TreeStates().Contains(tsNeedRootCountUpdate));
    EXPECT_TRUE(ValidateTree(tree));
}

TEST(LazyTreeFrame, AssignCopiesTheSettings)
{
    TTestTree source;
    source.SetNodeDataSize(8);
    source.SetRootNodeCount(4);
    source.SetIndent(30);
    source.SetChangeDelay(50);
    source.TreeOptions().SetSelectionOptions({toMultiSelect});
    TTestTree dest;
    dest.Assign(source);
    EXPECT_EQ(dest.NodeDataSize(), 8);
    EXPECT_EQ(dest.RootNodeCount(), 4u);
    EXPECT_EQ(dest.Indent(), 30u);
    EXPECT_EQ(dest.ChangeDelay(), 50u);
    EXPECT_EQ(dest.TreeOptions().SelectionOptions(), TLTSelectionOptions{toMultiSelect});
    TTestTree readOnly;
    readOnly.TreeOptions().SetMiscOptions({toReadOnly});
    EXPECT_THROW(readOnly.Assign(source), ELazyTreeError);
}

TEST(LazyTreeFrame, UpdatingOffTheGuiThreadIsRefused)
{
    TTestTree tree;
    std::string message;
    std::thread worker([&] {
        try {
            tree.BeginUpdate();
        } catch (const ELazyTreeAssertion &e) {
            message = e.what();
        }
    });
    worker.join();
    EXPECT_EQ(message, "UI controls like TTestTree should only be manipulated through the main thread.");
    EXPECT_EQ(tree.UpdateCount(), 0u);
}

TEST(LazyTreeFrame, FirersGiveTheirDefaults)
{
    TTestTree tree;
    PLazyNode node = tree.AddChild(nullptr);
    // Unassigned events allow and leave the values alone.
    TCheckState state = TCheckState::csCheckedNormal;
    EXPECT_TRUE(tree.DoExpanding(node));
    EXPECT_TRUE(tree.DoCollapsing(node));
    EXPECT_TRUE(tree.DoNodeMoving(node, nullptr));
    EXPECT_TRUE(tree.DoNodeCopying(node, nullptr));
    EXPECT_TRUE(tree.DoChecking(node, state));
    uint32_t count = 7;
    EXPECT_FALSE(tree.DoInitChildren(node, count));
    EXPECT_EQ(count, 7u);
    EXPECT_EQ(tree.DoGetNodeDataSize(), 4);
    // Assigned ones see the defaults.
    std::vector<bool> seen;
    auto record = [&](TBaseLazyTree *, PLazyNode, bool &Allowed) { seen.push_back(Allowed); };
    tree.OnExpanding = record;
    tree.OnCollapsing = record;
    tree.OnNodeMoving = [&](TBaseLazyTree *, PLazyNode, PLazyNode, bool &A) { seen.push_back(A); };
    tree.OnNodeCopying = tree.OnNodeMoving;
    tree.OnChecking = [&](TBaseLazyTree *, PLazyNode, TCheckState &, bool &A) { seen.push_back(A); };
    tree.DoExpanding(node);
    tree.DoCollapsing(node);
    tree.DoNodeMoving(node, nullptr);
    tree.DoNodeCopying(node, nullptr);
    tree.DoChecking(node, state);
    tree.TreeOptions().SetMiscOptions({toReadOnly});
    tree.DoChecking(node, state);
    EXPECT_EQ(seen, (std::vector<bool>{true, true, true, true, true, false}));
    tree.OnInitChildren = [&](TBaseLazyTree *, PLazyNode, uint32_t &C) { EXPECT_EQ(C, 0u); C = 3; };
    count = node->ChildCount;
    EXPECT_TRUE(tree.DoInitChildren(node, count));
    EXPECT_EQ(count, 3u);
}

// A descendant reacts to an event by overriding its firer.
namespace {
class TCountingTree : public TTestTree
{
public:
    int Inits = 0;

protected:
    void DoInitNode(PLazyNode Parent, PLazyNode Node, TLazyNodeInitStates &S) override
    {
        ++Inits;
        TTestTree::DoInitNode(Parent, Node, S);
    }
};
}   // namespace

TEST(LazyTreeFrame, FirersAreVirtual)
{
    TCountingTree tree;
    tree.SetRootNodeCount(3);
    EXPECT_EQ(tree.TotalCount(), 3u);
    EXPECT_EQ(tree.Inits, 3);
}

TEST(LazyTreeFrame, TreesShareOneStartup)
{
    TTestTree first;
    TTestTree second;
    TLazyTreeGlobals &g = LazyTreeGlobals();
    EXPECT_EQ(g.StartupRuns, 1);
    EXPECT_EQ(TTestTree::CheckImageListFor(TCheckImageKind::ckDarkCheck),
              &g.List(TLTBuiltInList::DarkCheck));
    EXPECT_EQ(TTestTree::CheckImageListFor(TCheckImageKind::ckCustom), nullptr);
    for (TLTBuiltInList list : {TLTBuiltInList::LightCheck, TLTBuiltInList::DarkCheck,
                                TLTBuiltInList::LightTick, TLTBuiltInList::DarkTick,
                                TLTBuiltInList::Flat, TLTBuiltInList::XP,
                                TLTBuiltInList::SystemDefault, TLTBuiltInList::SystemFlat})
        EXPECT_EQ(g.List(list).Count(), 25) << int(list);
    EXPECT_EQ(g.List(TLTBuiltInList::Utilities).Count(), 9);
    EXPECT_EQ(g.List(TLTBuiltInList::Utilities).Width(), 16);
    EXPECT_EQ(g.ReferenceFormat, QStringLiteral("Lazy Tree Reference"));
    EXPECT_FALSE(g.HeaderSplitCursor.Image.isNull());
    // The strip's top-left colour is transparent; image 0 of a check strip is blank.
    const QImage &blank = g.List(TLTBuiltInList::DarkCheck).Image(0);
    EXPECT_EQ(qAlpha(blank.pixel(8, 8)), 0);
    const QImage &checked = g.List(TLTBuiltInList::DarkCheck).Image(13);
    EXPECT_NE(qAlpha(checked.pixel(8, 8)), 0);
}

TEST(LazyTreeFrame, DestructionFreesTheNodesWithTheirEvents)
{
    TEventLog log;
    auto *tree = new TBaseLazyTree;
    log.Attach(*tree);
    PLazyNode a = tree->AddChild(nullptr);
    tree->AddChild(a);
    tree->AddChild(nullptr);
    log.Lines.clear();
    delete tree;
    // Only the initialised node is due; nothing else is reported while the tree goes.
    EXPECT_EQ(log.Lines, (std::vector<std::string>{"free 0"}));
    EXPECT_TRUE(log.Updating.empty() || log.Updating.back() != usBegin);
}

TEST(LazyTreeFrame, AMissingStripIsReported)
{
    TLTImageList list;
    try {
        FillImageListFromStrip(list, QImage(), QStringLiteral("LT_FLAT"), true);
        ADD_FAILURE();
    } catch (const ELazyTreeAssertion &e) {
        EXPECT_STREQ(e.what(), "Internal image \"LT_FLAT\" is missing or corrupt.");
    }
    QImage strip(48, 16, QImage::Format_RGB32);
    strip.fill(Qt::white);
    strip.setPixel(0, 0, qRgb(255, 0, 255));
    FillImageListFromStrip(list, strip, QStringLiteral("X"), false);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(qAlpha(list.Image(0).pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(list.Image(0).pixel(1, 0)), 255);
}

TEST(LazyTreeFrame, LegacyOptionNamesFillTheFiveSets)
{
    TTestTree tree;
    tree.ReadLegacyOptions({QStringLiteral("voMultiSelect"), QStringLiteral("voShowRoot"),
                            QStringLiteral("voAnimatedToggle"), QStringLiteral("voAutoSort"),
                            QStringLiteral("voCheckSupport"), QStringLiteral("voUnknown")});
    const TCustomLazyTreeOptions &o = tree.TreeOptions();
    EXPECT_EQ(o.PaintOptions(), TLTPaintOptions{toShowRoot});
    EXPECT_EQ(o.AnimationOptions(), TLTAnimationOptions{toAnimatedToggle});
    EXPECT_EQ(o.AutoOptions(), TLTAutoOptions{toAutoSort});
    EXPECT_EQ(o.SelectionOptions(), TLTSelectionOptions{toMultiSelect});
    EXPECT_EQ(o.MiscOptions(), TLTMiscOptions{toCheckSupport});
}

TEST(LazyTreeFrame, ImageQueryPrefersTheExtendedEvent)
{
    TTestTree tree;
    TLTImageList normal, state, other;
    tree.SetImages(&normal);
    tree.SetStateImages(&state);
    PLazyNode node = tree.AddChild(nullptr);
    bool ghosted = false;
    int index = -1;
    EXPECT_EQ(tree.DoGetImageIndex(node, TLTImageKind::ikState, NoColumn, ghosted, index), &state);
    EXPECT_EQ(index, -1);
    int plainCalls = 0;
    tree.OnGetImageIndex = [&](TBaseLazyTree *, PLazyNode, TLTImageKind, TColumnIndex, bool &,
                               int &Index) { ++plainCalls; Index = 3; };
    EXPECT_EQ(tree.DoGetImageIndex(node, TLTImageKind::ikNormal, NoColumn, ghosted, index), &normal);
    EXPECT_EQ(index, 3);
    // The scan window's shape: the image is the node's level; the list left unchanged.
    tree.OnGetImageIndexEx = [&](TBaseLazyTree *Sender, PLazyNode Node, TLTImageKind Kind,
                                 TColumnIndex, bool &, int &Index, TLTImageList *&List) {
        if (Kind == TLTImageKind::ikNormal || Kind == TLTImageKind::ikSelected)
            Index = int(Sender->GetNodeLevel(Node));
        if (Kind == TLTImageKind::ikOverlay)
            List = &other;
    };
    index = -1;
    EXPECT_EQ(tree.DoGetImageIndex(node, TLTImageKind::ikSelected, NoColumn, ghosted, index), &normal);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(tree.DoGetImageIndex(node, TLTImageKind::ikState, NoColumn, ghosted, index), &state);
    EXPECT_EQ(tree.DoGetImageIndex(node, TLTImageKind::ikOverlay, NoColumn, ghosted, index), &other);
    EXPECT_EQ(plainCalls, 1);
}

TEST(LazyTreeFrame, PopupMenuQueryClimbsWhileAskedTo)
{
    TTestTree tree;
    PLazyNode a = tree.AddChild(nullptr);
    PLazyNode b = tree.AddChild(a);
    QMenu popup;
    QMenu *const menu = &popup;
    std::vector<std::string> asked;
    bool askParent = true;
    tree.OnGetPopupMenu = [&](TBaseLazyTree *Sender, PLazyNode Node, TColumnIndex Column,
                              const QPoint &, bool &AskParent, QMenu *&Menu) {
        asked.push_back(Node ? PathOf(*Sender, Node) + " " + std::to_string(Column) : "nil " + std::to_string(Column));
        AskParent = askParent;
        if (Node == a)
            Menu = menu;
    };
    EXPECT_EQ(tree.DoGetPopupMenu(b, 2, QPoint()), menu);
    EXPECT_EQ(asked, (std::vector<std::string>{"0.0 2", "0 2"}));
    asked.clear();
    askParent = false;
    EXPECT_EQ(tree.DoGetPopupMenu(b, 2, QPoint()), nullptr);
    EXPECT_EQ(asked, (std::vector<std::string>{"0.0 2"}));
    asked.clear();
    EXPECT_EQ(tree.DoGetPopupMenu(nullptr, 2, QPoint()), nullptr);
    EXPECT_EQ(asked, (std::vector<std::string>{"nil -1"}));
}

TEST(LazyTreeFrame, NodeHintsDefaultToTheControlsHint)
{
    TTestTree tree;
    tree.setToolTip(QStringLiteral("the tree"));
    PLazyNode node = tree.AddChild(nullptr);
    TLTTooltipLineBreakStyle style = TLTTooltipLineBreakStyle::hlbForceMultiLine;
    EXPECT_EQ(tree.GetNodeHint(node, NoColumn, style), QStringLiteral("the tree"));
    EXPECT_EQ(style, TLTTooltipLineBreakStyle::hlbDefault);
    style = TLTTooltipLineBreakStyle::hlbForceSingleLine;
    EXPECT_EQ(tree.GetNodeTooltip(node, NoColumn, style), QStringLiteral("the tree"));
    EXPECT_EQ(style, TLTTooltipLineBreakStyle::hlbDefault);
}
