// Row filtering: the Filter list, hide levels, FilterActive and NarrowDown.
#include "grid/tools/gridfilter.h"
#include "grid/tools/gridtoolstate.h"
#include "toolgrid.h"

using namespace GridFilter;

namespace {

struct FilterTest : ToolGridTest
{
    int Level() { return Grid.HiddenRows().HideLevel(); }
    // Header, then name / number rows.
    void Names()
    {
        Fill({L({"name", "n", "kind"}), L({"apple", "5", "fruit"}), L({"Banana", "12", "fruit"}),
              L({"carrot", "7", "veg"}), L({"avocado", "3", "fruit"}), L({"beet", "20", "veg"})},
             1);
    }
};

}   // namespace

TEST_F(FilterTest, ItemsCombineInListOrder)
{
    Names();
    EXPECT_TRUE(MatchFilter(Grid, 1));   // empty list
    std::vector<int> asked;
    TGridToolState::Of(Grid).OnCustomFilter = [&](TObject *, int ARow, bool &Accept) {
        asked.push_back(ARow);
        Accept = ARow != 2;
    };
    EXPECT_FALSE(MatchFilter(Grid, 2));
    EXPECT_EQ(asked, std::vector<int>{2});
    TGridToolState::Of(Grid).OnCustomFilter = nullptr;

    TFilterData *a = Grid.Filter().Add();
    TFilterData *b = Grid.Filter().Add();
    EXPECT_EQ(a->Operation(), foNONE);
    EXPECT_EQ(b->Operation(), foAND);
    TFilterData *first = Grid.Filter().Insert(0);
    EXPECT_EQ(first->Operation(), foSHORT);
    EXPECT_EQ(Grid.Filter().Items(0), first);   // at the index asked for
    Grid.Filter().Delete(0);
    a->SetColumn(1);
    a->SetCondition(QStringLiteral(">4"));
    b->SetColumn(2);
    b->SetCondition(QStringLiteral("fruit"));
    const struct { int Row; bool Pass; } rows[] = {{1, true}, {2, true}, {3, false}, {4, false}, {5, false}};
    for (const auto &r : rows)
        EXPECT_EQ(MatchFilter(Grid, r.Row), r.Pass) << r.Row;
    b->SetOperation(foOR);
    EXPECT_TRUE(MatchFilter(Grid, 3));
    EXPECT_TRUE(MatchFilter(Grid, 4));
    b->SetOperation(foXOR);
    EXPECT_FALSE(MatchFilter(Grid, 1));
    EXPECT_TRUE(MatchFilter(Grid, 4));
    a->SetOperation(foSHORT);   // a failing short item ends the list
    b->SetOperation(foOR);
    EXPECT_FALSE(MatchFilter(Grid, 4));
}

TEST_F(FilterTest, TextKindsPrefixSuffixLiteralAndRow)
{
    Fill({L({"$12 kg", "<b>Bold</b>", "x"})});
    TFilterData *f = Grid.Filter().Add();
    f->SetCondition(QStringLiteral("12"));
    EXPECT_FALSE(MatchFilter(Grid, 0));
    f->SetPrefix(QStringLiteral("$"));
    f->SetSuffix(QStringLiteral(" kg"));
    EXPECT_TRUE(MatchFilter(Grid, 0));
    f->SetCondition(QStringLiteral(">11"));
    EXPECT_TRUE(MatchFilter(Grid, 0));
    f->SetPrefix({});
    f->SetSuffix({});
    f->SetColumn(1);
    f->SetData(fcStripHTML);
    f->SetCondition(QStringLiteral("Bold"));
    EXPECT_TRUE(MatchFilter(Grid, 0));
    f->SetData(fcNormal);
    EXPECT_FALSE(MatchFilter(Grid, 0));
    f->SetMethod(fmLiteral);
    f->SetCondition(QStringLiteral("<b>Bold</b>"));
    EXPECT_TRUE(MatchFilter(Grid, 0));
    f->SetCondition(QStringLiteral("<b>*"));   // literal: no pattern
    EXPECT_FALSE(MatchFilter(Grid, 0));
    f->SetMethod(fmExpression);
    f->SetData(fcRow);
    f->SetCondition(QStringLiteral("KG\r\n<B>"));   // a substring across cells, a-z case
    EXPECT_TRUE(MatchFilter(Grid, 0));
    f->SetCondition(QStringLiteral("kg*"));         // no syntax
    EXPECT_FALSE(MatchFilter(Grid, 0));
}

TEST_F(FilterTest, ApplyAddsALevelAndHidesTheFailingRowsTogether)
{
    Names();
    std::vector<int> progress;
    TGridToolState::Of(Grid).OnFilterProgress = [&](TObject *, int P) { progress.push_back(P); };
    ApplyFilter(Grid);   // everything passes: still a level
    EXPECT_EQ(Level(), 1);
    EXPECT_EQ(Grid.RowCount(), 6);
    EXPECT_EQ(progress, (std::vector<int>{20, 40, 60, 80, 100, 100}));
    EXPECT_FALSE(RemoveLastFilter(Grid));   // no level left above it
    EXPECT_FALSE(RemoveLastFilter(Grid));            // no level at all
    progress.clear();
    // A condition that fails on the row after a failing one: both go, tested before any moves.
    Grid.Filter().Add()->SetCondition(QStringLiteral("a*"));
    Fill({L({"h"}), L({"a1"}), L({"b"}), L({"c"}), L({"a2"}), L({"a3"}), L({"a4"}), L({"a5"}), L({"a6"})}, 1);
    ApplyFilter(Grid);
    EXPECT_EQ(Column(0), L({"h", "a1", "a2", "a3", "a4", "a5", "a6"}));
    // 8 rows: 12.5 -> 12, 37.5 -> 38, 62.5 -> 62, 87.5 -> 88 (halves to even).
    EXPECT_EQ(progress, (std::vector<int>{12, 25, 38, 50, 62, 75, 88, 100, 100}));
}

TEST_F(FilterTest, FilterActiveOnOffAndRemoveAll)
{
    Names();
    Grid.Filter().Add()->SetCondition(QStringLiteral("a*"));
    SetFilterActive(Grid, true);
    EXPECT_EQ(Column(0), L({"name", "apple", "avocado"}));
    SetFilterActive(Grid, false);
    EXPECT_EQ(Grid.RowCount(), 6);
    EXPECT_EQ(Level(), 1);
    RemoveAllFilters(Grid);
    EXPECT_EQ(Level(), 0);
    EXPECT_EQ(Grid.Filter().Count(), 1);   // the items stay
    RemoveAllFilters(Grid);                // no level: the list goes
    EXPECT_EQ(Grid.Filter().Count(), 0);
}

TEST_F(FilterTest, NodeAndSummaryRowsStay)
{
    Fill({L({"", "h"}), L({"", "G"}), L({"", "a"}), L({"", "b"}), L({"", "S"})}, 1);
    Grid.AddNode(1, 3);
    Grid.SetSummaryRow(4);
    Grid.Filter().Add()->SetColumn(1);
    Grid.Filter().Items(0)->SetCondition(QStringLiteral("a"));
    ApplyFilter(Grid);
    EXPECT_EQ(Column(1), L({"h", "G", "a", "S"}));
    RemoveLastFilter(Grid);
    Grid.SetFilterNormalCellsOnly(false);
    ApplyFilter(Grid);
    EXPECT_EQ(Column(1), L({"h", "a"}));
}

TEST_F(FilterTest, NarrowDownLevelByLevel)
{
    Fill({L({"h", "x"}), L({"ab", "1"}), L({"abc", "2"}), L({"b", "3"}), L({"AB d", "4"}), L({"cab", "5"})}, 1);
    NarrowDown(Grid, QStringLiteral("a"), 0);
    EXPECT_EQ(Column(1), L({"x", "1", "2", "4", "5"}));
    NarrowDown(Grid, QStringLiteral("ab"), 0);
    EXPECT_EQ(Level(), 2);
    EXPECT_EQ(Column(1), L({"x", "1", "2", "4", "5"}));
    EXPECT_EQ(Grid.Filter().Items(0)->Condition(), QStringLiteral("*ab*"));
    EXPECT_EQ(Grid.Filter().Items(0)->Data(), fcNormal);
    NarrowDown(Grid, QStringLiteral("abc"), 0);
    EXPECT_EQ(Column(1), L({"x", "2"}));
    NarrowDown(Grid, QStringLiteral("ab"), 0);   // one shorter: the last level goes
    EXPECT_EQ(Level(), 2);
    EXPECT_EQ(Column(1), L({"x", "1", "2", "4", "5"}));
    NarrowDown(Grid, QStringLiteral("b d"), 0);  // unrelated: afresh, quoted for the blank
    EXPECT_EQ(Level(), 1);
    EXPECT_EQ(Grid.Filter().Items(0)->Condition(), QStringLiteral("\"*b d*\""));
    EXPECT_EQ(Column(1), L({"x", "4"}));
    NarrowDown(Grid, QStringLiteral("3"), -1);   // anywhere in the row
    EXPECT_EQ(Column(0), L({"h", "b"}));
    NarrowDown(Grid, QStringLiteral("AB"), -1);  // a-z case ignored
    EXPECT_EQ(Column(1), L({"x", "1", "2", "4", "5"}));
    NarrowDown(Grid, QString(), 0);
    EXPECT_EQ(Grid.RowCount(), 6);
    EXPECT_EQ(Level(), 0);
    EXPECT_TRUE(Grid.FixedRowAlways());
}

// Cells read straight from the store and cells read through a display hook that changes
// nothing give the same rows; a hook that rewrites the text is what the filter sees.
TEST_F(FilterTest, StoredAndDisplayedTextsFilterAlike)
{
    const char *texts[] = {"even", " even ", "Even", "odd", "49", " 48", "R12", "r1", "R2*",
                           "a b", "", "\"q\"", "even\r\n", "12345"};
    const char *conditions[] = {"even", "> 48", "R1*", "!odd", "*\"a b\"*", "<5|>100", "(e*)&(*n)"};
    for (const char *c : conditions)
        for (const bool cs : {true, false}) {
            std::vector<int> rows[3];
            for (int way = 0; way < 3; ++way) {
                std::vector<QStringList> data;
                for (const char *t : texts)
                    data.push_back(QStringList{QString::fromUtf8(t), QStringLiteral("x")});
                Fill(data);
                Grid.OnGetDisplText = nullptr;
                if (way == 1)
                    Grid.OnGetDisplText = [](TObject *, int, int, QString &) {};
                if (way == 2)
                    Grid.OnGetDisplText = [](TObject *, int, int, QString &V) { V = u'R' + V; };
                Grid.Filter().Clear();
                TFilterData *f = Grid.Filter().Add();
                f->SetColumn(0);
                f->SetCaseSensitive(cs);
                f->SetCondition(QString::fromUtf8(c));
                for (int r = 0; r < Grid.RowCount(); ++r)
                    if (MatchFilter(Grid, r))
                        rows[way].push_back(r);
                ApplyFilter(Grid);
                if (!rows[way].empty())
                    EXPECT_EQ(Grid.RowCount(), int(rows[way].size())) << c;
                RemoveAllFilters(Grid);
            }
            EXPECT_EQ(rows[0], rows[1]) << c << " case " << cs;
            if (QByteArray(c) == "R1*")
                EXPECT_NE(rows[0], rows[2]);
        }
}
