// Rich-text cell texts: reading and writing the RTF of the rich-text editor.
#include "grid/string/gridrichedit.h"
#include "grid/string/richtext.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

// The format of the character at Pos of the document.
QTextCharFormat At(QTextDocument &Doc, int Pos)
{
    QTextCursor c(&Doc);
    c.setPosition(Pos + 1);
    return c.charFormat();
}

}   // namespace

TEST(RichText, ReadsParagraphsAndCharacterFormats)
{
    const QString rtf = QStringLiteral(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Tahoma;}}{\\colortbl ;\\red255\\green0\\blue0;}"
        "{\\*\\generator Some Writer;}\\viewkind4\\pard\\f0\\fs16 plain \\b bold\\b0  "
        "\\i it\\i0  \\ul un\\ulnone  \\cf1 red\\cf0  \\fs32 big\\fs16  x\\super 2\\nosupersub  "
        "H\\sub 2\\nosupersub O\\par second \\{\\}\\\\ caf\\'e9\\par}");
    QTextDocument doc;
    RtfToDocument(rtf, doc);
    EXPECT_EQ(doc.blockCount(), 3);
    const QString plain = doc.toPlainText();
    EXPECT_EQ(plain.section('\n', 0, 0), "plain bold it un red big x2 H2O");
    EXPECT_EQ(plain.section('\n', 1, 1), QString::fromUtf8("second {}\\ café"));
    const int bold = int(plain.indexOf("bold"));
    EXPECT_EQ(At(doc, bold).fontWeight(), QFont::Bold);
    EXPECT_NE(At(doc, 0).fontWeight(), QFont::Bold);
    EXPECT_TRUE(At(doc, int(plain.indexOf("it"))).fontItalic());
    EXPECT_TRUE(At(doc, int(plain.indexOf("un"))).fontUnderline());
    EXPECT_EQ(At(doc, int(plain.indexOf("red"))).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(At(doc, int(plain.indexOf("big"))).fontPointSize(), 16.0);
    EXPECT_EQ(At(doc, int(plain.indexOf("x2")) + 1).verticalAlignment(),
              QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(At(doc, int(plain.indexOf("H2O")) + 1).verticalAlignment(),
              QTextCharFormat::AlignSubScript);
    EXPECT_EQ(RtfToPlainText(rtf).section('\n', 0, 0), "plain bold it un red big x2 H2O");
}

TEST(RichText, TextThatIsNoRtfStaysPlainAndUnknownWordsKeepTheirText)
{
    EXPECT_FALSE(IsRtfText("just {text}"));
    EXPECT_EQ(RtfToPlainText("just {text}"), "just {text}");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 {\\unknownword kept} \\strike also}"), "kept also");
    // Truncated input ends without error.
    EXPECT_EQ(RtfToPlainText("{\\rtf1 cut \\b"), "cut ");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 a\\'"), "a");
}

TEST(RichText, WritingAndReadingBackKeepsTextAndFormats)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setForeground(QColor(0, 128, 0));
    bold.setFontPointSize(12);
    c.insertText("Bold {green}", bold);
    c.insertBlock();
    QTextCharFormat sup;
    sup.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    sup.setFontItalic(true);
    c.insertText(QString::fromUtf8("m²"), sup);

    QTextDocument back;
    RtfToDocument(DocumentToRtf(doc), back);
    EXPECT_EQ(back.toPlainText(), doc.toPlainText());
    const QTextCharFormat f = At(back, 1);
    EXPECT_EQ(f.fontWeight(), QFont::Bold);
    EXPECT_EQ(f.foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(f.fontPointSize(), 12.0);
    const QTextCharFormat g = At(back, int(back.toPlainText().indexOf("m")));
    EXPECT_TRUE(g.fontItalic());
    EXPECT_EQ(g.verticalAlignment(), QTextCharFormat::AlignSuperScript);
}

TEST(RichText, TheEditSetsAndReadsSuperscriptAndSubscript)
{
    TDazRichEdit edit;
    edit.SetRtf("{\\rtf1 x2}");
    QTextCursor c = edit.textCursor();
    c.setPosition(1);
    c.setPosition(2, QTextCursor::KeepAnchor);
    edit.setTextCursor(c);
    EXPECT_TRUE(edit.IsSelNormal());
    edit.SelSuperscript();
    EXPECT_TRUE(edit.IsSelSuperscript());
    EXPECT_FALSE(edit.IsSelNormal());
    edit.SelSubscript();
    EXPECT_TRUE(edit.IsSelSubscript());
    edit.SelNormal();
    EXPECT_TRUE(edit.IsSelNormal());
    edit.SelSuperscript();
    EXPECT_NE(edit.Rtf().indexOf("\\super"), -1);
}

TEST(RichText, DamagedRtfReadsItsTextWithoutFailing)
{
    const struct
    {
        QString Rtf;
        QString Plain;
    } cases[] = {
        {"{\\rtf1 \\fs99999999999999 big \\fs-20 neg}", "big neg"},
        {"{\\rtf1 {\\colortbl ;\\red999\\green-4\\blue300;}\\cf1 a \\cf7 b \\cf-2 c}", "a b c"},
        {"{\\rtf1 " + QString(20000, u'{') + "deep" + QString(20000, u'}') + "}", "deep"},
        // Text after the closing brace is kept.
        {"{\\rtf1 x}}}} y", "x y"},
    };
    for (const auto &c : cases) {
        QTextDocument doc;
        RtfToDocument(c.Rtf, doc);
        EXPECT_EQ(doc.toPlainText().trimmed(), c.Plain);
        EXPECT_EQ(RtfToPlainText(c.Rtf).trimmed(), c.Plain);
    }
}

TEST(RichText, TextOutsideLatin1AndRtfCharactersComeBackUnchanged)
{
    QTextDocument doc;
    const QString text = QString::fromUtf8("€ 中文 😀 \\ { } é\ttab");
    doc.setPlainText(text);
    const QString rtf = DocumentToRtf(doc);
    EXPECT_TRUE(IsRtfText(rtf));
    QTextDocument back;
    RtfToDocument(rtf, back);
    EXPECT_EQ(back.toPlainText(), text);
    EXPECT_EQ(RtfToPlainText(rtf), text);
}
