#include "ui/shell/frame/frame_tick.h"

FrameTickWork NextFrameTick(uint32_t counter, uint32_t refreshPeriod, bool refreshNow)
{
    FrameTickWork work;
    work.counter = (counter % kFrameTickWrap + 1) % kFrameTickWrap;
    work.refreshViews = refreshNow || refreshPeriod < 2 || work.counter % refreshPeriod == 1;
    work.applyQueued = work.counter % 10 == 1;
    work.readLiveKeys = work.counter % 20 == 1;
    return work;
}

bool IsBlinkPhaseOn(uint32_t refreshCount, uint32_t refreshPeriod, uint32_t flashCycleSeconds)
{
    const uint64_t period = static_cast<uint64_t>(flashCycleSeconds) * 10;
    if (period == 0)
        return false;
    const uint64_t ticks = static_cast<uint64_t>(refreshCount) * refreshPeriod;
    return ticks % period >= period / 2;
}
