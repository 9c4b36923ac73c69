#pragma once
// "Set SNMP Trap Access": the objects the gateway publishes as SNMP agent, read objects
// (also sent as notifications) on one page and written objects on the other, in
// SNMP_Trap.xml. Column 0 shows each enabled object's number, its number in the MIB.
#include "editors/fieldbus/ruleeditor.h"

enum TSNMP_Read_Col
{
    SNR_N, SNR_Enable, SNR_Community, SNR_Type, SNR_OnChange, SNR_OnCMD, SNR_OnTimer, SNR_Time, SNR_Position, SNR_Bit,
    SNR_NumBits, SNR_Description, SNR_IP_Address, SNR_Conversion, SNR_Mnemonic, SNR_Col_Count
};
enum TSNMP_Write_Col
{
    SNW_N, SNW_Enable, SNW_Community, SNW_Type, SNW_Position, SNW_Bit, SNW_NumBits, SNW_Description, SNW_Conversion,
    SNW_Mnemonic, SNW_Col_Count
};

const TRule_Editor_Desc &SNMP_Trap_Access_Desc();

// True when the text breaks the character rule: only "0".."9", "A".."Z", "a".."z", and with
// Check_Type 1 a first character "a".."z". The empty text passes.
bool Check_Error_CommName_Desc(const QString &text, int Check_Type);
// The check of one enabled object of the read (0) or write (1) table.
QString SNMP_Trap_Check_Row(int table, const QStringList &cells);

class TFSNMP_Trap_Access : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFSNMP_Trap_Access(QWidget *parent = nullptr);

    // Column 0 := 1, 2, ... over the rows whose Enable in upper case is "Y", empty elsewhere.
    static void Index_Row_Build(TDazStringGrid &app_SGA);
    void ACG_SNMP_ReadCheckBoxClick(TDazStringGrid *Sender, int ACol, int ARow);

    // The row buttons renumber column 0 too: the engineer reads the MIB numbers there.
    void Btn_DelRowClick() override;
    void Btn_InsRowClick() override;
    void Btn_PasteRowClick() override;
    void ClickCell(TDazStringGrid *, int, int) override {}

    QString Check_Row(int table, int row, const QStringList &cells) override;
    QString Check_Tables(const TRule_Data &data) override;

    TDazColumnGrid *ACG_SNMP_Read;
    TDazColumnGrid *ACG_SNMP_Write;
    QStringList &Hint_SNMP_Read;
    QStringList &Hint_SNMP_Write;
    QStringList SL_Check_Desc;
    bool &Do_Copy_In_Read;
    bool &Do_Copy_In_Write;
    int NByte_IN = 0;
    int NByte_OUT = 0;

protected:
    void Show_Prepare() override;
    void Show_Loaded() override;
};

extern TFSNMP_Trap_Access *FSNMP_Trap_Access;
