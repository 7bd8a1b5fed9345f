#include "features/provisioning/dhcp/dhcp_relay_server_dlg.h"

#include "core/tables/access_rights.h"
#include "core/util/ip_address.h"
#include "core/util/vlan_id.h"
#include "link/ne_ip_conflict.h"
#include "link/record_requests.h"
#include "platform/ip_address_edit.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_dhcp_relay_server_dlg.h"

#include <QLineEdit>

CDhcpRelayServerDlg::CDhcpRelayServerDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CDhcpRelayServerDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessCreate);
}

CDhcpRelayServerDlg::~CDhcpRelayServerDlg() = default;

void CDhcpRelayServerDlg::SetServer(const DhcpRelayServerRec& server)
{
    server_ = server;
    // Shown as read: a VLAN out of range is refused at OK, not replaced.
    vlan_ = server.vlanId;
}

void CDhcpRelayServerDlg::DoDataExchange(CDataExchange& dx)
{
    if (GetAccessMode() != kAccessQuery)
        DDX_TextInRange(dx, *this, kVlanId, vlan_, kFirstVlanId, kLastVlanId);
}

void CDhcpRelayServerDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightDhcp) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    GetDlgItemAs<QLineEdit>(kVlanId)->setMaxLength(4);
    if (!IsAdding()) {
        ui_->addressEdit->SetAddress(server_.address);
        EnableControl(kAddressId, false);
    }
    UpdateData(false);
}

bool CDhcpRelayServerDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == kVlanSpinId && header.code == UDN_DELTAPOS) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kVlanId), header.delta, kFirstVlanId, kLastVlanId);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

void CDhcpRelayServerDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    std::array<uint8_t, 4> address{};
    if (ui_->addressEdit->GetAddress(address) == 0 || !IsValidHostIpAddress(address.data(), 0)) {
        ShowAlertTextById(kStrIncorrectIpAddress, kAddressId);
        return;
    }
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    // The NE's own addresses only: a server already listed is changed by an add of its address.
    switch (CheckNeIpConflict(address, 0, neId, kStrFailToQuery)) {
    case NeIpConflict::kConflict:
        ShowAlertTextById(kStrIpAddressReserved, kAddressId);
        return;
    case NeIpConflict::kFree:
        break;
    }
    const CRecordRequests requests;
    DhcpRelayServerRec server = server_;
    server.address = address;
    server.vlanId = static_cast<uint16_t>(vlan_);
    if (IsAdding()) {
        const CountReply count =
            requests.QueryCount(kReqDhcpRelayServerCount, neId, {.failureTextId = kStrFailToQuery});
        if (!count.Ok())
            return;
        if (count.count.value_or(0) >= kMaxServers) {
            ShowAlertTextById(kStrTableFullOfFour, kAddressId);
            return;
        }
    }
    // The NE takes a change of a server as an add of the same address; the add names the address and the VLAN.
    DhcpRelayServerRec sent;
    sent.address = server.address;
    sent.vlanId = server.vlanId;
    if (!requests.Add(kReqDhcpRelayServer, neId, sent, {.failureTextId = kStrFailToAddDhcpServer}).Ok())
        return;
    server_ = server;
    EndDialog(IDOK);
}
