// TDazStringGrid: the pointer moving over the grid and leaving it. Hover highlights (row,
// fixed cells, list-view header, cell buttons, links), the shared scroll bar over cells with
// a scroll bar of their own, the selection mode a press on a header will use, the pointer
// shape over links and borders, and the anchor events.
#include "grid/string/dazstringgrid.h"

#include "grid/base/markuprender.h"
#include "grid/base/textroutines.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>

namespace {

// A cursor of the grid's own pictures, with its hot spot.
QCursor ImageCursor(const char *Name, int HotX, int HotY, Qt::CursorShape Fallback)
{
    const QPixmap pixmap(QStringLiteral(":/") + QLatin1String(Name));
    return pixmap.isNull() ? QCursor(Fallback) : QCursor(pixmap, HotX, HotY);
}

}   // namespace

const QCursor &GridCursor(TGridCursor Kind)
{
    static const QCursor cursors[] = {
        QCursor(Qt::PointingHandCursor),
        ImageCursor("DRAGCURSOR", 0, 0, Qt::DragMoveCursor),
        ImageCursor("NODROPCURSOR", 15, 15, Qt::ForbiddenCursor),
        ImageCursor("COLSELECTCURSOR", 16, 24, Qt::ArrowCursor),
        ImageCursor("ROWSELECTCURSOR", 24, 16, Qt::ArrowCursor),
        ImageCursor("ALLSELECTCURSOR", 24, 24, Qt::ArrowCursor),
        QCursor(Qt::SplitHCursor),
        QCursor(Qt::SplitVCursor),
    };
    return cursors[Kind];
}

// ---------------------------------------------------------------------------------------
// Pointer shape
// ---------------------------------------------------------------------------------------

void TDazStringGrid::SetGridCursor(const QCursor &Value)
{
    if (viewport()->testAttribute(Qt::WA_SetCursor) &&
        viewport()->cursor().shape() == Value.shape() &&
        (Value.shape() != Qt::BitmapCursor ||
         viewport()->cursor().pixmap().cacheKey() == Value.pixmap().cacheKey()))
        return;
    viewport()->setCursor(Value);
}

void TDazStringGrid::RestoreGridCursor()
{
    // The cells show the grid's own cursor again.
    if (viewport()->testAttribute(Qt::WA_SetCursor))
        viewport()->unsetCursor();
}

bool TDazStringGrid::GridCursorSet() const
{
    return viewport()->testAttribute(Qt::WA_SetCursor);
}

// ---------------------------------------------------------------------------------------
// MouseMove
// ---------------------------------------------------------------------------------------

void TDazStringGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    if (!FLeaveWatched) {
        viewport()->installEventFilter(this);
        FLeaveWatched = true;
    }
    // 1. Dragging with the button down selects a range instead of editing.
    if (FMouseDownMove && FMouseActions.RangeSelectAndEdit() && Options().Contains(goEditing) &&
        !EditorMode())
        SetOptions(Options() - goEditing);
    bool cursorSet = false;
    const TGridRect before = Selection();
    // 2.
    if (SelectionRectangle() && GridState() == gsSelecting)
        FSizeSelection = Selection();
    // 3 - 6.
    int acol = -1, arow = -1;
    MouseToCell(X, Y, acol, arow);
    HoverCells(acol, arow, X, Y);
    // 7.
    HeaderDragSelect(X, Y);
    // 8.
    TrackFixedSizing(acol, arow, X, Y);
    if (FSizeFixed && !FSizingFixed && OnColumnSize) {
        // The column's OnColumnSize may refuse the border of a fixed column too.
        TGridState state = gsNormal;
        int index = -1, pos = 0, ofs = 0;
        CalcSizingState(X, Y, state, index, pos, ofs);
    }
    if (FSizeFixed || FSizingFixed) {
        SetGridCursor(GridCursor(gcSplitH));
        cursorSet = true;
    } else if (FSizeFixedR || FSizingFixedR) {
        SetGridCursor(GridCursor(gcSplitV));
        cursorSet = true;
    }
    // 9. The selection's resize handle.
    bool onHandle = false;
    if (SelectionResizer() && SelectionRectangle()) {
        const TRect r = CellRect(Selection().Right, Selection().Bottom);
        onHandle = X >= r.Right - 6 && X < r.Right && Y >= r.Bottom - 6 && Y < r.Bottom;
    }
    // 10. A drag of the selection or of a header's column; the drag took the release.
    if (OleDragFromMove(acol, arow, X, Y, onHandle, Shift))
        Shift = Shift - ssLeft;
    // 11. Framework sizing and moving, enhanced header drags.
    if (GridState() == gsColSizing)
        FColSized = true;
    else if (GridState() == gsRowSizing)
        FRowSized = true;
    if (GridState() == gsColMoving || GridState() == gsRowMoving) {
        EnhancedHeaderDrag(acol, arow, X, Y);
        cursorSet = cursorSet || FDragStarted;
    }
    // 12.
    UpdateMouseSelectMode(acol, arow, X, Y, onHandle, cursorSet);
    // Borders that can be dragged.
    if (!cursorSet && GridState() == gsNormal) {
        TGridState state = gsNormal;
        int index = -1, pos = 0, ofs = 0;
        TBaseGrid::CalcSizingState(X, Y, state, index, pos, ofs);
        if (state == gsColSizing || state == gsRowSizing) {
            SetGridCursor(GridCursor(state == gsColSizing ? gcSplitH : gcSplitV));
            cursorSet = true;
        }
    } else if (GridState() == gsColSizing || GridState() == gsRowSizing) {
        cursorSet = true;
    }
    // 13.
    if (acol >= 0 && arow >= 0)
        HoverAnchors(acol, arow, X, Y, cursorSet);
    else
        LeaveAnchor(acol, arow);
    // 14.
    if (!cursorSet)
        RestoreGridCursor();
    // 16.
    if (GridState() == gsSelecting && SelectionRectangle() && !(Selection() == FRectSelection)) {
        TRect u;
        UnionRect(u, CellRect(Selection().Left, Selection().Top),
                  CellRect(Selection().Right, Selection().Bottom));
        viewport()->update(u.ToQRect());
        FRectSelection = Selection();
    }
    // 17.
    TBaseGrid::MouseMove(Shift, X, Y);
    // 18.
    if (FNavigation.KeepHorizScroll() && FMouseKeepDown && GridState() != gsColMoving &&
        LeftCol() != FPressLeftCol && FPressLeftCol >= FixedCols()) {
        StartUpdate();
        SetLeftCol(FPressLeftCol);
        ResetUpdate();
    }
    // 19, 20.
    SizingFeedback(X, Y);
    // 21.
    if (!(Selection() == before)) {
        const TGridRect s = Selection();
        DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
    }
}

// ---------------------------------------------------------------------------------------
// Hover highlights
// ---------------------------------------------------------------------------------------

void TDazStringGrid::HoverCells(int ACol, int ARow, int X, int Y)
{
    const bool onCell = ACol >= 0 && ARow >= 0;
    auto isFixedCell = [this](TGridCoord C) {
        return C.X >= 0 && C.Y >= 0 && (C.X < FixedCols() || C.Y < FixedRows());
    };
    // Hover row.
    if (onCell && HoverRow() && ARow != FHoverRowIdx) {
        const int old = FHoverRowIdx;
        FHoverRowIdx = ARow;
        InvalidateRow(ARow);
        if (old >= 0 && old < RowCount())
            InvalidateRow(old);
    }
    // The shared scroll bar over cells with a scroll bar of their own.
    if (onCell && HasScrollBar(RealColIndex(ACol), ARow)) {
        const int real = RealColIndex(ACol);
        const TScrollProp prop = GetScrollProp(real, ARow);
        if (!FCellScrollBar) {
            FCellScrollBar = new QScrollBar(Qt::Vertical, viewport());
            FCellScrollBar->setFocusPolicy(Qt::NoFocus);
            QObject::connect(FCellScrollBar, &QScrollBar::actionTriggered, this,
                             [this](int Action) { CellScrollBarAction(Action); });
        }
        const bool placed = FScrollCol == ACol && FScrollRow == ARow && FCellScrollBar->isVisible();
        FScrollCol = ACol;
        FScrollRow = ARow;
        if (prop.PageSize >= 0 && prop.PageSize < prop.Range && !placed) {
            const TRect r = CellRect(ACol, ARow);
            const int lw = GridLineWidth();
            const QSignalBlocker block(FCellScrollBar);
            FCellScrollBar->setPageStep(prop.PageSize);
            FCellScrollBar->setRange(0, prop.Range);
            FCellScrollBar->setGeometry(r.Right - 17 - lw, r.Top + lw, 17, r.Height() - 2 * lw);
            FCellScrollBar->setValue(GetScrollPosition(real, ARow));
            FCellScrollBar->show();
        }
    } else if (FCellScrollBar && FCellScrollBar->isVisible()) {
        FCellScrollBar->hide();
    }
    // A recorded cell moves on; the fixed cells it leaves and reaches are repainted.
    auto follow = [&](TGridCoord &Field, TGridCoord Now) {
        if (Now == Field)
            return;
        const TGridCoord old = Field;
        Field = Now;
        if (isFixedCell(old))
            RepaintCell(old.X, old.Y);
        if (isFixedCell(Now))
            RepaintCell(Now.X, Now.Y);
    };
    // Hover fixed cells, and the hot header cell of the list-view look.
    if (HoverFixedCells() != hfNone && !FFixedDropDownOpen)
        follow(FHoverFixedCell, {onCell ? ACol : -1, onCell ? ARow : -1});
    if (FLook == glListView)
        follow(FHotFixedCell, {ACol, ARow});
    // Cell buttons and expand buttons.
    bool onButton = false;
    if (onCell) {
        const TCellType kind = GetCellType(RealColIndex(ACol), ARow);
        if (kind == ctButton || kind == ctBitButton || kind == ctExpand) {
            const TRect br = CellButtonRect(ACol, ARow);
            onButton = X >= br.Left && X < br.Right && Y >= br.Top && Y < br.Bottom;
        }
    }
    if (onButton) {
        if (!(FHoverButton == TGridCoord{ACol, ARow})) {
            const TGridCoord old = FHoverButton;
            FHoverButton = {ACol, ARow};
            if (old.X >= 0 && old.Y >= 0)
                RepaintCell(old.X, old.Y);
            RepaintCell(ACol, ARow);
        }
    } else if (FHoverButton.X >= 0 && FHoverButton.Y >= 0) {
        const TGridCoord old = FHoverButton;
        FHoverButton = {-1, -1};
        RepaintCell(old.X, old.Y);
    }
}

// ---------------------------------------------------------------------------------------
// Selection modes for the next press
// ---------------------------------------------------------------------------------------

void TDazStringGrid::UpdateMouseSelectMode(int ACol, int ARow, int X, int Y, bool OnHandle,
                                           bool &CursorSet)
{
    FMouseSelectMode = OnHandle ? msResize : msNormal;
    if (ACol < 0 || ARow < 0 || GridState() != gsNormal)
        return;
    const TRect r = CellRect(ACol, ARow);
    const bool onColBorder = ARow < FixedRows() && Options().Contains(goColSizing) &&
                             (std::abs(X - r.Left) <= 3 || std::abs(X - r.Right) <= 3);
    const bool onRowBorder = ACol < FixedCols() && Options().Contains(goRowSizing) &&
                             (std::abs(Y - r.Top) <= 3 || std::abs(Y - r.Bottom) <= 3);
    const bool onBorder = onColBorder || onRowBorder;
    const bool footerRow = FFloatingFooter.Visible() &&
                           FFloatingFooter.FooterStyle() == fsFixedLastRow &&
                           ARow == RowCount() - 1;
    TGridCursor cursor = gcHandPoint;
    if (ACol < FixedCols() && ARow < FixedRows() && FMouseActions.AllSelect()) {
        FMouseSelectMode = msAll;
        cursor = gcAllSelect;
    } else if (ARow < FixedRows() && ACol >= FixedCols() && FMouseActions.ColSelect() &&
               !onBorder) {
        FMouseSelectMode = msColumn;
        cursor = gcColSelect;
    } else if (ACol < FixedCols() && (ARow >= FixedRows() || FScrolledUp) &&
               ARow < RowCount() - FFixedFooters && !footerRow && FMouseActions.RowSelect() &&
               !onBorder && !(ACol == 0 && IsNode(ARow) && IsOnNodeButton(ARow, X))) {
        FMouseSelectMode = msRow;
        cursor = gcRowSelect;
    } else {
        return;
    }
    SetGridCursor(GridCursor(cursor));
    CursorSet = true;
}

// ---------------------------------------------------------------------------------------
// Links and anchors
// ---------------------------------------------------------------------------------------

void TDazStringGrid::HoverAnchors(int ACol, int ARow, int X, int Y, bool &CursorSet)
{
    const int real = RealColIndex(ACol);
    const QString text = Cells(real, ARow);
    const int kind = ClassifyCellText(text, EnableHTML());
    if (kind != ctMarkup) {
        if (URLShow() && IsUrlText(text)) {
            CursorSet = true;
            SetGridCursor(GridCursor(gcHandPoint));
        }
        if (URLUnderlineOnHover() && FHoverAnchor >= 0) {
            FHoverAnchor = -1;
            const TGridCoord old = FHoverCell;
            FHoverCell = {-1, -1};
            if (old.X >= 0 && old.Y >= 0)
                RepaintCell(old.X, old.Y);
        }
        LeaveAnchor(ACol, ARow);
        return;
    }
    // The painter's text area of the cell.
    TRect r = CellRect(ACol, ARow);
    InflateRect(r, -1, -1);
    r.Left += XYOffset().X;
    r.Top += XYOffset().Y;
    if (HasCheckBox(real, ARow))
        r.Left += FControlLook.CheckSize();
    int scrollPos = 0;
    if (HasScrollBar(real, ARow)) {
        r.Right -= 17;
        scrollPos = std::max(0, GetScrollPosition(real, ARow));
    }
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    TCanvas canvas(&painter);
    canvas.Font = (ACol < FixedCols() || ARow < FixedRows()) ? FFixedFont.Value() : Font().Value();
    THtmlRenderParams params;
    params.HitX = X;
    params.HitY = Y + scrollPos;
    params.HitTestOnly = true;
    params.Images = GetCellImageList(real, ARow);
    params.PictureCache = &FImageCache;
    params.Container = PictureContainer();
    THtmlRenderResult result;
    const bool hit = RenderHtmlText(canvas, text, r, params, result) &&
                     !result.AnchorHref.isEmpty();
    const int link = hit ? result.HitAnchor : -1;

    if (URLUnderlineOnHover()) {
        const TGridCoord cell{ACol, ARow};
        if (!(FHoverCell == cell) || FHoverAnchor >= 0) {
            if (!(FHoverCell == cell) && FHoverCell.X >= 0 && FHoverCell.Y >= 0)
                RepaintCell(FHoverCell.X, FHoverCell.Y);
        }
        if (!(FHoverCell == cell) || link != FHoverAnchor) {
            FHoverCell = cell;
            FHoverAnchor = link;
            RepaintCell(ACol, ARow);
        }
    }
    if (!hit) {
        LeaveAnchor(ACol, ARow);
        return;
    }
    const QString anchor = result.AnchorHref;
    QString title = result.AnchorTitle;
    if (title.isEmpty() && OnAnchorHint)
        OnAnchorHint(this, ARow, ACol, title);
    if (title != FLastAnchorHint && !FLastAnchorHint.isEmpty() && anchor != FAnchor) {
        FLastAnchorHint = title;
        ResetLastHintPos();
    }
    CursorSet = true;
    SetGridCursor(GridCursor(gcHandPoint));
    if (anchor != FAnchor) {
        if (OnAnchorEnter)
            OnAnchorEnter(this, ARow, ACol, anchor);
        FAnchor = anchor;
    }
}

void TDazStringGrid::LeaveAnchor(int ACol, int ARow)
{
    if (FAnchor.isEmpty())
        return;
    const QString left = FAnchor;
    FAnchor.clear();
    if (OnAnchorExit)
        OnAnchorExit(this, ARow, ACol, left);
}

// ---------------------------------------------------------------------------------------
// Leaving the grid
// ---------------------------------------------------------------------------------------

void TDazStringGrid::CMMouseLeave()
{
    FMouseSelectMode = msNormal;
    FSizeFixed = false;
    FSizeFixedR = false;
    auto isFixedCell = [this](TGridCoord C) {
        return C.X >= 0 && C.Y >= 0 && (C.X < FixedCols() || C.Y < FixedRows());
    };
    if (!FNoMouseLeave && HoverFixedCells() != hfNone &&
        (FHoverFixedCell.X != -1 || FHoverFixedCell.Y != -1)) {
        const TGridCoord old = FHoverFixedCell;
        FHoverFixedCell = {-1, -1};
        if (isFixedCell(old))
            RepaintCell(old.X, old.Y);
    }
    if (FLook == glListView && isFixedCell(FHotFixedCell)) {
        const TGridCoord old = FHotFixedCell;
        FHotFixedCell = {-1, -1};
        RepaintCell(old.X, old.Y);
    }
    if (HoverRow() && FHoverRowIdx >= 0) {
        const int old = FHoverRowIdx;
        FHoverRowIdx = -1;
        if (old < RowCount())
            InvalidateRow(old);
    }
}

// ---------------------------------------------------------------------------------------
// The cell scroll bar
// ---------------------------------------------------------------------------------------

// Lines move 10 pixels and pages 100, whatever the page size the bar shows; the new
// position is the cell's scroll position.
void TDazStringGrid::CellScrollBarAction(int Action)
{
    QScrollBar *bar = FCellScrollBar;
    if (!bar)
        return;
    const int old = bar->value();
    int pos = old;
    switch (Action) {
    case QAbstractSlider::SliderSingleStepSub: pos = std::max(bar->minimum(), old - 10); break;
    case QAbstractSlider::SliderSingleStepAdd: pos = std::min(bar->maximum(), old + 10); break;
    case QAbstractSlider::SliderPageStepSub: pos = old - 100; break;
    case QAbstractSlider::SliderPageStepAdd: pos = old + 100; break;
    case QAbstractSlider::SliderMove: pos = bar->sliderPosition(); break;
    case QAbstractSlider::SliderToMinimum: pos = bar->minimum(); break;
    case QAbstractSlider::SliderToMaximum: pos = bar->maximum(); break;
    default: return;
    }
    pos = std::clamp(pos, bar->minimum(), bar->maximum());
    bar->setSliderPosition(pos);
    if (pos == old || FScrollCol < 0 || FScrollRow < 0 || FScrollCol >= ColCount() ||
        FScrollRow >= RowCount())
        return;
    SetScrollPosition(RealColIndex(FScrollCol), FScrollRow, pos);
    RepaintCell(FScrollCol, FScrollRow);
    DoScrollCell(FScrollCol, FScrollRow, pos, bar->minimum(), bar->maximum());
}

void TDazStringGrid::DoScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin,
                                  int ScrollMax)
{
    if (OnScrollCell)
        OnScrollCell(this, ACol, ARow, ScrollPosition, ScrollMin, ScrollMax);
}
