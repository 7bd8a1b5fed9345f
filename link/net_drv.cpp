#include "link/net_drv.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <optional>
#include <poll.h>
#include <sys/epoll.h>
#include <unistd.h>
#include <utility>

#include "link/driver_logs.h"
#include "link/driver_result.h"
#include "link/link_settings.h"
#include "link/link_ui.h"
#include "link/server_message_dispatcher.h"

namespace {

using Clock = std::chrono::steady_clock;

class CallGuard {
public:
    explicit CallGuard(std::atomic<int>& calls) : calls_(calls) { ++calls_; }
    ~CallGuard() { --calls_; }
    CallGuard(const CallGuard&) = delete;
    CallGuard& operator=(const CallGuard&) = delete;

private:
    std::atomic<int>& calls_;
};

Clock::time_point DeadlineAfter(uint32_t ms)
{
    return Clock::now() + std::chrono::milliseconds(ms);
}

} // namespace

void CNetDrv::AgentBlock::Finish(int code)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
        result = code;
    }
    doneCv.notify_all();
}

bool CNetDrv::AgentBlock::WaitDone(Clock::time_point deadline, int& code)
{
    std::unique_lock<std::mutex> lock(mutex);
    if (!doneCv.wait_until(lock, deadline, [this] { return done; })) {
        return false;
    }
    code = result;
    return true;
}

CNetDrv::CNetDrv(uint32_t defaultTimeoutMs) : defaultTimeoutMs_(defaultTimeoutMs)
{
    requestLock_.Create(false);
}

CNetDrv::~CNetDrv()
{
    Shutdown();
    if (agentPoll_ >= 0) {
        close(agentPoll_);
    }
}

int CNetDrv::Start()
{
    if (initialised_ || quit_ || agentThread_.joinable()) {
        return kDrvNotInitialised;
    }
    if (!agentWakeup_.IsValid() || !quitEvent_.IsValid()) {
        return kDrvMemoryInsufficient;
    }
    agentPoll_ = epoll_create1(EPOLL_CLOEXEC);
    epoll_event wakeup{};
    wakeup.events = EPOLLIN;
    wakeup.data.fd = agentWakeup_.Fd();
    if (agentPoll_ < 0 || epoll_ctl(agentPoll_, EPOLL_CTL_ADD, agentWakeup_.Fd(), &wakeup) != 0) {
        return kDrvMemoryInsufficient;
    }
    opLog_ = ReadOpLogFlag();
    {
        std::lock_guard<std::mutex> lock(blocksMutex_);
        agentAccepting_ = true;
    }
    agentEnded_ = false;
    agentThread_ = std::thread(&CNetDrv::AgentRoutine, this);
    const int result = StartDriverThreads();
    if (result != kDrvOk) {
        Shutdown();
        return result;
    }
    initialised_ = true;
    WriteDriverLog(DriverLogKind::NetDrv, "driver started");
    return kDrvOk;
}

bool CNetDrv::AllThreadsEnded() const
{
    return agentEnded_.load() && DriverThreadsEnded();
}

void CNetDrv::Shutdown()
{
    if (quit_.exchange(true)) {
        return;
    }
    initialised_ = false;
    quitEvent_.Signal();
    WriteDriverLog(DriverLogKind::NetDrv, "driver shutting down");
    for (;;) {
        // The quit message: the flag, the requests ended, every sleeping thread woken.
        slots_.FailAll(kDrvNotConnected);
        agentWakeup_.Signal();
        SignalDriverThreadsToQuit();
        bool ended = false;
        for (uint32_t round = 0; round < kQuitRounds; ++round) {
            if (AllThreadsEnded() && activeCalls_.load() == 0) {
                ended = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(kQuitRoundMs));
        }
        if (ended) {
            break;
        }
        WriteDriverLog(DriverLogKind::Thread, "driver threads still running: quit again");
    }
    requestThread_.Stop();
    if (agentThread_.joinable()) {
        agentThread_.join();
    }
    JoinDriverThreads();
    connected_ = false;
    WriteDriverLog(DriverLogKind::NetDrv, "driver stopped");
}

int CNetDrv::Post(const std::shared_ptr<AgentBlock>& block)
{
    {
        std::lock_guard<std::mutex> lock(blocksMutex_);
        // A driver on its way down has no link any more: requests caught in that moment end as the others do.
        if (quit_) {
            return kDrvNotConnected;
        }
        if (!agentAccepting_) {
            return kDrvNotInitialised;
        }
        blocks_.push_back(block);
    }
    agentWakeup_.Signal();
    return kDrvOk;
}

short CNetDrv::AgentTransportEvents() const
{
    return POLLIN;
}

std::optional<int> CNetDrv::HandOver(const SendParams&, std::optional<Clock::time_point>)
{
    return std::nullopt;
}

bool CNetDrv::TakeReading(uint32_t)
{
    return false;
}

void CNetDrv::ReceiveUntilDone(uint32_t, Clock::time_point) {}

void CNetDrv::ReleaseReading(uint32_t) {}

void CNetDrv::WakeAgent()
{
    agentWakeup_.Signal();
}

bool CNetDrv::WatchTransport(int fd, short events)
{
    if (events == 0) {
        fd = -1; // nothing to wait for is no descriptor to watch
    }
    if (watched_ == WatchWord(fd, events)) {
        return false;
    }
    std::lock_guard<std::mutex> lock(watchMutex_);
    if (fd == watchedFd_ && events == watchedEvents_) {
        return false;
    }
    struct NoteWatched {
        CNetDrv& driver;
        ~NoteWatched() { driver.watched_ = WatchWord(driver.watchedFd_, driver.watchedEvents_); }
    } noteWatched{*this};
    if (watchedFd_ >= 0 && (fd != watchedFd_ || events == 0)) {
        epoll_ctl(agentPoll_, EPOLL_CTL_DEL, watchedFd_, nullptr); // gone already when it was closed
        watchedFd_ = -1;
        watchedEvents_ = 0;
    }
    if (fd < 0 || events == 0) {
        return true;
    }
    epoll_event event{};
    event.events = ((events & POLLIN) != 0 ? EPOLLIN : 0U) | ((events & POLLOUT) != 0 ? EPOLLOUT : 0U);
    event.data.fd = fd;
    int result = epoll_ctl(agentPoll_, watchedFd_ == fd ? EPOLL_CTL_MOD : EPOLL_CTL_ADD, fd, &event);
    if (result != 0 && errno == EEXIST) {
        result = epoll_ctl(agentPoll_, EPOLL_CTL_MOD, fd, &event);
    } else if (result != 0 && errno == ENOENT) {
        result = epoll_ctl(agentPoll_, EPOLL_CTL_ADD, fd, &event);
    }
    if (result == 0) {
        watchedFd_ = fd;
        watchedEvents_ = events;
    }
    return true;
}

void CNetDrv::AgentRoutine()
{
    WriteDriverLog(DriverLogKind::Thread, "AgentRoutine started");
    while (!quit_) {
        const int transportFd = AgentTransportFd();
        const short asked = transportFd >= 0 ? AgentTransportEvents() : 0;
        WatchTransport(transportFd, asked);
        // A requesting thread that took the connection while this thread decided what to watch found the watch as it
        // was and woke nobody: once the watch is in place, a change since the decision is seen here (or that thread
        // sees the new watch and wakes this one), and this thread decides again instead of sleeping on the old one.
        if (transportFd >= 0 && AgentTransportEvents() != asked) {
            continue;
        }
        epoll_event ready[2];
        const int count = epoll_wait(agentPoll_, ready, 2, AgentPollTimeoutMs(asked));
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            WriteDriverLog(DriverLogKind::Agent, "epoll_wait failed: errno %d", errno);
            std::this_thread::sleep_for(std::chrono::milliseconds(kQuitRoundMs));
            continue;
        }
        if (quit_) {
            break;
        }
        bool woken = false;
        uint32_t transport = 0;
        for (int i = 0; i < count; ++i) {
            if (ready[i].data.fd == agentWakeup_.Fd()) {
                woken = true;
            } else if (ready[i].data.fd == transportFd) {
                transport |= ready[i].events;
            }
        }
        const bool lookedUnwatched = count == 0 && transportFd >= 0 && (asked & POLLIN) == 0;
        if ((transport & (EPOLLIN | EPOLLHUP | EPOLLERR)) != 0 || lookedUnwatched) {
            const int result = AgentRoutine_Recv();
            if (result != kDrvOk) {
                DropConnection(result);
            }
        }
        if ((asked & POLLOUT) != 0 && ((transport & EPOLLOUT) != 0 || count == 0) && connected_) {
            const int result = AgentRoutine_Flush();
            if (result != kDrvOk) {
                DropConnection(result);
            }
        }
        AgentRoutine_Look();
        if (woken) {
            agentWakeup_.Drain();
        }
        for (;;) {
            std::shared_ptr<AgentBlock> block;
            {
                std::lock_guard<std::mutex> lock(blocksMutex_);
                if (blocks_.empty()) {
                    break;
                }
                block = std::move(blocks_.front());
                blocks_.pop_front();
            }
            ServeBlock(*block);
        }
    }
    if (connected_.exchange(false)) {
        WatchTransport(-1, 0);
        AgentRoutine_Disconnect();
    }
    std::deque<std::shared_ptr<AgentBlock>> left;
    {
        std::lock_guard<std::mutex> lock(blocksMutex_);
        agentAccepting_ = false;
        left.swap(blocks_);
    }
    for (auto& block : left) {
        if (block->slotSequence != 0) {
            slots_.Complete(block->slotSequence, kDrvNotConnected);
        }
        block->Finish(kDrvNotConnected);
    }
    WriteDriverLog(DriverLogKind::Thread, "AgentRoutine ended");
    agentEnded_ = true;
}

void CNetDrv::ServeBlock(AgentBlock& block)
{
    switch (block.kind) {
    case BlockKind::Connect: {
        NoteFailureText(kDrvOk, {});
        WatchTransport(-1, 0);
        if (connected_.exchange(false)) {
            AgentRoutine_Disconnect();
            slots_.FailAll(kDrvConnectionClosed);
        }
        WriteDriverLog(DriverLogKind::Agent, "connect %u.%u.%u.%u:%u", block.connect.address[0],
                       block.connect.address[1], block.connect.address[2], block.connect.address[3],
                       block.connect.port);
        const int result = AgentRoutine_Connect(block.connect);
        connected_ = result == kDrvOk;
        WriteDriverLog(DriverLogKind::Agent, "connect -> %d", result);
        block.Finish(result);
        break;
    }
    case BlockKind::Disconnect:
        WriteDriverLog(DriverLogKind::Agent, "disconnect (%d)", block.reason);
        DropConnection(block.reason);
        block.Finish(kDrvOk);
        break;
    case BlockKind::Send: {
        int result = kDrvNotConnected;
        if (connected_) {
            result = AgentRoutine_Send(block.send);
            // A request the transport cannot encode leaves the connection as it is.
            if (result != kDrvOk && result != kDrvInvalidParameter && result != kDrvMessageTooLong) {
                DropConnection(result);
            }
        }
        if (result != kDrvOk) {
            WriteDriverLog(DriverLogKind::Agent, "send of code %u seq %lu -> %d",
                           static_cast<unsigned>(block.send.header.requestCode),
                           static_cast<unsigned long>(block.send.header.sequence), result);
            if (block.slotSequence != 0) {
                slots_.Complete(block.slotSequence, result);
            }
        }
        block.Finish(result);
        break;
    }
    }
}

void CNetDrv::DropConnection(int reason)
{
    if (connected_.exchange(false)) {
        WatchTransport(-1, 0);
        AgentRoutine_Disconnect();
        WriteDriverLog(DriverLogKind::NetDrv, "connection dropped: (%d) %s", reason, GetDriverErrorText(reason));
    }
    slots_.FailAll(reason);
}

int CNetDrv::AgentRoutine_Connect(const ConnectParams&)
{
    return kDrvNotInitialised;
}

int CNetDrv::AgentRoutine_Send(const SendParams&)
{
    return kDrvNotInitialised;
}

int CNetDrv::AgentRoutine_Recv()
{
    return kDrvOk;
}

void CNetDrv::AgentRoutine_Disconnect() {}

int CNetDrv::EmsConnect(const std::array<uint8_t, 4>& address, uint16_t port, const std::string& user,
                        const std::string& password)
{
    CallGuard guard(activeCalls_);
    if (!initialised_) {
        return kDrvNotInitialised;
    }
    auto block = std::make_shared<AgentBlock>();
    block->kind = BlockKind::Connect;
    block->connect = ConnectParams{address, port, user, password};
    if (const int posted = Post(block); posted != kDrvOk) {
        return posted;
    }
    int result = kDrvConnectTimeout;
    // The transport keeps its own limit; this only guards against a transport that does not.
    block->WaitDone(DeadlineAfter(kConnectLimitMs + 5000), result);
    WriteDriverLog(DriverLogKind::NetDrv, "EmsConnect %u.%u.%u.%u:%u -> %d", address[0], address[1], address[2],
                   address[3], port, result);
    return result;
}

void CNetDrv::SetLoggedIn(bool loggedIn)
{
    if (loggedIn_.exchange(loggedIn) != loggedIn) {
        OnLoggedInChanged(loggedIn);
    }
}

bool CNetDrv::CurrentOpLogFlag()
{
    // The setting is live on the UI thread; other threads use the value seen there last, written when it changes.
    if (IsUiThread()) {
        const bool opLog = ReadOpLogFlag();
        if (opLog_.load(std::memory_order_relaxed) != opLog) {
            opLog_ = opLog;
        }
        return opLog;
    }
    return opLog_;
}

int CNetDrv::PrepareSend(const EmsMsg& request, SendParams& params)
{
    if (request.count < 0 || (request.count > 0 && request.recordSize != 0 && request.records == nullptr)) {
        return kDrvInvalidParameter;
    }
    EmsMsg header = request;
    uint64_t bytes = EmsRecordBytes(request);
    if (bytes > kMaxEmsRecordBytes) {
        // A larger count is cut to what fits.
        header.count = static_cast<int32_t>(kMaxEmsRecordBytes / request.recordSize);
        bytes = static_cast<uint64_t>(header.count) * request.recordSize;
        WriteDriverLog(DriverLogKind::NetDrv, "request of code %u cut to %ld records",
                       static_cast<unsigned>(request.requestCode), static_cast<long>(header.count));
    }
    if (bytes == 0) {
        header.count = 0; // records of no bytes are no records
    }
    header.records = nullptr;
    header.status = 0;
    header.more = 0;
    header.sequence = 0;
    params.header = header;
    try {
        const auto* begin = static_cast<const uint8_t*>(request.records);
        params.records.assign(begin, begin + bytes);
    } catch (const std::bad_alloc&) {
        return kDrvMemoryInsufficient;
    }
    params.opLog = CurrentOpLogFlag();
    params.startedAt = {};
    return EncodeRequestBody(params);
}

int CNetDrv::SendWithoutWaiting(SendParams params, int32_t handOverMs)
{
    params.header.sequence = slots_.NextUnclaimedSequence();
    const std::optional<Clock::time_point> waitUntil =
        handOverMs > 0 ? std::optional<Clock::time_point>(DeadlineAfter(static_cast<uint32_t>(handOverMs)))
                       : std::nullopt;
    if (const std::optional<int> handed = HandOver(params, waitUntil)) {
        return *handed;
    }
    auto block = std::make_shared<AgentBlock>();
    block->kind = BlockKind::Send;
    block->send = std::move(params);
    if (const int posted = Post(block); posted != kDrvOk) {
        return posted;
    }
    if (handOverMs <= 0) {
        return kDrvOk;
    }
    int result = kDrvTimeout;
    block->WaitDone(DeadlineAfter(static_cast<uint32_t>(handOverMs)), result);
    return result;
}

bool CNetDrv::StartRequest(uint32_t sequence, SendParams& params)
{
    params.header.sequence = sequence;
    if (const std::optional<int> handed = HandOver(params, std::nullopt)) {
        if (*handed != kDrvOk) {
            slots_.Complete(sequence, *handed);
        }
        return *handed == kDrvOk;
    }
    auto block = std::make_shared<AgentBlock>();
    block->kind = BlockKind::Send;
    block->send = params;
    block->slotSequence = sequence;
    if (const int posted = Post(block); posted != kDrvOk) {
        slots_.Complete(sequence, posted);
        return false;
    }
    return true;
}

int CNetDrv::RequestRoutine(uint32_t sequence, SendParams& params, Clock::time_point deadline, ReplyData& reply)
{
    const bool reading = TakeReading(sequence);
    if (StartRequest(sequence, params) && reading) {
        ReceiveUntilDone(sequence, deadline);
    }
    if (reading) {
        ReleaseReading(sequence);
    }
    return slots_.Wait(sequence, deadline, reply);
}

int CNetDrv::WaitBehindDialog(uint32_t sequence, SendParams& params, uint32_t timeoutMs, Clock::time_point start,
                              Clock::time_point deadline, ReplyData& reply)
{
    const bool reading = TakeReading(sequence);
    const bool started = StartRequest(sequence, params);
    const auto dialogDue = std::min(deadline, start + std::chrono::milliseconds(kWaitDialogDelayMs));
    if (started && reading) {
        ReceiveUntilDone(sequence, dialogDue);
    } else if (started) {
        slots_.WaitEnded(sequence, dialogDue);
    }
    int result = kDrvOk;
    // Made only for a dialog that shows: a quick reply needs none.
    std::optional<CWaitContext> wait;
    const auto rest = [&] {
        if (started && reading) {
            ReceiveUntilDone(sequence, deadline);
        }
        if (reading) {
            ReleaseReading(sequence);
        }
        result = slots_.Wait(sequence, deadline, reply);
        if (wait) {
            wait->MarkFinished();
        }
    };
    if (!started || !slots_.IsWaiting(sequence)) {
        rest();
        return result;
    }
    // Timed from the request's start, read once.
    wait.emplace(
        timeoutMs, [this, sequence] { CancelSequence(sequence); }, start);
    // The reading goes on in the request thread with the reply still to come; this thread runs the dialog.
    if (!requestThread_.Start(rest)) {
        rest();
        return result;
    }
    WriteDriverLog(DriverLogKind::Thread, "RequestRoutine waits for seq %lu", static_cast<unsigned long>(sequence));
    GetLinkUi().RunWaitDialog(*wait);
    requestThread_.WaitDone();
    return result;
}

void CNetDrv::ClearReply()
{
    reply_ = EmsMsg{};
    replyData_ = ReplyData{};
}

void CNetDrv::CopyReplyForThread(EmsMsg** reply)
{
    if (reply == nullptr || *reply != &reply_ || IsUiThread()) {
        return;
    }
    // One reply a thread, as the driver's own is one: valid until that thread's next request.
    thread_local ReplyData copy;
    thread_local EmsMsg header;
    copy = replyData_;
    header = reply_;
    header.records = copy.records.empty() ? nullptr : copy.records.data();
    *reply = &header;
}

int CNetDrv::RequestEmsMsg(EmsMsg* request, EmsMsg** reply, uint32_t failureTextId, int32_t timeoutMs, bool waitDialog)
{
    int result = kDrvOk;
    std::string errorText;
    {
        CallGuard guard(activeCalls_);
        if (reply != nullptr) {
            *reply = &noReply_;
        }
        result = Transact(request, reply, timeoutMs, waitDialog, errorText);
        if (result != kDrvOk && errorText.empty()) {
            std::lock_guard<std::mutex> lock(failureNoteMutex_);
            errorText = result == failureNoteCode_ ? failureNoteText_ : GetDriverErrorText(result);
        }
        if (request != nullptr && IsDriverLogEnabled(DriverLogKind::NetDrv)) {
            WriteDriverLog(DriverLogKind::NetDrv, "RequestEmsMsg code %u op %u ne %lu -> %d",
                           static_cast<unsigned>(request->requestCode), static_cast<unsigned>(request->operation),
                           static_cast<unsigned long>(request->neId), result);
        }
    }
    // The driver is not touched from here on: it may be shut down while the box is open.
    if (result != kDrvOk && result != kDrvCancelled && failureTextId != 0) {
        GetLinkUi().ShowFailureMessage(failureTextId, result, errorText);
    }
    return result;
}

int CNetDrv::Transact(EmsMsg* request, EmsMsg** reply, int32_t timeoutMs, bool waitDialog, std::string& errorText)
{
    if (!initialised_) {
        return kDrvNotInitialised;
    }
    if (!connected_) {
        return kDrvNotConnected;
    }
    if (request == nullptr) {
        return kDrvInvalidParameter;
    }
    for (uint32_t round = 0; round < kBusyWaitRounds && inTransaction_; ++round) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kBusyWaitRoundMs));
    }
    if (inTransaction_) {
        return kDrvBusy;
    }
    const uint32_t effectiveMs = timeoutMs < 0 ? GetTimeout() : static_cast<uint32_t>(timeoutMs);
    // Without a time-out of its own (send and do not wait) the lock is waited for as long as usual.
    const uint32_t lockMs = effectiveMs == 0 ? GetTimeout() : effectiveMs;
    if (requestLock_.Lock(lockMs) == 0) {
        return kDrvTimeout;
    }
    struct LockRelease {
        CMutexLock& lock;
        ~LockRelease() { lock.Unlock(); }
    } held{requestLock_};
    // Release stores: other threads only look at these flags, none waits on them against a flag of its own.
    inTransaction_.store(true, std::memory_order_release);
    struct TransactionEnd {
        std::atomic<bool>& flag;
        ~TransactionEnd() { flag.store(false, std::memory_order_release); }
    } transactionEnd{inTransaction_};

    // Declared after the lock's release, so that it runs while the lock is still held.
    struct ReplyOfThread {
        CNetDrv& driver;
        EmsMsg** reply;
        ~ReplyOfThread() { driver.CopyReplyForThread(reply); }
    } replyOfThread{*this, reply};

    ClearReply();
    if (reply != nullptr) {
        *reply = &reply_;
    }
    // Prepared into the storage of the last request: a request costs no allocation for its body.
    SendParams& params = requestParams_;
    if (const int prepared = PrepareSend(*request, params); prepared != kDrvOk) {
        return prepared;
    }
    if (effectiveMs == 0) {
        return SendWithoutWaiting(std::move(params), static_cast<int32_t>(GetTimeout()));
    }
    const uint32_t sequence = slots_.Acquire();
    if (sequence == 0) {
        return kDrvNoFreeSlot;
    }
    currentSequence_.store(sequence, std::memory_order_release);
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::milliseconds(effectiveMs);
    params.startedAt = start;
    ReplyData data;
    int routineResult = kDrvOk;
    if (waitDialog) {
        routineResult = WaitBehindDialog(sequence, params, effectiveMs, start, deadline, data);
    } else {
        routineResult = RequestRoutine(sequence, params, deadline, data);
    }
    currentSequence_.store(0, std::memory_order_release);
    slots_.Release(sequence);
    if (routineResult != kDrvOk) {
        return routineResult;
    }
    replyData_ = std::move(data);
    reply_ = replyData_.header;
    reply_.records = replyData_.records.empty() ? nullptr : replyData_.records.data();
    const int status = DriverResultFromStatus(reply_.status);
    if (status != kDrvOk) {
        return status;
    }
    // A text reply fails the request with its text whatever code it names.
    if (reply_.operation == kEmsOpTextReply) {
        errorText = reinterpret_cast<const char*>(replyData_.records.data());
        return kDrvTextReply;
    }
    if (reply_.requestCode != request->requestCode) {
        // Matched by sequence but naming another code: handed back as it came, for the caller's acceptance rule,
        // and kept out of the tables, which it may not describe.
        return kDrvOk;
    }
    // Replies change the model as notifications do; from the UI thread before the caller reads the tables. The
    // rules tell the reply to a query (which replaces a table) by the request's operation.
    reply_.reserved = request->operation;
    DispatchServerReply(&reply_, replyData_.arrivalMark);
    return kDrvOk;
}

int CNetDrv::SendEmsMsg(EmsMsg* request, int32_t timeoutMs)
{
    CallGuard guard(activeCalls_);
    if (!initialised_) {
        return kDrvNotInitialised;
    }
    if (!connected_) {
        return kDrvNotConnected;
    }
    if (request == nullptr) {
        return kDrvInvalidParameter;
    }
    SendParams params;
    if (const int prepared = PrepareSend(*request, params); prepared != kDrvOk) {
        return prepared;
    }
    const int32_t handOverMs = timeoutMs < 0 ? static_cast<int32_t>(GetTimeout()) : timeoutMs;
    return SendWithoutWaiting(std::move(params), handOverMs);
}

void CNetDrv::CancelSequence(uint32_t sequence)
{
    WriteDriverLog(DriverLogKind::NetDrv, "request seq %lu cancelled", static_cast<unsigned long>(sequence));
    slots_.Complete(sequence, kDrvCancelled);
}

void CNetDrv::CancelRequest()
{
    const uint32_t sequence = currentSequence_;
    if (sequence != 0) {
        CancelSequence(sequence);
    }
}

void CNetDrv::OnAppIdle()
{
    if (IsUiThread()) {
        DrainServerMessages(0);
    }
}

int CNetDrv::DeliverFrame(const EmsMsg& msg, const uint8_t* records, size_t size, uint32_t readFor)
{
    if (msg.sequence != 0) {
        // The notifications before this frame on the connection are queued by now; those after it are not.
        switch (slots_.OfferReply(msg, records, size, ServerMessageArrivalMark())) {
        case CRequestSlotTable::Route::Slot:
            LogPdu(PduDirection::Recv, msg, records, size);
            return kDrvOk;
        case CRequestSlotTable::Route::Dropped:
            LogPdu(PduDirection::Recv, msg, records, size);
            WriteDriverLog(DriverLogKind::NetDrv, "late reply seq %lu of code %u dropped",
                           static_cast<unsigned long>(msg.sequence), static_cast<unsigned>(msg.requestCode));
            return kDrvOk;
        case CRequestSlotTable::Route::Invalid:
            LogPdu(PduDirection::Recv, msg, records, size);
            return kDrvInvalidFormat;
        case CRequestSlotTable::Route::NotMine:
            break;
        }
    }
    // What comes after the reply waits for it: the reply is applied after the messages before it only.
    DeliverNotification(msg, records, size, ServerMessageOrigin::kConnection,
                        readFor != 0 && slots_.IsWaiting(readFor));
    return kDrvOk;
}

bool CNetDrv::DeliverNotification(const EmsMsg& msg, const uint8_t* records, size_t size, ServerMessageOrigin origin,
                                  bool applyNow)
{
    LogPdu(msg.sequence == 0 ? PduDirection::Notify : PduDirection::Recv, msg, records, size);
    EmsMsg copy = msg;
    copy.records = size == 0 ? nullptr : records;
    // A requesting UI thread applies what it reads ahead of its reply at once (behind what waits, its windows held
    // back until the reply), so that a burst ahead of the reply never piles up; other threads queue it for the UI
    // thread.
    return (applyNow && ApplyDuringRequest(&copy)) || QueueServerMessage(&copy, origin);
}

void CNetDrv::NoteFailureText(int code, std::string text)
{
    std::lock_guard<std::mutex> lock(failureNoteMutex_);
    failureNoteCode_ = code;
    failureNoteText_ = std::move(text);
}

void CNetDrv::PostDisconnect(int reason)
{
    auto block = std::make_shared<AgentBlock>();
    block->kind = BlockKind::Disconnect;
    block->reason = reason;
    Post(block);
}
