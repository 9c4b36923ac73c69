// Header and footer push buttons and their shared appearance.
#include "controls/dropdown/dazbutton.h"

#include "controls/dropdown/dropdownedit.h"
#include "grid/base/imagelist.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>

// ---------------------------------------------------------------------------------------
// Appearance
// ---------------------------------------------------------------------------------------

TDazButtonAppearance::TDazButtonAppearance()
{
    FFont.Name = QStringLiteral("Tahoma");
}

void TDazButtonAppearance::SetGradient(TGradientDirection Value)
{
    SetField(FGradient, Value);
}

void TDazButtonAppearance::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TDazButtonAppearance *>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    SetColor(s->FColor);
    SetColorTo(s->FColorTo);
    SetColorHot(s->FColorHot);
    SetColorHotTo(s->FColorHotTo);
    SetColorDown(s->FColorDown);
    SetColorDownTo(s->FColorDownTo);
    SetColorChecked(s->FColorChecked);
    SetColorCheckedTo(s->FColorCheckedTo);
    SetColorDisabled(s->FColorDisabled);
    SetColorDisabledTo(s->FColorDisabledTo);
    SetBorderColor(s->FBorderColor);
    SetBorderColorHot(s->FBorderColorHot);
    SetBorderColorDown(s->FBorderColorDown);
    SetBorderColorChecked(s->FBorderColorChecked);
    SetBorderColorDisabled(s->FBorderColorDisabled);
    SetGradient(s->FGradient);
}

// ---------------------------------------------------------------------------------------
// Button
// ---------------------------------------------------------------------------------------

TDazButton::TDazButton(QWidget *Parent) : QWidget(Parent)
{
    setGeometry(0, 0, 23, 22);
    QFont f = font();
    f.setFamily(QStringLiteral("Tahoma"));
    setFont(f);
    FUnHotTimer.setInterval(1);
    QObject::connect(&FUnHotTimer, &QTimer::timeout, this,
                     [this] { UnHotTick(mapFromGlobal(QCursor::pos())); });
}

TDazButton::~TDazButton() = default;

void TDazButton::SetCaption(const QString &Value)
{
    FCaption = Value;
    if (FAccelerator)
        releaseShortcut(FAccelerator);
    const QKeySequence accelerator = QKeySequence::mnemonic(Value);
    FAccelerator = accelerator.isEmpty() ? 0 : grabShortcut(accelerator);
    update();
}

bool TDazButton::event(QEvent *Event)
{
    if (Event->type() == QEvent::Shortcut && FAccelerator &&
        static_cast<QShortcutEvent *>(Event)->shortcutId() == FAccelerator) {
        if (isEnabled())
            Click();
        return true;
    }
    return QWidget::event(Event);
}

void TDazButton::SetImages(TCustomImageList *Value)
{
    Rewatch<TCustomImageList>(this, FImages, Value);
}

void TDazButton::Notification(TComponent *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == FImages)
        FImages = nullptr;
}

void TDazButton::SetLoading(bool Value)
{
    FLoading = Value;
    if (!Value && FInitialDown != FDown)
        SetDown(FInitialDown);
}

void TDazButton::AutoSizeButton()
{
    if (!Appearance)
        return;
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&scratch);
    canvas.Font = Appearance->Font();
    QSize size = MeasureText(canvas, FCaption);
    if (FImages && ImageIndex >= 0)
        size = size.expandedTo(QSize(FImages->Width(), FImages->Height()));
    resize(size.width() + 8, size.height() + 4);
}

void TDazButton::SetDown(bool Value)
{
    if (FLoading) {
        FInitialDown = Value;
        return;
    }
    if (!Grouped() && Style != tasCheck)
        Value = false;
    if (Style == tasCheck) {
        FDown = Value;
        FState = Value ? absDown : absUp;
        repaint();
        return;
    }
    if (Value == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = Value;
    if (Value) {
        if (FState == absUp)
            update();
        FState = absExclusive;
        if (QWidget *p = parentWidget())
            for (QObject *o : p->children())
                if (auto *b = dynamic_cast<TDazButton *>(o); b && b != this)
                    b->GroupNotice(this);
    } else {
        FState = absUp;
        repaint();
    }
}

void TDazButton::GroupNotice(TDazButton *Sender)
{
    if (Sender->GroupIndex != GroupIndex || Sender == this)
        return;
    if (Sender->FDown && FDown) {
        FDown = false;
        FState = absUp;
        update();
    }
    FAllowAllUp = Sender->FAllowAllUp;
}

void TDazButton::Click()
{
    if (auto *dialog = qobject_cast<QDialog *>(window()))
        dialog->setResult(ModalResult);
    if (DazDropDown) {
        switch (ModalResult) {
        case 1: case 6: case 12: case 14:
            DazDropDown->DoHideDropDown(false);
            break;
        case 2: case 3: case 5: case 7: case 13:
            DazDropDown->DoHideDropDown(true);
            break;
        default:
            break;
        }
    }
    if (!FInternalClick && OnClick)
        OnClick(this);
}

bool TDazButton::Inside(QPoint At) const
{
    return At.x() >= 0 && At.x() < width() && At.y() >= 0 && At.y() < height();
}

void TDazButton::MouseEntered()
{
    FMouseInControl = true;
    if (isEnabled())
        update();
    FUnHotTimer.start();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TDazButton::MouseLeft()
{
    FUnHotTimer.stop();
    FMouseInControl = false;
    FHot = false;
    if (isEnabled())
        update();
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TDazButton::UnHotTick(QPoint Cursor)
{
    if (Inside(Cursor))
        return;
    FUnHotTimer.stop();
    FMouseInControl = false;
    FHot = false;
    if (isEnabled())
        update();
}

void TDazButton::ReevaluateTracking()
{
    if (!isEnabled())
        return;
    if (QApplication::widgetAt(QCursor::pos()) == this)
        MouseEntered();
    else
        MouseLeft();
}

void TDazButton::enterEvent(QEnterEvent *)
{
    MouseEntered();
}

void TDazButton::leaveEvent(QEvent *)
{
    MouseLeft();
}

void TDazButton::mousePressEvent(QMouseEvent *Event)
{
    if (Event->button() != Qt::LeftButton || !isEnabled())
        return;
    FMouseDownInControl = true;
    if (Style == tasCheck) {
        FState = absDown;
        repaint();
    } else if (!FDown) {
        FState = absDown;
        update();
    }
    FDragging = true;
}

void TDazButton::mouseMoveEvent(QMouseEvent *Event)
{
    if (FDragging) {
        TDazButtonState s = FDown ? absExclusive : absUp;
        if (Inside(Event->position().toPoint()))
            s = FDown ? absExclusive : absDown;
        if (Style == tasCheck && FDown)
            s = absDown;
        if (s != FState) {
            FState = s;
            update();
        }
    } else if (!FMouseInControl) {
        ReevaluateTracking();
    }
}

void TDazButton::mouseReleaseEvent(QMouseEvent *Event)
{
    if (Event->button() != Qt::LeftButton)
        return;
    const bool inside = Inside(Event->position().toPoint());
    // The platform clicks on a left release inside, before the own handling.
    if (inside && FDragging)
        Click();
    FMouseDownInControl = false;
    update();
    if (!FDragging)
        return;
    FDragging = false;
    if (!Grouped()) {
        FState = absUp;
        FMouseInControl = false;
        FHot = false;
        if (Style == tasCheck) {
            SetDown(!FDown);
            FState = absUp;
        }
        if (inside && FState != absDown && FState != absExclusive)
            update();
    } else if (inside) {
        SetDown(!FDown);
        if (FDown)
            repaint();
    } else if (FDown) {
        FState = absExclusive;
        repaint();
    }
    ReevaluateTracking();
}

void TDazButton::keyPressEvent(QKeyEvent *Event)
{
    const int key = Event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        if (!FDown || Style == tasCheck) {
            FState = absDown;
            repaint();
        }
        FInternalClick = true;
        Click();
        FInternalClick = false;
    }
    QWidget::keyPressEvent(Event);
}

void TDazButton::changeEvent(QEvent *Event)
{
    QWidget::changeEvent(Event);
    if (Event->type() == QEvent::EnabledChange)
        update();
}

void TDazButton::focusInEvent(QFocusEvent *Event)
{
    QWidget::focusInEvent(Event);
    update();
}

void TDazButton::focusOutEvent(QFocusEvent *Event)
{
    QWidget::focusOutEvent(Event);
    update();
}

void TDazButton::paintEvent(QPaintEvent *)
{
    if (!isEnabled()) {
        FState = absDisabled;
        FDragging = false;
    } else if (FState == absDisabled) {
        FState = FDown && Grouped() ? absExclusive : absUp;
    }
    if (Style == tasCheck && FDown)
        FState = absDown;
    // The parent's background shows through: Qt paints it before its children.
    if (!Appearance)
        return;
    TCanvas canvas(this);
    DrawFace(canvas);
}

void TDazButton::DrawFace(TCanvas &Canvas)
{
    const TDazButtonAppearance &a = *Appearance;
    TColor from = a.Color(), to = a.ColorTo(), border = a.BorderColor();
    if (!isEnabled()) {
        from = a.ColorDisabled(), to = a.ColorDisabledTo(), border = a.BorderColorDisabled();
    } else if (FMouseDownInControl && FMouseInControl) {
        from = to = a.ColorDown(), border = a.BorderColorDown();
    } else if (FDown) {
        from = to = a.ColorChecked(), border = a.BorderColorChecked();
    } else if (FMouseInControl || hasFocus()) {
        from = to = a.ColorHot(), border = a.BorderColorHot();
    }
    const TRect r(0, 0, width(), height());
    DrawFilledRect(&Canvas, r, from, to, border, 1, a.Gradient());
    Canvas.Brush.Style = bsClear;
    Canvas.Font = a.Font();
    DrawImageAndText(&Canvas, r, FCaption, FImages, ImageIndex);
}
