// The thread a request made with the wait dialog goes on in while the UI thread shows the dialog: one for the
// driver's life, made when it is first needed, that takes the requests one after the other.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class CRequestThread {
public:
    CRequestThread() = default;
    ~CRequestThread();
    CRequestThread(const CRequestThread&) = delete;
    CRequestThread& operator=(const CRequestThread&) = delete;

    // Runs `job` on the thread; false when there is no thread (the system gave none, or Stop was called), and the
    // caller runs it itself. One job at a time: the caller waits for it (WaitDone) before it gives the next.
    bool Start(std::function<void()> job);
    // Returns once the job given last has returned, so that what it borrowed may go.
    void WaitDone();
    // Ends the thread; no job runs afterwards. Not while a job runs.
    void Stop();

private:
    void Routine();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> job_; // given and not yet returned
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};
