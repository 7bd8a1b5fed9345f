#pragma once
// BoardSettingRec (148 bytes, request 323): one board (slot) of an NE with its types, versions and line-card
// settings.

#include "link/records/record_codec.h"

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

template <> struct RecordTable<BoardSettingRec> {
    using R = BoardSettingRec;
    static constexpr const char* kName = "BoardSettingRec";
    static constexpr uint32_t kSize = kBoardSettingRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        U32<&R::plannedType>("plannedType", 4).Column(2, kColumnWritable),
        U32<&R::onlineType>("onlineType", 8).Column(3),
        Text<&R::softwareVersion>("softwareVersion", 12, kBoardVersionWidth).Column(4),
        Text<&R::hardwareVersion>("hardwareVersion", 33, kBoardVersionWidth).Column(5),
        Text<&R::serialNumber>("serialNumber", 54, kBoardSerialWidth).Column(6),
        U32<&R::upTime>("upTime", 116).Column(7),
        U32<&R::reserved120>("reserved120", 120),
        U32<&R::aal5Encapsulation>("aal5Encapsulation", 124).Column(8, kColumnWritable),
        U32<&R::vlanTagPassThrough>("vlanTagPassThrough", 128).Column(9, kColumnWritable),
        U16<&R::runtimeVlanTagPassThrough>("runtimeVlanTagPassThrough", 132).Column(10),
        U16<&R::padding>("padding", 134),
        U32<&R::serviceTypeControl>("serviceTypeControl", 136).Column(11, kColumnWritable),
        U32<&R::taggedMode>("taggedMode", 140).Column(12, kColumnWritable),
        U32<&R::runtimeTaggedMode>("runtimeTaggedMode", 144).Column(13),
    };
};
