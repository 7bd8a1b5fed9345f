// The simulated server's answers to the status lists of an NE's line cards, on the NE's behalf: a query names a line
// card or a port, and the NE answers with the entries of that port, or of every port of the card (the DHCP
// transactions and the filtering database). The entries themselves are kept by the generic store; deletes go to it.

#include "sim/server/sim_request_handler.h"

#include "core/entity/entity_id.h"
#include "link/ems_msg.h"
#include "sim/server/sim_frame_records.h"

#include <cstring>

namespace {

uint32_t LeadingU32(const uint8_t* bytes, size_t size)
{
    uint32_t value = 0;
    if (bytes != nullptr && size >= sizeof value)
        std::memcpy(&value, bytes, sizeof value);
    return value;
}

} // namespace

void CSimRequestHandler::PortScopedQuery(Handled& out, const Frame& request)
{
    const FrameHeader& header = request.header;
    if (!IsQuery(request)) {
        Generic(out, request);
        return;
    }
    const uint32_t scope = LeadingU32(request.payload.data(), request.payload.size());
    const CEntityId scopeId(scope);
    std::vector<uint8_t> bytes;
    uint32_t count = 0;
    uint32_t recordSize = 0;
    for (const std::vector<uint8_t>& record : db_.Generic().KeptRecords(header.requestCode, header.neId)) {
        // Each of these records names its port first.
        const uint32_t port = LeadingU32(record.data(), record.size());
        if (scope != 0 && port != scope && !scopeId.IsAncestorOf(port))
            continue;
        bytes.insert(bytes.end(), record.begin(), record.end());
        recordSize = static_cast<uint32_t>(record.size());
        ++count;
    }
    Reply(out, header, bytes, recordSize, count, count);
}
