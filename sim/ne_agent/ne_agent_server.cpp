#include "sim/ne_agent/ne_agent_server.h"

#include "link/snmp/snmp_request_map.h"
#include "link/snmp/snmp_trap.h"

#include <chrono>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLoopWaitMs = 100;

} // namespace

int CNeAgentServer::Open()
{
    int result = socket_.Open(options_.bindAddress, options_.port);
    if (result == 0)
        socket_.SetReceiveBufferSize(1 << 20);
    return result;
}

bool CNeAgentServer::FitResponse(const SnmpMessage& request, SnmpMessage* response, std::vector<uint8_t>* out)
{
    BerError encoded = EncodeSnmpMessage(*response, out);
    if (encoded == BerError::None && out->size() <= options_.maxMessageSize)
        return true;
    if (request.pdu.type == SnmpPduType::GetBulkRequest && !options_.bulkTooBig) {
        // Fewer repetitions: the largest number of bindings that fits.
        std::vector<SnmpVarBind> all = std::move(response->pdu.varbinds);
        size_t low = 0;
        size_t high = all.size();
        while (low < high) {
            size_t mid = (low + high + 1) / 2;
            response->pdu.varbinds.assign(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(mid));
            encoded = EncodeSnmpMessage(*response, out);
            if (encoded == BerError::None && out->size() <= options_.maxMessageSize)
                low = mid;
            else
                high = mid - 1;
        }
        response->pdu.varbinds.assign(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(low));
        return EncodeSnmpMessage(*response, out) == BerError::None;
    }
    response->pdu.errorStatus = kSnmpTooBig;
    response->pdu.errorIndex = 0;
    response->pdu.varbinds =
        request.pdu.type == SnmpPduType::GetBulkRequest ? std::vector<SnmpVarBind>{} : request.pdu.varbinds;
    if (EncodeSnmpMessage(*response, out) == BerError::None && out->size() <= options_.maxMessageSize)
        return true;
    response->pdu.varbinds.clear();
    return EncodeSnmpMessage(*response, out) == BerError::None;
}

std::optional<std::vector<uint8_t>> CNeAgentServer::HandleDatagram(const uint8_t* data, size_t size)
{
    NeAgentCounters& counters = mib_.Counters();
    ++counters.inPackets;
    SnmpMessage request;
    BerError decoded = DecodeSnmpMessage(data, size, &request);
    if (decoded == BerError::BadVersion) {
        ++counters.badVersions;
        return std::nullopt;
    }
    if (decoded != BerError::None) {
        ++counters.asnParseErrors;
        return std::nullopt;
    }
    const SnmpPduType type = request.pdu.type;
    if (type != SnmpPduType::GetRequest && type != SnmpPduType::GetNextRequest && type != SnmpPduType::GetBulkRequest &&
        type != SnmpPduType::SetRequest)
        return std::nullopt; // an agent answers requests only
    AgentAccess access = mib_.Authorize(request.community);
    if (access == AgentAccess::None) {
        ++counters.badCommunityNames;
        return std::nullopt;
    }
    SnmpMessage response;
    response.version = request.version;
    response.community = request.community;
    mib_.Handle(request.version, access, request.pdu, &response.pdu);
    std::vector<uint8_t> out;
    if (!FitResponse(request, &response, &out))
        return std::nullopt;
    return out;
}

void CNeAgentServer::SendNotification(const SnmpMessage& message)
{
    if (!options_.trapTarget)
        return;
    std::vector<uint8_t> out;
    if (EncodeSnmpMessage(message, &out) == BerError::None)
        socket_.SendTo(out.data(), out.size(), *options_.trapTarget);
}

void CNeAgentServer::SendColdStart()
{
    SnmpMessage message;
    message.community = options_.trapCommunity;
    if (options_.trapV1) {
        message.version = SnmpVersion::V1;
        message.pdu.type = SnmpPduType::TrapV1;
        message.pdu.enterprise = mib_.SysObjectId();
        message.pdu.agentAddress = options_.bindAddress;
        message.pdu.genericTrap = kSnmpTrapColdStart;
        message.pdu.timeStamp = mib_.UpTimeTicks();
    } else {
        message.version = SnmpVersion::V2c;
        message.pdu.type = SnmpPduType::TrapV2;
        message.pdu.requestId = trapRequestId_++;
        message.pdu.varbinds.push_back({SnmpSysUpTimeOid(), SnmpValue::TimeTicks(mib_.UpTimeTicks())});
        message.pdu.varbinds.push_back({SnmpTrapOidOid(), SnmpValue::ObjectId(SnmpColdStartOid())});
    }
    SendNotification(message);
}

void CNeAgentServer::SendStateChange(const EntityStateRec& state)
{
    SendNotification(BuildEntityStateChangeTrap(options_.trapV1 ? SnmpVersion::V1 : SnmpVersion::V2c,
                                                options_.trapCommunity, mib_.UpTimeTicks(), state, trapRequestId_++,
                                                options_.bindAddress));
}

void CNeAgentServer::Run(const std::atomic<bool>& stop)
{
    std::vector<uint8_t> buffer(65536);
    auto nextAlarm = Clock::now() + std::chrono::milliseconds(options_.alarmIntervalMs);
    while (!stop) {
        UdpEndpoint from;
        int n = socket_.ReceiveFrom(buffer.data(), buffer.size(), &from, kLoopWaitMs);
        if (n == CUdpSocket::kTruncated) {
            ++mib_.Counters().inPackets;
            ++mib_.Counters().asnParseErrors;
        } else if (n >= 0) {
            if (auto response = HandleDatagram(buffer.data(), static_cast<size_t>(n))) {
                if (options_.replyDelayMs != 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(options_.replyDelayMs));
                socket_.SendTo(response->data(), response->size(), from);
            }
        }
        if (mib_.TakeSyncRequest()) {
            for (const EntityStateRec& state : mib_.AlarmedStates())
                SendStateChange(state);
        }
        if (options_.alarmIntervalMs != 0 && Clock::now() >= nextAlarm) {
            nextAlarm = Clock::now() + std::chrono::milliseconds(options_.alarmIntervalMs);
            if (auto state = mib_.GenerateAlarm())
                SendStateChange(*state);
        }
    }
}
