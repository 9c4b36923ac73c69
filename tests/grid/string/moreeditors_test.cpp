// Spin and edit-with-button cells: opening on the cell's value, stepping and typing,
// committing through the validation, cancelling, and the value written back in the cell's
// text format.
#include "editfixture.h"

#include "grid/string/griddatepicker.h"
#include "grid/string/grideditbtn.h"
#include "grid/string/gridrichedit.h"
#include "grid/string/richtext.h"
#include "grid/string/gridspinedit.h"
#include "grid/string/rudcustomedit.h"
#include "platform/locale.h"

#include <QClipboard>
#include <QTextBlock>

namespace {

class MoreEditorsFixture : public EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        SetDecimalSeparatorOverride('.');
        grid->OnGetEditorType = [this](TObject *, int ACol, int, TEditorType &E) {
            if (ACol == 1)
                E = Editor1;
            else if (ACol == 2)
                E = Editor2;
        };
    }
    void TearDown() override
    {
        SetDecimalSeparatorOverride(QChar());
        EditFixture::TearDown();
    }
    // Opens the editor of the cell (ACol, 1) holding Text.
    void Open(int ACol, const QString &Text)
    {
        grid->SetCells(ACol, 1, Text);
        grid->FocusCell(ACol, 1, true);
        Key(Qt::Key_F2);
    }
    void Enter() { Key(Qt::Key_Return, Qt::NoModifier, "\r"); }
    void Escape() { Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27))); }
    TGridSpin *Spin() { return grid->SpinEdit(); }
    TGridEditBtn *Btn() { return grid->BtnEdit(); }
    TGridUnitEditBtn *Unit() { return grid->BtnUnitEdit(); }

    TEditorType Editor1 = edSpinEdit;
    TEditorType Editor2 = edEditBtn;
};

}   // namespace

TEST_F(MoreEditorsFixture, SpinStepsWithTheKeysCommitsOnEnterAndCancelsOnEscape)
{
    Open(1, "5");
    ASSERT_TRUE(Spin()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), Spin());
    EXPECT_EQ(Spin()->Text(), "5");
    Key(Qt::Key_Up);
    Key(Qt::Key_Up);
    Key(Qt::Key_PageDown);   // steps, and the editor stays open
    EXPECT_TRUE(Spin()->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "5");
    Enter();
    EXPECT_FALSE(Spin()->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), Spin()->Text());
    EXPECT_EQ(QApplication::focusWidget(), grid.get());
    Flush();
    EXPECT_EQ(log->Only({"EditingDone", "EditCellDone"}),
              (QStringList{"EditingDone", "EditCellDone 1,1"}));

    Open(1, "7");
    Key(Qt::Key_Up);
    Escape();
    EXPECT_FALSE(Spin()->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "7");
}

TEST_F(MoreEditorsFixture, SpinHomeAndEndJumpToTheLimitsAndReportTheDirection)
{
    QStringList clicks;
    grid->OnSpinClick = [&](TObject *, int, int, int V, bool Up) {
        clicks << QStringLiteral("%1 %2").arg(V).arg(Up ? "up" : "down");
    };
    Open(1, "5");
    Spin()->MaxValue = 40;
    Key(Qt::Key_Home);
    EXPECT_EQ(Spin()->Value(), 40);
    Key(Qt::Key_End);
    EXPECT_EQ(Spin()->Value(), 0);
    EXPECT_EQ(clicks, (QStringList{"40 up", "0 down"}));
    Enter();
    EXPECT_EQ(grid->Cells(1, 1), "0");
}

TEST_F(MoreEditorsFixture, SpinValueRefusedByTheValidationKeepsTheEditorOpen)
{
    log->Validate = [](int, int, QString &V, bool &Valid) {
        Valid = V.toInt() <= 6;
        if (!Valid)
            V = "6";
    };
    Open(1, "6");
    Key(Qt::Key_Up);
    Enter();
    EXPECT_TRUE(Spin()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), Spin());
    EXPECT_EQ(Spin()->Text(), "6");   // the corrected value
    Key(Qt::Key_Down);
    Enter();
    EXPECT_FALSE(Spin()->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "5");
}

TEST_F(MoreEditorsFixture, SpinTypesWriteTheirValueInTheCellsFormat)
{
    Editor1 = edFloatSpinEdit;
    Open(1, "not a number");
    // Text that is no number opens on the float minimum.
    Spin()->MinFloatValue = 0;
    EXPECT_EQ(Spin()->FloatValue(), 0.0);
    Escape();

    Open(1, "1.5");
    EXPECT_EQ(Spin()->Text(), "1.5");
    Enter();
    EXPECT_EQ(grid->Floats(1, 1), 1.5);

    Editor1 = edTimeSpinEdit;
    Open(1, "00:30:00");
    Key(Qt::Key_Down);   // the hour steps: 00:30 minus one hour is 23:30
    Enter();
    EXPECT_TRUE(grid->Cells(1, 1).startsWith("23:30")) << grid->Cells(1, 1).toStdString();
}

TEST_F(MoreEditorsFixture, EditWithButtonTypesCommitsAndCancels)
{
    Open(2, "ab");
    ASSERT_TRUE(Btn()->isVisible());
    Btn()->setCursorPosition(2);
    Type("c");
    EXPECT_EQ(Btn()->Text(), "abc");
    Enter();
    EXPECT_FALSE(Btn()->isVisible());
    EXPECT_EQ(grid->Cells(2, 1), "abc");
    Flush();
    EXPECT_EQ(log->Only({"CellValidate", "EditCellDone"}),
              (QStringList{"CellValidate 2,1 abc", "EditCellDone 2,1"}));

    Open(2, "old");
    Btn()->selectAll();
    Type("new");
    Escape();
    EXPECT_FALSE(Btn()->isVisible());
    EXPECT_EQ(grid->Cells(2, 1), "old");
}

TEST_F(MoreEditorsFixture, EditWithButtonPastesThroughTheGridsClipboardEvents)
{
    auto paste = [this](const QString &S) {
        QApplication::clipboard()->setText(S);
        Key(Qt::Key_V, Qt::ControlModifier);
    };
    bool allow = true;
    QStringList before;
    grid->OnClipboardPaste = [&](TObject *Sender, bool &Allow) {
        EXPECT_EQ(Sender, static_cast<TObject *>(Btn()));
        Allow = allow;
    };
    grid->OnClipboardBeforePasteCell = [&](TObject *, int C, int R, QString &V, bool &) {
        before << QStringLiteral("%1,%2 %3").arg(C).arg(R).arg(V);
        V = V.toUpper();
    };
    Open(2, "abcd");
    Btn()->setSelection(1, 2);
    paste("xy\r\n");   // one trailing line break is dropped
    EXPECT_EQ(Btn()->Text(), "aXYd");
    EXPECT_EQ(Btn()->selectedText(), "XY");
    EXPECT_EQ(before, QStringList{"2,1 xy\r\n"});
    Btn()->setCursorPosition(0);
    paste("z");
    EXPECT_EQ(Btn()->Text(), "ZaXYd");
    EXPECT_EQ(Btn()->cursorPosition(), 1);

    allow = false;
    paste("no");
    Btn()->SetEditorEnabled(false);
    allow = true;
    paste("no");
    Btn()->SetEditorEnabled(true);
    EXPECT_EQ(Btn()->Text(), "ZaXYd");
    Enter();
    EXPECT_EQ(grid->Cells(2, 1), "ZaXYd");
}

TEST_F(MoreEditorsFixture, EditWithButtonCompletesFromTheLookupList)
{
    grid->SetLookup(true);
    grid->LookupItems().Add("Alpha");
    grid->LookupItems().Add("Beta");
    Open(2, "");
    Type("b");
    EXPECT_EQ(Btn()->Text(), "beta");
    EXPECT_EQ(Btn()->selectedText(), "eta");
    Key(Qt::Key_Backspace, Qt::NoModifier, QString(QChar(8)));   // no completion after deleting
    EXPECT_EQ(Btn()->Text(), "b");
    Btn()->selectAll();
    Type("x");
    EXPECT_EQ(Btn()->Text(), "x");
}

TEST_F(MoreEditorsFixture, EditWithButtonWalksOutAtTheEndsOfItsTextAfterTheValidation)
{
    grid->Navigation().SetCursorWalkEditor(true);
    Open(2, "ab");
    Btn()->setCursorPosition(2);
    Type("c");
    Key(Qt::Key_Right);
    EXPECT_FALSE(Btn()->isVisible());
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(grid->Cells(2, 1), "abc");

    Open(2, "ab");
    Btn()->setCursorPosition(1);
    Key(Qt::Key_Left);   // the caret was not at the start when the key went down
    EXPECT_TRUE(Btn()->isVisible());
    log->Validate = [](int, int, QString &V, bool &Valid) {
        Valid = false;
        V = "fixed";
    };
    Btn()->setCursorPosition(0);
    Type("x");   // a changed text is validated before the walk
    Btn()->setCursorPosition(0);
    Key(Qt::Key_Left);
    EXPECT_TRUE(Btn()->isVisible());
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(Btn()->Text(), "fixed");
    log->Validate = nullptr;
    Btn()->setCursorPosition(0);
    Key(Qt::Key_Left);
    EXPECT_FALSE(Btn()->isVisible());
    EXPECT_EQ(grid->Col(), 1);
}

TEST_F(MoreEditorsFixture, F4RunsTheEllipsisEventOnTheText)
{
    QString seen;
    grid->OnEllipsClick = [&](TObject *, int C, int R, QString &S) {
        seen = QStringLiteral("%1,%2 %3").arg(C).arg(R).arg(S);
        S = "chosen";
    };
    Open(2, "given");
    Key(Qt::Key_F4);
    EXPECT_EQ(seen, "2,1 given");
    EXPECT_EQ(Btn()->Text(), "chosen");
    EXPECT_TRUE(Btn()->isVisible());
    Btn()->SetStopEditAfterClick(true);
    Key(Qt::Key_F4);
    EXPECT_FALSE(Btn()->isVisible());
    EXPECT_EQ(grid->Cells(2, 1), "chosen");
}

TEST_F(MoreEditorsFixture, NumericAndFloatEditsFilterTypedCharacters)
{
    struct Case
    {
        const char *text;
        int caret, selStart, selLength;
        QChar ch;
        bool isFloat, allowed, beep;
    } cases[] = {
        {"", 0, -1, 0, '-', false, true, false},
        {"-1", 0, -1, 0, '-', false, false, true},   // only once
        {"1", 1, -1, 0, '-', false, false, true},    // only first
        {"1", 1, -1, 0, 'x', false, false, true},
        {"1", 1, -1, 0, '.', false, false, true},
        {"1.5", 3, -1, 0, '.', true, false, false},   // a second separator is dropped
        {"1.5", 1, 1, 1, '.', true, true, false},     // unless the first is selected
        {"1", 1, -1, 0, ',', true, false, false},     // the thousand separator
        {"1", 1, -1, 0, 'x', true, false, false},
        {"2", 0, 0, 1, '-', true, true, false},
    };
    for (const Case &c : cases) {
        bool beep = false;
        EXPECT_EQ(NumericCharAllowed(c.ch, c.text, c.caret, c.selStart, c.selLength, c.isFloat,
                                     beep),
                  c.allowed)
            << c.text << " " << c.ch.toLatin1();
        EXPECT_EQ(beep, c.beep) << c.text << " " << c.ch.toLatin1();
    }

    int beeps = 0;
    SetEditorBeepHook([&] { ++beeps; });
    Editor2 = edNumericEditBtn;
    Open(2, "");
    Type("1");
    Key(Qt::Key_A, Qt::NoModifier, "a");
    Key(Qt::Key_Minus, Qt::NoModifier, "-");
    Type("2");
    EXPECT_EQ(Btn()->Text(), "12");
    EXPECT_EQ(beeps, 2);
    Enter();
    EXPECT_EQ(grid->Cells(2, 1), "12");
    SetEditorBeepHook(nullptr);
}

TEST_F(MoreEditorsFixture, UnitEditSplitsValueAndUnitAndWritesThemBackTogether)
{
    Editor2 = edUnitEditBtn;
    Unit()->SetUnits({"mm", "cm"});
    Open(2, "12mm");
    ASSERT_TRUE(Unit()->isVisible());
    EXPECT_EQ(Unit()->Text(), "12");
    EXPECT_EQ(Unit()->UnitID(), "mm");
    Unit()->setCursorPosition(2);
    Type("5");
    Enter();
    EXPECT_FALSE(Unit()->isVisible());
    EXPECT_EQ(grid->Cells(2, 1), "125mm");

    Open(2, "7cm");
    Type("9");
    Escape();
    EXPECT_EQ(grid->Cells(2, 1), "7cm");
}

TEST_F(MoreEditorsFixture, DatePickerCommitsCancelsAndNeverBlanksByAccident)
{
    Editor1 = edDateEdit;
    const TDateTime d = EncodeDate(2024, 2, 29);
    Open(1, DateToStr(d));
    TGridDatePicker *picker = grid->DateTimePicker();
    ASSERT_TRUE(picker->isVisible());
    EXPECT_TRUE(picker->Checked());
    EXPECT_EQ(DateOf(picker->PickerDateTime()), d);
    picker->SetPickerDate(EncodeDate(2024, 3, 1));
    Escape();
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), DateToStr(d));

    Open(1, DateToStr(d));
    picker->SetPickerDate(EncodeDate(2024, 3, 1));
    Enter();
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), DateToStr(EncodeDate(2024, 3, 1)));

    // Text that is no date opens on today; the box is ticked, so the cell gets a date.
    Open(1, "someday");
    EXPECT_EQ(DateOf(picker->PickerDateTime()), DateOf(Now()));
    Enter();
    EXPECT_EQ(grid->Cells(1, 1), DateToStr(DateOf(Now())));

    // Unticked, the cell is emptied.
    Open(1, DateToStr(d));
    picker->SetChecked(false);
    grid->HideInplaceEdit();
    EXPECT_EQ(grid->Cells(1, 1), "");
}

TEST_F(MoreEditorsFixture, DatePickerMovesOnAfterATypedDayButStaysOnTheLastField)
{
    Editor1 = edDateEdit;
    Open(1, DateToStr(EncodeDate(2024, 5, 10)));
    TGridDatePicker *picker = grid->DateTimePicker();
    picker->SetPickerFormat("dd/MM/yyyy");
    picker->setSelectedSection(QDateTimeEdit::DaySection);
    Type("3");
    Flush();
    EXPECT_EQ(picker->currentSection(), QDateTimeEdit::MonthSection);
    EXPECT_EQ(ToQDateTime(picker->PickerDateTime()).date().day(), 3);
    picker->setSelectedSection(QDateTimeEdit::YearSection);
    Type("2");
    Flush();
    EXPECT_EQ(picker->currentSection(), QDateTimeEdit::YearSection);
    Escape();
}

TEST_F(MoreEditorsFixture, TimeCellOpensTheTimePicker)
{
    Editor1 = edTimeEdit;
    Open(1, "10:15:00");
    TGridDatePicker *picker = grid->DateTimePicker();
    ASSERT_TRUE(picker->isVisible());
    EXPECT_EQ(picker->FrameworkKind(), dtkTime);
    const QTime t = ToQDateTime(picker->PickerDateTime()).time();
    EXPECT_EQ(t.hour(), 10);
    EXPECT_EQ(t.minute(), 15);
    Enter();
    EXPECT_TRUE(grid->Cells(1, 1).startsWith("10:15")) << grid->Cells(1, 1).toStdString();
}

TEST_F(MoreEditorsFixture, RichTextCellsAreEditedAsRtfAndAnUntouchedCellStaysAsItWas)
{
    Editor1 = edRichEdit;
    Open(1, "plain");
    TDazRichEdit *edit = grid->InplaceRichEdit();
    ASSERT_TRUE(edit->isVisible());
    EXPECT_EQ(edit->toPlainText(), "plain");
    Escape();
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "plain");

    grid->SetWordWrap(false);
    Open(1, "{\\rtf1 {\\b bold}}");
    EXPECT_EQ(edit->toPlainText(), "bold");
    QTextCursor c = edit->textCursor();
    c.movePosition(QTextCursor::End);
    edit->setTextCursor(c);
    Type("x");
    Key(Qt::Key_Down);   // a single-line grid: the cell below
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(IsRtfText(grid->Cells(1, 1)));
    EXPECT_EQ(RtfToPlainText(grid->Cells(1, 1)), "boldx");
}

TEST_F(MoreEditorsFixture, TabLeavesARichTextCellForTheNextCellsEditorAndUpMovesByTheLines)
{
    Editor1 = edRichEdit;
    grid->SetOptions(grid->Options() + goTabs);
    Open(1, "one");
    TDazRichEdit *edit = grid->InplaceRichEdit();
    Key(Qt::Key_Tab, Qt::NoModifier, "\t");
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_TRUE(Btn()->isVisible());   // column 2 edits with a button
    Escape();

    // With word wrap Up stays in the text; without, it moves to the row above.
    grid->SetWordWrap(true);
    grid->SetCells(1, 2, "two");
    grid->FocusCell(1, 2, true);
    Key(Qt::Key_F2);
    Key(Qt::Key_Up);
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(grid->Row(), 2);
    Escape();
    grid->SetWordWrap(false);
    grid->FocusCell(1, 2, true);
    Key(Qt::Key_F2);
    Key(Qt::Key_Up);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(MoreEditorsFixture, RichTextCellGrowsItsRowWhileTypingUntilTheGridsBottom)
{
    Editor1 = edRichEdit;
    QList<int> ended;
    grid->OnEndRowSize = [&](TObject *, int ARow) { ended << ARow; };
    const int h0 = grid->RowHeights(1);
    Open(1, "one");
    TDazRichEdit *edit = grid->InplaceRichEdit();
    edit->moveCursor(QTextCursor::End);
    Enter();
    Type("two");
    EXPECT_EQ(grid->RowHeights(1), h0) << "grows only with SizeWhileTyping.Height";
    EXPECT_TRUE(ended.isEmpty());
    grid->SizeWhileTyping().SetHeight(true);
    Enter();
    Type("three");
    const int h1 = grid->RowHeights(1);
    EXPECT_GT(h1, h0);
    EXPECT_EQ(edit->height(), h1 - 1);
    EXPECT_EQ(ended.value(0), 1);
    for (int i = 0; i < 30; ++i)
        Enter();
    const TRect r = grid->CellRect(1, 1);
    EXPECT_GT(grid->RowHeights(1), h1);
    EXPECT_LE(r.Top + grid->RowHeights(1) - 5, grid->viewport()->height());
    Escape();
    EXPECT_FALSE(edit->isVisible());
}

TEST_F(MoreEditorsFixture, DateAndTimeCellsKeepBothPartsAndEscapePutsTheOpeningValueBack)
{
    Editor1 = edDateTimeEdit;
    const TDateTime v = EncodeDate(2025, 7, 14) + EncodeTime(9, 45, 0, 0);
    Open(1, DateTimeToStr(v));
    TGridDateTimePicker *picker = grid->DateAndTimePicker();
    ASSERT_TRUE(picker->isVisible());
    EXPECT_EQ(picker->DateTime(), v);
    picker->SetDateTime(v + 1);
    Escape();
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), DateTimeToStr(v));

    Open(1, DateTimeToStr(v));
    picker->SetDateTime(v + 1);
    Enter();
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), DateTimeToStr(v + 1));
}

TEST_F(MoreEditorsFixture, TheButtonEditorRunsTheEllipsisEventAndAnArrowMovesOn)
{
    grid->OnEllipsClick = [](TObject *, int, int, QString &S) { S += "!"; };
    Editor1 = edButton;
    Open(1, "Go");
    TGridButton *button = grid->ButtonEditor();
    ASSERT_TRUE(button->isVisible());
    EXPECT_EQ(button->text(), "Go");
    Key(Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(grid->Cells(1, 1), "Go!");
    EXPECT_EQ(button->text(), "Go!");
    Key(Qt::Key_Down);
    EXPECT_FALSE(button->isVisible());
    EXPECT_EQ(grid->Row(), 2);
}

TEST_F(MoreEditorsFixture, CellsGoIntoARichEditAndBackWithoutLosingCharacters)
{
    TDazRichEdit *edit = grid->InplaceRichEdit();
    grid->SetCells(1, 1, "{\\rtf1 {\\b bold} plain}");
    grid->CellToRich(1, 1, edit);
    EXPECT_EQ(edit->toPlainText(), "bold plain");
    EXPECT_TRUE(edit->document()->begin().begin().fragment().charFormat().fontWeight() >=
                QFont::Bold);

    grid->SetCells(1, 2, QString::fromUtf8("Ωmega €5"));
    grid->CellToRich(1, 2, edit);
    grid->RichToCell(1, 3, edit);
    EXPECT_TRUE(grid->Cells(1, 3).startsWith("{\\rtf")) << grid->Cells(1, 3).toStdString();
    grid->SetCells(1, 2, "");
    grid->CellToRich(1, 2, edit);
    EXPECT_TRUE(edit->toPlainText().isEmpty()) << "an empty cell clears the edit";
    grid->CellToRich(1, 3, edit);
    EXPECT_EQ(edit->toPlainText(), QString::fromUtf8("Ωmega €5"));

    int changes = 0;
    grid->OnRichEditSelectionChange = [&changes](TObject *) { ++changes; };
    edit->selectAll();
    EXPECT_EQ(changes, 1) << "the editor's selection change reaches the grid";
}
