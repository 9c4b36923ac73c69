#include "platform/pagecanvas.h"

#include <cmath>

TPageCanvas::TPageCanvas(TCanvas &Device, double DpiX, double DpiY, TPoint Origin)
    : dev_(Device), dpiX_(DpiX > 0 ? DpiX : 96), dpiY_(DpiY > 0 ? DpiY : 96), origin_(Origin)
{
    Font = Device.Font;
}

int TPageCanvas::ToDeviceX(int X) const { return origin_.X + int(std::lround(X * dpiX_ / 254.0)); }
int TPageCanvas::ToDeviceY(int Y) const { return origin_.Y + int(std::lround(-Y * dpiY_ / 254.0)); }

TRect TPageCanvas::ToDevice(const TRect &R) const
{
    return TRect(ToDeviceX(R.Left), ToDeviceY(R.Top), ToDeviceX(R.Right), ToDeviceY(R.Bottom));
}

TRect TPageCanvas::FromDevice(const TRect &R) const
{
    auto px = [&](int x) { return int(std::lround((x - origin_.X) * 254.0 / dpiX_)); };
    auto py = [&](int y) { return int(std::lround(-(y - origin_.Y) * 254.0 / dpiY_)); };
    return TRect(px(R.Left), py(R.Top), px(R.Right), py(R.Bottom));
}

int TPageCanvas::DeviceToPageX(int Px) const { return int(std::lround(Px * 254.0 / dpiX_)); }
int TPageCanvas::DeviceToPageY(int Py) const { return int(std::lround(Py * 254.0 / dpiY_)); }

TFont TPageCanvas::DeviceFont() const
{
    TFont f = Font;
    // TFont sizes are points at 96 pixels per inch.
    const double pixels = std::abs(FontHeight) * dpiY_ / 254.0;
    f.Size = std::max(1, int(std::lround(pixels * 72.0 / 96.0)));
    return f;
}

void TPageCanvas::Apply()
{
    dev_.Font = DeviceFont();
    dev_.Pen = Pen;
    dev_.Pen.Width = std::max(1, int(std::lround(Pen.Width * dpiX_ / 254.0)));
    dev_.Brush = Brush;
}

TCanvas &TPageCanvas::Prepared()
{
    Apply();
    return dev_;
}

void TPageCanvas::Record(const char *Name, const TRect &R, const QString &Text, unsigned Flags)
{
    if (!recorder_)
        return;
    TCanvasOp op;
    op.Name = QLatin1String(Name);
    op.Rect = R;
    op.Text = Text;
    op.Pen = Pen;
    op.Brush = Brush;
    op.Font = Font;
    op.Flags = Flags;
    recorder_->push_back(op);
}

void TPageCanvas::MoveTo(int X, int Y) { pos_ = TPoint(X, Y); }

void TPageCanvas::LineTo(int X, int Y)
{
    Record("LineTo", TRect(pos_.X, pos_.Y, X, Y));
    Apply();
    dev_.MoveTo(ToDeviceX(pos_.X), ToDeviceY(pos_.Y));
    dev_.LineTo(ToDeviceX(X), ToDeviceY(Y));
    pos_ = TPoint(X, Y);
}

void TPageCanvas::Rectangle(int Left, int Top, int Right, int Bottom)
{
    Record("Rectangle", TRect(Left, Top, Right, Bottom));
    Apply();
    const TBrush keep = dev_.Brush;
    dev_.Brush.Style = bsClear;
    dev_.Rectangle(ToDevice(TRect(Left, Top, Right, Bottom)));
    dev_.Brush = keep;
}

void TPageCanvas::FillRect(const TRect &R)
{
    Record("FillRect", R);
    Apply();
    dev_.FillRect(ToDevice(R));
}

int TPageCanvas::TextWidth(const QString &Text)
{
    Apply();
    return DeviceToPageX(dev_.TextWidth(Text));
}

int TPageCanvas::TextHeight(const QString &Text)
{
    Apply();
    return DeviceToPageY(dev_.TextHeight(Text));
}

void TPageCanvas::TextOut(int X, int Y, const QString &Text)
{
    Record("TextOut", TRect(X, Y, X + TextWidth(Text), Y - TextHeight(Text)), Text);
    Apply();
    dev_.TextOut(ToDeviceX(X), ToDeviceY(Y), Text);
}

int TPageCanvas::DrawText(const QString &Text, TRect &R, unsigned Flags)
{
    Apply();
    TRect d = ToDevice(R);
    const int h = dev_.DrawText(Text, d, Flags);
    if (Flags & DT_CALCRECT) {
        const TRect back = FromDevice(d);
        R.Right = back.Right;
        R.Bottom = back.Bottom;
    } else {
        Record("DrawText", R, Text, Flags);
    }
    return DeviceToPageY(h);
}
