#pragma once
// The IEC 61850 server variables: up to 50 variables the gateway publishes as an IEC 61850
// server, each with its name, type, length, access and place in the 1438-byte data array,
// in IEC61850_Variables.xml.
#include "editors/fieldbus/ruleeditor.h"

// Real columns of the table.
enum TIEC61850_Var_Col
{
    IV_N, IV_Enable, IV_Name, IV_Type, IV_Length, IV_ReadOnly, IV_Position, IV_StartBit, IV_Conversion,
    IV_MultFactor, IV_Swap, IV_SwapWord, IV_Mnemonic, IV_Col_Count
};

const TRule_Editor_Desc &IEC61850_Variables_Desc();

// The check of one enabled variable against a data array of NByte_IN bytes, numbers with the
// given decimal separator: the first failing check's text, empty when valid.
QString IEC61850_Variables_Check_Row(const QStringList &cells, int NByte_IN, QChar Separator);

class TFIEC61850_Variables : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFIEC61850_Variables(QWidget *parent = nullptr);

    QString Check_Row(int table, int row, const QStringList &cells) override;

    TDazColumnGrid *ACG;
    QStringList &Hint_List;
    bool &Do_Copy;
    int NByte_IN = 0;

protected:
    void Show_Prepare() override;
    void Check_Begin() override;

private:
    QChar Separator_ = QLatin1Char(',');
};

extern TFIEC61850_Variables *FIEC61850_Variables;
