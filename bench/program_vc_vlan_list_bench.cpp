// The VC-to-VLAN list of a whole NE in the running program: the simulated server holds an IPD-48 with an ALC-48 line
// card in every line-card slot of both shelves and 8 PVCs on each of its 1,920 ports (15,360 PVCs), and the operator
// opens Configuration > xDSL > VC-to-VLAN on the NE. The time is the fill: from the menu command until the list shows
// every PVC. multi_delete_ms is the Multi-Delete of the ticked PVCs of one line card (384, each past its deletion
// guards), confirmed once; per_pvc_ms the same per PVC.
//
//     build/bench/program_vc_vlan_list_bench

#include "bench/program_bench_setup.h"
#include "bench/program_boot.h"

#include "features/provisioning/pvcs/xdsl_vc_vlan_list_dlg.h"
#include "platform/list_control.h"

#include <QTreeView>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kCmdVcVlan = 33022;
constexpr uint32_t kShelves = 2;
constexpr uint32_t kLineSlots = 20;
constexpr uint32_t kPorts = 48;
constexpr uint32_t kPvcsPerPort = 8;
constexpr uint32_t kPvcs = kShelves * kLineSlots * kPorts * kPvcsPerPort;
constexpr uint32_t kCardPvcs = kPorts * kPvcsPerPort;

using program_boot::Clock;
using program_boot::MsSince;

// One IPD-48 with every line slot equipped and every port carrying its PVCs.
std::filesystem::path WriteWorld(const std::filesystem::path& dir)
{
    const std::filesystem::path path = dir / "vc_vlan_world.ini";
    std::ofstream ini(path);
    program_boot::WriteFull48WorldHead(ini);
    ini << "\n[NE1.IpTrafficProfileRec.office]\nrequest=430\nname=office\nstatus=1\n"
        << "broadcast=3\n";
    uint32_t board = 0;
    uint32_t pvc = 0;
    for (uint32_t shelf = 1; shelf <= kShelves; ++shelf) {
        for (uint32_t slot = 1; slot <= kLineSlots; ++slot) {
            const uint32_t card = shelf * 10000 + slot * 100;
            ini << "\n[NE1.BOARD" << ++board << "]\nSLOT=" << card << "\nPLANNED=31\n";
            for (uint32_t port = 1; port <= kPorts; ++port) {
                for (uint32_t n = 0; n < kPvcsPerPort; ++n) {
                    ini << "\n[NE1.PvcRec." << ++pvc << "]\nportId=" << card + port << "\nvpi=" << n
                        << "\nvci=35\nrfc2684Mode=2\nvlanId=" << 100 + n << "\nmacLimit=4\nipTrafficProfile=office\n"
                        << "serviceType=" << (n % 2 == 0 ? 1 : 6) << "\ndhcpIpLimit=1\nclientLimit=1\noperState=1\n"
                        << "enableState=1\naging=1\n";
                }
            }
        }
    }
    return path;
}

void BM_VcVlanListOfAWholeNe(benchmark::State& state)
{
    e2e::CProgram program;
    const std::filesystem::path world = WriteWorld(program.WorkDir().Path());
    if (!program_boot::StartOnFull48(program, state, world))
        return;
    double multiDeleteMs = 0;
    for (auto _ : state) {
        int rows = 0;
        int left = 0;
        Clock::time_point opened;
        program.Operator().OnDialog<CXdslVcVlanListDlg>([&](CXdslVcVlanListDlg& dialog) {
            state.SetIterationTime(MsSince(opened) / 1000.0);
            CListControl list(dialog.FindList(kListControlId));
            rows = list.GetItemCount();
            // The PVCs of the first card.
            const std::vector<PvcRec> shown = dialog.ShownPvcs();
            for (size_t row = 0; row < shown.size(); ++row) {
                if (shown[row].portId / 100 == 101)
                    list.SetCheck(static_cast<int>(row), true);
            }
            program.Operator().AnswerBox(IDYES);
            const auto start = Clock::now();
            e2e::Click(dialog, CXdslVcVlanListDlg::kMultiDeleteId);
            multiDeleteMs += MsSince(start);
            left = list.GetItemCount();
            return IDCANCEL;
        });
        opened = Clock::now();
        program.Command(kCmdVcVlan);
        if (rows != static_cast<int>(kPvcs) || left != rows - static_cast<int>(kCardPvcs)) {
            state.SkipWithError("the list does not show every PVC, or the multi-delete left some");
            return;
        }
    }
    state.counters["multi_delete_ms"] = multiDeleteMs / static_cast<double>(state.iterations());
    state.counters["per_pvc_ms"] = multiDeleteMs / static_cast<double>(state.iterations()) / kCardPvcs;
}
BENCHMARK(BM_VcVlanListOfAWholeNe)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
