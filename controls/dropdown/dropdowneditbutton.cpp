#include "controls/dropdown/dropdowneditbutton.h"

#include "controls/dropdown/dropdownhelpers.h"
#include "grid/base/styledetect.h"
#include "grid/string/bitmap.h"
#include "grid/string/editorpaint.h"
#include "platform/theme.h"

#include <QMouseEvent>

namespace {

// Theme states of both parts.
int Theme_State(bool enabled, bool pressed, bool hot)
{
    return !enabled ? 4 : pressed ? 3 : hot ? 2 : 1;
}

void Arrow(TCanvas &Canvas, TColor Color)
{
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = Color;
    Canvas.Pen.Color = Color;
    Canvas.Polygon({TPoint(5, 7), TPoint(11, 7), TPoint(8, 10)});
}

} // namespace

TDazDropDownSpeedButton::TDazDropDownSpeedButton(TDropDownEditButton *AOwner)
    : TSpeedButton(AOwner), FOwner(AOwner), FIsWinXP(ThemePlatform().CommonControlsMajorVersion() > 5)
{
}

void TDazDropDownSpeedButton::Invalidate()
{
    ++FRepaints;
    update();
}

void TDazDropDownSpeedButton::SetButtonStyle(TButtonStyle Value)
{
    FButtonStyle = Value;
    Invalidate();
}

void TDazDropDownSpeedButton::SetEtched(bool Value)
{
    if (FEtched == Value)
        return;
    FEtched = Value;
    Invalidate();
}

void TDazDropDownSpeedButton::SetFocused(bool Value)
{
    if (FFocused == Value)
        return;
    FFocused = Value;
    Invalidate();
}

void TDazDropDownSpeedButton::MouseEnter()
{
    TSpeedButton::MouseEnter();
    FHot = true;
    Invalidate();
}

void TDazDropDownSpeedButton::MouseLeave()
{
    TSpeedButton::MouseLeave();
    FHot = false;
    Invalidate();
}

bool TDazDropDownSpeedButton::Pressed() const
{
    return (State() == bsDown || State() == bsExclusive) && !FUp;
}

bool TDazDropDownSpeedButton::Themed() const
{
    return FIsWinXP && ThemePlatform().IsThemeActive();
}

void TDazDropDownSpeedButton::Paint(TCanvas &Canvas)
{
    if (FButtonStyle == bsDropDown)
        PaintDropDown(Canvas);
    else
        PaintButton(Canvas);
}

void TDazDropDownSpeedButton::PaintDropDown(TCanvas &Canvas)
{
    const TRect client(0, 0, width(), height());
    const TDropDownEditButton &o = *FOwner;
    const bool pressed = Pressed();
    if (o.FButtonColor != clNone) {
        const TColor face = pressed ? o.FButtonColorDown : FHot ? o.FButtonColorHot : o.FButtonColor;
        Canvas.Brush.Style = bsSolid;
        Canvas.Brush.Color = face;
        Canvas.Pen.Color = face;
        Canvas.FillRect(client);
        Canvas.Pen.Color = o.Edit() ? o.Edit()->EditBorderColor() : clNone;
        Canvas.MoveTo(0, 0);
        Canvas.LineTo(0, height());
        Arrow(Canvas, pressed ? o.FButtonTextColorDown : FHot ? o.FButtonTextColorHot : o.FButtonTextColor);
        return;
    }
    if (!Glyph().isNull() && Glyph().width() > 0 && Glyph().height() > 0) {
        Canvas.Brush.Style = bsSolid;
        Canvas.Brush.Color = clBtnFace;
        Canvas.Pen.Color = 0x808080;
        Canvas.Rectangle(client);
        Canvas.DrawTransparent(0, 0, Glyph(), FromQColor(Glyph().pixelColor(0, Glyph().height() - 1)));
        return;
    }
    const bool enabled = o.Edit() && o.Edit()->EditEnabled() && !o.Edit()->EditReadOnly();
    setEnabled(enabled);
    if (Themed()) {
        const TThemeHandle theme = ThemePlatform().OpenThemeData(parentWidget(), QStringLiteral("combobox"));
        TRect r = client;
        if (IsWindowsVistaOrLater()) {
            r.Left += 1;
        } else {
            r.Left -= 1, r.Top -= 1, r.Right += 1, r.Bottom += 1;
            r.Left += 2;
        }
        ThemePlatform().DrawThemeBackground(theme, Canvas, 1, Theme_State(enabled, pressed, FHot), r);
        ThemePlatform().CloseThemeData(theme);
        return;
    }
    TSpeedButton::Paint(Canvas);
    Canvas.Pen.Width = 1;
    Canvas.Pen.Color = clBtnFace;
    Canvas.MoveTo(width() - 2, 0);
    Canvas.LineTo(0, 0);
    Canvas.LineTo(0, height() - 1);
    Canvas.Pen.Color = clWhite;
    Canvas.MoveTo(width() - 3, 1);
    Canvas.LineTo(1, 1);
    Canvas.LineTo(1, height() - 2);
    Arrow(Canvas, clBlack);
}

void TDazDropDownSpeedButton::PaintButton(TCanvas &Canvas)
{
    if (FOwner->Edit())
        Canvas.Font = TFont::FromQFont(FOwner->Edit()->EditFont(), clWindowText);
    const bool down = State() == bsDown;
    const QImage glyph = Glyph();
    const bool has_glyph = !glyph.isNull() && glyph.width() > 0 && glyph.height() > 0;
    const TColor transparent = has_glyph ? FromQColor(glyph.pixelColor(0, glyph.height() - 1)) : clNone;
    if (Themed()) {
        Canvas.FillRect(TRect(0, 0, width(), height()));
        const TThemeHandle theme = ThemePlatform().OpenThemeData(parentWidget(), QStringLiteral("button"));
        ThemePlatform().DrawThemeBackground(theme, Canvas, 1, Theme_State(isEnabled(), Pressed(), FHot),
                                            TRect(0, 0, width() + 1, height() + 1));
        ThemePlatform().CloseThemeData(theme);
        TRect r(0, 0, width(), height());
        if (has_glyph) {
            r.Left += 2, r.Top += 2, r.Right -= 2, r.Bottom -= 2;
            if (!Caption().isEmpty())
                r.Left += 2;
            else if (glyph.width() < r.Width())
                r.Left += (r.Width() - glyph.width()) / 2;
            if (glyph.height() < r.Height())
                r.Top += (r.Height() - glyph.height()) / 2;
            if (down)
                r.Left += 1, r.Top += 1;
            Canvas.DrawTransparent(r.Left, r.Top, glyph, transparent);
        }
        if (!Caption().isEmpty()) {
            Canvas.Brush.Style = bsClear;
            if (!has_glyph) {
                r.Left += 3, r.Right -= 3, r.Top += 1, r.Bottom -= 1;
                if (down)
                    r.Left += 1, r.Right += 1, r.Top += 1, r.Bottom += 1;
                Canvas.DrawText(Caption(), r, DT_CENTER | DT_SINGLELINE);
            } else {
                r.Left += glyph.width() + 2;
                r.Top -= 1;
                Canvas.DrawText(Caption(), r, DT_LEFT | DT_SINGLELINE);
            }
        }
        return;
    }
    if (Flat()) {
        TRect r(0, 0, width(), height());
        Canvas.FillRect(r);
        Canvas.Brush.Style = bsSolid;
        Canvas.Brush.Color = clBtnFace;
        Canvas.FillRect(r);
        TRect edge(0, 0, width() + 1, height() + 1);
        DrawEdge(Canvas, edge, FEtched ? (BDR_SUNKENOUTER | BDR_RAISEDINNER) : EDGE_RAISED,
                 BF_RECT | (down ? BF_FLAT : 0));
        r = TRect(0, 0, width(), height());
        if (has_glyph) {
            r.Left += 3, r.Top += 3, r.Right -= 3, r.Bottom -= 3;
            if (down)
                r.Left += 1, r.Top += 1, r.Right += 1, r.Bottom += 1;
            TBitmap bitmap;
            bitmap.SetImage(glyph);
            DrawTransparentGlyph(Canvas, bitmap, clBtnFace, r);
        }
        if (!Caption().isEmpty()) {
            r.Left += 3, r.Right -= 3, r.Top += 1, r.Bottom -= 1;
            if (down)
                r.Left += 1, r.Right += 1, r.Top += 1, r.Bottom += 1;
            Canvas.Brush.Style = bsClear;
            Canvas.DrawText(Caption(), r, DT_CENTER | DT_SINGLELINE);
        }
        return;
    }
    TSpeedButton::Paint(Canvas);
}

TDropDownEditButton::TDropDownEditButton(QWidget *Parent, TDropDownEditLook *Edit)
    : QWidget(Parent), FEdit(Edit), FButton(new TDazDropDownSpeedButton(this))
{
    FButton->OnMouseUp = [this](TObject *Sender, TMouseButton Button, TShiftState, int, int) {
        if (Button == mbLeft && OnClick && Sender == FButton)
            OnClick(this);
    };
    FButton->setEnabled(isEnabled());
    FButton->show();
    FButton->SetButtonStyle(bsDropDown);
    resize(width(), 25);
}

void TDropDownEditButton::SetBounds(int Left, int Top, int Width, int Height)
{
    if (FButton && !FLoading) {
        Width = FBWidth;
        FButton->setGeometry(0, 0, FBWidth, Height);
    }
    setGeometry(Left, Top, Width, Height);
}

void TDropDownEditButton::Adjust()
{
    if (!FButton || FLoading)
        return;
    if (width() != FBWidth) {
        resize(FBWidth, height());
        return;   // the resize comes back here
    }
    FButton->setGeometry(0, 0, FBWidth, height());
}

void TDropDownEditButton::Loaded()
{
    FLoading = false;
    SetBounds(x(), y(), width(), height());
}

void TDropDownEditButton::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Adjust();
}

void TDropDownEditButton::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && FButton)
        FButton->setEnabled(isEnabled());
}
