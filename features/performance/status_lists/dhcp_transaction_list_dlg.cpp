#include "features/performance/status_lists/dhcp_transaction_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "core/util/ip_address.h"
#include "core/util/mac_address.h"
#include "link/record_requests.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_dhcp_transaction_list_dlg.h"

#include <cstdio>

namespace {

std::string Hex32(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", value);
    return text;
}

} // namespace

CDhcpTransactionListDlg::CDhcpTransactionListDlg(QWidget* parent)
    : CXdslStatusListDlg(kTemplateId,
                         {.popupName = "REFRESH_LIST",
                          .rowCommands = {},
                          .activateCommand = 0,
                          .right = kRightDhcpTransactions,
                          .exportStem = "xDslDhcpSession"},
                         {.namesId = kStrColumnsDhcpTransactions,
                          .vlanColumn = kVlanColumn,
                          .combos = CXdslStatusScope::Combos::kSlotPort},
                         parent),
      ui_(std::make_unique<Ui::CDhcpTransactionListDlg>()), rows_(*this, Columns())
{
    ui_->setupUi(this);
    Scope().Feed(rows_, kReqDhcpTransaction, &DhcpTransactionRec::portId);
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CDhcpTransactionListDlg::~CDhcpTransactionListDlg() = default;

std::string CDhcpTransactionListDlg::StateText(uint32_t state)
{
    switch (state) {
    case 1:
        return LoadString(kStrPppoeInit);
    case 2:
        return LoadString(kStrDhcpStateSelect);
    case 3:
        return LoadString(kStrDhcpStateBound);
    case 4:
        return LoadString(kStrDhcpStateRenew);
    default:
        return LoadString(kStrSfpUnknown);
    }
}

// No., Slot-Port, VPI, VCI, VLAN ID, Transaction ID, Client MAC, Assigned IP, State.
std::vector<ListColumn<DhcpTransactionRec>> CDhcpTransactionListDlg::Columns()
{
    using R = DhcpTransactionRec;
    return {
        {.order = ListOrder::kArrival},
        PortLocationColumn<R>([](const R& rec) { return ListValue(rec.portId); }),
        {.value = [](const R& rec) { return ListValue(uint32_t{rec.vpi}); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& rec) { return ListValue(uint32_t{rec.vci}); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& rec) { return ListValue(uint32_t{rec.vlanId}); }, .order = ListOrder::kUnsigned},
        {.value = [](const R& rec) { return ListValue(Hex32(rec.transactionId)); }, .order = ListOrder::kText},
        {.value = [](const R& rec) { return ListValue(FormatMacAddress(rec.clientMac)); }, .order = ListOrder::kText},
        {.value = [](const R& rec) { return ListValue(FormatIpAddress(rec.assignedAddress)); },
         .order = ListOrder::kIpv4},
        {.value = [](const R& rec) { return ListValue(StateText(rec.state)); }, .order = ListOrder::kNoCase},
    };
}
