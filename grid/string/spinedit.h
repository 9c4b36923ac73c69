#pragma once
// The spin edit: an edit holding an integer, a float, a date or a time (SpinType) with a
// pair of auto-repeating arrow buttons at its right end. The value lives in the text and is
// parsed back on demand; the arrow keys, Page Up / Page Down and the buttons step it, and
// the limits clamp it (equal limits mean none). The grid's spin cell editor derives from it.
#include "grid/string/datetimetext.h"
#include "grid/string/rudcustomedit.h"
#include "grid/string/speedbutton.h"

#include <QPointer>

class QTimer;

enum TRudSpinType { sptNormal, sptFloat, sptDate, sptTime };
enum TSpinDirection { spVertical, spHorizontal };
enum TEditAlign { eaLeft, eaRight, eaCenter };
enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
enum TTimeBtnStateItem { tbFocusRect, tbAllowTimer };
using TTimeBtnState = TSet<TTimeBtnStateItem>;

class TRudSpinButton;

// One arrow button of the pair. While it is held it clicks once, again after 400 ms and
// then every 100 ms until it is released.
class TDazTimerSpeedButton : public TSpeedButton
{
public:
    static constexpr int InitRepeatPause = 400;
    static constexpr int RepeatPause = 100;

    explicit TDazTimerSpeedButton(QWidget *AOwner = nullptr);

    TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
    void SetTimeBtnState(TTimeBtnState Value);
    TButtonDirection ButtonDirection() const { return FButtonDirection; }
    void SetButtonDirection(TButtonDirection Value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    bool HasMouse() const { return FHasMouse; }

    // Made on the first press; tests drive its ticks through TimerExpired.
    QTimer *RepeatTimer() const { return FRepeatTimer; }
    // One repeat: the next one follows after RepeatPause; clicks while the button is held.
    void TimerExpired();

protected:
    void Paint(TCanvas &Canvas) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    TRudSpinButton *Pair() const;

    QTimer *FRepeatTimer = nullptr;
    TTimeBtnState FTimeBtnState;
    TButtonDirection FButtonDirection = bdUp;
    bool FIsWinXP = false;
    bool FHasMouse = false;
};

// The pair of arrow buttons: up over down, or (horizontal) down left of up.
class TRudSpinButton : public QWidget, public TObject, public TButtonColors
{
public:
    explicit TRudSpinButton(QWidget *AOwner = nullptr);

    TDazTimerSpeedButton *UpButton() const { return FUpButton; }
    TDazTimerSpeedButton *DownButton() const { return FDownButton; }
    TDazTimerSpeedButton *FocusedButton() const { return FFocusedButton; }
    QWidget *FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget *Value) { FFocusControl = Value; }
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection Value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    // A null image loads the built-in arrow.
    void SetUpGlyph(const QImage &Value);
    void SetDownGlyph(const QImage &Value);
    int UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
    void SetUpNumGlyphs(int Value) { FUpButton->SetNumGlyphs(Value); }
    int DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
    void SetDownNumGlyphs(int Value) { FDownButton->SetNumGlyphs(Value); }
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool Value) { setFocusPolicy(Value ? Qt::StrongFocus : Qt::NoFocus); }


    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

    // The widths and heights the buttons get for the size W x H (W is widened to 15, or 20
    // when horizontal).
    void AdjustButtonSizes(int &W, int &H);
    // Space clicks the focused button; Up and Down focus and click their button.
    void KeyDown(uint16_t &Key, TShiftState Shift);

    // The built-in 9 x 6 arrows.
    static QImage UpArrowGlyph();
    static QImage DownArrowGlyph();

protected:
    void resizeEvent(QResizeEvent *) override;
    void keyPressEvent(QKeyEvent *) override;
    void focusInEvent(QFocusEvent *) override;
    void focusOutEvent(QFocusEvent *) override;

private:
    TDazTimerSpeedButton *CreateButton();
    void BtnClick(TObject *Sender);
    void BtnMouseDown(TObject *Sender, TMouseButton Button);
    void FocusBtn(TDazTimerSpeedButton *Btn);

    TDazTimerSpeedButton *FUpButton;
    TDazTimerSpeedButton *FDownButton;
    TDazTimerSpeedButton *FFocusedButton;
    QPointer<QWidget> FFocusControl;
    TSpinDirection FDirection = spVertical;
    bool FIsWinXP = false;
};

class TRudSpinEdit : public TRudCustomEdit
{
public:
    explicit TRudSpinEdit(QWidget *AOwner = nullptr);

    TRudSpinButton *Button() const { return FButton; }

    // An empty text is 0; a text that is no integer gives MinValue.
    int Value() const;
    void SetValue(int NewValue);
    // A text that is no number gives MinFloatValue.
    double FloatValue() const;
    void SetFloatValue(double NewValue);
    // "0" or an empty text is now; a text that is no date gives MinDateValue.
    TDateTime DateValue() const;
    void SetDateValue(TDateTime NewValue);
    // A text that is no time gives 0.
    TDateTime TimeValue() const;
    void SetTimeValue(TDateTime NewValue);

    TRudSpinType SpinType() const { return FSpinType; }
    void SetSpinType(TRudSpinType Value);
    int Precision() const { return FPrecision; }
    void SetPrecision(int Value);
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection Value);
    TEditAlign EditAlign() const { return FEditAlign; }
    void SetEditAlign(TEditAlign Value);
    bool SpinFlat() const { return FSpinFlat; }
    void SetSpinFlat(bool Value);
    bool SpinTransparent() const { return FSpinTransparent; }
    void SetSpinTransparent(bool Value);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool Value);
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool Value) { FShowSeconds = Value; }
    // Month before day in the short date format (found on every date step).
    bool UsDates() const { return FUsDates; }

    int MinValue = 0;
    int MaxValue = 100;
    double MinFloatValue = 0.0;
    double MaxFloatValue = 100.0;
    TDateTime MinDateValue = 0;
    TDateTime MaxDateValue = 0;
    int Increment = 1;
    double IncrementFloat = 0.1;
    double IncrementFloatPage = 1.0;
    int IncrementHours = 1;
    int IncrementMinutes = 1;
    int IncrementSeconds = 1;
    bool ReturnIsTab = false;
    bool ExcelStyleDecimalSeparator = false;
    // An empty text is a valid value (the grid reads it when it writes the cell back).
    bool AllowEmptyValue = false;

    // One step up or down (Page: Page Up / Page Down); a read-only edit only beeps.
    virtual void IncreaseValue(bool Page);
    virtual void DecreaseValue(bool Page);
    // Whether a typed character may go into the text.
    virtual bool IsValidChar(QChar Key) const;
    virtual void UpClick(TObject *Sender);
    virtual void DownClick(TObject *Sender);

    // Between BeginLoading and Loaded the date and time setters only store their value;
    // Loaded shows the stored date or time and re-applies the type.
    void BeginLoading() { FLoading = true; }
    void Loaded();

    // The value unchanged with equal limits, else clamped into them.
    int CheckValue(int NewValue) const;
    double CheckFloatValue(double NewValue) const;
    TDateTime CheckDateValue(TDateTime NewValue) const;

    int GetMinHeight() const override;
    void WMKeyDown(TKeyMessage &Message) override;
    void WMChar(TKeyMessage &Message) override;

protected:
    void KeyDown(uint16_t &Key, TShiftState Shift) override;
    void KeyPress(QChar &Key) override;
    void DoEnter() override;
    void DoExit() override;
    void AdjustLayout() override;

private:
    void StepDate(int Delta);
    void StepTime(int Sign);
    void ShowText(const QString &Value);   // keeps the caret

    TRudSpinButton *FButton;
    TDateTime FDateValue = 0;
    TDateTime FTimeValue = 0;
    TRudSpinType FSpinType = sptNormal;
    int FPrecision = 0;
    TSpinDirection FDirection = spVertical;
    TEditAlign FEditAlign = eaLeft;
    bool FSpinFlat = false;
    bool FSpinTransparent = false;
    bool FIsWinXP = false;
    bool FShowSeconds = true;
    bool FUsDates = false;
    bool FLoading = false;
};
