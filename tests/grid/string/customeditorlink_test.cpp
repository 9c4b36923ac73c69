// A cell edited through an edit link: a line edit served by a small descendant, in place
// and as a popup.
#include "editfixture.h"

#include "lineeditlink.h"

#include <QLineEdit>

namespace {

class EditLinkFixture : public EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        grid->SetEditLink(&link);
        grid->OnGetEditorType = [](TObject *, int ACol, int, TEditorType &E) {
            if (ACol == 1)
                E = edCustom;
        };
        grid->SetCells(1, 1, "start");
        grid->FocusCell(1, 1, true);
    }
    void TearDown() override
    {
        grid->SetEditLink(nullptr);
        EditFixture::TearDown();
    }
    TLineEditLink link;
};

}   // namespace

TEST_F(EditLinkFixture, EnterWritesTheValueAndEscapeKeepsTheCell)
{
    Key(Qt::Key_F2);
    ASSERT_TRUE(link.FEdit);
    EXPECT_TRUE(link.FEdit->isVisible());
    EXPECT_EQ(link.FEdit->text(), "start");
    EXPECT_EQ(QApplication::focusWidget(), link.FEdit.data());
    EXPECT_EQ(link.EditCell(), QPoint(1, 1));
    link.FEdit->setText("typed");
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_FALSE(link.FEdit->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "typed");
    Flush();
    EXPECT_EQ(log->Only({"EditingDone", "EditCellDone"}),
              (QStringList{"EditingDone", "EditCellDone 1,1"}));

    grid->FocusCell(1, 1, true);
    Key(Qt::Key_F2);
    link.FEdit->setText("dropped");
    Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    EXPECT_FALSE(link.FEdit->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "typed");
}

TEST_F(EditLinkFixture, WantedKeysStayWithTheControlAndArrowsMoveOn)
{
    link.WantKeyLeftRight = true;
    Key(Qt::Key_F2);
    Key(Qt::Key_Left);
    EXPECT_TRUE(link.FEdit->isVisible());
    link.FEdit->setText("x");
    Key(Qt::Key_Down);
    EXPECT_FALSE(link.FEdit->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "x");
    EXPECT_EQ(grid->Row(), 2);
}

TEST_F(EditLinkFixture, APopupEditorOpensAtTheCellAndLeavesItsValue)
{
    link.EditStyle = esPopup;
    link.PopupWidth = 120;
    link.PopupHeight = 40;
    Key(Qt::Key_F2);
    ASSERT_TRUE(link.PopupForm());
    EXPECT_TRUE(link.PopupForm()->isVisible());
    const TRect r = grid->CellRect(1, 1);
    EXPECT_EQ(link.PopupForm()->pos(), grid->viewport()->mapToGlobal(QPoint(r.Left, r.Top)));
    EXPECT_EQ(link.PopupForm()->size(), QSize(120, 40));
    link.FEdit->setText("pop");
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(link.FEdit, &down);
    EXPECT_FALSE(link.PopupForm()->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "pop");
}

TEST_F(EditLinkFixture, ARefusedValueReopensTheEditorAndAltEndsTheEdit)
{
    log->Validate = [](int, int, QString &V, bool &Valid) { Valid = V != "bad"; };
    Key(Qt::Key_F2);
    link.FEdit->setText("bad");
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    // Refused: the editor is open again on the same cell.
    EXPECT_TRUE(link.FEdit->isVisible());
    EXPECT_TRUE(grid->EditMode());
    EXPECT_EQ(grid->Row(), 1);

    // A good value then closes it: the refusal is not kept for good.
    link.FEdit->setText("good");
    link.WantKeyLeftRight = true;
    Key(Qt::Key_Left, Qt::AltModifier);
    EXPECT_FALSE(link.FEdit->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "good");
    EXPECT_TRUE(grid->LastValidation());
}

TEST_F(EditLinkFixture, WantedEnterStaysAndTabAtTheEndMovesToTheNextCellsEditor)
{
    link.WantKeyReturn = true;
    Key(Qt::Key_F2);
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_TRUE(link.FEdit->isVisible());

    grid->SetOptions(grid->Options() + goTabs);
    grid->Navigation().SetTabToNextAtEnd(true);
    link.FEdit->setText("tabbed");
    Key(Qt::Key_Tab, Qt::NoModifier, "\t");
    Flush();
    EXPECT_EQ(grid->Cells(1, 1), "tabbed");
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_TRUE(grid->EditMode());   // F2 opened the next cell's editor
}
