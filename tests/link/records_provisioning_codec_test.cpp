// Golden bytes of the records of fault inputs, PVCs and the ATM layer, NE profiles, multicast, bridging, DHCP, PPPoE,
// ACLs and VLANs: encoding gives exactly these bytes (every byte not listed is zero), decoding them gives the record
// back, and a buffer one byte short is refused. Texts fill their whole width but the terminator, so that a wrong
// width or offset shows.
#include <gtest/gtest.h>

#include <string>

#include "link/records/acl_check_rec.h"
#include "link/records/acl_entry_rec.h"
#include "link/records/dhcp_agent_id_rec.h"
#include "link/records/dhcp_broadcast_control_rec.h"
#include "link/records/dhcp_relay_server_rec.h"
#include "link/records/dhcp_setting_rec.h"
#include "link/records/dhcp_transaction_rec.h"
#include "link/records/fdb_entry_rec.h"
#include "link/records/hw_mon_rec.h"
#include "link/records/hw_mon_threshold_rec.h"
#include "link/records/igmp_proxy_rec.h"
#include "link/records/igmp_setting_rec.h"
#include "link/records/igmp_setting_rec.h"
#include "link/records/igmp_snooping_rec.h"
#include "link/records/ip_traffic_profile_rec.h"
#include "link/records/mac_spoof_action_rec.h"
#include "link/records/mac_spoof_check_rec.h"
#include "link/records/mac_spoof_rec.h"
#include "link/records/mc_channel_profile_rec.h"
#include "link/records/mc_channel_rec.h"
#include "link/records/mc_channel_status_rec.h"
#include "link/records/mc_group_member_rec.h"
#include "link/records/mc_service_profile_rec.h"
#include "link/records/ne_alarm_input_rec.h"
#include "link/records/ne_alarm_output_rec.h"
#include "link/records/next_hop_rec.h"
#include "link/records/oam_loopback_rec.h"
#include "link/records/pppoe_session_rec.h"
#include "link/records/protocol_vlan_rec.h"
#include "link/records/pvc_key_rec.h"
#include "link/records/pvc_rec.h"
#include "link/records/pvc_row_status_rec.h"
#include "link/records/pvc_rule_check_rec.h"
#include "link/records/pvc_static_ip_entry.h"
#include "link/records/service_type_check_rec.h"
#include "link/records/traffic_policing_profile_rec.h"
#include "link/records/vlan_mac_limit_rec.h"
#include "link/records/vlan_membership_rec.h"
#include "link/records/vlan_setting_rec.h"
#include "tests/link/record_golden.h"

namespace {

using record_golden::ExpectGolden;
using record_golden::Golden;
using record_golden::Hex;
using record_golden::Text;

// `count` characters, the one text a field of count + 1 bytes holds at most.
std::string Chars(size_t count, char c)
{
    return std::string(count, c);
}

// Fault inputs and outputs.

TEST(RecordsProvisioningCodec, NeAlarmInputRec)
{
    NeAlarmInputRec rec;
    rec.entityId = 0x01020304;
    rec.name = Chars(35, 'i');
    rec.normalState = 0x11121314;
    rec.adminState = 0x21222324;
    rec.currentState = 0x31323334;
    // entity id, name[36], normal state, administrative state, current state
    ExpectGolden(rec,
                 Golden(52, {Hex(0, "04030201"), Text(4, Chars(35, 'i')), Hex(40, "14131211"), Hex(44, "24232221"),
                             Hex(48, "34333231")}),
                 &NeAlarmInputRec::name);
}

TEST(RecordsProvisioningCodec, NeAlarmOutputRec)
{
    NeAlarmOutputRec rec;
    rec.entityId = 0x01020304;
    rec.name = Chars(33, 'o');
    rec.severityMask = 0x1112;
    rec.adminState = 0x21222324;
    rec.currentState = 0x31323334;
    // entity id, name[34], severity mask (u16), administrative state, current state
    ExpectGolden(rec,
                 Golden(48, {Hex(0, "04030201"), Text(4, Chars(33, 'o')), Hex(38, "1211"), Hex(40, "24232221"),
                             Hex(44, "34333231")}),
                 &NeAlarmOutputRec::name);
}

TEST(RecordsProvisioningCodec, HwMonRec)
{
    HwMonRec rec;
    rec.entityId = 0x01020304;
    rec.kind = 0x11121314;
    rec.sensorIndex = 0x21222324;
    rec.name = Chars(255, 'h');
    rec.currentValue = -2;
    rec.referenceValue = 0x31323334;
    rec.lowThreshold = -0x100;
    rec.highThreshold = 0x41424344;
    // entity id, kind, sensor index, name[256], current (i32), reference, low, high
    ExpectGolden(rec,
                 Golden(284, {Hex(0, "04030201"), Hex(4, "14131211"), Hex(8, "24232221"), Text(12, Chars(255, 'h')),
                              Hex(268, "feffffff"), Hex(272, "34333231"), Hex(276, "00ffffff"), Hex(280, "44434241")}),
                 &HwMonRec::name);
}

TEST(RecordsProvisioningCodec, HwMonThresholdRec)
{
    HwMonThresholdRec rec;
    rec.high = 65;
    rec.low = -20;
    // high (i32), low (i32)
    ExpectGolden(rec, Golden(8, {Hex(0, "41000000"), Hex(4, "ecffffff")}));
}

TEST(RecordsProvisioningCodec, OamLoopbackRec)
{
    OamLoopbackRec rec;
    rec.portId = 0x01020304;
    rec.vpi = 0x11;
    rec.vci = 0x2122;
    rec.segment = 0x31323334;
    rec.endToEnd = 0x41424344;
    // port id, VPI (u8), not set, VCI (u16), segment, end-to-end
    ExpectGolden(
        rec, Golden(16, {Hex(0, "04030201"), Hex(4, "11"), Hex(6, "2221"), Hex(8, "34333231"), Hex(12, "44434241")}));
}

// PVCs and the ATM layer.

TEST(RecordsProvisioningCodec, PvcKeyRec)
{
    PvcKeyRec rec;
    rec.portId = 0x01020304;
    rec.vpi = 0x11;
    rec.vci = 0x2122;
    // port id, VPI (u8), spare, VCI (u16)
    ExpectGolden(rec, Golden(8, {Hex(0, "04030201"), Hex(4, "11"), Hex(6, "2221")}));
}

TEST(RecordsProvisioningCodec, PvcRec)
{
    PvcRec rec;
    rec.portId = 0x01020304;
    rec.vpi = 0x05;
    rec.vci = 0x0607;
    rec.rfc2684Mode = 0x11121314;
    rec.vlanId = 0x2122;
    rec.userPriority = 0x23;
    rec.macLimit = 0x24;
    rec.nextHopName = Chars(32, 'n');
    rec.ipTrafficProfile = Chars(32, 'p');
    rec.serviceType = 0x31323334;
    rec.baseAddress = {10, 1, 2, 3};
    rec.dhcpIpLimit = 0x41;
    rec.operState = 0x51525354;
    rec.enableState = 0x61626364;
    rec.aging = 0x71727374;
    rec.clientLimit = 0x42;
    // port id, VPI, spare, VCI, RFC2684 mode, VLAN ID (u16), user priority (u8), MAC limit (u8), next-hop name[33],
    // IP traffic profile[33], spare 2, service type, base address, DHCP IP limit (u8), spare 3, oper state, enable
    // state, aging, client limit (u8), spare 3
    ExpectGolden(rec, Golden(112, {Hex(0, "04030201"), Hex(4, "05"), Hex(6, "0706"), Hex(8, "14131211"),
                                   Hex(12, "2221"), Hex(14, "23"), Hex(15, "24"), Text(16, Chars(32, 'n')),
                                   Text(49, Chars(32, 'p')), Hex(84, "34333231"), Hex(88, "0a010203"), Hex(92, "41"),
                                   Hex(96, "54535251"), Hex(100, "64636261"), Hex(104, "74737271"), Hex(108, "42")}));
}

TEST(RecordsProvisioningCodec, PvcRuleCheckRec)
{
    PvcRuleCheckRec rec;
    rec.portId = 0x01020304;
    rec.vpi = 0x05;
    rec.vci = 0x0607;
    rec.vlanId = 0x0809;
    rec.userPriority = 0x0a;
    rec.macLimit = 0x0b;
    rec.rfc2684Mode = 0x11121314;
    rec.nextHopName = Chars(32, 'n');
    rec.serviceType = 0x21222324;
    rec.baseAddress = {192, 168, 1, 2};
    rec.amount = 0x31;
    rec.clientLimit = 0x32;
    rec.trafficPolicingProfile = Chars(32, 't');
    rec.ipTrafficProfile = Chars(32, 'p');
    rec.result.errorMask = 0x41424344;
    rec.result.conflictCount = 0x5152;
    rec.result.conflicts[0] = {0x61626364, 0x65, 0x6667};
    rec.result.conflicts[1] = {0x71727374, 0x75, 0x7677};
    rec.result.conflicts[2] = {0x81828384, 0x85, 0x8687};
    // port id, VPI, spare, VCI, VLAN ID, user priority, MAC limit, RFC2684 mode, next-hop name[33], zero 49..83,
    // service type, base address, amount (u8), client limit (u8), traffic policing profile[33] at 94, IP traffic
    // profile[33] at 127, zero 160..163, error mask, conflict count (u16), spare 2, three conflicts of 8 bytes
    ExpectGolden(
        rec, Golden(196, {Hex(0, "04030201"), Hex(4, "05"), Hex(6, "0706"), Hex(8, "0908"), Hex(10, "0a"),
                          Hex(11, "0b"), Hex(12, "14131211"), Text(16, Chars(32, 'n')), Hex(84, "24232221"),
                          Hex(88, "c0a80102"), Hex(92, "31"), Hex(93, "32"), Text(94, Chars(32, 't')),
                          Text(127, Chars(32, 'p')), Hex(164, "44434241"), Hex(168, "5251"),
                          Hex(172, "6463626165006766"), Hex(180, "7473727175007776"), Hex(188, "8483828185008786")}));
}

TEST(RecordsProvisioningCodec, ServiceTypeCheckRec)
{
    ServiceTypeCheckRec rec;
    rec.slot = 0x0102;
    rec.result.errorMask = 0x11121314;
    rec.result.conflictCount = 0x2122;
    rec.result.conflicts[0] = {0x31323334, 0x35, 0x3637};
    rec.result.conflicts[2] = {0x41424344, 0x45, 0x4647};
    // slot (u16) at 156, error mask at 164, conflict count (u16) at 168, first conflict {port, VPI, -, VCI} at 172,
    // an empty second one, the third at 188
    ExpectGolden(rec, Golden(196, {Hex(156, "0201"), Hex(164, "14131211"), Hex(168, "2221"),
                                   Hex(172, "3433323135003736"), Hex(188, "4443424145004746")}));
}

TEST(RecordsProvisioningCodec, VlanSettingRec)
{
    VlanSettingRec rec;
    rec.vlanId = 0x0102;
    rec.committedUnits = 0x11121314;
    // VLAN ID (u16) at 162, committed MAC-limit units at 164
    ExpectGolden(rec, Golden(196, {Hex(162, "0201"), Hex(164, "14131211")}));
}

TEST(RecordsProvisioningCodec, PvcRowStatusRec)
{
    PvcRowStatusRec rec;
    rec.portId = 0x01020304;
    rec.vpi = 0x11;
    rec.vci = 0x2122;
    rec.status = 0x31323334;
    // port id, VPI, spare, VCI, status
    ExpectGolden(rec, Golden(12, {Hex(0, "04030201"), Hex(4, "11"), Hex(6, "2221"), Hex(8, "34333231")}));
}

TEST(RecordsProvisioningCodec, PvcStaticIpEntry)
{
    PvcStaticIpEntry rec;
    rec.portId = 0x01020304;
    rec.vpi = 0x11;
    rec.vci = 0x2122;
    rec.baseAddress = {172, 16, 5, 1};
    rec.count = 0x31;
    // port id, VPI, spare, VCI, base address, count (u8), spare 3
    ExpectGolden(rec,
                 Golden(16, {Hex(0, "04030201"), Hex(4, "11"), Hex(6, "2221"), Hex(8, "ac100501"), Hex(12, "31")}));
}

TEST(RecordsProvisioningCodec, NextHopRec)
{
    NextHopRec rec;
    rec.name = Chars(32, 'x');
    rec.address = {10, 20, 30, 40};
    rec.vlanId = 0x0102;
    rec.mac = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    rec.state = 0x21222324;
    // name[33], address at 33, reserved, VLAN ID (u16) at 38, MAC at 40, reserved 2, state at 48
    ExpectGolden(rec, Golden(52, {Text(0, Chars(32, 'x')), Hex(33, "0a141e28"), Hex(38, "0201"),
                                  Hex(40, "001122334455"), Hex(48, "24232221")}));
}

// NE profiles and their templates.

TEST(RecordsProvisioningCodec, IpTrafficProfileRec)
{
    IpTrafficProfileRec rec;
    rec.name = Chars(32, 'q');
    rec.queue = 0x03;
    rec.downstreamRate = 0x11121314;
    rec.upstreamRateIndex = 0x07;
    rec.status = 0x21222324;
    rec.broadcast = 0x31323334;
    // name[33], queue (u8) at 33, padding 2, downstream rate at 36, upstream index (u8) at 40, padding 3, status at
    // 44, broadcast at 48
    ExpectGolden(rec, Golden(52, {Text(0, Chars(32, 'q')), Hex(33, "03"), Hex(36, "14131211"), Hex(40, "07"),
                                  Hex(44, "24232221"), Hex(48, "34333231")}));
}

TEST(RecordsProvisioningCodec, McChannelProfileRec)
{
    McChannelProfileRec rec;
    rec.profileId = 0x0102;
    rec.name = Chars(32, 'c');
    rec.groupAddress = {239, 1, 2, 3};
    rec.queue = 0x02;
    rec.downstreamRate = 0x11121314;
    rec.downstreamRateCopy = 0x21222324;
    rec.status = 0x31323334;
    // profile id (u16), name[33] at 2, group address at 35, queue (u8) at 39, rate at 40, its copy at 44, status at 48
    ExpectGolden(rec, Golden(52, {Hex(0, "0201"), Text(2, Chars(32, 'c')), Hex(35, "ef010203"), Hex(39, "02"),
                                  Hex(40, "14131211"), Hex(44, "24232221"), Hex(48, "34333231")}));
}

TEST(RecordsProvisioningCodec, McServiceProfileRec)
{
    McServiceProfileRec rec;
    rec.name = Chars(32, 's');
    rec.channels[0] = 0xc0; // channels 1 and 2
    rec.channels[50] = 0x5a;
    rec.channels[99] = 0x01; // channel 800
    rec.status = 0x11121314;
    // name[33], channel set[100] at 33, padding 3, status at 136
    ExpectGolden(rec, Golden(140, {Text(0, Chars(32, 's')), Hex(33, "c0"), Hex(83, "5a"), Hex(132, "01"),
                                   Hex(136, "14131211")}));
}

TEST(RecordsProvisioningCodec, TrafficPolicingProfileRec)
{
    TrafficPolicingProfileRec rec;
    rec.name = Chars(32, 'd');
    rec.upstreamCir = 0x0102;
    rec.unused = {0x11, 0x12, 0x13, 0x14};
    rec.action = 0x21222324;
    rec.status = 0x31323334;
    // name[33], padding, CIR (u16) at 34, 4 bytes not used at 36, action at 40, status at 44
    ExpectGolden(rec, Golden(48, {Text(0, Chars(32, 'd')), Hex(34, "0201"), Hex(36, "11121314"), Hex(40, "24232221"),
                                  Hex(44, "34333231")}));
}

// Multicast, bridging, DHCP, PPPoE, ACLs and VLANs.

TEST(RecordsProvisioningCodec, McChannelRec)
{
    McChannelRec rec;
    rec.portId = 0x01020304;
    rec.vpi = 0x11;
    rec.vci = 0x2122;
    rec.vlanId = 0x3132;
    rec.channelLimit = 0x05;
    rec.profile = Chars(32, 'm');
    rec.adminState = 0x41424344;
    // port id, VPI, reserved, VCI, VLAN ID (u16) at 8, channel limit (u8) at 10, profile name[33] at 11, state at 44
    ExpectGolden(rec, Golden(48, {Hex(0, "04030201"), Hex(4, "11"), Hex(6, "2221"), Hex(8, "3231"), Hex(10, "05"),
                                  Text(11, Chars(32, 'm')), Hex(44, "44434241")}));
}

TEST(RecordsProvisioningCodec, FdbEntryRec)
{
    FdbEntryRec rec;
    rec.portId = 0x01020304;
    rec.vpi = 0x11;
    rec.vci = 0x2122;
    rec.mac = {0x00, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e};
    rec.status = 0x31323334;
    rec.vlanId = 0x4142;
    rec.rowCommand = 0x51525354;
    // port id, VPI, reserved, VCI, MAC at 8, reserved 2, status at 16, VLAN ID (u16) at 20, reserved 2, row command
    // at 24
    ExpectGolden(rec, Golden(28, {Hex(0, "04030201"), Hex(4, "11"), Hex(6, "2221"), Hex(8, "000a0b0c0d0e"),
                                  Hex(16, "34333231"), Hex(20, "4241"), Hex(24, "54535251")}));
}

TEST(RecordsProvisioningCodec, FdbQueryRec)
{
    FdbQueryRec rec;
    rec.entityId = 0x01020304;
    rec.vpi = 0x11;
    rec.vci = 0x2122;
    // entity id, VPI, spare, VCI, zero 8..15
    ExpectGolden(rec, Golden(16, {Hex(0, "04030201"), Hex(4, "11"), Hex(6, "2221")}));
}

TEST(RecordsProvisioningCodec, VlanMembershipRec)
{
    VlanMembershipRec rec;
    rec.vlanId = 0x0102;
    rec.members[0] = 0x80; // port 1 of the first line-card slot
    rec.members[42] = 0x3c;
    rec.members[85] = 0x01;
    rec.uplinkFirstBit = 0x1112;
    // VLAN ID (u16), bitmap[86] at 2, uplink bit number (u16) at 88
    ExpectGolden(rec, Golden(90, {Hex(0, "0201"), Hex(2, "80"), Hex(44, "3c"), Hex(87, "01"), Hex(88, "1211")}));
}

TEST(RecordsProvisioningCodec, AclCheckRec)
{
    AclCheckRec rec;
    rec.kind = 0x01020304;
    rec.mac = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
    rec.portId = 0x11121314;
    rec.vpi = 0x15;
    rec.vci = 0x1617;
    rec.verdict = 0x21222324;
    rec.existingType = 0x31323334;
    rec.existingMac = {0x02, 0x6a, 0x7b, 0x8c, 0x9d, 0xae};
    rec.existingPortId = 0x41424344;
    rec.existingVpi = 0x45;
    rec.existingVci = 0x4647;
    // kind, MAC at 4, spare 2, port id at 12, VPI at 16, spare, VCI at 18, verdict at 20, existing type at 24,
    // existing MAC at 28, spare 2, existing port id at 36, existing VPI at 40, spare, existing VCI at 42, spare 4
    ExpectGolden(rec, Golden(48, {Hex(0, "04030201"), Hex(4, "001a2b3c4d5e"), Hex(12, "14131211"), Hex(16, "15"),
                                  Hex(18, "1716"), Hex(20, "24232221"), Hex(24, "34333231"), Hex(28, "026a7b8c9dae"),
                                  Hex(36, "44434241"), Hex(40, "45"), Hex(42, "4746")}));
}

TEST(RecordsProvisioningCodec, MacSpoofRec)
{
    MacSpoofRec rec;
    rec.mac = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
    rec.portId = 0x01020304;
    rec.vpi = 0x11;
    rec.vci = 0x2122;
    rec.vlanId = 0x3132;
    rec.status = 0x41424344;
    // MAC, spare 2, port id at 8, VPI at 12, spare, VCI at 14, VLAN ID at 16, spare 2, status at 20
    ExpectGolden(rec, Golden(24, {Hex(0, "001a2b3c4d5e"), Hex(8, "04030201"), Hex(12, "11"), Hex(14, "2221"),
                                  Hex(16, "3231"), Hex(20, "44434241")}));
}

TEST(RecordsProvisioningCodec, MacSpoofActionRec)
{
    MacSpoofActionRec rec;
    rec.mac = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
    rec.entityId = 0x01020304;
    rec.action = 0x11121314;
    // MAC, spare 2, entity id at 8, action at 12
    ExpectGolden(rec, Golden(16, {Hex(0, "001a2b3c4d5e"), Hex(8, "04030201"), Hex(12, "14131211")}));
}

TEST(RecordsProvisioningCodec, MacSpoofCheckRec)
{
    MacSpoofCheckRec rec;
    rec.command = 0x01020304;
    rec.mac = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
    rec.entityId = 0x11121314;
    rec.vpi = 0x15;
    rec.vci = 0x1617;
    rec.result = 0x21222324;
    // command, MAC at 4, spare 2, entity id at 12, VPI at 16, spare, VCI at 18, result at 20, zero 24..47
    ExpectGolden(rec, Golden(48, {Hex(0, "04030201"), Hex(4, "001a2b3c4d5e"), Hex(12, "14131211"), Hex(16, "15"),
                                  Hex(18, "1716"), Hex(20, "24232221")}));
}

TEST(RecordsProvisioningCodec, McGroupMemberRec)
{
    McGroupMemberRec rec;
    rec.channel = {239, 1, 1, 1};
    rec.reporterPortId = 0x01020304;
    rec.reporterAddress = {10, 9, 8, 7};
    rec.memberCount = 0x1112;
    rec.upTime = 0x21222324;
    rec.memberPorts[0] = 0xa0;
    rec.memberPorts[87] = 0x03;
    // channel address, reserved 4, reporter port at 8, reporter address at 12, member count (u16) at 16, reserved 2,
    // up time at 20, member port bits[88] at 24
    ExpectGolden(rec, Golden(112, {Hex(0, "ef010101"), Hex(8, "04030201"), Hex(12, "0a090807"), Hex(16, "1211"),
                                   Hex(20, "24232221"), Hex(24, "a0"), Hex(111, "03")}));
}

TEST(RecordsProvisioningCodec, McGroupQueryRec)
{
    McGroupQueryRec rec;
    rec.channel = {239, 2, 3, 4};
    // channel address, two zero bytes
    ExpectGolden(rec, Golden(6, {Hex(0, "ef020304")}));
}

TEST(RecordsProvisioningCodec, McChannelStatusRec)
{
    McChannelStatusRec rec;
    rec.portId = 0x01020304;
    rec.vlanId = 0x1112;
    rec.channel = {239, 5, 6, 7};
    rec.clientAddress = {10, 0, 0, 9};
    rec.clientMac = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
    rec.state = 0x21222324;
    // port id, VLAN ID (u16) at 4, channel at 6, client address at 10, client MAC at 14, state at 20
    ExpectGolden(rec, Golden(24, {Hex(0, "04030201"), Hex(4, "1211"), Hex(6, "ef050607"), Hex(10, "0a000009"),
                                  Hex(14, "001a2b3c4d5e"), Hex(20, "24232221")}));
}

TEST(RecordsProvisioningCodec, McChannelStatusQueryRec)
{
    McChannelStatusQueryRec rec;
    rec.slotId = 0x01020304;
    // slot entity id, zero 4..15
    ExpectGolden(rec, Golden(16, {Hex(0, "04030201")}));
}

TEST(RecordsProvisioningCodec, IgmpSnoopingRec)
{
    IgmpSnoopingRec rec;
    rec.adminState = 0x01020304;
    rec.agingTime = 0x11121314;
    // administrative state, reserved 4, aging time at 8, reserved 8
    ExpectGolden(rec, Golden(20, {Hex(0, "04030201"), Hex(8, "14131211")}));
}

TEST(RecordsProvisioningCodec, IgmpProxyRec)
{
    IgmpProxyRec rec;
    rec.adminState = 0x01020304;
    rec.robustness = 0x05;
    rec.queryResponseInterval = 0x64;
    rec.immediateLeave = 0x11121314;
    // administrative state, robustness (u8) at 4, query response interval (u8) at 5, reserved 2, immediate leave at 8
    ExpectGolden(rec, Golden(12, {Hex(0, "04030201"), Hex(4, "05"), Hex(5, "64"), Hex(8, "14131211")}));
}

TEST(RecordsProvisioningCodec, IgmpSettingRec)
{
    IgmpSettingRec rec;
    rec.mode = 0x01020304;
    rec.snoopingAgingTime = 0x11121314;
    rec.proxyQueryRetries = 0x05;
    rec.proxyQueryResponseInterval = 0x21222324;
    rec.proxyImmediateLeave = 0x31323334;
    rec.snoopingImmediateLeave = 0x41424344;
    rec.snoopingQueryRetries = 0x06;
    rec.snoopingQueryResponseInterval = 0x51525354;
    rec.queryVersion = 0x61626364;
    rec.reportVersion = 0x71727374;
    // mode, reserved 4, aging time at 8, proxy retries (u8) at 12 and reserved 3, the proxy's interval and leave and
    // the snooping leave at 16..27, snooping retries (u8) at 28 and reserved 3, its interval, then both versions
    ExpectGolden(rec, Golden(44, {Hex(0, "04030201"), Hex(8, "14131211"), Hex(12, "05"), Hex(16, "24232221"),
                                  Hex(20, "34333231"), Hex(24, "44434241"), Hex(28, "06"), Hex(32, "54535251"),
                                  Hex(36, "64636261"), Hex(40, "74737271")}));
}

TEST(RecordsProvisioningCodec, DhcpSettingRec)
{
    DhcpSettingRec rec;
    rec.relay = 0x01020304;
    rec.option82 = 0x11121314;
    // relay, option 82
    ExpectGolden(rec, Golden(8, {Hex(0, "04030201"), Hex(4, "14131211")}));
}

TEST(RecordsProvisioningCodec, DhcpAgentIdRec)
{
    DhcpAgentIdRec rec;
    rec.portId = 0x01020304;
    rec.circuitId = Chars(80, 'c');
    rec.remoteId = Chars(63, 'r');
    // port id, circuit ID[81] at 4, remote ID at 85, the rest to 152 zero
    ExpectGolden(rec, Golden(152, {Hex(0, "04030201"), Text(4, Chars(80, 'c')), Text(85, Chars(63, 'r'))}));
}

TEST(RecordsProvisioningCodec, DhcpRelayServerRec)
{
    DhcpRelayServerRec rec;
    rec.address = {10, 1, 1, 254};
    rec.vlanId = 0x0102;
    rec.mac = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
    rec.state = 0x11121314;
    // server address, VLAN ID (u16) at 4, MAC at 6, state at 12
    ExpectGolden(rec, Golden(16, {Hex(0, "0a0101fe"), Hex(4, "0201"), Hex(6, "001a2b3c4d5e"), Hex(12, "14131211")}));
}

TEST(RecordsProvisioningCodec, DhcpBroadcastControlRec)
{
    DhcpBroadcastControlRec rec;
    rec.state = 0x01020304;
    rec.rateLimit = 100000;
    rec.action = 0x11121314;
    // state, rate limit, action
    ExpectGolden(rec, Golden(12, {Hex(0, "04030201"), Hex(4, "a0860100"), Hex(8, "14131211")}));
}

TEST(RecordsProvisioningCodec, DhcpTransactionRec)
{
    DhcpTransactionRec rec;
    rec.portId = 0x01020304;
    rec.vpi = 0x11;
    rec.vci = 0x2122;
    rec.vlanId = 0x3132;
    rec.transactionId = 0x41424344;
    rec.clientMac = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
    rec.assignedAddress = {10, 2, 3, 4};
    rec.state = 0x51525354;
    // port id, VPI at 4, VCI at 6, VLAN ID at 8, transaction id at 12, client MAC at 16, assigned address at 22,
    // state at 28
    ExpectGolden(rec, Golden(32, {Hex(0, "04030201"), Hex(4, "11"), Hex(6, "2221"), Hex(8, "3231"), Hex(12, "44434241"),
                                  Hex(16, "001a2b3c4d5e"), Hex(22, "0a020304"), Hex(28, "54535251")}));
}

TEST(RecordsProvisioningCodec, PppoeSessionRec)
{
    PppoeSessionRec rec;
    rec.portId = 0x01020304;
    rec.vpi = 0x11;
    rec.vci = 0x2122;
    rec.vlanId = 0x3132;
    rec.sessionId = 0x41424344;
    rec.sourceMac = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
    rec.state = 0x51525354;
    // port id, VPI, reserved, VCI, VLAN ID at 8, reserved 2, session id at 12, source MAC at 16, reserved 2, state at
    // 24
    ExpectGolden(rec, Golden(28, {Hex(0, "04030201"), Hex(4, "11"), Hex(6, "2221"), Hex(8, "3231"), Hex(12, "44434241"),
                                  Hex(16, "001a2b3c4d5e"), Hex(24, "54535251")}));
}

TEST(RecordsProvisioningCodec, AclEntryRec)
{
    AclEntryRec rec;
    rec.portId = 0x01020304;
    rec.vpi = 0x11;
    rec.vci = 0x2122;
    rec.mac = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
    rec.vlanId = 0x3132;
    rec.controlState = 0x41424344;
    // port id, VPI, spare, VCI, MAC at 8, VLAN ID (u16) at 14, control state at 16
    ExpectGolden(rec, Golden(20, {Hex(0, "04030201"), Hex(4, "11"), Hex(6, "2221"), Hex(8, "001a2b3c4d5e"),
                                  Hex(14, "3231"), Hex(16, "44434241")}));
}

TEST(RecordsProvisioningCodec, VlanMacLimitRec)
{
    VlanMacLimitRec rec;
    rec.vlanId = 0x0102;
    rec.macLimit = 0x11121314;
    rec.state = 0x21222324;
    // VLAN ID (u16), padding 2, MAC limit at 4, state at 8
    ExpectGolden(rec, Golden(12, {Hex(0, "0201"), Hex(4, "14131211"), Hex(8, "24232221")}));
}

TEST(RecordsProvisioningCodec, ProtocolVlanRec)
{
    ProtocolVlanRec rec;
    rec.etherType = 0x8863;
    rec.name = Chars(33, 'e');
    rec.vlanId = 0x0102;
    rec.state = 0x11121314;
    // Ethernet type (u16), name[34] at 2, VLAN ID (u16) at 36, padding 2, state at 40
    ExpectGolden(rec, Golden(44, {Hex(0, "6388"), Text(2, Chars(33, 'e')), Hex(36, "0201"), Hex(40, "14131211")}));
}

} // namespace
