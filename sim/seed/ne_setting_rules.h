#pragma once
// How an NE takes the settings of its clock, its NE-wide functions and its layer-2 functions, as both simulated peers
// serve them: the range each field keeps (a write outside it is refused with the reason the NE gives, and nothing
// changes), and what the NE reports of its time servers.

#include <cstdint>
#include <string>
#include <vector>

struct NeTimeServerRecord;

// What the rules need to know of the NE.
struct NeSettingLimits {
    uint32_t highestMacLimit = 0; // of one VLAN
};

// Why the NE refuses a record written with the code; empty when it takes it, and for codes without rules.
std::string NeSettingRefusal(uint16_t code, const uint8_t* record, uint32_t size, const NeSettingLimits& limits);

// The states the NE reports of its time servers: none while it takes its time from none; else each server named is
// the timing source (the first) or in backup mode, and a name it cannot resolve (one under ".invalid") says so.
void SetTimeServerStates(NeTimeServerRecord& rec);

// The settings an NE has before anyone writes them: each setting's code and its record.
struct NeSettingDefault {
    uint16_t code = 0;
    std::vector<uint8_t> record;
};
std::vector<NeSettingDefault> NeSettingDefaults();
