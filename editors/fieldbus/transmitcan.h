#pragma once
// The CAN transmit-frame editor: up to 512 raw frames the gateway sends, on data change, on
// command or on a timer, each data byte taken from a position of its 3400-byte array, in
// CAN_Send_Frames.xml.
#include "editors/fieldbus/ruleeditor.h"

// Real columns of the table; TC_Byte1 .. TC_Byte1 + 7 are Byte1 .. Byte8.
enum TTransmitCAN_Col
{
    TC_N, TC_Enable, TC_COBID, TC_Type, TC_Dim, TC_OnChange, TC_OnCMD, TC_OnTimer, TC_Time, TC_Byte1,
    TC_Mnemonic = TC_Byte1 + 8, TC_Col_Count
};

const TRule_Editor_Desc &TransmitCAN_Desc();

class TFTransmitCAN : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFTransmitCAN(QWidget *parent = nullptr);

    void ACG_CAN_TransmitDblClickCell(TDazStringGrid *Sender, int ARow, int ACol) { DblClickCell(Sender, ARow, ACol); }
    void ACG_CAN_TransmitKeyPress(TDazStringGrid *Sender, QChar &Key) { KeyPress(Sender, Key); }
    void ACG_CAN_TransmitGridHint(TDazStringGrid *Sender, int ARow, int ACol, QString &hintstr)
    {
        GridHint(Sender, ARow, ACol, hintstr);
    }

    QString Check_Row(int table, int row, const QStringList &cells) override;
    // A row of an older file without Time that is sent on timer gets Time "0".
    void Row_From_File(int table, int row, const TXmlNode &element, QStringList &cells) override;

    TDazColumnGrid *ACG_CAN_Transmit;
    QStringList &Hint_TransmitCAN;
    bool &Do_Copy;
    int Hard_Type = 0;
    int CAN_Type = 0;    // nothing sets these three: a row without the attributes takes the
    int Send_Type = 0;   // 11-bit type, OnChange "Y" and OnTimer "N", and Time "0" on timer
    int Send_Time = 0;
    int MAX_Byte = 0;

protected:
    void Show_Prepare() override;
};

extern TFTransmitCAN *FTransmitCAN;
