#pragma once
// What the three line test dialogs share: the port's status (1278) and failure reason (1332) texts and the Start
// button (1329), the state query when the dialog opens, and the start of a test: the state asked again, the views
// cleared, the start command, the progress dialog until the test ends, and the status of its outcome. The dialog
// reads the result itself when the test succeeded.
//
//     CLineTestControl control_{*this, LineTestKind::kLoopMonitoring};
//     if (!control_.Open()) return;                          // in InitData, after the dialog's own checks
//     ...
//     if (control_.Start({}, [this] { ClearViews(); }))     // Start 1329
//         ReadResult();
//
// Start is offered again once the test is known to have ended (succeeded, failed or cancelled); after a start that
// came to nothing known (a failed request, a test still running, a poll that lost the NE) it stays disabled, and the
// status says how far the start came, until the dialog is opened again.

#include "features/performance/line_tests/line_test_protocol.h"

#include <functional>
#include <string>

class CADialog;

class CLineTestControl {
public:
    static constexpr int kStatusId = 1278;
    static constexpr int kFailureReasonId = 1332;
    static constexpr int kStartId = 1329;

    CLineTestControl(CADialog& dialog, LineTestKind kind) : dialog_(dialog), kind_(kind) {}

    // The first show: status "unknown", Start disabled, then the port's state. False when the state could not be
    // read (a failed request leaves the dialog open; a reply without the test's record ends it with "No data").
    bool Open();
    // Runs a start (the loop diagnosis with its line profile); true when the test succeeded and its result is to be
    // read. `clearViews` empties the result views once the NE has said that no test runs.
    bool Start(const std::string& lineProfile, const std::function<void()>& clearViews);

    LineTestStatus Status() const { return status_; }

private:
    void Show(LineTestStatus status, const std::string& failureReason = {});

    CADialog& dialog_;
    LineTestKind kind_;
    LineTestStatus status_ = LineTestStatus::kUnknown;
};
