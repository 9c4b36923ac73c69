// Line breaks in the default text editor: which keys type them under the grid's word-wrap,
// multi-line and navigation switches, pasted breaks, Up/Down inside a text of several lines,
// the row growing with the typed lines, and the breaks reaching the cell.
#include "editfixture.h"

#include "grid/base/textroutines.h"

#include <QClipboard>
#include <QFontMetrics>

namespace {

class MultiLineEdit : public EditFixture
{
protected:
    void Set(bool Wrap, bool Multi, bool LineFeed, bool CtrlEnter)
    {
        grid->SetWordWrap(Wrap);
        grid->SetMultilinecells(Multi);
        grid->Navigation().SetLineFeedOnEnter(LineFeed);
        grid->Navigation().SetAllowCtrlEnter(CtrlEnter);
    }
    // Opens the editor on the current cell holding Text, the caret at its end.
    void Open(const QString &Text)
    {
        grid->SetCells(grid->Col(), grid->Row(), Text);
        Key(Qt::Key_F2);
        ASSERT_TRUE(EditorShown());
        Editor()->setCursorPosition(int(Editor()->text().size()));
    }
    void CtrlEnter() { Key(Qt::Key_Return, Qt::ControlModifier, "\r"); }
    void ShiftEnter() { Key(Qt::Key_Return, Qt::ShiftModifier, "\r"); }
    void Paste(const QString &S)
    {
        QApplication::clipboard()->setText(S);
        Key(Qt::Key_V, Qt::ControlModifier);
    }
};

// What a key did to an open edit of "ab" before "c" is typed: the edit goes on with a line
// break, goes on without one (the key was swallowed), or ended with the cell holding "ab".
enum class Outcome { Break, Swallowed, Ended };

}   // namespace

TEST_F(MultiLineEdit, EnterAndCtrlEnterTypeALineBreakOnlyWhereTheSwitchesLetThem)
{
    for (int bits = 0; bits < 16; ++bits) {
        const bool wrap = bits & 1, multi = bits & 2, lineFeed = bits & 4, ctrlEnter = bits & 8;
        const bool ctrlBreaks = ctrlEnter && (wrap || multi);
        const Outcome enter = lineFeed ? Outcome::Break : Outcome::Ended;
        // With line feeds on Enter, Ctrl+Enter ends the edit as Enter would.
        const Outcome ctrl = !ctrlBreaks ? Outcome::Swallowed
                                         : lineFeed ? Outcome::Ended : Outcome::Break;
        for (const bool withCtrl : {false, true}) {
            SCOPED_TRACE(QStringLiteral("WordWrap %1 Multilinecells %2 LineFeedOnEnter %3 "
                                        "AllowCtrlEnter %4 %5")
                             .arg(wrap).arg(multi).arg(lineFeed).arg(ctrlEnter)
                             .arg(withCtrl ? "Ctrl+Enter" : "Enter")
                             .toStdString());
            Set(wrap, multi, lineFeed, ctrlEnter);
            grid->FocusCell(1, 1, true);
            Open("ab");
            withCtrl ? CtrlEnter() : Enter();
            Flush();
            switch (withCtrl ? ctrl : enter) {
            case Outcome::Break:
                ASSERT_TRUE(EditorShown());
                Type("c");
                EXPECT_EQ(Editor()->text(), "ab\r\nc");
                EXPECT_EQ(Editor()->cursorPosition(), 5);
                break;
            case Outcome::Swallowed:
                ASSERT_TRUE(EditorShown());
                Type("c");
                EXPECT_EQ(Editor()->text(), "abc");
                break;
            case Outcome::Ended:
                EXPECT_FALSE(EditorShown());
                EXPECT_EQ(grid->Cells(1, 1), "ab");
                break;
            }
            if (EditorShown())
                Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
            Flush();
        }
    }
}

TEST_F(MultiLineEdit, TypedLineBreaksReachTheCell)
{
    Set(true, true, true, false);
    Open("");
    Type("one");
    Enter();
    Type("two");
    Enter();
    Type("3");
    EXPECT_EQ(Editor()->text(), "one\r\ntwo\r\n3");
    Click(2, 2);   // leaving the cell ends the edit
    Flush();
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(grid->Cells(1, 1), "one\r\ntwo\r\n3");
    EXPECT_EQ(CountCellLines(grid->Cells(1, 1), true), 3);
}

TEST_F(MultiLineEdit, PastedLineBreaksStayButOneTrailingBreakGoes)
{
    struct Case
    {
        bool wrap;
        QString pasted;
        QString result;
    };
    const Case cases[] = {
        {false, "x\r\ny", "abx\r\ny"},
        {true, "x\r\ny", "abx\r\ny"},
        {true, "x\r\n", "abx"},
        {true, "x\r\n\r\n", "abx\r\n"},   // only the last break goes
        {true, "\r\n", "ab"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pasted.toStdString());
        Set(c.wrap, false, false, false);
        grid->FocusCell(1, 1, true);
        Open("ab");
        Paste(c.pasted);
        EXPECT_EQ(Editor()->text(), c.result);
        EXPECT_EQ(grid->Cells(1, 1), c.result);   // a paste writes the cell at once
        Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
        Flush();
    }
}

TEST_F(MultiLineEdit, UpAndDownMoveInsideATextOfSeveralLinesAndLeaveAtItsEnds)
{
    Set(true, true, false, false);
    grid->FocusCell(1, 2, true);
    Open("one\r\ntwo");   // caret at the end of the second line
    Key(Qt::Key_Up);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_LE(Editor()->cursorPosition(), 3);   // on the first line now
    Key(Qt::Key_Down);
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_GE(Editor()->cursorPosition(), 5);   // back on the second line
    Key(Qt::Key_Down);   // the last line: the cell is left
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(grid->Cells(1, 2), "one\r\ntwo");

    // One line: Up leaves at once, from any caret position.
    grid->FocusCell(1, 2, true);
    Open("single");
    Editor()->setCursorPosition(2);
    Key(Qt::Key_Up);
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(MultiLineEdit, UpOnTheSecondLineOfAWrappedTextOnlyMovesTheCaret)
{
    Set(true, false, false, false);
    grid->SetColWidths(1, 60);
    grid->FocusCell(1, 2, true);
    Open("alpha beta gamma delta");   // wraps in a narrow cell
    Key(Qt::Key_Up);
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_LT(Editor()->cursorPosition(), 22);
}

TEST_F(MultiLineEdit, ShiftEnterGrowsTheRowWithSizeWhileTyping)
{
    Set(false, true, true, false);
    grid->SizeWhileTyping().SetHeight(true);
    QList<int> sized;
    grid->OnEndRowSize = [&](TObject *, int ARow) { sized << ARow; };
    const int before = grid->RowHeights(1);
    Open("a");
    ShiftEnter();   // the row takes the second line before it is typed
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->text(), "a\r\n");
    EXPECT_EQ(sized, QList<int>{1});
    const int lineHeight = QFontMetrics(Editor()->font()).height();
    EXPECT_EQ(grid->RowHeights(1), 2 * lineHeight + grid->CellYMargin());
    EXPECT_GT(grid->RowHeights(1), before);
    Type("b");
    ShiftEnter();
    EXPECT_EQ(grid->RowHeights(1), 3 * lineHeight + grid->CellYMargin());

    // Without SizeWhileTyping.Height the row keeps its height.
    Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    Flush();
    grid->SizeWhileTyping().SetHeight(false);
    grid->SetRowHeights(2, before);
    grid->FocusCell(1, 2, true);
    Open("a");
    ShiftEnter();
    EXPECT_EQ(grid->RowHeights(2), before);
}

TEST_F(MultiLineEdit, APasswordOrMaskedCellStaysOnOneLine)
{
    Set(true, true, true, true);
    grid->OnGetEditorType = [](TObject *, int ACol, int, TEditorType &E) {
        if (ACol == 1)
            E = edPassword;
    };
    Open("pw");
    EXPECT_TRUE(Editor()->isOneLine());
    Type("x");
    EXPECT_EQ(Editor()->text(), "pwx");
    Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    Flush();

    grid->OnGetEditorType = nullptr;
    grid->OnGetEditMask = [](TObject *, int, int, QString &Mask) { Mask = "999;_"; };
    grid->FocusCell(2, 1, true);
    Open("");
    EXPECT_TRUE(Editor()->isOneLine());
    Editor()->setCursorPosition(0);
    Type("12a3");   // the mask takes digits only
    EXPECT_EQ(Editor()->text(), "123");

    // A plain cell after them is multi-line again.
    Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    Flush();
    grid->OnGetEditMask = nullptr;
    grid->FocusCell(3, 1, true);
    Open("q");
    EXPECT_FALSE(Editor()->isOneLine());
    Enter();
    Type("r");
    EXPECT_EQ(Editor()->text(), "q\r\nr");
}

TEST_F(MultiLineEdit, TheEditorWrapsAndAlignsAsTheCell)
{
    grid->SetWordWrap(true);
    grid->OnGetAlignment = [](TObject *, int, int ACol, TAlignment &HAlign, TVAlignment &) {
        if (ACol == 2)
            HAlign = taRightJustify;
    };
    Open("x");
    EXPECT_TRUE(Editor()->wrapping());
    EXPECT_FALSE(Editor()->VAlign());
    Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    Flush();
    grid->SetWordWrap(false);
    grid->FocusCell(2, 1, true);
    Open("y");
    EXPECT_FALSE(Editor()->wrapping());
    EXPECT_TRUE(Editor()->VAlign());
    EXPECT_TRUE(Editor()->alignment() & Qt::AlignRight);
}

TEST_F(MultiLineEdit, APlainEnterGrowsAWrappedRowWithSizeWhileTypingAndTheEditorWithIt)
{
    Set(true, false, true, false);
    grid->SizeWhileTyping().SetHeight(true);
    QList<int> sized;
    grid->OnEndRowSize = [&](TObject *, int ARow) { sized << ARow; };
    const int before = grid->RowHeights(1);
    Open("a");
    Enter();
    Type("b");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(Editor()->text(), "a\r\nb");
    EXPECT_GT(grid->RowHeights(1), before);
    ASSERT_FALSE(sized.isEmpty());
    EXPECT_EQ(sized.last(), 1);
    // Both lines stay in sight: the editor covers the grown cell.
    const TRect r = grid->CellRect(1, 1);
    EXPECT_GE(Editor()->height(), r.Bottom - r.Top - 1);
    const int grown = grid->RowHeights(1);
    Enter();
    Type("c");
    EXPECT_GT(grid->RowHeights(1), grown);
    Click(2, 2);
    Flush();
    EXPECT_EQ(grid->Cells(1, 1), "a\r\nb\r\nc");

    // Without SizeWhileTyping.Height the row keeps its height.
    grid->SizeWhileTyping().SetHeight(false);
    grid->SetRowHeights(3, before);
    grid->FocusCell(1, 3, true);
    Open("a");
    Enter();
    Type("b");
    EXPECT_EQ(grid->RowHeights(3), before);
}

TEST_F(MultiLineEdit, ALineBreakCountsTwoCharactersAgainstTheLengthLimit)
{
    Set(true, true, true, true);
    grid->SetMaxEditLength(3);
    for (const bool withCtrl : {false, true}) {
        SCOPED_TRACE(withCtrl ? "Ctrl+Enter" : "Enter");
        grid->Navigation().SetLineFeedOnEnter(!withCtrl);
        grid->FocusCell(1, withCtrl ? 2 : 1, true);
        Open("ab");
        withCtrl ? CtrlEnter() : Enter();   // CR LF would make four characters
        ASSERT_TRUE(EditorShown());
        EXPECT_EQ(Editor()->text(), "ab");
        Key(Qt::Key_Backspace, Qt::NoModifier, QString(QChar(8)));
        withCtrl ? CtrlEnter() : Enter();   // "a" and a break fit
        EXPECT_EQ(Editor()->text(), "a\r\n");
        Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
        Flush();
    }
}
