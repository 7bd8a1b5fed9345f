#include "features/management/ne_fs/ne_fs_copy_watch.h"

#include "ui/framework/messages/string_ids.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr uint32_t kTickWrap = 10000;
constexpr size_t kBannerMax = 256;

} // namespace

CNeFsCopyWatch::CNeFsCopyWatch(Clock clock, uint32_t barRangeMs)
    : clock_(std::move(clock)), barRangeMs_(std::max<uint32_t>(barRangeMs, 1)), start_(clock_()), lastPoll_(start_)
{
}

CNeFsCopyWatch::Tick CNeFsCopyWatch::OnTick()
{
    ticks_ = (ticks_ + 1) % kTickWrap;
    const TimeRec now = clock_();
    Tick tick;
    tick.elapsedMs = TimeRecDiffMs(&start_, &now);
    if (tick.elapsedMs < 0) {
        start_ = now;
        tick.elapsedMs = 0;
    }
    tick.barPosition = static_cast<uint32_t>(tick.elapsedMs % barRangeMs_);
    tick.moveBanner = ticks_ % kBannerTicks == 0;
    const int64_t sincePoll = TimeRecDiffMs(&lastPoll_, &now);
    tick.poll = sincePoll >= kPollPeriodMs || sincePoll < 0;
    tick.timedOut = tick.elapsedMs >= kTimeLimitMs;
    return tick;
}

void CNeFsCopyWatch::Polled()
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

std::optional<uint32_t> CopyFailureTextId(uint32_t state)
{
    switch (state) {
    case 3:
        return kStrFileCannotBeTransferred;
    case 4:
        return kStrFileCannotBeCopied;
    case 5:
        return kStrSourceFileNotExist;
    case 6:
        return kStrNeInternalError;
    default:
        return std::nullopt;
    }
}
