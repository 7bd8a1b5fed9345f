#pragma once
// The NE's judgement of a PVC before it is written (request 413, written with operation 2 and read back with
// operation 1): first the PVC as a whole, then its service amount, then each of its static IP ranges, one check at a
// time, up to the first that breaks a rule. The verdict's report is what the operator reads.
//
//     const PvcRuleVerdict verdict = CheckPvcRules(neId, isCreate, pvc, ranges, 0);
//     if (!verdict.passed) {
//         if (!verdict.report.empty())
//             ShowAppMessage(QString::fromStdString(verdict.report), kErrorBox);
//         return; // a failed request stops as well: nothing was judged
//     }

#include "link/record_requests.h"
#include "link/records/pvc_rec.h"
#include "link/records/pvc_rule_check_rec.h"
#include "link/records/pvc_static_ip_entry.h"

#include <array>
#include <cstdint>
#include <string>

using PvcStaticIps = std::array<PvcStaticIpEntry, 8>;

// Which part of the PVC the failing check judged.
inline constexpr int kPvcCheckWhole = -1;   // the PVC as a whole
inline constexpr int kPvcCheckIpAmount = 9; // the summed static IP amount of a static-IP PVC
// 0..7: the static IP range of that index.

struct PvcRuleVerdict {
    bool passed = false;
    // A request failed (its failure box shown when a text was given): nothing was judged, and the PVC must not be
    // written.
    bool requestFailed = false;
    PvcRuleCheckRec failed; // the record of the failing check with the NE's verdict, filtered for the report
    int failedIndex = 0;    // kPvcCheckWhole, 0..7 or kPvcCheckIpAmount; 0 when it passed
    std::string report;
};

// The record a check of the PVC sends before its service amount is set: its settings, the DHCP IP limit as its
// amount (none for a static-IP PVC) and no IP base.
PvcRuleCheckRec PvcRuleCheckBase(const PvcRec& pvc);

// The summed count of the ranges, from the first up to the first of address 0.0.0.0; at most 255, so that eight
// full ranges are not sent as a small amount.
uint8_t StaticIpAmount(const PvcStaticIps& ranges);

// Runs the checks; `failureTextId` is shown when a request fails (0: no box).
PvcRuleVerdict CheckPvcRules(uint32_t neId, bool isCreate, const PvcRec& pvc, const PvcStaticIps& ranges,
                             uint32_t failureTextId, const CRecordRequests& requests = CRecordRequests());
