// Decoding an EDS target configuration from the file: an assembly of many members, each with
// its own [Params] entry written over several lines, and one entry left without its ";"
// followed by a very long rest of the section.
#include "gateway/targetconfig.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString Write_Eds(const QTemporaryDir &dir, const QByteArray &text)
{
    const QString path = dir.filePath(QStringLiteral("device.eds"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size())
        return {};
    return path;
}

// members parameters, one tenth of them with a value list, and an assembly naming them all.
QByteArray Many_Members(int members)
{
    QByteArray t = "[Device]\nVendCode = 1;\n[Params]\n";
    for (int i = 1; i <= members; ++i) {
        t += "Param" + QByteArray::number(i) + " =\n  0,,,0x0000,0xC7,2,   $ type and size\n  \"Parameter "
             + QByteArray::number(i) + "\",\"\",\"\",0,65535," + QByteArray::number(i % 1000) + ";\n";
        if (i % 10 == 0)
            t += "Enum" + QByteArray::number(i) + " = 0,\"Off\",1,\"On\",2,\"Auto\";\n";
    }
    t += "[Assembly]\nAssem100 = \"Config\",,8000,0x0000,,";
    for (int i = 1; i <= members; ++i)
        t += ",16,Param" + QByteArray::number(i);
    t += ";\n[Connection Manager]\n";
    return t;
}

// One parameter entry without its ";", then lines that the capture takes in up to the
// section's end.
QByteArray Unterminated_Tail(int lines)
{
    QByteArray t = "[Params]\nParam1 = 0,,,0x0000,0xC7,2,\"P\",\"\",\"\",0,65535,1\n";
    for (int i = 0; i < lines; ++i)
        t += "Line" + QByteArray::number(i) + " = 0\n";
    t += "[Assembly]\nAssem100 = \"Config\",,8000,0x0000,,,16,Param1;\n";
    return t;
}

void Decode(benchmark::State &state, const QByteArray &text)
{
    QTemporaryDir dir;
    TTargetConfig tc;
    tc.FileName = Write_Eds(dir, text);
    tc.Format = QStringLiteral("Assem100");
    tc.Size = QStringLiteral("0");
    for (auto _ : state) {
        tc.DecodeTargetConf();
        benchmark::DoNotOptimize(tc.ListParamObject.size());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}

void BM_Decode_Members(benchmark::State &state)
{
    Decode(state, Many_Members(int(state.range(0))));
}
BENCHMARK(BM_Decode_Members)->Arg(2000)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_Decode_Unterminated_Tail(benchmark::State &state)
{
    Decode(state, Unterminated_Tail(int(state.range(0))));
}
BENCHMARK(BM_Decode_Unterminated_Tail)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
