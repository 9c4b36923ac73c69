#pragma once
// A canvas in tenths of a millimetre with y growing upward from the page's top edge (y = 0,
// rows at negative y), drawing on a device canvas of a given resolution. Text, images and
// check boxes stay upright: coordinates are converted here, the device is never flipped.
#include "platform/canvas.h"

#include <vector>

class TPageCanvas
{
public:
    // Origin: the device pixel where page point (0, 0) lies.
    TPageCanvas(TCanvas &Device, double DpiX, double DpiY, TPoint Origin = {});

    TCanvas &Device() { return dev_; }
    double DpiX() const { return dpiX_; }
    double DpiY() const { return dpiY_; }

    int ToDeviceX(int X) const;
    int ToDeviceY(int Y) const;
    // Page rectangle (Top above Bottom, so Top > Bottom) to a device one, and back.
    TRect ToDevice(const TRect &R) const;
    TRect FromDevice(const TRect &R) const;
    int DeviceToPageX(int Px) const;   // a distance
    int DeviceToPageY(int Py) const;

    TPen Pen;          // Width in page units
    TBrush Brush;
    TFont Font;        // Size is ignored: the height below is used
    int FontHeight = -35;   // page units; negative: the character height

    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Rectangle(int Left, int Top, int Right, int Bottom);   // pen only, no fill
    void FillRect(const TRect &R);
    int TextWidth(const QString &Text);
    int TextHeight(const QString &Text);
    void TextOut(int X, int Y, const QString &Text);   // Y: the text's top
    // R in page units; DT_CALCRECT sets R's right and bottom. Returns the height drawn.
    int DrawText(const QString &Text, TRect &R, unsigned Flags);
    // The device canvas with this canvas's font, pen and brush, for drawing in pixels.
    TCanvas &Prepared();
    // The device font matching a page font height.
    TFont DeviceFont() const;

    // Tests: every call, in page units.
    void SetRecorder(std::vector<TCanvasOp> *Log) { recorder_ = Log; }

private:
    void Apply();
    void Record(const char *Name, const TRect &R, const QString &Text = {}, unsigned Flags = 0);

    TCanvas &dev_;
    double dpiX_, dpiY_;
    TPoint origin_;
    TPoint pos_;
    std::vector<TCanvasOp> *recorder_ = nullptr;
};
