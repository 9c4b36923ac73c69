// The remaining cell graphics as the recording canvas sees them, one row of a table per
// kind: images of every source, pies, range and level bars, shapes, objects that paint
// themselves, radio buttons, three-state boxes and bitmap buttons.
#include "paintfixture.h"

#include "grid/base/imagelist.h"
#include "grid/string/bitmap.h"
#include "platform/theme.h"

#include <functional>

namespace {

using GlyphTable = PaintFixture;

QImage Filled(int W, int H, QColor C)
{
    QImage img(W, H, QImage::Format_ARGB32);
    img.fill(C);
    return img;
}

// Paints itself as one rectangle and remembers how it was asked to.
class TSelfPainting : public TObject, public IGridCellObject
{
public:
    void Draw(TCanvas &Canvas, const TRect &R, int, int, bool Selected, TDazStringGrid *) override
    {
        Rect = R;
        WasSelected = Selected;
        Canvas.FrameRect(R);
    }
    int GetWidth() override { return 10; }
    int GetHeight() override { return 10; }
    bool IsBackground() override { return false; }
    TRect Rect;
    bool WasSelected = false;
};

struct TKindCase
{
    const char *Name;
    std::function<void(TPaintGrid &)> Make;
    // Checks the calls inside the cell (2, 2).
    std::function<void(const std::vector<TCanvasOp> &, TRect Cell)> Check;
};

}   // namespace

TEST_F(GlyphTable, EveryKindIsPaintedAsTabled)
{
    TCustomImageList images(16, 16);
    for (QColor c : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue), QColor(Qt::yellow)})
        images.Add(Filled(16, 16, c));
    grid->SetGridImages(&images);
    grid->SetColWidths(2, 90);
    grid->SetRowHeights(2, 40);
    TBitmap bitmap;
    bitmap.SetImage(Filled(12, 10, Qt::red));
    TIcon icon;
    icon.SetImage(Filled(16, 16, Qt::blue));
    TPicture picture;
    picture.SetImage(Filled(30, 20, Qt::green));
    TSelfPainting self;

    auto count = [](int N, const char *Op) {
        return [N, Op](const std::vector<TCanvasOp> &Ops, TRect Cell) {
            EXPECT_EQ(OpsIn(Ops, Op, Cell).size(), size_t(N)) << Op;
        };
    };
    const TKindCase cases[] = {
        {"bitmap", [&](TPaintGrid &G) { G.AddBitmap(2, 2, &bitmap, false, haLeft, vaTop); },
         [](const std::vector<TCanvasOp> &Ops, TRect Cell) {
             const auto d = OpsIn(Ops, "Draw", Cell);
             ASSERT_EQ(d.size(), 1u);
             EXPECT_EQ(d[0].Rect.Width(), 12);
             EXPECT_EQ(d[0].Rect.Height(), 10);
         }},
        {"icon", [&](TPaintGrid &G) { G.AddIcon(2, 2, &icon, haLeft, vaTop); }, count(1, "Draw")},
        {"image list", [](TPaintGrid &G) { G.AddImageIdx(2, 2, 1, haLeft, vaTop); },
         count(1, "Draw")},
        // An index outside the list draws nothing.
        {"image list out of range", [](TPaintGrid &G) { G.AddImageIdx(2, 2, 9, haLeft, vaTop); },
         count(0, "Draw")},
        {"data image", [](TPaintGrid &G) {
             G.SetCells(2, 2, "2");
             G.AddDataImage(2, 2, 1, haLeft, vaTop);
         },
         count(1, "Draw")},
        {"data image out of range", [](TPaintGrid &G) {
             G.SetCells(2, 2, "7");
             G.AddDataImage(2, 2, 1, haLeft, vaTop);
         },
         count(0, "Draw")},
        {"images side by side", [](TPaintGrid &G) {
             G.AddMultiImage(2, 2, 0, haLeft, vaTop);
             for (int i : {0, 2, 3})
                 G.CellImages(2, 2)->Add(i);
         },
         [](const std::vector<TCanvasOp> &Ops, TRect Cell) {
             const auto d = OpsIn(Ops, "Draw", Cell);
             ASSERT_EQ(d.size(), 3u);
             EXPECT_EQ(d[1].Rect.Left - d[0].Rect.Left, 16);
             EXPECT_EQ(d[2].Rect.Top, d[0].Rect.Top);
         }},
        {"images stacked", [](TPaintGrid &G) {
             G.AddMultiImage(2, 2, 1, haLeft, vaTop);
             for (int i : {0, 1})
                 G.CellImages(2, 2)->Add(i);
         },
         [](const std::vector<TCanvasOp> &Ops, TRect Cell) {
             const auto d = OpsIn(Ops, "Draw", Cell);
             ASSERT_EQ(d.size(), 2u);
             EXPECT_EQ(d[1].Rect.Top - d[0].Rect.Top, 16);
         }},
        {"picture", [&](TPaintGrid &G) {
             G.AddPicture(2, 2, &picture, false, noStretch, 0, haLeft, vaTop);
         },
         count(1, "Draw")},
        {"stretched picture", [&](TPaintGrid &G) {
             G.AddPicture(2, 2, &picture, false, Stretch, 0, haLeft, vaTop);
         },
         [](const std::vector<TCanvasOp> &Ops, TRect Cell) {
             int stretched = 0;
             for (const TCanvasOp &op : Ops)
                 if (op.Name == QLatin1String("StretchDraw")) {
                     ++stretched;
                     EXPECT_TRUE(PtInRect(Cell, TPoint(op.Rect.Left, op.Rect.Top)));
                     EXPECT_GT(op.Rect.Width(), 30);   // wider than the picture itself
                 }
             EXPECT_EQ(stretched, 1);
         }},
        {"progress pie", [](TPaintGrid &G) { G.AddProgressPie(2, 2, clRed, 40); },
         [](const std::vector<TCanvasOp> &Ops, TRect Cell) {
             // The outline, then the filled part in the pie's colour.
             const auto e = OpsIn(Ops, "Ellipse", Cell);
             ASSERT_FALSE(e.empty());
             EXPECT_EQ(e[0].Rect.Width(), 20);
             EXPECT_EQ(e[0].Rect.Height(), 20);
             EXPECT_EQ(e.back().Brush.Color, clRed);
         }},
        {"range indicator", [](TPaintGrid &G) {
             G.SetCells(2, 2, "-30");
             G.AddRangeIndicator(2, 2, 100, clRed, clGreen, false);
         },
         [](const std::vector<TCanvasOp> &Ops, TRect Cell) {
             bool negative = false, positive = false;
             for (const TCanvasOp &op : OpsIn(Ops, "Rectangle", Cell)) {
                 negative = negative || op.Brush.Color == clRed;
                 positive = positive || op.Brush.Color == clGreen;
             }
             EXPECT_TRUE(negative);
             EXPECT_FALSE(positive);
         }},
        {"level bar", [](TPaintGrid &G) {
             G.ProgressAppearance().SetShowPercentage(true);
             G.SetCells(2, 2, "30");
             G.AddDazProgress(2, 2, 20, 40);
         },
         [](const std::vector<TCanvasOp> &Ops, TRect) {
             bool text = false;
             for (const TCanvasOp &op : Ops)
                 text = text || op.Text == QLatin1String("50%");
             EXPECT_TRUE(text);
         }},
        {"shape", [](TPaintGrid &G) { G.AddShape(2, 2, csCircle, clYellow, clBlue, haLeft, vaTop); },
         [](const std::vector<TCanvasOp> &Ops, TRect Cell) {
             const auto e = OpsIn(Ops, "Ellipse", Cell);
             ASSERT_EQ(e.size(), 1u);
             EXPECT_EQ(e[0].Brush.Color, clYellow);
             EXPECT_EQ(e[0].Pen.Color, clBlue);
         }},
        {"self-painting object", [&](TPaintGrid &G) { G.AddInterfacedCell(2, 2, &self); },
         [&](const std::vector<TCanvasOp> &, TRect Cell) {
             // Over the whole cell.
             EXPECT_LE(std::abs(self.Rect.Left - Cell.Left), 1);
             EXPECT_LE(std::abs(self.Rect.Top - Cell.Top), 1);
             EXPECT_GE(self.Rect.Right, Cell.Right - 2);
             EXPECT_FALSE(self.WasSelected);
         }},
    };
    for (const TKindCase &c : cases) {
        SCOPED_TRACE(c.Name);
        grid->SetCells(2, 2, "");
        c.Make(*grid);
        c.Check(grid->Record(), grid->CellRect(2, 2));
        grid->RemoveCellGraphic(2, 2);
    }
    grid->SetGridImages(nullptr);
}

TEST_F(GlyphTable, RadioButtonsThreeStateBoxesAndBitButtonsByTheirState)
{
    TFakeThemePlatformGuard theme;   // no visual-styles library: frame controls
    grid->ControlLook().SetControlStyle(csClassic);
    auto frames = [&] {
        theme.Fake.Draws.clear();
        grid->Record();
        std::vector<unsigned> states;
        for (const auto &d : theme.Fake.Draws)
            if (d.What == QLatin1String("frame") && d.Kind == DFC_BUTTON)
                states.push_back(unsigned(d.State));
        return states;
    };
    grid->AddRadioButton(2, 2, true);
    EXPECT_EQ(frames(), (std::vector<unsigned>{DFCS_BUTTONRADIO | DFCS_CHECKED}));
    grid->RemoveCellGraphic(2, 2);
    grid->AddRadioButton(2, 2, false);
    EXPECT_EQ(frames(), (std::vector<unsigned>{DFCS_BUTTONRADIO}));
    grid->RemoveCellGraphic(2, 2);

    grid->AddCheckBox(2, 2, cbGrayed);
    EXPECT_EQ(frames(), (std::vector<unsigned>{DFCS_BUTTON3STATE | DFCS_CHECKED}));
    grid->RemoveCellGraphic(2, 2);
    grid->AddCheckBox(2, 2, cbChecked);
    EXPECT_EQ(frames(), (std::vector<unsigned>{DFCS_BUTTONCHECK | DFCS_CHECKED}));
    grid->RemoveCellGraphic(2, 2);

    // A bit button draws its glyph and then its caption after it.
    grid->SetColWidths(2, 100);
    TBitmap glyph;
    glyph.SetImage(Filled(8, 8, Qt::red));
    grid->AddBitButton(2, 2, 90, 20, "Go", &glyph, haLeft, vaTop);
    const auto ops = grid->Record();
    const TRect cell = grid->CellRect(2, 2);
    const auto draws = OpsIn(ops, "Draw", cell);
    ASSERT_EQ(draws.size(), 1u);
    bool caption = false;
    for (const TCanvasOp &op : ops)
        caption = caption || (op.Name == QLatin1String("DrawText") &&
                              op.Text == QLatin1String("Go") && op.Rect.Left >= draws[0].Rect.Right);
    EXPECT_TRUE(caption);
}
