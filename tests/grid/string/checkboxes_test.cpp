// Check boxes, radio buttons and radio groups in string grid cells: states, toggles,
// events, and where their glyphs go.
#include "grid/string/dazstringgrid.h"
#include "platform/canvas.h"
#include "platform/theme.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

struct CheckGrid : ::testing::Test
{
    TDazStringGrid Grid;
    std::vector<std::pair<int, bool>> Changes;   // (row, state) of OnCheckBoxChange
    CheckGrid()
    {
        Grid.SetColCount(4);
        Grid.SetRowCount(6);
        Grid.OnCheckBoxChange = [this](TObject *, int, int ARow, bool State) {
            Changes.push_back({ARow, State});
        };
    }
};

TEST_F(CheckGrid, DataCheckBoxTextsAreExactAndCaseSensitive)
{
    Grid.AddCheckBoxColumn(1, false, true);
    struct Case {
        QString text;
        bool checked;
        QString afterToggle;
    };
    const Case cases[] = {
        {"Y", true, "N"}, {"N", false, "Y"}, {"y", false, "Y"}, {"", false, "Y"},
        {"Yes", false, "Y"}, {" Y", false, "Y"},
    };
    for (const Case &c : cases) {
        Grid.SetCells(1, 2, c.text);
        bool state = !c.checked;
        ASSERT_TRUE(Grid.GetCheckBoxState(1, 2, state)) << c.text.toStdString();
        EXPECT_EQ(state, c.checked) << c.text.toStdString();
        EXPECT_TRUE(Grid.ToggleCheckBox(1, 2));
        EXPECT_EQ(Grid.Cells(1, 2), c.afterToggle) << c.text.toStdString();
    }
}

TEST_F(CheckGrid, AddCheckBoxKeepsOnlyTheGridsOwnCheckTexts)
{
    Grid.SetCells(1, 1, "N");
    Grid.AddCheckBox(1, 1, true, true);
    EXPECT_EQ(Grid.Cells(1, 1), "N");
    Grid.SetCells(1, 2, "maybe");
    Grid.AddCheckBox(1, 2, true, true);
    EXPECT_EQ(Grid.Cells(1, 2), "Y");
    Grid.AddCheckBox(1, 3, false, true);
    EXPECT_EQ(Grid.Cells(1, 3), "N");
    // A per-cell check text does not count as the grid's own.
    Grid.OnGetCheckTrue = [](TObject *, int, int, QString &V) { V = "On"; };
    Grid.SetCells(1, 4, "On");
    Grid.AddCheckBox(1, 4, false, true);
    EXPECT_EQ(Grid.Cells(1, 4), "N");
}

TEST_F(CheckGrid, InvalidCellsAreRefusedIncludingNegativeOnes)
{
    for (auto [c, r] : std::vector<std::pair<int, int>>{{4, 1}, {1, 6}, {-1, 1}, {1, -1}}) {
        EXPECT_THROW(Grid.AddCheckBox(c, r, true, false), std::runtime_error) << c << "," << r;
        EXPECT_THROW(Grid.AddCheckBox(c, r, cbChecked), std::runtime_error);
        EXPECT_THROW(Grid.AddRadioButton(c, r, true), std::runtime_error);
        try {
            Grid.AddCheckBox(c, r, true, false);
        } catch (const std::runtime_error &e) {
            EXPECT_STREQ(e.what(), "Invalid cell");
        }
    }
}

TEST_F(CheckGrid, QueriesOnPlainCellsAnswerNoAndChangeNothing)
{
    bool state = true;
    EXPECT_FALSE(Grid.GetCheckBoxState(1, 1, state));
    EXPECT_TRUE(state);
    EXPECT_FALSE(Grid.IsChecked(1, 1));
    EXPECT_FALSE(Grid.HasCheckBox(1, 1));
    EXPECT_FALSE(Grid.HasCheckBox(-1, 1));
    EXPECT_FALSE(Grid.SetCheckBoxState(1, 1, true));
    EXPECT_FALSE(Grid.ToggleCheckBox(1, 1));
    EXPECT_EQ(Grid.GetCellType(1, 1), ctEmpty);
    EXPECT_EQ(Grid.GetRadioStrings(1, 1), nullptr);
    EXPECT_EQ(Grid.GetRadioButtonColumnIndex(1), -1);
}

TEST_F(CheckGrid, TriStateCycleAndItsReportedState)
{
    Grid.AddCheckBox(2, 1, cbUnchecked);
    std::vector<TCheckBoxState> seen;
    for (int i = 0; i < 3; ++i) {
        Grid.ToggleCheckBox(2, 1);
        TCheckBoxState s;
        ASSERT_TRUE(Grid.GetCheckBoxState(2, 1, s));
        seen.push_back(s);
    }
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    EXPECT_EQ(Changes, (std::vector<std::pair<int, bool>>{{1, false}, {1, true}, {1, false}}));
    // The Boolean form does not write a three-state box.
    EXPECT_FALSE(Grid.SetCheckBoxState(2, 1, true));
}

TEST_F(CheckGrid, CheckAllFiresOnlyForChangesAndLeavesTriStateBoxesAlone)
{
    Grid.AddCheckBox(1, 1, true, false);
    Grid.AddCheckBox(1, 2, false, false);
    Grid.AddCheckBox(1, 3, cbGrayed);
    Grid.SetCells(1, 4, "N");
    Grid.AddCheckBox(1, 4, false, true);
    Grid.CheckAll(1);
    EXPECT_EQ(Changes, (std::vector<std::pair<int, bool>>{{2, true}, {4, true}}));
    TCheckBoxState s;
    Grid.GetCheckBoxState(1, 3, s);
    EXPECT_EQ(s, cbGrayed);
    EXPECT_EQ(Grid.Cells(1, 4), "Y");
    Changes.clear();
    Grid.UnCheckAll(1);
    EXPECT_EQ(Changes.size(), 3u);
}

TEST_F(CheckGrid, UserToggleOfAReadOnlyCellNeedsCheckAlwaysActive)
{
    Grid.AddCheckBox(1, 1, false, false);
    Grid.SetReadOnly(1, 1, true);
    EXPECT_FALSE(Grid.ToggleCheckCell(1, 1, true));
    EXPECT_FALSE(Grid.IsChecked(1, 1));
    EXPECT_TRUE(Grid.ToggleCheckBox(1, 1));   // not the user: toggles
    EXPECT_TRUE(Grid.IsChecked(1, 1));
    Grid.ControlLook().SetCheckAlwaysActive(true);
    EXPECT_TRUE(Grid.ToggleCheckCell(1, 1, true));
    EXPECT_FALSE(Grid.IsChecked(1, 1));
}

TEST_F(CheckGrid, AutoCheckGroupKeepsTheNodeInStepWithItsChildren)
{
    Grid.SetRowCount(8);
    Grid.Grouping().SetAutoCheckGroup(true);
    // A node at row 1 spanning rows 1..4 (the node and three children).
    TCellGraphic *node = Grid.CreateCellGraphic(0, 1);
    node->CellType = ctNode;
    node->CellIndex = 4;
    Grid.AddCheckBox(2, 1, cbUnchecked);
    for (int r = 2; r <= 4; ++r)
        Grid.AddCheckBox(2, r, false, false);
    auto nodeState = [&] {
        TCheckBoxState s;
        Grid.GetCheckBoxState(2, 1, s);
        return s;
    };
    Grid.ToggleCheckBox(2, 2);
    EXPECT_EQ(nodeState(), cbGrayed);
    Grid.ToggleCheckBox(2, 3);
    Grid.ToggleCheckBox(2, 4);
    EXPECT_EQ(nodeState(), cbChecked);
    Grid.ToggleCheckBox(2, 1);   // the node: every child follows
    EXPECT_EQ(nodeState(), cbUnchecked);
    for (int r = 2; r <= 4; ++r)
        EXPECT_FALSE(Grid.IsChecked(2, r)) << r;
}

TEST_F(CheckGrid, RadioButtonColumnKeepsOneButtonOn)
{
    Grid.AddRadioButtonColumn(3);
    EXPECT_EQ(Grid.GetRadioButtonColumnIndex(3), -1);
    Grid.SetRadioButtonColumnIndex(3, 2);
    EXPECT_EQ(Grid.GetRadioButtonColumnIndex(3), 2);
    EXPECT_TRUE(Grid.SelectRadioButtonCell(3, 4, false));
    EXPECT_EQ(Grid.GetRadioButtonColumnIndex(3), 4);
    EXPECT_FALSE(Grid.IsRadioButtonChecked(3, 2));
    Grid.SetRadioButtonColumnIndex(3, 99);   // outside the rows: all off
    EXPECT_EQ(Grid.GetRadioButtonColumnIndex(3), -1);
    Grid.RemoveRadioButtonColumn(3);
    EXPECT_FALSE(Grid.HasRadioButton(3, 2));
}

TEST_F(CheckGrid, RadioGroupStepsThroughItsItemsAndWraps)
{
    TStringList *items = Grid.CreateRadio(1, 1, 0, 2);
    items->Add("one");
    items->Add("two");
    items->Add("three");
    EXPECT_TRUE(Grid.IsRadio(1, 1));
    EXPECT_FALSE(Grid.StepRadioGroup(1, 1, false));
    int idx = -1;
    EXPECT_TRUE(Grid.GetRadioIdx(1, 1, idx));
    EXPECT_EQ(idx, 0);
    EXPECT_EQ(Grid.Cells(1, 1), "one");
    // A group without an index follows its cell text.
    TStringList caller;
    caller.Add("a");
    caller.Add("b");
    Grid.AddRadio(2, 1, 1, -1, &caller);
    Grid.SetCells(2, 1, "a");
    Grid.StepRadioGroup(2, 1, false);
    EXPECT_EQ(Grid.Cells(2, 1), "b");
    Grid.RemoveRadio(2, 1);   // the caller's list survives
    EXPECT_EQ(caller.Count(), 2);
    EXPECT_TRUE(Grid.SetRadioIdx(1, 1, -1));
    EXPECT_EQ(Grid.Cells(1, 1), "");
}

TEST_F(CheckGrid, RowCheckBoxFollowsTheDisjunctRowSelection)
{
    Grid.MouseActions().SetHotmailRowSelect(true);
    for (int r = 0; r < Grid.RowCount(); ++r)
        EXPECT_TRUE(Grid.HasCheckBox(0, r)) << r;
    EXPECT_EQ(Grid.GetCellType(0, 3), ctRowCheckBox);
    Grid.SetRowSelect(2, true);
    EXPECT_TRUE(Grid.IsChecked(0, 2));
    EXPECT_FALSE(Grid.IsChecked(0, 3));
    EXPECT_EQ(Grid.GetCellGraphic(0, 0)->CellAngle, 1);   // header: some rows selected
    EXPECT_TRUE(Grid.SetCheckBoxState(0, 3, true));
    EXPECT_TRUE(Grid.RowSelect(3));
}

TEST_F(CheckGrid, PreciseHitTestUsesTheBoxSquare)
{
    Grid.show();
    Grid.AddCheckBox(1, 1, false, false);
    EXPECT_TRUE(Grid.IsInCheckBox(1, 1, 0, 0));   // whole cell counts by default
    Grid.MouseActions().SetPreciseCheckBoxCheck(true);
    const TRect r = Grid.CellRect(1, 1);
    const int size = Grid.ControlLook().CheckSize();
    EXPECT_TRUE(Grid.IsInCheckBox(1, 1, r.Left + 2, r.Top + 2));
    EXPECT_TRUE(Grid.IsInCheckBox(1, 1, r.Left + 2 + size - 1, r.Top + 2 + size - 1));
    EXPECT_FALSE(Grid.IsInCheckBox(1, 1, r.Left + 2 + size, r.Top + 2));
    EXPECT_FALSE(Grid.IsInCheckBox(1, 1, r.Left + 1, r.Top + 2));
}

// ---------------------------------------------------------------------------------------
// Glyph layout and placement

TEST(CellGraphicPlacement, CheckBoxesFollowTheTextAlignment)
{
    const TRect cell(0, 0, 64, 22);
    const TPoint xy{2, 2};   // the cell shrinks by 1 on every side
    struct Case {
        TAlignment align;
        TCellType kind;
        int textWidth;
        int left;
    };
    const Case cases[] = {
        {taLeftJustify, ctDataCheckBox, 0, 2},
        {taCenter, ctDataCheckBox, 0, 1 + (62 - 15) / 2},
        {taRightJustify, ctDataCheckBox, 0, 63 - 1 - 15},
        // Kinds that show their text keep it beside them.
        {taRightJustify, ctCheckBox, 20, 63 - 1 - 15 - 22},
        {taCenter, ctCheckBox, 20, 1 + (62 - 15 - 22) / 2},
        // Never left of the cell.
        {taRightJustify, ctCheckBox, 200, 2},
    };
    for (const Case &c : cases) {
        const TRect r = TDazStringGrid::PlaceCellGraphic(cell, c.kind, haLeft, vaTop, 15, 15,
                                                         c.textWidth, c.align, vtaTop, vtaTop, xy);
        EXPECT_EQ(r.Left, c.left) << int(c.align) << " " << int(c.kind);
        EXPECT_EQ(r.Width(), 15);
        EXPECT_EQ(r.Top, 2);
    }
}

TEST(CellGraphicPlacement, OwnPlacementsOfOtherKinds)
{
    const TRect cell(10, 10, 110, 40);   // shrunk: 11..109 x 11..39
    const TPoint xy{2, 2};
    auto place = [&](TCellHAlign h, TCellVAlign v, int tw = 0, TAlignment ta = taLeftJustify) {
        return TDazStringGrid::PlaceCellGraphic(cell, ctBitmap, h, v, 16, 8, tw, ta, vtaTop,
                                                vtaTop, xy);
    };
    EXPECT_EQ(place(haLeft, vaTop).Left, 12);
    EXPECT_EQ(place(haRight, vaTop).Left, 109 - 1 - 16);
    EXPECT_EQ(place(haCenter, vaCenter).Left, 11 + (98 - 16) / 2);
    EXPECT_EQ(place(haCenter, vaCenter).Top, 11 + (28 - 8) / 2);
    EXPECT_EQ(place(haLeft, vaBottom).Top, 39 - 1 - 8);
    EXPECT_EQ(place(haLeft, vaUnderText).Top, 39 - 8);
    EXPECT_EQ(place(haAfterText, vaTop, 30).Left, 11 + 32);
    EXPECT_EQ(place(haBeforeText, vaTop, 30, taRightJustify).Left, 109 - 32 - 16);
    const TRect full = place(haFull, vaFull);
    EXPECT_EQ(full, TRect(11, 11, 109, 39));
    // A progress bar keeps the whole cell.
    EXPECT_EQ(TDazStringGrid::PlaceCellGraphic(cell, ctProgress, haLeft, vaTop, 5, 5, 0,
                                               taLeftJustify, vtaTop, vtaTop, xy)
                  .Left,
              11);
}

TEST(CellGraphicPlacement, ACellVerticalAlignmentOverridesTheGridsForCheckBoxes)
{
    const TRect cell(0, 0, 40, 40);
    const TRect r = TDazStringGrid::PlaceCellGraphic(cell, ctCheckBox, haBeforeText, vaTop, 10,
                                                     10, 0, taLeftJustify, vtaBottom, vtaTop,
                                                     TPoint{1, 1});
    EXPECT_EQ(r.Top, 40 - 1 - 10);
}

TEST_F(CheckGrid, LayoutSizesAndTextFlags)
{
    TCellVAlign v;
    TCellHAlign h;
    bool text = false;
    int height = -1, width = -1;
    EXPECT_EQ(Grid.GetCellGraphicLayout(1, 1, v, h, text, height, width), nullptr);
    EXPECT_TRUE(text);
    EXPECT_EQ(width, 0);
    Grid.AddCheckBox(1, 1, true, true);
    EXPECT_NE(Grid.GetCellGraphicLayout(1, 1, v, h, text, height, width), nullptr);
    EXPECT_FALSE(text);
    EXPECT_EQ(width, Grid.ControlLook().CheckSize());
    Grid.AddRadioButton(1, 2, false);
    Grid.GetCellGraphicLayout(1, 2, v, h, text, height, width);
    EXPECT_TRUE(text);
    EXPECT_EQ(width, Grid.ControlLook().RadioSize() + 4);
    EXPECT_EQ(h, haBeforeText);
}

TEST_F(CheckGrid, CheckGlyphStyles)
{
    TFakeThemePlatformGuard theme;   // no visual-styles library
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    TCanvas canvas(&p);
    // The theme style falls back to the classic frame control without themes.
    Grid.DrawCheck(canvas, TRect(0, 0, 20, 20), true, 0, false, csTheme, false, true);
    ASSERT_EQ(theme.Fake.Draws.size(), 1u);
    EXPECT_EQ(theme.Fake.Draws[0].Kind, DFC_BUTTON);
    EXPECT_EQ(unsigned(theme.Fake.Draws[0].State), DFCS_BUTTONCHECK | DFCS_CHECKED);
    // Disabled and flat, then grey in three-state mode.
    Grid.DrawCheck(canvas, TRect(0, 0, 20, 20), false, 0, false, csFlat, false, false);
    EXPECT_EQ(unsigned(theme.Fake.Draws[1].State), DFCS_BUTTONCHECK | DFCS_FLAT | DFCS_INACTIVE);
    Grid.DrawCheck(canvas, TRect(0, 0, 20, 20), false, 2, true, csClassic, false, true);
    EXPECT_EQ(unsigned(theme.Fake.Draws[2].State), DFCS_BUTTON3STATE | DFCS_CHECKED);
    // The disabled look is dropped with CheckAlwaysActive.
    Grid.ControlLook().SetCheckAlwaysActive(true);
    Grid.DrawCheck(canvas, TRect(0, 0, 20, 20), false, 0, false, csClassic, false, false);
    EXPECT_EQ(unsigned(theme.Fake.Draws[3].State), DFCS_BUTTONCHECK);
    // Bitmap styles paint pixels of their own.
    canvas.Brush.Color = clWhite;
    Grid.DrawCheck(canvas, TRect(20, 20, 40, 40), true, 0, false, csWinXP, false, true);
    p.end();
    bool painted = false;
    for (int y = 20; y < 36; ++y)
        for (int x = 20; x < 36; ++x)
            painted = painted || img.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_TRUE(painted);
}

TEST_F(CheckGrid, RadioGroupChecksTheItemMatchingTheCellText)
{
    TFakeThemePlatformGuard theme;
    QImage img(200, 60, QImage::Format_RGB32);
    QPainter p(&img);
    TCanvas canvas(&p);
    Grid.SetCells(1, 1, "b");
    const QStringList items{"a", "b", "c"};
    Grid.DrawRadioGroup(canvas, TRect(0, 0, 200, 60), false, 1.0, csClassic, 1, 1, false, items,
                        false, true, -1, 3);
    ASSERT_EQ(theme.Fake.Draws.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ((unsigned(theme.Fake.Draws[i].State) & DFCS_CHECKED) != 0, i == 1) << i;
    theme.Fake.Draws.clear();
    Grid.SetCells(1, 1, "z");
    Grid.DrawRadioGroup(canvas, TRect(0, 0, 200, 60), false, 1.0, csClassic, 1, 1, false, items,
                        false, false, -1, 3);
    for (const auto &d : theme.Fake.Draws)
        EXPECT_EQ(unsigned(d.State) & DFCS_CHECKED, 0u);
    p.end();
}

TEST_F(CheckGrid, PaintedCheckBoxesFollowTheCellText)
{
    TFakeThemePlatformGuard theme;   // no themes: the classic frame controls
    Grid.resize(300, 200);
    Grid.SetCells(1, 1, "Y");
    Grid.SetCells(1, 2, "N");
    Grid.AddCheckBox(1, 1, false, true);
    Grid.AddCheckBox(1, 2, false, true);
    Grid.SetReadOnly(1, 2, true);
    QImage img(300, 200, QImage::Format_RGB32);
    QPainter p(&img);
    Grid.PaintTo(p);
    p.end();
    std::vector<unsigned> states;
    for (const auto &d : theme.Fake.Draws)
        if (d.What == "frame" && d.Kind == DFC_BUTTON)
            states.push_back(unsigned(d.State));
    EXPECT_EQ(states, (std::vector<unsigned>{DFCS_BUTTONCHECK | DFCS_CHECKED,
                                             DFCS_BUTTONCHECK | DFCS_INACTIVE}));
}

}   // namespace
