// Drop-down cell editors, driven through a stand-in drop-down control.
#include "editfixture.h"

#include "grid/string/griddropdown.h"

#include <QLineEdit>

namespace {

// Keeps every key it is given, as an open drop-down panel does.
class TPanelEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        QLineEdit::keyPressEvent(e);
        e->accept();
    }
};

class TFakeDropDown : public IDropDownEditor
{
public:
    explicit TFakeDropDown(QWidget *Parent) : FEdit(new TPanelEdit(Parent)) {}
    ~TFakeDropDown() override { delete FEdit; }
    QWidget *Control() override { return FEdit; }
    QString Text() const override { return FEdit->text(); }
    void SetText(const QString &Value) override { FEdit->setText(Value); }
    bool DroppedDown() const override { return Dropped; }
    void ShowDropDown() override { Dropped = true; }
    void SelectAll() override { FEdit->selectAll(); }
    QLineEdit *FEdit;
    bool Dropped = false;
};

class DropDownFixture : public EditFixture
{
protected:
    void SetUp() override
    {
        for (TEditorType t : {edTrackbarDropDown, edColorPickerDropDown})
            SetDropDownEditorMaker(t, [](QWidget *P) { return new TFakeDropDown(P); });
        EditFixture::SetUp();
        grid->OnGetEditorType = [this](TObject *, int ACol, int, TEditorType &E) {
            if (ACol == 1)
                E = Type;
        };
        grid->SetCells(1, 1, "10");
        grid->FocusCell(1, 1, true);
    }
    void TearDown() override
    {
        EditFixture::TearDown();
        for (TEditorType t : {edTrackbarDropDown, edColorPickerDropDown})
            SetDropDownEditorMaker(t, nullptr);
    }
    TFakeDropDown *Drop() { return static_cast<TFakeDropDown *>(grid->DropDownEditor(Type)); }
    TEditorType Type = edTrackbarDropDown;
};

}   // namespace

TEST_F(DropDownFixture, EnterCommitsEscapeRestoresAndUpWithTheListOpenDoesNotMove)
{
    Key(Qt::Key_F2);
    ASSERT_TRUE(Drop()->FEdit->isVisible());
    EXPECT_EQ(Drop()->Text(), "10");
    Drop()->SetText("20");
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_FALSE(Drop()->FEdit->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "20");
    Flush();
    EXPECT_EQ(log->Only({"CellValidate", "EditCellDone"}),
              (QStringList{"CellValidate 1,1 20", "EditCellDone 1,1"}));

    grid->FocusCell(1, 1, true);
    Key(Qt::Key_F2);
    Drop()->SetText("30");
    Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    EXPECT_FALSE(Drop()->FEdit->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "20");

    grid->FocusCell(1, 2, true);
    Key(Qt::Key_F2);
    Drop()->Dropped = true;
    Drop()->SetText("40");
    Key(Qt::Key_Up);
    EXPECT_FALSE(Drop()->FEdit->isVisible());
    EXPECT_EQ(grid->Cells(1, 2), "40");
    EXPECT_EQ(grid->Row(), 2);
}

TEST_F(DropDownFixture, ARefusedValueKeepsTheEditorOpen)
{
    log->Validate = [](int, int, QString &V, bool &Valid) {
        Valid = V.toInt() < 50;
        if (!Valid)
            V = "49";
    };
    Key(Qt::Key_F2);
    Drop()->SetText("70");
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_TRUE(Drop()->FEdit->isVisible());
    EXPECT_EQ(Drop()->Text(), "49");
}

TEST_F(DropDownFixture, TheOpenColourPanelKeepsTheArrows)
{
    Type = edColorPickerDropDown;
    Key(Qt::Key_F2);
    ASSERT_TRUE(Drop()->FEdit->isVisible());
    Drop()->Dropped = true;
    Key(Qt::Key_Up);
    Key(Qt::Key_Down);
    EXPECT_TRUE(Drop()->FEdit->isVisible());
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_FALSE(Drop()->FEdit->isVisible());
}

TEST_F(DropDownFixture, ATypeWithoutAControlOpensNothing)
{
    Type = edMemoDropDown;
    Key(Qt::Key_F2);
    EXPECT_EQ(grid->DropDownEditor(edMemoDropDown), nullptr);
    EXPECT_FALSE(grid->EditMode());
}
