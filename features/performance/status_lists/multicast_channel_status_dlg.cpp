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

#include <QComboBox>

#include <vector>

namespace {

constexpr int kLineAndTrunkPorts = 11; // the entity kind of the line cards, the uplink module and their ports
constexpr uint32_t kPolling = 1;
constexpr uint32_t kActive = 2;
// The columns that order rows equal in the clicked one: channel, VLAN, client address, MAC, state, record number.
const std::vector<int> kFurtherKeys = {2, 3, 4, 5, 6, 7};

} // namespace

CMulticastChannelStatusDlg::CMulticastChannelStatusDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "GENERIC_LIST",
                      .rowCommands = {},
                      .activateCommand = 0,
                      .right = kRightMcChannels,
                      .exportStem = "xDslIdbPort"},
                     parent),
      ui_(std::make_unique<Ui::CMulticastChannelStatusDlg>()),
      scope_(*this, kLineAndTrunkPorts, CXdslStatusScope::Combos::kShelfSlotPortGe), rows_(*this, Columns())
{
    ui_->setupUi(this);
    rows_.SetTieColumns(kFurtherKeys);
    SetRecordList(rows_);
}

CMulticastChannelStatusDlg::~CMulticastChannelStatusDlg() = default;

std::string CMulticastChannelStatusDlg::StateText(uint32_t state)
{
    return LoadString(state == kPolling ? kStrRangePolling : state == kActive ? kStrMcStateActive : kStrMcStateIdle);
}

// No., Slot-Port, Multicast Channel, VLAN (hidden), Client IP, Client MAC, State, and the hidden record number.
std::vector<ListColumn<CMulticastChannelStatusDlg::Row>> CMulticastChannelStatusDlg::Columns()
{
    using R = Row;
    return {
        {.order = ListOrder::kText},
        {.value =
             [this](const R& row) {
                 const McChannelStatusRec& rec = row.rec;
                 // A port of the uplink module is its own label: the module is no line card.
                 const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
                 const CEntityIndex port = EntityIndexFromId(rec.portId);
                 return ListValue(CXdslStatusScope::OnUplinkModule(ne, port)
                                      ? GetEntityLevelLabel(ne, port)
                                      : FormatEntityLocationById(ne, rec.portId));
             },
         .order = ListOrder::kUnsigned,
         // The ports in the order the NE answered them.
         .sortValue = [](const R& row) { return ListValue(row.number); }},
        {.value = [](const R& row) { return ListValue(FormatIpAddress(row.rec.channel)); }, .order = ListOrder::kText},
        {.value = [](const R& row) { return ListValue(uint32_t{row.rec.vlanId}); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& row) { return ListValue(FormatIpAddress(row.rec.clientAddress)); },
         .order = ListOrder::kText},
        {.value = [](const R& row) { return ListValue(FormatMacAddress(row.rec.clientMac)); },
         .order = ListOrder::kText},
        {.value = [](const R& row) { return ListValue(StateText(row.rec.state)); }, .order = ListOrder::kText},
        {.value = [](const R& row) { return ListValue(row.number); }, .order = ListOrder::kUnsigned},
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

std::vector<uint32_t> CMulticastChannelStatusDlg::ChosenPorts() const
{
    const std::optional<CEntityId> chosen = scope_.Chosen();
    if (!chosen)
        return {};
    if (chosen->index.GetLevel() >= 4)
        return {chosen->id};
    std::vector<uint32_t> ports;
    const auto* combo = GetDlgItemAs<QComboBox>(CXdslStatusScope::kPortComboId);
    for (int item = 0; combo != nullptr && item < combo->count(); ++item) {
        const int number = combo->itemData(item).toInt();
        if (number <= 0)
            continue; // " <ALL>"
        CEntityId port;
        port.SetLevels(1, chosen->index.Shelf(), chosen->index.Slot(), number, 0);
        ports.push_back(port.id);
    }
    return ports;
}

void CMulticastChannelStatusDlg::ShowChosenPorts()
{
    std::vector<Row> shown;
    for (uint32_t port : ChosenPorts()) {
        for (size_t i = 0; i < answered_.size(); ++i) {
            if (answered_[i].portId == port)
                shown.push_back({answered_[i], static_cast<uint32_t>(i + 1)});
        }
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
