#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QStyle>
#include <QRandomGenerator>

#include "grid/base/imagelist.h"
#include "grid/base/markup.h"
#include "grid/base/markupcontrols.h"
#include "grid/base/markuprender.h"
#include "grid/base/picture.h"
#include "markup_gif.h"
#include "markup_testutil.h"

namespace {

// A white image with a canvas in DejaVu Sans 9, black text, recording its drawing calls.
class MarkupRender : public ::testing::Test
{
protected:
    MarkupRender() : Image(400, 300, QImage::Format_ARGB32)
    {
        Image.fill(Qt::white);
        Canvas = std::make_unique<TCanvas>(&Image);
        Canvas->Font.Name = QStringLiteral("DejaVu Sans");
        Canvas->Font.Size = 9;
        Canvas->Font.Color = clBlack;
        Canvas->SetRecorder(&Ops);
    }

    QFontMetrics Metrics(TFontStyles style = 0, int size = 9) const
    {
        TFont f = Canvas->Font;
        f.Style = style;
        f.Size = size;
        return QFontMetrics(f.ToQFont(), &Image);
    }
    int W(const QString &s, TFontStyles style = 0) const { return Metrics(style).horizontalAdvance(s); }
    int H() const { return Metrics().height(); }

    THtmlRenderResult Measure(const QString &text, TRect rect, bool wordWrap = false)
    {
        THtmlRenderParams p = Params;
        p.MeasureOnly = true;
        p.WordWrap = wordWrap;
        THtmlRenderResult r;
        RenderHtmlText(*Canvas, text, rect, p, r);
        return r;
    }

    bool Paint(const QString &text, TRect rect, THtmlRenderResult &r)
    {
        Ops.clear();
        return RenderHtmlText(*Canvas, text, rect, Params, r);
    }

    bool HitTest(const QString &text, TRect rect, int x, int y, THtmlRenderResult &r)
    {
        THtmlRenderParams p = Params;
        p.HitTestOnly = true;
        p.HitX = x;
        p.HitY = y;
        return RenderHtmlText(*Canvas, text, rect, p, r);
    }

    // The texts drawn (not measured) by DrawText, in order.
    std::vector<TCanvasOp> Drawn() const
    {
        std::vector<TCanvasOp> out;
        for (const TCanvasOp &op : Ops)
            if (op.Name == u"DrawText" && !(op.Flags & DT_CALCRECT))
                out.push_back(op);
        return out;
    }
    const TCanvasOp *DrawnText(const QString &text) const
    {
        for (const TCanvasOp &op : Ops)
            if (op.Name == u"DrawText" && !(op.Flags & DT_CALCRECT) && op.Text == text)
                return &op;
        return nullptr;
    }

    QImage Image;
    std::unique_ptr<TCanvas> Canvas;
    std::vector<TCanvasOp> Ops;
    THtmlRenderParams Params;
    const TRect Wide{10, 20, 390, 280};
};

TEST_F(MarkupRender, ExtentsOfTextAndStyles)
{
    const int h = H();
    const struct { QString Text; int X; int Y; } cases[] = {
        {QString(), 0, h},
        {QStringLiteral("Hello"), W(QStringLiteral("Hello")), h},
        {QStringLiteral("a<b>b</b>c"), W(QStringLiteral("a")) + W(QStringLiteral("b"), fsBold) + W(QStringLiteral("c")),
         std::max(h, Metrics(fsBold).height())},
        {QStringLiteral("ab<BR>abcd"), W(QStringLiteral("abcd")), 2 * h},
        {QStringLiteral("x<z>hidden</z>y"), W(QStringLiteral("x")) + W(QStringLiteral("y")), h},
        {QStringLiteral("<font size=\"4\">x</font>"), Metrics(0, 14).horizontalAdvance(u'x'), Metrics(0, 14).height()},
        {QStringLiteral("<FONT SIZE=\"20\">x</FONT>"), Metrics(0, 20).horizontalAdvance(u'x'), Metrics(0, 20).height()},
        {QStringLiteral("x<sup>2</sup>"), W(QStringLiteral("x")) + W(QStringLiteral("2")), h + h / 4},
        {QStringLiteral("x<sub>2</sub>"), W(QStringLiteral("x")) + W(QStringLiteral("2")), h + h / 4},
        {QStringLiteral("a &amp; b"), W(QStringLiteral("a & b")), h},
        {QStringLiteral("a&nbsp;&lt;b&gt;"), W(QStringLiteral("a <b>")), h},
        {QStringLiteral("<#1>x"), W(QStringLiteral("#1x")), h},
        {QStringLiteral("abc\r\nb"), W(QStringLiteral("abc")), 2 * h},
        {QStringLiteral("x<ind x=\"50\">y"), 50 + W(QStringLiteral("y")), h},
        {QStringLiteral("x<blahblah>y"), W(QStringLiteral("x")) + W(QStringLiteral("y")), h},
        {QStringLiteral("x</b"), W(QStringLiteral("x")), h},
    };
    for (const auto &c : cases) {
        const THtmlRenderResult r = Measure(c.Text, Wide);
        EXPECT_EQ(r.ExtentX, c.X) << c.Text.toStdString();
        EXPECT_EQ(r.ExtentY, c.Y) << c.Text.toStdString();
    }
    EXPECT_EQ(Measure(QStringLiteral("a<br>b"), Wide).PlainText, QStringLiteral("a\rb"));
}

TEST_F(MarkupRender, WordWrapAndEllipsis)
{
    const int h = H();
    // Room for "aaa bbb " but not for "ccc".
    const int width = W(QStringLiteral("aaa bbb c")) + 1;
    const TRect narrow(0, 0, width + 1, 200);
    THtmlRenderResult r = Measure(QStringLiteral("aaa bbb ccc"), narrow, true);
    EXPECT_EQ(r.ExtentY, 2 * h);
    EXPECT_EQ(r.ExtentX, W(QStringLiteral("aaa ")) + W(QStringLiteral("bbb ")) - W(QStringLiteral(" ")));   // no trailing blank

    // After a blank a tag does not keep the next word on the line.
    EXPECT_EQ(Measure(QStringLiteral("aaa bbb <b>ccc</b>"), narrow, true).ExtentY, 2 * h);

    // A word split by a tag is never broken.
    const TRect tiny(0, 0, W(QStringLiteral("a")) + 1, 200);
    r = Measure(QStringLiteral("a<b>b</b>"), tiny, true);
    EXPECT_EQ(r.ExtentY, h);

    // Without word wrap the overflow is cut and nothing after the cut is laid out.
    const QString cut = QStringLiteral("aaa bbb <b>ccc ddd</b><br>next line");
    r = Measure(cut, narrow, false);
    EXPECT_EQ(r.ExtentY, h);
    THtmlRenderResult painted;
    Paint(cut, narrow, painted);
    bool ellipsis = false;
    for (const TCanvasOp &op : Drawn()) {
        ellipsis |= op.Text.endsWith(QStringLiteral("..."));
        EXPECT_FALSE(op.Text.contains(QStringLiteral("next")));
    }
    EXPECT_TRUE(ellipsis);
}

TEST_F(MarkupRender, LinesBelowTheRectangle)
{
    const int h = H();
    const TRect low(0, 0, 200, h + 2);
    EXPECT_EQ(Measure(QStringLiteral("a<br>b<br>c"), low).ExtentY, 3 * h);
    THtmlRenderResult r;
    Paint(QStringLiteral("a<br>b<br>c"), low, r);
    EXPECT_EQ(r.ExtentY, h);
    EXPECT_EQ(DrawnText(QStringLiteral("b")), nullptr);
}

TEST_F(MarkupRender, ListsParagraphsAndColours)
{
    THtmlRenderResult r;
    Paint(QStringLiteral("<ul><li>one<li>two<ul><li>deep</ul></ul>"), Wide, r);
    const int h = H();
    EXPECT_EQ(r.ExtentY, 4 * h);
    QStringList bullets;
    for (const TCanvasOp &op : Drawn())
        if (op.Font.Name == u"Symbol")
            bullets << op.Text;
    EXPECT_EQ(bullets, (QStringList{QStringLiteral("\u00B7"), QStringLiteral("\u00B7"), QStringLiteral("o")}));
    const TCanvasOp *one = DrawnText(QStringLiteral("one"));
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->Rect.Left, Wide.Left + 1 + 12);

    // Centred paragraphs: this line and the following ones until another P.
    Paint(QStringLiteral("<p align=\"center\">ab</p>cd<br><p align=\"right\">ef"), Wide, r);
    const int layoutWidth = Wide.Width() - 1;
    ASSERT_NE(DrawnText(QStringLiteral("ab")), nullptr);
    EXPECT_EQ(DrawnText(QStringLiteral("ab"))->Rect.Left, Wide.Left + 1 + (layoutWidth - W(QStringLiteral("ab"))) / 2);
    EXPECT_EQ(DrawnText(QStringLiteral("cd"))->Rect.Left, Wide.Left + 1 + (layoutWidth - W(QStringLiteral("cd"))) / 2);
    EXPECT_EQ(DrawnText(QStringLiteral("ef"))->Rect.Left, Wide.Right - W(QStringLiteral("ef")));

    // Colours: lower-case hexadecimal works in tags; a name without "cl" is black; with
    // Selected the FONT colour is left alone.
    Paint(QStringLiteral("<font color=\"#ff0000\">r</font><font color=\"red\">k</font>"
                         "<font color=\"clBlue\">b</font>"),
          Wide, r);
    EXPECT_EQ(DrawnText(QStringLiteral("r"))->Font.Color, TColor(0x0000FF));
    EXPECT_EQ(DrawnText(QStringLiteral("k"))->Font.Color, TColor(0));
    EXPECT_EQ(DrawnText(QStringLiteral("b"))->Font.Color, clBlue);
    Canvas->Font.Color = clGreen;
    Params.Selected = true;
    Paint(QStringLiteral("<font color=\"clRed\" bgcolor=\"clYellow\">s</font>"), Wide, r);
    EXPECT_EQ(DrawnText(QStringLiteral("s"))->Font.Color, clGreen);
    EXPECT_EQ(DrawnText(QStringLiteral("s"))->Brush.Style, bsClear);
    Params.Selected = false;
    Paint(QStringLiteral("<font bgcolor=\"clYellow\">s</font>t"), Wide, r);
    EXPECT_EQ(DrawnText(QStringLiteral("s"))->Brush.Color, clYellow);
    EXPECT_EQ(DrawnText(QStringLiteral("s"))->Brush.Style, bsSolid);
    EXPECT_EQ(DrawnText(QStringLiteral("t"))->Brush.Style, bsClear);
    EXPECT_EQ(Canvas->Font.Color, clGreen);   // the canvas font comes back
}

TEST_F(MarkupRender, BodyHighlightShadowAndErrorMarks)
{
    THtmlRenderResult r;
    const TRect box(0, 0, 60, 40);
    Paint(QStringLiteral("<body bgcolor=\"clRed\">x"), box, r);
    EXPECT_EQ(Image.pixelColor(59, 39), QColor(255, 0, 0));
    EXPECT_EQ(Image.pixelColor(60, 40), QColor(Qt::white));
    // BODY takes a name only with "CL" and a hexadecimal value only with "#".
    Image.fill(Qt::white);
    Paint(QStringLiteral("<body bgcolor=\"red\">x"), box, r);
    EXPECT_EQ(Image.pixelColor(59, 39), QColor(Qt::white));
    Paint(QStringLiteral("<body bgcolor=\"#00ff00\">x"), box, r);
    EXPECT_EQ(Image.pixelColor(59, 39), QColor(0, 255, 0));

    TPictureContainer pictures;
    TPictureItem *item = pictures.Items().Add();
    item->Name = QStringLiteral("tile");
    LoadBytes(*item->Picture(), PngBytes(4, 4, Qt::blue));
    Params.Container = &pictures;
    Image.fill(Qt::white);
    const TRect clip(0, 0, 300, 300);
    Canvas->SetClipRect(clip);
    Paint(QStringLiteral("<BODY background=\"TILE\">"), TRect(100, 100, 150, 130), r);
    EXPECT_EQ(Image.pixelColor(149, 129), QColor(0, 0, 255));
    EXPECT_EQ(Image.pixelColor(100, 100), QColor(0, 0, 255));
    EXPECT_EQ(Image.pixelColor(150, 129), QColor(Qt::white));
    EXPECT_EQ(Canvas->ClipRect(), clip);   // the caller's clip survives
    Canvas->ResetClip();

    SetHighlightColors(clYellow, clRed);
    Paint(QStringLiteral("a<hi>b</hi>c"), Wide, r);
    EXPECT_EQ(DrawnText(QStringLiteral("b"))->Brush.Color, clYellow);
    EXPECT_EQ(DrawnText(QStringLiteral("b"))->Font.Color, clRed);
    EXPECT_EQ(DrawnText(QStringLiteral("c"))->Brush.Style, bsClear);
    EXPECT_EQ(DrawnText(QStringLiteral("c"))->Font.Color, clBlack);
    SetHighlightColors(clHighlight, clHighlightText);

    Params.ShadowOffset = 2;
    Params.ShadowColor = clGray;
    Paint(QStringLiteral("<shad>s</shad>"), Wide, r);
    const auto drawn = Drawn();
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0].Font.Color, clGray);
    EXPECT_EQ(drawn[0].Rect.Left, drawn[1].Rect.Left + 2);

    Image.fill(Qt::white);
    Paint(QStringLiteral("<e>wrong</e>"), TRect(0, 0, 200, 40), r);
    int red = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            red += Image.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_GT(red, W(QStringLiteral("wrong")) / 2);

    // BLINK in its hidden phase draws in the entry brush colour.
    Canvas->Brush.Color = clAqua;
    Params.BlinkOn = false;
    Paint(QStringLiteral("<blink>x</blink>y"), Wide, r);
    EXPECT_EQ(DrawnText(QStringLiteral("x"))->Font.Color, clAqua);
    EXPECT_EQ(DrawnText(QStringLiteral("y"))->Font.Color, clBlack);
    EXPECT_EQ(Canvas->Brush.Color, clAqua);
}

TEST_F(MarkupRender, AnchorsHitsAndFocus)
{
    const QString text = QStringLiteral("go <a href=\"Dest\" title=\"Tip\">link</a> end");
    const int h = H();
    const int left = Wide.Left + 1 + W(QStringLiteral("go "));
    THtmlRenderResult r;
    EXPECT_TRUE(HitTest(text, Wide, left + 3, Wide.Top + h / 2, r));
    EXPECT_EQ(r.AnchorHref, QStringLiteral("Dest"));
    EXPECT_EQ(r.AnchorTitle, QStringLiteral("Tip"));
    EXPECT_EQ(r.HitAnchor, 1);
    EXPECT_EQ(r.AnchorCount, 1);
    EXPECT_EQ(r.AnchorRect, TRect(left, Wide.Top, left + W(QStringLiteral("link")), Wide.Top + h));
    EXPECT_FALSE(HitTest(text, Wide, Wide.Left + 3, Wide.Top + h / 2, r));
    EXPECT_FALSE(HitTest(text, Wide, left + 3, Wide.Top + h + 3, r));

    // Without HREF: coloured and underlined, never reported.
    Params.AnchorColor = clPurple;
    EXPECT_FALSE(HitTest(QStringLiteral("<a title=\"T\">x</a>"), Wide, Wide.Left + 2, Wide.Top + h / 2, r));
    Paint(QStringLiteral("<a title=\"T\">x</a>"), Wide, r);
    EXPECT_EQ(DrawnText(QStringLiteral("x"))->Font.Color, clPurple);
    EXPECT_TRUE(DrawnText(QStringLiteral("x"))->Font.Style & fsUnderline);

    // Only the hovered anchor gets the hover style.
    Params.HoverOnlyStyle = true;
    Params.HoveredAnchor = 2;
    Params.HoverColor = clYellow;
    Paint(QStringLiteral("<a href=\"1\">one</a> <a href=\"2\">two</a>"), Wide, r);
    EXPECT_FALSE(DrawnText(QStringLiteral("one"))->Font.Style & fsUnderline);
    EXPECT_EQ(DrawnText(QStringLiteral("one"))->Brush.Style, bsClear);
    EXPECT_TRUE(DrawnText(QStringLiteral("two"))->Font.Style & fsUnderline);
    EXPECT_EQ(DrawnText(QStringLiteral("two"))->Brush.Color, clYellow);
    EXPECT_EQ(r.AnchorCount, 2);
    Params.HoverOnlyStyle = false;
    Params.HoverColor = clNone;

    // A two-line anchor hit on its last line starts at that line's left edge.
    const int width = W(QStringLiteral("aaa b")) + 2;
    const TRect narrow(0, 0, width + 1, 100);
    Params.WordWrap = true;
    const QString two = QStringLiteral("<a href=\"x\">aaa bbb</a>");
    EXPECT_TRUE(HitTest(two, narrow, 3, h + h / 2, r));
    EXPECT_EQ(r.AnchorRect, TRect(1, h, 1 + W(QStringLiteral("bbb")), 2 * h));

    // The focused anchor gets a dotted frame, split at the line end.
    Paint(QStringLiteral("<a href=\"f\">aaa bbb</a>"), narrow, r);
    EXPECT_EQ(r.FocusedAnchorHref, QString());
    Params.FocusedAnchor = 0;
    Paint(QStringLiteral("<a href=\"f\">aaa bbb</a>"), narrow, r);
    EXPECT_EQ(r.FocusedAnchorHref, QStringLiteral("f"));
    int frames = 0;
    for (const TCanvasOp &op : Ops)
        frames += op.Name == u"Rectangle" && op.Pen.Style == psDot;
    EXPECT_EQ(frames, 2);
}

// Records what the renderer asks of the control painter.
class TRecordingPainter : public THtmlControlPainter
{
public:
    struct TCall
    {
        THtmlControlPart Part;
        TRect R;
        THtmlControlState State;
    };
    bool Themed() const override { return false; }
    void DrawPart(TCanvas &, THtmlControlPart part, const TRect &r, const THtmlControlState &state,
                  const QWidget *) override
    {
        Calls.push_back({part, r, state});
    }
    std::vector<TCall> Calls;
};

TEST_F(MarkupRender, EmbeddedControls)
{
    TRecordingPainter painter;
    Params.ControlPainter = &painter;
    THtmlRenderResult r;
    const TRect box(0, 0, 300, 100);
    Paint(QStringLiteral("<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"true\" WIDTH=\"16\">"), box, r);
    ASSERT_EQ(painter.Calls.size(), 1u);
    EXPECT_EQ(painter.Calls[0].Part, THtmlControlPart::CheckBox);
    EXPECT_TRUE(painter.Calls[0].State.Checked);
    EXPECT_EQ(painter.Calls[0].R, TRect(3, 1, 16, 16));
    EXPECT_EQ(r.ExtentY, 16);
    EXPECT_EQ(r.ExtentX, 16);

    // No WIDTH: nothing drawn, no room taken.
    painter.Calls.clear();
    Paint(QStringLiteral("a<control type=\"edit\" id=\"e\">b"), box, r);
    EXPECT_TRUE(painter.Calls.empty());
    EXPECT_EQ(r.ExtentX, W(QStringLiteral("a")) + W(QStringLiteral("b")));

    // An edit box: the value is drawn, a password as stars.
    Paint(QStringLiteral("<control type=\"password\" id=\"p\" value=\"abc\" width=\"60\">"), box, r);
    EXPECT_NE(DrawnText(QStringLiteral("***")), nullptr);
    EXPECT_EQ(r.ExtentX, 60);

    // Hit tests: the point on the control, or the control named by its ID.
    const QString text = QStringLiteral("ab<control type=\"button\" id=\"b1\" value=\"Go\" width=\"50\">");
    const int x0 = 1 + W(QStringLiteral("ab"));
    EXPECT_TRUE(HitTest(text, box, x0 + 10, 10, r));
    EXPECT_EQ(r.AnchorHref, QStringLiteral("ctrl"));
    EXPECT_EQ(r.ControlID, QStringLiteral("b1"));
    EXPECT_EQ(r.ControlType, QStringLiteral("BUTTON"));
    EXPECT_EQ(r.ControlValue, QStringLiteral("Go"));
    EXPECT_EQ(r.ControlRect, TRect(x0, 0, x0 + 50, 25));
    EXPECT_FALSE(HitTest(text, box, 2, 10, r));
    Params.ControlID = QStringLiteral("b1");
    EXPECT_TRUE(HitTest(text, box, -1, -1, r));
    EXPECT_EQ(r.ControlRect, TRect(x0, 0, x0 + 50, 25));
    Params.ControlID.clear();

    // A control wider than what is left moves to the next line (the first line has
    // already taken the control's line height).
    const TRect narrow(0, 0, 1 + W(QStringLiteral("ab")) + 40, 100);
    EXPECT_EQ(Measure(text, narrow).ExtentY, 23 + 25);
    EXPECT_EQ(Measure(text, box).ExtentY, 25);
}

TEST_F(MarkupRender, Pictures)
{
    TPictureContainer pictures;
    TPictureItem *pic = pictures.Items().Add();
    pic->Name = QStringLiteral("pic");
    LoadBytes(*pic->Picture(), PngBytes(20, 40, Qt::red));
    TPictureItem *anim = pictures.Items().Add();
    anim->Name = QStringLiteral("anim");
    LoadBytes(*anim->Picture(), MakeGif(10, 10, {{0, 0, 10, 10, 1}, {2, 2, 3, 3, 2}}));
    anim->Picture()->SetFrame(2);
    Params.Container = &pictures;
    TCustomImageList images(16, 16);
    images.Add(QImage(16, 16, QImage::Format_ARGB32));
    Params.Images = &images;

    const struct { const char *Text; int X, Y; } cases[] = {
        {"<img src=\"pic\">", 20, 40},
        {"<img src=\"PIC\" width=\"10\">", 10, 20},
        {"<img src=\"pic\" height=\"20\">", 10, 20},
        {"<img src=\"pic\" width=\"7\" height=\"9\">", 7, std::max(9, H())},
        {"<img src=\"nothing\">x", W(QStringLiteral("x")), H()},
        {"<img src=\"idx:0\">", 16, std::max(16, H())},
        {"<img src=\"idx:1\">", 0, H()},
        {"<img src=\"anim\">", 10, std::max(10, H())},
    };
    for (const auto &c : cases) {
        const THtmlRenderResult r = Measure(QString::fromUtf8(c.Text), Wide);
        EXPECT_EQ(r.ExtentX, c.X) << c.Text;
        EXPECT_EQ(r.ExtentY, c.Y) << c.Text;
    }

    THtmlRenderResult r;
    Canvas->Brush.Color = clAqua;
    Paint(QStringLiteral("<img src=\"pic\"><img src=\"anim\">"), Wide, r);
    const int x = Wide.Left + 1, y = Wide.Top;
    EXPECT_EQ(Image.pixelColor(x, y), QColor(255, 0, 0));
    EXPECT_EQ(Image.pixelColor(x + 19, y + 39), QColor(255, 0, 0));
    // The animation area is cleared to the entry brush, the frame drawn at its offset.
    EXPECT_EQ(Image.pixelColor(x + 20, y), QColor(0, 255, 255));
    EXPECT_EQ(Image.pixelColor(x + 22, y + 2), QColor(0, 255, 0));
    EXPECT_EQ(Image.pixelColor(x + 24, y + 4), QColor(0, 255, 0));
    EXPECT_EQ(Image.pixelColor(x + 29, y + 9), QColor(0, 255, 255));

    // An anchored picture is a hit; with ALT the alternative is shown while pointed at.
    EXPECT_TRUE(HitTest(QStringLiteral("<a href=\"p\"><img src=\"pic\"></a>"), Wide, x + 5, y + 5, r));
    EXPECT_EQ(r.AnchorHref, QStringLiteral("p"));
    EXPECT_FALSE(HitTest(QStringLiteral("<img src=\"pic\">"), Wide, x + 5, y + 5, r));

    // Addresses go through the cache, loaded once; unknown schemes stay empty.
    THTMLPictureCache cache;
    Params.PictureCache = &cache;
    EXPECT_EQ(Measure(QStringLiteral("<img src=\"http://host/a.png\">"), Wide).ExtentX, 0);
    EXPECT_EQ(Measure(QStringLiteral("<img src=\"http://host/a.png\">"), Wide).ExtentX, 0);
    EXPECT_EQ(cache.Count(), 1);
}

// A lone "&" marks the next character and takes no room; printing stretches image-list
// images by the resolution factor; system icons take the style's icon sizes.
TEST_F(MarkupRender, PrefixesPrintingAndSystemIcons)
{
    EXPECT_EQ(Measure(QStringLiteral("a&b"), Wide).ExtentX, W(QStringLiteral("ab")));
    EXPECT_EQ(Measure(QStringLiteral("a&&b"), Wide).ExtentX, W(QStringLiteral("a&b")));
    THtmlRenderResult r;
    Paint(QStringLiteral("a&b"), Wide, r);
    ASSERT_EQ(Drawn().size(), 1u);
    EXPECT_EQ(Drawn()[0].Text, QStringLiteral("ab"));

    TCustomImageList images(16, 16);
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    images.Add(red);
    Params.Images = &images;
    const int x = Wide.Left + 1, y = Wide.Top;
    Paint(QStringLiteral("<img src=\"idx:0\">"), Wide, r);
    EXPECT_EQ(Image.pixelColor(x + 15, y + 15), QColor(Qt::red));
    EXPECT_EQ(Image.pixelColor(x + 20, y + 20), QColor(Qt::white));
    Image.fill(Qt::white);
    Params.Printing = true;
    Params.ResolutionFactor = 2;
    Paint(QStringLiteral("<img src=\"idx:0\">"), Wide, r);
    EXPECT_EQ(Image.pixelColor(x + 31, y + 31), QColor(Qt::red));
    EXPECT_EQ(Image.pixelColor(x + 33, y + 33), QColor(Qt::white));
    // The room on the line is the list's size either way.
    EXPECT_EQ(Measure(QStringLiteral("<img src=\"idx:0\">x"), Wide).ExtentX, 16 + W(QStringLiteral("x")));
    Params.Printing = false;

    const int small = QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
    const int large = QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
    EXPECT_EQ(Measure(QStringLiteral("<img src=\"ssys:0\">"), Wide).ExtentX, small);
    EXPECT_EQ(Measure(QStringLiteral("<img src=\"LSYS:/tmp\">"), Wide).ExtentX, large);
    EXPECT_EQ(Measure(QStringLiteral("<img src=\"lsys:no such file.txt\">"), Wide).ExtentX, large);
}

TEST_F(MarkupRender, CachedLayoutsGiveTheSameResults)
{
    const QStringList texts = {
        QStringLiteral("plain"),
        QStringLiteral("<b>bold</b> <i>it</i> <u>u</u> <s>s</s> &amp; <a href=\"x\">link</a>"),
        QStringLiteral("<ul><li>one<li>two</ul><p align=\"right\" indent=\"4\">para</p><hr>tail"),
        QStringLiteral("a long text that has to wrap a few times in a narrow rectangle"),
        QStringLiteral("x<sup>2</sup> + y<sub>i</sub> <font size=\"5\" face=\"DejaVu Serif\">big</font>"),
    };
    const TRect rects[] = {Wide, TRect(0, 0, 80, 300), TRect(5, 5, 60, 20)};
    for (bool wrap : {false, true}) {
        Params.WordWrap = wrap;
        for (const TRect &rect : rects) {
            for (const QString &t : texts) {
                for (bool measure : {true, false}) {
                    ClearHtmlLayoutCache();
                    THtmlRenderParams p = Params;
                    p.MeasureOnly = measure;
                    THtmlRenderResult first, second;
                    Ops.clear();
                    RenderHtmlText(*Canvas, t, rect, p, first);
                    const std::vector<TCanvasOp> firstOps = Drawn();
                    Ops.clear();
                    RenderHtmlText(*Canvas, t, rect, p, second);
                    const std::vector<TCanvasOp> secondOps = Drawn();
                    EXPECT_EQ(first.ExtentX, second.ExtentX) << t.toStdString();
                    EXPECT_EQ(first.ExtentY, second.ExtentY) << t.toStdString();
                    EXPECT_EQ(first.PlainText, second.PlainText) << t.toStdString();
                    EXPECT_EQ(first.AnchorCount, second.AnchorCount) << t.toStdString();
                    ASSERT_EQ(firstOps.size(), secondOps.size()) << t.toStdString();
                    for (size_t i = 0; i < firstOps.size(); ++i) {
                        EXPECT_EQ(firstOps[i].Text, secondOps[i].Text);
                        EXPECT_EQ(firstOps[i].Rect, secondOps[i].Rect);
                    }
                }
            }
        }
    }
}

TEST_F(MarkupRender, MalformedAndLongTextsEndQuickly)
{
    const QStringList broken = {
        QStringLiteral("<"), QStringLiteral("<a"), QStringLiteral("</"), QStringLiteral("</a"),
        QStringLiteral("a<"), QStringLiteral("<<<<"), QStringLiteral("<font size="),
        QStringLiteral("<img src=\""), QStringLiteral("<control"), QStringLiteral("<control width=\"x\">"),
        QStringLiteral("<control type=\"combo\" width=\"-5\" height=\"999\">"),
        QStringLiteral("<p align="), QStringLiteral("</ul></ul></u><ul><li><li><li>"),
        QStringLiteral("<ind x=\"99999\">a"), QStringLiteral("<r a=\"90\">rot</r>"),
        QStringLiteral("<a href=\"x\">never closed"), QStringLiteral("&amp;&amp;&amp;amp;reg;"),
        QStringLiteral("<#<#<#>"), QString(u'\0') + QStringLiteral("<b\0>"),
    };
    THtmlRenderResult r;
    for (const QString &t : broken) {
        for (bool wrap : {false, true}) {
            Params.WordWrap = wrap;
            Measure(t, Wide, wrap);
            Paint(t, TRect(0, 0, 30, 30), r);
            HitTest(t, TRect(-50, -50, 3, 3), 1, 1, r);
        }
    }

    QRandomGenerator rng(11);
    const QStringList pieces = {
        QStringLiteral("<b>"), QStringLiteral("</b>"), QStringLiteral("<a href=\"h\">"), QStringLiteral("</a>"),
        QStringLiteral("<br>"), QStringLiteral("<li>"), QStringLiteral("<ul>"), QStringLiteral("</ul>"),
        QStringLiteral("<img src=\"idx:0\">"), QStringLiteral("<control type=\"edit\" width=\"30\">"),
        QStringLiteral("word "), QStringLiteral("x"), QStringLiteral("<"), QStringLiteral(">"),
        QStringLiteral("&amp;"), QStringLiteral("<sup>"), QStringLiteral("</sub>"), QStringLiteral("<p align=\"center\">"),
        QStringLiteral("<z>"), QStringLiteral("</z>"), QStringLiteral("<font size=\"5\">"), QStringLiteral("</font>"),
    };
    TCustomImageList images(16, 16);
    images.Add(QImage(16, 16, QImage::Format_ARGB32));
    Params.Images = &images;
    for (int n = 0; n < 400; ++n) {
        const QString t = RandomPieces(rng, pieces, 1, 30);
        const TRect rect(0, 0, rng.bounded(0, 120), rng.bounded(0, 80));
        Params.WordWrap = rng.bounded(2);
        Measure(t, rect, Params.WordWrap);
        Paint(t, rect, r);
        HitTest(t, rect, rng.bounded(-5, 120), rng.bounded(-5, 80), r);
    }

    // Long texts lay out in linear time.
    Canvas->SetRecorder(nullptr);
    QString longText;
    for (int i = 0; i < 20000; ++i)
        longText += (i % 7 == 0) ? QStringLiteral("<b>bold</b> ") : QStringLiteral("word ");
    const QString noTags = QString(200000, u'x');
    // Each pass over a long text takes steps in proportion to its length.
    const struct
    {
        const char *What;
        QString Text;
        bool Wrap;
    } longOnes[] = {
        {"words and tags", longText, true},
        {"no tags", noTags, false},
        {"only <", QString(200000, u'<'), true},
        {"open tag of spaces", QStringLiteral("<a") + QString(200000, u' '), true},
    };
    for (const auto &l : longOnes) {
        const uint64_t work = WorkOf([&] {
            const THtmlRenderResult m = Measure(l.Text, TRect(0, 0, 200, 100), l.Wrap);
            if (l.Text == longText) {
                EXPECT_GT(m.ExtentY, 1000 * H());
            }
        });
        EXPECT_LE(work, 8 * uint64_t(l.Text.size() + 1)) << l.What;
    }
    EXPECT_LE(WorkOf([&] { Paint(longText, TRect(0, 0, 200, 100), r); }),
              8 * uint64_t(longText.size()));
}

} // namespace
