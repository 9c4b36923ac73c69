#pragma once
// The network editor on a fresh project, its dialogs faked; networks are written with the
// network file's own writer and shown as the engineer opens the window.
#include "app/shell_fixture.h"
#include "app/lbbutton.h"
#include "grid/string/dazcolumngrid.h"
#include "mbus/dazpagecontrol.h"
#include "mbus/meter_bus.h"
#include "mbus/newidnode.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>
#include <functional>

using namespace UMeter_Bus;

// Readable texts in failure messages.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline std::unique_ptr<TNodo> Wired(int pri, const QString &desc)
{
    auto n = std::make_unique<TNodo>();
    n->Enable = 1;
    n->MBus_Type = 1;
    n->Node_Pri = pri;
    n->Node_Sec = 1;
    n->Description = desc;
    return n;
}

inline std::unique_ptr<TNodo> Wireless(const QString &address, const QString &desc)
{
    auto n = std::make_unique<TNodo>();
    n->Enable = 1;
    n->MBus_Type = 0;
    n->wMBus_Add = address;
    n->wMBus_ManID = QStringLiteral("0x2C2D");
    n->wMBus_Ver = QStringLiteral("1");
    n->wMBus_DevType = QStringLiteral("7");
    n->Description = desc;
    return n;
}

inline std::unique_ptr<TVariabile> Var(int reg, const QString &desc)
{
    auto v = std::make_unique<TVariabile>();
    v->Enable = true;
    v->Description = desc;
    v->PositionData = reg;
    v->Position = 1;
    return v;
}

class MeterBusTest : public ShellTest
{
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        Open_Test_Project();
        Ed = std::make_unique<TFMeter_Bus>();
        // The paste dialog runs a script: it shows, the script types, OK is pressed once.
        Ed->Run_New_ID = [this](TFNewIDNode &d) {
            ++Dialog_Shown;
            d.FormShow();
            if (Dialog_Script)
                Dialog_Script(d);
            d.LbButton2Click();
            return d.result() == mrOk ? mrOk : mrCancel;
        };
    }
    void TearDown() override
    {
        Ed.reset();
        ShellTest::TearDown();
    }

    // Writes the network as M_Bus.xml and shows the editor.
    void Show(const TNodi_List &network)
    {
        Write_MBus_Network(network, Path_M_Bus);
        Ed->FormShow();
    }
    void Show_Nodes(std::vector<std::unique_ptr<TNodo>> nodes)
    {
        TNodi_List list;
        for (auto &n : nodes)
            list.push_back(std::move(n));
        Show(list);
    }

    QTreeWidgetItem *Item(int node, int var = -1) const
    {
        QTreeWidgetItem *n = Ed->NODE_ORIG->child(node);
        return var < 0 ? n : n->child(var);
    }
    void Select(int node, int var = -1) { Ed->TW->setCurrentItem(Item(node, var)); }
    void Select_Root() { Ed->TW->setCurrentItem(Ed->NODE_ORIG); }
    void Select_None()
    {
        Ed->TW->clearSelection();
        Ed->TWClick();
    }

    // The tree and Nodi_List agree item for item.
    void Expect_In_Step() const
    {
        ASSERT_EQ(Ed->TW->topLevelItemCount(), 1);
        ASSERT_EQ(Ed->NODE_ORIG->childCount(), int(Ed->Nodi_List.size()));
        for (int i = 0; i < int(Ed->Nodi_List.size()); ++i) {
            const TNodo &n = *Ed->Nodi_List[size_t(i)];
            QTreeWidgetItem *item = Ed->NODE_ORIG->child(i);
            EXPECT_EQ(item->text(0), TFMeter_Bus::Node_Text(n)) << "node " << i;
            ASSERT_EQ(item->childCount(), int(n.Var_List.size())) << "node " << i;
            for (int j = 0; j < item->childCount(); ++j)
                EXPECT_EQ(item->child(j)->text(0), TFMeter_Bus::Var_Text(*n.Var_List[size_t(j)]));
        }
    }

    // A valid wired node on the Nodes page (nothing else checked).
    void Type_Wired(int pri, const QString &desc)
    {
        Ed->CB_MBus_Type->setCurrentIndex(1);
        Ed->CB_Node_En->setChecked(true);
        Ed->E_New_Node_Desc->setText(desc);
        Ed->RB_ID_Primary->setChecked(true);
        Ed->E_New_Node_ID_Pri->setText(QString::number(pri));
        Ed->E_New_Node_ID_Sec->setText(QStringLiteral("1"));
        for (QCheckBox *c : {Ed->CB_Node_State, Ed->CB_Ident_Num, Ed->CB_Manu_Spec_Data, Ed->CB_Access_Number})
            c->setChecked(false);
    }
    // A valid variable on the Variables page.
    void Type_Var(int reg, const QString &desc)
    {
        Ed->CB_Var_En->setChecked(true);
        Ed->E_New_Var_Desc->setText(desc);
        Ed->E_Var_MR->setText(QString::number(reg));
        Ed->CB_Var_ToD->setCurrentIndex(0);
        Ed->CB_Var_Dim->setCurrentIndex(2);
        Ed->E_Sto_Num->setText(QStringLiteral("0"));
        Ed->E_Tariff->setText(QStringLiteral("0"));
        Ed->E_Position->setText(QStringLiteral("1"));
        Ed->CB_TP_MR->setChecked(false);
    }

    QStringList Messages() const { return Guard.Fake.Texts(); }
    void Clear_Messages() { Guard.Fake.Calls.clear(); }

    std::unique_ptr<TFMeter_Bus> Ed;
    int Dialog_Shown = 0;
    std::function<void(TFNewIDNode &)> Dialog_Script;
};
