#pragma once
// The single-line edit under the spin and edit-with-button editors. Keys pass the way the
// editors reason about them: a key-down step (KeyDown, which fires OnKeyDown) before the
// edit's own handling of the key, then the typed character (KeyPress, which fires
// OnKeyPress) before it is inserted. EditorEnabled off keeps the text from being changed by
// the keyboard, the clipboard, the context menu and dropping, while the editor's own steps
// (buttons, arrow keys) still set it.
#include "grid/base/classes.h"
#include "grid/base/customgrid.h"
#include "grid/base/keys.h"
#include "grid/string/borderstyle.h"
#include "platform/color.h"

#include <QLineEdit>
#include <functional>

// The platform's warning sound of a refused key. Tests replace it (nullptr restores it).
void EditorBeep();
void SetEditorBeepHook(std::function<void()> Hook);

class TRudCustomEdit : public QLineEdit, public TObject
{
public:
    explicit TRudCustomEdit(QWidget *AOwner = nullptr);

    QString Text() const { return text(); }
    void SetText(const QString &Value) { setText(Value); }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool Value) { setReadOnly(Value); }
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    // 0: no limit.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    int SelStart() const;
    int SelLength() const { return int(selectedText().size()); }

    // The smallest height that shows the font; a smaller height is raised to it.
    virtual int GetMinHeight() const;

    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // The key steps, public so that an owner can hand a key to the editor.
    virtual void WMKeyDown(TKeyMessage &Message);
    virtual void WMChar(TKeyMessage &Message);
    virtual void WMKeyUp(TKeyMessage &Message);

protected:
    // Fire the events; descendants add their rules around them.
    virtual void KeyDown(uint16_t &Key, TShiftState Shift);
    virtual void KeyPress(QChar &Key);
    virtual void KeyUp(uint16_t &Key, TShiftState Shift);
    virtual void Change();
    virtual void DoEnter();
    virtual void DoExit();
    virtual void Click();
    virtual void DblClick();
    // Cut and paste through the keyboard or the context menu reach the text only when
    // these allow them (EditorEnabled and not ReadOnly).
    virtual bool CanCutPaste() const;
    // The edit's own handling of the key that is being processed (caret, deleting,
    // clipboard); nothing when no key is pending.
    void DefaultKeyDown();
    // Inserts one typed character as the edit would (Backspace included).
    void DefaultChar(QChar Ch);
    // Keys the editor claims from the focus navigation of its window (Tab, Backtab).
    virtual bool WantSpecialKey(uint16_t Key, TShiftState Shift) const;
    // Places children and margins after a size or border change.
    virtual void AdjustLayout() {}
    // Where a button of width ButtonWidth sits at the right end, inside the border.
    QRect RightButtonRect(int ButtonWidth) const;
    // The frame a bsSingle border takes on each side.
    int BorderWidth() const { return FBorderStyle == bsSingle ? 2 : 0; }

    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    // Runs F with the edit read-only while the text may not be changed.
    template <class F>
    void Guarded(bool Allowed, F &&f);

    bool FEditorEnabled = true;
    bool FAutoSelect = true;
    TBorderStyle FBorderStyle = bsSingle;
    TColor FColor = clWindow;
    int FMaxLength = 0;
    QKeyEvent *FPendingKey = nullptr;
};
