// Printing the tree on a printer that records its pages.
#include "tree_fixture.h"

#include "controls/tree/lazystringtree.h"
#include "platform/printer.h"

#include <QPainter>

namespace {

// A printer at screen resolution whose pages are images.
class TPagePrinter : public IPrinter
{
public:
    TPagePrinter(int Width, int Height) : FPage(Width, Height, QImage::Format_RGB32) {}
    std::vector<QImage> Pages;
    int Docs = 0;

    int PageWidth() const override { return FPage.width(); }
    int PageHeight() const override { return FPage.height(); }
    int DpiX() const override { return 96; }
    int DpiY() const override { return 96; }
    void SetOrientation(TPrinterOrientationKind) override {}
    TPrinterOrientationKind Orientation() const override { return pokPortrait; }
    void SetTitle(const QString &) override {}
    QString Title() const override { return {}; }
    void BeginDoc() override
    {
        ++Docs;
        FPage.fill(Qt::white);
        FCanvas = std::make_unique<TCanvas>(&FPage);
    }
    void NewPage() override
    {
        Pages.push_back(FPage.copy());
        FPage.fill(Qt::white);
    }
    void EndDoc() override
    {
        FCanvas.reset();
        Pages.push_back(FPage.copy());
    }
    void Abort() override { FCanvas.reset(); }
    bool Printing() const override { return FCanvas != nullptr; }
    TCanvas &Canvas() override { return *FCanvas; }

private:
    QImage FPage;
    std::unique_ptr<TCanvas> FCanvas;
};

bool AllWhite(const QImage &Image, int FromX = 0)
{
    for (int y = 0; y < Image.height(); ++y)
        for (int x = FromX; x < Image.width(); ++x)
            if ((Image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                return false;
    return true;
}

class TPrintTree : public TLazyStringTree
{
public:
    using TBaseLazyTree::AddToSelection;
};

// A string tree of Rows nodes in one column of Width pixels with vertical grid lines.
void Fill(TLazyStringTree &Tree, int Width, int Rows)
{
    TLazyTreeColumn &column = Tree.Header().Columns().Add();
    column.SetWidth(Width);
    Tree.TreeOptions().SetPaintOptions(Tree.TreeOptions().PaintOptions() +
                                       TLTPaintOptions{toShowVertGridLines, toShowHorzGridLines});
    Tree.SetRootNodeCount(uint32_t(Rows));
    Tree.resize(60, 40);   // the content is larger than the window
    Tree.show();
}

}   // namespace

TEST(LazyTreePrint, NilPrinterDoesNothing)
{
    TLazyStringTree tree;
    int updates = 0;
    tree.OnUpdating = [&](TBaseLazyTree *, TLTUpdateState) { ++updates; };
    tree.Print(nullptr, true);
    EXPECT_EQ(updates, 0);
    tree.OnUpdating = nullptr;
}

TEST(LazyTreePrint, PageColumnsFollowTheContentWidth)
{
    struct TCase
    {
        int Width, Pages;
    } cases[] = {{200, 2}, {201, 3}};
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Width);
        TLazyStringTree tree;
        Fill(tree, c.Width, 3);   // 54 pixels high: one page row
        TPagePrinter printer(100, 80);
        const QFont before = tree.font();
        tree.Print(&printer, false);
        EXPECT_EQ(printer.Docs, 1);
        ASSERT_EQ(int(printer.Pages.size()), c.Pages);
        EXPECT_EQ(tree.font(), before);
        EXPECT_EQ(tree.UpdateCount(), 0u);
        if (c.Pages == 3) {
            // The third page shows the one pixel column left over, the grid line at the
            // column's right edge.
            EXPECT_FALSE(AllWhite(printer.Pages[2]));
            EXPECT_TRUE(AllWhite(printer.Pages[2], 2));
        }
    }
}

TEST(LazyTreePrint, RowsWithoutHeaderOrSelection)
{
    TPrintTree tree;
    Fill(tree, 90, 10);   // 180 pixels: three page rows of 80
    tree.TreeOptions().SetSelectionOptions({toFullRowSelect});
    TPagePrinter plain(100, 80), header(100, 80), selected(100, 80);
    tree.Print(&plain, false);
    EXPECT_EQ(plain.Pages.size(), 3u);
    // A hidden header prints nothing even when asked for.
    tree.Header().SetOptions(tree.Header().Options() - TLTHeaderOptions{TLTHeaderOption::hoVisible});
    tree.Print(&header, true);
    ASSERT_EQ(header.Pages.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(header.Pages[i], plain.Pages[i]) << i;
    // Selected rows print as the others.
    tree.AddToSelection(tree.GetFirst());
    tree.Print(&selected, false);
    ASSERT_EQ(selected.Pages.size(), 3u);
    EXPECT_EQ(selected.Pages[0], plain.Pages[0]);
}
