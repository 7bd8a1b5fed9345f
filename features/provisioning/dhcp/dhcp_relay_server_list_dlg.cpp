#include "features/provisioning/dhcp/dhcp_relay_server_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/util/ip_address.h"
#include "core/util/mac_address.h"
#include "features/provisioning/dhcp/dhcp_relay_server_dlg.h"
#include "link/record_requests.h"
#include "link/records/dhcp_setting_rec.h"
#include "ui/framework/lists/record_table_model.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_dhcp_relay_server_list_dlg.h"

namespace {

constexpr uint32_t kServerEnabled = 1;
constexpr uint32_t kRelayOn = 1;

uint32_t KeyOf(const DhcpRelayServerRec& server)
{
    return IpToUInt32(server.address);
}

} // namespace

CDhcpRelayServerListDlg::CDhcpRelayServerListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "ADD_DEL_EDIT_LIST",
                      .rowCommands = {kRowModify, kRowDelete},
                      .activateCommand = kModifyButtonId,
                      .right = kRightDhcp,
                      .exportStem = "xDslDhcpSvr"},
                     parent),
      ui_(std::make_unique<Ui::CDhcpRelayServerListDlg>()), rows_(*this, Columns(), KeyOf)
{
    ui_->setupUi(this);
    rows_.QueryOnFill([this] {
        const uint32_t neId = static_cast<uint32_t>(GetNeId());
        relayEnabled_ = RelayEnabled().value_or(false);
        return CRecordRequests().Query<DhcpRelayServerRec>(kReqDhcpRelayServer, neId,
                                                           {.failureTextId = kStrFailToQuery});
    });
    SetRecordList(rows_);
}

CDhcpRelayServerListDlg::~CDhcpRelayServerListDlg() = default;

// No. with the server's state, Server IP, VLAN ID, MAC Address.
std::vector<ListColumn<DhcpRelayServerRec>> CDhcpRelayServerListDlg::Columns()
{
    return {
        {.order = ListOrder::kArrival,
         .image =
             [](const DhcpRelayServerRec& server) {
                 return server.state == kServerEnabled ? kImageEnabled : kImageDisabled;
             }},
        {.value = [](const DhcpRelayServerRec& server) { return ListValue(FormatIpAddressPadded(server.address)); },
         .order = ListOrder::kText},
        {.value = [](const DhcpRelayServerRec& server) { return ListValue(uint32_t{server.vlanId}); },
         .order = ListOrder::kUnsigned},
        {.value =
             [this](const DhcpRelayServerRec& server) {
                 // The NE learns a server's MAC address only while it relays.
                 return ListValue(relayEnabled_ ? FormatMacAddress(server.mac) : LoadString(kStrNotApplicable));
             },
         .order = ListOrder::kText},
    };
}

std::optional<bool> CDhcpRelayServerListDlg::RelayEnabled() const
{
    const RecordReply<DhcpSettingRec> reply = CRecordRequests().Query<DhcpSettingRec>(
        kReqDhcp, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    if (!reply.Ok() || reply.records.empty())
        return std::nullopt;
    return reply.records.front().relay == kRelayOn;
}

void CDhcpRelayServerListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightDhcp) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    ui_->enabledImage->setPixmap(SharedSmallImages().Get(kImageEnabled));
    ui_->disabledImage->setPixmap(SharedSmallImages().Get(kImageDisabled));
    InitListColumnsById(kStrColumnsDhcpRelayServers);
    FillList();
}

void CDhcpRelayServerListDlg::OnAddRecord(std::optional<uint32_t> /*selected*/)
{
    CDhcpRelayServerDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    if (dlg.DoModal() != IDOK)
        return;
    // A server already listed under that address shows the change in its row; the rows stay the servers counted.
    rows_.Put(dlg.Server());
    ScrollToItemData(KeyOf(dlg.Server()));
}

void CDhcpRelayServerListDlg::OnModifyRecord(uint32_t key)
{
    const DhcpRelayServerRec* server = rows_.Find(key);
    if (server == nullptr)
        return;
    CDhcpRelayServerDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    dlg.SetAccessMode(kAccessModify);
    dlg.SetServer(*server);
    if (dlg.DoModal() == IDOK)
        rows_.Put(dlg.Server());
}

void CDhcpRelayServerListDlg::OnDeleteRecord(uint32_t key)
{
    const DhcpRelayServerRec* server = rows_.Find(key);
    if (server == nullptr)
        return;
    // The relay needs a server: the last one goes only while the relay is off (or cannot be told on).
    if (rows_.Model().RowCount() == 1 && RelayEnabled() == true) {
        ShowAlertTextById(kStrLastRelayServer);
        return;
    }
    if (!ConfirmDelete())
        return;
    // The delete names the server by its address alone.
    DhcpRelayServerRec named;
    named.address = server->address;
    if (!CRecordRequests()
             .Delete(kReqDhcpRelayServer, static_cast<uint32_t>(GetNeId()), named, {.failureTextId = kStrFailToDelete})
             .Ok())
        return;
    rows_.Remove(key);
}
