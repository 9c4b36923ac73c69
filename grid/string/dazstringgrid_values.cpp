// TDazStringGrid: typed views over the cell texts (integers, floats, dates, times and the
// values of CONTROL tags).
#include "grid/string/dazstringgrid.h"

#include "grid/base/markup.h"
#include "grid/string/datetimetext.h"
#include "platform/rtl.h"

#include <QDate>
#include <QTime>
#include <cmath>


// ---------------------------------------------------------------------------------------
// Numbers
// ---------------------------------------------------------------------------------------

int TDazStringGrid::TextToInt(const QString &Text) const
{
    const QString s = Trim(Text);
    if (s.isEmpty() || s == u"-")
        return 0;
    int value = 0;
    if (!TryStrToInt(s, value))
        throw EDazGridError("Cell does not contain integer value");
    return value;
}

double TDazStringGrid::TextToFloat(const QString &Text) const
{
    const QString s = NormalizeNumberText(Text);
    if (s.isEmpty() || s == u"-")
        return 0;
    double value = 0;
    int code = 0;
    Val(s, value, code);
    if (code != 0)
        throw EDazGridError("Cell does not contain a float value");
    return value;
}

int TDazStringGrid::Ints(int ACol, int ARow)
{
    return TextToInt(StrippedCells(ACol, ARow));
}

void TDazStringGrid::SetInts(int ACol, int ARow, int Value)
{
    SetCells(ACol, ARow, IntToStr(Value));
    if (NumHiddenColumns() > 0)
        RepaintRealCell(ACol, ARow);
}

int TDazStringGrid::AllInts(int ACol, int ARow)
{
    return TextToInt(AllCells(ACol, ARow));
}

void TDazStringGrid::SetAllInts(int ACol, int ARow, int Value)
{
    SetAllCells(ACol, ARow, IntToStr(Value));
}

QString TDazStringGrid::GetFloatFormat(int, int)
{
    return FFloatFormat;
}

double TDazStringGrid::Floats(int ACol, int ARow)
{
    return TextToFloat(StrippedCells(ACol, ARow));
}

void TDazStringGrid::SetFloats(int ACol, int ARow, double Value)
{
    SetCells(ACol, ARow, Format(GetFloatFormat(ACol, ARow), {Value}));
    if (NumHiddenColumns() > 0)
        RepaintRealCell(ACol, ARow);
}

double TDazStringGrid::AllFloats(int ACol, int ARow)
{
    return TextToFloat(AllCells(ACol, ARow));
}

void TDazStringGrid::SetAllFloats(int ACol, int ARow, double Value)
{
    SetAllCells(ACol, ARow, Format(FFloatFormat, {Value}));
}

// ---------------------------------------------------------------------------------------
// Dates and times
// ---------------------------------------------------------------------------------------

TDateTime TDazStringGrid::Dates(int ACol, int ARow)
{
    return StrToDate(Cells(ACol, ARow));
}

void TDazStringGrid::SetDates(int ACol, int ARow, TDateTime Value)
{
    SetCells(ACol, ARow, Value > 0 || FShowNullDates ? DateToStr(Value) : QString());
}

TDateTime TDazStringGrid::AllDates(int ACol, int ARow)
{
    return StrToDate(AllCells(ACol, ARow));
}

void TDazStringGrid::SetAllDates(int ACol, int ARow, TDateTime Value)
{
    SetAllCells(ACol, ARow, Value > 0 || FShowNullDates ? DateToStr(Value) : QString());
}

TDateTime TDazStringGrid::Times(int ACol, int ARow)
{
    return StrToTime(Cells(ACol, ARow));
}

void TDazStringGrid::SetTimes(int ACol, int ARow, TDateTime Value)
{
    SetCells(ACol, ARow, TimeToStr(Value));
}

// ---------------------------------------------------------------------------------------
// CONTROL tags
// ---------------------------------------------------------------------------------------

// The tags are looked up in the text the cell holds (its merge's base cell), as the
// display's additions would hide them or be written back.
QString TDazStringGrid::ControlValues(int ACol, int ARow, const QString &ID)
{
    const TPoint base = BaseCell(ACol, ARow);
    QString value;
    return GetControlValue(MarkingText(base.X, base.Y), ID, value) ? value : QString();
}

void TDazStringGrid::SetControlValues(int ACol, int ARow, const QString &ID, const QString &Value)
{
    const TPoint base = BaseCell(ACol, ARow);
    QString text = MarkingText(base.X, base.Y);
    if (SetControlValue(text, ID, Value))
        SetCells(base.X, base.Y, text);
}
