#include "ui/shell/locations/location_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/location_alarms.h"
#include "core/tables/location_tree.h"
#include "core/util/names.h"
#include "link/record_requests.h"
#include "link/records/location_record.h"
#include "platform/list_control.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/shell/locations/location_dlg.h"
#include "ui/shell/routing/command_table.h"
#include "ui/shell/tree/group_tree_item.h"
#include "ui_location_list_dlg.h"

namespace {

constexpr uint32_t kStrColumns = 10070;
constexpr uint32_t kStrFailDelete = 10028;
constexpr int kMaxSeverityImage = 5; // severities above warning share the last location image

// The superior's name as the list shows it: the root's name at the top level.
std::string SuperiorName(const CLocationNode& node)
{
    const CLocationNode* parent = node.GetParentNode();
    return parent != nullptr ? parent->name : AppData().locations.Root().name;
}

// The superior a comparison sees: none at the top level.
const CLocationNode* SuperiorOf(const CLocationNode& node)
{
    const CLocationNode* parent = node.GetParentNode();
    return parent != nullptr && parent->id != 0 ? parent : nullptr;
}

int CompareSuperiors(const CLocationNode& a, const CLocationNode& b)
{
    const CLocationNode* superiorA = SuperiorOf(a);
    const CLocationNode* superiorB = SuperiorOf(b);
    if (superiorA == nullptr || superiorB == nullptr)
        return (superiorA != nullptr ? 1 : 0) - (superiorB != nullptr ? 1 : 0);
    return CompareNoCase(superiorA->name, superiorB->name);
}

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
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
                      .exportStem = "Location"},
                     parent),
      ui_(std::make_unique<Ui::CLocationListDlg>())
{
    ui_->setupUi(this);
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
    InitListColumnsById(kStrColumns);
    // The row images show the locations' alarms as they are now.
    RollUpLocationAlarms();
    FillList();
    UpdateRowCommands();
}

void CLocationListDlg::FillList()
{
    CListControl list = List();
    list.DeleteAllItems();
    CLocationTree& tree = AppData().locations;
    const CLocationNode* top = tree.FindLocation(static_cast<uint32_t>(GetLocationId()));
    // Locations outside the operator's scope give no row, but those below them may.
    for (const CLocationNode* node = top; node != nullptr; node = CLocationTree::NextInSubtree(node, top)) {
        if (node->id == 0 || node->inScope == 0)
            continue;
        const int row = list.InsertItem(list.GetItemCount(), QString::number(list.GetItemCount() + 1));
        const uint32_t severity = node->gravestSeverity <= 4 ? node->gravestSeverity : kMaxSeverityImage;
        SetRowImage(row, group_item::kImageLocation + static_cast<int>(severity));
        list.SetItemData(row, node->id);
        WriteRow(row, *node);
    }
}

void CLocationListDlg::WriteRow(int row, const CLocationNode& node)
{
    CListControl list = List();
    list.SetItemText(row, kNameColumn, Text(node.name));
    list.SetItemText(row, kSuperiorColumn, Text(SuperiorName(node)));
    list.SetItemText(row, 3, Text(node.contact));
    list.SetItemText(row, 4, Text(node.telephone));
    list.SetItemText(row, 5, Text(node.mobile));
    list.SetItemText(row, 6, Text(node.email));
}

void CLocationListDlg::RewriteSuperiorCells()
{
    CListControl list = List();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (const CLocationNode* node = FindLocation(list.GetItemData(row)))
            list.SetItemText(row, kSuperiorColumn, Text(SuperiorName(*node)));
    }
}

int CLocationListDlg::CompareItems(uint32_t item1, uint32_t item2, uint32_t flags)
{
    const CLocationNode* a = FindLocation(item1);
    const CLocationNode* b = FindLocation(item2);
    if (a == nullptr)
        return b != nullptr ? -1 : 0;
    if (b == nullptr)
        return 1;
    int result = 0;
    switch (flags & 0xFF) {
    case 0:
    case kSuperiorColumn:
        result = CompareSuperiors(*a, *b);
        break;
    case kNameColumn:
        result = CompareNoCase(a->name, b->name);
        break;
    case 3:
        result = CompareNoCase(a->contact, b->contact);
        break;
    case 4:
        result = CompareNoCase(a->telephone, b->telephone);
        break;
    case 5:
        result = CompareNoCase(a->mobile, b->mobile);
        break;
    case 6:
        result = CompareNoCase(a->email, b->email);
        break;
    default:
        return CompareItemData(item1, item2, flags);
    }
    return (flags & kCompareDescending) != 0 ? -result : result;
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
    const CLocationNode* node = FindLocation(locationId);
    CLocationDlg dlg(this);
    dlg.SetAccessMode(kAccessQuery);
    dlg.SetLocation(locationId, node != nullptr ? node->parentId : 0);
    dlg.DoModal();
}

void CLocationListDlg::OnModifyRecord(uint32_t locationId)
{
    const CLocationNode* node = FindLocation(locationId);
    const std::string oldName = node != nullptr ? node->name : std::string();
    CLocationDlg dlg(this);
    dlg.SetAccessMode(kAccessModify);
    dlg.SetLocation(locationId, node != nullptr ? node->parentId : 0);
    if (dlg.DoModal() != IDOK)
        return;
    CListControl list = List();
    const int row = list.FindItemByData(locationId);
    node = FindLocation(locationId);
    if (node == nullptr) {
        RemoveRow(row);
        return;
    }
    WriteRow(row, *node);
    if (node->name != oldName)
        RewriteSuperiorCells();
    UpdateListLayout();
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
    if (CheckRight(kRightLocations, 'd') != 0 || !ConfirmDelete())
        return;
    CListControl list = List();
    const int row = list.FindItemByData(locationId);
    LocationRecord record;
    record.id = locationId;
    record.name = list.GetItemText(row, kNameColumn).left(static_cast<int>(CLocationNode::kNameMax)).toStdString();
    if (!CRecordRequests().Delete(kReqLocation, 0, record, {.failureTextId = kStrFailDelete}).Ok())
        return;
    RemoveRow(row);
    // The server moves the location's sub-locations to its superior: their rows name it now.
    RewriteSuperiorCells();
}
