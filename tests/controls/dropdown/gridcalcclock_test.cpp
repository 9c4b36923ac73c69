// The string grid's calculator and time cell editors made by the drop-down controls.
#include "controls/dropdown/calcclockinstall.h"

#include "grid/base/textroutines.h"
#include "grid/string/editfixture.h"
#include "grid/string/griddropdown.h"

#include <QLineEdit>

namespace {

class GridEditorTest : public EditFixture
{
protected:
    void SetUp() override
    {
        SetGridFormatOverride({u'/', u':', u',', u'.', QStringLiteral("dd/MM/yyyy")});
        InstallCalculatorEditor();
        InstallTimePickerEditor();
        EditFixture::SetUp();
        grid->OnGetEditorType = [this](TObject *, int ACol, int, TEditorType &E) {
            if (ACol == 1)
                E = EditorType;
        };
    }
    void TearDown() override
    {
        EditFixture::TearDown();
        SetDropDownEditorMaker(edCalculatorDropDown, nullptr);
        SetDropDownEditorMaker(edTimePickerDropDown, nullptr);
        SetGridFormatOverride({});
    }
    // Opens the editor of type T on cell (1, 1) holding Text; its edit.
    QLineEdit *Open(TEditorType T, const QString &Text)
    {
        EditorType = T;
        grid->SetCells(1, 1, Text);
        grid->FocusCell(1, 1, true);
        Key(Qt::Key_F2);
        IDropDownEditor *editor = grid->DropDownEditor(T);
        auto *edit = editor ? dynamic_cast<QLineEdit *>(editor->Control()) : nullptr;
        EXPECT_TRUE(edit && edit->isVisible());
        if (edit)
            edit->setFocus();
        return edit;
    }
    TEditorType EditorType = edNormal;
};

TEST_F(GridEditorTest, EditsACellWithTheCalculator)
{
    QLineEdit *calc = Open(edCalculatorDropDown, "2");
    ASSERT_NE(calc, nullptr);
    EXPECT_EQ(calc->text(), "2.00");
    Key(Qt::Key_Plus, Qt::NoModifier, "+");
    Type("5");
    EXPECT_EQ(calc->text(), "5.00");
    Enter();
    EXPECT_EQ(grid->Cells(1, 1), "7.00");
    EXPECT_FALSE(calc->isVisible());
}

TEST_F(GridEditorTest, EditsATimeCellWithTheTimePicker)
{
    QLineEdit *picker = Open(edTimePickerDropDown, "07:30:00");
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->text(), "07:30:00");
    picker->setCursorPosition(0);
    Type("09");
    EXPECT_EQ(picker->text(), "09:30:00");
    Enter();
    EXPECT_EQ(grid->Cells(1, 1), "09:30:00");
    EXPECT_FALSE(picker->isVisible());
}

}   // namespace
