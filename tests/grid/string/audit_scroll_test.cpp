// The Metro look's thin scroll bars: created and removed with the scroll type, a thumb that
// follows the view, paging by a press beside the thumb and dragging the thumb.
#include "paintfixture.h"

#include "grid/string/scrollcontrol.h"

#include <QMouseEvent>

namespace {

class MetroScrollTest : public PaintFixture
{
protected:
    void SetUp() override
    {
        PaintFixture::SetUp();
        grid->SetRowCount(200);
        grid->resize(400, 11 * 22);   // a fixed row and 10 normal rows
        grid->SetScrollType(ssMetro);
        QApplication::processEvents();
        bar = grid->VertScrollControl();
    }

    void Press(QWidget *w, int x, int y, QEvent::Type type = QEvent::MouseButtonPress)
    {
        const QPointF at(x, y);
        QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }

    TScrollControl *bar = nullptr;
};

TEST_F(MetroScrollTest, ScrollTypeSwapsTheStandardBarsForThinOnesAndBack)
{
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(grid->HorzScrollControl(), nullptr);
    EXPECT_EQ(grid->ScrollBars(), ssNone);
    EXPECT_EQ(bar->Direction(), sdVertical);
    EXPECT_EQ(grid->HorzScrollControl()->Direction(), sdHorizontal);
    // Six pixels along the right edge, over the whole height.
    EXPECT_EQ(bar->geometry(), QRect(grid->width() - 6, 0, 6, grid->height()));
    EXPECT_EQ(bar->Color(), TColor(0xC0C0C0));
    EXPECT_EQ(bar->ScrollWidth(), 4);

    grid->SetScrollType(ssNormal);
    EXPECT_EQ(grid->VertScrollControl(), nullptr);
    EXPECT_EQ(grid->HorzScrollControl(), nullptr);
    EXPECT_EQ(grid->ScrollBars(), ssBoth);
    // A grid that never had thin bars keeps its own scroll bar setting.
    grid->SetScrollBars(ssVertical);
    grid->SetScrollType(ssFlat);
    EXPECT_EQ(grid->ScrollBars(), ssVertical);
}

TEST_F(MetroScrollTest, ThumbRunsFromBelowTheFixedRowsToTheBottom)
{
    ASSERT_TRUE(bar->Scrollable());
    EXPECT_EQ(bar->ThumbPos(), 22);   // below the fixed row
    EXPECT_EQ(bar->ThumbSize(), 20);  // 10 of 200 rows is less than the least size
    grid->SetTopRow(grid->RowCount() - grid->VisibleRowCount());
    EXPECT_EQ(bar->ThumbPos() + bar->ThumbSize(), bar->height());
    // All rows visible: no thumb.
    grid->SetRowCount(5);
    EXPECT_FALSE(bar->Scrollable());
    EXPECT_FALSE(grid->HorzScrollControl()->Scrollable());
}

TEST_F(MetroScrollTest, PressBesideTheThumbPagesAndDraggingItScrolls)
{
    const int page = grid->VisibleRowCount();
    Press(bar, 2, bar->height() - 2);   // below the thumb
    EXPECT_EQ(grid->TopRow(), 1 + page);
    Press(bar, 2, bar->height() - 2);
    EXPECT_EQ(grid->TopRow(), 1 + 2 * page);
    Press(bar, 2, 2);                   // above the thumb
    EXPECT_EQ(grid->TopRow(), 1 + page);

    // Drag the thumb by half the track below the first row: half the rows further on.
    const int y = bar->ThumbPos() + 1;
    Press(bar, 2, y);
    Press(bar, 2, y + (bar->height() - 22) / 2, QEvent::MouseMove);
    EXPECT_EQ(grid->TopRow(), 1 + page + 100);
    Press(bar, 2, y + 5000, QEvent::MouseMove);   // held at the last page
    EXPECT_EQ(grid->TopRow(), grid->RowCount() - page);
    Press(bar, 2, y, QEvent::MouseButtonRelease);
    Press(bar, 2, y + 40, QEvent::MouseMove);     // released: no more dragging
    EXPECT_EQ(grid->TopRow(), grid->RowCount() - page);
}

}   // namespace
