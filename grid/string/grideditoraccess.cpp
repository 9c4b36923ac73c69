#include "grid/string/grideditoraccess.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
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

template <class E>
bool TGridEditorAccess::LookupCompleteT(TDazStringGrid *Grid, E *Edit)
{
    if (!Grid || Edit->hasSelectedText())
        return false;
    const TStringList &items = Grid->LookupItems();
    if (!Grid->Lookup() || items.Count() == 0)
        return false;
    const bool cs = Grid->LookupCaseSensitive();
    const QString typed = Edit->text().left(Edit->cursorPosition());
    if (typed.isEmpty())
        return false;
    const QString prefix = cs ? typed : typed.toUpper();
    for (int i = 0; i < items.Count(); ++i) {
        const QString item = items.Strings(i);
        if ((cs ? item : item.toUpper()).startsWith(prefix)) {
            const QString rest = item.mid(typed.size(), 255);
            Edit->setText(typed + rest);
            Edit->setSelection(int(typed.size()), int(rest.size()));
            return true;
        }
    }
    return false;
}

bool TGridEditorAccess::LookupComplete(TDazStringGrid *Grid, QLineEdit *Edit)
{
    return LookupCompleteT(Grid, Edit);
}

bool TGridEditorAccess::LookupComplete(TDazStringGrid *Grid, TInplaceEdit *Edit)
{
    return LookupCompleteT(Grid, Edit);
}

bool TGridEditorAccess::PasteText(TDazStringGrid *Grid, TObject *Sender, QString &Value)
{
    const QMimeData *data = QApplication::clipboard()->mimeData();
    bool allow = data && data->hasText();
    if (!allow)
        return false;
    Value = data->text();
    if (Grid->OnClipboardPaste)
        Grid->OnClipboardPaste(Sender, allow);
    if (!allow)
        return false;
    if (Grid->OnClipboardBeforePasteCell)
        Grid->OnClipboardBeforePasteCell(Sender, Grid->RealCol(), Grid->Row(), Value, allow);
    if (!allow)
        return false;
    if (Value.endsWith(QStringLiteral("\r\n")))
        Value.chop(2);
    return true;
}

template <class E>
QString TGridEditorAccess::PasteResultT(const E *Edit, const QString &Value, int &Start,
                                        bool &Replaced)
{
    const QString t = Edit->text();
    Replaced = Edit->hasSelectedText();
    Start = Replaced ? Edit->selectionStart() : Edit->cursorPosition();
    const int selLen = Replaced ? int(Edit->selectedText().size()) : 0;
    return t.left(Start) + Value + t.mid(Start + selLen);
}

QString TGridEditorAccess::PasteResult(const QLineEdit *Edit, const QString &Value, int &Start,
                                       bool &Replaced)
{
    return PasteResultT(Edit, Value, Start, Replaced);
}

QString TGridEditorAccess::PasteResult(const TInplaceEdit *Edit, const QString &Value, int &Start,
                                       bool &Replaced)
{
    return PasteResultT(Edit, Value, Start, Replaced);
}

template <class E>
void TGridEditorAccess::ShowPastedT(E *Edit, int Start, int Length, bool Replaced)
{
    if (Replaced)
        Edit->setSelection(Start, Length);
    else
        Edit->setCursorPosition(Start + Length);
}

void TGridEditorAccess::ShowPasted(QLineEdit *Edit, int Start, int Length, bool Replaced)
{
    ShowPastedT(Edit, Start, Length, Replaced);
}

void TGridEditorAccess::ShowPasted(TInplaceEdit *Edit, int Start, int Length, bool Replaced)
{
    ShowPastedT(Edit, Start, Length, Replaced);
}

template <class E>
bool TGridEditorAccess::CursorWalkT(TDazStringGrid *Grid, E *Edit, uint16_t &Key,
                                    TShiftState Shift, int SelKeyDown,
                                    const std::function<bool()> &Commit)
{
    TNavigation &nav = Grid->Navigation();
    const bool noShift = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) &&
                         !Shift.Contains(ssAlt);
    const int len = int(Edit->text().size());
    if (!nav.CursorWalkEditor() || !noShift || Edit->hasSelectedText() ||
        !((Key == VK_LEFT && Edit->cursorPosition() == 0 && SelKeyDown == 0) ||
          (Key == VK_RIGHT && SelKeyDown == len)))
        return false;
    const bool left = Key == VK_LEFT;
    Key = 0;
    const int col = Grid->Col();
    const int row = Grid->Row();
    const int span = Grid->CellSpan(Grid->RealCol(), row).X;
    const int next = left ? col - 1 : col + span + 1;
    const bool inRange = left ? next >= Grid->FixedCols()
                              : next < Grid->ColCount() - Grid->FixedRightCols() - 1;
    if (inRange && Grid->IsControlCell(Grid->RealColIndex(next), row)) {
        if (Commit()) {
            Grid->HideInplaceEdit();
            Grid->SetCol(next);
        }
        return true;
    }
    // Both ways the text is validated before the caret leaves the cell.
    if (!Commit())
        return true;
    const TAdvanceDirection dir = nav.AdvanceDirection();
    nav.SetAdvanceDirection(adLeftRight);
    Grid->AdvanceToNextCell(col, row, true, false, !left, true, true);
    nav.SetAdvanceDirection(dir);
    if (!nav.CursorWalkAlwaysEdit())
        Grid->HideInplaceEdit();
    return true;
}

bool TGridEditorAccess::CursorWalk(TDazStringGrid *Grid, QLineEdit *Edit, uint16_t &Key,
                                   TShiftState Shift, int SelKeyDown,
                                   const std::function<bool()> &Commit)
{
    return CursorWalkT(Grid, Edit, Key, Shift, SelKeyDown, Commit);
}

bool TGridEditorAccess::CursorWalk(TDazStringGrid *Grid, TInplaceEdit *Edit, uint16_t &Key,
                                   TShiftState Shift, int SelKeyDown,
                                   const std::function<bool()> &Commit)
{
    return CursorWalkT(Grid, Edit, Key, Shift, SelKeyDown, Commit);
}
