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

void TBaseLazyTree::ToggleNode(PLazyNode Node)
{
    if (!Node)
        throw ELazyTreeAssertion("Node must not be nil.");
    if (Node == FRoot || Node->Has(vsDeleting) || Node->Has(vsToggling))
        return;
    const bool wasToggling = FStates.Contains(tsToggling);
    DoStateChange({tsToggling});
    Node->States.Include(vsToggling);
    auto finish = [&] {
        Node->States.Exclude(vsToggling);
        if (!wasToggling)
            DoStateChange({}, {tsToggling});
    };
    try {
        bool changed = false;
        if (Node->Has(vsExpanded)) {
            if (DoCollapsing(Node)) {
                changed = true;
                if (FullyVisible(Node))
                    FVisibleCount -= VisibleDescendantCount(Node);
                UpdateTotalHeight(Node, GetEffectivelyFiltered(Node) ? 0 : Node->NodeHeight, false);
                Node->States.Exclude(vsExpanded);
                DoCollapsed(Node);
                if (TreeOptions().AutoOptions().Contains(TLTAutoOption::toAutoFreeOnCollapse) &&
                    Node->ChildCount > 0) {
                    DeleteChildren(Node, false);
                    Node->States.Include(vsHasChildren);
                }
            }
        } else if (DoExpanding(Node)) {
            changed = true;
            if (!Node->Has(vsInitialized))
                InitNode(Node);
            if (Node->Has(vsHasChildren) && Node->ChildCount == 0)
                InitChildren(Node);
            int64_t heights = 0;
            for (PLazyNode child = Node->FirstChild; child; child = child->NextSibling)
                if (child->Has(vsVisible)) {
                    NodeHeight(child);
                    heights += child->TotalHeight;
                }
            if (FUpdateCount == 0 &&
                TreeOptions().AutoOptions().Contains(TLTAutoOption::toAutoSort))
                Sort(Node, SortColumn(), true, false);
            // Initialisation cannot expand the node meanwhile: it is marked as toggling.
            if (!Node->Has(vsExpanded)) {
                Node->States.Include(vsExpanded);
                UpdateTotalHeight(Node, heights, true);
                if (FullyVisible(Node))
                    FVisibleCount += VisibleDescendantCount(Node);
            }
            DoExpanded(Node);
        }
        if (changed) {
            MarkCacheInvalid();
            if (FUpdateCount > 0) {
                UpdateVerticalRange();
            } else {
                RequestCacheValidation();
                UpdateScrollBars(true);
                InvalidateToBottom(Node);
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}
