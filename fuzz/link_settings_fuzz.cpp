// A configuration file of any content read as the program reads it, and the [LINK] section as the two links take it:
// every value within the range the link works with, a port never 0, and what the links took written back and read
// again unchanged.
#include "core/config/app_settings.h"
#include "core/ini/ini_file.h"
#include "core/ini/ini_writer.h"
#include "link/link_settings.h"
#include "link/snmp/snmp_link_settings.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void CheckAt(bool condition, const char* what, int line)
{
    if (!condition) {
        std::fprintf(stderr, "link_settings_fuzz.cpp:%d: %s\n", line, what);
        std::abort();
    }
}

#define Check(condition) CheckAt((condition), #condition, __LINE__)

bool SameLink(const LinkSettings& a, const LinkSettings& b)
{
    return a.serverWaitMs == b.serverWaitMs && a.pingIntervalMs == b.pingIntervalMs &&
           a.serverTrapPort == b.serverTrapPort && a.connectLimitMs == b.connectLimitMs &&
           a.notificationBufferBytes == b.notificationBufferBytes;
}

bool SameSnmp(const SnmpLinkSettings& a, const SnmpLinkSettings& b)
{
    return a.waitMs == b.waitMs && a.retries == b.retries && a.trapPort == b.trapPort;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CIniFile ini = CIniFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    AppSettings() = CAppSettings();
    AppSettings().ReadFullSettings(ini);
    const LinkSettings link = ReadLinkSettings();
    const SnmpLinkSettings snmp = ReadSnmpLinkSettings();
    ReadDriverLogSwitches();
    Check(link.serverWaitMs >= 3000 && link.serverWaitMs <= 900000);
    Check(link.pingIntervalMs >= 10000 && link.pingIntervalMs <= 240000);
    Check(link.serverTrapPort != 0);
    Check(snmp.waitMs >= 1000 && snmp.waitMs <= 240000 && snmp.retries <= 20 && snmp.trapPort != 0);
    Check(snmp.pollIntervalS <= 3600);
    Check(AppSettings().serverPort != 0 && AppSettings().snmpPort != 0);

    // The section as it is written to a new file is read again as it was taken.
    const std::string written = EditedIniText({}, AppSettings().SettingsSectionEdits("LINK"));
    AppSettings() = CAppSettings();
    AppSettings().ReadFullSettings(CIniFile::Parse(written));
    Check(SameLink(ReadLinkSettings(), link));
    Check(SameSnmp(ReadSnmpLinkSettings(), snmp));
    return 0;
}
