// How a refresh brings the discovery dialog's two lists up to date with the server's answer: which rows stay (with
// their numbers, and a found NE with its status), which change, go or come, and which found NEs are dropped on the
// server.

#include "features/management/discovery/discovery_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

DiscoveryRangeRec Range(IpAddress first, IpAddress last, uint32_t state = 2)
{
    DiscoveryRangeRec range;
    range.firstIp = first;
    range.lastIp = last;
    range.community = "public";
    range.state = state;
    return range;
}

FoundNeRec Found(uint8_t host, uint32_t model, const char* description = "IPD-12")
{
    return FoundNeRec{{10, 0, 0, host}, model, description};
}

struct RangeCase {
    const char* name;
    std::vector<DiscoveryRangeRow> rows;
    std::vector<DiscoveryRangeRec> reply;
    std::vector<DiscoveryRangeRow> put;
    std::vector<uint32_t> removed;
};

TEST(ReconcileRanges, RowsFollowTheServersRangesByTheirAddresses)
{
    const DiscoveryRangeRec a = Range({10, 0, 0, 1}, {10, 0, 0, 9});
    const DiscoveryRangeRec aDone = Range({10, 0, 0, 1}, {10, 0, 0, 9}, 1);
    const DiscoveryRangeRec b = Range({10, 0, 1, 1}, {10, 0, 1, 9});
    const DiscoveryRangeRec zero = Range({0, 0, 0, 0}, {0, 0, 0, 0});
    const RangeCase cases[] = {
        {"a new range comes with the next number", {{1, a}}, {a, b}, {{6, b}}, {}},
        {"a range that finished shows it under its number", {{1, a}}, {aDone}, {{1, aDone}}, {}},
        {"a range the server no longer has goes", {{1, a}, {2, b}}, {b}, {}, {1 | kRangeRowBit}},
        {"the range of 0.0.0.0 is a range like any other", {}, {zero, a}, {{6, zero}, {7, a}}, {}},
        {"and it stays as one", {{3, zero}}, {zero}, {}, {}},
        {"a range given twice takes one row each", {{1, a}}, {a, a}, {{6, a}}, {}},
        {"an empty answer empties the list", {{1, a}, {2, b}}, {}, {}, {1 | kRangeRowBit, 2 | kRangeRowBit}},
    };
    for (const RangeCase& test : cases) {
        SCOPED_TRACE(test.name);
        uint32_t counter = 5;
        const RowChanges<DiscoveryRangeRow> changes = ReconcileRanges(test.rows, test.reply, &counter);
        EXPECT_EQ(changes.put, test.put);
        EXPECT_EQ(changes.removed, test.removed);
        EXPECT_EQ(counter, 5 + std::count_if(test.put.begin(), test.put.end(),
                                             [](const DiscoveryRangeRow& row) { return row.number > 5; }));
    }
}

struct FoundCase {
    const char* name;
    std::vector<FoundNeRow> rows;
    std::vector<FoundNeRec> reply;
    std::vector<FoundNeRow> put;
    std::vector<uint32_t> removed;
    std::vector<FoundNeRec> drops;
};

TEST(ReconcileFoundNes, RowsFollowTheServerAndManagedNesAndUnknownModelsAreDropped)
{
    constexpr uint32_t kKnown = 2;
    constexpr uint32_t kUnknown = 999;
    const std::set<uint32_t> managed = {IpToUInt32({10, 0, 0, 9})};
    const FoundNeKnowledge knowledge{[&](const IpAddress& address) { return managed.contains(IpToUInt32(address)); },
                                     [](uint32_t model) { return model == kKnown || model == 4; }};
    const FoundNeRec one = Found(1, kKnown);
    const FoundNeRec oneLater = Found(1, 4, "IPD-48");
    const FoundNeRec two = Found(2, kKnown);
    const FoundNeRec strange = Found(3, kUnknown);
    const FoundNeRec managedNe = Found(9, kKnown);
    const FoundNeRow oneOnline{1, one, FoundNeStatus::kOnline, false};
    const FoundCase cases[] = {
        {"a new NE comes unknown, with the next number", {}, {one}, {{11, one}}, {}, {}},
        {"an NE that stays keeps its number and status, and is not put again", {oneOnline}, {one}, {}, {}, {}},
        {"a changed NE keeps its status", {oneOnline}, {oneLater}, {{1, oneLater, FoundNeStatus::kOnline}}, {}, {}},
        {"an NE the server no longer has goes", {oneOnline}, {two}, {{11, two}}, {1}, {}},
        {"an NE of an unknown model is dropped", {}, {strange, two}, {{11, two}}, {}, {strange}},
        {"a row whose NE turned to an unknown model goes, not dropped",
         {{4, Found(3, kKnown)}},
         {strange},
         {},
         {4},
         {}},
        {"an NE managed meanwhile leaves the list and is dropped",
         {{4, managedNe}},
         {managedNe, one},
         {{11, one}},
         {4},
         {managedNe}},
        {"an NE managed before it was listed is dropped", {}, {managedNe}, {}, {}, {managedNe}},
    };
    for (const FoundCase& test : cases) {
        SCOPED_TRACE(test.name);
        uint32_t counter = 10;
        const FoundNeReconciliation out = ReconcileFoundNes(test.rows, test.reply, knowledge, &counter);
        EXPECT_EQ(out.rows.put, test.put);
        EXPECT_EQ(out.rows.removed, test.removed);
        EXPECT_EQ(out.drops, test.drops);
    }
}

TEST(ReconcileFoundNes, FiveThousandRowsStayPutWhenNothingChanged)
{
    std::vector<FoundNeRow> rows;
    std::vector<FoundNeRec> reply;
    for (uint32_t i = 0; i < 5000; ++i) {
        const FoundNeRec ne{UInt32ToIp(0x0A000000u + i), 2, "IPD-12"};
        rows.push_back({i + 1, ne, FoundNeStatus::kOffline, false});
        reply.push_back(ne);
    }
    std::reverse(reply.begin(), reply.end());
    uint32_t counter = 5000;
    const FoundNeReconciliation out = ReconcileFoundNes(
        rows, reply, {[](const IpAddress&) { return false; }, [](uint32_t) { return true; }}, &counter);
    EXPECT_TRUE(out.rows.put.empty());
    EXPECT_TRUE(out.rows.removed.empty());
    EXPECT_TRUE(out.drops.empty());
    EXPECT_EQ(counter, 5000u);
}

} // namespace
