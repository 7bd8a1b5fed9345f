#include "sim/ne_agent/ne_agent_scenario.h"

#include "core/ini/ini_file.h"

#include <charconv>
#include <filesystem>

namespace {

bool ParseNumber(const std::string& text, int64_t* value)
{
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        begin += 2;
        base = 16;
    }
    auto [ptr, ec] = std::from_chars(begin, end, *value, base);
    return ec == std::errc() && ptr == end;
}

class CScenarioReader {
public:
    CScenarioReader(const CIniFile& ini, std::string path) : ini_(ini), path_(std::move(path)) {}

    template <typename T> void Number(const std::string& section, const char* key, T* out, int64_t low, int64_t high)
    {
        const CIniFile::Entry* entry = ini_.FindEntry(section, key);
        if (entry == nullptr || !error_.empty())
            return;
        int64_t value = 0;
        if (!ParseNumber(entry->value, &value) || value < low || value > high) {
            error_ = path_ + ":" + std::to_string(entry->line) + ": [" + section + "] " + key + ": not a number in " +
                     std::to_string(low) + ".." + std::to_string(high);
            return;
        }
        *out = static_cast<T>(value);
    }

    void Text(const std::string& section, const char* key, std::string* out)
    {
        if (const std::string* value = ini_.Find(section, key))
            *out = *value;
    }

    bool Has(const std::string& section) const { return ini_.FindSection(section) != nullptr; }
    const std::string& Error() const { return error_; }

private:
    const CIniFile& ini_;
    std::string path_;
    std::string error_;
};

} // namespace

NeAgentScenario DefaultNeAgentScenario()
{
    NeAgentScenario scenario;
    scenario.sysDescr = "IPD simulated NE";
    scenario.sysName = "ne-sim";
    scenario.communities = {{"public", 1, 1}, {"private", 2, 1}};
    scenario.users = {{"qurim", "qurim", 2, 1}};
    return scenario;
}

bool LoadNeAgentScenario(const std::string& path, NeAgentScenario* scenario, std::string* error)
{
    std::optional<CIniFile> ini = CIniFile::Load(path, error);
    if (!ini)
        return false;
    CScenarioReader r(*ini, path);
    const std::string agent = "AGENT";
    r.Text(agent, "MODELDIR", &scenario->modelDirectory);
    if (!scenario->modelDirectory.empty() && std::filesystem::path(scenario->modelDirectory).is_relative())
        scenario->modelDirectory =
            (std::filesystem::path(path).parent_path() / scenario->modelDirectory).lexically_normal().string();
    r.Number(agent, "NEMODEL", &scenario->neModel, 2, 1999999999);
    r.Text(agent, "SYSDESCR", &scenario->sysDescr);
    r.Text(agent, "SYSNAME", &scenario->sysName);
    r.Text(agent, "SYSCONTACT", &scenario->sysContact);
    r.Text(agent, "SYSLOCATION", &scenario->sysLocation);
    r.Number(agent, "SYSSERVICES", &scenario->sysServices, 0, 127);
    r.Number(agent, "SNMPVERSION", &scenario->snmpVersion, 0, 1);
    r.Number(agent, "TIMEZONE", &scenario->timeZone, -12, 13);
    r.Number(agent, "CLOCKOFFSET", &scenario->clockOffset, -4000000000LL, 4000000000LL);
    std::string trapVersion;
    r.Text(agent, "TRAPVERSION", &trapVersion);
    scenario->trapV1 = trapVersion == "1";
    r.Text(agent, "TRAPCOMMUNITY", &scenario->trapCommunity);
    r.Number(agent, "ALARMINTERVAL", &scenario->alarmIntervalMs, 0, 3600000);
    r.Number(agent, "ALARMLOGROWS", &scenario->alarmLogRows, 0, 100000);
    r.Number(agent, "MAXMESSAGE", &scenario->maxMessageSize, 484, 65507);
    uint32_t bulkTooBig = 0;
    r.Number(agent, "BULKTOOBIG", &bulkTooBig, 0, 1);
    scenario->bulkTooBig = bulkTooBig != 0;
    r.Number(agent, "MAXTABLEROWS", &scenario->maxTableRows, 1, 100000);

    if (r.Has("COMMUNITY1"))
        scenario->communities.clear();
    for (int i = 1; r.Has("COMMUNITY" + std::to_string(i)); ++i) {
        const std::string section = "COMMUNITY" + std::to_string(i);
        NeAgentCommunity c;
        r.Text(section, "NAME", &c.name);
        r.Number(section, "PERMISSION", &c.permission, 0, 0xFFFFFFFFLL);
        r.Number(section, "STATE", &c.state, 0, 0xFFFFFFFFLL);
        scenario->communities.push_back(c);
    }
    if (r.Has("USER1"))
        scenario->users.clear();
    for (int i = 1; r.Has("USER" + std::to_string(i)); ++i) {
        const std::string section = "USER" + std::to_string(i);
        NeAgentUser u;
        r.Text(section, "NAME", &u.name);
        r.Text(section, "PASSWORD", &u.password);
        r.Number(section, "ROLE", &u.role, 0, 0xFFFFFFFFLL);
        r.Number(section, "STATE", &u.state, 0, 0xFFFFFFFFLL);
        scenario->users.push_back(u);
    }
    for (int i = 1; r.Has("BOARD" + std::to_string(i)); ++i) {
        const std::string section = "BOARD" + std::to_string(i);
        NeAgentBoard b;
        r.Number(section, "SLOT", &b.entityId, 10000, 99999);
        r.Number(section, "PLANNED", &b.plannedType, 0, 0xFFFFFFFFLL);
        b.onlineType = b.plannedType;
        r.Number(section, "ONLINE", &b.onlineType, 0, 0xFFFFFFFFLL);
        r.Text(section, "SOFTWARE", &b.softwareVersion);
        r.Text(section, "HARDWARE", &b.hardwareVersion);
        r.Text(section, "SERIAL", &b.serialNumber);
        scenario->boards.push_back(b);
    }
    if (!r.Error().empty()) {
        if (error != nullptr)
            *error = r.Error();
        return false;
    }
    return true;
}
