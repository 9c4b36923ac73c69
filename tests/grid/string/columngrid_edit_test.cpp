// A column grid as the editor windows use it: text, check-box, combo and hidden columns
// edited with keys and clicks.
#include "editfixture.h"

#include "grid/string/dazcolumngrid.h"

namespace {

// Real columns: 1 text, 2 hidden, 3 check box ("Y"/"N"), 4 combo list, 5 read-only text.
class ColumnEditFixture : public ::testing::Test, public TGridDriver
{
protected:
    ColumnEditFixture() : TGridDriver(FGridPtr) {}
    void SetUp() override
    {
        grid = std::make_unique<TDazColumnGrid>();
        grid->SetColCount(6);
        grid->SetRowCount(5);
        grid->SetOptions(grid->Options() + goEditing);
        TGridColumnCollection &c = grid->Columns();
        c.Items(1)->SetHeader("Name");
        c.Items(2)->SetHeader("Hidden");
        c.Items(3)->SetHeader("On");
        c.Items(3)->SetEditor(edDataCheckBox);
        c.Items(4)->SetHeader("Kind");
        c.Items(4)->SetEditor(edComboList);
        for (const char *s : {"Bit", "Byte", "Word"})
            c.Items(4)->ComboItems().Add(s);
        c.Items(5)->SetReadOnly(true);
        for (int r = 1; r < 5; ++r) {
            grid->SetCells(3, r, "N");
            grid->SetCells(5, r, "fixed");
        }
        grid->HideColumn(2);   // display: 1 Name, 2 On, 3 Kind, 4 read-only
        FGridPtr = grid.get();
        ShowFocused(*grid, 500);
        log = std::make_unique<TEditLog>(*grid);
        grid->OnCheckBoxClick = [this](TObject *, int C, int R, bool S) {
            log->Lines << QStringLiteral("CheckBoxClick %1,%2 %3").arg(C).arg(R).arg(S);
        };
    }
    void TearDown() override
    {
        log.reset();
        grid.reset();
        FGridPtr = nullptr;
        QApplication::processEvents();
    }
    void Key(int QtKey, const QString &Text = {})
    {
        TGridDriver::Key(QtKey, Qt::NoModifier, Text);
    }

    std::unique_ptr<TDazColumnGrid> grid;
    std::unique_ptr<TEditLog> log;

private:
    TDazStringGrid *FGridPtr = nullptr;
};

}   // namespace

TEST_F(ColumnEditFixture, ATextColumnIsTypedIntoAndCommittedWithEnter)
{
    Type("pump");
    ASSERT_TRUE(TextEditorShown());
    Enter();
    Flush();
    EXPECT_EQ(grid->Cells(1, 1), "pump");
    EXPECT_EQ(log->Only({"CellValidate", "EditingDone", "EditCellDone"}),
              (QStringList{"CellValidate 1,1 pump", "EditingDone", "EditCellDone 1,1"}));
}

TEST_F(ColumnEditFixture, AClickOnAnotherCellCommitsTheTextEdit)
{
    Type("valve");
    Click(1, 3);
    Flush();
    EXPECT_FALSE(TextEditorShown());
    EXPECT_EQ(grid->Cells(1, 1), "valve");
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(log->Only({"CellValidate", "EditCellDone"}),
              (QStringList{"CellValidate 1,1 valve", "EditCellDone 1,1"}));
}

TEST_F(ColumnEditFixture, AValidationVetoKeepsTheCellAndTheEditor)
{
    log->Validate = [](int, int, QString &V, bool &Valid) { Valid = V.size() <= 3; };
    Type("toolong");
    Enter();
    Click(1, 3);
    Flush();
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_TRUE(TextEditorShown());
    EXPECT_TRUE(log->Only({"EditCellDone"}).isEmpty());
}

TEST_F(ColumnEditFixture, TheCheckBoxColumnTogglesWithoutAnEditor)
{
    Click(2, 2);   // display column 2 is real column 3
    EXPECT_FALSE(TextEditorShown());
    EXPECT_EQ(grid->Cells(3, 2), "Y");
    EXPECT_EQ(log->Only({"CheckBoxClick"}), QStringList{"CheckBoxClick 2,2 1"});   // display
    Key(Qt::Key_F2);
    EXPECT_FALSE(TextEditorShown());
    EXPECT_FALSE(grid->Combobox()->isVisible());
    Key(Qt::Key_Space, " ");
    EXPECT_EQ(grid->Cells(3, 2), "N");
}

TEST_F(ColumnEditFixture, TheComboColumnOpensByClickAndCommitsWithTab)
{
    grid->SetCells(4, 2, "Byte");
    grid->FocusCell(3, 2, true);
    Click(3, 2);   // a click on the current cell opens its editor
    TGridCombo *combo = grid->Combobox();
    ASSERT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->currentText(), "Byte");
    EXPECT_EQ(combo->count(), 3);
    Key(Qt::Key_Down);
    EXPECT_EQ(log->Only({"ComboChange"}), QStringList{"ComboChange 4,2 2 Word"});
    // Tab reaches the combo because a validation handler is assigned; the value is
    // validated and written before the focus moves on.
    Key(Qt::Key_Tab, "\t");
    Flush();
    EXPECT_FALSE(combo->isVisible());
    EXPECT_EQ(grid->Cells(4, 2), "Word");
    EXPECT_EQ(log->Only({"CellValidate", "EditCellDone"}),
              (QStringList{"CellValidate 4,2 Word", "EditCellDone 4,2"}));
}

TEST_F(ColumnEditFixture, AReadOnlyColumnTakesNoTyping)
{
    grid->FocusCell(4, 1, true);
    Type("x");
    EXPECT_FALSE(TextEditorShown());
    EXPECT_EQ(grid->Cells(5, 1), "fixed");
    EXPECT_FALSE(grid->Options().Contains(goEditing));   // switched off for this cell
    grid->FocusCell(1, 1, true);
    EXPECT_TRUE(grid->Options().Contains(goEditing));
}

TEST_F(ColumnEditFixture, AdvanceOnEnterMovesToTheNextEditableCellAndOpensItsEditor)
{
    grid->Navigation().SetAdvanceOnEnter(true);
    Type("a");
    Enter();
    EXPECT_EQ(grid->Col(), 2);   // the check-box column is editable
    EXPECT_EQ(grid->Cells(1, 1), "a");
    grid->FocusCell(3, 4, true);   // the last row's combo; the read-only column is skipped
    Key(Qt::Key_F2);
    Enter();
    Flush();
    EXPECT_EQ(grid->Row(), 1);   // wrapped to the first normal row
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Cells(4, 4), "Bit");
}

TEST_F(ColumnEditFixture, AComboCellKeepsItsEditorWhileTheEventLoopRuns)
{
    // The first list-style opening turns the shared combo from edit style to list style;
    // its edit field goes away later and must not take the combo's focus with it.
    grid->SetCells(4, 1, "Bit");
    grid->FocusCell(3, 1, true);
    Click(3, 1);
    Flush();
    TGridCombo *combo = grid->Combobox();
    ASSERT_TRUE(combo->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), combo);
    EXPECT_TRUE(log->Only({"EditingDone", "EditCellDone"}).isEmpty());
    Key(Qt::Key_Down);
    Enter();
    Flush();
    EXPECT_EQ(grid->Cells(4, 1), "Byte");
    EXPECT_EQ(log->Only({"EditCellDone"}), QStringList{"EditCellDone 4,1"});
}

TEST_F(ColumnEditFixture, ARowIsEditedByKeysAndClicksWithTheEventLoopRunningBetween)
{
    // Every input is followed by the event loop, as a user's would be.
    auto key = [this](int K, const QString &Text = {}) {
        Key(K, Text);
        Flush();
    };
    key(Qt::Key_P, "p");
    key(Qt::Key_U, "u");
    ASSERT_TRUE(TextEditorShown());
    key(Qt::Key_Right);   // at the end of the text: stays in the editor
    key(Qt::Key_Return, "\r");
    EXPECT_FALSE(TextEditorShown());
    EXPECT_EQ(grid->Cells(1, 1), "pu");
    key(Qt::Key_Right);   // display column 2: the check box
    key(Qt::Key_Space, " ");
    EXPECT_EQ(grid->Cells(3, 1), "Y");
    Click(2, 1);
    Flush();
    EXPECT_EQ(grid->Cells(3, 1), "N");
    key(Qt::Key_Right);   // the combo column
    key(Qt::Key_F2);
    ASSERT_TRUE(grid->Combobox()->isVisible());
    key(Qt::Key_Down);   // an empty cell opened on Bit
    key(Qt::Key_Down);
    key(Qt::Key_Return, "\r");
    EXPECT_FALSE(grid->Combobox()->isVisible());
    EXPECT_EQ(grid->Cells(4, 1), "Word");
    EXPECT_EQ(log->Only({"EditCellDone"}), (QStringList{"EditCellDone 1,1", "EditCellDone 4,1"}));
    // Space reports the real column, a press the display column.
    EXPECT_EQ(log->Only({"CheckBoxClick"}),
              (QStringList{"CheckBoxClick 3,1 1", "CheckBoxClick 2,1 0"}));
}
