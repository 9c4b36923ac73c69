#include "grid/string/grideditbtn.h"

#include "grid/string/grideditoraccess.h"
#include "platform/locale.h"

#include <QMouseEvent>

namespace {

bool OutsideSelection(const QString &Text, QChar Ch, int SelStart, int SelLength)
{
    for (int i = 0; i < Text.size(); ++i)
        if (Text[i] == Ch && (i < SelStart || i >= SelStart + SelLength))
            return true;
    return false;
}

bool IsControlKey(ushort C)
{
    return C == 8 || C == 9 || C == 13 || C == 27;
}

// The character filter of the numeric and float types; true when Ch may be typed.
bool FilterChar(QLineEdit *Edit, TKeyMessage &Message, bool Float)
{
    bool beep = false;
    const QChar ch(Message.CharCode);
    if (NumericCharAllowed(ch, Edit->text(), Edit->cursorPosition(), Edit->selectionStart(),
                           int(Edit->selectedText().size()), Float, beep) ||
        Message.Shift.Contains(ssCtrl))
        return true;
    if (beep)
        EditorBeep();
    return false;
}

}   // namespace

bool NumericCharAllowed(QChar Ch, const QString &Text, int Caret, int SelStart, int SelLength,
                        bool Float, bool &Beep)
{
    Beep = false;
    const ushort c = Ch.unicode();
    if (IsControlKey(c) || Ch.isDigit())
        return true;
    if (SelStart < 0)
        SelLength = 0;
    if (c == '-') {
        const bool ok = Caret == 0 && (Float ? !OutsideSelection(Text, Ch, SelStart, SelLength)
                                             : !Text.contains('-'));
        Beep = !ok;
        return ok;
    }
    if (!Float) {
        Beep = true;
        return false;
    }
    const QChar dec = DecimalSeparator();
    if (Ch == dec)
        return !OutsideSelection(Text, dec, SelStart, SelLength);
    // The other of "," and "." is the thousand separator: dropped without a beep.
    return false;
}

// ---------------------------------------------------------------------------------------
// TGridEditBtn

TGridEditBtn::TGridEditBtn(TDazStringGrid *Grid) : TGridEditorControl(Grid)
{
    SetBorderStyle(bsNone);
    OnClickBtn = [this](TObject *) { ButtonClick(); };
}

void TGridEditBtn::ButtonClick()
{
    TDazStringGrid *grid = FGrid;
    if (!grid)
        return;
    QString s = Text();
    if (grid->OnEllipsClick)
        grid->OnEllipsClick(grid, grid->RealCol(), grid->Row(), s);
    SetText(s);
    selectAll();
    update();
    if (FStopEditAfterClick) {
        grid->HideInplaceEdit();
        grid->setFocus(Qt::OtherFocusReason);
    }
}

bool TGridEditBtn::WantSpecialKey(uint16_t Key, TShiftState) const
{
    return Key == VK_TAB && FGrid && FGrid->EditorWantsTab();
}

void TGridEditBtn::KeyDown(uint16_t &Key, TShiftState Shift)
{
    TDazStringGrid *grid = FGrid;
    if (!grid) {
        TRudEditBtn::KeyDown(Key, Shift);
        return;
    }
    const bool own = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                     Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    if (!own && grid->OnKeyDown)
        grid->OnKeyDown(grid, Key, Shift);
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    FSelKeyDown = cursorPosition();
    const bool ctrl = Shift.Contains(ssCtrl);
    if ((ctrl && Key == 'V') || (Shift.Contains(ssShift) && !ctrl && Key == VK_INSERT)) {
        WMPaste();
        Key = 0;
        return;
    }
    if (ctrl || !own) {
        TRudEditBtn::KeyDown(Key, Shift);
        return;
    }
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        QString shown;
        const bool ok = TGridEditorAccess::Commit(grid, Text(), shown);
        SetText(shown);
        if (!ok) {
            selectAll();
            update();
            Key = 0;
            return;
        }
        if (Key == VK_TAB && TGridEditorAccess::TabRule(grid, Shift)) {
            Key = 0;
            return;
        }
    } else if (Key == VK_ESCAPE) {
        SetText(grid->CellCache());
    }
    const uint16_t key = Key;
    Key = 0;
    grid->DoneInplaceEdit(key, Shift);
}

void TGridEditBtn::KeyPress(QChar &Key)
{
    if (FGrid && FGrid->OnKeyPress)
        FGrid->OnKeyPress(FGrid, Key);
    if (Key.unicode() == 9)
        Key = QChar();
    TRudEditBtn::KeyPress(Key);
}

void TGridEditBtn::KeyUp(uint16_t &Key, TShiftState Shift)
{
    if (FGrid && FGrid->OnKeyUp)
        FGrid->OnKeyUp(FGrid, Key, Shift);
    if (!FGrid) {
        TRudEditBtn::KeyUp(Key, Shift);
        return;
    }
    TGridEditorAccess::ClearNoAutoAdvance(FGrid);
    if (TGridEditorAccess::CursorWalk(FGrid, this, Key, Shift, FSelKeyDown,
                                      [this] { return CommitWalk(); }))
        return;
    if (Key != VK_RETURN)
        TRudEditBtn::KeyUp(Key, Shift);
    if (WorkMode)
        TGridEditorAccess::LookupComplete(FGrid, this);
}

bool TGridEditBtn::CommitWalk()
{
    QString shown;
    const bool ok = TGridEditorAccess::Commit(FGrid, Text(), shown);
    SetText(shown);
    if (!ok)
        selectAll();
    return ok;
}

void TGridEditBtn::WMPaste()
{
    QString value;
    if (!FGrid || !CanCutPaste() || !TGridEditorAccess::PasteText(FGrid, this, value))
        return;
    int start = 0;
    bool replaced = false;
    SetText(TGridEditorAccess::PasteResult(this, value, start, replaced));
    FGrid->SetCurrentCellEditText(Text());
    TGridEditorAccess::ShowPasted(this, start, int(value.size()), replaced);
}

void TGridEditBtn::WMChar(TKeyMessage &Message)
{
    const ushort c = Message.CharCode;
    if (c == 13 || c == 9)
        return;
    if (FGrid) {
        const TEditorType type = TGridEditorAccess::EditorType(FGrid);
        if ((type == edNumericEditBtn || type == edFloatEditBtn) &&
            !FilterChar(this, Message, type == edFloatEditBtn))
            return;
    }
    TRudEditBtn::WMChar(Message);
}

void TGridEditBtn::mouseDoubleClickEvent(QMouseEvent *e)
{
    TGridEditorControl<TRudEditBtn>::mouseDoubleClickEvent(e);
    if (FGrid && FGrid->OnDblClickCell)
        FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

void TGridEditBtn::Change()
{
    TRudEditBtn::Change();
    ReportEditChange(Text());
}

// ---------------------------------------------------------------------------------------
// TGridUnitEditBtn

TGridUnitEditBtn::TGridUnitEditBtn(TDazStringGrid *Grid) : TGridEditorControl(Grid)
{
    SetBorderStyle(bsNone);
    OnClickBtn = [this](TObject *) {
        if (!FGrid)
            return;
        QString s = Text();
        if (FGrid->OnEllipsClick)
            FGrid->OnEllipsClick(FGrid, FGrid->RealCol(), FGrid->Row(), s);
        SetText(s);
        selectAll();
        update();
    };
}

bool TGridUnitEditBtn::WantSpecialKey(uint16_t Key, TShiftState) const
{
    return Key == VK_TAB && FGrid && FGrid->Options().Contains(goTabs);
}

void TGridUnitEditBtn::KeyDown(uint16_t &Key, TShiftState Shift)
{
    TDazStringGrid *grid = FGrid;
    const bool own = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                     Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    if (!grid || !own) {
        TRudUnitEditBtn::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        QString shown;
        if (!TGridEditorAccess::Commit(grid, TextAndUnit(), shown)) {
            SetText(grid->GetCurrentCell());
            Key = 0;
            return;
        }
        SetTextAndUnit(shown);
        if (Key == VK_RETURN && grid->Navigation().AdvanceOnEnter()) {
            grid->HideInplaceEdit();
            grid->setFocus(Qt::OtherFocusReason);
            Key = 0;
            grid->AdvanceToNextCell(grid->Col(), grid->Row(), true, false, true, true, false);
            return;
        }
        if (Key == VK_TAB && TGridEditorAccess::TabRule(grid, Shift)) {
            Key = 0;
            return;
        }
    } else if (Key == VK_ESCAPE) {
        SetUnitID(QString());
        SetText(grid->CellCache());
    }
    const uint16_t key = Key;
    Key = 0;
    grid->DoneInplaceEdit(key, Shift);
}

void TGridUnitEditBtn::KeyPress(QChar &Key)
{
    if (FGrid && FGrid->OnKeyPress)
        FGrid->OnKeyPress(FGrid, Key);
    if (Key.unicode() == 9)
        Key = QChar();
    TRudUnitEditBtn::KeyPress(Key);
}

void TGridUnitEditBtn::WMChar(TKeyMessage &Message)
{
    const ushort c = Message.CharCode;
    if (c == 13)
        return;
    if (FGrid) {
        const TEditorType type = TGridEditorAccess::EditorType(FGrid);
        if ((type == edNumericUnitEditBtn || type == edFloatUnitEditBtn) &&
            !FilterChar(this, Message, type == edFloatUnitEditBtn))
            return;
    }
    TRudUnitEditBtn::WMChar(Message);
}

void TGridUnitEditBtn::Change()
{
    TRudUnitEditBtn::Change();
    ReportEditChange(Text());
}

// ---------------------------------------------------------------------------------------
// TGridButton

TGridButton::TGridButton(TDazStringGrid *Grid) : QPushButton(Grid->viewport()), FGrid(Grid)
{
    hide();
    setEnabled(false);
}

void TGridButton::Clicked()
{
    QString s = text();
    if (FGrid->OnEllipsClick)
        FGrid->OnEllipsClick(FGrid, FGrid->RealCol(), FGrid->Row(), s);
    setText(s);
    FGrid->SetCellFromEditor(FGrid->RealCol(), FGrid->Row(), s);
}

void TGridButton::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        Clicked();
    QPushButton::mouseReleaseEvent(e);
}

void TGridButton::keyReleaseEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
        Clicked();
        setFocus(Qt::OtherFocusReason);
        update();
        setDown(false);
        return;
    }
    QPushButton::keyReleaseEvent(e);
}

void TGridButton::keyPressEvent(QKeyEvent *e)
{
    const TKeyInfo k = TranslateKeyEvent(*e);
    const bool arrow = k.Key >= VK_LEFT && k.Key <= VK_DOWN;
    if (!arrow && k.Key != VK_ESCAPE) {
        QPushButton::keyPressEvent(e);
        return;
    }
    TDazStringGrid *grid = FGrid;
    if (k.Key == VK_ESCAPE)
        grid->SetCellFromEditor(grid->RealCol(), grid->Row(), grid->CellCache());
    grid->HideInplaceEdit();
    grid->setFocus(Qt::OtherFocusReason);
    if (arrow)
        TGridEditorAccess::GridKeyDown(grid, k.Key, k.Shift);
}

void TGridButton::focusOutEvent(QFocusEvent *e)
{
    QPushButton::focusOutEvent(e);
    TGridEditorAccess::FocusLost(FGrid, this, e->reason());
}
