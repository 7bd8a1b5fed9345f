// What an operator types into the dialogs, as the program parses it: MAC addresses, netmasks and the subnet tests,
// dates and times, and the arithmetic of the time record. A text that parses is given back the same way it was
// read; a text that does not parses to the stated "nothing"; masks, prefixes and times stay in their ranges.
#include "core/util/date_time_format.h"
#include "core/util/ip_address.h"
#include "core/util/mac_address.h"
#include "core/util/netmask.h"
#include "core/util/time_record.h"
#include "fuzz/fuzz_bytes.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>

namespace {

void CheckAt(bool condition, const char* what, int line)
{
    if (!condition) {
        std::fprintf(stderr, "operator_input_fuzz.cpp:%d: %s\n", line, what);
        std::abort();
    }
}

#define Check(condition) CheckAt((condition), #condition, __LINE__)

void MacAddressText(std::string_view text)
{
    const MacAddress mac = ParseMacAddress(text);
    if (!IsValidMacAddressText(text)) {
        Check(IsZeroMacAddress(mac));
        return;
    }
    const std::string formatted = FormatMacAddress(mac);
    Check(IsValidMacAddressText(formatted));
    Check(CompareMacAddress(ParseMacAddress(formatted), mac) == 0);
    MacAddress copy{};
    CopyMacAddress(copy.data(), mac.data());
    Check(copy == mac && IsZeroMacAddress(copy) == (CompareMacAddress(copy, MacAddress{}) == 0));
}

void Netmask(CFuzzBytes& in)
{
    IpAddress mask{}, address{}, subnet{};
    for (IpAddress* ip : {&mask, &address, &subnet}) {
        for (uint8_t& byte : *ip) {
            byte = in.Byte();
        }
    }
    const int prefix = NetmaskToPrefixLength(mask);
    Check(prefix >= 0 && prefix <= 32);
    const IpAddress canonical = PrefixLengthToNetmask(static_cast<unsigned>(prefix));
    Check(IsContiguousNetmask(canonical.data()) && NetmaskToPrefixLength(canonical) == prefix);
    Check(IsContiguousNetmask(mask.data()) == (canonical == mask));
    const IpAddress network = ApplyPrefixLength(address, static_cast<unsigned>(prefix));
    Check(IsSubnetAddress(network.data(), canonical.data()));
    Check(IsInSubnet(address.data(), network.data(), canonical.data()));
    Check(prefix == 32 || !IsSubnetBroadcastAddress(network.data(), canonical.data()));
    IsInSubnet(address.data(), subnet.data(), mask.data());
    IsSubnetBroadcastAddress(address.data(), mask.data());
}

void DateTimeText(std::string_view text, uint32_t seconds)
{
    const uint32_t parsed = ParseDateTimeText(text);
    if (parsed != 0) {
        Check(ParseDateTimeText(FormatDateTime(parsed)) == parsed);
    }
    if (seconds != 0) {
        Check(ParseDateTimeText(FormatDateTime(seconds)) == seconds);
    }
    Check(FormatDateTime2(0).empty() && FormatShortDateTime(0).empty());
    FormatDateHour(seconds);
    FormatUptime(seconds);
}

void TimeRecord(CFuzzBytes& in)
{
    SystemTime time;
    time.year = in.U16();
    time.month = in.U16() % 16;
    time.day = in.U16() % 40;
    time.hour = in.U16() % 30;
    time.minute = in.U16() % 70;
    time.second = in.U16() % 70;
    time.milliseconds = in.U16() % 1200;
    TimeRec rec;
    if (SystemTimeToTimeRec(&time, &rec) == 0) {
        rec = TimeRec{in.U32(), in.U32() % static_cast<uint32_t>(kMsPerDay)};
    }
    Check(rec.msOfDay < kMsPerDay);
    const TimeRec before = rec;
    const uint64_t high = in.U32();
    const int64_t ms = static_cast<int64_t>(high << 32 | in.U32());
    if (AddMsToTimeRec(&rec, ms) == 1) {
        Check(rec.msOfDay < kMsPerDay);
        Check(TimeRecDiffMs(&before, &rec) == ms && TimeRecDiffMs(&rec, &before) == -ms);
    } else {
        Check(rec == before);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Times are read and written in the workstation's zone; one without summer time gives every text one meaning.
    static const bool utc = [] {
        setenv("TZ", "UTC", 1);
        tzset();
        return true;
    }();
    (void)utc;
    CFuzzBytes in(data, size);
    switch (in.Byte() % 4) {
    case 0:
        MacAddressText(std::string_view(reinterpret_cast<const char*>(data), size).substr(std::min<size_t>(size, 1)));
        break;
    case 1:
        Netmask(in);
        break;
    case 2: {
        const uint32_t seconds = in.U32();
        const std::string_view text(reinterpret_cast<const char*>(data), size);
        DateTimeText(text.substr(std::min<size_t>(size, 5)), seconds);
        break;
    }
    default:
        TimeRecord(in);
        break;
    }
    return 0;
}
