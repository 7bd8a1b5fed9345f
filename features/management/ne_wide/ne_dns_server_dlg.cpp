#include "features/management/ne_wide/ne_dns_server_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "link/ne_ip_conflict.h"
#include "link/record_requests.h"
#include "link/records/ne_dns_server_rec.h"
#include "platform/ip_address_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_dns_server_dlg.h"

#include <array>

namespace {

constexpr std::array<int, 3> kServerIds{CNeDnsServerDlg::kFirstServerId, CNeDnsServerDlg::kSecondServerId,
                                        CNeDnsServerDlg::kThirdServerId};

// The NE's servers are what the dialog sets: a server is checked against the NE's interfaces, gateway and cascaded
// root only.
constexpr uint32_t kOwnAddressesOnly = kConflictSkipDnsServers | kConflictSkipManagers | kConflictSkipTimeServers;

} // namespace

CNeDnsServerDlg::CNeDnsServerDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeDnsServerDlg>())
{
    ui_->setupUi(this);
}

CNeDnsServerDlg::~CNeDnsServerDlg() = default;

void CNeDnsServerDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeDnsServers) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    EnableControl(IDOK, CheckUserRight(AppData().role, kRightNeDnsServers, 'm') != 0);
    const RecordReply<NeDnsServerRec> reply = CRecordRequests().Query<NeDnsServerRec>(
        kReqNeDns, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    // Only a reply that holds the record fills the fields: an empty one leaves them as they are.
    if (!reply.Ok() || reply.records.empty())
        return;
    const NeDnsServerRec& dns = reply.records.front();
    const std::array<IpAddress, 3> servers{dns.first, dns.second, dns.third};
    for (size_t i = 0; i < servers.size(); ++i) {
        if (auto* edit = GetDlgItemAs<IpAddressEdit>(kServerIds[i]))
            edit->SetAddress(servers[i]);
    }
}

void CNeDnsServerDlg::OnOK()
{
    if (CheckTargetNe() != 0)
        return;
    std::array<IpAddress, 3> servers{};
    for (size_t i = 0; i < servers.size(); ++i) {
        if (const auto* edit = GetDlgItemAs<IpAddressEdit>(kServerIds[i]))
            edit->GetAddress(servers[i]);
    }
    for (size_t i = 0; i < servers.size(); ++i) {
        for (size_t j = i + 1; j < servers.size(); ++j) {
            if (!IsZeroIpAddress(servers[i]) && servers[i] == servers[j]) {
                ShowAlertTextById(kStrIpConflictsWithOtherServer, kServerIds[j], 0, kServerIds[i]);
                return;
            }
        }
    }
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    for (size_t i = 0; i < servers.size(); ++i) {
        if (!IsValidHostIpAddress(servers[i], kHostIpAllowZero)) {
            ShowAlertTextById(kStrIncorrectIpAddress, kServerIds[i]);
            return;
        }
        switch (CheckNeIpConflict(servers[i], kOwnAddressesOnly, neId, kStrFailToQuery)) {
        case NeIpConflict::kConflict:
            ShowAlertTextById(kStrIpAddressReserved, kServerIds[i]);
            return;
        case NeIpConflict::kFree:
            break;
        }
    }
    if (!CRecordRequests()
             .Modify(kReqNeDns, neId, NeDnsServerRec{servers[0], servers[1], servers[2]},
                     {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}
