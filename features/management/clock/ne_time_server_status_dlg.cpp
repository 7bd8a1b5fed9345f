#include "features/management/clock/ne_time_server_status_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/util/date_time_format.h"
#include "features/management/clock/ne_time_server_dlg.h"
#include "features/management/clock/ne_time_server_text.h"
#include "link/record_requests.h"
#include "link/records/ne_time_record.h"
#include "link/records/ne_time_server_record.h"
#include "link/records/word_record.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_time_server_status_dlg.h"

#include <QLineEdit>

#include <array>
#include <ctime>

namespace {

constexpr int kTickMs = 1000;
// The longest text of the NE's time the tick reads back.
constexpr int kNeTimeTextMax = 80;

} // namespace

CNeTimeServerStatusDlg::CNeTimeServerStatusDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeTimeServerStatusDlg>())
{
    ui_->setupUi(this);
}

CNeTimeServerStatusDlg::~CNeTimeServerStatusDlg() = default;

void CNeTimeServerStatusDlg::SetText(int id, const QString& text)
{
    if (auto* edit = GetDlgItemAs<QLineEdit>(id))
        edit->setText(text);
}

void CNeTimeServerStatusDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeTimeServers) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    EnableControl(kModifyButtonId, CheckUserRight(AppData().role, kRightNeTimeServers, 'm') != 0);
    SetText(kNeTimeId, QString::fromStdString(FormatDateTime(static_cast<uint32_t>(std::time(nullptr)))));
    SetTimer(kTickTimer, kTickMs);
    Refresh();
}

void CNeTimeServerStatusDlg::Refresh()
{
    EnableControl(kAdjustButtonId, false);
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    const CRecordRequests requests;
    const RecordReply<NeTimeRecord> clock =
        requests.Query<NeTimeRecord>(kReqNeTime, neId, {.failureTextId = kStrFailToQuery});
    if (!clock.Ok() || clock.records.empty())
        return;
    SetText(kNeTimeId, QString::fromStdString(FormatDateTime(clock.records.front().neClock)));
    const RecordReply<NeTimeServerRecord> setting =
        requests.Query<NeTimeServerRecord>(kReqNeTimeServer, neId, {.failureTextId = kStrFailToQuery});
    if (!setting.Ok() || setting.records.empty())
        return;
    const NeTimeServerRecord& servers = setting.records.front();
    protocol_ = servers.protocol;
    SetText(kProtocolId, TimingProtocolText(servers.protocol));
    SetText(kHoursId, QString::number(servers.periodMinutes / 60));
    SetText(kMinutesId, QString::number(servers.periodMinutes % 60));
    const std::array<uint32_t, 3> states{servers.firstServerState, servers.secondServerState, servers.thirdServerState};
    bool anyServer = false;
    for (size_t i = 0; i < servers.servers.size(); ++i) {
        SetText(kFirstServerId + static_cast<int>(i), QString::fromStdString(servers.servers[i]));
        SetText(kFirstStateId + static_cast<int>(i), TimeServerStateText(states[i]));
        anyServer = anyServer || !servers.servers[i].empty();
    }
    EnableControl(kAdjustButtonId, protocol_ == kTimingProtocolSntp && anyServer);
}

void CNeTimeServerStatusDlg::OnTimer(int id)
{
    if (id != kTickTimer) {
        CADialog::OnTimer(id);
        return;
    }
    // The NE's time shown runs on between reads.
    auto* edit = GetDlgItemAs<QLineEdit>(kNeTimeId);
    if (edit == nullptr)
        return;
    const uint32_t shown = ParseDateTimeText(edit->text().left(kNeTimeTextMax).toStdString());
    edit->setText(QString::fromStdString(FormatDateTime(shown + 1)));
}

void CNeTimeServerStatusDlg::Modify()
{
    CNeTimeServerDlg dlg(this);
    dlg.SetTarget(GetNeId(), nullptr);
    if (dlg.DoModal() == IDOK)
        Refresh();
}

void CNeTimeServerStatusDlg::AdjustTime()
{
    if (!CRecordRequests()
             .Action(kReqNeTimeAdjust, static_cast<uint32_t>(GetNeId()), WordRecord{protocol_},
                     {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    ShowPlainMessageById(kStrCompleteUpdatingTime);
}

int CNeTimeServerStatusDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return 0;
    switch (id) {
    case kRefreshButtonId:
        Refresh();
        return 1;
    case kModifyButtonId:
        Modify();
        return 1;
    case kAdjustButtonId:
        AdjustTime();
        return 1;
    default:
        return 0;
    }
}

void CNeTimeServerStatusDlg::OnDestroy()
{
    KillTimer(kTickTimer);
    CADialog::OnDestroy();
}
