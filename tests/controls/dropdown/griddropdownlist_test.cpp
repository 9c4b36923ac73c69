// The grid drop-down: rows from the items, lookup and narrow-down in the open list, sorting
// by header clicks, sizes, choosing, the relayed events and the settings copied into the
// inner grid.
#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/dropdownscreen.h"
#include "controls/dropdown/griddropdownlist.h"
#include "grid/tools/gridtools.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

using namespace DazCustomGridDropDown;

namespace {

void Press(QWidget *W, int Key, const QString &Text = {}, Qt::KeyboardModifiers M = {})
{
    QKeyEvent e(QEvent::KeyPress, Key, M, Text);
    QApplication::sendEvent(W, &e);
}

void Release(QWidget *W, int Key, const QString &Text = {})
{
    QKeyEvent e(QEvent::KeyRelease, Key, Qt::NoModifier, Text);
    QApplication::sendEvent(W, &e);
}

void Type(QWidget *W, QChar Ch)
{
    const int key = Qt::Key_A + (Ch.toUpper().unicode() - u'A');
    Press(W, key, QString(Ch));
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, QString(Ch));
    QApplication::sendEvent(W, &up);
}

void Click(TDazStringGrid *G, int ACol, int ARow)
{
    const TRect r = G->CellRect(ACol, ARow);
    const QPointF p(r.Left + 5, r.Top + 5);
    QWidget *vp = G->viewport();
    QMouseEvent press(QEvent::MouseButtonPress, p, vp->mapToGlobal(p), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, p, vp->mapToGlobal(p), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &release);
}

class GridDropDownTest : public ::testing::Test
{
protected:
    TFakeDropDownScreenGuard Screen;
    TCustomDazGridDropDown Drop;

    GridDropDownTest()
    {
        InstallGridTools();
        Drop.DropDownHeader().SetVisible(false);
        Drop.DropDownFooter().SetVisible(false);
        Drop.move(10, 100);
        Drop.show();
    }
    ~GridDropDownTest() override { Drop.HideDropDown(false); }
    void Fill(const QStringList &Lookups)
    {
        for (int c = 0; c < 2; ++c)
            Drop.Columns().Add()->Header = QStringLiteral("H%1").arg(c);
        for (int i = 0; i < Lookups.size(); ++i) {
            TDropDownItem *item = Drop.Items().Add();
            item->Text().Add(Lookups[i]);
            item->Text().Add(QString::number(i));
        }
        Drop.EndUpdate();
    }
    TDazColGrid *Grid() const { return Drop.GetGrid(); }
};

const QStringList kFruit{"Apple", "Abacus", "Banana"};

}   // namespace

TEST_F(GridDropDownTest, RowsComeFromTheItemsWithTheirIndexAsCellObject)
{
    EXPECT_EQ(Drop.Version(), "6.0.1.1");
    Fill(kFruit);
    Drop.ShowDropDown();
    ASSERT_TRUE(Drop.DroppedDown());
    TDazColGrid &g = *Grid();
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.Cells(0, 0), "H0");
    EXPECT_EQ(int(intptr_t(g.GetObjectEx(0, 0))), -1);
    EXPECT_EQ(g.Cells(0, 3), "Banana");
    EXPECT_EQ(Drop.ItemOfRow(3), 2);
    EXPECT_EQ(Drop.RowOfItem(1), 2);
    Drop.HideDropDown(true);

    Drop.Items().Add()->Text().Add("Cherry");
    Drop.ShowDropDown();
    EXPECT_EQ(g.RowCount(), 5);   // rebuilt at every opening
    EXPECT_EQ(g.Cells(0, 4), "Cherry");
}

TEST_F(GridDropDownTest, NarrowDownLeavesTheRowsContainingTheTypedText)
{
    Fill(kFruit);
    Drop.LookupMethod = lmNarrowDown;
    Drop.ShowDropDown();
    Type(Grid(), u'b');
    EXPECT_EQ(Grid()->RowCount(), 3);   // Abacus and Banana
    EXPECT_EQ(Grid()->Cells(0, 1), "Abacus");
    EXPECT_EQ(Drop.text(), "Abacus");
    EXPECT_EQ(Drop.selectedText(), "bacus");
    EXPECT_EQ(Grid()->Row(), 1);
    Drop.HideDropDown(true);
    EXPECT_EQ(Grid()->RowCount(), 3);   // the filter stays ...
    QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(&Drop, &in);
    EXPECT_EQ(Grid()->RowCount(), 4);   // ... until the edit gets the focus
}

TEST_F(GridDropDownTest, LookupStylesAndNone)
{
    Fill({"Apple", "Abacus", "Banana", "Cherry"});
    Drop.SetStyle(dsDropDownList);
    EXPECT_FALSE(Drop.EditorEnabled());
    Drop.ShowDropDown();
    Type(Grid(), u'a');
    Type(Grid(), u'b');
    EXPECT_EQ(Drop.text(), "Abacus");
    EXPECT_EQ(Grid()->Row(), 2);
    Type(Grid(), u'c');   // "abc" continues nothing: "c" alone finds Cherry
    EXPECT_EQ(Drop.text(), "Cherry");
    EXPECT_EQ(Drop.ItemIndex(), 3);
    EXPECT_EQ(Drop.ListSearch(u'z'), -1);   // "cz" and "z" fail: the prefix empties
    EXPECT_EQ(Drop.ListSearch(u'b'), 2);    // so "b" starts afresh
    Drop.HideDropDown(true);

    Drop.SetStyle(dsDropDown);
    EXPECT_TRUE(Drop.EditorEnabled());
    Drop.LookupMethod = lmNone;
    Drop.SetItemIndex(0);
    Drop.ShowDropDown();
    Type(Grid(), u'b');
    EXPECT_EQ(Drop.ItemIndex(), 0);
    EXPECT_EQ(Drop.ListSearch(u'b'), -1);
    Drop.HideDropDown(true);

    Drop.AutoShowDropDown = true;
    Drop.SetText(QString());
    Type(&Drop, u'x');
    EXPECT_TRUE(Drop.DroppedDown());
}

TEST_F(GridDropDownTest, HeaderClickSortKeepsTheItemAndTheNextOpeningShowsTheOrder)
{
    Fill({"Cherry", "Apple", "Banana"});
    Drop.Sorting = gsSingleColumn;
    Drop.SetItemIndex(0);
    Drop.ShowDropDown();
    EXPECT_TRUE(Grid()->SortSettings().Show());
    EXPECT_FALSE(Grid()->SortSettings().IndexShow());
    Click(Grid(), 0, 0);   // the header: sorts by column 0
    TDazColGrid &g = *Grid();
    EXPECT_EQ(g.Cells(0, 1), "Apple");
    EXPECT_EQ(g.Row(), 3);   // Cherry moved with its item
    EXPECT_EQ(Drop.ItemIndex(), 0);
    EXPECT_EQ(Drop.ItemOfRow(3), 0);
    Drop.HideDropDown(true);
    Drop.ShowDropDown();
    EXPECT_EQ(Grid()->Cells(0, 1), "Apple");   // sorted again at the opening
    EXPECT_EQ(Grid()->Cells(0, 3), "Cherry");
    EXPECT_EQ(Drop.ItemOfRow(Grid()->Row()), 0) << "the current row is still the chosen item";
    EXPECT_EQ(Drop.ItemIndex(), 0);
    Drop.HideDropDown(true);
    Drop.Sorting = gsMultiColumn;
    Drop.ShowDropDown();
    EXPECT_TRUE(Grid()->SortSettings().IndexShow());
}

TEST_F(GridDropDownTest, HeightHoldsWholeRowsAndColumnsFollowTheGrid)
{
    Fill(kFruit);
    Drop.ShowDropDown();
    EXPECT_EQ(Drop.DropDownForm()->height(), 25 + 6 + 7 * 22);   // 185 from 200
    Drop.HideDropDown(true);

    TCustomDazGridDropDown cells;
    cells.UseItems = false;
    cells.GetGrid()->SetColCount(4);
    cells.GetGrid()->SetRowCount(3);
    cells.GetGrid()->SetCells(0, 1, "one");
    cells.GetGrid()->SetCells(0, 2, "two");
    cells.Columns().Add();
    cells.show();
    cells.ShowDropDown();
    EXPECT_EQ(cells.GetGrid()->ColCount(), 4);   // never lowered by the loading
    EXPECT_EQ(cells.Columns().Count(), 4);       // default columns added to match
    EXPECT_EQ(cells.ItemIndex(), -1);
    Press(cells.GetGrid(), Qt::Key_Down);
    EXPECT_EQ(cells.GetText(), "two");
    EXPECT_EQ(cells.ItemIndex(), 1);
    cells.HideDropDown(false);
}

TEST_F(GridDropDownTest, ChoosingClosingAndCheckBoxCells)
{
    Fill(kFruit);
    int selects = 0;
    Drop.OnSelect = [&](TObject *) { ++selects; };
    Drop.SetItemIndex(0);
    Drop.ShowDropDown();
    Press(Grid(), Qt::Key_Down);
    Press(Grid(), Qt::Key_Return, "\r");   // chosen although the grid never sees Enter
    EXPECT_FALSE(Drop.DroppedDown());
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(Drop.ItemIndex(), 1);

    // A click on a check box changes it and keeps the list open.
    Drop.ShowDropDown();
    Grid()->AddCheckBox(1, 3, false, false);
    Click(Grid(), 1, 3);
    EXPECT_TRUE(Drop.DroppedDown());
    EXPECT_EQ(selects, 1);
    Click(Grid(), 0, 3);
    EXPECT_FALSE(Drop.DroppedDown());
    EXPECT_EQ(Drop.ItemIndex(), 2);

    // Wheeling, then a click outside, keeps the item from before the wheel; cancelling
    // restores the item of the opening.
    Drop.ShowDropDown();
    Grid()->DoMouseWheelUp({}, QPoint(5, 40));
    Drop.DropDownForm()->Deactivated(nullptr);
    EXPECT_EQ(Drop.ItemIndex(), 2);
    Drop.ShowDropDown();
    Press(Grid(), Qt::Key_Up);
    EXPECT_EQ(Drop.ItemIndex(), 1);
    Drop.HideDropDown(true);
    EXPECT_EQ(Drop.ItemIndex(), 2);

    // With GridEditable a choice keeps the list open.
    Drop.GridEditable = true;
    Drop.ShowDropDown();
    Grid()->DoSelect();
    EXPECT_TRUE(Drop.DroppedDown());
    EXPECT_EQ(selects, 3);
}

TEST_F(GridDropDownTest, RelaysPassTheGridsEventsOn)
{
    Fill(kFruit);
    Drop.Columns().Items(1)->Alignment = taCenter;
    Drop.Columns().Items(1)->Color = 0x00FF00;
    QStringList seen;
    bool probing = false;
    Drop.OnGridRightClickCell = [&](TObject *S, int R, int C) {
        seen << QStringLiteral("right %1,%2 %3").arg(R).arg(C).arg(S == Drop.GetGrid());
    };
    Drop.OnGridGetAlignment = [&](TObject *, int, int, TAlignment &H, TVAlignment &) {
        if (probing)
            seen << QStringLiteral("align %1").arg(int(H));
    };
    Drop.OnGridGetCellColor = [&](TObject *, int, int, TGridDrawState, TBrush &B, TFont &) {
        if (probing)
            seen << QStringLiteral("color %1").arg(B.Color, 0, 16);
    };
    Drop.OnGridGetFloatFormat = [&](TObject *, int, int, bool &, QString &F) {
        seen << "format [" + F + "]";
    };
    Drop.OnGridAnchorClick = [&](TObject *, int, int, const QString &, bool &) {
        seen << QStringLiteral("anchor blocked %1").arg(Drop.DropDownForm()->BlockActivate);
    };
    Drop.OnGridKeyDown = [&](TObject *S, uint16_t &, TShiftState) {
        seen << QStringLiteral("key %1").arg(S == &Drop);
    };
    Drop.OnGridSearchEditChange = [&](TObject *, const QString &Value, bool &) {
        seen << "search " + Value;
    };
    Drop.ShowDropDown();
    TDazColGrid &g = *Grid();
    probing = true;
    g.OnRightClickCell(&g, 2, 1);
    TAlignment h = taLeftJustify;
    TVAlignment v = vtaTop;
    g.OnGetAlignment(&g, 1, 1, h, v);
    TBrush brush;
    TFont font;
    g.OnGetCellColor(&g, 1, 1, {}, brush, font);
    bool isFloat = true;
    QString format = "%.2f";
    g.OnGetFloatFormat(&g, 1, 1, isFloat, format);
    bool autoHandle = true;
    g.OnAnchorClick(&g, 1, 1, "x", autoHandle);
    Press(&g, Qt::Key_Down);
    bool defaultSearch = true;
    g.OnSearchEditChange(&g, "ap", defaultSearch);
    probing = false;
    EXPECT_EQ(seen, (QStringList{"right 2,1 1", "align 2", "color ff00", "format []",
                                 "anchor blocked 1", "key 1", "search ap"}));
    EXPECT_FALSE(Drop.DropDownForm()->BlockActivate);
    EXPECT_FALSE(bool(g.OnCustomCellDraw));   // attached only when assigned at opening
}

TEST_F(GridDropDownTest, SettingsAndStylesReachTheInnerGrid)
{
    Fill(kFruit);
    Drop.Navigation().SetAdvanceInsert(true);
    Drop.Bands().SetActive(true);
    Drop.SearchFooter().SetShowClose(false);
    EXPECT_EQ(Drop.Navigation().HomeEndKey(), heFirstLastRow);
    Drop.ShowDropDown();
    EXPECT_TRUE(Grid()->Navigation().AdvanceInsert());
    EXPECT_EQ(Grid()->Navigation().HomeEndKey(), heFirstLastRow);
    EXPECT_TRUE(Grid()->Bands().Active());
    EXPECT_FALSE(Grid()->SearchFooter().ShowClose());
    Drop.HideDropDown(true);

    for (TQVRStyle s : {tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black}) {
        TCustomDazGridDropDown d;
        const TColor header = d.HeaderColor, line = d.LineColor;
        d.SetComponentStyle(s);
        EXPECT_EQ(d.HeaderColor, header) << s;
        EXPECT_EQ(d.LineColor, line) << s;
    }
    TCustomDazGridDropDown d;
    d.SetComponentStyle(tsOffice2003Blue);
    EXPECT_EQ(d.HeaderColor, TColor(0xD68759));
    EXPECT_EQ(d.LineColor, TColor(0x962D00));
}

TEST_F(GridDropDownTest, EnterInAnEditableListCellChoosesItsRow)
{
    // The rows are the grid's own cells, so an edited lookup cell is what the edit shows.
    Drop.UseItems = false;
    Drop.GridEditable = true;
    Drop.RowSelect = false;
    TDazColGrid &g = *Grid();
    g.SetColCount(2);
    g.SetRowCount(4);
    for (int r = 1; r < 4; ++r) {
        g.SetCells(0, r, kFruit[r - 1]);
        g.SetCells(1, r, QString::number(r));
    }
    Drop.ShowDropDown();
    auto editCell = [&](int ACol, int ARow, const QString &Text) {
        g.SetRow(ARow);
        g.SetCol(ACol);
        g.ShowInplaceEdit();
        ASSERT_TRUE(g.EditMode());
        g.InplaceEditor()->selectAll();
        for (QChar c : Text)
            Type(g.InplaceEditor(), c);
        Press(g.InplaceEditor(), Qt::Key_Return, "\r");
    };

    // Outside the lookup column the row is chosen and only the cell editor closes.
    editCell(1, 2, "x");
    EXPECT_FALSE(g.EditMode());
    EXPECT_EQ(Drop.text(), "Abacus");
    EXPECT_EQ(Drop.ItemIndex(), 1);
    Release(&g, Qt::Key_Return, "\r");
    EXPECT_TRUE(Drop.DroppedDown());

    // In the lookup column the edited cell goes into the edit and the release closes the list.
    editCell(0, 3, "Blue");
    EXPECT_EQ(Drop.text(), "Blue");
    EXPECT_EQ(Drop.ItemIndex(), 2);
    EXPECT_TRUE(Drop.DroppedDown());
    Release(&g, Qt::Key_Return, "\r");
    EXPECT_FALSE(Drop.DroppedDown());
    EXPECT_EQ(Drop.ItemIndex(), 2);
    EXPECT_EQ(Drop.text(), "Blue");
}
