#include "link/driver_logs.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <mutex>

#include "link/rotating_log_file.h"

namespace {

struct LogSet {
    std::array<CRotatingLogFile, 5> files{{
        {"NetDrv.log", kDriverLogLimitBytes},
        {"NetDrvAgent.log", kDriverLogLimitBytes},
        {"NetDrvThread.log", kDriverLogLimitBytes},
        {"NetDrvComm.log", kDriverLogLimitBytes},
        {"PDU.log", kPduLogLimitBytes},
    }};
    std::mutex directoryMutex;
    std::string directory;
};

LogSet& Logs()
{
    static LogSet logs;
    return logs;
}

size_t IndexOf(DriverLogKind kind)
{
    return static_cast<size_t>(kind);
}

// The line of a log switched on, kept apart so that a call with the log off sets up no buffer for it.
[[gnu::noinline]] void WriteFormattedLine(DriverLogKind kind, const char* format, va_list args)
{
    char body[1024];
    std::vsnprintf(body, sizeof body, format, args);
    Logs().files[IndexOf(kind)].Write(FormatLogTimestamp() + " " + body + "\n");
}

} // namespace

// Constant-initialised apart from the files, so that a look at a switch (at every request, with the logs off) is one
// load, not the first-use check of the files.
std::array<std::atomic<bool>, 5> driver_logs_detail::g_enabled{};

void SetDriverLogSwitches(const DriverLogSwitches& switches)
{
    driver_logs_detail::g_enabled[IndexOf(DriverLogKind::NetDrv)] = switches.netDrv;
    driver_logs_detail::g_enabled[IndexOf(DriverLogKind::Thread)] = switches.netDrv;
    driver_logs_detail::g_enabled[IndexOf(DriverLogKind::Agent)] = switches.agent;
    driver_logs_detail::g_enabled[IndexOf(DriverLogKind::Comm)] = switches.comm;
    driver_logs_detail::g_enabled[IndexOf(DriverLogKind::Pdu)] = switches.pdu;
}

DriverLogSwitches GetDriverLogSwitches()
{
    DriverLogSwitches switches;
    switches.netDrv = driver_logs_detail::g_enabled[IndexOf(DriverLogKind::NetDrv)];
    switches.agent = driver_logs_detail::g_enabled[IndexOf(DriverLogKind::Agent)];
    switches.comm = driver_logs_detail::g_enabled[IndexOf(DriverLogKind::Comm)];
    switches.pdu = driver_logs_detail::g_enabled[IndexOf(DriverLogKind::Pdu)];
    return switches;
}

void SetLinkLogDirectory(const std::string& directory)
{
    LogSet& logs = Logs();
    std::lock_guard<std::mutex> lock(logs.directoryMutex);
    logs.directory = directory;
    for (auto& file : logs.files) {
        file.SetDirectory(directory);
    }
}

std::string GetLinkLogDirectory()
{
    LogSet& logs = Logs();
    std::lock_guard<std::mutex> lock(logs.directoryMutex);
    return logs.directory;
}

std::string GetDriverLogPath(DriverLogKind kind)
{
    return Logs().files[IndexOf(kind)].Path();
}

std::string FormatLogTimestamp()
{
    return FormatLogTimestamp(std::chrono::system_clock::now());
}

std::string FormatLogTimestamp(std::chrono::system_clock::time_point now)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(millis));
    return text;
}

void WriteDriverLog(DriverLogKind kind, const char* format, ...)
{
    if (!IsDriverLogEnabled(kind)) {
        return;
    }
    va_list args;
    va_start(args, format);
    WriteFormattedLine(kind, format, args);
    va_end(args);
}

void WriteDriverLogText(DriverLogKind kind, const std::string& text)
{
    if (!IsDriverLogEnabled(kind)) {
        return;
    }
    Logs().files[IndexOf(kind)].Write(text);
}

void CloseDriverLogs()
{
    for (auto& file : Logs().files) {
        file.Close();
    }
}
