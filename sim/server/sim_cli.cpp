#include "sim/server/sim_cli.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type.h"
#include "core/util/date_time_format.h"
#include "core/util/ip_address.h"
#include "core/util/mac_address.h"
#include "core/util/netmask.h"

namespace {

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string ModelName(uint32_t modelId)
{
    const CEntityType* model = CurrentEntityModels().FindModel(modelId);
    return model != nullptr ? model->GetDisplayName() : "unknown (" + std::to_string(modelId) + ")";
}

// The words after the first `skip` as they were typed, blanks between them.
std::string Rest(const std::string& line, size_t skip)
{
    std::istringstream in(line);
    std::string word;
    for (size_t i = 0; i < skip && in >> word; ++i) {
    }
    std::string rest;
    std::getline(in, rest);
    const size_t first = rest.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : rest.substr(first);
}

std::string Help()
{
    return "help\nshow system\nshow version\nshow inventory\nshow ip\nset contact <text>\nset name <text>\n"
           "set location <text>\nwrite memory\n";
}

std::string System(CSimNe& ne, uint32_t now)
{
    const NeConfigRecord config = ne.Config(now);
    std::ostringstream out;
    out << "Name:        " << config.sysName << "\nDescription: " << config.sysDescription
        << "\nContact:     " << config.contact << "\nLocation:    " << config.place
        << "\nUp time:     " << FormatUptime(config.upTime) << "\n";
    return out.str();
}

std::string Version(const CSimNe& ne)
{
    std::ostringstream out;
    out << "Model: " << ModelName(ne.Key().modelId) << "\n";
    for (const BoardSettingRec& board : ne.BoardSettings()) {
        if (!board.softwareVersion.empty()) {
            out << "Slot " << board.entityId << ": " << board.softwareVersion << "\n";
        }
    }
    return out.str();
}

std::string Inventory(const CSimNe& ne)
{
    std::ostringstream out;
    for (const BoardSettingRec& board : ne.BoardSettings()) {
        out << "Slot " << board.entityId << "  planned " << ModelName(board.plannedType) << "  online "
            << ModelName(board.onlineType) << "  serial " << board.serialNumber << "\n";
    }
    return out.str();
}

std::string Addresses(CSimNe& ne, uint32_t now)
{
    const NeConfigRecord config = ne.Config(now);
    std::ostringstream out;
    out << "UGE " << FormatIpAddress(config.ugeIp) << "/" << NetmaskToPrefixLength(config.ugeMask) << "  MAC "
        << FormatMacAddress(config.ugeMac) << "\nNME " << FormatIpAddress(config.nmeIp) << "/"
        << NetmaskToPrefixLength(config.nmeMask) << "  MAC " << FormatMacAddress(config.nmeMac) << "\nGateway "
        << FormatIpAddress(config.gateway) << "\nVLAN " << config.vlanId << "\n";
    return out.str();
}

SimResult Set(CSimNe& ne, const std::string& what, const std::string& text, uint32_t now)
{
    if (text.empty()) {
        return Refused("Missing text: set " + what + " <text>");
    }
    if (text.size() >= kNeConfigTextWidth) {
        return Refused("Text too long: at most " + std::to_string(kNeConfigTextWidth - 1) + " characters");
    }
    NeConfigRecord config = ne.Config(now);
    if (what == "contact") {
        config.contact = text;
    } else if (what == "name") {
        config.sysName = text;
    } else if (what == "location") {
        config.place = text;
    } else {
        return Refused("Unknown setting: " + what);
    }
    ne.WriteConfig(config);
    return {};
}

} // namespace

SimResult RunNeCommandLine(CSimNe& ne, const std::string& line, uint32_t now, size_t maxOutput, std::string* output)
{
    const std::vector<std::string> words = Words(line);
    if (words.empty()) {
        return Refused("Empty command");
    }
    const std::string verb = Lower(words[0]);
    const std::string object = words.size() > 1 ? Lower(words[1]) : std::string();
    std::string answer;
    if (verb == "help" || verb == "?") {
        answer = Help();
    } else if (verb == "show" && object == "system") {
        answer = System(ne, now);
    } else if (verb == "show" && object == "version") {
        answer = Version(ne);
    } else if (verb == "show" && object == "inventory") {
        answer = Inventory(ne);
    } else if (verb == "show" && object == "ip") {
        answer = Addresses(ne, now);
    } else if (verb == "set" && words.size() > 1) {
        if (SimResult set = Set(ne, object, Rest(line, 2), now); !set.Ok()) {
            return set;
        }
        answer = "OK\n";
    } else if (verb == "write" && object == "memory") {
        answer = "Configuration saved to flash\n";
    } else {
        return Refused("Unknown command: " + words[0]);
    }
    *output = answer.substr(0, maxOutput);
    return {};
}
