#pragma once
// The CPU time of another process, as its benchmark reads it for a peer it started.

#include <sys/types.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace bench_cpu {

// User and system time of process `pid` so far, in seconds; 0 when it cannot be read.
inline double ProcessCpuSeconds(pid_t pid)
{
    std::FILE* stat = std::fopen(("/proc/" + std::to_string(pid) + "/stat").c_str(), "r");
    if (stat == nullptr)
        return 0;
    unsigned long user = 0;
    unsigned long system = 0;
    // pid (name) state, then ten fields before utime and stime.
    const int read = std::fscanf(stat, "%*d %*s %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &user, &system);
    std::fclose(stat);
    return read == 2 ? static_cast<double>(user + system) / static_cast<double>(::sysconf(_SC_CLK_TCK)) : 0;
}

} // namespace bench_cpu
