#include "features/management/cascaded/remote_ne_dlg.h"

#include "core/tables/access_rights.h"
#include "link/ne_ip_conflict.h"
#include "link/record_requests.h"
#include "platform/ip_address_edit.h"
#include "ui/framework/dialogs/typed_name_check.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_remote_ne_dlg.h"

#include <QLineEdit>

namespace {

constexpr uint32_t kEnabled = 1;
constexpr uint32_t kDisabled = 2;
constexpr int kCommunityMax = 20;
constexpr int kLoginMax = 16;
constexpr int kNoteMax = 25;

} // namespace

CRemoteNeDlg::CRemoteNeDlg(QWidget* parent) : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CRemoteNeDlg>())
{
    ui_->setupUi(this);
}

CRemoteNeDlg::~CRemoteNeDlg() = default;

void CRemoteNeDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdId, id_);
    DDX_Radio(dx, {kEnabledId, kDisabledId}, state_);
    DDX_Text(dx, kCommunityId, community_);
    DDX_Text(dx, kUserId, user_);
    DDX_Text(dx, kPasswordId, password_);
    DDX_Text(dx, kNoteId, note_);
}

void CRemoteNeDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightRemoteNes) != 0 || CheckTargetNeOrClose() != 0)
        return;
    for (const auto& [id, max, width] :
         {std::tuple{kCommunityId, kCommunityMax, kRemoteNeCommunityWidth},
          std::tuple{kUserId, kLoginMax, kRemoteNeLoginWidth}, std::tuple{kPasswordId, kLoginMax, kRemoteNeLoginWidth},
          std::tuple{kNoteId, kNoteMax, kRemoteNeNoteWidth}}) {
        if (auto* edit = GetDlgItemAs<QLineEdit>(id))
            edit->setMaxLength(max);
        LimitTextToField(id, width);
    }
    IpAddressEdit* address = GetDlgItemAs<IpAddressEdit>(kIpAddressId);
    if (address != nullptr)
        address->ClearAddress();
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    SetControlReadOnly(kIdId, !Adding());
    UpdateCaption(Adding() ? kCaptionNe | kCaptionNew : kCaptionNe);
    if (!Adding()) {
        const RecordReply<RemoteNeRecord> reply = CRecordRequests().Query<RemoteNeRecord>(
            kReqRemoteNe, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
        for (const RemoteNeRecord& rec : reply.records) {
            if (rec.remoteNeId != shownId_)
                continue;
            remote_ = rec;
            id_ = QString::number(rec.remoteNeId);
            state_ = rec.state == kEnabled ? 0 : 1;
            community_ = QString::fromStdString(rec.community);
            user_ = QString::fromStdString(rec.loginUser);
            password_ = QString::fromStdString(rec.loginPassword);
            note_ = QString::fromStdString(rec.note);
            if (address != nullptr)
                address->SetAddress(rec.ipAddress);
        }
    }
    UpdateData(false);
}

bool CRemoteNeDlg::HasRoom()
{
    const CountReply room = CRecordRequests().QueryCount(kReqRemoteNeCount, static_cast<uint32_t>(GetNeId()),
                                                         {.failureTextId = kStrFailToQuery});
    if (!room.Ok() || !room.count)
        return false;
    if (*room.count >= kMaxRemoteNes) {
        ShowAlertTextById(kStrRemoteNeTableFull);
        return false;
    }
    return true;
}

bool CRemoteNeDlg::CheckAddress(IpAddress* address)
{
    const IpAddressEdit* edit = GetDlgItemAs<IpAddressEdit>(kIpAddressId);
    if (edit != nullptr)
        edit->GetAddress(*address);
    if (edit == nullptr || edit->IsBlank() || IsZeroIpAddress(*address) ||
        !IsValidHostIpAddress(*address, kHostIpAllowZero)) {
        ShowAlertTextById(kStrIncorrectIpAddress, kIpAddressId);
        return false;
    }
    switch (CheckNeIpConflict(*address, 0, static_cast<uint32_t>(GetNeId()), kStrFailToQuery)) {
    case NeIpConflict::kConflict:
        ShowAlertTextById(kStrIpAddressReserved, kIpAddressId);
        return false;
    case NeIpConflict::kFree:
        return true;
    }
    return false;
}

bool CRemoteNeDlg::CheckTexts()
{
    for (const auto& [id, text] :
         {std::pair{kCommunityId, &community_}, std::pair{kUserId, &user_}, std::pair{kPasswordId, &password_}}) {
        if (const std::optional<TypedNameRefusal> refused = CheckTypedName(*text)) {
            ShowAlertTextById(refused->stringId, id);
            SelectTypedNameFault(*this, id, *refused);
            return false;
        }
    }
    return true;
}

void CRemoteNeDlg::OnOK()
{
    if (GetAccessMode() == kAccessQuery || CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    if (Adding() && !HasRoom())
        return;
    bool numeric = false;
    const qulonglong id = id_.trimmed().toULongLong(&numeric);
    if (!numeric || id < 1 || id > kMaxId) {
        ShowAlertTextById(kStrRemoteNeIdRange, kIdId);
        return;
    }
    IpAddress address{};
    if (!CheckAddress(&address) || !CheckTexts())
        return;
    RemoteNeRecord rec;
    rec.remoteNeId = static_cast<uint32_t>(id);
    rec.ipAddress = address;
    rec.note = note_.toStdString();
    rec.community = community_.trimmed().toStdString();
    rec.loginUser = user_.trimmed().toStdString();
    rec.loginPassword = password_.trimmed().toStdString();
    rec.state = state_ == 0 ? kEnabled : kDisabled;
    const CRecordRequests requests;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    const RequestOutcome sent = Adding()
                                    ? requests.Add(kReqRemoteNe, neId, rec, {.failureTextId = kStrFailToUpdateData})
                                    : requests.Modify(kReqRemoteNe, neId, rec, {.failureTextId = kStrFailToUpdateData});
    if (!sent.Ok())
        return;
    remote_ = rec;
    EndDialog(IDOK);
}
