#include "features/provisioning/igmp/igmp_proxy_dlg.h"

#include "core/tables/access_rights.h"
#include "features/provisioning/igmp/igmp_values.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_igmp_proxy_dlg.h"

#include <QAbstractButton>
#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kEnabledChoice = 0;
constexpr int kDisabledChoice = 1;
constexpr int kConfirm = 0x134;
constexpr uint32_t kMaxByteField = 255;

} // namespace

CIgmpProxyDlg::CIgmpProxyDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CIgmpProxyDlg>())
{
    ui_->setupUi(this);
}

CIgmpProxyDlg::~CIgmpProxyDlg() = default;

bool CIgmpProxyDlg::EnabledChosen() const
{
    const auto* enabled = GetDlgItemAs<QAbstractButton>(kEnabledId);
    return enabled != nullptr && enabled->isChecked();
}

void CIgmpProxyDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledId, kDisabledId}, choice_);
    if (dx.IsSaving() && choice_ != kEnabledChoice)
        return;
    // Both are bytes of the record: the exchange holds them to a byte, the spins to their ranges.
    DDX_TextInRange(dx, *this, kRobustnessId, robustness_, 0, kMaxByteField);
    DDX_TextInRange(dx, *this, kIntervalId, interval_, 0, kMaxByteField);
    DDX_Check(dx, kImmediateLeaveId, immediateLeave_);
}

void CIgmpProxyDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightIgmp) != 0 || CheckTargetNeOrClose() != 0)
        return;
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    UpdateCaption(kCaptionNe | kCaptionLocation);
    const RecordReply<IgmpProxyRec> reply = CRecordRequests().Query<IgmpProxyRec>(
        kReqIgmpProxy, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (reply.Ok() && !reply.records.empty()) {
        loaded_ = reply.records.front();
        loaded_.robustness = static_cast<uint8_t>(ClampIgmpRetries(loaded_.robustness));
        loaded_.queryResponseInterval = std::max<uint8_t>(loaded_.queryResponseInterval, kMinIgmpInterval);
        choice_ = loaded_.adminState == 1 ? kEnabledChoice : kDisabledChoice;
        robustness_ = loaded_.robustness;
        interval_ = loaded_.queryResponseInterval;
        immediateLeave_ = loaded_.immediateLeave == 1 ? 1 : 0;
    }
    UpdateData(false);
    EnableValues();
}

void CIgmpProxyDlg::EnableValues()
{
    EnableControls({kRobustnessId, kRobustnessSpinId, kIntervalId, kIntervalSpinId, kImmediateLeaveId},
                   EnabledChosen());
}

int CIgmpProxyDlg::OnCommandHook(int id, int code)
{
    if ((id == kEnabledId || id == kDisabledId) && code == BN_CLICKED) {
        EnableValues();
        return 1;
    }
    return 0;
}

bool CIgmpProxyDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS && header.idFrom == kRobustnessSpinId) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kRobustnessId), header.delta, kMinIgmpRetries, kMaxIgmpRetries);
        return true;
    }
    if (header.code == UDN_DELTAPOS && header.idFrom == kIntervalSpinId) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kIntervalId), header.delta, kMinIgmpInterval, kMaxIgmpProxySeconds);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

void CIgmpProxyDlg::OnOK()
{
    if (CheckTargetNe() != 0 || CheckRight(kRightIgmp, 'm') != 0)
        return;
    if (ShowMessageById(kStrSureToModifyData, kConfirm) != IDYES || !UpdateDialogData())
        return;
    IgmpProxyRec rec = loaded_;
    rec.adminState = 0;
    if (choice_ == kEnabledChoice) {
        rec = {1, static_cast<uint8_t>(robustness_), static_cast<uint8_t>(interval_), immediateLeave_ == 1 ? 1u : 0u};
    }
    if (!CRecordRequests()
             .Modify(kReqIgmpProxy, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}
