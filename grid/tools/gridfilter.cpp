#include "grid/tools/gridfilter.h"

#include "grid/base/filtercond.h"
#include "grid/base/textroutines.h"
#include "grid/string/dazstringgrid.h"
#include "grid/tools/filtermatcher.h"
#include "grid/tools/gridtoolstate.h"
#include "platform/rtl.h"

#include <typeinfo>
#include <vector>

namespace GridFilter {

namespace {

// The filter items of a grid made ready for many rows: each condition taken apart once,
// and whether cell texts can be read from the store as views.
class TRowFilter
{
public:
    explicit TRowFilter(TDazStringGrid &G)
        : FGrid(G), FStore(static_cast<const TStringGridBase &>(G).Store()),
          FDirect(typeid(G) == typeid(TDazStringGrid) && ShowsStoredTexts(G))
    {
        TFilter &filter = G.Filter();
        FItems.reserve(size_t(filter.Count()));
        for (int i = 0; i < filter.Count(); ++i) {
            const TFilterData &f = *filter.Items(i);
            FItems.push_back({&f, TFilterMatcher(f.Condition(), f.CaseSensitive())});
        }
    }

    bool Matches(int ARow, const TCustomFilterEvent &Custom)
    {
        bool result = true;
        for (const TItem &item : FItems) {
            const bool match = MatchItem(item, ARow);
            bool stop = false;
            switch (item.F->Operation()) {
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
            Custom(&FGrid, ARow, result);
        return result;
    }

private:
    struct TItem
    {
        const TFilterData *F;
        TFilterMatcher Matcher;
    };

    // The text the item tests; a view into the store or into FHold.
    QStringView FilterText(const TFilterData &F, int ARow)
    {
        const int c = F.Column();
        switch (F.Data()) {
        case fcNormal:
            return FStore.TextView(c, ARow);
        case fcStripHTML:
            FHold = FGrid.StrippedCells(c, ARow);
            return FHold;
        case fcRow:
            FHold.clear();
            for (int col = 0; col < FGrid.ColCount(); ++col) {
                FHold += FStore.TextView(col, ARow);
                FHold += QLatin1String("\r\n");
            }
            return FHold;
        case fcVirtual:
        case fcCalculated:   // the grid's calculated text is its cell text
        default:
            // A cell without a record shows its stored text when no hook rewrites it.
            if (FDirect && c >= 0 && (c >= FStore.ObjectExtent(ARow) || !FGrid.HasCellProperties(c, ARow)))
                return FStore.TextView(c, ARow);
            FHold = FGrid.GetCellEx(c, ARow);
            return FHold;
        }
    }

    bool MatchItem(const TItem &Item, int ARow)
    {
        const TFilterData &F = *Item.F;
        QStringView text = FilterText(F, ARow).trimmed();
        if (text.contains(QLatin1String("|\\"))) {
            FDecoded = DecodeWideCellText(text.toString());
            text = FDecoded;
        }
        if (F.Data() == fcRow)
            return UpperCase(text.toString()).contains(UpperCase(F.Condition()));
        if (!F.Prefix().isEmpty() && text.startsWith(F.Prefix()))
            text = text.mid(F.Prefix().size());
        if (!F.Suffix().isEmpty()) {
            const qsizetype p = text.indexOf(F.Suffix());
            if (p >= 0 && p + F.Suffix().size() == text.size())
                text.truncate(p);
        }
        if (F.Condition().isEmpty())
            return true;
        if (F.Method() == fmLiteral)
            return text == F.Condition();
        return Item.Matcher.Matches(text);
    }

    TDazStringGrid &FGrid;
    const TGridStore &FStore;
    const bool FDirect;
    std::vector<TItem> FItems;
    QString FHold, FDecoded;
};

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

bool MatchFilter(TDazStringGrid &Grid, int ARow)
{
    return TRowFilter(Grid).Matches(ARow, TGridToolState::Of(Grid).OnCustomFilter);
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
    TRowFilter filter(Grid);
    int tested = 0, progress = 0;
    // Every row is tested before any is hidden: the indexes do not shift meanwhile.
    for (int r = Grid.FixedRows(); r <= last; ++r) {
        if (normalOnly && (Grid.IsNode(r) || Grid.IsSummary(r)))
            continue;
        if (!filter.Matches(r, st.OnCustomFilter))
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
