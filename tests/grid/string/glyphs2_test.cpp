// Painting of the cell graphics beyond check boxes: ratings, comment marks, expand
// chevrons, progress bars, radio groups, rotated text, node glyphs, the sort glyph and the
// hot and disabled cell buttons, as the recording canvas sees them.
#include "eventlog.h"
#include "paintfixture.h"

#include "grid/base/styledetect.h"
#include "platform/theme.h"

#include <QMouseEvent>

namespace {

using GlyphPaint = PaintFixture;

// A visual-styles library that is there and active, bound for one test.
class TThemed
{
public:
    TThemed()
    {
        Guard.Fake.LibraryPresent = true;
        Guard.Fake.ThemeActive = true;
        UnbindThemeLibrary();
        BindThemeLibrary();
    }
    ~TThemed() { UnbindThemeLibrary(); }
    TFakeThemePlatformGuard Guard;
};

TEST_F(GlyphPaint, RatingStarsInFullEmptyAndHalfColours)
{
    grid->SetColWidths(2, 120);
    grid->AddRating(2, 2, 5, clRed, clGray);
    grid->SetCells(2, 2, QStringLiteral("3.4"));   // rounds to 3.5
    const auto stars = OpsIn(grid->Record(), QStringLiteral("Polygon"), grid->CellRect(2, 2));
    std::vector<TColor> colours;
    for (const TCanvasOp &op : stars)
        colours.push_back(op.Brush.Color);
    EXPECT_EQ(colours, (std::vector<TColor>{clRed, clRed, clRed, clGray, clRed, clGray}));
    // 18 pixels apart.
    ASSERT_EQ(stars.size(), 6u);
    EXPECT_EQ(stars[1].Rect.Left - stars[0].Rect.Left, 18);
}

TEST_F(GlyphPaint, CommentTriangleInTheTopRightCorner)
{
    grid->AddComment(2, 2, QStringLiteral("note"));
    const TRect cell = grid->CellRect(2, 2);
    auto marks = OpsIn(grid->Record(), QStringLiteral("Polygon"), cell);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].Brush.Color, grid->ControlLook().CommentColor());
    EXPECT_GT(marks[0].Rect.Left, cell.Right - 10);
    EXPECT_LT(marks[0].Rect.Top, cell.Top + 4);
    grid->ControlLook().SetCommentColor(clNone);
    EXPECT_TRUE(OpsIn(grid->Record(), QStringLiteral("Polygon"), cell).empty());
}

TEST_F(GlyphPaint, ExpandChevronPointsByItsState)
{
    grid->AddExpand(2, 2, 60);
    const TRect cell = grid->CellRect(2, 2);
    const TRect corner(cell.Right - 14, cell.Top, cell.Right, cell.Top + 14);
    auto chevron = [&] {
        for (const TCanvasOp &op : OpsIn(grid->Record(), QStringLiteral("Polyline"), corner))
            if (op.Pen.Color == clBlack)
                return TRect(op.Rect.Left, std::min(op.Rect.Top, op.Rect.Bottom), op.Rect.Right,
                             std::max(op.Rect.Top, op.Rect.Bottom) + 1);
        return TRect();
    };
    const TRect down = chevron();
    grid->ToggleExpand(2, 2);
    const TRect up = chevron();
    EXPECT_FALSE(IsRectEmpty(down));
    EXPECT_FALSE(IsRectEmpty(up));
    EXPECT_NE(down.Top, up.Top);
}

TEST_F(GlyphPaint, ThemedProgressIsClampedToTheBar)
{
    TThemed themed;
    grid->ControlLook().SetProgressXP(true);
    grid->AddProgress(2, 2, clBlue, clWhite);
    grid->SetCells(2, 2, QStringLiteral("150"));
    grid->Record();
    std::vector<TFakeThemePlatform::TDrawCall> calls;
    for (const auto &d : themed.Guard.Fake.Draws)
        if (d.Class == QLatin1String("Progress"))
            calls.push_back(d);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].Part, 1);
    EXPECT_EQ(calls[1].Part, 3);
    EXPECT_EQ(calls[1].Rect.Left, calls[0].Rect.Left + 2);
    EXPECT_EQ(calls[1].Rect.Right, calls[0].Rect.Right - 2);

    themed.Guard.Fake.Draws.clear();
    grid->SetCells(2, 2, QStringLiteral("-5"));
    grid->Record();
    int chunks = 0;
    for (const auto &d : themed.Guard.Fake.Draws)
        chunks += d.Class == QLatin1String("Progress") && d.Part == 3;
    EXPECT_EQ(chunks, 0);
}

TEST_F(GlyphPaint, PlainProgressBarShowsThePercentage)
{
    grid->AddProgress(2, 2, clBlue, clWhite);
    grid->SetCells(2, 2, QStringLiteral("40"));
    bool text = false;
    for (const TCanvasOp &op : grid->Record())
        text = text || op.Text == QLatin1String("40%");
    EXPECT_TRUE(text);
}

TEST_F(GlyphPaint, RadioGroupOverTheCellChecksTheItemOfTheCellText)
{
    TFakeThemePlatformGuard theme;   // classic frame controls
    TStringList *items = grid->CreateRadio(2, 2, 0, -1);
    items->Add(QStringLiteral("a"));
    items->Add(QStringLiteral("b"));
    grid->GetCellGraphic(2, 2)->CellAngle = 2;
    grid->SetCells(2, 2, QStringLiteral("b"));
    grid->RowHeights(2);
    grid->SetRowHeights(2, 44);
    grid->Record();
    std::vector<int> states;
    for (const auto &d : theme.Fake.Draws)
        if (d.What == QLatin1String("frame") && (unsigned(d.State) & DFCS_BUTTONRADIO))
            states.push_back(d.State);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_FALSE(unsigned(states[0]) & DFCS_CHECKED);
    EXPECT_TRUE(unsigned(states[1]) & DFCS_CHECKED);
}

TEST_F(GlyphPaint, RotatedTextIsDrawnOnceInsideTheCell)
{
    grid->AddRotated(2, 2, 90, QStringLiteral("up"));
    int drawn = 0;
    for (const TCanvasOp &op : grid->Record())
        if (op.Text == QLatin1String("up"))
            ++drawn;
    EXPECT_EQ(drawn, 1);
}

TEST_F(GlyphPaint, NodeGlyphsByNodeType)
{
    grid->AddNode(2, 3);
    const TRect cell = grid->CellRect(0, 2);
    grid->CellNode().SetNodeType(cnXP);
    auto pictures = OpsIn(grid->Record(), QStringLiteral("Draw"), cell);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].Rect.Width(), 9);

    grid->CellNode().SetNodeType(cnFlat);
    grid->CellNode().SetNodeColor(clMaroon);
    auto boxes = OpsIn(grid->Record(), QStringLiteral("Rectangle"), cell);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Pen.Color, clMaroon);
    EXPECT_EQ(boxes[0].Rect.Width(), 8);
    // Expanded: only the minus; collapsed adds the bar of a plus.
    auto strokes = [&] {
        int n = 0;
        for (const TCanvasOp &op : OpsIn(grid->Record(), QStringLiteral("LineTo"), cell))
            n += op.Pen.Color == clMaroon;
        return n;
    };
    EXPECT_EQ(strokes(), 1);
    grid->ContractNode(2);
    EXPECT_EQ(strokes(), 2);
}

TEST_F(GlyphPaint, SortGlyphIsMirroredRightToLeft)
{
    grid->SortSettings().SetShow(true);
    grid->SortSettings().SetColumn(2);
    const TRect head = grid->CellRect(2, 0);
    // The left end of the glyph's horizontal white stroke.
    auto glyphX = [&](const TRect &Area) {
        for (const TCanvasOp &op : OpsIn(grid->Record(), QStringLiteral("LineTo"), Area))
            if (op.Pen.Color == clWhite && op.Rect.Top == op.Rect.Bottom &&
                std::abs(op.Rect.Width()) == 8)
                return std::min(op.Rect.Left, op.Rect.Right);
        return -1;
    };
    const int ltr = glyphX(TRect(head.Left, head.Top, head.Right + 10, head.Bottom));
    ASSERT_GE(ltr, 0);
    grid->setLayoutDirection(Qt::RightToLeft);
    const int rtl = glyphX(TRect(0, head.Top, grid->ClientWidth(), head.Bottom));
    // The glyph's centre X becomes ClientWidth - X - 11 (4 plus the 7 of a drawn glyph).
    EXPECT_EQ(rtl + 4, grid->ClientWidth() - (ltr + 4) - 11);
}

TEST_F(GlyphPaint, SortIndexGlyphShowsTheIndexNumber)
{
    grid->SortSettings().SetShow(true);
    grid->SortSettings().SetColumn(2);
    grid->SortSettings().SetIndexShow(true);
    grid->SortIndexes().AddIndex(3, true);
    grid->SortIndexes().AddIndex(2, false);
    const TRect head = grid->CellRect(2, 0);
    bool number = false;
    for (const TCanvasOp &op :
         OpsIn(grid->Record(), QStringLiteral("TextOut"),
               TRect(head.Left, head.Top - 8, head.Right + 10, head.Bottom + 8)))
        if (op.Text == QLatin1String("2")) {
            number = true;
            EXPECT_EQ(op.Font.Size, 6);
        }
    EXPECT_TRUE(number);
}

TEST_F(GlyphPaint, CellButtonsHotUnderThePointerAndDisabledWhenReadOnly)
{
    TFakeThemePlatformGuard theme;
    grid->AddButton(2, 2, 40, 16, QStringLiteral("go"), haLeft, vaTop);
    auto pushState = [&] {
        theme.Fake.Draws.clear();
        grid->Record();
        for (const auto &d : theme.Fake.Draws)
            if (d.What == QLatin1String("frame") && (unsigned(d.State) & DFCS_BUTTONPUSH))
                return unsigned(d.State);
        return 0u;
    };
    EXPECT_FALSE(pushState() & (DFCS_HOT | DFCS_INACTIVE));
    grid->SetReadOnly(2, 2, true);
    EXPECT_TRUE(pushState() & DFCS_INACTIVE);
    grid->SetReadOnly(2, 2, false);
    grid->Record();   // the button's place in the cell is recorded by painting
    const TRect b = grid->GetCellButtonRect(2, 2);
    QMouseEvent move(QEvent::MouseMove, QPointF(b.Left + 3, b.Top + 3),
                     QPointF(grid->viewport()->mapToGlobal(QPoint(b.Left + 3, b.Top + 3))),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
    EXPECT_EQ(grid->HoverButton(), (TGridCoord{2, 2}));
    EXPECT_TRUE(pushState() & DFCS_HOT);
}

}   // namespace

namespace {

TEST_F(GlyphPaint, ExpandButtonClickFlipsTheStateAndTheRowHeight)
{
    TEventLog log(*grid);
    grid->SetOptions(grid->Options() + goEditing);   // buttons of editable cells click
    grid->AddExpand(2, 2, 60);
    std::vector<bool> states;
    grid->OnExpandClick = [&](TObject *, int, int, bool Expanded) { states.push_back(Expanded); };
    const TRect b = grid->GetExpandButtonRect(2, 2);
    log.Click(QPoint(b.Left + 3, b.Top + 3));
    EXPECT_TRUE(grid->GetExpandState(2, 2));
    EXPECT_EQ(grid->RowHeights(2), 60);
    EXPECT_FALSE(grid->GetCellGraphic(2, 2)->CellBoolean);   // the face is not left pushed
    const TRect b2 = grid->GetExpandButtonRect(2, 2);
    log.Click(QPoint(b2.Left + 3, b2.Top + 3));
    EXPECT_FALSE(grid->GetExpandState(2, 2));
    EXPECT_EQ(grid->RowHeights(2), 22);
    EXPECT_EQ(states, (std::vector<bool>{true, false}));
}

}   // namespace
