#include "grid/string/grideditoraccess.h"

#include <QApplication>
#include <QKeyEvent>

bool TGridEditorAccess::Commit(TDazStringGrid *Grid, const QString &Text, QString &Shown)
{
    Grid->SetCurrentCell(Text);
    if (!Grid->ValidateCell(Text)) {
        Shown = Grid->NewCellText();
        Grid->FNoAutoAdvance = true;
        return false;
    }
    Shown = Grid->GetCurrentCell();
    return true;
}

bool TGridEditorAccess::TabRule(TDazStringGrid *Grid, TShiftState Shift)
{
    const bool back = Shift.Contains(ssShift);
    if (Grid->Options().Contains(goTabs)) {
        Grid->HideInplaceEdit();
        Grid->setFocus(Qt::OtherFocusReason);
        Grid->TabToNextCell(back);
        return true;
    }
    QApplication::postEvent(Grid, new QKeyEvent(QEvent::KeyPress,
                                                back ? Qt::Key_Backtab : Qt::Key_Tab,
                                                back ? Qt::ShiftModifier : Qt::NoModifier));
    return false;
}

void TGridEditorAccess::FocusLost(TDazStringGrid *Grid, QWidget *Control, Qt::FocusReason Reason)
{
    if (!Grid || Grid->FEditorsGone || Reason == Qt::ActiveWindowFocusReason)
        return;
    if (!Grid->FBlockKill && Control->isVisible())
        Grid->HideInplaceEdit();
}

void TGridEditorAccess::Done(TDazStringGrid *Grid, uint16_t Key, TShiftState Shift)
{
    Grid->DoneInplaceEdit(Key, Shift);
    if (Key != VK_ESCAPE && Grid->Navigation().AdvanceOnEnter() &&
        Grid->Navigation().AdvanceAutoEdit())
        Grid->ShowInplaceEdit();
}
