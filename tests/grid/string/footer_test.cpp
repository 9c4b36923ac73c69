// The floating footer and its panel.
#include "paintfixture.h"

#include "grid/string/footerpanel.h"

namespace {

using FooterTest = PaintFixture;

TEST_F(FooterTest, VisibleFooterStyles)
{
    grid->FloatingFooter().SetVisible(true);
    EXPECT_EQ(grid->FixedFooters(), 1);
    ASSERT_NE(grid->FooterPanel(), nullptr);
    EXPECT_TRUE(grid->FooterPanel()->isVisible());
    EXPECT_EQ(grid->FooterPanel()->height(), grid->FooterPanelHeight());
    grid->FloatingFooter().SetFooterStyle(fsColumnPreview);
    grid->FloatingFooter().SetVisible(true);
    EXPECT_EQ(grid->FixedFooters(), 0);
    grid->FloatingFooter().SetVisible(false);
    EXPECT_FALSE(grid->FooterPanel()->isVisible());
}

TEST_F(FooterTest, AShownPanelTakesANewHeightAtOnceAndKeepsItForZero)
{
    grid->FloatingFooter().SetVisible(true);
    grid->FloatingFooter().SetHeight(30);
    EXPECT_EQ(grid->FooterPanel()->height(), 29);
    grid->FloatingFooter().SetHeight(0);
    grid->UpdateFooterPanel();
    EXPECT_EQ(grid->FooterPanel()->height(), 29);
}

TEST_F(FooterTest, TemplateTakesTheCurrentRow)
{
    grid->SetRow(3);
    EXPECT_EQ(TFooterPanel::FillTemplate(QStringLiteral("Item <#2>: <#x>done"), *grid),
              QStringLiteral("Item r3c2: done"));
}

TEST_F(FooterTest, LastRowIsPaintedInThePanel)
{
    grid->SetCells(2, grid->RowCount() - 1, QStringLiteral("total"));
    grid->FloatingFooter().SetVisible(true);
    TFooterPanel *panel = grid->FooterPanel();
    QImage img(panel->size(), QImage::Format_RGB32);
    img.fill(Qt::white);
    std::vector<TCanvasOp> ops;
    {
        TCanvas canvas(&img);
        canvas.SetRecorder(&ops);
        panel->PaintFooter(canvas);
    }
    bool found = false;
    for (const TCanvasOp &op : ops)
        found |= op.Name == QLatin1String("DrawText") && op.Text == QLatin1String("total");
    EXPECT_TRUE(found);
    EXPECT_EQ(panel->ColumnAt(85), 1);
    EXPECT_EQ(panel->ColumnAt(10000), -1);
}

}   // namespace

#include "grid/string/cellcontroleditors.h"

#include <QKeyEvent>

namespace {

// Sends a key press to a widget.
void Key(QWidget *w, int key)
{
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

TEST_F(FooterTest, ControlEditorsEndOnEnterAndMoveOnWithTab)
{
    TControlEdit *edit = grid->ControlEdit();
    ASSERT_EQ(edit->parentWidget(), grid.get());
    EXPECT_FALSE(edit->isVisible());
    int exits = 0, next = 0;
    edit->OnControlExit = [&] { ++exits; };
    edit->OnEditNextControl = [&] { ++next; };
    edit->show();
    Key(edit, Qt::Key_Return);
    EXPECT_EQ(exits, 1);
    Key(edit, Qt::Key_Tab);
    EXPECT_EQ(std::pair(exits, next), std::pair(2, 1));
    Key(edit, Qt::Key_A);
    EXPECT_EQ(exits, 2);

    // With automatic advance Tab moves the grid on instead.
    grid->Navigation().SetAdvanceAuto(true);
    grid->SetCol(1);
    grid->SetRow(2);
    TControlCombo *combo = grid->ControlCombo();
    combo->OnControlExit = [&] { ++exits; };
    combo->show();
    Key(combo, Qt::Key_Tab);
    EXPECT_EQ(exits, 3);
    EXPECT_EQ(next, 1);
    EXPECT_NE(std::pair(grid->Col(), grid->Row()), std::pair(1, 2));
}

TEST(CellControlEditors, OutsideAGridKeysAreTheirOwn)
{
    TControlEdit edit;
    int exits = 0;
    edit.OnControlExit = [&] { ++exits; };
    Key(&edit, Qt::Key_Return);
    EXPECT_EQ(exits, 0);
}

}   // namespace
