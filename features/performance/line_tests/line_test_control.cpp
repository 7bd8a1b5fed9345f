#include "features/performance/line_tests/line_test_control.h"

#include "features/performance/line_tests/line_test_requests.h"
#include "features/performance/line_tests/xdsl_test_progress_dlg.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/string_ids.h"

#include <QLineEdit>

void CLineTestControl::Show(LineTestStatus status, const std::string& failureReason)
{
    status_ = status;
    if (auto* text = dialog_.GetDlgItemAs<QLineEdit>(kStatusId))
        text->setText(QString::fromStdString(StatusText(status)));
    if (auto* text = dialog_.GetDlgItemAs<QLineEdit>(kFailureReasonId))
        text->setText(QString::fromStdString(failureReason));
}

bool CLineTestControl::Open()
{
    Show(LineTestStatus::kUnknown);
    dialog_.EnableControl(kStartId, false);
    const std::optional<PolledTest> polled =
        QueryTestState(kind_, static_cast<uint32_t>(dialog_.GetNeId()), dialog_.GetTargetEntity().id,
                       {.failureTextId = kStrFailToQuery});
    if (!polled)
        return false;
    if (!polled->replied) {
        dialog_.ShowAlertTextById(kStrNoData);
        dialog_.EndDialog(IDCANCEL);
        return false;
    }
    Show(StatusOnOpen(polled->state));
    dialog_.EnableControl(kStartId, status_ == LineTestStatus::kAvailable);
    return true;
}

bool CLineTestControl::Start(const std::string& lineProfile, const std::function<void()>& clearViews)
{
    if (dialog_.CheckTargetNe() != 0)
        return false;
    const auto neId = static_cast<uint32_t>(dialog_.GetNeId());
    const uint32_t port = dialog_.GetTargetEntity().id;
    // Start stays disabled until the test is known to have ended (succeeded, failed or cancelled).
    dialog_.EnableControl(kStartId, false);
    Show(LineTestStatus::kProcessing);

    const std::optional<PolledTest> state = QueryTestState(kind_, neId, port, {.failureTextId = kStrFailToQuery});
    if (!state)
        return false;
    if (!state->replied) {
        dialog_.ShowAlertTextById(kStrFailToQuery);
        return false;
    }
    if (const std::optional<LineTestStatus> refused = RefusedBeforeStart(state->state)) {
        Show(*refused);
        dialog_.ShowAlertTextById(kStrFailToQuery);
        return false;
    }
    clearViews();
    if (!SendTestCommand(kind_, neId, port, kTestCommandStart, lineProfile, {.failureTextId = kStrFailToUpdateData}))
        return false;

    CXdslTestProgressDlg progress(kind_, &dialog_);
    progress.SetTarget(dialog_.GetNeId(), &dialog_.GetTargetEntity());
    progress.SetLineProfile(lineProfile);
    if (progress.DoModal() != IDOK)
        return false;
    const LineTestStatus status = StatusOfOutcome(progress.GetOutcome());
    Show(status, status == LineTestStatus::kFailed
                     ? FailureReasonText(kind_, static_cast<uint32_t>(progress.GetFailureReason()))
                     : std::string());
    dialog_.EnableControl(kStartId, status == LineTestStatus::kSucceeded || status == LineTestStatus::kFailed ||
                                        status == LineTestStatus::kCancelled);
    return status == LineTestStatus::kSucceeded;
}
