#include "grid/tools/gridfilter.h"

#include "grid/base/filtercond.h"
#include "grid/base/textroutines.h"
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridtoolstate.h"
#include "platform/rtl.h"

#include <exception>
#include <vector>

namespace GridFilter {

namespace {

QString RowText(TDazStringGrid &G, int ARow)
{
    QString s;
    for (int c = 0; c < G.ColCount(); ++c) {
        s += G.GetGridCell(c, ARow);
        s += QLatin1String("\r\n");
    }
    return s;
}

QString FilterText(TDazStringGrid &G, const TFilterData &F, int ARow)
{
    switch (F.Data()) {
    case fcNormal:
        return G.GetGridCell(F.Column(), ARow);
    case fcStripHTML:
        return G.StrippedCells(F.Column(), ARow);
    case fcRow:
        return RowText(G, ARow);
    case fcVirtual:
    case fcCalculated:   // the grid's calculated text is its cell text
    default:
        return G.GetCellEx(F.Column(), ARow);
    }
}

bool MatchItem(TDazStringGrid &G, const TFilterData &F, int ARow)
{
    QString text = FilterText(G, F, ARow).trimmed();
    if (text.contains(QLatin1String("|\\")))
        text = DecodeWideCellText(text);
    if (F.Data() == fcRow)
        return UpperCase(text).contains(UpperCase(F.Condition()));
    if (!F.Prefix().isEmpty() && text.startsWith(F.Prefix()))
        text.remove(0, F.Prefix().size());
    if (!F.Suffix().isEmpty()) {
        const qsizetype p = text.indexOf(F.Suffix());
        if (p >= 0 && p + F.Suffix().size() == text.size())
            text.truncate(p);
    }
    if (F.Condition().isEmpty())
        return true;
    if (F.Method() == fmLiteral)
        return F.Condition() == text;
    try {
        return MatchFilterCondition(F.Condition(), text, F.CaseSensitive());
    } catch (const std::exception &) {
        return false;
    }
}

void AddNarrowItem(TDazStringGrid &G, const QString &ACondition, int AColumn)
{
    G.Filter().Clear();
    TFilterData *f = G.Filter().Add();
    f->SetCaseSensitive(false);
    f->SetColumn(AColumn);
    if (AColumn == -1) {
        f->SetData(fcRow);
        f->SetCondition(ACondition);
    } else {
        f->SetData(fcNormal);
        QString c = u'*' + ACondition + u'*';
        if (ACondition.contains(u' '))
            c = u'"' + c + u'"';
        f->SetCondition(c);
    }
    ApplyFilter(G);
}

}   // namespace

namespace {

bool MatchRow(TDazStringGrid &Grid, const TCustomFilterEvent &Custom, int ARow)
{
    bool result = true;
    TFilter &filter = Grid.Filter();
    for (int i = 0; i < filter.Count(); ++i) {
        const TFilterData &f = *filter.Items(i);
        const bool match = MatchItem(Grid, f, ARow);
        bool stop = false;
        switch (f.Operation()) {
        case foSHORT:
            result = match;
            stop = !match;
            break;
        case foNONE:
            result = match;
            break;
        case foAND:
            result = result && match;
            break;
        case foXOR:
            result = result != match;
            break;
        case foOR:
            result = result || match;
            break;
        }
        if (stop)
            break;
    }
    if (Custom)
        Custom(&Grid, ARow, result);
    return result;
}

}   // namespace

bool MatchFilter(TDazStringGrid &Grid, int ARow)
{
    return MatchRow(Grid, TGridToolState::Of(Grid).OnCustomFilter, ARow);
}

void FilterRow(TDazStringGrid &Grid, int ARow)
{
    if (!MatchFilter(Grid, ARow))
        Grid.HideRow(Grid.RealRowIndex(ARow));
}

void ApplyFilter(TDazStringGrid &Grid)
{
    TGridToolState &st = TGridToolState::Of(Grid);
    st.FilterFixedRows = Grid.FixedRows();
    const int last = Grid.RowCount() - Grid.FixedFooters() - 1;
    const int total = Grid.RowCount() - Grid.FixedFooters() - Grid.FixedRows();
    const bool normalOnly = Grid.FilterNormalCellsOnly();
    std::vector<int> failing;
    int tested = 0, progress = 0;
    // Every row is tested before any is hidden: the indexes do not shift meanwhile.
    for (int r = Grid.FixedRows(); r <= last; ++r) {
        if (normalOnly && (Grid.IsNode(r) || Grid.IsSummary(r)))
            continue;
        if (!MatchRow(Grid, st.OnCustomFilter, r))
            failing.push_back(r);
        ++tested;
        if (st.OnFilterProgress && total > 0) {
            progress = int(Round(tested * 100.0 / total));
            st.OnFilterProgress(&Grid, progress);
        }
    }
    // One repaint for the whole level.
    Grid.BeginUpdate();
    try {
        Grid.HideRowList(failing);
    } catch (...) {
        Grid.EndUpdate();
        throw;
    }
    Grid.EndUpdate();
    if (st.OnFilterProgress && total > 0)
        st.OnFilterProgress(&Grid, progress);
}

bool RemoveLastFilter(TDazStringGrid &Grid)
{
    const int level = Grid.HiddenRows().HideLevel();
    if (level <= 0)
        return false;
    Grid.UnHideRowList();
    Grid.SetFixedRows(TGridToolState::Of(Grid).FilterFixedRows);
    if (Grid.SelectionHidden())
        Grid.UnHideSelection();
    Grid.CalcFooter(-1);
    Grid.HiddenRows().SetHideLevel(level - 1);
    return level - 1 > 1;
}

void RemoveAllFilters(TDazStringGrid &Grid)
{
    if (Grid.HiddenRows().HideLevel() <= 0) {
        Grid.Filter().Clear();
        return;
    }
    while (Grid.HiddenRows().HideLevel() > 0)
        RemoveLastFilter(Grid);
}

void NarrowDown(TDazStringGrid &Grid, const QString &ACondition, int AColumn)
{
    TGridToolState &st = TGridToolState::Of(Grid);
    Grid.SetFixedRowAlways(true);
    const QString &last = st.LastFilter;
    if (ACondition.size() == last.size() + 1 && !last.isEmpty() && ACondition.startsWith(last)) {
        AddNarrowItem(Grid, ACondition, AColumn);
    } else if (last.size() == ACondition.size() + 1 && !ACondition.isEmpty() &&
               last.startsWith(ACondition)) {
        RemoveLastFilter(Grid);
    } else {
        RemoveAllFilters(Grid);
        if (!ACondition.isEmpty())
            AddNarrowItem(Grid, ACondition, AColumn);
    }
    st.LastFilter = ACondition;
}

bool FilterActive(TDazStringGrid &Grid)
{
    return TGridToolState::Of(Grid).FilterActive;
}

void SetFilterActive(TDazStringGrid &Grid, bool Value)
{
    TGridToolState &st = TGridToolState::Of(Grid);
    if (Value != st.FilterActive) {
        st.FilterActive = Value;
        if (Value) {
            if (Grid.Row() >= Grid.RowCount() || Grid.Col() >= Grid.ColCount())
                Grid.FocusCell(Grid.FixedCols(), Grid.FixedRows());
            Grid.BeginUpdate();
            try {
                ApplyFilter(Grid);
            } catch (...) {
                Grid.EndUpdate();
                throw;
            }
            Grid.EndUpdate();
        } else {
            Grid.UnHideRowList();
            Grid.SetFixedRows(st.FilterFixedRows);
            if (Grid.SelectionHidden())
                Grid.UnHideSelection();
        }
        Grid.SetTopRow(Grid.FixedRows());
    }
    Grid.CalcFooter(-1);
}

}   // namespace GridFilter
