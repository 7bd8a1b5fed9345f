#include "features/management/firmware/ne_config_backup_dlg.h"

#include "ui_ne_config_backup_dlg.h"

CNeConfigBackupDlg::CNeConfigBackupDlg(QWidget* parent)
    : CBackupNameDlg(kTemplateId, kNeConfigBackups, parent), ui_(std::make_unique<Ui::CNeConfigBackupDlg>())
{
    ui_->setupUi(this);
}

CNeConfigBackupDlg::~CNeConfigBackupDlg() = default;
