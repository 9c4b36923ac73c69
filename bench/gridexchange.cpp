// The text exchange formats on 1,000,000 x 10 cells: CSV save and load, the HTML string and
// the XML file, with the reference of writing the same CSV bytes with one QFile call and
// splitting them into cells with a plain loop, in the same run. The save also syncs its file
// before the rename: the synced reference writes the same bytes with one atomic write.
#include "bench/common/toolgrid.h"
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridcsv.h"
#include "grid/tools/gridhtml.h"
#include "grid/tools/gridtools.h"
#include "grid/tools/gridxml.h"
#include "platform/files.h"
#include "platform/textcodec.h"

#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

constexpr int Rows = Million_Tool_Rows;
constexpr int Cols = Million_Tool_Cols;

TDazStringGrid &Grid() { return Million_Tool_Grid(); }
QString Folder() { return Bench_Folder(); }
QString CsvPath() { return Folder() + QStringLiteral("/cells.csv"); }

void BM_SaveToCSV(benchmark::State &State)
{
    TDazStringGrid &g = Grid();   // made before the clock runs
    for (auto _ : State)
        GridCSV::SaveToCSV(g, CsvPath(), false);
    State.counters["bytes"] = double(QFileInfo(CsvPath()).size());
}

void BM_ReferenceWriteCSV(benchmark::State &State)
{
    GridCSV::SaveToCSV(Grid(), CsvPath(), false);
    const QByteArray bytes = Read_File(CsvPath());
    const QString target = CsvPath() + QStringLiteral(".ref");
    for (auto _ : State) {
        QFile f(target);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        benchmark::DoNotOptimize(f.write(bytes));
    }
}

void BM_ReferenceWriteCSVSynced(benchmark::State &State)
{
    GridCSV::SaveToCSV(Grid(), CsvPath(), false);
    const QByteArray bytes = Read_File(CsvPath());
    const QString target = CsvPath() + QStringLiteral(".ref");
    for (auto _ : State)
        Write_File_Atomic(target, bytes);
}

void BM_LoadFromCSV(benchmark::State &State)
{
    GridCSV::SaveToCSV(Grid(), CsvPath(), false);
    TDazStringGrid g;
    g.SetFixedRows(0);
    g.SetFixedCols(0);
    for (auto _ : State)
        GridCSV::LoadFromCSV(g, CsvPath());
    if (g.Cells(Cols - 1, Rows - 1) != Grid().Cells(Cols - 1, Rows - 1))
        State.SkipWithError("load differs");
}

// Reads the file and splits it into cell texts at "," and line ends.
void BM_ReferenceSplitCSV(benchmark::State &State)
{
    GridCSV::SaveToCSV(Grid(), CsvPath(), false);
    for (auto _ : State) {
        const QString text = Decode_Text(Read_File(CsvPath()));
        std::vector<QString> cells;
        cells.reserve(size_t(Rows) * Cols);
        qsizetype start = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar ch = text[i];
            if (ch == u',' || ch == u'\r' || ch == u'\n') {
                if (ch != u'\n' || (i > 0 && text[i - 1] != u'\r'))
                    cells.push_back(text.mid(start, i - start));
                start = i + 1;
            }
        }
        benchmark::DoNotOptimize(cells.size());
    }
}

void BM_SaveToHTMLString(benchmark::State &State)
{
    for (auto _ : State)
        benchmark::DoNotOptimize(GridHTML::SaveToHTMLString(Grid(), Folder() + u'/').size());
}

void BM_SaveToXML(benchmark::State &State)
{
    const QString path = Folder() + QStringLiteral("/cells.xml");
    for (auto _ : State)
        GridXML::SaveToXML(Grid(), path, QStringLiteral("LIST"), QStringLiteral("REC"), nullptr, false);
    State.counters["bytes"] = double(QFileInfo(path).size());
}

}   // namespace

BENCHMARK(BM_SaveToCSV)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReferenceWriteCSV)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReferenceWriteCSVSynced)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_LoadFromCSV)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ReferenceSplitCSV)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_SaveToHTMLString)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SaveToXML)->Unit(benchmark::kMillisecond)->Iterations(2);
