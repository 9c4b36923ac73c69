#include "mbus/mbus_results.h"

#include <gtest/gtest.h>

TEST(MBusResults, NewRecordHasItsCreationDefaults)
{
    const TVariable_MBus v;
    EXPECT_EQ(v.vifvalue, -1);
    EXPECT_TRUE(v.Enable);
    EXPECT_EQ(v.Node, nullptr);
    EXPECT_FALSE(v.errata);
    EXPECT_FALSE(v.Real_Wireless_Var);
    EXPECT_EQ(v.casovif, 0);
    EXPECT_EQ(v.nbyte, 0);
    for (const QString *t : {&v.sterror, &v.VIFE, &v.DIF, &v.DIFE, &v.totdati, &v.ValueStr,
                             &v.Desc_Type_Data, &v.descdim})
        EXPECT_TRUE(t->isEmpty());
}

TEST(MBusResults, NewMetersHaveTheirCreationDefaults)
{
    const TSlave_wMBus m;
    EXPECT_TRUE(m.Enable);
    EXPECT_FALSE(m.Enable_Key);
    EXPECT_EQ(m.Node, nullptr);
    EXPECT_EQ(m.RadioCrafts_Ind_Tab_Decript, -1);
    EXPECT_TRUE(m.List_Var.empty());
    const TSlave_MBus s;
    EXPECT_EQ(s.Node, nullptr);
    EXPECT_TRUE(s.List_Var.empty());
}

namespace {
// A record that notes the order in which records are freed.
struct TCounted : TVariable_MBus
{
    TCounted(std::vector<int> &log, int id) : Log(log), Id(id) {}
    ~TCounted() override { Log.push_back(Id); }
    std::vector<int> &Log;
    int Id;
};
} // namespace

TEST(MBusResults, DestroyingSlavesFreesRecordsLastFirst)
{
    std::vector<int> log;
    {
        TSlave_MBus s;
        for (int i = 1; i <= 3; ++i)
            s.List_Var.push_back(std::make_unique<TCounted>(log, i));
        s.Destry();
        EXPECT_TRUE(s.List_Var.empty());
    }
    EXPECT_EQ(log, (std::vector<int>{3, 2, 1}));

    log.clear();
    {
        TSlave_wMBus m;
        for (int i = 1; i <= 3; ++i)
            m.List_Var.push_back(std::make_unique<TCounted>(log, i));
    }
    EXPECT_EQ(log, (std::vector<int>{3, 2, 1}));
}

TEST(MBusResults, FindWirelessSlaveMatchesTheWholeQuadruple)
{
    std::vector<std::unique_ptr<TObject>> list;
    EXPECT_EQ(Find_Wireless_Slave(list, 1, 2, 3, 4), -1);

    list.push_back(std::make_unique<TSlave_MBus>());   // not a wireless meter: passed over
    for (uint8_t version : {3, 4}) {
        auto m = std::make_unique<TSlave_wMBus>();
        m->ALA_Manufacturer = 0x2C2D;
        m->ALA_Address = 0x12345678;
        m->ALA_Version = version;
        m->ALA_DeviceType = 7;
        list.push_back(std::move(m));
    }
    EXPECT_EQ(Find_Wireless_Slave(list, 0x2C2D, 0x12345678, 4, 7), 2);
    EXPECT_EQ(Find_Wireless_Slave(list, 0x2C2D, 0x12345678, 3, 7), 1);
    EXPECT_EQ(Find_Wireless_Slave(list, 0x2C2D, 0x12345678, 3, 8), -1);
    EXPECT_EQ(Find_Wireless_Slave(list, 0x2C2E, 0x12345678, 3, 7), -1);
}
