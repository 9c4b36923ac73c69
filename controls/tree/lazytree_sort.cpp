// Sorting sibling lists by the application's comparison: a stable top-down merge sort (the
// first N div 2 nodes, then the rest), so nodes that compare equal keep their order in both
// directions and a tree without OnCompareNodes stays as it is. The sort works on an array
// of the children and merges through a scratch array, so a comparison that throws leaves
// every node in the array once; the sibling list is relinked from it in every case.
#include "controls/tree/lazytree.h"

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TLTAutoOption;

namespace {

constexpr int EditTimer = 2;

// Sorts Nodes[Lo, Hi) stably; Scratch has the same size as Nodes.
template <typename Less>
void MergeSort(std::vector<PLazyNode> &Nodes, std::vector<PLazyNode> &Scratch, size_t Lo, size_t Hi,
               Less TakeRight)
{
    const size_t n = Hi - Lo;
    if (n < 2)
        return;
    const size_t mid = Lo + n / 2;
    MergeSort(Nodes, Scratch, Lo, mid, TakeRight);
    MergeSort(Nodes, Scratch, mid, Hi, TakeRight);
    size_t l = Lo, r = mid, out = Lo;
    while (l < mid && r < Hi)
        Scratch[out++] = TakeRight(Nodes[l], Nodes[r]) ? Nodes[r++] : Nodes[l++];
    while (l < mid)
        Scratch[out++] = Nodes[l++];
    while (r < Hi)
        Scratch[out++] = Nodes[r++];
    // Only a finished merge is copied back: an exception above leaves the range as it was.
    std::copy(Scratch.begin() + std::ptrdiff_t(Lo), Scratch.begin() + std::ptrdiff_t(Hi),
              Nodes.begin() + std::ptrdiff_t(Lo));
}

}   // namespace

int TBaseLazyTree::DoCompare(PLazyNode Node1, PLazyNode Node2, TColumnIndex Column)
{
    int result = 0;
    if (OnCompareNodes)
        OnCompareNodes(this, Node1, Node2, Column, result);
    return result;
}

void TBaseLazyTree::Sort(PLazyNode Node, TColumnIndex Column, bool Ascending, bool DoInit)
{
    // Without a comparison no order changes; the children are not initialised for nothing
    // either, so that adding nodes under the default toAutoSort keeps them lazy.
    if (!OnCompareNodes)
        return;
    StopCacheValidation();
    if (FStates.Contains(tsEditPending)) {
        KillTreeTimer(EditTimer);
        DoStateChange({}, {tsEditPending});
    }
    if (FStates.Contains(tsEditing) && !CancelEditNode())
        return;
    if (!Node)
        Node = FRoot;
    if (!Node->Has(vsHasChildren))
        return;
    if (DoInit) {
        if (Node->ChildCount == 0)
            InitChildren(Node);
        else
            ValidateChildren(Node, false);
    }
    if (Node->ChildCount > 1) {
        std::vector<PLazyNode> nodes;
        nodes.reserve(Node->ChildCount);
        for (PLazyNode run = Node->FirstChild; run; run = run->NextSibling)
            nodes.push_back(run);
        std::vector<PLazyNode> scratch(nodes.size());
        auto relink = [&] {
            PLazyNode previous = nullptr;
            uint32_t index = 0;
            for (PLazyNode node : nodes) {
                node->Index = index++;
                node->PrevSibling = previous;
                if (previous)
                    previous->NextSibling = node;
                previous = node;
            }
            previous->NextSibling = nullptr;
            Node->FirstChild = nodes.front();
            Node->LastChild = previous;
            MarkCacheInvalid();
        };
        BeginOperation(TLTOperationKind::okSortNode);
        try {
            MergeSort(nodes, scratch, 0, nodes.size(), [&](PLazyNode L, PLazyNode R) {
                const int c = OperationCanceled() ? 0 : DoCompare(L, R, Column);
                return Ascending ? c > 0 : c < 0;
            });
        } catch (...) {
            relink();
            EndOperation(TLTOperationKind::okSortNode);
            throw;
        }
        relink();
        EndOperation(TLTOperationKind::okSortNode);
    }
    if (FUpdateCount == 0) {
        RequestCacheValidation();
        InvalidateTree();
    }
}

void TBaseLazyTree::SortLevels(PLazyNode Node, TColumnIndex Column, bool Ascending, bool DoInit)
{
    Sort(Node, Column, Ascending, DoInit);
    const bool autoSort = TreeOptions().AutoOptions().Contains(toAutoSort);
    for (PLazyNode child = Node->FirstChild; child && !OperationCanceled(); child = child->NextSibling) {
        if (DoInit && !child->Has(vsInitialized))
            InitNode(child);
        if (child->Has(vsInitialized) && !(autoSort && !child->Has(vsExpanded)))
            SortLevels(child, Column, Ascending, DoInit);
    }
}

void TBaseLazyTree::SortTree(TColumnIndex Column, bool Ascending, bool DoInit)
{
    // Without a comparison nothing can change: the levels are neither walked nor their nodes
    // initialised, and the position cache is left alone.
    if (FRoot->TotalCount <= 2 || !OnCompareNodes)
        return;
    ++FUpdateCount;
    auto finish = [this] {
        MarkCacheInvalid();
        if (--FUpdateCount == 0) {
            RequestCacheValidation();
            InvalidateTree();
        }
    };
    try {
        if (Column > InvalidColumn) {
            BeginOperation(TLTOperationKind::okSortTree);
            try {
                SortLevels(FRoot, Column, Ascending, DoInit);
            } catch (...) {
                EndOperation(TLTOperationKind::okSortTree);
                throw;
            }
            EndOperation(TLTOperationKind::okSortTree);
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}
