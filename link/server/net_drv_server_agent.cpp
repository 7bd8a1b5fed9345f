#include "link/server/net_drv_server_agent.h"

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <netinet/in.h>
#include <poll.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <string>
#include <thread>

#include "core/tables/app_data.h"
#include "link/driver_logs.h"
#include "link/driver_result.h"
#include "link/link_ui.h"
#include "link/records/logon_rec.h"
#include "link/records/request_catalogue.h"
#include "link/records/word_record.h"
#include "link/server/posix_socket.h"
#include "link/server/server_frame_intake.h"
#include "link/server/server_login_reads.h"
#include "link/server_message_dispatcher.h"

namespace {

constexpr size_t kReceiveChunk = 64 * 1024;
// How often a driver thread that waits for the dispatcher's queue to drain looks at it again.
constexpr int kQueueLookMs = 20;
// After notification datagrams were lost, how long they must pause before everything is read again, and how long a
// steady flow of them may put that off.
constexpr auto kLossQuiet = std::chrono::milliseconds(100);
constexpr auto kLossLongestWait = std::chrono::milliseconds(2000);
// How long a resync waits for the notification thread to take the datagrams that came before its next request before
// it gives way to the keep-alive and tries again.
constexpr auto kDatagramsTakenWait = std::chrono::milliseconds(1000);

bool QueueHasRoom()
{
    return QueuedServerMessageBytes() <= kServerMessageQueueBound / 2;
}

// The signal that ends a requesting thread's wait in recv(): a real-time one, which nothing else in the program uses.
// Its handler counts it for the driver that sent it, named by the value sent with it.
int ReaderWakeSignal()
{
    return SIGRTMIN + 6;
}

void TakeReaderWake(int /*signal*/, siginfo_t* info, void* /*context*/)
{
    if (info != nullptr && info->si_code == SI_QUEUE && info->si_pid == getpid() &&
        info->si_value.sival_ptr != nullptr) {
        static_cast<std::atomic<uint64_t>*>(info->si_value.sival_ptr)->fetch_add(1);
    }
}

// Installed once for the process, without SA_RESTART, so that the recv() it lands in returns (EINTR).
bool InstallReaderWake()
{
    static const bool installed = [] {
        struct sigaction action {};
        action.sa_sigaction = TakeReaderWake;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        return sigaction(ReaderWakeSignal(), &action, nullptr) == 0;
    }();
    return installed;
}

// A thread that reads for its reply takes the signal, whatever mask it was started with; once per thread.
void LetThreadTakeReaderWake()
{
    // Initial-exec: the library is loaded with the program, and a look at it is then one load, not a call.
    thread_local bool let __attribute__((tls_model("initial-exec"))) = false;
    if (!let) {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, ReaderWakeSignal());
        let = pthread_sigmask(SIG_UNBLOCK, &set, nullptr) == 0;
    }
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
    {
        std::lock_guard<std::mutex> lock(datagramsTakenMutex_);
    }
    datagramsTakenCv_.notify_all();
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
    if (!InstallReaderWake() || !LetReceiveWait(fd)) {
        WriteDriverLog(DriverLogKind::Comm, "socket options refused: errno %d", errno);
        CloseSocket(fd);
        return kDrvConnectFailed;
    }
    {
        std::lock_guard<std::mutex> lock(sendMutex_);
        socket_ = fd;
    }
    serverAddress_ = Ipv4ToNetworkOrder(params.address);
    // The server sends its datagrams from the port it serves on: nobody else on its host can send from there.
    serverPort_ = htons(params.port);
    // The server numbers this session's notifications from 1.
    series_.Reset();
    // Notifications come to the address the server knows this workstation by, on no other.
    const CNotificationSocket::Opened trap = CNotificationSocket::Open(
        LocalAddressOf(fd), settings_.serverTrapPort, kTrapPortTries, settings_.notificationBufferBytes);
    OfferTrapSocket(trap.fd, trap.port);
    if (trap.fd >= 0 && trap.bufferBytes >= 0 && trap.bufferBytes < settings_.notificationBufferBytes) {
        GetLinkUi().ShowLinkStatus("Notifications: the system grants a receive buffer of " +
                                   std::to_string(trap.bufferBytes / 1024) + " KB, not " +
                                   std::to_string(settings_.notificationBufferBytes / 1024) +
                                   " KB (net.core.rmem_max): a burst may be lost and then read again");
    }
    WriteDriverLog(DriverLogKind::Comm, "connected to %u.%u.%u.%u:%u", params.address[0], params.address[1],
                   params.address[2], params.address[3], params.port);
    return kDrvOk;
}

void CNetDrvServerAgent::AgentRoutine_Disconnect()
{
    serverAddress_ = 0;
    serverPort_ = 0;
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
    // Encoded under the lock into the buffer of the last frame: a request costs no allocation for it.
    std::unique_lock<std::mutex> lock(sendMutex_);
    std::vector<uint8_t>& frame = sendFrame_;
    if (!EncodeFrameInto(header, params.records.data(), params.records.size(), frame)) {
        return kDrvInvalidParameter;
    }
    if (socket_ < 0) {
        return kDrvNotConnected;
    }
    // In the log in the order the frames go out.
    LogPdu(PduDirection::Send, params.header, params.records.data(), params.records.size(), params.startedAt);
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
            // Looked at first: a log switched off costs a request no call with its arguments.
            if (IsDriverLogEnabled(DriverLogKind::Comm)) {
                WriteDriverLog(DriverLogKind::Comm, "sent %lu bytes (code %u, seq %lu)",
                               static_cast<unsigned long>(frame.size()), static_cast<unsigned>(header.requestCode),
                               static_cast<unsigned long>(header.sequence));
            }
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
    if (requesterReads_) {
        return true;
    }
    // The loan lasts a moment after the last reading, timed from AgentRoutine's first look since it ended, so that a
    // request reads no clock for it.
    const auto now = std::chrono::steady_clock::now();
    if (const uint64_t ended = readingsEnded_.load(); ended != readingsEndedSeen_.load(std::memory_order_relaxed)) {
        readingsEndedSeen_.store(ended, std::memory_order_relaxed);
        lentUntil_ = now + std::chrono::milliseconds(kLendMs);
        return true;
    }
    return now < lentUntil_.load();
}

bool CNetDrvServerAgent::LeavesConnectionUnread() const
{
    // A request whose reply nobody else reads is answered all the same: the UI may be the one that waits for it.
    return Slots().InUse() == 0 && HoldsReadingBack();
}

bool CNetDrvServerAgent::HoldsReadingBack() const
{
    if (!readingHeldBack_ && QueuedServerMessageBytes() > kServerMessageQueueBound) {
        readingHeldBack_ = true;
        WriteDriverLog(DriverLogKind::Comm, "connection left unread until the UI has applied what waits");
    } else if (readingHeldBack_ && QueueHasRoom()) {
        readingHeldBack_ = false;
        WriteDriverLog(DriverLogKind::Comm, "connection read again");
    }
    return readingHeldBack_;
}

short CNetDrvServerAgent::AgentTransportEvents() const
{
    const bool reading = !ReadingLent() && !LeavesConnectionUnread();
    return static_cast<short>((reading ? POLLIN : 0) | (hasUnsent_ ? POLLOUT : 0));
}

int CNetDrvServerAgent::AgentPollTimeoutMs(short asked) const
{
    // A connection this thread does not watch for reading it looks at now and then: lent to requesting threads, or
    // left unread while the queue drains, which tells this thread nothing. While frames wait, a look now and then
    // tells a server that stopped reading.
    if (socket_ >= 0 && (asked & POLLIN) == 0) {
        return ReadingLent() ? kLentLookMs : kQueueLookMs;
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

int CNetDrvServerAgent::AgentRoutine_Recv()
{
    // A requesting thread that reads for its reply has the socket meanwhile.
    std::unique_lock<std::mutex> lock(recvMutex_, std::try_to_lock);
    if (!lock.owns_lock() || requesterReads_ || socket_ < 0) {
        return kDrvOk;
    }
    return ReceiveAvailable(socket_, true);
}

int CNetDrvServerAgent::ReceiveAvailable(int fd, bool mayHoldBack, uint32_t readFor)
{
    bool caughtUp = false;
    const int result = ReceiveFrames(
        fd, decoder_, receiveBuffer_, [this, mayHoldBack] { return mayHoldBack && LeavesConnectionUnread(); },
        [this, readFor](const EmsMsg& msg, const uint8_t* records, size_t size) {
            if (msg.sequence == 0) {
                series_.Note(msg.total, std::chrono::steady_clock::now());
            }
            return DeliverFrame(msg, records, size, readFor);
        },
        readFor != 0, &caughtUp);
    // Numbers missing meanwhile may still be in what the connection holds.
    if (!caughtUp) {
        series_.Hold(std::chrono::steady_clock::now());
    }
    // A server of another protocol version is not a garbled one: the operator is told which.
    if (result == kDrvInvalidFormat && decoder_.Fault() == FrameFault::kUnsupportedVersion) {
        NoteFailureText(result, OtherVersionText(decoder_.FaultyHeader().version));
    }
    return result;
}

bool CNetDrvServerAgent::RequesterHoldsBack(uint64_t& taken,
                                            std::chrono::steady_clock::time_point& takenChangedAt) const
{
    if (IsUiThread() || !HoldsReadingBack()) {
        return false;
    }
    const auto now = std::chrono::steady_clock::now();
    if (const uint64_t seen = ServerMessagesTaken(); seen != taken || takenChangedAt == decltype(now){}) {
        taken = seen;
        takenChangedAt = now;
    }
    return now - takenChangedAt < std::chrono::milliseconds(kUiStandsStillMs);
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
    // AgentRoutine's reads of the socket and the requester's take turns under recvMutex_, so that one it makes a moment
    // too long changes nothing. A full store: AgentRoutine, having just watched the connection for reading, looks at
    // this flag, while this thread looks at that watch next; one of the two sees the other's change.
    requesterReads_.store(true);
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
    if (!Slots().IsWaiting(sequence)) {
        return; // its reply came in an earlier read
    }
    const int fd = readerSocket_;
    // What the UI had taken when this thread first held back, and since when: looked at only then.
    uint64_t taken = 0;
    std::chrono::steady_clock::time_point takenChangedAt{};
    BeginReaderWait(sequence, deadline);
    // A read waits until data comes or AgentRoutine interrupts it: the end of the request by another thread (a
    // cancel, the driver's end) or of the wait is seen within its look, a dropped connection at once. The first read
    // comes before any look at the clock: the reply is usually there by its end.
    for (bool first = true;
         Slots().IsWaiting(sequence) && !QuitRequested() && (first || std::chrono::steady_clock::now() < deadline);
         first = false) {
        if (RequesterHoldsBack(taken, takenChangedAt)) {
            series_.Hold(std::chrono::steady_clock::now());
            std::this_thread::sleep_for(std::chrono::milliseconds(kQueueLookMs));
            continue;
        }
        int result = kDrvOk;
        {
            std::lock_guard<std::mutex> lock(recvMutex_);
            result = ReceiveAvailable(fd, false, sequence);
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
    EndReaderWait();
}

void CNetDrvServerAgent::BeginReaderWait(uint32_t sequence, std::chrono::steady_clock::time_point until)
{
    LetThreadTakeReaderWake();
    // Published by readerWaits_, which AgentRoutine reads before them. Its end is a full store (EndReaderWait).
    readerThread_.store(pthread_self(), std::memory_order_relaxed);
    readerSequence_.store(sequence, std::memory_order_relaxed);
    readerUntil_.store(until, std::memory_order_relaxed);
    readerWaits_.store(true, std::memory_order_release);
}

void CNetDrvServerAgent::EndReaderWait()
{
    readerWaits_ = false;
    // AgentRoutine counts a signal as sent before it looks at readerWaits_: one that saw it set is waited for here.
    while (readerWakesTaken_.load() != readerWakesSent_.load()) {
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
}

void CNetDrvServerAgent::AgentRoutine_Look()
{
    // One wake at a time: the next goes at a later look, once the reader has taken this one. A sanitizer's runtime
    // holds a thread's signals back until it may take them and keeps one of each number: two sent before the reader
    // took the first would come to it as one, and the reader, which counts them before it lets go, would wait for the
    // second for ever.
    if (!readerWaits_.load() || readerWakesSent_.load() != readerWakesTaken_.load()) {
        return;
    }
    ++readerWakesSent_;
    bool sent = false;
    if (readerWaits_.load()) {
        const uint32_t sequence = readerSequence_;
        if (!Slots().IsWaiting(sequence) || QuitRequested() ||
            std::chrono::steady_clock::now() >= readerUntil_.load()) {
            sigval value{};
            value.sival_ptr = &readerWakesTaken_;
            sent = pthread_sigqueue(readerThread_, ReaderWakeSignal(), value) == 0;
        }
    }
    if (!sent) {
        ++readerWakesTaken_;
    }
}

void CNetDrvServerAgent::ReleaseReading(uint32_t /*sequence*/)
{
    requesterReads_.store(false, std::memory_order_release);
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
    ++readingsEnded_;
    readerTaken_.store(false, std::memory_order_release);
}

int CNetDrvServerAgent::SendDriverRequest(uint8_t operation, uint16_t code, const std::vector<uint8_t>& body,
                                          ReplyData* reply)
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
    params.header.recordSize = static_cast<uint32_t>(body.size());
    params.records = body;
    params.opLog = CurrentOpLogFlag();
    ReplyData received;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(settings_.serverWaitMs);
    const int result = RequestRoutine(sequence, params, deadline, received);
    Slots().Release(sequence);
    if (reply != nullptr) {
        *reply = std::move(received);
    }
    return result;
}

void CNetDrvServerAgent::PollRoutine()
{
    WriteDriverLog(DriverLogKind::Thread, "PollRoutine started");
    const auto interval = std::chrono::milliseconds(settings_.pingIntervalMs);
    auto nextKeepAlive = std::chrono::steady_clock::now() + interval;
    std::unique_lock<std::mutex> lock(pollMutex_);
    while (!QuitRequested()) {
        // A resync waits until the UI has applied what came before it, so that its replies find room in the queue.
        const bool resyncWaits = resyncWanted_ && !QueueHasRoom();
        const auto wakeAt =
            resyncWaits
                ? std::min(nextKeepAlive, std::chrono::steady_clock::now() + std::chrono::milliseconds(kQueueLookMs))
                : nextKeepAlive;
        pollCv_.wait_until(lock, wakeAt, [&] { return QuitRequested() || (resyncWanted_ && !resyncWaits); });
        if (QuitRequested()) {
            break;
        }
        const bool resync = resyncWanted_ && QueueHasRoom() && !resyncRunning_.exchange(true);
        if (resync) {
            resyncWanted_ = false;
        }
        const bool keepAliveDue = std::chrono::steady_clock::now() >= nextKeepAlive;
        lock.unlock();
        if (resync) {
            if (!Resynchronise()) {
                resyncWanted_ = true;
            }
            resyncRunning_ = false;
        }
        // The keep-alive (request code 1: a query with a 1-byte body, answered with an empty reply) is skipped while
        // a request is in progress, every slot waits for a reply, or the connection is left unread until the UI has
        // applied what came: the connection shows itself alive anyway.
        if (keepAliveDue) {
            nextKeepAlive = std::chrono::steady_clock::now() + interval;
            if (IsConnected() && IsLoggedIn() && !IsInTransaction() && !readingHeldBack_) {
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

bool CNetDrvServerAgent::Resynchronise()
{
    if (!IsConnected() || !IsLoggedIn()) {
        return true; // a login reads everything anyway
    }
    // Before each request, the datagrams the server sent ahead of it are queued: none of them is applied over its
    // answer, nor over the state of every entity that turning notifications on brings.
    const auto datagramsTaken = [this] {
        if (WaitForDatagramsTaken(kDatagramsTakenWait)) {
            return true;
        }
        WriteDriverLog(DriverLogKind::NetDrv, "resync: the notification datagrams that came before it are not all "
                                              "taken yet: tried again");
        return false;
    };
    for (const uint16_t code : kServerLoginQueries) {
        if (!datagramsTaken()) {
            return false;
        }
        const RequestEntry entry = FindRequest(code);
        const std::vector<uint8_t> body(entry.spec != nullptr ? entry.spec->QueryBodySize() : 1, 0);
        ReplyData reply;
        if (const int result = SendDriverRequest(kEmsOpQuery, code, body, &reply); result != kDrvOk) {
            WriteDriverLog(DriverLogKind::NetDrv, "resync: request %u failed: (%d) %s", static_cast<unsigned>(code),
                           result, GetDriverErrorText(result));
            return true; // the link itself has failed: the keep-alive or the operator's next request tells
        }
        // Applied as the login's reply is: a query's reply replaces its table, after what came before it.
        EmsMsg msg = reply.header;
        msg.records = reply.records.empty() ? nullptr : reply.records.data();
        msg.reserved = kEmsOpQuery;
        QueueServerReply(&msg, reply.arrivalMark);
    }
    // As the login does: turning notifications on makes the server send every entity's state.
    if (!datagramsTaken()) {
        return false;
    }
    const auto on = EncodeRecord(WordRecord{1});
    const int result = SendDriverRequest(kEmsOpModify, kReqNotificationsOn, {on.begin(), on.end()});
    if (result == kDrvOk) {
        // Every state comes after this answer: what went missing before it is covered.
        series_.Forgive();
        ++resyncs_;
    }
    WriteDriverLog(DriverLogKind::NetDrv, "resync: everything the login reads asked for again: (%d) %s", result,
                   GetDriverErrorText(result));
    return true;
}

void CNetDrvServerAgent::OnNotificationsLost(uint64_t count, const char* how)
{
    if (!IsLoggedIn()) {
        WriteDriverLog(DriverLogKind::NetDrv, "%llu notifications %s before the login read everything",
                       static_cast<unsigned long long>(count), how);
        return;
    }
    bool alreadyWanted = false;
    {
        std::lock_guard<std::mutex> lock(pollMutex_);
        alreadyWanted = resyncWanted_.exchange(true);
    }
    pollCv_.notify_all();
    if (!alreadyWanted) {
        WriteDriverLog(DriverLogKind::NetDrv, "%llu notifications %s: everything read again",
                       static_cast<unsigned long long>(count), how);
        GetLinkUi().ShowLinkStatus("Notifications were lost: reading everything from the server again");
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

bool CNetDrvServerAgent::AdoptOfferedTrapSocket()
{
    std::lock_guard<std::mutex> lock(trapOfferMutex_);
    if (!trapSocketOffered_) {
        return false;
    }
    notifications_.Adopt(offeredTrapSocket_);
    offeredTrapSocket_ = -1;
    trapSocketOffered_ = false;
    return true;
}

bool CNetDrvServerAgent::WaitForDatagramsTaken(std::chrono::milliseconds limit)
{
    const uint64_t asked = ++takeAllAsked_;
    trapWakeup_.Signal();
    std::unique_lock<std::mutex> lock(datagramsTakenMutex_);
    datagramsTakenCv_.wait_for(lock, limit, [&] { return takeAllDone_ >= asked || QuitRequested(); });
    return takeAllDone_ >= asked && !QuitRequested();
}

void CNetDrvServerAgent::NoteDatagramsTaken(uint64_t asked)
{
    {
        std::lock_guard<std::mutex> lock(datagramsTakenMutex_);
        takeAllDone_ = asked;
    }
    datagramsTakenCv_.notify_all();
}

CNetDrvServerAgent::NotificationCounters CNetDrvServerAgent::GetNotificationCounters() const
{
    NotificationCounters counters;
    static_cast<CNotificationSocket::Counters&>(counters) = notifications_.GetCounters();
    counters.refused = refused_;
    counters.missing = missing_;
    counters.resyncs = resyncs_;
    return counters;
}

void CNetDrvServerAgent::TrapRoutine()
{
    WriteDriverLog(DriverLogKind::Thread, "TrapRoutine started");
    using Clock = std::chrono::steady_clock;
    const auto deliver = [this](const Frame& frame) {
        series_.Note(frame.header.total, Clock::now());
        return DeliverNotification(MsgFromFrame(frame), frame.payload.data(), frame.payload.size(),
                                   ServerMessageOrigin::kDatagram);
    };
    uint64_t refused = 0;
    Clock::time_point firstLoss;
    Clock::time_point lastDatagram;
    uint64_t takeAllAnswered = 0;
    while (!QuitRequested()) {
        // While a re-read is wanted or runs, what goes missing is covered by it.
        const bool rereading = resyncWanted_ || resyncRunning_;
        if (rereading) {
            series_.Hold(Clock::now());
            refused = 0;
        }
        // After datagrams were refused, everything is read again once they have paused (so that the losses of one
        // burst make one re-read), or after a while of steady traffic; a number missing is given up at its time.
        std::optional<Clock::time_point> due = rereading ? std::nullopt : series_.NextDue();
        if (refused != 0) {
            const Clock::time_point refusedDue = std::min(lastDatagram + kLossQuiet, firstLoss + kLossLongestWait);
            due = due ? std::min(*due, refusedDue) : refusedDue;
        }
        if (rereading) {
            due = Clock::now() + std::chrono::milliseconds(kQueueLookMs);
        }
        const int waitMs =
            due ? static_cast<int>(std::max<int64_t>(
                      0, std::chrono::duration_cast<std::chrono::milliseconds>(*due - Clock::now()).count() + 1))
                : -1;
        const int trapSocket = notifications_.Fd();
        pollfd fds[3] = {{QuitEventFd(), POLLIN, 0}, {trapWakeup_.Fd(), POLLIN, 0}, {trapSocket, POLLIN, 0}};
        if (poll(fds, trapSocket >= 0 ? 3 : 2, waitMs) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if ((fds[0].revents & POLLIN) != 0) {
            break;
        }
        bool readable = (fds[2].revents & POLLIN) != 0;
        if ((fds[1].revents & POLLIN) != 0) {
            trapWakeup_.Drain();
            if (AdoptOfferedTrapSocket()) {
                refused = 0;      // another connection, or none: a login reads everything
                readable = false; // of the socket before
            }
        }
        // Looked at after the wake-up was drained: the socket read empty below answers every wait begun so far.
        const uint64_t takeAllAsked = takeAllAsked_;
        bool emptied = notifications_.Fd() < 0;
        if (!emptied && (readable || takeAllAsked > takeAllAnswered)) {
            const CNotificationSocket::Taken taken = notifications_.TakeDatagrams(serverAddress_, serverPort_, deliver);
            emptied = taken.emptied;
            lastDatagram = Clock::now();
            if (refused == 0 && taken.refused != 0) {
                firstLoss = lastDatagram;
            }
            refused += taken.refused;
            refused_ += taken.refused;
        }
        if (emptied && takeAllAsked > takeAllAnswered) {
            NoteDatagramsTaken(takeAllAsked);
            takeAllAnswered = takeAllAsked;
        }
        if (resyncWanted_ || resyncRunning_) {
            continue;
        }
        const Clock::time_point now = Clock::now();
        if (const uint64_t lost = series_.TakeLost(now); lost != 0) {
            missing_ += lost;
            OnNotificationsLost(lost, "missing from the server's numbers");
            refused = 0;
        } else if (refused != 0 && (now >= lastDatagram + kLossQuiet || now >= firstLoss + kLossLongestWait)) {
            OnNotificationsLost(refused, "refused, the dispatcher's queue full");
            refused = 0;
        }
    }
    WriteDriverLog(DriverLogKind::Thread, "TrapRoutine ended");
    trapEnded_ = true;
}
