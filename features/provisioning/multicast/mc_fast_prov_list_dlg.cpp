#include "features/provisioning/multicast/mc_fast_prov_list_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type_ids.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "features/provisioning/multicast/mc_fast_provision_ports.h"
#include "features/provisioning/pvcs/mc_channel_entry.h"
#include "platform/list_control.h"
#include "ui/framework/lists/record_table_model.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_mc_fast_prov_list_dlg.h"

#include <QLabel>
#include <QWidget>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default
constexpr int kFirstTickMs = 5;
constexpr int kNextTickMs = 100;

void ShowLabel(CADialog& dialog, int id, const QString& text)
{
    if (auto* label = dialog.GetDlgItemAs<QLabel>(id))
        label->setText(text);
}

} // namespace

CMcFastProvListDlg::CMcFastProvListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId, {.popupName = "MC_FASTPROV_LIST", .rowCommands = {}, .exportStem = "xDslMcFP"},
                     parent),
      ui_(std::make_unique<Ui::CMcFastProvListDlg>()),
      rows_(*this,
            {{.order = ListOrder::kArrival, .image = [](const McProvisionRow& row) { return row.image; }},
             {.value =
                  [this](const McProvisionRow& row) {
                      return ListValue(
                          FormatEntityLocationById(FindNeById(static_cast<uint32_t>(GetNeId())), row.portId, false));
                  },
              .order = ListOrder::kUnsigned,
              .sortValue = [](const McProvisionRow& row) { return ListValue(row.portId); }}},
            [](const McProvisionRow& row) { return row.portId; })
{
    ui_->setupUi(this);
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

CMcFastProvListDlg::~CMcFastProvListDlg() = default;

void CMcFastProvListDlg::SetRun(const CEntityIndex& from, const CEntityIndex& to, uint32_t lineCardModelId,
                                const McChannelRec& channel)
{
    from_ = from;
    to_ = to;
    lineCardModelId_ = lineCardModelId;
    channel_ = channel;
}

void CMcFastProvListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightMcFastProvisioning) != 0 || CheckTargetNeOrClose() != 0)
        return;
    if (from_.GetLevel() != kEntityLevelSlot || to_.GetLevel() != kEntityLevelSlot) {
        ShowAlertTextById(kStrInternalError);
        EndDialog(IDCANCEL);
        return;
    }
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    EnableCheckBoxes();
    InitListColumnsById(kStrColumnsMcFastProvision);
    ShowLabel(*this, kKeyId, QStringLiteral("%1 / %2").arg(channel_.vpi).arg(channel_.vci));
    ShowLabel(*this, kVlanId, QString::number(channel_.vlanId));
    ShowLabel(*this, kStateId,
              LoadQString(channel_.adminState == kMcChannelEnabled ? kStrValueEnabled : kStrValueDisabled));
    ShowLabel(*this, kLimitId, QString::number(channel_.channelLimit));
    ShowLabel(*this, kProfileId, QString::fromStdString(channel_.profile));
    std::vector<McProvisionRow> rows;
    const McProvisionRange range{from_.Shelf(), to_.Shelf(), from_.Slot(), to_.Slot()};
    for (uint32_t port : McProvisionPorts(CurrentEntityModels(), *FindNeById(static_cast<uint32_t>(GetNeId())), range,
                                          lineCardModelId_))
        rows.push_back({port, -1});
    rows_.SetRecords(rows);
    TickAll(true);
    EnableForRun(false);
}

void CMcFastProvListDlg::TickAll(bool on)
{
    CListControl list = List();
    for (int row = 0; list.IsValid() && row < list.GetItemCount(); ++row)
        list.SetCheck(row, on);
}

void CMcFastProvListDlg::EnableForRun(bool running)
{
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const int id = child->property("ctrlId").toInt();
        if (id != 0 && id != kListControlId)
            child->setEnabled(!running);
    }
    EnableControl(kStopId, running);
}

void CMcFastProvListDlg::Go()
{
    if (CheckTargetNe() != 0 || List().GetItemCount() == 0)
        return;
    EnableForRun(true);
    position_ = 0;
    SetTimer(kTimerId, kFirstTickMs);
}

void CMcFastProvListDlg::Stop()
{
    KillTimer(kTimerId);
    EnableForRun(false);
}

void CMcFastProvListDlg::OnTimer(int id)
{
    if (id != kTimerId) {
        CRecordListDlg::OnTimer(id);
        return;
    }
    KillTimer(kTimerId);
    if (IsRunning())
        Tick();
}

void CMcFastProvListDlg::Tick()
{
    if (worker_.IsBusy()) {
        // A port of the run before Stop is still under way: this run waits for it.
        SetTimer(kTimerId, kFirstTickMs);
        return;
    }
    CListControl list = List();
    const CRecordTableModel& model = rows_.Model();
    while (position_ < list.GetItemCount() && !model.IsChecked(list.GetItemData(position_)))
        ++position_;
    if (position_ >= list.GetItemCount()) {
        Stop();
        return;
    }
    const uint32_t portId = list.GetItemData(position_++);
    SelectRowByItemData(portId);
    McChannelRec channel = channel_;
    channel.portId = portId;
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    worker_.Run<McProvisionAsk>(
        [neId, channel](const CRecordRequests& requests) {
            return ProvisionMcChannelUntilAsked(neId, channel, requests);
        },
        [this, channel](McProvisionAsk asked) {
            if (asked.ended)
                ShowOutcome(channel.portId, *asked.ended);
            else
                OnPortAsked(channel, asked.heldLimit);
        });
}

void CMcFastProvListDlg::OnPortAsked(const McChannelRec& channel, uint8_t heldLimit)
{
    if (ShowMessageById(kStrSureToOverwriteMcChannel, kConfirmFlags) != IDYES) {
        ShowOutcome(channel.portId, {McProvisionOutcome::kPaused, 0});
        return;
    }
    const uint32_t neId = static_cast<uint32_t>(GetNeId());
    worker_.Run<McProvisionResult>(
        [neId, channel, heldLimit](const CRecordRequests& requests) {
            return FinishMcChannel(neId, channel, heldLimit, requests);
        },
        [this, portId = channel.portId](McProvisionResult result) { ShowOutcome(portId, result); });
}

void CMcFastProvListDlg::ShowOutcome(uint32_t portId, const McProvisionResult& result)
{
    McProvisionRow row{portId, -1};
    switch (result.outcome) {
    case McProvisionOutcome::kWritten:
        row.image = kImageDone;
        rows_.Put(row);
        rows_.Model().SetChecked(portId, false);
        if (IsRunning())
            SetTimer(kTimerId, kNextTickMs);
        return;
    case McProvisionOutcome::kPaused:
        // The run waits on the port: only the list and Stop stay on.
        if (result.messageId != 0)
            ShowAlertTextById(result.messageId, kListControlId);
        return;
    case McProvisionOutcome::kFailed:
        row.image = kImageFailed;
        rows_.Put(row);
        Stop();
        return;
    }
}

int CMcFastProvListDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return CRecordListDlg::OnCommandHook(id, code);
    switch (id) {
    case kGoId:
    case kPopupGo:
        Go();
        return 1;
    case kStopId:
        Stop();
        return 1;
    case kSelectAllId:
    case kPopupSelectAll:
        TickAll(true);
        return 1;
    case kDeselectAllId:
    case kPopupDeselectAll:
        TickAll(false);
        return 1;
    default:
        return CRecordListDlg::OnCommandHook(id, code);
    }
}

void CMcFastProvListDlg::OnDestroy()
{
    KillTimer(kTimerId);
    worker_.Abandon();
    CRecordListDlg::OnDestroy();
}
