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
#include "link/link_ui.h"
#include "link/records/logon_rec.h"
#include "link/server/alarm_event_conversion.h"
#include "link/server/posix_socket.h"

namespace {

constexpr size_t kReceiveChunk = 64 * 1024;
constexpr int kReceiveRoundsPerWake = 16; // then let posted blocks in

} // namespace

CNetDrvServerAgent::CNetDrvServerAgent(const LinkSettings& settings)
    : CNetDrv(settings.serverWaitMs), settings_(settings), receiveBuffer_(kReceiveChunk)
{
}

CNetDrvServerAgent::~CNetDrvServerAgent()
{
    // Here, while the overrides that stop this driver's threads still exist.
    Shutdown();
    CloseSocket(offeredTrapSocket_);
}

int CNetDrvServerAgent::StartDriverThreads()
{
    if (!trapWakeup_.IsValid()) {
        return kDrvMemoryInsufficient;
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
    if (params.header.requestCode != kReqLogon) {
        return kDrvOk;
    }
    // The server learns who logs on, and where notifications go, from the logon record that replaces the caller's
    // 1-byte body. The application holds the password as its digest by now.
    LogonRec logon;
    logon.userName = AppData().GetLoginUserName();
    logon.passwordDigest = AppData().GetLoginPassword();
    logon.trapPort = trapPort_;
    const auto bytes = EncodeRecord(logon);
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
    // Notifications come to the address the server knows this workstation by, on no other.
    uint16_t trapPort = 0;
    const int trapSocket =
        CNotificationSocket::Open(LocalAddressOf(fd), settings_.serverTrapPort, kTrapPortTries, &trapPort);
    OfferTrapSocket(trapSocket, trapPort);
    WriteDriverLog(DriverLogKind::Comm, "connected to %u.%u.%u.%u:%u", params.address[0], params.address[1],
                   params.address[2], params.address[3], params.port);
    return kDrvOk;
}

void CNetDrvServerAgent::AgentRoutine_Disconnect()
{
    serverAddress_ = 0;
    OfferTrapSocket(-1, 0);
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

int CNetDrvServerAgent::SendDriverRequest(uint8_t operation, uint16_t code, const std::vector<uint8_t>& record)
{
    const uint32_t sequence = Slots().Acquire();
    if (sequence == 0) {
        return kDrvNoFreeSlot;
    }
    SendParams params;
    params.header.operation = operation;
    params.header.requestCode = code;
    params.header.neId = 0;
    params.header.count = 1;
    params.header.total = 1;
    params.header.recordSize = static_cast<uint32_t>(record.size());
    params.records = record;
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
    const auto interval = std::chrono::milliseconds(settings_.pingIntervalMs);
    auto nextKeepAlive = std::chrono::steady_clock::now() + interval;
    std::unique_lock<std::mutex> lock(pollMutex_);
    while (!QuitRequested()) {
        pollCv_.wait_until(lock, nextKeepAlive, [this] { return QuitRequested() || resyncWanted_.load(); });
        if (QuitRequested()) {
            break;
        }
        const bool resync = resyncWanted_.exchange(false);
        const bool keepAliveDue = std::chrono::steady_clock::now() >= nextKeepAlive;
        lock.unlock();
        if (resync) {
            ResynchroniseEntityStates();
        }
        // The keep-alive (request code 1: a query with a 1-byte body, answered with an empty reply) is skipped while
        // a request is in progress, or every slot waits for a reply: the connection shows itself alive anyway.
        if (keepAliveDue) {
            nextKeepAlive = std::chrono::steady_clock::now() + interval;
            if (IsConnected() && IsLoggedIn() && !IsInTransaction()) {
                const int result = SendDriverRequest(kEmsOpQuery, kReqKeepAlive, {0});
                if (result != kDrvOk && result != kDrvNoFreeSlot && !QuitRequested()) {
                    WriteDriverLog(DriverLogKind::NetDrv, "keep-alive failed: (%d) %s: link disconnected", result,
                                   GetDriverErrorText(result));
                    PostDisconnect(kDrvNotConnected);
                }
            }
        }
        lock.lock();
    }
    WriteDriverLog(DriverLogKind::Thread, "PollRoutine ended");
    pollEnded_ = true;
}

void CNetDrvServerAgent::ResynchroniseEntityStates()
{
    if (!IsConnected() || !IsLoggedIn()) {
        return;
    }
    // As the login does: turning notifications on makes the server send every entity's state.
    const int result = SendDriverRequest(kEmsOpModify, kReqNotificationsOn, {1, 0, 0, 0});
    if (result == kDrvOk) {
        ++resyncs_;
    }
    WriteDriverLog(DriverLogKind::NetDrv, "entity states asked for again: (%d) %s", result, GetDriverErrorText(result));
}

void CNetDrvServerAgent::OnNotificationsLost(uint64_t datagrams)
{
    if (!IsLoggedIn()) {
        WriteDriverLog(DriverLogKind::NetDrv, "%llu notification datagrams lost before the login read the states",
                       static_cast<unsigned long long>(datagrams));
        return;
    }
    WriteDriverLog(DriverLogKind::NetDrv,
                   "%llu notification datagrams lost, the receive buffer full: states read again",
                   static_cast<unsigned long long>(datagrams));
    bool alreadyWanted = false;
    {
        std::lock_guard<std::mutex> lock(pollMutex_);
        alreadyWanted = resyncWanted_.exchange(true);
    }
    pollCv_.notify_all();
    if (!alreadyWanted) {
        GetLinkUi().ShowLinkStatus("Notifications were lost: reading the entity states from the server again");
    }
}

void CNetDrvServerAgent::OfferTrapSocket(int fd, uint16_t port)
{
    {
        std::lock_guard<std::mutex> lock(trapOfferMutex_);
        CloseSocket(offeredTrapSocket_); // an offer TrapRoutine had not taken yet
        offeredTrapSocket_ = fd;
        trapSocketOffered_ = true;
    }
    trapPort_ = port;
    trapWakeup_.Signal();
}

void CNetDrvServerAgent::AdoptOfferedTrapSocket()
{
    std::lock_guard<std::mutex> lock(trapOfferMutex_);
    if (trapSocketOffered_) {
        notifications_.Adopt(offeredTrapSocket_);
        offeredTrapSocket_ = -1;
        trapSocketOffered_ = false;
    }
}

CNetDrvServerAgent::NotificationCounters CNetDrvServerAgent::GetNotificationCounters() const
{
    NotificationCounters counters;
    static_cast<CNotificationSocket::Counters&>(counters) = notifications_.GetCounters();
    counters.resyncs = resyncs_;
    return counters;
}

void CNetDrvServerAgent::TrapRoutine()
{
    WriteDriverLog(DriverLogKind::Thread, "TrapRoutine started");
    const auto deliver = [this](const Frame& frame) {
        DeliverNotification(MsgFromFrame(frame), frame.payload.data(), frame.payload.size());
    };
    uint64_t lost = 0;
    while (!QuitRequested()) {
        const int trapSocket = notifications_.Fd();
        pollfd fds[3] = {{QuitEventFd(), POLLIN, 0}, {trapWakeup_.Fd(), POLLIN, 0}, {trapSocket, POLLIN, 0}};
        if (poll(fds, trapSocket >= 0 ? 3 : 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if ((fds[0].revents & POLLIN) != 0) {
            break;
        }
        if ((fds[1].revents & POLLIN) != 0) {
            trapWakeup_.Drain();
            AdoptOfferedTrapSocket();
            lost = 0; // another connection, or none: a login reads every state
            continue;
        }
        if ((fds[2].revents & POLLIN) != 0) {
            const CNotificationSocket::Taken taken = notifications_.TakeDatagrams(serverAddress_, deliver);
            lost += taken.kernelDrops;
            // The states are read again only once every datagram sent before the loss has been taken: the server's
            // answer is then newer than all of them.
            if (lost != 0 && taken.drained) {
                OnNotificationsLost(lost);
                lost = 0;
            }
        }
    }
    WriteDriverLog(DriverLogKind::Thread, "TrapRoutine ended");
    trapEnded_ = true;
}
