#pragma once
// A string grid filled with texts that name their cell, and cell objects that count their
// destruction, for the structure, hiding and selection tests.
#include "grid/string/dazstringgrid.h"

#include <QApplication>
#include <QStringList>
#include <memory>
#include <ostream>

inline void PrintTo(const QString &Text, std::ostream *Out)
{
    *Out << '"' << Text.toStdString() << '"';
}

// A bitmap whose destruction is counted.
class TCountedBitmap : public TBitmap
{
public:
    explicit TCountedBitmap(int *Destroyed) : FDestroyed(Destroyed) {}
    ~TCountedBitmap() override { ++*FDestroyed; }

private:
    int *FDestroyed;
};

// Gives the cell a check box whose glyph the cell owns; freeing the cell counts one.
inline void AddCountedCheckBox(TDazStringGrid &Grid, int ACol, int ARow, int *Destroyed)
{
    auto *g = new TCellGraphic;
    g->SetCheckBox(true, false, false, haLeft, vaTop);
    g->CellBitmap = new TCountedBitmap(Destroyed);
    g->CellAngle = 1;   // the check box owns its glyph
    Grid.SetGraphicObjectEx(ACol, ARow, g);
}

// ACols x ARows with no fixed cells unless asked; cell (c, r) holds "c:r" (c real).
inline std::unique_ptr<TDazStringGrid> NamedGrid(int ACols, int ARows, int AFixedRows = 0)
{
    auto g = std::make_unique<TDazStringGrid>();
    g->SetColCount(ACols);
    g->SetRowCount(ARows);
    g->SetFixedCols(0);
    g->SetFixedRows(AFixedRows);
    for (int r = 0; r < ARows; ++r)
        for (int c = 0; c < ACols; ++c)
            g->SetCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
    return g;
}

// The texts of real column ACol over the display rows.
inline QStringList ColumnTexts(TDazStringGrid &Grid, int ACol)
{
    QStringList list;
    for (int r = 0; r < Grid.RowCount(); ++r)
        list << Grid.Cells(ACol, r);
    return list;
}

// The texts of display row ARow over the real columns.
inline QStringList RowTexts(TDazStringGrid &Grid, int ARow)
{
    QStringList list;
    for (int c = 0; c < Grid.AllColCount(); ++c)
        list << Grid.Cells(c, ARow);
    return list;
}

// "c:r" for the given rows.
inline QStringList Named(int ACol, std::initializer_list<int> Rows)
{
    QStringList list;
    for (int r : Rows)
        list << QStringLiteral("%1:%2").arg(ACol).arg(r);
    return list;
}
