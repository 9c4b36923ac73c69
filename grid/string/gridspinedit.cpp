#include "grid/string/gridspinedit.h"

#include "grid/string/grideditoraccess.h"

TGridSpin::TGridSpin(TDazStringGrid *Grid) : TGridEditorControl(Grid)
{
    MinValue = 0;
    MaxValue = 100;
    Increment = 1;
    SetBorderStyle(bsNone);
}

void TGridSpin::SpinClicked(bool Up)
{
    if (!FGrid)
        return;
    const int col = FGrid->Col();
    const int row = FGrid->Row();
    switch (SpinType()) {
    case sptNormal:
        if (FGrid->OnSpinClick)
            FGrid->OnSpinClick(FGrid, col, row, Value(), Up);
        break;
    case sptFloat:
        if (FGrid->OnFloatSpinClick)
            FGrid->OnFloatSpinClick(FGrid, col, row, FloatValue(), Up);
        break;
    case sptDate:
        if (FGrid->OnDateSpinClick)
            FGrid->OnDateSpinClick(FGrid, col, row, DateValue(), Up);
        break;
    case sptTime:
        if (FGrid->OnTimeSpinClick)
            FGrid->OnTimeSpinClick(FGrid, col, row, TimeValue(), Up);
        break;
    }
}

void TGridSpin::UpClick(TObject *Sender)
{
    TRudSpinEdit::UpClick(Sender);
    SpinClicked(true);
}

void TGridSpin::DownClick(TObject *Sender)
{
    TRudSpinEdit::DownClick(Sender);
    SpinClicked(false);
}

bool TGridSpin::WantSpecialKey(uint16_t Key, TShiftState) const
{
    return Key == VK_TAB && FGrid && FGrid->Options().Contains(goTabs);
}

void TGridSpin::KeyDown(uint16_t &Key, TShiftState Shift)
{
    TDazStringGrid *grid = FGrid;
    if (!grid) {
        TRudSpinEdit::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_END || Key == VK_HOME) {
        const bool home = Key == VK_HOME;
        if (SpinType() == sptNormal)
            SetValue(home ? MaxValue : MinValue);
        else if (SpinType() == sptFloat)
            SetFloatValue(home ? MaxFloatValue : MinFloatValue);
        if (grid->OnSpinClick)
            grid->OnSpinClick(grid, grid->Col(), grid->Row(), Value(), home);
    }
    if (Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE) {
        TRudSpinEdit::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        SetText(grid->CellCache());
        TGridEditorAccess::Cancel(grid);
    } else {
        QString shown;
        const bool ok = TGridEditorAccess::Commit(grid, Text(), shown);
        if (!ok) {
            SetText(grid->GetCurrentCell());
            setCursorPosition(int(Text().size()));
            update();
            Key = 0;
            return;
        }
        if (Key == VK_TAB && TGridEditorAccess::TabRule(grid, Shift)) {
            Key = 0;
            return;
        }
    }
    const uint16_t key = Key;
    Key = 0;
    TGridEditorAccess::Done(grid, key, Shift);
}

void TGridSpin::KeyPress(QChar &Key)
{
    if (TGridEditorAccess::DropEndingChar(Key))
        return;
    TRudSpinEdit::KeyPress(Key);
}

void TGridSpin::Change()
{
    TRudSpinEdit::Change();
    ReportEditChange(Text());
}
