#include "features/performance/long_term/xdsl_long_term_pm_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "link/pdu_log.h"
#include "ui_xdsl_long_term_pm_dlg.h"

namespace {

constexpr int kPortLevel = 4;

} // namespace

CXdslLongTermPmDlg::CXdslLongTermPmDlg(QWidget* parent)
    : CXdslPmIntervalListDlg(kTemplateId, "xDslPmS", "PMDB", PmTimeOrder::kValue, parent),
      ui_(std::make_unique<Ui::CXdslLongTermPmDlg>())
{
    ui_->setupUi(this);
    SetRecordList(Rows());
}

CXdslLongTermPmDlg::~CXdslLongTermPmDlg() = default;

void CXdslLongTermPmDlg::SetRange(int64_t start, int64_t stop)
{
    start_ = start;
    stop_ = stop;
}

void CXdslLongTermPmDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightLongTermPm) != 0 || CheckTargetNeOrClose() != 0)
        return;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const CEntityId& port = GetTargetEntity();
    if (port.index.GetLevel() != kPortLevel || ne->root == nullptr || ne->root->FindById(port.id) == nullptr) {
        ShowAlertTextById(kStrUnknownEntityType);
        EndDialog(IDCANCEL);
        return;
    }
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsLongTermPm);
    OnRefresh();
}

void CXdslLongTermPmDlg::OnRefresh()
{
    std::vector<XdslPmIntervalRec> sides[2];
    const CPduLogHold hold;
    const CRecordRequests requests;
    const LongTermPmQueryRec query{GetTargetEntity().id, static_cast<int32_t>(start_), static_cast<int32_t>(stop_)};
    for (int side = 0; side < 2; ++side) {
        const RecordReply<XdslPmIntervalRec> reply = requests.Query<XdslPmIntervalRec>(
            side == 0 ? kReqLongTermPmCo : kReqLongTermPmRt, static_cast<uint32_t>(GetNeId()), query,
            {.failureTextId = kStrFailToQuery});
        // Each side is asked for, whatever the other answered.
        if (reply.Ok())
            sides[side] = reply.records;
    }
    ShowIntervals(sides[0], sides[1]);
}
