#include "features/management/cascaded/cascaded_mgmt_dlg.h"

#include "core/tables/access_rights.h"
#include "core/util/ne_ip_validation.h"
#include "core/util/netmask.h"
#include "link/ne_ip_conflict.h"
#include "link/record_requests.h"
#include "link/records/ne_network_config_rec.h"
#include "platform/ip_address_edit.h"
#include "platform/notify_codes.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_cascaded_mgmt_dlg.h"

#include <QLineEdit>

#include <limits>

namespace {

using D = CCascadedMgmtDlg;

constexpr uint32_t kEnabled = 1;
constexpr uint32_t kDisabled = 2;
constexpr uint32_t kRoot = 1;
constexpr uint32_t kRemote = 2;
// The second word of a refused write's record: the root address is reserved on the NE.
constexpr uint32_t kAddressReserved = 3;

struct AlertRow {
    int result;
    CascadedIpAlert alert;
};

constexpr AlertRow kAlerts[] = {
    {kNmeIpFormatError, {kStrNmeIpFormatError, {}}},
    {kNmeMaskFormatError, {kStrNmeMaskFormatError, {}}},
    {kNmeIpIsSubnetAddress, {kStrNmeIpIsSubnetAddress, {}}},
    {kNmeIpIsBroadcastAddress, {kStrNmeIpIsBroadcastAddress, {}}},
    {kUgeIpFormatError, {kStrUgeIpFormatError, {}}},
    {kUgeMaskFormatError, {kStrUgeMaskFormatError, {}}},
    {kUgeIpIsSubnetAddress, {kStrUgeIpIsSubnetAddress, {}}},
    {kUgeIpIsBroadcastAddress, {kStrUgeIpIsBroadcastAddress, {}}},
    {kRootIpFormatError, {kStrRootIpFormatError, {D::kRootIpId}}},
    {kCascadedMaskFormatError, {kStrCascadedMaskFormatError, {D::kPrefixId}}},
    {kRootIpIsSubnetAddress, {kStrRootIpIsSubnetAddress, {D::kRootIpId, D::kPrefixId}}},
    {kRootIpIsBroadcastAddress, {kStrRootIpIsBroadcastAddress, {D::kRootIpId, D::kPrefixId}}},
    {kGatewayFormatError, {kStrGatewayIpFormatError, {}}},
    {kGatewayIsSubnetAddress, {kStrGatewayIpIsSubnetAddress, {}}},
    {kGatewayIsBroadcastAddress, {kStrGatewayIpIsBroadcastAddress, {}}},
    {kGatewayOutsideNmeAndUge, {kStrGatewayOutsideNmeAndUge, {}}},
    {kGatewayInCascadedSubnet, {kStrGatewayInCascadedSubnet, {D::kRootIpId}}},
    {kNmeIpEqualsUgeIp, {kStrNmeIpEqualsUgeIp, {}}},
    {kNmeIpEqualsRootIp, {kStrNmeIpEqualsRootIp, {D::kRootIpId}}},
    {kNmeIpEqualsGateway, {kStrNmeIpEqualsGateway, {}}},
    {kUgeIpEqualsRootIp, {kStrUgeIpEqualsRootIp, {D::kRootIpId}}},
    {kUgeIpEqualsGateway, {kStrUgeIpEqualsGateway, {}}},
    {kRootIpEqualsGateway, {kStrRootIpEqualsGateway, {D::kRootIpId}}},
    {kNmeSubnetEqualsUgeSubnet, {kStrNmeSubnetEqualsUgeSubnet, {}}},
    {kNmeSubnetEqualsCascadedSubnet, {kStrNmeSubnetEqualsCascadedSubnet, {D::kPrefixId}}},
    {kUgeSubnetEqualsCascadedSubnet, {kStrUgeSubnetEqualsCascadedSubnet, {D::kPrefixId}}},
};

} // namespace

std::optional<CascadedIpAlert> CascadedIpAlertOf(int result)
{
    for (const AlertRow& row : kAlerts) {
        if (row.result == result)
            return row.alert;
    }
    return std::nullopt;
}

CCascadedMgmtDlg::CCascadedMgmtDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CCascadedMgmtDlg>())
{
    ui_->setupUi(this);
}

CCascadedMgmtDlg::~CCascadedMgmtDlg() = default;

void CCascadedMgmtDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Radio(dx, {kEnabledId, kDisabledId}, state_);
    DDX_Radio(dx, {kRootId, kRemoteId}, role_);
    DDX_Radio(dx, {kSntpEnabledId, kSntpDisabledId}, sntp_);
    DDX_Text(dx, kPrefixId, prefix_);
}

void CCascadedMgmtDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightCascadedManagement) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    IpAddressEdit* rootIp = GetDlgItemAs<IpAddressEdit>(kRootIpId);
    if (rootIp != nullptr)
        rootIp->SetAddress({});
    const RecordReply<CascadedMgmtRecord> reply = CRecordRequests().Query<CascadedMgmtRecord>(
        kReqCascadedMgmt, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (reply.Ok() && !reply.records.empty()) {
        const CascadedMgmtRecord& rec = reply.records.front();
        state_ = rec.state == kEnabled ? 0 : 1;
        role_ = rec.role == kRoot ? 0 : 1;
        sntp_ = rec.sntpService == kEnabled ? 0 : 1;
        prefix_ = QString::number(NetmaskToPrefixLength(rec.subnetMask));
        if (rootIp != nullptr)
            rootIp->SetAddress(rec.rootIp);
    }
    UpdateData(false);
    OnRoleChanged();
}

void CCascadedMgmtDlg::OnRoleChanged()
{
    const auto* root = GetDlgItemAs<QAbstractButton>(kRootId);
    EnableControls({kRootIpId, kPrefixId, kPrefixSpinId}, root != nullptr && root->isChecked());
}

int CCascadedMgmtDlg::OnCommandHook(int id, int code)
{
    if ((id == kRootId || id == kRemoteId) && code == BN_CLICKED) {
        OnRoleChanged();
        return 1;
    }
    return 0;
}

int CCascadedMgmtDlg::OnNotifyHook(const NotifyHeader& header, int* /*result*/)
{
    if (header.idFrom != kPrefixSpinId || header.code != UDN_DELTAPOS)
        return 0;
    StepNumberEdit(GetDlgItemAs<QLineEdit>(kPrefixId), header.delta, kMinPrefix, kMaxPrefix);
    return 1;
}

bool CCascadedMgmtDlg::CheckRootAddress(const IpAddress& rootIp, uint32_t prefix)
{
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    const CRecordRequests requests;
    // The root's own address is the one being changed: it is no conflict.
    switch (CheckNeIpConflict(rootIp, kConflictSkipCascadedRoot, neId, kStrFailToQuery, requests)) {
    case NeIpConflict::kConflict:
        ShowAlertTextById(kStrIpAddressReserved, kRootIpId);
        return false;
    case NeIpConflict::kFree:
        break;
    }
    const RecordReply<NeNetworkConfigRec> own =
        requests.Query<NeNetworkConfigRec>(kReqNeNetworkConfig, neId, {.failureTextId = kStrFailToQuery});
    if (!own.Ok() || own.records.empty())
        return false;
    const NeNetworkConfigRec& network = own.records.front();
    const IpAddress mask = PrefixLengthToNetmask(prefix);
    const int result =
        ValidateNeIpInterfaces(network.nmeIp.data(), network.nmeMask.data(), network.ugeIp.data(),
                               network.ugeMask.data(), rootIp.data(), mask.data(), network.gateway.data());
    if (const std::optional<CascadedIpAlert> alert = CascadedIpAlertOf(result)) {
        ShowAlertTextById(alert->stringId, alert->fields[0], 0, alert->fields[1]);
        return false;
    }
    return true;
}

void CCascadedMgmtDlg::OnOK()
{
    // The setting is the NE's to change: an operator who may only look does not.
    if (CheckTargetNe() != 0 || CheckRight(kRightCascadedManagement, 'm') != 0 || !UpdateDialogData())
        return;
    const IpAddressEdit* edit = GetDlgItemAs<IpAddressEdit>(kRootIpId);
    IpAddress rootIp{};
    if (edit != nullptr)
        edit->GetAddress(rootIp);
    uint32_t prefix = 0;
    CDataExchange range(*this, true);
    DDX_TextInRange(range, *this, kPrefixId, prefix, 0, std::numeric_limits<uint32_t>::max());
    if (range.Failed())
        return;
    // Whatever the state and role, the root's address and subnet are checked before they are sent.
    if (edit == nullptr || edit->IsBlank()) {
        ShowAlertTextById(kStrIncorrectIpAddress, kRootIpId);
        return;
    }
    if (!CheckRootAddress(rootIp, prefix))
        return;
    CascadedMgmtRecord rec;
    rec.state = state_ == 0 ? kEnabled : kDisabled;
    rec.role = role_ == 0 ? kRoot : kRemote;
    rec.rootIp = rootIp;
    rec.subnetMask = PrefixLengthToNetmask(prefix);
    rec.sntpService = sntp_ == 0 ? kEnabled : kDisabled;
    const RecordReply<CascadedMgmtRecord> reply =
        CRecordRequests().Modify(kReqCascadedMgmt, static_cast<uint32_t>(GetNeId()), rec, {.failureTextId = 0});
    if (reply.Ok()) {
        EndDialog(IDOK);
        return;
    }
    // A refusal may name its reason in the record it returns; a failure with no reply has none.
    const bool reserved = !reply.records.empty() && reply.records.front().role == kAddressReserved;
    ShowAlertTextById(reserved ? kStrIpAddressReserved : kStrFailToUpdateData, reserved ? kRootIpId : 0);
}
