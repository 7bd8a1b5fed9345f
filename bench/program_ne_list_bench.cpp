// The NE list of the running program with 2,000 and 20,000 NEs: the program is logged in to the simulated server with
// a made-up network of that many NEs (--generate-nes), and the operator opens Configuration > NE Management > All NEs,
// which lists them all. The time is the fill: from the menu command until the list shows every NE; fill_step_ms is the
// longest turn of the event loop within it (what holds the window), the worst of the iterations. sort_name_ms and
// sort_ip_ms are a click on the Name and on the IP address header, export_ms the Export dialog's OK that writes the
// rows; layout_step_ms is the longest of the later steps of the list's layout (which measure the rows the fill did
// not), layout_done_ms the time until every row has been measured.
//
//     build/bench/program_ne_list_bench

#include "bench/list_steps.h"
#include "bench/program_boot.h"

#include "features/management/ne/ne_list_dlg.h"
#include "platform/list_control.h"
#include "ui/framework/lists/export_dlg.h"

#include <QHeaderView>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace {

constexpr int kAllNes = 33071;

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void BM_NeList(benchmark::State& state)
{
    const auto nes = static_cast<uint32_t>(state.range(0));
    e2e::CProgram program;
    e2e::PeerOptions options;
    options.generatedNes = nes;
    if (!program.StartServer(options) || !program.Login("admin", "admin")) {
        state.SkipWithError("the program could not log in to the simulated server");
        return;
    }
    const std::filesystem::path file = program.WorkDir().Path() / "Node.txt";
    double sortNameMs = 0, sortIpMs = 0, exportMs = 0, layoutStepMs = 0, layoutDoneMs = 0, fillStepMs = 0;
    list_steps::CStepWatch fillSteps;
    for (auto _ : state) {
        int rows = 0;
        Clock::time_point opened;
        program.Operator().OnDialog<CNeListDlg>([&](CNeListDlg& dialog) {
            state.SetIterationTime(MsSince(opened) / 1000.0);
            fillStepMs = std::max(fillStepMs, fillSteps.Stop());
            QTreeView& list = *dialog.FindList(kListControlId);
            rows = CListControl(&list).GetItemCount();
            const list_steps::Steps steps = list_steps::RunLayoutSteps(list);
            layoutStepMs = std::max(layoutStepMs, steps.longestMs);
            layoutDoneMs += steps.doneMs;
            auto start = Clock::now();
            e2e::CProgram::ClickHeader(*list.header(), CNeListDlg::kNameColumn);
            sortNameMs += MsSince(start);
            start = Clock::now();
            e2e::CProgram::ClickHeader(*list.header(), CNeListDlg::kAddressColumn);
            sortIpMs += MsSince(start);
            program.Operator().OnDialog<CExportDlg>([&](CExportDlg& exporter) {
                e2e::Type(exporter, CExportDlg::kFileNameId, QString::fromStdString(file.string()));
                const auto written = Clock::now();
                e2e::Click(exporter, IDOK);
                exportMs += MsSince(written);
                return IDCANCEL;
            });
            e2e::Click(dialog, kExportButtonId);
            return IDCANCEL;
        });
        opened = Clock::now();
        fillSteps.Start();
        program.Command(kAllNes);
        if (rows != static_cast<int>(nes) || !std::filesystem::exists(file)) {
            state.SkipWithError("the NE list does not show and export every NE");
            return;
        }
        std::filesystem::remove(file);
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["sort_name_ms"] = sortNameMs / iterations;
    state.counters["sort_ip_ms"] = sortIpMs / iterations;
    state.counters["export_ms"] = exportMs / iterations;
    state.counters["layout_step_ms"] = layoutStepMs;
    state.counters["layout_done_ms"] = layoutDoneMs / iterations;
    state.counters["fill_step_ms"] = fillStepMs;
}
BENCHMARK(BM_NeList)->ArgName("nes")->Arg(2000)->Arg(20000)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
