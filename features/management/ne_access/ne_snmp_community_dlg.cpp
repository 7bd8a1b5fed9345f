#include "features/management/ne_access/ne_snmp_community_dlg.h"

#include "core/tables/access_rights.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/typed_name_check.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_snmp_community_dlg.h"

#include <QLineEdit>

namespace {

constexpr uint32_t kReadOnly = 1;
constexpr uint32_t kInService = 1;

} // namespace

CNeSnmpCommunityDlg::CNeSnmpCommunityDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeSnmpCommunityDlg>())
{
    ui_->setupUi(this);
}

CNeSnmpCommunityDlg::~CNeSnmpCommunityDlg() = default;

void CNeSnmpCommunityDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kCommunityId, name_);
    DDX_CBIndex(dx, kPermissionComboId, permission_);
}

void CNeSnmpCommunityDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeSnmpCommunities) != 0 || CheckTargetNeOrClose() != 0)
        return;
    if (auto* edit = GetDlgItemAs<QLineEdit>(kCommunityId))
        edit->setMaxLength(kCommunityMax);
    LimitTextToField(kCommunityId, kNeSnmpCommunityNameWidth);
    if (Creating()) {
        UpdateCaption(kCaptionNe | kCaptionNew);
    } else {
        SetControlReadOnly(kCommunityId);
        name_ = QString::fromStdString(community_.community);
        permission_ = community_.permission == kNeAccessReadWrite ? 1 : 0;
        UpdateCaption(kCaptionNe);
    }
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    UpdateData(false);
}

void CNeSnmpCommunityDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    const CRecordRequests requests;
    if (Creating()) {
        const CountReply room = requests.QueryCount(kReqNeSnmpCommunityCount, neId, {.failureTextId = kStrFailToQuery});
        if (!room.Ok())
            return;
        if (!room.count || *room.count >= kMaxCommunities) {
            ShowAlertTextById(room.count ? kStrNeSnmpTableFull : kStrFailToQuery);
            return;
        }
    }
    if (const std::optional<TypedNameRefusal> refused = CheckTypedName(name_)) {
        ShowAlertTextById(refused->stringId, kCommunityId);
        SelectTypedNameFault(*this, kCommunityId, *refused);
        return;
    }
    NeSnmpCommunityRecord community;
    community.community = name_.trimmed().toStdString();
    community.permission = permission_ == 1 ? kNeAccessReadWrite : kReadOnly;
    community.state = kInService;
    const RequestOutcome sent =
        Creating() ? requests.Add(kReqNeSnmpCommunity, neId, community, {.failureTextId = kStrAddingNewDataFailed})
                   : requests.Modify(kReqNeSnmpCommunity, neId, community, {.failureTextId = kStrFailToUpdateData});
    if (!sent.Ok())
        return;
    community_ = community;
    EndDialog(IDOK);
}
