#include "features/fault/trap_log/trap_log_row.h"

#include "core/entity/entity_id.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/list/list_sort.h"
#include "core/util/date_time_format.h"
#include "core/util/severity.h"
#include "features/fault/trap_log/entity_alarm_text.h"
#include "ui/framework/messages/string_table.h"

#include <QAnyStringView>
#include <QUtf8StringView>

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int Sign(int value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

template <class T> int CompareNumbers(T a, T b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareTexts(std::string_view a, std::string_view b)
{
    return Sign(QAnyStringView::compare(QUtf8StringView(a), QUtf8StringView(b), Qt::CaseInsensitive));
}

int SeverityOf(const TrapLogRecord& record)
{
    return AlarmSeverityLook(record.alarmBits, record.severity).severity;
}

} // namespace

bool HasTrapLogRow(const TrapLogRecord& record)
{
    return record.texts.HasRow();
}

QString TrapLogCellText(const TrapLogRecord& record, int column)
{
    switch (column) {
    case 0:
        return QString::number(static_cast<qulonglong>(record.sequence) + 1);
    case 1:
        return LoadQString(AlarmSeverityLook(record.alarmBits, record.severity).textId);
    case 2:
        return Text(record.texts.Get(CTrapLogTexts::kLocation));
    case 3:
        return Text(record.texts.Get(CTrapLogTexts::kNe));
    case 4:
        return Text(record.texts.Get(CTrapLogTexts::kSlotPort));
    case 5:
        return Text(record.texts.Get(CTrapLogTexts::kEntityType));
    case 6:
        return QString::fromLatin1(AlarmClassText(static_cast<int>(record.alarmClass)));
    case 7:
        return record.alarmBits == 0 ? LoadQString(kStrClear) : Text(record.texts.Get(CTrapLogTexts::kAlarms));
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

int CompareTrapLogRecords(const TrapLogRecord& a, const TrapLogRecord& b, uint32_t flags)
{
    const auto byText = [&](CTrapLogTexts::Field field) {
        return CompareTexts(a.texts.Get(field), b.texts.Get(field));
    };
    const auto byLocation = [&] { return byText(CTrapLogTexts::kLocation); };
    const auto byNe = [&] { return byText(CTrapLogTexts::kNe); };
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
        result = byText(CTrapLogTexts::kEntityType);
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
