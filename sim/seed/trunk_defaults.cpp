#include "sim/seed/trunk_defaults.h"

#include "core/entity/entity_id.h"
#include "core/util/bit_string.h"
#include "link/records/arp_proxy_entry_rec.h"
#include "link/records/arp_proxy_setting_rec.h"
#include "link/records/cos_mapping_rec.h"
#include "link/records/lacp_port_status_rec.h"
#include "link/records/link_aggregation_rec.h"
#include "link/records/request_codes.h"
#include "link/records/rstp_bridge_rec.h"
#include "link/records/rstp_port_rec.h"
#include "link/records/sfp_info_rec.h"
#include "link/records/trunk_port_mode_rec.h"
#include "link/records/trunk_port_rec.h"
#include "link/records/vlan_bit_map_rec.h"
#include "link/records/word_record.h"

#include <array>
#include <initializer_list>

namespace {

using Mac = std::array<uint8_t, 6>;

constexpr uint32_t kGigabit = 1000000000;
constexpr uint16_t kDefaultPriority = 0x8000;
// The upstream switches the trunk ports lead to, and the root bridge of the spanning tree beyond them.
constexpr Mac kUpstreamSwitch = {0x02, 0x1c, 0x7e, 0x3a, 0x10, 0x00};
constexpr Mac kSubtendSwitch = {0x02, 0x1c, 0x7e, 0x3a, 0x20, 0x00};
constexpr uint16_t kRootPriority = 4096;
// The interface numbers of the two aggregators: trunk port (number mod 100) of the module.
constexpr std::array<uint32_t, 2> kAggregators = {6001, 6002};

template <typename Rec> std::vector<uint8_t> Bytes(const Rec& rec)
{
    const auto encoded = EncodeRecord(rec);
    return {encoded.begin(), encoded.end()};
}

Mac BridgeMac(uint32_t neNumber)
{
    return {0x00, 0x10, 0xa4, 0x00, static_cast<uint8_t>(neNumber), 0x01};
}

// The transceiver compliance bits, bit 0 the most significant bit of the first byte.
std::array<uint8_t, 7> Compliance(std::initializer_list<size_t> bits)
{
    std::array<uint8_t, 7> field{};
    for (size_t bit : bits)
        SetBit(field, bit);
    return field;
}

SfpInfoRec LongwaveSfp(uint32_t port)
{
    SfpInfoRec rec;
    rec.entityId = port;
    rec.identifier = 3; // SFP
    rec.connector = 7;  // LC
    // 1000BASE-LX; long distance, longwave laser, single mode, 100 MBytes/s.
    rec.compliance = Compliance({17, 28, 25, 40, 48});
    rec.encoding = 1; // 8B10B
    rec.nominalBitRate = 13;
    rec.length9umKm = 10;
    rec.length9um100m = 100;
    rec.length50um10m = 55;
    rec.length62um10m = 55;
    rec.vendorName = "NORDLYS OPTICS";
    rec.vendorOui = {0xac, 0xde, 0x48};
    rec.vendorPartNumber = "NLO-SFP-1310-10";
    rec.vendorSerialNumber = "NL21480731";
    rec.wavelength = 1310;
    return rec;
}

SfpInfoRec ShortwaveSfp(uint32_t port)
{
    SfpInfoRec rec;
    rec.entityId = port;
    rec.identifier = 3;
    rec.connector = 7;
    // 1000BASE-SX; intermediate distance, shortwave laser without OFC, multi-mode 50 and 62.5 um, 100 MBytes/s.
    rec.compliance = Compliance({16, 29, 38, 42, 43, 48});
    rec.encoding = 1;
    rec.nominalBitRate = 13;
    rec.length50um10m = 55;
    rec.length62um10m = 27;
    rec.vendorName = "NORDLYS OPTICS";
    rec.vendorOui = {0xac, 0xde, 0x48};
    rec.vendorPartNumber = "NLO-SFP-850-05";
    rec.vendorSerialNumber = "NL21470419";
    rec.wavelength = 850;
    return rec;
}

VlanBitMapRec Vlans(uint32_t port, std::initializer_list<std::pair<size_t, size_t>> ranges)
{
    VlanBitMapRec rec;
    rec.entityId = port;
    for (const auto& [first, last] : ranges) {
        for (size_t vlan = first; vlan <= last; ++vlan)
            SetBit(rec.vlans, vlan);
    }
    return rec;
}

RstpBridgeRec Bridge(uint32_t neNumber)
{
    RstpBridgeRec rec;
    rec.adminState = 1;
    rec.version = 2;
    rec.priority = kDefaultPriority;
    rec.mac = BridgeMac(neNumber);
    rec.maxAge = 20;
    rec.helloTime = 2;
    rec.forwardDelay = 15;
    rec.txHoldCount = 6;
    rec.timeSinceTopologyChange = 7 * 3600 * 100 + 1234 * 100;
    rec.topologyChanges = 7;
    rec.rootCost = 20000;
    rec.rootPort = 0x8001;
    rec.rootMaxAge = 20;
    rec.rootHelloTime = 2;
    rec.rootForwardDelay = 15;
    return rec;
}

RstpPortRec RstpPort(uint32_t port, bool linkUp)
{
    RstpPortRec rec;
    rec.entityId = port;
    rec.priority = 128;
    rec.adminState = 1;
    rec.adminPointToPoint = 2; // auto
    rec.stpState = linkUp ? 5 : 1;
    rec.operPathCost = 20000;
    rec.forwardTransitions = linkUp ? 3 : 0;
    rec.operPointToPoint = linkUp ? 1 : 0;
    rec.rootBridgePriority = kRootPriority;
    rec.rootBridgeMac = kUpstreamSwitch;
    rec.rootPathCost = linkUp ? 0 : 20000;
    rec.designatedBridgePriority = kRootPriority;
    rec.designatedBridgeMac = linkUp ? kUpstreamSwitch : kSubtendSwitch;
    rec.designatedPortId = linkUp ? 0x8011 : 0x8012;
    return rec;
}

LacpPortStatusRec Lacp(uint32_t neNumber, size_t trunk, bool linkUp)
{
    LacpPortStatusRec rec;
    rec.aggregatorIfIndex = kAggregators[trunk];
    rec.actor = {kDefaultPriority, BridgeMac(neNumber), static_cast<uint16_t>(trunk + 1), kDefaultPriority,
                 static_cast<uint16_t>(trunk + 1)};
    if (linkUp) {
        rec.actorState = 0x3D; // active, aggregable, in sync, collecting, distributing
        rec.partner = {kDefaultPriority, kUpstreamSwitch, 0x0011, kDefaultPriority, 17};
        rec.partnerState = 0x3F; // the same with a short timeout
    } else {
        rec.actorState = 0xC5; // active, aggregable, defaulted partner, expired
    }
    return rec;
}

// A few ARP proxy entries of the line ports: one address each, learned from DHCP, one configured.
std::vector<std::vector<uint8_t>> ArpEntries(uint32_t neNumber, const std::vector<uint32_t>& adslPorts,
                                             const std::vector<uint32_t>& trunks)
{
    std::vector<std::vector<uint8_t>> records;
    const auto net = static_cast<uint8_t>(neNumber);
    for (size_t i = 0; i < adslPorts.size() && i < 4; ++i) {
        ArpProxyEntryRec rec;
        const uint32_t port = adslPorts[i * (adslPorts.size() > 8 ? 2 : 1)];
        rec.selector = GetParentEntityId(port);
        rec.portId = port;
        rec.ipAddress = {10, net, 100, static_cast<uint8_t>(20 + port % 100)};
        rec.macAddress = {0x02, 0x24, 0xd4, net, static_cast<uint8_t>(port / 100 % 100), static_cast<uint8_t>(port)};
        rec.flag = i == 2 ? 1 : 0;
        rec.packetType = i == 2 ? 7 : 3; // manual, DHCP
        rec.vlanId = 100;
        records.push_back(Bytes(rec));
    }
    for (size_t trunk = 0; trunk < trunks.size(); ++trunk) {
        ArpProxyEntryRec rec;
        rec.selector = static_cast<uint32_t>(trunk + 1);
        rec.portId = trunks[trunk];
        rec.ipAddress = {10, net, 1, static_cast<uint8_t>(trunk == 0 ? 254 : 9)};
        rec.macAddress = trunk == 0 ? kUpstreamSwitch : kSubtendSwitch;
        rec.packetType = trunk == 0 ? 1 : 0; // ARP response, ARP request
        rec.vlanId = 4092;
        records.push_back(Bytes(rec));
    }
    return records;
}

} // namespace

std::vector<uint32_t> TrunkPortIds(uint32_t neModel)
{
    std::vector<uint32_t> ports;
    for (int port = 1; port <= 2; ++port) {
        if (const uint32_t id = EntityIdFromIndexValue(CwmModulePortIndex(1, port, neModel)); id != 0)
            ports.push_back(id);
    }
    return ports;
}

std::vector<TrunkDefault> TrunkSideDefaults(uint32_t neModel, uint32_t neNumber, const std::vector<uint32_t>& adslPorts)
{
    const std::vector<uint32_t> trunks = TrunkPortIds(neModel);
    if (trunks.size() != 2)
        return {};
    TrunkPortRec up{trunks[0], 1, 1, 1, kGigabit, 1, 0};
    TrunkPortRec down{trunks[1], 1, 2, 1, 0, 1, 0};
    LinkAggregationRec aggregation;
    aggregation.aggregationType = 1; // LACP, a group per port
    aggregation.systemPriority = kDefaultPriority;
    aggregation.group1Activity = 1;
    aggregation.group2Activity = 1;
    aggregation.port1Group = 1;
    aggregation.port1Priority = kDefaultPriority;
    aggregation.port2Group = 2;
    aggregation.port2Priority = kDefaultPriority;
    CosMappingRec cos;
    cos.queues = {3, 1, 2, 4, 5, 6, 7, 8};
    cos.dscpRemapping = 1;
    cos.dscp = {0, 0, 1, 4, 7, 10, 13, 13};
    const ArpProxySettingRec arp{1, 300, 600};

    return {
        {kReqTrunkPort, {Bytes(up), Bytes(down)}},
        {kReqTrunkPortMode, {Bytes(TrunkPortModeRec{trunks[0], 1}), Bytes(TrunkPortModeRec{trunks[1], 1})}},
        {kReqTrunkVlan,
         {Bytes(Vlans(trunks[0], {{1, 1}, {100, 107}, {200, 200}, {4092, 4092}})),
          Bytes(Vlans(trunks[1], {{100, 103}, {300, 300}}))}},
        {kReqRstpBridge, {Bytes(Bridge(neNumber))}},
        {kReqRstpPort, {Bytes(RstpPort(trunks[0], true)), Bytes(RstpPort(trunks[1], false))}},
        {kReqLinkAggregation, {Bytes(aggregation)}},
        {kReqLacpStatus, {Bytes(Lacp(neNumber, 0, true)), Bytes(Lacp(neNumber, 1, false))}},
        {kReqStaticLinkAggregation, {Bytes(WordRecord{0})}},
        {kReqSfp, {Bytes(LongwaveSfp(trunks[0])), Bytes(ShortwaveSfp(trunks[1]))}},
        {kReqCosMapping, {Bytes(cos)}},
        {kReqArpProxy, {Bytes(arp)}},
        {kReqArpProxyEntry, ArpEntries(neNumber, adslPorts, trunks)},
    };
}
