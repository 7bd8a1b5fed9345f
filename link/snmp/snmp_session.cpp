#include "link/snmp/snmp_session.h"

#include "link/driver_result.h"

#include <algorithm>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

// Waiting is cut into slices so that a cancel request is seen soon.
constexpr int kWaitSliceMs = 50;

} // namespace

int SnmpErrorStatusToResult(int32_t errorStatus)
{
    switch (errorStatus) {
    case kSnmpNoError:
        return kDrvOk;
    case kSnmpTooBig:
        return kDrvSnmpTooBig;
    case kSnmpNoSuchName:
        return kDrvSnmpNoSuchName;
    case kSnmpBadValue:
        return kDrvSnmpBadValue;
    case kSnmpReadOnly:
        return kDrvSnmpReadOnly;
    default:
        if (errorStatus >= kSnmpGenErr && errorStatus <= kSnmpInconsistentName)
            return kDrvSnmpGeneralError;
        return kDrvSnmpDecodeError;
    }
}

int SnmpExceptionToResult(SnmpType type)
{
    switch (type) {
    case SnmpType::NoSuchObject:
    case SnmpType::NoSuchInstance:
    case SnmpType::EndOfMibView:
        return kDrvSnmpNoSuchName;
    default:
        return kDrvOk;
    }
}

int CSnmpSession::Open(const SnmpSessionConfig& config)
{
    config_ = config;
    if (socket_.Open({0, 0, 0, 0}, 0) != 0)
        return kDrvConnectFailed;
    if (requestId_ == 0) {
        // Start somewhere else on every run so that a late answer to an earlier run is not taken for ours.
        auto seed = static_cast<uint64_t>(Clock::now().time_since_epoch().count());
        requestId_ = static_cast<int32_t>((seed ^ (seed >> 31)) & 0x3FFFFFFF) + 1;
    }
    receiveBuffer_.resize(kSnmpMaxMessageSize + 1);
    return kDrvOk;
}

void CSnmpSession::Close()
{
    socket_.Close();
}

void CSnmpSession::SetTimeout(uint32_t timeoutMs, uint32_t retries)
{
    config_.timeoutMs = timeoutMs;
    config_.retries = retries;
}

int32_t CSnmpSession::NextRequestId()
{
    requestId_ = requestId_ >= 0x7FFFFFFF ? 1 : requestId_ + 1;
    return requestId_;
}

SnmpSessionStats CSnmpSession::Stats() const
{
    return stats_;
}

int CSnmpSession::Exchange(SnmpPduType type, const std::vector<SnmpVarBind>& varbinds, SnmpPdu* response, int32_t a,
                           int32_t b)
{
    if (!socket_.IsOpen())
        return kDrvNotConnected;
    ++stats_.exchanges;
    SnmpMessage request;
    request.version = config_.version;
    request.community = config_.community;
    request.pdu.type = type;
    request.pdu.errorStatus = a;
    request.pdu.errorIndex = b;
    request.pdu.varbinds = varbinds;

    // Every attempt carries a new request-id; an answer to any attempt of this exchange is taken.
    std::vector<int32_t> sentIds;
    // The agent answered, but nothing it sent could be read: that is told, not taken for silence.
    bool unreadableAnswer = false;
    const uint32_t attempts = config_.retries + 1;
    for (uint32_t attempt = 0; attempt < attempts; ++attempt) {
        request.pdu.requestId = NextRequestId();
        BerError encoded = EncodeSnmpMessage(request, &sendBuffer_);
        if (encoded == BerError::MessageTooBig)
            return kDrvSnmpTooBig;
        if (encoded != BerError::None)
            return kDrvInvalidParameter;
        sentIds.push_back(request.pdu.requestId);
        ++stats_.attempts;
        if (socket_.SendTo(sendBuffer_.data(), sendBuffer_.size(), config_.agent) != 0)
            return kDrvSendFailed;

        const auto deadline = Clock::now() + std::chrono::milliseconds(config_.timeoutMs);
        while (true) {
            if (cancelCheck_ && cancelCheck_())
                return kDrvCancelled;
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                break;
            UdpEndpoint from;
            int n = socket_.ReceiveFrom(receiveBuffer_.data(), receiveBuffer_.size(), &from,
                                        static_cast<int>(std::min<long long>(left, kWaitSliceMs)));
            if (n == CUdpSocket::kTimedOut)
                continue;
            if (n == CUdpSocket::kFailed)
                return kDrvReceiveFailed;
            if (from != config_.agent) {
                ++stats_.foreignResponses;
                continue;
            }
            SnmpMessage reply;
            if (n == CUdpSocket::kTruncated ||
                DecodeSnmpMessage(receiveBuffer_.data(), static_cast<size_t>(n), &reply) != BerError::None) {
                ++stats_.malformedResponses;
                unreadableAnswer = true;
                continue;
            }
            if (reply.pdu.type != SnmpPduType::Response || reply.version != config_.version ||
                std::find(sentIds.begin(), sentIds.end(), reply.pdu.requestId) == sentIds.end()) {
                ++stats_.foreignResponses;
                continue;
            }
            *response = std::move(reply.pdu);
            if (progressNotice_)
                progressNotice_();
            return kDrvOk;
        }
    }
    ++stats_.timeouts;
    return unreadableAnswer ? kDrvSnmpDecodeError : kDrvTimeout;
}

int CSnmpSession::Get(const std::vector<CSnmpOid>& oids, std::vector<SnmpVarBind>* values)
{
    std::vector<SnmpVarBind> request;
    request.reserve(oids.size());
    for (const CSnmpOid& oid : oids)
        request.push_back({oid, SnmpValue::Null()});
    SnmpPdu response;
    int result = Exchange(SnmpPduType::GetRequest, request, &response);
    if (result != kDrvOk)
        return result;
    if (response.errorStatus != kSnmpNoError)
        return SnmpErrorStatusToResult(response.errorStatus);
    if (response.varbinds.size() != oids.size())
        return kDrvSnmpDecodeError;
    for (size_t i = 0; i < oids.size(); ++i) {
        if (response.varbinds[i].oid != oids[i])
            return kDrvSnmpDecodeError;
        if (response.varbinds[i].value.IsException())
            return SnmpExceptionToResult(response.varbinds[i].value.type);
    }
    *values = std::move(response.varbinds);
    return kDrvOk;
}

int CSnmpSession::Set(const std::vector<SnmpVarBind>& varbinds)
{
    SnmpPdu response;
    int result = Exchange(SnmpPduType::SetRequest, varbinds, &response);
    if (result != kDrvOk)
        return result;
    if (response.errorStatus != kSnmpNoError)
        return SnmpErrorStatusToResult(response.errorStatus);
    return kDrvOk;
}
