#pragma once
// Checks shared by the CANopen editors: the data-array positions of a frame's or an object's
// bytes, and one SDO object (index, sub-index, size, positions).
#include "editors/fieldbus/ruleeditor.h"

// Positions of the first count bytes in columns first_col.. : each 0..max_byte - 1, else
// text first_text + k - 1 (for byte k) with the limit appended.
QString CANopen_Check_Addresses(const QStringList &cells, int first_col, int count, int max_byte, int first_text);

// The size of an SDO object: 1, 2 or 4 bytes; any other value is no size.
bool SDO_Size_Valid(int nbyte);

struct TSDO_Check
{
    int Index, SubIndex, NByte, Address1;   // real columns; Address1 .. Address1 + 3, -1: not
                                            // checked here
    int Min_Index, Max_Index;
    int Text_Index, Text_SubIndex, Text_NByte, Text_Address1;
    int Max_Byte;                           // size of the data array
};

// Index, sub-index, size and the positions of the object's bytes, in that order.
QString SDO_Check_Object(const TSDO_Check &check, const QStringList &cells);

// The frame of the three two-table CANopen editors: both data arrays of 1500 bytes, the
// row deletion of their own and the handler names they share.
class TCANopen_Editor : public TRule_Editor
{
    Q_OBJECT
public:
    using TRule_Editor::TRule_Editor;

    void Btn_OK_Click() { Btn_OKClick(); }
    void Btn_DelRow_Click() { Btn_DelRowClick(); }
    // Moves the rows below Num_Row up one; the last row becomes blank.
    void Delete_Row(int Num_Row, TDazStringGrid &Grid);

    int PROFINET_NByte_IN = 0;
    int PROFINET_NByte_OUT = 0;

protected:
    void Show_Prepare() override;
};

// The two SDO editors: a read and a write table of the same names.
class TSDO_Editor : public TCANopen_Editor
{
    Q_OBJECT
public:
    TSDO_Editor(const TRule_Editor_Desc &desc, const QString &path, QWidget *parent);

    TDazColumnGrid *sga;
    TDazColumnGrid *sgb;
    QWidget *TS_SDO_Read;
    QWidget *TS_SDO_Write;
    QStringList &Hint_SDO_Client_Read;
    QStringList &Hint_SDO_Client_Write;
    bool &Do_Copy_SDO_Read;
    bool &Do_Copy_SDO_Write;
};
