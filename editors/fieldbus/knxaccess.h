#pragma once
// The KNX access editor: up to 1024 KNX messages the gateway builds from its 1500-byte data
// array, each with its addresses, service, priority, format, send triggers and the place of
// its data, in KNX_SetAccess.xml.
#include "editors/fieldbus/ruleeditor.h"

// Real columns of the table.
enum TKNX_Col
{
    KX_N, KX_Enable, KX_Source, KX_Dest, KX_APCI, KX_Priority, KX_Format, KX_MulFactor, KX_Extended,
    KX_ReTest, KX_OnCMD, KX_OnChange, KX_OnTimer, KX_PollTime, KX_Position, KX_BitMode, KX_Length,
    KX_TimeOut, KX_Mnemonic, KX_Col_Count
};

const TRule_Editor_Desc &KNXAccess_Desc();

// The check of one enabled KNX rule against a data area of Max_Num_Byte bytes, numbers with
// the given decimal separator: the first failing check's text, empty when valid.
QString KNX_Check_Row(const QStringList &cells, int Max_Num_Byte, QChar Separator);

class TFKNXAccess : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFKNXAccess(QWidget *parent = nullptr);

    void Btn_DelRowClick() override;
    // Moves columns 1-18 of the rows below Num_Row up one and blanks the last row.
    void Delete_Row(int Num_Row);
    void ACG_KNX_in_WriteClickCell(TDazStringGrid *Sender, int ARow, int ACol) { ClickCell(Sender, ARow, ACol); }

    QString Check_Row(int table, int row, const QStringList &cells) override;
    QString Cell_From_File(int table, int row, int col, const QString &value) override;

    TDazColumnGrid *ACG_KNX_in_Write;
    QStringList &Hint;
    bool &Do_Copy_In_Write;
    int Max_Num_Byte = 0;

protected:
    void Show_Prepare() override;
    void Check_Begin() override;

private:
    QChar Separator_ = QLatin1Char(',');   // the decimal separator of the running check
};

extern TFKNXAccess *FKNXAccess;
