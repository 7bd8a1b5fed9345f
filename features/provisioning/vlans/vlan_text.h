#pragma once
// How the VLAN dialogs write an Ethernet type and the word of an enable state.

#include <QString>

#include <cstdint>

// "0x%04x", as the list shows it.
QString EtherTypeText(uint16_t etherType);
// "enabled" or "disabled".
QString StateWord(bool enabled);
