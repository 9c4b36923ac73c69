#include "grid/string/footerpanel.h"

#include "grid/base/markuprender.h"
#include "grid/string/dazstringgrid.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QToolTip>

TFooterPanel::TFooterPanel(TDazStringGrid *AGrid) : QWidget(AGrid), FGrid(AGrid)
{
    setMouseTracking(true);
    AGrid->installEventFilter(this);
}

bool TFooterPanel::eventFilter(QObject *Watched, QEvent *e)
{
    if (Watched == FGrid && (e->type() == QEvent::Resize || e->type() == QEvent::Show))
        FGrid->UpdateFooterPanel();
    return false;
}

int TFooterPanel::ColumnAt(int X) const
{
    int x = 0;
    for (int c = 0; c < FGrid->FixedCols(); ++c) {
        x += FGrid->ColWidths(c);
        if (X < x)
            return c;
    }
    for (int c = FGrid->LeftCol(); c < FGrid->ColCount(); ++c) {
        x += FGrid->ColWidths(c);
        if (X < x)
            return c;
    }
    return -1;
}

QString TFooterPanel::FillTemplate(const QString &Template, TDazStringGrid &Grid)
{
    static const QRegularExpression tag(QStringLiteral("<#([^>]*)>"));
    QString out;
    qsizetype last = 0;
    auto it = tag.globalMatch(Template);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += Template.mid(last, m.capturedStart() - last);
        bool ok = false;
        const int col = m.captured(1).trimmed().toInt(&ok);
        if (ok && col >= 0)
            out += Grid.Cells(col, Grid.Row());
        last = m.capturedEnd();
    }
    out += Template.mid(last);
    return out;
}

void TFooterPanel::Frame3D(TCanvas &Canvas, const TRect &R)
{
    Canvas.Pen.Color = clGray;
    Canvas.Polyline({TPoint(R.Left, R.Bottom - 1), TPoint(R.Right - 1, R.Bottom - 1),
                     TPoint(R.Right - 1, R.Top - 1)});
    Canvas.Pen.Color = clWhite;
    Canvas.Polyline({TPoint(R.Right - 1, R.Top), TPoint(R.Left, R.Top),
                     TPoint(R.Left, R.Bottom)});
}

int TFooterPanel::PaintLastRow(TCanvas &Canvas, const TRect &Client)
{
    TDazStringGrid &g = *FGrid;
    const int last = g.RowCount() - 1;
    int w = 0;
    for (int c = 0; c < g.FixedCols(); ++c)
        w += g.ColWidths(c);
    for (int c = g.LeftCol(); c < g.ColCount(); ++c)
        w += g.ColWidths(c);
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = g.FloatingFooter().Color();
    Canvas.FillRect(TRect(0, Client.Top, std::min(w, Client.Right), Client.Bottom));
    Canvas.Brush.Color = g.Color();
    if (w < Client.Right)
        Canvas.FillRect(TRect(w, Client.Top, Client.Right, Client.Bottom));

    const TGridOptions o = g.Options();
    const int top = o.Contains(goFixedHorzLine) ? Client.Top + 1 : Client.Top;
    const bool whiteLeft = o.Contains(goFixedVertLine) && !g.Flat() &&
                           (g.Look() == glSoft || g.Look() == glQVR || g.Look() == glXP ||
                            g.Look() == glVista);
    int x = 0;
    int right = 0;
    auto column = [&](int c, bool fixed) {
        const TRect cell(x, top, x + g.ColWidths(c), Client.Bottom);
        if (whiteLeft) {
            Canvas.Pen.Color = clWhite;
            Canvas.MoveTo(cell.Left, cell.Top);
            Canvas.LineTo(cell.Left, cell.Bottom);
        }
        if (o.Contains(goFixedHorzLine)) {
            Canvas.Pen.Color = g.GridLineColor();
            Canvas.MoveTo(cell.Left, Client.Top);
            Canvas.LineTo(cell.Right, Client.Top);
        }
        if (o.Contains(goFixedVertLine)) {
            Canvas.Pen.Color = fixed || g.Look() == glVista ? g.GridLineColor() : 0x808080;
            Canvas.MoveTo(cell.Right - 1, cell.Top);
            Canvas.LineTo(cell.Right - 1, cell.Bottom);
        }
        const int rc = g.RealColIndex(c);
        TRect content(cell.Left, cell.Top, cell.Right - 1, cell.Bottom);
        if (g.IsMergedCell(rc, last) && !g.IsBaseCell(rc, last)) {
            x += g.ColWidths(c);
            right = x;
            return;
        }
        if (!fixed) {
            TBrush brush;
            brush.Color = clNone;
            TFont font = g.Font().Value();
            if (g.OnGetCellColor)
                g.OnGetCellColor(&g, last, rc, {}, brush, font);
            if (brush.Color == clNone)
                brush.Color = g.Colors(rc, last);
            if (brush.Color != clNone) {
                Canvas.Brush.Color = brush.Color;
                Canvas.FillRect(content);
            }
        }
        Canvas.Font = g.Font().Value();
        if (!fixed && g.OnFooterPaint)
            g.OnFooterPaint(this, c, Canvas, content);
        else
            g.PaintFooterCell(Canvas, c, last, content, TGridDrawState{gdFixed});
        x += g.ColWidths(c);
        right = x;
    };
    for (int c = 0; c < g.FixedCols(); ++c)
        column(c, true);
    for (int c = g.LeftCol(); c < g.ColCount() && x < Client.Right; ++c)
        column(c, false);
    return right;
}

int TFooterPanel::PaintFooter(TCanvas &Canvas)
{
    TDazStringGrid &g = *FGrid;
    const TRect client(0, 0, width(), height());
    const TFloatingFooter &ff = g.FloatingFooter();
    int contentWidth = client.Right;
    int w = 0;
    for (int c = 0; c < g.FixedCols(); ++c)
        w += g.ColWidths(c);
    for (int c = g.LeftCol(); c < g.ColCount(); ++c)
        w += g.ColWidths(c);
    w = std::min(w, client.Right);
    switch (ff.FooterStyle()) {
    case fsFixedLastRow:
        contentWidth = PaintLastRow(Canvas, client);
        break;
    case fsColumnPreview:
    case fsCustomPreview: {
        Canvas.Brush.Style = bsSolid;
        Canvas.Brush.Color = ff.Color();
        Canvas.FillRect(TRect(0, 0, w, client.Bottom));
        Frame3D(Canvas, TRect(0, 0, w, client.Bottom));
        Canvas.Brush.Color = g.Color();
        if (w < client.Right)
            Canvas.FillRect(TRect(w, 0, client.Right, client.Bottom));
        const TColor selText = g.SelectionTextColor();
        g.SetSelectionTextColor(clBlack);
        const TRect area(1, 1, w - 1, client.Bottom - 1);
        if (ff.FooterStyle() == fsColumnPreview) {
            if (g.OnFooterPaint)
                g.OnFooterPaint(this, ff.Column(), Canvas, area);
            else
                g.PaintFooterCell(Canvas, g.DisplColIndex(ff.Column()), g.Row(), area, {});
        } else {
            THtmlRenderParams params;
            params.Images = g.GridImages();
            params.Container = g.PictureContainer();
            params.AnchorColor = g.URLColor();
            TRect tr(area.Left + 2, area.Top + 2, area.Right, area.Bottom);
            THtmlRenderResult result;
            Canvas.Font = g.Font().Value();
            Canvas.Brush.Style = bsClear;
            RenderHtmlText(Canvas, FillTemplate(ff.CustomTemplate(), g), tr, params, result);
            Canvas.Brush.Style = bsSolid;
        }
        g.SetSelectionTextColor(selText);
        contentWidth = w;
        break;
    }
    case fsCustomPaint:
        if (g.OnFooterPaint)
            g.OnFooterPaint(this, ff.Column(), Canvas, client);
        break;
    }
    if (ff.BorderColor() != clNone) {
        Canvas.Pen.Color = ff.BorderColor();
        Canvas.MoveTo(0, 0);
        Canvas.LineTo(contentWidth, 0);
    }
    return contentWidth;
}

void TFooterPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    TCanvas canvas(&painter);
    PaintFooter(canvas);
}

bool TFooterPanel::event(QEvent *e)
{
    if (e->type() == QEvent::ToolTip) {
        auto *he = static_cast<QHelpEvent *>(e);
        const int col = ColumnAt(he->pos().x());
        QString hint;
        if (FGrid->OnGridHint && col >= 0)
            FGrid->OnGridHint(FGrid, FGrid->RowCount() - 1, col, hint);
        FLastHintColumn = FGrid->FloatingFooter().ShowHint() ? col : -1;
        if (FGrid->FloatingFooter().ShowHint() && !hint.isEmpty())
            QToolTip::showText(he->globalPos(), hint, this);
        else
            QToolTip::hideText();
        return true;
    }
    if (e->type() == QEvent::Leave)
        FLastHintColumn = -1;
    return QWidget::event(e);
}

void TFooterPanel::mouseMoveEvent(QMouseEvent *e)
{
    if (FGrid->FloatingFooter().ShowHint()) {
        const int col = ColumnAt(int(e->position().x()));
        if (col != FLastHintColumn) {
            QToolTip::hideText();
            FLastHintColumn = col;
        }
    }
    QWidget::mouseMoveEvent(e);
}

void TFooterPanel::mouseReleaseEvent(QMouseEvent *e)
{
    if (FGrid->OnClick)
        FGrid->OnClick(FGrid);
    if (FGrid->OnFooterClick)
        FGrid->OnFooterClick(FGrid, FGrid->RowCount() - 1, ColumnAt(int(e->position().x())));
    QWidget::mouseReleaseEvent(e);
}
