#pragma once
// A time-of-day edit: two-digit hours and minutes (and seconds by default) under an edit
// mask of the locale's time separator, the arrow keys stepping the field under the caret,
// and a drop-down holding the clock face and, optionally, a time-entry control under it.
// Time is the value; the text, the clock and the time-entry control are its views.
#include "controls/dropdown/clockface.h"
#include "controls/dropdown/dropdownedit.h"
#include "controls/dropdown/timepickermask.h"

class QFrame;
class QTimeEdit;

class TDazTimePickerDropDown : public TDazCustomDropDown
{
public:
    explicit TDazTimePickerDropDown(QWidget *Parent = nullptr);
    ~TDazTimePickerDropDown() override;

    TDateTime Time() const { return FTime; }
    // Stores a different value and rewrites the text (and, while open, the clock and the
    // time-entry control); no OnTimeChange.
    void SetTime(TDateTime Value);
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool Value);
    TWatchAppearance &WatchAppearance() { return FWatchAppearance; }
    void SetWatchAppearance(const TWatchAppearance &Value) { FWatchAppearance.Assign(&Value); }
    TWatchSettings &WatchSettings() { return FWatchSettings; }
    void SetWatchSettings(const TWatchSettings &Value) { FWatchSettings.Assign(&Value); }
    bool ShowTimePicker = false;
    bool ShowWatchAMPM = true;
    bool ShowWatchNumbers = true;
    bool Animation = true;
    int AnimationFactor = 10;
    TNotifyEvent OnTimeChange;

    // The edit mask in the platform's syntax ("!90:00:00;1; "); empty for none.
    QString EditMask() const { return FEditMaskText; }
    void SetEditMask(const QString &Value);

    // A part replaced when it differs and is in range, then OnTimeChange.
    void ChangeHour(int H) { ChangePart(0, H); }
    void ChangeMinute(int M) { ChangePart(1, M); }
    void ChangeSecond(int S) { ChangePart(2, S); }
    // Two digits per part joined by the time separator; seconds with ShowSeconds.
    QString FormatTimeText(int H, int M, int S) const;

    // Alt+Up/Down toggle the drop-down; Up and Down step the field under the caret.
    void KeyDown(int &Key, Qt::KeyboardModifiers Shift);
    // Parses a complete typed time into Time (a field out of range throws EConvertError).
    void Change() override;

    TDazWatch *Watch() const { return FDazWatch; }
    QTimeEdit *TimeEdit() const { return FDateTimePicker; }
    QFrame *Panel() const { return FPanelCtrl; }
    void SetComponentStyle(TQVRStyle Value) override;
    void DoHideDropDown(bool Cancelled) override;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void SizeDropDownForm() override;
    void AfterHideDropDown() override;
    void ControlKey(QKeyEvent *Event) override;
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;

private:
    void StepField(int Key, Qt::KeyboardModifiers Shift);
    void ChangePart(int Part, int Value);   // 0 hour, 1 minute, 2 second
    void WriteTimeText();
    void ClockChanged();
    void PickerChanged();
    // Sets the text as typed through the mask and runs the change handling.
    void TypedText(const QString &Text, int Caret);
    static bool ArrowOrPage(int Key);

    bool FShowSeconds = true;
    TDazWatch *FDazWatch = nullptr;
    QTimeEdit *FDateTimePicker = nullptr;
    QFrame *FPanelCtrl = nullptr;
    QSize FPanelSize;   // as the last drop-down set it up
    TWatchAppearance FWatchAppearance;
    TDateTime FTime = 0;
    TWatchSettings FWatchSettings;
    bool FInternalCall = false;
    QString FEditMaskText;
    TEditMask FEditMask;
};
