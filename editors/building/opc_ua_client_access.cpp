#include "editors/building/opc_ua_client_access.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "app/tableediting.h"
#include "app/valuechecks.h"
#include "editors/building/building_grid.h"
#include "editors/building/opc_ua_add_server.h"
#include "editors/building/opc_ua_scan_server.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/rtl.h"
#include "platform/textcodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

TFOPC_UA_Client_Access *FOPC_UA_Client_Access = nullptr;

namespace {

QStringList Type_Items()
{
    QStringList out;
    for (int i = 0; i < 15; ++i)
        out << OPC_UA_Data_Type_Name(i);
    return out;
}

std::vector<TGrid_Col> Var_Cols(bool read)
{
    const QStringList node_types = {"Numeric", "String", "Guid", "ByteString"};
    std::vector<TGrid_Col> cols = {
        {-1, "N", TGrid_Cell::Text, 40, {}},
        {-1, "Enable", TGrid_Cell::Check, 50, {}},
        {-1, "Display Name", TGrid_Cell::Text, 150, {}},
        {-1, "Node Type", TGrid_Cell::Pick, 80, node_types},
        {-1, "Node ID", TGrid_Cell::Text, 150, {}},
        {-1, "Var Type", TGrid_Cell::Pick, 80, Type_Items()},
        {-1, "Name Space Index", TGrid_Cell::Text, 60, {}},
    };
    if (read)
        cols.insert(cols.end(), {{-1, "Var/Array", TGrid_Cell::Pick, 70, {"Variable", "Array"}},
                                 {-1, "Start", TGrid_Cell::Text, 50, {}},
                                 {-1, "Length", TGrid_Cell::Text, 50, {}}});
    else
        cols.insert(cols.end(), {{-1, "On Change", TGrid_Cell::Check, 60, {}},
                                 {-1, "On CMD", TGrid_Cell::Check, 60, {}},
                                 {-1, "On Timer", TGrid_Cell::Check, 60, {}}});
    cols.insert(cols.end(), {{-1, "Time (ms)", TGrid_Cell::Text, 60, {}},
                             {-1, "Position", TGrid_Cell::Text, 60, {}},
                             {-1, "Start Bit", TGrid_Cell::Pick, 60, Bit_Items()},
                             {-1, "Swap", TGrid_Cell::Check, 50, {}},
                             {-1, "Swap Word", TGrid_Cell::Check, 60, {}},
                             {-1, "Swap All", TGrid_Cell::Check, 60, {}},
                             {-1, "Mnemonic", TGrid_Cell::Text, 120, {}}});
    return cols;
}

// Headers and hints of the variable grids by real column (-1: no hint).
const int Read_Headers[] = {5445, 5446, 5447, 5448, 5449, 5450, 5451, 5513, 5514, 5515, 5452, 5453, 5529, 5505, 5506, 5525, 5454};
const int Read_Hints[] = {5455, 5456, 5457, 5458, 5459, 5460, 5516, 5517, 5518, 5461, 5462, 5530, 5507, 5508, 5526, 5463};
const int Write_Headers[] = {5464, 5465, 5466, 5467, 5468, 5469, 5470, 5471, 5472, 5473, 5474, 5475, 5531, 5509, 5510, 5527, 5476};
const int Write_Hints[] = {5477, 5478, 5479, 5480, 5481, 5482, 5484, 5483, 5485, 5486, 5487, 5532, 5511, 5512, 5528, 5488};

// The platform's integer parser; -1 for a text that does not parse.
int64_t Number(const QString &s)
{
    int64_t v;
    return TryStrToInt64(s, v) ? v : -1;
}

QString YN(bool b)
{
    return b ? QStringLiteral("Y") : QStringLiteral("N");
}

} // namespace

TFOPC_UA_Client_Access::TFOPC_UA_Client_Access(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FOPC_UA_Client_Access"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Set_Form_Look(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    P_Title = Create_Title_Panel(this, L_SW_Code, L_SW_Desc);
    layout->addWidget(P_Title);
    auto button = [](TLbButton *&b, QWidget *parent, QBoxLayout *row, const char *name) {
        b = new TLbButton(parent);
        b->setObjectName(QLatin1String(name));
        Set_Button_Look(b);
        b->setFixedSize(100, 28);
        row->addWidget(b);
    };
    auto *splitter = new QSplitter(Qt::Vertical, this);
    auto *servers = new QWidget;
    auto *server_layout = new QVBoxLayout(servers);
    auto *server_row = new QHBoxLayout;
    L_Server_List_Title = new QLabel(servers);
    L_Server_List_Title->setObjectName(QStringLiteral("L_Server_List_Title"));
    server_row->addWidget(L_Server_List_Title);
    server_row->addStretch(1);
    button(Btn_Add_Server, servers, server_row, "Btn_Add_Server");
    button(Btn_Modify_Server, servers, server_row, "Btn_Modify_Server");
    button(Btn_Delete_Server, servers, server_row, "Btn_Delete_Server");
    button(Btn_Scan_Server, servers, server_row, "Btn_Scan_Server");
    server_layout->addLayout(server_row);
    const std::vector<TGrid_Col> server_cols = {
        {-1, "N", TGrid_Cell::Text, 30, {}},           {-1, "Enable", TGrid_Cell::Check, 50, {}},
        {-1, "Server Address", TGrid_Cell::Read_Only, 200, {}}, {-1, "Authorization", TGrid_Cell::Read_Only, 120, {}},
        {-1, "User", TGrid_Cell::Read_Only, 80, {}},   {-1, "Password", TGrid_Cell::Read_Only, 80, {}},
        {-1, "Certificate", TGrid_Cell::Read_Only, 100, {}}, {-1, "Private Key", TGrid_Cell::Read_Only, 100, {}},
        {-1, "Security Type", TGrid_Cell::Read_Only, 100, {}}, {-1, "Security Policy", TGrid_Cell::Read_Only, 120, {}},
        {-1, "Mnemonic", TGrid_Cell::Read_Only, 120, {}}};
    ACG_OPC_UA_Server = New_Building_Grid(servers, "ACG_OPC_UA_Server", server_cols);
    ACG_OPC_UA_Server->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRowSelect, goColSizing});
    // The Enable box shows the server's flag; only the entry dialog changes it.
    ACG_OPC_UA_Server->Columns().Items(1)->SetReadOnly(true);
    server_layout->addWidget(ACG_OPC_UA_Server);
    splitter->addWidget(servers);

    auto *vars = new QWidget;
    auto *var_layout = new QVBoxLayout(vars);
    L_Variables_List_Title = new QLabel(vars);
    L_Variables_List_Title->setObjectName(QStringLiteral("L_Variables_List_Title"));
    var_layout->addWidget(L_Variables_List_Title);
    PC_OPC_UA_Vars = new QTabWidget(vars);
    PC_OPC_UA_Vars->setObjectName(QStringLiteral("PC_OPC_UA_Vars"));
    TS_OPC_UA_Var_Read = new QWidget;
    TS_OPC_UA_Var_Read->setObjectName(QStringLiteral("TS_OPC_UA_Var_Read"));
    TS_OPC_UA_Var_Write = new QWidget;
    TS_OPC_UA_Var_Write->setObjectName(QStringLiteral("TS_OPC_UA_Var_Write"));
    ACG_OPC_UA_Var_R = New_Building_Grid(TS_OPC_UA_Var_Read, "ACG_OPC_UA_Var_R", Var_Cols(true), Var_Rows);
    ACG_OPC_UA_Var_W = New_Building_Grid(TS_OPC_UA_Var_Write, "ACG_OPC_UA_Var_W", Var_Cols(false), Var_Rows);
    (new QVBoxLayout(TS_OPC_UA_Var_Read))->addWidget(ACG_OPC_UA_Var_R);
    (new QVBoxLayout(TS_OPC_UA_Var_Write))->addWidget(ACG_OPC_UA_Var_W);
    PC_OPC_UA_Vars->addTab(TS_OPC_UA_Var_Read, QStringLiteral("Variables in Read"));
    PC_OPC_UA_Vars->addTab(TS_OPC_UA_Var_Write, QStringLiteral("Variables in Write"));
    var_layout->addWidget(PC_OPC_UA_Vars);
    splitter->addWidget(vars);
    layout->addWidget(splitter, 1);

    P_Button = new QFrame(this);
    P_Button->setObjectName(QStringLiteral("P_Button"));
    P_Button->setFixedHeight(41);
    auto *buttons = new QHBoxLayout(P_Button);
    button(Btn_DelRow, P_Button, buttons, "Btn_DelRow");
    button(Btn_InsRow, P_Button, buttons, "Btn_InsRow");
    button(Btn_CopyRow, P_Button, buttons, "Btn_CopyRow");
    button(Btn_PasteRow, P_Button, buttons, "Btn_PasteRow");
    button(Btn_AutoPosition, P_Button, buttons, "Btn_AutoPosition");
    Btn_AutoPosition->SetCaption(QStringLiteral("Auto Pos"));
    buttons->addStretch(1);
    button(Btn_OK, P_Button, buttons, "Btn_OK");
    button(Btn_Cancel, P_Button, buttons, "Btn_Cancel");
    Btn_Cancel->SetModalResult(mrCancel);
    layout->addWidget(P_Button);

    Btn_OK->OnClick = [this](QObject *) { Btn_OKClick(); };
    Btn_Add_Server->OnClick = [this](QObject *) { Add_Server(); };
    Btn_Modify_Server->OnClick = [this](QObject *) { Modify_Server(); };
    Btn_Delete_Server->OnClick = [this](QObject *) { Delete_Server(); };
    Btn_Scan_Server->OnClick = [this](QObject *) { Scan_Server(); };
    Btn_AutoPosition->OnClick = [this](QObject *) { Btn_AutoPositionClick(); };
    Btn_DelRow->OnClick = [this](QObject *) { Btn_DelRowClick(); };
    Btn_InsRow->OnClick = [this](QObject *) { Btn_InsRowClick(); };
    Btn_CopyRow->OnClick = [this](QObject *) { Btn_CopyRowClick(); };
    Btn_PasteRow->OnClick = [this](QObject *) { Btn_PasteRowClick(); };
    ACG_OPC_UA_Server->OnClickCell = [this](TObject *, int ARow, int ACol) { ACG_OPC_UA_ServerClickCell(ARow, ACol); };
    // A server chosen with the keyboard shows its variables as a clicked one does. The
    // grid reports the new row before its current row has moved.
    ACG_OPC_UA_Server->OnRowChanged = [this](TObject *, int, int NewRow) {
        if (!Filling_Servers && NewRow - 1 != Shown_Server)
            ACG_OPC_UA_ServerClickCell(NewRow, 0);
    };
    ACG_OPC_UA_Server->OnDblClickCell = [this](TObject *, int ARow, int ACol) { ACG_OPC_UA_ServerDblClickCell(ARow, ACol); };
    for (TDazColumnGrid *grid : {ACG_OPC_UA_Server, ACG_OPC_UA_Var_R, ACG_OPC_UA_Var_W}) {
        grid->SetShowHint(true);
        grid->OnGridHint = [this, grid](TObject *, int ARow, int ACol, QString &hint) { GridHint(grid, ARow, ACol, hint); };
    }
    for (TDazColumnGrid *grid : {ACG_OPC_UA_Var_R, ACG_OPC_UA_Var_W}) {
        grid->OnClickCell = [grid](TObject *, int ARow, int ACol) {
            if (ACol == 0 && ARow > 0)
                grid->SelectRows(ARow, 1);
        };
        grid->OnDblClickCell = [grid](TObject *, int ARow, int ACol) { Grid_Auto_Size_Column(*grid, ARow, ACol); };
        grid->OnKeyPress = [grid](TObject *, QChar &Key) { Grid_Enter_Next_Cell(*grid, Key); };
        grid->installEventFilter(this);
    }

    L_SW_Code->setText(SW_Code);
    resize(1150, 660);
    Set_Lang();
}

TFOPC_UA_Client_Access::~TFOPC_UA_Client_Access() = default;

void TFOPC_UA_Client_Access::Set_Lang()
{
    setWindowTitle(Lang_Text(5400));
    L_SW_Desc->setText(Lang_Text(5401));
    L_Server_List_Title->setText(Lang_Text(5402));
    const std::pair<TLbButton *, int> server_buttons[] = {
        {Btn_Add_Server, 5403}, {Btn_Modify_Server, 5404}, {Btn_Delete_Server, 5405}, {Btn_Scan_Server, 5406}};
    for (const auto &[b, text] : server_buttons) {
        b->SetCaption(Lang_Text(text));
        b->SetHint(Lang_Text(text + 4));
    }
    L_Variables_List_Title->setText(Lang_Text(5432));
    const std::pair<TLbButton *, int> pattern[] = {{Btn_OK, 5433},     {Btn_Cancel, 5434}, {Btn_DelRow, 5435},
                                                   {Btn_InsRow, 5436}, {Btn_CopyRow, 5437}, {Btn_PasteRow, 5438}};
    for (const auto &[b, text] : pattern) {
        b->SetCaption(Lang_Text(text));
        b->SetHint(Lang_Text(text + 6));
    }
    Hint_Server_List.clear();
    for (int c = 0; c < 11; ++c) {
        ACG_OPC_UA_Server->SetCellEx(c, 0, Lang_Text(5411 + c));
        if (c > 0)
            Hint_Server_List << Lang_Text(5421 + c);
    }
    Hint_Var_R_List.clear();
    Hint_Var_W_List.clear();
    for (int c = 0; c < OV_Col_Count; ++c) {
        ACG_OPC_UA_Var_R->SetCellEx(c, 0, Lang_Text(Read_Headers[c]));
        ACG_OPC_UA_Var_W->SetCellEx(c, 0, Lang_Text(Write_Headers[c]));
        if (c > 0) {
            Hint_Var_R_List << Lang_Text(Read_Hints[c - 1]);
            Hint_Var_W_List << Lang_Text(Write_Hints[c - 1]);
        }
    }
}

int TFOPC_UA_Client_Access::exec()
{
    FormShow();
    return QDialog::exec();
}

void TFOPC_UA_Client_Access::reject()
{
    done(mrCancel);
}

TFOPC_UA_Add_Server &TFOPC_UA_Client_Access::Add_Dialog()
{
    if (FOPC_UA_Add_Server)
        return *FOPC_UA_Add_Server;
    if (!own_add_)
        own_add_ = new TFOPC_UA_Add_Server(this);
    return *own_add_;
}

TFOPC_UA_Scan_Server &TFOPC_UA_Client_Access::Scan_Dialog()
{
    if (FOPC_UA_Scan_Server)
        return *FOPC_UA_Scan_Server;
    if (!own_scan_)
        own_scan_ = new TFOPC_UA_Scan_Server(this);
    return *own_scan_;
}

// ---------------------------------------------------------------------------------------
// Showing, grids and the model

void TFOPC_UA_Client_Access::Erase_Var_Grid(TDazColumnGrid &grid)
{
    grid.BeginUpdate();
    grid.SetRowCount(Var_Rows + 1);
    for (int r = 1; r <= Var_Rows; ++r) {
        grid.SetCellEx(OV_N, r, QString::number(r));
        grid.SetCellEx(OV_Enable, r, QStringLiteral("Y"));
        for (int c = OV_DisplayName; c < OV_Col_Count; ++c)
            grid.SetCellEx(c, r, QString());
    }
    grid.EndUpdate();
}

void TFOPC_UA_Client_Access::FormShow()
{
    const QScopedValueRollback filling(Filling_Servers, true);
    ACG_OPC_UA_Server->SetRowCount(2);
    for (int c = 0; c < ACG_OPC_UA_Server->AllColCount(); ++c)
        ACG_OPC_UA_Server->SetCellEx(c, 1, QString());
    Erase_Var_Grid(*ACG_OPC_UA_Var_R);
    Erase_Var_Grid(*ACG_OPC_UA_Var_W);
    Shown_Server = -1;
    OPC_UA_Server_List.clear();
    Load_Incomplete = false;
    bool loaded = true;
    if (File_Exists(Path_OPC_UA_Client)) {
        try {
            Read_OPC_UA_Client(Path_OPC_UA_Client, OPC_UA_Server_List);
        } catch (const std::exception &e) {
            Load_Incomplete = true;
            loaded = false;
            MessageError(QString::fromUtf8(e.what()), {}, this);
        }
    }
    // After a load that stopped early the grids keep their reset state.
    if (loaded) {
        Show_OPC_UA_Server_List();
        Show_OPC_UA_Var_List();
    }
    Do_Copy_Read = Do_Copy_Write = false;
    Ind_Server = -1;
}

int TFOPC_UA_Client_Access::Selected_Server() const
{
    const int i = ACG_OPC_UA_Server->Row() - 1;
    return i >= 0 && i < int(OPC_UA_Server_List.size()) ? i : -1;
}

void TFOPC_UA_Client_Access::Show_OPC_UA_Server_List()
{
    const QScopedValueRollback filling(Filling_Servers, true);
    TDazColumnGrid &g = *ACG_OPC_UA_Server;
    const int n = int(OPC_UA_Server_List.size());
    g.SetRowCount(std::max(n, 1) + 1);
    if (n == 0)
        for (int c = 0; c < g.AllColCount(); ++c)
            g.SetCellEx(c, 1, QString());
    for (int i = 0; i < n; ++i) {
        const TOPC_UA_Server &s = *OPC_UA_Server_List[size_t(i)];
        const QString cells[] = {QString::number(i + 1), YN(s.Enable), s.ServerAddress, s.Authorization, s.UserName,
                                 s.Password, s.Certificate, s.PrivateKey, s.SecurityType, s.SecurityPolicy, s.Mnemonic};
        for (int c = 0; c < 11; ++c)
            g.SetCellEx(c, i + 1, cells[c]);
    }
}

void TFOPC_UA_Client_Access::Fill_Var_Grid(TDazColumnGrid &grid, const TOPC_UA_Variable_List &list, bool read)
{
    grid.BeginUpdate();
    // A server may hold more variables than the grid's rows after several browses: the grid
    // grows so that storing it loses none.
    grid.SetRowCount(std::max<int>(Var_Rows, int(list.size())) + 1);
    for (int i = 0; i < int(list.size()); ++i) {
        const TOPC_UA_Variable &v = *list[size_t(i)];
        const int r = i + 1;
        const QString cells[OV_Col_Count] = {
            QString::number(r), YN(v.Enable), v.DispalyName, v.GetNodeType(), v.GetNodeID(), v.GetVarType(),
            QString::number(v.nameSpaceIndex), read ? v.VarArray : v.OnChange, read ? v.Start : v.OnCMD,
            read ? v.Len : v.OnTimer, v.Time, v.Position, v.StartBit, YN(v.Swap), YN(v.Swap_Word), YN(v.Swap_All),
            v.Mnemonic};
        for (int c = 0; c < OV_Col_Count; ++c)
            grid.SetCellEx(c, r, cells[c]);
    }
    grid.EndUpdate();
}

void TFOPC_UA_Client_Access::Show_OPC_UA_Var_List(int Server)
{
    Erase_Var_Grid(*ACG_OPC_UA_Var_R);
    Erase_Var_Grid(*ACG_OPC_UA_Var_W);
    if (Server < 0)
        Server = Selected_Server();
    Shown_Server = Server >= 0 && Server < int(OPC_UA_Server_List.size()) ? Server : -1;
    if (Shown_Server < 0)
        return;
    const TOPC_UA_Server &s = *OPC_UA_Server_List[size_t(Shown_Server)];
    Fill_Var_Grid(*ACG_OPC_UA_Var_R, s.Var_List_R, true);
    Fill_Var_Grid(*ACG_OPC_UA_Var_W, s.Var_List_W, false);
}

void TFOPC_UA_Client_Access::Save_Variables(TDazColumnGrid &grid, TOPC_UA_Variable_List &list, bool read)
{
    while (!list.empty())
        list.pop_back();
    for (int r = 1; r < grid.RowCount() && !grid.GetCellEx(OV_DisplayName, r).isEmpty(); ++r) {
        auto v = std::make_unique<TOPC_UA_Variable>();
        const auto cell = [&grid, r](int c) { return grid.GetCellEx(c, r); };
        v->Enable = cell(OV_Enable) == QLatin1String("Y");
        v->DispalyName = cell(OV_DisplayName);
        v->SetNodeType(cell(OV_NodeType));
        v->SetNodeID(cell(OV_NodeID));
        v->SetVarType(cell(OV_VarType));
        int ns;
        v->nameSpaceIndex = uint16_t(TryStrToInt(cell(OV_NameSpace), ns) ? ns : 0);
        v->Time = cell(OV_Time);
        v->Position = cell(OV_Position);
        v->StartBit = cell(OV_StartBit);
        v->Swap = cell(OV_Swap) == QLatin1String("Y");
        v->Swap_Word = cell(OV_SwapWord) == QLatin1String("Y");
        v->Swap_All = cell(OV_SwapAll) == QLatin1String("Y");
        v->Mnemonic = cell(OV_Mnemonic);
        if (read) {
            v->VarArray = cell(OV_7);
            v->Start = cell(OV_8);
            v->Len = cell(OV_9);
            v->OnChange = v->OnCMD = v->OnTimer = QStringLiteral("N");
        } else {
            v->OnChange = cell(OV_7);
            v->OnCMD = cell(OV_8);
            v->OnTimer = cell(OV_9);
        }
        list.push_back(std::move(v));
    }
}

void TFOPC_UA_Client_Access::Store_Var_Grids()
{
    if (Shown_Server < 0 || Shown_Server >= int(OPC_UA_Server_List.size()))
        return;
    TOPC_UA_Server &s = *OPC_UA_Server_List[size_t(Shown_Server)];
    Save_Variables(*ACG_OPC_UA_Var_R, s.Var_List_R, true);
    Save_Variables(*ACG_OPC_UA_Var_W, s.Var_List_W, false);
}

bool TFOPC_UA_Client_Access::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && (watched == ACG_OPC_UA_Var_R || watched == ACG_OPC_UA_Var_W))
        Ind_Server = Selected_Server();
    else if (event->type() == QEvent::FocusOut && (watched == ACG_OPC_UA_Var_R || watched == ACG_OPC_UA_Var_W)) {
        Store_Var_Grids();
        Ind_Server = -1;
    }
    return QDialog::eventFilter(watched, event);
}

TDazColumnGrid *TFOPC_UA_Client_Access::Active_Var_Grid() const
{
    return PC_OPC_UA_Vars->currentWidget() == TS_OPC_UA_Var_Write ? ACG_OPC_UA_Var_W : ACG_OPC_UA_Var_R;
}

void TFOPC_UA_Client_Access::ACG_OPC_UA_ServerClickCell(int ARow, int)
{
    if (ARow <= 0)
        return;
    Store_Var_Grids();
    Show_OPC_UA_Var_List(ARow - 1);
}

void TFOPC_UA_Client_Access::ACG_OPC_UA_ServerDblClickCell(int ARow, int)
{
    if (ARow < 0)
        Add_Server();
    else
        Modify_Server();
}

void TFOPC_UA_Client_Access::GridHint(TDazStringGrid *Sender, int ARow, int ACol, QString &hintstr)
{
    hintstr.clear();
    const int c = Sender->RealColIndex(ACol);
    if (ARow != 0 || c < 1)
        return;
    const QStringList &hints = Sender == ACG_OPC_UA_Server ? Hint_Server_List
                               : Sender == ACG_OPC_UA_Var_R ? Hint_Var_R_List
                                                            : Hint_Var_W_List;
    hintstr = hints.value(c - 1);
}

// ---------------------------------------------------------------------------------------
// Row buttons

void TFOPC_UA_Client_Access::Btn_DelRowClick()
{
    TDazColumnGrid *grid = Active_Var_Grid();
    const int row = grid->Row();
    if (!MessageYesNo(Lang_Text(5493) + QString::number(row), {}, this))
        return;
    Grid_Delete_Row(row, *grid);
    Store_Var_Grids();
}

void TFOPC_UA_Client_Access::Btn_InsRowClick()
{
    TDazColumnGrid *grid = Active_Var_Grid();
    Grid_Insert_Row(grid->Row(), *grid, true);
    Store_Var_Grids();
}

void TFOPC_UA_Client_Access::Btn_CopyRowClick()
{
    TDazColumnGrid *grid = Active_Var_Grid();
    Grid_Copy_Row(*grid, grid->Row());
    Do_Copy_Read = grid == ACG_OPC_UA_Var_R;
    Do_Copy_Write = grid == ACG_OPC_UA_Var_W;
}

void TFOPC_UA_Client_Access::Btn_PasteRowClick()
{
    TDazColumnGrid *grid = Active_Var_Grid();
    Grid_Paste_Row(*grid, grid->Row(), grid == ACG_OPC_UA_Var_R ? Do_Copy_Read : Do_Copy_Write);
    Store_Var_Grids();
}

// ---------------------------------------------------------------------------------------
// Servers

void TFOPC_UA_Client_Access::Server_From_Dialog(TOPC_UA_Server &s, TFOPC_UA_Add_Server &d)
{
    s.Enable = d.CB_OPC_UA_Server_Enable->isChecked();
    s.ServerAddress = d.E_Server_Add->text();
    s.UserName = d.E_User->text();
    s.Password = d.E_Pass->text();
    s.Certificate = d.RE_Certificate->toPlainText();
    s.PrivateKey = d.RE_Priv_Key->toPlainText();
    s.Mnemonic = d.E_Mnemonic->text();
    s.Authorization = OPC_UA_Token_Type_Name(d.CB_Auth->currentIndex());
    s.SecurityType = OPC_UA_Security_Mode_Name(d.CB_Sec_Type->currentIndex());
    s.SecurityPolicy = OPC_UA_Security_Policy_Name(d.CB_Sec_Policy->currentIndex());
}

void TFOPC_UA_Client_Access::Add_Server()
{
    TFOPC_UA_Add_Server &d = Add_Dialog();
    d.FormType = 1;
    if ((Run_Add_Server ? Run_Add_Server(d) : d.exec()) == mrOk) {
        Store_Var_Grids();
        auto s = std::make_unique<TOPC_UA_Server>();
        Server_From_Dialog(*s, d);
        OPC_UA_Server_List.push_back(std::move(s));
    }
    Show_OPC_UA_Server_List();
    // Grids that show no server's lists are the selected server's from now on when that
    // server has none (the first one added); otherwise they show its lists, so what is
    // typed next is stored into the server it is typed for.
    if (Shown_Server < 0) {
        const int i = Selected_Server();
        if (i >= 0 && OPC_UA_Server_List[size_t(i)]->Var_List_R.empty() && OPC_UA_Server_List[size_t(i)]->Var_List_W.empty())
            Shown_Server = i;
        else
            Show_OPC_UA_Var_List();
    }
}

void TFOPC_UA_Client_Access::Modify_Server()
{
    const int i = Selected_Server();
    if (i < 0)
        return;
    TOPC_UA_Server &s = *OPC_UA_Server_List[size_t(i)];
    TFOPC_UA_Add_Server &d = Add_Dialog();
    d.FormType = 2;
    d.CB_OPC_UA_Server_Enable->setChecked(s.Enable);
    d.E_Server_Add->setText(s.ServerAddress);
    d.E_User->setText(s.UserName);
    d.E_Pass->setText(s.Password);
    d.RE_Certificate->setPlainText(s.Certificate);
    d.RE_Priv_Key->setPlainText(s.PrivateKey);
    d.E_Mnemonic->setText(s.Mnemonic);
    d.CB_Auth->setCurrentIndex(OPC_UA_Token_Type_Code(s.Authorization));
    d.CB_Sec_Type->setCurrentIndex(OPC_UA_Security_Mode_Code(s.SecurityType));
    d.CB_Sec_Policy->setCurrentIndex(OPC_UA_Security_Policy_Code(s.SecurityPolicy));
    if ((Run_Add_Server ? Run_Add_Server(d) : d.exec()) == mrOk)
        Server_From_Dialog(s, d);
    Show_OPC_UA_Server_List();
}

void TFOPC_UA_Client_Access::Delete_Server()
{
    const int i = Selected_Server();
    if (i < 0 || MessageYesNoCancel(Lang_Text(5489), {}, this) != TMsgResult::Yes)
        return;
    OPC_UA_Server_List.erase(OPC_UA_Server_List.begin() + i);
    Show_OPC_UA_Server_List();
    // No server is selected now: nothing typed is stored into the server that moved up.
    Shown_Server = -1;
    {
        const QScopedValueRollback filling(Filling_Servers, true);
        ACG_OPC_UA_Server->SetRow(std::min(ACG_OPC_UA_Server->RowCount() - 1, 1));
    }
    Erase_Var_Grid(*ACG_OPC_UA_Var_R);
    Erase_Var_Grid(*ACG_OPC_UA_Var_W);
}

void TFOPC_UA_Client_Access::Scan_Server()
{
    const int i = Selected_Server();
    if (i < 0) {
        MessageError(Lang_Text(5490), {}, this);
        return;
    }
    Store_Var_Grids();
    TOPC_UA_Server &s = *OPC_UA_Server_List[size_t(i)];
    // The texts stay alive until the dialog has closed.
    const QByteArray address = Encode_Windows1252(s.ServerAddress), user = Encode_Windows1252(s.UserName),
                     pass = Encode_Windows1252(s.Password), cert = Encode_Windows1252(s.Certificate),
                     key = Encode_Windows1252(s.PrivateKey);
    TFOPC_UA_Scan_Server &d = Scan_Dialog();
    d.Server.server_address = address.constData();
    d.Server.user_pass_auth_flag = OPC_UA_Token_Type_Code(s.Authorization);
    d.Server.username = user.constData();
    d.Server.password = pass.constData();
    d.Server.cert = cert.constData();
    d.Server.priv_key = key.constData();
    d.Server.security_type = OPC_UA_Security_Mode_Code(s.SecurityType);
    d.Server.security_policy = OPC_UA_Security_Policy_Code(s.SecurityPolicy);
    const int result = Run_Scan_Server ? Run_Scan_Server(d) : d.exec();
    d.Server = opcua_server_to_discover();
    if (result != mrOk)
        return;
    if (!d.List_Var.empty()) {
        const struct { TOPC_UA_Variable_List &List; int Col; int Question; } lists[] = {
            {s.Var_List_R, 1, 5491}, {s.Var_List_W, 2, 5492}};
        for (const auto &l : lists) {
            if (!l.List.empty()) {
                const TMsgResult answer = MessageYesNoCancel(Lang_Text(l.Question), {}, this);
                if (answer == TMsgResult::Cancel)
                    continue;
                if (answer == TMsgResult::No)
                    l.List.clear();
            }
            for (int r = 0; r < int(d.List_Var.size()); ++r) {
                if (d.ACG_OPC_UA_Scan_Var->GetCellEx(l.Col, r + 1) != QLatin1String("Y"))
                    continue;
                const TOPC_UA_Browsed &b = d.List_Var[size_t(r)];
                auto v = std::make_unique<TOPC_UA_Variable>();
                v->Enable = true;
                v->nameSpaceIndex = b.Record.nameSpaceIndex;
                v->identifierType = b.Record.identifierType;
                v->numeric = b.Record.numeric;
                v->guide1 = b.Record.guide1;
                v->guide2 = b.Record.guide2;
                v->guide3 = b.Record.guide3;
                std::copy(std::begin(b.Record.guide4), std::end(b.Record.guide4), v->guide4.begin());
                v->dataType = b.Record.dataType;
                v->DispalyName = b.displayName;
                v->stringname = b.stringname;
                v->byteString = b.byteString;
                l.List.push_back(std::move(v));
            }
        }
    }
    Show_OPC_UA_Var_List();
}

void TFOPC_UA_Client_Access::Btn_AutoPositionClick()
{
    const int i = Selected_Server();
    if (i < 0)
        return;
    Store_Var_Grids();
    if (!MessageYesNo(Lang_Text(5494), {}, this))
        return;
    auto end_of = [this](const TOPC_UA_Variable_List &list) {
        int64_t end = 0;
        for (const auto &v : list) {
            const int64_t pos = Number(v->Position);
            end = std::max(end, std::max<int64_t>(pos, 0) + GetLenVarType(v->GetVarType()));
        }
        return end;
    };
    int64_t sp_read = 0, sp_write = 0;
    if (i > 0) {
        sp_read = end_of(OPC_UA_Server_List[size_t(i) - 1]->Var_List_R);
        sp_write = end_of(OPC_UA_Server_List[size_t(i) - 1]->Var_List_W);
    }
    TOPC_UA_Server &s = *OPC_UA_Server_List[size_t(i)];
    for (auto &v : s.Var_List_R) {
        v->Position = QString::number(sp_read);
        sp_read += GetLenVarType(v->GetVarType());
    }
    for (auto &v : s.Var_List_W) {
        v->Position = QString::number(sp_write);
        sp_write += GetLenVarType(v->GetVarType());
    }
    Show_OPC_UA_Var_List();
}

// ---------------------------------------------------------------------------------------
// Check and save

QString TFOPC_UA_Client_Access::Check_Variable(const TOPC_UA_Variable &v, bool read, int server, int var) const
{
    const auto text = [server, var](int n) { return Format(Lang_Text(n), {server, var}); };
    const auto empty = [](const QString &s) { return Trim(s).isEmpty(); };
    // Time (each text followed by its range text), Position and Start Bit, alike in both lists.
    const auto time_position = [&](bool check_time, int time_text, int position_text, int bit_text) -> QString {
        if (check_time) {
            if (empty(v.Time))
                return text(time_text);
            if (Number(v.Time) < 1)
                return text(time_text + 1);
        }
        if (empty(v.Position))
            return text(position_text);
        const int64_t pos = Number(v.Position);
        if (pos < 0 || pos > Max_Position)
            return Format(Lang_Text(position_text + 1), {server, var, Max_Position});
        if (empty(v.StartBit))
            return text(bit_text);
        const int64_t bit = Number(v.StartBit);
        if (bit < 0 || bit > 7)
            return text(bit_text + 1);
        return QString();
    };
    if (read) {
        if (empty(v.VarArray))
            return text(5519);
        const bool array = UpperCase(Trim(v.VarArray)) == QLatin1String("ARRAY");
        const QString type = v.GetVarType();
        const bool stringish = type == QLatin1String("String") || type == QLatin1String("ByteString");
        if (!array && stringish) {
            if (Number(v.Start) < 0)
                return text(5520);
            if (Number(v.Len) < 0)
                return text(5521);
        }
        if (array) {
            if (stringish)
                return text(5522);
            if (Number(v.Start) < 0)
                return text(5523);
            if (Number(v.Len) < 0)
                return text(5524);
        }
        return time_position(true, 5497, 5499, 5533);
    }
    return time_position(v.OnTimer == QLatin1String("Y"), 5501, 5503, 5535);
}

bool TFOPC_UA_Client_Access::Controllo_Dati()
{
    for (int s = 0; s < int(OPC_UA_Server_List.size()); ++s) {
        const TOPC_UA_Server &server = *OPC_UA_Server_List[size_t(s)];
        for (const bool read : {true, false}) {
            const TOPC_UA_Variable_List &list = read ? server.Var_List_R : server.Var_List_W;
            for (int v = 0; v < int(list.size()); ++v) {
                if (!list[size_t(v)]->Enable)
                    continue;
                const QString error = Check_Variable(*list[size_t(v)], read, s + 1, v + 1);
                if (!error.isEmpty()) {
                    MessageError(error, {}, this);
                    return false;
                }
            }
        }
    }
    return true;
}

void TFOPC_UA_Client_Access::Btn_OKClick()
{
    Store_Var_Grids();
    if (!Controllo_Dati())
        return;
    if (Load_Incomplete
        && !MessageYesNo(QStringLiteral("The OPC UA client file could not be read completely. Do you want to save "
                                        "only the servers that were read?"),
                         {}, this))
        return;
    try {
        Write_OPC_UA_Client(OPC_UA_Server_List, Path_OPC_UA_Client);
    } catch (const std::exception &e) {
        MessageError(QString::fromUtf8(e.what()), {}, this);
        return;
    }
    done(mrOk);
}
