// TDazStringGrid: the hint of the cell under the pointer (comment, anchor title, the cell's
// own text, OnGridHint), shown as a plain tooltip or in the mark-up hint window, and the
// balloon window of balloon cells.
#include "grid/string/dazstringgrid.h"

#include "grid/base/markup.h"
#include "grid/base/markuprender.h"
#include "grid/base/textroutines.h"
#include "grid/string/htmlhintwindow.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

void TDazStringGrid::GetCellHintInfo(QString &HintStr, THintInfo &HintInfo)
{
    const QPoint cursor = HintInfo.CursorPos;
    TGridCoord cell = MouseCoord(cursor.x(), cursor.y());
    if (FControlLook.HintMaxWidth() > 0)
        HintInfo.HintMaxWidth = FControlLook.HintMaxWidth();
    THTMLHintWindow::SetHintFontName(Font().Name());

    if (cell.X >= 0 && cell.Y >= 0) {
        int ACol = cell.X, ARow = cell.Y;
        if (HasCellProps()) {
            int bc = 0, br = 0;
            ResolveBaseCell(RealColIndex(ACol), ARow, bc, br);
            ACol = DisplColIndex(bc);
            ARow = br;
        }
        FLastHintPos = TPoint(ACol, ARow);
        const TRect r = TBaseGrid::CellRect(ACol, ARow);
        const int realCol = RealColIndex(ACol);
        QPoint pos;
        if (IsComment(realCol, ARow, HintStr))
            pos = QPoint(r.Right, r.Top);
        else
            pos = QPoint(cursor.x(), r.Bottom + 6);

        const QString text = Cells(realCol, ARow);
        const int kind = ClassifyCellText(text, EnableHTML());
        if (kind == ctMarkup && AnchorHint()) {
            QImage scratch(1, 1, QImage::Format_RGB32);
            TCanvas canvas(&scratch);
            canvas.Font = Font().Value();
            THtmlRenderParams params;
            params.HitX = cursor.x();
            params.HitY = cursor.y();
            params.HitTestOnly = true;
            params.Images = GetCellImageList(realCol, ARow);
            params.PictureCache = &FImageCache;
            params.Container = PictureContainer();
            THtmlRenderResult result;
            TRect tr = r;
            tr.Left += FXYOffset.X;
            tr.Top += FXYOffset.Y;
            if (RenderHtmlText(canvas, text, tr, params, result) &&
                !result.AnchorHref.isEmpty()) {
                QString tip = result.AnchorTitle.isEmpty() ? result.AnchorHref : result.AnchorTitle;
                if (OnAnchorHint)
                    OnAnchorHint(this, ARow, realCol, tip);
                FLastAnchorHint = tip;
                HintStr = tip;
                pos = QPoint(cursor.x() + 8, cursor.y() - 16);
            }
        }

        const bool normal = ACol >= FixedCols() && ARow >= FixedRows() &&
                            ACol < ColCount() - FFixedRightCols &&
                            ARow < RowCount() - FFixedFooters;
        if (HintShowCells() && normal) {
            pos.setY(r.Top);
            if (kind == ctWideText)
                HintStr = DecodeWideCellText(text);
            else if (HTMLHint())
                HintStr = text;
            else
                HintStr = StrippedCells(realCol, ARow);
        }

        if (HintShowLargeText()) {
            const bool enh = EnhTextSize();
            SetEnhTextSize(false);
            const TPoint size = CellTextSize(realCol, ARow);
            SetEnhTextSize(enh);
            if (size.X > r.Width() || size.Y > r.Height()) {
                if (HintShowLargeTextPos() == hpCell)
                    pos = QPoint(r.Left, r.Top);
                HintStr = kind == ctWideText || HTMLHint() || kind != ctMarkup
                              ? text
                              : StrippedCells(realCol, ARow);
            }
        }

        if (!(FFloatingFooter.Visible() && ARow == RowCount() - 1)) {
            QString wide;
            GetCellHint(ACol, ARow, HintStr, wide);
        }

        // With UseHTMLHints every hint is drawn by the mark-up hint window, not only the
        // mark-up and wide ones.
        const int hintKind = ClassifyCellText(HintStr, true);
        if (((hintKind == ctMarkup || hintKind == ctWideText) && UseInternalHintClass()) ||
            UseHTMLHints()) {
            HintInfo.HtmlWindow = true;
            HintInfo.HintData = this;
        }
        HintInfo.HintPos = viewport()->mapToGlobal(pos);
    }
    HintInfo.HintColor = HintColor();
}

bool TDazStringGrid::viewportEvent(QEvent *e)
{
    switch (e->type()) {
    case QEvent::ToolTip: {
        if (!ShowHint() && !FBalloon.Enable())
            break;
        auto *he = static_cast<QHelpEvent *>(e);
        const TGridCoord cell = MouseCoord(he->pos().x(), he->pos().y());
        if (FBalloon.Enable() && FBalloonInit && cell.X >= 0 && cell.Y >= 0) {
            QString title, text;
            int icon = 1;
            BalloonTooltipText(he->pos(), text, title, icon);
            auto *w = static_cast<THTMLHintWindow *>(FBalloonWindow);
            if (text.isEmpty()) {
                w->hide();
                return true;
            }
            w->SetColor(FBalloon.BackgroundColor() != clNone ? FBalloon.BackgroundColor()
                                                              : HintColor());
            const QPoint at = he->globalPos() + QPoint(0, 16);
            const QString hint = QStringLiteral("<b>") + EncodeHtmlEntities(title, false) +
                                 QStringLiteral("</b><br>") + EncodeHtmlEntities(text, false);
            w->ActivateHint(TRect(at.x(), at.y(), at.x(), at.y()), hint);
            return true;
        }
        if (!ShowHint())
            break;
        QString hint = toolTip();
        THintInfo info;
        info.CursorPos = he->pos();
        GetCellHintInfo(hint, info);
        if (hint.isEmpty()) {
            QToolTip::hideText();
            if (FCellHintWindow)
                FCellHintWindow->hide();
            return true;
        }
        if (info.HtmlWindow) {
            if (!FCellHintWindow)
                FCellHintWindow = new THTMLHintWindow(this);
            FCellHintWindow->SetColor(info.HintColor);
            const QPoint p = info.HintPos;
            FCellHintWindow->ActivateHintData(TRect(p.x(), p.y(), p.x(), p.y()), hint, this);
        } else {
            QToolTip::showText(info.HintPos, hint, viewport());
        }
        return true;
    }
    case QEvent::MouseMove: {
        auto *me = static_cast<QMouseEvent *>(e);
        const QPoint p = me->position().toPoint();
        const TGridCoord cell = MouseCoord(p.x(), p.y());
        if (FLastHintPos.X >= 0 && TPoint(cell.X, cell.Y) != FLastHintPos) {
            QToolTip::hideText();
            if (FCellHintWindow)
                FCellHintWindow->hide();
            ResetLastHintPos();
        }
        if (FLastBalloonPos.X >= 0 && TPoint(cell.X, cell.Y) != FLastBalloonPos) {
            if (FBalloonWindow)
                FBalloonWindow->hide();
            FLastBalloonPos = TPoint(-1, -1);
        }
        break;
    }
    default:
        break;
    }
    return TBaseGrid::viewportEvent(e);
}

void TDazStringGrid::BalloonInit()
{
    if (FBalloonInit)
        return;
    FBalloonInit = true;
    auto *w = new THTMLHintWindow(this);
    if (FBalloon.Transparency() != 0)
        w->setWindowOpacity((255 - FBalloon.Transparency()) / 255.0);
    FBalloonWindow = w;
}

void TDazStringGrid::BalloonDone()
{
    if (FBalloonInit) {
        delete FBalloonWindow;
        FBalloonWindow = nullptr;
    }
    FBalloonInit = false;
}
