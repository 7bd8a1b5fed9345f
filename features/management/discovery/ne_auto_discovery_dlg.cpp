#include "features/management/discovery/ne_auto_discovery_dlg.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/access_rights.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"
#include "features/management/common/server_combos.h"
#include "features/management/discovery/add_discovered_ne_dlg.h"
#include "features/management/discovery/discovery_range_dlg.h"
#include "link/record_requests.h"
#include "link/records/ne_key_record.h"
#include "platform/list_control.h"
#include "platform/notify_codes.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/lists/record_table_model.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/menus/context_menu.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_ne_auto_discovery_dlg.h"

namespace {

constexpr char kPingFromClientDlg[] = "CPingFromClientDlg";
constexpr uint16_t kNePort = 161;
// What a timer's request waits for the server at most.
constexpr int32_t kTimerRequestMs = 1000;
constexpr COLORREF kFinishedBack = 0xFFE8C8; // light blue
constexpr COLORREF kFailedText = 0x0000FF;   // red

using D = CNeAutoDiscoveryDlg;

std::string ModelText(uint32_t modelId)
{
    const CEntityType* model = modelId != 0 ? FindEntityModel(modelId) : nullptr;
    return model != nullptr ? model->GetDisplayName() : LoadString(kStrAll);
}

// A found NE is dropped on the server by its address alone.
FoundNeRec DropOf(const IpAddress& address)
{
    FoundNeRec drop;
    drop.ipAddress = address;
    return drop;
}

uint64_t AddressPair(const IpAddress& first, const IpAddress& second)
{
    return (uint64_t{IpToUInt32(first)} << 32) | IpToUInt32(second);
}

std::vector<ListColumn<DiscoveryRangeRow>> RangeColumns()
{
    // The address columns sort by the clicked address, then by the other one; ties by the rows' numbers.
    return {
        {.value = &DiscoveryRangeRow::number, .order = ListOrder::kUnsigned},
        {.value = [](const DiscoveryRangeRow& row) { return ListValue(row.range.firstIp); },
         .order = ListOrder::kUnsigned,
         .sortValue =
             [](const DiscoveryRangeRow& row) { return ListValue(AddressPair(row.range.firstIp, row.range.lastIp)); }},
        {.value = [](const DiscoveryRangeRow& row) { return ListValue(row.range.lastIp); },
         .order = ListOrder::kUnsigned,
         .sortValue =
             [](const DiscoveryRangeRow& row) { return ListValue(AddressPair(row.range.lastIp, row.range.firstIp)); }},
        {.value =
             [](const DiscoveryRangeRow& row) {
                 return ListValue(ModelText(row.range.modelId) + " / " + row.range.community);
             }},
        {.value =
             [](const DiscoveryRangeRow& row) {
                 return ListValue(LoadString(row.range.state == 1 ? kStrRangeFinished : kStrRangePolling));
             }},
        {.value = [](const DiscoveryRangeRow& row) { return ListValue(row.range.modelId); },
         .order = ListOrder::kUnsigned},
    };
}

ListValue StatusText(const FoundNeRow& row)
{
    switch (row.status) {
    case FoundNeStatus::kOnline:
        return LoadString(kStrPingOnline);
    case FoundNeStatus::kOffline:
        return LoadString(kStrPingOffline);
    case FoundNeStatus::kUnknown:
        break;
    }
    return LoadString(kStrUnknown);
}

std::vector<ListColumn<FoundNeRow>> FoundColumns()
{
    return {
        {.value = &FoundNeRow::number,
         .order = ListOrder::kUnsigned,
         .image = [](const FoundNeRow& row) { return row.failed ? kImageFailed : -1; }},
        {.value = [](const FoundNeRow& row) { return ListValue(row.ne.ipAddress); }, .order = ListOrder::kIpv4},
        {.value = [](const FoundNeRow& row) { return ListValue(ModelText(row.ne.modelId)); }},
        {.value = [](const FoundNeRow& row) { return ListValue(row.ne.description); }},
        {.value = StatusText},
        {.value = [](const FoundNeRow& row) { return ListValue(row.ne.modelId); }, .order = ListOrder::kUnsigned},
    };
}

} // namespace

D::Periods CNeAutoDiscoveryDlg::ReadPeriods()
{
    const std::string file = ConfigFilePath();
    Periods periods;
    periods.refreshMs = ReadIniIntInRange("DIALOG", "AUTODISCOVERYREFRESHTIME", 10000, file, 5000, 65000, true);
    periods.pingMs = ReadIniIntInRange("DIALOG", "AUTODISCOVERYPINGTIME", 1000, file, 100, 10000, true);
    periods.pingWaitMs = ReadIniIntInRange("DIALOG", "AUTODISCOVERYPINGWAIT", 500, file, 50, 5000, true);
    return periods;
}

CNeAutoDiscoveryDlg::CNeAutoDiscoveryDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "NEAUTOFILTER_LIST",
                      .rowCommands = {kRowDelete, {kRestartButtonId, kPopupRestart}},
                      .right = kRightNeAutoDiscovery,
                      .exportStem = "NEAutoFilter"},
                     parent),
      ui_(std::make_unique<Ui::CNeAutoDiscoveryDlg>()),
      ranges_(*this, RangeColumns(), [](const DiscoveryRangeRow& row) { return KeyOf(row); }),
      found_(*this, FoundColumns(), [](const FoundNeRow& row) { return KeyOf(row); }), pinger_(this)
{
    ui_->setupUi(this);
    ranges_.SetTies(ListTies::kKey);
    found_.SetTies(ListTies::kKey);
    SetRecordList(ranges_);
    AddRecordList(found_, kFoundListId);
}

CNeAutoDiscoveryDlg::~CNeAutoDiscoveryDlg() = default;

void CNeAutoDiscoveryDlg::InitData()
{
    if (EndWithoutServer(*this))
        return;
    if (CheckAccessRightOrClose(kRightNeAutoDiscovery) != 0)
        return;
    rangeCounter_ = 0;
    foundCounter_ = 0;
    pingIndex_ = 0;
    SetSmallImages(kListControlId);
    SetSmallImages(kFoundListId);
    EnableCheckBoxes(kFoundListId);
    // A click anywhere on a found NE's row ticks it; the list does not tick it a second time.
    found_.Model().SetTickedByOwner(true);
    InitListColumnsById(kStrColumnsDiscoveryRanges, kListControlId);
    InitListColumnsById(kStrColumnsFoundNes, kFoundListId);
    periods_ = ReadPeriods();
    Refresh(true);
    UpdateRowCommands();
    SetTimer(kRefreshTimer, static_cast<int>(periods_.refreshMs));
    SetTimer(kPingTimer, static_cast<int>(periods_.pingMs));
}

bool CNeAutoDiscoveryDlg::IsInnermost() const
{
    return GetCurrentDialog() == this;
}

void CNeAutoDiscoveryDlg::OnTimer(int id)
{
    if (id == kRefreshTimer) {
        if (!IsInnermost())
            return;
        KillTimer(kRefreshTimer);
        Refresh(false);
        if (!IsEnded())
            SetTimer(kRefreshTimer, static_cast<int>(periods_.refreshMs));
        return;
    }
    if (id == kPingTimer) {
        if (IsInnermost())
            PingNext();
        return;
    }
    CRecordListDlg::OnTimer(id);
}

std::vector<DiscoveryRangeRow> CNeAutoDiscoveryDlg::RangeRows() const
{
    std::vector<DiscoveryRangeRow> rows;
    rows.reserve(ranges_.Model().Keys().size());
    for (uint32_t key : ranges_.Model().Keys()) {
        if (const DiscoveryRangeRow* row = ranges_.Find(key))
            rows.push_back(*row);
    }
    return rows;
}

std::vector<FoundNeRow> CNeAutoDiscoveryDlg::FoundRows() const
{
    std::vector<FoundNeRow> rows;
    rows.reserve(found_.Model().Keys().size());
    for (uint32_t key : found_.Model().Keys()) {
        if (const FoundNeRow* row = found_.Find(key))
            rows.push_back(*row);
    }
    return rows;
}

void CNeAutoDiscoveryDlg::Refresh(bool first)
{
    const RequestOptions options = first ? RequestOptions{.failureTextId = kStrFailToQuery}
                                         : RequestOptions{.timeoutMs = kTimerRequestMs, .waitDialog = false};
    const CRecordRequests requests;
    const RecordReply<DiscoveryRangeRec> ranges = requests.Query<DiscoveryRangeRec>(kReqDiscoveryRange, 0, options);
    if (!ranges.Ok() || IsEnded())
        return;
    const RowChanges<DiscoveryRangeRow> rangeChanges = ReconcileRanges(RangeRows(), ranges.records, &rangeCounter_);
    ranges_.Apply(rangeChanges.put, rangeChanges.removed);

    const RecordReply<FoundNeRec> found = requests.Query<FoundNeRec>(kReqFoundNe, 0, options);
    if (!found.Ok() || IsEnded())
        return;
    const FoundNeKnowledge knowledge{
        [](const IpAddress& address) { return FindNeByAddress(address, kNePort) != nullptr; },
        [](uint32_t modelId) { return FindEntityModel(modelId) != nullptr; }};
    const FoundNeReconciliation foundChanges = ReconcileFoundNes(FoundRows(), found.records, knowledge, &foundCounter_);
    found_.Apply(foundChanges.rows.put, foundChanges.rows.removed);
    for (const FoundNeRec& managed : foundChanges.drops)
        requests.Delete(kReqFoundNe, 0, DropOf(managed.ipAddress), {.timeoutMs = kTimerRequestMs, .waitDialog = false});
    UpdateFoundCommands();
}

void CNeAutoDiscoveryDlg::PingNext()
{
    const CListControl list(FindList(kFoundListId));
    const int count = list.IsValid() ? list.GetItemCount() : 0;
    if (count == 0) {
        pingIndex_ = 0;
        return;
    }
    if (pinger_.IsBusy())
        return;
    pingIndex_ = (pingIndex_ + 1) % count;
    const FoundNeRow* row = found_.Find(list.GetItemData(pingIndex_));
    if (row == nullptr)
        return;
    KillTimer(kPingTimer);
    pinger_.Start(row->ne.ipAddress, static_cast<int32_t>(periods_.pingWaitMs),
                  [this](const IpAddress& address, bool online) { OnPinged(address, online); });
}

void CNeAutoDiscoveryDlg::OnPinged(const IpAddress& address, bool online)
{
    for (FoundNeRow row : FoundRows()) {
        if (row.ne.ipAddress != address)
            continue;
        row.status = online ? FoundNeStatus::kOnline : FoundNeStatus::kOffline;
        found_.Put(row);
    }
    if (!IsEnded())
        SetTimer(kPingTimer, static_cast<int>(periods_.pingMs));
}

void CNeAutoDiscoveryDlg::GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor,
                                        COLORREF* backColor2, int listId)
{
    CRecordListDlg::GetItemColors(row, column, textColor, backColor, backColor2, listId);
    const uint32_t key = CListControl(FindList(listId)).GetItemData(row);
    if (listId == kListControlId) {
        const DiscoveryRangeRow* range = ranges_.Find(key);
        if (range != nullptr && range->range.state == 1) {
            *backColor = kFinishedBack;
            *backColor2 = kFinishedBack;
        }
    } else if (listId == kFoundListId) {
        const FoundNeRow* found = found_.Find(key);
        if (found != nullptr && found->failed)
            *textColor = kFailedText;
    }
}

int CNeAutoDiscoveryDlg::CompareItems(uint32_t item1, uint32_t item2, uint32_t flags)
{
    if ((item1 & kRangeRowBit) != 0)
        return ranges_.Compare(item1, item2, flags);
    return found_.Compare(item1, item2, flags);
}

void CNeAutoDiscoveryDlg::OnAddRecord(std::optional<uint32_t> /*selected*/)
{
    CNeAutoDiscoveryRangeDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    DiscoveryRangeRec range = dlg.GetRange();
    range.state = 0;
    if (!CRecordRequests().Add(kReqDiscoveryRange, 0, range, {.failureTextId = kStrAddingNewDataFailed}).Ok())
        return;
    const DiscoveryRangeRow row{++rangeCounter_, range};
    ranges_.Put(row);
    ScrollToItemData(KeyOf(row));
}

void CNeAutoDiscoveryDlg::OnDeleteRecord(uint32_t key)
{
    const DiscoveryRangeRow* row = ranges_.Find(key);
    if (row == nullptr || !ConfirmDelete())
        return;
    // A range is named by its addresses and model; the community is not sent.
    DiscoveryRangeRec range;
    range.firstIp = row->range.firstIp;
    range.lastIp = row->range.lastIp;
    range.modelId = row->range.modelId;
    if (!CRecordRequests().Delete(kReqDiscoveryRange, 0, range, {.failureTextId = kStrFailToDelete}).Ok())
        return;
    ranges_.Remove(key);
}

void CNeAutoDiscoveryDlg::RestartRange()
{
    if (CheckRight(kRightNeAutoDiscovery, 'd') != 0 || CheckRight(kRightNeAutoDiscovery, 'c') != 0)
        return;
    const std::optional<uint32_t> key = RequireSelectedItemData();
    const DiscoveryRangeRow* row = key ? ranges_.Find(*key) : nullptr;
    if (row == nullptr)
        return;
    DiscoveryRangeRec range = row->range;
    range.state = 0;
    const CRecordRequests requests;
    if (!requests.Delete(kReqDiscoveryRange, 0, range, {.failureTextId = kStrFailToDelete}).Ok())
        return;
    ranges_.Remove(*key);
    if (!requests.Add(kReqDiscoveryRange, 0, range, {.failureTextId = kStrAddingNewDataFailed}).Ok())
        return;
    const DiscoveryRangeRow restarted{++rangeCounter_, range};
    ranges_.Put(restarted);
}

std::vector<FoundNeRow> CNeAutoDiscoveryDlg::TickedRows() const
{
    std::vector<FoundNeRow> rows;
    const CListControl list(FindList(kFoundListId));
    const CRecordTableModel& model = found_.Model();
    for (int i = 0; list.IsValid() && i < list.GetItemCount(); ++i) {
        const uint32_t key = list.GetItemData(i);
        const FoundNeRow* row = found_.Find(key);
        if (row != nullptr && model.IsChecked(key))
            rows.push_back(*row);
    }
    return rows;
}

void CNeAutoDiscoveryDlg::ResetFoundMarks()
{
    std::vector<FoundNeRow> cleared;
    for (FoundNeRow row : FoundRows()) {
        if (!row.failed)
            continue;
        row.failed = false;
        cleared.push_back(row);
    }
    found_.Apply(cleared, {});
}

void CNeAutoDiscoveryDlg::MarkFailed(const FoundNeRow& row)
{
    FoundNeRow marked = row;
    marked.failed = true;
    found_.Put(marked);
}

void CNeAutoDiscoveryDlg::UpdateFoundCommands()
{
    const CRecordTableModel& model = found_.Model();
    const std::vector<uint32_t>& keys = model.Keys();
    const bool ticked = std::any_of(keys.begin(), keys.end(), [&](uint32_t key) { return model.IsChecked(key); });
    EnableControls({kAddNesButtonId, kIgnoreNesButtonId}, ticked);
}

void CNeAutoDiscoveryDlg::ToggleFoundRow(int row)
{
    const CListControl list(FindList(kFoundListId));
    if (!list.IsValid() || row < 0 || row >= list.GetItemCount())
        return;
    const uint32_t key = list.GetItemData(row);
    found_.Model().SetChecked(key, !found_.Model().IsChecked(key));
}

void CNeAutoDiscoveryDlg::AddNes()
{
    if (CheckRight(kRightMcChannels, 'c') != 0)
        return;
    ResetFoundMarks();
    const std::vector<FoundNeRow> ticked = TickedRows();
    if (ticked.empty()) {
        ShowAlertTextById(kStrPleaseSelectOneItem, kFoundListId);
        return;
    }
    CAddDiscoveredNeDlg dlg(this);
    if (GetLocationId() != 0 && FindLocation(static_cast<uint32_t>(GetLocationId())) != nullptr)
        dlg.SetLocationId(GetLocationId());
    if (dlg.DoModal() != IDOK)
        return;
    NeKeyRecord key = dlg.SharedKey();
    const CRecordRequests requests;
    for (const FoundNeRow& row : ticked) {
        key.ipAddress = row.ne.ipAddress;
        key.neName = FormatIpAddress(row.ne.ipAddress);
        key.modelId = row.ne.modelId;
        if (FindNeByName(key.neName) != nullptr || FindNeByAddress(key.ipAddress, kNePort) != nullptr) {
            MarkFailed(row);
            continue;
        }
        if (requests.Add(kReqNeKey, static_cast<uint32_t>(GetNeId()), key, {}).Ok())
            found_.Remove(KeyOf(row));
        else
            MarkFailed(row);
    }
    UpdateFoundCommands();
}

void CNeAutoDiscoveryDlg::IgnoreNes()
{
    if (CheckRight(kRightNeAutoDiscovery, 'd') != 0)
        return;
    ResetFoundMarks();
    const std::vector<FoundNeRow> ticked = TickedRows();
    if (ticked.empty()) {
        ShowAlertTextById(kStrPleaseSelectOneItem, kFoundListId);
        return;
    }
    if (!ConfirmDelete())
        return;
    const CRecordRequests requests;
    for (const FoundNeRow& row : ticked) {
        if (requests.Delete(kReqFoundNe, 0, DropOf(row.ne.ipAddress), {}).Ok())
            found_.Remove(KeyOf(row));
        else
            MarkFailed(row);
    }
    UpdateFoundCommands();
}

void CNeAutoDiscoveryDlg::PingSelectedNe()
{
    DialogRequest request;
    request.className = kPingFromClientDlg;
    const CListControl list(FindList(kFoundListId));
    if (const FoundNeRow* row = list.IsValid() ? found_.Find(list.GetItemData(list.GetNextSelected(-1))) : nullptr)
        request.ipAddress = FormatIpAddress(row->ne.ipAddress);
    OpenRouteDialog(request);
}

void CNeAutoDiscoveryDlg::OnExport()
{
    KillTimer(kRefreshTimer);
    CRecordListDlg::OnExport();
    if (!IsEnded())
        SetTimer(kRefreshTimer, static_cast<int>(periods_.refreshMs));
}

void CNeAutoDiscoveryDlg::ExportNes()
{
    CExportDlg dlg;
    dlg.SetExportSource(FindList(kFoundListId), "NEAutoFound", '\t');
    dlg.DoModal();
}

void CNeAutoDiscoveryDlg::ShowFoundMenu()
{
    std::vector<uint16_t> disabled;
    const CRecordTableModel& model = found_.Model();
    const std::vector<uint32_t>& keys = model.Keys();
    if (std::none_of(keys.begin(), keys.end(), [&](uint32_t key) { return model.IsChecked(key); }))
        disabled = {static_cast<uint16_t>(kPopupAddNes), static_cast<uint16_t>(kPopupIgnoreNes)};
    disabled.push_back(0);
    TrackContextMenu("NEAUTOFOUND_LIST", this, disabled.data());
}

int CNeAutoDiscoveryDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return 0;
    switch (id) {
    case kRestartButtonId:
    case kPopupRestart:
        RestartRange();
        return 1;
    case kAddNesButtonId:
    case kPopupAddNes:
        AddNes();
        return 1;
    case kIgnoreNesButtonId:
    case kPopupIgnoreNes:
        IgnoreNes();
        return 1;
    case kPingNeButtonId:
    case kPopupPingNe:
        PingSelectedNe();
        return 1;
    case kExportNesButtonId:
    case kPopupExportNes:
        ExportNes();
        return 1;
    default:
        return 0;
    }
}

int CNeAutoDiscoveryDlg::OnNotifyHook(const NotifyHeader& header, int* /*result*/)
{
    if (header.idFrom != kFoundListId)
        return 0;
    switch (header.code) {
    case NM_CLICK:
        ToggleFoundRow(header.item);
        return 1;
    case NM_RCLICK:
        ShowFoundMenu();
        return 1;
    case LVN_ITEMCHANGED:
        if ((header.newState & LVIS_STATEIMAGEMASK) != (header.oldState & LVIS_STATEIMAGEMASK))
            UpdateFoundCommands();
        return 0;
    default:
        return 0;
    }
}
