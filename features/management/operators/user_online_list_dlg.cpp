#include "features/management/operators/user_online_list_dlg.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/tables/access_rights.h"
#include "core/tables/account_list.h"
#include "core/tables/app_data.h"
#include "core/tables/location_tree.h"
#include "core/tables/user_account.h"
#include "core/util/date_time_format.h"
#include "features/management/accounts/user_data_dlg.h"
#include "features/management/accounts/user_list_dlg.h"
#include "features/management/common/server_combos.h"
#include "features/management/operators/instant_mail_dlg.h"
#include "features/management/operators/refresh_schedule.h"
#include "link/record_requests.h"
#include "link/records/operator_mail_record.h"
#include "platform/list_control.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_user_online_list_dlg.h"

#include <QAbstractButton>
#include <QApplication>

#include <chrono>
#include <tuple>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected
constexpr char kUserOpLogCriteriaDlg[] = "CUserOpLogCriteriaDlg";
// Show answers "Please select one item" without a row; its menu entry is greyed, as are those of the others.
constexpr RowCommand kRowShowEntry{0, kPopupShow};
constexpr RowCommand kRowOperationLog{0, CUserOnlineListDlg::kPopupOperationLog};
constexpr RowCommand kRowSendMessage{0, CUserOnlineListDlg::kPopupSendMessage};
constexpr RowCommand kRowForceLogout{0, CUserOnlineListDlg::kPopupForceLogout};
// A row whose account has left the table sorts before every role.
constexpr int kGoneAccountOrder = -2;

int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

const CUserAccount* AccountOf(const OnlineUserRecord& login)
{
    return FindUserAccount(login.account.name);
}

// "%Y/%m/%d %H:%M:%S" in local time.
std::string LoginTimeText(uint32_t seconds)
{
    std::string text = FormatDateTime(seconds);
    for (size_t i = 0; i < text.size() && text[i] != ' '; ++i) {
        if (text[i] == '-')
            text[i] = '/';
    }
    return text;
}

ListValue LocationName(const OnlineUserRecord& login)
{
    const CUserAccount* account = AccountOf(login);
    if (account == nullptr)
        return std::string();
    const CLocationNode* node = FindLocation(account->locationId);
    return node != nullptr ? node->name : AppData().locations.Root().name;
}

// No., Name, Location, Login Location, Login Time; No. sorts by role.
std::vector<ListColumn<OnlineUserRecord>> LoginColumns()
{
    return {
        {.order = ListOrder::kSigned,
         .sortValue =
             [](const OnlineUserRecord& login) {
                 const CUserAccount* account = AccountOf(login);
                 return ListValue(account != nullptr ? account->role : kGoneAccountOrder);
             },
         .image =
             [](const OnlineUserRecord& login) {
                 const CUserAccount* account = AccountOf(login);
                 return RoleImage(account != nullptr ? account->role : kRoleNone);
             }},
        {.value = [](const OnlineUserRecord& login) { return ListValue(login.account.name); },
         .order = ListOrder::kText,
         .sortValue =
             [](const OnlineUserRecord& login) {
                 return ListValue(AccountOf(login) != nullptr ? login.account.name : std::string());
             }},
        {.value = LocationName, .order = ListOrder::kText},
        {.value = [](const OnlineUserRecord& login) { return ListValue(login.address); }, .order = ListOrder::kIpv4},
        {.value = [](const OnlineUserRecord& login) { return ListValue(LoginTimeText(login.loginTime)); },
         .order = ListOrder::kSigned,
         .sortValue = [](const OnlineUserRecord& login) { return ListValue(static_cast<int32_t>(login.loginTime)); }},
    };
}

// One login: the same account, login time and address.
auto LoginOf(const OnlineUserRecord& login)
{
    return std::tie(login.account.name, login.loginTime, login.address);
}

} // namespace

CUserOnlineListDlg::CUserOnlineListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "USER_ONLINE_LIST",
                      .rowCommands = {kRowShowEntry, kRowOperationLog, kRowSendMessage, kRowForceLogout},
                      .activateCommand = kShowButtonId,
                      .right = kRightOnlineUsers,
                      .exportStem = "UserOnLn"},
                     parent),
      ui_(std::make_unique<Ui::CUserOnlineListDlg>()), rows_(*this, LoginColumns())
{
    ui_->setupUi(this);
    rows_.QueryOnFill([this] {
        // The login selected now is selected again when it is still there.
        const std::optional<uint32_t> row = SelectedItemData();
        const OnlineUserRecord* selected = row ? rows_.Find(*row) : nullptr;
        reselect_ = selected != nullptr ? std::optional<OnlineUserRecord>(*selected) : std::nullopt;
        // A refresh of its own shows no failure and no wait dialog.
        const RequestOptions options{.failureTextId = autoRefresh_ ? 0u : kStrFailToQuery, .waitDialog = !autoRefresh_};
        return CRecordRequests().Query<OnlineUserRecord>(kReqOnlineUser, 0, options);
    });
    rows_.SetIntake([](OnlineUserRecord& login) {
        const CUserAccount* account = AccountOf(login);
        return account != nullptr && account->active != 0 && account->role >= kRoleNone && account->role <= kRoleUser;
    });
    rows_.SetOnReply([this](const RequestOutcome& reply) {
        lastQueryOk_ = reply.Ok();
        if (reselect_)
            Reselect(*reselect_);
    });
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CUserOnlineListDlg::~CUserOnlineListDlg() = default;

void CUserOnlineListDlg::InitData()
{
    if (EndWithoutServer(*this))
        return;
    if (CheckAccessRightOrClose(kRightOnlineUsers) != 0)
        return;
    SetSmallImages();
    InitListColumnsById(kStrColumnsOnlineUsers);
    SetRoleRowColors(*this);
    periodMs_ =
        static_cast<int64_t>(ReadIniIntInRange("DIALOG", "DIALOGREFRESHTIME", 2, ConfigFilePath(), 1, 60, false)) *
        1000;
    SetAutoRefresh(autoRefresh_);
    Query();
}

bool CUserOnlineListDlg::Query()
{
    RefillList();
    return lastQueryOk_;
}

void CUserOnlineListDlg::Reselect(const OnlineUserRecord& selected)
{
    for (uint32_t key = 0; key < rows_.StoredCount(); ++key) {
        if (LoginOf(*rows_.Find(key)) == LoginOf(selected)) {
            SelectRowByItemData(key);
            return;
        }
    }
}

void CUserOnlineListDlg::SetAutoRefresh(bool on)
{
    autoRefresh_ = on;
    if (auto* box = GetDlgItemAs<QAbstractButton>(kAutoRefreshCheckId))
        box->setChecked(on);
    EnableControl(kRefreshButtonId, !on);
    KillTimer(kAutoRefreshTimer);
    if (on) {
        dueMs_ = NowMs() + periodMs_;
        SetTimer(kAutoRefreshTimer, static_cast<int>(periodMs_));
    }
}

void CUserOnlineListDlg::OnTimer(int id)
{
    CRecordListDlg::OnTimer(id);
    if (id != kAutoRefreshTimer)
        return;
    // Ticks while the list's menu is open or another window is in front are left out.
    if (QApplication::activePopupWidget() != nullptr || !isActiveWindow())
        return;
    KillTimer(kAutoRefreshTimer);
    if (!Query()) {
        SetAutoRefresh(false);
        return;
    }
    const RefreshStep next = NextRefresh(NowMs(), dueMs_, periodMs_);
    dueMs_ = next.nextDueMs;
    SetTimer(kAutoRefreshTimer, static_cast<int>(next.delayMs));
}

void CUserOnlineListDlg::OnDestroy()
{
    KillTimer(kAutoRefreshTimer);
    CRecordListDlg::OnDestroy();
}

int CUserOnlineListDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return 0;
    switch (id) {
    case kAutoRefreshCheckId: {
        const auto* box = GetDlgItemAs<QAbstractButton>(kAutoRefreshCheckId);
        SetAutoRefresh(box != nullptr && box->isChecked());
        return 1;
    }
    case kOperationLogButtonId:
    case kPopupOperationLog:
        OpenOperationLog();
        return 1;
    case kSendMessageButtonId:
    case kPopupSendMessage:
        SendMessage();
        return 1;
    case kForceLogoutButtonId:
    case kPopupForceLogout:
        ForceLogout();
        return 1;
    default:
        return 0;
    }
}

std::optional<std::string> CUserOnlineListDlg::SelectedName() const
{
    const std::optional<uint32_t> row = SelectedItemData();
    const OnlineUserRecord* login = row ? rows_.Find(*row) : nullptr;
    if (login == nullptr)
        return std::nullopt;
    return login->account.name;
}

void CUserOnlineListDlg::OnShowRecord(uint32_t row)
{
    const OnlineUserRecord* login = rows_.Find(row);
    if (login == nullptr)
        return;
    CUserDataDlg dlg(this);
    dlg.SetAccessMode(kAccessQuery);
    dlg.SetUserName(login->account.name.c_str());
    dlg.DoModal();
}

void CUserOnlineListDlg::OpenOperationLog()
{
    DialogRequest request;
    request.className = kUserOpLogCriteriaDlg;
    request.hasUserName = true;
    request.userName = SelectedName().value_or(std::string());
    OpenRouteDialog(request);
}

void CUserOnlineListDlg::SendMessage()
{
    CInstantMailDlg dlg(this);
    dlg.SetAddressee(SelectedName().value_or(std::string()));
    dlg.DoModal();
}

void CUserOnlineListDlg::ForceLogout()
{
    if (CheckRight(kRightOnlineUsers, 'x') != 0)
        return;
    const std::optional<std::string> name = SelectedName();
    if (!name) {
        ShowAlertTextById(kStrPleaseSelectOneItem);
        return;
    }
    if (ShowMessageById(kStrSureToForceLogout, kConfirmFlags) != IDYES)
        return;
    OperatorMailRecord mail;
    mail.sender = AppData().GetLoginUserName();
    mail.addressee = *name;
    mail.text = std::string(ForceLogoutMarker);
    CRecordRequests().Action(kReqOperatorMail, 0, mail, {.failureTextId = kStrFailToUpdateData});
}

void CUserOnlineListDlg::DrawExtras(Dc& dc)
{
    CRecordListDlg::DrawExtras(dc);
    DrawListIconOnControl(dc, *this, kAdministratorImageId, kImageRoleAdministrator);
    DrawListIconOnControl(dc, *this, kManagerImageId, kImageRoleManager);
    DrawListIconOnControl(dc, *this, kUserImageId, kImageRoleUser);
}
