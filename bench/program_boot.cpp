#include "bench/program_boot.h"

#include "ui/shell/app/login_dlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace program_boot {

void RunProgramFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double ProcessCpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

size_t ResidentBytes()
{
    ::malloc_trim(0);
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<size_t>(resident) * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

std::optional<double> TimedLogin(e2e::CProgram& program, const std::string& user, const std::string& password,
                                 const std::function<void()>& atClick)
{
    using Clock = std::chrono::steady_clock;
    Clock::time_point clicked{};
    program.Operator().PushLogin([&](CLoginDlg& dialog) {
        app_test::TypeLogin(dialog, app_test::LoginInput{.user = user, .password = password, .direct = false});
        if (atClick)
            atClick();
        clicked = Clock::now();
        dialog.GetDlgItemAs<QAbstractButton>(CLoginDlg::kLoginButtonId)->click();
    });
    // Not Login(), which waits on for the states the server sends after the login.
    if (!program.Start() || clicked == Clock::time_point{})
        return std::nullopt;
    return std::chrono::duration<double>(Clock::now() - clicked).count();
}

} // namespace program_boot

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
