// The server's paged lists of the running program over 100,000 records each: the simulated server serves a made-up
// network of 2,000 NEs with a subscriber on 100,000 of their line ports and an operation log of 100,000 changes
// (--generate-nes, --generate-subscribers, --generate-oplog). The operator opens the User Operation Log List (every
// operator, no time bounds) and the Subscriber List (every NE), sets a window of 5,000 rows and pages with ">|". The
// time of one iteration is one page: from the click until the list shows its 5,000 rows (the query, the reply's
// records and the list's rows). first_page_mb is what the process's resident memory grew by while the first window
// filled, pages_mb what it grew by over every page after it: paging keeps no more than one window.
//
//     build/bench/program_paged_lists_bench

#include "bench/program_boot.h"

#include "features/management/oplog/user_op_log_criteria_dlg.h"
#include "features/management/oplog/user_op_log_list_dlg.h"
#include "features/management/subscribers/subscriber_list_dlg.h"
#include "features/management/subscribers/subscriber_select_dlg.h"
#include "platform/list_control.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

namespace {

constexpr int kCmdOperationLog = 33112;
constexpr int kCmdSubscriber = 33096;
constexpr int kFromId = 1304, kToId = 1306, kNextPage = 1264;
constexpr int kPageRows = 5000;
constexpr int kNeComboId = 1149;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Megabytes(size_t from, size_t to)
{
    return to > from ? static_cast<double>(to - from) / (1024.0 * 1024.0) : 0.0;
}

bool StartWorld(e2e::CProgram& program, benchmark::State& state)
{
    e2e::PeerOptions world;
    world.generatedNes = 2000;
    world.args = {"--generate-subscribers", "100000", "--generate-oplog", "100000"};
    if (!program.StartServer(world) || !program.Login("admin", "admin")) {
        state.SkipWithError("the program could not log in to the simulated server");
        return false;
    }
    return true;
}

// Pages through a list: the first window of 5,000 rows, then one page per iteration.
void PageThrough(benchmark::State& state, CRecordListDlg& list)
{
    const CListControl rows(list.FindList(kListControlId));
    e2e::Type(list, kFromId, QStringLiteral("1"));
    e2e::Type(list, kToId, QString::number(kPageRows));
    const size_t before = program_boot::ResidentBytes();
    e2e::Click(list, kRefreshButtonId);
    const size_t firstPage = program_boot::ResidentBytes();
    if (rows.GetItemCount() != kPageRows) {
        state.SkipWithError("the first window does not show 5,000 rows");
        return;
    }
    for (auto _ : state) {
        if (!list.IsControlEnabled(kNextPage)) {
            // The last page: from the first again, outside the time.
            e2e::Type(list, kFromId, QStringLiteral("1"));
            e2e::Type(list, kToId, QString::number(kPageRows));
            e2e::Click(list, kRefreshButtonId);
        }
        const auto start = Clock::now();
        e2e::Click(list, kNextPage);
        state.SetIterationTime(Seconds(start));
        if (rows.GetItemCount() == 0) {
            state.SkipWithError("a page shows no rows");
            return;
        }
    }
    state.counters["first_page_mb"] = Megabytes(before, firstPage);
    state.counters["pages_mb"] = Megabytes(firstPage, program_boot::ResidentBytes());
}

void BM_OperationLogPageOf5000(benchmark::State& state)
{
    e2e::CProgram program;
    if (!StartWorld(program, state))
        return;
    program.Operator().OnDialog<CUserOpLogCriteriaDlg>([&](CUserOpLogCriteriaDlg& criteria) {
        e2e::Check(criteria, CUserOpLogCriteriaDlg::kFromCheckId, false);
        e2e::Check(criteria, CUserOpLogCriteriaDlg::kToCheckId, false);
        program.Operator().OnDialog<CUserOpLogListDlg>([&](CUserOpLogListDlg& list) { PageThrough(state, list); });
        e2e::Click(criteria, IDOK);
    });
    program.Command(kCmdOperationLog);
}
BENCHMARK(BM_OperationLogPageOf5000)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SubscriberListPageOf5000(benchmark::State& state)
{
    e2e::CProgram program;
    if (!StartWorld(program, state))
        return;
    // The command works on the NE chosen in the tree; the selection then widens to every NE.
    program.ClickTreeItem(program.TreeItem(QStringLiteral("DSLAM-00001")));
    program.Operator().OnDialog<CSubscriberSelectDlg>([&](CSubscriberSelectDlg& select) {
        e2e::Choose(select, kNeComboId, QStringLiteral(" <ALL>"));
        program.Operator().OnDialog<CSubscriberListDlg>([&](CSubscriberListDlg& list) { PageThrough(state, list); });
        e2e::Click(select, IDOK);
    });
    program.Command(kCmdSubscriber);
}
BENCHMARK(BM_SubscriberListPageOf5000)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
