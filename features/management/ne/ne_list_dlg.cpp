#include "features/management/ne/ne_list_dlg.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_enumeration.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"
#include "features/management/ne/ne_dlg.h"
#include "link/record_requests.h"
#include "link/records/ne_key_record.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/lists/entity_icons.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_ne_list_dlg.h"

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected
constexpr uint32_t kNeItselfEntityId = 1;

// Dialogs of other areas the list opens.
constexpr char kAlarmCriteriaDlg[] = "CAlarmCriteriaDlg";
constexpr char kActiveAlarmDlg[] = "CActiveAlarmDlg";
constexpr char kAdslPortListDlg[] = "CAdslPortListDlg";
constexpr char kShdslPortListDlg[] = "CShdslPortListDlg";
constexpr char kNeConfigBackupListDlg[] = "CNeConfigBackupListDlg";
constexpr char kNeConfigBackupRestoreDlg[] = "CNeConfigBackupRestoreDlg";

constexpr RowCommand kRowWriteFlash{CNeListDlg::kWriteFlashButtonId, CNeListDlg::kPopupWriteFlash};
constexpr RowCommand kRowBackup{CNeListDlg::kBackupButtonId, CNeListDlg::kPopupBackup};
constexpr RowCommand kRowActiveAlarm{CNeListDlg::kActiveAlarmButtonId, CNeListDlg::kPopupActiveAlarm};
constexpr RowCommand kRowAdslPort{CNeListDlg::kAdslPortButtonId, CNeListDlg::kPopupAdslPort};

using Column = ListColumn<CNeRecord>;

bool IsDirect()
{
    return AppSettings().directControl;
}

ListValue ModelName(const CNeRecord& ne)
{
    const CEntityType* model = FindEntityModel(ne.neModelId);
    return model != nullptr ? model->GetDisplayName() : std::string();
}

// The address, then the port.
ListValue AddressOrder(const CNeRecord& ne)
{
    return (static_cast<int64_t>(IpToUInt32(ne.address)) << 16) | ne.port;
}

// No., Name, Location, IP address, Community, Model; No. keeps the name order of the fill, Model sorts by model ids.
std::vector<Column> NeColumns()
{
    return {
        {.order = ListOrder::kArrival, .image = [](const CNeRecord& ne) { return GetEntityStateIcon(&ne, 0); }},
        {.value = &CNeRecord::name},
        {.value = [](const CNeRecord& ne) { return ListValue(ne.GetLocationName()); }},
        {.value = [](const CNeRecord& ne) { return ListValue(ne.address); },
         .order = ListOrder::kUnsigned,
         .sortValue = AddressOrder},
        {.value = &CNeRecord::community},
        {.value = ModelName, .order = ListOrder::kUnsigned, .sortValue = &CNeRecord::neModelId},
    };
}

} // namespace

CNeListDlg::CNeListDlg(QWidget* parent)
    : CRecordListDlg(
          kTemplateId,
          {.popupName = "NE_LIST",
           .rowCommands = {kRowShow, kRowModify, kRowDelete, kRowActiveAlarm, kRowAdslPort, kRowBackup, kRowWriteFlash},
           .activateCommand = kShowButtonId,
           .activateAsksForRow = true,
           .right = kRightNeOperations,
           .dialogChecksRight = true,
           .exportStem = "Node"},
          parent),
      ui_(std::make_unique<Ui::CNeListDlg>()),
      rows_(
          *this, NeColumns(), [](uint32_t id) { return FindNeById(id); }, [this] { return ListedNes(); })
{
    ui_->setupUi(this);
    rows_.SetRemovalCount([] { return AppData().nes.RemovalCount(); });
    SetRecordList(rows_);
}

CNeListDlg::~CNeListDlg() = default;

void CNeListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightNeOperations) != 0)
        return;
    UpdateCaption(kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsNeList);
    if (IsDirect()) {
        ShowControls({kBackupButtonId, kAddButtonId, kDeleteButtonId}, false);
        SetColumnHidden(kLocationColumn, true);
        // The list's own NE is the directly managed one, the NE table's only NE, whatever the tree has current.
        if (GetNeId() == 0) {
            if (const CNeRecord* ne = ResolveNeRecord(nullptr))
                SetTarget(static_cast<int>(ne->neId), nullptr);
        }
    }
    // Tens of thousands of NEs are gathered in one step and listed in the next.
    FillListInTwoSteps();
}

std::vector<uint32_t> CNeListDlg::ListedNes() const
{
    std::vector<uint32_t> ids;
    const bool withSubLocations = ReadIniBool("DIALOG", "NELISTINCLSUBNE", true, ConfigFilePath());
    const uint32_t locationId = static_cast<uint32_t>(GetLocationId());
    // A location that is gone lists nothing.
    if (locationId != 0 && FindLocation(locationId) == nullptr)
        return ids;
    for (const CNeRecord* ne = ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        // The connection is looked at only when it filters: it lives in the NE's entity tree, one more look per NE.
        const bool filtered = connectionFilter_ == kConnectedNes || connectionFilter_ == kUnconnectedNes;
        if (filtered && IsNeConnected(*ne) != (connectionFilter_ == kConnectedNes))
            continue;
        if (NeMatchesLocation(ne, FindLocation(ne->locationId), locationId, withSubLocations ? 1 : 0, 0) != 0)
            ids.push_back(ne->neId);
    }
    return ids;
}

bool CNeListDlg::IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const
{
    const CNeRecord* ne = selected ? FindNeById(*selected) : nullptr;
    if (ne == nullptr)
        return false;
    if (ne->planned != 1 && IsNeConnected(*ne))
        return true;
    // A planned or unconnected NE has no configuration, alarms or ports to reach.
    return command.button == kShowButtonId || command.button == kModifyButtonId || command.button == kDeleteButtonId;
}

// The SHDSL Port button stays on whatever is selected; its menu entry needs a reachable NE, as ADSL Port does.
std::vector<uint16_t> CNeListDlg::GreyedPopupCommands() const
{
    if (IsRowCommandOn(kRowAdslPort, SelectedItemData()))
        return {};
    return {static_cast<uint16_t>(kPopupShdslPort)};
}

int CNeListDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return 0;
    switch (id) {
    case kWriteFlashButtonId:
    case kPopupWriteFlash:
        WriteFlash();
        return 1;
    case kBackupButtonId:
    case kPopupBackup:
        OpenBackups();
        return 1;
    case kActiveAlarmButtonId:
    case kPopupActiveAlarm:
        OpenActiveAlarms();
        return 1;
    case kAdslPortButtonId:
    case kPopupAdslPort:
        OpenPortList(kAdslPortListDlg);
        return 1;
    case kShdslPortButtonId:
    case kPopupShdslPort:
        OpenPortList(kShdslPortListDlg);
        return 1;
    default:
        return 0;
    }
}

void CNeListDlg::OnShowRecord(uint32_t neId)
{
    CNeDlg dlg(this);
    dlg.SetAccessMode(kAccessQuery);
    dlg.SetTarget(static_cast<int>(neId), nullptr);
    dlg.DoModal();
}

void CNeListDlg::OnModifyRecord(uint32_t neId)
{
    CNeDlg dlg(this);
    dlg.SetAccessMode(kAccessModify);
    dlg.SetTarget(static_cast<int>(neId), nullptr);
    if (dlg.DoModal() != IDOK)
        return;
    RefillList();
    SelectRowByItemData(static_cast<uint32_t>(dlg.GetNeId()));
}

void CNeListDlg::OnAddRecord(std::optional<uint32_t> /*selected*/)
{
    CNeDlg dlg(this);
    dlg.SetAccessMode(kAccessCreate);
    dlg.SetLocationId(GetLocationId());
    if (dlg.DoModal() != IDOK)
        return;
    RefillList();
    ScrollToItemData(static_cast<uint32_t>(dlg.GetNeId()));
}

void CNeListDlg::OnDeleteRecord(uint32_t neId)
{
    if (!ConfirmDelete())
        return;
    const CNeRecord* ne = rows_.Find(neId);
    NeKeyRecord record;
    record.neId = neId;
    record.neName = ne != nullptr ? ne->name : std::string();
    if (!CRecordRequests().Delete(kReqNeKey, neId, record, {.failureTextId = kStrFailToDelete}).Ok())
        return;
    // The row goes now; the NE table follows the server's notice.
    rows_.Remove(neId);
}

void CNeListDlg::WriteFlash()
{
    if (CheckRight(kRightNeOperations, 'x') != 0)
        return;
    const std::optional<uint32_t> neId = RequireSelectedItemData();
    if (!neId || ShowMessageById(kStrSureToWriteFlash, kConfirmFlags) != IDYES)
        return;
    if (CRecordRequests().Action(kReqFlashWrite, *neId, {.failureTextId = kStrFailToWriteFlash}).Ok())
        ShowInfoTextById(kStrCompleteWritingFlash);
}

void CNeListDlg::OpenBackups()
{
    const std::optional<uint32_t> neId = RequireSelectedItemData();
    if (!neId)
        return;
    DialogRequest request;
    request.className = IsDirect() ? kNeConfigBackupRestoreDlg : kNeConfigBackupListDlg;
    request.hasTarget = true;
    request.neId = *neId;
    request.hasEntity = true;
    request.entity = CEntityId(kNeItselfEntityId);
    OpenRouteDialog(request);
}

void CNeListDlg::OpenActiveAlarms()
{
    DialogRequest request;
    request.hasTarget = true;
    request.hasEntity = true;
    request.entity = CEntityId(kNeItselfEntityId);
    if (IsDirect()) {
        // The directly managed NE's alarms, brought up to date first; whatever the NE answers, they are shown.
        if (CheckTargetNe() != 0 || !RequireSelectedItemData())
            return;
        CRecordRequests().Query(kReqEntityState, static_cast<uint32_t>(GetNeId()));
        request.className = kActiveAlarmDlg;
        request.neId = static_cast<uint32_t>(GetNeId());
    } else if (const std::optional<uint32_t> neId = SelectedItemData()) {
        request.className = kActiveAlarmDlg;
        request.neId = *neId;
    } else {
        request = DialogRequest{};
        request.className = kAlarmCriteriaDlg;
        request.hasLocation = true;
        request.locationId = static_cast<uint32_t>(GetLocationId());
        request.activeHistory = 1;
    }
    OpenRouteDialog(request);
}

void CNeListDlg::OpenPortList(const char* className)
{
    const std::optional<uint32_t> neId = RequireSelectedItemData();
    if (!neId)
        return;
    DialogRequest request;
    request.className = className;
    request.hasTarget = true;
    request.neId = *neId;
    request.hasEntity = true;
    request.entity = CEntityId(kNeItselfEntityId);
    OpenRouteDialog(request);
}
