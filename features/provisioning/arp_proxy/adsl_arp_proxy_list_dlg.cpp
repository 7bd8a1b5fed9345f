#include "features/provisioning/arp_proxy/adsl_arp_proxy_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/arp_proxy/arp_proxy_columns.h"
#include "link/records/arp_proxy_setting_rec.h"
#include "ui/framework/dialogs/entity_combos.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_adsl_arp_proxy_list_dlg.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr int kXdslLinePorts = 9; // the entity kind of the xDSL line cards and their ports
constexpr int kSlotLevel = 3;
constexpr int kPortLevel = 4;

} // namespace

CAdslArpProxyListDlg::CAdslArpProxyListDlg(QWidget* parent)
    : CRecordListDlg(
          kTemplateId,
          {.popupName = "REFRESH_LIST", .rowCommands = {}, .right = kRightArpProxyLists, .exportStem = "ArpProxy"},
          parent),
      ui_(std::make_unique<Ui::CAdslArpProxyListDlg>()),
      rows_(*this, ArpProxyColumns(
                       [this](const ArpProxyEntryRec& rec) {
                           return FormatEntityLocationById(FindNeById(static_cast<uint32_t>(GetNeId())), rec.portId,
                                                           false);
                       },
                       ArpNumberOrder::kNumbers)),
      portCombos_(*this, {kShelfComboId, kSlotComboId, kPortComboId}, kXdslLinePorts, 0)
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    rows_.SetTies(ListTies::kArrival);
}

CAdslArpProxyListDlg::~CAdslArpProxyListDlg() = default;

void CAdslArpProxyListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightArpProxyLists) != 0 || CheckTargetNeOrClose() != 0)
        return;
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    // A slot as the target lists the whole card: " <ALL>", the first item, stays chosen.
    portCombos_.Refill(ne, 2, &GetTargetEntity().index, LoadString(kStrAll).c_str());
    HoldShelfComboOfSingleShelfNe(GetDlgItemAs<QComboBox>(kShelfComboId), ne);
    UpdateCaption(kCaptionNe | kCaptionLocation);
    InitListColumnsById(kStrColumnsAdslArpProxy);
    Load();
}

void CAdslArpProxyListDlg::Load()
{
    if (CheckTargetNe() != 0)
        return;
    auto* state = GetDlgItemAs<QLineEdit>(kStateId);
    state->clear();
    const CRecordRequests requests;
    const auto neId = static_cast<uint32_t>(GetNeId());
    const RecordReply<ArpProxySettingRec> setting =
        requests.Query<ArpProxySettingRec>(kReqArpProxy, neId, {.failureTextId = kStrFailToQuery});
    rows_.SetRecords({});
    if (!setting.Ok() || setting.records.empty())
        return;
    const bool enabled = setting.records.front().state == 1;
    state->setText(LoadQString(enabled ? kStrValueEnabled : kStrValueDisabled));
    if (setting.records.front().state == 2)
        return;
    const CEntityIndex chosen = portCombos_.Chosen();
    if (chosen.GetLevel() < kSlotLevel)
        return;
    // The NE lists a line card's entries under the card.
    const CEntityIndex cardIndex = chosen.Truncated(kSlotLevel);
    const CEntityId card(&cardIndex);
    const ArpProxyEntryQueryRec key{card.id, card.id, {}};
    const RecordReply<ArpProxyEntryRec> entries =
        requests.Query(kReqArpProxyEntry, neId, key, {.failureTextId = kStrFailToQuery});
    const CEntityId selected(&chosen);
    std::vector<ArpProxyEntryRec> shown;
    for (const ArpProxyEntryRec& entry : entries.records) {
        if (chosen.GetLevel() == kPortLevel ? entry.portId == selected.id : selected.IsAncestorOf(entry.portId))
            shown.push_back(entry);
    }
    rows_.SetRecords(shown);
    if (!GetNoSort())
        SortList(GetSortColumn(), GetSortDirection(), kListControlId);
}

void CAdslArpProxyListDlg::OnRefresh()
{
    Load();
    UpdateListLayout(kListControlId);
}

int CAdslArpProxyListDlg::OnCommandHook(int id, int code)
{
    if (code == CBN_SELCHANGE && (id == kShelfComboId || id == kSlotComboId)) {
        portCombos_.Refill(FindNeById(static_cast<uint32_t>(GetNeId())), id == kShelfComboId ? 3 : 4, nullptr,
                           LoadString(kStrAll).c_str());
        return 1;
    }
    return CRecordListDlg::OnCommandHook(id, code);
}
