// What an operator's role may ask of the simulated server: the right each request that changes something needs (and
// the few queries that are guarded), in the functions and letters of the workstation's rights table
// (core/tables/access_rights.h), checked against the rights the server keeps for the operator's role, as a management
// server refuses what a workstation should not have offered. A change needs the letter of what it does to its family
// ('m' modify, 'c' add, 'd' delete) unless its function says otherwise ('x' for what the workstation executes); only
// the Administrator role may change the rights themselves or send a command line to an NE.
#pragma once

#include <cstdint>
#include <vector>

#include "link/records/user_rights_record.h"

// One function of the rights tables and the letter it needs.
struct SimRightNeed {
    int function = 0;
    char letter = 'q';
};

// What a request needs: nothing, the Administrator role, or any one of some rights.
struct SimAccessRule {
    bool administratorOnly = false;
    std::vector<SimRightNeed> anyOf; // empty (and not administratorOnly): every logged-in operator may
};

// The reason the server gives when the operator's role lacks the right.
inline constexpr char kSimNoPrivilege[] = "No privilege";

// The rule of a request (code and operation). The subscriber's add-or-modify needs 'c' or 'm' by whether the port has
// a subscriber: the subscriber store decides.
SimAccessRule AccessRuleOf(uint16_t code, uint8_t operation);

// Whether the role (0..2) holds the right in the rights the server keeps.
bool RoleHolds(const UserRightsRecord& rights, int role, SimRightNeed need);
// Whether the role may make a request of the rule.
bool RolePermitted(const UserRightsRecord& rights, int role, const SimAccessRule& rule);
