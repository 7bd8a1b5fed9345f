#include "features/management/ne_access/secured_host_services.h"

namespace {

struct Service {
    uint32_t bit;
    const char* name;
};
constexpr Service kServices[] = {
    {kServiceSnmp, "SNMP"}, {kServiceTelnet, "TELNET"}, {kServiceFtp, "FTP"}, {kServiceTftp, "TFTP"}};

} // namespace

std::string ServicesText(uint32_t mask)
{
    std::string text;
    for (const Service& service : kServices) {
        if ((mask & service.bit) != 0)
            text += std::string(service.name) + ",";
    }
    if (!text.empty())
        text.pop_back();
    return text;
}

uint32_t ServicesOfText(std::string_view text)
{
    // Wrapped in commas, every name stands between two.
    const std::string wrapped = "," + std::string(text) + ",";
    uint32_t mask = 0;
    for (const Service& service : kServices) {
        if (wrapped.find("," + std::string(service.name) + ",") != std::string::npos)
            mask |= service.bit;
    }
    return mask;
}
