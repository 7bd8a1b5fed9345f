#include "core/entity/entity_model_set.h"

#include <algorithm>

namespace {

CEntityAlarmDef BuiltinAlarm(const char* name, uint32_t severity, const char* text)
{
    CEntityAlarmDef def;
    def.defined = 1;
    def.name = name;
    def.severity = severity;
    def.reporting = 1;
    def.text = text;
    return def;
}

const std::string kNoShape;

} // namespace

CEntityModelSet::CEntityModelSet()
    : builtinAlarms_{BuiltinAlarm("Missing", 2, "Planned module missing"),
                     BuiltinAlarm("Wrong Type", 2, "Module of another type than planned"),
                     BuiltinAlarm("Unexpected", 4, "Module present but not planned"),
                     BuiltinAlarm("Offline", 1, "NE not reachable")},
      selectedMark_("RL,@L,@R,@T,@B,0x0000FF,0,2,0,0")
{
}

const CEntityType* CEntityModelSet::GetTypeAt(int i) const
{
    if (i < 0 || i >= GetTypeCount())
        return nullptr;
    return models_[static_cast<size_t>(i)].get();
}

const CEntityType* CEntityModelSet::FindModel(uint32_t id) const
{
    auto it = std::lower_bound(models_.begin(), models_.end(), id,
                               [](const std::unique_ptr<CEntityType>& m, uint32_t key) { return m->GetId() < key; });
    return it != models_.end() && (*it)->GetId() == id ? it->get() : nullptr;
}

const CEntityAlarmDef* CEntityModelSet::GetBuiltinAlarm(uint8_t index) const
{
    if (index < kEntityAlarmMissing || index > kEntityAlarmOffline)
        return nullptr;
    const CEntityAlarmDef& def = builtinAlarms_[static_cast<size_t>(index - kEntityAlarmMissing)];
    return def.defined ? &def : nullptr;
}

const CEntityAlarmDef* CEntityModelSet::GetAlarmDef(uint32_t modelId, uint8_t index) const
{
    if (index >= kEntityAlarmMissing && index <= kEntityAlarmOffline)
        return GetBuiltinAlarm(index);
    if (index & 0x80)
        return nullptr;
    const CEntityType* model = FindModel(modelId);
    return model ? model->GetAlarmDef(index) : nullptr;
}

unsigned CEntityModelSet::GetMaxEntityLevel(int level) const
{
    if (level < 1 || level > kEntityLevelCount)
        return 0;
    return maxLevels_[static_cast<size_t>(level - 1)];
}

uintptr_t CEntityModelSet::GetImageHandle(int k) const
{
    if (k < 1 || static_cast<size_t>(k) > images_.size())
        return 0;
    return images_[static_cast<size_t>(k - 1)].handle;
}

void CEntityModelSet::SetImageHandle(int k, uintptr_t handle)
{
    if (k >= 1 && static_cast<size_t>(k) <= images_.size())
        images_[static_cast<size_t>(k - 1)].handle = handle;
}

const FontSpec* CEntityModelSet::GetFont(int k) const
{
    if (k < 1 || static_cast<size_t>(k) > fonts_.size())
        return nullptr;
    const FontSpec& font = fonts_[static_cast<size_t>(k - 1)];
    return font.face.empty() ? nullptr : &font;
}

const std::string& CEntityModelSet::GetComponentShape(int component) const
{
    if (component < 0 || component >= kTemplateComponentCount)
        return kNoShape;
    return components_[static_cast<size_t>(component)];
}
