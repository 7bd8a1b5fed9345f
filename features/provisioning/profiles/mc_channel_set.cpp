#include "features/provisioning/profiles/mc_channel_set.h"

#include "core/util/bit_string.h"

#include <cstdio>

std::vector<uint16_t> McChannelIds(const McServiceProfileRec& rec)
{
    std::vector<uint16_t> ids;
    for (uint16_t id = 1; id <= kMcChannelIdMax; ++id) {
        if (TestBit(rec.channels, id - 1u) == 1)
            ids.push_back(id);
    }
    return ids;
}

void SetMcChannelIds(McServiceProfileRec& rec, const std::vector<uint16_t>& ids)
{
    ClearBitString(rec.channels, kMcChannelIdMax);
    for (uint16_t id : ids) {
        if (id >= 1 && id <= kMcChannelIdMax)
            SetBit(rec.channels, id - 1u);
    }
}

std::string McChannelIdsText(const McServiceProfileRec& rec)
{
    std::string text;
    for (uint16_t id : McChannelIds(rec)) {
        if (!text.empty())
            text += ',';
        text += std::to_string(id);
    }
    return text;
}

std::string McChannelSetHex(const McServiceProfileRec& rec)
{
    std::string text;
    for (uint8_t byte : rec.channels) {
        char cell[4];
        std::snprintf(cell, sizeof cell, "%02x ", byte);
        text += cell;
    }
    return text;
}
