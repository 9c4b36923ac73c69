#include "editors/building/importedefile.h"

#include "app/comon.h"
#include "editors/building/dialogparts.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "app/valuechecks.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/rtl.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TFImportEDEFile *FImportEDEFile = nullptr;

namespace {

constexpr int Client_Width = 863;
constexpr int Client_Height = 337;
constexpr int Blank_Rows = 512;

QString YN(bool b) { return b ? QStringLiteral("Y") : QStringLiteral("N"); }

} // namespace

TFImportEDEFile::TFImportEDEFile(QWidget *parent) : QDialog(parent)
{
    QVBoxLayout *layout = Create_Dialog_Layout(this, "FImportEDEFile", L_SW_Code, L_SW_Desc);

    ACG = new TDazColumnGrid(this);
    ACG->setObjectName(QStringLiteral("ACG"));
    ACG->BeginUpdate();
    ACG->SetColCount(IE_Col_Count);
    ACG->SetRowCount(Blank_Rows + 1);
    ACG->SetFixedCols(1);
    ACG->SetFixedRows(1);
    ACG->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goColSizing});
    const int widths[] = {40, 55, 50, 50, 200, 85, 80, 250, 90};
    for (int c = 0; c < IE_Col_Count; ++c) {
        ACG->SetColWidths(c, widths[c]);
        if (c == 0)
            continue;
        TGridColumnItem *item = ACG->Columns().Items(c);
        if (c <= IE_Write || c == IE_Commandable) {
            item->SetEditor(edDataCheckBox);
            item->SetCheckTrue(QStringLiteral("Y"));
            item->SetCheckFalse(QStringLiteral("N"));
            item->SetAlignment(taCenter);
        }
        item->SetReadOnly(c > IE_Write);
    }
    ACG->EndUpdate();
    ACG->OnCheckBoxClick = [this](TObject *, int ACol, int ARow, bool State) {
        ACGCheckBoxClick(ACG, ACol, ARow, State);
    };
    layout->addWidget(ACG, 1);

    P_ID_IP = new QFrame(this);
    P_ID_IP->setObjectName(QStringLiteral("P_ID_IP"));
    auto *id_ip = new QHBoxLayout(P_ID_IP);
    id_ip->setContentsMargins(16, 4, 16, 4);
    LID_IP = new QLabel(P_ID_IP);
    LID_IP->setObjectName(QStringLiteral("LID_IP"));
    E_ID_IP = new QLineEdit(P_ID_IP);
    E_ID_IP->setObjectName(QStringLiteral("E_ID_IP"));
    E_ID_IP->setFixedWidth(160);
    id_ip->addWidget(LID_IP);
    id_ip->addWidget(E_ID_IP);
    id_ip->addStretch(1);
    layout->addWidget(P_ID_IP);

    QFrame *band = Create_Button_Panel(this, Btn_OK, Btn_Cancel);
    auto *band_layout = static_cast<QHBoxLayout *>(band->layout());
    int at = 0;
    for (auto [button, name] : {std::pair{&Btn_Select_All, "Btn_Select_All"},
                                std::pair{&Btn_Unselect_All, "Btn_Unselect_All"}}) {
        *button = new TLbButton(band);
        (*button)->setObjectName(QLatin1String(name));
        Set_Button_Look(*button);
        (*button)->setFixedSize(110, 28);
        band_layout->insertWidget(at++, *button);
    }
    layout->addWidget(band);
    Btn_OK->OnClick = [this](QObject *) { Btn_OKClick(); };
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Select_All->OnClick = [this](QObject *) { Btn_Select_AllClick(); };
    Btn_Unselect_All->OnClick = [this](QObject *) { Btn_Unselect_AllClick(); };

    L_SW_Code->setText(SW_Code);
    resize(Client_Width, Client_Height);
    Set_Lang();
}

int TFImportEDEFile::exec()
{
    FormShow();
    return QDialog::exec();
}

void TFImportEDEFile::Set_Lang()
{
    setWindowTitle(Lang_Text(1400));
    L_SW_Desc->setText(Lang_Text(1401));
    Btn_OK->SetCaption(Lang_Text(1402));
    Btn_Cancel->SetCaption(Lang_Text(1403));
    Btn_Select_All->SetCaption(Lang_Text(1420));
    Btn_Unselect_All->SetCaption(Lang_Text(1421));
    for (int c = 0; c < IE_Col_Count; ++c)
        ACG->Columns().Items(c)->SetHeader(Lang_Text(1404 + c));
    LID_IP->setText(Lang_Text(1415));
}

void TFImportEDEFile::FormShow()
{
    ACG->BeginUpdate();
    ACG->SetRowCount(Blank_Rows + 1);
    for (int r = 1; r <= Blank_Rows; ++r) {
        ACG->SetCellEx(IE_N, r, IntToStr(r));
        for (int c = 1; c < IE_Col_Count; ++c)
            ACG->SetCellEx(c, r, QString());
    }
    ACG->EndUpdate();
    E_ID_IP->setFocus();
    Cancel_EDE_List_Vars();
    Load_EDE_File();
    Show_Data_in_Grid();
}

void TFImportEDEFile::Load_EDE_File()
{
    try {
        List_EDE_Var = ::Load_EDE_File(EDE_File);
    } catch (const EFileError &e) {
        List_EDE_Var.clear();
        MessageError(QString::fromUtf8(e.what()), {}, this);
    }
}

void TFImportEDEFile::Show_Data_in_Grid()
{
    const int n = int(List_EDE_Var.size());
    ACG->BeginUpdate();
    ACG->SetRowCount(std::max(n, 1) + 1);
    for (int k = 0; k < n; ++k) {
        const TBACnet_Var &v = List_EDE_Var[size_t(k)];
        const int r = k + 1;
        const QStringList cells = {IntToStr(r),           YN(v.import),
                                   YN(v.read),            YN(v.write),
                                   v.object_name,         IntToStr(v.object_type),
                                   IntToStr(v.object_instance), v.description,
                                   YN(v.commandable)};
        for (int c = 0; c < IE_Col_Count; ++c)
            ACG->SetCellEx(c, r, cells[c]);
    }
    ACG->EndUpdate();
}

void TFImportEDEFile::ACGCheckBoxClick(TDazStringGrid *Sender, int ACol, int ARow, bool State)
{
    if (ARow < 1 || ARow > int(List_EDE_Var.size()))
        return;
    TBACnet_Var &v = List_EDE_Var[size_t(ARow - 1)];
    switch (Sender->RealColIndex(ACol)) {
    case IE_Import:
        v.import = State;
        break;
    case IE_Read:
        v.read = State;
        break;
    case IE_Write:
        if (v.commandable) {
            v.write = State;
        } else {
            MessageError(Lang_Text(1413) + IntToStr(ARow) + Lang_Text(1414), {}, this);
            Sender->SetCellEx(IE_Write, ARow, QStringLiteral("N"));
        }
        break;
    default:
        break;
    }
}

void TFImportEDEFile::Select_All(bool state)
{
    ACG->BeginUpdate();
    for (size_t k = 0; k < List_EDE_Var.size(); ++k) {
        ACG->SetCellEx(IE_Import, int(k) + 1, YN(state));
        List_EDE_Var[k].import = state;
    }
    ACG->EndUpdate();
}

void TFImportEDEFile::Btn_OKClick()
{
    const QString text = E_ID_IP->text();
    if (App_BACnet_Type == 0) {
        uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
        if (IP_Text_To_Bytes(text, b1, b2, b3, b4)) {
            MessageError(Lang_Text(1416), {}, this);
            return;
        }
    } else if (App_BACnet_Type == 1) {
        const int id = StrToIntDef(text, -1);
        if (id < 0 || id > 254) {
            MessageError(Lang_Text(1417), {}, this);
            return;
        }
    }
    done(mrOk);
}
