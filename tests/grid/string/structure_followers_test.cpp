// What follows the cells when rows and columns are removed, inserted or cleared: controls
// held in cells, node groups, and the real columns behind hidden ones.
#include "gridfixture.h"

#include <QLabel>
#include <functional>
#include <gtest/gtest.h>

namespace {

QRect ControlRectOf(TDazStringGrid &Grid, int ACol, int ARow)
{
    const TRect r = Grid.CellRect(ACol, ARow);
    return QRect(r.Left - 1, r.Top - 1, r.Width() + 1, r.Height() + 1);
}

// The real row the grid's list keeps for a control, -1 when the list has none.
int ListedRow(const TDazStringGrid &Grid, const QWidget *Control)
{
    const TControlList &list = Grid.ControlList();
    for (int i = 0; i < list.Count(); ++i)
        if (list.GetControl(i)->Control() == Control)
            return list.GetControl(i)->Y();
    return -1;
}

}   // namespace

TEST(StructureFollowers, CellControlsMoveWithTheirRows)
{
    struct Case
    {
        const char *name;
        std::function<void(TDazStringGrid &)> change;
        int row;   // where the control of row 5 ends up
    };
    const Case cases[] = {
        {"RemoveRows above", [](TDazStringGrid &g) { g.RemoveRows(2, 1); }, 4},
        {"RemoveRows below", [](TDazStringGrid &g) { g.RemoveRows(7, 2); }, 5},
        {"InsertRows above", [](TDazStringGrid &g) { g.InsertRows(1, 2, true); }, 7},
        {"DeleteRowRange above", [](TDazStringGrid &g) { g.DeleteRowRange(1, 2); }, 3},
        {"RemoveRowsInternal above", [](TDazStringGrid &g) { g.RemoveRowsInternal(3, 1, true); }, 4},
        {"duplicates above",
         [](TDazStringGrid &g) {
             g.SetCells(1, 2, "1:1");
             g.RemoveDuplicates(1, true);
         },
         4},
    };
    for (const Case &c : cases) {
        auto g = NamedGrid(3, 10);
        g->show();
        auto *a = new QLabel("a");
        g->SetCellControls(1, 5, a);
        c.change(*g);
        EXPECT_EQ(ListedRow(*g, a), c.row) << c.name;
        EXPECT_EQ(g->CellControls(1, c.row), a) << c.name;
        EXPECT_EQ(a->geometry(), ControlRectOf(*g, 1, c.row)) << c.name;
        EXPECT_TRUE(a->isVisible()) << c.name;
    }
}

// The control of a removed row leaves the list and the view; the control of the row that
// moves into its place is the only one left there.
TEST(StructureFollowers, ARemovedRowTakesItsControlAlong)
{
    for (int variant = 0; variant < 2; ++variant) {
        auto g = NamedGrid(3, 10);
        g->show();
        auto *gone = new QLabel("gone");
        auto *below = new QLabel("below");
        g->SetCellControls(1, 4, gone);
        g->SetCellControls(1, 5, below);
        if (variant == 0)
            g->RemoveRows(4, 1);
        else
            g->DeleteRowRange(4, 1);
        EXPECT_EQ(ListedRow(*g, gone), -1) << variant;
        EXPECT_FALSE(gone->isVisible()) << variant;
        EXPECT_EQ(ListedRow(*g, below), 4) << variant;
        EXPECT_EQ(g->ControlList().Count(), 1) << variant;
        EXPECT_EQ(g->CellControlCount(), 1) << variant;
        EXPECT_EQ(below->geometry(), ControlRectOf(*g, 1, 4)) << variant;
    }
}

TEST(StructureFollowers, CellControlsMoveWithTheirColumns)
{
    struct Case
    {
        const char *name;
        std::function<void(TDazStringGrid &)> change;
        int col;   // where the control of column 3 ends up, -1: gone with its column
    };
    const Case cases[] = {
        {"InsertCols before", [](TDazStringGrid &g) { g.InsertCols(1, 2); }, 5},
        {"InsertCols after", [](TDazStringGrid &g) { g.InsertCols(4, 1); }, 3},
        {"RemoveCols before", [](TDazStringGrid &g) { g.RemoveCols(1, 2); }, 1},
        {"MergeCols before", [](TDazStringGrid &g) { g.MergeCols(0, 1, " "); }, 2},
        {"RemoveCols of its own", [](TDazStringGrid &g) { g.RemoveCols(2, 2); }, -1},
    };
    for (const Case &c : cases) {
        auto g = NamedGrid(6, 4);
        g->show();
        auto *a = new QLabel("a");
        g->SetCellControls(3, 1, a);
        c.change(*g);
        if (c.col < 0) {
            EXPECT_EQ(g->ControlList().Count(), 0) << c.name;
            EXPECT_EQ(g->CellControlCount(), 0) << c.name;
            EXPECT_FALSE(a->isVisible()) << c.name;
            continue;
        }
        ASSERT_EQ(g->ControlList().Count(), 1) << c.name;
        EXPECT_EQ(g->ControlList().GetControl(0)->X(), c.col) << c.name;
        EXPECT_EQ(g->CellControls(c.col, 1), a) << c.name;
        EXPECT_EQ(a->geometry(), ControlRectOf(*g, c.col, 1)) << c.name;
    }
}

// Clearing the cells of the node column removes the nodes first, so rows of a collapsed
// node come back instead of staying hidden under a node that no longer exists.
TEST(StructureFollowers, ClearingTheNodeColumnRemovesTheNodes)
{
    struct Case
    {
        const char *name;
        int fixedCols;
        std::function<void(TDazStringGrid &)> clear;
        bool nodesGone;
    };
    const Case cases[] = {
        {"Clear", 0, [](TDazStringGrid &g) { g.Clear(); }, true},
        {"Clear with a fixed column", 1, [](TDazStringGrid &g) { g.Clear(); }, true},
        {"ClearNormalCells", 0, [](TDazStringGrid &g) { g.ClearNormalCells(); }, true},
        {"ClearNormalCells with a fixed column", 1, [](TDazStringGrid &g) { g.ClearNormalCells(); },
         false},
    };
    for (const Case &c : cases) {
        auto g = NamedGrid(3, 10, 1);
        g->SetFixedCols(c.fixedCols);
        g->AddNode(2, 3);
        g->ContractNode(2);
        ASSERT_EQ(g->RowCount(), 8) << c.name;
        c.clear(*g);
        EXPECT_EQ(g->HasNodes(), !c.nodesGone) << c.name;
        EXPECT_EQ(g->RowCount(), c.nodesGone ? 10 : 8) << c.name;
        EXPECT_EQ(g->NumHiddenRows(), c.nodesGone ? 0 : 2) << c.name;
        EXPECT_EQ(g->Cells(2, 3), "") << c.name;
    }
}

// The selection is in display columns; what is cleared is the real column shown there,
// whether or not hidden cells are kept.
TEST(StructureFollowers, ClearSelectionClearsTheSelectedColumnBehindAHiddenOne)
{
    for (bool saveHidden : {false, true})
        for (bool disjunct : {false, true}) {
            auto g = NamedGrid(5, 4, 1);
            g->SetSaveHiddenCells(saveHidden);
            g->HideColumn(1);
            if (disjunct) {
                g->MouseActions().SetDisjunctColSelect(true);
                g->SetColSelect(2, true);   // real column 3
            } else {
                g->SetSelection(TGridRect{2, 1, 2, 3});
            }
            g->ClearSelection();
            const QString header = disjunct ? QString() : QStringLiteral("3:0");   // a whole column
            EXPECT_EQ(ColumnTexts(*g, 3), (QStringList{header, "", "", ""}))
                << saveHidden << disjunct;
            for (int c : {0, 1, 2, 4})
                EXPECT_EQ(ColumnTexts(*g, c), Named(c, {0, 1, 2, 3})) << saveHidden << disjunct << c;
        }
}

// Removing a real column frees that column's objects and nothing else, also where hidden
// cells are kept and a hidden column lies before it.
TEST(StructureFollowers, RemoveColsFreesTheRealColumnsNamed)
{
    for (bool saveHidden : {false, true}) {
        int destroyed = 0;
        auto g = NamedGrid(5, 3);
        g->SetSaveHiddenCells(saveHidden);
        AddCountedCheckBox(*g, 3, 1, &destroyed);
        AddCountedCheckBox(*g, 4, 1, &destroyed);
        TObject *kept = g->GetGraphicObjectEx(4, 1);
        g->HideColumn(1);
        g->RemoveCols(3, 1);
        EXPECT_EQ(destroyed, 1) << saveHidden;
        EXPECT_EQ(g->GetGraphicObjectEx(3, 1), kept) << saveHidden;
        EXPECT_EQ(RowTexts(*g, 2), (QStringList{"0:2", "1:2", "2:2", "4:2"})) << saveHidden;
        g.reset();
        EXPECT_EQ(destroyed, 2) << saveHidden;
    }
}

// With nodes, taking rows out (collapsing a node among them) puts the cursor on the first
// normal column.
TEST(StructureFollowers, RowRemovalWithNodesMovesTheCursorToTheFirstNormalColumn)
{
    auto g = NamedGrid(4, 10, 1);
    g->SetFixedCols(1);
    g->AddNode(2, 3);
    g->SetCol(3);
    g->SetRow(6);
    g->ContractNode(2);
    EXPECT_EQ(g->Col(), 1);
    g->SetCol(3);
    g->DeleteRowRange(7, 1);
    EXPECT_EQ(g->Col(), 1);
}

// A clear of no rows or columns clears nothing and tells nobody of a change.
TEST(StructureFollowers, ClearsOfNoRowsOrColumnsDoNothing)
{
    auto g = NamedGrid(4, 5, 1);
    int changes = 0;
    g->OnCellsChanged = [&changes](TObject *, const TRect &) { ++changes; };
    g->ClearRows(2, 0);
    g->ClearCols(1, -1);
    g->ClearNormalRows(2, 0);
    g->ClearNormalCols(1, 0);
    g->ClearNormalRows(2, -3);
    EXPECT_EQ(changes, 0);
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(ColumnTexts(*g, c), Named(c, {0, 1, 2, 3, 4})) << c;
    g->ClearNormalRows(2, 1);
    EXPECT_EQ(changes, 1);
}

// Removing every column leaves one empty column (the grid keeps one, as it keeps one row);
// removing only the shown ones while a hidden column stays is refused.
TEST(StructureFollowers, RemovingEveryColumnLeavesOneEmptyColumn)
{
    int destroyed = 0;
    auto g = NamedGrid(5, 3);
    g->SetColWidths(0, 99);
    AddCountedCheckBox(*g, 2, 1, &destroyed);
    g->RemoveCols(0, 100);
    EXPECT_EQ(g->ColCount(), 1);
    EXPECT_EQ(g->AllColCount(), 1);
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(ColumnTexts(*g, 0), (QStringList{"", "", ""}));
    EXPECT_EQ(g->ColWidths(0), g->DefaultColWidth());

    auto h = NamedGrid(5, 3);
    h->HideColumn(4);
    h->RemoveCols(0, 4);
    EXPECT_EQ(h->ColCount(), 4);
    EXPECT_EQ(RowTexts(*h, 1), (QStringList{"0:1", "1:1", "2:1", "3:1", "4:1"}));
}
