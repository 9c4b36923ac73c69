// The string grid's picker cell editors, made from the drop-down controls: a cell edited
// with each, seen through the grid's editor interfaces (the grid and the drop-down edit
// headers cannot meet in one file).
#include "celleditorgrid.h"
#include "controls/dropdown/dropdownscreen.h"
#include "controls/dropdown/pickerinstall.h"
#include "grid/base/imagelist.h"
#include "grid/string/dazstringgrid.h"
#include "pickerreach.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

const TEditorType kInstalled[] = {edColorPickerDropDown, edImagePickerDropDown, edDetailDropDown,
                                  edTrackbarDropDown, edMemoDropDown};

class PickerEditorTest : public CellEditorGrid
{
protected:
    void SetUp() override
    {
        InstallPickerDropDownEditors();
        CellEditorGrid::SetUp();
    }
    void TearDown() override
    {
        CellEditorGrid::TearDown();
        for (TEditorType t : kInstalled)
            SetDropDownEditorMaker(t, nullptr);
        QApplication::processEvents();
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

TEST_F(PickerEditorTest, AnImageCellIsEditedWithThePicker)
{
    TCustomImageList images(16, 16);
    for (int i = 0; i < 4; ++i)
        images.Add(QImage(16, 16, QImage::Format_RGB32));
    Grid->SetGridImages(&images);
    Grid->AddImageIdx(1, 1, 2, haLeft, vaTop);
    auto *picker = Open<IImagePickerDropDown>(edImagePickerDropDown);
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->ItemCount(), 4);
    EXPECT_EQ(picker->ItemIndex(), 2);
    EXPECT_EQ(picker->Text(), "");
    EXPECT_EQ(picker->ItemCaption(9), "");   // no item there: an empty caption
    picker->ShowDropDown();
    ClickImageItem(picker->Control(), 3);
    EXPECT_FALSE(picker->DroppedDown());
    EXPECT_EQ(picker->ImageIndex(), 3);
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    int idx = -1;
    ASSERT_TRUE(Grid->GetImageIdx(1, 1, idx));
    EXPECT_EQ(idx, 3);
    Grid->SetGridImages(nullptr);
}

TEST_F(PickerEditorTest, ADetailCellCompletesFromTheItems)
{
    Type = edDetailDropDown;
    IDropDownEditor *editor = Grid->DropDownEditor(edDetailDropDown);
    ASSERT_NE(editor, nullptr);
    SetDetailCaptions(editor->Control(), {"Apple", "Apricot", "Banana"});
    Grid->SetCells(1, 1, "Apricot");
    Open<IDetailDropDown>(edDetailDropDown);
    EXPECT_EQ(DetailItemIndex(editor->Control()), 1);
    EXPECT_EQ(editor->Text(), "Apricot");
    Key(Qt::Key_Backspace, Qt::NoModifier, QString(QChar(8)));
    Key(Qt::Key_B, Qt::NoModifier, "b");
    EXPECT_EQ(editor->Text(), "banana");
    EXPECT_EQ(DetailItemIndex(editor->Control()), 2);
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(Grid->Cells(1, 1), "banana");
}

TEST_F(PickerEditorTest, ATrackBarCellTakesTheTypedNumber)
{
    Grid->SetCells(1, 1, "4");
    auto *bar = Open<ITrackBarDropDown>(edTrackbarDropDown);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Position(), 4);
    EXPECT_EQ(bar->Text(), "4");
    Key(Qt::Key_End);
    Key(Qt::Key_Backspace, Qt::NoModifier, QString(QChar(8)));
    EXPECT_EQ(bar->Position(), 4);   // an empty text keeps it
    Key(Qt::Key_7, Qt::NoModifier, "7");
    EXPECT_EQ(bar->Position(), 7);
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(Grid->Cells(1, 1), "7");
}

TEST_F(PickerEditorTest, AMemoCellTakesTheMemosLines)
{
    Grid->SetCells(1, 1, "first");
    auto *memo = Open<IMemoDropDown>(edMemoDropDown);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->MemoText().Text(), "first\r\n");
    memo->ShowDropDown();
    ASSERT_TRUE(memo->DroppedDown());
    QPlainTextEdit *lines = MemoOf(memo->Control());
    ASSERT_NE(lines, nullptr);
    lines->setPlainText("first\nsecond");
    Key(Qt::Key_Down, Qt::AltModifier);   // closes accepted
    EXPECT_FALSE(memo->DroppedDown());
    EXPECT_EQ(memo->MemoText().Text(), "first\r\nsecond\r\n");
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(Grid->Cells(1, 1), "first\r\nsecond\r\n");
}

}   // namespace
