#pragma once
// Checks shared by the CANopen editors: the data-array positions of a frame's or an object's
// bytes, and one SDO object (index, sub-index, size, positions).
#include <QString>
#include <QStringList>

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
