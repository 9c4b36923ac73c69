#include "grid/string/gridcombo.h"

#include "grid/string/dazcolumngrid.h"
#include "grid/string/dazstringgrid.h"
#include "grid/string/grideditoraccess.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>
#include <QWheelEvent>

// Keeps typing and pasting within the combo's input limit; a longer text loaded from the
// cell stays whole.
class TComboLengthValidator : public QValidator
{
public:
    explicit TComboLengthValidator(TGridCombo *Combo) : QValidator(Combo), FCombo(Combo) {}
    State validate(QString &Input, int &) const override
    {
        const int limit = FCombo->InputLimit();
        if (!FCombo->FLoading && limit > 0 && Input.size() > limit &&
            Input.size() > FCombo->FTextLength)
            return Invalid;
        return Acceptable;
    }

private:
    TGridCombo *FCombo;
};

TGridCombo::TGridCombo(TDazStringGrid *Grid) : TRudComboBox(Grid->viewport()), FGrid(Grid)
{
    hide();
    SetEnabled(false);
    SetButtonWidth(16);
    SetIsWinXP(Grid->IsWinXP());
    SetIsVista(Grid->IsVista() && Grid->IsComCtlVer6());
    setInsertPolicy(QComboBox::NoInsert);
    setFocusPolicy(Qt::StrongFocus);
    // The grid hears a selection the user makes.
    connect(this, qOverload<int>(&QComboBox::activated), this, [this](int) {
        if (FGrid)
            FGrid->ComboSelectionChanged(false);
    });
    connect(this, &QComboBox::editTextChanged, this,
            [this](const QString &Text) { FTextLength = int(Text.size()); });
}

int TGridCombo::InputLimit() const
{
    if (!FGrid)
        return 0;
    int limit = FGrid->MaxComboLength();
    // A column grid's edit limit is the current column's: it holds for a combo edit too.
    if (dynamic_cast<TDazColumnGrid *>(FGrid)) {
        const int column = FGrid->GetEditLimit();
        if (column > 0 && (limit <= 0 || column < limit))
            limit = column;
    }
    return limit;
}

void TGridCombo::SetListStyle(bool List)
{
    SetStyle(List ? csDropDownList : csDropDown);
    // The limit filters input (MaxComboLength); the edit itself keeps any length.
    SetMaxLength(0);
    QLineEdit *edit = lineEdit();
    if (List || !edit || edit == FRelayedEdit)
        return;
    FRelayedEdit = edit;
    edit->setValidator(new TComboLengthValidator(this));
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    connect(edit, &QLineEdit::textEdited, this, [this](const QString &) {
        if (FGrid && !FLoading)
            FGrid->ComboSelectionChanged(true);
    });
}

void TGridCombo::LoadText(const QString &Value)
{
    const bool was = FLoading;
    FLoading = true;
    SetText(Value);
    FTextLength = int(Value.size());
    FLoading = was;
}

void TGridCombo::SizeDropDownWidth()
{
    int w = width();
    const QFontMetrics fm(font());
    const bool scrolls = maxVisibleItems() < count();
    for (int i = 0; i < count(); ++i) {
        const int t = fm.horizontalAdvance(itemText(i));
        if (scrolls) {
            if (w - 25 < t)
                w = t + 25;
        } else if (w - 5 < t) {
            w = t + 8;
        }
    }
    SetDropWidth(w);
}

void TGridCombo::Change()
{
    TRudComboBox::Change();
    if (FGrid && !FLoading && FGrid->OnEditChange)
        FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), currentText());
}

void TGridCombo::showPopup()
{
    TRudComboBox::showPopup();
    if (FGrid)
        FGrid->ComboDropDown();
}

void TGridCombo::hidePopup()
{
    const bool wasOpen = DroppedDown() || view()->isVisible();
    TRudComboBox::hidePopup();
    if (FGrid && wasOpen)
        FGrid->ComboCloseUp();
}

bool TGridCombo::WantSpecialKey(uint16_t Key, TShiftState) const
{
    return Key == VK_TAB && FGrid && FGrid->EditorWantsTab();
}

// ---------------------------------------------------------------------------------------
// Keys

bool TGridCombo::Commit(bool SelectOnFailure)
{
    TDazStringGrid *grid = FGrid;
    const QString value = currentText();
    grid->SetCurrentCell(value);
    if (!grid->ValidateCell(value)) {
        LoadText(grid->NewCellText());
        if (QLineEdit *edit = lineEdit()) {
            if (SelectOnFailure)
                edit->selectAll();
            else
                edit->setCursorPosition(int(edit->text().size()));
        }
        update();
        grid->FNoAutoAdvance = true;
        return false;
    }
    LoadText(grid->GetCurrentCell());
    return true;
}

bool TGridCombo::CursorWalk(uint16_t Key, TShiftState Shift)
{
    TDazStringGrid *grid = FGrid;
    QLineEdit *edit = lineEdit();
    if (!edit || !grid->Navigation().CursorWalkEditor() || !Shift.Empty() ||
        edit->hasSelectedText())
        return false;
    const int caret = edit->cursorPosition();
    const bool left = Key == VK_LEFT && caret == 0;
    const bool right = Key == VK_RIGHT && caret == edit->text().size();
    if (!left && !right)
        return false;
    const int col = grid->Col();
    const int row = grid->Row();
    const int next = left ? col - 1 : col + grid->CellSpan(grid->RealCol(), row).X + 1;
    if (next >= grid->FixedCols() && next < grid->ColCount() &&
        grid->IsControlCell(grid->RealColIndex(next), row)) {
        if (grid->ValidateCell(currentText())) {
            grid->HideInplaceEdit();
            grid->SetCol(next);
        }
        return true;
    }
    grid->setFocus(Qt::OtherFocusReason);
    const TAdvanceDirection dir = grid->Navigation().AdvanceDirection();
    grid->Navigation().SetAdvanceDirection(adLeftRight);
    grid->AdvanceToNextCell(col, row, true, false, right, true, true);
    grid->Navigation().SetAdvanceDirection(dir);
    if (grid->Navigation().CursorWalkAlwaysEdit())
        grid->ShowEditor();
    return true;
}

void TGridCombo::KeyDown(uint16_t &Key, TShiftState Shift)
{
    TDazStringGrid *grid = FGrid;
    if (!grid) {
        TRudComboBox::KeyDown(Key, Shift);
        return;
    }
    Forced = false;
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    const bool list = Style() == csDropDownList;
    const bool dropped = DroppedDown() || view()->isVisible();
    const bool altDown = Key == VK_DOWN && Shift.Contains(ssAlt);
    bool own = false;
    if (!altDown) {
        if (list || dropped)
            own = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_LEFT ||
                  Key == VK_RIGHT;
        else
            own = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                  Key == VK_NEXT || Key == VK_END || Key == VK_UP || Key == VK_DOWN;
    }
    if ((Key == VK_UP || Key == VK_DOWN) && !dropped && !altDown &&
        !grid->Navigation().ComboGetUpDown()) {
        grid->HideInplaceEdit();
        const bool alwaysEdit = grid->Navigation().AlwaysEdit();
        grid->Navigation().SetAlwaysEdit(false);
        grid->setFocus(Qt::OtherFocusReason);
        grid->Navigation().SetAlwaysEdit(alwaysEdit);
        grid->KeyDown(Key, Shift);
        Key = 0;
        return;
    }
    if (!own) {
        TRudComboBox::KeyDown(Key, Shift);
        return;
    }

    if (Key == VK_ESCAPE) {
        LoadText(grid->GetCurrentCell());
        TGridEditorAccess::Cancel(grid);
        grid->HideInplaceEdit();
        grid->setFocus(Qt::OtherFocusReason);
    } else if (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        if (!Commit(!list)) {
            Key = 0;
            return;
        }
    } else if (Key == VK_TAB) {
        if (!Commit(false)) {
            Key = 0;
            return;
        }
        if (grid->Options().Contains(goTabs)) {
            grid->HideInplaceEdit();
            grid->setFocus(Qt::OtherFocusReason);
            grid->TabToNextCell(Shift.Contains(ssShift));
            Key = 0;
            return;
        }
        // The grid wants Tab for its validation only: the window moves the focus on.
        const bool back = Shift.Contains(ssShift);
        QApplication::postEvent(grid, new QKeyEvent(QEvent::KeyPress,
                                                    back ? Qt::Key_Backtab : Qt::Key_Tab,
                                                    back ? Qt::ShiftModifier : Qt::NoModifier));
        Key = 0;
    }
    if (list || dropped) {
        const bool directClose = grid->MouseActions().DirectComboClose();
        grid->MouseActions().SetDirectComboClose(false);
        grid->HideInplaceEdit();
        grid->MouseActions().SetDirectComboClose(directClose);
        if (Key == VK_LEFT || Key == VK_RIGHT)
            grid->KeyDown(Key, Shift);
        if (Key == VK_PRIOR || Key == VK_NEXT || (Key >= VK_LEFT && Key <= VK_DOWN))
            Key = 0;
    } else if (Key == VK_END) {
        return;   // the combo's own End
    }
    const bool moves = Key == VK_RETURN || Key == VK_TAB || (Key >= VK_LEFT && Key <= VK_DOWN);
    grid->DoneInplaceEdit(Key, Shift);
    if (moves && grid->Navigation().AdvanceOnEnter() && grid->Navigation().AdvanceAutoEdit())
        grid->ShowInplaceEdit();
    Key = 0;
}

void TGridCombo::KeyPress(QChar &Key)
{
    if (FGrid && FGrid->OnKeyPress)
        FGrid->OnKeyPress(this, Key);
    const ushort c = Key.unicode();
    if (c == 27)
        Key = QChar();
    if (c == 13 && OnReturnKey)
        OnReturnKey(this);
    if (c == 13 || c == 9)
        Key = QChar();
    TRudComboBox::KeyPress(Key);
}

void TGridCombo::ReportIndexChange(int OldIndex)
{
    const int i = currentIndex();
    if (!FGrid || i == OldIndex)
        return;
    const QString text = i >= 0 ? itemText(i) : currentText();
    if (FGrid->OnComboChange)
        FGrid->OnComboChange(FGrid, FGrid->RealCol(), FGrid->Row(), i, text);
    if (FGrid->OnComboObjectChange)
        FGrid->OnComboObjectChange(FGrid, FGrid->RealCol(), FGrid->Row(), i, text, ItemObject(i));
}

void TGridCombo::WMChar(TKeyMessage &Message)
{
    const int index = currentIndex();
    TRudComboBox::WMChar(Message);
    ReportIndexChange(index);
}

void TGridCombo::KeyUp(uint16_t &Key, TShiftState Shift)
{
    if (!FGrid) {
        TRudComboBox::KeyUp(Key, Shift);
        return;
    }
    if ((Key == VK_LEFT || Key == VK_RIGHT) && CursorWalk(Key, Shift)) {
        Key = 0;
        return;
    }
    FGrid->FNoAutoAdvance = false;
    if (Key != VK_RETURN)
        TRudComboBox::KeyUp(Key, Shift);
    DoChange();
}

void TGridCombo::DoChange()
{
    QLineEdit *edit = lineEdit();
    if (!FGrid || !WorkMode || !FGrid->Lookup() || !edit)
        return;
    const bool cs = FGrid->LookupCaseSensitive();
    const QString typed = edit->text().left(edit->cursorPosition());
    if (typed.isEmpty())
        return;
    const QString prefix = cs ? typed : typed.toUpper();
    auto matches = [&](const QString &item) {
        return (cs ? item : item.toUpper()).startsWith(prefix);
    };
    QString found;
    int foundIndex = -1;
    for (int i = 0; i < count() && foundIndex < 0; ++i)
        if (matches(itemText(i))) {
            foundIndex = i;
            found = itemText(i);
        }
    if (foundIndex < 0) {
        const TStringList &items = FGrid->LookupItems();
        for (int i = 0; i < items.Count() && found.isEmpty(); ++i)
            if (matches(items.Strings(i)))
                found = items.Strings(i);
        if (found.isEmpty())
            return;
    }
    const QString rest = found.mid(typed.size(), 255);
    const bool was = FLoading;
    FLoading = true;
    if (foundIndex >= 0) {
        setCurrentIndex(foundIndex);
        ItemIdx = foundIndex;
        ItemChange = true;
    }
    setEditText(typed + rest);
    FLoading = was;
    edit->setSelection(int(typed.size()), int(rest.size()));
}

void TGridCombo::wheelEvent(QWheelEvent *e)
{
    e->accept();
    if (!FGrid)
        return;
    const int delta = e->angleDelta().y();
    const int i = currentIndex();
    int next = i;
    if (delta < 0 && i + 1 < count())
        next = i + 1;
    else if (delta > 0 && i > 0)
        next = i - 1;
    if (next == i)
        return;
    const bool was = FLoading;
    FLoading = true;
    setCurrentIndex(next);
    FLoading = was;
    TDazStringGrid *grid = FGrid;
    const QString text = itemText(next);
    if (grid->OnEditChange)
        grid->OnEditChange(grid, grid->RealCol(), grid->Row(), text);
    ReportIndexChange(i);
}

// ---------------------------------------------------------------------------------------
// Focus

void TGridCombo::focusInEvent(QFocusEvent *e)
{
    TRudComboBox::focusInEvent(e);
    if (!FGrid)
        return;
    QLineEdit *edit = lineEdit();
    if (edit && !FGrid->Navigation().EditSelectAll())
        edit->setCursorPosition(int(edit->text().size()));
    if (edit && FGrid->FLButFlg) {
        // The caret goes under the press that opened the edit.
        const QPoint p = edit->mapFromGlobal(
            FGrid->viewport()->mapToGlobal(QPoint(FGrid->FClickPos.X, FGrid->FClickPos.Y)));
        if (edit->rect().contains(p))
            edit->setCursorPosition(edit->cursorPositionAt(p));
    }
    FGrid->FLButFlg = false;
}

void TGridCombo::focusOutEvent(QFocusEvent *e)
{
    FFocusOutReason = e->reason();
    TRudComboBox::focusOutEvent(e);
}

void TGridCombo::DoExit()
{
    TRudComboBox::DoExit();
    // Another window taking the focus for a while, or the combo's own list (which takes it
    // without saying so), is no end of the edit.
    const QWidget *now = QApplication::focusWidget();
    const bool ownList = now && now->window() == view()->window() && now->window() != window();
    if (!FGrid || FFocusOutReason == Qt::ActiveWindowFocusReason || ownList)
        return;
    if (FGrid->LookupHistory() && !currentText().isEmpty() && IndexOf(currentText()) < 0)
        addItem(currentText());
    if (!FGrid->FBlockKill && isVisible())
        FGrid->HideInplaceEdit();
}
