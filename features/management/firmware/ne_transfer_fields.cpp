#include "features/management/firmware/ne_transfer_fields.h"

#include "features/management/firmware/upgrade_settings.h"
#include "link/ftp/download_file.h"
#include "platform/file_chooser.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"

#include <QFileInfo>
#include <QLineEdit>

#include <string>
#include <utility>

namespace {

constexpr int kLoginMax = 16;
constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected

} // namespace

void LimitNeTransferFields(CADialog& dialog)
{
    dialog.GetDlgItemAs<QLineEdit>(kNeTransferUserId)->setMaxLength(kLoginMax);
    dialog.GetDlgItemAs<QLineEdit>(kNeTransferPasswordId)->setMaxLength(kLoginMax);
    dialog.GetDlgItemAs<QLineEdit>(kNeTransferFileId)->setMaxLength(static_cast<int>(kLocalPathMax));
}

void BrowseNeTransferFile(CADialog& dialog)
{
    QLineEdit* file = dialog.GetDlgItemAs<QLineEdit>(kNeTransferFileId);
    if (const std::optional<QString> path =
            ChooseFile({.fileName = file->text(), .filter = "(*.*)", .parent = &dialog, .mayBeNew = true}))
        file->setText(*path);
}

bool NeTransferFieldsGiven(CADialog& dialog, const QString& user, const QString& password, const QString& path)
{
    const std::pair<int, const QString*> fields[] = {
        {kNeTransferUserId, &user}, {kNeTransferPasswordId, &password}, {kNeTransferFileId, &path}};
    for (const auto& [id, text] : fields) {
        if (text->isEmpty()) {
            dialog.ShowAlertTextById(kStrDataIsBlank, id);
            return false;
        }
    }
    return true;
}

bool ConfirmBackupOverwrite(const QString& path)
{
    return !QFileInfo::exists(path) || ShowMessageById(kStrSureToOverwriteFile, kConfirmFlags) == IDYES;
}

bool BackupFileWritable(CADialog& dialog, const QString& path)
{
    std::string error;
    if (CanWriteDownload(path.toStdString(), &error))
        return true;
    dialog.ShowAlertText(QString::fromLocal8Bit(error.c_str()), kNeTransferFileId);
    return false;
}
