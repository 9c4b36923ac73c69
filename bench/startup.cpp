// Start-up: the time from process start to the main window shown with all 49 windows
// created, once cold, then the creation of all windows, the built-in texts and a full
// language file repeated.
#include "app/comon.h"
#include "app/language.h"
#include "app/tessalinorfirmware.h"
#include "platform/application.h"
#include "platform/files.h"
#include "program/program.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

// Milliseconds since the kernel started this process (clock-tick resolution).
double Ms_Since_Process_Start()
{
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    // Fields after the command name, which is in parentheses and may hold blanks.
    std::istringstream rest(line.substr(line.rfind(')') + 2));
    std::string field;
    for (int i = 3; i < 22; ++i)
        rest >> field;
    unsigned long long start_ticks = 0;
    rest >> start_ticks;
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double now_ms = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return now_ms - start_ticks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

void Show_And_Settle(TFTessalinorFirmWare *main_window)
{
    main_window->show();
    QCoreApplication::processEvents();
}

void BM_Create_All_Windows(benchmark::State &state)
{
    for (auto _ : state) {
        Show_And_Settle(Create_Forms());
        state.PauseTiming();
        Destroy_Forms();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Create_All_Windows)->Unit(benchmark::kMillisecond);

void BM_Load_Default_Texts(benchmark::State &state)
{
    for (auto _ : state)
        Load_Default_Texts();
    state.SetItemsProcessed(state.iterations() * Lang_Text_Count);
}
BENCHMARK(BM_Load_Default_Texts)->Unit(benchmark::kMicrosecond);

// A language file that sets every entry, with comments and pilcrows as translators write them.
void BM_Load_Language_File(benchmark::State &state)
{
    QTemporaryDir dir;
    QByteArray bytes("\xEF\xBB\xBF[Texts]\r\n");
    for (int n = 0; n < 6400; ++n)
        bytes += "STR" + QByteArray::number(n) + " =\xC2\xB6 Testo numero " + QByteArray::number(n)
                 + " \xC2\xB6 /#/ nota\r\n";
    const QString path = dir.filePath(QStringLiteral("Italiano.lng"));
    Write_File_Atomic(path, bytes);
    Load_Default_Texts();
    for (auto _ : state)
        Load_Language_File(path);
    state.SetItemsProcessed(state.iterations() * 6400);
}
BENCHMARK(BM_Load_Language_File)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    QTemporaryDir folder;
    Set_Program_Folder(folder.path());
    Show_And_Settle(Create_Forms());
    std::printf("Process start to main window shown, 49 windows created: %.1f ms\n",
                Ms_Since_Process_Start());
    Destroy_Forms();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Set_Program_Folder(QString());
    return 0;
}
