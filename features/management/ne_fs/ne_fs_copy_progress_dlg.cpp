#include "features/management/ne_fs/ne_fs_copy_progress_dlg.h"

#include "core/config/app_settings.h"
#include "link/record_requests.h"
#include "link/records/ne_fs_copy_record.h"
#include "platform/message_box_runner.h"
#include "ui/framework/dialogs/progress_display.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_ne_fs_copy_progress_dlg.h"

#include <QLabel>
#include <QProgressBar>

namespace {

constexpr int kErrorBox = static_cast<int>(MB_OK | MB_ICONEXCLAMATION);

uint32_t BarRangeMs()
{
    return std::max<uint32_t>(AppSettings().serverWait, 1);
}

} // namespace

CNeFsCopyProgressDlg::CNeFsCopyProgressDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeFsCopyProgressDlg>()),
      clock_([] { return GetCurrentUtcTime(); })
{
    ui_->setupUi(this);
    // The dialog has no caption: an empty title would have the window system show the program's name instead.
    setWindowTitle(QStringLiteral(" "));
}

CNeFsCopyProgressDlg::~CNeFsCopyProgressDlg() = default;

void CNeFsCopyProgressDlg::SetClock(CNeFsCopyWatch::Clock clock)
{
    clock_ = std::move(clock);
    if (watch_)
        watch_.emplace(clock_, BarRangeMs());
}

void CNeFsCopyProgressDlg::InitData()
{
    const QString text = LoadQString(kStrInCommunicatingWithServer);
    const qsizetype lineBreak = text.indexOf(QLatin1Char('\n'));
    if (auto* first = GetDlgItemAs<QLabel>(kFirstLineId))
        first->setText(lineBreak < 0 ? text : text.left(lineBreak));
    if (auto* banner = GetDlgItemAs<QLabel>(kBannerId))
        banner->setText(lineBreak < 0 ? QString() : text.mid(lineBreak + 1));
    if (auto* elapsed = GetDlgItemAs<QLabel>(kElapsedId))
        elapsed->setText(QStringLiteral("0.000"));
    if (auto* bar = GetDlgItemAs<QProgressBar>(kProgressId)) {
        bar->setTextVisible(false);
        bar->setRange(0, static_cast<int>(BarRangeMs()));
        bar->setValue(0);
    }
    watch_.emplace(clock_, BarRangeMs());
    SetTimer(kTickTimer, kTickMs);
}

void CNeFsCopyProgressDlg::OnTimer(int id)
{
    if (id != kTickTimer) {
        CADialog::OnTimer(id);
        return;
    }
    OnTick();
}

void CNeFsCopyProgressDlg::OnTick()
{
    if (!watch_ || IsEnded())
        return;
    const CNeFsCopyWatch::Tick tick = watch_->OnTick();
    ShowProgressTick(*this, tick);
    if (tick.poll)
        Poll();
}

bool CNeFsCopyProgressDlg::Poll()
{
    KillTimer(kTickTimer);
    const RecordReply<NeFsCopyRecord> reply = CRecordRequests().Query<NeFsCopyRecord>(
        kReqNeFsCopy, static_cast<uint32_t>(GetNeId()),
        {.failureTextId = kStrFailToQuery, .timeoutMs = kPollTimeoutMs, .waitDialog = false});
    if (IsEnded())
        return false;
    if (!reply.Ok()) {
        EndDialog(IDCANCEL);
        return false;
    }
    if (reply.records.empty()) {
        ShowMessageById(kStrFailToQuery, kErrorBox);
        EndDialog(IDCANCEL);
        return false;
    }
    const uint32_t state = reply.records.front().state;
    if (state == kNeFsCopyStateInProgress) {
        watch_->Polled();
        SetTimer(kTickTimer, kTickMs);
        return true;
    }
    finalState_ = state;
    EndDialog(IDOK);
    return false;
}
