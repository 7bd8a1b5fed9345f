#pragma once
// The CPU time of another process, as its benchmark reads it for a peer it started.

#include <sys/types.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace bench_cpu {

struct CpuSeconds {
    double user = 0;
    double system = 0;
};

// User and system time of process `pid` so far, each in seconds; 0 when it cannot be read.
inline CpuSeconds ProcessCpuSplit(pid_t pid)
{
    std::FILE* stat = std::fopen(("/proc/" + std::to_string(pid) + "/stat").c_str(), "r");
    if (stat == nullptr)
        return {};
    unsigned long user = 0;
    unsigned long system = 0;
    // pid (name) state, then ten fields before utime and stime.
    const int read = std::fscanf(stat, "%*d %*s %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &user, &system);
    std::fclose(stat);
    if (read != 2)
        return {};
    const auto tick = static_cast<double>(::sysconf(_SC_CLK_TCK));
    return {static_cast<double>(user) / tick, static_cast<double>(system) / tick};
}

// User and system time of process `pid` so far, in seconds; 0 when it cannot be read.
inline double ProcessCpuSeconds(pid_t pid)
{
    const CpuSeconds split = ProcessCpuSplit(pid);
    return split.user + split.system;
}

} // namespace bench_cpu
