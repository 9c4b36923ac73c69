// EDS reading on a large device description (2000 parameters, an assembly of 500 members,
// 200 connections written over several lines each), and the rule tables at their largest.
#include "gateway/eds_reader.h"
#include "gateway/ethernetip_rules.h"
#include "gateway/lorawan_rules.h"
#include "gateway/targetconfig.h"
#include "platform/rtl.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QStringList Large_Eds()
{
    QStringList l = {"[Device]", "VendCode = 1;", "ProdType = 12;", "ProdCode = 34;", "MajRev = 1;", "MinRev = 1;",
                     "[Params]"};
    for (int i = 1; i <= 2000; ++i) {
        l << QStringLiteral("Param%1 =").arg(i) << QStringLiteral("  0,,,0x0000,0xC7,2,   $ type and size")
          << QStringLiteral("  \"Parameter %1\",\"\",\"\",0,65535,%1,").arg(i) << QStringLiteral("  ,,,,,,,,0;");
        if (i % 10 == 0)
            l << QStringLiteral("Enum%1 = 0,\"Off\",1,\"On\",2,\"Auto\";").arg(i);
    }
    l << QStringLiteral("[Assembly]");
    QString members;
    for (int i = 0; i < 500; ++i)
        members += QStringLiteral(",16,Param%1").arg(i * 4 + 1);
    l << QStringLiteral("Assem100 = \"Config\",,8000,0x0000,,") + members + QLatin1Char(';');
    l << QStringLiteral("[Connection Manager]");
    for (int i = 1; i <= 200; ++i)
        l << QStringLiteral("Connection%1 =").arg(i) << QStringLiteral("  0x04010002,0x44640405,   $ trigger")
          << QStringLiteral("  ,32,Assem150,,16,Assem101,,,1000,Assem100,")
          << QStringLiteral("  \"Connection %1\",\"\",").arg(i) << QStringLiteral("  \"20 04 24 64 2C 96 2C 64\";");
    return l;
}

void BM_Read_Connections(benchmark::State &state)
{
    const QStringList lines = Large_Eds();
    TEDS_Reader r;
    for (auto _ : state) {
        r.Read_Lines(lines);
        benchmark::DoNotOptimize(r.List_Conn.size());
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}
BENCHMARK(BM_Read_Connections)->Unit(benchmark::kMillisecond);

void BM_Decode_Assembly(benchmark::State &state)
{
    const QStringList lines = Large_Eds();
    TTargetConfig tc;
    tc.Format = QStringLiteral("Assem100");
    for (auto _ : state) {
        tc.DecodeAssemblyObj(tc.Find_Assembly_Object(lines), lines);
        benchmark::DoNotOptimize(tc.GetConfigStrData());
    }
}
BENCHMARK(BM_Decode_Assembly)->Unit(benchmark::kMillisecond);

// The largest tables: 256 + 256 LoRaWAN rules, 10 connections with 510-byte segments,
// each checked, written and read again.
void BM_Rule_Files(benchmark::State &state)
{
    QTemporaryDir dir;
    TLoRaWAN_Rules lora = TLoRaWAN_Rules::Blank(257);
    for (int i = 0; i < 256; ++i) {
        lora.Uplink[size_t(i)] = {IntToStr(i), "Y", IntToStr(i), "4", "Y", "N", "Y", "60", "", "Rule"};
        lora.Downlink[size_t(i)] = {IntToStr(i), "Y", IntToStr(i), "4", "", "Rule"};
    }
    QStringList segment;
    for (int i = 0; i < 510; ++i)
        segment << QStringLiteral("0x%1").arg(i % 256, 2, 16, QLatin1Char('0'));
    TEtherNetIP_Rules eip;
    for (int r = 1; r <= 10; ++r)
        eip.Rows[size_t(r - 1)] = {IntToStr(r), "Y", "10.0.0.1", "0", "100", "0", "100", "100", "1", "100", "1",
                                   "101", "Default", "Default", "N", "", "Y", segment.join(QLatin1Char(',')), "N", "M"};
    const QString lora_path = dir.filePath(QStringLiteral("LoRaWAN_SetAccess.xml"));
    const QString eip_path = dir.filePath(QStringLiteral("EtherNetIP_Master_Rules.xml"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(lora.Check(222, true));
        benchmark::DoNotOptimize(eip.Check());
        lora.Save(lora_path);
        eip.Save(eip_path);
        benchmark::DoNotOptimize(TLoRaWAN_Rules::Load(lora_path, 257).Uplink.size());
        benchmark::DoNotOptimize(TEtherNetIP_Rules::Load(eip_path).Rows.size());
    }
}
BENCHMARK(BM_Rule_Files)->Unit(benchmark::kMillisecond);

} // namespace
