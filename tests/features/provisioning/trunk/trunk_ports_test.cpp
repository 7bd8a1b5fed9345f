// How the trunk dialogs name a trunk port's speed and number.

#include "features/provisioning/trunk/trunk_ports.h"
#include "tarvik_test_paths.h"

#include "link/records/trunk_port_rec.h"

#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

namespace {

// The rows' texts are the program's.
class TrunkPortsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv"); }
};

TEST_F(TrunkPortsTest, TheSpeedOfALinkThatIsUp)
{
    struct Case {
        uint32_t operState;
        uint32_t speed;
        const char* text;
    };
    const Case cases[] = {
        {1, 1000000000, "1 G"}, {1, 100000000, "100 M"}, {1, 2500000000u, "2 G"}, {1, 999999999, "999 M"},
        {1, 10000000, "10 M"},  {2, 1000000000, "N/A"},  {0, 100000000, "N/A"},   {1, 0, "0 M"},
    };
    for (const Case& c : cases) {
        TrunkPortRec port;
        port.operState = c.operState;
        port.speed = c.speed;
        EXPECT_EQ(TrunkSpeedText(port), c.text) << c.speed;
    }
}

TEST_F(TrunkPortsTest, TheNumberOfATrunkPortsEntityId)
{
    EXPECT_EQ(TrunkPortNumber(10501), 1);
    EXPECT_EQ(TrunkPortNumber(12102), 2);
    EXPECT_EQ(TrunkPortNumber(10503), 0);
    EXPECT_EQ(TrunkPortNumber(10500), 0) << "the module itself";
    EXPECT_EQ(TrunkPortNumber(1), 0);
}

} // namespace
