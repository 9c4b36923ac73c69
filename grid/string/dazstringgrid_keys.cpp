// TDazStringGrid: the keyboard while the grid itself has the focus: the key-down handler
// that runs before the framework's navigation, Tab advancing, typed characters that open
// the editor, the key-down extensions after the navigation, and the key-up selection.
#include "grid/string/dazstringgrid.h"
#include "grid/string/gridinputtools.h"
#include "grid/string/searchpanel.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <algorithm>

namespace {

IGridInputTools *g_inputTools = nullptr;

bool IsArrowOrPage(uint16_t Key)
{
    switch (Key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

bool IsMarkupControlText(const QString &Text, bool EnableHTML)
{
    return ClassifyCellText(Text, EnableHTML) == 1 &&
           Text.contains(QLatin1String("<CONTROL"), Qt::CaseInsensitive);
}

}   // namespace

IGridInputTools *GridInputTools()
{
    return g_inputTools;
}

void SetGridInputTools(IGridInputTools *Tools)
{
    g_inputTools = Tools;
}

// ---------------------------------------------------------------------------------------
// The data tools' operations
// ---------------------------------------------------------------------------------------

#define CF_INPUT_TOOL(Name)                                                                   \
    void TDazStringGrid::Name()                                                               \
    {                                                                                         \
        if (IGridInputTools *t = GridInputTools())                                            \
            t->Name(*this);                                                                   \
    }
CF_INPUT_TOOL(QSort)
CF_INPUT_TOOL(QSortIndexed)
CF_INPUT_TOOL(QSortGroup)
CF_INPUT_TOOL(QSortGroupIndexed)
CF_INPUT_TOOL(QUnSort)
CF_INPUT_TOOL(CopySelectionToClipboard)
CF_INPUT_TOOL(CutSelectionToClipboard)
CF_INPUT_TOOL(PasteSelectionFromClipboard)
CF_INPUT_TOOL(SearchFooterEditChange)
CF_INPUT_TOOL(SearchFooterFindNext)
CF_INPUT_TOOL(SearchFooterFindPrevious)
CF_INPUT_TOOL(SearchFooterHighlight)
CF_INPUT_TOOL(SearchFooterClose)
#undef CF_INPUT_TOOL

int TDazStringGrid::Search(const QString &s)
{
    IGridInputTools *t = GridInputTools();
    return t ? t->Search(*this, s) : -1;
}

void TDazStringGrid::InitSortXRef()
{
    FSortRowXRef.Clear();
    for (int r = 0; r < RowCount(); ++r)
        FSortRowXRef.Insert(r, r);
}

// ---------------------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------------------

bool TDazStringGrid::FireKeyDown(uint16_t Key, TShiftState Shift)
{
    // The handler gets a copy: what it does to the key has no effect here.
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
    return true;
}

bool TDazStringGrid::IsNodeRow(int ARow)
{
    return ARow >= 0 && GetCellType(0, ARow) == ctNode;
}

bool TDazStringGrid::HasCellControl(int ACol, int ARow)
{
    return IsControlCell(ACol, ARow) || CellControls(ACol, ARow) != nullptr;
}

bool TDazStringGrid::CanTabToCell(int ACol, int ARow)
{
    bool can = Options().Contains(goEditing) ? IsEditableCell(ACol, ARow) : !IsFixed(ACol, ARow);
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, can);
    return can;
}

int TDazStringGrid::FirstTabCol(int ARow)
{
    for (int c = 0; c < ColCount(); ++c)
        if (CanTabToCell(c, ARow))
            return c;
    return -1;
}

int TDazStringGrid::LastTabCol(int ARow)
{
    for (int c = ColCount() - 1; c >= 0; --c)
        if (CanTabToCell(c, ARow))
            return c;
    return -1;
}

int TDazStringGrid::FirstNormalCol()
{
    return FixedCols() == 0 && HasNodes() ? 1 : FixedCols();
}

int TDazStringGrid::VisibleFixedRightCols() const
{
    if (NumHiddenColumns() == 0)
        return FixedRightCols();
    int n = 0;
    const int last = AllColCount() - 1;
    for (int i = 0; i < FixedRightCols(); ++i)
        if (!IsHiddenColumn(last - i))
            ++n;
    return n;
}

void TDazStringGrid::GotoFirstRow()
{
    SetRow(FixedRows());
}

bool TDazStringGrid::IsLastNormalRow() const
{
    return Row() + 1 == RowCount() - FixedFooters() ||
           (FFloatingFooter.Visible() && Row() + 2 == RowCount());
}

void TDazStringGrid::AddRowOnArrowDown()
{
    bool canAdd = true;
    if (OnCanAddRow)
        OnCanAddRow(this, canAdd);
    if (!canAdd)
        return;
    const int total = AllColCount();
    if (FFloatingFooter.Visible()) {
        QStringList kept;
        for (int c = 0; c < total; ++c)
            kept << Cells(c, RowCount() - 1);
        SetRowCount(RowCount() + 1);
        for (int c = 0; c < total; ++c) {
            FreeCellProperties(c, RowCount() - 2);
            SetGridCell(c, RowCount() - 2, QString());
            SetCells(c, RowCount() - 1, kept[c]);
        }
    } else {
        SetRowCount(RowCount() + 1);
        for (int c = 0; c < total; ++c)
            SetGridCell(c, RowCount() - 1, QString());
    }
    if (FFloatingFooter.Visible() || FixedFooters() > 0)
        SetRow(Row() + 1);
    if (FFloatingFooter.Visible())
        CalcFooter(-1);
    if (OnAutoAddRow)
        OnAutoAddRow(this, RowCount() - FixedFooters() - 1);
}

void TDazStringGrid::KeepLeftCol(int LeftCol)
{
    if (!Options().Contains(goRowSelect) || !FNavigation.KeepHorizScroll())
        return;
    StartUpdate();
    SetLeftCol(LeftCol);
    ResetUpdate();
}

// ---------------------------------------------------------------------------------------
// Key down
// ---------------------------------------------------------------------------------------

void TDazStringGrid::WMKeyDown(TKeyMessage &Message)
{
    uint16_t key = Message.CharCode;
    const TShiftState shift = Message.Shift;
    const bool ctrl = shift.Contains(ssCtrl);
    const bool shiftDown = shift.Contains(ssShift);
    const bool alt = shift.Contains(ssAlt);
    const TGridOptions options = Options();
    const bool rowSelect = options.Contains(goRowSelect);

    // 1. Snapshot.
    FMoveSelection = Selection();
    const int snapLeft = LeftCol();
    const bool keepHoriz = (key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN) &&
                           rowSelect && LeftCol() != FixedCols() && FNavigation.KeepHorizScroll();
    auto done = [&](int Result) { Message.Result = Result; };

    // 2. Scrolling only.
    if (FNavigation.MoveScrollOnly() &&
        (key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME || key == VK_UP ||
         key == VK_DOWN)) {
        const int vis = VisibleRowCount();
        switch (key) {
        case VK_PRIOR:
            SetTopRow(vis + FixedRows() < TopRow() ? TopRow() - vis : FixedRows());
            break;
        case VK_NEXT:
            if (TopRow() + vis < RowCount())
                SetTopRow(std::min(TopRow() + vis, RowCount() - vis));
            break;
        case VK_END:
            SetTopRow(std::max(FixedRows(), RowCount() - vis));
            break;
        case VK_HOME:
            SetTopRow(FixedRows());
            break;
        case VK_UP:
            if (TopRow() > FixedRows())
                SetTopRow(TopRow() - 1);
            break;
        case VK_DOWN:
            if (TopRow() + vis < RowCount())
                SetTopRow(TopRow() + 1);
            break;
        }
        return done(1);
    }

    const bool enterOrF2 = key == VK_RETURN || key == VK_F2;
    const int realCol = RealColIndex(Col());
    // 3. Editing switched on per key.
    if (enterOrF2 && FMouseActions.EditOnDblClickOnly() && !Options().Contains(goEditing)) {
        const bool old = FMouseActions.RangeSelectAndEdit();
        FMouseActions.SetRangeSelectAndEdit(true);
        const bool editable = IsEditableCell(Col(), Row());
        FMouseActions.SetRangeSelectAndEdit(old);
        if (editable)
            SetOptions(Options() + goEditing);
    }
    // 4. Range-select-and-edit.
    if (enterOrF2 && FMouseActions.RangeSelectAndEdit() && !Options().Contains(goEditing)) {
        if (!IsEditableCell(Col(), Row())) {
            FireKeyDown(key, shift);
            Message.CharCode = 0;
            return done(1);
        }
        SetOptions(Options() + goEditing);
        ShowEditor();
    }
    // 5. Ctrl+F goes to the search bar's edit box. (The bar's buttons take their Alt
    // accelerators themselves, through their mnemonic shortcuts.)
    if (key == 'F' && ctrl && FSearchFooter.Visible())
        SearchPanel()->EditControl()->setFocus(Qt::ShortcutFocusReason);
    // 6. Cells that are not editable, and cells with mark-up controls.
    if (enterOrF2 && Options().Contains(goEditing)) {
        if (!IsEditableCell(Col(), Row())) {
            FireKeyDown(key, shift);
            Message.CharCode = 0;
            return done(1);
        }
        if (IsMarkupControlText(Cells(realCol, Row()), EnableHTML()))
            return done(1);
    }
    // 7. Enter on a cell that is not edited: the window's own handlers see it.
    if (key == VK_RETURN && !Options().Contains(goEditing) &&
        !FMouseActions.RangeSelectAndEdit() && !EditDisable()) {
        FireKeyDown(key, shift);
        Message.CharCode = 0;
        return done(1);
    }
    // 8. Space and Enter on check boxes, radios and buttons.
    if ((key == VK_SPACE || key == VK_RETURN) && IsControlCell(realCol, Row()))
        SpaceOnControlCell(key);

    // 9. Home and End.
    if ((key == VK_HOME || key == VK_END) && HomeEndKey(Message, FMoveSelection, snapLeft))
        return;

    // 10. Node rows expand and contract.
    if (key == VK_LEFT || key == VK_RIGHT)
        NodeKey(key);

    // 11. Horizontal scrolling of a row selection.
    if ((key == VK_LEFT || key == VK_RIGHT) && rowSelect && !IsNodeRow(Row()) &&
        VisibleColCount() < ColCount() && (!FNavigation.LeftRightRowSelect() || ctrl)) {
        if (key == VK_LEFT && LeftCol() > FixedCols())
            SetLeftCol(LeftCol() - 1);
        else if (key == VK_RIGHT && VisibleColCount() + LeftCol() < ColCount())
            SetLeftCol(LeftCol() + 1);
        if (!FNavigation.LeftRightRowSelect()) {
            FireKeyDown(key, shift);
            return done(0);
        }
    }

    // 12. Tab with goTabs.
    if (key == VK_TAB && Options().Contains(goTabs)) {
        TabToNextCell(shiftDown);
        const TGridRect sel = Selection();
        if (!(sel == FMoveSelection)) {
            DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
            FMoveSelection = sel;
        }
        return;
    }

    // 13. Fixed cells are stepped over.
    if (FNavigation.SkipFixedCells() &&
        (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) &&
        SkipFixedCellsKey(key, shift))
        Message.CharCode = 0;

    // 14. Appending a row below the last one.
    if (key == VK_DOWN && IsLastNormalRow() && FNavigation.AppendOnArrowDown())
        AddRowOnArrowDown();

    // 16. The last row stays clear of the search panel.
    const bool onLastRow = Row() >= RowCount() - 1;
    if (FSearchFooter.Visible() && TopRow() >= RowCount() - VisibleRowCount() && onLastRow) {
        if (key == VK_DOWN) {
            ScrollAboveSearchPanel();
            FireKeyDown(key, shift);
            return done(1);
        }
        if ((key == VK_RIGHT && Col() == ColCount() - 1) || (key == VK_LEFT && Col() == FixedCols())) {
            FireKeyDown(key, shift);
            return done(1);
        }
    }
    // 17, 18, 20. The framework's navigation, keeping the left column when asked to.
    if (Message.CharCode != 0) {
        if (keepHoriz)
            BeginUpdate();
        try {
            TBaseGrid::WMKeyDown(Message);
        } catch (...) {
            if (keepHoriz) {
                SetLeftCol(snapLeft);
                EndUpdate();
            }
            throw;
        }
        if (keepHoriz) {
            SetLeftCol(snapLeft);
            EndUpdate();
        }
    }
    // 19.
    if (FSearchFooter.Visible() && Row() == RowCount() - 1 &&
        (key == VK_NEXT || key == VK_END || key == VK_LEFT || key == VK_RIGHT || key == VK_DOWN))
        ScrollAboveSearchPanel();
    // 15. The selection frame follows.
    if (SelectionRectangle() && !(Selection() == FMoveSelection)) {
        InvalidateGrid();
        FMoveSelection = Selection();
    }

    // 21. Clipboard keys.
    if (FNavigation.AllowClipboardShortCuts() && ClipboardKey(key, shift))
        return;
    // 22.
    if (key == VK_INSERT && FNavigation.AllowInsertRow() && !ctrl && !shiftDown && !alt) {
        InsertRowKey();
        return;
    }
    if (key == 'A' && ctrl && (Options().Contains(goRowSelect) || Options().Contains(goRangeSelect))) {
        SelectAllKey();
        return;
    }
    if (IsArrowOrPage(key) || key == VK_SPACE)
        DisjunctKeySelection(key, shift);
    if (key == VK_DELETE && FNavigation.AllowDeleteRow() && !alt && RowCount() > FixedRows() + FixedFooters())
        DeleteRowKey();
    const TGridRect sel = Selection();
    if (!(sel == FMoveSelection)) {
        DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
        FMoveSelection = sel;
    }
}

void TDazStringGrid::SpaceOnControlCell(uint16_t Key)
{
    const int c = RealColIndex(Col());
    const int r = Row();
    const TPoint base = BaseCell(c, r);
    bool allowed = (Options().Contains(goEditing) || FMouseActions.RangeSelectAndEdit()) &&
                   !ReadOnly(base.X, base.Y);
    if (allowed)
        CanEditCell(c, r, allowed);
    const TCellType kind = GetCellType(base.X, base.Y);
    if (Key == VK_SPACE) {
        if ((kind == ctCheckBox || kind == ctDataCheckBox || kind == ctVirtCheckBox ||
             kind == ctRowCheckBox || kind == ctTriStateCheckBox) &&
            (allowed || FControlLook.CheckAlwaysActive())) {
            ToggleCheckCell(c, r, true);
            if (FShowModified.Enabled()) {
                SetRowModified(r, true);
                RepaintCell(0, r);
            }
            bool state = false;
            GetCheckBoxState(c, RealRowIndex(r), state);
            DoCheckBoxClick(c, r, state);
        } else if (kind == ctRadio && (allowed || FControlLook.RadioAlwaysActive())) {
            StepRadioGroup(c, r, true);
            // The step's item: a group that follows its text keeps its own index.
            int idx = -1;
            if (const TCellGraphic *g = GetCellGraphic(c, r); g && g->CellVar.isValid())
                idx = g->CellVar.toInt();
            if (OnRadioClick)
                OnRadioClick(this, c, r, idx);
        } else if (kind == ctRadioButton && (allowed || FControlLook.RadioAlwaysActive())) {
            SetRadioButtonColumnIndex(c, r);
            if (OnRadioButtonClick)
                OnRadioButtonClick(this, c, r);
        }
    }
    if (kind == ctButton && allowed && OnButtonClick)
        OnButtonClick(this, c, r);
    RepaintCell(Col(), Row());
}

bool TDazStringGrid::HomeEndKey(TKeyMessage &Message, const TGridRect &Snapshot, int SnapLeftCol)
{
    const uint16_t key = Message.CharCode;
    const TShiftState shift = Message.Shift;
    const bool ctrl = shift.Contains(ssCtrl);
    const bool home = key == VK_HOME;
    const bool keptHeader = FFixedRowAlways && RowCount() == 1;
    auto fire = [&] {
        SnapToBaseCell();
        FireKeyDown(key, shift);
        Message.Result = 0;
        return true;
    };
    switch (FNavigation.HomeEndKey()) {
    case heFirstLastCell:
        if (ctrl)
            return false;
        if (home) {
            SetCol(FixedCols());
            SetRow(FixedRows());
        } else {
            SetCol(ColCount() - 1);
            SetRow(RowCount() - 1);
        }
        return fire();
    case heFirstLastRow: {
        if (ctrl || keptHeader)
            return false;
        int target;
        if (home) {
            target = FixedRows();
        } else {
            target = FFloatingFooter.Visible() && RowCount() > 2 ? RowCount() - 2
                                                                   : RowCount() - FixedFooters() - 1;
        }
        SetRow(target);
        if (!home && ((FixedFooters() > 0 && !FFloatingFooter.Visible()) || FFloatingFooter.Visible()))
            SetTopRow(std::max(FixedRows(), RowCount() - VisibleRowCount()));
        if (FMouseActions.DisjunctRowSelect() || shift.Contains(ssShift)) {
            if (!shift.Contains(ssShift)) {
                ClearRowSelect();
                const TGridRect s = Selection();
                for (int r = s.Top; r <= s.Bottom; ++r)
                    SetRowSelect(r, true);
            } else {
                TBaseGrid::SetSelection(GridRect({0, Snapshot.Top}, {ColCount() - 1, target}));
                if (FMouseActions.DisjunctRowSelect()) {
                    const TGridRect s = Selection();
                    for (int r = s.Top; r <= s.Bottom; ++r)
                        SetRowSelect(r, true);
                }
            }
        }
        fire();
        KeepLeftCol(SnapLeftCol);
        return true;
    }
    case heFirstLastColumn:
        if (ctrl) {
            if (!home)
                return false;
            SetRow(FixedRows());
            if (const int c = FirstTabCol(Row()); c >= 0)
                SetCol(c);
            SetLeftCol(FirstNormalCol());
            return fire();
        }
        if (Options().Contains(goRowSelect) || keptHeader)
            return false;
        if (shift.Contains(ssShift)) {
            const int edge = home ? FixedCols() : ColCount() - FixedRightCols() - 1;
            TBaseGrid::SetSelection(GridRect({Col(), Row()}, {edge, Row()}));
            RepaintRow(Row());
        } else if (home) {
            if (const int c = FirstTabCol(Row()); c >= 0)
                SetCol(c);
            SetLeftCol(FirstNormalCol());
        } else {
            SetCol(ColCount() - 1);
            SetLeftCol(std::max(FixedCols(), ColCount() - VisibleColCount()));
        }
        return fire();
    }
    return false;
}

bool TDazStringGrid::SkipFixedCellsKey(uint16_t Key, TShiftState Shift)
{
    const int col = Col();
    const int row = Row();
    const bool rowSelect = Options().Contains(goRowSelect);
    const int rightLimit = ColCount() - FixedRightCols();
    const int bottomLimit = RowCount() - FixedFooters();
    bool handled = false;
    switch (Key) {
    case VK_LEFT:
        if (col > FixedCols() && IsFixed(col - 1, row)) {
            int c = col - 1;
            while (c >= FixedCols() && IsFixed(c, row))
                --c;
            if (c >= FixedCols())
                SetCol(c);
            handled = true;
        }
        break;
    case VK_RIGHT:
        if (col < rightLimit - 1 && IsFixed(col + 1, row)) {
            int c = col + 1;
            while (c < rightLimit && IsFixed(c, row))
                ++c;
            if (c < rightLimit)
                SetCol(c);
            handled = true;
        }
        break;
    case VK_UP:
        if (row > FixedRows() && IsFixed(col, row - 1)) {
            if (rowSelect) {
                SetRow(row - 1);
            } else {
                int r = row - 1;
                while (r >= FixedRows() && IsFixed(col, r))
                    --r;
                if (r >= FixedRows())
                    SetRow(r);
            }
            handled = true;
        }
        break;
    case VK_DOWN:
        if (row < bottomLimit && row + 1 < RowCount() && IsFixed(col, row + 1)) {
            if (rowSelect) {
                SetRow(row + 1);
            } else {
                int r = row + 1;
                while (r < bottomLimit && IsFixed(col, r))
                    ++r;
                if (r < bottomLimit)
                    SetRow(r);
            }
            handled = true;
        }
        break;
    default:
        break;
    }
    if (handled)
        FireKeyDown(Key, Shift);
    return handled;
}

bool TDazStringGrid::ClipboardKey(uint16_t Key, TShiftState Shift)
{
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool shiftDown = Shift.Contains(ssShift);
    auto ask = [&](const TGridClipboardEvent &Event) {
        bool allow = true;
        if (Event)
            Event(this, allow);
        return allow;
    };
    if (ctrl && Key == 'X') {
        if (ask(OnClipboardCut))
            CutSelectionToClipboard();
    } else if (ctrl && Key == 'V') {
        if (ask(OnClipboardPaste))
            PasteSelectionFromClipboard();
    } else if (ctrl && (Key == VK_INSERT || Key == 'C')) {
        if (ask(OnClipboardCopy))
            CopySelectionToClipboard();
    } else if (shiftDown && Key == VK_INSERT) {
        if (ask(OnClipboardPaste))
            PasteSelectionFromClipboard();
    } else if (shiftDown && Key == VK_DELETE) {
        if (ask(OnClipboardCut))
            CutSelectionToClipboard();
    } else {
        return false;
    }
    return true;
}

void TDazStringGrid::InsertRowKey()
{
    bool canInsert = true;
    if (OnCanInsertRow)
        OnCanInsertRow(this, Row(), canInsert);
    if (!canInsert)
        return;
    int t = Row();
    int at = RealRowIndex(Row());
    if (FNavigation.InsertPosition() == pInsertAfter) {
        if (FFixedRowAlways && FixedRows() == RowCount()) {
            t = 1;
        } else if (Row() < RowCount()) {
            at = RealRowIndex(Row()) + 1;
            if (t + 1 < RowCount() + 1)
                t = t + 1;
        }
    }
    DoAutoInsertRow(std::min(at, RowCount()));
    if (OnAutoInsertRow)
        OnAutoInsertRow(this, at);
    FGridModified = true;
    SetRow(std::min(t, RowCount() - 1));
    CalcFooter(-1);
}

void TDazStringGrid::DeleteRowKey()
{
    const int d = RealRowIndex(Row());
    bool canDelete = true;
    if (OnCanDeleteRow)
        OnCanDeleteRow(this, d, canDelete);
    if (!canDelete)
        return;
    // A node row or a row of a group goes through the node code, which keeps the spans.
    if (GetParentRow(Row()) >= 0)
        RemoveChildRow(d);
    else if (RowCount() - FixedRows() - FixedFooters() == 1 && !FFixedRowAlways)
        ClearRows(Row(), 1);
    else
        RemoveRows(Row(), 1);
    if (OnAutoDeleteRow)
        OnAutoDeleteRow(this, d);
    if (FFloatingFooter.Visible() && Row() + 1 == RowCount())
        SetRow(RowCount() - 2);
    FGridModified = true;
    CalcFooter(-1);
}

void TDazStringGrid::SelectAllKey()
{
    const TGridRect all{FirstNormalCol(), FixedRows(), ColCount() - FixedRightCols() - 1,
                        RowCount() - FixedFooters() - 1};
    if (all.Right < all.Left || all.Bottom < all.Top)
        return;
    if (FMouseActions.DisjunctRowSelect())
        for (int r = all.Top; r <= all.Bottom; ++r)
            SetRowSelect(r, true);
    SetSelection(all);
    TBaseGrid::FocusCell(all.Right, all.Bottom, false);
    const TRect r = CellRect(all.Right, all.Bottom);
    MouseDown(mbLeft, {}, r.Left + 2, r.Top + 2);
    MouseUp(mbLeft, {}, r.Left + 2, r.Top + 2);
    TBaseGrid::FocusCell(all.Right, all.Bottom, false);
    SetSelection(all);
}

void TDazStringGrid::DisjunctKeySelection(uint16_t Key, TShiftState Shift)
{
    const bool shiftDown = Shift.Contains(ssShift);
    const bool ctrl = Shift.Contains(ssCtrl);
    const int s = FMouseActions.RowSelectPersistent() ? RealRowIndex(Row()) : Row();
    if (Key == VK_SPACE) {
        if (FMouseActions.DisjunctRowSelect())
            SetRowSelect(s, !RowSelect(s));
        else if (FMouseActions.DisjunctColSelect())
            SetColSelect(Col(), !ColSelect(Col()));
        return;
    }
    const TGridRect sel = Selection();
    if (FMouseActions.DisjunctRowSelect()) {
        if (!shiftDown && !ctrl)
            ClearRowSelect();
        if (shiftDown) {
            for (int r = FixedRows(); r < RowCount() - FixedFooters(); ++r)
                SetRowSelect(r, r >= sel.Top && r <= sel.Bottom);
        } else {
            SetRowSelect(s, true);
        }
    }
    if (FMouseActions.DisjunctColSelect()) {
        if (!shiftDown && !ctrl)
            ClearColSelect();
        if (shiftDown) {
            for (int c = FixedCols(); c < ColCount(); ++c)
                SetColSelect(c, c >= sel.Left && c <= sel.Right);
        } else {
            SetColSelect(Col(), true);
        }
    }
}

// ---------------------------------------------------------------------------------------
// Tab
// ---------------------------------------------------------------------------------------

bool TDazStringGrid::TabToNextCell(bool Backward)
{
    if (OnKeyDown) {
        uint16_t key = VK_TAB;
        OnKeyDown(this, key, Backward ? TShiftState{ssShift} : TShiftState{});
        if (key != VK_TAB)
            return true;
    }
    if (Col() == FLastTabCol && Row() == FLastTabRow)
        return true;
    FLastTabCol = Col();
    FLastTabRow = Row();
    bool result = true;
    // Read-only cells are stepped over; one full pass over the grid without an editable
    // cell ends the walk where it started.
    const long long limit = (long long)ColCount() * RowCount() + 1;
    long long steps = 0;
    for (;;) {
        result = TabStep(Backward) && result;
        if (!Options().Contains(goEditing) || IsEditableCell(Col(), Row()))
            break;
        if ((Col() == FLastTabCol && Row() == FLastTabRow) || ++steps > limit)
            break;
    }
    if (FNavigation.AdvanceAutoEdit() && !IsControlCell(RealColIndex(Col()), Row()) &&
        Options().Contains(goEditing))
        ClickCell(Col(), Row());
    FLastTabCol = -1;
    FLastTabRow = -1;
    if (FNavigation.AlwaysEdit())
        setFocus();
    return result;
}

// One tab stop on; false when the Tab was posted to the parent.
bool TDazStringGrid::TabStep(bool Backward)
{
    const int lastCol = ColCount() - VisibleFixedRightCols() - 1;
    const int lastNormalRow = RowCount() - FixedFooters() - 1;
    bool atEnd = false;
    auto endOfGrid = [&] {
        if (parentWidget() && FNavigation.TabToNextAtEnd()) {
            QKeyEvent *ev = new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QCoreApplication::postEvent(parentWidget(), ev);
            return false;
        }
        return true;
    };
    auto moveTo = [&](int ACol, int ARow) {
        FForceSel = true;
        TBaseGrid::FocusCell(ACol, ARow, true);
        FForceSel = false;
    };
    const bool down = FNavigation.TabAdvanceDirection() != adLeftRight;
    if (Backward) {
        if (down) {
            if (Row() > FixedRows())
                moveTo(Col(), Row() - 1);
            else if (Col() > FirstNormalCol())
                moveTo(Col() - 1, lastNormalRow);
            else
                moveTo(lastCol, lastNormalRow);
            return true;
        }
        if (Col() > FirstNormalCol()) {
            int b = 1;
            while (Col() - b >= FirstNormalCol() &&
                   !(CanTabToCell(Col() - b, Row()) && IsBaseCell(RealColIndex(Col() - b), Row())))
                ++b;
            if (Col() - b >= FirstNormalCol()) {
                moveTo(Col() - b, Row());
            } else if (Row() > FixedRows()) {
                if (const int c = LastTabCol(Row() - 1); c >= 0)
                    moveTo(c, Row() - 1);
                SnapToBaseCell();
            } else {
                if (const int c = LastTabCol(lastNormalRow); c >= 0)
                    moveTo(c, lastNormalRow);
                SnapToBaseCell();
            }
            return true;
        }
        int b = 1;
        while (ColCount() - VisibleFixedRightCols() - b > FixedCols() &&
               !CanTabToCell(ColCount() - VisibleFixedRightCols() - b, Row()))
            ++b;
        moveTo(ColCount() - VisibleFixedRightCols() - b,
               Row() > FixedRows() ? Row() - 1 : lastNormalRow);
        return true;
    }
    const TPoint span = CellSpan(RealColIndex(Col()), Row());
    if (down) {
        if (Row() + span.Y + 1 < RowCount() - FixedFooters()) {
            moveTo(Col(), Row() + span.Y + 1);
            return true;
        }
        GotoFirstRow();
        if (Col() < lastCol) {
            moveTo(Col() + 1, Row());
            return true;
        }
        moveTo(FirstNormalCol(), Row());
        return endOfGrid();
    }
    const int limitCol = ColCount() - VisibleFixedRightCols();
    if (Col() + span.X + 1 < limitCol) {
        int c = 1;
        while (Col() + span.X + c < limitCol && !CanTabToCell(Col() + span.X + c, Row()))
            ++c;
        if (Col() + span.X + c >= limitCol) {
            FForceSel = true;
            if (Row() < lastNormalRow) {
                const int n = FirstTabCol(Row() + 1);
                if (DoCellChanging(Row(), Col(), Row() + 1, n))
                    moveTo(n < 0 ? FixedCols() : n, Row() + 1);
            } else {
                if (const int n = FirstTabCol(FixedRows()); n >= 0)
                    moveTo(n, FixedRows());
                atEnd = true;
            }
            FForceSel = false;
            return atEnd ? endOfGrid() : true;
        }
        moveTo(Col() + span.X + c, Row());
        if (!IsBaseCell(RealColIndex(Col()), Row()))
            return TabStep(false);
        return true;
    }
    if (Row() < lastNormalRow) {
        for (int e = FirstNormalCol(); e < ColCount(); ++e)
            if (IsBaseCell(RealColIndex(e), Row() + 1) && CanTabToCell(e, Row() + 1)) {
                moveTo(e, Row() + 1);
                return true;
            }
        for (int g = Row() + 2; g < RowCount(); ++g)
            if (const int c = FirstTabCol(g); c >= 0) {
                moveTo(c, g);
                return true;
            }
        moveTo(ColCount() - 1, RowCount() - 1);
        return true;
    }
    // The last tab stop of the grid.
    if (FNavigation.TabToNextAtEnd() || !FNavigation.AdvanceInsert()) {
        GotoFirstRow();
    } else {
        bool canAdd = true;
        if (OnCanAddRow)
            OnCanAddRow(this, canAdd);
        if (!canAdd) {
            GotoFirstRow();
        } else {
            if (FFloatingFooter.Visible()) {
                InsertRows(RowCount() - 1, 1);
                SetRow(RowCount() - 2);
            } else {
                SetRowCount(RowCount() + 1);
                SetRow(RowCount() - 1);
            }
            if (OnAutoAddRow)
                OnAutoAddRow(this, RowCount() - FixedFooters() - 1);
        }
    }
    if (const int c = FirstTabCol(Row()); c >= 0)
        moveTo(c, Row());
    return endOfGrid();
}

void TDazStringGrid::ClickCell(int ACol, int ARow)
{
    const TRect r = CellRect(ACol, ARow);
    const TMouseEvent down = OnMouseDown;
    const TMouseEvent up = OnMouseUp;
    OnMouseDown = nullptr;
    OnMouseUp = nullptr;
    FForceSel = true;
    try {
        TBaseGrid::MouseDown(mbLeft, {}, r.Left + 2, r.Top + 2);
        TBaseGrid::MouseUp(mbLeft, {}, r.Left + 2, r.Top + 2);
    } catch (...) {
        FForceSel = false;
        OnMouseDown = down;
        OnMouseUp = up;
        throw;
    }
    FForceSel = false;
    OnMouseDown = down;
    OnMouseUp = up;
}

// ---------------------------------------------------------------------------------------
// Typed characters
// ---------------------------------------------------------------------------------------

void TDazStringGrid::WMChar(TKeyMessage &Message)
{
    const int realCol = RealColIndex(Col());
    if (IsMarkupControlText(Cells(realCol, Row()), EnableHTML())) {
        Message.Result = 1;
        return;
    }
    if (FMouseActions.EditOnDblClickOnly()) {
        bool can = Options().Contains(goEditing) || FMouseActions.RangeSelectAndEdit();
        if (can)
            CanEditCell(realCol, Row(), can);
        if (can)
            SetOptions(Options() + goEditing);
    }
    const ushort ch = Message.CharCode;
    const bool ctrl = Message.Shift.Contains(ssCtrl);
    if (FNavigation.AllowClipboardShortCuts() && ctrl && (ch == 3 || ch == 22 || ch == 24)) {
        Message.CharCode = 0;
        return;
    }
    if (FMouseActions.RangeSelectAndEdit() && !HasCellControl(realCol, Row()) &&
        IsEditableCell(Col(), Row()) && ch != 9 && ch != 27 && !ctrl) {
        QChar copy(ch);
        if (OnKeyPress)
            OnKeyPress(this, copy);
        FStartEditChar = QChar(ch);
        SetOptions(Options() + goEditing);
        if (Col() < LeftCol() || Col() > LeftCol() + VisibleColCount() || Row() < TopRow() ||
            Row() > TopRow() + VisibleRowCount())
            ClampInView({Col(), Row()});
        const TRect r = CellRect(Col(), Row());
        MouseDown(mbLeft, {}, r.Left + 2, r.Top + 2);
        TBaseGrid::WMChar(Message);
        return;
    }
    QChar c(ch);
    if (c == u'.' && ExcelStyleDecimalSeparator() && Message.KeypadDecimal)
        c = GetDecimalSeparator();
    if (ch == 13 && FNavigation.AdvanceOnEnter() && HasCellControl(realCol, Row())) {
        TBaseGrid::WMChar(Message);
        return;
    }
    if (Options().Contains(goEditing) && (ch == 8 || (ch >= 32 && ch <= 255 && ch != 9))) {
        if (OnKeyPress)
            OnKeyPress(this, c);
        FStartEditChar = c;
        if (!c.isNull() && !HasCellControl(realCol, Row()))
            ShowEditorChar(c);
        return;
    }
    Message.CharCode = c.unicode();
    TBaseGrid::WMChar(Message);
}

// ---------------------------------------------------------------------------------------
// Key-down extensions, after the framework's navigation
// ---------------------------------------------------------------------------------------

void TDazStringGrid::KeyDown(uint16_t &Key, TShiftState Shift)
{
    int r0 = Row();
    FLastKeyCell = {Col(), Row()};
    TBaseGrid::KeyDown(Key, Shift);

    const bool snake = FNavigation.CursorAdvance() == caSnake;
    const TGridRect sel = Selection();
    const int t = std::min(sel.Top, sel.Bottom);
    const int b = std::max(sel.Top, sel.Bottom);
    const bool ctrl = Shift.Contains(ssCtrl);
    if (ctrl && Key == VK_DOWN && FNavigation.CursorMoveRows() && b < RowCount() - 1) {
        r0 = Row();
        if (t == b) {
            MoveRow(t, t + 1);
            SetRow(r0 + 1);
        } else {
            MoveRows(t, t + 1, b - t + 1);
            SetSelection({FixedCols(), t + 1, ColCount() - 1, b + 1});
        }
    }
    if (ctrl && Key == VK_UP && FNavigation.CursorMoveRows() && t > FixedRows()) {
        r0 = Row();
        if (t == b) {
            MoveRow(t, t - 1);
            SetRow(r0 - 1);
        } else {
            MoveRows(t, t - 1, b - t + 1);
            SetSelection({FixedCols(), t - 1, ColCount() - 1, b - 1});
        }
    }
    if (FNavigation.CursorAdvance() != caDefault) {
        if (Key == VK_LEFT && FLastKeyCell.X == FixedCols()) {
            SetCol(ColCount() - 1 - FixedRightCols());
            if (snake && Row() > FixedRows())
                SetRow(Row() - 1);
        } else if (Key == VK_RIGHT && FLastKeyCell.X == ColCount() - 1) {
            SetCol(FixedCols());
            if (snake && Row() < RowCount() - 1 - FixedFooters())
                SetRow(Row() + 1);
        } else if (Key == VK_UP && FLastKeyCell.Y == FixedRows()) {
            SetRow(RowCount() - 1 - FixedFooters());
            if (snake && Col() > FixedCols())
                SetCol(Col() - 1);
        } else if (Key == VK_DOWN && FLastKeyCell.Y == RowCount() - 1) {
            SetRow(FixedRows());
            if (snake && Col() < ColCount() - 1 - FixedRightCols())
                SetCol(Col() + 1);
        }
    }
    if (UseEnabledRows() && FNavigation.SkipDisabledRows() && Row() == r0) {
        if (Key == VK_DOWN && r0 < RowCount() - 1) {
            int r = r0 + 1;
            while (r < RowCount() - 1 && !RowEnabled(r))
                ++r;
            if (RowEnabled(r))
                SetRow(r);
        } else if (Key == VK_UP && r0 > FixedRows()) {
            int r = r0 - 1;
            while (r > FixedRows() && !RowEnabled(r))
                --r;
            if (r >= FixedRows() && RowEnabled(r))
                SetRow(r);
        }
    }
    if (TStringGridBase *other = FSyncGrid.Grid()) {
        if (FSyncGrid.SelectionColumn())
            other->SetCol(Col());
        if (FSyncGrid.SelectionRow())
            other->SetRow(Row());
    }
}

// ---------------------------------------------------------------------------------------
// Key up
// ---------------------------------------------------------------------------------------

void TDazStringGrid::WMKeyUp(TKeyMessage &Message)
{
    TBaseGrid::WMKeyUp(Message);
}

void TDazStringGrid::KeyUp(uint16_t &Key, TShiftState Shift)
{
    if (IsArrowOrPage(Key) || Key == VK_INSERT || Key == VK_DELETE)
        SetSearchInc(QString());
    const TGridRect before = FMoveSelection;
    TBaseGrid::KeyUp(Key, Shift);
    const bool arrow = Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
    const bool tab = Key == VK_TAB && Options().Contains(goTabs);
    if (FNavigation.AlwaysEdit() && (arrow || tab) && !IsControlCell(RealColIndex(Col()), Row()))
        ShowEditor();
    const TGridRect sel = Selection();
    if ((arrow || Key == VK_TAB) && !(sel == before)) {
        DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
        FMoveSelection = sel;
    }
    if (!FMouseActions.DisjunctCellSelect() || Options().Contains(goEditing))
        return;
    if (Shift.Contains(ssShift) && arrow) {
        for (int r = before.Top; r <= before.Bottom; ++r)
            for (int c = before.Left; c <= before.Right; ++c)
                SetSelectedCells(c, r, false);
        for (int r = sel.Top; r <= sel.Bottom; ++r)
            for (int c = sel.Left; c <= sel.Right; ++c)
                if (c != Col() || r != Row())
                    SetSelectedCells(c, r, true);
        return;
    }
    if (Key == VK_SPACE) {
        const TPoint base = BaseCell(Col(), Row());
        if (IsFixed(base.X, base.Y))
            return;
        bool can = true;
        if (OnSelectCell)
            OnSelectCell(this, base.X, base.Y, can);
        if (!can)
            return;
        if (Shift.Contains(ssCtrl)) {
            SetSelectedCells(base.X, base.Y, !SelectedCells(base.X, base.Y));
        } else {
            ClearSelectedCells();
            SetSelectedCells(base.X, base.Y, true);
        }
        if (sel.Left != sel.Right || sel.Top != sel.Bottom)
            for (int r = sel.Top; r <= sel.Bottom; ++r)
                for (int c = sel.Left; c <= sel.Right; ++c)
                    if (c != base.X || r != base.Y)
                        SetSelectedCells(c, r, true);
        RepaintCell(Col(), Row());
    }
}
