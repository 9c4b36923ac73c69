#include "grid/string/htmlhintwindow.h"

#include "grid/base/markuprender.h"
#include "grid/base/textroutines.h"
#include "grid/string/dazstringgrid.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>

namespace {

QString &FontName()
{
    static QString name;
    return name;
}

}   // namespace

QString THTMLHintWindow::HintFontName() { return FontName(); }
void THTMLHintWindow::SetHintFontName(const QString &Name) { FontName() = Name; }

THTMLHintWindow::THTMLHintWindow(QWidget *AOwner)
    : QWidget(AOwner, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

void THTMLHintWindow::SetColor(TColor Value)
{
    FColor = Value;
    update();
}

TFont THTMLHintWindow::HintFont(bool Wide) const
{
    TFont f = TFont::FromQFont(font(), clInfoText);
    if (Wide && !FontName().isEmpty())
        f.Name = FontName();
    return f;
}

QSize THTMLHintWindow::Measure(const QString &AHint, int MaxWidth, bool &Wide,
                               QString &Decoded)
{
    Wide = ClassifyCellText(AHint, true) == ctWideText;
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&scratch);
    canvas.Font = HintFont(Wide);
    if (Wide) {
        Decoded = DecodeWideCellText(AHint);
        TRect r(0, 0, MaxWidth, 0);
        canvas.DrawText(Decoded, r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        return QSize(r.Width(), r.Height());
    }
    THtmlRenderParams params;
    params.Images = FImages;
    params.Container = FPictureContainer;
    params.MeasureOnly = true;
    THtmlRenderResult result;
    RenderHtmlText(canvas, AHint, TRect(0, 0, MaxWidth, 4096), params, result);
    return QSize(result.ExtentX, result.ExtentY);
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const QString &AHint, TDazStringGrid *AData)
{
    if (AData) {
        FImages = AData->GridImages();
        FPictureContainer = AData->PictureContainer();
    }
    bool wide = false;
    QString decoded;
    const QSize s = Measure(AHint, MaxWidth > 0 ? MaxWidth : 1008, wide, decoded);
    return TRect(0, 0, s.width(), s.height());
}

void THTMLHintWindow::ActivateHintData(TRect Rect, const QString &AHint, TDazStringGrid *AData)
{
    if (AData) {
        FImages = AData->GridImages();
        FPictureContainer = AData->PictureContainer();
    }
    ActivateHint(Rect, AHint);
}

void THTMLHintWindow::ForgetSource(const void *Removed)
{
    if (static_cast<const void *>(FImages) == Removed)
        FImages = nullptr;
    if (static_cast<const void *>(FPictureContainer) == Removed)
        FPictureContainer = nullptr;
}

void THTMLHintWindow::ActivateHint(TRect Rect, const QString &AHint)
{
    FCaption = AHint;
    const QSize s = Measure(AHint, 1008, FWide, FWideCaption);
    const int margin = FWide ? 8 : 16;
    FTextWidth = s.width();
    FTextHeight = s.height();
    Rect.Right = Rect.Left + FTextWidth + margin;
    Rect.Bottom = Rect.Top + FTextHeight + 4;
    const QPoint corner(Rect.Left, Rect.Top);
    QScreen *screen = QGuiApplication::screenAt(corner);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect m = screen->geometry();
        const int right = m.x() + m.width();
        const int bottom = m.y() + m.height();
        if (Rect.Right > right - 2)
            OffsetRect(Rect, right - 2 - Rect.Right, 0);
        if (Rect.Bottom > bottom - 2) {
            Rect.Bottom = bottom - 2;
            Rect.Top = Rect.Bottom - FTextHeight - 4;
        }
    }
    setGeometry(Rect.ToQRect());
    show();
    raise();
    update();
}

void THTMLHintWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    TCanvas canvas(&painter);
    const TRect r(0, 0, width(), height());
    canvas.Brush.Color = FColor;
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(r);
    canvas.Pen.Color = cl3DLight;
    canvas.Polyline({TPoint(r.Left, r.Bottom - 2), TPoint(r.Left, r.Top),
                     TPoint(r.Right - 1, r.Top)});
    canvas.Pen.Color = cl3DDkShadow;
    canvas.Polyline({TPoint(r.Left, r.Bottom - 1), TPoint(r.Right - 1, r.Bottom - 1),
                     TPoint(r.Right - 1, r.Top - 1)});
    TRect tr(r.Left + 4, r.Top + (r.Height() - FTextHeight) / 2, r.Right - 4,
             r.Top + (r.Height() - FTextHeight) / 2 + FTextHeight);
    canvas.Brush.Style = bsClear;
    canvas.Font = HintFont(FWide);
    if (FWide) {
        canvas.DrawText(FWideCaption, tr, DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    THtmlRenderParams params;
    params.Images = FImages;
    params.Container = FPictureContainer;
    params.AnchorColor = clBlue;
    params.ShadowColor = clGray;
    THtmlRenderResult result;
    RenderHtmlText(canvas, FCaption, tr, params, result);
}
