// Compile_Project: the fixture project of the tests (two connections, a handful of rules),
// and the largest project the images hold (ten connections with key and 510-byte data
// segment, 256 uplink and 256 downlink rules). Write_Bank_Files is timed apart.
#include "app/comon.h"
#include "gateway/compile_project.h"
#include "platform/files.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString Project(QTemporaryDir &dir, bool largest)
{
    Project_Path = dir.path();
    Set_Files();
    const QString data = QStringLiteral(CF_TEST_DATA_DIR "/gateway/full/");
    Write_File_Atomic(Path_ParGen, Read_File(data + QStringLiteral("ParGen.xml")));
    if (!largest) {
        Write_File_Atomic(Path_EtherNetIP_Master_Rules, Read_File(data + QStringLiteral("EtherNetIP_Master_Rules.xml")));
        Write_File_Atomic(Path_LoRaWAN_SetAccess, Read_File(data + QStringLiteral("LoRaWAN_SetAccess.xml")));
        return dir.path();
    }
    QStringList segment;
    for (int i = 0; i < 510; ++i)
        segment << QStringLiteral("0x%1").arg(i % 256, 2, 16, QLatin1Char('0')).toUpper();
    QByteArray rules = "<EtherNetIP_Master_Access>";
    for (int i = 0; i < 10; ++i)
        rules += "<row Enable=\"Y\" IP_Address=\"10.0.0." + QByteArray::number(i + 1)
                 + "\" Start_Input=\"0\" Num_Input=\"100\" Start_Output=\"0\" Num_Output=\"100\" Time_Poll=\"100\""
                   " Instance_T_O=\"101\" Connection_Point_T_O=\"100\" Instance_O_T=\"150\" Connection_Point_O_T=\"101\""
                   " Dim_Header_T_O=\"Default\" Dim_Header_O_T=\"Default\" EnableElectronicKey=\"Y\""
                   " ElectronicKey=\"0x01, 0x00, 0x0C, 0x00, 0x22, 0x00, 0x81, 0x01\" EnableDataSegment=\"Y\""
                   " DataSegment=\"" + segment.join(QLatin1Char(',')).toLatin1() + "\" ResetData=\"N\" Mnemonic=\"Slave\"/>";
    rules += "</EtherNetIP_Master_Access>";
    Write_File_Atomic(Path_EtherNetIP_Master_Rules, rules);
    QByteArray lora = "<LoRaWAN_Set_Access><LoRaWAN_Uplink>";
    for (int i = 0; i < 256; ++i)
        lora += "<row Enable=\"Y\" StartByte=\"" + QByteArray::number(i * 4) + "\" NumByte=\"4\" OnChange=\"Y\""
                " OnCMD=\"N\" OnTimer=\"Y\" Time=\"60\" FPort=\"2\" Mnemonic=\"Rule\"/>";
    lora += "</LoRaWAN_Uplink><LoRaWAN_Downlink>";
    for (int i = 0; i < 256; ++i)
        lora += "<row Enable=\"Y\" StartByte=\"" + QByteArray::number(i * 4) + "\" NumByte=\"4\" FPort=\"3\" Mnemonic=\"Rule\"/>";
    lora += "</LoRaWAN_Downlink></LoRaWAN_Set_Access>";
    Write_File_Atomic(Path_LoRaWAN_SetAccess, lora);
    return dir.path();
}

void BM_Compile_Project(benchmark::State &state)
{
    QTemporaryDir dir;
    Project(dir, state.range(0) != 0);
    for (auto _ : state) {
        Compile_Project();
        benchmark::DoNotOptimize(Image_Compiler().Image(2).data());
    }
    state.SetLabel(state.range(0) ? "largest project" : "test fixture");
}
BENCHMARK(BM_Compile_Project)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_Write_Bank_Files(benchmark::State &state)
{
    QTemporaryDir dir;
    Project(dir, true);
    Compile_Project();
    for (auto _ : state)
        Write_Bank_Files();
}
BENCHMARK(BM_Write_Bank_Files)->Unit(benchmark::kMicrosecond);

} // namespace
