// A template download's run over the NE list: one ticked row a tick, in list order, its outcome marked; the first
// refusal ends the run and keeps its tick, so that the next run starts with it.

#include "features/provisioning/templates/template_download_run.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using Outcome = DownloadRow::Outcome;
using Tick = CTemplateDownloadRun::Tick;

struct RunCase {
    const char* what;
    std::vector<bool> ticked;
    std::set<uint32_t> refusing; // NE ids
    std::vector<uint32_t> sentTo;
    Tick last;
    std::vector<bool> tickedAfter;
    std::vector<Outcome> outcomes;
};

std::vector<DownloadRow> Rows(const std::vector<bool>& ticked)
{
    std::vector<DownloadRow> rows;
    for (size_t i = 0; i < ticked.size(); ++i)
        rows.push_back({static_cast<uint32_t>(i + 1), ticked[i], Outcome::kNone});
    return rows;
}

// Ticks until the run ends: the NEs sent to and the last tick.
std::pair<std::vector<uint32_t>, Tick> RunToEnd(CTemplateDownloadRun& run, std::vector<DownloadRow>& rows,
                                                const std::set<uint32_t>& refusing)
{
    std::vector<uint32_t> sentTo;
    run.Start();
    for (;;) {
        const Tick tick = run.Step(rows, [&](uint32_t neId) {
            sentTo.push_back(neId);
            return !refusing.contains(neId);
        });
        if (tick != Tick::kSent)
            return {sentTo, tick};
    }
}

TEST(TemplateDownloadRunTest, EachTickedRowTakesTheRequestInTurn)
{
    const auto N = Outcome::kNone;
    const auto D = Outcome::kDone;
    const auto F = Outcome::kFailed;
    const RunCase cases[] = {
        {"three rows, all take it", {true, true, true}, {}, {1, 2, 3}, Tick::kDone, {false, false, false}, {D, D, D}},
        {"the second refuses", {true, true, true}, {2}, {1, 2}, Tick::kFailed, {false, true, true}, {D, F, N}},
        {"unticked rows are passed over",
         {false, true, false, true},
         {},
         {2, 4},
         Tick::kDone,
         {false, false, false, false},
         {N, D, N, D}},
        {"nothing ticked", {false, false}, {}, {}, Tick::kDone, {false, false}, {N, N}},
        {"the last refuses", {true, true}, {2}, {1, 2}, Tick::kFailed, {false, true}, {D, F}},
    };
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<DownloadRow> rows = Rows(c.ticked);
        CTemplateDownloadRun run;
        const auto [sentTo, last] = RunToEnd(run, rows, c.refusing);
        EXPECT_EQ(sentTo, c.sentTo);
        EXPECT_EQ(last, c.last);
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].ticked, c.tickedAfter[i]) << "row " << i;
            EXPECT_EQ(rows[i].outcome, c.outcomes[i]) << "row " << i;
        }
    }
}

TEST(TemplateDownloadRunTest, TheNextRunStartsWithTheRowThatFailed)
{
    std::vector<DownloadRow> rows = Rows({true, true, true});
    CTemplateDownloadRun run;
    RunToEnd(run, rows, {2});
    // Still refused: the run ends at the same row, the third untouched.
    auto [sentTo, last] = RunToEnd(run, rows, {2});
    EXPECT_EQ(sentTo, (std::vector<uint32_t>{2}));
    EXPECT_EQ(last, Tick::kFailed);
    EXPECT_EQ(rows[2].outcome, Outcome::kNone);
    // Taken now: the rest follow.
    std::tie(sentTo, last) = RunToEnd(run, rows, {});
    EXPECT_EQ(sentTo, (std::vector<uint32_t>{2, 3}));
    EXPECT_EQ(last, Tick::kDone);
    for (const DownloadRow& row : rows) {
        EXPECT_FALSE(row.ticked);
        EXPECT_EQ(row.outcome, Outcome::kDone);
    }
}

} // namespace
