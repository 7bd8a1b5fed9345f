// The simulated trunk ports' traffic: counters that grow with time, spans that add up (days included, over the
// counters' 32-bit wrap), a plausible rate, and the same answer for the same port and span.
#include "sim/pm/trunk_traffic_generator.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr uint32_t kMidnight = 1700006400; // a UTC midnight
constexpr uint32_t kUplink = 10501;
constexpr uint32_t kSubtend = 10502;

std::array<uint32_t, 12> Counts(const TrunkPmRec& rec)
{
    const TrunkTrafficCountersRec& in = rec.incoming;
    const TrunkTrafficCountersRec& out = rec.outgoing;
    return {in.octets,
            in.unicastPackets,
            in.nonUnicastPackets,
            in.discardedPackets,
            in.erroneousPackets,
            out.octets,
            out.unicastPackets,
            out.nonUnicastPackets,
            out.discardedPackets,
            out.erroneousPackets,
            rec.incomingPauseFrames,
            rec.outgoingPauseFrames};
}

TEST(TrunkTrafficGeneratorTest, SpansAddUpOverMinutesDaysAndTheWrap)
{
    const CTrunkTrafficGenerator traffic;
    struct Span {
        uint32_t from, split, to;
    };
    const Span spans[] = {
        {kMidnight + 30, kMidnight + 45, kMidnight + 100},                   // within minutes, cut short
        {kMidnight + 3600, kMidnight + 7200 + 17, kMidnight + 86399},        // within a day
        {kMidnight - 500, kMidnight + 86400 * 3, kMidnight + 86400 * 9 + 5}, // across days and the wrap
    };
    for (const Span& span : spans) {
        SCOPED_TRACE(span.split);
        const std::array<uint32_t, 12> whole = Counts(traffic.Counters(kUplink, span.from, span.to));
        const std::array<uint32_t, 12> first = Counts(traffic.Counters(kUplink, span.from, span.split));
        const std::array<uint32_t, 12> second = Counts(traffic.Counters(kUplink, span.split, span.to));
        for (size_t i = 0; i < whole.size(); ++i) {
            // A minute cut at the split counts its parts, each rounded down: at most one short per counter.
            const uint32_t sum = first[i] + second[i];
            EXPECT_LE(static_cast<uint32_t>(whole[i] - sum), 1u) << "counter " << i;
        }
    }
}

TEST(TrunkTrafficGeneratorTest, CountersGrowAtAPlausibleRate)
{
    const CTrunkTrafficGenerator traffic;
    const uint32_t since = kMidnight + 20 * 3600;
    TrunkPmRec before = traffic.Counters(kUplink, since, since + 1);
    for (uint32_t t = since + 2; t < since + 600; t += 7) {
        const TrunkPmRec now = traffic.Counters(kUplink, since, t);
        EXPECT_GE(now.incoming.octets, before.incoming.octets) << t;
        EXPECT_GE(now.outgoing.unicastPackets, before.outgoing.unicastPackets) << t;
        before = now;
    }
    // An evening's ten minutes on the uplink: megabits a second, not more than its gigabit.
    const double bitsPerSecond = 8.0 * traffic.Counters(kUplink, since, since + 600).incoming.octets / 600;
    EXPECT_GT(bitsPerSecond, 1e6);
    EXPECT_LT(bitsPerSecond, 1e8);
    EXPECT_LT(traffic.Counters(kSubtend, since, since + 600).incoming.octets,
              traffic.Counters(kUplink, since, since + 600).incoming.octets)
        << "the subtend port carries less";
    EXPECT_EQ(traffic.Counters(kUplink, since, since + 600), traffic.Counters(kUplink, since, since + 600));
    EXPECT_EQ(traffic.Counters(kUplink, since, since), (TrunkPmRec{kUplink, {}, {}, 0, 0}));
}

} // namespace
