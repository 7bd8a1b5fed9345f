#include "features/performance/pm/shdsl_his_pm_dlg.h"

#include "core/tables/access_rights.h"
#include "features/performance/graphs/graph_dlg.h"
#include "features/performance/pm/pm_description.h"
#include "features/performance/pm/pm_interval_columns.h"
#include "features/performance/pm/pm_port_target.h"
#include "features/performance/pm/shdsl_pm_values.h"
#include "link/pdu_log.h"
#include "link/record_requests.h"
#include "ui/framework/charts/chart_settings.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_shdsl_his_pm_dlg.h"

namespace {

using R = ShdslHisPmRow;
constexpr uint32_t kSideCo = 1;
constexpr uint32_t kSideRt = 2;

} // namespace

std::vector<ListColumn<R>> ShdslHisPmColumns()
{
    using C = ShdslPmCountersRec;
    return {
        PmIntervalCreateTimeThenSideColumn<R>(kPmTimeByText), PmIntervalSideColumn<R>(kPmTimeByText),
        PmIntervalNumberColumn<R>(&C::es, kPmTimeByText),     PmIntervalNumberColumn<R>(&C::ses, kPmTimeByText),
        PmIntervalNumberColumn<R>(&C::uas, kPmTimeByText),    PmIntervalNumberColumn<R>(&C::losws, kPmTimeByText),
        PmIntervalNumberColumn<R>(&C::crc, kPmTimeByText),
    };
}

std::vector<ShdslHisPmRow> MakeShdslHisPmRows(const std::vector<ShdslIntervalRec>& co,
                                              const std::vector<ShdslIntervalRec>& rt)
{
    return MakePmIntervalRowsOf<ShdslHisPmRow>(
        co, rt, [](const ShdslIntervalRec& rec, bool) { return PlausibleShdslInterval(rec); });
}

CShdslHisPmDlg::CShdslHisPmDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId, {.popupName = "PM_HIS_LIST", .rowCommands = {}, .exportStem = "ShdslPmH"}, parent),
      ui_(std::make_unique<Ui::CShdslHisPmDlg>()),
      rows_(*this, ShdslHisPmColumns(), [](const ShdslHisPmRow& row) { return row.number; })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    rows_.SetTies(ListTies::kArrival);
}

CShdslHisPmDlg::~CShdslHisPmDlg() = default;

void CShdslHisPmDlg::InitData()
{
    if (!CheckPmPortTargetOrClose(*this, kRightHistoryPm, kShdslPortClass))
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsShdslHistoryPm);
    OnRefresh();
}

void CShdslHisPmDlg::OnRefresh()
{
    if (CheckTargetNe() != 0 || CheckRight(kRightCurrentPm, 'q') != 0)
        return;
    rows_.SetRecords({});
    EnableControl(kGraphButtonId, false);
    // A side the NE refuses stops the refresh; the CO rows already read stay, and Graph stays off.
    std::vector<ShdslIntervalRec> sides[2];
    bool complete = true;
    {
        const CPduLogHold hold;
        const CRecordRequests requests;
        for (const uint32_t side : {kSideCo, kSideRt}) {
            const RecordReply<ShdslIntervalRec> reply = requests.Query<ShdslIntervalRec>(
                kReqShdslHistory, static_cast<uint32_t>(GetNeId()), ShdslHistoryQueryRec{GetTargetEntity().id, side, 0},
                {.failureTextId = kStrFailToQuery});
            if (!reply.Ok()) {
                complete = false;
                break;
            }
            sides[side - 1] = reply.records;
        }
    }
    const std::vector<ShdslHisPmRow> rows = MakeShdslHisPmRows(sides[0], sides[1]);
    rows_.SetRecords(rows);
    if (!GetNoSort() && IsFirstShowDone())
        SortList(GetSortColumn(), GetSortDirection(), GetListId());
    UpdateListLayout(GetListId());
    EnableControl(kGraphButtonId, complete && !rows.empty());
}

std::vector<uint16_t> CShdslHisPmDlg::GreyedPopupCommands() const
{
    if (IsControlEnabled(kGraphButtonId))
        return {};
    return {static_cast<uint16_t>(kGraphPopupId)};
}

void CShdslHisPmDlg::OpenGraph()
{
    if (!IsControlEnabled(kGraphButtonId))
        return;
    CGraphDlg graph(this);
    graph.SetChartTitle(ChartTitle("PMHIS"));
    graph.SetAxisTitles(windowTitle().toStdString(), LoadString(kStrCreateTime), LoadString(kStrSecondsAxis),
                        LoadString(kStrFrames));
    graph.SetSeriesTitles(LoadString(kStrCo) + "|" + LoadString(kStrRt));
    graph.SetSourceList(2, 1, FindList(GetListId()));
    graph.SetSourceColumns(1, kCreateTimeColumn, {kEsColumn, kSesColumn, kUasColumn, kLosColumn, -kCrcColumn});
    // CO and RT need not have as many intervals: the series are the sides, lined up by creation time.
    graph.SetSourceGroupColumn(kSideColumn);
    const int column = GetSortColumn();
    const int direction = GetSortDirection();
    SortList(kSideColumn, kSortAscending, GetListId());
    graph.DoModal();
    SortList(column, direction, GetListId());
}

int CShdslHisPmDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && (id == kGraphButtonId || id == kGraphPopupId)) {
        OpenGraph();
        return 1;
    }
    if (code == BN_CLICKED && (id == kDescriptionButtonId || id == kDescriptionPopupId)) {
        ShowXdslPmDescription(this);
        return 1;
    }
    return CRecordListDlg::OnCommandHook(id, code);
}
