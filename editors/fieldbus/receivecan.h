#pragma once
// The CAN receive-frame editor: up to 512 raw frames the gateway takes from the bus, each
// data byte placed at a position of its 2000-byte array, in CAN_Rec_Frames.xml.
#include "editors/fieldbus/ruleeditor.h"

// Real columns of the table; RC_Byte1 .. RC_Byte1 + 7 are Byte1 .. Byte8.
enum TReceiveCAN_Col
{
    RC_N, RC_Enable, RC_COBID, RC_Type, RC_Dim, RC_TimeOut, RC_Byte1, RC_Mnemonic = RC_Byte1 + 8, RC_Col_Count
};

const TRule_Editor_Desc &ReceiveCAN_Desc();

class TFReceiveCAN : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFReceiveCAN(QWidget *parent = nullptr);

    void ACG_CAN_ReceiveDblClickCell(TDazStringGrid *Sender, int ARow, int ACol) { DblClickCell(Sender, ARow, ACol); }
    void ACG_CAN_ReceiveKeyPress(TDazStringGrid *Sender, QChar &Key) { KeyPress(Sender, Key); }
    void ACG_CAN_ReceiveGridHint(TDazStringGrid *Sender, int ARow, int ACol, QString &hintstr)
    {
        GridHint(Sender, ARow, ACol, hintstr);
    }

    QString Check_Row(int table, int row, const QStringList &cells) override;

    TDazColumnGrid *ACG_CAN_Receive;
    QStringList &Hint_ReceiveCAN;
    bool &Do_Copy;
    int MAX_Byte = 0;

protected:
    void Show_Prepare() override;
};

extern TFReceiveCAN *FReceiveCAN;
