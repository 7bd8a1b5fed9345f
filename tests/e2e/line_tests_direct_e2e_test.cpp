// The line tests and the rate status in direct mode: the simulated NE runs them through its private subtree, the
// loop diagnosis with the port's line profile to its result, the single-ended test's wait stopped, and a line taken
// into L2 and back, as in server mode.

#include "tests/e2e/support/e2e_harness.h"

#include "core/util/time_record.h"
#include "features/performance/line_tests/xdsl_loop_diagnosis_dlg.h"
#include "features/performance/line_tests/xdsl_selt_dlg.h"
#include "features/performance/line_tests/xdsl_test_progress_dlg.h"
#include "features/performance/port_selection/xdsl_port_sel_dlg.h"
#include "features/performance/rate_status/adsl_rate_status_dlg.h"
#include "link/record_requests.h"
#include "link/records/line_test_ctrl_rec.h"
#include "link/records/loop_diag_result_rec.h"
#include "link/records/word_record.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kCmdLoopDiagnosis = 33120;
constexpr int kCmdSelt = 33184;
constexpr int kCmdRateStatus = 33124;
constexpr uint32_t kPort = 21; // slot 1 of the 48-port NE: a long loop of 26 AWG, its power the operator's
constexpr uint32_t kPortId = 10121;
using e2e::Click;
using e2e::Field;
using Sel = CXdslPortSelDlg;
using Progress = CXdslTestProgressDlg;

void WatchTest(e2e::CProgram& program, Progress& progress, int64_t stopAfterMs = -1)
{
    auto fastMs = std::make_shared<int64_t>(0);
    const TimeRec start = GetCurrentUtcTime();
    progress.SetClock([start, fastMs] {
        TimeRec now = start;
        AddMsToTimeRec(&now, *fastMs);
        return now;
    });
    for (int step = 0; step < 400 && !progress.IsEnded(); ++step) {
        if (stopAfterMs >= 0 && *fastMs >= stopAfterMs) {
            Click(progress, Progress::kStopId);
            break;
        }
        *fastMs += 5000;
        program.WaitUntil([&] { return progress.IsEnded(); }, 100);
    }
    EXPECT_TRUE(progress.IsEnded());
}

class LineTestsDirectE2eTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program_.LoginToTheNe());
    }

    template <class Dlg, class Script> void OnPort(int command, Script script)
    {
        e2e::COperator& person = program_.Operator();
        person.OnDialog<Sel>([&](Sel& selection) {
            person.OnDialog<Dlg>(script);
            EXPECT_TRUE(e2e::Choose(selection, Sel::kSlotComboId, QStringLiteral("1")));
            EXPECT_TRUE(e2e::Choose(selection, Sel::kPortComboId, QString::number(kPort)));
            Click(selection, IDOK);
            return IDCANCEL;
        });
        ASSERT_TRUE(program_.Command(command));
        EXPECT_EQ(person.UnusedDialogScripts(), 0u) << "a dialog scripted did not come up";
        EXPECT_TRUE(person.unscriptedDialogs.isEmpty()) << person.unscriptedDialogs.join('|').toStdString();
        EXPECT_TRUE(person.boxTexts.empty()) << person.boxTexts.front().toStdString();
    }

    e2e::CProgram program_;
};

TEST_F(LineTestsDirectE2eTest, TheNeRunsTheLoopDiagnosisToItsResult)
{
    OnPort<CXdslLoopDiagnosisDlg>(kCmdLoopDiagnosis, [&](CXdslLoopDiagnosisDlg& diag) {
        EXPECT_FALSE(Field(diag, CXdslLoopDiagnosisDlg::kProfileComboId).isEmpty()) << "the port's profile";
        EXPECT_EQ(Field(diag, CLineTestControl::kStatusId), QStringLiteral("available"));
        program_.Operator().OnDialog<Progress>([&](Progress& progress) { WatchTest(program_, progress); });
        Click(diag, CLineTestControl::kStartId);
        EXPECT_EQ(Field(diag, CLineTestControl::kStatusId), QStringLiteral("succeeded"));
        const RecordReply<LoopDiagResultRec> result = CRecordRequests().Query<LoopDiagResultRec>(
            kReqLoopDiagResult, 1, WordRecord{kPortId}, {.waitDialog = false});
        ASSERT_TRUE(result.Ok());
        ASSERT_EQ(result.records.size(), 1u);
        EXPECT_EQ(e2e::ListColumn(*diag.RatePage().FindList(kListControlId), 1).value(0),
                  QString::number(result.records.front().downAttainableRate));
        const QStringList magnitude =
            e2e::ListColumn(*diag.TonePage(CXdslLoopDiagnosisDlg::kMagnitudePage).FindList(kListControlId), 2);
        EXPECT_GT(magnitude.value(40).toDouble(), magnitude.value(480).toDouble()) << "the loss rises with frequency";
    });
}

// The single-ended test has no stop command: Stop ends the wait, and the NE's test runs on.
TEST_F(LineTestsDirectE2eTest, StopEndsTheWaitOfTheSingleEndedTestWhileTheNeRunsItOn)
{
    OnPort<CXdslSeltDlg>(kCmdSelt, [&](CXdslSeltDlg& selt) {
        program_.Operator().OnDialog<Progress>([&](Progress& progress) { WatchTest(program_, progress, 10000); });
        Click(selt, CLineTestControl::kStartId);
        EXPECT_EQ(Field(selt, CLineTestControl::kStatusId), QStringLiteral("cancelled"));
        const RecordReply<LineTestCtrlRec> state =
            CRecordRequests().Query<LineTestCtrlRec>(kReqSeltCtrl, 1, WordRecord{kPortId}, {.waitDialog = false});
        ASSERT_EQ(state.records.size(), 1u);
        EXPECT_EQ(state.records.front().testState, 1u);
        EXPECT_TRUE(selt.IsControlEnabled(CLineTestControl::kStartId));
    });
}

TEST_F(LineTestsDirectE2eTest, ALineGoesIntoL2AndBackThroughTheNesTable)
{
    enum Row { kCurrentRate, kPowerState = 10 };
    OnPort<CAdslRateStatusDlg>(kCmdRateStatus, [&](CAdslRateStatusDlg& status) {
        auto cell = [&](int row) { return e2e::ListColumn(*status.FindList(kListControlId), 1).value(row); };
        EXPECT_EQ(cell(kPowerState), QStringLiteral("L0"));
        const uint32_t l0Rate = cell(kCurrentRate).toUInt();
        EXPECT_GT(l0Rate, 0u);
        Click(status, CAdslRateStatusDlg::kToL2Id);
        // While the line gets there the buttons stay as the last reading left them.
        EXPECT_TRUE(status.IsControlEnabled(CAdslRateStatusDlg::kToL2Id));
        EXPECT_TRUE(status.IsControlEnabled(CAdslRateStatusDlg::kToL3Id));
        EXPECT_TRUE(program_.WaitUntil([&] { return cell(kPowerState) == QStringLiteral("L2"); }));
        EXPECT_LT(cell(kCurrentRate).toUInt(), l0Rate);
        Click(status, CAdslRateStatusDlg::kToL0Id);
        EXPECT_TRUE(program_.WaitUntil([&] { return cell(kPowerState) == QStringLiteral("L0"); }));
        EXPECT_EQ(cell(kCurrentRate).toUInt(), l0Rate);
        return IDCANCEL;
    });
}

} // namespace
