// The editor's checks: each refusal is one error dialog with its text and changes nothing.
#include "meter_bus_fixture.h"

#include <gtest/gtest.h>

namespace {

class MeterBusChecks : public MeterBusTest
{
protected:
    // Presses the button; returns the texts shown and whether the list grew or changed.
    QStringList Press_Add_Node()
    {
        Clear_Messages();
        Ed->btn_Add_NodeClick();
        return Messages();
    }
    QStringList Press_Add_Var()
    {
        Clear_Messages();
        Ed->btn_Add_VarClick();
        return Messages();
    }
    void Type_Wireless(const QString &desc)
    {
        Ed->CB_MBus_Type->setCurrentIndex(0);
        Ed->E_New_Node_Desc->setText(desc);
        Ed->E_wMBus_ManID->setText("0x2C2D");
        Ed->E_wMBus_Add->setText("12345678");
        Ed->E_wMBus_Ver->setText("1");
        Ed->E_wMBus_DevType->setText("7");
        Ed->CB_wMBus_EnKey->setChecked(false);
        for (QLineEdit *e : Ed->E_wMBus_K)
            e->setText("0");
        for (QLineEdit *e : {Ed->E_wMBus_NodeState, Ed->E_wMBus_Ident, Ed->E_wMBus_RSSI, Ed->E_wMBus_Access_Number})
            e->setText("0");
        Ed->CB_Manu_Spec_Data->setChecked(false);
    }
};

} // namespace

TEST_F(MeterBusChecks, StorageNumberTakesTheFullUnsignedRange)
{
    TNodi_List net;
    net.push_back(Wired(3, "Heat"));
    Show(net);
    const std::pair<const char *, int> cases[] = {
        {"4294967295", 0}, {"0xFFFFFFFF", 0}, {"$FFFFFFFF", 0}, {"4294967296", 1838}, {"-1", 1838}, {"x", 1838}};
    int reg = 100;
    for (const auto &[text, refusal] : cases) {
        Select(0);
        Type_Var(++reg, "V");
        Ed->E_Sto_Num->setText(text);
        const size_t before = Ed->Nodi_List[0]->Var_List.size();
        const QStringList shown = Press_Add_Var();
        if (refusal == 0) {
            EXPECT_TRUE(shown.isEmpty()) << text;
            ASSERT_EQ(Ed->Nodi_List[0]->Var_List.size(), before + 1) << text;
            EXPECT_EQ(Ed->Nodi_List[0]->Var_List.back()->Storage_Number, 0xFFFFFFFFu) << text;
        } else {
            EXPECT_EQ(shown, QStringList{Lang_Text(refusal)}) << text;
            EXPECT_EQ(Ed->Nodi_List[0]->Var_List.size(), before) << text;
        }
    }
    Expect_In_Step();
}

TEST_F(MeterBusChecks, VariableRangesRefuseInTheirOrder)
{
    TNodi_List net;
    net.push_back(Wired(3, "Heat"));
    Show(net);
    struct Case {
        const char *what;
        std::function<void()> set;
        int text;
    };
    const Case cases[] = {
        {"register 0", [this] { Ed->E_Var_MR->setText("0"); }, 1835},
        {"register 1537", [this] { Ed->E_Var_MR->setText("1537"); }, 1835},
        {"tariff", [this] { Ed->E_Tariff->setText("0x100000"); }, 1839},
        {"variable length",
         [this] { Ed->CB_Var_Dim->setCurrentIndex(7); Ed->E_Length->setText("192"); }, 1840},
        {"length ignored otherwise", [this] { Ed->E_Length->setText("192"); }, 0},
        {"time point year 0",
         [this] { Ed->CB_Var_ToD->setCurrentIndex(20); Ed->CB_TP_MR->setChecked(true); Ed->E_TP_Year->setText("0"); },
         1841},
        {"time point over the register",
         [this] {
             Ed->CB_Var_ToD->setCurrentIndex(20);
             Ed->CB_TP_MR->setChecked(true);
             Ed->E_TP_Year->setText("45");
             Ed->E_Var_MR->setText("50");
         },
         1842},
        {"time point box clear",
         [this] { Ed->CB_Var_ToD->setCurrentIndex(20); Ed->E_TP_Year->setText("45"); }, 0},
        {"position 513", [this] { Ed->E_Position->setText("513"); }, 1844},
    };
    int reg = 50;
    for (const Case &c : cases) {
        Select(0);
        Type_Var(reg, "V");
        c.set();
        const size_t before = Ed->Nodi_List[0]->Var_List.size();
        const QStringList shown = Press_Add_Var();
        if (c.text) {
            EXPECT_EQ(shown, QStringList{Lang_Text(c.text)}) << c.what;
            EXPECT_EQ(Ed->Nodi_List[0]->Var_List.size(), before) << c.what;
        } else {
            EXPECT_TRUE(shown.isEmpty()) << c.what << shown.join('|').toStdString();
            EXPECT_EQ(Ed->Nodi_List[0]->Var_List.size(), before + 1) << c.what;
            reg += 10;
        }
    }
}

TEST_F(MeterBusChecks, WirelessKeyBytesAreCheckedOnlyWithKeyEnable)
{
    Show_Nodes({});
    Type_Wireless("Radio");
    Ed->E_wMBus_K[6]->setText("256");
    EXPECT_TRUE(Press_Add_Node().isEmpty());
    EXPECT_EQ(Ed->Nodi_List.size(), 1u);
    Ed->CB_wMBus_EnKey->setChecked(true);
    EXPECT_EQ(Press_Add_Node(), QStringList{Lang_Text(1855)});
    EXPECT_EQ(Ed->Nodi_List.size(), 1u);
    Expect_In_Step();
}

TEST_F(MeterBusChecks, WirelessNodeValuesAndRegisterPairs)
{
    Show_Nodes({});
    struct Case {
        const char *what;
        std::function<void()> set;
        int text;
    };
    const Case cases[] = {
        {"manufacturer", [this] { Ed->E_wMBus_ManID->setText("0x10000"); }, 1845},
        {"version", [this] { Ed->E_wMBus_Ver->setText("256"); }, 1847},
        {"device type", [this] { Ed->E_wMBus_DevType->setText("x"); }, 1848},
        {"node state", [this] { Ed->E_wMBus_NodeState->setText("60000"); }, 1865},
        {"ident", [this] { Ed->E_wMBus_Ident->setText("-1"); }, 1866},
        {"rssi", [this] { Ed->E_wMBus_RSSI->setText("60000"); }, 1867},
        {"access", [this] { Ed->E_wMBus_Access_Number->setText("60000"); }, 1868},
        {"ns = in", [this] { Ed->E_wMBus_NodeState->setText("9"); Ed->E_wMBus_Ident->setText("9"); }, 1869},
        {"in = rssi", [this] { Ed->E_wMBus_Ident->setText("9"); Ed->E_wMBus_RSSI->setText("9"); }, 1870},
        {"in = an", [this] { Ed->E_wMBus_Ident->setText("9"); Ed->E_wMBus_Access_Number->setText("9"); }, 1871},
        {"ns = rssi", [this] { Ed->E_wMBus_NodeState->setText("9"); Ed->E_wMBus_RSSI->setText("9"); }, 1872},
        {"ns = an", [this] { Ed->E_wMBus_NodeState->setText("9"); Ed->E_wMBus_Access_Number->setText("9"); }, 1873},
        {"rssi = an", [this] { Ed->E_wMBus_RSSI->setText("9"); Ed->E_wMBus_Access_Number->setText("9"); }, 1874},
        {"address unchecked, signed", [this] { Ed->E_wMBus_Add->setText("-2147483648"); }, 0},
    };
    for (const Case &c : cases) {
        Type_Wireless(c.what);
        c.set();
        const size_t before = Ed->Nodi_List.size();
        const QStringList shown = Press_Add_Node();
        if (c.text) {
            EXPECT_EQ(shown, QStringList{Lang_Text(c.text)}) << c.what;
            EXPECT_EQ(Ed->Nodi_List.size(), before) << c.what;
        } else {
            EXPECT_TRUE(shown.isEmpty()) << c.what;
            EXPECT_EQ(Ed->Nodi_List.size(), before + 1) << c.what;
        }
    }
    Expect_In_Step();
}

TEST_F(MeterBusChecks, WiredNodeRegistersAndManufacturerData)
{
    Show_Nodes({});
    struct Case {
        const char *what;
        std::function<void()> set;
        int text;
    };
    const Case cases[] = {
        {"primary 256", [this] { Ed->E_New_Node_ID_Pri->setText("256"); }, 1875},
        {"secondary 100000000",
         [this] { Ed->RB_ID_Secondary->setChecked(true); Ed->E_New_Node_ID_Sec->setText("100000000"); }, 1876},
        {"node state and ident 5, one box", [this] {
             Ed->CB_Node_State->setChecked(true);
             Ed->E_Node_State->setText("5");
             Ed->E_Iden->setText("5");
         }, 0},
        {"node state and ident 5, both boxes", [this] {
             Ed->CB_Node_State->setChecked(true);
             Ed->CB_Ident_Num->setChecked(true);
             Ed->E_Node_State->setText("5");
             Ed->E_Iden->setText("5");
         }, 1879},
        {"node state 1537", [this] { Ed->CB_Node_State->setChecked(true); Ed->E_Node_State->setText("1537"); }, 1877},
        {"ident 1537", [this] { Ed->CB_Ident_Num->setChecked(true); Ed->E_Iden->setText("1537"); }, 1878},
        {"msd 1537", [this] { Ed->CB_Manu_Spec_Data->setChecked(true); Ed->E_Manu_Spec_Data->setText("1537"); }, 1880},
        {"msd = ident", [this] {
             Ed->CB_Ident_Num->setChecked(true);
             Ed->E_Iden->setText("30");
             Ed->CB_Manu_Spec_Data->setChecked(true);
             Ed->E_Manu_Spec_Data->setText("30");
         }, 1881},
        {"msd length", [this] {
             Ed->CB_Manu_Spec_Data->setChecked(true);
             Ed->E_Manu_Spec_Data->setText("30");
             Ed->E_MSD_Length->setText("0");
         }, 1883},
        {"msd sum", [this] {
             Ed->CB_Manu_Spec_Data->setChecked(true);
             Ed->E_Manu_Spec_Data->setText("30");
             Ed->E_MSD_Length->setText("200");
             Ed->E_MSD_Offset->setText("42");
         }, 1885},
        {"access = msd", [this] {
             Ed->CB_Manu_Spec_Data->setChecked(true);
             Ed->E_Manu_Spec_Data->setText("30");
             Ed->E_MSD_Length->setText("1");
             Ed->E_MSD_Offset->setText("0");
             Ed->CB_Access_Number->setChecked(true);
             Ed->E_Access_Number->setText("30");
         }, 1889},
    };
    int id = 10;
    for (const Case &c : cases) {
        Select_None();
        Type_Wired(++id, c.what);
        Ed->E_MSD_Length->setText("1");
        Ed->E_MSD_Offset->setText("0");
        c.set();
        const size_t before = Ed->Nodi_List.size();
        const QStringList shown = Press_Add_Node();
        if (c.text) {
            EXPECT_EQ(shown, QStringList{Lang_Text(c.text)}) << c.what;
            EXPECT_EQ(Ed->Nodi_List.size(), before) << c.what;
        } else {
            EXPECT_TRUE(shown.isEmpty()) << c.what;
            EXPECT_EQ(Ed->Nodi_List.size(), before + 1) << c.what;
        }
    }
    Expect_In_Step();
}

TEST_F(MeterBusChecks, WiredAddressesAreUniqueAmongWiredNodesOnly)
{
    TNodi_List net;
    net.push_back(Wired(3, "Wired"));
    net.back()->Var_List.push_back(Var(10, "V"));
    net.push_back(Wireless("1", "Radio"));
    net.back()->Node_Pri = 4;
    Show(net);
    Type_Wired(3, "Clash");
    EXPECT_EQ(Press_Add_Node(), QStringList{Lang_Text(1892)});
    EXPECT_EQ(Ed->Nodi_List.size(), 2u);
    // A clash and a later failure show both texts.
    Ed->CB_Node_State->setChecked(true);
    Ed->E_Node_State->setText("2000");
    EXPECT_EQ(Press_Add_Node(), (QStringList{Lang_Text(1892), Lang_Text(1877)}));
    Type_Wired(4, "Beside the wireless");
    EXPECT_TRUE(Press_Add_Node().isEmpty());
    EXPECT_EQ(Ed->Nodi_List.size(), 3u);
    // Modifying a node does not compare it with itself; with its variable selected the page
    // adds a new node, which clashes with it.
    Select(0);
    EXPECT_TRUE(Press_Add_Node().isEmpty());
    Select(0, 0);
    Ed->E_New_Node_ID_Pri->setText("3");
    Ed->CB_Node_State->setChecked(false);
    EXPECT_EQ(Press_Add_Node(), QStringList{Lang_Text(1891)});
    Expect_In_Step();
}

TEST_F(MeterBusChecks, NetworkRegistersOfEnabledNodesAndVariables)
{
    TNodi_List net;
    net.push_back(Wired(1, "Meter"));
    net.back()->Node_State = 40;   // its box clear: still compared
    net.back()->Var_List.push_back(Var(104, "Flow"));
    auto tp = Var(200, "Stamp");
    tp->TP_Mod_Regs = true;
    tp->TP_Mod_Year = 100;
    net.back()->Var_List.push_back(std::move(tp));
    net.push_back(Wired(2, "Off"));
    net.back()->Enable = 0;
    net.back()->Node_State = 41;
    net.push_back(Wired(3, "Target"));
    Show(net);
    const QString meter = Lang_Text(1805) + "Meter" + Lang_Text(1806) + "Flow" + Lang_Text(1807);
    EXPECT_EQ(meter, "Error!! ModBus Register already use in the Node \"Meter\", Variable \"Flow\" (Modbus Register)");
    struct Case {
        const char *what;
        int R, T;
        QString text;   // empty: passes
    };
    const Case cases[] = {
        {"node state 40", 40, 0, Lang_Text(1787) + "Meter" + Lang_Text(1788)},
        {"disabled node ignored", 41, 0, {}},
        {"register of a variable", 104, 0, meter},
        {"in a stored time point", 105, 0, Lang_Text(1811) + "Meter" + Lang_Text(1812) + "Stamp" + Lang_Text(1813)},
        {"past a stored time point", 106, 0, {}},
        {"new time point over 104", 1000, 100,
         Lang_Text(1823) + "Meter" + Lang_Text(1824) + "Flow" + Lang_Text(1825)},
    };
    for (const Case &c : cases) {
        Clear_Messages();
        EXPECT_EQ(Ed->Check_Registers(c.R, 0, c.T, true), !c.text.isEmpty()) << c.what;
        EXPECT_EQ(Messages(), c.text.isEmpty() ? QStringList() : QStringList{c.text}) << c.what;
    }
    // The new block 100..104 (five registers) misses a stored register 105.
    Ed->Nodi_List[0]->Var_List[0]->PositionData = 105;
    Clear_Messages();
    EXPECT_FALSE(Ed->Check_Registers(1000, 0, 100, true));
    EXPECT_TRUE(Messages().isEmpty());
    // Through the page: node 3 cannot take register 40.
    Select(2);
    Type_Var(40, "New");
    EXPECT_EQ(Press_Add_Var(), QStringList{Lang_Text(1787) + "Meter" + Lang_Text(1788)});
    EXPECT_TRUE(Ed->Nodi_List[2]->Var_List.empty());
}

TEST_F(MeterBusChecks, AVariableIsNotComparedWithItselfWhenModified)
{
    TNodi_List net;
    net.push_back(Wired(1, "Meter"));
    net.back()->Var_List.push_back(Var(104, "Flow"));
    Show(net);
    Select(0, 0);
    Ed->E_New_Var_Desc->setText("Flow 2");
    EXPECT_TRUE(Press_Add_Var().isEmpty());
    EXPECT_EQ(Ed->Nodi_List[0]->Var_List[0]->Description, "Flow 2");
    Select(0);
    Type_Var(104, "Copy");
    EXPECT_EQ(Press_Add_Var(),
              QStringList{Lang_Text(1805) + "Meter" + Lang_Text(1806) + "Flow 2" + Lang_Text(1807)});
    EXPECT_EQ(Ed->Nodi_List[0]->Var_List.size(), 1u);
    Expect_In_Step();
}
