#include "features/management/accounts/user_data_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/account_list.h"
#include "core/tables/app_data.h"
#include "core/tables/user_account.h"
#include "core/util/names.h"
#include "features/management/common/name_chars.h"
#include "features/management/common/server_combos.h"
#include "link/record_requests.h"
#include "link/records/user_account_record.h"
#include "ui/framework/dialogs/typed_name_check.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_user_data_dlg.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace {

// The record has room for an address of 62 characters; the operator types at most 60.
constexpr size_t kAddressLimitWidth = 61;

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

CUserDataDlg::CUserDataDlg(QWidget* parent) : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CUserDataDlg>())
{
    ui_->setupUi(this);
}

CUserDataDlg::~CUserDataDlg() = default;

void CUserDataDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kNameId, name_);
    DDX_Text(dx, kPasswordId, password_);
    DDX_Text(dx, kVerificationId, verification_);
    DDX_Text(dx, kFullNameId, fullName_);
    DDX_Text(dx, kTelephoneId, telephone_);
    DDX_Text(dx, kDivisionId, division_);
    DDX_Text(dx, kAddressId, address_);
    DDX_Text(dx, kCommentId, comment_);
}

void CUserDataDlg::InitData()
{
    if (EndWithoutServer(*this))
        return;
    if (CheckAccessRightOrClose(kRightMembers) != 0)
        return;
    if (!IsCreating() && CheckTargetUserOrClose() != 0)
        return;
    auto* locations = GetDlgItemAs<QComboBox>(kLocationComboId);
    if (locations != nullptr)
        locations->view()->setMinimumWidth(locations->width() * 2);
    const CUserAccount* account = IsCreating() ? nullptr : FindUserAccount(GetUserName());
    EnableControl(IDOK, GetAccessMode() != kAccessQuery);
    SetControlReadOnly(kNameId, !IsCreating());

    const std::string& me = AppData().GetLoginUserName();
    if (account != nullptr && !MayManageAccount(AppData().role, me, account->role, account->name)) {
        ShowAlertTextById(kStrNoPrivilege);
        EndDialog(IDCANCEL);
        return;
    }

    const std::pair<int, size_t> widths[] = {
        {kNameId, kUserAccountNameWidth},           {kPasswordId, kUserAccountDigestWidth},
        {kVerificationId, kUserAccountDigestWidth}, {kFullNameId, kUserAccountTextWidth},
        {kTelephoneId, kUserAccountTextWidth},      {kDivisionId, kUserAccountTextWidth},
        {kAddressId, kAddressLimitWidth},     {kCommentId, kUserAccountCommentWidth},
    };
    for (const auto& [id, width] : widths)
        LimitTextToField(id, width);

    locationId_ = static_cast<uint32_t>(GetLocationId());
    if (account != nullptr) {
        name_ = Text(account->name);
        // The digest stands in both password boxes, which never show their text.
        loadedDigest_ = account->passwordDigest;
        password_ = verification_ = Text(loadedDigest_);
        fullName_ = Text(account->fullName);
        telephone_ = Text(account->telephone);
        division_ = Text(account->division);
        address_ = Text(account->address);
        comment_ = Text(account->comment);
        locationId_ = account->locationId;
        role_ = account->role;
    }
    FillOwnLocationCombo(locations, locationId_);
    if (account != nullptr)
        UpdateCaption(kCaptionUser);
    else
        UpdateCaption(kCaptionNew);
    ShowRoles(account != nullptr && CompareNames(me, account->name) == 0);
    UpdateData(false);
}

void CUserDataDlg::ShowRoles(bool ownAccount)
{
    for (const RoleControl& control : RoleControls()) {
        auto* radio = GetDlgItemAs<QAbstractButton>(control.radio);
        if (radio == nullptr)
            continue;
        radio->setEnabled(MayGiveRole(AppData().role, control.role, ownAccount));
        radio->setChecked(control.role == role_);
    }
}

int CUserDataDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return 0;
    for (const RoleControl& control : RoleControls()) {
        if (id == control.radio) {
            role_ = control.role;
            return 1;
        }
    }
    return 0;
}

bool CUserDataDlg::RefuseBadCharacter(int id, int position)
{
    if (position < 0)
        return false;
    ShowAlertTextById(kStrValidNameCharacters, id);
    if (auto* edit = GetDlgItemAs<QLineEdit>(id))
        edit->setSelection(position, 1);
    return true;
}

void CUserDataDlg::OnOK()
{
    if (GetAccessMode() == kAccessQuery || !UpdateDialogData())
        return;
    const QString name = name_.trimmed();
    if (name.isEmpty()) {
        ShowAlertTextById(kStrDataIsBlank, kNameId);
        return;
    }
    // The trimmed name is checked; the bad character is selected where it stands in the box.
    if (IsCreating()) {
        const std::optional<TypedNameRefusal> refused = CheckTypedName(name_);
        if (refused && RefuseBadCharacter(kNameId, refused->position))
            return;
    }
    if (RefuseBadCharacter(kPasswordId, FirstBadNameChar(password_)))
        return;
    if (password_ != verification_) {
        ShowAlertTextById(kStrDataInconsistent, kVerificationId);
        return;
    }

    UserAccountRecord record;
    record.name = name.toStdString();
    const std::string password = password_.toStdString();
    record.passwordDigest = IsCreating() || password != loadedDigest_ ? PasswordDigestText(password) : loadedDigest_;
    record.fullName = fullName_.toStdString();
    record.telephone = telephone_.toStdString();
    record.division = division_.toStdString();
    record.address = address_.toStdString();
    record.locationId = ComboItemData(GetDlgItemAs<QComboBox>(kLocationComboId));
    record.roleLetter = RoleLetterFromIndex(role_);
    record.comment = comment_.toStdString();

    const CRecordRequests requests;
    const RequestOutcome sent =
        IsCreating() ? requests.Add(kReqUserAccount, 0, record, {.failureTextId = kStrAddingNewDataFailed})
                     : requests.Modify(kReqUserAccount, 0, record, {.failureTextId = kStrFailToUpdateData});
    if (!sent.Ok())
        return;
    SetUserName(record.name.c_str());
    SetLocationId(static_cast<int>(record.locationId));
    EndDialog(IDOK);
}

void CUserDataDlg::DrawExtras(Dc& dc)
{
    CADialog::DrawExtras(dc);
    DrawRolePictures(dc, *this);
}
