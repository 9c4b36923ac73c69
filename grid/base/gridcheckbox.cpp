#include "grid/base/gridcheckbox.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QStyle>
#include <QStyleOption>

TDazCheckBox::TDazCheckBox(QWidget *AOwner)
    : QWidget(AOwner), FCaption(QStringLiteral("TDazCheckBox"))
{
    FFont = TFont::FromQFont(font(), clWindowText);
    resize(98, 20);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_Hover);
    FShortcut = new QShortcut(this);
    connect(FShortcut, &QShortcut::activated, this, [this] { Accelerator(); });
    SetCaption(FCaption);
}

void TDazCheckBox::Toggle()
{
    if (!FReadOnly)
        SetChecked(!Checked());
}

void TDazCheckBox::SetChecked(bool Value)
{
    FState = Value ? cbChecked : cbUnchecked;
    update();
}

void TDazCheckBox::SetState(TCheckBoxState Value)
{
    if (FState == Value)
        return;
    FState = Value;
    update();
}

void TDazCheckBox::SetCaption(const QString &Value)
{
    FCaption = Value;
    setWindowTitle(Value);
    FShortcut->setKey(QKeySequence::mnemonic(Value));
    update();
}

void TDazCheckBox::SetButtonVertAlign(TTextLayout Value)
{
    if (FBtnVAlign != Value) {
        FBtnVAlign = Value;
        update();
    }
}

void TDazCheckBox::SetAlignment(TAlignment Value)
{
    if (FAlignment != Value) {
        FAlignment = Value;
        update();
    }
}

void TDazCheckBox::SetEllipsis(bool Value)
{
    if (FEllipsis != Value) {
        FEllipsis = Value;
        update();
    }
}

void TDazCheckBox::SetTransparent(bool Value)
{
    FTransparent = Value;
    update();
}

void TDazCheckBox::SetTabStop(bool Value)
{
    FTabStop = Value;
    setFocusPolicy(Value ? Qt::StrongFocus : Qt::ClickFocus);
}

void TDazCheckBox::SetColor(TColor Value)
{
    FColor = Value;
    FParentColor = false;
    update();
}

void TDazCheckBox::SetParentColor(bool Value)
{
    FParentColor = Value;
    update();
}

void TDazCheckBox::SetFont(const TFont &Value)
{
    FFont = Value;
    update();
}

TRect TDazCheckBox::BoxRect() const
{
    const int x = FAlignment == taRightJustify ? width() - 15 : 0;
    int y = 4;
    if (FBtnVAlign == tlCenter)
        y = height() / 2 - 6;
    else if (FBtnVAlign == tlBottom)
        y = height() - 14;
    return Bounds(x, y, 14, 14);
}

int TDazCheckBox::BoxThemeState() const
{
    const int base = FState == cbChecked ? 5 : FState == cbGrayed ? 9 : 1;
    if (!isEnabled())
        return base + 3;
    if (FDown)
        return base + 2;
    return FHot ? base + 1 : base;
}

void TDazCheckBox::Paint(TCanvas &Canvas)
{
    Canvas.Font = FFont;
    if (!FTransparent) {
        const QWidget *parent = parentWidget();
        Canvas.Brush.Color = FParentColor && parent
                                 ? FromQColor(parent->palette().color(parent->backgroundRole()))
                                 : FColor;
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(TRect(0, 0, width(), height()));
    }

    const int look = BoxThemeState();
    QStyleOptionButton opt;
    opt.initFrom(this);
    opt.rect = BoxRect().ToQRect();
    opt.state &= ~(QStyle::State_MouseOver | QStyle::State_Sunken | QStyle::State_HasFocus);
    const int phase = (look - 1) % 4;   // normal, hot, pressed, disabled
    if (phase == 1)
        opt.state |= QStyle::State_MouseOver;
    if (phase == 2)
        opt.state |= QStyle::State_Sunken;
    opt.state |= FState == cbChecked ? QStyle::State_On
                 : FState == cbGrayed ? QStyle::State_NoChange
                                      : QStyle::State_Off;
    Canvas.Save();
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &opt, Canvas.Painter(), this);
    Canvas.Restore();

    TRect r(0, 0, width(), height());
    if (FAlignment == taRightJustify) {
        r.Left = 6;
        r.Right -= 9;
    } else {
        r.Left = 15;
    }
    r.Top += 4;
    Canvas.Brush.Style = bsClear;
    const unsigned flags = DT_LEFT | DT_SINGLELINE | (FEllipsis ? DT_END_ELLIPSIS : 0);
    if (isEnabled()) {
        TRect tr = r;
        Canvas.DrawText(FCaption, tr, flags);
    } else {
        TRect shifted = r;
        OffsetRect(shifted, 1, 1);
        Canvas.Font.Color = clWhite;
        Canvas.DrawText(FCaption, shifted, flags);
        TRect tr = r;
        Canvas.Font.Color = clGray;
        Canvas.DrawText(FCaption, tr, flags);
    }

    if (FFocused) {
        TRect ext = r;
        Canvas.DrawText(FCaption, ext, flags | DT_CALCRECT);
        Canvas.Pen.Color = FFont.Color;
        Canvas.Pen.Style = psDot;
        Canvas.Brush.Style = bsClear;
        Canvas.Rectangle(r.Left - 2, r.Top, r.Left + ext.Width() + 1, r.Top + ext.Height() + 1);
        Canvas.Pen.Style = psSolid;
    }
}

void TDazCheckBox::Click()
{
    if (OnClick)
        OnClick(this);
}

void TDazCheckBox::paintEvent(QPaintEvent *)
{
    TCanvas canvas(this);
    Paint(canvas);
}

bool TDazCheckBox::Inside(const QPoint &p) const
{
    return p.x() >= 0 && p.x() <= width() && p.y() >= 0 && p.y() <= height();
}

void TDazCheckBox::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(e);
    FMouseDown = true;
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    FDown = true;
    update();
}

void TDazCheckBox::mouseMoveEvent(QMouseEvent *e)
{
    if (!FMouseDown)
        return QWidget::mouseMoveEvent(e);
    const bool down = Inside(e->position().toPoint());
    if (down != FDown) {
        FDown = down;
        update();
    }
}

void TDazCheckBox::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(e);
    FDown = false;
    if (Inside(e->position().toPoint()) && FFocused && FMouseDown) {
        Toggle();
        Click();
    }
    FMouseDown = false;
    update();
}

void TDazCheckBox::keyPressEvent(QKeyEvent *e)
{
    if (FReturnIsTab && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
        QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        return;
    }
    if (e->key() == Qt::Key_Space) {
        FDown = true;
        update();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TDazCheckBox::keyReleaseEvent(QKeyEvent *e)
{
    if (e->key() != Qt::Key_Space || e->isAutoRepeat())
        return;
    FDown = false;
    Toggle();
    Click();
}

void TDazCheckBox::Accelerator()
{
    if (!isEnabled() || !isVisible())
        return;
    Toggle();
    if (FTabStop)
        setFocus(Qt::ShortcutFocusReason);
}

void TDazCheckBox::enterEvent(QEnterEvent *)
{
    FHot = true;
    update();
}

void TDazCheckBox::leaveEvent(QEvent *)
{
    FHot = false;
    update();
}

void TDazCheckBox::focusInEvent(QFocusEvent *)
{
    FFocused = true;
    update();
}

void TDazCheckBox::focusOutEvent(QFocusEvent *)
{
    FFocused = false;
    update();
}

void TDazCheckBox::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::EnabledChange || e->type() == QEvent::FontChange)
        update();
    if (e->type() == QEvent::FontChange)
        FFont = TFont::FromQFont(font(), FFont.Color);
    QWidget::changeEvent(e);
}

void TDazCheckBox::moveEvent(QMoveEvent *e)
{
    if (FTransparent)
        update();
    QWidget::moveEvent(e);
}
