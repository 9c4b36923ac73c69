#pragma once
// A list of images of one size, drawn by index: the grid's image list and the source of
// mark-up pictures written as "IDX:n".
#include "grid/base/classes.h"

#include <QImage>
#include <vector>

class TCanvas;

class TCustomImageList : public TComponent
{
public:
    explicit TCustomImageList(int width = 16, int height = 16);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int Count() const { return int(FImages.size()); }
    // Adds the image, scaled to the list's size; returns its index.
    int Add(const QImage &image);
    void Clear() { FImages.clear(); }
    // A null image for an index out of range.
    QImage GetImage(int index) const;
    void Draw(TCanvas &canvas, int x, int y, int index) const;

private:
    int FWidth;
    int FHeight;
    std::vector<QImage> FImages;
};
