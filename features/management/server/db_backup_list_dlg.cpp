#include "features/management/server/db_backup_list_dlg.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "features/management/common/server_combos.h"
#include "features/management/server/db_backup_dlg.h"
#include "ui_db_backup_list_dlg.h"

CDbBackupListDlg::CDbBackupListDlg(QWidget* parent)
    : CBackupListDlg(kTemplateId, kDbBackups, {.popupName = "DB_BACKUP_LIST", .rowCommands = {}, .exportStem = "DBBk"},
                     parent),
      ui_(std::make_unique<Ui::CDbBackupListDlg>())
{
    ui_->setupUi(this);
    AttachRows();
}

CDbBackupListDlg::~CDbBackupListDlg() = default;

void CDbBackupListDlg::InitData()
{
    if (CheckAccessRightOrClose(kDbBackups.right) != 0)
        return;
    // The server's own database: there is none in direct mode.
    if (EndWithoutServer(*this))
        return;
    InitBackupList(kStrColumnsBackupFiles,
                   QString::fromStdString(ReadIniString("DIALOG", "DBBKDIR", "", ConfigFilePath())));
}

std::optional<BackupRecord> CDbBackupListDlg::MakeBackup()
{
    CDbBackupDlg dlg(this);
    dlg.SetAccessMode(kAccessCreate);
    if (dlg.DoModal() != IDOK)
        return std::nullopt;
    return dlg.GetBackup();
}
