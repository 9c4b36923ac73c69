// The rule editor frame on its first editor, the Modbus serial master rules: a showing that
// resets both tables and loads a full file (512 read and 512 write rules), and OK that
// checks every rule and writes the file again. Every editor on the frame inherits both.
// Also the showing of the largest table, the KNX rules (1024 x 19), and of the CAN transmit
// rules (512 rows, eight byte lists of 3401 items each), from full files.
#include "app/comon.h"
#include "app/language.h"
#include "editors/fieldbus/knxaccess.h"
#include "editors/fieldbus/setaccess.h"
#include "editors/fieldbus/transmitcan.h"
#include "grid/string/dazcolumngrid.h"
#include "platform/files.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

struct TFull_Project
{
    TFull_Project()
    {
        Load_Default_Texts();
        Path_ModbusM_SetAccess = Dir.path() + QStringLiteral("/ModbusM_SetAccess.xml");
        Form = std::make_unique<TFSetAccess>();
        Form->FormShow();
        for (int r = 1; r <= 512; ++r) {
            const QString n = QString::number(r);
            const QString slave = QString::number((r - 1) % 247 + 1);
            const QStringList read = {"Y", slave, "Holding Register", n, "2", "1000", "3",
                                      QString::number(r * 2), "", "N", "N", "", "Read " + n};
            const QStringList write = {"Y", slave, "Coil Status", n, "8", "0", "Y", "N",
                                       "3", n, "0", "N", "N", "Write " + n};
            for (qsizetype c = 0; c < read.size(); ++c)
                Form->ACG_Modbus_Read->SetCellEx(int(c) + 1, r, read[c]);
            for (qsizetype c = 0; c < write.size(); ++c)
                Form->ACG_Modbus_Write->SetCellEx(int(c) + 1, r, write[c]);
        }
        Form->Btn_OKClick();
        if (Form->result() != 1 || !File_Exists(Path_ModbusM_SetAccess))
            throw std::runtime_error("the full file was not written");
    }
    QTemporaryDir Dir;
    std::unique_ptr<TFSetAccess> Form;
};

TFull_Project &Project()
{
    static TFull_Project project;
    return project;
}

void BM_FormShow_Full_File(benchmark::State &state)
{
    TFSetAccess &form = *Project().Form;
    for (auto _ : state) {
        form.FormShow();
        benchmark::DoNotOptimize(form.ACG_Modbus_Write->GetCellEx(14, 512));
    }
    state.SetItemsProcessed(state.iterations() * 1024);
}
BENCHMARK(BM_FormShow_Full_File)->Unit(benchmark::kMillisecond);

void BM_OK_Check_And_Save_Full(benchmark::State &state)
{
    TFSetAccess &form = *Project().Form;
    form.FormShow();
    for (auto _ : state) {
        form.setResult(0);
        form.Btn_OKClick();
        if (form.result() != 1)
            state.SkipWithError("a rule failed its check");
    }
    state.SetItemsProcessed(state.iterations() * 1024);
}
BENCHMARK(BM_OK_Check_And_Save_Full)->Unit(benchmark::kMillisecond);

struct TFull_KNX
{
    TFull_KNX()
    {
        Load_Default_Texts();
        Path_KNX_SetAccess = Dir.path() + QStringLiteral("/KNX_SetAccess.xml");
        Form = std::make_unique<TFKNXAccess>();
        Form->FormShow();
        for (int r = 1; r <= 1024; ++r) {
            const QStringList cells = {"Y", "1.1." + QString::number(r % 255 + 1), "1/2/3", "Write", "Normal",
                                       "None", "", "N", "N", "N", "N", "N", "", QString::number(r % 1400),
                                       "No", "2", "0", "Rule " + QString::number(r)};
            for (qsizetype c = 0; c < cells.size(); ++c)
                Form->ACG_KNX_in_Write->SetCellEx(int(c) + 1, r, cells[c]);
        }
        Form->Btn_OKClick();
        if (Form->result() != 1 || !File_Exists(Path_KNX_SetAccess))
            throw std::runtime_error("the full KNX file was not written");
    }
    QTemporaryDir Dir;
    std::unique_ptr<TFKNXAccess> Form;
};

void BM_KNX_FormShow_Full_File(benchmark::State &state)
{
    static TFull_KNX project;
    for (auto _ : state) {
        project.Form->FormShow();
        benchmark::DoNotOptimize(project.Form->ACG_KNX_in_Write->GetCellEx(18, 1024));
    }
    state.SetItemsProcessed(state.iterations() * 1024);
}
BENCHMARK(BM_KNX_FormShow_Full_File)->Unit(benchmark::kMillisecond);

struct TFull_Transmit_CAN
{
    TFull_Transmit_CAN()
    {
        Load_Default_Texts();
        Path_CAN_Send_Frames = Dir.path() + QStringLiteral("/CAN_Send_Frames.xml");
        Form = std::make_unique<TFTransmitCAN>();
        Form->FormShow();
        for (int r = 1; r <= 512; ++r) {
            QStringList cells = {"Y", QString::number(r), "2.0A (11 bits)", "8", "Y", "N", "Y", "100"};
            for (int k = 0; k < 8; ++k)
                cells << QString::number((r * 8 + k) % 3400);
            cells << "Frame " + QString::number(r);
            for (qsizetype c = 0; c < cells.size(); ++c)
                Form->ACG_CAN_Transmit->SetCellEx(int(c) + 1, r, cells[c]);
        }
        Form->Btn_OKClick();
        if (Form->result() != 1 || !File_Exists(Path_CAN_Send_Frames))
            throw std::runtime_error("the full CAN file was not written");
    }
    QTemporaryDir Dir;
    std::unique_ptr<TFTransmitCAN> Form;
};

void BM_TransmitCAN_FormShow_Full_File(benchmark::State &state)
{
    static TFull_Transmit_CAN project;
    for (auto _ : state) {
        project.Form->FormShow();
        benchmark::DoNotOptimize(project.Form->ACG_CAN_Transmit->GetCellEx(17, 512));
    }
    state.SetItemsProcessed(state.iterations() * 512);
}
BENCHMARK(BM_TransmitCAN_FormShow_Full_File)->Unit(benchmark::kMillisecond);

} // namespace
