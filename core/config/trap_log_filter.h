#pragma once
// The trap log filter kept in ALARM/TRAPLOGFILTER as "location,ne,entity,mask": three decimal ids and a hexadecimal
// severity mask.

#include <cstdint>
#include <string>
#include <string_view>

struct TrapLogFilter {
    std::uint32_t locationId = 0;
    std::uint32_t neId = 0;
    std::uint32_t entityId = 0;
    std::uint32_t severityMask = 0xFF;

    bool operator==(const TrapLogFilter&) const = default;
};

// Takes the fields present in the text, in order; a missing, empty or unreadable field is left as it was ("5" sets
// the location id only). The mask may carry "0x".
void ParseTrapLogFilter(std::string_view text, TrapLogFilter& filter);

// "%lu,%lu,%lu,0x%08X".
std::string FormatTrapLogFilter(const TrapLogFilter& filter);
