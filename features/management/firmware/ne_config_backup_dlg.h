#pragma once
// CNeConfigBackupDlg ("NE Configuration Backup", template 241): a manual backup of an NE's configuration on the
// management server (request 42) under a name the operator gives (backup_name_dlg.h). The opener sets the NE and the
// access mode (create), and reads the name with GetName after OK.

#include "core/tables/access_rights.h"
#include "features/management/backups/backup_name_dlg.h"
#include "ui/framework/messages/string_ids.h"

#include <memory>

namespace Ui {
class CNeConfigBackupDlg;
}

// The configuration backups of an NE, their names sorted letter case counting.
inline constexpr BackupKind kNeConfigBackups{.right = kRightNeConfigBackups,
                                             .family = kReqNeBackup,
                                             .restore = kReqNeBackupRestore,
                                             .forNe = true,
                                             .caseSensitiveNames = true,
                                             .restoredTextId = kStrRestoreDataSuccessfully,
                                             .badCharacterTextId = kStrValidNameCharacters};

class CNeConfigBackupDlg : public CBackupNameDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 241;

    explicit CNeConfigBackupDlg(QWidget* parent = nullptr);
    ~CNeConfigBackupDlg() override;

private:
    std::unique_ptr<Ui::CNeConfigBackupDlg> ui_;
};
