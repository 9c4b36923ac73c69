#pragma once
// "Import BACnet EDE File": lists the usable objects of another device's EDE file, lets the
// engineer choose which to import as read or write requests, and asks the device's address.
// The BACnet master editor reads List_EDE_Var and E_ID_IP after OK.
#include "editors/building/bacnet_ede_reader.h"

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class TDazColumnGrid;
class TDazStringGrid;
class TLbButton;

enum TImport_EDE_Col
{
    IE_N, IE_Import, IE_Read, IE_Write, IE_Name, IE_Object_Type, IE_Instance, IE_Description, IE_Commandable,
    IE_Col_Count
};

class TFImportEDEFile : public QDialog
{
    Q_OBJECT
public:
    explicit TFImportEDEFile(QWidget *parent = nullptr);

    int exec() override;   // runs FormShow first

    void Set_Lang();
    void FormShow();
    void Cancel_EDE_List_Vars() { List_EDE_Var.clear(); }
    // A file that cannot be read gives an empty list and a message.
    void Load_EDE_File();
    void Show_Data_in_Grid();
    void ACGCheckBoxClick(TDazStringGrid *Sender, int ACol, int ARow, bool State);
    void Btn_Select_AllClick() { Select_All(true); }
    void Btn_Unselect_AllClick() { Select_All(false); }
    void Btn_OKClick();

    // Set by the caller before the showing.
    QString EDE_File;
    int App_BACnet_Type = 0;   // 0 the device by IP address, 1 by serial slave ID

    std::vector<TBACnet_Var> List_EDE_Var;

    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    TDazColumnGrid *ACG;
    QFrame *P_ID_IP;
    QLabel *LID_IP;
    QLineEdit *E_ID_IP;
    TLbButton *Btn_OK;
    TLbButton *Btn_Cancel;
    TLbButton *Btn_Select_All;
    TLbButton *Btn_Unselect_All;

private:
    void Select_All(bool state);
};

extern TFImportEDEFile *FImportEDEFile;
