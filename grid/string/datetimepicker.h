#pragma once
// TCustomDateTimePicker: the flat date picker with automatic field advance (AutoTab: a
// digit that changes a field moves the caret to the next one). TDazDateTimePicker adds the
// date-and-time kind, which edits the time in a second picker embedded in its right end,
// and a caption label. The grid's date-and-time cell editor derives from the latter.
#include "grid/string/editorlabel.h"
#include "grid/string/flatdatepicker.h"

#include <QEvent>

class TCustomDateTimePicker : public TRudDateTimePicker
{
public:
    explicit TCustomDateTimePicker(QWidget *AOwner = nullptr);

    bool AutoTab() const { return FAutoTab; }
    virtual void SetAutoTab(bool Value);
    // True for the bare picker: it is the part embedded in a date-and-time picker, which
    // never draws the Metro button or the custom borders.
    virtual bool IsEmbeddedPart() const { return true; }

    // The registered message a digit posts to its picker after it was typed.
    static QEvent::Type ShiftFocusEventType();
    // After a digit: moves on when the digit changed the field.
    virtual void DoShiftFocus();

protected:
    bool IsMetro() const override;
    bool FlatFrameWanted() const override;
    int MetroFillInset() const override { return 4; }
    void DrawBorder(TCanvas &Canvas) override;
    void PaintOverlay(TCanvas &Canvas) override;
    void KeyPress(QChar &Key) override;
    bool event(QEvent *e) override;

    // The next field takes the caret unless the picker moved there itself.
    void NextFieldAfterDigit();

    // The time before the last digit.
    int Fh = 0, Fm = 0, Fs = 0, Fms = 0;

private:
    bool FAutoTab = false;
    int FFieldBeforeKey = -1;
};

enum TDazDateTimeKind { dkDate, dkTime, dkDateTime };

class TDazDateTimePicker : public TCustomDateTimePicker, public TLabelProperties
{
public:
    explicit TDazDateTimePicker(QWidget *AOwner = nullptr);
    ~TDazDateTimePicker() override;

    uint32_t GetVersionNr() const override;
    bool IsEmbeddedPart() const override { return false; }

    TDazDateTimeKind Kind() const { return FKind; }
    void SetKind(TDazDateTimeKind Value);
    // With a time part, its time joined to the picker's date.
    TDateTime DateTime() const;
    // Milliseconds are dropped; the time part shows the same value.
    virtual void SetDateTime(TDateTime Value);
    TDateTime Date() const { return PickerDate(); }
    void SetDate(TDateTime Value);   // keeps the time of day
    TDateTime Time() const;
    void SetTime(TDateTime Value);
    QString Format() const { return PickerFormat(); }
    void SetFormat(const QString &Value) { SetPickerFormat(Value); }
    QString TimeFormat() const { return FTimeFormat; }
    void SetTimeFormat(const QString &Value);
    void SetAutoTab(bool Value) override;
    void SetBorderStyle(TBorderStyle Value) override;
    // The embedded time part; nullptr unless the kind is dkDateTime.
    TCustomDateTimePicker *TimePicker() const { return FTimePicker; }

    QLabel *PickerLabel() const { return FLabel.Label(); }
    void setVisible(bool Visible) override;

    TNotifyEvent OnTimeChange;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;

    void DoShiftFocus() override;
    // Places, shows and fills the time part; frees it when the kind has none.
    void UpdateTimePicker();

protected:
    void KeyPress(QChar &Key) override;
    void CheckChanged() override;
    void DoEnter() override;
    void DoExit() override;
    void AdjustLayout() override;
    void paintEvent(QPaintEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void CreateTimePicker();
    void ApplyKind();

    TDazDateTimeKind FKind = dkDateTime;
    QString FTimeFormat;
    int Fy = 0, Fm = 0, Fd = 0;   // the date before the last digit
    TEditorLabel FLabel;
    bool FFirstRun = true;
    TCustomDateTimePicker *FTimePicker = nullptr;
};
