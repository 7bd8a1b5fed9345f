#pragma once
// CNeFwUpgradeBackupDlg ("NE Firmware Upgrade & Backup", template 396): the firmware of one NE, sent or fetched over
// FTP while the workstation talks straight to the NE. Upgrade checks a local image (its framing and its type) and
// sends it into the chosen partition's directory under the type's remote name; Backup fetches the NE's image of that
// type into a local file and checks it. The transfer runs in a worker while the 5 ms timer 15725 shows its progress;
// Close is off while it runs, and a dialog closed otherwise (Escape, the close button) leaves it to run to its end
// unwatched. The boot partitions are shown (request 310) and Change chooses the next
// one; Detail shows what the local file is.

#include "features/management/firmware/ne_transfer_fields.h"
#include "features/management/firmware/transfer_progress.h"
#include "features/management/firmware/upgrade_settings.h"
#include "link/ftp/ftp_worker.h"
#include "ui/framework/dialogs/ca_dialog.h"

#include <QString>

#include <memory>
#include <optional>

namespace Ui {
class CNeFwUpgradeBackupDlg;
}

class CNeFwUpgradeBackupDlg : public CADialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 396;
    static constexpr int kUserId = kNeTransferUserId;
    static constexpr int kPasswordId = kNeTransferPasswordId;
    static constexpr int kFileNameId = kNeTransferFileId;
    static constexpr int kBrowseButtonId = 1166;
    static constexpr int kFirmwareTypeId = 1361;
    static constexpr int kDetailButtonId = 1132;
    static constexpr int kPartitionId = 1258;
    static constexpr int kCurrentBootId = 1259;
    static constexpr int kNextBootId = 1260;
    static constexpr int kChangeButtonId = 1150;
    static constexpr int kBackupButtonId = 1263;
    static constexpr int kUpgradeButtonId = 1364;
    static constexpr int kJobTimer = 15725;

    explicit CNeFwUpgradeBackupDlg(QWidget* parent = nullptr);
    ~CNeFwUpgradeBackupDlg() override;

    const CFtpWorker& Worker() const { return *worker_; }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    void OnTimer(int id) override;
    void OnCancel() override;

private:
    // The typed login and file; the first blank field is refused.
    bool TakeFields();
    void SetBusy(bool busy);
    void Upgrade();
    void Backup();
    void ChangeBootPartition();
    FtpFileTransfer Transfer() const;

    std::unique_ptr<Ui::CNeFwUpgradeBackupDlg> ui_;
    std::optional<CUpgradeSettings> settings_;
    CTransferProgress progress_;
    std::unique_ptr<CFtpWorker> worker_ = std::make_unique<CFtpWorker>();
    bool backup_ = false; // the job running or last run
    uint32_t length_ = 0;
    QString user_, password_, path_;
};
