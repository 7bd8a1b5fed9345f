#pragma once
// The line tests an NE runs on its ADSL ports and the power states of its lines, as both simulated peers run them.
// A test started on a port runs for a few seconds (loop diagnosis 6, loop monitoring 3, the single-ended loop test
// 8), may be stopped while it runs, and ends succeeded, with what the port's loop (adsl_loop_model.h) gives, or
// failed within a second with the reason an NE gives:
//
//     loop diagnosis       2 the line profile is not one the NE has in a channel mode; 6 the line is in L3;
//                          14, 15, 10 another test holds the port (loop diagnosis, single-ended test, monitoring)
//     loop monitoring      11 the line trained with ADSL (G.992.1); 13 the line is in L3; 14, 15, 10 as above
//     single-ended test    14, 10 as above (it may run beside nothing else either)
//
// A test of a kind that already runs on the port is refused, as is an unknown command; a stop of a test that does not
// run does nothing. The result of the last test that succeeded stays until the port's next test of that kind starts.
// A line goes to L2 from L0 and back, to L3 from either and back to L0, unless the NE manages its power by itself.
//
//     CAdslLineTests tests;
//     tests.Command(10103, LineTest::kLoopDiagnosis, kLineTestStart, "fast-8M", true, nowMs);
//     LineTestStatus status = tests.Status(10103, LineTest::kLoopDiagnosis, nowMs); // running, then succeeded
//
// Times are milliseconds of a clock the caller keeps.

#include "link/records/adsl_rate_status_rec.h"
#include "link/records/bits_alloc_rec.h"
#include "link/records/loop_diag_result_rec.h"
#include "link/records/loop_mon_result_rec.h"
#include "link/records/selt_result_rec.h"
#include "sim/pm/adsl_loop_model.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>

enum class LineTest : uint8_t { kLoopDiagnosis, kLoopMonitoring, kSelt };

// The requests whose records an NE's lines and tests make (line status, bits, power state, test controls and
// results): no scenario gives them.
bool IsLineStatusCode(uint16_t code);

inline constexpr uint32_t kLineTestStart = 1;
inline constexpr uint32_t kLineTestStop = 2;

// Test states as the control records carry them.
inline constexpr uint32_t kLineTestIdle = 0;
inline constexpr uint32_t kLineTestRunning = 1;
inline constexpr uint32_t kLineTestSucceeded = 2;
inline constexpr uint32_t kLineTestFailed = 3;
inline constexpr uint32_t kLineTestCancelled = 4;

struct LineTestStatus {
    uint32_t state = kLineTestIdle;
    uint32_t failureReason = 0; // in kLineTestFailed
    std::string lineProfile;    // loop diagnosis: the profile of the last start
};

class CAdslLineTests {
public:
    static constexpr uint64_t kLoopDiagnosisMs = 6000;
    static constexpr uint64_t kLoopMonitoringMs = 3000;
    static constexpr uint64_t kSeltMs = 8000;
    static constexpr uint64_t kFailureMs = 1000;

    // The NE's loops are those of the seed's model (adsl_loop_model.h).
    explicit CAdslLineTests(uint64_t seed = 1) : loops_(seed) {}

    const CAdslLoopModel& Loops() const { return loops_; }

    // A start or stop of a test of the port (the profile only for a start of the loop diagnosis, with whether the NE
    // has it in a channel mode): the reason the NE refuses it, empty when it takes it.
    std::string Command(uint32_t port, LineTest test, uint32_t command, const std::string& lineProfile,
                        bool profileUsable, uint64_t nowMs);
    // Why the NE would refuse the command now; empty when it takes it.
    std::string CommandRefusal(uint32_t port, LineTest test, uint32_t command, uint64_t nowMs) const;
    LineTestStatus Status(uint32_t port, LineTest test, uint64_t nowMs) const;

    // The result of the port's last test that succeeded; validity 0 while there is none.
    LoopDiagResultRec LoopDiagnosisResult(uint32_t port, uint64_t nowMs) const;
    LoopMonResultRec LoopMonitoringResult(uint32_t port, uint64_t nowMs) const;
    SeltResultRec SeltResult(uint32_t port, uint64_t nowMs) const;

    uint32_t PowerState(uint32_t port) const;
    // Takes the line into the state (kAdslPowerL0, L2, L3 by CO): the reason the NE refuses it, empty when it takes
    // it.
    std::string SetPowerState(uint32_t port, uint32_t target);
    std::string PowerStateRefusal(uint32_t port, uint32_t target) const;
    AdslRateStatusRec RateStatus(uint32_t port) const;
    BitsAllocRec BitsAllocation(uint32_t port) const;

private:
    struct Run {
        uint64_t startMs = 0;
        uint64_t endMs = 0;
        uint32_t outcome = kLineTestSucceeded; // what the run ends with at endMs
        uint32_t failureReason = 0;
        bool stopped = false;
        std::string lineProfile;
    };
    struct Power {
        uint32_t state = kAdslPowerL0;
        uint32_t previous = kAdslPowerL0;
    };

    bool Running(uint32_t port, LineTest test, uint64_t nowMs) const;
    // Why a new test would fail at once on the port; 0 when it may run.
    uint32_t FailureAtStart(uint32_t port, LineTest test, bool profileUsable, uint64_t nowMs) const;
    bool Succeeded(uint32_t port, LineTest test, uint64_t nowMs) const;

    CAdslLoopModel loops_;
    std::map<std::pair<uint32_t, LineTest>, Run> runs_;
    std::map<uint32_t, Power> power_;
};
