// The SHDSL PM threshold profiles: how a stored record loads into the editor's thresholds (clamped, off where the
// record says so), what the editor writes back, the texts of the list page's rows and the profile they give again.

#include "features/provisioning/profiles/shdsl_pm_threshold_list_page.h"
#include "features/provisioning/profiles/shdsl_pm_threshold_profile_dlg.h"

#include <gtest/gtest.h>

#include <array>

namespace {

ShdslPmThresholdProfileRec AllOff()
{
    ShdslPmThresholdProfileRec rec;
    rec.name = "quiet";
    rec.maxLoopAttenuation = 127;
    return rec;
}

TEST(ShdslPmThresholdTest, ARecordLoadsClampedAndOffThresholdsKeepTheirDefaults)
{
    ShdslPmThresholdProfileRec rec = AllOff();
    rec.minSnrMargin = 20;
    rec.es = 950;
    rec.crc = 44100;
    const ShdslThresholds shown = ShdslThresholdsOf(rec);
    EXPECT_EQ(shown[0], (ShdslThreshold{1, 15})) << "SNR margin 20 opens checked with 15";
    EXPECT_EQ(shown[1], (ShdslThreshold{0, 126})) << "loop attenuation 127 is off";
    EXPECT_EQ(shown[2], (ShdslThreshold{1, 900}));
    EXPECT_EQ(shown[3], (ShdslThreshold{0, 1}));
    EXPECT_EQ(shown[6], (ShdslThreshold{1, 44100}));
}

TEST(ShdslPmThresholdTest, OffThresholdsAreWrittenAsTheirOffValues)
{
    ShdslPmThresholdProfileRec written;
    SetShdslThresholds(written, ShdslThresholdsOf(AllOff()));
    EXPECT_EQ(written.maxLoopAttenuation, 127) << "saved unchanged, the loop attenuation stays off";
    EXPECT_EQ(written.minSnrMargin, 0);
    EXPECT_EQ(written.es + written.ses + written.uas + written.losws + written.crc, 0);

    ShdslThresholds on = ShdslThresholdsOf(AllOff());
    on[1] = {1, 40};
    on[6] = {1, 44100};
    SetShdslThresholds(written, on);
    EXPECT_EQ(written.maxLoopAttenuation, 40);
    EXPECT_EQ(written.crc, 44100);
}

TEST(ShdslPmThresholdTest, TheListShowsDashesForOffThresholds)
{
    const ShdslPmThresholdProfileRec off = AllOff();
    EXPECT_EQ(ShdslSnrMarginText(off), "--");
    EXPECT_EQ(ShdslLoopAttenuationText(off), "---");
    EXPECT_EQ(ShdslPm15MinText(off), "--- / --- / --- / --- / -----");
    ShdslPmThresholdProfileRec on = off;
    on.minSnrMargin = 5;
    on.maxLoopAttenuation = 40;
    on.es = 30;
    on.ses = 10;
    on.uas = 900;
    on.losws = 1;
    on.crc = 44100;
    EXPECT_EQ(ShdslSnrMarginText(on), " 5");
    EXPECT_EQ(ShdslLoopAttenuationText(on), " 40");
    EXPECT_EQ(ShdslPm15MinText(on), " 30 /  10 / 900 /   1 / 44100");
}

// What a row hands on is made from its texts: what the texts cannot tell (a margin below 1, an attenuation above 126 or
// of 0) comes back as its "off" value.
TEST(ShdslPmThresholdTest, ARowGivesItsProfileAgainFromItsTexts)
{
    const auto rebuilt = [](const ShdslPmThresholdProfileRec& rec) {
        return ShdslPmThresholdFromRow(rec.name, ShdslSnrMarginText(rec), ShdslLoopAttenuationText(rec),
                                       ShdslPm15MinText(rec));
    };
    const auto with = [](int16_t snr, int16_t loop, std::array<uint16_t, 5> counts) {
        ShdslPmThresholdProfileRec rec;
        rec.name = "line-7";
        rec.minSnrMargin = snr;
        rec.maxLoopAttenuation = loop;
        rec.es = counts[0];
        rec.ses = counts[1];
        rec.uas = counts[2];
        rec.losws = counts[3];
        rec.crc = counts[4];
        return rec;
    };
    const struct {
        const char* what;
        ShdslPmThresholdProfileRec listed;
        ShdslPmThresholdProfileRec sent;
    } rows[] = {
        {"all off", with(0, 127, {}), with(0, 127, {})},
        {"off, as stored otherwise", with(-3, 200, {}), with(0, 127, {})},
        {"every threshold at its top", with(15, 126, {900, 900, 900, 900, 44100}),
         with(15, 126, {900, 900, 900, 900, 44100})},
        {"every threshold at its bottom", with(1, 1, {1, 1, 1, 1, 1}), with(1, 1, {1, 1, 1, 1, 1})},
        {"an attenuation of 0 reads as off", with(7, 0, {30, 0, 5, 0, 100}), with(7, 127, {30, 0, 5, 0, 100})},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(rebuilt(row.listed), row.sent);
    }
}

} // namespace
