#include "features/provisioning/profiles/mc_address_ranges.h"

#include "core/util/ip_address.h"

namespace {

constexpr uint32_t kMaxRanges = 100;
constexpr IniIpRange kDefaultRange{{224, 0, 1, 0}, {239, 255, 255, 255}};

} // namespace

std::vector<IniIpRange> ReadMcAddressRanges(const std::string& configFile)
{
    const uint32_t count = ReadIniIntInRange("DIALOG", "MULTICASTIPRANGECOUNT", 0, configFile, 0, kMaxRanges, true);
    if (count == 0)
        return {kDefaultRange};
    std::vector<IniIpRange> ranges;
    for (uint32_t i = 1; i <= count; ++i)
        ranges.push_back(ReadIniIpRange("DIALOG", "MULTICASTIPRANGE" + std::to_string(i), configFile, true));
    return ranges;
}

bool InMcAddressRanges(const std::vector<IniIpRange>& ranges, const IniIpv4Address& address)
{
    for (const IniIpRange& range : ranges) {
        if (CompareIpv4(range.first.data(), address.data()) <= 0 && CompareIpv4(address.data(), range.last.data()) <= 0)
            return true;
    }
    return false;
}
