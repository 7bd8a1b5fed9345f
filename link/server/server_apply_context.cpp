#include "link/server/server_apply_context.h"

#include "core/tables/entity_node.h"
#include "link/driver_logs.h"

void CServerApplyContext::FinishBatch()
{
    if (alarmsChanged_) {
        app_.MarkAlarmStateChanged();
    }
    alarmsChanged_ = false;
    for (uint32_t neId : touchedNes_) {
        CNeRecord* ne = app_.nes.FindNeById(neId);
        if (ne != nullptr) {
            ne->neSeverity = CEntityNode::GetSummarySeverityById(ne, 1);
            // Views that follow changed NEs only see the state change as a change of the record.
            ++ne->changeCounter;
        }
    }
    touchedNes_.clear();
}

bool IsQueryReply(const EmsMsg& msg)
{
    return msg.sequence != 0 && msg.reserved == kEmsOpQuery;
}

std::optional<uint32_t> UsableRecordCount(const EmsMsg& msg, size_t recordSize)
{
    if (msg.count <= 0 || msg.records == nullptr) {
        return 0u;
    }
    if (msg.recordSize != recordSize) {
        WriteDriverLog(DriverLogKind::NetDrv, "dispatcher: code %u with records of %lu bytes (not %lu) ignored",
                       static_cast<unsigned>(msg.requestCode), static_cast<unsigned long>(msg.recordSize),
                       static_cast<unsigned long>(recordSize));
        return std::nullopt;
    }
    return static_cast<uint32_t>(msg.count);
}
