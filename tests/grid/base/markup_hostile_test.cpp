#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QRandomGenerator>
#include <climits>
#include <QImage>

#include "grid/base/imagelist.h"
#include "grid/base/markup.h"
#include "grid/base/markuprender.h"
#include "grid/base/picture.h"
#include "markup_testutil.h"

namespace {

// A bound of the steps per character of input: linear work with a generous constant. A
// routine that rescans the text per tag or per entity exceeds it by orders of magnitude.
constexpr uint64_t kStepsPerChar = 400;

QString Repeat(const QString &s, int n)
{
    return s.repeated(n);
}

struct THostile
{
    const char *Name;
    QString Text;
};

std::vector<THostile> HostileTexts()
{
    const QString big = QStringLiteral("2147483647");
    const QString huge = QStringLiteral("99999999999999999999");
    return {
        {"unclosed bold", QStringLiteral("a<b")},
        {"unclosed font", QStringLiteral("<font face=\"DejaVu Sans")},
        {"unclosed anchor", QStringLiteral("<a href=\"x")},
        {"unclosed control", QStringLiteral("<control type=\"edit\" width=\"50\"")},
        {"unclosed img", QStringLiteral("<img src=\"idx:0\"")},
        {"lone quote attr", QStringLiteral("<font color=\"#>x</font>")},
        {"bad entities", QStringLiteral("& &; &amp &#65; &#99999999999; &nbsp &lt &&&& &;amp;")},
        {"many entities", Repeat(QStringLiteral("&amp;&quot;&nbsp;&lt;&gt;&euro;"), 10000)},
        {"error marks on a long word", QStringLiteral("<e>") + QString(100000, u'w') + QStringLiteral("</e>")},
        {"font size max", QStringLiteral("<font size=\"") + big + QStringLiteral("\">big</font>")},
        {"font size min", QStringLiteral("<font size=\"-2147483648\">neg</font>")},
        {"font size huge", QStringLiteral("<font size=\"") + huge + QStringLiteral("\">x</font>")},
        {"font size zero", QStringLiteral("<font size=\"0\">x</font>")},
        {"img width max", QStringLiteral("<img src=\"idx:0\" width=\"") + big + QStringLiteral("\" height=\"") + big + QStringLiteral("\"><img src=\"idx:0\" width=\"") + big + QStringLiteral("\">")},
        {"img idx huge", QStringLiteral("<img src=\"idx:") + huge + QStringLiteral("\"><img src=\"idx:-1\">")},
        {"control max", QStringLiteral("<control type=\"button\" width=\"") + big + QStringLiteral("\" height=\"") + big + QStringLiteral("\" value=\"v\">x")},
        {"control negative", QStringLiteral("<control type=\"edit\" width=\"-2147483648\" height=\"-2147483648\">x")},
        {"control wide twice", Repeat(QStringLiteral("<control type=\"check\" width=\"") + big + QStringLiteral("\">"), 3)},
        {"indent max", QStringLiteral("<p indent=\"") + big + QStringLiteral("\" align=\"right\">x</p>y")},
        {"ind max", QStringLiteral("<ind x=\"") + big + QStringLiteral("\">x<ind x=\"-") + big + QStringLiteral("\">y")},
        {"rotation huge", QStringLiteral("<r a=\"") + big + QStringLiteral("\">x</r>")},
        {"colours", QStringLiteral("<font color=\"#\" bgcolor=\"#GGGGGGGGGGGG\">x</font><body bgcolor=\"cl\"><p bgcolor=\"#FFFFFFFFFFFF\">y</p>")},
        {"deep lists", Repeat(QStringLiteral("<ul>"), 50000) + QStringLiteral("<li>x") + Repeat(QStringLiteral("</ul>"), 60000)},
        {"deep bold", Repeat(QStringLiteral("<b>"), 50000) + QStringLiteral("x") + Repeat(QStringLiteral("</b>"), 50000)},
        {"deep fonts", Repeat(QStringLiteral("<font size=\"5\" color=\"clred\" bgcolor=\"#00FF00\">"), 20000) + QStringLiteral("x")},
        {"deep anchors", Repeat(QStringLiteral("<a href=\"h\" title=\"t\">a"), 20000) + Repeat(QStringLiteral("</a>"), 20000)},
        {"many sup", Repeat(QStringLiteral("<sup>x"), 20000)},
        {"many items", Repeat(QStringLiteral("<li>"), 50000)},
        {"many breaks", Repeat(QStringLiteral("<br>"), 50000)},
        {"long word", QString(300000, u'w')},
        {"long tag", QStringLiteral("<font ") + QString(300000, u'x') + QStringLiteral(">y")},
        {"only lt", QString(100000, u'<')},
        {"only gt", QString(100000, u'>')},
        {"hash tags", Repeat(QStringLiteral("<#"), 50000)},
        {"nul and surrogates", QString(u'\0') + QStringLiteral("<b\0>") + QChar(0xD800) + QStringLiteral("<i>") + QChar(0xDC00)},
        {"closers only", Repeat(QStringLiteral("</a></font></p></h></s></u></z></r></e></l>"), 5000)},
    };
}

// Every hostile text, in every mode, ends quickly with sane extents, and the text routines
// end quickly on it too.
TEST(MarkupHostile, RenderAndTextRoutinesEndQuickly)
{
    QImage image(300, 200, QImage::Format_ARGB32);
    image.fill(Qt::white);
    TCanvas canvas(&image);
    canvas.Font.Name = QStringLiteral("DejaVu Sans");
    canvas.Font.Size = 9;
    TCustomImageList images(16, 16);
    images.Add(QImage(16, 16, QImage::Format_ARGB32));
    for (const THostile &h : HostileTexts()) {
        const uint64_t work = WorkOf([&] {
        for (int mode = 0; mode < 6; ++mode) {
            THtmlRenderParams p;
            p.Images = &images;
            p.WordWrap = mode & 1;
            p.MeasureOnly = mode < 2;
            p.HitTestOnly = mode >= 4;
            p.HitX = 20;
            p.HitY = 10;
            THtmlRenderResult r;
            RenderHtmlText(canvas, h.Text, TRect(0, 0, 200, 100), p, r);
            EXPECT_GE(r.ExtentX, 0) << h.Name;
            EXPECT_GT(r.ExtentY, 0) << h.Name;
            EXPECT_LT(r.ExtentY, INT_MAX / 2) << h.Name;
        }
        HtmlToPlainText(h.Text);
        StripTags(h.Text);
        WrapMatchesInTag(h.Text, QStringLiteral("x"), QStringLiteral("hi"), false);
        UnwrapTag(h.Text, QStringLiteral("b"));
        DecodeHtmlEntities(h.Text, true);
        EncodeHtmlEntities(h.Text, true);
        ClearRadioControls(h.Text);
        NextEditControlID(h.Text, QStringLiteral("q"));
        });
        // Six layouts and the text routines, each a few passes over the text at most.
        EXPECT_LE(work, kStepsPerChar * uint64_t(h.Text.size() + 1)) << h.Name;
    }
}

// Hostile numbers are held to sane sizes instead of overflowing or asking for giant glyphs.
TEST(MarkupHostile, HugeNumbersAreHeld)
{
    QImage image(300, 200, QImage::Format_ARGB32);
    TCanvas canvas(&image);
    canvas.Font.Name = QStringLiteral("DejaVu Sans");
    canvas.Font.Size = 9;
    auto measure = [&](const QString &text) {
        THtmlRenderParams p;
        p.MeasureOnly = true;
        THtmlRenderResult r;
        RenderHtmlText(canvas, text, TRect(0, 0, 200, 100), p, r);
        return r;
    };
    TFont big = canvas.Font;
    big.Size = 1000;
    const int bigHeight = QFontMetrics(big.ToQFont(), &image).height();
    EXPECT_EQ(measure(QStringLiteral("<font size=\"2147483647\">x</font>")).ExtentY, bigHeight);
    EXPECT_EQ(measure(QStringLiteral("<font size=\"1000\">x</font>")).ExtentY, bigHeight);
    const THtmlRenderResult control = measure(
        QStringLiteral("<control type=\"button\" width=\"2147483647\" height=\"2147483647\">"));
    EXPECT_EQ(control.ExtentX, 32767);
    EXPECT_EQ(control.ExtentY, 32765);   // the control height less 2
    EXPECT_EQ(measure(QStringLiteral("<ind x=\"2147483647\">")).ExtentX, 32767);

    // A giant button is drawn where it shows, without a buffer of its whole size.
    image.fill(Qt::white);
    {
        THtmlRenderParams p;
        THtmlRenderResult r;
        RenderHtmlText(canvas, QStringLiteral("<control type=\"button\" width=\"32767\" height=\"32767\">"),
                       TRect(0, 0, 300, 200), p, r);
        int face = 0;
        for (int x = 0; x < 300; ++x)
            face += image.pixelColor(x, 150) != QColor(Qt::white);
        EXPECT_GT(face, 250);
    }

    // Saturating sums: many giant items on one line never wrap round to negative widths.
    const QString item = QStringLiteral("<control type=\"edit\" width=\"32767\" height=\"32767\">");
    const THtmlRenderResult many = measure(item.repeated(70000));
    EXPECT_GT(many.ExtentX, 0);
    const THtmlRenderResult tall = measure((item + QStringLiteral("<br>")).repeated(70000));
    EXPECT_GT(tall.ExtentY, 0);
}

// The entity decoder as written: while the name occurs exactly, replace its first
// occurrence in any letter case.
QString DecodeByLoops(QString s)
{
    const char *names[] = {"&lt;", "&gt;", "&amp;", "&quot;", "&eacute;", "&Eacute;"};
    const char *repl[] = {"<", ">", "&", "\"", "é", "É"};
    for (int i = 0; i < 6; ++i)
        while (s.contains(QString::fromUtf8(names[i])))
            ReplaceFirstIgnoreCase(QString::fromUtf8(names[i]), QString::fromUtf8(repl[i]), s);
    return s;
}

TEST(MarkupHostile, LinearDecodeMatchesTheLoops)
{
    const QStringList pieces = {QStringLiteral("&"),      QStringLiteral("amp;"), QStringLiteral("AMP;"),
                                QStringLiteral("lt;"),    QStringLiteral("&LT;"), QStringLiteral("&gt;"),
                                QStringLiteral("x"),      QStringLiteral("&quot;"), QStringLiteral("&Quot;"),
                                QStringLiteral("eacute;"), QStringLiteral("Eacute;"), QStringLiteral("&amp;")};
    QRandomGenerator rng(5);
    for (int n = 0; n < 5000; ++n) {
        const QString s = RandomPieces(rng, pieces, 1, 10);
        // Entities 5 and 6 of the test's loop are the first and twenty-first of the table;
        // the entities between them do not occur in these pieces.
        EXPECT_EQ(DecodeHtmlEntities(s, true), DecodeByLoops(s)) << s.toStdString();
    }
    const QString many = QStringLiteral("&AMP;&amp;amp;&lt;&eacute;&Eacute;").repeated(100000);
    // The last "&Eacute;" follows the last "&eacute;" and keeps its own letter.
    QString decoded;
    const uint64_t work = WorkOf([&] { decoded = DecodeHtmlEntities(many, true); });
    EXPECT_EQ(decoded, QStringLiteral("&&<éé").repeated(99999) + QStringLiteral("&&<éÉ"));
    // One scan per entity name: linear, where the loops would rescan from the start.
    EXPECT_LE(work, kStepsPerChar * uint64_t(many.size()));
}

TEST(MarkupHostile, ClearRadioControlsInOnePass)
{
    // A radio's ID rewrites the first control with that ID, whatever its type, once.
    const QString text = QStringLiteral(
        "<CONTROL TYPE=\"EDIT\" ID=\"a\" VALUE=\"v\" WIDTH=\"9\">"
        "<CONTROL TYPE=\"RADIO\" ID=\"a\" VALUE=\"TRUE\" WIDTH=\"9\">"
        "<CONTROL TYPE=\"RADIO\" ID=\"b\" VALUE=\"TRUE\" WIDTH=\"9\" HEIGHT=\"3\">t"
        "<CONTROL TYPE=\"RADIO\" ID=\"b\" VALUE=\"TRUE\" WIDTH=\"9\">");
    QString expected = text;
    SetControlValue(expected, QStringLiteral("a"), QStringLiteral("FALSE"));
    SetControlValue(expected, QStringLiteral("b"), QStringLiteral("FALSE"));
    EXPECT_EQ(ClearRadioControls(text), expected);

    QString many;
    for (int i = 0; i < 20000; ++i)
        many += QStringLiteral("<control type=\"radio\" id=\"r%1\" value=\"true\" width=\"16\">").arg(i);
    QString cleared;
    const uint64_t work = WorkOf([&] { cleared = ClearRadioControls(many); });
    EXPECT_LE(work, 4 * uint64_t(many.size()));
    QString v;
    EXPECT_TRUE(GetControlValue(cleared, QStringLiteral("r19999"), v));
    EXPECT_EQ(v, QStringLiteral("FALSE"));
    EXPECT_EQ(cleared.count(QStringLiteral("VALUE=\"FALSE\"")), 20000);
}

} // namespace
