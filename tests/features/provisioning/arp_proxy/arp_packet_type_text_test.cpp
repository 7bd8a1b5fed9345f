// What an ARP proxy entry was learnt from, as its hidden Packet Type column shows it: the texts of 0..7, and "MISC."
// for 5 and 6 and for any value past them.

#include "features/provisioning/arp_proxy/arp_proxy_columns.h"
#include "tarvik_test_paths.h"
#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ArpPacketTypeText, EachTypeItsTextAndTheOthersMiscellaneous)
{
    LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv");
    const struct {
        uint32_t type;
        const char* text;
    } cases[] = {{0, "ARP Requset"}, {1, "ARP Response"}, {2, "IP"},     {3, "DHCP"},  {4, "IGMP"},
                 {5, "MISC."},       {6, "MISC."},        {7, "Manual"}, {8, "MISC."}, {9, "MISC."}};
    for (const auto& c : cases)
        EXPECT_EQ(ArpPacketTypeText(c.type), c.text) << c.type;
}

} // namespace
