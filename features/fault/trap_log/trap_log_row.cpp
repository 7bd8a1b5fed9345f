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

} // namespace

std::optional<TrapLogRow> MakeTrapLogRow(const TrapLogRecord& record)
{
    const CNeRecord* ne = FindNeById(record.neId);
    if (ne == nullptr || ne->root == nullptr)
        return std::nullopt;
    const CEntityType* model = FindPlannedEntityModel(ne, record.entityId, record.plannedType);
    std::optional<QString> alarms = AlarmText(record, *ne, model);
    if (!alarms)
        return std::nullopt;

    TrapLogRow row;
    const SeverityLook look = AlarmSeverityLook(record.alarmBits, record.severity);
    row.image = look.image;
    row.severity = look.severity;
    if (record.alarmBits == 0)
        alarms = LoadQString(kStrClearMark);
    const CLocationNode* location = FindLocation(ne->locationId);
    const CEntityIndex index = EntityIndexFromId(record.entityId);
    row.levelImage = EntityLevelImage(index.GetLevel());

    row.cells[0] = QString::number(static_cast<qulonglong>(record.sequence) + 1);
    row.cells[1] = LoadQString(look.textId);
    row.cells[2] = Text(location != nullptr ? location->name : AppData().locations.Root().name);
    row.cells[3] = Text(ne->name);
    row.cells[4] = Text(FormatEntityLocation(ne, index, 0, false));
    row.cells[5] = model != nullptr ? Text(model->GetName()) : QString();
    row.cells[6] = QString::fromLatin1(AlarmClassText(static_cast<int>(record.alarmClass)));
    row.cells[7] = *alarms;
    row.cells[8] = Text(FormatDateTime(record.occurTime));
    row.cells[9] = Text(FormatDateTime(record.receiveTime));
    return row;
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

int CompareTrapLogRows(const TrapLogRecord& a, const TrapLogRow& rowA, const TrapLogRecord& b, const TrapLogRow& rowB,
                       uint32_t flags)
{
    const auto byLocation = [&] { return CompareTexts(rowA.cells[2], rowB.cells[2]); };
    const auto byNe = [&] { return CompareTexts(rowA.cells[3], rowB.cells[3]); };
    const auto byEntity = [&] { return CompareNumbers(a.entityId, b.entityId); };
    const auto byArrival = [&] { return CompareNumbers(a.sequence, b.sequence); };
    const auto chainA = [&] {
        for (int result : {byLocation(), byNe(), byEntity()}) {
            if (result != 0)
                return result;
        }
        return byArrival();
    };
    int result = 0;
    switch (flags & 0xFF) {
    case 1:
    case 6:
        result = CompareSeverity(rowA.severity, rowB.severity);
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
        result = CompareTexts(rowA.cells[5], rowB.cells[5]);
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
