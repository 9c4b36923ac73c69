#pragma once
// The grid's edit-with-button cell editors. TGridEditBtn serves the ellipsis types (plain,
// numeric, float and mask): the button or F4 fires the grid's OnEllipsClick with the text.
// TGridUnitEditBtn serves the value-and-unit types; its cell text is the value followed by
// the unit. Both commit on Enter, Tab, Up and Down through the grid's validation, restore
// the cell on Escape, filter typed characters by the cell's editor type, and end the edit
// when they lose the focus. TGridEditBtn also pastes through the grid's clipboard events,
// completes from the lookup list and walks out of the cell at the ends of its text.
#include "grid/string/editbtn.h"
#include "grid/string/grideditoraccess.h"

// Whether a typed character may enter a numeric (Float false) or float edit; Beep tells
// whether a refusal beeps. Selection: the selected range [SelStart, SelStart + SelLength).
bool NumericCharAllowed(QChar Ch, const QString &Text, int Caret, int SelStart, int SelLength,
                        bool Float, bool &Beep);

class TGridEditBtn : public TGridEditorControl<TRudEditBtn>
{
public:
    explicit TGridEditBtn(TDazStringGrid *Grid);
    bool StopEditAfterClick() const { return FStopEditAfterClick; }
    void SetStopEditAfterClick(bool Value) { FStopEditAfterClick = Value; }
    bool WorkMode = true;

    void WMChar(TKeyMessage &Message) override;
    // Ctrl+V and Shift+Insert: the clipboard text through the grid's paste events.
    void WMPaste();

protected:
    void KeyDown(uint16_t &Key, TShiftState Shift) override;
    void KeyPress(QChar &Key) override;
    void KeyUp(uint16_t &Key, TShiftState Shift) override;
    bool WantSpecialKey(uint16_t Key, TShiftState Shift) const override;
    void Change() override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    void ButtonClick();
    // The cursor walk's commit: the validated text is shown, a refused one selected.
    bool CommitWalk();
    int FSelKeyDown = 0;
    bool FStopEditAfterClick = false;
};

class TGridUnitEditBtn : public TGridEditorControl<TRudUnitEditBtn>
{
public:
    explicit TGridUnitEditBtn(TDazStringGrid *Grid);

    void WMChar(TKeyMessage &Message) override;

protected:
    void KeyDown(uint16_t &Key, TShiftState Shift) override;
    void KeyPress(QChar &Key) override;
    bool WantSpecialKey(uint16_t Key, TShiftState Shift) const override;
    void Change() override;
};

#include <QPushButton>

// TGridButton: the push-button cell editor (edButton). A click (or Space) runs the grid's
// OnEllipsClick with the caption and writes the caption it returns into the cell; an arrow
// key closes it and moves the grid's current cell, Escape closes it keeping the cell.
class TGridButton : public QPushButton
{
public:
    explicit TGridButton(TDazStringGrid *Grid);
    TDazStringGrid *Grid() const { return FGrid; }

protected:
    void mouseReleaseEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    void Clicked();
    TDazStringGrid *FGrid;
};
