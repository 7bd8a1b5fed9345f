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
    {
        std::lock_guard<std::mutex> lock(recvMutex_);
        decoder_.Reset();
    }
    // The requesting thread waits for its reply in recv() itself; every other read and write does not wait.
    if (!BoundReceiveWait(fd, kReaderTickMs)) {
        WriteDriverLog(DriverLogKind::Comm, "socket options refused: errno %d", errno);
        CloseSocket(fd);
        return kDrvConnectFailed;
    }
    {
        std::lock_guard<std::mutex> lock(sendMutex_);
        socket_ = fd;
    }
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
    {
        std::lock_guard<std::mutex> lock(sendMutex_);
        // Frames still waiting go with the connection; whoever waits for them learns it.
        unsent_.clear();
        hasUnsent_ = false;
        ++connectionNumber_;
        sentCv_.notify_all();
        if (socket_ >= 0) {
            WriteDriverLog(DriverLogKind::Comm, "socket closed");
            // A requesting thread may have watched the socket again since AgentRoutine left it: the watch goes
            // before the descriptor, whose number a later socket may get.
            WatchTransport(-1, 0);
            if (socket_ == heldSocket_) {
                // A requesting thread still reads it: it is ended now and closed when that thread lets go.
                shutdown(socket_, SHUT_RDWR);
                closeWhenLetGo_ = true;
                socket_ = -1;
            } else {
                CloseSocket(socket_);
            }
        }
    }
    std::lock_guard<std::mutex> lock(recvMutex_);
    decoder_.Reset();
}

int CNetDrvServerAgent::SendSome(int fd, const std::vector<uint8_t>& bytes, size_t* offset)
{
    while (*offset < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + *offset, bytes.size() - *offset, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            *offset += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return kDrvOk;
        }
        WriteDriverLog(DriverLogKind::Comm, "send failed: errno %d", errno);
        return errno == EPIPE || errno == ECONNRESET ? kDrvConnectionClosed : kDrvSendFailed;
    }
    return kDrvOk;
}

std::optional<int> CNetDrvServerAgent::HandOver(const SendParams& params,
                                                std::optional<std::chrono::steady_clock::time_point> waitUntil)
{
    FrameHeader header = FrameHeaderFromMsg(params.header);
    header.opLog = params.opLog;
    std::vector<uint8_t> frame = EncodeFrame(header, params.records.data(), params.records.size());
    if (frame.empty()) {
        return kDrvInvalidParameter;
    }
    std::unique_lock<std::mutex> lock(sendMutex_);
    if (socket_ < 0) {
        return kDrvNotConnected;
    }
    // In the log in the order the frames go out.
    LogPdu(PduDirection::Send, params.header, params.records.data(), params.records.size());
    const uint64_t number = ++framesHandedOver_;
    size_t offset = 0;
    if (unsent_.empty()) {
        if (const int result = SendSome(socket_, frame, &offset); result != kDrvOk) {
            lock.unlock();
            PostDisconnect(result);
            return result;
        }
        if (offset == frame.size()) {
            framesSent_ = number;
            WriteDriverLog(DriverLogKind::Comm, "sent %lu bytes (code %u, seq %lu)",
                           static_cast<unsigned long>(frame.size()), static_cast<unsigned>(header.requestCode),
                           static_cast<unsigned long>(header.sequence));
            return kDrvOk;
        }
        lastSendProgress_ = std::chrono::steady_clock::now();
    }
    // The socket is full, or frames wait before this one: AgentRoutine sends it in its turn.
    unsent_.push_back({std::move(frame), offset, number});
    hasUnsent_ = true;
    WakeAgent();
    if (!waitUntil) {
        return kDrvOk;
    }
    const uint64_t connection = connectionNumber_;
    const bool ended = sentCv_.wait_until(
        lock, *waitUntil, [&] { return framesSent_ >= number || connectionNumber_ != connection || QuitRequested(); });
    if (!ended) {
        return kDrvTimeout;
    }
    return framesSent_ >= number && connectionNumber_ == connection ? kDrvOk : kDrvNotConnected;
}

bool CNetDrvServerAgent::ReadingLent() const
{
    return requesterReads_ || std::chrono::steady_clock::now() < lentUntil_.load();
}

short CNetDrvServerAgent::AgentTransportEvents() const
{
    return static_cast<short>((ReadingLent() ? 0 : POLLIN) | (hasUnsent_ ? POLLOUT : 0));
}

int CNetDrvServerAgent::AgentPollTimeoutMs(short asked) const
{
    // A connection this thread does not watch for reading it looks at itself. While frames wait, a look now and
    // then tells a server that stopped reading.
    if (socket_ >= 0 && (asked & POLLIN) == 0) {
        return kLentLookMs;
    }
    return hasUnsent_ ? 1000 : -1;
}

int CNetDrvServerAgent::AgentRoutine_Flush()
{
    std::lock_guard<std::mutex> lock(sendMutex_);
    const auto now = std::chrono::steady_clock::now();
    while (!unsent_.empty()) {
        UnsentFrame& front = unsent_.front();
        const size_t before = front.offset;
        if (const int result = SendSome(socket_, front.bytes, &front.offset); result != kDrvOk) {
            return result;
        }
        if (front.offset != before) {
            lastSendProgress_ = now;
        }
        if (front.offset < front.bytes.size()) {
            if (now - lastSendProgress_ >= std::chrono::milliseconds(GetTimeout())) {
                WriteDriverLog(DriverLogKind::Comm, "send stalled for %lu ms",
                               static_cast<unsigned long>(GetTimeout()));
                return kDrvSendFailed;
            }
            return kDrvOk;
        }
        framesSent_ = front.number;
        unsent_.pop_front();
        sentCv_.notify_all();
    }
    hasUnsent_ = false;
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
    // A requesting thread that reads for its reply has the socket meanwhile.
    std::unique_lock<std::mutex> lock(recvMutex_, std::try_to_lock);
    if (!lock.owns_lock() || requesterReads_ || socket_ < 0) {
        return kDrvOk;
    }
    return ReceiveAvailable(socket_, false);
}

int CNetDrvServerAgent::ReceiveAvailable(int fd, bool wait)
{
    for (int round = 0; round < kReceiveRoundsPerWake; ++round) {
        const int flags = wait && round == 0 ? 0 : MSG_DONTWAIT;
        const ssize_t n = recv(fd, receiveBuffer_.data(), receiveBuffer_.size(), flags);
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

bool CNetDrvServerAgent::TakeReading(uint32_t /*sequence*/)
{
    if (readerTaken_.exchange(true)) {
        return false; // another requesting thread reads: this one waits for its reply to be handed to it
    }
    std::lock_guard<std::mutex> lock(sendMutex_);
    if (socket_ < 0) {
        readerTaken_ = false;
        return false;
    }
    readerSocket_ = socket_;
    heldSocket_ = socket_;
    requesterReads_ = true;
    lentUntil_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(kLendMs);
    // AgentRoutine no longer wakes for what comes in. When it watched the connection until now it may sleep on it
    // with no end: woken, it looks at it now and then instead, until the loan has ended. Under sendMutex_, as every
    // watch of a socket that another thread may close.
    if (WatchTransport(readerSocket_, AgentTransportEvents())) {
        WakeAgent();
    }
    return true;
}

void CNetDrvServerAgent::ReceiveUntilDone(uint32_t sequence, std::chrono::steady_clock::time_point deadline)
{
    const int fd = readerSocket_;
    // Each read waits a tick at most: the end of the request by another thread (a cancel, the driver's end) is seen
    // within one, a dropped connection at once.
    while (Slots().IsWaiting(sequence) && !QuitRequested() && std::chrono::steady_clock::now() < deadline) {
        int result = kDrvOk;
        {
            std::lock_guard<std::mutex> lock(recvMutex_);
            result = ReceiveAvailable(fd, true);
        }
        if (result != kDrvOk) {
            // AgentRoutine drops the connection, which ends this request too, unless it has gone already.
            bool current = false;
            {
                std::lock_guard<std::mutex> lock(sendMutex_);
                current = socket_ == fd;
            }
            if (current) {
                PostDisconnect(result);
            }
            break;
        }
    }
}

void CNetDrvServerAgent::ReleaseReading(uint32_t /*sequence*/)
{
    requesterReads_ = false;
    {
        std::lock_guard<std::mutex> lock(sendMutex_);
        if (closeWhenLetGo_) {
            CloseSocket(heldSocket_);
            closeWhenLetGo_ = false;
        }
        heldSocket_ = -1;
    }
    // AgentRoutine reads again: it looks at the connection until the loan ends, then watches it again.
    readerSocket_ = -1;
    readerTaken_ = false;
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
