// CMainFrame: the frame timer and what its ticks do (refresh the views, apply what the server sent, follow the
// live configuration), the forced-logout timer, and the status panes the ticks keep current.

#include "ui/shell/frame/main_frame.h"

#include "core/config/app_settings.h"
#include "core/tables/app_data.h"
#include "link/pdu_log.h"
#include "link/server_message_dispatcher.h"
#include "platform/posted_call.h"
#include "platform/window_timers.h"
#include "ui/framework/dialogs/ca_dialog.h"
#include "ui/framework/link_ui/pdu_log_dlg.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui/shell/frame/frame_host.h"
#include "ui/shell/frame/frame_status_bar.h"
#include "ui/shell/frame/frame_tick.h"
#include "ui/shell/frame/frame_views.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Status icons of InitFrame: pane and list icon.
constexpr std::array<std::pair<int, int>, 5> kStatusIcons = {{{CFrameStatusBar::kClockPane, 3},
                                                              {CFrameStatusBar::kMessagePane, 4},
                                                              {CFrameStatusBar::kConnectionPane, kIconDisconnected},
                                                              {CFrameStatusBar::kFlashPane, 53},
                                                              {CFrameStatusBar::kBeepPane, 54}}};

} // namespace

// ---------------------------------------------------------------------------------------------------------------
// Timers

void CMainFrame::OnTimer(int id)
{
    if (id != kFrameTimer && id != kLogoutTimer && id != kRefreshNowTimer)
        return;
    UpdateClock();
    const bool inRequest = host_.IsLinkInTransaction();
    UpdateConnectionStatus(host_.IsLinkConnected(), inRequest);

    if (id == kLogoutTimer && !inRequest) {
        host_.ForcedLogout();
        return;
    }
    if (!LockDispatch(0))
        return;
    // The tick may open nested event loops (a refresh that asks the link); no second tick starts meanwhile.
    if (id == kFrameTimer)
        timers_->KillTimer(kFrameTimer);

    const FrameTickWork work = NextFrameTick(tickCounter_, AppSettings().frameRefreshTime, id == kRefreshNowTimer);
    tickCounter_ = work.counter;
    if (work.refreshViews)
        RefreshViews();
    UnlockDispatch();

    if (work.applyQueued) {
        DispatchServerMessage(nullptr);
        RefreshPduLogWindow();
    }
    if (work.readLiveKeys) {
        host_.LoadLiveConfiguration();
        UpdatePduLogWindow();
    }
    if (id == kFrameTimer)
        timers_->SetTimer(kFrameTimer, kFrameTimerPeriodMs);
}

void CMainFrame::StartLogoutTimer(uint32_t periodMs)
{
    timers_->KillTimer(kLogoutTimer);
    timers_->SetTimer(kLogoutTimer, static_cast<int>(std::min<uint32_t>(periodMs, 0x7FFFFFFF)));
}

void CMainFrame::StopFrameTimers()
{
    timers_->KillTimer(kFrameTimer);
    timers_->KillTimer(kLogoutTimer);
    DestroyLocationIndicator();
}

void CMainFrame::UpdatePduLogWindow()
{
    CPduLogDlg* pduLog = host_.PduLogWindow();
    if (pduLog == nullptr)
        return;
    const bool wanted = AppSettings().pduLogWin;
    if (wanted && !pduLog->isVisible())
        pduLog->show();
    else if (!wanted && pduLog->isVisible())
        pduLog->hide();
}

// ---------------------------------------------------------------------------------------------------------------
// Refresh

void CMainFrame::RefreshViews()
{
    for (CAFormView* view : {treeView_, summaryView_, rightView_}) {
        if (view == nullptr || !IsFrameViewReady(view))
            return;
    }
    RefreshFrameView(rightView_);
    RefreshFrameView(treeView_);
    RefreshFrameView(summaryView_);
    ++refreshCount_;
    // While a dialog is open it may still be reading the changes; the flags stay for the refresh after it.
    if (GetCurrentDialog() == nullptr) {
        CAppData& app = AppData();
        app.neListChanged = false;
        app.neNamesChanged = false;
        app.neAddressesChanged = false;
        app.locationTreeChanged = false;
        app.mapsChanged = false;
    }
}

bool CMainFrame::IsBlinkPhaseOn() const
{
    const CAppSettings& settings = AppSettings();
    return ::IsBlinkPhaseOn(refreshCount_, settings.frameRefreshTime, settings.flashCycle);
}

void CMainFrame::PostRefreshNow()
{
    PostCall(this, [this] { OnTimer(kRefreshNowTimer); });
}

// ---------------------------------------------------------------------------------------------------------------
// Status panes

void CMainFrame::ApplyStatusIcons()
{
    for (const auto& [pane, icon] : kStatusIcons)
        statusBar_->SetPaneIcon(pane, GetListIcon(icon));
}

void CMainFrame::SetClock(std::function<QDateTime()> clock)
{
    clock_ = std::move(clock);
    lastClockSecond_ = -1;
}

void CMainFrame::UpdateClock()
{
    const QDateTime now = clock_();
    const qint64 second = now.toSecsSinceEpoch();
    if (second == lastClockSecond_)
        return;
    lastClockSecond_ = second;
    statusBar_->SetPaneText(CFrameStatusBar::kClockPane, now.toString(QStringLiteral("HH:mm:ss")));
}

void CMainFrame::UpdateConnectionStatus(bool connected, bool inRequest)
{
    const int state = !connected ? 0 : (inRequest ? 2 : 1);
    if (state == lastConnectionState_)
        return;
    lastConnectionState_ = state;
    int icon = kIconDisconnected;
    QString text = LoadQString(kStrDisconnect, "Disconnect");
    if (state == 2) {
        icon = kIconInCommunication;
        text = LoadQString(kStrInCommunicating, "In Communicating");
    } else if (state == 1) {
        icon = kIconConnected;
        text = LoadQString(kStrConnected, "Connected");
    }
    text += QStringLiteral(" (%1)").arg(QString::fromStdString(host_.LinkAddressText()));
    statusBar_->SetPaneIcon(CFrameStatusBar::kConnectionPane, GetListIcon(icon));
    statusBar_->SetPaneText(CFrameStatusBar::kConnectionPane, text);
}

void CMainFrame::UpdateAlarmPanes()
{
    const CAppSettings& settings = AppSettings();
    statusBar_->SetPaneIcon(CFrameStatusBar::kFlashPane, settings.flash.level != 0 ? GetListIcon(53) : QPixmap());
    statusBar_->SetPaneIcon(CFrameStatusBar::kBeepPane, settings.beep.level != 0 ? GetListIcon(54) : QPixmap());
}
