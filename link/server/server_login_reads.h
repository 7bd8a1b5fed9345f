// What a server-mode login reads after its logon, in this order: the tables of locations, accounts, rights and NEs
// and the login's own query, each a query with the catalogue's body whose reply the dispatcher applies; then it turns
// notifications on, which makes the server send the state of every entity. The server driver reads the same again
// when notifications were lost.
#pragma once

#include <array>
#include <cstdint>
#include <tuple>

#include "link/records/request_codes.h"

inline constexpr std::tuple kServerLoginQueryCodes{kReqLocation, kReqUserAccount, kReqUserRights, kReqNeKeyAll,
                                                   kReqLoginQuery};
// The same as plain codes, for the driver's own frames.
inline constexpr auto kServerLoginQueries = std::apply(
    [](auto... code) { return std::array<uint16_t, sizeof...(code)>{code.value...}; }, kServerLoginQueryCodes);
