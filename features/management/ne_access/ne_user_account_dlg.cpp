#include "features/management/ne_access/ne_user_account_dlg.h"

#include "core/tables/access_rights.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/typed_name_check.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_user_account_dlg.h"

#include <QLineEdit>

namespace {

constexpr uint32_t kNeUserGuest = 1;
constexpr uint32_t kInService = 1;

} // namespace

CNeUserAccountDlg::CNeUserAccountDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeUserAccountDlg>())
{
    ui_->setupUi(this);
    SetAccessMode(kAccessModify);
}

CNeUserAccountDlg::~CNeUserAccountDlg() = default;

void CNeUserAccountDlg::SetAccount(const NeUserAccountRecord& account, bool roleEditable)
{
    account_ = account;
    roleEditable_ = roleEditable;
}

void CNeUserAccountDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kNameId, name_);
    DDX_Text(dx, kPasswordId, password_);
    DDX_Text(dx, kVerificationId, verification_);
    DDX_Radio(dx, {kAdministratorId, kGuestId}, role_);
}

void CNeUserAccountDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeUserAccounts) != 0 || CheckTargetNeOrClose() != 0)
        return;
    for (const int id : {kNameId, kPasswordId, kVerificationId}) {
        if (auto* edit = GetDlgItemAs<QLineEdit>(id))
            edit->setMaxLength(kTextMax);
    }
    LimitTextToField(kNameId, kNeUserNameWidth);
    LimitTextToField(kPasswordId, kNeUserPasswordWidth);
    LimitTextToField(kVerificationId, kNeUserPasswordWidth);
    if (Creating()) {
        UpdateCaption(kCaptionNe | kCaptionNew);
    } else {
        SetControlReadOnly(kNameId);
        name_ = QString::fromStdString(account_.userName);
        role_ = account_.role == kNeUserLevelAdministrator ? 0 : 1;
        EnableControls({kAdministratorId, kGuestId}, roleEditable_);
        UpdateCaption(kCaptionNe);
    }
    UpdateData(false);
}

bool CNeUserAccountDlg::HasRoom()
{
    const CountReply room = CRecordRequests().QueryCount(kReqNeUserAccountCount, static_cast<uint32_t>(GetNeId()),
                                                         {.failureTextId = kStrFailToQuery});
    if (!room.Ok())
        return false;
    if (!room.count) {
        ShowAlertTextById(kStrFailToQuery);
        return false;
    }
    // The NE's count is compared with its limit as it stands: only a count above it leaves no room.
    if (*room.count > kMaxAccounts) {
        ShowAlertTextById(kStrNeAccountTableFull);
        return false;
    }
    return true;
}

void CNeUserAccountDlg::OnOK()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    if (Creating() && !HasRoom())
        return;
    const auto refuse = [this](const TypedNameRefusal& refused, int id) {
        ShowAlertTextById(refused.stringId, id);
        SelectTypedNameFault(*this, id, refused);
    };
    const QString name = name_.trimmed();
    if (name.isEmpty()) {
        ShowAlertTextById(kStrDataIsBlank, kNameId);
        return;
    }
    // The default account is the NE's own: it is neither added nor changed here.
    if (name == QLatin1String(kNeDefaultAccount)) {
        ShowAlertTextById(kStrDefaultUserExists, kNameId);
        return;
    }
    if (const std::optional<TypedNameRefusal> refused = CheckTypedName(name_)) {
        refuse(*refused, kNameId);
        return;
    }
    if (const std::optional<TypedNameRefusal> refused = CheckTypedName(password_)) {
        refuse(*refused, kPasswordId);
        return;
    }
    if (password_.trimmed() != verification_) {
        ShowAlertTextById(kStrDataInconsistent, kPasswordId, 0, kVerificationId);
        return;
    }
    NeUserAccountRecord account;
    account.userName = name.toStdString();
    account.password = password_.trimmed().toStdString();
    account.role = role_ == 0 ? kNeUserLevelAdministrator : kNeUserGuest;
    account.state = kInService;
    const CRecordRequests requests;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    const RequestOutcome sent =
        Creating() ? requests.Add(kReqNeUserAccount, neId, account, {.failureTextId = kStrFailToUpdateData})
                   : requests.Modify(kReqNeUserAccount, neId, account, {.failureTextId = kStrFailToUpdateData});
    if (!sent.Ok())
        return;
    account_ = account;
    EndDialog(IDOK);
}
