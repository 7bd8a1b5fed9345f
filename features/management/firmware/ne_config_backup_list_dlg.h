#pragma once
// CNeConfigBackupListDlg ("NE Configuration Backup File List", template 242): the backups of an NE's configuration
// that the management server keeps (request 41), automatic ones (named "AUTOBK-...") and manual ones told apart by
// their images; beside them the directory where the server keeps them. Add makes a manual backup through
// CNeConfigBackupDlg (request 42), Delete removes the selected backup (43), Restore has the server restore the NE
// from it (44); Export writes the list under the stem "NodeBk". The rows are numbered in the order they came; a row's
// key is its number.

#include "link/records/backup_record.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <memory>
#include <optional>

namespace Ui {
class CNeConfigBackupListDlg;
}

// A backup of the list and its running number.
struct NeBackupRow {
    uint32_t number = 0;
    BackupRecord backup;
};

class CNeConfigBackupListDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 242;
    static constexpr int kRestoreButtonId = 1309;
    static constexpr int kPopupRestore = 33086;
    static constexpr int kDirectoryId = 1348;
    static constexpr int kManualLegendId = 1219;
    static constexpr int kAutomaticLegendId = 1049;

    explicit CNeConfigBackupListDlg(QWidget* parent = nullptr);
    ~CNeConfigBackupListDlg() override;

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void DrawExtras(Dc& dc) override;
    void OnAddRecord(std::optional<uint32_t> selected) override;
    void OnDeleteRecord(uint32_t number) override;

private:
    RecordReply<NeBackupRow> QueryBackups();
    void Restore();

    std::unique_ptr<Ui::CNeConfigBackupListDlg> ui_;
    CRecordList<NeBackupRow> rows_;
    uint32_t lastNumber_ = 0;
};
