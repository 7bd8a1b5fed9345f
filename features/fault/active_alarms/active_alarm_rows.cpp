#include "features/fault/active_alarms/active_alarm_rows.h"

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/tables/entity_node.h"
#include "core/tables/ne_record.h"
#include "core/util/severity.h"
#include "features/fault/alarm_lists/alarm_list_look.h"
#include "features/fault/trap_log/entity_alarm_text.h"

#include <array>

namespace {

// Alarm names are grouped by their definition's severity: critical, major, minor, warning, and the others.
constexpr size_t kNameGroups = 5;

size_t GroupOf(uint32_t definitionSeverity)
{
    return definitionSeverity >= 1 && definitionSeverity <= 4 ? definitionSeverity - 1 : kNameGroups - 1;
}

class CRowCollector {
public:
    CRowCollector(const CNeRecord& ne, const ActiveAlarmFilter& filter) : ne_(ne), filter_(filter) {}

    void Add(const CEntityNode& node)
    {
        const CEntityAlarmDetail& detail = node.GetAlarmDetail();
        const bool acknowledged = detail.ackFlag != 0;
        if ((filter_.bits & (acknowledged ? kRowFilterAcknowledged : kRowFilterUnacknowledged)) == 0)
            return;
        const CEntityType* model = FindPlannedEntityModel(&ne_, node.GetEntityId(), node.GetPlannedType());
        if (model == nullptr)
            return;
        std::array<std::string, kNameGroups> groups;
        bool qualifies = false;
        const uint32_t bits = node.GetStateBits();
        for (int i = 0; i < kEntityAlarmCount; ++i) {
            const CEntityAlarmDef* def = (bits & (1u << i)) != 0 ? model->GetAlarmDef(i) : nullptr;
            if (def == nullptr)
                continue;
            if (!filter_.names || filter_.names->Matches(def->name))
                qualifies = true;
            std::string& group = groups[GroupOf(def->severity)];
            group += def->name;
            group += ',';
        }
        if (!qualifies)
            return;
        const int severity = ListedSeverity(node.GetSeverity());
        if ((filter_.bits & SeverityFilterBit(severity)) == 0)
            return;
        ActiveAlarmRow row;
        row.entityId = node.GetEntityId();
        row.level = node.GetLevel();
        row.severity = severity;
        row.modelName = model->GetName();
        for (const std::string& group : groups)
            row.alarms += group;
        row.alarms.pop_back(); // the last ","
        row.alarmClass = node.GetTertiaryStatus();
        row.occurTime = detail.occurTime;
        row.receiveTime = detail.receiveTime;
        row.acknowledged = acknowledged;
        row.ackTime = detail.ackTime;
        row.ackPerson = detail.ackPerson;
        rows_.push_back(std::move(row));
    }

    std::vector<ActiveAlarmRow> Take() { return std::move(rows_); }

private:
    const CNeRecord& ne_;
    const ActiveAlarmFilter& filter_;
    std::vector<ActiveAlarmRow> rows_;
};

bool IsWalkable(const CEntityNode& node)
{
    return node.IsConnected() && !node.IsEmptyOrUnknown();
}

// The child at a 1-based number that exists and is not absent; null otherwise.
const CEntityNode* PresentChild(const CEntityNode& parent, unsigned number)
{
    if (number == 0 || static_cast<int>(number) > parent.GetChildCount())
        return nullptr;
    const CEntityNode* child = parent.GetChild(static_cast<int>(number) - 1);
    return child != nullptr && !child->IsAbsent() ? child : nullptr;
}

// The numbers to walk at a level: the target's own when it names one, else all up to the level's maximum.
std::pair<unsigned, unsigned> NumbersAt(const CEntityIndex& target, int level)
{
    const unsigned named = target.At(level);
    if (named != 0)
        return {named, named};
    return {1, GetMaxEntityLevel(level)};
}

} // namespace

ActiveAlarmFilter AllActiveAlarms()
{
    ActiveAlarmFilter filter;
    filter.bits = kRowFilterShown | kRowFilterSecondary | kRowFilterAcknowledged | kRowFilterUnacknowledged;
    for (const SeverityBox& box : kSeverityBoxes)
        filter.bits |= box.filterBit;
    return filter;
}

std::vector<ActiveAlarmRow> CollectActiveAlarmRows(const CNeRecord& ne, const CEntityIndex& target,
                                                   const ActiveAlarmFilter& filter)
{
    CRowCollector rows(ne, filter);
    if (ne.root == nullptr)
        return rows.Take();
    const CEntityNode& root = *ne.root;
    const bool targetIsNe = target.GetLevel() <= 1;
    if (targetIsNe)
        rows.Add(root);
    if (!root.IsConnected() || root.IsEmptyOrUnknown())
        return rows.Take();

    const auto [firstShelf, lastShelf] = NumbersAt(target, 2);
    for (unsigned s = firstShelf; s <= lastShelf; ++s) {
        const CEntityNode* shelf = PresentChild(root, s);
        if (shelf == nullptr)
            continue;
        if (target.Slot() == 0)
            rows.Add(*shelf);
        if (!IsWalkable(*shelf))
            continue;
        const auto [firstSlot, lastSlot] = NumbersAt(target, 3);
        for (unsigned m = firstSlot; m <= lastSlot; ++m) {
            const CEntityNode* slot = PresentChild(*shelf, m);
            if (slot == nullptr)
                continue;
            if (target.Port() == 0)
                rows.Add(*slot);
            if (!IsWalkable(*slot))
                continue;
            const auto [firstPort, lastPort] = NumbersAt(target, 4);
            for (unsigned p = firstPort; p <= lastPort; ++p) {
                if (const CEntityNode* port = PresentChild(*slot, p))
                    rows.Add(*port);
            }
        }
    }
    return rows.Take();
}
