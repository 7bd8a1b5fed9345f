#pragma once
// The rules of the packet filter and filter group dialogs that need no window: the hexadecimal Ether type field as
// it is typed and as it is left, the order the filter records are written in, the masks a group may carry and the
// check of the names the dialogs write.

#include "link/records/pkt_filter_group_rec.h"
#include "link/records/pkt_filter_rec.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

inline constexpr uint32_t kFilterUpstream = 1;
inline constexpr uint32_t kFilterDownstream = 2;
inline constexpr size_t kFiltersPerDirection = 9;
inline constexpr int kFilterNameCharacters = 20;

// Filter numbers by kind.
inline constexpr std::array<uint32_t, 2> kFullFilters{1, 2};
inline constexpr std::array<uint32_t, 2> kEtherTypeFilters{3, 4};
inline constexpr std::array<uint32_t, 5> kKnownFilters{5, 6, 7, 8, 9};

// The text an Ether type edit keeps as it is typed: its hexadecimal digits, at most four.
QString EtherTypeTyped(const QString& text);
// The text it shows once left: the value, masked to 16 bits, as four hexadecimal digits ("800" gives "0800").
QString EtherTypeShown(const QString& text);
int32_t EtherTypeValue(const QString& text);

// A line card's filters of both directions, by filter number (index number - 1).
struct PktFilterSet {
    std::array<PktFilterRec, kFiltersPerDirection> upstream{};
    std::array<PktFilterRec, kFiltersPerDirection> downstream{};
};

// The defaults a page shows before the NE's filters come: the names, disabled, match-forward, no criteria.
PktFilterSet DefaultFilters(uint8_t slot);
// Takes the NE's records while they are of the slot: each fills its direction's filter of its number.
void ApplyFilterRecords(PktFilterSet& set, const std::vector<PktFilterRec>& records, uint8_t slot);
// The records OK writes, in order: upstream filters 1..9, then downstream 1..4 (the downstream known filters are
// shown but not written).
std::vector<PktFilterRec> FiltersToWrite(const PktFilterSet& set);

// The seven groups of a card: upstream 1..3 then downstream 1..4, as the tabs show them.
using PktFilterGroups = std::array<PktFilterGroupRec, 7>;
PktFilterGroups DefaultGroups(uint8_t slot);
// Takes the NE's records while they are of the slot; a group number the direction does not have is ignored.
void ApplyGroupRecords(PktFilterGroups& groups, const std::vector<PktFilterGroupRec>& records, uint8_t slot);
// The mask a group may carry: a downstream group holds no known filter.
uint32_t WrittenGroupMask(uint32_t direction, uint32_t mask);

// The first name of the list that may not be written: blank, with a character that is not a name character (its
// position), or the same as an earlier one. None when all pass. Group names are taken trimmed at both ends (and written
// so); a filter's name is taken as typed, so that a blank at either end is a character refused.
struct NameFault {
    size_t index = 0;
    uint32_t stringId = 0;
    int position = -1;
};
enum class NameEnds { kAsTyped, kTrimmed };
std::optional<NameFault> FirstNameFault(const std::vector<QString>& names, NameEnds ends);
