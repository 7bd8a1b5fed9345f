#include "ui/shell/locations/location_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/location_alarms.h"
#include "core/tables/location_tree.h"
#include "link/record_requests.h"
#include "link/records/location_record.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/shell/locations/location_dlg.h"
#include "ui/shell/routing/command_table.h"
#include "ui/shell/tree/group_tree_item.h"
#include "ui_location_list_dlg.h"

#include <algorithm>

namespace {

constexpr uint32_t kMaxSeverityImage = 5; // severities above warning share the last location image

using Column = ListColumn<CLocationNode>;

// The superior's name as the list shows it: the root's name at the top level.
ListValue SuperiorName(const CLocationNode& node)
{
    const CLocationNode* parent = node.GetParentNode();
    return parent != nullptr ? parent->name : AppData().locations.Root().name;
}

// The superior's name as the list sorts by it: none at the top level, which sorts first.
ListValue SuperiorSortName(const CLocationNode& node)
{
    const CLocationNode* parent = node.GetParentNode();
    return parent != nullptr && parent->id != 0 ? parent->name : std::string();
}

int AlarmImage(const CLocationNode& node)
{
    return group_item::kImageLocation + static_cast<int>(std::min(node.gravestSeverity, kMaxSeverityImage));
}

// No., Name, Superior, Contact Person, Telephone, Mobile, E-Mail; every text sorts without regard to case, and No.
// sorts as Superior does.
std::vector<Column> LocationColumns()
{
    return {
        {.sortValue = SuperiorSortName, .image = AlarmImage},
        {.value = &CLocationNode::name},
        {.value = SuperiorName, .sortValue = SuperiorSortName},
        {.value = &CLocationNode::contact},
        {.value = &CLocationNode::telephone},
        {.value = &CLocationNode::mobile},
        {.value = &CLocationNode::email},
    };
}

} // namespace

CLocationListDlg::CLocationListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "GROUP_LIST",
                      .rowCommands = {kRowShow,
                                      kRowModify,
                                      kRowDelete,
                                      {kActiveAlarmButtonId, kPopupActiveAlarm},
                                      {kHistoryAlarmButtonId, kPopupHistoryAlarm}},
                      .activateCommand = kShowButtonId,
                      .right = kRightLocations,
                      // Show, Modify and Add leave the right to the location dialog, which asks its mode's letter.
                      .dialogChecksRight = true,
                      .exportStem = "Location"},
                     parent),
      ui_(std::make_unique<Ui::CLocationListDlg>()),
      rows_(
          *this, LocationColumns(), [](uint32_t id) { return FindLocation(id); }, [this] { return ListedLocations(); })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
}

CLocationListDlg::~CLocationListDlg() = default;

void CLocationListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightLocations) != 0)
        return;
    if (GetLocationId() != 0 && CheckTargetLocationOrClose() != 0)
        return;
    UpdateCaption(kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsLocationList);
    // The row images show the locations' alarms as they are now; the tree keeps them current afterwards.
    RollUpLocationAlarms();
    FillList();
}

std::vector<uint32_t> CLocationListDlg::ListedLocations() const
{
    std::vector<uint32_t> ids;
    const CLocationNode* top = FindLocation(static_cast<uint32_t>(GetLocationId()));
    // Locations outside the operator's scope give no row, but those below them may.
    for (const CLocationNode* node = top; node != nullptr; node = CLocationTree::NextInSubtree(node, top)) {
        if (node->id != 0 && node->inScope != 0)
            ids.push_back(node->id);
    }
    return ids;
}

std::vector<uint32_t> CLocationListDlg::SubLocations(uint32_t locationId) const
{
    std::vector<uint32_t> ids;
    if (const CLocationNode* node = rows_.Find(locationId)) {
        for (const CLocationNode* sub : node->GetChildren())
            ids.push_back(sub->id);
    }
    return ids;
}

void CLocationListDlg::UpdateRows(uint32_t locationId, const std::vector<uint32_t>& subLocations)
{
    rows_.Update(locationId);
    for (uint32_t id : subLocations)
        rows_.Update(id);
}

int CLocationListDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return 0;
    if (id == kActiveAlarmButtonId || id == kPopupActiveAlarm) {
        OpenAlarmCriteria(1);
        return 1;
    }
    if (id == kHistoryAlarmButtonId || id == kPopupHistoryAlarm) {
        OpenAlarmCriteria(0);
        return 1;
    }
    return 0;
}

void CLocationListDlg::OpenAlarmCriteria(int activeHistory)
{
    const std::optional<uint32_t> locationId = RequireSelectedItemData();
    if (!locationId)
        return;
    DialogRequest request;
    request.className = kAlarmCriteriaDlg;
    request.hasLocation = true;
    request.locationId = *locationId;
    request.activeHistory = activeHistory;
    OpenRouteDialog(request);
}

void CLocationListDlg::OnShowRecord(uint32_t locationId)
{
    const CLocationNode* node = rows_.Find(locationId);
    CLocationDlg dlg(this);
    dlg.SetAccessMode(kAccessQuery);
    dlg.SetLocation(locationId, node != nullptr ? node->parentId : 0);
    dlg.DoModal();
}

void CLocationListDlg::OnModifyRecord(uint32_t locationId)
{
    const CLocationNode* node = rows_.Find(locationId);
    CLocationDlg dlg(this);
    dlg.SetAccessMode(kAccessModify);
    dlg.SetLocation(locationId, node != nullptr ? node->parentId : 0);
    if (dlg.DoModal() != IDOK)
        return;
    // The row shows the location as the table holds it now, and the rows below it the name they take as superior.
    UpdateRows(locationId, SubLocations(locationId));
}

void CLocationListDlg::OnAddRecord(std::optional<uint32_t> selected)
{
    CLocationDlg dlg(this);
    dlg.SetAccessMode(kAccessCreate);
    dlg.SetLocation(0, selected.value_or(static_cast<uint32_t>(GetLocationId())));
    if (dlg.DoModal() != IDOK)
        return;
    RefillList();
    SelectRowByItemData(static_cast<uint32_t>(dlg.GetLocationId()));
}

void CLocationListDlg::OnDeleteRecord(uint32_t locationId)
{
    if (!ConfirmDelete())
        return;
    const CLocationNode* node = rows_.Find(locationId);
    LocationRecord record;
    record.id = locationId;
    record.name = node != nullptr ? node->name : std::string();
    if (!CRecordRequests().Delete(kReqLocation, 0, record, {.failureTextId = kStrFailToDelete}).Ok())
        return;
    rows_.Remove(locationId);
}
