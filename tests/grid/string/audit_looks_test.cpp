// Looks of the string grid: filter buttons, sort glyphs of indexed columns and the colours
// of cells outside a disjunct selection.
#include "paintfixture.h"

#include "grid/base/styledetect.h"
#include "platform/theme.h"

#include <QMouseEvent>

namespace {

using AuditLooks = PaintFixture;

// A 16 x 16 glyph of one colour on a white key (pixel (0, 0) is the transparent colour).
QImage KeyedGlyph(QColor Colour)
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(Colour);
    img.setPixelColor(0, 0, Qt::white);
    return img;
}

// Pixels of colour C in R of the image.
int CountColour(const QImage &Img, const TRect &R, QColor C)
{
    int n = 0;
    for (int y = std::max(0, R.Top); y < std::min(Img.height(), R.Bottom); ++y)
        for (int x = std::max(0, R.Left); x < std::min(Img.width(), R.Right); ++x)
            n += Img.pixelColor(x, y) == C;
    return n;
}

}   // namespace

TEST_F(AuditLooks, FilterButtonShowsTheActiveGlyphOnFilteredColumnsAndAFunnelWithoutGlyphs)
{
    grid->SetFilterDropDownAuto(true);
    grid->SetFilterDropDownRow(0);
    auto button = [&](int c) {
        const TRect r = grid->CellRect(c, 0);
        return TRect(r.Right - 17, r.Top, r.Right, r.Bottom);
    };

    // Without glyphs both columns get the funnel: its black rim along the top.
    QImage img = grid->Render();
    for (int c : {2, 3}) {
        const TRect b = button(c);
        EXPECT_GE(CountColour(img, TRect(b.Left, b.Top, b.Right, b.Top + 6), Qt::black), 12)
            << "column " << c;
    }

    TBitmap normal, active;
    normal.SetImage(KeyedGlyph(Qt::red));
    active.SetImage(KeyedGlyph(Qt::blue));
    grid->FilterDropDown().SetGlyph(normal);
    grid->FilterDropDown().SetGlyphActive(active);
    grid->Filter().ColumnFilter(2)->SetCondition(QStringLiteral("r1*"));
    img = grid->Render();
    EXPECT_GT(CountColour(img, button(2), Qt::blue), 100);
    EXPECT_EQ(CountColour(img, button(2), Qt::red), 0);
    EXPECT_GT(CountColour(img, button(3), Qt::red), 100);
    EXPECT_EQ(CountColour(img, button(3), Qt::blue), 0);
}

TEST_F(AuditLooks, ColumnsOfTheSortIndexListShowSortGlyphs)
{
    grid->SortSettings().SetShow(true);
    grid->SortSettings().SetColumn(1);
    grid->SortIndexes().AddIndex(2, true);
    grid->SortIndexes().AddIndex(3, false);
    // The glyph's grey or white outline lines (direction form) or its number (index form).
    auto glyphOps = [&](int c) {
        const TRect head = grid->CellRect(c, 0);
        const TRect area(head.Left, head.Top - 8, head.Right + 10, head.Bottom + 8);
        const auto ops = grid->Record();
        return OpsIn(ops, QStringLiteral("LineTo"), area).size() +
               OpsIn(ops, QStringLiteral("TextOut"), area).size() +
               OpsIn(ops, QStringLiteral("Polygon"), area).size();
    };
    struct Case {
        bool IndexShow;
        int Col;
        bool Glyph;
    } cases[] = {
        {false, 2, true},    // first in the index list
        {false, 3, false},   // second index, hidden without IndexShow
        {true, 3, true},
        {false, 4, false},   // not sorted at all
    };
    for (const Case &c : cases) {
        grid->SortSettings().SetIndexShow(c.IndexShow);
        // The header's own lines, without sorting, are the baseline.
        grid->SortSettings().SetShow(false);
        const size_t plain = glyphOps(c.Col);
        grid->SortSettings().SetShow(true);
        EXPECT_EQ(glyphOps(c.Col) > plain, c.Glyph)
            << "IndexShow " << c.IndexShow << " column " << c.Col;
    }
}

TEST_F(AuditLooks, CellsOutsideADisjunctColumnSelectionKeepTheirTextColour)
{
    grid->SetSelectionTextColor(0x00FF00);
    grid->SetSelectionColor(0x800000);
    grid->Font().SetColor(0x000080);
    grid->MouseActions().SetDisjunctColSelect(true);
    grid->FocusCell(2, 2);
    grid->SetColSelect(3, true);
    const auto ops = grid->Record();
    auto colourOf = [&](const QString &t) {
        const auto texts = TextOps(ops, t);
        return texts.empty() ? TColor(clNone) : texts.front().Font.Color;
    };
    EXPECT_EQ(colourOf(QStringLiteral("r2c2")), TColor(0x000080));   // current, unselected column
    EXPECT_EQ(colourOf(QStringLiteral("r4c3")), TColor(0x00FF00));   // selected column
}

TEST_F(AuditLooks, AlwaysVisibleButtonsTakeTheColourTonesOfAFlatGrid)
{
    TColorTones tones;
    tones.Background = {0xF0F0F0, 0xFF00FF, 0x000000};
    tones.Foreground = {0xE0E0E0, 0x808080, 0x000000};
    tones.Selected = {0x00C0FF, 0x0080FF, 0x000000};
    tones.Hover = {0xC0FFC0, 0x00FF00, 0x000000};
    tones.Disabled = {0xD0D0D0, 0xA0A0A0, 0x808080};
    grid->SetColorTones(tones);
    grid->SetDefaultEditor(edComboList);
    grid->ControlLook().SetDropDownAlwaysVisible(true);
    const TRect r = grid->CellRect(2, 2);
    const TRect button(r.Right - 18, r.Top - 1, r.Right + 1, r.Bottom + 1);
    // The tones' border colour frames the combo button.
    EXPECT_GT(CountColour(grid->Render(), button, QColor(0xFF, 0x00, 0xFF)), 10);
}

TEST_F(AuditLooks, ABitButtonWithoutCaptionCentresItsGlyph)
{
    TBitmap glyph;
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::red);
    glyph.SetImage(img);
    auto glyphLeft = [&](const QString &Caption, int Width) {
        grid->AddBitButton(2, 2, Width, 20, Caption, &glyph, haLeft, vaTop);
        const auto draws = OpsIn(grid->Record(), QStringLiteral("Draw"), grid->CellRect(2, 2));
        grid->RemoveCellGraphic(2, 2);
        return draws.size() == 1 ? draws[0].Rect.Left : -1;
    };
    // With a caption the glyph starts 3 pixels into the button.
    const int button = glyphLeft(QStringLiteral("Go"), 60) - 3;
    ASSERT_GT(button, 0);
    EXPECT_EQ(glyphLeft(QString(), 60), button + (60 - 8) / 2);
    EXPECT_EQ(glyphLeft(QString(), 12), button + 3);   // no room to centre
}

TEST_F(AuditLooks, TreeLinesFollowTheRowsBranchAndItsAncestors)
{
    grid->AddNode(1, 4);   // rows 1..4 on level 1
    grid->AddNode(2, 2);   // rows 2..3 on level 2
    grid->CellNode().SetShowTree(true);
    grid->CellNode().SetTreeColor(0x00FF00);
    const int ni = grid->CellNode().NodeIndent();
    const TRect cell = grid->CellRect(0, 3);
    const int mid = cell.Top + cell.Height() / 2;
    // Row 3 is the last child on level 2: its branch (x = 2 * ni + ni / 2 - ni + 2) ends at the
    // middle; the level-1 line one indent further left runs on into row 4.
    const int x = ni + ni / 2 + 2;
    int branchEnd = -1, ancestorEnd = -1;
    for (const TCanvasOp &op : grid->Record()) {
        if (op.Name != QLatin1String("LineTo") || op.Pen.Color != 0x00FF00 ||
            op.Rect.Left != op.Rect.Right || op.Rect.Top < cell.Top - 1 ||
            op.Rect.Top > cell.Bottom)
            continue;
        if (op.Rect.Left == x)
            branchEnd = std::max(branchEnd, op.Rect.Bottom);
        if (op.Rect.Left == x - ni)
            ancestorEnd = std::max(ancestorEnd, op.Rect.Bottom);
    }
    EXPECT_NEAR(branchEnd, mid, 1);   // the middle of the inner cell
    EXPECT_GT(ancestorEnd, cell.Bottom);
}

TEST_F(AuditLooks, ListViewHeadersAreThemedItemsHotUnderThePointer)
{
    TFakeThemePlatformGuard guard;
    guard.Fake.LibraryPresent = true;
    guard.Fake.ThemeActive = true;
    UnbindThemeLibrary();
    BindThemeLibrary();
    grid->SetLook(glListView);
    auto headerPart = [&](int c) {
        guard.Fake.Draws.clear();
        grid->Record();
        const TRect head = grid->CellRect(c, 0);
        for (const auto &d : guard.Fake.Draws)
            if (d.Class == QLatin1String("header") && d.Rect.Left >= head.Left - 1 &&
                d.Rect.Right <= head.Right + 1 && d.Rect.Top <= head.Top + 1)
                return std::pair<int, int>(d.Part, d.State);
        return std::pair<int, int>(0, 0);
    };
    EXPECT_EQ(headerPart(2), (std::pair<int, int>(3, 1)));   // right item, normal
    const TRect head = grid->CellRect(2, 0);
    const QPoint at(head.Left + 5, head.Top + 5);
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(grid->viewport()->mapToGlobal(at)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
    EXPECT_EQ(headerPart(2), (std::pair<int, int>(1, 2)));   // item, hot
    EXPECT_EQ(headerPart(3), (std::pair<int, int>(3, 1)));
    UnbindThemeLibrary();
}

TEST_F(AuditLooks, ARichTextCellCoversTheBackgroundGradientWithItsBrush)
{
    grid->BackGround().SetDisplay(bdGradientHorz);
    grid->BackGround().SetCells(bcNormal);
    grid->BackGround().SetColor(0x0000FF);
    grid->BackGround().SetColorTo(0xFF0000);
    grid->SetColor(0x00FF00);
    grid->SetCells(2, 3, QStringLiteral("{\\rtf1\\ansi x}"));
    const QImage img = grid->Render();
    // Pixels near the bottom corners of a cell, clear of the text.
    auto sides = [&](int c, int r) {
        const TRect cell = grid->CellRect(c, r);
        return std::pair(img.pixelColor(cell.Left + 3, cell.Bottom - 3),
                         img.pixelColor(cell.Right - 4, cell.Bottom - 3));
    };
    const auto plain = sides(2, 2);
    EXPECT_NE(plain.first, plain.second);   // the gradient runs across a plain cell
    const auto rich = sides(2, 3);
    EXPECT_EQ(rich.first, QColor(0, 255, 0));
    EXPECT_EQ(rich.second, QColor(0, 255, 0));
}

TEST_F(AuditLooks, BlinkingMarkupTextComesAndGoesWithTheGridsBlinkPhase)
{
    grid->SetEnableHTML(true);
    grid->SetCells(2, 2, QStringLiteral("<BLINK>WWWW</BLINK>"));
    const TRect cell = grid->CellRect(2, 2);
    auto ink = [&] {
        const QImage img = grid->Render();
        int n = 0;
        for (int y = cell.Top + 1; y < cell.Bottom - 1; ++y)
            for (int x = cell.Left + 1; x < cell.Right - 1; ++x)
                n += qGray(img.pixel(x, y)) < 128;
        return n;
    };
    EXPECT_GT(ink(), 10);   // without blinking the text stays
    grid->SetEnableBlink(true);
    const int first = ink();
    grid->GridTimerTick();
    const int second = ink();
    EXPECT_EQ(std::min(first, second), 0);
    EXPECT_GT(std::max(first, second), 10);
}
