#pragma once
// The copper loop behind each simulated ADSL port, a function of the port alone, so that both simulated peers show the
// same line for the same port: its length and gauge (as long as the loop can be while it still carries the rate the
// line's PM counts, with some headroom), a bridged tap on many loops, the standard the line trained with and the
// noise of its binder. From the loop come the per-tone values the line tests report, shaped as an NE measures them:
// the channel's magnitude (Hlog) falling with frequency and dipping at the notches of a bridged tap, the quiet line
// noise (QLN) of crosstalk that falls with frequency over a flat floor, now and then an AM radio station, and the SNR
// and the bits each tone carries; and the line's status in each power state.
//
//     CAdslLoopModel loops;
//     LoopDiagResultRec result = loops.LoopDiagnosis(10103, "fast-8M");
//     AdslRateStatusRec status = loops.RateStatus(10103, kAdslPowerL2, kAdslPowerL0);
//
// Tones are 4.3125 kHz apart; downstream data rides tones 33 up to 511 (255 for ADSL and ADSL2), upstream tones 6
// to 31. Tones outside a direction's band are reported as not available. Single-threaded: a line is worked out once
// and kept.

#include "link/records/adsl_rate_status_rec.h"
#include "link/records/bits_alloc_rec.h"
#include "link/records/loop_diag_result_rec.h"
#include "link/records/loop_mon_result_rec.h"
#include "link/records/selt_result_rec.h"
#include "sim/pm/adsl_pm_generator.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

// Cable types as the single-ended test reports them.
inline constexpr uint32_t kCable24Awg = 1;
inline constexpr uint32_t kCable26Awg = 2;
inline constexpr uint32_t kCableMixed = 3;

// Line standards of the lines (codes of the rate status).
inline constexpr uint32_t kStandardG9921AnnexA = 4;
inline constexpr uint32_t kStandardG9923AnnexA = 11;
inline constexpr uint32_t kStandardG9925AnnexA = 18;

struct AdslLoop {
    uint32_t lengthFeet = 0;
    uint32_t cableType = kCable26Awg;
    uint32_t bridgedTapFeet = 0; // 0: none
    uint32_t lineStandard = kStandardG9925AnnexA;
    bool automaticPowerMgmt = false;
    uint32_t downKbps = 0; // the rates the line trained at, as its PM counts them
    uint32_t upKbps = 0;
    bool interleaved = false;
};

class CAdslLoopModel {
public:
    explicit CAdslLoopModel(uint64_t seed = 1);

    const AdslLoop& Loop(uint32_t port) const;
    // Whether the line trained with ADSL2 or ADSL2+, which loop monitoring needs.
    bool IsAdsl2(uint32_t port) const;

    // What each test reports of the port's loop; the loop diagnosis names the line profile it ran with.
    LoopDiagResultRec LoopDiagnosis(uint32_t port, const std::string& lineProfile) const;
    LoopMonResultRec LoopMonitoring(uint32_t port) const;
    SeltResultRec Selt(uint32_t port) const;
    // The bits of each tone in the power state (none in L3).
    BitsAllocRec BitsAllocation(uint32_t port, uint32_t powerState) const;
    // The line's status in the power state, its previous rates those of the state it left.
    AdslRateStatusRec RateStatus(uint32_t port, uint32_t powerState, uint32_t previousPowerState) const;

private:
    struct Line;
    const Line& LineOf(uint32_t port) const;
    std::shared_ptr<const Line> SharedLine(uint32_t port) const;
    Line MakeLine(uint32_t port) const;
    uint64_t Hash(uint32_t port, uint32_t salt) const;

    uint64_t seed_;
    CAdslPmGenerator pm_;
    // The lines worked out so far; a copy of the model shares them.
    mutable std::map<uint32_t, std::shared_ptr<const Line>> lines_;
};
