#pragma once
// TGridDatePicker: the date and time cell editor (edDateEdit, edDateEditUpDown, edTimeEdit).
// A typed digit that completes the day, month, hour, minute or second moves on to the next
// field (the last field of the format stays); Enter and Tab commit through the grid's
// validation, Escape reloads the cell's value, and leaving the control ends the edit. Its
// check box starts ticked at every opening, so no date cell is blanked by accident.
#include "grid/string/flatdatepicker.h"
#include "grid/string/grideditoraccess.h"

class TGridDatePicker : public TGridEditorControl<TRudDateTimePicker>
{
public:
    explicit TGridDatePicker(TDazStringGrid *Grid);
    bool Weeknumbers() const { return FWeekNumbers; }
    void SetWeeknumbers(bool Value) { FWeekNumbers = Value; }
    bool ShowToday() const { return FShowToday; }
    void SetShowToday(bool Value) { FShowToday = Value; }
    bool ShowTodayCircle() const { return FShowTodayCircle; }
    void SetShowTodayCircle(bool Value) { FShowTodayCircle = Value; }

    // Reads a cell text: a time for a time picker, else a date; unreadable text is now.
    TDateTime ValueOfText(const QString &Text) const;
    // After a typed digit: moves to the next field when the typed one changed and is not
    // the last field of the format.
    void ShiftFocus();

protected:
    void KeyDown(uint16_t &Key, TShiftState Shift) override;
    void KeyPress(QChar &Key) override;
    void DefaultChar(QChar Ch) override;
    bool WantSpecialKey(uint16_t Key, TShiftState Shift) const override;

private:
    QString FTypedText;   // the field's text before the last digit typed
    int FTypedSection = -1;
    bool FWeekNumbers = false;
    bool FShowToday = true;
    bool FShowTodayCircle = true;
};
