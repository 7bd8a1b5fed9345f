#pragma once
// CXdslTestProgressDlg: runs while the NE tests a line, one class for the three tests (loop diagnosis, template 299;
// loop monitoring, 351; the single-ended loop test, 423). It shows the time elapsed, a banner that scrolls and a bar
// that runs round over LINK/SERVERWAIT, and asks the NE every ten seconds how the test stands, the first time ten
// seconds after the start (a poll of three seconds, without the wait dialog). It ends with IDOK once the test has
// ended (GetOutcome: the state it ended with, GetFailureReason with a failure), when the NE answers for another port
// or, for the loop diagnosis, another line profile (outcome cancelled), or when the operator stops it: Stop sends the
// test's stop command (the loop diagnosis and loop monitoring; the single-ended test has none) and ends with the
// outcome cancelled. A poll that fails ends it with IDCANCEL. Enter and Escape
// do not end it.
//
//     CXdslTestProgressDlg progress(LineTestKind::kLoopDiagnosis, this);
//     progress.SetTarget(GetNeId(), &GetTargetEntity());
//     progress.SetLineProfile(profile);
//     if (progress.DoModal() == IDOK) ... StatusOfOutcome(progress.GetOutcome()) ...
//
// Each test keeps one banner tick counter for the life of the program.

#include "core/util/progress_watch.h"
#include "features/performance/line_tests/line_test_protocol.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class CXdslTestProgressDlg;
}

class CXdslTestProgressDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kStopId = 1331;
    static constexpr int kFirstLineId = 1132;
    static constexpr int kBannerId = 1266;
    static constexpr int kElapsedId = 1311;
    static constexpr int kProgressId = 1284;
    static constexpr int kTickMs = 10;
    static constexpr int64_t kPollPeriodMs = 10000;
    static constexpr int32_t kPollTimeoutMs = 3000;

    explicit CXdslTestProgressDlg(LineTestKind kind, QWidget* parent = nullptr);
    ~CXdslTestProgressDlg() override;

    static int TemplateOf(LineTestKind kind);
    static int TimerOf(LineTestKind kind);

    // The loop diagnosis: the profile the test was started with (35 characters kept).
    void SetLineProfile(const std::string& name);
    // The clock the watch runs on (the system's UTC clock unless given); giving one starts the watch again on it.
    void SetClock(CProgressWatch::Clock clock);
    int32_t GetOutcome() const { return outcome_; }
    int32_t GetFailureReason() const { return failureReason_; }

    void InitData() override;
    void OnTimer(int id) override;
    int OnCommandHook(int id, int code) override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    void OnTick();
    void Poll();
    void Stop();

    std::unique_ptr<Ui::CXdslTestProgressDlg> ui_;
    LineTestKind kind_;
    CProgressWatch::Clock clock_;
    std::optional<CProgressWatch> watch_;
    std::string lineProfile_;
    int32_t outcome_ = 0;
    int32_t failureReason_ = 0;
};
