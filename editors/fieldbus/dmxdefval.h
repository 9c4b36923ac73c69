#pragma once
// The DMX default value editor: the value (0..255) and a mnemonic of every channel of the
// DMX line, the channel count taken from ParGen.xml at each showing, in
// DMX_Default_Values.xml.
#include "editors/fieldbus/ruleeditor.h"

enum TDMX_Col { DX_Channel, DX_Default_Value, DX_Mnemonic, DX_Col_Count };

const TRule_Editor_Desc &DMXDefVal_Desc();

// The channel count of ParGen.xml's "DMX_Num_Channels" text: 512 (one DMX line) when the
// text is no integer or lies outside 1..512.
int DMX_Channel_Count(const QString &text);

class TFDMXDefVal : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFDMXDefVal(QWidget *parent = nullptr);

    QString Check_Row(int table, int row, const QStringList &cells) override;

    TDazColumnGrid *ACG_DMX_Def_Val;
    QStringList &Hint;
    int Num_Channels = 0;   // data rows of the showing

protected:
    // Takes the channel count; a ParGen.xml that cannot be read is reported and gives 512,
    // so the table is always sized for this project before it is reset and loaded.
    void Show_Setup() override;
};

extern TFDMXDefVal *FDMXDefVal;
