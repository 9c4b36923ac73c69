#pragma once
// The checks of J1939 and NMEA 2000 parameter-group rules, shared by the four frame editors:
// what a received group captures (start byte and count by transport), what a sent group
// carries, and the byte total all rules of a table take in the gateway's data area.
#include "editors/fieldbus/ruleeditor.h"

// A received group. Columns are real columns, -1 where the table has none; texts are the UI
// texts of the faults in the order they are checked.
struct TPGN_Receive_Check
{
    int DP, PGN, SA, TP, FP, Start, NByte, OnRequest, Time;
    int Max_PGN;
    int Text_DP, Text_PGN, Text_SA;
    int Text_TP_Start, Text_TP_Sum;   // transport protocol: start, start + count
    int Text_FP_Start, Text_FP_Sum;   // fast packet
    int Text_Both, Text_Start, Text_NByte, Text_Sum;   // single frame
    int Text_Total, Text_Time;
    int Max_Total;
};

// A sent group.
struct TPGN_Send_Check
{
    int Priority, DP, PGN, SA, NByte, OnTimer, SendTimer;
    int Max_SA, Min_NByte;
    int Text_Priority, Text_DP, Text_PGN, Text_SA, Text_NByte, Text_Total, Text_Timer;
    int Max_Total;
};

// The running check of one table: total counts the bytes of the rules checked so far.
// A fault of the total is a message of its own (Whole set), the others follow "Error in row n".
struct TPGN_Total
{
    int Total = 0;
    bool Whole = false;
};

QString PGN_Check_Receive(const TPGN_Receive_Check &check, const QStringList &cells, TPGN_Total &total);
QString PGN_Check_Send(const TPGN_Send_Check &check, const QStringList &cells, TPGN_Total &total);

// The frame of the four parameter-group editors: the byte total kept over one check of the
// table, and the handler name they share.
class TPGN_Editor : public TRule_Editor
{
    Q_OBJECT
public:
    using TRule_Editor::TRule_Editor;

    bool Controllo_Dati() { return Controllo_dati(); }

protected:
    void Check_Begin() override { Total_ = {}; }
    QString Check_Receive(const TPGN_Receive_Check &check, const QStringList &cells);
    QString Check_Send(const TPGN_Send_Check &check, const QStringList &cells);

private:
    TPGN_Total Total_;
};
