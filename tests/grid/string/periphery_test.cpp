// The grid's periphery: drag pictures, the search bar's layout, following the window's
// size, the widths as loaded, the small relays and the filter item's copy.
#include "paintfixture.h"

#include "grid/string/headerdrag.h"
#include "grid/string/searchpanel.h"

namespace {

using Periphery = PaintFixture;

TEST_F(Periphery, DragPictureOfCellRanges)
{
    std::unique_ptr<TDragImageForm> one(grid->SelectionToForm({2, 2, 2, 2}));
    const TRect cell = grid->UnclippedCellRect(2, 2);
    EXPECT_EQ(one->Image().size(), QSize(cell.Width() + 1, cell.Height() + 1));
    EXPECT_FALSE(one->isVisible());
    EXPECT_NEAR(one->windowOpacity(), 192 / 255.0, 0.01);

    std::unique_ptr<TDragImageForm> normal(grid->SelectionToForm({1, 1, 3, 2}));
    std::unique_ptr<TDragImageForm> reversed(grid->SelectionToForm({3, 2, 1, 1}));
    EXPECT_EQ(normal->Image(), reversed->Image());

    // Column 0 of a grid with fixed columns gets a frame line down its left edge.
    grid->SetGridFixedLineColor(0x0000FF);
    std::unique_ptr<TDragImageForm> first(grid->SelectionToForm({0, 2, 0, 3}));
    EXPECT_EQ(first->Image().pixelColor(0, 5), QColor(255, 0, 0));
    grid->SetOptions(grid->Options() - goFixedHorzLine);
    std::unique_ptr<TDragImageForm> plain(grid->SelectionToForm({0, 2, 0, 3}));
    EXPECT_NE(plain->Image().pixelColor(0, 5), QColor(255, 0, 0));
}

TEST_F(Periphery, SearchBarLayout)
{
    grid->SearchFooter().SetVisible(true);
    TSearchPanel *panel = grid->SearchPanel();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->height(), 32);
    EXPECT_EQ(panel->y(), grid->height() - 32);
    EXPECT_EQ(panel->MatchCase()->x(), 425);
    grid->SearchFooter().SetShowHighLight(false);
    EXPECT_FALSE(panel->HighLightButton()->isVisibleTo(panel));
    EXPECT_EQ(panel->HighLightButton()->height(), 0);
    EXPECT_EQ(panel->MatchCase()->x(), 330);

    grid->SearchFooter().SetHintClose(QString());
    grid->SearchFooter().SetHintFindNext(QStringLiteral("next one"));
    EXPECT_TRUE(panel->CloseButton()->toolTip().isEmpty());
    EXPECT_EQ(panel->ForwardButton()->toolTip(), "next one");
    grid->SearchFooter().SetFindNextCaption(QStringLiteral("Find &next"));
    EXPECT_EQ(panel->ForwardButton()->Caption(), "Find &next");
    grid->SearchFooter().SetColor(0x00FF00);
    EXPECT_EQ(panel->Color(), TColor(0x00FF00));

    grid->SearchFooter().SetVisible(false);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(panel->height(), 0);
}

TEST_F(Periphery, HighlightsGoWhenTheBarAlwaysHighlights)
{
    grid->SetCells(2, 2, QStringLiteral("<hi>a</hi>b"));
    grid->SearchFooter().SetVisible(true);
    grid->SearchFooter().SetAlwaysHighLight(true);
    grid->SearchFooter().SetColor(clRed);   // any change applies the settings again
    EXPECT_EQ(grid->Cells(2, 2), "ab");
}

TEST(PeripheryForm, TheGridFollowsItsWindowsSize)
{
    QWidget form;
    form.resize(500, 400);
    auto *grid = new TDazStringGrid(&form);
    grid->setGeometry(10, 10, 300, 200);
    form.show();   // a hidden window hears of its size only when it is shown
    grid->SetSizeWithForm(true);
    form.resize(540, 430);
    EXPECT_EQ(grid->size(), QSize(340, 230));
    // A shrink that would leave nothing of the grid changes nothing.
    form.resize(100, 430);
    EXPECT_EQ(grid->size(), QSize(340, 230));
    form.resize(560, 430);
    EXPECT_EQ(grid->size(), QSize(360, 230));

    grid->SetSizeWithForm(false);
    form.resize(600, 500);
    EXPECT_EQ(grid->size(), QSize(360, 230));
}

TEST(PeripheryForm, StretchColumnFollowsTheWindow)
{
    QWidget form;
    form.resize(500, 400);
    auto *grid = new TDazStringGrid(&form);
    grid->setFrameShape(QFrame::NoFrame);
    grid->SetScrollBars(ssNone);
    grid->SetColCount(3);
    grid->setGeometry(0, 0, 300, 200);
    form.show();
    grid->SetSizeWithForm(true);
    grid->ColumnSize().SetStretch(true);
    form.resize(560, 400);
    int total = 0;
    for (int c = 0; c < grid->ColCount(); ++c)
        total += grid->ColWidths(c);
    EXPECT_NEAR(total, grid->ClientWidth(), 1);   // the stretch keeps the right line
}

TEST(PeripherySmall, WidthsAsLoadedDragsFromListsAndUnitRelay)
{
    TDazStringGrid grid;
    grid.SetColCount(3);
    grid.SetColWidths(1, 77);
    grid.InitOrigColSizes();
    ASSERT_EQ(grid.OrigColSizes().Count(), 3);
    EXPECT_EQ(grid.OrigColSizes().GetInteger(1), 77);
    EXPECT_EQ(grid.OldSize(), grid.width());

    EXPECT_EQ(grid.OleDragCol(), -1);
    QWidget list;
    grid.OleColumnDragStart(2, 5, &list);
    EXPECT_EQ(grid.OleDragCol(), 2);
    EXPECT_EQ(grid.OleDragIndex(), 5);
    EXPECT_EQ(grid.OleDragList(), &list);

    QString unit;
    grid.OnUnitChanged = [&](TObject *, int C, int R, const QString &U) {
        unit = QStringLiteral("%1,%2 %3").arg(C).arg(R).arg(U);
    };
    grid.FocusCell(2, 1);
    grid.UnitEditChanged(QStringLiteral("mA"));
    EXPECT_EQ(unit, "2,1 mA");
}

TEST(PeripherySmall, FilterItemCopyAndNil)
{
    TFilterData src(nullptr), dst(nullptr);
    EXPECT_TRUE(dst.CaseSensitive());
    EXPECT_EQ(dst.Method(), fmExpression);
    src.SetColumn(4);
    src.SetCondition(QStringLiteral(">5"));
    src.SetData(fcStripHTML);
    src.SetPrefix(QStringLiteral("p"));
    src.SetSuffix(QStringLiteral("s"));
    src.SetOperation(foXOR);
    src.SetMethod(fmLiteral);
    dst.Assign(&src);
    EXPECT_EQ(dst.Method(), fmLiteral);
    EXPECT_EQ(dst.Column(), 4);
    EXPECT_EQ(dst.Data(), fcStripHTML);
    EXPECT_EQ(dst.Suffix(), "s");
    EXPECT_EQ(dst.Operation(), foXOR);
    dst.Assign(nullptr);
    EXPECT_EQ(dst.Condition(), ">5");
}

}   // namespace
