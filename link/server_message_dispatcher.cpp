#include "link/server_message_dispatcher.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <deque>
#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_set>
#include <utility>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "core/util/mutex_lock.h"
#include "link/driver_logs.h"
#include "link/entity_state_fold.h"

namespace {

constexpr uint32_t kUiApplyLockWaitMs = 1000;
constexpr uint32_t kTickLockWaitMs = 100;
// A drain from the frame's timer or the idle hook stops after this long; the rest waits for the next one.
constexpr auto kDrainSlice = std::chrono::milliseconds(50);
// Folded records taken at a time, so that a drain can stop within its slice.
constexpr size_t kFoldedRecordsPerTake = 2000;

// A message waiting (with its arrival number), or (past the bound) entity states folded per entity.
struct QueuedItem {
    OwnedServerMessage message;
    std::unique_ptr<CEntityStateFold> fold;
    uint64_t arrival = 0;
    bool statesPastBound = false; // entity states of an NE queued whole past the bound
    size_t datagramBytes = 0;     // of its bytes, those that datagrams brought
};

struct Dispatcher {
    Dispatcher() { dispatchLock.Create(false); }

    CMutexLock dispatchLock;
    std::atomic<std::thread::id> uiThread{};
    std::atomic<IDispatchUi*> ui{nullptr};

    // The queue has a lock of its own, so that driver threads never wait behind the UI's use of the model.
    std::mutex queueMutex;
    std::deque<QueuedItem> queue;
    size_t queuedBytes = 0;
    // Of them, those that datagrams brought: only they are held to the limit, so that a burst of the connection
    // (every entity's state after a login or a re-read) never makes a datagram refused and read again.
    size_t datagramBytes = 0;
    size_t queuedMessages = 0;          // a folded record counts as one
    std::atomic<uint64_t> arrivals{0};  // messages queued so far; changed under queueMutex, read without it
    std::atomic<uint64_t> taken{0};     // takes from the queue so far; changed under queueMutex, read without it
    std::atomic<bool> queueEmpty{true}; // the queue's own, kept under queueMutex, read without it
    bool refusing = false;              // messages have been refused since the queue last went under its bound
    size_t appliedBytesSinceTrim = 0;   // on the UI thread, under the dispatch lock
    // The NEs with entity states queued whole past the bound: a second message of one of them goes into a fold.
    std::unordered_set<uint32_t> nesWithStatesPastBound;

    // Changed on the UI thread between passes; read under the dispatch lock.
    std::mutex rulesMutex;
    std::map<uint16_t, ServerMessageRule> rules;
    // The codes that have a rule, one bit each, changed with `rules` and read without the lock: a message no rule
    // takes (the keep-alive's answer, at every request) is passed by at once.
    std::array<std::atomic<uint64_t>, 65536 / 64> ruleCodes{};
    std::function<void(CDispatchEffects&)> batchHook;

    // What messages applied during a request of the UI thread asked of the user interface: it runs with the next
    // pass's own, first. UI thread, under the dispatch lock.
    CDispatchEffects heldEffects;
};

Dispatcher& TheDispatcher()
{
    static Dispatcher dispatcher;
    return dispatcher;
}

// Declared after the queue's lock: notes whether the queue is empty as its change ends.
struct NoteQueueEmpty {
    Dispatcher& d;
    ~NoteQueueEmpty() { d.queueEmpty = d.queue.empty(); }
};

bool IsApplicable(const EmsMsg& msg)
{
    return msg.operation == kEmsOpReply && msg.status == 0 && msg.count >= 0 &&
           (msg.count == 0 || msg.records != nullptr);
}

OwnedServerMessage CopyOf(const EmsMsg& msg)
{
    OwnedServerMessage copy;
    copy.header = msg;
    const uint64_t bytes = EmsRecordBytes(msg);
    if (bytes != 0) {
        const auto* begin = static_cast<const uint8_t*>(msg.records);
        copy.records.assign(begin, begin + bytes);
    }
    copy.header.records = nullptr;
    return copy;
}

size_t BytesOf(const OwnedServerMessage& msg)
{
    return sizeof(QueuedItem) + msg.records.size();
}

std::atomic<uint64_t>& RuleWordOf(Dispatcher& d, uint16_t code)
{
    return d.ruleCodes[code / 64];
}

uint64_t RuleBitOf(uint16_t code)
{
    return uint64_t{1} << (code % 64);
}

// False when no rule takes the message's code (it changes nothing).
bool ApplyOne(Dispatcher& d, const EmsMsg& msg, CDispatchEffects& effects)
{
    if ((RuleWordOf(d, msg.requestCode) & RuleBitOf(msg.requestCode)) == 0) {
        return false;
    }
    ServerMessageRule rule;
    {
        std::lock_guard<std::mutex> lock(d.rulesMutex);
        auto it = d.rules.find(msg.requestCode);
        if (it == d.rules.end()) {
            return false;
        }
        rule = it->second;
    }
    try {
        rule(msg, effects);
    } catch (const std::exception& e) {
        WriteDriverLog(DriverLogKind::NetDrv, "dispatcher: rule of code %u failed: %s",
                       static_cast<unsigned>(msg.requestCode), e.what());
    }
    return true;
}

// The caller holds the queue's lock.
void NoteDrained(Dispatcher& d)
{
    if (d.refusing && d.queuedBytes < kServerMessageQueueBound) {
        d.refusing = false;
        WriteDriverLog(DriverLogKind::NetDrv, "dispatcher: queue under %zu bytes again", kServerMessageQueueBound);
    }
}

// The next messages in order that arrived before `limit`: a waiting message, or records from the front of a fold.
// False when none wait.
bool TakeNext(Dispatcher& d, std::vector<OwnedServerMessage>& out, uint64_t limit)
{
    std::lock_guard<std::mutex> lock(d.queueMutex);
    NoteQueueEmpty noteEmpty{d};
    if (d.queue.empty()) {
        return false;
    }
    QueuedItem& front = d.queue.front();
    if (front.fold == nullptr) {
        if (front.arrival >= limit) {
            return false;
        }
        d.queuedBytes -= BytesOf(front.message);
        d.datagramBytes -= front.datagramBytes;
        --d.queuedMessages;
        if (front.statesPastBound) {
            d.nesWithStatesPastBound.erase(front.message.header.neId);
        }
        out.push_back(std::move(front.message));
        d.queue.pop_front();
        ++d.taken;
        NoteDrained(d);
        return true;
    }
    const size_t bytesBefore = front.fold->Bytes();
    const size_t recordsBefore = front.fold->RecordCount();
    front.fold->TakeFront(kFoldedRecordsPerTake, limit, out);
    if (out.empty()) {
        return false;
    }
    const size_t released = bytesBefore - front.fold->Bytes();
    d.queuedBytes -= released;
    d.queuedMessages -= recordsBefore - front.fold->RecordCount();
    // A fold mixes what both brought: the datagrams' share goes with what is taken, in proportion.
    const size_t datagramsReleased =
        front.fold->Empty() || bytesBefore == 0
            ? front.datagramBytes
            : std::min(front.datagramBytes,
                       static_cast<size_t>(static_cast<double>(front.datagramBytes) * released / bytesBefore));
    front.datagramBytes -= datagramsReleased;
    d.datagramBytes -= datagramsReleased;
    if (front.fold->Empty()) {
        WriteDriverLog(DriverLogKind::NetDrv,
                       "dispatcher: %llu entity-state records not applied, later ones of their entity were",
                       static_cast<unsigned long long>(front.fold->Superseded()));
        d.queuedBytes -= front.fold->Bytes();
        d.queue.pop_front();
    }
    ++d.taken;
    NoteDrained(d);
    return true;
}

// Applies what is queued (what arrived before `limit`), then `extra` when given. With `sliced`, stops after a slice
// of time (never with `extra`, which must come after what is queued). The caller holds the dispatch lock.
// Once a burst has been applied (every entity's state after a login or a re-read, tens of megabytes at tens of
// thousands of NEs) and the queue is empty, the heap's free pages go back to the system: the allocator keeps them
// otherwise, and the program would stay as large as it was at the burst's peak.
constexpr size_t kTrimAfterAppliedBytes = size_t{8} << 20;

void ReturnMemoryOfDrainedBurst(Dispatcher& d)
{
    if (d.appliedBytesSinceTrim < kTrimAfterAppliedBytes) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(d.queueMutex);
        if (!d.queue.empty()) {
            return;
        }
    }
    d.appliedBytesSinceTrim = 0;
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

size_t ApplyQueued(Dispatcher& d, const EmsMsg* extra, CDispatchEffects& effects, bool sliced,
                   uint64_t limit = kAllArrivals)
{
    // Only a pass that may run out of time looks at the clock: a reply applied at every request need not.
    const auto start = sliced ? std::chrono::steady_clock::now() : std::chrono::steady_clock::time_point{};
    size_t applied = 0;
    bool changed = false; // a rule ran, or trap log records went to the window
    std::vector<OwnedServerMessage> taken;
    while (TakeNext(d, taken, limit)) {
        for (OwnedServerMessage& queued : taken) {
            EmsMsg msg = queued.header;
            msg.records = queued.records.empty() ? nullptr : queued.records.data();
            if (queued.trapLogOnly) {
                effects.AddTrapLogRecords(msg.neId, queued.records.data(), static_cast<uint32_t>(msg.count),
                                          msg.recordSize);
                changed = true;
            } else {
                changed = ApplyOne(d, msg, effects) || changed;
            }
            ++applied;
            d.appliedBytesSinceTrim += queued.records.size() + sizeof(queued.header);
        }
        taken.clear();
        if (sliced && extra == nullptr && std::chrono::steady_clock::now() - start >= kDrainSlice) {
            break;
        }
    }
    if (extra != nullptr) {
        changed = ApplyOne(d, *extra, effects) || changed;
        ++applied;
    }
    ReturnMemoryOfDrainedBurst(d);
    // A pass of messages that no rule takes (the keep-alive's answer) has no batch to finish.
    if (changed) {
        std::function<void(CDispatchEffects&)> hook;
        {
            std::lock_guard<std::mutex> lock(d.rulesMutex);
            hook = d.batchHook;
        }
        if (hook) {
            hook(effects);
        }
    }
    return applied;
}

// False (the caller counts the message lost) when a datagram finds the queue at its limit. The caller holds the
// queue's lock.
bool Refuses(Dispatcher& d, const EmsMsg& msg, ServerMessageOrigin origin)
{
    if (origin == ServerMessageOrigin::kConnection || d.datagramBytes < kServerMessageQueueLimit) {
        return false;
    }
    if (!d.refusing) {
        d.refusing = true;
        WriteDriverLog(DriverLogKind::NetDrv,
                       "dispatcher: datagrams queued at their limit of %zu bytes: datagram of code %u and those "
                       "that follow refused until the queue drains",
                       kServerMessageQueueLimit, static_cast<unsigned>(msg.requestCode));
    }
    return true;
}

bool Enqueue(Dispatcher& d, const EmsMsg& msg, ServerMessageOrigin origin)
{
    const bool folds = CEntityStateFold::Folds(msg);
    std::lock_guard<std::mutex> lock(d.queueMutex);
    NoteQueueEmpty noteEmpty{d};
    if (Refuses(d, msg, origin)) {
        return false;
    }
    const bool pastBound = folds && d.queuedBytes + sizeof(QueuedItem) + EmsRecordBytes(msg) > kServerMessageQueueBound;
    const bool datagram = origin == ServerMessageOrigin::kDatagram;
    const auto push = [&](QueuedItem item) {
        const size_t bytes = BytesOf(item.message);
        item.datagramBytes = datagram ? bytes : 0;
        d.queuedBytes += bytes;
        d.datagramBytes += item.datagramBytes;
        ++d.queuedMessages;
        d.queue.push_back(std::move(item));
    };
    // Past the bound an NE's states still wait whole, as one message per NE: a burst of every NE's states (a login's)
    // replaces nothing, and folding it would only cost. A second message of an NE whose states wait means that
    // states come faster than they are applied: from then on they fold.
    if (pastBound && d.nesWithStatesPastBound.insert(msg.neId).second) {
        push(QueuedItem{CopyOf(msg), nullptr, d.arrivals++, true});
        return true;
    }
    if (pastBound) {
        // Past the bound the model gets only the latest state of each entity; every other message keeps its place.
        if (d.queue.empty() || d.queue.back().fold == nullptr) {
            WriteDriverLog(DriverLogKind::NetDrv,
                           "dispatcher: queue past %zu bytes: entity states applied per entity until it drains",
                           kServerMessageQueueBound);
            d.queue.push_back(QueuedItem{{}, std::make_unique<CEntityStateFold>()});
        }
        QueuedItem& folded = d.queue.back();
        CEntityStateFold& fold = *folded.fold;
        const size_t bytesBefore = fold.Bytes();
        d.queuedMessages -= fold.RecordCount();
        fold.Add(msg, d.arrivals++);
        d.queuedBytes = d.queuedBytes - bytesBefore + fold.Bytes();
        d.queuedMessages += fold.RecordCount();
        if (datagram && fold.Bytes() > bytesBefore) {
            folded.datagramBytes += fold.Bytes() - bytesBefore;
            d.datagramBytes += fold.Bytes() - bytesBefore;
        }
        return true;
    }
    push(QueuedItem{CopyOf(msg), nullptr, d.arrivals++});
    return true;
}

// The reply goes before whatever arrived at `arrivalMark` or later, so that it replaces a table before the changes
// that came after it.
void EnqueueReply(Dispatcher& d, const EmsMsg& msg, uint64_t arrivalMark)
{
    std::lock_guard<std::mutex> lock(d.queueMutex);
    NoteQueueEmpty noteEmpty{d};
    auto place = d.queue.end();
    while (place != d.queue.begin()) {
        const QueuedItem& before = *std::prev(place);
        const uint64_t firstArrival = before.fold != nullptr ? before.fold->FirstArrival() : before.arrival;
        if (firstArrival < arrivalMark) {
            break;
        }
        --place;
    }
    const uint64_t mark = std::min(arrivalMark, d.arrivals.load());
    QueuedItem item{CopyOf(msg), nullptr, mark == 0 ? 0 : mark - 1};
    d.queuedBytes += BytesOf(item.message);
    ++d.queuedMessages;
    d.queue.insert(place, std::move(item));
}

} // namespace

void SetUiThreadId(std::thread::id id)
{
    TheDispatcher().uiThread = id;
}

bool IsUiThread()
{
    return TheDispatcher().uiThread.load() == std::this_thread::get_id();
}

bool LockDispatch(uint32_t timeoutMs)
{
    return TheDispatcher().dispatchLock.Lock(timeoutMs) != 0;
}

void UnlockDispatch()
{
    TheDispatcher().dispatchLock.Unlock();
}

void DispatchServerMessage(const EmsMsg* msg)
{
    Dispatcher& d = TheDispatcher();
    if (msg == nullptr) {
        if (IsUiThread()) {
            DrainServerMessages(kTickLockWaitMs);
        }
        return;
    }
    if (!IsApplicable(*msg)) {
        return;
    }
    if (!IsUiThread()) {
        Enqueue(d, *msg, ServerMessageOrigin::kConnection);
        return;
    }
    if (!d.dispatchLock.Lock(kUiApplyLockWaitMs)) {
        // Held elsewhere for long (or by this thread): the next tick applies it, after what came before.
        Enqueue(d, *msg, ServerMessageOrigin::kConnection);
        return;
    }
    CDispatchEffects effects = std::exchange(d.heldEffects, {});
    ApplyQueued(d, msg, effects, false);
    d.dispatchLock.Unlock();
    effects.RunOn(d.ui.load());
}

bool QueueServerMessage(const EmsMsg* msg, ServerMessageOrigin origin)
{
    return msg == nullptr || !IsApplicable(*msg) || Enqueue(TheDispatcher(), *msg, origin);
}

void QueueServerReply(const EmsMsg* msg, uint64_t arrivalMark)
{
    if (msg != nullptr && IsApplicable(*msg)) {
        EnqueueReply(TheDispatcher(), *msg, arrivalMark);
    }
}

void DispatchServerReply(const EmsMsg* msg, uint64_t arrivalMark)
{
    Dispatcher& d = TheDispatcher();
    if (msg == nullptr || !IsApplicable(*msg)) {
        return;
    }
    const bool uiThread = IsUiThread();
    // A reply that no rule takes (the keep-alive's), with nothing queued before it and nothing held for the user
    // interface, changes nothing: it takes no lock. Held effects are the UI thread's own.
    if (uiThread && (RuleWordOf(d, msg->requestCode) & RuleBitOf(msg->requestCode)) == 0 && d.queueEmpty &&
        d.heldEffects.Empty()) {
        return;
    }
    if (!uiThread || !d.dispatchLock.Lock(kUiApplyLockWaitMs)) {
        EnqueueReply(d, *msg, arrivalMark);
        return;
    }
    CDispatchEffects effects = std::exchange(d.heldEffects, {});
    ApplyQueued(d, msg, effects, false, arrivalMark);
    d.dispatchLock.Unlock();
    effects.RunOn(d.ui.load());
}

uint64_t ServerMessageArrivalMark()
{
    return TheDispatcher().arrivals.load();
}

bool DrainServerMessages(uint32_t lockWaitMs)
{
    Dispatcher& d = TheDispatcher();
    if (!IsUiThread()) {
        return false;
    }
    if (!d.dispatchLock.Lock(lockWaitMs)) {
        return false;
    }
    CDispatchEffects effects = std::exchange(d.heldEffects, {});
    ApplyQueued(d, nullptr, effects, true);
    d.dispatchLock.Unlock();
    effects.RunOn(d.ui.load());
    return true;
}

bool ApplyDuringRequest(const EmsMsg* msg)
{
    Dispatcher& d = TheDispatcher();
    if (!IsUiThread()) {
        return false;
    }
    if (msg != nullptr && !IsApplicable(*msg)) {
        return true;
    }
    if (!d.dispatchLock.Lock(0)) {
        return false;
    }
    ApplyQueued(d, msg, d.heldEffects, false);
    d.dispatchLock.Unlock();
    return true;
}

void SetServerMessageRule(uint16_t requestCode, ServerMessageRule rule)
{
    Dispatcher& d = TheDispatcher();
    std::lock_guard<std::mutex> lock(d.rulesMutex);
    if (rule) {
        d.rules[requestCode] = std::move(rule);
        RuleWordOf(d, requestCode) |= RuleBitOf(requestCode);
    } else {
        RuleWordOf(d, requestCode) &= ~RuleBitOf(requestCode);
        d.rules.erase(requestCode);
    }
}

void SetServerMessageBatchHook(std::function<void(CDispatchEffects& effects)> hook)
{
    Dispatcher& d = TheDispatcher();
    std::lock_guard<std::mutex> lock(d.rulesMutex);
    d.batchHook = std::move(hook);
}

void ClearServerMessageRules()
{
    Dispatcher& d = TheDispatcher();
    std::lock_guard<std::mutex> lock(d.rulesMutex);
    for (std::atomic<uint64_t>& word : d.ruleCodes) {
        word = 0;
    }
    d.rules.clear();
    d.batchHook = nullptr;
}

void SetDispatchUi(IDispatchUi* ui)
{
    TheDispatcher().ui = ui;
}

size_t QueuedServerMessageCount()
{
    Dispatcher& d = TheDispatcher();
    std::lock_guard<std::mutex> lock(d.queueMutex);
    return d.queuedMessages;
}

size_t QueuedServerMessageBytes()
{
    Dispatcher& d = TheDispatcher();
    std::lock_guard<std::mutex> lock(d.queueMutex);
    return d.queuedBytes;
}

uint64_t ServerMessagesTaken()
{
    return TheDispatcher().taken.load();
}

void ClearServerMessageQueue()
{
    Dispatcher& d = TheDispatcher();
    std::lock_guard<std::mutex> lock(d.queueMutex);
    NoteQueueEmpty noteEmpty{d};
    d.queue.clear();
    d.nesWithStatesPastBound.clear();
    d.queuedBytes = 0;
    d.datagramBytes = 0;
    d.queuedMessages = 0;
    d.refusing = false;
}
