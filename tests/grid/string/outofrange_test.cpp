// Cell access, looks, typed values, graphics and structure operations with indexes outside
// the grid: each either answers or throws one of the grid's errors, and never crashes.
#include "gridfixture.h"

#include <QImage>
#include <QPainter>
#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct TProbe
{
    const char *Name;
    std::function<void(TDazStringGrid &, int, int)> Call;
};

// A 5 x 6 grid with a hidden column and a hidden row, a few cell records and a merge, so
// the probes pass the maps, the hidden-row store and the record lookups.
std::unique_ptr<TDazStringGrid> ProbeGrid()
{
    auto g = NamedGrid(5, 6, 1);
    g->AddCheckBox(1, 2, true, false);
    g->SetColors(2, 3, 0x00FF00);
    g->AddComment(3, 4, QStringLiteral("note"));
    g->MergeCells(1, 4, 2, 1);
    g->HideColumn(2);
    g->HideRow(3);
    return g;
}

const std::vector<TProbe> &Probes()
{
    static const std::vector<TProbe> probes = {
        {"Cells", [](TDazStringGrid &g, int c, int r) { (void)g.Cells(c, r); }},
        {"AllCells", [](TDazStringGrid &g, int c, int r) { (void)g.AllCells(c, r); }},
        {"AllGridCells", [](TDazStringGrid &g, int c, int r) { (void)g.AllGridCells(c, r); }},
        {"AllObjects", [](TDazStringGrid &g, int c, int r) { (void)g.AllObjects(c, r); }},
        {"OriginalCells", [](TDazStringGrid &g, int c, int r) { (void)g.OriginalCells(c, r); }},
        {"UnSortedCells", [](TDazStringGrid &g, int c, int r) { (void)g.UnSortedCells(c, r); }},
        {"StrippedCells", [](TDazStringGrid &g, int c, int r) { (void)g.StrippedCells(c, r); }},
        {"LinesInCell", [](TDazStringGrid &g, int c, int r) { (void)g.LinesInCell(c, r); }},
        {"CellControls", [](TDazStringGrid &g, int c, int r) { (void)g.CellControls(c, r); }},
        {"Colors", [](TDazStringGrid &g, int c, int r) { (void)g.Colors(c, r); }},
        {"ColorsTo", [](TDazStringGrid &g, int c, int r) { (void)g.ColorsTo(c, r); }},
        {"FontColors", [](TDazStringGrid &g, int c, int r) { (void)g.FontColors(c, r); }},
        {"FontStyles", [](TDazStringGrid &g, int c, int r) { (void)g.FontStyles(c, r); }},
        {"FontNames", [](TDazStringGrid &g, int c, int r) { (void)g.FontNames(c, r); }},
        {"Alignments", [](TDazStringGrid &g, int c, int r) { (void)g.Alignments(c, r); }},
        {"ReadOnly", [](TDazStringGrid &g, int c, int r) { (void)g.ReadOnly(c, r); }},
        {"WordWraps", [](TDazStringGrid &g, int c, int r) { (void)g.WordWraps(c, r); }},
        {"Fonts", [](TDazStringGrid &g, int c, int r) { (void)g.Fonts(c, r); }},
        {"Ints", [](TDazStringGrid &g, int c, int r) { (void)g.Ints(c, r); }},
        {"AllInts", [](TDazStringGrid &g, int c, int r) { (void)g.AllInts(c, r); }},
        {"Floats", [](TDazStringGrid &g, int c, int r) { (void)g.Floats(c, r); }},
        {"AllFloats", [](TDazStringGrid &g, int c, int r) { (void)g.AllFloats(c, r); }},
        {"Dates", [](TDazStringGrid &g, int c, int r) { (void)g.Dates(c, r); }},
        {"GetCellType", [](TDazStringGrid &g, int c, int r) { (void)g.GetCellType(c, r); }},
        {"GetCellGraphic", [](TDazStringGrid &g, int c, int r) { (void)g.GetCellGraphic(c, r); }},
        {"CellGraphicSize", [](TDazStringGrid &g, int c, int r) { (void)g.CellGraphicSize(c, r); }},
        {"HasCheckBox", [](TDazStringGrid &g, int c, int r) { (void)g.HasCheckBox(c, r); }},
        {"IsChecked", [](TDazStringGrid &g, int c, int r) { (void)g.IsChecked(c, r); }},
        {"CellComment", [](TDazStringGrid &g, int c, int r) { (void)g.CellComment(c, r); }},
        {"GetCellColor", [](TDazStringGrid &g, int c, int r) {
             TBrush brush;
             TFont font;
             g.GetCellColor(c, r, TGridDrawState(), brush, font);
         }},
        {"IsFixed", [](TDazStringGrid &g, int c, int r) { (void)g.IsFixed(c, r); }},
        {"IsEditable", [](TDazStringGrid &g, int c, int r) { (void)g.IsEditable(c, r); }},
        {"IsSelected", [](TDazStringGrid &g, int c, int r) { (void)g.IsSelected(c, r); }},
        {"CellTextSize", [](TDazStringGrid &g, int c, int r) { (void)g.CellTextSize(c, r); }},
        {"SetCells", [](TDazStringGrid &g, int c, int r) { g.SetCells(c, r, "x"); }},
        {"SetAllCells", [](TDazStringGrid &g, int c, int r) { g.SetAllCells(c, r, "x"); }},
        {"SetAllGridCells", [](TDazStringGrid &g, int c, int r) { g.SetAllGridCells(c, r, "x"); }},
        {"SetColors", [](TDazStringGrid &g, int c, int r) { g.SetColors(c, r, 0xFF); }},
        {"SetFontStyles", [](TDazStringGrid &g, int c, int r) { g.SetFontStyles(c, r, fsBold); }},
        {"SetReadOnly", [](TDazStringGrid &g, int c, int r) { g.SetReadOnly(c, r, true); }},
        {"SetInts", [](TDazStringGrid &g, int c, int r) { g.SetInts(c, r, 7); }},
        {"SetAllInts", [](TDazStringGrid &g, int c, int r) { g.SetAllInts(c, r, 7); }},
        {"SetFloats", [](TDazStringGrid &g, int c, int r) { g.SetFloats(c, r, 1.5); }},
        {"SetRowColor", [](TDazStringGrid &g, int, int r) { g.SetRowColor(r, clNone); }},
        {"SetRowFontColor", [](TDazStringGrid &g, int, int r) { g.SetRowFontColor(r, 0xFF); }},
        {"AddCheckBox", [](TDazStringGrid &g, int c, int r) { g.AddCheckBox(c, r, true, false); }},
        {"RemoveCheckBox", [](TDazStringGrid &g, int c, int r) { g.RemoveCheckBox(c, r); }},
        {"AddComment", [](TDazStringGrid &g, int c, int r) { g.AddComment(c, r, "c"); }},
        {"RemoveCellGraphic", [](TDazStringGrid &g, int c, int r) { g.RemoveCellGraphic(c, r); }},
        {"AddProgress", [](TDazStringGrid &g, int c, int r) { g.AddProgress(c, r, 0xFF, 0); }},
        {"RowSelect", [](TDazStringGrid &g, int, int r) { (void)g.RowSelect(r); }},
        {"SetRowSelect", [](TDazStringGrid &g, int, int r) { g.SetRowSelect(r, true); }},
        {"ColSelect", [](TDazStringGrid &g, int c, int) { (void)g.ColSelect(c); }},
        {"SetRowEnabled", [](TDazStringGrid &g, int, int r) { g.SetRowEnabled(r, false); }},
        {"RowModified", [](TDazStringGrid &g, int, int r) { (void)g.RowModified(r); }},
        {"RepaintRow", [](TDazStringGrid &g, int, int r) { g.RepaintRow(r); }},
        {"RepaintCol", [](TDazStringGrid &g, int c, int) { g.RepaintCol(c); }},
        {"RealRowIndex", [](TDazStringGrid &g, int, int r) { (void)g.RealRowIndex(r); }},
        {"DisplRowIndex", [](TDazStringGrid &g, int, int r) { (void)g.DisplRowIndex(r); }},
        {"RealColIndex", [](TDazStringGrid &g, int c, int) { (void)g.RealColIndex(c); }},
        {"DisplColIndex", [](TDazStringGrid &g, int c, int) { (void)g.DisplColIndex(c); }},
        {"IsHiddenRow", [](TDazStringGrid &g, int, int r) { (void)g.IsHiddenRow(r); }},
        {"HideRow", [](TDazStringGrid &g, int, int r) { g.HideRow(r); }},
        {"UnHideRow", [](TDazStringGrid &g, int, int r) { g.UnHideRow(r); }},
        {"HideColumn", [](TDazStringGrid &g, int c, int) { g.HideColumn(c); }},
        {"UnHideColumn", [](TDazStringGrid &g, int c, int) { g.UnHideColumn(c); }},
        {"HideRows", [](TDazStringGrid &g, int, int r) { g.HideRows(r, r + 2); }},
        {"RemoveRows", [](TDazStringGrid &g, int, int r) { g.RemoveRows(r, 2); }},
        {"RemoveRowsEx", [](TDazStringGrid &g, int, int r) { g.RemoveRowsEx(r, 2); }},
        {"InsertRows", [](TDazStringGrid &g, int, int r) { g.InsertRows(r, 1); }},
        {"RemoveCols", [](TDazStringGrid &g, int c, int) { g.RemoveCols(c, 1); }},
        {"InsertCols", [](TDazStringGrid &g, int c, int) { g.InsertCols(c, 1); }},
        {"ClearRows", [](TDazStringGrid &g, int, int r) { g.ClearRows(r, 2); }},
        {"ClearCols", [](TDazStringGrid &g, int c, int) { g.ClearCols(c, 2); }},
        {"MergeCols", [](TDazStringGrid &g, int c, int) { g.MergeCols(c, c + 1, "-"); }},
        {"SwapRows", [](TDazStringGrid &g, int, int r) { g.SwapRows(r, 1); }},
        {"SwapColumns", [](TDazStringGrid &g, int c, int) { g.SwapColumns(c, 1); }},
        {"AutoSizeCol", [](TDazStringGrid &g, int c, int) { g.AutoSizeCol(c); }},
        {"AutoSizeRow", [](TDazStringGrid &g, int, int r) { g.AutoSizeRow(r); }},
        {"AutoNumberCol", [](TDazStringGrid &g, int c, int) { g.AutoNumberCol(c); }},
        {"ScrollInView", [](TDazStringGrid &g, int c, int r) { g.ScrollInView(c, r); }},
        {"SelectRows", [](TDazStringGrid &g, int, int r) { g.SelectRows(r, 3); }},
        {"SelectRange", [](TDazStringGrid &g, int c, int r) { g.SelectRange(c, c + 1, r, r + 1); }},
        {"GotoCell", [](TDazStringGrid &g, int c, int r) { g.GotoCell(c, r); }},
        {"FocusCell", [](TDazStringGrid &g, int c, int r) { g.FocusCell(c, r); }},
        {"SetTopRow", [](TDazStringGrid &g, int, int r) { g.SetTopRow(r); }},
        {"SetCol", [](TDazStringGrid &g, int c, int) { g.SetCol(c); }},
        {"SetRow", [](TDazStringGrid &g, int, int r) { g.SetRow(r); }},
        {"SetAllColWidths", [](TDazStringGrid &g, int c, int) { g.SetAllColWidths(c, 30); }},
        {"AllColWidths", [](TDazStringGrid &g, int c, int) { (void)g.AllColWidths(c); }},
    };
    return probes;
}

// Coordinates outside the 5 x 6 grid (and within the store's reach for writes).
const std::vector<std::pair<int, int>> kBadCells = {
    {-1, 1}, {1, -1}, {-7, -7}, {INT_MIN, 1}, {1, INT_MIN}, {5, 1}, {4, 6}, {9, 2},
    {1, 40}, {600, 1}, {1, 100000},
};

TEST(OutOfRange, CellOperationsAnswerOrRaiseTheGridsErrors)
{
    for (const TProbe &probe : Probes())
        for (auto [c, r] : kBadCells) {
            auto g = ProbeGrid();
            try {
                probe.Call(*g, c, r);
            } catch (const std::runtime_error &) {
                // A named error of the grid, the store or a list: what callers may catch.
            } catch (const std::exception &e) {
                ADD_FAILURE() << probe.Name << "(" << c << ", " << r << ") threw " << e.what();
            }
            // The grid stays usable: every shown cell can still be read and painted.
            EXPECT_GE(g->RowCount(), 1) << probe.Name;
            EXPECT_GE(g->ColCount(), 1) << probe.Name;
            for (int rr = 0; rr < g->RowCount(); ++rr)
                for (int cc = 0; cc < g->ColCount(); ++cc)
                    (void)g->Cells(g->RealColIndex(cc), rr);
            g->resize(300, 200);
            QImage img(g->size(), QImage::Format_RGB32);
            QPainter p(&img);
            g->PaintTo(p);
        }
}

// Counts and ranges that reach past the grid or run backwards.
TEST(OutOfRange, CountsAndRangesAreClampedToTheGrid)
{
    const std::vector<TProbe> probes = {
        {"RemoveRows", [](TDazStringGrid &g, int i, int n) { g.RemoveRows(i, n); }},
        {"RemoveRowsEx", [](TDazStringGrid &g, int i, int n) { g.RemoveRowsEx(i, n); }},
        {"InsertRows", [](TDazStringGrid &g, int i, int n) { g.InsertRows(i, n); }},
        {"ClearRows", [](TDazStringGrid &g, int i, int n) { g.ClearRows(i, n); }},
        {"ClearNormalRows", [](TDazStringGrid &g, int i, int n) { g.ClearNormalRows(i, n); }},
        {"RemoveCols", [](TDazStringGrid &g, int i, int n) { g.RemoveCols(i, n); }},
        {"InsertCols", [](TDazStringGrid &g, int i, int n) { g.InsertCols(i, n); }},
        {"ClearCols", [](TDazStringGrid &g, int i, int n) { g.ClearCols(i, n); }},
        {"HideRows", [](TDazStringGrid &g, int i, int n) { g.HideRows(i, n); }},
        {"HideRowsEx", [](TDazStringGrid &g, int i, int n) { g.HideRowsEx(i, n); }},
        {"UnHideRows", [](TDazStringGrid &g, int i, int n) { g.UnHideRows(i, n); }},
        {"HideColumns", [](TDazStringGrid &g, int i, int n) { g.HideColumns(i, n); }},
        {"UnHideColumns", [](TDazStringGrid &g, int i, int n) { g.UnHideColumns(i, n); }},
        {"SelectRows", [](TDazStringGrid &g, int i, int n) { g.SelectRows(i, n); }},
        {"UnSelectRows", [](TDazStringGrid &g, int i, int n) { g.UnSelectRows(i, n); }},
        {"SelectCols", [](TDazStringGrid &g, int i, int n) { g.SelectCols(i, n); }},
        {"UnSelectCols", [](TDazStringGrid &g, int i, int n) { g.UnSelectCols(i, n); }},
        {"ClearRect", [](TDazStringGrid &g, int i, int n) { g.ClearRect(i, i, n, n); }},
        {"TrimRect", [](TDazStringGrid &g, int i, int n) { g.TrimRect(i, i, n, n); }},
        {"ColorRect", [](TDazStringGrid &g, int i, int n) { g.ColorRect(i, i, n, n, 0xFF); }},
        {"MergeCells", [](TDazStringGrid &g, int i, int n) { g.MergeCells(i, 1, n, 2); }},
    };
    const std::vector<std::pair<int, int>> ranges = {
        {1, INT_MAX}, {INT_MAX, 1}, {2, -5}, {-3, 2}, {INT_MIN, INT_MAX}, {3, 1}, {0, 100},
    };
    for (const bool disjunct : {false, true}) {
        for (const TProbe &probe : probes)
            for (auto [i, n] : ranges) {
                auto g = ProbeGrid();
                // Disjunct selection walks the named rows and columns one by one.
                g->MouseActions().SetDisjunctRowSelect(disjunct);
                g->MouseActions().SetDisjunctColSelect(disjunct);
                try {
                    probe.Call(*g, i, n);
                } catch (const std::runtime_error &) {
                } catch (const std::exception &e) {
                    ADD_FAILURE() << probe.Name << "(" << i << ", " << n << ") threw " << e.what();
                    continue;
                }
                EXPECT_GE(g->RowCount(), 1) << probe.Name << "(" << i << ", " << n << ")";
                EXPECT_LE(g->AllRowCount(), 110) << probe.Name << "(" << i << ", " << n << ")";
                EXPECT_LE(g->AllColCount(), 110) << probe.Name << "(" << i << ", " << n << ")";
                for (int r = 0; r < g->AllRowCount(); ++r)
                    for (int c = 0; c < g->AllColCount(); ++c)
                        (void)g->AllCells(c, r);
            }
    }
}

// A count the grid cannot hold is refused with the grid's error and changes nothing.
TEST(OutOfRange, InsertingMoreThanTheGridCanHoldIsRefused)
{
    auto g = ProbeGrid();
    const QStringList before = RowTexts(*g, 1);
    const auto expectError = [](const std::function<void()> &Call, const char *Text) {
        try {
            Call();
            ADD_FAILURE() << "no error, expected " << Text;
        } catch (const EDazGridError &e) {
            EXPECT_STREQ(e.what(), Text);
        }
    };
    expectError([&] { g->InsertRows(1, INT_MAX); }, "Invalid row accessed");
    expectError([&] { g->InsertCols(1, INT_MAX); }, "Invalid column accessed");
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->AllColCount(), 5);
    EXPECT_EQ(RowTexts(*g, 1), before);
}

} // namespace
