#include "features/provisioning/dhcp/dhcp_setting_dlg.h"

#include "core/tables/access_rights.h"
#include "link/record_requests.h"
#include "link/records/dhcp_relay_server_rec.h"
#include "link/records/dhcp_setting_rec.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_dhcp_setting_dlg.h"

namespace {

constexpr int kEnabledChoice = 0;
constexpr int kDisabledChoice = 1;
constexpr uint32_t kOn = 1;

int ChoiceOf(uint32_t value)
{
    return value == kOn ? kEnabledChoice : kDisabledChoice;
}

} // namespace

CDhcpSettingDlg::CDhcpSettingDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CDhcpSettingDlg>())
{
    ui_->setupUi(this);
}

CDhcpSettingDlg::~CDhcpSettingDlg() = default;

void CDhcpSettingDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kRelayEnabledId, kRelayDisabledId}, relayIndex_);
    DDX_Radio(dx, {kOption82EnabledId, kOption82DisabledId}, option82Index_);
}

std::optional<bool> CDhcpSettingDlg::HasRelayServers() const
{
    const RecordReply<DhcpRelayServerRec> servers =
        CRecordRequests().Query<DhcpRelayServerRec>(kReqDhcpRelayServer, static_cast<uint32_t>(GetNeId()),
                                                    {.failureTextId = kStrFailToQuery});
    if (!servers.Ok())
        return std::nullopt;
    return !servers.records.empty();
}

void CDhcpSettingDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightDhcp) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    const RecordReply<DhcpSettingRec> reply = CRecordRequests().Query<DhcpSettingRec>(
        kReqDhcp, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    // What the NE holds unread is never written back.
    const bool read = reply.Ok() && !reply.records.empty();
    EnableControl(IDOK, GetAccessMode() != kAccessQuery && read);
    if (read) {
        relayIndex_ = ChoiceOf(reply.records.front().relay);
        option82Index_ = ChoiceOf(reply.records.front().option82);
    }
    const std::optional<bool> servers = HasRelayServers();
    if (servers == false) {
        relayIndex_ = kDisabledChoice;
        ShowStatusMessageById(kStrRelayDisabledNoServers);
    }
    UpdateData(false);
}

void CDhcpSettingDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    // Servers that cannot be counted do not block the write: the NE judges it.
    if (relayIndex_ == kEnabledChoice && HasRelayServers() == false) {
        ShowAlertTextById(kStrRelayNeedsServers, kRelayEnabledId);
        return;
    }
    const DhcpSettingRec rec{relayIndex_ == kEnabledChoice ? 1u : 0u, option82Index_ == kEnabledChoice ? 1u : 0u};
    if (!CRecordRequests()
             .Modify(kReqDhcp, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}
