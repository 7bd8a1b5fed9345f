#include "features/management/firmware/ne_shdsl_fw_upgrade_dlg.h"

#include "core/config/app_settings.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_labels.h"
#include "core/tables/ne_table.h"
#include "features/management/firmware/ftp_failure_text.h"
#include "features/management/firmware/ne_transfer_fields.h"
#include "features/management/firmware/unwatched_worker.h"
#include "link/record_requests.h"
#include "link/records/word_record.h"
#include "platform/list_control.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_ne_shdsl_fw_upgrade_dlg.h"

#include <QLineEdit>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <utility>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected
constexpr uint8_t kShdslCardMenuClass = 28;
constexpr uint32_t kStatusInTransmission = 2;
constexpr uint32_t kStatusFinished = 4;

// The texts of the states 1 to 8; any other is "Failed".
uint32_t StatusText(uint32_t status)
{
    constexpr uint32_t kTexts[] = {kStrShdslInitial,         kStrShdslInTransmission,    kStrShdslInBurning,
                                   kStrShdslFinished,        kStrShdslFailedToBurnImage, kStrShdslLineDriverError,
                                   kStrShdslNoFirmwareImage, kStrShdslTransmissionError};
    return status >= 1 && status <= std::size(kTexts) ? kTexts[status - 1] : kStrShdslFailed;
}

} // namespace

CNeShdslFwUpgradeDlg::CNeShdslFwUpgradeDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId, {.popupName = nullptr, .rowCommands = {}, .exportStem = "FWUpgradeSHDSL"},
                     parent),
      ui_(std::make_unique<Ui::CNeShdslFwUpgradeDlg>()),
      rows_(*this,
            {
                {.order = ListOrder::kArrival},
                {.value =
                     [this](const ShdslCardStatusRecord& card) {
                         return ListValue(
                             FormatEntityLocationById(FindNeById(static_cast<uint32_t>(GetNeId())), card.cardId, true));
                     },
                 .order = ListOrder::kUnsigned,
                 .sortValue = &ShdslCardStatusRecord::cardId},
                {.value =
                     [](const ShdslCardStatusRecord& card) { return ListValue(LoadString(StatusText(card.status))); }},
            },
            &ShdslCardStatusRecord::cardId),
      progress_(*this)
{
    ui_->setupUi(this);
    rows_.QueryOnFill([this] { return QueryCards(); });
    rows_.SetTies(ListTies::kKey);
    SetRecordList(rows_);
}

CNeShdslFwUpgradeDlg::~CNeShdslFwUpgradeDlg() = default;

void CNeShdslFwUpgradeDlg::InitData()
{
    if (CheckRightOrClose(kRightFirmwareUpgrade, 'x') != 0 || CheckTargetNeOrClose() != 0)
        return;
    LimitNeTransferFields(*this);
    settings_.emplace(ConfigFilePath(), FindNeById(static_cast<uint32_t>(GetNeId()))->neModelId);
    progress_.Start(100, kStrPercent);
    UpdateCaption(kCaptionNe);
    EnableCheckBoxes();
    InitListColumnsById(kStrColumnsShdslCards);
    Refresh();
    SetTimer(kUncheckTimer, kTimerMs);
}

RecordReply<ShdslCardStatusRecord> CNeShdslFwUpgradeDlg::QueryCards()
{
    RecordReply<ShdslCardStatusRecord> reply;
    if (CheckTargetNe() != 0)
        return reply;
    reply = CRecordRequests().QueryReplyOf<ShdslCardStatusRecord>(
        kReqShdslCardUpgrade, static_cast<uint32_t>(GetNeId()), {.failureTextId = kStrFailToQuery});
    // The dialog's entity's SHDSL line cards.
    const CEntityId& target = GetTargetEntity();
    std::erase_if(reply.records, [&target](const ShdslCardStatusRecord& card) {
        const CEntityType* model = FindEntityModel(card.modelId);
        const bool below = target.id == card.cardId || target.id == 1 || target.IsAncestorOf(card.cardId);
        return model == nullptr || model->GetMenuClass() != kShdslCardMenuClass || !below;
    });
    // Once the list shows the cards (Refresh, after an upgrade), Upgrade follows their states.
    PostCall([this] { ApplyUpgradeRule(); });
    return reply;
}

void CNeShdslFwUpgradeDlg::Refresh()
{
    RefillList();
}

bool CNeShdslFwUpgradeDlg::IsBusy(uint32_t cardId) const
{
    const ShdslCardStatusRecord* card = rows_.Find(cardId);
    return card != nullptr && card->status >= kStatusInTransmission && card->status <= kStatusFinished;
}

void CNeShdslFwUpgradeDlg::UncheckBusyCards()
{
    CListControl list = List();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (IsBusy(list.GetItemData(row)) && list.GetCheck(row))
            list.SetCheck(row, false);
    }
}

void CNeShdslFwUpgradeDlg::ApplyUpgradeRule()
{
    bool freeCardTicked = false;
    CListControl list = List();
    for (int row = 0; row < list.GetItemCount(); ++row)
        freeCardTicked = freeCardTicked || (list.GetCheck(row) && !IsBusy(list.GetItemData(row)));
    EnableControl(kUpgradeButtonId, transferred_ && freeCardTicked);
}

int CNeShdslFwUpgradeDlg::OnNotifyHook(const NotifyHeader& header, int* /*result*/)
{
    if (header.idFrom == kListControlId && header.code == LVN_ITEMCHANGED &&
        ((header.newState ^ header.oldState) & LVIS_STATEIMAGEMASK) != 0)
        ApplyUpgradeRule();
    return 0;
}

int CNeShdslFwUpgradeDlg::OnCommandHook(int id, int code)
{
    if (code != BN_CLICKED)
        return 0;
    switch (id) {
    case kBrowseButtonId:
        BrowseNeTransferFile(*this);
        return 1;
    case kFtpButtonId:
        SendImage();
        return 1;
    case kUpgradeButtonId:
    case kUpgradeCommand:
        Upgrade();
        return 1;
    default:
        return 0;
    }
}

void CNeShdslFwUpgradeDlg::SendImage()
{
    ClearMessageLine();
    if (worker_->Running())
        return;
    const QString user = GetDlgItemAs<QLineEdit>(kUserId)->text();
    const QString password = GetDlgItemAs<QLineEdit>(kPasswordId)->text();
    const QString path = GetDlgItemAs<QLineEdit>(kFileNameId)->text();
    if (!NeTransferFieldsGiven(*this, user, password, path))
        return;
    std::ifstream file(path.toStdString(), std::ios::binary | std::ios::ate);
    if (!file) {
        ShowAlertText(QString::fromLocal8Bit(std::strerror(errno)), kFileNameId);
        return;
    }
    length_ = static_cast<uint32_t>(file.tellg());
    progress_.Start(static_cast<int>(std::min<uint32_t>(length_, 100)), kStrPercent);
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const FtpFileTransfer transfer{{ne != nullptr ? ne->GetIpText() : std::string(), settings_->Transfer().port,
                                    user.toStdString(), password.toStdString()},
                                   settings_->Shdsl().directory,
                                   settings_->Shdsl().fileName,
                                   path.toStdString(),
                                   settings_->Transfer().transfer};
    if (!worker_->Start([transfer](CFtpJob& job) { RunFtpUpload(transfer, job); })) {
        ShowAlertTextById(kStrFailedToUpgradeNeFirmware);
        return;
    }
    EnableControls({kBrowseButtonId, kFtpButtonId}, false);
    SetTimer(kTransferTimer, kTimerMs);
}

void CNeShdslFwUpgradeDlg::WatchTransfer()
{
    KillTimer(kTransferTimer);
    const CFtpJob& job = worker_->Job();
    switch (job.State()) {
    case FtpJobState::kDone:
        worker_->Join();
        transferred_ = true;
        progress_.ShowDone(QStringLiteral("100"));
        ShowMessageById(kStrCompleteFtpShdslFirmware, 0);
        ApplyUpgradeRule();
        return;
    case FtpJobState::kFailed:
        worker_->Join();
        ShowAlertText(FtpFailureText(job, FtpTransferKind::kFirmware));
        EnableControls({kBrowseButtonId, kFtpButtonId}, true);
        return;
    case FtpJobState::kSending:
        progress_.ShowSent(job.Bytes(), length_);
        break;
    default:
        break;
    }
    SetTimer(kTransferTimer, kTimerMs);
}

void CNeShdslFwUpgradeDlg::Upgrade()
{
    if (ShowMessageById(kStrSureToUpgradeNeFirmware, kConfirmFlags) != IDYES || CheckTargetNe() != 0)
        return;
    CListControl list = List();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (!list.GetCheck(row))
            continue;
        if (!CRecordRequests()
                 .Action(kReqShdslCardUpgrade, static_cast<uint32_t>(GetNeId()), WordRecord{list.GetItemData(row)},
                         {.failureTextId = kStrFailToUpdateData})
                 .Ok())
            break;
    }
    Refresh();
    ShowMessageById(kStrShdslUpgradeInProgress, 0);
}

void CNeShdslFwUpgradeDlg::OnTimer(int id)
{
    if (id == kTransferTimer)
        WatchTransfer();
    else if (id == kUncheckTimer)
        UncheckBusyCards();
    else
        CRecordListDlg::OnTimer(id);
}

void CNeShdslFwUpgradeDlg::OnCancel()
{
    // A transfer still running goes on to its end, unwatched; the timers go with the dialog.
    if (worker_->Running()) {
        KillTimer(kTransferTimer);
        LeaveWorkerRunning(std::exchange(worker_, std::make_unique<CFtpWorker>()));
    }
    CRecordListDlg::OnCancel();
}

void CNeShdslFwUpgradeDlg::OnDestroy()
{
    KillTimer(kTransferTimer);
    KillTimer(kUncheckTimer);
    CRecordListDlg::OnDestroy();
}
