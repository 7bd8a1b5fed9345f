#include "features/provisioning/shdsl/shdsl_port_list_dlg.h"

#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/common/port_list_actions.h"
#include "features/provisioning/shdsl/shdsl_port_dlg.h"
#include "link/record_requests.h"
#include "link/records/subscriber_record.h"
#include "platform/list_control.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/lists/entity_icons.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_shdsl_port_list_dlg.h"

#include <algorithm>

namespace {

constexpr XdslPortDialogs kShdslPortDialogs = {.rateStatus = "CShdslRateStatusDlg",
                                               .currentPm = "CShdslCurPmDlg",
                                               .historyPm = "CShdslHisPmDlg",
                                               .profileGroup = 1};
constexpr char kSubscriberDataDlg[] = "CSubscriberDataDlg";
constexpr char kSubscriberSelectDlg[] = "CSubscriberSelectDlg";
constexpr uint32_t kEnabled = 1;
constexpr uint32_t kUp = 1;
constexpr uint32_t kEnterprise = 2;
constexpr uint32_t kPppoe = 1;
constexpr COLORREF kDisabledText = 0x808080;

std::string SubscriberText(const ShdslPortRec& port, uint32_t stringId)
{
    return port.subscriber.empty() ? std::string() : LoadString(stringId);
}

} // namespace

CShdslPortListDlg::CShdslPortListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "SHDSL_STUC_LIST",
                      .rowCommands = {},
                      .activateCommand = kModifyButtonId,
                      .right = kRightXdslPorts,
                      .exportStem = "ShdslSpan"},
                     parent),
      ui_(std::make_unique<Ui::CShdslPortListDlg>()),
      rows_(
          *this,
          {
              {.order = ListOrder::kArrival},
              {.value =
                   [this](const ShdslPortRec& port) {
                       return ListValue(FormatEntityLocationById(FindNeById(static_cast<uint32_t>(GetNeId())),
                                                                 port.entityId, false));
                   },
               .order = ListOrder::kArrival},
              {.value = [](const ShdslPortRec& port) { return ListValue(port.lineProfile); }},
              {.value = [](const ShdslPortRec& port) { return ListValue(port.pmThresholdProfile); }},
              {.value =
                   [](const ShdslPortRec& port) {
                       return ListValue(
                           LoadString(port.enableState == kEnabled ? kStrValueEnabled : kStrValueDisabled));
                   },
               .order = ListOrder::kUnsigned,
               .sortValue = [](const ShdslPortRec& port) { return ListValue(port.enableState); },
               .image =
                   [](const ShdslPortRec& port) {
                       return port.enableState == kEnabled ? kImageEnabled : kImageDisabled;
                   }},
              {.value =
                   [](const ShdslPortRec& port) {
                       return ListValue(LoadString(port.operState == kUp ? kStrLinkUp : kStrLinkDown));
                   },
               .order = ListOrder::kUnsigned,
               .sortValue = [](const ShdslPortRec& port) { return ListValue(port.operState); },
               .image = [](const ShdslPortRec& port) { return port.operState == kUp ? kImageLinkUp : kImageLinkDown; }},
              {.value = [](const ShdslPortRec& port) { return ListValue(port.subscriber); }},
              {.value =
                   [](const ShdslPortRec& port) {
                       return ListValue(SubscriberText(
                           port, port.subscriberClass == kEnterprise ? kStrSubscriberEnterprise : kStrSubscriberHome));
                   },
               .order = ListOrder::kUnsigned,
               .sortValue = [](const ShdslPortRec& port) { return ListValue(port.subscriberClass); }},
              {.value =
                   [](const ShdslPortRec& port) {
                       return ListValue(
                           SubscriberText(port, port.service == kPppoe ? kStrServicePppoe : kStrServiceFixedIp));
                   },
               .order = ListOrder::kUnsigned,
               .sortValue = [](const ShdslPortRec& port) { return ListValue(port.service); }},
          },
          [](const ShdslPortRec& port) { return port.entityId; })
{
    ui_->setupUi(this);
    SetRecordList(rows_);
    rows_.SetTies(ListTies::kArrival);
}

CShdslPortListDlg::~CShdslPortListDlg() = default;

void CShdslPortListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightXdslPorts) != 0 || CheckTargetNeOrClose() != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionEntity | kCaptionLocation);
    SetSmallImages();
    EnableSubItemImages();
    InitListColumnsById(kStrColumnsShdslPorts);
    // Subscribers are reached from the context menu.
    for (int column : {kSubscriberColumn, kClassColumn, kServiceColumn})
        SetColumnHidden(column, true);
    ShowControl(kSubscriberButtonId, false);
    ShowControl(kLongTermPmButtonId, false);
    Load();
}

void CShdslPortListDlg::Load()
{
    rows_.SetRecords({});
    const CEntityId& target = GetTargetEntity();
    ShdslPortRec query;
    query.entityId = target.id;
    const RecordReply<ShdslPortRec> ports = CRecordRequests().Query(kReqShdslPort, static_cast<uint32_t>(GetNeId()),
                                                                    query, {.failureTextId = kStrFailToQuery});
    std::vector<ShdslPortRec> rows;
    for (const ShdslPortRec& port : ports.records) {
        if (port.entityId == target.id || target.IsAncestorOf(port.entityId))
            rows.push_back(port);
    }
    rows_.SetRecords(rows);
    UpdateCommands();
}

void CShdslPortListDlg::OnRefresh()
{
    if (CheckTargetNe() != 0)
        return;
    Load();
    if (!GetNoSort())
        SortList(GetSortColumn(), GetSortDirection(), kListControlId);
    UpdateListLayout(kListControlId);
}

std::vector<int> CShdslPortListDlg::OffCommands() const
{
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    if (ne == nullptr)
        return {};
    if (ne->planned == 1)
        return {kResetButtonId, kRateStatusButtonId, kCurrentPmButtonId, kHistoryPmButtonId, kLongTermPmButtonId};
    if (!IsNeConnected(*ne))
        return {kModifyButtonId,    kVcVlanButtonId,     kRateStatusButtonId, kCurrentPmButtonId,
                kHistoryPmButtonId, kLongTermPmButtonId, kProfileButtonId,    kResetButtonId};
    if (!SelectedItemData())
        return {kModifyButtonId, kResetButtonId};
    return {};
}

void CShdslPortListDlg::UpdateCommands()
{
    const std::vector<int> off = OffCommands();
    for (int id : {kModifyButtonId, kVcVlanButtonId, kRateStatusButtonId, kCurrentPmButtonId, kHistoryPmButtonId,
                   kLongTermPmButtonId, kProfileButtonId, kResetButtonId})
        EnableControl(id, std::find(off.begin(), off.end(), id) == off.end());
}

void CShdslPortListDlg::OnListSelChanged(int row, int listId)
{
    CRecordListDlg::OnListSelChanged(row, listId);
    UpdateCommands();
}

std::vector<uint16_t> CShdslPortListDlg::GreyedPopupCommands() const
{
    const std::pair<int, int> pairs[] = {
        {kModifyButtonId, kPopupModify},         {kVcVlanButtonId, kPopupVcVlan},
        {kRateStatusButtonId, kPopupRateStatus}, {kCurrentPmButtonId, kPopupCurrentPm},
        {kHistoryPmButtonId, kPopupHistoryPm},   {kLongTermPmButtonId, kPopupLongTermPm},
        {kProfileButtonId, kPopupProfile},       {kResetButtonId, kPopupReset},
    };
    std::vector<uint16_t> greyed;
    for (int button : OffCommands()) {
        for (const auto& [id, popup] : pairs) {
            if (id == button)
                greyed.push_back(static_cast<uint16_t>(popup));
        }
    }
    return greyed;
}

void CShdslPortListDlg::GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor,
                                      COLORREF* backColor2, int listId)
{
    CRecordListDlg::GetItemColors(row, column, textColor, backColor, backColor2, listId);
    const ShdslPortRec* port = rows_.Find(List().GetItemData(row));
    if (port != nullptr && port->enableState != kEnabled)
        *textColor = kDisabledText;
}

void CShdslPortListDlg::OnModifyRecord(uint32_t portId)
{
    const ShdslPortRec* row = rows_.Find(portId);
    if (row == nullptr)
        return;
    CShdslPortDlg dlg(this);
    const CEntityId port(portId);
    dlg.SetTarget(GetNeId(), &port);
    dlg.SetPort(*row);
    if (dlg.DoModal() != IDOK)
        return;
    ShdslPortRec changed = *row;
    changed.lineProfile = dlg.GetPort().lineProfile;
    changed.pmThresholdProfile = dlg.GetPort().pmThresholdProfile;
    changed.enableState = dlg.GetPort().enableState;
    rows_.Put(changed);
}

void CShdslPortListDlg::OpenSubscriber()
{
    const std::optional<uint32_t> selected = SelectedItemData();
    const ShdslPortRec* row = selected ? rows_.Find(*selected) : nullptr;
    if (row == nullptr) {
        OpenOnSelectedPort(*this, kSubscriberSelectDlg);
        OnRefresh();
        return;
    }
    DialogRequest request =
        PortDialogRequest(*this, kSubscriberDataDlg, 0, row->subscriber.empty() ? kAccessCreate : kAccessModify);
    SubscriberRecord written;
    if (OpenRouteDialog(request) != IDOK ||
        !DecodeRecord(request.resultRecord.data(), request.resultRecord.size(), &written))
        return;
    // The row takes the port's subscriber as the dialog left it.
    ShdslPortRec changed = *row;
    changed.subscriber = written.subscriberId;
    changed.subscriberClass = written.subscriberClass;
    changed.service = written.serviceType;
    rows_.Put(changed);
}

int CShdslPortListDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return CRecordListDlg::OnCommandHook(id, code);
    if (RunXdslPortCommand(*this, kShdslPortDialogs, id))
        return 1;
    if (id == kSubscriberButtonId || id == kPopupSubscriber) {
        OpenSubscriber();
        return 1;
    }
    return CRecordListDlg::OnCommandHook(id, code);
}

void CShdslPortListDlg::DrawExtras(Dc& dc)
{
    CRecordListDlg::DrawExtras(dc);
    DrawPortStateLegend(dc, *this);
}
