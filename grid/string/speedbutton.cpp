#include "grid/string/speedbutton.h"

#include "grid/base/keys.h"
#include "grid/string/editorpaint.h"
#include "platform/theme.h"

#include <QEnterEvent>
#include <QMouseEvent>

TSpeedButton::TSpeedButton(QWidget *AOwner) : QWidget(AOwner)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    resize(23, 22);
}

void TSpeedButton::SetGlyph(const QImage &Value)
{
    FGlyph = Value;
    update();
}

void TSpeedButton::SetNumGlyphs(int Value)
{
    if (Value < 1 || Value > 4 || Value == FNumGlyphs)
        return;
    FNumGlyphs = Value;
    update();
}

void TSpeedButton::SetCaption(const QString &Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    update();
}

void TSpeedButton::SetFlat(bool Value)
{
    if (Value == FFlat)
        return;
    FFlat = Value;
    update();
}

void TSpeedButton::SetTransparent(bool Value)
{
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    update();
}

TButtonState TSpeedButton::State() const
{
    if (!isEnabled())
        return bsDisabled;
    return FDownNow ? bsDown : bsUp;
}

void TSpeedButton::Click()
{
    if (OnClick)
        OnClick(this);
}

QImage TSpeedButton::GlyphFor(TButtonState State) const
{
    if (FGlyph.isNull() || FNumGlyphs <= 1)
        return FGlyph;
    int index = 0;
    switch (State) {
    case bsDisabled: index = 1; break;
    case bsDown: index = 2; break;
    case bsExclusive: index = 3; break;
    default: break;
    }
    if (index >= FNumGlyphs)
        index = 0;
    const int w = FGlyph.width() / FNumGlyphs;
    return FGlyph.copy(index * w, 0, w, FGlyph.height());
}

void TSpeedButton::PaintGlyphAndCaption(TCanvas &Canvas, const TRect &R, bool Down)
{
    const int shift = Down ? 1 : 0;
    const QImage glyph = GlyphFor(State());
    if (!glyph.isNull() && glyph.width() > 0 && glyph.height() > 0) {
        const int x = glyph.width() < R.Width() ? (R.Width() - glyph.width()) / 2 : 0;
        const int y = glyph.height() < R.Height() ? (R.Height() - glyph.height()) / 2 : 0;
        Canvas.DrawTransparent(R.Left + x + shift, R.Top + y + shift, glyph,
                               FromQColor(glyph.pixelColor(0, glyph.height() - 1)));
    }
    if (!FCaption.isEmpty()) {
        TRect tr = R;
        OffsetRect(tr, shift, shift);
        Canvas.Font = TFont::FromQFont(font(), clBlack);
        Canvas.Brush.Style = bsClear;
        Canvas.DrawText(FCaption, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        Canvas.Brush.Style = bsSolid;
    }
}

void TSpeedButton::Paint(TCanvas &Canvas)
{
    TRect r(0, 0, width(), height());
    const bool down = State() == bsDown;
    if (!FFlat) {
        unsigned state = DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0);
        if (!isEnabled())
            state |= DFCS_INACTIVE;
        ThemePlatform().DrawFrameControl(Canvas, r, DFC_BUTTON, state);
        InflateRect(r, -2, -2);
    } else {
        if (!FTransparent) {
            Canvas.Brush.Color = clBtnFace;
            Canvas.Brush.Style = bsSolid;
            Canvas.FillRect(r);
        }
        if (down || (FMouseInControl && isEnabled()))
            DrawEdge(Canvas, r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    }
    PaintGlyphAndCaption(Canvas, r, down);
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
    if (Button == mbLeft && isEnabled()) {
        FDragging = true;
        FDownNow = true;
        update();
    }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
    if (Button != mbLeft || !FDragging)
        return;
    FDragging = false;
    const bool inside = X >= 0 && X < width() && Y >= 0 && Y <= height();
    FDownNow = false;
    update();
    if (inside && FClickOnRelease)
        Click();
}

void TSpeedButton::MouseEnter()
{
    FMouseInControl = true;
    update();
}

void TSpeedButton::MouseLeave()
{
    FMouseInControl = false;
    update();
}

void TSpeedButton::paintEvent(QPaintEvent *)
{
    TCanvas canvas(this);
    Paint(canvas);
}

namespace {

TMouseButton ButtonOf(Qt::MouseButton b)
{
    return b == Qt::RightButton ? mbRight : b == Qt::MiddleButton ? mbMiddle : mbLeft;
}

}   // namespace

void TSpeedButton::mousePressEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    MouseDown(ButtonOf(e->button()), ShiftStateOf(e->modifiers(), e->buttons()), p.x(), p.y());
}

void TSpeedButton::mouseMoveEvent(QMouseEvent *e)
{
    if (!FDragging)
        return;
    const QPoint p = e->position().toPoint();
    const bool inside = rect().contains(p);
    if (inside != FDownNow) {
        FDownNow = inside;
        update();
    }
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    MouseUp(ButtonOf(e->button()), ShiftStateOf(e->modifiers(), e->buttons()), p.x(), p.y());
}

void TSpeedButton::enterEvent(QEnterEvent *)
{
    MouseEnter();
}

void TSpeedButton::leaveEvent(QEvent *)
{
    MouseLeave();
}

void TSpeedButton::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            FDragging = FDownNow = false;
        update();
    }
    QWidget::changeEvent(e);
}
