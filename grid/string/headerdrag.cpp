#include "grid/string/headerdrag.h"

#include "grid/base/drawroutines.h"

#include <QPainter>

namespace {

constexpr Qt::WindowFlags kFloatingFlags = Qt::Tool | Qt::FramelessWindowHint |
                                           Qt::WindowStaysOnTopHint |
                                           Qt::WindowDoesNotAcceptFocus |
                                           Qt::WindowTransparentForInput;

}   // namespace

THeaderDragButton::THeaderDragButton(QWidget *AOwner) : QWidget(AOwner, kFloatingFlags)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    hide();
}

void THeaderDragButton::SetCaption(const QString &Value)
{
    FCaption = Value;
    update();
}

void THeaderDragButton::paintEvent(QPaintEvent *)
{
    TCanvas canvas(this);
    const TRect r(0, 0, width(), height());
    DrawPushButtonFace(canvas, this, r, glyphFrame, glyphNormal, TColorTones());
    canvas.Font = TFont::FromQFont(font());
    canvas.Brush.Style = bsClear;
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
