// The hidden column table and the hidden-row store against stand-in grids.
#include "grid/string/hiddenindex.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// A grid's columns as column hiding sees them.
class TFakeColumns : public THiddenColumnsHost
{
public:
    explicit TFakeColumns(std::vector<int> widths) : Widths(std::move(widths)) {}
    int HostColCount() const override { return int(Widths.size()); }
    void HostSetColCount(int Value) override { Widths.resize(size_t(Value), 64); }
    int HostColWidth(int ACol) const override { return Widths.at(size_t(ACol)); }
    void HostSetColWidth(int ACol, int Value) override { Widths.at(size_t(ACol)) = Value; }
    int HostCol() const override { return Col; }
    void HostSetCol(int Value) override { Col = Value; }
    std::vector<int> Widths;
    int Col = 0;
};

struct TFakeRow
{
    QString Text;   // stands for every cell of the row
    int Height = 20;
    TObject *Object = nullptr;
    bool operator==(const TFakeRow &) const = default;
};

// A grid's rows as row hiding sees them.
class TFakeRows : public THiddenRowsHost
{
public:
    explicit TFakeRows(int count)
    {
        for (int i = 0; i < count; ++i)
            Rows.push_back({QString::number(i), 20 + i, nullptr});
    }
    int HostRowCount() const override { return int(Rows.size()); }
    void HostSaveRow(int ARow, TGridItem &Item) override
    {
        const TFakeRow &row = Rows.at(size_t(ARow));
        Item.Items().Clear();
        Item.Items().AddObject(row.Text, row.Object);
        Item.SetHeight(row.Height);
    }
    void HostRestoreRow(int ARow, TGridItem &Item) override
    {
        TFakeRow &row = Rows.at(size_t(ARow));
        EXPECT_TRUE(row.Text.isEmpty()) << "restored into a filled row";
        row = {Item.Items().Strings(0), Item.Height(), Item.Items().Objects(0)};
    }
    void HostRemoveRows(const std::vector<int> &Remove) override
    {
        ++Removals;
        for (auto it = Remove.rbegin(); it != Remove.rend(); ++it)
            Rows.erase(Rows.begin() + *it);
    }
    void HostInsertRows(const std::vector<int> &Insert) override
    {
        ++Insertions;
        for (int r : Insert)
            Rows.insert(Rows.begin() + r, TFakeRow{{}, 0, nullptr});
    }
    QStringList Texts() const
    {
        QStringList list;
        for (const TFakeRow &row : Rows)
            list << row.Text;
        return list;
    }
    std::vector<TFakeRow> Rows;
    int Removals = 0;
    int Insertions = 0;
};

QStringList Numbers(std::initializer_list<int> values)
{
    QStringList list;
    for (int v : values)
        list << QString::number(v);
    return list;
}

}   // namespace

TEST(HiddenIndexMap, BothDirectionsAgreeWithAWalk)
{
    struct Case
    {
        std::vector<int> hidden;
    };
    const Case cases[] = {{{}}, {{0}}, {{1}}, {{3, 4}}, {{0, 1, 2}}, {{2, 5, 6, 9}}, {{7}}};
    for (const Case &c : cases) {
        // Reference: walk the real indexes 0..19 counting the shown ones.
        int shown = 0;
        for (int r = 0; r < 20; ++r) {
            const bool hidden = std::count(c.hidden.begin(), c.hidden.end(), r) > 0;
            EXPECT_EQ(HiddenIndex::RealToDispl(c.hidden, r), shown) << r;
            if (!hidden) {
                EXPECT_EQ(HiddenIndex::DisplToReal(c.hidden, shown), r) << shown;
                ++shown;
            }
        }
        EXPECT_EQ(HiddenIndex::DisplToReal(c.hidden, -1), -1);
        EXPECT_EQ(HiddenIndex::DisplToReal(c.hidden, -5), -5);
    }
}

TEST(HiddenColumns, HidingColumnOneOfFive)
{
    THiddenColumns columns;
    TFakeColumns grid({40, 41, 42, 43, 44});
    EXPECT_TRUE(columns.Hide(1, 1, grid));
    EXPECT_EQ(grid.HostColCount(), 4);
    EXPECT_EQ(columns.Count(), 1);
    EXPECT_EQ(columns.DisplToReal(1), 2);
    EXPECT_EQ(columns.RealToDispl(2), 1);
    EXPECT_EQ(columns.RealToDispl(1), 1);   // the next shown column
    EXPECT_EQ(columns.DisplToReal(0), 0);
    EXPECT_EQ(columns.DisplToReal(3), 4);
    EXPECT_EQ(columns.DisplToReal(4), 5);   // past the shown columns: the store's next column
    EXPECT_EQ(columns.DisplToReal(-1), -1);
    EXPECT_EQ(grid.Widths, (std::vector<int>{40, 42, 43, 44}));
    EXPECT_EQ(columns.SavedWidth(1), 41);
    EXPECT_TRUE(columns.IsHidden(1));
    EXPECT_FALSE(columns.IsHidden(600));
    EXPECT_FALSE(columns.IsHidden(-1));

    EXPECT_TRUE(columns.UnHide(0, 5, grid));
    EXPECT_EQ(grid.Widths, (std::vector<int>{40, 41, 42, 43, 44}));
    EXPECT_EQ(columns.Count(), 0);
    EXPECT_EQ(columns.DisplToReal(3), 3);
}

TEST(HiddenColumns, TheLastShownColumnStays)
{
    THiddenColumns columns;
    TFakeColumns grid({10, 20, 30});
    columns.Hide(1, 3, grid);
    EXPECT_EQ(grid.HostColCount(), 1);
    EXPECT_TRUE(columns.IsHidden(1));
    EXPECT_TRUE(columns.IsHidden(2));
    EXPECT_FALSE(columns.Hide(0, 0, grid));
    EXPECT_FALSE(columns.IsHidden(0));
    EXPECT_EQ(grid.Widths, std::vector<int>{10});
}

TEST(HiddenColumns, RequestsThatDoNotApplyAreIgnored)
{
    THiddenColumns columns;
    TFakeColumns grid({10, 20, 30});
    EXPECT_FALSE(columns.Hide(3, 700, grid));    // beyond the real columns
    EXPECT_FALSE(columns.Hide(-5, -1, grid));
    EXPECT_FALSE(columns.UnHide(0, 600, grid));  // nothing hidden
    columns.Hide(1, 1, grid);
    EXPECT_FALSE(columns.Hide(1, 1, grid));      // hidden already
    EXPECT_EQ(grid.HostColCount(), 2);
    EXPECT_EQ(columns.Count(), 1);
}

TEST(HiddenColumns, CurrentColumnInTheLastDisplayColumnMovesLeft)
{
    THiddenColumns columns;
    TFakeColumns grid({10, 20, 30, 40});
    grid.Col = 3;
    columns.Hide(0, 0, grid);
    EXPECT_EQ(grid.Col, 2);
    grid.Col = 1;
    columns.Hide(3, 3, grid);
    EXPECT_EQ(grid.Col, 1);
}

TEST(HiddenColumns, ColumnsHiddenInAnyOrderComeBackWithTheirWidths)
{
    THiddenColumns columns;
    std::vector<int> widths;
    for (int i = 0; i < 12; ++i)
        widths.push_back(30 + i);
    TFakeColumns grid(widths);
    for (int c : {7, 2, 9, 3, 11})
        columns.Hide(c, c, grid);
    EXPECT_EQ(grid.Widths, (std::vector<int>{30, 31, 34, 35, 36, 38, 40}));
    columns.UnHide(9, 9, grid);
    columns.UnHide(2, 3, grid);
    columns.UnHide(11, 11, grid);
    columns.UnHide(7, 7, grid);
    EXPECT_EQ(grid.Widths, widths);
}

TEST(HiddenColumns, ColumnOf511ComesBackInPlace)
{
    THiddenColumns columns;
    std::vector<int> widths(520, 5);
    widths[511] = 77;
    widths[512] = 88;
    TFakeColumns grid(widths);
    columns.Hide(511, 511, grid);
    EXPECT_EQ(grid.Widths[511], 88);
    columns.UnHide(511, 511, grid);
    EXPECT_EQ(grid.Widths, widths);
    EXPECT_EQ(columns.RealToDispl(515), 515);
}

TEST(HiddenColumns, TableFollowsInsertedRemovedAndMovedColumns)
{
    THiddenColumns columns;
    TFakeColumns grid({10, 20, 30, 40, 50, 60});
    columns.Hide(2, 2, grid);
    columns.Hide(4, 4, grid);

    columns.ColumnsInserted(1, 2, 6);   // 2 -> 4, 4 -> 6
    EXPECT_EQ(columns.Hidden(), (std::vector<int>{4, 6}));
    EXPECT_EQ(columns.SavedWidth(4), 30);
    EXPECT_EQ(columns.SavedWidth(6), 50);

    columns.ColumnsRemoved(3, 2, 8);    // 4 removed, 6 -> 4
    EXPECT_EQ(columns.Hidden(), std::vector<int>{4});
    EXPECT_EQ(columns.SavedWidth(4), 50);

    columns.ColumnMoved(4, 0);
    EXPECT_EQ(columns.Hidden(), std::vector<int>{0});
    EXPECT_EQ(columns.SavedWidth(0), 50);
    columns.ColumnMoved(0, 600);        // outside the table: ignored
    EXPECT_EQ(columns.Hidden(), std::vector<int>{0});
}

TEST(HiddenRows, HidingRowsThreeAndFourOfTen)
{
    THiddenRows store;
    TFakeRows grid(10);
    store.HideRows(3, 4, grid);
    EXPECT_EQ(grid.HostRowCount(), 8);
    EXPECT_EQ(store.Count(), 2);
    EXPECT_EQ(store.DisplToReal(3), 5);
    EXPECT_EQ(store.RealToDispl(5), 3);
    EXPECT_EQ(store.RealToDispl(4), 3);
    EXPECT_TRUE(store.IsHidden(4));
    EXPECT_FALSE(store.IsHidden(5));
    ASSERT_NE(store.Find(4), nullptr);
    EXPECT_EQ(store.Find(4)->Items().Strings(0), "4");
    EXPECT_EQ(store.Find(4)->Height(), 24);
    EXPECT_EQ(store.Find(4)->Idx(), 4);
    EXPECT_EQ(store.Find(5), nullptr);
    EXPECT_EQ(grid.Texts(), Numbers({0, 1, 2, 5, 6, 7, 8, 9}));
}

TEST(HiddenRows, HidingARangeAroundAHiddenRowSavesEachShownRowOnce)
{
    THiddenRows store;
    TFakeRows grid(10);
    TObject check;
    grid.Rows[4].Object = &check;
    store.HideRows(3, 3, grid);
    store.HideRows(2, 5, grid);
    EXPECT_EQ(grid.Texts(), Numbers({0, 1, 6, 7, 8, 9}));
    EXPECT_EQ(store.Rows(), (std::vector<int>{2, 3, 4, 5}));
    for (int r : {2, 3, 4, 5}) {
        EXPECT_EQ(store.Find(r)->Items().Strings(0), QString::number(r));
        EXPECT_EQ(store.Find(r)->Height(), 20 + r);
    }
    EXPECT_EQ(store.Find(4)->Items().Objects(0), &check);
    store.HideRows(2, 5, grid);   // all hidden already
    EXPECT_EQ(grid.Removals, 2);

    const auto before = TFakeRows(10).Rows;
    store.UnHideRows(2, 5, grid);
    EXPECT_EQ(grid.Texts(), TFakeRows(10).Texts());
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(grid.Rows[size_t(r)].Height, before[size_t(r)].Height);
    EXPECT_EQ(grid.Rows[4].Object, &check);
    EXPECT_EQ(store.Count(), 0);
}

TEST(HiddenRows, RangesAreClampedToTheRowsThatExist)
{
    THiddenRows store;
    TFakeRows grid(10);
    store.HideRows(8, 100, grid);
    EXPECT_EQ(store.Rows(), (std::vector<int>{8, 9}));
    store.HideRows(-4, 0, grid);
    EXPECT_EQ(store.Rows(), (std::vector<int>{0, 8, 9}));
    store.HideRows(50, 60, grid);
    store.HideRows(5, 4, grid);
    EXPECT_EQ(store.Count(), 3);
    EXPECT_FALSE(store.UnHideRow(5, grid));
    store.UnHideRows(1, 9, grid);   // row 1 is shown: nothing
    EXPECT_EQ(store.Count(), 3);
}

TEST(HiddenRows, ASetOfRowsIsHiddenInOnePassAndTheLastShownRowStays)
{
    THiddenRows store;
    TFakeRows grid(8);
    store.HideRows(2, 2, grid);
    store.HideRowSet({6, 2, 0, 6, 40}, grid);
    EXPECT_EQ(store.Rows(), (std::vector<int>{0, 2, 6}));
    EXPECT_EQ(grid.Texts(), Numbers({1, 3, 4, 5, 7}));
    EXPECT_EQ(grid.Removals, 2);
    store.HideRows(0, 7, grid);
    EXPECT_EQ(grid.Texts(), Numbers({7}));
    store.HideRowList({0}, grid);
    EXPECT_EQ(grid.Texts(), Numbers({7}));
    store.UnHideRowsAll(grid);
    EXPECT_EQ(grid.Texts(), TFakeRows(8).Texts());
}

TEST(HiddenRows, UnHideRowsAllPutsEveryRowBackInOnePass)
{
    THiddenRows store;
    TFakeRows grid(10);
    store.HideRows(2, 3, grid);
    store.HideRows(7, 7, grid);
    store.UnHideRowsAll(grid);
    EXPECT_EQ(grid.Texts(), TFakeRows(10).Texts());
    EXPECT_EQ(grid.Insertions, 1);
    EXPECT_EQ(store.Count(), 0);
}

TEST(HiddenRows, SingleRowComesBackBetweenItsNeighbours)
{
    THiddenRows store;
    TFakeRows grid(10);
    store.HideRows(3, 4, grid);
    EXPECT_TRUE(store.UnHideRow(4, grid));
    EXPECT_EQ(grid.Texts(), Numbers({0, 1, 2, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(store.DisplToReal(3), 4);
    EXPECT_TRUE(store.UnHideRow(3, grid));
    EXPECT_EQ(grid.Texts(), TFakeRows(10).Texts());
}

TEST(HiddenRows, FilterStepsComeBackOneLevelAtATime)
{
    THiddenRows store;
    TFakeRows grid(10);
    store.HideRowList({1, 4}, grid);              // hides 1 and 4
    EXPECT_EQ(store.HideLevel(), 1);
    EXPECT_EQ(grid.Texts(), Numbers({0, 2, 3, 5, 6, 7, 8, 9}));
    store.HideRowList({0, 3, 4}, grid);           // display rows: hides 0, 5 and 6
    EXPECT_EQ(store.HideLevel(), 2);
    EXPECT_EQ(grid.Texts(), Numbers({2, 3, 7, 8, 9}));
    EXPECT_EQ(store.Rows(), (std::vector<int>{0, 1, 4, 5, 6}));
    EXPECT_EQ(store.Find(5)->Idx(), 3);           // its display row at that step
    EXPECT_EQ(store.Find(5)->Level(), 1);
    EXPECT_EQ(store.DisplToReal(2), 7);

    EXPECT_EQ(store.UnHideRowList(grid), 3);
    store.SetHideLevel(store.HideLevel() - 1);
    EXPECT_EQ(grid.Texts(), Numbers({0, 2, 3, 5, 6, 7, 8, 9}));
    EXPECT_EQ(store.UnHideRowList(grid), 2);
    store.SetHideLevel(store.HideLevel() - 1);
    EXPECT_EQ(grid.Texts(), TFakeRows(10).Texts());
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(grid.Rows[size_t(r)].Height, 20 + r);
    EXPECT_EQ(store.UnHideRowList(grid), 0);      // level 0: nothing to show
}

TEST(HiddenRows, ABadFilterListRemovesOnlyRowsThatExistOnce)
{
    THiddenRows store;
    TFakeRows grid(6);
    store.HideRowList({4, 1, 4, -1, 9}, grid);
    EXPECT_EQ(grid.Texts(), Numbers({0, 2, 3, 5}));
    EXPECT_EQ(store.Rows(), (std::vector<int>{1, 4}));
}

TEST(HiddenRows, SingleHidesAndFilterStepsMix)
{
    THiddenRows store;
    TFakeRows grid(10);
    store.HideRows(2, 2, grid);
    store.HideRowList({4, 5}, grid);   // real rows 5 and 6
    EXPECT_EQ(store.Rows(), (std::vector<int>{2, 5, 6}));
    store.SetHideLevel(2);             // a second step that hid nothing
    EXPECT_EQ(store.UnHideRowList(grid), 0);
    store.SetHideLevel(1);
    EXPECT_EQ(store.UnHideRowList(grid), 3);   // level 0 includes the single hide
    EXPECT_EQ(grid.Texts(), TFakeRows(10).Texts());
}

TEST(HiddenRows, RemovedRowsMoveTheHiddenRowsAfterThemUp)
{
    THiddenRows store;
    TFakeRows grid(10);
    store.HideRows(5, 5, grid);
    // The grid removes display row 2 (real 2).
    grid.Rows.erase(grid.Rows.begin() + 2);
    store.RowsRemoved(2, 1);
    EXPECT_EQ(store.Rows(), std::vector<int>{4});
    store.UnHideRowsAll(grid);
    EXPECT_EQ(grid.Texts(), Numbers({0, 1, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(grid.Rows[4].Text, "5");
}

TEST(HiddenRows, RemovedRowsAroundAHiddenRowCountOnlyThoseBelowIt)
{
    THiddenRows store;
    TFakeRows grid(10);
    store.HideRows(5, 5, grid);
    // Display rows 4 and 5 are real rows 4 and 6, on both sides of the hidden row.
    grid.Rows.erase(grid.Rows.begin() + 4, grid.Rows.begin() + 6);
    store.RowsRemoved(4, 2);
    EXPECT_EQ(store.Rows(), std::vector<int>{4});
    store.UnHideRowsAll(grid);
    EXPECT_EQ(grid.Texts(), Numbers({0, 1, 2, 3, 5, 7, 8, 9}));
}

TEST(HiddenRows, InsertedRowsMoveTheHiddenRowsAfterThemDown)
{
    THiddenRows store;
    TFakeRows grid(10);
    store.HideRows(3, 3, grid);
    store.HideRows(7, 7, grid);
    // Two rows inserted before display row 3 (real row 4): row 3 stays, row 7 moves.
    grid.Rows.insert(grid.Rows.begin() + 3, {TFakeRow{"a", 1}, TFakeRow{"b", 1}});
    store.RowsInserted(3, 2);
    EXPECT_EQ(store.Rows(), (std::vector<int>{3, 9}));
    store.UnHideRowsAll(grid);
    EXPECT_EQ(grid.Texts(), (QStringList{"0", "1", "2", "3", "a", "b", "4", "5", "6", "7", "8",
                                         "9"}));
}

namespace {

// A grid that parks its rows whole, as the string grid does: the row goes through a grid
// store of its own and comes back from the parked row.
class TParkingRows : public TFakeRows
{
public:
    using TFakeRows::TFakeRows;
    bool HostParksRows() const override { return true; }
    int HostParkedColumns() const override { return 1; }
    TGridStore::TParkedRow HostParkRow(int ARow, int &Height) override
    {
        const TFakeRow &row = Rows.at(size_t(ARow));
        Store.SetText(0, 0, row.Text);
        Store.SetObject(0, 0, row.Object);
        Height = row.Height;
        return Store.TakeRow(0);
    }
    void HostUnparkRow(int ARow, TGridStore::TParkedRow &&Row, int Height) override
    {
        TFakeRow &row = Rows.at(size_t(ARow));
        EXPECT_TRUE(row.Text.isEmpty()) << "restored into a filled row";
        Store.PutRow(0, std::move(Row));
        row = {Store.Text(0, 0), Height, Store.Object(0, 0)};
        Store.ClearRow(0);
    }
    TGridStore Store;
};

// Random hides, shows, filter steps, removals and insertions against a plain model: the
// real rows in order, each shown or hidden. Hidden texts are read through the records
// every CheckEvery steps (reading one makes its record).
template <class THost>
void RandomOperationsMatchAModel(int CheckEvery)
{
    std::mt19937 rng(12345);
    for (int round = 0; round < 40; ++round) {
        THiddenRows store;
        THost grid(30);
        struct ModelRow
        {
            QString Text;
            bool Hidden;
        };
        std::vector<ModelRow> model;
        for (int i = 0; i < 30; ++i)
            model.push_back({QString::number(i), false});
        int fresh = 100;
        bool filtered = false;
        for (int step = 0; step < 60; ++step) {
            const int rows = grid.HostRowCount();
            const int total = int(model.size());
            const int op = int(rng() % 6);
            if (op == 0 && total > 0) {
                const int a = int(rng() % unsigned(total));
                const int b = std::min(total - 1, a + int(rng() % 4));
                const bool any = std::any_of(model.begin() + a, model.begin() + b + 1,
                                             [](const ModelRow &m) { return !m.Hidden; });
                if (rows - int(std::count_if(model.begin() + a, model.begin() + b + 1,
                                             [](const ModelRow &m) { return !m.Hidden; })) >= 1 &&
                    any) {
                    store.HideRows(a, b, grid);
                    for (int i = a; i <= b; ++i)
                        model[size_t(i)].Hidden = true;
                }
            } else if (op == 1 && total > 0) {
                const int a = int(rng() % unsigned(total));
                const int b = std::min(total - 1, a + int(rng() % 4));
                if (!filtered) {
                    store.UnHideRows(a, b, grid);
                    if (model[size_t(a)].Hidden)
                        for (int i = a; i <= b; ++i)
                            model[size_t(i)].Hidden = false;
                }
            } else if (op == 2 && rows > 2 && !filtered) {
                std::vector<int> list;
                for (int r = 0; r < rows; ++r)
                    if (rng() % 4 == 0)
                        list.push_back(r);
                if (int(list.size()) < rows) {
                    for (int r : list)
                        model[size_t(HiddenIndex::DisplToReal(store.Rows(), r))].Hidden = true;
                    store.HideRowList(list, grid);
                    filtered = true;
                }
            } else if (op == 3 && filtered) {
                store.UnHideRowList(grid);
                store.SetHideLevel(0);
                for (auto &m : model)
                    m.Hidden = false;   // only the filter step and level-0 rows were hidden
                filtered = false;
            } else if (op == 4 && rows > 3 && rng() % 2 == 0) {
                std::vector<int> list;
                for (int r = 0; r < rows - 1; ++r)
                    if (rng() % 5 == 0)
                        list.push_back(r);
                for (auto it = list.rbegin(); it != list.rend(); ++it) {
                    model.erase(model.begin() + store.DisplToReal(*it));
                    grid.Rows.erase(grid.Rows.begin() + *it);
                }
                store.RowsRemoved(list);
            } else if (op == 4 && rows > 1) {
                const int d = int(rng() % unsigned(rows));
                const int n = std::min(rows - 1 - d, int(rng() % 3) + 1);
                if (n > 0) {
                    for (int j = n - 1; j >= 0; --j)
                        model.erase(model.begin() + store.DisplToReal(d + j));
                    grid.Rows.erase(grid.Rows.begin() + d, grid.Rows.begin() + d + n);
                    store.RowsRemoved(d, n);
                }
            } else if (op == 5) {
                const int d = int(rng() % unsigned(rows + 1));
                const int at = store.DisplToReal(d);
                const QString text = QString::number(fresh++);
                model.insert(model.begin() + std::min(at, int(model.size())), {text, false});
                grid.Rows.insert(grid.Rows.begin() + d, TFakeRow{text, 1});
                store.RowsInserted(d, 1);
            }
            // Compare the shown rows and the maps with the model.
            QStringList shown;
            int displ = 0;
            for (int r = 0; r < int(model.size()); ++r) {
                ASSERT_EQ(store.IsHidden(r), model[size_t(r)].Hidden)
                    << "round " << round << " step " << step << " row " << r;
                if (!model[size_t(r)].Hidden) {
                    shown << model[size_t(r)].Text;
                    ASSERT_EQ(store.DisplToReal(displ), r);
                    ASSERT_EQ(store.RealToDispl(r), displ);
                    ++displ;
                } else if (step % CheckEvery == 0) {
                    ASSERT_EQ(store.Find(r)->Items().Strings(0), model[size_t(r)].Text);
                }
            }
            ASSERT_EQ(grid.Texts(), shown) << "round " << round << " step " << step;
        }
        store.UnHideRowsAll(grid);
        QStringList all;
        for (const auto &m : model)
            all << m.Text;
        EXPECT_EQ(grid.Texts(), all);
    }
}

}   // namespace

TEST(HiddenRows, RandomOperationsMatchAModel)
{
    RandomOperationsMatchAModel<TFakeRows>(1);
}

// Parked rows and records made from them on request mix in one store.
TEST(HiddenRows, RandomOperationsOnParkedRowsMatchAModel)
{
    RandomOperationsMatchAModel<TParkingRows>(7);
}

// The maps with a hint answer as the plain ones, whatever the order of the questions and
// however the list changed since the hint was taken.
TEST(HiddenIndexHint, AnswersAsThePlainMapsInAnyOrder)
{
    std::mt19937 rng(7);
    int hint = 0;
    for (int round = 0; round < 50; ++round) {
        std::vector<int> hidden;
        for (int i = 0; i < 200; ++i)
            if (rng() % 3 == 0)
                hidden.push_back(i);
        for (int q = 0; q < 400; ++q) {
            // Runs of neighbours, with jumps both ways between them.
            const int index = q % 40 == 0 ? int(rng() % 260) - 5 : q % 260 - 5;
            EXPECT_EQ(HiddenIndex::DisplToReal(hidden, index, hint),
                      HiddenIndex::DisplToReal(hidden, index));
            if (index >= 0) {
                EXPECT_EQ(HiddenIndex::CountBelow(hidden, index, hint),
                          HiddenIndex::CountBelow(hidden, index));
            }
        }
    }
}
