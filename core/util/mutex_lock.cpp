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
    if (LiveWhileGuarded() || held_)
        return 0;
    if (owned) {
        held_ = true;
        owner_ = std::this_thread::get_id();
    }
    magic_ = kLiveMagic;
    return 1;
}

void CMutexLock::Close()
{
    {
        std::lock_guard guard(state_);
        magic_ = 0;
        if (HeldByCallerWhileGuarded()) {
            held_ = false;
            owner_ = std::thread::id{};
        }
    }
    released_.notify_all();
}

int CMutexLock::Lock(uint32_t timeoutMs)
{
    std::unique_lock guard(state_);
    if (!LiveWhileGuarded() || HeldByCallerWhileGuarded())
        return 0;
    // A free lock is taken without reading the clock for a wait.
    if (!held_) {
        held_ = true;
        owner_ = std::this_thread::get_id();
        return 1;
    }
    const auto wait = std::chrono::milliseconds(std::min(timeoutMs, kMaxTimeoutMs));
    if (!released_.wait_for(guard, wait, [this] { return !held_ || !LiveWhileGuarded(); }))
        return 0;
    if (!LiveWhileGuarded()) // closed while we waited
        return 0;
    held_ = true;
    owner_ = std::this_thread::get_id();
    return 1;
}

int CMutexLock::Unlock()
{
    {
        std::lock_guard guard(state_);
        if (!HeldByCallerWhileGuarded())
            return 0;
        held_ = false;
        owner_ = std::thread::id{};
    }
    released_.notify_one();
    return 1;
}

bool CMutexLock::IsLive() const
{
    std::lock_guard guard(state_);
    return LiveWhileGuarded();
}

bool CMutexLock::IsLocked() const
{
    std::lock_guard guard(state_);
    return held_;
}

bool CMutexLock::IsHeldByCurrentThread() const
{
    std::lock_guard guard(state_);
    return HeldByCallerWhileGuarded();
}
