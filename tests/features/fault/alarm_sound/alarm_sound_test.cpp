// The alarm-sound loop with a stand-in for the program: a clock that moves only when the loop waits, a dispatch lock
// that can be taken, the NEs' verdict and a player that notes what it is asked to play. And which NEs of a table
// sound for a setting.

#include "features/fault/alarm_sound/alarm_sound.h"

#include "core/config/alarm_signal_code.h"
#include "core/tables/ne_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class FakeSoundHost final : public IAlarmSoundHost {
public:
    // The loop ends once the clock reaches this.
    uint64_t horizonMs = 200'000;
    AlarmSoundSettings settings{ParseAlarmSignalCode("MJ"), "alarm.wav", 60};
    int neSeverity = 2; // the gravest severity the NEs carry
    // The lock is refused while this says so.
    std::function<bool(uint64_t nowMs)> lockBusy = [](uint64_t) { return false; };
    // A quit comes at this time (never by default).
    uint64_t quitAtMs = UINT64_MAX;

    uint64_t nowMs = 0;
    bool locked = false;
    std::vector<uint64_t> plays; // times
    std::vector<uint32_t> lockWaits;
    std::vector<uint32_t> sleeps;
    std::vector<uint32_t> storedIntervals;
    int lockedChecks = 0;

    AlarmSoundSettings Settings() override { return settings; }
    void StoreOffInterval(uint32_t seconds) override
    {
        storedIntervals.push_back(seconds);
        settings.offIntervalSeconds = seconds;
    }
    bool LockTables(uint32_t waitMs) override
    {
        lockWaits.push_back(waitMs);
        if (lockBusy(nowMs)) {
            nowMs += waitMs;
            return false;
        }
        locked = true;
        return true;
    }
    void UnlockTables() override
    {
        EXPECT_TRUE(locked);
        locked = false;
    }
    bool AnyNeSounds(const AlarmSignalCode& beep) override
    {
        EXPECT_TRUE(locked) << "the NEs are read under the lock only";
        ++lockedChecks;
        return neSeverity >= 1 && neSeverity <= beep.level;
    }
    void Play(const std::string& file) override
    {
        EXPECT_FALSE(locked) << "no sound while the lock is held";
        EXPECT_EQ(file, settings.file);
        plays.push_back(nowMs);
    }
    bool Sleep(uint32_t ms) override
    {
        EXPECT_FALSE(locked) << "no wait while the lock is held";
        sleeps.push_back(ms);
        nowMs += ms;
        return !QuitRequested();
    }
    bool QuitRequested() override { return nowMs >= horizonMs || nowMs >= quitAtMs; }
};

TEST(AlarmSoundTest, AMajorAlarmSoundsEachIntervalWhenTheLevelIsMajor)
{
    FakeSoundHost host;
    RunAlarmSoundLoop(host);
    EXPECT_EQ(host.plays, (std::vector<uint64_t>{0, 60'000, 120'000, 180'000}));
}

TEST(AlarmSoundTest, MinorAlarmsAloneDoNotSoundAtMajorButTheNesAreReadEachInterval)
{
    FakeSoundHost host;
    host.neSeverity = 3;
    RunAlarmSoundLoop(host);
    EXPECT_TRUE(host.plays.empty());
    EXPECT_EQ(host.lockedChecks, 4);
}

TEST(AlarmSoundTest, OffOrWithoutAFileTheLoopIdlesAndNeverTakesTheLock)
{
    for (const AlarmSoundSettings& settings : {AlarmSoundSettings{ParseAlarmSignalCode("NO"), "alarm.wav", 60},
                                               AlarmSoundSettings{ParseAlarmSignalCode("CR"), "", 60}}) {
        FakeSoundHost host;
        host.settings = settings;
        host.horizonMs = 1000;
        RunAlarmSoundLoop(host);
        EXPECT_TRUE(host.lockWaits.empty());
        EXPECT_TRUE(host.plays.empty());
        EXPECT_EQ(host.sleeps.size(), 100u);
        EXPECT_EQ(host.sleeps.front(), kAlarmSoundIdleMs);
    }
}

TEST(AlarmSoundTest, TheIntervalIsAtMostAnHourAndAtLeastASecond)
{
    FakeSoundHost hour;
    hour.settings.offIntervalSeconds = 5000;
    hour.horizonMs = 8'000'000;
    RunAlarmSoundLoop(hour);
    EXPECT_EQ(hour.plays, (std::vector<uint64_t>{0, 3'600'000, 7'200'000}));
    EXPECT_EQ(hour.storedIntervals, std::vector<uint32_t>{3600}) << "the hour is written back to the setting";

    // An interval of 0 plays the sound each second instead of restarting it without a pause.
    FakeSoundHost none;
    none.settings.offIntervalSeconds = 0;
    none.horizonMs = 10'000;
    RunAlarmSoundLoop(none);
    EXPECT_TRUE(none.storedIntervals.empty()) << "0 stays the setting";
    EXPECT_EQ(none.plays.size(), 10u);
    for (uint32_t ms : none.sleeps)
        EXPECT_EQ(ms, 1000u);
}

TEST(AlarmSoundTest, ATakenLockIsTriedAHundredTimesThenWaitedForInSlices)
{
    FakeSoundHost host;
    host.horizonMs = 30'000;
    // Taken for the first 20 seconds.
    host.lockBusy = [](uint64_t now) { return now < 20'000; };
    RunAlarmSoundLoop(host);
    ASSERT_GE(host.lockWaits.size(), 100u);
    for (size_t i = 0; i < 99; ++i)
        EXPECT_EQ(host.lockWaits[i], 0u) << i;
    EXPECT_EQ(host.lockWaits[99], 0u);
    EXPECT_EQ(host.lockWaits[100], kAlarmSoundLockSliceMs) << "the long wait, in slices";
    ASSERT_FALSE(host.plays.empty());
    EXPECT_GE(host.plays.front(), 20'000u);
}

TEST(AlarmSoundTest, ALongIntervalIsWrittenBackAlsoWhileTheSoundIsOff)
{
    FakeSoundHost host;
    host.settings = {ParseAlarmSignalCode("NO"), "alarm.wav", 3601};
    host.horizonMs = 100;
    RunAlarmSoundLoop(host);
    ASSERT_FALSE(host.storedIntervals.empty());
    EXPECT_EQ(host.storedIntervals.front(), 3600u);
    EXPECT_EQ(host.storedIntervals.size(), 1u) << "once: the setting then holds the hour";

    FakeSoundHost hour;
    hour.settings = {ParseAlarmSignalCode("NO"), "alarm.wav", 3600};
    hour.horizonMs = 100;
    RunAlarmSoundLoop(hour);
    EXPECT_TRUE(hour.storedIntervals.empty()) << "an hour is no longer than the bound";
}

TEST(AlarmSoundTest, TheEndOfTheThreadEndsTheLongWaitForTheLock)
{
    FakeSoundHost host;
    host.lockBusy = [](uint64_t) { return true; };
    host.quitAtMs = 5'000;
    RunAlarmSoundLoop(host);
    // Ended within a slice of the quit, not after the ten minutes the wait may take.
    EXPECT_LE(host.nowMs, 5'000u + kAlarmSoundLockSliceMs);
    EXPECT_TRUE(host.plays.empty());
}

TEST(AlarmSoundTest, TheEndOfTheThreadEndsASilenceInterval)
{
    FakeSoundHost host;
    host.settings.offIntervalSeconds = 3600;
    host.quitAtMs = 1;
    RunAlarmSoundLoop(host);
    EXPECT_EQ(host.plays.size(), 1u);
    EXPECT_EQ(host.sleeps, std::vector<uint32_t>{3'600'000}) << "one wait, ended by the quit, and no more";
}

TEST(AlarmSoundTest, WhichNesSoundForASetting)
{
    CNeTable nes;
    const auto add = [&nes](uint32_t id, const char* name, uint32_t severity) {
        CNeRecord ne;
        ne.neId = id;
        ne.name = name;
        ne.address = {10, 0, 0, static_cast<uint8_t>(id)};
        ASSERT_EQ(nes.AddNe(ne), NeResult::kOk);
        nes.FindNeById(id)->neSeverity = severity;
    };
    add(1, "a", 0);
    add(2, "b", 3);
    EXPECT_FALSE(NeTableSounds(nes, ParseAlarmSignalCode("MJ"))) << "minor is below major";
    EXPECT_TRUE(NeTableSounds(nes, ParseAlarmSignalCode("MN")));
    EXPECT_TRUE(NeTableSounds(nes, ParseAlarmSignalCode("IF")));
    EXPECT_FALSE(NeTableSounds(nes, ParseAlarmSignalCode("SA"))) << "no NE reports a service-affecting state";
    nes.FindNeById(1)->neSeverity = 1;
    EXPECT_TRUE(NeTableSounds(nes, ParseAlarmSignalCode("CR")));
    EXPECT_FALSE(NeTableSounds(nes, ParseAlarmSignalCode("NO")));
}

} // namespace
