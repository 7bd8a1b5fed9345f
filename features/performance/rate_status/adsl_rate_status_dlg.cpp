#include "features/performance/rate_status/adsl_rate_status_dlg.h"

#include "core/tables/access_rights.h"
#include "features/performance/pm/pm_port_target.h"
#include "features/performance/rate_status/adsl_rate_status_rows.h"
#include "link/record_requests.h"
#include "link/records/adsl_power_state_rec.h"
#include "link/records/word_record.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_adsl_rate_status_dlg.h"

CAdslRateStatusDlg::CAdslRateStatusDlg(QWidget* parent)
    : CRateStatusDlg(kTemplateId, "AdslRateStatus", parent), ui_(std::make_unique<Ui::CAdslRateStatusDlg>()),
      rows_(*this, UpDownColumns(), [](const UpDownRow& row) { return row.number; })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
}

CAdslRateStatusDlg::~CAdslRateStatusDlg() = default;

void CAdslRateStatusDlg::InitData()
{
    if (!CheckPmPortTargetOrClose(*this, kRightRateStatus, kAdslPortClass))
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsAdslRateStatus);
    rows_.SetRecords(UpDownRows(kStrAdslRateStatusItems));
    Refresh();
}

void CAdslRateStatusDlg::ClearValues()
{
    std::vector<UpDownRow> rows = UpDownRows(kStrAdslRateStatusItems);
    rows_.Apply(rows, {});
    EnableControls({kToL0Id, kToL2Id, kToL3Id}, false);
}

void CAdslRateStatusDlg::ReadValues(uint32_t port)
{
    const RecordReply<AdslRateStatusRec> reply = CRecordRequests().Query<AdslRateStatusRec>(
        kReqAdslRateStatus, static_cast<uint32_t>(GetNeId()), WordRecord{port}, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok() || reply.records.empty())
        return;
    const AdslRateStatusView view = ViewOfRateStatus(reply.records.front());
    std::vector<UpDownRow> rows = UpDownRows(kStrAdslRateStatusItems);
    for (size_t i = 0; i < rows.size() && i < view.rows.size(); ++i) {
        rows[i].downstream = view.rows[i].downstream;
        rows[i].upstream = view.rows[i].upstream;
    }
    rows_.Apply(rows, {});
    EnableControl(kToL0Id, view.toL0);
    EnableControl(kToL2Id, view.toL2);
    EnableControl(kToL3Id, view.toL3);
}

void CAdslRateStatusDlg::Transit(uint32_t state)
{
    transitHold_.emplace();
    const RequestOutcome outcome = CRecordRequests().Action(kReqAdslPowerState, static_cast<uint32_t>(GetNeId()),
                                                            AdslPowerStateRec{GetTargetEntity().id, state},
                                                            {.failureTextId = kStrFailToUpdateData});
    if (!outcome.Ok()) {
        transitHold_.reset();
        return;
    }
    // The line takes a moment to get there; the status is read once it has.
    SetTimer(kTransitTimer, state == kAdslPowerL0 ? kL0WaitMs : kL2L3WaitMs);
}

void CAdslRateStatusDlg::OnTimer(int id)
{
    if (id != kTransitTimer) {
        CRateStatusDlg::OnTimer(id);
        return;
    }
    KillTimer(kTransitTimer);
    Refresh();
    transitHold_.reset();
}

int CAdslRateStatusDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return CRateStatusDlg::OnCommandHook(id, code);
    switch (id) {
    case kToL0Id:
        Transit(kAdslPowerL0);
        return 1;
    case kToL2Id:
        Transit(kAdslPowerL2);
        return 1;
    case kToL3Id:
        Transit(kAdslPowerL3ByCo);
        return 1;
    default:
        return CRateStatusDlg::OnCommandHook(id, code);
    }
}
