// Creating, linking, unlinking and deleting nodes, and their lazy initialisation.
#include "controls/tree/lazytree.h"

using enum TLazyNodeState;
using enum TLazyNodeInitState;
using enum TLazyTreeState;
using enum TLTMiscOption;
using enum TLTAutoOption;
using enum TLTNodeAttachMode;
using enum TChangeReason;


// ---------------------------------------------------------------------------------------
// Lazy initialisation

void TBaseLazyTree::InitNode(PLazyNode Node)
{
    Node->States.Include(vsInitializing);
    TLazyNodeInitStates initStates;
    if (Node->Has(vsInitialized))
        initStates.Include(ivsReInit);
    // Set before the event, so that nothing the handler does initialises the node again.
    Node->States.Include(vsInitialized);
    try {
        DoInitNode(Node->Parent == FRoot ? nullptr : Node->Parent, Node, initStates);
        if (initStates.Contains(ivsDisabled))
            Node->States.Include(vsDisabled);
        if (initStates.Contains(ivsHasChildren))
            Node->States.Include(vsHasChildren);
        if (initStates.Contains(ivsSelected))
            AddToSelection(Node);
        if (initStates.Contains(ivsMultiline))
            Node->States.Include(vsMultiline);
        if (initStates.Contains(ivsFiltered)) {
            const bool wasFiltered = Node->Has(vsFiltered);
            Node->States.Include(vsFiltered);
            if (!TreeOptions().PaintOptions().Contains(TLTPaintOption::toShowFilteredNodes) &&
                !(initStates.Contains(ivsReInit) && wasFiltered)) {
                UpdateTotalHeight(Node, -int64_t(Node->NodeHeight), true);
                if (FullyVisible(Node))
                    --FVisibleCount;
                if (FUpdateCount == 0)
                    UpdateScrollBars(true);
            }
        }
        if (Node->Has(vsExpanded) != initStates.Contains(ivsExpanded)) {
            if (initStates.Contains(ivsExpanded))
                ToggleNode(Node);
            else if (Node->Has(vsHasChildren))
                InitChildren(Node);
        }
    } catch (...) {
        Node->States.Exclude(vsInitializing);
        throw;
    }
    Node->States.Exclude(vsInitializing);
}

void TBaseLazyTree::InitChildren(PLazyNode Node)
{
    if (!Node || Node == FRoot || !Node->Has(vsHasChildren))
        return;
    uint32_t count = Node->ChildCount;
    if (DoInitChildren(Node, count)) {
        SetChildCount(Node, count);
        if (count == 0)
            Node->States.Exclude(vsHasChildren);
    }
}

// ---------------------------------------------------------------------------------------
// Child counts

void TBaseLazyTree::SetChildCount(PLazyNode Node, uint32_t NewChildCount)
{
    if (!Node)
        Node = FRoot;
    if (TreeOptions().MiscOptions().Contains(toReadOnly))
        return;
    if (NewChildCount == 0) {
        DeleteChildren(Node, false);
        return;
    }
    if (NewChildCount == Node->ChildCount)
        return;
    StopCacheValidation();
    if (NewChildCount > Node->ChildCount) {
        const uint32_t added = NewChildCount - Node->ChildCount;
        uint32_t index = 0;
        if (Node->LastChild)
            index = Node->LastChild->Index + 1;
        else
            Node->States.Include(vsHasChildren);
        Node->States -= {vsAllChildrenHidden, vsHeightMeasured};
        if (Node->Has(vsExpanded) && FullyVisible(Node))
            FVisibleCount += added;
        const bool measure = TreeOptions().MiscOptions().Contains(toVariableNodeHeight);
        int64_t heights = 0;
        for (uint32_t i = 0; i < added; ++i) {
            PLazyNode child = AllocateNode();
            child->Index = index++;
            child->Parent = Node;
            child->PrevSibling = Node->LastChild;
            if (Node->LastChild)
                Node->LastChild->NextSibling = child;
            else
                Node->FirstChild = child;
            Node->LastChild = child;
            heights += child->TotalHeight;
        }
        PLazyNode firstAdded = Node->LastChild;
        for (uint32_t i = 1; i < added; ++i)
            firstAdded = firstAdded->PrevSibling;
        if (Node->Has(vsExpanded))
            UpdateTotalHeight(Node, int64_t(Node->TotalHeight) + heights, false);
        UpdateTotalCount(Node, added, true);
        Node->ChildCount = NewChildCount;
        // Measured once the sums hold the new children: measuring initialises a child, and
        // what its initialisation changes (a filtered child) is applied relative to them.
        if (measure)
            for (PLazyNode child = firstAdded; child; child = child->NextSibling)
                NodeHeight(child);
        if (FUpdateCount == 0 && TreeOptions().AutoOptions().Contains(toAutoSort) &&
            SortColumn() >= NoColumn)
            Sort(Node, SortColumn(), SortAscending(), true);
        MarkCacheInvalid();
    } else {
        while (Node->ChildCount > NewChildCount)
            DeleteNode(Node->LastChild);
    }
    if (FUpdateCount == 0) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        InvalidateTree();
    }
    NoteStructureChange(Node == FRoot ? nullptr : Node, crChildAdded);
}

void TBaseLazyTree::SetRootNodeCount(uint32_t Value)
{
    if (FLoading) {
        FRoot->ChildCount = Value;
        DoStateChange({tsNeedRootCountUpdate});
        return;
    }
    if (Value == FRoot->ChildCount)
        return;
    BeginUpdate();
    try {
        StopCacheValidation();
        SetChildCount(FRoot, Value);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---------------------------------------------------------------------------------------
// Adding and inserting

PLazyNode TBaseLazyTree::AddChild(PLazyNode Parent, void *UserData)
{
    if (TreeOptions().MiscOptions().Contains(toReadOnly))
        return nullptr;
    // Refuse initial data the node has no room for before anything changes.
    if (UserData)
        AssertRoomForPointer();
    CancelEditNode();
    if (!Parent)
        Parent = FRoot;
    if (!Parent->Has(vsInitialized))
        InitNode(Parent);
    ++FUpdateCount;
    try {
        SetChildCount(Parent, Parent->ChildCount + 1);
        Parent->States.Exclude(vsAllChildrenHidden);
    } catch (...) {
        --FUpdateCount;
        throw;
    }
    --FUpdateCount;
    PLazyNode result = Parent->LastChild;
    if (UserData)
        StoreInitialData(result, UserData);
    MarkCacheInvalid();
    if (FUpdateCount == 0) {
        RequestCacheValidation();
        // The change recorded while the count was raised is reported as this call's own.
        if (FStates.Contains(tsStructureChangePending))
            AnnounceStructureChange(Parent == FRoot ? nullptr : Parent, crChildAdded);
        if (TreeOptions().AutoOptions().Contains(toAutoSort) && SortColumn() >= NoColumn)
            Sort(Parent, SortColumn(), SortAscending(), true);
        InvalidateToBottom(Parent);
        UpdateScrollBars(true);
    }
    return result;
}

PLazyNode TBaseLazyTree::AddChild(PLazyNode Parent, ILazyTreeInterface *UserData)
{
    if (UserData)
        AssertRoomForPointer();
    PLazyNode result = AddChild(Parent, static_cast<void *>(UserData));
    if (result && UserData) {
        UserData->AddRef();
        result->States.Include(vsReleaseCallOnUserDataRequired);
    }
    return result;
}

PLazyNode TBaseLazyTree::InsertNode(PLazyNode Node, TLTNodeAttachMode Mode, void *UserData)
{
    if (Mode == amNoWhere || TreeOptions().MiscOptions().Contains(toReadOnly))
        return nullptr;
    if (UserData)
        AssertRoomForPointer();
    CancelEditNode();
    if (!Node)
        Node = FRoot;
    if (Node == FRoot) {
        if (Mode == amInsertBefore)
            Mode = amAddChildFirst;
        else if (Mode == amInsertAfter)
            Mode = amAddChildLast;
    }
    const bool childMode = Mode == amAddChildFirst || Mode == amAddChildLast;
    if (childMode && !Node->Has(vsInitialized))
        InitNode(Node);
    StopCacheValidation();
    PLazyNode result = AllocateNode();
    LinkNode(result, Node, Mode, this);
    if (UserData)
        StoreInitialData(result, UserData);
    MarkCacheInvalid();
    if (FUpdateCount == 0) {
        if (TreeOptions().AutoOptions().Contains(toAutoSort) && SortColumn() >= NoColumn)
            Sort(childMode ? Node : Node->Parent, SortColumn(), SortAscending(), true);
        RequestCacheValidation();
        UpdateScrollBars(true);
        InvalidateToBottom(Mode == amInsertBefore ? result : Node);
    }
    NoteStructureChange(result, crNodeAdded);
    return result;
}

// ---------------------------------------------------------------------------------------
// Linking and unlinking

void TBaseLazyTree::LinkNode(PLazyNode Node, PLazyNode Target, TLTNodeAttachMode Mode,
                             TBaseLazyTree *Tree)
{
    if (Target == FRoot) {
        if (Mode == amInsertBefore)
            Mode = amAddChildFirst;
        else if (Mode == amInsertAfter)
            Mode = amAddChildLast;
    }
    PLazyNode parent = nullptr;
    auto renumberFrom = [](PLazyNode Run) {
        for (; Run; Run = Run->NextSibling)
            ++Run->Index;
    };
    switch (Mode) {
    case amNoWhere:
        return;
    case amInsertBefore:
        parent = Target->Parent;
        Node->PrevSibling = Target->PrevSibling;
        Node->NextSibling = Target;
        Target->PrevSibling = Node;
        if (Node->PrevSibling)
            Node->PrevSibling->NextSibling = Node;
        else
            parent->FirstChild = Node;
        Node->Index = Target->Index;
        renumberFrom(Target);
        break;
    case amInsertAfter:
        parent = Target->Parent;
        Node->PrevSibling = Target;
        Node->NextSibling = Target->NextSibling;
        Target->NextSibling = Node;
        if (Node->NextSibling)
            Node->NextSibling->PrevSibling = Node;
        else
            parent->LastChild = Node;
        Node->Index = Target->Index + 1;
        renumberFrom(Node->NextSibling);
        break;
    case amAddChildFirst:
        parent = Target;
        Node->PrevSibling = nullptr;
        Node->NextSibling = Target->FirstChild;
        if (Target->FirstChild)
            Target->FirstChild->PrevSibling = Node;
        else
            Target->LastChild = Node;
        Target->FirstChild = Node;
        Node->Index = 0;
        renumberFrom(Node->NextSibling);
        break;
    case amAddChildLast:
        parent = Target;
        Node->NextSibling = nullptr;
        Node->PrevSibling = Target->LastChild;
        if (Target->LastChild)
            Target->LastChild->NextSibling = Node;
        else
            Target->FirstChild = Node;
        Target->LastChild = Node;
        Node->Index = Node->PrevSibling ? Node->PrevSibling->Index + 1 : 0;
        break;
    }
    Node->Parent = parent;
    Node->States -= {vsChecking, vsCutOrCopy, vsDeleting};
    ++parent->ChildCount;
    parent->States.Include(vsHasChildren);
    Tree->UpdateTotalCount(parent, Node->TotalCount, true);
    if (parent->Has(vsExpanded) && Node->Has(vsVisible)) {
        Tree->UpdateTotalHeight(parent, Node->TotalHeight, true);
        if ((parent == Tree->FRoot || Tree->FullyVisible(parent)) &&
            Tree->GetEffectivelyVisible(Node))
            Tree->FVisibleCount += Tree->VisibleDescendantCount(Node) + 1;
    }
    if (parent != Tree->FRoot) {
        if (Tree->GetEffectivelyVisible(Node))
            parent->States.Exclude(vsAllChildrenHidden);
        else if (parent->ChildCount == 1)
            parent->States.Include(vsAllChildrenHidden);
    }
}

void TBaseLazyTree::UnlinkNode(PLazyNode Node, bool KeepFocus, bool Reindex, bool ParentClearing)
{
    if (!Node || Node == FRoot)
        throw ELazyTreeAssertion("Node must neither be nil nor the root node.");
    if (Node == FFocusedNode && !KeepFocus)
        FFocusedNode = nullptr;   // the focus change is reported by the selection code
    if (Node == FRangeAnchor)
        FRangeAnchor = FFocusedNode;
    PLazyNode parent = Node->Parent;
    if (!ParentClearing && parent != FRoot) {
        if (FUpdateCount == 0)
            UpdateHiddenChildrenFlag(parent);
        else
            DoStateChange({tsUpdateHiddenChildrenNeeded});
    }
    if (Node->Has(vsDeleting))
        return;
    Node->States.Exclude(vsChecking);
    // Decided before the parent may lose its expanded flag below.
    const bool adjustHeight = parent->Has(vsExpanded) && Node->Has(vsVisible);
    const bool shown = FullyVisible(Node);
    const uint32_t shownCount =
        shown ? VisibleDescendantCount(Node) + (GetEffectivelyVisible(Node) ? 1 : 0) : 0;
    --parent->ChildCount;
    UpdateTotalCount(parent, -int64_t(Node->TotalCount), true);
    if (adjustHeight)
        UpdateTotalHeight(parent, -int64_t(Node->TotalHeight), true);
    FVisibleCount -= shownCount;
    if (parent->ChildCount == 0) {
        parent->States -= {vsAllChildrenHidden, vsHasChildren};
        if (parent != FRoot)
            parent->States.Exclude(vsExpanded);
    }
    if (Node->PrevSibling)
        Node->PrevSibling->NextSibling = Node->NextSibling;
    else
        parent->FirstChild = Node->NextSibling;
    if (Node->NextSibling)
        Node->NextSibling->PrevSibling = Node->PrevSibling;
    else
        parent->LastChild = Node->PrevSibling;
    if (Reindex) {
        uint32_t index = Node->Index;
        for (PLazyNode run = Node->NextSibling; run; run = run->NextSibling)
            run->Index = index++;
    }
    Node->PrevSibling = Node->NextSibling = nullptr;
}

// ---------------------------------------------------------------------------------------
// Deleting

void TBaseLazyTree::DeleteChildren(PLazyNode Node, bool ResetHasChildren)
{
    if (!Node || !Node->FirstChild || TreeOptions().MiscOptions().Contains(toReadOnly)) {
        if (Node && ResetHasChildren)
            Node->States.Exclude(vsHasChildren);
        return;
    }
    if (FStates.Contains(tsIterating))
        throw ELazyTreeAssertion("Deleting nodes during tree iteration leads to invalid pointers.");
    const int oldX = FOffsetX, oldY = FOffsetY;
    ++FUpdateCount;
    try {
        StopCacheValidation();
        const bool wasShown =
            Node == FRoot || (FullyVisible(Node) && Node->Has(vsExpanded));
        for (PLazyNode child = Node->LastChild; child;) {
            PLazyNode previous = child->PrevSibling;
            if (wasShown && GetEffectivelyVisible(child))
                --FVisibleCount;
            child->States.Include(vsDeleting);
            if (previous)
                previous->NextSibling = nullptr;
            RemoveNode(child, false, true);
            child = previous;
        }
        if (ResetHasChildren)
            Node->States.Exclude(vsHasChildren);
        if (Node != FRoot)
            Node->States.Exclude(vsExpanded);
        Node->ChildCount = 0;
        if (Node == FRoot || Node->Has(vsDeleting)) {
            Node->TotalCount = 1;
            Node->TotalHeight = Node->NodeHeight;
            if (Node == FRoot)
                UpdateVerticalRange();
        } else {
            UpdateTotalHeight(Node, GetEffectivelyFiltered(Node) ? 0 : Node->NodeHeight, false);
            UpdateTotalCount(Node, 1, false);
        }
        Node->FirstChild = Node->LastChild = nullptr;
    } catch (...) {
        --FUpdateCount;
        throw;
    }
    --FUpdateCount;
    MarkCacheInvalid();
    if (FUpdateCount == 0) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        if (oldX != FOffsetX || oldY != FOffsetY)
            InvalidateTree();
        else
            InvalidateToBottom(Node);
        if (FStates.Contains(tsChangePending)) {
            DoChange(FLastChangedNode);
            EnsureNodeSelected();
        }
    }
    NoteStructureChange(Node == FRoot ? nullptr : Node, crChildDeleted);
}

void TBaseLazyTree::RemoveNode(PLazyNode Node, bool Reindex, bool ParentClearing)
{
    if (!Node || Node == FRoot || TreeOptions().MiscOptions().Contains(toReadOnly))
        return;
    if (FStates.Contains(tsIterating))
        throw ELazyTreeAssertion("Deleting nodes during tree iteration leads to invalid pointers.");
    PLazyNode parent = Node->Parent;
    if (!ParentClearing)
        NoteStructureChange(parent == FRoot ? nullptr : parent, crChildDeleted);
    const int oldX = FOffsetX, oldY = FOffsetY;
    if (!Node->Has(vsSelected)) {
        InvalidateToBottom(parent);
    } else if (FUpdateCount > 0) {
        MarkUnselected(Node);
    } else {
        const bool wasSynch = FStates.Contains(tsSynchMode);
        DoStateChange({tsSynchMode});
        RemoveFromSelection(Node);
        if (!wasSynch)
            DoStateChange({}, {tsSynchMode});
        InvalidateToBottom(parent);
    }
    DoStateChange({}, {tsHint});
    if (!ParentClearing)
        StopCacheValidation();
    DeleteChildren(Node, false);
    UnlinkNode(Node, false, Reindex, ParentClearing);
    DoFreeNode(Node);
    if (!ParentClearing) {
        UpdateHiddenChildrenFlag(parent);
        MarkCacheInvalid();
        if (FUpdateCount == 0) {
            RequestCacheValidation();
            UpdateScrollBars(true);
            if (oldX != FOffsetX || oldY != FOffsetY)
                InvalidateTree();
        }
    }
}

void TBaseLazyTree::DeleteNode(PLazyNode Node)
{
    RemoveNode(Node, true, false);
}

void TBaseLazyTree::ForgetNode(PLazyNode Node)
{
    for (PLazyNode *ref : {&FLastChangedNode, &FCurrentHotNode, &FDropTargetNode,
                           &FLastStructureChangeNode, &FFocusedNode, &FLastSelected,
                           &FRangeAnchor, &FCheckNode, &FLastVCLDragTarget, &FLastSearchNode})
        if (*ref == Node)
            *ref = nullptr;
    if (FNextNodeToSelect == Node)
        FNextNodeToSelect = Node->Parent == FRoot ? nullptr : Node->Parent;
}

void TBaseLazyTree::Clear()
{
    if (!((!IsEmpty() && !TreeOptions().MiscOptions().Contains(toReadOnly)) || FDestroying))
        return;
    BeginUpdate();
    try {
        StopCacheValidation();
        CancelEditNode();
        FlushClipboard();
        ClearSelection();
        FFocusedNode = FLastSelected = FCurrentHotNode = FDropTargetNode = FLastChangedNode =
            FRangeAnchor = FCheckNode = FLastVCLDragTarget = FLastSearchNode = nullptr;
        DeleteChildren(FRoot, true);
        FOffsetX = FOffsetY = 0;
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

// ---------------------------------------------------------------------------------------
// Validation and re-initialisation

void TBaseLazyTree::ValidateNode(PLazyNode Node, bool Recursive)
{
    if (!Node)
        Node = FRoot;
    if (Node != FRoot && !Node->Has(vsInitialized))
        InitNode(Node);
    if (Recursive) {
        if (Node->Has(vsHasChildren) && Node->ChildCount == 0)
            InitChildren(Node);
        for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling)
            ValidateNode(child, true);
    }
}

void TBaseLazyTree::ValidateChildren(PLazyNode Node, bool Recursive)
{
    if (!Node)
        Node = FRoot;
    if (Node->Has(vsHasChildren) && Node->ChildCount == 0)
        InitChildren(Node);
    for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling) {
        if (!child->Has(vsInitialized))
            InitNode(child);
        if (Recursive)
            ValidateChildren(child, true);
    }
}

void TBaseLazyTree::InitRecursive(PLazyNode Node, uint32_t Levels, bool VisibleOnly)
{
    if (!Node)
        Node = FRoot;
    if (Node != FRoot && !Node->Has(vsInitialized))
        InitNode(Node);
    if (Levels == 0 || (VisibleOnly && !Node->Has(vsExpanded)))
        return;
    for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling)
        InitRecursive(child, Levels - 1, VisibleOnly);
}

void TBaseLazyTree::ReinitNode(PLazyNode Node, bool Recursive)
{
    if (Node && Node != FRoot) {
        Node->States -= {vsChecking, vsCutOrCopy, vsDeleting, vsHeightMeasured};
        if (Node->Has(vsInitialized))
            InitNode(Node);
    }
    if (Recursive)
        ReinitChildren(Node, true);
}

void TBaseLazyTree::ReinitChildren(PLazyNode Node, bool Recursive)
{
    if (!Node)
        Node = FRoot;
    InitChildren(Node);
    for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling)
        ReinitNode(child, Recursive);
}

void TBaseLazyTree::ResetNode(PLazyNode Node)
{
    CancelEditNode();
    if (!Node || Node == FRoot) {
        Clear();
        return;
    }
    DoReset(Node);
    DeleteChildren(Node, false);
    Node->States -= {vsInitialized, vsChecking, vsCutOrCopy, vsDeleting, vsExpanded,
                     vsHasChildren, vsHeightMeasured};
    InvalidateNode(Node);
}

// ---------------------------------------------------------------------------------------
// Hidden-children flags and counts

void TBaseLazyTree::UpdateHiddenChildrenFlag(PLazyNode Node)
{
    if (!Node)
        return;
    if (Node->FirstChild) {
        bool allHidden = true;
        for (PLazyNode child = Node->FirstChild; child && allHidden; child = child->NextSibling)
            if (GetEffectivelyVisible(child))
                allHidden = false;
        Node->States.Set(vsAllChildrenHidden, allHidden);
    } else {
        Node->States.Set(vsAllChildrenHidden, !Node->Has(vsHasChildren));
    }
}

uint32_t TBaseLazyTree::VisibleDescendantCount(PLazyNode Node) const
{
    if (!Node->Has(vsExpanded))
        return 0;
    uint32_t count = 0;
    for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling)
        if (child->Has(vsVisible))
            count += VisibleDescendantCount(child) + (GetEffectivelyVisible(child) ? 1 : 0);
    return count;
}
