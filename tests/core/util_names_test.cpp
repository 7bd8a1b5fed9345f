#include "core/util/names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

TEST(IsValidNameChar, ExactlyTheAllowedSet)
{
    const std::string allowed = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ-.@_";
    for (int i = 0; i < 256; ++i) {
        const char c = static_cast<char>(i);
        EXPECT_EQ(IsValidNameChar(c), allowed.find(c) != std::string::npos) << i;
    }
}

struct CompareRow {
    const char* a;
    const char* b;
    int expected;
};

TEST(CompareNames, CaseInsensitiveOrderThenCase)
{
    const CompareRow rows[] = {
        {"abc", "abc", 0},    {"abc", "abd", -1}, {"ABC", "abd", -1},    {"abc", "ABD", -1},
        {"Zeta", "alpha", 1}, {"ABC", "abc", -1}, {"abc", "ABC", 1},     {"aBc", "abC", -1},
        {"", "", 0},          {"", "a", -1},      {"ab", "abc", -1},     {"AB", "abc", -1},
        {"abc", "AB", 1},     {"a_b", "a-b", 1},  {"ne-10", "NE-9", -1}, {"\xe4", "a", 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.a) + " vs " + row.b);
        EXPECT_EQ(CompareNames(row.a, row.b), row.expected);
        EXPECT_EQ(CompareNames(row.b, row.a), -row.expected);
    }
}

TEST(CompareNumericText, Table)
{
    const CompareRow rows[] = {
        {"", "", 0},
        {"", "0", -1},
        {"", "abc", -1},
        {"9", "10", -1},
        {"10", "9", 1},
        {"-5", "3", -1},
        {"-2", "-10", 1},
        {"-0", "0", 0},
        {"1.50", "1.5", 0},
        {"0010", "10", 0},
        {".5", "0.5", 0},
        {"2.", "2", 0},
        {"1.25", "1.3", -1},
        {" 7 ", "7", 0},
        {"+7", "7", 0},
        {"99999999999999999999", "99999999999999999998", 1},
        {"18446744073709551616", "18446744073709551615", 1},
        {"abc", "abd", -1},
        {"5", "abc", -1},
        {"abc", "5", 1},
        {"1e3", "2", 1},
        {"12a", "9", 1},
        {"-", "1", 1},
        {".", "1", 1},
        {"1.2.3", "1.2.4", -1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("'") + row.a + "' vs '" + row.b + "'");
        EXPECT_EQ(CompareNumericText(row.a, row.b), row.expected);
        EXPECT_EQ(CompareNumericText(row.b, row.a), -row.expected);
    }
}

TEST(CompareNumericText, IsAConsistentSortOrder)
{
    // Mixed numbers and texts: compared pairwise as strings these would form cycles (2 < 10 < 1a < 2).
    std::vector<std::string> texts = {"2", "10", "1a", "", "-3", "abc", "1.5", "--", "007", "b", "10.0", " 4"};
    for (const auto& a : texts) {
        for (const auto& b : texts) {
            for (const auto& c : texts) {
                if (CompareNumericText(a, b) < 0 && CompareNumericText(b, c) < 0) {
                    EXPECT_LT(CompareNumericText(a, c), 0) << a << " < " << b << " < " << c;
                }
            }
        }
    }
    std::sort(texts.begin(), texts.end(),
              [](const std::string& a, const std::string& b) { return CompareNumericText(a, b) < 0; });
    const std::vector<std::string> head = {"", "-3", "1.5", "2", " 4", "007"};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), texts.begin()));
}

} // namespace
