#pragma once
// The premultiplied alpha bitmap that gives the grid's focus glow its look, and the soft
// rounded mask it is made from: a rounded ring on black, blurred with a Gaussian kernel.
// Bitmaps are QImages; "24-bit" means Format_BGR888 or Format_RGB888.
#include "platform/color.h"

#include <QImage>
#include <cstdint>
#include <stdexcept>

// A bitmap of the wrong kind for the operation asked, or a picture file that cannot be
// read or decoded.
class EInvalidGraphic : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// 32 bits per pixel, blue, green, red and alpha bytes, colour premultiplied by alpha.
class TGridAlphaMask
{
public:
    TGridAlphaMask();

    uint8_t Opacity = 255;   // applied on top of the pixels' own alpha when shown

    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    void SetSize(int width, int height);
    const QImage &Image() const { return FImage; }
    QImage &Image() { return FImage; }

    // Opacity and pixels of another mask; the size stays, and only the part both masks
    // have is copied.
    void Assign(const TGridAlphaMask &Source);
    // Any other picture, converted to premultiplied 32-bit.
    void Assign(const QImage &Source);

    // Takes Bitmap's size; each pixel becomes Bitmap's colour premultiplied by the mask's
    // red channel as alpha. Nothing unless Bitmap is 24-bit and the mask covers it.
    void MergeMask(const QImage &Mask, const QImage &Bitmap, TColor Color);

private:
    QImage FImage;
};

bool Is24BitBitmap(const QImage &Bitmap);

// Weights for the offsets -10..10 (index k + 10); only -Size..Size are used.
struct TGaussianKernel
{
    int Size = 1;
    double Weights[21] = {};
};

TGaussianKernel BuildGaussianKernel(double Radius);

// Blurs a 24-bit bitmap in place; throws EInvalidGraphic for any other format. Only a band
// of about 20 pixels along each edge is convolved: the inside repeats row and column 15,
// which suits the uniform inside of the rounded masks.
void BlurBitmap24(QImage &Bitmap, double Radius);

// A white rounded rectangle on black, Width x Height, as a ring of PenWidth (a filled shape
// when PenWidth < 1), blurred when Radius > 0.
void MakeRoundedMaskBitmap(QImage &Bitmap, int Width, int Height, double Radius, int CornerSize,
                           int PenWidth);
