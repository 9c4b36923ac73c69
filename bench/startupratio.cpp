// Start-up to the main window shown, against an empty Qt program showing one window: both
// are this program started again (fresh processes, alternating rounds), each reporting on a
// pipe when its window is shown. The project side starts as main.cpp does, in a program
// folder that keeps its settings file from round to round.
#include "app/tessalinorfirmware.h"
#include "bench/common/ratio.h"
#include "platform/application.h"
#include "app/comon.h"
#include "program/program.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

std::string Self;
std::string Folder;

void Signal_Shown()
{
    QCoreApplication::processEvents();
    const char *fd = std::getenv("CF_SHOWN_FD");
    if (fd) {
        const char b = 1;
        [[maybe_unused]] ssize_t n = ::write(std::atoi(fd), &b, 1);
    }
}

int Run_Project_Child(int argc, char **argv)
{
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("CF41R08"));
    Set_Program_Folder(QString::fromLocal8Bit(std::getenv("CF_FOLDER")));
    TFTessalinorFirmWare *main_window = Create_Forms();
    main_window->show();
    Signal_Shown();
    main_window->close();
    Destroy_Forms();
    return 0;
}

int Run_Reference_Child(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget w;
    w.resize(694, 440);
    w.show();
    Signal_Shown();
    return 0;
}

// Starts this program as Mode and waits until it reports its window shown, then until it ends.
void Start_Child(const char *Mode)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return;
    const std::string fdVar = "CF_SHOWN_FD=" + std::to_string(fds[1]);
    const std::string folderVar = "CF_FOLDER=" + Folder;
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e)
        env.emplace_back(*e);
    env.push_back(fdVar);
    env.push_back(folderVar);
    std::vector<char *> envp;
    for (std::string &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string mode = Mode;
    char *args[] = {Self.data(), mode.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, Self.c_str(), nullptr, nullptr, args, envp.data()) != 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return;
    }
    ::close(fds[1]);
    char b = 0;
    [[maybe_unused]] ssize_t n = ::read(fds[0], &b, 1);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
}

// Only the time to the window shown counts: each side's exit runs after its report.
void BM_StartupRatio(benchmark::State &State)
{
    Run_Ratio(State, 9, {[] { Start_Child("--project"); }}, {[] { Start_Child("--reference"); }});
}
BENCHMARK(BM_StartupRatio)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && std::strcmp(argv[1], "--project") == 0)
        return Run_Project_Child(1, argv);
    if (argc > 1 && std::strcmp(argv[1], "--reference") == 0)
        return Run_Reference_Child(1, argv);
    char path[4096];
    const ssize_t len = ::readlink("/proc/self/exe", path, sizeof path - 1);
    Self.assign(path, len > 0 ? size_t(len) : 0);
    QTemporaryDir dir;
    Folder = dir.path().toStdString();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
