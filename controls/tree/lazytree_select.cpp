// The selection and the focus: the address-sorted selection array with its merge, marking
// and compaction, ranges, the focused node and column with their change protocol, and the
// focus messages.
#include "controls/tree/lazytree.h"

#include <QAccessible>
#include <QApplication>
#include <QThread>
#include <algorithm>
#include <cstdint>

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TLTSelectionOption;
using enum TLTAutoOption;
using enum TLTPaintOption;
using enum TLTMiscOption;

namespace {

// A marked entry belongs to a node that already left the selection; the low address bit
// tells it until the array is compacted.
bool IsMarked(PLazyNode Entry)
{
    return (reinterpret_cast<uintptr_t>(Entry) & 1) != 0;
}

PLazyNode Marked(PLazyNode Node)
{
    return reinterpret_cast<PLazyNode>(reinterpret_cast<uintptr_t>(Node) | 1);
}

bool AddressLess(PLazyNode A, PLazyNode B)
{
    return reinterpret_cast<uintptr_t>(A) < reinterpret_cast<uintptr_t>(B);
}

// Where a range starts: a node out of view stands for the shown node before it, and
// Fallback stands in where there is none.
PLazyNode RangeStart(const TBaseLazyTree &Tree, PLazyNode StartNode, PLazyNode Fallback)
{
    if (!StartNode)
        return Fallback;
    if (Tree.FullyVisible(StartNode))
        return StartNode;
    PLazyNode previous = Tree.GetPreviousVisibleNoInit(StartNode, true);
    return previous ? previous : Fallback;
}

}   // namespace

// ---------------------------------------------------------------------------------------
// The selection array

int TBaseLazyTree::CompactNodeArray(std::vector<PLazyNode> &Array, int Count)
{
    if (Count <= 0)
        return -1;
    int kept = 0;
    for (int i = 0; i < Count; ++i)
        if (!IsMarked(Array[size_t(i)]))
            Array[size_t(kept++)] = Array[size_t(i)];
    return kept;
}

void TBaseLazyTree::CompactSelection()
{
    const int kept = CompactNodeArray(FSelection, int(FSelection.size()));
    if (kept >= 0)
        FSelection.resize(size_t(kept));
}

bool TBaseLazyTree::LocateInSelection(PLazyNode Node, int &Index, int LowBound, int HighBound) const
{
    int lo = LowBound < 0 ? 0 : LowBound;
    int hi = HighBound < 0 ? int(FSelection.size()) - 1 : HighBound;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const PLazyNode entry = FSelection[size_t(mid)];
        if (AddressLess(entry, Node)) {
            lo = mid + 1;
        } else {
            found = found || entry == Node;
            hi = mid - 1;
        }
    }
    Index = lo;
    return found;
}

bool TBaseLazyTree::MergeIntoSelection(PLazyNode *Nodes, int Count, bool ForceInsert)
{
    std::vector<PLazyNode> added;
    added.reserve(size_t(std::max(Count, 0)));
    const TLTSelectionOptions options = FOptions->SelectionOptions();
    if (!ForceInsert && Count > 0) {
        if (options.Contains(toLevelSelectConstraint) && FLastSelectionLevel < 0)
            FLastSelectionLevel = int(GetNodeLevel(Nodes[0]));
        if (options.Contains(toSiblingSelectConstraint) && !FRangeAnchor)
            FRangeAnchor = Nodes[0];
    }
    for (int i = 0; i < Count; ++i) {
        PLazyNode node = Nodes[i];
        if (!ForceInsert &&
            (node->Has(vsDisabled) || node->Has(vsSelected) ||
             (options.Contains(toLevelSelectConstraint) && int(GetNodeLevel(node)) != FLastSelectionLevel) ||
             (options.Contains(toSiblingSelectConstraint) && FRangeAnchor &&
              node->Parent != FRangeAnchor->Parent))) {
            Nodes[i] = Marked(node);
            continue;
        }
        node->States.Include(vsSelected);
        added.push_back(node);
        if (OnAddToSelection)
            OnAddToSelection(this, node);
    }
    if (added.empty())
        return false;
    std::sort(added.begin(), added.end(), AddressLess);
    const size_t oldCount = FSelection.size();
    FSelection.insert(FSelection.end(), added.begin(), added.end());
    std::inplace_merge(FSelection.begin(), FSelection.begin() + ptrdiff_t(oldCount), FSelection.end(),
                       AddressLess);
    return true;
}

void TBaseLazyTree::MergeNodeIntoSelection(PLazyNode Node, bool ForceInsert)
{
    if (!Node)
        throw ELazyTreeAssertion("Node must not be nil!");
    MergeIntoSelection(&Node, 1, ForceInsert);
}

void TBaseLazyTree::AddToSelection(PLazyNode Node)
{
    if (FSelectionLocked)
        return;
    if (!Node)
        throw ELazyTreeAssertion("Node must not be nil!");
    PLazyNode node = Node;
    if (!MergeIntoSelection(&node, 1, false))
        return;
    FLastSelected = Node;
    if (FSelection.size() == 1)
        SetFocusedNode(Node);
    InvalidateNode(Node);
    NoteChange(Node);
}

void TBaseLazyTree::AddNodesToSelection(const PLazyNode *Nodes, int Count, bool ForceInsert)
{
    std::vector<PLazyNode> nodes(Nodes, Nodes + std::max(Count, 0));
    if (!MergeIntoSelection(nodes.data(), Count, ForceInsert))
        return;
    if (Count == 1) {
        InvalidateNode(Nodes[0]);
        NoteChange(Nodes[0]);
    } else {
        InvalidateTree();
        NoteChange(nullptr);
    }
}

void TBaseLazyTree::RemoveFromSelection(PLazyNode Node)
{
    if (FSelectionLocked)
        return;
    if (!Node)
        throw ELazyTreeAssertion("Node must not be nil!");
    if (QThread::currentThread() != thread())
        throw ELazyTreeAssertion(ClassName().toStdString() +
                                 ".RemoveFromSelection() must only be called from UI thread.");
    if (!Node->Has(vsSelected))
        return;
    Node->States.Exclude(vsSelected);
    int index = 0;
    if (LocateInSelection(Node, index))
        FSelection.erase(FSelection.begin() + index);
    if (FLastSelected == Node)
        FLastSelected = nullptr;
    if (FSelection.empty())
        MoveAnchorToFocus();
    if (FSelection.size() <= 1)
        NoteNextNodeToSelect(Node);
    if (OnRemoveFromSelection)
        OnRemoveFromSelection(this, Node);
    NoteChange(Node);
}

void TBaseLazyTree::MarkUnselected(PLazyNode Node)
{
    int index = 0;
    if (!Node || !LocateInSelection(Node, index))
        return;
    Node->States.Exclude(vsSelected);
    FSelection[size_t(index)] = Marked(Node);
    if (FLastSelected == Node)
        FLastSelected = nullptr;
    if (OnRemoveFromSelection)
        OnRemoveFromSelection(this, Node);
    RecordChange(false, Node, TChangeReason::crIgnore);
}

void TBaseLazyTree::MoveAnchorToFocus()
{
    FRangeAnchor = FFocusedNode;
    FLastSelectionLevel = -1;
}

void TBaseLazyTree::NoteNextNodeToSelect(PLazyNode Node)
{
    if (!FOptions->SelectionOptions().Contains(toAlwaysSelectNode))
        return;
    if (Node->NextSibling)
        FNextNodeToSelect = Node->NextSibling;
    else if (Node->PrevSibling)
        FNextNodeToSelect = Node->PrevSibling;
    else if (Node->Parent != FRoot)
        FNextNodeToSelect = Node->Parent;
    else
        FNextNodeToSelect = Node->FirstChild;
}

void TBaseLazyTree::DiscardSelection()
{
    if (FUpdateCount > 0)
        CompactSelection();
    while (!FSelection.empty()) {
        PLazyNode node = FSelection.back();
        FSelection.pop_back();
        if (IsMarked(node))
            continue;
        node->States.Exclude(vsSelected);
        if (OnRemoveFromSelection)
            OnRemoveFromSelection(this, node);
    }
    FSelection.shrink_to_fit();
    FLastSelected = nullptr;
    MoveAnchorToFocus();
    DoStateChange({}, {tsClearPending});
}

void TBaseLazyTree::ResetSelection(bool Notify)
{
    if (FSelectionLocked || FSelection.empty() || FDestroying)
        return;
    if (FUpdateCount == 0 && HandleAllocated() && FVisibleCount > 0) {
        // Only the selected rows in view need a repaint.
        size_t left = FSelection.size();
        int top = 0;
        PLazyNode run = GetNodeAt(0, 0, true, top);
        const int clientHeight = ClientHeight();
        while (run && left > 0 && top < clientHeight) {
            if (run->Has(vsSelected)) {
                InvalidateNode(run);
                --left;
            }
            top += int(run->NodeHeight);
            run = GetNextVisibleNoInit(run, true);
        }
    }
    DiscardSelection();
    if (Notify)
        NoteChange(nullptr);
}

void TBaseLazyTree::ClearSelection()
{
    ResetSelection(true);
}

bool TBaseLazyTree::Selected(PLazyNode Node) const
{
    return Node && Node->Has(vsSelected);
}

void TBaseLazyTree::SetSelected(PLazyNode Node, bool Value)
{
    if (FSelectionLocked || !Node || Node == FRoot || Node->Has(vsSelected) == Value)
        return;
    const TLTSelectionOptions options = FOptions->SelectionOptions();
    if (Value) {
        if (FSelection.empty())
            FRangeAnchor = Node;
        else if (!options.Contains(toMultiSelect))
            ClearSelection();
        AddToSelection(Node);
        if (!options.Contains(toMultiSelect))
            SetFocusedNode(Node);
        TLazyTreeColumns &columns = FHeader->Columns();
        const TColumnIndex main = FHeader->MainColumn();
        if ((FFocusedColumn < 0 || !columns.IsValidColumn(FFocusedColumn) ||
             !columns[FFocusedColumn].Options().Contains(TLTColumnOption::coVisible)) &&
            main >= 0) {
            const TLTColumnOptions o = columns[main].Options();
            if (o.Contains(TLTColumnOption::coVisible) && o.Contains(TLTColumnOption::coAllowFocus))
                FFocusedColumn = main;
            else
                FFocusedColumn = columns.GetFirstVisibleColumn(true);
        }
        if (!FRangeAnchor)
            FRangeAnchor = Node;
    } else {
        RemoveFromSelection(Node);
        if (FSelection.empty())
            MoveAnchorToFocus();
    }
    if (FullyVisible(Node) && !GetEffectivelyFiltered(Node))
        InvalidateNode(Node);
}

void TBaseLazyTree::SelectAll(bool VisibleOnly)
{
    if (FSelectionLocked || !FOptions->SelectionOptions().Contains(toMultiSelect))
        return;
    ClearTempNodeCache();
    for (PLazyNode run = VisibleOnly ? GetFirstVisible(nullptr, true) : GetFirst(); run;
         run = VisibleOnly ? GetNextVisible(run, true) : GetNext(run))
        if (!run->Has(vsSelected))
            AddToTempNodeCache(run);
    if (!FTempNodeCache.empty())
        AddNodesToSelection(FTempNodeCache.data(), int(FTempNodeCache.size()), false);
    ClearTempNodeCache();
    InvalidateTree();
}

void TBaseLazyTree::InvertSelection(bool VisibleOnly)
{
    if (FSelectionLocked || !FOptions->SelectionOptions().Contains(toMultiSelect))
        return;
    ClearTempNodeCache();
    for (PLazyNode run = VisibleOnly ? GetFirstVisibleNoInit(nullptr, true) : GetFirstNoInit(); run;
         run = VisibleOnly ? GetNextVisibleNoInit(run, true) : GetNextNoInit(run)) {
        if (run->Has(vsSelected))
            MarkUnselected(run);
        else
            AddToTempNodeCache(run);
    }
    bool changed = false;
    const int kept = CompactNodeArray(FSelection, int(FSelection.size()));
    if (kept >= 0) {
        FSelection.resize(size_t(kept));
        changed = true;
    }
    if (!FTempNodeCache.empty()) {
        AddNodesToSelection(FTempNodeCache.data(), int(FTempNodeCache.size()), false);
        ClearTempNodeCache();
        changed = false;
    }
    InvalidateTree();
    if (changed)
        NoteChange(nullptr);
    if (FSelection.empty())
        FNextNodeToSelect = nullptr;
}

void TBaseLazyTree::SelectRange(PLazyNode StartNode, PLazyNode EndNode, bool AddOnly)
{
    if (!EndNode)
        throw ELazyTreeAssertion("EndNode must not be nil!");
    if (FSelectionLocked)
        return;
    ClearTempNodeCache();
    StartNode = RangeStart(*this, StartNode, GetFirstVisibleNoInit(nullptr, true));
    if (!StartNode)
        return;
    PLazyNode first = StartNode, last = EndNode;
    if (CompareDisplayOrder(StartNode, EndNode, true) > 0)
        std::swap(first, last);
    PLazyNode anchor = FRangeAnchor;
    if (!AddOnly)
        DiscardSelection();
    for (PLazyNode run = first; run; run = GetNextVisibleNoInit(run, true)) {
        AddToTempNodeCache(run);
        if (run == last)
            break;
    }
    AddNodesToSelection(FTempNodeCache.data(), int(FTempNodeCache.size()), false);
    ClearTempNodeCache();
    if (anchor && anchor->Has(vsSelected))
        FRangeAnchor = anchor;
}

void TBaseLazyTree::ToggleRange(PLazyNode StartNode, PLazyNode EndNode)
{
    if (FSelectionLocked)
        return;
    if (!EndNode)
        throw ELazyTreeAssertion("EndNode must not be nil!");
    if (!StartNode)
        StartNode = FRoot->FirstChild;
    else if (!FullyVisible(StartNode))
        StartNode = GetPreviousVisibleNoInit(StartNode, true);
    if (!StartNode)
        return;
    const int order = CompareDisplayOrder(StartNode, EndNode, false);
    if (order == 0)
        return;
    ClearTempNodeCache();
    auto toggle = [this](PLazyNode Node) {
        if (Node->Has(vsSelected))
            MarkUnselected(Node);
        else
            AddToTempNodeCache(Node);
    };
    PLazyNode first = order < 0 ? StartNode : EndNode;
    PLazyNode last = order < 0 ? EndNode : StartNode;
    if (FRangeAnchor && CompareDisplayOrder(first, FRangeAnchor, false) < 0)
        toggle(first);
    for (PLazyNode run = GetNextVisibleNoInit(first, true); run && run != last;
         run = GetNextVisibleNoInit(run, true))
        toggle(run);
    if (FRangeAnchor && CompareDisplayOrder(last, FRangeAnchor, false) > 0)
        toggle(last);
    CompactSelection();
    if (FRangeAnchor && !FRangeAnchor->Has(vsSelected))
        AddToTempNodeCache(FRangeAnchor);
    AddNodesToSelection(FTempNodeCache.data(), int(FTempNodeCache.size()), false);
    ClearTempNodeCache();
}

void TBaseLazyTree::UnselectRange(PLazyNode StartNode, PLazyNode EndNode)
{
    if (FSelectionLocked)
        return;
    if (!EndNode)
        throw ELazyTreeAssertion("EndNode must not be nil!");
    StartNode = RangeStart(*this, StartNode, FRoot->FirstChild);
    if (!StartNode)
        return;
    PLazyNode first = StartNode, last = EndNode;
    if (CompareDisplayOrder(StartNode, EndNode, false) > 0)
        std::swap(first, last);
    for (PLazyNode run = first; run; run = GetNextVisibleNoInit(run, true)) {
        MarkUnselected(run);
        if (run == last)
            break;
    }
    MarkUnselected(last);
    CompactSelection();
}

void TBaseLazyTree::ApplyClickSelection(PLazyNode, PLazyNode NewNode, TLTShiftState Shift,
                                        bool DragPending)
{
    using enum TLTShiftStateItem;
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    if (ctrl && shift) {
        SelectRange(FRangeAnchor, NewNode, true);
        InvalidateTree();
    } else if (ctrl) {
        if (!FOptions->SelectionOptions().Contains(toSiblingSelectConstraint))
            FRangeAnchor = NewNode;
        if (DragPending)
            DoStateChange({tsToggleFocusedSelection});
        else if (NewNode->Has(vsSelected))
            RemoveFromSelection(NewNode);
        else
            AddToSelection(NewNode);
        InvalidateTree();
    } else if (shift) {
        if (!FRangeAnchor)
            FRangeAnchor = FRoot->FirstChild;
        if (FRangeAnchor) {
            SelectRange(FRangeAnchor, NewNode, false);
            InvalidateTree();
        }
    } else {
        if (!NewNode->Has(vsSelected)) {
            AddToSelection(NewNode);
            InvalidateNode(NewNode);
        }
        FRangeAnchor = NewNode;
    }
}

std::vector<PLazyNode> TBaseLazyTree::GetSortedSelection(bool Resolve)
{
    std::vector<PLazyNode> result;
    if (FSelection.empty())
        return result;
    result.reserve(FSelection.size());
    PLazyNode run = FRoot->FirstChild;
    while (run) {
        if (run->Has(vsSelected)) {
            result.push_back(run);
            if (Resolve) {
                // The selected node stands for its subtree.
                while (run != FRoot && !run->NextSibling)
                    run = run->Parent;
                run = run == FRoot ? nullptr : run->NextSibling;
                continue;
            }
        }
        run = GetNextNoInit(run);
    }
    return result;
}

void TBaseLazyTree::DeleteSelectedNodes()
{
    if (FSelection.empty() || FOptions->MiscOptions().Contains(toReadOnly))
        return;
    BeginUpdate();
    try {
        const std::vector<PLazyNode> nodes = GetSortedSelection(true);
        for (size_t i = nodes.size(); i-- > 1;)
            RemoveNode(nodes[i], nodes[i]->Parent != nodes[i - 1]->Parent, false);
        if (!nodes.empty())
            RemoveNode(nodes[0], true, false);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TBaseLazyTree::EnsureNodeSelected()
{
    if (!FOptions->SelectionOptions().Contains(toAlwaysSelectNode) || IsEmpty())
        return;
    if (FSelection.empty() && !FSelectionLocked) {
        if (FNextNodeToSelect)
            SetSelected(FNextNodeToSelect, true);
        else if (hasFocus())
            SetSelected(GetFirstVisible(nullptr, true), true);
    }
    EnsureFocusedNode();
    ScrollIntoView(GetFirstSelected(), false, false);
}

void TBaseLazyTree::EnsureFocusedNode()
{
    if (FFocusedNode)
        return;
    if (PLazyNode first = GetFirstSelected())
        SetFocusedNode(first);
    else
        SetFocusedNode(GetFirstVisible(nullptr, true));
}

void TBaseLazyTree::NotifyCollapsed(PLazyNode Node)
{
    if (OnCollapsed)
        OnCollapsed(this, Node);
    NotifyAccessibleEvent(QAccessible::StateChanged);
    if (!FOptions->SelectionOptions().Contains(toAlwaysSelectNode))
        return;
    PLazyNode first = GetFirstSelected();
    if (first && !FullyVisible(first)) {
        PLazyNode parent = GetVisibleParent(first);
        SetSelected(first, false);
        if (parent && parent != FRoot)
            SetSelected(parent, true);
    }
    if (FSelection.empty())
        EnsureNodeSelected();
}

// ---------------------------------------------------------------------------------------
// Focus

bool TBaseLazyTree::AskFocusChange(PLazyNode OldNode, PLazyNode NewNode, TColumnIndex OldColumn,
                                   TColumnIndex NewColumn)
{
    bool allowed = OldColumn == NewColumn || FHeader->AllowFocus(NewColumn);
    if (OnFocusChanging)
        OnFocusChanging(this, OldNode, NewNode, OldColumn, NewColumn, allowed);
    return allowed;
}

void TBaseLazyTree::MoveFocus(PLazyNode Node, bool Ask)
{
    if (FStates.Contains(tsEditing) && !EndEditNode())
        return;
    if (Node == FRoot)
        Node = nullptr;
    const bool change =
        Node != FFocusedNode && (!Ask || AskFocusChange(FFocusedNode, Node, FFocusedColumn, FFocusedColumn));
    if (change) {
        if (PLazyNode old = FFocusedNode) {
            if (FOptions->AutoOptions().Contains(toAutoExpand) && Node && Node->Parent == old->Parent &&
                old->Has(vsExpanded))
                ToggleNode(old);
            else
                InvalidateNode(old);
        }
        FFocusedNode = Node;
    }
    if (FFocusedNode) {
        if (FHeader->UseColumns() && !FHeader->Columns().IsValidColumn(FFocusedColumn))
            FFocusedColumn = FHeader->MainColumn();
        if (FOptions->AutoOptions().Contains(toAutoExpand) && !FFocusedNode->Has(vsExpanded))
            ToggleNode(FFocusedNode);
        InvalidateNode(FFocusedNode);
        if (FUpdateCount == 0 && !FOptions->AutoOptions().Contains(toDisableAutoscrollOnFocus)) {
            const bool buttonHeld = FStates.Contains(tsLeftButtonDown) ||
                                    FStates.Contains(tsMiddleButtonDown) ||
                                    FStates.Contains(tsRightButtonDown);
            ScrollIntoView(FFocusedNode,
                           FOptions->SelectionOptions().Contains(toCenterScrollIntoView) && !buttonHeld,
                           !FOptions->SelectionOptions().Contains(toFullRowSelect));
        }
    }
    if (FSelection.empty())
        MoveAnchorToFocus();
}

void TBaseLazyTree::SetFocusedNode(PLazyNode Value)
{
    const PLazyNode old = FFocusedNode;
    MoveFocus(Value, true);
    if (FFocusedNode != old && FFocusedNode == (Value == FRoot ? nullptr : Value))
        NotifyFocusChanged(FFocusedNode, FFocusedColumn);
}

void TBaseLazyTree::SetFocusedColumn(TColumnIndex Value)
{
    if (Value == FFocusedColumn || !AskFocusChange(FFocusedNode, FFocusedNode, FFocusedColumn, Value))
        return;
    CancelEditNode();
    InvalidateColumn(FFocusedColumn);
    InvalidateColumn(Value);
    FFocusedColumn = Value;
    if (FFocusedNode && !FOptions->AutoOptions().Contains(toDisableAutoscrollOnFocus)) {
        if (ScrollIntoView(FFocusedNode, FOptions->SelectionOptions().Contains(toCenterScrollIntoView), true))
            InvalidateNode(FFocusedNode);
    }
    if (FDropTargetNode)
        InvalidateNode(FDropTargetNode);
    NotifyFocusChanged(FFocusedNode, FFocusedColumn);
}

void TBaseLazyTree::FocusNodeAndColumn(PLazyNode Node, TColumnIndex Column)
{
    if (!FHeader->AllowFocus(Column))
        Column = FFocusedColumn;
    const bool changed = Node != FFocusedNode || Column != FFocusedColumn;
    const TColumnIndex oldColumn = FFocusedColumn;
    FFocusedColumn = Column;
    MoveFocus(Node, true);
    if (FFocusedNode == Node) {
        CancelEditNode();
        if (changed)
            NotifyFocusChanged(FFocusedNode, FFocusedColumn);
    } else {
        FFocusedColumn = oldColumn;
    }
}

void TBaseLazyTree::NotifyFocusChanged(PLazyNode Node, TColumnIndex Column)
{
    if (OnFocusChanged)
        OnFocusChanged(this, Node, Column);
    for (QAccessible::Event e : {QAccessible::LocationChanged, QAccessible::NameChanged, QAccessible::ValueChanged,
                                 QAccessible::StateChanged, QAccessible::Selection, QAccessible::Focus})
        NotifyAccessibleEvent(e);
}

bool TBaseLazyTree::CanFocus() const
{
    const QWidget *form = window();
    return isEnabled() && focusPolicy() != Qt::NoFocus && (!form || (form->isEnabled() && form->isVisible()));
}

void TBaseLazyTree::ForgetPendingInput(bool LeaveButtons)
{
    StopPanning();
    for (int id : {1, 2, 3, 4})
        KillTreeTimer(id);
    StopIncrementalSearch();
    TLazyTreeStates leave{tsEditPending,    tsNodeHeightTracking, tsNodeHeightTrackPending,
                          tsOLEDragPending, tsScrolling,          tsScrollPending,
                          tsVCLDragPending, tsHint};
    if (LeaveButtons)
        leave += TLazyTreeStates{tsLeftButtonDown, tsMiddleButtonDown, tsRightButtonDown};
    DoStateChange({}, leave);
}

void TBaseLazyTree::focusInEvent(QFocusEvent *Event)
{
    QAbstractScrollArea::focusInEvent(Event);
    if (!(FSelection.empty() && FOptions->PaintOptions().Contains(toGhostedIfUnfocused)))
        InvalidateTree();
    EnsureNodeSelected();
}

void TBaseLazyTree::focusOutEvent(QFocusEvent *Event)
{
    QAbstractScrollArea::focusOutEvent(Event);
    CancelHint();
    ForgetPendingInput(true);
    if (FSelection.empty() && FOptions->PaintOptions().Contains(toGhostedIfUnfocused))
        InvalidateNode(FFocusedNode);
    else
        InvalidateTree();
}
