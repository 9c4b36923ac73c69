// The time-picker drop-down with ":" as time separator: the masked text, field stepping,
// parsing, and the clock in the drop-down with its animation stepped by hand.
#include "controls/dropdown/timepicker.h"

#include "controls/dropdown/dropdownform.h"
#include "grid/string/datetimetext.h"
#include "platform/rtl.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <gtest/gtest.h>

namespace {

TDateTime T(int H, int M, int S = 0)
{
    return EncodeTime(H, M, S, 0);
}

class TimePickerTest : public ::testing::Test
{
protected:
    TimePickerTest() { SetGridFormatOverride({u'/', u':', u',', u'.', QStringLiteral("dd/MM/yyyy")}); }
    ~TimePickerTest() override { SetGridFormatOverride({}); }
    TDazTimePickerDropDown Picker;
    int TimeChanges = 0;

    void SetUp() override
    {
        Picker.OnTimeChange = [this](TObject *) { ++TimeChanges; };
    }
    void Send(QWidget *To, int Key, const QString &Text = {},
              Qt::KeyboardModifiers Mods = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, Key, Mods, Text);
        QApplication::sendEvent(To, &e);
    }
    // Characters typed into the edit; each one's text after it.
    QStringList Type(const QString &Keys)
    {
        QStringList shown;
        for (QChar c : Keys) {
            Send(&Picker, c.isDigit() ? Qt::Key_0 + (c.unicode() - '0') : Qt::Key_unknown,
                 QString(c));
            shown << Picker.text();
        }
        return shown;
    }
};

TEST(TimePickerMask, TypesOverTheInputPositions)
{
    const TEditMask mask("!90:00:00;1; ");
    EXPECT_EQ(mask.Length(), 8);
    EXPECT_EQ(mask.Blank(), u' ');
    EXPECT_EQ(mask.EmptyText(), "  :  :  ");
    EXPECT_TRUE(mask.Accepts(0, u' '));    // optional first hour digit
    EXPECT_FALSE(mask.Accepts(1, u' '));
    EXPECT_FALSE(mask.Accepts(3, u'a'));
    QString t = mask.EmptyText();
    int caret = 0;
    EXPECT_TRUE(mask.Type(t, caret, u'1'));
    EXPECT_TRUE(mask.Type(t, caret, u'2'));
    EXPECT_EQ(caret, 3);   // past the literal
    EXPECT_TRUE(mask.Type(t, caret, u':'));
    EXPECT_EQ(caret, 3);
    EXPECT_FALSE(mask.Type(t, caret, u'x'));
    EXPECT_TRUE(mask.Type(t, caret, u'4'));
    EXPECT_EQ(t, "12:4 :  ");
    EXPECT_TRUE(mask.Backspace(t, caret));
    EXPECT_EQ(t, "12:  :  ");
    EXPECT_EQ(caret, 3);
    EXPECT_TRUE(mask.Backspace(t, caret));   // over the literal
    EXPECT_EQ(t, "1 :  :  ");
    EXPECT_TRUE(mask.Delete(t, 0));
    EXPECT_EQ(t, "  :  :  ");
    EXPECT_TRUE(TEditMask().Empty());
}

TEST_F(TimePickerTest, NewControlAndShowSeconds)
{
    EXPECT_EQ(Picker.text(), "00:00:00");
    EXPECT_EQ(Picker.Time(), 0);
    EXPECT_EQ(Picker.EditMask(), "!90:00:00;1; ");
    EXPECT_FALSE(Picker.EditorEnabled());
    EXPECT_TRUE(Picker.DropDownEnabled);
    EXPECT_FALSE(Picker.DropDownHeader().Visible());
    EXPECT_EQ(Picker.WatchAppearance().BackgroundColor(), TColor(0xFFEFE3));   // Luna colours

    Picker.SetTime(T(10, 20, 30));
    EXPECT_EQ(Picker.text(), "10:20:30");
    EXPECT_EQ(TimeChanges, 0);
    Picker.SetShowSeconds(false);
    EXPECT_EQ(Picker.text(), "10:20");
    EXPECT_EQ(Picker.EditMask(), "!90:00;1; ");
    EXPECT_EQ(Picker.Time(), T(10, 20, 30));
    Picker.SetShowSeconds(true);
    EXPECT_EQ(Picker.text(), "10:20:30");
}

TEST_F(TimePickerTest, UpAndDownStepTheFieldUnderTheCaret)
{
    Picker.SetEditorEnabled(true);
    Picker.SetTime(T(23, 0, 0));
    Picker.setCursorPosition(1);
    Send(&Picker, Qt::Key_Down);
    EXPECT_EQ(Picker.Time(), T(0, 0, 0));
    EXPECT_EQ(Picker.text(), "00:00:00");
    EXPECT_EQ(TimeChanges, 1);
    EXPECT_EQ(Picker.cursorPosition(), 1);
    Picker.setCursorPosition(6);
    Send(&Picker, Qt::Key_Up);
    EXPECT_EQ(Picker.Time(), T(0, 0, 59));
    Picker.setCursorPosition(4);
    Send(&Picker, Qt::Key_Up);
    EXPECT_EQ(Picker.Time(), T(0, 59, 59));
    Picker.SetShowSeconds(false);
    Picker.setCursorPosition(3);
    Send(&Picker, Qt::Key_Down);
    EXPECT_EQ(Picker.Time(), T(0, 0, 59));
    EXPECT_EQ(Picker.text(), "00:00");
    Send(&Picker, Qt::Key_Down, {}, Qt::ControlModifier);
    EXPECT_EQ(Picker.Time(), T(0, 0, 59));
    EXPECT_EQ(TimeChanges, 4);

    // Without typing on, only the drop-down keys work.
    Picker.SetEditorEnabled(false);
    Send(&Picker, Qt::Key_Down);
    EXPECT_EQ(Picker.Time(), T(0, 0, 59));
}

TEST_F(TimePickerTest, TypedTimesAreParsedWhenComplete)
{
    Picker.SetEditorEnabled(true);
    Picker.SetTextUnformatted("  :  :  ");
    Picker.setCursorPosition(0);
    const QStringList shown = Type("07:30:15");
    EXPECT_EQ(shown.last(), "07:30:15");
    EXPECT_EQ(shown[6], "07:30:1 ");
    EXPECT_EQ(Picker.Time(), T(7, 30, 15));

    Picker.SetTime(T(1, 2, 3));
    Picker.SetTextUnformatted("  :  :  ");
    Picker.setCursorPosition(0);
    Type(" 7:00:00");
    EXPECT_EQ(Picker.text(), " 7:00:00");
    EXPECT_EQ(Picker.Time(), T(1, 2, 3));   // seven characters once trimmed

    Picker.SetTextUnformatted("1 :00:00");
    EXPECT_EQ(Picker.Time(), T(10, 0, 0));
    EXPECT_EQ(Picker.text(), "10:00:00");
    Picker.SetTextUnformatted("12:5 :00");
    EXPECT_EQ(Picker.Time(), T(12, 50, 0));
    EXPECT_EQ(Picker.text(), "12:5 :00");
    Picker.SetTextUnformatted("12:x5:00");
    EXPECT_EQ(Picker.Time(), T(12, 50, 0));

    {
        const QSignalBlocker block(&Picker);
        Picker.setText("25:00:00");
    }
    EXPECT_THROW(Picker.Change(), EConvertError);
    EXPECT_EQ(Picker.Time(), T(12, 50, 0));
    EXPECT_EQ(Picker.text(), "25:00:00");
}

TEST_F(TimePickerTest, DropDownHoldsTheClockAndOptionallyATimeEdit)
{
    Picker.SetTime(T(4, 0));
    Picker.show();
    Picker.ShowTimePicker = true;
    Picker.ShowDropDown();
    ASSERT_TRUE(Picker.DroppedDown());
    EXPECT_EQ(Picker.Watch()->Time(), T(4, 0));
    EXPECT_EQ(Picker.Watch()->Appearance().BackgroundColor(), TColor(0xFFEFE3));
    EXPECT_FALSE(Picker.DropDownForm()->CancelOnDeActivate);
    ASSERT_NE(Picker.TimeEdit(), nullptr);
    EXPECT_TRUE(Picker.TimeEdit()->isVisible());
    EXPECT_EQ(Picker.TimeEdit()->displayFormat(), "HH:mm:ss");
    EXPECT_EQ(Picker.TimeEdit()->time(), QTime(4, 0));
    EXPECT_EQ(Picker.Panel()->height(), Picker.TimeEdit()->sizeHint().height() + 170);
    EXPECT_EQ(Picker.DropDownForm()->width(), 170);   // the panel inside its border
    Picker.TimeEdit()->setTime(QTime(5, 30));
    EXPECT_EQ(Picker.Watch()->Time(), T(5, 30));
    Picker.HideDropDown(false);
    EXPECT_EQ(Picker.Time(), T(5, 30));

    Picker.SetShowSeconds(false);
    Picker.ShowDropDown();
    EXPECT_EQ(Picker.TimeEdit()->displayFormat(), "HH:mm");
    Picker.HideDropDown(false);
    Picker.ShowTimePicker = false;
    Picker.ShowDropDown();
    EXPECT_FALSE(Picker.TimeEdit()->isVisible());
    Picker.HideDropDown(true);
}

TEST_F(TimePickerTest, ClickingTheClockMovesTheTextOnceTheHandArrives)
{
    Picker.SetTime(T(4, 0));
    Picker.show();
    Picker.ShowDropDown();
    EXPECT_EQ(Picker.DropDownForm()->size(), QSize(170, 172));
    TDazWatch *clock = Picker.Watch();
    clock->MouseUp(90, 150);   // six o'clock: the hour
    EXPECT_TRUE(clock->Animating());
    EXPECT_EQ(Picker.text(), "04:00:00");
    for (int i = 0; i < 50 && clock->Animating(); ++i)
        clock->AnimationTick();
    EXPECT_EQ(Picker.text(), "06:00:00");
    EXPECT_EQ(Picker.Time(), T(6, 0));

    // Esc puts the clock back to Time and keeps Time and its text; the hand stops.
    clock->MouseUp(2, 90);   // the minute 45
    clock->AnimationTick();
    clock->AnimationTick();
    EXPECT_NE(clock->Time(), T(6, 0));
    EXPECT_EQ(Picker.Time(), T(6, 0));
    Send(Picker.DropDownForm(), Qt::Key_Escape, QString(QChar(27)));
    EXPECT_FALSE(Picker.DroppedDown());
    EXPECT_FALSE(clock->Animating());
    EXPECT_EQ(clock->Time(), T(6, 0));
    EXPECT_EQ(Picker.Time(), T(6, 0));
    EXPECT_EQ(Picker.text(), "06:00:00");
}

TEST_F(TimePickerTest, EnterTakesTheClocksTimeAlsoInRunningMode)
{
    Picker.show();
    Picker.ShowDropDown();
    Picker.Watch()->Animation = false;
    Picker.Watch()->SetMinute(20);
    Send(Picker.DropDownForm(), Qt::Key_Return, "\r");
    EXPECT_FALSE(Picker.DroppedDown());
    EXPECT_EQ(Picker.Time(), T(0, 20));

    TDateTime now = T(8, 15, 10);
    Picker.Watch()->Clock = [&] { return now; };
    Picker.WatchSettings().SetAuto(true);
    Picker.ShowDropDown();
    now = T(8, 17, 40);
    EXPECT_EQ(Picker.Watch()->ShownTime(), T(8, 17, 40));
    Send(Picker.DropDownForm(), Qt::Key_Return, "\r");
    EXPECT_EQ(Picker.Time(), T(8, 15, 10));
}

TEST_F(TimePickerTest, FormKeysReachTheClockAndTheEditOnlyWithAlt)
{
    Picker.SetEditorEnabled(true);
    Picker.Animation = false;
    Picker.SetTime(T(4, 10));
    Picker.show();
    Picker.ShowDropDown();
    Picker.setCursorPosition(0);
    QWidget *form = Picker.DropDownForm();
    Send(form, Qt::Key_PageUp);
    EXPECT_EQ(Picker.Time(), T(5, 10));   // the clock's hour, not the edit's field
    Send(form, Qt::Key_Right);
    EXPECT_EQ(Picker.Time(), T(5, 11));
    Send(form, Qt::Key_Down);             // the edit does not step
    EXPECT_EQ(Picker.Time(), T(5, 11));
    Send(form, Qt::Key_Down, {}, Qt::AltModifier);   // Alt+Down reaches the edit: closes
    EXPECT_FALSE(Picker.DroppedDown());
}

}   // namespace
