// Interoperation with real SNMP software (Debian's snmpd, snmptrapd's tools and the snmp command-line tools): our
// manager against snmpd on a loopback port with a configuration of its own, the simulated NE agent under
// snmpget, snmpwalk, snmpbulkwalk and snmpset, and our notification receiver fed by snmptrap and snmpinform.

#include "link/driver_result.h"
#include "link/records/adsl_current_pm_rec.h"
#include "link/records/adsl_line_profile_rec.h"
#include "link/records/adsl_rate_status_rec.h"
#include "link/records/arp_proxy_entry_rec.h"
#include "link/records/boot_partition_record.h"
#include "link/records/dhcp_broadcast_control_rec.h"
#include "link/records/dhcp_relay_server_rec.h"
#include "link/records/dhcp_transaction_rec.h"
#include "link/records/fdb_entry_rec.h"
#include "link/records/hw_mon_rec.h"
#include "link/records/hw_mon_threshold_rec.h"
#include "link/records/line_test_ctrl_rec.h"
#include "link/records/long_term_pm_item_rec.h"
#include "link/records/ne_alarm_input_rec.h"
#include "link/records/ne_config_record.h"
#include "link/records/ne_snmp_manager_record.h"
#include "link/records/ne_time_record.h"
#include "link/records/oam_loopback_rec.h"
#include "link/records/profile_name_rec.h"
#include "link/records/pvc_rec.h"
#include "link/records/remote_ne_record.h"
#include "link/records/request_codes.h"
#include "link/records/secured_host_record.h"
#include "link/records/sfp_info_rec.h"
#include "link/records/shdsl_interval_rec.h"
#include "link/records/shdsl_pm_rec.h"
#include "link/records/shdsl_pm_threshold_profile_rec.h"
#include "link/records/shdsl_port_rec.h"
#include "link/records/trunk_port_rec.h"
#include "link/records/vlan_bit_map_rec.h"
#include "link/records/word_record.h"
#include "link/records/xdsl_pm_interval_rec.h"
#include "link/records/xdsl_pm_threshold_profile_rec.h"
#include "link/server_message_dispatcher.h"
#include "link/snmp/net_drv_snmp_agent.h"
#include "link/snmp/snmp_request_executor.h"
#include "link/snmp/snmp_table_walker.h"
#include "link/snmp/snmp_trap_receiver.h"
#include "tarvik_test_paths.h"
#include "tests/core/temp_file_test.h"
#include "tests/link/snmp_test_support.h"
#include "tests/link/snmp_tool_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <sstream>

namespace {

using snmp_test::RunCommand;

const std::string kDataDir = std::string(TARVIK_TEST_DATA_DIR) + "/snmp";
const std::string kR = ".1.3.6.1.4.1.32473.1";

CSnmpOid Oid(const std::string& text)
{
    return CSnmpOid::Parse(text).value();
}

// A value as the tools print it with -On -OQ -Ot -Oe.
std::string Render(const SnmpVarBind& vb)
{
    std::string value;
    const SnmpValue& v = vb.value;
    switch (v.type) {
    case SnmpType::OctetString:
        value = "\"" + v.Text() + "\"";
        break;
    case SnmpType::Integer:
        value = std::to_string(v.integer);
        break;
    case SnmpType::ObjectId:
        value = "." + v.oid.Format();
        break;
    case SnmpType::IpAddress:
        value = std::to_string(v.bytes[0]) + "." + std::to_string(v.bytes[1]) + "." + std::to_string(v.bytes[2]) + "." +
                std::to_string(v.bytes[3]);
        break;
    default:
        value = std::to_string(v.number);
        break;
    }
    return "." + vb.oid.Format() + " = " + value;
}

using snmp_test::TextLines;

std::string Endpoint(uint16_t port)
{
    return "127.0.0.1:" + std::to_string(port);
}

void RequireTools()
{
    for (const char* tool : {"/usr/sbin/snmpd", "/usr/bin/snmpget", "/usr/bin/snmpgetnext", "/usr/bin/snmpwalk",
                             "/usr/bin/snmpbulkwalk", "/usr/bin/snmpset", "/usr/bin/snmptrap", "/usr/bin/snmpinform"})
        ASSERT_TRUE(snmp_test::ToolExists(tool)) << tool << " is missing: run scripts/setup.sh";
}

// snmpd on a free loopback port with its own configuration and state directory (never the system daemon).
class SnmpdTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RequireTools();
        port_ = snmp_test::FreeUdpPort();
        WriteText(dir_ / "snmpd.conf", "agentaddress udp:" + Endpoint(port_) +
                                           "\nrocommunity public 127.0.0.1\nrwcommunity private 127.0.0.1\n");
        ASSERT_TRUE(snmpd_.Start({"/usr/sbin/snmpd", "-f", "-C", "-c", (dir_ / "snmpd.conf").string(), "-Lf",
                                  (dir_ / "snmpd.log").string(), "-p", (dir_ / "snmpd.pid").string()},
                                 {"SNMP_PERSISTENT_DIR=" + dir_.string()}));
        // Ready when it answers.
        CSnmpSession probe;
        ASSERT_EQ(probe.Open(Config("public", SnmpVersion::V2c)), kDrvOk);
        probe.SetTimeout(200, 0);
        std::vector<SnmpVarBind> values;
        int result = kDrvTimeout;
        for (int i = 0; i < 50 && result != kDrvOk; ++i)
            result = probe.Get({Oid("1.3.6.1.2.1.1.3.0")}, &values);
        ASSERT_EQ(result, kDrvOk) << "snmpd did not start";
    }
    void TearDown() override { snmpd_.Stop(); }
    SnmpSessionConfig Config(const std::string& community, SnmpVersion version) const
    {
        SnmpSessionConfig config;
        config.agent = {snmp_test::kLoopback, port_};
        config.community = community;
        config.version = version;
        config.timeoutMs = 2000;
        config.retries = 1;
        return config;
    }
    std::string Tool(const std::string& tool, const std::string& version, const std::string& community,
                     const std::vector<std::string>& args)
    {
        return snmp_test::RunSnmpTool(tool, version, community, Endpoint(port_), args);
    }

    CTempDir temp_;
    const std::filesystem::path dir_ = temp_.Path();
    uint16_t port_ = 0;
    snmp_test::CChildProcess snmpd_;
};

TEST_F(SnmpdTest, GetAndGetNextAgreeWithSnmpget)
{
    const std::vector<CSnmpOid> oids = {Oid("1.3.6.1.2.1.1.1.0"), Oid("1.3.6.1.2.1.1.2.0"), Oid("1.3.6.1.2.1.1.5.0")};
    for (SnmpVersion version : {SnmpVersion::V1, SnmpVersion::V2c}) {
        CSnmpSession session;
        ASSERT_EQ(session.Open(Config("public", version)), kDrvOk);
        std::vector<SnmpVarBind> values;
        ASSERT_EQ(session.Get(oids, &values), kDrvOk);
        std::string expected;
        for (const SnmpVarBind& vb : values)
            expected += Render(vb) + "\n";
        const std::string v = version == SnmpVersion::V1 ? "1" : "2c";
        EXPECT_EQ(Tool("snmpget", v, "public", {"1.3.6.1.2.1.1.1.0", "1.3.6.1.2.1.1.2.0", "1.3.6.1.2.1.1.5.0"}),
                  expected);

        SnmpPdu response;
        ASSERT_EQ(
            session.Exchange(SnmpPduType::GetNextRequest, {{Oid("1.3.6.1.2.1.1.1.0"), SnmpValue::Null()}}, &response),
            kDrvOk);
        ASSERT_EQ(response.errorStatus, 0);
        EXPECT_EQ(Tool("snmpgetnext", v, "public", {"1.3.6.1.2.1.1.1.0"}), Render(response.varbinds[0]) + "\n");
    }
}

TEST_F(SnmpdTest, WalkOfTheInterfaceTableAgreesWithSnmpwalk)
{
    const std::vector<CSnmpOid> columns = {Oid("1.3.6.1.2.1.2.2.1.1"), Oid("1.3.6.1.2.1.2.2.1.2"),
                                           Oid("1.3.6.1.2.1.2.2.1.3"), Oid("1.3.6.1.2.1.2.2.1.4")};
    std::string expected;
    for (const CSnmpOid& column : columns)
        expected += Tool("snmpwalk", "1", "public", {column.Format()});
    ASSERT_FALSE(expected.empty());
    for (SnmpVersion version : {SnmpVersion::V1, SnmpVersion::V2c}) {
        CSnmpSession session;
        ASSERT_EQ(session.Open(Config("public", version)), kDrvOk);
        SnmpWalkOptions options;
        options.useBulk = version == SnmpVersion::V2c;
        std::vector<SnmpWalkRow> rows;
        ASSERT_EQ(WalkSnmpTable(session, columns, options, &rows), kDrvOk);
        std::string walked;
        for (size_t c = 0; c < columns.size(); ++c) {
            for (const SnmpWalkRow& row : rows) {
                if (row.values[c])
                    walked += Render({columns[c].Appended(row.index), *row.values[c]}) + "\n";
            }
        }
        EXPECT_EQ(walked, expected) << (options.useBulk ? "GETBULK" : "GET-NEXT");
    }
}

TEST_F(SnmpdTest, SetWithTheWriteCommunity)
{
    CSnmpSession writer;
    ASSERT_EQ(writer.Open(Config("private", SnmpVersion::V2c)), kDrvOk);
    ASSERT_EQ(writer.Set({{Oid("1.3.6.1.2.1.1.4.0"), SnmpValue::Octets("noc@tarvik.test")}}), kDrvOk);
    EXPECT_EQ(Tool("snmpget", "2c", "public", {"1.3.6.1.2.1.1.4.0"}), ".1.3.6.1.2.1.1.4.0 = \"noc@tarvik.test\"\n");
    for (SnmpVersion version : {SnmpVersion::V1, SnmpVersion::V2c}) {
        CSnmpSession reader;
        ASSERT_EQ(reader.Open(Config("public", version)), kDrvOk);
        int result = reader.Set({{Oid("1.3.6.1.2.1.1.4.0"), SnmpValue::Octets("x")}});
        EXPECT_TRUE(result == kDrvSnmpNoSuchName || result == kDrvSnmpGeneralError || result == kDrvSnmpReadOnly)
            << result;
    }
}

class NetSnmpToolsAgainstAgentTest : public ::testing::Test {
protected:
    void SetUp() override { RequireTools(); }
    std::string Tool(const std::string& tool, const std::string& version, const std::string& community,
                     const std::vector<std::string>& args, int expectedStatus = 0)
    {
        return snmp_test::RunSnmpTool(tool, version, community, Endpoint(agent_.Port()), args, expectedStatus);
    }
    SnmpReplyData Query(uint16_t code, const std::string& community = "public")
    {
        CSnmpSession session;
        SnmpSessionConfig config;
        config.agent = agent_.Endpoint();
        config.community = community;
        EXPECT_EQ(session.Open(config), kDrvOk);
        CSnmpRequestExecutor executor(DefaultSnmpRequestMap(), session);
        std::vector<uint8_t> record(124, 0);
        EmsMsg request;
        BuildEmsMsg(&request, kEmsOpQuery, code, static_cast<uint32_t>(record.size()), record.data(), 1);
        SnmpReplyData reply;
        EXPECT_EQ(executor.Execute(request, &reply), kDrvOk);
        return reply;
    }
    // A query whose body names what it selects; the records decoded.
    template <class Rec, class Body> std::vector<Rec> Query(uint16_t code, const Body& body)
    {
        CSnmpSession session;
        SnmpSessionConfig config;
        config.agent = agent_.Endpoint();
        config.community = "public";
        config.version = SnmpVersion::V2c;
        EXPECT_EQ(session.Open(config), kDrvOk);
        CSnmpRequestExecutor executor(DefaultSnmpRequestMap(), session);
        auto bytes = EncodeRecord(body);
        EmsMsg request;
        BuildEmsMsg(&request, kEmsOpQuery, code, static_cast<uint32_t>(bytes.size()), bytes.data(), 1);
        SnmpReplyData reply;
        EXPECT_EQ(executor.Execute(request, &reply), kDrvOk);
        std::vector<Rec> records;
        EXPECT_TRUE(DecodeRecords(reply.records.data(), reply.count, reply.recordSize, &records));
        return records;
    }

    int Write(uint16_t code, std::vector<uint8_t> record)
    {
        CSnmpSession session;
        SnmpSessionConfig config;
        config.agent = agent_.Endpoint();
        config.community = "private";
        EXPECT_EQ(session.Open(config), kDrvOk);
        CSnmpRequestExecutor executor(DefaultSnmpRequestMap(), session);
        EmsMsg request;
        BuildEmsMsg(&request, kEmsOpModify, code, static_cast<uint32_t>(record.size()), record.data(), 1);
        SnmpReplyData reply;
        return executor.Execute(request, &reply);
    }

    snmp_test::CAgentProcess agent_;
};

// The NE's configuration (303) is its MIB-II system group and scalars of the private subtree: what snmpset writes the
// driver reads, and what the driver writes snmpget reads.
TEST_F(NetSnmpToolsAgainstAgentTest, TheNesConfigurationIsItsSystemGroupAndPrivateScalars)
{
    ASSERT_TRUE(agent_.Start());
    EXPECT_EQ(Tool("snmpset", "2c", "private", {"1.3.6.1.2.1.1.5.0", "s", "lab-ne", kR + ".303.0.10", "a", "10.9.8.7"}),
              ".1.3.6.1.2.1.1.5.0 = \"lab-ne\"\n" + kR + ".303.0.10 = 10.9.8.7\n");
    SnmpReplyData read = Query(kReqNeConfig);
    NeConfigRecord config;
    ASSERT_TRUE(DecodeRecord(read.records.data(), read.records.size(), &config));
    EXPECT_EQ(config.sysName, "lab-ne");
    EXPECT_EQ(config.ugeIp, (std::array<uint8_t, 4>{10, 9, 8, 7}));
    EXPECT_EQ(Tool("snmpget", "2c", "public", {"1.3.6.1.2.1.1.2.0"}),
              ".1.3.6.1.2.1.1.2.0 = ." + config.sysObjectId + "\n");

    config.contact = "NOC desk";
    config.nmeIp = {192, 168, 7, 1};
    ASSERT_EQ(Write(kReqNeConfig, EncodeRecords(std::vector<NeConfigRecord>{config})), kDrvOk);
    EXPECT_EQ(Tool("snmpget", "2c", "public", {"1.3.6.1.2.1.1.4.0", kR + ".303.0.13"}),
              ".1.3.6.1.2.1.1.4.0 = \"NOC desk\"\n" + kR + ".303.0.13 = 192.168.7.1\n");
    // The up time and the description are the NE's own: a write leaves them.
    EXPECT_EQ(Tool("snmpset", "2c", "private", {"1.3.6.1.2.1.1.1.0", "s", "other"}, 2), "");
}

TEST_F(NetSnmpToolsAgainstAgentTest, GetWalkAndBulkWalk)
{
    ASSERT_TRUE(agent_.Start({"--scenario", kDataDir + "/ne_agent_ipd48.ini"}));
    EXPECT_EQ(Tool("snmpget", "1", "public", {"1.3.6.1.2.1.1.1.0", "1.3.6.1.2.1.1.2.0", "1.3.6.1.2.1.1.5.0"}),
              ".1.3.6.1.2.1.1.1.0 = \"IPD-48 simulated NE\"\n"
              ".1.3.6.1.2.1.1.2.0 = .1.3.6.1.4.1.32473.1.4\n"
              ".1.3.6.1.2.1.1.5.0 = \"ipd48-lab\"\n");
    // Rows by their index, a name as its length and characters: three communities of four columns.
    const std::vector<std::string> communities = TextLines(Tool("snmpwalk", "1", "private", {kR + ".307"}));
    ASSERT_EQ(communities.size(), 12u);
    EXPECT_EQ(communities[0], kR + ".307.1.1.6.112.117.98.108.105.99 = \"public\"");
    EXPECT_EQ(communities[11], kR + ".307.1.4.7.114.101.116.105.114.101.100 = 1");
    // The whole alarm log: 250 entries of seven columns, column by column.
    std::vector<std::string> lines = TextLines(Tool("snmpbulkwalk", "2c", "public", {kR + ".328"}));
    ASSERT_EQ(lines.size(), 250u * 7u);
    EXPECT_EQ(lines.front(), kR + ".328.1.1.1 = 1");
    EXPECT_EQ(lines[249], kR + ".328.1.1.250 = 250");
    EXPECT_EQ(lines.back().rfind(kR + ".328.1.7.250 = ", 0), 0u);
    // The same walk by GET-NEXT.
    EXPECT_EQ(TextLines(Tool("snmpwalk", "2c", "public", {kR + ".328"})), lines);
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".325.1.1.99999"}),
              kR + ".325.1.1.99999 = No Such Instance currently exists at this OID\n");
}

// The communities and the NE users' passwords are secret to a read-only community: a GET is refused, a walk passes
// over them. The user names and levels stay readable for the direct login.
TEST_F(NetSnmpToolsAgainstAgentTest, SecretColumnsNeedTheWriteCommunity)
{
    ASSERT_TRUE(agent_.Start({"--scenario", kDataDir + "/ne_agent_ipd48.ini"}));
    const std::string qurimPassword = kR + ".316.1.2.5.113.117.114.105.109";
    EXPECT_EQ(Tool("snmpget", "2c", "private", {qurimPassword}), qurimPassword + " = \"qurim\"\n");
    const std::vector<std::string> allUsers = TextLines(Tool("snmpwalk", "2c", "private", {kR + ".316"}));
    for (const char* version : {"1", "2c"}) {
        SCOPED_TRACE(version);
        EXPECT_EQ(Tool("snmpget", version, "public", {qurimPassword}, 2), "");
        EXPECT_EQ(Tool("snmpwalk", version, "public", {kR + ".307"}).find(".307.1."), std::string::npos);
        std::vector<std::string> users = TextLines(Tool("snmpwalk", version, "public", {kR + ".316"}));
        std::vector<std::string> withoutPasswords;
        for (const std::string& line : allUsers) {
            if (line.rfind(kR + ".316.1.2.", 0) != 0)
                withoutPasswords.push_back(line);
        }
        EXPECT_EQ(users, withoutPasswords);
        EXPECT_EQ(users.size(), 12u); // names, levels, states and row states of three users
    }
}

TEST_F(NetSnmpToolsAgainstAgentTest, SnmpsetChangesWhatTheDriverReads)
{
    ASSERT_TRUE(agent_.Start());
    EXPECT_EQ(Tool("snmpset", "2c", "private", {kR + ".300.0.3", "i", "7"}), kR + ".300.0.3 = 7\n");
    SnmpReplyData time = Query(kReqNeTime);
    NeTimeRecord rec;
    ASSERT_TRUE(DecodeRecord(time.records.data(), time.records.size(), &rec));
    EXPECT_EQ(rec.timeZone, 7);

    // Refusals (a read-only community, a wrong type, a value out of range) change nothing.
    Tool("snmpset", "2c", "public", {kR + ".300.0.3", "i", "1"}, 2);
    Tool("snmpset", "1", "private", {kR + ".300.0.3", "s", "one"}, 2);
    Tool("snmpset", "2c", "private", {kR + ".300.0.3", "i", "40000"}, 2);
    time = Query(kReqNeTime);
    ASSERT_TRUE(DecodeRecord(time.records.data(), time.records.size(), &rec));
    EXPECT_EQ(rec.timeZone, 7);
}

// The tests the workstation runs on the NE in direct mode: an OAM loopback writes the port, the PVC and the kinds of
// cells as scalars that the tools read back, and the SNMP check is an action only the write community may set.
TEST_F(NetSnmpToolsAgainstAgentTest, OamLoopbackAndSnmpCheckAsTheToolsSeeThem)
{
    ASSERT_TRUE(agent_.Start());
    ASSERT_EQ(Write(kReqOamLoopback, EncodeRecords(std::vector<OamLoopbackRec>{{10101, 8, 35, 0, 1}})), kDrvOk);
    EXPECT_EQ(Tool("snmpget", "2c", "public",
                   {kR + ".344.0.1", kR + ".344.0.2", kR + ".344.0.3", kR + ".344.0.4", kR + ".344.0.5"}),
              kR + ".344.0.1 = 10101\n" + kR + ".344.0.2 = 8\n" + kR + ".344.0.3 = 35\n" + kR + ".344.0.4 = 0\n" + kR +
                  ".344.0.5 = 1\n");

    EXPECT_EQ(Write(kReqNeSnmpCheck, {0}), kDrvOk);
    EXPECT_EQ(Tool("snmpset", "2c", "private", {kR + ".345.0", "i", "1"}), kR + ".345.0 = 1\n");
    EXPECT_EQ(Tool("snmpset", "2c", "public", {kR + ".345.0", "i", "1"}, 2), "");
}

// The NE's settings are scalars and tables of its private subtree: what snmpset writes the driver reads, a value out of
// the NE's range is refused and changes nothing, and the tools read a VLAN's MAC limit and the protocol-based VLANs
// the scenario gives.
TEST_F(NetSnmpToolsAgainstAgentTest, TheNesSettingsAsTheToolsAndTheDriverSeeThem)
{
    ASSERT_TRUE(agent_.Start({"--scenario", kDataDir + "/ne_agent_ipd48.ini"}));
    EXPECT_EQ(Tool("snmpset", "2c", "private", {kR + ".324.0.1", "u", "30"}), kR + ".324.0.1 = 30\n");
    WordRecord timeout;
    SnmpReplyData reply = Query(kReqTelnetTimeout);
    ASSERT_TRUE(DecodeRecord(reply.records.data(), reply.records.size(), &timeout));
    EXPECT_EQ(timeout.value, 30u);

    Tool("snmpset", "2c", "private", {kR + ".324.0.1", "u", "0"}, 2);
    Tool("snmpset", "2c", "private", {kR + ".302.0.2", "u", "5"}, 2);
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".324.0.1", kR + ".302.0.2"}),
              kR + ".324.0.1 = 30\n" + kR + ".302.0.2 = 300\n");

    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".530.1.2.100", kR + ".530.1.3.100", kR + ".530.1.2.4094"}),
              kR + ".530.1.2.100 = 500\n" + kR + ".530.1.3.100 = 1\n" + kR + ".530.1.2.4094 = 15360\n");
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".540.1.2.2048"}), kR + ".540.1.2.2048 = \"ipv4-data\"\n");
}

// The NE's PVCs as the tools and the driver see them: a PVC's cells by its port, VPI and VCI; the driver's query of a
// card reads the PVCs of its ports; and the rule check that snmpset writes is answered with its verdict on reading.
TEST_F(NetSnmpToolsAgainstAgentTest, PvcsAndTheirRuleCheckAsTheToolsAndTheDriverSeeThem)
{
    ASSERT_TRUE(agent_.Start({"--scenario", kDataDir + "/ne_agent_ipd48.ini"}));
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".410.1.5.10101.0.35", kR + ".410.1.9.10101.0.35"}),
              kR + ".410.1.5.10101.0.35 = 300\n" + kR + ".410.1.9.10101.0.35 = \"office\"\n");
    PvcRec card;
    card.portId = 10100;
    EXPECT_EQ(Query<PvcRec>(kReqPvc, card).size(), 2u);
    PvcRec port;
    port.portId = 10102;
    const std::vector<PvcRec> ofPort = Query<PvcRec>(kReqPvc, port);
    ASSERT_EQ(ofPort.size(), 1u);
    EXPECT_EQ(ofPort.front().dhcpIpLimit, 4);

    // A range inside the one of PVC 1-1-1 0/35, offered to a new PVC of the port.
    EXPECT_EQ(Tool("snmpset", "2c", "private",
                   {kR + ".413.0.1",  "u", "10101", kR + ".413.0.3", "u", "41", kR + ".413.0.7",  "u", "2",
                    kR + ".413.0.6",  "u", "8",     kR + ".413.0.9", "u", "4",  kR + ".413.0.10", "a", "198.51.100.9",
                    kR + ".413.0.11", "u", "2"})
                  .empty(),
              false);
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".413.0.15", kR + ".413.0.16", kR + ".413.0.17", kR + ".413.0.19"}),
              kR + ".413.0.15 = " + std::to_string((1u << 26) | (1u << 2)) + "\n" + kR + ".413.0.16 = 1\n" + kR +
                  ".413.0.17 = 10101\n" + kR + ".413.0.19 = 35\n");
}

// The firmware in direct mode: the boot partition to use next is the writable one of its two scalars, and the
// upgrade of an SHDSL card sets the table's action to the card's id, which then reports itself in transmission.
TEST_F(NetSnmpToolsAgainstAgentTest, BootPartitionsAndShdslCardUpgrades)
{
    ASSERT_TRUE(agent_.Start({"--scenario", kDataDir + "/ne_agent_ipd48.ini"}));
    EXPECT_EQ(Tool("snmpset", "2c", "private", {kR + ".310.0.2", "u", "2"}), kR + ".310.0.2 = 2\n");
    Tool("snmpset", "2c", "private", {kR + ".310.0.1", "u", "2"}, 2);
    SnmpReplyData read = Query(kReqNeBootPartition);
    BootPartitionRecord partitions;
    ASSERT_TRUE(DecodeRecord(read.records.data(), read.records.size(), &partitions));
    EXPECT_EQ(partitions, (BootPartitionRecord{1, 2}));

    EXPECT_EQ(TextLines(Tool("snmpwalk", "2c", "public", {kR + ".322.1.3"})),
              (std::vector<std::string>{kR + ".322.1.3.10300 = 1", kR + ".322.1.3.20400 = 4"}));
    const auto upgrade = EncodeRecord(WordRecord{10300});
    ASSERT_EQ(Write(kReqShdslCardUpgrade, {upgrade.begin(), upgrade.end()}), kDrvOk);
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".322.1.3.10300"}), kR + ".322.1.3.10300 = 2\n");
    // A card the NE does not have is refused.
    Tool("snmpset", "2c", "private", {kR + ".322.0", "u", "10400"}, 2);
    const auto absent = EncodeRecord(WordRecord{10400});
    EXPECT_NE(Write(kReqShdslCardUpgrade, {absent.begin(), absent.end()}), kDrvOk);
}

// The NE's alarm inputs (336), hardware readings (337) and temperature thresholds (338) are a table, a table and
// scalars of the private subtree: what snmpset writes the driver reads, an input's current state is the NE's own, and a
// walk finds every reading the driver reads.
TEST_F(NetSnmpToolsAgainstAgentTest, AlarmInputsReadingsAndThresholdsAreOfThePrivateSubtree)
{
    ASSERT_TRUE(agent_.Start({"--scenario", kDataDir + "/ne_agent_ipd48.ini"}));
    EXPECT_EQ(Tool("snmpset", "2c", "private", {kR + ".336.1.2.12601", "s", "Gate"}),
              kR + ".336.1.2.12601 = \"Gate\"\n");
    Tool("snmpset", "2c", "private", {kR + ".336.1.5.12601", "u", "1"}, 2);
    const SnmpReplyData inputs = Query(kReqNeAlarmInput);
    NeAlarmInputRec door;
    ASSERT_TRUE(DecodeRecord(inputs.records.data(), inputs.records.size(), &door));
    EXPECT_EQ(door.entityId, 12601u);
    EXPECT_EQ(door.name, "Gate");
    EXPECT_EQ(door.currentState, 2u);

    EXPECT_EQ(Tool("snmpset", "2c", "private", {kR + ".338.0.1", "i", "55", kR + ".338.0.2", "i", "-10"}),
              kR + ".338.0.1 = 55\n" + kR + ".338.0.2 = -10\n");
    const SnmpReplyData thresholds = Query(kReqHwMonThreshold);
    HwMonThresholdRec written;
    ASSERT_TRUE(DecodeRecord(thresholds.records.data(), thresholds.records.size(), &written));
    EXPECT_EQ(written, (HwMonThresholdRec{55, -10}));

    const SnmpReplyData readings = Query(kReqHwMonitor);
    EXPECT_GT(readings.count, 0u);
    EXPECT_EQ(TextLines(Tool("snmpwalk", "2c", "public", {kR + ".337.1.1"})).size(), readings.count);
}

// A port's PM as the tools see it and as the driver reads it: the day of intervals kept of the port, its counters
// (a record's counters are columns of the table), a long-term PM item made with snmpset and the records collected
// for it, a range of creation times read as a range of rows.
TEST_F(NetSnmpToolsAgainstAgentTest, PortPmAsTheToolsAndTheDriverReadIt)
{
    ASSERT_TRUE(agent_.Start({"--scenario", kDataDir + "/ne_agent_ipd48.ini"}));
    const std::string port = "10103";

    const std::vector<XdslPmIntervalRec> day = Query<XdslPmIntervalRec>(kReqAdslHistoryCo, AdslHistoryQueryRec{10103});
    const std::vector<std::string> numbers = TextLines(Tool("snmpbulkwalk", "2c", "public", {kR + ".616.1.2." + port}));
    ASSERT_EQ(day.size(), 96u);
    ASSERT_EQ(numbers.size(), 96u);
    EXPECT_EQ(numbers.front(), kR + ".616.1.2." + port + ".1 = 1");
    for (size_t i = 0; i < day.size(); ++i) {
        EXPECT_EQ(day[i].entityId, 10103u);
        EXPECT_EQ(day[i].intervalId, i + 1);
        EXPECT_EQ(day[i].createTime, day.front().createTime - 900 * i) << "the latest first, 15 minutes apart";
    }
    // Column 4 of the interval table is the counters' ES.
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".616.1.4." + port + ".2"}),
              kR + ".616.1.4." + port + ".2 = " + std::to_string(day[1].counters.es) + "\n");

    // The previous day's counters stay as they are for the day: the tool reads the driver's.
    const std::vector<AdslCurrentPmRec> current = Query<AdslCurrentPmRec>(kReqAdslPmCo, WordRecord{10103});
    ASSERT_EQ(current.size(), 1u);
    EXPECT_EQ(current.front().entityId, 10103u);
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".600.1.26." + port}),
              kR + ".600.1.26." + port + " = " + std::to_string(current.front().previousDay.txCells) + "\n");

    const auto now = static_cast<int32_t>(std::time(nullptr));
    const int32_t start = now - 3 * 3600;
    const int32_t stop = now + 3600;
    const std::string item = kR + ".100.1.%." + port + ".48";
    auto cell = [&item](char column) { return std::string(item).replace(item.find('%'), 1, 1, column); };
    Tool("snmpset", "2c", "private",
         {cell('3'), "i", std::to_string(start), cell('4'), "i", std::to_string(stop), cell('5'), "i", "4"});
    const SnmpReplyData items = Query(kReqLongTermPmItem);
    std::vector<LongTermPmItemRec> listed;
    ASSERT_TRUE(DecodeRecords(items.records.data(), items.count, items.recordSize, &listed));
    EXPECT_NE(std::find(listed.begin(), listed.end(), LongTermPmItemRec{10103, 48, start, stop}), listed.end());

    // Twelve intervals ended inside the window; a range of two hours' creation times holds eight of them.
    const std::vector<std::string> times = TextLines(Tool("snmpwalk", "2c", "public", {kR + ".110.1.12." + port}));
    ASSERT_EQ(times.size(), 12u);
    const uint32_t first = static_cast<uint32_t>(start) / 900 * 900 + 900;
    EXPECT_EQ(times.front(), kR + ".110.1.12." + port + "." + std::to_string(first) + " = " + std::to_string(first));
    const std::vector<XdslPmIntervalRec> range =
        Query<XdslPmIntervalRec>(kReqLongTermPmRt, LongTermPmQueryRec{10103, static_cast<int32_t>(first + 900),
                                                                      static_cast<int32_t>(first + 7200)});
    ASSERT_EQ(range.size(), 8u);
    EXPECT_EQ(range.front().createTime, first + 900);
    EXPECT_EQ(range.back().createTime, first + 7200);
    EXPECT_EQ(range.back().counters.txCells, 0u) << "the remote end counts no cells";
}

// The trunk side of the NE as the tools see it and as the driver reads it: the transceivers' table, a trunk port that
// snmpset disables and keeps its link state, the ARP proxy entries listed under one trunk port's selector, and the
// VLANs of trunk port 2 written as the manual setting and read as its membership.
TEST_F(NetSnmpToolsAgainstAgentTest, TheTrunkSideAsTheToolsAndTheDriverReadIt)
{
    ASSERT_TRUE(agent_.Start({"--scenario", kDataDir + "/ne_agent_ipd48.ini"}));
    const SnmpReplyData sfp = Query(kReqSfp);
    std::vector<SfpInfoRec> modules;
    ASSERT_TRUE(DecodeRecords(sfp.records.data(), sfp.count, sfp.recordSize, &modules));
    ASSERT_EQ(modules.size(), 2u);
    EXPECT_EQ(TextLines(Tool("snmpwalk", "2c", "public", {kR + ".720.1.16"})),
              (std::vector<std::string>{kR + ".720.1.16.12101 = 1310", kR + ".720.1.16.12102 = 850"}));
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".720.1.14.12101"}),
              kR + ".720.1.14.12101 = \"" + modules.front().vendorPartNumber + "\"\n");

    EXPECT_EQ(Tool("snmpset", "2c", "private", {kR + ".710.1.2.12102", "u", "2"}), kR + ".710.1.2.12102 = 2\n");
    const SnmpReplyData ports = Query(kReqTrunkPort);
    std::vector<TrunkPortRec> trunks;
    ASSERT_TRUE(DecodeRecords(ports.records.data(), ports.count, ports.recordSize, &trunks));
    ASSERT_EQ(trunks.size(), 2u);
    EXPECT_EQ(trunks[1].adminState, 2u);
    EXPECT_EQ(trunks[1].medium, 1u) << "what the port reports of itself stays";
    EXPECT_EQ(Tool("snmpset", "2c", "private", {kR + ".710.1.5.12102", "u", "5"}, 2), "") << "its speed is read only";

    // Every entry's selector, and those a trunk port's query names.
    const std::vector<std::string> selectors = TextLines(Tool("snmpwalk", "2c", "public", {kR + ".158.1.1"}));
    EXPECT_GT(selectors.size(), 2u);
    const std::vector<ArpProxyEntryRec> port1 =
        Query<ArpProxyEntryRec>(kReqArpProxyEntry, ArpProxyEntryQueryRec{1, 12100, {}});
    ASSERT_EQ(port1.size(), 1u);
    EXPECT_EQ(port1.front().portId, 12101u);

    VlanBitMapRec vlans;
    vlans.entityId = 12102;
    vlans.vlans[12] = 0x08; // VLAN 100
    EXPECT_EQ(Write(kReqTrunkVlan,
                    [&] {
                        const auto bytes = EncodeRecord(vlans);
                        return std::vector<uint8_t>(bytes.begin(), bytes.end());
                    }()),
              kDrvOk);
    const std::vector<VlanBitMapRec> member = Query<VlanBitMapRec>(kReqTrunkVlanMember, VlanBitMapRec{12102, {}});
    ASSERT_EQ(member.size(), 1u);
    EXPECT_EQ(member.front(), vlans);
}

// An NE's ADSL line and PM threshold profiles as the tools and the driver see them: tables indexed by the profile's
// name, a profile made with snmpset read by the driver and one the driver adds walked by the tool, and the number of
// profiles a count reads.
TEST_F(NetSnmpToolsAgainstAgentTest, TheNesProfilesAsTheToolsAndTheDriverSeeThem)
{
    ASSERT_TRUE(agent_.Start({"--scenario", kDataDir + "/ne_agent_ipd48.ini"}));
    EXPECT_EQ(TextLines(Tool("snmpwalk", "2c", "public", {kR + ".640.1.1"})),
              (std::vector<std::string>{kR + ".640.1.1.7.102.97.115.116.45.56.77 = \"fast-8M\"",
                                        kR + ".640.1.1.9.118.105.100.101.111.45.49.54.77 = \"video-16M\""}));
    const std::string gold = ".4.103.111.108.100";
    Tool("snmpset", "2c", "private", {kR + ".650.1.15" + gold, "i", "4", kR + ".650.1.2" + gold, "u", "25"});
    const std::vector<XdslPmThresholdProfileRec> profiles =
        Query<XdslPmThresholdProfileRec>(kReqPmThresholdProfile, ProfileNameRec{});
    const auto found =
        std::find_if(profiles.begin(), profiles.end(), [](const auto& rec) { return rec.name == "gold"; });
    ASSERT_NE(found, profiles.end());
    EXPECT_EQ(found->coEs15Min, 25);
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".654.0.1"}), kR + ".654.0.1 = 3\n");

    AdslLineProfileRec added;
    added.name = "new";
    added.channelMode = 3;
    added.downMaxRateInterleaved = 2048000;
    const auto bytes = EncodeRecord(added);
    ASSERT_EQ(Write(kReqAdslLineProfileAdd, {bytes.begin(), bytes.end()}), kDrvOk);
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".640.1.21.3.110.101.119"}),
              kR + ".640.1.21.3.110.101.119 = 2048000\n");

    // The SHDSL profile count is that of the fuller SHDSL table: the two line profiles, then the three PM threshold
    // profiles once two are added to the one there was.
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".812.0.1"}), kR + ".812.0.1 = 2\n");
    for (const char* name : {"alarm-2", "alarm-3"}) {
        ShdslPmThresholdProfileRec alarms;
        alarms.name = name;
        alarms.maxLoopAttenuation = 127;
        alarms.rowState = 1;
        const auto record = EncodeRecord(alarms);
        ASSERT_EQ(Write(kReqShdslPmThresholdProfileAdd, {record.begin(), record.end()}), kDrvOk) << name;
    }
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".812.0.1"}), kR + ".812.0.1 = 3\n");
}

// An ADSL line's status, power state and single-ended test as the tools and the driver see them: rows of the port in
// the NE's tables. The tool takes the line into L2 by a write of the port's power row, which the driver's status
// reads; a test the driver starts runs in the tool's read of its control row, a second start the tool writes is
// refused as inconsistent and changes nothing, and the tool's stop cancels it for the driver.
TEST_F(NetSnmpToolsAgainstAgentTest, TheLinesStatusPowerStateAndTestsAsTheToolsAndTheDriverSeeThem)
{
    ASSERT_TRUE(agent_.Start({"--scenario", kDataDir + "/ne_agent_ipd48.ini"}));
    const std::string port = ".10121";
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".661.1.22" + port}), kR + ".661.1.22" + port + " = 0\n");
    Tool("snmpset", "2c", "private", {kR + ".669.1.2" + port, "u", "1"});
    const std::vector<AdslRateStatusRec> status = Query<AdslRateStatusRec>(kReqAdslRateStatus, WordRecord{10121});
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(status[0].entityId, 10121u);
    EXPECT_EQ(status[0].powerState, kAdslPowerL2);

    ASSERT_EQ(Write(kReqSeltCtrl, EncodeRecords(std::vector<LineTestCtrlRec>{{10121, 1, 0, 0}})), kDrvOk);
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".667.1.3" + port}), kR + ".667.1.3" + port + " = 1\n");
    std::string out;
    EXPECT_EQ(RunCommand({"/usr/bin/snmpset", "-v", "2c", "-c", "private", "-On", "-t", "2", "-r", "1",
                          Endpoint(agent_.Port()), kR + ".667.1.2" + port, "u", "1"},
                         &out, true),
              2);
    EXPECT_NE(out.find("inconsistentValue"), std::string::npos) << out;
    Tool("snmpset", "2c", "private", {kR + ".667.1.2" + port, "u", "2"});
    const std::vector<LineTestCtrlRec> control = Query<LineTestCtrlRec>(kReqSeltCtrl, WordRecord{10121});
    ASSERT_EQ(control.size(), 1u);
    EXPECT_EQ(control[0].testState, 4u);
}

// Rows created with createAndGo, up to the table's cap; past it they are refused with the standard error, and nothing
// changes.
TEST_F(NetSnmpToolsAgainstAgentTest, RowsPastTheTableCapAreRefused)
{
    const CTempDir temp;
    WriteText(temp.Path() / "cap.ini", "[AGENT]\nMAXTABLEROWS=3\n"); // beside the two communities of the defaults
    ASSERT_TRUE(agent_.Start({"--scenario", (temp.Path() / "cap.ini").string()}));
    struct Case {
        const char* version;
        const char* name; // as an index: length and characters
        const char* error;
    };
    for (const Case& c : {Case{"2c", ".3.111.112.115", nullptr}, Case{"2c", ".3.110.111.99", "resourceUnavailable"},
                          Case{"1", ".3.110.111.99", "genError"}}) {
        SCOPED_TRACE(std::string(c.version) + c.name);
        std::vector<std::string> command{
            "/usr/bin/snmpset",     "-v", c.version, "-c", "private", "-On", "-OQ", "-t", "2", "-r", "1",
            Endpoint(agent_.Port())};
        for (const char* column : {".2", ".3"})
            command.insert(command.end(), {kR + ".307.1" + column + c.name, "u", "1"});
        command.insert(command.end(), {kR + ".307.1.4" + c.name, "i", "4"});
        std::string out;
        EXPECT_EQ(RunCommand(command, &out, true), c.error == nullptr ? 0 : 2) << out;
        if (c.error != nullptr) {
            EXPECT_NE(out.find(c.error), std::string::npos) << out;
        }
    }
    EXPECT_EQ(Query(kReqNeSnmpCommunity, "private").count, 3u);
}

// What an operator keeps on an NE about who may reach it and what it holds: its SNMP managers, the remote NEs of
// its cascaded management, its secured host sections and its files. Rows snmpset creates the driver reads; secrets
// (a remote NE's community and password) are the write community's only; a file's action deletes it; a copy started
// by snmpset is in progress for the driver.
TEST_F(NetSnmpToolsAgainstAgentTest, TheNesManagersRemoteNesSectionsAndFilesAreItsPrivateTables)
{
    ASSERT_TRUE(agent_.Start());
    const std::string manager = ".192.0.2.10";
    Tool("snmpset", "2c", "private",
         {kR + ".304.1.2" + manager, "s", "traps", kR + ".304.1.3" + manager, "u", "1", kR + ".304.1.4" + manager, "u",
          "1", kR + ".304.1.5" + manager, "i", "4"});
    SnmpReplyData read = Query(kReqNeSnmpManager);
    NeSnmpManagerRecord trapReceiver;
    ASSERT_EQ(read.count, 1u);
    ASSERT_TRUE(DecodeRecord(read.records.data(), read.records.size(), &trapReceiver));
    EXPECT_EQ(trapReceiver, (NeSnmpManagerRecord{{192, 0, 2, 10}, "traps", 1, 1}));

    Tool("snmpset", "2c", "private",
         {kR + ".162.1.2.7", "a", "10.30.0.7", kR + ".162.1.4.7", "s", "remote", kR + ".162.1.6.7", "s", "secret",
          kR + ".162.1.8.7", "u", "1", kR + ".162.1.9.7", "i", "4"});
    read = Query(kReqRemoteNe, "private");
    RemoteNeRecord remote;
    ASSERT_EQ(read.count, 1u);
    ASSERT_TRUE(DecodeRecord(read.records.data(), read.records.size(), &remote));
    EXPECT_EQ(remote.remoteNeId, 7u);
    EXPECT_EQ(remote.community, "remote");
    EXPECT_EQ(remote.loginPassword, "secret");
    const std::string remoteToAll = Tool("snmpwalk", "2c", "public", {kR + ".162"});
    EXPECT_NE(remoteToAll.find("10.30.0.7"), std::string::npos);
    EXPECT_EQ(remoteToAll.find("secret"), std::string::npos);
    EXPECT_EQ(remoteToAll.find("remote"), std::string::npos);

    // Four sections; what snmpset gives the first, the driver reads.
    EXPECT_EQ(TextLines(Tool("snmpwalk", "2c", "public", {kR + ".319.1.1"})).size(), 4u);
    Tool("snmpset", "2c", "private",
         {kR + ".319.1.2.1", "a", "10.0.0.1", kR + ".319.1.3.1", "a", "10.0.0.99", kR + ".319.1.4.1", "u", "144"});
    read = Query(kReqSecuredHost);
    std::vector<SecuredHostRecord> sections(read.count);
    for (uint32_t i = 0; i < read.count; ++i)
        ASSERT_TRUE(DecodeRecord(read.records.data() + i * read.recordSize, read.recordSize, &sections[i]));
    ASSERT_FALSE(sections.empty());
    EXPECT_EQ(sections.front(), (SecuredHostRecord{1, {10, 0, 0, 1}, {10, 0, 0, 99}, 0x90}));

    const std::string startup = ".3.11.115.116.97.114.116.117.112.46.99.102.103"; // cfg, "startup.cfg"
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".361.1.2" + startup}),
              kR + ".361.1.2" + startup + " = \"startup.cfg\"\n");
    Tool("snmpset", "2c", "private", {kR + ".361.1.5" + startup, "u", "1"});
    EXPECT_EQ(Query(kReqNeFsFile).count, 3u);
    Tool("snmpset", "2c", "private",
         {kR + ".362.0.1", "u", "1", kR + ".362.0.2", "s", "ipd-2.4.1.bin", kR + ".362.0.3", "u", "2", kR + ".362.0.4",
          "s", "copy.bin", kR + ".362.0.5", "u", "1"});
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".362.0.6"}), kR + ".362.0.6 = 2\n");
}

// Collects the notifications a receiver takes, on a thread of its own.
class CReceiverThread {
public:
    CReceiverThread()
    {
        receiver_.Open(0, snmp_test::kLoopback);
        thread_ = std::thread([this] {
            while (!stop_)
                receiver_.ReceiveOne(20, [this](const SnmpTrapEvent& e, const UdpEndpoint&) {
                    std::lock_guard<std::mutex> lock(mutex_);
                    events_.push_back(e);
                });
        });
    }
    ~CReceiverThread()
    {
        stop_ = true;
        thread_.join();
    }
    uint16_t Port() const { return receiver_.LocalPort(); }
    std::vector<SnmpTrapEvent> WaitFor(size_t count)
    {
        for (int i = 0; i < 500; ++i) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (events_.size() >= count)
                    return events_;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }
    SnmpTrapReceiverStats Stats() const { return receiver_.Stats(); }

private:
    CSnmpTrapReceiver receiver_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<SnmpTrapEvent> events_;
};

TEST(SnmpInteropTraps, ReceiverTakesSnmptrapAndAnswersSnmpinform)
{
    RequireTools();
    CReceiverThread receiver;
    const std::string target = Endpoint(receiver.Port());
    std::string out;
    ASSERT_EQ(RunCommand({"/usr/bin/snmptrap", "-v", "1", "-c", "public", target, kR + ".0", "127.0.0.1", "6", "1",
                          "4242", kR + ".325.1.3.10203", "i", "2", kR + ".325.1.2.10203", "u", "6"},
                         &out),
              0);
    ASSERT_EQ(
        RunCommand({"/usr/bin/snmptrap", "-v", "2c", "-c", "public", target, "777", ".1.3.6.1.6.3.1.1.5.1"}, &out), 0);
    // snmpinform ends with success only when the inform was answered.
    ASSERT_EQ(RunCommand({"/usr/bin/snmpinform", "-v", "2c", "-c", "public", "-t", "2", "-r", "1", target, "888",
                          kR + ".0.1", kR + ".325.1.3.10100", "i", "1", kR + ".325.1.5.10100", "u", "31"},
                         &out),
              0);
    std::vector<SnmpTrapEvent> events = receiver.WaitFor(3);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, SnmpTrapKind::EntityStateChange);
    EXPECT_EQ(events[0].state.entityId, 10203u);
    EXPECT_EQ(events[0].state.severity, 2);
    EXPECT_EQ(events[0].state.stateBits, 6u);
    EXPECT_EQ(events[0].upTime, 4242u);
    EXPECT_EQ(events[1].kind, SnmpTrapKind::ColdStart);
    EXPECT_EQ(events[1].upTime, 777u);
    EXPECT_EQ(events[2].kind, SnmpTrapKind::EntityStateChange);
    EXPECT_TRUE(events[2].inform);
    EXPECT_EQ(events[2].state.entityId, 10100u);
    EXPECT_EQ(events[2].state.onlineType, 31u);
    EXPECT_EQ(receiver.Stats().informsAnswered, 1u);
    EXPECT_EQ(receiver.Stats().malformed, 0u);
}

// The SHDSL PM of a port as the tools and the driver see it: each side's row indexed by the port and the side, and a
// query of one side reads that side's rows alone; the port list of a card reads the ports below it.
TEST_F(NetSnmpToolsAgainstAgentTest, ShdslPmOfEachSideAsTheToolsAndTheDriverSeeIt)
{
    ASSERT_TRUE(agent_.Start({"--scenario", kDataDir + "/ne_agent_ipd48.ini"}));
    EXPECT_EQ(Tool("snmpget", "2c", "public", {kR + ".810.1.4.20401.2", kR + ".810.1.3.20401.1"}),
              kR + ".810.1.4.20401.2 = 6\n" + kR + ".810.1.3.20401.1 = 300\n");
    const std::vector<ShdslPmRec> rt = Query<ShdslPmRec>(kReqShdslPm, ShdslPmQueryRec{20401, 2});
    ASSERT_EQ(rt.size(), 1u);
    EXPECT_EQ(rt.front().side, 2u);
    EXPECT_EQ(rt.front().previousDay.es, 1400u);
    const std::vector<ShdslIntervalRec> co =
        Query<ShdslIntervalRec>(kReqShdslHistory, ShdslHistoryQueryRec{20401, 1, 0});
    ASSERT_EQ(co.size(), 2u);
    EXPECT_EQ(co[0].side + co[1].side, 2u) << "the CO side's intervals alone";
    const std::vector<ShdslPmRec> coNow = Query<ShdslPmRec>(kReqShdslPm, ShdslPmQueryRec{20401, 1});
    ASSERT_EQ(coNow.size(), 1u);
    EXPECT_EQ(coNow.front().current15Min.es, 3u);
    ShdslPortRec card;
    card.entityId = 20400;
    EXPECT_EQ(Query<ShdslPortRec>(kReqShdslPort, card).size(), 4u);
}

// DHCP and the line cards' status tables as the tools and the driver see them: the transactions indexed by port, PVC,
// VLAN and transaction id, which a query of a card reads for its ports alone; the broadcast limit that snmpset
// writes the driver reads; a relay server the driver adds the tools walk, up to the NE's four; and a filtering
// database entry the driver deletes is gone from the walk.
TEST_F(NetSnmpToolsAgainstAgentTest, DhcpAndTheStatusTablesAsTheToolsAndTheDriverSeeThem)
{
    ASSERT_TRUE(agent_.Start({"--scenario", kDataDir + "/ne_agent_ipd48.ini"}));
    EXPECT_EQ(TextLines(Tool("snmpwalk", "2c", "public", {kR + ".506.1.5"})),
              (std::vector<std::string>{kR + ".506.1.5.10101.0.35.300.439041101 = 439041101",
                                        kR + ".506.1.5.10102.0.35.300.12648430 = 12648430",
                                        kR + ".506.1.5.10205.0.33.100.119 = 119"}));
    DhcpTransactionRec card;
    card.portId = 10100;
    const std::vector<DhcpTransactionRec> transactions = Query<DhcpTransactionRec>(kReqDhcpTransaction, card);
    ASSERT_EQ(transactions.size(), 2u);
    EXPECT_EQ(transactions[1].transactionId, 0x00c0ffeeu);

    EXPECT_EQ(Tool("snmpset", "2c", "private", {kR + ".505.0.2", "u", "900"}), kR + ".505.0.2 = 900\n");
    DhcpBroadcastControlRec limit;
    const SnmpReplyData reply = Query(kReqDhcpBroadcast);
    ASSERT_TRUE(DecodeRecord(reply.records.data(), reply.records.size(), &limit));
    EXPECT_EQ(limit.rateLimit, 900u);
    EXPECT_EQ(limit.action, 3u);

    DhcpRelayServerRec server;
    server.address = {192, 0, 2, 99};
    server.vlanId = 44;
    const auto bytes = EncodeRecord(server);
    ASSERT_EQ(Write(kReqDhcpRelayServerAdd, {bytes.begin(), bytes.end()}), kDrvOk);
    EXPECT_EQ(TextLines(Tool("snmpwalk", "2c", "public", {kR + ".502.1.2"})),
              (std::vector<std::string>{kR + ".502.1.2.192.0.2.67 = 10", kR + ".502.1.2.192.0.2.99 = 44"}));
    // The NE keeps four relay servers at most.
    for (const uint8_t last : {100, 101, 102}) {
        server.address = {192, 0, 2, last};
        const auto more = EncodeRecord(server);
        EXPECT_EQ(Write(kReqDhcpRelayServerAdd, {more.begin(), more.end()}) == kDrvOk, last != 102) << int{last};
    }
    EXPECT_EQ(TextLines(Tool("snmpwalk", "2c", "public", {kR + ".502.1.2"})).size(), 4u);

    FdbEntryRec entry;
    entry.portId = 10102;
    entry.vci = 35;
    entry.mac = {0x00, 0x0c, 0x29, 0x10, 0x01, 0x02};
    const auto fdb = EncodeRecord(entry);
    ASSERT_EQ(Write(kReqFdbDelete, {fdb.begin(), fdb.end()}), kDrvOk);
    EXPECT_EQ(TextLines(Tool("snmpwalk", "2c", "public", {kR + ".480.1.5"})).size(), 4u);
}

} // namespace
