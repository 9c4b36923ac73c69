#include "grid/tools/gridcalc.h"

#include "grid/base/stringlist.h"
#include "grid/string/dazstringgrid.h"
#include "grid/tools/gridtoolstate.h"

#include <cmath>
#include <exception>

namespace GridCalc {

namespace {

// One -1 replaces both bounds: every row between the fixed header and footer rows.
void DefaultRange(TDazStringGrid &G, int &FromRow, int &ToRow)
{
    if (FromRow == -1 || ToRow == -1) {
        FromRow = G.FixedRows();
        ToRow = G.RowCount() - G.FixedFooters() - 1;
    }
}

enum class TFold { Sum, Min, Max };

// Adds V (sum) or takes it when strictly smaller (min) or larger (max).
void Take(TFold Kind, double V, double &Result)
{
    if (Kind == TFold::Sum)
        Result += V;
    else if (Kind == TFold::Min ? V < Result : V > Result)
        Result = V;
}

double Fold(TDazStringGrid &G, int ACol, int FromRow, int ToRow, TFold Kind)
{
    DefaultRange(G, FromRow, ToRow);
    // A range past the shown rows names real rows (hidden ones included).
    const bool real = G.FloatingFooter().Visible() ? ToRow > G.RowCount() - 1
                                                   : ToRow > G.RowCount();
    double result = Kind == TFold::Sum ? 0 : G.Floats(ACol, FromRow);
    G.ExportNotification(esExportStart, FromRow);
    const bool grouped = G.GroupColumn() != -1;
    for (int r = FromRow; r <= ToRow; ++r) {
        const int t = real ? G.DisplRowIndex(r) : r;
        // A shown row is never among the hidden ones, whatever its index reads as.
        const bool hidden = real && G.IsHiddenRow(r);
        if (!G.IsBaseCell(ACol, t) || !((!G.IsNode(t) && !G.IsSummary(t)) || hidden || !grouped))
            continue;
        G.ExportNotification(esExportNextRow, r);
        try {
            Take(Kind, real ? G.AllFloats(ACol, r) : G.Floats(ACol, r), result);
        } catch (const std::exception &) {
            // A cell that reads no number contributes nothing.
        }
    }
    G.ExportNotification(esExportDone, -1);
    return result;
}

double RowFold(TDazStringGrid &G, int ARow, int fromCol, int toCol, TFold Kind)
{
    double result = Kind == TFold::Sum ? 0 : G.Floats(fromCol, ARow);
    for (int c = fromCol; c <= toCol; ++c) {
        try {
            if (!G.IsBaseCell(c, ARow))
                continue;
            Take(Kind, G.Floats(c, ARow), result);
        } catch (const std::exception &) {
        }
    }
    return result;
}

double EventCalc(TDazStringGrid &G, const TGroupCalcEvent &Event, int ACol, int FromRow, int ToRow)
{
    double res = 0;
    if (Event)
        Event(&G, ACol, FromRow, ToRow, res);
    return res;
}

}   // namespace

double ColumnSum(TDazStringGrid &Grid, int ACol, int FromRow, int ToRow)
{
    return Fold(Grid, ACol, FromRow, ToRow, TFold::Sum);
}

double ColumnMin(TDazStringGrid &Grid, int ACol, int FromRow, int ToRow)
{
    return Fold(Grid, ACol, FromRow, ToRow, TFold::Min);
}

double ColumnMax(TDazStringGrid &Grid, int ACol, int FromRow, int ToRow)
{
    return Fold(Grid, ACol, FromRow, ToRow, TFold::Max);
}

double ColumnAvg(TDazStringGrid &Grid, int ACol, int FromRow, int ToRow)
{
    DefaultRange(Grid, FromRow, ToRow);
    const int n = ToRow - FromRow + 1;
    return n <= 0 ? 0 : ColumnSum(Grid, ACol, FromRow, ToRow) / n;
}

double ColumnStdDev(TDazStringGrid &Grid, int ACol, int FromRow, int ToRow)
{
    DefaultRange(Grid, FromRow, ToRow);
    const double avg = ColumnAvg(Grid, ACol, FromRow, ToRow);
    Grid.ExportNotification(esExportStart, FromRow);
    double sum = 0;
    for (int r = FromRow; r <= ToRow; ++r) {
        const double d = Grid.Floats(ACol, r) - avg;
        sum += d * d;
    }
    const int n = ToRow - FromRow + 1;
    Grid.ExportNotification(esExportDone, -1);
    return n <= 0 ? 0 : std::sqrt(sum / n);
}

double ColumnDistinct(TDazStringGrid &Grid, int ACol, int FromRow, int ToRow)
{
    DefaultRange(Grid, FromRow, ToRow);
    Grid.ExportNotification(esExportStart, FromRow);
    TStringList values;
    values.SetCaseSensitive(false);
    values.SetDuplicates(dupIgnore);
    values.SetSorted(true);
    try {
        for (int r = FromRow; r <= ToRow; ++r) {
            Grid.ExportNotification(esExportNextRow, r);
            values.Add(Grid.GetCellEx(ACol, r));
        }
    } catch (...) {
        Grid.ExportNotification(esExportDone, -1);
        throw;
    }
    Grid.ExportNotification(esExportDone, -1);
    return values.Count();
}

double ColumnCustomCalc(TDazStringGrid &Grid, int ACol, int FromRow, int ToRow)
{
    return EventCalc(Grid, TGridToolState::Of(Grid).OnColumnCalc, ACol, FromRow, ToRow);
}

double DoGroupCalc(TDazStringGrid &Grid, int ACol, int FromRow, int ToRow)
{
    return EventCalc(Grid, TGridToolState::Of(Grid).OnGroupCalc, ACol, FromRow, ToRow);
}

double RowSum(TDazStringGrid &Grid, int ARow, int fromCol, int toCol)
{
    return RowFold(Grid, ARow, fromCol, toCol, TFold::Sum);
}

double RowMin(TDazStringGrid &Grid, int ARow, int fromCol, int toCol)
{
    return RowFold(Grid, ARow, fromCol, toCol, TFold::Min);
}

double RowMax(TDazStringGrid &Grid, int ARow, int fromCol, int toCol)
{
    return RowFold(Grid, ARow, fromCol, toCol, TFold::Max);
}

double RowAvg(TDazStringGrid &Grid, int ARow, int fromCol, int toCol)
{
    const int n = toCol - fromCol + 1;
    return n <= 0 ? 0 : RowSum(Grid, ARow, fromCol, toCol) / n;
}

}   // namespace GridCalc
