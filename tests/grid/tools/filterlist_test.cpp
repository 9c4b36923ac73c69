// The header filter list: entries, choices, ticks, where it opens and how it closes.
#include "grid/string/headerdrag.h"
#include "grid/tools/filterdropdown.h"
#include "grid/tools/gridfilter.h"
#include "grid/tools/gridtoolstate.h"
#include "toolgrid.h"

#include <QApplication>
#include <QStyle>

using namespace GridFilterList;

namespace {

struct FilterListTest : ToolGridTest
{
    FilterListTest()
    {
        Fill({L({"h0", "h1"}), L({"1", "b"}), L({"2", "a"}), L({"3", "b"}), L({"4", "x y"})}, 1);
        Grid.SetFilterDropDownAuto(true);
        Grid.SetDefaultColWidth(100);
        Grid.SetDefaultRowHeight(20);
        Grid.resize(400, 300);
        Grid.show();
        QApplication::processEvents();
    }
    // A release on the button of the header cell of display column ACol.
    void ClickButton(int ACol)
    {
        const TRect r = Grid.CellRect(ACol, 0);
        MouseUp(Grid, r.Right - 8, r.Top + 5);
    }
    QStringList Shown(QListWidget &List)
    {
        QStringList out;
        for (int i = 0; i < List.count(); ++i)
            out << List.item(i)->text();
        return out;
    }
};

}   // namespace

TEST_F(FilterListTest, AutomaticEntriesAndAChoice)
{
    ASSERT_TRUE(Grid.GetFilterList(1));
    EXPECT_EQ(Grid.FilterList().ToStringList(), L({"(All)", "a", "b", "x y=\"x y\""}));
    ClickButton(1);
    TDropList &list = DropList(Grid);
    ASSERT_TRUE(list.isVisible());
    EXPECT_EQ(FilterCol(Grid), 1);
    EXPECT_EQ(Shown(list), L({"(All)", "a", "b", "x y"}));
    EXPECT_EQ(list.currentRow(), 0);
    FilterSelect(Grid, 3);
    EXPECT_EQ(FilterCol(Grid), -1);
    ASSERT_EQ(Grid.Filter().Count(), 1);
    EXPECT_EQ(Grid.Filter().Items(0)->Condition(), QStringLiteral("\"x y\""));
    EXPECT_EQ(Column(0), L({"h0", "4"}));
    // "(All)" removes the column's filter and the rows come back.
    ClickButton(1);
    FilterSelect(Grid, 0);
    EXPECT_EQ(Grid.Filter().Count(), 0);
    EXPECT_EQ(Grid.RowCount(), 5);
}

TEST_F(FilterListTest, SelectHandlerAndManualUpdate)
{
    TGridToolState::Of(Grid).OnFilterSelect = [](TObject *, int, int, const QString &Name,
                                                 QString &Condition) {
        if (Name == QLatin1String("a"))
            Condition.clear();
    };
    Grid.Filter().ColumnFilter(1)->SetCondition(QStringLiteral("b"));
    ClickButton(1);
    FilterSelect(Grid, 1);   // emptied by the handler: removed
    EXPECT_EQ(Grid.Filter().Count(), 0);
    Grid.SetAutoFilterUpdate(false);
    ClickButton(1);
    FilterSelect(Grid, 2);
    EXPECT_EQ(Grid.Filter().Items(0)->Condition(), QStringLiteral("b"));
    EXPECT_EQ(Grid.RowCount(), 5);   // only the list changed
    GridFilter::SetFilterActive(Grid, false);   // on since the first choice
    GridFilter::SetFilterActive(Grid, true);
    EXPECT_EQ(Column(0), L({"h0", "1", "3"}));
}

TEST_F(FilterListTest, CheckListBuildsAnOrList)
{
    TGridToolState::Of(Grid).FilterDropDownCheck = true;
    ClickButton(1);
    TDropCheckList &list = DropCheckList(Grid);
    ASSERT_TRUE(list.isVisible());
    list.item(1)->setCheckState(Qt::Checked);   // a
    list.item(2)->setCheckState(Qt::Checked);   // b
    ASSERT_EQ(Grid.Filter().Count(), 2);
    EXPECT_EQ(Grid.Filter().Items(0)->Condition(), QStringLiteral("a"));
    EXPECT_EQ(Grid.Filter().Items(0)->Operation(), foNONE);
    EXPECT_EQ(Grid.Filter().Items(1)->Condition(), QStringLiteral("b"));
    EXPECT_EQ(Grid.Filter().Items(1)->Operation(), foOR);
    EXPECT_EQ(Column(0), L({"h0", "1", "2", "3"}));
    EXPECT_TRUE(list.isVisible());
    // Opened again, the ticks come from the Filter list.
    MouseUp(Grid, 5, 100);
    EXPECT_FALSE(list.isVisible());
    ClickButton(1);
    EXPECT_EQ(list.item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(list.item(3)->checkState(), Qt::Unchecked);
}

TEST_F(FilterListTest, OpeningZonePlaceAndSize)
{
    const TRect cell = Grid.CellRect(0, 0);
    const struct { int X, Y; bool Opens; } clicks[] = {
        {cell.Right - 16, 5, false}, {cell.Right - 15, 5, true}, {cell.Right - 4, 5, true},
        {cell.Right - 3, 5, false}, {cell.Right - 8, cell.Top + 18, true}, {cell.Right - 8, cell.Top + 19, false}};
    Grid.SetDefaultRowHeight(30);
    for (const auto &c : clicks) {
        MouseUp(Grid, 5, 200);   // closes whatever is open
        MouseUp(Grid, c.X, c.Y);
        EXPECT_EQ(FilterCol(Grid) == 0, c.Opens) << c.X << "," << c.Y;
    }
    Grid.SetFilterDropDownColumns(fdAll);
    ClickButton(1);
    TDropList &list = DropList(Grid);
    const TRect c1 = Grid.CellRect(1, 0);
    EXPECT_EQ(list.geometry(), QRect(c1.Right - 16, c1.Top + 16, 150, 150));
    Grid.FilterDropDown().SetColumnWidth(true);
    ClickButton(0);
    ClickButton(1);
    EXPECT_EQ(list.geometry(), QRect(c1.Left, c1.Top + 16, c1.Right - c1.Left, 150));
    Grid.FilterDropDown().SetColumnWidth(false);
    Grid.FilterDropDown().SetAutoSize(true);
    ClickButton(0);
    ClickButton(1);
    const int edge = list.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &list);
    EXPECT_EQ(list.height(), 4 * list.sizeHintForRow(0) + 2 * edge);
    // Past the right edge: aligned to the column's right edge instead.
    Grid.FilterDropDown().SetAutoSize(false);
    Grid.FilterDropDown().SetWidth(300);
    ClickButton(0);
    ClickButton(1);
    EXPECT_EQ(list.geometry().left(), std::max(0, c1.Right - 300));
    // A release elsewhere hides it.
    MouseUp(Grid, 5, 100);
    EXPECT_FALSE(list.isVisible());
    EXPECT_EQ(FilterCol(Grid), -1);
}

TEST_F(FilterListTest, DropDownRowAndSettings)
{
    SetFilterDropDownRow(Grid, 1);   // = FixedRows: ignored
    EXPECT_EQ(Grid.FilterDropDownRow(), 0);
    Grid.SetFixedRows(2);
    SetFilterDropDownRow(Grid, 1);
    EXPECT_EQ(Grid.FilterDropDownRow(), 1);
    TFilterDropDown d;
    EXPECT_EQ(d.Width(), 150);
    EXPECT_EQ(d.Height(), 150);
    EXPECT_FALSE(d.AutoSize());
    TFilterDropDown src;
    src.SetAutoSize(true);
    src.SetWidth(99);
    src.SetColor(0x123456);
    d.Assign(&src);
    EXPECT_FALSE(d.AutoSize());
    EXPECT_EQ(d.Width(), 99);
    EXPECT_EQ(d.Color(), 0x123456u);
    // A choice with no open column or a bad index changes nothing.
    FilterSelect(Grid, 1);
    EXPECT_EQ(Grid.Filter().Count(), 0);
}

// The floating picture of a selection never takes the activation or the focus from the grid.
TEST_F(FilterListTest, SelectionPictureTakesNoActivation)
{
    Grid.setFocus();
    std::unique_ptr<TDragImageForm> form(Grid.SelectionToForm(TGridRect{0, 1, 1, 2}));
    ASSERT_TRUE(form);
    EXPECT_TRUE(form->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_EQ(form->focusPolicy(), Qt::NoFocus);
    // (The headless platform activates every window it shows, so the showing itself is not
    // checked here.)
}
