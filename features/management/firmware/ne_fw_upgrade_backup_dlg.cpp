#include "features/management/firmware/ne_fw_upgrade_backup_dlg.h"

#include "core/config/app_settings.h"
#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "features/management/firmware/boot_partitions.h"
#include "features/management/firmware/ftp_failure_text.h"
#include "features/management/firmware/fw_file_info_dlg.h"
#include "features/management/firmware/local_image_check.h"
#include "features/management/firmware/ne_boot_partition_dlg.h"
#include "features/management/firmware/ne_transfer_fields.h"
#include "features/management/firmware/unwatched_worker.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_ne_fw_upgrade_backup_dlg.h"

#include <QComboBox>
#include <QLineEdit>

#include <utility>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected
constexpr int kErrorBox = static_cast<int>(0x80000000);

} // namespace

CNeFwUpgradeBackupDlg::CNeFwUpgradeBackupDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeFwUpgradeBackupDlg>()), progress_(*this)
{
    ui_->setupUi(this);
}

CNeFwUpgradeBackupDlg::~CNeFwUpgradeBackupDlg() = default;

void CNeFwUpgradeBackupDlg::InitData()
{
    if (CheckRightOrClose(kRightFirmwareUpgrade, 'x') != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe);
    LimitNeTransferFields(*this);
    settings_.emplace(ConfigFilePath(), FindNeById(static_cast<uint32_t>(GetNeId()))->neModelId);
    FillNextPartitions(*GetDlgItemAs<QComboBox>(kPartitionId), *settings_);
    FillFirmwareTypes(*GetDlgItemAs<QComboBox>(kFirmwareTypeId));
    const QString partitionZero = QString::fromStdString(settings_->PartitionName(0));
    GetDlgItemAs<QLineEdit>(kCurrentBootId)->setText(partitionZero);
    GetDlgItemAs<QLineEdit>(kNextBootId)->setText(partitionZero);
    progress_.Start(100, kStrPercent);
    ShowBootPartitions(*this, kCurrentBootId, kNextBootId, *settings_,
                       QueryBootPartitions(static_cast<uint32_t>(GetNeId())));
}

int CNeFwUpgradeBackupDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return 0;
    switch (id) {
    case kBrowseButtonId:
        BrowseNeTransferFile(*this);
        return 1;
    case kDetailButtonId: {
        CFwFileInfoDlg dlg(this);
        dlg.SetFilePath(GetDlgItemAs<QLineEdit>(kFileNameId)->text());
        dlg.DoModal();
        return 1;
    }
    case kChangeButtonId:
        ChangeBootPartition();
        return 1;
    case kUpgradeButtonId:
        Upgrade();
        return 1;
    case kBackupButtonId:
        Backup();
        return 1;
    default:
        return 0;
    }
}

bool CNeFwUpgradeBackupDlg::TakeFields()
{
    user_ = GetDlgItemAs<QLineEdit>(kUserId)->text();
    password_ = GetDlgItemAs<QLineEdit>(kPasswordId)->text();
    path_ = GetDlgItemAs<QLineEdit>(kFileNameId)->text();
    if (!NeTransferFieldsGiven(*this, user_, password_, path_))
        return false;
    return true;
}

void CNeFwUpgradeBackupDlg::SetBusy(bool busy)
{
    EnableControls({kBackupButtonId, kUpgradeButtonId, IDCANCEL, kBrowseButtonId, kDetailButtonId, kChangeButtonId},
                   !busy);
}

FtpFileTransfer CNeFwUpgradeBackupDlg::Transfer() const
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const FirmwareTypeNames& type =
        settings_->FirmwareType(ChosenFirmwareKind(*GetDlgItemAs<QComboBox>(kFirmwareTypeId)));
    return {{ne != nullptr ? ne->GetIpText() : std::string(), settings_->Transfer().port, user_.toStdString(),
             password_.toStdString()},
            GetDlgItemAs<QComboBox>(kPartitionId)->currentText().toStdString(),
            type.fileName,
            path_.toStdString(),
            settings_->Transfer().transfer};
}

void CNeFwUpgradeBackupDlg::Upgrade()
{
    ClearMessageLine();
    if (worker_->Running() || !TakeFields())
        return;
    SetBusy(true);
    progress_.Announce(kStrPercent);
    const FirmwareTypeNames& type =
        settings_->FirmwareType(ChosenFirmwareKind(*GetDlgItemAs<QComboBox>(kFirmwareTypeId)));
    const LocalImageCheck check =
        CheckLocalImage(path_.toStdString(), type, GetDlgItemAs<QComboBox>(kPartitionId)->currentText().toStdString());
    if (!check.Sound()) {
        ShowLocalImageRefusal(*this, check, kFileNameId, kFirmwareTypeId, kPartitionId);
        SetBusy(false);
        return;
    }
    if (ShowMessageById(kStrSureToUpgradeNeFirmware, kConfirmFlags) != IDYES) {
        SetBusy(false);
        return;
    }
    backup_ = false;
    length_ = check.length;
    progress_.Start(static_cast<int>(std::min<uint32_t>(length_, 100)), kStrPercent);
    if (!worker_->Start([transfer = Transfer()](CFtpJob& job) { RunFtpUpload(transfer, job); })) {
        ShowAlertTextById(kStrFailedToUpgradeNeFirmware);
        SetBusy(false);
        return;
    }
    SetTimer(kJobTimer, 5);
}

void CNeFwUpgradeBackupDlg::Backup()
{
    ClearMessageLine();
    if (worker_->Running() || !TakeFields())
        return;
    SetBusy(true);
    progress_.Start(100, kStrBytes);
    if (!ConfirmBackupOverwrite(path_) || !BackupFileWritable(*this, path_)) {
        SetBusy(false);
        return;
    }
    backup_ = true;
    const FirmwareTypeNames& type =
        settings_->FirmwareType(ChosenFirmwareKind(*GetDlgItemAs<QComboBox>(kFirmwareTypeId)));
    if (!worker_->Start([transfer = Transfer(), typeName = type.typeName](CFtpJob& job) {
            RunFtpDownload(transfer, job, typeName);
        })) {
        ShowAlertTextById(kStrFailToBackupData);
        SetBusy(false);
        return;
    }
    SetTimer(kJobTimer, 5);
}

void CNeFwUpgradeBackupDlg::OnTimer(int id)
{
    if (id != kJobTimer) {
        CADialog::OnTimer(id);
        return;
    }
    KillTimer(kJobTimer);
    const CFtpJob& job = worker_->Job();
    switch (job.State()) {
    case FtpJobState::kSending:
        progress_.ShowSent(job.Bytes(), length_);
        break;
    case FtpJobState::kReceiving:
        progress_.ShowReceived(job.Bytes(), settings_->Transfer().transfer.dataSize);
        break;
    case FtpJobState::kDone:
        worker_->Join();
        SetBusy(false);
        if (backup_) {
            progress_.ShowDone(QString::number(job.Bytes()));
            ShowStatusMessageById(kStrBackupDataSuccessfully);
        } else {
            progress_.ShowDone(QStringLiteral("100"));
            ShowMessageById(kStrCompleteUpgradingNeFirmware, 0);
        }
        return;
    case FtpJobState::kFailed:
        worker_->Join();
        SetBusy(false);
        // The worker left the box to this thread. It comes first: a box opening clears the line of the dialog below,
        // which then shows the text as well.
        if (job.Failure() == FtpFailure::kRemoteImageCorrupt)
            ShowMessageById(kStrRemoteFirmwareCorrupted, kErrorBox);
        ShowAlertText(FtpFailureText(job, FtpTransferKind::kFirmware));
        return;
    default:
        break;
    }
    SetTimer(kJobTimer, 5);
}

void CNeFwUpgradeBackupDlg::ChangeBootPartition()
{
    CNeBootPartitionDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    if (dlg.DoModal() == IDOK)
        GetDlgItemAs<QLineEdit>(kNextBootId)
            ->setText(QString::fromStdString(settings_->PartitionName(dlg.ChosenPartition())));
}

void CNeFwUpgradeBackupDlg::OnCancel()
{
    // A transfer still running goes on to its end, unwatched.
    if (worker_->Running()) {
        KillTimer(kJobTimer);
        LeaveWorkerRunning(std::exchange(worker_, std::make_unique<CFtpWorker>()));
    }
    CADialog::OnCancel();
}
