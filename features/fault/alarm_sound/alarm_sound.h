#pragma once
// The alarm sound: while an NE carries an alarm at or above the configured severity (ALARM/BEEP), the workstation
// plays the wave file ALARM/BEEPFILE again and again, ALARM/BEEPOFFINTERVAL seconds apart. A thread of its own runs
// the loop from start-up to exit; it reads the NEs' severities only under the dispatch lock and lets go of it before
// it plays or waits. Every wait ends at once when the thread is to end, so that exit never waits out an interval.
//
// The loop reaches the program through IAlarmSoundHost, so that a test can stand in for the lock, the NE table, the
// player and the clock.

#include "core/config/alarm_signal_code.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CNeTable;

// Waits of the loop, in milliseconds.
inline constexpr uint32_t kAlarmSoundIdleMs = 10;     // while the sound is off or has no file, or the lock is taken
inline constexpr uint32_t kAlarmSoundLockTries = 100; // short tries before the long wait for the lock
inline constexpr uint32_t kAlarmSoundLockWaitMs = 600000;
inline constexpr uint32_t kAlarmSoundLockSliceMs = 100; // the long wait looks for the end of the thread this often
// The interval between two checks: at most an hour, and at least a second, so that an interval of 0 plays the
// sound each second instead of restarting it without a pause.
inline constexpr uint32_t kAlarmSoundMaxIntervalSeconds = 3600;
inline constexpr uint32_t kAlarmSoundMinIntervalSeconds = 1;

struct AlarmSoundSettings {
    AlarmSignalCode beep;
    std::string file;
    uint32_t offIntervalSeconds = 60;
    bool operator==(const AlarmSoundSettings&) const = default;
};

class IAlarmSoundHost {
public:
    virtual ~IAlarmSoundHost() = default;
    // The settings as they are now.
    virtual AlarmSoundSettings Settings() = 0;
    // Writes the interval back to the settings (the loop caps a longer one).
    virtual void StoreOffInterval(uint32_t seconds) = 0;
    // The dispatch lock, waited for up to `waitMs` (0: only tried); true when taken.
    virtual bool LockTables(uint32_t waitMs) = 0;
    virtual void UnlockTables() = 0;
    // Under the lock: an NE carries what the setting asks to sound for.
    virtual bool AnyNeSounds(const AlarmSignalCode& beep) = 0;
    // Stops what plays and starts the file.
    virtual void Play(const std::string& file) = 0;
    // Waits; false when the thread is to end (at once then).
    virtual bool Sleep(uint32_t ms) = 0;
    virtual bool QuitRequested() = 0;
};

// The loop of the alarm-sound thread; returns when the thread is to end.
void RunAlarmSoundLoop(IAlarmSoundHost& host);

// Whether an NE of the table sounds for the setting: its severity at least as grave as the level, or, for the
// service-affecting setting, its secondary status at least 1. Walks the NEs in name order and stops at the first.
bool NeTableSounds(const CNeTable& nes, const AlarmSignalCode& beep);

// The program's host: the application's settings (taken over on the application's thread, at most each second), the
// dispatch lock, the program's NE table and the program's wave player; the thread gives its waits.
std::unique_ptr<IAlarmSoundHost> MakeProgramAlarmSoundHost(std::function<bool(uint32_t ms)> sleep,
                                                           std::function<bool()> quitRequested);
