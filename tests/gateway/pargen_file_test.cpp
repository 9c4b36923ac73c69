#include "gateway/pargen_file.h"
#include "platform/xml.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TParGen_Data From(const QString &xml)
{
    TXmlDocument doc;
    doc.LoadFromString(xml);
    TParGen_Data d;
    d.Load(doc);
    return d;
}

} // namespace

TEST(ParGenFile, WritesRootCommentAnd40ElementsInOrder)
{
    TXmlDocument doc;
    TParGen_Data::Without_File().Build(doc);
    const QString text = doc.SaveToString();
    EXPECT_FALSE(text.startsWith(QLatin1String("<?xml")));
    EXPECT_TRUE(text.trimmed().endsWith(QLatin1String("<!--SW_VERSION = 1.000-->")));
    const TXmlNode root = doc.DocumentElement();
    EXPECT_EQ(root.Name(), QStringLiteral("Par_Gen"));
    const std::vector<QString> names = TParGen_Data::Element_Names();
    ASSERT_EQ(names.size(), 40u);
    const std::vector<TXmlNode> children = root.Children();
    ASSERT_EQ(children.size(), 40u);
    const QStringList expected_values = {
        "", "0", "0", "0", "8", "8", "8", "8", "8", "8", "4", "4", "AS923", "Private", "0",
        "6\t- LoRa: SF7/250kHz 11000 [bit/s]", "Unconfirmed", "230", "Activation by Personalization [ABP]",
        "", "", "", "", "", "Fixed", "1", "192", "168", "0", "5", "255", "255", "255", "0",
        "192", "168", "0", "1", "0", "44818"};
    for (size_t i = 0; i < 40; ++i) {
        EXPECT_EQ(children[i].Name(), names[i]);
        EXPECT_EQ(children[i].Text(), expected_values[int(i)]) << names[i].toStdString();
        EXPECT_TRUE(children[i].Attributes().empty());
    }
    EXPECT_EQ(names.front(), QStringLiteral("Eth_Conn_Device_Name"));
    EXPECT_EQ(names[25], QStringLiteral("LoRa_Frequency_SubBand"));
    EXPECT_EQ(names.back(), QStringLiteral("EtherNetIP_Master_Port"));
}

TEST(ParGenFile, SavedFileReadsBackUnchanged)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ParGen.xml"));
    TParGen_Data d = TParGen_Data::Without_File();
    d.Eth_Conn_Device_Name = QStringLiteral("  gw <1> & \"two\" ");
    d.Eth_Conn_DHCP_Cable = true;
    d.LoRa_RF_Band = QStringLiteral("EU868");
    d.LoRa_DataRate = QStringLiteral("0 -\tLoRa: SF12/125kHz 250 [bit/s]");
    d.LoRa_Application_Key = QStringLiteral("00112233445566778899AABBCCDDEEFF");
    d.EtherNetIP_Master_EN_GAT = true;
    d.EtherNetIP_Master_IP4 = QStringLiteral("x");
    d.Save(path);
    TParGen_Data back;
    back.Load(path);
    EXPECT_EQ(back.Eth_Conn_Device_Name, d.Eth_Conn_Device_Name);
    EXPECT_TRUE(back.Eth_Conn_DHCP_Cable);
    EXPECT_EQ(back.LoRa_DataRate, d.LoRa_DataRate);
    EXPECT_EQ(back.LoRa_Application_Key, d.LoRa_Application_Key);
    EXPECT_TRUE(back.EtherNetIP_Master_EN_GAT);
    EXPECT_EQ(back.EtherNetIP_Master_IP4, QStringLiteral("x"));
    EXPECT_EQ(back.LoRa_Payload_Size, QStringLiteral("230"));
}

TEST(ParGenFile, MissingElementsTakeTheirDefaults)
{
    const TParGen_Data d = From(QStringLiteral(
        "<Anything><LoRa_RF_Band>EU868</LoRa_RF_Band><Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi>"
        "<Eth_Conn_Enable_DNS>true</Eth_Conn_Enable_DNS><LoRa_Adaptive_DataRate>1</LoRa_Adaptive_DataRate>"
        "<EtherNetIP_Master_Port>502</EtherNetIP_Master_Port></Anything>"));
    EXPECT_EQ(d.LoRa_RF_Band, QStringLiteral("EU868"));
    EXPECT_FALSE(d.Eth_Conn_DHCP_WiFi);           // never read
    EXPECT_FALSE(d.Eth_Conn_Enable_DNS);          // only "1" is on
    EXPECT_TRUE(d.LoRa_Adaptive_DataRate);
    EXPECT_EQ(d.EtherNetIP_Master_Port, QStringLiteral("44818"));
    EXPECT_EQ(d.Eth_Conn_Secondary_DNS3, QStringLiteral("4"));
    EXPECT_EQ(d.LoRa_Network_Type, QString());    // no selection
    EXPECT_EQ(d.LoRa_Payload_Size, QStringLiteral("0"));
    EXPECT_EQ(d.EtherNetIP_Master_GAT4, QStringLiteral("1"));
    EXPECT_EQ(From(QStringLiteral("<!--only a comment--><Par_Gen/>")).EtherNetIP_Master_SM1, QStringLiteral("255"));
}

TEST(ParGenFile, DamagedFileThrowsAndChangesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ParGen.xml"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<Par_Gen><LoRa_RF_Band>EU868</LoRa_RF_Band><Eth_Conn");
    f.close();
    TParGen_Data d = TParGen_Data::Without_File();
    EXPECT_THROW(d.Load(path), EXmlError);
    EXPECT_EQ(d.LoRa_RF_Band, QStringLiteral("AS923"));
    EXPECT_THROW(d.Load(dir.filePath(QStringLiteral("missing.xml"))), EXmlError);
}
