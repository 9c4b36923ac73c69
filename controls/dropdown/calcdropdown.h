#pragma once
// A number edit whose drop-down is the calculator keypad: a four-function calculator with
// memory, percent, square root and reciprocal, applied strictly left to right. The edit
// text is the display: every step shows its value rounded to Precision and the next step
// reads the display back. Keys work from the keypad, from the keyboard while the keypad
// is open and typed into the closed edit.
#include "controls/dropdown/calculatorpanel.h"
#include "controls/dropdown/dropdownedit.h"

class TDazCalculatorDropdown : public TDazCustomDropDown
{
public:
    explicit TDazCalculatorDropdown(QWidget *Parent = nullptr);
    ~TDazCalculatorDropdown() override;

    TCustomButtonPanel *ButtonPanel() const { return FDazButtonPanel; }
    TButtonAppearance &CalcButtonAppearance() { return FCalcButtonAppearance; }
    void SetCalcButtonAppearance(const TButtonAppearance &Value)
    {
        FCalcButtonAppearance.Assign(&Value);
    }
    bool ShowThousandSeparator() const { return FShowThousandSeparator; }
    void SetShowThousandSeparator(bool Value);
    // The parsed text (an empty text becomes "0" first); 0 when it is no number.
    double Value();
    // The text becomes Value in the general ("%g") form.
    void SetValueGeneral(double Value);

    // Equals: the pending operation, then the accumulator re-reads the display.
    void CalcResult();
    // A character typed into the edit (the grid's calculator editor calls it too).
    virtual void KeyPress(QChar &Key);
    // Keys typed in the open drop-down, relayed to the edit first.
    virtual void FormKeyPress(QChar &Key);
    virtual void FormKeyDown(int &Key, Qt::KeyboardModifiers Shift);
    // The keypad's click handler.
    void ButtonClick(int Index);

    void SetComponentStyle(TQVRStyle Value) override;

    // The calculator state, for callers that show or keep it.
    double Accumulator() const { return FPrevval; }
    double Memory() const { return FMVal; }
    // -1 none, 0 add, 1 multiply, 2 subtract, 3 divide.
    int PendingOperation() const { return FPrevop; }
    bool NewValue() const { return FNewval; }
    int DecimalEntry() const { return FDecim; }

protected:
    // Called first for every keypad button and every relayed character.
    virtual void BeforeCalc() {}
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void SizeDropDownForm() override;
    void ControlKey(QKeyEvent *Event) override;
    void keyPressEvent(QKeyEvent *Event) override;
    void focusInEvent(QFocusEvent *Event) override;

private:
    enum : int { opNone = -1, opAdd = 0, opMultiply = 1, opSubtract = 2, opDivide = 3 };
    bool KeypadShowing() const;
    int LengthLimitOfText() const;   // MaxLength; 0 for none
    // Parse: thousand separators removed, locale decimal; throws EConvertError.
    double ParseText() const;
    void ZeroWhenEmptyOrError();
    // False when a division by zero put "Error" up: the operator or equals stops there.
    bool ApplyPending();
    void Operator(int Op);
    void Percent();
    // + - * / % and =; false for any other character.
    bool ArithmeticKey(QChar Key);
    void Digit(int D);
    TCustomButtonPanel *FDazButtonPanel = nullptr;
    int FDecim = 0;
    bool FNewval = false;
    double FPrevval = 0;
    int FPrevop = opNone;
    bool FCalcClosed = true;
    TButtonAppearance FCalcButtonAppearance;
    double FMVal = 0;
    bool FShowThousandSeparator = false;
};
