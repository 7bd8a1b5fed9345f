#include "features/management/ne_access/ne_snmp_manager_dlg.h"

#include "core/tables/access_rights.h"
#include "features/management/ne_access/manager_address_check.h"
#include "link/record_requests.h"
#include "platform/ip_address_edit.h"
#include "ui/framework/dialogs/typed_name_check.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_snmp_manager_dlg.h"

#include <QLineEdit>

namespace {

constexpr uint32_t kTrapV2c = 1;
constexpr uint32_t kTrapV1 = 0;
constexpr uint32_t kInService = 1;

} // namespace

CNeSnmpManagerDlg::CNeSnmpManagerDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeSnmpManagerDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessCreate);
}

CNeSnmpManagerDlg::~CNeSnmpManagerDlg() = default;

void CNeSnmpManagerDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kCommunityId, community_);
    DDX_CBIndex(dx, kVersionComboId, version_);
}

void CNeSnmpManagerDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeSnmpManagers) != 0 || CheckTargetNeOrClose() != 0)
        return;
    if (auto* edit = GetDlgItemAs<QLineEdit>(kCommunityId))
        edit->setMaxLength(kCommunityMax);
    LimitTextToField(kCommunityId, kNeSnmpManagerCommunityWidth);
    if (IpAddressEdit* address = GetDlgItemAs<IpAddressEdit>(kAddressId))
        address->ClearAddress();
    UpdateCaption(kCaptionNe | kCaptionNew);
    UpdateData(false);
}

void CNeSnmpManagerDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    const CRecordRequests requests;
    const CountReply room = requests.QueryCount(kReqNeSnmpManagerCount, neId, {.failureTextId = kStrFailToQuery});
    if (!room.Ok())
        return;
    if (!room.count || *room.count >= kMaxManagers) {
        ShowAlertTextById(room.count ? kStrNeSnmpTableFull : kStrFailToQuery);
        return;
    }
    IpAddressEdit* edit = GetDlgItemAs<IpAddressEdit>(kAddressId);
    IpAddress address{};
    if (edit != nullptr)
        edit->GetAddress(address);
    switch (CheckManagerAddress(edit == nullptr || edit->IsBlank(), address, neId, kStrFailToQuery, requests)) {
    case ManagerAddressVerdict::kIncorrect:
        ShowAlertTextById(kStrIncorrectIpAddress, kAddressId);
        return;
    case ManagerAddressVerdict::kReserved:
        ShowAlertTextById(kStrIpAddressReserved, kAddressId);
        return;
    case ManagerAddressVerdict::kAccepted:
        break;
    }
    if (const std::optional<TypedNameRefusal> refused = CheckTypedName(community_)) {
        ShowAlertTextById(refused->stringId, kCommunityId);
        SelectTypedNameFault(*this, kCommunityId, *refused);
        return;
    }
    NeSnmpManagerRecord manager;
    manager.ipAddress = address;
    manager.trapCommunity = community_.trimmed().toStdString();
    manager.trapVersion = version_ == 0 ? kTrapV2c : kTrapV1;
    manager.state = kInService;
    if (!requests.Add(kReqNeSnmpManager, neId, manager, {.failureTextId = kStrAddingNewDataFailed}).Ok())
        return;
    manager_ = manager;
    EndDialog(IDOK);
}
