#pragma once
// TDazInplaceEdit: the string grid's text editor, shown over the current cell for the text
// editor types (edNormal, edNumeric, edFloat, edCapital, edPassword, ...). On top of the
// framework editor it filters typed and pasted characters by editor type, honours a length
// limit without cutting existing text, completes from the grid's lookup list, and validates
// before the caret leaves the cell (Enter, Tab, Up/Down, the cursor walk); a refused value
// keeps it open with the text the validation proposed. Losing the focus ends the edit and
// reports it to the grid.
#include "grid/base/customgrid.h"

class TDazStringGrid;

class TDazInplaceEdit : public TInplaceEdit, public TObject
{
    Q_OBJECT
public:
    explicit TDazInplaceEdit(TDazStringGrid *Grid);

    TDazStringGrid *DazGrid() const { return FGrid; }
    // Longest text typing and pasting may produce (0 or less: no limit).
    int LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(int Value) { FLengthLimit = int16_t(Value); }
    // Right-justified text (the cell's alignment).
    bool VAlign() const { return FVAlign; }
    void SetVAlign(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // The cell being edited (display column, row), taken when the contents were loaded.
    int ColE() const { return FColE; }
    int RowE() const { return FRowE; }
    bool GotFocus() const { return FGotFocus; }
    // The lookup completion step.
    void DoChange();

    void UpdateContents() override;
    void BoundsChanged() override;

    // Message-level handlers, reachable for the grid and the tests.
    void WMPaste();
    void WMCut();
    void WMCopy();
    void WMKeyDown(TKeyMessage &Message) override;
    void WMChar(TKeyMessage &Message) override;
    void WMKeyUp(TKeyMessage &Message) override;

protected:
    void KeyDown(uint16_t &Key, TShiftState Shift) override;
    void KeyPress(QChar &Key) override;
    void KeyUp(uint16_t &Key, TShiftState Shift) override;
    void Change() override;

    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    friend class TDazStringGrid;
    // Writes the text into the current cell and validates it; a refused text is shown as
    // proposed (selected with EditSelectAll, else the caret at the end).
    bool CommitAndValidate(bool WriteFirst);
    void ShowRefused(const QString &OldCellText);
    void SetTextKeepCell(const QString &Value);
    bool FilterChar(QChar &Ch, const TKeyMessage &Message);
    void PassChar(QChar Ch, TKeyMessage &Message);
    // Shift+Enter or Ctrl+Enter in a multi-line cell: the row grows to the text's lines.
    void GrowRow();
    int Caret() const { return cursorPosition(); }

    TDazStringGrid *FGrid;
    int FSelKeyDown = 0;
    int FOldSelStart = 0;
    int16_t FLengthLimit = 0;
    bool FVAlign = false;
    bool FWordWrap = false;
    bool GotKey = false;
    bool Workmode = true;
    bool FGotFocus = false;
    int FColE = -1;
    int FRowE = -1;
    bool FAltBack = false;
    bool FKeyConsumed = false;   // the key-down handler used up the key (no WM_CHAR work)
};
