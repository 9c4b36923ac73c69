#include "app/lbbutton.h"
#include "gateway/categorypanel.h"
#include "gateway/lora_payload.h"
#include "gateway/pargen.h"
#include "gateway/pargen_panels.h"
#include "gateway/pargen_rows.h"
#include "gateway_fixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace {

class ParGenTest : public GatewayTest
{
protected:
    void SetUp() override
    {
        GatewayTest::SetUp();
        Form = std::make_unique<TFParGen>();
    }
    void TearDown() override
    {
        Form.reset();
        GatewayTest::TearDown();
    }
    TParGen_Data Saved() const
    {
        TParGen_Data d;
        d.Load(Path_ParGen);
        return d;
    }
    void Write_ParGen(const QString &body)
    {
        Write(Path_ParGen, (QStringLiteral("<Par_Gen>") + body + QStringLiteral("</Par_Gen>")).toUtf8());
    }
    void Select(QComboBox *combo, int index)
    {
        combo->setCurrentIndex(index);
        Form->On_Change(combo);
    }
    static QString Octets(const TOctets &o)
    {
        QStringList parts;
        for (const QLineEdit *e : o)
            parts << e->text();
        return parts.join(u'.');
    }
    // Top of a panel's content control in the panel group.
    static int Top_In_Group(const QWidget *w) { return w->mapTo(w->window(), QPoint(0, 0)).y(); }

    std::unique_ptr<TFParGen> Form;
};

} // namespace

TEST_F(ParGenTest, ThisModelShowsItsThreePanels)
{
    const auto shown = Form->CPG->Visible_Panels();
    ASSERT_EQ(shown.size(), 3u);
    const char *names[] = {"CP_Ethernet_Connection", "CP_LoRa", "CP_EtherNetIP_Master"};
    const char *captions[] = {"1. Ethernet Connection", "2. LoRaWAN", "3. EtherNet/IP Master"};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(shown[k]->objectName(), QLatin1String(names[k]));
        EXPECT_EQ(shown[k]->Caption(), QLatin1String(captions[k]));
        EXPECT_EQ(shown[k]->TabOrder(), k);
    }
    EXPECT_EQ(Form->CPG->Panels().size(), 36u);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Set Communication"));
    EXPECT_EQ(Form->L_SW_Desc->text(), QStringLiteral("Set Communication Setting"));
    EXPECT_EQ(Form->L_SW_Code->text(), QStringLiteral("CF41R08"));
    EXPECT_EQ(Form->Btn_OK->Hint(), QStringLiteral("Confirm and Save the current configuration"));
    EXPECT_EQ(Form->Btn_Cancel->ModalResult(), mrCancel);
    EXPECT_EQ(Form->width(), 460);
    EXPECT_EQ(Form->maximumWidth(), 460);
}

TEST_F(ParGenTest, WithoutFileShowsTheDefaultsAndOkWritesThem)
{
    ASSERT_TRUE(Form->FormShow());
    EXPECT_EQ(Form->CB_LoRa_RF_Band->currentText(), QStringLiteral("AS923"));
    EXPECT_EQ(Form->CB_LoRa_DataRate->currentText(), QStringLiteral("6\t- LoRa: SF7/250kHz 11000 [bit/s]"));
    QStringList items;
    for (int i = 0; i < Form->CB_LoRa_DataRate->count(); ++i)
        items << Form->CB_LoRa_DataRate->itemText(i);
    EXPECT_EQ(items, LoRa_DataRate_Items(QStringLiteral("AS923")));
    EXPECT_EQ(Form->E_LoRa_Payload_Size->text(), QStringLiteral("230"));
    EXPECT_EQ(Octets(Form->E_EthConn_Pri_DNS_IP), QStringLiteral("8.8.8.8"));
    EXPECT_EQ(Octets(Form->E_EthConn_Sec_DNS_IP), QStringLiteral("8.8.4.4"));
    EXPECT_EQ(Octets(Form->E_EtherNetIP_Master_IP), QStringLiteral("192.168.0.5"));
    EXPECT_EQ(Octets(Form->E_EtherNetIP_Master_SM), QStringLiteral("255.255.255.0"));
    EXPECT_EQ(Octets(Form->E_EtherNetIP_Master_GAT), QStringLiteral("192.168.0.1"));
    EXPECT_FALSE(Form->CB_EtherNetIP_Master_GAT->isChecked());
    EXPECT_EQ(Form->E_EtherNetIP_Master_Port->text(), QStringLiteral("44818"));
    EXPECT_FALSE(Form->E_EtherNetIP_Master_Port->isEnabled());
    EXPECT_FALSE(Form->CB_EthConn_En_DHCP_WiFi->isEnabled());

    Form->Btn_OKClick();
    EXPECT_TRUE(Guard.Fake.Calls.empty());
    EXPECT_EQ(Form->result(), mrOk);
    TXmlDocument written, expected;
    written.LoadFromFile(Path_ParGen);
    TParGen_Data::Without_File().Build(expected);
    EXPECT_EQ(written.SaveToString(), expected.SaveToString());

    // Shown again, the file gives the same screen.
    Form->E_EthConn_Pri_DNS_IP[0]->setText(QStringLiteral("1"));
    ASSERT_TRUE(Form->FormShow());
    EXPECT_EQ(Octets(Form->E_EthConn_Pri_DNS_IP), QStringLiteral("8.8.8.8"));
    EXPECT_EQ(Form->CB_LoRa_DataRate->currentIndex(), 6);
}

TEST_F(ParGenTest, FileValuesReachTheScreenAndTheFile)
{
    Write_ParGen(QStringLiteral(
        "<Eth_Conn_Device_Name>gateway-7</Eth_Conn_Device_Name><Eth_Conn_DHCP_Cable>1</Eth_Conn_DHCP_Cable>"
        "<LoRa_RF_Band>eu868</LoRa_RF_Band><LoRa_Network_Type>Public</LoRa_Network_Type>"
        "<LoRa_DataRate>3 -\tLORA: SF9/125KHZ 1760 [BIT/S]</LoRa_DataRate><LoRa_Payload_Size>99</LoRa_Payload_Size>"
        "<LoRa_Transmission_Type>Confirmed</LoRa_Transmission_Type>"
        "<LoRa_Activation_Method>Over-the-Air Activation [OTAA]</LoRa_Activation_Method>"
        "<LoRa_Application_Key>00112233445566778899aabbccddeeff</LoRa_Application_Key>"
        "<LoRa_FPort>Variable</LoRa_FPort><EtherNetIP_Master_EN_GAT>1</EtherNetIP_Master_EN_GAT>"
        "<EtherNetIP_Master_Port>502</EtherNetIP_Master_Port>"));
    ASSERT_TRUE(Form->FormShow());
    EXPECT_EQ(Form->E_EthConn_Device_Name->text(), QStringLiteral("gateway-7"));
    EXPECT_EQ(Form->CB_LoRa_RF_Band->currentText(), QStringLiteral("EU868"));
    // Case aside the data rate matches its item; the payload is the table's, not the file's.
    EXPECT_EQ(Form->CB_LoRa_DataRate->currentIndex(), 3);
    EXPECT_EQ(Form->E_LoRa_Payload_Size->text(), QStringLiteral("115"));
    EXPECT_EQ(Form->E_LoRa_Application_Key->text(), QStringLiteral("00112233445566778899AABBCCDDEEFF"));
    EXPECT_EQ(Form->E_EtherNetIP_Master_Port->text(), QStringLiteral("44818"));
    // Cable DHCP greys the twelve octets, not their gateway box.
    for (const TOctets *o : {&Form->E_EtherNetIP_Master_IP, &Form->E_EtherNetIP_Master_SM, &Form->E_EtherNetIP_Master_GAT})
        for (QLineEdit *e : *o)
            EXPECT_FALSE(e->isEnabled());
    EXPECT_TRUE(Form->CB_EtherNetIP_Master_GAT->isEnabled());

    Form->Btn_OKClick();
    ASSERT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
    const TParGen_Data d = Saved();
    EXPECT_EQ(d.LoRa_RF_Band, QStringLiteral("EU868"));
    EXPECT_EQ(d.LoRa_DataRate, QStringLiteral("3 -\tLoRa: SF9/125kHz 1760 [bit/s]"));
    EXPECT_EQ(d.LoRa_Payload_Size, QStringLiteral("115"));
    EXPECT_EQ(d.EtherNetIP_Master_Port, QStringLiteral("44818"));
    EXPECT_TRUE(d.EtherNetIP_Master_EN_GAT);
    EXPECT_TRUE(d.Eth_Conn_DHCP_Cable);
}

TEST_F(ParGenTest, UnknownListTextsLeaveNoSelection)
{
    // The data rate of another band falls back to the first item of this band's list.
    Write_ParGen(QStringLiteral("<LoRa_RF_Band>US915</LoRa_RF_Band>"
                                "<LoRa_DataRate>6\t- LoRa: SF7/250kHz 11000 [bit/s]</LoRa_DataRate>"));
    ASSERT_TRUE(Form->FormShow());
    EXPECT_EQ(Form->CB_LoRa_DataRate->currentIndex(), 0);
    EXPECT_EQ(Form->E_LoRa_Payload_Size->text(), QStringLiteral("11"));
    EXPECT_EQ(Form->CB_LoRa_Network_Type->currentIndex(), -1);

    // No band: both lists empty, payload 0, and OK names the band.
    Write_ParGen(QStringLiteral("<LoRa_RF_Band>Mars</LoRa_RF_Band>"));
    ASSERT_TRUE(Form->FormShow());
    EXPECT_EQ(Form->CB_LoRa_RF_Band->currentIndex(), -1);
    EXPECT_EQ(Form->CB_LoRa_DataRate->count(), 0);
    EXPECT_EQ(Form->E_LoRa_Payload_Size->text(), QStringLiteral("0"));
    const QByteArray before = Read_Bytes(Path_ParGen);
    Form->Btn_OKClick();
    EXPECT_EQ(Guard.Fake.LastText(), QStringLiteral("Error LoRa!! RF Band cannot be empty"));
    EXPECT_EQ(Read_Bytes(Path_ParGen), before);
    EXPECT_NE(Form->result(), mrOk);
}

TEST_F(ParGenTest, ValidationStopsAtTheFirstFailure)
{
    struct Case
    {
        const char *what;
        std::function<void(TFParGen &)> spoil;
        const char *message;
    };
    const Case cases[] = {
        {"dns off", [](TFParGen &f) { f.E_EthConn_Pri_DNS_IP[0]->setText("300"); }, nullptr},
        {"dns 3", [](TFParGen &f) { f.CB_EthConn_Enable_DNS->setChecked(true); f.E_EthConn_Pri_DNS_IP[2]->setText("256"); },
         "Error Primary DNS!! DNS 3 must be between 0 and 255"},
        {"sec dns", [](TFParGen &f) { f.CB_EthConn_Enable_DNS->setChecked(true); f.E_EthConn_Sec_DNS_IP[0]->setText(""); },
         "Error Secondary DNS!! DNS 1 must be between 0 and 255"},
        {"network", [](TFParGen &f) { f.CB_LoRa_Network_Type->setCurrentIndex(-1); f.CB_LoRa_Transmission_Type->setCurrentIndex(-1); },
         "Error LoRa!! Network Type cannot be empty"},
        {"transmission", [](TFParGen &f) { f.CB_LoRa_Transmission_Type->setCurrentIndex(-1); },
         "Error LoRa!! Transmission Type cannot be empty"},
        {"payload", [](TFParGen &f) { f.E_LoRa_Payload_Size->setText("231"); },
         "Error LoRa!! Payload Size must be between 1 and 230"},
        {"payload text", [](TFParGen &f) { f.E_LoRa_Payload_Size->setText("x"); },
         "Error LoRa!! Payload Size must be between 1 and 230"},
        {"activation", [](TFParGen &f) { f.CB_LoRa_Activation_Method->setCurrentIndex(-1); },
         "Error LoRa!! Activation Method cannot be empty"},
        {"short address", [](TFParGen &f) { f.E_LoRa_Device_Address->setText("0123456"); },
         "Error LoRa!! Device Address must have 4 bytes"},
        {"blank in key", [](TFParGen &f) { f.E_LoRa_Network_Session_Key->setText("00112233 4556677889900AABBCCDDEEFF"); },
         "Error LoRa!! Network Session Key must have 16 bytes"},
        {"non-hex key", [](TFParGen &f) { f.E_LoRa_Application_Key->setText("0011223344556677889900AABBCCDDEG"); },
         "Error LoRa!! Application Key must have 16 bytes"},
        {"ip", [](TFParGen &f) { f.E_EtherNetIP_Master_IP[3]->setText("-1"); },
         "Error EtherNet/IP Master!! IP Address 4 must be between 0 and 255"},
        {"ip under dhcp", [](TFParGen &f) { f.CB_EthConn_En_DHCP_Cable->setChecked(true); f.E_EtherNetIP_Master_IP[0]->setText("a"); },
         "Error EtherNet/IP Master!! IP Address 1 must be between 0 and 255"},
        {"mask", [](TFParGen &f) { f.E_EtherNetIP_Master_SM[1]->setText("256"); },
         "Error EtherNet/IP Master!! SUBNET Mask 2 must be between 0 and 255"},
        {"gateway off", [](TFParGen &f) { f.E_EtherNetIP_Master_GAT[1]->setText("999"); }, nullptr},
        {"gateway on", [](TFParGen &f) { f.CB_EtherNetIP_Master_GAT->setChecked(true); f.E_EtherNetIP_Master_GAT[1]->setText("999"); },
         "Error EtherNet/IP Master!! GATEWAY IP 2 must be between 0 and 255"},
        {"full keys", [](TFParGen &f) { f.E_LoRa_JoinEUI->setText("0011223344556677"); f.E_LoRa_Device_Address->setText("26011BDA"); }, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(Path_ParGen);
        ASSERT_TRUE(Form->FormShow());
        Guard.Fake.Calls.clear();
        c.spoil(*Form);
        Form->Btn_OKClick();
        if (c.message) {
            ASSERT_EQ(Guard.Fake.Calls.size(), 1u);
            EXPECT_EQ(Guard.Fake.Calls[0].kind, TMsgKind::Error);
            EXPECT_EQ(Guard.Fake.Calls[0].text, QLatin1String(c.message));
            EXPECT_FALSE(File_Exists(Path_ParGen));
        } else {
            EXPECT_TRUE(Guard.Fake.Calls.empty()) << Guard.Fake.LastText().toStdString();
            EXPECT_TRUE(File_Exists(Path_ParGen));
        }
    }
    // Invalid octets that are not checked are written as typed.
    EXPECT_EQ(Saved().LoRa_JoinEUI, QStringLiteral("0011223344556677"));
}

TEST_F(ParGenTest, HexFieldsTakeOnlyHexDigitsInUpperCase)
{
    ASSERT_TRUE(Form->FormShow());
    QLineEdit *key = Form->E_LoRa_Network_Session_Key;
    key->insert(QStringLiteral("ab 1-g2"));
    EXPECT_EQ(key->text(), QStringLiteral("AB12"));
    key->setCursorPosition(2);
    QKeyEvent blank(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(key, &blank);
    QKeyEvent f(QEvent::KeyPress, Qt::Key_F, Qt::NoModifier, QStringLiteral("f"));
    QApplication::sendEvent(key, &f);
    EXPECT_EQ(key->text(), QStringLiteral("ABF12"));
    EXPECT_EQ(key->maxLength(), 32);
    EXPECT_EQ(Form->E_LoRa_Device_Address->maxLength(), 8);
    EXPECT_EQ(Form->E_LoRa_JoinEUI->maxLength(), 16);
    EXPECT_EQ(Form->E_EthConn_Device_Name->maxLength(), 31);
}

TEST_F(ParGenTest, DotMovesAlongTheOctetChains)
{
    ASSERT_TRUE(Form->FormShow());
    Form->show();
    struct Case
    {
        QLineEdit *from, *to;
    };
    const Case cases[] = {
        {Form->E_EthConn_Pri_DNS_IP[0], Form->E_EthConn_Pri_DNS_IP[1]},
        {Form->E_EthConn_Pri_DNS_IP[3], Form->E_EthConn_Sec_DNS_IP[0]},
        {Form->E_EthConn_Sec_DNS_IP[3], Form->E_EthConn_Sec_DNS_IP[3]},
        {Form->E_EtherNetIP_Master_IP[3], Form->E_EtherNetIP_Master_SM[0]},
        {Form->E_EtherNetIP_Master_SM[3], Form->E_EtherNetIP_Master_GAT[0]},
        {Form->E_EtherNetIP_Master_GAT[3], Form->E_EtherNetIP_Master_GAT[3]},
    };
    for (const Case &c : cases) {
        const QString before = c.from->text();
        c.from->setFocus();
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Period, Qt::NoModifier, QStringLiteral("."));
        QApplication::sendEvent(c.from, &key);
        EXPECT_EQ(Form->focusWidget(), c.to) << c.from->objectName().toStdString();
        EXPECT_EQ(c.from->text(), before);
    }
    // A disabled successor does not take the focus.
    Form->CB_EthConn_En_DHCP_Cable->setChecked(true);
    Form->E_EtherNetIP_Master_IP[0]->setEnabled(true);
    Form->E_EtherNetIP_Master_IP[0]->setFocus();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Period, Qt::NoModifier, QStringLiteral("."));
    QApplication::sendEvent(Form->E_EtherNetIP_Master_IP[0], &key);
    EXPECT_EQ(Form->focusWidget(), Form->E_EtherNetIP_Master_IP[0]);
    Form->hide();
}

TEST_F(ParGenTest, BandAndActivationMoveTheRows)
{
    ASSERT_TRUE(Form->FormShow());
    const int fport = Form->CB_LoRa_FPort->y();
    const int lora_height = Form->CP_LoRa->height();
    const int master_top = Form->CP_EtherNetIP_Master->Top();
    EXPECT_TRUE(Form->L_LoRa_FrequencySubBand->isHidden());

    Select(Form->CB_LoRa_RF_Band, 5);   // US915
    EXPECT_EQ(Form->CB_LoRa_DataRate->currentIndex(), 0);
    EXPECT_EQ(Form->E_LoRa_Payload_Size->text(), QStringLiteral("11"));
    EXPECT_FALSE(Form->CB_LoRa_FrequencySubBand->isHidden());
    EXPECT_EQ(Form->CB_LoRa_FrequencySubBand->y(), Form->CB_LoRa_RF_Band->y() + 25);
    EXPECT_EQ(Form->CB_LoRa_FPort->y(), fport + 28);
    EXPECT_EQ(Form->CP_LoRa->height(), lora_height + 28);
    EXPECT_EQ(Form->CP_EtherNetIP_Master->Top(), master_top + 28);

    Select(Form->CB_LoRa_DataRate, 10);   // data rate 13
    EXPECT_EQ(Form->E_LoRa_Payload_Size->text(), QStringLiteral("222"));
    Select(Form->CB_LoRa_RF_Band, 2);   // EU868: data rate 0 again
    EXPECT_EQ(Form->E_LoRa_Payload_Size->text(), QStringLiteral("51"));
    EXPECT_EQ(Form->CP_LoRa->height(), lora_height);

    // OTAA: three rows give way to one; the hidden values stay and are written.
    Form->E_LoRa_Device_Address->setText(QStringLiteral("26011BDA"));
    Select(Form->CB_LoRa_Activation_Method, 1);
    EXPECT_TRUE(Form->E_LoRa_Device_Address->isHidden());
    EXPECT_TRUE(Form->L_LoRa_Network_Session_Key->isHidden());
    EXPECT_FALSE(Form->E_LoRa_Application_Key->isHidden());
    EXPECT_EQ(Form->CB_LoRa_FPort->y(), fport - 56);
    EXPECT_EQ(Form->CP_LoRa->height(), lora_height - 56);
    Form->Btn_OKClick();
    EXPECT_EQ(Saved().LoRa_Device_Address, QStringLiteral("26011BDA"));

    // The label stands 3 below its input on every flowed row.
    EXPECT_EQ(Form->L_LoRa_FPort->y(), Form->CB_LoRa_FPort->y() + 3);
    EXPECT_EQ(Form->CB_LoRa_Adaptive_DataRate->y(), Form->L_LoRa_DataRate->y() - 28);
}

TEST_F(ParGenTest, CollapsingAPanelPushesTheOthersUp)
{
    const int lora_top = Form->CP_LoRa->Top();
    Form->CP_Ethernet_Connection->SetCollapsed(true);
    EXPECT_EQ(Form->CP_LoRa->Top(), TCategoryPanelGroup::Header_Height);
    EXPECT_LT(Form->CP_LoRa->Top(), lora_top);
    Form->CP_Ethernet_Connection->SetCollapsed(false);
    EXPECT_EQ(Form->CP_LoRa->Top(), lora_top);
    EXPECT_EQ(Form->CP_Ethernet_Connection->Full_Height(),
              Form->E_EthConn_Sec_DNS_IP[3]->y() + Form->E_EthConn_Sec_DNS_IP[3]->height() + 24 + 12);
}

TEST_F(ParGenTest, DamagedFileIsReportedAndTheWindowStaysClosed)
{
    ASSERT_TRUE(Form->FormShow());
    Form->E_EthConn_Device_Name->setText(QStringLiteral("kept"));
    Write(Path_ParGen, "<Par_Gen><Eth_Conn_Device_Name>new</Eth_Conn_Device_Name><LoRa_RF");
    EXPECT_FALSE(Form->FormShow());
    EXPECT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_TRUE(Guard.Fake.LastText().contains(QLatin1String("ParGen.xml"))) << Guard.Fake.LastText().toStdString();
    EXPECT_EQ(Form->E_EthConn_Device_Name->text(), QStringLiteral("kept"));
    EXPECT_EQ(Form->exec(), mrNone);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_EQ(Read_Bytes(Path_ParGen), QByteArray("<Par_Gen><Eth_Conn_Device_Name>new</Eth_Conn_Device_Name><LoRa_RF"));
}

TEST_F(ParGenTest, FailedSaveKeepsTheWindowOpen)
{
    ASSERT_TRUE(Form->FormShow());
    Path_ParGen = Project_Path + QStringLiteral("/gone/ParGen.xml");
    Form->setResult(0);
    Form->Btn_OKClick();
    EXPECT_EQ(Guard.Fake.Calls.size(), 1u);
    EXPECT_NE(Form->result(), mrOk);
}

TEST_F(ParGenTest, LanguageChangeLeavesThePanelCaptions)
{
    Lang_Text_List[2907] = QStringLiteral("Hostname");
    Lang_Text_List[2906] = QStringLiteral("Ethernet-Verbindung");
    Lang_Text_List[633] = QStringLiteral("Fehlt");
    Form->Set_Lang();
    EXPECT_EQ(Form->L_EthConn_Device_Name->text(), QStringLiteral("Hostname"));
    EXPECT_EQ(Form->CP_Ethernet_Connection->Caption(), QStringLiteral("1. Ethernet Connection"));
    auto *present = static_cast<QComboBox *>(Form->Other_Panels().Control(QStringLiteral("CB_MBus_OnWire_Present")));
    EXPECT_EQ(present->itemText(0), QStringLiteral("Fehlt"));
    EXPECT_EQ(present->currentIndex(), 0);
    auto *channel = static_cast<QComboBox *>(Form->Other_Panels().Control(QStringLiteral("CB_WiFi_Channel")));
    EXPECT_EQ(channel->count(), 12);
    EXPECT_EQ(channel->itemText(0), QStringLiteral("Auto Search"));
}

TEST_F(ParGenTest, EveryModelOrdersAndLaysOutItsPanels)
{
    TParGen_Other_Panels &other = Form->Other_Panels();
    ASSERT_EQ(TParGen_Other_Panels::Model_Count(), 29);
    for (int m = 0; m < TParGen_Other_Panels::Model_Count(); ++m) {
        for (TCategoryPanel *p : Form->CPG->Panels())
            p->SetVisible(false);
        other.Order_TAB_Panels_Model(m);
        other.RePosition_Objects_Model(m);
        const QStringList names = TParGen_Other_Panels::Model_Panels(m);
        const auto shown = Form->CPG->Visible_Panels();
        ASSERT_EQ(int(shown.size()), names.size()) << m;
        int top = 0;
        for (int k = 0; k < names.size(); ++k) {
            EXPECT_EQ(shown[k]->objectName(), names[k]);
            EXPECT_TRUE(shown[k]->Caption().startsWith(QStringLiteral("%1. ").arg(k + 1)));
            EXPECT_EQ(shown[k]->Top(), top);
            EXPECT_GT(shown[k]->height(), TCategoryPanelGroup::Header_Height);
            top += shown[k]->height();
        }
    }
    EXPECT_EQ(Form->Panel(QStringLiteral("CP_SNMP_Agent"))->Caption(), QStringLiteral("3. SNMP Agent"));
    EXPECT_FALSE(other.RePosition_Object(QStringLiteral("CP_Nothing")));
}

TEST_F(ParGenTest, OtherPanelsFollowTheirSelectors)
{
    TParGen_Other_Panels &o = Form->Other_Panels();
    const auto w = [&](const char *name) { return o.Control(QLatin1String(name)); };
    const auto combo = [&](const char *name) { return static_cast<QComboBox *>(w(name)); };
    const auto box = [&](const char *name) { return static_cast<QCheckBox *>(w(name)); };

    // M-Bus not present hides its line settings; the panel ends at the selector.
    combo("CB_MBus_OnWire_Present")->setCurrentIndex(0);
    o.RePosition_Object(QStringLiteral("CP_MBus"));
    EXPECT_TRUE(w("CB_MBus_Baudrate")->isHidden());
    EXPECT_EQ(Form->Panel(QStringLiteral("CP_MBus"))->Full_Height(), Panel_Height(w("CB_MBus_OnWire_Present")));
    combo("CB_MBus_OnWire_Present")->setCurrentIndex(1);
    EXPECT_TRUE(o.Relays_On_Change(combo("CB_MBus_OnWire_Present")));
    EXPECT_FALSE(o.Relays_On_Change(combo("CB_MBus_Baudrate")));
    EXPECT_TRUE(o.Relays_On_Click(box("CB_TLS_Enable")));
    o.RePosition_Object(QStringLiteral("CP_MBus"));
    EXPECT_FALSE(w("CB_MBus_SelectCField")->isHidden());
    EXPECT_EQ(Form->Panel(QStringLiteral("CP_MBus"))->Full_Height(), Panel_Height(w("CB_MBus_SelectCField")));

    // BACnet MS/TP rows take the place of the address rows.
    const int address_top = w("L_BACnet_IP_Master_IP")->y();
    combo("CB_BACnet_Master_Type")->setCurrentIndex(1);
    o.RePosition_Object(QStringLiteral("CP_BACnet_Master"));
    EXPECT_TRUE(w("E_BACnet_IP_Master_IP1")->isHidden());
    EXPECT_EQ(w("L_BACnet_MSTP_Master_Baudrate")->y(), address_top);
    EXPECT_EQ(w("E_BACnet_MSTP_Master_Device_Instance")->y(), address_top + 6 * 28 - 3);

    // TLS: client rows only with client authentication; rows move up.
    box("CB_TLS_Enable")->setChecked(true);
    box("CB_TLS_En_Client_Auth")->setChecked(true);
    o.RePosition_Object(QStringLiteral("CP_TLS"));
    EXPECT_TRUE(w("E_TLS_Server_Cert")->isHidden());
    EXPECT_EQ(w("CB_TLS_En_Client_Auth")->y(), w("CB_TLS_En_Server_Auth")->y() + 28);
    EXPECT_EQ(Form->Panel(QStringLiteral("CP_TLS"))->Full_Height(), Panel_Height(w("E_TLS_Client_Cert_Key_Pass")));

    // SNMP agent: security level 2 shows the privacy rows; cable DHCP greys the octets.
    box("CB_SNMP_Agent_Version3")->setChecked(true);
    combo("CB_SNMP_Agent_SecurityLevel")->setCurrentIndex(2);
    Form->CB_EthConn_En_DHCP_Cable->setChecked(true);
    o.RePosition_Object(QStringLiteral("CP_SNMP_Agent"));
    EXPECT_FALSE(w("CB_SNMP_Agent_PrivacyMode")->isHidden());
    EXPECT_FALSE(w("E_SNMP_Agent_IP1")->isEnabled());
    EXPECT_TRUE(w("CB_SNMP_Agent_GAT")->isEnabled());
    o.RePosition_Object(QStringLiteral("CP_Ethernet"));
    EXPECT_FALSE(w("CB_Ethernet_GAT")->isEnabled());
    EXPECT_TRUE(w("E_Ethernet_TCP_Port")->isHidden());

    // Wi-Fi client mode with an automatic address shows the name row instead.
    combo("CB_WiFi_Type")->setCurrentIndex(1);
    box("CB_WiFi_IP_Auto")->setChecked(true);
    o.RePosition_Object(QStringLiteral("CP_WiFi"));
    EXPECT_TRUE(w("E_WiFi_IP1")->isHidden());
    EXPECT_FALSE(w("E_WiFi_Name")->isHidden());
    EXPECT_TRUE(w("CB_WiFi_Channel")->isHidden());
    EXPECT_EQ(Form->Panel(QStringLiteral("CP_WiFi"))->Full_Height(), Panel_Height(w("E_WiFi_Password")));
}

TEST_F(ParGenTest, DataRateListShowsEachItemWhole)
{
    Form->show();
    Select(Form->CB_LoRa_RF_Band, Form->CB_LoRa_RF_Band->findText(QStringLiteral("EU868")));
    QComboBox *rates = Form->CB_LoRa_DataRate;
    ASSERT_EQ(rates->itemText(0), QStringLiteral("0 -\tLoRa: SF12/125kHz 250 [bit/s]"));
    // The item keeps its tab (it is the stored text); the list shows it as one blank.
    EXPECT_EQ(Shown_Item_Text(rates->itemText(0)), QStringLiteral("0 - LoRa: SF12/125kHz 250 [bit/s]"));
    rates->showPopup();
    const QAbstractItemView *view = rates->view();
    ASSERT_TRUE(view->isVisible());
    const QFontMetrics metrics(view->font());
    int widest = 0;
    for (int i = 0; i < rates->count(); ++i) {
        const QString shown = Shown_Item_Text(rates->itemText(i));
        widest = std::max(widest, metrics.horizontalAdvance(shown));
        // Each row's text as the list draws it: whole, without tab stops.
        const QModelIndex index = view->model()->index(i, 0);
        EXPECT_EQ(static_cast<QStyledItemDelegate *>(view->itemDelegate())->displayText(index.data(), QLocale()), shown);
        EXPECT_LE(metrics.horizontalAdvance(shown), view->viewport()->width() - 4) << i;
    }
    EXPECT_GE(view->window()->width(), List_Width(rates));
    rates->hidePopup();
}
