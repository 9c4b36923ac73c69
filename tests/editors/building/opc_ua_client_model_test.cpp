// The OPC UA client model: node identifiers and data types as text, and OPC_UA_Client.xml.
#include "building_fixture.h"
#include "editors/building/opc_ua_client_model.h"
#include "platform/xml.h"

#include <gtest/gtest.h>

namespace {

TOPC_UA_Variable Guid_Var(const QString &text)
{
    TOPC_UA_Variable v;
    v.SetNodeType(QStringLiteral("Guid"));
    v.SetNodeID(text);
    return v;
}

} // namespace

TEST(OPCUAModel, GuidTextsParseToTheirBytesAndBack)
{
    const TOPC_UA_Variable v = Guid_Var("12345678-9abc-DEF0-1122-334455667788");
    EXPECT_EQ(v.guide1, 0x12345678u);
    EXPECT_EQ(v.guide2, 0x9ABC);
    EXPECT_EQ(v.guide3, 0xDEF0);
    const std::array<uint8_t, 8> tail = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
    EXPECT_EQ(v.guide4, tail);
    const QString text = v.GetNodeID();
    EXPECT_EQ(text, "12345678-9ABC-DEF0-1122-334455667788");
    EXPECT_EQ(text.size(), 36);
    const TOPC_UA_Variable back = Guid_Var(text);
    EXPECT_EQ(back.guide1, v.guide1);
    EXPECT_EQ(back.guide4, v.guide4);

    struct Case {
        const char *text;
        uint32_t g1;
        uint16_t g2, g3;
        uint8_t b0, b1;
    };
    const Case cases[] = {
        {"123456789ABCDEF0112233445566778", 0, 0, 0, 0, 0},   // no dashes: all of it into guide1
        {"{12345678-9ABC-DEF0-1122-334455667788}", 0, 0x9ABC, 0xDEF0, 0x11, 0x22},
        {"1-2-3-4", 1, 2, 3, 4, 0},
        {"  a-b-c-dd-ee  ", 0xA, 0xB, 0xC, 0xDD, 0},
    };
    for (const Case &c : cases) {
        const TOPC_UA_Variable g = Guid_Var(c.text);
        EXPECT_EQ(g.guide1, c.g1) << c.text;
        EXPECT_EQ(g.guide2, c.g2) << c.text;
        EXPECT_EQ(g.guide3, c.g3) << c.text;
        EXPECT_EQ(g.guide4[0], c.b0) << c.text;
        EXPECT_EQ(g.guide4[1], c.b1) << c.text;
    }
    EXPECT_EQ(Guid_Var("1-2-3-4").guide4, (std::array<uint8_t, 8>{4, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(OPCUAModel, NodeTypesNumericIdentifiersAndDataTypes)
{
    const std::pair<const char *, uint16_t> kinds[] = {
        {"guid", 4}, {"GUID", 4}, {" Guid", 0}, {"String", 3}, {"bytestring", 5}, {"Numeric", 0}, {"x", 0}};
    for (const auto &[text, kind] : kinds) {
        TOPC_UA_Variable v;
        v.SetNodeType(text);
        EXPECT_EQ(v.identifierType, kind) << text;
    }
    const std::pair<const char *, uint32_t> numbers[] = {
        {"0x10", 16}, {"$FF", 255}, {"4294967295", 4294967295u}, {"4294967296", 0}, {"-1", 0}, {"abc", 0}};
    for (const auto &[text, value] : numbers) {
        TOPC_UA_Variable v;
        v.numeric = 7;
        v.SetNodeID(text);
        EXPECT_EQ(v.numeric, value) << text;
    }
    TOPC_UA_Variable b;
    b.SetNodeType("ByteString");
    b.SetNodeID(" raw bytes ");
    EXPECT_EQ(b.GetNodeID(), " raw bytes ");

    TOPC_UA_Variable t;
    EXPECT_EQ(t.GetVarType(), "Boolean");
    EXPECT_EQ(t.StartBit, "0");
    t.SetVarType("datetime");
    EXPECT_EQ(t.GetVarType(), "DateTime");
    EXPECT_EQ(GetLenVarType(t.GetVarType()), 8);
    t.SetVarType("Decimal");
    EXPECT_EQ(t.GetVarType(), "Boolean");
    EXPECT_EQ(GetLenVarType("Decimal"), 0);
    EXPECT_EQ(GetLenVarType(" String"), 0);   // not trimmed
    const std::pair<const char *, int> lengths[] = {{"String", 20}, {"Guid", 16}, {"uint16", 2}, {"Double", 8},
                                                    {"ByteString", 20}, {"Float", 4}, {"Boolean", 1}};
    for (const auto &[name, len] : lengths)
        EXPECT_EQ(GetLenVarType(name), len) << name;
}

namespace {

class OPCUAFile : public BuildingTest
{
protected:
    static std::unique_ptr<TOPC_UA_Variable> Var(const QString &name, const QString &type)
    {
        auto v = std::make_unique<TOPC_UA_Variable>();
        v->Enable = true;
        v->DispalyName = name;
        v->SetNodeType(type);
        v->SetVarType("Int32");
        v->nameSpaceIndex = 2;
        v->Time = "100";
        v->Position = "4";
        v->StartBit = "3";
        v->Swap_Word = true;
        v->Mnemonic = "m";
        return v;
    }
};

} // namespace

TEST_F(OPCUAFile, WriteAndReadBackGivesTheSameModel)
{
    const QString path = In_Temp("OPC_UA_Client.xml");
    TOPC_UA_Server_List none;
    Write_OPC_UA_Client(none, path);
    TXmlDocument doc;
    doc.LoadFromFile(path);
    EXPECT_EQ(doc.DocumentElement().Name(), "OPC_UA_Client");
    EXPECT_EQ(doc.DocumentElement().Child("OPC_UA_Server_List").ChildCount(), 0);
    EXPECT_FALSE(Read_Bytes(path).contains("SW_VERSION"));

    TOPC_UA_Server_List list;
    auto s = std::make_unique<TOPC_UA_Server>();
    s->Enable = true;
    s->ServerAddress = "opc.tcp://10.0.0.5:4840";
    s->Authorization = "Certificate";
    s->Certificate = "-----BEGIN CERTIFICATE-----\r\nMIIB\nAAAA\n-----END CERTIFICATE-----\n";
    s->PrivateKey = "line 1\nline 2\tend  ";
    s->SecurityType = "Sign";
    s->SecurityPolicy = "Basic 256";
    s->Mnemonic = "plant";
    auto r = Var("Temp", "Guid");
    r->SetNodeID("12345678-9abc-def0-1122-334455667788");
    r->VarArray = "Array";
    r->Start = "1";
    r->Len = "4";
    s->Var_List_R.push_back(std::move(r));
    auto w = Var("Set", "String");
    w->SetNodeID("ns=2;s=Set");
    w->OnTimer = "Y";
    w->OnChange = "N";
    w->VarArray = "Array";
    w->Start = "9";
    s->Var_List_W.push_back(std::move(w));
    list.push_back(std::move(s));
    list.push_back(std::make_unique<TOPC_UA_Server>());
    Write_OPC_UA_Client(list, path);

    TOPC_UA_Server_List back;
    Read_OPC_UA_Client(path, back);
    ASSERT_EQ(back.size(), 2u);
    const TOPC_UA_Server &b = *back[0];
    EXPECT_TRUE(b.Enable);
    EXPECT_EQ(b.Certificate, list[0]->Certificate);   // line breaks survive
    EXPECT_EQ(b.PrivateKey, list[0]->PrivateKey);
    EXPECT_EQ(b.SecurityPolicy, "Basic 256");
    ASSERT_EQ(b.Var_List_R.size(), 1u);
    const TOPC_UA_Variable &rv = *b.Var_List_R[0];
    EXPECT_EQ(rv.GetNodeID(), "12345678-9ABC-DEF0-1122-334455667788");
    EXPECT_EQ(rv.VarArray, "Array");
    EXPECT_EQ(rv.Len, "4");
    EXPECT_EQ(rv.OnTimer, "N");
    EXPECT_EQ(rv.nameSpaceIndex, 2);
    EXPECT_TRUE(rv.Swap_Word);
    EXPECT_FALSE(rv.Swap);
    EXPECT_EQ(rv.StartBit, "3");
    ASSERT_EQ(b.Var_List_W.size(), 1u);
    const TOPC_UA_Variable &wv = *b.Var_List_W[0];
    EXPECT_EQ(wv.VarArray, "Var");   // write variables keep no array settings
    EXPECT_EQ(wv.Start, "0");
    EXPECT_EQ(wv.Len, "0");
    EXPECT_EQ(wv.OnTimer, "Y");
    EXPECT_EQ(wv.GetNodeID(), "ns=2;s=Set");
    EXPECT_FALSE(back[1]->Enable);
}

TEST_F(OPCUAFile, DefaultsFlagsAndAStopAtAMissingAttribute)
{
    const QString path = In_Temp("OPC_UA_Client.xml");
    const QString server = "ServerAddress='a' Authorization='Anonymous' UserName='' Password='' Certificate='' "
                           "PrivateKey='' SecurityType='None' SecurityPolicy='None' Mnemonic=''";
    const QString var = "DisplayName='v' NodeType='Numeric' NodeID='5' VarType='Float' NameSpaceIndex='1' "
                        "Time='10' Position='0' Mnemonic=''";
    Write(path, ("<?xml version='1.0'?><!-- before --><OPC_UA_Client><OPC_UA_Server_List>"
                 "<Anything Enable='Y' " + server + "><OPC_UA_Variables><OPC_UA_Read_Var>"
                 "<Variable Enable='1' Swap=' 1' " + var + "/></OPC_UA_Read_Var><OPC_UA_Write_Var/>"
                 "</OPC_UA_Variables></Anything>"
                 "<OPC_UA_Server " + server + "><OPC_UA_Variables><OPC_UA_Read_Var>"
                 "<Variable DisplayName='lost'/></OPC_UA_Read_Var><OPC_UA_Write_Var/></OPC_UA_Variables></OPC_UA_Server>"
                 "</OPC_UA_Server_List></OPC_UA_Client>").toUtf8());
    TOPC_UA_Server_List list;
    EXPECT_THROW(Read_OPC_UA_Client(path, list), EXmlError);
    ASSERT_EQ(list.size(), 1u);   // the second server is dropped with its variables
    EXPECT_FALSE(list[0]->Enable);   // "Y" is not "1"
    const TOPC_UA_Variable &v = *list[0]->Var_List_R[0];
    EXPECT_TRUE(v.Enable);
    EXPECT_FALSE(v.Swap);
    EXPECT_EQ(v.VarArray, "Variable");
    EXPECT_EQ(v.Start, "0");
    EXPECT_EQ(v.Len, "0");
    EXPECT_EQ(v.StartBit, "0");
    EXPECT_EQ(v.OnChange, "N");
    EXPECT_EQ(v.GetVarType(), "Float");
    EXPECT_EQ(v.numeric, 5u);

    // A NameSpaceIndex that is no whole number stops the reading too.
    Write(path, ("<OPC_UA_Client><OPC_UA_Server_List><OPC_UA_Server " + server + "><OPC_UA_Variables>"
                 "<OPC_UA_Read_Var><Variable " + QString(var).replace("NameSpaceIndex='1'", "NameSpaceIndex='x'") +
                 "/></OPC_UA_Read_Var><OPC_UA_Write_Var/></OPC_UA_Variables></OPC_UA_Server></OPC_UA_Server_List>"
                 "</OPC_UA_Client>").toUtf8());
    TOPC_UA_Server_List again;
    EXPECT_ANY_THROW(Read_OPC_UA_Client(path, again));
    EXPECT_TRUE(again.empty());
}
