#include "features/fault/alarm_defs/alarm_def_list_dlg.h"

#include "core/config/app_settings.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/access_rights.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_table.h"
#include "features/fault/alarm_defs/alarm_def_dlg.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "link/record_requests.h"
#include "ui/framework/dialogs/dialog_registry.h"
#include "ui/framework/dialogs/template_download.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_alarm_def_list_dlg.h"

#include <QComboBox>

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, warning, No the default
constexpr uint32_t kAllNeModels = 1;
constexpr char kTemplateDownloadDlg[] = "CTemplateDownloadDlg";

int ClassOfLevel(int level)
{
    switch (level) {
    case 2:
        return CAlarmDefListDlg::kClassShelf;
    case 3:
        return CAlarmDefListDlg::kClassModule;
    default:
        return CAlarmDefListDlg::kClassPort;
    }
}

bool IsModuleOrPort(const CEntityType& model)
{
    return model.GetLevel() == 3 || model.GetLevel() == 4;
}

} // namespace

CAlarmDefListDlg::CAlarmDefListDlg(QWidget* parent)
    : CRecordListDlg(kTemplateId,
                     {.popupName = "EDIT_LIST",
                      .rowCommands = {kRowModify},
                      .activateCommand = kModifyButtonId,
                      .right = kRightAlarmDefinitions,
                      .exportStem = "AlmDef"},
                     parent),
      ui_(std::make_unique<Ui::CAlarmDefListDlg>()), rows_(
                                                         *this, AlarmDefColumns(),
                                                         [this](uint32_t alarmIndex) -> const AlarmDefRow* {
                                                             const auto found = alarms_.find(alarmIndex);
                                                             return found != alarms_.end() ? &found->second : nullptr;
                                                         },
                                                         [this] { return CollectRows(); })
{
    ui_->setupUi(this);
    // Equal texts keep the alarms in index order.
    rows_.SetTies(ListTies::kKey);
    SetRecordList(rows_);
}

CAlarmDefListDlg::~CAlarmDefListDlg() = default;

void CAlarmDefListDlg::ApplyOpenerFields(const DialogRequest& request)
{
    if (request.templateMode >= 0)
        templateMode_ = request.templateMode == 1;
}

QComboBox* CAlarmDefListDlg::Combo(int id) const
{
    return GetDlgItemAs<QComboBox>(id);
}

uint32_t CAlarmDefListDlg::SelectedData(int comboId) const
{
    const QComboBox* combo = Combo(comboId);
    return combo != nullptr && combo->currentIndex() >= 0 ? combo->currentData().toUInt() : 0;
}

void CAlarmDefListDlg::InitData()
{
    if (CheckAccessRightOrClose(kRightAlarmDefinitions) != 0 || (!templateMode_ && CheckTargetNeOrClose() != 0))
        return;
    if (templateMode_)
        UpdateCaption(kCaptionText | kCaptionTargetFirst, LoadQString(kStrTemplateLabel).toStdString().c_str());
    else
        UpdateCaption(kCaptionNe | kCaptionLocation);
    // On an NE its definitions go to the templates; in template mode the templates go to the NEs, from the same
    // place. The NE of a direct login has no server to keep templates.
    const bool direct = AppSettings().directControl;
    ShowControl(kSaveAllButtonId, !templateMode_ && !direct);
    ShowControl(kDownloadAllButtonId, templateMode_ && !direct);
    if (QWidget* download = GetDlgItem(kDownloadAllButtonId); download != nullptr && GetDlgItem(kSaveAllButtonId))
        download->setGeometry(GetDlgItem(kSaveAllButtonId)->geometry());
    SetSmallImages();
    SetRowColorMode(kRowColorsByImage);
    SetRowColors(SeverityRowStyles());
    InitListColumnsById(kStrColumnsAlarmDefinitions);

    // The settings as the NE, or the server's templates, have them now.
    const CRecordRequests requests;
    const RecordReply<AlarmDefRec> reply =
        templateMode_ ? requests.Query<AlarmDefRec>(kReqAlarmDefTemplate, 0, {.failureTextId = kStrFailToQuery})
                      : requests.Query<AlarmDefRec>(kReqAlarmDef, static_cast<uint32_t>(GetNeId()),
                                                    {.failureTextId = kStrFailToQuery});
    if (!reply.Ok())
        return;
    settings_.Take(reply.records);

    FillNeCombo();
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    const CEntityType* targetType =
        ne != nullptr ? FindEntityModel(CEntityNode::GetTypeById(ne, GetTargetEntity().id)) : nullptr;
    QComboBox* classes = Combo(kClassComboId);
    if (classes != nullptr)
        classes->setCurrentIndex(targetType != nullptr ? ClassOfLevel(targetType->GetLevel()) : kClassShelf);
    FillModelCombo();
    if (QComboBox* models = Combo(kModelComboId); models != nullptr && targetType != nullptr) {
        const int entry = models->findData(QVariant::fromValue<uint>(targetType->GetId()));
        if (entry >= 0 && entry != models->currentIndex()) {
            models->setCurrentIndex(entry);
            RefillList();
        }
    }
}

void CAlarmDefListDlg::FillNeCombo()
{
    QComboBox* combo = Combo(kNeComboId);
    if (combo == nullptr)
        return;
    combo->clear();
    combo->addItem(LoadQString(kStrAll), QVariant::fromValue<uint>(kAllNeModels));
    const CNeRecord* ne = FindNeById(static_cast<uint32_t>(GetNeId()));
    int selected = 0;
    for (int i = 0; i < GetEntityTypeCount(); ++i) {
        const CEntityType* type = GetEntityTypeAt(i);
        if (type == nullptr || type->GetLevel() != 1)
            continue;
        if (ne != nullptr && type->GetId() == ne->neModelId)
            selected = combo->count();
        combo->addItem(QString::fromStdString(type->GetName()), QVariant::fromValue<uint>(type->GetId()));
    }
    combo->setCurrentIndex(selected);
    EnableControl(kNeComboId, templateMode_);
    if (combo->count() < 2)
        EnableAllModelButtons(false);
}

void CAlarmDefListDlg::FillModelCombo()
{
    QComboBox* combo = Combo(kModelComboId);
    if (combo == nullptr)
        return;
    combo->clear();
    const uint32_t neModel = SelectedData(kNeComboId);
    const QComboBox* classes = Combo(kClassComboId);
    const int level = (classes != nullptr ? classes->currentIndex() : kClassShelf) + 2;
    for (int i = 0; i < GetEntityTypeCount(); ++i) {
        const CEntityType* type = GetEntityTypeAt(i);
        if (type == nullptr || IsNoNeModel(type->GetNeModelId()) || type->GetLevel() != level ||
            (neModel != kAllNeModels && type->GetNeModelId() != neModel))
            continue;
        combo->addItem(QString::fromStdString(type->GetName()), QVariant::fromValue<uint>(type->GetId()));
    }
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    RefillList();
}

std::vector<uint32_t> CAlarmDefListDlg::CollectRows()
{
    alarms_.clear();
    std::vector<uint32_t> keys;
    const uint32_t modelId = SelectedData(kModelComboId);
    const CEntityType* model = modelId != 0 ? FindEntityModel(modelId) : nullptr;
    for (int i = 0; model != nullptr && i < kEntityAlarmCount; ++i) {
        const CEntityAlarmDef* def = model->GetAlarmDef(i);
        if (def == nullptr)
            continue;
        const auto index = static_cast<uint8_t>(i);
        alarms_.emplace(index, AlarmDefRow{modelId, index, def->name, def->text, settings_.Of(modelId, index)});
        keys.push_back(index);
    }
    return keys;
}

int CAlarmDefListDlg::OnCommandHook(int id, int code)
{
    if (code == CBN_SELCHANGE && (id == kNeComboId || id == kClassComboId)) {
        FillModelCombo();
        return 1;
    }
    if (code == CBN_SELCHANGE && id == kModelComboId) {
        RefillList();
        return 1;
    }
    if (code == BN_CLICKED && id == kSaveAllButtonId) {
        OnSaveAllAsTemplate();
        return 1;
    }
    if (code == BN_CLICKED && id == kDownloadAllButtonId) {
        OnDownloadAll();
        return 1;
    }
    return 0;
}

bool CAlarmDefListDlg::OnCommand(int id, int code)
{
    if (code == BN_CLICKED && (id == kModifyButtonId || id == kPopupModify) && SelectedData(kModelComboId) == 0) {
        ShowAlertTextById(kStrPleaseSelectOneItem, kModelComboId);
        return true;
    }
    return CRecordListDlg::OnCommand(id, code);
}

void CAlarmDefListDlg::OnModifyRecord(uint32_t alarmIndex)
{
    const auto found = alarms_.find(alarmIndex);
    if (found == alarms_.end())
        return;
    const AlarmDefRow& row = found->second;
    CAlarmDefDlg dlg(this);
    dlg.SetTarget(GetNeId(), nullptr);
    dlg.SetTemplateMode(templateMode_);
    dlg.SetDefinition(row.modelId, row.alarmIndex, &settings_);
    if (dlg.DoModal() != IDOK)
        return;
    // What was written is what the NE (or the server) has now: the list, and what Save All sends, follow it.
    settings_.Set(row.modelId, row.alarmIndex, dlg.GetSetting());
    found->second.setting = dlg.GetSetting();
    rows_.Update(alarmIndex);
}

void CAlarmDefListDlg::EnableAllModelButtons(bool on)
{
    EnableControls({kSaveAllButtonId, kDownloadAllButtonId}, on);
}

void CAlarmDefListDlg::OnSaveAllAsTemplate()
{
    if (CheckRight(kRightAlarmDefinitions, 'm') != 0)
        return;
    const std::vector<AlarmDefRec> records = NeModelAlarmRecords(SelectedData(kNeComboId), settings_);
    if (records.empty()) {
        EnableAllModelButtons(false);
        return;
    }
    if (ShowMessageById(kStrSureToSaveAllAsTemplates, kConfirmFlags) != IDYES)
        return;
    CRecordRequests().Modify(kReqAlarmDefTemplate, 0, records, {.failureTextId = kStrFailToSaveAllAsTemplates});
}

void CAlarmDefListDlg::OnDownloadAll()
{
    if (CheckRight(kRightAlarmDefinitions, 'm') != 0)
        return;
    bool any = false;
    for (int i = 0; i < GetEntityTypeCount() && !any; ++i) {
        const CEntityType* type = GetEntityTypeAt(i);
        if (type == nullptr || IsNoNeModel(type->GetId()) || IsNoNeModel(type->GetNeModelId()) ||
            !IsModuleOrPort(*type))
            continue;
        for (int index = 0; index < kEntityAlarmCount && !any; ++index)
            any = type->GetAlarmDef(index) != nullptr;
    }
    if (!any) {
        EnableAllModelButtons(false);
        return;
    }
    // One prepared write per NE model of the NE combo: an NE takes its own model's definitions.
    std::vector<uint32_t> neModels;
    if (const QComboBox* combo = Combo(kNeComboId)) {
        for (int entry = 1; entry < combo->count(); ++entry)
            neModels.push_back(combo->itemData(entry).toUInt());
    }
    const TemplateDownload download =
        AlarmDefinitionDownload(neModels, settings_, LoadQString(kStrAlarmDefinitionTitle).toStdString());
    DialogRequest request;
    request.className = kTemplateDownloadDlg;
    request.hasTarget = true;
    request.neId = static_cast<uint32_t>(GetNeId());
    request.hasLocation = true;
    request.locationId = static_cast<uint32_t>(GetLocationId());
    request.templateDownload = &download;
    OpenRouteDialog(request);
}
