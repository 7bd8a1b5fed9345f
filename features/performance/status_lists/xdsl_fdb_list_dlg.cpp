#include "features/performance/status_lists/xdsl_fdb_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "core/util/mac_address.h"
#include "link/record_requests.h"
#include "platform/list_control.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_xdsl_fdb_list_dlg.h"

#include <algorithm>
#include <array>

namespace {

constexpr uint32_t kSpoofedActive = 2;
constexpr uint32_t kSpoofedInactive = 3;
constexpr uint32_t kVirtualMac = 6;
constexpr uint32_t kRowCommandDelete = 6;
constexpr COLORREF kGreyText = 0x808080;

constexpr std::array<uint32_t, 8> kStatusTexts = {
    kStrFdbLearnedUnique,
    kStrFdbLearnedSpoofedActive,
    kStrFdbLearnedSpoofedInactive,
    kStrFdbAclDeny,
    kStrFdbAclPermit,
    kStrFdbVirtualMac,
    kStrFdbStatic,
    kStrFdbLearnedUniqueNonAged,
};

// Ties broken on the port, the PVC and the MAC address, so that equal cells keep one order.
std::string Tail(const FdbEntryRec& rec)
{
    char text[40];
    std::snprintf(text, sizeof text, "%010u%03u%05u", rec.portId, rec.vpi, rec.vci);
    return text + FormatMacAddress(rec.mac);
}

// The VLAN's ties: the VPI, then the port and the MAC address.
std::string VlanTail(const FdbEntryRec& rec)
{
    char text[40];
    std::snprintf(text, sizeof text, "%03u%010u", rec.vpi, rec.portId);
    return text + FormatMacAddress(rec.mac);
}

} // namespace

CXdslFdbListDlg::CXdslFdbListDlg(QWidget* parent)
    : CXdslStatusListDlg(kTemplateId,
                         {.popupName = "DEL_REFRESH_LIST",
                          .rowCommands = {kRowDelete},
                          .activateCommand = 0,
                          .right = kRightFilteringDatabase,
                          .deleteTargetNeFirst = true,
                          .exportStem = "xDslFdb"},
                         {.namesId = kStrColumnsFdbEntries, .vlanColumn = kVlanColumn}, parent),
      ui_(std::make_unique<Ui::CXdslFdbListDlg>()), rows_(*this, Columns())
{
    ui_->setupUi(this);
    // An entry without a MAC address is none.
    Scope().Feed(rows_, kReqFdb, &FdbQueryRec::entityId,
                 [](const FdbEntryRec& rec) { return rec.mac != std::array<uint8_t, 6>{}; });
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CXdslFdbListDlg::~CXdslFdbListDlg() = default;

std::string CXdslFdbListDlg::StatusText(uint32_t status)
{
    return status >= 1 && status <= kStatusTexts.size() ? LoadString(kStatusTexts[status - 1]) : std::string();
}

bool CXdslFdbListDlg::IsKeptByNe(uint32_t status)
{
    return status == kSpoofedActive || status == kSpoofedInactive || status == kVirtualMac;
}

// No., Slot-Port, VPI, VCI, MAC Address, VLAN ID, Status and the hidden entity id.
std::vector<ListColumn<FdbEntryRec>> CXdslFdbListDlg::Columns()
{
    using R = FdbEntryRec;
    const auto digits = [](uint32_t value, int width) {
        char text[16];
        std::snprintf(text, sizeof text, "%0*u", width, value);
        return std::string(text);
    };
    return {
        {.order = ListOrder::kArrival},
        PortLocationColumn<R>([](const R& rec) { return ListValue(Tail(rec)); }),
        {.value = [](const R& rec) { return ListValue(uint32_t{rec.vpi}); },
         .order = ListOrder::kText,
         .sortValue =
             [digits](const R& rec) { return ListValue(digits(rec.vpi, 3) + digits(rec.vci, 5) + Tail(rec)); }},
        {.value = [](const R& rec) { return ListValue(uint32_t{rec.vci}); },
         .order = ListOrder::kText,
         .sortValue =
             [digits](const R& rec) { return ListValue(digits(rec.vci, 5) + digits(rec.vpi, 3) + Tail(rec)); }},
        {.value = [](const R& rec) { return ListValue(FormatMacAddress(rec.mac)); },
         .order = ListOrder::kText,
         .sortValue = [](const R& rec) { return ListValue(FormatMacAddress(rec.mac) + Tail(rec)); }},
        {.value =
             [](const R& rec) { return ListValue(rec.vlanId == 0 ? std::string("-") : std::to_string(rec.vlanId)); },
         .order = ListOrder::kText,
         .sortValue = [digits](const R& rec) { return ListValue(digits(rec.vlanId, 4) + VlanTail(rec)); }},
        {.value = [](const R& rec) { return ListValue(StatusText(rec.status)); },
         .order = ListOrder::kText,
         .sortValue = [](const R& rec) { return ListValue(StatusText(rec.status) + '\t' + Tail(rec)); }},
        {.value = [](const R& rec) { return ListValue(rec.portId); }, .order = ListOrder::kArrival},
    };
}

bool CXdslFdbListDlg::IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const
{
    if (!CXdslStatusListDlg::IsRowCommandOn(command, selected))
        return false;
    const FdbEntryRec* rec = rows_.Find(*selected);
    return rec != nullptr && !IsKeptByNe(rec->status);
}

void CXdslFdbListDlg::GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor, COLORREF* backColor2,
                                    int listId)
{
    CXdslStatusListDlg::GetItemColors(row, column, textColor, backColor, backColor2, listId);
    const FdbEntryRec* rec = rows_.Find(List().GetItemData(row));
    if (rec != nullptr && IsKeptByNe(rec->status))
        *textColor = kGreyText;
}

void CXdslFdbListDlg::OnDeleteRecord(uint32_t key)
{
    const FdbEntryRec* rec = rows_.Find(key);
    if (rec == nullptr || IsKeptByNe(rec->status) || !ConfirmDelete())
        return;
    // The entry's key and the row command; the status and VLAN are the NE's and go as zero.
    FdbEntryRec entry;
    entry.portId = rec->portId;
    entry.vpi = rec->vpi;
    entry.vci = rec->vci;
    entry.mac = rec->mac;
    entry.rowCommand = kRowCommandDelete;
    if (!CRecordRequests()
             .Delete(kReqFdb, static_cast<uint32_t>(GetNeId()), entry, {.failureTextId = kStrFailToUpdateData})
             .Ok())
        return;
    rows_.Remove(key);
    UpdateRowCommands();
}
