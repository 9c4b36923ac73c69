// Drag and drop: starting a drag of the selected nodes, following a drag over the tree
// (drop target node, drop mode, automatic expansion and scrolling, the preferred effect),
// handing the drop to the application and inserting dropped tree data. Qt's drag events
// come in through the tree's drag manager as the platform's drop-target calls would.
#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreedataobject.h"
#include "controls/tree/lazytreedragimage.h"
#include "platform/application.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QRegion>

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TLTAutoOption;
using enum TLTMiscOption;
using enum TLTPaintOption;
using enum TLTSelectionOption;
using enum THitPosition;
using enum TLTShiftStateItem;
using enum TOffsetChangePart;
using namespace LTResult;

namespace {

constexpr int ExpandTimer = 1;
constexpr int ScrollTimer = 4;

uint32_t KeyStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons)
{
    uint32_t state = 0;
    if (Buttons & Qt::LeftButton)
        state |= MK_LBUTTON;
    if (Buttons & Qt::RightButton)
        state |= MK_RBUTTON;
    if (Buttons & Qt::MiddleButton)
        state |= MK_MBUTTON;
    if (Modifiers & Qt::ShiftModifier)
        state |= MK_SHIFT;
    if (Modifiers & Qt::ControlModifier)
        state |= MK_CONTROL;
    if (Modifiers & Qt::AltModifier)
        state |= MK_ALT;
    return state;
}

// Qt's actions carry the same bits as the drop effects.
uint32_t EffectsOf(Qt::DropActions Actions)
{
    return uint32_t(Actions & (Qt::CopyAction | Qt::MoveAction | Qt::LinkAction));
}

Qt::DropAction ActionOf(uint32_t Effect)
{
    if (Effect & DROPEFFECT_MOVE)
        return Qt::MoveAction;
    if (Effect & DROPEFFECT_COPY)
        return Qt::CopyAction;
    if (Effect & DROPEFFECT_LINK)
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

}   // namespace

bool TBaseLazyTree::Dragging() const
{
    return FStates.Contains(tsOLEDragPending) || FStates.Contains(tsOLEDragging) ||
           FStates.Contains(tsVCLDragPending) || FStates.Contains(tsVCLDragging);
}

ILTDragManager &TBaseLazyTree::DragManager()
{
    if (!FDragManager)
        FDragManager = DoCreateDragManager();
    return *FDragManager;
}

std::shared_ptr<ILTDragManager> TBaseLazyTree::DoCreateDragManager()
{
    std::shared_ptr<ILTDragManager> manager;
    if (OnCreateDragManager)
        OnCreateDragManager(this, manager);
    if (!manager)
        manager = std::make_shared<TLTDragManager>(this);
    return manager;
}

QMimeData *TBaseLazyTree::DoCreateDataObject()
{
    QMimeData *data = nullptr;
    if (OnCreateDataObject)
        OnCreateDataObject(this, data);
    return data ? data : new TLTDataObject(this, false);
}

TLTDragImage &TBaseLazyTree::DragImage()
{
    if (!FDragImage) {
        FDragImage = std::make_shared<TLTDragImage>(this);
        FDragImage->SetFade(true);
        FDragImage->SetTransparency(200);
    }
    return *FDragImage;
}

bool TBaseLazyTree::IsDropTarget() const
{
    return FDragManager && FDragManager->IsDropTarget();
}

TLTShiftState TBaseLazyTree::DragShiftState(uint32_t KeyState) const
{
    TLTShiftState shift;
    if (KeyState & MK_SHIFT)
        shift.Include(ssShift);
    if (KeyState & MK_CONTROL)
        shift.Include(ssCtrl);
    if (KeyState & MK_ALT)
        shift.Include(ssAlt);
    if (FStates.Contains(tsLeftButtonDown))
        shift.Include(ssLeft);
    if (FStates.Contains(tsMiddleButtonDown))
        shift.Include(ssMiddle);
    if (FStates.Contains(tsRightButtonDown))
        shift.Include(ssRight);
    return shift;
}

// ---------------------------------------------------------------------------------------
// The source side

void TBaseLazyTree::BeginDrag(bool Immediately, int Threshold)
{
    if (FDragType == TLTDragType::dtVCL) {
        // Framework drags run through the same Qt drag, under their own states.
        FDragThreshold = Threshold < 0 ? QApplication::startDragDistance() : Threshold;
        DoStateChange({tsVCLDragPending});
        if (Immediately)
            RunOleDrag(FLastClickPos);
        return;
    }
    if (FStates.Contains(tsOLEDragPending) || FStates.Contains(tsOLEDragging))
        return;
    FDragThreshold = Threshold < 0 ? QApplication::startDragDistance() : Threshold;
    if (Immediately)
        RunOleDrag(FLastClickPos);
    else
        DoStateChange({tsOLEDragPending});
}

void TBaseLazyTree::DoStartDrag(QObject *&DragObject)
{
    if (OnStartDrag)
        OnStartDrag(this, DragObject);
}

void TBaseLazyTree::DoEndDrag(QObject *Target, int X, int Y)
{
    if (OnEndDrag)
        OnEndDrag(this, Target, X, Y);
}

void TBaseLazyTree::RunOleDrag(QPoint HotSpot)
{
    const bool vcl = FStates.Contains(tsVCLDragPending);
    if (IsEditing())
        CancelEditNode();
    if (FCurrentHotNode) {
        InvalidateNode(FCurrentHotNode);
        FCurrentHotNode = nullptr;
    }
    if (FFocusedNode && !FFocusedNode->Has(vsSelected)) {
        MergeNodeIntoSelection(FFocusedNode, false);
        InvalidateNode(FFocusedNode);
    }
    FDragSelection = GetSortedSelection(true);
    if (vcl)
        DoStateChange({tsVCLDragging}, {tsClearPending, tsEditPending, tsVCLDragPending});
    else
        DoStateChange({tsOLEDragging}, {tsClearPending, tsOLEDragPending});
    try {
        QObject *dragObject = nullptr;
        DoStartDrag(dragObject);
        if (dragObject && vcl)
            DoStateChange({tsUserDragObject});
        delete dragObject;
        // The object of a drag over this tree is not the tree's to free.
        const bool ownsData = !DragManager().IsDropTarget();
        QPointer<QMimeData> data = DragManager().DataObject();
        PrepareDragImage(HotSpot, data);
        FLastDropMode = TLTDropMode::dmOnNode;
        FLastDragEffect = DROPEFFECT_NONE;
        uint32_t allowed = 0;
        if (FDragOperations.Contains(TDragOperation::doCopy))
            allowed |= DROPEFFECT_COPY;
        if (FDragOperations.Contains(TDragOperation::doMove))
            allowed |= DROPEFFECT_MOVE;
        if (FDragOperations.Contains(TDragOperation::doLink))
            allowed |= DROPEFFECT_LINK;
        if (allowed == 0)
            allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        try {
            RunDragLoop(allowed, data, FLastDragEffect);
        } catch (...) {
            FLastDragEffect = DROPEFFECT_NONE;
        }
        // A loop that did not take the object leaves it to the tree.
        if (ownsData)
            delete data.data();
        DragManager().ForceDragLeave();
    } catch (...) {
        FDragSelection.clear();
        DoStateChange({}, {tsOLEDragging, tsVCLDragging});
        throw;
    }
    FDragSelection.clear();
    const QPoint cursor = viewport()->mapFromGlobal(GlobalCursorPos());
    DoEndDrag(this, cursor.x(), cursor.y());
    CompleteDrag();
    DragImage().EndDrag();
    if (FLastDragEffect == DROPEFFECT_MOVE && FOptions->AutoOptions().Contains(toAutoDeleteMovedNodes))
        DeleteSelectedNodes();
    DoStateChange({}, {tsOLEDragging, tsVCLDragging});
}

void TBaseLazyTree::RunDragLoop(uint32_t AllowedEffects, QMimeData *DataObject, uint32_t &Effect)
{
    auto *drag = new QDrag(this);
    drag->setMimeData(DataObject);
    const TLTDragImage &image = DragImage();
    if (image.Has(TLTDragImageState::disSystemSupport) && !image.SystemImage().isNull()) {
        drag->setPixmap(QPixmap::fromImage(image.SystemImage()));
        drag->setHotSpot(image.SystemHotSpot());
    }
    const Qt::DropAction preferred = ActionOf(AllowedEffects & DROPEFFECT_MOVE ? DROPEFFECT_MOVE : AllowedEffects);
    QPointer<QDrag> guard(drag);
    Effect = EffectsOf(drag->exec(Qt::DropActions(int(AllowedEffects)), preferred));
    // Qt deletes the drag later; the data object goes now, which tells the caller so.
    if (guard)
        guard->setMimeData(nullptr);
}

void TBaseLazyTree::CompleteDrag()
{
    if (!(FStates.Contains(tsOLEDragging) || FStates.Contains(tsVCLDragging) ||
          FStates.Contains(tsVCLDragPending) || FStates.Contains(tsVCLDragFinished)))
        return;
    DoStateChange({}, {tsUserDragObject, tsVCLDragging, tsVCLDragPending, tsVCLDragFinished});
    // The drag loop took the button release: the tree gets it now.
    const QPoint cursor = viewport()->mapFromGlobal(GlobalCursorPos());
    if (FStates.Contains(tsRightButtonDown))
        ButtonUp(Qt::RightButton, {}, cursor);
    else if (FStates.Contains(tsMiddleButtonDown))
        ButtonUp(Qt::MiddleButton, {}, cursor);
    else
        ButtonUp(Qt::LeftButton, {}, cursor);
}

// ---------------------------------------------------------------------------------------
// The drag image of the dragged rows

bool TBaseLazyTree::DragImageWanted()
{
    return FDragImageKind != TLTDragImageKind::diNoImage;
}

void TBaseLazyTree::PrepareDragImage(QPoint HotSpot, QMimeData *DataObject)
{
    if (!DragImageWanted())
        return;
    const QPoint h(HotSpot.x() + FEffectiveOffsetX, HotSpot.y() - FOffsetY);
    const QRect box(h.x() - FDragWidth / 2, h.y() - FDragHeight / 2, FDragWidth / 2 * 2,
                    FDragHeight / 2 * 2);
    // A box edge before the content's start paints from 0, shifted inside the picture.
    const QPoint shift(std::max(0, -box.left()), std::max(0, -box.top()));
    QImage picture(box.size(), QImage::Format_ARGB32);
    const TColor background = ColorToRGB(FColors->BackGroundColor());
    picture.fill(QColor(background & 0xFF, (background >> 8) & 0xFF, (background >> 16) & 0xFF));
    {
        TCanvas canvas(&picture);
        TLTInternalPaintOptions options{TLTInternalPaintOption::poDrawSelection,
                                        TLTInternalPaintOption::poSelectedOnly};
        if (FDragImageKind == TLTDragImageKind::diMainColumnOnly)
            options.Include(TLTInternalPaintOption::poMainOnly);
        const TRect window(box.left() + shift.x(), box.top() + shift.y(), box.left() + box.width(),
                           box.top() + box.height());
        if (window.Width() > 0 && window.Height() > 0)
            PaintTree(canvas, window, TPoint(shift.x(), shift.y()), options);
    }
    // Back to client and then screen coordinates.
    const QPoint imagePosition =
        viewport()->mapToGlobal(box.topLeft() - QPoint(FEffectiveOffsetX, -FOffsetY));
    TLTDragImage &image = DragImage();
    image.SetColorKey(FColors->BackGroundColor());
    image.PrepareDrag(picture, imagePosition, viewport()->mapToGlobal(HotSpot), DataObject);
}

void TBaseLazyTree::RefreshUnderDragImage(TBaseLazyTree *SourceTree, QRect R, bool ReshowImage,
                                          bool UpdateNCArea)
{
    R = R.intersected(viewport()->rect());
    if (R.isEmpty() || !SourceTree)
        return;
    TLTDragImage &image = SourceTree->DragImage();
    image.RecaptureBackground(this, R, QRegion(viewport()->rect()), UpdateNCArea, ReshowImage);
    const QRect imageRect = image.GetDragImageRect().translated(-viewport()->mapToGlobal(QPoint(0, 0)));
    viewport()->update(QRegion(R).subtracted(QRegion(imageRect)));
}

// ---------------------------------------------------------------------------------------
// The target side

uint32_t TBaseLazyTree::PreferredDropEffect(QObject *Source, TLTShiftState Shift,
                                            uint32_t AllowedEffects, QPoint)
{
    uint32_t deflt = Source == this ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
    if (!(AllowedEffects & deflt))
        deflt = AllowedEffects;
    auto pick = [&](uint32_t Wanted) { return AllowedEffects & Wanted ? Wanted : deflt; };
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    if (ctrl && shift)
        return pick(DROPEFFECT_LINK);
    if (ctrl)
        return pick(DROPEFFECT_COPY);
    if (shift)
        return pick(DROPEFFECT_MOVE);
    if (Shift.Contains(ssAlt))
        return pick(DROPEFFECT_LINK);
    return deflt;
}

TLTDropMode TBaseLazyTree::DropModeAt(QPoint Pt, const THitInfo &HitInfo, const TRect &NodeRect)
{
    const bool fullRow = HitInfo.HitPositions.Contains(hiOnItem) &&
                         (FOptions->MiscOptions().Contains(toFullRowDrag) ||
                          FOptions->SelectionOptions().Contains(toFullRowSelect));
    const THitPositions &hp = HitInfo.HitPositions;
    const bool onPart = hp.Contains(hiOnNormalIcon) || hp.Contains(hiOnStateIcon) || hp.Contains(hiOnItemLabel);
    PLazyNode node = HitInfo.HitNode;
    if (FOptions->MiscOptions().Contains(toReportMode) && !fullRow &&
        !(onPart && HitInfo.HitColumn == FHeader->MainColumn()))
        node = nullptr;
    if (!node)
        return TLTDropMode::dmNowhere;
    if (!onPart && FOptions->PaintOptions().Contains(toShowDropmark))
        return Pt.y() < (NodeRect.Top + NodeRect.Bottom) / 2 ? TLTDropMode::dmAbove : TLTDropMode::dmBelow;
    return TLTDropMode::dmOnNode;
}

bool TBaseLazyTree::DoDragOver(QObject *Source, TLTShiftState Shift, TDragState State, QPoint Pt,
                               TLTDropMode Mode, uint32_t &Effect)
{
    bool accept = false;
    if (OnDragOver)
        OnDragOver(this, Source, Shift, State, Pt, Mode, Effect, accept);
    return accept;
}

void TBaseLazyTree::DoDragDrop(QObject *Source, const QMimeData *DataObject,
                               const std::vector<uint16_t> &Formats, TLTShiftState Shift, QPoint Pt,
                               uint32_t &Effect, TLTDropMode Mode)
{
    if (OnDragDrop)
        OnDragDrop(this, Source, DataObject, Formats, Shift, Pt, Effect, Mode);
}

HRESULT TBaseLazyTree::DragEnterTree(uint32_t KeyState, QPoint Pt, uint32_t &Effect)
{
    try {
        FDragScrollStart = 0;
        const TLTShiftState shift = DragShiftState(KeyState);
        Pt = viewport()->mapFromGlobal(Pt);
        TBaseLazyTree *source = DragManager().DragSource();
        Effect = PreferredDropEffect(source, shift, Effect, Pt);
        if (DoDragOver(source, shift, TDragState::dsDragEnter, Pt, FLastDropMode, Effect)) {
            THitInfo hit;
            GetHitTestInfoAt(Pt.x(), Pt.y(), true, hit);
            if (hit.HitNode) {
                FDropTargetNode = hit.HitNode;
                const bool fullRow = FOptions->MiscOptions().Contains(toFullRowDrag) ||
                                     FOptions->SelectionOptions().Contains(toFullRowSelect);
                if (hit.HitPositions.Contains(hiOnItemLabel) || (fullRow && hit.HitPositions.Contains(hiOnItem))) {
                    FLastDropMode = TLTDropMode::dmOnNode;
                } else {
                    const TRect r = GetDisplayRect(hit.HitNode, FHeader->MainColumn(), false);
                    FLastDropMode = Pt.y() < (r.Top + r.Bottom) / 2 ? TLTDropMode::dmAbove : TLTDropMode::dmBelow;
                }
            } else {
                FLastDropMode = TLTDropMode::dmNowhere;
            }
        } else {
            Effect = DROPEFFECT_NONE;
        }
        if (!DragManager().DropTargetHelperSupported() && source)
            source->DragImage().ShowDragImage();
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT TBaseLazyTree::DragOverTree(QObject *Source, uint32_t KeyState, TDragState State, QPoint Pt,
                                    uint32_t &Effect)
{
    try {
        TBaseLazyTree *sourceTree = nullptr;
        TOffsetChangeParts parts{ocpRepaintHeader, ocpRepaintScrollBars, ocpScrollClient,
                                 ocpUpdateScrollBars};
        if (!DragManager().DropTargetHelperSupported())
            if ((sourceTree = qobject_cast<TBaseLazyTree *>(Source)))
                parts = {ocpUpdateScrollBars};
        const QPoint screenPt = Pt;
        Pt = viewport()->mapFromGlobal(Pt);
        FScrollDirections = ScrollDirectionsAt(Pt.x(), Pt.y());
        int dx = 0, dy = 0;
        using enum TLTScrollDirection;
        const int step = std::min(FScrollBarOptions->VerticalIncrement(), ClientHeight());
        if (FScrollDirections.Contains(sdUp)) {
            if (FOffsetY < 0)
                dy = step;
            else
                FScrollDirections.Exclude(sdUp);
        }
        if (FScrollDirections.Contains(sdDown)) {
            if (ClientHeight() - FOffsetY < int(FRangeY))
                dy = -step;
            else
                FScrollDirections.Exclude(sdDown);
        }
        if (FScrollDirections.Contains(sdLeft)) {
            if (FEffectiveOffsetX > 0)
                dx = FScrollBarOptions->HorizontalIncrement();
            else
                FScrollDirections.Exclude(sdLeft);
        }
        if (FScrollDirections.Contains(sdRight)) {
            if (FEffectiveOffsetX + ClientWidth() < int(FRangeX))
                dx = -FScrollBarOptions->HorizontalIncrement();
            else
                FScrollDirections.Exclude(sdRight);
        }
        bool scrolled = false;
        if (!FScrollDirections.Empty())
            scrolled = ApplyScrollOffset(QPoint(FOffsetX + dx, FOffsetY + dy), parts);

        const TLTShiftState shift = DragShiftState(KeyState);
        THitInfo hit;
        GetHitTestInfoAt(Pt.x(), Pt.y(), true, hit);
        const TRect nodeRect = hit.HitNode ? GetDisplayRect(hit.HitNode, NoColumn, false) : TRect();
        const TLTDropMode newMode = DropModeAt(Pt, hit, nodeRect);
        const bool imageWillMove = sourceTree && sourceTree->DragImage().WillMove(screenPt);
        auto repaint = [&](QRect A) {
            if (!sourceTree)
                viewport()->update(A);
            else
                RefreshUnderDragImage(sourceTree, scrolled ? viewport()->rect() : A, !imageWillMove,
                                      scrolled);
        };
        if (hit.HitNode != FDropTargetNode || newMode != FLastDropMode) {
            FLastDropMode = newMode;
            if (hit.HitNode == FDropTargetNode) {
                repaint(nodeRect.ToQRect());
            } else {
                KillTreeTimer(ExpandTimer);
                PLazyNode old = FDropTargetNode;
                FDropTargetNode = hit.HitNode;
                if (FFocusedColumn < 0)
                    FFocusedColumn = FHeader->MainColumn();
                const QRect oldRect = old ? GetDisplayRect(old, NoColumn, false).ToQRect() : QRect();
                if (old && FDropTargetNode)
                    repaint(oldRect.united(nodeRect.ToQRect()));
                else if (old)
                    repaint(oldRect);
                else
                    repaint(nodeRect.ToQRect());
                if (FOptions->AutoOptions().Contains(toAutoDropExpand) && FDropTargetNode &&
                    FDropTargetNode->Has(vsHasChildren))
                    SetTreeTimer(ExpandTimer, int(FAutoExpandDelay));
            }
        } else if (sourceTree && scrolled) {
            repaint(viewport()->rect());
        }
        if (sourceTree && imageWillMove)
            sourceTree->DragImage().DragTo(screenPt, false);
        Effect = PreferredDropEffect(Source, shift, Effect, Pt);
        if (!DoDragOver(Source, shift, State, Pt, FLastDropMode, Effect))
            Effect = DROPEFFECT_NONE;
        if (scrolled)
            Effect |= DROPEFFECT_SCROLL;
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

void TBaseLazyTree::DragLeaveTree()
{
    KillTreeTimer(ExpandTimer);
    if (!DragManager().DropTargetHelperSupported())
        if (TBaseLazyTree *source = DragManager().DragSource())
            source->DragImage().HideDragImage();
    if (FDropTargetNode) {
        InvalidateNode(FDropTargetNode);
        FDropTargetNode = nullptr;
    }
    uint32_t effect = DROPEFFECT_NONE;
    DoDragOver(nullptr, {}, TDragState::dsDragLeave, QPoint(0, 0), FLastDropMode, effect);
}

HRESULT TBaseLazyTree::DropOnTree(const QMimeData *DataObject, uint32_t KeyState, QPoint Pt,
                                  uint32_t &Effect)
{
    KillTreeTimer(ExpandTimer);
    KillTreeTimer(ScrollTimer);
    DoStateChange({}, {tsScrolling, tsScrollPending});
    HRESULT result = S_OK;
    TBaseLazyTree *source = DragManager().DragSource();
    try {
        result = DragOverTree(source, KeyState, TDragState::dsDragMove, Pt, Effect);
        if (result != S_OK || Effect == DROPEFFECT_SCROLL) {
            result = E_FAIL;
        } else {
            TLTShiftState shift = DragShiftState(KeyState);
            shift.Exclude(ssLeft);
            shift.Exclude(ssMiddle);
            shift.Exclude(ssRight);
            if (FStates.Contains(tsRightButtonDown))
                shift.Include(ssRight);
            else if (FStates.Contains(tsMiddleButtonDown))
                shift.Include(ssMiddle);
            else
                shift.Include(ssLeft);
            Pt = viewport()->mapFromGlobal(Pt);
            std::vector<uint16_t> formats;
            bool enumerated = true;
            if (const auto *own = dynamic_cast<const TLTDataObject *>(DataObject)) {
                std::unique_ptr<TEnumFormatEtc> walk;
                enumerated = own->EnumFormatEtc(DATADIR_GET, walk) == S_OK;
                std::vector<TFormatEtc> one;
                while (enumerated && walk->Next(1, one, nullptr) == S_OK)
                    formats.push_back(one.front().cfFormat);
            } else if (DataObject) {
                for (const QString &mime : DataObject->formats())
                    if (const uint16_t f = ClipboardFormatOfMimeType(mime))
                        formats.push_back(f);
            }
            if (enumerated) {
                try {
                    DoDragDrop(source, DataObject, formats, shift, Pt, Effect, FLastDropMode);
                } catch (const std::exception &e) {
                    TApplication::ShowException(QString::fromUtf8(e.what()));
                    result = E_UNEXPECTED;
                }
            }
        }
    } catch (...) {
        result = E_UNEXPECTED;
    }
    if (FDropTargetNode) {
        InvalidateNode(FDropTargetNode);
        FDropTargetNode = nullptr;
    }
    return result;
}

void TBaseLazyTree::ExpandDropTarget()
{
    KillTreeTimer(ExpandTimer);
    if (!FDropTargetNode || !FDropTargetNode->Has(vsHasChildren) || FDropTargetNode->Has(vsExpanded))
        return;
    TBaseLazyTree *source = FDragManager ? FDragManager->DragSource() : nullptr;
    const bool ownImage = source && FDragManager && !FDragManager->DropTargetHelperSupported();
    if (ownImage)
        source->DragImage().HideDragImage();
    ToggleNode(FDropTargetNode);
    viewport()->repaint();
    if (ownImage)
        source->DragImage().ShowDragImage();
}

bool TBaseLazyTree::ProcessDrop(const QMimeData *DataObject, PLazyNode TargetNode, uint32_t &Effect,
                                TLTNodeAttachMode Mode)
{
    if (Mode == TLTNodeAttachMode::amNoWhere) {
        Effect = DROPEFFECT_NONE;
        return false;
    }
    TBaseLazyTree *source = SourceTreeOf(DataObject);
    bool result = false;
    BeginUpdate();
    if (source && source != this)
        source->BeginUpdate();
    try {
        if ((Effect & DROPEFFECT_MOVE) && source) {
            result = ProcessOLEData(source, DataObject, TargetNode, Mode, !(Effect & DROPEFFECT_COPY));
            Effect = DROPEFFECT_NONE;
        } else if (Effect & (DROPEFFECT_COPY | DROPEFFECT_MOVE)) {
            result = ProcessOLEData(source, DataObject, TargetNode, Mode, false);
        }
    } catch (...) {
        Effect = DROPEFFECT_NONE;
        result = false;
    }
    if (source && source != this)
        source->EndUpdate();
    EndUpdate();
    return result;
}

// ---------------------------------------------------------------------------------------
// Qt's drag events, as the platform would call the drop target

void TBaseLazyTree::dragEnterEvent(QDragEnterEvent *Event)
{
    uint32_t effect = EffectsOf(Event->possibleActions());
    DragManager().DragEnter(Event->mimeData(), KeyStateOf(Event->modifiers(), Event->buttons()),
                            viewport()->mapToGlobal(Event->position().toPoint()), effect);
    // A drag that is refused here may still be taken further on: Qt needs the enter accepted.
    Event->setDropAction(ActionOf(effect));
    Event->accept();
}

void TBaseLazyTree::dragMoveEvent(QDragMoveEvent *Event)
{
    uint32_t effect = EffectsOf(Event->possibleActions());
    DragManager().DragOver(KeyStateOf(Event->modifiers(), Event->buttons()),
                           viewport()->mapToGlobal(Event->position().toPoint()), effect);
    const Qt::DropAction action = ActionOf(effect);
    Event->setDropAction(action);
    if (action == Qt::IgnoreAction)
        Event->ignore();
    else
        Event->accept();
}

void TBaseLazyTree::dragLeaveEvent(QDragLeaveEvent *Event)
{
    DragManager().DragLeave();
    Event->accept();
}

void TBaseLazyTree::dropEvent(QDropEvent *Event)
{
    uint32_t effect = EffectsOf(Event->possibleActions());
    const HRESULT result =
        DragManager().Drop(Event->mimeData(), KeyStateOf(Event->modifiers(), Event->buttons()),
                           viewport()->mapToGlobal(Event->position().toPoint()), effect);
    Event->setDropAction(result == S_OK ? ActionOf(effect) : Qt::IgnoreAction);
    Event->accept();
}
