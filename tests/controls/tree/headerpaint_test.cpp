// Header painting, rendered into images: background, right edges, glyph and sort glyph
// layout, pressed cells, right-to-left captions, utility images and the single copy.
#include "input_fixture.h"

#include "controls/tree/lazytreeglobals.h"
#include "controls/tree/lazytreeheaderpaint.h"

#include <QPainter>

using enum TLTHeaderOption;
using enum TLTColumnOption;

namespace {

struct THeaderFixture
{
    TInputTree Tree;
    TLTHeaderPainter Painter{Tree.Header()};
    TLTImageList Images;
    explicit THeaderFixture(int Columns, int Width = 60)
    {
        for (int i = 0; i < Columns; ++i) {
            TLazyTreeColumn &c = Tree.Header().Columns().Add();
            c.SetWidth(Width);
            c.SetText(QStringLiteral("C%1").arg(i));
        }
        Tree.Header().SetOptions(Tree.Header().Options() + TLTHeaderOptions{hoVisible});
        QImage red(16, 16, QImage::Format_ARGB32);
        red.fill(Qt::red);
        Images.AddMasked(red, 0xFFFF00FF);
    }
    TLazyTreeColumn &Column(int I) { return Tree.Header().Columns()[I]; }
    QImage Render(int W = 200)
    {
        QImage image(W, Tree.Header().Height(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        TCanvas canvas(&image);
        Painter.PaintHeader(canvas, TRect(0, 0, W, image.height()), TPoint(0, 0), 0);
        return image;
    }
    THeaderPaintInfo Layout(int Index, bool Pressed = false)
    {
        QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
        TCanvas canvas(&image);
        int l = 0, r = 0;
        Column(Index).GetUnscrolledBounds(l, r);
        THeaderPaintInfo info = Painter.CellStates(Column(Index), TRect(l, 0, r, Tree.Header().Height()));
        info.TargetCanvas = &canvas;
        info.IsDownIndex = Pressed;
        Painter.LayoutCell(info);
        return info;
    }
};

}   // namespace

TEST(LazyTreeHeaderPaint, WithoutColumnsOnlyTheBackground)
{
    THeaderFixture f(0);
    f.Tree.Header().SetBackground(0x0000FF00);
    const QImage image = f.Render();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(image.pixelColor(x, y), QColor(0, 255, 0)) << x << "," << y;
}

TEST(LazyTreeHeaderPaint, TheLastCellOfABevelledAutoResizeFlatHeaderHasNoRightLine)
{
    for (bool bevelled : {false, true}) {
        SCOPED_TRACE(bevelled);
        THeaderFixture f(3);
        f.Tree.Header().SetStyle(TLTHeaderStyle::hsFlatButtons);
        f.Tree.Header().SetOptions(f.Tree.Header().Options() + TLTHeaderOptions{hoAutoResize});
        for (int i = 0; i < 3; ++i)
            f.Column(i).SetWidth(60);
        f.Painter.Bevelled = bevelled;
        const QImage image = f.Render(f.Tree.Header().Columns().TotalWidth());
        const int y = image.height() / 2;
        const QColor shadow = ToQColor(clBtnShadow), face = ToQColor(clBtnFace);
        for (int i = 0; i < 3; ++i) {
            int l = 0, r = 0;
            f.Column(i).GetUnscrolledBounds(l, r);
            EXPECT_EQ(image.pixel(r - 1, y), (i == 2 && bevelled ? face : shadow).rgb()) << i;
        }
    }
}

TEST(LazyTreeHeaderPaint, AGlyphThatWouldOverlapTheSortGlyphIsLeftOut)
{
    for (int width : {30, 120}) {
        SCOPED_TRACE(width);
        THeaderFixture f(1, width);
        f.Tree.Header().SetImages(&f.Images);
        f.Tree.Header().SetOptions(f.Tree.Header().Options() + TLTHeaderOptions{hoShowImages, hoShowSortGlyphs});
        f.Column(0).SetImageIndex(0);
        f.Tree.Header().SetSortColumn(0);
        f.Render(width);
        EXPECT_EQ(f.Column(0).HasImage, width == 120);
    }
}

TEST(LazyTreeHeaderPaint, ANarrowCellKeepsTheGlyphAtTheMarginAndCutsTheCaption)
{
    THeaderFixture f(1, 20);
    f.Tree.Header().SetImages(&f.Images);
    f.Tree.Header().SetOptions(f.Tree.Header().Options() + TLTHeaderOptions{hoShowImages});
    f.Column(0).SetImageIndex(0);
    f.Column(0).SetText(QStringLiteral("A long caption"));
    const THeaderPaintInfo info = f.Layout(0);
    const int margin = f.Column(0).Margin();
    const int shift = f.Tree.Header().MainColumn() == 0 ? 0 : -2;
    EXPECT_EQ(info.GlyphPos.X, 2 + margin + shift);
    EXPECT_LE(info.TextRectangle.Right, 2 + 16 - margin);
}

TEST(LazyTreeHeaderPaint, APressedCaptionMovesOnePixelRightAndDown)
{
    THeaderFixture f(1);
    const THeaderPaintInfo normal = f.Layout(0), pressed = f.Layout(0, true);
    EXPECT_EQ(pressed.TextRectangle.Left, normal.TextRectangle.Left + 1);
    EXPECT_EQ(pressed.TextRectangle.Top, normal.TextRectangle.Top + 1);
}

TEST(LazyTreeHeaderPaint, ARightAlignedRightToLeftCaptionLaysOutLeftButDrawsRightToLeft)
{
    THeaderFixture f(1, 150);
    TLazyTreeColumn &c = f.Column(0);
    c.SetOptions(c.Options() + TLTColumnOptions{coUseCaptionAlignment});
    c.SetCaptionAlignment(TLTAlignment::taRightJustify);
    c.SetBiDiMode(TLTBiDiMode::bdRightToLeft);
    const THeaderPaintInfo info = f.Layout(0);
    EXPECT_EQ(info.DrawFormat & (DT_RIGHT | HeaderRtlReading), unsigned(DT_RIGHT | HeaderRtlReading));
    EXPECT_EQ(info.TextRectangle.Left, 2 + c.Margin());
}

TEST(LazyTreeHeaderPaint, SortArrowAndDropMarkComeFromTheUtilityImages)
{
    THeaderFixture f(2, 100);
    f.Tree.Header().SetOptions(f.Tree.Header().Options() + TLTHeaderOptions{hoShowSortGlyphs});
    f.Tree.Header().SetSortColumn(0);
    f.Column(1).SetOptions(f.Column(1).Options() + TLTColumnOptions{coShowDropMark});
    f.Painter.DropTarget = 1;
    f.Painter.DropBefore = true;
    const QImage image = f.Render(200);
    const TLTImageList &u = LazyTreeGlobals().List(TLTBuiltInList::Utilities);
    auto expectImage = [&](int Index, QPoint At) {
        int opaque = 0;
        for (int y = 0; y < u.Height(); ++y)
            for (int x = 0; x < u.Width(); ++x) {
                const QColor want = u.Image(Index).pixelColor(x, y);
                if (want.alpha() == 255) {
                    ++opaque;
                    ASSERT_EQ(image.pixelColor(At.x() + x, At.y() + y), want) << Index << " " << x << "," << y;
                }
            }
        EXPECT_GT(opaque, 0);
    };
    const THeaderPaintInfo sort = f.Layout(0);
    expectImage(3, QPoint(sort.SortGlyphPos.X, sort.SortGlyphPos.Y));
    const int h = f.Tree.Header().Height();
    expectImage(0, QPoint(102, (2 + h - 2 - u.Height()) / 2));
}

TEST(LazyTreeHeaderPaint, TheHeaderIsCopiedOnce)
{
    THeaderFixture f(3);
    QImage target(200, f.Tree.Header().Height(), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&target);
    f.Painter.PaintHeader(p, QRect(0, 0, 200, f.Tree.Header().Height()), 0);
    EXPECT_EQ(f.Painter.Copies, 1);
}

TEST(LazyTreeHeaderPaint, AShownTreePaintsItsHeaderBand)
{
    THeaderFixture f(2, 80);
    f.Tree.Header().SetBackground(0x0000FF00);
    SetupScanTree(f.Tree, {"a"}, 0, 300, 100);
    const QImage shot = f.Tree.grab().toImage();
    const QRect band = f.Tree.HeaderRect();
    ASSERT_GT(band.height(), 0);
    const int y = band.top() + band.height() / 2;
    EXPECT_EQ(shot.pixel(band.left() + 40, y), ToQColor(clBtnFace).rgb());      // a cell's face
    EXPECT_EQ(shot.pixel(band.left() + 250, y), QColor(0, 255, 0).rgb());       // past the columns
}
