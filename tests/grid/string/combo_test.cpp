// Combo cells: the combo editor's item list, opening on the cell's item, the change events,
// committing, cancelling, free text and the wheel.
#include "editfixture.h"

#include <QWheelEvent>

namespace {

class GridComboFixture : public EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        // Column 2 chooses from a list filled by the handler, column 3 takes free text.
        grid->OnGetEditorType = [this](TObject *, int ACol, int, TEditorType &E) {
            if (ACol == 2 || ACol == 3) {
                E = ACol == 2 ? edComboList : edComboEdit;
                grid->ClearComboString();
                for (const char *s : {"Alpha", "Beta", "Gamma"})
                    grid->AddComboString(s);
            }
        };
    }
    TGridCombo *Combo() { return grid->Combobox(); }
    bool ComboShown() { return Combo()->isVisible(); }
    void Wheel(int Delta)
    {
        QWheelEvent e(QPointF(5, 5), Combo()->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, Delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Combo(), &e);
    }
};

}   // namespace

TEST_F(GridComboFixture, TheItemListOperations)
{
    TObject obj;
    grid->ClearComboString();
    EXPECT_EQ(grid->GetComboCount(), 0);
    grid->AddComboString("one");
    grid->AddComboStringObject("two", &obj);
    EXPECT_EQ(Combo()->ItemObject(1), &obj);
    EXPECT_FALSE(grid->RemoveComboString("three"));
    EXPECT_EQ(grid->GetComboCount(), 2);
    EXPECT_TRUE(grid->RemoveComboString("ONE"));   // as the list's IndexOf: any case
    EXPECT_EQ(grid->GetComboCount(), 1);
    grid->SetComboSelection(5);
    EXPECT_FALSE(grid->SetComboSelectionString("missing"));
    EXPECT_EQ(grid->ComboSelection(), 5);
    EXPECT_TRUE(grid->SetComboSelectionString("two"));
    EXPECT_EQ(grid->ComboSelection(), 0);
    grid->ClearComboString();
    EXPECT_EQ(grid->GetComboCount(), 0);

    int props = 0;
    grid->OnGetEditorProp = [&](TObject *, int, int, TEditLink *) {
        ++props;
        grid->ClearComboString();
        grid->AddComboString("x");
        grid->AddComboString("y");
    };
    grid->SetCells(1, 2, "y");
    EXPECT_EQ(grid->GetComboIndex(1, 2), 1);
    grid->SetCells(1, 2, "z");
    EXPECT_EQ(grid->GetComboIndex(1, 2), -1);
    grid->SetComboIndex(1, 3, 0);
    EXPECT_EQ(grid->Cells(1, 3), "x");
    EXPECT_THROW(grid->SetComboIndex(1, 3, 2), EDazGridError);
    EXPECT_EQ(props, 4);
}

TEST_F(GridComboFixture, ACellWhoseTextIsAnItemOpensOnItWithoutAnEvent)
{
    grid->SetCells(2, 1, "Beta");
    grid->FocusCell(2, 1, true);
    Key(Qt::Key_F2);
    ASSERT_TRUE(ComboShown());
    EXPECT_EQ(Combo()->currentIndex(), 1);
    EXPECT_TRUE(log->Only({"ComboChange", "ComboObjectChange"}).isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), Combo());
}

TEST_F(GridComboFixture, AnEmptyCellOpensOnTheFirstItemAndEnterWritesIt)
{
    grid->FocusCell(2, 1, true);
    Key(Qt::Key_F2);
    ASSERT_TRUE(ComboShown());
    EXPECT_EQ(log->Only({"ComboChange", "ComboObjectChange"}),
              (QStringList{"ComboChange 2,1 0 Alpha", "ComboObjectChange 2,1 0 Alpha"}));
    EXPECT_EQ(grid->Cells(2, 1), "");   // the cell keeps its text while the combo is open
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_FALSE(ComboShown());
    EXPECT_EQ(grid->Cells(2, 1), "Alpha");
    EXPECT_EQ(QApplication::focusWidget(), grid.get());
    Flush();
    EXPECT_EQ(log->Only({"CellValidate", "EditingDone", "EditCellDone"}),
              (QStringList{"CellValidate 2,1 Alpha", "EditingDone", "EditCellDone 2,1"}));
}

TEST_F(GridComboFixture, EachSelectionChangeFiresTheComboEventsAndEscapeKeepsTheOldText)
{
    grid->SetCells(2, 1, "Alpha");
    grid->FocusCell(2, 1, true);
    Key(Qt::Key_F2);
    Key(Qt::Key_Down);   // a list-style combo steps to the next item
    EXPECT_EQ(Combo()->currentText(), "Beta");
    EXPECT_EQ(log->Only({"ComboChange", "ComboObjectChange"}),
              (QStringList{"ComboChange 2,1 1 Beta", "ComboObjectChange 2,1 1 Beta"}));
    Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    EXPECT_FALSE(ComboShown());
    EXPECT_EQ(grid->Cells(2, 1), "Alpha");
    Flush();
    EXPECT_EQ(log->Only({"EditCellDone"}), QStringList{"EditCellDone 2,1"});
}

TEST_F(GridComboFixture, TheWheelStepsThroughTheItems)
{
    grid->SetCells(2, 1, "Beta");
    grid->FocusCell(2, 1, true);
    Key(Qt::Key_F2);
    Wheel(-120);
    EXPECT_EQ(Combo()->currentText(), "Gamma");
    Wheel(-120);   // the last item: nothing
    Wheel(120);
    Wheel(120);
    Wheel(120);    // the first item: nothing
    EXPECT_EQ(Combo()->currentText(), "Alpha");
    EXPECT_EQ(log->Only({"ComboChange"}),
              (QStringList{"ComboChange 2,1 2 Gamma", "ComboChange 2,1 1 Beta",
                           "ComboChange 2,1 0 Alpha"}));
    EXPECT_EQ(log->Only({"EditChange"}).size(), 3);
}

TEST_F(GridComboFixture, AComboEditCellKeepsTypedTextUpToMaxComboLength)
{
    grid->SetMaxComboLength(5);
    grid->SetCells(3, 1, "toolongtext");
    grid->FocusCell(3, 1, true);
    Key(Qt::Key_F2);
    ASSERT_TRUE(ComboShown());
    EXPECT_EQ(Combo()->currentText(), "toolongtext");   // a loaded text is not cut
    Combo()->lineEdit()->selectAll();
    Type("abcdefg");
    EXPECT_EQ(Combo()->currentText(), "abcde");
    // Typing is reported twice: with the real column and the item index, and with the
    // display column and -1.
    EXPECT_TRUE(log->Lines.contains("ComboChange 3,1 -1 ab"));
    EXPECT_GE(log->Only({"ComboChange"}).count("ComboChange 3,1 -1 ab"), 2);
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(grid->Cells(3, 1), "abcde");
}

TEST_F(GridComboFixture, LosingTheFocusClosesTheComboAndWritesItsValue)
{
    QLineEdit other(grid.get());
    other.show();
    grid->FocusCell(2, 1, true);
    Key(Qt::Key_F2);
    Key(Qt::Key_Down);
    other.setFocus(Qt::TabFocusReason);
    Flush();
    EXPECT_FALSE(ComboShown());
    EXPECT_EQ(grid->Cells(2, 1), "Beta");
    EXPECT_EQ(log->Only({"EditCellDone"}), QStringList{"EditCellDone 2,1"});
}

TEST_F(GridComboFixture, ItsOwnDropDownListDoesNotEndTheEdit)
{
    grid->FocusCell(2, 1, true);
    Key(Qt::Key_F2);
    Combo()->showPopup();
    Flush();
    EXPECT_TRUE(ComboShown());
    EXPECT_TRUE(grid->EditMode());
    Combo()->hidePopup();
    Flush();
    EXPECT_TRUE(ComboShown());
    EXPECT_TRUE(log->Only({"EditCellDone"}).isEmpty());
}

TEST_F(GridComboFixture, TypingALetterInAListComboSelectsTheMatchingItem)
{
    grid->SetCells(2, 1, "Alpha");
    grid->FocusCell(2, 1, true);
    Key(Qt::Key_F2);
    Key(Qt::Key_G, Qt::NoModifier, "g");
    EXPECT_EQ(Combo()->currentText(), "Gamma");
    EXPECT_TRUE(log->Lines.contains("ComboChange 2,1 2 Gamma"));
    log->Lines.clear();
    Key(Qt::Key_G, Qt::NoModifier, "g");   // the same item again: nothing
    EXPECT_TRUE(log->Only({"ComboChange"}).isEmpty());
}

TEST_F(GridComboFixture, ARefusedChoiceKeepsTheComboOpenOnTheProposedTextWithoutAdvancing)
{
    grid->Navigation().SetAdvanceOnEnter(true);
    grid->SetCells(2, 1, "Alpha");
    grid->FocusCell(2, 1, true);
    log->Validate = [](int, int, QString &V, bool &Valid) {
        Valid = V != "Beta";
        if (!Valid)
            V = "Gamma";
    };
    Key(Qt::Key_F2);
    Flush();   // the combo keeps the focus while events are delivered
    ASSERT_TRUE(ComboShown());
    Key(Qt::Key_Down);
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    Flush();
    ASSERT_TRUE(ComboShown());
    EXPECT_EQ(Combo()->currentText(), "Gamma");
    EXPECT_EQ(grid->Cells(2, 1), "Alpha");
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_TRUE(log->Only({"EditingDone", "EditCellDone"}).isEmpty());
    // The proposal is accepted with the next Enter, and the grid moves on.
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    Flush();
    EXPECT_EQ(grid->Cells(2, 1), "Gamma");
    EXPECT_EQ(grid->Col(), 3);
    EXPECT_EQ(log->Only({"EditCellDone"}), QStringList{"EditCellDone 2,1"});
}

TEST_F(GridComboFixture, KeyPressesReachTheGridFromTheCombo)
{
    QList<TObject *> senders;
    grid->OnKeyPress = [&](TObject *Sender, QChar &) { senders << Sender; };
    grid->FocusCell(2, 1, true);
    Key(Qt::Key_F2);
    Key(Qt::Key_G, Qt::NoModifier, "g");   // selects Gamma by its letter
    ASSERT_EQ(senders.size(), 1);
    EXPECT_EQ(senders[0], static_cast<TObject *>(Combo()));
    EXPECT_EQ(Combo()->currentText(), "Gamma");
}

TEST_F(GridComboFixture, TheDropDownWidthTakesTheLongestItemWithTheMarginOfAScrollingList)
{
    TGridCombo *c = Combo();
    c->resize(100, 20);
    c->SetDropDownCount(8);
    const QString wide(40, QChar('W'));
    const int t = QFontMetrics(c->font()).horizontalAdvance(wide);
    ASSERT_GT(t, 100);
    struct Case
    {
        int items;
        bool wideItem;
        int expected;
    };
    const Case cases[] = {{8, false, 100}, {8, true, t + 8}, {9, true, t + 25}, {9, false, 100}};
    for (const Case &k : cases) {
        c->clear();
        for (int i = 0; i < k.items; ++i)
            c->addItem(i == 3 && k.wideItem ? wide : QStringLiteral("i"));
        c->SizeDropDownWidth();
        EXPECT_EQ(c->DropWidth(), k.expected) << k.items << " items, wide " << k.wideItem;
    }
}

TEST_F(GridComboFixture, TypingOnAComboCellOpensItWithTheCharactersInOrder)
{
    grid->FocusCell(2, 1, true);
    Type("g");   // a list combo: the letter picks its item
    ASSERT_TRUE(ComboShown());
    EXPECT_EQ(Combo()->currentText(), "Gamma");
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    grid->FocusCell(3, 1, true);
    Type("xyz");   // the keys after the first reach the combo straight away
    ASSERT_TRUE(ComboShown());
    EXPECT_EQ(Combo()->currentText(), "xyz");
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    Flush();
    EXPECT_EQ(grid->Cells(2, 1), "Gamma");
    EXPECT_EQ(grid->Cells(3, 1), "xyz");
}
