#include "features/performance/pm/adsl_history_pm_dlg.h"

#include "core/tables/access_rights.h"
#include "features/performance/pm/pm_port_target.h"
#include "link/pdu_log.h"
#include "ui_adsl_history_pm_dlg.h"

CAdslHistoryPmDlg::CAdslHistoryPmDlg(QWidget* parent)
    : CXdslPmIntervalListDlg(kTemplateId, "xDslPmH", "PMHIS", PmTimeOrder::kText, parent),
      ui_(std::make_unique<Ui::CAdslHistoryPmDlg>())
{
    ui_->setupUi(this);
    SetRecordList(Rows());
}

CAdslHistoryPmDlg::~CAdslHistoryPmDlg() = default;

void CAdslHistoryPmDlg::InitData()
{
    if (!CheckPmPortTargetOrClose(*this, kRightHistoryPm, kAdslPortClass))
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsAdslHistoryPm);
    OnRefresh();
}

void CAdslHistoryPmDlg::OnRefresh()
{
    if (CheckTargetNe() != 0 || CheckRight(kRightHistoryPm, 'q') != 0)
        return;
    // A side the NE does not answer with intervals adds no rows; the other side's still come.
    std::vector<XdslPmIntervalRec> sides[2];
    const CPduLogHold hold;
    const CRecordRequests requests;
    const AdslHistoryQueryRec query{GetTargetEntity().id};
    for (int side = 0; side < 2; ++side) {
        const RecordReply<XdslPmIntervalRec> reply = requests.Query<XdslPmIntervalRec>(
            side == 0 ? kReqAdslHistoryCo : kReqAdslHistoryRt, static_cast<uint32_t>(GetNeId()), query,
            {.failureTextId = kStrFailToQuery});
        if (!reply.Ok())
            break;
        sides[side] = reply.records;
    }
    ShowIntervals(sides[0], sides[1]);
}
