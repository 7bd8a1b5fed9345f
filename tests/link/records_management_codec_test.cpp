// Golden bytes of the records of the management server and its operators and of the NE's own system functions:
// encoding gives exactly these bytes (every byte not listed is zero), decoding them gives the record back, and a
// buffer one byte short is refused. Each text set fills its field up to the terminating zero, so that a wrong width
// or offset shows.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "link/records/arp_proxy_entry_rec.h"
#include "link/records/arp_proxy_setting_rec.h"
#include "link/records/backup_record.h"
#include "link/records/boot_partition_record.h"
#include "link/records/cascaded_mgmt_record.h"
#include "link/records/cli_prompt_rec.h"
#include "link/records/command_record.h"
#include "link/records/discovery_range_rec.h"
#include "link/records/found_ne_rec.h"
#include "link/records/ne_config_record.h"
#include "link/records/ne_dns_server_rec.h"
#include "link/records/ne_fs_copy_record.h"
#include "link/records/ne_fs_file_record.h"
#include "link/records/ne_fw_upgrade_record.h"
#include "link/records/ne_network_config_rec.h"
#include "link/records/ne_snmp_manager_record.h"
#include "link/records/ne_time_server_record.h"
#include "link/records/op_log_record.h"
#include "link/records/remote_ne_record.h"
#include "link/records/secured_host_record.h"
#include "link/records/server_option_record.h"
#include "link/records/server_resource_record.h"
#include "link/records/server_schedule_record.h"
#include "link/records/shdsl_card_status_record.h"
#include "link/records/state_period_rec.h"
#include "link/records/subscriber_record.h"
#include "link/records/word_record.h"
#include "tests/link/record_golden.h"

namespace {

using record_golden::ExpectGolden;
using record_golden::Golden;
using record_golden::Hex;
using record_golden::Text;

// `count` letters running through the alphabet from `first`: a text long enough to fill a wide field.
std::string Letters(size_t count, char first)
{
    std::string text;
    for (size_t i = 0; i < count; ++i)
        text.push_back(static_cast<char>('A' + (first - 'A' + i) % 26));
    return text;
}

TEST(RecordsManagementCodec, WordRecord)
{
    ExpectGolden(WordRecord{0x01020304}, Golden(4, {Hex(0, "04030201")}));
}

TEST(RecordsManagementCodec, CommandRecord)
{
    // The command line fills the record but for its terminating zero.
    ExpectGolden(CommandRecord{Letters(1023, 'A')}, Golden(1024, {Text(0, Letters(1023, 'A'))}));
}

TEST(RecordsManagementCodec, ServerOptionRecord)
{
    ServerOptionRecord rec;
    rec.snmpTimeout = 5;
    rec.snmpRetries = 3;
    rec.alarmPollMinutes = 1440;
    rec.historyAlarmDays = 30;
    rec.pmDays = 29;
    rec.dailyPmDays = 99;
    rec.opLogDays = 365;
    rec.smtpServer = Letters(60, 'A');
    rec.senderEmail = Letters(60, 'K');
    rec.profileSync = 1;
    rec.timeSyncSeconds = 86400;
    rec.agentPort = 20161;
    rec.trapSending = 2;
    rec.community = "northboundcommunity1";
    rec.nmsManagerIp1 = {10, 0, 0, 1};
    rec.nmsManagerIp2 = {10, 0, 0, 2};
    rec.nmsManagerIp3 = {192, 168, 1, 3};
    rec.nmsManagerIp4 = {172, 16, 0, 4};
    rec.nmsManagerIp5 = {10, 20, 30, 40};
    rec.nmsTrapPort1 = 20162;
    rec.nmsTrapPort2 = 162;
    rec.nmsTrapPort3 = 163;
    rec.nmsTrapPort4 = 1162;
    rec.nmsTrapPort5 = 65535;
    rec.allowUnknownManagers = 3;
    // SNMP time-out and retries, 2 reserved, polling minutes, the three expiry days, 1 reserved, the operator log's
    // days (u16); after the mail texts: profile sync, time sync seconds, agent port, trap sending; after the
    // community: the five manager addresses, 1 reserved, their five trap ports (u16), unknown managers allowed.
    ExpectGolden(rec, Golden(208, {
                                      Hex(0, "05030000a00500001e1d63006d01"),               // SNMP, polling, expiry
                                      Text(14, Letters(60, 'A')),                           // SMTP server
                                      Text(75, Letters(60, 'K')),                           // sender
                                      Hex(136, "0100000080510100c14e000002000000"),         // sync, agent, traps
                                      Text(152, "northboundcommunity1"),                    // community
                                      Hex(173, "0a0000010a000002c0a80103ac1000040a141e28"), // managers
                                      Hex(193, "00c24ea200a3008a04ffff"),                   // trap ports
                                      Hex(204, "03000000"),                                 // unknown managers
                                  }));
}

TEST(RecordsManagementCodec, ServerScheduleRecord)
{
    // Each entry: enabled (u32), hour, minute, weekday, 1 reserved.
    const ScheduleEntryRec neBackup{1, 23, 59, 6};
    ExpectGolden(neBackup, Golden(8, {Hex(0, "01000000173b06")}));
    const ServerScheduleRecord rec{neBackup, {2, 4, 15, 7}, {3, 24, 45, 5}};
    ExpectGolden(rec, Golden(24, {Hex(0, "01000000173b06"), Hex(8, "02000000040f07"), Hex(16, "03000000182d05")}));
}

TEST(RecordsManagementCodec, ServerResourceRecord)
{
    // Free swap and free memory in kB, then the processor load's one byte.
    ExpectGolden(ServerResourceRecord{1048576, 524288, 87}, Golden(9, {Hex(0, "000010000000080057")}));
}

TEST(RecordsManagementCodec, OpLogRecord)
{
    OpLogRecord rec;
    rec.recordNo = 4097;
    rec.operatorName = "operator123";
    rec.neId = 515;
    rec.operation = "NE\x1bModify\x1b" + Letters(110, 'A');
    rec.fromIp = {10, 1, 2, 3};
    rec.time = 1700000000;
    ExpectGolden(rec, Golden(152, {
                                      Hex(0, "01100000"),      // record number
                                      Text(4, "operator123"),  // operator
                                      Hex(16, "03020000"),     // NE id
                                      Text(20, rec.operation), // function ESC action ESC parameters, 120 characters
                                      Hex(141, "0a010203"),    // from address, 3 bytes unused
                                      Hex(148, "00f15365"),    // time
                                  }));
    // Criteria: operator, start, stop, first record, record count.
    const OpLogCriteria criteria{"operator123", 1699990000, 1700000000, 1001, 1000};
    ExpectGolden(criteria, Golden(28, {Text(0, "operator123"), Hex(12, "f0c9536500f15365e9030000e8030000")}));
}

TEST(RecordsManagementCodec, DiscoveryRangeRec)
{
    const DiscoveryRangeRec rec{{10, 0, 1, 1}, {10, 0, 1, 254}, 4, "abcdefghijklmnopqrst", 1};
    // First and last address, model id, community, 3 reserved, state.
    ExpectGolden(
        rec, Golden(40, {Hex(0, "0a0001010a0001fe04000000"), Text(12, "abcdefghijklmnopqrst"), Hex(36, "01000000")}));
}

TEST(RecordsManagementCodec, FoundNeRec)
{
    // Address, model id, system description.
    const FoundNeRec rec{{10, 0, 1, 7}, 2, Letters(255, 'A')};
    ExpectGolden(rec, Golden(264, {Hex(0, "0a00010702000000"), Text(8, Letters(255, 'A'))}));
}

TEST(RecordsManagementCodec, BackupRecord)
{
    // 4 reserved, the file name, 3 reserved, the file size.
    const BackupRecord rec{Letters(60, 'A'), 123456789};
    ExpectGolden(rec, Golden(72, {Text(4, Letters(60, 'A')), Hex(68, "15cd5b07")}));
}

TEST(RecordsManagementCodec, ArpProxyEntryRec)
{
    ArpProxyEntryRec rec;
    rec.selector = 9;
    rec.portId = 10203;
    rec.ipAddress = {192, 168, 1, 20};
    rec.macAddress = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
    rec.flag = 1;
    rec.packetType = 3;
    rec.vlanId = 4094;
    ExpectGolden(rec, Golden(32, {
                                     // selector, port, address, MAC, 2 unused
                                     Hex(0, "09000000db270000c0a80114001122334455"),
                                     // flag, packet type, VLAN id (i16), 2 unused
                                     Hex(20, "0100000003000000fe0f"),
                                 }));
    // The query: 4 reserved, port selector, entity id, address.
    const ArpProxyEntryQueryRec query{2, 10500, {10, 9, 8, 7}};
    ExpectGolden(query, Golden(16, {Hex(4, "02000000042900000a090807")}));
}

TEST(RecordsManagementCodec, ArpProxySettingRec)
{
    // State, aging seconds, life seconds.
    ExpectGolden(ArpProxySettingRec{2, 300, 600}, Golden(12, {Hex(0, "020000002c01000058020000")}));
}

TEST(RecordsManagementCodec, CascadedMgmtRecord)
{
    const CascadedMgmtRecord rec{1, 2, {172, 16, 0, 1}, {255, 255, 0, 0}, 3};
    // State, role, root address, subnet mask, SNTP service.
    ExpectGolden(rec, Golden(20, {Hex(0, "0100000002000000ac100001ffff000003000000")}));
}

TEST(RecordsManagementCodec, RemoteNeRecord)
{
    RemoteNeRecord rec;
    rec.remoteNeId = 100;
    rec.ipAddress = {10, 1, 1, 100};
    rec.note = Letters(128, 'A');
    rec.community = "communitycommunity20";
    rec.loginUser = "user567890123456";
    rec.loginPassword = "pass567890123456";
    rec.operStatus = 1;
    rec.state = 2;
    ExpectGolden(rec, Golden(200, {
                                      Hex(0, "640000000a010164"),        // id, address
                                      Text(8, Letters(128, 'A')),        // note
                                      Text(137, "communitycommunity20"), // community
                                      Text(158, "user567890123456"),     // login user
                                      Text(175, "pass567890123456"),     // login password
                                      Hex(192, "0100000002000000"),      // operational status, state
                                  }));
}

TEST(RecordsManagementCodec, NeFwUpgradeRecord)
{
    NeFwUpgradeRecord rec;
    rec.neId = 17;
    rec.fwVersion = "V2.10.3-build-000123";
    rec.loginUser = "ftpuser890123456";
    rec.loginPassword = "ftppass890123456";
    rec.lastResult = 2;
    rec.lastFile = Letters(35, 'A');
    rec.lastTime = 1700000000;
    ExpectGolden(rec, Golden(104, {
                                      Hex(0, "11000000"),              // NE id
                                      Text(4, "V2.10.3-build-000123"), // firmware version
                                      Text(25, "ftpuser890123456"),    // login user
                                      Text(42, "ftppass890123456"),    // login password, then 1 reserved
                                      Hex(60, "02000000"),             // last result
                                      Text(64, Letters(35, 'A')),      // last file
                                      Hex(100, "00f15365"),            // last time
                                  }));
}

TEST(RecordsManagementCodec, StatePeriodRec)
{
    // State, seconds.
    ExpectGolden(StatePeriodRec{1, 300}, Golden(8, {Hex(0, "010000002c010000")}));
}

TEST(RecordsManagementCodec, NeConfigRecord)
{
    NeConfigRecord rec;
    rec.sysDescription = Letters(255, 'A');
    rec.sysObjectId = Letters(255, 'B');
    rec.upTime = 90061;
    rec.services = 0x4E;
    rec.ugeMac = {0x00, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e};
    rec.nmeMac = {0x00, 0x1a, 0x1b, 0x1c, 0x1d, 0x1e};
    rec.contact = Letters(255, 'C');
    rec.sysName = Letters(255, 'D');
    rec.place = Letters(255, 'E');
    rec.ugeIp = {192, 168, 1, 2};
    rec.ugeMask = {255, 255, 255, 0};
    rec.vlanId = 4000;
    rec.nmeIp = {10, 0, 0, 2};
    rec.nmeMask = {255, 255, 0, 0};
    rec.gateway = {192, 168, 1, 254};
    // From 512: up time, services, UGE MAC, NME MAC. From 1297: UGE address and mask, 1 reserved, VLAN id (u16), NME
    // address and mask, gateway.
    ExpectGolden(rec, Golden(1320, {
                                       Text(0, Letters(255, 'A')),                                  // description
                                       Text(256, Letters(255, 'B')),                                // object id
                                       Hex(512, "cd5f01004e000a0b0c0d0e001a1b1c1d1e"),              // up time, MACs
                                       Text(529, Letters(255, 'C')),                                // contact
                                       Text(785, Letters(255, 'D')),                                // system name
                                       Text(1041, Letters(255, 'E')),                               // place
                                       Hex(1297, "c0a80102ffffff0000a00f0a000002ffff0000c0a801fe"), // addresses
                                   }));
}

TEST(RecordsManagementCodec, NeSnmpManagerRecord)
{
    const NeSnmpManagerRecord rec{{10, 0, 0, 9}, "trapcommunity1234567890", 1, 2};
    // Address, trap community, trap version, state.
    ExpectGolden(rec,
                 Golden(36, {Hex(0, "0a000009"), Text(4, "trapcommunity1234567890"), Hex(28, "0100000002000000")}));
}

TEST(RecordsManagementCodec, BootPartitionRecord)
{
    // Current partition, next partition.
    ExpectGolden(BootPartitionRecord{1, 2}, Golden(8, {Hex(0, "0100000002000000")}));
}

TEST(RecordsManagementCodec, NeDnsServerRec)
{
    const NeDnsServerRec rec{{8, 8, 8, 8}, {8, 8, 4, 4}, {1, 1, 1, 1}};
    ExpectGolden(rec, Golden(12, {Hex(0, "080808080808040401010101")}));
}

TEST(RecordsManagementCodec, NeTimeServerRecord)
{
    NeTimeServerRecord rec;
    rec.protocol = 1;
    rec.periodMinutes = 720;
    rec.servers = {Letters(63, 'A'), Letters(63, 'N'), Letters(63, 'Z')};
    rec.firstServerState = 1;
    rec.secondServerState = 2;
    rec.thirdServerState = 4;
    ExpectGolden(rec, Golden(212, {
                                      Hex(0, "01000000d0020000"),           // protocol, period minutes
                                      Text(8, Letters(63, 'A')),            // first server
                                      Text(72, Letters(63, 'N')),           // second server
                                      Text(136, Letters(63, 'Z')),          // third server
                                      Hex(200, "010000000200000004000000"), // the three servers' states
                                  }));
}

TEST(RecordsManagementCodec, SecuredHostRecord)
{
    const SecuredHostRecord rec{3, {10, 0, 0, 1}, {10, 0, 0, 254}, 0xF0};
    // Section (u8), first and last address, 3 unused, services.
    ExpectGolden(rec, Golden(16, {Hex(0, "030a0000010a0000fe"), Hex(12, "f0000000")}));
}

TEST(RecordsManagementCodec, ShdslCardStatusRecord)
{
    // Card entity id, model id, status.
    ExpectGolden(ShdslCardStatusRecord{10300, 57, 3}, Golden(12, {Hex(0, "3c2800003900000003000000")}));
}

TEST(RecordsManagementCodec, NeFsFileRecord)
{
    const NeFsFileRecord rec{2, Letters(33, 'A'), 1234567, "2024-01-02 03:04:05", 1};
    ExpectGolden(rec, Golden(64, {
                                     Hex(0, "0200"),                  // partition (u16)
                                     Text(2, Letters(33, 'A')),       // name
                                     Hex(36, "87d61200"),             // size (i32)
                                     Text(40, "2024-01-02 03:04:05"), // date and time
                                     Hex(60, "0100"),                 // action (u16), 2 unused
                                 }));
    // A negative size reads back negative.
    ExpectGolden(NeFsFileRecord{3, "mac.cfg", -2, "", 0},
                 Golden(64, {Hex(0, "0300"), Text(2, "mac.cfg"), Hex(36, "feffffff")}));
}

TEST(RecordsManagementCodec, NeFsCopyRecord)
{
    const NeFsCopyRecord rec{2, Letters(35, 'A'), 1, Letters(35, 'M'), 2, 6};
    ExpectGolden(rec, Golden(88, {
                                     Hex(0, "02000000"),          // source partition
                                     Text(4, Letters(35, 'A')),   // source name
                                     Hex(40, "01000000"),         // destination partition
                                     Text(44, Letters(35, 'M')),  // destination name
                                     Hex(80, "0200000006000000"), // destination module, state
                                 }));
}

TEST(RecordsManagementCodec, SubscriberRecord)
{
    SubscriberRecord rec;
    rec.rowNumber = 21;
    rec.neId = 3;
    rec.entityId = 10305;
    rec.subscriberId = "SUB-0000000000000042";
    rec.name = "Jane Subscriber Name";
    rec.serviceType = 2;
    rec.subscriberClass = 1;
    rec.telephone = "+1-555-0100-00000001";
    rec.mobile = "+1-555-0199-00000002";
    rec.email = Letters(60, 'A');
    rec.address = Letters(120, 'C');
    ExpectGolden(rec, Golden(288, {
                                      Hex(0, "150000000300000041280000"), // row number, NE id, port
                                      Text(12, "SUB-0000000000000042"),   // subscriber ID
                                      Text(33, "Jane Subscriber Name"),   // name, then 2 reserved
                                      Hex(56, "0200000001000000"),        // service type, class
                                      Text(64, "+1-555-0100-00000001"),   // telephone
                                      Text(85, "+1-555-0199-00000002"),   // mobile
                                      Text(106, Letters(60, 'A')),        // e-mail
                                      Text(167, Letters(120, 'C')),       // address
                                  }));
    // Criteria: ID and name patterns, 2 reserved, scope entity, first row, row count.
    const SubscriberCriteria criteria{"*SUB-000000000000042", "*Jane Subscriber Nam", 10300, 1001, 1000};
    ExpectGolden(criteria, Golden(56, {Text(0, "*SUB-000000000000042"), Text(21, "*Jane Subscriber Nam"),
                                       Hex(44, "3c280000e9030000e8030000")}));
}

TEST(RecordsManagementCodec, NeNetworkConfigRec)
{
    const NeNetworkConfigRec rec{{10, 0, 0, 2},        {255, 255, 255, 0}, {192, 168, 1, 254}, {192, 168, 1, 2},
                                 {255, 255, 255, 128}, {172, 16, 0, 1},    {255, 255, 0, 0}};
    // NME address and mask, gateway, UGE address and mask, cascaded root address and mask.
    ExpectGolden(rec, Golden(28, {Hex(0, "0a000002ffffff00c0a801fec0a80102ffffff80ac100001ffff0000")}));
}

TEST(RecordsManagementCodec, CliPromptRec)
{
    // The master's prompt, then the slave's.
    ExpectGolden(CliPromptRec{"master-cli", "slave-cli1"}, Golden(22, {Text(0, "master-cli"), Text(11, "slave-cli1")}));
}

} // namespace
