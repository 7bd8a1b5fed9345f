#pragma once
// BoardSettingRec (148 bytes, request 323): one board (slot) of an NE with its types, versions and line-card
// settings.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kBoardSettingRecSize = 148;
inline constexpr size_t kBoardVersionWidth = 21;
inline constexpr size_t kBoardSerialWidth = 62; // bytes 54..115

struct BoardSettingRec {
    uint32_t entityId = 0;    // packed entity id of the slot
    uint32_t plannedType = 0; // 1 = empty slot
    uint32_t onlineType = 0;
    std::string softwareVersion;
    std::string hardwareVersion;
    std::string serialNumber;
    uint32_t upTime = 0;                    // seconds
    uint32_t reserved120 = 0;               // bytes 120..123, carried unchanged
    uint32_t aal5Encapsulation = 0;         // 1 LLC, 0 VC Mux
    uint32_t vlanTagPassThrough = 0;        // configured: 1 enabled, 0 disabled
    uint16_t runtimeVlanTagPassThrough = 0; // 1 enabled, 2 disabled
    uint16_t padding = 0;
    uint32_t serviceTypeControl = 0; // 1 enabled, 0 disabled
    uint32_t taggedMode = 0;         // configured: 1 Tagged-Only, 2 Untagged-Only
    uint32_t runtimeTaggedMode = 0;  // 1 Tagged-Only, other values Untagged-Only
    bool operator==(const BoardSettingRec&) const = default;
};

void EncodeBoardSettingRec(const BoardSettingRec& rec, uint8_t* out);
std::array<uint8_t, kBoardSettingRecSize> EncodeBoardSettingRec(const BoardSettingRec& rec);
bool DecodeBoardSettingRec(const uint8_t* data, size_t size, BoardSettingRec* out);
