// The rows of the active alarm list, read from an NE's entity tree: which entities the target takes in, what a
// disconnected NE shows, the filters, and how a row names and grades its alarms.

#include "tests/features/fault/trap_log/trap_log_test_support.h"

#include "core/entity/entity_id.h"
#include "core/tables/entity_node.h"
#include "features/fault/active_alarms/active_alarm_rows.h"
#include "features/fault/alarm_lists/alarm_list_look.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace trap_log_test;

constexpr uint32_t kShelf = 10000;
constexpr uint32_t kSlot = 10100;
constexpr uint32_t kPort = 10101;
constexpr uint32_t kFanSlot = 10200;
constexpr uint32_t kLineCard = 30; // ALC-24: Card Out (major) 0, Card Fail (major) 1, High Temp (minor) 2
constexpr uint32_t kFanTray = 41;  // FAN-4: Card Out, Fan Fail (major), Fan Speed Low (warning), High Temp (major)

class ActiveAlarmRowsTest : public FaultTestEnvironment {
protected:
    void SetUp() override
    {
        FaultTestEnvironment::SetUp();
        ne_ = AppData().nes.FindNeById(kBravo);
        ASSERT_NE(ne_, nullptr);
        Node(kShelf).SetType(Node(kShelf).GetPlannedType(), kPlannedTypeSame);
        ASSERT_TRUE(Node(kSlot).SetType(kLineCard, kPlannedTypeSame));
        ASSERT_TRUE(Node(kFanSlot).SetType(kFanTray, kPlannedTypeSame));
        Node(kPort).SetType(Node(kPort).GetPlannedType(), kPlannedTypeSame);
        // Every entity as the NE reported it at login: connected, without alarms.
        Connect(*ne_->root);
        Alarm(kSlot, 0x2, 2); // Card Fail
        Alarm(kPort, 0x1, 3); // ATU-C LOS
        Alarm(kFanSlot, 0xF, 2);
    }

    CEntityNode& Node(uint32_t id) { return *ne_->root->FindById(id); }

    static void Connect(CEntityNode& node)
    {
        node.SetStateBits(0);
        for (int i = 0; i < node.GetChildCount(); ++i)
            Connect(*node.GetChild(i));
    }

    void Alarm(uint32_t id, uint32_t bits, uint32_t severity)
    {
        Node(id).SetStateBits(bits);
        Node(id).severity = severity;
    }

    std::vector<uint32_t> Entities(uint32_t target, const ActiveAlarmFilter& filter = AllActiveAlarms())
    {
        std::vector<uint32_t> ids;
        for (const ActiveAlarmRow& row : CollectActiveAlarmRows(*ne_, CEntityId(target).index, filter))
            ids.push_back(row.entityId);
        return ids;
    }

    CNeRecord* ne_ = nullptr;
};

TEST_F(ActiveAlarmRowsTest, TheTargetTakesInItselfAndWhatLiesBelowIt)
{
    struct Case {
        uint32_t target;
        std::vector<uint32_t> entities;
    };
    const Case cases[] = {
        {0, {kSlot, kPort, kFanSlot}},
        {1, {kSlot, kPort, kFanSlot}},
        {kShelf, {kSlot, kPort, kFanSlot}},
        {kSlot, {kSlot, kPort}},
        {kPort, {kPort}},
        {kFanSlot, {kFanSlot}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        EXPECT_EQ(Entities(c.target), c.entities);
    }
}

TEST_F(ActiveAlarmRowsTest, ADisconnectedNeShowsOnlyItsOwnAlarmAndOnlyAsTheTarget)
{
    Node(1).SetStateBits(0x1); // the offline alarm: disconnected
    Node(1).severity = 1;
    EXPECT_EQ(Entities(1), std::vector<uint32_t>{1});
    EXPECT_TRUE(Entities(kSlot).empty());
}

TEST_F(ActiveAlarmRowsTest, ThoseBelowAModuleOfUnknownTypeAreNotWalked)
{
    Node(kSlot).SetType(kEntityTypeUnknown, kPlannedTypeSame);
    EXPECT_EQ(Entities(1), (std::vector<uint32_t>{kFanSlot}));
}

TEST_F(ActiveAlarmRowsTest, FiltersOfSeverityAcknowledgementAndName)
{
    ActiveAlarmFilter minorOnly = AllActiveAlarms();
    minorOnly.bits &=
        static_cast<uint16_t>(~(kRowFilterCritical | kRowFilterMajor | kRowFilterWarning | kRowFilterInfo));
    EXPECT_EQ(Entities(1, minorOnly), std::vector<uint32_t>{kPort});

    CEntityAlarmDetail ackedDetail;
    ackedDetail.ackFlag = 1;
    Node(kSlot).SetAlarmDetail(ackedDetail);
    ActiveAlarmFilter unacknowledged = AllActiveAlarms();
    unacknowledged.bits &= static_cast<uint16_t>(~kRowFilterAcknowledged);
    EXPECT_EQ(Entities(1, unacknowledged), (std::vector<uint32_t>{kPort, kFanSlot}));
    ActiveAlarmFilter acknowledged = AllActiveAlarms();
    acknowledged.bits &= static_cast<uint16_t>(~kRowFilterUnacknowledged);
    EXPECT_EQ(Entities(1, acknowledged), std::vector<uint32_t>{kSlot});

    ActiveAlarmFilter named = AllActiveAlarms();
    named.names = CAlarmNameFilter("card fail, atu-c los");
    EXPECT_EQ(Entities(1, named), (std::vector<uint32_t>{kSlot, kPort}));
    named.names = CAlarmNameFilter("FAN SPEED LOW");
    EXPECT_EQ(Entities(1, named), std::vector<uint32_t>{kFanSlot});
}

TEST_F(ActiveAlarmRowsTest, ARowNamesItsAlarmsGravestFirstAndGradesByTheEntity)
{
    const std::vector<ActiveAlarmRow> rows = CollectActiveAlarmRows(*ne_, {}, AllActiveAlarms());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].alarms, "Card Out,Fan Fail,High Temp,Fan Speed Low");
    EXPECT_EQ(rows[2].modelName, "FAN-4");
    EXPECT_EQ(rows[2].severity, 2);
    EXPECT_EQ(rows[2].level, 3);
    // The NE's warning before its info, whatever their indexes (Cold Start 1 info, Auth Fail 5 warning).
    Alarm(1, (1u << 1) | (1u << 5), 4);
    EXPECT_EQ(CollectActiveAlarmRows(*ne_, {}, AllActiveAlarms()).front().alarms, "Auth Fail,Cold Start");
    Alarm(1, 0, 0);

    // An entity without a severity of its own is listed as info.
    Node(kPort).severity = 0;
    const std::vector<ActiveAlarmRow> again = CollectActiveAlarmRows(*ne_, {}, AllActiveAlarms());
    EXPECT_EQ(again[1].severity, 5);
    // Bits no definition stands for give no row.
    Alarm(kPort, 1u << 20, 3);
    EXPECT_EQ(Entities(1), (std::vector<uint32_t>{kSlot, kFanSlot}));
}

} // namespace
