#include "editors/fieldbus/canopen_rules.h"

#include "app/language.h"
#include "app/tableediting.h"
#include "editors/fieldbus/ruletable.h"

namespace {

constexpr int Max_SubIndex = 255;
constexpr int Array_Bytes = 1500;   // the gateway's input and output data arrays

} // namespace

QString CANopen_Check_Addresses(const QStringList &cells, int first_col, int count, int max_byte, int first_text)
{
    for (int k = 1; k <= count; ++k)
        if (!Rule_In_Range(cells.value(first_col + k - 1), 0, max_byte - 1))
            return Rule_Limit_Text(first_text + k - 1, max_byte - 1);
    return {};
}

bool SDO_Size_Valid(int nbyte) { return nbyte == 1 || nbyte == 2 || nbyte == 4; }

QString SDO_Check_Object(const TSDO_Check &check, const QStringList &cells)
{
    if (!Rule_In_Range(cells.value(check.Index), check.Min_Index, check.Max_Index))
        return Lang_Text(check.Text_Index);
    if (!Rule_In_Range(cells.value(check.SubIndex), 0, Max_SubIndex))
        return Lang_Text(check.Text_SubIndex);
    const int nbyte = Rule_Int(cells.value(check.NByte));
    if (!SDO_Size_Valid(nbyte))
        return Lang_Text(check.Text_NByte);
    if (check.Address1 < 0)
        return {};
    return CANopen_Check_Addresses(cells, check.Address1, nbyte, check.Max_Byte, check.Text_Address1);
}

void TCANopen_Editor::Show_Prepare()
{
    PROFINET_NByte_IN = Array_Bytes;
    PROFINET_NByte_OUT = Array_Bytes;
}

void TCANopen_Editor::Delete_Row(int Num_Row, TDazStringGrid &Grid) { Grid_Delete_Row(Num_Row, Grid); }

TSDO_Editor::TSDO_Editor(const TRule_Editor_Desc &desc, const QString &path, QWidget *parent)
    : TCANopen_Editor(desc, path, parent),
      sga(Grid(0)),
      sgb(Grid(1)),
      TS_SDO_Read(Tables[0].Sheet),
      TS_SDO_Write(Tables[1].Sheet),
      Hint_SDO_Client_Read(Tables[0].Hints),
      Hint_SDO_Client_Write(Tables[1].Hints),
      Do_Copy_SDO_Read(Tables[0].Do_Copy),
      Do_Copy_SDO_Write(Tables[1].Do_Copy)
{
}
