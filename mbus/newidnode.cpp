#include "mbus/newidnode.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/language.h"
#include "app/lbbutton.h"
#include "grid/string/dazcolumngrid.h"
#include "mbus/meter_bus.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QShowEvent>

TFNewIDNode *FNewIDNode = nullptr;

namespace {

constexpr int Node_Top = 77;
constexpr int Row_Step = 44;   // a label over its field

int Int_Text(const QString &s)
{
    int v;
    return TryStrToInt(s, v) ? v : -1;
}

} // namespace

TFNewIDNode::TFNewIDNode(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FNewIDNode"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Set_Form_Look(this);
    QFrame *title = Create_Title_Panel(this, L_SW_Code, L_SW_Desc);
    title->setGeometry(0, 0, 432, 69);

    P_Node = new QWidget(this);
    P_Node->setObjectName(QStringLiteral("P_Node"));
    auto edit = [this](QLineEdit *&e, const char *name) {
        e = new QLineEdit(P_Node);
        e->setObjectName(QLatin1String(name));
    };
    auto label = [this](QLabel *&l, const char *name) {
        l = new QLabel(P_Node);
        l->setObjectName(QLatin1String(name));
    };
    RB_ID_Primary = new QRadioButton(P_Node);
    RB_ID_Primary->setObjectName(QStringLiteral("RB_ID_Primary"));
    RB_ID_Primary->setChecked(true);
    RB_ID_Secondary = new QRadioButton(P_Node);
    RB_ID_Secondary->setObjectName(QStringLiteral("RB_ID_Secondary"));
    edit(E_New_Node_ID_Pri, "E_New_Node_ID_Pri");
    edit(E_New_Node_ID_Sec, "E_New_Node_ID_Sec");
    label(L_wMBus_Add, "L_wMBus_Add");
    edit(E_wMBus_Add, "E_wMBus_Add");
    label(Label2, "Label2");
    edit(E_MR_NodeState, "E_MR_NodeState");
    label(Label3, "Label3");
    edit(E_MR_IdentNum, "E_MR_IdentNum");
    label(L_wMBus_RSSI, "L_wMBus_RSSI");
    edit(E_wMBus_RSSI, "E_wMBus_RSSI");

    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    RUD_MR_Var = new TDazColumnGrid(this);
    RUD_MR_Var->setObjectName(QStringLiteral("RUD_MR_Var"));
    RUD_MR_Var->BeginUpdate();
    RUD_MR_Var->SetColCount(3);
    RUD_MR_Var->SetRowCount(2);
    RUD_MR_Var->SetFixedRows(1);
    RUD_MR_Var->SetFixedCols(0);
    RUD_MR_Var->SetOptions({goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing});
    const int widths[] = {120, 80, 190};
    for (int c = 0; c < 3; ++c)
        RUD_MR_Var->SetColWidths(c, widths[c]);
    RUD_MR_Var->Columns().Items(0)->SetHeader(QStringLiteral("Desc. Reg."));
    RUD_MR_Var->Columns().Items(1)->SetHeader(QStringLiteral("Index"));
    RUD_MR_Var->Columns().Items(2)->SetHeader(QStringLiteral("Description Variable"));
    RUD_MR_Var->Columns().Items(0)->SetReadOnly(true);
    RUD_MR_Var->Columns().Items(2)->SetReadOnly(true);
    RUD_MR_Var->EndUpdate();

    auto button = [this](TLbButton *&b, const char *name, int x) {
        b = new TLbButton(this);
        b->setObjectName(QLatin1String(name));
        Set_Button_Look(b);
        b->setGeometry(x, 498, 90, 28);
    };
    button(Btn_OK, "Btn_OK", 236);
    button(Btn_Cancel, "Btn_Cancel", 334);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_OK->OnClick = [this](QObject *) { LbButton2Click(); };

    L_SW_Code->setText(SW_Code);
    setFixedSize(432, 536);
    Set_Lang();
}

void TFNewIDNode::Set_Lang()
{
    setWindowTitle(Lang_Text(2000));
    L_SW_Desc->setText(Lang_Text(2002));
    Btn_OK->SetCaption(Lang_Text(2004));
    Btn_Cancel->SetCaption(Lang_Text(2005));
    RB_ID_Primary->setText(Lang_Text(2006));
    RB_ID_Secondary->setText(Lang_Text(2007));
    Label2->setText(Lang_Text(2008));
    Label3->setText(Lang_Text(2009));
    Label4->setText(Lang_Text(2010));
    L_wMBus_RSSI->setText(Lang_Text(2011));
    L_wMBus_Add->setText(Lang_Text(2012));
}

void TFNewIDNode::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFNewIDNode::FormShow()
{
    setResult(0);
    const std::initializer_list<QWidget *> id_rows = {RB_ID_Primary, E_New_Node_ID_Pri, RB_ID_Secondary,
                                                      E_New_Node_ID_Sec};
    const std::initializer_list<QWidget *> wireless = {L_wMBus_Add, E_wMBus_Add, L_wMBus_RSSI, E_wMBus_RSSI};
    // A label over its field, rows from y on; returns the y under the last row.
    auto place = [](std::initializer_list<std::pair<QWidget *, QWidget *>> rows, int y) {
        for (const auto &[l, e] : rows) {
            l->setGeometry(12, y, 400, 18);
            e->setGeometry(12, y + 18, 150, 22);
            l->show();
            e->show();
            y += Row_Step;
        }
        return y;
    };
    int height = 0;
    switch (Form_Type) {
    case 1:
        for (QWidget *w : wireless)
            w->hide();
        RB_ID_Primary->setGeometry(12, 4, 180, 22);
        E_New_Node_ID_Pri->setGeometry(200, 4, 150, 22);
        RB_ID_Secondary->setGeometry(12, 30, 180, 22);
        E_New_Node_ID_Sec->setGeometry(200, 30, 150, 22);
        for (QWidget *w : id_rows)
            w->show();
        height = place({{Label2, E_MR_NodeState}, {Label3, E_MR_IdentNum}}, 60);
        setWindowTitle(Lang_Text(2000));
        L_SW_Desc->setText(Lang_Text(2002));
        break;
    case 2:
        setWindowTitle(Lang_Text(2001));
        L_SW_Desc->setText(Lang_Text(2003));
        break;
    default:
        for (QWidget *w : id_rows)
            w->hide();
        height = place({{L_wMBus_Add, E_wMBus_Add}, {Label2, E_MR_NodeState}, {Label3, E_MR_IdentNum},
                        {L_wMBus_RSSI, E_wMBus_RSSI}},
                       4);
        setWindowTitle(Lang_Text(2000));
        L_SW_Desc->setText(Lang_Text(2002));
        break;
    }
    P_Node->setGeometry(0, Node_Top, 432, height);
    P_Node->setVisible(height > 0);
    const int grid_top = Node_Top + height + 4;
    Label4->setGeometry(12, grid_top, 400, 18);
    RUD_MR_Var->setGeometry(12, grid_top + 20, 408, 490 - grid_top - 20);
}

void TFNewIDNode::LbButton2Click()
{
    auto fail = [this](int text) { MessageError(Lang_Text(text), {}, this); };
    bool refused = false;
    if (Form_Type == 1) {
        const int type = RB_ID_Primary->isChecked() ? 0 : 1;
        const int id = Int_Text((type == 0 ? E_New_Node_ID_Pri : E_New_Node_ID_Sec)->text());
        if (type == 0 && (id < 0 || id > 255))
            return fail(2013);
        if (type == 1 && (id < 0 || id > 99999999))
            return fail(2014);
        if (Editor && !Editor->Check_Node_ID2(id, type))
            refused = true;
    }
    if (Form_Type != 2) {
        // The registers a pasted node takes from the dialog.
        const int ns = Int_Text(E_MR_NodeState->text());
        if (ns < 0 || ns > 59999)
            return fail(1865);
        const int in = Int_Text(E_MR_IdentNum->text());
        if (in < 0 || in > 59999)
            return fail(1866);
        const int rssi = Int_Text(E_wMBus_RSSI->text());
        if (Form_Type == 3 && (rssi < 0 || rssi > 59999))
            return fail(1867);
    }
    const int groups = (RUD_MR_Var->RowCount() - 1) / 3;
    for (int g = 0; g < groups; ++g) {
        const int R = Int_Text(RUD_MR_Var->GetCellEx(Value_Col, 3 * g + 1));
        const int S = Int_Text(RUD_MR_Var->GetCellEx(Value_Col, 3 * g + 2));
        const int T = Int_Text(RUD_MR_Var->GetCellEx(Value_Col, 3 * g + 3));
        if (R < 1 || R > 59999)
            return fail(2016);
        if (S < 0 || S > 59999)
            return fail(2017);
        if (T < 0 || T > 59995)
            return fail(2018);
        if (Editor && Editor->Check_Registers(R, S, T, true))
            refused = true;
    }
    if (!refused)
        done(mrOk);
}
