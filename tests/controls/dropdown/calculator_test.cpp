// The calculator keypad and the calculator drop-down, with "." decimals and "," thousands.
#include "controls/dropdown/calcdropdown.h"
#include "controls/dropdown/dropdownform.h"

#include "grid/base/styledetect.h"
#include "grid/base/textroutines.h"
#include "platform/rtl.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

struct SeparatorGuard
{
    SeparatorGuard() { SetGridFormatOverride({u'/', u':', u',', u'.', QStringLiteral("dd/MM/yyyy")}); }
    ~SeparatorGuard() { SetGridFormatOverride({}); }
};

// A keypad that records what it asks to repaint.
class RecordingPanel : public TCustomButtonPanel
{
public:
    std::vector<TRect> Invalidated;

protected:
    void InvalidateRect(const TRect &R) override
    {
        Invalidated.push_back(R);
        TCustomButtonPanel::InvalidateRect(R);
    }
};

int IndexOf(TCustomButtonPanel &Panel, const QString &Caption)
{
    for (int i = 0; i < Panel.Buttons().Count(); ++i)
        if (Panel.Buttons().Items(i).Caption == Caption)
            return i;
    return -1;
}

QPoint CentreOf(const TButtonItem &Item)
{
    return {Item.Left + Item.Width / 2, Item.Top + Item.Height / 2};
}

TEST(ButtonAppearance, DefaultsSettersAndAssign)
{
    TButtonAppearance a;
    EXPECT_EQ(a.Color(), TColor(0x9A915F));
    EXPECT_EQ(a.ColorHotTo(), TColor(0xD5C244));
    EXPECT_EQ(a.BorderColorChecked(), TColor(0xFF0000));
    EXPECT_EQ(a.ColorCheckedTo(), ShadeColor(0xF9D2B2, -10, -10, 0));
    EXPECT_EQ(a.ColorDisabled(), ShadeColor(0xFFFFFF, -5, -5, -5));
    EXPECT_EQ(a.SpecialTextColor(), TColor(0x000080));
    EXPECT_EQ(a.Font().Size, 10);
    EXPECT_EQ(a.Font().Style, fsBold);
    int changes = 0;
    a.OnChange = [&](TObject *) { ++changes; };
    a.SetColor(0x9A915F);
    a.SetShineColor(0x123456);
    EXPECT_EQ(changes, 0);
    a.SetColor(1);
    a.SetTextColor(2);
    a.SetColorDisabled(3);
    EXPECT_EQ(changes, 3);

    TButtonAppearance b;
    b.GlowColorHot = 7;
    b.SetSpecialTextColor(8);
    b.SetShineColor(9);
    TFont f;
    f.Size = 14;
    b.SetFont(f);
    a.Assign(&b);
    EXPECT_EQ(a.GlowColorHot, TColor(7));
    EXPECT_EQ(a.SpecialTextColor(), TColor(8));
    EXPECT_EQ(a.ShineColor(), TColor(9));
    EXPECT_EQ(a.Font().Size, 14);
    EXPECT_EQ(a.Color(), TColor(0x9A915F));
}

TEST(CalculatorKeypad, CreatesTheTwentyEightButtonsOnceAndResetRebuildsThem)
{
    TCustomButtonPanel panel;
    panel.resize(230, 150);
    panel.CreateButtons();
    ASSERT_EQ(panel.Buttons().Count(), 28);
    struct Row
    {
        int Index;
        const char *Caption, *Name;
        int Tag;
        bool Special;
    };
    const Row rows[] = {{0, "", "BTN_ON", 30, false},     {1, "Back", "BTN_BACK", 31, true},
                        {3, "C", "BTN_C", 16, true},      {7, "M+", "BTN_M+", 36, true},
                        {15, "+/-", "BTN_+/-", 14, false}, {16, ".", "BTN_.", 15, false},
                        {24, "=", "BTN_=", 17, true},     {25, "1/x", "BTN_1/x", 38, false},
                        {26, "%", "BTN_%", 18, false},    {27, "sqrt", "BTN_sqrt", 37, true}};
    for (const Row &r : rows) {
        const TButtonItem &b = panel.Buttons().Items(r.Index);
        EXPECT_EQ(b.Caption, r.Caption);
        EXPECT_EQ(b.Name, r.Name);
        EXPECT_EQ(b.Tag, r.Tag);
        EXPECT_EQ(b.Special, r.Special);
        EXPECT_EQ(b.CaptionColor, r.Special ? TColor(0x000080) : TColor(0xFFFFFF));
    }
    int specials = 0;
    for (int i = 0; i < 28; ++i)
        specials += panel.Buttons().Items(i).Special;
    EXPECT_EQ(specials, 13);

    panel.Buttons().Items(1).Caption = "changed";
    panel.CreateButtons();
    EXPECT_EQ(panel.Buttons().Count(), 28);
    EXPECT_EQ(panel.Buttons().Items(1).Caption, "changed");
    panel.ResetButtons();
    EXPECT_EQ(panel.Buttons().Count(), 28);
    EXPECT_EQ(panel.Buttons().Items(1).Caption, "Back");
}

TEST(CalculatorKeypad, LaysTheButtonsOutInTheCalculatorGrid)
{
    TCustomButtonPanel panel;
    panel.resize(230, 150);
    panel.CreateButtons();
    auto rect = [&](const char *Caption) {
        return panel.Buttons().Items(IndexOf(panel, Caption)).Rect();
    };
    EXPECT_EQ(panel.Buttons().Items(0).Rect(), TRect(8, 8, 42, 34));   // w 34, h 26
    EXPECT_EQ(rect("Back"), TRect(46, 8, 100, 34));
    EXPECT_EQ(rect("CE"), TRect(104, 8, 158, 34));
    EXPECT_EQ(rect("C"), TRect(162, 8, 217, 34));
    EXPECT_EQ(rect("sqrt").Right, rect("C").Right);   // C ends flush with column 5
    EXPECT_EQ(rect("MC"), TRect(8, 38, 42, 64));      // 4 pixels under row 0
    EXPECT_EQ(rect("7").Left, 46);                     // 4 pixels after column 0
    EXPECT_EQ(rect("8").Left, rect("7").Right - 1);    // one-pixel overlap inside a group
    EXPECT_EQ(rect("/").Left, rect("9").Right + 4);    // 4 pixels after column 3
    EXPECT_EQ(rect("MR").Top, rect("MC").Bottom - 1);
    EXPECT_EQ(rect("="), TRect(183, 113, 217, 139));

    TCustomButtonPanel custom;
    custom.resize(230, 150);
    custom.SetButtonPanelType(plCustom);
    custom.CreateButtons();
    EXPECT_EQ(custom.Buttons().Count(), 0);
    custom.Buttons().Add().Caption = "x";
    custom.ArrangeButtons();
    EXPECT_EQ(custom.Buttons().Items(0).Rect(), TRect(0, 0, 0, 0));
    EXPECT_EQ(custom.ButtonAt(0, 0), -1);
}

TEST(CalculatorKeypad, ClicksOnlyWhenReleasedOverThePressedButton)
{
    RecordingPanel panel;
    panel.resize(230, 150);
    panel.CreateButtons();
    std::vector<int> clicks;
    panel.OnButtonClick = [&](TObject *, int Index) { clicks.push_back(Index); };
    const QPoint seven = CentreOf(panel.Buttons().Items(11)),
                 eight = CentreOf(panel.Buttons().Items(12));
    panel.MouseDown(seven.x(), seven.y());
    EXPECT_EQ(panel.ButtonDown(), 11);
    panel.MouseUp(eight.x(), eight.y());
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(panel.ButtonDown(), -1);
    panel.MouseDown(eight.x(), eight.y());
    panel.MouseUp(eight.x() + 3, eight.y());
    EXPECT_EQ(clicks, std::vector<int>{12});

    panel.MouseMove(seven.x(), seven.y());
    EXPECT_EQ(panel.ButtonHot(), 11);
    panel.MouseMove(44, 50);   // the gap after column 0
    EXPECT_EQ(panel.ButtonHot(), -1);
    panel.Buttons().Items(11).Enabled = false;
    panel.MouseMove(seven.x(), seven.y());
    EXPECT_EQ(panel.ButtonHot(), -1);
    panel.MouseDown(seven.x(), seven.y());
    EXPECT_EQ(panel.ButtonDown(), -1);

    panel.Invalidated.clear();
    panel.InvalidateButton(12);
    panel.InvalidateButton(28);
    TRect grown = panel.Buttons().Items(12).Rect();
    InflateRect(grown, 8, 8);
    EXPECT_EQ(panel.Invalidated, std::vector<TRect>{grown});
}

TEST(CalculatorKeypad, StandAloneRepaintsOnChangesAndLinkedDoesNot)
{
    RecordingPanel alone;
    alone.resize(230, 150);
    alone.Loaded();
    EXPECT_EQ(alone.Buttons().Count(), 28);
    alone.Invalidated.clear();
    alone.ButtonAppearance().SetTextColor(0x0000FF);
    alone.Buttons().OnChange(&alone.Buttons());
    EXPECT_EQ(alone.Invalidated.size(), 2u);

    TDazCalculatorDropdown calc;
    RecordingPanel linked;
    linked.SetDazDropDown(&calc);
    linked.Loaded();
    EXPECT_EQ(linked.Buttons().Count(), 0);
    linked.ButtonAppearance().SetTextColor(0x0000FF);
    EXPECT_TRUE(linked.Invalidated.empty());
}

TEST(CalculatorKeypad, PaintsThemedFacesWithTheHotButtonLast)
{
    TFakeThemePlatformGuard theme;
    UnbindThemeLibrary();
    theme.Fake.LibraryPresent = true;
    theme.Fake.ThemeActive = true;
    TCustomButtonPanel panel;
    panel.resize(230, 150);
    panel.CreateButtons();
    const QPoint two = CentreOf(panel.Buttons().Items(14)),
                 five = CentreOf(panel.Buttons().Items(13));
    panel.MouseMove(two.x(), two.y());
    panel.MouseDown(five.x(), five.y());

    QImage image(230, 150, QImage::Format_RGB32);
    std::vector<TCanvasOp> ops;
    {
        TCanvas canvas(&image);
        canvas.SetRecorder(&ops);
        panel.Paint(canvas);
    }
    ASSERT_EQ(theme.Fake.Draws.size(), 28u);
    EXPECT_EQ(theme.Fake.Draws.back().Rect, panel.Buttons().Items(14).Rect());   // hot, last
    EXPECT_EQ(theme.Fake.Draws.back().State, 2);
    EXPECT_EQ(theme.Fake.Draws[13].State, 3);   // pressed
    EXPECT_EQ(theme.Fake.Draws[0].State, 1);
    EXPECT_EQ(theme.Fake.Draws[0].Class, "button");
    EXPECT_EQ(theme.Fake.Draws[0].Part, 1);
    EXPECT_TRUE(theme.Fake.OpenClasses.empty());
    // A stand-alone keypad is framed in black; captions in TextColor or SpecialTextColor.
    EXPECT_EQ(image.pixel(0, 75) & 0xFFFFFF, 0u);
    int special = 0, plain = 0;
    for (const TCanvasOp &op : ops)
        if (op.Name == "DrawText") {
            if (op.Text == "MC")
                special = int(op.Font.Color);
            if (op.Text == "7")
                plain = int(op.Font.Color);
        }
    EXPECT_EQ(TColor(special), TColor(0x000080));
    EXPECT_EQ(TColor(plain), TColor(0x000000));

    theme.Fake.Draws.clear();
    panel.setEnabled(false);
    {
        TCanvas canvas(&image);
        panel.Paint(canvas);
    }
    EXPECT_EQ(theme.Fake.Draws[0].State, 4);
    UnbindThemeLibrary();
}

TEST(CalculatorKeypad, MaxButtonSizeFitsTheLargestCaption)
{
    TCustomButtonPanel panel;
    panel.Buttons().Add().Caption = "sqrt";
    panel.Buttons().Add().Caption = "1";
    QImage device(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&device);
    canvas.Font = TFont::FromQFont(panel.font());
    const QSize text = MeasureText(canvas, "sqrt");
    QSize size;
    panel.GetMaxButtonSize(size);
    EXPECT_EQ(size, QSize(text.width() + 8, text.height() + 8));
    panel.ButtonLayout = ilCaptionTop;
    panel.GetMaxButtonSize(size);
    EXPECT_EQ(size, QSize(text.width() + 8, text.height() + 8));
}

// ---------------------------------------------------------------------------------------

class CalculatorTest : public ::testing::Test
{
protected:
    SeparatorGuard Separators;
    TDazCalculatorDropdown Calc;

    // Keypad buttons by caption, separated by blanks.
    void Press(const QString &Keys)
    {
        for (const QString &k : Keys.split(u' ', Qt::SkipEmptyParts)) {
            const int i = IndexOf(*Calc.ButtonPanel(), k);
            ASSERT_GE(i, 0) << k.toStdString();
            Calc.ButtonClick(i);
        }
    }
    void Type(const QString &Keys)
    {
        for (QChar c : Keys) {
            QChar k = c;
            Calc.KeyPress(k);
        }
    }
    void SendKey(QWidget *To, int Key, const QString &Text = {})
    {
        QKeyEvent e(QEvent::KeyPress, Key, Qt::NoModifier, Text);
        QApplication::sendEvent(To, &e);
    }
};

TEST_F(CalculatorTest, Defaults)
{
    EXPECT_EQ(Calc.DropDownWidth(), 230);
    EXPECT_FALSE(Calc.DropDownHeader().Visible());
    EXPECT_FALSE(Calc.DropDownFooter().Visible());
    EXPECT_EQ(Calc.EditType(), etFloat);
    EXPECT_EQ(Calc.Precision(), 2);
    EXPECT_EQ(Calc.DropDownColor, TColor(0xFFFFFF));
    ASSERT_NE(Calc.ButtonPanel(), nullptr);
    EXPECT_EQ(Calc.ButtonPanel()->height(), 150);
    EXPECT_EQ(Calc.ButtonPanel()->Buttons().Count(), 28);
    EXPECT_EQ(Calc.ButtonPanel()->DazDropDown(), &Calc);
    EXPECT_EQ(Calc.PendingOperation(), -1);
    EXPECT_EQ(Calc.text(), "0.00");
}

TEST_F(CalculatorTest, KeypadSequences)
{
    const struct
    {
        const char *Keys, *Shown;
    } cases[] = {
        {"2 + 3 * 4 =", "20.00"},        {"2 + 3 * 4 = =", "20.00"},
        {"7 / 0 =", "Error"},            {"7 / 0 = =", "Error"},
        {"7 / 0 = C", "0.00"},           {"2 0 0 + 1 0 %", "20.00"},
        {"2 0 0 + 1 0 % =", "220.00"},   {"1 . 2 3 4", "1.23"},
        {"5 +/-", "-5.00"},              {"5 +/- +/-", "5.00"},
        {"4 +/- sqrt", "Error"},         {"0 1/x", "Error"},
        {"9 sqrt", "3.00"},              {"4 1/x", "0.25"},
        {"1 . 5 CE 7", "7.00"},          {"1 2 Back", "1.00"},
        {"5 + 3 Back", "3.00"},          {"6 MS C MR", "6.00"},
        {"6 MS C 2 M+ MR", "8.00"},      {"6 MS MC MR", "0.00"},
        {"9 - 4 =", "5.00"},             {"1 0 / 4 =", "2.50"},
        {"1 / 3 * 3 =", "1.00"},         {"1 / 3 = * 3 =", "0.99"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Keys);
        TDazCalculatorDropdown calc;
        for (const QString &k : QString(c.Keys).split(u' ', Qt::SkipEmptyParts))
            calc.ButtonClick(IndexOf(*calc.ButtonPanel(), k));
        EXPECT_EQ(calc.GetText(), c.Shown);
    }
}

TEST_F(CalculatorTest, FullTextBlocksEntryButtonsAndThousandsAreParsed)
{
    Press("1");
    Calc.setMaxLength(4);
    Press("5 +/- .");
    EXPECT_EQ(Calc.GetText(), "1.00");
    EXPECT_EQ(Calc.DecimalEntry(), 0);
    Press("+");
    EXPECT_EQ(Calc.PendingOperation(), 0);

    TDazCalculatorDropdown money;
    money.SetShowThousandSeparator(true);
    EXPECT_EQ(money.EditType(), etMoney);
    money.SetValue(1234);
    EXPECT_EQ(money.GetText(), "1,234.00");
    money.ButtonClick(IndexOf(*money.ButtonPanel(), "MS"));
    EXPECT_EQ(money.Memory(), 1234);
    money.ButtonClick(IndexOf(*money.ButtonPanel(), "M+"));
    EXPECT_EQ(money.Memory(), 2468);
    money.ButtonClick(IndexOf(*money.ButtonPanel(), "MR"));
    EXPECT_EQ(money.GetText(), "2,468.00");

    // On "Error" the memory keys fail with the conversion error and keep the memory.
    Calc.setMaxLength(32767);
    Press("6 MS C 1/x");
    EXPECT_THROW(Press("M+"), EConvertError);
    EXPECT_EQ(Calc.Memory(), 6);
}

TEST_F(CalculatorTest, TypingIntoTheClosedEdit)
{
    Type("C5+3\r");
    EXPECT_EQ(Calc.GetText(), "8.00");
    Type("7");
    EXPECT_EQ(Calc.GetText(), "7.00");
    Type("2");   // the caret stands after the first digit
    EXPECT_EQ(Calc.GetText(), "72.00");
    Type("*2=");
    EXPECT_EQ(Calc.GetText(), "144.00");

    // A "-" subtracts and also reaches the edit's filter (a signed edit toggles its sign).
    Calc.Signed = true;
    Type("C9-");
    EXPECT_EQ(Calc.PendingOperation(), 2);
    EXPECT_EQ(Calc.GetText(), "-9.00");

    // After the keypad's C the display is 0.00, not "0": a digit is edited in at the caret.
    Press("5 C");
    EXPECT_EQ(Calc.GetText(), "0.00");
    EXPECT_FALSE(Calc.NewValue());
    Calc.setCursorPosition(0);
    Type("7");
    EXPECT_EQ(Calc.GetText(), "70.00");
}

TEST_F(CalculatorTest, EditKeysBackspaceDeleteAndValue)
{
    Calc.SetPrecision(0);
    Calc.SetText("7");
    Calc.setCursorPosition(1);
    Type(QString(QChar(8)));
    EXPECT_EQ(Calc.GetText(), "0");

    Calc.SetPrecision(2);
    Calc.SetText("Error");
    Calc.selectAll();
    SendKey(&Calc, Qt::Key_Delete);
    EXPECT_EQ(Calc.GetText(), "0.00");

    Calc.SetValueGeneral(1.5);
    EXPECT_EQ(Calc.GetText(), "1.50");
    EXPECT_EQ(Calc.Value(), 1.5);
    Calc.SetTextUnformatted("");
    EXPECT_EQ(Calc.Value(), 0);
    EXPECT_EQ(Calc.GetText(), "0.00");
    Calc.SetTextUnformatted("abc");
    EXPECT_EQ(Calc.Value(), 0);
}

TEST_F(CalculatorTest, KeysWhileTheKeypadIsOpen)
{
    Calc.show();
    Calc.ShowDropDown();
    ASSERT_TRUE(Calc.DroppedDown());
    EXPECT_FALSE(Calc.DropDownForm()->CancelOnDeActivate);
    EXPECT_EQ(Calc.DropDownForm()->size(), QSize(230, 152));
    EXPECT_EQ(Calc.ButtonPanel()->height(), 150);
    EXPECT_EQ(Calc.ButtonPanel()->Color, Calc.DropDownColor);
    QWidget *form = Calc.DropDownForm();
    SendKey(form, Qt::Key_5, "5");
    SendKey(form, Qt::Key_Plus, "+");
    SendKey(form, Qt::Key_3, "3");
    EXPECT_EQ(Calc.GetText(), "3.00");
    SendKey(form, Qt::Key_Return, "\r");
    EXPECT_EQ(Calc.GetText(), "8.00");
    EXPECT_FALSE(Calc.DropDownForm()->isVisible());

    // Accumulator, operation and memory survive; new number and decimal entry reset.
    Press("2 MS + 1 .");
    EXPECT_EQ(Calc.DecimalEntry(), 10);
    Calc.ShowDropDown();
    EXPECT_TRUE(Calc.NewValue());
    EXPECT_EQ(Calc.DecimalEntry(), 0);
    EXPECT_EQ(Calc.PendingOperation(), 0);
    EXPECT_EQ(Calc.Accumulator(), 2);
    EXPECT_EQ(Calc.Memory(), 2);
    SendKey(form, Qt::Key_4, "4");
    SendKey(form, Qt::Key_Equal, "=");
    EXPECT_EQ(Calc.GetText(), "6.00");
    SendKey(form, Qt::Key_C, "c");
    EXPECT_EQ(Calc.GetText(), "0.00");
    EXPECT_EQ(Calc.Accumulator(), 0);
    SendKey(form, Qt::Key_Escape, QString(QChar(27)));
    EXPECT_FALSE(Calc.DropDownForm()->isVisible());

    for (int key : {int(Qt::Key_Tab), int(Qt::Key_F4)}) {
        Calc.ShowDropDown();
        SendKey(form, Qt::Key_7, "7");
        SendKey(form, key);
        EXPECT_FALSE(Calc.DropDownForm()->isVisible());
        EXPECT_EQ(Calc.GetText(), "7.00");
    }

    Calc.SetPrecision(0);
    Calc.ShowDropDown();
    Calc.SetText("123");
    SendKey(form, Qt::Key_Backspace, QString(QChar(8)));
    EXPECT_EQ(Calc.GetText(), "12");
    Calc.SetText("Error");
    SendKey(form, Qt::Key_Backspace, QString(QChar(8)));
    EXPECT_EQ(Calc.GetText(), "0");
    Calc.HideDropDown(false);
}

TEST_F(CalculatorTest, ComponentStyleCopiesTheButtonColours)
{
    for (TQVRStyle s : {tsOffice2007Luna, tsOffice2010Blue, tsWindowsXP, tsOffice2010Black}) {
        SCOPED_TRACE(int(s));
        Calc.SetComponentStyle(s);
        const TDazButtonAppearance &b = Calc.ButtonAppearance();
        const TButtonAppearance &c = Calc.CalcButtonAppearance();
        EXPECT_EQ(c.Color(), b.Color());
        EXPECT_EQ(c.ColorTo(), b.ColorTo());
        EXPECT_EQ(c.ColorHotTo(), b.ColorHotTo());
        EXPECT_EQ(c.BorderColorDown(), b.BorderColorDown());
        const bool office2010 = s == tsOffice2010Blue || s == tsOffice2010Black;
        EXPECT_EQ(c.GlowColorHot, office2010 ? b.ColorHot() : b.ColorDownTo());
        EXPECT_EQ(c.GlowColorDown, office2010 ? b.ColorHot() : TColor(0xD5C244));
    }
    Calc.CalcButtonAppearance().SetTextColor(0x0000FF);
    Calc.ShowDropDown();
    EXPECT_EQ(Calc.ButtonPanel()->ButtonAppearance().TextColor(), TColor(0x0000FF));
    Calc.HideDropDown(false);
}

}   // namespace
