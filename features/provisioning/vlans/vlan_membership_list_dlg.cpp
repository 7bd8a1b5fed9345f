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
#include "ui_vlan_membership_list_dlg.h"

#include <QListWidget>

CVlanMembershipListDlg::CVlanMembershipListDlg(QWidget* parent)
    : CRecordListDlg(
          kTemplateId,
          {.popupName = "GENERIC_LIST", .rowCommands = {}, .right = kRightVlanMembership, .exportStem = "xDslVdb"},
          parent),
      ui_(std::make_unique<Ui::CVlanMembershipListDlg>()),
      rows_(*this, PortMatrixColumns([this] { return FindNeById(static_cast<uint32_t>(GetNeId())); },
                                     [this](const PortMatrixRow& row, unsigned port) { return IsMember(row, port); }))
{
    ui_->setupUi(this);
    SetRecordList(rows_);
}

CVlanMembershipListDlg::~CVlanMembershipListDlg() = default;

bool CVlanMembershipListDlg::IsMember(const PortMatrixRow& row, unsigned port) const
{
    if (shown_ == nullptr)
        return false;
    return row.slotId == 0 ? IsUplinkMember(*shown_, port) : IsLinePortMember(*shown_, row.slotIndex, port);
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
    rows_.SetRecords(PortMatrixRows(LineCardSlotIds(CurrentEntityModels(), ne != nullptr ? ne->neModelId : 0)));

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
