#pragma once
// The columns of the VC-to-VLAN list (string 10190): what each shows of a PVC and how it sorts. The service-type
// columns follow the PVC's line card: under service-type control they show the configured service type, otherwise
// what the PVC's RFC2684 mode makes of it.

#include "link/records/pvc_rec.h"
#include "ui/framework/lists/list_columns.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CNeRecord;

namespace vc_vlan_column {
inline constexpr int kNumber = 0;
inline constexpr int kSlotPort = 1;
inline constexpr int kVpi = 2;
inline constexpr int kVci = 3;
inline constexpr int kAdminState = 4;
inline constexpr int kOperState = 5;
inline constexpr int kMode = 6;
inline constexpr int kVlanOrNextHop = 7;
inline constexpr int kIpTrafficProfile = 8;
inline constexpr int kServiceTypeControl = 9;
inline constexpr int kConfiguredServiceType = 10;
inline constexpr int kRunTimeServiceType = 11;
inline constexpr int kBaseIp = 12;
} // namespace vc_vlan_column

// Whether the line card of a port runs service-type control.
using ServiceControlOf = std::function<bool(uint32_t portId)>;

// The text of a service type; a type outside 1..6 reads as `otherwise`.
std::string ServiceTypeText(uint32_t serviceType, uint32_t otherwise);

// The NE whose labels name the ports (null: their numbers).
using NeOfList = std::function<const CNeRecord*()>;

std::vector<ListColumn<PvcRec>> VcVlanColumns(NeOfList ne, ServiceControlOf serviceControl);
