#include "features/management/firmware/fw_upgrade_batch.h"

#include "features/management/firmware/ftp_failure_text.h"
#include "features/management/firmware/transfer_progress.h"
#include "link/record_requests.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

#include <QApplication>
#include <QMainWindow>
#include <QRegularExpression>
#include <QStatusTipEvent>

#include <ctime>

namespace {

constexpr int kImageTransferring = 5;
constexpr int kImageFinished = 23;
constexpr int kImageFailed = 24;
constexpr uint32_t kResultSuccess = 1;
constexpr uint32_t kResultFailed = 2;

FwJobView JobView(int image, uint32_t status, int progress = -1, const QString& error = {})
{
    FwJobView view;
    view.image = image;
    view.status = LoadQString(status);
    view.progress = progress;
    view.error = error;
    return view;
}

// The text in the main frame's message pane, a message box when there is none. The pane is one line high: each run of
// line breaks and tabs becomes one blank there, so that all of it shows; the text's own blanks stay as they are.
void ShowInFramePane(const QString& text)
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* frame = qobject_cast<QMainWindow*>(top)) {
            static const QRegularExpression kBreaks(QStringLiteral("[\\n\\t]+"));
            QStatusTipEvent tip(QString(text).replace(kBreaks, QStringLiteral(" ")));
            QCoreApplication::sendEvent(frame, &tip);
            return;
        }
    }
    ShowMessageText(text, 0);
}

} // namespace

CFwUpgradeBatch::CFwUpgradeBatch(FwUploadImage image, size_t maxSessions, std::vector<uint32_t> order,
                                 std::function<std::optional<FtpEndpoint>(uint32_t)> resolve, uint32_t imageLength,
                                 IFwUpgradeView* view, QObject* parent)
    : QObject(parent), slots_(image, maxSessions), remoteName_(image.remoteName), order_(std::move(order)),
      resolve_(std::move(resolve)), imageLength_(imageLength), view_(view), serving_(maxSessions)
{
}

CFwUpgradeBatch::~CFwUpgradeBatch() = default;

void CFwUpgradeBatch::Begin()
{
    Dispatch(true);
    for (size_t slot = 0; slot < serving_.size(); ++slot) {
        if (serving_[slot])
            slotCount_ = slot + 1;
    }
    FlushShown();
}

bool CFwUpgradeBatch::IsChecked(uint32_t neId) const
{
    return view_ != nullptr ? view_->IsChecked(neId) : checkedAtDetach_.contains(neId);
}

void CFwUpgradeBatch::Dispatch(bool untilFull)
{
    const size_t slotTotal = untilFull ? serving_.size() : slotCount_;
    while (!stopped_ && cursor_ < order_.size()) {
        size_t idle = slotTotal;
        for (size_t slot = 0; slot < slotTotal && idle == slotTotal; ++slot) {
            if (!serving_[slot])
                idle = slot;
        }
        if (idle == slotTotal)
            return;
        const uint32_t neId = order_[cursor_++];
        if (!IsChecked(neId))
            continue;
        if (slots_.Start(idle, resolve_(neId))) {
            serving_[idle] = neId;
            Show(neId, JobView(shown_[neId].image, kStrJobInit));
        } else if (untilFull) {
            --cursor_; // the row waits for a later refill
            return;
        } else {
            outcomes_[neId] = false;
            Show(neId, JobView(kImageFailed, kStrJobFail, -1, LoadQString(kStrFailedToCreateThread)));
        }
    }
    if (!untilFull && cursor_ >= order_.size())
        Stop();
}

void CFwUpgradeBatch::Tick()
{
    // A report's wait dialog runs the event loop: the timer stays off until the tick is done.
    if (ended_ || ticking_)
        return;
    ticking_ = true;
    if (ownTimer_ != nullptr)
        ownTimer_->stop();
    Scan();
    FlushShown();
    ticking_ = false;
    if (ownTimer_ != nullptr && !ended_)
        ownTimer_->start(kTickMs);
}

void CFwUpgradeBatch::Scan()
{
    bool anyIdle = false;
    bool anyBusy = false;
    for (size_t slot = 0; slot < slotCount_; ++slot) {
        if (!serving_[slot]) {
            anyIdle = true;
            continue;
        }
        const uint32_t neId = *serving_[slot];
        const CFtpJob& job = slots_.Job(slot);
        switch (job.State()) {
        case FtpJobState::kInit:
            anyBusy = true;
            Show(neId, JobView(shown_[neId].image, kStrJobInit));
            break;
        case FtpJobState::kSending:
            anyBusy = true;
            Show(neId, JobView(kImageTransferring, kStrJobSend, Progress(job.Bytes())));
            break;
        case FtpJobState::kDone:
            Show(neId, JobView(kImageFinished, kStrJobFinish, 100));
            Report(neId, true);
            slots_.Release(slot);
            serving_[slot].reset();
            anyIdle = true;
            break;
        default: {
            const QString error = job.State() == FtpJobState::kFailed ? FtpFailureText(job, FtpTransferKind::kFirmware)
                                                                      : LoadQString(kStrUnknown);
            Show(neId, JobView(kImageFailed, kStrJobFail, -1, error));
            Report(neId, false);
            slots_.Release(slot);
            serving_[slot].reset();
            anyIdle = true;
            break;
        }
        }
    }
    if (stopped_ && !anyBusy) {
        End();
        return;
    }
    if (anyIdle)
        Dispatch(false);
}

void CFwUpgradeBatch::Stop()
{
    if (stopped_)
        return;
    stopped_ = true;
    if (view_ != nullptr)
        view_->OnStopped();
}

void CFwUpgradeBatch::Detach()
{
    if (view_ != nullptr) {
        for (const uint32_t neId : order_) {
            if (view_->IsChecked(neId))
                checkedAtDetach_.insert(neId);
        }
    }
    Stop();
    view_ = nullptr;
    if (ended_) {
        deleteLater();
        return;
    }
    ownTimer_ = new QTimer(this);
    ownTimer_->setSingleShot(true);
    connect(ownTimer_, &QTimer::timeout, this, &CFwUpgradeBatch::Tick);
    ownTimer_->start(kTickMs);
}

void CFwUpgradeBatch::Report(uint32_t neId, bool success)
{
    outcomes_[neId] = success;
    NeFwUpgradeRecord report;
    report.neId = neId;
    report.lastResult = success ? kResultSuccess : kResultFailed;
    report.lastFile = remoteName_;
    report.lastTime = static_cast<uint32_t>(std::time(nullptr));
    // Alone, after its dialog closed, the batch reports without the wait dialog.
    const RecordReply<NeFwUpgradeRecord> reply =
        CRecordRequests().Modify(kReqNeFwUpgrade, neId, report, {.waitDialog = view_ != nullptr});
    if (reply.Ok() && view_ != nullptr)
        view_->ShowReport(reply.records.empty() ? report : reply.records.front());
}

void CFwUpgradeBatch::Show(uint32_t neId, const FwJobView& job)
{
    FwJobView& shown = shown_[neId];
    if (shown == job)
        return;
    shown = job;
    unshown_.emplace_back(neId, job);
}

void CFwUpgradeBatch::FlushShown()
{
    if (view_ != nullptr && !unshown_.empty())
        view_->ShowJobs(unshown_);
    unshown_.clear();
}

int CFwUpgradeBatch::Progress(uint32_t bytes) const
{
    return static_cast<int>(TransferPercent(bytes, imageLength_));
}

void CFwUpgradeBatch::End()
{
    ended_ = true;
    FlushShown();
    unsigned total = 0;
    unsigned success = 0;
    for (const uint32_t neId : order_) {
        if (!IsChecked(neId))
            continue;
        ++total;
        const auto outcome = outcomes_.find(neId);
        success += outcome != outcomes_.end() && outcome->second ? 1 : 0;
    }
    const QString summary = LoadQString(kStrFwUpgradeSummary)
                                .arg(LoadQString(kStrCompleteUpgradingNeFirmware))
                                .arg(total)
                                .arg(success)
                                .arg(total - success);
    // The batch goes once control is back in the event loop.
    if (view_ != nullptr)
        view_->OnEnded();
    else
        deleteLater();
    ShowInFramePane(summary);
}
