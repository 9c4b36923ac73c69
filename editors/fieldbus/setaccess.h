#pragma once
// The Modbus master rule editor for the serial line: the read and the write rules of
// ModbusM_SetAccess.xml in two tables, each checked against the gateway's 1500-byte input or
// output image before it is saved.
#include "editors/fieldbus/ruleeditor.h"

// Real columns of the read table.
enum TModbus_Read_Col
{
    MR_N, MR_Enable, MR_Slave_ID, MR_Type, MR_Address, MR_NPoint, MR_PollTime, MR_MaxError, MR_Position,
    MR_Bit, MR_Swap, MR_SwapWord, MR_Topic, MR_Mnemonic, MR_Col_Count
};
// Real columns of the write table.
enum TModbus_Write_Col
{
    MW_N, MW_Enable, MW_Slave_ID, MW_Type, MW_Address, MW_NPoint, MW_PollTime, MW_OnChange, MW_OnCMD,
    MW_MaxError, MW_Position, MW_Bit, MW_Swap, MW_SwapWord, MW_Mnemonic, MW_Col_Count
};

// The editor's tables, texts and file.
const TRule_Editor_Desc &SetAccess_Desc();

class TFSetAccess : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFSetAccess(QWidget *parent = nullptr);

    void bitbtn1Click() { Btn_OKClick(); }
    void Btn_InsertRowClick() { Btn_InsRowClick(); }
    void ACG_Modbus_ReadDblClickCell(TDazStringGrid *Sender, int ARow, int ACol) { DblClickCell(Sender, ARow, ACol); }
    void ACG_Modbus_ReadKeyPress(TDazStringGrid *Sender, QChar &Key) { KeyPress(Sender, Key); }
    void ACG_Modbus_ReadGridHint(TDazStringGrid *Sender, int ARow, int ACol, QString &hintstr)
    {
        GridHint(Sender, ARow, ACol, hintstr);
    }
    // The read table's Topic column remembers the picked item's index.
    void ComboChange(TDazStringGrid *Sender, int ACol, int ARow, int AItemIndex) override;

    QString Get_Topic_From_Index(int index) const;
    int Get_Index_From_Topic(const QString &topic, int remembered) const;

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

    QStringList List_Publish_Topic;     // nothing fills it: the Topic column stays hidden
    int Working_Mode = 0;
    std::vector<int> ComboItem_Topic;   // per read row, the Topic item last picked; -1 none
    int NByte_IN = 0;
    int NByte_OUT = 0;

protected:
    void Show_Setup() override;
    void Show_Prepare() override;
};

extern TFSetAccess *FSetAccess;
