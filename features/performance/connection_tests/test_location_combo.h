#pragma once
// The Location combo of the connection test dialogs (the workstation's ping and traceroute, the server's ping and SNMP
// check): without a location scope an empty first item (value 0, every location) and then the locations; with a
// scope the scope location and those below it alone. The target's location is chosen only when it is the location
// the list starts at; else the first item.

#include <cstdint>

class QComboBox;

void FillTestLocationCombo(QComboBox* combo, uint32_t locationId);
