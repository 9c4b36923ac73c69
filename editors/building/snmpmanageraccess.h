#pragma once
// "Set SNMP Manager Access": up to 512 requests the gateway sends as SNMP manager to other
// agents (versions 1 to 3), in SNMP_Manager.xml.
#include "editors/fieldbus/ruleeditor.h"

enum TSNMP_Manager_Col
{
    SM_N, SM_Enable, SM_IP_Address, SM_Version, SM_Community, SM_OID, SM_Type, SM_Mode, SM_OnChange, SM_OnCMD,
    SM_OnTimer, SM_Time, SM_Position, SM_NumBytes, SM_Conversion, SM_Cancel, SM_User, SM_Auth_Pass, SM_Priv_Pass,
    SM_Security_Level, SM_Auth_Mode, SM_Priv_Mode, SM_Mnemonic, SM_Col_Count
};

const TRule_Editor_Desc &SNMPManagerAccess_Desc();

// The row checks of one enabled request: the first failing check's text, empty when valid.
QString SNMP_Manager_Check_Row(const QStringList &cells);
// The characters a request adds to the gateway's string area (OID, and for version 3 the
// User and the pass phrases its security level uses), each with its terminator.
int SNMP_Manager_String_Cost(const QStringList &cells);
// The duplicate pass and the string budget over the enabled requests.
QString SNMP_Manager_Check_Table(const TRule_Table_Desc &table, const TRule_Rows &rows);

class TFSNMPManagerAccess : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFSNMPManagerAccess(QWidget *parent = nullptr);

    void ClickCell(TDazStringGrid *, int, int) override {}
    QString Check_Row(int table, int row, const QStringList &cells) override;
    QString Check_Tables(const TRule_Data &data) override;

    TDazColumnGrid *ACG_SNMP;
    QStringList &Hint_SNMP;
    bool &Do_Copy_SNMP;

protected:
    void Show_Prepare() override;
};

extern TFSNMPManagerAccess *FSNMPManagerAccess;
