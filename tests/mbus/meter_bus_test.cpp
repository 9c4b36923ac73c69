// The network editor window: showing, selection, layouts, editing, OK, Cancel, import, texts.
#include "meter_bus_fixture.h"
#include "platform/files.h"
#include "platform/xml.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QLabel>
#include <gtest/gtest.h>

TEST_F(MeterBusTest, WithoutAFileOnlyTheRootShowsAndOKWritesRootAndComment)
{
    Ed->FormShow();
    ASSERT_EQ(Ed->CB_Cut_After->count(), 250);
    EXPECT_EQ(Ed->CB_Cut_After->itemText(0), "1");
    EXPECT_EQ(Ed->CB_Cut_After->itemText(249), "250");
    EXPECT_EQ(Ed->CB_Cut_After->currentIndex(), 0);
    ASSERT_EQ(Ed->TW->topLevelItemCount(), 1);
    EXPECT_EQ(Ed->NODE_ORIG->text(0), "M-Bus Network");
    EXPECT_EQ(Ed->NODE_ORIG->childCount(), 0);
    EXPECT_TRUE(Ed->Nodi_List.empty());
    EXPECT_FALSE(Ed->Is_Change);
    EXPECT_FALSE(Ed->PasteVariable1->isEnabled());
    EXPECT_FALSE(Ed->PasteNode1->isEnabled());

    Ed->LbButton2Click();
    EXPECT_EQ(Ed->result(), mrOk);
    TXmlDocument doc;
    doc.LoadFromFile(Path_M_Bus);
    EXPECT_EQ(doc.DocumentElement().Name(), "M-Bus_Network");
    EXPECT_TRUE(doc.DocumentElement().Children().empty());
    EXPECT_TRUE(QString::fromUtf8(Read_Bytes(Path_M_Bus)).contains("<!--SW_VERSION = 1.002-->"));
}

TEST_F(MeterBusTest, VIFEListHoldsItsNamesInCodeOrder)
{
    ASSERT_EQ(Ed->CB_VIFE->count(), 152);
    const std::pair<int, const char *> samples[] = {
        {0, "Not Selected"}, {38, "Volts "}, {41, "Comulation counter"},
        {68, "Cold/Worm Temperature Limit °C"}, {103, "Multiplicative currection factor"},
        {105, "Moltiplicative correction factor: 10^3"}, {151, "Overflow values"}};
    for (const auto &[i, name] : samples)
        EXPECT_EQ(Ed->CB_VIFE->itemText(i), QString::fromUtf8(name)) << i;
    EXPECT_EQ(Ed->CB_Var_ToD->count(), 26);
    EXPECT_EQ(Ed->CB_Var_ToD->itemText(19), "Type of  Data in VIFE");
    EXPECT_EQ(Ed->CB_Var_FF->itemText(1), "Minimun Value");
    EXPECT_EQ(Ed->CB_PostOpe->count(), 13);
    EXPECT_EQ(Ed->CB_Var_Unit->count(), 11);
}

TEST_F(MeterBusTest, TreeShowsNodesAndVariablesInFileOrder)
{
    TNodi_List net;
    net.push_back(Wired(3, "Heat"));
    net.back()->Var_List.push_back(Var(10, "Energy"));
    net.back()->Var_List.push_back(Var(12, "Volume"));
    net.push_back(Wired(4, "Water"));
    net.back()->Node_ID_Type = 1;
    net.back()->Node_Sec = 12345678;
    net.push_back(Wireless("-12345", "Radio"));
    Show(net);
    ASSERT_EQ(Ed->NODE_ORIG->childCount(), 3);
    EXPECT_EQ(Item(0)->text(0), "ID 3 - Heat");
    EXPECT_EQ(Item(0, 0)->text(0), "VAR - Energy");
    EXPECT_EQ(Item(0, 1)->text(0), "VAR - Volume");
    EXPECT_EQ(Item(1)->text(0), "ID 12345678 - Water");
    EXPECT_EQ(Item(2)->text(0), "wM-Bus Node - Address -12345 - Radio");
    EXPECT_TRUE(Ed->NODE_ORIG->isExpanded());
    EXPECT_EQ(Ed->IND_NODO, -1);
    EXPECT_EQ(Ed->IND_VAR, -1);
    Expect_In_Step();
}

TEST_F(MeterBusTest, SelectionSetsTheButtonsAndThePage)
{
    TNodi_List net;
    net.push_back(Wired(3, "Heat"));
    net.back()->Var_List.push_back(Var(10, "Energy"));
    Show(net);
    struct Case {
        std::function<void()> select;
        int nodo, var;
        const char *node_button, *var_button;
        TDazTabSheet *page;
    };
    const Case cases[] = {
        {[this] { Select(0, 0); }, 0, 0, "ADD NODE", "MODIFY VARIABLE", Ed->DazTabSheet2},
        {[this] { Select(0); }, 0, -1, "MODIFY NODE", "ADD VARIABLE", Ed->DazTabSheet1},
        {[this] { Select(0, 0); }, 0, 0, "ADD NODE", "MODIFY VARIABLE", Ed->DazTabSheet2},
        {[this] { Select_Root(); }, -1, -1, "ADD NODE", "ADD VARIABLE", Ed->DazTabSheet2},   // the page stays
        {[this] { Select_None(); }, -1, -1, "ADD NODE", "ADD VARIABLE", Ed->DazTabSheet2},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case &c = cases[i];
        c.select();
        EXPECT_EQ(Ed->IND_NODO, c.nodo) << i;
        EXPECT_EQ(Ed->IND_VAR, c.var) << i;
        EXPECT_EQ(Ed->btn_Add_Node->Caption(), c.node_button) << i;
        EXPECT_EQ(Ed->btn_Add_Var->Caption(), c.var_button) << i;
        EXPECT_EQ(Ed->DazPageControl1->ActivePage(), c.page) << i;
    }
    // A selected node resets the Variables page for a new variable.
    Select(0);
    EXPECT_TRUE(Ed->E_Var_MR->text().isEmpty());
    EXPECT_EQ(Ed->E_TP_Year->text(), "1");
    EXPECT_EQ(Ed->ST_TP_Month->text(), "2");
    EXPECT_EQ(Ed->ST_TP_Sec->text(), "6");
    EXPECT_EQ(Ed->E_Position->text(), "1");
    EXPECT_EQ(Ed->CB_VIFE->currentText(), "Not Selected");
}

TEST_F(MeterBusTest, WirelessKeyBytesFillTheirFieldsAndAddNodeCopiesThem)
{
    TNodi_List net;
    net.push_back(Wireless("1000", "Radio"));
    TNodo &n = *net.back();
    n.wMBus_En_Key = 1;
    for (int i = 0; i < 16; ++i)
        n.wMBus_Key[size_t(i)] = QStringLiteral("0x%1").arg(i + 0xA0, 0, 16);
    n.Enable_RSSI = 1;
    n.RSSI = 300;
    n.Node_State = 301;
    n.Var_List.push_back(Var(10, "Energy"));
    Show(net);
    Select(0, 0);
    EXPECT_TRUE(Ed->P_wMBus_Node->isVisibleTo(Ed->DazTabSheet1));
    EXPECT_TRUE(Ed->CB_wMBus_EnKey->isChecked());
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(Ed->E_wMBus_K[size_t(i)]->text(), n.wMBus_Key[size_t(i)]) << i;
    EXPECT_EQ(Ed->E_wMBus_NodeState->text(), "301");
    EXPECT_EQ(Ed->E_Node_State->text(), "301");   // both control sets
    // The copy needs its own registers and address.
    Ed->E_wMBus_NodeState->setText("0");
    Ed->E_wMBus_RSSI->setText("0");
    Ed->E_wMBus_Add->setText("2000");
    Ed->btn_Add_NodeClick();
    ASSERT_EQ(Ed->Nodi_List.size(), 2u);
    const TNodo &added = *Ed->Nodi_List[1];
    EXPECT_EQ(added.wMBus_Key, n.wMBus_Key);
    EXPECT_EQ(added.wMBus_En_Key, 1);
    EXPECT_EQ(added.MBus_Type, 0);
    EXPECT_EQ(added.wMBus_Add, "2000");
    EXPECT_TRUE(added.Var_List.empty());
    EXPECT_EQ(Item(1)->text(0), "wM-Bus Node - Address 2000 - Radio");
    Expect_In_Step();
}

TEST_F(MeterBusTest, VIFE255ShowsNotSelectedAndModifyingStoresZero)
{
    TNodi_List net;
    net.push_back(Wired(3, "Heat"));
    net.back()->Var_List.push_back(Var(10, "Energy"));
    net.back()->Var_List.back()->VIFE = 255;
    net.back()->Var_List.back()->Storage_Number = 4000000000u;
    Show(net);
    Select(0, 0);
    EXPECT_EQ(Ed->CB_VIFE->currentIndex(), 0);
    EXPECT_EQ(Ed->E_Sto_Num->text(), "4000000000");
    Ed->btn_Add_VarClick();
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join('\n').toStdString();
    EXPECT_EQ(Ed->Nodi_List[0]->Var_List[0]->VIFE, 0);
    EXPECT_EQ(Ed->Nodi_List[0]->Var_List[0]->Storage_Number, 4000000000u);
}

TEST_F(MeterBusTest, MBusTypeSwapsTheWiredControlsAndTheWirelessPanel)
{
    QWidget *page = Ed->DazTabSheet1;
    Ed->CB_MBus_Type->setCurrentIndex(1);
    EXPECT_FALSE(Ed->P_wMBus_Node->isVisibleTo(page));
    EXPECT_TRUE(Ed->E_New_Node_ID_Pri->isVisibleTo(page));
    EXPECT_TRUE(Ed->CB_Access_Number->isVisibleTo(page));
    EXPECT_GT(Ed->CB_Manu_Spec_Data->y(), Ed->CB_Cut_After->y());
    EXPECT_GT(Ed->CB_Access_Number->y(), Ed->E_MSD_Offset->y());
    EXPECT_GT(Ed->btn_Add_Node->y(), Ed->CB_Access_Number->y());

    Ed->CB_MBus_Type->setCurrentIndex(0);
    EXPECT_TRUE(Ed->P_wMBus_Node->isVisibleTo(page));
    EXPECT_FALSE(Ed->E_New_Node_ID_Pri->isVisibleTo(page));
    EXPECT_FALSE(Ed->CB_Access_Number->isVisibleTo(page));
    EXPECT_GT(Ed->P_wMBus_Node->y(), Ed->CB_MBus_Type->y());
    EXPECT_GE(Ed->CB_Manu_Spec_Data->y(), Ed->P_wMBus_Node->geometry().bottom());
    EXPECT_GT(Ed->btn_Add_Node->y(), Ed->E_MSD_Offset->y());
}

TEST_F(MeterBusTest, VariablesPageLayoutsByTypeAndByPosition)
{
    QWidget *page = Ed->DazTabSheet2;
    auto order_visible = [&](std::initializer_list<QWidget *> ws) {
        int y = -1;
        for (QWidget *w : ws) {
            EXPECT_TRUE(w->isVisibleTo(page)) << w->objectName().toStdString();
            EXPECT_GT(w->y(), y) << w->objectName().toStdString();
            y = w->y();
        }
    };
    Ed->Sposta_Oggetti_Var(0);
    order_visible({Ed->CB_Var_En, Ed->E_New_Var_Desc, Ed->CB_Var_ToD, Ed->E_VIF_ASCII, Ed->CB_Var_FF, Ed->CB_Var_Dim,
                   Ed->E_Length, Ed->CB_Var_Unit, Ed->E_Sto_Num, Ed->E_Tariff, Ed->CB_VIFE, Ed->E_Var_MR,
                   Ed->GroupBox4, Ed->CB_BCDtoINT, Ed->CB_Float, Ed->CB_PostOpe, Ed->btn_Add_Var});
    EXPECT_FALSE(Ed->E_Position->isVisibleTo(page));
    EXPECT_EQ(Ed->CB_Force_Int32->y(), Ed->CB_Float->y());
    Ed->Sposta_Oggetti_Var(1);
    order_visible({Ed->CB_Var_En, Ed->E_New_Var_Desc, Ed->CB_Var_Dim, Ed->E_Length, Ed->E_Var_MR, Ed->GroupBox4,
                   Ed->CB_BCDtoINT, Ed->CB_Float, Ed->CB_PostOpe, Ed->E_Position, Ed->btn_Add_Var});
    for (QWidget *w : {(QWidget *)Ed->CB_Var_ToD, (QWidget *)Ed->E_VIF_ASCII, (QWidget *)Ed->CB_Var_FF,
                       (QWidget *)Ed->CB_Var_Unit, (QWidget *)Ed->E_Sto_Num, (QWidget *)Ed->E_Tariff,
                       (QWidget *)Ed->CB_VIFE})
        EXPECT_FALSE(w->isVisibleTo(page)) << w->objectName().toStdString();
    EXPECT_TRUE(Ed->GroupBox4->isEnabled());
    EXPECT_TRUE(Ed->CB_PostOpe->isEnabled());
}

TEST_F(MeterBusTest, TimePointGroupVIFASCIIAndVariableLengthFollowTheirChoices)
{
    TNodi_List net;
    net.push_back(Wired(3, "ByType"));
    net.push_back(Wired(4, "ByPosition"));
    net.back()->Var_List_Type = 1;
    Show(net);
    Select(0);
    Ed->CB_Var_ToD->setCurrentIndex(0);
    EXPECT_FALSE(Ed->GroupBox4->isEnabled());
    EXPECT_FALSE(Ed->E_VIF_ASCII->isEnabled());
    Ed->CB_Var_ToD->setCurrentIndex(20);
    EXPECT_TRUE(Ed->GroupBox4->isEnabled());
    Ed->CB_Var_ToD->setCurrentIndex(21);
    EXPECT_FALSE(Ed->GroupBox4->isEnabled());
    EXPECT_TRUE(Ed->E_VIF_ASCII->isEnabled());
    Select(1);
    Ed->CB_Var_ToD->setCurrentIndex(0);
    EXPECT_TRUE(Ed->GroupBox4->isEnabled());

    Ed->CB_Float->setChecked(true);
    Ed->CB_Var_Dim->setCurrentIndex(7);
    EXPECT_FALSE(Ed->CB_Float->isChecked());
    EXPECT_FALSE(Ed->CB_Float->isEnabled());
    EXPECT_TRUE(Ed->E_Length->isEnabled());
    Ed->CB_Var_Dim->setCurrentIndex(2);
    EXPECT_TRUE(Ed->CB_Float->isEnabled());
    EXPECT_FALSE(Ed->E_Length->isEnabled());

    const std::pair<const char *, QStringList> years[] = {
        {"100", {"101", "102", "103", "104", "105"}},
        {"-3", {"0", "0", "0", "0", "0"}},
        {"x", {"0", "0", "0", "0", "0"}},
        {"0", {"0", "0", "0", "0", "0"}},
    };
    for (const auto &[year, shown] : years) {
        Ed->E_TP_Year->setText(year);
        const QStringList got = {Ed->ST_TP_Month->text(), Ed->ST_TP_Day->text(), Ed->ST_TP_Hour->text(),
                                 Ed->ST_TP_Min->text(), Ed->ST_TP_Sec->text()};
        EXPECT_EQ(got, shown) << year;
    }
}

TEST_F(MeterBusTest, AWideDropDownListOpensRightAlignedToItsComboBox)
{
    Ed->show();
    Ed->DazPageControl1->SetActivePage(Ed->DazTabSheet2);
    Ed->Sposta_Oggetti_Var(0);
    QComboBox *cb = Ed->CB_VIFE;
    EXPECT_GT(cb->view()->minimumWidth(), cb->width());
    cb->showPopup();
    QWidget *popup = cb->view()->window();
    ASSERT_TRUE(popup->isVisible());
    const int combo_right = cb->mapToGlobal(QPoint(cb->width(), 0)).x();
    EXPECT_EQ(popup->geometry().x() + popup->width(), combo_right);
    cb->hidePopup();
}

TEST_F(MeterBusTest, AddingANodeWhileAVariableIsSelectedAppendsALastNode)
{
    TNodi_List net;
    net.push_back(Wired(3, "One"));
    net.push_back(Wired(4, "Two"));
    net.back()->Var_List.push_back(Var(10, "Energy"));
    Show(net);
    Select(1, 0);
    Type_Wired(5, "Three");
    Ed->btn_Add_NodeClick();
    ASSERT_EQ(Ed->Nodi_List.size(), 3u);
    EXPECT_EQ(Ed->Nodi_List[1]->Description, "Two");
    EXPECT_EQ(Ed->Nodi_List[1]->Node_Pri, 4);
    EXPECT_EQ(Ed->Nodi_List[2]->Description, "Three");
    EXPECT_EQ(Ed->Nodi_List[2]->Node_Pri, 5);
    EXPECT_TRUE(Ed->Is_Change);
    Expect_In_Step();

    // Modify: the node keeps its variables, its item its children.
    Select(1);
    Ed->E_New_Node_Desc->setText("Two'");
    Ed->btn_Add_NodeClick();
    EXPECT_EQ(Item(1)->text(0), "ID 4 - Two'");
    EXPECT_EQ(Ed->Nodi_List[1]->Var_List.size(), 1u);
    Expect_In_Step();
}

TEST_F(MeterBusTest, AddVariableWithNothingSelectedOnlyMarksTheNetworkChanged)
{
    Show_Nodes({});
    Type_Var(10, "Energy");
    Ed->btn_Add_VarClick();
    EXPECT_TRUE(Ed->Is_Change);
    EXPECT_TRUE(Messages().isEmpty());
    Expect_In_Step();
    // Cancel now asks; No keeps the window with its edits.
    Guard.Fake.Answers = {TMsgResult::No};
    Ed->setResult(-1);
    Ed->LbButton4Click();
    EXPECT_EQ(Messages().value(0), Lang_Text(1896));
    EXPECT_EQ(Ed->result(), -1);
    Guard.Fake.Answers = {TMsgResult::Yes};
    Ed->LbButton4Click();
    EXPECT_EQ(Ed->result(), mrCancel);
}

TEST_F(MeterBusTest, CancelWithoutChangesClosesAtOnce)
{
    Show_Nodes({});
    Ed->LbButton4Click();
    EXPECT_EQ(Ed->result(), mrCancel);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(MeterBusTest, DeleteAsksByWhatIsSelectedAndKeepsTreeAndListInStep)
{
    TNodi_List net;
    for (int i = 0; i < 3; ++i) {
        net.push_back(Wired(i + 1, QStringLiteral("N%1").arg(i)));
        net.back()->Var_List.push_back(Var(10 + 2 * i, "a"));
        net.back()->Var_List.push_back(Var(11 + 2 * i, "b"));
    }
    Show(net);
    Select(1, 0);
    Guard.Fake.Answers = {TMsgResult::No};
    Ed->btn_Delete_ItemClick();
    EXPECT_EQ(Messages().last(), Lang_Text(1895));
    EXPECT_EQ(Ed->Nodi_List[1]->Var_List.size(), 2u);
    EXPECT_FALSE(Ed->Is_Change);
    Ed->btn_Delete_ItemClick();
    EXPECT_EQ(Ed->Nodi_List[1]->Var_List.size(), 1u);
    EXPECT_EQ(Ed->Nodi_List[1]->Var_List[0]->Description, "b");
    Expect_In_Step();

    Select(0);
    Ed->btn_Delete_ItemClick();
    EXPECT_EQ(Messages().last(), Lang_Text(1894));
    ASSERT_EQ(Ed->Nodi_List.size(), 2u);
    EXPECT_EQ(Ed->Nodi_List[0]->Description, "N1");
    Expect_In_Step();

    Select_Root();
    Ed->btn_Delete_ItemClick();
    EXPECT_EQ(Messages().last(), Lang_Text(1893));
    EXPECT_TRUE(Ed->Nodi_List.empty());
    EXPECT_EQ(Ed->TW->topLevelItemCount(), 1);
    EXPECT_EQ(Ed->NODE_ORIG->childCount(), 0);
    EXPECT_TRUE(Ed->Is_Change);
}

TEST_F(MeterBusTest, OKWritesTheNetworkAndReleasesIt)
{
    Show_Nodes({});
    Type_Wired(7, "Heat");
    Ed->btn_Add_NodeClick();
    Select(0);
    Type_Var(20, "Energy");
    Ed->btn_Add_VarClick();
    Expect_In_Step();
    Ed->LbButton2Click();
    EXPECT_EQ(Ed->result(), mrOk);
    EXPECT_TRUE(Ed->Nodi_List.empty());
    TNodi_List back;
    Read_MBus_Network(Path_M_Bus, back);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0]->Node_Pri, 7);
    ASSERT_EQ(back[0]->Var_List.size(), 1u);
    EXPECT_EQ(back[0]->Var_List[0]->PositionData, 20);
}

TEST_F(MeterBusTest, ALoadThatStoppedAsksBeforeOKWrites)
{
    const QByteArray broken = "<M-Bus_Network><Nodo Descrizione=\"A\" ID_Primary=\"3\"/>"
                              "<Nodo ID_Primary=\"4\"/><Nodo Descrizione=\"C\"/></M-Bus_Network>";
    Write(Path_M_Bus, broken);
    Ed->FormShow();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Ed->Nodi_List.size(), 1u);
    Expect_In_Step();
    Guard.Fake.Answers = {TMsgResult::No};
    Ed->setResult(-1);
    Ed->LbButton2Click();
    EXPECT_EQ(Messages().size(), 2);
    EXPECT_EQ(Ed->result(), -1);
    EXPECT_EQ(Read_Bytes(Path_M_Bus), broken);
    EXPECT_EQ(Ed->Nodi_List.size(), 1u);
    Guard.Fake.Answers = {TMsgResult::Yes};
    Ed->LbButton2Click();
    EXPECT_EQ(Ed->result(), mrOk);
    EXPECT_NE(Read_Bytes(Path_M_Bus), broken);
}

TEST_F(MeterBusTest, ImportAsksBeforeOverwritingAndReReads)
{
    TNodi_List old_net;
    old_net.push_back(Wired(3, "Old"));
    Show(old_net);
    const QByteArray old_file = Read_Bytes(Path_M_Bus);
    TNodi_List new_net;
    new_net.push_back(Wired(9, "New"));
    const QString other = In_Temp("other.xml");
    Write_MBus_Network(new_net, other);

    // Cancelled file choice: nothing.
    Ed->Btn_ImportNetClick();
    ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_EQ(Guard.Fake.Calls[0].what, "open");
    EXPECT_EQ(Guard.Fake.Calls[0].filter, "XML File (*.xml)");

    Guard.Fake.FileAnswers = {other};
    Guard.Fake.Answers = {TMsgResult::No};
    Ed->Btn_ImportNetClick();
    EXPECT_EQ(Messages().last(), Lang_Text(1906));
    EXPECT_EQ(Read_Bytes(Path_M_Bus), old_file);
    EXPECT_EQ(Ed->Nodi_List[0]->Description, "Old");

    Type_Wired(5, "Edit");
    Ed->btn_Add_NodeClick();
    ASSERT_TRUE(Ed->Is_Change);
    Guard.Fake.FileAnswers = {other};
    Guard.Fake.Answers = {TMsgResult::Yes};
    Ed->Btn_ImportNetClick();
    EXPECT_EQ(Read_Bytes(Path_M_Bus), Read_Bytes(other));
    ASSERT_EQ(Ed->Nodi_List.size(), 1u);
    EXPECT_EQ(Ed->Nodi_List[0]->Description, "New");
    EXPECT_FALSE(Ed->Is_Change);
    EXPECT_EQ(Ed->result(), 0);   // the window stays open
    Expect_In_Step();

    // The network file itself picked: nothing is lost.
    Guard.Fake.FileAnswers = {Path_M_Bus};
    Guard.Fake.Answers = {TMsgResult::Yes};
    Ed->Btn_ImportNetClick();
    EXPECT_EQ(Read_Bytes(Path_M_Bus), Read_Bytes(other));
    EXPECT_EQ(Ed->Nodi_List.size(), 1u);
}

TEST_F(MeterBusTest, TextsComeFromTheTableAlsoOnALanguageChange)
{
    EXPECT_EQ(Ed->windowTitle(), Lang_Text(1700));
    EXPECT_EQ(Ed->DazTabSheet1->Caption(), "Nodes     ");
    EXPECT_EQ(Ed->DazTabSheet2->Caption(), "Variables     ");
    EXPECT_EQ(Ed->Btn_ImportNet->Caption(), Lang_Text(1704));
    EXPECT_EQ(Ed->L_wMBus_K[15]->text(), Lang_Text(1773));
    EXPECT_EQ(Ed->CB_wMBus_Access_Number->text(), Lang_Text(1786));
    EXPECT_EQ(Ed->CB_wMBus_RSSI->text(), "RSSI");
    EXPECT_EQ(Ed->CB_Force_Int32->text(), "Force Integer 32");
    EXPECT_EQ(Ed->L_TP_Sec->text(), "SS");
    const std::pair<int, QString (*)(TFMeter_Bus &)> targets[] = {
        {1705, [](TFMeter_Bus &e) { return e.DazTabSheet1->Caption(); }},
        {1713, [](TFMeter_Bus &e) { return e.CB_BCDtoINT_IN->text(); }},
        {1738, [](TFMeter_Bus &e) { return e.GroupBox4->title(); }},
        {1752, [](TFMeter_Bus &e) { return e.CB_MBus_Type->itemText(1); }},
        {1784, [](TFMeter_Bus &e) { return e.DeleteItem1->text(); }},
    };
    for (const auto &[n, read] : targets)
        Lang_Text_List[n] = QStringLiteral("T%1").arg(n);
    Ed->Set_Lang();
    for (const auto &[n, read] : targets)
        EXPECT_EQ(read(*Ed), QStringLiteral("T%1").arg(n)) << n;
    EXPECT_EQ(Ed->CB_MBus_Type->currentIndex(), 1);
}

TEST_F(MeterBusTest, ANonIntegerInAFieldTheChecksSkipChangesNothing)
{
    TNodi_List net;
    net.push_back(Wired(3, "Heat"));
    net.back()->Var_List.push_back(Var(10, "Energy"));
    Show(net);
    struct Case {
        const char *what;
        std::function<void()> type;
        std::function<void()> press;
    };
    const Case cases[] = {
        {"secondary ID of a primary node", [this] { Select(0); Ed->E_New_Node_ID_Sec->setText("x"); },
         [this] { Ed->btn_Add_NodeClick(); }},
        {"node state with its box clear", [this] { Select(0); Ed->E_Node_State->setText("y"); },
         [this] { Ed->btn_Add_NodeClick(); }},
        {"wireless register of a wired node", [this] { Select_None(); Type_Wired(9, "New"); Ed->E_wMBus_RSSI->setText("z"); },
         [this] { Ed->btn_Add_NodeClick(); }},
        {"hidden wired field of a wireless node",
         [this] {
             Select_None();
             Type_Wired(9, "New");
             Ed->CB_MBus_Type->setCurrentIndex(0);
             Ed->E_wMBus_ManID->setText("1");
             Ed->E_wMBus_Ver->setText("1");
             Ed->E_wMBus_DevType->setText("1");
             Ed->E_wMBus_RSSI->setText("0");
             Ed->E_Iden->setText("q");
         },
         [this] { Ed->btn_Add_NodeClick(); }},
    };
    for (const Case &c : cases) {
        c.type();
        Clear_Messages();
        c.press();
        // The checks take a non-number for -1; what they skip fails converting.
        EXPECT_EQ(Messages().size(), 1) << c.what;
        EXPECT_EQ(Ed->Nodi_List.size(), 1u) << c.what;
        EXPECT_EQ(Ed->Nodi_List[0]->Description, "Heat") << c.what;
        EXPECT_EQ(Ed->Nodi_List[0]->Var_List.size(), 1u) << c.what;
        Expect_In_Step();
    }
}
