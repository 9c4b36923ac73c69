// The in-place editing cycle of the string grid: typing, committing, cancelling and the
// order of the editing events.
#include "editfixture.h"

#include "grid/base/gridundo.h"
#include "grid/string/cellchecker.h"

#include <QToolTip>

TEST_F(EditFixture, TypingOpensTheEditorAndEnterCommitsBeforeTheEditIsReported)
{
    grid->SetCells(1, 1, "old");
    Type("ab");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->text(), "ab");
    EXPECT_EQ(grid->Cells(1, 1), "ab");   // written through while typing
    log->Validate = [this](int, int, QString &, bool &) {
        EXPECT_FALSE(log->Lines.contains("EditCellDone 1,1"));
    };
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(grid->Cells(1, 1), "ab");
    EXPECT_EQ(log->Only({"CellValidate", "EditingDone", "EditCellDone"}),
              (QStringList{"CellValidate 1,1 ab", "EditingDone"}));
    Flush();
    EXPECT_EQ(log->Only({"EditChange", "CellValidate", "EditingDone", "EditCellDone"}),
              (QStringList{"EditChange 1,1 a", "EditChange 1,1 ab", "CellValidate 1,1 ab",
                           "EditingDone", "EditCellDone 1,1"}));
}

TEST_F(EditFixture, EscapeRestoresTheTextTheCellHadAndStillReportsTheEdit)
{
    grid->SetCells(1, 1, "keep");
    grid->FocusCell(1, 1, true);
    Type("xy");
    EXPECT_EQ(grid->Cells(1, 1), "xy");
    Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(grid->Cells(1, 1), "keep");
    Flush();
    EXPECT_EQ(log->Only({"CellValidate", "EditingDone", "EditCellDone"}),
              (QStringList{"EditingDone", "EditCellDone 1,1"}));
}

TEST_F(EditFixture, F2EditsTheTextAndTheEventsCarryTheRealColumn)
{
    grid->SetCells(2, 2, "abc");
    grid->HideColumn(1);
    grid->FocusCell(1, 2, true);   // display column 1 is real column 2
    Key(Qt::Key_F2);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->text(), "abc");
    Key(Qt::Key_End);
    Type("d");
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    Flush();
    EXPECT_EQ(grid->Cells(2, 2), "abcd");
    EXPECT_EQ(log->Only({"CellValidate", "EditCellDone"}),
              (QStringList{"CellValidate 2,2 abcd", "EditCellDone 2,2"}));
}

TEST_F(EditFixture, AnUnchangedTextIsNotValidatedUnlessAlwaysValidate)
{
    grid->SetCells(1, 1, "same");
    Key(Qt::Key_F2);
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_TRUE(log->Only({"CellValidate"}).isEmpty());
    grid->SetAlwaysValidate(true);
    Key(Qt::Key_F2);
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(log->Only({"CellValidate"}), QStringList{"CellValidate 1,1 same"});
}

TEST_F(EditFixture, ARefusedValueKeepsTheEditorOpen)
{
    struct Case
    {
        const char *name;
        QString proposal;   // empty: the handler keeps the typed text
        QString cell;       // what the cell holds while the editor is open again
        QString editor;
    };
    const Case cases[] = {
        {"typed text kept", {}, "bad", "bad"},
        {"another text proposed", "fixed", "old", "fixed"},
    };
    for (const Case &c : cases) {
        grid->SetCells(1, 1, "old");
        grid->FocusCell(1, 1, true);
        log->Lines.clear();
        log->Validate = [&](int, int, QString &V, bool &Valid) {
            Valid = false;
            if (!c.proposal.isEmpty())
                V = c.proposal;
        };
        Type("bad");
        Key(Qt::Key_Return, Qt::NoModifier, "\r");
        Flush();
        EXPECT_TRUE(EditorShown()) << c.name;
        EXPECT_EQ(Editor()->text(), c.editor) << c.name;
        EXPECT_EQ(grid->Cells(1, 1), c.cell) << c.name;
        EXPECT_EQ(grid->Row(), 1) << c.name;
        EXPECT_FALSE(grid->LastValidation()) << c.name;
        EXPECT_TRUE(log->Only({"EditingDone", "EditCellDone"}).isEmpty()) << c.name;
        // Accepted the second time.
        log->Validate = nullptr;
        Key(Qt::Key_Return, Qt::NoModifier, "\r");
        Flush();
        EXPECT_FALSE(EditorShown()) << c.name;
        EXPECT_EQ(grid->Cells(1, 1), c.editor) << c.name;
        EXPECT_EQ(log->Only({"EditingDone", "EditCellDone"}),
                  (QStringList{"EditingDone", "EditCellDone 1,1"}))
            << c.name;
    }
}

TEST_F(EditFixture, AHandlerThatCorrectsTheValueStoresTheCorrection)
{
    log->Validate = [](int, int, QString &V, bool &) { V = V.toUpper(); };
    Type("abc");
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(grid->Cells(1, 1), "ABC");
    EXPECT_TRUE(grid->Modified());
}

TEST_F(EditFixture, MovingWithAnArrowValidatesFirstAndARefusalKeepsTheCell)
{
    log->Validate = [](int, int, QString &V, bool &Valid) { Valid = V != "no"; };
    Type("no");
    Key(Qt::Key_Down);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_TRUE(EditorShown());
    Key(Qt::Key_Backspace, Qt::NoModifier, QString(QChar(8)));
    Key(Qt::Key_Backspace, Qt::NoModifier, QString(QChar(8)));
    Type("ok");
    Key(Qt::Key_Down);
    Flush();
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Cells(1, 1), "ok");
    EXPECT_EQ(log->Only({"EditCellDone"}), QStringList{"EditCellDone 1,1"});
}

TEST_F(EditFixture, ClickingAnotherCellEndsTheEditWithItsValidation)
{
    log->Validate = [](int, int, QString &V, bool &Valid) { Valid = V != "no"; };
    Type("no");
    Click(2, 3);
    Flush();
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_TRUE(EditorShown());
    EXPECT_FALSE(log->Only({"CellValidate"}).isEmpty());
}

TEST_F(EditFixture, TheEditorPropertyEventFiresForTheCellAsTheEditorOpens)
{
    QStringList props;
    grid->OnGetEditorProp = [&](TObject *, int C, int R, TEditLink *Link) {
        props << QStringLiteral("%1,%2 %3").arg(C).arg(R).arg(Link == nullptr);
    };
    grid->HideColumn(1);
    grid->FocusCell(1, 2, true);   // real column 2
    Key(Qt::Key_F2);
    EXPECT_EQ(props, QStringList{"2,2 1"});
}

TEST_F(EditFixture, WithAlwaysEditTheEditorOpensWhenTheGridTakesTheFocus)
{
    QLineEdit other(grid.get());
    other.show();
    other.setFocus();
    Flush();
    grid->Navigation().SetAlwaysEdit(true);
    grid->setFocus(Qt::TabFocusReason);
    Flush();
    EXPECT_TRUE(EditorShown());
    // A read-only cell opens nothing.
    Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    grid->SetReadOnly(2, 2, true);
    grid->FocusCell(2, 2, true);
    other.setFocus();
    grid->setFocus(Qt::TabFocusReason);
    Flush();
    EXPECT_FALSE(EditorShown());
}

namespace {

// Upper-cases on correction and wraps texts holding an x in an error mark.
struct TShoutChecker : TDazStringGridCheck
{
    QString Correct(int, int, const QString &S) override { return S.toUpper(); }
    QString MarkError(int, int, const QString &S) override
    {
        return S.contains(u'X') ? "<e>" + S + "</e>" : S;
    }
};

}   // namespace

TEST_F(EditFixture, AnAcceptedValueIsCheckedRecordedAndReported)
{
    TShoutChecker checker;
    checker.SetAutoCorrect(true);
    checker.SetAutoMarkError(true);
    grid->SetCellChecker(&checker);
    TDazGridUndoRedo undo;
    grid->SetUndoRedo(&undo);
    QStringList changed;
    grid->OnCellsChanged = [&](TObject *, const TRect &R) {
        changed << QStringLiteral("%1,%2-%3,%4").arg(R.Left).arg(R.Top).arg(R.Right).arg(R.Bottom);
    };
    grid->HideColumn(1);
    grid->FocusCell(1, 2, true);   // real column 2
    grid->SetModified(false);
    Type("box");
    Enter();
    Flush();
    // The handler saw the correction; the cell holds the marked text.
    EXPECT_EQ(log->Only({"CellValidate"}), QStringList{"CellValidate 2,2 BOX"});
    EXPECT_EQ(grid->Cells(2, 2), "<e>BOX</e>");
    EXPECT_TRUE(grid->Modified());
    EXPECT_EQ(changed, QStringList{"2,2-2,2"});
    ASSERT_EQ(undo.Items().Count(), 1);
    EXPECT_EQ(undo.Items().Items(0)->Col(), 2);
    EXPECT_EQ(undo.Items().Items(0)->OrigValue(), "");
    EXPECT_EQ(undo.Items().Items(0)->Value(), "<e>BOX</e>");
    undo.Undo();
    EXPECT_EQ(grid->Cells(2, 2), "");
    grid->SetCellChecker(nullptr);
    grid->SetUndoRedo(nullptr);
}

TEST_F(EditFixture, ARefusalRecordsNothingAndShowsTheBalloonOnlyWhenConfigured)
{
    TDazGridUndoRedo undo;
    grid->SetUndoRedo(&undo);
    int changes = 0;
    grid->OnCellsChanged = [&](TObject *, const TRect &) { ++changes; };
    grid->SetModified(false);
    log->Validate = [](int, int, QString &, bool &Valid) { Valid = false; };
    for (const bool configured : {false, true}) {
        QToolTip::hideText();
        if (configured) {
            grid->SetInvalidEntryTitle("Invalid value");
            grid->SetInvalidEntryText("Use digits only");
        }
        Type("q");
        Enter();
        Flush();
        ASSERT_TRUE(EditorShown());
        EXPECT_EQ(QToolTip::isVisible(), configured);
        if (configured) {
            EXPECT_TRUE(QToolTip::text().contains("Use digits only"));
        }
        Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
        Flush();
    }
    EXPECT_EQ(undo.Items().Count(), 0);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(grid->Modified());
    EXPECT_EQ(grid->Cells(1, 1), "");
    grid->SetUndoRedo(nullptr);
}

TEST_F(EditFixture, MovingRowsOrColumnsUnderAnOpenEditorKeepsTheTextWithItsCell)
{
    struct Case
    {
        const char *name;
        std::function<void(TDazStringGrid &)> move;
        int col, row;   // where the edited cell is afterwards
    };
    const Case cases[] = {
        {"MoveRow", [](TDazStringGrid &G) { G.MoveRow(1, 3); }, 1, 3},
        {"MoveRows", [](TDazStringGrid &G) { G.MoveRows(1, 4, 2); }, 1, 2},
        {"MoveColumn", [](TDazStringGrid &G) { G.MoveColumn(1, 3); }, 3, 1},
    };
    for (const Case &c : cases) {
        for (int col = 1; col < 4; ++col)
            for (int r = 1; r < 5; ++r)
                grid->SetCells(col, r, QStringLiteral("%1%2").arg(col).arg(r));
        grid->FocusCell(1, 1, true);
        Key(Qt::Key_F2);
        Type("x");
        c.move(*grid);
        EXPECT_FALSE(EditorShown()) << c.name;
        Enter();
        Flush();
        EXPECT_EQ(grid->Cells(c.col, c.row), "11x") << c.name;
        int edited = 0;
        for (int col = 1; col < 4; ++col)
            for (int r = 1; r < 5; ++r)
                edited += grid->Cells(col, r).endsWith('x');
        EXPECT_EQ(edited, 1) << c.name;   // no other cell took the text
    }
}

TEST_F(EditFixture, TheMouseActionsDecideWhichInputStartsAnEdit)
{
    // Cell (2, 3) is not current; each setting is tried on a fresh editing state.
    struct Case
    {
        const char *name;
        std::function<void(TMouseActions &)> set;
        bool editing;           // goEditing at the start
        bool clickEdits;        // one click opens the editor
        bool secondClickEdits;  // a second click on the now current cell does
        bool typingEdits;       // a typed character does, after the click
        bool doubleClickEdits;
    };
    const Case cases[] = {
        {"default", [](TMouseActions &) {}, true, false, true, true, true},
        {"DirectEdit", [](TMouseActions &M) { M.SetDirectEdit(true); }, true, true, true, true, true},
        {"RangeSelectAndEdit", [](TMouseActions &M) { M.SetRangeSelectAndEdit(true); }, false,
         false, true, true, true},
        {"EditOnDblClickOnly", [](TMouseActions &M) { M.SetEditOnDblClickOnly(true); }, false,
         false, false, false, true},
    };
    for (const Case &c : cases) {
        grid.reset();
        SetUp();
        c.set(grid->MouseActions());
        TGridOptions o = grid->Options();
        grid->SetOptions(c.editing ? o + goEditing : o - goEditing);
        auto close = [this] {
            Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
            Flush();
        };
        Click(2, 3);
        Flush();
        EXPECT_EQ(EditorShown(), c.clickEdits) << c.name;
        if (EditorShown())
            close();
        Click(2, 3);
        Flush();
        EXPECT_EQ(EditorShown(), c.secondClickEdits) << c.name;
        if (EditorShown())
            close();
        Type("t");
        Flush();
        EXPECT_EQ(EditorShown(), c.typingEdits) << c.name;
        if (EditorShown())
            close();
        EXPECT_EQ(grid->Cells(2, 3), "") << c.name;
        DoubleClick(2, 3);
        Flush();
        ASSERT_EQ(EditorShown(), c.doubleClickEdits) << c.name;
        Type("w");
        Enter();
        Flush();
        EXPECT_EQ(grid->Cells(2, 3), "w") << c.name;
        EXPECT_EQ(log->Only({"EditCellDone"}).last(), "EditCellDone 2,3") << c.name;
    }
    // With EditOnDblClickOnly each finished edit takes goEditing away again.
    EXPECT_FALSE(grid->Options().Contains(goEditing));
}

TEST_F(EditFixture, APressOnACoveredPartOfAMergeSelectsAndEditsItsBase)
{
    grid->SetCells(1, 1, "base");
    grid->MergeCells(1, 1, 2, 2);
    grid->FocusCell(3, 4, true);
    Click(2, 2);
    Flush();
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    Click(2, 2);   // the second press edits the merge over its whole area
    Flush();
    ASSERT_TRUE(EditorShown());
    const TRect r = grid->CellRect(1, 1);
    EXPECT_EQ(Editor()->geometry().topLeft(), QPoint(r.Left, r.Top));
    EXPECT_GE(Editor()->width(), r.Width() - 1);
    Key(Qt::Key_End);
    Type("X");
    Enter();
    Flush();
    EXPECT_EQ(grid->Cells(1, 1), "baseX");
    EXPECT_EQ(log->Only({"CellValidate", "EditCellDone"}),
              (QStringList{"CellValidate 1,1 baseX", "EditCellDone 1,1"}));
}
