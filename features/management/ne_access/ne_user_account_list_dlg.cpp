#include "features/management/ne_access/ne_user_account_list_dlg.h"

#include "core/tables/access_rights.h"
#include "features/management/ne_access/ne_user_account_dlg.h"
#include "link/record_requests.h"
#include "link/records/ne_key_record.h"
#include "platform/list_control.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_ne_user_account_list_dlg.h"

namespace {

constexpr COLORREF kBuiltInText = 0x2020FF; // red 255, green 32, blue 32
constexpr COLORREF kOutOfServiceText = 0x808080;
constexpr uint32_t kInService = 1;
// How much of a name or a role the list sorts by.
constexpr size_t kSortedLength = 20;

int StateImage(const NeUserAccountRecord& account)
{
    return account.state == kInService ? kImageEnabled : kImageDisabled;
}

ListValue RoleText(const NeUserAccountRecord& account)
{
    return LoadString(account.role == kNeUserLevelAdministrator ? kStrRoleAdministrator : kStrRoleGuest);
}

bool IsBuiltIn(const std::string& name)
{
    return name == kNeBuiltInAccount;
}

} // namespace

CNeUserAccountListDlg::CNeUserAccountListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "ADD_DEL_EDIT_LIST",
                      .rowCommands = {kRowModify, kRowDelete},
                      .activateCommand = kModifyButtonId,
                      .right = kRightNeUserAccounts,
                      .deleteTargetNeFirst = true,
                      .exportStem = "NEAccount"},
                     parent),
      ui_(std::make_unique<Ui::CNeUserAccountListDlg>()),
      rows_(*this, Columns(), [this](const NeUserAccountRecord& account) { return KeyOf(account.userName); })
{
    ui_->setupUi(this);
    rows_.QueryOnFill(kReqNeUserAccount, kStrFailToQuery);
    rows_.SetTies(ListTies::kKey);
    // Rows that tie follow the direction too: a descending sort reverses the whole order.
    rows_.SetTieColumns({0});
    SetRecordList(rows_);
}

CNeUserAccountListDlg::~CNeUserAccountListDlg() = default;

std::vector<ListColumn<NeUserAccountRecord>> CNeUserAccountListDlg::Columns()
{
    // Name and Role sort by the first 20 characters of their texts, the other columns by the rows' keys as signed
    // numbers: the built-in account's row (bit 31) first, then the rows in the order they came.
    const auto key = [this](const NeUserAccountRecord& account) {
        return ListValue(static_cast<int32_t>(KeyOf(account.userName)));
    };
    return {
        {.value =
             [this](const NeUserAccountRecord& account) { return ListValue(KeyOf(account.userName) & ~kBuiltInRow); },
         .order = ListOrder::kSigned,
         .sortValue = key,
         .image = StateImage},
        TextPrefixColumn<NeUserAccountRecord>(&NeUserAccountRecord::userName, kSortedLength),
        TextPrefixColumn<NeUserAccountRecord>(RoleText, kSortedLength),
        {.value = &NeUserAccountRecord::role, .order = ListOrder::kSigned, .sortValue = key},
    };
}

uint32_t CNeUserAccountListDlg::KeyOf(const std::string& name)
{
    return numbers_.Of(name) | (IsBuiltIn(name) ? kBuiltInRow : 0);
}

void CNeUserAccountListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeUserAccounts) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsNeUserAccounts);
    EnableControl(kAddButtonId, !ShowsOnly());
    FillList();
}

void CNeUserAccountListDlg::DrawExtras(Dc& dc)
{
    DrawListIconOnControl(dc, *this, kEnabledLegendId, kImageEnabled);
    DrawListIconOnControl(dc, *this, kDisabledLegendId, kImageDisabled);
}

void CNeUserAccountListDlg::GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor,
                                          COLORREF* backColor2, int listId)
{
    CRecordListDlg::GetItemColors(row, column, textColor, backColor, backColor2, listId);
    const NeUserAccountRecord* account = rows_.Find(List().GetItemData(row));
    if (account == nullptr)
        return;
    if (IsBuiltIn(account->userName))
        *textColor = kBuiltInText;
    else if (account->state != kInService)
        *textColor = kOutOfServiceText;
}

bool CNeUserAccountListDlg::IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const
{
    if (!selected || ShowsOnly())
        return false;
    // The built-in account stays.
    return command.button != kDeleteButtonId || (*selected & kBuiltInRow) == 0;
}

void CNeUserAccountListDlg::OnModifyRecord(uint32_t key)
{
    const NeUserAccountRecord* account = rows_.Find(key);
    if (account == nullptr || ShowsOnly())
        return;
    CNeUserAccountDlg dlg(this);
    dlg.SetTarget(GetNeId(), nullptr);
    dlg.SetAccessMode(kAccessModify);
    dlg.SetAccount(*account, !IsBuiltIn(account->userName));
    if (dlg.DoModal() == IDOK)
        rows_.Put(dlg.GetAccount());
}

void CNeUserAccountListDlg::OnAddRecord(std::optional<uint32_t> /*selected*/)
{
    if (ShowsOnly())
        return;
    CNeUserAccountDlg dlg(this);
    dlg.SetTarget(GetNeId(), nullptr);
    dlg.SetAccessMode(kAccessCreate);
    if (dlg.DoModal() != IDOK)
        return;
    rows_.Put(dlg.GetAccount());
    ScrollToItemData(KeyOf(dlg.GetAccount().userName));
}

void CNeUserAccountListDlg::OnDeleteRecord(uint32_t key)
{
    const NeUserAccountRecord* account = rows_.Find(key);
    if (account == nullptr || ShowsOnly() || (key & kBuiltInRow) != 0)
        return;
    NeUserAccountRecord named;
    named.userName = account->userName;
    if (!CRecordRequests()
             .Delete(kReqNeUserAccount, static_cast<uint32_t>(GetNeId()), named,
                     {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    rows_.Remove(key);
}
