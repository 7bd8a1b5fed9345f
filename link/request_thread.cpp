#include "link/request_thread.h"

#include <system_error>
#include <utility>

#include "link/driver_logs.h"

CRequestThread::~CRequestThread()
{
    Stop();
}

bool CRequestThread::Start(std::function<void()> job)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (stopping_) {
        return false;
    }
    if (!thread_.joinable()) {
        try {
            thread_ = std::thread(&CRequestThread::Routine, this);
        } catch (const std::system_error&) {
            WriteDriverLog(DriverLogKind::Thread, "no thread for RequestRoutine: request without dialog");
            return false;
        }
    }
    job_ = std::move(job);
    busy_ = true;
    lock.unlock();
    changed_.notify_all();
    return true;
}

void CRequestThread::WaitDone()
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
}

void CRequestThread::Stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void CRequestThread::Routine()
{
    WriteDriverLog(DriverLogKind::Thread, "RequestRoutine started");
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return busy_ || stopping_; });
        if (busy_) {
            std::function<void()> job = std::move(job_);
            lock.unlock();
            job();
            job = nullptr;
            lock.lock();
            busy_ = false;
            changed_.notify_all();
            continue;
        }
        break;
    }
    WriteDriverLog(DriverLogKind::Thread, "RequestRoutine ended");
}
