#include "app/lbbutton.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QTimer>

using enum TLbButtonStyle;

namespace {

bool Is_Enter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

} // namespace

TLbButton::TLbButton(QWidget *parent) : QPushButton(parent)
{
    resize(100, 23);
    // Enter in a dialog must not click whichever button happens to be first.
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    if (QWidget *form = window(); form && form != this)
        FHTFont = TFont::FromQFont(form->font());
    FThread = new QTimer(this);
    FThread->setInterval(30);
    connect(FThread, &QTimer::timeout, this, [this] { HotTrackStepDown(); });
    // A click that Qt itself makes (QAbstractButton::click through a base pointer) is a
    // full click too; it has already told the clicked listeners.
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (emitting_clicked_)
            return;
        qt_click_ = true;
        Click();
        qt_click_ = false;
    });
}

TLbButton::~TLbButton()
{
    FDestroying = true;
    if (FThread)
        FThread->stop();
}

void TLbButton::SetCaption(const QString &caption)
{
    setText(caption);
    update();
}

void TLbButton::SetModalResult(int result)
{
    FModalResult = result;
    FKind = TLbButtonKind::bkCustom;
}

void TLbButton::SetAlignment(Qt::Alignment a)
{
    FAlignment = a;
    update();
}

void TLbButton::SetCancel(bool on)
{
    FCancel = on;
    Watch_Window();
}

void TLbButton::SetDefault(bool on)
{
    FDefault = on;
    Watch_Window();
}

void TLbButton::SetColorStyle(TLbColorStyle style)
{
    if (style == TLbColorStyle::lcsCustom)
        return;
    const TLbColorStyleColors c = GetColorStyleColors(style);
    FColor = c.Color;
    FLightColor = c.LightColor;
    FShadowColor = c.ShadowColor;
    FColorWhenDown = c.ColorWhenDown;
    FHotTrackColor = c.HotTrackColor;
    FFlat = c.Flat;
    FFontColor = c.FontColor;
    FStyle = c.Style;
    update();
}

void TLbButton::SetColor(TColor c)
{
    FColor = c;
    update();
}

void TLbButton::SetFontColor(TColor c)
{
    FFontColor = c;
    update();
}

void TLbButton::SetLightColor(TColor c)
{
    FLightColor = c;
    update();
}

void TLbButton::SetShadowColor(TColor c)
{
    FShadowColor = c;
    update();
}

void TLbButton::SetFlat(bool on)
{
    FFlat = on;
    update();
}

void TLbButton::SetWordWrap(bool on)
{
    FWordWrap = on;
    update();
}

void TLbButton::SetGlyph(const QImage &glyph)
{
    FGlyph = glyph;
    FNumGlyphs = glyph.isNull() || glyph.height() == 0 ? 0 : glyph.width() / glyph.height();
    FKind = TLbButtonKind::bkCustom;
    update();
}

void TLbButton::SetNumGlyphs(int n)
{
    FNumGlyphs = n;
    update();
}

void TLbButton::SetKind(TLbButtonKind kind)
{
    struct TKind_Row
    {
        int Modal_Result;
        const char *Resource;
        const char *Caption;
    };
    static const TKind_Row rows[] = {
        {mrNone, nullptr, nullptr},
        {mrOk, "LBOK", "OK"},
        {mrCancel, "LBCANCEL", "Abbrechen"},
        {mrNone, "LBHELP", "Hilfe"},
        {mrYes, "LBYES", "Ja"},
        {mrNo, "LBNO", "Nein"},
        {mrNone, "LBCLOSE", "Schlie\u00DFen"},
        {mrAbort, "LBABORT", "Abbrechen"},
        {mrRetry, "LBRETRY", "Wiederholen"},
        {mrIgnore, "LBIGNORE", "Ignorieren"},
        {mrAll, "LBALL", "Alle"},
    };
    if (kind != TLbButtonKind::bkCustom) {
        const TKind_Row &row = rows[int(kind)];
        FNumGlyphs = 2;
        SetModalResult(row.Modal_Result);
        FGlyph = LbButtonResource(QLatin1String(row.Resource));
        SetCaption(QString::fromUtf8(row.Caption));
    }
    FKind = kind;
    update();
}

void TLbButton::SetLayout(TLbButtonLayout layout)
{
    FLayout = layout;
    update();
}

void TLbButton::SetStyle(TLbButtonStyle style)
{
    FStyle = style;
    update();
}

void TLbButton::SetSlowDecease(bool on)
{
    FSlowDecease = on;
    if (on) {
        if (!FThread) {
            FThread = new QTimer(this);
            FThread->setInterval(30);
            connect(FThread, &QTimer::timeout, this, [this] { HotTrackStepDown(); });
        }
    } else if (FThread) {
        FHotTrackStep = 0;
        delete FThread;
        FThread = nullptr;
        update();
    }
}

bool TLbButton::Fade_Running() const
{
    return FThread && FThread->isActive();
}

bool TLbButton::Is_Visible() const
{
    // The button's own visibility: one on a window that is not shown yet still counts.
    return parentWidget() ? isVisibleTo(parentWidget()) : isVisible();
}

bool TLbButton::Parent_Showing() const
{
    return !parentWidget() || parentWidget()->isVisible();
}

void TLbButton::MouseEnter()
{
    if (!isEnabled() || !isVisible() || !Parent_Showing())
        return;
    bCursorOnButton = true;
    FHotTrackStep = 8;
    update();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TLbButton::MouseLeave()
{
    bCursorOnButton = false;
    if (FSlowDecease) {
        if (FThread && !FThread->isActive())
            FThread->start();
    } else {
        FHotTrackStep = 0;
        update();
    }
    if (isEnabled() && isVisible() && Parent_Showing() && OnMouseExit)
        OnMouseExit(this);
}

void TLbButton::HotTrackStepDown()
{
    if (FDestroying)
        return;
    if (--FHotTrackStep <= 0) {
        if (FThread)
            FThread->stop();
        FHotTrackStep = 0;
    }
    update();
}

void TLbButton::Click()
{
    bDown = true;
    DoClick();
}

void TLbButton::DoClick()
{
    if (!Is_Visible() || !isEnabled() || !bDown)
        return;
    bDown = false;
    update();
    if (OnClick)
        OnClick(this);
    if (!qt_click_) {
        emitting_clicked_ = true;
        emit clicked(false);
        emitting_clicked_ = false;
    }
    if (FModalResult != mrNone)
        if (auto *dialog = qobject_cast<QDialog *>(window()))
            dialog->done(FModalResult);
    if (QMenu *popup = menu())
        popup->popup(mapToGlobal(QPoint(0, height())));
}

QImage TLbButton::Paint_Face() const
{
    const int W = width(), H = height();
    QImage image(W, H, QImage::Format_ARGB32);
    const bool keyed = FStyle == bsModern || FStyle == bsShape || FStyle == bsQuicken;
    image.fill(keyed ? QColor(255, 0, 255) : QColor(Qt::transparent));
    const bool hot = bCursorOnButton || hasFocus();
    const bool focused_old = FStyle == bsOld && hasFocus();
    TLbFaceValues v;
    v.W = focused_old ? W - 2 : W;
    v.H = focused_old ? H - 2 : H;
    v.Alignment = FAlignment;
    v.Caption = text();
    v.Layout = FLayout;
    v.Font = hot && FUseHTFont ? FHTFont : TFont::FromQFont(font(), FFontColor);
    v.ShadowColor = FShadowColor;
    v.LightColor = focused_old && bDown ? FShadowColor : FLightColor;
    v.HotTrackColor = FHotTrackColor;
    v.ColorWhenDown = FColorWhenDown;
    v.Color = FColor;
    v.Style = FStyle;
    v.HasPopup = menu() != nullptr;
    v.WordWrap = FWordWrap;
    v.Flat = FFlat;
    v.Enabled = isEnabled();
    v.Hot = hot;
    v.Down = bDown;
    v.Glyph = FGlyph;
    v.NumGlyphs = FNumGlyphs;
    // An icon set the Qt way serves as a one-cell glyph.
    if (FGlyph.isNull() && !icon().isNull()) {
        v.Glyph = icon().pixmap(iconSize()).toImage();
        v.NumGlyphs = 1;
    }
    v.HotTrackStep = FHotTrackStep;
    {
        TCanvas canvas(&image);
        if (focused_old) {
            QImage inner(v.W, v.H, QImage::Format_ARGB32);
            inner.fill(Qt::transparent);
            {
                TCanvas c(&inner);
                DrawButtonFace(c, v);
            }
            canvas.Draw(1, 1, inner);
            canvas.Brush.Color = clBlack;
            canvas.FrameRect(Rect(0, 0, W, H));
        } else {
            DrawButtonFace(canvas, v);
        }
        if (hasFocus() && isEnabled() && FStyle != bsShape) {
            canvas.Brush.Style = bsClear;
            canvas.Pen.Style = psDot;
            canvas.Pen.Color = clBlack;
            canvas.Rectangle(4, 4, W - 4, H - 4);
        }
    }
    if (keyed) {
        // The key colour is where the parent shows through.
        for (int y = 0; y < H; ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < W; ++x)
                if ((line[x] & 0x00FFFFFFu) == 0x00FF00FFu)
                    line[x] = 0;
        }
    }
    return image;
}

void TLbButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, Paint_Face());
}

bool TLbButton::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Shortcut:
        // The accelerator of the caption.
        if (isVisible() && isEnabled() && Parent_Showing()) {
            bDown = true;
            Click();
            return true;
        }
        break;
    case QEvent::ParentChange:
        Watch_Window();
        break;
    default:
        break;
    }
    return QPushButton::event(event);
}

void TLbButton::enterEvent(QEnterEvent *)
{
    MouseEnter();
}

void TLbButton::leaveEvent(QEvent *)
{
    MouseLeave();
}

void TLbButton::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && isEnabled()) {
        bDown = true;
        setFocus(Qt::MouseFocusReason);
        update();
    }
}

void TLbButton::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    // The press grabbed the mouse: a release anywhere clicks.
    if (bDown)
        Click();
    bDown = false;
    update();
}

void TLbButton::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (Is_Enter(key) || key == Qt::Key_Space) {
        if (isEnabled()) {
            bDown = true;
            FKey_Down = key;
            update();
        }
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TLbButton::keyReleaseEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (Is_Enter(key) || key == Qt::Key_Space) {
        // Held keys repeat presses; only the final release clicks, and only when this button
        // took the press: the release of an Enter that closed a message box comes here too.
        if (!event->isAutoRepeat()) {
            const bool pressed_here = FKey_Down == key;
            FKey_Down = 0;
            if (pressed_here)
                Click();
        }
        update();
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void TLbButton::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void TLbButton::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (FKey_Down) {
        FKey_Down = 0;
        bDown = false;
    }
    update();
}

void TLbButton::hideEvent(QHideEvent *event)
{
    QPushButton::hideEvent(event);
    // A hidden button gets no leave event: a modal close would keep it hot until the
    // window shows again.
    bCursorOnButton = false;
    FHotTrackStep = 0;
    if (FThread)
        FThread->stop();
    FKey_Down = 0;
    bDown = false;
}

void TLbButton::changeEvent(QEvent *event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        bDown = false;
        update();
    }
}

void TLbButton::showEvent(QShowEvent *event)
{
    QPushButton::showEvent(event);
    Watch_Window();
}

void TLbButton::Watch_Window()
{
    QWidget *form = (FDefault || FCancel) ? window() : nullptr;
    if (form == this)
        form = nullptr;
    if (FWatched == form)
        return;
    if (FWatched)
        FWatched->removeEventFilter(this);
    FWatched = form;
    if (FWatched) {
        FWatched->installEventFilter(this);
        connect(FWatched, &QObject::destroyed, this, [this](QObject *gone) {
            if (FWatched == gone)
                FWatched = nullptr;
        });
    }
}

bool TLbButton::eventFilter(QObject *watched, QEvent *event)
{
    // Keys that no control of the window took come to the window itself.
    if (watched == FWatched && event->type() == QEvent::KeyPress)
        if (Dialog_Key(static_cast<QKeyEvent *>(event)))
            return true;
    return QPushButton::eventFilter(watched, event);
}

bool TLbButton::Dialog_Key(QKeyEvent *event)
{
    const int key = event->key();
    const bool wanted = (Is_Enter(key) && FDefault) ||
                        (key == Qt::Key_Escape && FCancel && !(event->modifiers() & Qt::ShiftModifier));
    if (!wanted || !isVisible() || !isEnabled())
        return false;
    // A focused button handles Enter itself.
    if (const QWidget *active = window()->focusWidget()) {
        const QString cls = QString::fromLatin1(active->metaObject()->className()).toUpper();
        if (cls.contains(QLatin1String("BUTTON")) && !cls.contains(QLatin1String("RADIOBUTTON")))
            return false;
    }
    bDown = true;
    Click();
    return true;
}
