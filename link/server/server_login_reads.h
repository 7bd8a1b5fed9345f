// What a server-mode login reads after its logon, in this order: the tables of locations, accounts, rights and NEs
// and the login's own query, each a query with the catalogue's body whose reply the dispatcher applies; then it turns
// notifications on, which makes the server send the state of every entity. The server driver reads the same again
// when notifications were lost.
#pragma once

#include <cstdint>

#include "link/records/request_codes.h"

inline constexpr uint16_t kServerLoginQueries[] = {kReqLocation, kReqUserAccount, kReqUserRights, kReqNeKeyAll,
                                                   kReqLoginQuery};
