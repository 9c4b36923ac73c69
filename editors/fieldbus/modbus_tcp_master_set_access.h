#pragma once
// The Modbus TCP master rule editor: the serial editor's read and write rules, each
// addressed to a slave by IP address and port, in ModbusTCPM_SetAccess.xml.
#include "editors/fieldbus/ruleeditor.h"

// Real columns of the read table.
enum TModbus_TCP_Read_Col
{
    TR_N, TR_Enable, TR_IP_Address, TR_Port, TR_Slave_ID, TR_Type, TR_Address, TR_NPoint, TR_PollTime,
    TR_MaxError, TR_Position, TR_Bit, TR_Swap, TR_SwapWord, TR_Topic, TR_Mnemonic, TR_Col_Count
};
// Real columns of the write table.
enum TModbus_TCP_Write_Col
{
    TW_N, TW_Enable, TW_IP_Address, TW_Port, TW_Slave_ID, TW_Type, TW_Address, TW_NPoint, TW_PollTime,
    TW_OnChange, TW_OnCMD, TW_MaxError, TW_Position, TW_Bit, TW_Swap, TW_SwapWord, TW_Mnemonic, TW_Col_Count
};

const TRule_Editor_Desc &Modbus_TCP_Master_Desc();

// True when the text is not a dotted IPv4 address: four parts, each 0..255 under the
// integer rule (leading blanks and "$" hexadecimal allowed); empty is invalid.
bool Check_IP_Address(const QString &text);

class TFModbus_TCP_Master_Set_Access : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFModbus_TCP_Master_Set_Access(QWidget *parent = nullptr);

    void ACG_Modbus_ReadDblClickCell(TDazStringGrid *Sender, int ARow, int ACol) { DblClickCell(Sender, ARow, ACol); }
    void ACG_Modbus_WriteKeyPress(TDazStringGrid *Sender, QChar &Key) { KeyPress(Sender, Key); }
    void ACG_Modbus_WriteGridHint(TDazStringGrid *Sender, int ARow, int ACol, QString &hintstr)
    {
        GridHint(Sender, ARow, ACol, hintstr);
    }

    QString Get_Topic_From_Index(int index) const;
    int Get_Index_From_Topic(const QString &topic) const;

    QString Check_Row(int table, int row, const QStringList &cells) override;
    QString Cell_From_File(int table, int row, int col, const QString &value) override;
    QString Cell_To_File(int table, int row, int col, const QString &cell) override;

    TDazColumnGrid *ACG_Modbus_Read;
    TDazColumnGrid *ACG_Modbus_Write;
    QWidget *TS_Modbus_Read;
    QWidget *TS_Modbus_Write;
    QStringList &Hint_Modbus_Set_Access_Read;
    QStringList &Hint_Modbus_Set_Access_Write;
    bool &Do_Copy_In_Read;
    bool &Do_Copy_In_Write;

    QStringList List_Publish_Topic;   // nothing fills it
    int Working_Mode = 0;
    int NByte_IN = 0;
    int NByte_OUT = 0;

protected:
    void Show_Setup() override;
    void Show_Prepare() override;
};

extern TFModbus_TCP_Master_Set_Access *FModbus_TCP_Master_Set_Access;
