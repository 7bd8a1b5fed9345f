// The simulated server's answers about an NE's DHCP services, on the NE's behalf: the settings and relay servers are
// kept by the generic store; an add of a server the NE has changes its VLAN, a fifth server is refused as the NE
// refuses it; the option-82 agent IDs of
// the NE's xDSL ports start from a circuit ID that names the port.

#include "sim/server/sim_request_handler.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "link/records/dhcp_agent_id_rec.h"
#include "link/records/dhcp_relay_server_rec.h"
#include "sim/server/sim_frame_records.h"
#include "sim/server/sim_ne.h"

#include <algorithm>

namespace {

constexpr size_t kMaxRelayServers = 4;

} // namespace

void CSimRequestHandler::SeedAgentIds(const CSimNe& ne)
{
    CGenericRecordStore& store = db_.Generic();
    if (!store.KeptRecords(kReqDhcpAgentId, ne.Id()).empty())
        return;
    std::vector<DhcpAgentIdRec> records;
    for (const CEntityNode* node : ne.Entities()) {
        const CEntityType* model =
            node->GetLevel() == kEntityLevelPort ? CurrentEntityModels().FindModel(node->GetType()) : nullptr;
        if (model == nullptr ||
            (model->GetProvClass() != kProvClassAdslPort && model->GetProvClass() != kProvClassShdslPort))
            continue;
        const CEntityIndex index = node->GetIndex();
        DhcpAgentIdRec rec;
        rec.portId = node->GetEntityId();
        rec.circuitId = "atm " + std::to_string(index.Shelf()) + "/" + std::to_string(index.Slot()) + "/" +
                        std::to_string(index.Port());
        records.push_back(rec);
    }
    if (records.empty())
        return;
    const std::vector<uint8_t> bytes = EncodeRecords(records);
    store.Handle(kReqDhcpAgentId, kEmsOpModify, ne.Id(), bytes.data(), static_cast<uint32_t>(records.size()),
                 kDhcpAgentIdRecSize);
}

// An add names its servers by address: a server the NE has takes the new VLAN, a new one is added while there is room.
void CSimRequestHandler::AddRelayServers(Handled& out, const Frame& request, const CSimNe& ne)
{
    const FrameHeader& header = request.header;
    CGenericRecordStore& store = db_.Generic();
    std::vector<DhcpRelayServerRec> kept = store.DecodedKeptRecords(kReqDhcpRelayServer, ne.Id());
    std::vector<DhcpRelayServerRec> added;
    const uint32_t count = RecordsOf(request, kDhcpRelayServerRecSize);
    for (uint32_t i = 0; i < count; ++i) {
        DhcpRelayServerRec server;
        DecodeRecord(RecordAt(request, i), kDhcpRelayServerRecSize, &server);
        const auto known = std::find_if(kept.begin(), kept.end(), [&](const DhcpRelayServerRec& other) {
            return other.address == server.address;
        });
        if (known != kept.end()) {
            known->vlanId = server.vlanId;
            continue;
        }
        if (kept.size() + added.size() >= kMaxRelayServers) {
            Reply(out, header, Refused("Too many DHCP servers"));
            return;
        }
        added.push_back(server);
    }
    if (!added.empty()) {
        const std::vector<uint8_t> bytes = EncodeRecords(added);
        store.Handle(kReqDhcpRelayServerAdd, kEmsOpModify, ne.Id(), bytes.data(), static_cast<uint32_t>(added.size()),
                     kDhcpRelayServerRecSize);
    }
    if (!kept.empty()) {
        const std::vector<uint8_t> bytes = EncodeRecords(kept);
        store.Handle(kReqDhcpRelayServer, kEmsOpModify, ne.Id(), bytes.data(), static_cast<uint32_t>(kept.size()),
                     kDhcpRelayServerRecSize);
    }
    // The request's records as they came, those of a record size too small to be servers not among them.
    Reply(out, header, request.payload, header.recordSize, count, count);
}

void CSimRequestHandler::Dhcp(Handled& out, const Frame& request)
{
    const FrameHeader& header = request.header;
    const CSimNe* ne = db_.FindNe(header.neId);
    if (ne == nullptr) {
        Reply(out, header, Refused(kSimNoSuchNe));
        return;
    }
    if (header.requestCode == kReqDhcpAgentId)
        SeedAgentIds(*ne);
    if (header.requestCode == kReqDhcpRelayServerAdd) {
        AddRelayServers(out, request, *ne);
        return;
    }
    Generic(out, request);
}
