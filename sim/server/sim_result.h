// What the simulated server makes of a change: done; refused by one of its rules, with the reason the operator reads
// (the workstation gets it as a text reply and shows it in its failure box); or not taken at all, with the driver
// result code of a request it could not read.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "link/driver_result.h"

struct SimResult {
    uint32_t status = kDrvOk; // kDrvTextReply for a refusal: what the workstation's request returns
    std::string reason;       // a refusal's text

    bool Ok() const { return status == kDrvOk; }
};

// The reason of a refusal that names an NE the server does not keep.
inline constexpr char kSimNoSuchNe[] = "NE does not exist";
// The reason of a refusal of a request the server would pass on to an NE that is off the network.
inline constexpr char kSimNeNotConnected[] = "NE is not connected";

inline SimResult Refused(std::string reason)
{
    return {static_cast<uint32_t>(kDrvTextReply), std::move(reason)};
}

inline SimResult Unreadable(uint32_t status)
{
    return {status, {}};
}
