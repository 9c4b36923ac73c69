#pragma once
// Parts the gateway's rule editors share: a table grid laid out from a column list (header
// text, width, cell colour, "Y"/"N" check-box columns, combo items), the moves of whole
// tables of cell texts in and out of it, and the band of buttons under it. A column grid
// keeps the column list in its column items; a plain string grid takes the widths and puts
// the headers into row 0.
#include "app/lbbutton.h"
#include "platform/color.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class QDialog;
class QFrame;
class QLabel;
class QVBoxLayout;
class QWidget;
class TDazStringGrid;

struct TRule_Column
{
    int Header = -1;          // UI text number of the header, -1 for none
    int Width = 64;
    TColor Color = clNone;    // background of the data cells, clNone for the grid's
    bool Check = false;       // a check box whose state is the cell text "Y" / "N"
    QStringList Combo = {};   // items of a combo that also takes typed text
};
using TRule_Columns = std::vector<TRule_Column>;

// One fixed column and one fixed header row of 22 pixels, rows of 22, lines, range
// selection and column sizing; the columns of cols with their widths (and in a column grid
// their colours, check boxes and combos). editable: cells take typing.
void Setup_Rule_Grid(TDazStringGrid &Grid, const TRule_Columns &cols, int RowCount, bool editable);
// The header texts: the column items' headers, or row 0 of a plain string grid.
void Set_Rule_Headers(TDazStringGrid &Grid, const TRule_Columns &cols);

// Entry i of rows into grid row i + 1, one text per real column; the rest of a row empty.
void Put_Rows(TDazStringGrid &Grid, const std::vector<QStringList> &rows);
// Grid rows 1 .. RowCount - 1, every real column.
std::vector<QStringList> Get_Rows(TDazStringGrid &Grid);

// The editor windows' frame: the form's name, look and title panel, in a column layout that
// the window fills further.
QVBoxLayout *Create_Rule_Window(QDialog *form, const char *name, QFrame *&P_Title, QLabel *&L_SW_Code,
                                QLabel *&L_SW_Desc);

using TButton_List = std::vector<std::pair<TLbButton **, const char *>>;
// A 40-pixel band with the buttons from the left, each width pixels wide.
QFrame *Create_Button_Band(QWidget *form, const TButton_List &buttons, int width);

// The rule editors' band of OK, Cancel, Delete Row, Insert Row, Copy Row and Paste Row, 110
// pixels each, then the extra buttons; the six wired to the form's handlers.
template <class TForm>
QFrame *Create_Row_Button_Band(TForm *f, const TButton_List &extra = {})
{
    TButton_List buttons = {{&f->Btn_OK, "Btn_OK"},         {&f->Btn_Cancel, "Btn_Cancel"},
                            {&f->Btn_DelRow, "Btn_DelRow"},   {&f->Btn_InsRow, "Btn_InsRow"},
                            {&f->Btn_CopyRow, "Btn_CopyRow"}, {&f->Btn_PasteRow, "Btn_PasteRow"}};
    buttons.insert(buttons.end(), extra.begin(), extra.end());
    QFrame *band = Create_Button_Band(f, buttons, 110);
    f->Btn_OK->OnClick = [f](QObject *) { f->Btn_OKClick(); };
    f->Btn_Cancel->SetModalResult(mrCancel);
    f->Btn_DelRow->OnClick = [f](QObject *) { f->Btn_DelRowClick(); };
    f->Btn_InsRow->OnClick = [f](QObject *) { f->Btn_InsRowClick(); };
    f->Btn_CopyRow->OnClick = [f](QObject *) { f->Btn_CopyRowClick(); };
    f->Btn_PasteRow->OnClick = [f](QObject *) { f->Btn_PasteRowClick(); };
    return band;
}

// Captions of those six from text caption on, hints from text hint on.
void Set_Row_Button_Texts(const std::vector<TLbButton *> &buttons, int caption, int hint);
