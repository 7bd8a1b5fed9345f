#pragma once
// The columns of the ARP proxy entry lists of the xDSL line cards and of the trunk ports: No., Slot-Port (as the list
// names the port), IP Address (padded, sorted as an address), MAC, Flag and Packet Type (hidden) and VLAN ID.

#include "link/records/arp_proxy_entry_rec.h"
#include "ui/framework/lists/list_columns.h"

#include <functional>
#include <string>
#include <vector>

// The text of what an entry was learnt from: 0 "ARP Requset" .. 7 "Manual", any other value "MISC.".
std::string ArpPacketTypeText(uint32_t packetType);

// How the No. and VLAN ID columns sort: as numbers (the line cards' list), or by their texts as the other columns of
// the trunk ports' list do.
enum class ArpNumberOrder { kNumbers, kTexts };

std::vector<ListColumn<ArpProxyEntryRec>> ArpProxyColumns(std::function<std::string(const ArpProxyEntryRec&)> slotPort,
                                                          ArpNumberOrder numbers);
