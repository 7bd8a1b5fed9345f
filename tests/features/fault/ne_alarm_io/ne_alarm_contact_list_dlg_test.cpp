// The NE's alarm inputs and outputs as their lists show them: Index sorts by the contacts' entities, the other columns
// by their texts without regard to case, equal texts by the entities.

#include "tests/features/fault/trap_log/trap_log_test_support.h"
#include "tests/features/performance/performance_test_support.h"

#include "core/tables/entity_node.h"
#include "features/fault/ne_alarm_io/ne_alarm_input_list_dlg.h"
#include "features/fault/ne_alarm_io/ne_alarm_output_dlg.h"
#include "features/fault/ne_alarm_io/ne_alarm_output_list_dlg.h"
#include "platform/list_control.h"
#include "platform/scripted_runners.h"

#include <QAbstractButton>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace trap_log_test;

constexpr uint32_t kRelayModule = 42;

class NeAlarmContactListDlgTest : public FaultTestEnvironment {
protected:
    void SetUp() override
    {
        FaultTestEnvironment::SetUp();
        ASSERT_EQ(SetUserRights(kRoleUser, std::string(127, 'a').c_str()), 0);
        // The contacts are those of a relay module in alpha's first slot.
        ASSERT_TRUE(AppData().nes.FindNeById(kAlpha)->root->FindById(10100)->SetType(kRelayModule, kPlannedTypeSame));
    }

    struct Step {
        int column;
        QStringList names; // ascending
    };

    // Opens the list on alpha and sorts it by each step's column; the names show the order.
    static void Sort(CADialog& dialog, int nameColumn, const std::vector<Step>& steps)
    {
        const CEntityId ne(1u);
        dialog.SetTarget(kAlpha, &ne);
        ScriptedModalRunner runner;
        runner.Push([&](QDialog&) {
            dialog.OnFirstShow();
            const CListControl list(dialog.FindList(kListControlId));
            for (const Step& step : steps) {
                SCOPED_TRACE(step.column);
                dialog.SortList(step.column, kSortAscending);
                EXPECT_EQ(ColumnTexts(list, nameColumn), step.names);
            }
            return IDCANCEL;
        });
        dialog.DoModal();
    }
};

TEST_F(NeAlarmContactListDlgTest, IndexSortsByEntityTextsWithoutCaseAndEqualTextsByEntity)
{
    {
        perf_test::CScriptedPeer peer;
        peer.Answer(kReqNeAlarmInput, std::vector<NeAlarmInputRec>{
                                          {10103, "door", 2, 1, 1}, // normally closed, enabled
                                          {10101, "Smoke", 2, 1, 2},
                                          {10102, "Flood", 1, 1, 1}, // normally opened
                                      });
        CNeAlarmInputListDlg inputs;
        Sort(inputs, CNeAlarmInputListDlg::kNameColumn,
             {
                 {CNeAlarmInputListDlg::kIndexColumn, {"Smoke", "Flood", "door"}},
                 {CNeAlarmInputListDlg::kNameColumn, {"door", "Flood", "Smoke"}},
                 {CNeAlarmInputListDlg::kNormalStateColumn, {"Smoke", "door", "Flood"}}, // Closed, Closed, Opened
             });
    }
    perf_test::CScriptedPeer peer;
    peer.Answer(kReqNeAlarmOutput, std::vector<NeAlarmOutputRec>{
                                       {10103, "Relay", 0x1, 1, 1}, // critical, enabled
                                       {10101, "horn", 0x3, 1, 2},  // critical and major
                                       {10102, "Lamp", 0x1, 1, 1},
                                   });
    CNeAlarmOutputListDlg outputs;
    Sort(outputs, CNeAlarmOutputListDlg::kNameColumn,
         {
             {CNeAlarmOutputListDlg::kIndexColumn, {"horn", "Lamp", "Relay"}},
             {CNeAlarmOutputListDlg::kNameColumn, {"horn", "Lamp", "Relay"}},
             {CNeAlarmOutputListDlg::kSeveritiesColumn,
              {"Lamp", "Relay", "horn"}}, // "Critical" twice, then "Critical, Major"
         });
}

// The output setting opens on its own output's record among those the NE sends: its name, its severities box by box
// (bits 0..3: Critical, Major, Minor, Warning) and its state.
TEST_F(NeAlarmContactListDlgTest, TheOutputSettingOpensOnItsOwnRecord)
{
    perf_test::CScriptedPeer peer;
    peer.Answer(kReqNeAlarmOutput, std::vector<NeAlarmOutputRec>{
                                       {10101, "Horn", 0x3, 1, 1},
                                       {10102, "Lamp", 0x4, 2, 2}, // minor only, disabled
                                       {10103, "Relay", 0x8, 1, 1},
                                   });
    CNeAlarmOutputDlg dialog;
    const CEntityId lamp(10102u);
    dialog.SetTarget(kAlpha, &lamp);
    ScriptedModalRunner runner;
    runner.Push([&](QDialog&) {
        dialog.OnFirstShow();
        EXPECT_EQ(dialog.GetDlgItemAs<QLineEdit>(CNeAlarmOutputDlg::kNameId)->text(), QStringLiteral("Lamp"));
        const bool boxes[] = {false, false, true, false};
        for (size_t i = 0; i < 4; ++i)
            EXPECT_EQ(dialog.GetDlgItemAs<QAbstractButton>(CNeAlarmOutputDlg::kSeverityBoxIds[i])->isChecked(),
                      boxes[i])
                << i;
        EXPECT_TRUE(dialog.GetDlgItemAs<QAbstractButton>(CNeAlarmOutputDlg::kDisabledId)->isChecked());
        return IDCANCEL;
    });
    dialog.DoModal();
}

} // namespace
