#include "features/fault/alarm_events/alarm_event_rows.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/entity_enumeration.h"
#include "core/tables/entity_node.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_record.h"
#include "core/tables/ne_table.h"
#include "core/util/severity.h"
#include "features/fault/alarm_events/ne_boot_time.h"
#include "features/fault/alarm_events/record_paging.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "features/fault/trap_log/entity_alarm_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

constexpr int kPortLevel = 4;
constexpr char kPartEnd = '\x01';

int LevelOf(uint32_t entityId)
{
    return EntityIndexFromId(entityId).GetLevel();
}

// The alarm type of a port entry of an NE's log: equipment when it reports only that the port is offline, missing or
// disabled, else communication; other entities' entries are of equipment.
uint32_t NeLogAlarmType(const NeAlarmLogRec& rec, int level)
{
    if (level != kPortLevel)
        return kAlarmClassEquipment;
    const CEntityModelSet& models = CurrentEntityModels();
    for (unsigned index : {models.GetOfflineAlarm(), models.GetMissingAlarm(), models.GetDisableAlarm()}) {
        if (index < 32 && rec.alarmMask == (1u << index))
            return kAlarmClassEquipment;
    }
    return kAlarmClassCommunication;
}

} // namespace

bool AlarmRowLook::HasRow() const
{
    return (flags & kRowFilterShown) != 0 && flags != kRowFilterNeverShown;
}

AlarmRowLook LookOfAlarmEvent(const AlarmEventRec& rec, const AlarmEventContext& context)
{
    AlarmRowLook look;
    const CNeRecord* ne = rec.alarmMask != 0 ? FindNeByName(rec.neName) : nullptr;
    if (ne == nullptr)
        return look;
    if (context.activeMode && context.targetNeId != 0 &&
        (ne->root == nullptr || ne->root->FindById(rec.entityId) == nullptr))
        return look;
    look.level = LevelOf(rec.entityId);
    const CEntityType* model = IsEmptyEntityType(rec.plannedType)
                                   ? FindPlannedEntityModel(ne, rec.entityId, rec.plannedType)
                                   : FindEntityModel(rec.plannedType);
    if (model == nullptr) {
        const std::optional<uint8_t> builtin = BuiltinAlarmOfTypes(rec.plannedType, rec.actualType, rec.entityId == 1);
        if (!builtin) {
            look.flags = kRowFilterNeverShown;
            return look;
        }
        const CEntityAlarmDef* def = GetEntityAlarmDef(ne->neModelId, *builtin);
        if (def == nullptr)
            return look;
        look.alarms = def->name;
    } else {
        const std::optional<std::string> names = AlarmNamesOfBits(*model, rec.alarmMask);
        if (!names || names->empty())
            return look;
        look.alarms = *names;
        look.modelName = model->GetName();
    }
    look.severity = ListedSeverity(rec.severity);
    const bool inLocation = NeMatchesLocation(ne, FindLocation(ne->locationId), context.locationId, 1, 0) != 0;
    look.image = inLocation ? kImageCritical + look.severity - 1 : kImageOutsideLocation;
    look.flags = static_cast<uint16_t>(kRowFilterShown | SeverityFilterBit(look.severity) |
                                       (rec.ackPerson.empty() ? kRowFilterUnacknowledged : kRowFilterAcknowledged));
    return look;
}

AlarmRowLook LookOfNeAlarmLogEntry(const NeAlarmLogRec& rec, const CNeRecord* ne)
{
    AlarmRowLook look;
    if (ne == nullptr)
        return look;
    const CEntityType* model = FindEntityModel(rec.actualType);
    if (model == nullptr)
        model = FindEntityModel(rec.plannedType);
    if (model == nullptr)
        model = FindPlannedEntityModel(ne, rec.entityId, kEntityTypeEmpty);
    if (model == nullptr)
        return look;
    look.level = LevelOf(rec.entityId);
    look.modelName = model->GetName();
    int gravest = kSeverityCleared;
    for (int i = 0; i < kEntityAlarmCount; ++i) {
        const CEntityAlarmDef* def = (rec.alarmMask & (1u << i)) != 0 ? model->GetAlarmDef(i) : nullptr;
        if (def == nullptr)
            continue;
        if (!look.alarms.empty())
            look.alarms += ',';
        look.alarms += def->name;
        if (CompareSeverity(static_cast<int>(def->severity), gravest) > 0)
            gravest = static_cast<int>(def->severity);
    }
    look.alarmType = NeLogAlarmType(rec, look.level);
    if (look.alarms.empty()) {
        look.severity = kSeverityCleared;
        look.image = kImageCleared;
        look.flags = kRowFilterShown | kRowFilterCleared;
        return look;
    }
    look.severity = ListedSeverity(static_cast<uint32_t>(gravest));
    look.image = kImageCritical + look.severity - 1;
    look.flags = static_cast<uint16_t>(kRowFilterShown | SeverityFilterBit(look.severity));
    return look;
}

std::vector<AlarmEventEntry> MakeAlarmEventPage(const std::vector<AlarmEventRec>& records,
                                                const AlarmEventContext& context)
{
    const size_t kept = std::min<size_t>(records.size(), kPageRecordsMax);
    std::vector<AlarmEventEntry> page;
    page.reserve(kept);
    for (size_t i = 0; i < kept; ++i)
        page.push_back({static_cast<uint32_t>(i), records[i], LookOfAlarmEvent(records[i], context)});
    return page;
}

std::vector<NeAlarmLogEntry> MakeNeAlarmLogPage(const std::vector<NeAlarmLogRec>& records, const CNeRecord* ne,
                                                int64_t bootTime)
{
    const size_t kept = std::min<size_t>(records.size(), kPageRecordsMax);
    std::vector<NeAlarmLogEntry> page;
    page.reserve(kept);
    for (size_t i = 0; i < kept; ++i) {
        const NeAlarmLogRec& rec = records[i];
        page.push_back(
            {static_cast<uint32_t>(i), rec, LookOfNeAlarmLogEntry(rec, ne), NeLogEntryTime(bootTime, rec.occurUptime)});
    }
    return page;
}

CChainKey& CChainKey::Text(std::string_view text)
{
    for (char c : text)
        key_ += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    key_ += kPartEnd;
    return *this;
}

CChainKey& CChainKey::Number(uint64_t value)
{
    char digits[24];
    std::snprintf(digits, sizeof digits, "%020llu", static_cast<unsigned long long>(value));
    key_ += digits;
    key_ += kPartEnd;
    return *this;
}

CChainKey& CChainKey::Gravity(int severity)
{
    // 0 (cleared) lowest, then 5 (info) up to 1 (critical).
    const int rank = severity >= kSeverityCritical && severity <= kSeverityInfo ? kSeverityInfo + 1 - severity : 0;
    return Number(static_cast<uint64_t>(rank));
}
