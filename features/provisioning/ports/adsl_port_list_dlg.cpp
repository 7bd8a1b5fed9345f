#include "features/provisioning/ports/adsl_port_list_dlg.h"

#include "core/config/app_settings.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/common/port_list_actions.h"
#include "features/provisioning/ports/adsl_port_dlg.h"
#include "features/provisioning/ports/port_rules.h"
#include "link/record_requests.h"
#include "link/records/subscriber_record.h"
#include "platform/list_control.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_adsl_port_list_dlg.h"

namespace {

// Its Template entry has no action.
constexpr XdslPortDialogs kAdslPortDialogs = {.rateStatus = "CAdslRateStatusDlg",
                                              .currentPm = "CAdslCurrentPmDlg",
                                              .historyPm = "CAdslHistoryPmDlg",
                                              .profileGroup = 0};
constexpr int kPopupVcVlan = 33022;
constexpr int kPopupMcChannel = 33121;
constexpr int kPopupRateStatus = 33124;
constexpr int kPopupProfile = 33080;
constexpr int kPopupResetPort = 33085;
constexpr int kPopupSubscriber = 33096;
constexpr int kPopupCurrentPm = 33076;
constexpr int kPopupHistoryPm = 33078;
constexpr int kPopupLongTermPm = 33077;
constexpr uint16_t kSubscribersChanged = 0x0E; // modified, added or deleted
constexpr COLORREF kDisabledText = 0x808080;
constexpr uint32_t kClassEnterprise = 2;
constexpr uint32_t kServicePppoe = 1;

using List = CAdslPortListDlg;

// A subscriber's columns show only for a port that has one.
ListValue SubscriberValue(const AdslPortRec& port, uint32_t textId)
{
    return ListValue(port.subscriber.empty() ? std::string() : LoadString(textId));
}

std::vector<ListColumn<AdslPortRec>> PortColumns(const CAdslPortListDlg& dialog)
{
    return {
        {.order = ListOrder::kArrival},
        {.value =
             [&dialog](const AdslPortRec& port) {
                 return ListValue(
                     FormatEntityLocationById(FindNeById(static_cast<uint32_t>(dialog.GetNeId())), port.entityId));
             },
         .order = ListOrder::kArrival},
        {.value = &AdslPortRec::lineProfile, .order = ListOrder::kNoCase},
        {.value = &AdslPortRec::pmThresholdProfile, .order = ListOrder::kNoCase},
        {.value = &AdslPortRec::trafficPolicingProfile, .order = ListOrder::kNoCase},
        {.value =
             [](const AdslPortRec& port) {
                 return ListValue(LoadString(port.enableState == 1 ? kStrValueEnabled : kStrValueDisabled));
             },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const AdslPortRec& port) { return ListValue(port.enableState); },
         .image = [](const AdslPortRec& port) { return port.enableState == 1 ? kImageEnabled : kImageDisabled; }},
        {.value =
             [](const AdslPortRec& port) {
                 return ListValue(LoadString(port.operState == 1 ? kStrLinkUp : kStrLinkDown));
             },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const AdslPortRec& port) { return ListValue(port.operState); },
         .image = [](const AdslPortRec& port) { return port.operState == 1 ? kImageLinkUp : kImageLinkDown; }},
        {.value = &AdslPortRec::subscriber, .order = ListOrder::kNoCase},
        {.value =
             [](const AdslPortRec& port) {
                 return SubscriberValue(port, port.subscriberClass == kClassEnterprise ? kStrSubscriberEnterprise
                                                                                       : kStrSubscriberHome);
             },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const AdslPortRec& port) { return ListValue(port.subscriberClass); }},
        {.value =
             [](const AdslPortRec& port) {
                 return SubscriberValue(port, port.service == kServicePppoe ? kStrServicePppoe : kStrServiceFixedIp);
             },
         .order = ListOrder::kUnsigned,
         .sortValue = [](const AdslPortRec& port) { return ListValue(port.service); }},
    };
}

PortListNe NeStateOf(uint32_t neId)
{
    const CNeRecord* ne = FindNeById(neId);
    if (ne == nullptr)
        return PortListNe::kUnknown;
    if (ne->planned == 1)
        return PortListNe::kPlanned;
    return ne->root != nullptr && ne->root->IsConnected() ? PortListNe::kConnected : PortListNe::kDisconnected;
}

} // namespace

CAdslPortListDlg::CAdslPortListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "xDSL_xTUC_LIST",
                      .rowCommands = {kRowShow,
                                      kRowModify,
                                      {kVcVlanButtonId, kPopupVcVlan},
                                      {kMcChannelButtonId, kPopupMcChannel},
                                      {kRateStatusButtonId, kPopupRateStatus},
                                      {kProfileButtonId, kPopupProfile},
                                      {kResetPortButtonId, kPopupResetPort},
                                      {kCurrentPmButtonId, kPopupCurrentPm},
                                      {kHistoryPmButtonId, kPopupHistoryPm},
                                      {kLongTermPmButtonId, kPopupLongTermPm}},
                      .activateCommand = kShowButtonId,
                      .right = kRightXdslPorts,
                      .dialogChecksRight = true,
                      .exportStem = "xDslLine"},
                     parent),
      ui_(std::make_unique<Ui::CAdslPortListDlg>()), rows_(*this, PortColumns(*this), &AdslPortRec::entityId)
{
    ui_->setupUi(this);
    // The ports at or below the target: records of other entities in the reply are dropped.
    rows_.QueryOnFill([this] {
        AdslPortRec query;
        query.entityId = GetTargetEntity().id;
        return CRecordRequests().Query(kReqAdslPort, static_cast<uint32_t>(GetNeId()), query,
                                       {.failureTextId = kStrFailToQuery});
    });
    rows_.SetFilter([this](const AdslPortRec& port) {
        const CEntityId& target = GetTargetEntity();
        return port.entityId == target.id || target.IsAncestorOf(port.entityId);
    });
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CAdslPortListDlg::~CAdslPortListDlg() = default;

void CAdslPortListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightXdslPorts) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    SetSmallImages();
    EnableSubItemImages();
    InitListColumnsById(kStrColumnsAdslPorts);
    if (AppSettings().directControl) {
        for (const int column : {kSubscriberColumn, kClassColumn, kServiceColumn})
            SetColumnHidden(column, true, kListControlId);
        ShowControls({kSubscriberButtonId, kLongTermPmButtonId}, false);
    }
    FillList();
}

bool CAdslPortListDlg::IsRowCommandOn(const RowCommand& command, std::optional<uint32_t> selected) const
{
    const std::optional<bool> enabled =
        PortListButtonEnabled(NeStateOf(static_cast<uint32_t>(GetNeId())), selected.has_value(), command.button);
    return enabled.value_or(IsControlEnabled(command.button));
}

void CAdslPortListDlg::OnShowRecord(uint32_t portId)
{
    OpenPort(portId, kAccessQuery);
}

void CAdslPortListDlg::OnModifyRecord(uint32_t portId)
{
    OpenPort(portId, kAccessModify);
}

void CAdslPortListDlg::OpenPort(uint32_t portId, uint8_t accessMode)
{
    const AdslPortRec* row = rows_.Find(portId);
    if (row == nullptr)
        return;
    AdslPortRec shown = *row;
    CAdslPortDlg dlg(this);
    const CEntityId port(portId);
    dlg.SetTarget(GetNeId(), &port);
    dlg.SetAccessMode(accessMode);
    dlg.SetPort(shown);
    if (dlg.DoModal() != IDOK || accessMode != kAccessModify)
        return;
    // The row takes what was changed: the profiles and the state; the rest stays as the list read it.
    const AdslPortRec& written = dlg.GetPort();
    shown.lineProfile = written.lineProfile;
    shown.pmThresholdProfile = written.pmThresholdProfile;
    shown.trafficPolicingProfile = written.trafficPolicingProfile;
    shown.enableState = written.enableState;
    rows_.Put(shown);
}

void CAdslPortListDlg::GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor,
                                     COLORREF* backColor2, int listId)
{
    CRecordListDlg::GetItemColors(row, column, textColor, backColor, backColor2, listId);
    const AdslPortRec* port = rows_.Find(List().GetItemData(row));
    if (listId == kListControlId && port != nullptr && port->enableState != 1)
        *textColor = kDisabledText;
}

void CAdslPortListDlg::OpenSubscriber()
{
    const std::optional<uint32_t> selected = SelectedItemData();
    if (!selected) {
        // Only a change made from the selection's subscriber list shows in the ports.
        DialogRequest request = PortDialogRequest(*this, "CSubscriberSelectDlg");
        OpenRouteDialog(request);
        if ((request.changeFlags & kSubscribersChanged) != 0)
            RefillList();
        return;
    }
    const AdslPortRec* row = rows_.Find(*selected);
    if (row == nullptr)
        return;
    DialogRequest request =
        PortDialogRequest(*this, "CSubscriberDataDlg", 0, row->subscriber.empty() ? kAccessCreate : kAccessModify);
    SubscriberRecord written;
    if (OpenRouteDialog(request) != IDOK ||
        !DecodeRecord(request.resultRecord.data(), request.resultRecord.size(), &written))
        return;
    // The row shows the subscriber the dialog bound to the port.
    AdslPortRec port = *row;
    port.subscriber = written.name;
    port.subscriberClass = written.subscriberClass;
    port.service = written.serviceType;
    rows_.Put(port);
}

int CAdslPortListDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return CRecordListDlg::OnCommandHook(id, code);
    if (RunXdslPortCommand(*this, kAdslPortDialogs, id))
        return 1;
    switch (id) {
    case kMcChannelButtonId:
    case kPopupMcChannel:
        OpenOnSelectedPort(*this, "CXdslMcChannelListDlg");
        return 1;
    case kSubscriberButtonId:
    case kPopupSubscriber:
        OpenSubscriber();
        return 1;
    default:
        return CRecordListDlg::OnCommandHook(id, code);
    }
}

void CAdslPortListDlg::DrawExtras(Dc& dc)
{
    CRecordListDlg::DrawExtras(dc);
    DrawPortStateLegend(dc, *this);
}
