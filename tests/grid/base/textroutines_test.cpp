// Cell text classification and the text routines of the grid suite.
#include "grid/base/stringlist.h"
#include "grid/base/textroutines.h"
#include "platform/rtl.h"

#include <QDate>
#include <gtest/gtest.h>

namespace {

// Thousand and decimal separators fixed for one test.
class TSeparators
{
public:
    TSeparators(QChar Thousand, QChar Decimal)
    {
        TGridFormatOverride o;
        o.ThousandSeparator = Thousand;
        o.DecimalSeparator = Decimal;
        o.DateSeparator = u'/';
        SetGridFormatOverride(o);
    }
    ~TSeparators() { SetGridFormatOverride({}); }
};

QString W(std::initializer_list<char16_t> units)
{
    QString s;
    for (char16_t u : units)
        s += QChar(u);
    return s;
}

TDateTime Date(int y, int m, int d)
{
    return EncodeDate(y, m, d);
}

}   // namespace

TEST(ClassifyCellTextTest, Kinds)
{
    struct Case
    {
        QString Text;
        bool Html;
        int Kind;
    };
    const Case cases[] = {
        {"", true, ctPlain},
        {"=", false, ctFormula},
        {"=A1+1", true, ctFormula},
        {"{\\rtf1", false, ctRichText},
        {"<b>x", true, ctPlain},        // lower-case tags alone are not mark-up
        {"<B>x", true, ctMarkup},
        {"a</x", true, ctMarkup},
        {"<I>x", false, ctPlain},
        {"<C", true, ctMarkup},
        {W({'|', '\\', 0, '=', 0, '1'}), false, ctFormula},   // an encoded formula
        {W({'|', '\\', 0, '='}), false, ctWideText},           // an encoded lone "="
        {"|\\", false, ctWideText},
        {"|x", true, ctPlain},
        {"|", true, ctPlain},            // one character: its second is a blank
        {"{", true, ctPlain},
        {"a<", true, ctPlain},           // a '<' at the end opens no tag
        {"<<I", true, ctMarkup},         // the tag after a lone '<'
        {"x < y", true, ctPlain},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ClassifyCellText(c.Text, c.Html), c.Kind) << c.Text.toStdString();
}

TEST(WideCellTextTest, EncodeDecode)
{
    EXPECT_EQ(EncodeWideCellText(""), "|\\");
    EXPECT_EQ(EncodeWideCellText(QString::fromUtf8("Aé")), W({'|', '\\', 0, 'A', 0, 0xE9}));
    EXPECT_EQ(EncodeWideCellText(QString(QChar(0x20AC))), W({'|', '\\', 0x20, 0xAC}));
    EXPECT_EQ(DecodeWideCellText("|\\"), "");
    EXPECT_EQ(DecodeWideCellText("abc"), "abc");
    EXPECT_EQ(DecodeWideCellText(W({'|', '\\', 0x20, 0xAC, 0x41})), QString(QChar(0x20AC)));
    const QString any = QString::fromUtf8("x€ü\u4e2d");
    EXPECT_EQ(DecodeWideCellText(EncodeWideCellText(any)), any);
    EXPECT_EQ(WideStrPos("c", "abc"), 3);
    EXPECT_EQ(WideStrPos("z", "abc"), 0);
}

TEST(NumberTextTest, DetectNumberKind)
{
    struct Case
    {
        QString Text;
        QChar Thousand, Decimal;
        int Kind;
    };
    const Case cases[] = {
        {"123", ',', '.', 0},          {"-12", ',', '.', 0},      {"-", ',', '.', 0},
        {"1-2", ',', '.', 2},          {"1.234.567,5", '.', ',', 1}, {"1.23.4", '.', ',', 2},
        {"1,2,3", '.', ',', 2},        {"1.5e-3", ',', '.', 5},   {"-1.5e-3", ',', '.', 5},
        {"e5", ',', '.', 2},           {"1e", ',', '.', 2},       {"--1", ',', '.', 2},
        {"", ',', '.', 2},             {"1.5", ',', '.', 1},      {"1,5e3", '.', ',', 5},
        {"1.000e3", '.', ',', 2},      {"12a", ',', '.', 2},
    };
    for (const Case &c : cases) {
        TSeparators s(c.Thousand, c.Decimal);
        EXPECT_EQ(DetectNumberKind(c.Text), c.Kind) << c.Text.toStdString();
    }
}

TEST(NumberTextTest, NormalizeNumberText)
{
    {
        TSeparators s('.', ',');
        EXPECT_EQ(NormalizeNumberText(QString::fromUtf8("(1.234,50 €)")), "-1234.50");
        EXPECT_EQ(NormalizeNumberText("  -12,5 kg"), "-12.5");
        EXPECT_EQ(NormalizeNumberText("abc"), "");
        EXPECT_EQ(NormalizeNumberText(""), "");
        EXPECT_EQ(NormalizeNumberText("$ 1e+3"), "1e+3");
    }
    TSeparators s(',', '.');
    EXPECT_EQ(NormalizeNumberText("1,000.25"), "1000.25");
}

TEST(NumberTextTest, CharacterClasses)
{
    TSeparators s(',', '.');
    EXPECT_TRUE(IsNumberChar(u'7'));
    EXPECT_TRUE(IsNumberChar(QChar(0x00B2)));   // superscript two
    EXPECT_FALSE(IsNumberChar(u'a'));
    EXPECT_TRUE(IsDigitOrMinus(u'-'));
    EXPECT_TRUE(IsNumberStartChar(u','));
    EXPECT_FALSE(IsNumberStartChar(u'-'));
    EXPECT_TRUE(IsNumberBodyChar(u'+'));
    EXPECT_TRUE(IsScientificChar(u'-'));
}

TEST(DateTextTest, ParseUSAndEU)
{
    EXPECT_EQ(ParseUSDate("12/31/99"), Date(1999, 12, 31));
    EXPECT_EQ(ParseEUDate("31.12.05"), Date(2005, 12, 31));
    EXPECT_EQ(ParseEUDate("1-2-25"), Date(2025, 2, 1));
    EXPECT_EQ(ParseEUDate("1-2-26"), Date(1926, 2, 1));
    EXPECT_EQ(ParseUSDate("12-31"), 0.0);
    EXPECT_EQ(ParseUSDate("aa/1/2000"), 0.0);
    EXPECT_EQ(ParseUSDate("nothing"), 0.0);
    EXPECT_THROW(ParseUSDate("13/01/2000"), EConvertError);
    EXPECT_THROW(ParseEUDate("31/04/2000"), EConvertError);
    // Years of three or four digits are taken as written.
    EXPECT_EQ(ParseEUDate("29/02/2024"), Date(2024, 2, 29));
    EXPECT_EQ(ParseUSDate("1/2/0999"), Date(999, 1, 2));
    EXPECT_EQ(ParseUSDate("1/2/099"), Date(99, 1, 2));
    EXPECT_THROW(ParseUSDate("1/2/10000"), EConvertError);
}

TEST(DateTextTest, SerialDatesMatchTheConvention)
{
    EXPECT_EQ(Date(1899, 12, 30), 0.0);
    EXPECT_EQ(Date(1900, 1, 1), 2.0);
    int y, m, d;
    DecodeDate(Date(2024, 3, 15) + 0.75, y, m, d);
    EXPECT_EQ(QDate(y, m, d), QDate(2024, 3, 15));
}

TEST(DateTextTest, LooksLikeDate)
{
    TSeparators s(',', '.');   // date separator "/"
    EXPECT_TRUE(LooksLikeDate("1/2/3"));
    EXPECT_FALSE(LooksLikeDate("/1/2"));
    EXPECT_FALSE(LooksLikeDate("1//2"));
    EXPECT_FALSE(LooksLikeDate("1/2"));
}

TEST(DateTextTest, AddDateStep)
{
    const TDateTime jan31 = Date(2023, 1, 31);
    EXPECT_EQ(AddDateStep(0, 0, 3, 0, jan31), Date(2023, 2, 3));
    EXPECT_EQ(AddDateStep(2, 0, 0, 0, jan31), Date(2025, 1, 31));
    EXPECT_EQ(AddDateStep(0, -1, 0, 0, jan31), Date(2022, 12, 31));
    EXPECT_EQ(AddDateStep(0, 12, 0, 0, Date(2023, 5, 10)), Date(2024, 5, 10));
    EXPECT_EQ(AddDateStep(0, 30, 0, 0, Date(2023, 5, 10)), Date(2025, 11, 10));   // carries
    EXPECT_EQ(AddDateStep(0, -25, 0, 0, Date(2023, 5, 10)), Date(2021, 4, 10));
    EXPECT_EQ(AddDateStep(1, 1, 0, 2.5, jan31), jan31 + 2.5);   // two set: the increment
    EXPECT_EQ(AddDateStep(0, 0, 0, 7, jan31), jan31 + 7);
    EXPECT_THROW(AddDateStep(0, 3, 0, 0, jan31), EConvertError);   // 31 April
    EXPECT_EQ(AddDateStep(0, 0, 1, 0, jan31 + 0.5), Date(2023, 2, 1) + 0.5);
}

TEST(LineBreakTextTest, CellFilesAndStreams)
{
    EXPECT_EQ(EncodeCellLineBreaks("a\tb"), "a\tb");   // no CR: unchanged
    const QString multi = QString("a\r\nb") + QChar(0) + "c";
    const QString enc = EncodeCellLineBreaks(multi);
    EXPECT_EQ(enc, QString("a\t") + QChar(8) + "b" + QChar(1) + "c");
    EXPECT_EQ(DecodeCellLineBreaks(enc, true), multi);
    EXPECT_EQ(DecodeCellLineBreaks(enc, false), "a");
    EXPECT_EQ(DecodeCellLineBreaks("x\ty", false), "x\ty");

    QString t = "a\r\nb\r\nc";
    EXPECT_EQ(TakeFirstLine(t, true), "a");
    EXPECT_EQ(t, "b\r\nc");
    t = "a\r\nb";
    EXPECT_EQ(TakeFirstLine(t, false), "a");
    EXPECT_EQ(t, "");
    t = "single";
    EXPECT_EQ(TakeFirstLine(t, true), "single");
    EXPECT_EQ(t, "");
    EXPECT_EQ(CountCellLines("a\rb\rc", true), 3);
    EXPECT_EQ(CountCellLines("a\rb\rc", false), 1);
}

TEST(LineBreakTextTest, EscapesAndCsv)
{
    EXPECT_EQ(UnescapeNewlines("a\\nb"), "a\rb");
    EXPECT_EQ(EscapeNewlines("a\r\nb"), "a\\nb");
    QString t = "a\r\nb\rc";
    RemoveCRs(t);
    EXPECT_EQ(t, "a\nbc");
    t = "a\r\nb\rc";
    CRToLF(t);
    EXPECT_EQ(t, "a\n\nb\nc");
    t = "a\r\nb\rc";
    CRLFToLF(t);
    EXPECT_EQ(t, "a\nb\rc");
    EXPECT_EQ(DoubleQuoteChars("say \"hi\""), "say \"\"hi\"\"");
    EXPECT_EQ(UndoubleChar(u'"', "a\"\"b\"c\"\"\"d"), "a\"b\"c\"\"d");
    t = "a\r\nb";
    QuoteWithVTBreaks(t);
    EXPECT_EQ(t, QString("\"a") + QChar(11) + "b\"");
    t = QString("a") + QChar(11) + "b";
    VTToCRLF(t);
    EXPECT_EQ(t, "a\r\nb");
    t = "a\r\nb";
    LineBreaksToTilde(t);
    EXPECT_EQ(t, "a~b");
    TildeToLineBreaks(t);
    EXPECT_EQ(t, "a\r\nb");
    t = "^";
    TildeToLineBreaks(t);
    EXPECT_EQ(t, "");
}

TEST(LineBreakTextTest, OddQuoteRunsAndTokens)
{
    int pos = -1;
    EXPECT_EQ(FindOddCharRun(u'"', "ab\"\"c\"d", pos), 6);
    EXPECT_EQ(pos, 6);
    EXPECT_EQ(FindOddCharRun(u'"', "a\"\"\"x", pos), 4);   // a run of three
    EXPECT_EQ(FindOddCharRun(u'"', "ab\"\"", pos), 4);     // a quote that ends the text
    EXPECT_EQ(FindOddCharRun(u'"', "a\"\"b", pos), 0);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(CountOddCharRuns(u'"', "\"a\",\"b\""), 4);
    EXPECT_EQ(CountChar(u'a', "banana"), 3);
    QString t = "one;two";
    EXPECT_EQ(CutToken(t, u';'), "one");
    EXPECT_EQ(t, "two");
    EXPECT_EQ(CutToken(t, u';'), "");
    EXPECT_EQ(t, "two");
    TStringList list;
    list.Add("a");
    list.Add("b");
    EXPECT_EQ(ConcatStrings(list), "ab");
}

TEST(HtmlTextTest, BreaksColoursAndClipboardWrapper)
{
    EXPECT_EQ(CRToBrTags("a\r\nb"), "a<br>\nb");
    EXPECT_EQ(ColorToHexRGB(0x00336699), "996633");
    EXPECT_EQ(ColorToHexRGB(0xFF0000FF), "FF0000");

    const QString fragment = "<b>x</b>";
    QString html = fragment;
    WrapAsClipboardHtml(html);
    EXPECT_TRUE(html.startsWith("Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000314\r\n"
                                "StartFragment:00000274\r\nEndFragment:00000282\r\n"));
    EXPECT_EQ(html.indexOf("<!DOCTYPE"), 97);
    EXPECT_EQ(html.indexOf(fragment), 274);
    EXPECT_EQ(html.size(), 274 + fragment.size() + 32);
    EXPECT_TRUE(html.endsWith("<!--EndFragment--></body></html>"));
}

TEST(UrlTextTest, Linkify)
{
    QString dest = "untouched";
    EXPECT_FALSE(LinkifyUrl("no <link> here", "WWW.", dest));
    EXPECT_EQ(dest, "untouched");
    EXPECT_TRUE(LinkifyUrl("see www.example.com/a?b=1 <now>", "WWW.", dest));
    EXPECT_EQ(dest, "see <a href=\"www.example.com/a\">www.example.com/a</a>?b=1 &lt;now&gt;");
    EXPECT_TRUE(LinkifyUrl("Http://X.org", "HTTP://", dest));
    EXPECT_EQ(dest, "<a href=\"Http://X.org\">Http://X.org</a>");
}

TEST(UrlTextTest, SchemesAndCellReferences)
{
    EXPECT_TRUE(IsUrlText("a http://b"));
    EXPECT_TRUE(IsUrlText("mailto:x@y"));
    EXPECT_FALSE(IsUrlText("MAILTO:x@y"));
    QString t = "http://host/path";
    StripUrlScheme(t);
    EXPECT_EQ(t, "host/path");
    t = "write mailto:me@here";
    StripUrlScheme(t);
    EXPECT_EQ(t, "me@here");
    TPoint p(-1, -1);
    EXPECT_TRUE(ParseRowColRef("r2c3", p));
    EXPECT_EQ(p, TPoint(3, 2));
    EXPECT_FALSE(ParseRowColRef("R2C", p));
    EXPECT_FALSE(ParseRowColRef("X2C3", p));
    EXPECT_FALSE(ParseRowColRef("R2x3", p));
    EXPECT_FALSE(ParseRowColRef("RaC3", p));
    EXPECT_EQ(p, TPoint(3, 2));
}

TEST(MixedCaseTest, Names)
{
    const std::pair<const char *, const char *> cases[] = {
        {"mcdonald", "McDonald"},
        {"john o'neil-smith iii", "John O'Neil-Smith III"},
        {"henry iv", "Henry IV"},
        {"MARY-ANN mcintyre", "Mary-Ann McIntyre"},
        {"a mcb mcc", "A McB Mcc"},
        {"mary iris", "Mary Iris"},
        {"élodie dupont", "Élodie Dupont"},
        {"", ""},
    };
    for (auto [in, out] : cases)
        EXPECT_EQ(ToMixedCase(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

TEST(SmallTextTest, Helpers)
{
    QString t = "secret";
    FillWithChar(t, u'*');
    EXPECT_EQ(t, "******");
    EXPECT_EQ(PosInUpperCase("AB", "xab"), 2);
    EXPECT_EQ(PosInUpperCase("ab", "xab"), 0);   // the sub-text is not upper-cased
    int pos = -1;
    EXPECT_EQ(FindPos("b", "abc", pos), 2);
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(FirstCharPos(u'c', "abc"), 3);
    pos = 9;
    EXPECT_EQ(FirstCharPosOut(u'z', "abc", pos), 0);
    EXPECT_EQ(pos, 9);   // only a found position is stored
    EXPECT_EQ(MaxOfInt(-3, 2), 2);
    EXPECT_EQ(MinOfInt(-3, 2), -3);
    EXPECT_EQ(ClampToLimits(5, 10, 0), 10);
    EXPECT_EQ(ClampToLimits(50, 10, 20), 20);
    EXPECT_EQ(ClampToLimits(50, 7, 7), 50);
    EXPECT_EQ(ClampToLimits(5, 10, 3), 3);   // both tested on the given value: Max wins
    EXPECT_TRUE(GridRectContains(TGridRect{1, 1, 3, 3}, 3, 1));
    EXPECT_FALSE(GridRectContains(TGridRect{1, 1, 3, 3}, 4, 1));
}

TEST(SmallTextTest, OemRoundTrip)
{
    QString t = QString::fromUtf8("Zürich ä");
    StrToOem(t);
    // The OEM bytes of ü (0x81) and ä (0x84) read as Windows-1252 characters.
    EXPECT_EQ(t.at(1).unicode(), 0x81u);
    EXPECT_EQ(t.at(7), QChar(0x201E));
    OemToStr(t);
    EXPECT_EQ(t, QString::fromUtf8("Zürich ä"));
}
