#include "features/performance/status_lists/xdsl_broadcast_filter_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/ne_table.h"
#include "link/record_requests.h"
#include "link/records/vlan_bit_map_rec.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_xdsl_broadcast_filter_dlg.h"

#include <algorithm>

CXdslBroadcastFilterDlg::CXdslBroadcastFilterDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "REFRESH_LIST",
                      .rowCommands = {},
                      .activateCommand = 0,
                      .right = kRightVlanMembership,
                      .exportStem = "xDslBcFlt"},
                     parent),
      ui_(std::make_unique<Ui::CXdslBroadcastFilterDlg>()),
      scope_(*this, CXdslStatusScope::kXdslLinePorts, CXdslStatusScope::Combos::kShelfSlot),
      rows_(*this, VlanIdColumns(), [](const VlanIdRow& row) { return row.number; })
{
    ui_->setupUi(this);
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CXdslBroadcastFilterDlg::~CXdslBroadcastFilterDlg() = default;

void CXdslBroadcastFilterDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightVlanMembership) != 0 || CheckTargetNeOrClose() != 0)
        return;
    scope_.Fill(FindNeById(static_cast<uint32_t>(GetNeId())), GetTargetEntity().index);
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsTrunkVlans);
    OnRefresh();
}

void CXdslBroadcastFilterDlg::OnRefresh()
{
    rows_.SetRecords({});
    const std::optional<CEntityId> slot = scope_.Chosen();
    if (CheckTargetNe() != 0 || !slot || slot->index.GetLevel() != 3)
        return;
    VlanBitMapRec query;
    query.entityId = slot->id;
    const RecordReply<VlanBitMapRec> reply = CRecordRequests().Query(
        kReqBroadcastVlan, static_cast<uint32_t>(GetNeId()), query, {.failureTextId = kStrFailToQuery});
    const auto found = std::find_if(reply.records.begin(), reply.records.end(),
                                    [&](const VlanBitMapRec& rec) { return rec.entityId == slot->id; });
    if (!reply.Ok() || found == reply.records.end())
        return;
    rows_.SetRecords(VlanIdRows(found->vlans));
    if (!GetNoSort())
        SortList(GetSortColumn(), GetSortDirection(), kListControlId);
    UpdateListLayout(kListControlId);
}

int CXdslBroadcastFilterDlg::OnCommandHook(int id, int code)
{
    if (scope_.OnComboChange(id, code))
        return 1;
    return CRecordListDlg::OnCommandHook(id, code);
}
