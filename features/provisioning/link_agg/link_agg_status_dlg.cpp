#include "features/provisioning/link_agg/link_agg_status_dlg.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_type_ids.h"
#include "core/tables/access_rights.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "core/util/mac_address.h"
#include "features/provisioning/link_agg/lacp_state_letters.h"
#include "features/provisioning/trunk/trunk_ports.h"
#include "link/record_requests.h"
#include "link/records/lacp_port_status_rec.h"
#include "link/records/link_aggregation_rec.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_link_agg_status_dlg.h"

#include <QLineEdit>

namespace {

constexpr uint32_t kTypeLacp = 1;
constexpr uint32_t kTypeStatic = 3;

std::string Hex4(uint32_t value)
{
    return QString::asprintf("0x%04x", value).toStdString();
}

// The seven rows of one end of the link, from the given row on: system priority, system ID, key, port priority,
// port ID and operation state (the aggregator comes before the actor's).
void ShowParty(CLacpStatusPage& page, uint32_t first, const LacpPartyRec& party, uint8_t state)
{
    page.SetValue(first, Hex4(party.systemPriority));
    page.SetValue(first + 1, FormatMacAddress(party.systemId.data()));
    page.SetValue(first + 2, std::to_string(party.key));
    page.SetValue(first + 3, Hex4(party.portPriority));
    page.SetValue(first + 4, std::to_string(party.portId));
    page.SetValue(first + 5, LacpStateLetters(state));
}

} // namespace

CLinkAggStatusDlg::CLinkAggStatusDlg(QWidget* parent)
    : CItemValueTabDlg(kTemplateId, parent), ui_(std::make_unique<Ui::CLinkAggStatusDlg>())
{
    ui_->setupUi(this);
}

CLinkAggStatusDlg::~CLinkAggStatusDlg() = default;

void CLinkAggStatusDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightLinkAggregation) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    AddTrunkPortPages(CLacpStatusPage::kTemplateId, kStrColumnsLacpStatus, kStrLacpItems);
    Load();
}

void CLinkAggStatusDlg::Load()
{
    ClearPortPages();
    const CRecordRequests requests;
    const auto neId = static_cast<uint32_t>(GetNeId());
    const RecordReply<LinkAggregationRec> setting =
        requests.Query<LinkAggregationRec>(kReqLinkAggregation, neId, {.failureTextId = kStrFailToQuery});
    if (!setting.Ok() || setting.records.empty())
        return;
    const uint32_t type = setting.records.front().aggregationType;
    auto* state = GetDlgItemAs<QLineEdit>(kStateId);
    state->setText(LoadQString(type == kTypeLacp     ? kStrAggregationLacp
                               : type == kTypeStatic ? kStrAggregationStatic
                                                     : kStrValueDisabled));
    if (type != kTypeLacp)
        return;
    const RecordReply<LacpPortStatusRec> ports =
        requests.Query<LacpPortStatusRec>(kReqLacpStatus, neId, {.failureTextId = kStrFailToQuery});
    for (size_t i = 0; i < ports.records.size() && i < 2; ++i)
        ShowPort(PortPage(static_cast<int>(i + 1)), ports.records[i]);
}

void CLinkAggStatusDlg::ShowPort(CLacpStatusPage& page, const LacpPortStatusRec& rec)
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const uint32_t aggregator =
        EntityIdFromIfIndex(rec.aggregatorIfIndex, ne != nullptr ? ne->neModelId : 0, kProvClassTrunkPort);
    page.SetValue(0, std::to_string(EntityIndexFromId(aggregator).Port()));
    ShowParty(page, 1, rec.actor, rec.actorState);
    ShowParty(page, 7, rec.partner, rec.partnerState);
}
