#include "core/util/mutex_lock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// Runs f on another thread and returns its result.
template <typename F> auto OnOtherThread(F f)
{
    decltype(f()) result{};
    std::thread t([&] { result = f(); });
    t.join();
    return result;
}

TEST(CMutexLock, NotLiveBeforeCreateAndAfterClose)
{
    CMutexLock lock;
    EXPECT_FALSE(lock.IsLive());
    EXPECT_EQ(lock.Lock(0), 0);
    EXPECT_EQ(lock.Unlock(), 0);

    ASSERT_NE(lock.Create(false), 0);
    EXPECT_TRUE(lock.IsLive());
    EXPECT_EQ(lock.Create(false), 0); // live already
    lock.Close();
    EXPECT_FALSE(lock.IsLive());
    EXPECT_EQ(lock.Lock(0), 0);
    EXPECT_NE(lock.Create(false), 0); // can live again
    EXPECT_NE(lock.Lock(0), 0);
    EXPECT_NE(lock.Unlock(), 0);
}

TEST(CMutexLock, OwnerRelocksFailAtOnce)
{
    CMutexLock lock;
    ASSERT_NE(lock.Create(false), 0);
    ASSERT_NE(lock.Lock(0), 0);
    EXPECT_TRUE(lock.IsHeldByCurrentThread());
    // Not recursive: the holder is refused without waiting, whatever its time-out.
    EXPECT_EQ(lock.Lock(0), 0);
    EXPECT_EQ(lock.Lock(CMutexLock::kMaxTimeoutMs), 0);
    EXPECT_EQ(lock.Lock(0xFFFFFFFFu), 0);
    EXPECT_TRUE(lock.IsHeldByCurrentThread());
    EXPECT_NE(lock.Unlock(), 0);
    EXPECT_EQ(lock.Unlock(), 0); // not held any more
    EXPECT_FALSE(lock.IsLocked());
}

TEST(CMutexLock, AnotherThreadCanNeitherUnlockNorTakeIt)
{
    CMutexLock lock;
    ASSERT_NE(lock.Create(false), 0);
    ASSERT_NE(lock.Lock(0), 0);

    EXPECT_EQ(OnOtherThread([&] { return lock.Unlock(); }), 0);
    EXPECT_TRUE(lock.IsHeldByCurrentThread());
    EXPECT_EQ(OnOtherThread([&] { return lock.Lock(0); }), 0);
    EXPECT_EQ(OnOtherThread([&] { return lock.Lock(20); }), 0); // gives up after its time-out
    EXPECT_FALSE(OnOtherThread([&] { return lock.IsHeldByCurrentThread(); }));

    EXPECT_NE(lock.Unlock(), 0);
    EXPECT_EQ(OnOtherThread([&] { return lock.Lock(0) != 0 && lock.Unlock() != 0; }), true);
}

TEST(CMutexLock, CreatedOwnedIsHeldByTheCreator)
{
    CMutexLock lock;
    ASSERT_NE(lock.Create(true), 0);
    EXPECT_TRUE(lock.IsHeldByCurrentThread());
    EXPECT_EQ(OnOtherThread([&] { return lock.Lock(0); }), 0);
    EXPECT_NE(lock.Unlock(), 0);
}

TEST(CMutexLock, WaitingThreadGetsItAfterRelease)
{
    CMutexLock lock;
    ASSERT_NE(lock.Create(false), 0);
    ASSERT_NE(lock.Lock(0), 0);

    std::atomic<bool> waiting{false};
    std::atomic<int> got{-1};
    std::atomic<bool> release{false};
    std::thread waiter([&] {
        waiting = true;
        got = lock.Lock(CMutexLock::kMaxTimeoutMs);
        while (!release)
            std::this_thread::yield();
        lock.Unlock();
    });
    while (!waiting)
        std::this_thread::yield();
    EXPECT_NE(lock.Unlock(), 0);
    while (got == -1)
        std::this_thread::yield();
    EXPECT_EQ(got, 1);
    EXPECT_EQ(lock.Lock(0), 0); // the waiter holds it now
    EXPECT_EQ(lock.Unlock(), 0);
    release = true;
    waiter.join();
    EXPECT_NE(lock.Lock(0), 0);
    EXPECT_NE(lock.Unlock(), 0);
}

TEST(CMutexLock, WaiterFailsWhenClosedMeanwhile)
{
    CMutexLock lock;
    ASSERT_NE(lock.Create(false), 0);
    ASSERT_NE(lock.Lock(0), 0);
    std::atomic<bool> waiting{false};
    std::atomic<int> got{-1};
    std::thread waiter([&] {
        waiting = true;
        got = lock.Lock(CMutexLock::kMaxTimeoutMs);
    });
    while (!waiting)
        std::this_thread::yield();
    lock.Close(); // the holder closes: releases, and the waiter must not come to hold a dead lock
    waiter.join();
    EXPECT_EQ(got, 0);
    EXPECT_FALSE(lock.IsLocked());
}

TEST(CMutexLock, HolderMayReleaseAfterAnotherThreadClosed)
{
    CMutexLock lock;
    ASSERT_NE(lock.Create(false), 0);
    ASSERT_NE(lock.Lock(0), 0);
    std::thread([&] { lock.Close(); }).join();
    EXPECT_FALSE(lock.IsLive());
    EXPECT_EQ(lock.Create(false), 0); // still held
    EXPECT_NE(lock.Unlock(), 0);
    EXPECT_NE(lock.Create(false), 0);
}

// Threads that take it in turn as fast as they can: one holder at a time, and every waiter is woken when it is let go
// (a lost wake-up leaves a waiter to its time-out, which fails the take).
TEST(CMutexLock, ContendedTakesAreExclusiveAndEveryWaiterGetsIt)
{
    CMutexLock lock;
    ASSERT_NE(lock.Create(false), 0);
    constexpr int kThreads = 4;
    constexpr int kTakes = 3000;
    std::atomic<int> holders{0};
    std::atomic<int> overlaps{0};
    std::atomic<int> failedTakes{0};
    int count = 0; // guarded by the lock alone
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < kTakes; ++i) {
                if (lock.Lock(10000) == 0) {
                    ++failedTakes;
                    continue;
                }
                if (++holders != 1)
                    ++overlaps;
                ++count;
                if (i % 64 == 0)
                    std::this_thread::yield(); // let the others queue up behind it
                --holders;
                EXPECT_NE(lock.Unlock(), 0);
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failedTakes, 0);
    EXPECT_EQ(overlaps, 0);
    EXPECT_EQ(count, kThreads * kTakes);
    EXPECT_FALSE(lock.IsLocked());
}

// Takes that race a Close: none comes to hold the closed lock, and every one after it fails.
TEST(CMutexLock, TakesRacingACloseNeverHoldTheClosedLock)
{
    for (int round = 0; round < 20; ++round) {
        CMutexLock lock;
        ASSERT_NE(lock.Create(false), 0);
        std::atomic<bool> closed{false};
        std::atomic<int> heldAfterClose{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < 3; ++t) {
            threads.emplace_back([&, t] {
                for (int i = 0; i < 2000; ++i) {
                    const bool wasClosed = closed;
                    if (lock.Lock(t % 2 == 0 ? 0 : 5) != 0) {
                        if (wasClosed)
                            ++heldAfterClose;
                        lock.Unlock();
                    }
                }
            });
        }
        std::this_thread::yield();
        lock.Close();
        closed = true;
        for (std::thread& thread : threads)
            thread.join();
        EXPECT_EQ(heldAfterClose, 0) << "round " << round;
        EXPECT_FALSE(lock.IsLocked());
        EXPECT_EQ(lock.Lock(0), 0);
    }
}

} // namespace
