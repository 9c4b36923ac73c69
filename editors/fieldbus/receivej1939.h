#pragma once
// The J1939 receive-frame editor: up to 512 parameter groups the gateway captures, whole or
// in part, the captured bytes of all of them within its 1440-byte input area, in
// J1939_Rec_Frames.xml. No window opens it.
#include "editors/fieldbus/pgn_rules.h"

enum TReceiveJ1939_Col
{
    RJ_N, RJ_DP, RJ_PGN, RJ_SA, RJ_TP, RJ_Start, RJ_NByte, RJ_Delete, RJ_OnRequest, RJ_Time, RJ_Mnemonic,
    RJ_Col_Count
};

const TRule_Editor_Desc &ReceiveJ1939_Desc();

class TFReceiveJ1939 : public TPGN_Editor
{
    Q_OBJECT
public:
    explicit TFReceiveJ1939(QWidget *parent = nullptr);

    QString Check_Row(int table, int row, const QStringList &cells) override;

    TDazColumnGrid *sga;
    QStringList &Hint_ReceiveJ1939;
    bool &Do_Copy;
    int NUM_BYTE_IN = 0;

protected:
    void Show_Setup() override;
};

extern TFReceiveJ1939 *FReceiveJ1939;
