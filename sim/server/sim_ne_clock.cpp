#include "sim/server/sim_ne_clock.h"

CSimNeClocks::Clock& CSimNeClocks::Of(uint32_t neId, uint32_t now, const NeTimeRecord& seed)
{
    auto [it, added] = clocks_.try_emplace(neId);
    if (added) {
        it->second.startTime = seed.upTime <= now ? now - seed.upTime : 0;
        it->second.offset = seed.neClock != 0 && !synchronized_ ? static_cast<int64_t>(seed.neClock) - now : 0;
        it->second.timeZone = seed.timeZone;
    }
    return it->second;
}

NeTimeRecord CSimNeClocks::Read(uint32_t neId, uint32_t now, const NeTimeRecord& seed)
{
    const Clock& clock = Of(neId, now, seed);
    NeTimeRecord rec;
    rec.upTime = now - clock.startTime;
    rec.neClock = static_cast<uint32_t>(static_cast<int64_t>(now) + clock.offset);
    rec.timeZone = clock.timeZone;
    return rec;
}

void CSimNeClocks::Set(uint32_t neId, uint32_t now, const NeTimeRecord& written, const NeTimeRecord& seed)
{
    Clock& clock = Of(neId, now, seed);
    clock.offset = static_cast<int64_t>(written.neClock) - now;
    clock.timeZone = written.timeZone;
}

void CSimNeClocks::Adjust(uint32_t neId, uint32_t now, const NeTimeRecord& seed)
{
    Of(neId, now, seed).offset = 0;
}

void CSimNeClocks::SynchronizeAll()
{
    for (auto& [neId, clock] : clocks_)
        clock.offset = 0;
    synchronized_ = true;
}
