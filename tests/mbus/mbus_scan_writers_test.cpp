#include "mbus/mbus_scan_writers.h"

#include "mbus/mbus_network.h"
#include "platform/files.h"
#include "platform/xml.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Tree nodes stand in as distinct addresses; the tick hook answers from a set.
char Fake_Nodes[16];
PLazyNode Fake(int i)
{
    return reinterpret_cast<PLazyNode>(&Fake_Nodes[i]);
}

std::unique_ptr<TVariable_MBus> Record(uint8_t dimension, int nbyte = 0)
{
    auto v = std::make_unique<TVariable_MBus>();
    v->dimension = dimension;
    v->nbyte = nbyte;
    v->Desc_Type_Data = QStringLiteral("Volume m3");
    v->type_data = 2;
    v->Real_Wireless_Var = true;
    return v;
}

std::unique_ptr<TSlave_MBus> Slave(int primary, std::vector<std::unique_ptr<TVariable_MBus>> records)
{
    auto s = std::make_unique<TSlave_MBus>();
    s->Primary_Addresss = uint16_t(primary);
    s->Secondary_Addresss = QStringLiteral("12345");
    s->descManufacture = QStringLiteral("PAD");
    s->List_Var = std::move(records);
    return s;
}

std::vector<std::unique_ptr<TVariable_MBus>> Records(std::initializer_list<uint8_t> dims)
{
    std::vector<std::unique_ptr<TVariable_MBus>> r;
    for (uint8_t d : dims)
        r.push_back(Record(d));
    return r;
}

class ScanWriters : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Opt.File_Name = Dir.filePath(QStringLiteral("M_Bus.xml"));
        Opt.Mod_Start = 1;
    }
    // The written document, kept for the element handles.
    std::vector<TXmlNode> Nodes()
    {
        Doc.LoadFromFile(Opt.File_Name);
        std::vector<TXmlNode> out;
        for (const TXmlNode &n : Doc.DocumentElement().Children())
            out.push_back(n);
        return out;
    }
    static std::vector<QString> Attr(const TXmlNode &n, const char *name)
    {
        std::vector<QString> out;
        for (const TXmlNode &v : n.Children())
            out.push_back(v.AttributeDef(QLatin1String(name), QStringLiteral("(none)")));
        return out;
    }
    static std::vector<QString> Names(const TXmlNode &n)
    {
        std::vector<QString> out;
        for (const auto &a : n.Attributes())
            out.push_back(a.first);
        return out;
    }

    QTemporaryDir Dir;
    TSaveConfXML Opt;
    TXmlDocument Doc;
    TMBus_Result_List List;
};

using QS = std::vector<QString>;
QS L(std::initializer_list<const char *> items)
{
    QS out;
    for (const char *s : items)
        out.push_back(QString::fromLatin1(s));
    return out;
}

} // namespace

TEST_F(ScanWriters, WiredRegistersFollowEachOther)
{
    List.push_back(Slave(1, Records({4, 4})));
    List.push_back(Slave(2, Records({4, 12, 4})));
    ASSERT_TRUE(Save_XML_Conf_Wired(List, Opt, false));
    const auto n = Nodes();
    ASSERT_EQ(n.size(), 2u);
    EXPECT_EQ(Attr(n[0], "ModReg"), L({"1", "3"}));
    EXPECT_EQ(Attr(n[1], "ModReg"), L({"5", "7", "9"}));
    EXPECT_EQ(Attr(n[1], "Dim"), L({"2", "2", "2"}));
    EXPECT_EQ(Attr(n[1], "Position"), L({"1", "2", "3"}));
    EXPECT_EQ(Attr(n[0], "Desc"), L({"Volume m3 (U0S0T0)", "Volume m3 (U0S0T0)"}));
}

TEST_F(ScanWriters, WiredAttributeOrderByFamily)
{
    List.push_back(Slave(3, Records({4})));
    struct { int family; QS node; } cases[] = {
        {0, L({"Node_Enable", "ID_Primary", "ID_Secondary", "Node_ID_Type", "Descrizione",
               "Send_SND_NKE", "Reset_App", "Cut_After"})},
        {4, L({"Node_Enable", "ID", "Secondary_address", "ID_Primary", "ID_Secondary", "Node_ID_Type",
               "Descrizione", "Send_SND_NKE", "Reset_App", "Cut_After"})},
        {12, L({"Node_Enable", "ID_Primary", "ID_Secondary", "Node_ID_Type", "Descrizione",
                "Send_SND_NKE", "Reset_App", "Cut_After", "MBus_Type", "Node_State", "Ident_Num",
                "BCDtoINT_IN", "Swap_IN", "Var_List_Type", "NS_VarType", "IN_VarType"})},
        {13, L({"Node_Enable", "ID_Primary", "ID_Secondary", "Node_ID_Type", "Descrizione",
                "Send_SND_NKE", "Reset_App", "Cut_After", "MBus_Type"})},
    };
    for (const auto &tc : cases) {
        Opt.XML_Code_Dev = tc.family;
        ASSERT_TRUE(Save_XML_Conf_Wired(List, Opt, false));
        Doc.LoadFromFile(Opt.File_Name);
        TXmlNode parent = Doc.DocumentElement();
        if (tc.family == 4)
            parent = parent.Child(QStringLiteral("Group"));
        const TXmlNode node = parent.Child(QStringLiteral("Nodo"));
        EXPECT_EQ(Names(node), tc.node) << tc.family;
        const QS var = tc.family == 12
            ? L({"Enable", "Position", "Desc", "Type", "VIF_ASCII", "Fun_Field", "Length", "Dim", "Unit",
                 "StoNumber", "Tariff", "VIFE", "BACnet_EngUnits", "BACnet_DataType", "Post_Operation",
                 "BCDtoINT", "SWAP"})
            : L({"Enable", "Position", "Desc", "Type", "VIF_ASCII", "Fun_Field", "Length", "ModReg", "Dim",
                 "Unit", "StoNumber", "Tariff", "VIFE", "ModScale", "BCDtoINT", "SWAP"});
        EXPECT_EQ(Names(node.Child(QStringLiteral("Variabile"))), var) << tc.family;
        if (tc.family == 12) {
            EXPECT_EQ(node.Child(QStringLiteral("Variabile")).Attribute(QStringLiteral("BACnet_EngUnits")),
                      QStringLiteral("95"));
        }
    }
}

TEST_F(ScanWriters, FamiliesFourAndSevenGroupTheNodes)
{
    List.push_back(Slave(1, Records({4})));
    List.push_back(Slave(2, Records({4})));
    Opt.Index_Baud = 3;
    Opt.Index_Par = 1;
    for (int family : {4, 7}) {
        Opt.XML_Code_Dev = family;
        ASSERT_TRUE(Save_XML_Conf_Wired(List, Opt, false));
        const auto top = Nodes();
        ASSERT_EQ(top.size(), 1u);
        EXPECT_EQ(top[0].Name(), QStringLiteral("Group"));
        EXPECT_EQ(top[0].Attribute(QStringLiteral("Baudrate")), QStringLiteral("3"));
        EXPECT_EQ(top[0].Attribute(QStringLiteral("Parity")), QStringLiteral("1"));
        EXPECT_EQ(top[0].Children(QStringLiteral("Nodo")).size(), 2u);
    }
}

TEST_F(ScanWriters, RecordFieldsAndRegisterCounts)
{
    auto recs = Records({13, 13, 13, 1, 6, 7, 5, 0});
    recs[0]->nbyte = 5;
    recs[1]->nbyte = 2;
    recs[2]->nbyte = 4;
    recs[3]->function_fild = 1;
    recs[4]->function_fild = 2;
    recs[5]->function_fild = 3;
    recs[0]->type_data = 21;
    recs[0]->VIF_ASCII = QStringLiteral("gal");
    recs[1]->VIF_ASCII = QStringLiteral("not written");
    recs[6]->device = 2;
    recs[6]->storage_number = 4294967296LL;
    recs[6]->tarif = 3;
    recs[6]->Type_Data_Vife = 38;
    recs[7]->Is_BCD = true;
    List.push_back(Slave(1, std::move(recs)));
    ASSERT_TRUE(Save_XML_Conf_Wired(List, Opt, false));
    const TXmlNode n = Nodes()[0];
    // ASCII of 5, 2 and 4 bytes: 3, 2 and 2 registers (halves to even).
    EXPECT_EQ(Attr(n, "ModReg"), L({"1", "4", "6", "8", "9", "12", "16", "18"}));
    EXPECT_EQ(Attr(n, "Dim"), L({"7", "7", "7", "0", "5", "3", "6", "255"}));
    EXPECT_EQ(Attr(n, "Length"), L({"5", "2", "4", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(Attr(n, "Fun_Field"), L({"0", "0", "0", "2", "1", "3", "0", "0"}));
    EXPECT_EQ(Attr(n, "VIF_ASCII"), L({"gal", "", "", "", "", "", "", ""}));
    EXPECT_EQ(Attr(n, "Unit")[6], QStringLiteral("2"));
    EXPECT_EQ(Attr(n, "StoNumber")[6], QStringLiteral("4294967296"));
    EXPECT_EQ(Attr(n, "Tariff")[6], QStringLiteral("3"));
    EXPECT_EQ(Attr(n, "VIFE")[6], QStringLiteral("38"));
    EXPECT_EQ(Attr(n, "Desc")[6], QStringLiteral("Volume m3 (U2S4294967296T3)"));
    EXPECT_EQ(Attr(n, "BCDtoINT")[7], QStringLiteral("0"));
    ASSERT_TRUE(Save_XML_Conf_Wired(List, Opt, true));
    EXPECT_EQ(Attr(Nodes()[0], "BCDtoINT")[7], QStringLiteral("1"));
}

TEST_F(ScanWriters, StartRegisterPerNodeAndTickedRecordsOnly)
{
    auto a = Records({4, 4, 4});
    a[1]->Node = Fake(1);                 // unticked
    a[2]->Node = Fake(2);                 // ticked
    List.push_back(Slave(1, std::move(a)));
    List.push_back(Slave(2, Records({4})));
    List.push_back(Slave(3, Records({4})));   // beyond SMN_Array: the running counter
    static_cast<TSlave_MBus &>(*List[1]).Node = Fake(3);   // unticked slave
    Opt.StartModnode = 1;
    Opt.SMN_Array = {100, 200};
    const auto checked = [](PLazyNode n) { return n != Fake(1) && n != Fake(3); };
    ASSERT_TRUE(Save_XML_Conf_Wired(List, Opt, false, checked));
    const auto n = Nodes();
    EXPECT_EQ(Attr(n[0], "ModReg"), L({"100", "102", "102"}));
    EXPECT_EQ(Attr(n[0], "Enable"), L({"1", "0", "1"}));
    EXPECT_EQ(Attr(n[1], "ModReg"), L({"200"}));
    EXPECT_EQ(n[1].Attribute(QStringLiteral("Node_Enable")), QStringLiteral("0"));
    EXPECT_EQ(Attr(n[2], "ModReg"), L({"202"}));
}

TEST_F(ScanWriters, NodeStateAndIdentNumberRegisters)
{
    Opt.StartModnode = 1;
    Opt.En_NodeState = true;
    Opt.En_IdeNum = true;
    Opt.SMN_Array = {10};
    List.push_back(Slave(1, Records({4})));
    ASSERT_TRUE(Save_XML_Conf_Wired(List, Opt, false));
    TXmlNode n = Nodes()[0];
    EXPECT_EQ(n.Attribute(QStringLiteral("Node_State")), QStringLiteral("10"));
    EXPECT_EQ(n.Attribute(QStringLiteral("Ident_Num")), QStringLiteral("11"));
    EXPECT_EQ(Attr(n, "ModReg"), L({"13"}));

    TMBus_Result_List meters;
    auto m = std::make_unique<TSlave_wMBus>();
    m->List_Var = Records({4});
    meters.push_back(std::move(m));
    ASSERT_TRUE(Save_XML_Conf_Wireless(meters, Opt, false));
    n = Nodes()[0];
    EXPECT_EQ(n.Attribute(QStringLiteral("Node_State")), QStringLiteral("10"));
    EXPECT_EQ(n.Attribute(QStringLiteral("Ident_Num")), QStringLiteral("12"));
    EXPECT_EQ(Attr(n, "ModReg"), L({"13"}));

    // Families other than 0, 1, 9, 13, 14 map no node registers.
    Opt.XML_Code_Dev = 2;
    ASSERT_TRUE(Save_XML_Conf_Wired(List, Opt, false));
    EXPECT_FALSE(Nodes()[0].HasAttribute(QStringLiteral("Node_State")));
}

TEST_F(ScanWriters, WirelessMeters)
{
    auto m = std::make_unique<TSlave_wMBus>();
    m->ALA_Manu_str = QStringLiteral("KAM");
    m->ALA_Manufacturer = 0x2C2D;
    m->ALA_Address = -2;
    m->ALA_Version = 0x1B;
    m->ALA_DeviceType = 0x16;
    m->Enable_Key = true;
    for (int i = 0; i < 16; ++i)
        m->Key[size_t(i)] = uint8_t(i + 1);
    m->List_Var = Records({4, 15, 4});
    m->List_Var[1]->Real_Wireless_Var = false;   // idle filler
    m->List_Var[2]->Enable = false;
    m->List_Var[2]->Node = Fake(5);
    TMBus_Result_List meters;
    meters.push_back(std::move(m));
    ASSERT_TRUE(Save_XML_Conf_Wireless(meters, Opt, false, [](PLazyNode) { return true; }));
    const TXmlNode n = Nodes()[0];
    EXPECT_EQ(n.Attribute(QStringLiteral("Descrizione")), QStringLiteral("KAM"));
    EXPECT_EQ(n.Attribute(QStringLiteral("MBus_Type")), QStringLiteral("0"));
    EXPECT_EQ(n.Attribute(QStringLiteral("wMBus_ManID")), QStringLiteral("11309"));
    EXPECT_EQ(n.Attribute(QStringLiteral("wMBus_Add")), QStringLiteral("-2"));
    EXPECT_EQ(n.Attribute(QStringLiteral("wMBus_Ver")), QStringLiteral("27"));
    EXPECT_EQ(n.Attribute(QStringLiteral("wMBus_DevType")), QStringLiteral("22"));
    EXPECT_EQ(n.Attribute(QStringLiteral("wMBus_En_Key")), QStringLiteral("1"));
    EXPECT_EQ(n.Attribute(QStringLiteral("Cut_After")), QStringLiteral("3"));
    for (int i = 1; i <= 16; ++i)
        EXPECT_EQ(n.Attribute(QStringLiteral("wMBus_Key_%1").arg(i)), QString::number(i));
    EXPECT_EQ(Attr(n, "Position"), L({"1", "3"}));
    EXPECT_EQ(Attr(n, "Enable"), L({"1", "0"}));
    EXPECT_EQ(Attr(n, "ModReg"), L({"1", "3"}));

    // The editor reads the scanner's file: registers come from ModReg.
    UMeter_Bus::TNodi_List net;
    Read_MBus_Network(Opt.File_Name, net);
    ASSERT_EQ(net.size(), 1u);
    EXPECT_EQ(net[0]->MBus_Type, 0);
    EXPECT_EQ(net[0]->wMBus_Key[15], QStringLiteral("16"));
    ASSERT_EQ(net[0]->Var_List.size(), 2u);
    EXPECT_EQ(net[0]->Var_List[1]->PositionData, 3);
    EXPECT_EQ(net[0]->Var_List[1]->Position, 3);
}

TEST_F(ScanWriters, AppendAddsAfterTheExistingNodes)
{
    Write_File_Atomic(Opt.File_Name,
                      "<!-- by hand --><M-Bus_Network><Nodo Descrizione=\"old\"/></M-Bus_Network>");
    List.push_back(Slave(1, Records({4})));
    Opt.Append = 1;
    ASSERT_TRUE(Save_XML_Conf_Wired(List, Opt, false));
    const auto n = Nodes();
    ASSERT_EQ(n.size(), 2u);
    EXPECT_EQ(n[0].Attribute(QStringLiteral("Descrizione")), QStringLiteral("old"));
    EXPECT_EQ(n[1].Attribute(QStringLiteral("Descrizione")), QStringLiteral("PAD"));

    // An empty list writes nothing.
    const QByteArray before = Read_File(Opt.File_Name);
    EXPECT_FALSE(Save_XML_Conf_Wired({}, Opt, false));
    EXPECT_FALSE(Save_XML_Conf_Wireless({}, Opt, false));
    EXPECT_EQ(Read_File(Opt.File_Name), before);

    // A damaged file to append to is an error, and the file stays as it was.
    Write_File_Atomic(Opt.File_Name, "<M-Bus_Network>");
    EXPECT_THROW(Save_XML_Conf_Wired(List, Opt, false), EXmlError);
    EXPECT_EQ(Read_File(Opt.File_Name), QByteArray("<M-Bus_Network>"));
}

TEST_F(ScanWriters, ScanDumps)
{
    auto s = Slave(7, Records({4}));
    s->Manufacture = 0x4024;
    s->Version = 1;
    s->Medium = 7;
    TVariable_MBus &v = *s->List_Var[0];
    v.ValueStr = QStringLiteral("10");
    v.DIF = QStringLiteral("$04");
    v.VIF = 0x13;
    v.totdati = QStringLiteral("10270000");
    v.DataFieldStr = QStringLiteral("32 Bit Integer");
    v.FunctionFieldStr = QStringLiteral("Istantaneous value");
    List.push_back(std::move(s));
    const QString path = Dir.filePath(QStringLiteral("dump.xml"));
    Save_XML_File_DLL(List, path);
    Doc.LoadFromFile(path);
    EXPECT_EQ(Doc.DocumentElement().Name(), QStringLiteral("SCAN_M-Bus_Wired"));
    const TXmlNode node = Doc.DocumentElement().Child(QStringLiteral("Node"));
    EXPECT_EQ(Names(node), L({"Primary_Address", "Secondary_Address", "Manufacturer", "Version", "Type"}));
    EXPECT_EQ(node.Attribute(QStringLiteral("Manufacturer")), QStringLiteral("PAD (16420)"));
    const TXmlNode var = node.Child(QStringLiteral("Variable"));
    EXPECT_EQ(Names(var), L({"Value", "Type", "UST"}));
    EXPECT_EQ(var.Attribute(QStringLiteral("UST")), QStringLiteral("(U0S0T0)"));
    QS children;
    for (const TXmlNode &c : var.Children())
        children.push_back(c.Name());
    EXPECT_EQ(children, L({"Storage_Number", "Tariff", "Unit", "Data_Field", "Function_Field", "Type",
                           "Value", "DIF", "VIF", "DIFE", "VIFE", "DATA"}));
    EXPECT_EQ(var.Child(QStringLiteral("VIF")).Text(), QStringLiteral("$13"));
    EXPECT_EQ(var.Child(QStringLiteral("DATA")).Text(), QStringLiteral("$10270000"));

    TMBus_Result_List meters;
    auto m = std::make_unique<TSlave_wMBus>();
    m->ALA_Manu_str = QStringLiteral("KAM");
    m->ALA_Address = 0x00123457;
    m->Cripted = true;
    m->List_Var = Records({4, 15});
    m->List_Var[1]->Real_Wireless_Var = false;
    meters.push_back(std::move(m));
    Save_Wireless_XML_File_DLL(meters, path);
    Doc.LoadFromFile(path);
    EXPECT_EQ(Doc.DocumentElement().Name(), QStringLiteral("SCAN_M-Bus_Wireless"));
    const TXmlNode wn = Doc.DocumentElement().Child(QStringLiteral("Node"));
    EXPECT_EQ(Names(wn), L({"Manufacturer", "Address", "Version", "Device_Type", "Cripted"}));
    EXPECT_EQ(wn.Attribute(QStringLiteral("Address")), QStringLiteral("00123457"));
    EXPECT_EQ(wn.Attribute(QStringLiteral("Cripted")), QStringLiteral("True"));
    EXPECT_EQ(wn.Children(QStringLiteral("Variable")).size(), 2u);   // placeholders included
}
