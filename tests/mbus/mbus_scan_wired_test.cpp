// Wired scans against the gateway simulator in virtual time.
#include "mbus_scan_fixture.h"

#include "mbus_test_util.h"
#include "platform/xml.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

class WiredScan : public ScanFixture
{
protected:
    static QByteArray Bytes(const char *hex) { return QByteArray::fromHex(QByteArray(hex).replace(' ', "")); }

    // REQ_UD2 frames the line saw for address a.
    std::vector<QByteArray> Requests(uint8_t a) const
    {
        std::vector<QByteArray> r;
        for (const auto &g : Sim.Received)
            if (g.Data.size() == 5 && uint8_t(g.Data[0]) == 0x10 && (uint8_t(g.Data[1]) & 0xDF) == 0x5B
                && uint8_t(g.Data[2]) == a)
                r.push_back(g.Data);
        return r;
    }
    int Highest_Polled() const
    {
        int h = -1;
        for (const auto &g : Sim.Received)
            if (g.Data.size() == 5 && (uint8_t(g.Data[1]) & 0xDF) == 0x5B && uint8_t(g.Data[2]) <= 250)
                h = std::max(h, int(uint8_t(g.Data[2])));
        return h;
    }
    // A slave at primary address 5 that announces a second frame in its first.
    void Two_Frame_Slave()
    {
        TSim_Slave s;
        s.Primary = 5;
        s.Frames = {Hex("04 13 10 27 00 00 1F"), Hex("04 13 20 4E 00 00")};
        Sim.Slaves.push_back(s);
    }
};

TEST_F(WiredScan, NoSlavesReportsEveryAddressThenTheEnd)
{
    ASSERT_TRUE(Start_Primary());
    Run();
    EXPECT_FALSE(Engine->InScan());
    EXPECT_EQ(Engine->Result(), 1);
    std::vector<TCall> expected{{1, 0, 0, 1}};
    for (int a = 0; a <= 250; ++a)
        expected.push_back({2, a, 0, 1});
    expected.push_back({3, 0, 0, 1});
    EXPECT_EQ(Calls, expected);
    EXPECT_EQ(Sent(Engine->Gateway_Port).front(), QByteArray(MBus_Text::Enable_Analyzer));
    EXPECT_EQ(Sent(Engine->Gateway_Port)[1], Bytes("5165 6c76 6172 5f53 5f4d 3a 00000960 2c 02"));
    EXPECT_FALSE(Sim.Analyzer_Mode);
    EXPECT_TRUE(Wired.empty());
    EXPECT_FALSE(Transport->Active());
}

TEST_F(WiredScan, FramesPerSlaveFollowCutAfter)
{
    struct Case { int cut_after; size_t requests; size_t records; };
    for (const Case c : {Case{3, 2, 2}, Case{1, 1, 1}, Case{0, 1, 1}}) {
        SCOPED_TRACE(c.cut_after);
        Sim = TGatewaySim();
        Sim.Wireless_Port = 1502;
        Wired.clear();
        Calls.clear();
        Two_Frame_Slave();
        ASSERT_TRUE(Start_Primary(c.cut_after));
        Run();
        const std::vector<QByteArray> req = Requests(5);
        ASSERT_EQ(req.size(), c.requests);
        EXPECT_EQ(req[0], Bytes("10 7B 05 80 16"));
        if (c.requests > 1) {
            EXPECT_EQ(req[1], Bytes("10 5B 05 60 16"));
        }
        ASSERT_EQ(Wired.size(), 1u);
        EXPECT_EQ(Slave(0).Primary_Addresss, 5);
        EXPECT_EQ(Slave(0).Secondary_Addresss, "12345678");
        EXPECT_EQ(Slave(0).List_Var.size(), c.records);
        EXPECT_EQ(std::count(Calls.begin(), Calls.end(), TCall{2, 5, 1, 1}), 1);
        EXPECT_EQ(std::count(Calls.begin(), Calls.end(), TCall{2, 5, 0, 1}), 0);
    }
}

TEST_F(WiredScan, ResetAndSndNkeGoToEachAddressFirst)
{
    Two_Frame_Slave();
    ASSERT_TRUE(Start_Primary(1, true, true));
    Run();
    const std::vector<QByteArray> to5 = [&] {
        std::vector<QByteArray> r;
        for (const auto &g : Sim.Received)
            if ((g.Data.size() == 5 && uint8_t(g.Data[2]) == 5)
                || (g.Data.size() == 9 && uint8_t(g.Data[5]) == 5))
                r.push_back(g.Data);
        return r;
    }();
    ASSERT_GE(to5.size(), 3u);
    EXPECT_EQ(to5[0], Bytes("68 03 03 68 73 05 50 C8 16"));
    EXPECT_EQ(to5[1], Bytes("10 40 05 45 16"));
    EXPECT_EQ(to5[2], Bytes("10 7B 05 80 16"));
}

TEST_F(WiredScan, StopPollsNoFurtherAndStillReportsTheEnd)
{
    ASSERT_TRUE(Engine->Start_Scan(saPrimaryAddress, shEthernet, "127.0.0.1", 2400, 1, false,
                                   false, 0, false, 0, 0, [this](int k, int v, int f, int m) {
                                       Calls.push_back({k, v, f, m});
                                       if (k == 2 && v == 100)
                                           Engine->Stop_Scan();
                                   }));
    Run();
    EXPECT_EQ(Highest_Polled(), 100);
    ASSERT_FALSE(Calls.empty());
    EXPECT_EQ(Calls.back(), (TCall{3, 0, 0, 1}));
    EXPECT_EQ(Count_Sent(MBus_Text::Disable_Analyzer), 1);
}

TEST_F(WiredScan, AbortDuringReadOutReportsNothingMoreAndLeavesAnalyzerMode)
{
    Two_Frame_Slave();
    ASSERT_TRUE(Start_Primary(3));
    Run([&] { return !Requests(5).empty(); });
    const size_t calls = Calls.size();
    Engine->Abort_Scan();
    Run();
    EXPECT_FALSE(Engine->InScan());
    EXPECT_EQ(Calls.size(), calls);
    EXPECT_EQ(Count_Sent(MBus_Text::Disable_Analyzer), 1);
    EXPECT_FALSE(Sim.Analyzer_Mode);
    EXPECT_FALSE(Engine->AbortScan());
}

TEST_F(WiredScan, SecondaryScanFindsALoneSlaveAndSearchesOn)
{
    TSim_Slave s;
    s.Primary = -1;
    s.Frames = {Hex("04 13 10 27 00 00")};
    Sim.Slaves.push_back(s);
    ASSERT_TRUE(Start_Secondary());
    Run();
    ASSERT_EQ(Wired.size(), 1u);
    EXPECT_EQ(Slave(0).Secondary_Addresss, "12345678");
    EXPECT_EQ(Calls, (std::vector<TCall>{{1, 0, 0, 2}, {2, 0x12345678, 1, 2}, {3, 0, 0, 2}}));
    // Ten selections of the first digit alone; the one for 1 was acknowledged and read.
    std::vector<QByteArray> selections;
    for (const auto &g : Sim.Received)
        if (g.Data.size() == 17 && uint8_t(g.Data[6]) == 0x52)
            selections.push_back(g.Data);
    ASSERT_EQ(selections.size(), 10u);
    EXPECT_EQ(selections[1], Bytes("68 0B 0B 68 73 FD 52 FF FF FF 1F FF FF FF FF DA 16"));
    EXPECT_EQ(uint8_t(selections[9][10]), 0x9F);
    EXPECT_EQ(Requests(253).size(), 1u);
}

TEST_F(WiredScan, CollidingSlavesAreToldApartByRefinement)
{
    for (const char *id : {"12345678", "12349999"}) {
        TSim_Slave s;
        s.Primary = -1;
        s.ID = QString::fromLatin1(id);
        s.Frames = {Hex("04 13 10 27 00 00")};
        Sim.Slaves.push_back(s);
    }
    ASSERT_TRUE(Start_Secondary());
    Run();
    ASSERT_EQ(Wired.size(), 2u);
    EXPECT_EQ(Slave(0).Secondary_Addresss, "12345678");
    EXPECT_EQ(Slave(1).Secondary_Addresss, "12349999");
    EXPECT_EQ(std::count(Calls.begin(), Calls.end(), TCall{2, 0x12345678, 1, 2}), 1);
    EXPECT_EQ(std::count(Calls.begin(), Calls.end(), TCall{2, 0x12349999, 1, 2}), 1);
    EXPECT_EQ(Calls.back(), (TCall{3, 0, 0, 2}));
}

TEST_F(WiredScan, StopDuringTheSearchEndsWithoutReport)
{
    ASSERT_TRUE(Start_Secondary());
    Run([&] { return Engine->Step_Scan == 109; });
    Engine->Stop_Scan();
    Run();
    EXPECT_EQ(Calls, (std::vector<TCall>{{1, 0, 0, 2}}));
    EXPECT_FALSE(Engine->InScan());
}

TEST_F(WiredScan, GatewayThatDoesNotAnswerAsExpected)
{
    struct Case { TSim_Reply analyzer, baud, disable; int disables; };
    const Case cases[] = {
        {TSim_Reply::Silent, TSim_Reply::Normal, TSim_Reply::Normal, 1},
        {TSim_Reply::Wrong, TSim_Reply::Normal, TSim_Reply::Silent, 3},
        {TSim_Reply::Normal, TSim_Reply::Silent, TSim_Reply::Wrong, 3},
        {TSim_Reply::Normal, TSim_Reply::Wrong, TSim_Reply::Normal, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(&c - cases);
        Sim = TGatewaySim();
        Calls.clear();
        Sim.Analyzer_Reply = c.analyzer;
        Sim.Baud_Reply = c.baud;
        Sim.Disable_Reply = c.disable;
        ASSERT_TRUE(Start_Primary());
        Run();
        EXPECT_FALSE(Engine->InScan());
        EXPECT_EQ(Engine->Result(), 2);
        EXPECT_TRUE(Calls.empty());
        EXPECT_EQ(Count_Sent(MBus_Text::Disable_Analyzer), c.disables);
    }
}

TEST_F(WiredScan, FailedSendsCountAsNoAnswer)
{
    ASSERT_TRUE(Start_Primary());
    Transport->Deactivate();
    Run();
    EXPECT_EQ(Engine->Result(), 2);
    EXPECT_FALSE(Engine->InScan());
}

} // namespace

TEST_F(WiredScan, DumpIsWrittenWhenAMeterSendsControlCharacters)
{
    // A plain-text unit and an ASCII string record, both with bytes XML cannot hold.
    TSim_Slave s;
    s.Primary = 3;
    s.Frames = {Hex("02 FC 03 48 01 25 74 22 15  0D 7C 01 58 03 41 00 07")};
    Sim.Slaves.push_back(s);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dump.xml"));
    Engine->SaveXMLFile = path;
    ASSERT_TRUE(Start_Primary());
    Run();
    ASSERT_EQ(Wired.size(), 1u);
    TXmlDocument doc;
    doc.LoadFromFile(path);
    const auto vars = doc.DocumentElement().Child(QStringLiteral("Node")).Children(QStringLiteral("Variable"));
    ASSERT_EQ(vars.size(), 2u);
    EXPECT_EQ(vars[0].Attribute(QStringLiteral("Value")), QStringLiteral("54.1"));
    EXPECT_EQ(vars[1].Attribute(QStringLiteral("Value")), QStringLiteral("A\uFFFD\uFFFD"));
}

TEST_F(WiredScan, ADumpThatCannotBeWrittenIsReportedAndTheNextScanStartsClean)
{
    TSim_Slave s;
    s.Primary = 3;
    s.Frames = {Hex("04 13 10 27 00 00")};
    Sim.Slaves.push_back(s);
    QTemporaryDir dir;
    // A folder that does not exist: the dump cannot be written.
    Engine->SaveXMLFile = dir.filePath(QStringLiteral("missing/dump.xml"));
    ASSERT_TRUE(Start_Primary());
    Run();
    ASSERT_FALSE(Engine->InScan());
    EXPECT_FALSE(QFile::exists(Engine->SaveXMLFile));
    EXPECT_TRUE(Engine->SaveXMLFile_Error.contains(QStringLiteral("dump.xml")))
        << Engine->SaveXMLFile_Error.toStdString();

    Engine->SaveXMLFile = dir.filePath(QStringLiteral("dump.xml"));
    ASSERT_TRUE(Start_Primary());
    Run();
    EXPECT_TRUE(QFile::exists(Engine->SaveXMLFile));
    EXPECT_TRUE(Engine->SaveXMLFile_Error.isEmpty()) << Engine->SaveXMLFile_Error.toStdString();
}
