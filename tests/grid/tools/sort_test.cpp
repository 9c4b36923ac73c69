// Sorting a string grid: CompareCells under every sort format, QSort and its settings, the
// indexed and group sorts, unsorting, the sort settings string and the header click.
#include "grid/base/imagelist.h"
#include "grid/base/textroutines.h"
#include "grid/string/dazstringgrid.h"
#include "grid/string/eventlog.h"
#include "grid/tools/gridsort.h"
#include "grid/tools/gridtools.h"
#include "grid/tools/sorttexts.h"
#include "toolgrid.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <map>
#include <random>

using namespace GridSort;

namespace {

// The tools' grid, plus the row cross-reference check.
struct SortTest : ToolGridTest
{
    bool XRefIsIdentity()
    {
        for (int i = 0; i < Grid.SortRowXRef().Count(); ++i)
            if (Grid.SortRowXRef().GetInteger(i) != i)
                return false;
        return true;
    }
};

}   // namespace

// One row per case: the format (ssAutomatic with AutoFormat on), a prefix, the two texts
// and the answer. Each pair is chosen so that a wrong format gives another answer.
TEST_F(SortTest, CompareCellsUnderEveryFormat)
{
    struct Case { TSortStyle Style; const char *Prefix; const char *T1; const char *T2; int Result; };
    const Case cases[] = {
        {ssAutomatic, "", "12", "abc", 1},            // numbers: abc counts as 0
        {ssAutomatic, "", "abc", "12", 1},            // detected from "abc": alphabetic
        {ssAutomatic, "", "3/4/2021", "5/6/2020", 1}, // dates, not texts
        {ssAutomatic, "", "3/4/2020 10:00", "3/4/2020 9:00", 1},   // date-time
        {ssAutomatic, "", "10:30", "9:15", 1},        // times
        {ssAutomatic, "", "12345/6", "2/1/2020", -1}, // separator too far: alphabetic
        {ssAutomatic, "", "1e3", "999", 1},           // scientific is a number
        {ssAlphabetic, "", "a", "B", 1},
        {ssAlphabetic, "", "ab", "abc", -1},
        {ssNumeric, "", "", "0", 0},                  // an empty cell is 0
        {ssNumeric, "", "", "1", -1},
        {ssNumeric, "", "abc", "xyz", 0},             // both unparsable: equal
        {ssNumeric, "", " 7", "7", 0},                // leading blanks are read
        {ssNumeric, "", "7 ", "7", -1},               // trailing ones are not: 0
        {ssNumeric, "", "-5", "3", -1},
        {ssDate, "", "1/2/2020", "31/1/2020", 1},
        {ssDate, "", "", "1/1/2020", -1},
        {ssAlphaNoCase, "", "a", "B", -1},
        {ssAlphaNoCase, "", "\xC3\xA4", "Z", 1},      // only a-z fold
        {ssAlphaCase, "", "a", "B", 1},
        {ssShortDateEU, "", "1/2/2020", "2/1/2020", 1},
        {ssShortDateUS, "", "1/2/2020", "2/1/2020", -1},
        {ssShortDateEU, "", "31/2/2020", "1/1/1990", -1},   // impossible date counts 0
        {ssCustom, "", "b", "a", 0},                  // no handler: all equal
        {ssFinancial, "$", "$1,200.50", "$999.99", 1},
        {ssFinancial, "", "1,000", "999", 1},
        {ssNumeric, "", "1,000", "999", -1},          // not financial: 1,000 is no number
        {ssAnsiAlphaCase, "", "b", "a", 1},           // the locale's collation
        {ssAnsiAlphaCase, "", "a", "A", 1},
        {ssAnsiAlphaNoCase, "", "a", "A", 0},
        {ssAnsiAlphaNoCase, "", "b", "A", 1},
        {ssRaw, "", "b", "a", 0},
        {ssHTML, "", "<b>b</b>", "a", 1},             // mark-up removed first
        {ssDateTime, "", "3/4/2020 10:00", "3/4/2020 9:00", 1},
        {ssTime, "", "10:30", "9:15", 1},
        {ssTime, "", "", "0:01", -1},
        {ssAlphaNumeric, "", "10", "9", 1},
        {ssAlphaNumeric, "", "a10", "a9", -1},
        {ssAlphaNumericNoCase, "", "a10", "A9", -1},
        {ssAlphaNumericNoCase, "", "b", "A", 1},
        {TSortStyle(25), "", "a", "b", 1},            // not a format: +1
    };
    Fill({L({"", ""}), L({"", ""})});
    for (const Case &c : cases) {
        Grid.SortSettings().SetAutoFormat(c.Style == ssAutomatic);
        Grid.OnGetFormat = [&](TObject *, int, TSortStyle &Style, QString &Prefix, QString &) {
            if (c.Style != ssAutomatic)
                Style = c.Style;
            Prefix = QString::fromUtf8(c.Prefix);
        };
        Grid.SetCells(0, 0, QString::fromUtf8(c.T1));
        Grid.SetCells(0, 1, QString::fromUtf8(c.T2));
        EXPECT_EQ(CompareCells(Grid, 0, 0, 1, sdAscending), c.Result)
            << "format " << int(c.Style) << ": " << c.T1 << " / " << c.T2;
    }
}

TEST_F(SortTest, FormatHookEventsCheckBoxesAndImages)
{
    Fill({L({"b", "x"}), L({"a", "y"})});
    // The hook can set the suffix too.
    Grid.OnGetFormat = [](TObject *, int, TSortStyle &Style, QString &, QString &Suffix) {
        Style = ssNumeric;
        Suffix = QStringLiteral(" kg");
    };
    Grid.SetCells(0, 0, QStringLiteral("10 kg"));
    Grid.SetCells(0, 1, QStringLiteral("9 kg"));
    EXPECT_EQ(CompareCells(Grid, 0, 0, 1, sdAscending), 1);
    // Event formats hand the handler's value on unchanged.
    Grid.OnGetFormat = [](TObject *, int ACol, TSortStyle &Style, QString &, QString &) {
        Style = ACol == 0 ? ssCustom : ssRaw;
    };
    QString seen;
    Grid.OnCustomCompare = [&](TObject *, const QString &A, const QString &B, int &Res) {
        seen = A + "|" + B;
        Res = 7;
    };
    Grid.OnRawCompare = [](TObject *, int ACol, int R1, int R2, int &Res) { Res = 100 * ACol + 10 * R1 + R2; };
    EXPECT_EQ(CompareCells(Grid, 0, 0, 1, sdAscending), 7);
    EXPECT_EQ(seen, QStringLiteral("10 kg|9 kg"));
    EXPECT_EQ(CompareCells(Grid, 1, 1, 0, sdAscending), 110);
    // A check-box column under automatic detection: unchecked first ascending.
    Grid.OnGetFormat = nullptr;
    Grid.AddCheckBox(1, 0, true, false);
    Grid.AddCheckBox(1, 1, false, false);
    EXPECT_EQ(CompareCells(Grid, 1, 0, 1, sdAscending), 1);
    EXPECT_EQ(CompareCells(Grid, 1, 1, 0, sdAscending), -1);
    // Images compare by their key.
    Grid.OnGetFormat = [](TObject *, int, TSortStyle &Style, QString &, QString &) { Style = ssImages; };
    TCustomImageList images;
    Grid.SetGridImages(&images);
    Grid.AddImageIdx(0, 0, 5, haLeft, vaTop);
    Grid.AddImageIdx(0, 1, 2, haLeft, vaTop);
    EXPECT_EQ(CompareCells(Grid, 0, 0, 1, sdAscending), 1);
    Grid.SetGridImages(nullptr);
}

TEST_F(SortTest, DetectionReadsTheFirstTextOnly)
{
    TSortTextRules r = TSortTextRules::Current(false);
    const struct { const char *T1; const char *T2; TSortStyle Style; } table[] = {
        {"3/4/2020", "5/6/2021", ssDate}, {"3/4/2020 10:00", "x/", ssDateTime},
        {"10:30", "9:15", ssTime}, {"12345/6", "1/2", ssAlphabetic}, {"1/a", "1/2", ssAlphabetic},
        {"3/4/2020", "none", ssAlphabetic}, {"1:5", "2", ssAlphabetic}, {"12", "x", ssNumeric},
        {"1,234.5", "x", ssNumeric}, {"1/", "1/2", ssAlphabetic}, {"a/1:2", "1:2", ssAlphabetic}};
    for (const auto &t : table)
        EXPECT_EQ(DetectSortStyle(QString::fromUtf8(t.T1), QString::fromUtf8(t.T2), r), t.Style)
            << t.T1 << " / " << t.T2;
    r.IgnoreCase = true;
    EXPECT_EQ(DetectSortStyle(u"abc", u"x", r), ssAlphaNoCase);
}

TEST_F(SortTest, BlanksEndLastInBothDirections)
{
    Fill({L({"h"}), L({"3"}), L({""}), L({"1"}), L({""}), L({"2"})});
    Grid.SetFixedRows(1);
    Grid.SortSettings().SetIgnoreBlanks(true);
    Grid.SortSettings().SetBlankPos(blLast);
    Sort(Grid, 0, sdAscending);
    EXPECT_EQ(Column(0), L({"h", "1", "2", "3", "", ""}));
    Sort(Grid, 0, sdDescending);
    EXPECT_EQ(Column(0), L({"h", "3", "2", "1", "", ""}));
    Grid.SortSettings().SetBlankPos(blFirst);
    Sort(Grid, 0, sdDescending);
    EXPECT_EQ(Column(0), L({"h", "", "", "3", "2", "1"}));
}

TEST_F(SortTest, QSortKeepsFixedRowsMovesHiddenColumnsAndClearsTheIndex)
{
    Fill({L({"n", "key", "hid", "tie"}), L({"a", "3", "h3", "x"}), L({"b", "1", "h1", "x"}),
          L({"c", "2", "h2", "x"}), L({"sum", "0", "h0", "x"})});
    Grid.SetFixedRows(1);
    Grid.SetFixedFooters(1);
    Grid.HideColumn(2);
    Grid.SortIndexes().AddIndex(3, true);
    Sort(Grid, 1, sdAscending);
    EXPECT_EQ(Grid.SortIndexes().Count(), 0);
    EXPECT_EQ(Grid.SortSettings().SaveToString(), QStringLiteral("u1"));
    EXPECT_EQ(Grid.FixedFooters(), 1);
    EXPECT_EQ(Grid.RowCount(), 5);
    Grid.UnHideColumn(2);
    EXPECT_EQ(Column(0), L({"n", "b", "c", "a", "sum"}));
    EXPECT_EQ(Column(2), L({"hid", "h1", "h2", "h3", "h0"}));
    Grid.SortSettings().SetColumn(-1);
    Grid.QSort();   // nothing
    EXPECT_EQ(Column(0), L({"n", "b", "c", "a", "sum"}));
}

TEST_F(SortTest, FullBreaksTiesByTheColumnsToTheRightOnly)
{
    Fill({L({"z", "1", "b"}), L({"a", "1", "c"}), L({"m", "1", "a"}), L({"b", "0", "z"})});
    Sort(Grid, 1, sdAscending);
    EXPECT_EQ(Column(2), L({"z", "a", "b", "c"}));
    EXPECT_EQ(Column(0), L({"b", "m", "z", "a"}));
    // Without Full equal rows are never exchanged among themselves by the compare.
    Grid.SortSettings().SetFull(false);
    Sort(Grid, 0, sdDescending);
    EXPECT_EQ(Column(0), L({"z", "m", "b", "a"}));
}

TEST_F(SortTest, SingleColumnAndNormalCellsOnly)
{
    Fill({L({"#", "v", "w"}), L({"1", "c", "x"}), L({"2", "a", "y"}), L({"3", "b", "z"})});
    Grid.SetFixedRows(1);
    Grid.SetFixedCols(1);
    Grid.SortSettings().SetSingleColumn(true);
    Sort(Grid, 1, sdAscending);
    EXPECT_EQ(Column(1), L({"v", "a", "b", "c"}));
    EXPECT_EQ(Column(2), L({"w", "x", "y", "z"}));
    Grid.SortSettings().SetSingleColumn(false);
    Grid.SortSettings().SetNormalCellsOnly(true);
    Sort(Grid, 2, sdDescending);
    EXPECT_EQ(Column(0), L({"#", "1", "2", "3"}));   // row numbers stay
    EXPECT_EQ(Column(2), L({"w", "z", "y", "x"}));
}

TEST_F(SortTest, CurrentRowScrollAndRowChanged)
{
    std::vector<QStringList> rows{L({"h"})};
    for (int i = 0; i < 40; ++i)
        rows.push_back(QStringList{QString::number(40 - i)});
    Fill(rows);
    Grid.SetFixedRows(1);
    Grid.resize(200, 200);
    Grid.show();
    QApplication::processEvents();
    std::vector<std::pair<int, int>> changes;
    Grid.OnRowChanged = [&](TObject *, int Old, int New) { changes.emplace_back(Old, New); };
    Grid.SetRow(2);   // holds "39"
    changes.clear();
    Grid.SetTopRow(5);
    Grid.Navigation().SetKeepScrollOnSort(true);
    Sort(Grid, 0, sdAscending);
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{2, 2}}));   // once, row kept
    EXPECT_EQ(Grid.Row(), 2);
    EXPECT_EQ(Grid.TopRow(), 5);
    changes.clear();
    Grid.Navigation().SetMoveRowOnSort(true);
    Sort(Grid, 0, sdDescending);   // "2" moves from row 2 to row 39
    EXPECT_EQ(Grid.Cells(0, Grid.Row()), QStringLiteral("2"));
    EXPECT_EQ(Grid.Row(), 39);
    EXPECT_EQ(Grid.RowCount(), 41);
}

// Cell records travel with their rows and learn their new row; the scratch rows let go of
// their copies without freeing them (the sanitizer build checks the frees).
TEST_F(SortTest, RowsWithCellObjectsSortWithoutLosingOrFreeingThem)
{
    std::vector<QStringList> rows;
    for (int i = 0; i < 30; ++i)
        rows.push_back(QStringList{QString::number((i * 7) % 30), QStringLiteral("t%1").arg(i)});
    Fill(rows);
    for (int r = 0; r < 30; ++r) {
        Grid.SetObjectEx(1, r, uintptr_t(1000 + (r * 7) % 30));
        Grid.GetCellProperties(0, r)->SetFontColor(TColor(r));
    }
    Grid.SortSettings().SetAutoFormat(true);
    Sort(Grid, 0, sdAscending);
    for (int r = 0; r < 30; ++r) {
        EXPECT_EQ(Grid.Cells(0, r), QString::number(r));
        EXPECT_EQ(Grid.GetObjectEx(1, r), uintptr_t(1000 + r));
        ASSERT_TRUE(Grid.HasCellProperties(0, r));
        EXPECT_EQ(Grid.GetCellProperties(0, r)->OwnerRow(), r);
    }
    for (int r = 30; r < 33; ++r)
        EXPECT_EQ(Grid.GetGridObject(0, r), nullptr);
}

TEST_F(SortTest, AHandlerExceptionLeavesTheGridWhole)
{
    Fill({L({"#", "v"}), L({"1", "c"}), L({"2", "a"}), L({"3", "b"}), L({"f", "f"})});
    Grid.SetFixedRows(1);
    Grid.SetFixedCols(1);
    Grid.SetFixedFooters(1);
    Grid.SortSettings().SetNormalCellsOnly(true);
    Grid.Navigation().SetKeepScrollOnSort(true);
    Grid.OnGetFormat = [](TObject *, int, TSortStyle &Style, QString &, QString &) { Style = ssCustom; };
    int calls = 0;
    Grid.OnCustomCompare = [&](TObject *, const QString &, const QString &, int &) {
        if (++calls == 3)
            throw std::runtime_error("compare failed");
    };
    const int updates = Grid.UpdateCount();
    Grid.SortSettings().SetColumn(1);
    EXPECT_THROW(Grid.QSort(), std::runtime_error);
    EXPECT_EQ(Grid.UpdateCount(), updates);
    EXPECT_EQ(Grid.RowCount(), 5);
    EXPECT_EQ(Grid.FixedFooters(), 1);
    EXPECT_EQ(Column(0), L({"#", "1", "2", "3", "f"}));
    EXPECT_EQ(Grid.Cells(0, 5), QString());
}

TEST_F(SortTest, IndexedSortAndItsFailure)
{
    Fill({L({"a", "b", "c"}), L({"1", "x", "3"}), L({"2", "y", "1"}), L({"1", "y", "2"}),
          L({"2", "x", "9"})});
    Grid.SetFixedRows(1);
    const QStringList before = Column(2);
    try {
        Grid.QSortIndexed();
        FAIL() << "no exception";
    } catch (const EDazGridError &e) {
        EXPECT_STREQ(e.what(), "No indexes specified for indexed sort");
    }
    EXPECT_EQ(Column(2), before);
    Grid.SortIndexes().LoadFromString(QStringLiteral("u1;d0"));
    Grid.QSortIndexed();
    EXPECT_EQ(Column(2), L({"c", "9", "3", "1", "2"}));
    EXPECT_EQ(Grid.SortIndexes().Count(), 2);
}

TEST_F(SortTest, GroupSortsSortOnlyTheDeepestChildren)
{
    Fill({L({"", "h"}), L({"", "G1"}), L({"", "c"}), L({"", "a"}), L({"", "b"}), L({"", "G2"}),
          L({"", "z"}), L({"", "y"}), L({"", "S"})});
    Grid.SetFixedRows(1);
    Grid.AddNode(1, 4);
    Grid.AddNode(5, 3);
    Grid.SortSettings().SetColumn(1);
    Grid.QSortGroup();
    EXPECT_EQ(Column(1), L({"h", "G1", "a", "b", "c", "G2", "y", "z", "S"}));
    Grid.SortIndexes().LoadFromString(QStringLiteral("d1"));
    Grid.QSortGroupIndexed();
    EXPECT_EQ(Column(1), L({"h", "G1", "c", "b", "a", "G2", "z", "y", "S"}));
}

TEST_F(SortTest, UnSortReturnsToTheFirstOrder)
{
    std::vector<QStringList> rows{L({"h", "h"})};
    std::mt19937 rng(7);
    for (int i = 0; i < 200; ++i)
        rows.push_back(QStringList{QString::number(rng() % 50), QString::number(i)});
    Fill(rows);
    Grid.SetFixedRows(1);
    const QStringList original = Column(1);
    Sort(Grid, 0, sdAscending);
    Sort(Grid, 0, sdDescending);   // the cross-reference survives
    EXPECT_NE(Column(1), original);
    Grid.QUnSort();
    EXPECT_EQ(Column(1), original);
    EXPECT_TRUE(XRefIsIdentity());
    Grid.QUnSort();
    EXPECT_EQ(Column(1), original);
    // A row count change makes the next sort start a new cross-reference.
    Grid.SetRowCount(150);
    Sort(Grid, 0, sdAscending);
    EXPECT_EQ(Grid.SortRowXRef().Count(), 150);
}

// The mend: whatever the order of the rows, the sort recurses at most log2(n) deep. The
// comparison handler plays the adversary that makes a middle-pivot quicksort quadratic.
TEST_F(SortTest, AdversarialOrderStaysShallow)
{
    const int n = 1500;
    std::vector<QStringList> rows;
    for (int i = 0; i < n; ++i)
        rows.push_back(QStringList{QString::number(i)});
    Fill(rows);
    std::vector<int> value(size_t(n), INT_MAX);   // INT_MAX: not yet decided ("gas")
    int solid = 0, candidate = -1;
    Grid.OnGetFormat = [](TObject *, int, TSortStyle &Style, QString &, QString &) { Style = ssCustom; };
    Grid.OnCustomCompare = [&](TObject *, const QString &A, const QString &B, int &Res) {
        const int x = A.toInt(), y = B.toInt();
        if (value[size_t(x)] == INT_MAX && value[size_t(y)] == INT_MAX)
            value[size_t(x == candidate ? x : y)] = solid++;
        if (value[size_t(x)] == INT_MAX)
            candidate = x;
        else if (value[size_t(y)] == INT_MAX)
            candidate = y;
        Res = value[size_t(x)] > value[size_t(y)] ? 1 : (value[size_t(x)] == value[size_t(y)] ? 0 : -1);
    };
    Sort(Grid, 0, sdAscending);
    EXPECT_LE(LastSortDepth(), 11);   // log2(1500) < 11
    for (int r = 1; r < n; ++r)
        ASSERT_LE(value[size_t(Grid.Cells(0, r - 1).toInt())], value[size_t(Grid.Cells(0, r).toInt())]);
}

TEST_F(SortTest, SortByColumnAndSortLine)
{
    Fill({L({"b"})});
    SortByColumn(Grid, 0);
    EXPECT_EQ(Grid.SortSettings().Column(), -1);   // one row: nothing
    Fill({L({"b", "1"}), L({"b", "0"})});
    SortByColumn(Grid, 0);
    EXPECT_EQ(Grid.SortSettings().Column(), 0);
    Grid.SetCells(1, 0, QStringLiteral("1"));
    Grid.SetCells(1, 1, QStringLiteral("0"));
    EXPECT_TRUE(SortLine(Grid, 0, 0, 1));   // equal in column 0, out of order in column 1
    EXPECT_EQ(Column(1), L({"0", "1"}));
    EXPECT_FALSE(SortLine(Grid, 0, 0, 1));
    QuickSort(Grid, 1, 0, 1);
    EXPECT_EQ(Grid.RowCount(), 2);
}

TEST_F(SortTest, SettingsStringSavedAndLoaded)
{
    Fill({L({"a", "b"}), L({"2", "x"}), L({"1", "y"}), L({"2", "z"}), L({"1", "w"}), L({"3", "v"})});
    Grid.SetColCount(6);
    Grid.SetFixedRows(1);
    TSortSettings &s = Grid.SortSettings();
    s.SetColumn(3);
    EXPECT_EQ(s.SaveToString(), QStringLiteral("u3"));
    s.SetColumn(4);
    s.SetDirection(sdDescending);
    EXPECT_EQ(s.SaveToString(), QStringLiteral("d4"));
    s.SetIndexShow(true);
    EXPECT_EQ(s.SaveToString(), QStringLiteral("i;"));
    Grid.SortIndexes().AddIndex(2, true);
    Grid.SortIndexes().AddIndex(0, false);
    EXPECT_EQ(s.SaveToString(), QStringLiteral("i;u2;d0"));

    s.SetIndexShow(false);
    s.LoadFromString(QStringLiteral("i;d1;u0"));
    EXPECT_TRUE(s.Show());
    EXPECT_TRUE(s.IndexShow());
    EXPECT_EQ(Column(1), L({"b", "z", "y", "x", "w", "v"}));
    EXPECT_EQ(Column(0), L({"a", "2", "1", "2", "1", "3"}));
    s.LoadFromString(QStringLiteral("d1"));
    EXPECT_FALSE(s.IndexShow());
    EXPECT_EQ(s.Column(), 1);
    EXPECT_EQ(s.Direction(), sdDescending);
    s.LoadFromString(QStringLiteral("u0"));
    EXPECT_EQ(Column(0), L({"a", "1", "1", "2", "2", "3"}));
    s.LoadFromString(QStringLiteral("x5"));
    EXPECT_EQ(s.Column(), 5);
    EXPECT_EQ(s.Direction(), sdDescending);
    const QString before = Column(0).join(',');
    s.SetShow(false);
    try {
        s.LoadFromString(QStringLiteral("u"));
        FAIL() << "no exception";
    } catch (const std::exception &e) {
        EXPECT_STREQ(e.what(), "Invalid sort settings specifier");
    }
    EXPECT_TRUE(s.Show());
    s.SetShow(false);
    s.LoadFromString(QString());
    EXPECT_FALSE(s.Show());
    EXPECT_EQ(Column(0).join(','), before);
}

TEST_F(SortTest, SettingsRowAssignRemoveToggle)
{
    Fill({L({"a"}), L({"b"}), L({"c"})});
    Grid.SetFixedRows(1);
    TSortSettings &s = Grid.SortSettings();
    s.SetRow(1);   // equal to FixedRows: accepted
    EXPECT_EQ(s.Row(), 1);
    try {
        s.SetRow(2);
        FAIL() << "no exception";
    } catch (const std::exception &e) {
        EXPECT_STREQ(e.what(), "Sort row should be smaller than number of fixed rows");
    }
    EXPECT_EQ(s.Row(), 1);

    TDazStringGrid other;
    TSortSettings &src = other.SortSettings();
    src.SetColumn(2);
    src.SetDirection(sdDescending);
    src.SetIgnoreCase(true);
    src.SetSortOnVirtualCells(false);
    src.SetUndoSort(true);
    src.SetIndexColor(0x123456);
    s.Assign(&src);
    EXPECT_EQ(s.Column(), 2);
    EXPECT_EQ(s.Direction(), sdDescending);
    EXPECT_TRUE(s.UndoSort());
    EXPECT_EQ(s.IndexColor(), 0x123456u);
    EXPECT_FALSE(s.IgnoreCase());
    EXPECT_TRUE(s.SortOnVirtualCells());
    s.ToggleDirection();
    EXPECT_EQ(s.Direction(), sdAscending);
    Grid.SortIndexes().AddIndex(0, true);
    s.Remove();
    EXPECT_EQ(s.Column(), -1);
    EXPECT_EQ(Grid.SortIndexes().Count(), 0);
}

// Header clicks through the grid's own mouse handling and the installed tools.
TEST_F(SortTest, HeaderClicksSortFlipAndUndo)
{
    Fill({L({"h0", "h1"}), L({"b", "2"}), L({"c", "3"}), L({"a", "1"})});
    Grid.SetFixedRows(1);
    Grid.SetDefaultRowHeight(20);
    Grid.SetDefaultColWidth(60);
    Grid.resize(300, 200);
    Grid.show();
    QApplication::processEvents();
    TEventLog log(Grid);
    Grid.SortSettings().SetShow(true);
    Grid.SortSettings().SetUndoSort(true);
    log.Click(log.At(0, 0, 20));
    EXPECT_EQ(Column(0), L({"h0", "a", "b", "c"}));
    log.Click(log.At(0, 0, 20));
    EXPECT_EQ(Column(0), L({"h0", "c", "b", "a"}));
    log.Click(log.At(0, 0, 20));
    EXPECT_EQ(Column(0), L({"h0", "b", "c", "a"}));   // back to the unsorted order
    EXPECT_EQ(Grid.SortSettings().Column(), -1);
    EXPECT_EQ(log.Only({"ClickSort"}), L({"ClickSort 0", "ClickSort 0", "ClickSort -1"}));
    // A plain click with IndexShow makes the index that column alone.
    Grid.SortSettings().SetIndexShow(true);
    Grid.SortIndexes().AddIndex(0, true);
    log.Click(log.At(1, 0, 20));
    EXPECT_EQ(Grid.SortIndexes().SaveToString(), QStringLiteral("u1"));
    EXPECT_EQ(Column(1), L({"h1", "1", "2", "3"}));
    log.Click(log.At(1, 0, 20));
    EXPECT_EQ(Grid.SortIndexes().SaveToString(), QStringLiteral("d1"));
    EXPECT_EQ(Column(1), L({"h1", "3", "2", "1"}));
    // A vetoed click changes nothing.
    Grid.OnCanSort = [](TObject *, int, bool &DoSort) { DoSort = false; };
    log.Click(log.At(1, 0, 20));
    EXPECT_EQ(Column(1), L({"h1", "3", "2", "1"}));
}

TEST_F(SortTest, HeaderClickRemergesMergedColumns)
{
    Fill({L({"h", "k"}), L({"x", "2"}), L({"x", "1"}), L({"y", "3"})});
    Grid.SetFixedRows(1);
    Grid.resize(300, 200);
    Grid.show();
    QApplication::processEvents();
    Grid.MergedColumns().Add(0);
    Grid.MergeColumnCells(0, true);
    ASSERT_TRUE(Grid.IsMergedCell(0, 1));
    TEventLog log(Grid);
    Grid.SortSettings().SetShow(true);
    Grid.SortSettings().SetAutoColumnMerge(true);
    Grid.SortSettings().SetInitSortDirection(sdDescending);
    log.Click(log.At(1, 0, 20));
    EXPECT_EQ(Column(1), L({"k", "3", "2", "1"}));
    EXPECT_FALSE(Grid.IsMergedCell(0, 1));   // y stands alone now
    EXPECT_TRUE(Grid.IsMergedCell(0, 2));
    EXPECT_TRUE(Grid.IsMergedCell(0, 3));
}

TEST_F(SortTest, VirtualCellsCompareTheDisplayedTexts)
{
    Fill({L({"1", "a"}), L({"3", "b"}), L({"2", "c"}), L({"5", "d"})});
    Grid.OnGetDisplText = [](TObject *, int ACol, int, QString &Value) {
        if (ACol == 0)
            Value = QString::number(10 - Value.toInt());
    };
    Sort(Grid, 0, sdAscending);
    EXPECT_EQ(Column(1), L({"d", "b", "c", "a"}));
    Grid.SortSettings().SetSortOnVirtualCells(false);
    Sort(Grid, 0, sdAscending);
    EXPECT_EQ(Column(1), L({"a", "c", "b", "d"}));
}

// The sort reads the sort column's texts once per row when nothing but the texts decide;
// every comparison must still be CompareCells's, so the rows end in the same order as when
// a (do-nothing) format hook makes the sort ask CompareCells each time.
TEST_F(SortTest, RememberedKeysSortAsCompareCellsDoes)
{
    const char *pool[] = {"12", " 7", "+5", "-3", "1,234.5", "1e3", "abc", "", "3/4/2020",
                          "10:30", "9:15", "Zed", "zed", "0", "1.5", "1.5x", "2/2/2021", "$4"};
    std::mt19937 rng(99);
    std::vector<QStringList> rows;
    for (int i = 0; i < 400; ++i)
        rows.push_back(QStringList{QString::fromUtf8(pool[rng() % std::size(pool)]),
                                   QString::fromUtf8(pool[rng() % std::size(pool)]),
                                   QString::number(i)});
    for (const bool blanks : {false, true})
        for (const TSortDirection dir : {sdAscending, sdDescending}) {
            QStringList orders[2];
            for (int hook = 0; hook < 2; ++hook) {
                Fill(rows);
                Grid.SortSettings().SetIgnoreBlanks(blanks);
                Grid.OnGetFormat = nullptr;
                if (hook)
                    Grid.OnGetFormat = [](TObject *, int, TSortStyle &, QString &, QString &) {};
                Sort(Grid, 0, dir);
                orders[hook] = Column(2);
            }
            EXPECT_EQ(orders[0], orders[1]) << "blanks " << blanks << " direction " << int(dir);
        }
}

// Ties under a key-only sort (Full off), case rules, dates, times and mixed texts: the
// remembered keys order the rows, the cross-reference and the current row exactly as the
// comparison of whole rows does.
TEST_F(SortTest, RememberedKeysKeepTheOrderOfTies)
{
    const char *pool[] = {"12", "12", "7", "abc", "ABC", "Abc", "", "3/4/2020", "03/4/2020",
                          "4/3/2020 10:00", "10:30", "9:15", "1:2", "a/b", "1/x", "zed", "Zed",
                          "1.5", "1e3", "-3", "12/", "/12"};
    std::mt19937 rng(7);
    std::vector<QStringList> rows;
    for (int i = 0; i < 300; ++i)
        rows.push_back(QStringList{QString::fromUtf8(pool[rng() % std::size(pool)]),
                                   QString::number(i % 5), QString::number(i)});
    struct Case { bool Full, IgnoreCase, Blanks; TSortDirection Dir; };
    const Case cases[] = {{false, false, false, sdAscending}, {false, true, false, sdDescending},
                          {false, false, true, sdDescending}, {true, true, true, sdAscending}};
    for (const Case &c : cases) {
        QStringList orders[2];
        QList<int> xrefs[2];
        int current[2] = {0, 0};
        for (int hook = 0; hook < 2; ++hook) {
            Fill(rows);
            Grid.InitSortXRef();
            Grid.Navigation().SetMoveRowOnSort(true);
            Grid.SetRow(17);
            Grid.SortSettings().SetFull(c.Full);
            Grid.SortSettings().SetIgnoreCase(c.IgnoreCase);
            Grid.SortSettings().SetIgnoreBlanks(c.Blanks);
            Grid.OnGetFormat = nullptr;
            if (hook)
                Grid.OnGetFormat = [](TObject *, int, TSortStyle &, QString &, QString &) {};
            Sort(Grid, 0, c.Dir);
            orders[hook] = Column(2);
            for (int i = 0; i < Grid.SortRowXRef().Count(); ++i)
                xrefs[hook] << Grid.SortRowXRef().GetInteger(i);
            current[hook] = Grid.Row();
        }
        EXPECT_EQ(orders[0], orders[1]) << "full " << c.Full << " case " << c.IgnoreCase;
        EXPECT_EQ(xrefs[0], xrefs[1]);
        EXPECT_EQ(current[0], current[1]);
    }
}

// The index key held during a header click adds a column to the sort index or toggles it.
TEST_F(SortTest, HeaderClickWithTheIndexKeyBuildsTheIndex)
{
    Fill({L({"h0", "h1"}), L({"b", "2"}), L({"a", "2"}), L({"a", "1"})});
    Grid.SetFixedRows(1);
    Grid.resize(300, 200);
    Grid.show();
    QApplication::processEvents();
    TEventLog log(Grid);
    Grid.SortSettings().SetShow(true);
    Grid.SortSettings().SetIndexShow(true);
    log.Click(log.At(0, 0, 20));
    EXPECT_EQ(Grid.SortIndexes().SaveToString(), QStringLiteral("u0"));
    QWindow *w = Grid.windowHandle();
    ASSERT_NE(w, nullptr);
    QTest::keyPress(w, Qt::Key_Shift, Qt::ShiftModifier);
    log.Click(log.At(1, 0, 20));
    EXPECT_EQ(Grid.SortIndexes().SaveToString(), QStringLiteral("u0;u1"));
    EXPECT_EQ(Column(1), L({"h1", "1", "2", "2"}));
    log.Click(log.At(1, 0, 20));
    EXPECT_EQ(Grid.SortIndexes().SaveToString(), QStringLiteral("u0;d1"));
    EXPECT_EQ(Column(1), L({"h1", "2", "1", "2"}));
    QTest::keyRelease(w, Qt::Key_Shift);
    Grid.SortSettings().SetIndexSortKey(ikCtrl);   // Shift no longer adds
    QTest::keyPress(w, Qt::Key_Shift, Qt::ShiftModifier);
    log.Click(log.At(1, 0, 20));
    QTest::keyRelease(w, Qt::Key_Shift);
    EXPECT_EQ(Grid.SortIndexes().SaveToString(), QStringLiteral("u1"));
    EXPECT_EQ(Grid.SortSettings().Column(), 1);
}

TEST_F(SortTest, CellObjectsTravelWithTheirRows)
{
    Fill({L({"n", "key"}), L({"a", "3"}), L({"b", "1"}), L({"c", "2"})});
    Grid.SetFixedCols(0);
    Grid.SetFixedRows(1);
    for (int r = 1; r < 4; ++r)
        Grid.SetObjectEx(0, r, uintptr_t(r));
    Sort(Grid, 1, sdAscending);
    EXPECT_EQ(Column(0), L({"n", "b", "c", "a"}));
    EXPECT_EQ(Grid.GetObjectEx(0, 1), uintptr_t(2));
    EXPECT_EQ(Grid.GetObjectEx(0, 2), uintptr_t(3));
    EXPECT_EQ(Grid.GetObjectEx(0, 3), uintptr_t(1));
    Grid.QSort();   // sorting again in the same order moves nothing
    EXPECT_EQ(Column(0), L({"n", "b", "c", "a"}));
    EXPECT_EQ(Grid.GetObjectEx(0, 3), uintptr_t(1));
}
