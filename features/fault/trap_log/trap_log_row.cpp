#include "features/fault/trap_log/trap_log_row.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/list/list_sort.h"
#include "core/tables/app_data.h"
#include "core/tables/entity_labels.h"
#include "core/tables/location_tree.h"
#include "core/tables/ne_table.h"
#include "core/util/date_time_format.h"
#include "core/util/severity.h"
#include "features/fault/trap_log/entity_alarm_text.h"
#include "ui/framework/messages/string_table.h"

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

// The alarm text of a record: the names of its active alarms by the entity's model, or the built-in alarm of an
// entity without a model.
std::optional<QString> AlarmText(const TrapLogRecord& record, const CNeRecord& ne, const CEntityType* model)
{
    if (model != nullptr) {
        std::optional<std::string> names = AlarmNamesOfBits(*model, record.alarmBits);
        if (!names)
            return std::nullopt;
        return Text(*names);
    }
    const std::optional<uint8_t> builtin =
        BuiltinAlarmOfTypes(record.plannedType, record.onlineType, record.entityId == 1);
    const CEntityAlarmDef* def = builtin ? GetEntityAlarmDef(ne.neModelId, *builtin) : nullptr;
    if (def == nullptr)
        return std::nullopt;
    return Text(def->name);
}

int Sign(int value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

template <class T> int CompareNumbers(T a, T b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareTexts(const QString& a, const QString& b)
{
    return Sign(a.compare(b, Qt::CaseInsensitive));
}

const CLocationNode* LocationOf(const CNeRecord& ne)
{
    const CLocationNode* location = FindLocation(ne.locationId);
    return location != nullptr ? location : &AppData().locations.Root();
}

QString LocationText(const TrapLogRecord& record)
{
    const CNeRecord* ne = FindNeById(record.neId);
    return ne != nullptr ? Text(LocationOf(*ne)->name) : QString();
}

QString NeText(const TrapLogRecord& record)
{
    const CNeRecord* ne = FindNeById(record.neId);
    return ne != nullptr ? Text(ne->name) : QString();
}

QString EntityTypeText(const TrapLogRecord& record)
{
    const CEntityType* model = FindPlannedEntityModel(FindNeById(record.neId), record.entityId, record.plannedType);
    return model != nullptr ? Text(model->GetName()) : QString();
}

int SeverityOf(const TrapLogRecord& record)
{
    return AlarmSeverityLook(record.alarmBits, record.severity).severity;
}

} // namespace

bool HasTrapLogRow(const TrapLogRecord& record)
{
    const CNeRecord* ne = FindNeById(record.neId);
    if (ne == nullptr || ne->root == nullptr)
        return false;
    return AlarmText(record, *ne, FindPlannedEntityModel(ne, record.entityId, record.plannedType)).has_value();
}

QString TrapLogCellText(const TrapLogRecord& record, int column)
{
    const CNeRecord* ne = FindNeById(record.neId);
    switch (column) {
    case 0:
        return QString::number(static_cast<qulonglong>(record.sequence) + 1);
    case 1:
        return LoadQString(AlarmSeverityLook(record.alarmBits, record.severity).textId);
    case 2:
        return LocationText(record);
    case 3:
        return NeText(record);
    case 4:
        return ne != nullptr ? Text(FormatEntityLocation(ne, EntityIndexFromId(record.entityId), 0, false)) : QString();
    case 5:
        return EntityTypeText(record);
    case 6:
        return QString::fromLatin1(AlarmClassText(static_cast<int>(record.alarmClass)));
    case 7:
        if (record.alarmBits == 0)
            return LoadQString(kStrClear);
        if (ne == nullptr || ne->root == nullptr)
            return {};
        return AlarmText(record, *ne, FindPlannedEntityModel(ne, record.entityId, record.plannedType))
            .value_or(QString());
    case 8:
        return Text(FormatDateTime(record.occurTime));
    case 9:
        return Text(FormatDateTime(record.receiveTime));
    default:
        return {};
    }
}

int TrapLogCellImage(const TrapLogRecord& record, int column)
{
    if (column == 0)
        return AlarmSeverityLook(record.alarmBits, record.severity).image;
    if (column == kTrapLogEntityTypeColumn)
        return EntityLevelImage(EntityIndexFromId(record.entityId).GetLevel());
    return -1;
}

std::array<QStringList, kTrapLogColumnCount> TrapLogColumnSamples()
{
    std::array<QStringList, kTrapLogColumnCount> samples;
    samples[0] = {QStringLiteral("9999999")};
    for (int severity = kSeverityCleared; severity <= kSeverityInfo; ++severity)
        samples[1].push_back(LoadQString(AlarmSeverityLook(severity == kSeverityCleared ? 0 : 1, severity).textId));
    for (int i = 0; i < GetEntityTypeCount(); ++i) {
        if (const CEntityType* model = GetEntityTypeAt(i))
            samples[kTrapLogEntityTypeColumn].push_back(Text(model->GetName()));
    }
    for (int alarmClass : {kAlarmClassEquipment, kAlarmClassCommunication, kAlarmClassEnvironment, 4})
        samples[6].push_back(QString::fromLatin1(AlarmClassText(alarmClass)));
    samples[8] = {Text(FormatDateTime(0))};
    samples[9] = samples[8];
    return samples;
}

int CompareTrapLogRecords(const TrapLogRecord& a, const TrapLogRecord& b, uint32_t flags)
{
    // Names are looked up only for the comparisons that reach them.
    const auto byLocation = [&] { return CompareTexts(LocationText(a), LocationText(b)); };
    const auto byNe = [&] { return CompareTexts(NeText(a), NeText(b)); };
    const auto byEntity = [&] { return CompareNumbers(a.entityId, b.entityId); };
    const auto byArrival = [&] { return CompareNumbers(a.sequence, b.sequence); };
    const auto chainA = [&] {
        int result = byLocation();
        if (result == 0)
            result = byNe();
        if (result == 0)
            result = byEntity();
        return result != 0 ? result : byArrival();
    };
    int result = 0;
    switch (flags & 0xFF) {
    case 1:
    case 6:
        result = CompareSeverity(SeverityOf(a), SeverityOf(b));
        if (result == 0)
            result = chainA();
        break;
    case 2:
        result = chainA();
        break;
    case 3:
    case 4:
        result = byNe();
        if (result == 0)
            result = byEntity();
        if (result == 0)
            result = byArrival();
        break;
    case 5:
        result = CompareTexts(EntityTypeText(a), EntityTypeText(b));
        if (result == 0)
            result = chainA();
        break;
    case 7:
        result = CompareNumbers(a.occurTime, b.occurTime);
        if (result == 0)
            result = chainA();
        break;
    case 8:
        result = CompareNumbers(a.receiveTime, b.receiveTime);
        if (result == 0)
            result = chainA();
        break;
    default:
        result = byArrival();
        break;
    }
    return (flags & kCompareDescending) != 0 ? -result : result;
}
