#include "core/list/list_order.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Row {
    const char* name;
    ListOrder order;
    ListTies ties;
    bool descending;
    ListSortRow a;
    ListSortRow b;
    int expected;
};

ListSortRow Text(const char* text, uint32_t key = 1, uint32_t arrival = 1)
{
    return {ListValue(text), key, arrival};
}

ListSortRow Number(int64_t number, uint32_t key = 1, uint32_t arrival = 1)
{
    return {ListValue(number), key, arrival};
}

ListSortRow Address(const IpAddress& address)
{
    return {ListValue(address), 1, 1};
}

const std::string kLong80 = std::string(80, 'x');

TEST(CompareListRows, OrdersTiesAndDirections)
{
    using enum ListOrder;
    constexpr ListTies kNone = ListTies::kNone;
    constexpr ListTies kKey = ListTies::kKey;
    constexpr ListTies kByArrival = ListTies::kArrival;
    const std::string longA = kLong80 + "a";
    const std::string longB = kLong80 + "B";
    const Row rows[] = {
        {"no case", kNoCase, kNone, false, Text("north"), Text("North"), 0},
        {"no case orders letters", kNoCase, kNone, false, Text("depot"), Text("Headquarters"), -1},
        {"a prefix goes first", kNoCase, kNone, false, Text("Sou"), Text("south"), -1},
        {"text keeps case", kText, kNone, false, Text("North"), Text("north"), -1},
        {"80 characters count", kNoCase80, kNone, false, Text(longA.c_str()), Text(longB.c_str()), 0},
        {"the whole text counts", kNoCase, kNone, false, Text(longA.c_str()), Text(longB.c_str()), -1},
        {"within 80 characters", kNoCase80, kNone, false, Text("b"), Text("A"), 1},
        {"numbers as numbers", kUnsigned, kNone, false, Number(90), Number(600), -1},
        {"texts read as numbers", kUnsigned, kNone, false, Text("90"), Text("600"), -1},
        {"an empty text first", kSigned, kNone, false, Text(""), Text("-3"), -1},
        {"signed numbers", kSigned, kNone, false, Number(-1), Number(1), -1},
        {"negative numbers count as the largest", kUnsigned, kNone, false, Number(-1), Number(1), 1},
        {"addresses by their numbers", kIpv4, kNone, false, Address({10, 0, 0, 9}), Address({10, 0, 0, 10}), -1},
        {"the first number first", kIpv4, kNone, false, Address({9, 0, 0, 10}), Address({10, 0, 0, 9}), -1},
        {"dotted texts", kIpv4, kNone, false, Text("10.0.0.9"), Text("9.0.0.10"), 1},
        {"the order the rows came in", kArrival, kNone, false, Text("b", 1, 2), Text("a", 2, 1), 1},
        {"descending reverses", kUnsigned, kNone, true, Number(90), Number(600), 1},
        {"equal rows stay", kNoCase, kNone, false, Text("x", 2, 2), Text("x", 1, 1), 0},
        {"ties by key", kNoCase, kKey, false, Text("x", 2, 1), Text("x", 1, 2), 1},
        {"keys are signed", kNoCase, kKey, false, Text("x", 0x80000000u), Text("x", 1), -1},
        {"ties by arrival", kNoCase, kByArrival, false, Text("x", 2, 1), Text("x", 1, 2), -1},
        {"ties ascend when the column descends", kNoCase, kByArrival, true, Text("x", 1, 3), Text("x", 1, 4), -1},
        {"ties only for equal values", kNoCase, kByArrival, true, Text("a", 1, 1), Text("b", 1, 2), 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CompareListRows(row.order, row.ties, row.descending, row.a, row.b), row.expected);
        EXPECT_EQ(CompareListRows(row.order, row.ties, row.descending, row.b, row.a), -row.expected);
    }
}

} // namespace
