// The coded fields of the IP traffic and traffic policing profiles as the lists show them: codes beyond the editors'
// choices show the lists' own last words. The editors offer the choices in the order of their codes. An ADSL line
// profile's row shows its channel, its rate mode and, in thousands, the rates of the channel it uses.

#include "features/provisioning/profiles/adsl_line_profile_list_page.h"
#include "features/provisioning/profiles/profile_field_texts.h"
#include "link/records/adsl_line_profile_rec.h"
#include "tarvik_test_paths.h"
#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

namespace {

class ProfileFieldTextsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv"); }
};

TEST_F(ProfileFieldTextsTest, CodesBeyondTheChoicesShowTheListsLastWords)
{
    const struct {
        std::string shown;
        std::string expected;
    } cases[] = {
        {QueueText(0), "low"},
        {QueueText(2), "high"},
        {QueueText(3), "highest"},
        {QueueText(9), "highest"},
        {UpstreamRateText(0), "<no limit>"},
        {UpstreamRateText(3), "128"},
        {UpstreamRateText(7), "768"},
        {UpstreamRateText(200), "768"},
        {PolicingActionText(0), "no action"},
        {PolicingActionText(1), "drop"},
        {PolicingActionText(15), "change DSCP as Expedited Forwarding"},
        {PolicingActionText(20), "drop"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shown, c.expected);
}

TEST_F(ProfileFieldTextsTest, TheEditorsOfferEveryCodeInOrder)
{
    using Texts = std::vector<std::string>;
    EXPECT_EQ(QueueChoices(), (Texts{"low", "medium", "high", "urgent"}));
    EXPECT_EQ(UpstreamRateChoices(), (Texts{"<no limit>", "32", "64", "128", "256", "384", "512", "768"}));
    EXPECT_EQ(PolicingActionChoices(),
              (Texts{"no action", "drop", "change DSCP as Best Effort", "change DSCP as AF11", "change DSCP as AF12",
                     "change DSCP as AF13", "change DSCP as AF21", "change DSCP as AF22", "change DSCP as AF23",
                     "change DSCP as AF31", "change DSCP as AF32", "change DSCP as AF33", "change DSCP as AF41",
                     "change DSCP as AF42", "change DSCP as AF43", "change DSCP as Expedited Forwarding"}));
    EXPECT_EQ(BroadcastChoices(), (Texts{"drop", "forward"}));
}

TEST_F(ProfileFieldTextsTest, AnAdslLineProfileRowShowsTheRatesOfItsChannel)
{
    AdslLineProfileRec rec;
    rec.downMinRateFast = 64000;
    rec.downMaxRateFast = 2048999;
    rec.upMinRateFast = 32000;
    rec.upMaxRateFast = 512000;
    rec.downMinRateInterleaved = 96000;
    rec.downMaxRateInterleaved = 8000999;
    rec.upMinRateInterleaved = 128999;
    rec.upMaxRateInterleaved = 640000;
    const struct {
        uint32_t channelMode;
        uint32_t rateMode;
        std::string channel;
        std::string rateModeText;
        std::string up;
        std::string down;
    } cases[] = {
        {2, 2, "fast", "adaptive/startup", "   512 /     32", "  2048 /     64"},
        {3, 3, "interleave", "adaptive/runtime", "   640 /    128", "  8000 /     96"},
        {3, 1, "interleave", "fixed", "   640 /    128", "  8000 /     96"},
        {2, 4, "fast", "fixed", "   512 /     32", "  2048 /     64"},
    };
    for (const auto& c : cases) {
        rec.channelMode = c.channelMode;
        rec.rateMode = c.rateMode;
        EXPECT_EQ(AdslChannelText(rec), c.channel) << c.channelMode;
        EXPECT_EQ(AdslRateModeText(rec), c.rateModeText) << c.rateMode;
        EXPECT_EQ(AdslRatesText(rec, false), c.up) << c.channelMode;
        EXPECT_EQ(AdslRatesText(rec, true), c.down) << c.channelMode;
    }
}

} // namespace
