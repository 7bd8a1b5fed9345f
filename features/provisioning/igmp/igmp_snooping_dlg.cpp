#include "features/provisioning/igmp/igmp_snooping_dlg.h"

#include "core/tables/access_rights.h"
#include "features/provisioning/igmp/igmp_values.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_igmp_snooping_dlg.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace {

constexpr int kEnabledChoice = 0;
constexpr int kDisabledChoice = 1;
constexpr int kConfirm = 0x134;

} // namespace

CIgmpSnoopingDlg::CIgmpSnoopingDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CIgmpSnoopingDlg>())
{
    ui_->setupUi(this);
}

CIgmpSnoopingDlg::~CIgmpSnoopingDlg() = default;

bool CIgmpSnoopingDlg::EnabledChosen() const
{
    const auto* enabled = GetDlgItemAs<QAbstractButton>(kEnabledId);
    return enabled != nullptr && enabled->isChecked();
}

void CIgmpSnoopingDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledId, kDisabledId}, choice_);
    if (!dx.IsSaving() || choice_ == kEnabledChoice)
        DDX_TextInRange(dx, *this, kAgingId, agingTime_, kMinIgmpAgingTime, kMaxIgmpAgingTime);
}

void CIgmpSnoopingDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightIgmp) != 0 || CheckTargetNeOrClose() != 0)
        return;
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    UpdateCaption(kCaptionNe | kCaptionLocation);
    const RecordReply<IgmpSnoopingRec> reply = CRecordRequests().Query<IgmpSnoopingRec>(
        kReqIgmpSnooping, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (reply.Ok() && !reply.records.empty()) {
        loaded_ = reply.records.front();
        loaded_.agingTime = ClampIgmpAgingTime(loaded_.agingTime);
        choice_ = loaded_.adminState == 1 ? kEnabledChoice : kDisabledChoice;
        agingTime_ = loaded_.agingTime;
    }
    UpdateData(false);
    EnableValues();
}

void CIgmpSnoopingDlg::EnableValues()
{
    EnableControls({kAgingId, kAgingSpinId}, EnabledChosen());
}

int CIgmpSnoopingDlg::OnCommandHook(int id, int code)
{
    if ((id == kEnabledId || id == kDisabledId) && code == BN_CLICKED) {
        EnableValues();
        return 1;
    }
    return 0;
}

bool CIgmpSnoopingDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == kAgingSpinId && header.code == UDN_DELTAPOS) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kAgingId), header.delta, kMinIgmpAgingTime, kMaxIgmpAgingTime);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

void CIgmpSnoopingDlg::OnOK()
{
    if (CheckTargetNe() != 0 || CheckRight(kRightIgmp, 'm') != 0)
        return;
    if (ShowMessageById(kStrSureToModifyData, kConfirm) != IDYES || !UpdateDialogData())
        return;
    const bool enabled = choice_ == kEnabledChoice;
    const IgmpSnoopingRec rec{enabled ? 1u : 0u, enabled ? agingTime_ : loaded_.agingTime};
    if (!CRecordRequests()
             .Modify(kReqIgmpSnooping, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}
