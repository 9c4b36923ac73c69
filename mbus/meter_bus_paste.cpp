// Copy and paste of variables and nodes in the network editor, each paste through the
// "New Node ID" dialog, which asks new addresses and registers for the copy.
#include "app/language.h"
#include "app/lbbutton.h"
#include "grid/string/dazcolumngrid.h"
#include "mbus/meter_bus.h"
#include "mbus/newidnode.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"

#include <QAction>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>

using namespace UMeter_Bus;

TFNewIDNode &TFMeter_Bus::New_ID_Dialog()
{
    TFNewIDNode *d = FNewIDNode;
    if (!d) {
        if (!own_new_id_)
            own_new_id_ = new TFNewIDNode(this);
        d = own_new_id_;
    }
    d->Editor = this;
    return *d;
}

void TFMeter_Bus::Paste_Var_Rows(TFNewIDNode &d, int group, const TVariabile &v)
{
    TDazColumnGrid &g = *d.RUD_MR_Var;
    const int r = 3 * group + 1;
    g.SetCellEx(0, r, Lang_Text(1902));
    g.SetCellEx(0, r + 1, Lang_Text(1903));
    g.SetCellEx(0, r + 2, Lang_Text(1904));
    g.SetCellEx(TFNewIDNode::Value_Col, r, QString::number(v.PositionData));
    g.SetCellEx(TFNewIDNode::Value_Col, r + 2, QString::number(v.TP_Mod_Year));
    for (int k = 0; k < 3; ++k)
        g.SetCellEx(2, r + k, v.Description);
}

namespace {

int Run(TFMeter_Bus &editor, TFNewIDNode &d)
{
    return editor.Run_New_ID ? editor.Run_New_ID(d) : d.exec();
}

// The variable v with the registers of its group in the dialog's grid.
std::unique_ptr<TVariabile> Pasted_Var(TFNewIDNode &d, int group, const TVariabile &v)
{
    auto copy = std::make_unique<TVariabile>(v);
    copy->PositionData = StrToInt(d.RUD_MR_Var->GetCellEx(TFNewIDNode::Value_Col, 3 * group + 1));
    copy->TP_Mod_Year = StrToInt(d.RUD_MR_Var->GetCellEx(TFNewIDNode::Value_Col, 3 * group + 3));
    return copy;
}

} // namespace

void TFMeter_Bus::CopyVariable1Click()
{
    if (IND_NODO < 0 || IND_NODO >= int(Nodi_List.size())) {
        MessageError(Lang_Text(1898), {}, this);
        return;
    }
    const TNodo &n = *Nodi_List[size_t(IND_NODO)];
    if (IND_VAR < 0 || IND_VAR >= int(n.Var_List.size())) {
        MessageError(Lang_Text(1897), {}, this);
        return;
    }
    if (!Copy_Var)
        Copy_Var = std::make_unique<TVariabile>();
    *Copy_Var = *n.Var_List[size_t(IND_VAR)];
    PasteVariable1->setEnabled(true);
}

void TFMeter_Bus::CopyNode1Click()
{
    if (IND_NODO >= int(Nodi_List.size())) {
        MessageError(Lang_Text(1900), {}, this);
        return;
    }
    if (IND_NODO < 0) {
        MessageError(Lang_Text(1899), {}, this);
        return;
    }
    const TNodo &n = *Nodi_List[size_t(IND_NODO)];
    if (!Copy_Node)
        Copy_Node = std::make_unique<TNodo>();
    Copy_Node_Fields(*Copy_Node, n);
    while (!Copy_Node->Var_List.empty())
        Copy_Node->Var_List.pop_back();
    for (const auto &v : n.Var_List)
        Copy_Node->Var_List.push_back(std::make_unique<TVariabile>(*v));
    PasteNode1->setEnabled(true);
}

void TFMeter_Bus::PasteVariable1Click()
{
    if (!Copy_Var) {
        MessageError(Lang_Text(1901), {}, this);
        return;
    }
    if (IND_NODO < 0 || !NODE_ID) {
        MessageError(Lang_Text(1905), {}, this);
        return;
    }
    TFNewIDNode &d = New_ID_Dialog();
    d.Form_Type = 2;
    d.RUD_MR_Var->SetRowCount(4);
    Paste_Var_Rows(d, 0, *Copy_Var);
    if (Run(*this, d) != mrOk)
        return;
    std::unique_ptr<TVariabile> v;
    try {
        v = Pasted_Var(d, 0, *Copy_Var);
    } catch (const EConvertError &e) {
        Show_Conversion_Error(e);
        return;
    }
    new QTreeWidgetItem(NODE_ID, {Var_Text(*v)});
    Nodi_List[size_t(IND_NODO)]->Var_List.push_back(std::move(v));
    Is_Change = true;
}

void TFMeter_Bus::PasteNode1Click()
{
    if (!Copy_Node)
        return;   // the menu item is disabled until a node was copied
    const TNodo &c = *Copy_Node;
    TFNewIDNode &d = New_ID_Dialog();
    const bool wired = c.MBus_Type == 1;
    if (wired) {
        d.Form_Type = 1;
        d.RB_ID_Secondary->setChecked(c.Node_ID_Type == 1);
        d.RB_ID_Primary->setChecked(c.Node_ID_Type != 1);
        d.E_New_Node_ID_Pri->setText(QString::number(c.Node_Pri));
        d.E_New_Node_ID_Sec->setText(QString::number(c.Node_Sec));
    } else {
        d.Form_Type = 3;
        d.E_wMBus_Add->setText(c.wMBus_Add);
        d.E_wMBus_RSSI->setText(QString::number(c.RSSI));
    }
    d.E_MR_NodeState->setText(QString::number(c.Node_State));
    d.E_MR_IdentNum->setText(QString::number(c.Ident_Num));
    const int vars = int(c.Var_List.size());
    if (vars > 0) {
        d.RUD_MR_Var->SetRowCount(3 * vars + 1);
        for (int i = 0; i < vars; ++i)
            Paste_Var_Rows(d, i, *c.Var_List[size_t(i)]);
    } else {
        d.RUD_MR_Var->SetRowCount(2);
        for (int col = 0; col < 3; ++col)
            d.RUD_MR_Var->SetCellEx(col, 1, QString());
    }
    if (Run(*this, d) != mrOk)
        return;

    // The node is made whole before the tree or the list changes.
    auto n = std::make_unique<TNodo>();
    try {
        Copy_Node_Fields(*n, c);
        if (wired) {
            n->Node_Pri = StrToInt(d.E_New_Node_ID_Pri->text());
            n->Node_Sec = StrToInt(d.E_New_Node_ID_Sec->text());
            n->Node_ID_Type = d.RB_ID_Secondary->isChecked() ? 1 : 0;
        } else {
            // A wireless node's RSSI and address come from the dialog; its ID choice is hidden.
            n->RSSI = StrToInt(d.E_wMBus_RSSI->text());
            n->wMBus_Add = d.E_wMBus_Add->text();
        }
        n->Node_State = StrToInt(d.E_MR_NodeState->text());
        n->Ident_Num = StrToInt(d.E_MR_IdentNum->text());
        for (int i = 0; i < vars; ++i)
            n->Var_List.push_back(Pasted_Var(d, i, *c.Var_List[size_t(i)]));
    } catch (const EConvertError &e) {
        Show_Conversion_Error(e);
        return;
    }
    Add_Node_Item(*n);
    Nodi_List.push_back(std::move(n));
    Is_Change = true;
}
