// The string grid beside Qt's table view over a table model holding the same texts, timed
// alternately in one process: full repaint, page down plus repaint, filling 10,000,000
// cells, and the memory held after filling 1,000,000 x 10. Same font (DejaVu Sans 9), cell
// size (180 x 22), header row and view size (1920 x 1080); no row-number column in either.
// Prints the median of each pair and the ratio grid / table view.
#include "grid/string/dazstringgrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <memory>
#include <vector>

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 10;
constexpr int kWidth = 1920, kHeight = 1080;
constexpr int kCellW = 180, kCellH = 22;

// The cell texts of both: "R<row>C<col>", written into one buffer handed to both as the
// text of the cell. A table model keeps the string it is given (the buffer is copied at the
// next write); the grid copies the characters into its row.
void CellTextInto(QString &Buffer, int Col, int Row)
{
    char digits[32];
    const int n = std::snprintf(digits, sizeof digits, "R%dC%d", Row, Col);
    Buffer.resize(n);
    QChar *out = Buffer.data();
    for (int i = 0; i < n; ++i)
        out[i] = QLatin1Char(digits[i]);
}

QString HeaderText(int Col)
{
    return QStringLiteral("Column %1").arg(Col);
}

// A table model of texts, as an application would write one for the same data.
class TTextModel : public QAbstractTableModel
{
public:
    explicit TTextModel(int Rows) : FRows(Rows), FTexts(size_t(Rows) * kCols) {}

    int rowCount(const QModelIndex &Parent = {}) const override
    {
        return Parent.isValid() ? 0 : FRows;
    }
    int columnCount(const QModelIndex &Parent = {}) const override
    {
        return Parent.isValid() ? 0 : kCols;
    }
    QVariant data(const QModelIndex &Index, int Role) const override
    {
        if (Role != Qt::DisplayRole || !Index.isValid())
            return {};
        return FTexts[size_t(Index.row()) * kCols + size_t(Index.column())];
    }
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override
    {
        if (Role == Qt::DisplayRole && Orientation == Qt::Horizontal)
            return HeaderText(Section);
        return {};
    }
    bool setData(const QModelIndex &Index, const QVariant &Value, int Role) override
    {
        if (Role != Qt::EditRole || !Index.isValid())
            return false;
        FTexts[size_t(Index.row()) * kCols + size_t(Index.column())] = Value.toString();
        emit dataChanged(Index, Index, {Qt::DisplayRole});
        return true;
    }
    Qt::ItemFlags flags(const QModelIndex &Index) const override
    {
        return QAbstractTableModel::flags(Index) | Qt::ItemIsEditable;
    }

private:
    int FRows;
    std::vector<QString> FTexts;
};

std::unique_ptr<TDazStringGrid> MakeGrid(int Rows)
{
    auto g = std::make_unique<TDazStringGrid>();
    g->setFrameShape(QFrame::NoFrame);
    g->resize(kWidth, kHeight);
    g->SetColCount(kCols);
    g->SetRowCount(Rows + 1);
    g->SetFixedCols(0);
    g->SetFixedRows(1);
    g->SetDefaultColWidth(kCellW);
    g->SetDefaultRowHeight(kCellH);
    for (int c = 0; c < kCols; ++c)
        g->SetCells(c, 0, HeaderText(c));
    return g;
}

struct TTable
{
    std::unique_ptr<TTextModel> Model;
    std::unique_ptr<QTableView> View;
};

TTable MakeTable(int Rows)
{
    TTable t;
    t.Model = std::make_unique<TTextModel>(Rows);
    t.View = std::make_unique<QTableView>();
    t.View->setFrameShape(QFrame::NoFrame);
    t.View->resize(kWidth, kHeight);
    t.View->verticalHeader()->hide();
    t.View->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t.View->verticalHeader()->setMinimumSectionSize(1);
    t.View->verticalHeader()->setDefaultSectionSize(kCellH);
    t.View->horizontalHeader()->setMinimumSectionSize(1);
    t.View->horizontalHeader()->setDefaultSectionSize(kCellW);
    t.View->horizontalHeader()->setFixedHeight(kCellH);
    t.View->setModel(t.Model.get());
    return t;
}

void FillGrid(TDazStringGrid &g, int Rows)
{
    QString text;
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < kCols; ++c) {
            CellTextInto(text, c, r);
            g.SetCells(c, r + 1, text);
        }
}

void FillTable(TTable &t, int Rows)
{
    QString text;
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < kCols; ++c) {
            CellTextInto(text, c, r);
            t.Model->setData(t.Model->index(r, c), text, Qt::EditRole);
        }
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Runs A and B alternately Rounds times, each Reps times per round; returns the medians of
// the per-call times in microseconds.
std::pair<double, double> Alternate(int Rounds, int Reps, const std::function<void()> &A,
                                    const std::function<void()> &B)
{
    std::vector<double> ta, tb;
    QElapsedTimer clock;
    for (int round = 0; round < Rounds; ++round) {
        clock.start();
        for (int i = 0; i < Reps; ++i)
            A();
        ta.push_back(double(clock.nsecsElapsed()) / 1000.0 / Reps);
        clock.start();
        for (int i = 0; i < Reps; ++i)
            B();
        tb.push_back(double(clock.nsecsElapsed()) / 1000.0 / Reps);
    }
    return {Median(ta), Median(tb)};
}

void Report(const char *What, const char *Unit, double Grid, double Table)
{
    std::printf("%-28s grid %12.1f %-3s  table view %12.1f %-3s  ratio %.2f\n", What, Grid,
                Unit, Table, Unit, Table > 0 ? Grid / Table : 0.0);
    std::fflush(stdout);
}

// Heap bytes in use (what filling holds, without what the allocator keeps in reserve).
size_t HeapInUse()
{
    malloc_trim(0);
    return mallinfo2().uordblks + mallinfo2().hblkhd;
}

void Render(QWidget &W, QImage &Img)
{
    QPainter p(&Img);
    W.render(&p);
}

void SideBySide(int Rounds, const QByteArray &Only)
{
    const auto runs = [&](const char *Part) { return Only.isEmpty() || Only == Part; };
    // Memory after filling 1,000,000 x 10, each built and measured alone.
    size_t gridBytes = 0, tableBytes = 0;
    if (runs("memory")) {
        const size_t before = HeapInUse();
        auto g = MakeGrid(kRows);
        FillGrid(*g, kRows);
        gridBytes = HeapInUse() - before;
    }
    if (runs("memory")) {
        const size_t before = HeapInUse();
        TTable t = MakeTable(kRows);
        FillTable(t, kRows);
        tableBytes = HeapInUse() - before;
    }
    if (runs("memory"))
        Report("memory 1,000,000 x 10", "MB", double(gridBytes) / 1e6, double(tableBytes) / 1e6);

    if (runs("paint")) {
    auto g = MakeGrid(kRows);
    FillGrid(*g, kRows);
    g->show();
    TTable t = MakeTable(kRows);
    FillTable(t, kRows);
    t.View->show();
    QApplication::processEvents();
    QImage gi(kWidth, kHeight, QImage::Format_RGB32), ti(kWidth, kHeight, QImage::Format_RGB32);

    g->SetTopRow(kRows / 2);
    t.View->verticalScrollBar()->setValue(kRows / 2);
    QApplication::processEvents();
    auto [gp, tp] = Alternate(Rounds, 20, [&] { Render(*g, gi); }, [&] { Render(*t.View, ti); });
    Report("full repaint", "us", gp, tp);

    const int start = 100000;
    g->SetTopRow(start);
    t.View->verticalScrollBar()->setValue(start);
    auto [gd, td] = Alternate(
        Rounds, 20,
        [&] {
            if (g->TopRow() > kRows - 200)
                g->SetTopRow(start);
            g->SetTopRow(g->TopRow() + g->VisibleRowCount());
            Render(*g, gi);
        },
        [&] {
            QScrollBar *bar = t.View->verticalScrollBar();
            if (bar->value() > kRows - 200)
                bar->setValue(start);
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
            Render(*t.View, ti);
        });
    Report("page down + repaint", "us", gd, td);
    }
    if (!runs("fill"))
        return;

    // Filling 10,000,000 cells into a grid and a model that already have their rows, the
    // view shown over each.
    auto fg = MakeGrid(kRows);
    fg->show();
    TTable ft = MakeTable(kRows);
    ft.View->show();
    QApplication::processEvents();
    auto [gf, tf] = Alternate(std::max(3, Rounds / 2), 1, [&] { FillGrid(*fg, kRows); },
                              [&] { FillTable(ft, kRows); });
    Report("fill 10,000,000 cells", "ms", gf / 1000.0, tf / 1000.0);
}

}   // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    // --rounds=N alternating rounds; --only=memory|paint|fill one part.
    int rounds = 7;
    QByteArray only;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg.startsWith("--rounds="))
            rounds = std::max(1, arg.mid(9).toInt());
        else if (arg.startsWith("--only="))
            only = arg.mid(7);
    }
    SideBySide(rounds, only);
    return 0;
}
