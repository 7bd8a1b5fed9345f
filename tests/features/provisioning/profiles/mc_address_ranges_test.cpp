// The group addresses a multicast channel profile may take, from the configuration file: the default range without
// keys, pairs taken in ascending order, and a count beyond its bound clamped.

#include "features/provisioning/profiles/mc_address_ranges.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

class McAddressRangesTest : public ::testing::Test {
protected:
    McAddressRangesTest()
        : path_((std::filesystem::temp_directory_path() / ("mc_ranges_" + std::to_string(getpid()) + ".ini")).string())
    {
    }
    ~McAddressRangesTest() override { std::filesystem::remove(path_); }

    void Write(const std::string& text) const { std::ofstream(path_) << text; }
    bool Accepts(const IniIpv4Address& address) const { return InMcAddressRanges(ReadMcAddressRanges(path_), address); }

    std::string path_;
};

TEST_F(McAddressRangesTest, WithoutKeysTheWholeMulticastRangeAboveTheLocalBlockIsAllowed)
{
    Write("[DIALOG]\n");
    const struct {
        IniIpv4Address address;
        bool allowed;
    } cases[] = {{{239, 255, 255, 255}, true}, {{224, 0, 1, 0}, true}, {{240, 0, 0, 0}, false}, {{240, 0, 0, 1}, false},
                 {{224, 0, 0, 255}, false},    {{230, 1, 2, 3}, true}, {{10, 0, 0, 1}, false}};
    for (const auto& c : cases)
        EXPECT_EQ(Accepts(c.address), c.allowed) << int(c.address[0]) << "." << int(c.address[3]);
}

TEST_F(McAddressRangesTest, ConfiguredRangesAreTakenInAscendingOrder)
{
    Write("[DIALOG]\nMULTICASTIPRANGECOUNT=2\nMULTICASTIPRANGE1=232.0.0.1,232.0.0.9\n"
          "MULTICASTIPRANGE2=233.1.1.20,233.1.1.10\n");
    // Each range at both ends and one past them.
    const struct {
        IniIpv4Address address;
        bool allowed;
    } cases[] = {{{232, 0, 0, 0}, false},  {{232, 0, 0, 1}, true},  {{232, 0, 0, 9}, true},
                 {{232, 0, 0, 10}, false}, {{233, 1, 1, 9}, false}, {{233, 1, 1, 10}, true},
                 {{233, 1, 1, 15}, true},  {{233, 1, 1, 20}, true}, {{233, 1, 1, 21}, false}};
    for (const auto& c : cases)
        EXPECT_EQ(Accepts(c.address), c.allowed) << int(c.address[0]) << "." << int(c.address[3]);
    EXPECT_FALSE(Accepts({239, 255, 255, 255})) << "the default range is gone once ranges are configured";
}

TEST_F(McAddressRangesTest, ACountBeyondTheBoundIsClamped)
{
    Write("[DIALOG]\nMULTICASTIPRANGECOUNT=500\nMULTICASTIPRANGE100=225.0.0.1,225.0.0.2\n");
    const std::vector<IniIpRange> ranges = ReadMcAddressRanges(path_);
    EXPECT_EQ(ranges.size(), 100u);
    EXPECT_TRUE(InMcAddressRanges(ranges, {225, 0, 0, 2}));
    EXPECT_FALSE(InMcAddressRanges(ranges, {225, 0, 0, 3}));
}

} // namespace
