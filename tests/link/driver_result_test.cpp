#include "link/driver_result.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct TextCase {
    int code;
    const char* text;
};

class DriverErrorText : public ::testing::TestWithParam<TextCase> {};

TEST_P(DriverErrorText, IsTheFixedText)
{
    EXPECT_STREQ(GetDriverErrorText(GetParam().code), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DriverErrorText,
    ::testing::Values(TextCase{32001, "driver not initialised"}, TextCase{32002, "invalid parameter"},
                      TextCase{32003, "memory insufficient"}, TextCase{32004, "network not connected"},
                      TextCase{32005, "connection failed"}, TextCase{32006, "connection timeout"},
                      TextCase{32007, "connection closed"}, TextCase{32008, "send failed"},
                      TextCase{32009, "receive failed"}, TextCase{32010, "invalid message format"},
                      TextCase{32011, "message too long"}, TextCase{32012, "no free request slot"},
                      TextCase{32013, "driver busy"}, TextCase{32014, "login failed"}, TextCase{32015, "not logged in"},
                      TextCase{32016, "request not supported"}, TextCase{32017, "unexpected reply"},
                      TextCase{32018, "transaction cancelled by user"}, TextCase{32019, "transaction timeout"},
                      TextCase{32020, "request rejected"}, TextCase{32021, "NE not reachable"},
                      TextCase{32022, "SNMP too big"}, TextCase{32023, "SNMP no such name"},
                      TextCase{32024, "SNMP bad value"}, TextCase{32025, "SNMP read only"},
                      TextCase{32026, "SNMP general error"}, TextCase{32027, "SNMP decode error"},
                      TextCase{32028, "text reply"}, TextCase{32029, "unknown error"}, TextCase{32000, "unknown error"},
                      TextCase{32030, "unknown error"}, TextCase{-1, "unknown error"}));

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
    EXPECT_EQ(ComposeFailureMessage("Fail to query", 32019, GetDriverErrorText(32019)),
              "Fail to query\n\n(32019) transaction timeout");
    EXPECT_EQ(ComposeFailureMessage("Fail to send loopback cells", 32028, "Ping failed"),
              "Fail to send loopback cells\n\n(32028) Ping failed");
}

} // namespace
