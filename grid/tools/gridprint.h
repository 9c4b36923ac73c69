#pragma once
// Printing a string grid: the page layout engine (PrintPages) that lays a rectangle of
// cells out on pages in tenths of a millimetre (y growing upward from the page top), with
// column pages, repeated fixed rows and columns, fit to page, borders, and header and
// footer texts; and the entry points that print it on the printer (platform/printer.h),
// preview one page on any canvas, or draw the first page onto a canvas.
#include "platform/canvas.h"

#include <QString>

class QDateTime;
class QWidget;

class TDazStringGrid;
class TPageCanvas;
struct TGridRect;

namespace GridPrint {

enum TPrintMode { pmDrawPreview = 0, pmDrawPrint = 1, pmCountPrint = 2, pmCountPreview = 3 };

// -Trunc(PointSize x 254 / 72 x Fontscalefactor).
int MapFontHeight(const TDazStringGrid &Grid, int PointSize);
int MapFontSize(int Height);

// Lays out (and in the drawing modes draws) Grid.PrintRectangle; returns the page count.
// Modes 0 and 3 take PrevRect in device units of the canvas, mode 2 in tenths of a
// millimetre, mode 1 takes the canvas's clip rectangle as the page.
int PrintPages(TDazStringGrid &Grid, TPageCanvas &Canvas, TPrintMode Mode, int TotalPages,
               bool SelectedOnly);

void Print(TDazStringGrid &Grid);
void PrintSelection(TDazStringGrid &Grid);
void PrintRect(TDazStringGrid &Grid, const TGridRect &Gridrect);
void PrintSelectedRows(TDazStringGrid &Grid);
void PrintSelectedCols(TDazStringGrid &Grid);

void PrintPreview(TDazStringGrid &Grid, TCanvas &Canvas, const TRect &Displayrect);
void PrintPreviewRect(TDazStringGrid &Grid, TCanvas &Canvas, const TRect &Displayrect,
                      const TGridRect &Gridrect);
void PrintPreviewSelection(TDazStringGrid &Grid, TCanvas &Canvas, const TRect &Displayrect);
void PrintPreviewSelectedRows(TDazStringGrid &Grid, TCanvas &Canvas, const TRect &Displayrect);
void PrintPreviewSelectedCols(TDazStringGrid &Grid, TCanvas &Canvas, const TRect &Displayrect);

void PrintDraw(TDazStringGrid &Grid, TCanvas &Canvas, const TRect &DrawRect);
void PrintDrawRect(TDazStringGrid &Grid, TCanvas &Canvas, const TRect &DrawRect,
                   const TGridRect &Gridrect);

// The program's preview window: a print preview dialog whose pages Print draws.
void ShowPrintPreviewDialog(TDazStringGrid &Grid, QWidget *Parent = nullptr);

// Date and time in the run-time library's format letters ("dd/mm/yyyy", "hh:nn").
QString FormatDateTimeText(const QString &Format, const QDateTime &When);

// Tests: the page canvas of the runs gets this recorder (page units).
void SetPageRecorder(std::vector<TCanvasOp> *Log);

}   // namespace GridPrint
