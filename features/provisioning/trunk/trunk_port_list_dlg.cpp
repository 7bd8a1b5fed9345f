#include "features/provisioning/trunk/trunk_port_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/common/port_list_actions.h"
#include "features/provisioning/trunk/trunk_port_dlg.h"
#include "features/provisioning/trunk/trunk_ports.h"
#include "link/records/trunk_port_mode_rec.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_trunk_port_list_dlg.h"

#include <charconv>
#include <functional>
#include <map>

namespace {

constexpr char kTrunkPortPmDlg[] = "CTrunkPortPmDlg";

std::string StateText(uint32_t state)
{
    return LoadString(state == 1 ? kStrValueEnabled : kStrValueDisabled);
}

int StateImage(uint32_t state)
{
    return state == 1 ? kImageEnabled : kImageDisabled;
}

// The number and Slot-Port columns keep the order the rows show when clicked.
ListValue KeepOrder(const TrunkPortRow&)
{
    return ListValue(0);
}

// The other columns sort by the number a cell's text starts with ("1 G" by 1); a text without one counts as 0, and
// rows of equal numbers keep the order they show.
ListColumn<TrunkPortRow> ByLeadingNumber(std::function<std::string(const TrunkPortRow&)> text,
                                         std::function<int(const TrunkPortRow&)> image = {})
{
    return {.value = [text](const TrunkPortRow& row) { return ListValue(text(row)); },
            .order = ListOrder::kUnsigned,
            .sortValue =
                [text](const TrunkPortRow& row) {
                    const std::string shown = text(row);
                    uint32_t number = 0;
                    std::from_chars(shown.data(), shown.data() + shown.size(), number);
                    return ListValue(number);
                },
            .image = std::move(image)};
}

} // namespace

CTrunkPortListDlg::CTrunkPortListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "TRUNK_PORT_LIST",
                      .rowCommands = {kRowModify},
                      .activateCommand = kModifyButtonId,
                      .right = kRightTrunkPorts,
                      .dialogChecksRight = true,
                      .exportStem = "TrunkPort"},
                     parent),
      ui_(std::make_unique<Ui::CTrunkPortListDlg>()),
      rows_(*this,
            {
                {.order = ListOrder::kUnsigned, .sortValue = KeepOrder},
                {.value =
                     [this](const TrunkPortRow& row) {
                         return ListValue(FormatEntityLocationById(FindNeById(static_cast<uint32_t>(GetNeId())),
                                                                   row.port.entityId, false));
                     },
                 .order = ListOrder::kUnsigned,
                 .sortValue = KeepOrder},
                ByLeadingNumber([](const TrunkPortRow& row) { return StateText(row.port.adminState); },
                                [](const TrunkPortRow& row) { return StateImage(row.port.adminState); }),
                ByLeadingNumber(
                    [](const TrunkPortRow& row) {
                        return LoadString(row.port.operState == 1 ? kStrLinkUp : kStrLinkDown);
                    },
                    [](const TrunkPortRow& row) { return row.port.operState == 1 ? kImageLinkUp : kImageLinkDown; }),
                ByLeadingNumber([](const TrunkPortRow& row) {
                    return LoadString(row.port.medium == 1 ? kStrMediumFiber : kStrNotApplicable);
                }),
                ByLeadingNumber([](const TrunkPortRow& row) { return TrunkSpeedText(row.port); }),
                ByLeadingNumber([](const TrunkPortRow& row) { return StateText(row.port.autoNegotiation); },
                                [](const TrunkPortRow& row) { return StateImage(row.port.autoNegotiation); }),
                ByLeadingNumber([](const TrunkPortRow& row) {
                    if (!row.uplink)
                        return std::string();
                    return LoadString(*row.uplink != 0 ? kStrUseUplink : kStrUseSubtend);
                }),
            },
            [](const TrunkPortRow& row) { return row.port.entityId; })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    rows_.SetTies(ListTies::kNone);
}

CTrunkPortListDlg::~CTrunkPortListDlg() = default;

void CTrunkPortListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightTrunkPorts) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    EnableSubItemImages();
    InitListColumnsById(kStrColumnsTrunkPorts);
    Load();
}

void CTrunkPortListDlg::Load()
{
    rows_.SetRecords({});
    const CRecordRequests requests;
    const auto neId = static_cast<uint32_t>(GetNeId());
    TrunkPortRec query;
    query.entityId = GetTargetEntity().id;
    const RecordReply<TrunkPortRec> ports =
        requests.Query(kReqTrunkPort, neId, query, {.failureTextId = kStrFailToQuery});
    if (!ports.Ok())
        return;
    const RecordReply<TrunkPortModeRec> modes =
        requests.Query<TrunkPortModeRec>(kReqTrunkPortMode, neId, {.failureTextId = kStrFailToQuery});
    // The use mode of a port is the one its own record gives.
    std::map<uint32_t, uint32_t> uplinkOf;
    for (const TrunkPortModeRec& mode : modes.records)
        uplinkOf.try_emplace(mode.entityId, mode.uplink);
    std::vector<TrunkPortRow> rows;
    for (const TrunkPortRec& port : ports.records) {
        const auto mode = uplinkOf.find(port.entityId);
        rows.push_back({port, mode != uplinkOf.end() ? std::optional<uint32_t>(mode->second) : std::nullopt});
    }
    rows_.SetRecords(rows);
    UpdateRowCommands();
}

void CTrunkPortListDlg::OnRefresh()
{
    Load();
    if (!GetNoSort())
        SortList(GetSortColumn(), GetSortDirection(), kListControlId);
    UpdateListLayout(kListControlId);
}

void CTrunkPortListDlg::OnModifyRecord(uint32_t portId)
{
    const TrunkPortRow* row = rows_.Find(portId);
    if (row == nullptr)
        return;
    CTrunkPortDlg dlg(this);
    const CEntityId port(portId);
    dlg.SetTarget(GetNeId(), &port);
    if (dlg.DoModal() != IDOK)
        return;
    TrunkPortRow changed = *row;
    changed.port.adminState = dlg.GetAdminState();
    changed.port.autoNegotiation = dlg.GetAutoNegotiation();
    if (const std::optional<uint32_t> uplink = dlg.GetUplink())
        changed.uplink = uplink;
    rows_.Put(changed);
}

bool CTrunkPortListDlg::IsRowCommandOn(const RowCommand& /*command*/, std::optional<uint32_t> /*selected*/) const
{
    return true;
}

void CTrunkPortListDlg::OpenPm()
{
    DialogRequest request;
    request.className = kTrunkPortPmDlg;
    request.hasTarget = true;
    request.neId = static_cast<uint32_t>(GetNeId());
    request.hasEntity = true;
    const std::optional<uint32_t> selected = SelectedItemData();
    request.entity = selected ? CEntityId(*selected) : GetTargetEntity();
    if (GetLocationId() != 0) {
        request.hasLocation = true;
        request.locationId = static_cast<uint32_t>(GetLocationId());
    }
    OpenRouteDialog(request);
}

int CTrunkPortListDlg::OnCommandHook(int id, int code)
{
    if (code == BN_CLICKED && (id == kPmButtonId || id == kPopupPm)) {
        OpenPm();
        return 1;
    }
    return CRecordListDlg::OnCommandHook(id, code);
}

void CTrunkPortListDlg::DrawExtras(Dc& dc)
{
    CRecordListDlg::DrawExtras(dc);
    DrawPortStateLegend(dc, *this);
}
