// The coded fields of the IP traffic and traffic policing profiles as the lists show them: codes beyond the editors'
// choices show the lists' own last words.

#include "features/provisioning/profiles/profile_field_texts.h"
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
    EXPECT_EQ(QueueChoices().size(), kQueueChoices);
    EXPECT_EQ(QueueChoices().back(), "urgent");
    EXPECT_EQ(UpstreamRateChoices().size(), kUpstreamRateChoices);
    EXPECT_EQ(PolicingActionChoices().size(), kPolicingActionChoices);
    EXPECT_EQ(PolicingActionChoices()[kPolicingFirstDscpAction], "change DSCP as Best Effort");
    EXPECT_EQ(BroadcastChoices(), (std::vector<std::string>{"drop", "forward"}));
}

} // namespace
