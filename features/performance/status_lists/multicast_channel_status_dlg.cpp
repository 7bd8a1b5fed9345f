#include "features/performance/status_lists/multicast_channel_status_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "core/util/ip_address.h"
#include "core/util/mac_address.h"
#include "link/record_requests.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_multicast_channel_status_dlg.h"

namespace {

constexpr int kLineAndTrunkPorts = 11; // the entity kind of the line cards, the uplink module and their ports
constexpr uint32_t kPolling = 1;
constexpr uint32_t kActive = 2;

} // namespace

CMulticastChannelStatusDlg::CMulticastChannelStatusDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "REFRESH_LIST",
                      .rowCommands = {},
                      .activateCommand = 0,
                      .right = kRightMcChannels,
                      .exportStem = "xDslIdbPort"},
                     parent),
      ui_(std::make_unique<Ui::CMulticastChannelStatusDlg>()),
      scope_(*this, kLineAndTrunkPorts, CXdslStatusScope::Combos::kShelfSlotPortGe), rows_(*this, Columns())
{
    ui_->setupUi(this);
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CMulticastChannelStatusDlg::~CMulticastChannelStatusDlg() = default;

std::string CMulticastChannelStatusDlg::StateText(uint32_t state)
{
    return LoadString(state == kPolling ? kStrRangePolling : state == kActive ? kStrMcStateActive : kStrMcStateIdle);
}

// No., Slot-Port, Multicast Channel, VLAN (hidden), Client IP, Client MAC, State, and the hidden running number.
std::vector<ListColumn<McChannelStatusRec>> CMulticastChannelStatusDlg::Columns()
{
    using R = McChannelStatusRec;
    return {
        {.order = ListOrder::kArrival},
        {.value =
             [this](const R& rec) {
                 // A port of the uplink module is its own label: the module is no line card.
                 const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
                 const CEntityIndex port = EntityIndexFromId(rec.portId);
                 return ListValue(CXdslStatusScope::OnUplinkModule(ne, port)
                                      ? GetEntityLevelLabel(ne, port)
                                      : FormatEntityLocationById(ne, rec.portId));
             },
         .order = ListOrder::kArrival},
        {.value = [](const R& rec) { return ListValue(FormatIpAddress(rec.channel)); },
         .order = ListOrder::kIpv4,
         .widestValue = "239.255.255.255"},
        {.value = [](const R& rec) { return ListValue(uint32_t{rec.vlanId}); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& rec) { return ListValue(FormatIpAddress(rec.clientAddress)); },
         .order = ListOrder::kIpv4,
         .widestValue = "255.255.255.255"},
        {.value = [](const R& rec) { return ListValue(FormatMacAddress(rec.clientMac)); },
         .order = ListOrder::kText,
         .widestValue = "00:00:00:00:00:00"},
        {.value = [](const R& rec) { return ListValue(StateText(rec.state)); }, .order = ListOrder::kText},
        {.order = ListOrder::kArrival},
    };
}

void CMulticastChannelStatusDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightMcChannels) != 0 || CheckTargetNeOrClose() != 0)
        return;
    scope_.Fill(FindNeById(static_cast<uint32_t>(GetNeId())), GetTargetEntity().index);
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    InitListColumnsById(kStrColumnsMcChannelStatus);
    OnRefresh();
}

void CMulticastChannelStatusDlg::OnRefresh()
{
    answered_.clear();
    const std::optional<CEntityId> chosen = scope_.Chosen();
    if (chosen && CheckTargetNe() == 0) {
        // The card is asked for; the ports are chosen from its answer.
        McChannelStatusQueryRec key;
        const CEntityIndex slot = chosen->index.Truncated(3);
        key.slotId = CEntityId(&slot).id;
        RecordReply<McChannelStatusRec> reply = CRecordRequests().Query(
            kReqMcChannelStatus, static_cast<uint32_t>(GetNeId()), key, {.failureTextId = kStrFailToQuery});
        if (reply.Ok())
            answered_ = std::move(reply.records);
    }
    ShowChosenPorts();
}

void CMulticastChannelStatusDlg::ShowChosenPorts()
{
    std::vector<McChannelStatusRec> shown;
    for (const McChannelStatusRec& rec : answered_) {
        if (scope_.Holds(rec.portId))
            shown.push_back(rec);
    }
    rows_.SetRecords(std::move(shown));
}

int CMulticastChannelStatusDlg::OnCommandHook(int id, int code)
{
    if (scope_.OnComboChange(id, code)) {
        if (id == CXdslStatusScope::kPortComboId)
            ShowChosenPorts();
        else
            OnRefresh();
        return 1;
    }
    return CRecordListDlg::OnCommandHook(id, code);
}
