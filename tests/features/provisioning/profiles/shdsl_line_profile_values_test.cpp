// The SHDSL line profile editor's values: the record a new profile is written as, the mapping of a stored record, the
// rate grid and the checks of OK.

#include "features/provisioning/profiles/shdsl_line_profile_values.h"

#include "features/provisioning/profiles/shdsl_line_profile_pages.h"
#include "ui/framework/messages/string_ids.h"

#include <gtest/gtest.h>

namespace {

TEST(ShdslLineProfileValuesTest, ANewProfileIsWrittenWithThePageDefaults)
{
    const ShdslLineProfileRec rec = ShdslRecordFromValues("new", ShdslLineProfileValues{});
    EXPECT_EQ(rec.wireInterface, 1u);
    EXPECT_EQ(rec.minRate, 72000u);
    EXPECT_EQ(rec.maxRate, 2312000u);
    EXPECT_EQ(rec.currentMarginUp, 6);
    EXPECT_EQ(rec.worstMarginDown, 6);
    EXPECT_EQ(rec.usedMargins, 0xA0u);
    EXPECT_EQ(rec.annex, 0xC0u);
    EXPECT_EQ(rec.psdMask, 1u);
    EXPECT_EQ(rec.lineProbe, 2u);
    EXPECT_EQ(rec.rowState, 1u);
}

TEST(ShdslLineProfileValuesTest, AStoredProfileLoadsAndIsWrittenBackAsItWas)
{
    ShdslLineProfileRec stored{
        "fixed", 2, 1032000, 1032000, static_cast<uint8_t>(-3), 5, 21, static_cast<uint8_t>(-10), 0x50, 0x40, 2, 1, 1};
    const ShdslLineProfileValues values = ShdslValuesFromRecord(stored);
    EXPECT_EQ(values.rateMode, kShdslRateFixed);
    EXPECT_EQ(values.wireMode, 1);
    EXPECT_EQ(values.margin, (std::array<int, 4>{21, -10, -3, 5})) << "upstream current and worst, then downstream";
    EXPECT_EQ(values.marginUsed, (std::array<int, 4>{0, 1, 0, 1}));
    EXPECT_EQ(ShdslRecordFromValues("fixed", values), stored);
}

TEST(ShdslLineProfileValuesTest, AnUnknownAnnexShowsBothAndIsWrittenAsBoth)
{
    ShdslLineProfileRec stored = ShdslRecordFromValues("p", ShdslLineProfileValues{});
    stored.annex = 0;
    const ShdslLineProfileValues values = ShdslValuesFromRecord(stored);
    EXPECT_EQ(values.annex, 2);
    EXPECT_EQ(ShdslRecordFromValues("p", values).annex, 0xC0u);
}

TEST(ShdslLineProfileValuesTest, RatesKeepToTheGridAndWrapAtEitherEnd)
{
    const struct {
        int64_t typed;
        int steps;
        uint32_t shown;
    } cases[] = {
        {100, 0, 72},  {72, -1, 2312},  {2312, 1, 72},   {2312, 0, 2312}, {2400, 0, 72},
        {135, 1, 136}, {1032, 0, 1032}, {1100, 0, 1096}, {0, 0, 2312},    {72, 2, 200},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SnapShdslRate(c.typed, c.steps), c.shown) << c.typed << " stepped " << c.steps;
}

TEST(ShdslLineProfileValuesTest, OkRefusesRatesThatDoNotFitTheModeAndProfilesWithoutAMargin)
{
    using Rate = CShdslLineProfileRatePage;
    ShdslLineProfileValues adaptiveEqual;
    adaptiveEqual.minRate = adaptiveEqual.maxRate = 1032;
    ShdslLineProfileValues adaptiveBelow;
    adaptiveBelow.minRate = 1096;
    adaptiveBelow.maxRate = 1032;
    ShdslLineProfileValues fixedBelow = adaptiveBelow;
    fixedBelow.rateMode = kShdslRateFixed;
    ShdslLineProfileValues fixedEqual = adaptiveEqual;
    fixedEqual.rateMode = kShdslRateFixed;
    ShdslLineProfileValues noMargin;
    noMargin.marginUsed = {0, 0, 0, 0};
    const struct {
        const char* name;
        ShdslLineProfileValues values;
        std::optional<uint32_t> refusal;
    } cases[] = {
        {"defaults", ShdslLineProfileValues{}, std::nullopt},
        {"adaptive, equal", adaptiveEqual, kStrMaximumNotAboveMinimum},
        {"adaptive, below", adaptiveBelow, kStrMaximumNotAboveMinimum},
        {"fixed, below", fixedBelow, kStrMaximumBelowMinimum},
        {"fixed, equal", fixedEqual, std::nullopt},
        {"no margin", noMargin, kStrSelectOneSnrMargin},
    };
    for (const auto& c : cases) {
        const std::optional<ShdslProfileRefusal> refusal = CheckShdslLineProfile(c.values);
        ASSERT_EQ(refusal.has_value(), c.refusal.has_value()) << c.name;
        if (refusal) {
            EXPECT_EQ(refusal->stringId, *c.refusal) << c.name;
        }
    }
    EXPECT_EQ(CheckShdslLineProfile(adaptiveEqual)->controls[2], Rate::kAdaptiveId);
}

} // namespace

#include "features/provisioning/profiles/shdsl_line_profile_list_page.h"

namespace {

TEST(ShdslLineProfileListTest, RowsShowTheMaximumRateFirstInFourCharacters)
{
    ShdslLineProfileRec rec = ShdslRecordFromValues("p", ShdslLineProfileValues{});
    EXPECT_EQ(ShdslRatesText(rec), "2312 /   72");
    EXPECT_EQ(ShdslWireText(rec), "2-wire");
    EXPECT_EQ(ShdslAnnexText(rec), "Annex A + B");
    rec.wireInterface = 2;
    rec.annex = 0x40;
    EXPECT_EQ(ShdslWireText(rec), "4-wire");
    EXPECT_EQ(ShdslAnnexText(rec), "Annex B");
}

} // namespace
