#include "features/management/backups/backup_list_dlg.h"

#include "features/management/backups/backup_name_rules.h"
#include "link/record_requests.h"
#include "platform/list_control.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"

#include <QLabel>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected
constexpr RowCommand kRowRestore{CBackupListDlg::kRestoreButtonId, CBackupListDlg::kPopupRestore};

// No., Backup Files and, where the kind has them, the sizes (empty for none); equal values by number.
std::vector<ListColumn<BackupRow>> Columns(const BackupKind& kind)
{
    std::vector<ListColumn<BackupRow>> columns = {
        {.order = ListOrder::kArrival, .image = [](const BackupRow& row) { return BackupImage(row.backup.name); }},
        {.value = [](const BackupRow& row) { return ListValue(row.backup.name); },
         .order = kind.caseSensitiveNames ? ListOrder::kText : ListOrder::kNoCase},
    };
    if (kind.showsSizes) {
        columns.push_back({.value =
                               [](const BackupRow& row) {
                                   return row.backup.fileSize != 0 ? ListValue(row.backup.fileSize) : ListValue();
                               },
                           .order = ListOrder::kUnsigned,
                           .sortValue = [](const BackupRow& row) { return ListValue(row.backup.fileSize); }});
    }
    return columns;
}

} // namespace

CBackupListDlg::CBackupListDlg(int templateId, const BackupKind& kind, Setup setup, QWidget* parent)
    : CRecordListDlg(
          templateId,
          [&] {
              setup.rowCommands = {kRowDelete, kRowRestore};
              setup.right = kind.right;
              // An NE's backups: Delete looks for the NE before its right.
              setup.deleteTargetNeFirst = kind.forNe;
              return setup;
          }(),
          parent),
      kind_(kind), rows_(*this, Columns(kind), &BackupRow::number)
{
    rows_.QueryOnFill([this] { return QueryBackups(); });
    rows_.SetTies(ListTies::kArrival);
}

void CBackupListDlg::AttachRows()
{
    SetRecordList(rows_);
}

uint32_t CBackupListDlg::RequestNeId() const
{
    return kind_.forNe ? static_cast<uint32_t>(GetNeId()) : 0;
}

bool CBackupListDlg::TargetKnown()
{
    return !kind_.forNe || CheckTargetNe() == 0;
}

void CBackupListDlg::InitBackupList(uint32_t columnsTextId, const QString& directory)
{
    SetSmallImages();
    InitListColumnsById(columnsTextId);
    if (auto* label = GetDlgItemAs<QLabel>(kDirectoryId))
        label->setText(directory);
    FillList();
}

RecordReply<BackupRow> CBackupListDlg::QueryBackups()
{
    RecordReply<BackupRow> rows;
    const RecordReply<BackupRecord> reply =
        CRecordRequests().Query<BackupRecord>(kind_.family, RequestNeId(), {.failureTextId = kStrFailToQuery});
    static_cast<RequestOutcome&>(rows) = reply;
    lastNumber_ = 0;
    for (const BackupRecord& backup : reply.records)
        rows.records.push_back({++lastNumber_, backup});
    return rows;
}

int CBackupListDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && (id == kRestoreButtonId || id == kPopupRestore)) {
        Restore();
        return 1;
    }
    return 0;
}

void CBackupListDlg::DrawExtras(Dc& dc)
{
    DrawListIconOnControl(dc, *this, kManualLegendId, kManualBackupImage);
    DrawListIconOnControl(dc, *this, kAutomaticLegendId, kAutomaticBackupImage);
}

void CBackupListDlg::OnAddRecord(std::optional<uint32_t> /*selected*/)
{
    const std::optional<BackupRecord> made = MakeBackup();
    if (!made)
        return;
    CListControl list = List();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        const BackupRow* shown = rows_.Find(list.GetItemData(row));
        if (shown != nullptr && shown->backup.name == made->name)
            return;
    }
    const BackupRow added{++lastNumber_, *made};
    rows_.Put(added);
    ScrollToItemData(added.number);
}

void CBackupListDlg::OnDeleteRecord(uint32_t number)
{
    if (!ConfirmDelete())
        return;
    const BackupRow* row = rows_.Find(number);
    if (row == nullptr ||
        !CRecordRequests().Delete(kind_.family, RequestNeId(), row->backup, {.failureTextId = kStrFailToDelete}).Ok())
        return;
    rows_.Remove(number);
    UpdateRowCommands();
    // After the row has gone: the selection that goes with it clears the message line.
    ShowInfoTextById(kStrCompleteDeletingFile);
}

void CBackupListDlg::Restore()
{
    if (!TargetKnown() || CheckRight(kind_.right, 'x') != 0)
        return;
    const std::optional<uint32_t> number = RequireSelectedItemData();
    const BackupRow* row = number ? rows_.Find(*number) : nullptr;
    if (row == nullptr || ShowMessageById(kStrSureToRestoreData, kConfirmFlags) != IDYES)
        return;
    if (CRecordRequests()
            .Action(kind_.restore, RequestNeId(), row->backup, {.failureTextId = kStrFailToRestoreData})
            .Ok())
        ShowInfoTextById(kind_.restoredTextId);
}
