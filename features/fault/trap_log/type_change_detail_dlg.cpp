#include "features/fault/trap_log/type_change_detail_dlg.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "features/fault/trap_log/entity_alarm_text.h"
#include "ui/framework/messages/string_table.h"
#include "ui_type_change_detail_dlg.h"

CTypeChangeDetailDlg::CTypeChangeDetailDlg(QWidget* parent)
    : CAlarmDetailBaseDlg(kTemplateId, parent), ui_(std::make_unique<Ui::CTypeChangeDetailDlg>())
{
    ui_->setupUi(this);
}

CTypeChangeDetailDlg::~CTypeChangeDetailDlg() = default;

void CTypeChangeDetailDlg::ShowExtraFields()
{
    SetFieldText(kOccurTimeId, occurTimeText_);
    SetFieldText(kPreviousPlannedId,
                 ModelName(FindPlannedEntityModel(TargetNe(), GetTargetEntity().id, previousPlannedType_)));
    SetFieldText(kPreviousOnlineId, ModelName(FindEntityModel(previousOnlineType_)));
}

void CTypeChangeDetailDlg::FillAlarmRows(const CEntityType* model)
{
    const CEntityType* previous = FindPlannedEntityModel(TargetNe(), GetTargetEntity().id, previousPlannedType_);
    const uint32_t now = GetAlarmBits();
    for (int i = 0; i < kEntityAlarmCount; ++i) {
        const uint32_t bit = 1u << i;
        if (((now | previousAlarmBits_) & bit) == 0)
            continue;
        const CEntityAlarmDef* def = model != nullptr ? model->GetAlarmDef(i) : nullptr;
        if (def == nullptr && previous != nullptr)
            def = previous->GetAlarmDef(i);
        if (def == nullptr)
            continue;
        uint32_t state = kStrUnchanged;
        if ((previousAlarmBits_ & bit) == 0)
            state = kStrAsserted;
        else if ((now & bit) == 0)
            state = kStrCleared;
        const QString name = QString::fromStdString(def->name);
        const QString description = QString::fromStdString(def->text);
        AddAlarmRow(static_cast<uint32_t>(i) + 1, name, description, {name, LoadQString(state), description});
    }
}
