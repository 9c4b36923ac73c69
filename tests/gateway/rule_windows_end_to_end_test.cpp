// A project set up through the program's own windows, opened from the main window's buttons
// as the engineer does, compiles into the golden banks of the fixture project.
#include "app/lbbutton.h"
#include "gateway/compile_project.h"
#include "gateway/ethernetip_data_seg.h"
#include "gateway/ethernetip_eds.h"
#include "gateway/ethernetip_master_access.h"
#include "gateway/lora_set_access.h"
#include "gateway/pargen.h"
#include "gateway_fixture.h"
#include "grid/string/dazcolumngrid.h"
#include "program/program.h"

#include <QTimer>

namespace {

class RuleWindowsTest : public GatewayTest
{
protected:
    void TearDown() override
    {
        Destroy_Forms();
        GatewayTest::TearDown();
    }
    // Cells from column 1 on; a null text leaves the cell as it is.
    static void Set(TDazStringGrid *grid, int row, const QStringList &cells)
    {
        for (qsizetype c = 0; c < cells.size(); ++c)
            if (!cells[c].isNull())
                grid->SetCellEx(int(c) + 1, row, cells[c]);
    }
    // Import EDS with the chooser's first connection.
    void Import(const char *file)
    {
        Guard.Fake.FileAnswers = {Gateway_Data(QStringLiteral("eds/") + QLatin1String(file))};
        QTimer::singleShot(0, FEtherNEtIP_EDS, [] { FEtherNEtIP_EDS->Btn_OK->Click(); });
        FEtherNetIP_Master_Access->Btn_Import_EDS->Click();
    }
};

TEST_F(RuleWindowsTest, ProjectEditedInTheWindowsCompilesToTheGoldenBanks)
{
    TFTessalinorFirmWare *main = Create_Forms();
    main->Apply_Open_Project(QStringLiteral("P"));
    Copy_Project(QStringLiteral("full"), {"ParGen.xml"});

    // The communication settings as they are.
    QTimer::singleShot(0, FParGen, [] { FParGen->Btn_OK->Click(); });
    main->Btn_Prm_Gen->Click();
    EXPECT_EQ(FParGen->result(), mrOk);

    QTimer::singleShot(0, FLoRa_Set_Access, [] {
        TFLoRa_Set_Access *f = FLoRa_Set_Access;
        TDazStringGrid *up = f->ACG_LoRa_Uplink;
        TDazStringGrid *down = f->ACG_LoRa_Downlink;
        Set(up, 1, {"Y", "0", "10", "Y", "N", "N", "", "2", "Temperatures"});
        Set(up, 2, {"N", "10", "221", "Y", "Y", "Y", "30", "9", "Disabled"});
        Set(up, 3, {"Y", "20", "12", "N", "Y", "Y", "600", "5", "Status"});
        Set(up, 4, {"Y", "300", "220", "N", "Y", "Y", "86400", "2", "Counters"});
        Set(down, 1, {"Y", "0", "8", "3", "Set points"});
        Set(down, 2, {"N", "8", "8", "4", "Disabled"});
        Set(down, 3, {"Y", "1536", "2", "2", "Command"});
        f->Btn_OK->Click();
    });
    main->Btn_LoRaWAN_Access->Click();
    EXPECT_EQ(FLoRa_Set_Access->result(), mrOk);

    QTimer::singleShot(0, FEtherNetIP_Master_Access, [this] {
        TFEtherNetIP_Master_Access *f = FEtherNetIP_Master_Access;
        TDazStringGrid *g = f->ACG;
        const QString keep;
        Import("drive_a.eds");
        Set(g, 1, {"Y", "10.0.0.20", "0", "32", "0", "16", "100", keep, keep, keep, keep, keep, keep, "Y", keep, "N",
                   keep, "N", "Drive A"});
        Set(g, 2, {"N", "10.0.0.21", "0", "100", "0", "100", "10", "1", "100", "1", "101", "Default", "Default", "Y",
                   "1,2,3,4,5,6,7,8", "N", "", "N", "Spare"});
        Import("ioblock.eds");
        Set(g, 3, {"Y", "10.0.0.22", "$20", "8", "16", "4", "50", keep, keep, keep, keep, keep, keep, "N", keep, "Y",
                   keep, "Y", "IO block"});
        // The data segment editor confirms the filter's value as typed.
        QTimer::singleShot(0, FEtherNetIP_Data_Seg, [] {
            FEtherNetIP_Data_Seg->RUD_DataSeg->SetCellEx(4, 2, QStringLiteral("0x0302"));
            FEtherNetIP_Data_Seg->Btn_OK->Click();
        });
        g->OnDblClickCell(g, 3, EC_DataSegment);
        f->Btn_OK->Click();
    });
    main->Btn_EtherNetIP_Access->Click();
    EXPECT_EQ(FEtherNetIP_Master_Access->result(), mrOk);
    for (const auto &call : Guard.Fake.Calls)
        EXPECT_EQ(call.what, QStringLiteral("open")) << call.text.toStdString();

    Compile_Project();
    Write_Bank_Files();
    for (int n = 1; n <= 3; ++n) {
        const QByteArray golden = Read_Bytes(Gateway_Data(QStringLiteral("golden/full/bank%1.bin").arg(n)));
        ASSERT_FALSE(golden.isEmpty());
        EXPECT_EQ(Bank_File(n).toHex(' '), golden.toHex(' ')) << "bank " << n;
    }
}

} // namespace
