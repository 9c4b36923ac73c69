#pragma once
// The J1939 transmit-frame editor: up to 512 parameter groups the gateway sends on request,
// on data change or on a timer, their data within its 512-byte output area, in
// J1939_Send_Frames.xml (files of the older layout with one send condition are converted on
// reading). No window opens it.
#include "editors/fieldbus/pgn_rules.h"

enum TTransmitJ1939_Col
{
    TJ_N, TJ_Priority, TJ_DP, TJ_PGN, TJ_SA, TJ_NByte, TJ_Request, TJ_Data_Change, TJ_On_Timer, TJ_Send_Timer,
    TJ_Mnemonic, TJ_Col_Count
};

const TRule_Editor_Desc &TransmitJ1939_Desc();

class TFTransmitJ1939 : public TPGN_Editor
{
    Q_OBJECT
public:
    explicit TFTransmitJ1939(QWidget *parent = nullptr);

    QString Check_Row(int table, int row, const QStringList &cells) override;
    // An empty byte count reads as 8; an older T_Type sets the send flags instead of the
    // newer attributes.
    void Row_From_File(int table, int row, const TXmlNode &element, QStringList &cells) override;

    TDazColumnGrid *sga;
    QStringList &Hint_TransmitJ1939;
    bool &Do_Copy;
    int NUM_BYTE_OUT = 0;

protected:
    void Show_Setup() override;
};

extern TFTransmitJ1939 *FTransmitJ1939;
