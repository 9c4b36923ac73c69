#include "gateway/compile_project.h"
#include "gateway_fixture.h"

#include "platform/rtl.h"

#include <QDirIterator>
#include <map>
#include <sys/stat.h>

namespace {

using Bytes = std::vector<uint8_t>;

class CompilerTest : public GatewayTest
{
protected:
    void Par_Gen(const QString &elements)
    {
        Write(Path_ParGen, (QStringLiteral("<Par_Gen>") + elements + QStringLiteral("</Par_Gen>")).toUtf8());
    }
    void Connections(const QString &rows)
    {
        Write(Path_EtherNetIP_Master_Rules,
              (QStringLiteral("<EtherNetIP_Master_Access>") + rows + QStringLiteral("</EtherNetIP_Master_Access>"))
                  .toUtf8());
    }
    void LoRa_Rules(const QString &uplink, const QString &downlink)
    {
        Write(Path_LoRaWAN_SetAccess, (QStringLiteral("<LoRaWAN_Set_Access><LoRaWAN_Uplink>") + uplink
                                       + QStringLiteral("</LoRaWAN_Uplink><LoRaWAN_Downlink>") + downlink
                                       + QStringLiteral("</LoRaWAN_Downlink></LoRaWAN_Set_Access>"))
                                          .toUtf8());
    }
    const TImage_Compiler &Compile()
    {
        Compiler.Compile_Project();
        return Compiler;
    }
    static Bytes Slice(const Bytes &image, size_t offset, size_t count)
    {
        return Bytes(image.begin() + std::ptrdiff_t(offset), image.begin() + std::ptrdiff_t(offset + count));
    }
    // The compile fails with a message holding the words, and no bank file is written.
    void Expect_Refused(const char *words)
    {
        try {
            Compile_Project();
            Write_Bank_Files();
            ADD_FAILURE() << "compiled: " << words;
        } catch (const ECompileError &e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QLatin1String(words))) << e.what();
        }
        EXPECT_FALSE(Dir_Exists(Project_Path + QStringLiteral("/bin"))) << words;
    }

    TImage_Compiler Compiler;
};

TEST_F(CompilerTest, GoldenImagesByteForByte)
{
    struct Case { const char *project; QStringList files; };
    const Case cases[] = {
        {"empty", {}},
        {"pargen_only", {"ParGen.xml"}},
        {"full", {"ParGen.xml", "EtherNetIP_Master_Rules.xml", "LoRaWAN_SetAccess.xml"}},
    };
    for (const Case &c : cases) {
        for (const QString &f : {Path_ParGen, Path_EtherNetIP_Master_Rules, Path_LoRaWAN_SetAccess})
            QFile::remove(f);
        Copy_Project(QStringLiteral("full"), c.files);
        Compile_Project();
        Write_Bank_Files();
        for (int n = 1; n <= 3; ++n) {
            const QByteArray golden = Read_Bytes(Gateway_Data(QStringLiteral("golden/%1/bank%2.bin")
                                                                  .arg(QLatin1String(c.project))
                                                                  .arg(n)));
            ASSERT_FALSE(golden.isEmpty());
            EXPECT_EQ(Bank_File(n).toHex(' '), golden.toHex(' ')) << c.project << " bank " << n;
        }
    }
}

TEST_F(CompilerTest, ChecksumsOfAProjectWithoutFilesAndOfAnEmptyParGen)
{
    EXPECT_EQ(Slice(Compile().Image(1), 2044, 4), Bytes({0x94, 0x0D, 0x00, 0x00}));
    Par_Gen({});
    const Bytes &bank1 = Compile().Image(1);
    EXPECT_EQ(bank1.size(), 2048u);
    EXPECT_EQ(Slice(bank1, 2044, 4), Bytes({0x05, 0x0E, 0x00, 0x00}));
    EXPECT_EQ(Slice(bank1, 40, 12), Bytes({192, 168, 0, 5, 255, 255, 255, 0, 255, 255, 255, 255}));
    EXPECT_EQ(Slice(bank1, 1644, 8), Bytes({'1', '.', '0', '0', '0', 0, 0, 0}));
}

TEST_F(CompilerTest, ParGenFields)
{
    struct Case { QString elements; int bank; size_t offset; Bytes expected; };
    const QString long_name = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd");
    const QByteArray first_31 = long_name.left(31).toLatin1();
    const Case cases[] = {
        {"<EtherNetIP_Master_IP1>10</EtherNetIP_Master_IP1>", 1, 40,
         {10, 168, 0, 5, 255, 255, 255, 0, 255, 255, 255, 255}},
        {"<EtherNetIP_Master_GAT4>254</EtherNetIP_Master_GAT4><EtherNetIP_Master_EN_GAT>1</EtherNetIP_Master_EN_GAT>",
         1, 48, {192, 168, 0, 254}},
        {"<EtherNetIP_Master_GAT4>254</EtherNetIP_Master_GAT4><EtherNetIP_Master_EN_GAT> 1</EtherNetIP_Master_EN_GAT>",
         1, 48, {255, 255, 255, 255}},
        {"<EtherNetIP_Master_SM4>$FC</EtherNetIP_Master_SM4><EtherNetIP_Master_SM3>x</EtherNetIP_Master_SM3>", 1, 44,
         {255, 255, 255, 0xFC}},
        {"<Eth_Conn_Device_Name>" + long_name + "</Eth_Conn_Device_Name>", 1, 1300,
         Bytes(first_31.begin(), first_31.end())},
        {"<Eth_Conn_Device_Name>" + long_name + "</Eth_Conn_Device_Name>", 1, 1331, {0}},
        {QStringLiteral("<Eth_Conn_Device_Name>G\u0141</Eth_Conn_Device_Name>"), 1, 1300, {'G', 0x41, 0}},
        {"<Eth_Conn_DHCP_Cable>1</Eth_Conn_DHCP_Cable><Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi>", 1, 1256, {3, 0}},
        {"<Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi>", 1, 1256, {2, 0}},
        {"<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS><Eth_Conn_Primary_DNS2>1</Eth_Conn_Primary_DNS2>", 1, 1420,
         {8, 1, 8, 8}},
        {"<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>", 1, 1340, {8, 8, 4, 4}},
        {"<Eth_Conn_Enable_DNS>Y</Eth_Conn_Enable_DNS><Eth_Conn_Primary_DNS1>1</Eth_Conn_Primary_DNS1>", 1, 1420,
         {0, 0, 0, 0}},
        {"<LoRa_RF_Band> us915-Hybrid </LoRa_RF_Band>", 3, 0, {9}},
        {"<LoRa_RF_Band>EU433</LoRa_RF_Band>", 3, 0, {0}},
        {"<LoRa_RF_Band>KR920</LoRa_RF_Band><LoRa_Network_Type>public</LoRa_Network_Type>", 3, 0, {6, 1}},
        {"<LoRa_DataRate> 3 \t- LoRa: SF9/125kHz 1760 [bit/s]</LoRa_DataRate>", 3, 3, {3}},
        {"<LoRa_DataRate>3</LoRa_DataRate>", 3, 3, {0}},
        {"<LoRa_Transmission_Type>confirmed</LoRa_Transmission_Type>", 3, 65, {0}},
        {"<LoRa_Transmission_Type>Confirmed</LoRa_Transmission_Type>", 3, 65, {1}},
        {"<LoRa_Device_Address>1A2B</LoRa_Device_Address>", 3, 4, {0x00, 0x00, 0x1A, 0x2B}},
        {"<LoRa_Device_Address>1G2B</LoRa_Device_Address>", 3, 4, {0x00, 0x00, 0x00, 0x2B}},
        {"<LoRa_JoinEUI>1</LoRa_JoinEUI>", 3, 8, {0, 0, 0, 0, 0, 0, 0, 1}},
        {"<LoRa_Transmit_Interval>70000</LoRa_Transmit_Interval>", 3, 68, {0x70, 0x11, 0x01, 0x00}},
        {"<LoRa_Payload_Size>51</LoRa_Payload_Size><LoRa_FPort> variable </LoRa_FPort>", 3, 66, {51, 1}},
        {"<LoRa_FPort>Fixed</LoRa_FPort>", 3, 67, {0}},
        {"<LoRa_Frequency_SubBand>2</LoRa_Frequency_SubBand>", 3, 84, {2}},
        {{}, 3, 84, {1}},
        // Over the air: the application key travels, the personalization fields stay zero.
        {"<LoRa_Activation_Method>Over-the-Air Activation [OTAA]</LoRa_Activation_Method>"
         "<LoRa_Device_Address>FFFFFFFFFF</LoRa_Device_Address><LoRa_Application_Key>0102</LoRa_Application_Key>",
         3, 2, {1, 0, 0, 0, 0, 0}},
        {"<LoRa_Activation_Method>Over-the-Air Activation [OTAA]</LoRa_Activation_Method>"
         "<LoRa_Application_Key>0102</LoRa_Application_Key>",
         3, 60, {0, 0, 1, 2}},
    };
    for (const Case &c : cases) {
        Par_Gen(c.elements);
        const Bytes &image = Compile().Image(c.bank);
        EXPECT_EQ(Slice(image, c.offset, c.expected.size()), c.expected) << c.elements.toStdString();
    }
}

TEST_F(CompilerTest, NothingOfAnEarlierCompileRemains)
{
    Par_Gen("<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>");
    LoRa_Rules("<row StartByte='1' NumByte='2'/><row StartByte='3' NumByte='4'/>", "<row StartByte='5'/>");
    Connections("<row Enable='Y' ElectronicKey='1,2' EnableElectronicKey='Y'/><row Enable='Y'/>");
    Compile();
    Par_Gen("<Eth_Conn_Enable_DNS>0</Eth_Conn_Enable_DNS>");
    LoRa_Rules("<row StartByte='7' NumByte='8'/>", {});
    Connections("<row Enable='Y'/>");
    TImage_Compiler fresh;
    fresh.Compile_Project();
    const TImage_Compiler &again = Compile();
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(again.Image(n), fresh.Image(n)) << n;
    EXPECT_EQ(Slice(again.Image(1), 1420, 4), Bytes({0, 0, 0, 0}));
    EXPECT_EQ(Slice(again.Image(3), 80, 4), Bytes({1, 0, 0, 0}));
    EXPECT_EQ(again.Image(2).size(), 402u);
}

TEST_F(CompilerTest, ConnectionOffsetsAndSums)
{
    Connections("<row Enable='Y' Num_Input='10' Num_Output='1'/>"
                "<row Enable='N' Num_Input='500' Num_Output='500'/>"
                "<row Enable=' y ' Num_Input='20' Num_Output='2'/>"
                "<row Num_Input='700'/>"
                "<row Enable='Y' Num_Input='30' Num_Output='3'/>");
    const TImage_Compiler &c = Compile();
    const Bytes &bank2 = c.Image(2);
    const uint16_t expected_in[] = {0, 10, 30};
    const uint16_t expected_out[] = {0, 1, 3};
    for (size_t slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(Get_U16(bank2, slot * 40 + 8), expected_in[slot]) << slot;
        EXPECT_EQ(Get_U16(bank2, slot * 40 + 14), expected_out[slot]) << slot;
    }
    EXPECT_EQ(Slice(bank2, 120, 40), Bytes(40, 0));
    EXPECT_EQ(Get_U32(c.Image(1), 116), 60u);
    EXPECT_EQ(Get_U32(c.Image(1), 120), 6u);
    EXPECT_EQ(Get_U32(c.Image(1), 1552), 3u);
}

TEST_F(CompilerTest, ConnectionHeaderFields)
{
    struct Case { QString attributes; size_t offset; Bytes expected; };
    const Case cases[] = {
        {{}, 0, {255, 255, 255, 255}},
        {"IP_Address=''", 0, {0, 0, 0, 0}},
        {"IP_Address='10.300.x.4'", 0, {10, 0, 0, 4}},
        {{}, 16, {1, 0, 100, 0, 1, 0, 101, 0, 0xE8, 0x03, 0, 0}},
        {"Instance_T_O='0x10' Start_Input='70000'", 16, {0x10, 0}},
        {"Start_Input='70000'", 4, {0x70, 0x11}},
        {"Time_Poll='4294967297'", 24, {1, 0, 0, 0}},
        {"Time_Poll='abc'", 24, {0xE8, 0x03, 0, 0}},
        {"Dim_Header_T_O='Default' Dim_Header_O_T='default'", 28, {0x20, 0, 0, 0}},
        {"Dim_Header_T_O='3' Dim_Header_O_T='5'", 28, {0x2B, 0, 0, 0}},
        {"Dim_Header_T_O='x' Dim_Header_O_T='x'", 28, {0x20, 0, 0, 0}},
        {"ResetData='y'", 28, {0x20, 0x01, 0, 0}},
        {"ResetData=' Y'", 28, {0x20, 0, 0, 0}},
    };
    for (const Case &c : cases) {
        Connections("<row Enable='Y' " + c.attributes + "/>");
        EXPECT_EQ(Slice(Compile().Image(2), c.offset, c.expected.size()), c.expected) << c.attributes.toStdString();
    }
}

TEST_F(CompilerTest, SegmentRecords)
{
    struct Case { QString attributes; Bytes key_data_addresses; Bytes tail; };
    const Case cases[] = {
        // The eight-byte key of the worked example: bank 2 is 414 bytes.
        {"EnableElectronicKey='Y' ElectronicKey='1, 2, 3, 4, 5, 6, 7, 8'", {0x92, 0x01, 0x08, 0, 0x90, 0x01, 0x08, 0},
         {0x0A, 0x00, 0x34, 0x04, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"EnableDataSegment=' y ' DataSegment='0x01,0x02,3'", {0x90, 0x01, 0x08, 0, 0x92, 0x01, 0x08, 0},
         {0x05, 0x00, 0x80, 0x02, 1, 2, 3}},
        {"EnableDataSegment='Y' DataSegment='1, 300, x, 2'", {0x90, 0x01, 0x08, 0, 0x92, 0x01, 0x08, 0},
         {0x04, 0x00, 0x80, 0x01, 1, 2}},
        {"EnableDataSegment='Y' DataSegment='x,,999'", {0x90, 0x01, 0x08, 0, 0x92, 0x01, 0x08, 0},
         {0x02, 0x00, 0x80, 0x00}},
        {"EnableElectronicKey='Y' ElectronicKey='7' EnableDataSegment='Y' DataSegment='9'",
         {0x92, 0x01, 0x08, 0, 0x97, 0x01, 0x08, 0}, {0x03, 0x00, 0x34, 0x01, 7, 0x03, 0x00, 0x80, 0x01, 9}},
        {"EnableElectronicKey='N' ElectronicKey='7' EnableDataSegment='Y' DataSegment=''",
         {0x90, 0x01, 0x08, 0, 0x90, 0x01, 0x08, 0}, {0, 0}},
    };
    for (const Case &c : cases) {
        Connections("<row Enable='Y' " + c.attributes + "/>");
        const Bytes &bank2 = Compile().Image(2);
        const std::string what = c.attributes.toStdString();
        EXPECT_EQ(Slice(bank2, 32, 8), c.key_data_addresses) << what;
        ASSERT_GE(bank2.size(), c.tail.size()) << what;
        EXPECT_EQ(Slice(bank2, bank2.size() - c.tail.size(), c.tail.size()), c.tail) << what;
    }
    Connections("<row Enable='Y' EnableElectronicKey='Y' ElectronicKey='1,2,3,4,5,6,7,8'/>");
    EXPECT_EQ(Compile().Image(2).size(), 414u);
}

TEST_F(CompilerTest, LoRaWANRulesArePackedAndTakeTheirPorts)
{
    const QString uplink = "<row StartByte='4' NumByte='6' OnChange='y' OnCMD=' Y' OnTimer='Y' FPort='9'/>"
                           "<row Enable='N' StartByte='99' NumByte='99'/>"
                           "<row Enable=' y ' StartByte='x' Time='45'/>";
    const QString downlink = "<row Enable='Y' StartByte='1' NumByte='2' OnChange='Y' Time='77' FPort='7'/>";
    struct Case { const char *fport; Bytes first_rule; uint8_t second_port; uint8_t down_port; };
    const Case cases[] = {
        {"Fixed", {4, 0, 6, 0, 0x05, 2, 0, 0, 30, 0, 0, 0}, 2, 2},
        {"VARIABLE", {4, 0, 6, 0, 0x05, 9, 0, 0, 30, 0, 0, 0}, 2, 7},
    };
    for (const Case &c : cases) {
        Par_Gen(QStringLiteral("<LoRa_FPort>%1</LoRa_FPort>").arg(QLatin1String(c.fport)));
        LoRa_Rules(uplink, downlink);
        const Bytes &bank3 = Compile().Image(3);
        EXPECT_EQ(bank3.size(), 8192u);
        EXPECT_EQ(Slice(bank3, 72, 12), Bytes({0x00, 0x04, 0x0A, 0x00, 0x00, 0x10, 0x0A, 0x00, 2, 0, 1, 0}));
        EXPECT_EQ(Slice(bank3, 1024, 12), c.first_rule) << c.fport;
        EXPECT_EQ(Slice(bank3, 1036, 12), Bytes({0, 0, 0, 0, 0, c.second_port, 0, 0, 45, 0, 0, 0})) << c.fport;
        EXPECT_EQ(Slice(bank3, 1048, 12), Bytes(12, 0));
        EXPECT_EQ(Slice(bank3, 4096, 12), Bytes({1, 0, 2, 0, 0, c.down_port, 0, 0, 0, 0, 0, 0})) << c.fport;
    }
}

TEST_F(CompilerTest, MissingRuleFilesStillSetTheTableAddresses)
{
    const Bytes &bank3 = Compile().Image(3);
    EXPECT_EQ(Slice(bank3, 0, 4), Bytes({0, 0, 0, 6}));
    EXPECT_EQ(Slice(bank3, 66, 18), Bytes({1, 0, 1, 0, 0, 0, 0x00, 0x04, 0x0A, 0, 0x00, 0x10, 0x0A, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Compile().Image(2), Bytes(402, 0));
}

TEST_F(CompilerTest, LimitsOfTheImagesStopTheCompileBeforeAnyFileIsWritten)
{
    const auto rows = [](int n, const QString &row) {
        QString out;
        for (int i = 0; i < n; ++i)
            out += row;
        return out;
    };
    const auto byte_list = [](int n) {
        QStringList bytes;
        for (int i = 0; i < n; ++i)
            bytes << QString::number(i % 256);
        return bytes.join(QLatin1Char(','));
    };
    Connections(rows(11, "<row Enable='Y'/>") + "<row Enable='N'/>");
    Expect_Refused("more than 10 enabled connections");
    QFile::remove(Path_EtherNetIP_Master_Rules);

    Connections("<row Enable='Y' EnableElectronicKey='Y' ElectronicKey='" + byte_list(98) + "'/>");
    Expect_Refused("electronic key of EtherNet/IP connection 1 holds 98 bytes");
    Connections("<row Enable='Y' EnableDataSegment='Y' DataSegment='" + byte_list(1000) + "'/>");
    Expect_Refused("data segment of EtherNet/IP connection 1 holds 1000 bytes");
    QFile::remove(Path_EtherNetIP_Master_Rules);

    LoRa_Rules(rows(257, "<row StartByte='0' NumByte='1'/>"), {});
    Expect_Refused("more than 256 enabled rules in <LoRaWAN_Uplink>");
    LoRa_Rules({}, rows(257, "<row Enable='Y'/>"));
    Expect_Refused("more than 256 enabled rules in <LoRaWAN_Downlink>");
    LoRa_Rules({}, {});
    Write(Path_LoRaWAN_SetAccess, "<LoRaWAN_Set_Access><LoRaWAN_Uplink/></LoRaWAN_Set_Access>");
    Expect_Refused("<LoRaWAN_Downlink> is missing");
    QFile::remove(Path_LoRaWAN_SetAccess);

    Par_Gen("<LoRa_Network_Session_Key>" + QString(33, QLatin1Char('A')) + "</LoRa_Network_Session_Key>");
    Expect_Refused("LoRa_Network_Session_Key in ParGen.xml holds 33 characters");
    Par_Gen("<LoRa_JoinEUI>00000000000000001</LoRa_JoinEUI>");
    Expect_Refused("LoRa_JoinEUI");
}

TEST_F(CompilerTest, WhatTheImagesHoldAtMost)
{
    QString full;
    for (int i = 0; i < 10; ++i)
        full += "<row Enable='Y' EnableElectronicKey='Y' ElectronicKey='" + QStringList(97, QStringLiteral("1")).join(QLatin1Char(','))
                + "' EnableDataSegment='Y' DataSegment='" + QStringList(999, QStringLiteral("255")).join(QLatin1Char(',')) + "'/>";
    Connections(full);
    const Bytes &bank2 = Compile().Image(2);
    EXPECT_EQ(bank2.size(), 402u + 10 * (101 + 1003));
    EXPECT_EQ(Get_U32(bank2, 9 * 40 + 36), 0x80000u + 402 + 9 * 1104 + 101);
    EXPECT_EQ(bank2.back(), 255);
}

TEST_F(CompilerTest, DamagedFilesStopTheCompile)
{
    Write(Path_ParGen, "<Par_Gen><LoRa_RF_Band>EU868</Par_Gen>");
    EXPECT_THROW(Compile(), EXmlError);
    QFile::remove(Path_ParGen);
    Write(Path_EtherNetIP_Master_Rules, "<EtherNetIP_Master_Access><row Enable='Y'");
    EXPECT_THROW(Compile(), EXmlError);
    QFile::remove(Path_EtherNetIP_Master_Rules);
    Write(Path_LoRaWAN_SetAccess, "");
    EXPECT_THROW(Compile(), EXmlError);
}

TEST_F(CompilerTest, BankFilesGoIntoBinCreatedWhenMissing)
{
    Compile_Project();
    Write_Bank_Files();
    EXPECT_EQ(Bank_File(1).size(), 2048);
    EXPECT_EQ(Bank_File(2).size(), 402);
    EXPECT_EQ(Bank_File(3).size(), 8192);
}

TEST_F(CompilerTest, AFailedWriteNamesTheFileAndKeepsTheOldOne)
{
    // A file where the folder should be.
    Write(Project_Path + QStringLiteral("/bin"), "x");
    Compile_Project();
    try {
        Write_Bank_Files();
        ADD_FAILURE() << "written";
    } catch (const ECompileError &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("/P/bin"))) << e.what();
    }
    QFile::remove(Project_Path + QStringLiteral("/bin"));

    Write_Bank_Files();
    const QByteArray old_bank2 = Bank_File(2);
    Connections("<row Enable='Y'/>");
    Compile_Project();
    Set_Atomic_Write_Hook([](const QString &temp) {
        if (temp.contains(QStringLiteral("bank2.bin")))
            throw EFileError("disk full");
    });
    try {
        Write_Bank_Files();
        ADD_FAILURE() << "written";
    } catch (const ECompileError &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("bank2.bin"))) << e.what();
    }
    Set_Atomic_Write_Hook({});
    EXPECT_EQ(Bank_File(2), old_bank2);
    EXPECT_EQ(Bank_File(3).size(), 8192);
}

// Two projects whose three banks all differ, and the entries a bank set leaves on disk.
class BankSetTest : public CompilerTest
{
protected:
    using Set = std::array<QByteArray, 3>;
    void SetUp() override
    {
        CompilerTest::SetUp();
        Compile_Project();
        Write_Bank_Files();
        Write(Project_Path + QStringLiteral("/bin/notes.txt"), "kept");
        Old = Bank_Set();
        Par_Gen(QStringLiteral("<EtherNetIP_Master_IP1>10</EtherNetIP_Master_IP1><LoRa_RF_Band>EU868</LoRa_RF_Band>"));
        Connections(QStringLiteral("<row Enable='Y' IP_Address='10.0.0.9' Num_Input='4'/>"));
        Compile_Project();
        New = Set{QByteArray(reinterpret_cast<const char *>(Image_Compiler().Image(1).data()), 2048),
                  QByteArray(reinterpret_cast<const char *>(Image_Compiler().Image(2).data()),
                             qsizetype(Image_Compiler().Image(2).size())),
                  QByteArray(reinterpret_cast<const char *>(Image_Compiler().Image(3).data()), 8192)};
        for (size_t i = 0; i < 3; ++i)
            ASSERT_NE(Old[i], New[i]) << "bank " << i + 1;
    }
    void TearDown() override
    {
        Set_Atomic_Write_Hook({});
        Set_Bank_Files_Hook({});
        CompilerTest::TearDown();
    }
    Set Bank_Set() const { return {Bank_File(1), Bank_File(2), Bank_File(3)}; }
    // The project folder's entries, hidden ones included, and those of bin.
    static QStringList Entries(const QString &dir)
    {
        return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                   QDir::Name);
    }
    void Expect_Clean(const Set &set, const std::string &where) const
    {
        EXPECT_EQ(Bank_Set(), set) << where;
        EXPECT_EQ(Entries(Project_Path + QStringLiteral("/bin")),
                  (QStringList{"bank1.bin", "bank2.bin", "bank3.bin", "notes.txt"}))
            << where;
        EXPECT_FALSE(Entries(Project_Path).contains(QStringLiteral(".bin.new"))) << where;
        EXPECT_FALSE(Entries(Project_Path).contains(QStringLiteral(".bin.old"))) << where;
        EXPECT_EQ(Read_Bytes(Project_Path + QStringLiteral("/bin/notes.txt")), "kept") << where;
    }
    // What a kill at this moment would leave: a copy of the project folder as it is.
    static void Copy_Tree(const QString &from, const QString &to)
    {
        ASSERT_TRUE(Force_Dir(to));
        QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString target = to + path.mid(from.size());
            if (it.fileInfo().isDir())
                ASSERT_TRUE(Force_Dir(target));
            else
                ASSERT_TRUE(QFile::copy(path, target)) << path.toStdString();
        }
    }
    Set Old, New;
};

TEST_F(BankSetTest, AFailureAtAnyOfTheThreeWritesKeepsTheOldSetWhole)
{
    for (int failing = 1; failing <= 3; ++failing) {
        const QString bank = QStringLiteral("bank%1.bin").arg(failing);
        Set_Atomic_Write_Hook([&](const QString &temp) {
            if (QFileInfo(temp).fileName().startsWith(QLatin1Char('.') + bank))
                throw EFileError("No space left on device");
        });
        try {
            Write_Bank_Files();
            ADD_FAILURE() << "written with " << bank.toStdString() << " failing";
        } catch (const ECompileError &e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("/P/bin/") + bank)) << e.what();
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("No space left"))) << e.what();
        }
        Set_Atomic_Write_Hook({});
        Expect_Clean(Old, "failing " + bank.toStdString());
    }
    // A failure after the set is complete, before the exchange, leaves no more of it.
    Set_Bank_Files_Hook([](TBank_Step step) {
        if (step == TBank_Step::Staged)
            throw ECompileError("stopped");
    });
    EXPECT_THROW(Write_Bank_Files(), ECompileError);
    Set_Bank_Files_Hook({});
    Expect_Clean(Old, "stopped before the exchange");

    Write_Bank_Files();
    Expect_Clean(New, "written");
}

TEST_F(BankSetTest, AnObstacleNamedLikeABankFileIsReplacedWithTheSet)
{
    QFile::remove(Project_Path + QStringLiteral("/bin/bank3.bin"));
    ASSERT_TRUE(Force_Dir(Project_Path + QStringLiteral("/bin/bank3.bin/inner")));
    Write_Bank_Files();
    Expect_Clean(New, "folder bank3.bin");
}

TEST_F(BankSetTest, AKillAtAnyStepLeavesOneWholeSetAndTheNextCompileRecovers)
{
    // Snapshots of the project folder where a kill would cut the write.
    std::vector<std::pair<std::string, QString>> kills;
    const QString root = Projects_Dir + QStringLiteral("/kills");
    const auto snapshot = [&](const std::string &name) {
        const QString to = root + QLatin1Char('/') + QString::fromStdString(name);
        Copy_Tree(Project_Path, to);
        kills.emplace_back(name, to);
    };
    Set_Atomic_Write_Hook([&](const QString &temp) {
        const QString name = QFileInfo(temp).fileName();
        if (name.startsWith(QStringLiteral(".bank2.bin")))
            snapshot("after bank1");
        if (name.startsWith(QStringLiteral(".bank3.bin")))
            snapshot("after bank2");
    });
    Set_Bank_Files_Hook([&](TBank_Step step) {
        snapshot(step == TBank_Step::Staged ? "before the exchange" : "after the exchange");
    });
    Write_Bank_Files();
    Set_Atomic_Write_Hook({});
    Set_Bank_Files_Hook({});
    Expect_Clean(New, "the write itself");
    ASSERT_EQ(kills.size(), 4u);

    // An exchange by two renames cut between them: bin moved aside, the new set complete
    // or not.
    for (const char *name : {"cut exchange, new set complete", "cut exchange, new set partial"}) {
        const QString to = root + QLatin1Char('/') + QLatin1String(name);
        Copy_Tree(kills[2].second, to);
        ASSERT_TRUE(QDir().rename(to + QStringLiteral("/bin"), to + QStringLiteral("/.bin.old")));
        if (QByteArray(name).endsWith("partial")) {
            ASSERT_TRUE(QFile::remove(to + QStringLiteral("/.bin.new/bank3.bin")));
        }
        kills.emplace_back(name, to);
    }

    // Which set the recovery settles on for each cut.
    const std::map<std::string, const Set *> recovered = {
        {"after bank1", &Old}, {"after bank2", &Old}, {"before the exchange", &Old},
        {"after the exchange", &New}, {"cut exchange, new set complete", &New},
        {"cut exchange, new set partial", &Old}};
    const QString project = Project_Path;
    for (const auto &[name, path] : kills) {
        Project_Path = path;
        Set_Files();
        // What the updater would be sent now: one set, never a mix.
        const Set on_disk = Bank_Set();
        if (name.rfind("cut exchange", 0) != 0) {
            EXPECT_TRUE(on_disk == Old || on_disk == New) << name;
        }
        // The next write recovers first; stopped before its own exchange, it shows what the
        // recovery left.
        Set_Bank_Files_Hook([](TBank_Step step) {
            if (step == TBank_Step::Staged)
                throw ECompileError("stopped");
        });
        EXPECT_THROW(Write_Bank_Files(), ECompileError);
        Set_Bank_Files_Hook({});
        Expect_Clean(*recovered.at(name), name + ", recovered");
        Write_Bank_Files();
        Expect_Clean(New, name + ", written again");
    }
    Project_Path = project;
    Set_Files();
}

TEST_F(CompilerTest, AProjectFileThatIsNoFileIsAnErrorNamingIt)
{
    const auto pipe = [](const QString &path) {
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0666), 0);
    };
    const auto folder = [](const QString &path) { ASSERT_TRUE(Force_Dir(path)); };
    struct Case { QString path; std::function<void(const QString &)> make; const char *kind; };
    const Case cases[] = {
        {Path_ParGen, folder, "folder"},
        {Path_ParGen, pipe, "pipe"},
        {Path_EtherNetIP_Master_Rules, pipe, "pipe"},
        {Path_LoRaWAN_SetAccess, folder, "folder"},
    };
    for (const Case &c : cases) {
        c.make(c.path);
        try {
            Compile_Project();
            ADD_FAILURE() << c.path.toStdString();
        } catch (const ECompileError &e) {
            const QString what = QString::fromUtf8(e.what());
            EXPECT_TRUE(what.contains(c.path)) << e.what();
            EXPECT_TRUE(what.contains(QLatin1String(c.kind))) << e.what();
        }
        EXPECT_FALSE(Dir_Exists(Project_Path + QStringLiteral("/bin")));
        Remove_Dir_Tree(c.path);
        QFile::remove(c.path);
    }
}

TEST(LoRaCodes, TextsToCodes)
{
    EXPECT_EQ(LoRa_Band_Code(QStringLiteral("\tau915 ")), 1);
    EXPECT_EQ(LoRa_Band_Code(QStringLiteral("IN865")), 7);
    EXPECT_EQ(LoRa_Band_Code(QStringLiteral("US915")), 8);
    EXPECT_EQ(LoRa_Band_Code(QStringLiteral("AS923-1")), 0);
    EXPECT_EQ(LoRa_Network_Code(QStringLiteral(" PUBLIC")), 1);
    EXPECT_EQ(LoRa_Activation_Code(QStringLiteral("over-the-air activation [otaa]")), 1);
    EXPECT_EQ(LoRa_Activation_Code(QStringLiteral("Over-the-Air Activation")), 0);
    EXPECT_EQ(LoRa_Transmission_Code(QStringLiteral("Confirmed ")), 0);
    EXPECT_EQ(Pad_Zero_Left(QStringLiteral("1A"), 4), QStringLiteral("001A"));
    EXPECT_EQ(Pad_Zero_Left(QStringLiteral("12345"), 4), QStringLiteral("12345"));
}

} // namespace
