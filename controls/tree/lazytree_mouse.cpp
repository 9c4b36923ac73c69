// The mouse: the button messages and the press, release and double-click steps that turn
// a hit into focus, selection, expansion, check box, node-height and editing actions;
// movement, hot tracking, the cursor, popup menus, enter and leave.
#include "controls/tree/lazytree.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TLTSelectionOption;
using enum TLTMiscOption;
using enum TLTPaintOption;
using enum TLTAutoOption;
using enum THitPosition;
using enum TLTShiftStateItem;

namespace {

constexpr int EditTimer = 2;
constexpr int ScrollTimer = 4;

bool Panning(TLazyTreeStates States)
{
    return States.Contains(tsWheelPanning) || States.Contains(tsWheelScrolling);
}

}   // namespace

bool TBaseLazyTree::viewportEvent(QEvent *Event)
{
    if (HeaderMessage(Event, true)) {
        Event->accept();
        return true;
    }
    switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(Event);
        const QPoint p = e->position().toPoint();
        const TLTShiftState shift = ShiftStateOf(e->modifiers(), e->buttons());
        if (Event->type() == QEvent::MouseButtonPress)
            ButtonDown(e->button(), shift, p);
        else if (Event->type() == QEvent::MouseButtonRelease)
            ButtonUp(e->button(), shift, p);
        else if (Event->type() == QEvent::MouseButtonDblClick)
            ButtonDblClick(e->button(), shift, p);
        else {
            HintMouseMove(p);
            MouseMove(shift, p.x(), p.y());
        }
        e->accept();
        return true;
    }
    case QEvent::ToolTip:
        ShowHintAt(static_cast<QHelpEvent *>(Event)->pos());
        Event->accept();
        return true;
    case QEvent::ContextMenu: {
        auto *e = static_cast<QContextMenuEvent *>(Event);
        // A mouse request is answered after the right-button release, as the tree's own
        // node popup comes first there.
        if (e->reason() != QContextMenuEvent::Mouse)
            ContextPopup(e->pos());
        e->accept();
        return true;
    }
    case QEvent::Enter:
        MouseEnter();
        break;
    case QEvent::Leave:
        MouseLeave();
        break;
    default: break;
    }
    return QAbstractScrollArea::viewportEvent(Event);
}

bool TBaseLazyTree::IsMouseSelecting() const
{
    return FStates.Contains(tsDrawSelPending) || FStates.Contains(tsDrawSelecting);
}

void TBaseLazyTree::ButtonDown(Qt::MouseButton Button, TLTShiftState Shift, QPoint P)
{
    THitInfo hit;
    const bool headerBusy = !FHeader->States().Empty();
    auto process = [&] {
        GetHitTestInfoAt(P.x(), P.y(), true, hit);
        ProcessMouseDown(Button, Shift, P, hit);
    };
    // The press takes the focus first, as a platform press does: an editor losing it ends
    // its edit by its own rule before the press is looked at.
    if (!hasFocus() && CanFocus())
        setFocus(Qt::MouseFocusReason);
    switch (Button) {
    case Qt::LeftButton:
        DoStateChange({tsLeftButtonDown});
        process();
        break;
    case Qt::MiddleButton:
        DoStateChange({tsMiddleButtonDown});
        if (headerBusy)
            return;
        if (FOptions->MiscOptions().Contains(toWheelPanning) && !Panning(FStates) &&
            (int(FRangeX) > ClientWidth() || int(FRangeY) > ClientHeight())) {
            FLastClickPos = P;
            StartPanning(P);
            return;
        }
        StopPanning();
        if (FOptions->SelectionOptions().Contains(toMiddleClickSelect))
            process();
        break;
    case Qt::RightButton:
        DoStateChange({tsRightButtonDown});
        if (headerBusy)
            return;
        if (FOptions->SelectionOptions().Contains(toRightClickSelect))
            process();
        break;
    default: break;
    }
}

void TBaseLazyTree::ButtonUp(Qt::MouseButton Button, TLTShiftState Shift, QPoint P)
{
    THitInfo hit;
    const bool headerBusy = !FHeader->States().Empty();
    switch (Button) {
    case Qt::LeftButton:
        DoStateChange({}, {tsNodeHeightTracking, tsNodeHeightTrackPending, tsLeftButtonDown});
        GetHitTestInfoAt(P.x(), P.y(), true, hit);
        ProcessMouseUp(Button, Shift, P, hit);
        if (OnClick)
            OnClick(this);
        break;
    case Qt::MiddleButton:
        DoStateChange({}, {tsMiddleButtonDown});
        if (Panning(FStates)) {
            // Released without moving: panning goes on until the next press.
            if (FStates.Contains(tsWheelScrolling))
                DoStateChange({}, {tsWheelPanning});
            else
                StopPanning();
            return;
        }
        if (!headerBusy && FOptions->SelectionOptions().Contains(toMiddleClickSelect)) {
            GetHitTestInfoAt(P.x(), P.y(), true, hit);
            ProcessMouseUp(Button, Shift, P, hit);
        }
        break;
    case Qt::RightButton: {
        const bool menuShown = FStates.Contains(tsPopupMenuShown);
        DoStateChange({}, {tsRightButtonDown, tsPopupMenuShown});
        if (headerBusy)
            return;
        CancelHint();
        DoStateChange({}, {tsHint});
        if (IsMouseSelecting() && FPopupMenu) {
            DoStateChange({}, {tsDrawSelPending, tsDrawSelecting});
            InvalidateTree();
        }
        GetHitTestInfoAt(P.x(), P.y(), true, hit);
        if (FOptions->SelectionOptions().Contains(toRightClickSelect))
            ProcessMouseUp(Button, Shift, P, hit);
        if (!FPopupMenu)
            ShowNodePopup(hit.HitNode, hit.HitColumn, P);
        if (!menuShown)
            ContextPopup(P);
        break;
    }
    default: break;
    }
}

void TBaseLazyTree::ButtonDblClick(Qt::MouseButton Button, TLTShiftState Shift, QPoint P)
{
    THitInfo hit;
    TLazyTreeState state = tsLeftDblClick;
    if (Button == Qt::MiddleButton)
        state = tsMiddleDblClick;
    else if (Button == Qt::RightButton)
        state = tsRightDblClick;
    DoStateChange({state});
    const bool process =
        Button == Qt::LeftButton ||
        (Button == Qt::MiddleButton && FOptions->SelectionOptions().Contains(toMiddleClickSelect)) ||
        (Button == Qt::RightButton && FOptions->SelectionOptions().Contains(toRightClickSelect));
    if (Button == Qt::LeftButton) {
        DoStateChange({tsLeftButtonDown});
        if (OnDblClick)
            OnDblClick(this);
    }
    if (process) {
        GetHitTestInfoAt(P.x(), P.y(), true, hit);
        ProcessMouseDblClick(Button, Shift, P, hit);
    }
    DoStateChange({}, {state});
}

void TBaseLazyTree::ProcessMouseDown(Qt::MouseButton Button, TLTShiftState Shift, QPoint P, THitInfo &HitInfo)
{
    if (Panning(FStates)) {
        StopPanning();
        return;
    }
    if (FStates.Contains(tsEditPending)) {
        KillTreeTimer(EditTimer);
        DoStateChange({}, {tsEditPending});
    }
    if (FStates.Contains(tsEditing) && !FinishEditing())
        return;
    if (!hasFocus() && CanFocus()) {
        setFocus(Qt::MouseFocusReason);
        GetHitTestInfoAt(P.x(), P.y(), true, HitInfo);
    }
    FHeader->Columns().FClickIndex = HitInfo.HitColumn;

    const TLTSelectionOptions selection = FOptions->SelectionOptions();
    const TLTMiscOptions misc = FOptions->MiscOptions();
    const THitPositions hp = HitInfo.HitPositions;
    PLazyNode hitNode = HitInfo.HitNode;
    bool columnChange = false;
    TColumnIndex newColumn = FFocusedColumn;
    if (hp.Contains(hiOnItemLabel) || selection.Contains(toFullRowSelect) || misc.Contains(toGridExtensions)) {
        columnChange = HitInfo.HitColumn != FFocusedColumn;
        newColumn = selection.Contains(toExtendedFocus) ? HitInfo.HitColumn : FHeader->MainColumn();
        if (columnChange && !FHeader->AllowFocus(newColumn)) {
            columnChange = false;
            newColumn = FFocusedColumn;
        }
    }
    const bool nodeChange = hitNode != FFocusedNode;
    const bool altPressed = Shift.Contains(ssAlt);
    Shift = Shift * TLTShiftState{ssShift, ssCtrl};
    const bool shiftEmpty = Shift.Empty();
    const bool multiSelect = selection.Contains(toMultiSelect);
    const bool isLabelHit = !altPressed && !selection.Contains(toSimpleDrawSelection) &&
                            (hp.Contains(hiOnItemLabel) || hp.Contains(hiOnNormalIcon));
    const bool isCellHit = !altPressed && !isLabelHit && hitNode && !hp.Contains(hiNowhere) &&
                           !hp.Contains(hiOnItemButton) && !hp.Contains(hiOnItemCheckbox) &&
                           (selection.Contains(toFullRowSelect) ||
                            (misc.Contains(toGridExtensions) && HitInfo.HitColumn > NoColumn));
    const bool isAnyHit = isLabelHit || isCellHit;
    const bool nodeSelected = isAnyHit && hitNode->Has(vsSelected);
    bool fullRowDrag = misc.Contains(toFullRowDrag);
    if (multiSelect && !selection.Contains(toDisableDrawSelection))
        fullRowDrag = fullRowDrag && isCellHit && !hp.Contains(hiNowhere) &&
                      (nodeSelected || hp.Contains(hiOnItemLabel) || hp.Contains(hiOnNormalIcon));
    const bool heightTrack = Button == Qt::LeftButton && hp.Contains(hiOnItem) &&
                             (hp.Contains(hiUpperSplitter) || hp.Contains(hiLowerSplitter));
    bool autoDrag = (FDragMode == TLTDragMode::dmAutomatic || FStates.Contains(tsOLEDragging) ||
                     FStates.Contains(tsVCLDragging)) &&
                    (!isCellHit || fullRowDrag);
    if (!autoDrag && hitNode && FDragMode == TLTDragMode::dmManual)
        autoDrag = DoDragAllowed(hitNode, newColumn) && (fullRowDrag || isLabelHit);

    if (heightTrack) {
        PLazyNode track = hp.Contains(hiUpperSplitter) ? GetPreviousVisible(hitNode, true) : hitNode;
        if (CanResizeNodeAt(P, track, HitInfo.HitColumn)) {
            FHeightTrackNode = track;
            FHeightTrackColumn = HitInfo.HitColumn;
            const TRect r = GetDisplayRect(track, HitInfo.HitColumn, false);
            FHeightTrackPoint = QPoint(r.Left, r.Top);
            DoStateChange({tsNodeHeightTrackPending});
            return;
        }
    }
    if (hp.Contains(hiOnItemButton) && hitNode && hitNode->Has(vsHasChildren)) {
        ToggleNode(hitNode);
        return;
    }
    if (hp.Contains(hiOnItemCheckbox) && hitNode) {
        PressCheckBox(hitNode, Button);
        return;
    }
    if ((FRoot->ChildCount > 0 && shiftEmpty) || FSelection.empty()) {
        PLazyNode levelNode = hitNode ? hitNode : GetLastVisibleNoInit(nullptr, true);
        FLastSelectionLevel = levelNode ? int(GetNodeLevel(levelNode)) : -1;
    }
    if (multiSelect && shiftEmpty && isAnyHit && autoDrag && nodeSelected && !FSelectionLocked)
        DoStateChange({tsClearPending});
    const bool performSelect =
        !autoDrag && (!FStates.Contains(tsRightButtonDown) || !HasPopupFor(hitNode, HitInfo.HitColumn, P));
    if (!selection.Contains(toDisableDrawSelection) && multiSelect && !isLabelHit && !fullRowDrag) {
        DoStateChange({tsDrawSelPending});
        FDrawSelShiftState = Shift;
        const int x = P.x() + FEffectiveOffsetX, y = P.y() - FOffsetY;
        FNewSelRect = TRect(x, y, x, y);
        FLastSelRect = TRect();
    }
    if (!FSelectionLocked &&
        ((!isAnyHit && !fullRowDrag && multiSelect && shiftEmpty) ||
         (isAnyHit && (!nodeSelected || performSelect) && (shiftEmpty || !multiSelect)))) {
        if (FStates.Contains(tsClearPending))
            throw ELazyTreeAssertion("Pending and direct clearance are mutual exclusive!");
        if (nodeSelected || (altPressed && hitNode && HitInfo.HitColumn == FHeader->MainColumn() &&
                             !hp.Contains(hiNowhere))) {
            const bool several = FSelection.size() > 1;
            DiscardSelection();
            MergeNodeIntoSelection(hitNode, true);
            if (several) {
                InvalidateTree();
                NoteChange(nullptr);
            }
        } else if (!(hp.Contains(hiNowhere) && selection.Contains(toAlwaysSelectNode))) {
            ResetSelection(false);
        }
    }
    if (hasFocus() && (hp.Contains(hiOnItemLabel) || (hp.Contains(hiOnItem) && misc.Contains(toGridExtensions))) &&
        nodeSelected && !columnChange && shiftEmpty)
        DoStateChange({tsEditPending});
    if (!selection.Contains(toDisableDrawSelection) && !isLabelHit && !fullRowDrag &&
        (multiSelect || hp.Contains(hiNowhere)) && !isCellHit)
        return;
    FLastClickPos = P;
    if (isAnyHit && AskFocusChange(FFocusedNode, hitNode, FFocusedColumn, newColumn)) {
        if (columnChange) {
            InvalidateColumn(FFocusedColumn);
            InvalidateColumn(newColumn);
            FFocusedColumn = newColumn;
        }
        PLazyNode lastFocused = FFocusedNode;
        if (nodeChange)
            MoveFocus(hitNode, false);
        if (multiSelect && !shiftEmpty) {
            ApplyClickSelection(lastFocused, hitNode, Shift, autoDrag);
        } else {
            if (shiftEmpty)
                FRangeAnchor = hitNode;
            if (!nodeSelected)
                AddToSelection(hitNode);
        }
        if (nodeChange || columnChange) {
            ScrollIntoView(FFocusedNode, selection.Contains(toCenterScrollIntoView),
                           !(FOptions->AutoOptions().Contains(toDisableAutoscrollOnFocus) ||
                             selection.Contains(toFullRowSelect)));
            NotifyFocusChanged(FFocusedNode, FFocusedColumn);
        }
    }
    if (FSelection.empty())
        NoteChange(nullptr);
    if (autoDrag && isAnyHit &&
        (FStates.Contains(tsLeftButtonDown) || FStates.Contains(tsMiddleButtonDown) ||
         FStates.Contains(tsRightButtonDown)))
        BeginDrag(false, -1);
}

void TBaseLazyTree::ProcessMouseUp(Qt::MouseButton, TLTShiftState Shift, QPoint, THitInfo &HitInfo)
{
    // A framework drag armed by the press ends without dragging.
    if (FStates.Contains(tsVCLDragPending)) {
        DoStateChange({}, {tsVCLDragPending});
        return;
    }
    if (IsMouseSelecting()) {
        DoStateChange({}, {tsToggleFocusedSelection, tsDrawSelPending, tsDrawSelecting});
        InvalidateTree();
    }
    if (FStates.Contains(tsClearPending)) {
        const bool wasSelected = FFocusedNode && FFocusedNode->Has(vsSelected);
        ClearSelection();
        if (wasSelected)
            AddToSelection(FFocusedNode);
    }
    PLazyNode hitNode = HitInfo.HitNode;
    if (FStates.Contains(tsToggleFocusedSelection) && hitNode && hitNode == FFocusedNode) {
        if (!hitNode->Has(vsSelected))
            AddToSelection(hitNode);
        else if (!(FOptions->SelectionOptions().Contains(toAlwaysSelectNode) && FSelection.size() == 1))
            RemoveFromSelection(hitNode);
        InvalidateNode(hitNode);
    }
    DoStateChange({}, {tsToggleFocusedSelection, tsClearPending, tsDrawSelPending, tsOLEDragging,
                       tsOLEDragPending, tsScrolling, tsScrollPending});
    KillTreeTimer(ScrollTimer);
    if (FStates.Contains(tsMouseCheckPending)) {
        DoStateChange({}, {tsMouseCheckPending});
        if (PLazyNode check = FCheckNode) {
            FCheckNode = nullptr;
            if (hitNode == check && HitInfo.HitPositions.Contains(hiOnItem))
                CommitCheckState(check, FPendingCheckState);
            else
                check->CheckState = UnpressedCheckState(check->CheckState);
            InvalidateNode(check);
        }
    }
    const TColumnIndex click = FHeader->Columns().ClickIndex();
    if (click >= 0 && click == HitInfo.HitColumn && OnColumnClick)
        OnColumnClick(this, click, Shift);
    if (hitNode && OnNodeClick)
        OnNodeClick(this, HitInfo);
    if (FStates.Contains(tsEditPending)) {
        if (hitNode && hitNode == FFocusedNode && HitInfo.HitPositions.Contains(hiOnItem) &&
            HitInfo.HitColumn == FFocusedColumn && FOptions->MiscOptions().Contains(toEditOnClick) &&
            CanEdit(FFocusedNode, HitInfo.HitColumn)) {
            FEditColumn = FFocusedColumn;
            SetTreeTimer(EditTimer, int(FEditDelay));
        } else {
            DoStateChange({}, {tsEditPending});
        }
    }
}

void TBaseLazyTree::ProcessMouseDblClick(Qt::MouseButton Button, TLTShiftState Shift, QPoint P,
                                         THitInfo &HitInfo)
{
    const TLTMiscOptions misc = FOptions->MiscOptions();
    bool editAfter = !FStates.Contains(tsEditing) && misc.Contains(toEditOnDblClick);
    if (FStates.Contains(tsEditPending)) {
        KillTreeTimer(EditTimer);
        DoStateChange({}, {tsEditPending});
    }
    if (!(FStates.Contains(tsEditing) && !FinishEditing())) {
        const THitPositions hp = HitInfo.HitPositions;
        PLazyNode hitNode = HitInfo.HitNode;
        if (HitInfo.HitColumn == FHeader->Columns().ClickIndex() && OnColumnDblClick)
            OnColumnDblClick(this, HitInfo.HitColumn, Shift);
        if (hitNode && OnNodeDblClick)
            OnNodeDblClick(this, HitInfo);
        PLazyNode heightNode = nullptr;
        TLazyTreeColumns &columns = FHeader->Columns();
        if (hp.Contains(hiOnItem) && columns.IsValidColumn(HitInfo.HitColumn) &&
            columns[HitInfo.HitColumn].Options().Contains(TLTColumnOption::coFixed)) {
            if (hp.Contains(hiUpperSplitter))
                heightNode = GetPreviousVisible(hitNode, true);
            else if (hp.Contains(hiLowerSplitter))
                heightNode = hitNode;
        }
        if (heightNode && heightNode != FRoot && misc.Contains(toNodeHeightDblClickResize)) {
            bool allowed = true;
            if (OnNodeHeightDblClickResize)
                OnNodeHeightDblClickResize(this, heightNode, HitInfo.HitColumn, Shift, P, allowed);
            if (allowed) {
                SetNodeHeight(heightNode, FDefaultNodeHeight);
                editAfter = false;
            }
        } else if (hp.Contains(hiOnItemCheckbox) && hitNode) {
            if (PressCheckBox(hitNode, Button))
                editAfter = false;
        } else if (hitNode &&
                   (hp.Contains(hiOnItemButton) ||
                    (misc.Contains(toToggleOnDblClick) &&
                     (hp.Contains(hiOnItemButton) || hp.Contains(hiOnItemLabel) || hp.Contains(hiOnNormalIcon) ||
                      hp.Contains(hiOnStateIcon) ||
                      (FOptions->SelectionOptions().Contains(toFullRowSelect) && hp.Contains(hiOnItem)))))) {
            ToggleNode(hitNode);
            editAfter = false;
        }
    }
    if (editAfter && FFocusedNode && HitInfo.HitNode == FFocusedNode && HitInfo.HitColumn == FFocusedColumn &&
        CanEdit(FFocusedNode, FFocusedColumn)) {
        DoStateChange({tsEditPending});
        FEditColumn = FFocusedColumn;
        SetTreeTimer(EditTimer, 0);
    }
}

void TBaseLazyTree::MouseMove(TLTShiftState Shift, int X, int Y)
{
    if (FStates.Contains(tsNodeHeightTrackPending)) {
        CancelHint();
        StopPanning();
        for (int id : {1, 2, 3, 4})
            KillTreeTimer(id);
        StopIncrementalSearch();
        DoStateChange({tsNodeHeightTracking},
                      {tsHint, tsEditPending, tsNodeHeightTrackPending, tsIncrementalSearching,
                       tsOLEDragPending, tsScrolling, tsScrollPending, tsVCLDragPending});
    }
    if (FStates.Contains(tsDrawSelPending)) {
        StartRubberBand(X, Y);
        return;
    }
    if (FStates.Contains(tsNodeHeightTracking)) {
        if (FHeightTrackNode) {
            bool allowed = true;
            QPoint trackPoint = FHeightTrackPoint;
            if (OnNodeHeightTracking)
                OnNodeHeightTracking(this, FHeightTrackNode, FHeightTrackColumn, Shift, trackPoint,
                                     QPoint(X, Y), allowed);
            if (allowed)
                SetNodeHeight(FHeightTrackNode,
                              uint32_t(std::max(Y, FHeightTrackPoint.y() + 1) - FHeightTrackPoint.y()));
        }
        return;
    }
    if (FStates.Contains(tsWheelPanning) && FStates.Contains(tsWheelScrolling)) {
        const int threshold = QApplication::startDragDistance();
        if (std::abs(X - FLastClickPos.x()) >= threshold || std::abs(Y - FLastClickPos.y()) >= threshold)
            DoStateChange({}, {tsWheelScrolling});
    }
    if (FStates.Contains(tsOLEDragPending) || FStates.Contains(tsVCLDragPending)) {
        if (std::abs(X - FLastClickPos.x()) >= FDragThreshold ||
            std::abs(Y - FLastClickPos.y()) >= FDragThreshold) {
            RunOleDrag(FLastClickPos);
            return;
        }
    }
    if (AutoScrollAllowed())
        ArmAutoScroll(X, Y);
    if (Panning(FStates)) {
        UpdatePanningCursor(X, Y);
        return;
    }
    if (!IsMouseSelecting()) {
        HotTrack(X, Y);
        viewport()->setCursor(CursorAt(QPoint(X, Y)));
    } else if (!FStates.Contains(tsScrolling)) {
        MoveRubberBand(X, Y);
    }
}

void TBaseLazyTree::HotTrack(int X, int Y)
{
    THitInfo hit;
    GetHitTestInfoAt(X, Y, true, hit);
    const THitPositions hp = hit.HitPositions;
    const bool counts = hp.Contains(hiOnItemCheckbox) || hp.Contains(hiOnItemLabel) ||
                        (FStates.Contains(tsUseExplorerTheme) && hp.Contains(hiOnItemButtonExact)) ||
                        (FOptions->SelectionOptions().Contains(toFullRowSelect) && !hp.Contains(hiNowhere));
    PLazyNode newHot = counts ? hit.HitNode : nullptr;
    const TColumnIndex newColumn = counts ? hit.HitColumn : NoColumn;
    PLazyNode oldHot = FCurrentHotNode;
    bool repaint = false;
    if (newHot != FCurrentHotNode || newColumn != FCurrentHotColumn) {
        repaint = FOptions->PaintOptions().Contains(toHotTrack) ||
                  FOptions->MiscOptions().Contains(toCheckSupport);
        if (OnHotChange)
            OnHotChange(this, oldHot, newHot);
        if (repaint && oldHot)
            InvalidateNode(oldHot);
        FCurrentHotNode = newHot;
        FCurrentHotColumn = newColumn;
    }
    if (FCurrentHotNode) {
        const bool buttonHit = hp.Contains(hiOnItemButtonExact);
        if (buttonHit != FHotNodeButtonHit || repaint) {
            FHotNodeButtonHit = buttonHit;
            InvalidateNode(FCurrentHotNode);
        }
    } else {
        FHotNodeButtonHit = false;
    }
    if (oldHot && oldHot != FCurrentHotNode)
        InvalidateNode(oldHot);
}

Qt::CursorShape TBaseLazyTree::CursorAt(QPoint P)
{
    Qt::CursorShape cursor = Qt::ArrowCursor;
    bool splitter = false;
    if (FOptions->MiscOptions().Contains(toNodeHeightResize)) {
        THitInfo hit;
        GetHitTestInfoAt(P.x(), P.y(), true, hit);
        if (hit.HitPositions.Contains(hiOnItem) &&
            (hit.HitPositions.Contains(hiUpperSplitter) || hit.HitPositions.Contains(hiLowerSplitter))) {
            PLazyNode node = hit.HitPositions.Contains(hiUpperSplitter) ? GetPreviousVisible(hit.HitNode, true)
                                                                         : hit.HitNode;
            splitter = CanResizeNodeAt(P, node, hit.HitColumn);
            if (splitter)
                cursor = Qt::SplitVCursor;
        }
    }
    if (!splitter && FOptions->PaintOptions().Contains(toHotTrack) && FCurrentHotNode &&
        FHotCursor != Qt::ArrowCursor)
        cursor = FHotCursor;
    if (OnGetCursor)
        OnGetCursor(this, cursor);
    return cursor;
}

bool TBaseLazyTree::PressCheckBox(PLazyNode Node, Qt::MouseButton Button)
{
    if (FStates.Contains(tsKeyCheckPending) || FStates.Contains(tsMouseCheckPending) || Node->Has(vsDisabled))
        return false;
    TCheckState next = NextCheckState(Node->CheckType, Node->CheckState);
    if (Button != Qt::LeftButton || !DoChecking(Node, next))
        return false;
    DoStateChange({tsMouseCheckPending});
    FCheckNode = Node;
    FPendingCheckState = next;
    Node->CheckState = PressedCheckState(Node->CheckState);
    InvalidateNode(Node);
    return true;
}

bool TBaseLazyTree::CanResizeNodeAt(QPoint Position, PLazyNode Node, TColumnIndex Column)
{
    TLazyTreeColumns &columns = FHeader->Columns();
    bool allowed = FOptions->MiscOptions().Contains(toNodeHeightResize) && Node && Node != FRoot &&
                   Column > NoColumn && columns.IsValidColumn(Column) &&
                   columns[Column].Options().Contains(TLTColumnOption::coFixed);
    if (OnCanSplitterResizeNode)
        OnCanSplitterResizeNode(this, Position, Node, Column, allowed);
    return allowed;
}

void TBaseLazyTree::ShowNodePopup(PLazyNode Node, TColumnIndex Column, QPoint Position)
{
    QMenu *menu = DoGetPopupMenu(Node, Node ? Column : NoColumn, Position);
    if (!menu)
        return;
    DoStateChange({tsPopupMenuShown});
    KillTreeTimer(EditTimer);
    menu->setProperty("PopupComponent", QVariant::fromValue<QObject *>(this));
    menu->popup(viewport()->mapToGlobal(Position));
}

bool TBaseLazyTree::HasPopupFor(PLazyNode Node, TColumnIndex Column, QPoint Position)
{
    return FPopupMenu || DoGetPopupMenu(Node, Column, Position);
}

void TBaseLazyTree::ContextPopup(QPoint P)
{
    DoStateChange({}, {tsClearPending, tsEditPending, tsOLEDragPending, tsVCLDragPending});
    if (!FStates.Contains(tsPopupMenuShown) && FPopupMenu) {
        FPopupMenu->setProperty("PopupComponent", QVariant::fromValue<QObject *>(this));
        FPopupMenu->popup(viewport()->mapToGlobal(P));
    }
}

void TBaseLazyTree::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TBaseLazyTree::MouseLeave()
{
    FLastHintRect = TRect();
    CancelHint();
    DoStateChange({}, {tsHint});
    if (!Panning(FStates)) {
        KillTreeTimer(ScrollTimer);
        DoStateChange({}, {tsScrollPending, tsScrolling});
    }
    if (PLazyNode hot = FCurrentHotNode) {
        if (OnHotChange)
            OnHotChange(this, hot, nullptr);
        if (FOptions->PaintOptions().Contains(toHotTrack) || FOptions->MiscOptions().Contains(toCheckSupport))
            InvalidateNode(hot);
        FCurrentHotNode = nullptr;
    }
    TLazyTreeColumns &columns = FHeader->Columns();
    columns.FDownIndex = NoColumn;
    columns.FHoverIndex = NoColumn;
    columns.FCheckBoxHit = false;
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TBaseLazyTree::CancelMode()
{
    for (int id : {1, 2, 3, 4, 8})
        KillTreeTimer(id);
    StopIncrementalSearch();
    DoStateChange({}, {tsClearPending, tsDrawSelPending, tsDrawSelecting, tsEditPending,
                       tsIncrementalSearching, tsOLEDragPending, tsVCLDragPending});
}

bool TBaseLazyTree::DoDragAllowed(PLazyNode Node, TColumnIndex Column)
{
    bool allowed = false;
    if (OnDragAllowed)
        OnDragAllowed(this, Node, Column, allowed);
    return allowed;
}
