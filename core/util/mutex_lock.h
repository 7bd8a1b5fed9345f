#pragma once
// A lock held by one thread at a time, checked by owner: only the holder releases it, and a holder that asks for it
// again is refused at once (it is not recursive). A live marker tells a created lock from a closed one.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

class CMutexLock {
public:
    static constexpr uint32_t kLiveMagic = 0x5A5A5A5A;
    static constexpr uint32_t kMaxTimeoutMs = 600000;

    CMutexLock() = default;
    // Closes the lock; no other thread may hold it or wait for it by then.
    ~CMutexLock();
    CMutexLock(const CMutexLock&) = delete;
    CMutexLock& operator=(const CMutexLock&) = delete;

    // Makes the lock live; when owned, the calling thread holds it at once. Non-zero on success; 0 when it is live
    // already or still held since before a Close.
    int Create(bool owned);
    // Ends the life of the lock: every later Lock fails, and threads waiting in Lock give up. A calling thread that
    // holds it releases it; another holder may still release it with Unlock.
    void Close();
    // Non-zero when the calling thread now holds the lock. 0 at once when the lock is not live or the calling thread
    // holds it already; 0 when the time-out passes first. The time-out is capped at kMaxTimeoutMs; 0 only tries.
    int Lock(uint32_t timeoutMs);
    // Non-zero when released; 0, with nothing done, when the calling thread does not hold the lock.
    int Unlock();

    bool IsLive() const;
    bool IsLocked() const;
    bool IsHeldByCurrentThread() const;

private:
    // Takes the lock when it is live and free; false otherwise. A lock closed meanwhile is let go again.
    bool TryTake(std::thread::id caller);
    void WakeWaiter();

    // A free lock is taken and released with one exchange of its owner; only a thread that must wait takes the
    // guard, and a release wakes waiters only when there are any.
    std::atomic<uint32_t> magic_{0};
    std::atomic<std::thread::id> owner_{};
    std::atomic<uint32_t> waiters_{0};
    // Serialises Create and Close, and the waits with the wake-ups.
    std::mutex state_;
    std::condition_variable released_;
};
