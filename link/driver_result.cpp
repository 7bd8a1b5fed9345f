#include "link/driver_result.h"

#include <array>
#include <cstdio>

namespace {

constexpr std::array<const char*, kDrvLastError - kDrvFirstError + 1> kErrorTexts = {
    "driver not initialised",
    "invalid parameter",
    "memory insufficient",
    "network not connected",
    "connection failed",
    "connection timeout",
    "connection closed",
    "send failed",
    "receive failed",
    "invalid message format",
    "message too long",
    "no free request slot",
    "driver busy",
    "login failed",
    "not logged in",
    "request not supported",
    "unexpected reply",
    "transaction cancelled by user",
    "transaction timeout",
    "request rejected",
    "NE not reachable",
    "SNMP too big",
    "SNMP no such name",
    "SNMP bad value",
    "SNMP read only",
    "SNMP general error",
    "SNMP decode error",
    "text reply",
    "unknown error",
};

} // namespace

const char* GetDriverErrorText(int code)
{
    if (code == kDrvOk) {
        return "success";
    }
    if (code < kDrvFirstError || code > kDrvLastError) {
        return kErrorTexts.back();
    }
    return kErrorTexts[static_cast<size_t>(code - kDrvFirstError)];
}

int DriverResultFromStatus(uint32_t status)
{
    if (status == 0) {
        return kDrvOk;
    }
    if (status >= static_cast<uint32_t>(kDrvFirstError) && status <= static_cast<uint32_t>(kDrvLastError)) {
        return static_cast<int>(status);
    }
    return kDrvRejected;
}

std::string ComposeFailureMessage(const std::string& failureText, int code, const std::string& errorText)
{
    char line[32];
    std::snprintf(line, sizeof line, "(%lu) ", static_cast<unsigned long>(code));
    return failureText + "\n\n" + line + errorText;
}
