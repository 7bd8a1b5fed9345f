// The live trap log of the running program with 5,000 records: the program is logged in to the simulated server with
// a trap log of 5,000 records (ALARM/TRAPLOGSIZE), the server sends 5,000 alarm states, and the operator picks the
// "Trap Log" tab. The time is the fill: from the tab click until the view shows every record. refresh_ms is one
// refresh of the main frame afterwards, in which one new alarm state takes the place of the oldest row.
//
//     build/bench/program_trap_log_bench

#include "bench/program_boot.h"

#include "core/tables/trap_log_ring.h"
#include "features/fault/trap_log/trap_log_view.h"
#include "link/server/frame_codec.h"
#include "platform/list_control.h"
#include "sim/server/sim_control.h"
#include "ui/framework/lists/list_host.h"
#include "ui/shell/frame/frame_dialog_bar.h"
#include "ui/shell/frame/main_frame.h"

#include <QCoreApplication>
#include <QTabBar>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr uint32_t kRecords = 5000;
constexpr uint32_t kAlarmedNe = 1;

using Clock = std::chrono::steady_clock;

// The server raises or clears `count` alarms of the NE, one notification to every workstation.
bool PushAlarmStates(e2e::CProgram& program, uint32_t count)
{
    const auto control = EncodeRecord(SimControlRec{kSimPushEntityStates, count, kSimChannelTcp, 0});
    server_test::CRawClient& probe = program.ServerProbe();
    const uint32_t sequence = probe.Send(kEmsOpModify, kReqSimControl, kAlarmedNe,
                                         std::vector<uint8_t>(control.begin(), control.end()), kSimControlRecSize);
    const std::optional<Frame> reply = probe.ReplyTo(sequence);
    return reply && reply->header.status == 0;
}

// Runs the program's event loop until `done` holds, waking for each event rather than on a timer.
template <class Done> bool ProcessEventsUntil(Done done, int boundMs = 10000)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(boundMs);
    while (!done()) {
        if (Clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

int TabIndex(CMainFrame& frame, const QString& text)
{
    QTabBar* tabs = frame.DialogBar()->Tabs();
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->tabText(i) == text)
            return i;
    }
    return -1;
}

void BM_TrapLogViewOf5000Records(benchmark::State& state)
{
    e2e::CProgram program;
    e2e::PeerOptions options;
    options.iniExtra = "[ALARM]\nTRAPLOGSIZE=" + std::to_string(kRecords) + "\n";
    if (!program.StartServer(options) || !program.Login("admin", "admin")) {
        state.SkipWithError("the program could not log in to the simulated server");
        return;
    }
    if (!PushAlarmStates(program, kRecords) || !program.WaitUntil([] { return AppTrapLog().GetCount() >= kRecords; })) {
        state.SkipWithError("the alarm states did not reach the trap log");
        return;
    }
    CMainFrame& frame = program.Frame();
    const int trapLogTab = TabIndex(frame, QStringLiteral("Trap Log"));
    const int otherTab = TabIndex(frame, QStringLiteral("Geographics"));
    if (trapLogTab < 0 || otherTab < 0) {
        state.SkipWithError("the frame offers no Trap Log tab");
        return;
    }
    double refreshMs = 0;
    for (auto _ : state) {
        frame.DialogBar()->Tabs()->setCurrentIndex(otherTab);
        program.Settle();
        const auto clicked = Clock::now();
        frame.DialogBar()->Tabs()->setCurrentIndex(trapLogTab);
        CTrapLogView* view = nullptr;
        const bool filled = ProcessEventsUntil([&] {
            view = dynamic_cast<CTrapLogView*>(frame.GetRightView());
            return view != nullptr && view->IsFirstShowDone() && !view->IsFirstFill();
        });
        const double fill = std::chrono::duration<double>(Clock::now() - clicked).count();
        if (!filled || CListControl(view->FindList(kListControlId)).GetItemCount() != static_cast<int>(kRecords)) {
            state.SkipWithError("the trap log view does not show every record");
            return;
        }
        state.SetIterationTime(fill);

        const uint32_t last = view->GetLastShown();
        const uint32_t added = AppTrapLog().GetCount();
        if (!PushAlarmStates(program, 1) || !program.WaitUntil([&] { return AppTrapLog().GetCount() != added; })) {
            state.SkipWithError("the new alarm state did not reach the trap log");
            return;
        }
        const uint32_t refreshes = frame.GetRefreshCount();
        const auto posted = Clock::now();
        frame.PostRefreshNow();
        ProcessEventsUntil([&] { return frame.GetRefreshCount() != refreshes; });
        refreshMs += std::chrono::duration<double, std::milli>(Clock::now() - posted).count();
        if (view->GetLastShown() == last) {
            state.SkipWithError("the refresh did not show the new record");
            return;
        }
    }
    state.counters["refresh_ms"] = refreshMs / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TrapLogViewOf5000Records)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
