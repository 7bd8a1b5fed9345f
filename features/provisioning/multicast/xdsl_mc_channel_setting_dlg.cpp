#include "features/provisioning/multicast/xdsl_mc_channel_setting_dlg.h"

#include "core/entity/entity_id.h"
#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/multicast/mc_channel_requests.h"
#include "features/provisioning/multicast/mc_channel_rules.h"
#include "features/provisioning/pvcs/mc_channel_entry.h"
#include "features/provisioning/pvcs/vc_fields.h"
#include "link/records/mc_service_profile_rec.h"
#include "link/records/request_codes.h"
#include "ui/framework/dialogs/entity_combos.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_xdsl_mc_channel_setting_dlg.h"

#include <QComboBox>

#include <algorithm>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default
constexpr int kErrorBox = static_cast<int>(0x80000000u);
constexpr VcFieldIds kFields{CXdslMcChannelSettingDlg::kVpiId,  CXdslMcChannelSettingDlg::kVpiSpinId,
                             CXdslMcChannelSettingDlg::kVciId,  CXdslMcChannelSettingDlg::kVciSpinId,
                             CXdslMcChannelSettingDlg::kVlanId, CXdslMcChannelSettingDlg::kVlanSpinId};
constexpr int kXdslLinePorts = 9; // the entity kind of the xDSL line cards and their ports

} // namespace

CXdslMcChannelSettingDlg::CXdslMcChannelSettingDlg(QWidget* parent)
    : CATabDialog(kTemplateId, parent), ui_(std::make_unique<Ui::CXdslMcChannelSettingDlg>()),
      combos_(*this, {kShelfId, kSlotId, kPortId}, kXdslLinePorts, 0)
{
    ui_->setupUi(this);
}

CXdslMcChannelSettingDlg::~CXdslMcChannelSettingDlg() = default;

void CXdslMcChannelSettingDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeVcFields(dx, *this, kFields, fields_);
    DDX_Radio(dx, {kEnabledId, kDisabledId}, stateIndex_);
}

void CXdslMcChannelSettingDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightMcChannels) != 0 || CheckTargetNeOrClose() != 0 || CheckPortTargetOrClose() != 0)
        return;
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    EnableControls({kShelfId, kSlotId, kPortId}, IsCreating());
    EnableControls({kVpiSpinId, kVciSpinId}, GetAccessMode() != kAccessQuery);
    SetControlsReadOnly({kVpiId, kVciId}, GetAccessMode() == kAccessQuery);
    UpdateCaption(kCaptionNe | kCaptionLocation);
    AddPage(CMcProfilePage::kTemplateId, &profile_, "Multicast Service Profile");
    AddPage(CMcChannelLimitPage::kTemplateId, &limit_, "Channel Limit");
    FillPortCombos(2);
    HoldShelfComboOfSingleShelfNe(GetDlgItemAs<QComboBox>(kShelfId), FindNeById(static_cast<uint32_t>(GetNeId())));

    const RecordReply<McServiceProfileRec> services = CRecordRequests().Query<McServiceProfileRec>(
        kReqMcServiceProfile, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    std::vector<std::string> names;
    for (const McServiceProfileRec& service : services.records)
        names.push_back(service.name);
    profile_.SetNames(names);
    if (!names.empty())
        profile_.Choose(names.front());
    UpdatePageData(AllPages(), 0);
    if (!IsCreating())
        ReadChannel();
}

void CXdslMcChannelSettingDlg::FillPortCombos(int fromLevel)
{
    combos_.Refill(FindNeById(static_cast<uint32_t>(GetNeId())), fromLevel,
                   fromLevel == 2 ? &GetTargetEntity().index : nullptr);
}

bool CXdslMcChannelSettingDlg::ReadChannel()
{
    const std::optional<McChannelRec> read =
        QueryMcChannelEntry(static_cast<uint32_t>(GetNeId()), GetTargetEntity().id, kStrFailToQuery);
    if (!read) {
        EndDialog(IDCANCEL);
        return false;
    }
    if (read->portId == 0) {
        ShowAlertTextById(kStrNoData);
        EndDialog(IDCANCEL);
        return false;
    }
    // Values beyond the controls' ranges show as the nearer bound.
    fields_.vpi = std::min<uint32_t>(read->vpi, kVcMaxVpi);
    fields_.vci = std::max<uint32_t>(read->vci, kVcFirstVci);
    fields_.vlan = std::clamp<uint32_t>(read->vlanId, kVcFirstVlan, kVcLastVlan);
    limit_.SetLimit(std::clamp(read->channelLimit, kMinChannelLimit, kMaxChannelLimit));
    stateIndex_ = read->adminState == kMcChannelEnabled ? 0 : 1;
    loadedEnabled_ = read->adminState == kMcChannelEnabled;
    profile_.Choose(read->profile);
    UpdateData(false);
    UpdatePageData(&limit_, 0);
    return true;
}

int CXdslMcChannelSettingDlg::OnCommandHook(int id, int code)
{
    if ((id == kShelfId || id == kSlotId) && code == CBN_SELCHANGE) {
        FillPortCombos(id == kShelfId ? 3 : 4);
        return 1;
    }
    return CATabDialog::OnCommandHook(id, code);
}

bool CXdslMcChannelSettingDlg::OnNotify(const NotifyHeader& header, int* result)
{
    return StepVcFieldSpin(*this, kFields, header) || CATabDialog::OnNotify(header, result);
}

std::optional<McChannelRec> CXdslMcChannelSettingDlg::BuildChannel()
{
    const CEntityIndex chosen = combos_.Chosen();
    for (const auto& [level, id] : {std::pair{2, kShelfId}, std::pair{3, kSlotId}, std::pair{4, kPortId}}) {
        if (chosen.GetLevel() < level) {
            ShowAlertTextById(kStrPleaseSelectOneItem, id);
            return std::nullopt;
        }
    }
    const std::string profile = profile_.ChosenName();
    if (profile.empty()) {
        ShowPageAlertTextById(&profile_, kStrPleaseSelectOneItem, CMcProfilePage::kProfileId);
        return std::nullopt;
    }
    CEntityId port;
    port.SetIndex(chosen);
    McChannelRec channel;
    channel.portId = port.id;
    channel.vpi = static_cast<uint8_t>(fields_.vpi);
    channel.vci = static_cast<uint16_t>(fields_.vci);
    channel.vlanId = static_cast<uint16_t>(fields_.vlan);
    channel.channelLimit = limit_.Limit();
    channel.profile = profile;
    channel.adminState = stateIndex_ == 0 ? kMcChannelEnabled : kMcChannelDisabled;
    return channel;
}

bool CXdslMcChannelSettingDlg::PassesRules(const McChannelRec& channel, bool* replacing)
{
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    const bool enabled = channel.adminState == kMcChannelEnabled;
    if (IsCreating() || enabled) {
        const std::optional<uint32_t> pvcs = CountEnabledPvcs(neId, channel.portId);
        if (!pvcs)
            return false;
        if (enabled) {
            if (const std::optional<uint32_t> refusal = PortChannelRefusal(*pvcs, channel.channelLimit)) {
                if (*refusal == kStrPortHasNoActivePvc)
                    ShowAlertTextById(*refusal, kPortId);
                else
                    ShowPageAlertTextById(&limit_, *refusal, CMcChannelLimitPage::kLimitId);
                return false;
            }
        }
    }
    std::optional<HeldChannel> held;
    if (IsCreating() || enabled) {
        const std::optional<McChannelRec> existing = QueryMcChannelEntry(neId, channel.portId, kStrFailToQuery);
        if (!existing)
            return false;
        if (existing->portId == channel.portId) {
            if (IsCreating() && ShowMessageById(kStrSureToOverwriteMcChannel, kConfirmFlags) != IDYES)
                return false;
            *replacing = IsCreating();
            held = HeldChannel{loadedEnabled_, existing->vlanId, existing->channelLimit};
        }
    }
    if (!enabled)
        return true;
    const std::optional<VlanMacRoom> room = QueryVlanMacRoom(neId, channel.vlanId);
    if (!room)
        return false;
    // Only a change of an enabled channel counts its old limit as committed already.
    if (ExceedsVlanMacLimit(*room, channel.vlanId, channel.channelLimit, IsCreating() ? std::nullopt : held)) {
        ShowAlertTextById(kStrVlanMacLimitBelowCommitted, kVlanId);
        return false;
    }
    return true;
}

void CXdslMcChannelSettingDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdatePageData(AllPages(), 1))
        return;
    const std::optional<McChannelRec> channel = BuildChannel();
    if (!channel)
        return;
    bool replacing = false;
    if (!PassesRules(*channel, &replacing))
        return;
    if (const uint32_t refusal = WriteMcChannel(static_cast<uint32_t>(GetNeId()), IsCreating(), *channel)) {
        ShowMessageById(refusal, kErrorBox);
        return;
    }
    result_ = *channel;
    const CEntityId port(channel->portId);
    SetTarget(GetNeId(), &port);
    EndDialog(IDOK);
}
