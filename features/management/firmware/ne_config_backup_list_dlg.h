#pragma once
// CNeConfigBackupListDlg ("NE Configuration Backup File List", template 242): the backups of an NE's configuration
// that the management server keeps (request 41), automatic ones (named "AUTOBK-...") and manual ones told apart by
// their images; beside them the directory where the server keeps them. Add makes a manual backup through
// CNeConfigBackupDlg (request 42), Delete removes the selected backup (43), Restore has the server restore the NE
// from it (44); Export writes the list under the stem "NodeBk". The rows are numbered in the order they came; a row's
// key is its number (backup_list_dlg.h).

#include "features/management/backups/backup_list_dlg.h"

#include <memory>
#include <optional>

namespace Ui {
class CNeConfigBackupListDlg;
}

class CNeConfigBackupListDlg : public CBackupListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 242;

    explicit CNeConfigBackupListDlg(QWidget* parent = nullptr);
    ~CNeConfigBackupListDlg() override;

    void InitData() override;

protected:
    std::optional<BackupRecord> MakeBackup() override;

private:
    std::unique_ptr<Ui::CNeConfigBackupListDlg> ui_;
};
