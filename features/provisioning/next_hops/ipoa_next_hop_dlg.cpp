#include "features/provisioning/next_hops/ipoa_next_hop_dlg.h"

#include "core/tables/access_rights.h"
#include "core/util/ip_address.h"
#include "link/ne_ip_conflict.h"
#include "link/record_requests.h"
#include "platform/ip_address_edit.h"
#include "ui/framework/dialogs/dialog_request.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/dialogs/typed_name_check.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ipoa_next_hop_dlg.h"

#include <QLineEdit>

#include <algorithm>

namespace {

constexpr uint32_t kMinVlan = 1;
constexpr uint32_t kMaxVlan = 4094;
constexpr int kMostNameCharacters = 32;
constexpr uint32_t kActive = 1;
constexpr uint32_t kConflictChecks = 0xF4; // the DNS servers, cascaded root, managers and time servers

} // namespace

CIpoaNextHopDlg::CIpoaNextHopDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CIpoaNextHopDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
}

CIpoaNextHopDlg::~CIpoaNextHopDlg() = default;

void CIpoaNextHopDlg::ApplyOpenerFields(const DialogRequest& request)
{
    if (!request.recordName.empty())
        SetName(request.recordName);
}

void CIpoaNextHopDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kNameId, name_);
    DDX_TextInRange(dx, *this, kVlanId, vlanId_, kMinVlan, kMaxVlan);
}

void CIpoaNextHopDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightIpoaNextHops) != 0 || CheckTargetNeOrClose() != 0)
        return;
    ui_->nameEdit->setMaxLength(kMostNameCharacters);
    ui_->ipEdit->SetAddress({0, 0, 0, 0});
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    SetControlReadOnly(kNameId, GetAccessMode() != kAccessCreate);
    UpdateCaption(kCaptionNe | kCaptionLocation);
    name_ = QString::fromStdString(nextHop_.name);
    if (GetAccessMode() != kAccessCreate) {
        const RecordReply<NextHopRec> reply = CRecordRequests().Query<NextHopRec>(
            kReqNextHop, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
        const auto held = std::find_if(reply.records.begin(), reply.records.end(),
                                       [&](const NextHopRec& rec) { return rec.name == nextHop_.name; });
        if (!reply.Ok() || held == reply.records.end()) {
            if (reply.Ok())
                ShowAlertTextById(kStrNoData);
            EndDialog(IDCANCEL);
            return;
        }
        nextHop_ = *held;
        ui_->ipEdit->SetAddress(held->address);
        vlanId_ = std::clamp<uint32_t>(held->vlanId, kMinVlan, kMaxVlan);
    }
    UpdateData(false);
}

int CIpoaNextHopDlg::OnNotifyHook(const NotifyHeader& header, int* result)
{
    if (header.code == UDN_DELTAPOS && header.idFrom == kVlanSpinId) {
        StepNumberEdit(GetDlgItemAs<QLineEdit>(kVlanId), header.delta, kMinVlan, kMaxVlan);
        return 1;
    }
    return CADialog::OnNotifyHook(header, result);
}

bool CIpoaNextHopDlg::AddressAllowed(const IpAddress& address, const std::string& name)
{
    const auto neId = static_cast<uint32_t>(GetNeId());
    if (ui_->ipEdit->IsBlank() || IpToUInt32(address) == 0 || !IsValidHostIpAddress(address, 0)) {
        ShowAlertTextById(kStrIncorrectIpAddress, kIpAddressId);
        return false;
    }
    switch (CheckNeIpConflict(address, kConflictChecks, neId, kStrFailToQuery)) {
    case NeIpConflict::kConflict:
        ShowAlertTextById(kStrIpAddressReserved, kIpAddressId);
        return false;
    case NeIpConflict::kFree:
        break;
    }
    const RecordReply<NextHopRec> others =
        CRecordRequests().Query<NextHopRec>(kReqNextHop, neId, {.failureTextId = kStrFailToQuery});
    if (!others.Ok())
        return false;
    for (const NextHopRec& other : others.records) {
        if (other.name != name && other.address == address) {
            ShowAlertTextById(kStrIpAddressReserved, kIpAddressId);
            return false;
        }
    }
    return true;
}

void CIpoaNextHopDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    const CRecordRequests requests;
    const auto neId = static_cast<uint32_t>(GetNeId());
    const bool adding = GetAccessMode() == kAccessCreate;
    // A full table refuses a change of one of its next hops as well as an add.
    const CountReply count = requests.QueryCount(kReqNextHopCount, neId, {.failureTextId = kStrFailToQuery});
    if (!count.Ok())
        return;
    if (count.count.value_or(0) >= kMostNextHops) {
        ShowAlertTextById(kStrTableFullOfFour);
        return;
    }
    const QString name = name_.trimmed();
    if (name.isEmpty()) {
        ShowAlertTextById(kStrDataIsBlank, kNameId);
        return;
    }
    if (adding) {
        if (const std::optional<TypedNameRefusal> refused = CheckTypedName(name_)) {
            ShowAlertTextById(refused->stringId, kNameId);
            SelectTypedNameFault(*this, kNameId, *refused);
            return;
        }
    }
    IpAddress address{};
    ui_->ipEdit->GetAddress(address);
    NextHopRec written;
    written.name = adding ? name.toStdString() : nextHop_.name;
    if (!AddressAllowed(address, written.name))
        return;
    written.address = address;
    written.vlanId = static_cast<uint16_t>(vlanId_);
    written.mac = nextHop_.mac;
    written.state = kActive;
    const RequestOptions options{.failureTextId = kStrFailToUpdateData};
    const bool ok = adding ? requests.Add(kReqNextHop, neId, written, options).Ok()
                           : requests.Modify(kReqNextHop, neId, written, options).Ok();
    if (!ok)
        return;
    nextHop_ = written;
    EndDialog(IDOK);
}
