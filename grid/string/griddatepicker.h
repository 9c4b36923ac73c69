#pragma once
// TGridDatePicker: the date and time cell editor (edDateEdit, edDateEditUpDown, edTimeEdit).
// A typed digit that completes the day, month, hour, minute or second moves on to the next
// field (the last field of the format stays); Enter and Tab commit through the grid's
// validation, Escape reloads the cell's value, and leaving the control ends the edit. Its
// check box starts ticked at every opening, so no date cell is blanked by accident.
#include "grid/string/flatdatepicker.h"
#include "grid/string/grideditoraccess.h"

// A date, or a date and a time, as the user's formats write them, also with a month name
// that the numeric reader does not take.
bool ReadLocaleDateTime(const QString &Text, TDateTime &Value);

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

#include "grid/string/datetimepicker.h"

// TGridDateTimePicker: the date-and-time cell editor (edDateTimeEdit), a date part with an
// embedded time part. Enter closes it (and advances with AdvanceOnEnter), Tab closes it and
// tabs on when the grid wants Tab, Escape puts back the value it opened with. Moving the
// focus between its two parts does not end the edit.
class TGridDateTimePicker : public TDazDateTimePicker
{
public:
    explicit TGridDateTimePicker(TDazStringGrid *Grid);
    TDazStringGrid *Grid() const { return FGrid; }
    // The value when the editor opened.
    TDateTime OriginalDateTime = 0;

protected:
    void KeyDown(uint16_t &Key, TShiftState Shift) override;
    bool WantSpecialKey(uint16_t Key, TShiftState Shift) const override;

private:
    TDazStringGrid *FGrid;
};
