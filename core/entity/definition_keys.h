#pragma once
// Key lookup in the sections of the definition files. A loader looks up each of a model's few dozen keys under
// hundreds of names (every template suffix, every shape and rectangle number), so a lookup neither copies nor
// allocates: the index hashes and compares names letter case aside in place, and a name made of parts is put
// together on the stack.
//
//     DefinitionKeyIndex index(entries);              // the first of repeated keys wins
//     const CIniFile::Entry* e = index.Find(DefinitionKeyName() << "SHAPE" << "_2_1" << "_" << 3);

#include "core/ini/ini_file.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// Section and key names compare without regard to ASCII letter case.
bool DefinitionKeyEquals(std::string_view a, std::string_view b);
uint32_t DefinitionKeyHash(std::string_view key);

class DefinitionKeyIndex {
public:
    DefinitionKeyIndex() = default;
    explicit DefinitionKeyIndex(std::span<const CIniFile::Entry> entries);

    // The first entry of the key, or null.
    const CIniFile::Entry* Find(std::string_view key) const;

private:
    struct Slot {
        const CIniFile::Entry* entry = nullptr;
        uint32_t hash = 0;
    };
    std::vector<Slot> slots_; // open addressing; a power of two at most half full
};

// A key name of a few parts ("SHAPECNT", a template suffix, a number). The names the loader asks for are far shorter
// than its room; one that would not fit reads as "=", which no key can be (a key ends at the first "=").
class DefinitionKeyName {
public:
    DefinitionKeyName& operator<<(std::string_view part);
    DefinitionKeyName& operator<<(uint64_t number);
    operator std::string_view() const
    {
        return overflow_ ? std::string_view("=") : std::string_view(text_.data(), size_);
    }

private:
    std::array<char, 64> text_{};
    size_t size_ = 0;
    bool overflow_ = false;
};
