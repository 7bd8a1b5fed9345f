#include "features/management/ne_wide/state_period_dlg.h"

#include "link/record_requests.h"
#include "link/records/state_period_rec.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"

#include <QAbstractButton>
#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace {

constexpr int kEnabledChoice = 0;
constexpr int kDisabledChoice = 1;
constexpr uint32_t kStateEnabled = 1;
constexpr uint32_t kStateDisabled = 0;
constexpr int kConfirm = 0x134;

} // namespace

CStatePeriodDlg::CStatePeriodDlg(int templateId, Setup setup, QWidget* parent)
    : CADialog(templateId, parent), setup_(setup), seconds_(setup.minimum), loadedSeconds_(setup.minimum)
{
}

bool CStatePeriodDlg::EnabledChosen() const
{
    const auto* enabled = GetDlgItemAs<QAbstractButton>(kEnabledId);
    return enabled != nullptr && enabled->isChecked();
}

void CStatePeriodDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledId, kDisabledId}, choice_);
    if (!dx.IsSaving() || choice_ == kEnabledChoice) {
        DDX_TextInRange(dx, *this, kSecondsId, seconds_, setup_.minimum, setup_.maximum);
        return;
    }
    // "Disabled": the time is not held to its range, only to be a number.
    DDX_TextInRange(dx, *this, kSecondsId, seconds_, 0, std::numeric_limits<uint32_t>::max());
}

void CStatePeriodDlg::InitData()
{
    if (CheckAccessRightOrClose(setup_.right) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    const RecordReply<StatePeriodRec> reply = CRecordRequests().Query<StatePeriodRec>(
        setup_.code, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (reply.Ok() && !reply.records.empty()) {
        const StatePeriodRec& rec = reply.records.front();
        choice_ = rec.state == kStateEnabled ? kEnabledChoice : kDisabledChoice;
        seconds_ = std::clamp(rec.seconds, setup_.minimum, setup_.maximum);
    }
    loadedEnabled_ = choice_ == kEnabledChoice;
    loadedSeconds_ = seconds_;
    UpdateData(false);
    ApplyChoice();
}

void CStatePeriodDlg::ApplyChoice()
{
    if (!setup_.lockWhileDisabled)
        return;
    const bool enabled = EnabledChosen();
    SetControlReadOnly(kSecondsId, !enabled);
    EnableControl(kSecondsSpinId, enabled);
}

int CStatePeriodDlg::OnCommandHook(int id, int code)
{
    if ((id == kEnabledId || id == kDisabledId) && code == BN_CLICKED) {
        ApplyChoice();
        return 1;
    }
    return 0;
}

bool CStatePeriodDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == kSecondsSpinId && header.code == UDN_DELTAPOS) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kSecondsId), header.delta, setup_.minimum, setup_.maximum);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

void CStatePeriodDlg::OnOK()
{
    if (CheckTargetNe() != 0 || CheckRight(setup_.right, 'm') != 0)
        return;
    if (ShowMessageById(kStrSureToModifyData, kConfirm) != IDYES)
        return;
    if (!UpdateDialogData())
        return;
    const bool enabled = choice_ == kEnabledChoice;
    if (setup_.skipUnchanged && enabled == loadedEnabled_ && (!enabled || seconds_ == loadedSeconds_)) {
        EndDialog(IDOK);
        return;
    }
    const uint32_t seconds = enabled || !setup_.lockWhileDisabled ? seconds_ : loadedSeconds_;
    const StatePeriodRec rec{enabled ? kStateEnabled : kStateDisabled, seconds};
    if (!CRecordRequests()
             .Modify(setup_.code, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}
