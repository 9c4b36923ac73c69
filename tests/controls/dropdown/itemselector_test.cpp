// The item selector: layout, selection and hot tracking, lookup, scrolling and the cell look.
#include "controls/dropdown/itemselector.h"
#include "controls/dropdown/dropdownhelpers.h"
#include "controls/dropdown/selectordropdown.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

class ItemSelectorTest : public ::testing::Test
{
protected:
    TDazCustomItemSelector Selector;
    QStringList Log;

    ItemSelectorTest()
    {
        Selector.ItemAppearance().Font.Name = QStringLiteral("DejaVu Sans");
        Selector.OnItemSelect = [this](TObject *Sender) {
            EXPECT_EQ(Sender, &Selector);
            Log << QString::number(Selector.ItemIndex());
        };
    }
    // Colour items without captions, in a row of 22-pixel cells unless Columns says less.
    void AddColors(int N, int Columns = 3)
    {
        Selector.SetColumns(Columns);
        Selector.SetSelectorType(stColor);
        for (int i = 0; i < N; ++i)
            Selector.Items().Add()->SetColor(TColor(0x010101 * (i + 1)));
        Selector.UpdateSelectorPanel();
    }
    TCustomItemSelector &Panel() { return *Selector.Panel(); }
    QImage Render()
    {
        QImage img(Panel().size(), QImage::Format_RGB32);
        img.fill(Qt::magenta);
        Panel().render(&img);
        return img;
    }
    void Mouse(QEvent::Type Type, QPoint At)
    {
        QMouseEvent e(Type, At, Panel().mapToGlobal(At), Qt::LeftButton,
                      Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Panel(), &e);
    }
};

TEST_F(ItemSelectorTest, WithoutItemsThePanelIs100By50AndNavigationDoesNothing)
{
    EXPECT_EQ(Selector.GetPanelSize(), QSize(100, 50));
    Selector.SelectFirst();
    Selector.SelectLast();
    Selector.SelectNext();
    Selector.SelectPrevious();
    Selector.HotNext();
    Selector.HotPrevious();
    EXPECT_FALSE(Selector.LookupItem("A"));
    EXPECT_EQ(Selector.ItemIndex(), -1);
    EXPECT_EQ(Selector.ItemHot(), -1);
    EXPECT_EQ(Selector.GetVisibleItemCount(), 0);
    EXPECT_TRUE(Log.isEmpty());
}

TEST_F(ItemSelectorTest, SevenItemsInThreeColumnsLieInRowsOfThreeThreeAndOne)
{
    AddColors(7);
    // A 14 x 14 box without caption: 4 + 14 + 4 both ways.
    const TRect first = Selector.Items().Items(0)->Rect();
    EXPECT_EQ(first, TRect(2, 2, 24, 24));
    const int rows[] = {0, 0, 0, 1, 1, 1, 2};
    const int cols[] = {0, 1, 2, 0, 1, 2, 0};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Selector.Items().Items(i)->Rect(),
                  TRect(2 + 22 * cols[i], 2 + 22 * rows[i], 24 + 22 * cols[i], 24 + 22 * rows[i]))
            << i;
    EXPECT_EQ(Selector.GetPanelSize(), QSize(2 + 3 * 22 + 2, 2 + 3 * 22 + 2));
    Selector.SetColumns(0);   // ignored
    EXPECT_EQ(Selector.Columns(), 3);
}

TEST_F(ItemSelectorTest, CellSizeFollowsTheLayout)
{
    Selector.Items().Add()->SetCaption("Wide caption");
    QSize text;
    {
        QImage img(1, 1, QImage::Format_RGB32);
        TCanvas c(&img);
        c.Font = Selector.ItemAppearance().Font;
        DrawHtmlCaption(c, "Wide caption", TRect(0, 0, 1000, 500), nullptr, false, nullptr, text);
    }
    const int cw = text.width() + 4, ch = text.height();
    Selector.SetSelectorType(stColor);   // box 14 x 14
    struct Case
    {
        TItemLayout Layout;
        QSize Cell;
    } cases[] = {
        {ilCaptionLeft, {8 + 14 + 4 + cw, std::max(ch, 14) + 8}},
        {ilCaptionRight, {8 + 14 + 4 + cw, std::max(ch, 14) + 8}},
        {ilCaptionTop, {std::max(cw, 14) + 8, 8 + 14 + 4 + ch}},
        {ilCaptionBottom, {std::max(cw, 14) + 8, 8 + 14 + 4 + ch}},
    };
    for (const Case &c : cases) {
        Selector.SetItemLayout(c.Layout);
        Selector.UpdateSelectorPanel();
        const TRect r = Selector.Items().Items(0)->Rect();
        EXPECT_EQ(QSize(r.Width(), r.Height()), c.Cell) << c.Layout;
    }
    // An image selector without pictures has no box: only the caption and the margins.
    Selector.SetSelectorType(stImage);
    Selector.SetItemLayout(ilCaptionTop);
    Selector.UpdateSelectorPanel();
    const TRect r = Selector.Items().Items(0)->Rect();
    EXPECT_EQ(QSize(r.Width(), r.Height()), QSize(cw + 8, 8 + ch));
}

TEST_F(ItemSelectorTest, ItemSizeHandlerDecidesAndAZeroHeightCountsNoRows)
{
    Selector.OnItemSize = [](TObject *, QSize &S) { S = QSize(30, 0); };
    AddColors(3, 1);
    EXPECT_EQ(Selector.GetVisibleItemCount(), 0);
    Selector.OnItemSize = [](TObject *, QSize &S) { S = QSize(30, 10); };
    Selector.UpdateSelectorPanel();
    Selector.resize(100, 55);
    EXPECT_EQ(Selector.GetVisibleItemCount(), 5);
}

TEST_F(ItemSelectorTest, SelectionFiresAlsoForTheSameIndexAndStopsAtTheEnds)
{
    AddColors(3);
    Selector.SelectNext();   // from none: 0
    Selector.SelectPrevious();   // at 0: stays
    Selector.SetItemIndex(2);
    Selector.SelectNext();   // at the last: stays
    Mouse(QEvent::MouseButtonPress, QPoint(50, 12));   // the selected cell again
    EXPECT_EQ(Log, QStringList({"0", "2", "2"}));
    Selector.SetItemIndex(-1);
    EXPECT_EQ(Log.size(), 3);
    Selector.HotNext();
    Selector.HotNext();
    EXPECT_EQ(Selector.ItemHot(), 1);
    Selector.HotPrevious();
    Selector.HotPrevious();
    EXPECT_EQ(Selector.ItemHot(), 0);
}

TEST_F(ItemSelectorTest, MouseMakesHotAndLeavingClearsIt)
{
    AddColors(2);
    Selector.Items().Items(1)->Hint = "second";
    Mouse(QEvent::MouseMove, QPoint(40, 12));
    EXPECT_EQ(Selector.ItemHot(), 1);
    EXPECT_EQ(Panel().toolTip(), "second");
    Mouse(QEvent::MouseMove, QPoint(40, 40));   // below the cells
    EXPECT_EQ(Selector.ItemHot(), -1);
    Mouse(QEvent::MouseMove, QPoint(10, 12));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&Panel(), &leave);
    EXPECT_EQ(Selector.ItemHot(), -1);
}

TEST_F(ItemSelectorTest, LookupComparesTrimmedUpperCasePlainCaptions)
{
    for (const char *c : {"  <b>Blue</b>", "Black", "brown"})
        Selector.Items().Add()->SetCaption(c);
    Selector.UpdateSelectorPanel();
    EXPECT_TRUE(Selector.LookupItem("BL"));
    EXPECT_EQ(Selector.ItemIndex(), 0);
    EXPECT_TRUE(Selector.LookupItem("BR"));
    EXPECT_EQ(Selector.ItemIndex(), 2);
    EXPECT_FALSE(Selector.LookupItem("bl"));
    EXPECT_EQ(Selector.ItemIndex(), 2);
}

TEST_F(ItemSelectorTest, AddedItemsWaitForUpdateWhileItemChangesReLayOutAtOnce)
{
    AddColors(1, 1);
    Selector.Items().Add();
    EXPECT_EQ(Selector.GetPanelSize(), QSize(26, 26));   // not yet laid out
    EXPECT_EQ(Selector.Items().Items(1)->Rect().Left, -1);
    Selector.Items().Items(0)->SetColor(0x654321);   // a change lays out at once
    EXPECT_EQ(Selector.GetPanelSize(), QSize(26, 48));
    Selector.SetItemLayout(ilCaptionTop);
    Selector.Items().Items(0)->Hint = "h";   // no re-layout
    EXPECT_EQ(Selector.ItemLayout(), ilCaptionTop);
    Selector.Items().Items(0)->SetCaption("Caption");
    EXPECT_GT(Selector.GetPanelSize().height(), 48);
}

TEST_F(ItemSelectorTest, APanelNeedsAnItemSelectorAsOwner)
{
    QWidget other;
    TObject plain;
    try {
        TCustomItemSelector panel(&plain);
        FAIL() << "no exception";
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "Invalid parent");
    }
}

TEST_F(ItemSelectorTest, HotAndSelectedCellsTakeTheirLook)
{
    AddColors(3);
    TItemAppearance &a = Selector.ItemAppearance();
    Selector.SetColor(0xFFFFFF);
    Selector.SetItemIndex(1);
    Panel().SetItemHot(0);
    // Office 2007 has a top border colour: the rounded face; its outer corner pixel is the
    // panel colour and the inside starts with the hot colour.
    QImage img = Render();
    auto px = [&](int x, int y) { return FromQColor(img.pixelColor(x, y)); };
    EXPECT_EQ(px(2, 2), TColor(0xFFFFFF));
    EXPECT_NE(px(12, 6), TColor(0xFFFFFF));
    // Without a top border colour a filled rectangle with the border colour round it.
    a.BorderColorTop = clNone;
    a.BorderColor = 0x00FF00;
    a.ColorSelected = 0x0000FF;
    a.ColorSelectedTo = clNone;
    img = Render();
    EXPECT_EQ(px(24, 2), TColor(0x00FF00));   // the selected cell's frame
    EXPECT_EQ(px(25, 3), TColor(0x0000FF));   // filled with the selected colour
    EXPECT_EQ(px(28, 6), TColor(0x000000));   // the colour box's black pen, 4 pixels in
    EXPECT_EQ(px(30, 8), TColor(0x020202));   // filled with the item colour
    EXPECT_EQ(px(47, 3), TColor(0xFFFFFF));   // the third cell is not lit
    EXPECT_EQ(px(52, 8), TColor(0x030303));
    // A state border replaces the others.
    a.BorderColorTop = 0xF4FEFF;
    a.BorderColorSelected = 0xFF0000;
    img = Render();
    EXPECT_EQ(px(24, 2), TColor(0xFF0000));
}

TEST_F(ItemSelectorTest, ScrollItemInViewBringsTheCellToTheNearerEdge)
{
    AddColors(20, 1);   // 20 rows of 22
    Selector.resize(60, 100);
    Selector.show();
    QApplication::processEvents();
    ASSERT_TRUE(Selector.VertScrollBarVisible());
    QScrollBar *bar = Selector.verticalScrollBar();
    Selector.SetItemIndex(10);   // bottom at 2 + 11 * 22 = 244
    EXPECT_EQ(bar->value(), 244 - Selector.viewport()->height());
    Selector.SetItemIndex(2);   // top at 46
    EXPECT_EQ(bar->value(), 46);
    Selector.ScrollItemInView(25);   // out of range: nothing
    EXPECT_EQ(bar->value(), 46);
    EXPECT_EQ(Selector.GetVisibleItemCount(), 100 / 22);
}

TEST(ItemAppearance, AssignEndsWithTheSourcesPreset)
{
    TItemAppearance seven, office;
    seven.SetColorStyle(scWindows7);
    seven.ColorHot = 0x123456;   // overwritten by the preset
    seven.ColorSelectedText = 0x0000FF;
    seven.ColorHotText = 0x00FF00;
    seven.BorderColorHot = 0xABCDEF;
    office.Assign(&seven);
    EXPECT_EQ(office.ColorStyle(), scWindows7);
    EXPECT_EQ(office.ColorHot, TColor(0xFCEBDC));
    EXPECT_EQ(office.ColorSelected, TColor(0xF9D8B9));
    EXPECT_EQ(office.ColorSelectedText, TColor(0x0000FF));
    EXPECT_EQ(office.ColorHotText, clBlack);   // not copied
    EXPECT_EQ(office.BorderColorHot, TColor(0xABCDEF));
    // The same style copies the colours as they are.
    TItemAppearance other;
    other.SetColorStyle(scWindows7);
    other.Assign(&seven);
    EXPECT_EQ(other.ColorHot, TColor(0x123456));
}

TEST(ItemAppearance, ComponentStylesColourTheItems)
{
    TItemAppearance a;
    a.BorderColorHot = 0x123456;
    TDazSelectorDropDown::ApplyItemAppearanceStyle(&a, tsCustom);
    EXPECT_EQ(a.BorderColorHot, TColor(0x123456));
    TDazSelectorDropDown::ApplyItemAppearanceStyle(&a, tsWindowsXP);
    EXPECT_EQ(a.BorderColorHot, clNone);
    EXPECT_EQ(a.ColorSelected, clHighlight);
    EXPECT_EQ(a.ColorSelectedText, clHighlightText);
    EXPECT_EQ(a.ColorHotText, TColor(0));
    TDazSelectorDropDown::ApplyItemAppearanceStyle(&a, tsOffice2007Luna);
    EXPECT_EQ(a.BorderColorTop, TColor(0xF4FEFF));
    EXPECT_EQ(a.BorderColor, TColor(0x42AEFE));
    TDazSelectorDropDown::ApplyItemAppearanceStyle(&a, tsOffice2010Black);
    EXPECT_EQ(a.ColorMirrorHot, TColor(0x8AE3FD));
    TDazSelectorDropDown::ApplyItemAppearanceStyle(nullptr, tsWindows7);   // nothing
}

}   // namespace
