// The drop-down edit's value model, character filter, formatting and clipboard, driven
// through its message interface with "," thousands and "." decimals.
#include "controls/dropdown/dropdownedit.h"

#include "grid/base/textroutines.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

struct SeparatorGuard
{
    SeparatorGuard()
    {
        SetGridFormatOverride({u'/', u':', u',', u'.', QStringLiteral("dd/MM/yyyy")});
    }
    ~SeparatorGuard() { SetGridFormatOverride({}); }
};

class DropDownEditTest : public ::testing::Test
{
protected:
    SeparatorGuard Separators;
    TDazCustomDropDown Edit;

    void Prepare(TDropDownEditType Type, int Precision, const QString &Value)
    {
        Edit.SetEditType(Type);
        Edit.SetPrecision(Precision);
        if (Type == etNumeric || Type == etHex || Type == etRange)
            Edit.SetTextUnformatted(Value);
        else
            Edit.SetText(Value);
    }
    void Type(const QString &Keys)
    {
        for (QChar ch : Keys)
            Edit.TypeChar(ch);
    }
};

TEST_F(DropDownEditTest, SetTextFormatsByTypeAndPrecision)
{
    struct Case
    {
        TDropDownEditType Type;
        int Precision;
        QString In, Shown;
    } cases[] = {
        {etFloat, 2, "", "0.00"},
        {etString, 2, "", ""},
        {etFloat, 2, "Error", "Error"},
        {etMoney, 2, "1234.5", "1,234.50"},
        {etMoney, 2, "1,234,567", "1,234,567.00"},
        {etFloat, 3, "2.5", "2.500"},
        {etFloat, 0, "2.5", "2.5"},
        {etNumeric, 0, "", "0"},
        {etHex, 0, "ff", "FF"},
        {etHex, 0, "", "0"},
        {etFloat, 2, "abc", "0.00"},
    };
    for (const Case &c : cases) {
        TDazCustomDropDown e;
        e.SetEditType(c.Type);
        e.SetPrecision(c.Precision);
        e.SetText(c.In);
        EXPECT_EQ(e.text(), c.Shown) << int(c.Type) << " " << c.In.toStdString();
        EXPECT_EQ(e.OldText(), c.Shown);
    }
}

TEST_F(DropDownEditTest, PrefixAndSuffixSurroundTheValue)
{
    Edit.SetPrefix("$ ");
    Edit.SetSuffix(" kg");
    Edit.SetText("12");
    EXPECT_EQ(Edit.text(), "$ 12 kg");
    EXPECT_EQ(Edit.GetText(), "12");
    Edit.SelectAll();
    EXPECT_EQ(Edit.selectedText(), "12");
    // Backspace at the prefix end is dropped.
    Edit.setCursorPosition(2);
    Edit.TypeChar(QChar(8));
    EXPECT_EQ(Edit.text(), "$ 12 kg");
}

TEST_F(DropDownEditTest, FloatTyping)
{
    Prepare(etFloat, 2, "");
    Edit.setText("");
    Type(".");
    EXPECT_EQ(Edit.text(), "0.");
    EXPECT_EQ(Edit.cursorPosition(), 2);
    EXPECT_TRUE(Edit.IsModified());

    TDazCustomDropDown noDecimals;
    noDecimals.SetEditType(etFloat);
    noDecimals.setText("");
    noDecimals.TypeChar(u'.');
    EXPECT_EQ(noDecimals.text(), "");

    Edit.SetText("1.25");
    Edit.setCursorPosition(4);
    Type("7");
    EXPECT_EQ(Edit.text(), "1.25");
    ASSERT_FALSE(Edit.IsModified());
    Edit.setCursorPosition(2);
    Type("7");
    EXPECT_EQ(Edit.text(), "1.75");
    EXPECT_EQ(Edit.cursorPosition(), 3);
    EXPECT_TRUE(Edit.IsModified());   // a typed digit marks the value modified
    // A second decimal separator jumps behind the first.
    Edit.setCursorPosition(0);
    Type(".");
    EXPECT_EQ(Edit.text(), "1.75");
    EXPECT_EQ(Edit.cursorPosition(), 2);
    // Letters never reach a float edit.
    Type("x");
    EXPECT_EQ(Edit.text(), "1.75");
}

TEST_F(DropDownEditTest, MoneyTypingRegroupsOnEveryKey)
{
    Prepare(etMoney, 0, "");
    Edit.setText("");
    const char *shown[] = {"1", "12", "123", "1,234"};
    for (int i = 0; i < 4; ++i) {
        Edit.TypeChar(QChar(u'1' + i));
        EXPECT_EQ(Edit.text(), shown[i]);
    }
    Type("5");
    EXPECT_EQ(Edit.text(), "12,345");
    EXPECT_EQ(Edit.cursorPosition(), 6);
    // No decimals with precision 0.
    Type(".");
    EXPECT_EQ(Edit.text(), "12,345");
}

TEST_F(DropDownEditTest, SignToggles)
{
    Prepare(etNumeric, 0, "12");
    Edit.Signed = true;
    for (int caret : {0, 1, 2}) {
        Edit.setCursorPosition(caret);
        Type("-");
        EXPECT_EQ(Edit.text(), "-12") << caret;
        Type("-");
        EXPECT_EQ(Edit.text(), "12") << caret;
    }
    // Without Signed the minus is dropped.
    Edit.Signed = false;
    Type("-");
    EXPECT_EQ(Edit.text(), "12");
    // A whole selection becomes a lone minus.
    Edit.Signed = true;
    Edit.selectAll();
    Type("-");
    EXPECT_EQ(Edit.text(), "-");
}

TEST_F(DropDownEditTest, CharacterFilterPerType)
{
    struct Case
    {
        TDropDownEditType Type;
        QString Keys, Shown;
    } cases[] = {
        {etString, "aB1-", "aB1-"},
        {etNumeric, "1a2.3", "123"},
        {etUppercase, "abc", "ABC"},
        {etLowerCase, "ABC", "abc"},
        {etMixedCase, "john mcdonald", "John McDonald"},
        {etRange, "1-5,7;9", "1-5,7;9"},
        {etRange, ",1", "1"},
        {etRange, "1-,;2", "1-2"},
        {etHex, "1aFgz-", "1aF-"},
        {etAlphaNumeric, "a1-_Z", "a1Z"},
        {etPassword, "pw", "pw"},
    };
    for (const Case &c : cases) {
        TDazCustomDropDown e;
        e.SetEditType(c.Type);
        e.setText("");
        for (QChar ch : c.Keys)
            e.TypeChar(ch);
        EXPECT_EQ(e.text(), c.Shown) << int(c.Type) << " " << c.Keys.toStdString();
    }
    TDazCustomDropDown valid;
    valid.SetEditType(etValidChars);
    valid.ValidChars = "xy";
    for (QChar ch : QString("xaybx"))
        valid.TypeChar(ch);
    valid.TypeChar(QChar(8));
    EXPECT_EQ(valid.text(), "xy");
}

TEST_F(DropDownEditTest, DisabledEditorTypesNothing)
{
    Edit.SetText("abc");
    Edit.SetEditorEnabled(false);
    Type("xyz");
    Edit.TypeChar(QChar(8));
    EXPECT_EQ(Edit.text(), "abc");
}

TEST_F(DropDownEditTest, LengthLimitCountsIntegerDigits)
{
    Prepare(etFloat, 2, "12.50");
    Edit.LengthLimit = 2;
    Edit.setCursorPosition(1);
    Type("3");
    EXPECT_EQ(Edit.text(), "12.50");
    // Decimals behind the separator are not limited.
    Edit.setCursorPosition(4);
    Type("9");
    EXPECT_EQ(Edit.text(), "12.59");
}

TEST_F(DropDownEditTest, KeypadDecimalTypesTheLocaleSeparator)
{
    SetGridFormatOverride({u'/', u':', u'.', u',', QStringLiteral("dd/MM/yyyy")});
    Prepare(etFloat, 2, "");
    Edit.setText("1");
    Edit.ExcelStyleDecimalSeparator = true;
    Edit.TypeChar(u'.', false, true);
    EXPECT_EQ(Edit.text(), "1,");
    Edit.ExcelStyleDecimalSeparator = false;
    Edit.setText("1");
    Edit.TypeChar(u'.', false, true);
    EXPECT_EQ(Edit.text(), "1.");   // the thousand separator as typed
}

TEST_F(DropDownEditTest, ValuesPerType)
{
    struct Case
    {
        TDropDownEditType Type;
        int Precision;
        double Value;
        QString Shown;
    } cases[] = {
        {etFloat, 2, 3.14159, "3.14"},
        {etString, -1, 0.5, "0.5"},
        {etNumeric, 1, 12345.67, "12,345.7"},
        {etNumeric, -1, 1e20, "1E20"},
        {etMoney, 2, -1234567.891, "-1,234,567.89"},
        {etHex, 0, 255.9, "FF"},
        {etHex, 0, -1, "FFFFFFFF"},
        {etHex, 0, 1e30, "0"},
    };
    for (const Case &c : cases) {
        TDazCustomDropDown e;
        e.SetPrecision(c.Precision);   // etNumeric takes none of its own
        e.SetEditType(c.Type);
        e.SetValue(c.Value);
        EXPECT_EQ(e.text(), c.Shown) << int(c.Type) << " " << c.Value;
        EXPECT_TRUE(e.IsModified());
    }
    Prepare(etMoney, 2, "1,234.50");
    EXPECT_DOUBLE_EQ(Edit.GetValue(), 1234.5);
    Edit.SetTextUnformatted("12.");
    EXPECT_DOUBLE_EQ(Edit.GetValue(), 12);
    Edit.SetEditType(etHex);
    Edit.SetIntValue(4096);
    EXPECT_EQ(Edit.text(), "1000");
    EXPECT_DOUBLE_EQ(Edit.GetValue(), 4096);
    Edit.SetEditType(etString);
    Edit.SetText("2.5x");
    EXPECT_DOUBLE_EQ(Edit.GetValue(), 2.5);
}

TEST_F(DropDownEditTest, EditTypeAndPrecisionConversions)
{
    Edit.SetText("hello");
    Edit.SetEditType(etNumeric);
    EXPECT_EQ(Edit.text(), "0");
    Edit.SetPrecision(3);   // ignored for etNumeric
    EXPECT_EQ(Edit.Precision(), 0);
    Edit.SetEditType(etFloat);
    Edit.SetPrecision(2);
    EXPECT_EQ(Edit.text(), "0.00");
    Edit.SetEditType(etHex);
    EXPECT_EQ(Edit.text(), "0");
    Edit.SetText("AB");
    Edit.SetEditType(etPassword);
    EXPECT_EQ(Edit.echoMode(), QLineEdit::Password);
    EXPECT_FALSE(Edit.CanUndo);
}

TEST_F(DropDownEditTest, UnformattedTextKeepsOldTextAndModifiedState)
{
    Prepare(etFloat, 2, "1");
    Edit.SetModified(true);
    Edit.SetTextUnformatted("7");
    EXPECT_EQ(Edit.text(), "7");
    EXPECT_EQ(Edit.OldText(), "1.00");
    EXPECT_TRUE(Edit.IsModified());
    EXPECT_TRUE(Edit.isModified());
}

TEST_F(DropDownEditTest, KillFocusReformatsOrKeepsNull)
{
    Prepare(etFloat, 2, "1");
    Edit.SetTextUnformatted("3.1");
    Edit.WMKillFocus();
    EXPECT_EQ(Edit.text(), "3.10");
    EXPECT_FALSE(Edit.IsModified());   // kept as before the reformatting

    Edit.SetTextUnformatted("");
    Edit.AllowNumericNullValue = true;
    Edit.WMKillFocus();
    EXPECT_EQ(Edit.text(), "");
    Edit.AllowNumericNullValue = false;
    Edit.WMKillFocus();
    EXPECT_EQ(Edit.text(), "0.00");

    TDazCustomDropDown numeric;
    numeric.SetEditType(etNumeric);
    numeric.setText("");
    numeric.WMKillFocus();
    EXPECT_EQ(numeric.text(), "0");
}

TEST_F(DropDownEditTest, EveryTypedChangeIsReportedOnce)
{
    int changes = 0;
    Edit.OnChange = [&](TObject *) { ++changes; };
    Edit.SetText("abc");
    EXPECT_EQ(changes, 1);
    Edit.selectAll();
    Type("x");   // replacing the whole value is one change, reported once
    EXPECT_EQ(Edit.text(), "x");
    EXPECT_EQ(changes, 2);
    Type("y");
    EXPECT_EQ(changes, 3);
    // Backspace emptying a selection reports once.
    Edit.selectAll();
    Edit.TypeChar(QChar(8));
    EXPECT_EQ(Edit.text(), "");
    EXPECT_EQ(changes, 4);
}

TEST_F(DropDownEditTest, PasteByType)
{
    struct Case
    {
        TDropDownEditType Type;
        QString Before, Clip, After;
    } cases[] = {
        {etString, "ab", "XY", "abXY"},
        {etNumeric, "12", "abc", "12"},
        {etNumeric, "12", "34", "1234"},
        {etNumeric, "12", "-3", "12"},
        {etRange, "1", "-2", "1"},
        {etHex, "A", "B", "A"},
        {etUppercase, "ab", "cd", "ABCD"},
        {etAlphaNumeric, "a", "b-", "a"},
    };
    for (const Case &c : cases) {
        QGuiApplication::clipboard()->setText(c.Clip);
        TDazCustomDropDown e;
        e.SetEditType(c.Type);
        e.setText(c.Before);
        e.setCursorPosition(int(c.Before.size()));
        e.WMPaste();
        EXPECT_EQ(e.text(), c.After) << int(c.Type) << " " << c.Clip.toStdString();
        EXPECT_EQ(e.cursorPosition(), std::min(int(e.text().size()), int(c.Before.size() + c.Clip.size())))
            << int(c.Type) << " " << c.Clip.toStdString();
    }
    // The handler may refuse.
    QGuiApplication::clipboard()->setText("zz");
    Edit.SetText("a");
    Edit.OnClipboardPaste = [](TObject *, const QString &Planned, bool &Allow) {
        Allow = Planned != "azz";
    };
    Edit.setCursorPosition(1);
    Edit.WMPaste();
    EXPECT_EQ(Edit.text(), "a");
}

TEST_F(DropDownEditTest, CutAndCopyAskTheirHandlers)
{
    QStringList seen;
    bool allowCut = false;
    Edit.OnClipboardCopy = [&](TObject *, const QString &V, bool &) { seen << "copy " + V; };
    Edit.OnClipboardCut = [&](TObject *, const QString &V, bool &Allow) {
        seen << "cut " + V;
        Allow = allowCut;
    };
    Edit.SetText("hello");
    Edit.setSelection(1, 3);
    Edit.WMCopy();
    Edit.WMCut();
    EXPECT_EQ(Edit.text(), "hello");
    allowCut = true;
    Edit.WMCut();
    EXPECT_EQ(Edit.text(), "ho");
    EXPECT_EQ(seen, QStringList({"copy ell", "cut ell", "cut ell"}));
}

TEST_F(DropDownEditTest, QtKeysReachTheFilter)
{
    Prepare(etNumeric, 0, "");
    Edit.setText("");
    for (auto [key, text] : {std::pair{Qt::Key_1, "1"}, {Qt::Key_A, "a"}, {Qt::Key_2, "2"}}) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&Edit, &e);
    }
    QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(&Edit, &back);
    EXPECT_EQ(Edit.text(), "1");
}

TEST(DropDownNumberText, FormatsAndReads)
{
    SeparatorGuard g;
    EXPECT_EQ(FormatNumberValue(-1234567.5, 1), "-1,234,567.5");
    EXPECT_EQ(FormatNumberValue(123, 0), "123");
    EXPECT_EQ(FormatFixedValue(-0.001, 2), "0.00");
    EXPECT_DOUBLE_EQ(StrToValue("1,234.5"), 1234.5);
    for (const char *bad : {"", "abc", "1.2.3", "inf", "nan", "-"})
        EXPECT_EQ(StrToValue(bad), 0) << bad;
}

}   // namespace
