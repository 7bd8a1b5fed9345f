#pragma once
// The line-card slots of an NE model: the slots of its shelves whose positions take ADSL line cards (board class 9),
// in shelf order and, within a shelf, in slot order. The NE's per-VLAN data counts ports by them: port p of line-card
// slot k is number k x 48 + p - 1, and the MAC limit of a VLAN is bounded by 384 per line-card slot.

#include <cstdint>
#include <vector>

class CEntityModelSet;

inline constexpr uint32_t kMacLimitPerLineCardSlot = 384;

// Packed entity ids of the slots; none for an unknown model.
std::vector<uint32_t> LineCardSlotIds(const CEntityModelSet& models, uint32_t neModelId);
// The highest MAC limit of one VLAN of an NE of the model.
uint32_t HighestVlanMacLimit(const CEntityModelSet& models, uint32_t neModelId);
