// Whatever a raw or ping socket reads goes through the ICMP parsers; an accepted packet must be one that answers us.
#include "link/icmp/echo_request.h"
#include "link/icmp/icmp_packet.h"
#include "link/icmp/icmp_status.h"
#include "link/icmp/internet_checksum.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

constexpr uint16_t kIdentifier = 0xBEEF;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const uint8_t> bytes(data, size);
    if (auto reply = ParseRawIcmpPacket(bytes, kIdentifier)) {
        Check(size >= 28);
        Check(reply->type == 0 || reply->data.empty());
        Check(reply->data.size() <= size - 28);
        Check(IcmpStatusFromMessage(reply->type, reply->code) != kIcmpStatusGeneralFailure);
    }
    if (auto reply = ParsePingSocketReply(bytes)) {
        Check(reply->type == 0 && reply->data.size() + kIcmpHeaderSize == size);
        EchoSequenceOf(reply->data);
    }
    QuotedEchoSequence(bytes);
    InternetChecksum(bytes);
    return 0;
}
