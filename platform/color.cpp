#include "platform/color.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// The palette entry that stands in for each system colour.
QColor SystemColor(int n)
{
    const QPalette pal = QGuiApplication::palette();
    using P = QPalette;
    switch (n) {
    case 0: return pal.color(P::Active, P::Button);            // scroll bar
    case 1: return pal.color(P::Active, P::Dark);              // desktop
    case 2: return pal.color(P::Active, P::Highlight);         // active caption
    case 3: return pal.color(P::Inactive, P::Mid);             // inactive caption
    case 4: return pal.color(P::Active, P::Window);            // menu
    case 5: return pal.color(P::Active, P::Base);              // window
    case 6: return pal.color(P::Active, P::Shadow);            // window frame
    case 7: return pal.color(P::Active, P::WindowText);        // menu text
    case 8: return pal.color(P::Active, P::Text);              // window text
    case 9: return pal.color(P::Active, P::HighlightedText);   // caption text
    case 10: return pal.color(P::Active, P::Button);           // active border
    case 11: return pal.color(P::Inactive, P::Button);         // inactive border
    case 12: return pal.color(P::Active, P::Mid);              // MDI work space
    case 13: return pal.color(P::Active, P::Highlight);
    case 14: return pal.color(P::Active, P::HighlightedText);
    case 15: return pal.color(P::Active, P::Button);           // button face
    case 16: return pal.color(P::Active, P::Dark);             // button shadow
    case 17: return pal.color(P::Disabled, P::Text);           // grey text
    case 18: return pal.color(P::Active, P::ButtonText);
    case 19: return pal.color(P::Inactive, P::WindowText);     // inactive caption text
    case 20: return pal.color(P::Active, P::Light);            // button highlight
    case 21: return pal.color(P::Active, P::Shadow);           // 3D dark shadow
    case 22: return pal.color(P::Active, P::Midlight);         // 3D light
    case 23: return pal.color(P::Active, P::ToolTipText);
    case 24: return pal.color(P::Active, P::ToolTipBase);
    case 26: return pal.color(P::Active, P::Link);             // hot-tracked item
    case 27: return pal.color(P::Active, P::Highlight);        // caption gradients
    case 28: return pal.color(P::Inactive, P::Mid);
    case 29: return pal.color(P::Active, P::Highlight);        // menu highlight
    case 30: return pal.color(P::Active, P::Window);           // menu bar
    default: return pal.color(P::Active, P::Window);
    }
}

} // namespace

bool IsSystemColor(TColor c)
{
    return (uint32_t(c) & 0xFF000000u) == 0xFF000000u;
}

TColor ColorToRGB(TColor c)
{
    if (c == clNone || c == clDefault)
        return clBlack;
    if (IsSystemColor(c))
        return FromQColor(SystemColor(c & 0xFF));
    return TColor(uint32_t(c) & 0x00FFFFFFu);
}

QColor ToQColor(TColor c)
{
    if (c == clNone)
        return QColor(Qt::transparent);
    if (IsSystemColor(c))
        return SystemColor(c & 0xFF);
    const TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return RGB(rgb.red(), rgb.green(), rgb.blue());
}
