#pragma once
// The check of one raw CAN frame rule, shared by the receive and the transmit editor: the
// identifier by frame type, the data length, and the data-array position of each of the
// frame's bytes.
#include <QString>
#include <QStringList>

// "2.0A (11 bits)" and "2.0B (29 bits)", the items of a Type column.
extern const QStringList CAN_Type_Items;

// Real columns of a frame's fields and the UI texts of their faults.
struct TCAN_Frame_Check
{
    int COBID, Type, Dim, Byte1;     // Byte1..Byte8 follow each other
    int Text_11_Bits, Text_29_Bits, Text_Dim;
    int Text_Byte1, Text_Or_None;    // "!! Byte1 must be between 0 and ", " or None"
    int Text_Byte2;                  // Byte2..Byte8 follow each other
    int Max_Byte;                    // size of the data array
};

// Identifier and length, the text of the first failing check or empty.
QString CAN_Check_Frame(const TCAN_Frame_Check &check, const QStringList &cells);
// The positions of the frame's first Dim bytes ("None" and blanks pass).
QString CAN_Check_Bytes(const TCAN_Frame_Check &check, const QStringList &cells);
