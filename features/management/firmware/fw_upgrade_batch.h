#pragma once
// CFwUpgradeBatch, the job machine of a batch firmware upgrade, on the user-interface thread. Begin hands the checked
// NEs, in list order, to upload slots (link/ftp/fw_upload_batch.h) until every slot has a worker; each Tick (timer
// 15725 of the dialog, every 5 ms) shows each slot's job on its NE's row, reports each NE that ended to the server
// (request 301: its result, the remote file name and the time), gives the slot the next checked NE, and, once the
// stop flag is up and no slot is busy, ends the batch with its summary in a message box. Stop comes
// from the operator, or from the dispatch itself when it has gone past the last NE; after it no NE is dispatched.
//
// The batch outlives its dialog: a dialog closed mid-batch detaches it; the NEs being served then finish on the
// batch's own timer, their results are reported all the same, and the batch ends and goes away by itself. It is a
// child of the application, so that a program that ends stops its transfers.

#include "link/ftp/fw_upload_batch.h"
#include "link/records/ne_fw_upgrade_record.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

// What a row shows of its NE's job.
struct FwJobView {
    int image = -1; // none; 5 transferring, 23 finished, 24 failed
    QString status;
    int progress = -1; // percent; none below 0
    QString error;
    bool operator==(const FwJobView&) const = default;
};

// The dialog as the batch sees it.
class IFwUpgradeView {
public:
    virtual ~IFwUpgradeView() = default;
    virtual bool IsChecked(uint32_t neId) const = 0;
    // The jobs that changed since the last time, by NE: once per tick, so that the list takes them together.
    virtual void ShowJobs(const std::vector<std::pair<uint32_t, FwJobView>>& jobs) = 0;
    // The NE's record as the server keeps it after a report.
    virtual void ShowReport(const NeFwUpgradeRecord& record) = 0;
    // The dispatch has stopped: the Stop button has nothing left to do.
    virtual void OnStopped() = 0;
    virtual void OnEnded() = 0;
};

class CFwUpgradeBatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kTickMs = 5;

    // `order`: the NEs of the list, top down; `resolve` gives an NE's FTP endpoint, none for an NE not known.
    CFwUpgradeBatch(FwUploadImage image, size_t maxSessions, std::vector<uint32_t> order,
                    std::function<std::optional<FtpEndpoint>(uint32_t neId)> resolve, uint32_t imageLength,
                    IFwUpgradeView* view, QObject* parent);
    ~CFwUpgradeBatch() override;

    // Starts the first workers.
    void Begin();
    void Tick();
    void Stop();
    bool IsStopped() const { return stopped_; }
    bool HasEnded() const { return ended_; }
    // The slots this batch uses: the workers Begin could start.
    size_t SlotCount() const { return slotCount_; }
    // The dialog goes: no more dispatch, the batch goes on by itself and ends alone.
    void Detach();

private:
    // One tick's work: each slot's job shown, reported and refilled.
    void Scan();
    // Hands the next checked NEs to idle slots, from the cursor on.
    void Dispatch(bool untilFull);
    void Report(uint32_t neId, bool success);
    void Show(uint32_t neId, const FwJobView& job);
    // The jobs shown since the last time go to the dialog.
    void FlushShown();
    bool IsChecked(uint32_t neId) const;
    void End();
    int Progress(uint32_t bytes) const;

    CFwUploadBatch slots_;
    size_t slotCount_ = 0;
    std::string remoteName_;
    std::vector<uint32_t> order_;
    std::function<std::optional<FtpEndpoint>(uint32_t)> resolve_;
    uint32_t imageLength_;
    IFwUpgradeView* view_;
    size_t cursor_ = 0;
    std::vector<std::optional<uint32_t>> serving_; // the NE of each slot
    std::map<uint32_t, FwJobView> shown_;
    std::vector<std::pair<uint32_t, FwJobView>> unshown_; // changed since the last flush
    std::map<uint32_t, bool> outcomes_;                   // finished or failed, per NE
    std::set<uint32_t> checkedAtDetach_;
    bool stopped_ = false;
    bool ended_ = false;
    bool ticking_ = false;
    QTimer* ownTimer_ = nullptr;
};
