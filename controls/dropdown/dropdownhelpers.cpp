#include "controls/dropdown/dropdownhelpers.h"

#include "grid/base/imagelist.h"
#include "grid/base/markuprender.h"
#include "grid/base/textroutines.h"
#include "grid/string/bitmap.h"
#include "platform/canvas.h"
#include "platform/rtl.h"

#include <QImage>
#include <algorithm>

namespace {

// The colour routines count clNone by its low 24 bits (white).
TColor PlainRGB(TColor c)
{
    return (IsSystemColor(c) ? ColorToRGB(c) : c) & 0xFFFFFF;
}

}   // namespace

TColor BlendColor(TColor A, TColor B, int Percent)
{
    if (Percent >= 100)
        return A;
    if (Percent <= 0)
        return B;
    const double p = Percent / 100.0;
    const TColor a = PlainRGB(A), b = PlainRGB(B);
    auto mix = [p](int x, int y) { return int(Round(p * x + (1 - p) * y)); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
               mix(GetBValue(a), GetBValue(b)));
}

TColor ShadeColor(TColor Color, int RedChange, int GreenChange, int BlueChange)
{
    const TColor c = PlainRGB(Color);
    // Kept within a channel's range: a change below -100 or a zero channel raised past 255
    // would otherwise spill into the neighbouring channel.
    auto shade = [](int v, int change) {
        const int c = v == 0 ? MaxOfInt(0, change)
                             : int(Round(MinOfInt(100, change + 100) / 100.0 * v));
        return std::clamp(c, 0, 255);
    };
    return RGB(shade(GetRValue(c), RedChange), shade(GetGValue(c), GreenChange),
               shade(GetBValue(c), BlueChange));
}

void DrawFilledRect(TCanvas *Canvas, const TRect &Rect, TColor Color, TColor ColorTo,
                    TColor BorderColor, int BorderWidth, TGradientDirection Direction)
{
    if (!Canvas)
        return;
    if (ColorTo != clNone) {
        DrawDropDownGradient(*Canvas, Color, ColorTo, 80, Rect, Direction == gdHorizontal);
    } else if (Color != clNone) {
        Canvas->Brush.Color = Color;
        Canvas->Brush.Style = bsSolid;
        Canvas->FillRect(Rect);
    }
    if (BorderColor != clNone && BorderWidth > 0) {
        Canvas->Brush.Style = bsClear;
        Canvas->Pen.Color = BorderColor;
        Canvas->Pen.Width = BorderWidth;
        Canvas->Pen.Style = psSolid;
        Canvas->Rectangle(Rect);
    }
}

void DrawImageAndText(TCanvas *Canvas, const TRect &Rect, const QString &Text,
                      const TCustomImageList *Images, int ImageIndex)
{
    if (!Canvas)
        return;
    TRect textRect = Rect;
    const bool image = Images && ImageIndex >= 0;
    if (image) {
        const int height = Rect.Bottom - Rect.Top;
        Images->Draw(*Canvas, Rect.Left + 4, Rect.Top + (height - Images->Height()) / 2,
                     ImageIndex);
        textRect.Left = Rect.Left + 4 + Images->Width() + 4;
    }
    if (Text.isEmpty())
        return;
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    if (!image)
        flags |= DT_CENTER;
    Canvas->Brush.Style = bsClear;
    Canvas->DrawText(Text, textRect, flags);
}

void DrawTransparentGlyph(TCanvas &Canvas, const TBitmap &Glyph, TColor Background,
                          const TRect &Rect)
{
    if (Glyph.Empty())
        return;
    QImage img = Glyph.Image().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = img.pixel(0, 0);
    const QRgb bg = ToQColor(Background).rgba();
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (line[x] == key)
                line[x] = bg;
    }
    const int w = std::min(Rect.Right - Rect.Left, img.width());
    const int h = std::min(Rect.Bottom - Rect.Top, img.height());
    if (w > 0 && h > 0)
        Canvas.Draw(Rect.Left, Rect.Top, img.copy(0, 0, w, h));
}

QSize MeasureText(TCanvas &Canvas, const QString &Text)
{
    if (Text.isEmpty())
        return {0, 0};
    TRect r(0, 0, 1000, 500);
    Canvas.DrawText(Text, r, DT_SINGLELINE | DT_CALCRECT);
    return {r.Right, r.Bottom};
}

void FitText(TCanvas &Canvas, const QString &Text, int MaxWidth, bool Ellipsis,
             QString &Result)
{
    Result = Text;
    if (MeasureText(Canvas, Text).width() <= MaxWidth)
        return;
    const int length = int(Text.size());
    for (int i = 0; i < length; ++i) {
        QString candidate = Text.left(length - i - 1);
        if (Ellipsis)
            candidate += QLatin1String("...");
        if (MeasureText(Canvas, candidate).width() < MaxWidth) {
            Result = candidate;
            return;
        }
    }
}

THtmlRenderParams HtmlCaptionParams(const TCustomImageList *Images, bool Draw,
                                    const QWidget *Window)
{
    THtmlRenderParams p;
    p.Images = Images;
    p.MeasureOnly = !Draw;
    p.AnchorColor = 0x808080;
    p.HoverColor = clNone;
    p.HoverTextColor = clNone;
    p.ShadowColor = 0xFF0000;
    p.ThemeWindow = Window;
    return p;
}

void DrawHtmlCaption(TCanvas &Canvas, const QString &Text, const TRect &Rect,
                     const TCustomImageList *Images, bool Draw, const QWidget *Window,
                     QSize &Extent)
{
    Extent = {0, 0};
    if (Text.isEmpty())
        return;
    THtmlRenderResult result;
    RenderHtmlText(Canvas, Text, Rect, HtmlCaptionParams(Images, Draw, Window), result);
    Extent = {result.ExtentX, result.ExtentY};
}

QChar ThousandSeparatorChar()
{
    return GetThousandSeparator();
}

QChar DecimalSeparatorChar()
{
    return GetDecimalSeparator();
}

bool IsRangeSeparator(QChar Ch)
{
    return Ch == u',' || Ch == u'-' || Ch == u';';
}

// One pass: a hexadecimal, an integer and a float candidate each lose their chance at the
// first character they cannot hold; two thousand separators closer than three places
// spoil the float; more than one minus or decimal separator makes any text plain text.
int ClassifyNumberText(const QString &Text)
{
    const QChar thousand = ThousandSeparatorChar(), decimal = DecimalSeparatorChar();
    bool hex = !Text.isEmpty(), integer = hex, flt = hex;
    int lastThousand = -1, minus = 0, decimals = 0;
    for (int k = 1; k <= int(Text.size()); ++k) {
        const QChar ch = Text[k - 1];
        const bool digit = ch >= u'0' && ch <= u'9';
        if (!(ch == u'-' || digit || (ch >= u'A' && ch <= u'F') || (ch >= u'a' && ch <= u'f')))
            hex = false;
        if (!(digit || ch == u'-'))
            integer = false;
        if (!(digit || ch == u',' || ch == u'-' || ch == u'.'))
            flt = false;
        if (ch == thousand) {
            if (k - lastThousand <= 2)
                flt = false;
            lastThousand = k;
        }
        if (ch == u'-')
            ++minus;
        if (ch == decimal)
            ++decimals;
    }
    int kind = tkText;
    if (hex && !integer)
        kind = tkHex;
    if (integer)
        kind = tkNumeric;
    else if (flt)
        kind = tkFloat;
    if (minus > 1 || decimals > 1)
        kind = tkText;
    return kind;
}

QString StripThousandSeparators(const QString &Text)
{
    QString s = Text;
    s.remove(ThousandSeparatorChar());
    return s;
}

int HexDigitValue(QChar Ch)
{
    if (Ch >= u'0' && Ch <= u'9')
        return Ch.unicode() - u'0';
    if (Ch >= u'A' && Ch <= u'F')
        return Ch.unicode() - u'A' + 10;
    if (Ch >= u'a' && Ch <= u'f')
        return Ch.unicode() - u'a' + 10;
    return 0;
}

int HexToInt(const QString &Text)
{
    // Unsigned arithmetic wraps as the 32-bit sum does, without undefined overflow.
    uint32_t sum = 0, weight = 1;
    for (int i = int(Text.size()) - 1; i >= 0; --i) {
        sum += uint32_t(HexDigitValue(Text[i])) * weight;
        weight *= 16;
    }
    return int(sum);
}

QString CaseKey(const QString &Text, bool CaseSensitive)
{
    return CaseSensitive ? Text : AnsiUpperCase(Text);
}
