#pragma once
// "S7comm Access": the S7comm read and write requests the gateway sends to PLCs over TCP,
// in S7_Protocol.xml. The gateway serves at most 10 PLC connections (address and port)
// over the enabled rules of both tables.
#include "editors/fieldbus/ruleeditor.h"

#include <array>

// Real columns 0-13 of both tables, then each table's own.
enum TS7_Col
{
    S7_N, S7_Enable, S7_PLC_Address, S7_PLC_Port, S7_PLC_Type, S7_Rack, S7_Slot, S7_Data_Type, S7_Data_Identifier,
    S7_DB_Number, S7_PLC_Area, S7_PLC_Add, S7_PLC_Bit, S7_PollTime,
    S7R_Position = 14, S7R_Bit, S7R_Swap, S7R_SwapWord, S7R_Mnemonic, S7R_Col_Count,
    S7W_OnChange = 14, S7W_OnCMD, S7W_Position, S7W_Bit, S7W_Swap, S7W_SwapWord, S7W_Mnemonic, S7W_Col_Count
};

const TRule_Editor_Desc &S7_Protocol_Set_Access_Desc();

// One PLC connection; -1 in every field of a free entry.
struct TIPPort
{
    int IP1 = -1, IP2 = -1, IP3 = -1, IP4 = -1, Port = -1;
};

// The connection table of one validation.
class TS7_Connections
{
public:
    void Clear() { array_ip_Port.fill(TIPPort()); }
    // The entry of that address and port, the first free one for a new pair; -1 when all
    // ten hold other connections.
    int Check_IP_Port(int IP1, int IP2, int IP3, int IP4, int Port);

    std::array<TIPPort, 10> array_ip_Port;
};

// The check of one enabled rule of the read (0) or write (1) table against a data area of
// NByte bytes; the rule's connection is entered in the table.
QString S7_Check_Row(int table, const QStringList &cells, int NByte, TS7_Connections &connections);

class TFS7_Protocol_Set_Access : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFS7_Protocol_Set_Access(QWidget *parent = nullptr);

    QString Check_Row(int table, int row, const QStringList &cells) override;
    int Check_IP_Port(int IP1, int IP2, int IP3, int IP4, int Port)
    {
        return Connections.Check_IP_Port(IP1, IP2, IP3, IP4, Port);
    }

    TDazColumnGrid *ACG_S7_Read;
    TDazColumnGrid *ACG_S7_Write;
    QStringList &Hint_S7_Set_Access_Read;
    QStringList &Hint_S7_Set_Access_Write;
    bool &Do_Copy_In_Read;
    bool &Do_Copy_In_Write;
    int NByte_IN = 0;
    int NByte_OUT = 0;
    TS7_Connections Connections;

protected:
    void Show_Prepare() override;
    void Check_Begin() override { Connections.Clear(); }
};

extern TFS7_Protocol_Set_Access *FS7_Protocol_Set_Access;
