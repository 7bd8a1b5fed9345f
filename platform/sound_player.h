#pragma once
// The program's sound, in place of the platform's call that plays a wave file: Play stops whatever this player plays
// and starts the file once, without waiting for it; Stop ends it. Any thread may call; the player does its work on
// the application's thread, where Qt Multimedia keeps its objects. A file that cannot be played stays silent, and
// no default sound stands in for it.
//
//     CSoundPlayer& player = AlarmSoundPlayer();
//     player.Play("./Sound/Alarm.wav");

#include <string>

class CSoundPlayer {
public:
    virtual ~CSoundPlayer() = default;
    virtual void Play(const std::string& file) = 0;
    virtual void Stop() = 0;
};

// The player of the alarm sound, made on first use.
CSoundPlayer& AlarmSoundPlayer();
