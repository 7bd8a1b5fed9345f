#include "link/icmp/ping_reply.h"

#include "core/util/ip_address.h"
#include "link/icmp/echo_request.h"
#include "link/icmp/icmp_status.h"
#include "link/icmp/ping_output.h"
#include "link/icmp/ping_texts.h"

#include <cstdio>
#include <string>

namespace {

constexpr uint32_t kFastReplyMs = 10;

bool ShowsReplySource(uint32_t status)
{
    return (status >= kIcmpStatusDestNetUnreachable && status <= kIcmpStatusDestPortUnreachable) ||
           (status >= kIcmpStatusTtlExpiredTransit && status <= kIcmpStatusSourceQuench);
}

} // namespace

int32_t FormatPingReply(const IcmpReply* reply, uint16_t requestSize, CPingOutput* output, const uint64_t* sendTimeMs,
                        uint64_t nowMs, uint32_t* roundTripMs, uint8_t* replyTtl, PingAddress* replyAddress)
{
    if (reply == nullptr || sendTimeMs == nullptr)
        return -1;
    uint64_t elapsed = nowMs > *sendTimeMs ? nowMs - *sendTimeMs : 0;
    uint32_t roundTrip = elapsed > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(elapsed);
    if (roundTripMs != nullptr)
        *roundTripMs = roundTrip;
    if (replyTtl != nullptr)
        *replyTtl = reply->ttl;
    if (replyAddress != nullptr)
        *replyAddress = reply->from;
    uint32_t status = IcmpStatusFromMessage(reply->type, reply->code);
    if (output == nullptr)
        return static_cast<int32_t>(status);

    std::string source = FormatIpAddress(reply->from);
    // Echoed data too short to hold the sequence number falls back to the one the reply was matched by.
    unsigned sequence = EchoSequenceOf(reply->data).value_or(reply->sequence);
    char line[128];
    if (status == kIcmpStatusSuccess && roundTrip < kFastReplyMs)
        std::snprintf(line, sizeof line, kPingReplyFastFormat, source.c_str(), sequence, unsigned{requestSize},
                      unsigned{reply->ttl});
    else if (status == kIcmpStatusSuccess)
        std::snprintf(line, sizeof line, kPingReplyFormat, source.c_str(), sequence, unsigned{requestSize},
                      static_cast<long>(roundTrip), unsigned{reply->ttl});
    else if (ShowsReplySource(status))
        std::snprintf(line, sizeof line, kPingReplyStatusFormat, source.c_str(),
                      std::string(IcmpStatusText(status)).c_str());
    else
        std::snprintf(line, sizeof line, "%s", std::string(IcmpStatusText(status)).c_str());
    output->Append(std::string(line) + kPingLineEnd);
    return static_cast<int32_t>(status);
}
