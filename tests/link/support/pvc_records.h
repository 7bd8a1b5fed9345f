#pragma once
// PVC records as the PVC tests build them, on either side of the wire: a bridged PVC with the fields a test leaves
// alone, and a static IP range of a PVC.

#include "core/util/ip_address.h"
#include "link/records/pvc_rec.h"
#include "link/records/pvc_static_ip_entry.h"

#include <cstdint>

namespace pvc_records {

// A bridged, enabled PVC on VLAN 100 with a MAC limit of 8, the IP traffic profile "office" and a DHCP IP and client
// limit of 1.
inline PvcRec BridgedPvc(uint32_t portId, uint8_t vpi, uint16_t vci, uint32_t serviceType)
{
    constexpr uint32_t kBridged = 2;
    PvcRec pvc;
    pvc.portId = portId;
    pvc.vpi = vpi;
    pvc.vci = vci;
    pvc.rfc2684Mode = kBridged;
    pvc.vlanId = 100;
    pvc.macLimit = 8;
    pvc.serviceType = serviceType;
    pvc.ipTrafficProfile = "office";
    pvc.dhcpIpLimit = 1;
    pvc.clientLimit = 1;
    pvc.enableState = 1;
    return pvc;
}

inline PvcStaticIpEntry StaticIpRange(const PvcRec& pvc, IpAddress base, uint8_t count)
{
    PvcStaticIpEntry range;
    range.portId = pvc.portId;
    range.vpi = pvc.vpi;
    range.vci = pvc.vci;
    range.baseAddress = base;
    range.count = count;
    return range;
}

} // namespace pvc_records
