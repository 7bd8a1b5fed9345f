#pragma once
// The two gigabit trunk ports of an NE's control and uplink module 1, as the trunk dialogs name them: their indexes
// and packed ids by the NE's model, the title of a page of one ("Port GE1"), and the trunk port number (1 or 2) of a
// record's entity id.

#include "core/entity/entity_index.h"

#include <cstdint>
#include <string>
#include <vector>

class CNeRecord;
struct TrunkPortRec;

// Ports 1 and 2 of module 1; empty when the NE is unknown or its model has no such module.
std::vector<CEntityIndex> TrunkPortIndexes(const CNeRecord* ne);
// The packed id of trunk port 1 or 2; 0 when the NE has none.
uint32_t TrunkPortId(const CNeRecord* ne, int port);
// "Port " and the port's own label.
std::string TrunkPortPageTitle(const CNeRecord* ne, const CEntityIndex& port);
// The port number of a trunk port's packed id: 1 or 2, else 0.
int TrunkPortNumber(uint32_t entityId);
// The speed a trunk port runs at: "1 G" from a gigabit on, "100 M" below it, "N/A" while its link is down.
std::string TrunkSpeedText(const TrunkPortRec& port);
