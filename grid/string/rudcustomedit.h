#pragma once
// The single-line edit under the spin and edit-with-button editors. Keys pass the way the
// editors reason about them: a key-down step (KeyDown, which fires OnKeyDown) before the
// edit's own handling of the key, then the typed character (KeyPress, which fires
// OnKeyPress) before it is inserted. EditorEnabled off keeps the text from being changed by
// the keyboard, the clipboard, the context menu and dropping, while the editor's own steps
// (buttons, arrow keys) still set it.
#include "grid/string/borderstyle.h"
#include "grid/string/editorkeys.h"
#include "platform/color.h"

#include <QLineEdit>
#include <functional>

// The platform's warning sound of a refused key. Tests replace it (nullptr restores it).
void EditorBeep();
void SetEditorBeepHook(std::function<void()> Hook);

class TRudCustomEdit : public TEditorKeys<QLineEdit>
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
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    virtual void Change();
    virtual void Click();
    virtual void DblClick();
    // Cut and paste through the keyboard or the context menu reach the text only when
    // these allow them (EditorEnabled and not ReadOnly).
    virtual bool CanCutPaste() const;
    // The edit's own handling of the pending key (caret, deleting, clipboard).
    void DefaultKeyDown() override;
    // Inserts one typed character as the edit would (Backspace included).
    void DefaultChar(QChar Ch) override;
    // Places children and margins after a size or border change.
    virtual void AdjustLayout() {}
    // Where a button of width ButtonWidth sits at the right end, inside the border.
    QRect RightButtonRect(int ButtonWidth) const;
    // The frame a bsSingle border takes on each side.
    int BorderWidth() const { return FBorderStyle == bsSingle ? 2 : 0; }

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
};
