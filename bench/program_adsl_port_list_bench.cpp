// The ADSL port list of a whole NE in the running program: the simulated server holds an IPD-48 with an ALC-48 line
// card in seven line-card slots of each of its two shelves (672 ports), and the operator opens Configuration > xDSL >
// ADSL Port Setting on the NE. The time is the fill: from the menu command until the list shows every port.
// sort_ms is a sort by the Line Profile column, export_ms the export of the rows to a file.
//
//     build/bench/program_adsl_port_list_bench

#include "bench/program_bench_setup.h"
#include "bench/program_boot.h"

#include "features/provisioning/ports/adsl_port_list_dlg.h"
#include "platform/list_control.h"
#include "ui/framework/lists/export_dlg.h"

#include <QHeaderView>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace {

constexpr int kCmdAdslPorts = 33130;
constexpr uint32_t kShelves = 2;
constexpr uint32_t kCardsPerShelf = 7;
constexpr uint32_t kPorts = 48;
constexpr uint32_t kAllPorts = kShelves * kCardsPerShelf * kPorts;

using program_boot::Clock;
using program_boot::MsSince;

std::filesystem::path WriteWorld(const std::filesystem::path& dir)
{
    const std::filesystem::path path = dir / "adsl_port_world.ini";
    std::ofstream ini(path);
    program_boot::WriteFull48WorldHead(ini);
    ini << "\n[NE1.AdslLineProfileRec.fast]\nrequest=640\nname=fast-8M\nchannelMode=2\n"
        << "status=1\n\n[NE1.AdslLineProfileRec.slow]\nrequest=640\nname=basic-2M\nchannelMode=3\nstatus=1\n";
    uint32_t board = 0;
    for (uint32_t shelf = 1; shelf <= kShelves; ++shelf) {
        for (uint32_t slot = 1; slot <= kCardsPerShelf; ++slot)
            ini << "\n[NE1.BOARD" << ++board << "]\nSLOT=" << shelf * 10000 + slot * 100 << "\nPLANNED=31\n";
    }
    return path;
}

void BM_AdslPortListOfATwoShelfNe(benchmark::State& state)
{
    e2e::CProgram program;
    const std::filesystem::path world = WriteWorld(program.WorkDir().Path());
    const std::filesystem::path exported = program.WorkDir().Path() / "ports.txt";
    if (!program_boot::StartOnFull48(program, state, world))
        return;
    double sortMs = 0;
    double exportMs = 0;
    for (auto _ : state) {
        int rows = 0;
        Clock::time_point opened;
        program.Operator().OnDialog<CAdslPortListDlg>([&](CAdslPortListDlg& dialog) {
            state.SetIterationTime(MsSince(opened) / 1000.0);
            QTreeView* list = dialog.FindList(kListControlId);
            rows = CListControl(list).GetItemCount();
            auto start = Clock::now();
            e2e::CProgram::ClickHeader(*list->header(), CAdslPortListDlg::kLineProfileColumn);
            sortMs += MsSince(start);
            program.Operator().OnDialog<CExportDlg>([&](CExportDlg& exporting) {
                e2e::Type(exporting, CExportDlg::kFileNameId, QString::fromStdString(exported.string()));
                e2e::Click(exporting, IDOK);
                return IDCANCEL;
            });
            start = Clock::now();
            e2e::Click(dialog, kExportButtonId);
            exportMs += MsSince(start);
            return IDCANCEL;
        });
        opened = Clock::now();
        program.Command(kCmdAdslPorts);
        if (rows != static_cast<int>(kAllPorts) || !std::filesystem::exists(exported)) {
            state.SkipWithError("the list does not show every port, or the export wrote nothing");
            return;
        }
    }
    state.counters["rows"] = kAllPorts;
    state.counters["sort_ms"] = sortMs / static_cast<double>(state.iterations());
    state.counters["export_ms"] = exportMs / static_cast<double>(state.iterations());
}
BENCHMARK(BM_AdslPortListOfATwoShelfNe)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
