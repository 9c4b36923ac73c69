// Copying and pasting 100,000 x 10 cells through the in-memory clipboard, as text and as
// the cell format.
#include "bench/common/toolgrid.h"
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridclipboard.h"
#include "grid/tools/gridtools.h"
#include "platform/clipboard.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int Rows = 100000;
constexpr int Cols = 10;

std::unique_ptr<TDazStringGrid> MakeGrid()
{
    auto g = Make_Tool_Bench_Grid(Cols, Rows);
    g->SetOptions(g->Options() + goEditing);
    g->SetSelection(TGridRect{0, 0, Cols - 1, Rows - 1});
    return g;
}

TDazStringGrid &Grid()
{
    static std::unique_ptr<TDazStringGrid> g = MakeGrid();
    return *g;
}

void Run(benchmark::State &State, bool CellFormat, bool Paste)
{
    TMemoryClipboardGuard board;
    TDazStringGrid &g = Grid();
    g.Navigation().SetAllowFmtClipboard(CellFormat);
    GridClipboard::CopySelectionToClipboard(g);
    TDazStringGrid target;
    target.SetOptions(target.Options() + goEditing);
    target.Navigation().SetAllowFmtClipboard(CellFormat);
    for (auto _ : State) {
        if (Paste) {
            int rows = 0, cols = 0;
            benchmark::DoNotOptimize(GridClipboard::PasteFromClipboardAt(target, 0, 0, rows, cols));
        } else {
            GridClipboard::CopySelectionToClipboard(g);
        }
    }
    if (Paste && target.Cells(Cols - 1, Rows - 1) != g.Cells(Cols - 1, Rows - 1))
        State.SkipWithError("paste differs");
}

void BM_CopyText(benchmark::State &State) { Run(State, false, false); }
void BM_PasteText(benchmark::State &State) { Run(State, false, true); }
void BM_CopyCellFormat(benchmark::State &State) { Run(State, true, false); }
void BM_PasteCellFormat(benchmark::State &State) { Run(State, true, true); }

}   // namespace

BENCHMARK(BM_CopyText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PasteText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CopyCellFormat)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PasteCellFormat)->Unit(benchmark::kMillisecond)->Iterations(3);
