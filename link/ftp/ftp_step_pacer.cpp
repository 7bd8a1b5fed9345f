#include "link/ftp/ftp_step_pacer.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {
// An abort waits at most this long for a pause to end.
constexpr uint32_t kSliceMs = 20;
} // namespace

void CFtpStepPacer::AfterFullStep() const
{
    if (rateLimitMs_ == 0) {
        std::this_thread::yield();
        return;
    }
    for (uint32_t left = rateLimitMs_; left > 0 && !abort_.load();) {
        const uint32_t slice = std::min(left, kSliceMs);
        std::this_thread::sleep_for(std::chrono::milliseconds(slice));
        left -= slice;
    }
}
