#include "features/fault/alarm_summary/alarm_summary_counts.h"

#include "core/config/app_settings.h"
#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"
#include "core/util/severity.h"
#include "features/fault/active_alarms/active_alarm_rows.h"
#include "link/driver_mode.h"
#include "link/record_requests.h"
#include "link/records/alarm_event_rec.h"
#include "link/records/alarm_query_rec.h"

#include <array>

namespace {

// The summary counts critical, major and minor alarms.
constexpr std::array<int, 3> kCountedSeverities = {kSeverityCritical, kSeverityMajor, kSeverityMinor};

} // namespace

void CAlarmSummaryCounts::Update()
{
    const uint32_t state = AppData().AlarmStateChangeCount();
    const auto now = clock_();
    if (counted_ == state || (counted_ && now - lastCount_ < kRecountInterval))
        return;
    if (AppSettings().directControl) {
        CountInTree();
    } else {
        const CNetDrv& driver = GetCurrentDriver();
        // A reply another request waits for, or no link: later.
        if (!driver.IsConnected() || driver.IsInTransaction())
            return;
        if (!CountOnServer()) {
            lastCount_ = now;
            return;
        }
    }
    counted_ = state;
    lastCount_ = now;
}

bool CAlarmSummaryCounts::CountOnServer()
{
    const CRecordRequests requests;
    std::array<uint32_t, kCountedSeverities.size()> totals{};
    for (size_t i = 0; i < kCountedSeverities.size(); ++i) {
        AlarmQueryRec query;
        query.queryMode = kAlarmQueryActive;
        query.severity = static_cast<uint32_t>(kCountedSeverities[i]);
        query.firstRecord = 1;
        query.recordCount = 0;
        const RecordReply<AlarmEventRec> reply = requests.Query<AlarmEventRec>(
            kReqAlarmEvent, 0, query, {.timeoutMs = kQueryTimeoutMs, .waitDialog = false});
        if (!reply.Ok())
            return false;
        totals[i] = reply.total;
    }
    for (size_t i = 0; i < kCountedSeverities.size(); ++i)
        AppData().SetAlarmSeverityCount(kCountedSeverities[i], totals[i]);
    return true;
}

void CAlarmSummaryCounts::CountInTree()
{
    std::array<uint32_t, kSeverityInfo> counts{};
    for (const CNeRecord* ne = ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        for (const ActiveAlarmRow& row : CollectActiveAlarmRows(*ne, {}, AllActiveAlarms()))
            ++counts[static_cast<size_t>(row.severity - 1)];
    }
    for (int severity : kCountedSeverities)
        AppData().SetAlarmSeverityCount(severity, counts[static_cast<size_t>(severity - 1)]);
}
