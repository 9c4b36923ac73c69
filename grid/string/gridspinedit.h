#pragma once
// TGridSpin: the spin cell editor (integer, float, date and time spins). The arrow and page
// keys step the value and leave the editor open; Home and End jump to the limits; Enter and
// Tab commit the value through the grid's validation, Escape restores the cell's text, and
// leaving the control ends the edit.
#include "grid/string/grideditoraccess.h"
#include "grid/string/spinedit.h"

class TGridSpin : public TGridEditorControl<TRudSpinEdit>
{
public:
    explicit TGridSpin(TDazStringGrid *Grid);
    void UpClick(TObject *Sender) override;
    void DownClick(TObject *Sender) override;

protected:
    void KeyDown(uint16_t &Key, TShiftState Shift) override;
    void KeyPress(QChar &Key) override;
    bool WantSpecialKey(uint16_t Key, TShiftState Shift) const override;
    void Change() override;

private:
    void SpinClicked(bool Up);
};
