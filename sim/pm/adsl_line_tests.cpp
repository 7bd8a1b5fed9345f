#include "sim/pm/adsl_line_tests.h"

#include "link/records/request_codes.h"

#include <array>

namespace {

// Failure reasons of the control records.
constexpr uint32_t kProfileUnusable = 2;
constexpr uint32_t kInitializationFailed = 6;
constexpr uint32_t kLockedByMonitor = 10;
constexpr uint32_t kNotAdsl2 = 11;
constexpr uint32_t kLinkDown = 13;
constexpr uint32_t kLockedByDelt = 14;
constexpr uint32_t kLockedBySelt = 15;

constexpr std::array kAllTests = {LineTest::kLoopDiagnosis, LineTest::kLoopMonitoring, LineTest::kSelt};

uint64_t DurationOf(LineTest test)
{
    switch (test) {
    case LineTest::kLoopDiagnosis:
        return CAdslLineTests::kLoopDiagnosisMs;
    case LineTest::kLoopMonitoring:
        return CAdslLineTests::kLoopMonitoringMs;
    default:
        return CAdslLineTests::kSeltMs;
    }
}

uint32_t LockedBy(LineTest holder)
{
    switch (holder) {
    case LineTest::kLoopDiagnosis:
        return kLockedByDelt;
    case LineTest::kSelt:
        return kLockedBySelt;
    default:
        return kLockedByMonitor;
    }
}

} // namespace

bool IsLineStatusCode(uint16_t code)
{
    switch (code) {
    case kReqAdslRateStatus:
    case kReqBitsAlloc:
    case kReqLoopDiagCtrl:
    case kReqLoopDiagResult:
    case kReqLoopMonCtrl:
    case kReqLoopMonResult:
    case kReqSeltCtrl:
    case kReqSeltResult:
    case kReqAdslPowerState:
        return true;
    default:
        return false;
    }
}

bool CAdslLineTests::Running(uint32_t port, LineTest test, uint64_t nowMs) const
{
    const auto it = runs_.find({port, test});
    return it != runs_.end() && !it->second.stopped && nowMs < it->second.endMs;
}

uint32_t CAdslLineTests::FailureAtStart(uint32_t port, LineTest test, bool profileUsable, uint64_t nowMs) const
{
    for (LineTest other : kAllTests) {
        if (other != test && Running(port, other, nowMs))
            return LockedBy(other);
    }
    const bool down = PowerState(port) == kAdslPowerL3ByCo || PowerState(port) == kAdslPowerL3ByCpe;
    switch (test) {
    case LineTest::kLoopDiagnosis:
        if (!profileUsable)
            return kProfileUnusable;
        return down ? kInitializationFailed : 0;
    case LineTest::kLoopMonitoring:
        if (!loops_.IsAdsl2(port))
            return kNotAdsl2;
        return down ? kLinkDown : 0;
    default:
        return 0;
    }
}

std::string CAdslLineTests::CommandRefusal(uint32_t port, LineTest test, uint32_t command, uint64_t nowMs) const
{
    if (command != kLineTestStart && command != kLineTestStop)
        return "Unknown test command";
    if (command == kLineTestStart && Running(port, test, nowMs))
        return "The test is running on the port";
    return {};
}

std::string CAdslLineTests::Command(uint32_t port, LineTest test, uint32_t command, const std::string& lineProfile,
                                    bool profileUsable, uint64_t nowMs)
{
    if (std::string refusal = CommandRefusal(port, test, command, nowMs); !refusal.empty())
        return refusal;
    if (command == kLineTestStop) {
        auto it = runs_.find({port, test});
        if (it != runs_.end() && Running(port, test, nowMs)) {
            it->second.stopped = true;
            it->second.endMs = nowMs;
        }
        return {};
    }
    Run run;
    run.startMs = nowMs;
    run.lineProfile = test == LineTest::kLoopDiagnosis ? lineProfile : std::string();
    run.failureReason = FailureAtStart(port, test, profileUsable, nowMs);
    run.outcome = run.failureReason != 0 ? kLineTestFailed : kLineTestSucceeded;
    run.endMs = nowMs + (run.failureReason != 0 ? kFailureMs : DurationOf(test));
    runs_[{port, test}] = run;
    return {};
}

LineTestStatus CAdslLineTests::Status(uint32_t port, LineTest test, uint64_t nowMs) const
{
    const auto it = runs_.find({port, test});
    if (it == runs_.end())
        return {};
    const Run& run = it->second;
    LineTestStatus status;
    status.lineProfile = run.lineProfile;
    if (run.stopped)
        status.state = kLineTestCancelled;
    else if (nowMs < run.endMs)
        status.state = kLineTestRunning;
    else
        status.state = run.outcome;
    if (status.state == kLineTestFailed)
        status.failureReason = run.failureReason;
    return status;
}

bool CAdslLineTests::Succeeded(uint32_t port, LineTest test, uint64_t nowMs) const
{
    return Status(port, test, nowMs).state == kLineTestSucceeded;
}

LoopDiagResultRec CAdslLineTests::LoopDiagnosisResult(uint32_t port, uint64_t nowMs) const
{
    if (!Succeeded(port, LineTest::kLoopDiagnosis, nowMs)) {
        LoopDiagResultRec none;
        none.entityId = port;
        return none;
    }
    return loops_.LoopDiagnosis(port, runs_.at({port, LineTest::kLoopDiagnosis}).lineProfile);
}

LoopMonResultRec CAdslLineTests::LoopMonitoringResult(uint32_t port, uint64_t nowMs) const
{
    if (!Succeeded(port, LineTest::kLoopMonitoring, nowMs)) {
        LoopMonResultRec none;
        none.entityId = port;
        return none;
    }
    return loops_.LoopMonitoring(port);
}

SeltResultRec CAdslLineTests::SeltResult(uint32_t port, uint64_t nowMs) const
{
    if (!Succeeded(port, LineTest::kSelt, nowMs))
        return {port, 0, 0, 0};
    return loops_.Selt(port);
}

uint32_t CAdslLineTests::PowerState(uint32_t port) const
{
    const auto it = power_.find(port);
    return it == power_.end() ? kAdslPowerL0 : it->second.state;
}

std::string CAdslLineTests::PowerStateRefusal(uint32_t port, uint32_t target) const
{
    if (target != kAdslPowerL0 && target != kAdslPowerL2 && target != kAdslPowerL3ByCo)
        return "Unknown power state";
    if (loops_.Loop(port).automaticPowerMgmt)
        return "The NE manages the line's power by itself";
    const uint32_t state = PowerState(port);
    if (target == kAdslPowerL2 && state != kAdslPowerL0 && state != kAdslPowerL2)
        return "A line in L3 goes to L0 first";
    return {};
}

std::string CAdslLineTests::SetPowerState(uint32_t port, uint32_t target)
{
    if (std::string refusal = PowerStateRefusal(port, target); !refusal.empty())
        return refusal;
    Power& power = power_[port];
    if (target != power.state) {
        power.previous = power.state;
        power.state = target;
    }
    return {};
}

AdslRateStatusRec CAdslLineTests::RateStatus(uint32_t port) const
{
    const auto it = power_.find(port);
    const Power power = it == power_.end() ? Power{} : it->second;
    return loops_.RateStatus(port, power.state, power.previous);
}

BitsAllocRec CAdslLineTests::BitsAllocation(uint32_t port) const
{
    return loops_.BitsAllocation(port, PowerState(port));
}
