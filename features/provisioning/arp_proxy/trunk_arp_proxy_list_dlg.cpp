#include "features/provisioning/arp_proxy/trunk_arp_proxy_list_dlg.h"

#include "core/entity/entity_id.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/arp_proxy/arp_proxy_columns.h"
#include "link/records/arp_proxy_setting_rec.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_trunk_arp_proxy_list_dlg.h"

#include <QLineEdit>

CTrunkArpProxyListDlg::CTrunkArpProxyListDlg(QWidget* parent)
    : CRecordListDlg(
          kTemplateId,
          {.popupName = "REFRESH_LIST", .rowCommands = {}, .right = kRightArpProxyLists, .exportStem = "TrunkArpProxy"},
          parent),
      ui_(std::make_unique<Ui::CTrunkArpProxyListDlg>()),
      rows_(*this, ArpProxyColumns(
                       [this](const ArpProxyEntryRec& rec) {
                           // The port's own label: the trunk ports are those of the one module.
                           return GetEntityLevelLabel(FindNeById(static_cast<uint32_t>(GetNeId())),
                                                      EntityIndexFromId(rec.portId));
                       },
                       ArpNumberOrder::kTexts))
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    rows_.SetTies(ListTies::kArrival);
}

CTrunkArpProxyListDlg::~CTrunkArpProxyListDlg() = default;

void CTrunkArpProxyListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightArpProxyLists) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    InitListColumnsById(kStrColumnsTrunkArpProxy);
    Load();
}

void CTrunkArpProxyListDlg::Load()
{
    auto* state = GetDlgItemAs<QLineEdit>(kStateId);
    state->clear();
    rows_.SetRecords({});
    const CRecordRequests requests;
    const auto neId = static_cast<uint32_t>(GetNeId());
    const RecordReply<ArpProxySettingRec> setting =
        requests.Query<ArpProxySettingRec>(kReqArpProxy, neId, {.failureTextId = kStrFailToQuery});
    if (!setting.Ok() || setting.records.empty())
        return;
    const uint32_t arpState = setting.records.front().state;
    state->setText(LoadQString(arpState == 1 ? kStrValueEnabled : kStrValueDisabled));
    if (arpState == 2)
        return;
    const CNeRecord* ne = FindNeById(neId);
    const uint32_t module = EntityIdFromIndexValue(CwmModuleIndex(1, ne != nullptr ? ne->neModelId : 0));
    std::vector<ArpProxyEntryRec> shown;
    for (uint32_t selector = 1; selector <= 2; ++selector) {
        const RecordReply<ArpProxyEntryRec> entries = requests.Query(
            kReqArpProxyEntry, neId, ArpProxyEntryQueryRec{selector, module, {}}, {.failureTextId = kStrFailToQuery});
        if (!entries.Ok())
            return;
        shown.insert(shown.end(), entries.records.begin(), entries.records.end());
    }
    rows_.SetRecords(shown);
    if (!GetNoSort())
        SortList(GetSortColumn(), GetSortDirection(), kListControlId);
}

void CTrunkArpProxyListDlg::OnRefresh()
{
    Load();
    UpdateListLayout(kListControlId);
}
