#include "grid/string/spinedit.h"
#include "editortest.h"

#include "grid/base/styledetect.h"
#include "platform/rtl.h"
#include "platform/theme.h"

#include <QClipboard>
#include <QTimer>
#include <climits>

namespace {

class TTestSpin : public TRudSpinEdit
{
public:
    using TRudSpinEdit::TRudSpinEdit;
    using TRudSpinEdit::DoExit;
};

struct SpinFixture : EditorFixture {
    TTestSpin *spin = new TTestSpin(&window);

    void Type(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        Key(spin, key, mods);
    }
    void SetTextAt(const QString &text, int caret)
    {
        spin->SetText(text);
        spin->setCursorPosition(caret);
    }
};

TEST_F(SpinFixture, Defaults)
{
    EXPECT_EQ(spin->Text(), "0");
    EXPECT_EQ(spin->Value(), 0);
    EXPECT_EQ(spin->SpinType(), sptNormal);
    EXPECT_EQ(spin->MinValue, 0);
    EXPECT_EQ(spin->MaxValue, 100);
    EXPECT_EQ(spin->Increment, 1);
    EXPECT_DOUBLE_EQ(spin->IncrementFloat, 0.1);
    EXPECT_DOUBLE_EQ(spin->IncrementFloatPage, 1.0);
    EXPECT_TRUE(spin->EditorEnabled());
    EXPECT_TRUE(spin->ShowSeconds());
    EXPECT_FALSE(spin->AllowEmptyValue);
    EXPECT_EQ(spin->Button()->width(), 15);
    EXPECT_EQ(spin->Button()->FocusControl(), spin);
    EXPECT_FALSE(spin->Button()->TabStop());
}

struct TLimitCase {
    int Min, Max, Set, Expected;
};

TEST_F(SpinFixture, IntegerLimitsClampUnlessEqual)
{
    const TLimitCase cases[] = {{0, 100, 150, 100}, {0, 100, -5, 0}, {0, 0, 500, 500},
                                {5, 5, -7, -7},     {-10, 10, -11, -10}};
    for (const auto &c : cases) {
        spin->MinValue = c.Min;
        spin->MaxValue = c.Max;
        spin->SetValue(c.Set);
        EXPECT_EQ(spin->Value(), c.Expected) << c.Min << ".." << c.Max << " set " << c.Set;
    }
}

TEST_F(SpinFixture, StepsWithoutLimitsStopAtTheEndsOfTheIntegerRange)
{
    spin->MinValue = spin->MaxValue = 0;
    spin->Increment = 10;
    spin->SetValue(INT_MAX - 3);
    spin->IncreaseValue(false);
    EXPECT_EQ(spin->Value(), INT_MAX);
    spin->SetValue(INT_MIN + 3);
    spin->DecreaseValue(false);
    EXPECT_EQ(spin->Value(), INT_MIN);
}

TEST_F(SpinFixture, UnreadableTextsFallBackToTheMinimumOfTheirKind)
{
    spin->MinValue = 7;
    spin->MinFloatValue = 2.5;
    spin->MinDateValue = 100;
    spin->SetText("abc");
    EXPECT_EQ(spin->Value(), 7);
    EXPECT_DOUBLE_EQ(spin->FloatValue(), 2.5);
    EXPECT_DOUBLE_EQ(spin->DateValue(), 100);
    EXPECT_DOUBLE_EQ(spin->TimeValue(), 0);
    spin->SetText("");
    EXPECT_EQ(spin->Value(), 0);
    EXPECT_NEAR(spin->DateValue(), Now(), 1.0 / 86400);
}

TEST_F(SpinFixture, FloatPrecisionFormatsAndLimitsTypedDecimals)
{
    spin->SetSpinType(sptFloat);
    spin->SetPrecision(2);
    spin->SetFloatValue(1.5);
    EXPECT_EQ(spin->Text(), "1.50");
    spin->setCursorPosition(4);
    EXPECT_FALSE(spin->IsValidChar(u'7'));
    spin->setCursorPosition(1);
    EXPECT_TRUE(spin->IsValidChar(u'7'));
    spin->setSelection(2, 2);
    EXPECT_TRUE(spin->IsValidChar(u'7'));

    spin->SetPrecision(0);
    spin->SetFloatValue(2.25);
    EXPECT_EQ(spin->Text(), "2.25");
}

TEST_F(SpinFixture, FloatFollowsTheDecimalSeparator)
{
    SetFormats(QStringLiteral("dd/MM/yyyy"), u',', u'.');
    spin->SetSpinType(sptFloat);
    spin->SetPrecision(1);
    spin->SetFloatValue(3.26);
    EXPECT_EQ(spin->Text(), "3,3");
    spin->SetText("4,75");
    EXPECT_DOUBLE_EQ(spin->FloatValue(), 4.75);
}

TEST_F(SpinFixture, TypedCharactersByType)
{
    struct TCase {
        TRudSpinType Type;
        QString Text;
        QChar Key;
        bool Valid;
    } cases[] = {
        {sptNormal, "12", u'5', true},   {sptNormal, "12", u'.', false},
        {sptNormal, "12", u',', false},  {sptNormal, "12", u'a', false},
        {sptFloat, "12", u'.', true},    {sptFloat, "1.2", u'.', false},
        {sptFloat, "12", u',', false},   {sptFloat, "12", u'e', false},
        {sptTime, "10", u':', true},     {sptTime, "10:20:30", u':', false},
        {sptTime, "10", u'/', false},    {sptDate, "10", u'/', true},
        {sptDate, "10", u':', false},    {sptNormal, "12", QChar(27), false},
        {sptFloat, "12", QChar(27), true},
    };
    for (const auto &c : cases) {
        spin->SetSpinType(c.Type);
        SetTextAt(c.Text, int(c.Text.size()));
        EXPECT_EQ(spin->IsValidChar(c.Key), c.Valid) << c.Type << " " << c.Text.toStdString() << " '"
                                                     << QString(c.Key).toStdString() << "'";
    }
}

TEST_F(SpinFixture, MinusOnlyFirstAndOnce)
{
    SetTextAt("12", 0);
    EXPECT_TRUE(spin->IsValidChar(u'-'));
    spin->setCursorPosition(1);
    EXPECT_FALSE(spin->IsValidChar(u'-'));
    SetTextAt("-12", 0);
    EXPECT_FALSE(spin->IsValidChar(u'-'));
    spin->selectAll();
    EXPECT_TRUE(spin->IsValidChar(u'-'));
}

TEST_F(SpinFixture, EnterAsACharacterBeepsInEveryType)
{
    Show();
    for (TRudSpinType type : {sptNormal, sptFloat, sptDate, sptTime}) {
        spin->SetSpinType(type);
        const QString before = spin->Text();
        beeps = 0;
        Type(Qt::Key_Return);
        EXPECT_EQ(beeps, 1) << type;
        EXPECT_EQ(spin->Text(), before);
    }
}

TEST_F(SpinFixture, ArrowAndPageKeysStepWithoutReachingKeyDown)
{
    Show();
    int keyDowns = 0;
    spin->OnKeyDown = [&](TObject *, uint16_t &, TShiftState) { ++keyDowns; };
    spin->Increment = 5;
    spin->SetValue(50);
    Type(Qt::Key_Up);
    EXPECT_EQ(spin->Value(), 55);
    Type(Qt::Key_PageDown);
    Type(Qt::Key_Down);
    EXPECT_EQ(spin->Value(), 45);
    EXPECT_EQ(keyDowns, 0);

    spin->SetSpinType(sptFloat);
    spin->SetFloatValue(1.0);
    Type(Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(spin->FloatValue(), 2.0);
    Type(Qt::Key_Up);
    EXPECT_DOUBLE_EQ(spin->FloatValue(), 2.1);
    Type(Qt::Key_Home);
    EXPECT_EQ(keyDowns, 1);
}

TEST_F(SpinFixture, ReadOnlyOnlyBeeps)
{
    spin->SetReadOnly(true);
    spin->SetValue(10);
    spin->IncreaseValue(false);
    spin->DecreaseValue(true);
    EXPECT_EQ(spin->Value(), 10);
    EXPECT_EQ(beeps, 2);
}

TEST_F(SpinFixture, EditorDisabledRefusesTypingDeleteAndPasteButSteps)
{
    Show();
    spin->SetEditorEnabled(false);
    spin->SetValue(42);
    spin->setCursorPosition(0);
    Type(Qt::Key_7);
    Type(Qt::Key_Delete);
    Type(Qt::Key_Backspace);
    EXPECT_EQ(spin->Text(), "42");
    EXPECT_EQ(beeps, 2);   // the character and Backspace
    QApplication::clipboard()->setText("9");
    Type(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(spin->Text(), "42");
    Type(Qt::Key_Up);
    EXPECT_EQ(spin->Value(), 43);
    EXPECT_EQ(spin->selectedText(), "43");
}

TEST_F(SpinFixture, TypingGoesThroughTheFilter)
{
    Show();
    spin->SetText("");
    Keys(spin, "1a2-");
    EXPECT_EQ(spin->Text(), "12");
    EXPECT_EQ(beeps, 2);
}

TEST_F(SpinFixture, KeypadDecimalTypesTheLocaleSeparator)
{
    SetFormats(QStringLiteral("dd/MM/yyyy"), u',', u'.');
    Show();
    spin->SetSpinType(sptFloat);
    spin->ExcelStyleDecimalSeparator = true;
    SetTextAt("3", 1);
    Key(spin, Qt::Key_Period, Qt::KeypadModifier);
    EXPECT_EQ(spin->Text(), "3,");
}

struct TDateStepCase {
    QString Format, Text;
    int Caret, Delta;
    QString Expected;
};

TEST_F(SpinFixture, DateStepsTheFieldUnderTheCaret)
{
    const TDateStepCase cases[] = {
        {"dd/MM/yyyy", "15/01/2024", 4, 1, "15/02/2024"},    // month in the middle
        {"MM/dd/yyyy", "01/15/2024", 4, 1, "01/16/2024"},    // day in the middle
        {"dd/MM/yyyy", "15/01/2024", 0, 1, "16/01/2024"},
        {"MM/dd/yyyy", "01/15/2024", 1, -1, "12/15/2023"},
        {"dd/MM/yyyy", "31/01/2024", 4, 1, "29/02/2024"},    // day kept within the month
        {"dd/MM/yyyy", "29/02/2024", 9, 1, "28/02/2025"},    // no 29 February in 2025
        {"dd/MM/yyyy", "01/01/2024", 0, -1, "31/12/2023"},
        {"yyyy/MM/dd", "2024/01/15", 2, 1, "2025/01/15"},    // year first
        // Past the calendar's ends the date stays.
        {"dd/MM/yyyy", "31/12/9999", 9, 1, "31/12/9999"},
        {"dd/MM/yyyy", "15/12/9999", 4, 1, "15/12/9999"},
        {"dd/MM/yyyy", "31/12/9999", 0, 1, "31/12/9999"},
        {"dd/MM/yyyy", "01/01/0001", 9, -1, "01/01/0001"},
    };
    for (const auto &c : cases) {
        SetFormats(c.Format);
        spin->SetSpinType(sptDate);
        SetTextAt(c.Text, c.Caret);
        if (c.Delta > 0)
            spin->IncreaseValue(false);
        else
            spin->DecreaseValue(false);
        EXPECT_EQ(spin->Text(), c.Expected) << c.Format.toStdString() << " " << c.Text.toStdString();
        EXPECT_EQ(spin->cursorPosition(), c.Caret);
    }
    SetFormats("MM/dd/yyyy");
    spin->IncreaseValue(false);
    EXPECT_TRUE(spin->UsDates());
}

struct TTimeStepCase {
    QString Text;
    int Caret, Delta;
    QString Expected;
};

TEST_F(SpinFixture, TimeStepsWrapAroundMidnight)
{
    spin->SetSpinType(sptTime);
    const TTimeStepCase cases[] = {
        {"00:30:00", 0, -1, "23:30:00"}, {"23:30:00", 0, 1, "00:30:00"},
        {"10:59:00", 4, 1, "11:00:00"},  {"10:00:59", 7, 1, "10:01:00"},
        {"00:00:00", 7, -1, "23:59:59"}, {"00:00:00", 3, -1, "23:59:00"},
    };
    for (const auto &c : cases) {
        SetTextAt(c.Text, c.Caret);
        if (c.Delta > 0)
            spin->IncreaseValue(false);
        else
            spin->DecreaseValue(false);
        EXPECT_EQ(spin->Text(), c.Expected) << c.Text.toStdString() << " at " << c.Caret;
    }
    // A step is a time of day: a day or more, or 60 minutes or seconds, is refused and the
    // text stays.
    const struct
    {
        int Hours, Minutes, Seconds, Caret;
    } refused[] = {{25, 1, 1, 0}, {24, 1, 1, 0}, {1, 60, 1, 4}, {1, 1, 75, 7}};
    for (const auto &r : refused) {
        spin->IncrementHours = r.Hours;
        spin->IncrementMinutes = r.Minutes;
        spin->IncrementSeconds = r.Seconds;
        SetTextAt("10:00:00", r.Caret);
        EXPECT_THROW(spin->IncreaseValue(false), EConvertError) << r.Hours << " " << r.Minutes;
        EXPECT_THROW(spin->DecreaseValue(false), EConvertError);
        EXPECT_EQ(spin->Text(), "10:00:00");
    }
    spin->IncrementMinutes = 1;
    spin->IncrementSeconds = 1;

    spin->SetShowSeconds(false);
    spin->IncrementHours = 1;
    SetTextAt("0:30", 0);
    spin->DecreaseValue(false);
    EXPECT_EQ(spin->Text(), "23:30");
}

TEST_F(SpinFixture, TypeChangeReformatsTheValue)
{
    spin->SetText("7");
    spin->SetSpinType(sptFloat);
    spin->SetPrecision(2);
    EXPECT_EQ(spin->Text(), "7.00");
    spin->SetSpinType(sptNormal);
    EXPECT_EQ(spin->Text(), "0");   // "7.00" is no integer: MinValue
    spin->SetSpinType(sptTime);
    EXPECT_EQ(spin->Text(), "00:00:00");
}

TEST_F(SpinFixture, LeavingClampsTheTypedValue)
{
    spin->SetText("500");
    spin->DoExit();
    EXPECT_EQ(spin->Text(), "100");
    spin->SetSpinType(sptFloat);
    spin->SetText("-3");
    spin->DoExit();
    EXPECT_EQ(spin->Text(), "0");
}

TEST_F(SpinFixture, LoadingStoresDatesUntilLoaded)
{
    spin->BeginLoading();
    spin->SetSpinType(sptDate);
    spin->SetDateValue(EncodeDate(2024, 3, 5));
    EXPECT_NE(spin->Text(), "05/03/2024");
    spin->Loaded();
    EXPECT_EQ(spin->Text(), "05/03/2024");
}

TEST_F(SpinFixture, HeldButtonRepeatsAfter400ThenEvery100)
{
    Show();
    int ups = 0;
    spin->SetValue(0);
    TDazTimerSpeedButton *up = spin->Button()->UpButton();
    const auto oldUp = spin->Button()->OnUpClick;
    spin->Button()->OnUpClick = [&](TObject *s) {
        ++ups;
        oldUp(s);
    };
    Mouse(up, QEvent::MouseButtonPress, {3, 3});
    EXPECT_EQ(ups, 1);
    ASSERT_NE(up->RepeatTimer(), nullptr);
    EXPECT_TRUE(up->RepeatTimer()->isActive());
    EXPECT_EQ(up->RepeatTimer()->interval(), 400);
    up->TimerExpired();
    EXPECT_EQ(up->RepeatTimer()->interval(), 100);
    up->TimerExpired();
    EXPECT_EQ(ups, 3);
    Mouse(up, QEvent::MouseButtonRelease, {3, 3});
    EXPECT_FALSE(up->RepeatTimer()->isActive());
    up->TimerExpired();
    EXPECT_EQ(ups, 3);
    EXPECT_EQ(spin->Value(), 3);
    EXPECT_TRUE(spin->hasFocus());

    Mouse(spin->Button()->DownButton(), QEvent::MouseButtonPress, {3, 3});
    Mouse(spin->Button()->DownButton(), QEvent::MouseButtonRelease, {3, 3});
    EXPECT_EQ(spin->Value(), 2);
}

TEST_F(SpinFixture, ButtonPairLayout)
{
    TRudSpinButton pair(&window);
    Show();
    pair.show();
    pair.resize(10, 30);
    QApplication::processEvents();
    EXPECT_EQ(pair.width(), 15);
    EXPECT_EQ(pair.UpButton()->geometry(), QRect(0, 0, 15, 15));
    EXPECT_EQ(pair.DownButton()->geometry(), QRect(0, 14, 15, 16));
    pair.SetDirection(spHorizontal);
    pair.resize(10, 30);
    QApplication::processEvents();
    EXPECT_EQ(pair.width(), 20);
    EXPECT_EQ(pair.DownButton()->geometry(), QRect(0, 0, 10, 30));
    EXPECT_EQ(pair.UpButton()->geometry(), QRect(11, 0, 10, 30));
    EXPECT_EQ(pair.UpButton()->ButtonDirection(), bdRight);
    EXPECT_EQ(pair.DownButton()->ButtonDirection(), bdLeft);
}

TEST_F(SpinFixture, EditPlacesItsButtonsAndKeepsAMinimumHeight)
{
    Show();
    spin->setGeometry(10, 10, 100, 4);
    spin->show();
    QApplication::processEvents();
    EXPECT_EQ(spin->height(), spin->GetMinHeight());
    const int h = spin->height();
    EXPECT_EQ(spin->Button()->geometry(), QRect(100 - 15 - 3, 2, 15, h - 5));
    spin->SetBorderStyle(bsNone);
    EXPECT_EQ(spin->Button()->geometry(), QRect(100 - 15 - 1, 0, 15, h - 1));
}

TEST_F(SpinFixture, CustomButtonColoursPaintFaceAndArrow)
{
    Show();
    spin->show();
    spin->Button()->ButtonColor = clRed;
    spin->Button()->ButtonColorHot = clLime;
    spin->Button()->ButtonColorDown = clBlue;
    TDazTimerSpeedButton *up = spin->Button()->UpButton();
    up->resize(15, 12);
    QImage img = RenderWidget(*up);
    EXPECT_EQ(PixelAt(img, 12, 8), clRed);
    EXPECT_EQ(PixelAt(img, 6, 3), clBlack);   // inside the arrow
    Mouse(up, QEvent::MouseButtonPress, {3, 3});
    img = RenderWidget(*up);
    EXPECT_EQ(PixelAt(img, 12, 8), clBlue);
    Mouse(up, QEvent::MouseButtonRelease, {3, 3});
}

TEST_F(SpinFixture, ThemedButtonsDrawTheSpinParts)
{
    TFakeThemePlatformGuard guard;
    guard.Fake.LibraryPresent = true;
    guard.Fake.ThemeActive = true;
    UnbindThemeLibrary();
    spin->SetIsWinXP(true);
    spin->Button()->SetDirection(spHorizontal);
    RenderWidget(*spin->Button()->UpButton());
    RenderWidget(*spin->Button()->DownButton());
    ASSERT_EQ(guard.Fake.Draws.size(), 2u);
    EXPECT_EQ(guard.Fake.Draws[0].Class, "spin");
    EXPECT_EQ(guard.Fake.Draws[0].Part, 3);   // right
    EXPECT_EQ(guard.Fake.Draws[1].Part, 4);   // left
    EXPECT_EQ(guard.Fake.Draws[0].State, 1);
    EXPECT_TRUE(guard.Fake.OpenClasses.empty());
    UnbindThemeLibrary();
}

TEST_F(SpinFixture, ClassicUpDownButtonsShowTheArrowGlyphs)
{
    const QImage up = TRudSpinButton::UpArrowGlyph();
    EXPECT_EQ(up.size(), QSize(9, 6));
    EXPECT_EQ(up.pixelColor(4, 1), QColor(Qt::black));
    EXPECT_EQ(up.pixelColor(1, 4), QColor(Qt::black));
    EXPECT_NE(up.pixelColor(0, 4), QColor(Qt::black));
    TDazTimerSpeedButton *b = spin->Button()->DownButton();
    b->resize(15, 12);
    const QImage img = RenderWidget(*b);
    EXPECT_GT(CountPixels(img, TRect(0, 0, 15, 12), clBlack), 10);
}

} // namespace
