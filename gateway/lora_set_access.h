#pragma once
// The LoRaWAN rule editor: the uplink and downlink rules of LoRaWAN_SetAccess.xml in two
// tables, checked against the payload size and port mode of ParGen.xml before they are
// saved.
#include "gateway/lorawan_rules.h"

#include <QDialog>

class QFrame;
class QLabel;
class QTabWidget;
class TDazColumnGrid;
class TDazStringGrid;
class TLbButton;

class TFLoRa_Set_Access : public QDialog
{
    Q_OBJECT
public:
    explicit TFLoRa_Set_Access(QWidget *parent = nullptr);

    // Loads the files before the window opens; a file that cannot be read is reported and
    // the window stays closed.
    int exec() override;

    void FormCreate();
    // False, after telling the engineer, when a file cannot be read.
    bool FormShow();
    void Btn_OKClick();
    void Btn_DelRowClick();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();
    // Grid events (Sender: the grid that fired).
    void ClickCell(TDazStringGrid *Sender, int ARow, int ACol);
    void DblClickCell(TDazStringGrid *Sender, int ARow, int ACol);
    void KeyPress(TDazStringGrid *Sender, QChar &Key);
    void GridHint(TDazStringGrid *Sender, int ARow, int ACol, QString &hintstr);
    // Checks the enabled rules of both tables; the first fault is shown and gives false.
    bool Controllo_dati();
    void Set_Lang();

    // The rules as the tables hold them now.
    TLoRaWAN_Rules Grid_Rules();
    // The grid of the active page.
    TDazStringGrid *Active_Grid() const;

    QStringList Hint_UpLink;
    QStringList Hint_DownLink;
    int MaxPayloadSize = 0;
    bool FPortFixed = true;
    bool Do_Copy_Uplink = false;
    bool Do_Copy_Downlink = false;

    QFrame *P_Title;
    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QTabWidget *PC_LoRa;
    QWidget *TS_LoRa_Uplink;
    QWidget *TS_LoRa_Downlink;
    TDazColumnGrid *ACG_LoRa_Uplink;
    TDazColumnGrid *ACG_LoRa_Downlink;
    QFrame *P_Button;
    TLbButton *Btn_OK;
    TLbButton *Btn_Cancel;
    TLbButton *Btn_DelRow;
    TLbButton *Btn_InsRow;
    TLbButton *Btn_CopyRow;
    TLbButton *Btn_PasteRow;

private:
    void Connect_Grid(TDazColumnGrid *grid);
};

extern TFLoRa_Set_Access *FLoRa_Set_Access;
