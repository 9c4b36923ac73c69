// The drop-down edit's typed side, driven through its message-level interface with "."
// decimals and "," thousands.
#include "controls/dropdown/dazcustomdropdown.h"

#include "grid/base/textroutines.h"

#include <gtest/gtest.h>

namespace {

struct EditTest : ::testing::Test
{
    EditTest() { SetGridFormatOverride({u'/', u':', u',', u'.', QStringLiteral("dd/MM/yyyy")}); }
    ~EditTest() override { SetGridFormatOverride({}); }

    // Types each character through the message interface.
    void Type(const QString &keys)
    {
        for (const QChar c : keys)
            Edit.WMChar(c);
    }
    TDazCustomDropDown Edit;
};

TEST_F(EditTest, SetTextFormatsByType)
{
    struct Case { TDropDownEditType type; int precision; const char *in; const char *shown; };
    const Case cases[] = {
        {etFloat, 2, "", "0.00"},          {etString, 2, "", ""},           {etFloat, 2, "Error", "Error"},
        {etMoney, 2, "1234.5", "1,234.50"}, {etNumeric, 0, "", "0"},         {etHex, 0, "ab", "AB"},
        {etMoney, 2, "1,234,567.891", "1,234,567.89"}, {etFloat, 3, "-2.5", "-2.500"},
    };
    for (const Case &c : cases) {
        TDazCustomDropDown e;
        e.SetEditType(c.type);
        e.SetPrecision(c.precision);
        e.SetText(QLatin1String(c.in));
        EXPECT_EQ(e.text(), QLatin1String(c.shown)) << c.type << " " << c.in;
        EXPECT_EQ(e.OldText(), QLatin1String(c.shown)) << c.type;
        EXPECT_FALSE(e.IsModified());
    }
}

TEST_F(EditTest, FloatTypingOfThePointAndTheFraction)
{
    Edit.SetEditType(etFloat);
    Edit.SetPrecision(2);
    Edit.SetTextUnformatted(QString());
    Type(QStringLiteral("."));
    EXPECT_EQ(Edit.text(), QStringLiteral("0."));
    EXPECT_EQ(Edit.cursorPosition(), 2);

    Edit.SetTextUnformatted(QStringLiteral("1.25"));
    Edit.setCursorPosition(4);
    Type(QStringLiteral("7"));
    EXPECT_EQ(Edit.text(), QStringLiteral("1.25"));   // the fraction is full
    Edit.setCursorPosition(2);
    Type(QStringLiteral("9"));
    EXPECT_EQ(Edit.text(), QStringLiteral("1.95"));   // the digit overwrites

    TDazCustomDropDown whole;
    whole.SetEditType(etFloat);
    whole.SetTextUnformatted(QString());
    whole.WMChar(u'.');
    EXPECT_EQ(whole.text(), QString());   // Precision 0 takes no point
}

TEST_F(EditTest, MoneyTypingKeepsTheThousandSeparators)
{
    Edit.SetEditType(etMoney);
    Edit.SetTextUnformatted(QString());
    const char *after[] = {"1", "12", "123", "1,234"};
    for (int i = 0; i < 4; ++i) {
        Type(QString(QChar(u'1' + i)));
        EXPECT_EQ(Edit.text(), QLatin1String(after[i]));
    }
    Edit.setCursorPosition(int(Edit.text().size()));
    Type(QStringLiteral("5"));
    EXPECT_EQ(Edit.text(), QStringLiteral("12,345"));
    EXPECT_EQ(Edit.cursorPosition(), 6);
}

TEST_F(EditTest, SignToggleRangeAndDisabledEditor)
{
    Edit.SetEditType(etNumeric);
    Edit.Signed = true;
    Edit.SetText(QStringLiteral("12"));
    Edit.setCursorPosition(1);
    Type(QStringLiteral("-"));
    EXPECT_EQ(Edit.text(), QStringLiteral("-12"));
    Type(QStringLiteral("-"));
    EXPECT_EQ(Edit.text(), QStringLiteral("12"));
    Edit.Signed = false;
    Type(QStringLiteral("-"));
    EXPECT_EQ(Edit.text(), QStringLiteral("12"));

    TDazCustomDropDown range;
    range.SetEditType(etRange);
    for (const char *refused : {",", "-", ";"}) {
        range.SetTextUnformatted(QString());
        range.WMChar(QLatin1Char(*refused));
        EXPECT_EQ(range.text(), QString()) << refused;
    }
    range.SetTextUnformatted(QString());
    for (const QChar c : QStringLiteral("1-5,7;9")) {
        range.WMChar(c);
        if (c.isDigit()) {   // a separator next to another is refused
            range.WMChar(u',');
            range.backspace();
        }
    }
    EXPECT_EQ(range.text(), QStringLiteral("1-5,7;9"));
    range.setCursorPosition(2);
    range.WMChar(u',');   // next to "-"
    EXPECT_EQ(range.text(), QStringLiteral("1-5,7;9"));

    TDazCustomDropDown off;
    off.EditorEnabled = false;
    off.WMChar(u'a');
    EXPECT_EQ(off.text(), QString());
}

TEST_F(EditTest, PasteCutAndCopyRules)
{
    Edit.SetEditType(etNumeric);
    Edit.SetText(QStringLiteral("12"));
    Edit.setCursorPosition(0);
    Edit.WMPaste(QStringLiteral("a"));
    EXPECT_EQ(Edit.text(), QStringLiteral("12"));
    EXPECT_EQ(Edit.cursorPosition(), 1);   // where the paste would have left it
    Edit.setCursorPosition(2);
    Edit.WMPaste(QStringLiteral("34"));
    EXPECT_EQ(Edit.text(), QStringLiteral("1234"));

    for (TDropDownEditType t : {etRange, etHex}) {
        TDazCustomDropDown e;
        e.SetEditType(t);
        e.SetTextUnformatted(QStringLiteral("1"));
        e.WMPaste(QStringLiteral("2"));
        EXPECT_EQ(e.text(), QStringLiteral("1")) << t;
    }
    // A handler may refuse.
    TDazCustomDropDown s;
    s.OnClipboardPaste = [](TDazCustomDropDown *, const QString &planned, bool &allow) {
        allow = planned != QStringLiteral("ab");
    };
    s.setCursorPosition(0);
    s.WMPaste(QStringLiteral("ab"));
    EXPECT_EQ(s.text(), QString());
    s.WMPaste(QStringLiteral("x"));
    EXPECT_EQ(s.text(), QStringLiteral("x"));

    int copies = 0, cuts = 0;
    s.OnClipboardCopy = [&copies](TDazCustomDropDown *, const QString &, bool &) { ++copies; };
    s.OnClipboardCut = [&cuts](TDazCustomDropDown *, const QString &, bool &allow) {
        ++cuts;
        allow = false;
    };
    s.selectAll();
    s.WMCopy();
    s.WMCut();
    EXPECT_EQ(copies, 1);   // the cut's copy fires no copy event
    EXPECT_EQ(cuts, 1);
    EXPECT_EQ(s.text(), QStringLiteral("x"));   // refused

    // SetPrecision on etNumeric is ignored.
    Edit.SetPrecision(3);
    EXPECT_EQ(Edit.Precision(), 0);
}

TEST_F(EditTest, ValuesByType)
{
    struct Case { TDropDownEditType type; int precision; double value; const char *shown; double read; };
    const Case cases[] = {
        {etFloat, 2, 3.14159, "3.14", 3.14},      {etNumeric, 1, 1234.56, "1,234.6", 1234.6},
        {etMoney, 2, 1234.5, "1,234.50", 1234.5}, {etFloat, -1, 0.5, "0.5", 0.5},
        {etHex, 0, 255.9, "FF", 255},             {etString, -1, 2.5, "2.5", 2.5},   {etString, 0, 2.5, "3", 3},
    };
    for (const Case &c : cases) {
        TDazCustomDropDown e;
        e.SetEditType(c.type);
        if (c.type == etNumeric) {
            e.SetEditType(etFloat);   // etNumeric keeps no precision of its own
            e.SetPrecision(c.precision);
            e.SetEditType(etNumeric);
        } else {
            e.SetPrecision(c.precision);
        }
        e.SetValue(c.value);
        EXPECT_EQ(e.text(), QLatin1String(c.shown)) << c.type;
        EXPECT_DOUBLE_EQ(e.GetValue(), c.read) << c.type;
        EXPECT_TRUE(e.IsModified()) << c.type;
    }
    TDazCustomDropDown money;
    money.SetEditType(etMoney);
    money.SetIntValue(1234567);
    EXPECT_EQ(money.text(), QStringLiteral("1,234,567"));
    // The unformatted text keeps the text to return to and the modified state.
    money.SetText(QStringLiteral("5"));
    money.SetTextUnformatted(QStringLiteral("raw"));
    EXPECT_EQ(money.text(), QStringLiteral("raw"));
    EXPECT_EQ(money.OldText(), QStringLiteral("5"));
    EXPECT_FALSE(money.IsModified());
}

TEST_F(EditTest, ChangingTheTypeReplacesAValueItCannotHold)
{
    struct Case { const char *text; TDropDownEditType to; const char *shown; };
    const Case cases[] = {
        {"abc", etNumeric, "0"}, {"12", etNumeric, "12"},  {"1F", etHex, "1F"},   {"xyz", etHex, "0"},
        {"abc", etFloat, "0"},   {"2.5", etFloat, "2.5"},  {"abc", etMoney, "0"}, {"abc", etUppercase, "abc"},
    };
    for (const Case &c : cases) {
        TDazCustomDropDown e;
        e.SetText(QLatin1String(c.text));
        e.SetEditType(c.to);
        EXPECT_EQ(e.text(), QLatin1String(c.shown)) << c.text << " " << c.to;
    }
    TDazCustomDropDown password;
    password.SetEditType(etPassword);
    EXPECT_FALSE(password.CanUndo);
    EXPECT_EQ(password.echoMode(), QLineEdit::Password);
}

TEST_F(EditTest, FocusLossPrefixLengthLimitKeypadAndChangeBlock)
{
    Edit.SetEditType(etFloat);
    Edit.SetPrecision(2);
    Edit.SetTextUnformatted(QStringLiteral("1.5"));
    Edit.WMKillFocus();
    EXPECT_EQ(Edit.text(), QStringLiteral("1.50"));
    Edit.SetTextUnformatted(QString());
    Edit.AllowNumericNullValue = true;
    Edit.WMKillFocus();
    EXPECT_EQ(Edit.text(), QString());
    TDazCustomDropDown numeric;
    numeric.SetEditType(etNumeric);
    numeric.SetTextUnformatted(QString());
    numeric.WMKillFocus();
    EXPECT_EQ(numeric.text(), QStringLiteral("0"));

    // The prefix is kept out of the value and from Backspace.
    TDazCustomDropDown p;
    p.Prefix = QStringLiteral("$ ");
    p.SetText(QStringLiteral("ab"));
    EXPECT_EQ(p.text(), QStringLiteral("$ ab"));
    EXPECT_EQ(p.GetText(), QStringLiteral("ab"));
    p.setCursorPosition(2);
    p.WMChar(QChar(8));
    EXPECT_EQ(p.text(), QStringLiteral("$ ab"));
    p.SelectAll();
    EXPECT_EQ(p.selectedText(), QStringLiteral("ab"));

    // No more digits before the point than LengthLimit.
    TDazCustomDropDown limited;
    limited.SetEditType(etNumeric);
    limited.LengthLimit = 3;
    limited.SetTextUnformatted(QString());
    for (const QChar c : QStringLiteral("12345"))
        limited.WMChar(c);
    EXPECT_EQ(limited.text(), QStringLiteral("123"));

    // The keypad's decimal key types the user's separator when asked to.
    TDazCustomDropDown excel;
    excel.SetEditType(etFloat);
    excel.SetPrecision(2);
    excel.ExcelStyleDecimalSeparator = true;
    excel.SetTextUnformatted(QStringLiteral("1"));
    excel.setCursorPosition(1);
    SetGridFormatOverride({u'/', u':', u'.', u',', QStringLiteral("dd/MM/yyyy")});
    excel.WMChar(u'.', false, true);
    EXPECT_EQ(excel.text(), QStringLiteral("1,"));
    SetGridFormatOverride({u'/', u':', u',', u'.', QStringLiteral("dd/MM/yyyy")});

    // Typing over the whole value blocks that one change notice.
    TDazCustomDropDown s;
    int changes = 0;
    s.OnChange = [&changes](TDazCustomDropDown *) { ++changes; };
    s.SetText(QStringLiteral("abc"));
    changes = 0;
    s.selectAll();
    s.WMChar(u'x');
    EXPECT_EQ(changes, 0);
    s.WMChar(u'y');
    EXPECT_EQ(changes, 1);
}

} // namespace
