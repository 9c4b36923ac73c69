#include "controls/dropdown/dazbutton.h"

#include "controls/dropdown/dropdownhelpers.h"
#include "grid/base/imagelist.h"
#include "platform/canvas.h"

#include <QCursor>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPainter>
#include <QTimer>

TDazButtonAppearance::TDazButtonAppearance()
    : FColorCheckedTo(ShadeColor(0xF9D2B2, -10, -10, 0)), FColorChecked(ShadeColor(0xF5F0E1, -10, -10, 0))
{
    FFont.SetName(QStringLiteral("Tahoma"));
}

void TDazButtonAppearance::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TDazButtonAppearance::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TDazButtonAppearance *>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    SetColor(s->Color());
    SetColorTo(s->ColorTo());
    SetColorHot(s->ColorHot());
    SetColorHotTo(s->ColorHotTo());
    SetColorDown(s->ColorDown());
    SetColorDownTo(s->ColorDownTo());
    SetColorChecked(s->ColorChecked());
    SetColorCheckedTo(s->ColorCheckedTo());
    SetColorDisabled(s->ColorDisabled());
    SetColorDisabledTo(s->ColorDisabledTo());
    SetBorderColor(s->BorderColor());
    SetBorderColorHot(s->BorderColorHot());
    SetBorderColorDown(s->BorderColorDown());
    SetBorderColorChecked(s->BorderColorChecked());
    SetBorderColorDisabled(s->BorderColorDisabled());
    SetGradient(s->Gradient());
}

namespace {

// Results whose click closes the drop-down: accepted (1 OK, 6 Yes, 12 All, 14 Yes to all)
// or cancelled (2 Cancel, 3 Abort, 5 Ignore, 7 No, 13 No to all).
enum class TClose { None, Accepted, Cancelled };

TClose Close_For(int ModalResult)
{
    switch (ModalResult) {
    case 1: case 6: case 12: case 14: return TClose::Accepted;
    case 2: case 3: case 5: case 7: case 13: return TClose::Cancelled;
    default: return TClose::None;
    }
}

} // namespace

TDazButton::TDazButton(QWidget *Parent) : QWidget(Parent), FUnHotTimer(new QTimer(this))
{
    setGeometry(0, 0, 23, 22);
    QFont f = font();
    f.setFamily(QStringLiteral("Tahoma"));
    setFont(f);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    FUnHotTimer->setInterval(1);
    connect(FUnHotTimer, &QTimer::timeout, this, [this] { UnHotTick(mapFromGlobal(QCursor::pos())); });
}

void TDazButton::SetCaption(const QString &Value)
{
    FCaption = Value;
    if (FShortcut)
        releaseShortcut(FShortcut);
    const QKeySequence accelerator = QKeySequence::mnemonic(Value);
    FShortcut = accelerator.isEmpty() ? 0 : grabShortcut(accelerator);
    update();
}

bool TDazButton::event(QEvent *event)
{
    if (event->type() == QEvent::Shortcut && FShortcut &&
        static_cast<QShortcutEvent *>(event)->shortcutId() == FShortcut) {
        if (isEnabled())
            Click();
        return true;
    }
    return QWidget::event(event);
}

bool TDazButton::Inside(const QPoint &P) const
{
    return P.x() >= 0 && P.x() < width() && P.y() >= 0 && P.y() < height();
}

void TDazButton::Click()
{
    if (auto *dialog = qobject_cast<QDialog *>(window()); dialog && FModalResult != 0)
        dialog->done(FModalResult);
    if (FDazDropDown) {
        const TClose close = Close_For(FModalResult);
        if (close != TClose::None)
            FDazDropDown->DoHideDropDown(close == TClose::Cancelled);
    }
    if (!FInternalClick && OnClick)
        OnClick(this);
}

void TDazButton::AutoSizeButton()
{
    if (!FAppearance)
        return;
    QImage scratch(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&scratch);
    canvas.Font = FAppearance->Font().Value();
    QSize size = MeasureText(canvas, FCaption);
    if (FImages && FImageIndex >= 0)
        size = size.expandedTo(QSize(FImages->Width(), FImages->Height()));
    resize(size.width() + 8, size.height() + 4);
}

void TDazButton::SetDown(bool Value)
{
    if (FGroupIndex == 0 && FStyle != tasCheck)
        Value = false;
    if (FStyle == tasCheck) {
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
        if (parentWidget())
            for (TDazButton *other : parentWidget()->findChildren<TDazButton *>(Qt::FindDirectChildrenOnly))
                if (other != this)
                    other->GroupPressed(this);
    } else {
        FState = absUp;
        repaint();
    }
}

void TDazButton::GroupPressed(TDazButton *Sender)
{
    if (Sender->FGroupIndex != FGroupIndex)
        return;
    if (Sender->FDown && FDown) {
        FDown = false;
        FState = absUp;
        update();
    }
    FAllowAllUp = Sender->FAllowAllUp;
}

void TDazButton::FixState()
{
    if (!isEnabled()) {
        FState = absDisabled;
        FDragging = false;
    } else if (FState == absDisabled) {
        FState = FDown && FGroupIndex != 0 ? absExclusive : absUp;
    }
    if (FStyle == tasCheck && FDown)
        FState = absDown;
}

void TDazButton::DrawFace(TCanvas &Canvas)
{
    if (!FAppearance)
        return;
    const TDazButtonAppearance &a = *FAppearance;
    TColor fill, fill_to, border;
    if (!isEnabled()) {
        fill = a.ColorDisabled(), fill_to = a.ColorDisabledTo(), border = a.BorderColorDisabled();
    } else if (FMouseDownInControl && FMouseInControl) {
        fill = fill_to = a.ColorDown(), border = a.BorderColorDown();
    } else if (FDown) {
        fill = fill_to = a.ColorChecked(), border = a.BorderColorChecked();
    } else if (FMouseInControl || hasFocus()) {
        fill = fill_to = a.ColorHot(), border = a.BorderColorHot();
    } else {
        fill = a.Color(), fill_to = a.ColorTo(), border = a.BorderColor();
    }
    const TRect r(0, 0, width(), height());
    DrawFilledRect(&Canvas, r, fill, fill_to, border, 1, a.Gradient());
    Canvas.Brush.Style = bsClear;
    Canvas.Font = a.Font().Value();
    DrawImageAndText(&Canvas, r, FCaption, FImages, FImageIndex);
}

void TDazButton::paintEvent(QPaintEvent *)
{
    FixState();
    // The parent's background shows through: Qt paints it before its children.
    TCanvas canvas(this);
    DrawFace(canvas);
}

void TDazButton::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        if (!FDown || FStyle == tasCheck) {
            FState = absDown;
            repaint();
        }
        FInternalClick = true;
        Click();
        FInternalClick = false;
    }
    QWidget::keyPressEvent(event);
}

void TDazButton::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    FClicked = true;
    FMouseDownInControl = true;
    if (!FDown || FStyle == tasCheck) {
        FState = absDown;
        repaint();
    }
    FDragging = true;
}

void TDazButton::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    if (FDragging) {
        TDazButtonState state = FDown ? absExclusive : absUp;
        if (Inside(event->position().toPoint()))
            state = FDown ? absExclusive : absDown;
        if (FStyle == tasCheck && FDown)
            state = absDown;
        if (state != FState) {
            FState = state;
            update();
        }
    } else if (!FMouseInControl && isEnabled()) {
        MouseEntered();
    }
}

void TDazButton::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    const bool inside = Inside(event->position().toPoint());
    // The platform clicks first, on a left release inside after a press here.
    if (event->button() == Qt::LeftButton && FClicked) {
        FClicked = false;
        if (inside)
            Click();
    }
    FMouseDownInControl = false;
    update();
    if (!FDragging)
        return;
    FDragging = false;
    if (FGroupIndex == 0) {
        FState = absUp;
        FMouseInControl = false;
        FHot = false;
        if (FStyle == tasCheck) {
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
    if (isEnabled()) {
        if (inside)
            MouseEntered();
        else
            MouseLeft();
    }
}

void TDazButton::MouseEntered()
{
    FMouseInControl = true;
    if (isEnabled())
        update();
    FUnHotTimer->start();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TDazButton::MouseLeft()
{
    FUnHotTimer->stop();
    FMouseInControl = false;
    FHot = false;
    if (isEnabled())
        update();
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TDazButton::UnHotTick(const QPoint &Cursor)
{
    if (Inside(Cursor))
        return;
    FUnHotTimer->stop();
    FMouseInControl = false;
    FHot = false;
    if (isEnabled())
        update();
}

void TDazButton::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    MouseEntered();
}

void TDazButton::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    MouseLeft();
}

void TDazButton::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        update();
}

void TDazButton::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void TDazButton::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}
