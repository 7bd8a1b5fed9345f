#pragma once
// CNeShdslFwUpgradeDlg ("NE SHDSL Firmware Upgrade", template 447): the SHDSL line cards of one NE take new firmware in
// two stages, while the workstation talks straight to the NE. FTP sends the SHDSL image to the NE (its directory and
// name from the model's SHDSLFW key) in a worker, followed every 3 s (timer 23524); then the operator ticks the cards
// and Upgrade asks the NE to load the image into each (request 322, one card each). The list shows each card's
// upgrading state (request 322 queried, Refresh); cards in transmission, in burning or finished cannot be ticked
// (timer 23525 clears their ticks every 3 s). Upgrade is offered once a transfer has completed in this dialog and a
// card that is free is ticked. Closing the dialog while the image is being sent leaves the transfer to run to its end,
// unwatched. Export writes the list under the stem "FWUpgradeSHDSL".

#include "features/management/firmware/ne_transfer_fields.h"
#include "features/management/firmware/transfer_progress.h"
#include "features/management/firmware/upgrade_settings.h"
#include "link/ftp/ftp_worker.h"
#include "link/records/shdsl_card_status_record.h"
#include "ui/framework/dialogs/record_list.h"
#include "ui/framework/dialogs/record_list_dlg.h"

#include <QString>

#include <memory>
#include <optional>

namespace Ui {
class CNeShdslFwUpgradeDlg;
}

class CNeShdslFwUpgradeDlg : public CRecordListDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 447;
    static constexpr int kUserId = kNeTransferUserId;
    static constexpr int kPasswordId = kNeTransferPasswordId;
    static constexpr int kFileNameId = kNeTransferFileId;
    static constexpr int kBrowseButtonId = 1166;
    static constexpr int kFtpButtonId = 1144;
    static constexpr int kUpgradeButtonId = 1367;
    static constexpr int kUpgradeCommand = 1364;
    static constexpr int kTransferTimer = 23524;
    static constexpr int kUncheckTimer = 23525;
    static constexpr int kTimerMs = 3000;

    explicit CNeShdslFwUpgradeDlg(QWidget* parent = nullptr);
    ~CNeShdslFwUpgradeDlg() override;

    const CFtpWorker& Worker() const { return *worker_; }

    void InitData() override;
    int OnCommandHook(int id, int code) override;
    int OnNotifyHook(const NotifyHeader& header, int* result) override;
    void OnTimer(int id) override;
    void OnCancel() override;
    void OnDestroy() override;

private:
    RecordReply<ShdslCardStatusRecord> QueryCards();
    void Refresh();
    void SendImage();
    void Upgrade();
    // A card in transmission, in burning or finished.
    bool IsBusy(uint32_t cardId) const;
    void UncheckBusyCards();
    void ApplyUpgradeRule();
    void WatchTransfer();

    std::unique_ptr<Ui::CNeShdslFwUpgradeDlg> ui_;
    CRecordList<ShdslCardStatusRecord> rows_;
    std::optional<CUpgradeSettings> settings_;
    CTransferProgress progress_;
    std::unique_ptr<CFtpWorker> worker_ = std::make_unique<CFtpWorker>();
    uint32_t length_ = 0;
    bool transferred_ = false; // a transfer completed in this dialog
};
