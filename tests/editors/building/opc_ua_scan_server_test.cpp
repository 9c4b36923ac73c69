// The OPC UA browse dialog: the calls into the browse library, the table and the ticks.
#include "app/lbbutton.h"
#include "building_fixture.h"
#include "editors/building/opc_ua_scan_server.h"
#include "grid/string/dazcolumngrid.h"

#include <QLabel>
#include <gtest/gtest.h>

namespace {

// Records every call; answers with records of the given access levels.
class TFakeSearch : public IOPC_UA_Search
{
public:
    explicit TFakeSearch(QStringList &log) : Log(log) {}
    bool Load() override
    {
        Log << "load";
        return Loads;
    }
    bool Resolve() override
    {
        Log << "resolve";
        return Resolves;
    }
    int32_t opcua_client_begin(const opcua_server_to_discover &server) override
    {
        Log << QStringLiteral("begin %1 %2").arg(QString::fromLatin1(server.server_address)).arg(server.security_policy);
        return Count;
    }
    void opcua_return_variable(opcua_structure &record, int32_t index) override
    {
        Log << QStringLiteral("variable %1").arg(index);
        record.accessLevel = uint8_t(index);
        record.displayName = "v";
    }
    void Release() override { Log << "release"; }

    QStringList &Log;
    bool Loads = true, Resolves = true;
    int32_t Count = 4;
};

class OPCUAScan : public BuildingTest
{
protected:
    void SetUp() override
    {
        BuildingTest::SetUp();
        D = std::make_unique<TFOPC_UA_Scan_Server>();
        D->Library_Factory = [this]() -> std::unique_ptr<IOPC_UA_Search> {
            auto fake = std::make_unique<TFakeSearch>(Log);
            fake->Loads = Loads;
            fake->Resolves = Resolves;
            fake->Count = Count;
            return fake;
        };
        D->Server.server_address = Address.constData();
        D->Server.security_policy = 3;
    }
    void TearDown() override
    {
        D.reset();
        BuildingTest::TearDown();
    }
    void Browse()
    {
        D->FormShow();
        ASSERT_TRUE(D->Timer_Scan->isActive());
        EXPECT_EQ(D->Timer_Scan->interval(), 100);
        EXPECT_FALSE(D->LWaiting->isHidden());
        D->Timer_ScanTimer();
    }
    QString Cell(int c, int r) const { return D->ACG_OPC_UA_Scan_Var->GetCellEx(c, r); }

    std::unique_ptr<TFOPC_UA_Scan_Server> D;
    QStringList Log;
    QByteArray Address = "opc.tcp://10.0.0.1:4840";
    bool Loads = true, Resolves = true;
    int32_t Count = 4;
};

} // namespace

TEST_F(OPCUAScan, CallsTheLibraryInOrderAndReleasesIt)
{
    Browse();
    EXPECT_EQ(Log, (QStringList{"load", "resolve", "begin opc.tcp://10.0.0.1:4840 3", "variable 0", "variable 1",
                                "variable 2", "variable 3", "release"}));
    EXPECT_TRUE(D->LWaiting->isHidden());
    ASSERT_EQ(D->ACG_OPC_UA_Scan_Var->RowCount(), 5);
    // Access level 0 ticks both and reads "Read/Write"; 1 Read; 2 Write; 3 both.
    const char *expect[][3] = {{"Y", "Y", "Read/Write"}, {"Y", "", "Read"}, {"", "Y", "Write"}, {"Y", "Y", "Read/Write"}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Cell(1, i + 1), expect[i][0]) << i;
        EXPECT_EQ(Cell(2, i + 1), expect[i][1]) << i;
        EXPECT_EQ(Cell(8, i + 1), expect[i][2]) << i;
    }
    // Select/Clear All touch only their column.
    D->Select_All(false, true);
    EXPECT_EQ(Cell(2, 2), "Y");
    EXPECT_EQ(Cell(1, 3), "");
    D->Select_All(true, false);
    EXPECT_EQ(Cell(1, 1), "N");
    EXPECT_EQ(Cell(2, 1), "Y");
}

TEST_F(OPCUAScan, FailuresReleaseTheLibraryAndLeaveTheTableEmpty)
{
    Loads = false;
    Browse();
    EXPECT_EQ(Log, QStringList{"load"});
    EXPECT_EQ(Guard.Fake.Texts().size(), 1);
    EXPECT_TRUE(D->LWaiting->isHidden());
    Loads = true;
    Resolves = false;
    Log.clear();
    Browse();
    EXPECT_EQ(Log, (QStringList{"load", "resolve", "release"}));
    // A count beyond reason is refused before any record is fetched.
    Resolves = true;
    Count = TFOPC_UA_Scan_Server::Max_Variables + 1;
    Log.clear();
    Guard.Fake.Calls.clear();
    Browse();
    EXPECT_EQ(Log.size(), 4);
    EXPECT_EQ(Log.last(), "release");
    EXPECT_EQ(Guard.Fake.Texts().size(), 1);
    EXPECT_TRUE(D->List_Var.empty());
    // Nothing found: an empty table, and the select buttons do nothing.
    Count = 0;
    Browse();
    EXPECT_EQ(D->ACG_OPC_UA_Scan_Var->RowCount(), 2);
    D->Select_All(true, true);
    EXPECT_EQ(Cell(1, 1), "");
}

TEST_F(OPCUAScan, AnEmptyAddressShowsThePreviousResultWithoutTheLibrary)
{
    Browse();
    Log.clear();
    D->Server.server_address = "";
    D->FormShow();
    EXPECT_FALSE(D->Timer_Scan->isActive());
    EXPECT_TRUE(Log.isEmpty());
    EXPECT_EQ(D->ACG_OPC_UA_Scan_Var->RowCount(), 5);
}

TEST_F(OPCUAScan, TheRealAdapterBrowsesTheLibraryEndToEnd)
{
    D->Library_Factory = [] { return Make_OPC_UA_Search_Library(QStringLiteral(CF_OPC_UA_SEARCH)); };
    Browse();
    EXPECT_TRUE(Guard.Fake.Texts().isEmpty()) << Guard.Fake.LastText().toStdString();
    ASSERT_EQ(D->List_Var.size(), 5u);
    EXPECT_EQ(Cell(3, 1), QString::fromUtf8("Temp°"));
    EXPECT_EQ(Cell(5, 1), "1001");
    EXPECT_EQ(Cell(4, 2), "String");
    EXPECT_EQ(Cell(5, 2), "ns=2;s=Flow");
    EXPECT_EQ(Cell(5, 3), "A1B2C3D4-E5F6-0708-0A1A-2A3A4A5A6A7A");
    EXPECT_EQ(Cell(5, 3).size(), 36);
    EXPECT_EQ(Cell(5, 4), QString::fromUtf8("rawé"));
    EXPECT_EQ(Cell(3, 5), "");   // a null text is empty
    EXPECT_EQ(Cell(6, 1), "Float");
    EXPECT_EQ(Cell(7, 2), "2");
    // The texts were copied while fetched; the library has been released since.
    EXPECT_EQ(D->List_Var[1].stringname, "ns=2;s=Flow");
    EXPECT_EQ(D->List_Var[0].Record.displayName, nullptr);

    D->Library_Factory = [] { return Make_OPC_UA_Search_Library(QStringLiteral("/no/such/OPC_UA_Search")); };
    Browse();
    EXPECT_EQ(Guard.Fake.Texts().size(), 1);
}
