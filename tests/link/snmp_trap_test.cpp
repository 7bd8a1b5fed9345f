// Notifications: classification of v1 traps, v2c traps and informs, the entityStateChange content, and the
// receiver's source filter, inform answers and counters. What net-snmp's snmptrap and snmpinform send is classified
// in snmp_interop_test.

#include "link/snmp/snmp_request_map.h"
#include "link/snmp/snmp_trap.h"
#include "link/snmp/snmp_trap_receiver.h"
#include "tarvik_test_paths.h"
#include "tests/link/snmp_test_support.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

const std::filesystem::path kDataDir = std::filesystem::path(TARVIK_TEST_DATA_DIR) / "snmp";

CSnmpOid Oid(const std::string& text)
{
    return CSnmpOid::Parse(text).value();
}

Bytes Encode(const SnmpMessage& message)
{
    Bytes bytes;
    EXPECT_EQ(EncodeSnmpMessage(message, &bytes), BerError::None);
    return bytes;
}

SnmpTrapDecodeResult Decode(const Bytes& bytes, SnmpTrapEvent* event)
{
    return DecodeSnmpTrap(bytes.data(), bytes.size(), event);
}

EntityStateRec SampleState()
{
    EntityStateRec state;
    state.entityId = 10203;
    state.stateBits = 0x24;
    state.severity = 2;
    state.onlineType = 30;
    state.plannedType = 30;
    state.occurTime = 1700000000;
    state.receiveTime = 1700000001;
    state.alarmClass = 1;
    return state;
}

TEST(SnmpTrap, V1GenericTrapsAndOthers)
{
    struct Row {
        int32_t generic;
        int32_t specific;
        const char* enterprise;
        SnmpTrapKind kind;
    };
    const Row rows[] = {
        {0, 0, "1.3.6.1.4.1.32473.1.2", SnmpTrapKind::ColdStart},
        {1, 0, "1.3.6.1.4.1.32473.1.2", SnmpTrapKind::WarmStart},
        {2, 0, "1.3.6.1.4.1.32473.1.2", SnmpTrapKind::Other},
        {6, 2, "1.3.6.1.4.1.32473.1.0", SnmpTrapKind::Other},
        {6, 1, "1.3.6.1.4.1.9999", SnmpTrapKind::Other},
    };
    for (const Row& row : rows) {
        SnmpMessage trap;
        trap.pdu.type = SnmpPduType::TrapV1;
        trap.pdu.enterprise = Oid(row.enterprise);
        trap.pdu.genericTrap = row.generic;
        trap.pdu.specificTrap = row.specific;
        SnmpTrapEvent event;
        ASSERT_EQ(Decode(Encode(trap), &event), SnmpTrapDecodeResult::Ok) << row.generic;
        EXPECT_EQ(event.kind, row.kind) << row.generic << "/" << row.specific;
    }
}

// A v2c notification names itself by its snmpTrapOID.0: coldStart .1.3.6.1.6.3.1.1.5.1 and warmStart ...5.2; others
// (linkDown ...5.3) are only logged.
TEST(SnmpTrap, V2cNotificationsByTheirTrapOid)
{
    const struct {
        const char* trapOid;
        SnmpTrapKind kind;
    } rows[] = {
        {"1.3.6.1.6.3.1.1.5.1", SnmpTrapKind::ColdStart},
        {"1.3.6.1.6.3.1.1.5.2", SnmpTrapKind::WarmStart},
        {"1.3.6.1.6.3.1.1.5.3", SnmpTrapKind::Other},
    };
    for (const auto& row : rows) {
        SnmpMessage trap;
        trap.version = SnmpVersion::V2c;
        trap.pdu.type = SnmpPduType::TrapV2;
        trap.pdu.varbinds = {{Oid("1.3.6.1.2.1.1.3.0"), SnmpValue::TimeTicks(5)},
                             {Oid("1.3.6.1.6.3.1.1.4.1.0"), SnmpValue::ObjectId(Oid(row.trapOid))}};
        SnmpTrapEvent event;
        ASSERT_EQ(Decode(Encode(trap), &event), SnmpTrapDecodeResult::Ok) << row.trapOid;
        EXPECT_EQ(event.kind, row.kind) << row.trapOid;
        EXPECT_EQ(event.upTime, 5u);
    }
}

TEST(SnmpTrap, BrokenNotificationsAreRefused)
{
    const CSnmpOid state = Oid("1.3.6.1.4.1.32473.1.325.1");
    auto v2 = [](std::vector<SnmpVarBind> varbinds) {
        SnmpMessage m;
        m.version = SnmpVersion::V2c;
        m.pdu.type = SnmpPduType::TrapV2;
        m.pdu.varbinds = std::move(varbinds);
        return m;
    };
    const SnmpVarBind upTime{SnmpSysUpTimeOid(), SnmpValue::TimeTicks(1)};
    const SnmpVarBind isStateChange{SnmpTrapOidOid(), SnmpValue::ObjectId(SnmpEntityStateChangeTrapOid())};
    struct Row {
        const char* name;
        Bytes bytes;
        SnmpTrapDecodeResult expected;
    };
    SnmpMessage get;
    get.pdu.type = SnmpPduType::GetRequest;
    const Row rows[] = {
        {"garbage", {0x30, 0x03, 0x02, 0x01}, SnmpTrapDecodeResult::Malformed},
        {"a request", Encode(get), SnmpTrapDecodeResult::NotANotification},
        {"no sysUpTime first", Encode(v2({isStateChange, upTime})), SnmpTrapDecodeResult::BadContent},
        {"no snmpTrapOID", Encode(v2({upTime})), SnmpTrapDecodeResult::BadContent},
        {"snmpTrapOID not an OID", Encode(v2({upTime, {SnmpTrapOidOid(), SnmpValue::Octets("x")}})),
         SnmpTrapDecodeResult::BadContent},
        {"state change without state", Encode(v2({upTime, isStateChange})), SnmpTrapDecodeResult::BadContent},
        {"two entities",
         Encode(v2({upTime,
                    isStateChange,
                    {state.Appended(2).Appended(10100), SnmpValue::Gauge32(1)},
                    {state.Appended(2).Appended(10200), SnmpValue::Gauge32(1)}})),
         SnmpTrapDecodeResult::BadContent},
        {"column of the wrong type",
         Encode(v2({upTime, isStateChange, {state.Appended(3).Appended(10100), SnmpValue::Octets("2")}})),
         SnmpTrapDecodeResult::BadContent},
        {"unknown column",
         Encode(v2({upTime, isStateChange, {state.Appended(99).Appended(10100), SnmpValue::Gauge32(1)}})),
         SnmpTrapDecodeResult::BadContent},
    };
    for (const Row& row : rows) {
        SnmpTrapEvent event;
        EXPECT_EQ(Decode(row.bytes, &event), row.expected) << row.name;
    }
}

class SnmpTrapReceiverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(receiver_.Open(0, snmp_test::kLoopback), 0);
        ASSERT_EQ(sender_.Open({127, 0, 0, 1}, 0), 0);
        ASSERT_EQ(stranger_.Open({127, 0, 0, 2}, 0), 0);
    }
    void Send(CUdpSocket& from, const Bytes& bytes)
    {
        ASSERT_EQ(from.SendTo(bytes.data(), bytes.size(), {snmp_test::kLoopback, receiver_.LocalPort()}), 0);
    }
    // Handles what has arrived.
    void Drain()
    {
        while (receiver_.ReceiveOne(200, [this](const SnmpTrapEvent& e, const UdpEndpoint&) { events_.push_back(e); }))
            ;
    }

    CSnmpTrapReceiver receiver_;
    CUdpSocket sender_;
    CUdpSocket stranger_;
    std::vector<SnmpTrapEvent> events_;
};

TEST_F(SnmpTrapReceiverTest, TakesTheNesNotificationsOnlyAndCountsTheRest)
{
    receiver_.SetSourceAddress(std::array<uint8_t, 4>{127, 0, 0, 1});
    const Bytes stateChange = Encode(BuildEntityStateChangeTrap(SnmpVersion::V2c, "public", 1, SampleState(), 1, {}));
    Send(sender_, stateChange);
    Send(stranger_, stateChange);
    Send(sender_, {0x30, 0x80, 0x00, 0x00});
    Send(sender_, snmp_test::ReadFile(kDataDir / "netsnmp_v1_get.bin"));
    Send(sender_, snmp_test::ReadFile(kDataDir / "netsnmp_v2c_trap.bin"));
    Drain();
    ASSERT_EQ(events_.size(), 2u);
    EXPECT_EQ(events_[0].kind, SnmpTrapKind::EntityStateChange);
    EXPECT_EQ(events_[0].state, SampleState());
    EXPECT_EQ(events_[1].kind, SnmpTrapKind::ColdStart);
    SnmpTrapReceiverStats stats = receiver_.Stats();
    EXPECT_EQ(stats.datagrams, 5u);
    EXPECT_EQ(stats.accepted, 2u);
    EXPECT_EQ(stats.foreignSource, 1u);
    EXPECT_EQ(stats.malformed, 1u);
    EXPECT_EQ(stats.notNotifications, 1u);
}

TEST_F(SnmpTrapReceiverTest, InformsAreAnswered)
{
    receiver_.SetSourceAddress(std::nullopt);
    const Bytes inform = snmp_test::ReadFile(kDataDir / "netsnmp_v2c_inform.bin");
    Send(sender_, inform);
    Drain();
    ASSERT_EQ(events_.size(), 1u);
    EXPECT_EQ(receiver_.Stats().informsAnswered, 1u);
    Bytes buffer(2000);
    UdpEndpoint from;
    int n = sender_.ReceiveFrom(buffer.data(), buffer.size(), &from, 2000);
    ASSERT_GT(n, 0);
    SnmpMessage answer;
    ASSERT_EQ(DecodeSnmpMessage(buffer.data(), static_cast<size_t>(n), &answer), BerError::None);
    EXPECT_EQ(answer.pdu.type, SnmpPduType::Response);
    EXPECT_EQ(answer.pdu.requestId, 0x23e94dee);
    // A foreign inform is neither taken nor answered.
    receiver_.SetSourceAddress(std::array<uint8_t, 4>{127, 0, 0, 1});
    Send(stranger_, inform);
    Drain();
    EXPECT_EQ(events_.size(), 1u);
    EXPECT_EQ(stranger_.ReceiveFrom(buffer.data(), buffer.size(), &from, 100), CUdpSocket::kTimedOut);
}

TEST_F(SnmpTrapReceiverTest, OversizedDatagramIsCountedAndDropped)
{
    receiver_.SetSourceAddress(std::nullopt);
    Bytes huge(65507, 0x30);
    Send(sender_, huge);
    Send(sender_, snmp_test::ReadFile(kDataDir / "netsnmp_v2c_trap.bin"));
    Drain();
    EXPECT_EQ(events_.size(), 1u);
    EXPECT_EQ(receiver_.Stats().malformed, 1u);
}

} // namespace
