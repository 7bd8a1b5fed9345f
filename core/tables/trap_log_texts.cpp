#include "core/tables/trap_log_texts.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_alarm_names.h"
#include "core/tables/entity_labels.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_record.h"
#include "core/tables/trap_log_ring.h"

#include <algorithm>
#include <optional>
#include <string>

CTrapLogTexts::CTrapLogTexts(const std::array<std::string_view, kFieldCount>& fields)
{
    size_t size = 0;
    for (std::string_view field : fields)
        size += field.size() + 1;
    auto block = std::make_shared_for_overwrite<char[]>(size);
    char* out = block.get();
    for (std::string_view field : fields) {
        out = std::copy(field.begin(), field.end(), out);
        *out++ = '\0';
    }
    block_ = std::move(block);
    blockSize_ = static_cast<uint32_t>(size);
}

std::string_view CTrapLogTexts::Get(Field field) const
{
    if (!block_ || field >= kFieldCount)
        return {};
    const char* text = block_.get();
    for (int skipped = 0; skipped < field; ++skipped)
        text += std::char_traits<char>::length(text) + 1;
    return text;
}

bool CTrapLogTexts::operator==(const CTrapLogTexts& other) const
{
    if (block_ == other.block_)
        return true;
    return blockSize_ == other.blockSize_ && block_ && other.block_ &&
           std::equal(block_.get(), block_.get() + blockSize_, other.block_.get());
}

namespace {

// The names of the active alarms, or the built-in alarm of an entity without a model; nullopt when none can be named.
std::optional<std::string> AlarmText(const CNeRecord& ne, const TrapLogRecord& record, const CEntityType* model)
{
    if (model != nullptr)
        return AlarmNamesOfBits(*model, record.alarmBits);
    const std::optional<uint8_t> builtin =
        BuiltinAlarmOfTypes(record.plannedType, record.onlineType, record.entityId == 1);
    const CEntityAlarmDef* def = builtin ? GetEntityAlarmDef(ne.neModelId, *builtin) : nullptr;
    if (def == nullptr)
        return std::nullopt;
    return def->name;
}

} // namespace

CTrapLogTexts MakeTrapLogTexts(const CNeRecord& ne, const TrapLogRecord& record)
{
    const CEntityType* model = FindPlannedEntityModel(&ne, record.entityId, record.plannedType);
    const std::optional<std::string> alarms = AlarmText(ne, record, model);
    if (!alarms)
        return {};
    const CLocationNode* location = FindLocation(ne.locationId);
    if (location == nullptr)
        location = &AppData().locations.Root();
    const std::string place = FormatEntityLocation(&ne, EntityIndexFromId(record.entityId), 0, false);
    return CTrapLogTexts(
        {location->name, ne.name, place, model != nullptr ? model->GetName() : std::string_view(), *alarms});
}
