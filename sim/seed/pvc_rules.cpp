#include "sim/seed/pvc_rules.h"

#include "core/entity/entity_id.h"
#include "core/util/vlan_id.h"

#include <algorithm>
#include <array>
#include <set>
#include <utility>

namespace {

constexpr uint32_t kRouted = 1;
constexpr uint32_t kBridged = 2;
constexpr uint32_t kPppoe = 1;
constexpr uint32_t kDhcp = 2;
constexpr uint32_t kPppoeDhcp = 3;
constexpr uint32_t kStaticIp = 4;
constexpr uint32_t kPppoeStaticIp = 5;
constexpr uint32_t kTransparent = 6;
constexpr uint32_t kEnabled = 1;
constexpr uint32_t kBroadcastDrop = 2;
constexpr uint32_t kDeny = 4;
constexpr uint32_t kPermit = 5;
constexpr uint32_t kStaticFdb = 7;

constexpr size_t kPvcsPerPort = 8;
constexpr size_t kPairsPerCard = 32;
constexpr uint32_t kIpAddressesPerCard = 105;
constexpr uint32_t kIpAddressesPerPvc = 64;
constexpr uint32_t kMacUnitsPerCard = 384;
constexpr size_t kRangesPerPvc = 8;
constexpr size_t kSourceMacsPerPvc = 64;
constexpr std::array<uint8_t, 21> kMacLimits = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                                12, 13, 14, 15, 16, 32, 40, 48, 56, 64};

// Verdicts of the source MAC check.
constexpr uint32_t kMacGoesOn = 1;
constexpr uint32_t kMacNoSuchPvc = 2;
constexpr uint32_t kMacReserved = 3;
constexpr uint32_t kMacLearned = 4;
constexpr uint32_t kMacListed = 5;
constexpr uint32_t kMacClearsLearned = 6;
constexpr uint32_t kMacStateConflict = 7;
constexpr uint32_t kMacAtLimit = 8;
constexpr uint32_t kMacLearnedHere = 9;

// Statuses of the filtering database's learned entries.
constexpr std::array<uint32_t, 4> kLearnedStatuses = {1, 2, 3, 8};

constexpr uint32_t Bit(unsigned n)
{
    return 1u << n;
}

bool IsStatic(uint32_t serviceType)
{
    return serviceType == kStaticIp || serviceType == kPppoeStaticIp;
}

bool IsKnownMode(uint32_t mode)
{
    return mode == kRouted || mode == kBridged;
}

bool HasIpAmount(uint32_t serviceType)
{
    return serviceType >= kDhcp && serviceType <= kPppoeStaticIp;
}

template <typename A, typename B> bool SamePvc(const A& a, const B& b)
{
    return a.portId == b.portId && a.vpi == b.vpi && a.vci == b.vci;
}

uint32_t CardOf(uint32_t portId)
{
    return GetParentEntityId(portId);
}

bool InService(const SimPvc& pvc)
{
    return pvc.rowStatus == kSimPvcRowActive;
}

const SimPvc* FindPvc(const SimPvcWorld& ne, uint32_t portId, uint8_t vpi, uint16_t vci)
{
    for (const SimPvc& held : ne.pvcs) {
        if (held.pvc.portId == portId && held.pvc.vpi == vpi && held.pvc.vci == vci)
            return &held;
    }
    return nullptr;
}

bool ChannelEnabledOn(const SimPvcWorld& ne, uint32_t portId)
{
    return std::any_of(ne.channels.begin(), ne.channels.end(), [portId](const McChannelRec& channel) {
        return channel.portId == portId && channel.adminState == kEnabled;
    });
}

bool BroadcastDropped(const SimPvcWorld& ne, const std::string& profile)
{
    return std::any_of(ne.ipTrafficProfiles.begin(), ne.ipTrafficProfiles.end(), [&](const IpTrafficProfileRec& rec) {
        return rec.name == profile && rec.broadcast == kBroadcastDrop;
    });
}

struct Span {
    uint64_t first = 0;
    uint64_t last = 0;
};

Span SpanOf(const IpAddress& base, uint32_t count)
{
    const uint64_t first = IpToUInt32(base);
    return {first, first + std::max<uint32_t>(count, 1) - 1};
}

bool Overlap(const Span& a, const Span& b)
{
    return a.first <= b.last && b.first <= a.last;
}

bool AllHosts(const Span& span)
{
    for (uint64_t value = span.first; value <= span.last; ++value) {
        if (value > UINT32_MAX || !IsValidHostIpAddress(UInt32ToIp(static_cast<uint32_t>(value)), 0))
            return false;
    }
    return true;
}

bool HoldsOwnAddress(const SimPvcWorld& ne, const Span& span)
{
    return std::any_of(ne.ownAddresses.begin(), ne.ownAddresses.end(), [&](const IpAddress& own) {
        const uint64_t value = IpToUInt32(own);
        return !IsZeroIpAddress(own) && value >= span.first && value <= span.last;
    });
}

// The PVCs whose ranges hold an address of the span.
std::vector<PvcKeyRec> RangeHolders(const SimPvcWorld& ne, const Span& span)
{
    std::vector<PvcKeyRec> holders;
    for (const SimPvc& held : ne.pvcs) {
        const bool holds = std::any_of(held.ranges.begin(), held.ranges.end(), [&](const PvcStaticIpEntry& range) {
            return Overlap(span, SpanOf(range.baseAddress, range.count));
        });
        if (holds)
            holders.push_back({held.pvc.portId, held.pvc.vpi, held.pvc.vci});
    }
    return holders;
}

void Name(PvcCheckResultRec& result, const std::vector<PvcKeyRec>& pvcs)
{
    result.conflictCount = static_cast<uint16_t>(std::min<size_t>(pvcs.size(), UINT16_MAX));
    for (size_t i = 0; i < pvcs.size() && i < result.conflicts.size(); ++i)
        result.conflicts[i] = pvcs[i];
}

// The rules of a PVC's own settings, as service-type control puts them on it.
uint32_t ServiceRules(const SimPvcWorld& ne, const PvcRec& pvc, uint32_t amount, bool hasBase)
{
    uint32_t mask = 0;
    const bool bridged = pvc.rfc2684Mode == kBridged;
    if (HasIpAmount(pvc.serviceType) && bridged && amount > pvc.macLimit)
        mask |= Bit(10);
    if (HasIpAmount(pvc.serviceType) && amount > kIpAddressesPerPvc)
        mask |= Bit(11);
    if (pvc.rfc2684Mode == kRouted && !IsStatic(pvc.serviceType))
        mask |= Bit(13);
    if ((pvc.serviceType == kDhcp || pvc.serviceType == kPppoeDhcp || pvc.serviceType == kTransparent) &&
        BroadcastDropped(ne, pvc.ipTrafficProfile))
        mask |= Bit(14);
    if (IsStatic(pvc.serviceType) && !hasBase)
        mask |= Bit(15);
    if (bridged && pvc.serviceType == kTransparent && pvc.clientLimit > pvc.macLimit)
        mask |= Bit(30);
    return mask;
}

// The rules that count what is in service on the PVC's port, card and VLAN, the PVC counted with `macLimit` and
// `amount`.
uint32_t InServiceRules(const SimPvcWorld& ne, const PvcRec& pvc, uint32_t amount)
{
    uint32_t mask = 0;
    const uint32_t card = CardOf(pvc.portId);
    std::set<std::pair<uint8_t, uint16_t>> pairs{{pvc.vpi, pvc.vci}};
    size_t onPort = 1 + (ChannelEnabledOn(ne, pvc.portId) ? 1 : 0);
    uint32_t ipAmount = amount;
    uint32_t macUnits = pvc.macLimit;
    uint32_t vlanUnits = pvc.macLimit;
    for (const SimPvc& other : ne.pvcs) {
        if (!InService(other) || SamePvc(other.pvc, pvc))
            continue;
        if (other.pvc.portId == pvc.portId)
            ++onPort;
        if (other.pvc.vlanId == pvc.vlanId)
            vlanUnits += other.pvc.macLimit;
        if (CardOf(other.pvc.portId) != card)
            continue;
        pairs.insert({other.pvc.vpi, other.pvc.vci});
        ipAmount += PvcIpAmount(other);
        macUnits += other.pvc.macLimit;
        // A PVC whose mode was never set counts for neither mode.
        const bool knownModes = IsKnownMode(other.pvc.rfc2684Mode) && IsKnownMode(pvc.rfc2684Mode);
        if (knownModes && other.pvc.rfc2684Mode != pvc.rfc2684Mode)
            mask |= Bit(21);
    }
    if (pairs.size() > kPairsPerCard)
        mask |= Bit(5);
    if (onPort > kPvcsPerPort)
        mask |= Bit(7);
    if (HasIpAmount(pvc.serviceType) && ipAmount > kIpAddressesPerCard)
        mask |= Bit(18);
    if (macUnits > kMacUnitsPerCard)
        mask |= Bit(29);
    for (const VlanMacLimitRec& limit : ne.vlanLimits) {
        if (limit.vlanId == pvc.vlanId && limit.state == kEnabled && vlanUnits > limit.macLimit)
            mask |= Bit(27);
    }
    return mask;
}

PvcRec PvcOfCheck(const PvcRuleCheckRec& check)
{
    PvcRec pvc;
    pvc.portId = check.portId;
    pvc.vpi = check.vpi;
    pvc.vci = check.vci;
    pvc.rfc2684Mode = check.rfc2684Mode;
    pvc.vlanId = check.vlanId;
    pvc.userPriority = check.userPriority;
    pvc.macLimit = check.macLimit;
    pvc.nextHopName = check.nextHopName;
    pvc.ipTrafficProfile = check.ipTrafficProfile;
    pvc.serviceType = check.serviceType;
    pvc.dhcpIpLimit = check.amount;
    pvc.clientLimit = check.clientLimit;
    return pvc;
}

size_t PvcsOnPort(const SimPvcWorld& ne, uint32_t portId)
{
    return static_cast<size_t>(std::count_if(ne.pvcs.begin(), ne.pvcs.end(),
                                             [portId](const SimPvc& held) { return held.pvc.portId == portId; }));
}

size_t FilteringEntries(const SimPvcWorld& ne, const PvcRec& pvc)
{
    const auto onPvc = [&](const auto& entry) { return SamePvc(entry, pvc); };
    return static_cast<size_t>(std::count_if(ne.acls.begin(), ne.acls.end(), onPvc) +
                               std::count_if(ne.staticFdb.begin(), ne.staticFdb.end(), onPvc));
}

} // namespace

uint32_t PvcIpAmount(const SimPvc& held)
{
    if (IsStatic(held.pvc.serviceType)) {
        uint32_t sum = 0;
        for (const PvcStaticIpEntry& range : held.ranges)
            sum += range.count;
        return sum;
    }
    return HasIpAmount(held.pvc.serviceType) ? held.pvc.dhcpIpLimit : 0;
}

PvcCheckResultRec JudgePvc(const SimPvcWorld& ne, const PvcRuleCheckRec& check)
{
    PvcCheckResultRec result;
    uint32_t& mask = result.errorMask;
    const PvcRec pvc = PvcOfCheck(check);
    const SimPvc* self = FindPvc(ne, check.portId, check.vpi, check.vci);
    const bool hasBase = !IsZeroIpAddress(check.baseAddress);
    if (self == nullptr) {
        mask |= Bit(2);
        if (PvcsOnPort(ne, check.portId) >= kPvcsPerPort)
            mask |= Bit(0) | Bit(6);
    } else if (InService(*self)) {
        mask |= Bit(1);
    }
    if (check.macLimit < FilteringEntries(ne, pvc))
        mask |= Bit(8);
    mask |= ServiceRules(ne, pvc, check.amount, hasBase || check.amount != 0);
    mask |= InServiceRules(ne, pvc, check.amount);
    if (self != nullptr && InService(*self) && ChannelEnabledOn(ne, check.portId)) {
        const bool othersInService = std::any_of(ne.pvcs.begin(), ne.pvcs.end(), [&](const SimPvc& other) {
            return InService(other) && other.pvc.portId == check.portId && !SamePvc(other.pvc, pvc);
        });
        if (!othersInService)
            mask |= Bit(19);
    }
    if (hasBase) {
        const Span span = SpanOf(check.baseAddress, check.amount);
        const std::vector<PvcKeyRec> holders = RangeHolders(ne, span);
        if (!AllHosts(span) || HoldsOwnAddress(ne, span) || !holders.empty()) {
            mask |= Bit(26);
            Name(result, holders);
        }
    }
    return result;
}

namespace {

// A broadcast or group address, or none at all.
bool IsReservedMac(const std::array<uint8_t, 6>& mac)
{
    return (mac[0] & 0x01) != 0 || std::all_of(mac.begin(), mac.end(), [](uint8_t b) { return b == 0; });
}

bool IsLearned(const FdbEntryRec& entry)
{
    return std::find(kLearnedStatuses.begin(), kLearnedStatuses.end(), entry.status) != kLearnedStatuses.end();
}

// The check's verdict, and the entry it is about (`type`: its ACL state, static, or learned status).
template <class Entry> void Refuse(AclCheckRec& check, uint32_t verdict, uint32_t type, const Entry& entry)
{
    check.verdict = verdict;
    check.existingType = type;
    check.existingMac = entry.mac;
    check.existingPortId = entry.portId;
    check.existingVpi = entry.vpi;
    check.existingVci = entry.vci;
}

// A MAC listed anywhere, in an ACL or as a static entry, is refused with where it is; true when it was.
bool RefuseListedMac(const SimPvcWorld& ne, AclCheckRec& check)
{
    for (const AclEntryRec& entry : ne.acls) {
        if (entry.mac == check.mac) {
            Refuse(check, kMacListed, entry.controlState, entry);
            return true;
        }
    }
    for (const FdbEntryRec& entry : ne.staticFdb) {
        if (entry.mac == check.mac) {
            Refuse(check, kMacListed, kStaticFdb, entry);
            return true;
        }
    }
    return false;
}

// A static entry: a MAC listed anywhere is named with where it is; a MAC the NE learned is named too, and one it
// learned on this very PVC would be overwritten; a PVC that permits its ACL MACs or has as many static entries as its
// MAC limit takes no more, and one whose learned entries fill the rest of its limit forgets them.
void JudgeStaticMac(const SimPvcWorld& ne, AclCheckRec& check)
{
    check.verdict = kMacGoesOn;
    const SimPvc* pvc = FindPvc(ne, check.portId, check.vpi, check.vci);
    if (pvc == nullptr) {
        check.verdict = kMacNoSuchPvc;
        return;
    }
    if ((check.mac[0] & 0x01) != 0) {
        check.verdict = kMacReserved;
        return;
    }
    if (RefuseListedMac(ne, check))
        return;
    size_t onPvc = 0;
    for (const FdbEntryRec& entry : ne.staticFdb)
        onPvc += SamePvc(entry, check) ? 1 : 0;
    size_t learnedOnPvc = 0;
    for (const FdbEntryRec& entry : ne.learnedFdb) {
        if (!IsLearned(entry))
            continue;
        if (entry.mac == check.mac) {
            Refuse(check, SamePvc(entry, check) ? kMacLearnedHere : kMacLearned, entry.status, entry);
            return;
        }
        learnedOnPvc += SamePvc(entry, check) ? 1 : 0;
    }
    for (const AclEntryRec& entry : ne.acls) {
        if (SamePvc(entry, check) && entry.controlState == kPermit) {
            Refuse(check, kMacStateConflict, entry.controlState, entry);
            return;
        }
    }
    if (onPvc >= pvc->pvc.macLimit)
        check.verdict = kMacAtLimit;
    else if (learnedOnPvc > 0 && onPvc + learnedOnPvc >= pvc->pvc.macLimit)
        check.verdict = kMacClearsLearned;
}

} // namespace

PvcCheckResultRec JudgeServiceTypes(const SimPvcWorld& ne, uint16_t slot)
{
    PvcCheckResultRec result;
    std::vector<PvcKeyRec> offending;
    const uint32_t card = EntityIdFromIndex(1, 1, slot, 0, 0);
    for (const SimPvc& held : ne.pvcs) {
        if (CardOf(held.pvc.portId) != card)
            continue;
        const uint32_t mask = ServiceRules(ne, held.pvc, PvcIpAmount(held), !held.ranges.empty());
        if (mask == 0)
            continue;
        result.errorMask |= mask;
        offending.push_back({held.pvc.portId, held.pvc.vpi, held.pvc.vci});
    }
    Name(result, offending);
    return result;
}

void JudgeSourceMac(const SimPvcWorld& ne, AclCheckRec& check)
{
    if (check.kind == kStaticFdb) {
        JudgeStaticMac(ne, check);
        return;
    }
    check.verdict = kMacGoesOn;
    const SimPvc* pvc = FindPvc(ne, check.portId, check.vpi, check.vci);
    if (pvc == nullptr) {
        check.verdict = kMacNoSuchPvc;
        return;
    }
    if (IsReservedMac(check.mac)) {
        check.verdict = kMacReserved;
        return;
    }
    if (RefuseListedMac(ne, check))
        return;
    size_t listed = 0;
    for (const AclEntryRec& entry : ne.acls) {
        if (!SamePvc(entry, check))
            continue;
        ++listed;
        if (entry.controlState != check.kind) {
            Refuse(check, kMacStateConflict, entry.controlState, entry);
            return;
        }
    }
    for (const FdbEntryRec& entry : ne.staticFdb) {
        if (SamePvc(entry, check)) {
            Refuse(check, kMacStateConflict, kStaticFdb, entry);
            return;
        }
    }
    if (listed >= kSourceMacsPerPvc || (check.kind == kPermit && listed >= pvc->pvc.macLimit))
        check.verdict = kMacAtLimit;
    else if (check.kind == kPermit && listed == 0)
        check.verdict = kMacClearsLearned; // a PVC that starts to permit forgets what it learned
}

std::string SourceMacRefusal(const AclCheckRec& judged)
{
    const bool permit = judged.kind == kPermit;
    const bool onThisPvc = judged.existingPortId == judged.portId && judged.existingVpi == judged.vpi &&
                           judged.existingVci == judged.vci;
    switch (judged.verdict) {
    case kMacNoSuchPvc:
        return "PVC does not exist";
    case kMacReserved:
        return "MAC address is reserved";
    case kMacListed:
        if (permit)
            return onThisPvc && judged.existingType == kPermit ? "Same ACL entry has already existed on this PVC"
                                                                : "MAC address has existed in FDB table";
        // A MAC another PVC lists may be denied here too.
        if (onThisPvc && judged.existingType == kStaticFdb)
            return "Static FDB entries have existed on this PVC";
        if (onThisPvc && judged.existingType == kDeny)
            return "Same ACL entry has already existed on this PVC";
        return {};
    case kMacStateConflict:
        if (permit && judged.existingType == kDeny)
            return "ACL denied FDB entries have existed on this PVC";
        if (permit && judged.existingType == kStaticFdb)
            return "Static FDB entries have existed on this PVC";
        if (!permit && judged.existingType == kPermit)
            return "ACL permitted FDB entries have existed on this PVC";
        return {};
    case kMacAtLimit:
        return "FDB entries on this PVC has reached its MAC limit";
    default:
        return {};
    }
}

std::string PvcWriteRefusal(const SimPvcWorld& ne, const PvcRec& pvc)
{
    const SimPvc* self = FindPvc(ne, pvc.portId, pvc.vpi, pvc.vci);
    if (self == nullptr && PvcsOnPort(ne, pvc.portId) >= kPvcsPerPort)
        return "PVC amount on this port has reached maximum (8)";
    if (self != nullptr && InService(*self))
        return "PVC is in service";
    if (pvc.vci < 32)
        return "VCI out of range";
    if (pvc.rfc2684Mode != kRouted && pvc.rfc2684Mode != kBridged)
        return "Invalid RFC2684 mode";
    if (pvc.rfc2684Mode == kBridged && !IsVlanId(pvc.vlanId))
        return "VLAN ID out of range";
    if (pvc.userPriority > 7)
        return "User priority out of range";
    if (std::find(kMacLimits.begin(), kMacLimits.end(), pvc.macLimit) == kMacLimits.end())
        return "Invalid MAC limit";
    if (pvc.serviceType < kPppoe || pvc.serviceType > kTransparent)
        return "Invalid service type";
    if (pvc.enableState != 1 && pvc.enableState != 2)
        return "Invalid enable state";
    return {};
}

uint32_t RowStatusAfterWrite(const SimPvcWorld& ne, const PvcRec& pvc)
{
    const bool knownProfile =
        ne.ipTrafficProfiles.empty() ||
        std::any_of(ne.ipTrafficProfiles.begin(), ne.ipTrafficProfiles.end(),
                    [&](const IpTrafficProfileRec& profile) { return profile.name == pvc.ipTrafficProfile; });
    const bool knownNextHop =
        pvc.rfc2684Mode != kRouted || std::any_of(ne.nextHops.begin(), ne.nextHops.end(),
                                                  [&](const NextHopRec& hop) { return hop.name == pvc.nextHopName; });
    return knownProfile && knownNextHop ? kSimPvcRowNotInService : kSimPvcRowNotReady;
}

std::string ActivationRefusal(const SimPvcWorld& ne, const SimPvc& held, bool* missingIpBase)
{
    *missingIpBase = false;
    if (held.rowStatus == kSimPvcRowNotReady)
        return "PVC is not ready";
    if (IsStatic(held.pvc.serviceType) && held.ranges.empty()) {
        *missingIpBase = true;
        return "PVC's service type is static-IP, but no IP-base is assigned";
    }
    const uint32_t mask = InServiceRules(ne, held.pvc, PvcIpAmount(held));
    for (const auto& [bit, reason] : std::initializer_list<std::pair<unsigned, const char*>>{
             {5, "Maximum number of enabled VPI/VCI pair variety on this LC is 32"},
             {7, "Sum of enabled PVCs and MCAU channels on this port has reached maximum (8)"},
             {18, "IP amount of PVC should not be greater than 105 per LC"},
             {21, "There are existed enabled PVCs with different RFC2684 mode"},
             {27, "Enabled PVC MAC limit and MCAU channels should not be greater than VLAN MAC limit"},
             {29, "MAC limit amount of all enabled PVCs should not be greater than 384 per LC"}}) {
        if ((mask & Bit(bit)) != 0)
            return reason;
    }
    return {};
}

std::string RangeRefusal(const SimPvcWorld& ne, const PvcStaticIpEntry& range)
{
    const SimPvc* held = FindPvc(ne, range.portId, range.vpi, range.vci);
    if (held == nullptr)
        return "PVC does not exist";
    if (InService(*held))
        return "PVC is in service";
    if (held->ranges.size() >= kRangesPerPvc)
        return "This table is full. Maximum number: 8";
    const Span span = SpanOf(range.baseAddress, range.count);
    if (range.count == 0 || !AllHosts(span) || HoldsOwnAddress(ne, span) || !RangeHolders(ne, span).empty())
        return "IP address is reserved";
    return {};
}

std::string StaticFdbRefusal(const SimPvcWorld& ne, const FdbEntryRec& entry)
{
    const SimPvc* pvc = FindPvc(ne, entry.portId, entry.vpi, entry.vci);
    if (pvc == nullptr)
        return "PVC does not exist";
    if (IsReservedMac(entry.mac))
        return "MAC address is reserved";
    size_t onPvc = 0;
    for (const FdbEntryRec& other : ne.staticFdb) {
        if (other.mac == entry.mac)
            return "MAC address has existed in FDB table";
        onPvc += SamePvc(other, entry) ? 1 : 0;
    }
    if (onPvc >= pvc->pvc.macLimit)
        return "FDB entries on this PVC has reached its MAC limit";
    return {};
}

std::vector<FdbEntryRec> LearnedFdbDroppedFor(const SimPvcWorld& ne, const FdbEntryRec& added)
{
    const SimPvc* pvc = FindPvc(ne, added.portId, added.vpi, added.vci);
    if (pvc == nullptr)
        return {};
    size_t onPvc = 1; // the entry added
    std::vector<FdbEntryRec> learned;
    for (const FdbEntryRec& entry : ne.staticFdb)
        onPvc += SamePvc(entry, added) ? 1 : 0;
    for (const FdbEntryRec& entry : ne.learnedFdb) {
        if (IsLearned(entry) && SamePvc(entry, added))
            learned.push_back(entry);
    }
    // The static entry takes the place of the learned one of its MAC; past the limit, of all of them.
    const auto others =
        std::count_if(learned.begin(), learned.end(), [&](const FdbEntryRec& entry) { return entry.mac != added.mac; });
    if (onPvc + static_cast<size_t>(others) > pvc->pvc.macLimit)
        return learned;
    std::erase_if(learned, [&](const FdbEntryRec& entry) { return entry.mac != added.mac; });
    return learned;
}

std::string AclRefusal(const SimPvcWorld& ne, const AclEntryRec& entry)
{
    if (entry.controlState != kDeny && entry.controlState != kPermit)
        return "Invalid control state";
    // The add applies the rules of the check.
    AclCheckRec check = SourceMacCheckOf(entry);
    JudgeSourceMac(ne, check);
    return SourceMacRefusal(check);
}

AclCheckRec SourceMacCheckOf(const AclEntryRec& entry)
{
    AclCheckRec check;
    check.kind = entry.controlState;
    check.mac = entry.mac;
    check.portId = entry.portId;
    check.vpi = entry.vpi;
    check.vci = entry.vci;
    return check;
}
