// TGridStore::SetRow: a whole row written at once reads back as the same cells written one
// by one would, and replaces what the row held.
#include "grid/base/gridstore.h"
#include "grid/base/gridtypes.h"
#include "grid/base/stringgridbase.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

namespace {

class TThing : public TObject
{
};

TEST(GridStoreSetRow, MatchesCellByCellWritesAndReplacesTheRow)
{
    TThing a, b;
    struct TCase
    {
        QStringList Texts;
        std::vector<TObject *> Objects;
    };
    const std::vector<TCase> cases = {
        {{"x", "", "yz"}, {}},
        {{"", "", ""}, {nullptr, &a}},                 // objects only
        {{"one"}, {nullptr, nullptr, nullptr, &b}},   // an object beyond the texts
        {{"", "mid", "", ""}, {&a, nullptr}},          // trailing empties take no room
        {{}, {}},                                      // empties the row
    };
    for (const TCase &tc : cases) {
        TGridStore bulk, single;
        for (TGridStore *s : {&bulk, &single})
            for (int c = 0; c < 6; ++c) {
                s->SetText(c, 2, QStringLiteral("old%1").arg(c));
                s->SetObject(c, 2, &b);
            }
        bulk.SetRow(2, tc.Texts, tc.Objects);
        single.ClearRow(2);
        for (int c = 0; c < tc.Texts.size(); ++c)
            single.SetText(c, 2, tc.Texts.at(c));
        for (size_t c = 0; c < tc.Objects.size(); ++c)
            single.SetObject(int(c), 2, tc.Objects[c]);
        for (int c = 0; c < 8; ++c) {
            EXPECT_EQ(bulk.Text(c, 2), single.Text(c, 2)) << tc.Texts.join('|').toStdString();
            EXPECT_EQ(bulk.Object(c, 2), single.Object(c, 2)) << c;
        }
        EXPECT_EQ(bulk.ObjectExtent(2) > 0, single.ObjectExtent(2) > 0);
    }
    TGridStore store;
    EXPECT_THROW(store.SetRow(-1, {"a"}, {}), EGridError);
    EXPECT_THROW(store.SetRow(TGridStore::MaxRows, {"a"}, {}), EGridError);
}

} // namespace

namespace {

// A row taken out with RowData and put back with SetRowData (here into another row and
// another store) reads as before, and shares its text instead of copying it.
TEST(GridStoreRowData, RowsMoveOutAndBackWhole)
{
    TThing a;
    TGridStore store;
    store.SetText(0, 3, QStringLiteral("alpha"));
    store.SetText(2, 3, QStringLiteral("γ"));
    store.SetObject(4, 3, &a);
    const TGridStore::TRowData row = store.RowData(3);
    EXPECT_EQ(row.Cells(), 3);
    EXPECT_EQ(row.Text(2), QStringLiteral("γ"));
    EXPECT_TRUE(row.Text(7).isEmpty());
    store.ClearRow(3);
    EXPECT_EQ(store.Text(0, 3), QString());

    TGridStore other;
    other.SetText(1, 9, QStringLiteral("old"));
    other.SetRowData(9, row);
    EXPECT_EQ(row.Data.constData(), other.TextView(0, 9).data());   // shared, not copied
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(other.Text(c, 9), c == 0 ? "alpha" : c == 2 ? "γ" : "") << c;
        EXPECT_EQ(other.Object(c, 9), c == 4 ? &a : nullptr) << c;
    }
    other.SetRowData(9, store.RowData(50));   // an empty row empties it
    EXPECT_EQ(other.Text(0, 9), QString());
    EXPECT_EQ(other.Object(4, 9), nullptr);

    TGridStore::TRowData bad = row;
    bad.Ends.back() += 5;   // would read past the text
    EXPECT_THROW(other.SetRowData(2, bad), EGridError);
    EXPECT_THROW(other.SetRowData(-1, row), EGridError);
}

} // namespace
