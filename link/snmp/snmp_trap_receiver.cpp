#include "link/snmp/snmp_trap_receiver.h"

#include <cstring>

namespace {

uint32_t PackAddress(const std::array<uint8_t, 4>& address)
{
    uint32_t value = 0;
    std::memcpy(&value, address.data(), 4);
    return value;
}

} // namespace

int CSnmpTrapReceiver::Open(uint16_t port, const std::array<uint8_t, 4>& bindAddress)
{
    int result = socket_.Open(bindAddress, port);
    if (result == 0)
        socket_.SetReceiveBufferSize(4 * 1024 * 1024); // bursts must not overflow the socket
    return result;
}

void CSnmpTrapReceiver::SetSourceAddress(std::optional<std::array<uint8_t, 4>> address)
{
    if (address)
        sourceAddress_ = PackAddress(*address);
    sourceSet_ = address.has_value();
}

bool CSnmpTrapReceiver::ReceiveOne(int timeoutMs, const Handler& handler)
{
    UdpEndpoint from;
    int n = socket_.ReceiveFrom(buffer_.data(), buffer_.size(), &from, timeoutMs);
    if (n == CUdpSocket::kTimedOut || n == CUdpSocket::kFailed)
        return false;
    if (n == CUdpSocket::kTruncated) {
        ++datagrams_;
        ++malformed_;
        return true;
    }
    HandleDatagram(buffer_.data(), static_cast<size_t>(n), from, handler);
    return true;
}

void CSnmpTrapReceiver::HandleDatagram(const uint8_t* data, size_t size, const UdpEndpoint& from,
                                       const Handler& handler)
{
    ++datagrams_;
    if (sourceSet_ && PackAddress(from.address) != sourceAddress_) {
        ++foreignSource_;
        return;
    }
    SnmpTrapEvent event;
    switch (DecodeSnmpTrap(data, size, &event)) {
    case SnmpTrapDecodeResult::Malformed:
    case SnmpTrapDecodeResult::BadContent:
        ++malformed_;
        return;
    case SnmpTrapDecodeResult::NotANotification:
        ++notNotifications_;
        return;
    case SnmpTrapDecodeResult::Ok:
        break;
    }
    if (event.inform && socket_.IsOpen() && EncodeInformResponse(event.message, &responseBuffer_) &&
        socket_.SendTo(responseBuffer_.data(), responseBuffer_.size(), from) == 0)
        ++informsAnswered_;
    ++accepted_;
    if (handler)
        handler(event, from);
}

SnmpTrapReceiverStats CSnmpTrapReceiver::Stats() const
{
    SnmpTrapReceiverStats stats;
    stats.datagrams = datagrams_.load();
    stats.accepted = accepted_.load();
    stats.malformed = malformed_.load();
    stats.foreignSource = foreignSource_.load();
    stats.notNotifications = notNotifications_.load();
    stats.informsAnswered = informsAnswered_.load();
    return stats;
}
