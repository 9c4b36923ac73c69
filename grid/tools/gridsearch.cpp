#include "grid/tools/gridsearch.h"

#include "grid/base/filtercond.h"
#include "grid/base/markup.h"
#include "grid/string/dazstringgrid.h"
#include "grid/string/searchpanel.h"
#include "grid/tools/gridtoolstate.h"

#include <QLocale>
#include <algorithm>
#include <vector>

namespace GridSearch {

namespace {

constexpr TPoint NoCell{-1, -1};

bool Has(TFindParams Params, TFindParameters Flag)
{
    return (Params & Flag) != 0;
}

// The inclusive rectangle a find walks, in the coordinates of its scan (real columns with
// fnIncludeHiddenColumns, real rows with fnIncludeHiddenRows).
struct TScanRange
{
    int C0, C1, R0, R1;
};

// Clears FindBusy however the find ends.
struct TBusy
{
    TGridToolState &S;
    explicit TBusy(TGridToolState &State) : S(State) { S.FindBusy = true; }
    ~TBusy() { S.FindBusy = false; }
};

// The cell test of one find: the search text, its options and what the grid lets a read
// skip, settled once for all the cells the find examines.
class TCellMatcher
{
public:
    TCellMatcher(TDazStringGrid &Grid, const QString &Text, TFindParams Params)
        : G(Grid),
          P(Params),
          Store(static_cast<const TStringGridBase &>(Grid).Store()),
          PlainDisplay(ShowsStoredTexts(Grid)),
          HiddenRows(Has(Params, fnIncludeHiddenRows) && Grid.NumHiddenRows() > 0)
    {
        const bool matchCase = Has(P, fnMatchCase);
        Search = matchCase ? Text : Locale.toUpper(Text);
        EmptyOnly = Text == QLatin1String("\"\"");
        // An ASCII cell compared without regard to case equals its upper-cased form compared
        // with an ASCII search text, unless the locale upper-cases ASCII letters otherwise.
        AsciiNoCase = !matchCase && QtPrivate::isAscii(QStringView(Search)) &&
                      Locale.toUpper(QStringLiteral("i")) == QLatin1String("I");
        Direct = !Has(P, fnMatchRegular) && !Has(P, fnIgnoreHTMLTags);
    }

    const QString &SearchText() const { return Search; }

    // A scan down a column visits one stored row per cell: asking for the rows ahead
    // hides most of the memory latency.
    void Prefetch(int ARow) const { Store.Prefetch(ARow, 0); }

    // ACol and ARow in the scan's coordinates; RealCol is ACol as a real column.
    bool Match(int RealCol, int ARow)
    {
        if (!HiddenRows || !G.HiddenRowItem(ARow)) {
            const int row = HiddenRows ? G.DisplRowIndex(ARow) : ARow;
            if (Direct && PlainDisplay && (!G.HasCellProps() || !Store.Object(RealCol, row)))
                return MatchText(Store.TextView(RealCol, row));
            return MatchText(G.GetCellEx(RealCol, row));
        }
        return MatchText(G.AllCells(RealCol, ARow));
    }

private:
    bool MatchText(QStringView Cell)
    {
        if (Direct && Has(P, fnMatchCase))
            return Compare(Cell, Qt::CaseSensitive);
        if (Direct && AsciiNoCase && QtPrivate::isAscii(Cell))
            return CompareAscii(Cell);
        QString text = Cell.toString();
        if (Has(P, fnIgnoreHTMLTags) && text.contains(u'<'))
            text = HtmlToPlainText(text);
        if (!Has(P, fnMatchCase))
            text = Locale.toUpper(text);
        if (Has(P, fnMatchRegular) && !EmptyOnly)
            return MatchFilterCondition(Search, text, Has(P, fnMatchCase));
        return Compare(text, Qt::CaseSensitive);
    }

    bool Compare(QStringView Text, Qt::CaseSensitivity Cs) const
    {
        if (EmptyOnly)
            return Text.isEmpty();
        if (Search.isEmpty())
            return false;
        if (Has(P, fnMatchFull))
            return Text.compare(Search, Cs) == 0;
        return Has(P, fnMatchStart) ? Text.startsWith(Search, Cs) : Text.contains(Search, Cs);
    }

    static char16_t UpperAscii(char16_t C) { return C >= u'a' && C <= u'z' ? C - 32 : C; }

    // Compare for an ASCII cell against the upper-cased ASCII search text: a plain loop
    // beats the library's case-insensitive search, which folds every character through
    // the Unicode tables.
    bool CompareAscii(QStringView Text) const
    {
        if (EmptyOnly)
            return Text.isEmpty();
        const qsizetype n = Text.size(), m = Search.size();
        if (m == 0 || m > n || (Has(P, fnMatchFull) && m != n))
            return false;
        const char16_t *t = reinterpret_cast<const char16_t *>(Text.data());
        const char16_t *s = reinterpret_cast<const char16_t *>(Search.constData());
        const qsizetype last = Has(P, fnMatchStart) || Has(P, fnMatchFull) ? 0 : n - m;
        for (qsizetype i = 0; i <= last; ++i) {
            if (UpperAscii(t[i]) != s[0])
                continue;
            qsizetype k = 1;
            while (k < m && UpperAscii(t[i + k]) == s[k])
                ++k;
            if (k == m)
                return true;
        }
        return false;
    }

    TDazStringGrid &G;
    const TFindParams P;
    const TGridStore &Store;
    const QLocale Locale;
    const bool PlainDisplay;
    const bool HiddenRows;
    QString Search;
    bool EmptyOnly = false;
    bool AsciiNoCase = false;
    bool Direct = false;   // the comparison needs the text only, not a changed copy
};

// The rectangle of the find before the current- and preset-line restrictions; false when
// the grid has no normal column or no row.
bool BaseRange(TDazStringGrid &G, TFindParams P, TScanRange &R)
{
    if (G.ColCount() == 0 || G.ColCount() == G.FixedCols())
        return false;
    if (G.RowCount() == 0 || G.RowCount() + G.NumHiddenRows() == G.FixedRows())
        return false;
    if (Has(P, fnIncludeFixed))
        R = {0, G.ColCount() - 1, 0, G.RowCount() - 1};
    else
        R = {G.FixedCols(), G.ColCount() - G.FixedRightCols() - 1, G.FixedRows(),
             G.RowCount() - G.FixedFooters() - 1};
    if (Has(P, fnSelectedCells)) {
        const TGridRect s = G.Selection();
        R = {s.Left, s.Right, s.Top, s.Bottom};
    }
    if (Has(P, fnIncludeHiddenColumns))
        R.C1 += G.NumHiddenColumns();
    if (Has(P, fnIncludeHiddenRows))
        R.R1 += G.NumHiddenRows();
    return R.C0 <= R.C1 && R.R0 <= R.R1;
}

// The current cell in the scan's coordinates.
int CurrentCol(TDazStringGrid &G, TFindParams P)
{
    return Has(P, fnIncludeHiddenColumns) ? G.RealColIndex(G.Col()) : G.Col();
}

int CurrentRow(TDazStringGrid &G, TFindParams P)
{
    return Has(P, fnIncludeHiddenRows) ? G.RealRowIndex(G.Row()) : G.Row();
}

// Expands the collapsed nodes that keep a real row hidden.
void RevealRow(TDazStringGrid &G, int RealRow)
{
    while (G.IsHiddenRow(RealRow)) {
        bool expanded = false;
        for (int r = G.FixedRows(); r < G.RowCount() && !expanded; ++r) {
            if (!G.IsNode(r) || !G.GetNodeState(r))
                continue;
            const int node = G.RealRowIndex(r);
            if (RealRow > node && RealRow < node + G.GetNodeSpan(r)) {
                G.ExpandNode(node);
                expanded = true;
            }
        }
        if (!expanded)
            return;
    }
}

void GotoHit(TDazStringGrid &G, TFindParams P, TPoint Hit)
{
    int row = Hit.Y;
    if (Has(P, fnIncludeHiddenRows) && G.NumHiddenRows() > 0) {
        if (G.IsHiddenRow(row) && G.HasNodes())
            RevealRow(G, row);
        row = G.DisplRowIndex(row);
    }
    const int col = Has(P, fnIncludeHiddenColumns) ? G.DisplColIndex(Hit.X) : Hit.X;
    if (row < 0 || col < 0)
        return;
    if (G.MouseActions().DisjunctRowSelect()) {
        G.ClearRowSelect();
        G.SetRowSelect(row, true);
        G.SetRow(row);
    } else {
        G.FocusCell(col, row);
    }
}

TPoint DoFind(TDazStringGrid &G, TPoint StartCell, const QString &s, TFindParams P)
{
    TGridToolState &st = TGridToolState::Of(G);
    const TBusy busy(st);
    st.FindParams = P;
    TCellMatcher matcher(G, s, P);
    st.SearchCache = matcher.SearchText();

    TScanRange R;
    if (!BaseRange(G, P, R))
        return NoCell;
    const bool rowByRow = Has(P, fnDirectionLeftRight);
    const bool backward = Has(P, fnBackward);
    // A start cell off the restricted line starts on it; one on it steps on, so a repeated
    // find (Replace) moves on to the next line instead of examining the same cell again.
    bool stepCol = true, stepRow = true;
    auto restrict = [&](int &Lo, int &Hi, int Line, int &Start, bool &Step) {
        Lo = Hi = Line;
        Step = Start == Line || Start < 0;
        Start = Line;
    };
    int x = StartCell.X, y = StartCell.Y;
    const bool fromStart = StartCell == NoCell;
    if (Has(P, fnFindInCurrentRow))
        restrict(R.R0, R.R1, CurrentRow(G, P), y, stepRow);
    if (Has(P, fnFindInPresetRow))
        restrict(R.R0, R.R1, st.FindRow, y, stepRow);
    if (Has(P, fnFindInCurrentCol))
        restrict(R.C0, R.C1, CurrentCol(G, P), x, stepCol);
    if (Has(P, fnFindInPresetCol))
        restrict(R.C0, R.C1, st.FindCol, x, stepCol);

    if (fromStart) {
        x = backward ? R.C1 : R.C0;
        y = backward ? R.R1 : R.R0;
    } else if (stepCol && stepRow) {
        // One step in the scan's inner direction; past the end of the range nothing is left.
        int &inner = rowByRow ? x : y;
        int &outer = rowByRow ? y : x;
        const int innerLo = rowByRow ? R.C0 : R.R0, innerHi = rowByRow ? R.C1 : R.R1;
        const int outerLo = rowByRow ? R.R0 : R.C0, outerHi = rowByRow ? R.R1 : R.C1;
        if (!backward) {
            if (inner < innerHi) {
                ++inner;
            } else {
                inner = innerLo;
                ++outer;
            }
            if (outer > outerHi)
                return NoCell;
            outer = std::max(outer, outerLo);
        } else {
            if (inner > innerLo) {
                --inner;
            } else {
                inner = innerHi;
                --outer;
            }
            if (outer < outerLo)
                return NoCell;
            outer = std::min(outer, outerHi);
        }
    }
    if (x < R.C0 || x > R.C1 || y < R.R0 || y > R.R1)
        return NoCell;

    // Real columns and ignored flags of the range's columns, looked up once.
    std::vector<int> realCol(size_t(R.C1 - R.C0 + 1));
    std::vector<char> ignored(realCol.size());
    const bool anyIgnored = G.IgnoreColumns().Count() > 0;
    for (int c = R.C0; c <= R.C1; ++c) {
        const int rc = Has(P, fnIncludeHiddenColumns) ? c : G.RealColIndex(c);
        realCol[size_t(c - R.C0)] = rc;
        ignored[size_t(c - R.C0)] = anyIgnored && G.IsIgnoredColumn(rc);
    }

    const int d = backward ? -1 : 1;
    auto examine = [&](int c, int r) {
        G.ExportNotification(esExportNewRow, r);
        const size_t i = size_t(c - R.C0);
        return !ignored[i] && matcher.Match(realCol[i], r);
    };
    TPoint hit = NoCell;
    if (rowByRow) {
        for (int r = y; r >= R.R0 && r <= R.R1 && hit == NoCell; r += d) {
            for (int c = r == y ? x : (backward ? R.C1 : R.C0); c >= R.C0 && c <= R.C1; c += d)
                if (examine(c, r)) {
                    hit = {c, r};
                    break;
                }
        }
    } else {
        for (int c = x; c >= R.C0 && c <= R.C1 && hit == NoCell; c += d) {
            for (int r = c == x ? y : (backward ? R.R1 : R.R0); r >= R.R0 && r <= R.R1; r += d) {
                matcher.Prefetch(r + 16 * d);
                if (examine(c, r)) {
                    hit = {c, r};
                    break;
                }
            }
        }
    }
    if (hit == NoCell)
        return NoCell;
    st.SearchCell = hit;
    if (Has(P, fnAutoGoto))
        GotoHit(G, P, hit);
    return hit;
}

TPoint FindNotified(TDazStringGrid &G, TPoint StartCell, const QString &s, TFindParams P)
{
    G.ExportNotification(esExportStart, -1);
    const TPoint hit = DoFind(G, StartCell, s, P);
    G.ExportNotification(hit == NoCell ? esExportDone : esExportFail, -1);
    return hit;
}

// The search bar's options common to typing and the find buttons.
TFindParams FooterParams(TDazStringGrid &G, TSearchPanel &Panel)
{
    const TSearchFooter &f = G.SearchFooter();
    TFindParams p = fnAutoGoto;
    if (Panel.HighLightButton()->Down())
        p |= fnIgnoreHTMLTags;
    if (Panel.MatchCase()->Checked())
        p |= fnMatchCase;
    if (f.SearchActiveColumnOnly())
        p |= fnFindInCurrentCol;
    if (f.SearchMatchStart())
        p |= fnMatchStart;
    if (f.SearchColumn() >= 0 && f.SearchColumn() < G.ColCount()) {
        p |= fnFindInPresetCol;
        SetFindCol(G, f.SearchColumn());
    }
    return p;
}

void Highlight(TDazStringGrid &G, const QString &Text, bool DoCase)
{
    const int col = G.SearchFooter().SearchColumn();
    if (col >= 0)
        G.HilightInCol(false, DoCase, col, Text);
    else
        G.HilightInGrid(false, DoCase, Text);
}

void UnHighlight(TDazStringGrid &G)
{
    const int col = G.SearchFooter().SearchColumn();
    if (col >= 0)
        G.UnHilightInCol(false, col);
    else
        G.UnHilightInGrid(false);
}

// The footer's view rule: keeps the current row clear of the floating footer.
void KeepRowAboveFooter(TDazStringGrid &G, int Extra, int Step)
{
    if (G.Row() > G.TopRow() + G.VisibleRowCount() - 2 - Extra &&
        G.VisibleRowCount() + G.FixedRows() + Extra < G.RowCount())
        G.SetTopRow(G.TopRow() + Step);
}

void FooterFind(TDazStringGrid &G, bool Next)
{
    TSearchPanel &panel = *G.SearchPanel();
    TSearchFooter &f = G.SearchFooter();
    TGridToolState &st = TGridToolState::Of(G);
    const QString text = panel.EditControl()->text();
    if (!f.AutoSearch()) {
        if (text != f.LastSearch())
            st.SearchCell = NoCell;
        f.SetLastSearch(text);
    }
    TFindParams p = FooterParams(G, panel);
    if (!Next)
        p |= fnBackward;
    else if (f.SearchDirection() == sdLeftRight)
        p |= fnDirectionLeftRight;
    const TPoint hit = Find(G, st.SearchCell, text, p);
    st.SearchCell = hit;
    const int extra = G.FloatingFooter().Visible() ? 1 : 0;
    if (!Next)
        KeepRowAboveFooter(G, extra, 2);
    if (hit != NoCell)
        G.ScrollInView(G.Col(), G.Row());
    if (Next)
        KeepRowAboveFooter(G, extra, 2);
    G.DoSearchFooterAction(text, hit.X, hit.Y, Next ? saFindNext : saFindPrevious);
    panel.update();
}

// The column of the key search: the first normal one when the grid is not sorted by a
// header click, the first index column of an indexed sort, else the sort column.
int KeySearchColumn(TDazStringGrid &G)
{
    const TSortSettings &s = G.SortSettings();
    if (!s.Show())
        return G.FixedCols();
    if (s.IndexShow())
        return G.SortIndexes().Count() > 0 ? G.SortIndexes().GetSortColumns(0) : G.FixedCols();
    return s.Column();
}

}   // namespace

TPoint Find(TDazStringGrid &Grid, TPoint StartCell, const QString &s, TFindParams FindParams)
{
    const TPoint hit = FindNotified(Grid, StartCell, s, FindParams);
    if (hit != NoCell && Has(FindParams, fnAutoGoto))
        KeepRowAboveFooter(Grid, Grid.FloatingFooter().Visible() ? 2 : 0,
                           Grid.FloatingFooter().Visible() ? 3 : 1);
    return hit;
}

TPoint FindWide(TDazStringGrid &Grid, TPoint StartCell, const QString &s, TFindParams FindParams)
{
    return FindNotified(Grid, StartCell, s, FindParams);
}

TPoint FindFirst(TDazStringGrid &Grid, const QString &s, TFindParams FindParams)
{
    const TPoint hit = Find(Grid, NoCell, s, FindParams);
    TGridToolState::Of(Grid).SearchCell = hit;
    return hit;
}

TPoint FindNext(TDazStringGrid &Grid)
{
    TGridToolState &st = TGridToolState::Of(Grid);
    // The cache is upper-cased already unless the case counts, which Find repeats harmlessly.
    const TPoint hit = Find(Grid, st.SearchCell, st.SearchCache, st.FindParams);
    st.SearchCell = hit;
    return hit;
}

int Replace(TDazStringGrid &Grid, const QString &OrigStr, const QString &NewStr,
            TFindParams FindParams)
{
    const Qt::CaseSensitivity cs =
        Has(FindParams, fnMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    int count = 0;
    TPoint hit = NoCell;
    while ((hit = Find(Grid, hit, OrigStr, FindParams)) != NoCell) {
        const int col = Has(FindParams, fnIncludeHiddenColumns) ? hit.X : Grid.RealColIndex(hit.X);
        const bool realRow = Has(FindParams, fnIncludeHiddenRows);
        QString text = realRow ? Grid.AllCells(col, hit.Y) : Grid.GetCellEx(col, hit.Y);
        text.replace(OrigStr, NewStr, cs);
        if (realRow)
            Grid.SetAllCells(col, hit.Y, text);
        else
            Grid.SetCellEx(col, hit.Y, text);
        if (Grid.ShowModified().Enabled()) {
            const int row = realRow ? Grid.DisplRowIndex(hit.Y) : hit.Y;
            if (row >= 0 && !Grid.IsHiddenRow(realRow ? hit.Y : Grid.RealRowIndex(hit.Y)))
                Grid.SetRowModified(row, true);
        }
        ++count;
    }
    return count;
}

int Search(TDazStringGrid &Grid, const QString &s)
{
    if (Grid.RowCount() < 2)
        return -1;
    const int col = KeySearchColumn(Grid);
    if (col < 0)
        return -1;
    const QLocale locale;
    for (int r = Grid.FixedRows(); r < Grid.RowCount(); ++r)
        if (locale.toUpper(Grid.StrippedCells(col, r).left(s.size())) == s)
            return r;
    return -1;
}

TPoint SearchCell(TDazStringGrid &Grid)
{
    return TGridToolState::Of(Grid).SearchCell;
}

void SetSearchCell(TDazStringGrid &Grid, TPoint Value)
{
    TGridToolState::Of(Grid).SearchCell = Value;
}

TFindParams FindParams(TDazStringGrid &Grid)
{
    return TGridToolState::Of(Grid).FindParams;
}

bool FindBusy(TDazStringGrid &Grid)
{
    return TGridToolState::Of(Grid).FindBusy;
}

int FindCol(TDazStringGrid &Grid)
{
    return TGridToolState::Of(Grid).FindCol;
}

void SetFindCol(TDazStringGrid &Grid, int Value)
{
    TGridToolState::Of(Grid).FindCol = Value;
}

int FindRow(TDazStringGrid &Grid)
{
    return TGridToolState::Of(Grid).FindRow;
}

void SetFindRow(TDazStringGrid &Grid, int Value)
{
    TGridToolState::Of(Grid).FindRow = Value;
}

void SearchFooterEditChange(TDazStringGrid &Grid)
{
    TSearchPanel &panel = *Grid.SearchPanel();
    const TSearchFooter &f = Grid.SearchFooter();
    const QString text = panel.EditControl()->text();
    bool defaultSearch = true;
    if (Grid.OnSearchEditChange)
        Grid.OnSearchEditChange(&Grid, text, defaultSearch);
    if (!defaultSearch || !f.AutoSearch())
        return;
    TFindParams p = FooterParams(Grid, panel);
    if (f.SearchFixedCells())
        p |= fnIncludeFixed;
    if (f.SearchHiddenRows())
        p |= fnIncludeHiddenRows;
    if (f.SearchDirection() == sdLeftRight)
        p |= fnDirectionLeftRight;
    TGridToolState &st = TGridToolState::Of(Grid);
    st.FindParams = p;
    const bool highlight = panel.HighLightButton()->Down() || f.AlwaysHighLight();
    if (highlight)
        UnHighlight(Grid);
    if (text.isEmpty()) {
        panel.SetEditColor(clWindow);
        return;
    }
    const TPoint hit = Find(Grid, NoCell, text, p);
    st.SearchCell = hit;
    Grid.DoSearchFooterAction(text, hit.X, hit.Y, saFindFirst);
    if (hit == NoCell) {
        panel.SetEditColor(clRed);
        return;
    }
    panel.SetEditColor(clWindow);
    Grid.ScrollInView(Grid.Col(), Grid.Row());
    if (highlight)
        Highlight(Grid, text, panel.MatchCase()->Checked());
}

void SearchFooterFindNext(TDazStringGrid &Grid)
{
    FooterFind(Grid, true);
}

void SearchFooterFindPrevious(TDazStringGrid &Grid)
{
    FooterFind(Grid, false);
}

void SearchFooterHighlight(TDazStringGrid &Grid)
{
    TSearchPanel &panel = *Grid.SearchPanel();
    if (panel.HighLightButton()->Down())
        Highlight(Grid, panel.EditControl()->text(), panel.MatchCase()->Checked());
    else
        UnHighlight(Grid);
}

void SearchFooterClose(TDazStringGrid &Grid)
{
    if (Grid.OnSearchFooterClose)
        Grid.OnSearchFooterClose(&Grid);
    Grid.SearchFooter().SetVisible(false);
}

}   // namespace GridSearch
