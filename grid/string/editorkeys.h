#pragma once
// The key and focus steps every editor control of this folder shares, over any widget
// class Base: a key goes first to KeyDown (which fires OnKeyDown; a handler clears the key
// to stop it), then to the control's own handling of the key (DefaultKeyDown); the
// character it types goes to KeyPress (OnKeyPress; clearing it stops it), then into the
// control (DefaultChar). Tab reaches the control only when WantSpecialKey claims it. Focus
// moves to or from a pop-up (a list, a menu) are not entering or leaving the control.
#include "grid/base/classes.h"
#include "grid/base/customgrid.h"
#include "grid/base/keys.h"
#include "platform/color.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>

template <class Base>
class TEditorKeys : public Base, public TObject
{
public:
    using Base::Base;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

    // The key steps, public so that an owner can hand a key to the control.
    virtual void WMKeyDown(TKeyMessage &Message)
    {
        KeyDown(Message.CharCode, Message.Shift);
        if (Message.CharCode != 0)
            DefaultKeyDown();
    }
    virtual void WMChar(TKeyMessage &Message)
    {
        QChar ch(Message.CharCode);
        KeyPress(ch);
        Message.CharCode = ch.unicode();
        if (!ch.isNull())
            DefaultChar(ch);
    }
    virtual void WMKeyUp(TKeyMessage &Message) { KeyUp(Message.CharCode, Message.Shift); }

protected:
    virtual void KeyDown(uint16_t &Key, TShiftState Shift)
    {
        if (Key != 0 && OnKeyDown)
            OnKeyDown(this, Key, Shift);
    }
    virtual void KeyPress(QChar &Key)
    {
        if (!Key.isNull() && OnKeyPress)
            OnKeyPress(this, Key);
    }
    virtual void KeyUp(uint16_t &Key, TShiftState Shift)
    {
        if (Key != 0 && OnKeyUp)
            OnKeyUp(this, Key, Shift);
    }
    virtual void DoEnter()
    {
        if (OnEnter)
            OnEnter(this);
    }
    virtual void DoExit()
    {
        if (OnExit)
            OnExit(this);
    }
    // Keys the control claims from the focus navigation of its window (Tab, Backtab).
    virtual bool WantSpecialKey(uint16_t, TShiftState) const { return false; }
    // The control's own handling of the pending key (PendingKey) and of a typed character.
    virtual void DefaultKeyDown() {}
    virtual void DefaultChar(QChar) {}

    // The Qt event of the key being processed; nullptr outside the key-down step.
    QKeyEvent *PendingKey() const { return FPendingKey; }
    // The pending key also types a character (which DefaultChar will receive).
    bool PendingKeyTypes() const { return FPendingTypes; }

    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::KeyPress) {
            auto *k = static_cast<QKeyEvent *>(e);
            if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
                WantSpecialKey(VK_TAB, ShiftStateOf(k->modifiers()))) {
                keyPressEvent(k);
                return true;
            }
        }
        return Base::event(e);
    }
    void keyPressEvent(QKeyEvent *e) override
    {
        const TKeyInfo k = TranslateKeyEvent(*e);
        if (k.Key == VK_TAB && !WantSpecialKey(VK_TAB, k.Shift)) {
            e->ignore();
            return;
        }
        QPointer<Base> self(this);
        FPendingKey = e;
        FPendingTypes = !k.Char.isNull();
        // Clipboard and undo shortcuts are done by the key-down step; their control
        // characters must not act twice.
        const bool ctrlShortcut = k.Shift.Contains(ssCtrl) && k.Char.unicode() >= 1 &&
                                  k.Char.unicode() < 32 && k.Key != VK_RETURN;
        if (k.Key) {
            TKeyMessage m = MakeKeyMessage(k.Key, k);
            WMKeyDown(m);
        }
        if (!self)
            return;
        FPendingKey = nullptr;
        if (!k.Char.isNull() && !ctrlShortcut) {
            TKeyMessage m = MakeKeyMessage(k.Char.unicode(), k);
            WMChar(m);
        }
        e->accept();
    }
    void keyReleaseEvent(QKeyEvent *e) override
    {
        const TKeyInfo k = TranslateKeyEvent(*e);
        if (k.Key) {
            TKeyMessage m = MakeKeyMessage(k.Key, k);
            WMKeyUp(m);
        }
        e->accept();
    }
    void focusInEvent(QFocusEvent *e) override
    {
        Base::focusInEvent(e);
        if (e->reason() != Qt::PopupFocusReason)
            DoEnter();
    }
    void focusOutEvent(QFocusEvent *e) override
    {
        Base::focusOutEvent(e);
        if (e->reason() != Qt::PopupFocusReason)
            DoExit();
    }

private:
    QKeyEvent *FPendingKey = nullptr;
    bool FPendingTypes = false;
};

// Custom colours of a small button (drop-down or arrow); ButtonColor clNone: the
// platform's button.
struct TButtonColors
{
    TColor ButtonColor = clNone;
    TColor ButtonColorHot = clNone;
    TColor ButtonColorDown = clNone;
    TColor ButtonBorderColor = clNone;
    TColor ButtonTextColor = clNone;
    TColor ButtonTextColorHot = clNone;
    TColor ButtonTextColorDown = clNone;

    // The face: down, hot or normal, each falling back to ButtonColor when not set.
    TColor FaceColor(bool Down, bool Hot) const
    {
        if (Down && ButtonColorDown != clNone)
            return ButtonColorDown;
        if (Hot && ButtonColorHot != clNone)
            return ButtonColorHot;
        return ButtonColor;
    }
};
