#include "features/provisioning/vlans/vlan_membership_list_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/line_card_slots.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "core/util/vlan_id.h"
#include "features/provisioning/vlans/vlan_membership_bits.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_vlan_membership_list_dlg.h"

#include <QListWidget>

#include <algorithm>
#include <cstdio>

namespace {

constexpr unsigned kPortsPerRow = 10;

std::string PortRangeText(const VlanMatrixRow& row)
{
    if (row.slotId == 0)
        return LoadString(kStrUplinkPorts);
    char text[8];
    std::snprintf(text, sizeof text, "%02u-%02u", row.firstPort,
                  std::min(row.firstPort + kPortsPerRow - 1, kPortsPerLineCardSlot));
    return text;
}

} // namespace

CVlanMembershipListDlg::CVlanMembershipListDlg(QWidget* parent)
    : CRecordListDlg(
          kTemplateId,
          {.popupName = "GENERIC_LIST", .rowCommands = {}, .right = kRightVlanMembership, .exportStem = "xDslVdb"},
          parent),
      ui_(std::make_unique<Ui::CVlanMembershipListDlg>()), rows_(*this, Columns())
{
    ui_->setupUi(this);
    SetRecordList(rows_);
}

CVlanMembershipListDlg::~CVlanMembershipListDlg() = default;

std::vector<ListColumn<VlanMatrixRow>> CVlanMembershipListDlg::Columns()
{
    std::vector<ListColumn<VlanMatrixRow>> columns{
        {.order = ListOrder::kArrival},
        {.value =
             [this](const VlanMatrixRow& row) {
                 if (row.slotId == 0)
                     return ListValue(LoadString(kStrUplinkSlot));
                 const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
                 return ListValue(row.firstPort == 1 ? FormatEntityLocationById(ne, row.slotId) : std::string());
             },
         .order = ListOrder::kArrival},
        {.value = [](const VlanMatrixRow& row) { return ListValue(PortRangeText(row)); }, .order = ListOrder::kArrival},
    };
    for (int column = kFirstPortColumn; column < kFirstPortColumn + kPortColumns; ++column) {
        columns.push_back({.value =
                               [this, column](const VlanMatrixRow& row) {
                                   const int state = CellState(row, column);
                                   return ListValue(state < 0
                                                        ? std::string()
                                                        : LoadString(state == 1 ? kStrVlanMember : kStrVlanNonMember));
                               },
                           .order = ListOrder::kArrival,
                           .image =
                               [this, column](const VlanMatrixRow& row) {
                                   const int state = CellState(row, column);
                                   return state < 0 ? -1 : (state == 1 ? kImageMember : kImageNonMember);
                               }});
    }
    return columns;
}

int CVlanMembershipListDlg::CellState(const VlanMatrixRow& row, int column) const
{
    const unsigned offset = static_cast<unsigned>(column - kFirstPortColumn);
    if (row.slotId == 0) {
        if (offset >= kUplinkPorts)
            return -1;
        return shown_ != nullptr && IsUplinkMember(*shown_, offset) ? 1 : 0;
    }
    const unsigned port = row.firstPort + offset;
    if (port > kPortsPerLineCardSlot)
        return -1;
    return shown_ != nullptr && IsLinePortMember(*shown_, row.slotIndex, port) ? 1 : 0;
}

void CVlanMembershipListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightVlanMembership) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    EnableSubItemImages();
    InitListColumnsById(kStrColumnsSlotPortMembers);

    // The rows: ten ports of each line-card slot at a time, then the uplinks.
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    std::vector<VlanMatrixRow> matrix;
    const std::vector<uint32_t> slotIds = LineCardSlotIds(CurrentEntityModels(), ne != nullptr ? ne->neModelId : 0);
    for (size_t k = 0; k < slotIds.size(); ++k) {
        for (unsigned first = 1; first <= kPortsPerLineCardSlot; first += kPortsPerRow)
            matrix.push_back({slotIds[k], k, first});
    }
    matrix.push_back({});
    rows_.SetRecords(std::move(matrix));

    const RecordReply<VlanMembershipRec> reply = CRecordRequests().Query<VlanMembershipRec>(
        kReqVlanMembership, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    for (const VlanMembershipRec& rec : reply.records) {
        if (IsVlanId(rec.vlanId))
            vlans_[rec.vlanId] = rec;
    }
    auto* vlanList = GetDlgItemAs<QListWidget>(kVlanListId);
    if (vlans_.empty() || vlanList == nullptr) {
        ShowAlertTextById(kStrNoData, kVlanListId);
        EndDialog(IDCANCEL);
        return;
    }
    for (const auto& [vlanId, rec] : vlans_)
        vlanList->addItem(QString::number(vlanId));
    vlanList->setCurrentRow(0);
    ShowVlan();
}

void CVlanMembershipListDlg::ShowVlan()
{
    const auto* vlanList = GetDlgItemAs<QListWidget>(kVlanListId);
    const QListWidgetItem* chosen = vlanList != nullptr ? vlanList->currentItem() : nullptr;
    shown_ = nullptr;
    if (chosen == nullptr) {
        ShowAlertTextById(kStrPleaseSelectOneItem, kVlanListId);
    } else if (const auto found = vlans_.find(static_cast<uint16_t>(chosen->text().toUInt())); found != vlans_.end()) {
        shown_ = &found->second;
    }
    for (uint32_t key = 0; key < rows_.StoredCount(); ++key)
        rows_.Replace(key, *rows_.Find(key));
}

int CVlanMembershipListDlg::OnCommandHook(int id, int code)
{
    if (id == kVlanListId && code == LBN_SELCHANGE) {
        ShowVlan();
        return 1;
    }
    return CRecordListDlg::OnCommandHook(id, code);
}
