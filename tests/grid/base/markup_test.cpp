#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "grid/base/markup.h"
#include "markup_testutil.h"

namespace {

struct TColorCase
{
    const char *Text;
    TColor Expected;
};

TEST(MarkupColors, NamesAndHexDigits)
{
    const TColorCase names[] = {
        {"clred", 0x0000FF},           {"CLRED", 0x0000FF},      {"clNavy", 0x800000},
        {"clbtnface", TColor(0xFF00000F)}, {"clinfobk", TColor(0xFF000018)},
        {"red", 0},                    {"", 0},                  {"cl3ddkshadow", TColor(0xFF000015)},
    };
    for (const TColorCase &c : names)
        EXPECT_EQ(ColorNameToColor(QString::fromUtf8(c.Text)), c.Expected) << c.Text;

    EXPECT_EQ(HtmlHexToColor(QStringLiteral("#FF0000")), TColor(0x0000FF));
    EXPECT_EQ(HtmlHexToColor(QStringLiteral("#0080C0")), TColor(0xC08000));
    // Lower-case letters are not hexadecimal digits here: 'f' counts 102 - 55.
    EXPECT_EQ(HtmlHexToColor(QStringLiteral("#ff0000")), TColor(16 * 47 + 47));
    // A short text never reads past its end.
    EXPECT_EQ(HtmlHexToColor(QStringLiteral("#F")), TColor(16 * 15));
    EXPECT_EQ(HtmlHexToColor(QString()), TColor(0));
}

TEST(MarkupEntities, DecodeAndEncode)
{
    EXPECT_EQ(DecodeHtmlEntities(QStringLiteral("a &lt;b&gt; &amp;amp; &quot;"), false),
              QStringLiteral("a <b> & \""));
    // Only an entity written in lower case somewhere starts the replacing.
    EXPECT_EQ(DecodeHtmlEntities(QStringLiteral("&GT;"), false), QStringLiteral("&GT;"));
    EXPECT_EQ(DecodeHtmlEntities(QStringLiteral("&GT;&gt;"), false), QStringLiteral(">>"));
    // "&Eacute;" before an "&eacute;" is found by the case-blind replacement first.
    EXPECT_EQ(DecodeHtmlEntities(QStringLiteral("&Eacute;&eacute;"), true), QStringLiteral("éé"));
    EXPECT_EQ(DecodeHtmlEntities(QStringLiteral("&Eacute;"), true), QStringLiteral("É"));
    EXPECT_EQ(DecodeHtmlEntities(QStringLiteral("&euro; &atilde;"), true), QStringLiteral("€ &atilde;"));
    EXPECT_EQ(DecodeHtmlEntities(QStringLiteral("&euro;"), false), QStringLiteral("&euro;"));

    EXPECT_EQ(EncodeHtmlEntities(QStringLiteral("a&b *amp; \"<>\""), false),
              QStringLiteral("a&amp;b &amp; &quot;&lt;&gt;&quot;"));
    EXPECT_EQ(EncodeHtmlEntities(QStringLiteral("éÉ©ã"), true),
              QStringLiteral("&eacute;&Eacute;&copy;ã"));
    const QString text = QStringLiteral("x < y & \"z\" é");
    EXPECT_EQ(DecodeHtmlEntities(EncodeHtmlEntities(text, true), true), text);
    EXPECT_EQ(SpacesToNbsp(QStringLiteral("a b ")), QStringLiteral("a&nbsp;b&nbsp;"));
}

TEST(MarkupText, PlainTextAndStripTags)
{
    const struct { const char *In, *Plain, *Stripped; } cases[] = {
        {"<b>bold</b> text", "bold text", "bold text"},
        {"a<br>b<HR>c", "a\r\nb\r\nc", "abc"},
        {"a<bR>b", "a\r\nb", "ab"},
        {"a < b", "a < b", "a < b"},
        {"x<b>y<z", "xy<z", "xy<z"},
        {"a>b<i>c</i>", "a>bc", "a>b<i>c</i>"},
        {"&amp;<i>", "&amp;", "&amp;"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(HtmlToPlainText(QString::fromUtf8(c.In)), QString::fromUtf8(c.Plain)) << c.In;
        EXPECT_EQ(StripTags(QString::fromUtf8(c.In)), QString::fromUtf8(c.Stripped)) << c.In;
    }
}

TEST(MarkupText, WrapAndUnwrapMatches)
{
    const struct { const char *Text, *Search; bool MatchCase; const char *Out; } cases[] = {
        {"abc", "b", true, "a<hi>b</hi>c"},
        {"<b>abc</b>", "abc", true, "<hi><b>abc</b></hi>"},
        {"a<b>bc</b>", "bc", true, "a<hi><b>bc</b></hi>"},
        // Two adjacent matches: only the first is wrapped.
        {"aaaa", "aa", true, "<hi>aa</hi>aa"},
        {"aXaxa", "x", false, "a<hi>X</hi>a<hi>x</hi>a"},
        {"Élan élan", "élan", false, "<hi>Élan</hi> <hi>élan</hi>"},
        {"abc", "B", true, "abc"},
        // A visible "<" makes the text's own mark-up go and escapes the rest.
        {"a<b", "b", true, "a&lt;<hi>b</hi>"},
        {"abc", "", true, "abc"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(WrapMatchesInTag(QString::fromUtf8(c.Text), QString::fromUtf8(c.Search),
                                   QStringLiteral("hi"), c.MatchCase),
                  QString::fromUtf8(c.Out))
            << c.Text << " / " << c.Search;

    EXPECT_EQ(UnwrapTag(QStringLiteral("a<HI>b</hi>c<hi x>d"), QStringLiteral("hi")),
              QStringLiteral("abc<hi x>d"));
    EXPECT_EQ(UnwrapTag(QStringLiteral("&lt;<e>x</E>"), QStringLiteral("e")), QStringLiteral("<x"));
    // A removal that joins a new tag removes that one too.
    EXPECT_EQ(UnwrapTag(QStringLiteral("<<hi>hi>x"), QStringLiteral("hi")), QStringLiteral("x"));
    const QString orig = QStringLiteral("one <b>two</b> one");
    EXPECT_EQ(UnwrapTag(WrapMatchesInTag(orig, QStringLiteral("one"), QStringLiteral("e"), true),
                        QStringLiteral("e")),
              orig);
}

TEST(MarkupControls, Accessors)
{
    QString text = QStringLiteral(
        "<control type=\"button\" id=\"b1\" value=\"Go\" width=\"40\">"
        "<CONTROL TYPE=\"edit\" ID=\"e1\" VALUE=\"a &amp; &eacute;\" WIDTH=\"60\" HEIGHT=\"20\" "
        "PROP=\"p&lt;\" MAXLEN=\"12x\">"
        "<CONTROL TYPE=\"RADIO\" ID=\"r1\" VALUE=\"TRUE\" WIDTH=\"16\">"
        "<CONTROL TYPE=\"COMBO\" ID=\"c1\" VALUE=\"x\" WIDTH=\"80\">");
    EXPECT_TRUE(HasControlTag(text));
    EXPECT_FALSE(HasControlTag(QStringLiteral("<contro")));

    const THtmlControlAttrs a = ParseControlTag(
        QStringLiteral("CONTROL type=\"edit\" Id=\"X\" value=\"&quot;q&quot;\" width=\"5\""));
    EXPECT_EQ(a.Type, QStringLiteral("EDIT"));
    EXPECT_EQ(a.ID, QStringLiteral("X"));
    EXPECT_EQ(a.Value, QStringLiteral("\"q\""));
    EXPECT_EQ(a.Width, QStringLiteral("5"));
    EXPECT_TRUE(a.Height.isEmpty());

    QString v;
    EXPECT_TRUE(GetControlValue(text, QStringLiteral("e1"), v));
    EXPECT_EQ(v, QStringLiteral("a & é"));
    EXPECT_FALSE(GetControlValue(text, QStringLiteral("E1"), v));
    EXPECT_EQ(GetControlProp(text, QStringLiteral("e1")), QStringLiteral("p<"));
    EXPECT_EQ(GetControlMaxLen(text, QStringLiteral("e1")), 12);
    EXPECT_EQ(GetControlMaxLen(text, QStringLiteral("b1")), 0);

    EXPECT_EQ(NextEditControlID(text, QString()), QStringLiteral("e1"));
    EXPECT_EQ(NextEditControlID(text, QStringLiteral("e1")), QStringLiteral("c1"));
    EXPECT_EQ(NextEditControlID(text, QStringLiteral("c1")), QString());

    const QString before = text;
    EXPECT_FALSE(SetControlValue(text, QStringLiteral("nope"), QStringLiteral("z")));
    EXPECT_EQ(text, before);
    ASSERT_TRUE(SetControlValue(text, QStringLiteral("e1"), QStringLiteral("<é>")));
    EXPECT_TRUE(text.contains(QStringLiteral(
        "<CONTROL ID=\"e1\" VALUE=\"&lt;&eacute;&gt;\" WIDTH=\"60\" TYPE=\"EDIT\" "
        "PROP=\"p&lt;\" MAXLEN=\"12x\">")));
    EXPECT_FALSE(text.contains(QStringLiteral("HEIGHT")));
    EXPECT_TRUE(GetControlValue(text, QStringLiteral("e1"), v));
    EXPECT_EQ(v, QStringLiteral("<é>"));

    text = ClearRadioControls(text);
    EXPECT_TRUE(GetControlValue(text, QStringLiteral("r1"), v));
    EXPECT_EQ(v, QStringLiteral("FALSE"));
}

TEST(MarkupPreparation, EntitiesHashTagsAndBreaks)
{
    const struct { const char *In, *Out; } cases[] = {
        {"a &amp; b", "a && b"},
        {"&AMP;reg;", "&®"},
        {"&amp;amp;", "&&&"},
        {"&Permil; &TRADE; &quot;", "‰ ™ \""},
        {"&nbsp;&lt;", "&nbsp;&lt;"},
        {"<#12>x", "#12x"},
        {"<<#a>b>", "#ab"},
        {"a\r\nb\rc\nd", "a<BR>b<BR>cd"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PrepareHtmlText(QString::fromUtf8(c.In)), QString::fromUtf8(c.Out)) << c.In;
    EXPECT_EQ(ReplaceRunEntities(QStringLiteral("a&NBSP;b&lt;c&Gt;")), QStringLiteral("a b<c>"));
    EXPECT_EQ(LineBreaksToBrTags(QStringLiteral("a\r\nb"), false), QStringLiteral("ab"));
}

// The preparation's entity step as written: rounds of first-occurrence replacement.
QString PrepareEntitiesByRounds(QString s)
{
    const char *names[] = {"&amp;", "&quot;", "&sect;", "&permil;", "&reg;",
                           "&copy;", "&para;", "&trade;", "&euro;"};
    const char *repl[] = {"&&", "\"", "§", "‰", "®", "©", "¶", "™", "€"};
    if (!s.contains(u'&'))
        return s;
    bool any = true;
    while (any) {
        any = false;
        for (int i = 0; i < 9; ++i)
            any |= ReplaceFirstIgnoreCase(QString::fromUtf8(names[i]), QString::fromUtf8(repl[i]), s);
    }
    return s;
}

TEST(MarkupPreparation, SinglePassEqualsRounds)
{
    const QStringList pieces = {QStringLiteral("&"), QStringLiteral("amp;"), QStringLiteral("reg;"),
                                QStringLiteral("AMP;"), QStringLiteral("x"), QStringLiteral("&quot;"),
                                QStringLiteral("euro;"), QStringLiteral(";")};
    QRandomGenerator rng(7);
    for (int n = 0; n < 3000; ++n) {
        const QString s = RandomPieces(rng, pieces, 1, 9);
        EXPECT_EQ(PrepareHtmlText(s), PrepareEntitiesByRounds(s)) << s.toStdString();
    }
}

TEST(MarkupHelpers, CaseBlindSearch)
{
    EXPECT_EQ(PosIgnoreCase(QStringLiteral("bc"), QStringLiteral("aBC")), 2);
    EXPECT_EQ(PosIgnoreCase(QStringLiteral("x"), QStringLiteral("aBC")), 0);
    QString t = QStringLiteral("aXbx");
    EXPECT_TRUE(ReplaceFirstIgnoreCase(QStringLiteral("x"), QStringLiteral("--"), t));
    EXPECT_EQ(t, QStringLiteral("a--bx"));
    EXPECT_FALSE(ReplaceFirstIgnoreCase(QStringLiteral("q"), QStringLiteral("-"), t));
    EXPECT_EQ(LeadingInt(QStringLiteral(" 12px")), 12);
    EXPECT_EQ(LeadingInt(QStringLiteral("$1F")), 31);
    EXPECT_EQ(LeadingInt(QStringLiteral("px")), 0);

    SetHighlightColors(clRed, clWhite);
    EXPECT_EQ(HighlightBackgroundColor(), clRed);
    EXPECT_EQ(HighlightTextColor(), clWhite);
    SetHighlightColors(clHighlight, clHighlightText);
}

} // namespace
