// The tree's frame: construction and destruction, the options object, update locking,
// synchronous mode, long cancellable operations, form loading and Assign.
#include "controls/tree/lazytree.h"

#include "controls/tree/lazytreeglobals.h"
#include "controls/tree/lazytreehintwindow.h"
#include "controls/tree/lazytreestyledscroll.h"
#include "platform/theme.h"

#include <QApplication>
#include <QThread>
#include <QTimer>

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TLTPaintOption;
using enum TLTAnimationOption;
using enum TLTAutoOption;
using enum TLTSelectionOption;
using enum TLTMiscOption;
using enum TLTUpdateState;

namespace {

template <typename E>
bool Changed(TEnumSet<E> Old, TEnumSet<E> New, E Option)
{
    return Old.Contains(Option) != New.Contains(Option);
}

template <typename E>
bool Added(TEnumSet<E> Old, TEnumSet<E> New, E Option)
{
    return !Old.Contains(Option) && New.Contains(Option);
}

template <typename E>
bool Removed(TEnumSet<E> Old, TEnumSet<E> New, E Option)
{
    return Old.Contains(Option) && !New.Contains(Option);
}

// The start-up must run before the control is made.
QWidget *StartupThenParent(QWidget *Parent)
{
    LazyTreeGlobals();
    return Parent;
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Options

TCustomLazyTreeOptions::TCustomLazyTreeOptions(TBaseLazyTree *AOwner)
    : FOwner(AOwner),
      FPaintOptions{toShowButtons, toShowDropmark, toShowRoot, toShowTreeLines, toThemeAware,
                    toUseBlendedImages},
      FAutoOptions{toAutoDropExpand, toAutoScrollOnExpand, toAutoSort, toAutoTristateTracking,
                   toAutoDeleteMovedNodes, toAutoChangeScale},
      FMiscOptions{toAcceptOLEDrop, toFullRepaintOnResize, toInitOnSave, toToggleOnDblClick,
                   toWheelPanning, toEditOnClick}
{
}

void TCustomLazyTreeOptions::SetPaintOptions(TLTPaintOptions Value)
{
    const TLTPaintOptions old = FPaintOptions;
    if (Added(old, Value, toFixedIndent))
        Value.Include(toShowRoot);
    FPaintOptions = Value;
    FOwner->PaintOptionsChanged(old);
}

void TCustomLazyTreeOptions::SetAnimationOptions(TLTAnimationOptions Value)
{
    FAnimationOptions = Value;
}

void TCustomLazyTreeOptions::SetAutoOptions(TLTAutoOptions Value)
{
    const TLTAutoOptions old = FAutoOptions;
    FAutoOptions = Value;
    FOwner->AutoOptionsChanged(old);
}

void TCustomLazyTreeOptions::SetSelectionOptions(TLTSelectionOptions Value)
{
    const TLTSelectionOptions old = FSelectionOptions;
    FSelectionOptions = Value;
    FOwner->SelectionOptionsChanged(old);
}

void TCustomLazyTreeOptions::SetMiscOptions(TLTMiscOptions Value)
{
    const TLTMiscOptions old = FMiscOptions;
    FMiscOptions = Value;
    FOwner->MiscOptionsChanged(old);
}

void TCustomLazyTreeOptions::AssignTo(TCustomLazyTreeOptions &Dest) const
{
    Dest.SetPaintOptions(FPaintOptions);
    Dest.SetAnimationOptions(FAnimationOptions);
    Dest.SetAutoOptions(FAutoOptions);
    Dest.SetSelectionOptions(FSelectionOptions);
    Dest.SetMiscOptions(FMiscOptions);
}

void TBaseLazyTree::PaintOptionsChanged(TLTPaintOptions Old)
{
    const TLTPaintOptions New = FOptions->FPaintOptions;
    if (!FLoading && Changed(Old, New, toShowFilteredNodes)) {
        const bool shown = New.Contains(toShowFilteredNodes);
        const bool bracket = HandleAllocated();
        if (bracket)
            BeginUpdate();
        try {
            StopCacheValidation();
            for (PLazyNode run = FRoot->FirstChild; run;) {
                if (run->Has(vsFiltered)) {
                    if (FullyVisible(run))
                        FVisibleCount += shown ? 1 : uint32_t(-1);
                    const int64_t h = run->NodeHeight;
                    UpdateTotalHeight(run, shown ? h : -h, true);
                }
                // Whether a child is effectively visible depends on the option too.
                if (run->FirstChild)
                    UpdateHiddenChildrenFlag(run);
                // Pre-order over the linked nodes.
                if (run->FirstChild) {
                    run = run->FirstChild;
                    continue;
                }
                while (run != FRoot && !run->NextSibling)
                    run = run->Parent;
                run = run == FRoot ? nullptr : run->NextSibling;
            }
        } catch (...) {
            if (bracket)
                EndUpdate();
            throw;
        }
        if (bracket)
            EndUpdate();
    }
    if (HandleAllocated()) {
        const bool stylesEnabled = ThemePlatform().IsThemeActive();
        const bool themesPossible =
            LazyTreeGlobals().IsWinVistaOrAbove &&
            (FStates.Contains(tsUseThemes) || (Added(Old, New, toThemeAware) && stylesEnabled));
        if (themesPossible && Changed(Old, New, toUseExplorerTheme)) {
            if (New.Contains(toUseExplorerTheme)) {
                DoStateChange({tsUseExplorerTheme});
                ApplyWindowTheme(QStringLiteral("explorer"));
            } else {
                DoStateChange({}, {tsUseExplorerTheme});
                ApplyWindowTheme(QString());
            }
        }
        if (!FLoading) {
            if (Changed(Old, New, toThemeAware) || Changed(Old, New, toUseExplorerTheme)) {
                if (Added(Old, New, toThemeAware) && stylesEnabled)
                    DoStateChange({tsUseThemes});
                else if (Removed(Old, New, toThemeAware))
                    DoStateChange({}, {tsUseThemes});
                update();
            }
            if (Changed(Old, New, toChildrenAbove)) {
                MarkCacheInvalid();
                if (FUpdateCount == 0) {
                    RequestCacheValidation();
                    InvalidateTree();
                }
            }
            InvalidateTree();
        }
    }
}

void TBaseLazyTree::AutoOptionsChanged(TLTAutoOptions Old)
{
    if (Changed(Old, FOptions->FAutoOptions, toAutoSpanColumns) && !FLoading && HandleAllocated())
        InvalidateTree();
}

void TBaseLazyTree::SelectionOptionsChanged(TLTSelectionOptions Old)
{
    const TLTSelectionOptions New = FOptions->FSelectionOptions;
    if (Changed(Old, New, toMultiSelect) || Added(Old, New, toLevelSelectConstraint) ||
        Added(Old, New, toSiblingSelectConstraint))
        ClearSelection();
    if (Removed(Old, New, toExtendedFocus) && FFocusedColumn > 0 && HandleAllocated()) {
        FFocusedColumn = FHeader->MainColumn();
        InvalidateTree();
    }
    if (!New.Contains(toExtendedFocus))
        FFocusedColumn = FHeader->MainColumn();
}

void TBaseLazyTree::MiscOptionsChanged(TLTMiscOptions Old)
{
    const TLTMiscOptions New = FOptions->FMiscOptions;
    if (FLoading || !HandleAllocated())
        return;
    if (Changed(Old, New, toCheckSupport))
        InvalidateTree();
    if (Removed(Old, New, toAcceptOLEDrop))
        setAcceptDrops(false);
    // Re-creating the window for toFullRepaintOnResize has nothing to change here: Qt repaints
    // what a resize uncovers either way.
    if (Added(Old, New, toAcceptOLEDrop))
        setAcceptDrops(true);
    if (Added(Old, New, toVariableNodeHeight)) {
        BeginUpdate();
        try {
            ReinitNode(nullptr, true);
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
    }
}

void TBaseLazyTree::ReplaceOptions(std::unique_ptr<TCustomLazyTreeOptions> Value)
{
    FOptions = std::move(Value);
}

// ---------------------------------------------------------------------------------------
// Construction

TBaseLazyTree::TBaseLazyTree(QWidget *Parent) : QAbstractScrollArea(StartupThenParent(Parent))
{
    resize(200, 100);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::StyledPanel);
    FOptions = std::make_unique<TCustomLazyTreeOptions>(this);
    FHeader = std::make_unique<TLTHeader>(*this);
    FScrollBarOptions = std::make_unique<TScrollBarOptions>(*this);
    FColors = std::make_unique<TLTColors>(*this);
    // The tree shows its bars itself, when its content needs them.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ConnectScrollBars();
    viewport()->setMouseTracking(true);   // hot tracking and panning follow a free mouse
    CreateRootNode(0);
    AddWorkerReference();
}

TBaseLazyTree::~TBaseLazyTree()
{
    FDestroying = true;
    // The header band's filter would see the focus loss of the dying widget.
    delete findChild<QObject *>(QStringLiteral("HeaderBand"), Qt::FindDirectChildrenOnly);
    // The hint window's application-wide filter and a scroll-bar hook's filters call back into
    // the tree: they go while the tree is still whole, not with QWidget's children.
    delete FHintWindow.data();
    qDeleteAll(findChildren<TVclStyleScrollBarsHook *>(Qt::FindDirectChildrenOnly));
    StopPanning();
    StopCacheValidation();
    ReleaseWorkerReference(this);
    FOptions->FMiscOptions.Exclude(toReadOnly);
    CancelEditNode();
    ReleaseAccessibility();
    // Descendants that handle OnFreeNode through an overridden firer clear in their own
    // destructor; here the base firer runs.
    Clear();
    for (QTimer *&t : FTimers) {
        delete t;
        t = nullptr;
    }
    FHeader.reset();
    std::free(FRoot);
    FRoot = nullptr;
}

QString TBaseLazyTree::ClassName() const
{
    return QString::fromLatin1(metaObject()->className());
}

TLTImageList *TBaseLazyTree::CheckImageListFor(TCheckImageKind Kind)
{
    TLazyTreeGlobals &G = LazyTreeGlobals();
    switch (Kind) {
    case TCheckImageKind::ckLightCheck: return &G.List(TLTBuiltInList::LightCheck);
    case TCheckImageKind::ckDarkCheck: return &G.List(TLTBuiltInList::DarkCheck);
    case TCheckImageKind::ckLightTick: return &G.List(TLTBuiltInList::LightTick);
    case TCheckImageKind::ckDarkTick: return &G.List(TLTBuiltInList::DarkTick);
    case TCheckImageKind::ckFlat: return &G.List(TLTBuiltInList::Flat);
    case TCheckImageKind::ckXP: return &G.List(TLTBuiltInList::XP);
    case TCheckImageKind::ckSystemFlat: return &G.List(TLTBuiltInList::SystemFlat);
    case TCheckImageKind::ckSystemDefault: return &G.List(TLTBuiltInList::SystemDefault);
    case TCheckImageKind::ckCustom: break;
    }
    return nullptr;
}

void TBaseLazyTree::SetAnimationDuration(uint32_t Value)
{
    FAnimationDuration = Value;
    TLTAnimationOptions o = FOptions->AnimationOptions();
    o.Set(toAnimatedToggle, Value != 0);
    FOptions->SetAnimationOptions(o);
}

// ---------------------------------------------------------------------------------------
// States, update locking, synchronous mode

void TBaseLazyTree::DoStateChange(TLazyTreeStates Enter, TLazyTreeStates Leave)
{
    if (OnStateChange && !((Enter - FStates) + (FStates * Leave)).Empty())
        OnStateChange(this, Enter, Leave);
    FStates = (FStates + Enter) - Leave;
    FStopValidationFlag.store(FStates.Contains(tsStopValidation));
}

void TBaseLazyTree::AssertMainThread() const
{
    if (qApp && QThread::currentThread() != qApp->thread())
        throw ELazyTreeAssertion(("UI controls like " + ClassName() +
                                  " should only be manipulated through the main thread.")
                                     .toStdString());
}

void TBaseLazyTree::BeginUpdate()
{
    AssertMainThread();
    if (!FDestroying) {
        if (FUpdateCount == 0) {
            DoUpdating(usBegin);
            SetRedraw(false);
        } else {
            DoUpdating(usUpdate);
        }
    }
    ++FUpdateCount;
    DoStateChange({tsUpdating});
}

void TBaseLazyTree::EndUpdate()
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    if (FDestroying)
        return;
    if (FUpdateCount == 0 && FStates.Contains(tsUpdating)) {
        if (FStates.Contains(tsUpdateHiddenChildrenNeeded)) {
            for (PLazyNode run = FRoot->FirstChild; run;) {
                UpdateHiddenChildrenFlag(run);
                if (run->FirstChild) {
                    run = run->FirstChild;
                    continue;
                }
                while (run != FRoot && !run->NextSibling)
                    run = run->Parent;
                run = run == FRoot ? nullptr : run->NextSibling;
            }
            DoStateChange({}, {tsUpdateHiddenChildrenNeeded});
        }
        DoStateChange({}, {tsUpdating});
        CompactSelection();
        MarkCacheInvalid();
        RequestCacheValidation();
        if (HandleAllocated())
            UpdateScrollBars(false);
        if (FStates.Contains(tsStructureChangePending))
            DoStructureChange(FLastStructureChangeNode, FLastStructureChangeReason);
        auto finish = [this] {
            if (FOptions->FAutoOptions.Contains(toAutoSort))
                SortTree(SortColumn(), SortAscending(), true);
            SetRedraw(true);
            if (HandleAllocated())
                InvalidateTree();
        };
        try {
            if (FStates.Contains(tsChangePending))
                DoChange(FLastChangedNode);
        } catch (...) {
            finish();
            throw;
        }
        finish();
    }
    if (FUpdateCount > 0) {
        DoUpdating(usUpdate);
    } else {
        DoUpdating(usEnd);
        EnsureNodeSelected();
    }
}

void TBaseLazyTree::BeginSynch()
{
    if (!FDestroying) {
        if (FSynchUpdateCount == 0) {
            DoUpdating(usBeginSynch);
            for (int id : {5, 6, 1, 2, 3, 4, 7})
                KillTreeTimer(id);
            FSearchBuffer.clear();
            FLastSearchNode = nullptr;
            DoStateChange({}, {tsEditPending, tsIncrementalSearching, tsScrolling, tsScrollPending});
            if (FStates.Contains(tsStructureChangePending))
                DoStructureChange(FLastStructureChangeNode, FLastStructureChangeReason);
            if (FStates.Contains(tsChangePending))
                DoChange(FLastChangedNode);
        } else {
            DoUpdating(usSynch);
        }
    }
    ++FSynchUpdateCount;
    DoStateChange({tsSynchMode});
}

void TBaseLazyTree::EndSynch()
{
    if (FSynchUpdateCount > 0)
        --FSynchUpdateCount;
    if (FDestroying)
        return;
    if (FSynchUpdateCount > 0) {
        DoUpdating(usSynch);
    } else {
        DoStateChange({}, {tsSynchMode});
        DoUpdating(usEndSynch);
    }
}

// ---------------------------------------------------------------------------------------
// Operations

void TBaseLazyTree::BeginOperation(TLTOperationKind Kind)
{
    ++FOperationCount;
    DoStartOperation(Kind);
    if (FOperationCount == 1)
        FOperationCanceled = false;
}

void TBaseLazyTree::EndOperation(TLTOperationKind Kind)
{
    if (FOperationCount == 0)
        throw ELazyTreeAssertion("EndOperation must not be called when no operation in progress.");
    --FOperationCount;
    DoEndOperation(Kind);
}

void TBaseLazyTree::CancelOperation()
{
    if (FOperationCount > 0)
        FOperationCanceled = true;
}

bool TBaseLazyTree::OperationCanceled() const
{
    return FOperationCanceled && FOperationCount > 0;
}

// ---------------------------------------------------------------------------------------
// Form loading and Assign

void TBaseLazyTree::BeginLoading()
{
    FLoading = true;
}

void TBaseLazyTree::Loaded()
{
    FLoading = false;
    if (FOptions->FMiscOptions.Contains(toAcceptOLEDrop) && HandleAllocated())
        setAcceptDrops(true);
    if (FStates.Contains(tsNeedRootCountUpdate) && FRoot->ChildCount != 0) {
        DoStateChange({}, {tsNeedRootCountUpdate});
        const bool readOnly = FOptions->FMiscOptions.Contains(toReadOnly);
        FOptions->FMiscOptions.Exclude(toReadOnly);
        const uint32_t count = FRoot->ChildCount;
        FRoot->ChildCount = 0;
        BeginUpdate();
        try {
            SetChildCount(FRoot, count);
        } catch (...) {
            EndUpdate();
            FOptions->FMiscOptions.Set(toReadOnly, readOnly);
            throw;
        }
        EndUpdate();
        FOptions->FMiscOptions.Set(toReadOnly, readOnly);
    }
    FHeader->FinishLoading();
}

void TBaseLazyTree::Assign(const TBaseLazyTree &Source)
{
    if (FOptions->FMiscOptions.Contains(toReadOnly))
        throw ELazyTreeError(("Cannot assign a " + Source.ClassName() + " to a " + ClassName() + ".")
                                 .toStdString());
    SetAutoScrollDelay(Source.FAutoScrollDelay);
    SetBevelEdges(Source.FBevelEdges);
    SetBevelInner(Source.FBevelInner);
    SetBevelKind(Source.FBevelKind);
    SetBevelOuter(Source.FBevelOuter);
    SetBevelWidth(Source.FBevelWidth);
    SetBiDiMode(Source.FBiDiMode);
    SetBorderStyle(Source.FBorderStyle);
    SetBorderWidth(Source.FBorderWidth);
    SetCtl3D(Source.FCtl3D);
    SetAutoScrollInterval(Source.FAutoScrollInterval);
    SetChangeDelay(Source.FChangeDelay);
    SetColor(Source.FColor);
    SetCheckImageKind(Source.FCheckImageKind);
    SetDefaultNodeHeight(Source.FDefaultNodeHeight);
    SetDefaultPasteMode(Source.FDefaultPasteMode);
    SetDragImageKind(Source.FDragImageKind);
    setEnabled(Source.isEnabled());
    setFont(Source.font());
    FHeader->Assign(*Source.FHeader);
    FAnimationType = Source.FAnimationType;
    FHintMode = Source.FHintMode;
    FShowHint = Source.FShowHint;
    SetIndent(Source.FIndent);
    SetMargin(Source.FMargin);
    SetNodeAlignment(Source.FNodeAlignment);
    SetNodeDataSize(Source.FNodeDataSize);
    SetTreeOptions(*Source.FOptions);
    SetRootNodeCount(Source.RootNodeCount());
    SetSelectionBlendFactor(Source.FSelectionBlendFactor);
}

void TBaseLazyTree::ReadLegacyOptions(const QStringList &Names)
{
    TLTPaintOptions paint;
    TLTAnimationOptions animation;
    TLTAutoOptions autoOptions;
    TLTSelectionOptions selection;
    TLTMiscOptions misc;
    struct TLegacy
    {
        const char *Name;
        std::function<void()> Add;
    };
    const TLegacy table[] = {
        {"voAcceptOLEDrop", [&] { misc.Include(toAcceptOLEDrop); }},
        {"voAnimatedToggle", [&] { animation.Include(toAnimatedToggle); }},
        {"voAutoDropExpand", [&] { autoOptions.Include(toAutoDropExpand); }},
        {"voAutoExpand", [&] { autoOptions.Include(toAutoExpand); }},
        {"voAutoScroll", [&] { autoOptions.Include(toAutoScroll); }},
        {"voAutoSort", [&] { autoOptions.Include(toAutoSort); }},
        {"voAutoSpanColumns", [&] { autoOptions.Include(toAutoSpanColumns); }},
        {"voAutoTristateTracking", [&] { autoOptions.Include(toAutoTristateTracking); }},
        {"voCheckSupport", [&] { misc.Include(toCheckSupport); }},
        {"voDisableDrawSelection", [&] { selection.Include(toDisableDrawSelection); }},
        {"voEditable", [&] { misc.Include(toEditable); }},
        {"voExtendedFocus", [&] { selection.Include(toExtendedFocus); }},
        {"voFullRowSelect", [&] { selection.Include(toFullRowSelect); }},
        {"voGridExtensions", [&] { misc.Include(toGridExtensions); }},
        {"voHideFocusRect", [&] { paint.Include(toHideFocusRect); }},
        {"voHideSelection", [&] { paint.Include(toHideSelection); }},
        {"voHotTrack", [&] { paint.Include(toHotTrack); }},
        {"voInitOnSave", [&] { misc.Include(toInitOnSave); }},
        {"voLevelSelectConstraint", [&] { selection.Include(toLevelSelectConstraint); }},
        {"voMiddleClickSelect", [&] { selection.Include(toMiddleClickSelect); }},
        {"voMultiSelect", [&] { selection.Include(toMultiSelect); }},
        {"voRightClickSelect", [&] { selection.Include(toRightClickSelect); }},
        {"voPopupMode", [&] { paint.Include(toPopupMode); }},
        {"voShowBackground", [&] { paint.Include(toShowBackground); }},
        {"voShowButtons", [&] { paint.Include(toShowButtons); }},
        {"voShowDropmark", [&] { paint.Include(toShowDropmark); }},
        {"voShowHorzGridLines", [&] { paint.Include(toShowHorzGridLines); }},
        {"voShowRoot", [&] { paint.Include(toShowRoot); }},
        {"voShowTreeLines", [&] { paint.Include(toShowTreeLines); }},
        {"voShowVertGridLines", [&] { paint.Include(toShowVertGridLines); }},
        {"voSiblingSelectConstraint", [&] { selection.Include(toSiblingSelectConstraint); }},
        {"voToggleOnDblClick", [&] { misc.Include(toToggleOnDblClick); }},
    };
    for (const QString &name : Names)
        for (const TLegacy &entry : table)
            if (name == QLatin1String(entry.Name))
                entry.Add();
    FOptions->SetPaintOptions(paint);
    FOptions->SetAnimationOptions(animation);
    FOptions->SetAutoOptions(autoOptions);
    FOptions->SetSelectionOptions(selection);
    FOptions->SetMiscOptions(misc);
}
