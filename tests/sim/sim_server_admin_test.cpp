// The simulated server's own administration: its clock, set apart from the machine's and taking every NE's with it;
// the load of the machine it runs on, read from the kernel's files; and the backups of its database, each a copy of
// the whole database that a restore brings back, whatever changed after it.

#include <gtest/gtest.h>

#include "core/entity/entity_model_loader.h"
#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/records/backup_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/ne_time_record.h"
#include "link/records/record_codec.h"
#include "link/records/request_codes.h"
#include "link/records/server_resource_record.h"
#include "link/records/word_record.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_host_load.h"
#include "sim/server/sim_request_handler.h"
#include "sim/server/sim_scenario.h"
#include "tests/core/temp_file_test.h"
#include "tests/sim/support/sim_exchange.h"

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kNow = 1700000000;

using Answer = SimAnswer;

class SimServerAdminTest : public ::testing::Test {
protected:
    SimServerAdminTest()
    {
        std::string error;
        EXPECT_TRUE(database_.Load(LoadSimTestWorld(), kNow, &error)) << error;
        handler_ = std::make_unique<CSimRequestHandler>(database_, SimHandlerOptions{});
    }

    static SimSession Session(const char* user)
    {
        SimSession session;
        session.loggedIn = true;
        session.user = user;
        return session;
    }

    template <class Rec>
    Answer Send(uint8_t operation, uint16_t code, uint32_t neId, const Rec& record, uint32_t now = kNow,
                const char* user = "admin")
    {
        SimSession session = Session(user);
        return SendRecordToSimHandler(*handler_, session, {operation, code, neId, now}, record);
    }

    std::vector<std::string> BackupNames()
    {
        std::vector<std::string> names;
        for (const BackupRecord& backup : Send(kEmsOpQuery, kReqDbBackup, 0, BackupRecord{}).Records<BackupRecord>())
            names.push_back(backup.name);
        return names;
    }

    std::string NeName(uint32_t neId) { return database_.FindNe(neId)->Key().neName; }

    CSimDatabase database_;
    std::unique_ptr<CSimRequestHandler> handler_;
};

TEST_F(SimServerAdminTest, TheServersClockIsSetApartFromTheMachinesAndTakesTheNesClocksWithIt)
{
    const Answer before = Send(kEmsOpQuery, kReqServerTime, 0, WordRecord{});
    ASSERT_EQ(before.Records<WordRecord>(), std::vector<WordRecord>{{kNow}});
    // The NE's clock runs apart from the server's before.
    const Answer ne = Send(kEmsOpModify, kReqNeTime, 1, NeTimeRecord{0, kNow - 500, 2, 0});
    ASSERT_TRUE(ne.ok) << ne.refusal;

    ASSERT_TRUE(Send(kEmsOpModify, kReqServerTime, 0, WordRecord{kNow + 3600}).ok);
    // Ten seconds later by the machine's clock.
    EXPECT_EQ(Send(kEmsOpQuery, kReqServerTime, 0, WordRecord{}, kNow + 10).Records<WordRecord>(),
              std::vector<WordRecord>{{kNow + 3610}});
    const std::vector<NeTimeRecord> clock =
        Send(kEmsOpQuery, kReqNeTime, 1, NeTimeRecord{}, kNow + 10).Records<NeTimeRecord>();
    ASSERT_EQ(clock.size(), 1u);
    EXPECT_EQ(clock[0].neClock, kNow + 3610);
    EXPECT_EQ(clock[0].timeZone, 2); // the zone stays the NE's

    // A set time is kept as far from the machine's clock: setting it back brings it back.
    ASSERT_TRUE(Send(kEmsOpModify, kReqServerTime, 0, WordRecord{kNow + 20}, kNow + 20).ok);
    EXPECT_EQ(Send(kEmsOpQuery, kReqServerTime, 0, WordRecord{}, kNow + 30).Records<WordRecord>(),
              std::vector<WordRecord>{{kNow + 30}});
}

TEST_F(SimServerAdminTest, ARestoreBringsBackTheDatabaseAsItWasBackedUp)
{
    EXPECT_EQ(BackupNames(), std::vector<std::string>{"AUTOBK-20240303-0330"});
    const std::string nameBefore = NeName(1);

    const Answer made = Send(kEmsOpModify, kReqDbBackupAdd, 0, BackupRecord{"before-change", 0});
    ASSERT_TRUE(made.ok) << made.refusal;
    const std::vector<BackupRecord> madeRecords = made.Records<BackupRecord>();
    ASSERT_EQ(madeRecords.size(), 1u);
    EXPECT_EQ(madeRecords[0].name, "before-change");
    EXPECT_GT(madeRecords[0].fileSize, kRecordSize<NeKeyRecord>);

    // The NE changes, and an NE is added, after the backup.
    NeKeyRecord renamed = database_.FindNe(1)->Key();
    renamed.neName = "Renamed-1";
    ASSERT_TRUE(Send(kEmsOpModify, kReqNeKey, 1, renamed).ok);
    NeKeyRecord added = renamed;
    added.neId = 0;
    added.neName = "Added-1";
    added.ipAddress = {10, 99, 0, 1};
    ASSERT_TRUE(Send(kEmsOpModify, kReqNeKeyAdd, 0, added).ok);
    const size_t nesAfterChange = database_.NeIds().size();

    const Answer restored = Send(kEmsOpModify, kReqDbBackupRestore, 0, BackupRecord{"before-change", 0});
    ASSERT_TRUE(restored.ok) << restored.refusal;
    EXPECT_EQ(NeName(1), nameBefore);
    EXPECT_EQ(database_.NeIds().size(), nesAfterChange - 1);
    // The backups stay, and the backup is still the database as it was: a change after the restore leaves it.
    EXPECT_EQ(BackupNames(), (std::vector<std::string>{"AUTOBK-20240303-0330", "before-change"}));
    ASSERT_TRUE(Send(kEmsOpModify, kReqNeKey, 1, renamed).ok);
    ASSERT_TRUE(Send(kEmsOpModify, kReqDbBackupRestore, 0, BackupRecord{"before-change", 0}).ok);
    EXPECT_EQ(NeName(1), nameBefore);
    // The entity tree is the NE's own again: its entities answer.
    EXPECT_NE(database_.FindNe(1)->FindEntity(1), nullptr);
}

TEST_F(SimServerAdminTest, ACopyOfTheDatabaseAndTheDatabaseEachKeepTheirOwnRecordsWhenEitherIsWritten)
{
    const auto recordOf = [](const std::string& name) {
        const auto bytes = EncodeRecord(BackupRecord{name, 0});
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    };
    const auto kept = [](CSimDatabase& database) { return database.Generic().KeptRecords(kReqDbBackup, 0); };
    const std::vector<std::vector<uint8_t>> before = kept(database_);

    CSimDatabase copy = database_;
    copy.Generic().ReplaceRecords(kReqDbBackup, 0, kRecordSize<BackupRecord>, {recordOf("copy")});
    EXPECT_EQ(kept(database_), before);
    EXPECT_EQ(kept(copy), std::vector<std::vector<uint8_t>>{recordOf("copy")});

    database_.Generic().ReplaceRecords(kReqDbBackup, 0, kRecordSize<BackupRecord>, {recordOf("original")});
    EXPECT_EQ(kept(copy), std::vector<std::vector<uint8_t>>{recordOf("copy")});
    EXPECT_EQ(kept(database_), std::vector<std::vector<uint8_t>>{recordOf("original")});

    // A copy's NE keeps its entity tree when the original's is rebuilt for another model.
    const uint64_t copiedTree = copy.FindNe(1)->TreeStamp();
    const size_t copiedEntities = copy.FindNe(1)->Entities().size();
    NeKeyRecord key = database_.FindNe(1)->Key();
    key.modelId = database_.FindNe(2)->Key().modelId;
    database_.FindNe(1)->SetKey(key);
    EXPECT_EQ(copy.FindNe(1)->TreeStamp(), copiedTree);
    EXPECT_EQ(copy.FindNe(1)->Entities().size(), copiedEntities);
    EXPECT_NE(copy.FindNe(1)->FindEntity(1), nullptr);
}

TEST_F(SimServerAdminTest, BackupsAreRefusedAsTheServersRulesSay)
{
    struct Case {
        const char* what;
        uint16_t code;
        std::string name;
        const char* user;
        std::string refusal;
    };
    const Case cases[] = {
        {"the name of the server's own backup", kReqDbBackupAdd, "AUTOBK-20240303-0330", "admin",
         "Backup file name is reserved"},
        {"the automatic prefix", kReqDbBackupAdd, "AUTOBK-mine", "admin", "Backup file name is reserved"},
        {"a blank inside", kReqDbBackupAdd, "my backup", "admin", "Invalid backup file name"},
        {"an empty name", kReqDbBackupAdd, "", "admin", "Invalid backup file name"},
        {"a restore of no backup", kReqDbBackupRestore, "gone", "admin", "No such backup file"},
        {"a delete of no backup", kReqDbBackupDelete, "gone", "admin", "No such backup file"},
        // The Manager's rights are m for these functions: not enough to make, delete or restore.
        {"a manager's backup", kReqDbBackupAdd, "managers", "manager", "No privilege"},
        {"a manager's restore", kReqDbBackupRestore, "AUTOBK-20240303-0330", "manager", "No privilege"},
    };
    for (const Case& c : cases) {
        const Answer answer = Send(kEmsOpModify, c.code, 0, BackupRecord{c.name, 0}, kNow, c.user);
        EXPECT_FALSE(answer.ok) << c.what;
        EXPECT_EQ(answer.refusal, c.refusal) << c.what;
    }
    ASSERT_TRUE(Send(kEmsOpModify, kReqDbBackupAdd, 0, BackupRecord{"nightly", 0}).ok);
    EXPECT_EQ(Send(kEmsOpModify, kReqDbBackupAdd, 0, BackupRecord{"nightly", 0}).refusal, "Backup file already exists");
    ASSERT_TRUE(Send(kEmsOpModify, kReqDbBackupDelete, 0, BackupRecord{"nightly", 0}).ok);
    EXPECT_EQ(BackupNames(), std::vector<std::string>{"AUTOBK-20240303-0330"});
}

TEST(SimHostLoad, TheProcessorsTimesAreReadFromTheFirstCpuLine)
{
    struct Case {
        const char* what;
        const char* stat;
        std::optional<CpuTimes> times;
    };
    const Case cases[] = {
        // user nice system idle iowait irq softirq steal guest guest_nice: idle and iowait are idle; the guests are
        // in user already.
        {"a kernel of today", "cpu  100 20 30 400 50 6 7 8 90 10\ncpu0 1 2 3 4 5 6 7 8 9 10\n", CpuTimes{171, 621}},
        {"an old kernel", "cpu 10 0 10 80\n", CpuTimes{20, 100}},
        {"a line per processor only", "cpu0 10 0 10 80\n", std::nullopt},
        {"too few numbers", "cpu 10 0 10\n", std::nullopt},
        {"nothing", "", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseCpuTimes(c.stat), c.times) << c.what;
}

TEST(SimHostLoad, TheLoadIsTheBusyShareOfTheTimeBetweenTwoReadings)
{
    EXPECT_EQ(CpuPercentBetween({100, 1000}, {150, 1100}), std::optional<uint8_t>(50));
    EXPECT_EQ(CpuPercentBetween({100, 1000}, {100, 1300}), std::optional<uint8_t>(0));
    EXPECT_EQ(CpuPercentBetween({100, 1000}, {400, 1300}), std::optional<uint8_t>(100));
    EXPECT_EQ(CpuPercentBetween({0, 0}, {2, 3}), std::optional<uint8_t>(67)); // rounded
    EXPECT_EQ(CpuPercentBetween({100, 1000}, {100, 1000}), std::nullopt);     // no time passed
    EXPECT_EQ(CpuPercentBetween({100, 1000}, {50, 900}), std::nullopt);       // counters started again
}

TEST(SimHostLoad, FreeMemoryIsWhatIsAvailableAndElseWhatIsUnused)
{
    EXPECT_EQ(ParseFreeMemory("MemTotal: 8000000 kB\nMemFree:  100000 kB\nMemAvailable: 4000000 kB\n"
                              "SwapTotal: 2000000 kB\nSwapFree: 1500000 kB\n"),
              (FreeMemory{4000000, 1500000}));
    EXPECT_EQ(ParseFreeMemory("MemTotal: 8000000 kB\nMemFree:  100000 kB\nSwapFree: 0 kB\n"), (FreeMemory{100000, 0}));
    EXPECT_EQ(ParseFreeMemory(""), (FreeMemory{0, 0}));
}

TEST(SimHostLoad, AReportGivesTheLoadSinceTheReadingBefore)
{
    CTempDir dir;
    const std::string stat = (dir.Path() / "stat").string();
    const std::string memInfo = (dir.Path() / "meminfo").string();
    WriteText(stat, "cpu  100 0 100 800 0 0 0 0 0 0\n");
    WriteText(memInfo, "MemAvailable: 3000000 kB\nSwapFree: 1024 kB\n");
    CSimHostLoad load(stat, memInfo);
    WriteText(stat, "cpu  175 0 100 825 0 0 0 0 0 0\n");
    EXPECT_EQ(load.Report(), (ServerResourceRecord{1024, 3000000, 75}));
    // No time passed since: the load reported before stands.
    EXPECT_EQ(load.Report().cpuPercent, 75);
    WriteText(stat, "cpu  185 0 100 915 0 0 0 0 0 0\n");
    EXPECT_EQ(load.Report().cpuPercent, 10);
}

} // namespace
