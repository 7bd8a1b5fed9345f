// A network of any size for the simulated management server, made up rather than read from a scenario file: the
// locations and accounts of the run command's world, sites below its regions, NEs of both sample models with their
// line cards, and an active alarm on every twenty-fifth NE.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/server/sim_scenario.h"

inline constexpr uint32_t kSimMaxGeneratedNes = 100000;

// `neCount` NEs with ids 1..neCount, a hundred to a site.
SimScenario GenerateSimScenario(uint32_t neCount);

// `count` NEs that discovery has found and nobody manages: 10.200.0.1 onwards (no address ending in 0 or 255), of
// the two sample models in turn.
std::vector<FoundNeRec> GenerateFoundNes(uint32_t count);
