#include "features/provisioning/trunk/trunk_vlan_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/trunk/trunk_ports.h"
#include "link/records/vlan_bit_map_rec.h"
#include "ui/framework/dialogs/location_ne_combos.h"
#include "ui/framework/messages/string_ids.h"
#include "ui_trunk_vlan_list_dlg.h"

#include <QComboBox>

#include <algorithm>

CTrunkVlanListDlg::CTrunkVlanListDlg(QWidget* parent)
    : CRecordListDlg(
          kTemplateId,
          {.popupName = "REFRESH_LIST", .rowCommands = {}, .right = kRightTrunkVlans, .exportStem = "TrunkVlan"},
          parent),
      ui_(std::make_unique<Ui::CTrunkVlanListDlg>()),
      rows_(*this, VlanIdColumns(), [](const VlanIdRow& row) { return row.number; })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    rows_.SetTies(ListTies::kArrival);
}

CTrunkVlanListDlg::~CTrunkVlanListDlg() = default;

void CTrunkVlanListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightTrunkVlans) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    InitListColumnsById(kStrColumnsTrunkVlans);
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    auto* combo = GetDlgItemAs<QComboBox>(kPortComboId);
    for (const CEntityIndex& port : TrunkPortIndexes(ne))
        combo->addItem(QString::fromStdString(GetEntityLevelLabel(ne, port)), port.Port());
    // A trunk port as the target is the one shown first.
    if (!SelectComboValue(combo, TrunkPortNumber(GetTargetEntity().id) != 0 ? GetTargetEntity().index.Port() : 1))
        combo->setCurrentIndex(0);
    Load();
}

void CTrunkVlanListDlg::Load()
{
    rows_.SetRecords({});
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const uint32_t portId =
        TrunkPortId(ne, static_cast<int>(SelectedComboValue(GetDlgItemAs<QComboBox>(kPortComboId))));
    if (portId == 0)
        return;
    VlanBitMapRec query;
    query.entityId = portId;
    const RecordReply<VlanBitMapRec> reply = CRecordRequests().Query(
        kReqTrunkVlanMember, static_cast<uint32_t>(GetNeId()), query, {.failureTextId = kStrFailToQuery});
    const auto found = std::find_if(reply.records.begin(), reply.records.end(),
                                    [portId](const VlanBitMapRec& rec) { return rec.entityId == portId; });
    if (!reply.Ok() || found == reply.records.end())
        return;
    rows_.SetRecords(VlanIdRows(found->vlans));
}

void CTrunkVlanListDlg::OnRefresh()
{
    Load();
    if (!GetNoSort())
        SortList(GetSortColumn(), GetSortDirection(), kListControlId);
    UpdateListLayout(kListControlId);
}
