// Interoperation with real SNMP software (Debian's snmpd, snmptrapd's tools and the snmp command-line tools): our
// manager against snmpd on a loopback port with a configuration of its own, the simulated NE agent under
// snmpget, snmpwalk, snmpbulkwalk and snmpset, and our notification receiver fed by snmptrap and snmpinform.

#include "link/driver_result.h"
#include "link/records/ne_config_record.h"
#include "link/records/ne_time_record.h"
#include "link/server_message_dispatcher.h"
#include "link/snmp/net_drv_snmp_agent.h"
#include "link/snmp/snmp_request_executor.h"
#include "link/snmp/snmp_table_walker.h"
#include "link/snmp/snmp_trap_receiver.h"
#include "tests/core/temp_file_test.h"
#include "tests/link/snmp_test_support.h"

#include <gtest/gtest.h>

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

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

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
                     std::vector<std::string> args)
    {
        std::vector<std::string> command{
            "/usr/bin/" + tool, "-v", version, "-c", community, "-On", "-OQ", "-Ot", "-Oe", "-t", "2", "-r", "1",
            Endpoint(port_)};
        command.insert(command.end(), args.begin(), args.end());
        std::string out;
        EXPECT_EQ(RunCommand(command, &out), 0) << tool;
        return out;
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
                     std::vector<std::string> args, int expectedStatus = 0)
    {
        std::vector<std::string> command{
            "/usr/bin/" + tool,     "-v", version, "-c", community, "-On", "-OQ", "-Ot", "-Oe", "-t", "2", "-r", "1",
            Endpoint(agent_.Port())};
        command.insert(command.end(), args.begin(), args.end());
        std::string out;
        EXPECT_EQ(RunCommand(command, &out), expectedStatus) << tool;
        return out;
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
    const std::vector<std::string> communities = Lines(Tool("snmpwalk", "1", "private", {kR + ".307"}));
    ASSERT_EQ(communities.size(), 12u);
    EXPECT_EQ(communities[0], kR + ".307.1.1.6.112.117.98.108.105.99 = \"public\"");
    EXPECT_EQ(communities[11], kR + ".307.1.4.7.114.101.116.105.114.101.100 = 1");
    // The whole alarm log: 250 entries of seven columns, column by column.
    std::vector<std::string> lines = Lines(Tool("snmpbulkwalk", "2c", "public", {kR + ".328"}));
    ASSERT_EQ(lines.size(), 250u * 7u);
    EXPECT_EQ(lines.front(), kR + ".328.1.1.1 = 1");
    EXPECT_EQ(lines[249], kR + ".328.1.1.250 = 250");
    EXPECT_EQ(lines.back().rfind(kR + ".328.1.7.250 = ", 0), 0u);
    // The same walk by GET-NEXT.
    EXPECT_EQ(Lines(Tool("snmpwalk", "2c", "public", {kR + ".328"})), lines);
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
    const std::vector<std::string> allUsers = Lines(Tool("snmpwalk", "2c", "private", {kR + ".316"}));
    for (const char* version : {"1", "2c"}) {
        SCOPED_TRACE(version);
        EXPECT_EQ(Tool("snmpget", version, "public", {qurimPassword}, 2), "");
        EXPECT_EQ(Tool("snmpwalk", version, "public", {kR + ".307"}).find(".307.1."), std::string::npos);
        std::vector<std::string> users = Lines(Tool("snmpwalk", version, "public", {kR + ".316"}));
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

} // namespace
