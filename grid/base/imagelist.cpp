#include "grid/base/imagelist.h"

#include "platform/canvas.h"

TCustomImageList::TCustomImageList(int width, int height) : FWidth(width), FHeight(height) {}

int TCustomImageList::Add(const QImage &image)
{
    QImage img = image.size() == QSize(FWidth, FHeight)
                     ? image
                     : image.scaled(FWidth, FHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    FImages.push_back(img.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    return Count() - 1;
}

QImage TCustomImageList::GetImage(int index) const
{
    return index >= 0 && index < Count() ? FImages[size_t(index)] : QImage();
}

void TCustomImageList::Draw(TCanvas &canvas, int x, int y, int index) const
{
    if (index >= 0 && index < Count())
        canvas.Draw(x, y, FImages[size_t(index)]);
}
