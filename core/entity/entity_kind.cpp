#include "core/entity/entity_kind.h"

#include "core/entity/entity_type.h"

#include <array>
#include <cstdint>
#include <span>

namespace {

constexpr std::array<uint8_t, 2> kShelfClasses{0x30, 0x31};
constexpr std::array<uint8_t, 9> kSlotAnyBoard{1, 6, 2, 7, 3, 4, 8, 5, 9};
constexpr std::array<uint8_t, 2> kSlotLineCards{1, 6};
constexpr std::array<uint8_t, 2> kSlotTrunkCards{2, 7};
constexpr std::array<uint8_t, 4> kSlotLineAndTrunkCards{1, 6, 2, 7};
constexpr std::array<uint8_t, 5> kPortAnyLineOrTrunk{0x40, 0x43, 0x41, 0x42, 0x44};
constexpr std::array<uint8_t, 2> kPortLines{0x40, 0x43};
constexpr std::array<uint8_t, 1> kPortTrunks{0x41};
constexpr std::array<uint8_t, 3> kPortLinesAndTrunks{0x40, 0x43, 0x41};

// The classes a slot position must accept one of for a kind 0..11.
std::span<const uint8_t> SlotClasses(int kind)
{
    switch (kind) {
    case 0:
    case 1:
    case 2:
        return kSlotAnyBoard;
    case 3:
    case 4:
    case 5:
    case 9:
        return kSlotLineCards;
    case 6:
    case 7:
    case 8:
    case 10:
        return kSlotTrunkCards;
    default:
        return kSlotLineAndTrunkCards;
    }
}

// The same for a port position, kinds 2..11 (kinds 0 and 1 take every port).
std::span<const uint8_t> PortClasses(int kind)
{
    switch (kind) {
    case 2:
        return kPortAnyLineOrTrunk;
    case 3:
    case 4:
    case 5:
    case 9:
        return kPortLines;
    case 6:
    case 7:
    case 8:
    case 10:
        return kPortTrunks;
    default:
        return kPortLinesAndTrunks;
    }
}

} // namespace

int EntityMatchesKind(const CEntityType* model, const CEntityIndex* index, int kind, int exact)
{
    if (model == nullptr || index == nullptr)
        return 0;
    const int level = index->GetLevel();
    if (level < kEntityLevelShelf || level > kEntityLevelPort)
        return 0;
    const int position = static_cast<int>(index->At(level)) - 1;
    if (position < 0 || model->GetChildFixedType(position) == kEntityTypeAbsent)
        return 0;
    if (exact != 0 && model->GetChildDelegate(position) != position)
        return 0;
    if (kind < 0 || kind > kEntityKindMax)
        return 0;

    std::span<const uint8_t> wanted;
    if (level == kEntityLevelShelf)
        wanted = kShelfClasses;
    else if (level == kEntityLevelSlot)
        wanted = SlotClasses(kind);
    else if (kind <= 1)
        return 1; // every port
    else
        wanted = PortClasses(kind);
    for (uint8_t provClass : wanted) {
        if (model->SlotAcceptsClass(position, provClass))
            return 1;
    }
    return 0;
}
