#include "features/performance/status_lists/xdsl_mac_spoof_status_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "core/util/mac_address.h"
#include "features/performance/status_lists/xdsl_fdb_list_dlg.h"
#include "features/performance/status_lists/xdsl_status_scope.h"
#include "link/record_requests.h"
#include "link/records/mac_spoof_action_rec.h"
#include "link/records/mac_spoof_check_rec.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_xdsl_mac_spoof_status_list_dlg.h"

#include <QListWidget>

#include <algorithm>

namespace {

constexpr int kConfirmFlags = 0x134;
constexpr uint32_t kSpoofedActive = 2;
constexpr uint32_t kSpoofedInactive = 3;
constexpr uint32_t kRunCheck = 5;
constexpr uint32_t kPermit = 1;
constexpr uint32_t kDenyAll = 2;
constexpr RowCommand kRowPermit{CXdslMacSpoofStatusListDlg::kPermitId, CXdslMacSpoofStatusListDlg::kPopupPermit};
constexpr RowCommand kRowDenyAll{CXdslMacSpoofStatusListDlg::kDenyAllId, CXdslMacSpoofStatusListDlg::kPopupDenyAll};

} // namespace

uint32_t CXdslMacSpoofStatusListDlg::CheckRefusal(uint32_t result)
{
    switch (result) {
    case 0:
        return kStrCheckNeverRun;
    case 2:
        return kStrVcVlanMissing;
    case 3:
        return kStrMacAddressReserved;
    case 4:
        return kStrFdbEntryExistsOrReserved;
    default:
        return 0;
    }
}

CXdslMacSpoofStatusListDlg::CXdslMacSpoofStatusListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "MACSPOOF_LIST",
                      .rowCommands = {kRowPermit, kRowDenyAll},
                      .activateCommand = 0,
                      .right = kRightMacSpoofing,
                      .exportStem = "MacSpoof"},
                     parent),
      ui_(std::make_unique<Ui::CXdslMacSpoofStatusListDlg>()), rows_(*this, Columns())
{
    ui_->setupUi(this);
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CXdslMacSpoofStatusListDlg::~CXdslMacSpoofStatusListDlg() = default;

bool CXdslMacSpoofStatusListDlg::OnControlModule(const MacSpoofRec& entry) const
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    if (ne == nullptr)
        return false;
    const CEntityIndex port = CEntityId(entry.portId).index;
    for (int module : {1, 2}) {
        const CEntityIndex control = CwmModuleIndex(module, ne->neModelId);
        if (!control.IsEmpty() && port.Truncated(3) == control)
            return true;
    }
    return false;
}

// No., Slot-Port, VPI, VCI, MAC Address, VLAN ID, Status and the hidden entity id; a place on the control module
// shows its port's label alone, without a PVC.
std::vector<ListColumn<MacSpoofRec>> CXdslMacSpoofStatusListDlg::Columns()
{
    using R = MacSpoofRec;
    const auto linePort = [this](auto cell) {
        return [this, cell](const R& rec) { return OnControlModule(rec) ? ListValue(std::string()) : cell(rec); };
    };
    return {
        {.order = ListOrder::kArrival},
        {.value =
             [this](const R& rec) {
                 const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
                 const CEntityIndex port = CEntityId(rec.portId).index;
                 return ListValue(OnControlModule(rec) ? GetEntityLevelLabel(ne, port)
                                                       : FormatEntityLocation(ne, port, 0, false));
             },
         .order = ListOrder::kText},
        {.value = linePort([](const R& rec) { return ListValue(uint32_t{rec.vpi}); }), .order = ListOrder::kUnsigned},
        {.value = linePort([](const R& rec) { return ListValue(uint32_t{rec.vci}); }), .order = ListOrder::kUnsigned},
        {.value = [](const R& rec) { return ListValue(FormatMacAddress(rec.mac)); }, .order = ListOrder::kText},
        {.value = linePort(
             [](const R& rec) { return ListValue(rec.vlanId == 0 ? std::string("-") : std::to_string(rec.vlanId)); }),
         .order = ListOrder::kText},
        {.value = [](const R& rec) { return ListValue(CXdslFdbListDlg::StatusText(rec.status)); },
         .order = ListOrder::kText},
        {.value = [](const R& rec) { return ListValue(rec.portId); }, .order = ListOrder::kArrival},
    };
}

void CXdslMacSpoofStatusListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightMacSpoofing) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsFdbEntries);
    if (CXdslStatusScope::VlanColumnHidden(FindNeById(static_cast<uint32_t>(GetNeId()))))
        SetColumnHidden(kVlanColumn, true);
    OnRefresh();
}

void CXdslMacSpoofStatusListDlg::OnRefresh()
{
    entries_.clear();
    ui_->macList->clear();
    ui_->macList->addItem(LoadQString(kStrAllSpoofedMacs));
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    if (ne != nullptr && ne->root != nullptr && ne->root->IsConnected()) {
        const RecordReply<MacSpoofRec> reply = CRecordRequests().Query<MacSpoofRec>(
            kReqMacSpoof, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
        for (const MacSpoofRec& entry : reply.records) {
            const bool spoofed = entry.status == kSpoofedActive || entry.status == kSpoofedInactive;
            if (!spoofed || entry.mac == std::array<uint8_t, 6>{} || entries_.size() == kMaxEntries)
                continue;
            entries_.push_back(entry);
            const QString mac = QString::fromStdString(FormatMacAddress(entry.mac));
            if (ui_->macList->findItems(mac, Qt::MatchExactly).isEmpty())
                ui_->macList->addItem(mac);
        }
    }
    ui_->macList->setCurrentRow(0);
    ShowChosenAddress();
}

void CXdslMacSpoofStatusListDlg::ShowChosenAddress()
{
    const int chosen = ui_->macList->currentRow();
    const std::string mac = chosen > 0 ? ui_->macList->item(chosen)->text().toStdString() : std::string();
    std::vector<MacSpoofRec> shown;
    for (const MacSpoofRec& entry : entries_) {
        if (mac.empty() || FormatMacAddress(entry.mac) == mac)
            shown.push_back(entry);
    }
    rows_.SetRecords(std::move(shown));
    UpdateRowCommands();
}

bool CXdslMacSpoofStatusListDlg::IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const
{
    if (!CRecordListDlg::IsRowCommandOn(command, selected))
        return false;
    const MacSpoofRec* entry = rows_.Find(*selected);
    return entry != nullptr && (command.button != kPermitId || !OnControlModule(*entry));
}

int CXdslMacSpoofStatusListDlg::OnCommandHook(int id, int code)
{
    if (id == kMacListId && code == LBN_SELCHANGE) {
        ShowChosenAddress();
        return 1;
    }
    if (code == BN_CLICKED && (id == kPermitId || id == kPopupPermit)) {
        Permit();
        return 1;
    }
    if (code == BN_CLICKED && (id == kDenyAllId || id == kPopupDenyAll)) {
        DenyAll();
        return 1;
    }
    return CRecordListDlg::OnCommandHook(id, code);
}

void CXdslMacSpoofStatusListDlg::Permit()
{
    if (CheckTargetNe() != 0 || CheckRight(kRightMacSpoofing, 'm') != 0)
        return;
    const std::optional<uint32_t> key = RequireSelectedItemData();
    const MacSpoofRec* entry = key ? rows_.Find(*key) : nullptr;
    if (entry == nullptr || OnControlModule(*entry))
        return;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    const CRecordRequests requests;
    MacSpoofCheckRec check;
    check.command = kRunCheck;
    check.mac = entry->mac;
    check.entityId = entry->portId;
    check.vpi = entry->vpi;
    check.vci = entry->vci;
    if (!requests.Modify(kReqMacSpoofCheck, neId, check, {.failureTextId = kStrFailToUpdateData}).Ok())
        return;
    const RecordReply<MacSpoofCheckRec> verdict =
        requests.Query<MacSpoofCheckRec>(kReqMacSpoofCheck, neId, {.failureTextId = kStrFailToQuery});
    if (!verdict.Ok())
        return;
    const uint32_t refusal = CheckRefusal(verdict.records.empty() ? 0 : verdict.records.front().result);
    if (refusal != 0) {
        ShowAlertTextById(refusal);
        return;
    }
    if (ShowMessageById(kStrSureToPermitData, kConfirmFlags) != IDYES)
        return;
    const MacSpoofActionRec action{entry->mac, entry->portId, kPermit};
    if (requests.Action(kReqMacSpoofAction, neId, action, {.failureTextId = kStrFailToUpdateData}).Ok())
        OnRefresh();
}

void CXdslMacSpoofStatusListDlg::DenyAll()
{
    if (CheckTargetNe() != 0 || CheckRight(kRightMacSpoofing, 'm') != 0)
        return;
    const std::optional<uint32_t> key = RequireSelectedItemData();
    const MacSpoofRec* entry = key ? rows_.Find(*key) : nullptr;
    if (entry == nullptr || ShowMessageById(kStrSureToDenyAllData, kConfirmFlags) != IDYES)
        return;
    const MacSpoofActionRec action{entry->mac, entry->portId, kDenyAll};
    if (CRecordRequests()
            .Action(kReqMacSpoofAction, static_cast<uint32_t>(GetNeId()), action,
                    {.failureTextId = kStrFailToUpdateData})
            .Ok())
        OnRefresh();
}
