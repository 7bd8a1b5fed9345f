// The hardware readings of an NE as the list shows them: only those of modules in place and connected; Current Value
// sorts by the kind of reading, then by the value as a signed number, then by the module.

#include "tests/features/fault/trap_log/trap_log_test_support.h"
#include "tests/features/performance/performance_test_support.h"

#include "core/tables/entity_node.h"
#include "features/fault/hw_monitor/hw_monitor_list_dlg.h"
#include "link/records/hw_mon_rec.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace trap_log_test;

using HwMonitorListDlgTest = FaultTestEnvironment;

TEST_F(HwMonitorListDlgTest, ReadingsOfConnectedModulesSortCurrentValuesAsSignedNumbers)
{
    ASSERT_EQ(SetUserRights(kRoleUser, std::string(127, 'a').c_str()), 0);
    // Three line cards of alpha's first shelf, present and connected.
    CEntityNode& root = *AppData().nes.FindNeById(kAlpha)->root;
    root.connected = true;
    root.FindById(10000)->connected = true;
    for (uint32_t slot : {10100u, 10200u, 10300u}) {
        ASSERT_TRUE(root.FindById(slot)->SetType(30, kPlannedTypeSame));
        root.FindById(slot)->connected = true;
    }
    // An empty slot, connected, and a line card that is not connected: their readings are not shown.
    ASSERT_TRUE(root.FindById(10400)->SetType(1, kPlannedTypeSame));
    root.FindById(10400)->connected = true;
    ASSERT_TRUE(root.FindById(10500)->SetType(30, kPlannedTypeSame));
    root.FindById(10500)->connected = false;
    perf_test::CScriptedPeer peer;
    // One temperature of each card: 10, -5 and 9 degrees, numbered 1..3 as they come.
    const auto temperature = [](uint32_t slot, int32_t value) {
        HwMonRec reading;
        reading.entityId = slot;
        reading.kind = 3;
        reading.sensorIndex = 1;
        reading.name = "Temperature";
        reading.currentValue = value;
        reading.lowThreshold = 0;
        reading.highThreshold = 65;
        return reading;
    };
    peer.Answer(kReqHwMonitor,
                std::vector<HwMonRec>{temperature(10300, 10), temperature(10100, -5), temperature(10400, 0),
                                      temperature(10500, 1), temperature(10200, 9)});
    CHwMonitorListDlg dialog;
    ShowOnAlpha(dialog, [&](const CListControl& list) {
        const auto column = [&list](int c) { return ColumnTexts(list, c); };
        dialog.SortList(CHwMonitorListDlg::kCurrentColumn, kSortAscending);
        EXPECT_EQ(column(CHwMonitorListDlg::kCurrentColumn), (QStringList{"-5", "9", "10"}));
        EXPECT_EQ(column(CHwMonitorListDlg::kNumberColumn), (QStringList{"2", "3", "1"}));
    });
}

// Each record of a reply makes a row, a reading the NE names twice too; the next refresh writes its records over the
// rows in their order and lets the rows past its last record go.
TEST_F(HwMonitorListDlgTest, EachRecordMakesOneRowAndARefreshWritesOverTheRowsInOrder)
{
    ASSERT_EQ(SetUserRights(kRoleUser, std::string(127, 'a').c_str()), 0);
    CEntityNode& root = *AppData().nes.FindNeById(kAlpha)->root;
    root.connected = true;
    root.FindById(10000)->connected = true;
    ASSERT_TRUE(root.FindById(10100)->SetType(30, kPlannedTypeSame));
    root.FindById(10100)->connected = true;
    const auto reading = [](uint32_t sensor, int32_t value) {
        HwMonRec rec;
        rec.entityId = 10100;
        rec.kind = 3;
        rec.sensorIndex = sensor;
        rec.name = "T" + std::to_string(sensor);
        rec.currentValue = value;
        rec.lowThreshold = 0;
        rec.highThreshold = 65;
        return rec;
    };
    struct Row {
        std::vector<HwMonRec> reply;
        QStringList values; // Current Value, in the order of the rows
    };
    const Row rows[] = {
        {{reading(1, 10), reading(1, 11), reading(2, 20)}, {"10", "11", "20"}}, // sensor 1 twice: two rows
        {{reading(2, 21), reading(1, 12)}, {"21", "12"}},                       // written over, the third row gone
        {{reading(3, 30), reading(3, 31), reading(3, 32)}, {"30", "31", "32"}}, // a new row at the bottom
    };
    perf_test::CScriptedPeer peer;
    peer.Answer(kReqHwMonitor, rows[0].reply);
    CHwMonitorListDlg dialog;
    ShowOnAlpha(dialog, [&](const CListControl& list) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.values.join(',').toStdString());
            peer.Answer(kReqHwMonitor, row.reply);
            EXPECT_TRUE(dialog.Refresh());
            // The values by their rows' numbers, whatever order the sort puts the rows in.
            const QStringList numbers = ColumnTexts(list, CHwMonitorListDlg::kNumberColumn);
            const QStringList values = ColumnTexts(list, CHwMonitorListDlg::kCurrentColumn);
            QStringList byNumber(numbers.size());
            for (qsizetype r = 0; r < numbers.size(); ++r) {
                const qsizetype n = numbers[r].toInt() - 1;
                if (n >= 0 && n < byNumber.size())
                    byNumber[n] = values[r];
            }
            EXPECT_EQ(byNumber, row.values);
        }
    });
}

} // namespace
