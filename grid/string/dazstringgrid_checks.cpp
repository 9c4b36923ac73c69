// TDazStringGrid: check boxes, radio buttons and radio groups in cells, and the cell
// graphic queries they stand on.
#include "grid/string/dazstringgrid.h"

#include <QFontMetrics>
#include <stdexcept>

namespace {

bool IsCheckBoxKind(TCellType Kind)
{
    return Kind == ctCheckBox || Kind == ctDataCheckBox || Kind == ctVirtCheckBox ||
           Kind == ctRowCheckBox || Kind == ctTriStateCheckBox;
}

bool IsDataCheckKind(TCellType Kind)
{
    return Kind == ctDataCheckBox || Kind == ctVirtCheckBox;
}

TCellVAlign CheckVAlign(TVAlignment Value)
{
    return Value == vtaCenter ? vaCenter : Value == vtaBottom ? vaBottom : vaTop;
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Cell graphics
// ---------------------------------------------------------------------------------------

TCellGraphic *TDazStringGrid::GetCellGraphic(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return nullptr;
    TObject *own = HasCellProperties(ACol, ARow) ? GetGraphicObjectEx(ACol, ARow) : nullptr;
    if (ACol == 0 && FMouseActions.HotmailRowSelect() && ARow < RowCount()) {
        if (own && !dynamic_cast<TCellGraphic *>(own))
            return nullptr;
        // One graphic serves every row; it is set up for the row asked about.
        TCellGraphic &g = FCellGraphic;
        g.CellType = ctRowCheckBox;
        g.CellTransparent = FControlLook.ControlStyle() == csFlat;
        g.CellHAlign = haBeforeText;
        g.CellVAlign = CheckVAlign(VAlignment());
        g.CellAngle = 0;
        if (ARow == 0) {
            const int normal = RowCount() - FixedRows();
            const int selected = RowSelectCount();
            g.CellAngle = selected > 0 && selected < normal ? 1 : 0;
            g.CellBoolean = normal > 0 && selected >= normal;
        } else {
            g.CellBoolean = RowSelect(ARow);
        }
        return &g;
    }
    return dynamic_cast<TCellGraphic *>(own);
}

TCellType TDazStringGrid::GetCellType(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return ctEmpty;
    const TCellGraphic *g = GetCellGraphic(ACol, ARow);
    return g ? g->CellType : ctEmpty;
}

void TDazStringGrid::GetCheckTrue(int ACol, int ARow, QString &Value)
{
    Value = CheckTrue();
    if (OnGetCheckTrue)
        OnGetCheckTrue(this, ACol, ARow, Value);
}

void TDazStringGrid::GetCheckFalse(int ACol, int ARow, QString &Value)
{
    Value = CheckFalse();
    if (OnGetCheckFalse)
        OnGetCheckFalse(this, ACol, ARow, Value);
}

QString TDazStringGrid::CheckTrueOf(int ACol, int ARow)
{
    QString s;
    GetCheckTrue(ACol, ARow, s);
    return s;
}

QString TDazStringGrid::CheckFalseOf(int ACol, int ARow)
{
    QString s;
    GetCheckFalse(ACol, ARow, s);
    return s;
}

TCellGraphic *TDazStringGrid::CreateCellGraphic(int ACol, int ARow)
{
    TObject *old = GetGraphicObjectEx(ACol, ARow);
    auto *g = new TCellGraphic;
    SetGraphicObjectEx(ACol, ARow, g);
    if (old != &FCellGraphic)
        delete dynamic_cast<TCellGraphic *>(old);
    if (NumHiddenColumns() > 0 && DisplColIndex(ACol) != ACol)
        RepaintCell(DisplColIndex(ACol), ARow);
    return g;
}

bool TDazStringGrid::RemoveCellGraphic(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || !HasCellProperties(ACol, ARow))
        return false;
    auto *g = dynamic_cast<TCellGraphic *>(GetGraphicObjectEx(ACol, ARow));
    if (!g)
        return false;
    SetGraphicObjectEx(ACol, ARow, nullptr);
    if (g != &FCellGraphic && g->CellType != ctVirtCheckBox && g->CellType != ctRowCheckBox)
        delete g;
    RepaintRealCell(ACol, ARow);
    return true;
}

bool TDazStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType Kind)
{
    return GetCellType(ACol, ARow) == Kind && RemoveCellGraphic(ACol, ARow);
}

bool TDazStringGrid::CheckCellEditable(int ACol, int ARow)
{
    const TPoint base = BaseCell(ACol, ARow);
    return IsEditableCell(DisplColIndex(base.X), base.Y);
}

// ---------------------------------------------------------------------------------------
// Check boxes
// ---------------------------------------------------------------------------------------

void TDazStringGrid::CheckNewGraphic(int ACol, int ARow) const
{
    // Negative indexes are refused too: the store would throw on them further down.
    if (ACol < 0 || ARow < 0 || ACol >= AllColCount() || ARow >= AllRowCount())
        throw std::runtime_error("Invalid cell");
}

void TDazStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data)
{
    CheckNewGraphic(ACol, ARow);
    TCellGraphic *g = CreateCellGraphic(ACol, ARow);
    g->SetCheckBox(State, Data, true, haBeforeText, CheckVAlign(VAlignment()));
    if (Data) {
        const QString text = Cells(ACol, ARow);
        if (text != CheckTrue() && text != CheckFalse())
            SetCells(ACol, ARow, State ? CheckTrue() : CheckFalse());
    }
    RepaintRealCell(ACol, ARow);
}

void TDazStringGrid::AddCheckBox(int ACol, int ARow, TCheckBoxState State)
{
    CheckNewGraphic(ACol, ARow);
    TCellGraphic *g = CreateCellGraphic(ACol, ARow);
    g->SetCheckBox(State, true, haBeforeText, CheckVAlign(VAlignment()));
    g->CellBoolean = false;
    RepaintRealCell(ACol, ARow);
}

void TDazStringGrid::AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox)
{
    const int first = FMouseActions.CheckAllCheck() ? 0 : FixedRows();
    for (int r = first; r < RowCount(); ++r) {
        const TCellType kind0 = GetCellType(0, r);
        if (kind0 == ctSummary)
            continue;
        if (kind0 == ctNode)
            AddCheckBox(ACol, r, cbUnchecked);
        else
            AddCheckBox(ACol, r, DefaultState, DataCheckBox);
    }
}

void TDazStringGrid::AddTriStateCheckBoxColumn(int ACol, TCheckBoxState State)
{
    const int first = FMouseActions.CheckAllCheck() ? 0 : FixedRows();
    for (int r = first; r < RowCount(); ++r)
        AddCheckBox(ACol, r, State);
}

void TDazStringGrid::RemoveCheckBox(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0 || !HasCellProperties(ACol, ARow))
        return;
    auto *g = dynamic_cast<TCellGraphic *>(GetGraphicObjectEx(ACol, ARow));
    if (!g || (g->CellType != ctCheckBox && g->CellType != ctDataCheckBox &&
               g->CellType != ctTriStateCheckBox))
        return;
    RemoveCellGraphic(ACol, ARow);   // the graphic frees an attached balloon with itself
}

void TDazStringGrid::RemoveCheckBoxColumn(int ACol)
{
    const int first = FMouseActions.CheckAllCheck() ? 0 : FixedRows();
    for (int r = first; r < RowCount(); ++r)
        if (HasCheckBox(ACol, r))
            RemoveCheckBox(ACol, r);
}

bool TDazStringGrid::HasCheckBox(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return IsCheckBoxKind(GetCellType(b.X, b.Y));
}

bool TDazStringGrid::HasDataCheckBox(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellType kind = GetCellType(b.X, b.Y);
    return IsDataCheckKind(kind) || kind == ctRowCheckBox;
}

bool TDazStringGrid::IsControlCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    switch (GetCellType(b.X, b.Y)) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadio:
    case ctButton:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctRadioButton:
    case ctTriStateCheckBox:
        return true;
    default:
        return false;
    }
}

bool TDazStringGrid::IsDataGraphicCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellType kind = GetCellType(b.X, b.Y);
    return IsDataCheckKind(kind) || kind == ctDataImage || kind == ctRowCheckBox;
}

bool TDazStringGrid::IsInCheckBox(int ACol, int ARow, int XPos, int YPos)
{
    const TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g || !(IsCheckBoxKind(g->CellType) || g->CellType == ctRadioButton))
        return false;
    if (!FMouseActions.PreciseCheckBoxCheck())
        return true;
    const int size = FControlLook.CheckSize();
    const TRect r = CellRect(DisplColIndex(ACol), ARow);
    int top = r.Top + 2;
    if (g->CellVAlign == vaBottom)
        top = r.Bottom - size - 2;
    else if (g->CellVAlign == vaCenter)
        top = r.Top + (r.Height() - size) / 2;
    // The alignment the painting uses: the cell's own, the column's and the events'.
    TAlignment align = taLeftJustify;
    TVAlignment valign = vtaTop;
    GetCellAlignment(ACol, ARow, align, valign);
    int left = r.Left + 2;
    if (align == taRightJustify) {
        left = r.Right - size - 2;
        // Only a printed text pushes the box left; a data check box shows none.
        if (!IsDataGraphicCell(ACol, ARow) && !Cells(ACol, ARow).isEmpty())
            left -= CellTextSize(ACol, ARow).X;
    } else if (align == taCenter) {
        left = r.Left + (r.Width() - size) / 2;
    }
    return XPos >= left && XPos < left + size && YPos >= top && YPos < top + size;
}

TCellGraphic *TDazStringGrid::CheckGraphicByRealRow(int ACol, int ARow, QString &Text)
{
    if (ACol < 0 || ARow < 0 || ARow >= AllRowCount())
        return nullptr;
    Text = AllCells(ACol, ARow);
    if (NumHiddenRows() == 0)
        return GetCellGraphic(ACol, ARow);
    // A stored graphic is found by the real row (visible or hidden); a cell without one may
    // still show the grid's virtual check box.
    const auto *props = dynamic_cast<const TCellProperties *>(GetAllGridObject(ACol, ARow));
    if (auto *g = dynamic_cast<TCellGraphic *>(CellPropGraphic(props)))
        return g;
    return GetCellGraphic(ACol, DisplRowIndex(ARow));
}

bool TDazStringGrid::GetCheckBoxState(int ACol, int ARow, bool &State)
{
    QString text;
    const TCellGraphic *g = CheckGraphicByRealRow(ACol, ARow, text);
    if (!g)
        return false;
    switch (g->CellType) {
    case ctCheckBox:
        State = g->CellBoolean;
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        State = text == CheckTrueOf(ACol, ARow);
        return true;
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        State = RowSelect(DisplRowIndex(ARow));
        return true;
    default:
        return false;
    }
}

bool TDazStringGrid::GetCheckBoxState(int ACol, int ARow, TCheckBoxState &State)
{
    QString text;
    const TCellGraphic *g = CheckGraphicByRealRow(ACol, ARow, text);
    if (!g)
        return false;
    if (g->CellType == ctTriStateCheckBox) {
        State = g->CellCheckBoxState;
        return true;
    }
    bool b = false;
    if (!GetCheckBoxState(ACol, ARow, b))
        return false;
    State = BoolToCheckBoxState(b);
    return true;
}

bool TDazStringGrid::SetCheckBoxState(int ACol, int ARow, bool State)
{
    QString text;
    TCellGraphic *g = CheckGraphicByRealRow(ACol, ARow, text);
    if (!g)
        return false;
    switch (g->CellType) {
    case ctCheckBox:
        g->CellBoolean = State;
        if (!HiddenRowItem(ARow))
            RepaintRealCell(ACol, DisplRowIndex(ARow));
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        SetAllCells(ACol, ARow, State ? CheckTrueOf(ACol, ARow) : CheckFalseOf(ACol, ARow));
        return true;
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        SetRowSelect(DisplRowIndex(ARow), State);
        return true;
    default:
        return false;
    }
}

bool TDazStringGrid::SetCheckBoxState(int ACol, int ARow, TCheckBoxState State)
{
    QString text;
    TCellGraphic *g = CheckGraphicByRealRow(ACol, ARow, text);
    if (!g || g->CellType != ctTriStateCheckBox)
        return false;
    g->CellCheckBoxState = State;
    if (!HiddenRowItem(ARow))
        RepaintRealCell(ACol, DisplRowIndex(ARow));
    return true;
}

bool TDazStringGrid::IsChecked(int ACol, int ARow)
{
    bool state = false;
    return GetCheckBoxState(ACol, ARow, state) && state;
}

bool TDazStringGrid::SetCheckBoxStateNotify(int ACol, int ARow, bool Value)
{
    if (ARow < 0 || ARow >= RowCount())
        return false;
    QString text;
    TCellGraphic *g = CheckGraphicByRealRow(ACol, RealRowIndex(ARow), text);
    if (!g)
        return false;
    switch (g->CellType) {
    case ctCheckBox:
        if (g->CellBoolean != Value) {
            g->CellBoolean = Value;
            DoCheckBoxChange(ACol, ARow, Value);
            RepaintRealCell(ACol, ARow);
        }
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        const bool was = text == CheckTrueOf(ACol, ARow);
        SetCells(ACol, ARow, Value ? CheckTrueOf(ACol, ARow) : CheckFalseOf(ACol, ARow));
        if (was != Value)
            DoCheckBoxChange(ACol, ARow, Value);
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        if (RowSelect(ARow) != Value) {
            SetRowSelect(ARow, Value);
            DoCheckBoxChange(ACol, ARow, Value);
        }
        return true;
    default:
        return false;
    }
}

void TDazStringGrid::CheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCheckBoxStateNotify(ACol, r, true);
    if (NumHiddenColumns() > 0)
        InvalidateCol(DisplColIndex(ACol));
}

void TDazStringGrid::UnCheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCheckBoxStateNotify(ACol, r, false);
}

void TDazStringGrid::DoCheckBoxChange(int ACol, int ARow, bool State)
{
    if (OnCheckBoxChange)
        OnCheckBoxChange(this, ACol, ARow, State);
}

void TDazStringGrid::DoCheckBoxClick(int ACol, int ARow, bool State)
{
    if (OnCheckBoxClick)
        OnCheckBoxClick(this, ACol, ARow, State);
}

bool TDazStringGrid::ToggleCheckCell(int ACol, int ARow, bool User)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g || !IsCheckBoxKind(g->CellType))
        return false;

    // Node facts for the group propagation, taken before anything changes.
    const bool group = FGrouping.AutoCheckGroup();
    bool nodeRow = false, collapsed = false;
    int span = 0, parent = -1;
    if (group) {
        auto spanOf = [&](int NodeRow) {
            const TCellGraphic *n = GetCellGraphic(0, NodeRow);
            int s = n ? n->CellIndex : 0;
            if (s <= 0) {   // up to the next node row
                s = 1;
                while (NodeRow + s < RowCount() && GetCellType(0, NodeRow + s) != ctNode)
                    ++s;
            }
            return s;
        };
        if (GetCellType(0, ARow) == ctNode) {
            nodeRow = true;
            span = spanOf(ARow);
            collapsed = GetCellGraphic(0, ARow)->CellBoolean;
        } else {
            for (int r = ARow - 1; r >= 0; --r)
                if (GetCellType(0, r) == ctNode) {
                    if (r + spanOf(r) > ARow) {
                        parent = r;
                        span = spanOf(r);
                    }
                    break;
                }
        }
    }

    if (User && !FControlLook.CheckAlwaysActive() && !CheckCellEditable(ACol, ARow))
        return false;

    bool state = false;
    switch (g->CellType) {
    case ctCheckBox:
        g->CellBoolean = !g->CellBoolean;
        state = g->CellBoolean;
        break;
    case ctTriStateCheckBox: {
        TCheckBoxState &s = g->CellCheckBoxState;
        if (group && nodeRow)
            s = s == cbChecked ? cbUnchecked : cbChecked;
        else
            s = s == cbUnchecked ? cbGrayed : s == cbGrayed ? cbChecked : cbUnchecked;
        state = s == cbChecked;
        break;
    }
    default: {
        // Data kinds and the row check box: exactly the check-true text counts as checked.
        const QString checkTrue = CheckTrueOf(ACol, ARow);
        state = Cells(ACol, ARow) != checkTrue;
        SetCells(ACol, ARow, state ? checkTrue : CheckFalseOf(ACol, ARow));
        break;
    }
    }
    RepaintCell(DisplColIndex(ACol), ARow);
    DoCheckBoxChange(ACol, ARow, state);

    if (group)
        PropagateGroupCheck(ACol, ARow, nodeRow, span, collapsed, parent, state);

    // By the new state: a data check box's own flag is never updated, only its text.
    if (TDazGridUndoRedo *undo = UndoRedo()) {
        const QString t = CheckTrueOf(ACol, ARow);
        const QString f = CheckFalseOf(ACol, ARow);
        if (state)
            undo->RegisterChange(ACol, ARow, f, t);
        else
            undo->RegisterChange(ACol, ARow, t, f);
    }
    return true;
}

void TDazStringGrid::PropagateGroupCheck(int ACol, int ARow, bool NodeRow, int Span,
                                         bool Collapsed, int ParentRow, bool State)
{
    if (NodeRow) {
        for (int e = 1; e < Span; ++e) {
            const int real = Collapsed ? RealRowIndex(ARow) + e : RealRowIndex(ARow + e);
            SetCheckBoxState(ACol, real, State);
        }
        return;
    }
    if (ParentRow < 0)
        return;
    const int parentReal = RealRowIndex(ParentRow);
    int checked = 0, total = 0;
    for (int e = 1; e < Span; ++e) {
        bool b = false;
        if (GetCheckBoxState(ACol, parentReal + e, b)) {
            ++total;
            checked += b ? 1 : 0;
        }
    }
    const TCheckBoxState s = checked == 0 ? cbUnchecked : checked == total ? cbChecked : cbGrayed;
    SetCheckBoxState(ACol, parentReal, s);
}

// ---------------------------------------------------------------------------------------
// Radio buttons
// ---------------------------------------------------------------------------------------

void TDazStringGrid::AddRadioButton(int ACol, int ARow, bool State)
{
    CheckNewGraphic(ACol, ARow);
    TCellGraphic *g = CreateCellGraphic(ACol, ARow);
    g->SetRadioButton(State, true, haBeforeText, CheckVAlign(VAlignment()));
    RepaintRealCell(ACol, ARow);
}

void TDazStringGrid::AddRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        AddRadioButton(ACol, r, false);
}

void TDazStringGrid::RemoveRadioButton(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRadioButton);
}

void TDazStringGrid::RemoveRadioButtonColumn(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (HasRadioButton(ACol, r))
            RemoveRadioButton(ACol, r);
}

bool TDazStringGrid::HasRadioButton(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellType(b.X, b.Y) == ctRadioButton;
}

bool TDazStringGrid::IsRadioButtonChecked(int ACol, int ARow)
{
    if (!HasRadioButton(ACol, ARow))
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellGraphic(b.X, b.Y)->CellBoolean;
}

bool TDazStringGrid::SetRadioButtonState(int ACol, int ARow, bool State)
{
    if (!HasRadioButton(ACol, ARow))
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic *g = GetCellGraphic(b.X, b.Y);
    if (g->CellBoolean != State) {
        g->CellBoolean = State;
        RepaintCell(DisplColIndex(ACol), ARow);
    }
    return true;
}

void TDazStringGrid::SetRadioButtonColumnIndex(int ACol, int Index)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetRadioButtonState(ACol, r, r == Index);
}

int TDazStringGrid::GetRadioButtonColumnIndex(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (IsRadioButtonChecked(ACol, r))
            return r;
    return -1;
}

bool TDazStringGrid::SelectRadioButtonCell(int ACol, int ARow, bool User)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRadioButton)
        return false;
    if (User && !FControlLook.CheckAlwaysActive() && !CheckCellEditable(ACol, ARow))
        return false;
    if (!g->CellBoolean) {
        g->CellBoolean = true;
        RepaintCell(DisplColIndex(ACol), ARow);
        for (int r = 0; r < RowCount(); ++r) {
            if (r == ARow)
                continue;
            TCellGraphic *other = GetCellGraphic(ACol, r);
            if (other && other->CellType == ctRadioButton && other->CellBoolean) {
                other->CellBoolean = false;
                RepaintCell(DisplColIndex(ACol), r);
            }
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Radio groups
// ---------------------------------------------------------------------------------------

void TDazStringGrid::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStringList *sl)
{
    CheckNewGraphic(ACol, ARow);
    TCellGraphic *g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctRadio;
    g->CellAngle = sl ? sl->Count() : 0;
    g->CellBoolean = DirRadio != 0;
    g->CellIndex = IdxRadio;
    g->CellBitmap = sl;
    g->CellCreated = false;
    RepaintRealCell(ACol, ARow);
}

TStringList *TDazStringGrid::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio)
{
    auto *sl = new TStringList;
    try {
        AddRadio(ACol, ARow, DirRadio, IdxRadio, sl);
    } catch (...) {
        delete sl;
        throw;
    }
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    g->CellCreated = true;
    g->CellAngle = 0;
    return sl;
}

bool TDazStringGrid::GetRadioIdx(int ACol, int ARow, int &IdxRadio)
{
    const TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    IdxRadio = g->CellIndex;
    return g->CellType == ctRadio;
}

bool TDazStringGrid::SetRadioIdx(int ACol, int ARow, int IdxRadio)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return false;
    g->CellIndex = IdxRadio;
    if (IdxRadio == -1)
        SetCells(ACol, ARow, QString());
    RepaintRealCell(ACol, ARow);
    return g->CellType == ctRadio;
}

TStringList *TDazStringGrid::GetRadioStrings(int ACol, int ARow)
{
    if (!IsRadio(ACol, ARow))
        return nullptr;
    const TPoint b = BaseCell(ACol, ARow);
    return dynamic_cast<TStringList *>(GetCellGraphic(b.X, b.Y)->CellBitmap);
}

bool TDazStringGrid::IsRadio(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellType(b.X, b.Y) == ctRadio;
}

void TDazStringGrid::RemoveRadio(int ACol, int ARow)
{
    RemoveCellGraphicOfType(ACol, ARow, ctRadio);
}

bool TDazStringGrid::StepRadioGroup(int ACol, int ARow, bool User)
{
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRadio)
        return false;
    if (User && !FControlLook.RadioAlwaysActive() && !CheckCellEditable(ACol, ARow))
        return false;
    const auto *items = dynamic_cast<const TStringList *>(g->CellBitmap);
    const int count = items ? items->Count() : 0;
    if (count == 0)
        return false;
    int next = g->CellIndex >= 0 ? g->CellIndex + 1 : items->IndexOf(Cells(ACol, ARow)) + 1;
    if (next >= count)
        next = 0;
    if (g->CellIndex >= -1)
        g->CellIndex = next;
    g->CellVar = next;
    SetCells(ACol, ARow, items->Strings(next));
    return false;
}

void TDazStringGrid::ClickRadioGroup(int ACol, int ARow, int X, int Y)
{
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic *g = GetCellGraphic(b.X, b.Y);
    if (!g || g->CellType != ctRadio)
        return;
    const int dc = DisplColIndex(b.X);
    if (!IsFixed(dc, b.Y))
        MoveColRow(dc, b.Y, true, true);
    const auto *items = dynamic_cast<const TStringList *>(g->CellBitmap);
    if (!items)
        return;
    const QFontMetrics fm(font());
    const int spacing = FControlLook.ControlStyle() >= csWinXP ? 16 : FControlLook.RadioSize();
    int hit = -1;
    int sum = 0;
    for (int i = 0; i < items->Count() && hit < 0; ++i) {
        const int prev = sum;
        if (g->CellBoolean)
            sum += fm.horizontalAdvance(items->Strings(i)) + spacing;
        else
            sum += std::max(spacing, fm.height());
        const int pos = g->CellBoolean ? X : Y;
        if (pos > prev && pos < sum)
            hit = i;
    }
    if (hit < 0)
        return;
    if (g->CellIndex != -1)
        g->CellIndex = hit;
    else
        SetCells(b.X, b.Y, items->Strings(hit));
    SetCells(b.X, b.Y, Cells(b.X, b.Y));
    SetRadioIdx(b.X, b.Y, hit);
    if (OnRadioClick)
        OnRadioClick(this, b.X, b.Y, hit);
}
