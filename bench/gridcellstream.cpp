// Saving and loading 1,000,000 x 10 cells as a bin file and as a grid text file, with the
// reference of writing and reading the same bytes with one QFile call each in the same run.
// A save also syncs its file to the disk before the rename, which the plain QFile write
// does not: the synced reference writes the same bytes with one atomic write.
#include "bench/common/toolgrid.h"
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridcellstream.h"
#include "grid/tools/gridtools.h"
#include "platform/files.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int Rows = Million_Tool_Rows;
constexpr int Cols = Million_Tool_Cols;

TDazStringGrid &Grid() { return Million_Tool_Grid(); }
QString Folder() { return Bench_Folder(); }
QString BinPath() { return Folder() + QStringLiteral("/cells.bin"); }
QString TextPath() { return Folder() + QStringLiteral("/cells.txt"); }

void BM_SaveToBinFile(benchmark::State &State)
{
    TDazStringGrid &g = Grid();   // made before the clock runs
    for (auto _ : State)
        GridCellStream::SaveToBinFile(g, BinPath());
    State.counters["bytes"] = double(QFileInfo(BinPath()).size());
}

// The encoding alone, into memory (no file, no flush to disk).
void BM_SaveToBinStreamInMemory(benchmark::State &State)
{
    for (auto _ : State) {
        QByteArray data;
        QBuffer buf(&data);
        buf.open(QIODevice::WriteOnly);
        GridCellStream::SaveToBinStream(Grid(), buf);
        benchmark::DoNotOptimize(data.size());
    }
}

void BM_LoadFromBinFile(benchmark::State &State)
{
    GridCellStream::SaveToBinFile(Grid(), BinPath());
    TDazStringGrid g;
    for (auto _ : State)
        GridCellStream::LoadFromBinFile(g, BinPath());
    if (g.Cells(Cols - 1, Rows - 1) != Grid().Cells(Cols - 1, Rows - 1))
        State.SkipWithError("load differs");
}

void BM_SaveToTextFile(benchmark::State &State)
{
    TDazStringGrid &g = Grid();
    for (auto _ : State)
        GridCellStream::SaveToFile(g, TextPath(), false);
    State.counters["bytes"] = double(QFileInfo(TextPath()).size());
}

void LoadText(benchmark::State &State, bool Filled)
{
    GridCellStream::SaveToFile(Grid(), TextPath(), false);
    TDazStringGrid g;
    g.SetFixedRows(0);
    g.SetFixedCols(0);
    if (Filled)
        GridCellStream::LoadFromFile(g, TextPath());
    for (auto _ : State)
        GridCellStream::LoadFromFile(g, TextPath());
    if (g.Cells(Cols - 1, Rows - 1) != Grid().Cells(Cols - 1, Rows - 1))
        State.SkipWithError("load differs");
}
// The first iteration fills an empty grid, so its store makes every row.
void BM_LoadFromTextFile(benchmark::State &State) { LoadText(State, false); }
// The grid holds the cells already: the reader's own cost, without the store's first fill.
void BM_LoadFromTextFileIntoFilledGrid(benchmark::State &State) { LoadText(State, true); }

// The same bytes with one QFile call each way.
void ReferenceWrite(benchmark::State &State, const QString &Path)
{
    const QByteArray bytes = Read_File(Path);
    const QString target = Path + QStringLiteral(".ref");
    for (auto _ : State) {
        QFile f(target);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        benchmark::DoNotOptimize(f.write(bytes));
    }
}
void ReferenceWriteSynced(benchmark::State &State, const QString &Path)
{
    const QByteArray bytes = Read_File(Path);
    const QString target = Path + QStringLiteral(".ref");
    for (auto _ : State)
        Write_File_Atomic(target, bytes);
}
void ReferenceRead(benchmark::State &State, const QString &Path)
{
    for (auto _ : State) {
        QFile f(Path);
        f.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(f.readAll());
    }
}
void BM_ReferenceWriteBin(benchmark::State &State) { ReferenceWrite(State, BinPath()); }
void BM_ReferenceWriteBinSynced(benchmark::State &State) { ReferenceWriteSynced(State, BinPath()); }
void BM_ReferenceReadBin(benchmark::State &State) { ReferenceRead(State, BinPath()); }
void BM_ReferenceWriteText(benchmark::State &State) { ReferenceWrite(State, TextPath()); }
void BM_ReferenceWriteTextSynced(benchmark::State &State) { ReferenceWriteSynced(State, TextPath()); }
void BM_ReferenceReadText(benchmark::State &State) { ReferenceRead(State, TextPath()); }

}   // namespace

BENCHMARK(BM_SaveToBinFile)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_SaveToBinStreamInMemory)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReferenceWriteBin)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReferenceWriteBinSynced)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_LoadFromBinFile)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReferenceReadBin)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_SaveToTextFile)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReferenceWriteText)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReferenceWriteTextSynced)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_LoadFromTextFile)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_LoadFromTextFileIntoFilledGrid)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReferenceReadText)->Unit(benchmark::kMillisecond)->Iterations(2);
