// TDazStringGrid: bringing a cell into view, scroll hints while a thumb is dragged, the
// search bar's effect on scrolling, proportional thumbs and scrolling while something is
// dragged over the grid's edges, and the Metro look's thin bars. Flat and Encarta bars have
// no counterpart here: the standard bars serve those scroll types.
#include "grid/string/dazstringgrid.h"

#include "grid/string/htmlhintwindow.h"
#include "grid/string/scrollcontrol.h"

#include <QCursor>
#include <QScrollBar>
#include <QTimer>

namespace {

// Pos * Count / 127 in the manner of MulDiv, never below 0.
int ThumbToIndex(int Pos, int Count)
{
    if (Count <= 0)
        return 0;
    return int((int64_t(Pos) * Count + 63) / 127);
}

}   // namespace

void TDazStringGrid::SetScrollType(TScrollType Value)
{
    if (Value == FScrollType)
        return;
    FScrollType = Value;
    if (Value == ssMetro) {
        CreateScrollControls();
        SetScrollBars(ssNone);
    } else if (FScrollControls[0] || FScrollControls[1]) {
        FreeScrollControls();
        SetScrollBars(ssBoth);
    }
}

void TDazStringGrid::CreateScrollControls()
{
    for (int i = 0; i < 2; ++i) {
        if (FScrollControls[i])
            continue;
        auto *bar = new TScrollControl(this);
        bar->SetDirection(i == 0 ? sdVertical : sdHorizontal);
        FScrollControls[i] = bar;
        bar->show();
    }
    PlaceScrollControls();
}

void TDazStringGrid::FreeScrollControls()
{
    for (TScrollControl *&bar : FScrollControls) {
        delete bar;
        bar = nullptr;
    }
}

// Six pixels along the right and the bottom edge, over the cells.
void TDazStringGrid::PlaceScrollControls()
{
    const QRect r = contentsRect();
    if (TScrollControl *v = FScrollControls[0]) {
        v->setGeometry(r.right() - 5, r.top(), 6, r.height());
        v->raise();
        v->update();
    }
    if (TScrollControl *h = FScrollControls[1]) {
        h->setGeometry(r.left(), r.bottom() - 5, r.width(), 6);
        h->raise();
        h->update();
    }
}

bool TDazStringGrid::AllRowsVisible() const
{
    return VisibleRowCount() + FixedRows() >= RowCount();
}

bool TDazStringGrid::AllColsVisible() const
{
    return VisibleColCount() + FixedCols() >= ColCount();
}

void TDazStringGrid::ScrollInView(int ColIndex, int RowIndex)
{
    if (ColIndex >= ColCount() || RowIndex >= RowCount() || ColIndex < 0 || RowIndex < 0)
        return;
    int left = LeftCol();
    int top = TopRow();
    const int vc = VisibleColCount();
    const int vr = VisibleRowCount();
    if (ColIndex < left || ColIndex > left + vc - 1) {
        SetCol(ColIndex);
        left = std::max(FixedCols(), ColIndex - vc / 2);
    }
    if (RowIndex < top || RowIndex > top + vr - 1) {
        SetRow(RowIndex);
        top = std::max(FixedRows(), RowIndex - vr / 2);
    }
    left = std::min(left, ColCount() - vc + 1);
    if (FixedCols() + vc < ColCount())
        SetLeftCol(left);
    top = std::min(top, RowCount() - vr + 1);
    if (FixedRows() + vr >= RowCount())
        return;
    SetTopRow(top);
    if (FSearchFooter.Visible()) {
        // Keep the row clear of the search bar at the grid's foot.
        const int free = viewport()->height() - 32;
        while (TBaseGrid::UnclippedCellRect(0, RowIndex).Bottom > free &&
               TopRow() < RowCount() - 1) {
            const int before = TopRow();
            SetTopRow(before + 1);
            if (TopRow() == before)
                break;
        }
    }
}

int TDazStringGrid::ThumbToRow(int Pos) const
{
    return ThumbToIndex(Pos, RowCount() - VisibleRowCount() - FixedRows()) + FixedRows();
}

int TDazStringGrid::ThumbToCol(int Pos) const
{
    return ThumbToIndex(Pos, ColCount() - VisibleColCount() - FixedCols()) + FixedCols();
}

QString TDazStringGrid::ScrollHintText(int ScrollBar, int Pos)
{
    QString text = (ScrollBar == SB_VERT ? QStringLiteral("Row : ") : QStringLiteral("Col : ")) +
                   QString::number(Pos);
    if (OnScrollHint)
        OnScrollHint(this, Pos, text);
    return text;
}

THTMLHintWindow *TDazStringGrid::ScrollHintWindow()
{
    if (!FScrollHintWindow)
        FScrollHintWindow = new THTMLHintWindow(this);
    return FScrollHintWindow;
}

bool TDazStringGrid::ScrollHintShowing() const
{
    return FScrollHintWindow && FScrollHintWindow->isVisible();
}

void TDazStringGrid::ShowScrollHint(const QString &Text)
{
    THTMLHintWindow *w = ScrollHintWindow();
    w->SetColor(HintColor());
    const QPoint at = QCursor::pos() + QPoint(10, 0);
    TRect r = w->CalcHintRect(100, Text, this);
    OffsetRect(r, at.x(), at.y());
    w->ActivateHint(r, Text);
}

void TDazStringGrid::HideScrollHint()
{
    if (FScrollHintWindow)
        FScrollHintWindow->hide();
}

void TDazStringGrid::ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos)
{
    const bool vert = ScrollBar == SB_VERT;
    const bool hints = vert ? ScrollHints() == shVertical || ScrollHints() == shBoth
                            : ScrollHints() == shHorizontal || ScrollHints() == shBoth;
    if (hints) {
        if (ScrollCode == SB_ENDSCROLL)
            HideScrollHint();
        else if (ScrollCode == SB_THUMBTRACK)
            ShowScrollHint(ScrollHintText(ScrollBar, Pos));
    }
    if (ScrollCode == SB_THUMBTRACK && ScrollSynch()) {
        if (vert)
            SetTopRow(Pos);
        else
            SetLeftCol(Pos);
    }
    if (vert) {
        const bool search = FSearchFooter.Visible();
        if (search && (ScrollCode == SB_ENDSCROLL || ScrollCode == SB_LINEDOWN) &&
            LastRowAboveSearchPanel())
            return;
        TBaseGrid::ModifyScrollBar(ScrollBar, ScrollCode, Pos);
        if (search) {
            const bool atEnd = RowCount() - VisibleRowCount() == TopRow();
            if (ScrollCode == SB_LINEUP && atEnd && TopRow() > FixedRows())
                SetTopRow(TopRow() - 1);
            else if ((ScrollCode == SB_ENDSCROLL || ScrollCode == SB_LINEDOWN) && atEnd)
                ScrollAboveSearchPanel();
        }
    } else {
        if (FixedCols() == 0 && Pos >= Col())
            HideInplaceEdit();
        TBaseGrid::ModifyScrollBar(ScrollBar, ScrollCode, Pos);
    }
    if (ScrollCode == SB_ENDSCROLL && ColCount() == 1)
        InvalidateGrid();
    if (FFloatingFooter.Visible())
        UpdateFooterPanel();
}

void TDazStringGrid::UpdateProportionalScrollBars()
{
    if (!ScrollProportional() || FLoading || FScrollLock)
        return;
    // Qt's bars size their thumbs from the page step: one page is what shows.
    verticalScrollBar()->setPageStep(std::max(1, VisibleRowCount()));
    horizontalScrollBar()->setPageStep(std::max(1, VisibleColCount()));
}

// ---------------------------------------------------------------------------------------
// Drag scrolling
// ---------------------------------------------------------------------------------------

void TDazStringGrid::StopDragScroll()
{
    delete FDragScrollTimer;
    FDragScrollTimer = nullptr;
}

void TDazStringGrid::DragScrollOver(int X, int Y, bool Leave)
{
    if (!FDragScrollOptions.Active()) {
        StopDragScroll();
        return;
    }
    const TDragScrollDirection old = FDragScrollDir;
    FDragScrollDir = {};
    if (Leave) {
        StopDragScroll();
        return;
    }
    const TDragScrollMargins &m = FDragScrollOptions.Margins();
    if (Y < m.TopMargin())
        FDragScrollDir += dsdUp;
    else if (Y > height() - m.BottomMargin())
        FDragScrollDir += dsdDown;
    if (X < m.LeftMargin())
        FDragScrollDir += dsdLeft;
    else if (X > width() - m.RightMargin())
        FDragScrollDir += dsdRight;
    if (FDragScrollDir.Empty()) {
        StopDragScroll();
        return;
    }
    const int initial = FDragScrollOptions.Delays().InitialDelay();
    if (!FDragScrollTimer) {
        FDragScrollTimer = new QTimer(this);
        connect(FDragScrollTimer, &QTimer::timeout, this, [this] { DragScrollTick(); });
        FDragScrollTimer->start(initial);
    } else if (!old.Empty()) {
        FDragScrollTimer->setInterval(initial);
    }
}

void TDazStringGrid::DragScrollTick()
{
    if (!FDragScrollOptions.Active()) {
        StopDragScroll();
        return;
    }
    if (FDragScrollTimer)
        FDragScrollTimer->setInterval(FDragScrollOptions.Delays().RepeatDelay());
    bool canScroll = true;
    if (OnDragScroll)
        OnDragScroll(this, TopRow(), LeftCol(), FDragScrollDir, canScroll);
    if (!canScroll)
        return;
    if (FDragScrollDir.Contains(dsdUp) && TopRow() > FixedRows())
        SetTopRow(TopRow() - 1);
    if (FDragScrollDir.Contains(dsdDown) && TopRow() + VisibleRowCount() < RowCount())
        SetTopRow(TopRow() + 1);
    if (FDragScrollDir.Contains(dsdLeft) && LeftCol() > FixedCols())
        SetLeftCol(LeftCol() - 1);
    if (FDragScrollDir.Contains(dsdRight) && LeftCol() + VisibleColCount() < ColCount())
        SetLeftCol(LeftCol() + 1);
}
