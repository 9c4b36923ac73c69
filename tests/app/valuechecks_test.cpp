#include "app/valuechecks.h"
#include "platform/locale.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>

namespace {

TEST(ValueChecks, SplitIPAddress)
{
    struct Case { QString text; bool ok; QStringList parts; };
    const Case cases[] = {
        {" 192.168.2.205 ", true, {"192", "168", "2", "205"}},
        {"1 . 2 .3. 4", true, {"1", "2", "3", "4"}},
        {"0.0.0.0", true, {"0", "0", "0", "0"}},
        {"1.2.3", false, {"1", "2", "", ""}},     // two dots: the first two parts are stored
        {"1.2.3.256", false, {"1", "2", "3", "256"}},
        {"1.a.3.4", false, {"1", "a", "3", "4"}},
        {"1.2.3.4.5", false, {"1", "2", "3", "4.5"}},
        {"1.2.3.", false, {"1", "2", "3", ""}},
        {"", false, {"", "", "", ""}},
        {"-1.2.3.4", false, {"-1", "2", "3", "4"}},
    };
    for (const Case &c : cases) {
        QString p1, p2, p3, p4;
        EXPECT_EQ(Split_IP_Address(c.text, p1, p2, p3, p4), c.ok) << c.text.toStdString();
        EXPECT_EQ(QStringList({p1, p2, p3, p4}), c.parts) << c.text.toStdString();
    }
}

TEST(ValueChecks, IPTextToBytes)
{
    struct Case { QString text; bool error; int b[4]; };
    const Case cases[] = {
        {"192.168.2.205", false, {192, 168, 2, 205}},
        {"1.2.3", true, {1, 2, 0, 3}},        // no dot before the fourth: third is 0, last part fourth
        {"300.2.3.4", true, {0, 2, 3, 4}},
        {"1.2.3.4.5", true, {1, 2, 3, 0}},
        {"1 .2.3.4", true, {0, 2, 3, 4}},     // parts are not trimmed
        {"a", true, {0, 0, 0, 0}},
    };
    for (const Case &c : cases) {
        uint8_t b[4] = {9, 9, 9, 9};
        EXPECT_EQ(IP_Text_To_Bytes(c.text, b[0], b[1], b[2], b[3]), c.error) << c.text.toStdString();
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(b[i], c.b[i]) << c.text.toStdString() << " byte " << i;
    }
    uint8_t b[4] = {9, 9, 9, 9};
    EXPECT_TRUE(IP_Text_To_Bytes(QString(), b[0], b[1], b[2], b[3]));
    EXPECT_EQ(b[0], 9);   // unchanged
}

TEST(ValueChecks, SplitIPPort)
{
    struct Case { QString text; bool ok; int b[4]; int port; };
    const Case cases[] = {
        {"192.168.0.5:502", true, {192, 168, 0, 5}, 502},
        {" 10 . 0 . 0 . 1 : 65535 ", true, {10, 0, 0, 1}, 65535},
        {"192.168.0.5", false, {0, 0, 0, 0}, 0},
        {"192.168.0.5:65536", false, {0, 0, 0, 0}, 0},
        {"192.168.0.256:1", false, {0, 0, 0, 0}, 0},
        {"192.168:1", false, {0, 0, 0, 0}, 0},
        {"1.2.3.4:", false, {0, 0, 0, 0}, 0},
    };
    for (const Case &c : cases) {
        uint8_t b[4] = {9, 9, 9, 9};
        uint16_t port = 9;
        EXPECT_EQ(Split_IP_Port(c.text, b[0], b[1], b[2], b[3], port), c.ok) << c.text.toStdString();
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(b[i], c.b[i]) << c.text.toStdString();
        EXPECT_EQ(port, c.port) << c.text.toStdString();
    }
}

TEST(ValueChecks, CheckKNXAddress)
{
    struct Case { QString text; bool group; bool allow_zero; int result; };
    const Case cases[] = {
        {"1/2/3", true, false, 0},
        {"0/0/0", true, false, 1},
        {"31/7/255", true, false, 0},
        {"32/7/255", true, false, 1},
        {"1/8/1", true, false, 1},
        {"31/2047", true, false, 0},
        {"32/1", true, false, 1},
        {"0/0", true, false, 1},
        {" 1 / 2 ", true, false, 0},
        {"1/2/3/4", true, false, 1},
        {"1.2.3", true, false, 1},
        {"0", true, false, 1},
        {"65535", true, false, 0},
        {"65536", true, false, 1},
        {"5 ", true, false, 1},           // a plain number is not trimmed
        {"1.1.20", false, false, 0},
        {"0.0.0", false, false, 1},
        {"0.0.0", false, true, 0},
        {"16.1.1", false, false, 1},
        {"15.15.255", false, false, 0},
        {"1.16.1", false, false, 1},
        {"1.1.256", false, false, 1},
        {"1.1", false, false, 1},         // one dot: not an address
        {"x.y", false, true, 1},
        {"1.1.1.1", false, false, 1},
        {"1/1/1", false, false, 1},
        {"0", false, true, 1},
        {"65535", false, false, 0},
        {"", false, false, 1},
        {"", true, false, 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Check_KNX_Address(c.text, c.group, c.allow_zero), c.result)
            << c.text.toStdString() << (c.group ? " group" : " physical");
    EXPECT_TRUE(No_Point(QStringLiteral("1/2/3")));
    EXPECT_FALSE(No_Point(QStringLiteral("1.2.3")));
}

TEST(ValueChecks, CheckOID)
{
    struct Case { QString text; int result; };
    const Case cases[] = {
        {"1.3.6.1.2.1", 0},
        {"1", 0},
        {".1.3.6", 3},
        {"1.3.6.", 4},
        {"1.3..6", 5},
        {"1.3.a", 2},
        {"1.3 .6", 2},
        {"", 2},
        {QString(129, QLatin1Char('1')), 1},
        {QString(128, QLatin1Char('1')), 6},
        {"1.4294967295", 0},
        {"1.4294967296", 6},
        {"1.99999999999999999999999", 6},
        {"1.0000000000004", 0},
        {".", 3},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Check_OID(c.text), c.result) << c.text.toStdString();
}

TEST(ValueChecks, SNMPSecurityLevel)
{
    EXPECT_EQ(SNMP_Security_Level_Code(QStringLiteral(" auth NoPriv ")), 1);
    EXPECT_EQ(SNMP_Security_Level_Code(QStringLiteral("AUTH PRIV")), 3);
    EXPECT_EQ(SNMP_Security_Level_Code(QStringLiteral("  ")), -1);
    EXPECT_EQ(SNMP_Security_Level_Code(QStringLiteral("NOAUTH NOPRIV")), 0);
}

class DecimalSeparator : public ::testing::Test
{
protected:
    void TearDown() override { SetDecimalSeparatorOverride(QChar()); }
};

TEST_F(DecimalSeparator, TextToFloatAcceptsBothNotations)
{
    SetDecimalSeparatorOverride(QLatin1Char(','));
    EXPECT_EQ(Get_Decimal_Separator(), QLatin1Char(','));
    struct Case { QString text; bool ok; float value; };
    const Case cases[] = {{"1.5", true, 1.5f}, {"1,5", true, 1.5f}, {"-0,25", true, -0.25f},
                          {"abc", false, 1.0f}, {"", false, 1.0f}};
    for (const Case &c : cases) {
        float v = 0;
        EXPECT_EQ(Text_To_Float(c.text, Get_Decimal_Separator(), v), c.ok) << c.text.toStdString();
        EXPECT_FLOAT_EQ(v, c.value) << c.text.toStdString();
    }
    SetDecimalSeparatorOverride(QLatin1Char('.'));
    float v = 0;
    EXPECT_TRUE(Text_To_Float(QStringLiteral("2,75"), Get_Decimal_Separator(), v));
    EXPECT_FLOAT_EQ(v, 2.75f);
    SetDecimalSeparatorOverride(QLatin1Char(';'));
    EXPECT_EQ(Get_Decimal_Separator(), QLatin1Char(','));
}

TEST(ValueChecks, OPCUANameTables)
{
    EXPECT_EQ(OPC_UA_NodeId_Type_Name(3), QStringLiteral("String"));
    EXPECT_EQ(OPC_UA_NodeId_Type_Name(1), QString());
    EXPECT_EQ(OPC_UA_NodeId_Type_Code(QStringLiteral("bytestring")), 5);
    EXPECT_EQ(OPC_UA_NodeId_Type_Code(QStringLiteral("other")), 0);
    EXPECT_EQ(OPC_UA_Data_Type_Name(14), QStringLiteral("ByteString"));
    EXPECT_EQ(OPC_UA_Data_Type_Name(15), QString());
    EXPECT_EQ(OPC_UA_Data_Type_Name(-1), QString());
    EXPECT_EQ(OPC_UA_Token_Type_Name(1), QStringLiteral("Username and Password"));
    EXPECT_EQ(OPC_UA_Token_Type_Name(7), QStringLiteral("Certificate"));
    EXPECT_EQ(OPC_UA_Token_Type_Code(QStringLiteral("Anonymous")), 0);
    EXPECT_EQ(OPC_UA_Token_Type_Code(QStringLiteral("anonymous")), 2);
    EXPECT_EQ(OPC_UA_Security_Mode_Name(-3), QStringLiteral("Sign and Encrypt"));
    EXPECT_EQ(OPC_UA_Security_Mode_Code(QStringLiteral("Sign")), 1);
    EXPECT_EQ(OPC_UA_Security_Policy_Name(4), QStringLiteral("AES 128 SHA 256 RSA OAEP"));
    EXPECT_EQ(OPC_UA_Security_Policy_Name(99), QStringLiteral("AES 256 SHA 256 RSA PSS"));
    EXPECT_EQ(OPC_UA_Security_Policy_Code(QStringLiteral("Basic 256")), 2);
    EXPECT_EQ(OPC_UA_Security_Policy_Code(QStringLiteral("?")), 5);
}

TEST(ValueChecks, OPCUANodeIdToText)
{
    opcua_structure r;
    r.identifierType = 0;
    r.numeric = 4294967295u;
    EXPECT_EQ(OPC_UA_NodeId_To_Text(r), QStringLiteral("4294967295"));
    r.identifierType = 3;
    EXPECT_EQ(OPC_UA_NodeId_To_Text(r), QString());   // no string given
    r.stringname = "Temp\xB0";
    EXPECT_EQ(OPC_UA_NodeId_To_Text(r), QStringLiteral("Temp°"));
    r.identifierType = 4;
    r.guide1 = 0x72962B91;
    r.guide2 = 0xFA75;
    r.guide3 = 0x4AE6;
    const uint8_t g4[8] = {0x8D, 0x28, 0xB4, 0x04, 0xDC, 0x7D, 0xAF, 0x63};
    std::copy(g4, g4 + 8, r.guide4);
    EXPECT_EQ(OPC_UA_NodeId_To_Text(r), QStringLiteral("72962B91-FA75-4AE6-8D28-B404DC7DAF63"));
    r.identifierType = 5;
    const uint8_t bytes[] = {'a', 'b', 0, 'c'};
    r.byteString = bytes;
    EXPECT_EQ(OPC_UA_NodeId_To_Text(r), QStringLiteral("ab"));
    r.identifierType = 1;
    EXPECT_EQ(OPC_UA_NodeId_To_Text(r), QString());
}

TEST(ValueChecks, PerModelRoutines)
{
    EXPECT_EQ(MBus_To_BACnet_Eng_Unit(3, 7), 95);
    EXPECT_EQ(Get_Scan_Form_Type(), 0);
}

class FakeProbe : public ICOM_Port_Probe
{
public:
    QStringList Names;
    std::map<QString, int> Errors;   // missing: opens
    bool Throw = false;
    QStringList Device_Names() override
    {
        if (Throw)
            throw std::runtime_error("no /dev");
        return Names;
    }
    int Open_Error(const QString &path) override
    {
        const auto it = Errors.find(path);
        return it == Errors.end() ? 0 : it->second;
    }
};

class COMPorts : public ::testing::Test
{
protected:
    void SetUp() override { Set_COM_Port_Probe(&Probe); }
    void TearDown() override { Set_COM_Port_Probe(nullptr); }
    FakeProbe Probe;
};

TEST_F(COMPorts, ListsPresentSerialDevicesInOrder)
{
    Probe.Names = {"ttyUSB1", "tty0", "ttyS10", "ttyACM0", "ttyS2", "ttyUSB0", "null", "ttyS1",
                   "ttySX", "ttyS3"};
    Probe.Errors = {{"/dev/ttyS1", EIO}, {"/dev/ttyS3", EBUSY}, {"/dev/ttyUSB1", EACCES}};
    EXPECT_EQ(Get_COM_Port_List(), QStringList({"/dev/ttyS2", "/dev/ttyS3", "/dev/ttyS10",
                                                "/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyACM0"}));
}

TEST_F(COMPorts, NeverThrows)
{
    Probe.Throw = true;
    EXPECT_TRUE(Get_COM_Port_List().isEmpty());
    Set_COM_Port_Probe(nullptr);
    EXPECT_NO_THROW(Get_COM_Port_List());
}

} // namespace
