// Row heights that change while the grid is in use: a user resize carried over to the other
// rows, and a row growing under an open editor.
#include "editfixture.h"

namespace {

TEST(UserRowResize, AllRowSizeScalesTheNormalRowsAndLeavesHeadersAndFootersAlone)
{
    TDazStringGrid grid;
    grid.SetColCount(3);
    grid.SetRowCount(7);
    grid.SetDefaultRowHeight(20);
    grid.SetFixedFooters(1);
    grid.MouseActions().SetAllRowSize(true);
    grid.NoteRowResize(2, 20);
    grid.SetRowHeights(2, 30);
    for (int r = 1; r < 6; ++r)
        EXPECT_EQ(grid.RowHeights(r), 30) << r;
    EXPECT_EQ(grid.RowHeights(0), 20);
    EXPECT_EQ(grid.RowHeights(6), 20);   // the footer
}

struct GrowingEditRow : EditFixture
{
    bool AllRowsShown() const { return grid->VisibleRowCount() + grid->FixedRows() >= grid->RowCount(); }
};

// The caret sits in the middle of the text when the row grows; whether the grid starts to
// scroll decides whether the editor is shown again with the caret at the end.
TEST_F(GrowingEditRow, EditorComesBackWithTheCaretAtTheEndWhenTheGrowthMakesTheGridScroll)
{
    grid->SetWordWrap(true);
    grid->SizeWhileTyping().SetHeight(true);
    grid->SetDefaultRowHeight(20);
    grid->FocusCell(1, 4, true);
    grid->SetColWidths(1, 50);
    grid->SetCells(1, 4, QString("one two three four five six ").repeated(6));
    ASSERT_TRUE(AllRowsShown());
    grid->ShowInplaceEdit();
    ASSERT_TRUE(EditorShown());
    struct Case {
        bool typing;       // SizeWhileTyping.Height
        int maxHeight;     // 0: no limit; a small limit keeps every row in view
        bool caretAtEnd;
    };
    for (const Case &c : {Case{true, 25, false}, Case{false, 0, false}, Case{true, 0, true}}) {
        grid->SizeWhileTyping().SetHeight(c.typing);
        grid->SetMaxRowHeight(c.maxHeight);
        grid->SetRowHeights(4, 20);
        ASSERT_TRUE(AllRowsShown());
        Editor()->setCursorPosition(3);
        grid->AutoSizeRow(4);
        EXPECT_TRUE(EditorShown()) << c.typing << c.maxHeight;
        EXPECT_EQ(Editor()->cursorPosition() == Editor()->text().size(), c.caretAtEnd)
            << c.typing << c.maxHeight;
    }
    EXPECT_FALSE(AllRowsShown());
}

}   // namespace
