// Balloon texts and their limits, the coloured border, the focus ring and the sizing lines.
#include "paintfixture.h"

#include "grid/base/indicator.h"
#include "grid/string/sizingline.h"

namespace {

using Tooltips = PaintFixture;

QPoint Inside(TDazStringGrid &Grid, int ACol, int ARow)
{
    const TRect r = Grid.CellRect(ACol, ARow);
    return QPoint(r.Left + 4, r.Top + 4);
}

TEST_F(Tooltips, BalloonTextIsCutToItsLimits)
{
    QString text, title;
    int icon = 0;
    grid->SetCells(2, 2, QString(3000, u'x'));
    grid->BalloonTooltipText(Inside(*grid, 2, 2), text, title, icon);
    EXPECT_EQ(text.size(), 2048);
    EXPECT_TRUE(text.endsWith(QLatin1String("x...")));
    EXPECT_EQ(title, " ");
    EXPECT_EQ(icon, 1);
    EXPECT_EQ(grid->LastBalloonCell(), TPoint(2, 2));

    // Tabs become blanks; leading line breaks and tabs go.
    grid->SetCells(2, 3, QStringLiteral("\r\n\ta\tb"));
    grid->BalloonTooltipText(Inside(*grid, 2, 3), text, title, icon);
    EXPECT_EQ(text, "a b");

    // Mark-up shows as plain text; the event may change everything.
    grid->SetCells(3, 3, QStringLiteral("<b>bold</b>"));
    QString given;
    grid->OnCellBalloon = [&](TObject *, int, int, QString &ATitle, QString &AText, int &AIcon) {
        given = AText;
        ATitle = given.size() == 4 ? QString(100, u't') : QString(101, u't');
        AIcon = 3;
    };
    grid->BalloonTooltipText(Inside(*grid, 3, 3), text, title, icon);
    EXPECT_EQ(given, "bold");
    EXPECT_EQ(title.size(), 100);
    EXPECT_FALSE(title.endsWith(QLatin1String("...")));
    EXPECT_EQ(icon, 3);
    grid->SetCells(3, 3, QStringLiteral("bolder"));
    grid->BalloonTooltipText(Inside(*grid, 3, 3), text, title, icon);
    EXPECT_EQ(title, QString(97, u't') + "...");
    grid->OnCellBalloon = nullptr;

    // A balloon cell gives its own title, text and icon.
    grid->AddBalloon(1, 1, QStringLiteral("T"), QStringLiteral("body"), biWarning);
    grid->BalloonTooltipText(Inside(*grid, 1, 1), text, title, icon);
    EXPECT_EQ(title, "T");
    EXPECT_EQ(text, "body");
    EXPECT_EQ(icon, int(biWarning));

    // Outside every cell the text is empty and the title still set.
    grid->BalloonTooltipText(QPoint(-5, -5), text, title, icon);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(title, " ");
}

TEST_F(Tooltips, BorderColourOnlyForTheSuiteLooksWithABorder)
{
    auto borderLines = [&] {
        QImage img(grid->size(), QImage::Format_RGB32);
        TCanvas canvas(&img);
        std::vector<TCanvasOp> ops;
        canvas.SetRecorder(&ops);
        grid->PaintNonClientBorder(canvas);
        int n = 0;
        for (const TCanvasOp &op : ops)
            n += op.Name == QLatin1String("LineTo") && op.Pen.Color == grid->BorderColor();
        return n;
    };
    grid->SetBorderColor(0x0000FF);
    EXPECT_EQ(borderLines(), 4);   // glXP, single border, cells fitted: the inner outline
    grid->SetFlat(true);
    EXPECT_EQ(borderLines(), 0);
    grid->SetFlat(false);
    grid->SetBorderStyle(bsNone);
    EXPECT_EQ(borderLines(), 0);
    grid->SetBorderStyle(bsSingle);
    grid->SetLook(glClassic);
    EXPECT_EQ(borderLines(), 0);
}

TEST_F(Tooltips, FocusRingShowsRoundTheCellAndFollows)
{
    const TRect cell = grid->CellRect(2, 2);
    grid->ShowFocusWindow(cell);
    TGridFocusWindow *ring = grid->FocusWindow();
    ASSERT_NE(ring, nullptr);
    EXPECT_TRUE(ring->isVisible());
    EXPECT_EQ(FocusWindowGrid(), grid.get());
    EXPECT_EQ(ring->size(), QSize(cell.Width() + 9, cell.Height() + 9));
    EXPECT_EQ(ring->pos(), grid->viewport()->mapToGlobal(QPoint(cell.Left - 4, cell.Top - 4)));
    // The cell itself is left out of the ring.
    EXPECT_FALSE(ring->mask().contains(QPoint(4 + cell.Width() / 2, 4 + cell.Height() / 2)));
    EXPECT_TRUE(ring->mask().contains(QPoint(1, 1)));

    grid->FocusCell(3, 3);
    grid->MoveFocusWindow();
    const TRect next = grid->CellRect(3, 3);
    EXPECT_EQ(ring->pos(), grid->viewport()->mapToGlobal(QPoint(next.Left - 4, next.Top - 4)));

    grid->HideFocusWindow();
    EXPECT_FALSE(ring->isVisible());
    EXPECT_EQ(FocusWindowGrid(), nullptr);
}

TEST_F(Tooltips, SizingLinesGoAwayWhenDrawnTwice)
{
    grid->DrawColSizingLine(50);
    TSizingLine *lines = grid->SizingLine();
    ASSERT_NE(lines, nullptr);
    EXPECT_TRUE(lines->isVisible());
    EXPECT_EQ(lines->Verticals(), std::vector<int>{50});
    grid->DrawRowSizingLine(30);
    EXPECT_EQ(lines->Horizontals(), std::vector<int>{30});
    grid->DrawColSizingLine(50);
    grid->DrawRowSizingLine(30);
    EXPECT_TRUE(lines->Verticals().empty());
    EXPECT_FALSE(lines->isVisible());
}

}   // namespace

namespace {

TEST_F(Tooltips, FocusRingRoundTheEditedCellWithTheFocusHelper)
{
    grid->FocusHelper().SetEnabled(true);
    grid->SetOptions(grid->Options() + goEditing);
    grid->setFocus();
    grid->FocusCell(2, 2);
    grid->ShowEditor();
    ASSERT_NE(grid->FocusWindow(), nullptr);
    EXPECT_TRUE(grid->FocusWindow()->isVisible());
    EXPECT_EQ(FocusWindowGrid(), grid.get());
    grid->HideEditor();
    grid->ValidateCell(grid->Cells(2, 2));
    EXPECT_FALSE(grid->FocusWindow()->isVisible());
}

}   // namespace
