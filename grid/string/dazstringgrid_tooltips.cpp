// TDazStringGrid: window-level extras. The balloon text of the cell under the pointer, the
// coloured border of the suite looks, the translucent focus ring round a cell (a frameless
// window that follows the grid's window), and the dotted lines shown while a border is
// dragged.
#include "grid/string/dazstringgrid.h"

#include "grid/base/alphamask.h"
#include "grid/base/indicator.h"
#include "grid/base/markup.h"
#include "grid/base/textroutines.h"
#include "grid/string/richtext.h"
#include "grid/string/searchpanel.h"
#include "grid/string/sizingline.h"

#include <QEvent>
#include <QPainter>
#include <QRegion>

namespace {

constexpr int MaxBalloonText = 2048;
constexpr int MaxBalloonTitle = 100;
constexpr TColor FocusRingColor = 0xFDD397;
constexpr uint8_t FocusRingOpacity = 230;

QString Shorten(const QString &Text, int Max)
{
    return Text.size() > Max ? Text.left(Max - 3) + QStringLiteral("...") : Text;
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Balloon text
// ---------------------------------------------------------------------------------------

void TDazStringGrid::BalloonTooltipText(QPoint Pos, QString &Text, QString &Title, int &Icon)
{
    Text.clear();
    Title = QStringLiteral(" ");
    Icon = 1;
    TGridCoord cell = MouseCoord(Pos.x(), Pos.y());
    const bool valid = cell.X >= 0 && cell.Y >= 0;
    int realCol = -1;
    if (valid) {
        const TPoint base = BaseCell(RealColIndex(cell.X), cell.Y);
        realCol = base.X;
        cell = {DisplColIndex(base.X), base.Y};
        const QString raw = Cells(realCol, cell.Y);
        switch (ClassifyCellText(raw, EnableHTML())) {
        case ctMarkup:
            Text = HtmlToPlainText(raw);
            break;
        case ctWideText:
            Text = DecodeWideCellText(raw);
            break;
        case ctRichText:
            Text = IsRtfText(raw) ? RtfToPlainText(raw) : raw;
            break;
        default:
            Text = raw;
            break;
        }
        int skip = 0;
        while (skip < Text.size() &&
               (Text[skip] == u'\t' || Text[skip] == u'\n' || Text[skip] == u'\r'))
            ++skip;
        Text = Shorten(Text.mid(skip).replace(u'\t', u' '), MaxBalloonText);

        QString title, text;
        TBalloonIcon icon = biNone;
        if (IsBalloon(realCol, cell.Y, title, text, icon)) {
            Title = title;
            Text = text;
            Icon = int(icon);
        }
        if (OnCellBalloon)
            OnCellBalloon(this, realCol, cell.Y, Title, Text, Icon);
    }
    FLastBalloonPos = valid ? TPoint(cell.X, cell.Y) : TPoint(-1, -1);
    Title = Shorten(Title, MaxBalloonTitle);
}

// ---------------------------------------------------------------------------------------
// Border
// ---------------------------------------------------------------------------------------

void TDazStringGrid::PaintNonClientBorder(TCanvas &Canvas)
{
    if (!FramedLook(FLook) || BorderStyle() == bsNone || FBorderColor == clNone || FFlat)
        return;
    // From the bottom-left corner up, right, down and back left.
    auto outline = [&](int L, int T, int R, int B) {
        Canvas.MoveTo(L, B);
        Canvas.LineTo(L, T);
        Canvas.LineTo(R, T);
        Canvas.LineTo(R, B);
        Canvas.LineTo(L, B);
    };
    const TPen pen = Canvas.Pen;
    Canvas.Pen = TPen{FBorderColor, 1, psSolid, pmCopy};
    const int w = width(), h = height();
    if (FitCellsInGrid()) {
        outline(1, 1, w - 2, h - 2);
        if (QWidget *p = parentWidget()) {
            Canvas.Pen.Color = FromQColor(p->palette().color(p->backgroundRole()));
            outline(0, 0, w - 1, h - 1);
        }
    } else if (IsComCtlVer6()) {
        outline(0, 0, w - 1, h - 1);
    }
    Canvas.Pen = pen;
}

bool TDazStringGrid::FrameEvent(QEvent *e)
{
    const bool result = TBaseGrid::event(e);
    if (e->type() == QEvent::Resize && FSearchPanel && FSearchFooter.Visible())
        FSearchPanel->setGeometry(0, height() - 32, width(), 32);
    if (e->type() == QEvent::Paint && !FUpdateLock.Locked()) {
        TCanvas canvas(this);
        PaintNonClientBorder(canvas);
    }
    return result;
}

// ---------------------------------------------------------------------------------------
// Focus ring
// ---------------------------------------------------------------------------------------

void TDazStringGrid::ShowFocusWindow(const TRect &R)
{
    if (!FFocusWindow)
        FFocusWindow = new TGridFocusWindow(this);
    FFocusWindow->hide();
    const int w = R.Width() + 9;
    const int h = R.Height() + 9;
    if (w <= 0 || h <= 0)
        return;
    QImage mask;
    MakeRoundedMaskBitmap(mask, w, h, 4, 3, 5);
    QImage face(w, h, QImage::Format_BGR888);
    face.fill(ToQColor(FocusRingColor));
    TGridAlphaMask ring;
    ring.Opacity = FocusRingOpacity;
    ring.MergeMask(mask, face, FocusRingColor);
    if (ring.Width() == 0 || ring.Height() == 0)
        return;
    FFocusWindow->SetAlphaMask(ring);
    // Only the ring shows; the cell inside stays reachable.
    FFocusWindow->setMask(QRegion(0, 0, w, h).xored(QRegion(4, 4, R.Width(), R.Height())));
    const QPoint at = viewport()->mapToGlobal(QPoint(R.Left - 4, R.Top - 4));
    FFocusWindow->setGeometry(at.x(), at.y(), w, h);
    FFocusWindow->show();
    SetFocusWindowGrid(this);
    // The ring follows the grid's window when it moves.
    if (QWidget *win = window(); win && win != FFocusWindowHost) {
        if (FFocusWindowHost)
            FFocusWindowHost->removeEventFilter(this);
        FFocusWindowHost = win;
        win->installEventFilter(this);
    }
}

void TDazStringGrid::MoveFocusWindow()
{
    if (!FFocusWindow)
        return;
    const TRect r = CellRect(Col(), Row());
    const QPoint at = viewport()->mapToGlobal(QPoint(r.Left - 4, r.Top - 4));
    FFocusWindow->setGeometry(at.x(), at.y(), r.Width() + 9, r.Height() + 9);
}

void TDazStringGrid::HideFocusWindow()
{
    if (FocusWindowGrid() == this)
        SetFocusWindowGrid(nullptr);
    if (FFocusWindow)
        FFocusWindow->hide();
}

// ---------------------------------------------------------------------------------------
// Sizing lines
// ---------------------------------------------------------------------------------------

void TDazStringGrid::DrawColSizingLine(int X)
{
    if (!FSizingLine)
        FSizingLine = new TSizingLine(viewport());
    const int last = int(std::min<int64_t>(RowOffset(RowCount()) + RowCount(), 1 << 20));
    FSizingLine->ToggleVertical(X, std::max(height(), last));
}

void TDazStringGrid::DrawRowSizingLine(int Y)
{
    if (!FSizingLine)
        FSizingLine = new TSizingLine(viewport());
    const int last = int(std::min<int64_t>(ColOffset(ColCount()) + ColCount(), 1 << 20));
    FSizingLine->ToggleHorizontal(Y, std::max(width(), last));
}
