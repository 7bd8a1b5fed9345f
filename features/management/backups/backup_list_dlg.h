#pragma once
// CBackupListDlg, the common part of the lists of the backups the management server keeps (an NE's configuration
// backups, CNeConfigBackupListDlg; the server's database backups, CDbBackupListDlg): the backups as the server lists
// them, automatic ones (named "AUTOBK-...") and manual ones told apart by their images and the legend beside the list,
// numbered in the order they came (a row's key is its number); beside them the directory where the server keeps them.
// Add makes a manual backup through the kind's name dialog and lists it (a name listed already is not listed twice);
// Delete removes the selected backup at the server; Restore has the server restore from it; Export writes the list.
//
// A derived list sets up its template, then hands the rows to the base; its InitData checks its targets, sets its
// caption and calls InitBackupList:
//
//     CDbBackupListDlg::CDbBackupListDlg(QWidget* parent)
//         : CBackupListDlg(kTemplateId, kDbBackups, {.popupName = "DB_BACKUP_LIST", ...}, parent), ui_(...)
//     {
//         ui_->setupUi(this);
//         AttachRows();
//     }
//     void CDbBackupListDlg::InitData()
//     {
//         if (CheckAccessRightOrClose(kRightDatabaseBackups) != 0)
//             return;
//         InitBackupList(kStrColumnsBackupFiles, directory);
//     }
//     std::optional<BackupRecord> CDbBackupListDlg::MakeBackup() { CDbBackupDlg dlg(this); ... }

#include "features/management/backups/backup_kind.h"
#include "link/records/backup_record.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <QString>

#include <optional>

// A backup of the list and its running number.
struct BackupRow {
    uint32_t number = 0;
    BackupRecord backup;
};

class CBackupListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kRestoreButtonId = 1309;
    static constexpr int kPopupRestore = 33086;
    static constexpr int kDirectoryId = 1348;
    static constexpr int kManualLegendId = 1219;
    static constexpr int kAutomaticLegendId = 1049;

    int OnCommandHook(int id, int code) override;
    void DrawExtras(Dc& dc) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t number) override;

protected:
    // `setup` names the list's popup and export stem; the rows, their commands and the right are the kind's.
    CBackupListDlg(int templateId, const BackupKind& kind, Setup setup, QWidget* parent);

    // The rows go to the list: once the derived form is set up.
    void AttachRows();
    // The list's images and columns, the directory text and the rows from the server.
    void InitBackupList(uint32_t columnsTextId, const QString& directory);
    // Runs the kind's name dialog; the backup the server made, none when it made none.
    virtual std::optional<BackupRecord> MakeBackup() = 0;

private:
    RecordReply<BackupRow> QueryBackups();
    uint32_t RequestNeId() const;
    // The dialog's NE is still known; always for the server's own backups.
    bool TargetKnown();
    void Restore();

    const BackupKind& kind_;
    CRecordList<BackupRow> rows_;
    uint32_t lastNumber_ = 0;
};
