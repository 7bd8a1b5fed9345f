#include "features/management/firmware/ne_config_backup_restore_dlg.h"

#include "core/config/app_settings.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"
#include "features/management/firmware/ftp_failure_text.h"
#include "features/management/firmware/ne_transfer_fields.h"
#include "features/management/firmware/unwatched_worker.h"
#include "link/record_requests.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_config_backup_restore_dlg.h"

#include <QLineEdit>

#include <utility>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected

} // namespace

CNeConfigBackupRestoreDlg::CNeConfigBackupRestoreDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeConfigBackupRestoreDlg>()), progress_(*this)
{
    ui_->setupUi(this);
}

CNeConfigBackupRestoreDlg::~CNeConfigBackupRestoreDlg() = default;

void CNeConfigBackupRestoreDlg::InitData()
{
    if (CheckRightOrClose(kRightNeConfigBackups, 'x') != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe);
    LimitNeTransferFields(*this);
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    GetDlgItemAs<QLineEdit>(kUserId)->setText(QString::fromStdString(ne->loginUser));
    settings_.emplace(ConfigFilePath(), ne->neModelId);
    progress_.Start(100, kStrBytes);
}

int CNeConfigBackupRestoreDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return 0;
    switch (id) {
    case kBrowseButtonId:
        BrowseNeTransferFile(*this);
        return 1;
    case kBackupButtonId:
        Backup();
        return 1;
    case kRestoreButtonId:
        Restore();
        return 1;
    default:
        return 0;
    }
}

bool CNeConfigBackupRestoreDlg::TakeFields()
{
    user_ = GetDlgItemAs<QLineEdit>(kUserId)->text();
    password_ = GetDlgItemAs<QLineEdit>(kPasswordId)->text();
    path_ = GetDlgItemAs<QLineEdit>(kFileNameId)->text();
    if (!NeTransferFieldsGiven(*this, user_, password_, path_))
        return false;
    // Remote names the NE could not keep are refused, not cut.
    if (!settings_->Config().Fit()) {
        ShowAlertTextById(kStrNameTooLong, kFileNameId);
        return false;
    }
    return true;
}

void CNeConfigBackupRestoreDlg::SetBusy(bool busy)
{
    EnableControls({kBackupButtonId, kRestoreButtonId, IDCANCEL}, !busy);
}

bool CNeConfigBackupRestoreDlg::WriteFlashFirst()
{
    if (ShowMessageById(kStrWriteFlashBeforeBackup, kConfirmFlags) != IDYES)
        return true;
    if (CheckUserRight(AppData().role, kRightNeOperations, 'x') == 0) {
        ShowStatusMessageById(kStrNoPrivilege);
        return false;
    }
    return CRecordRequests()
        .Action(kReqFlashWrite, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToWriteFlash})
        .Ok();
}

void CNeConfigBackupRestoreDlg::Backup()
{
    ClearMessageLine();
    if (worker_->Running() || !TakeFields())
        return;
    SetBusy(true);
    progress_.Start(100, kStrBytes);
    // The local file is made sure of before the NE is asked anything.
    if (!ConfirmBackupOverwrite(path_) || !BackupFileWritable(*this, path_) || !WriteFlashFirst()) {
        SetBusy(false);
        return;
    }
    backup_ = true;
    progress_.Start(100, kStrBytes);
    Start(RunConfigBackup, kStrFailToBackupData);
}

void CNeConfigBackupRestoreDlg::Restore()
{
    ClearMessageLine();
    if (worker_->Running() || !TakeFields())
        return;
    SetBusy(true);
    progress_.Start(100, kStrPercent);
    const LocalConfigCheck check = CheckLocalCfgFile(path_.toStdString());
    if (check.result != LocalConfigCheck::kSound) {
        if (check.result == LocalConfigCheck::kCannotOpen)
            ShowAlertText(QString::fromLocal8Bit(check.error.c_str()), kFileNameId);
        else
            ShowAlertTextById(kStrLocalFileCorrupted, kFileNameId);
        SetBusy(false);
        return;
    }
    if (ShowMessageById(kStrSureToRestoreData, kConfirmFlags) != IDYES) {
        SetBusy(false);
        return;
    }
    backup_ = false;
    length_ = check.length;
    progress_.Start(static_cast<int>(std::min<uint32_t>(length_, 100)), kStrPercent);
    Start(RunConfigRestore, kStrFailToRestoreData);
}

bool CNeConfigBackupRestoreDlg::Start(void (*body)(const FtpConfigTransfer&, CFtpJob&), uint32_t failureTextId)
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const ConfigRemoteNames& names = settings_->Config();
    const FtpConfigTransfer transfer{{ne != nullptr ? ne->GetIpText() : std::string(), settings_->Transfer().port,
                                      user_.toStdString(), password_.toStdString()},
                                     names.directory,
                                     names.configFile,
                                     names.digestFile,
                                     path_.toStdString(),
                                     settings_->Transfer().transfer};
    if (!worker_->Start([transfer, body](CFtpJob& job) { body(transfer, job); })) {
        ShowAlertTextById(failureTextId);
        SetBusy(false);
        return false;
    }
    SetTimer(kJobTimer, 5);
    return true;
}

void CNeConfigBackupRestoreDlg::OnTimer(int id)
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
        progress_.ShowDone(backup_ ? QString::number(job.Bytes()) : QStringLiteral("100"));
        ShowMessageById(backup_ ? kStrBackupDataSuccessfully : kStrRestoreDataSuccessfully, 0);
        return;
    case FtpJobState::kFailed:
        worker_->Join();
        SetBusy(false);
        ShowAlertText(FtpFailureText(job, FtpTransferKind::kConfiguration));
        return;
    default:
        break;
    }
    SetTimer(kJobTimer, 5);
}

void CNeConfigBackupRestoreDlg::OnCancel()
{
    // A transfer still running goes on to its end, unwatched.
    if (worker_->Running()) {
        KillTimer(kJobTimer);
        LeaveWorkerRunning(std::exchange(worker_, std::make_unique<CFtpWorker>()));
    }
    CADialog::OnCancel();
}
