// The server's options and schedules as Server Management's pages take them from the server and write them back:
// numbers the pages do not offer are shown at the nearer bound, the date/time synchronisation is on from an hour,
// schedule fields out of range leave the page's value, and an hour of 24 ("every hour") is kept for every entry.

#include <gtest/gtest.h>

#include "features/management/server/server_option_rules.h"

#include <string>

namespace {

// One field of the record, what the server sent and what the page shows.
struct ClampCase {
    const char* field;
    uint32_t sent;
    uint32_t shown;
};

class ClampOnLoad : public ::testing::TestWithParam<ClampCase> {};

ServerOptionRecord WithField(const char* field, uint32_t value)
{
    ServerOptionRecord rec;
    const std::string name = field;
    if (name == "snmpTimeout")
        rec.snmpTimeout = static_cast<uint8_t>(value);
    else if (name == "snmpRetries")
        rec.snmpRetries = static_cast<uint8_t>(value);
    else if (name == "alarmPollMinutes")
        rec.alarmPollMinutes = value;
    else if (name == "historyAlarmDays")
        rec.historyAlarmDays = static_cast<uint8_t>(value);
    else if (name == "pmDays")
        rec.pmDays = static_cast<uint8_t>(value);
    else if (name == "dailyPmDays")
        rec.dailyPmDays = static_cast<uint8_t>(value);
    else if (name == "opLogDays")
        rec.opLogDays = static_cast<uint16_t>(value);
    else if (name == "agentPort")
        rec.agentPort = value;
    else if (name == "timeSyncSeconds")
        rec.timeSyncSeconds = value;
    return rec;
}

uint32_t ShownField(const char* field, const ServerOptionValues& values)
{
    const std::string name = field;
    if (name == "snmpTimeout")
        return values.snmpTimeout;
    if (name == "snmpRetries")
        return values.snmpRetries;
    if (name == "alarmPollMinutes")
        return values.alarmPollMinutes;
    if (name == "historyAlarmDays")
        return values.historyAlarmDays;
    if (name == "pmDays")
        return values.pmDays;
    if (name == "dailyPmDays")
        return values.dailyPmDays;
    if (name == "opLogDays")
        return values.opLogDays;
    if (name == "agentPort")
        return values.agentPort;
    // The date/time synchronisation: its hours while it is on, 0 while it is off.
    return values.timeSync != 0 ? values.timeSyncHours : 0;
}

TEST_P(ClampOnLoad, ANumberThePageDoesNotOfferIsShownAtTheNearerBound)
{
    const ClampCase& c = GetParam();
    ServerOptionValues values;
    ApplyServerOptions(WithField(c.field, c.sent), values);
    EXPECT_EQ(ShownField(c.field, values), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    ServerOptionRules, ClampOnLoad,
    ::testing::Values(ClampCase{"snmpTimeout", 0, 1}, ClampCase{"snmpTimeout", 30, 30},
                      ClampCase{"snmpTimeout", 31, 30}, ClampCase{"snmpTimeout", 255, 30},
                      ClampCase{"snmpRetries", 0, 0}, ClampCase{"snmpRetries", 10, 9},
                      ClampCase{"alarmPollMinutes", 0, 0}, ClampCase{"alarmPollMinutes", 1441, 1440},
                      ClampCase{"alarmPollMinutes", 0xFFFFFFFF, 1440}, ClampCase{"historyAlarmDays", 0, 1},
                      ClampCase{"historyAlarmDays", 31, 30}, ClampCase{"pmDays", 0, 1}, ClampCase{"pmDays", 200, 30},
                      ClampCase{"dailyPmDays", 0, 1}, ClampCase{"dailyPmDays", 99, 99},
                      ClampCase{"dailyPmDays", 100, 99}, ClampCase{"opLogDays", 0, 1}, ClampCase{"opLogDays", 365, 365},
                      ClampCase{"opLogDays", 366, 365}, ClampCase{"agentPort", 0, 1}, ClampCase{"agentPort", 161, 161},
                      ClampCase{"agentPort", 65536, 65536}, ClampCase{"agentPort", 0xFFFFFFFF, 0xFFFFFFFF},
                      // Below an hour the synchronisation is off; from an hour on its whole hours show.
                      ClampCase{"timeSyncSeconds", 3599, 0}, ClampCase{"timeSyncSeconds", 3600, 1},
                      ClampCase{"timeSyncSeconds", 7199, 1}, ClampCase{"timeSyncSeconds", 86400, 24},
                      ClampCase{"timeSyncSeconds", 0xFFFFFFFF, 65535}),
    [](const ::testing::TestParamInfo<ClampCase>& info) {
        return std::string(info.param.field) + "_" + std::to_string(info.param.sent);
    });

TEST(ServerOptionRules, AnIntervalBelowAnHourKeepsTheDefaultHours)
{
    ServerOptionValues values;
    ApplyServerOptions(WithField("timeSyncSeconds", 3599), values);
    EXPECT_EQ(values.timeSync, 0);
    EXPECT_EQ(values.timeSyncHours, 24u);
}

TEST(ServerOptionRules, ManagersWithoutAnAddressAreEmptyRowsAndAreWrittenAsZeros)
{
    ServerOptionRecord rec;
    rec.nmsManagerIp1 = {10, 1, 1, 20};
    rec.nmsTrapPort1 = 162;
    rec.nmsTrapPort2 = 20162; // a port beside no address
    rec.nmsManagerIp5 = {192, 168, 0, 5};
    rec.nmsTrapPort5 = 1162;
    ServerOptionValues values;
    ApplyServerOptions(rec, values);
    EXPECT_EQ(values.managers[0], (NmsManagerRow{{10, 1, 1, 20}, 162}));
    EXPECT_TRUE(values.managers[1].IsEmpty());
    EXPECT_EQ(values.managers[1].trapPort, 0);
    EXPECT_EQ(values.managers[4], (NmsManagerRow{{192, 168, 0, 5}, 1162}));

    // A row cleared by the operator goes as 0.0.0.0 with port 0.
    values.managers[0].address = {};
    const ServerOptionRecord written = ServerOptionRecordOf(values);
    EXPECT_EQ(written.nmsManagerIp1, (std::array<uint8_t, 4>{}));
    EXPECT_EQ(written.nmsTrapPort1, 0);
    EXPECT_EQ(written.nmsTrapPort2, 0);
    EXPECT_EQ(written.nmsManagerIp5, (std::array<uint8_t, 4>{192, 168, 0, 5}));
    EXPECT_EQ(written.nmsTrapPort5, 1162);
}

TEST(ServerOptionRules, WhatThePagesHoldIsWrittenAsTheServerKeepsIt)
{
    ServerOptionValues values;
    values.snmpTimeout = 200; // typed: limited only by the field
    values.snmpRetries = 4;
    values.alarmPollMinutes = 100000;
    values.historyAlarmDays = 30;
    values.pmDays = 2;
    values.dailyPmDays = 99;
    values.opLogDays = 365;
    values.smtpServer = "smtp.example.net";
    values.senderEmail = "noc@example.net";
    values.profileSync = 1;
    values.timeSync = 1;
    values.timeSyncHours = 12;
    values.agentPort = 65535;
    values.trapSending = 1;
    values.community = "north";
    values.allowUnknownManagers = 1;
    const ServerOptionRecord rec = ServerOptionRecordOf(values);
    EXPECT_EQ(rec.snmpTimeout, 200);
    EXPECT_EQ(rec.snmpRetries, 4);
    EXPECT_EQ(rec.alarmPollMinutes, 100000u);
    EXPECT_EQ(rec.opLogDays, 365);
    EXPECT_EQ(rec.timeSyncSeconds, 12u * 3600);
    EXPECT_EQ(rec.profileSync, 1u);
    EXPECT_EQ(rec.trapSending, 1u);
    EXPECT_EQ(rec.allowUnknownManagers, 1u);
    EXPECT_EQ(rec.community, "north");

    // Read back, the pages show what was written; with the synchronisation off the interval is 0.
    ServerOptionValues again;
    ApplyServerOptions(rec, again);
    EXPECT_EQ(again.timeSyncHours, 12u);
    values.timeSync = 0;
    EXPECT_EQ(ServerOptionRecordOf(values).timeSyncSeconds, 0u);
}

TEST(ServerOptionRules, ScheduleFieldsOutOfRangeKeepThePagesValues)
{
    std::array<ScheduleValues, kScheduleEntries> shown{};
    shown[kNeBackupEntry] = {0, 3, 5, 30};
    shown[kDbBackupEntry] = {0, 3, 5, 30};
    shown[kNeFlashWriteEntry] = {0, 3, 5, 30};
    ServerScheduleRecord rec;
    rec.neBackup = {1, 24, 59, 7};   // every hour, every day: all taken
    rec.dbBackup = {2, 25, 60, 8};   // nothing in range; 2 is not "on"
    rec.neFlashWrite = {1, 0, 0, 0}; // the lower bounds
    ApplyServerSchedule(rec, shown);
    EXPECT_EQ(shown[kNeBackupEntry], (ScheduleValues{1, 7, 24, 59}));
    EXPECT_EQ(shown[kDbBackupEntry], (ScheduleValues{0, 3, 5, 30}));
    EXPECT_EQ(shown[kNeFlashWriteEntry], (ScheduleValues{1, 0, 0, 0}));
}

TEST(ServerOptionRules, EveryHourIsWrittenAsTwentyFourForEachEntry)
{
    std::array<ScheduleValues, kScheduleEntries> shown{};
    ServerScheduleRecord rec;
    rec.neBackup = {1, 24, 0, 7};
    rec.dbBackup = {1, 24, 30, 1};
    rec.neFlashWrite = {0, 24, 15, 7};
    ApplyServerSchedule(rec, shown);
    // What was read is written back unchanged, the hour of the backups included.
    EXPECT_EQ(ServerScheduleRecordOf(shown), rec);
}

} // namespace
