// Expansion of single nodes and the visibility predicates the counts are kept by.
#include "controls/tree/lazytree.h"

using enum TLazyNodeState;
using enum TLazyTreeState;

bool TBaseLazyTree::Expanded(PLazyNode Node) const
{
    return Node && Node->Has(vsExpanded);
}

void TBaseLazyTree::SetExpanded(PLazyNode Node, bool Value)
{
    if (Node && Node != FRoot && Node->Has(vsExpanded) != Value)
        ToggleNode(Node);
}

bool TBaseLazyTree::Visible(PLazyNode Node)
{
    if (!Node)
        Node = FRoot;
    if (!Node->Has(vsInitialized))
        InitNode(Node);
    return Node->Has(vsVisible);
}

bool TBaseLazyTree::FullyVisible(PLazyNode Node) const
{
    if (!Node)
        throw ELazyTreeAssertion("Invalid parameter.");
    return Node->Has(vsVisible) && (Node == FRoot || VisiblePath(Node));
}

bool TBaseLazyTree::VisiblePath(PLazyNode Node) const
{
    if (!Node || Node == FRoot)
        throw ELazyTreeAssertion("Invalid parameters.");
    for (PLazyNode run = Node->Parent; run != FRoot; run = run->Parent)
        if (!run->Has(vsExpanded) || !run->Has(vsVisible))
            return false;
    return true;
}

bool TBaseLazyTree::GetEffectivelyFiltered(PLazyNode Node) const
{
    return Node && Node->Has(vsFiltered) &&
           !TreeOptions().PaintOptions().Contains(TLTPaintOption::toShowFilteredNodes);
}

bool TBaseLazyTree::GetEffectivelyVisible(PLazyNode Node) const
{
    return Node->Has(vsVisible) && !GetEffectivelyFiltered(Node);
}

// ---------------------------------------------------------------------------------------
// Visibility and filtering

void TBaseLazyTree::SetVisible(PLazyNode Node, bool Value)
{
    if (!Node || Node == FRoot)
        throw ELazyTreeAssertion("Invalid parameter.");
    if (Node->Has(vsVisible) == Value)
        return;
    StopCacheValidation();
    bool changed = false;
    PLazyNode parent = Node->Parent;
    if (Value) {
        Node->States.Include(vsVisible);
        if (parent->Has(vsExpanded))
            UpdateTotalHeight(parent, Node->TotalHeight, true);
        if (Node == FRoot || VisiblePath(Node)) {
            FVisibleCount += VisibleDescendantCount(Node) + (GetEffectivelyVisible(Node) ? 1 : 0);
            changed = true;
        }
        if (!GetEffectivelyFiltered(Node))
            parent->States.Exclude(vsAllChildrenHidden);
    } else {
        if (parent->Has(vsExpanded))
            UpdateTotalHeight(parent, -int64_t(Node->TotalHeight), true);
        if (VisiblePath(Node)) {
            FVisibleCount -= VisibleDescendantCount(Node) + (GetEffectivelyVisible(Node) ? 1 : 0);
            changed = true;
        }
        Node->States.Exclude(vsVisible);
        if (FUpdateCount == 0)
            UpdateHiddenChildrenFlag(parent);
        else
            DoStateChange({tsUpdateHiddenChildrenNeeded});
    }
    MarkCacheInvalid();
    if (changed && FUpdateCount == 0) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        InvalidateTree();
    }
}

void TBaseLazyTree::SetFullyVisible(PLazyNode Node, bool Value)
{
    if (!Node || Node == FRoot)
        throw ELazyTreeAssertion("Invalid parameter");
    SetVisible(Node, Value);
    if (Value)
        for (PLazyNode run = Node->Parent; run != FRoot; run = run->Parent) {
            if (!run->Has(vsExpanded))
                ToggleNode(run);
            if (!run->Has(vsVisible))
                SetVisible(run, true);
        }
}

void TBaseLazyTree::SetVisiblePath(PLazyNode Node, bool Value)
{
    if (!Node || Node == FRoot)
        throw ELazyTreeAssertion("Invalid parameter.");
    if (Value)
        for (PLazyNode run = Node->Parent; run != FRoot; run = run->Parent)
            if (!run->Has(vsExpanded))
                ToggleNode(run);
}

void TBaseLazyTree::SetFiltered(PLazyNode Node, bool Value)
{
    if (!Node || Node == FRoot)
        throw ELazyTreeAssertion("Invalid parameter.");
    EnsureInitialized(Node);
    if (Node->Has(vsFiltered) == Value)
        return;
    StopCacheValidation();
    bool changed = false;
    const bool shownFiltered =
        TreeOptions().PaintOptions().Contains(TLTPaintOption::toShowFilteredNodes);
    if (Value) {
        Node->States.Include(vsFiltered);
        if (!shownFiltered) {
            // Subtracting the own line keeps the children's heights, which TotalHeight holds
            // while the node is expanded.
            UpdateTotalHeight(Node, -int64_t(Node->NodeHeight), true);
            if (FullyVisible(Node)) {
                --FVisibleCount;
                changed = true;
            }
        }
        if (FUpdateCount == 0)
            UpdateHiddenChildrenFlag(Node->Parent);
        else
            DoStateChange({tsUpdateHiddenChildrenNeeded});
    } else {
        Node->States.Exclude(vsFiltered);
        if (!shownFiltered) {
            UpdateTotalHeight(Node, Node->NodeHeight, true);
            if (FullyVisible(Node)) {
                ++FVisibleCount;
                changed = true;
            }
        }
        if (Node->Has(vsVisible))
            Node->Parent->States.Exclude(vsAllChildrenHidden);
    }
    MarkCacheInvalid();
    if (changed && FUpdateCount == 0) {
        RequestCacheValidation();
        UpdateScrollBars(true);
        InvalidateTree();
    }
}

// ---------------------------------------------------------------------------------------
// Whole subtrees

void TBaseLazyTree::FullExpand(PLazyNode Node)
{
    if (FRoot->TotalCount < 2)
        return;
    DoStateChange({tsExpanding});
    BeginOperation(TLTOperationKind::okExpand);
    BeginUpdate();
    auto finish = [&] {
        EndOperation(TLTOperationKind::okExpand);
        EndUpdate();
        DoStateChange({}, {tsExpanding});
    };
    try {
        PLazyNode stop = nullptr;
        PLazyNode run = Node;
        if (Node) {
            for (PLazyNode up = Node; !stop && up != FRoot; up = up->Parent)
                stop = up->NextSibling;
        } else {
            run = FRoot->FirstChild;
        }
        EnsureInitialized(run);
        while (run && run != stop && !OperationCanceled()) {
            if (!run->Has(vsExpanded))
                ToggleNode(run);
            run = GetNext(run);
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TBaseLazyTree::FullCollapse(PLazyNode Node)
{
    if (FRoot->TotalCount < 2)
        return;
    if (Node == FRoot)
        Node = nullptr;
    DoStateChange({tsCollapsing});
    BeginUpdate();
    auto finish = [&] {
        EndUpdate();
        DoStateChange({}, {tsCollapsing});
    };
    try {
        auto collapsible = [](PLazyNode N) {
            return N->Has(vsExpanded) && N->Has(vsHasChildren);
        };
        PLazyNode run = GetLastVisibleNoInit(Node, true, true);
        while (run && run != Node) {
            // The step is taken after collapsing: with children above it enters the
            // node's children, which toAutoFreeOnCollapse may just have freed.
            if (collapsible(run))
                ToggleNode(run);
            run = GetPreviousNoInit(run, true);
        }
        if (Node && collapsible(Node))
            ToggleNode(Node);
    } catch (...) {
        finish();
        throw;
    }
    finish();
}
