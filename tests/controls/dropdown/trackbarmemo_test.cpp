// The track-bar and memo drop-downs.
#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/dropdownhelpers.h"
#include "controls/dropdown/dropdownscreen.h"
#include "controls/dropdown/memodropdown.h"
#include "controls/dropdown/trackbardropdown.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSlider>
#include <gtest/gtest.h>

namespace {

void SendKey(QWidget *W, int K, Qt::KeyboardModifiers M = Qt::NoModifier, const QString &Text = {})
{
    QKeyEvent down(QEvent::KeyPress, K, M, Text);
    QApplication::sendEvent(W, &down);
    QKeyEvent up(QEvent::KeyRelease, K, M, Text);
    QApplication::sendEvent(W, &up);
}

class TrackBarTest : public ::testing::Test
{
protected:
    TFakeDropDownScreenGuard Screen;
    TDazTrackBarDropDown Bar;
    int TrackChanges = 0;
    TrackBarTest()
    {
        Bar.OnTrackChange = [this](TObject *) { ++TrackChanges; };
        Bar.move(10, 100);
        Bar.show();
    }
    ~TrackBarTest() override { Bar.HideDropDown(false); }
    void Mouse(QEvent::Type Type, int X)
    {
        const QPointF p(X, 5);
        QMouseEvent e(Type, p, Bar.mapToGlobal(p), Qt::LeftButton,
                      Type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(&Bar, &e);
    }
};

TEST_F(TrackBarTest, ANewOneReadsZeroInZeroToTenAndTakesNoTyping)
{
    EXPECT_EQ(Bar.Position(), 0);
    EXPECT_EQ(Bar.Min(), 0);
    EXPECT_EQ(Bar.Max(), 10);
    EXPECT_EQ(Bar.PageSize(), 2);
    EXPECT_EQ(Bar.Frequency(), 1);
    EXPECT_FALSE(Bar.EditorEnabled());
    EXPECT_TRUE(Bar.DropDownEnabled);
    EXPECT_EQ(Bar.EditType(), etNumeric);
    EXPECT_FALSE(Bar.DropDownHeader().Visible());
    EXPECT_FALSE(Bar.DropDownFooter().Visible());
    SendKey(&Bar, Qt::Key_5, Qt::NoModifier, "5");
    EXPECT_EQ(Bar.Position(), 0);
}

TEST_F(TrackBarTest, ArrowsStepByFrequencyWithinTheRange)
{
    Bar.SetFrequency(4);
    const int downs[] = {4, 8, 8};
    for (int expected : downs) {
        SendKey(&Bar, Qt::Key_Down);
        EXPECT_EQ(Bar.Position(), expected);
    }
    EXPECT_EQ(Bar.GetText(), "8");
    const int ups[] = {4, 0, 0};
    for (int expected : ups) {
        SendKey(&Bar, Qt::Key_Up);
        EXPECT_EQ(Bar.Position(), expected);
    }
    EXPECT_EQ(TrackChanges, 4);
    SendKey(&Bar, Qt::Key_Down, Qt::AltModifier);   // opens instead
    EXPECT_EQ(Bar.Position(), 0);
    EXPECT_TRUE(Bar.DroppedDown());
    SendKey(&Bar, Qt::Key_Down);   // open or closed alike
    EXPECT_EQ(Bar.Position(), 4);
    Bar.SetEditorEnabled(true);
    SendKey(&Bar, Qt::Key_Down);
    EXPECT_EQ(Bar.Position(), 4);
}

TEST_F(TrackBarTest, PositionIsClampedAndTextSetsIt)
{
    Bar.SetPosition(15);
    EXPECT_EQ(Bar.Position(), 10);
    EXPECT_EQ(Bar.GetText(), "10");
    Bar.setText("7");
    EXPECT_EQ(Bar.Position(), 7);
    EXPECT_EQ(Bar.TrackBar()->value(), 7);
    for (const char *bad : {"", "x", "3.5"}) {
        Bar.setText(bad);   // no integer: the position stays, nothing is raised
        EXPECT_EQ(Bar.Position(), 7) << bad;
    }
    Bar.SetMax(5);
    EXPECT_EQ(Bar.Position(), 5);
    Bar.SetMin(-3);
    EXPECT_EQ(Bar.Min(), -3);
}

TEST_F(TrackBarTest, ADragMovesOneStepPerPageSizeWithinOneMove)
{
    Mouse(QEvent::MouseButtonPress, 50);
    Mouse(QEvent::MouseMove, 55);   // 5 pixels / 2
    EXPECT_EQ(Bar.Position(), 2);
    for (int x = 56; x <= 60; ++x)
        Mouse(QEvent::MouseMove, x);   // 1 pixel each: dropped
    EXPECT_EQ(Bar.Position(), 2);
    Mouse(QEvent::MouseMove, 54);   // back 6: -3, clamped at 0
    EXPECT_EQ(Bar.Position(), 0);
    Bar.SetPageSize(0);
    Mouse(QEvent::MouseMove, 90);
    EXPECT_EQ(Bar.Position(), 0);
    Bar.SetPageSize(2);
    Mouse(QEvent::MouseButtonRelease, 90);
    Mouse(QEvent::MouseMove, 120);   // no drag any more
    EXPECT_EQ(Bar.Position(), 0);
}

TEST_F(TrackBarTest, TheOpenTrackBarTakesTheSettingsAndAClickOutsideKeepsItsValue)
{
    Bar.SetPosition(3);
    Bar.ShowDropDown();
    ASSERT_TRUE(Bar.DroppedDown());
    QSlider *slider = Bar.TrackBar();
    EXPECT_EQ(Bar.DropDownForm()->Control(), slider);
    EXPECT_EQ(slider->value(), 3);
    EXPECT_EQ(slider->pageStep(), 2);
    EXPECT_EQ(slider->maximum(), 10);
    EXPECT_FALSE(Bar.DropDownForm()->CancelOnDeActivate);
    SendKey(slider, Qt::Key_Down);   // the drop-down's step, once
    EXPECT_EQ(Bar.Position(), 4);
    slider->setValue(9);
    EXPECT_EQ(Bar.Position(), 9);
    EXPECT_EQ(Bar.GetText(), "9");
    Bar.DropDownForm()->Deactivated(nullptr);
    EXPECT_FALSE(Bar.DroppedDown());
    EXPECT_EQ(Bar.Position(), 9);
}

class MemoTest : public ::testing::Test
{
protected:
    TFakeDropDownScreenGuard Screen;
    TDazMemoDropDown Memo;
    MemoTest()
    {
        Memo.resize(120, 21);
        Memo.move(10, 100);
        Memo.show();
    }
    ~MemoTest() override { Memo.HideDropDown(false); }
    int Width(const QString &S)
    {
        QImage img(1, 1, QImage::Format_RGB32);
        TCanvas c(&img);
        c.Font = TFont::FromQFont(Memo.font());
        return MeasureText(c, S).width();
    }
};

TEST_F(MemoTest, TheEditShowsTheFirstLineShortened)
{
    Memo.SetEditorEnabled(false);
    Memo.MemoText().SetText("one\r\ntwo\r\n");
    EXPECT_EQ(Memo.GetText(), "one...");
    Memo.MemoText().SetText("single");
    EXPECT_EQ(Memo.GetText(), "single");
    const QString longLine = "a rather long first line that cannot fit";
    Memo.MemoText().SetText(longLine);
    const QString shown = Memo.GetText();
    ASSERT_TRUE(shown.endsWith("..."));
    EXPECT_TRUE(longLine.startsWith(shown.chopped(3)));
    const int w = Memo.GetEditRect().Width();
    EXPECT_LT(Width(shown), w);
    EXPECT_GE(Width(longLine.left(shown.size() - 2) + "..."), w);   // the longest that fits
}

TEST_F(MemoTest, WithTheEditorOnTheWholeTextShowsAndTypingReplacesTheLines)
{
    Memo.MemoText().SetText("one\r\ntwo");
    EXPECT_EQ(Memo.GetText(), "one\r\ntwo\r\n");
    Memo.setText("new");
    EXPECT_EQ(Memo.MemoText().Text(), "new\r\n");
    EXPECT_EQ(Memo.GetText(), "new");   // no display update
}

TEST_F(MemoTest, KeysInTheOpenMemo)
{
    Memo.SetEditorEnabled(false);
    Memo.MemoText().SetText("first\r\nsecond");
    int memoChanges = 0;
    Memo.OnMemoChange = [&](TObject *) { ++memoChanges; };
    Memo.ShowDropDown();
    ASSERT_TRUE(Memo.DroppedDown());
    QPlainTextEdit *memo = Memo.Memo();
    EXPECT_EQ(memo->toPlainText(), "first\nsecond\n");
    EXPECT_FALSE(Memo.DropDownForm()->CancelOnDeActivate);
    memo->moveCursor(QTextCursor::End);
    SendKey(memo, Qt::Key_X, Qt::NoModifier, "x");
    SendKey(memo, Qt::Key_Return, Qt::NoModifier, "\r");   // a new line, still open
    EXPECT_TRUE(Memo.DroppedDown());
    EXPECT_EQ(memo->toPlainText(), "first\nsecond\nx\n");
    EXPECT_GT(memoChanges, 0);
    SendKey(memo, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(memo->textCursor().selectedText().size(), memo->toPlainText().size());
    // Esc closes cancelled: the lines and the display stay.
    SendKey(memo, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    EXPECT_FALSE(Memo.DroppedDown());
    EXPECT_EQ(Memo.MemoText().Text(), "first\r\nsecond\r\n");
    EXPECT_EQ(Memo.GetText(), "first...");
    // Alt+Up closes accepted.
    Memo.ShowDropDown();
    ASSERT_TRUE(Memo.DroppedDown());
    memo->setPlainText("changed");
    SendKey(memo, Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(Memo.DroppedDown());
    EXPECT_EQ(Memo.MemoText().Text(), "changed\r\n");
    EXPECT_EQ(Memo.GetText(), "changed");
    // A click outside accepts as well.
    Memo.ShowDropDown();
    memo->setPlainText("outside\nmore");
    Memo.DropDownForm()->Deactivated(nullptr);
    EXPECT_FALSE(Memo.DroppedDown());
    EXPECT_EQ(Memo.GetText(), "outside...");
}

TEST_F(MemoTest, TheMemoTakesTheEditsMaximumLength)
{
    Memo.setMaxLength(5);
    Memo.MemoText().SetText("abc");
    Memo.ShowDropDown();
    QPlainTextEdit *memo = Memo.Memo();
    memo->moveCursor(QTextCursor::End);
    for (const char *c : {"d", "e", "f"})
        SendKey(memo, Qt::Key_D, Qt::NoModifier, c);
    EXPECT_EQ(memo->toPlainText().size(), 5);
    EXPECT_TRUE(memo->toPlainText().startsWith("abc"));
}

TEST_F(MemoTest, AutoDropOpensOnEnteringButNotOnTheReturnAfterClosing)
{
    Memo.AutoDrop = true;
    QFocusEvent tab(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&Memo, &tab);
    EXPECT_TRUE(Memo.DroppedDown());
    Memo.HideDropDown(false);
    QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(&Memo, &back);
    EXPECT_FALSE(Memo.DroppedDown());
    EXPECT_TRUE(Memo.AutoDrop);
}

}   // namespace
