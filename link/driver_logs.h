// The driver's text logs: NetDrv.log (driver steps), NetDrvAgent.log (agent steps), NetDrvThread.log (thread
// events), NetDrvComm.log (transport traffic) and PDU.log (every PDU in readable form).
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

enum class DriverLogKind { NetDrv, Agent, Thread, Comm, Pdu };

// One switch per configuration key; NetDrv.log and NetDrvThread.log share the first.
struct DriverLogSwitches {
    bool netDrv = false;
    bool agent = false;
    bool comm = false;
    bool pdu = false;
};

inline constexpr uint64_t kDriverLogLimitBytes = 20ull * 1024 * 1024;
inline constexpr uint64_t kPduLogLimitBytes = 102400;

void SetDriverLogSwitches(const DriverLogSwitches& switches);
DriverLogSwitches GetDriverLogSwitches();
namespace driver_logs_detail {
// One switch per DriverLogKind, written by SetDriverLogSwitches.
extern std::array<std::atomic<bool>, 5> g_enabled;
} // namespace driver_logs_detail

// Inline: a look at a switch costs a request no call.
inline bool IsDriverLogEnabled(DriverLogKind kind)
{
    return driver_logs_detail::g_enabled[static_cast<size_t>(kind)].load();
}

// The folder of the logs; empty (the default) is the working directory.
void SetLinkLogDirectory(const std::string& directory);
std::string GetLinkLogDirectory();
std::string GetDriverLogPath(DriverLogKind kind);

// One line "YYYY-MM-DD HH:MM:SS.mmm text" when the log is switched on.
void WriteDriverLog(DriverLogKind kind, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Text as given (already formatted lines) when the log is switched on.
void WriteDriverLogText(DriverLogKind kind, const std::string& text);

// Local time "YYYY-MM-DD HH:MM:SS.mmm" of now, or of a moment.
std::string FormatLogTimestamp();
std::string FormatLogTimestamp(std::chrono::system_clock::time_point at);

void CloseDriverLogs();
