// What the simulated server reports of the machine it runs on (request 7): its free memory and swap, and its
// processor load since the last report, read from the kernel's /proc/meminfo and /proc/stat, so that a monitoring
// chart moves with the machine's real load.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/records/server_resource_record.h"

// The processor's time since boot, in ticks: all of it, and the part it was not idle (idle and waiting for I/O
// count as idle).
struct CpuTimes {
    uint64_t busy = 0;
    uint64_t total = 0;
    bool operator==(const CpuTimes&) const = default;
};

// The first "cpu" line of /proc/stat; none when there is none.
std::optional<CpuTimes> ParseCpuTimes(std::string_view procStat);
// The load between two readings in percent, rounded; none when no time passed between them.
std::optional<uint8_t> CpuPercentBetween(const CpuTimes& before, const CpuTimes& after);

// Free memory (what is available for use without swapping, else what is unused) and free swap in kB, from
// /proc/meminfo; what it does not give stays 0.
struct FreeMemory {
    uint32_t memoryKb = 0;
    uint32_t swapKb = 0;
    bool operator==(const FreeMemory&) const = default;
};
FreeMemory ParseFreeMemory(std::string_view memInfo);

class CSimHostLoad {
public:
    // Reads the files at the given paths (the kernel's by default), and takes the first processor reading now.
    explicit CSimHostLoad(std::string procStat = "/proc/stat", std::string memInfo = "/proc/meminfo");

    // The record of a report: the processor load since the reading before (the last report, or the start).
    ServerResourceRecord Report();

private:
    std::optional<CpuTimes> ReadCpu() const;

    std::string procStat_;
    std::string memInfo_;
    std::optional<CpuTimes> last_;
    uint8_t lastPercent_ = 0;
};
