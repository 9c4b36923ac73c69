// Rich-text cells: drawn with their formatting, measured by their laid-out size, and texts
// that only look like RTF drawn as plain text.
#include "paintfixture.h"

#include "grid/string/richcellpaint.h"
#include "grid/string/richtext.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

QString Rtf(const QString &word, bool bold, QColor color = {})
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat f;
    if (bold)
        f.setFontWeight(QFont::Bold);
    if (color.isValid())
        f.setForeground(color);
    c.insertText(word, f);
    return DocumentToRtf(doc);
}

struct TInk {
    int Dark = 0;      // pixels clearly darker than the background
    int Right = -1;    // rightmost such pixel, relative to the cell
    int Red = 0;       // pixels where red clearly dominates
};

TInk InkIn(const QImage &img, const TRect &r)
{
    TInk ink;
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y)
        for (int x = r.Left + 1; x < r.Right - 1; ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.lightness() < 160) {
                ++ink.Dark;
                ink.Right = std::max(ink.Right, x - r.Left);
            }
            if (c.red() > 150 && c.green() < 100 && c.blue() < 100)
                ++ink.Red;
        }
    return ink;
}

class RichPaintTest : public PaintFixture
{
protected:
    void SetUp() override
    {
        PaintFixture::SetUp();
        grid->resize(600, 132);
        ClearRichCellCache();
        grid->SetColWidths(2, 150);
        grid->SetColWidths(3, 150);
    }
};

TEST_F(RichPaintTest, BoldRtfWordIsWiderAndDarkerThanThePlainOne)
{
    grid->SetCells(2, 2, Rtf(QStringLiteral("WWWW"), true));
    grid->SetCells(3, 2, Rtf(QStringLiteral("WWWW"), false));
    const QImage img = grid->Render();
    const TInk bold = InkIn(img, grid->CellRect(2, 2));
    const TInk plain = InkIn(img, grid->CellRect(3, 2));
    EXPECT_GT(plain.Dark, 0);
    EXPECT_GT(bold.Dark, plain.Dark);
    EXPECT_GT(bold.Right, plain.Right);

    // The mark-up itself is never drawn as text.
    const auto ops = grid->Record();
    EXPECT_TRUE(TextOps(ops, grid->Cells(2, 2)).empty());
}

TEST_F(RichPaintTest, RtfColourAppearsAndTheSelectionColourReplacesIt)
{
    grid->SetCells(2, 2, Rtf(QStringLiteral("WWWW"), true, QColor(220, 0, 0)));
    EXPECT_GT(InkIn(grid->Render(), grid->CellRect(2, 2)).Red, 10);
    EXPECT_EQ(InkIn(grid->Render(), grid->CellRect(3, 2)).Red, 0);

    grid->SetSelectionTextColor(clBlack);
    grid->SetSelection({2, 2, 2, 2});
    const TInk selected = InkIn(grid->Render(), grid->CellRect(2, 2));
    EXPECT_EQ(selected.Red, 0);
    EXPECT_GT(selected.Dark, 0);

    grid->SetSelectionRTFKeep(true);
    EXPECT_GT(InkIn(grid->Render(), grid->CellRect(2, 2)).Red, 10) << "the cell keeps its red";
}

TEST_F(RichPaintTest, TextThatOnlyLooksLikeRtfIsDrawnAsPlainText)
{
    const QString fake = QStringLiteral("{\\b not rtf}");
    grid->SetCells(2, 2, fake);
    const auto ops = grid->Record();
    EXPECT_EQ(TextOps(ops, fake).size(), 1u);
}

TEST_F(RichPaintTest, AlignmentPlacesTheDocumentInTheCell)
{
    grid->SetCells(2, 2, Rtf(QStringLiteral("W"), false));
    const TInk left = InkIn(grid->Render(), grid->CellRect(2, 2));
    grid->SetDefaultAlignment(taRightJustify);
    const TInk right = InkIn(grid->Render(), grid->CellRect(2, 2));
    EXPECT_GT(left.Right, 0);
    EXPECT_GT(right.Right, left.Right + 50);
}

TEST_F(RichPaintTest, MeasuringUsesTheLaidOutRichText)
{
    grid->SetCells(2, 2, Rtf(QStringLiteral("WWWW"), true));
    grid->SetCells(3, 2, Rtf(QStringLiteral("WWWW"), false));
    TPoint bold, plain;
    grid->GetCellTextSize(2, 2, bold, false, false);
    grid->GetCellTextSize(3, 2, plain, false, false);
    EXPECT_GT(bold.X, plain.X);
    EXPECT_GT(plain.Y, 4);
    EXPECT_LT(plain.X, QFontMetrics(grid->font()).horizontalAdvance(grid->Cells(3, 2)));
}

} // namespace
