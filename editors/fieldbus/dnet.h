#pragma once
// The DeviceNet network editor: up to 64 slaves with their ID and their numbers of input and
// output bytes, in DNETM_Net.xml, which the offset window reads.
#include "editors/fieldbus/ruleeditor.h"

// Real columns of the table.
enum TDNet_Col { DN_N, DN_ID, DN_NB_IN, DN_NB_OUT, DN_Mnemonic, DN_Col_Count };

const TRule_Editor_Desc &DNet_Desc();

class TFDNet : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFDNet(QWidget *parent = nullptr);

    bool controllo_dati() { return Controllo_dati(); }
    void bitbtn1Click() { Btn_OKClick(); }
    void Btn_DelRow_Click() { Btn_DelRowClick(); }

    QString Check_Row(int table, int row, const QStringList &cells) override;

    TDazColumnGrid *RUD;
    QStringList &Hint_DeviceNet;
    bool &Do_Copy;
};

extern TFDNet *FDNet;
