#include "grid/string/editorpaint.h"

#include "grid/base/styledetect.h"
#include "platform/theme.h"

#include <QGuiApplication>
#include <QPainter>
#include <QWidget>

namespace {

// One ring of a 3-D edge: top and left in TopLeft, bottom and right in BottomRight.
void EdgeRing(TCanvas &Canvas, TRect &R, TColor TopLeft, TColor BottomRight, unsigned Flags)
{
    if (R.Width() <= 0 || R.Height() <= 0)
        return;
    auto line = [&](const TRect &L, TColor C) {
        Canvas.Brush.Color = C;
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(L);
    };
    if (Flags & BF_TOP)
        line(TRect(R.Left, R.Top, R.Right, R.Top + 1), TopLeft);
    if (Flags & BF_LEFT)
        line(TRect(R.Left, R.Top, R.Left + 1, R.Bottom), TopLeft);
    if (Flags & BF_BOTTOM)
        line(TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom), BottomRight);
    if (Flags & BF_RIGHT)
        line(TRect(R.Right - 1, R.Top, R.Right, R.Bottom), BottomRight);
    if (Flags & BF_LEFT)
        ++R.Left;
    if (Flags & BF_TOP)
        ++R.Top;
    if (Flags & BF_RIGHT)
        --R.Right;
    if (Flags & BF_BOTTOM)
        --R.Bottom;
}

}   // namespace

void DrawEdge(TCanvas &Canvas, TRect &R, unsigned Edge, unsigned Flags)
{
    TRect inner = R;
    const bool flat = Flags & BF_FLAT;
    if (Edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
        if (flat)
            EdgeRing(Canvas, inner, clBtnShadow, clBtnShadow, Flags);
        else if (Edge & BDR_RAISEDOUTER)
            EdgeRing(Canvas, inner, cl3DLight, cl3DDkShadow, Flags);
        else
            EdgeRing(Canvas, inner, clBtnShadow, clBtnHighlight, Flags);
    }
    if (Edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
        if (flat)
            EdgeRing(Canvas, inner, clBtnFace, clBtnFace, Flags);
        else if (Edge & BDR_RAISEDINNER)
            EdgeRing(Canvas, inner, clBtnHighlight, clBtnShadow, Flags);
        else
            EdgeRing(Canvas, inner, cl3DDkShadow, cl3DLight, Flags);
    }
    if ((Flags & BF_MIDDLE) && inner.Width() > 0 && inner.Height() > 0) {
        Canvas.Brush.Color = clBtnFace;
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(inner);
    }
    if (Flags & BF_ADJUST)
        R = inner;
}

void FrameRectColor(TCanvas &Canvas, const TRect &R, TColor Color)
{
    if (Color == clNone)
        return;
    Canvas.Brush.Color = Color;
    Canvas.Brush.Style = bsSolid;
    Canvas.FrameRect(R);
}

void DrawOutline(TCanvas &Canvas, int Width, int Height)
{
    Canvas.MoveTo(0, Height);
    Canvas.LineTo(0, 0);
    Canvas.LineTo(Width - 1, 0);
    Canvas.LineTo(Width - 1, Height - 1);
    Canvas.LineTo(0, Height - 1);
}

void ExcludeClipRect(TCanvas &Canvas, const TRect &R)
{
    QPainter *p = Canvas.Painter();
    if (!p)
        return;
    const QRegion base = p->hasClipping() ? p->clipRegion() : QRegion(Canvas.ClipRect().ToQRect());
    p->setClipRegion(base.subtracted(QRegion(R.ToQRect())));
}

bool DrawFlatBorders(TCanvas &Canvas, TRect R, const TFlatBorderLook &Look, TRect &Inner)
{
    if (!Look.Enabled && Look.Themed && !Look.DisabledBorder) {
        FrameRectColor(Canvas, R, 0xB99D7F);
        return false;
    }
    if (Look.BorderColor != clNone && !(Look.Focused && Look.FocusBorderColor != clNone)) {
        FrameRectColor(Canvas, R, Look.BorderColor);
        return false;
    }
    if (Look.FocusBorderColor != clNone) {
        if (Look.Focused)
            FrameRectColor(Canvas, R, Look.FocusBorderColor);
        return false;
    }
    const TColor a = Look.Hot ? clBtnFace : Look.ParentColor;
    if (Look.Hot) {
        DrawEdge(Canvas, R, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        FrameRectColor(Canvas, R, a);
        InflateRect(R, -1, -1);
        FrameRectColor(Canvas, R, Look.ControlColor);
    } else {
        FrameRectColor(Canvas, R, a);
        InflateRect(R, -1, -1);
        R.Right -= Look.ButtonWidth;
        FrameRectColor(Canvas, R, a);
        InflateRect(R, -1, -1);
        FrameRectColor(Canvas, R, Look.ControlColor);
        R.Right += Look.ButtonWidth;
    }
    Inner = R;
    return true;
}

void DrawFlatButtonFace(TCanvas &Canvas, int Width, int Height, int ButtonWidth, bool Active,
                        bool RaisedWhenActive, bool Dropped)
{
    Canvas.Save();
    ExcludeClipRect(Canvas, TRect(Width - ButtonWidth + 4, 4, Width - 4, Height - 4));
    TRect r(Width - ButtonWidth - 2, 0, Width, Height);
    InflateRect(r, -2, -2);
    if (Active) {
        if (RaisedWhenActive)
            DrawEdge(Canvas, r, EDGE_RAISED, BF_RECT | (Dropped ? BF_FLAT : 0));
    } else {
        Canvas.Brush.Color = clBtnFace;
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(TRect(r.Left, r.Top + 1, r.Right - 1, r.Bottom - 1));
    }
    Canvas.Restore();
}

int DropButtonThemeState(bool Enabled, bool MouseDown, bool Dropped, bool Hover)
{
    if (!Enabled)
        return 4;
    if (MouseDown && Dropped)
        return 3;
    if (Hover && !MouseDown && !Dropped)
        return 2;
    return 1;
}

void DrawStandardDropButton(TCanvas &Canvas, QWidget *Window, const TRect &R, const TRect &FrameRect,
                            bool Themed, int ThemeState, bool Enabled)
{
    if (Themed) {
        if (const TThemeHandle theme = OpenThemeData(Window, QStringLiteral("combobox"))) {
            DrawThemeBackground(theme, Canvas, 1, ThemeState, R);
            CloseThemeData(theme);
        }
        return;
    }
    ThemePlatform().DrawFrameControl(Canvas, FrameRect, DFC_SCROLL,
                                     DFCS_SCROLLCOMBOBOX | (Enabled ? DFCS_FLAT : DFCS_INACTIVE));
}

void DrawCustomDropButton(TCanvas &Canvas, const TRect &Fill, int LineX, TColor Face,
                          TColor Border, TColor Arrow, int ArrowX, int ArrowY)
{
    if (Face != clNone) {
        Canvas.Brush.Color = Face;
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(Fill);
    }
    if (Border != clNone) {
        Canvas.Pen.Color = Border;
        Canvas.MoveTo(LineX, Fill.Top);
        Canvas.LineTo(LineX, Fill.Bottom);
    }
    if (Arrow != clNone) {
        Canvas.Brush.Color = Arrow;
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Color = Arrow;
        Canvas.Polygon({{ArrowX, ArrowY}, {ArrowX + 6, ArrowY}, {ArrowX + 3, ArrowY + 3}});
    }
}

TColor ParentBrushColor(const QWidget *Control)
{
    const QWidget *parent = Control ? Control->parentWidget() : nullptr;
    if (!parent)
        return clBtnFace;
    return FromQColor(parent->palette().color(parent->backgroundRole()));
}

bool IsMouseButtonDown()
{
    return QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton);
}

bool IsLeftMouseButtonDown()
{
    return QGuiApplication::mouseButtons() & Qt::LeftButton;
}

QString VersionText(uint32_t Version)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(Version >> 24)
        .arg((Version >> 16) & 0xFF)
        .arg((Version >> 8) & 0xFF)
        .arg(Version & 0xFF);
}
