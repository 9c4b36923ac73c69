// The detail drop-down: completion while typing, the keys that switch it off, Enter and Esc
// taking items, the open list and its item drawing.
#include "controls/dropdown/detaildropdown.h"
#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/dropdownscreen.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

class DetailTest : public ::testing::Test
{
protected:
    TFakeDropDownScreenGuard Screen;
    TDazDetailDropDown Detail;
    QStringList Selects;

    DetailTest()
    {
        for (const char *c : {"Apple", "Apricot", "Banana"})
            Detail.Items().Add()->SetCaption(c);
        Detail.OnSelect = [this](TObject *) { Selects << Detail.GetText(); };
        Detail.move(10, 100);
        Detail.show();
        Detail.activateWindow();
        Detail.setFocus();
        QApplication::processEvents();
    }
    ~DetailTest() override { Detail.HideDropDown(false); }
    void Press(int K, const QString &Text = {}, Qt::KeyboardModifiers M = Qt::NoModifier)
    {
        QKeyEvent down(QEvent::KeyPress, K, M, Text);
        QApplication::sendEvent(&Detail, &down);
        QKeyEvent up(QEvent::KeyRelease, K, M, Text);
        QApplication::sendEvent(&Detail, &up);
    }
    void Type(const QString &Text)
    {
        for (QChar c : Text)
            Press(Qt::Key_A + (c.toUpper().unicode() - 'A'), QString(c));
    }
};

TEST_F(DetailTest, TypingCompletesFromTheCaptions)
{
    EXPECT_TRUE(Detail.EditorEnabled());
    EXPECT_EQ(Detail.ItemHeight, 22);
    Type("ap");
    EXPECT_EQ(Detail.text(), "apple");
    EXPECT_EQ(Detail.selectedText(), "ple");
    EXPECT_EQ(Detail.cursorPosition(), 2);
    EXPECT_EQ(Detail.ItemIndex(), 0);
    Type("r");
    EXPECT_EQ(Detail.text(), "apricot");
    EXPECT_EQ(Detail.selectedText(), "icot");
    EXPECT_EQ(Detail.ItemIndex(), 1);
    EXPECT_TRUE(Selects.isEmpty());
}

TEST_F(DetailTest, MatchCaseCompletesOnlyTheSameLetters)
{
    Detail.MatchCase = true;
    Type("ap");
    EXPECT_EQ(Detail.text(), "ap");
    EXPECT_EQ(Detail.ItemIndex(), -1);
    Detail.clear();
    Press(Qt::Key_A, "A");
    EXPECT_EQ(Detail.text(), "Apple");
}

TEST_F(DetailTest, BackspaceDeleteAndEscSwitchCompletionOff)
{
    Type("ap");   // apple, "ple" selected
    Press(Qt::Key_Backspace);
    EXPECT_EQ(Detail.text(), "ap");
    EXPECT_FALSE(Detail.WorkMode());
    Type("p");   // another key switches it on again
    EXPECT_TRUE(Detail.WorkMode());
    EXPECT_EQ(Detail.text(), "apple");
}

TEST_F(DetailTest, TypingInTheMiddleKeepsTheRest)
{
    Detail.setText("Bnana");
    Detail.setCursorPosition(1);
    Press(Qt::Key_A, "a");
    EXPECT_EQ(Detail.text(), "Banana");
    EXPECT_EQ(Detail.ItemIndex(), -1);
}

TEST_F(DetailTest, EnterTakesAnExactCaptionOnly)
{
    Detail.SetText("banana");   // another letter case: nothing
    Press(Qt::Key_Return, "\r");
    EXPECT_EQ(Detail.ItemIndex(), -1);
    Detail.SetText("Banana");
    Press(Qt::Key_Return, "\r");
    EXPECT_EQ(Detail.ItemIndex(), 2);
    EXPECT_EQ(Selects, QStringList({"Banana"}));
    Press(Qt::Key_Return, "\r");   // the same item again: no event
    EXPECT_EQ(Selects.size(), 1);
}

TEST_F(DetailTest, ClosedArrowsTakeItems)
{
    Press(Qt::Key_Down);
    EXPECT_EQ(Detail.ItemIndex(), 0);
    EXPECT_EQ(Detail.text(), "Apple");
    EXPECT_EQ(Detail.selectedText(), "Apple");
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    EXPECT_EQ(Detail.ItemIndex(), 2);
    Press(Qt::Key_Up);
    EXPECT_EQ(Detail.ItemIndex(), 1);
    EXPECT_EQ(Selects, QStringList({"Apple", "Apricot", "Banana", "Apricot"}));
    Detail.SetItemIndex(-1);
    EXPECT_EQ(Detail.text(), "");
    EXPECT_EQ(Selects.size(), 4);
}

TEST_F(DetailTest, TheOpenListHasTheFocusAndEscRestores)
{
    Detail.SetItemIndex(0);
    Detail.ShowDropDown();
    ASSERT_TRUE(Detail.DroppedDown());
    TDazCustomItemSelector *list = Detail.ItemSelector();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), list);
    EXPECT_EQ(list->height(), 100);
    EXPECT_EQ(list->Items().Count(), 3);
    EXPECT_EQ(list->ItemIndex(), 0);
    const TRect cell = list->Items().Items(0)->Rect();
    EXPECT_EQ(cell.Height(), 22);
    EXPECT_EQ(cell.Width(), Detail.DropDownForm()->width() - 2 - 4);
    Press(Qt::Key_Down);   // consumed by the list
    Press(Qt::Key_Down);
    EXPECT_EQ(Detail.ItemIndex(), 2);
    EXPECT_EQ(Detail.text(), "Banana");
    EXPECT_TRUE(Detail.DroppedDown());
    Press(Qt::Key_Escape);
    EXPECT_FALSE(Detail.DroppedDown());
    EXPECT_EQ(Detail.ItemIndex(), 0);
    EXPECT_EQ(Detail.text(), "Apple");
    // With nothing taken at the opening the moved-to item stays.
    Detail.SetItemIndex(-1);
    Detail.ShowDropDown();
    Press(Qt::Key_Down);
    Press(Qt::Key_Escape);
    EXPECT_EQ(Detail.ItemIndex(), 0);
}

TEST_F(DetailTest, AfterTheFirstOpeningALetterTakesItsItemThroughTheList)
{
    Press(Qt::Key_B, "b");   // the list is empty yet: only completion
    EXPECT_EQ(Detail.text(), "banana");
    EXPECT_TRUE(Selects.isEmpty());
    Detail.SetItemIndex(0);
    Selects.clear();
    Detail.ShowDropDown();
    Detail.HideDropDown(false);
    Detail.KeyTimerExpired();
    Press(Qt::Key_B, "b");
    EXPECT_EQ(Detail.ItemIndex(), 2);
    EXPECT_EQ(Selects, QStringList({"Banana"}));
}

TEST_F(DetailTest, AClickInTheListTakesTheItemAndCloses)
{
    Detail.ShowDropDown();
    Detail.ItemSelector()->Panel()->SetItemIndex(1);
    EXPECT_FALSE(Detail.DroppedDown());
    EXPECT_EQ(Detail.ItemIndex(), 1);
    EXPECT_EQ(Detail.text(), "Apricot");
    EXPECT_EQ(Detail.selectedText(), "Apricot");
}

TEST_F(DetailTest, ItemsDrawPictureCaptionAndNotes)
{
    Detail.Items().Items(0)->Image().SetImage([] {
        QImage img(10, 10, QImage::Format_RGB32);
        img.fill(Qt::red);
        return img;
    }());
    Detail.Items().Items(0)->Notes = "<b>crisp</b> and sweet";
    Detail.CaptionFont.Name = Detail.NotesFont.Name = "DejaVu Sans";
    Detail.ItemAppearance().ColorSelectedText = 0x0000FF;
    Detail.SetItemIndex(0);
    QImage img(200, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    std::vector<TCanvasOp> ops;
    {
        TCanvas canvas(&img);
        canvas.SetRecorder(&ops);
        Detail.DrawDetailItem(canvas, 0, TRect(0, 0, 200, 40));
    }
    // The picture 2 pixels in, centred; the caption after it in the selected text colour.
    EXPECT_EQ(img.pixelColor(2, 15), QColor(Qt::red));
    EXPECT_NE(img.pixelColor(1, 15), QColor(Qt::red));
    auto caption = std::find_if(ops.begin(), ops.end(),
                                [](const TCanvasOp &o) { return o.Text == "Apple"; });
    ASSERT_NE(caption, ops.end());
    EXPECT_EQ(caption->Rect.Left, 10 + 4 + 4);
    EXPECT_EQ(caption->Rect.Top, 2);
    EXPECT_EQ(caption->Font.Color, TColor(0x0000FF));
    EXPECT_TRUE(caption->Flags & DT_END_ELLIPSIS);
    const bool notes = std::any_of(ops.begin(), ops.end(), [&](const TCanvasOp &o) {
        return o.Text.contains("crisp") && o.Rect.Top > caption->Rect.Top;
    });
    EXPECT_TRUE(notes);
    // The hot item's text colour where it is not the selected one.
    Detail.ItemAppearance().ColorHotText = 0x00FF00;
    Detail.ShowDropDown();
    Detail.ItemSelector()->Panel()->SetItemHot(2);
    ops.clear();
    {
        TCanvas canvas(&img);
        canvas.SetRecorder(&ops);
        Detail.DrawDetailItem(canvas, 2, TRect(0, 0, 200, 40));
    }
    const auto hot = std::find_if(ops.begin(), ops.end(),
                                  [](const TCanvasOp &o) { return o.Text == "Banana"; });
    ASSERT_NE(hot, ops.end());
    EXPECT_EQ(hot->Font.Color, TColor(0x00FF00));
    Detail.HideDropDown(false);
    TRect given;
    Detail.OnDrawSelectedImage = [&](TObject *, TCanvas &, const TRect &R) { given = R; };
    TCanvas canvas(&img);
    Detail.DrawDetailItem(canvas, 1, TRect(0, 22, 200, 44));
    EXPECT_EQ(given, TRect(0, 22, 200, 44));
}

TEST_F(DetailTest, WheelStepsTheItems)
{
    auto wheel = [&](int Delta) {
        QWheelEvent e(QPointF(5, 5), Detail.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, Delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&Detail, &e);
    };
    wheel(-120);
    wheel(-120);
    EXPECT_EQ(Detail.ItemIndex(), 1);
    Detail.ShowDropDown();
    wheel(-120);
    EXPECT_EQ(Detail.ItemIndex(), 2);
    EXPECT_TRUE(Detail.DroppedDown());
    wheel(-120);   // past the end: nothing
    EXPECT_EQ(Detail.ItemIndex(), 2);
}

}   // namespace
