// The simulated NE's counts (R.<count>.0.1): the rows of the table each counts, but for the SHDSL profile count, which
// both SHDSL profile editors read before an add and hold against the room of their own table: it counts the fuller of
// the two SHDSL profile tables, so that neither is offered room it does not have.

#include "sim/ne_agent/ne_agent_mib.h"

#include "link/records/request_codes.h"

#include <algorithm>

size_t CNeAgentMib::CountOf(uint16_t countCode, uint16_t counted) const
{
    if (countCode == kReqShdslProfileCount)
        return std::max(RowCount(kReqShdslLineProfile), RowCount(kReqShdslPmThresholdProfile));
    return RowCount(counted);
}
