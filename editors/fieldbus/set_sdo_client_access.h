#pragma once
// The CANopen SDO client editor: up to 256 read and 256 write requests the gateway sends to
// other nodes, each naming node, object, size, poll time and the data-array position of each
// byte, in SDO_Client_CANopen.xml.
#include "editors/fieldbus/canopen_rules.h"

enum TSDO_Client_Read_Col
{
    CR_N, CR_Device_ID, CR_Index, CR_SubIndex, CR_NByte, CR_Poll_Time, CR_Add_B1, CR_Mnemonic = CR_Add_B1 + 4,
    CR_Col_Count
};
enum TSDO_Client_Write_Col
{
    CW_N, CW_Device_ID, CW_Index, CW_SubIndex, CW_NByte, CW_Poll_Time, CW_On_Change, CW_Add_B1,
    CW_Mnemonic = CW_Add_B1 + 4, CW_Col_Count
};

const TRule_Editor_Desc &Set_SDO_Client_Access_Desc();

class TFSet_SDO_Client_Access : public TSDO_Editor
{
    Q_OBJECT
public:
    explicit TFSet_SDO_Client_Access(QWidget *parent = nullptr);

    QString Check_Row(int table, int row, const QStringList &cells) override;
};

extern TFSet_SDO_Client_Access *FSet_SDO_Client_Access;
