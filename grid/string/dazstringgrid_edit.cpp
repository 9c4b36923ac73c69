// TDazStringGrid: the in-place editing cycle. Which cells take input, when an editor opens
// and closes around the framework's editor, the grid's key press, focus and click steps,
// and the combo editor's item list.
#include "grid/string/dazstringgrid.h"

#include "grid/string/gridcheckboxedit.h"
#include "grid/string/gridcombo.h"
#include "grid/string/gridmessages.h"
#include "grid/string/inplaceedit.h"

#include <QApplication>
#include <QLocale>
#include <QFocusEvent>

bool IsTextEditorType(TEditorType T)
{
    switch (T) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase:
    case edValidChars:
    case edPositiveFloat:
        return true;
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------------------
// Which cells take input
// ---------------------------------------------------------------------------------------

bool TDazStringGrid::IsEditable(int ACol, int ARow)
{
    if (!Options().Contains(goEditing) && !FMouseActions.RangeSelectAndEdit() && !FEditDisable)
        return false;
    const TPoint base = BaseCell(ACol, ARow);
    bool canEdit = true;
    IsEditableCell(base.X, base.Y, canEdit);
    if (!canEdit)
        return false;
    // The fixed-cell query takes display columns (a hidden column before the cell would
    // otherwise make another column's answer count).
    bool fixed = false;
    IsFixedCell(DisplColIndex(base.X), base.Y, fixed);
    return !fixed;
}

void TDazStringGrid::IsEditableCell(int ACol, int ARow, bool &CanEdit)
{
    const TPoint base = BaseCell(ACol, ARow);
    if (HasCellProperties(base.X, base.Y) && CanEdit) {
        CanEdit = !ReadOnly(base.X, base.Y);
        if (!Options().Contains(goEditing) && !FEditDisable && !FMouseActions.RangeSelectAndEdit())
            CanEdit = false;
    }
    if (base.X < AllColCount())
        CanEditCell(base.X, base.Y, CanEdit);
    else
        CanEdit = true;
}

// ---------------------------------------------------------------------------------------
// Opening and closing
// ---------------------------------------------------------------------------------------

TDazInplaceEdit *TDazStringGrid::NormalEdit() const
{
    return static_cast<TDazInplaceEdit *>(InplaceEditor());
}

TInplaceEdit *TDazStringGrid::CreateEditor()
{
    return new TDazInplaceEdit(this);
}

bool TDazStringGrid::EditorWantsTab() const
{
    return Options().Contains(goTabs) || OnCellValidate || OnCellValidateWide;
}

bool TDazStringGrid::WantTabs() const
{
    return Options().Contains(goTabs) || (FEditMode && (OnCellValidate || OnCellValidateWide));
}

void TDazStringGrid::ChooseEditorType(int ACol, int ARow)
{
    FEditControl = DefaultEditor();
    GetCellEditorType(ACol, ARow, FEditControl);
}

void TDazStringGrid::ShowFocusHelper()
{
    if (FFocusHelper.Enabled())
        ShowFocusWindow(CellRect(Col(), Row()));
}

bool TDazStringGrid::CanEditShow()
{
    if (FValidating)
        return false;
    // A control editor is open over the cell: the framework's editor stays hidden.
    if (FEditMode && FEditActive)
        return false;
    const bool result = TBaseGrid::CanEditShow();
    if (!result)
        return false;
    const TPoint base = BaseCell(RealCol(), Row());
    if (!FEditMode) {
        if (IsControlCell(base.X, base.Y))
            return false;
        // A cell made current without the selection gate (FocusCell, Selection) may be
        // read-only while goEditing is still on: typing must not open it.
        if (!IsEditable(base.X, base.Y))
            return false;
        FNoEditChange = true;
        if (!FReopening) {
            FCellCache = GetCurrentCell();
            // The edit is validated against the text the cell has as it opens, however it
            // was opened.
            SaveOldCellText(Col(), Row());
        }
        ChooseEditorType(base.X, base.Y);
        if (FEditControl == edNone)
            return false;
        FEditMode = true;
        if (!IsTextEditorType(FEditControl)) {
            OpenCellEditor(DisplColIndex(base.X), base.Y);
            FEntered = true;
            ShowFocusHelper();
            return false;
        }
        FShowEditProcess = true;
    }
    FEntered = true;
    FEditing = true;
    ShowFocusHelper();
    return true;
}

void TDazStringGrid::ShowInplaceEdit()
{
    const TPoint base = BaseCell(RealCol(), Row());
    if (IsControlCell(base.X, base.Y))
        return;
    if (Row() < TopRow())
        TBaseGrid::SetTopRow(Row());
    if (Col() < LeftCol())
        SetLeftCol(Col());
    ShowEditor();
}

void TDazStringGrid::HideInplaceEdit()
{
    if (!FEditMode)
        return;
    HideEditor();
    CloseCellEditor(Col(), Row());
    FEditMode = false;
    SelectCell(Col(), Row());
}

void TDazStringGrid::HideCellEdit()
{
    CloseCellEditor(Col(), Row());
}

void TDazStringGrid::ShowCellEdit()
{
    TKeyMessage message{VK_F2, {}, false, 0};
    WMKeyDown(message);
}

void TDazStringGrid::DoneInplaceEdit(uint16_t Key, TShiftState Shift)
{
    FBlockFocus = true;
    struct Unblock
    {
        TDazStringGrid *g;
        ~Unblock() { g->FBlockFocus = false; }
    } unblock{this};
    FEditing = false;
    HideInplaceEdit();
    if (FNavigation.AppendOnArrowDown() && Key == VK_DOWN && IsLastNormalRow())
        AddRowOnArrowDown();
    const bool alwaysEdit = FNavigation.AlwaysEdit();
    FNavigation.SetAlwaysEdit(false);
    setFocus(Qt::OtherFocusReason);
    FNavigation.SetAlwaysEdit(alwaysEdit);
    if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
        uint16_t key = Key;
        KeyDown(key, Shift);
    } else if (Key == VK_RETURN) {
        AdvanceToNextCell(Col(), Row(), false, false, true, true, false);
    }
}

void TDazStringGrid::NotifyEditDone(int ACol, int ARow)
{
    if (OnEditingDone)
        OnEditingDone(this);
    FEditMode = false;
    QCoreApplication::postEvent(this, new TGridEditDoneEvent(GridEditDoneMessage(), ACol, ARow));
}

void TDazStringGrid::RestoreCellFromCache()
{
    SetCellEx(RealCol(), Row(), FCellCache);
    RepaintCell(Col(), Row());
}

// ---------------------------------------------------------------------------------------
// Keys, focus and clicks
// ---------------------------------------------------------------------------------------

void TDazStringGrid::KeyPress(QChar &Key)
{
    const ushort c = Key.unicode();
    if (c == 27) {
        if (Options().Contains(goEditing) && FEditing)
            RestoreCellFromCache();
        if (OnKeyPress)
            OnKeyPress(this, Key);
        return;
    }
    if (c == 13) {
        if (!IsEditable(RealCol(), Row()) && !FNavigation.AdvanceOnEnter()) {
            if (OnKeyPress)
                OnKeyPress(this, Key);
            Key = QChar();
            return;
        }
        const TDazInplaceEdit *edit = NormalEdit();
        const bool editorFocused = (edit && edit->hasFocus()) ||
                                   (FEditCtrl && FEditCtrl->isAncestorOf(QApplication::focusWidget())) ||
                                   (FEditCtrl && FEditCtrl->hasFocus());
        const TPoint base = BaseCell(RealCol(), Row());
        if (editorFocused || IsControlCell(base.X, base.Y)) {
            const int oldCol = Col();
            AdvanceToNextCell(Col(), Row(), FEditMode, false, true, false, false);
            if (!FNavigation.AdvanceAutoEdit()) {
                if (OnKeyPress)
                    OnKeyPress(this, Key);
                Key = QChar();
                return;
            }
            if (IsControlCell(RealColIndex(oldCol), Row())) {
                if (OnKeyPress)
                    OnKeyPress(this, Key);
                if (FNavigation.AdvanceOnEnter())
                    ShowInplaceEdit();
                Key = QChar();
                return;
            }
        }
    }
    if (!Options().Contains(goEditing) && FNavigation.AutoGotoWhenSorted())
        KeySearch(Key);
    TBaseGrid::KeyPress(Key);
}

void TDazStringGrid::KeySearch(QChar Key)
{
    const ushort c = Key.unicode();
    const bool backspace = c == 8 && FNavigation.AutoGotoIncremental();
    // Other control keys are no text to look for.
    if (c < 32 && !backspace)
        return;
    if (!FNavigation.AutoGotoIncremental())
        FSearchInc = Key;
    else if (backspace)
        FSearchInc.chop(1);
    else
        FSearchInc += Key;
    FSearchTics = 0;
    const int row = FSearchInc.isEmpty() ? -1 : Search(QLocale().toUpper(FSearchInc));
    if (row >= 0)
        SetRow(row);
    else
        FSearchInc.clear();
}

void TDazStringGrid::DoEnter()
{
    if (FBlockFocus)
        return;
    struct Baseline
    {
        TDazStringGrid *g;
        ~Baseline() { g->SaveOldCellText(g->Col(), g->Row()); }
    } baseline{this};
    TBaseGrid::DoEnter();
    if (Options().Contains(goEditing) || FMouseActions.RangeSelectAndEdit())
        SelectCell(Col(), Row());
}

void TDazStringGrid::DoExit()
{
    if (FBlockKill)
        return;
    // A rectangle selected by keys or code is not in the row selection yet.
    if (FSelChanged && FMouseActions.DisjunctRowSelect()) {
        const TGridRect s = Selection();
        SelectRows(std::min(s.Top, s.Bottom), std::abs(s.Bottom - s.Top) + 1);
    }
    FSelChanged = false;
    TBaseGrid::DoExit();
}

void TDazStringGrid::Click()
{
    TBaseGrid::Click();
    FEntered = false;
    SaveOldCellText(Col(), Row());
}

void TDazStringGrid::focusInEvent(QFocusEvent *e)
{
    // The focus comes back from a popup editor that closed itself: nothing to open here.
    if (FInvokedFocusChange) {
        FInvokedFocusChange = false;
        QAbstractScrollArea::focusInEvent(e);
        viewport()->update();   // the selection in its focused colours
        return;
    }
    TBaseGrid::focusInEvent(e);
    if (FBlockKill || FBlockFocus)
        return;
    const TPoint base = BaseCell(RealCol(), Row());
    if (IsControlCell(base.X, base.Y))
        return;
    const TDazInplaceEdit *edit = NormalEdit();
    const bool fromEditor = edit && e->reason() != Qt::ActiveWindowFocusReason && edit->isVisible();
    if (FNavigation.AlwaysEdit() && !FEditMode && !fromEditor && GridState() == gsNormal &&
        Row() >= TopRow() && Row() < TopRow() + VisibleRowCount() + 1 && Col() >= LeftCol()) {
        TEditorType editor = DefaultEditor();
        GetCellEditorType(base.X, base.Y, editor);
        bool canEdit = true;
        IsEditableCell(base.X, base.Y, canEdit);
        if (IsTextEditorType(editor) && canEdit)
            ShowInplaceEdit();
    }
    if (IsMergedCell(base.X, base.Y))
        RepaintCell(base.X, base.Y);
}

void TDazStringGrid::focusOutEvent(QFocusEvent *e)
{
    if (FBlockKill)
        return;
    TBaseGrid::focusOutEvent(e);
    const TPoint base = BaseCell(RealCol(), Row());
    if (IsMergedCell(base.X, base.Y))
        RepaintCell(base.X, base.Y);
    // The release of a pressed BUTTON element goes elsewhere now.
    ReleaseControlButton();
}

// ---------------------------------------------------------------------------------------
// The combo editor's item list
// ---------------------------------------------------------------------------------------

TGridCombo *TDazStringGrid::Combobox()
{
    if (!FEditCombo)
        FEditCombo = new TGridCombo(this);
    return FEditCombo;
}

TGridCheckBox *TDazStringGrid::CheckBoxEditor()
{
    if (!FEditCheck)
        FEditCheck = new TGridCheckBox(this);
    return FEditCheck;
}

void TDazStringGrid::ClearComboString()
{
    Combobox()->clear();
}

void TDazStringGrid::AddComboString(const QString &S)
{
    Combobox()->addItem(S);
}

void TDazStringGrid::AddComboStringObject(const QString &S, TObject *AObject)
{
    Combobox()->AddItem(S, AObject);
}

bool TDazStringGrid::RemoveComboString(const QString &S)
{
    TGridCombo *combo = Combobox();
    const int i = combo->IndexOf(S);
    if (i < 0)
        return false;
    combo->removeItem(i);
    return true;
}

bool TDazStringGrid::SetComboSelectionString(const QString &S)
{
    const int i = Combobox()->IndexOf(S);
    if (i < 0)
        return false;
    FComboIdx = i;
    return true;
}

int TDazStringGrid::GetComboCount()
{
    return Combobox()->count();
}

int TDazStringGrid::GetComboIndex(int ACol, int ARow)
{
    DoGetEditorProp(ACol, ARow, nullptr);
    return Combobox()->IndexOf(Cells(ACol, ARow));
}

void TDazStringGrid::SetComboIndex(int ACol, int ARow, int Value)
{
    DoGetEditorProp(ACol, ARow, nullptr);
    TGridCombo *combo = Combobox();
    if (Value < 0 || Value >= combo->count())
        throw EDazGridError(QStringLiteral("List index out of bounds (%1)").arg(Value).toStdString());
    SetCells(ACol, ARow, combo->itemText(Value));
}

// ---------------------------------------------------------------------------------------
// The editor controls' lifetime
// ---------------------------------------------------------------------------------------

TDazStringGrid::TEditorControls::~TEditorControls()
{
    // The controls go before the grid's own parts: a control losing the focus as it is
    // destroyed must not reach a grid that is half gone.
    Grid->FEditorsGone = true;
    if (Grid->FPanFilter) {
        Grid->viewport()->removeEventFilter(Grid->FPanFilter);
        delete Grid->FPanFilter;
        Grid->FPanFilter = nullptr;
    }
    if (auto *edit = Grid->NormalEdit())
        edit->FGrid = nullptr;
    delete Grid->FEditCombo;
    Grid->FEditCombo = nullptr;
    delete Grid->FEditCheck;
    Grid->FEditCheck = nullptr;
}

void TDazStringGrid::EnteringCell(int ACol, int ARow)
{
    const TPoint base = BaseCell(RealColIndex(ACol), ARow);
    FCellCache = GetGridCell(base.X, base.Y);
}
