#pragma once
// The CANopen PDO editor: up to 30 receive and 30 transmit PDOs with their COB-ID, length,
// the data-array position of each byte and their time value, in PDO_CANopen.xml, which the
// CANopen EDS writer reads back.
#include "editors/fieldbus/canopen_rules.h"

// Real columns; PR_Add_B1 .. + 7 and PT_Add_B1 .. + 7 are Add B1 .. Add B8.
enum TPDO_Receive_Col { PR_N, PR_COB_ID, PR_Dimension, PR_Add_B1, PR_TimeOut = PR_Add_B1 + 8, PR_Mnemonic, PR_Col_Count };
enum TPDO_Transmit_Col
{
    PT_N, PT_COB_ID, PT_Dimension, PT_Add_B1, PT_Send_Time = PT_Add_B1 + 8, PT_On_Change, PT_Mnemonic, PT_Col_Count
};

const TRule_Editor_Desc &Set_PDO_Access_Desc();

class TFSet_PDO_Access : public TCANopen_Editor
{
    Q_OBJECT
public:
    explicit TFSet_PDO_Access(QWidget *parent = nullptr);

    QString Check_Row(int table, int row, const QStringList &cells) override;

    TDazColumnGrid *sga;
    TDazColumnGrid *sgb;
    QWidget *TS_Receive_PDO;
    QWidget *TS_Transmit_PDO;
    QStringList &Hint_PDO_Receive;
    QStringList &Hint_PDO_Transmit;
    bool &Do_Copy_Receive_PDO;
    bool &Do_Copy_Transmit_PDO;
};

extern TFSet_PDO_Access *FSet_PDO_Access;
