// Painting of the string grid: the look of the default grid, which source of a colour wins,
// text placement and flags, focus rectangles, borders and the fixed-cell looks.
#include "paintfixture.h"

#include <QLineEdit>

#include "grid/base/textroutines.h"

namespace {

using PaintTest = PaintFixture;

TEST_F(PaintTest, DefaultHeaderIsAVerticalGradientWithBoldFixedFont)
{
    const QImage img = grid->Render();
    const TRect head = grid->CellRect(2, 0);
    // glXP: from QVRGradientFrom (white) at the top to the button face at the bottom.
    const TColor top = PixelAt(img, head.Left + 40, head.Top);
    const TColor bottom = PixelAt(img, head.Left + 40, head.Bottom - 4);
    EXPECT_EQ(top, 0xFFFFFFu);
    EXPECT_LT(bottom & 0xFF, top & 0xFF);
    EXPECT_GE(bottom & 0xFF, ColorToRGB(clBtnFace) & 0xFF);

    const auto ops = grid->Record();
    const auto header = TextOps(ops, QStringLiteral("r0c2"));
    ASSERT_EQ(header.size(), 1u);
    EXPECT_TRUE(header[0].Font.Style & fsBold);
    EXPECT_EQ(header[0].Font.Name, QStringLiteral("Tahoma"));
    const auto body = TextOps(ops, QStringLiteral("r2c2"));
    ASSERT_EQ(body.size(), 1u);
    EXPECT_FALSE(body[0].Font.Style & fsBold);
}

TEST_F(PaintTest, SelectedCellsTakeTheSelectionColourWithBlackText)
{
    grid->SetSelection({1, 2, 3, 3});
    const QImage img = grid->Render();
    const TRect sel = grid->CellRect(2, 2);
    EXPECT_EQ(PixelAt(img, sel.Left + 60, sel.Top + 10), ColorToRGB(0xEACAB6) & 0xFFFFFF);
    const TRect other = grid->CellRect(2, 4);
    EXPECT_EQ(PixelAt(img, other.Left + 60, other.Top + 10), 0xFFFFFFu);

    const auto ops = grid->Record();
    ASSERT_EQ(TextOps(ops, QStringLiteral("r2c2")).size(), 1u);
    EXPECT_EQ(TextOps(ops, QStringLiteral("r2c2"))[0].Font.Color, clBlack);
}

TEST_F(PaintTest, FocusRectangleRules)
{
    grid->SetSelection({2, 2, 2, 2});
    grid->activateWindow();
    grid->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(grid->window()->focusWidget() == grid.get());
    EXPECT_EQ(FocusRects(grid->Record()), 1);

    grid->SetHideFocusRect(true);
    EXPECT_EQ(FocusRects(grid->Record()), 0);
    grid->SetHideFocusRect(false);

    grid->SetOptions(grid->Options() + goRowSelect);
    EXPECT_EQ(FocusRects(grid->Record()), 0);
    grid->SetOptions(grid->Options() - goRowSelect);

    // Another control of the grid's window takes the focus: no focus rectangle.
    QLineEdit other(grid.get());
    other.show();
    other.setFocus();
    QApplication::processEvents();
    ASSERT_EQ(grid->window()->focusWidget(), &other);
    EXPECT_EQ(FocusRects(grid->Record()), 0);
}

struct ColourCase
{
    const char *name;
    bool fixedRow;
    bool checkBox;
    TColor expected;   // clNone: the grid's FixedColor
};

TEST_F(PaintTest, OwnColourInAFixedRowDependsOnTheCellKind)
{
    grid->SetLook(glClassic);
    grid->SetFixedColor(0x00AA00);
    const ColourCase cases[] = {
        {"plain text keeps its colour", true, false, 0x0000FF},
        {"check box shows the fixed colour", true, true, clNone},
        {"plain body cell", false, false, 0x0000FF},
    };
    for (const ColourCase &c : cases) {
        const int row = c.fixedRow ? 0 : 3;
        grid->SetColors(2, row, 0x0000FF);
        if (c.checkBox) {
            TCellGraphic *g = grid->CreateCellGraphic(2, row);
            g->SetCheckBox(false, false, false, haLeft, vaTop);
        }
        TGridDrawState state;
        TBrush brush;
        TFont font;
        TColor to, m, mt;
        TAlignment ha;
        TVAlignment va;
        bool ww = true;
        TCellGradientDirection gd;
        grid->GetVisualProperties(2, row, state, false, false, true, brush, to, m, mt, font, ha,
                                  va, ww, gd);
        EXPECT_EQ(brush.Color, c.expected == clNone ? grid->FixedColor() : c.expected) << c.name;
        grid->RemoveCellGraphic(2, row);
    }
}

TEST_F(PaintTest, CellColourPrecedence)
{
    TGridDrawState state;
    TBrush brush;
    TFont font;
    // The cell's own colour, then OnGetCellColor has the last word.
    grid->SetColors(1, 2, 0x112233);
    grid->GetCellColor(1, 2, state, brush, font);
    EXPECT_EQ(brush.Color, 0x112233u);
    grid->OnGetCellColor = [](TObject *, int ARow, int ACol, TGridDrawState, TBrush &b, TFont &) {
        if (ARow == 2 && ACol == 1)
            b.Color = 0x445566;
    };
    grid->GetCellColor(1, 2, state, brush, font);
    EXPECT_EQ(brush.Color, 0x445566u);
    grid->OnGetCellColor = nullptr;

    // A check box's stored colour is not applied; its font colour is.
    brush.Color = clWhite;
    grid->SetFontColors(3, 2, 0x0000FF);
    grid->SetColors(3, 2, 0x112233);
    grid->CreateCellGraphic(3, 2)->SetCheckBox(true, false, false, haLeft, vaTop);
    grid->GetCellColor(3, 2, state, brush, font);
    EXPECT_EQ(brush.Color, clWhite);
    EXPECT_EQ(font.Color, 0x0000FFu);
}

TEST_F(PaintTest, ActiveCellHeadersTakeTheActiveFontAndColour)
{
    grid->SetActiveCellShow(true);
    grid->SetActiveCellColor(0x00FFFF);
    grid->ActiveCellFont().SetStyle(fsItalic);
    grid->SetCol(3);
    grid->SetRow(4);
    struct
    {
        int col, row;
        bool active;
    } cases[] = {{0, 4, true}, {3, 0, true}, {0, 3, false}, {2, 0, false}, {3, 4, false}};
    for (const auto &c : cases) {
        TBrush brush;
        TFont font;
        grid->GetCellColor(c.col, c.row, {}, brush, font);
        EXPECT_EQ(brush.Color == 0x00FFFFu, c.active) << c.col << "," << c.row;
        EXPECT_EQ((font.Style & fsItalic) != 0, c.active) << c.col << "," << c.row;
    }
    // Without fixed columns only the header above is highlighted.
    grid->SetFixedCols(0);
    TBrush brush;
    TFont font;
    grid->GetCellColor(0, 4, {}, brush, font);
    EXPECT_NE(brush.Color, 0x00FFFFu);
}

TEST(PaintColours, BlendAndMixTheSelectionColour)
{
    EXPECT_EQ(TDazStringGrid::BlendColors(0x000000, 0xFEFEFE, 50), 0x7F7F7Fu);
    EXPECT_EQ(TDazStringGrid::BlendColors(0x102030, 0x405060, 0), 0x405060u);
    EXPECT_EQ(TDazStringGrid::BlendColors(0x102030, 0x405060, 100), 0x102030u);
    EXPECT_EQ(TDazStringGrid::BlendColors(clNone, 0x405060, 50), 0x405060u);
    EXPECT_EQ(TDazStringGrid::BlendColors(0x102030, clNone, 50), 0x102030u);
    EXPECT_EQ(TDazStringGrid::MixSelectionColor(0x000000, 0xFEFEFE, false, 50), 0u);
    EXPECT_EQ(TDazStringGrid::MixSelectionColor(0x000000, 0xFEFEFE, true, 50), 0x7F7F7Fu);
}

TEST_F(PaintTest, SelectionMixesWithACellColour)
{
    grid->SetSelectionColorMixer(true);
    grid->SetSelectionColor(0x000000);
    grid->SetColors(2, 2, 0xFEFEFE);
    grid->SetSelection({1, 2, 3, 2});
    const TRect r = grid->CellRect(2, 2);
    const TRect plain = grid->CellRect(3, 2);
    for (int factor : {50, 0, 100}) {
        grid->SetSelectionColorMixerFactor(factor);
        const QImage img = grid->Render();
        EXPECT_EQ(PixelAt(img, r.Left + 60, r.Top + 10),
                  TDazStringGrid::BlendColors(0x000000, 0xFEFEFE, factor))
            << factor;
        // A cell in the grid's colour takes the selection colour unmixed.
        EXPECT_EQ(PixelAt(img, plain.Left + 60, plain.Top + 10), 0u);
    }
}

TEST_F(PaintTest, TextFlagsAndEllipsis)
{
    grid->SetWordWrap(false);
    grid->SetCells(2, 2, QStringLiteral("first\rsecond"));
    grid->SetCells(3, 2, QStringLiteral("a very long text that never fits its cell"));
    auto find = [&](const std::vector<TCanvasOp> &ops, const QString &prefix) {
        for (const TCanvasOp &op : ops)
            if (op.Name == QLatin1String("DrawText") && op.Text.startsWith(prefix))
                return op;
        return TCanvasOp{};
    };
    auto ops = grid->Record();
    // One line only: the text is cut at its first CR and drawn on a single line.
    EXPECT_EQ(find(ops, "first").Text, QStringLiteral("first"));
    EXPECT_TRUE(find(ops, "first").Flags & DT_SINGLELINE);
    EXPECT_FALSE(find(ops, "a very").Flags & DT_END_ELLIPSIS);
    EXPECT_TRUE(find(ops, "a very").Flags & DT_NOPREFIX);

    grid->SetEnhTextSize(true);
    ops = grid->Record();
    EXPECT_TRUE(find(ops, "a very").Flags & DT_END_ELLIPSIS);

    grid->SetMultilinecells(true);
    ops = grid->Record();
    EXPECT_EQ(find(ops, "first").Text, QStringLiteral("first\nsecond"));
    EXPECT_TRUE(find(ops, "first").Flags & DT_WORDBREAK);
}

TEST_F(PaintTest, AlignmentFlagsFollowAutoNumAlign)
{
    grid->SetCells(2, 3, QStringLiteral("12"));
    grid->SetCells(3, 3, QStringLiteral("12a"));
    grid->SetAutoNumAlign(true);
    const auto ops = grid->Record();
    EXPECT_TRUE(TextOps(ops, QStringLiteral("12"))[0].Flags & DT_RIGHT);
    EXPECT_FALSE(TextOps(ops, QStringLiteral("12a"))[0].Flags & (DT_RIGHT | DT_CENTER));
}

TEST_F(PaintTest, BordersFromTheBorderEvent)
{
    grid->OnGetCellBorder = [](TObject *, int ARow, int ACol, TPen &pen, TCellBorders &b) {
        if (ARow == 3 && ACol == 2) {
            b = {cbLeft, cbBottom};
            pen.Color = 0x0000FF;
            pen.Width = 1;
        }
    };
    const auto ops = grid->Record();
    std::vector<TCanvasOp> lines;
    for (const TCanvasOp &op : ops)
        if (op.Name == QLatin1String("LineTo") && op.Pen.Color == 0x0000FFu)
            lines.push_back(op);
    ASSERT_EQ(lines.size(), 2u);
    const TRect cell = grid->CellRect(2, 3);
    // One vertical line at the left edge, one horizontal at the bottom.
    EXPECT_EQ(lines[0].Rect.Left, lines[0].Rect.Right);
    EXPECT_NEAR(lines[0].Rect.Left, cell.Left, 2);
    EXPECT_EQ(lines[1].Rect.Top, lines[1].Rect.Bottom);
    EXPECT_NEAR(lines[1].Rect.Top, cell.Bottom, 3);
}

TEST_F(PaintTest, FixedLooks)
{
    // glVista: white left and right lines on fixed cells; other looks none.
    grid->SetLook(glVista);
    auto whiteLines = [&] {
        int n = 0;
        for (const TCanvasOp &op : grid->Record())
            n += op.Name == QLatin1String("LineTo") && op.Pen.Color == clWhite &&
                 op.Rect.Left == op.Rect.Right && op.Rect.Top < 22;
        return n;
    };
    EXPECT_GE(whiteLines(), 2 * 5);
    grid->SetLook(glOffice2007);
    EXPECT_EQ(whiteLines(), 0);

    // No hover look without HoverFixedCells.
    grid->SetLook(glXP);
    grid->QVRFixedLook().HoverFrom = 0x00FF00;
    grid->QVRFixedLook().HoverTo = 0x00FF00;
    const QImage img = grid->Render();
    EXPECT_EQ(CountPixels(img, TRect(0, 0, 400, 22), 0x00FF00), 0);
}

TEST_F(PaintTest, ModifiedBarOnlyInColumnZeroOfModifiedRows)
{
    grid->ShowModified().SetEnabled(true);
    grid->ShowModified().SetColor(0x00FFFF);
    grid->SetRowModified(3, true);
    const QImage img = grid->Render();
    const TRect c0 = grid->CellRect(0, 3);
    EXPECT_GT(CountPixels(img, TRect(c0.Right - 5, c0.Top, c0.Right, c0.Bottom), 0x00FFFF), 20);
    EXPECT_EQ(CountPixels(img, TRect(0, grid->CellRect(0, 2).Top, 400, c0.Top), 0x00FFFF), 0);
    EXPECT_EQ(CountPixels(img, TRect(c0.Right, c0.Top, 400, c0.Bottom), 0x00FFFF), 0);
}

TEST_F(PaintTest, TextRendersInTheDefaultFont)
{
    grid->SetCells(2, 3, QStringLiteral("WWWW"));
    const QImage img = grid->Render();
    const TRect r = grid->CellRect(2, 3);
    // Dark text pixels start XYOffset (2) pixels inside the cell.
    int firstDark = -1;
    for (int x = r.Left; x < r.Right && firstDark < 0; ++x)
        for (int y = r.Top; y < r.Bottom; ++y)
            if ((PixelAt(img, x, y) & 0xFF) < 0x80) {
                firstDark = x;
                break;
            }
    EXPECT_GE(firstDark, r.Left + 2);
    EXPECT_LE(firstDark, r.Left + 4);
}

}   // namespace

namespace {

TEST_F(PaintTest, BackgroundGradientPastTheCellsNeedsAnEndColour)
{
    grid->SetColCount(3);
    grid->SetRowCount(3);
    grid->BackGround().SetDisplay(bdGradientHorz);
    grid->BackGround().SetColor(0x0000FF);
    grid->BackGround().SetColorTo(clNone);
    const QImage plain = grid->Render();
    EXPECT_EQ(PixelAt(plain, 380, 120), ColorToRGB(clWindow) & 0xFFFFFF);
    grid->BackGround().SetColorTo(0x00FF00);
    const QImage painted = grid->Render();
    EXPECT_NE(PixelAt(painted, 380, 120), ColorToRGB(clWindow) & 0xFFFFFF);
    EXPECT_NE(PixelAt(painted, 300, 120), PixelAt(painted, 390, 120));   // a gradient
}

TEST_F(PaintTest, RightToLeftMirrorsTheTextRectangle)
{
    grid->SetWordWrap(false);
    const TRect ltr = TextOps(grid->Record(), QStringLiteral("r2c1"))[0].Rect;
    grid->setLayoutDirection(Qt::RightToLeft);
    const TRect rtl = TextOps(grid->Record(), QStringLiteral("r2c1"))[0].Rect;
    EXPECT_EQ(rtl.Left, grid->ClientWidth() - ltr.Right);
    EXPECT_EQ(rtl.Right, grid->ClientWidth() - ltr.Left);
}

TEST_F(PaintTest, SortGlyphOfAnHtmlHeaderSitsAtTheCellsMiddle)
{
    grid->SetVAlignment(vtaCenter);
    grid->SetCells(2, 0, QStringLiteral("<b>Head</b>"));
    grid->SortSettings().SetShow(true);
    grid->SortSettings().SetColumn(2);
    const auto ops = grid->Record();
    const TRect head = grid->CellRect(2, 0);
    // The glyph is an outline triangle in white and grey lines.
    TRect glyph;
    int lines = 0;
    for (const TCanvasOp &op : ops)
        if (op.Name == QLatin1String("LineTo") && op.Rect.Left >= head.Left &&
            op.Rect.Right <= head.Right + 8 && op.Rect.Bottom <= head.Bottom &&
            std::abs(op.Rect.Width()) <= 9 && std::abs(op.Rect.Height()) <= 9 &&
            (op.Pen.Color == clWhite || op.Pen.Color == TColor(0x808080))) {
            ++lines;
            const TRect r = op.Rect;
            UnionRect(glyph, glyph,
                      TRect(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom),
                            std::max(r.Left, r.Right) + 1, std::max(r.Top, r.Bottom) + 1));
        }
    EXPECT_EQ(lines, 3);
    EXPECT_NEAR((glyph.Top + glyph.Bottom) / 2, head.Top + head.Height() / 2, 2);
}

TEST_F(PaintTest, PasswordCellsShowThePasswordCharacter)
{
    grid->OnIsPasswordCell = [](TObject *, int ARow, int ACol, bool &pw) {
        pw = ARow == 2 && ACol == 3;
    };
    EXPECT_EQ(TextOps(grid->Record(), QStringLiteral("****")).size(), 1u);
}

}   // namespace
