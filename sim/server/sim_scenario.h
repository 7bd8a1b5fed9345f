// What the simulated management server holds at start: locations, operator accounts with their roles, the rights of
// the three roles, NEs of the sample entity models with their boards and active alarms, and records of any family the
// server keeps in its generic store, read from an INI scenario file.
//
// A record is a section named after its table, its keys the table's field names (sim/seed/scenario_section.h); the
// server's own records have no NE prefix, an NE's have one:
//
//     [NeKeyRecord.1]              [NE1.AlarmTriggerRec.1]
//     neId=1                       neId=1
//     neName=North-1               modelId=30
//     modelId=2                    alarmMask=0x3
//     ipAddress=10.10.1.1          email=noc@example.net
//
// Fields not given are zero. An account's `password`, the one key that is no field, is kept as its digest. An NE's own
// configuration is [NE<n>.NeConfigRecord]. The NEs' boards and alarms, the rights, the server's settings and the
// devices on the network that discovery finds in the ranges added to it have sections of their own: [NE<n>.BOARD<m>],
// [NE<n>.ALARM<m>], [RIGHTS], [SERVER] and [DEVICE<m>] (ADDRESS, MODEL, DESCRIPTION).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/records/board_setting_rec.h"
#include "link/records/found_ne_rec.h"
#include "link/records/location_record.h"
#include "link/records/ne_config_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/request_catalogue.h"
#include "link/records/user_account_record.h"
#include "link/records/user_rights_record.h"

struct SimAlarm {
    uint32_t entityId = 0; // packed id
    uint32_t bit = 0;      // alarm definition 0..31 of the entity's model
    uint32_t severity = 0; // 0: the definition's severity
    std::string ackPerson; // empty: not acknowledged
};

struct SimNe {
    NeKeyRecord key;
    std::vector<BoardSettingRec> boards; // slots not named here hold the model's fixed board, or stay empty
    std::vector<SimAlarm> alarms;
    std::optional<NeConfigRecord> config; // none: the NE describes its model
};

// A record the server keeps in its generic store, added as the workstation adds one.
struct SimSeedRecord {
    const RequestSpec* spec = nullptr; // its family or setting
    uint32_t neId = 0;                 // 0: the server's own
    std::vector<uint8_t> record;
    std::string origin; // "line N [section]", for a refusal
};

struct SimScenario {
    std::string modelDirectory; // EntInfo.dat, EntAlm.dat, EntSkin.dat
    uint32_t alarmRate = 0;     // generated raise/clear events per second; 0 none
    std::vector<LocationRecord> locations;
    std::vector<UserAccountRecord> accounts; // with their password digests
    UserRightsRecord rights;
    std::vector<SimNe> nes;
    std::vector<SimSeedRecord> records;
    std::vector<FoundNeRec> devices; // on the network, answering SNMP, not found yet
};

// One administrator "admin" with the password "admin", all rights for every role, no locations and no NEs.
SimScenario DefaultSimScenario();

// Reads a scenario file. False with *error naming the file, the line and what is wrong.
bool LoadSimScenario(const std::string& path, SimScenario* scenario, std::string* error);

// A rights text as written in the file: letters, where "x*N" stands for N copies of x. False when it is malformed
// or longer than 127 letters.
bool ExpandRightsText(const std::string& text, std::string* rights);

// The digest the workstation sends for a password: the first 10 lower-case hex digits of its MD5.
std::string PasswordDigest(const std::string& password);
