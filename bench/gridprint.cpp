// Printing: counting the pages of a 100,000-row grid (each row measured once) and printing
// 1,000 rows into a PDF file.
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridprint.h"
#include "platform/pagecanvas.h"
#include "platform/printer.h"

#include <QDir>
#include <QImage>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

TDazStringGrid *MakeGrid(int Rows)
{
    auto *g = new TDazStringGrid;   // left to the end of the process with the application
    g->SetColCount(5);
    g->SetRowCount(Rows);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < 5; ++c)
            g->SetCells(c, r, QStringLiteral("value %1.%2").arg(c).arg(r));
    return g;
}

void BM_CountPages100k(benchmark::State &state)
{
    static TDazStringGrid *grid = MakeGrid(100000);
    QImage img(794, 1123, QImage::Format_RGB32);
    TCanvas canvas(&img);
    TPageCanvas pc(canvas, 96, 96);
    int pages = 0;
    for (auto _ : state) {
        grid->SetPrintRectangle({0, 0, 4, 99999});
        grid->SetPrevRect(TRect(0, 0, 2100, 2970));
        pages = GridPrint::PrintPages(*grid, pc, GridPrint::pmCountPrint, -1, false);
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_CountPages100k)->Unit(benchmark::kMillisecond);

void BM_Print1000RowsToPdf(benchmark::State &state)
{
    static TDazStringGrid *grid = MakeGrid(1000);
    const QString pdf = QDir::temp().filePath(QStringLiteral("cf_bench_print.pdf"));
    TQtPrinter printer(pdf);
    SetPrinter(&printer);
    for (auto _ : state)
        GridPrint::Print(*grid);
    SetPrinter(nullptr);
    state.counters["pages"] = grid->PrintNrOfPages();
    QFile::remove(pdf);
}
BENCHMARK(BM_Print1000RowsToPdf)->Unit(benchmark::kMillisecond);

}   // namespace
