// The alarm sound of the running program: with ALARM/BEEP at major and a wave file, the program plays the file while
// an NE carries a major or graver alarm, again each silence interval, through the program's wave player; with the
// sound off nothing plays. The player here notes what it is asked to play instead of sounding.

#include "tarvik_test_paths.h"
#include "tests/e2e/support/e2e_harness.h"

#include "platform/wave_player.h"

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

} // namespace
