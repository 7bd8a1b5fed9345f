#include "features/management/server/server_option_rules.h"

#include <algorithm>

namespace {

uint32_t Clamp(uint32_t value, uint32_t low, uint32_t high)
{
    return std::clamp(value, low, high);
}

// The record keeps its five managers in fields of their own.
std::array<std::array<uint8_t, 4>*, kNmsManagerRows> ManagerAddresses(ServerOptionRecord& rec)
{
    return {&rec.nmsManagerIp1, &rec.nmsManagerIp2, &rec.nmsManagerIp3, &rec.nmsManagerIp4, &rec.nmsManagerIp5};
}

std::array<uint16_t*, kNmsManagerRows> ManagerPorts(ServerOptionRecord& rec)
{
    return {&rec.nmsTrapPort1, &rec.nmsTrapPort2, &rec.nmsTrapPort3, &rec.nmsTrapPort4, &rec.nmsTrapPort5};
}

std::array<const ScheduleEntryRec*, kScheduleEntries> Entries(const ServerScheduleRecord& rec)
{
    return {&rec.neBackup, &rec.dbBackup, &rec.neFlashWrite};
}

} // namespace

void ApplyServerOptions(const ServerOptionRecord& rec, ServerOptionValues& values)
{
    values.snmpTimeout = Clamp(rec.snmpTimeout, kMinSnmpTimeout, kMaxSnmpTimeout);
    values.snmpRetries = std::min<uint32_t>(rec.snmpRetries, kMaxSnmpRetries);
    values.alarmPollMinutes = std::min(rec.alarmPollMinutes, kMaxAlarmPollMinutes);
    values.historyAlarmDays = Clamp(rec.historyAlarmDays, 1, kMaxAlarmDays);
    values.pmDays = Clamp(rec.pmDays, 1, kMaxAlarmDays);
    values.dailyPmDays = Clamp(rec.dailyPmDays, 1, kMaxDailyPmDays);
    values.opLogDays = Clamp(rec.opLogDays, 1, kMaxOpLogDays);
    values.smtpServer = rec.smtpServer;
    values.senderEmail = rec.senderEmail;
    values.profileSync = rec.profileSync == 1 ? 1 : 0;
    // Below an hour the server does not synchronise; the hours then stay as the page had them.
    values.timeSync = rec.timeSyncSeconds >= kSecondsPerHour ? 1 : 0;
    if (values.timeSync != 0)
        values.timeSyncHours = std::min(rec.timeSyncSeconds / kSecondsPerHour, kMaxHoursField);
    // Only a port of 0 is put right; any other shows as the server holds it (the page refuses it at OK).
    values.agentPort = rec.agentPort == 0 ? 1 : rec.agentPort;
    values.trapSending = rec.trapSending == 1 ? 1 : 0;
    values.community = rec.community;
    const std::array<NmsManagerRow, kNmsManagerRows> sent{{{rec.nmsManagerIp1, rec.nmsTrapPort1},
                                                           {rec.nmsManagerIp2, rec.nmsTrapPort2},
                                                           {rec.nmsManagerIp3, rec.nmsTrapPort3},
                                                           {rec.nmsManagerIp4, rec.nmsTrapPort4},
                                                           {rec.nmsManagerIp5, rec.nmsTrapPort5}}};
    for (size_t i = 0; i < kNmsManagerRows; ++i)
        values.managers[i] = sent[i].IsEmpty() ? NmsManagerRow{} : sent[i];
    values.allowUnknownManagers = rec.allowUnknownManagers == 1 ? 1 : 0;
}

ServerOptionRecord ServerOptionRecordOf(const ServerOptionValues& values)
{
    ServerOptionRecord rec;
    rec.snmpTimeout = static_cast<uint8_t>(values.snmpTimeout);
    rec.snmpRetries = static_cast<uint8_t>(values.snmpRetries);
    rec.alarmPollMinutes = values.alarmPollMinutes;
    rec.historyAlarmDays = static_cast<uint8_t>(values.historyAlarmDays);
    rec.pmDays = static_cast<uint8_t>(values.pmDays);
    rec.dailyPmDays = static_cast<uint8_t>(values.dailyPmDays);
    rec.opLogDays = static_cast<uint16_t>(values.opLogDays);
    rec.smtpServer = values.smtpServer;
    rec.senderEmail = values.senderEmail;
    rec.profileSync = values.profileSync != 0 ? 1 : 0;
    rec.timeSyncSeconds = values.timeSync != 0 ? values.timeSyncHours * kSecondsPerHour : 0;
    rec.agentPort = values.agentPort;
    rec.trapSending = values.trapSending != 0 ? 1 : 0;
    rec.community = values.community;
    const auto addresses = ManagerAddresses(rec);
    const auto ports = ManagerPorts(rec);
    for (size_t i = 0; i < kNmsManagerRows; ++i) {
        // An empty row is sent as 0.0.0.0 with port 0.
        const NmsManagerRow& row = values.managers[i];
        *addresses[i] = row.address;
        *ports[i] = row.IsEmpty() ? 0 : row.trapPort;
    }
    rec.allowUnknownManagers = values.allowUnknownManagers != 0 ? 1 : 0;
    return rec;
}

void ApplyServerSchedule(const ServerScheduleRecord& rec, std::array<ScheduleValues, kScheduleEntries>& schedules)
{
    const auto entries = Entries(rec);
    for (size_t i = 0; i < kScheduleEntries; ++i) {
        const ScheduleEntryRec& entry = *entries[i];
        ScheduleValues& shown = schedules[i];
        shown.enabled = entry.enabled == 1 ? 1 : 0;
        if (entry.weekday <= kEveryDay)
            shown.weekday = entry.weekday;
        if (entry.hour <= kEveryHour)
            shown.hour = entry.hour;
        if (entry.minute <= kMaxMinute)
            shown.minute = entry.minute;
    }
}

ServerScheduleRecord ServerScheduleRecordOf(const std::array<ScheduleValues, kScheduleEntries>& schedules)
{
    auto entryOf = [](const ScheduleValues& shown) {
        ScheduleEntryRec entry;
        entry.enabled = shown.enabled != 0 ? 1 : 0;
        entry.hour = static_cast<uint8_t>(std::clamp(shown.hour, 0, kEveryHour));
        entry.minute = static_cast<uint8_t>(std::clamp(shown.minute, 0, kMaxMinute));
        entry.weekday = static_cast<uint8_t>(std::clamp(shown.weekday, 0, kEveryDay));
        return entry;
    };
    return {entryOf(schedules[kNeBackupEntry]), entryOf(schedules[kDbBackupEntry]),
            entryOf(schedules[kNeFlashWriteEntry])};
}
