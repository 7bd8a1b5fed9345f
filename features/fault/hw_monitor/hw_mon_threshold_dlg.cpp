#include "features/fault/hw_monitor/hw_mon_threshold_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "link/record_requests.h"
#include "link/records/hw_mon_threshold_rec.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_hw_mon_threshold_dlg.h"

#include <QLineEdit>

#include <algorithm>

CHwMonThresholdDlg::CHwMonThresholdDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CHwMonThresholdDlg>())
{
    ui_->setupUi(this);
}

CHwMonThresholdDlg::~CHwMonThresholdDlg() = default;

void CHwMonThresholdDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_SignedInRange(dx, *this, kHighId, high_, kMinThreshold, kMaxThreshold);
    DDX_SignedInRange(dx, *this, kLowId, low_, kMinThreshold, kMaxThreshold);
}

void CHwMonThresholdDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightHardwareMonitoring) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    const RecordReply<HwMonThresholdRec> reply = CRecordRequests().Query<HwMonThresholdRec>(
        kReqHwMonThreshold, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    const bool read = reply.Ok() && !reply.records.empty();
    if (read) {
        high_ = std::clamp(reply.records.front().high, kMinThreshold, kMaxThreshold);
        low_ = std::clamp(reply.records.front().low, kMinThreshold, kMaxThreshold);
    }
    EnableControl(IDOK, read && CheckUserRight(AppData().role, kRightHardwareMonitoring, 'm') != 0);
    UpdateData(false);
}

bool CHwMonThresholdDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS && (header.idFrom == kHighSpinId || header.idFrom == kLowSpinId)) {
        const int edit = header.idFrom == kHighSpinId ? kHighId : kLowId;
        StepSignedNumberEdit(GetDlgItemAs<QLineEdit>(edit), header.delta, kMinThreshold, kMaxThreshold);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

void CHwMonThresholdDlg::OnOK()
{
    if (!IsControlEnabled(IDOK) || !UpdateDialogData())
        return;
    if (high_ <= low_) {
        ShowAlertTextById(kStrMaximumNotAboveMinimum, kHighId, kHighId, kLowId);
        return;
    }
    HwMonThresholdRec rec;
    rec.high = high_;
    rec.low = low_;
    if (!CRecordRequests()
             .Modify(kReqHwMonThreshold, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}
