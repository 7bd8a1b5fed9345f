#include "features/performance/pm/trunk_port_pm_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "features/performance/graphs/chart_settings.h"
#include "features/performance/graphs/pm_graph_dlg.h"
#include "link/records/word_record.h"
#include "ui/framework/dialogs/entity_combos.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_trunk_port_pm_dlg.h"

#include <QComboBox>
#include <QLabel>
#include <QStringList>
#include <QTime>

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
        {.value = [](const TrunkPmRow& row) { return CountOf(row.incoming); },
         .order = ListOrder::kUnsigned,
         .widestValue = "4294967295"},
        {.value = [](const TrunkPmRow& row) { return CountOf(row.outgoing); },
         .order = ListOrder::kUnsigned,
         .widestValue = "4294967295"},
    };
}

// The counters of the record in row order: the six incoming, then the six outgoing.
TrunkPmCounters CountersOf(const TrunkPmRec& rec)
{
    const TrunkTrafficCountersRec& in = rec.incoming;
    const TrunkTrafficCountersRec& out = rec.outgoing;
    return {in.octets,
            in.unicastPackets,
            in.nonUnicastPackets,
            in.discardedPackets,
            in.erroneousPackets,
            rec.incomingPauseFrames,
            out.octets,
            out.unicastPackets,
            out.nonUnicastPackets,
            out.discardedPackets,
            out.erroneousPackets,
            rec.outgoingPauseFrames};
}

} // namespace

CTrunkPortPmDlg::CTrunkPortPmDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId, {.popupName = "REFRESH_LIST", .rowCommands = {}, .exportStem = "GigaPmC"}, parent),
      ui_(std::make_unique<Ui::CTrunkPortPmDlg>()),
      rows_(*this, Columns(), [](const TrunkPmRow& row) { return row.number; })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    SetNoSort(true);
}

CTrunkPortPmDlg::~CTrunkPortPmDlg() = default;

void CTrunkPortPmDlg::SetTarget(int neId, const CEntityId* entity)
{
    CRecordListDlg::SetTarget(neId, entity);
    // The trunk ports of a second control module are those of the first.
    if (const CNeRecord* ne = FindNeById(static_cast<uint32_t>(neId))) {
        const CEntityIndex mapped = MapDelegateSlot(ne, GetTargetEntity().index);
        if (!(mapped == GetTargetEntity().index)) {
            const CEntityId port(&mapped);
            CRecordListDlg::SetTarget(neId, &port);
        }
    }
}

void CTrunkPortPmDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Check(dx, kAutoRefreshId, autoRefreshOn_);
}

void CTrunkPortPmDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightTrunkPortPm) != 0 || CheckTargetNeOrClose() != 0)
        return;
    FillCombos(2, &GetTargetEntity().index);
    if (GetTargetEntity().index.GetLevel() != kPortLevel) {
        ShowAlertTextById(kStrInternalError);
        EndDialog(IDCANCEL);
        return;
    }
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    InitListColumnsById(kStrColumnsTrunkPortPm);
    ShowRows(std::nullopt);
    rows_.ApplyWidthRules(kListControlId);
    autoRefresh_.SetPeriodMs(DialogRefreshPeriodMs());
    UpdateData(false);
    ApplyAutoRefresh();
    Refresh(false);
}

void CTrunkPortPmDlg::FillCombos(int fromLevel, const CEntityIndex* wanted)
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    // Each combo keeps the number chosen before where it lists it, asked for again after the refill above it.
    auto at = [&] { return wanted != nullptr ? *wanted : ChosenPort(); };
    if (fromLevel <= 2) {
        const CEntityIndex index = at();
        InitShelfCombo(GetDlgItemAs<QComboBox>(kShelfComboId), ne, &index, kTrunkPorts, 1);
    }
    if (fromLevel <= 3) {
        const CEntityIndex index = at();
        InitSlotCombo(GetDlgItemAs<QComboBox>(kSlotComboId), ne, &index, kTrunkPorts, 1);
    }
    const CEntityIndex index = at();
    InitPortCombo(GetDlgItemAs<QComboBox>(kPortComboId), ne, &index, kTrunkPorts, 1);
}

CEntityIndex CTrunkPortPmDlg::ChosenPort() const
{
    return CEntityIndex::FromLevels(1, SelectedEntityNumber(GetDlgItemAs<QComboBox>(kShelfComboId)),
                                    SelectedEntityNumber(GetDlgItemAs<QComboBox>(kSlotComboId)),
                                    SelectedEntityNumber(GetDlgItemAs<QComboBox>(kPortComboId)));
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
    const CEntityIndex port = ChosenPort();
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
    if (graphOpen_)
        FeedGraph(*found);
    return true;
}

void CTrunkPortPmDlg::FeedGraph(const TrunkPmRec& counters)
{
    const TrunkPmGraphPoint point = feed_.Next(CountersOf(counters), graphedRow_);
    if (point.clear)
        graph_->ClearSeries(false);
    graph_->AddPoints({point.values.begin(), point.values.end()},
                      QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

void CTrunkPortPmDlg::ApplyAutoRefresh()
{
    EnableControl(kRefreshButtonId, autoRefreshOn_ == 0);
    UpdateGraphButton();
    if (autoRefreshOn_ != 0) {
        autoRefresh_.Start();
        SetTimer(kRefreshTimer, autoRefresh_.PeriodMs());
    } else {
        KillTimer(kRefreshTimer);
    }
}

void CTrunkPortPmDlg::UpdateGraphButton()
{
    EnableControl(kGraphButtonId, autoRefreshOn_ != 0 && SelectedItemData().has_value());
}

void CTrunkPortPmDlg::OnTimer(int id)
{
    if (id != kRefreshTimer) {
        CRecordListDlg::OnTimer(id);
        return;
    }
    KillTimer(kRefreshTimer);
    if (Refresh(true)) {
        SetTimer(kRefreshTimer, autoRefresh_.Rearm());
        return;
    }
    if (graphOpen_)
        graph_->DisableRefreshButtons();
    autoRefreshOn_ = 0;
    UpdateData(false);
    ApplyAutoRefresh();
}

void CTrunkPortPmDlg::OnListSelChanged(int row, int listId)
{
    CRecordListDlg::OnListSelChanged(row, listId);
    if (listId == kListControlId)
        UpdateGraphButton();
}

void CTrunkPortPmDlg::OnRefresh()
{
    Refresh(false);
}

std::vector<uint16_t> CTrunkPortPmDlg::GreyedPopupCommands() const
{
    if (autoRefreshOn_ != 0)
        return {static_cast<uint16_t>(kPopupRefresh)};
    return {};
}

void CTrunkPortPmDlg::OpenGraph()
{
    const std::optional<uint32_t> row = SelectedItemData();
    if (!row)
        return;
    graphedRow_ = static_cast<int>(*row);
    feed_.RequestReset();
    CPmGraphDlg graph(this);
    graph.SetChartTitle(ChartTitle("TRUNKTRAFFIC"));
    graph.SetMaxPoints(static_cast<uint16_t>(ChartMaxPointsOf("TRUNKTRAFFICMAXPOINT", 100, CPmGraphDlg::kMostPoints)));
    const bool octets = graphedRow_ == kOctetsRow;
    const std::string item = LoadQString(kStrTrunkPmItems).split('|').value(graphedRow_).toStdString();
    graph.SetAxisTitles(windowTitle().toStdString() + " / " + item, {},
                        LoadString(octets ? kStrOctetsTotal : kStrPacketsTotal),
                        LoadString(octets ? kStrOctetsEach : kStrPacketsEach));
    graph.SetSeries(static_cast<uint8_t>(kSeriesFlags.size()), LoadString(kStrTrunkTrafficSeries), kSeriesFlags);
    graph_ = &graph;
    graphOpen_ = true;
    graph.DoModal();
    graphOpen_ = false;
    graph_ = nullptr;
    if (autoRefreshOn_ != 0) {
        autoRefresh_.Start();
        SetTimer(kRefreshTimer, autoRefresh_.PeriodMs());
    }
}

int CTrunkPortPmDlg::OnCommandHook(int id, int code)
{
    if (code == CBN_SELCHANGE && (id == kShelfComboId || id == kSlotComboId)) {
        // The choice below follows; the counters of the port chosen come with the next refresh.
        FillCombos(id == kShelfComboId ? 3 : 4, nullptr);
        return 1;
    }
    if (code != BN_CLICKED)
        return CRecordListDlg::OnCommandHook(id, code);
    switch (id) {
    case kAutoRefreshId:
        UpdateDialogData();
        ApplyAutoRefresh();
        return 1;
    case kGraphButtonId:
        OpenGraph();
        return 1;
    case CPmGraphDlg::kStopRefreshId:
        KillTimer(kRefreshTimer);
        return 1;
    case CPmGraphDlg::kRestartId:
        autoRefresh_.Start();
        feed_.RequestReset();
        SetTimer(kRefreshTimer, autoRefresh_.PeriodMs());
        return 1;
    default:
        return CRecordListDlg::OnCommandHook(id, code);
    }
}
