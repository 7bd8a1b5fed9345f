// The rules of the line tests as tables: what each answer to the progress dialog's poll leads to, what a state means
// when a dialog opens and when Start asks, the status and failure text of each outcome by test, and how the per-tone
// codes of a result become the values and texts of the per-tone lists.
#include "features/performance/line_tests/line_test_protocol.h"
#include "tarvik_test_paths.h"

#include "platform/notify_codes.h"
#include "ui/framework/messages/string_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr uint32_t kPort = 10103;

class LineTestProtocolTest : public ::testing::Test {
protected:
    void SetUp() override { LoadAppStrings(std::string(TARVIK_RESOURCES_DIR) + "/strings/strings.tsv"); }
};

TEST_F(LineTestProtocolTest, EachAnswerToThePollEndsTheWaitOrNot)
{
    struct Case {
        const char* name;
        LineTestKind kind;
        PolledTest polled;
        bool ends;
        int result;
        int32_t outcome;
        int32_t reason;
        bool failText;
    };
    using K = LineTestKind;
    const Case cases[] = {
        {"no record: the state cannot be read", K::kSelt, {}, true, IDCANCEL, 0, 0, true},
        {"still running", K::kLoopMonitoring, {true, kPort, 1, 0, {}}, false, 0, 0, 0, false},
        {"the loop diagnosis of the same profile runs",
         K::kLoopDiagnosis,
         {true, kPort, 1, 0, "fast-8M"},
         false,
         0,
         0,
         0,
         false},
        {"another profile's test runs: ours was cancelled",
         K::kLoopDiagnosis,
         {true, kPort, 1, 0, "video-16M"},
         true,
         IDOK,
         4,
         0,
         false},
        {"a test that ended does not compare its profile",
         K::kLoopDiagnosis,
         {true, kPort, 2, 0, "video-16M"},
         true,
         IDOK,
         2,
         0,
         false},
        {"another port's record: ours was cancelled", K::kSelt, {true, kPort + 1, 1, 0, {}}, true, IDOK, 4, 0, false},
        {"succeeded", K::kSelt, {true, kPort, 2, 9, {}}, true, IDOK, 2, 0, false},
        {"failed, with its reason", K::kLoopMonitoring, {true, kPort, 3, 11, {}}, true, IDOK, 3, 11, false},
        {"cancelled at the NE", K::kLoopMonitoring, {true, kPort, 4, 5, {}}, true, IDOK, 4, 0, false},
        {"back to idle", K::kSelt, {true, kPort, 0, 0, {}}, true, IDOK, 0, 0, false},
        {"a state the dialogs do not know", K::kSelt, {true, kPort, 9, 0, {}}, true, IDOK, 9, 0, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const LineTestVerdict verdict = JudgePoll(test.kind, test.polled, kPort, "fast-8M");
        EXPECT_EQ(verdict.ends, test.ends);
        EXPECT_EQ(verdict.dialogResult, test.result);
        EXPECT_EQ(verdict.outcome, test.outcome);
        EXPECT_EQ(verdict.failureReason, test.reason);
        EXPECT_EQ(verdict.failText, test.failText);
    }
}

TEST_F(LineTestProtocolTest, AStateReadsAsAStatusWhenTheDialogOpensAndWhenStartAsks)
{
    struct Case {
        uint32_t state;
        const char* onOpen;
        const char* beforeStart; // "" when the start goes on
        const char* outcome;
    };
    const Case cases[] = {
        {0, "available", "", "unknown"},
        {1, "occupied", "occupied", "occupied"},
        {2, "available", "", "succeeded"},
        {3, "available", "", "failed"},
        {4, "available", "", "cancelled"},
        {5, "unknown", "unknown", "unknown"},
        {0x80000000, "unknown", "unknown", "unknown"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.state);
        EXPECT_EQ(StatusText(StatusOnOpen(test.state)), test.onOpen);
        const std::optional<LineTestStatus> refused = RefusedBeforeStart(test.state);
        EXPECT_EQ(refused ? StatusText(*refused) : std::string(), test.beforeStart);
        EXPECT_EQ(StatusText(StatusOfOutcome(static_cast<int32_t>(test.state))), test.outcome);
    }
}

TEST_F(LineTestProtocolTest, EachTestNamesTheFailureReasonsItKnows)
{
    struct Case {
        uint32_t reason;
        const char* diagnosis;
        const char* monitoring;
        const char* selt;
    };
    const Case cases[] = {
        {0, "unknown", "unknown", "unknown"},
        {1, "invalid port number", "invalid port number", "invalid port number"},
        {2, "profile nonexistent or disabled", "unknown", "unknown"},
        {5, "user cancelled", "user cancelled", "unknown"},
        {7, "no ATU-R detected", "unknown", "unknown"},
        {8, "unknown", "port not in show-time state", "unknown"},
        {11, "unknown", "line standard not ADSL2/ADSL2+", "unknown"},
        {13, "unknown", "port is link down", "unknown"},
        {14, "locked by DELT", "locked by DELT", "locked by DELT"},
        {15, "locked by SELT", "locked by SELT", "locked by SELT"},
        {17, "line card does not support this function", "line card does not support this function",
         "line card does not support this function"},
        {18, "unknown", "unknown", "unknown"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.reason);
        EXPECT_EQ(FailureReasonText(LineTestKind::kLoopDiagnosis, test.reason), test.diagnosis);
        EXPECT_EQ(FailureReasonText(LineTestKind::kLoopMonitoring, test.reason), test.monitoring);
        EXPECT_EQ(FailureReasonText(LineTestKind::kSelt, test.reason), test.selt);
    }
}

TEST_F(LineTestProtocolTest, PerToneCodesBecomeValuesInTenths)
{
    EXPECT_EQ(HlogTenths(0), 60);
    EXPECT_EQ(HlogTenths(60), 0);
    EXPECT_EQ(HlogTenths(1022), -962);
    EXPECT_EQ(HlogTenths(1023), kToneNotAvailable);
    EXPECT_EQ(QlnTenths(0), -230);
    EXPECT_EQ(QlnTenths(234), -1400);
    EXPECT_EQ(QlnTenths(254), -1500);
    EXPECT_EQ(QlnTenths(255), kToneNotAvailable);
    EXPECT_EQ(SnrTenths(0), -320);
    EXPECT_EQ(SnrTenths(64), 0);
    EXPECT_EQ(SnrTenths(254), 950);
    EXPECT_EQ(SnrTenths(255), kToneNotAvailable);

    // Hlog travels as little-endian 16 bits a tone.
    std::array<uint8_t, 6> codes = {0x3c, 0x00, 0xff, 0x03, 0xe8, 0x03};
    EXPECT_EQ((HlogValues<3>(codes)), (std::array<int32_t, 3>{0, kToneNotAvailable, -940}));
}

TEST_F(LineTestProtocolTest, TheListsShowValuesWithTheirDecimalsAndTheMarkers)
{
    struct Case {
        int32_t value;
        uint8_t decimals;
        const char* text;
    };
    const Case cases[] = {
        {-235, 1, "-23.5"},
        {-235, 0, "-235"},
        {0, 1, "0.0"},
        {7, 2, "0.07"},
        {15, 0, "15"},
        {kToneNoData, 1, "--"},
        {kToneNotAvailable, 1, "NA"},
        {kToneNoData, 0, "--"},
        {kToneNotAvailable, 0, "NA"},
    };
    for (const Case& test : cases)
        EXPECT_EQ(ToneValueText(test.value, test.decimals), test.text) << test.value << " " << int{test.decimals};
    EXPECT_EQ(CableTypeText(1), "24 AWG");
    EXPECT_EQ(CableTypeText(2), "26 AWG");
    EXPECT_EQ(CableTypeText(3), "unknown");
}

} // namespace
