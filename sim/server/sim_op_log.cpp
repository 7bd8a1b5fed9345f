#include "sim/server/sim_op_log.h"

#include <algorithm>

#include "core/util/ip_address.h"
#include "link/records/record_bytes.h"
#include "link/records/request_catalogue.h"

namespace {

bool Matches(const OpLogRecord& entry, uint32_t neId, const OpLogCriteria& criteria)
{
    return (neId == 0 || entry.neId == neId) &&
           (criteria.operatorName.empty() || entry.operatorName == criteria.operatorName) &&
           (criteria.startTime == 0 || entry.time >= criteria.startTime) &&
           (criteria.stopTime == 0 || entry.time <= criteria.stopTime);
}

// What the made-up history records: the functions operators use most, with their actions and the start of a
// parameter that a number ends.
struct MadeUpChange {
    const char* function;
    const char* action;
    const char* parameter;
    bool onNe;
};
constexpr MadeUpChange kMadeUp[] = {
    {"AdslPortRec", "Modify", "port=", true},       {"PvcRec", "Add", "vpi=8 vci=", true},
    {"AlarmAckRec", "Modify", "entity=", true},     {"BoardSettingRec", "Modify", "slot=", true},
    {"SubscriberRecord", "Add", "port=", true},     {"NeKeyRecord", "Modify", "neId=", true},
    {"LocationRecord", "Modify", "id=", false},     {"UserAccountRecord", "Modify", "name=user", false},
    {"AlarmTriggerRec", "Add", "triggerId=", true},
};

const char* ActionOf(const RequestEntry& entry)
{
    if (entry.spec->kind == RequestKind::kAction) {
        return "Execute";
    }
    switch (entry.role) {
    case RequestRole::kAdd:
        return "Add";
    case RequestRole::kDelete:
        return "Delete";
    case RequestRole::kDeleteAll:
        return "Delete All";
    default:
        return "Modify";
    }
}

// A key field's value as the operator would name it; empty for a number that is zero.
std::string FieldValue(const RecordField& field, const uint8_t* record)
{
    using namespace record_bytes;
    switch (field.type) {
    case FieldType::kU8:
        return GetU8(record, field.offset) != 0 ? std::to_string(GetU8(record, field.offset)) : std::string();
    case FieldType::kU16:
        return GetU16(record, field.offset) != 0 ? std::to_string(GetU16(record, field.offset)) : std::string();
    case FieldType::kU32:
        return GetU32(record, field.offset) != 0 ? std::to_string(GetU32(record, field.offset)) : std::string();
    case FieldType::kText:
        return GetText(record, field.offset, field.width);
    case FieldType::kIpv4:
        return FormatIpAddress(GetBytes<4>(record, field.offset));
    default:
        return {};
    }
}

} // namespace

void DescribeChange(uint16_t code, const uint8_t* record, uint32_t recordSize, SimOpLogChange* change)
{
    const RequestEntry entry = FindRequest(code);
    if (entry.spec == nullptr || entry.spec->record == nullptr) {
        change->function = "Request " + std::to_string(code);
        change->action = entry.spec != nullptr ? ActionOf(entry) : "Execute";
        return;
    }
    const RecordLayout& layout = *entry.spec->record;
    change->function = layout.name;
    change->action = ActionOf(entry);
    if (record == nullptr || recordSize < layout.size) {
        return;
    }
    for (const RecordField& field : layout.fields) {
        if (!field.key) {
            continue;
        }
        const std::string value = FieldValue(field, record);
        if (value.empty()) {
            continue;
        }
        if (!change->parameters.empty()) {
            change->parameters += ' ';
        }
        change->parameters += std::string(field.name) + "=" + value;
    }
}

std::string OpLogText(const std::string& function, const std::string& action, const std::string& parameters)
{
    std::string text = function + kOpLogSeparator + action + kOpLogSeparator + parameters;
    // The record's codec cuts the text at a character's start; the log keeps what travels.
    if (text.size() > kOpLogOperationWidth - 1) {
        text.resize(kOpLogOperationWidth - 1);
    }
    return text;
}

void CSimOpLog::Append(const SimOpLogChange& change, uint32_t time)
{
    OpLogRecord entry;
    entry.recordNo = static_cast<uint32_t>(entries_.size()) + 1;
    entry.operatorName = change.operatorName;
    entry.neId = change.neId;
    entry.operation = OpLogText(change.function, change.action, change.parameters);
    entry.fromIp = change.fromIp;
    entry.time = time;
    entries_.push_back(std::move(entry));
}

std::pair<uint32_t, std::vector<OpLogRecord>> CSimOpLog::Query(uint32_t neId, const OpLogCriteria& criteria,
                                                               uint32_t maxRecords) const
{
    const uint64_t first = std::max<uint32_t>(criteria.firstRecord, 1);
    const uint64_t last = first + std::min(criteria.recordCount, maxRecords); // one past the window
    std::vector<OpLogRecord> window;
    uint32_t total = 0;
    for (const OpLogRecord& entry : entries_) {
        if (!Matches(entry, neId, criteria)) {
            continue;
        }
        ++total;
        if (total >= first && total < last) {
            window.push_back(entry);
        }
    }
    return {total, std::move(window)};
}

void CSimOpLog::Generate(uint32_t count, const std::vector<std::string>& operators, const std::vector<uint32_t>& neIds,
                         uint32_t now)
{
    constexpr uint32_t kSecondsApart = 180;
    const uint32_t span = count * kSecondsApart;
    const uint32_t start = now > span ? now - span : 0;
    entries_.reserve(entries_.size() + count);
    for (uint32_t i = 0; i < count; ++i) {
        const MadeUpChange& made = kMadeUp[i % std::size(kMadeUp)];
        SimOpLogChange change;
        change.operatorName = operators.empty() ? std::string("admin") : operators[i % operators.size()];
        change.fromIp = {10, 0, static_cast<uint8_t>(i / 250 % 250 + 1), static_cast<uint8_t>(i % 250 + 1)};
        change.neId = made.onNe && !neIds.empty() ? neIds[i % neIds.size()] : 0;
        change.function = made.function;
        change.action = made.action;
        change.parameters = made.parameter + std::to_string(i % 48 + 1);
        Append(change, start + i * kSecondsApart);
    }
}
