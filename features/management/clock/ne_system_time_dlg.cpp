#include "features/management/clock/ne_system_time_dlg.h"

#include "core/tables/access_rights.h"
#include "core/util/date_time_format.h"
#include "features/management/clock/clock_pickers.h"
#include "features/management/clock/ne_time_rules.h"
#include "link/record_requests.h"
#include "link/records/ne_time_record.h"
#include "ui/framework/dialogs/number_edit.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_system_time_dlg.h"

#include <QAbstractButton>
#include <QDateEdit>
#include <QLineEdit>
#include <QTimeEdit>

#include <ctime>

namespace {

constexpr int kTickMs = 1000;

} // namespace

CNeSystemTimeDlg::CNeSystemTimeDlg(QWidget* parent)
    : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CNeSystemTimeDlg>())
{
    ui_->setupUi(this);
}

CNeSystemTimeDlg::~CNeSystemTimeDlg() = default;

void CNeSystemTimeDlg::DoDataExchange(CDataExchange& dx)
{
    // A number past the field would reach the NE wrapped: it is refused, any other is sent as typed.
    DDX_SignedInRange(dx, *this, kTimeZoneId, timeZone_, kLeastZoneField, kMostZoneField);
}

void CNeSystemTimeDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeOperations) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetUpClockPickers(*ui_->date, *ui_->time);
    ShowSeconds(static_cast<uint32_t>(std::time(nullptr)));
    timeZone_ = WorkstationTimeZoneHours();
    upTime_ = 0;
    UpdateData(false);
    SetTimer(kTickTimer, kTickMs);
    Refresh();
}

uint32_t CNeSystemTimeDlg::ShownSeconds() const
{
    return PickedSeconds(*ui_->date, *ui_->time);
}

void CNeSystemTimeDlg::ShowSeconds(uint32_t seconds)
{
    ShowPickedSeconds(*ui_->date, *ui_->time, seconds);
}

void CNeSystemTimeDlg::ShowUpTime()
{
    if (auto* edit = GetDlgItemAs<QLineEdit>(kUpTimeId))
        edit->setText(QString::fromStdString(FormatUptime(upTime_)));
}

void CNeSystemTimeDlg::Refresh()
{
    if (CheckTargetNe() != 0 || CheckRight(kRightNeOperations, 'q') != 0)
        return;
    const RecordReply<NeTimeRecord> reply = CRecordRequests().Query<NeTimeRecord>(
        kReqNeTime, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (!reply.Ok() || reply.records.empty())
        return;
    const NeTimeRecord& clock = reply.records.front();
    ShowSeconds(clock.neClock);
    timeZone_ = clock.timeZone;
    upTime_ = clock.upTime;
    UpdateData(false);
    ShowUpTime();
}

void CNeSystemTimeDlg::OnTimer(int id)
{
    if (id != kTickTimer) {
        CADialog::OnTimer(id);
        return;
    }
    // The NE's clock runs on between reads, as does its up time.
    ShowSeconds(ShownSeconds() + 1);
    ShowUpTime();
    ++upTime_;
}

void CNeSystemTimeDlg::OnSyncLocal()
{
    const auto* sync = GetDlgItemAs<QAbstractButton>(kSyncLocalId);
    const bool local = sync != nullptr && sync->isChecked();
    if (local)
        ShowSeconds(static_cast<uint32_t>(std::time(nullptr)));
    EnableControls({kDateId, kTimeId, kRefreshButtonId}, !local);
}

void CNeSystemTimeDlg::SetDateTime()
{
    if (CheckTargetNe() != 0 || !UpdateDialogData())
        return;
    NeTimeRecord clock;
    clock.neClock = ShownSeconds();
    clock.timeZone = static_cast<int16_t>(timeZone_);
    if (!CRecordRequests()
             .Modify(kReqNeTime, static_cast<uint32_t>(GetNeId()), clock, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    EndDialog(IDOK);
}

int CNeSystemTimeDlg::OnCommandHook(int id, int code)
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
        OnSyncLocal();
        return 1;
    default:
        return 0;
    }
}

bool CNeSystemTimeDlg::OnNotify(const NotifyHeader& header, int* result)
{
    if (header.idFrom == kTimeZoneSpinId && header.code == UDN_DELTAPOS) {
        StepSignedNumberEdit(GetDlgItemAs<QLineEdit>(kTimeZoneId), header.delta, kMinTimeZone, kMaxTimeZone);
        return true;
    }
    return CADialog::OnNotify(header, result);
}

void CNeSystemTimeDlg::OnDestroy()
{
    KillTimer(kTickTimer);
    CADialog::OnDestroy();
}
