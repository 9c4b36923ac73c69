// The rule-file writers feed the image compiler: what they write for the fixture project
// compiles into its golden banks.
#include "gateway/compile_project.h"
#include "gateway/eds_reader.h"
#include "gateway/ethernetip_rules.h"
#include "gateway/lorawan_rules.h"
#include "gateway_fixture.h"

namespace {

class RuleFilesCompileTest : public GatewayTest
{
protected:
    void Expect_Golden_Banks()
    {
        Compile_Project();
        Write_Bank_Files();
        for (int n = 1; n <= 3; ++n) {
            const QByteArray golden = Read_Bytes(Gateway_Data(QStringLiteral("golden/full/bank%1.bin").arg(n)));
            ASSERT_FALSE(golden.isEmpty());
            EXPECT_EQ(Bank_File(n).toHex(' '), golden.toHex(' ')) << "bank " << n;
        }
    }
    static void Set(QStringList &row, const QStringList &cells)
    {
        for (qsizetype c = 0; c < cells.size(); ++c)
            if (!cells[c].isNull())
                row[c + 1] = cells[c];
    }
};

TEST_F(RuleFilesCompileTest, FixtureFilesReadAndWrittenAgainCompileTheSame)
{
    Copy_Project(QStringLiteral("full"), {"ParGen.xml", "EtherNetIP_Master_Rules.xml", "LoRaWAN_SetAccess.xml"});
    const TLoRaWAN_Settings settings = Read_LoRaWAN_Settings(Path_ParGen);
    const TLoRaWAN_Rules lora = TLoRaWAN_Rules::Load(Path_LoRaWAN_SetAccess, LoRaWAN_Grid_Rows(settings.FPortFixed));
    const TEtherNetIP_Rules eip = TEtherNetIP_Rules::Load(Path_EtherNetIP_Master_Rules);
    EXPECT_TRUE(eip.Warnings.isEmpty());
    ASSERT_TRUE(eip.ArrTargetConf[2]);
    lora.Save(Path_LoRaWAN_SetAccess);
    eip.Save(Path_EtherNetIP_Master_Rules);
    Expect_Golden_Banks();
}

// The same project as an engineer enters it: two connections imported from EDS files and
// completed by hand, one typed; the LoRaWAN rules typed. It passes the editors' checks.
TEST_F(RuleFilesCompileTest, ProjectEnteredThroughTheModelsCompilesToTheGoldenBanks)
{
    Copy_Project(QStringLiteral("full"), {"ParGen.xml"});
    const TLoRaWAN_Settings settings = Read_LoRaWAN_Settings(Path_ParGen);
    ASSERT_EQ(settings.MaxPayloadSize, 222);
    ASSERT_FALSE(settings.FPortFixed);

    TLoRaWAN_Rules lora = TLoRaWAN_Rules::Blank(LoRaWAN_Grid_Rows(settings.FPortFixed));
    Set(lora.Uplink[0], {"Y", "0", "10", "Y", "N", "N", "", "2", "Temperatures"});
    Set(lora.Uplink[1], {"N", "10", "221", "Y", "Y", "Y", "30", "9", "Disabled"});
    Set(lora.Uplink[2], {"Y", "20", "12", "N", "Y", "Y", "600", "5", "Status"});
    Set(lora.Uplink[3], {"Y", "300", "220", "N", "Y", "Y", "86400", "2", "Counters"});
    Set(lora.Downlink[0], {"Y", "0", "8", "3", "Set points"});
    Set(lora.Downlink[1], {"N", "8", "8", "4", "Disabled"});
    Set(lora.Downlink[2], {"Y", "1536", "2", "2", "Command"});
    ASSERT_EQ(lora.Check(settings.MaxPayloadSize, settings.FPortFixed), QString());
    lora.Save(Path_LoRaWAN_SetAccess);

    TEtherNetIP_Rules eip;
    TEDS_Reader eds;
    eds.EDS_FileName = Gateway_Data(QStringLiteral("eds/drive_a.eds"));
    eds.Read_EDS();
    ASSERT_EQ(eip.First_Free_Row(), 1);
    eip.Import_Connection(1, eds, 0);
    const QString keep;   // a null text leaves the imported cell
    Set(eip.Rows[0], {"Y", "10.0.0.20", "0", "32", "0", "16", "100", keep, keep, keep, keep, keep, keep, "Y", keep, "N",
                      keep, "N", "Drive A"});
    Set(eip.Rows[1], {"N", "10.0.0.21", "0", "100", "0", "100", "10", "1", "100", "1", "101", "Default", "Default", "Y",
                      "1,2,3,4,5,6,7,8", "N", "", "N", "Spare"});
    eds.EDS_FileName = Gateway_Data(QStringLiteral("eds/ioblock.eds"));
    eds.Read_EDS();
    ASSERT_EQ(eip.First_Free_Row(), 3);
    eip.Import_Connection(3, eds, 0);
    Set(eip.Rows[2], {"Y", "10.0.0.22", "$20", "8", "16", "4", "50", keep, keep, keep, keep, keep, keep, "N", keep, "Y",
                      keep, "Y", "IO block"});
    ASSERT_EQ(eip.Check(), QString());
    eip.Save(Path_EtherNetIP_Master_Rules);

    Expect_Golden_Banks();
}

} // namespace
