// How the simulated server answers the requests of NE access and discovery, with the rules an NE and the server
// apply: discovery ranges and found NEs; an NE's file system, its copies and formats; cascaded management and the
// remote NEs behind a root; the NE's own addresses (900); the NE's login accounts, SNMP communities, SNMP managers
// and secured host sections with their limits. What the rules let through is kept by the generic store.
#pragma once

#include <cstdint>
#include <vector>

#include "sim/server/sim_database.h"
#include "sim/server/sim_result.h"

// A refusal with its reason, or a status with the records that say more (a write refused with a record that names
// why), or the reply's records.
struct SimAnswer {
    SimResult result;
    uint32_t recordSize = 0;
    std::vector<uint8_t> records;
};

// The table limits of an NE. The workstation adds an account while the NE counts no more than 20, so that the NE
// holds one more.
inline constexpr size_t kSimNeAccountLimit = 21;
inline constexpr size_t kSimNeCommunityLimit = 8;
inline constexpr size_t kSimNeManagerLimit = 8;
inline constexpr size_t kSimRemoteNeLimit = 100;
// The second word of a cascaded management record refused because its root address is the NE's own.
inline constexpr uint32_t kSimAddressReserved = 3;

// Whether these rules answer the request code.
bool IsNeAccessCode(uint16_t code);

// One request of `count` records of `recordSize` bytes for an NE (0: the server itself).
SimAnswer HandleNeAccess(CSimDatabase& db, uint16_t code, uint8_t operation, uint32_t neId, const uint8_t* records,
                         uint32_t count, uint32_t recordSize, uint64_t nowMs);

// What an NE has before anything is written to it: the built-in and the default login account, a read-only and a
// read-write community and four empty secured host sections. Families the scenario gave records of keep those
// alone.
void SeedNeAccessDefaults(CSimDatabase& db, uint32_t neId);
