// Whatever a raw or ping socket reads goes through the ICMP parsers; an accepted packet must be one that answers us.
#include "fuzz/fuzz_check.h"
#include "link/icmp/echo_request.h"
#include "link/icmp/icmp_packet.h"
#include "link/icmp/icmp_status.h"
#include "link/icmp/internet_checksum.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

constexpr uint16_t kIdentifier = 0xBEEF;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const uint8_t> bytes(data, size);
    if (auto reply = ParseRawIcmpPacket(bytes, kIdentifier)) {
        FuzzCheck(size >= 28);
        FuzzCheck(reply->type == 0 || reply->data.empty());
        FuzzCheck(reply->data.size() <= size - 28);
        FuzzCheck(IcmpStatusFromMessage(reply->type, reply->code) != kIcmpStatusGeneralFailure);
    }
    if (auto reply = ParsePingSocketReply(bytes)) {
        FuzzCheck(reply->type == 0 && reply->data.size() + kIcmpHeaderSize == size);
        EchoSequenceOf(reply->data);
    }
    QuotedEchoSequence(bytes);
    InternetChecksum(bytes);
    return 0;
}
