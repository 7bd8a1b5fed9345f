#pragma once
// CDbBackupDlg ("Database Backup", template 211): a manual backup of the management server's database (request 46)
// under a name the operator gives (backup_name_dlg.h). The opener sets the access mode (create) and reads the backup
// the server made, its name and size, with GetBackup after OK.

#include "core/tables/access_rights.h"
#include "features/management/backups/backup_name_dlg.h"
#include "ui/framework/messages/string_ids.h"

#include <memory>

namespace Ui {
class CDbBackupDlg;
}

// The backups of the server's database: of no NE, with their sizes, their names sorted letter case aside.
inline constexpr BackupKind kDbBackups{.right = kRightDatabaseBackups,
                                       .family = kReqDbBackup,
                                       .restore = kReqDbBackupRestore,
                                       .showsSizes = true,
                                       .restoredTextId = kStrRestorationFinishedRelogin,
                                       .badCharacterTextId = kStrValidBackupNameCharacters};

class CDbBackupDlg : public CBackupNameDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 211;

    explicit CDbBackupDlg(QWidget* parent = nullptr);
    ~CDbBackupDlg() override;

private:
    std::unique_ptr<Ui::CDbBackupDlg> ui_;
};
