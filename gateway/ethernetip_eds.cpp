#include "gateway/ethernetip_eds.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "gateway/rule_grid.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"

#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

TFEtherNEtIP_EDS *FEtherNEtIP_EDS = nullptr;

namespace {

const TRule_Columns Columns = {
    {4206, 100}, {4207, 200}, {4208, 100}, {4209, 110}, {4210, 120},
    {4211, 110}, {4212, 120}, {4213, 125}, {4214, 125},
};

} // namespace

TFEtherNEtIP_EDS::TFEtherNEtIP_EDS(QWidget *parent) : QDialog(parent)
{
    QVBoxLayout *layout = Create_Rule_Window(this, "FEtherNEtIP_EDS", P_Title, L_SW_Code, L_SW_Desc);
    ACG = new TDazColumnGrid(this);
    ACG->setObjectName(QStringLiteral("ACG"));
    Setup_Rule_Grid(*ACG, Columns, 2, false);
    ACG->SetFixedCols(0);
    TGridOptions options = ACG->Options();
    options.Include(goRowSelect);
    ACG->SetOptions(options);
    layout->addWidget(ACG, 1);
    P_Button = Create_Button_Panel(this, Btn_OK, Btn_Cancel);
    layout->addWidget(P_Button);
    Btn_OK->SetModalResult(mrOk);
    Btn_Cancel->SetModalResult(mrCancel);
    TClose = new QTimer(this);
    TClose->setObjectName(QStringLiteral("TClose"));
    TClose->setInterval(10);
    connect(TClose, &QTimer::timeout, this, [this] { TCloseTimer(); });
    FormCreate();
}

void TFEtherNEtIP_EDS::FormCreate()
{
    L_SW_Code->setText(SW_Code);
    resize(1150, 337);
    Set_Lang();
}

int TFEtherNEtIP_EDS::exec()
{
    if (!FormShow())
        return mrNone;
    return QDialog::exec();
}

bool TFEtherNEtIP_EDS::FormShow()
{
    try {
        Read_EDS();
    } catch (const std::exception &e) {
        List_Conn.clear();
        MessageError(QString::fromUtf8(e.what()), {}, this);
        return false;
    }
    ShowDatainGrid();
    return true;
}

void TFEtherNEtIP_EDS::ShowDatainGrid()
{
    ACG->SetRowCount(2);
    for (int c = 0; c < ACG->AllColCount(); ++c)
        ACG->SetCellEx(c, 1, QString());
    if (List_Conn.empty()) {
        TClose->start();
        return;
    }
    ACG->SetRowCount(int(List_Conn.size()) + 1);
    std::vector<QStringList> rows;
    rows.reserve(List_Conn.size());
    for (size_t k = 0; k < List_Conn.size(); ++k)
        rows.push_back(Grid_Cells(int(k)));
    Put_Rows(*ACG, rows);
    ACG->FocusCell(0, 1, true);
}

void TFEtherNEtIP_EDS::TCloseTimer()
{
    TClose->stop();
    MessageError(Lang_Text(4215), {}, this);
    done(mrCancel);
}

int TFEtherNEtIP_EDS::Chosen_Connection() const
{
    const int k = ACG->Row() - 1;
    return k >= 0 && size_t(k) < List_Conn.size() ? k : -1;
}

void TFEtherNEtIP_EDS::Set_Lang()
{
    setWindowTitle(Lang_Text(4200));
    L_SW_Desc->setText(Lang_Text(4201));
    Btn_OK->SetCaption(Lang_Text(4202));
    Btn_Cancel->SetCaption(Lang_Text(4203));
    Btn_OK->SetHint(Lang_Text(4204));
    Btn_Cancel->SetHint(Lang_Text(4205));
    Set_Rule_Headers(*ACG, Columns);
}
