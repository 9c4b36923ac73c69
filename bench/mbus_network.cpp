// Opening and saving an M-Bus network of 250 nodes with 100 variables each.
#include "mbus/mbus_network.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

UMeter_Bus::TNodi_List Large_Network()
{
    UMeter_Bus::TNodi_List list;
    for (int n = 0; n < 250; ++n) {
        auto node = std::make_unique<UMeter_Bus::TNodo>();
        node->Enable = 1;
        node->Description = QStringLiteral("Meter %1").arg(n);
        node->Node_Pri = n;
        node->Node_Sec = 10000000 + n;
        node->MBus_Type = uint8_t(n % 2);
        for (int k = 0; k < 16; ++k)
            node->wMBus_Key[size_t(k)] = QString::number(k);
        for (int v = 0; v < 100; ++v) {
            auto var = std::make_unique<UMeter_Bus::TVariabile>();
            var->Enable = true;
            var->Description = QStringLiteral("Volume m3 (U0S%1T0)").arg(v);
            var->Type_Of_Data = 2;
            var->Dimension = 2;
            var->PositionData = 1 + 2 * v;
            var->Storage_Number = uint32_t(v);
            var->Position = uint16_t(v + 1);
            node->Var_List.push_back(std::move(var));
        }
        list.push_back(std::move(node));
    }
    return list;
}

void BM_Save_Network(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("M_Bus.xml"));
    const auto net = Large_Network();
    for (auto _ : state)
        Write_MBus_Network(net, path);
}
BENCHMARK(BM_Save_Network)->Unit(benchmark::kMillisecond);

void BM_Open_Network(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("M_Bus.xml"));
    Write_MBus_Network(Large_Network(), path);
    for (auto _ : state) {
        UMeter_Bus::TNodi_List list;
        Read_MBus_Network(path, list);
        benchmark::DoNotOptimize(list.size());
    }
}
BENCHMARK(BM_Open_Network)->Unit(benchmark::kMillisecond);

} // namespace
