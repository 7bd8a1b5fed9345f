#include "sim/ne_agent/ne_agent_scenario.h"

#include <algorithm>
#include <filesystem>

#include "core/ini/ini_file.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/ne_user_account_record.h"
#include "link/records/request_codes.h"
#include "link/records/secured_host_record.h"
#include "link/snmp/snmp_request_map.h"
#include "sim/ne_agent/ne_agent_pm_tables.h"
#include "sim/pm/adsl_line_tests.h"
#include "sim/seed/record_section.h"
#include "sim/seed/scenario_section.h"

namespace {

template <typename T> void Number(CScenarioSection& section, const char* key, T* out, int64_t low, int64_t high)
{
    *out = static_cast<T>(section.Number(key, static_cast<int64_t>(*out), low, high));
}

void Text(const CScenarioSection& section, const char* key, std::string* out)
{
    if (const std::string* value = section.Find(key))
        *out = *value;
}

void ReadAgent(CScenarioSection& section, const std::string& path, NeAgentScenario* scenario)
{
    Text(section, "MODELDIR", &scenario->modelDirectory);
    if (!scenario->modelDirectory.empty() && std::filesystem::path(scenario->modelDirectory).is_relative())
        scenario->modelDirectory =
            (std::filesystem::path(path).parent_path() / scenario->modelDirectory).lexically_normal().string();
    Number(section, "NEMODEL", &scenario->neModel, 2, 1999999999);
    Text(section, "SYSDESCR", &scenario->sysDescr);
    Text(section, "SYSNAME", &scenario->sysName);
    Text(section, "SYSCONTACT", &scenario->sysContact);
    Text(section, "SYSLOCATION", &scenario->sysLocation);
    Number(section, "SYSSERVICES", &scenario->sysServices, 0, 127);
    Number(section, "SNMPVERSION", &scenario->snmpVersion, 0, 1);
    Number(section, "TIMEZONE", &scenario->timeZone, -12, 13);
    Number(section, "CLOCKOFFSET", &scenario->clockOffset, -4000000000LL, 4000000000LL);
    if (const std::string* trapVersion = section.Find("TRAPVERSION"))
        scenario->trapV1 = *trapVersion == "1";
    Text(section, "TRAPCOMMUNITY", &scenario->trapCommunity);
    Number(section, "ALARMINTERVAL", &scenario->alarmIntervalMs, 0, 3600000);
    Number(section, "ALARMLOGROWS", &scenario->alarmLogRows, 0, 100000);
    Number(section, "MAXMESSAGE", &scenario->maxMessageSize, 484, 65507);
    Number(section, "BULKTOOBIG", &scenario->bulkTooBig, 0, 1);
    Number(section, "MAXTABLEROWS", &scenario->maxTableRows, 1, 100000);
}

// The key of a section that names the request code, for a record that several of the NE's tables carry.
constexpr char kCodeKey[] = "request";

// A row of the table (or the record of the scalar group) that the NE serves records of the section's name in.
void ReadRow(CScenarioSection& section, std::vector<NeAgentRow>* rows)
{
    const int64_t requested = section.Number(kCodeKey, 0, 0, 0xFFFF);
    const std::optional<RecordSectionName> name = SplitRecordSectionName(section.Name());
    const std::vector<const RequestSpec*> entries =
        name && name->neId == 0 ? CatalogueEntriesOf(name->record, true) : std::vector<const RequestSpec*>{};
    if (entries.empty()) {
        section.Fail("", "unknown section");
        return;
    }
    NeAgentRow row;
    const RecordLayout* layout = nullptr;
    for (const RequestSpec* spec : entries) {
        const SnmpRequestEntry* entry = DefaultSnmpRequestMap().Find(spec->code);
        if (entry == nullptr || (entry->kind != SnmpEntryKind::Table && entry->kind != SnmpEntryKind::ScalarGroup) ||
            (requested != 0 && requested != spec->code))
            continue;
        // Codes that share a table keep their rows in the table's own code.
        const uint16_t code = entry->kind == SnmpEntryKind::Table ? entry->objectCode : entry->code;
        // The spoofed addresses are the filtering database's entries found in more than one place.
        if (CNeAgentPmTables::IsComputed(code) || IsLineStatusCode(code) || code == kReqMacSpoof) {
            section.Fail("", "the NE counts " + name->record + " records itself, not from a scenario");
            return;
        }
        if (row.code != 0 && row.code != code) {
            section.Fail("", name->record + " is the record of more than one of the NE's tables: name one with " +
                                 kCodeKey + "=");
            return;
        }
        row.code = code;
        layout = spec->direct.record != nullptr ? spec->direct.record : spec->record;
    }
    if (layout == nullptr) {
        section.Fail("", "the NE keeps no " + name->record + " records");
        return;
    }
    row.record = section.Record(*layout, {kCodeKey});
    rows->push_back(std::move(row));
}

} // namespace

NeAgentScenario DefaultNeAgentScenario()
{
    NeAgentScenario scenario;
    scenario.sysDescr = "IPD simulated NE";
    scenario.sysName = "ne-sim";
    scenario.rows = {MakeNeAgentRow(kReqNeSnmpCommunity, NeSnmpCommunityRecord{"public", 1, 1}),
                     MakeNeAgentRow(kReqNeSnmpCommunity, NeSnmpCommunityRecord{"private", 2, 1}),
                     MakeNeAgentRow(kReqNeUserAccount, NeUserAccountRecord{"qurim", "qurim", 2, 1}),
                     MakeNeAgentRow(kReqNeUserAccount, NeUserAccountRecord{"su", "su", 1, 1})};
    // The NE's secured host sections, open to no one until they are set.
    for (uint8_t section = 1; section <= 4; ++section)
        scenario.rows.push_back(MakeNeAgentRow(kReqSecuredHost, SecuredHostRecord{section, {}, {}, 0}));
    return scenario;
}

bool LoadNeAgentScenario(const std::string& path, NeAgentScenario* scenario, std::string* error)
{
    const std::optional<CIniFile> ini = CIniFile::Load(path, error);
    return ini && ReadNeAgentScenario(*ini, path, scenario, error);
}

bool ReadNeAgentScenario(const CIniFile& ini, const std::string& path, NeAgentScenario* scenario, std::string* error)
{
    std::vector<NeAgentRow> rows;
    for (const CIniFile::Section& iniSection : ini.Sections()) {
        CScenarioSection section(ini, iniSection, path);
        if (IniNameEquals(section.Name(), "AGENT"))
            ReadAgent(section, path, scenario);
        else
            ReadRow(section, &rows);
        if (!section.Ok()) {
            if (error != nullptr)
                *error = section.Error();
            return false;
        }
    }
    std::erase_if(scenario->rows, [&](const NeAgentRow& row) {
        return std::any_of(rows.begin(), rows.end(), [&](const NeAgentRow& given) { return given.code == row.code; });
    });
    scenario->rows.insert(scenario->rows.end(), rows.begin(), rows.end());
    return true;
}
