// The simulated server's answers to the requests of an NE's trunk side: the traffic counters of its trunk ports, which
// grow with the time since the server first counted them, and the trunk settings, kept by the generic store and
// started from the NE's defaults (sim/seed/trunk_defaults.h) where the scenario gave none.

#include "sim/server/sim_request_handler.h"

#include "link/ems_msg.h"
#include "link/records/word_record.h"
#include "sim/seed/trunk_defaults.h"
#include "sim/server/sim_adsl_ports.h"
#include "sim/server/sim_frame_records.h"

#include <algorithm>

namespace {

// The NE had counted for a while when the server first answered its counters.
constexpr uint32_t kCountedBefore = 3 * 3600;

} // namespace

void CSimRequestHandler::SeedTrunkSide(const CSimNe& ne, uint16_t code)
{
    CGenericRecordStore& store = db_.Generic();
    if (!store.KeptRecords(code, ne.Id()).empty())
        return;
    for (const TrunkDefault& setting : TrunkSideDefaults(ne.Key().modelId, ne.Id(), AdslPortsOf(ne))) {
        if (setting.code != code || setting.records.empty())
            continue;
        std::vector<uint8_t> records;
        for (const std::vector<uint8_t>& record : setting.records)
            records.insert(records.end(), record.begin(), record.end());
        const auto size = static_cast<uint32_t>(setting.records.front().size());
        store.Handle(code, kEmsOpModify, ne.Id(), records.data(), static_cast<uint32_t>(setting.records.size()), size);
    }
}

void CSimRequestHandler::TrunkSide(Handled& out, const Frame& request, uint32_t now)
{
    const FrameHeader& header = request.header;
    const CSimNe* ne = db_.FindNe(header.neId);
    if (ne == nullptr) {
        Reply(out, header, Refused(kSimNoSuchNe));
        return;
    }
    if (header.requestCode == kReqTrunkPm) {
        TrunkPm(out, request, *ne, now);
        return;
    }
    // The membership of trunk port 2 is what the manual VLAN setting wrote: one map per port.
    if (header.requestCode == kReqTrunkVlanMember) {
        SeedTrunkSide(*ne, kReqTrunkVlan);
        if (!IsQuery(request)) {
            Reply(out, header, kDrvInvalidParameter);
            return;
        }
        const GenericReply reply = db_.Generic().Handle(kReqTrunkVlan, header.operation, header.neId,
                                                        request.payload.data(), header.count, header.recordSize);
        Reply(out, header, reply.records, reply.recordSize, reply.count, reply.count);
        return;
    }
    SeedTrunkSide(*ne, header.requestCode);
    Generic(out, request);
}

void CSimRequestHandler::TrunkPm(Handled& out, const Frame& request, const CSimNe& ne, uint32_t now)
{
    const FrameHeader& header = request.header;
    WordRecord port;
    if (!IsQuery(request) || header.count < 1 || header.recordSize < kWordRecordSize ||
        !DecodeRecord(request.payload.data(), kWordRecordSize, &port)) {
        Reply(out, header, kDrvInvalidParameter);
        return;
    }
    const std::vector<uint32_t> trunks = TrunkPortIds(ne.Key().modelId);
    if (std::find(trunks.begin(), trunks.end(), port.value) == trunks.end()) {
        Reply(out, header, Refused("No such trunk port"));
        return;
    }
    const uint32_t since = countingSince_.try_emplace(ne.Id(), now - kCountedBefore).first->second;
    ReplyRecords(out, header, std::vector<TrunkPmRec>{traffic_.Counters(port.value, since, now)}, 1);
}
