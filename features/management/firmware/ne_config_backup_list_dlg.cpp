#include "features/management/firmware/ne_config_backup_list_dlg.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/tables/ne_table.h"
#include "features/management/backups/backup_name_rules.h"
#include "features/management/firmware/ne_config_backup_dlg.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_config_backup_list_dlg.h"

CNeConfigBackupListDlg::CNeConfigBackupListDlg(QWidget* parent)
    : CBackupListDlg(kTemplateId, kNeConfigBackups,
                     {.popupName = "NE_BACKUP_LIST", .rowCommands = {}, .exportStem = "NodeBk"}, parent),
      ui_(std::make_unique<Ui::CNeConfigBackupListDlg>())
{
    ui_->setupUi(this);
    AttachRows();
}

CNeConfigBackupListDlg::~CNeConfigBackupListDlg() = default;

void CNeConfigBackupListDlg::InitData()
{
    if (CheckAccessRightOrClose(kNeConfigBackups.right) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    InitBackupList(kStrColumnsNeBackupFiles,
                   QString::fromStdString(NeBackupDirectoryText(
                       ReadIniString("DIALOG", "NEBKDIR", "", ConfigFilePath()), ne->GetIpText())));
}

std::optional<BackupRecord> CNeConfigBackupListDlg::MakeBackup()
{
    CNeConfigBackupDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    dlg.SetAccessMode(kAccessCreate);
    if (dlg.DoModal() != IDOK)
        return std::nullopt;
    // The server keeps no sizes of an NE's backups.
    return BackupRecord{dlg.GetName(), 0};
}
