// Multicast channels of a large NE in the running program: the simulated server holds an IPD-48 whose first 14 line
// slots carry an ALC-48 (672 ports), each port with a PVC in service and a multicast channel, and 800 multicast
// channel profiles.
//   - BM_McChannelListOfAWholeNe: Configuration > xDSL > Multicast Channel on the NE; the time is the fill, from the
//     command until the list shows every channel; sort_ms is a sort of the list by its Slot-Port column, export_ms
//     the Export dialog's OK that writes the 672 rows to a file.
//   - BM_McFastProvisionOf672Ports: the fast provisioning of the 14 slots, its progress list's Go until the run ends
//     (one port a tick, the next tick 100 ms after a write, each port asked to replace its channel). longest_gap_ms
//     is the longest the user interface went without handling its events while the run went, as a 1 ms timer of the
//     test sees it; idle_gap_ms the same over the second before Go, with the list open and nothing running. On a
//     busy machine much of a gap is time the thread waited for a processor, which the kernel counts
//     (/proc/thread-self/schedstat): longest_stall_ms is the longest gap less that wait, the time the program itself
//     kept the user interface from its events.
//
//     build/bench/program_mc_channel_bench

#include "bench/program_boot.h"
#include "tarvik_test_paths.h"

#include "features/provisioning/multicast/mc_fast_prov_dlg.h"
#include "features/provisioning/multicast/mc_fast_prov_list_dlg.h"
#include "features/provisioning/multicast/xdsl_mc_channel_list_dlg.h"
#include "platform/list_control.h"
#include "ui/framework/lists/export_dlg.h"

#include <QComboBox>
#include <QTimer>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kCmdMcChannel = 33121;
constexpr int kCmdMcFastProvision = 33122;
constexpr uint32_t kLineCardModel = 31; // ALC-48
constexpr uint32_t kLineSlots = 14;
constexpr uint32_t kPorts = 48;
constexpr uint32_t kAllPorts = kLineSlots * kPorts;
constexpr uint32_t kChannelProfiles = 800;
constexpr int kSlotPortColumn = 1;

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// How long the calling thread has waited for a processor so far; 0 where the kernel does not count it.
double ProcessorWaitMs()
{
    std::ifstream stat("/proc/thread-self/schedstat");
    uint64_t ranNs = 0;
    uint64_t waitedNs = 0;
    stat >> ranNs >> waitedNs;
    return static_cast<double>(waitedNs) / 1e6;
}

// The lines of an exported list that name a port ("1-1" and on), none when it was not written.
uint32_t ExportedRows(const std::filesystem::path& path)
{
    std::ifstream file(path);
    uint32_t rows = 0;
    for (std::string line; std::getline(file, line);)
        rows += line.find('-') != std::string::npos ? 1 : 0;
    return rows;
}

std::vector<uint32_t> AllPorts()
{
    std::vector<uint32_t> ports;
    for (uint32_t slot = 1; slot <= kLineSlots; ++slot) {
        for (uint32_t port = 1; port <= kPorts; ++port)
            ports.push_back(10000 + slot * 100 + port);
    }
    return ports;
}

std::filesystem::path WriteWorld(const std::filesystem::path& dir)
{
    const std::filesystem::path path = dir / "mc_channel_world.ini";
    std::ofstream ini(path);
    ini << "[SERVER]\nMODELS=" << TARVIK_RESOURCES_DIR << "/EntConf\n\n[RIGHTS]\nADMINISTRATOR=a*127\n"
        << "MANAGER=m*127\nUSER=q*127\n\n[UserAccountRecord.1]\nname=admin\npassword=admin\nroleLetter=A\n\n"
        << "[NeKeyRecord.1]\nneId=1\nneName=Full-48\nmodelId=4\nipAddress=10.30.1.1\nport=161\n"
        << "snmpCommunity=public\n\n[NE1.McServiceProfileRec.basic]\nrequest=450\nname=basic\nstatus=1\n";
    for (uint32_t id = 1; id <= kChannelProfiles; ++id)
        ini << "\n[NE1.McChannelProfileRec." << id << "]\nrequest=440\nprofileId=" << id << "\nname=tv-" << id
            << "\ngroupAddress=239.1." << id / 256 << "." << id % 256 << "\ndownstreamRate=4096\nstatus=1\n";
    for (uint32_t slot = 1; slot <= kLineSlots; ++slot)
        ini << "\n[NE1.BOARD" << slot << "]\nSLOT=" << 10000 + slot * 100 << "\nPLANNED=31\n";
    for (uint32_t port : AllPorts()) {
        ini << "\n[NE1.PvcRec." << port << "]\nportId=" << port << "\nvpi=0\nvci=35\nrfc2684Mode=2\nvlanId=100"
            << "\nmacLimit=1\nserviceType=1\ndhcpIpLimit=1\nclientLimit=1\noperState=1\nenableState=1\naging=1\n";
        ini << "\n[NE1.McChannelRec." << port << "]\nportId=" << port << "\nvpi=0\nvci=" << 40 + port % 7
            << "\nvlanId=" << 100 + port % 5 << "\nchannelLimit=1\nprofile=basic\nadminState=1\n";
    }
    return path;
}

bool Boot(e2e::CProgram& program, benchmark::State& state)
{
    const std::filesystem::path world = WriteWorld(program.WorkDir().Path());
    e2e::PeerOptions options;
    options.args = {"--scenario", world.string()};
    if (!program.StartServer(options) || !program.Login("admin", "admin")) {
        state.SkipWithError("the program could not log in to the simulated server");
        return false;
    }
    program.ClickTreeItem(program.TreeItem(QStringLiteral("Full-48")));
    return true;
}

void BM_McChannelListOfAWholeNe(benchmark::State& state)
{
    e2e::CProgram program;
    if (!Boot(program, state))
        return;
    const std::filesystem::path exported = program.WorkDir().Path() / "channels.txt";
    double sortMs = 0;
    double exportMs = 0;
    for (auto _ : state) {
        int rows = 0;
        Clock::time_point opened;
        program.Operator().OnDialog<CXdslMcChannelListDlg>([&](CXdslMcChannelListDlg& dialog) {
            state.SetIterationTime(MsSince(opened) / 1000.0);
            QTreeView* list = dialog.FindList(kListControlId);
            rows = CListControl(list).GetItemCount();
            const auto start = Clock::now();
            list->sortByColumn(kSlotPortColumn, Qt::DescendingOrder);
            sortMs += MsSince(start);
            program.Operator().OnDialog<CExportDlg>([&](CExportDlg& exporter) {
                e2e::Type(exporter, CExportDlg::kFileNameId, QString::fromStdString(exported.string()));
                const auto written = Clock::now();
                e2e::Click(exporter, IDOK);
                exportMs += MsSince(written);
                return IDCANCEL;
            });
            e2e::Click(dialog, kExportButtonId);
            return IDCANCEL;
        });
        opened = Clock::now();
        program.Command(kCmdMcChannel);
        if (rows != static_cast<int>(kAllPorts) || ExportedRows(exported) < kAllPorts) {
            state.SkipWithError("the list does not show every channel, or the export does not hold them");
            return;
        }
    }
    state.counters["sort_ms"] = sortMs / static_cast<double>(state.iterations());
    state.counters["export_ms"] = exportMs / static_cast<double>(state.iterations());
}
BENCHMARK(BM_McChannelListOfAWholeNe)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_McFastProvisionOf672Ports(benchmark::State& state)
{
    e2e::CProgram program;
    if (!Boot(program, state))
        return;
    double longestStallMs = 0;
    double longestGapMs = 0;
    double idleGapMs = 0;
    for (auto _ : state) {
        int rows = 0;
        bool done = false;
        e2e::COperator& person = program.Operator();
        person.OnDialog<CMcFastProvDlg>([&](CMcFastProvDlg& dialog) {
            auto* type = dialog.GetDlgItemAs<QComboBox>(CMcFastProvDlg::kTypeId);
            e2e::Choose(dialog, CMcFastProvDlg::kTypeId,
                        type->itemText(std::max(0, type->findData(QVariant::fromValue<quint32>(kLineCardModel)))));
            e2e::Choose(dialog, CMcFastProvDlg::kSlotToId, QString::number(kLineSlots));
            e2e::Type(dialog, CMcFastProvDlg::kVciId, QStringLiteral("90"));
            e2e::Type(dialog, CMcFastProvDlg::kVlanId, QStringLiteral("200"));
            person.OnDialog<CMcFastProvListDlg>([&](CMcFastProvListDlg& list) {
                rows = CListControl(list.FindList(kListControlId)).GetItemCount();
                // Every port asks to replace its channel.
                for (int i = 0; i < rows; ++i)
                    person.AnswerBox(IDYES);
                bool running = false;
                Clock::time_point last = Clock::now();
                double waitedBefore = ProcessorWaitMs();
                QTimer watch;
                QObject::connect(&watch, &QTimer::timeout, [&] {
                    const double gap = MsSince(last);
                    const double waited = ProcessorWaitMs();
                    if (running) {
                        longestGapMs = std::max(longestGapMs, gap);
                        longestStallMs = std::max(longestStallMs, gap - (waited - waitedBefore));
                    } else {
                        idleGapMs = std::max(idleGapMs, gap);
                    }
                    last = Clock::now();
                    waitedBefore = waited;
                });
                watch.start(1);
                program.WaitUntil([] { return false; }, 1000);
                running = true;
                const auto start = Clock::now();
                e2e::Click(list, CMcFastProvListDlg::kGoId);
                done = program.WaitUntil([&] { return !list.IsRunning(); }, 300000);
                state.SetIterationTime(MsSince(start) / 1000.0);
                return IDCANCEL;
            });
            e2e::Click(dialog, CMcFastProvDlg::kListId);
            return IDCANCEL;
        });
        program.Command(kCmdMcFastProvision);
        if (rows != static_cast<int>(kAllPorts) || !done) {
            state.SkipWithError("the list does not hold every port, or the run did not end");
            return;
        }
    }
    state.counters["longest_stall_ms"] = longestStallMs;
    state.counters["longest_gap_ms"] = longestGapMs;
    state.counters["idle_gap_ms"] = idleGapMs;
}
BENCHMARK(BM_McFastProvisionOf672Ports)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
