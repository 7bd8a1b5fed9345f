#pragma once
// How the protocol-based VLAN dialogs write an entry's Ethernet type, and the NE-wide state's word.

#include <QString>

#include <cstdint>

// "0x%04x", as the list shows it.
QString EtherTypeText(uint16_t etherType);
// "enabled" or "disabled".
QString StateWord(bool enabled);
