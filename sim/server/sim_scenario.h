// What the simulated management server holds at start: locations, operator accounts with their roles, the rights of
// the three roles, and NEs of the sample entity models with their boards and active alarms, read from an INI
// scenario file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/records/alarm_trigger_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/location_record.h"
#include "link/records/ne_key_record.h"
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
    std::vector<AlarmTriggerRec> triggers; // kept by the server for all NEs; id 0 takes the next free one
};

struct SimScenario {
    std::string modelDirectory; // EntInfo.dat, EntAlm.dat, EntSkin.dat
    uint32_t alarmRate = 0;     // generated raise/clear events per second; 0 none
    std::vector<LocationRecord> locations;
    std::vector<UserAccountRecord> accounts; // with their password digests
    UserRightsRecord rights;
    std::vector<SimNe> nes;
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
