#include "link/driver_result.h"

#include <gtest/gtest.h>

namespace {

TEST(DriverErrorText, CodesOutsideTheTableAreUnknown)
{
    for (int code : {32000, 32029, 32030, -1})
        EXPECT_STREQ(GetDriverErrorText(code), "unknown error") << code;
    EXPECT_STRNE(GetDriverErrorText(32028), "unknown error");
}

// The fixed texts that a failure box shows after its code.
TEST(DriverErrorText, TheDriversFixedTexts)
{
    const struct {
        int code;
        const char* text;
    } rows[] = {{32001, "driver not initialised"},
                {32004, "network not connected"},
                {32018, "transaction cancelled by user"},
                {32019, "transaction timeout"}};
    for (const auto& row : rows)
        EXPECT_STREQ(GetDriverErrorText(row.code), row.text) << row.code;
}

TEST(DriverResultFromStatus, KeepsDriverCodesAndRejectsTheRest)
{
    const struct {
        uint32_t status;
        int result;
    } cases[] = {{0, 0},         {32001, 32001}, {32019, 32019}, {32029, 32029},
                 {32000, 32020}, {32030, 32020}, {1, 32020},     {99999, 32020}};
    for (const auto& c : cases) {
        EXPECT_EQ(DriverResultFromStatus(c.status), c.result) << c.status;
    }
}

TEST(ComposeFailureMessage, PutsTheFailureTextABlankLineAndTheCode)
{
    EXPECT_EQ(ComposeFailureMessage("Fail to query", 32019, "transaction timeout"),
              "Fail to query\n\n(32019) transaction timeout");
}

} // namespace
