#pragma once
// The NMEA 2000 receive-frame editor: up to 62 parameter groups the gateway captures (single
// frame, fast packet or transport protocol), the captured bytes of all of them within its
// 512-byte input area, in NMEA_Rec_Frames.xml. No window opens it.
#include "editors/fieldbus/pgn_rules.h"

enum TReceiveNMEA_Col
{
    RN_N, RN_PGN, RN_SA, RN_TP, RN_FP, RN_Start, RN_NByte, RN_Delete, RN_Mnemonic, RN_Col_Count
};

const TRule_Editor_Desc &ReceiveNMEA_Desc();

class TFReceiveNMEA : public TPGN_Editor
{
    Q_OBJECT
public:
    explicit TFReceiveNMEA(QWidget *parent = nullptr);

    QString Check_Row(int table, int row, const QStringList &cells) override;

    TDazColumnGrid *sga;
    QStringList &Hint_ReceiveNMEA;
    bool &Do_Copy;
    int NUM_BYTE_IN = 0;

protected:
    void Show_Setup() override;
};

extern TFReceiveNMEA *FReceiveNMEA;
