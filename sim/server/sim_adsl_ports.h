#pragma once
// The ADSL ports of a simulated NE, as the server's answers about its lines (PM, line status, line tests, the port
// records) find them.

#include <cstdint>
#include <string>
#include <vector>

class CSimNe;

// Why the server has no line of the port on the NE; empty when it has: the port exists, is present, is an ADSL port
// and its line card is as planned.
std::string AdslPortRefusal(const CSimNe& ne, uint32_t port);
// The NE's ADSL ports by packed id, in the order of its entity tree.
std::vector<uint32_t> AdslPortsOf(const CSimNe& ne);
// The same with the ports of the ADSL cards the NE has planned but not (yet) fitted, which take their settings ahead.
std::vector<uint32_t> ProvisionableAdslPortsOf(const CSimNe& ne);
