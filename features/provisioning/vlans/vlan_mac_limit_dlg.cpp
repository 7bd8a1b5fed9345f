#include "features/provisioning/vlans/vlan_mac_limit_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/line_card_slots.h"
#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "link/record_requests.h"
#include "link/records/vlan_setting_rec.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_vlan_mac_limit_dlg.h"

#include <QLineEdit>

#include <algorithm>

namespace {

constexpr int kEnabledChoice = 0;
constexpr int kDisabledChoice = 1;
constexpr uint32_t kStateEnabled = 1;
constexpr uint32_t kStateDisabled = 2;
constexpr int kErrorBox = static_cast<int>(0x80000000u);

} // namespace

CVlanMacLimitDlg::CVlanMacLimitDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CVlanMacLimitDlg>())
{
    ui_->setupUi(this);
}

CVlanMacLimitDlg::~CVlanMacLimitDlg() = default;

void CVlanMacLimitDlg::DoDataExchange(CDataExchange& dx)
{
    QString vlan = QString::number(limit_.vlanId);
    DDX_Text(dx, kVlanId, vlan);
    DDX_Radio(dx, {kEnabledId, kDisabledId}, choice_);
    DDX_TextInRange(dx, *this, kLimitId, macLimit_, 1, highestLimit_);
}

void CVlanMacLimitDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightXdslPorts) != 0 || CheckTargetNeOrClose() != 0)
        return;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    highestLimit_ = std::max(1u, HighestVlanMacLimit(CurrentEntityModels(), ne != nullptr ? ne->neModelId : 0));
    SetControlReadOnly(kVlanId, true);
    UpdateCaption(kCaptionNe | kCaptionLocation);
    const RecordReply<VlanMacLimitRec> reply =
        CRecordRequests().Query(kReqVlanMacLimit, static_cast<uint32_t>(GetNeId()),
                                VlanMacLimitRec{limit_.vlanId, 0, 0}, {.failureTextId = kStrFailToQuery});
    if (reply.Ok() && !reply.records.empty()) {
        macLimit_ = reply.records.front().macLimit;
        choice_ = reply.records.front().state == kStateEnabled ? kEnabledChoice : kDisabledChoice;
    }
    UpdateData(false);
}

int CVlanMacLimitDlg::OnCommandHook(int id, int code)
{
    if (id != kLimitId || code != EN_KILLFOCUS)
        return 0;
    // A limit left outside its range is pulled back into it.
    if (auto* edit = GetDlgItemAs<QLineEdit>(kLimitId)) {
        const long long typed = edit->text().trimmed().toLongLong();
        const QString kept = QString::number(std::clamp<long long>(typed, 1, highestLimit_));
        if (edit->text() != kept)
            edit->setText(kept);
    }
    return 1;
}

bool CVlanMacLimitDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == kLimitSpinId && header.code == UDN_DELTAPOS) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kLimitId), header.delta, 1, highestLimit_);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

std::optional<uint32_t> CVlanMacLimitDlg::CommittedUnits()
{
    const CRecordRequests requests;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    VlanSettingRec check;
    check.vlanId = limit_.vlanId;
    if (!requests.Modify(kReqVlanMacLimitCheck, neId, check, {.failureTextId = kStrFailToUpdateData}).Ok())
        return std::nullopt;
    const RecordReply<VlanSettingRec> reply =
        requests.Query(kReqVlanMacLimitCheck, neId, check, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return std::nullopt;
    return reply.records.empty() ? 0 : reply.records.front().committedUnits;
}

void CVlanMacLimitDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    const std::optional<uint32_t> committed = CommittedUnits();
    if (!committed)
        return;
    const bool enabled = choice_ == kEnabledChoice;
    if (enabled && *committed > macLimit_) {
        ShowMessageById(kStrVlanMacLimitBelowCommitted, kErrorBox);
        if (QWidget* edit = GetDlgItem(kLimitId))
            edit->setFocus();
        return;
    }
    const VlanMacLimitRec rec{limit_.vlanId, macLimit_, enabled ? kStateEnabled : kStateDisabled};
    if (!CRecordRequests()
             .Modify(kReqVlanMacLimit, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    limit_ = rec;
    EndDialog(IDOK);
}
