#pragma once
// Wave files played without waiting, one at a time: Play stops what plays and starts the file, Stop ends it. Behind
// a replaceable player, so that tests hear nothing and can tell what was played.

#include <QString>

class WavePlayer {
public:
    virtual ~WavePlayer() = default;
    // Starts the file; false when it cannot be played (the device is busy or the file is no wave file).
    virtual bool Play(const QString& path) = 0;
    virtual void Stop() = 0;
};

WavePlayer& CurrentWavePlayer();
// Installs a player (not owned; null restores the default) and returns the one installed before (null for the
// default).
WavePlayer* SetWavePlayer(WavePlayer* player);
