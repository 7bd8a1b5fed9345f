#include "features/management/accounts/user_acl_dlg.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/ini/ini_file.h"
#include "core/tables/access_rights.h"
#include "features/management/common/server_combos.h"
#include "link/record_requests.h"
#include "link/records/user_rights_record.h"
#include "platform/list_control.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_user_acl_dlg.h"

#include <QAbstractButton>
#include <QTreeView>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected

struct BoxControl {
    AclBox box;
    int id;
    char letter;
    uint32_t tip;
};
constexpr BoxControl kBoxes[] = {
    {kAclQuery, CUserAclDlg::kQueryCheckId, 'q', kStrAclQueryTip},
    {kAclModify, CUserAclDlg::kModifyCheckId, 'm', kStrAclModifyTip},
    {kAclCreate, CUserAclDlg::kCreateCheckId, 'c', kStrAclCreateTip},
    {kAclDelete, CUserAclDlg::kDeleteCheckId, 'd', kStrAclDeleteTip},
    {kAclAll, CUserAclDlg::kAllCheckId, 'a', kStrAclAllTip},
};

// Texts sort by their own column, ties by the other column's text.
ListValue TieBroken(const std::string& first, const std::string& second)
{
    return ListValue(first + '\x01' + second);
}

} // namespace

CUserAclDlg::CUserAclDlg(QWidget* parent)
    : CRecordListDlg(
          kTemplateId,
          {.popupName = nullptr, .rowCommands = {}, .activateCommand = 0, .right = -1, .exportStem = "UserACL"},
          parent),
      ui_(std::make_unique<Ui::CUserAclDlg>()),
      rows_(
          *this,
          {{.value = &AclListItem::caption,
            .order = ListOrder::kText,
            .sortValue = [this](const AclListItem& item) { return TieBroken(item.caption, AccessText(item)); }},
           {.value = [this](const AclListItem& item) { return ListValue(AccessText(item)); },
            .order = ListOrder::kText,
            .sortValue = [this](const AclListItem& item) { return TieBroken(AccessText(item), item.caption); }}},
          [this](uint32_t item) { return item < items_.size() && named_[item] ? &items_[item] : nullptr; },
          [this] { return ListedItems(); })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    rows_.SetTies(ListTies::kKey);
}

CUserAclDlg::~CUserAclDlg() = default;

void CUserAclDlg::InitData()
{
    if (EndWithoutServer(*this))
        return;
    if (CheckRoleOrClose(kRoleAdministrator) != 0)
        return;
    InitListColumnsById(kStrColumnsUserAcl);
    if (QTreeView* list = FindList(kListControlId))
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    const std::optional<CIniFile> ini = CIniFile::Load(ConfigFilePath());
    for (int item = 0; item < kAclEditedItems; ++item) {
        items_[static_cast<size_t>(item)].item = item;
        const std::optional<std::string> caption =
            ini ? ReadIniString("ACL", "ITEM" + std::to_string(item + 1), std::nullopt, *ini) : std::nullopt;
        named_[static_cast<size_t>(item)] = caption.has_value();
        items_[static_cast<size_t>(item)].caption = caption.value_or(std::string());
    }
    for (const BoxControl& control : kBoxes) {
        if (auto* box = GetDlgItemAs<QAbstractButton>(control.id)) {
            box->setText(QStringLiteral("%1 (%2)").arg(box->text()).arg(QChar(control.letter)));
            box->setToolTip(LoadQString(control.tip));
        }
    }
    for (int role = kRoleAdministrator; role <= kRoleUser; ++role) {
        const RightsTable* table = GetRightsTable(role);
        loaded_[static_cast<size_t>(role)] = table != nullptr ? std::string(table->data()) : std::string();
        edited_[static_cast<size_t>(role)] = loaded_[static_cast<size_t>(role)].substr(0, kAclEditedItems);
        edited_[static_cast<size_t>(role)].resize(kAclEditedItems, '-');
    }
    EnableControl(kSaveButtonId, false);
    FillList();
    ShowRole(kRoleUser);
}

std::vector<uint32_t> CUserAclDlg::ListedItems() const
{
    std::vector<uint32_t> items;
    for (int item = 0; item < kAclEditedItems; ++item) {
        if (named_[static_cast<size_t>(item)])
            items.push_back(static_cast<uint32_t>(item));
    }
    return items;
}

std::string CUserAclDlg::AccessText(const AclListItem& item) const
{
    return AclLetterText(edited_[static_cast<size_t>(role_)][static_cast<size_t>(item.item)]);
}

void CUserAclDlg::ShowRole(int role)
{
    role_ = role;
    for (const RoleControl& control : RoleControls()) {
        if (auto* radio = GetDlgItemAs<QAbstractButton>(control.radio))
            radio->setChecked(control.role == role);
    }
    for (uint32_t item : ListedItems())
        rows_.Update(item);
    ShowSelection();
}

AclBoxes CUserAclDlg::Boxes() const
{
    AclBoxes boxes{};
    for (const BoxControl& control : kBoxes) {
        const auto* box = GetDlgItemAs<QAbstractButton>(control.id);
        boxes[control.box] = box != nullptr && box->isChecked();
    }
    return boxes;
}

void CUserAclDlg::SetBoxes(const AclBoxes& boxes)
{
    for (const BoxControl& control : kBoxes) {
        if (auto* box = GetDlgItemAs<QAbstractButton>(control.id))
            box->setChecked(boxes[control.box]);
    }
}

void CUserAclDlg::ShowSelection()
{
    SetBoxes({});
    const CListControl list = List();
    const int first = list.GetNextSelected(-1);
    if (first < 0)
        return;
    const uint32_t item = list.GetItemData(first);
    if (auto* text = GetDlgItemAs<QWidget>(kItemTextId)) {
        const QString caption = list.GetSelectedCount() == 1 ? QString::fromStdString(items_[item].caption) : QString();
        text->setProperty("text", caption);
    }
    SetBoxes(AclBoxesOfText(AccessText(items_[item])));
}

void CUserAclDlg::OnListSelChanged(int row, int listId)
{
    CRecordListDlg::OnListSelChanged(row, listId);
    ShowSelection();
}

void CUserAclDlg::OnBoxClicked(AclBox box)
{
    AclBoxes boxes = Boxes();
    boxes = ClickAclBox(boxes, box, boxes[box]);
    SetBoxes(boxes);
    const CListControl list = List();
    if (list.GetNextSelected(-1) < 0)
        return;
    EnableControl(kSaveButtonId, true);
    const char letter = AclLetterOfBoxes(boxes);
    for (int row = list.GetNextSelected(-1); row >= 0; row = list.GetNextSelected(row)) {
        const uint32_t item = list.GetItemData(row);
        edited_[static_cast<size_t>(role_)][item] = letter;
        rows_.Update(item);
    }
}

int CUserAclDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return 0;
    for (const RoleControl& control : RoleControls()) {
        if (id == control.radio) {
            ShowRole(control.role);
            return 1;
        }
    }
    for (const BoxControl& control : kBoxes) {
        if (id == control.id) {
            OnBoxClicked(control.box);
            return 1;
        }
    }
    if (id == kSaveButtonId) {
        Save();
        return 1;
    }
    return 0;
}

void CUserAclDlg::Save()
{
    if (ShowMessageById(kStrSureToModifyData, kConfirmFlags) != IDYES)
        return;
    const RequestOutcome sent = CRecordRequests().Modify(kReqUserRights, 0, AclSaveRecord(loaded_, edited_),
                                                         {.failureTextId = kStrFailToUpdateData});
    if (!sent.Ok())
        return;
    EnableControl(kSaveButtonId, false);
    EndDialog(IDOK);
}

void CUserAclDlg::OnCancel()
{
    if (IsControlEnabled(kSaveButtonId) && ShowMessageById(kStrDataChangedNotSaved, kConfirmFlags) != IDYES)
        return;
    CRecordListDlg::OnCancel();
}

void CUserAclDlg::DrawExtras(Dc& dc)
{
    CRecordListDlg::DrawExtras(dc);
    DrawRolePictures(dc, *this);
}
