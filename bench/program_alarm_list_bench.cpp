// The history list of the running program with full pages: the program is logged in to the simulated server, whose
// history of one NE holds more than 5,000 alarms and events, and the operator asks for records 1..5,000. The time is
// one page: from the click on Refresh until the list shows the page, sorted and laid out, and has drawn itself once
// (the server's answer, its conversion, the rows' looks, the model and the sort). refilter_ms is one local filter of
// that page (a severity box cleared or ticked: the rows hidden or shown again, counted and drawn, no request);
// sort_ms a sort of the page by Severity (gravity, then location, NE and entity), drawn.
//
//     build/bench/program_alarm_list_bench

#include "bench/program_boot.h"

#include "core/entity/entity_id.h"
#include "features/fault/alarm_events/alarm_event_list_dlg.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "link/server/frame_codec.h"
#include "sim/server/sim_control.h"

#include <QTreeView>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr uint32_t kPage = 5000;
constexpr uint32_t kAlarmedNe = 1;
// Raised and cleared in turn: about half of them are new history records.
constexpr uint32_t kPushedStates = 12000;

using Clock = std::chrono::steady_clock;

bool PushAlarmStates(e2e::CProgram& program, uint32_t count)
{
    const auto control = EncodeRecord(SimControlRec{kSimPushEntityStates, count, kSimChannelTcp, 0});
    server_test::CRawClient& probe = program.ServerProbe();
    const uint32_t sequence = probe.Send(kEmsOpModify, kReqSimControl, kAlarmedNe,
                                         std::vector<uint8_t>(control.begin(), control.end()), kSimControlRecSize);
    const std::optional<Frame> reply = probe.ReplyTo(sequence, 60000);
    return reply && reply->header.status == 0;
}

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void BM_HistoryPageOf5000Records(benchmark::State& state)
{
    e2e::CProgram program;
    if (!program.StartServer() || !program.Login("admin", "admin")) {
        state.SkipWithError("the program could not log in to the simulated server");
        return;
    }
    if (!PushAlarmStates(program, kPushedStates)) {
        state.SkipWithError("the server made no history");
        return;
    }
    program.Settle();
    double refilterMs = 0;
    int refilters = 0;
    double sortMs = 0;
    int sorts = 0;
    bool ran = false;
    program.Operator().OnDialog<CAlarmEventListDlg>([&](CAlarmEventListDlg& list) {
        ran = true;
        QTreeView& rows = *list.FindList(kListControlId);
        if (list.GetTotal() < kPage) {
            state.SkipWithError("the history holds less than a page");
            return IDCANCEL;
        }
        e2e::Type(list, CAlarmEventListDlg::kFromId, QStringLiteral("1"));
        e2e::Type(list, CAlarmEventListDlg::kToId, QString::number(kPage));
        for (auto _ : state) {
            const auto clicked = Clock::now();
            e2e::Click(list, kRefreshButtonId);
            rows.viewport()->repaint();
            state.SetIterationTime(MsSince(clicked) / 1000.0);
            if (list.Page().size() != kPage) {
                state.SkipWithError("the page does not hold 5000 records");
                return IDCANCEL;
            }
            for (bool on : {false, true}) {
                const auto filtered = Clock::now();
                e2e::Check(list, kSeverityBoxes[2].checkId, on); // Minor
                rows.viewport()->repaint();
                refilterMs += MsSince(filtered);
                ++refilters;
            }
            const auto sorted = Clock::now();
            list.SortList(1, 1 + sorts % 2); // Severity, ascending and descending in turn
            rows.viewport()->repaint();
            sortMs += MsSince(sorted);
            ++sorts;
            list.SortList(0, 1);
        }
        return IDCANCEL;
    });
    CAlarmEventListDlg list;
    const CEntityId everything(0u);
    list.SetTarget(static_cast<int>(kAlarmedNe), &everything);
    list.SetHandOver({.queryMode = kAlarmQueryHistory, .withSubEntities = true});
    list.DoModal();
    if (!ran)
        state.SkipWithError("the list did not open");
    if (refilters > 0)
        state.counters["refilter_ms"] = refilterMs / refilters;
    if (sorts > 0)
        state.counters["sort_ms"] = sortMs / sorts;
}
BENCHMARK(BM_HistoryPageOf5000Records)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
