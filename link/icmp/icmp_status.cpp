#include "link/icmp/icmp_status.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<IcmpStatusTextEntry, 19> kTexts{{
    {kIcmpStatusSuccess, "success"},
    {kIcmpStatusBufferTooSmall, "internal buffer too_small"},
    {kIcmpStatusDestNetUnreachable, "destination net unreachable"},
    {kIcmpStatusDestHostUnreachable, "destination host unreachable"},
    {kIcmpStatusDestProtocolUnreachable, "destination protocol unreachable"},
    {kIcmpStatusDestPortUnreachable, "destination port unreachable"},
    {kIcmpStatusNoResources, "internal no resources"},
    {kIcmpStatusBadOption, "internal bad option"},
    {kIcmpStatusHardwareError, "internal hardware error"},
    {kIcmpStatusPacketTooBig, "internal packet too big"},
    {kIcmpStatusTimedOut, "request timed out"},
    {kIcmpStatusBadRequest, "internal bad request"},
    {kIcmpStatusBadRoute, "internal bad route"},
    {kIcmpStatusTtlExpiredTransit, "TTL expired in transit"},
    {kIcmpStatusTtlExpiredReassembly, "fragment reassembly time exceeded"},
    {kIcmpStatusParameterProblem, "parameter problem"},
    {kIcmpStatusSourceQuench, "source quench"},
    {kIcmpStatusOptionTooBig, "internal option too big"},
    {kIcmpStatusBadDestination, "internal bad destination"},
}};

constexpr uint8_t kTypeEchoReply = 0;
constexpr uint8_t kTypeDestUnreachable = 3;
constexpr uint8_t kTypeSourceQuench = 4;
constexpr uint8_t kTypeTimeExceeded = 11;
constexpr uint8_t kTypeParameterProblem = 12;

} // namespace

std::span<const IcmpStatusTextEntry> IcmpStatusTexts()
{
    return kTexts;
}

std::string_view IcmpStatusText(uint32_t code)
{
    auto it =
        std::find_if(kTexts.begin(), kTexts.end(), [code](const IcmpStatusTextEntry& e) { return e.code == code; });
    return it == kTexts.end() ? kIcmpUnknownStatusText : it->text;
}

uint32_t IcmpStatusFromMessage(uint8_t type, uint8_t code)
{
    switch (type) {
    case kTypeEchoReply:
        return kIcmpStatusSuccess;
    case kTypeDestUnreachable:
        switch (code) {
        case 0:
            return kIcmpStatusDestNetUnreachable;
        case 2:
            return kIcmpStatusDestProtocolUnreachable;
        case 3:
            return kIcmpStatusDestPortUnreachable;
        case 4: // fragmentation needed with don't-fragment set
            return kIcmpStatusPacketTooBig;
        default: // host, and the administrative and precedence codes
            return kIcmpStatusDestHostUnreachable;
        }
    case kTypeSourceQuench:
        return kIcmpStatusSourceQuench;
    case kTypeTimeExceeded:
        return code == 1 ? kIcmpStatusTtlExpiredReassembly : kIcmpStatusTtlExpiredTransit;
    case kTypeParameterProblem:
        return kIcmpStatusParameterProblem;
    default:
        return kIcmpStatusGeneralFailure;
    }
}
