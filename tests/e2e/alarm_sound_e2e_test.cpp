// The alarm sound of the running program: with ALARM/BEEP at major and a wave file, the program plays the file while
// an NE carries a major or graver alarm, again each silence interval, through the program's wave player; with the
// sound off nothing plays; Client Options plays the file the alarm would play. The player here notes what it is asked
// to play instead of sounding.

#include "tarvik_test_paths.h"
#include "tests/e2e/support/e2e_harness.h"

#include "core/ini/file_path.h"
#include "platform/wave_player.h"
#include "ui/shell/options/client_options_dlg.h"

#include <QFile>

#include <filesystem>
#include <gtest/gtest.h>

#include <string>

namespace {

class NotingPlayer : public WavePlayer {
public:
    NotingPlayer() : previous_(SetWavePlayer(this)) {}
    ~NotingPlayer() override { SetWavePlayer(previous_); }
    NotingPlayer(const NotingPlayer&) = delete;
    NotingPlayer& operator=(const NotingPlayer&) = delete;

    bool Play(const QString& path) override
    {
        plays << path;
        return true;
    }
    void Stop() override {}

    QStringList plays;

private:
    WavePlayer* previous_;
};

std::string SoundSettings(const char* beep)
{
    return std::string("[ALARM]\nBEEP=") + beep + "\nBEEPFILE=" + TARVIK_RESOURCES_DIR +
           "/Sound/Alarm.wav\nBEEPOFFINTERVAL=1\n";
}

TEST(AlarmSoundE2eTest, AMajorAlarmOfAnNeSoundsTheFileEachInterval)
{
    NotingPlayer player;
    e2e::CProgram program;
    e2e::PeerOptions options;
    options.iniExtra = SoundSettings("MJ");
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    // The test world's South-1 has a major alarm.
    ASSERT_TRUE(program.WaitUntil([&] { return player.plays.size() >= 2; })) << player.plays.size();
    EXPECT_TRUE(player.plays.front().endsWith(QStringLiteral("Sound/Alarm.wav"))) << player.plays.front().toStdString();
}

TEST(AlarmSoundE2eTest, NothingSoundsWhileTheSoundIsOff)
{
    NotingPlayer player;
    e2e::CProgram program;
    e2e::PeerOptions options;
    options.iniExtra = SoundSettings("NO");
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    program.WaitUntil([] { return false; }, 2500);
    EXPECT_TRUE(player.plays.isEmpty());
}

// The wave file as the configuration names it, relative to the working directory with backslashes: the alarm plays
// it, so the Options page offers Play for it, and Play plays the file the alarm plays.
TEST(AlarmSoundE2eTest, ClientOptionsPlaysTheFileAsTheAlarmFindsIt)
{
    NotingPlayer player;
    e2e::CProgram program;
    e2e::PeerOptions options;
    // Critical only: the test world has no critical alarm, so that only Play sounds.
    options.iniExtra = "[ALARM]\nBEEP=CR\nBEEPFILE=.\\Sound\\Alarm.wav\n";
    ASSERT_TRUE(program.StartServer(options));
    ASSERT_TRUE(program.Login("admin", "admin"));
    const std::filesystem::path sound = program.WorkDir().Path() / "Sound";
    std::filesystem::create_directories(sound);
    std::filesystem::copy_file(std::filesystem::path(TARVIK_RESOURCES_DIR) / "Sound" / "Alarm.wav", sound / "Alarm.wav");
    const QString alarmPlays = QString::fromStdString(ResolveFilePath(NormalizeConfigPath(".\\Sound\\Alarm.wav")));
    ASSERT_TRUE(QFile::exists(alarmPlays));

    bool playable = false;
    program.Operator().OnDialog<CClientOptionsDlg>([&](CClientOptionsDlg& dialog) {
        CAlarmWarningPage& alarm = dialog.AlarmPage();
        EXPECT_EQ(e2e::Field(alarm, CAlarmWarningPage::kWaveFileId), QStringLiteral(".\\Sound\\Alarm.wav"));
        playable = alarm.IsControlEnabled(CAlarmWarningPage::kPlayId);
        if (playable)
            e2e::Click(alarm, CAlarmWarningPage::kPlayId);
        return IDCANCEL;
    });
    ASSERT_TRUE(program.Command(33073)); // System > Client Options
    EXPECT_TRUE(playable);
    EXPECT_EQ(player.plays, QStringList{alarmPlays});
}

} // namespace
