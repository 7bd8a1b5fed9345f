#include "features/management/accounts/user_list_dlg.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/tables/access_rights.h"
#include "core/tables/account_list.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_enumeration.h"
#include "core/tables/location_tree.h"
#include "core/util/names.h"
#include "features/management/accounts/user_data_dlg.h"
#include "features/management/common/server_combos.h"
#include "link/record_requests.h"
#include "link/records/user_account_record.h"
#include "ui/framework/dialogs/dialog_environment.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_user_list_dlg.h"

namespace {

constexpr char kUserOpLogCriteriaDlg[] = "CUserOpLogCriteriaDlg";
// Show, Modify and Delete answer "Please select one item" without a row; their menu entries, and Operation Log's,
// are greyed.
constexpr RowCommand kRowShowEntry{0, kPopupShow};
constexpr RowCommand kRowModifyEntry{0, kPopupModify};
constexpr RowCommand kRowDeleteEntry{0, kPopupDelete};
constexpr RowCommand kRowOperationLog{0, CUserListDlg::kPopupOperationLog};

// The location's name, the root's when the account's location is not in the tree.
ListValue LocationName(const CUserAccount& account)
{
    const CLocationNode* node = FindLocation(account.locationId);
    return node != nullptr ? node->name : AppData().locations.Root().name;
}

// No., Name, Location, Full Name, Telephone, Division, Address, Comment; No. sorts by role.
std::vector<ListColumn<CUserAccount>> AccountColumns()
{
    return {
        {.order = ListOrder::kSigned,
         .sortValue = [](const CUserAccount& account) { return ListValue(account.role); },
         .image = [](const CUserAccount& account) { return RoleImage(account.role); }},
        {.value = &CUserAccount::name, .order = ListOrder::kText},
        {.value = LocationName, .order = ListOrder::kText},
        {.value = &CUserAccount::fullName, .order = ListOrder::kText},
        {.value = &CUserAccount::telephone, .order = ListOrder::kText},
        {.value = &CUserAccount::division, .order = ListOrder::kText},
        {.value = &CUserAccount::address, .order = ListOrder::kText},
        {.value = &CUserAccount::comment, .order = ListOrder::kText},
    };
}

} // namespace

int RoleImage(int role)
{
    switch (role) {
    case kRoleAdministrator:
        return kImageRoleAdministrator;
    case kRoleManager:
        return kImageRoleManager;
    case kRoleUser:
        return kImageRoleUser;
    default:
        return kImageRoleUnknown;
    }
}

void SetRoleRowColors(CADialog& dialog)
{
    constexpr COLORREF kWhite = 0xFFFFFF;
    dialog.SetRowColorMode(kRowColorsByImage);
    dialog.SetRowColors({{kImageRoleAdministrator, TreeTextColor(kImageRoleAdministrator), kWhite},
                         {kImageRoleManager, TreeTextColor(kImageRoleManager), kWhite},
                         {kImageRoleUser, TreeTextColor(kImageRoleUser), kWhite},
                         {kImageRoleUnknown, TreeTextColor(kImageRoleUnknown), kWhite}});
}

CUserListDlg::CUserListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "USER_LIST",
                      .rowCommands = {kRowShowEntry, kRowModifyEntry, kRowDeleteEntry, kRowOperationLog},
                      .activateCommand = kShowButtonId,
                      .right = kRightMembers,
                      .exportStem = "User"},
                     parent),
      ui_(std::make_unique<Ui::CUserListDlg>()),
      rows_(
          *this, AccountColumns(), [this](uint32_t key) { return AccountOfRow(key); },
          [this] { return ListedAccounts(); })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    rows_.SetTies(ListTies::kArrival);
}

CUserListDlg::~CUserListDlg() = default;

void CUserListDlg::InitData()
{
    if (EndWithoutServer(*this))
        return;
    if (CheckAccessRightOrClose(kRightMembers) != 0)
        return;
    UpdateCaption(kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsUserList);
    SetRoleRowColors(*this);
    FillList();
}

std::vector<uint32_t> CUserListDlg::ListedAccounts()
{
    names_.clear();
    std::vector<uint32_t> keys;
    const bool withSubLocations = ReadIniBool("DIALOG", "USERLISTINCLSUBUSER", true, ConfigFilePath());
    const auto locationId = static_cast<uint32_t>(GetLocationId());
    for (const CUserAccount* account = FindUserAccount(nullptr); account != nullptr; account = account->GetNext()) {
        if (AccountMatchesLocation(account, FindLocation(account->locationId), locationId, withSubLocations ? 1 : 0) ==
            0)
            continue;
        keys.push_back(static_cast<uint32_t>(names_.size()));
        names_.push_back(account->name);
    }
    return keys;
}

const CUserAccount* CUserListDlg::AccountOfRow(uint32_t key) const
{
    return key < names_.size() ? FindUserAccount(names_[key]) : nullptr;
}

int CUserListDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && (id == kOperationLogButtonId || id == kPopupOperationLog)) {
        OpenOperationLog();
        return 1;
    }
    return 0;
}

void CUserListDlg::OnShowRecord(uint32_t row)
{
    CUserDataDlg dlg(this);
    dlg.SetAccessMode(kAccessQuery);
    dlg.SetUserName(names_[row].c_str());
    dlg.DoModal();
}

void CUserListDlg::OnModifyRecord(uint32_t row)
{
    CUserDataDlg dlg(this);
    dlg.SetAccessMode(kAccessModify);
    dlg.SetUserName(names_[row].c_str());
    if (dlg.DoModal() != IDOK)
        return;
    // The row shows the account as the server's answer left it in the table, or goes with it.
    rows_.Update(row);
}

void CUserListDlg::OnAddRecord(std::optional<uint32_t> /*selected*/)
{
    CUserDataDlg dlg(this);
    dlg.SetAccessMode(kAccessCreate);
    dlg.SetLocationId(GetLocationId());
    if (dlg.DoModal() != IDOK)
        return;
    RefillList();
    for (uint32_t key = 0; key < names_.size(); ++key) {
        if (names_[key] == dlg.GetUserName())
            ScrollToItemData(key);
    }
}

void CUserListDlg::OnDeleteRecord(uint32_t row)
{
    const CUserAccount* account = AccountOfRow(row);
    if (account == nullptr || !ConfirmDelete())
        return;
    const std::string& me = AppData().GetLoginUserName();
    if (CompareNames(me, account->name) == 0) {
        ShowAlertTextById(kStrDataInUse);
        return;
    }
    // A role deletes only the accounts it may manage.
    if (!MayManageAccount(AppData().role, me, account->role, account->name)) {
        ShowAlertTextById(kStrNoPrivilege);
        return;
    }
    UserAccountRecord record;
    record.name = account->name;
    if (!CRecordRequests().Delete(kReqUserAccount, 0, record, {.failureTextId = kStrFailToDelete}).Ok())
        return;
    rows_.Update(row);
    ShowInfoTextById(kStrCompleteDeletingFile);
}

void CUserListDlg::OpenOperationLog()
{
    DialogRequest request;
    request.className = kUserOpLogCriteriaDlg;
    request.hasUserName = true;
    if (const std::optional<uint32_t> row = SelectedItemData(); row && *row < names_.size())
        request.userName = names_[*row];
    OpenRouteDialog(request);
}

void CUserListDlg::DrawExtras(Dc& dc)
{
    CRecordListDlg::DrawExtras(dc);
    DrawListIconOnControl(dc, *this, kAdministratorImageId, kImageRoleAdministrator);
    DrawListIconOnControl(dc, *this, kManagerImageId, kImageRoleManager);
    DrawListIconOnControl(dc, *this, kUserImageId, kImageRoleUser);
}
