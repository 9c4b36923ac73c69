#pragma once
// The EtherNet/IP EDS connection chooser: reads EDS_FileName, lists the connections it
// decodes and lets the engineer pick one (the selected row, Row). With no usable connection
// it tells so and closes itself with Cancel. The reader's results (List_Conn and the device
// identity) stay until the next showing, for the caller to take after the dialog closed.
#include "gateway/eds_reader.h"

#include <QDialog>

class QFrame;
class QLabel;
class QTimer;
class TDazColumnGrid;
class TLbButton;

class TFEtherNEtIP_EDS : public QDialog, public TEDS_Reader
{
    Q_OBJECT
public:
    explicit TFEtherNEtIP_EDS(QWidget *parent = nullptr);

    // Reads the file before the window opens; a file that cannot be read is reported and
    // the window stays closed.
    int exec() override;

    void FormCreate();
    // False, after telling the engineer, when the file exists but cannot be read.
    bool FormShow();
    void ShowDatainGrid();
    void TCloseTimer();
    void Set_Lang();

    // The List_Conn entry of the selected row, -1 when none.
    int Chosen_Connection() const;

    QFrame *P_Title;
    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    TDazColumnGrid *ACG;
    QFrame *P_Button;
    TLbButton *Btn_OK;
    TLbButton *Btn_Cancel;
    QTimer *TClose;
};

extern TFEtherNEtIP_EDS *FEtherNEtIP_EDS;
