#include "features/management/firmware/ne_config_backup_dlg.h"

#include "core/tables/access_rights.h"
#include "features/management/backups/backup_name_rules.h"
#include "link/record_requests.h"
#include "link/records/backup_record.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_config_backup_dlg.h"

#include <QLineEdit>

namespace {
constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected
} // namespace

CNeConfigBackupDlg::CNeConfigBackupDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeConfigBackupDlg>())
{
    ui_->setupUi(this);
}

CNeConfigBackupDlg::~CNeConfigBackupDlg() = default;

void CNeConfigBackupDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeConfigBackups) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe);
    LimitTextToField(kFileNameId, kBackupNameWidth);
}

void CNeConfigBackupDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kFileNameId, typed_);
}

void CNeConfigBackupDlg::OnOK()
{
    if (!UpdateDialogData() || CheckTargetNe() != 0)
        return;
    const BackupNameCheck check = CheckManualBackupName(typed_.toStdString());
    switch (check.verdict) {
    case BackupNameVerdict::kBlank:
        ShowAlertTextById(kStrDataIsBlank, kFileNameId);
        return;
    case BackupNameVerdict::kBadCharacter:
        ShowAlertTextById(kStrValidNameCharacters, kFileNameId);
        if (auto* edit = GetDlgItemAs<QLineEdit>(kFileNameId))
            edit->setSelection(static_cast<int>(check.badCharacter), 1);
        return;
    case BackupNameVerdict::kReserved:
        ShowAlertTextById(kStrReservedData, kFileNameId);
        return;
    case BackupNameVerdict::kValid:
        break;
    }
    if (ShowMessageById(kStrSureToBackupManually, kConfirmFlags) != IDYES)
        return;
    const BackupRecord backup{check.name.substr(0, kBackupNameMax), 0};
    if (!CRecordRequests()
             .Add(kReqNeBackup, static_cast<uint32_t>(GetNeId()), backup, {.failureTextId = kStrFailToBackupData})
             .Ok())
        return;
    name_ = backup.name;
    EndDialog(IDOK);
}
