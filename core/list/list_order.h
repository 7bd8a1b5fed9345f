#pragma once
// How a list column orders its rows. A column says in one word how its values compare; the list says in one word how
// rows that come out equal are ordered. A value is what a cell shows (its text) and, for a number or an address, the
// number it stands for; the numeric orders compare those numbers, or read the texts as numbers where a value has none.
// Window-free, so that the rules are tested without a screen.

#include "core/util/ip_address.h"

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

enum class ListOrder : uint8_t {
    kNoCase80, // texts, their first 80 characters, letter case aside
    kNoCase,   // texts, letter case aside
    kText,     // texts, byte by byte
    kUnsigned, // numbers, negative ones counting as the largest
    kSigned,   // numbers
    kIpv4,     // IPv4 addresses, first number first
    kArrival,  // the order the rows came in: the rows' numbers
};

// Rows whose values are equal: left in the order they are (kNone), or ordered by their keys (the item data, as signed
// 32-bit numbers) or by the order they came in, ascending whichever way the column is sorted.
enum class ListTies : uint8_t { kNone, kKey, kArrival };

// What a cell shows, made from a text, a number or an address, so that a column can name a field of its record or a
// function that returns one of them.
struct ListValue {
    ListValue() = default;
    ListValue(std::string shown) : text(std::move(shown)) {}
    ListValue(const char* shown) : text(shown) {}
    template <std::integral T> ListValue(T value) : text(std::to_string(value)), number(static_cast<int64_t>(value)) {}
    ListValue(const IpAddress& address) : text(FormatIpAddress(address)), number(IpToUInt32(address)) {}

    std::string text;
    std::optional<int64_t> number; // set for numbers and addresses (an address in network order)
};

// One row as a sort sees it.
struct ListSortRow {
    ListValue value; // the sorted column's value
    uint32_t key = 0;
    uint32_t arrival = 0; // the row's number in the order the rows came in, from 1
};

// -1, 0 or 1 as row a goes before, with or after row b; `descending` reverses the column's order but not the ties'.
int CompareListRows(ListOrder order, ListTies ties, bool descending, const ListSortRow& a, const ListSortRow& b);
