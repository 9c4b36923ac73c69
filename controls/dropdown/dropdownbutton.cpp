// The drop-down edit's button: fixed width, a left release clicks, and the two looks.
#include "controls/dropdown/dropdownbutton.h"

#include "controls/dropdown/dropdownedit.h"
#include "controls/dropdown/dropdownhelpers.h"
#include "grid/base/drawroutines.h"
#include "grid/string/bitmap.h"
#include "grid/string/editorpaint.h"
#include "platform/parttheme.h"

#include <QEvent>

namespace {

constexpr unsigned kEdgeEtched = BDR_SUNKENOUTER | BDR_RAISEDINNER;

// The arrow of the classic and custom faces, whatever the button's size.
void DrawArrow(TCanvas &Canvas, TColor Color)
{
    Canvas.Brush.Color = Color;
    Canvas.Brush.Style = bsSolid;
    Canvas.Pen.Color = Color;
    Canvas.Pen.Width = 1;
    Canvas.Polygon({TPoint(5, 7), TPoint(11, 7), TPoint(8, 10)});
}

TColor TransparentColorOf(const QImage &Glyph)
{
    return FromQColor(Glyph.pixelColor(0, Glyph.height() - 1));
}

}   // namespace

// ---------------------------------------------------------------------------------------
// The face
// ---------------------------------------------------------------------------------------

TDazDropDownSpeedButton::TDazDropDownSpeedButton(TDropDownEditButton *AOwner)
    : TSpeedButton(AOwner), FOwner(AOwner)
{
    FIsWinXP = PartTheme().ThemedCommonControls();
}

void TDazDropDownSpeedButton::SetButtonStyle(TButtonStyle Value)
{
    FButtonStyle = Value;
    update();
}

void TDazDropDownSpeedButton::SetEtched(bool Value)
{
    if (Value == FEtched)
        return;
    FEtched = Value;
    update();
}

void TDazDropDownSpeedButton::SetFocused(bool Value)
{
    if (Value == FFocused)
        return;
    FFocused = Value;
    update();
}

void TDazDropDownSpeedButton::MouseEnter()
{
    TSpeedButton::MouseEnter();
    FHot = true;
    update();
}

void TDazDropDownSpeedButton::MouseLeave()
{
    TSpeedButton::MouseLeave();
    FHot = false;
    update();
}

bool TDazDropDownSpeedButton::Pressed() const
{
    const TButtonState s = State();
    return (s == bsDown || s == bsExclusive) && !FUp;
}

bool TDazDropDownSpeedButton::Themed() const
{
    return FIsWinXP && PartTheme().IsThemeActive();
}

int TDazDropDownSpeedButton::ThemeState() const
{
    if (!isEnabled())
        return PBS_DISABLED;
    if (Pressed())
        return PBS_PRESSED;
    return FHot ? PBS_HOT : PBS_NORMAL;
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
    TDazCustomDropDown *edit = FOwner ? FOwner->Edit() : nullptr;
    if (FOwner && FOwner->ButtonColor != clNone) {
        const bool pressed = Pressed();
        const TColor face = pressed  ? FOwner->ButtonColorDown
                            : FHot   ? FOwner->ButtonColorHot
                                     : FOwner->ButtonColor;
        Canvas.Brush.Color = face;
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Color = face;
        Canvas.FillRect(client);
        Canvas.Pen.Color = edit ? edit->BorderColor : clNone;
        Canvas.MoveTo(0, 0);
        Canvas.LineTo(0, client.Bottom);
        DrawArrow(Canvas, pressed  ? FOwner->ButtonTextColorDown
                          : FHot   ? FOwner->ButtonTextColorHot
                                   : FOwner->ButtonTextColor);
        return;
    }
    if (!Glyph().isNull() && Glyph().width() > 0 && Glyph().height() > 0) {
        Canvas.Brush.Color = clBtnFace;
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Color = TColor(0x808080);
        Canvas.Rectangle(client);
        Canvas.DrawTransparent(0, 0, Glyph(), TransparentColorOf(Glyph()));
        return;
    }
    // The arrow follows the edit: disabled while it is disabled or read-only.
    setEnabled(!edit || (edit->isEnabled() && !edit->isReadOnly()));
    if (Themed()) {
        TRect r = client;
        if (PartTheme().VistaOrLater()) {
            r.Left += 1;
        } else {
            InflateRect(r, 1, 1);
            r.Left += 2;
        }
        PartTheme().DrawPart(Canvas, parentWidget(), ThemeClassComboBox, CP_DROPDOWNBUTTON,
                             ThemeState(), r);
        return;
    }
    TSpeedButton::Paint(Canvas);
    const int w = width(), h = height();
    Canvas.Pen.Width = 1;
    Canvas.Pen.Color = clBtnFace;
    Canvas.MoveTo(w - 2, 0);
    Canvas.LineTo(0, 0);
    Canvas.LineTo(0, h - 1);
    Canvas.Pen.Color = clWhite;
    Canvas.MoveTo(w - 3, 1);
    Canvas.LineTo(1, 1);
    Canvas.LineTo(1, h - 2);
    DrawArrow(Canvas, clBlack);
}

void TDazDropDownSpeedButton::PaintButton(TCanvas &Canvas)
{
    TDazCustomDropDown *edit = FOwner ? FOwner->Edit() : nullptr;
    if (edit)
        Canvas.Font = TFont::FromQFont(edit->font(), clWindowText);
    const bool down = State() == bsDown;
    const QImage glyph = Glyph();
    const bool hasGlyph = !glyph.isNull() && glyph.width() > 0 && glyph.height() > 0;
    const QString caption = Caption();
    if (Themed()) {
        Canvas.FillRect(TRect(0, 0, width(), height()));
        PartTheme().DrawPart(Canvas, parentWidget(), ThemeClassButton, BP_PUSHBUTTON,
                             ThemeState(), TRect(0, 0, width() + 1, height() + 1));
        TRect r(0, 0, width(), height());
        if (hasGlyph) {
            InflateRect(r, -2, -2);
            if (!caption.isEmpty())
                r.Left += 2;
            else if (glyph.width() < r.Width())
                r.Left += (r.Width() - glyph.width()) / 2;
            if (glyph.height() < r.Height())
                r.Top += (r.Height() - glyph.height()) / 2;
            if (down)
                OffsetRect(r, 1, 1);
            Canvas.DrawTransparent(r.Left, r.Top, glyph, TransparentColorOf(glyph));
        }
        if (!caption.isEmpty()) {
            Canvas.Brush.Style = bsClear;
            if (!hasGlyph) {
                InflateRect(r, -3, -1);
                if (down)
                    OffsetRect(r, 1, 1);
                Canvas.DrawText(caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            } else {
                r.Left += glyph.width() + 2;
                r.Top -= 1;
                Canvas.DrawText(caption, r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
            }
            Canvas.Brush.Style = bsSolid;
        }
        return;
    }
    if (Flat()) {
        TRect r(0, 0, width(), height());
        Canvas.FillRect(r);
        Canvas.Brush.Color = clBtnFace;
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(r);
        TRect edge(0, 0, width() + 1, height() + 1);
        DrawEdge(Canvas, edge, FEtched ? kEdgeEtched : EDGE_RAISED,
                 BF_RECT | (down ? BF_FLAT : 0));
        r = TRect(0, 0, width(), height());
        if (hasGlyph) {
            InflateRect(r, -3, -3);
            if (down)
                OffsetRect(r, 1, 1);
            TBitmap bitmap;
            bitmap.SetImage(glyph);
            DrawTransparentGlyph(Canvas, bitmap, clBtnFace, r);
        }
        if (!caption.isEmpty()) {
            InflateRect(r, -3, -1);
            if (down)
                OffsetRect(r, 1, 1);
            Canvas.Brush.Style = bsClear;
            Canvas.DrawText(caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            Canvas.Brush.Style = bsSolid;
        }
        return;
    }
    TSpeedButton::Paint(Canvas);
}

// ---------------------------------------------------------------------------------------
// The holder
// ---------------------------------------------------------------------------------------

TDropDownEditButton::TDropDownEditButton(QWidget *Parent) : QWidget(Parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    FButton = new TDazDropDownSpeedButton(this);
    FButton->OnMouseUp = [this](TObject *Sender, TMouseButton Button, TShiftState, int, int) {
        if (Button == mbLeft && OnClick && Sender == FButton)
            OnClick(this);
    };
    FButton->setEnabled(isEnabled());
    FButton->SetButtonStyle(bsDropDown);
    resize(FBWidth, 25);
    Adjust();
}

TDazCustomDropDown *TDropDownEditButton::Edit() const
{
    return dynamic_cast<TDazCustomDropDown *>(parentWidget());
}

void TDropDownEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (!FLoading) {
        AWidth = FBWidth;
        FButton->setGeometry(0, 0, FBWidth, AHeight);
    }
    setGeometry(ALeft, ATop, AWidth, AHeight);
}

void TDropDownEditButton::Adjust()
{
    if (FLoading)
        return;
    FButton->setGeometry(0, 0, FBWidth, height());
    if (width() != FBWidth)
        resize(FBWidth, height());
}

void TDropDownEditButton::resizeEvent(QResizeEvent *Event)
{
    QWidget::resizeEvent(Event);
    Adjust();
}

void TDropDownEditButton::changeEvent(QEvent *Event)
{
    QWidget::changeEvent(Event);
    if (Event->type() == QEvent::EnabledChange)
        FButton->setEnabled(isEnabled());
}
