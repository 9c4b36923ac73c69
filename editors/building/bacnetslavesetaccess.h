#pragma once
// "BACnet Set Access": the BACnet objects the gateway serves to BACnet masters, read objects
// on one page and written objects on the other, each with its object type, engineering
// unit, place in the gateway's data and mnemonic, in BACnet_Slave_SetAccess.xml.
#include "editors/fieldbus/ruleeditor.h"

// Real columns of both tables.
enum TBACnet_Slave_Col
{
    BS_N, BS_Data_Type, BS_Eng_Unit, BS_Position, BS_Bit, BS_Length, BS_Swap, BS_Mnemonic, BS_Col_Count
};

const TRule_Editor_Desc &BACnetSlaveSetAccess_Desc();

// The check of one row of the read (table 0) or write (table 1) objects against a data
// area of NByte bytes: the first failing check's text, empty when valid.
QString BACnet_Slave_Check_Row(int table, const QStringList &cells, int NByte);
// The Length a write object of that type gets when its type is chosen; empty for none.
QString BACnet_Slave_Type_Length(const QString &data_type);

class TFBACnetSlaveSetAccess : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFBACnetSlaveSetAccess(QWidget *parent = nullptr);

    void DblClickCell(TDazStringGrid *Sender, int ARow, int ACol) override;
    void ComboChange(TDazStringGrid *Sender, int ACol, int ARow, int AItemIndex) override;
    QString Check_Row(int table, int row, const QStringList &cells) override;
    QString Check_Tables(const TRule_Data &data) override;

    // The most objects of both tables together: 1000 with BACnet_Desc_Chars_Limit "1".
    int Max_Requests() const { return Desc_Lenght ? 1000 : 2000; }

    TDazColumnGrid *ACG_BACnet_in_Read;
    TDazColumnGrid *ACG_BACnet_in_Write;
    bool &Do_Copy_Read;
    bool &Do_Copy_Write;
    int NByte_IN = 0;
    int NByte_OUT = 0;
    bool Desc_Lenght = false;

protected:
    void Show_Prepare() override;
};

extern TFBACnetSlaveSetAccess *FBACnetSlaveSetAccess;
