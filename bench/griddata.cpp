// CSV save and load and filling 10,000,000 cells (1,000,000 rows x 10 short texts), each
// against plain code doing the same work in alternating rounds of the same run: the save
// against the same bytes written through one temporary file, fdatasync and rename; the load
// against reading the file and splitting its lines and fields into QStrings; the fill of a
// new grid against a new table model of QStrings (as QTableView shows) given the same texts.
#include "bench/common/ratio.h"
#include "bench/common/toolgrid.h"
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridcsv.h"

#include <QAbstractTableModel>
#include <QFile>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Rows = Million_Tool_Rows;
constexpr int Cols = Million_Tool_Cols;

QString CsvPath() { return Bench_Folder() + QStringLiteral("/cells.csv"); }

QByteArray ReadAll(const QString &Path)
{
    QFile f(Path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// The bytes through a temporary file in the same folder, synced, renamed over the target.
void WriteSynced(const QString &Path, const QByteArray &Bytes)
{
    const QByteArray target = QFile::encodeName(Path);
    const QByteArray temp = target + ".tmp";
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return;
    for (qsizetype done = 0; done < Bytes.size();) {
        const ssize_t n = ::write(fd, Bytes.constData() + done, size_t(Bytes.size() - done));
        if (n <= 0)
            break;
        done += n;
    }
    ::fdatasync(fd);
    ::close(fd);
    std::rename(temp.constData(), target.constData());
}

void BM_SaveToCSVRatio(benchmark::State &State)
{
    TDazStringGrid &g = Million_Tool_Grid();
    GridCSV::SaveToCSV(g, CsvPath(), false);
    const QByteArray bytes = ReadAll(CsvPath());
    const QString refPath = CsvPath() + QStringLiteral(".ref");
    Run_Ratio(State, 5, {[&] { GridCSV::SaveToCSV(g, CsvPath(), false); }},
              {[&] { WriteSynced(refPath, bytes); }});
    if (ReadAll(CsvPath()) != bytes || ReadAll(refPath) != bytes)
        State.SkipWithError("the files differ");
    State.counters["bytes"] = double(bytes.size());
}

void BM_LoadFromCSVRatio(benchmark::State &State)
{
    GridCSV::SaveToCSV(Million_Tool_Grid(), CsvPath(), false);
    auto g = std::make_unique<TDazStringGrid>();
    g->SetFixedRows(0);
    g->SetFixedCols(0);
    std::vector<QString> cells;
    Run_Ratio(State, 5, {[&] { GridCSV::LoadFromCSV(*g, CsvPath()); }},
              {[&] {
                  // The texts are plain ASCII: Latin-1 reads them as Windows-1252 does.
                  const QByteArray bytes = ReadAll(CsvPath());
                  cells.clear();
                  cells.reserve(size_t(Rows) * Cols);
                  qsizetype start = 0;
                  for (qsizetype i = 0; i < bytes.size(); ++i) {
                      const char ch = bytes[i];
                      if (ch == ',' || ch == '\r' || ch == '\n') {
                          if (ch != '\n' || (i > 0 && bytes[i - 1] != '\r'))
                              cells.push_back(QString::fromLatin1(bytes.constData() + start, i - start));
                          start = i + 1;
                      }
                  }
              },
               [&] { cells = {}; }});
    if (g->Cells(Cols - 1, Rows - 1) != Million_Tool_Grid().Cells(Cols - 1, Rows - 1) ||
        cells.size() != size_t(Rows) * Cols || cells.back() != g->Cells(Cols - 1, Rows - 1))
        State.SkipWithError("the loads differ");
}

// QTableView's model of plain QStrings, written cell by cell through setData.
class TTextTableModel : public QAbstractTableModel
{
public:
    TTextTableModel(int Rows, int Cols) : FCols(Cols), FTexts(size_t(Rows) * size_t(Cols)) {}
    int rowCount(const QModelIndex &) const override { return int(FTexts.size() / size_t(FCols)); }
    int columnCount(const QModelIndex &) const override { return FCols; }
    QVariant data(const QModelIndex &i, int Role) const override
    {
        if (Role != Qt::DisplayRole && Role != Qt::EditRole)
            return {};
        return FTexts[size_t(i.row()) * size_t(FCols) + size_t(i.column())];
    }
    bool setData(const QModelIndex &i, const QVariant &Value, int Role) override
    {
        if (Role != Qt::EditRole)
            return false;
        FTexts[size_t(i.row()) * size_t(FCols) + size_t(i.column())] = Value.toString();
        emit dataChanged(i, i, {Role});
        return true;
    }

private:
    int FCols;
    std::vector<QString> FTexts;
};

// The cell texts of both, "R<row>C<col>", made into one buffer handed to both: the model
// keeps the string it is given (the buffer is copied at the next write), the grid copies
// the characters into its row.
void CellTextInto(QString &Buffer, int Col, int Row)
{
    char digits[32];
    const int n = std::snprintf(digits, sizeof digits, "R%dC%d", Row, Col);
    Buffer.resize(n);
    QChar *out = Buffer.data();
    for (int i = 0; i < n; ++i)
        out[i] = QLatin1Char(digits[i]);
}

void BM_FillCellsRatio(benchmark::State &State)
{
    std::unique_ptr<TDazStringGrid> g;
    std::unique_ptr<TTextTableModel> m;
    Run_Ratio(State, 5,
              {[&] {
                   QString text;
                   for (int r = 0; r < Rows; ++r)
                       for (int c = 0; c < Cols; ++c) {
                           CellTextInto(text, c, r);
                           g->SetCells(c, r, text);
                       }
               },
               [&] {
                   m.reset();
                   g = std::make_unique<TDazStringGrid>();
                   g->SetFixedRows(0);
                   g->SetFixedCols(0);
                   g->SetColCount(Cols);
                   g->SetRowCount(Rows);
               }},
              {[&] {
                   QString text;
                   for (int r = 0; r < Rows; ++r)
                       for (int c = 0; c < Cols; ++c) {
                           CellTextInto(text, c, r);
                           m->setData(m->index(r, c), text, Qt::EditRole);
                       }
               },
               [&] {
                   g.reset();
                   m = std::make_unique<TTextTableModel>(Rows, Cols);
               }});
    State.counters["cells"] = double(Rows) * Cols;
}

}   // namespace

BENCHMARK(BM_SaveToCSVRatio)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFromCSVRatio)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillCellsRatio)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
