#pragma once
// Parts the gateway's rule editors share: a table grid laid out from a column list (header
// text, width, cell colour, "Y"/"N" check-box columns), the moves of whole tables of cell
// texts in and out of it, and the band of buttons under it.
#include "platform/color.h"

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <utility>
#include <vector>

class QFrame;
class QWidget;
class TDazStringGrid;
class TLbButton;

struct TRule_Column
{
    int Header = -1;          // UI text number of the header, -1 for none
    int Width = 64;
    TColor Color = clNone;    // background of the data cells, clNone for the grid's
    bool Check = false;       // a check box whose state is the cell text "Y" / "N"
};
using TRule_Columns = std::vector<TRule_Column>;

// One fixed column and one fixed header row of 22 pixels, rows of 22, lines, range
// selection and column sizing; the columns of cols with their widths. editable: cells take
// typing.
void Setup_Rule_Grid(TDazStringGrid &Grid, const TRule_Columns &cols, int RowCount, bool editable);
// The data rows' check boxes and colours; again after the row count changed.
void Apply_Rule_Columns(TDazStringGrid &Grid, const TRule_Columns &cols);
// Header texts into row 0.
void Set_Rule_Headers(TDazStringGrid &Grid, const TRule_Columns &cols);

// Entry i of rows into grid row i + 1, one text per real column; the rest of a row empty.
void Put_Rows(TDazStringGrid &Grid, const std::vector<QStringList> &rows);
// Grid rows 1 .. RowCount - 1, every real column.
std::vector<QStringList> Get_Rows(TDazStringGrid &Grid);

// A 40-pixel band with the buttons from the left, each width pixels wide.
QFrame *Create_Button_Band(QWidget *form, std::initializer_list<std::pair<TLbButton **, const char *>> buttons,
                           int width);
