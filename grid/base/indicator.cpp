#include "grid/base/indicator.h"

#include <QPainter>
#include <QPolygon>
#include <QRegion>

namespace {

constexpr Qt::WindowFlags kPopupFlags = Qt::Tool | Qt::FramelessWindowHint |
                                        Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint;

} // namespace

std::array<TPoint, 7> TArrowWindow::ArrowOutline(TArrowDirection Direction)
{
    switch (Direction) {
    case arrDown:
        return {{{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}};
    case arrLeft:
        return {{{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}};
    case arrRight:
        return {{{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}};
    case arrUp:
        break;
    }
    return {{{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}};
}

TArrowWindow::TArrowWindow(QWidget *AOwner, TArrowDirection Direction)
    : QWidget(AOwner, kPopupFlags), Dir(Direction), Arrow(ArrowOutline(Direction))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPolygon outline;
    for (const TPoint &p : Arrow)
        outline << p.ToQPoint();
    setMask(QRegion(outline, Qt::WindingFill));
    hide();
}

void TArrowWindow::SetColor(TColor Value)
{
    FColor = Value;
    update();
}

void TArrowWindow::paintEvent(QPaintEvent *)
{
    TCanvas canvas(this);
    canvas.Brush.Color = FColor;
    canvas.Pen.Color = FColor;
    canvas.FillRect(TRect(0, 0, width(), height()));
}

TGridFocusWindow::TGridFocusWindow(QWidget *AOwner)
    : QWidget(AOwner, kPopupFlags | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setEnabled(false);
    resize(0, 0);
}

void TGridFocusWindow::SetAlphaMask(const TGridAlphaMask &Mask)
{
    FMask = Mask.Image();
    FOpacity = Mask.Opacity;
    resize(FMask.size());
    update();
}

void TGridFocusWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (FMask.isNull()) {
        p.fillRect(rect(), ToQColor(FColor));
        return;
    }
    p.setOpacity(FOpacity / 255.0);
    p.drawImage(0, 0, FMask);
}
