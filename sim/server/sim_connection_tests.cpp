// The tests the simulated server runs on an NE for the workstation. An NE on the network answers its ping and its SNMP
// check; one off the network (its offline alarm raised) answers neither, and the server says so. An OAM loopback
// needs a PVC configured on the port: an enabled one that is up loops every cell back, one that is down none.

#include "core/entity/entity_type_ids.h"
#include "core/util/ip_address.h"
#include "link/records/oam_loopback_rec.h"
#include "link/records/pvc_rec.h"
#include "sim/server/sim_frame_records.h"
#include "sim/server/sim_request_handler.h"

#include <string>

namespace {

constexpr uint32_t kCellsPerLoopback = 5; // the cells an NE sends in one direction of a loopback
constexpr uint32_t kStateUp = 1;
constexpr uint32_t kStateEnabled = 1;

std::string Cells(const char* kind, uint32_t received)
{
    return std::to_string(kCellsPerLoopback) + " " + kind + " cells sent, " + std::to_string(received) + " received";
}

} // namespace

void CSimRequestHandler::ConnectionTest(Handled& out, const Frame& request)
{
    const CSimNe* ne = db_.FindNe(request.header.neId);
    if (ne == nullptr || !IsModify(request)) {
        Reply(out, request.header, ne == nullptr ? Refused(kSimNoSuchNe) : Unreadable(kDrvInvalidParameter));
        return;
    }
    if (db_.IsNeReachable(*ne)) {
        Reply(out, request.header, kDrvOk);
        return;
    }
    const std::string address = FormatIpAddress(ne->Key().ipAddress);
    Reply(out, request.header,
          Refused(request.header.requestCode == kReqNePing ? "No reply from " + address + ": request timed out"
                                                           : "No SNMP response from " + address));
}

void CSimRequestHandler::OamLoopback(Handled& out, const Frame& request)
{
    OamLoopbackRec rec;
    if (!IsModify(request) || RecordsOf(request, kOamLoopbackRecSize) != 1 ||
        !DecodeRecord(RecordAt(request, 0), kOamLoopbackRecSize, &rec) || (rec.segment == 0 && rec.endToEnd == 0)) {
        Reply(out, request.header, kDrvInvalidParameter);
        return;
    }
    const CSimNe* ne = db_.FindNe(request.header.neId);
    if (ne == nullptr || !db_.IsNeReachable(*ne)) {
        Reply(out, request.header, Refused(ne == nullptr ? kSimNoSuchNe : kSimNeNotConnected));
        return;
    }
    const CEntityNode* port = ne->FindEntity(rec.portId);
    if (port == nullptr || port->GetLevel() != kEntityLevelPort || port->IsAbsent()) {
        Reply(out, request.header, Refused("Port does not exist"));
        return;
    }
    // The port's PVCs as the server keeps them.
    PvcRec key;
    key.portId = rec.portId;
    const auto query = EncodeRecord(key);
    const GenericReply pvcs =
        db_.Generic().Handle(kReqPvc, kEmsOpQuery, ne->Id(), query.data(), 1, static_cast<uint32_t>(query.size()));
    const PvcRec* pvc = nullptr;
    std::vector<PvcRec> found(pvcs.count);
    for (uint32_t i = 0; i < pvcs.count; ++i) {
        DecodeRecord(pvcs.records.data() + static_cast<size_t>(i) * pvcs.recordSize, pvcs.recordSize, &found[i]);
        if (found[i].vpi == rec.vpi && found[i].vci == rec.vci)
            pvc = &found[i];
    }
    const std::string name = std::to_string(rec.vpi) + "/" + std::to_string(rec.vci);
    if (pvc == nullptr) {
        Reply(out, request.header, Refused("PVC " + name + " is not configured on the port"));
        return;
    }
    if (pvc->operState != kStateUp || pvc->enableState != kStateEnabled) {
        std::string counts;
        if (rec.segment != 0)
            counts = Cells("segment", 0);
        if (rec.endToEnd != 0)
            counts += (counts.empty() ? "" : ", ") + Cells("end-to-end", 0);
        Reply(out, request.header, Refused("No loopback cells returned on PVC " + name + ": " + counts));
        return;
    }
    ReplyRecords(out, request.header, std::vector<OamLoopbackRec>{rec}, 1);
}
