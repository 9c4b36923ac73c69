// TDazStringGrid: node rows. A node is a ctNode graphic in column 0 of the row that heads a
// group; collapsing hides the group's rows in the hidden-row store, expanding brings back
// every hidden row between the node and the next shown row. The depth of each row is the
// NodeLevel of its column-0 record.
#include "grid/string/dazstringgrid.h"

#include <QScopeGuard>
#include <QStyle>
#include <climits>
#include <cstdint>

// ---------------------------------------------------------------------------------------
// Helpers
// ---------------------------------------------------------------------------------------

TCellGraphic *TDazStringGrid::NodeGraphic(int ARow)
{
    if (ARow < 0 || ARow >= RowCount())
        return nullptr;
    TCellGraphic *g = GetCellGraphic(0, ARow);
    return g && g->CellType == ctNode ? g : nullptr;
}

void TDazStringGrid::ChangeRowLevel(int ARow, int Delta)
{
    if (ARow < 0 || ARow >= RowCount())
        return;
    if (Delta < 0 && !HasCellProperties(0, ARow))
        return;
    TCellProperties *p = GetCellProperties(0, ARow);
    p->SetNodeLevel(std::max(0, p->NodeLevel() + Delta));
}

// The display row after the last row of a node at ARow: ARow + Span, or for a span of 0
// the next node row below it (RowCount when there is none).
int TDazStringGrid::NodeEnd(int ARow, int Span)
{
    if (Span > 0)
        return int(std::min<int64_t>(int64_t(ARow) + Span, INT_MAX));
    int r = ARow + 1;
    while (r < RowCount() && !IsNode(r))
        ++r;
    return r;
}

namespace {

// The node graphic of display row ARow as the store holds it (the own graphic of the
// row's column-0 record): what NodeGraphic answers while column 0 shows no row check boxes.
TCellGraphic *StoredNode(const TGridStore &Store, int ARow)
{
    TObject *o = Store.Object(0, ARow);
    if (!o)
        return nullptr;
    // Records and graphics are almost always of exactly these classes: skip the full cast.
    const auto *p = typeid(*o) == typeid(TCellProperties) ? static_cast<TCellProperties *>(o)
                                                           : dynamic_cast<TCellProperties *>(o);
    TObject *graphic = p ? p->GraphicObject() : nullptr;
    if (!graphic)
        return nullptr;
    auto *g = typeid(*graphic) == typeid(TCellGraphic) ? static_cast<TCellGraphic *>(graphic)
                                                        : dynamic_cast<TCellGraphic *>(graphic);
    return g && g->CellType == ctNode ? g : nullptr;
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Making and removing nodes
// ---------------------------------------------------------------------------------------

void TDazStringGrid::AddNode(int ARow, int Span)
{
    if (ARow < 0 || IsHiddenRow(ARow))
        return;
    const int n = DisplRowIndex(ARow);
    if (n >= RowCount())
        return;
    TCellGraphic *g = CreateCellGraphic(0, n);
    g->CellType = ctNode;
    g->CellBoolean = false;
    g->CellIndex = Span;
    g->CellErrFrom = 0;
    g->CellAngle = n;
    g->CellHAlign = haBeforeText;
    g->CellVAlign = vaCenter;
    g->CellVar = -1;
    const int last = int(std::min<int64_t>(RowCount(), int64_t(n) + std::max(0, Span)));
    for (int r = n; r < last; ++r)
        ChangeRowLevel(r, 1);
    if (FNodeCount == 0)
        InvalidateCol(0);
    ++FNodeCount;
    if (Col() == 0 && ColCount() > 1)
        SetCol(1);
}

void TDazStringGrid::SetSummaryRow(int ARow)
{
    if (ARow < 0 || IsHiddenRow(ARow))
        return;
    const int n = DisplRowIndex(ARow);
    if (n >= RowCount())
        return;
    CreateCellGraphic(0, n)->CellType = ctSummary;
    RepaintCell(0, n);
}

void TDazStringGrid::RemoveNode(int ARow)
{
    if (ARow < 0 || IsHiddenRow(ARow))
        return;
    const int n = DisplRowIndex(ARow);
    if (!NodeGraphic(n))
        return;
    DoExpandNode(ARow);
    const int last = std::min(RowCount(), n + std::max(0, NodeGraphic(n)->CellIndex));
    for (int r = n; r < last; ++r)
        ChangeRowLevel(r, -1);
    RemoveCellGraphic(0, n);
    FNodeCount = std::max(0, FNodeCount - 1);
}

void TDazStringGrid::RemoveAllNodes()
{
    for (int r = 0; r < RowCount(); ++r) {
        if (!NodeGraphic(r))
            continue;
        DoExpandNode(RealRowIndex(r));
        const int last = std::min(RowCount(), r + std::max(0, NodeGraphic(r)->CellIndex));
        for (int i = r; i < last; ++i)
            ChangeRowLevel(i, -1);
        RemoveCellGraphic(0, r);
        FNodeCount = std::max(0, FNodeCount - 1);
    }
    Invalidate();
}

// ---------------------------------------------------------------------------------------
// Queries
// ---------------------------------------------------------------------------------------

bool TDazStringGrid::IsNode(int ARow)
{
    return ARow >= 0 && GetCellType(0, ARow) == ctNode;
}

bool TDazStringGrid::IsSummary(int ARow)
{
    return ARow >= 0 && GetCellType(0, ARow) == ctSummary;
}

bool TDazStringGrid::GetNodeState(int ARow)
{
    const TCellGraphic *g = NodeGraphic(ARow);
    return g && g->CellBoolean;
}

void TDazStringGrid::SetNodeState(int ARow, bool Value)
{
    if (!NodeGraphic(ARow) || GetNodeState(ARow) == Value)
        return;
    if (Value)
        ContractNode(RealRowIndex(ARow));
    else
        ExpandNode(RealRowIndex(ARow));
}

int TDazStringGrid::GetNodeLevel(int ARow)
{
    if (!NodeGraphic(ARow))
        return -1;
    const TCellProperties *p = PropsOf(0, ARow);
    return p ? p->NodeLevel() : 0;
}

int TDazStringGrid::GetNodeSpan(int ARow)
{
    const TCellGraphic *g = NodeGraphic(ARow);
    return g ? g->CellIndex : -1;
}

void TDazStringGrid::SetNodeSpan(int ARow, int Span)
{
    if (TCellGraphic *g = NodeGraphic(ARow))
        g->CellIndex = Span;
}

void TDazStringGrid::UpdateNodeSpan(int ARow, int Delta)
{
    if (TCellGraphic *g = NodeGraphic(ARow))
        g->CellIndex += Delta;
}

int TDazStringGrid::GetSubNodeCount(int ARow)
{
    const TCellGraphic *g = NodeGraphic(ARow);
    return g ? g->CellErrFrom : 0;
}

void TDazStringGrid::UpdateSubNodeCount(int ARow, int Delta)
{
    if (TCellGraphic *g = NodeGraphic(ARow))
        g->CellErrFrom += Delta;
}

int TDazStringGrid::GetRowIndent(int ARow)
{
    if (ARow < 0 || !HasNodes() || !HasCellProperties(0, ARow))
        return 0;
    return PropsOf(0, ARow)->NodeLevel() * FCellNode.NodeIndent();
}

bool TDazStringGrid::HasNodes()
{
    return FNodeCount > 0;
}

int TDazStringGrid::GetNodeSpanType(int ARow)
{
    if (IsNode(ARow))
        return 0;
    if (ARow >= RowCount() - FFixedFooters - 1)
        return 1;
    const TCellProperties *next = PropsOf(0, ARow + 1);
    const TCellProperties *own = PropsOf(0, ARow);
    const int level = own ? own->NodeLevel() : 0;
    return next && next->NodeLevel() >= level ? 2 : 1;
}

int TDazStringGrid::GetParentRow(int ARow)
{
    if (!HasNodes())
        return -1;
    int level = 65535;
    int result = -1;
    if (IsNode(ARow)) {
        level = GetNodeLevel(ARow);
        result = ARow;
    }
    int hidden = 0;
    for (int r = std::min(ARow, RowCount() - 1); r >= FixedRows(); --r) {
        if (!IsNode(r) || GetNodeLevel(r) >= level)
            continue;
        const int span = GetNodeSpan(r);
        if (GetNodeState(r))
            hidden += span - 1;
        if (ARow < r + span - hidden)
            return r;
    }
    return result;
}

bool TDazStringGrid::IsOnNodeButton(int ARow, int X)
{
    if (!FMouseActions.PreciseNodeClick())
        return true;
    const int level = GetNodeLevel(ARow);
    const int indent = FCellNode.NodeIndent();
    int reach = 0, left = 0;
    switch (FCellNode.NodeType()) {
    case cnFlat:
        reach = 4;
        left = 4;
        break;
    case cn3D:
        reach = 6;
        left = 0;
        break;
    case cnGlyph: {
        const bool glyph = !FCellNode.ExpandGlyph().Empty();
        reach = glyph ? FCellNode.ExpandGlyph().Width() / 2 : 0;
        left = glyph ? 2 : 0;
        break;
    }
    case cnLeaf:
        reach = 8;
        left = 2;
        break;
    case cnXP:
        reach = 4;
        left = 4;
        break;
    }
    if (layoutDirection() != Qt::RightToLeft)
        return (level - 1) * indent + left < X && X < level * indent + reach;
    const int bar = VisibleRowCount() < RowCount() - FixedRows()
                        ? style()->pixelMetric(QStyle::PM_ScrollBarExtent)
                        : 0;
    const int w = width();
    return w - level * indent - reach - 2 <= X + bar && X + bar < w - (level - 1) * indent;
}

// ---------------------------------------------------------------------------------------
// Expanding and contracting
// ---------------------------------------------------------------------------------------

void TDazStringGrid::ExpandNode(int ARow)
{
    if (FCellNode.ExpandOne())
        ContractOtherNodes(ARow);
    DoExpandNode(ARow);
}

void TDazStringGrid::ContractOtherNodes(int Keep)
{
    HideInplaceEdit();
    // The scan reads node graphics straight from the store, as ExpandAll does.
    const bool plain = !FMouseActions.HotmailRowSelect();
    const TGridStore &store = TStringGridBase::Store();
    auto node = [&](int r) {
        if (!plain)
            return NodeGraphic(r);
        store.Prefetch(r + 16, 0);
        store.Prefetch(r + 8, 1);
        return StoredNode(store, r);
    };
    std::vector<int> rows;
    int r = FixedRows();
    while (r < RowCount()) {
        TCellGraphic *g = node(r);
        const int real = RealRowIndex(r);
        if (!g || g->CellBoolean || real == Keep) {
            ++r;
            continue;
        }
        g->CellBoolean = true;
        // The group's rows: its span counts real rows (a collapsed group inside keeps its
        // rows hidden and shows expanded when this one is expanded again); span 0 reaches
        // the next node row.
        const int64_t realEnd = g->CellIndex > 0 ? int64_t(real) + g->CellIndex : -1;
        const int end = g->CellIndex > 0 ? RowCount() : NodeEnd(r, 0);
        int i = r + 1;
        for (; i < end && (realEnd < 0 || RealRowIndex(i) < realEnd); ++i) {
            if (TCellGraphic *nested = node(i); nested && nested->CellBoolean) {
                nested->CellBoolean = false;
                if (QWidget *c = CellControls(1, i + 1))
                    c->hide();
            }
            rows.push_back(i);
        }
        r = i;
    }
    if (rows.empty())
        return;
    FForceSel = true;
    const auto clear = qScopeGuard([this] { FForceSel = false; });
    HideRowList(rows);
    CalcFooter(-1);
}

void TDazStringGrid::DoExpandNode(int ARow)
{
    // A node inside a collapsed group has no display row of its own.
    if (ARow < 0 || IsHiddenRow(ARow))
        return;
    const int n = DisplRowIndex(ARow);
    TCellGraphic *g = NodeGraphic(n);
    if (!g || !g->CellBoolean)
        return;
    g->CellBoolean = false;
    const int end = g->CellIndex > 0 ? n + 1 : NodeEnd(n, 0);

    const int oldTop = TopRow();
    const int oldRow = Row();
    const bool disjunct = FMouseActions.DisjunctRowSelectDirect();
    FMouseActions.SetDisjunctRowSelectDirect(false);
    const bool rowSelect = Options().Contains(goRowSelect);
    if (rowSelect)
        SetOptions(Options() - goRowSelect);
    const bool update = FCellControlCount == 0;
    if (update)
        BeginUpdate();
    auto restore = [&] {
        FMouseActions.SetDisjunctRowSelectDirect(disjunct);
        if (update)
            EndUpdate();
    };
    try {
        // Every hidden row between the node and the next shown row comes back.
        const int to = (end < RowCount() ? RealRowIndex(end) : AllRowCount()) - 1;
        if (to > ARow)
            UnHideRows(ARow + 1, to);
        if (rowSelect) {
            SetOptions(Options() + goRowSelect);
            if (oldRow < RowCount())
                SetRow(oldRow);
            SetTopRow(oldTop);
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
    CalcFooter(-1);
}

void TDazStringGrid::ContractNode(int ARow)
{
    HideInplaceEdit();
    FForceSel = true;
    const auto clear = qScopeGuard([this] { FForceSel = false; });
    if (ARow < 0 || IsHiddenRow(ARow))
        return;
    const int n = DisplRowIndex(ARow);
    TCellGraphic *g = NodeGraphic(n);
    if (!g || g->CellBoolean)
        return;
    g->CellBoolean = true;
    const int first = n + 1;
    int end = std::min(NodeEnd(n, g->CellIndex), RowCount());
    int r = first;
    while (r < end) {
        TCellGraphic *nested = NodeGraphic(r);
        if (nested && nested->CellBoolean) {
            // A collapsed group inside: it is hidden with its parent and shows expanded
            // when the parent is expanded again.
            nested->CellBoolean = false;
            if (QWidget *c = CellControls(1, r + 1))
                c->hide();
            const int span = nested->CellIndex;
            HideRows(RealRowIndex(first), RealRowIndex(r));
            end = std::min(end - (r - first) - span, RowCount());
            r = first;
            continue;
        }
        ++r;
    }
    if (r > first)
        HideRows(RealRowIndex(first), RealRowIndex(r - 1));
    FForceSel = false;
    CalcFooter(-1);
}

void TDazStringGrid::ExpandAll()
{
    BeginUpdate();
    try {
        // Scans over every row read the node graphic straight from the store; row check
        // boxes in column 0 hide nodes, so with them each row goes through NodeGraphic.
        const bool plain = !FMouseActions.HotmailRowSelect();
        const TGridStore &store = TStringGridBase::Store();
        auto node = [&](int r) { return plain ? StoredNode(store, r) : NodeGraphic(r); };
        // When every hidden row lies under a collapsed node, all of them come back in one
        // pass; otherwise node by node.
        std::vector<TCellGraphic *> collapsed;
        int64_t covered = 0;
        for (int r = FixedRows(); r < RowCount(); ++r) {
            if (plain) {
                // Each row's record lies apart on the heap: ask for them a few rows ahead.
                store.Prefetch(r + 16, 0);
                store.Prefetch(r + 8, 1);
            }
            TCellGraphic *g = node(r);
            if (!g || !g->CellBoolean)
                continue;
            collapsed.push_back(g);
            const int next = r + 1 < RowCount() ? RealRowIndex(r + 1) : AllRowCount();
            covered += next - RealRowIndex(r) - 1;
        }
        const bool oneGo = covered == NumHiddenRows();
        if (oneGo) {
            for (TCellGraphic *g : collapsed)
                g->CellBoolean = false;
            // Nodes on the rows that come back show expanded: cleared as each row is
            // restored, which spares a second pass over every row.
            FRestoreExpanded = plain;
            const auto clear = qScopeGuard([this] { FRestoreExpanded = false; });
            if (covered > 0)
                UnHideRowsAll();
        } else {
            for (int real = FixedRows(); real < AllRowCount(); ++real) {
                if (IsHiddenRow(real))
                    continue;
                if (NodeGraphic(DisplRowIndex(real)))
                    DoExpandNode(real);
            }
        }
        // Rows that came back node by node may hold nodes still marked collapsed.
        if (!oneGo)
            for (int r = FixedRows(); r < RowCount(); ++r)
                if (TCellGraphic *g = node(r))
                    g->CellBoolean = false;
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    CalcFooter(-1);
}

void TDazStringGrid::ContractAll()
{
    BeginUpdate();
    try {
        ExpandAll();
        std::vector<int> rows;
        int r = FixedRows();
        while (r < RowCount()) {
            TCellGraphic *g = NodeGraphic(r);
            if (!g) {
                ++r;
                continue;
            }
            g->CellBoolean = true;
            const int end = std::min(NodeEnd(r, g->CellIndex), RowCount());
            for (int i = r + 1; i < end; ++i)
                rows.push_back(i);
            r = std::max(end, r + 1);
        }
        if (!rows.empty())
            HideRowList(rows);
        CellControlsUpdate(false);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    CalcFooter(-1);
}

// ---------------------------------------------------------------------------------------
// Rows inside groups
// ---------------------------------------------------------------------------------------

void TDazStringGrid::InsertChildRow(int ARow, int InsertAt)
{
    // A place above the row inserts nothing (and leaves the spans alone).
    if (ARow < 0 || InsertAt < 0 || IsHiddenRow(ARow))
        return;
    const int c = DisplRowIndex(ARow);
    if (c >= RowCount())
        return;
    const int parent = GetParentRow(c);
    int level = 1;
    int childLevel = 1;
    if (parent >= 0) {
        UpdateNodeSpan(parent, 1);
        UpdateSubNodeCount(parent, 1);
        DoExpandNode(RealRowIndex(parent));
        level = GetNodeLevel(parent);
        childLevel = level;
        int last = parent;
        while (level > 1) {
            const int a = GetParentRow(last);
            if (a < 0 || a == last || a < FixedRows())
                break;
            if (GetNodeLevel(a) >= level)
                break;
            UpdateNodeSpan(a, 1);
            UpdateSubNodeCount(parent, 1);
            DoExpandNode(RealRowIndex(a));
            level = GetNodeLevel(a);
            last = a;
        }
    }
    int at;
    if (IsNode(c) && InsertAt == 0) {
        at = c + 1;
        InsertRows(at, 1, true);
        // The node's content moves into the new row; column 0 keeps the node.
        for (int col = 0; col < AllColCount(); ++col) {
            SetGridCell(col, at, GetGridCell(col, c));
            SetGridCell(col, c, QString());
            if (col == 0)
                continue;
            SetGridObject(col, at, GetGridObject(col, c));
            if (auto *p = dynamic_cast<TCellProperties *>(GetGridObject(col, at)))
                p->SetOwnerRow(at);
            SetGridObject(col, c, nullptr);
        }
        InvalidateRow(c);
        InvalidateRow(at);
    } else {
        at = int(std::min<int64_t>(int64_t(c) + InsertAt, RowCount()));
        InsertRows(at, 1, true);
    }
    // The new row is as deep as the rows of its direct parent group.
    if (parent >= 0)
        GetCellProperties(0, at)->SetNodeLevel(childLevel);
}

void TDazStringGrid::RemoveChildRow(int ARow)
{
    if (ARow < 0 || IsHiddenRow(ARow))
        return;
    const int c = DisplRowIndex(ARow);
    if (c >= RowCount())
        return;
    // A collapsed node's rows would stay hidden with no node left to bring them back.
    DoExpandNode(ARow);
    int p = GetParentRow(c);
    if (p >= 0 && p != c) {
        const int level = GetNodeLevel(p);
        if (GetNodeSpan(p) > 1) {
            UpdateNodeSpan(p, -1);
            UpdateSubNodeCount(p, -1);
        }
        for (;;) {
            DoExpandNode(RealRowIndex(p));
            if (GetNodeLevel(p) <= 1)
                break;
            const int a = GetParentRow(p);
            if (a < 0 || a == p || GetNodeLevel(a) >= level)
                break;
            p = a;
            if (GetNodeSpan(p) > 1) {
                UpdateNodeSpan(p, -1);
                UpdateSubNodeCount(p, -1);
            }
        }
    }
    // The expansions may have brought rows back above the child; find it again.
    const int row = DisplRowIndex(ARow);
    if (IsNode(row))
        FNodeCount = std::max(0, FNodeCount - 1);
    RemoveRows(row, 1);
}

void TDazStringGrid::InsertNormalRow(int ARow)
{
    if (ARow < 0 || ARow > AllRowCount())
        return;
    // The hidden rows after it move down with the insertion.
    InsertRows(DisplRowIndex(ARow), 1, true);
}

void TDazStringGrid::RemoveNormalRow(int ARow)
{
    RemoveRows(ARow, 1);
}

// ---------------------------------------------------------------------------------------
// Press and keys
// ---------------------------------------------------------------------------------------

bool TDazStringGrid::ClickOnNode(int ACol, int ARow, int X, int Y, TShiftState Shift)
{
    if (ACol != 0 || ARow < 0)
        return false;
    if (!IsNode(ARow) || !IsOnNodeButton(ARow, X)) {
        // Column 0 of a grid with nodes carries the glyphs: a press there only reports.
        if (ARow < FixedRows() || !HasNodes() || FMouseActions.RowSelect() ||
            Options().Contains(goRowSizing))
            return false;
        if (OnMouseDown)
            OnMouseDown(this, mbLeft, Shift, X, Y);
        if (OnClickCell)
            OnClickCell(this, ARow, ACol);
        return true;
    }
    if (ARow < FixedRows()) {
        if (!FMouseActions.NodeAllExpandContract())
            return false;
        TCellGraphic *g = NodeGraphic(ARow);
        if (g->CellBoolean)
            ExpandAll();
        else
            ContractAll();
        g->CellBoolean = !g->CellBoolean;
        return false;
    }
    if (OnMouseDown)
        OnMouseDown(this, mbLeft, Shift, X, Y);
    if (OnClickCell)
        OnClickCell(this, ARow, ACol);
    const int real = RealRowIndex(ARow);
    bool allow = true;
    if (GetNodeState(ARow)) {
        if (OnBeforeExpandNode)
            OnBeforeExpandNode(this, ARow, real, allow);
        if (allow) {
            ExpandNode(real);
            if (OnExpandNode)
                OnExpandNode(this, ARow, real);
        }
    } else {
        if (OnBeforeContractNode)
            OnBeforeContractNode(this, ARow, real, allow);
        if (allow) {
            ContractNode(real);
            if (OnContractNode)
                OnContractNode(this, ARow, real);
        }
    }
    if (FMouseActions.MoveRowOnNodeClick() && ARow < RowCount())
        SetRow(ARow);
    return true;
}

void TDazStringGrid::NodeKey(uint16_t Key)
{
    if (!IsNode(Row()) || !IsMergedCell(RealCol(), Row()))
        return;
    if (Key == VK_RIGHT)
        ExpandNode(RealRowIndex(Row()));
    else if (Key == VK_LEFT)
        ContractNode(RealRowIndex(Row()));
}
