#pragma once
// The CANopen SDO server editor: up to 500 objects a master reads and 500 it writes in the
// gateway's manufacturer range, with size and the data-array position of each byte, in
// SDO_Server_CANopen.xml, which the CANopen EDS writer reads back.
#include "editors/fieldbus/canopen_rules.h"

// Real columns of both tables; SV_Add_B1 .. + 3 are Add Byte1 .. Add Byte4.
enum TSDO_Server_Col { SV_N, SV_Index, SV_SubIndex, SV_NByte, SV_Add_B1, SV_Mnemonic = SV_Add_B1 + 4, SV_Col_Count };

const TRule_Editor_Desc &Set_SDO_Server_Access_Desc();

class TFSet_SDO_Server_Access : public TSDO_Editor
{
    Q_OBJECT
public:
    explicit TFSet_SDO_Server_Access(QWidget *parent = nullptr);

    QString Check_Row(int table, int row, const QStringList &cells) override;
};

extern TFSet_SDO_Server_Access *FSet_SDO_Server_Access;
