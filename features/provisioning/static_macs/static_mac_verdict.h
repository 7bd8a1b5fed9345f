#pragma once
// What the operator is told of the NE's check of a MAC address about to become a static filtering-database entry on
// a PVC (request 484, check kind 7): refused with the reason at the control it concerns, asked first, or the add goes
// on.

#include "features/provisioning/source_macs/source_mac_verdict.h"
#include "link/records/acl_check_rec.h"

// `reply` is the check as the NE answered it, with the port, VPI and VCI asked about in its request fields.
SourceMacVerdict JudgeStaticMacReply(const AclCheckRec& reply, int macControlId, int pvcControlId);
