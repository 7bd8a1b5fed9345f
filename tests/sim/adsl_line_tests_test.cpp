// The line tests the simulated NE runs and the power states of its lines, step by step on a clock the test moves: a
// test runs for its seconds and ends succeeded with the loop's result, a stop cancels it, a test that cannot run fails
// within a second with the NE's reason, and a line goes to the power states an NE allows.
#include "sim/pm/adsl_line_tests.h"

#include "sim/pm/adsl_loop_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

enum class Act { kStart, kStop, kCommand, kCheck, kPower };

struct Step {
    uint64_t atMs;
    Act act;
    LineTest test = LineTest::kLoopDiagnosis;
    uint32_t expectedState = kLineTestIdle;
    uint32_t expectedReason = 0;
    bool refused = false;      // the command is refused
    uint32_t value = 0;        // kCommand: the command; kPower: the target state
    bool profileUsable = true; // kStart of the loop diagnosis
};

struct Case {
    const char* name;
    uint32_t port;
    std::vector<Step> steps;
};

using L = LineTest;

// A port whose line trained with ADSL (G.992.1), one with ADSL2 or ADSL2+, and one whose NE manages its power.
uint32_t FindPort(const CAdslLoopModel& loops, bool adsl2, bool automatic)
{
    for (uint32_t port = 10101; port <= 10348; ++port) {
        if (loops.IsAdsl2(port) == adsl2 && loops.Loop(port).automaticPowerMgmt == automatic)
            return port;
    }
    return 0;
}

TEST(AdslLineTestsTest, TestsRunForTheirTimeAndEndWithTheNesOutcome)
{
    const CAdslLoopModel loops;
    const uint32_t adsl2 = FindPort(loops, true, false);
    const uint32_t adsl1 = FindPort(loops, false, false);
    ASSERT_NE(adsl2, 0u);
    ASSERT_NE(adsl1, 0u);
    const uint64_t diag = CAdslLineTests::kLoopDiagnosisMs;
    const uint64_t mon = CAdslLineTests::kLoopMonitoringMs;
    const uint64_t fail = CAdslLineTests::kFailureMs;
    const Case cases[] = {
        {"a loop diagnosis runs its seconds and succeeds",
         adsl2,
         {{0, Act::kCheck, L::kLoopDiagnosis, kLineTestIdle},
          {100, Act::kStart, L::kLoopDiagnosis},
          {100 + diag - 1, Act::kCheck, L::kLoopDiagnosis, kLineTestRunning},
          {100 + diag, Act::kCheck, L::kLoopDiagnosis, kLineTestSucceeded}}},
        {"a stop cancels it at once, and a new start runs again",
         adsl2,
         {{0, Act::kStart, L::kLoopDiagnosis},
          {2000, Act::kStop, L::kLoopDiagnosis},
          {2000, Act::kCheck, L::kLoopDiagnosis, kLineTestCancelled},
          {diag + 10, Act::kCheck, L::kLoopDiagnosis, kLineTestCancelled},
          {diag + 20, Act::kStart, L::kLoopDiagnosis},
          {diag + 30, Act::kCheck, L::kLoopDiagnosis, kLineTestRunning}}},
        {"a second start of a running test is refused, a stop of an idle one does nothing",
         adsl2,
         {{0, Act::kStop, L::kSelt},
          {0, Act::kCheck, L::kSelt, kLineTestIdle},
          {0, Act::kStart, L::kSelt},
          {10, Act::kStart, L::kSelt, kLineTestRunning, 0, true},
          {10, Act::kCommand, L::kSelt, 0, 0, true, 7}}},
        {"a profile the NE has in no channel mode fails the loop diagnosis",
         adsl2,
         {{0, Act::kStart, L::kLoopDiagnosis, 0, 0, false, 0, false},
          {fail - 1, Act::kCheck, L::kLoopDiagnosis, kLineTestRunning},
          {fail, Act::kCheck, L::kLoopDiagnosis, kLineTestFailed, 2}}},
        {"loop monitoring needs ADSL2 or ADSL2+",
         adsl1,
         {{0, Act::kStart, L::kLoopMonitoring}, {fail, Act::kCheck, L::kLoopMonitoring, kLineTestFailed, 11}}},
        {"loop monitoring succeeds on an ADSL2+ line",
         adsl2,
         {{0, Act::kStart, L::kLoopMonitoring}, {mon, Act::kCheck, L::kLoopMonitoring, kLineTestSucceeded}}},
        {"a test started while another runs is locked by it",
         adsl2,
         {{0, Act::kStart, L::kLoopDiagnosis},
          {10, Act::kStart, L::kSelt},
          {10 + fail, Act::kCheck, L::kSelt, kLineTestFailed, 14},
          {20, Act::kStart, L::kLoopMonitoring},
          {20 + fail, Act::kCheck, L::kLoopMonitoring, kLineTestFailed, 14}}},
        {"a line in L3 fails loop monitoring as link down and the loop diagnosis's initialisation",
         adsl2,
         {{0, Act::kPower, L::kSelt, kAdslPowerL3ByCo},
          {0, Act::kStart, L::kLoopMonitoring},
          {fail, Act::kCheck, L::kLoopMonitoring, kLineTestFailed, 13},
          {fail, Act::kStart, L::kLoopDiagnosis},
          {2 * fail, Act::kCheck, L::kLoopDiagnosis, kLineTestFailed, 6}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        CAdslLineTests tests;
        for (const Step& step : test.steps) {
            SCOPED_TRACE(step.atMs);
            switch (step.act) {
            case Act::kStart:
                EXPECT_EQ(tests.Command(test.port, step.test, kLineTestStart, "fast-8M", step.profileUsable, step.atMs)
                              .empty(),
                          !step.refused);
                break;
            case Act::kStop:
                EXPECT_EQ(tests.Command(test.port, step.test, kLineTestStop, {}, true, step.atMs), "");
                break;
            case Act::kCommand:
                EXPECT_EQ(tests.Command(test.port, step.test, step.value, {}, true, step.atMs).empty(), !step.refused);
                break;
            case Act::kPower:
                EXPECT_EQ(tests.SetPowerState(test.port, step.expectedState), "");
                break;
            case Act::kCheck: {
                const LineTestStatus status = tests.Status(test.port, step.test, step.atMs);
                EXPECT_EQ(status.state, step.expectedState);
                EXPECT_EQ(status.failureReason, step.expectedReason);
                break;
            }
            }
        }
    }
}

TEST(AdslLineTestsTest, AResultIsThereOnlyAfterTheTestSucceededAndNamesItsProfile)
{
    const CAdslLoopModel loops;
    CAdslLineTests tests;
    const uint32_t port = FindPort(loops, true, false);
    EXPECT_EQ(tests.LoopDiagnosisResult(port, 0).validity, 0u);
    tests.Command(port, LineTest::kLoopDiagnosis, kLineTestStart, "video-16M", true, 0);
    EXPECT_EQ(tests.LoopDiagnosisResult(port, 10).validity, 0u);
    const LoopDiagResultRec result = tests.LoopDiagnosisResult(port, CAdslLineTests::kLoopDiagnosisMs);
    EXPECT_EQ(result.validity, 2u);
    EXPECT_EQ(result.lineProfile, "video-16M");
    EXPECT_EQ(result, loops.LoopDiagnosis(port, "video-16M"));
    tests.Command(port, LineTest::kSelt, kLineTestStart, {}, true, 100000);
    EXPECT_EQ(tests.SeltResult(port, 100000 + CAdslLineTests::kSeltMs - 1).validity, 0u);
    EXPECT_EQ(tests.SeltResult(port, 100000 + CAdslLineTests::kSeltMs), loops.Selt(port));
    // The next run of a test takes its last result away until it succeeds in turn.
    tests.Command(port, LineTest::kLoopDiagnosis, kLineTestStart, "video-16M", true, 200000);
    EXPECT_EQ(tests.LoopDiagnosisResult(port, 200001).validity, 0u);
}

TEST(AdslLineTestsTest, ALineGoesToThePowerStatesTheNeAllows)
{
    const CAdslLoopModel loops;
    const uint32_t manual = FindPort(loops, true, false);
    const uint32_t automatic = FindPort(loops, true, true);
    ASSERT_NE(automatic, 0u);
    struct PowerStep {
        uint32_t port;
        uint32_t target;
        bool refused;
        uint32_t state; // afterwards
    };
    const PowerStep steps[] = {
        {manual, kAdslPowerL2, false, kAdslPowerL2},         {manual, kAdslPowerL0, false, kAdslPowerL0},
        {manual, kAdslPowerL3ByCo, false, kAdslPowerL3ByCo}, {manual, kAdslPowerL2, true, kAdslPowerL3ByCo},
        {manual, kAdslPowerL0, false, kAdslPowerL0},         {manual, 7, true, kAdslPowerL0},
        {manual, kAdslPowerL3ByCpe, true, kAdslPowerL0},     {automatic, kAdslPowerL2, true, kAdslPowerL0},
    };
    CAdslLineTests tests;
    for (const PowerStep& step : steps) {
        SCOPED_TRACE(::testing::Message() << step.port << " to " << step.target);
        EXPECT_EQ(tests.SetPowerState(step.port, step.target).empty(), !step.refused);
        EXPECT_EQ(tests.PowerState(step.port), step.state);
        EXPECT_EQ(tests.RateStatus(step.port).powerState, step.state);
    }
}

} // namespace
