// The simulated NE fed SNMP messages, one datagram after the other on one MIB (the default NE of the sample models).
// Each message is built from the input: a header byte (version, community, PDU type), the request-id, the two PDU
// numbers and bindings near the NE's objects (see snmp_fuzz_input.h); a header byte 0xFF instead sends the bytes
// that follow as they are. Every answer must be a response the manager takes: the request's version, community and
// request-id, and for GET, GET-NEXT and SET one binding per binding asked (save a tooBig that could not hold them).
// Between messages the alarm generator may run and an alarm synchronisation sends its notifications.
#include "fuzz/sample_models.h"
#include "fuzz/snmp_fuzz_input.h"
#include "link/snmp/snmp_message.h"
#include "link/snmp/snmp_request_map.h"
#include "link/snmp/snmp_trap.h"
#include "sim/ne_agent/ne_agent_mib.h"
#include "sim/ne_agent/ne_agent_server.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

void CheckAt(bool condition, const char* what, int line)
{
    if (!condition) {
        std::fprintf(stderr, "ne_agent_fuzz.cpp:%d: %s\n", line, what);
        std::abort();
    }
}

#define Check(condition) CheckAt((condition), #condition, __LINE__)

const CNeAgentMib& Prototype()
{
    static const CNeAgentMib mib = [] {
        NeAgentScenario scenario = DefaultNeAgentScenario();
        scenario.alarmLogRows = 12;
        CNeAgentMib built;
        built.Build(scenario, &SampleEntityModels());
        // A first request builds the object registry, so that each run's copy starts with it.
        SnmpPdu request;
        request.type = SnmpPduType::GetRequest;
        SnmpPdu response;
        built.Handle(SnmpVersion::V2c, AgentAccess::ReadOnly, request, &response);
        return built;
    }();
    return mib;
}

// Where bindings start: the private subtree, each request code's object, table entry and scalars, the system and
// snmp groups.
const std::vector<CSnmpOid>& Bases()
{
    static const std::vector<CSnmpOid> bases = [] {
        std::vector<CSnmpOid> oids{SnmpPrivateRoot(), CSnmpOid{1, 3, 6, 1, 2, 1, 1}, CSnmpOid{1, 3, 6, 1, 2, 1, 11},
                                   CSnmpOid{}};
        for (const auto& [code, entry] : DefaultSnmpRequestMap().Entries()) {
            oids.push_back(entry.ObjectOid());
            oids.push_back(entry.kind == SnmpEntryKind::Table ? entry.EntryOid() : entry.ActionOid());
        }
        return oids;
    }();
    return bases;
}

constexpr SnmpPduType kTypes[] = {SnmpPduType::GetRequest,     SnmpPduType::GetNextRequest, SnmpPduType::GetBulkRequest,
                                  SnmpPduType::SetRequest,     SnmpPduType::SetRequest,     SnmpPduType::GetNextRequest,
                                  SnmpPduType::GetBulkRequest, SnmpPduType::InformRequest};

SnmpMessage NextMessage(CFuzzBytes& in, uint8_t header)
{
    SnmpMessage message;
    message.version = (header & 1) != 0 ? SnmpVersion::V2c : SnmpVersion::V1;
    switch ((header >> 1) & 3) {
    case 0:
        message.community = "public";
        break;
    case 1:
        message.community = "private";
        break;
    case 2:
        break;
    default: {
        const std::vector<uint8_t> text = in.Bytes(in.Byte() % 24);
        message.community.assign(text.begin(), text.end());
        break;
    }
    }
    SnmpPdu& pdu = message.pdu;
    pdu.type = kTypes[(header >> 3) % 8];
    pdu.requestId = static_cast<int32_t>(in.U32());
    pdu.errorStatus = static_cast<int8_t>(in.Byte());
    pdu.errorIndex = static_cast<int8_t>(in.Byte());
    for (uint8_t n = in.Byte() % 8; n > 0; --n) {
        const CSnmpOid& base = Bases()[in.Byte() % Bases().size()];
        CSnmpOid oid = FuzzSnmpOid(in, base);
        pdu.varbinds.push_back({std::move(oid), FuzzSnmpValue(in)});
    }
    return message;
}

void CheckResponse(const SnmpMessage& request, const std::vector<uint8_t>& bytes)
{
    SnmpMessage response;
    Check(DecodeSnmpMessage(bytes.data(), bytes.size(), &response) == BerError::None);
    Check(response.pdu.type == SnmpPduType::Response);
    Check(response.version == request.version && response.community == request.community);
    Check(response.pdu.requestId == request.pdu.requestId);
    const size_t asked = request.pdu.varbinds.size();
    Check(response.pdu.errorIndex >= 0 && static_cast<size_t>(response.pdu.errorIndex) <= asked);
    if (request.pdu.type != SnmpPduType::GetBulkRequest && response.pdu.errorStatus != kSnmpTooBig)
        Check(response.pdu.varbinds.size() == asked);
    if (request.version == SnmpVersion::V1) {
        Check(response.pdu.errorStatus >= kSnmpNoError && response.pdu.errorStatus <= kSnmpGenErr);
        for (const SnmpVarBind& vb : response.pdu.varbinds)
            Check(!vb.value.IsException() && vb.value.type != SnmpType::Counter64);
    }
    if (request.pdu.type == SnmpPduType::GetNextRequest && response.pdu.errorStatus == kSnmpNoError) {
        for (size_t i = 0; i < asked; ++i)
            Check(response.pdu.varbinds[i].value.IsException() ||
                  response.pdu.varbinds[i].oid > request.pdu.varbinds[i].oid);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CNeAgentMib mib = Prototype();
    CNeAgentServer agent(mib, NeAgentServerOptions{});
    CFuzzBytes in(data, size);
    while (!in.Empty()) {
        const uint8_t header = in.Byte();
        std::vector<uint8_t> datagram;
        if (header == 0xFF)
            datagram = in.Bytes(in.U16());
        else if (EncodeSnmpMessage(NextMessage(in, header), &datagram) != BerError::None)
            continue;
        const std::optional<std::vector<uint8_t>> response = agent.HandleDatagram(datagram.data(), datagram.size());
        if (response) {
            SnmpMessage request;
            Check(DecodeSnmpMessage(datagram.data(), datagram.size(), &request) == BerError::None);
            CheckResponse(request, *response);
        }
        // An alarm now and then: each one is a row of the alarm log, whose first one costs the copy of the MIB's
        // registry.
        if (header == 0xC0)
            mib.GenerateAlarm();
        if (mib.TakeSyncRequest()) {
            for (const EntityStateRec& state : mib.AlarmedStates()) {
                std::vector<uint8_t> trap;
                Check(EncodeSnmpMessage(BuildEntityStateChangeTrap(SnmpVersion::V2c, "public", mib.UpTimeTicks(), state,
                                                                   1, {127, 0, 0, 1}),
                                        &trap) == BerError::None);
            }
        }
    }
    return 0;
}
