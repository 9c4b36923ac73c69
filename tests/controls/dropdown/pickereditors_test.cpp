// The string grid's picker cell editors, made from the drop-down controls: a cell edited
// with each, seen through the grid's editor interfaces (the grid and the drop-down edit
// headers cannot meet in one file).
#include "controls/dropdown/dropdownscreen.h"
#include "controls/dropdown/pickerinstall.h"
#include "grid/string/dazstringgrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

const TEditorType kInstalled[] = {edColorPickerDropDown, edImagePickerDropDown, edDetailDropDown,
                                  edTrackbarDropDown, edMemoDropDown};

class PickerEditorTest : public ::testing::Test
{
protected:
    TFakeDropDownScreenGuard Screen;
    std::unique_ptr<TDazStringGrid> Grid;
    TEditorType Type = edNormal;

    void SetUp() override
    {
        InstallPickerDropDownEditors();
        Grid = std::make_unique<TDazStringGrid>();
        Grid->SetColCount(3);
        Grid->SetRowCount(4);
        Grid->SetOptions(Grid->Options() + goEditing);
        Grid->OnGetEditorType = [this](TObject *, int ACol, int, TEditorType &E) {
            if (ACol == 1)
                E = Type;
        };
        Grid->resize(400, 200);
        Grid->show();
        Grid->activateWindow();
        Grid->setFocus();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        Grid.reset();
        for (TEditorType t : kInstalled)
            SetDropDownEditorMaker(t, nullptr);
        QApplication::processEvents();
    }
    QWidget *Focused() const
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w : static_cast<QWidget *>(Grid.get());
    }
    void Key(int K, Qt::KeyboardModifiers M = Qt::NoModifier, const QString &Text = {})
    {
        QKeyEvent down(QEvent::KeyPress, K, M, Text);
        QApplication::sendEvent(Focused(), &down);
        QKeyEvent up(QEvent::KeyRelease, K, M, Text);
        QApplication::sendEvent(Focused(), &up);
    }
    // Opens the editor of type T on cell (1, 1).
    template <class I>
    I *Open(TEditorType T)
    {
        Type = T;
        Grid->FocusCell(1, 1, true);
        Key(Qt::Key_F2);
        auto *e = dynamic_cast<I *>(Grid->DropDownEditor(T));
        EXPECT_TRUE(e && e->Control()->isVisible());
        return e;
    }
};

TEST_F(PickerEditorTest, AColourCellIsEditedWithThePicker)
{
    Grid->SetColors(1, 1, clRed);
    auto *picker = Open<IColorPickerDropDown>(edColorPickerDropDown);
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->SelectedColor(), clRed);
    EXPECT_EQ(picker->GetSelectedColorText(), "Red");   // the default colours are there
    picker->ShowDropDown();
    ASSERT_TRUE(picker->DroppedDown());
    Key(Qt::Key_Down);   // the next colour in the open list
    EXPECT_EQ(picker->GetSelectedColorText(), "Lime");
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_FALSE(picker->Control()->isVisible());
    EXPECT_EQ(Grid->Colors(1, 1), clLime);
    EXPECT_EQ(Grid->Cells(1, 1), "Lime");
}

}   // namespace
