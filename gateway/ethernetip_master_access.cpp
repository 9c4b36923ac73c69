#include "gateway/ethernetip_master_access.h"

#include "app/comon.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "app/tableediting.h"
#include "gateway/ethernetip_data_seg.h"
#include "gateway/ethernetip_eds.h"
#include "gateway/rule_grid.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

TFEtherNetIP_Master_Access *FEtherNetIP_Master_Access = nullptr;

namespace {

constexpr TColor Enable_Color = 0xB0D8FF;
constexpr TColor Address_Color = 0xFEFAE0;
constexpr TColor Bytes_Color = 0xA8FFA8;
constexpr TColor Connection_Color = 0xF4D6FC;

const TRule_Columns Columns = {
    {4114, 40},
    {4115, 50, Enable_Color, true},
    {4116, 110, Address_Color},
    {4117, 70, Bytes_Color},
    {4118, 70, Bytes_Color},
    {4119, 85, Bytes_Color},
    {4120, 85, Bytes_Color},
    {4121, 70, Address_Color},
    {4141, 90, Connection_Color},
    {4147, 105, Connection_Color},
    {4142, 95, Connection_Color},
    {4148, 105, Connection_Color},
    {4153, 110, Connection_Color, false, {QStringLiteral("Default")}},
    {4154, 110, Connection_Color, false, {QStringLiteral("Default")}},
    {4161, 45, Enable_Color, true},
    {4162, 100, clWhite},
    {4165, 45, Enable_Color, true},
    {4166, 100, clWhite},
    {4175, 80, Enable_Color, true},
    {4122, 95, clWhite},
};
// The header hints of columns 1..19.
const int Hint_Texts[] = {4123, 4124, 4125, 4126, 4127, 4128, 4129, 4143, 4149, 4144,
                          4150, 4155, 4156, 4163, 4164, 4167, 4168, 4176, 4130};

} // namespace

TFEtherNetIP_Master_Access::TFEtherNetIP_Master_Access(QWidget *parent) : QDialog(parent)
{
    QVBoxLayout *layout = Create_Rule_Window(this, "FEtherNetIP_Master_Access", P_Title, L_SW_Code, L_SW_Desc);
    ACG = new TDazColumnGrid(this);
    ACG->setObjectName(QStringLiteral("ACG"));
    Setup_Rule_Grid(*ACG, Columns, EtherNetIP_Row_Count + 1, true);
    ACG->OnKeyPress = [this](TObject *, QChar &Key) { KeyPress(ACG, Key); };
    ACG->OnDblClickCell = [this](TObject *, int ARow, int ACol) { DblClickCell(ACG, ARow, ACol); };
    ACG->OnGridHint = [this](TObject *, int ARow, int ACol, QString &hintstr) { GridHint(ACG, ARow, ACol, hintstr); };
    layout->addWidget(ACG, 1);
    P_Button = Create_Row_Button_Band(this, {{&Btn_Import_EDS, "Btn_Import_EDS"}});
    layout->addWidget(P_Button);
    Btn_Import_EDS->OnClick = [this](QObject *) { Btn_Import_EDSClick(); };
    FormCreate();
}

void TFEtherNetIP_Master_Access::FormCreate()
{
    L_SW_Code->setText(SW_Code);
    resize(1180, 337);
    ACG->SetRowCount(EtherNetIP_Row_Count + 1);
    Release_Configs();
    Set_Lang();
}

void TFEtherNetIP_Master_Access::Release_Configs()
{
    for (auto &tc : ArrTargetConf)
        tc.reset();
}

int TFEtherNetIP_Master_Access::exec()
{
    if (!FormShow())
        return mrNone;
    return QDialog::exec();
}

bool TFEtherNetIP_Master_Access::FormShow()
{
    Num_Byte_In = EtherNetIP_Max_Bytes;
    Num_Byte_Out = EtherNetIP_Max_Bytes;
    Do_Copy = false;
    try {
        Rules = TEtherNetIP_Rules::Load(Path_EtherNetIP_Master_Rules);
    } catch (const std::exception &e) {
        Rules = TEtherNetIP_Rules();
        MessageError(QString::fromUtf8(e.what()), {}, this);
        return false;
    }
    Put_Rows(*ACG, Rules.Rows);
    for (const QString &warning : Rules.Warnings)
        MessageWarning(warning, {}, this);
    return true;
}

void TFEtherNetIP_Master_Access::Take_Grid_Rows()
{
    Rules.Rows = Get_Rows(*ACG);
}

bool TFEtherNetIP_Master_Access::Controllo_dati()
{
    Take_Grid_Rows();
    QString error = Rules.Check();
    // Saving stops at an enabled row without an address: refuse rather than drop what follows.
    if (error.isEmpty())
        error = Rules.Check_Unsaved();
    if (error.isEmpty())
        return true;
    MessageError(error, {}, this);
    return false;
}

void TFEtherNetIP_Master_Access::Btn_OKClick()
{
    if (!Controllo_dati())
        return;
    try {
        Rules.Save(Path_EtherNetIP_Master_Rules);
    } catch (const std::exception &e) {
        MessageError(QString::fromUtf8(e.what()), {}, this);
        return;
    }
    Release_Configs();
    done(mrOk);
}

void TFEtherNetIP_Master_Access::Btn_DelRowClick()
{
    const int row = ACG->Row();
    if (!MessageYesNo(Lang_Text(4140) + IntToStr(row), {}, this))
        return;
    Rules.Delete_Config(row);
    Grid_Delete_Row(row, *ACG);
}

void TFEtherNetIP_Master_Access::Btn_InsRowClick()
{
    const int row = ACG->Row();
    Rules.Insert_Config(row);
    Grid_Insert_Row(row, *ACG, true);
}

void TFEtherNetIP_Master_Access::Btn_CopyRowClick()
{
    Grid_Copy_Row(*ACG, ACG->Row());
    Do_Copy = true;
}

void TFEtherNetIP_Master_Access::Btn_PasteRowClick()
{
    Grid_Paste_Row(*ACG, ACG->Row(), Do_Copy);
}

void TFEtherNetIP_Master_Access::Btn_Import_EDSClick()
{
    const QString path =
        Dialogs().OpenFile(Lang_Text(4159), QString(), QStringLiteral("EtherNet/IP EDS (*.eds)"), this);
    if (path.isEmpty() || !FEtherNEtIP_EDS)
        return;
    FEtherNEtIP_EDS->EDS_FileName = path;
    if (FEtherNEtIP_EDS->exec() != mrOk)
        return;
    const int k = FEtherNEtIP_EDS->Chosen_Connection();
    Take_Grid_Rows();
    const int r = Rules.First_Free_Row();
    if (r == 0 || k < 0)
        return;
    try {
        Rules.Import_Connection(r, *FEtherNEtIP_EDS, k);
    } catch (const std::exception &e) {
        MessageError(QString::fromUtf8(e.what()), {}, this);
    }
    // The copied cells stay also when the target configuration could not be read.
    Put_Rows(*ACG, Rules.Rows);
}

void TFEtherNetIP_Master_Access::DblClickCell(TDazStringGrid *Sender, int ARow, int ACol)
{
    Grid_Auto_Size_Column(*Sender, ARow, ACol);
    if (ARow < 1 || ARow > EtherNetIP_Row_Count || Sender->RealColIndex(ACol) != EC_DataSegment)
        return;
    TTargetConfig *conf = ArrTargetConf[size_t(ARow - 1)].get();
    if (!conf || !FEtherNetIP_Data_Seg)
        return;
    std::unique_ptr<TTargetConfig> copy = CopyTargetConf(*conf);
    FEtherNetIP_Data_Seg->TC = copy.get();
    const int result = FEtherNetIP_Data_Seg->exec();
    FEtherNetIP_Data_Seg->TC = nullptr;
    if (result != mrOk)
        return;
    Copy_Param_Values(*conf, *copy);
    Sender->SetCellEx(EC_DataSegment, ARow, conf->GetConfigStrData());
}

void TFEtherNetIP_Master_Access::GridHint(TDazStringGrid *Sender, int ARow, int ACol, QString &hintstr)
{
    const int k = Sender->RealColIndex(ACol);
    if (ARow == 0 && k >= 1 && k <= Hint.size())
        hintstr = Hint[k - 1];
}

void TFEtherNetIP_Master_Access::KeyPress(TDazStringGrid *Sender, QChar &Key)
{
    Grid_Enter_Next_Cell(*Sender, Key);
}

void TFEtherNetIP_Master_Access::Set_Lang()
{
    setWindowTitle(Lang_Text(4100));
    L_SW_Desc->setText(Lang_Text(4101));
    Set_Row_Button_Texts({Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow}, 4102, 4108);
    Set_Rule_Headers(*ACG, Columns);
    Hint.clear();
    for (int n : Hint_Texts)
        Hint.append(Lang_Text(n));
    Btn_Import_EDS->SetCaption(Lang_Text(4159));
    Btn_Import_EDS->SetHint(Lang_Text(4160));
}
