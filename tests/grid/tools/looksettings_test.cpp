// The grid's look settings objects: background, drag scrolling and progress appearance, and
// the gradient background the grid paints from them.
#include "grid/string/dazstringgrid.h"
#include "grid/string/gridlooksettings.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

class TRenderGrid : public TDazStringGrid
{
public:
    QImage Render()
    {
        QImage img(viewport()->size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        PaintTo(p);
        return img;
    }
};

}   // namespace

TEST(GridProgressAppearance, DefaultsNotificationsAndAssign)
{
    TGridProgressAppearance p;
    EXPECT_EQ(p.CompleteColor(), 0x0000FFu);
    EXPECT_EQ(p.CompleteFontColor(), 0xFF0000u);
    EXPECT_EQ(p.UnCompleteColor(), clNone);
    EXPECT_EQ(p.UnCompleteFontColor(), clWindowText);
    EXPECT_EQ(p.Level0Color(), 0x00FF00u);
    EXPECT_EQ(p.Level0ColorTo(), 0xE1FFE1u);
    EXPECT_EQ(p.Level1Color(), 0x00FFFFu);
    EXPECT_EQ(p.Level1ColorTo(), 0xCAFFFFu);
    EXPECT_EQ(p.Level2Color(), 0x53A9FFu);
    EXPECT_EQ(p.Level2ColorTo(), 0xA8D3FFu);
    EXPECT_EQ(p.Level3Color(), 0x0000FFu);
    EXPECT_EQ(p.Level3ColorTo(), 0xCACAFFu);
    EXPECT_EQ(p.Level1Perc(), 70);
    EXPECT_EQ(p.Level2Perc(), 90);
    EXPECT_EQ(p.BorderColor(), 0u);
    EXPECT_FALSE(p.ShowBorder());
    EXPECT_FALSE(p.Stacked());
    EXPECT_TRUE(p.ShowPercentage());
    EXPECT_TRUE(p.CompletionSmooth());
    EXPECT_TRUE(p.ShowGradient());
    EXPECT_EQ(p.Steps(), 11);
    EXPECT_EQ(p.Style(), psXP);

    int changes = 0;
    p.OnChange = [&](TObject *) { ++changes; };
    p.SetSteps(11);
    p.SetStyle(psXP);
    p.SetCompleteColor(0x0000FF);
    EXPECT_EQ(changes, 0);
    p.SetSteps(20);
    p.SetShowBorder(true);
    EXPECT_EQ(changes, 2);

    TGridProgressAppearance src;
    src.SetStyle(psClassic);
    src.SetLevel2Perc(95);
    src.SetUnCompleteColor(0x123456);
    changes = 0;
    p.Assign(&src);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(p.Style(), psClassic);
    EXPECT_EQ(p.Level2Perc(), 95);
    EXPECT_EQ(p.UnCompleteColor(), 0x123456u);
    EXPECT_EQ(p.Steps(), 11);
    TBackGround other;
    p.Assign(&other);
    EXPECT_EQ(changes, 1);
}

TEST(GridBackGround, EverySetterRepaintsTheGridChangedOrNot)
{
    TDazStringGrid grid;
    TBackGround &b = grid.BackGround();
    EXPECT_EQ(b.Top(), 0);
    EXPECT_EQ(b.Left(), 0);
    EXPECT_EQ(b.Display(), bdTile);
    EXPECT_TRUE(b.Bitmap().Empty());
    EXPECT_EQ(b.Cells(), bcNormal);
    EXPECT_EQ(b.Color(), clWindow);
    EXPECT_EQ(b.ColorTo(), clBtnFace);
    ASSERT_TRUE(b.OnChange);   // the grid repaints through it
    int repaints = 0;
    const TNotifyEvent gridRepaint = b.OnChange;
    b.OnChange = [&](TObject *Sender) {
        ++repaints;
        gridRepaint(Sender);
    };
    b.SetTop(0);
    b.SetLeft(0);
    b.SetDisplay(bdTile);
    b.SetCells(bcNormal);
    b.SetColor(clWindow);
    b.SetColorTo(clBtnFace);
    TBitmap empty;
    b.SetBitmap(empty);
    EXPECT_EQ(repaints, 7);
    b.SetTop(5);
    b.SetDisplay(bdFixed);
    EXPECT_EQ(repaints, 9);
    EXPECT_EQ(b.Top(), 5);
    EXPECT_EQ(b.Display(), bdFixed);
}

TEST(GridDragScroll, FreshOptionsAndAssign)
{
    TDragScrollOptions o;
    EXPECT_FALSE(o.Active());
    EXPECT_EQ(o.Delays().InitialDelay(), 1000);
    EXPECT_EQ(o.Delays().RepeatDelay(), 250);
    EXPECT_EQ(o.Margins().TopMargin(), 50);
    EXPECT_EQ(o.Margins().BottomMargin(), 50);
    EXPECT_EQ(o.Margins().LeftMargin(), 50);
    EXPECT_EQ(o.Margins().RightMargin(), 50);

    TDragScrollOptions src;
    src.SetActive(true);
    src.Delays().SetInitialDelay(10);
    src.Delays().SetRepeatDelay(20);
    src.Margins().SetTopMargin(1);
    src.Margins().SetBottomMargin(2);
    src.Margins().SetLeftMargin(3);
    src.Margins().SetRightMargin(4);
    o.Assign(&src);
    EXPECT_TRUE(o.Active());
    EXPECT_EQ(o.Delays().InitialDelay(), 10);
    EXPECT_EQ(o.Delays().RepeatDelay(), 20);
    EXPECT_EQ(o.Margins().TopMargin(), 1);
    EXPECT_EQ(o.Margins().BottomMargin(), 2);
    EXPECT_EQ(o.Margins().LeftMargin(), 3);
    EXPECT_EQ(o.Margins().RightMargin(), 4);
    TDragScrollOptions fresh;
    fresh.Assign(&src.Delays());   // another class: ignored
    EXPECT_EQ(fresh.Delays().InitialDelay(), 1000);
}

// The background outside the cells is the banded gradient of 128 steps over the client area.
TEST(GridBackGround, GradientBackgroundIn128Bands)
{
    TRenderGrid grid;
    grid.setFrameShape(QFrame::NoFrame);
    grid.SetScrollBars(ssNone);
    grid.SetColCount(1);
    grid.SetRowCount(1);
    grid.SetFixedCols(0);
    grid.SetFixedRows(0);
    grid.SetDefaultColWidth(10);
    grid.SetDefaultRowHeight(10);
    grid.resize(200, 257);
    grid.BackGround().SetColor(0x000000);
    grid.BackGround().SetColorTo(0xFFFFFF);
    grid.BackGround().SetDisplay(bdGradientVert);
    grid.show();
    QApplication::processEvents();
    const QImage img = grid.Render();
    const int h = img.height();
    auto at = [&](int x, int y) { return FromQColor(QColor(img.pixel(x, y))); };
    // Top to bottom: the first band from Color, the last 127/128 of the way to ColorTo.
    EXPECT_EQ(at(100, 0), 0x000000u);
    EXPECT_EQ(at(100, h - 2), 0xFDFDFDu);   // 255 * 127 / 128 = 253
    EXPECT_EQ(at(30, h / 2 + 1), at(150, h / 2 + 1));
    EXPECT_EQ(at(100, 0), at(30, 0));
}
