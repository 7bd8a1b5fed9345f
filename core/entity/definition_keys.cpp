#include "core/entity/definition_keys.h"

#include <charconv>
#include <cstring>

namespace {

// A table, not a test of each character: names are hashed and compared a great many times per load.
constexpr auto kUpper = [] {
    std::array<unsigned char, 256> upper{};
    for (size_t c = 0; c < upper.size(); ++c)
        upper[c] = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return upper;
}();

unsigned char UpperAscii(char c)
{
    return kUpper[static_cast<unsigned char>(c)];
}

} // namespace

bool DefinitionKeyEquals(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    }
    return true;
}

uint32_t DefinitionKeyHash(std::string_view key)
{
    uint32_t hash = 2166136261U; // FNV-1a
    for (char c : key) {
        hash ^= UpperAscii(c);
        hash *= 16777619U;
    }
    return hash;
}

DefinitionKeyIndex::DefinitionKeyIndex(std::span<const CIniFile::Entry> entries)
{
    if (entries.empty())
        return;
    size_t capacity = 8;
    while (capacity < entries.size() * 2)
        capacity *= 2;
    slots_.resize(capacity);
    const size_t mask = capacity - 1;
    for (const CIniFile::Entry& entry : entries) {
        const CIniFile::Entry* e = &entry;
        const uint32_t hash = DefinitionKeyHash(e->key);
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = slots_[i];
            if (!slot.entry) {
                slot = {e, hash};
                break;
            }
            if (slot.hash == hash && DefinitionKeyEquals(slot.entry->key, e->key))
                break; // the first of repeated keys wins
        }
    }
}

const CIniFile::Entry* DefinitionKeyIndex::Find(std::string_view key) const
{
    if (slots_.empty())
        return nullptr;
    const uint32_t hash = DefinitionKeyHash(key);
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (!slot.entry)
            return nullptr;
        if (slot.hash == hash && DefinitionKeyEquals(slot.entry->key, key))
            return slot.entry;
    }
}

DefinitionKeyName& DefinitionKeyName::operator<<(std::string_view part)
{
    if (overflow_ || part.size() > text_.size() - size_) {
        overflow_ = true;
        return *this;
    }
    if (part.empty())
        return *this;
    std::memcpy(text_.data() + size_, part.data(), part.size());
    size_ += part.size();
    return *this;
}

DefinitionKeyName& DefinitionKeyName::operator<<(uint64_t number)
{
    char digits[20]; // every 64-bit number
    const char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    return *this << std::string_view(digits, static_cast<size_t>(end - digits));
}
