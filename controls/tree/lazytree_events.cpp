// Event firers (each gives the in-out parameters their defaults and does nothing while the
// event is unassigned) and the deferred change notices with their delay timers.
#include "controls/tree/lazytree.h"

#include <QAccessible>
#include <cstring>

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TChangeReason;

namespace {
constexpr int ChangeTimer = 5;
constexpr int StructureChangeTimer = 6;
}   // namespace

void TBaseLazyTree::DoInitNode(PLazyNode Parent, PLazyNode Node, TLazyNodeInitStates &InitStates)
{
    if (OnInitNode)
        OnInitNode(this, Parent, Node, InitStates);
}

bool TBaseLazyTree::DoInitChildren(PLazyNode Node, uint32_t &ChildCount)
{
    if (!OnInitChildren)
        return false;
    OnInitChildren(this, Node, ChildCount);
    return true;
}

void TBaseLazyTree::DoFreeNode(PLazyNode Node)
{
    ForgetNode(Node);
    std::exception_ptr failure;
    try {
        if (OnFreeNode && (Node->Has(vsInitialized) || Node->Has(vsOnFreeNodeCallRequired)))
            OnFreeNode(this, Node);
    } catch (...) {
        failure = std::current_exception();
    }
    if (Node->Has(vsReleaseCallOnUserDataRequired)) {
        ILazyTreeInterface *held = nullptr;
        std::memcpy(&held, reinterpret_cast<char *>(Node) + LazyNodeRecordSize, sizeof(held));
        if (held)
            held->Release();
    }
    if (Node->Has(vsSelected)) {
        // Inside an update many nodes may go: their entries are marked and compacted once.
        if (FUpdateCount > 0)
            MarkUnselected(Node);
        else
            RemoveFromSelection(Node);
    }
    FreeNodeBlock(Node);
    if (failure)
        std::rethrow_exception(failure);
    if (FUpdateCount == 0)
        EnsureNodeSelected();
}

void TBaseLazyTree::DoReset(PLazyNode Node)
{
    if (OnResetNode)
        OnResetNode(this, Node);
}

bool TBaseLazyTree::DoExpanding(PLazyNode Node)
{
    bool allowed = true;
    if (OnExpanding)
        OnExpanding(this, Node, allowed);
    return allowed;
}

void TBaseLazyTree::DoExpanded(PLazyNode Node)
{
    if (OnExpanded)
        OnExpanded(this, Node);
    NotifyAccessibleEvent(QAccessible::StateChanged);
}

bool TBaseLazyTree::DoCollapsing(PLazyNode Node)
{
    bool allowed = true;
    if (OnCollapsing)
        OnCollapsing(this, Node, allowed);
    return allowed;
}

void TBaseLazyTree::DoCollapsed(PLazyNode Node)
{
    NotifyCollapsed(Node);
}

bool TBaseLazyTree::DoChecking(PLazyNode Node, TCheckState &NewCheckState)
{
    bool allowed = !TreeOptions().MiscOptions().Contains(TLTMiscOption::toReadOnly);
    if (OnChecking)
        OnChecking(this, Node, NewCheckState, allowed);
    return allowed;
}

void TBaseLazyTree::DoChecked(PLazyNode Node)
{
    if (OnChecked)
        OnChecked(this, Node);
    NotifyAccessibleEvent(QAccessible::StateChanged);
}

bool TBaseLazyTree::DoNodeMoving(PLazyNode Node, PLazyNode Target)
{
    bool allowed = true;
    if (OnNodeMoving)
        OnNodeMoving(this, Node, Target, allowed);
    return allowed;
}

void TBaseLazyTree::DoNodeMoved(PLazyNode Node)
{
    if (OnNodeMoved)
        OnNodeMoved(this, Node);
}

bool TBaseLazyTree::DoNodeCopying(PLazyNode Node, PLazyNode Target)
{
    bool allowed = true;
    if (OnNodeCopying)
        OnNodeCopying(this, Node, Target, allowed);
    return allowed;
}

void TBaseLazyTree::DoNodeCopied(PLazyNode Node)
{
    if (OnNodeCopied)
        OnNodeCopied(this, Node);
}

void TBaseLazyTree::DoUpdating(TLTUpdateState State)
{
    if (OnUpdating)
        OnUpdating(this, State);
}

void TBaseLazyTree::DoStartOperation(TLTOperationKind Kind)
{
    if (OnStartOperation)
        OnStartOperation(this, Kind);
}

void TBaseLazyTree::DoEndOperation(TLTOperationKind Kind)
{
    if (OnEndOperation)
        OnEndOperation(this, Kind);
}

TLTImageList *TBaseLazyTree::DoGetImageIndex(PLazyNode Node, TLTImageKind Kind,
                                             TColumnIndex Column, bool &Ghosted, int &ImageIndex)
{
    TLTImageList *list = Kind == TLTImageKind::ikState ? FStateImages : FImages;
    if (OnGetImageIndexEx)
        OnGetImageIndexEx(this, Node, Kind, Column, Ghosted, ImageIndex, list);
    else if (OnGetImageIndex)
        OnGetImageIndex(this, Node, Kind, Column, Ghosted, ImageIndex);
    return list;
}

QMenu *TBaseLazyTree::DoGetPopupMenu(PLazyNode Node, TColumnIndex Column, const QPoint &Position)
{
    QMenu *menu = nullptr;
    if (!OnGetPopupMenu)
        return nullptr;
    if (!Node) {
        bool askParent = true;
        OnGetPopupMenu(this, nullptr, NoColumn, Position, askParent, menu);
        return menu;
    }
    for (PLazyNode run = Node; run && run != FRoot; run = run->Parent) {
        bool askParent = true;
        OnGetPopupMenu(this, run, Column, Position, askParent, menu);
        if (menu || !askParent)
            break;
    }
    return menu;
}

QString TBaseLazyTree::GetNodeHint(PLazyNode Node, TColumnIndex Column,
                                   TLTTooltipLineBreakStyle &LineBreakStyle)
{
    LineBreakStyle = TLTTooltipLineBreakStyle::hlbDefault;
    return toolTip();
}

QString TBaseLazyTree::GetNodeTooltip(PLazyNode Node, TColumnIndex Column,
                                      TLTTooltipLineBreakStyle &LineBreakStyle)
{
    LineBreakStyle = TLTTooltipLineBreakStyle::hlbDefault;
    return toolTip();
}

// ---------------------------------------------------------------------------------------
// Deferred change notices

void TBaseLazyTree::RecordChange(bool Structure, PLazyNode Node, TChangeReason Reason)
{
    if (Structure) {
        if (FStates.Contains(tsStructureChangePending))
            KillTreeTimer(StructureChangeTimer);
        else
            DoStateChange({tsStructureChangePending});
        FLastStructureChangeNode = Node;
        if (FLastStructureChangeReason == crIgnore)
            FLastStructureChangeReason = Reason;
        else if (Reason != crIgnore)
            FLastStructureChangeReason = crAccumulated;
    } else {
        if (FStates.Contains(tsChangePending))
            KillTreeTimer(ChangeTimer);
        else
            DoStateChange({tsChangePending});
        FLastChangedNode = Node;
    }
}

void TBaseLazyTree::AnnounceStructureChange(PLazyNode Node, TChangeReason Reason)
{
    if (FUpdateCount != 0)
        return;
    if (FChangeDelay > 0 && HandleAllocated() && !FStates.Contains(tsSynchMode))
        SetTreeTimer(StructureChangeTimer, int(FChangeDelay));
    else
        DoStructureChange(Node, Reason);
}

void TBaseLazyTree::NoteStructureChange(PLazyNode Node, TChangeReason Reason)
{
    RecordChange(true, Node, Reason);
    AnnounceStructureChange(Node, Reason);
}

void TBaseLazyTree::NoteChange(PLazyNode Node)
{
    RecordChange(false, Node, crIgnore);
    if (FUpdateCount != 0)
        return;
    if (FChangeDelay > 0 && HandleAllocated() && !FStates.Contains(tsSynchMode))
        SetTreeTimer(ChangeTimer, int(FChangeDelay));
    else
        DoChange(Node);
}

void TBaseLazyTree::DoStructureChange(PLazyNode Node, TChangeReason Reason)
{
    KillTreeTimer(StructureChangeTimer);
    if (OnStructureChange)
        OnStructureChange(this, Node, Reason);
    DoStateChange({}, {tsStructureChangePending});
    FLastStructureChangeNode = nullptr;
    FLastStructureChangeReason = crIgnore;
}

void TBaseLazyTree::DoChange(PLazyNode Node)
{
    KillTreeTimer(ChangeTimer);
    if (OnChange)
        OnChange(this, Node);
    DoStateChange({}, {tsChangePending});
    FLastChangedNode = nullptr;
}

void TBaseLazyTree::TimerExpired(int Id)
{
    switch (Id) {
    case ChangeTimer:
        if (FStates.Contains(tsChangePending))
            DoChange(FLastChangedNode);
        else
            KillTreeTimer(ChangeTimer);
        break;
    case StructureChangeTimer:
        DoStructureChange(FLastStructureChangeNode, FLastStructureChangeReason);
        break;
    case TLTHeader::HeaderTimer: {
        TLTHeader::TMessage message{TLTHeader::TMessageKind::Timer, {}};
        message.TimerId = Id;
        FHeader->ProcessMessage(message);
        break;
    }
    case 8:   // a platform theme change settled: the window is built again
        KillTreeTimer(Id);
        CreateWnd();
        break;
    default:
        if (!InputTimerExpired(Id))
            KillTreeTimer(Id);
        break;
    }
}
