#include "features/provisioning/templates/template_download_dlg.h"

#include "core/config/ini_readers.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/entity/entity_type_ids.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_enumeration.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"
#include "link/record_requests.h"
#include "platform/list_control.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/dialogs/location_ne_combos.h"
#include "ui/framework/lists/entity_icons.h"
#include "ui/framework/lists/record_table_model.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui/shell/app/config_file_path.h"
#include "ui_template_download_dlg.h"

#include <QComboBox>
#include <QLabel>
#include <QTreeView>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, exclamation, No default
constexpr COLORREF kLockedText = 0x808080;
constexpr uint32_t kAnyModel = 0x7FFFFFFF;
constexpr char kNeDlgClass[] = "CNeDlg";
// The controls a run leaves to the operator are the list and Stop.
constexpr int kIdleControls[] = {CTemplateDownloadDlg::kLocationComboId,
                                 CTemplateDownloadDlg::kModelComboId,
                                 kShowButtonId,
                                 CTemplateDownloadDlg::kDownloadId,
                                 kExportButtonId,
                                 CTemplateDownloadDlg::kSelectAllId,
                                 CTemplateDownloadDlg::kDeselectAllId,
                                 IDCANCEL};

std::string LocationNameOf(const CNeRecord& ne)
{
    const CLocationNode* location = FindLocation(ne.locationId);
    return location != nullptr ? location->name : AppData().locations.Root().name;
}

} // namespace

CTemplateDownloadDlg::CTemplateDownloadDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "PROFDOWNLOAD_LIST",
                      .rowCommands = {{kShowButtonId, kPopupShowNe}},
                      .activateCommand = kShowButtonId,
                      .exportStem = "TempDownload"},
                     parent),
      ui_(std::make_unique<Ui::CTemplateDownloadDlg>()),
      rows_(
          *this, Columns(), [](uint32_t neId) -> const CNeRecord* { return FindNeById(neId); },
          [this] { return ListedNes(); }),
      confirmTextId_(kStrSureToDownloadTemplate), failureTextId_(kStrFailToDownloadTemplate)
{
    ui_->setupUi(this);
    SetRecordList(rows_);
}

CTemplateDownloadDlg::~CTemplateDownloadDlg() = default;

std::vector<ListColumn<CNeRecord>> CTemplateDownloadDlg::Columns()
{
    // No. with the NE's state or its outcome, Name, Location (then name), IP address.
    return {
        {.order = ListOrder::kArrival, .image = [this](const CNeRecord& ne) { return RowImage(ne); }},
        {.value = &CNeRecord::name, .order = ListOrder::kNoCase},
        {.value = [](const CNeRecord& ne) { return ListValue(LocationNameOf(ne)); },
         .order = ListOrder::kNoCase,
         .sortValue = [](const CNeRecord& ne) { return ListValue(LocationNameOf(ne) + '\t' + ne.name); }},
        {.value = &CNeRecord::address, .order = ListOrder::kIpv4},
    };
}

void CTemplateDownloadDlg::ApplyOpenerFields(const DialogRequest& request)
{
    if (request.templateDownload != nullptr)
        SetDownload(*request.templateDownload);
}

bool CTemplateDownloadDlg::IsLocked(const CNeRecord& ne)
{
    // The display states not connected, planned and connected, planned and not connected; told from the NE itself,
    // since an icon table may give two states one picture.
    return ne.planned == 1 || !IsNeConnected(ne);
}

int CTemplateDownloadDlg::RowImage(const CNeRecord& ne) const
{
    const auto outcome = outcomes_.find(ne.neId);
    if (outcome != outcomes_.end() && outcome->second == DownloadRow::Outcome::kDone)
        return kImageDone;
    if (outcome != outcomes_.end() && outcome->second == DownloadRow::Outcome::kFailed)
        return kImageFailed;
    return GetEntityStateIcon(&ne, 0);
}

void CTemplateDownloadDlg::InitData()
{
    SetSmallImages();
    EnableCheckBoxes();
    InitListColumnsById(kStrColumnsTemplateDownloadNes);
    // A row that takes no download loses any tick it is given.
    connect(&rows_.Model(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex& last, const QList<int>& roles) {
                if (!roles.isEmpty() && !roles.contains(Qt::CheckStateRole))
                    return;
                CRecordTableModel& model = rows_.Model();
                for (int row = first.row(); row <= last.row(); ++row) {
                    const uint32_t neId = model.KeyAt(row);
                    const CNeRecord* ne = FindNeById(neId);
                    if (ne != nullptr && model.IsChecked(neId) && IsLocked(*ne))
                        model.SetChecked(neId, false);
                }
            });
    ui_->title->setText(QString::fromStdString(download_.title));
    FillLocationCombo(ui_->locationCombo, static_cast<uint32_t>(GetLocationId()));
    FillModelCombo();
    EnableControl(kStopId, false);
    FillNeList();
    if (const uint32_t neId = static_cast<uint32_t>(GetNeId()); neId != 0 && SelectRowByItemData(neId)) {
        if (const CNeRecord* ne = FindNeById(neId); ne != nullptr && !IsLocked(*ne))
            rows_.Model().SetChecked(neId, true);
    }
}

void CTemplateDownloadDlg::FillModelCombo()
{
    QComboBox* combo = ui_->modelCombo;
    combo->clear();
    if (download_.singleSlot)
        combo->addItem(LoadQString(kStrAll), QVariant::fromValue<quint32>(kAllModels));
    const CEntityModelSet& models = CurrentEntityModels();
    for (int i = 0; i < models.GetTypeCount(); ++i) {
        const CEntityType* model = models.GetTypeAt(i);
        if (model != nullptr && model->GetLevel() == kEntityLevelNe)
            combo->addItem(QString::fromStdString(model->GetDisplayName()),
                           QVariant::fromValue<quint32>(model->GetId()));
    }
    if (combo->count() == 0) {
        EnableControl(kDownloadId, false);
        return;
    }
    combo->setCurrentIndex(0);
}

std::vector<uint32_t> CTemplateDownloadDlg::ListedNes() const
{
    const uint32_t location = SelectedComboValue(ui_->locationCombo);
    const uint32_t model = SelectedComboValue(ui_->modelCombo);
    std::vector<uint32_t> nes;
    if (location != 0 && FindLocation(location) == nullptr)
        return nes;
    const bool withSubLocations = ReadIniBool("DIALOG", "INCLSUBNE", true, CurrentConfigFilePath());
    for (const CNeRecord* ne = ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        if (model != kAllModels && model != kAnyModel && model != ne->neModelId)
            continue;
        if (NeMatchesLocation(ne, FindLocation(ne->locationId), location, withSubLocations ? 1 : 0, 0) != 0)
            nes.push_back(ne->neId);
    }
    return nes;
}

void CTemplateDownloadDlg::FillNeList()
{
    outcomes_.clear();
    RefillList();
}

void CTemplateDownloadDlg::TickAll(bool on)
{
    CRecordTableModel& model = rows_.Model();
    for (int row = 0; row < model.RowCount(); ++row) {
        const uint32_t neId = model.KeyAt(row);
        const CNeRecord* ne = FindNeById(neId);
        model.SetChecked(neId, on && ne != nullptr && !IsLocked(*ne));
    }
}

const TemplateDownloadSlot* CTemplateDownloadDlg::ChosenSlot() const
{
    if (download_.requests.empty())
        return nullptr;
    if (download_.singleSlot)
        return &download_.requests.front();
    const uint32_t model = SelectedComboValue(ui_->modelCombo);
    for (const TemplateDownloadSlot& slot : download_.requests) {
        if (slot.neModelKey == model)
            return &slot;
    }
    return nullptr;
}

int CTemplateDownloadDlg::OnCommandHook(int id, int code)
{
    switch (id) {
    case kLocationComboId:
    case kModelComboId:
        if (code == CBN_SELCHANGE)
            FillNeList();
        break;
    case kSelectAllId:
    case kPopupSelectAll:
        if (code == BN_CLICKED)
            TickAll(true);
        break;
    case kDeselectAllId:
    case kPopupDeselectAll:
        if (code == BN_CLICKED)
            TickAll(false);
        break;
    case kPopupShowNe:
        if (code == BN_CLICKED)
            OnCommand(kShowButtonId, BN_CLICKED);
        break;
    case kDownloadId:
        if (code == BN_CLICKED)
            StartRun();
        break;
    case kStopId:
        if (code == BN_CLICKED)
            StopRun();
        break;
    default:
        break;
    }
    return CRecordListDlg::OnCommandHook(id, code);
}

void CTemplateDownloadDlg::StartRun()
{
    if (ShowMessageById(confirmTextId_, kConfirmFlags) != IDYES || rows_.Model().RowCount() == 0)
        return;
    ticks_.Start();
    for (int id : kIdleControls)
        EnableControl(id, false);
    EnableControl(kStopId, true);
    run_.Start();
}

void CTemplateDownloadDlg::StopRun()
{
    ticks_.Stop();
    for (int id : kIdleControls)
        EnableControl(id, true);
    EnableControl(kStopId, false);
    UpdateRowCommands();
}

void CTemplateDownloadDlg::OnTimer(int id)
{
    if (!ticks_.OnTimer(id))
        CRecordListDlg::OnTimer(id);
}

void CTemplateDownloadDlg::Tick()
{
    const TemplateDownloadSlot* slot = ChosenSlot();
    if (slot == nullptr) {
        StopRun();
        return;
    }
    if (slot->count == 0)
        return; // nothing to send: the run waits for Stop
    // The rows as the list shows them now, with their ticks and outcomes.
    const CListControl list = List();
    CRecordTableModel& model = rows_.Model();
    std::vector<DownloadRow> rows;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        const uint32_t neId = list.GetItemData(row);
        const auto outcome = outcomes_.find(neId);
        rows.push_back(
            {neId, model.IsChecked(neId), outcome != outcomes_.end() ? outcome->second : DownloadRow::Outcome::kNone});
    }
    const auto send = [&](uint32_t neId) {
        if (QTreeView* view = FindList(kListControlId))
            view->clearSelection();
        SelectRowByItemData(neId);
        return CRecordRequests()
            .SendPrepared(slot->requestCode, neId, slot->recordSize, slot->count, slot->records,
                          {.failureTextId = failureTextId_})
            .Ok();
    };
    std::optional<size_t> sent;
    const CTemplateDownloadRun::Tick tick = run_.Step(rows, send, &sent);
    if (sent) {
        const DownloadRow& row = rows[*sent];
        outcomes_[row.neId] = row.outcome;
        model.SetChecked(row.neId, row.ticked);
        rows_.Update(row.neId);
    }
    if (tick == CTemplateDownloadRun::Tick::kSent && ticks_.Running())
        ticks_.Next();
    else
        StopRun();
}

void CTemplateDownloadDlg::OnDestroy()
{
    ticks_.Stop();
    CRecordListDlg::OnDestroy();
}

void CTemplateDownloadDlg::OnShowRecord(uint32_t neId)
{
    DialogRequest request;
    request.className = kNeDlgClass;
    request.hasTarget = true;
    request.neId = neId;
    OpenRouteDialog(request);
}

void CTemplateDownloadDlg::OnListSelChanged(int row, int listId)
{
    CRecordListDlg::OnListSelChanged(row, listId);
    // The run selects each row it sends to; Show stays off with the other buttons until it stops. The popup keeps
    // offering Show NE for the selected row.
    if (ticks_.Running())
        EnableControl(kShowButtonId, false);
}

void CTemplateDownloadDlg::GetItemColors(int row, int column, COLORREF* textColor, COLORREF* backColor,
                                         COLORREF* backColor2, int listId)
{
    CRecordListDlg::GetItemColors(row, column, textColor, backColor, backColor2, listId);
    const CNeRecord* ne = FindNeById(List().GetItemData(row));
    if (ne != nullptr && IsLocked(*ne) && textColor != nullptr)
        *textColor = kLockedText;
}
