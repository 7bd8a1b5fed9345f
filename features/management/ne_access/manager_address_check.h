#pragma once
// The checks of an SNMP manager's address before it is added to an NE, in their order: an address must be given, it
// must be one a host may have (0.0.0.0 passes), and it must not be one of the NE's own: its interfaces, its gateway
// or the root of its cascaded management. What the NE says of its own addresses is asked for; a query that fails
// leaves the address reserved, after its failure box.

#include "core/util/ip_address.h"
#include "link/record_requests.h"

#include <cstdint>

enum class ManagerAddressVerdict : uint8_t { kAccepted, kIncorrect, kReserved };

// `blank`: the address control holds no number. `failureTextId` is the failure box of a query that fails.
ManagerAddressVerdict CheckManagerAddress(bool blank, const IpAddress& address, uint32_t neId, uint32_t failureTextId,
                                          const CRecordRequests& requests = CRecordRequests());
