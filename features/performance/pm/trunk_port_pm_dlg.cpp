#include "features/performance/pm/trunk_port_pm_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "features/performance/graphs/pm_graph_dlg.h"
#include "link/records/word_record.h"
#include "ui/framework/charts/chart_settings.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_trunk_port_pm_dlg.h"

#include <QLabel>
#include <QStringList>

namespace {

constexpr int kTrunkPorts = 6; // the entity kind of the control and uplink modules and their trunk ports
constexpr int kPortLevel = 4;
constexpr int kOctetsRow = 0;
// Totals on the left axis, differences on the right; incoming and outgoing in lines of their own.
const std::vector<int8_t> kSeriesFlags = {1, -1, 2, -2};

ListValue CountOf(const std::optional<uint32_t>& value)
{
    return value ? ListValue(*value) : ListValue("--");
}

std::vector<ListColumn<TrunkPmRow>> Columns()
{
    return {
        {.value =
             [](const TrunkPmRow& row) {
                 return ListValue(
                     LoadQString(kStrTrunkPmItems).split('|').value(static_cast<int>(row.number)).toStdString());
             },
         .order = ListOrder::kArrival},
        {.value = [](const TrunkPmRow& row) { return CountOf(row.incoming); }, .order = ListOrder::kUnsigned},
        {.value = [](const TrunkPmRow& row) { return CountOf(row.outgoing); }, .order = ListOrder::kUnsigned},
    };
}

} // namespace

CTrunkPortPmDlg::CTrunkPortPmDlg(QWidget* parent)
    : CLivePmListDlg(kTemplateId, {.popupName = "REFRESH_LIST", .rowCommands = {}, .exportStem = "GigaPmC"},
                     kRefreshTimer, parent),
      ui_(std::make_unique<Ui::CTrunkPortPmDlg>()),
      rows_(*this, Columns(), [](const TrunkPmRow& row) { return row.number; }),
      portCombos_(*this, {kShelfComboId, kSlotComboId, kPortComboId}, kTrunkPorts, 1)
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    SetNoSort(true);
}

CTrunkPortPmDlg::~CTrunkPortPmDlg() = default;

void CTrunkPortPmDlg::SetTarget(int neId, const CEntityId* entity)
{
    CRecordListDlg::SetTarget(neId, entity);
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(neId));
    if (ne == nullptr)
        return;
    // The trunk ports of a second control module are those of the first.
    const CEntityIndex port = MapDelegateSlot(ne, GetTargetEntity().index);
    if (!(port == GetTargetEntity().index)) {
        const CEntityId id(&port);
        CRecordListDlg::SetTarget(neId, &id);
    }
}

void CTrunkPortPmDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightTrunkPortPm) != 0 || CheckTargetNeOrClose() != 0)
        return;
    portCombos_.Refill(FindNeById(static_cast<uint32_t>(GetNeId())), 2, &GetTargetEntity().index);
    if (GetTargetEntity().index.GetLevel() != kPortLevel) {
        ShowAlertTextById(kStrInternalError);
        EndDialog(IDCANCEL);
        return;
    }
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    InitListColumnsById(kStrColumnsTrunkPortPm);
    ShowRows(std::nullopt);
    InitAutoRefresh();
    Refresh(false);
}

void CTrunkPortPmDlg::ShowRows(const std::optional<TrunkPmRec>& counters)
{
    std::vector<TrunkPmRow> rows;
    const std::optional<TrunkPmCounters> values =
        counters ? std::optional<TrunkPmCounters>(CountersOf(*counters)) : std::nullopt;
    for (uint32_t n = 0; n < kRowCount; ++n) {
        TrunkPmRow row{n, std::nullopt, std::nullopt};
        if (values) {
            row.incoming = (*values)[n];
            row.outgoing = (*values)[n + kRowCount];
        }
        if (rows_.Find(n) != nullptr)
            rows_.Put(row);
        else
            rows.push_back(row);
    }
    if (!rows.empty())
        rows_.SetRecords(rows);
}

bool CTrunkPortPmDlg::Refresh(bool automatic)
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    if (ne == nullptr)
        return false;
    ui_->entityName->clear();
    ShowRows(std::nullopt);
    const CEntityIndex port = portCombos_.Chosen();
    ui_->entityName->setText(QString::fromStdString(FormatEntityLocation(ne, port, 0, true)));
    const uint32_t portId = EntityIdFromIndexValue(port);
    const RequestOptions options = automatic ? RequestOptions{.failureTextId = 0, .waitDialog = false}
                                             : RequestOptions{.failureTextId = kStrFailToQuery};
    const RecordReply<TrunkPmRec> reply =
        CRecordRequests().Query<TrunkPmRec>(kReqTrunkPm, static_cast<uint32_t>(GetNeId()), WordRecord{portId}, options);
    if (!reply.Ok())
        return false;
    const auto found = std::find_if(reply.records.begin(), reply.records.end(),
                                    [portId](const TrunkPmRec& rec) { return rec.entityId == portId; });
    if (found == reply.records.end())
        return true;
    ShowRows(*found);
    if (CPmGraphDlg* graph = LiveGraph())
        FeedGraph(*graph, *found);
    return true;
}

void CTrunkPortPmDlg::FeedGraph(CPmGraphDlg& graph, const TrunkPmRec& counters)
{
    const TrunkPmGraphPoint point = feed_.Next(CountersOf(counters), GraphedRow());
    if (point.clear)
        graph.ClearSeries(false);
    // The points carry no x label: the axis counts them.
    graph.AddPoints({point.values.begin(), point.values.end()}, QString());
}

void CTrunkPortPmDlg::SetUpGraph(CPmGraphDlg& graph, int row)
{
    graph.SetChartTitle(ChartTitle("TRUNKTRAFFIC"));
    graph.SetMaxPoints(static_cast<uint16_t>(ChartMaxPointsOf("TRUNKTRAFFICMAXPOINT", 100, CPmGraphDlg::kMostPoints)));
    const bool octets = row == kOctetsRow;
    const std::string item = LoadQString(kStrTrunkPmItems).split('|').value(row).toStdString();
    graph.SetAxisTitles(windowTitle().toStdString() + " / " + item, {},
                        LoadString(octets ? kStrOctetsTotal : kStrPacketsTotal),
                        LoadString(octets ? kStrOctetsEach : kStrPacketsEach));
    graph.SetSeries(static_cast<uint8_t>(kSeriesFlags.size()), LoadString(kStrTrunkTrafficSeries), kSeriesFlags);
}

int CTrunkPortPmDlg::OnCommandHook(int id, int code)
{
    if (code == CBN_SELCHANGE && (id == kShelfComboId || id == kSlotComboId)) {
        // The choice below follows; the counters of the port chosen come with the next refresh.
        portCombos_.Refill(FindNeById(static_cast<uint32_t>(GetNeId())), id == kShelfComboId ? 3 : 4);
        return 1;
    }
    return CLivePmListDlg::OnCommandHook(id, code);
}
