#include "grid/tools/gridgroup.h"

#include "grid/string/dazstringgrid.h"
#include "grid/string/searchpanel.h"
#include "grid/tools/gridcalc.h"
#include "grid/tools/gridtoolstate.h"

namespace GridGroup {

namespace {

// The previous value the scan starts with, so the first data row opens a group.
const QString Sentinel = QString(QChar(0xFF)) + QChar(0xFE);

void RowColors(TDazStringGrid &G, int ARow, TColor Color, TColor ColorTo, TColor TextColor)
{
    if (Color != clNone)
        G.SetRowColor(ARow, Color);
    if (ColorTo != clNone)
        G.SetRowColorTo(ARow, ColorTo);
    if (TextColor != clNone)
        G.SetRowFontColor(ARow, TextColor);
}

void CellColors(TDazStringGrid &G, int ACol, int ARow, TColor Color, TColor ColorTo,
                TColor TextColor)
{
    if (Color != clNone)
        G.SetColors(ACol, ARow, Color);
    if (ColorTo != clNone)
        G.SetColorsTo(ACol, ARow, ColorTo);
    if (TextColor != clNone)
        G.SetFontColors(ACol, ARow, TextColor);
}

void HeaderRowColors(TDazStringGrid &G, int ARow)
{
    const TGrouping &g = G.Grouping();
    RowColors(G, ARow, g.HeaderColor(), g.HeaderColorTo(), g.HeaderTextColor());
}

void SummaryRowColors(TDazStringGrid &G, int ARow)
{
    const TGrouping &g = G.Grouping();
    RowColors(G, ARow, g.SummaryColor(), g.SummaryColorTo(), g.SummaryTextColor());
}

// Cells FromCol..last merged into one that takes the header (summary) colours.
void MergeRow(TDazStringGrid &G, int FromCol, int ARow, bool Header)
{
    if (G.ColCount() - FromCol < 1)
        return;
    G.MergeCells(FromCol, ARow, G.ColCount() - FromCol, 1);
    const TGrouping &g = G.Grouping();
    if (Header)
        CellColors(G, FromCol, ARow, g.HeaderColor(), g.HeaderColorTo(), g.HeaderTextColor());
    else
        CellColors(G, FromCol, ARow, g.SummaryColor(), g.SummaryColorTo(), g.SummaryTextColor());
}

void InsertSummary(TDazStringGrid &G, int ARow)
{
    G.InsertRows(ARow, 1);
    G.SetSummaryRow(ARow);
    if (!G.Grouping().MergeSummary())
        SummaryRowColors(G, ARow);
}

// Removes a header or summary row made by Group, its merge first.
void DeleteMadeRow(TDazStringGrid &G, int ARow, bool Merged)
{
    if (Merged && G.IsMergedCell(1, ARow))
        G.SplitCells(1, ARow);
    G.FreeCellPropertiesRange(0, ARow, G.AllColCount() - 1, ARow);
    G.RemoveRows(ARow, 1);
}

bool IsData(TDazStringGrid &G, int ARow)
{
    return !G.IsNode(ARow) && !G.IsSummary(ARow);
}

// A sub-header row looks like a group header: merged from ACol, or the row colours.
void FormatSubHeader(TDazStringGrid &G, int ACol, int ARow)
{
    if (G.Grouping().MergeHeader())
        MergeRow(G, ACol, ARow, true);
    else
        HeaderRowColors(G, ARow);
}

void RecordSubGroup(TDazStringGrid &G, int ARow, int Colindex)
{
    if (TCellGraphic *g = G.GetCellGraphic(0, ARow))
        g->CellVar = Colindex;
}

bool IsSubGroupNode(TDazStringGrid &G, int ARow, int Colindex)
{
    const TCellGraphic *g = G.GetCellGraphic(0, ARow);
    return g && G.IsNode(ARow) && g->CellVar.isValid() && g->CellVar.toInt() == Colindex;
}

}   // namespace

void Group(TDazStringGrid &Grid, int Colindex)
{
    // 1.
    if (Colindex < Grid.FixedCols() || Colindex <= 0 || Colindex >= Grid.ColCount())
        return;
    if (Grid.GroupColumn() != -1)
        UnGroup(Grid);
    if (Grid.RowCount() <= Grid.FixedRows())
        return;
    TGridToolState &st = TGridToolState::Of(Grid);
    const TGrouping &grouping = Grid.Grouping();
    const bool summary = grouping.Summary();
    // 2.
    Grid.BeginUpdate();
    try {
        Grid.SetGroupColumn(Colindex);
        st.GroupWidth = Grid.ColWidths(Colindex);
        st.GroupCaption = Grid.FixedRows() > 0 ? Grid.GetGridCell(Colindex, 0) : QString();
        st.GroupFooter = Grid.FixedFooters() > 0
                             ? Grid.GetGridCell(Colindex, Grid.RowCount() - 1)
                             : QString();
        // 3.
        if (Grid.SortSettings().AutoSortForGrouping()) {
            Grid.SortSettings().SetColumn(Colindex);
            Grid.QSort();
        }
        // 4. The column of the header texts once Colindex has left the grid.
        const int h = Colindex == 1 ? 2 : 1;
        // 5.
        QString prev = Sentinel;
        int hdr = -1, r = Grid.FixedRows();
        while (r <= Grid.RowCount() - Grid.FixedFooters() - 1) {
            const QString v = Grid.GetGridCell(Colindex, r);
            if (v != prev) {
                if (hdr != -1) {
                    if (hdr > Grid.FixedRows() && summary) {
                        // The summary of the group before the open one.
                        InsertSummary(Grid, hdr);
                        ++hdr;
                        Grid.AddNode(hdr, r - hdr + 1);
                        ++r;
                    } else {
                        Grid.AddNode(hdr, r - hdr);
                    }
                }
                Grid.InsertRows(r, 1);
                Grid.SetGridCell(h, r, v);
                if (!grouping.MergeHeader())
                    HeaderRowColors(Grid, r);
                hdr = r;
                ++r;
            }
            if (r < Grid.RowCount() - 1)
                prev = Grid.GetGridCell(Colindex, r);
            ++r;
        }
        // 6.
        if (hdr == -1) {
            Grid.AddNode(Grid.FixedRows(), r - 1);
        } else {
            if (hdr > Grid.FixedRows() && summary) {
                InsertSummary(Grid, hdr);
                ++hdr;
                ++r;
            }
            Grid.AddNode(hdr, r - hdr);
            if (!grouping.MergeHeader())
                HeaderRowColors(Grid, hdr);
        }
        // 7.
        if (summary)
            InsertSummary(Grid, r);
        // 8.
        Grid.RemoveCols(Colindex, 1);
        // 9.
        if (grouping.MergeHeader() || (grouping.MergeSummary() && summary)) {
            for (int b = Grid.FixedRows(); b < Grid.RowCount(); ++b) {
                if (grouping.MergeHeader() && Grid.IsNode(b))
                    MergeRow(Grid, 1, b, true);
                else if (grouping.MergeSummary() && summary &&
                         (b == Grid.RowCount() - 1 || Grid.IsNode(b + 1)) && !Grid.IsNode(b))
                    MergeRow(Grid, 1, b, false);
            }
        }
        // 10.
        if (Grid.CellNode().ExpandOne())
            for (int b = Grid.FixedRows(); b < Grid.RowCount(); ++b)
                if (Grid.IsNode(b)) {
                    Grid.ExpandNode(Grid.RealRowIndex(b));
                    break;
                }
        // 11.
        if (Grid.Col() >= Grid.ColCount() || Grid.Row() >= Grid.RowCount())
            Grid.FocusCell(Grid.FixedCols(), Grid.FixedRows());
        Grid.SetRow(Grid.FixedRows());
    } catch (...) {
        Grid.EndUpdate();
        throw;
    }
    // 12.
    Grid.EndUpdate();
    if (Grid.SearchFooter().Visible())
        if (TSearchPanel *p = Grid.SearchPanel()) {
            p->resize(p->width() + 1, p->height());
            p->resize(p->width() - 1, p->height());
        }
}

void UnGroup(TDazStringGrid &Grid)
{
    const int gc = Grid.GroupColumn();
    if (gc <= 0)
        return;
    TGridToolState &st = TGridToolState::Of(Grid);
    const TGrouping &grouping = Grid.Grouping();
    const bool summary = grouping.Summary();
    TCellNode &node = Grid.CellNode();
    const bool expandOne = node.ExpandOne();
    node.SetExpandOne(false);
    Grid.BeginUpdate();
    try {
        Grid.ExpandAll();
        Grid.InsertCols(gc, 1);
        Grid.SetColWidths(gc, st.GroupWidth);
        if (Grid.FixedRows() > 0)
            Grid.SetGridCell(gc, 0, st.GroupCaption);
        if (Grid.FixedFooters() > 0)
            Grid.SetGridCell(gc, Grid.RowCount() - 1, st.GroupFooter);
        const int h = gc == 1 ? 2 : 1;
        QString t;
        for (int r = Grid.FixedRows(); r <= Grid.RowCount() - Grid.FixedFooters() - 1;) {
            if (!Grid.IsNode(r)) {
                Grid.SetGridCell(gc, r, t);
                ++r;
                continue;
            }
            if (summary) {
                const int s = r + Grid.GetNodeSpan(r);
                if (s < Grid.RowCount() && Grid.IsSummary(s))
                    DeleteMadeRow(Grid, s, grouping.MergeSummary());
            }
            t = Grid.GetGridCell(h, r);
            Grid.RemoveNode(Grid.RealRowIndex(r));
            DeleteMadeRow(Grid, r, grouping.MergeHeader());
        }
        Grid.SetGroupColumn(-1);
    } catch (...) {
        node.SetExpandOne(expandOne);
        Grid.EndUpdate();
        throw;
    }
    node.SetExpandOne(expandOne);
    Grid.EndUpdate();
    Grid.Invalidate();
}

void SetGroupColumn(TDazStringGrid &Grid, int Value)
{
    if (Value == -1)
        UnGroup(Grid);
    else if (Value > 0)
        Group(Grid, Value);
}

void SubGroup(TDazStringGrid &Grid, int Colindex)
{
    if (Colindex < Grid.FixedCols() || Colindex + 1 >= Grid.ColCount())
        return;
    const TGrouping &grouping = Grid.Grouping();
    Grid.BeginUpdate();
    try {
        const int h = Colindex + 1;
        QString prev = Sentinel;
        int hdr = -1, r = Grid.FixedRows() + 1;
        while (r < Grid.RowCount() - Grid.FixedFooters()) {
            const QString v = Grid.GetCellEx(Colindex, r);
            if (v != prev || !IsData(Grid, r)) {
                if (hdr != -1 && IsData(Grid, hdr)) {
                    Grid.AddNode(Grid.RealRowIndex(hdr), r - hdr);
                    RecordSubGroup(Grid, hdr, Colindex);
                }
                if (IsData(Grid, r)) {
                    Grid.InsertChildRow(Grid.RealRowIndex(r), 0);
                    Grid.SetGridCell(h, r, v);
                    FormatSubHeader(Grid, h, r);
                }
                hdr = r;
                ++r;
            }
            if (r < Grid.RowCount() && IsData(Grid, r - 1)) {
                prev = Grid.GetCellEx(Colindex, r);
                Grid.SetGridCell(Colindex, r, QString());
                ++r;
            } else {
                prev = Sentinel;
            }
        }
        if (hdr == -1 || !Grid.IsSummary(hdr)) {
            if (hdr == -1) {
                Grid.InsertChildRow(Grid.RealRowIndex(r), 0);
                Grid.AddNode(Grid.RealRowIndex(r), 2);
                RecordSubGroup(Grid, r, Colindex);
                Grid.SetGridCell(h, r, Grid.GetGridCell(Colindex, r + 1));
                Grid.SetGridCell(Colindex, r + 1, QString());
                ++r;
            } else if (IsData(Grid, hdr)) {
                Grid.AddNode(Grid.RealRowIndex(hdr), r - hdr);
                RecordSubGroup(Grid, hdr, Colindex);
                FormatSubHeader(Grid, h, hdr);
            }
            if (grouping.Summary()) {
                Grid.InsertRows(r, 1);
                Grid.SetSummaryRow(r);
                if (grouping.MergeSummary())
                    MergeRow(Grid, h, r, false);
                else
                    SummaryRowColors(Grid, r);
            }
        }
        Grid.SetRow(Grid.FixedRows());
    } catch (...) {
        Grid.EndUpdate();
        throw;
    }
    Grid.EndUpdate();
}

void SubUnGroup(TDazStringGrid &Grid, int Colindex)
{
    Grid.BeginUpdate();
    try {
        Grid.ExpandAll();
        QString t;
        for (int r = Grid.FixedRows(); r <= Grid.RowCount() - Grid.FixedFooters() - 1;) {
            if (IsSubGroupNode(Grid, r, Colindex)) {
                t = Grid.GetCellEx(Colindex + 1, r);
                Grid.RemoveNode(Grid.RealRowIndex(r));
                if (Grid.IsMergedCell(Colindex + 1, r))
                    Grid.SplitCells(Colindex + 1, r);
                Grid.FreeCellPropertiesRange(0, r, Grid.AllColCount() - 1, r);
                Grid.RemoveChildRow(Grid.RealRowIndex(r));
                continue;
            }
            if (IsData(Grid, r))
                Grid.SetGridCell(Colindex, r, t);
            ++r;
        }
    } catch (...) {
        Grid.EndUpdate();
        throw;
    }
    Grid.EndUpdate();
}

void GroupCalc(TDazStringGrid &Grid, int ACol, int Method)
{
    const bool summary = Grid.Grouping().Summary();
    for (int r = Grid.FixedRows(); r < Grid.RowCount();) {
        if (!Grid.IsNode(r) || Grid.GetNodeState(r)) {
            ++r;
            continue;
        }
        const int span = Grid.GetNodeSpan(r);
        const int target = summary ? r + span : r;
        const int from = r + 1, to = r + span - 1;
        switch (Method) {
        case 1: Grid.SetFloats(ACol, target, GridCalc::ColumnSum(Grid, ACol, from, to)); break;
        case 2: Grid.SetFloats(ACol, target, GridCalc::ColumnAvg(Grid, ACol, from, to)); break;
        case 3: Grid.SetFloats(ACol, target, GridCalc::ColumnMin(Grid, ACol, from, to)); break;
        case 4: Grid.SetFloats(ACol, target, GridCalc::ColumnMax(Grid, ACol, from, to)); break;
        case 5: Grid.SetInts(ACol, target, span - 1); break;
        case 6: Grid.SetFloats(ACol, target, GridCalc::DoGroupCalc(Grid, ACol, from, to)); break;
        case 7: Grid.SetFloats(ACol, target, GridCalc::ColumnDistinct(Grid, ACol, from, to)); break;
        case 8: Grid.SetFloats(ACol, target, GridCalc::ColumnStdDev(Grid, ACol, from, to)); break;
        default: break;
        }
        r += std::max(1, span);
    }
}

namespace {

void FooterCalc(TDazStringGrid &G, int ACol, int Method, TColumnCalcType Kind)
{
    GroupCalc(G, ACol, Method);
    if (G.FloatingFooter().Visible())
        G.FloatingFooter().SetColumnCalc(ACol, Kind);
}

}   // namespace

void GroupSum(TDazStringGrid &Grid, int ACol) { FooterCalc(Grid, ACol, 1, acSUM); }
void GroupAvg(TDazStringGrid &Grid, int ACol) { FooterCalc(Grid, ACol, 2, acAVG); }
void GroupMin(TDazStringGrid &Grid, int ACol) { FooterCalc(Grid, ACol, 3, acMIN); }
void GroupMax(TDazStringGrid &Grid, int ACol) { FooterCalc(Grid, ACol, 4, acMAX); }
void GroupCount(TDazStringGrid &Grid, int ACol) { FooterCalc(Grid, ACol, 5, acCOUNT); }
void GroupCustomCalc(TDazStringGrid &Grid, int ACol) { GroupCalc(Grid, ACol, 6); }
void GroupDistinct(TDazStringGrid &Grid, int ACol) { GroupCalc(Grid, ACol, 7); }
void GroupStdDev(TDazStringGrid &Grid, int ACol) { GroupCalc(Grid, ACol, 8); }

}   // namespace GridGroup
