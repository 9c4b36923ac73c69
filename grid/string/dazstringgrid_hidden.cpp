// TDazStringGrid: hidden columns and rows. The bookkeeping is the hidden column table and the
// hidden-row store (hiddenindex.h); this file connects them to the grid.
#include "grid/string/dazstringgrid.h"

namespace {

// The grid's columns as column hiding sees them (display indexes).
class TColumnsHost final : public THiddenColumnsHost
{
public:
    explicit TColumnsHost(TDazStringGrid &Grid) : G(Grid) {}
    int HostColCount() const override { return G.ColCount(); }
    void HostSetColCount(int Value) override { G.SetColCount(Value); }
    int HostColWidth(int ACol) const override { return G.ColWidths(ACol); }
    void HostSetColWidth(int ACol, int Value) override { G.SetColWidths(ACol, Value); }
    int HostCol() const override { return G.Col(); }
    void HostSetCol(int Value) override { G.SetCol(Value); }

private:
    TDazStringGrid &G;
};

}   // namespace

// The grid's rows as row hiding sees them: a row covers every real column, hidden ones
// included, and is copied raw (no display hooks, no merge redirection).
class TDazStringGrid::TRowsHost final : public THiddenRowsHost
{
public:
    explicit TRowsHost(TDazStringGrid &Grid) : G(Grid) {}
    int HostRowCount() const override { return G.RowCount(); }
    void HostSaveRow(int ARow, TGridItem &Item) override
    {
        Item.SetParked(G.TStringGridBase::TakeRow(ARow), G.AllColCount());
        Item.SetHeight(G.RowHeights(ARow));
    }
    // Rows are parked as the store holds them: no text copied, no list made.
    bool HostParksRows() const override { return true; }
    int HostParkedColumns() const override { return G.AllColCount(); }
    void HostUnparkRow(int ARow, TGridStore::TParkedRow &&Row, int Height) override
    {
        for (int c = 0; c < Row.ObjectCount(); ++c)
            if (TCellProperties *props = AsProps(Row.Object(c))) {
                props->SetOwnerRow(ARow);
                if (c == 0 && G.FRestoreExpanded)
                    ExpandNode(*props);
            }
        // Row hiding runs inside an update lock, whose end repaints the grid once.
        G.PutRow(ARow, std::move(Row), false);
        G.TBaseGrid::SetRowHeights(ARow, Height);
    }
    void HostRestoreRow(int ARow, TGridItem &Item) override
    {
        if (Item.IsParked()) {
            HostUnparkRow(ARow, Item.TakeParked(), Item.Height());
            return;
        }
        // One write for the whole row: restoring many rows cell by cell costs several
        // times more.
        const TStringList &cells = Item.Items();
        QStringList texts;
        texts.reserve(cells.Count());
        std::vector<TObject *> objects(size_t(cells.Count()));
        for (int c = 0; c < cells.Count(); ++c) {
            texts.append(cells.Strings(c));
            TObject *object = cells.Objects(c);
            objects[size_t(c)] = object;
            if (TCellProperties *props = AsProps(object)) {
                props->SetOwnerRow(ARow);
                if (c == 0 && G.FRestoreExpanded)
                    ExpandNode(*props);
            }
        }
        G.SetRowCells(ARow, texts, objects);
        G.TBaseGrid::SetRowHeights(ARow, Item.Height());
    }
    void HostRemoveRows(const std::vector<int> &Rows) override { G.RemoveRowList(Rows, false); }
    void HostTakeRows(const std::vector<int> &Rows, TGridStore::TParkedRow *Cells,
                      int *Heights) override
    {
        G.RemoveRowList(Rows, false, Cells, Heights);
    }
    void HostInsertRows(const std::vector<int> &Rows) override { G.InsertRowList(Rows); }

private:
    // A node graphic of the record shows expanded.
    static void ExpandNode(const TCellProperties &Props)
    {
        if (auto *g = dynamic_cast<TCellGraphic *>(Props.GraphicObject()); g && g->CellType == ctNode)
            g->CellBoolean = false;
    }
    // Records are almost always of exactly this class: skip the full cast then.
    static TCellProperties *AsProps(TObject *Object)
    {
        if (!Object)
            return nullptr;
        if (typeid(*Object) == typeid(TCellProperties))
            return static_cast<TCellProperties *>(Object);
        return dynamic_cast<TCellProperties *>(Object);
    }

    TDazStringGrid &G;
};

// Runs a row-store operation against this grid inside one update block.
template <class F>
void TDazStringGrid::WithRows(F Call)
{
    TRowsHost host(*this);
    BeginUpdate();
    Call(host);
    EndUpdate();
    // Controls of hidden rows go out of sight, those below move with their rows.
    CellControlsUpdate(false);
}

// ---------------------------------------------------------------------------------------
// Columns

void TDazStringGrid::HideColumns(int FromCol, int ToCol)
{
    HideInplaceEdit();
    TColumnsHost host(*this);
    FHiddenColumns.Hide(FromCol, ToCol, host);
    InvalidateGrid();
}

void TDazStringGrid::UnHideColumns(int FromCol, int ToCol)
{
    HideInplaceEdit();
    TColumnsHost host(*this);
    FHiddenColumns.UnHide(FromCol, ToCol, host);
    InvalidateGrid();
}

void TDazStringGrid::UnHideColumnsAll()
{
    UnHideColumns(0, ColCount() + NumHiddenColumns());
}

int TDazStringGrid::ColumnByHeader(const QString &AValue)
{
    for (int c = 0; c < TotalColCount(); ++c)
        if (AllCells(c, 0) == AValue)
            return c;
    return -1;
}

// ---------------------------------------------------------------------------------------
// Rows

void TDazStringGrid::HideRows(int FromRow, int ToRow)
{
    WithRows([&](TRowsHost &host) { FHiddenRows.HideRows(FromRow, ToRow, host); });
}

void TDazStringGrid::HideRowsEx(int FromRow, int ToRow)
{
    WithRows([&](TRowsHost &host) { FHiddenRows.HideRowsEx(FromRow, ToRow, host); });
}

void TDazStringGrid::HideRowList(const std::vector<int> &RowList)
{
    WithRows([&](TRowsHost &host) { FHiddenRows.HideRowList(RowList, host); });
}

void TDazStringGrid::HideRowList(const TIntList &RowList)
{
    std::vector<int> rows(size_t(RowList.Count()));
    for (int i = 0; i < RowList.Count(); ++i)
        rows[size_t(i)] = RowList.GetInteger(i);
    HideRowList(rows);
}

void TDazStringGrid::UnHideRow(int ARow)
{
    WithRows([&](TRowsHost &host) { FHiddenRows.UnHideRow(ARow, host); });
}

void TDazStringGrid::UnHideRows(int FromRow, int ToRow)
{
    WithRows([&](TRowsHost &host) { FHiddenRows.UnHideRows(FromRow, ToRow, host); });
}

void TDazStringGrid::UnHideRowsAll()
{
    WithRows([&](TRowsHost &host) { FHiddenRows.UnHideRowsAll(host); });
}

void TDazStringGrid::UnHideRowList()
{
    if (Row() >= RowCount())
        FocusCell(FixedCols(), FixedRows());
    WithRows([&](TRowsHost &host) { FHiddenRows.UnHideRowList(host); });
}

// Hides each normal row whose selection flag is Selected, in one pass.
void TDazStringGrid::HideSelectedOrNot(bool Selected)
{
    const bool persistent = FMouseActions.RowSelectPersistent();
    std::vector<int> reals;
    for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r) {
        const int real = RealRowIndex(r);
        if (RowSelect(persistent ? real : r) == Selected)
            reals.push_back(real);
    }
    WithRows([&](TRowsHost &host) { FHiddenRows.HideRowSet(reals, host); });
}
