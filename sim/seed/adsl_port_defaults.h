#pragma once
// The port records an NE has of its ADSL ports before anyone writes them, as both simulated peers serve them where
// their scenario gives none: each port enabled and up, with one of the NE's ADSL line profiles (in turn, so that
// neighbouring ports differ) and its first PM threshold profile, and no subscriber.
//
//     for (const AdslPortRec& rec : AdslPortDefaults(ports, lineProfiles, pmProfiles)) ... keep rec ...

#include "link/records/adsl_port_rec.h"

#include <cstdint>
#include <string>
#include <vector>

std::vector<AdslPortRec> AdslPortDefaults(const std::vector<uint32_t>& ports,
                                          const std::vector<std::string>& lineProfiles,
                                          const std::vector<std::string>& pmThresholdProfiles);
