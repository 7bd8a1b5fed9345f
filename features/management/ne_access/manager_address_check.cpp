#include "features/management/ne_access/manager_address_check.h"

#include "link/ne_ip_conflict.h"

namespace {

// A manager may share its address with the NE's DNS and time servers and with other managers: only the NE's own
// addresses are compared.
constexpr uint32_t kManagerSkips = kConflictSkipDnsServers | kConflictSkipManagers | kConflictSkipTimeServers;

} // namespace

ManagerAddressVerdict CheckManagerAddress(bool blank, const IpAddress& address, uint32_t neId, uint32_t failureTextId,
                                          const CRecordRequests& requests)
{
    if (blank || !IsValidHostIpAddress(address, kHostIpAllowZero))
        return ManagerAddressVerdict::kIncorrect;
    switch (CheckNeIpConflict(address, kManagerSkips, neId, failureTextId, requests)) {
    case NeIpConflict::kConflict:
        return ManagerAddressVerdict::kReserved;
    case NeIpConflict::kFree:
        break;
    }
    return ManagerAddressVerdict::kAccepted;
}
