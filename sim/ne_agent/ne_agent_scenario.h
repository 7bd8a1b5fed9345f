#pragma once
// What the simulated NE is: its model, system group and alarm behaviour, and the rows of its tables (communities,
// users, boards, ...), read from an INI scenario file.
//
// [AGENT] holds the NE's own settings. Every other section gives one row of a table the NE serves in direct mode,
// named after the row's record, with the record's fields as keys (sim/seed/record_section.h):
//
//     [NeSnmpCommunityRecord.2]
//     community=private
//     permission=2
//     state=1
//
// A record that several of the NE's tables carry names the one meant with a "request" key ([WordRecord.1] with
// request=320 and value=1 switches the secured hosts on).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/ini/ini_file.h"
#include "link/records/record_codec.h"

// A row of one of the NE's tables, or the record of one of its scalar groups, as the direct link carries it.
struct NeAgentRow {
    uint16_t code = 0; // the table's (or the scalar group's) code in the direct link's map
    std::vector<uint8_t> record;
};

template <typename Rec> NeAgentRow MakeNeAgentRow(uint16_t code, const Rec& rec)
{
    const auto bytes = EncodeRecord(rec);
    return {code, {bytes.begin(), bytes.end()}};
}

struct NeAgentScenario {
    std::string modelDirectory; // EntInfo.dat, EntAlm.dat and EntSkin.dat
    uint32_t neModel = 2;
    std::string sysDescr;
    std::string sysName;
    std::string sysContact;
    std::string sysLocation;
    uint32_t sysServices = 2;
    uint32_t snmpVersion = 0; // what the NE says it speaks: 0 v1, 1 v2c
    int32_t timeZone = 0;     // hours east of GMT
    int64_t clockOffset = 0;  // seconds added to the host clock
    bool trapV1 = false;      // notifications as v1 Trap-PDUs, else v2c traps
    std::string trapCommunity = "public";
    uint32_t alarmIntervalMs = 0;  // 0: no generated alarms
    uint32_t alarmLogRows = 0;     // entries in the alarm log at start
    size_t maxMessageSize = 65507; // responses longer than this are tooBig
    bool bulkTooBig = false;       // a GETBULK that does not fit answers tooBig instead of fewer rows
    uint32_t maxTableRows = 10000; // rows a table takes by createAndGo; more are refused as resourceUnavailable
    // Without board rows the NE holds the model's fixed boards.
    std::vector<NeAgentRow> rows;
};

// A scenario with the defaults (model 2, communities "public" read-only and "private" read-write, the built-in
// account and the default account "su", four empty secured host sections).
NeAgentScenario DefaultNeAgentScenario();

// Reads a scenario file over the defaults: a table the file gives rows of loses its default rows. False with *error
// naming the file, the line, the section and the key of a bad value.
bool LoadNeAgentScenario(const std::string& path, NeAgentScenario* scenario, std::string* error);
// The same from the file's text, read already; `path` names it in the error.
bool ReadNeAgentScenario(const CIniFile& ini, const std::string& path, NeAgentScenario* scenario, std::string* error);
