// Golden bytes of the records of xDSL and trunk lines, their profiles, PM and tests: encoding gives exactly these
// bytes (every byte not listed is zero), decoding them gives the record back, and a buffer one byte short is refused.
// Every text holds as many characters as its width takes, so that a wrong width or offset shows.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "link/records/adsl_block_pm_rec.h"
#include "link/records/adsl_current_pm_rec.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/adsl_port_rec.h"
#include "link/records/adsl_power_state_rec.h"
#include "link/records/adsl_rate_status_rec.h"
#include "link/records/bits_alloc_rec.h"
#include "link/records/cos_mapping_rec.h"
#include "link/records/lacp_port_status_rec.h"
#include "link/records/line_test_ctrl_rec.h"
#include "link/records/link_aggregation_rec.h"
#include "link/records/long_term_pm_item_rec.h"
#include "link/records/loop_diag_ctrl_rec.h"
#include "link/records/loop_diag_result_rec.h"
#include "link/records/loop_mon_result_rec.h"
#include "link/records/pkt_filter_group_rec.h"
#include "link/records/pkt_filter_rec.h"
#include "link/records/profile_name_rec.h"
#include "link/records/rstp_bridge_rec.h"
#include "link/records/rstp_port_rec.h"
#include "link/records/selt_result_rec.h"
#include "link/records/sfp_info_rec.h"
#include "link/records/shdsl_interval_rec.h"
#include "link/records/shdsl_line_profile_rec.h"
#include "link/records/shdsl_pm_rec.h"
#include "link/records/shdsl_pm_threshold_profile_rec.h"
#include "link/records/shdsl_port_rec.h"
#include "link/records/shdsl_rate_status_rec.h"
#include "link/records/trunk_pm_rec.h"
#include "link/records/trunk_port_mode_rec.h"
#include "link/records/trunk_port_rec.h"
#include "link/records/vlan_bit_map_rec.h"
#include "link/records/xdsl_pm_interval_rec.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"
#include "tests/link/record_golden.h"

namespace {

using record_golden::ExpectGolden;
using record_golden::Golden;
using record_golden::Hex;
using record_golden::Text;

// `count` characters running on from `first` through letters and digits, so that no two texts of a record are
// alike and a shifted one differs.
std::string Chars(char first, size_t count)
{
    static const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const size_t start = kAlphabet.find(first);
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text += kAlphabet[(start + i) % kAlphabet.size()];
    }
    return text;
}

TEST(RecordsLinesCodec, LongTermPmItemRec)
{
    // Port, state '0', three bytes not set, window start and stop.
    ExpectGolden(LongTermPmItemRec{0x0A0B0C0D, 48, 1700000000, 1700003600},
                 Golden(16, {Hex(0, "0d0c0b0a30"), Hex(8, "00f1536510ff5365")}));
}

TEST(RecordsLinesCodec, LongTermPmQueryRec)
{
    // Port, range start and stop.
    ExpectGolden(LongTermPmQueryRec{0x04030201, 1700000000, 1700003600},
                 Golden(12, {Hex(0, "0102030400f1536510ff5365")}));
}

TEST(RecordsLinesCodec, AdslHistoryQueryRec)
{
    // Port, the interval selector byte, three bytes not used.
    ExpectGolden(AdslHistoryQueryRec{0x04030201, 7}, Golden(8, {Hex(0, "0102030407")}));
}

TEST(RecordsLinesCodec, XdslPmIntervalRec)
{
    XdslPmIntervalRec rec;
    rec.entityId = 0x04030201;
    rec.intervalId = 0x08070605;
    rec.counters = {11, 12, 13, 14, 0x1000, 0x2000, 17, 18, 19};
    rec.createTime = 1700000000;
    // 0 and 4 not shown; LOSs, ESs, SESs, UASs, Tx cells, Rx cells, CVs, FullInits, FailedInits from 8; the creation
    // time at 44.
    ExpectGolden(rec, Golden(48, {Hex(0, "0102030405060708"), Hex(8, "0b0000000c0000000d0000000e000000"),
                                  Hex(24, "0010000000200000110000001200000013000000"), Hex(44, "00f15365")}));
}

TEST(RecordsLinesCodec, AdslCurrentPmRec)
{
    AdslCurrentPmRec rec;
    rec.entityId = 1;
    rec.elapsed15Min = 2;
    rec.current15Min = {3, 4, 5, 6, 7, 8, 9, 10, 11};
    rec.elapsedDay = 12;
    rec.currentDay = {13, 14, 15, 16, 17, 18, 19, 20, 21};
    rec.previousDay = {22, 23, 24, 25, 26, 27, 28, 29, 30};
    // Thirty words: not shown; 15 minutes elapsed, then LOSs .. FailedInits; day elapsed at 44, then its counters
    // from 48; the previous day's counters from 84.
    ExpectGolden(rec, Golden(120, {Hex(0, "01000000"),
                                   Hex(4, "02000000030000000400000005000000060000000700000008000000"
                                          "090000000a0000000b000000"),
                                   Hex(44, "0c0000000d0000000e0000000f000000100000001100000012000000"
                                           "130000001400000015000000"),
                                   Hex(84, "160000001700000018000000190000001a0000001b0000001c000000"
                                           "1d0000001e000000")}));
}

TEST(RecordsLinesCodec, AdslBlockPmRec)
{
    AdslBlockPmRec rec;
    rec.entityId = 0x04030201;
    rec.current15Min = {0x11, 0x12, 0x13, 0x14};
    rec.currentDay = {0x21, 0x22, 0x23, 0x24};
    rec.previousDay = {0x31, 0x32, 0x33, 0x34};
    // Port; 4 not shown; RxBlks, TxBlks, CrtBlks, UncrtBlks of the 15 minutes from 8; 24 not shown; the day's from
    // 28; the previous day's from 44.
    ExpectGolden(
        rec, Golden(60, {Hex(0, "01020304"), Hex(8, "11000000120000001300000014000000"),
                         Hex(28, "21000000220000002300000024000000"), Hex(44, "31000000320000003300000034000000")}));
}

TEST(RecordsLinesCodec, AdslPortRec)
{
    AdslPortRec rec;
    rec.entityId = 0x04030201;
    rec.reserved4 = {1, 2, 3, 4, 5, 6, 7, 8};
    rec.lineProfile = Chars('A', 32);
    rec.pmThresholdProfile = Chars('a', 32);
    rec.trafficPolicingProfile = Chars('0', 32);
    rec.enableState = 2;
    rec.operState = 1;
    rec.subscriber = Chars('K', 23);
    rec.service = 0x90;
    rec.subscriberClass = 0x94;
    rec.upstreamFilterGroups = 0x05;
    rec.downstreamFilterGroups = 0x0a;
    // Port, eight bytes carried, three profile names of 33 from 12, a padding byte, enable and operational state,
    // subscriber name of 24 from 120, service, class, upstream and downstream group masks.
    ExpectGolden(rec, Golden(160, {Hex(0, "010203040102030405060708"), Text(12, Chars('A', 32)),
                                   Text(45, Chars('a', 32)), Text(78, Chars('0', 32)), Hex(112, "0200000001000000"),
                                   Text(120, Chars('K', 23)), Hex(144, "9000000094000000050000000a000000")}));
}

TEST(RecordsLinesCodec, PktFilterRec)
{
    PktFilterRec rec;
    rec.slot = 5;
    rec.direction = 2;
    rec.filterNumber = 9;
    rec.name = Chars('D', 23);
    rec.etherType = 0x0800;
    rec.ipProtocol = 17;
    rec.sourcePort = -1;
    rec.sourcePrefixBits = 16;
    rec.destinationPort = 8080;
    rec.destinationPrefixBits = 12;
    rec.action = 3;
    rec.state = 2;
    // Slot and three bytes of padding, direction, filter number, name of 24 from 12, then Ether type, IP protocol,
    // source port and prefix, destination port and prefix, action and state.
    ExpectGolden(rec, Golden(68, {Hex(0, "05"), Hex(4, "0200000009000000"), Text(12, Chars('D', 23)),
                                  Hex(36, "0008000011000000ffffffff10000000901f00000c0000000300000002000000")}));
}

TEST(RecordsLinesCodec, PktFilterGroupRec)
{
    // Slot and three bytes of padding, direction, group number, name of 23 from 9, member mask and state.
    ExpectGolden(
        PktFilterGroupRec{5, 2, 4, Chars('G', 22), 0x1ff, 1},
        Golden(40, {Hex(0, "05"), Hex(4, "0200000004"), Text(9, Chars('G', 22)), Hex(32, "ff01000001000000")}));
}

TEST(RecordsLinesCodec, AdslLineProfileRec)
{
    AdslLineProfileRec rec;
    rec.name = Chars('A', 32);
    rec.channelMode = 3;
    rec.rateMode = 2;
    rec.upstreamSnr = {0x2c, 0x2e, 0x30, 0x32, 0x34, 0x36, 0x38};
    rec.downstreamSnr = {0x3a, 0x3c, 0x3e, 0x40, 0x42, 0x44, -14};
    rec.downMinRateFast = 0x00010048;
    rec.downMinRateInterleaved = 0x0001004c;
    rec.downMaxRateFast = 0x00010050;
    rec.downMaxRateInterleaved = 0x00010054;
    rec.downMaxDelay = 0x58;
    rec.downMinInp = 5;
    rec.upMinRateFast = 0x0001005c;
    rec.upMinRateInterleaved = 0x00010060;
    rec.upMaxRateFast = 0x00010064;
    rec.upMaxRateInterleaved = 0x00010068;
    rec.upMaxDelay = 0x6c;
    rec.upMinInp = 6;
    rec.downNominalPsd = -400;
    rec.upNominalPsd = 40;
    rec.powerManagement = 1;
    rec.l2MinRate = 0x00010078;
    rec.l2MaxRate = 0x0001007c;
    rec.l0MinTime = 900;
    rec.l2LowRateMinTime = 300;
    rec.cpeL3Request = 7;
    rec.lineStandards = 0xff;
    rec.status = 0x0101;
    // Name of 33, three reserved bytes, channel and rate mode; upstream then downstream SNR margins (minimum,
    // maximum, target, upshift, downshift, upshift and downshift time); downstream rates (minimum fast and
    // interleaved, maximum fast and interleaved), delay, a reserved byte and INP; the same upstream from 92; PSD down
    // and up; power management, L2 rates, L0 and L2 times, L3 request, line standards, status.
    ExpectGolden(rec, Golden(148, {Text(0, Chars('A', 32)), Hex(36, "0300000002000000"),
                                   Hex(44, "2c002e0030003200340036003800"), Hex(58, "3a003c003e00400042004400f2ff"),
                                   Hex(72, "480001004c0001005000010054000100580005005c00010060000100"
                                           "64000100680001006c000600"),
                                   Hex(112, "70fe280001000000780001007c00010084030000"
                                            "2c01000007000000ff00000001010000")}));
}

TEST(RecordsLinesCodec, XdslPmThresholdProfileRec)
{
    XdslPmThresholdProfileRec rec;
    rec.name = Chars('p', 32);
    rec.coEs15Min = 0x22;
    rec.coSes15Min = 0x24;
    rec.coUas15Min = 0x26;
    rec.coEsDay = 0x00010028;
    rec.coSesDay = 0x0001002c;
    rec.coUasDay = 0x00010030;
    rec.rtEs15Min = 0x34;
    rec.rtSes15Min = 0x36;
    rec.rtUas15Min = 0x38;
    rec.rtEsDay = 0x0001003c;
    rec.rtSesDay = 0x00010040;
    rec.rtUasDay = 0x00010044;
    rec.status = 1;
    // Name of 33 and a reserved byte; CO 15-minute ES, SES, UAS (16 bits), CO day ES, SES, UAS (32 bits); the same
    // for RT from 52 with two reserved bytes before its day values at 60; status.
    ExpectGolden(rec, Golden(76, {Text(0, Chars('p', 32)), Hex(34, "220024002600280001002c00010030000100340036003800"),
                                  Hex(60, "3c000100400001004400010001000000")}));
}

TEST(RecordsLinesCodec, ProfileNameRec)
{
    // The name of 33 alone.
    ExpectGolden(ProfileNameRec{Chars('n', 32)}, Golden(33, {Text(0, Chars('n', 32))}), &ProfileNameRec::name);
}

TEST(RecordsLinesCodec, BitsAllocRec)
{
    BitsAllocRec rec;
    rec.entityId = 0x04030201;
    rec.downBits[0] = 1;
    rec.downBits[511] = 2;
    rec.upBits[0] = 3;
    rec.upBits[63] = 4;
    // Port; downstream tones 0..511 from 4; upstream tones 0..63 from 516.
    ExpectGolden(rec, Golden(580, {Hex(0, "0102030401"), Hex(515, "0203"), Hex(579, "04")}));
}

TEST(RecordsLinesCodec, LoopDiagCtrlRec)
{
    // Port, line profile name of 36, command, test state, failure reason.
    ExpectGolden(LoopDiagCtrlRec{0x04030201, Chars('L', 35), 1, 3, 17},
                 Golden(52, {Hex(0, "01020304"), Text(4, Chars('L', 35)), Hex(40, "010000000300000011000000")}));
}

TEST(RecordsLinesCodec, LineTestCtrlRec)
{
    // Port, command, test state, failure reason.
    ExpectGolden(LineTestCtrlRec{0x04030201, 2, 3, 17}, Golden(16, {Hex(0, "01020304020000000300000011000000")}));
}

TEST(RecordsLinesCodec, LoopDiagResultRec)
{
    LoopDiagResultRec rec;
    rec.entityId = 0x04030201;
    rec.lineProfile = Chars('R', 35);
    rec.validity = 2;
    rec.downAttainableRate = 0x0001002c;
    rec.upLoopAttenuation = 0x30;
    rec.upSignalAttenuation = 0x32;
    rec.upSnrMargin = -52;
    rec.downTxPower = 0x36;
    rec.upAttainableRate = 0x00010038;
    rec.downLoopAttenuation = 0x3c;
    rec.downSignalAttenuation = 0x3e;
    rec.downSnrMargin = -64;
    rec.upTxPower = 0x42;
    rec.downHlog[0] = 1; // tone 0: 0x0201
    rec.downHlog[1] = 2;
    rec.downHlog[1022] = 3; // tone 511: 0x0403
    rec.downHlog[1023] = 4;
    rec.upHlog[0] = 5;
    rec.upHlog[127] = 6;
    rec.downQln[0] = 7;
    rec.downQln[511] = 8;
    rec.upQln[0] = 9;
    rec.upQln[63] = 10;
    rec.downSnr[0] = 11;
    rec.downSnr[511] = 12;
    rec.upSnr[0] = 13;
    rec.upSnr[63] = 14;
    // Port, profile name of 36, validity; downstream attainable rate, upstream loop and signal attenuation,
    // upstream SNR margin, downstream power; upstream attainable rate, downstream attenuations, downstream margin,
    // upstream power; then the first and last bytes of Hlog down (68) and up (1092), QLN down (1220) and up (1732),
    // SNR down (1796) and up (2308).
    ExpectGolden(rec, Golden(2372, {Hex(0, "01020304"), Text(4, Chars('R', 35)),
                                    Hex(40, "020000002c00010030003200ccff360038000100"
                                            "3c003e00c0ff4200"),
                                    Hex(68, "0102"), Hex(1090, "030405"), Hex(1219, "0607"), Hex(1731, "0809"),
                                    Hex(1795, "0a0b"), Hex(2307, "0c0d"), Hex(2371, "0e")}));
}

TEST(RecordsLinesCodec, LoopMonResultRec)
{
    LoopMonResultRec rec;
    rec.entityId = 0x04030201;
    rec.validity = 2;
    rec.downHlog[0] = 1;
    rec.downHlog[1023] = 2;
    rec.upHlog[0] = 3;
    rec.upHlog[127] = 4;
    rec.downQln[0] = 5;
    rec.downQln[511] = 6;
    rec.upQln[0] = 7;
    rec.upQln[63] = 8;
    // Port, validity; the first and last bytes of Hlog down (8) and up (1032), QLN down (1160) and up (1672).
    ExpectGolden(rec, Golden(1736, {Hex(0, "010203040200000001"), Hex(1031, "0203"), Hex(1159, "0405"),
                                    Hex(1671, "0607"), Hex(1735, "08")}));
}

TEST(RecordsLinesCodec, SeltResultRec)
{
    // Port, validity, cable type, reach length in feet.
    ExpectGolden(SeltResultRec{0x04030201, 2, 1, 3500}, Golden(16, {Hex(0, "010203040200000001000000ac0d0000")}));
}

TEST(RecordsLinesCodec, AdslPowerStateRec)
{
    // Port, target state.
    ExpectGolden(AdslPowerStateRec{0x04030201, 2}, Golden(8, {Hex(0, "0102030402000000")}));
}

TEST(RecordsLinesCodec, AdslRateStatusRec)
{
    AdslRateStatusRec rec;
    rec.entityId = 0x04030201;
    rec.upSnrMargin = -15;
    rec.upAttenuation = 0x0506;
    rec.downOutputPower = -2;
    rec.downAttainableRate = 0x0c0d0e0f;
    rec.downCurrentRate = 0x10111213;
    rec.downPreviousRate = 0x14151617;
    rec.downInterleaveDelay = 0x1819;
    rec.downBlockLength = 0x1c1d1e1f;
    rec.downInp = -3;
    rec.downSnrMargin = 0x2e2f;
    rec.downAttenuation = 0x3031;
    rec.upAttainableRate = 0x34353637;
    rec.upCurrentRate = 0x38393a3b;
    rec.upPreviousRate = 0x3c3d3e3f;
    rec.upOutputPower = 0x4041;
    rec.upInterleaveDelay = 0x4243;
    rec.upBlockLength = 0x44454647;
    rec.upInp = 0x4849;
    rec.lineStandard = 18;
    rec.powerMgmtMode = 1;
    rec.powerState = 3;
    rec.lineStandardValid = 1;
    // Port; upstream margin, attenuation, downstream power; downstream attainable, current and previous rate,
    // interleave delay at 24, block length at 28; downstream INP at 44, margin, attenuation; upstream attainable,
    // current and previous rate from 52, power, interleave delay, block length, INP at 72; line standard at 76, power
    // management mode, power state; the standard's validity at 92.
    ExpectGolden(rec, Golden(96, {Hex(0, "01020304f1ff0605feff0000"),
                                  Hex(12, "0f0e0d0c131211101716151419180000"
                                          "1f1e1d1c"),
                                  Hex(44, "fdff2f2e31300000373635343b3a39383f3e3d3c41404342474645444948"),
                                  Hex(76, "12000000010000000300000000000000"
                                          "01000000")}));
}

TEST(RecordsLinesCodec, VlanBitMapRec)
{
    VlanBitMapRec rec;
    rec.entityId = 0x04030201;
    rec.vlans[0] = 0x80;   // VLAN 0
    rec.vlans[511] = 0x01; // VLAN 4095
    // Entity, then the 512-byte bit map from 4.
    ExpectGolden(rec, Golden(516, {Hex(0, "0102030480"), Hex(515, "01")}));
}

TEST(RecordsLinesCodec, TrunkPmRec)
{
    TrunkPmRec rec;
    rec.entityId = 1;
    rec.incoming = {2, 3, 4, 5, 6};
    rec.outgoing = {7, 8, 9, 10, 11};
    rec.incomingPauseFrames = 12;
    rec.outgoingPauseFrames = 13;
    // Port; incoming octets, unicast, non-unicast, discarded, erroneous; the same outgoing; PAUSE frames in and out.
    ExpectGolden(rec, Golden(52, {Hex(0, "0100000002000000030000000400000005000000060000000700000008000000"
                                         "090000000a0000000b0000000c0000000d000000")}));
}

TEST(RecordsLinesCodec, TrunkPortRec)
{
    // Port, Administrative State, oper state, auto-negotiation, speed, medium and the last 16-bit field.
    ExpectGolden(TrunkPortRec{0x04030201, 2, 1, 5, 1000000000, 3, 0x0707},
                 Golden(24, {Hex(0, "0102030402000000010000000500000000ca9a3b03000707")}));
}

TEST(RecordsLinesCodec, TrunkPortModeRec)
{
    // Port, uplink.
    ExpectGolden(TrunkPortModeRec{0x04030201, 1}, Golden(8, {Hex(0, "0102030401000000")}));
}

TEST(RecordsLinesCodec, LinkAggregationRec)
{
    LinkAggregationRec rec;
    rec.aggregationType = 3;
    rec.systemPriority = 0x1234;
    rec.group1Activity = 1;
    rec.group1Timeout = 2;
    rec.group2Activity = 3;
    rec.group2Timeout = 4;
    rec.port1Group = 1;
    rec.port1Priority = 0x5678;
    rec.port2Group = 2;
    rec.port2Priority = 0x9abc;
    // Type, system priority and two reserved bytes, group 1 activity and timeout, group 2's; port 1 group, a reserved
    // byte, priority; port 2 the same.
    ExpectGolden(rec, Golden(32, {Hex(0, "030000003412"), Hex(8, "0100000002000000030000000400000001"),
                                  Hex(26, "785602"), Hex(30, "bc9a")}));
}

TEST(RecordsLinesCodec, LacpPortStatusRec)
{
    LacpPortStatusRec rec;
    rec.aggregatorIfIndex = 0x04030201;
    rec.actor = {0x8001, {0x00, 0x11, 0x22, 0x33, 0x44, 0x55}, 0x0102, 0x0304, 0x0506};
    rec.actorState = 0x3d;
    rec.partner = {0x8002, {0x66, 0x77, 0x88, 0x99, 0xaa, 0xbb}, 0x0708, 0x090a, 0x0b0c};
    rec.partnerState = 0xff;
    // Aggregator; actor system priority, system id, key, port priority, port id, state and a reserved byte; the
    // partner's from 20, its state at 34, five reserved bytes.
    ExpectGolden(
        rec, Golden(40, {Hex(0, "0102030401800011223344550201040306053d"), Hex(20, "028066778899aabb08070a090c0bff")}));
}

TEST(RecordsLinesCodec, RstpBridgeRec)
{
    RstpBridgeRec rec;
    rec.adminState = 1;
    rec.version = 2;
    rec.priority = 0x8000;
    rec.mac = {0x00, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e};
    rec.maxAge = 20;
    rec.helloTime = 2;
    rec.forwardDelay = 15;
    rec.txHoldCount = 6;
    rec.timeSinceTopologyChange = 0x00010014;
    rec.topologyChanges = 7;
    rec.reserved28 = {1, 2, 3, 4, 5, 6, 7, 8};
    rec.rootCost = 20000;
    rec.rootPort = 0x8001;
    rec.rootMaxAge = 21;
    rec.rootHelloTime = 3;
    rec.rootForwardDelay = 16;
    // State, version, priority, MAC, max age, hello, forward delay, hold count, time since the topology change and
    // its count, eight reserved bytes, root cost and port, the root's three times, a reserved byte.
    ExpectGolden(rec, Golden(48, {Hex(0, "01000000020000000080000a0b0c0d0e14020f06"),
                                  Hex(20, "14000100070000000102030405060708204e000001800000150310")}));
}

TEST(RecordsLinesCodec, RstpPortRec)
{
    RstpPortRec rec;
    rec.entityId = 0x04030201;
    rec.priority = 0x80;
    rec.adminState = 1;
    rec.adminPathCost = 200000;
    rec.mcheck = 0x10;
    rec.adminEdgePort = 0x14;
    rec.adminPointToPoint = 2;
    rec.stpState = 5;
    rec.operPathCost = 0x20;
    rec.forwardTransitions = 0x24;
    rec.operEdgePort = 0x28;
    rec.operPointToPoint = 0x2c;
    rec.rootBridgePriority = 0x8000;
    rec.rootBridgeMac = {0x02, 0x04, 0x06, 0x08, 0x0a, 0x0c};
    rec.rootPathCost = 0x00010038;
    rec.designatedBridgePriority = 0x9000;
    rec.designatedBridgeMac = {0x01, 0x03, 0x05, 0x07, 0x09, 0x0b};
    rec.designatedPortId = 0x8002;
    // Port, priority and three reserved bytes; admin state, path cost, mcheck, edge, point-to-point; STP state, oper
    // path cost, forward transitions, oper edge, oper point-to-point; root bridge priority and MAC, root path cost,
    // designated bridge priority and MAC, designated port id, two reserved bytes.
    ExpectGolden(rec, Golden(72, {Hex(0, "0102030480"), Hex(8, "01000000400d0300100000001400000002000000"),
                                  Hex(28, "050000002000000024000000280000002c000000"),
                                  Hex(48, "0080020406080a0c38000100009001030507090b0280")}));
}

TEST(RecordsLinesCodec, CosMappingRec)
{
    CosMappingRec rec;
    rec.queues = {3, 1, 2, 4, 5, 6, 7, 8};
    rec.dscpRemapping = 1;
    rec.dscp = {13, 1, 2, 3, 4, 5, 6, 12};
    // Eight queues, the re-mapping state, eight re-marking codes from 12.
    ExpectGolden(rec, Golden(44, {Hex(0, "030102040506070801000000"),
                                  Hex(12, "0d0000000100000002000000030000000400000005000000060000000c000000")}));
}

TEST(RecordsLinesCodec, SfpInfoRec)
{
    SfpInfoRec rec;
    rec.entityId = 0x04030201;
    rec.identifier = 3;
    rec.connector = 7;
    rec.compliance = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02};
    rec.encoding = 5;
    rec.nominalBitRate = 12;
    rec.length9umKm = 10;
    rec.length9um100m = 100;
    rec.length50um10m = 55;
    rec.length62um10m = 30;
    rec.lengthCopperM = 25;
    rec.vendorName = Chars('V', 16);
    rec.vendorOui = {0x0a, 0x90, 0x65};
    rec.vendorPartNumber = Chars('p', 16);
    rec.vendorSerialNumber = Chars('0', 16);
    rec.wavelength = 850;
    // Port, identifier, connector, seven compliance bytes and a reserved one, encoding, bit rate, the five lengths;
    // vendor name of 17, OUI, part number and serial number of 17 each, wavelength, two reserved bytes.
    ExpectGolden(rec, Golden(88, {Hex(0, "01020304030007008040201008040200"), Hex(16, "05000c000a00640037001e001900"),
                                  Text(30, Chars('V', 16)), Hex(47, "0a9065"), Text(50, Chars('p', 16)),
                                  Text(67, Chars('0', 16)), Hex(84, "5203")}));
}

TEST(RecordsLinesCodec, ShdslLineProfileRec)
{
    ShdslLineProfileRec rec;
    rec.name = Chars('S', 32);
    rec.wireInterface = 2;
    rec.minRate = 72000;
    rec.maxRate = 2312000;
    rec.currentMarginDown = 6;
    rec.worstMarginDown = 0xf6; // -10 dB
    rec.currentMarginUp = 21;
    rec.worstMarginUp = 0xff; // -1 dB
    rec.usedMargins = 0xa0;
    rec.annex = 0xc0;
    rec.psdMask = 2;
    rec.lineProbe = 1;
    rec.rowState = 4;
    // Name of 33 and three bytes of padding, wire interface, minimum and maximum rate, the four margin bytes (current
    // and worst downstream, current and worst upstream), used margins, annex, PSD mask, line probe, row state.
    ExpectGolden(rec, Golden(72, {Text(0, Chars('S', 32)),
                                  Hex(36, "02000000401901004047230006f615ffa0000000c00000000200000001000000"
                                          "04000000")}));
}

TEST(RecordsLinesCodec, ShdslPmThresholdProfileRec)
{
    // Name of 33 and a byte of padding, loop attenuation, SNR margin, ES, SES, UAS, LOSWS, CRC, row state.
    ExpectGolden(ShdslPmThresholdProfileRec{Chars('t', 32), 126, -3, 900, 800, 700, 600, 44100, 1},
                 Golden(52, {Text(0, Chars('t', 32)), Hex(34, "7e00fdff84032003bc02580244ac01000000")}));
}

TEST(RecordsLinesCodec, ShdslPortRec)
{
    ShdslPortRec rec;
    rec.entityId = 0x04030201;
    rec.lineProfile = Chars('A', 32);
    rec.pmThresholdProfile = Chars('a', 32);
    rec.enableState = 2;
    rec.operState = 3;
    rec.subscriber = Chars('0', 23);
    rec.service = 1;
    rec.subscriberClass = 4;
    // Port, line and PM threshold profile names of 33 and two bytes of padding, enable and operational state,
    // subscriber of 24 from 80, service, class.
    ExpectGolden(rec,
                 Golden(112, {Hex(0, "01020304"), Text(4, Chars('A', 32)), Text(37, Chars('a', 32)),
                              Hex(72, "0200000003000000"), Text(80, Chars('0', 23)), Hex(104, "0100000004000000")}));
}

TEST(RecordsLinesCodec, ShdslRateStatusRec)
{
    // Port, transmission mode, attainable and current rate, STU-C and STU-R SNR margin, STU-C and STU-R attenuation.
    ExpectGolden(ShdslRateStatusRec{0x04030201, 0xc0, 2312000, 2056000, 7, 8, 9, 10},
                 Golden(32, {Hex(0, "01020304c000000040472300405f1f000700000008000000090000000a000000")}));
}

TEST(RecordsLinesCodec, ShdslPmRec)
{
    ShdslPmRec rec;
    rec.entityId = 1;
    rec.side = 2;
    rec.elapsed15Min = 3;
    rec.current15Min = {4, 5, 6, 7, 8};
    rec.elapsedDay = 9;
    rec.currentDay = {10, 11, 12, 13, 14};
    rec.previousDay = {15, 16, 17, 18, 19};
    // Port and side; 15 minutes elapsed, ES, SES, UAS, LOSWS, CRC; day elapsed at 32 and the same counters; the
    // previous day's from 56.
    ExpectGolden(rec, Golden(76, {Hex(0, "0100000002000000030000000400000005000000060000000700000008000000"),
                                  Hex(32, "090000000a0000000b0000000c0000000d0000000e000000"),
                                  Hex(56, "0f00000010000000110000001200000013000000")}));
}

TEST(RecordsLinesCodec, ShdslPmQueryRec)
{
    // Port, side.
    ExpectGolden(ShdslPmQueryRec{0x04030201, 2}, Golden(8, {Hex(0, "0102030402000000")}));
}

TEST(RecordsLinesCodec, ShdslIntervalRec)
{
    ShdslIntervalRec rec;
    rec.entityId = 1;
    rec.side = 2;
    rec.intervalSelector = 3;
    rec.counters = {4, 5, 6, 7, 8};
    rec.createTime = 1700000000;
    // Three words not read, ES, SES, UAS, LOSWS, CRC, the creation time.
    ExpectGolden(rec, Golden(36, {Hex(0, "0100000002000000030000000400000005000000060000000700000008000000"),
                                  Hex(32, "00f15365")}));
}

TEST(RecordsLinesCodec, ShdslHistoryQueryRec)
{
    // Port, side, the interval selector byte, three bytes of padding.
    ExpectGolden(ShdslHistoryQueryRec{0x04030201, 2, 7}, Golden(12, {Hex(0, "010203040200000007")}));
}

} // namespace
