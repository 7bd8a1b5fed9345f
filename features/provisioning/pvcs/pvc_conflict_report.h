#pragma once
// The operator's reading of the NE's verdict on a PVC: the rules a rule check (request 413) or a line card's
// service-type check (request 417) found broken, one numbered line each, with the PVCs a static IP range conflicts
// with.
//
//     PvcRuleCheckRec checked = ...;                           // the record sent, with the NE's verdict
//     const std::string report = BuildPvcConflictReport(neId, isCreate, isEnabled, checked);
//     if (!report.empty())
//         ShowAppMessage(QString::fromStdString(report), kErrorBox);

#include "link/records/pvc_check_result_rec.h"
#include "link/records/pvc_rule_check_rec.h"

#include <cstdint>
#include <optional>
#include <string>

// The report of a rule check. The mask is first filtered in place by the kind of change: the rules that concern a
// new PVC only while creating, those that count enabled PVCs only for an enabled one and that of the last enabled
// PVC only for a disabled one. Empty when no broken rule has a message, and for an NE the program does not know.
std::string BuildPvcConflictReport(uint32_t neId, bool isCreate, bool isEnabled, PvcRuleCheckRec& record);

// What a line card's service-type check tells its board setting: nothing while no PVC is in conflict (the setting
// goes on, whatever else the NE marks); otherwise the report that stops it: the first PVC in conflict, then the broken
// rules among those a service-type setting can break.
std::optional<std::string> BuildServiceTypeConflictReport(uint32_t neId, const PvcCheckResultRec& result);
