#include "features/management/server/server_time_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "features/management/clock/clock_pickers.h"
#include "features/management/common/server_combos.h"
#include "link/record_requests.h"
#include "link/records/word_record.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_server_time_dlg.h"

#include <QDateEdit>
#include <QTimeEdit>

#include <ctime>

namespace {

constexpr int kTickMs = 1000;
constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected

uint32_t LocalNow()
{
    return static_cast<uint32_t>(std::time(nullptr));
}

} // namespace

CServerTimeDlg::CServerTimeDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CServerTimeDlg>())
{
    ui_->setupUi(this);
}

CServerTimeDlg::~CServerTimeDlg() = default;

void CServerTimeDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Check(dx, kSyncLocalId, syncLocal_);
}

void CServerTimeDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightServerOptions) != 0)
        return;
    // The server keeps this clock: there is none to show in direct mode.
    if (EndWithoutServer(*this))
        return;
    EnableControl(kSetButtonId, CheckUserRight(AppData().role, kRightNeOperations, 'm') != 0);
    SetUpClockPickers(*ui_->date, *ui_->time);
    ShowSeconds(LocalNow());
    ApplySyncLocal();
    Refresh();
    SetTimer(kTickTimer, kTickMs);
}

uint32_t CServerTimeDlg::ShownSeconds() const
{
    return PickedSeconds(*ui_->date, *ui_->time);
}

void CServerTimeDlg::ShowSeconds(uint32_t seconds)
{
    ShowPickedSeconds(*ui_->date, *ui_->time, seconds);
}

void CServerTimeDlg::Refresh()
{
    if (CheckRight(kRightServerOptions, 'q') != 0)
        return;
    const RecordReply<WordRecord> reply =
        CRecordRequests().Query<WordRecord>(kReqServerTime, 0, {.failureTextId = kStrFailToQuery});
    if (reply.Ok() && !reply.records.empty())
        ShowSeconds(reply.records.front().value);
}

void CServerTimeDlg::ApplySyncLocal()
{
    UpdateData(true);
    if (syncLocal_ != 0)
        ShowSeconds(LocalNow());
    EnableControls({kDateId, kTimeId, kRefreshButtonId}, syncLocal_ == 0);
}

void CServerTimeDlg::OnTimer(int id)
{
    if (id != kTickTimer) {
        CADialog::OnTimer(id);
        return;
    }
    // The server's clock runs on between reads; the workstation's is read afresh.
    ShowSeconds(syncLocal_ != 0 ? LocalNow() : ShownSeconds() + 1);
}

void CServerTimeDlg::SetDateTime()
{
    // Held at the local time, the moment of pressing is what is sent.
    const uint32_t seconds = syncLocal_ != 0 ? LocalNow() : ShownSeconds();
    if (ShowMessageById(kStrSureToSyncServerTime, kConfirmFlags) != IDYES)
        return;
    if (!CRecordRequests().Modify(kReqServerTime, 0, WordRecord{seconds}, {.failureTextId = kStrFailToUpdateData}).Ok())
        return;
    EndDialog(IDOK);
}

int CServerTimeDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return 0;
    switch (id) {
    case kRefreshButtonId:
        Refresh();
        return 1;
    case kSetButtonId:
        SetDateTime();
        return 1;
    case kSyncLocalId:
        ApplySyncLocal();
        return 1;
    default:
        return 0;
    }
}

void CServerTimeDlg::OnDestroy()
{
    KillTimer(kTickTimer);
    CADialog::OnDestroy();
}
