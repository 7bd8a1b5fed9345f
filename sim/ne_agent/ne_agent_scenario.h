#pragma once
// What the simulated NE is: its model, system group, communities, users, boards and alarm behaviour, read from an
// INI scenario file.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct NeAgentCommunity {
    std::string name;
    uint32_t permission = 1; // 1 read-only, 2 read / write / create
    uint32_t state = 1;      // 1 in service
};

struct NeAgentUser {
    std::string name;
    std::string password;
    uint32_t role = 1; // 2 Administrator, 1 Guest
    uint32_t state = 1;
};

struct NeAgentBoard {
    uint32_t entityId = 0; // packed id of the slot
    uint32_t plannedType = 0;
    uint32_t onlineType = 0;
    std::string softwareVersion;
    std::string hardwareVersion;
    std::string serialNumber;
};

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
    std::vector<NeAgentCommunity> communities;
    std::vector<NeAgentUser> users;
    std::vector<NeAgentBoard> boards; // empty: the model's fixed positions
};

// A scenario with the defaults (model 2, communities "public" read-only and "private" read-write, the built-in
// account).
NeAgentScenario DefaultNeAgentScenario();

// Reads a scenario file over the defaults. False with *error naming the file and line on a bad value.
bool LoadNeAgentScenario(const std::string& path, NeAgentScenario* scenario, std::string* error);
