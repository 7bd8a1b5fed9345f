#include "core/util/progress_watch.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr uint32_t kTickWrap = 10000;
constexpr size_t kBannerMax = 256;

} // namespace

CProgressWatch::CProgressWatch(Clock clock, Setup setup)
    : clock_(std::move(clock)), setup_(setup), start_(clock_()), lastPoll_(start_)
{
    setup_.barRangeMs = std::max<uint32_t>(setup_.barRangeMs, 1);
    if (setup_.tickCounter == nullptr)
        setup_.tickCounter = &ticks_;
}

CProgressWatch::Tick CProgressWatch::OnTick()
{
    uint32_t& ticks = *setup_.tickCounter;
    ticks = (ticks + 1) % kTickWrap;
    const TimeRec now = clock_();
    Tick tick;
    tick.elapsedMs = TimeRecDiffMs(&start_, &now);
    if (tick.elapsedMs < 0) {
        start_ = now;
        tick.elapsedMs = 0;
    }
    tick.barPosition = static_cast<uint32_t>(tick.elapsedMs % setup_.barRangeMs);
    tick.moveBanner = ticks % kBannerTicks == 0;
    const int64_t sincePoll = TimeRecDiffMs(&lastPoll_, &now);
    tick.poll = sincePoll >= setup_.pollPeriodMs || sincePoll < 0;
    tick.timedOut = setup_.timeLimitMs > 0 && tick.elapsedMs >= setup_.timeLimitMs;
    return tick;
}

void CProgressWatch::Polled()
{
    lastPoll_ = clock_();
}

std::string ElapsedText(int64_t ms)
{
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%03lld", static_cast<long long>(ms / 1000),
                  static_cast<long long>(ms % 1000));
    return text;
}

std::string RotateBanner(const std::string& text)
{
    std::string banner = text.substr(0, kBannerMax);
    if (banner.size() > 1)
        std::rotate(banner.begin(), banner.begin() + 1, banner.end());
    return banner;
}
