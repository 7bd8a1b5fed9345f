#pragma once
// CDbBackupListDlg ("Database Backup File List", template 212): the backups of its own database that the management
// server keeps (request 45), automatic ones (named "AUTOBK-...") and manual ones told apart by their images, with
// their sizes; beside them the directory where the server keeps them (DIALOG/DBBKDIR of the configuration file). Add
// makes a manual backup through CDbBackupDlg (request 46), Delete removes the selected backup (47), Restore has the
// server restore its database from it (48), after which the operator is asked to log in again; Export writes the list
// under the stem "DBBk". Server mode only.

#include "features/management/backups/backup_list_dlg.h"

#include <memory>
#include <optional>

namespace Ui {
class CDbBackupListDlg;
}

class CDbBackupListDlg : public CBackupListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 212;

    explicit CDbBackupListDlg(QWidget* parent = nullptr);
    ~CDbBackupListDlg() override;

    void InitData() override;

protected:
    std::optional<BackupRecord> MakeBackup() override;

private:
    std::unique_ptr<Ui::CDbBackupListDlg> ui_;
};
