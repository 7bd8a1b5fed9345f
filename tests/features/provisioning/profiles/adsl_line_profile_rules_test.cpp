// The ADSL line profile editor's values: rates held to multiples of 32 within their ranges and stepped with wrapping,
// the record spread over the pages and made again from them, and the checks of OK with the page each refusal shows on.

#include "features/provisioning/profiles/adsl_line_profile_rules.h"
#include "features/provisioning/profiles/adsl_snr_margin_page.h"
#include "features/provisioning/profiles/adsl_tx_rate_page.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

namespace {

struct HoldCase {
    const char* what;
    int64_t typed;
    RateRange range;
    uint32_t held;
};

TEST(AdslLineProfileRulesTest, ARateIsRoundedDownAndHeldToItsRange)
{
    const RateRange fixedDown = MinimumRateRange(true, kRateModeFixed);
    const RateRange adaptiveUp = MinimumRateRange(false, kRateModeAdaptiveStartup);
    const HoldCase cases[] = {
        {"a multiple of 32 stays", 2048, fixedDown, 2048},
        {"1000 rounds down to 992", 1000, fixedDown, 992},
        {"below the fixed mode's 64", 40, fixedDown, 64},
        {"the adaptive modes start at 32", 40, adaptiveUp, 32},
        {"above the downstream maximum", 40000, fixedDown, 29984},
        {"above the upstream maximum", 3000, adaptiveUp, 2976},
        {"nothing typed", 0, adaptiveUp, 32},
        {"a negative number", -64, MaximumRateRange(true), 64},
    };
    for (const HoldCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(HoldRate(c.typed, c.range), c.held);
    }
}

TEST(AdslLineProfileRulesTest, ASpinStepsBy32AndWrapsAtEitherEnd)
{
    const RateRange up = MaximumRateRange(false); // 64..2976
    EXPECT_EQ(StepRate(992, 1, up), 1024u);
    EXPECT_EQ(StepRate(992, -1, up), 960u);
    EXPECT_EQ(StepRate(2976, 1, up), 64u) << "past the top to the bottom";
    EXPECT_EQ(StepRate(64, -1, up), 2976u) << "past the bottom to the top";
    EXPECT_EQ(StepRate(1000, 1, up), 1024u) << "from the value held";
    EXPECT_EQ(StepRate(32, -1, L2RateRange()), 29984u);
}

TEST(AdslLineProfileRulesTest, FixedModeMakesEachMaximumItsMinimum)
{
    AdslTxRateValues rate;
    rate.rateMode = kRateModeFixed;
    rate.downMin = 1000;
    rate.upMin = 40;
    rate.downMax = 29984;
    rate.upMax = 2976;
    const AdslTxRateValues held = HeldTxRate(rate);
    EXPECT_EQ(held.downMin, 992u);
    EXPECT_EQ(held.downMax, 992u);
    EXPECT_EQ(held.upMin, 64u);
    EXPECT_EQ(held.upMax, 64u);
    rate.rateMode = kRateModeAdaptiveStartup;
    EXPECT_EQ(HeldTxRate(rate).downMax, 29984u) << "the adaptive modes keep the maximum";
}

TEST(AdslLineProfileRulesTest, AFixedProfileIsWrittenWithItsRateInEveryField)
{
    AdslLineProfileValues values;
    values.rate.rateMode = kRateModeFixed;
    values.rate.downMin = 1000;
    values.rate = HeldTxRate(values.rate);
    const AdslLineProfileRec rec = RecordFromValues("fixed-1M", values);
    for (uint32_t field :
         {rec.downMinRateFast, rec.downMinRateInterleaved, rec.downMaxRateFast, rec.downMaxRateInterleaved})
        EXPECT_EQ(field, 992000u);
    EXPECT_EQ(rec.rateMode, 1u);
    EXPECT_EQ(rec.channelMode, 2u);
    EXPECT_EQ(rec.downMaxDelay, 0) << "a fast channel has no delay";
    EXPECT_EQ(rec.status, 1u);
}

// What an add starts from, page by page, as written: the fast channel's fields and no delays, start-up adaptation.
TEST(AdslLineProfileRulesTest, ANewProfileIsWrittenWithThePagesDefaults)
{
    AdslLineProfileValues values;
    const AdslLineProfileRec rec = RecordFromValues("new", values);
    EXPECT_EQ(rec.channelMode, 2u);
    EXPECT_EQ(rec.rateMode, 2u);
    EXPECT_EQ(rec.downMinRateFast, 64000u);
    EXPECT_EQ(rec.upMinRateFast, 64000u);
    EXPECT_EQ(rec.downMaxRateFast, 29984000u);
    EXPECT_EQ(rec.upMaxRateFast, 2976000u);
    EXPECT_EQ(rec.downMaxDelay, 0);
    EXPECT_EQ(rec.lineStandards, 0xFFu);
    for (const AdslSnrMarginsRec& snr : {rec.upstreamSnr, rec.downstreamSnr}) {
        EXPECT_EQ(snr.minimum, 0);
        EXPECT_EQ(snr.maximum, 310);
        EXPECT_EQ(snr.target, 60);
    }
    EXPECT_EQ(rec.downNominalPsd, 0);
    EXPECT_EQ(rec.upNominalPsd, 0);
    EXPECT_EQ(rec.powerManagement, 0u) << "manual";
    EXPECT_EQ(rec.l2MinRate, 32000u);
    EXPECT_EQ(rec.l2MaxRate, 29984000u);
    EXPECT_EQ(rec.l0MinTime, 900u);
    EXPECT_EQ(rec.l2LowRateMinTime, 300u);
    EXPECT_EQ(rec.cpeL3Request, 1u) << "accept";
    EXPECT_EQ(rec.downMinInp, 0);
    EXPECT_EQ(rec.upMinInp, 0);
    EXPECT_EQ(rec.status, 1u);
    // The delays and the shift margins of the pages, where a profile uses them.
    values.rate.channel = kChannelInterleave;
    values.rate.rateMode = kRateModeAdaptiveRuntime;
    const AdslLineProfileRec interleaved = RecordFromValues("new", values);
    EXPECT_EQ(interleaved.downMaxDelay, 6);
    EXPECT_EQ(interleaved.upMaxDelay, 6);
    EXPECT_EQ(interleaved.upstreamSnr.upshift, 200);
    EXPECT_EQ(interleaved.upstreamSnr.downshift, 30);
    EXPECT_EQ(interleaved.downstreamSnr.minUpshiftTime, 1000);
    EXPECT_EQ(interleaved.downstreamSnr.minDownshiftTime, 1000);
}

TEST(AdslLineProfileRulesTest, TheShiftMarginsAreWrittenInRateModeAdaptiveAtRunTimeOnly)
{
    AdslLineProfileValues values; // the page's shift values are not zero
    values.rate.rateMode = kRateModeAdaptiveStartup;
    AdslLineProfileRec rec = RecordFromValues("p", values);
    for (const AdslSnrMarginsRec& snr : {rec.upstreamSnr, rec.downstreamSnr}) {
        EXPECT_EQ(snr.upshift, 0);
        EXPECT_EQ(snr.downshift, 0);
        EXPECT_EQ(snr.minUpshiftTime, 0);
        EXPECT_EQ(snr.minDownshiftTime, 0);
        EXPECT_EQ(snr.maximum, 310);
    }
    values.rate.rateMode = kRateModeAdaptiveRuntime;
    rec = RecordFromValues("p", values);
    EXPECT_EQ(rec.downstreamSnr.upshift, 200);
    EXPECT_EQ(rec.upstreamSnr.minDownshiftTime, 1000);
    EXPECT_EQ(rec.rateMode, 3u);
}

TEST(AdslLineProfileRulesTest, ARecordSpreadsOverThePages)
{
    AdslLineProfileRec rec;
    rec.channelMode = 3;
    rec.rateMode = 7; // unknown: fixed
    rec.downMinRateInterleaved = 2048000;
    rec.downMaxRateInterleaved = 2048000;
    rec.downMinRateFast = 99000;  // not the channel's
    rec.upMaxRateInterleaved = 0; // none: the page's value stays
    rec.downMaxDelay = 0;
    rec.upMaxDelay = 32;
    rec.downMinInp = 9; // no such item
    rec.upMinInp = 4;
    rec.powerManagement = 2;
    rec.cpeL3Request = 5;
    rec.lineStandards = 0x105;
    rec.upstreamSnr.minimum = -20;
    rec.downstreamSnr.minDownshiftTime = -5;
    const AdslLineProfileValues values = ValuesFromRecord(rec);
    EXPECT_EQ(values.upSnr.minimum, -20) << "a negative margin shows as it is";
    EXPECT_EQ(values.downSnr.downshiftTime, -5);
    EXPECT_EQ(values.rate.channel, kChannelInterleave);
    EXPECT_EQ(values.rate.rateMode, kRateModeFixed);
    EXPECT_EQ(values.rate.downMin, 2048u);
    EXPECT_EQ(values.rate.upMax, AdslTxRateValues{}.upMax);
    EXPECT_EQ(values.rate.downDelay, 1u) << "an interleaved delay of 0 shows 1";
    EXPECT_EQ(values.rate.upDelay, 32u);
    EXPECT_EQ(values.downInp, 0);
    EXPECT_EQ(values.upInp, 4);
    EXPECT_EQ(values.power.mode, kPowerManual);
    EXPECT_EQ(values.power.l3, kL3Accept);
    EXPECT_EQ(values.lineStandards, 0x05u);
    EXPECT_EQ(RecordFromValues("p", values).powerManagement, 0u) << "manual is written 0";
}

struct CheckCase {
    const char* what;
    std::function<void(AdslLineProfileValues&)> change;
    std::optional<AdslProfileRefusal> refusal;
};

TEST(AdslLineProfileRulesTest, OkChecksTheValuesInOrder)
{
    using T = CAdslTxRatePage;
    using S = CAdslSnrMarginPage;
    const auto refusal = [](AdslPage page, uint32_t id, int first, int second = 0) {
        return std::optional<AdslProfileRefusal>{AdslProfileRefusal{page, id, {first, second, 0, 0}}};
    };
    const CheckCase cases[] = {
        {"the defaults pass", [](AdslLineProfileValues&) {}, std::nullopt},
        {"adaptive: equal rates", [](AdslLineProfileValues& v) { v.rate.downMax = v.rate.downMin = 1024; },
         refusal(AdslPage::kTxRate, kStrMaximumNotAboveMinimum, T::kDownMaxId, T::kDownMinId)},
        {"fixed: equal rates pass",
         [](AdslLineProfileValues& v) {
             v.rate.rateMode = kRateModeFixed;
             v.rate.upMax = v.rate.upMin = 1024;
         },
         std::nullopt},
        {"fixed: maximum below minimum",
         [](AdslLineProfileValues& v) {
             v.rate.rateMode = kRateModeFixed;
             v.rate.upMax = 512;
             v.rate.upMin = 1024;
         },
         refusal(AdslPage::kTxRate, kStrMaximumBelowMinimum, T::kUpMaxId, T::kUpMinId)},
        {"no line standard", [](AdslLineProfileValues& v) { v.lineStandards = 0; },
         refusal(AdslPage::kLineStandard, kStrPleaseSelectOneItem, 1059)},
        {"maximum not above target", [](AdslLineProfileValues& v) { v.upSnr.target = 310; },
         refusal(AdslPage::kSnrMargin, kStrMaximumNotAboveTarget, S::kUpMaxId, S::kUpTargetId)},
        {"target not above minimum, downstream", [](AdslLineProfileValues& v) { v.downSnr.minimum = 60; },
         refusal(AdslPage::kSnrMargin, kStrTargetNotAboveMinimum, S::kDownTargetId, S::kDownMinId)},
        {"upstream first", [](AdslLineProfileValues& v) { v.downSnr.minimum = v.upSnr.minimum = 60; },
         refusal(AdslPage::kSnrMargin, kStrTargetNotAboveMinimum, S::kUpTargetId, S::kUpMinId)},
        {"run-time: maximum not above up-shift",
         [](AdslLineProfileValues& v) {
             v.rate.rateMode = kRateModeAdaptiveRuntime;
             v.upSnr.upshift = 310;
         },
         refusal(AdslPage::kSnrMargin, kStrMaximumNotAboveUpshift, S::kUpMaxId, S::kUpUpshiftId)},
        {"run-time: up-shift not above target",
         [](AdslLineProfileValues& v) {
             v.rate.rateMode = kRateModeAdaptiveRuntime;
             v.upSnr.upshift = 60;
         },
         refusal(AdslPage::kSnrMargin, kStrUpshiftNotAboveTarget, S::kUpUpshiftId, S::kUpTargetId)},
        {"run-time: target not above down-shift",
         [](AdslLineProfileValues& v) {
             v.rate.rateMode = kRateModeAdaptiveRuntime;
             v.downSnr.downshift = 60;
         },
         refusal(AdslPage::kSnrMargin, kStrTargetNotAboveDownshift, S::kDownTargetId, S::kDownDownshiftId)},
        {"run-time: down-shift not above minimum",
         [](AdslLineProfileValues& v) {
             v.rate.rateMode = kRateModeAdaptiveRuntime;
             v.downSnr.minimum = 30;
         },
         refusal(AdslPage::kSnrMargin, kStrDownshiftNotAboveMinimum, S::kDownDownshiftId, S::kDownMinId)},
        {"start-up ignores the shifts",
         [](AdslLineProfileValues& v) {
             v.upSnr.upshift = 0;
             v.upSnr.downshift = 400;
         },
         std::nullopt},
        {"L2 minimum above the downstream maximum",
         [](AdslLineProfileValues& v) {
             v.rate.downMax = 4000;
             v.power.l2MaxRate = 3008;
             v.power.l2MinRate = 4032;
         },
         refusal(AdslPage::kPowerManagement, kStrAboveDownstreamMaximumRate, 1237)},
        {"L2 maximum below L2 minimum",
         [](AdslLineProfileValues& v) {
             v.power.l2MinRate = 1024;
             v.power.l2MaxRate = 992;
         },
         refusal(AdslPage::kPowerManagement, kStrMaximumBelowMinimum, 1228, 1237)},
        {"L2 maximum above the downstream maximum", [](AdslLineProfileValues& v) { v.rate.downMax = 8000; },
         refusal(AdslPage::kPowerManagement, kStrAboveDownstreamMaximumRate, 1228)},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        AdslLineProfileValues values;
        c.change(values);
        EXPECT_EQ(CheckAdslLineProfile(values), c.refusal);
    }
}

} // namespace
