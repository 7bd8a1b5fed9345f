#include "features/fault/alarm_sound/alarm_sound.h"

#include "core/config/app_settings.h"
#include "core/ini/file_path.h"
#include "core/tables/app_data.h"
#include "core/tables/ne_table.h"
#include "core/util/severity.h"
#include "link/server_message_dispatcher.h"
#include "platform/wave_player.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <utility>

namespace {

bool SoundIsOn(const AlarmSignalCode& beep)
{
    return CompareSeverity(beep.level, kSeverityCleared) > 0 || beep.serviceAffecting;
}

// Waits for the lock in slices, looking for the end of the thread between them.
bool WaitForLock(IAlarmSoundHost& host)
{
    for (uint32_t waited = 0; waited < kAlarmSoundLockWaitMs; waited += kAlarmSoundLockSliceMs) {
        if (host.LockTables(kAlarmSoundLockSliceMs))
            return true;
        if (host.QuitRequested())
            return false;
    }
    return false;
}

// The settings the application's thread last handed over.
class CSettingsBox {
public:
    AlarmSoundSettings Get()
    {
        RequestUpdate();
        std::lock_guard<std::mutex> lock(mutex_);
        return settings_;
    }

    // The interval, here and in the application's settings, on the application's thread.
    void StoreOffInterval(uint32_t seconds)
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            settings_.offIntervalSeconds = seconds;
        }
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(
                app, [seconds] { AppSettings().beepOffInterval = seconds; }, Qt::QueuedConnection);
    }

private:
    // The application's thread copies its settings over; asked at most once a second.
    void RequestUpdate()
    {
        const auto now = std::chrono::steady_clock::now();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (asked_ && now - lastAsk_ < std::chrono::seconds(1))
                return;
            asked_ = true;
            lastAsk_ = now;
        }
        QCoreApplication* app = QCoreApplication::instance();
        if (app == nullptr)
            return;
        QMetaObject::invokeMethod(
            app,
            [this] {
                const CAppSettings& settings = AppSettings();
                std::lock_guard<std::mutex> lock(mutex_);
                settings_ = {settings.beep, settings.beepFile, settings.beepOffInterval};
            },
            Qt::QueuedConnection);
    }

    std::mutex mutex_;
    AlarmSoundSettings settings_{{}, {}, 60};
    bool asked_ = false;
    std::chrono::steady_clock::time_point lastAsk_;
};

class CProgramAlarmSoundHost final : public IAlarmSoundHost {
public:
    CProgramAlarmSoundHost(std::function<bool(uint32_t)> sleep, std::function<bool()> quitRequested)
        : sleep_(std::move(sleep)), quitRequested_(std::move(quitRequested))
    {
    }

    AlarmSoundSettings Settings() override { return Box().Get(); }
    void StoreOffInterval(uint32_t seconds) override { Box().StoreOffInterval(seconds); }
    bool LockTables(uint32_t waitMs) override { return LockDispatch(waitMs); }
    void UnlockTables() override { UnlockDispatch(); }
    bool AnyNeSounds(const AlarmSignalCode& beep) override { return NeTableSounds(AppData().nes, beep); }
    // The file as the configuration names it (.\Sound\Alarm.wav), in the working directory, played by the program's
    // player on the application's thread, where it lives.
    void Play(const std::string& file) override
    {
        QCoreApplication* app = QCoreApplication::instance();
        if (app == nullptr)
            return;
        const QString path = QString::fromStdString(ResolveFilePath(NormalizeConfigPath(file)));
        QMetaObject::invokeMethod(
            app, [path] { CurrentWavePlayer().Play(path); }, Qt::QueuedConnection);
    }
    bool Sleep(uint32_t ms) override { return sleep_(ms); }
    bool QuitRequested() override { return quitRequested_(); }

private:
    // One box for the program: the application's thread may still write into it after a thread's host is gone.
    static CSettingsBox& Box()
    {
        static CSettingsBox box;
        return box;
    }

    std::function<bool(uint32_t)> sleep_;
    std::function<bool()> quitRequested_;
};

} // namespace

void RunAlarmSoundLoop(IAlarmSoundHost& host)
{
    uint32_t lockFailures = 0;
    while (!host.QuitRequested()) {
        AlarmSoundSettings settings = host.Settings();
        if (settings.offIntervalSeconds > kAlarmSoundMaxIntervalSeconds) {
            settings.offIntervalSeconds = kAlarmSoundMaxIntervalSeconds;
            host.StoreOffInterval(settings.offIntervalSeconds);
        }
        if (!SoundIsOn(settings.beep) || settings.file.empty()) {
            if (!host.Sleep(kAlarmSoundIdleMs))
                return;
            continue;
        }
        if (!host.LockTables(0)) {
            if (++lockFailures < kAlarmSoundLockTries) {
                if (!host.Sleep(kAlarmSoundIdleMs))
                    return;
                continue;
            }
            lockFailures = 0;
            if (!WaitForLock(host))
                continue;
        }
        const bool sounds = host.AnyNeSounds(settings.beep);
        host.UnlockTables();
        if (sounds) {
            host.Play(settings.file);
            if (host.QuitRequested())
                return;
        }
        const uint32_t interval = std::max(settings.offIntervalSeconds, kAlarmSoundMinIntervalSeconds);
        if (!host.Sleep(interval * 1000))
            return;
    }
}

bool NeTableSounds(const CNeTable& nes, const AlarmSignalCode& beep)
{
    for (const CNeRecord* ne = nes.ResolveNeRecord(nullptr); ne != nullptr; ne = ne->GetNext()) {
        if (beep.level != 0 && CompareSeverity(static_cast<int>(ne->GetSeverityAt(1)), beep.level) >= 0)
            return true;
        if (beep.serviceAffecting && CompareSecondaryStatus(static_cast<int>(ne->GetSecondaryStatusAt(1)), 1) >= 0)
            return true;
    }
    return false;
}

std::unique_ptr<IAlarmSoundHost> MakeProgramAlarmSoundHost(std::function<bool(uint32_t ms)> sleep,
                                                           std::function<bool()> quitRequested)
{
    return std::make_unique<CProgramAlarmSoundHost>(std::move(sleep), std::move(quitRequested));
}
