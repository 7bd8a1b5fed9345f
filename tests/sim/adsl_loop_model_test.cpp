// The simulated loops behind the ADSL ports: each carries the rate its PM counts, and what the line tests report of it
// has the shape of a copper loop: a magnitude that falls with frequency and dips at a bridged tap's notches, noise
// that falls with frequency, nothing outside a direction's band, bits that carry the line's rate, and a status that
// follows the power state.
#include "sim/pm/adsl_loop_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <optional>
#include <vector>

namespace {

constexpr uint32_t kNotAvailable = 1023;

// The ports of three 48-port line cards.
std::vector<uint32_t> Ports()
{
    std::vector<uint32_t> ports;
    for (uint32_t slot : {1u, 2u, 3u}) {
        for (uint32_t port = 1; port <= 48; ++port)
            ports.push_back(10000 + slot * 100 + port);
    }
    return ports;
}

std::optional<double> Hlog(const LoopDiagResultRec& rec, size_t tone)
{
    const uint32_t code = rec.downHlog[2 * tone] | rec.downHlog[2 * tone + 1] << 8;
    if (code == kNotAvailable)
        return std::nullopt;
    return (60.0 - code) / 10.0;
}

std::optional<double> Qln(const LoopDiagResultRec& rec, size_t tone)
{
    return rec.downQln[tone] == 255 ? std::nullopt : std::optional<double>(-(46.0 + rec.downQln[tone]) / 2.0);
}

double Mean(const LoopDiagResultRec& rec, size_t first, size_t last,
            std::optional<double> (*value)(const LoopDiagResultRec&, size_t))
{
    double sum = 0;
    for (size_t t = first; t <= last; ++t)
        sum += value(rec, t).value_or(0);
    return sum / static_cast<double>(last - first + 1);
}

size_t LastDownTone(const AdslLoop& loop)
{
    return loop.lineStandard == kStandardG9925AnnexA ? 511 : 255;
}

uint32_t RateOf(const BitsAllocRec& bits)
{
    const uint32_t sum = std::accumulate(bits.downBits.begin(), bits.downBits.end(), 0u);
    return static_cast<uint32_t>(sum * 4000 * 0.95);
}

TEST(AdslLoopModelTest, EveryLoopCarriesTheRateItsLineTrainedAt)
{
    const CAdslLoopModel loops;
    for (uint32_t port : Ports()) {
        SCOPED_TRACE(port);
        const AdslLoop& loop = loops.Loop(port);
        const LoopDiagResultRec result = loops.LoopDiagnosis(port, "fast-8M");
        EXPECT_GE(result.downAttainableRate, loop.downKbps * 1000);
        EXPECT_GE(result.upAttainableRate, loop.upKbps * 1000);
        // The bits in use carry the rate and little more: the rest is margin.
        const uint32_t rate = RateOf(loops.BitsAllocation(port, kAdslPowerL0));
        EXPECT_GE(rate, loop.downKbps * 1000);
        EXPECT_LE(rate, loop.downKbps * 1150);
        EXPECT_GE(result.downSnrMargin, 60);
        EXPECT_GE(loop.lengthFeet, 600u);
        EXPECT_LE(loop.lengthFeet, 18000u);
    }
}

TEST(AdslLoopModelTest, TheMagnitudeFallsWithFrequencyAndDipsAtABridgedTapsNotch)
{
    const CAdslLoopModel loops;
    int tapped = 0;
    for (uint32_t port : Ports()) {
        SCOPED_TRACE(port);
        const AdslLoop& loop = loops.Loop(port);
        const LoopDiagResultRec result = loops.LoopDiagnosis(port, "fast-8M");
        const size_t last = LastDownTone(loop);
        // Nothing below the downstream band nor above the standard's last tone; the upstream band ends at tone 31.
        EXPECT_FALSE(Hlog(result, 32).has_value());
        EXPECT_TRUE(Hlog(result, 33).has_value());
        EXPECT_EQ(Hlog(result, last).has_value(), true);
        if (last < 511) {
            EXPECT_FALSE(Hlog(result, last + 1).has_value());
        }
        EXPECT_EQ(result.upHlog[2 * 40] | result.upHlog[2 * 40 + 1] << 8, kNotAvailable);
        // Attenuation rises with frequency, over a tap's notches too, as the mean of each third of the band shows.
        const size_t third = (last - 33) / 3;
        const double low = Mean(result, 33, 33 + third, Hlog);
        const double middle = Mean(result, 33 + third, 33 + 2 * third, Hlog);
        const double high = Mean(result, 33 + 2 * third, last, Hlog);
        EXPECT_GT(low, high);
        if (loop.lengthFeet >= 2000) {
            EXPECT_GT(low, middle);
            EXPECT_GT(middle, high);
        }
        // The crosstalk noise falls with frequency too.
        EXPECT_GT(Mean(result, 33, 33 + third, Qln), Mean(result, 33 + 2 * third, last, Qln));
        if (loop.bridgedTapFeet == 0)
            continue;
        // The first notch of the tap whose quarter wave is its length: a dip against the tones on either side of it,
        // as broad as the notch is high.
        const double notchMHz = 2.0e8 / (4.0 * loop.bridgedTapFeet * 0.3048) / 1e6;
        const auto notch = static_cast<size_t>(std::lround(notchMHz / 0.0043125));
        const size_t below = notch * 6 / 10;
        const size_t above = notch * 14 / 10;
        if (below < 33 || above > last)
            continue;
        ++tapped;
        const double around = (*Hlog(result, below) + *Hlog(result, above)) / 2.0;
        EXPECT_LT(*Hlog(result, notch), around - 2.0) << "notch at tone " << notch;
    }
    EXPECT_GT(tapped, 10);
}

TEST(AdslLoopModelTest, TheSingleEndedTestFindsTheLoopWithinAFewPerCent)
{
    const CAdslLoopModel loops;
    for (uint32_t port : Ports()) {
        const AdslLoop& loop = loops.Loop(port);
        const SeltResultRec selt = loops.Selt(port);
        EXPECT_EQ(selt.validity, 2u);
        EXPECT_EQ(selt.cableType, loop.cableType);
        EXPECT_NEAR(selt.reachLength, loop.lengthFeet, loop.lengthFeet * 0.05) << port;
    }
}

TEST(AdslLoopModelTest, TheStatusFollowsThePowerState)
{
    const CAdslLoopModel loops;
    const uint32_t port = 10103;
    const AdslLoop& loop = loops.Loop(port);
    const AdslRateStatusRec l0 = loops.RateStatus(port, kAdslPowerL0, kAdslPowerL0);
    EXPECT_EQ(l0.downCurrentRate, loop.downKbps * 1000);
    EXPECT_EQ(l0.upCurrentRate, loop.upKbps * 1000);
    EXPECT_EQ(l0.lineStandardValid, 1u);
    EXPECT_EQ(l0.lineStandard, loop.lineStandard);

    // L2 trains down to a quarter of the rate with less power; the previous rate is that of L0.
    const AdslRateStatusRec l2 = loops.RateStatus(port, kAdslPowerL2, kAdslPowerL0);
    EXPECT_LT(l2.downCurrentRate, l0.downCurrentRate / 3);
    EXPECT_EQ(l2.downPreviousRate, l0.downCurrentRate);
    EXPECT_LT(l2.downOutputPower, l0.downOutputPower);
    EXPECT_LT(RateOf(loops.BitsAllocation(port, kAdslPowerL2)), RateOf(loops.BitsAllocation(port, kAdslPowerL0)));

    // In L3 the line is down: no rate, no bits, no standard.
    const AdslRateStatusRec l3 = loops.RateStatus(port, kAdslPowerL3ByCo, kAdslPowerL2);
    EXPECT_EQ(l3.downCurrentRate, 0u);
    EXPECT_EQ(l3.downPreviousRate, l2.downCurrentRate);
    EXPECT_EQ(l3.lineStandardValid, 0u);
    EXPECT_EQ(RateOf(loops.BitsAllocation(port, kAdslPowerL3ByCo)), 0u);
}

TEST(AdslLoopModelTest, TheSameLoopForTheSamePortInEveryModel)
{
    const CAdslLoopModel first;
    const CAdslLoopModel second;
    for (uint32_t port : {10101u, 10248u, 10333u}) {
        EXPECT_EQ(first.LoopDiagnosis(port, "p"), second.LoopDiagnosis(port, "p"));
        EXPECT_EQ(first.BitsAllocation(port, kAdslPowerL0), second.BitsAllocation(port, kAdslPowerL0));
    }
}

} // namespace
