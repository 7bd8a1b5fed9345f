#pragma once
// What the fast provisioning dialog hands to its list: the shelf/slot range and module type, and the port and PVC
// settings every port of the range is to receive. The list expands it into rows (fast_prov_rows.h) and its batch
// writes them (fast_prov_batch.h).

#include "core/entity/entity_index.h"
#include "core/entity/entity_type_ids.h"
#include "features/provisioning/pvcs/pvc_values.h"

#include <array>
#include <cstdint>
#include <string>

struct FastProvParams {
    CEntityIndex first; // slot level: {1, shelf, slot}
    CEntityIndex last;
    uint32_t moduleType = 0; // entity model id of the line card
    uint8_t moduleClass = kProvClassAdslLineCard;

    // The channels of every port.
    bool vcEnabled = true;
    uint8_t vpiStart = 0;
    uint8_t vpiIncrement = 0;
    uint16_t vciStart = kFirstVci;
    uint16_t vciIncrement = 1;
    uint16_t vlanStart = 1;
    int16_t vlanIncrement = 1;
    bool vlanContinuous = false; // the VLAN goes on from port to port, else each port starts at vlanStart
    uint8_t pvcsPerPort = 1;

    // The port setting.
    bool portEnabled = true;
    std::string lineProfile;
    std::string pmThresholdProfile;
    std::string trafficPolicingProfile;
    uint32_t upstreamFilterGroups = 0;   // bits 0..2: groups 1..3
    uint32_t downstreamFilterGroups = 0; // bits 0..3: groups 1..4

    // The PVC settings.
    uint32_t encapsulation = kRfc2684Bridged;
    uint8_t userPriority = 0;
    uint8_t macLimit = 1;
    std::string ipTrafficProfile;
    std::string nextHopName; // routed only
    uint32_t serviceType = kServiceTransparent;
    uint8_t dhcpIpLimit = 1;
    std::array<uint8_t, 4> staticIpBase{}; // 0.0.0.0: none
    uint8_t staticIpLimit = 1;
    uint16_t ipIncrementPerPort = 1;
    bool nonAged = false;
    uint8_t clientLimit = 1;

    bool IsRouted() const { return encapsulation == kRfc2684Routed; }
    bool IsShdsl() const { return moduleClass == kProvClassShdslLineCard; }
};
