#include "link/server_message_dispatcher.h"

#include <atomic>
#include <deque>
#include <exception>
#include <map>
#include <mutex>

#include "core/util/mutex_lock.h"
#include "link/driver_logs.h"

namespace {

constexpr uint32_t kUiApplyLockWaitMs = 1000;
constexpr uint32_t kTickLockWaitMs = 100;

struct QueuedMessage {
    EmsMsg header;
    std::vector<uint8_t> records;
};

struct Dispatcher {
    Dispatcher() { dispatchLock.Create(false); }

    CMutexLock dispatchLock;
    std::atomic<std::thread::id> uiThread{};
    std::atomic<IDispatchUi*> ui{nullptr};

    // The queue has a lock of its own, so that driver threads never wait behind the UI's use of the model.
    std::mutex queueMutex;
    std::deque<QueuedMessage> queue;

    // Changed on the UI thread between passes; read under the dispatch lock.
    std::mutex rulesMutex;
    std::map<uint16_t, ServerMessageRule> rules;
    std::function<void(CDispatchEffects&)> batchHook;
};

Dispatcher& TheDispatcher()
{
    static Dispatcher dispatcher;
    return dispatcher;
}

bool IsApplicable(const EmsMsg& msg)
{
    return msg.operation == kEmsOpReply && msg.status == 0 && msg.count >= 0 &&
           (msg.count == 0 || msg.records != nullptr);
}

QueuedMessage CopyOf(const EmsMsg& msg)
{
    QueuedMessage copy;
    copy.header = msg;
    const uint64_t bytes = EmsRecordBytes(msg);
    if (bytes != 0) {
        const auto* begin = static_cast<const uint8_t*>(msg.records);
        copy.records.assign(begin, begin + bytes);
    }
    copy.header.records = nullptr;
    return copy;
}

void ApplyOne(Dispatcher& d, const EmsMsg& msg, CDispatchEffects& effects)
{
    ServerMessageRule rule;
    {
        std::lock_guard<std::mutex> lock(d.rulesMutex);
        auto it = d.rules.find(msg.requestCode);
        if (it == d.rules.end()) {
            return;
        }
        rule = it->second;
    }
    try {
        rule(msg, effects);
    } catch (const std::exception& e) {
        WriteDriverLog(DriverLogKind::NetDrv, "dispatcher: rule of code %u failed: %s",
                       static_cast<unsigned>(msg.requestCode), e.what());
    }
}

// Applies what is queued, then `extra` when given. The caller holds the dispatch lock.
size_t ApplyQueued(Dispatcher& d, const EmsMsg* extra, CDispatchEffects& effects)
{
    std::deque<QueuedMessage> pending;
    {
        std::lock_guard<std::mutex> lock(d.queueMutex);
        pending.swap(d.queue);
    }
    size_t applied = 0;
    for (auto& queued : pending) {
        EmsMsg msg = queued.header;
        msg.records = queued.records.empty() ? nullptr : queued.records.data();
        ApplyOne(d, msg, effects);
        ++applied;
    }
    if (extra != nullptr) {
        ApplyOne(d, *extra, effects);
        ++applied;
    }
    if (applied != 0) {
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

void Enqueue(Dispatcher& d, const EmsMsg& msg)
{
    QueuedMessage copy = CopyOf(msg);
    std::lock_guard<std::mutex> lock(d.queueMutex);
    d.queue.push_back(std::move(copy));
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
        Enqueue(d, *msg);
        return;
    }
    if (!d.dispatchLock.Lock(kUiApplyLockWaitMs)) {
        // Held elsewhere for long (or by this thread): the next tick applies it, after what came before.
        Enqueue(d, *msg);
        return;
    }
    CDispatchEffects effects;
    ApplyQueued(d, msg, effects);
    d.dispatchLock.Unlock();
    effects.RunOn(d.ui.load());
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
    CDispatchEffects effects;
    ApplyQueued(d, nullptr, effects);
    d.dispatchLock.Unlock();
    effects.RunOn(d.ui.load());
    return true;
}

void SetServerMessageRule(uint16_t requestCode, ServerMessageRule rule)
{
    Dispatcher& d = TheDispatcher();
    std::lock_guard<std::mutex> lock(d.rulesMutex);
    if (rule) {
        d.rules[requestCode] = std::move(rule);
    } else {
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
    return d.queue.size();
}

void ClearServerMessageQueue()
{
    Dispatcher& d = TheDispatcher();
    std::lock_guard<std::mutex> lock(d.queueMutex);
    d.queue.clear();
}
