#include "app/tableediting.h"
#include "shell_fixture.h"

#include "grid/string/dazcolumngrid.h"

namespace {

// A table of Rows data rows and Cols columns: column 0 the row number, cell (c, r) "c.r".
class TableEditingTest : public ShellTest
{
protected:
    void Make(int Cols, int Rows)
    {
        Grid = std::make_unique<TDazStringGrid>();
        Grid->SetColCount(Cols);
        Grid->SetRowCount(Rows + 1);
        for (int r = 1; r <= Rows; ++r) {
            Grid->SetCellEx(0, r, QString::number(r));
            for (int c = 1; c < Cols; ++c)
                Grid->SetCellEx(c, r, QStringLiteral("%1.%2").arg(c).arg(r));
        }
    }
    QStringList Row(int r)
    {
        QStringList out;
        for (int c = 0; c < Grid->AllColCount(); ++c)
            out << Grid->GetCellEx(c, r);
        return out;
    }
    QStringList Column(int c)
    {
        QStringList out;
        for (int r = 1; r < Grid->RowCount(); ++r)
            out << Grid->GetCellEx(c, r);
        return out;
    }
    void Set_Row(int r, const QStringList &cells)
    {
        for (qsizetype c = 0; c < cells.size(); ++c)
            Grid->SetCellEx(int(c) + 1, r, cells[c]);
    }

    std::unique_ptr<TDazStringGrid> Grid;
};

TEST_F(TableEditingTest, DeleteAndInsertMoveTheDataColumnsHiddenOnesIncluded)
{
    struct Case
    {
        const char *name;
        std::function<void(TDazStringGrid &)> op;
        QStringList col2;   // column 2 of rows 1..3 afterwards
    };
    const Case cases[] = {
        {"delete row 1", [](TDazStringGrid &g) { Grid_Delete_Row(1, g); }, {"2.2", "2.3", ""}},
        {"delete the last row", [](TDazStringGrid &g) { Grid_Delete_Row(3, g); }, {"2.1", "2.2", ""}},
        {"insert at row 2", [](TDazStringGrid &g) { Grid_Insert_Row(2, g, false); }, {"2.1", "", "2.2"}},
        {"insert at the last row", [](TDazStringGrid &g) { Grid_Insert_Row(3, g, true); }, {"2.1", "2.2", ""}},
        {"header row ignored", [](TDazStringGrid &g) { Grid_Delete_Row(0, g); }, {"2.1", "2.2", "2.3"}},
        {"row past the table ignored", [](TDazStringGrid &g) { Grid_Insert_Row(4, g, true); }, {"2.1", "2.2", "2.3"}},
    };
    for (const Case &c : cases) {
        Make(4, 3);
        Grid->HideColumn(2);
        c.op(*Grid);
        EXPECT_EQ(Column(2), c.col2) << c.name;
        EXPECT_EQ(Column(0), (QStringList{"1", "2", "3"})) << c.name;
    }
    Make(4, 3);
    Grid_Insert_Row(2, *Grid, true);
    EXPECT_EQ(Row(2), (QStringList{"2", "Y", "", ""}));
    EXPECT_EQ(Row(3), (QStringList{"3", "1.2", "2.2", "3.2"}));
}

TEST_F(TableEditingTest, PasteRefusesWithoutACopyOrFromAnotherWidth)
{
    Make(4, 3);
    Grid_Copy_Row(*Grid, 1);
    EXPECT_EQ(Row_Clipboard, (QStringList{"1.1", "2.1", "3.1"}));
    Grid_Paste_Row(*Grid, 3, false);
    Make(5, 3);
    Grid_Paste_Row(*Grid, 3, true);
    EXPECT_EQ(Guard.Fake.Texts(), (QStringList{"Error!!! Copy a valid row before Paste it",
                                                "Error in the Copy values!!! Copy a valid row before Paste it"}));
    EXPECT_EQ(Grid->GetCellEx(1, 3), QStringLiteral("1.3"));
}

TEST_F(TableEditingTest, PasteAsksBeforeOverwritingText)
{
    Make(4, 3);
    Grid->AddCheckBoxColumn(1, false, true);   // column 1 now "N"
    Grid->SetCellEx(1, 1, QStringLiteral("Y"));
    Grid_Copy_Row(*Grid, 1);
    // Only the check-box column and blanks: not used, no question.
    Set_Row(2, {"N", "  ", ""});
    Grid_Paste_Row(*Grid, 2, true);
    EXPECT_TRUE(Guard.Fake.Calls.empty());
    EXPECT_EQ(Row(2), (QStringList{"2", "Y", "2.1", "3.1"}));

    Guard.Fake.Answers = {TMsgResult::No, TMsgResult::Yes};
    Grid_Paste_Row(*Grid, 3, true);
    EXPECT_EQ(Grid->GetCellEx(2, 3), QStringLiteral("2.3"));
    Grid_Paste_Row(*Grid, 3, true);
    EXPECT_EQ(Grid->GetCellEx(2, 3), QStringLiteral("2.1"));
    EXPECT_EQ(Guard.Fake.Texts(), QStringList(2, QStringLiteral("Row Already used. Do you want to overwrite the values?")));
}

TEST_F(TableEditingTest, ColumnGridCheckColumnsComeFromTheirItems)
{
    TDazColumnGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.Columns().Items(1)->SetEditor(edDataCheckBox);
    grid.SetCellEx(1, 1, QStringLiteral("Y"));
    grid.SetCellEx(2, 1, QStringLiteral("a"));
    Grid_Copy_Row(grid, 1);
    grid.SetCellEx(1, 2, QStringLiteral("N"));
    Grid_Paste_Row(grid, 2, true);   // only the check column holds text: no question
    EXPECT_TRUE(Guard.Fake.Calls.empty());
    EXPECT_EQ(grid.GetCellEx(1, 2), QStringLiteral("Y"));
    bool state = false;
    ASSERT_TRUE(grid.GetCheckBoxState(1, 2, state));
    EXPECT_TRUE(state);
    Guard.Fake.Answers = {TMsgResult::No};
    Grid_Paste_Row(grid, 1, true);
    EXPECT_EQ(Guard.Fake.Calls.size(), 1u);
}

TEST_F(TableEditingTest, CheckFormsMoveStatesAndReadOnlyMarks)
{
    Make(4, 3);
    Grid->AddCheckBoxColumn(1, false, false);
    Grid->SetCheckBoxState(1, 2, true);
    Grid->SetReadOnly(3, 2, true);

    Grid_Delete_Row_Check(1, *Grid, true);
    bool state = false;
    ASSERT_TRUE(Grid->GetCheckBoxState(1, 1, state));
    EXPECT_TRUE(state);
    EXPECT_TRUE(Grid->ReadOnly(3, 1));
    EXPECT_EQ(Grid->GetCellEx(2, 2), QStringLiteral("2.3"));
    // The last row: Enable checks column 1, texts emptied, every cell editable.
    ASSERT_TRUE(Grid->GetCheckBoxState(1, 3, state));
    EXPECT_TRUE(state);
    EXPECT_EQ(Grid->GetCellEx(2, 3), QString());
    EXPECT_FALSE(Grid->ReadOnly(2, 3));

    Grid_Insert_Row_Check(1, *Grid, false);
    ASSERT_TRUE(Grid->GetCheckBoxState(1, 1, state));
    EXPECT_FALSE(state);
    EXPECT_FALSE(Grid->ReadOnly(3, 1));
    EXPECT_TRUE(Grid->ReadOnly(3, 2));
    ASSERT_TRUE(Grid->GetCheckBoxState(1, 2, state));
    EXPECT_TRUE(state);
}

TEST_F(TableEditingTest, CheckCopyAndPaste)
{
    Make(4, 3);
    Grid->AddCheckBoxColumn(1, false, false);
    Grid->SetCheckBoxState(1, 1, true);
    Grid_Copy_Row_Check(*Grid, 1);
    EXPECT_EQ(Row_Clipboard, (QStringList{"Y", "2.1", "3.1"}));
    EXPECT_EQ(Row_Clipboard_Check, (std::vector<bool>{true, false, false}));

    // Text cells of blanks count as used in a check-box table.
    Set_Row(3, {QString(), " ", ""});
    Guard.Fake.Answers = {TMsgResult::Yes};
    Grid_Paste_Row_Check(*Grid, 3, true);
    EXPECT_EQ(Guard.Fake.Texts(), QStringList(QStringLiteral("Row Already used. Do you want to overwrite the values?")));
    bool state = false;
    ASSERT_TRUE(Grid->GetCheckBoxState(1, 3, state));
    EXPECT_TRUE(state);
    EXPECT_EQ(Grid->GetCellEx(2, 3), QStringLiteral("2.1"));

    // A later text copy leaves no check flag of the earlier one behind.
    Grid->SetCellEx(1, 2, QStringLiteral("Y"));
    Grid_Copy_Row(*Grid, 2);
    EXPECT_EQ(Row_Clipboard_Check, (std::vector<bool>{false, false, false}));
}

TEST_F(TableEditingTest, AutoSizeOnlyOnTheHeaderWithTheOption)
{
    Make(3, 2);
    Grid->SetCellEx(2, 1, QStringLiteral("a rather long text in the cell"));
    const int before = Grid->ColWidths(2);
    Grid_Auto_Size_Column(*Grid, 0, 2);
    EXPECT_EQ(Grid->ColWidths(2), before);
    Opt_Double_Click_Auto_Size = true;
    Grid_Auto_Size_Column(*Grid, 1, 2);
    EXPECT_EQ(Grid->ColWidths(2), before);
    Grid_Auto_Size_Column(*Grid, 0, 2);
    EXPECT_GT(Grid->ColWidths(2), before);
}

TEST_F(TableEditingTest, EnterWalksTheTableAndWraps)
{
    Make(3, 2);
    QChar key(13);
    Grid->FocusCell(1, 1, true);
    Grid_Enter_Next_Cell(*Grid, key);   // option off: passes through
    EXPECT_EQ(key, QChar(13));
    EXPECT_EQ(Grid->Col(), 1);

    Opt_Jump_Field_Tables = true;
    const std::pair<int, int> walk[] = {{2, 1}, {1, 2}, {2, 2}, {1, 1}};
    for (const auto &[col, row] : walk) {
        key = QChar(13);
        Grid_Enter_Next_Cell(*Grid, key);
        EXPECT_EQ(key, QChar(0));
        EXPECT_EQ(Grid->Col(), col);
        EXPECT_EQ(Grid->Row(), row);
    }
    key = QChar(u'a');
    Grid_Enter_Next_Cell(*Grid, key);
    EXPECT_EQ(key, QChar(u'a'));
}

} // namespace
