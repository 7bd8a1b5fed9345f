#include "features/management/backups/backup_name_dlg.h"

#include "features/management/backups/backup_name_rules.h"
#include "link/record_requests.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"

#include <QLineEdit>

namespace {
constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected
} // namespace

CBackupNameDlg::CBackupNameDlg(int templateId, const BackupKind& kind, QWidget* parent)
    : CADialog(templateId, parent), kind_(kind)
{
}

uint32_t CBackupNameDlg::RequestNeId() const
{
    return kind_.forNe ? static_cast<uint32_t>(GetNeId()) : 0;
}

void CBackupNameDlg::InitData()
{
    if (CheckAccessRightOrClose(kind_.right) != 0 || (kind_.forNe && CheckTargetNeOrClose() != 0))
        return;
    if (kind_.forNe)
        UpdateCaption(kCaptionNe);
    LimitTextToField(kFileNameId, kBackupNameWidth);
}

void CBackupNameDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kFileNameId, typed_);
}

void CBackupNameDlg::OnOK()
{
    if (!UpdateDialogData() || (kind_.forNe && CheckTargetNe() != 0))
        return;
    const BackupNameCheck check = CheckManualBackupName(typed_.toStdString());
    switch (check.verdict) {
    case BackupNameVerdict::kBlank:
        ShowAlertTextById(kStrDataIsBlank, kFileNameId);
        return;
    case BackupNameVerdict::kBadCharacter:
        ShowAlertTextById(kind_.badCharacterTextId, kFileNameId);
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
    const BackupRecord asked{check.name.substr(0, kBackupNameMax), 0};
    const RecordReply<BackupRecord> made =
        CRecordRequests().Add(kind_.family, RequestNeId(), asked, {.failureTextId = kStrFailToBackupData});
    if (!made.Ok())
        return;
    // The server reports the backup it made; a reply without it stands for the name asked.
    backup_ = made.records.empty() ? asked : made.records.front();
    EndDialog(IDOK);
}
