#pragma once
// The NMEA 2000 transmit-frame editor: up to 62 parameter groups the gateway sends on
// request, on data change or on a timer, their data within its 512-byte output area, in
// NMEA_Send_Frames.xml. No window opens it.
#include "editors/fieldbus/pgn_rules.h"

enum TTransmitNMEA_Col
{
    TN_N, TN_Priority, TN_PGN, TN_SA, TN_FP, TN_NByte, TN_Request, TN_Data_Change, TN_On_Timer, TN_Send_Timer,
    TN_Mnemonic, TN_Col_Count
};

const TRule_Editor_Desc &TransmitNMEA_Desc();

class TFTransmitNMEA : public TPGN_Editor
{
    Q_OBJECT
public:
    explicit TFTransmitNMEA(QWidget *parent = nullptr);

    QString Check_Row(int table, int row, const QStringList &cells) override;

    TDazColumnGrid *sga;
    QStringList &Hint_TransmitNMEA;
    bool &Do_Copy;
    int NUM_BYTE_OUT = 0;

protected:
    void Show_Setup() override;
};

extern TFTransmitNMEA *FTransmitNMEA;
