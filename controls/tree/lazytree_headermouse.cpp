// The header's mouse: hot and pressed columns, clicks and click-to-sort, width and height
// tracking by splitter, double-click sizing, dragging columns to new places and the column
// check box. The header has no widget of its own; the tree hands it every message first.
#include "controls/tree/lazytree.h"
#include "controls/tree/lazytreedragimage.h"
#include "controls/tree/lazytreeheaderpaint.h"
#include "controls/tree/lazytreeheaderpopup.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <cmath>

using enum THeaderState;
using enum TLTHeaderOption;
using enum TLTColumnOption;
using enum TLTHeaderHitPosition;
using enum TLazyTreeState;
using Kind = TLTHeader::TMessageKind;

namespace {

constexpr int EditTimer = 2;
constexpr int ScrollTimer = 4;
const THeaderStates TrackingStates{hsColumnWidthTrackPending, hsColumnWidthTracking,
                                   hsHeightTrackPending, hsHeightTracking};
const THeaderStates DragStates{hsDragPending, hsDragging};

bool AnyMouseState(THeaderStates States)
{
    return !(States * (TrackingStates + DragStates)).Empty();
}

}   // namespace

void TBaseLazyTree::UpdateColumnCheckState(TLazyTreeColumn &Column)
{
    Column.SetCheckState(NextCheckState(Column.CheckType(), Column.CheckState()));
}

// ---------------------------------------------------------------------------------------
// Splitters

bool TLTHeader::CanResizeColumnAt(QPoint P, TColumnIndex Column)
{
    const TLTColumnOptions o = (*FColumns)[Column].Options();
    if (!o.Contains(coVisible) || !o.Contains(coResizable))
        return false;
    bool allowed = true;
    if (FOwner.OnCanSplitterResizeColumn)
        FOwner.OnCanSplitterResizeColumn(this, P, Column, allowed);
    return allowed;
}

bool TLTHeader::FindSplitterColumn(QPoint P)
{
    TLazyTreeColumns &columns = *FColumns;
    if (columns.Count() == 0)
        return false;
    columns.FTrackIndex = NoColumn;
    const int z = SplitterHitTolerance;
    const int a = int(std::lround(0.6 * z));
    const int b = z - a;
    const int fixedWidth = columns.GetVisibleFixedWidth();
    const int offset = FOwner.EffectiveOffsetX();
    const auto &map = columns.FPositionToIndex;
    if (!FOwner.UseRightToLeftReading()) {
        int split = int(FOwner.RangeX()) - offset;
        for (auto it = map.rbegin(); it != map.rend(); ++it) {
            TLazyTreeColumn &c = columns[*it];
            if (!c.Options().Contains(coVisible))
                continue;
            const bool fixed = c.Options().Contains(coFixed);
            const int s = fixed ? split + offset : split;
            const bool hit = s - b < P.x() && P.x() < s + a && (fixed || P.x() > fixedWidth);
            if (hit && CanResizeColumnAt(P, *it)) {
                columns.FTrackIndex = *it;
                FTrackPoint = QPoint(split - c.Width() + (fixed ? offset : 0), P.y());
                return true;
            }
            split -= c.Width();
        }
    } else {
        int split = -offset;
        if (int(FOwner.RangeX()) < FOwner.ClientWidth())
            split += FOwner.ClientWidth() - int(FOwner.RangeX());
        for (TColumnIndex index : map) {
            TLazyTreeColumn &c = columns[index];
            if (!c.Options().Contains(coVisible))
                continue;
            const bool fixed = c.Options().Contains(coFixed);
            const int s = fixed ? split + offset : split;
            const bool hit = s - a < P.x() && P.x() < s + b && (fixed || P.x() > fixedWidth);
            if (hit && CanResizeColumnAt(P, index)) {
                columns.FTrackIndex = index;
                FTrackPoint = QPoint(split + c.Width() + (fixed ? offset : 0), P.y());
                return true;
            }
            split += c.Width();
        }
    }
    return false;
}

// A column splitter that can be dragged: in the header, or below it the edge of the fixed
// area, which reaches over the whole tree.
bool TLTHeader::OnColumnSplitter(QPoint P)
{
    if (!FOptions.Contains(hoColumnResize) || !FindSplitterColumn(P))
        return false;
    if (InHeader(P))
        return true;
    TLazyTreeColumns &columns = *FColumns;
    const TColumnIndex tracked = columns.FTrackIndex;
    if (!columns[tracked].Options().Contains(coFixed))
        return false;
    const TColumnIndex next = columns.GetNextVisibleColumn(tracked);
    return next > NoColumn && !columns[next].Options().Contains(coFixed) && P.y() <= int(FOwner.RangeY());
}

bool TLTHeader::OnHeightSplitter(QPoint P)
{
    if (!InHeaderSplitterArea(P) || !FOptions.Contains(hoHeightResize))
        return false;
    bool allowed = true;
    FireCanSplitterResizeHeader(P, allowed);
    return allowed;
}

// ---------------------------------------------------------------------------------------
// Messages

void TLTHeader::FireMouse(bool Down, Qt::MouseButton Button, const TMessage &Message, QPoint P)
{
    const auto &handler = Down ? FOwner.OnHeaderMouseDown : FOwner.OnHeaderMouseUp;
    if (handler)
        handler(this, Button, TBaseLazyTree::ShiftStateOf(Message.Modifiers), P.x(), P.y());
}

bool TLTHeader::ProcessMessage(TMessage &Message)
{
    // Without columns and without a visible header nothing here concerns the header.
    if (!FOptions.Contains(hoVisible) && !UseColumns() && !AnyMouseState(FStates))
        return false;
    const QPoint p = Message.Pos;
    const int h = FHeight;
    switch (Message.Kind) {
    case Kind::KillFocus:
    case Kind::Escape:
        if (!AnyMouseState(FStates))
            return false;
        CancelTracking(Message);
        return true;
    case Kind::SetCursor:
        if (AnyMouseState(FStates)) {
            Message.Result = 1;
            return true;
        }
        SetCursorFor(Message);
        return Message.Result == 1;
    case Kind::NCMouseMove:
        HoverMove(Message);
        return false;
    case Kind::NCLButtonDown:
    case Kind::LButtonDown:
        return Press(Message);
    case Kind::NCLButtonUp:
    case Kind::LButtonUp:
        return Release(Message);
    case Kind::NCRButtonDown:
    case Kind::NCMButtonDown:
        if (InHeader(p))
            FireMouse(true, Message.Kind == Kind::NCRButtonDown ? Qt::RightButton : Qt::MiddleButton,
                      Message, QPoint(p.x(), p.y() + h));
        return false;
    case Kind::NCRButtonUp:
        RightRelease(Message);
        return Message.Result == 1;
    case Kind::NCMButtonUp:
        if (InHeader(p)) {
            FColumns->ProcessHeaderClick(p, Qt::MiddleButton, true, false);
            FireMouse(false, Qt::MiddleButton, Message, QPoint(p.x(), p.y() + h));
            FColumns->FDownIndex = NoColumn;
            FColumns->FCheckBoxHit = false;
        }
        return false;
    case Kind::NCLButtonDblClk:
    case Kind::NCRButtonDblClk:
    case Kind::NCMButtonDblClk:
    case Kind::LButtonDblClk:
        return DoubleClick(Message);
    case Kind::Timer:
        return Message.TimerId == HeaderTimer && MouseWatch();
    case Kind::MouseMove:
        return TrackMove(Message);
    }
    return false;
}

void TLTHeader::CancelTracking(TMessage &Message)
{
    Message.Result = 0;
    if (FStates.Contains(hsDragging)) {
        DragImage().EndDrag();
        FStates.Exclude(hsDragging);
        FColumns->FDropTarget = NoColumn;
        Invalidate();
        return;
    }
    const bool width = FStates.Contains(hsColumnWidthTracking) || FStates.Contains(hsColumnWidthTrackPending);
    const bool height = FStates.Contains(hsHeightTracking) || FStates.Contains(hsHeightTrackPending);
    FStates = FStates - TrackingStates - THeaderStates{hsDragPending};
    if (width && FOwner.OnAfterColumnWidthTracking)
        FOwner.OnAfterColumnWidthTracking(this, FColumns->FTrackIndex);
    else if (height && FOwner.OnAfterHeaderHeightTracking)
        FOwner.OnAfterHeaderHeightTracking(this);
}

void TLTHeader::SetCursorFor(TMessage &Message)
{
    const QPoint p = Message.Pos;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    if (OnHeightSplitter(p))
        cursor = Qt::SplitVCursor;
    else if (OnColumnSplitter(p))
        cursor = Qt::SplitHCursor;
    if (FOwner.OnGetHeaderCursor)
        FOwner.OnGetHeaderCursor(this, cursor);
    Message.Cursor = cursor;
    Message.Result = cursor != Qt::ArrowCursor ? 1 : 0;
}

void TLTHeader::HoverMove(TMessage &Message)
{
    const QPoint p = Message.Pos;
    if (FOwner.OnHeaderMouseMove)
        FOwner.OnHeaderMouseMove(this, TBaseLazyTree::ShiftStateOf(Message.Modifiers), p.x(), p.y() + FHeight);
    if (!InHeader(p))
        return;
    TLazyTreeColumns &columns = *FColumns;
    const TColumnIndex old = columns.FHoverIndex;
    TColumnIndex hover = columns.ColumnFromPosition(QPoint(p.x(), p.y() + FHeight));
    if (hover == InvalidColumn)
        hover = NoColumn;
    const bool changed = hover != old;
    if (changed) {
        columns.FHoverIndex = hover;
        Invalidate(old);
        Invalidate(hover);
    }
    if (changed || (columns.FDownIndex > NoColumn && columns.FDownIndex != hover)) {
        FOwner.SetTreeTimer(HeaderTimer, 50);
        if (FOptions.Contains(hoShowHint))
            FOwner.HintMouseMove(p);
    }
}

bool TLTHeader::MouseWatch()
{
    TLazyTreeColumns &columns = *FColumns;
    const QPoint p = FOwner.viewport()->mapFromGlobal(FOwner.GlobalCursorPos());
    if (InHeader(p) && !(columns.FDownIndex > NoColumn && columns.FDownIndex != columns.FHoverIndex))
        return false;
    FOwner.KillTreeTimer(HeaderTimer);
    columns.FHoverIndex = columns.FClickIndex = columns.FDownIndex = NoColumn;
    columns.FCheckBoxHit = false;
    Invalidate();
    return true;
}

bool TLTHeader::Press(TMessage &Message)
{
    FOwner.CancelHint();
    FOwner.KillTreeTimer(ScrollTimer);
    FOwner.KillTreeTimer(EditTimer);
    FOwner.DoStateChange({}, {tsScrolling, tsScrollPending, tsEditPending});
    const QPoint p = Message.Pos;
    if (Message.Kind == Kind::NCLButtonDown)
        FDragStart = FOwner.viewport()->mapToGlobal(p);
    TLazyTreeColumns &columns = *FColumns;
    const TLTShiftState shift = TBaseLazyTree::ShiftStateOf(Message.Modifiers);
    const bool height = OnHeightSplitter(p);
    if (height || OnColumnSplitter(p)) {
        FTrackStart = p;
        columns.FHoverIndex = NoColumn;
        if (height) {
            if (FOwner.OnBeforeHeaderHeightTracking)
                FOwner.OnBeforeHeaderHeightTracking(this, shift);
            FStates.Include(hsHeightTrackPending);
        } else {
            if (FOwner.OnBeforeColumnWidthTracking)
                FOwner.OnBeforeColumnWidthTracking(this, columns.FTrackIndex, shift);
            FStates.Include(hsColumnWidthTrackPending);
        }
        Message.Result = 0;
        return true;
    }
    if (!InHeader(p))
        return false;
    const QPoint hp(p.x(), p.y() + FHeight);
    const TColumnIndex column = columns.ColumnFromPosition(hp);
    if (columns.IsValidColumn(column)) {
        const TLazyTreeColumn &c = columns[column];
        if (c.Options().Contains(coAllowClick) && c.Options().Contains(coEnabled)) {
            const TColumnIndex old = columns.FDownIndex;
            columns.FDownIndex = column;
            columns.FCheckBoxHit = c.HasImage && c.CheckBox() && FOwner.HeaderImageRect(c).contains(hp);
            Invalidate(old);
            Invalidate(column);
        }
        if (FOptions.Contains(hoDrag) && c.Options().Contains(coDraggable)) {
            FStates.Include(hsDragPending);
            Message.Result = 0;
            return true;
        }
    }
    FireMouse(true, Qt::LeftButton, Message, hp);
    return false;
}

bool TLTHeader::TrackMove(TMessage &Message)
{
    TLazyTreeColumns &columns = *FColumns;
    const QPoint p = Message.Pos;
    const TLTShiftState shift = TBaseLazyTree::ShiftStateOf(Message.Modifiers);
    Message.Result = 0;
    if (FStates.Contains(hsColumnWidthTrackPending)) {
        FOwner.KillTreeTimer(HeaderTimer);
        FStates = FStates - THeaderStates{hsColumnWidthTrackPending} + THeaderStates{hsColumnWidthTracking};
        return true;
    }
    if (FStates.Contains(hsHeightTrackPending)) {
        FOwner.KillTreeTimer(HeaderTimer);
        FStates = FStates - THeaderStates{hsHeightTrackPending} + THeaderStates{hsHeightTracking};
        return true;
    }
    if (FStates.Contains(hsColumnWidthTracking)) {
        const TColumnIndex index = columns.FTrackIndex;
        bool allowed = true;
        if (FOwner.OnColumnWidthTracking)
            FOwner.OnColumnWidthTracking(this, index, shift, FTrackPoint, p, allowed);
        if (allowed && columns.IsValidColumn(index)) {
            const bool rtl = FOwner.UseRightToLeftReading();
            const int width = rtl ? FTrackPoint.x() - p.x() : p.x() - FTrackPoint.x();
            const TColumnIndex neighbour =
                rtl ? columns.GetPreviousVisibleColumn(index) : columns.GetNextVisibleColumn(index);
            TLazyTreeColumn &c = columns[index];
            if (FOptions.Contains(hoAutoResize) && index == FAutoSizeIndex && neighbour > NoColumn &&
                columns[neighbour].Options().Contains(coResizable) && c.MinWidth() < width &&
                width < c.MaxWidth()) {
                TLazyTreeColumn &n = columns[neighbour];
                n.SetWidth(n.Width() + c.Width() - width);
            } else {
                c.SetWidth(width);
            }
        }
        return true;
    }
    if (FStates.Contains(hsHeightTracking)) {
        QPoint tracked = p;
        bool allowed = true;
        if (FOwner.OnHeaderHeightTracking)
            FOwner.OnHeaderHeightTracking(this, tracked, shift, allowed);
        if (allowed)
            SetHeight(FHeight + tracked.y());
        return true;
    }
    if (FStates.Contains(hsDragPending)) {
        const QPoint s = FOwner.viewport()->mapToGlobal(p);
        if (!FOptions.Contains(hoDrag))
            return true;
        const TColumnIndex pressed = columns.FDownIndex;
        bool allowed = true;
        if (FOwner.OnHeaderDragging)
            FOwner.OnHeaderDragging(this, pressed, allowed);
        const int threshold = QApplication::startDragDistance();
        if (!allowed || (std::abs(s.x() - FDragStart.x()) <= threshold &&
                         std::abs(s.y() - FDragStart.y()) <= threshold))
            return true;
        FOwner.KillTreeTimer(HeaderTimer);
        columns.FDownIndex = NoColumn;
        Invalidate(pressed);
        columns.FHoverIndex = NoColumn;
        StartColumnDrag(s);
        FStates = FStates - THeaderStates{hsDragPending} + THeaderStates{hsDragging};
        return true;
    }
    if (FStates.Contains(hsDragging)) {
        MoveColumnDrag(FOwner.viewport()->mapToGlobal(p));
        return true;
    }
    return false;
}

TLTDragImage &TLTHeader::DragImage()
{
    if (!FDragImage)
        FDragImage = std::make_shared<TLTDragImage>(&FOwner);
    return *FDragImage;
}

void TLTHeader::StartColumnDrag(QPoint HotSpot)
{
    TLazyTreeColumns &columns = *FColumns;
    columns.FDropTarget = NoColumn;
    const QPoint start = FOwner.viewport()->mapFromGlobal(FDragStart);
    columns.FDragIndex = columns.ColumnFromPosition(QPoint(start.x(), start.y() + FHeight));
    if (!columns.IsValidColumn(columns.FDragIndex))
        return;
    TLazyTreeColumn &column = columns[columns.FDragIndex];
    const int offset = FOwner.UseRightToLeftReading() ? FOwner.RightToLeftShift(false) : 0;
    int left = 0, right = 0;
    column.GetUnscrolledBounds(left, right);
    QImage picture(std::max(right - left, 1), std::max(FHeight, 1), QImage::Format_ARGB32);
    picture.fill(ToQColor(clBtnFace));
    {
        TCanvas canvas(&picture);
        TLTHeaderPainter(*this).PaintHeader(canvas, TRect(left, 0, right, FHeight), TPoint(-offset, 0),
                                            offset);
    }
    // The column as it lies on screen: scrolled with the content unless it is fixed.
    const int scroll = column.Options().Contains(TLTColumnOption::coFixed) ? 0 : FOwner.EffectiveOffsetX();
    const QPoint position = FOwner.viewport()->mapToGlobal(QPoint(left + offset - scroll, -FHeight));
    TLTDragImage &image = DragImage();
    image.SetMoveRestriction(FOptions.Contains(hoRestrictDrag) ? TLTDragMoveRestriction::dmrHorizontalOnly
                                                               : TLTDragMoveRestriction::dmrNone);
    image.PrepareDrag(picture, position, HotSpot, nullptr);
    image.ShowDragImage();
}

void TLTHeader::MoveColumnDrag(QPoint S)
{
    TLazyTreeColumns &columns = *FColumns;
    const QPoint client = FOwner.viewport()->mapFromGlobal(S);
    const TColumnIndex candidate = columns.ColumnFromPosition(QPoint(client.x(), client.y() + FHeight));
    const bool valid = columns.IsValidColumn(candidate);
    bool repaint = valid && candidate != columns.FDropTarget;
    if (valid) {
        int left = 0, right = 0;
        columns.GetColumnBounds(candidate, left, right);
        const bool before = client.x() < (left + right) / 2;
        if (before != columns.FDropBefore) {
            columns.FDropBefore = before;
            repaint = true;
        }
    }
    if (repaint) {
        Invalidate(columns.FDropTarget);
        columns.FDropTarget = NoColumn;
        if (valid) {
            columns.FDropTarget = candidate;
            Invalidate(candidate);
        }
    }    DragImage().DragTo(S, repaint);
}

bool TLTHeader::Release(TMessage &Message)
{
    FOwner.CancelHint();
    TLazyTreeColumns &columns = *FColumns;
    const QPoint p = Message.Pos;
    const bool hadState = AnyMouseState(FStates);
    if (hadState && FStates.Contains(hsDragging)) {
        DragImage().EndDrag();
        const TColumnIndex dragged = columns.FDragIndex;
        const TColumnIndex target = columns.FDropTarget;
        const QPoint s = FOwner.viewport()->mapToGlobal(p);
        const bool inside = FOwner.rect().contains(FOwner.mapFromGlobal(s));
        if (columns.IsValidColumn(dragged)) {
            if (columns.IsValidColumn(target) && target != dragged && inside) {
                TLazyTreeColumn &c = columns[dragged];
                const int old = int(c.Position());
                const int t = int(columns[target].Position());
                const bool leftOf = old < t;
                const int position = columns.FDropBefore ? (leftOf ? t - 1 : t) : (leftOf ? t : t + 1);
                c.SetPosition(TColumnPosition(position));
                if (FOwner.OnHeaderDragged)
                    FOwner.OnHeaderDragged(this, dragged, old);
            } else if (FOwner.OnHeaderDraggedOut) {
                FOwner.OnHeaderDraggedOut(this, dragged, s);
            }
        }
        columns.FDropTarget = NoColumn;
        columns.FDragIndex = NoColumn;
        Invalidate();
    }
    if (Message.Kind == Kind::NCLButtonUp) {
        columns.ProcessHeaderClick(p, Qt::LeftButton, false, false);
        FireMouse(false, Qt::LeftButton, Message, QPoint(p.x(), p.y() + FHeight));
    } else {
        if (columns.FDownIndex > NoColumn)
            columns.ProcessHeaderClick(p, Qt::LeftButton, false, false);
        if (hadState && FOwner.OnHeaderMouseUp)
            FOwner.OnHeaderMouseUp(this, Qt::LeftButton, TBaseLazyTree::ShiftStateOf(Message.Modifiers),
                                   p.x(), p.y());
    }
    if (columns.FTrackIndex > NoColumn) {
        if (FStates.Contains(hsColumnWidthTracking) && FOwner.OnAfterColumnWidthTracking)
            FOwner.OnAfterColumnWidthTracking(this, columns.FTrackIndex);
        Invalidate(columns.FTrackIndex);
        columns.FTrackIndex = NoColumn;
    }
    if (columns.FDownIndex > NoColumn) {
        Invalidate(columns.FDownIndex);
        columns.FDownIndex = NoColumn;
    }
    if (FStates.Contains(hsHeightTracking) && FOwner.OnAfterHeaderHeightTracking)
        FOwner.OnAfterHeaderHeightTracking(this);
    FStates = FStates - TrackingStates - DragStates;
    Message.Result = 0;
    return hadState;
}

void TLTHeader::RightRelease(TMessage &Message)
{
    FOwner.CancelHint();
    const QPoint p = Message.Pos;
    if (!InHeader(p))
        return;
    TLazyTreeColumns &columns = *FColumns;
    const QPoint hp(p.x(), p.y() + FHeight);
    columns.ProcessHeaderClick(p, Qt::RightButton, true, false);
    FireMouse(false, Qt::RightButton, Message, hp);
    columns.FDownIndex = columns.FTrackIndex = NoColumn;
    columns.FCheckBoxHit = false;
    QMenu *menu = PopupMenu;
    if (!menu)
        menu = FireGetPopupMenu(columns.ColumnFromPosition(hp), hp);
    if (!menu)
        return;
    FOwner.KillTreeTimer(ScrollTimer);
    FOwner.KillTreeTimer(HeaderTimer);
    columns.FHoverIndex = NoColumn;
    FOwner.DoStateChange({}, {tsScrolling, tsScrollPending});
    menu->setProperty("PopupComponent", QVariant::fromValue<QObject *>(&FOwner));
    menu->popup(FOwner.viewport()->mapToGlobal(p));
    Message.Result = 1;
}

bool TLTHeader::DoubleClick(TMessage &Message)
{
    const QPoint p = Message.Pos;
    const TLTShiftState shift = TBaseLazyTree::ShiftStateOf(Message.Modifiers);
    TLazyTreeColumns &columns = *FColumns;
    if (FOptions.Contains(hoHeightDblClickResize) && InHeaderSplitterArea(p) && FDefaultHeight > 0) {
        QPoint at = p;
        bool allowed = true;
        if (FOwner.OnHeaderHeightDblClickResize)
            FOwner.OnHeaderHeightDblClickResize(this, at, shift, allowed);
        if (allowed)
            SetHeight(FDefaultHeight);
        Message.Result = 0;
        return true;
    }
    if ((Message.Kind == Kind::NCLButtonDblClk || Message.Kind == Kind::LButtonDblClk) &&
        OnColumnSplitter(p) && FOptions.Contains(hoDblClickResize) && columns.IsValidColumn(columns.FTrackIndex)) {
        bool allowed = true;
        if (FOwner.OnColumnWidthDblClickResize)
            FOwner.OnColumnWidthDblClickResize(this, columns.FTrackIndex, shift, p, allowed);
        if (allowed) {
            const int position = int(columns[columns.FTrackIndex].Position());
            AutoFitColumns(true, TSmartAutoFitType::smaUseColumnOption, position, position);
        }
        Message.Result = 0;
        return true;
    }
    if (InHeader(p) && Message.Kind != Kind::LButtonDblClk) {
        Qt::MouseButton button = Qt::LeftButton;
        if (Message.Kind == Kind::NCRButtonDblClk)
            button = Qt::RightButton;
        else if (Message.Kind == Kind::NCMButtonDblClk)
            button = Qt::MiddleButton;
        if (button == Qt::LeftButton) {
            const TColumnIndex column = columns.ColumnFromPosition(QPoint(p.x(), p.y() + FHeight));
            columns.FDownIndex = columns.IsValidColumn(column) ? column : NoColumn;
        }
        columns.ProcessHeaderClick(p, button, true, true);
    }
    return false;
}

// ---------------------------------------------------------------------------------------
// Clicks

void TLazyTreeColumns::ProcessHeaderClick(QPoint P, Qt::MouseButton Button, bool Force, bool DblClick)
{
    TBaseLazyTree &tree = Tree();
    const QPoint h(P.x(), P.y() + FHeader.Height());
    const TColumnIndex column = ColumnFromPosition(h);
    TLTHeaderHitInfo info;
    info.X = h.x();
    info.Y = h.y();
    info.Button = Button;
    info.Shift = TBaseLazyTree::ShiftStateOf(QGuiApplication::keyboardModifiers());
    if (DblClick)
        info.Shift.Include(TLTShiftStateItem::ssDouble);
    if (IsValidColumn(column) && (*this)[column].Options().Contains(coAllowClick) &&
        (Force || column == FDownIndex)) {
        TLazyTreeColumn &c = (*this)[column];
        FClickIndex = column;
        info.Column = column;
        info.HitPosition = {hhiOnColumn};
        if (c.HasImage && tree.HeaderImageRect(c).contains(h)) {
            info.HitPosition.Include(hhiOnIcon);
            if (c.CheckBox()) {
                info.HitPosition.Include(hhiOnCheckbox);
                if (Button == Qt::LeftButton)
                    tree.UpdateColumnCheckState(c);
            }
        }
    } else {
        FClickIndex = NoColumn;
        info.HitPosition = {hhiNoWhere};
    }
    const bool onColumn = !info.HitPosition.Contains(hhiNoWhere);
    if (DblClick) {
        if (tree.OnHeaderDblClick)
            tree.OnHeaderDblClick(&FHeader, info);
    } else {
        const TLTHeaderOptions options = FHeader.Options();
        if (options.Contains(hoHeaderClickAutoSort) && Button == Qt::LeftButton &&
            !info.HitPosition.Contains(hhiOnCheckbox) && onColumn) {
            if (FHeader.SortColumn() == column)
                FHeader.SetSortDirection(FHeader.SortDirection() == TLTSortDirection::sdAscending
                                             ? TLTSortDirection::sdDescending
                                             : TLTSortDirection::sdAscending);
            else {
                FHeader.SetSortColumn(column);
                FHeader.SetSortDirection((*this)[column].DefaultSortDirection);
            }
        }
        if (Button == Qt::RightButton && options.Contains(hoAutoColumnPopupMenu)) {
            delete FHeader.FAutoPopupMenu;
            auto *menu = new TLTHeaderPopupMenu(&tree);
            FHeader.FAutoPopupMenu = menu;
            menu->OnColumnChange = [&tree](TBaseLazyTree *, TColumnIndex Column, bool Visible) {
                if (tree.OnColumnVisibilityChanged)
                    tree.OnColumnVisibilityChanged(&tree, Column, Visible);
            };
            menu->SetPopupComponent(&tree);
            TLTHeaderPopupOptions popup = menu->Options();
            popup.Set(TLTHeaderPopupOption::poResizeToFitItem,
                      options.Contains(hoDblClickResize) && tree.RootNodeCount() > 0);
            menu->SetOptions(popup);
            menu->Popup(tree.viewport()->mapToGlobal(h));
        }
        if (tree.OnHeaderClick)
            tree.OnHeaderClick(&FHeader, info);
    }
    if (onColumn)
        FHeader.Invalidate(column);
}

// ---------------------------------------------------------------------------------------
// What the tree hands over

QRect TBaseLazyTree::HeaderImageRect(const TLazyTreeColumn &Column) const
{
    return Column.ImageRect.translated(-viewport()->x(), -FHeaderRect.top());
}

bool TBaseLazyTree::HeaderMessage(QEvent *Event, bool Client)
{
    TLTHeader::TMessage m{Kind::KillFocus, {}};
    const bool busy = AnyMouseState(FHeader->States());
    switch (Event->type()) {
    case QEvent::FocusOut:
        FHeader->ProcessMessage(m);
        return false;   // the tree still sees its focus loss
    case QEvent::KeyPress: {
        if (static_cast<QKeyEvent *>(Event)->key() != Qt::Key_Escape || Client)
            return false;
        m.Kind = Kind::Escape;
        return FHeader->ProcessMessage(m);
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        break;
    case QEvent::ToolTip:
        // The band's own resting mouse: the hint request of the header.
        if (Client)
            return false;
        ShowHintAt(static_cast<QHelpEvent *>(Event)->pos() - viewport()->pos());
        return true;
    default:
        return false;
    }
    auto *e = static_cast<QMouseEvent *>(Event);
    m.Pos = e->position().toPoint();
    if (!Client)
        m.Pos -= viewport()->pos();
    m.Modifiers = e->modifiers();
    const Qt::MouseButton b = e->button();
    auto pick = [&](Kind Left, Kind Right, Kind Middle) {
        return b == Qt::LeftButton ? Left : b == Qt::RightButton ? Right : Middle;
    };
    switch (Event->type()) {
    case QEvent::MouseButtonPress:
        if (Client && b != Qt::LeftButton)
            return false;
        m.Kind = Client ? Kind::LButtonDown : pick(Kind::NCLButtonDown, Kind::NCRButtonDown, Kind::NCMButtonDown);
        break;
    case QEvent::MouseButtonRelease:
        if (Client && b != Qt::LeftButton)
            return false;
        m.Kind = Client ? Kind::LButtonUp : pick(Kind::NCLButtonUp, Kind::NCRButtonUp, Kind::NCMButtonUp);
        break;
    case QEvent::MouseButtonDblClick:
        if (Client && b != Qt::LeftButton)
            return false;
        m.Kind = Client ? Kind::LButtonDblClk
                        : pick(Kind::NCLButtonDblClk, Kind::NCRButtonDblClk, Kind::NCMButtonDblClk);
        break;
    default:
        if (busy || Client) {
            m.Kind = Kind::MouseMove;
            break;
        }
        m.Kind = Kind::SetCursor;
        FHeader->ProcessMessage(m);
        if (m.Result == 1)
            setCursor(m.Cursor);
        else
            unsetCursor();
        m.Kind = Kind::NCMouseMove;
        m.Result = 0;
        break;
    }
    return FHeader->ProcessMessage(m);
}
