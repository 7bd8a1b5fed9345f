// The command-line interpreter of the simulated NEs: the free command lines that the workstation sends through the
// server (request 2) and what the NE answers. It knows a few commands, enough to look at the NE and change its
// system texts:
//
//     help                      the commands
//     show system               name, description, contact, place and up time
//     show version              the NE's model and the software of each board
//     show inventory            the boards with their types and serial numbers
//     show ip                   the management addresses
//     set contact|name|location <text>
//     write memory              the configuration to flash
//
// Words are separated by blanks and commands are not case-sensitive; anything else is refused with the reason.
#pragma once

#include <cstdint>
#include <string>

#include "sim/server/sim_ne.h"
#include "sim/server/sim_result.h"

// Runs one command line on the NE at `now`; on success *output holds the NE's answer, at most `maxOutput` bytes.
SimResult RunNeCommandLine(CSimNe& ne, const std::string& line, uint32_t now, size_t maxOutput, std::string* output);
