#include "gateway/lora_set_access.h"

#include "app/comon.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "app/tableediting.h"
#include "gateway/rule_grid.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"
#include "platform/xml.h"

#include <QFrame>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

TFLoRa_Set_Access *FLoRa_Set_Access = nullptr;

namespace {

constexpr TColor Enable_Color = 0xB0D8FF;    // #FFD8B0
constexpr TColor Bytes_Color = 0xFEFAE0;     // #E0FAFE
constexpr TColor Trigger_Color = 0xA8FFA8;   // #A8FFA8
constexpr TColor FPort_Color = 0xF4D6FC;     // #FCD6F4

const TRule_Columns Uplink_Columns = {
    {1216, 40},
    {1217, 50, Enable_Color, true},
    {1218, 80, Bytes_Color},
    {1219, 80, Bytes_Color},
    {1220, 70, Trigger_Color, true},
    {1221, 55, Trigger_Color, true},
    {1222, 65, Trigger_Color, true},
    {1223, 80, Trigger_Color},
    {1250, 60, FPort_Color},
    {1224, 280, clWhite},
};
const TRule_Columns Downlink_Columns = {
    {1233, 40},
    {1234, 50, Enable_Color, true},
    {1235, 80, Bytes_Color},
    {1236, 80, Bytes_Color},
    {1252, 60, FPort_Color},
    {1237, 550, clWhite},
};

void Set_Texts(QStringList &list, std::initializer_list<int> texts)
{
    list.clear();
    for (int n : texts)
        list.append(Lang_Text(n));
}

// The table's rows in the grid: as many as the table holds, at least the port mode's count.
void Show_Table(TDazStringGrid &grid, const TRule_Table &table)
{
    grid.SetRowCount(int(table.size()) + 1);
    Put_Rows(grid, table);
}

} // namespace

TFLoRa_Set_Access::TFLoRa_Set_Access(QWidget *parent) : QDialog(parent)
{
    QVBoxLayout *layout = Create_Rule_Window(this, "FLoRa_Set_Access", P_Title, L_SW_Code, L_SW_Desc);

    PC_LoRa = new QTabWidget(this);
    PC_LoRa->setObjectName(QStringLiteral("PC_LoRa"));
    const auto page = [this](const char *name, const char *grid_name, TDazColumnGrid *&grid) {
        auto *ts = new QWidget(PC_LoRa);
        ts->setObjectName(QLatin1String(name));
        auto *box = new QVBoxLayout(ts);
        box->setContentsMargins(0, 0, 0, 0);
        grid = new TDazColumnGrid(ts);
        grid->setObjectName(QLatin1String(grid_name));
        box->addWidget(grid);
        PC_LoRa->addTab(ts, QString());
        Connect_Grid(grid);
        return ts;
    };
    TS_LoRa_Uplink = page("TS_LoRa_Uplink", "ACG_LoRa_Uplink", ACG_LoRa_Uplink);
    TS_LoRa_Downlink = page("TS_LoRa_Downlink", "ACG_LoRa_Downlink", ACG_LoRa_Downlink);
    layout->addWidget(PC_LoRa, 1);

    P_Button = Create_Row_Button_Band(this);
    layout->addWidget(P_Button);

    const int rows = LoRaWAN_Grid_Rows(true);
    Setup_Rule_Grid(*ACG_LoRa_Uplink, Uplink_Columns, rows, true);
    Setup_Rule_Grid(*ACG_LoRa_Downlink, Downlink_Columns, rows, true);
    FormCreate();
}

void TFLoRa_Set_Access::Connect_Grid(TDazColumnGrid *grid)
{
    grid->OnKeyPress = [this, grid](TObject *, QChar &Key) { KeyPress(grid, Key); };
    grid->OnClickCell = [this, grid](TObject *, int ARow, int ACol) { ClickCell(grid, ARow, ACol); };
    grid->OnDblClickCell = [this, grid](TObject *, int ARow, int ACol) { DblClickCell(grid, ARow, ACol); };
    grid->OnGridHint = [this, grid](TObject *, int ARow, int ACol, QString &hintstr) {
        GridHint(grid, ARow, ACol, hintstr);
    };
}

void TFLoRa_Set_Access::FormCreate()
{
    L_SW_Code->setText(SW_Code);
    resize(900, 337);
    PC_LoRa->setTabVisible(1, true);
    Set_Lang();
}

int TFLoRa_Set_Access::exec()
{
    if (!FormShow())
        return mrNone;
    return QDialog::exec();
}

bool TFLoRa_Set_Access::FormShow()
{
    PC_LoRa->setCurrentIndex(0);
    Do_Copy_Uplink = false;
    Do_Copy_Downlink = false;
    TLoRaWAN_Settings settings;
    TLoRaWAN_Rules rules;
    try {
        settings = Read_LoRaWAN_Settings(Path_ParGen);
        MaxPayloadSize = settings.MaxPayloadSize;
        FPortFixed = settings.FPortFixed;
        if (MaxPayloadSize == 0)
            MessageWarning(Lang_Text(1242), {}, this);
        rules = TLoRaWAN_Rules::Load(Path_LoRaWAN_SetAccess, LoRaWAN_Grid_Rows(FPortFixed));
    } catch (const std::exception &e) {
        MessageError(QString::fromUtf8(e.what()), {}, this);
        return false;
    }
    for (auto [grid, col] : {std::pair{ACG_LoRa_Uplink, int(LU_FPort)}, std::pair{ACG_LoRa_Downlink, int(LD_FPort)}}) {
        if (FPortFixed)
            grid->HideColumn(col);
        else
            grid->UnHideColumn(col);
    }
    Show_Table(*ACG_LoRa_Uplink, rules.Uplink);
    Show_Table(*ACG_LoRa_Downlink, rules.Downlink);
    return true;
}

TLoRaWAN_Rules TFLoRa_Set_Access::Grid_Rules()
{
    TLoRaWAN_Rules rules;
    rules.Uplink = Get_Rows(*ACG_LoRa_Uplink);
    rules.Downlink = Get_Rows(*ACG_LoRa_Downlink);
    return rules;
}

bool TFLoRa_Set_Access::Controllo_dati()
{
    const TLoRaWAN_Rules rules = Grid_Rules();
    QString error = rules.Check(MaxPayloadSize, FPortFixed);
    // Saving stops at the first empty Start Byte: refuse rather than drop what follows.
    if (error.isEmpty())
        error = rules.Check_Unsaved();
    if (error.isEmpty())
        return true;
    MessageError(error, {}, this);
    return false;
}

void TFLoRa_Set_Access::Btn_OKClick()
{
    if (!Controllo_dati())
        return;
    try {
        Grid_Rules().Save(Path_LoRaWAN_SetAccess);
    } catch (const std::exception &e) {
        MessageError(QString::fromUtf8(e.what()), {}, this);
        return;
    }
    done(mrOk);
}

TDazStringGrid *TFLoRa_Set_Access::Active_Grid() const
{
    return PC_LoRa->currentIndex() == 1 ? ACG_LoRa_Downlink : ACG_LoRa_Uplink;
}

void TFLoRa_Set_Access::Btn_DelRowClick()
{
    TDazStringGrid *grid = Active_Grid();
    if (MessageYesNo(Lang_Text(1249) + IntToStr(grid->Row()), {}, this))
        Grid_Delete_Row(grid->Row(), *grid);
}

void TFLoRa_Set_Access::Btn_InsRowClick()
{
    TDazStringGrid *grid = Active_Grid();
    Grid_Insert_Row(grid->Row(), *grid, true);
}

void TFLoRa_Set_Access::Btn_CopyRowClick()
{
    TDazStringGrid *grid = Active_Grid();
    Grid_Copy_Row(*grid, grid->Row());
    Do_Copy_Uplink = grid == ACG_LoRa_Uplink;
    Do_Copy_Downlink = grid == ACG_LoRa_Downlink;
}

void TFLoRa_Set_Access::Btn_PasteRowClick()
{
    TDazStringGrid *grid = Active_Grid();
    Grid_Paste_Row(*grid, grid->Row(), grid == ACG_LoRa_Uplink ? Do_Copy_Uplink : Do_Copy_Downlink);
}

void TFLoRa_Set_Access::ClickCell(TDazStringGrid *Sender, int ARow, int ACol)
{
    if (ACol == 0 && ARow > 0)
        Sender->SelectRows(ARow, 1);
}

void TFLoRa_Set_Access::DblClickCell(TDazStringGrid *Sender, int ARow, int ACol)
{
    Grid_Auto_Size_Column(*Sender, ARow, ACol);
}

void TFLoRa_Set_Access::KeyPress(TDazStringGrid *Sender, QChar &Key)
{
    Grid_Enter_Next_Cell(*Sender, Key);
}

void TFLoRa_Set_Access::GridHint(TDazStringGrid *, int ARow, int ACol, QString &hintstr)
{
    const TDazStringGrid *grid = Active_Grid();
    const QStringList &hints = grid == ACG_LoRa_Uplink ? Hint_UpLink : Hint_DownLink;
    hintstr = ARow == 0 && ACol > 0 ? hints.value(grid->RealColIndex(ACol) - 1) : QString();
}

void TFLoRa_Set_Access::Set_Lang()
{
    setWindowTitle(Lang_Text(1200));
    L_SW_Desc->setText(Lang_Text(1201));
    Set_Row_Button_Texts({Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow}, 1202, 1208);
    PC_LoRa->setTabText(0, Lang_Text(1214));
    PC_LoRa->setTabText(1, Lang_Text(1215));
    Set_Rule_Headers(*ACG_LoRa_Uplink, Uplink_Columns);
    Set_Rule_Headers(*ACG_LoRa_Downlink, Downlink_Columns);
    Set_Texts(Hint_UpLink, {1225, 1226, 1227, 1228, 1229, 1230, 1231, 1251, 1232});
    Set_Texts(Hint_DownLink, {1238, 1239, 1240, 1253, 1241});
}
