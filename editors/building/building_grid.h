#pragma once
// Column grids of the building editors that are not one-table rule editors: a header row,
// a row-number column, and per column its cell kind, width and pick list.
#include <QString>
#include <QStringList>
#include <vector>

class QWidget;
class TDazColumnGrid;

enum class TGrid_Cell { Text, Read_Only, Check, Pick };

struct TGrid_Col
{
    int Header;          // UI text; -1 for the fixed header
    const char *Fixed;   // header of the window definition
    TGrid_Cell Cell;
    int Width;
    QStringList Items;   // Pick
};

// A grid with those columns, the fixed headers in row 0 and one data row numbered 1.
TDazColumnGrid *New_Building_Grid(QWidget *parent, const char *name, const std::vector<TGrid_Col> &cols,
                                  int data_rows = 1);
// "0" .. "7".
QStringList Bit_Items();
