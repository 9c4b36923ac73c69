#include "grid/string/editorpaint.h"

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
