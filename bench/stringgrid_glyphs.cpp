// Painting a 1920 x 1080 view of a 1,000,000-row grid whose visible cells all carry a
// graphic of one kind (check boxes, radio buttons, progress bars, level bars, ratings,
// pies, shapes, comments) or node rows with tree lines: the cost of the cell graphics on top
// of the plain painting.
#include "bench/common/biggrid.h"
#include "grid/string/dazstringgrid.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 10;

TDazStringGrid &Grid()
{
    static TDazStringGrid *grid = [] {
        auto g = Make_Bench_Grid<TDazStringGrid>(kCols, kRows);
        g->SetDefaultColWidth(120);
        Fill_Bench_Grid(*g, 1, [](int, int Row) { return QString::number(Row % 100); });
        return g.release();
    }();
    return *grid;
}

constexpr int kTop = kRows / 2;
constexpr int kShown = 60;

// Arg: 0 none, 1 check boxes, 2 radio buttons, 3 progress bars, 4 level bars, 5 ratings,
// 6 pies, 7 shapes, 8 comments, 9 node rows (groups of 4, tree lines).
void Decorate(TDazStringGrid &g, int Kind, bool Add)
{
    if (Kind == 9) {
        for (int r = kTop; r < kTop + kShown; r += 4)
            Add ? g.AddNode(r, 4) : g.RemoveNode(r);
        return;
    }
    for (int r = kTop; r < kTop + kShown; ++r)
        for (int c = 1; c < kCols; ++c) {
            if (!Add) {
                g.RemoveCellGraphic(c, r);
                continue;
            }
            switch (Kind) {
            case 1: g.AddCheckBox(c, r, r % 2 == 0, false); break;
            case 2: g.AddRadioButton(c, r, r % 2 == 0); break;
            case 3: g.AddProgress(c, r, clBlue, clWhite); break;
            case 4: g.AddDazProgress(c, r, 0, 100); break;
            case 5: g.AddRating(c, r, 5, clRed, clGray); break;
            case 6: g.AddProgressPie(c, r, clGreen, r % 100); break;
            case 7: g.AddShape(c, r, csCircle, clYellow, clBlack, haLeft, vaCenter); break;
            case 8: g.AddComment(c, r, QStringLiteral("note")); break;
            default: break;
            }
        }
}

void BM_RepaintWithGraphics(benchmark::State &state)
{
    TDazStringGrid &g = Grid();
    g.SetTopRow(kTop);
    const int kind = int(state.range(0));
    Decorate(g, kind, true);
    QImage img(g.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state)
        Repaint(g, img);
    Decorate(g, kind, false);
}
BENCHMARK(BM_RepaintWithGraphics)->DenseRange(0, 9)->Unit(benchmark::kMillisecond);

} // namespace
