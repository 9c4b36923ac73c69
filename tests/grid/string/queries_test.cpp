// The per-cell queries: fixed cells, alignment, editors, spin and combo buttons, filters.
#include "paintfixture.h"

#include "grid/base/textroutines.h"

namespace {

using QueriesTest = PaintFixture;

TEST_F(QueriesTest, FixedRowAlwaysMakesEveryCellOfAHeaderOnlyGridFixed)
{
    grid->SetFixedRowAlways(true);
    grid->SetRowCount(1);
    for (int c = 0; c < grid->ColCount(); ++c) {
        bool fixed = false;
        grid->IsFixedCell(c, 0, fixed);
        EXPECT_TRUE(fixed) << c;
    }
}

TEST_F(QueriesTest, IsFixedCoversFootersRightColumnsAndTheEvent)
{
    EXPECT_TRUE(grid->IsFixed(0, 3));
    EXPECT_FALSE(grid->IsFixed(2, 3));
    grid->SetFixedRightCols(1);
    EXPECT_TRUE(grid->IsFixed(4, 3));
    grid->OnIsFixedCell = [](TObject *, int ARow, int ACol, bool &f) { f = ARow == 3 && ACol == 2; };
    EXPECT_TRUE(grid->IsFixed(2, 3));
    EXPECT_FALSE(grid->IsFixed(2, 2));
}

TEST_F(QueriesTest, AutoNumAlignRightAlignsNumbersUnlessTheCellHasARecord)
{
    grid->SetAutoNumAlign(true);
    struct
    {
        QString text;
        TAlignment align;
    } cases[] = {{"12", taRightJustify},
                 {"-3", taRightJustify},
                 {QString("1") + GetDecimalSeparator() + "5", taRightJustify},
                 {"1E3", taRightJustify},
                 {"12a", taLeftJustify}};
    for (const auto &c : cases) {
        grid->SetCells(2, 2, c.text);
        TAlignment h;
        TVAlignment v;
        grid->GetCellAlignment(2, 2, h, v);
        EXPECT_EQ(h, c.align) << c.text.toStdString();
    }
    grid->SetCells(2, 2, QStringLiteral("12"));
    grid->SetAlignments(2, 2, taCenter);
    TAlignment h;
    TVAlignment v;
    grid->GetCellAlignment(2, 2, h, v);
    EXPECT_EQ(h, taCenter);
    grid->OnGetAlignment = [](TObject *, int, int, TAlignment &ha, TVAlignment &va) {
        ha = taLeftJustify;
        va = vtaBottom;
    };
    grid->GetCellAlignment(2, 2, h, v);
    EXPECT_EQ(std::pair(h, v), std::pair(taLeftJustify, vtaBottom));
}

TEST_F(QueriesTest, EditorQueriesAndAlwaysVisibleButtons)
{
    EXPECT_FALSE(grid->IsCellEditorNone(2, 2));
    grid->OnGetEditorType = [](TObject *, int ACol, int, TEditorType &e) {
        e = ACol == 2 ? edNone : ACol == 3 ? edComboList : edSpinEdit;
    };
    EXPECT_TRUE(grid->IsCellEditorNone(2, 2));
    EXPECT_FALSE(grid->HasComboBox(3, 2));
    grid->ControlLook().SetDropDownAlwaysVisible(true);
    grid->ControlLook().SetSpinButtonsAlwaysVisible(true);
    EXPECT_TRUE(grid->HasComboBox(3, 2));
    EXPECT_TRUE(grid->HasComboBox(3, 0));   // the fixed area is the handler's to decide
    EXPECT_TRUE(grid->HasSpinEdit(4, 2));
    EXPECT_FALSE(grid->HasSpinEdit(4, 0));
    grid->OnHasSpinEdit = [](TObject *, int, int, bool &has) { has = true; };
    EXPECT_FALSE(grid->HasSpinEdit(0, 2));

    // Buttons are drawn and take 16 pixels off the text's room.
    const auto ops = grid->Record();
    EXPECT_FALSE(ops.empty());
}

TEST_F(QueriesTest, FilterListOfAColumn)
{
    grid->SetCells(2, 1, QStringLiteral("x"));
    grid->SetCells(2, 2, QStringLiteral("a b"));
    grid->SetCells(2, 3, QStringLiteral("x"));
    grid->SetCells(2, 4, QStringLiteral("x"));
    grid->SetCells(2, 5, QStringLiteral("a b"));
    grid->SetFilterDropDownAuto(true);
    ASSERT_TRUE(grid->GetFilterList(2));
    const TStringList &l = grid->FilterList();
    ASSERT_EQ(l.Count(), 3);
    EXPECT_EQ(l.Strings(0), QStringLiteral("(All)"));
    EXPECT_EQ(l.Strings(1), QStringLiteral("a b=\"a b\""));
    EXPECT_EQ(l.Strings(2), QStringLiteral("x"));
    grid->SetFilterDropDownAuto(false);
    EXPECT_FALSE(grid->GetFilterList(2));
}

TEST_F(QueriesTest, ColumnSizingCanBeRefused)
{
    grid->SetOptions(grid->Options() + goColSizing);
    grid->OnColumnSize = [](TObject *, int ACol, bool &allow) { allow = ACol != 1; };
    TGridState state = gsNormal;
    int index = -1, pos = 0, ofs = 0;
    grid->CalcSizingState(160, 10, state, index, pos, ofs);   // border of column 1
    EXPECT_EQ(state, gsNormal);
    grid->CalcSizingState(240, 10, state, index, pos, ofs);   // border of column 2
    EXPECT_EQ(state, gsColSizing);
}

}   // namespace

#include "grid/string/datetimetext.h"

namespace {

TEST_F(QueriesTest, EditorRelaysFireWithTheCurrentCell)
{
    grid->SetCol(3);
    grid->SetRow(4);
    QString changed;
    std::pair<int, int> at;
    grid->OnEditChange = [&](TObject *, int ACol, int ARow, const QString &v) {
        at = {ACol, ARow};
        changed = v;
    };
    const TDateTime day = EncodeDate(2024, 2, 29);
    grid->DoDatePickerChange(false, day);
    EXPECT_EQ(changed, DateToStr(day));
    EXPECT_EQ(at, std::pair(3, 4));
    grid->DoDatePickerChange(true, day + 0.5);
    EXPECT_EQ(changed, TimeToStr(day + 0.5));

    std::pair<int, int> clicked{-1, -1};
    grid->OnButtonClick = [&](TObject *, int ACol, int ARow) { clicked = {ACol, ARow}; };
    grid->DoButtonClick();
    EXPECT_EQ(clicked, std::pair(3, 4));
    std::pair<int, int> closed{-1, -1};
    grid->OnDatePickerCloseUp = [&](TObject *, int ARow, int ACol) { closed = {ARow, ACol}; };
    grid->DoDatePickerCloseUp();
    EXPECT_EQ(closed, std::pair(4, 3));   // row first
}

TEST_F(QueriesTest, CheckTextsAndPrintQueriesAskOnlyTheirEvents)
{
    QString v;
    grid->GetCheckTrue(1, 1, v);
    EXPECT_EQ(v, QStringLiteral("Y"));
    TBrush brush;
    brush.Color = clWhite;
    TFont font;
    grid->SetColors(1, 1, clRed);
    grid->GetCellPrintColor(1, 1, {}, brush, font);
    EXPECT_EQ(brush.Color, clWhite);
    grid->OnGetCellPrintColor = [](TObject *, int, int, TGridDrawState, TBrush &b, TFont &) {
        b.Color = clBlue;
    };
    grid->GetCellPrintColor(1, 1, {}, brush, font);
    EXPECT_EQ(brush.Color, clBlue);
}

TEST_F(QueriesTest, GroupingLinesBeforeTheBorderEvent)
{
    grid->Grouping().SetSummaryLine(true);
    grid->Grouping().SetSummaryLineColor(0x00FF00);
    grid->CreateCellGraphic(0, 3)->CellType = ctSummary;
    TPen pen;
    TCellBorders borders;
    grid->GetCellBorder(2, 3, pen, borders);
    EXPECT_EQ(borders, TCellBorders{cbTop});
    EXPECT_EQ(pen.Color, 0x00FF00u);
    EXPECT_EQ(pen.Width, grid->Grouping().SummaryLineWidth());
    TCellBorders none;
    grid->GetCellBorder(0, 3, pen, none);   // not in column 0
    EXPECT_TRUE(none.Empty());
}

}   // namespace
