#pragma once
// The path of an entity below its NE: up to five level numbers (NE, shelf, slot, port, fifth level), and the
// control-module positions of the NE models.

#include <array>
#include <cstddef>
#include <cstdint>

struct CEntityIndex {
    uint32_t levelCount = 0;         // 0 = empty, 1 NE, 2 shelf, 3 slot, 4 port, 5 fifth level
    std::array<uint8_t, 5> levels{}; // 1-based numbers; 0 beyond levelCount

    // The levels end at the first number that is 0 or above that level's maximum (GetMaxEntityLevel).
    static CEntityIndex FromLevels(unsigned ne, unsigned shelf = 0, unsigned slot = 0, unsigned port = 0,
                                   unsigned fifth = 0);

    bool IsEmpty() const { return levelCount == 0; }
    int GetLevel() const { return static_cast<int>(levelCount); }
    // The number at a level 1..5; 0 beyond the index or outside 1..5.
    unsigned At(int level) const;
    unsigned Ne() const { return At(1); }
    unsigned Shelf() const { return At(2); }
    unsigned Slot() const { return At(3); }
    unsigned Port() const { return At(4); }
    // The index cut to its first `level` levels (the ancestor at that level); itself when it is not deeper.
    CEntityIndex Truncated(int level) const;

    bool operator==(const CEntityIndex&) const = default;
};
static_assert(sizeof(CEntityIndex) == 12, "CEntityIndex is copied whole as 12 bytes");

// The highest number allowed at a level 1..5 (MAXENTITYLEVEL1..5 of the current entity models; 1, 9, 99, 99, 99
// while none are loaded); 0 for any other level. 255 is never allowed.
unsigned GetMaxEntityLevel(int level);

// The slot-level index of control and uplink module 1 or 2 of an NE model ("shelf type"): model 2 has module 1 in
// slot 5 of shelf 1, model 4 modules 1 and 2 in slots 21 and 22 of shelf 1; empty for any other combination.
CEntityIndex CwmModuleIndex(int module, uint32_t shelfType);
void CwmModuleIndex(CEntityIndex* out, int module, uint32_t shelfType);

// The index of trunk port 1 or 2 of that module; empty when the module does not exist or the port is not 1 or 2.
CEntityIndex CwmModulePortIndex(int module, int port, uint32_t shelfType);
