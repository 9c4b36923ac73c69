// The largest tables of the building editors, the BACnet slave objects (2 x 2000 rows): a
// showing that resets both tables and loads a file with both lists full, and OK that checks
// every object and writes the file (1000 + 1000 objects, the most that pass the limit).
#include "app/comon.h"
#include "app/language.h"
#include "editors/building/bacnetslavesetaccess.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/dialogs.h"
#include "platform/files.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct TSlave_Project
{
    TSlave_Project()
    {
        Load_Default_Texts();
        Path_ParGen = Dir.path() + QStringLiteral("/ParGen.xml");
        Path_BACnet_Slave_SetAccess = Dir.path() + QStringLiteral("/BACnet_Slave_SetAccess.xml");
        Form = std::make_unique<TFBACnetSlaveSetAccess>();
        // Two full lists pass no check (4000 objects), so the file is written by hand.
        Full_File = Path_BACnet_Slave_SetAccess;
        QString xml = QStringLiteral("<BACnet_to_Modbus>");
        for (const char *list : {"BACnet_in_Read", "BACnet_in_Write"}) {
            xml += QStringLiteral("<%1>").arg(QLatin1String(list));
            for (int r = 1; r <= 2000; ++r)
                xml += QStringLiteral("<row Data_Type=\"Analog Value\" Eng_Unit=\"62\" Position=\"%1\" Bit=\"\" "
                                      "Length=\"4\" Swap=\"N\" Mnemonic=\"Object %2\"/>")
                           .arg(r % 1496)
                           .arg(r);
            xml += QStringLiteral("</%1>").arg(QLatin1String(list));
        }
        xml += QStringLiteral("</BACnet_to_Modbus><!--SW_VERSION = 1.000-->");
        Write_File_Atomic(Full_File, xml.toUtf8());
    }
    void Fill(int rows)
    {
        Form->FormShow();
        for (TDazColumnGrid *grid : {Form->ACG_BACnet_in_Read, Form->ACG_BACnet_in_Write}) {
            grid->BeginUpdate();
            for (int r = 1; r <= rows; ++r) {
                const QStringList cells = {"Analog Value", "62", QString::number(r % 1496), "", "4", "N",
                                           QStringLiteral("Object %1").arg(r)};
                for (qsizetype c = 0; c < cells.size(); ++c)
                    grid->SetCellEx(int(c) + 1, r, cells[c]);
            }
            grid->EndUpdate();
        }
    }
    TFakeDialogsGuard Dialogs;   // a failed check must not wait for a person
    QTemporaryDir Dir;
    QString Full_File;
    std::unique_ptr<TFBACnetSlaveSetAccess> Form;
};

TSlave_Project &Project()
{
    static TSlave_Project project;
    return project;
}

void BM_Slave_FormShow_Full_File(benchmark::State &state)
{
    TSlave_Project &p = Project();
    Path_BACnet_Slave_SetAccess = p.Full_File;
    for (auto _ : state) {
        p.Form->FormShow();
        benchmark::DoNotOptimize(p.Form->ACG_BACnet_in_Write->GetCellEx(7, 2000));
    }
    state.SetItemsProcessed(state.iterations() * 4000);
}
BENCHMARK(BM_Slave_FormShow_Full_File)->Unit(benchmark::kMillisecond);

void BM_Slave_OK_Check_And_Save(benchmark::State &state)
{
    TSlave_Project &p = Project();
    Path_BACnet_Slave_SetAccess = p.Dir.path() + QStringLiteral("/Saved.xml");
    p.Fill(1000);
    for (auto _ : state) {
        p.Form->setResult(0);
        p.Form->Btn_OKClick();
        if (p.Form->result() != 1)
            state.SkipWithError("an object failed its check");
    }
    state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_Slave_OK_Check_And_Save)->Unit(benchmark::kMillisecond);

} // namespace
