// Text drawn again comes from the canvas's shaped-text cache; it must keep every pixel and
// every measure of the painter's own text call, whatever the font, text and painter state.
#include "platform/canvas.h"

#include <QImage>
#include <QPainter>
#include <QTransform>
#include <gtest/gtest.h>

namespace {

struct TTextCase {
    const char *Name;
    int Size;
    TFontStyles Style;
};

const TTextCase kFonts[] = {
    {"plain 9", 9, 0},
    {"bold 8", 8, fsBold},
    {"italic 12", 12, fsItalic},
    {"bold italic 20", 20, fsBold | fsItalic},
    {"underline 9", 9, fsUnderline},
    {"strike-out 11", 11, fsStrikeOut},
};

const QString kTexts[] = {
    QStringLiteral("Row 12 value open"),
    QStringLiteral("AVAWAY To. Wa fi ffl"),   // kerning and ligatures
    QStringLiteral("  blanks around  "),
    QStringLiteral("\u00dcber ma\u00dfe \u00e9t\u00e9 \u0107\u0161"),
    QStringLiteral("\u0416\u0443\u0440\u043d\u0430\u043b \u03a9\u03bc\u03b5\u03b3\u03b1"),
    QStringLiteral("\u05e9\u05dc\u05d5\u05dd abc"),   // right to left
    QStringLiteral("\u4e2d\u6587 mixed"),              // a fallback font
    QStringLiteral("tab\there"),
    QStringLiteral("x"),
    QStringLiteral("12.5 %"),   // no strong direction
};

QImage Blank()
{
    QImage img(260, 40, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    return img;
}

// The painter's own text call at the canvas's text position.
QImage Reference(const TFont &font, const QString &text, const QTransform &m,
                 Qt::LayoutDirection dir)
{
    QImage img = Blank();
    QPainter p(&img);
    p.setTransform(m);
    p.setLayoutDirection(dir);
    const QFont f = font.ToQFont();
    p.setFont(f);
    p.setPen(ToQColor(font.Color));
    p.drawText(QPoint(3, 4 + QFontMetrics(f, &img).ascent()), text);
    return img;
}

} // namespace

TEST(CanvasText, RepeatedTextKeepsThePaintersPixels)
{
    struct TState {
        const char *Name;
        QTransform M;
        Qt::LayoutDirection Dir;
    };
    const TState states[] = {
        {"plain", QTransform(), Qt::LeftToRight},
        {"direction from the text", QTransform(), Qt::LayoutDirectionAuto},
        {"translated", QTransform::fromTranslate(7, 3), Qt::LeftToRight},
        {"scaled", QTransform::fromScale(1.5, 1.5), Qt::LeftToRight},
        {"right to left", QTransform(), Qt::RightToLeft},
    };
    for (const TState &st : states)
        for (const TTextCase &fc : kFonts)
            for (const QString &text : kTexts) {
                SCOPED_TRACE(testing::Message() << st.Name << ", " << fc.Name << ": "
                                                << text.toStdString());
                TFont font;
                font.Size = fc.Size;
                font.Style = fc.Style;
                font.Color = clNavy;
                const QImage want = Reference(font, text, st.M, st.Dir);
                const int advance = QFontMetrics(font.ToQFont(), &want).horizontalAdvance(text);
                // The first draw shapes the text, the later ones reuse it; a font change in
                // between must not mix up the shapes of two fonts.
                for (int round = 0; round < 3; ++round) {
                    QImage img = Blank();
                    QPainter p(&img);
                    p.setTransform(st.M);
                    p.setLayoutDirection(st.Dir);
                    TCanvas c(&p);
                    c.Brush.Style = bsClear;
                    if (round == 1) {
                        c.Font.Size = fc.Size + 3;
                        c.TextOut(3, 4, text);
                        c.Font = font;
                        p.fillRect(QRect(0, 0, 1000, 1000), Qt::white);
                    }
                    c.Font = font;
                    c.TextOut(3, 4, text);
                    EXPECT_EQ(c.PenPos(), Point(3 + advance, 4)) << "round " << round;
                    EXPECT_EQ(c.TextWidth(text), advance);
                    p.end();
                    EXPECT_TRUE(img == want) << "round " << round;
                }
            }
}

// Lines of DrawText come from the same cache: wrapped, aligned and clipped text repainted
// keeps the pixels of its first paint.
TEST(CanvasText, RepaintedDrawTextKeepsItsPixels)
{
    const QString text = QStringLiteral("Wrapped words of a cell text AV To, drawn again");
    const unsigned flagSets[] = {DT_WORDBREAK, DT_WORDBREAK | DT_CENTER, DT_SINGLELINE | DT_RIGHT |
                                 DT_VCENTER, DT_SINGLELINE | DT_END_ELLIPSIS};
    for (const unsigned flags : flagSets) {
        SCOPED_TRACE(flags);
        QImage first;
        for (int round = 0; round < 3; ++round) {
            QImage img(200, 60, QImage::Format_ARGB32_Premultiplied);
            img.fill(Qt::white);
            {
                TCanvas c(&img);
                c.Brush.Color = clYellow;
                TRect r(5, 5, 150, 55);
                c.DrawText(text, r, flags);
            }
            if (round == 0)
                first = img;
            else
                EXPECT_TRUE(img == first) << "round " << round;
        }
    }
}

// TextFits answers most texts without shaping them; it must agree with the measured width
// exactly at the edge, for every font and text, before the text was ever measured.
TEST(CanvasText, TextFitsAgreesWithTheMeasuredWidthAtTheEdge)
{
    const QString extra[] = {
        QStringLiteral("R500000C9"),
        QStringLiteral("e\u0301e\u0301 marks"),   // combining accents
        QStringLiteral("soft\u00adhyphen"),
        QStringLiteral("WWWWWWWWWWWWWWWW"),
        QStringLiteral("iiiiiiiiiiiiiiii"),
    };
    std::vector<QString> texts(std::begin(kTexts), std::end(kTexts));
    texts.insert(texts.end(), std::begin(extra), std::end(extra));
    for (const TTextCase &fc : kFonts) {
        for (int round = 0; round < 2; ++round) {
            QImage img = Blank();
            TCanvas c(&img);
            c.Font.Size = fc.Size;
            c.Font.Style = fc.Style;
            const QFontMetrics metrics(c.Font.ToQFont(), &img);
            for (const QString &base : texts) {
                // A text new to the canvas on every round and font.
                const QString text = base + QString(round + fc.Size, u'1');
                const int w = metrics.horizontalAdvance(text);
                EXPECT_FALSE(c.TextFits(text, w - 1)) << fc.Name << " " << text.toStdString();
                EXPECT_TRUE(c.TextFits(text, w)) << fc.Name << " " << text.toStdString();
                EXPECT_EQ(c.TextWidth(text), w);
            }
        }
    }
}
