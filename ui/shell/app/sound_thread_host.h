#pragma once
// The frame of the alarm-sound thread: a thread of its own fed by messages, whose every wait ends at once when a
// quit is posted, so that shutdown never waits out a silence interval. The sound itself is the body's business; the
// application starts the registered body after the main frame exists and stops it at shutdown.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

// The message that ends the thread.
inline constexpr uint32_t kSoundThreadQuit = 0x0012;

class CSoundThread {
public:
    using Body = std::function<void(CSoundThread& thread)>;

    CSoundThread() = default;
    // Posts a quit and joins a thread still running.
    ~CSoundThread();
    CSoundThread(const CSoundThread&) = delete;
    CSoundThread& operator=(const CSoundThread&) = delete;

    // Runs the body on a new thread; false when one runs already or the body is empty.
    bool Start(Body body);
    // True from Start until the body has returned (the thread clears the mark itself).
    bool IsRunning() const { return running_.load(); }
    // Joins an ended thread (waits for one that still runs).
    void Join();

    // From any thread. A quit stays pending and wakes every wait of the body.
    void PostThreadMessage(uint32_t message);
    void PostQuit() { PostThreadMessage(kSoundThreadQuit); }

    // For the body. The next message, waited for up to `ms`; nullopt when none came. A posted quit is answered with
    // kSoundThreadQuit, before other messages, every time.
    std::optional<uint32_t> WaitMessage(uint32_t ms);
    // Waits `ms` unless a quit comes first; false when a quit came.
    bool Sleep(uint32_t ms);
    bool QuitRequested() const { return quit_.load(); }

private:
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<bool> quit_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<uint32_t> messages_;
};

// The body the application runs as its alarm-sound thread; none until the alarm sound registers one.
void SetAlarmSoundThreadBody(CSoundThread::Body body);
const CSoundThread::Body& GetAlarmSoundThreadBody();
