#pragma once
// How an NE judges its PVCs, as both simulated peers do: the rule check of a PVC about to be written (request 413),
// the check of a line card's PVCs against service-type control (417), the check of a source MAC before it is put on
// a PVC (484), and the writes it refuses itself: a PVC on a full port or one in service, a range that is not free, a
// PVC put in service that breaks a limit of its port, card or VLAN.
//
// Rules as the NE keeps them (bit numbers of the verdict's error mask):
//   0 and 6  a new PVC on a port with 8 PVCs            13  a routed PVC whose service type is not static IP
//   1        the PVC is in service already              14  DHCP-related or transparent, its IP traffic profile
//   2        the PVC is new                                 drops broadcast
//   5        over 32 VPI/VCI pairs in service per card  15  static IP without an IP base
//   7        over 8 PVCs in service and channels a port 18  over 105 IP addresses of PVCs in service per card
//   8        MAC limit below the PVC's ACL and static   19  the last PVC in service of a port with an enabled
//            filtering entries                               multicast channel
//   10       bridged, IP amount above the MAC limit     21  PVCs in service of the card in the other RFC2684 mode
//   11       IP amount above 64                         26  a static range invalid, reserved or another PVC's
//   27       MAC limits in service above the VLAN's     29  over 384 MAC limit units in service per card
//   30       bridged transparent, client limit above the MAC limit
// Rule 25 (DSCP traffic policing) needs the ports' policing, which the simulated NEs do not keep.

#include "core/util/ip_address.h"
#include "link/records/acl_check_rec.h"
#include "link/records/acl_entry_rec.h"
#include "link/records/fdb_entry_rec.h"
#include "link/records/ip_traffic_profile_rec.h"
#include "link/records/mc_channel_rec.h"
#include "link/records/next_hop_rec.h"
#include "link/records/pvc_check_result_rec.h"
#include "link/records/pvc_rec.h"
#include "link/records/pvc_rule_check_rec.h"
#include "link/records/pvc_static_ip_entry.h"
#include "link/records/vlan_mac_limit_rec.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr uint32_t kSimPvcRowActive = 1;
inline constexpr uint32_t kSimPvcRowNotInService = 2;
inline constexpr uint32_t kSimPvcRowNotReady = 3;

// One PVC as the NE holds it.
struct SimPvc {
    PvcRec pvc;
    uint32_t rowStatus = kSimPvcRowNotInService;
    std::vector<PvcStaticIpEntry> ranges;
};

// What the rules read of the NE.
struct SimPvcWorld {
    std::vector<SimPvc> pvcs;
    std::vector<McChannelRec> channels;
    std::vector<IpTrafficProfileRec> ipTrafficProfiles;
    std::vector<NextHopRec> nextHops;
    std::vector<VlanMacLimitRec> vlanLimits;
    std::vector<AclEntryRec> acls;
    std::vector<FdbEntryRec> staticFdb;
    std::vector<FdbEntryRec> learnedFdb; // the filtering database as the NE reports it, learned entries and others
    std::vector<IpAddress> ownAddresses; // what the NE uses itself
};

// The verdict on the PVC the check record describes (its settings with one amount or static IP range).
PvcCheckResultRec JudgePvc(const SimPvcWorld& ne, const PvcRuleCheckRec& check);

// The verdict on the PVCs of a line card (slot of shelf 1) under service-type control: the first PVC that breaks a
// rule service-type control puts on it, and how many do.
PvcCheckResultRec JudgeServiceTypes(const SimPvcWorld& ne, uint16_t slot);

// The verdict on a source MAC about to be put on a PVC (the check record's request fields), in the reply fields.
void JudgeSourceMac(const SimPvcWorld& ne, AclCheckRec& check);
// Why the NE refuses to list the MAC of a judged check; empty when the verdict lets it go on (a MAC another PVC
// lists may still be denied, a PVC's static entries do not stop a deny).
std::string SourceMacRefusal(const AclCheckRec& judged);

// Why the NE refuses a write of the PVC (a new one, or a change of one out of service); empty when it takes it.
std::string PvcWriteRefusal(const SimPvcWorld& ne, const PvcRec& pvc);
// The row status a PVC takes once written: not ready while its IP traffic profile or next hop is not the NE's.
uint32_t RowStatusAfterWrite(const SimPvcWorld& ne, const PvcRec& pvc);
// Why the NE refuses to put the PVC in service; empty when it may. `missingIpBase` is set when the reason is a
// static-IP PVC without a range, which the NE tells in its reply record rather than in words.
std::string ActivationRefusal(const SimPvcWorld& ne, const SimPvc& pvc, bool* missingIpBase);
// Why the NE refuses a static IP range for the PVC; empty when it takes it.
std::string RangeRefusal(const SimPvcWorld& ne, const PvcStaticIpEntry& range);
// Why the NE refuses a static filtering-database entry; empty when it takes it.
std::string StaticFdbRefusal(const SimPvcWorld& ne, const FdbEntryRec& entry);
// The learned entries the NE drops when it adds the static entry: the one of the same MAC on the PVC, and every one of
// the PVC when the static entry takes it past its MAC limit.
std::vector<FdbEntryRec> LearnedFdbDroppedFor(const SimPvcWorld& ne, const FdbEntryRec& added);
// Why the NE refuses a source MAC for the PVC, by the rules of its check; empty when it takes it.
std::string AclRefusal(const SimPvcWorld& ne, const AclEntryRec& entry);
// The check of the entry's MAC on its PVC with its state, not yet judged.
AclCheckRec SourceMacCheckOf(const AclEntryRec& entry);

// The IP addresses a PVC's service takes: its DHCP IP limit, or the sum of its static ranges.
uint32_t PvcIpAmount(const SimPvc& pvc);
