#include "link/server/net_drv_server_agent.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "core/tables/app_data.h"
#include "core/tables/location_tree.h"
#include "link/driver_logs.h"
#include "link/driver_result.h"
#include "link/server/alarm_event_conversion.h"
#include "link/server/logon_rec.h"
#include "link/server/posix_socket.h"

namespace {

constexpr size_t kReceiveChunk = 64 * 1024;
constexpr int kReceiveRoundsPerWake = 16; // then let posted blocks in
constexpr size_t kDatagramBufferSize = 65536;

std::string DottedAddress(uint32_t networkOrder)
{
    char text[INET_ADDRSTRLEN] = {};
    in_addr addr{};
    addr.s_addr = networkOrder;
    inet_ntop(AF_INET, &addr, text, sizeof text);
    return text;
}

} // namespace

CNetDrvServerAgent::CNetDrvServerAgent(const LinkSettings& settings)
    : CNetDrv(settings.serverWaitMs), settings_(settings), receiveBuffer_(kReceiveChunk)
{
}

CNetDrvServerAgent::~CNetDrvServerAgent()
{
    // Here, while the overrides that stop this driver's threads still exist.
    Shutdown();
    CloseSocket(trapSocket_);
}

int CNetDrvServerAgent::StartDriverThreads()
{
    uint16_t port = 0;
    trapSocket_ = BindFirstFreeUdpPort(settings_.serverTrapPort, kTrapPortTries, &port);
    trapPort_ = port;
    if (trapSocket_ < 0) {
        WriteDriverLog(DriverLogKind::NetDrv, "no free UDP port from %u: notifications on TCP only",
                       static_cast<unsigned>(settings_.serverTrapPort));
    } else {
        WriteDriverLog(DriverLogKind::NetDrv, "notifications on UDP port %u", static_cast<unsigned>(port));
    }
    pollEnded_ = false;
    pollThread_ = std::thread(&CNetDrvServerAgent::PollRoutine, this);
    trapEnded_ = false;
    trapThread_ = std::thread(&CNetDrvServerAgent::TrapRoutine, this);
    return kDrvOk;
}

void CNetDrvServerAgent::SignalDriverThreadsToQuit()
{
    {
        std::lock_guard<std::mutex> lock(pollMutex_);
    }
    pollCv_.notify_all();
}

bool CNetDrvServerAgent::DriverThreadsEnded() const
{
    return pollEnded_.load() && trapEnded_.load();
}

void CNetDrvServerAgent::JoinDriverThreads()
{
    if (pollThread_.joinable()) {
        pollThread_.join();
    }
    if (trapThread_.joinable()) {
        trapThread_.join();
    }
}

int CNetDrvServerAgent::EncodeRequestBody(SendParams& params)
{
    if (params.header.requestCode != kEmsReqLogon) {
        return kDrvOk;
    }
    // The server learns who logs on, and where notifications go, from the logon record that replaces the caller's
    // 1-byte body. The application holds the password as its digest by now.
    LogonRec logon;
    logon.userName = AppData().GetLoginUserName();
    logon.passwordDigest = AppData().GetLoginPassword();
    logon.trapPort = trapPort_;
    const auto bytes = EncodeLogonRec(logon);
    params.records.assign(bytes.begin(), bytes.end());
    params.header.count = 1;
    params.header.total = 1;
    params.header.recordSize = static_cast<uint32_t>(kLogonRecSize);
    return kDrvOk;
}

int CNetDrvServerAgent::AgentRoutine_Connect(const ConnectParams& params)
{
    int fd = -1;
    const int result = ConnectTcp(params.address, params.port, settings_.connectLimitMs, QuitEventFd(), &fd);
    if (result != kDrvOk) {
        WriteDriverLog(DriverLogKind::Comm, "connect to %u.%u.%u.%u:%u failed: (%d) %s", params.address[0],
                       params.address[1], params.address[2], params.address[3], params.port, result,
                       GetDriverErrorText(result));
        return result;
    }
    socket_ = fd;
    decoder_.Reset();
    serverAddress_ = Ipv4ToNetworkOrder(params.address);
    WriteDriverLog(DriverLogKind::Comm, "connected to %u.%u.%u.%u:%u", params.address[0], params.address[1],
                   params.address[2], params.address[3], params.port);
    return kDrvOk;
}

void CNetDrvServerAgent::AgentRoutine_Disconnect()
{
    serverAddress_ = 0;
    if (socket_ >= 0) {
        WriteDriverLog(DriverLogKind::Comm, "socket closed");
    }
    CloseSocket(socket_);
    decoder_.Reset();
}

int CNetDrvServerAgent::AgentRoutine_Send(const SendParams& params)
{
    if (socket_ < 0) {
        return kDrvNotConnected;
    }
    FrameHeader header = FrameHeaderFromMsg(params.header);
    header.opLog = params.opLog;
    const std::vector<uint8_t> frame = EncodeFrame(header, params.records.data(), params.records.size());
    if (frame.empty()) {
        return kDrvInvalidParameter;
    }
    LogPdu(PduDirection::Send, params.header, params.records.data(), params.records.size());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(GetTimeout());
    size_t sent = 0;
    while (sent < frame.size()) {
        const ssize_t n = send(socket_, frame.data() + sent, frame.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            WriteDriverLog(DriverLogKind::Comm, "send failed: errno %d", errno);
            return errno == EPIPE || errno == ECONNRESET ? kDrvConnectionClosed : kDrvSendFailed;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            WriteDriverLog(DriverLogKind::Comm, "send stalled for %lu ms", static_cast<unsigned long>(GetTimeout()));
            return kDrvSendFailed;
        }
        // While the server cannot take more, keep reading what it sends, so that neither side waits on the other.
        pollfd fds[2] = {{socket_, POLLOUT | POLLIN, 0}, {QuitEventFd(), POLLIN, 0}};
        if (poll(fds, 2, static_cast<int>(left.count())) < 0 && errno != EINTR) {
            return kDrvSendFailed;
        }
        if ((fds[1].revents & POLLIN) != 0) {
            return kDrvNotConnected;
        }
        if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0 && (fds[0].revents & POLLOUT) == 0) {
            if (const int received = AgentRoutine_Recv(); received != kDrvOk) {
                return received;
            }
        }
    }
    WriteDriverLog(DriverLogKind::Comm, "sent %lu bytes (code %u, seq %lu)", static_cast<unsigned long>(frame.size()),
                   static_cast<unsigned>(header.requestCode), static_cast<unsigned long>(header.sequence));
    return kDrvOk;
}

int CNetDrvServerAgent::DeliverDecodedFrames()
{
    Frame frame;
    for (;;) {
        const FrameStatus status = decoder_.Next(frame);
        if (status == FrameStatus::NeedMore) {
            return kDrvOk;
        }
        if (status == FrameStatus::Invalid && decoder_.Fault() == FrameFault::kUnsupportedVersion) {
            WriteDriverLog(DriverLogKind::Comm,
                           "frame of protocol version %lu from the server, this workstation speaks %lu: "
                           "connection closed",
                           static_cast<unsigned long>(decoder_.FaultyHeader().version),
                           static_cast<unsigned long>(kFrameProtocolVersion));
            return kDrvInvalidFormat;
        }
        if (status == FrameStatus::Invalid) {
            WriteDriverLog(DriverLogKind::Comm, "invalid frame from the server: connection closed");
            return kDrvInvalidFormat;
        }
        // Alarm and event records come in the server's form; callers read them as AlarmEventRec.
        if (IsServerAlarmEventReply(frame.header) && !ConvertServerAlarmEventFrame(frame, CLocationTree::kRootName)) {
            WriteDriverLog(DriverLogKind::Comm, "alarm event reply with records of %lu bytes: connection closed",
                           static_cast<unsigned long>(frame.header.recordSize));
            return kDrvInvalidFormat;
        }
        const EmsMsg msg = MsgFromFrame(frame);
        if (const int result = DeliverFrame(msg, frame.payload.data(), frame.payload.size()); result != kDrvOk) {
            WriteDriverLog(DriverLogKind::Comm, "reply seq %lu breaks its earlier frames: connection closed",
                           static_cast<unsigned long>(msg.sequence));
            return result;
        }
    }
}

int CNetDrvServerAgent::AgentRoutine_Recv()
{
    if (socket_ < 0) {
        return kDrvOk;
    }
    for (int round = 0; round < kReceiveRoundsPerWake; ++round) {
        const ssize_t n = recv(socket_, receiveBuffer_.data(), receiveBuffer_.size(), 0);
        if (n > 0) {
            WriteDriverLog(DriverLogKind::Comm, "received %ld bytes", static_cast<long>(n));
            decoder_.Append(receiveBuffer_.data(), static_cast<size_t>(n));
            if (const int result = DeliverDecodedFrames(); result != kDrvOk) {
                return result;
            }
            if (static_cast<size_t>(n) < receiveBuffer_.size()) {
                return kDrvOk;
            }
            continue;
        }
        if (n == 0) {
            WriteDriverLog(DriverLogKind::Comm, "the server closed the connection");
            return kDrvConnectionClosed;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return kDrvOk;
        }
        WriteDriverLog(DriverLogKind::Comm, "receive failed: errno %d", errno);
        return errno == ECONNRESET ? kDrvConnectionClosed : kDrvReceiveFailed;
    }
    return kDrvOk;
}

int CNetDrvServerAgent::SendKeepAlive()
{
    // Keep-alive uses request code 1: a query with a 1-byte body to the server, answered with an empty reply.
    const uint32_t sequence = Slots().Acquire();
    if (sequence == 0) {
        return kDrvOk; // every slot waits for a reply: the connection is evidently in use
    }
    SendParams params;
    params.header.operation = kEmsOpQuery;
    params.header.requestCode = kEmsReqKeepAlive;
    params.header.neId = 0;
    params.header.count = 1;
    params.header.total = 1;
    params.header.recordSize = 1;
    params.records.assign(1, 0);
    params.opLog = CurrentOpLogFlag();
    ReplyData reply;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(settings_.serverWaitMs);
    const int result = RequestRoutine(sequence, std::move(params), deadline, reply);
    Slots().Release(sequence);
    return result;
}

void CNetDrvServerAgent::PollRoutine()
{
    WriteDriverLog(DriverLogKind::Thread, "PollRoutine started");
    std::unique_lock<std::mutex> lock(pollMutex_);
    while (!QuitRequested()) {
        pollCv_.wait_for(lock, std::chrono::milliseconds(settings_.pingIntervalMs), [this] { return QuitRequested(); });
        if (QuitRequested()) {
            break;
        }
        lock.unlock();
        // Skipped while a request is in progress: its reply shows the connection alive anyway.
        if (IsConnected() && IsLoggedIn() && !IsInTransaction()) {
            const int result = SendKeepAlive();
            if (result != kDrvOk && !QuitRequested()) {
                WriteDriverLog(DriverLogKind::NetDrv, "keep-alive failed: (%d) %s: link disconnected", result,
                               GetDriverErrorText(result));
                PostDisconnect(kDrvNotConnected);
            }
        }
        lock.lock();
    }
    WriteDriverLog(DriverLogKind::Thread, "PollRoutine ended");
    pollEnded_ = true;
}

void CNetDrvServerAgent::TakeDatagrams()
{
    std::vector<uint8_t> buffer(kDatagramBufferSize);
    for (;;) {
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        const ssize_t n =
            recvfrom(trapSocket_, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return; // EAGAIN: all taken
        }
        const uint32_t server = serverAddress_;
        if (server == 0 || from.sin_family != AF_INET || from.sin_addr.s_addr != server) {
            WriteDriverLog(DriverLogKind::Comm, "datagram from %s dropped: not the server",
                           DottedAddress(from.sin_addr.s_addr).c_str());
            continue;
        }
        Frame frame;
        FrameFault fault = FrameFault::kNone;
        if (DecodeDatagram(buffer.data(), static_cast<size_t>(n), frame, &fault) != FrameStatus::Complete) {
            WriteDriverLog(DriverLogKind::Comm, "%s datagram of %ld bytes dropped",
                           fault == FrameFault::kUnsupportedVersion ? "another protocol version's" : "invalid",
                           static_cast<long>(n));
            continue;
        }
        DeliverNotification(MsgFromFrame(frame), frame.payload.data(), frame.payload.size());
    }
}

void CNetDrvServerAgent::TrapRoutine()
{
    WriteDriverLog(DriverLogKind::Thread, "TrapRoutine started");
    while (!QuitRequested()) {
        pollfd fds[2] = {{QuitEventFd(), POLLIN, 0}, {trapSocket_, POLLIN, 0}};
        const nfds_t count = trapSocket_ >= 0 ? 2 : 1;
        if (poll(fds, count, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if ((fds[0].revents & POLLIN) != 0) {
            break;
        }
        if (count == 2 && (fds[1].revents & POLLIN) != 0) {
            TakeDatagrams();
        }
    }
    WriteDriverLog(DriverLogKind::Thread, "TrapRoutine ended");
    trapEnded_ = true;
}
