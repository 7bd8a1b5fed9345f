// What an operator's role may ask of the simulated server: the right each guarded request needs, checked against
// the rights the server keeps for the operator's role, as a management server refuses what a workstation should not
// have offered. Only the Administrator role may change the rights themselves.
#pragma once

#include <cstdint>
#include <optional>

#include "link/records/user_rights_record.h"

// One function of the rights tables and the letter it needs.
struct SimRightNeed {
    int function = 0;
    char letter = 'q';
};

// The reason the server gives when the operator's role lacks the right.
inline constexpr char kSimNoPrivilege[] = "No privilege";

// The right a request (code and operation) needs; none for the requests every logged-in operator may make. The
// subscriber's add-or-modify needs 'c' or 'm' by whether the port has a subscriber: the subscriber store decides.
std::optional<SimRightNeed> RightNeededBy(uint16_t code, uint8_t operation);

// Whether the role (0..2) holds the right in the rights the server keeps.
bool RoleHolds(const UserRightsRecord& rights, int role, SimRightNeed need);
