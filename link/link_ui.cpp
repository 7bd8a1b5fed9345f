#include "link/link_ui.h"

#include <atomic>
#include <utility>

#include "link/headless_link_ui.h"

CWaitContext::CWaitContext(uint32_t timeoutMs, std::function<void()> stop, std::chrono::steady_clock::time_point start)
    : timeoutMs_(timeoutMs), start_(start), stop_(std::move(stop))
{
}

bool CWaitContext::IsFinished() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return finished_;
}

bool CWaitContext::WaitFinished(uint32_t ms)
{
    std::unique_lock<std::mutex> lock(mutex_);
    return finishedCv_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return finished_; });
}

uint32_t CWaitContext::ElapsedMs() const
{
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void CWaitContext::Stop()
{
    if (!IsFinished() && stop_) {
        stop_();
    }
}

void CWaitContext::MarkFinished()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
        // Under the lock: once taken back, the notice never runs.
        if (finishedNotice_) {
            finishedNotice_();
        }
    }
    finishedCv_.notify_all();
}

void CWaitContext::SetFinishedNotice(std::function<void()> notice)
{
    std::lock_guard<std::mutex> lock(mutex_);
    finishedNotice_ = std::move(notice);
    if (finished_ && finishedNotice_) {
        finishedNotice_();
    }
}

namespace {

std::atomic<ILinkUi*> g_linkUi{nullptr};

CHeadlessLinkUi& DefaultUi()
{
    static CHeadlessLinkUi ui;
    return ui;
}

} // namespace

void SetLinkUi(ILinkUi* ui)
{
    g_linkUi = ui;
}

ILinkUi& GetLinkUi()
{
    ILinkUi* ui = g_linkUi;
    return ui != nullptr ? *ui : DefaultUi();
}
