#pragma once
// The trunk side an NE has before anyone writes it, as both simulated peers serve it where their scenario gives
// nothing: its two gigabit trunk ports (port 1 an uplink with a link, port 2 an uplink without one), the VLANs each
// joins, a rapid spanning tree over both with port 1 the root port, an LACP group per port with its actor and partner
// state, the serial-ID data of the two transceivers (a 1000BASE-LX LC at 1310 nm in port 1, a 1000BASE-SX LC at
// 850 nm in port 2), the upstream CoS mapping, and the ARP proxy with a few entries of its line ports and its trunk.
//
//     for (const TrunkDefault& setting : TrunkSideDefaults(ne.neModelId, ne.neId, adslPorts))
//         ... store setting.records under setting.code, unless the scenario gave that code's records ...

#include <cstdint>
#include <vector>

struct TrunkDefault {
    uint16_t code = 0;
    std::vector<std::vector<uint8_t>> records; // encoded, in the order the NE answers them
};

// The trunk ports of an NE model (control and uplink module 1), by packed id; none for a model without one.
std::vector<uint32_t> TrunkPortIds(uint32_t neModel);

// The defaults of an NE of the model, its MAC addresses made from its number; `adslPorts` are the packed ids of its
// ADSL ports, a few of which have ARP proxy entries.
std::vector<TrunkDefault> TrunkSideDefaults(uint32_t neModel, uint32_t neNumber,
                                            const std::vector<uint32_t>& adslPorts);
