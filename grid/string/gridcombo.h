#pragma once
// TGridCombo: the string grid's combo editor for combo-list (edComboList) and combo-edit
// (edComboEdit) cells. The grid places it over the cell and fills its item list; the combo
// commits and validates its text on Enter, Up, Down and Tab, hands the other closing keys
// back to the grid, completes typed text from its items and the grid's lookup list, steps
// through the items with the wheel, and ends the edit when it loses the focus (its own
// drop-down list, or another window for a while, taking the focus does not count).
// QLabel first: the combo's label pointer needs the complete class.
#include <QLabel>

#include "grid/string/flatcombobox.h"

class TDazStringGrid;
class QLineEdit;

class TGridCombo : public TRudComboBox
{
public:
    explicit TGridCombo(TDazStringGrid *Grid);

    TDazStringGrid *Grid() const { return FGrid; }
    // Widens the drop-down list to its widest item.
    void SizeDropDownWidth();
    // The lookup completion step, run after each key-up.
    void DoChange();
    // Loads a text (list style: selects the item equal to it) without reporting it as typed.
    void LoadText(const QString &Value);
    // List style (choice from the items only) or edit style (free text).
    void SetListStyle(bool List);

    bool WorkMode = true;
    bool Forced = false;
    int ItemIdx = -1;
    bool ItemChange = false;
    TNotifyEvent OnReturnKey;

    void showPopup() override;
    void hidePopup() override;
    void WMChar(TKeyMessage &Message) override;

protected:
    void KeyDown(uint16_t &Key, TShiftState Shift) override;
    void KeyPress(QChar &Key) override;
    void KeyUp(uint16_t &Key, TShiftState Shift) override;
    // OnEditChange of the grid (display column) after the combo's own change event.
    void Change() override;
    void DoExit() override;
    bool WantSpecialKey(uint16_t Key, TShiftState Shift) const override;
    void wheelEvent(QWheelEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    friend class TComboLengthValidator;
    friend class TDazStringGrid;
    // Writes the text into the current cell and validates it; a refused value shows the
    // text the validation proposed.
    bool Commit(bool SelectOnFailure);
    bool CursorWalk(uint16_t Key, TShiftState Shift);
    void ReportIndexChange(int OldIndex);
    // The most characters typed in: MaxComboLength and, in a column grid, the column's
    // edit length, whichever is the smaller set one; 0 for no limit.
    int InputLimit() const;

    TDazStringGrid *FGrid;
    int FTextLength = 0;   // length of the text before the change being validated
    bool FLoading = false;
    Qt::FocusReason FFocusOutReason = Qt::OtherFocusReason;
    QLineEdit *FRelayedEdit = nullptr;
};
