// Decoding a substation-sized SCL file: 2,000 logical nodes over 300 logical-node types, each
// type with data objects of structured attributes.
#include "editors/building/iec_61850_access.h"
#include "editors/building/iec_client_decode.h"

#include <QTreeWidget>

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QByteArray Large_Scl()
{
    constexpr int LN_Types = 300, LNs = 2000, DOs_Per_Type = 8;
    QByteArray x = "<SCL><IED name=\"BIG\"><AccessPoint name=\"AP\"><Server>";
    for (int ld = 0; ld < 20; ++ld) {
        x += "<LDevice inst=\"LD" + QByteArray::number(ld) + "\"><LN0 lnClass=\"LLN0\" lnType=\"T0\">"
             "<DataSet name=\"DS\">";
        for (int m = 0; m < 20; ++m)
            x += "<FCDA ldInst=\"LD" + QByteArray::number(ld) + "\" lnClass=\"C" + QByteArray::number(m)
                 + "\" doName=\"D1\" daName=\"f\"/>";
        x += "</DataSet><GSEControl name=\"G\" datSet=\"DS\"/></LN0>";
        for (int i = 0; i < LNs / 20; ++i) {
            const int n = ld * (LNs / 20) + i;
            x += "<LN lnClass=\"C" + QByteArray::number(i % 100) + "\" inst=\"" + QByteArray::number(n)
                 + "\" lnType=\"T" + QByteArray::number(n % LN_Types) + "\"/>";
        }
        x += "</LDevice>";
    }
    x += "</Server></AccessPoint></IED><DataTypeTemplates>";
    for (int t = 0; t < LN_Types; ++t) {
        x += "<LNodeType id=\"T" + QByteArray::number(t) + "\">";
        for (int d = 0; d < DOs_Per_Type; ++d)
            x += "<DO name=\"D" + QByteArray::number(d) + "\" type=\"DO" + QByteArray::number((t + d) % 40) + "\"/>";
        x += "</LNodeType>";
    }
    for (int d = 0; d < 40; ++d)
        x += "<DOType id=\"DO" + QByteArray::number(d) + "\"><DA name=\"mag\" bType=\"Struct\" type=\"AV\" fc=\"MX\"/>"
             "<DA name=\"q\" bType=\"Quality\" fc=\"MX\"/><DA name=\"t\" bType=\"Timestamp\" fc=\"MX\"/></DOType>";
    x += "<DAType id=\"AV\"><BDA name=\"f\" bType=\"FLOAT32\"/><BDA name=\"i\" bType=\"INT32\"/></DAType>";
    x += "</DataTypeTemplates></SCL>";
    return x;
}

void BM_Decode_Large_Scl(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.scd"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        state.SkipWithError("cannot write the file");
    f.write(Large_Scl());
    f.close();
    size_t attributes = 0;
    for (auto _ : state) {
        TIEC_Device dev(path);
        attributes = 0;
        for (const auto &ld : dev.List_LDevice)
            for (const auto &ln : ld->List_LN)
                for (const auto &d : ln->List_DO)
                    attributes += d->List_DA.size();
        benchmark::DoNotOptimize(attributes);
    }
    state.counters["attributes"] = double(attributes);
    state.counters["bytes"] = double(f.size());
}
BENCHMARK(BM_Decode_Large_Scl)->Unit(benchmark::kMillisecond);

// The editor's tree of the same device, built as choosing it in the device list does.
void BM_Show_Large_Tree(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.scd"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        state.SkipWithError("cannot write the file");
    f.write(Large_Scl());
    f.close();
    TIEC_Device dev(path);
    TFIEC_61850_Access form;
    for (auto _ : state) {
        form.TV_IEC_Device->clear();
        form.Show_Tree_IEC_Device(dev);
    }
    state.counters["items"] = double(form.TV_IEC_Device->topLevelItem(0)->childCount());
}
BENCHMARK(BM_Show_Large_Tree)->Unit(benchmark::kMillisecond);

} // namespace
