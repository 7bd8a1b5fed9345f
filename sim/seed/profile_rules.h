#pragma once
// How an NE judges a change of a profile that its PVCs or ports use, as both simulated peers do: an IP traffic
// profile about to drop downstream broadcast (request 414) and a traffic policing profile about to re-mark the DSCP
// code (415). The verdict's error mask sets
//   14  a PVC using the IP traffic profile, or a PVC in service on a port applying the policing profile, is
//       DHCP-related (DHCP, PPPoE+DHCP) or transparent;
//   25  a PVC in service on a port applying the policing profile is PPPoE-related.

#include "link/records/adsl_port_rec.h"
#include "link/records/pvc_check_result_rec.h"
#include "sim/seed/pvc_rules.h"

#include <string>
#include <vector>

PvcCheckResultRec JudgeIpTrafficDrop(const SimPvcWorld& ne, const std::string& profile);
PvcCheckResultRec JudgePolicingDscp(const SimPvcWorld& ne, const std::vector<AdslPortRec>& ports,
                                    const std::string& profile);
