#include "core/util/mutex_lock.h"

#include <algorithm>
#include <chrono>

CMutexLock::~CMutexLock()
{
    Close();
}

int CMutexLock::Create(bool owned)
{
    std::lock_guard guard(state_);
    if (magic_ == kLiveMagic || owner_.load() != std::thread::id{})
        return 0;
    std::thread::id free{};
    if (owned && !owner_.compare_exchange_strong(free, std::this_thread::get_id()))
        return 0;
    magic_ = kLiveMagic;
    return 1;
}

void CMutexLock::Close()
{
    {
        std::lock_guard guard(state_);
        magic_ = 0;
        std::thread::id caller = std::this_thread::get_id();
        owner_.compare_exchange_strong(caller, std::thread::id{});
    }
    released_.notify_all();
}

bool CMutexLock::TryTake(std::thread::id caller)
{
    std::thread::id free{};
    if (magic_ != kLiveMagic || !owner_.compare_exchange_strong(free, caller))
        return false;
    // Closed between the look at the marker and the taking: a closed lock is never come to be held. No waiter
    // missed it meanwhile: each looks at the marker after its own try, and a Close wakes them all.
    if (magic_ != kLiveMagic) {
        owner_ = std::thread::id{};
        return false;
    }
    return true;
}

void CMutexLock::WakeWaiter()
{
    if (waiters_ == 0)
        return;
    // Under the guard, so that a waiter between its look at the lock and its sleep is not passed by.
    {
        std::lock_guard guard(state_);
    }
    released_.notify_one();
}

int CMutexLock::Lock(uint32_t timeoutMs)
{
    const std::thread::id caller = std::this_thread::get_id();
    if (TryTake(caller))
        return 1;
    if (magic_ != kLiveMagic || owner_.load() == caller || timeoutMs == 0)
        return 0;
    const auto wait = std::chrono::milliseconds(std::min(timeoutMs, kMaxTimeoutMs));
    std::unique_lock guard(state_);
    ++waiters_;
    bool taken = false;
    released_.wait_for(guard, wait, [&] {
        taken = TryTake(caller);
        return taken || magic_ != kLiveMagic;
    });
    --waiters_;
    return taken ? 1 : 0;
}

int CMutexLock::Unlock()
{
    std::thread::id caller = std::this_thread::get_id();
    if (!owner_.compare_exchange_strong(caller, std::thread::id{}))
        return 0;
    WakeWaiter();
    return 1;
}

bool CMutexLock::IsLive() const
{
    return magic_ == kLiveMagic;
}

bool CMutexLock::IsLocked() const
{
    return owner_.load() != std::thread::id{};
}

bool CMutexLock::IsHeldByCurrentThread() const
{
    return owner_.load() == std::this_thread::get_id();
}
