#pragma once
// The pause between the steps of a transfer: the configured milliseconds after each full step, cut short when the
// job is aborted, or only a yield of the processor when none are configured.

#include <atomic>
#include <cstdint>

class CFtpStepPacer {
public:
    CFtpStepPacer(uint32_t rateLimitMs, const std::atomic<bool>& abort) : rateLimitMs_(rateLimitMs), abort_(abort) {}
    void AfterFullStep() const;
    // Whether a full step is followed by a pause; without one the processor is only yielded.
    bool Pauses() const { return rateLimitMs_ != 0; }

private:
    uint32_t rateLimitMs_;
    const std::atomic<bool>& abort_;
};
