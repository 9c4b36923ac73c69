// Copy and paste of variables and nodes through the "New Node ID" dialog.
#include "meter_bus_fixture.h"

#include <QAction>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

class MeterBusPaste : public MeterBusTest
{
protected:
    static void Set_Cell(TFNewIDNode &d, int row, const QString &text)
    {
        d.RUD_MR_Var->SetCellEx(TFNewIDNode::Value_Col, row, text);
    }
    static QString Cell(TFNewIDNode &d, int col, int row) { return d.RUD_MR_Var->GetCellEx(col, row); }
};

} // namespace

TEST_F(MeterBusPaste, WithoutASelectionOrACopyEachMenuItemSaysSo)
{
    TNodi_List net;
    net.push_back(Wired(3, "Heat"));
    Show(net);
    Ed->CopyVariable1Click();
    Select(0);
    Ed->CopyVariable1Click();
    Ed->PasteVariable1Click();
    Select_Root();
    Ed->CopyNode1Click();
    Ed->Copy_Var = std::make_unique<TVariabile>();
    Ed->PasteVariable1Click();
    EXPECT_EQ(Messages(), (QStringList{Lang_Text(1898), Lang_Text(1897), Lang_Text(1901), Lang_Text(1899),
                                       Lang_Text(1905)}));
    EXPECT_EQ(Dialog_Shown, 0);
    Ed->IND_NODO = 5;   // past the end
    Clear_Messages();
    Ed->CopyNode1Click();
    EXPECT_EQ(Messages(), QStringList{Lang_Text(1900)});
    EXPECT_FALSE(Ed->Copy_Node);
}

TEST_F(MeterBusPaste, AVariablePastedIntoItsOwnNodeNeedsAFreeRegister)
{
    TNodi_List net;
    net.push_back(Wired(3, "Heat"));
    auto v = Var(10, "Energy");
    v->Storage_Number = 7;
    v->TP_Mod_Year = 0;
    net.back()->Var_List.push_back(std::move(v));
    Show(net);
    Select(0, 0);
    Ed->CopyVariable1Click();
    EXPECT_TRUE(Ed->PasteVariable1->isEnabled());
    Select(0);
    Dialog_Script = [](TFNewIDNode &d) {
        EXPECT_EQ(d.Form_Type, 2);
        EXPECT_EQ(d.RUD_MR_Var->RowCount(), 4);
        EXPECT_EQ(Cell(d, 0, 1), "Modbus Register");
        EXPECT_EQ(Cell(d, 0, 2), "Modbus Re Scale");
        EXPECT_EQ(Cell(d, 0, 3), "Time Point Register");
        EXPECT_EQ(Cell(d, 1, 1), "10");
        EXPECT_EQ(Cell(d, 2, 3), "Energy");
        EXPECT_EQ(d.windowTitle(), Lang_Text(2001));
        EXPECT_FALSE(d.P_Node->isVisibleTo(&d));
        Set_Cell(d, 2, "0");
    };
    Ed->PasteVariable1Click();
    EXPECT_EQ(Messages(), QStringList{Lang_Text(1805) + "Heat" + Lang_Text(1806) + "Energy" + Lang_Text(1807)});
    EXPECT_EQ(Ed->Nodi_List[0]->Var_List.size(), 1u);
    EXPECT_FALSE(Ed->Is_Change);

    // The scale row left empty is refused; 0 passes and a free register pastes.
    struct Case {
        const char *reg, *scale;
        int text;
    };
    const Case cases[] = {{"11", "", 2017}, {"0", "0", 2016}, {"11", "60000", 2017}, {"11", "0", 0}};
    for (const Case &c : cases) {
        Clear_Messages();
        Dialog_Script = [&c](TFNewIDNode &d) {
            Set_Cell(d, 1, c.reg);
            Set_Cell(d, 2, c.scale);
            Set_Cell(d, 3, "0");
        };
        Ed->PasteVariable1Click();
        if (c.text)
            EXPECT_EQ(Messages(), QStringList{Lang_Text(c.text)}) << c.reg << "/" << c.scale;
        else
            EXPECT_TRUE(Messages().isEmpty());
    }
    ASSERT_EQ(Ed->Nodi_List[0]->Var_List.size(), 2u);
    const TVariabile &pasted = *Ed->Nodi_List[0]->Var_List[1];
    EXPECT_EQ(pasted.PositionData, 11);
    EXPECT_EQ(pasted.Storage_Number, 7u);
    EXPECT_EQ(pasted.Description, "Energy");
    EXPECT_TRUE(Ed->Is_Change);
    Expect_In_Step();
}

TEST_F(MeterBusPaste, DialogRangesAndLayoutsByFormType)
{
    Show_Nodes({});
    TFNewIDNode &d = *new TFNewIDNode(Ed.get());
    d.Editor = Ed.get();
    d.RUD_MR_Var->SetRowCount(2);
    struct Case {
        int form;
        std::function<void()> set;
        int text;
    };
    auto reset = [&] {
        d.RB_ID_Primary->setChecked(true);
        d.E_New_Node_ID_Pri->setText("1");
        d.E_New_Node_ID_Sec->setText("1");
        d.E_MR_NodeState->setText("0");
        d.E_MR_IdentNum->setText("0");
        d.E_wMBus_RSSI->setText("0");
        d.RUD_MR_Var->SetRowCount(2);
    };
    const Case cases[] = {
        {1, [&] { d.E_New_Node_ID_Pri->setText("256"); }, 2013},
        {1, [&] { d.RB_ID_Secondary->setChecked(true); d.E_New_Node_ID_Sec->setText("100000000"); }, 2014},
        {1, [&] { d.E_MR_NodeState->setText("x"); }, 1865},
        {1, [&] { d.E_MR_IdentNum->setText("60000"); }, 1866},
        {3, [&] { d.E_wMBus_RSSI->setText("-1"); }, 1867},
        {1, [&] { d.E_wMBus_RSSI->setText("-1"); }, 0},   // not offered for a wired node
        {2, [&] {
             d.RUD_MR_Var->SetRowCount(4);
             Set_Cell(d, 1, "1");
             Set_Cell(d, 2, "0");
             Set_Cell(d, 3, "59996");
         }, 2018},
        {2, [&] { d.E_MR_NodeState->setText("x"); }, 0},   // no node part
    };
    for (const Case &c : cases) {
        reset();
        d.Form_Type = c.form;
        d.FormShow();
        c.set();
        Clear_Messages();
        d.LbButton2Click();
        if (c.text) {
            EXPECT_EQ(Messages(), QStringList{Lang_Text(c.text)}) << c.text;
            EXPECT_EQ(d.result(), 0);
        } else {
            EXPECT_TRUE(Messages().isEmpty()) << c.form;
            EXPECT_EQ(d.result(), mrOk);
        }
    }
    // Layouts.
    d.Form_Type = 1;
    d.FormShow();
    EXPECT_TRUE(d.E_New_Node_ID_Pri->isVisibleTo(&d));
    EXPECT_FALSE(d.E_wMBus_Add->isVisibleTo(&d));
    EXPECT_FALSE(d.E_wMBus_RSSI->isVisibleTo(&d));
    EXPECT_GT(d.E_MR_NodeState->y(), d.E_New_Node_ID_Sec->y());
    EXPECT_EQ(d.L_SW_Desc->text(), Lang_Text(2002));
    d.Form_Type = 3;
    d.FormShow();
    EXPECT_FALSE(d.E_New_Node_ID_Pri->isVisibleTo(&d));
    EXPECT_TRUE(d.E_wMBus_Add->isVisibleTo(&d));
    EXPECT_EQ(d.L_wMBus_Add->text(), Lang_Text(2012));
    EXPECT_LT(d.E_wMBus_Add->y(), d.E_MR_NodeState->y());
    EXPECT_LT(d.E_MR_IdentNum->y(), d.E_wMBus_RSSI->y());
    EXPECT_GE(d.Label4->y(), d.P_Node->geometry().bottom());
    d.Form_Type = 2;
    d.FormShow();
    EXPECT_FALSE(d.P_Node->isVisibleTo(&d));
    EXPECT_EQ(d.L_SW_Desc->text(), Lang_Text(2003));
    EXPECT_EQ(d.size(), QSize(432, 536));
    EXPECT_EQ(d.Label2->text(), Lang_Text(2008));
    EXPECT_EQ(d.Btn_OK->Caption(), Lang_Text(2004));
}

TEST_F(MeterBusPaste, CopyNodeOfASelectedVariableCopiesItsNodeWithAllVariables)
{
    TNodi_List net;
    net.push_back(Wired(3, "One"));
    net.push_back(Wired(4, "Two"));
    net.back()->Enable_NS = 1;
    net.back()->Node_State = 30;
    net.back()->Var_List.push_back(Var(10, "a"));
    net.back()->Var_List.push_back(Var(12, "b"));
    Show(net);
    Select(1, 1);
    Ed->CopyNode1Click();
    ASSERT_TRUE(Ed->Copy_Node);
    EXPECT_EQ(Ed->Copy_Node->Description, "Two");
    EXPECT_EQ(Ed->Copy_Node->Var_List.size(), 2u);
    EXPECT_TRUE(Ed->PasteNode1->isEnabled());

    Dialog_Script = [](TFNewIDNode &d) {
        EXPECT_EQ(d.Form_Type, 1);
        EXPECT_EQ(d.E_New_Node_ID_Pri->text(), "4");
        EXPECT_EQ(d.E_MR_NodeState->text(), "30");
        EXPECT_EQ(d.RUD_MR_Var->RowCount(), 7);
        EXPECT_EQ(Cell(d, 1, 4), "12");
        EXPECT_EQ(Cell(d, 2, 6), "b");
        d.E_New_Node_ID_Pri->setText("5");
        d.E_MR_NodeState->setText("31");
        for (int g = 0; g < 2; ++g) {
            Set_Cell(d, 3 * g + 1, QString::number(20 + g));
            Set_Cell(d, 3 * g + 2, "0");
        }
    };
    Ed->PasteNode1Click();
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join('|').toStdString();
    ASSERT_EQ(Ed->Nodi_List.size(), 3u);
    const TNodo &p = *Ed->Nodi_List[2];
    EXPECT_EQ(p.Node_Pri, 5);
    EXPECT_EQ(p.Enable_NS, 1);
    EXPECT_EQ(p.Node_State, 31);
    ASSERT_EQ(p.Var_List.size(), 2u);
    EXPECT_EQ(p.Var_List[0]->PositionData, 20);
    EXPECT_EQ(p.Var_List[1]->PositionData, 21);
    EXPECT_EQ(Item(2)->text(0), "ID 5 - Two");
    EXPECT_TRUE(Ed->Is_Change);
    Expect_In_Step();

    // The copies outlive Cancel and a new showing.
    Ed->LbButton4Click();
    Ed->FormShow();
    EXPECT_TRUE(Ed->PasteNode1->isEnabled());
    EXPECT_EQ(Ed->Copy_Node->Var_List.size(), 2u);
}

TEST_F(MeterBusPaste, NodesWithoutVariablesCheckOnlyTheNodePart)
{
    TNodi_List net;
    net.push_back(Wireless("77", "Radio"));
    net.back()->Node_Pri = 3;
    net.back()->Node_Sec = 1;
    net.push_back(Wired(9, "Wired"));
    Show(net);
    Select(1);
    Ed->CopyNode1Click();
    Dialog_Script = [](TFNewIDNode &d) {
        EXPECT_EQ(d.RUD_MR_Var->RowCount(), 2);
        for (int c = 0; c < 3; ++c)
            EXPECT_TRUE(Cell(d, c, 1).isEmpty());
        d.E_New_Node_ID_Pri->setText("3");   // the wireless node's primary address
    };
    Ed->PasteNode1Click();
    EXPECT_EQ(Messages(), QStringList{Lang_Text(1890)});
    EXPECT_EQ(Ed->Nodi_List.size(), 2u);

    Select(0);
    Ed->CopyNode1Click();
    Clear_Messages();
    Dialog_Script = [](TFNewIDNode &d) {
        EXPECT_EQ(d.Form_Type, 3);
        EXPECT_EQ(d.E_wMBus_Add->text(), "77");
        d.E_wMBus_Add->setText("78");
        d.E_wMBus_RSSI->setText("500");
    };
    Ed->PasteNode1Click();
    EXPECT_TRUE(Messages().isEmpty());
    ASSERT_EQ(Ed->Nodi_List.size(), 3u);
    EXPECT_EQ(Ed->Nodi_List[2]->wMBus_Add, "78");
    EXPECT_EQ(Ed->Nodi_List[2]->RSSI, 500);
    EXPECT_EQ(Ed->Nodi_List[2]->MBus_Type, 0);
    EXPECT_EQ(Item(2)->text(0), "wM-Bus Node - Address 78 - Radio");
    Expect_In_Step();
}

TEST_F(MeterBusPaste, CancelledDialogPastesNothing)
{
    TNodi_List net;
    net.push_back(Wired(3, "One"));
    Show(net);
    Select(0);
    Ed->CopyNode1Click();
    Ed->Run_New_ID = [](TFNewIDNode &) { return mrCancel; };
    Ed->PasteNode1Click();
    EXPECT_EQ(Ed->Nodi_List.size(), 1u);
    EXPECT_FALSE(Ed->Is_Change);
    Expect_In_Step();
}
