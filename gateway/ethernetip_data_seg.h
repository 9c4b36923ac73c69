#pragma once
// The EtherNet/IP data segment editor: one row per parameter of a target configuration,
// the value column typed or, for an enumeration, chosen from its descriptions. It works on
// TC, a copy the caller owns; OK stores the checked values into it.
#include "grid/base/gridenums.h"

#include <QDialog>

class QFrame;
class QLabel;
class TDazStringGrid;
class TLbButton;
struct TTargetConfig;

class TFEtherNetIP_Data_Seg : public QDialog
{
    Q_OBJECT
public:
    explicit TFEtherNetIP_Data_Seg(QWidget *parent = nullptr);

    // Fills the table from TC before the window opens.
    int exec() override;

    void FormCreate();
    void Set_Lang();
    void Init_Table();
    void FormShow();
    // Column 4 of a parameter row: a drop-down list of an enumeration's descriptions, else
    // a plain editor; the combo's items are emptied first.
    void RUD_DataSegGetEditorType(TDazStringGrid *Sender, int ACol, int ARow, TEditorType &AEditor);
    void RUD_DataSegComboChange(TDazStringGrid *Sender, int ACol, int ARow, int AItemIndex,
                                const QString &ASelection);
    void Btn_OKClick();
    // Checks the typed values and stores them into TC when all pass; the first fault is
    // shown and gives false.
    bool Check_Value();

    TTargetConfig *TC = nullptr;

    QFrame *P_Title;
    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    TDazStringGrid *RUD_DataSeg;
    QFrame *P_Button;
    TLbButton *Btn_OK;
    TLbButton *Btn_Cancel;
};

extern TFEtherNetIP_Data_Seg *FEtherNetIP_Data_Seg;
