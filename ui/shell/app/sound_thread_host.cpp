#include "ui/shell/app/sound_thread_host.h"

#include <chrono>
#include <utility>

CSoundThread::~CSoundThread()
{
    if (thread_.joinable()) {
        PostQuit();
        thread_.join();
    }
}

bool CSoundThread::Start(Body body)
{
    if (!body || running_.load() || thread_.joinable())
        return false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        messages_.clear();
    }
    quit_ = false;
    running_ = true;
    thread_ = std::thread([this, body = std::move(body)] {
        body(*this);
        running_ = false;
    });
    return true;
}

void CSoundThread::Join()
{
    if (thread_.joinable())
        thread_.join();
}

void CSoundThread::PostThreadMessage(uint32_t message)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (message == kSoundThreadQuit)
            quit_ = true;
        else
            messages_.push_back(message);
    }
    wake_.notify_all();
}

std::optional<uint32_t> CSoundThread::WaitMessage(uint32_t ms)
{
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return quit_.load() || !messages_.empty(); });
    if (quit_.load())
        return kSoundThreadQuit;
    if (messages_.empty())
        return std::nullopt;
    const uint32_t message = messages_.front();
    messages_.pop_front();
    return message;
}

bool CSoundThread::Sleep(uint32_t ms)
{
    std::unique_lock<std::mutex> lock(mutex_);
    return !wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return quit_.load(); });
}

namespace {

CSoundThread::Body& RegisteredBody()
{
    static CSoundThread::Body body;
    return body;
}

} // namespace

void SetAlarmSoundThreadBody(CSoundThread::Body body)
{
    RegisteredBody() = std::move(body);
}

const CSoundThread::Body& GetAlarmSoundThreadBody()
{
    return RegisteredBody();
}
