#include "grid/string/flatdatepicker.h"

#include "grid/base/styledetect.h"
#include "grid/string/editorpaint.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QStyle>

TRudDateTimePicker::TRudDateTimePicker(QWidget *AOwner) : TDateTimePicker(AOwner)
{
    FIsThemed = HasThemedCommonControls();
    FIsWinXP = IsWindowsXPOrLater();
    FButtonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    // The text part takes the mouse over its own area; the button hover has to end there.
    lineEdit()->installEventFilter(this);
    SetCtl3D(true);
}

uint32_t TRudDateTimePicker::GetVersionNr() const
{
    return 0x01000000;
}

QString TRudDateTimePicker::Version() const
{
    return VersionText(GetVersionNr());
}

void TRudDateTimePicker::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    update();
}

void TRudDateTimePicker::SetBorderColor(TColor Value)
{
    if (Value == FBorderColor)
        return;
    FBorderColor = Value;
    update();
}

void TRudDateTimePicker::SetMetroStyle(bool Value)
{
    if (Value == FMetroStyle)
        return;
    FMetroStyle = Value;
    update();
}

void TRudDateTimePicker::SetFocusBorderColor(TColor Value)
{
    FFocusBorderColor = Value;
    update();
}

void TRudDateTimePicker::SetDisabledBorder(bool Value)
{
    FDisabledBorder = Value;
    update();
}

void TRudDateTimePicker::SetFocusBorder(bool Value)
{
    FFocusBorder = Value;
    update();
}

void TRudDateTimePicker::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    update();
}

bool TRudDateTimePicker::ThemesActive() const
{
    return FIsThemed && IsThemeActive();
}

bool TRudDateTimePicker::IsMetro() const
{
    return FMetroStyle;
}

bool TRudDateTimePicker::IsActive() const
{
    return FHover.MouseInControl || hasFocus();
}

bool TRudDateTimePicker::BorderHot() const
{
    return IsActive() && FFocusBorder;
}

bool TRudDateTimePicker::FlatFrameWanted() const
{
    return !Ctl3D() && FBorderColor != clNone;
}

// ---- painting ---------------------------------------------------------------------------

TColor TRudDateTimePicker::FlatFramePen() const
{
    if (FBorderStyle == bsNone && parentWidget())
        return ParentBrushColor(this);
    return FIsThemed ? TColor(0xB99D7F) : FBorderColor;
}

void TRudDateTimePicker::DrawFlatFrame(TCanvas &Canvas)
{
    if (!FlatFrameWanted())
        return;
    Canvas.Pen.Color = FlatFramePen();
    DrawOutline(Canvas, width(), height());
    // The inner line blends the picker's own edge into the parent, whatever the style.
    if (parentWidget()) {
        Canvas.Pen.Color = ParentBrushColor(this);
        Canvas.MoveTo(1, height() - 2);
        Canvas.LineTo(1, 1);
        Canvas.LineTo(width() - 1, 1);
    }
}

void TRudDateTimePicker::DrawButton(TCanvas &Canvas)
{
    TRect r(width() - FButtonWidth + 2, 0, width(), height());
    InflateRect(r, -1, -1);
    const bool mouseDown = IsMouseButtonDown();
    if (ButtonColor != clNone) {
        const TColor face = FaceColor(FHover.ButtonHover && mouseDown, FHover.ButtonHover);
        const TColor arrow = mouseDown && ButtonTextColorDown != clNone ? ButtonTextColorDown : ButtonTextColor;
        DrawCustomDropButton(Canvas, TRect(r.Left + 2, r.Top, r.Right, r.Bottom), r.Left, face,
                             ButtonBorderColor, arrow, r.Left + 5, r.Top + 7);
    } else {
        DrawStandardDropButton(Canvas, this, r, r, ThemesActive(),
                               DropButtonThemeState(isEnabled(), mouseDown, DroppedDown(), FHover.ButtonHover),
                               isEnabled());
    }
    ExcludeClipRect(Canvas, TRect(width() - FButtonWidth - 4, 0, width() + 2, height()));
}

void TRudDateTimePicker::DrawBorder(TCanvas &Canvas)
{
    if (!IsMetro())
        return;
    if (isEnabled() && FBorderColor == clNone && FFocusBorderColor == clNone)
        return;
    TFlatBorderLook look;
    look.Enabled = isEnabled();
    look.Themed = FIsThemed;
    look.DisabledBorder = FDisabledBorder;
    look.Focused = FHasFocus;
    look.Hot = BorderHot();
    look.BorderColor = FBorderColor;
    look.FocusBorderColor = FFocusBorderColor;
    look.ParentColor = ParentBrushColor(this);
    look.ControlColor = Color();
    look.ButtonWidth = FButtonWidth;
    TRect inner;
    DrawFlatBorders(Canvas, TRect(0, 0, width(), height()), look, inner);
    if (!(FIsWinXP && ThemesActive()))
        DrawFlatButtonFace(Canvas, width(), height(), FButtonWidth, IsActive(), true, DroppedDown());
}

void TRudDateTimePicker::PaintOverlay(TCanvas &Canvas)
{
    if ((Ctl3D() && !IsMetro()) || !IsWindowsVistaOrLater())
        return;
    if (IsMetro() && FrameworkKind() != dtkTime) {
        Canvas.Save();
        if (HasThemedCommonControls()) {
            Canvas.Brush.Color = Color();
            Canvas.Brush.Style = bsSolid;
            if (ThemesActive())
                Canvas.FillRect(TRect(width() - FButtonWidth - MetroFillInset(), 1, width(), height()));
            else
                Canvas.FillRect(TRect(width() - FButtonWidth - 2, 4, width() - 2, height() - 4));
        }
        DrawButton(Canvas);
        Canvas.Restore();
    }
    DrawBorder(Canvas);
}

void TRudDateTimePicker::paintEvent(QPaintEvent *e)
{
    TDateTimePicker::paintEvent(e);
    TCanvas canvas(this);
    PaintOverlay(canvas);
    // The frames the platform draws outside the client area.
    DrawFlatFrame(canvas);
    if (!isEnabled() && ThemesActive() && !FDisabledBorder)
        DrawBorder(canvas);
    if ((FFocusBorderColor != clNone && hasFocus()) || FBorderColor != clNone)
        DrawBorder(canvas);
}

// ---- focus and mouse --------------------------------------------------------------------

void TRudDateTimePicker::DoEnter()
{
    TDateTimePicker::DoEnter();
    FHasFocus = true;
    update();
}

void TRudDateTimePicker::DoExit()
{
    TDateTimePicker::DoExit();
    FHasFocus = false;
    update();
}

void TRudDateTimePicker::enterEvent(QEnterEvent *e)
{
    TDateTimePicker::enterEvent(e);
    if (FHover.Enter(isEnabled()))
        update();
}

void TRudDateTimePicker::leaveEvent(QEvent *e)
{
    TDateTimePicker::leaveEvent(e);
    if (FHover.Leave())
        update();
}

void TRudDateTimePicker::mouseMoveEvent(QMouseEvent *e)
{
    TDateTimePicker::mouseMoveEvent(e);
    if (FHover.Move(int(e->position().x()), width(), FButtonWidth))
        update();
}

bool TRudDateTimePicker::eventFilter(QObject *Watched, QEvent *Event)
{
    const QEvent::Type type = Event->type();
    if (Watched == lineEdit() && (type == QEvent::Enter || type == QEvent::MouseMove)) {
        const QPointF at = type == QEvent::Enter ? static_cast<QEnterEvent *>(Event)->position()
                                                 : static_cast<QMouseEvent *>(Event)->position();
        if (FHover.Move(lineEdit()->mapTo(this, at.toPoint()).x(), width(), FButtonWidth))
            update();
    }
    return TDateTimePicker::eventFilter(Watched, Event);
}

void TRudDateTimePicker::changeEvent(QEvent *e)
{
    TDateTimePicker::changeEvent(e);
    if (e->type() == QEvent::EnabledChange)
        update();
}
