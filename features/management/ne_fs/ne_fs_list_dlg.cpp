#include "features/management/ne_fs/ne_fs_list_dlg.h"

#include "core/entity/entity_type_ids.h"
#include "core/tables/access_rights.h"
#include "features/management/ne_fs/ne_fs_copy_dlg.h"
#include "features/management/ne_fs/ne_fs_copy_dual_dlg.h"
#include "features/management/ne_fs/ne_fs_partition.h"
#include "link/record_requests.h"
#include "link/records/ne_key_record.h"
#include "platform/list_control.h"
#include "platform/notify_codes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_fs_list_dlg.h"

namespace {

constexpr COLORREF kProtectedText = 0x808080;
constexpr uint16_t kDeleteAction = 1;

std::vector<ListColumn<NeFsFileRecord>> FileColumns()
{
    return {
        {.order = ListOrder::kArrival},
        {.value =
             [](const NeFsFileRecord& file) { return ListValue(NeFsPartitionText(file.partition).toStdString()); }},
        {.value = &NeFsFileRecord::name},
        {.value = &NeFsFileRecord::size, .order = ListOrder::kSigned},
        {.value = &NeFsFileRecord::dateTime},
    };
}

} // namespace

CNeFsListDlg::CNeFsListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "DEL_COPY_LIST",
                      .rowCommands = {kRowDelete, kRowCopy},
                      .right = kRightNeFileSystemFiles,
                      .deleteTargetNeFirst = true,
                      .exportStem = "NeFileSys"},
                     parent),
      ui_(std::make_unique<Ui::CNeFsListDlg>()),
      rows_(*this, FileColumns(), [this](const NeFsFileRecord& file) { return KeyOf(file); })
{
    ui_->setupUi(this);
    rows_.QueryOnFill(kReqNeFsFile, kStrFailToQuery);
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CNeFsListDlg::~CNeFsListDlg() = default;

uint32_t CNeFsListDlg::KeyOf(const NeFsFileRecord& file)
{
    return keys_.Of(std::to_string(file.partition) + "/" + file.name);
}

void CNeFsListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeFileSystemFiles) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    InitListColumnsById(kStrColumnsNeFiles);
    FillList();
}

void CNeFsListDlg::GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor, COLORREF* backColor2,
                                 int listId)
{
    CRecordListDlg::GetItemColors(row, column, textColor, backColor, backColor2, listId);
    const NeFsFileRecord* file = rows_.Find(List().GetItemData(row));
    if (file != nullptr && IsNeFsProtectedFile(file->partition, file->name))
        *textColor = kProtectedText;
}

bool CNeFsListDlg::IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const
{
    const NeFsFileRecord* file = selected ? rows_.Find(*selected) : nullptr;
    if (file == nullptr)
        return false;
    // Configurations stay on their partition; the NE's MAC addresses stay where they are.
    if (command.button == kCopyButtonId)
        return file->partition != kNeFsPartitionConfig;
    return !IsNeFsProtectedFile(file->partition, file->name);
}

void CNeFsListDlg::OnDeleteRecord(uint32_t key)
{
    const NeFsFileRecord* file = rows_.Find(key);
    if (file == nullptr || IsNeFsProtectedFile(file->partition, file->name) || !ConfirmDelete())
        return;
    NeFsFileRecord named;
    named.partition = file->partition;
    named.name = file->name;
    named.action = kDeleteAction;
    if (!CRecordRequests()
             .Modify(kReqNeFsFile, static_cast<uint32_t>(GetNeId()), named, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    rows_.Remove(key);
}

int CNeFsListDlg::OnCommandHook(int id, int code)
{
    if ((id == kCopyButtonId || id == kPopupCopy) && code == BN_CLICKED) {
        OnCopy();
        return 1;
    }
    return 0;
}

void CNeFsListDlg::OnCopy()
{
    const std::optional<uint32_t> key = RequireSelectedItemData();
    const NeFsFileRecord* file = key ? rows_.Find(*key) : nullptr;
    if (file == nullptr || file->partition == kNeFsPartitionConfig)
        return;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    const RecordReply<NeKeyRecord> ne =
        CRecordRequests().Query<NeKeyRecord>(kReqNeKey, neId, {.failureTextId = kStrFailToQuery});
    // Only an NE read as the model of one control module gets the single dialog; any other answer, none too, the dual.
    const bool oneModule = ne.Ok() && !ne.records.empty() && ne.records.front().modelId == kNeModelOneControlModule;
    std::unique_ptr<CNeFsCopyBaseDlg> copy;
    if (oneModule)
        copy = std::make_unique<CNeFsCopyDlg>(this);
    else
        copy = std::make_unique<CNeFsCopyDualDlg>(this);
    copy->SetTarget(GetNeId(), nullptr);
    copy->SetAccessMode(kAccessCreate);
    copy->SetSource(file->partition, file->name);
    if (copy->DoModal() == IDOK)
        RefillList();
}
