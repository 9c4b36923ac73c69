#include "grid/tools/gridsort.h"

#include "grid/base/textroutines.h"
#include "grid/string/dazstringgrid.h"
#include "grid/string/searchpanel.h"
#include "grid/tools/sorttexts.h"

#include <algorithm>
#include <typeinfo>
#include <vector>

namespace GridSort {

namespace {

int g_lastDepth = 0;

int Sign(int v)
{
    return (v > 0) - (v < 0);
}

// The grid's cell store (the string grid's own Store is another member).
const TGridStore &StoreOf(const TStringGridBase &Grid)
{
    return Grid.Store();
}

bool IsCheckBoxType(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox;
}

void UnSortByCycles(TDazStringGrid &G, std::vector<int> &U);

// CompareCells with what a sort reads once: the settings, the separators and whether the
// store's texts are what the display hooks would give.
class TCellComparer
{
public:
    explicit TCellComparer(TDazStringGrid &Grid)
        : G(Grid),
          Settings(Grid.SortSettings()),
          Virtual(Settings.SortOnVirtualCells()),
          Rules(TSortTextRules::Current(Settings.IgnoreCase())),
          PlainDisplay(!Grid.OnGetDisplText && !Grid.OnGetDisplWideText &&
                       !Grid.URLShowInText() && !Grid.Grouping().ShowGroupCount())
    {
    }

    int Compare(int ACol, int ARow1, int ARow2, TSortDirection Direction)
    {
        // 1.
        TSortStyle style = Settings.AutoFormat()
                               ? ssAutomatic
                               : (Settings.IgnoreCase() ? ssAlphaNoCase : ssAlphabetic);
        Rules.Prefix.clear();
        Rules.Suffix.clear();
        G.GetColFormat(ACol, style, Rules.Prefix, Rules.Suffix);
        // 2.
        const bool direct1 = Direct(ACol, ARow1), direct2 = Direct(ACol, ARow2);
        QString hold1, hold2;
        const QStringView t1 = Text(ACol, ARow1, direct1, hold1);
        const QStringView t2 = Text(ACol, ARow2, direct2, hold2);
        Rules.StableTexts = direct1 && direct2;
        // 3.1.
        if (style == ssAutomatic && IsCheckBoxType(G.GetCellType(ACol, ARow1)))
            style = ssCheckBox;
        // 4, 5.
        int result = 1;
        bool blank1 = t1.isEmpty(), blank2 = t2.isEmpty();
        switch (style) {
        case ssHTML: {
            const QString s1 = G.StrippedCells(ACol, ARow1), s2 = G.StrippedCells(ACol, ARow2);
            result = Sign(QStringView(s1).compare(s2));
            blank1 = s1.isEmpty();
            blank2 = s2.isEmpty();
            break;
        }
        case ssImages: {
            const intptr_t k1 = G.GetCellImageKey(ACol, ARow1), k2 = G.GetCellImageKey(ACol, ARow2);
            result = k1 > k2 ? 1 : (k1 == k2 ? 0 : -1);
            break;
        }
        case ssCheckBox: {
            bool s1 = false, s2 = false;
            G.GetCheckBoxState(ACol, ARow1, s1);
            G.GetCheckBoxState(ACol, ARow2, s2);
            result = int(s1) - int(s2);
            break;
        }
        case ssCustom:
            result = 0;
            if (G.OnCustomCompare)
                G.OnCustomCompare(&G, t1.toString(), t2.toString(), result);
            break;
        case ssRaw:
            result = 0;
            if (G.OnRawCompare)
                G.OnRawCompare(&G, ACol, ARow1, ARow2, result);
            break;
        default: {
            TSortTextInfo info;
            // The store's text and the displayed one agree on emptiness when the store
            // is read directly.
            const int empty1 = direct1 ? -1 : int(G.GetCellEx(ACol, ARow1).isEmpty());
            const int empty2 = direct2 ? -1 : int(G.GetCellEx(ACol, ARow2).isEmpty());
            result = CompareSortTexts(style, t1, t2, Rules, &info, empty1, empty2);
            blank1 = info.Blank1;
            blank2 = info.Blank2;
            break;
        }
        }
        // 7.
        if (Settings.IgnoreBlanks() && blank1 != blank2 &&
            (Direction == sdAscending || Direction == sdDescending)) {
            const bool first = Settings.BlankPos() == blFirst;
            const bool ascending = Direction == sdAscending;
            // Ascending with blFirst: the empty cell orders before.
            const int emptyFirst = (first == ascending) ? -1 : 1;
            result = blank1 ? emptyFirst : -emptyFirst;
        }
        return result;
    }

    TDazStringGrid &G;
    TSortSettings &Settings;
    TSortTextRules &TextRules() { return Rules; }

private:
    // The cell's displayed text equals the stored one (no display hook, no merge record).
    bool Direct(int ACol, int ARow) const
    {
        return PlainDisplay && (!G.HasCellProps() || !StoreOf(G).Object(ACol, ARow));
    }

    QStringView Text(int ACol, int ARow, bool IsDirect, QString &Hold)
    {
        if (!Virtual || IsDirect)
            return StoreOf(G).TextView(ACol, ARow);
        Hold = G.GetCellEx(ACol, ARow);
        return Hold;
    }

    bool Virtual;
    TSortTextRules Rules;
    bool PlainDisplay;
};

// Row comparisons and the quicksort over one grid.
class TSorter
{
public:
    explicit TSorter(TDazStringGrid &Grid) : G(Grid), Cmp(Grid) { g_lastDepth = 0; }

    int CompareLine(int ACol, int ARow1, int ARow2)
    {
        const TSortDirection dir = Cmp.Settings.Direction();
        const bool full = Cmp.Settings.Full();
        // The store holds hidden columns after the visible ones; they count to the right.
        const int lastCol = G.AllColCount() - 2;
        for (int c = ACol;; ++c) {
            const int r = G.IsIgnoredColumn(c) ? 0 : Cmp.Compare(c, ARow1, ARow2, dir);
            if (r != 0 || !full || c > lastCol)
                return r;
        }
    }

    int CompareLineIndexed(int Index, int ARow1, int ARow2)
    {
        TSortIndexList &indexes = G.SortIndexes();
        const bool full = Cmp.Settings.Full();
        for (int i = Index; i < indexes.Count(); ++i) {
            const uint32_t e = uint32_t(indexes.GetInteger(i));
            const int col = int(e & 0x7FFFFFFFu);
            const bool descending = (e & 0x80000000u) != 0;
            const int r = G.IsIgnoredColumn(col)
                              ? 0
                              : Cmp.Compare(col, ARow1, ARow2,
                                            descending ? sdDescending : sdAscending);
            if (r != 0 || !full)
                return descending ? -r : r;
        }
        return 0;
    }

    // Sort column texts read once per row, and each row's number reading made once, kept by
    // row position and exchanged with the rows. Used when the comparison of that column
    // depends on nothing but the stored texts (see KeysApply); CompareCells gives the same.
    struct TRowKey
    {
        QStringView Text;
        signed char Number = -1;   // IsSortNumber; -1 not yet asked
        signed char ReadOk = -1;   // the number reading succeeded; -1 not yet read
        signed char Seps = -1;     // TSeps bits; -1 not yet looked for
        double Value = 0;
    };

    // What automatic detection looks for in a text: where the date and time separators
    // stand (DetectSortStyle), found once per text instead of at every comparison.
    enum TSeps : signed char {
        kDatePlaced = 1,   // a date separator at the 2nd or 3rd place, not last
        kDateDigits = 2,   // ... between two digits
        kTimeFirst = 4,    // no date separator placed; a time separator placed between digits
        kHasDate = 8,
        kHasTime = 16,
    };

    signed char Seps(TRowKey &K)
    {
        if (K.Seps >= 0)
            return K.Seps;
        const TSortTextRules &rules = Cmp.TextRules();
        const QStringView t = K.Text;
        int bits = 0;
        if (t.contains(rules.DateSeparator))
            bits |= kHasDate;
        if (t.contains(rules.TimeSeparator))
            bits |= kHasTime;
        auto placed = [&](QChar Sep, qsizetype &p) {
            p = t.indexOf(Sep) + 1;
            return p >= 2 && p <= 3 && p < t.size();
        };
        auto digitsAround = [&](qsizetype at) { return IsNumberChar(t[at - 1]) && IsNumberChar(t[at + 1]); };
        qsizetype p = 0;
        if (placed(rules.DateSeparator, p)) {
            bits |= kDatePlaced;
            if (digitsAround(p - 1))
                bits |= kDateDigits;
        } else if (placed(rules.TimeSeparator, p) && digitsAround(p - 1)) {
            bits |= kTimeFirst;
        }
        K.Seps = static_cast<signed char>(bits);
        return K.Seps;
    }

    // DetectSortStyle of A against B for a text that is no number.
    TSortStyle DetectKeyStyle(TRowKey &A, TRowKey &B)
    {
        const TSortStyle alpha = Cmp.TextRules().IgnoreCase ? ssAlphaNoCase : ssAlphabetic;
        const int a = Seps(A);
        if (a & kDatePlaced) {
            if ((a & kDateDigits) && (Seps(B) & kHasDate))
                return (a & kHasTime) ? ssDateTime : ssDate;
            return alpha;
        }
        if ((a & kTimeFirst) && (Seps(B) & kHasTime))
            return ssTime;
        return alpha;
    }

    bool KeysApply(int ACol) const
    {
        return PureComparison() && !G.OnGetFormat && !G.HasCellProps() &&
               !G.IsIgnoredColumn(ACol);
    }

    void StartKeys(int ACol, int L, int R)
    {
        FKeys.assign(size_t(G.RowCount()), TRowKey());
        for (int r = L; r <= R; ++r)
            FKeys[size_t(r)].Text = StoreOf(G).TextView(ACol, r);
        FKeyCol = ACol;
    }

    TRowKey &Key(int ARow)
    {
        TRowKey &k = FKeys[size_t(ARow)];
        if (k.Number < 0)
            k.Number = IsSortNumber(k.Text) ? 1 : 0;
        return k;
    }

    // The reading is made whatever the classification (" 7" is no number but reads as 7).
    bool Read(TRowKey &K)
    {
        if (K.ReadOk < 0)
            K.ReadOk = ReadSortNumber(K.Text, Cmp.TextRules().DecimalSeparator, K.Value) ? 1 : 0;
        return K.ReadOk != 0;
    }

    // CompareCells of the key column for rows A and B.
    int KeyCompare(int A, int B)
    {
        TSortSettings &ss = Cmp.Settings;
        const TSortDirection dir = ss.Direction();
        TSortTextRules &rules = Cmp.TextRules();
        TSortStyle style = ss.AutoFormat() ? ssAutomatic
                                           : (ss.IgnoreCase() ? ssAlphaNoCase : ssAlphabetic);
        TRowKey &a = Key(A);
        TRowKey &b = Key(B);
        int result;
        bool blank1 = a.Text.isEmpty(), blank2 = b.Text.isEmpty();
        if (style == ssAutomatic && a.Number) {
            // A text that does not read counts 0 (an empty one without error).
            const bool r1 = Read(a), r2 = Read(b);
            const bool ok1 = r1 || blank1, ok2 = r2 || blank2;
            const double v1 = r1 ? a.Value : 0, v2 = r2 ? b.Value : 0;
            result = !ok1 && !ok2 ? 0 : (v1 > v2 ? 1 : (v1 == v2 ? 0 : -1));
        } else {
            if (style == ssAutomatic)
                style = DetectKeyStyle(a, b);
            if (style == ssAlphabetic) {
                // Code unit order, as CompareSortTexts gives it.
                const int c = a.Text.compare(b.Text, Qt::CaseSensitive);
                result = (c > 0) - (c < 0);
            } else {
                rules.StableTexts = true;
                TSortTextInfo info;
                result = CompareSortTexts(style, a.Text, b.Text, rules, &info);
                blank1 = info.Blank1;
                blank2 = info.Blank2;
            }
        }
        if (ss.IgnoreBlanks() && blank1 != blank2) {
            const int emptyFirst = ((ss.BlankPos() == blFirst) == (dir == sdAscending)) ? -1 : 1;
            result = blank1 ? emptyFirst : -emptyFirst;
        }
        return result;
    }

    int KeyLine(int A, int B)
    {
        const int r = KeyCompare(A, B);
        if (r != 0 || !Cmp.Settings.Full() || FKeyCol > G.AllColCount() - 2)
            return r;
        return CompareLine(FKeyCol + 1, RowAt(A), RowAt(B));
    }

    void KeySwap(int I, int J)
    {
        if (!FKeys.empty())
            std::swap(FKeys[size_t(I)], FKeys[size_t(J)]);
    }

    void KeyCopy(int From, int To)
    {
        if (!FKeys.empty())
            FKeys[size_t(To)] = Key(From);
    }

    // The quicksort over rows L..R; the pivot lives in the scratch row RowCount - 2. With
    // keys the same quicksort orders row numbers instead of rows (the comparisons read the
    // keys or the unmoved rows), and then the rows move to their places once.
    void Sort(int ACol, int L, int R, bool Indexed)
    {
        FKeys.clear();
        FPerm.clear();
        if (!Indexed && L < R && KeysApply(ACol)) {
            StartKeys(ACol, L, R);
            FPerm.resize(size_t(G.RowCount()));
            for (int r = 0; r < G.RowCount(); ++r)
                FPerm[size_t(r)] = r;
        }
        Run(ACol, L, R, Indexed);
        FKeys.clear();
        if (!FPerm.empty()) {
            // Row FPerm[p] goes to p: the exchanges of one pass over the cycles.
            std::vector<int> target(FPerm.size());
            for (size_t p = 0; p < FPerm.size(); ++p)
                target[size_t(FPerm[p])] = int(p);
            FPerm.clear();
            UnSortByCycles(G, target);
        }
    }

    void Run(int ACol, int L, int R, bool Indexed, int Depth = 1)
    {
        g_lastDepth = std::max(g_lastDepth, Depth);
        const int sortDir = Cmp.Settings.Direction() == sdAscending ? 1 : -1;
        const int s = G.RowCount() - 2;
        const bool pure = PureComparison();
        int source = -1;   // the row the pivot was copied from, followed through exchanges
        auto before = [&](int a, int b) {
            // The pivot against its own row: equal in every column, nothing to read.
            if (pure && ((a == s && b == source) || (b == s && a == source)))
                return false;
            if (Indexed)
                return CompareLineIndexed(0, a, b) == 1;
            return (FKeys.empty() ? CompareLine(ACol, a, b) : KeyLine(a, b)) == sortDir;
        };
        while (L < R) {
            source = int((unsigned(L) + unsigned(R)) >> 1);
            if (FPerm.empty())
                CopyRow(source, s);
            else
                FPivotRow = FPerm[size_t(source)];
            KeyCopy(source, s);
            int i = L, j = R;
            do {
                while (before(s, i) && i < R)
                    ++i;
                while (before(j, s) && L < j)
                    --j;
                if (i <= j) {
                    if (i != j && (Indexed || (FKeys.empty() ? CompareLine(ACol, i, j)
                                                             : KeyLine(i, j)) != 0)) {
                        if (FPerm.empty())
                            G.SortSwapRows(i, j);
                        else
                            std::swap(FPerm[size_t(i)], FPerm[size_t(j)]);
                        KeySwap(i, j);
                        if (source == i)
                            source = j;
                        else if (source == j)
                            source = i;
                    }
                    ++i;
                    --j;
                }
            } while (i <= j);
            // The smaller part by recursion, the larger by the loop.
            if (j - L < R - i) {
                if (L < j)
                    Run(ACol, L, j, Indexed, Depth + 1);
                L = i;
            } else {
                if (i < R)
                    Run(ACol, i, R, Indexed, Depth + 1);
                R = j;
            }
        }
    }

    TDazStringGrid &G;
    TCellComparer Cmp;

private:
    std::vector<TRowKey> FKeys;
    int FKeyCol = -1;
    // While row numbers are sorted: the row now at each position (empty: the rows move),
    // and the row the pivot was taken from.
    std::vector<int> FPerm;
    int FPivotRow = -1;

    // The grid row holding what position P holds in the sort.
    int RowAt(int P) const
    {
        if (FPerm.empty())
            return P;
        return P == G.RowCount() - 2 ? FPivotRow : FPerm[size_t(P)];
    }

    // A row compares equal to its copy: the comparison reads nothing but the two rows'
    // texts and records (no event format, no display hook, no row-bound check box, no
    // descendant deciding per row), and whole rows move.
    bool PureComparison() const
    {
        return typeid(G) == typeid(TDazStringGrid) && !Cmp.Settings.SingleColumn() &&
               !G.OnCustomCompare && !G.OnRawCompare &&
               !G.OnGetDisplText && !G.OnGetDisplWideText && !G.URLShowInText() &&
               !G.Grouping().ShowGroupCount() && !G.MouseActions().HotmailRowSelect();
    }

    void CopyRow(int From, int To)
    {
        if (!G.OnGetDisplText) {
            G.SetRowData(To, StoreOf(G).RowData(From), false);
            return;
        }
        const bool virt = Cmp.Settings.SortOnVirtualCells();
        for (int c = 0; c < G.AllColCount(); ++c) {
            if (virt)
                G.SetCellEx(c, To, G.GetCellEx(c, From));
            else
                G.SetGridCell(c, To, G.GetGridCell(c, From));
            G.SetGridObject(c, To, G.GetGridObject(c, From));
        }
    }
};

// Empties a row without freeing the objects it refers to (copies of other rows').
void DetachRow(TDazStringGrid &G, int ARow)
{
    G.PutRow(ARow, TGridStore::TParkedRow(), false);
}

// What every sort entry point does around its work: column 0 kept, the update block, the
// three scratch rows, and the footer state; all restored by Finish, also when a compare
// handler throws.
class TSortFrame
{
public:
    TSortFrame(TDazStringGrid &Grid, bool Footers) : G(Grid), FFooters(Footers)
    {
        TSortSettings &ss = G.SortSettings();
        if (ss.NormalCellsOnly() && G.FixedCols() > 0) {
            FKeepCol0 = true;
            const int rows = G.RowCount();
            FCol0.reserve(size_t(rows));
            for (int r = 0; r < rows; ++r)
                FCol0.push_back({G.GetGridCell(0, r), G.GetGridObject(0, r)});
        }
        FTopRow = G.TopRow();
        G.BeginUpdate();
        if (FFooters) {
            FFooterVisible = G.FloatingFooter().Visible();
            FFixedFooters = G.FixedFooters();
            if (FFooterVisible)
                G.FloatingFooter().SetVisible(false);
        }
    }

    // Three rows below the grid for the sort's duration; no display hooks for them.
    void Raise()
    {
        FRows = G.RowCount();
        if (G.MaxRowCount() - G.NumHiddenRows() > FRows)
            for (int r = FRows; r < FRows + 3; ++r)
                DetachRow(G, r);
        G.SetRowCount(FRows + 3);
        G.SetNormalRowCount(FRows);
        FRaised = true;
    }

    void Lower()
    {
        if (!FRaised)
            return;
        FRaised = false;
        for (int r = FRows; r < FRows + 3; ++r)
            DetachRow(G, r);
        G.SetRowCount(FRows);
    }

    void Finish()
    {
        Lower();
        if (FKeepCol0) {
            for (int r = 0; r < int(FCol0.size()); ++r) {
                G.SetGridCell(0, r, FCol0[size_t(r)].first);
                G.SetGridObject(0, r, FCol0[size_t(r)].second);
            }
        }
        if (G.Navigation().KeepScrollOnSort())
            G.SetTopRow(FTopRow);
        if (FFooters) {
            if (FFooterVisible)
                G.FloatingFooter().SetVisible(true);
            G.SetFixedFooters(FFixedFooters);
        }
        G.EndUpdate();
        if (FFooters && FFooterVisible)
            G.Invalidate();
    }

    int FixedFooters() const { return FFooters ? FFixedFooters : G.FixedFooters(); }

private:
    TDazStringGrid &G;
    bool FFooters;
    bool FKeepCol0 = false;
    std::vector<std::pair<QString, TObject *>> FCol0;
    int FTopRow = 0;
    bool FFooterVisible = false;
    int FFixedFooters = 0;
    int FRows = 0;
    bool FRaised = false;
};

template <class F>
void Framed(TSortFrame &Frame, F Body)
{
    try {
        Body();
    } catch (...) {
        Frame.Finish();
        throw;
    }
    Frame.Finish();
}

void EnsureXRef(TDazStringGrid &G)
{
    if (G.SortRowXRef().Count() != G.RowCount())
        G.InitSortXRef();
}

// The current row during a sort: parked (MoveRowOnSort) so SortRow follows its data.
void ParkRow(TDazStringGrid &G, int Row)
{
    G.TCustomGrid::SetRow(Row);
}

void SortNormalRows(TDazStringGrid &G, bool Indexed)
{
    TSortSettings &ss = G.SortSettings();
    TNavigation &nav = G.Navigation();
    // 3, 4.
    TSortFrame frame(G, true);
    const bool disjunct = G.MouseActions().DisjunctRowSelect();
    int r0 = G.Row();
    Framed(frame, [&] {
        // 5, 6.
        frame.Raise();
        // 7.
        G.SetSortRow(r0);
        if (nav.MoveRowOnSort())
            ParkRow(G, G.RowCount() - (Indexed ? 3 : 4));
        // 8.
        TSorter sorter(G);
        sorter.Sort(ss.Column(), G.FixedRows(), G.RowCount() - frame.FixedFooters() - 4, Indexed);
        // 9 (with 11 in Lower).
        frame.Lower();
        // 10.
        if (!disjunct || Indexed) {
            // The row's own data moved: the change is reported. Otherwise the row stays
            // and OnRowChanged fires once below.
            if (nav.MoveRowOnSort())
                G.SetRow(G.SortRow());
            else
                ParkRow(G, r0);
        }
    });
    // 12.
    if (!Indexed && G.OnRowChanged && !nav.MoveRowOnSort())
        G.OnRowChanged(&G, r0, G.Row());
    if (!Indexed && G.SearchFooter().Visible() && G.SearchPanel() && G.SearchPanel()->isVisible())
        G.SearchPanel()->update();
}

void SortGroups(TDazStringGrid &G, bool Indexed)
{
    TSortSettings &ss = G.SortSettings();
    TNavigation &nav = G.Navigation();
    EnsureXRef(G);
    TSortFrame frame(G, false);
    const int r0 = G.Row();
    Framed(frame, [&] {
        frame.Raise();
        G.SetSortRow(r0);
        if (nav.MoveRowOnSort())
            ParkRow(G, G.RowCount() - 3);
        const int last = G.RowCount() - G.FixedFooters() - 3;
        int depth = -1;
        for (int r = G.FixedRows(); r < last; ++r)
            if (G.IsNode(r))
                depth = std::max(depth, G.GetNodeLevel(r));
        TSorter sorter(G);
        for (int c = G.FixedRows(); c < last; ++c) {
            if (!G.IsNode(c) || G.GetNodeState(c) || G.GetNodeLevel(c) != depth)
                continue;
            const int span = G.GetNodeSpan(c);
            if (span > 2)
                sorter.Sort(ss.Column(), c + 1, c + span - 1, Indexed);
        }
        frame.Lower();
        G.SetRow(nav.MoveRowOnSort() ? G.SortRow() : r0);
    });
}

// Puts each row at the position its cross-reference entry names, one exchange per row out
// of place. Unsort is the common "back to the start" action, so it costs a permutation.
void UnSortByCycles(TDazStringGrid &G, std::vector<int> &U)
{
    const int n = int(U.size());
    for (int i = 0; i < n; ++i) {
        while (U[size_t(i)] != i) {
            const int j = U[size_t(i)];
            G.SortSwapRows(i, j);
            std::swap(U[size_t(i)], U[size_t(j)]);
        }
    }
}

bool IsPermutation(const std::vector<int> &U)
{
    std::vector<bool> seen(U.size(), false);
    for (const int v : U) {
        if (v < 0 || v >= int(U.size()) || seen[size_t(v)])
            return false;
        seen[size_t(v)] = true;
    }
    return true;
}

// The exchange sort by the entries' values, for a cross-reference that is no permutation.
void UnSortQuick(TDazStringGrid &G, std::vector<int> &U, int L, int R)
{
    while (L < R) {
        const int v = U[size_t((L + R) / 2)];
        int i = L, j = R;
        do {
            while (U[size_t(i)] < v && i < R)
                ++i;
            while (U[size_t(j)] > v && L < j)
                --j;
            if (i <= j) {
                if (i != j && U[size_t(i)] != U[size_t(j)]) {
                    G.SortSwapRows(i, j);
                    std::swap(U[size_t(i)], U[size_t(j)]);
                }
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - L < R - i) {
            if (L < j)
                UnSortQuick(G, U, L, j);
            L = i;
        } else {
            if (i < R)
                UnSortQuick(G, U, i, R);
            R = j;
        }
    }
}

// QuickSort and QuickSortIndexed: the scratch rows only.
void BareQuickSort(TDazStringGrid &G, int Col, int Left, int Right, bool Indexed)
{
    const int n = G.RowCount();
    G.SetRowCount(n + 3);
    auto lower = [&] {
        for (int r = n; r < n + 3; ++r)
            DetachRow(G, r);
        G.SetRowCount(n);
    };
    try {
        TSorter sorter(G);
        sorter.Sort(Col, Left, Right, Indexed);
    } catch (...) {
        lower();
        throw;
    }
    lower();
}

}   // namespace

int LastSortDepth()
{
    return g_lastDepth;
}

int CompareCells(TDazStringGrid &Grid, int ACol, int ARow1, int ARow2, TSortDirection Direction)
{
    return TCellComparer(Grid).Compare(ACol, ARow1, ARow2, Direction);
}

int CompareLine(TDazStringGrid &Grid, int ACol, int ARow1, int ARow2)
{
    return TSorter(Grid).CompareLine(ACol, ARow1, ARow2);
}

int CompareLineIndexed(TDazStringGrid &Grid, int Index, int ARow1, int ARow2)
{
    return TSorter(Grid).CompareLineIndexed(Index, ARow1, ARow2);
}

void QSort(TDazStringGrid &Grid)
{
    if (Grid.SortSettings().Column() < 0)
        return;
    EnsureXRef(Grid);
    Grid.SortIndexes().Clear();
    SortNormalRows(Grid, false);
}

void QSortIndexed(TDazStringGrid &Grid)
{
    EnsureXRef(Grid);
    if (Grid.SortIndexes().Count() == 0)
        throw EDazGridError("No indexes specified for indexed sort");
    SortNormalRows(Grid, true);
}

void QSortGroup(TDazStringGrid &Grid)
{
    SortGroups(Grid, false);
}

void QSortGroupIndexed(TDazStringGrid &Grid)
{
    SortGroups(Grid, true);
}

void QUnSort(TDazStringGrid &Grid)
{
    TIntList &xref = Grid.SortRowXRef();
    // A cross-reference of another row count no longer describes these rows.
    if (xref.Count() != Grid.RowCount())
        return;
    std::vector<int> u(size_t(xref.Count()));
    for (int i = 0; i < xref.Count(); ++i)
        u[size_t(i)] = xref.GetInteger(i);
    TSortFrame frame(Grid, false);
    Framed(frame, [&] {
        if (IsPermutation(u))
            UnSortByCycles(Grid, u);
        else if (!u.empty())
            UnSortQuick(Grid, u, 0, int(u.size()) - 1);
    });
}

void Sort(TDazStringGrid &Grid, int Column, TSortDirection Direction)
{
    Grid.SortSettings().SetColumn(Column);
    Grid.SortSettings().SetDirection(Direction);
    Grid.QSort();
}

void SortByColumn(TDazStringGrid &Grid, int Col)
{
    if (Grid.RowCount() <= 1)
        return;
    Grid.SortSettings().SetColumn(Col);
    Grid.QSort();
}

void QuickSort(TDazStringGrid &Grid, int Col, int Left, int Right)
{
    BareQuickSort(Grid, Col, Left, Right, false);
}

void QuickSortIndexed(TDazStringGrid &Grid, int Left, int Right)
{
    BareQuickSort(Grid, 0, Left, Right, true);
}

bool SortLine(TDazStringGrid &Grid, int Col, int ARow1, int ARow2)
{
    TCellComparer cmp(Grid);
    const TSortDirection dir = Grid.SortSettings().Direction();
    const int sortDir = dir == sdAscending ? 1 : -1;
    const int last = Grid.AllColCount() - 1;
    for (int c = Col;; ++c) {
        const int r = cmp.Compare(c, ARow1, ARow2, dir);
        if (r == sortDir) {
            Grid.SortSwapRows(ARow1, ARow2);
            return true;
        }
        if (r != 0 || c >= last)
            return false;
    }
}

}   // namespace GridSort
