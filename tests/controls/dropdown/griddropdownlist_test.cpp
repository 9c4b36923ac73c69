// The grid drop-down: rows from the items, lookup and narrow-down in the open list, sorting
// by header clicks, sizes, choosing, the relayed events and the settings copied into the
// inner grid.
#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/dropdownscreen.h"
#include "controls/dropdown/griddropdownlist.h"
#include "grid/base/imagelist.h"
#include "grid/tools/gridtools.h"
#include "platform/canvas.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>

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

void MouseTo(TDazStringGrid *G, QEvent::Type Type, QPointF P, Qt::MouseButton Button,
             Qt::MouseButtons Buttons)
{
    QWidget *vp = G->viewport();
    QMouseEvent e(Type, P, vp->mapToGlobal(P), Button, Buttons, Qt::NoModifier);
    QApplication::sendEvent(vp, &e);
}

// Fires a grid event and answers the Sender the drop-down's event saw (none when it did
// not fire).
template <class E, class... A>
TObject *Relayed(E &DropEvent, E &GridEvent, TObject *Grid, A &&...Args)
{
    TObject *sender = nullptr;
    DropEvent = [&sender](TObject *S, auto &&...) { sender = S; };
    if (GridEvent)
        GridEvent(Grid, std::forward<A>(Args)...);
    DropEvent = nullptr;
    return sender;
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
    Drop.SetItemIndex(2);
    Drop.ShowDropDown();
    ASSERT_TRUE(Drop.DroppedDown());
    TDazColGrid &g = *Grid();
    // Loading the list moves its current row about; the item stays the one chosen.
    EXPECT_EQ(Drop.ItemIndex(), 2);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.ColCount(), 2);   // the items set the column count to the columns'
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
    Type(Grid(), u'z');   // "bz" leaves no row: the typed prefix is emptied ...
    EXPECT_EQ(Grid()->RowCount(), 1);
    Type(Grid(), u' ');   // ... so a blank trims to nothing and every row is back
    EXPECT_EQ(Grid()->RowCount(), 4);
    Type(Grid(), u'b');   // and narrowing starts afresh
    EXPECT_EQ(Grid()->RowCount(), 3);
    Drop.HideDropDown(true);
    EXPECT_EQ(Grid()->RowCount(), 3);   // the filter stays ...
    QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(&Drop, &in);
    EXPECT_EQ(Grid()->RowCount(), 4);   // ... until the edit gets the focus
}

TEST_F(GridDropDownTest, NarrowedToNothingTheListTakesKeysAndChoosesNothing)
{
    Fill(kFruit);
    Drop.LookupMethod = lmNarrowDown;
    Drop.SetItemIndex(2);
    Drop.ShowDropDown();
    Type(Grid(), u'x');
    ASSERT_EQ(Grid()->RowCount(), 1);   // the header alone
    for (int key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_PageDown})
        EXPECT_NO_THROW(Press(Grid(), key)) << key;
    Grid()->DoMouseWheelDown({}, QPoint(5, 30));
    EXPECT_NO_THROW(Press(Grid(), Qt::Key_Return, "\r"));
    EXPECT_FALSE(Drop.DroppedDown());
    EXPECT_EQ(Drop.ItemIndex(), 2);   // a filtered-out row is not chosen
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
    Grid()->ControlLook().SetCheckAlwaysActive(true);   // the list itself is not editable
    Grid()->AddCheckBox(1, 3, false, false);
    Click(Grid(), 1, 3);
    EXPECT_TRUE(Drop.DroppedDown());
    EXPECT_TRUE(Grid()->IsChecked(1, 3));
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

    // Alt+Down in the list is the edit's key: it closes the list.
    Drop.ShowDropDown();
    Press(Grid(), Qt::Key_Down, {}, Qt::AltModifier);
    EXPECT_FALSE(Drop.DroppedDown());
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

    // Each key event of the list fires once, from the key forwarding.
    QStringList keys;
    Drop.OnGridKeyDown = [&](TObject *S, uint16_t &, TShiftState) {
        keys << QStringLiteral("down %1").arg(S == &Drop);
    };
    Drop.OnGridKeyPress = [&](TObject *S, QChar &) {
        keys << QStringLiteral("press %1").arg(S == &Drop);
    };
    Drop.OnGridKeyUp = [&](TObject *S, uint16_t &, TShiftState) {
        keys << QStringLiteral("up %1").arg(S == &Drop);
    };
    Type(&g, u'q');
    EXPECT_EQ(keys, (QStringList{"down 1", "press 1", "up 1"}));
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
    d.show();
    d.ShowDropDown();
    EXPECT_EQ(d.GetGrid()->ComponentStyle(), tsOffice2003Blue);
    d.HideDropDown(true);
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

TEST_F(GridDropDownTest, EveryAttachedRelayFiresItsEventWithTheGridAsSender)
{
    Fill(kFruit);
    TCustomCellDrawEvent noDraw = [](TObject *, TCanvas &, int, int, TGridDrawState,
                                     const TRect &, bool) {};
    Drop.OnGridCustomCellDraw = noDraw;   // these two are attached only when assigned
    Drop.OnGridCustomCellBkgDraw = noDraw;
    Drop.ShowDropDown();
    TDazColGrid &g = *Grid();
    bool flag = true;
    int number = 0;
    QString text, text2;
    TColor c1 = 0, c2 = 0, c3 = 0, c4 = 0;
    TCellGradientDirection direction = GradientVertical;
    TAlignment h = taLeftJustify;
    TVAlignment v = vtaTop;
    TBrush brush;
    TFont font;
    TEditorType editor = edNormal;
    TSortStyle style = ssAlphabetic;
    QImage image(8, 8, QImage::Format_ARGB32);
    TCanvas canvas(&image);
    const TRect rect{0, 0, 8, 8};

    QStringList missed;
    auto expect = [&](const char *Name, TObject *Sender) {
        if (Sender != &g)
            missed << Name;
    };
    expect("AnchorClick", Relayed(Drop.OnGridAnchorClick, g.OnAnchorClick, &g, 1, 0, text, flag));
    expect("AnchorEnter", Relayed(Drop.OnGridAnchorEnter, g.OnAnchorEnter, &g, 1, 0, text));
    expect("AnchorExit", Relayed(Drop.OnGridAnchorExit, g.OnAnchorExit, &g, 1, 0, text));
    expect("AnchorHint", Relayed(Drop.OnGridAnchorHint, g.OnAnchorHint, &g, 1, 0, text));
    expect("ButtonClick", Relayed(Drop.OnGridButtonClick, g.OnButtonClick, &g, 0, 1));
    expect("ColumnSize", Relayed(Drop.OnGridColumnSize, g.OnColumnSize, &g, 0, flag));
    expect("ColumnSizing", Relayed(Drop.OnGridColumnSizing, g.OnColumnSizing, &g, 0, 50));
    expect("EndColumnSize", Relayed(Drop.OnGridEndColumnSize, g.OnEndColumnSize, &g, 0));
    expect("RowSize", Relayed(Drop.OnGridRowSize, g.OnRowSize, &g, 1, flag));
    expect("RowSizing", Relayed(Drop.OnGridRowSizing, g.OnRowSizing, &g, 1, 30));
    expect("EndRowSize", Relayed(Drop.OnGridEndRowSize, g.OnEndRowSize, &g, 1));
    expect("RowMove", Relayed(Drop.OnGridRowMove, g.OnRowMove, &g, 1, flag));
    expect("RowMoving", Relayed(Drop.OnGridRowMoving, g.OnRowMoving, &g, 1, flag));
    expect("RowMoved", Relayed(Drop.OnGridRowMoved, g.OnRowMoved, &g, 1, 2));
    expect("ColumnMove", Relayed(Drop.OnGridColumnMove, g.OnColumnMove, &g, 0, flag));
    expect("ColumnMoving", Relayed(Drop.OnGridColumnMoving, g.OnColumnMoving, &g, 0, flag));
    expect("ColumnMoved", Relayed(Drop.OnGridColumnMoved, g.OnColumnMoved, &g, 0, 1));
    expect("CustomCellDraw", Relayed(Drop.OnGridCustomCellDraw, g.OnCustomCellDraw, &g, canvas,
                                     0, 1, TGridDrawState{}, rect, false));
    expect("CustomCellBkgDraw", Relayed(Drop.OnGridCustomCellBkgDraw, g.OnCustomCellBkgDraw, &g,
                                        canvas, 0, 1, TGridDrawState{}, rect, false));
    expect("CellBalloon",
           Relayed(Drop.OnGridCellBalloon, g.OnCellBalloon, &g, 0, 1, text, text2, number));
    expect("GetAlignment", Relayed(Drop.OnGridGetAlignment, g.OnGetAlignment, &g, 1, 0, h, v));
    expect("GetCellColor", Relayed(Drop.OnGridGetCellColor, g.OnGetCellColor, &g, 1, 0,
                                   TGridDrawState{}, brush, font));
    expect("GetCellGradient", Relayed(Drop.OnGridGetCellGradient, g.OnGetCellGradient, &g, 1, 0,
                                      c1, c2, c3, c4, direction));
    expect("GetFloatFormat",
           Relayed(Drop.OnGridGetFloatFormat, g.OnGetFloatFormat, &g, 0, 1, flag, text));
    expect("GetEditorType", Relayed(Drop.OnGridGetEditorType, g.OnGetEditorType, &g, 0, 1, editor));
    expect("GetEditorProp", Relayed(Drop.OnGridGetEditorProp, g.OnGetEditorPropInt, &g, 0, 1));
    expect("CanEditCell", Relayed(Drop.OnGridCanEditCell, g.OnCanEditCell, &g, 1, 0, flag));
    expect("EllipsClick", Relayed(Drop.OnGridEllipsClick, g.OnEllipsClick, &g, 0, 1, text));
    expect("GetDiplText", Relayed(Drop.OnGridGetDiplText, g.OnGetDisplText, &g, 0, 1, text));
    expect("GetFormat",
           Relayed(Drop.OnGridGetFormat, g.OnGetFormat, &g, 0, style, text, text2));
    expect("Hint", Relayed(Drop.OnGridHint, g.OnGridHint, &g, 1, 0, text));
    expect("MouseMove", Relayed(Drop.OnGridMouseMove, g.OnMouseMove, &g, TShiftState{}, 5, 5));
    expect("MouseDown",
           Relayed(Drop.OnGridMouseDown, g.OnMouseDown, &g, mbLeft, TShiftState{}, 5, 5));
    expect("MouseUp", Relayed(Drop.OnGridMouseUp, g.OnMouseUp, &g, mbLeft, TShiftState{}, 5, 5));
    expect("RightClickCell", Relayed(Drop.OnGridRightClickCell, g.OnRightClickCell, &g, 1, 0));
    expect("ScrollHint", Relayed(Drop.OnGridScrollHint, g.OnScrollHint, &g, 1, text));
    expect("TopLeftChanged", Relayed(Drop.OnGridTopLeftChanged, g.OnTopLeftChanged, &g));
    expect("SearchEditChange",
           Relayed(Drop.OnGridSearchEditChange, g.OnSearchEditChange, &g, text, flag));
    expect("AutoAddRow", Relayed(Drop.OnGridAutoAddRow, g.OnAutoAddRow, &g, 1));
    expect("InsertRow", Relayed(Drop.OnGridInsertRow, g.OnAutoInsertRow, &g, 1));
    expect("InsertCol", Relayed(Drop.OnGridInsertCol, g.OnAutoInsertCol, &g, 0));
    expect("DeleteRow", Relayed(Drop.OnGridDeleteRow, g.OnAutoDeleteRow, &g, 1));
    expect("CanAddRow", Relayed(Drop.OnGridCanAddRow, g.OnCanAddRow, &g, flag));
    expect("CanInsertRow", Relayed(Drop.OnGridCanInsertRow, g.OnCanInsertRow, &g, 1, flag));
    expect("CanDeleteRow", Relayed(Drop.OnGridCanDeleteRow, g.OnCanDeleteRow, &g, 1, flag));
    expect("CheckBoxClick",
           Relayed(Drop.OnGridCheckBoxClick, g.OnCheckBoxClick, &g, 0, 1, true));
    EXPECT_TRUE(missed.isEmpty()) << missed.join(' ').toStdString();

    // A handler's answer reaches the grid.
    Drop.OnGridColumnSize = [](TObject *, int, bool &Allow) { Allow = false; };
    flag = true;
    g.OnColumnSize(&g, 0, flag);
    EXPECT_FALSE(flag);

    // The sort events belong to the sort hooks; the compare and spin relays and the three key
    // relays are never attached (the keys fire from the key forwarding).
    EXPECT_EQ(Relayed(Drop.OnGridCanSort, g.OnCanSort, &g, 0, flag), nullptr);
    EXPECT_EQ(Relayed(Drop.OnGridClickSort, g.OnClickSort, &g, 0), nullptr);
    EXPECT_FALSE(bool(g.OnCustomCompare));
    EXPECT_FALSE(bool(g.OnRawCompare));
    EXPECT_FALSE(bool(g.OnSpinClick));
    EXPECT_FALSE(bool(g.OnKeyPress));
}

// A descendant changes what a grid event does by overriding its relay.
class TRightClickCounter : public TCustomDazGridDropDown
{
public:
    int Clicks = 0;

protected:
    void DoGridRightClickCell(TObject *Sender, int ARow, int ACol) override
    {
        ++Clicks;
        TCustomDazGridDropDown::DoGridRightClickCell(Sender, ARow, ACol);
    }
};

TEST_F(GridDropDownTest, ARelayIsOverridable)
{
    TRightClickCounter d;
    d.Columns().Add();
    d.Items().Add()->Text().Add("one");
    int fired = 0;
    d.OnGridRightClickCell = [&](TObject *, int, int) { ++fired; };
    d.show();
    d.ShowDropDown();
    d.GetGrid()->OnRightClickCell(d.GetGrid(), 1, 0);
    EXPECT_EQ(d.Clicks, 1);
    EXPECT_EQ(fired, 1);
    d.HideDropDown(true);
}

TEST_F(GridDropDownTest, TheBalloonWindowIsRebuiltAtTheFirstMoveOfEachOpening)
{
    Fill(kFruit);
    TDazColGrid &g = *Grid();
    g.Balloon().SetEnable(true);
    QList<bool> changes;
    g.Balloon().OnEnableChange = [&](TObject *) { changes << g.Balloon().Enable(); };
    int moves = 0;
    Drop.OnGridMouseMove = [&](TObject *, TShiftState, int, int) { ++moves; };
    const QPointF p(g.CellRect(0, 1).Left + 5, g.CellRect(0, 1).Top + 5);
    for (int opening = 0; opening < 2; ++opening) {
        Drop.ShowDropDown();
        MouseTo(&g, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
        MouseTo(&g, QEvent::MouseMove, p + QPointF(1, 0), Qt::NoButton, Qt::NoButton);
        Drop.HideDropDown(true);
    }
    EXPECT_EQ(changes, (QList<bool>{false, true, false, true}));
    EXPECT_EQ(moves, 4);

    // Without balloons nothing is rebuilt.
    g.Balloon().SetEnable(false);
    changes.clear();
    Drop.ShowDropDown();
    MouseTo(&g, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(GridDropDownTest, HoverRowAndImageListsReachTheList)
{
    Fill(kFruit);
    Drop.HoverRow = true;
    Drop.HoverRowColor = 0x123456;
    Drop.HoverRowColorTo = 0x654321;
    auto images = std::make_unique<TCustomImageList>();
    auto gridImages = std::make_unique<TCustomImageList>();
    Drop.Images = images.get();
    Drop.SetGridImages(gridImages.get());
    Drop.ShowDropDown();
    TDazColGrid &g = *Grid();
    EXPECT_TRUE(g.HoverRow());
    EXPECT_EQ(g.HoverRowColor(), TColor(0x123456));
    EXPECT_EQ(g.HoverRowColorTo(), TColor(0x654321));
    EXPECT_EQ(g.Images(), images.get());
    EXPECT_EQ(g.GridImages(), gridImages.get());
    Drop.HideDropDown(true);

    // Image lists that go are forgotten by the drop-down and its list.
    Drop.Images = nullptr;
    gridImages.reset();
    images.reset();
    EXPECT_EQ(Drop.GridImages(), nullptr);
    EXPECT_EQ(g.GridImages(), nullptr);
    EXPECT_EQ(g.Images(), nullptr);
    Drop.ShowDropDown();
    EXPECT_EQ(g.GridImages(), nullptr);
}

TEST_F(GridDropDownTest, ADragInTheListKeepsItOpen)
{
    Fill(kFruit);
    Drop.ColumnMoving = true;
    Drop.ShowDropDown();
    TDazColGrid &g = *Grid();
    ASSERT_TRUE(g.EnhRowColMove());
    const TRect header = g.CellRect(0, 0);
    const QPointF from(header.Left + 10, header.Top + 5);
    MouseTo(&g, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(Drop.DropDownForm()->BlockActivate);
    MouseTo(&g, QEvent::MouseMove, from + QPointF(30, 0), Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(Drop.DropDownForm()->BlockActivate);
    MouseTo(&g, QEvent::MouseButtonRelease, from + QPointF(30, 0), Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(Drop.DropDownForm()->BlockActivate);
    EXPECT_TRUE(Drop.DroppedDown());
}

TEST_F(GridDropDownTest, WithoutItemsTheGridsOwnCellsAreLookedUpAndMeasured)
{
    Drop.UseItems = false;
    Drop.AutoSizeColumns = false;
    TDropDownColumn &column = *Drop.Columns().Add();
    column.Width = 60;
    column.Wordwrap = true;
    TDazColGrid &g = *Grid();
    g.SetColCount(1);
    g.SetRowCount(4);
    g.SetCells(0, 1, "Apple");
    g.SetCells(0, 2, "Banana split with three scoops and a cherry on top");
    g.SetCells(0, 3, "Cherry");

    // A typed match is a data row counted from 0, as ItemIndex always is without items.
    Type(&Drop, u'c');
    EXPECT_EQ(Drop.ItemIndex(), 2);
    EXPECT_EQ(Drop.text(), "Cherry");

    // The wrapped column's heights come from the grid's own cells, 24 at least.
    Drop.ShowDropDown();
    EXPECT_EQ(g.RowHeights(1), 24);
    EXPECT_GT(g.RowHeights(2), 2 * 24);
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.Row(), 3);   // the edit's text was looked up
    Drop.HideDropDown(true);

    // Auto-sizing widens the list to its longest cell (its first opening: later ones keep the
    // size the user left).
    TCustomDazGridDropDown sized;
    sized.UseItems = false;
    sized.Columns().Add()->Width = 60;
    sized.GetGrid()->SetRowCount(2);
    sized.GetGrid()->SetCells(0, 1, g.Cells(0, 2));
    sized.show();
    sized.ShowDropDown();
    EXPECT_GT(sized.GetGrid()->ColWidths(0), 200);
    sized.HideDropDown(true);
}
