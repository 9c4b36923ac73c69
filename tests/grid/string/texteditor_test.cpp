// The default text editor's rules: typed characters by editor type, the length limit, the
// paste filter, lookup completion, the cursor walk and Tab.
#include "editfixture.h"

#include "platform/locale.h"

#include <QClipboard>

namespace {

class TextEditorFixture : public EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        SetDecimalSeparatorOverride(u'.');
        grid->OnGetEditorType = [this](TObject *, int, int, TEditorType &E) { E = Kind; };
    }
    void TearDown() override
    {
        SetDecimalSeparatorOverride(QChar());
        EditFixture::TearDown();
    }
    // Opens the editor on the current cell with its text, caret at the end.
    void Open()
    {
        Key(Qt::Key_F2);
        ASSERT_TRUE(EditorShown());
        Editor()->setCursorPosition(int(Editor()->text().size()));
    }
    void Char(QChar C) { Key(Qt::Key_unknown, Qt::NoModifier, QString(C)); }
    void Chars(const QString &S)
    {
        for (QChar c : S)
            Char(c);
    }
    void Paste(const QString &S)
    {
        QApplication::clipboard()->setText(S);
        Key(Qt::Key_V, Qt::ControlModifier);
    }
    TEditorType Kind = edNormal;
};

}   // namespace

TEST_F(TextEditorFixture, TypedCharactersFollowTheEditorType)
{
    struct Case
    {
        TEditorType kind;
        QString cell;
        int caret;
        QString typed;
        QString result;
    };
    const Case cases[] = {
        {edNumeric, "12", 0, "-", "-12"},
        {edNumeric, "-12", 0, "-", "-12"},     // a second minus beeps
        {edNumeric, "12", 1, "-a", "12"},      // a minus inside, a letter
        {edPositiveNumeric, "", 0, "-4x2", "42"},
        {edFloat, "1", 1, ".5.", "1.5"},        // a second separator is dropped
        {edFloat, "1", 1, ",2", "12"},          // the thousand separator is dropped
        {edPositiveFloat, "", 0, "-3.", "3."},
        {edCapital, "", 0, "ab", "AB"},
        {edUpperCase, "", 0, "xY", "XY"},
        {edLowerCase, "", 0, "XyZ", "xyz"},
        {edMixedCase, "", 0, "ab cd", "Ab Cd"},
        {edNormal, "", 0, "a-1", "a-1"},
    };
    for (const Case &c : cases) {
        Kind = c.kind;
        grid->SetCells(1, 1, c.cell);
        Open();
        Editor()->setCursorPosition(c.caret);
        Chars(c.typed);
        EXPECT_EQ(Editor()->text(), c.result) << c.kind << " " << c.typed.toStdString();
        Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    }
}

TEST_F(TextEditorFixture, ValidCharsLimitTheCharacters)
{
    Kind = edValidChars;
    grid->SetValidChars("ab");
    Open();
    Chars("abcba");
    EXPECT_EQ(Editor()->text(), "abba");
    Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    grid->SetValidChars("");
    grid->ValidCharSet().set('x');
    Open();
    Chars("xyx");
    EXPECT_EQ(Editor()->text(), "xx");
}

TEST_F(TextEditorFixture, TheLengthLimitFiltersInputButKeepsALongerText)
{
    grid->SetMaxEditLength(3);
    grid->SetCells(1, 1, "abcdef");
    Open();
    EXPECT_EQ(Editor()->text(), "abcdef");   // not cut
    Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    grid->SetCells(1, 1, "");
    Open();
    Chars("abcd");
    EXPECT_EQ(Editor()->text(), "abc");
    Key(Qt::Key_Backspace, Qt::NoModifier, QString(QChar(8)));
    EXPECT_EQ(Editor()->text(), "ab");
    Chars("xy");
    EXPECT_EQ(Editor()->text(), "abx");
    Editor()->setSelection(0, 1);   // a selected character may be replaced
    Char(u'z');
    EXPECT_EQ(Editor()->text(), "zbx");
}

TEST_F(TextEditorFixture, PastingFollowsTheEditorTypeAndTheCellIsWrittenAfterwards)
{
    QStringList after;
    grid->OnClipboardAfterPasteCell = [&](TObject *, int, int, const QString &V) { after << V; };
    struct Case
    {
        TEditorType kind;
        QString pasted;
        QString result;
    };
    const Case cases[] = {
        {edPositiveNumeric, "-5", ""},
        {edPositiveNumeric, "42", "42"},
        {edFloat, "1.5", "1.5"},
        {edFloat, "1.5.2", ""},
        {edUpperCase, "abc", "ABC"},
        {edNormal, "line\r\n", "line"},   // one trailing line break goes
    };
    for (const Case &c : cases) {
        Kind = c.kind;
        grid->SetCells(1, 1, "");
        Open();
        after.clear();
        Paste(c.pasted);
        EXPECT_EQ(Editor()->text(), c.result) << c.pasted.toStdString();
        EXPECT_EQ(grid->Cells(1, 1), c.result) << c.pasted.toStdString();
        EXPECT_EQ(after, QStringList{c.result}) << c.pasted.toStdString();
        Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    }
    // A handler may refuse or change the text.
    Kind = edNormal;
    grid->OnClipboardBeforePasteCell = [](TObject *, int, int, QString &V, bool &Allow) {
        Allow = V != "no";
        V = V + "!";
    };
    Open();
    Paste("no");
    EXPECT_EQ(Editor()->text(), "");
    Paste("yes");
    EXPECT_EQ(Editor()->text(), "yes!");
}

TEST_F(TextEditorFixture, LookupCompletesTypedTextFromTheList)
{
    grid->SetLookup(true);
    grid->LookupItems().Add("Alpha");
    grid->LookupItems().Add("Beta");
    Open();
    Type("b");
    EXPECT_EQ(Editor()->text(), "beta");
    EXPECT_EQ(Editor()->selectedText(), "eta");
}

TEST_F(TextEditorFixture, AMaskedEditStartsOnItsFirstPositionWhenAsked)
{
    grid->OnGetEditMask = [](TObject *, int, int, QString &Value) { Value = "999"; };
    grid->SetCells(1, 1, "123");
    for (bool improve : {false, true}) {
        grid->Navigation().SetImproveMaskSel(improve);
        grid->ShowInplaceEdit();   // (F2 also puts the caret at the end afterwards)
        ASSERT_TRUE(EditorShown());
        EXPECT_EQ(Editor()->inputMask(), "999");   // the cell's mask reaches the editor
        EXPECT_EQ(Editor()->selectedText() == "1" && Editor()->selectionStart() == 0, improve);
        Key(Qt::Key_Escape);
    }
}

TEST_F(TextEditorFixture, TheCursorWalkLeavesTheTextAtItsEnds)
{
    grid->Navigation().SetCursorWalkEditor(true);
    grid->SetCells(1, 1, "ab");
    Open();
    Key(Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_TRUE(EditorShown());   // CursorWalkAlwaysEdit opens the next editor
    Editor()->setCursorPosition(0);
    Key(Qt::Key_Left);
    EXPECT_EQ(grid->Col(), 1);
    // The walk validates before it leaves.
    log->Validate = [](int, int, QString &, bool &Valid) { Valid = false; };
    Char(u'x');
    Editor()->setCursorPosition(int(Editor()->text().size()));
    Key(Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 1);
}

TEST_F(TextEditorFixture, TabWithGoTabsValidatesAndMovesToTheNextCell)
{
    grid->SetOptions(grid->Options() + goTabs);
    Open();
    Chars("t");
    Key(Qt::Key_Tab, Qt::NoModifier, "\t");
    Flush();
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Cells(1, 1), "t");
    EXPECT_EQ(log->Only({"CellValidate", "EditCellDone"}),
              (QStringList{"CellValidate 1,1 t", "EditCellDone 1,1"}));
}

TEST_F(TextEditorFixture, ACheckBoxEditorLeavesTheCellTextAsItWas)
{
    Kind = edCheckBox;
    grid->SetCells(1, 1, "caption");
    Key(Qt::Key_F2);
    TGridCheckBox *check = grid->CheckBoxEditor();
    ASSERT_TRUE(check->isVisible());
    EXPECT_EQ(check->text(), "caption");
    EXPECT_FALSE(check->isChecked());
    Key(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_TRUE(check->isChecked());
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    Flush();
    EXPECT_FALSE(check->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "caption");
    EXPECT_EQ(log->Only({"EditingDone", "EditCellDone"}),
              (QStringList{"EditingDone", "EditCellDone 1,1"}));
}

TEST_F(TextEditorFixture, EditorTypesWithoutAControlHereOpenNothing)
{
    Kind = edMemoDropDown;   // no drop-down control registered
    Key(Qt::Key_F2);
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(grid->EditMode());
    Kind = edNone;
    Key(Qt::Key_F2);
    EXPECT_FALSE(EditorShown());
}

TEST_F(TextEditorFixture, TheColumnGrowsWhileTypingWhenAsked)
{
    grid->SizeWhileTyping().SetWidth(true);
    const int width = grid->ColWidths(1);
    Open();
    Type("averyveryverylongtextindeed");
    EXPECT_GT(grid->ColWidths(1), width);
    EXPECT_EQ(Editor()->width(), grid->ColWidths(1) - 1);
}
