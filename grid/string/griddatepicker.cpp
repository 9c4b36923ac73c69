#include "grid/string/griddatepicker.h"

#include "grid/string/grideditoraccess.h"

#include "platform/locale.h"
#include "platform/rtl.h"

#include <QTimer>

bool ReadLocaleDateTime(const QString &Text, TDateTime &Value)
{
    if (TryStrToDate(Text, Value) || TryStrToDateTime(Text, Value))
        return true;
    const QString t = Trim(Text);
    const QString date = ShortDateFormat();
    if (const QDate d = QDate::fromString(t, date); d.isValid()) {
        Value = FromQDateTime(QDateTime(d, QTime(0, 0)));
        return true;
    }
    for (const QString &time : {ShortTimeFormat(), QStringLiteral("HH:mm:ss"), QStringLiteral("H:mm")}) {
        const QDateTime dt = QDateTime::fromString(t, date + ' ' + time);
        if (dt.isValid()) {
            Value = FromQDateTime(dt);
            return true;
        }
    }
    return false;
}

TGridDatePicker::TGridDatePicker(TDazStringGrid *Grid) : TGridEditorControl(Grid) {}

TDateTime TGridDatePicker::ValueOfText(const QString &Text) const
{
    TDateTime v = 0;
    if (FrameworkKind() == dtkTime)
        return TryStrToTime(Text, v) ? v : Now();
    return ReadLocaleDateTime(Text, v) ? v : Now();
}

bool TGridDatePicker::WantSpecialKey(uint16_t Key, TShiftState) const
{
    return Key == VK_TAB && FGrid && FGrid->EditorWantsTab();
}

void TGridDatePicker::KeyDown(uint16_t &Key, TShiftState Shift)
{
    TDazStringGrid *grid = FGrid;
    const bool own = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                     Key == VK_NEXT || Key == VK_END;
    if (!grid || !own) {
        TRudDateTimePicker::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_ESCAPE) {
        SetPickerDateTime(ValueOfText(grid->GetCurrentCell()));
        TGridEditorAccess::Cancel(grid);
    } else if (Key == VK_RETURN || Key == VK_TAB) {
        QString shown;
        const bool ok = TGridEditorAccess::Commit(grid, Checked() ? Text() : QString(), shown);
        if (!ok) {
            SetPickerDateTime(ValueOfText(shown));
            update();
            Key = 0;
            return;
        }
        if (Key == VK_TAB && TGridEditorAccess::TabRule(grid, Shift)) {
            Key = 0;
            return;
        }
    }
    if (DroppedDown())
        return;
    const uint16_t key = Key;
    Key = 0;
    grid->DoneInplaceEdit(key, Shift);
}

void TGridDatePicker::KeyPress(QChar &Key)
{
    if (TGridEditorAccess::DropEndingChar(Key))
        return;
    TRudDateTimePicker::KeyPress(Key);
    if (FGrid && FGrid->OnKeyPress && !Key.isNull())
        FGrid->OnKeyPress(FGrid, Key);
}

void TGridDatePicker::DefaultChar(QChar Ch)
{
    if (!Ch.isDigit()) {
        TRudDateTimePicker::DefaultChar(Ch);
        return;
    }
    FTypedText = sectionText(currentSection());
    FTypedSection = currentSectionIndex();
    TRudDateTimePicker::DefaultChar(Ch);
    QTimer::singleShot(0, this, [this] { ShiftFocus(); });
}

void TGridDatePicker::ShiftFocus()
{
    // The picker moved on by itself, or the digit changed nothing.
    if (currentSectionIndex() != FTypedSection || sectionText(currentSection()) == FTypedText)
        return;
    // A time moves on after every changed field; a date stays on the last field of its
    // format.
    if (FrameworkKind() == dtkTime || currentSectionIndex() < sectionCount() - 1)
        MoveToNextField();
}

// ---------------------------------------------------------------------------------------
// TGridDateTimePicker

TGridDateTimePicker::TGridDateTimePicker(TDazStringGrid *Grid)
    : TDazDateTimePicker(Grid->viewport()), FGrid(Grid)
{
    hide();
    setEnabled(false);
    SetAutoTab(true);
}

bool TGridDateTimePicker::WantSpecialKey(uint16_t Key, TShiftState) const
{
    return Key == VK_TAB && FGrid && FGrid->EditorWantsTab();
}

void TGridDateTimePicker::KeyDown(uint16_t &Key, TShiftState Shift)
{
    TDazStringGrid *grid = FGrid;
    const bool tab = Key == VK_TAB && grid && grid->EditorWantsTab();
    if (!grid || (Key != VK_ESCAPE && Key != VK_RETURN && !tab)) {
        TDazDateTimePicker::KeyDown(Key, Shift);
        return;
    }
    const uint16_t key = Key;
    Key = 0;
    if (key == VK_ESCAPE) {
        SetDateTime(OriginalDateTime);
        TGridEditorAccess::Cancel(grid);
    }
    grid->HideInplaceEdit();
    grid->setFocus(Qt::OtherFocusReason);
    if (key == VK_RETURN && grid->Navigation().AdvanceOnEnter())
        grid->AdvanceToNextCell(grid->Col(), grid->Row(), true, false, true, true, false);
    else if (key == VK_TAB)
        grid->TabToNextCell(Shift.Contains(ssShift));
}
