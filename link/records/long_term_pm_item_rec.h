#pragma once
// LongTermPmItemRec (16 bytes, requests 100 list, 101 add, 102 delete): one long-term PM item of an NE, a port whose
// 15-minute PM records the NE collects during a window. A list sends a 1-byte body; a delete names the item by its
// port and state.

#include "link/records/record_codec.h"

#include <cstddef>
#include <cstdint>

inline constexpr size_t kLongTermPmItemRecSize = 16;

struct LongTermPmItemRec {
    uint32_t entityId = 0; // packed entity id of the port
    uint8_t state = 0;     // the dialogs write 48 ('0') and list only items in that state
    int32_t start = 0;     // collection window, seconds since 1970
    int32_t stop = 0;
    bool operator==(const LongTermPmItemRec&) const = default;
};

template <> struct RecordTable<LongTermPmItemRec> {
    using R = LongTermPmItemRec;
    static constexpr const char* kName = "LongTermPmItemRec";
    static constexpr uint32_t kSize = kLongTermPmItemRecSize;
    static constexpr RecordField kFields[] = {
        U32<&R::entityId>("entityId", 0).Key().Column(1),
        U8<&R::state>("state", 4).Key().Column(2),
        Reserved(5, 3),
        I32<&R::start>("start", 8).Column(3, kColumnWritable),
        I32<&R::stop>("stop", 12).Column(4, kColumnWritable),
    };
};
