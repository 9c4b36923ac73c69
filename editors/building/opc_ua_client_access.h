#pragma once
// The OPC UA client editor: the servers the gateway's OPC UA client polls, each with the
// variables it reads and those it writes, entered through the server entry dialog, typed
// into the variable grids or browsed, placed in the data array automatically, checked and
// saved in OPC_UA_Client.xml. The grids show the model of one server at a time; what is typed
// reaches the model before it is checked, saved, browsed or placed, and before another server
// is shown.
#include "editors/building/opc_ua_client_model.h"

#include <QDialog>
#include <functional>

class QFrame;
class QLabel;
class QTabWidget;
class TDazColumnGrid;
class TDazStringGrid;
class TFOPC_UA_Add_Server;
class TFOPC_UA_Scan_Server;
class TLbButton;

// Real columns of the variable grids.
enum TOPC_UA_Var_Col
{
    OV_N, OV_Enable, OV_DisplayName, OV_NodeType, OV_NodeID, OV_VarType, OV_NameSpace, OV_7, OV_8, OV_9,
    OV_Time, OV_Position, OV_StartBit, OV_Swap, OV_SwapWord, OV_SwapAll, OV_Mnemonic, OV_Col_Count
};

class TFOPC_UA_Client_Access : public QDialog
{
    Q_OBJECT
public:
    explicit TFOPC_UA_Client_Access(QWidget *parent = nullptr);
    ~TFOPC_UA_Client_Access() override;

    static constexpr int Var_Rows = 1024;
    static constexpr int Max_Position = 1499;

    int exec() override;   // FormShow, then the modal loop
    void FormShow();
    void Set_Lang();
    bool Controllo_Dati();
    void Btn_OKClick();
    void Add_Server();
    void Modify_Server();
    void Delete_Server();
    void Scan_Server();
    void Btn_AutoPositionClick();
    void Btn_DelRowClick();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();
    void ACG_OPC_UA_ServerClickCell(int ARow, int ACol);
    void ACG_OPC_UA_ServerDblClickCell(int ARow, int ACol);
    void GridHint(TDazStringGrid *Sender, int ARow, int ACol, QString &hintstr);
    void Show_OPC_UA_Server_List();
    // The lists of the server at index Server (the selected one when -1).
    void Show_OPC_UA_Var_List(int Server = -1);
    // The variable grids into the lists of the server they show.
    void Store_Var_Grids();
    int Selected_Server() const;
    int GetLenVarType(const QString &type_name) const { return ::GetLenVarType(type_name); }

    // The dialogs, shown modally; tests put scripts in their place.
    std::function<int(TFOPC_UA_Add_Server &)> Run_Add_Server;
    std::function<int(TFOPC_UA_Scan_Server &)> Run_Scan_Server;

    TOPC_UA_Server_List OPC_UA_Server_List;
    int Ind_Server = -1;
    int Shown_Server = -1;           // the server whose lists the variable grids show
    bool Do_Copy_Read = false, Do_Copy_Write = false;
    bool Load_Incomplete = false;    // the last reading stopped early
    bool Filling_Servers = false;    // the window itself moves the server grid's row
    QStringList Hint_Server_List, Hint_Var_R_List, Hint_Var_W_List;

    QFrame *P_Title, *P_Button;
    QLabel *L_SW_Code, *L_SW_Desc, *L_Server_List_Title, *L_Variables_List_Title;
    TDazColumnGrid *ACG_OPC_UA_Server, *ACG_OPC_UA_Var_R, *ACG_OPC_UA_Var_W;
    QTabWidget *PC_OPC_UA_Vars;
    QWidget *TS_OPC_UA_Var_Read, *TS_OPC_UA_Var_Write;
    TLbButton *Btn_Add_Server, *Btn_Modify_Server, *Btn_Delete_Server, *Btn_Scan_Server, *Btn_AutoPosition;
    TLbButton *Btn_OK, *Btn_Cancel, *Btn_DelRow, *Btn_InsRow, *Btn_CopyRow, *Btn_PasteRow;

protected:
    void reject() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Erase_Var_Grid(TDazColumnGrid &grid);
    void Fill_Var_Grid(TDazColumnGrid &grid, const TOPC_UA_Variable_List &list, bool read);
    void Save_Variables(TDazColumnGrid &grid, TOPC_UA_Variable_List &list, bool read);
    TDazColumnGrid *Active_Var_Grid() const;
    TFOPC_UA_Add_Server &Add_Dialog();
    TFOPC_UA_Scan_Server &Scan_Dialog();
    void Server_From_Dialog(TOPC_UA_Server &s, TFOPC_UA_Add_Server &d);
    QString Check_Variable(const TOPC_UA_Variable &v, bool read, int server, int var) const;

    TFOPC_UA_Add_Server *own_add_ = nullptr;
    TFOPC_UA_Scan_Server *own_scan_ = nullptr;
};

extern TFOPC_UA_Client_Access *FOPC_UA_Client_Access;
