#include "features/management/firmware/ne_config_backup_list_dlg.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "features/management/backups/backup_name_rules.h"
#include "features/management/firmware/ne_config_backup_dlg.h"
#include "link/record_requests.h"
#include "platform/list_control.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_config_backup_list_dlg.h"

#include <QLabel>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected
constexpr RowCommand kRowRestore{CNeConfigBackupListDlg::kRestoreButtonId, CNeConfigBackupListDlg::kPopupRestore};

// No., Backup Files: the files by name, letter case counting, equal names by number.
std::vector<ListColumn<NeBackupRow>> Columns()
{
    return {
        {.order = ListOrder::kArrival, .image = [](const NeBackupRow& row) { return BackupImage(row.backup.name); }},
        {.value = [](const NeBackupRow& row) { return ListValue(row.backup.name); }, .order = ListOrder::kText},
    };
}

} // namespace

CNeConfigBackupListDlg::CNeConfigBackupListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "NE_BACKUP_LIST",
                      .rowCommands = {kRowDelete, kRowRestore},
                      .right = kRightNeConfigBackups,
                      .exportStem = "NodeBk"},
                     parent),
      ui_(std::make_unique<Ui::CNeConfigBackupListDlg>()), rows_(*this, Columns(), &NeBackupRow::number)
{
    ui_->setupUi(this);
    rows_.QueryOnFill([this] { return QueryBackups(); });
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CNeConfigBackupListDlg::~CNeConfigBackupListDlg() = default;

void CNeConfigBackupListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeConfigBackups) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsNeBackupFiles);
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    if (auto* directory = GetDlgItemAs<QLabel>(kDirectoryId))
        directory->setText(QString::fromStdString(
            NeBackupDirectoryText(ReadIniString("DIALOG", "NEBKDIR", "", ConfigFilePath()), ne->GetIpText())));
    FillList();
}

RecordReply<NeBackupRow> CNeConfigBackupListDlg::QueryBackups()
{
    RecordReply<NeBackupRow> rows;
    const RecordReply<BackupRecord> reply = CRecordRequests().Query<BackupRecord>(
        kReqNeBackup, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    static_cast<RequestOutcome&>(rows) = reply;
    lastNumber_ = 0;
    for (const BackupRecord& backup : reply.records)
        rows.records.push_back({++lastNumber_, backup});
    return rows;
}

int CNeConfigBackupListDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && (id == kRestoreButtonId || id == kPopupRestore)) {
        Restore();
        return 1;
    }
    return 0;
}

void CNeConfigBackupListDlg::DrawExtras(Dc& dc)
{
    DrawListIconOnControl(dc, *this, kManualLegendId, kManualBackupImage);
    DrawListIconOnControl(dc, *this, kAutomaticLegendId, kAutomaticBackupImage);
}

void CNeConfigBackupListDlg::OnAddRecord(std::optional<uint32_t> /*selected*/)
{
    CNeConfigBackupDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    dlg.SetAccessMode(kAccessCreate);
    if (dlg.DoModal() != IDOK)
        return;
    CListControl list = List();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        const NeBackupRow* shown = rows_.Find(list.GetItemData(row));
        if (shown != nullptr && shown->backup.name == dlg.GetName())
            return;
    }
    const NeBackupRow added{++lastNumber_, {dlg.GetName(), 0}};
    rows_.Put(added);
    SelectRowByItemData(added.number);
}

void CNeConfigBackupListDlg::OnDeleteRecord(uint32_t number)
{
    if (CheckTargetNe() != 0 || !ConfirmDelete())
        return;
    const NeBackupRow* row = rows_.Find(number);
    if (row == nullptr ||
        !CRecordRequests()
             .Delete(kReqNeBackup, static_cast<uint32_t>(GetNeId()), row->backup, {.failureTextId = kStrFailToDelete})
             .Ok())
        return;
    rows_.Remove(number);
    UpdateRowCommands();
    // After the row has gone: the selection that goes with it clears the message line.
    ShowInfoTextById(kStrCompleteDeletingFile);
}

void CNeConfigBackupListDlg::Restore()
{
    if (CheckTargetNe() != 0 || CheckRight(kRightNeConfigBackups, 'x') != 0)
        return;
    const std::optional<uint32_t> number = RequireSelectedItemData();
    const NeBackupRow* row = number ? rows_.Find(*number) : nullptr;
    if (row == nullptr || ShowMessageById(kStrSureToRestoreData, kConfirmFlags) != IDYES)
        return;
    if (CRecordRequests()
            .Action(kReqNeBackupRestore, static_cast<uint32_t>(GetNeId()), row->backup,
                    {.failureTextId = kStrFailToRestoreData})
            .Ok())
        ShowInfoTextById(kStrRestoreDataSuccessfully);
}
