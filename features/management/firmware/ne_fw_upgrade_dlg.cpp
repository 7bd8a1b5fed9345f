#include "features/management/firmware/ne_fw_upgrade_dlg.h"

#include "core/config/app_settings.h"
#include "core/config/ini_readers.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/access_rights.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_enumeration.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"
#include "core/util/date_time_format.h"
#include "core/util/ip_address.h"
#include "features/management/firmware/boot_partitions.h"
#include "features/management/firmware/fw_file_info_dlg.h"
#include "features/management/firmware/local_image_check.h"
#include "features/management/ne/ne_dlg.h"
#include "link/record_requests.h"
#include "platform/dc.h"
#include "platform/file_chooser.h"
#include "platform/list_control.h"
#include "ui/framework/lists/entity_icons.h"
#include "ui/framework/lists/record_table_model.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_ne_fw_upgrade_dlg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QResizeEvent>
#include <QTreeView>

#include <algorithm>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, warning icon, No preselected
constexpr COLORREF kGreyText = 0x808080;
constexpr int kProgressBarWidth = 100;
constexpr char kFullProgress[] = "100%";
constexpr int kProgressTextGap = 4;
constexpr uint32_t kResultSuccess = 1;
constexpr uint32_t kResultFailed = 2;
constexpr int kImageTransferring = 5;
constexpr int kImageFinished = 23;

constexpr RowCommand kRowShowNe{kShowButtonId, CNeFwUpgradeDlg::kPopupShowNe};

using Column = ListColumn<FwUpgradeRow>;

const CNeRecord* NeOf(const FwUpgradeRow& row)
{
    return FindNeById(row.record.neId);
}

bool HasLastUpgrade(const FwUpgradeRow& row)
{
    return row.record.lastResult == kResultSuccess || row.record.lastResult == kResultFailed;
}

// The NE's location, the root's name for an NE without one.
std::string LocationOf(const CNeRecord& ne)
{
    const std::string name = ne.GetLocationName();
    return name.empty() ? AppData().locations.Root().name : name;
}

QVariant ItemData(uint32_t data)
{
    return QVariant::fromValue<quint32>(data);
}

uint32_t SelectedData(const QComboBox* combo)
{
    return combo != nullptr && combo->currentIndex() >= 0 ? combo->currentData().value<quint32>() : 0;
}

// No., Name, Location, IP address, FW Version, Status, Progress, Error Information, Last Upgrade Time, Last Upgrade
// File, Last Result.
std::vector<Column> Columns()
{
    const auto neText = [](auto field) {
        return [field](const FwUpgradeRow& row) {
            const CNeRecord* ne = NeOf(row);
            return ListValue(ne != nullptr ? field(*ne) : std::string());
        };
    };
    const auto lastUpgrade = [](auto field) {
        return [field](const FwUpgradeRow& row) { return HasLastUpgrade(row) ? ListValue(field(row)) : ListValue(); };
    };
    return {
        {.order = ListOrder::kArrival, .image = [](const FwUpgradeRow& row) { return row.job.image; }},
        {.value = neText([](const CNeRecord& ne) { return ne.name; }), .order = ListOrder::kText},
        {.value = neText(LocationOf), .order = ListOrder::kText, .sortValue = neText([](const CNeRecord& ne) {
                                                                     return LocationOf(ne) + '\x01' + ne.name;
                                                                 })},
        {.value =
             [](const FwUpgradeRow& row) {
                 const CNeRecord* ne = NeOf(row);
                 return ne != nullptr ? ListValue(ne->address) : ListValue();
             },
         .order = ListOrder::kIpv4},
        {.value = [](const FwUpgradeRow& row) { return ListValue(row.record.fwVersion); }, .order = ListOrder::kText},
        {.value = [](const FwUpgradeRow& row) { return ListValue(row.job.status.toStdString()); },
         .order = ListOrder::kText},
        {.value =
             [](const FwUpgradeRow& row) {
                 return row.job.progress >= 0 ? ListValue(std::to_string(row.job.progress) + "%") : ListValue();
             },
         .order = ListOrder::kSigned,
         .sortValue = [](const FwUpgradeRow& row) { return ListValue(row.job.progress); }},
        {.value = [](const FwUpgradeRow& row) { return ListValue(row.job.error.toStdString()); },
         .order = ListOrder::kText},
        {.value = lastUpgrade([](const FwUpgradeRow& row) { return FormatDateTime(row.record.lastTime); }),
         .order = ListOrder::kUnsigned,
         .sortValue = [](const FwUpgradeRow& row) { return ListValue(row.record.lastTime); }},
        {.value = lastUpgrade([](const FwUpgradeRow& row) { return row.record.lastFile; }), .order = ListOrder::kText},
        {.value = lastUpgrade([](const FwUpgradeRow& row) {
             return LoadString(row.record.lastResult == kResultSuccess ? kStrResultSuccess : kStrJobFail);
         }),
         .order = ListOrder::kText},
    };
}

} // namespace

CNeFwUpgradeDlg::CNeFwUpgradeDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "FWUPGRADE_LIST",
                      .rowCommands = {kRowShowNe},
                      .activateCommand = kShowButtonId,
                      .activateAsksForRow = true,
                      .exportStem = "FWUpgrade"},
                     parent),
      ui_(std::make_unique<Ui::CNeFwUpgradeDlg>()),
      rows_(*this, Columns(), [](const FwUpgradeRow& row) { return row.record.neId; })
{
    ui_->setupUi(this);
    rows_.QueryOnFill([this] {
        RecordReply<FwUpgradeRow> listed;
        listed.records = ListedRows();
        return listed;
    });
    rows_.SetTies(ListTies::kArrival);
    SetRecordList(rows_);
}

bool CNeFwUpgradeDlg::OnInitDialog()
{
    placed_.clear();
    const bool result = CRecordListDlg::OnInitDialog();
    baseSize_ = size();
    placed_.push_back({ui_->neList, ui_->neList->geometry(), true, false});
    for (QWidget* button : {static_cast<QWidget*>(ui_->showButton), static_cast<QWidget*>(ui_->upgradeButton),
                            static_cast<QWidget*>(ui_->selectAllButton), static_cast<QWidget*>(ui_->deselectAllButton),
                            static_cast<QWidget*>(ui_->stopButton), static_cast<QWidget*>(ui_->exportButton)})
        placed_.push_back({button, button->geometry(), false, false});
    for (QWidget* button : {static_cast<QWidget*>(ui_->okButton), static_cast<QWidget*>(ui_->closeButton)})
        placed_.push_back({button, button->geometry(), false, true});
    return result;
}

void CNeFwUpgradeDlg::resizeEvent(QResizeEvent* event)
{
    CRecordListDlg::resizeEvent(event);
    if (placed_.empty())
        return;
    // Never smaller than the template.
    const int dx = std::max(0, width() - baseSize_.width());
    const int dy = std::max(0, height() - baseSize_.height());
    for (const Placed& placed : placed_) {
        if (placed.control == nullptr)
            continue;
        if (placed.grows)
            placed.control->setGeometry(placed.base.adjusted(0, 0, dx, dy));
        else
            placed.control->move(placed.base.topLeft() + QPoint(dx, placed.down ? dy : 0));
    }
    // The columns share the list's new width (the first layout is the fill's).
    if (event->oldSize().isValid() && event->oldSize() != event->size())
        UpdateListLayout(kListControlId);
}

CNeFwUpgradeDlg::~CNeFwUpgradeDlg()
{
    if (batch_)
        batch_->Detach();
}

void CNeFwUpgradeDlg::InitData()
{
    if (CheckRightOrClose(kRightFirmwareUpgrade, 'x') != 0)
        return;
    UpdateCaption(kCaptionNe | kCaptionLocation);
    SetSmallImages();
    EnableCheckBoxes();
    InitListColumnsById(kStrColumnsFwUpgrade);
    SetColumnOwnerText(kProgressColumn, true);
    // Room for the bar and, beside it, "100%"; the layout at first show measures the column by its title.
    if (QTreeView* list = FindList(kListControlId))
        List().SetColumnWidth(kProgressColumn, kProgressBarWidth + kProgressTextGap +
                                                   list->fontMetrics().horizontalAdvance(QLatin1String(kFullProgress)) +
                                                   kProgressTextGap);
    if (auto* edit = GetDlgItemAs<QLineEdit>(kLocalFileId))
        edit->setMaxLength(static_cast<int>(kLocalPathMax));
    if (const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId())))
        SetLocationId(static_cast<int>(ne->locationId));

    FillModelCombo();
    if (static_cast<QComboBox*>(GetDlgItem(kNeModelId))->count() == 0) {
        ShowAlertTextById(kStrUnknownEntityType);
        EndDialog(IDCANCEL);
        return;
    }
    FillLocationCombo();
    settings_.emplace(ConfigFilePath(), ChosenModel());
    FillNextPartitions(*GetDlgItemAs<QComboBox>(kPartitionId), *settings_);
    FillFirmwareTypes(*GetDlgItemAs<QComboBox>(kFirmwareTypeId));

    QueryFirmwareRecords();
    FillList();
    SetRunning(false);
    if (SelectRowByItemData(static_cast<uint32_t>(GetNeId())) && !IsGreyed(static_cast<uint32_t>(GetNeId())))
        List().SetCheck(SelectedRow(), true);
}

void CNeFwUpgradeDlg::FillModelCombo()
{
    auto* combo = GetDlgItemAs<QComboBox>(kNeModelId);
    combo->clear();
    for (int i = 0; i < GetEntityTypeCount(); ++i) {
        const CEntityType* model = GetEntityTypeAt(i);
        if (model != nullptr && model->GetLevel() == 1)
            combo->addItem(QString::fromStdString(model->GetName()), ItemData(model->GetId()));
    }
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const int index = ne != nullptr ? combo->findData(ItemData(ne->neModelId)) : -1;
    combo->setCurrentIndex(index >= 0 ? index : 0);
}

void CNeFwUpgradeDlg::FillLocationCombo()
{
    auto* combo = GetDlgItemAs<QComboBox>(kLocationId);
    combo->clear();
    const CLocationNode& root = AppData().locations.Root();
    const CLocationNode* scope = AppData().scopeLocationId != 0 ? FindLocation(AppData().scopeLocationId) : nullptr;
    const CLocationNode* first = scope != nullptr ? scope : &root;
    if (scope == nullptr)
        combo->addItem(QString::fromStdString(root.name), ItemData(0));
    for (const CLocationNode* node = scope != nullptr ? scope : CLocationTree::NextInWalk(&root); node != nullptr;
         node = CLocationTree::NextInWalk(node)) {
        if (node != first && scope != nullptr && node->inScope == 0)
            break; // the walk has left the scope's subtree
        if (node->inScope != 0)
            combo->addItem(QString::fromStdString(node->name), ItemData(node->id));
    }
    const int index = combo->findData(ItemData(static_cast<uint32_t>(GetLocationId())));
    combo->setCurrentIndex(index >= 0 ? index : 0);
}

uint32_t CNeFwUpgradeDlg::ChosenModel() const
{
    return SelectedData(GetDlgItemAs<QComboBox>(kNeModelId));
}

void CNeFwUpgradeDlg::QueryFirmwareRecords()
{
    records_.clear();
    const RecordReply<NeFwUpgradeRecord> reply =
        CRecordRequests().Query<NeFwUpgradeRecord>(kReqNeFwUpgrade, 0, {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return;
    for (const NeFwUpgradeRecord& record : reply.records) {
        if (CNeRecord* ne = AppData().nes.FindNeById(record.neId)) {
            ne->SetLoginUser(record.loginUser);
            ne->SetLoginPassword(record.loginPassword);
        }
    }
    records_ = reply.records;
}

std::vector<FwUpgradeRow> CNeFwUpgradeDlg::ListedRows() const
{
    std::vector<FwUpgradeRow> rows;
    const bool withSubLocations = ReadIniBool("DIALOG", "INCLSUBNE", true, ConfigFilePath());
    const uint32_t location = SelectedData(GetDlgItemAs<QComboBox>(kLocationId));
    const uint32_t model = ChosenModel();
    for (const NeFwUpgradeRecord& record : records_) {
        const CNeRecord* ne = FindNeById(record.neId);
        if (ne != nullptr && ne->neModelId == model &&
            NeMatchesLocation(ne, FindLocation(ne->locationId), location, withSubLocations ? 1 : 0, 0) != 0)
            rows.push_back({record, {}});
    }
    return rows;
}

bool CNeFwUpgradeDlg::IsGreyed(uint32_t neId) const
{
    const CNeRecord* ne = FindNeById(neId);
    return ne == nullptr || ne->planned == 1 || !IsNeConnected(*ne);
}

bool CNeFwUpgradeDlg::IsChecked(uint32_t neId) const
{
    return rows_.Model().IsChecked(neId);
}

void CNeFwUpgradeDlg::GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor, COLORREF* backColor2,
                                    int listId)
{
    CRecordListDlg::GetItemColors(row, column, textColor, backColor, backColor2, listId);
    if (listId == kListControlId && IsGreyed(List().GetItemData(row)))
        *textColor = kGreyText;
}

// The Progress cell of an NE being sent the image, or sent it: a bar of 100 pixels, done and to do in two gradients,
// beside the percentage.
void CNeFwUpgradeDlg::DrawOwnerText(Dc& dc, const QRect& rect, int row, int column, COLORREF textColor, int listId)
{
    if (listId != kListControlId || column != kProgressColumn)
        return;
    const FwUpgradeRow* shown = rows_.Find(List().GetItemData(row));
    if (shown == nullptr || shown->job.progress < 0)
        return;
    QPainter& painter = dc.Painter();
    const QString text = QStringLiteral("%1%").arg(shown->job.progress);
    const int textWidth = painter.fontMetrics().horizontalAdvance(QLatin1String(kFullProgress)) + kProgressTextGap;
    if (shown->job.image == kImageTransferring || shown->job.image == kImageFinished) {
        const QRect bar(rect.left(), rect.top() + 3, kProgressBarWidth, rect.height() - 6);
        const int done = bar.width() * shown->job.progress / 100;
        QLinearGradient doneFill(bar.topLeft(), bar.bottomLeft());
        doneFill.setColorAt(0, QColor(0x7C, 0xD0, 0x7C));
        doneFill.setColorAt(1, QColor(0x20, 0x8C, 0x20));
        QLinearGradient restFill(bar.topLeft(), bar.bottomLeft());
        restFill.setColorAt(0, QColor(0xF4, 0xF4, 0xF4));
        restFill.setColorAt(1, QColor(0xC8, 0xC8, 0xC8));
        painter.fillRect(QRect(bar.left(), bar.top(), done, bar.height()), doneFill);
        painter.fillRect(QRect(bar.left() + done, bar.top(), bar.width() - done, bar.height()), restFill);
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawRect(bar.adjusted(0, 0, -1, -1));
    }
    painter.setPen(ToQColor(textColor));
    painter.drawText(QRect(rect.right() - textWidth, rect.top(), textWidth, rect.height()),
                     Qt::AlignRight | Qt::AlignVCenter, text);
}

int CNeFwUpgradeDlg::OnNotifyHook(const NotifyHeader& header, int* /*result*/)
{
    // A greyed NE never takes part: its tick goes at once.
    if (header.idFrom == kListControlId && header.code == LVN_ITEMCHANGED && (header.newState & LVIS_CHECKED) &&
        IsGreyed(List().GetItemData(header.item))) {
        List().SetCheck(header.item, false);
        return 1;
    }
    return 0;
}

int CNeFwUpgradeDlg::OnCommandHook(int id, int code)
{
    if ((id == kLocationId || id == kNeModelId) && code == CBN_SELCHANGE) {
        RefillList();
        return 1;
    }
    if (code != BN_CLICKED)
        return 0;
    switch (id) {
    case kBrowseButtonId:
    case kPopupBrowse:
        Browse();
        return 1;
    case kDetailButtonId:
        ShowFileInformation();
        return 1;
    case kPopupShowNe:
        OnCommand(kShowButtonId, BN_CLICKED);
        return 1;
    case kUpgradeButtonId:
    case kUpgradeCommand:
        Upgrade();
        return 1;
    case kStopButtonId:
    case kStopCommand:
        EnableControl(kStopButtonId, false);
        if (batch_)
            batch_->Stop();
        return 1;
    case kSelectAllButtonId:
        CheckAll(true);
        return 1;
    case kDeselectAllButtonId:
        CheckAll(false);
        return 1;
    default:
        return 0;
    }
}

void CNeFwUpgradeDlg::OnShowRecord(uint32_t neId)
{
    CNeDlg dlg(this);
    dlg.SetAccessMode(kAccessQuery);
    dlg.SetTarget(static_cast<int>(neId), nullptr);
    dlg.DoModal();
}

void CNeFwUpgradeDlg::Browse()
{
    const std::optional<QString> path = ChooseFile(
        {.fileName = GetDlgItemAs<QLineEdit>(kLocalFileId)->text(), .filter = "All files (*)", .parent = this});
    if (path)
        GetDlgItemAs<QLineEdit>(kLocalFileId)->setText(*path);
}

void CNeFwUpgradeDlg::ShowFileInformation()
{
    CFwFileInfoDlg dlg(this);
    dlg.SetFilePath(GetDlgItemAs<QLineEdit>(kLocalFileId)->text());
    dlg.DoModal();
}

void CNeFwUpgradeDlg::CheckAll(bool on)
{
    CListControl list = List();
    for (int row = 0; row < list.GetItemCount(); ++row)
        list.SetCheck(row, on && !IsGreyed(list.GetItemData(row)));
}

void CNeFwUpgradeDlg::SetRunning(bool running)
{
    EnableControls({kLocalFileId, kBrowseButtonId, kFirmwareTypeId, kPartitionId, kDetailButtonId, kLocationId,
                    kNeModelId, kShowButtonId, kUpgradeButtonId, kSelectAllButtonId, kDeselectAllButtonId,
                    kExportButtonId, IDCANCEL},
                   !running);
    EnableControl(kStopButtonId, running);
    SetControlReadOnly(kLocalFileId, running);
    if (auto* edit = GetDlgItemAs<QLineEdit>(kLocalFileId))
        edit->setEnabled(true);
    if (!running)
        UpdateRowCommands();
}

std::optional<FwUploadImage> CNeFwUpgradeDlg::CheckedImage(uint32_t* length)
{
    const std::string path = GetDlgItemAs<QLineEdit>(kLocalFileId)->text().toStdString();
    const FirmwareTypeNames& type =
        settings_->FirmwareType(ChosenFirmwareKind(*GetDlgItemAs<QComboBox>(kFirmwareTypeId)));
    const std::string partition = GetDlgItemAs<QComboBox>(kPartitionId)->currentText().toStdString();
    const LocalImageCheck check = CheckLocalImage(path, type, partition);
    if (!check.Sound()) {
        ShowLocalImageRefusal(*this, check, kLocalFileId, kFirmwareTypeId, kPartitionId);
        return std::nullopt;
    }
    *length = check.length;
    return FwUploadImage{path, partition, type.fileName, settings_->Transfer().transfer};
}

void CNeFwUpgradeDlg::Upgrade()
{
    if (!IsControlEnabled(kUpgradeButtonId) || batch_)
        return;
    ClearMessageLine();
    if (GetDlgItemAs<QLineEdit>(kLocalFileId)->text().isEmpty()) {
        ShowAlertTextById(kStrDataIsBlank, kBrowseButtonId);
        return;
    }
    std::vector<uint32_t> order;
    bool anyChecked = false;
    CListControl list = List();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        order.push_back(list.GetItemData(row));
        anyChecked = anyChecked || list.GetCheck(row);
    }
    if (!anyChecked) {
        ShowAlertTextById(kStrPleaseSelectOneItem);
        return;
    }
    SetRunning(true);
    uint32_t length = 0;
    std::optional<FwUploadImage> image = CheckedImage(&length);
    if (!image || ShowMessageById(kStrSureToUpgradeNeFirmware, kConfirmFlags) != IDYES) {
        SetRunning(false);
        return;
    }
    // The rows of the last batch start afresh.
    for (const uint32_t neId : order) {
        const FwUpgradeRow* row = rows_.Find(neId);
        if (row != nullptr && row->job.image >= 0 && !IsGreyed(neId))
            rows_.Put({row->record, {}});
    }
    const uint16_t port = settings_->Transfer().port;
    auto resolve = [port](uint32_t neId) -> std::optional<FtpEndpoint> {
        const CNeRecord* ne = FindNeById(neId);
        if (ne == nullptr)
            return std::nullopt;
        return FtpEndpoint{ne->GetIpText(), port, ne->loginUser, ne->loginPassword};
    };
    // The batch lives with the application, so that it can outlast this dialog.
    batch_ = new CFwUpgradeBatch(*image, settings_->Transfer().maxSessions, order, resolve, length, this,
                                 QCoreApplication::instance());
    batch_->Begin();
    SetTimer(kJobTimer, CFwUpgradeBatch::kTickMs);
}

void CNeFwUpgradeDlg::OnTimer(int id)
{
    if (id != kJobTimer) {
        CRecordListDlg::OnTimer(id);
        return;
    }
    KillTimer(kJobTimer);
    if (!batch_)
        return;
    batch_->Tick();
    if (batch_ && !batch_->HasEnded())
        SetTimer(kJobTimer, CFwUpgradeBatch::kTickMs);
}

void CNeFwUpgradeDlg::ShowJobs(const std::vector<std::pair<uint32_t, FwJobView>>& jobs)
{
    std::vector<FwUpgradeRow> changed;
    for (const auto& [neId, job] : jobs) {
        if (const FwUpgradeRow* row = rows_.Find(neId))
            changed.push_back({row->record, job});
    }
    rows_.Apply(changed, {});
}

void CNeFwUpgradeDlg::ShowReport(const NeFwUpgradeRecord& record)
{
    for (NeFwUpgradeRecord& kept : records_) {
        if (kept.neId == record.neId) {
            kept.lastResult = record.lastResult;
            kept.lastFile = record.lastFile;
            kept.lastTime = record.lastTime;
        }
    }
    if (const FwUpgradeRow* row = rows_.Find(record.neId)) {
        FwUpgradeRow shown = *row;
        shown.record.lastResult = record.lastResult;
        shown.record.lastFile = record.lastFile;
        shown.record.lastTime = record.lastTime;
        rows_.Put(shown);
    }
}

void CNeFwUpgradeDlg::OnStopped()
{
    EnableControl(kStopButtonId, false);
}

void CNeFwUpgradeDlg::OnEnded()
{
    KillTimer(kJobTimer);
    SetRunning(false);
    if (batch_)
        batch_->deleteLater();
    batch_ = nullptr;
}

void CNeFwUpgradeDlg::OnCancel()
{
    // Closing mid-batch stops the dispatch; the NEs being served finish and are reported without the dialog.
    if (batch_) {
        batch_->Detach();
        batch_ = nullptr;
    }
    CRecordListDlg::OnCancel();
}

void CNeFwUpgradeDlg::OnDestroy()
{
    KillTimer(kJobTimer);
    if (batch_) {
        batch_->Detach();
        batch_ = nullptr;
    }
    CRecordListDlg::OnDestroy();
}
