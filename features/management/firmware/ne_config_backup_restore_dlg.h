#pragma once
// CNeConfigBackupRestoreDlg ("NE Configuration Backup & Restore", template 392): an NE's configuration copied between
// the NE and a local file over FTP, while the workstation talks straight to the NE. Backup (after the NE has written
// its configuration to flash, when the operator wants it so) fetches the configuration and its MD5 side file into one
// local file and checks them against each other; Restore checks such a file and sends it back, the digest before the
// configuration (ftp_config_transfer.h). The transfer runs in a worker while the 5 ms timer 15727 shows its progress;
// Close is off while it runs, and a dialog closed otherwise (Escape, the close button) leaves it to run to its end
// unwatched.

#include "features/management/firmware/ne_transfer_fields.h"
#include "features/management/firmware/transfer_progress.h"
#include "features/management/firmware/upgrade_settings.h"
#include "link/ftp/ftp_config_transfer.h"
#include "link/ftp/ftp_worker.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>
#include <optional>

namespace Ui {
class CNeConfigBackupRestoreDlg;
}

class CNeConfigBackupRestoreDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 392;
    static constexpr int kUserId = kNeTransferUserId;
    static constexpr int kPasswordId = kNeTransferPasswordId;
    static constexpr int kFileNameId = kNeTransferFileId;
    static constexpr int kBrowseButtonId = 1166;
    static constexpr int kBackupButtonId = 1263;
    static constexpr int kRestoreButtonId = 1309;
    static constexpr int kJobTimer = 15727;

    explicit CNeConfigBackupRestoreDlg(QWidget* parent = nullptr);
    ~CNeConfigBackupRestoreDlg() override;

    const CFtpWorker& Worker() const { return *worker_; }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnTimer(int id) override;
    void OnCancel() override;

private:
    bool TakeFields();
    void SetBusy(bool busy);
    void Backup();
    void Restore();
    // Asks the NE to write its configuration to flash when the operator wants it; false stops the backup.
    bool WriteFlashFirst();
    bool Start(void (*body)(const FtpConfigTransfer&, CFtpJob&), uint32_t failureTextId);

    std::unique_ptr<Ui::CNeConfigBackupRestoreDlg> ui_;
    std::optional<CUpgradeSettings> settings_;
    CTransferProgress progress_;
    std::unique_ptr<CFtpWorker> worker_ = std::make_unique<CFtpWorker>();
    bool backup_ = false; // the job running or last run
    uint32_t length_ = 0;
    QString user_, password_, path_;
};
