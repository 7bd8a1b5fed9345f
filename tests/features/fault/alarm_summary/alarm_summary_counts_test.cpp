// The alarm summary's counts as they are made without the operator opening a list. In direct mode they are the NE's
// alarmed entities per severity, as the active alarm list shows them; they are made again after the alarm state
// changed, and only then, but not more often than every two seconds. Without a link to the server nothing changes.

#include "tests/features/fault/trap_log/trap_log_test_support.h"

#include "core/tables/entity_node.h"
#include "features/fault/alarm_summary/alarm_summary_counts.h"

#include <chrono>

namespace {

using namespace trap_log_test;
using std::chrono::milliseconds;
using std::chrono::steady_clock;

class AlarmSummaryCountsTest : public FaultTestEnvironment {
protected:
    void SetUp() override
    {
        FaultTestEnvironment::SetUp();
        for (uint32_t id : {kAlpha, kBravo, kCharlie})
            Connect(*AppData().nes.FindNeById(id)->root);
    }

    static void Connect(CEntityNode& node)
    {
        node.SetStateBits(0);
        for (int i = 0; i < node.GetChildCount(); ++i)
            Connect(*node.GetChild(i));
    }

    // An alarm of a shelf: bit 1 (High Temp, major) of its model, at the given severity.
    static void ShelfAlarm(uint32_t neId, uint32_t severity)
    {
        CEntityNode* shelf = AppData().nes.FindNeById(neId)->root->FindById(10000);
        shelf->SetType(shelf->GetPlannedType(), kPlannedTypeSame);
        shelf->SetStateBits(0x2);
        shelf->severity = severity;
        AppData().MarkAlarmStateChanged();
    }

    static std::array<uint32_t, 3> Counts()
    {
        return {AppData().GetAlarmSeverityCount(1), AppData().GetAlarmSeverityCount(2),
                AppData().GetAlarmSeverityCount(3)};
    }

    steady_clock::time_point now_ = steady_clock::now();
    CAlarmSummaryCounts counts_{[this] { return now_; }};
};

TEST_F(AlarmSummaryCountsTest, DirectModeCountsTheAlarmedEntitiesAfterEachChange)
{
    AppSettings().directControl = true;
    ShelfAlarm(kBravo, 2);
    ShelfAlarm(kCharlie, 3);
    counts_.Update();
    EXPECT_EQ(Counts(), (std::array<uint32_t, 3>{0, 1, 1}));

    // A change within two seconds of the last count waits; then it is counted.
    ShelfAlarm(kAlpha, 1);
    now_ += milliseconds(500);
    counts_.Update();
    EXPECT_EQ(Counts(), (std::array<uint32_t, 3>{0, 1, 1}));
    now_ += milliseconds(1600);
    counts_.Update();
    EXPECT_EQ(Counts(), (std::array<uint32_t, 3>{1, 1, 1}));

    // Without a change nothing is counted again, however long it is.
    AppData().SetAlarmSeverityCount(1, 77);
    now_ += milliseconds(60000);
    counts_.Update();
    EXPECT_EQ(AppData().GetAlarmSeverityCount(1), 77u);
    // A change of the NE table is no change of the alarm state: nothing is counted again until alarm states come.
    AppData().MarkNeListChanged();
    now_ += milliseconds(60000);
    counts_.Update();
    EXPECT_EQ(AppData().GetAlarmSeverityCount(1), 77u);
    ShelfAlarm(kAlpha, 2);
    counts_.Update();
    EXPECT_EQ(Counts(), (std::array<uint32_t, 3>{0, 2, 1}));
}

TEST_F(AlarmSummaryCountsTest, WithoutALinkToTheServerTheCountsStay)
{
    AppSettings().directControl = false;
    AppData().SetAlarmSeverityCount(2, 5);
    ShelfAlarm(kBravo, 2);
    counts_.Update();
    EXPECT_EQ(Counts(), (std::array<uint32_t, 3>{0, 5, 0}));
}

} // namespace
