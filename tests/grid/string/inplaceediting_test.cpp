// The grid's side of the in-place editing cycle around the focus: what leaving the grid
// settles, what coming back opens, and the edit that ends on a key of a control editor.
#include "controlelement.h"
#include "editfixture.h"
#include "lineeditlink.h"

#include "grid/string/dazcolumngrid.h"
#include "grid/string/gridinputtools.h"

#include <QLineEdit>

namespace {

class InplaceEditing : public EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        other = std::make_unique<QLineEdit>(grid.get());
        other->show();
    }
    void TearDown() override
    {
        other.reset();
        EditFixture::TearDown();
    }
    void LeaveGrid()
    {
        other->setFocus(Qt::TabFocusReason);
        Flush();
    }
    void EnterGrid()
    {
        grid->setFocus(Qt::TabFocusReason);
        Flush();
    }
    std::unique_ptr<QLineEdit> other;
};

// A rectangle selected without a row click (keys, code) counts as selected rows once the
// user leaves the grid.
TEST_F(InplaceEditing, LeavingTheGridTurnsAPendingRectangleIntoSelectedRows)
{
    grid->SetOptions(grid->Options() - goEditing + goRangeSelect + goRowSelect);
    grid->MouseActions().SetDisjunctRowSelect(true);
    grid->SetSelection({1, 2, 3, 3});
    EXPECT_FALSE(grid->RowSelect(2));
    LeaveGrid();
    EXPECT_TRUE(grid->RowSelect(2));
    EXPECT_TRUE(grid->RowSelect(3));
    EXPECT_FALSE(grid->RowSelect(1));
    EXPECT_FALSE(grid->RowSelect(4));

    // Settled once: rows deselected afterwards stay so on the next exit.
    grid->SetRowSelect(3, false);
    EnterGrid();
    LeaveGrid();
    EXPECT_FALSE(grid->RowSelect(3));
}

// A pressed BUTTON element whose release goes to another window comes up as the grid loses
// the focus.
TEST_F(InplaceEditing, APressedButtonElementComesUpWhenTheFocusLeaves)
{
    grid->SetEnableHTML(true);
    grid->SetColWidths(1, 200);
    grid->SetRowHeights(1, 30);
    grid->SetCells(1, 1, QStringLiteral("<CONTROL TYPE=\"BUTTON\" ID=\"go\" VALUE=\"Go\" WIDTH=\"60\">"));
    const QImage up = grid->viewport()->grab().toImage();

    const QPointF at = ControlElementPoint(*grid, 1, 1);
    QWidget *vp = grid->viewport();
    QMouseEvent press(QEvent::MouseButtonPress, at, vp->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &press);
    ASSERT_NE(grid->viewport()->grab().toImage(), up);   // drawn pressed

    LeaveGrid();
    const QImage left = grid->viewport()->grab().toImage();
    // The release that never came would raise it now; it is up already.
    QMouseEvent release(QEvent::MouseButtonRelease, at, vp->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &release);
    EXPECT_EQ(left, grid->viewport()->grab().toImage()) << "the button is still drawn down";
}

// Enter in the text editor: the value is stored in every case; AdvanceOnEnter decides
// whether the cell moves, AdvanceAutoEdit whether the Enter then toggles the editor.
TEST_F(InplaceEditing, EnterFollowsAdvanceOnEnterAndAdvanceAutoEdit)
{
    const struct
    {
        bool AdvanceOnEnter, AdvanceAutoEdit;
        int Col;            // current column after the Enter (advancing goes right)
        bool EditorOpen;    // an editor is open afterwards (on that cell)
    } cases[] = {
        {false, true, 1, false},
        {false, false, 1, true},
        {true, true, 2, true},
        {true, false, 2, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "AdvanceOnEnter " << c.AdvanceOnEnter
                                        << ", AdvanceAutoEdit " << c.AdvanceAutoEdit);
        grid->Navigation().SetAdvanceOnEnter(c.AdvanceOnEnter);
        grid->Navigation().SetAdvanceAutoEdit(c.AdvanceAutoEdit);
        grid->SetCells(1, 1, "");
        grid->FocusCell(1, 1, true);
        Type("ab");
        ASSERT_TRUE(EditorShown());
        Enter();
        Flush();
        EXPECT_EQ(grid->Cells(1, 1), "ab");
        EXPECT_EQ(grid->Col(), c.Col);
        EXPECT_EQ(grid->Row(), 1);
        EXPECT_EQ(EditorShown(), c.EditorOpen);
        if (EditorShown()) {
            Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
            Flush();
        }
        grid->HideInplaceEdit();
    }
}

// A popup editor left by activating another window hands the focus back through the grid
// without the grid reacting to it once: an always-editing grid opens no text editor then.
TEST_F(InplaceEditing, AFocusChangeThePopupEditorCausedIsIgnoredOnce)
{
    TLineEditLink link;
    link.EditStyle = esPopup;
    grid->SetEditLink(&link);
    bool custom = true;
    grid->OnGetEditorType = [&](TObject *, int, int, TEditorType &E) {
        if (custom)
            E = edCustom;
    };
    Key(Qt::Key_F2);
    ASSERT_TRUE(link.PopupForm() && link.PopupForm()->isVisible());
    link.FEdit->setText("pop");
    link.FormExit();
    EXPECT_FALSE(link.PopupForm()->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "pop");
    EXPECT_TRUE(grid->InvokedFocusChange());

    // The grid's window is active again and its grid takes the focus back.
    custom = false;
    grid->Navigation().SetAlwaysEdit(true);
    grid->activateWindow();
    Flush();
    ASSERT_TRUE(grid->hasFocus());
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(grid->InvokedFocusChange());
    LeaveGrid();
    EnterGrid();
    EXPECT_TRUE(EditorShown());   // only the one focus change was the popup's
    grid->SetEditLink(nullptr);
}

// Down on the last row ends the edit of a control editor and, with AppendOnArrowDown, moves
// to one new row.
TEST_F(InplaceEditing, DownFromAControlEditorOnTheLastRowAppendsOneRow)
{
    grid->Navigation().SetAppendOnArrowDown(true);
    grid->OnGetEditorType = [](TObject *, int, int, TEditorType &E) { E = edEditBtn; };
    grid->FocusCell(1, 4, true);
    Key(Qt::Key_F2);
    ASSERT_TRUE(Shown());
    Type("z");
    Key(Qt::Key_Down);
    Flush();
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(grid->Row(), 5);
    EXPECT_EQ(grid->Cells(1, 4), "z");
    EXPECT_EQ(log->Only({"EditingDone", "EditCellDone"}),
              (QStringList{"EditingDone", "EditCellDone 1,4"}));
}

// Finds the first normal row whose column-1 text starts with the search text, and keeps
// what it was asked.
struct TPrefixSearch : IGridInputTools
{
    QStringList Asked;
    void QSort(TDazStringGrid &) override {}
    void QSortIndexed(TDazStringGrid &) override {}
    void QSortGroup(TDazStringGrid &) override {}
    void QSortGroupIndexed(TDazStringGrid &) override {}
    void QUnSort(TDazStringGrid &) override {}
    void CopySelectionToClipboard(TDazStringGrid &) override {}
    void CutSelectionToClipboard(TDazStringGrid &) override {}
    void PasteSelectionFromClipboard(TDazStringGrid &) override {}
    int Search(TDazStringGrid &Grid, const QString &S) override
    {
        Asked << S;
        for (int r = Grid.FixedRows(); r < Grid.RowCount(); ++r)
            if (Grid.Cells(1, r).startsWith(S))
                return r;
        return -1;
    }
};

// Typing in a grid that is not edited goes to the row whose text starts with what was typed.
TEST_F(InplaceEditing, TypingInAGridWithoutEditingSearchesTheRows)
{
    TPrefixSearch search;
    SetGridInputTools(&search);
    grid->SetOptions(grid->Options() - goEditing);
    grid->Navigation().SetAutoGotoWhenSorted(true);
    grid->Navigation().SetAutoGotoIncremental(true);
    const char *names[] = {"ALPHA", "BETA", "BRAVO", "CHARLIE"};
    for (int r = 1; r <= 4; ++r)
        grid->SetCells(1, r, names[r - 1]);
    const struct
    {
        int QtKey;
        QString Text;
        const char *Asked;   // the search text handed on (none: "")
        int Row;
    } steps[] = {
        {Qt::Key_B, "b", "B", 2},
        {Qt::Key_R, "r", "BR", 3},
        {Qt::Key_Backspace, "\b", "B", 2},
        {Qt::Key_X, "x", "BX", 2},   // a miss keeps the row and forgets the text
        {Qt::Key_C, "c", "C", 4},
    };
    for (const auto &st : steps) {
        search.Asked.clear();
        Key(st.QtKey, Qt::NoModifier, st.Text);
        EXPECT_EQ(search.Asked.join(','), st.Asked) << st.Text.toStdString();
        EXPECT_EQ(grid->Row(), st.Row) << st.Text.toStdString();
    }
    EXPECT_FALSE(EditorShown());

    // Without AutoGotoIncremental each character is searched alone.
    grid->Navigation().SetAutoGotoIncremental(false);
    grid->FocusCell(1, 1, true);
    Key(Qt::Key_B, Qt::NoModifier, "b");
    search.Asked.clear();
    Key(Qt::Key_R, Qt::NoModifier, "r");
    EXPECT_EQ(search.Asked, QStringList{"R"});
    EXPECT_EQ(grid->Row(), 2);

    // An editable grid types into the cell instead.
    grid->SetOptions(grid->Options() + goEditing);
    search.Asked.clear();
    Key(Qt::Key_C, Qt::NoModifier, "c");
    EXPECT_TRUE(search.Asked.isEmpty());
    EXPECT_TRUE(EditorShown());
    SetGridInputTools(nullptr);
}

// A control editor ended by a key gives the focus back to the grid without the always-editing
// switch opening the text editor on the way.
TEST_F(InplaceEditing, AControlEditorEndedByAKeyOpensNoTextEditorWithAlwaysEdit)
{
    grid->Navigation().SetAlwaysEdit(true);
    grid->OnGetEditorType = [](TObject *, int ACol, int, TEditorType &E) {
        if (ACol == 1)
            E = edEditBtn;
    };
    Key(Qt::Key_F2);
    ASSERT_TRUE(Shown());
    Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    Flush();
    EXPECT_FALSE(Shown());
    EXPECT_FALSE(EditorShown());
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_TRUE(grid->Navigation().AlwaysEdit());
}

// Entering a read-only column of an editable column grid suspends editing for the grid as a
// whole; the next editable column takes typing again.
TEST(InplaceEditingColumns, AReadOnlyColumnSuspendsEditingUntilAnEditableOneIsEntered)
{
    TDazColumnGrid grid;
    grid.SetColCount(4);
    grid.SetRowCount(4);
    grid.SetOptions(grid.Options() + goEditing);
    grid.Columns().Items(2)->SetReadOnly(true);
    TGridDriver::ShowFocused(grid, 400);
    TDazStringGrid *g = &grid;
    TGridDriver keys(g);

    grid.FocusCell(2, 1, true);
    EXPECT_FALSE(grid.Options().Contains(goEditing));
    EXPECT_TRUE(grid.EditDisable());
    EXPECT_TRUE(grid.IsEditable(1, 1));   // the grid as a whole stays editable
    EXPECT_FALSE(grid.IsEditable(2, 1));
    keys.Type("q");
    EXPECT_FALSE(keys.TextEditorShown());
    EXPECT_EQ(grid.Cells(2, 1), "");

    grid.FocusCell(3, 1, true);
    EXPECT_TRUE(grid.Options().Contains(goEditing));
    EXPECT_FALSE(grid.EditDisable());
    keys.Type("q");
    EXPECT_TRUE(keys.TextEditorShown());
    keys.Enter();
    EXPECT_EQ(grid.Cells(3, 1), "q");
}

}   // namespace
