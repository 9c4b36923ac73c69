// The Metro scroll bar: geometry of the thumb from the grid's scroll state, paging and dragging.
#include "grid/string/scrollcontrol.h"

#include "grid/string/dazstringgrid.h"
#include "platform/rtl.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

TScrollControl::TScrollControl(QWidget *AParent) : QWidget(AParent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TScrollControl::SetColor(TColor Value)
{
    FColor = Value;
    update();
}

TDazStringGrid *TScrollControl::Grid() const
{
    return dynamic_cast<TDazStringGrid *>(parentWidget());
}

int TScrollControl::TrackStart() const
{
    const TDazStringGrid *g = Grid();
    int start = 0;
    if (FDirection == sdVertical)
        for (int r = 0; r < g->FixedRows(); ++r)
            start += g->RowHeights(r);
    else
        for (int c = 0; c < g->FixedCols(); ++c)
            start += g->ColWidths(c);
    return start;
}

int TScrollControl::TrackLength() const
{
    const TDazStringGrid *g = Grid();
    int tail = 0;
    if (FDirection == sdVertical)
        for (int r = std::max(0, g->RowCount() - g->FixedFooters()); r < g->RowCount(); ++r)
            tail += g->RowHeights(r);
    else
        for (int c = std::max(0, g->ColCount() - g->FixedRightCols()); c < g->ColCount(); ++c)
            tail += g->ColWidths(c);
    return Length() - TrackStart() - tail;
}

int TScrollControl::ThumbPos() const
{
    const TDazStringGrid *g = Grid();
    if (!g)
        return 0;
    const bool v = FDirection == sdVertical;
    const int count = v ? g->RowCount() : g->ColCount();
    const int fixed = v ? g->FixedRows() : g->FixedCols();
    const int first = v ? g->TopRow() : g->LeftCol();
    if (count <= fixed)
        return TrackStart();
    const int pos = TrackStart() + int(Round(double(TrackLength()) * (first - fixed) / (count - fixed)));
    return std::min(pos, Length() - ThumbSize());
}

int TScrollControl::ThumbSize() const
{
    const TDazStringGrid *g = Grid();
    if (!g)
        return 0;
    const bool v = FDirection == sdVertical;
    const int count = v ? g->RowCount() : g->ColCount();
    const int visible = v ? g->VisibleRowCount() : g->VisibleColCount();
    if (count <= 0)
        return 20;
    return std::max(20, int(Round(double(TrackLength()) * visible / count)));
}

bool TScrollControl::Scrollable() const
{
    const TDazStringGrid *g = Grid();
    if (!g)
        return false;
    return FDirection == sdVertical ? g->FixedRows() + g->VisibleRowCount() < g->RowCount()
                                    : g->FixedCols() + g->VisibleColCount() < g->ColCount();
}

void TScrollControl::paintEvent(QPaintEvent *)
{
    if (!Scrollable())
        return;
    QPainter p(this);
    const QColor c = ToQColor(FColor);
    p.setPen(c);
    p.setBrush(c);
    const int pos = ThumbPos(), size = ThumbSize();
    if (FDirection == sdVertical)
        p.drawRect(0, pos, FScrollWidth - 1, size - 1);
    else
        p.drawRect(pos, 0, size - 1, FScrollWidth - 1);
}

void TScrollControl::mousePressEvent(QMouseEvent *e)
{
    TDazStringGrid *g = Grid();
    if (!g || e->button() != Qt::LeftButton)
        return;
    const bool v = FDirection == sdVertical;
    const int at = v ? e->position().toPoint().y() : e->position().toPoint().x();
    const int pos = ThumbPos();
    if (at < pos) {
        if (v)
            g->SetTopRow(std::max(g->FixedRows(), g->TopRow() - g->VisibleRowCount()));
        else
            g->SetLeftCol(std::max(g->FixedCols(), g->LeftCol() - g->VisibleColCount()));
    } else if (at > pos + ThumbSize()) {
        if (v)
            g->SetTopRow(std::min(g->TopRow() + g->VisibleRowCount(),
                                  g->RowCount() - g->VisibleRowCount()));
        else
            g->SetLeftCol(std::min(g->LeftCol() + g->VisibleColCount(),
                                   g->ColCount() - g->VisibleColCount()));
    } else {
        FDragging = true;
        FDragStart = at;
        FDragFirst = v ? g->TopRow() : g->LeftCol();
    }
    update();
}

void TScrollControl::mouseMoveEvent(QMouseEvent *e)
{
    TDazStringGrid *g = Grid();
    if (!g || !FDragging)
        return;
    if (FDirection == sdVertical) {
        const int track = height() - g->RowHeights(0);
        if (track <= 0)
            return;
        const int y = e->position().toPoint().y();
        const int row = int(Round(double(y - FDragStart) / track * g->RowCount())) + FDragFirst;
        g->SetTopRow(std::max(g->FixedRows(), std::min(row, g->RowCount() - g->VisibleRowCount())));
    } else {
        const int track = width() - g->ColWidths(0);
        if (track <= 0)
            return;
        const int x = e->position().toPoint().x();
        const int col = int(Round(double(x - FDragStart) / track * g->ColCount())) + FDragFirst;
        g->SetLeftCol(std::max(g->FixedCols(), std::min(col, g->ColCount() - g->VisibleColCount())));
    }
    update();
}

void TScrollControl::mouseReleaseEvent(QMouseEvent *)
{
    FDragging = false;
}
