// Random sequences of row hiding and showing on a real grid, checked after every step
// against a plain model of which real rows show: the maps, the texts, heights and check
// boxes of shown rows, and the texts of hidden rows. Also the store's whole-row parking.
#include "gridfixture.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

constexpr int kCols = 4;
constexpr int kRows = 40;

// Real row r shows unless Level[r] >= 0 (the filter step that hid it; 0 also for rows
// hidden otherwise).
struct TModel
{
    std::vector<int> Level = std::vector<int>(kRows, -1);
    int Step = 0;
    std::vector<int> Shown() const
    {
        std::vector<int> rows;
        for (int r = 0; r < kRows; ++r)
            if (Level[size_t(r)] < 0)
                rows.push_back(r);
        return rows;
    }
};

// Real row r has height 20 + r, a check box in column 3 on every fifth row, and an empty
// cell in column 2 on every third row.
void Fill(TDazStringGrid &g)
{
    for (int r = 0; r < kRows; ++r) {
        g.SetRowHeights(r, 20 + r);
        if (r % 3 == 0)
            g.SetCells(2, r, QString());
        if (r % 5 == 0)
            g.AddCheckBox(3, r, r % 2 == 0, false);
    }
}

QString Expected(int ACol, int ARealRow)
{
    return ACol == 2 && ARealRow % 3 == 0 ? QString()
                                            : QStringLiteral("%1:%2").arg(ACol).arg(ARealRow);
}

void Check(TDazStringGrid &g, const TModel &m, int Step)
{
    SCOPED_TRACE(Step);
    const std::vector<int> shown = m.Shown();
    ASSERT_EQ(g.RowCount(), int(shown.size()));
    ASSERT_EQ(g.NumHiddenRows(), kRows - int(shown.size()));
    for (int d = 0; d < int(shown.size()); ++d) {
        const int real = shown[size_t(d)];
        ASSERT_EQ(g.RealRowIndex(d), real);
        ASSERT_EQ(g.DisplRowIndex(real), d);
        ASSERT_EQ(g.RowHeights(d), 20 + real);
        for (int c = 0; c < kCols; ++c)
            ASSERT_EQ(g.Cells(c, d), Expected(c, real)) << c << "," << real;
        bool state = false;
        ASSERT_EQ(g.HasCheckBox(3, d), real % 5 == 0) << real;
        ASSERT_EQ(g.GetCheckBoxState(3, real, state), real % 5 == 0) << real;
        if (real % 5 == 0) {
            ASSERT_EQ(state, real % 2 == 0);
        }
    }
    for (int r = 0; r < kRows; ++r) {
        ASSERT_EQ(g.IsHiddenRow(r), m.Level[size_t(r)] >= 0) << r;
        if (m.Level[size_t(r)] >= 0) {
            ASSERT_EQ(g.AllCells(1, r), Expected(1, r));
        }
    }
}

}   // namespace

TEST(HiddenRowsRandom, HideAndShowSequencesMatchAModel)
{
    for (unsigned run = 1; run <= 20; ++run) {
        SCOPED_TRACE(run);
        auto g = NamedGrid(kCols, kRows);
        Fill(*g);
        TModel m;
        std::mt19937 rng(run);
        auto pick = [&](int n) { return int(rng() % unsigned(n)); };
        for (int step = 0; step < 40; ++step) {
            const std::vector<int> shown = m.Shown();
            const int op = pick(7);
            if (op <= 1 && shown.size() > 8) {
                // A real range: its shown rows go.
                const int from = pick(kRows);
                const int to = std::min(kRows - 1, from + pick(6));
                g->HideRows(from, to);
                for (int r = from; r <= to; ++r)
                    if (m.Level[size_t(r)] < 0)
                        m.Level[size_t(r)] = 0;
            } else if (op == 2 && shown.size() > 8) {
                // One filter step over display rows, given unsorted and with a duplicate.
                std::vector<int> displ;
                for (int i = 0; i < 4; ++i)
                    displ.push_back(pick(int(shown.size())));
                displ.push_back(displ.front());
                g->HideRowList(std::vector<int>(displ.rbegin(), displ.rend()));
                for (int d : displ)
                    m.Level[size_t(shown[size_t(d)])] = m.Step;
                ++m.Step;
            } else if (op == 3 && m.Step > 0) {
                g->UnHideRowList();
                g->SetHideLevel(g->HideLevel() - 1);
                --m.Step;
                for (int &level : m.Level)
                    if (level == m.Step)
                        level = -1;
            } else if (op == 4) {
                const int r = pick(kRows);
                g->UnHideRow(r);
                m.Level[size_t(r)] = -1;
            } else if (op == 5) {
                const int from = pick(kRows);
                const int to = std::min(kRows - 1, from + pick(10));
                g->UnHideRows(from, to);
                if (m.Level[size_t(from)] >= 0)
                    for (int r = from; r <= to; ++r)
                        m.Level[size_t(r)] = -1;
            } else if (op == 6 && pick(4) == 0) {
                g->UnHideRowsAll();
                for (int &level : m.Level)
                    level = -1;
            }
            Check(*g, m, step);
            if (HasFatalFailure())
                return;
        }
    }
}

// A row taken out whole leaves the store's row empty and comes back anywhere with its
// texts and objects; an empty row parks as nothing and empties the row it is put into.
TEST(HiddenRowsRandom, StoreRowsParkAndComeBackWhole)
{
    TGridStore store;
    auto *object = reinterpret_cast<TObject *>(uintptr_t(0x40));
    store.SetText(0, 3, "a");
    store.SetText(2, 3, "ccc");
    store.SetObject(4, 3, object);
    TGridStore::TParkedRow parked = store.TakeRow(3);
    EXPECT_EQ(store.Text(0, 3), "");
    EXPECT_EQ(store.Object(4, 3), nullptr);
    EXPECT_EQ(parked.Cells(), 3);
    EXPECT_EQ(parked.Text(2).toString(), "ccc");
    EXPECT_TRUE(parked.Text(7).isEmpty());
    EXPECT_EQ(parked.ObjectCount(), 5);
    EXPECT_EQ(parked.Object(4), object);
    EXPECT_EQ(parked.Object(9), nullptr);
    store.PutRow(100, std::move(parked));
    EXPECT_EQ(store.Text(0, 100), "a");
    EXPECT_EQ(store.Text(1, 100), "");
    EXPECT_EQ(store.Text(2, 100), "ccc");
    EXPECT_EQ(store.Object(4, 100), object);

    TGridStore::TParkedRow none = store.TakeRow(50);   // beyond the rows written
    EXPECT_EQ(none.Cells(), 0);
    EXPECT_EQ(none.Object(0), nullptr);
    store.PutRow(100, std::move(none));
    EXPECT_EQ(store.Text(2, 100), "");
    EXPECT_EQ(store.Object(4, 100), nullptr);
    EXPECT_THROW(store.TakeRow(-1), EGridError);
    EXPECT_THROW(store.PutRow(TGridStore::MaxRows, TGridStore::TParkedRow()), EGridError);
}
