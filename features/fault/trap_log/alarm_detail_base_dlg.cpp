#include "features/fault/trap_log/alarm_detail_base_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_labels.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"
#include "core/util/date_time_format.h"
#include "features/fault/trap_log/entity_alarm_text.h"
#include "platform/list_control.h"
#include "ui/framework/lists/export_dlg.h"
#include "ui/framework/messages/string_table.h"

#include <QLineEdit>
#include <QTreeWidget>

namespace {

constexpr int kExportButtonCommand = 1165;

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

CAlarmDetailBaseDlg::CAlarmDetailBaseDlg(int templateId, QWidget* parent) : CADialog(templateId, parent) {}

const CNeRecord* CAlarmDetailBaseDlg::TargetNe() const
{
    return FindNeById(static_cast<uint32_t>(GetNeId()));
}

const CEntityType* CAlarmDetailBaseDlg::PlannedModel() const
{
    return FindPlannedEntityModel(TargetNe(), GetTargetEntity().id, plannedType_);
}

QString CAlarmDetailBaseDlg::ModelName(const CEntityType* model)
{
    return model != nullptr ? Text(model->GetName()) : LoadQString(kStrNone);
}

void CAlarmDetailBaseDlg::SetFieldText(int id, const QString& text)
{
    if (auto* edit = GetDlgItemAs<QLineEdit>(id))
        edit->setText(text);
}

void CAlarmDetailBaseDlg::InitData()
{
    const CNeRecord* ne = TargetNe();
    // A dialog given no location of its own shows the NE's.
    const CLocationNode* location =
        GetLocationId() != 0 ? FindLocation(static_cast<uint32_t>(GetLocationId())) : nullptr;
    if (location == nullptr && ne != nullptr)
        location = FindLocation(ne->locationId);
    SetFieldText(kLocationId, Text(location != nullptr ? location->name : AppData().locations.Root().name));
    SetFieldText(kNeNameId, ne != nullptr ? Text(ne->name) : QString());
    SetFieldText(kEntityId, Text(FormatEntityLocation(ne, GetTargetEntity().index, 0, true)));

    const CEntityType* planned = PlannedModel();
    SetFieldText(kPlannedModelId, ModelName(planned));
    SetFieldText(kOnlineModelId, ModelName(FindEntityModel(onlineType_)));
    SetFieldText(kSeverityId, LoadQString(AlarmSeverityLook(alarmBits_, severity_).textId));
    SetFieldText(kOccurTimeId, Text(FormatDateTime(occurTime_)));
    SetFieldText(kReceiveTimeId, Text(FormatDateTime(receiveTime_)));
    ShowExtraFields();

    InitListColumnsById(AlarmColumnSpecId());
    SetSmallImages();
    rowTexts_.clear();
    FillAlarmRows(planned);
    if (planned == nullptr)
        ShowAlertTextById(kStrUnknownEntityType);
}

void CAlarmDetailBaseDlg::FillAlarmRows(const CEntityType* model)
{
    if (alarmBits_ == 0) {
        const QString clear = LoadQString(kStrClear);
        AddAlarmRow(0, clear, QString(), {clear});
        return;
    }
    if (model == nullptr)
        return;
    for (int i = 0; i < kEntityAlarmCount; ++i) {
        const CEntityAlarmDef* def = (alarmBits_ & (1u << i)) != 0 ? model->GetAlarmDef(i) : nullptr;
        if (def == nullptr)
            continue;
        const QString name = Text(def->name);
        const QString description = Text(def->text);
        AddAlarmRow(static_cast<uint32_t>(i) + 1, name, description, {name, description});
    }
}

int CAlarmDetailBaseDlg::AddAlarmRow(uint32_t data, const QString& name, const QString& description,
                                     const QStringList& cells)
{
    CListControl list(FindList(kListControlId));
    const int row = list.InsertItem(list.GetItemCount(), QString::number(list.GetItemCount() + 1));
    if (row < 0)
        return row;
    for (int c = 0; c < cells.size(); ++c)
        list.SetItemText(row, c + 1, cells[c]);
    list.SetItemData(row, data);
    rowTexts_[data] = {name, description};
    return row;
}

int CAlarmDetailBaseDlg::OnCommandHook(int id, int code)
{
    if ((id == kExportButtonCommand && code == BN_CLICKED) || id == kExportCommand) {
        ExportAlarms();
        return 1;
    }
    return 0;
}

void CAlarmDetailBaseDlg::ExportAlarms()
{
    CExportDlg dlg(this);
    dlg.SetTarget(GetNeId(), &GetTargetEntity());
    dlg.SetExportSource(FindList(kListControlId), "DtlAlm", '\t');
    dlg.DoModal();
}

int CAlarmDetailBaseDlg::CompareItems(uint32_t item1, uint32_t item2, uint32_t flags)
{
    constexpr uint32_t kNameKey = 1;
    constexpr uint32_t kDescriptionKey = 2;
    const uint32_t key = flags & 0xFF;
    if (key == kNameKey || key == kDescriptionKey) {
        const auto a = rowTexts_.find(item1);
        const auto b = rowTexts_.find(item2);
        if (a != rowTexts_.end() && b != rowTexts_.end()) {
            const QString& textA = key == kNameKey ? a->second.first : a->second.second;
            const QString& textB = key == kNameKey ? b->second.first : b->second.second;
            const int order = textA.compare(textB, Qt::CaseInsensitive);
            if (order != 0) {
                const int result = order < 0 ? -1 : 1;
                return (flags & kCompareDescending) != 0 ? -result : result;
            }
        }
        return item1 < item2 ? -1 : (item1 > item2 ? 1 : 0);
    }
    return CompareItemData(item1, item2, flags);
}
