#include "grid/string/headerdrag.h"

#include "grid/base/drawroutines.h"
#include "grid/base/markuprender.h"
#include "grid/string/dazstringgrid.h"

#include <QPainter>

namespace {

constexpr Qt::WindowFlags kFloatingFlags = Qt::Tool | Qt::FramelessWindowHint |
                                           Qt::WindowStaysOnTopHint |
                                           Qt::WindowDoesNotAcceptFocus |
                                           Qt::WindowTransparentForInput;

}   // namespace

THeaderDragButton::THeaderDragButton(QWidget *AOwner)
    : QWidget(AOwner, kFloatingFlags), FGrid(dynamic_cast<TDazStringGrid *>(AOwner))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(ColorToRGB(clBtnFace)));
    setPalette(pal);
    setAutoFillBackground(true);
    hide();
}

void THeaderDragButton::SetCaption(const QString &Value)
{
    FCaption = Value;
    update();
}

void THeaderDragButton::SetGrid(TDazStringGrid *Value)
{
    FGrid = Value;
    update();
}

void THeaderDragButton::SetFlat(bool Value)
{
    FFlat = Value;
    update();
}

void THeaderDragButton::paintEvent(QPaintEvent *)
{
    TCanvas canvas(this);
    // A pop-up with a thin border: the client area lies inside it.
    canvas.Brush.Style = bsClear;
    canvas.Pen.Color = clWindowFrame;
    canvas.Pen.Width = 1;
    canvas.Rectangle(TRect(0, 0, width(), height()));
    const TRect r(1, 1, width() - 1, height() - 1);
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    TDazStringGrid *grid = FGrid;
    if (grid && grid->ColCount() > 0 && grid->RowCount() > 0) {
        grid->PaintCellExt(canvas, 0, 0, r, TGridDrawState{gdFixed});
        canvas.Font = grid->FixedFont().Value();
    } else {
        DrawPushButtonFace(canvas, this, r, glyphFrame, glyphNormal, TColorTones());
        canvas.Font = TFont::FromQFont(font());
    }
    canvas.Brush.Style = bsClear;
    if (FCaption.contains(QLatin1String("</"))) {
        THtmlRenderParams params;
        params.Images = grid ? grid->GridImages() : nullptr;
        THtmlRenderResult result;
        RenderHtmlText(canvas, FCaption, r, params, result);
        return;
    }
    TRect text = r;
    canvas.DrawText(FCaption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

TDragImageForm::TDragImageForm(QWidget *AOwner, const QImage &Image)
    : QWidget(AOwner, kFloatingFlags), FImage(Image)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowOpacity(192 / 255.0);
    resize(Image.size());
    hide();
}

void TDragImageForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, FImage);
}
