#include "features/fault/alarm_defs/alarm_def_rows.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "ui/framework/lists/small_images.h"
#include "ui/framework/messages/string_ids.h"
#include "ui/framework/messages/string_table.h"

int AlarmSeverityImage(uint32_t severity)
{
    return severity >= 1 && severity <= 4 ? kImageSeverityCritical + static_cast<int>(severity) - 1
                                          : kImageSeverityInfo;
}

std::string SuppressingAlarmNames(uint32_t modelId, uint32_t mask)
{
    const CEntityType* model = FindEntityModel(modelId);
    std::string names;
    for (int i = 0; model != nullptr && i < kEntityAlarmCount; ++i) {
        const CEntityAlarmDef* alarm = model->GetAlarmDef(i);
        if (alarm == nullptr || (mask & (1U << i)) == 0)
            continue;
        if (!names.empty())
            names += ',';
        names += alarm->name;
    }
    return names;
}

std::vector<ListColumn<AlarmDefRow>> AlarmDefColumns()
{
    constexpr int kIndexSpan = 64;
    return {
        {.value = &AlarmDefRow::name,
         .order = ListOrder::kNoCase80,
         .image = [](const AlarmDefRow& row) { return AlarmSeverityImage(row.setting.severity); }},
        {.value =
             [](const AlarmDefRow& row) { return SeverityText(ListedSeverity(row.setting.severity)).toStdString(); },
         .order = ListOrder::kSigned,
         .sortValue =
             [](const AlarmDefRow& row) {
                 return ListValue(-(AlarmSeverityImage(row.setting.severity) * kIndexSpan + row.alarmIndex));
             }},
        {.value =
             [](const AlarmDefRow& row) {
                 return LoadQString(row.setting.reporting != 0 ? kStrReported : kStrNotReported).toStdString();
             },
         .order = ListOrder::kNoCase80},
        {.value =
             [](const AlarmDefRow& row) { return SuppressingAlarmNames(row.modelId, row.setting.suppressionMask); },
         .order = ListOrder::kNoCase80},
        {.value = &AlarmDefRow::text, .order = ListOrder::kNoCase80},
    };
}
