#pragma once
// CBackupNameDlg, the common part of the dialogs that have the management server make a manual backup under a name
// the operator gives (an NE's configuration, CNeConfigBackupDlg; the server's database, CDbBackupDlg): the name,
// trimmed, of name characters only and not with the prefix of the server's automatic backups (backup_name_rules.h),
// is confirmed and sent with the kind's make request; the dialog ends with OK once the server has made the backup, and
// the opener reads the backup as the server reports it (its name, and the size of a database backup) with
// GetBackup. The opener sets the access mode (create) and, for an NE's backups, the NE.
//
// A derived dialog sets up its own template in its constructor:
//
//     CDbBackupDlg::CDbBackupDlg(QWidget* parent) : CBackupNameDlg(kTemplateId, kDbBackups, parent), ui_(...)
//     {
//         ui_->setupUi(this);
//     }

#include "features/management/backups/backup_kind.h"
#include "link/records/backup_record.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

class CBackupNameDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kFileNameId = 1166;

    const BackupRecord& GetBackup() const { return backup_; }
    const std::string& GetName() const { return backup_.name; }

    void InitData() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

protected:
    CBackupNameDlg(int templateId, const BackupKind& kind, QWidget* parent);

private:
    uint32_t RequestNeId() const;

    const BackupKind& kind_;
    QString typed_;
    BackupRecord backup_;
};
