// Keyboard navigation of a shown grid over hidden columns and rows and over merged cells:
// the keys move by display indexes, editing and check boxes answer for the real column, and a
// merge is entered at its base cell and left past its span.
#include "eventlog.h"
#include "grid/string/dazstringgrid.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

struct NavGrid : ::testing::Test
{
    TDazStringGrid Grid;
    TEventLog Log{Grid};
    // 6 columns x 7 rows, one fixed each; cell (c, r) holds letter c and real row r.
    NavGrid()
    {
        Grid.SetColCount(6);
        Grid.SetRowCount(7);
        Grid.SetDefaultRowHeight(20);
        Grid.SetDefaultColWidth(50);
        Grid.resize(400, 250);
        Grid.show();
        Grid.setFocus();
        QApplication::processEvents();
        for (int c = 0; c < 6; ++c)
            for (int r = 1; r < 7; ++r)
                Grid.SetCells(c, r, QStringLiteral("%1%2").arg(QChar('a' + c)).arg(r));
        Log.Clear();
    }
    void Editing() { Grid.SetOptions(Grid.Options() + goEditing); }
    // The real column and the text of the current cell.
    QString Here() { return Grid.Cells(Grid.RealColIndex(Grid.Col()), Grid.Row()); }
    bool EditorShown() { return Grid.InplaceEditor() && Grid.InplaceEditor()->isVisible(); }
};

}   // namespace

TEST_F(NavGrid, KeysWalkTheShownColumnsAndRowsOnly)
{
    Grid.HideColumn(2);
    Grid.HideRow(3);   // display: columns b d e f, rows 1 2 4 5 6
    struct Step
    {
        int key;
        Qt::KeyboardModifiers mods;
        const char *here;
    };
    const Step steps[] = {
        {Qt::Key_Right, Qt::NoModifier, "d2"}, {Qt::Key_Down, Qt::NoModifier, "d4"},
        {Qt::Key_Left, Qt::NoModifier, "b4"},  {Qt::Key_Up, Qt::NoModifier, "b2"},
        {Qt::Key_End, Qt::NoModifier, "f2"},   {Qt::Key_Home, Qt::NoModifier, "b2"},
        {Qt::Key_Home, Qt::ControlModifier, "b1"},
    };
    Grid.FocusCell(1, 2);
    for (const Step &s : steps) {
        Log.Key(s.key, s.mods);
        EXPECT_EQ(Here(), s.here) << "key " << s.key;
    }
    Grid.Navigation().SetHomeEndKey(heFirstLastCell);
    Log.Key(Qt::Key_End);
    EXPECT_EQ(Here(), "f6");
    EXPECT_EQ(Grid.Row(), Grid.RowCount() - 1);
}

TEST_F(NavGrid, EditingKeysAskTheRealColumnBehindAHiddenOne)
{
    Editing();
    Grid.HideColumn(2);
    Grid.SetReadOnly(3, 2, true);   // real column 3 is display column 2
    Grid.FocusCell(2, 2);
    Log.Key(Qt::Key_F2);
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(Log.Only({"KeyDown"}), QStringList{"KeyDown 113"});
    Log.Key(Qt::Key_X, Qt::NoModifier, "x");
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(Grid.Cells(3, 2), "d2");
    // Display column 3 (real 4) is editable: F2 opens it on its own text.
    Log.Key(Qt::Key_Right);
    Log.Key(Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Grid.InplaceEditor()->text(), "e2");
}

TEST_F(NavGrid, SpaceTogglesTheCheckBoxOfTheRealColumn)
{
    Editing();
    for (int r = 1; r < 7; ++r) {
        Grid.SetCells(3, r, "N");
        Grid.AddCheckBox(3, r, false, true);
    }
    Grid.HideColumn(2);
    Grid.FocusCell(2, 4);   // real column 3
    Log.Clear();
    Log.Key(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(Grid.Cells(3, 4), "Y");
    EXPECT_EQ(Grid.Cells(4, 4), "e4");
    EXPECT_EQ(Log.Only({"CheckBoxClick"}), QStringList{"CheckBoxClick 3,4 on"});
    EXPECT_FALSE(EditorShown());
}

TEST_F(NavGrid, MergedCellsAreEnteredAtTheirBaseAndLeftPastTheirSpan)
{
    Grid.MergeCells(2, 2, 2, 2);   // c2 covers columns 2-3 of rows 2-3
    struct Step
    {
        int fromCol, fromRow, key, col, row;
    };
    const Step steps[] = {
        {1, 2, Qt::Key_Right, 2, 2}, {2, 2, Qt::Key_Right, 4, 2}, {4, 3, Qt::Key_Left, 2, 2},
        {3, 1, Qt::Key_Down, 2, 2},  {2, 2, Qt::Key_Down, 2, 4},  {3, 4, Qt::Key_Up, 2, 2},
        {2, 2, Qt::Key_Left, 1, 2},
    };
    for (const Step &s : steps) {
        Grid.FocusCell(s.fromCol, s.fromRow);
        Log.Key(s.key);
        EXPECT_EQ(Grid.Col(), s.col) << s.fromCol << "," << s.fromRow << " key " << s.key;
        EXPECT_EQ(Grid.Row(), s.row) << s.fromCol << "," << s.fromRow << " key " << s.key;
    }
    // End with the last cells merged lands on their base.
    Grid.MergeCells(4, 6, 2, 1);
    Grid.Navigation().SetHomeEndKey(heFirstLastCell);
    Log.Key(Qt::Key_End);
    EXPECT_EQ(Grid.Col(), 4);
    EXPECT_EQ(Grid.Row(), 6);
}

TEST_F(NavGrid, TabPassesAMergeWholeAndSkipsHiddenColumns)
{
    Grid.SetOptions(Grid.Options() + goTabs);
    Grid.Navigation().SetAdvanceAutoEdit(false);
    Grid.MergeCells(2, 2, 2, 1);
    Grid.HideColumn(5);   // display columns 1..4
    Grid.FocusCell(1, 2);
    QStringList walk;
    for (int i = 0; i < 4; ++i) {
        Log.Key(Qt::Key_Tab);
        walk << QStringLiteral("%1,%2").arg(Grid.Col()).arg(Grid.Row());
    }
    EXPECT_EQ(walk, (QStringList{"2,2", "4,2", "1,3", "2,3"}));
    Log.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    Log.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Grid.Col(), 4);
    EXPECT_EQ(Grid.Row(), 2);
    Log.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Grid.Col(), 2);   // onto the merge's base, not its covered column
}

TEST_F(NavGrid, TabInAGridWithNothingEditableStopsAndKeepsAValidCell)
{
    Editing();
    Grid.SetOptions(Grid.Options() + goTabs);
    Grid.Navigation().SetAdvanceAutoEdit(false);
    for (int c = 0; c < Grid.ColCount(); ++c)
        for (int r = 0; r < Grid.RowCount(); ++r)
            Grid.SetReadOnly(c, r, true);
    Grid.FocusCell(2, 3);
    const int rows = Grid.RowCount();
    Log.Key(Qt::Key_Tab);
    Log.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Grid.RowCount(), rows);
    EXPECT_GE(Grid.Col(), Grid.FixedCols());
    EXPECT_LT(Grid.Col(), Grid.ColCount());
    EXPECT_GE(Grid.Row(), Grid.FixedRows());
    EXPECT_LT(Grid.Row(), Grid.RowCount());
    EXPECT_FALSE(EditorShown());
}

TEST_F(NavGrid, UpAndDownStepOverDisabledRowsAndNeverIntoTheHeader)
{
    Grid.SetRowEnabled(3, false);
    Grid.SetRowEnabled(4, false);
    Grid.FocusCell(1, 2, true);
    Log.Key(Qt::Key_Down);
    EXPECT_EQ(Grid.Row(), 5);
    Log.Key(Qt::Key_Up);
    EXPECT_EQ(Grid.Row(), 2);
    // Every row below disabled: Down stays; every row above disabled: Up stays too.
    Grid.SetRowEnabled(6, false);
    Grid.FocusCell(1, 5, true);
    Log.Key(Qt::Key_Down);
    EXPECT_EQ(Grid.Row(), 5);
    Grid.SetRowEnabled(1, false);
    Grid.SetRowEnabled(2, false);
    Log.Key(Qt::Key_Up);
    EXPECT_EQ(Grid.Row(), 5);
    // Switched off, disabled rows take the cursor like any other.
    Grid.Navigation().SetSkipDisabledRows(false);
    Log.Key(Qt::Key_Up);
    EXPECT_EQ(Grid.Row(), 4);
}

TEST_F(NavGrid, ASynchronisedGridFollowsTheKeys)
{
    TDazStringGrid other;
    other.SetColCount(6);
    other.SetRowCount(7);
    Grid.SyncGrid().SetGrid(&other);
    Grid.SyncGrid().SetSelectionRow(true);
    Grid.FocusCell(1, 1, true);
    Log.Key(Qt::Key_Down);
    Log.Key(Qt::Key_Right);
    EXPECT_EQ(other.Row(), 2);
    EXPECT_EQ(other.Col(), 1);   // columns only with SelectionColumn
    Grid.SyncGrid().SetSelectionColumn(true);
    Log.Key(Qt::Key_Right);
    EXPECT_EQ(other.Col(), 3);
    Grid.SyncGrid().SetGrid(nullptr);
}

TEST_F(NavGrid, WithAlwaysEditAnArrowOpensTheEditorOnTheCellReached)
{
    Editing();
    Grid.Navigation().SetAlwaysEdit(true);
    Grid.FocusCell(1, 1, true);
    Log.Key(Qt::Key_Down);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Grid.InplaceEditor()->text(), "b2");
    EXPECT_EQ(Grid.Row(), 2);
}

TEST_F(NavGrid, DisjunctCellsFollowShiftArrowsAndSpace)
{
    Grid.MouseActions().SetDisjunctCellSelect(true);
    Grid.FocusCell(1, 1, true);
    Log.Key(Qt::Key_Right, Qt::ShiftModifier);
    Log.Key(Qt::Key_Down, Qt::ShiftModifier);
    // The rectangle (1,1)-(2,2) without the current cell.
    auto selected = [&] {
        QStringList out;
        for (int r = 1; r < 4; ++r)
            for (int c = 1; c < 4; ++c)
                if (Grid.SelectedCells(c, r))
                    out << QStringLiteral("%1,%2").arg(c).arg(r);
        return out;
    };
    EXPECT_EQ(selected(), (QStringList{"1,1", "2,1", "1,2"}));
    Grid.FocusCell(3, 3, true);
    Log.Key(Qt::Key_Space, Qt::ControlModifier, " ");
    EXPECT_EQ(selected(), (QStringList{"1,1", "2,1", "1,2", "3,3"}));
    Log.Key(Qt::Key_Space, Qt::ControlModifier, " ");
    EXPECT_EQ(selected(), (QStringList{"1,1", "2,1", "1,2"}));
    Log.Key(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(selected(), QStringList{"3,3"});
}
