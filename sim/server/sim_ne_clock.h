// The clocks of the simulated server's NEs. Each NE's clock runs on with the server's own, shifted by what the
// operator set; its up time counts from its start, and it keeps its time zone. A clock starts at the first request
// for it, from the NE's scenario record when there is one (its up time, its date and time, its zone).
#pragma once

#include <cstdint>
#include <map>

#include "link/records/ne_time_record.h"

class CSimNeClocks {
public:
    // The NE's clock as it reads at `now`.
    NeTimeRecord Read(uint32_t neId, uint32_t now, const NeTimeRecord& seed);
    // Sets the NE's date and time and its time zone; the up time runs on.
    void Set(uint32_t neId, uint32_t now, const NeTimeRecord& written, const NeTimeRecord& seed);
    // The NE takes the true time from its time servers.
    void Adjust(uint32_t neId, uint32_t now, const NeTimeRecord& seed);
    void Remove(uint32_t neId) { clocks_.erase(neId); }
    // Every NE's clock takes the server's time, also those that start later.
    void SynchronizeAll();

private:
    struct Clock {
        int64_t offset = 0; // seconds the NE's clock is ahead of the server's
        uint32_t startTime = 0;
        int16_t timeZone = 0;
    };
    Clock& Of(uint32_t neId, uint32_t now, const NeTimeRecord& seed);

    std::map<uint32_t, Clock> clocks_;
    bool synchronized_ = false; // clocks start at the server's time, not the scenario's
};
