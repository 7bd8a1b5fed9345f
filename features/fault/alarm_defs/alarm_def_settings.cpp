#include "features/fault/alarm_defs/alarm_def_settings.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/entity/entity_type_ids.h"
#include "link/records/request_codes.h"

namespace {

constexpr uint32_t kNeModelAny = 1;
constexpr int kModuleLevel = 3;
constexpr int kPortLevel = 4;

} // namespace

bool IsNoNeModel(uint32_t neModelId)
{
    return neModelId == kNeModelAny || neModelId == kEntityTypeUnknown;
}

void CAlarmDefSettings::Take(const std::vector<AlarmDefRec>& records)
{
    for (const AlarmDefRec& rec : records)
        Set(rec.modelId, rec.alarmIndex, {rec.severity, rec.reporting, rec.suppressionMask});
}

void CAlarmDefSettings::Set(uint32_t modelId, uint8_t alarmIndex, const AlarmDefSetting& setting)
{
    settings_[{modelId, alarmIndex}] = setting;
}

AlarmDefSetting CAlarmDefSettings::Of(uint32_t modelId, uint8_t alarmIndex) const
{
    if (const auto found = settings_.find({modelId, alarmIndex}); found != settings_.end())
        return found->second;
    const CEntityAlarmDef* def = GetEntityAlarmDef(modelId, alarmIndex);
    return def != nullptr ? AlarmDefSetting{def->severity, def->reporting, def->suppressionMask} : AlarmDefSetting{};
}

AlarmDefRec CAlarmDefSettings::Record(const CEntityType& model, uint8_t alarmIndex) const
{
    const AlarmDefSetting setting = Of(model.GetId(), alarmIndex);
    AlarmDefRec rec;
    rec.modelId = model.GetId();
    rec.alarmIndex = alarmIndex;
    rec.neModelId = model.GetNeModelId();
    rec.severity = setting.severity;
    rec.reporting = setting.reporting;
    rec.suppressionMask = setting.suppressionMask;
    return rec;
}

std::vector<AlarmDefRec> NeModelAlarmRecords(uint32_t neModelId, const CAlarmDefSettings& settings)
{
    std::vector<AlarmDefRec> records;
    if (IsNoNeModel(neModelId))
        return records;
    for (int i = 0; i < GetEntityTypeCount(); ++i) {
        const CEntityType* model = GetEntityTypeAt(i);
        if (model == nullptr || model->GetNeModelId() != neModelId ||
            (model->GetLevel() != kModuleLevel && model->GetLevel() != kPortLevel))
            continue;
        for (int index = 0; index < kEntityAlarmCount; ++index) {
            if (model->GetAlarmDef(index) != nullptr)
                records.push_back(settings.Record(*model, static_cast<uint8_t>(index)));
        }
    }
    return records;
}

TemplateDownload AlarmDefinitionDownload(const std::vector<uint32_t>& neModelIds, const CAlarmDefSettings& settings,
                                         const std::string& title)
{
    TemplateDownload download;
    download.title = title;
    download.singleSlot = false;
    for (uint32_t neModelId : neModelIds) {
        const std::vector<AlarmDefRec> records = NeModelAlarmRecords(neModelId, settings);
        download.requests.push_back(
            {neModelId, kReqAlarmDef, kAlarmDefRecSize, static_cast<uint32_t>(records.size()), EncodeRecords(records)});
    }
    return download;
}
