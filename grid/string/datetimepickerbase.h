#pragma once
// The platform's date-time picker, over QDateTimeEdit: a date (with a drop-down calendar
// or up-down buttons) or a time, an optional check box that switches the value on and off
// (checked by default), and the value kept whole as a TDateTime, so a date picker keeps the
// time of day it was given and a time picker its date. Keys pass as in the other editor
// controls: KeyDown (OnKeyDown) before the picker's own handling of a key that types
// nothing, KeyPress (OnKeyPress) before a typed character reaches the picker.
#include "grid/string/datetimetext.h"
#include "grid/string/editorkeys.h"
#include "platform/color.h"

#include <QDateTimeEdit>
#include <QPointer>

class QCheckBox;

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };

class TDateTimePicker : public TEditorKeys<QDateTimeEdit>
{
public:
    explicit TDateTimePicker(QWidget *AOwner = nullptr);

    TDateTimeKind FrameworkKind() const { return FKind; }
    void SetFrameworkKind(TDateTimeKind Value);
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode Value);

    TDateTime PickerDateTime() const { return FValue; }
    void SetPickerDateTime(TDateTime Value);
    TDateTime PickerDate() const { return DateOf(FValue); }
    void SetPickerDate(TDateTime Value);     // keeps the time of day
    TDateTime PickerTime() const { return TimeOf(FValue); }
    void SetPickerTime(TDateTime Value);     // keeps the date
    // A Qt date-time format; empty: the short date format, or hours, minutes and seconds.
    QString PickerFormat() const { return FFormat; }
    void SetPickerFormat(const QString &Value);
    // 0: no limit.
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime Value);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value);

    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);

    // The value as the picker shows it.
    QString Text() const { return text(); }
    bool DroppedDown() const { return FDroppedDown; }
    void SetDroppedDown(bool Value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    void SetEnabled(bool Value) { setEnabled(Value); }

    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    // F4 and Alt+Down open and close the calendar.
    void WMKeyDown(TKeyMessage &Message) override;
    // The next field of the value (day to month, hours to minutes, ...) takes the caret.
    void MoveToNextField();
    QCheckBox *CheckBox() const { return FCheckBox; }

protected:
    // The user changed the value or the check box (OnChange).
    virtual void Change();
    // The user ticked or cleared the check box, after Change.
    virtual void CheckChanged() {}
    virtual void DoDropDown();
    virtual void DoCloseUp();
    // A key that types nothing; the typed characters go through DefaultChar.
    void DefaultKeyDown() override;
    void DefaultChar(QChar Ch) override;
    // Place children after a size change (descendants).
    virtual void AdjustLayout();

    bool eventFilter(QObject *Watched, QEvent *Event) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void ShowValue();
    void ApplyDisplayFormat();
    void ApplyChecked();
    void ValueEdited(const QDateTime &Value);

    TDateTime FValue = 0;
    TDateTimeKind FKind = dtkDate;
    TDTDateMode FDateMode = dmComboBox;
    QString FFormat;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    bool FShowCheckbox = false;
    bool FChecked = true;
    bool FDroppedDown = false;
    bool FCtl3D = true;
    TColor FColor = clWindow;
    bool FSyncing = false;
    QCheckBox *FCheckBox = nullptr;
    QPointer<QWidget> FCalendarWindow;
};
