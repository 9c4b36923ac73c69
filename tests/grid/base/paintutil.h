#pragma once
// Small helpers of the painting tests: images to draw on, pixels as TColor, recorded calls.
#include "platform/canvas.h"

#include <QImage>
#include <QWidget>
#include <algorithm>
#include <vector>

inline QImage BlankImage(int w, int h, TColor color = clWhite)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(ToQColor(color));
    return img;
}

inline TColor PixelAt(const QImage &img, int x, int y)
{
    return FromQColor(img.pixelColor(x, y)) & 0xFFFFFF;
}

inline QImage RenderWidget(QWidget &w, TColor background = clWhite)
{
    QImage img = BlankImage(w.width(), w.height(), background);
    w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

inline std::vector<TCanvasOp> OpsNamed(const std::vector<TCanvasOp> &ops, const QString &name)
{
    std::vector<TCanvasOp> out;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(out),
                 [&](const TCanvasOp &op) { return op.Name == name; });
    return out;
}

inline int CountPixels(const QImage &img, const TRect &r, TColor color)
{
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            n += PixelAt(img, x, y) == color;
    return n;
}
