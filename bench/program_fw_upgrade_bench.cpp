// The batch firmware upgrade of the running program: a 16 MB image to 20 NEs, each on a loopback address of its own
// with its FTP server (sim/ftp/), FTPRATELIMIT 0 and the largest FTPDATASIZE, FTPMAXSESSION sessions at once (the
// argument). The time is the batch: from the confirmation of Upgrade until the dialog has every NE's result, with the
// reports to the server. total_MBps is what the best of three batches moved per second, session_MBps that over the
// sessions; curl_total_MBps and curl_session_MBps are the same 20 uploads made by curl from the shell to the same
// servers, as many at a time, in active mode as the program transfers (the best of three). ui_stall_ms is the longest
// the user-interface thread went without running its event loop during the batches, ui_idle_stall_ms the same over a
// second before them, while the program only ran its own timers.
//
//     build/bench/program_fw_upgrade_bench

#include "bench/program_boot.h"
#include "tests/link/ftp_peer.h"

#include "core/util/firmware_image.h"
#include "features/management/firmware/ne_fw_upgrade_dlg.h"
#include "platform/list_control.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

constexpr int kNes = 20;
constexpr size_t kImageBytes = 16u << 20;
constexpr int kCmdFirmwareUpgrade = 33044;
constexpr int kRuns = 3;

using Clock = std::chrono::steady_clock;

std::string NeAddress(int n)
{
    return "127.0.4." + std::to_string(n);
}

// A world of 20 IPD-12s in one location, each at its loopback address with the FTP login of its server.
std::string World()
{
    std::ostringstream world;
    world << "[RIGHTS]\nADMINISTRATOR=a*127\n[LocationRecord.1]\nid=1\nname=Lab\n"
             "[UserAccountRecord.1]\nname=admin\npassword=admin\nroleLetter=A\n";
    for (int n = 1; n <= kNes; ++n) {
        world << "[NeKeyRecord." << n << "]\nneId=" << n << "\nneName=Lab-" << n
              << "\nftpUser=qurim\nftpPassword=qurim\nmodelId=2\nlocationId=1\nipAddress=" << NeAddress(n)
              << "\nport=161\nsnmpCommunity=public\n[NE" << n << ".BOARD1]\nSLOT=10500\nPLANNED=20\n";
    }
    return world.str();
}

std::vector<ftp_test::FtpNe> FtpNes()
{
    std::vector<ftp_test::FtpNe> nes;
    for (int n = 1; n <= kNes; ++n)
        nes.push_back({NeAddress(n)});
    return nes;
}

// Seconds that curl takes for the 20 uploads, `sessions` at a time.
double CurlSeconds(const ftp_test::CFtpPeer& peer, const std::filesystem::path& image, int sessions)
{
    std::ostringstream command;
    command << "printf '%s\\n'";
    for (int n = 1; n <= kNes; ++n)
        command << " ftp://" << NeAddress(n) << ":" << peer.Port() << "/Partition%201/curl.enc";
    command << " | xargs -P " << sessions << " -I{} curl -s -S --user qurim:qurim --disable-eprt -P - -T '"
            << image.string() << "' {}";
    const auto start = Clock::now();
    if (std::system(command.str().c_str()) != 0)
        return -1;
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void BM_FirmwareTo20Nes(benchmark::State& state)
{
    const int sessions = static_cast<int>(state.range(0));
    ftp_test::CFtpPeer peer(FtpNes());
    for (int n = 1; n <= kNes; ++n)
        std::filesystem::create_directories(peer.Area(NeAddress(n)) / "Partition 1");
    if (!peer.Start()) {
        state.SkipWithError("no FTP servers (python3-pyftpdlib)");
        return;
    }
    e2e::CProgram program;
    const std::filesystem::path world = program.WorkDir().Path() / "world.ini";
    WriteText(world, World());
    const std::filesystem::path image = program.WorkDir().Path() / "qx7200.enc";
    const std::vector<uint8_t> bytes = BuildFirmwareImage("QX7200", "QX7200 3.1.0", std::vector<uint8_t>(kImageBytes));
    WriteText(image, std::string(bytes.begin(), bytes.end()));
    if (!program.StartServer({.args = {"--scenario", world.string()},
                              .generatedNes = 0,
                              .iniExtra = "[UPGRADE]\nFTPPORT=" + std::to_string(peer.Port()) + "\nFTPMAXSESSION=" +
                                          std::to_string(sessions) + "\nFTPDATASIZE=1500\nFTPRATELIMIT=0\n"}) ||
        !program.Login("admin", "admin")) {
        state.SkipWithError("the program could not log in to the simulated server");
        return;
    }
    program.ClickTreeItem(program.TreeItem(QStringLiteral("Lab-1")));

    // The same pulse while the program only runs its own timers, for comparison: what the machine itself costs.
    double idleStallMs = 0;
    {
        QElapsedTimer pulse;
        QTimer beat;
        qint64 longest = 0;
        QObject::connect(&beat, &QTimer::timeout, [&] { longest = std::max(longest, pulse.restart()); });
        pulse.start();
        beat.start(0);
        program_boot::RunProgramFor(1000);
        idleStallMs = static_cast<double>(longest);
    }

    double bestSeconds = 1e9;
    double stallMs = 0;
    int finished = 0;
    QString failures;
    for (auto _ : state) {
        program.Operator().OnDialog<CNeFwUpgradeDlg>([&](CNeFwUpgradeDlg& dialog) {
            e2e::Click(dialog, CNeFwUpgradeDlg::kSelectAllButtonId);
            e2e::Type(dialog, CNeFwUpgradeDlg::kLocalFileId, QString::fromStdString(image.string()));
            // The event loop's pulse: the longest gap between two turns of a timer that fires at every turn.
            QElapsedTimer pulse;
            QTimer beat;
            qint64 longest = 0;
            QObject::connect(&beat, &QTimer::timeout, [&] { longest = std::max(longest, pulse.restart()); });
            Clock::time_point start;
            program.Operator().onBox = [&](QDialog&) {
                // The confirmation: the batch starts when it is answered.
                start = Clock::now();
                pulse.start();
                beat.start(0);
                program.Operator().onBox = nullptr;
            };
            program.Operator().AnswerBox(IDYES);
            e2e::Click(dialog, CNeFwUpgradeDlg::kUpgradeButtonId);
            program.WaitUntil([&] { return dialog.Batch() == nullptr; }, 600000);
            beat.stop();
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            state.SetIterationTime(seconds);
            bestSeconds = std::min(bestSeconds, seconds);
            stallMs = std::max(stallMs, static_cast<double>(longest));
            const QStringList statuses =
                e2e::ListColumn(*dialog.FindList(kListControlId), CNeFwUpgradeDlg::kStatusColumn);
            finished = static_cast<int>(statuses.count("finish"));
            if (finished != kNes) {
                failures = statuses.join(',') + " / " +
                           e2e::ListColumn(*dialog.FindList(kListControlId), CNeFwUpgradeDlg::kErrorColumn).join(',');
            }
        });
        program.Command(kCmdFirmwareUpgrade);
        if (finished != kNes) {
            state.SkipWithError(("not every NE took the image: " + failures.toStdString()).c_str());
            return;
        }
    }
    // The best of the runs on either side: the machine's other work only ever slows one down.
    const double megabytes = static_cast<double>(bytes.size()) * kNes / (1 << 20);
    const double total = megabytes / bestSeconds;
    const int atOnce = std::min(sessions, kNes);
    state.counters["total_MBps"] = total;
    state.counters["session_MBps"] = total / atOnce;
    state.counters["ui_stall_ms"] = stallMs;
    state.counters["ui_idle_stall_ms"] = idleStallMs;
    double curl = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        const double seconds = CurlSeconds(peer, image, sessions);
        if (seconds < 0) {
            state.SkipWithError("curl failed");
            return;
        }
        curl = std::min(curl, seconds);
    }
    state.counters["curl_total_MBps"] = megabytes / curl;
    state.counters["curl_session_MBps"] = megabytes / curl / atOnce;
    state.counters["ratio_to_curl"] = total / (megabytes / curl);
}
BENCHMARK(BM_FirmwareTo20Nes)->Arg(1)->Arg(5)->Arg(20)->Iterations(kRuns)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
