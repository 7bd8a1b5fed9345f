#include "features/management/server/db_backup_dlg.h"

#include "ui_db_backup_dlg.h"

CDbBackupDlg::CDbBackupDlg(QWidget* parent)
    : CBackupNameDlg(kTemplateId, kDbBackups, parent), ui_(std::make_unique<Ui::CDbBackupDlg>())
{
    ui_->setupUi(this);
}

CDbBackupDlg::~CDbBackupDlg() = default;
