#include "features/fault/alarm_defs/alarm_def_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/list/list_sort.h"
#include "features/fault/alarm_defs/alarm_def_rows.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "link/record_requests.h"
#include "platform/list_control.h"
#include "ui/framework/messages/message_boxes.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"
#include "ui_alarm_def_dlg.h"

namespace {

constexpr int kConfirmFlags = 0x134; // Yes/No, warning, No the default
constexpr int kNameColumn = 0;
constexpr int kDescriptionColumn = 1;
constexpr size_t kCompareChars = 80;
constexpr uint32_t kReported = 1;

} // namespace

CAlarmDefDlg::CAlarmDefDlg(QWidget* parent) : CADialog(kTemplateId, parent), ui_(std::make_unique<Ui::CAlarmDefDlg>())
{
    ui_->setupUi(this);
}

CAlarmDefDlg::~CAlarmDefDlg() = default;

void CAlarmDefDlg::SetDefinition(uint32_t modelId, uint8_t alarmIndex, const CAlarmDefSettings* settings)
{
    modelId_ = modelId;
    alarmIndex_ = alarmIndex;
    settings_ = settings;
}

AlarmDefSetting CAlarmDefDlg::SettingOf(uint8_t alarmIndex) const
{
    return settings_ != nullptr ? settings_->Of(modelId_, alarmIndex) : CAlarmDefSettings().Of(modelId_, alarmIndex);
}

void CAlarmDefDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kModelNameId, modelName_);
    DDX_Text(dx, kAlarmNameId, alarmName_);
    DDX_Text(dx, kDescriptionId, description_);
    DDX_Radio(dx, {kSeverityIds[0], kSeverityIds[1], kSeverityIds[2], kSeverityIds[3], kSeverityIds[4]},
              severityChoice_);
    DDX_Radio(dx, {kEnabledId, kDisabledId}, reportingChoice_);
}

void CAlarmDefDlg::InitData()
{
    if (!templateMode_ && CheckTargetNeOrClose() != 0)
        return;
    const CEntityType* model = FindEntityModel(modelId_);
    const CEntityAlarmDef* def = model != nullptr ? GetEntityAlarmDef(modelId_, alarmIndex_) : nullptr;
    if (model == nullptr || def == nullptr) {
        ShowAlertTextById(model == nullptr ? kStrUnknownEntityType : kStrNoData);
        EndDialog(IDCANCEL);
        return;
    }
    if (templateMode_)
        UpdateCaption(kCaptionText | kCaptionTargetFirst, LoadQString(kStrTemplateLabel).toStdString().c_str());
    else
        UpdateCaption(kCaptionNe | kCaptionLocation);
    setting_ = SettingOf(alarmIndex_);
    modelName_ = QString::fromStdString(model->GetDisplayName());
    alarmName_ = QString::fromStdString(def->name);
    description_ = QString::fromStdString(def->text);
    severityChoice_ = setting_.severity >= 1 && setting_.severity <= 5 ? static_cast<int>(setting_.severity) - 1 : -1;
    reportingChoice_ = setting_.reporting == kReported ? 0 : 1;
    SetSmallImages(kSuppressionListId);
    SetRowColorMode(kRowColorsByImage);
    SetRowColors(SeverityRowStyles());
    EnableCheckBoxes(kSuppressionListId);
    InitListColumnsById(kStrColumnsAlarmTypes, kSuppressionListId);
    UpdateData(false);
    FillSuppressionList();
}

void CAlarmDefDlg::FillSuppressionList()
{
    CListControl list(FindList(kSuppressionListId));
    const CEntityType* model = FindEntityModel(modelId_);
    if (!list.IsValid() || model == nullptr)
        return;
    list.DeleteAllItems();
    for (int i = 0; i < kEntityAlarmCount; ++i) {
        const CEntityAlarmDef* other = model->GetAlarmDef(i);
        if (other == nullptr || i == alarmIndex_)
            continue;
        const uint32_t bit = 1U << i;
        const int row = list.InsertItem(list.GetItemCount(), QString::fromStdString(other->name));
        list.SetItemText(row, kDescriptionColumn, QString::fromStdString(other->text));
        SetRowImage(row, AlarmSeverityImage(SettingOf(static_cast<uint8_t>(i)).severity), kSuppressionListId);
        list.SetItemData(row, bit);
        list.SetCheck(row, (setting_.suppressionMask & bit) != 0);
    }
    UpdateListLayout(kSuppressionListId);
    SortList(GetSortColumn(), GetSortDirection(), kSuppressionListId);
}

int CAlarmDefDlg::CompareItems(uint32_t item1, uint32_t item2, uint32_t flags)
{
    const CListControl list(FindList(kSuppressionListId));
    const int column = static_cast<int>(flags & 0xFF) == kDescriptionColumn ? kDescriptionColumn : kNameColumn;
    const int row1 = list.FindItemByData(item1);
    const int row2 = list.FindItemByData(item2);
    const QString text1 = list.GetItemText(row1, column).left(kCompareChars);
    const QString text2 = list.GetItemText(row2, column).left(kCompareChars);
    int order = text1.compare(text2, Qt::CaseInsensitive);
    if (order == 0)
        order = item1 < item2 ? -1 : (item1 > item2 ? 1 : 0);
    order = order < 0 ? -1 : (order > 0 ? 1 : 0);
    return (flags & kCompareDescending) != 0 ? -order : order;
}

uint32_t CAlarmDefDlg::CheckedMask() const
{
    const CListControl list(FindList(kSuppressionListId));
    uint32_t mask = 0;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetCheck(row))
            mask |= list.GetItemData(row);
    }
    return mask;
}

void CAlarmDefDlg::OnOK()
{
    if (!templateMode_ && CheckTargetNe() != 0)
        return;
    if (ShowMessageById(kStrSureToModifyData, kConfirmFlags) != IDYES)
        return;
    if (!UpdateDialogData())
        return;
    const CEntityType* model = FindEntityModel(modelId_);
    if (model == nullptr || GetEntityAlarmDef(modelId_, alarmIndex_) == nullptr) {
        ShowAlertTextById(kStrUnknownEntityType);
        return;
    }
    AlarmDefRec rec;
    rec.modelId = modelId_;
    rec.alarmIndex = alarmIndex_;
    rec.neModelId = model->GetNeModelId();
    rec.severity = severityChoice_ >= 0 ? static_cast<uint32_t>(severityChoice_) + 1 : 0;
    rec.reporting = reportingChoice_ == 0 ? kReported : 0;
    rec.suppressionMask = CheckedMask();
    const CRecordRequests requests;
    const RequestOptions options{.failureTextId = kStrFailToUpdateData};
    const bool written = templateMode_
                             ? requests.Modify(kReqAlarmDefTemplate, 0, rec, options).Ok()
                             : requests.Modify(kReqAlarmDef, static_cast<uint32_t>(GetNeId()), rec, options).Ok();
    if (!written)
        return;
    setting_ = {rec.severity, rec.reporting, rec.suppressionMask};
    EndDialog(IDOK);
}
