#pragma once
// The EtherNet/IP scanner editor: up to ten connections to EtherNet/IP targets in one table,
// kept in EtherNetIP_Master_Rules.xml with the target configuration of each row. A row can
// be filled from a device's EDS file, and the configuration parameters that travel in its
// data segment are edited in the data segment editor.
#include "gateway/ethernetip_rules.h"

#include <QDialog>

class QFrame;
class QLabel;
class TDazColumnGrid;
class TDazStringGrid;
class TLbButton;

class TFEtherNetIP_Master_Access : public QDialog
{
    Q_OBJECT
public:
    explicit TFEtherNetIP_Master_Access(QWidget *parent = nullptr);

    // Loads the file before the window opens; a file that cannot be read is reported and
    // the window stays closed.
    int exec() override;

    void FormCreate();
    // False, after telling the engineer, when the file cannot be read.
    bool FormShow();
    void Btn_OKClick();
    // Checks the enabled rows and the byte totals; the first fault is shown and gives false.
    bool Controllo_dati();
    void Btn_DelRowClick();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();
    void Btn_Import_EDSClick();
    // Grid events (Sender: the grid that fired).
    void DblClickCell(TDazStringGrid *Sender, int ARow, int ACol);
    void GridHint(TDazStringGrid *Sender, int ARow, int ACol, QString &hintstr);
    void KeyPress(TDazStringGrid *Sender, QChar &Key);
    void Set_Lang();

    // The table's cells as the grid holds them now, with the rows' configurations.
    void Take_Grid_Rows();

    QStringList Hint;
    bool Do_Copy = false;
    int Num_Byte_In = EtherNetIP_Max_Bytes;
    int Num_Byte_Out = EtherNetIP_Max_Bytes;
    TEtherNetIP_Rules Rules;
    TTargetConfig_Array &ArrTargetConf = Rules.ArrTargetConf;

    QFrame *P_Title;
    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    TDazColumnGrid *ACG;
    QFrame *P_Button;
    TLbButton *Btn_OK;
    TLbButton *Btn_Cancel;
    TLbButton *Btn_DelRow;
    TLbButton *Btn_InsRow;
    TLbButton *Btn_CopyRow;
    TLbButton *Btn_PasteRow;
    TLbButton *Btn_Import_EDS;

private:
    void Release_Configs();
};

extern TFEtherNetIP_Master_Access *FEtherNetIP_Master_Access;
