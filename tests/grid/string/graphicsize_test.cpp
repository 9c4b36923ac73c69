// The space radio groups and buttons take in their cells, on screen and on paper.
#include "paintfixture.h"

#include "grid/base/stringlist.h"

#include <QFontMetrics>

namespace {

using GraphicSizeTest = PaintFixture;

TEST_F(GraphicSizeTest, RadioGroupTakesTheRoomOfItsItems)
{
    TStringList items;
    for (const char *s : {"one", "two", "three"})
        items.Add(QString::fromLatin1(s));
    const QFontMetrics fm(grid->Font().ToQFont());
    int widest = 0, sum = 0;
    for (int i = 0; i < items.Count(); ++i) {
        widest = std::max(widest, fm.horizontalAdvance(items.Strings(i)));
        sum += fm.horizontalAdvance(items.Strings(i)) + 12;
    }
    ASSERT_LE(fm.height(), 16);   // the glyph, not the text, sets the item height here

    struct Case
    {
        const char *name;
        int dir;
        TPoint size;
    } cases[] = {
        {"one under the other", 0, {12 + widest, 48}},
        {"side by side", 1, {sum, fm.height()}},
    };
    for (const Case &c : cases) {
        grid->AddRadio(2, 2, c.dir, 0, &items);
        const TPoint screen = grid->GetCellGraphicSize(2, 2);
        EXPECT_EQ(std::pair(screen.X, screen.Y), std::pair(c.size.X, c.size.Y)) << c.name;
        TPoint print;
        grid->CalcCellGraphicPrintSize(2, 2, print, TPoint(500, 500), 1.0);
        EXPECT_EQ(std::pair(print.X, print.Y), std::pair(c.size.X, c.size.Y)) << c.name;
    }

    // Auto-sizing makes room for the stacked items.
    grid->AddRadio(2, 2, 0, 0, &items);
    grid->SetCells(2, 2, QString());
    grid->AutoSizeRow(2);
    EXPECT_GE(grid->RowHeights(2), 48);
}

TEST_F(GraphicSizeTest, PrintedButtonSharesItsCellWithTheText)
{
    const QFontMetrics fm(grid->Font().ToQFont());
    const int caption = fm.horizontalAdvance(QStringLiteral("Go")) + 4;
    struct Case
    {
        const char *name;
        bool text;
        TCellHAlign hal;
        TCellVAlign val;
        TPoint size;
    } cases[] = {
        {"beside the text", true, haLeft, vaTop, {30, 0}},
        {"centred over the text", true, haCenter, vaTop, {0, 0}},
        {"under the text", true, haLeft, vaUnderText, {0, 16}},
        {"full width beside the text", true, haFull, vaTop, {caption, 0}},
        {"full width, no text", false, haFull, vaTop, {caption, 16}},
        {"no text", false, haLeft, vaTop, {30, 16}},
    };
    for (const Case &c : cases) {
        grid->SetCells(3, 2, c.text ? QStringLiteral("text") : QString());
        grid->AddButton(3, 2, 30, 16, QStringLiteral("Go"), c.hal, c.val);
        TPoint print;
        grid->CalcCellGraphicPrintSize(3, 2, print, TPoint(500, 500), 1.0);
        EXPECT_EQ(std::pair(print.X, print.Y), std::pair(c.size.X, c.size.Y)) << c.name;
    }
}

TEST_F(GraphicSizeTest, MergedCellAnswersForItsBaseCellsScrollBarAndExpandButton)
{
    grid->MergeCells(1, 1, 2, 2);
    grid->AddScrollBar(1, 1, false);
    grid->SetScrollPosition(2, 2, 40);
    EXPECT_EQ(grid->GetScrollPosition(1, 1), 40);
    grid->SetScrollProp(1, 2, TScrollProp{5, 50});
    const TScrollProp prop = grid->GetScrollProp(2, 1);
    EXPECT_EQ(std::pair(prop.PageSize, prop.Range), std::pair(5, 50));
    EXPECT_EQ(grid->GetScrollPosition(3, 3), -1);   // outside the merge

    grid->MergeCells(3, 3, 1, 2);
    grid->AddExpand(3, 3, 60);
    EXPECT_TRUE(grid->ToggleExpand(3, 4));
    EXPECT_TRUE(grid->GetExpandState(3, 4));
    EXPECT_EQ(grid->GetExpandHeight(3, 4, true), 60);
    EXPECT_EQ(grid->GetExpandHeight(3, 4, false), grid->GetExpandHeight(3, 3, false));
    EXPECT_EQ(grid->GetExpandButtonRect(3, 4).Width(), 11);
}

}   // namespace
