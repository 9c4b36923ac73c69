#pragma once
// TGridSpin: the spin cell editor (integer, float, date and time spins). The arrow and page
// keys step the value and leave the editor open; Home and End jump to the limits; Enter and
// Tab commit the value through the grid's validation, Escape restores the cell's text, and
// leaving the control ends the edit.
#include "grid/string/spinedit.h"

class TDazStringGrid;

class TGridSpin : public TRudSpinEdit
{
public:
    explicit TGridSpin(TDazStringGrid *Grid);
    TDazStringGrid *Grid() const { return FGrid; }
    void ReCreate() {}
    void UpClick(TObject *Sender) override;
    void DownClick(TObject *Sender) override;

protected:
    void KeyDown(uint16_t &Key, TShiftState Shift) override;
    void KeyPress(QChar &Key) override;
    bool WantSpecialKey(uint16_t Key, TShiftState Shift) const override;
    void Change() override;
    void DoExit() override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    friend class TDazStringGrid;
    void SpinClicked(bool Up);
    TDazStringGrid *FGrid;
    Qt::FocusReason FFocusOutReason = Qt::OtherFocusReason;
};
