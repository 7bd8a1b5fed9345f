// CNetDrvSnmpAgent on the driver base against the simulated NE agent: connect with the reachability echo,
// notifications through the dispatcher as NE 1, traps, polling, a NE that goes silent and comes back, a slow NE, and
// a trap port that cannot be bound. The login's requests through the driver are the direct login's end-to-end test.

#include "link/driver_result.h"
#include "link/headless_link_ui.h"
#include "link/records/board_setting_rec.h"
#include "link/records/entity_state_rec.h"
#include "link/records/ne_alarm_log_range_rec.h"
#include "link/records/ne_alarm_log_rec.h"
#include "link/records/ne_key_record.h"
#include "link/records/ne_time_record.h"
#include "link/server_message_dispatcher.h"
#include "link/snmp/net_drv_snmp_agent.h"
#include "tests/core/temp_file_test.h"
#include "tests/link/snmp_test_support.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <mutex>

namespace {

struct SeenMessage {
    uint16_t code = 0;
    uint32_t neId = 0;
    uint32_t sequence = 0;
    std::vector<uint8_t> records;
    uint32_t count = 0;
    uint32_t recordSize = 0;
};

class SnmpDriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUiThreadId(std::this_thread::get_id());
        ClearServerMessageQueue();
        for (uint16_t code : std::initializer_list<uint16_t>{kReqNeKey, kReqBoardSetting, kReqEntityState, kReqAlarmDef,
                                                             kReqEntityStateChange}) {
            SetServerMessageRule(code, [this](const EmsMsg& msg, CDispatchEffects&) {
                SeenMessage seen;
                seen.code = msg.requestCode;
                seen.neId = msg.neId;
                seen.sequence = msg.sequence;
                seen.count = static_cast<uint32_t>(msg.count);
                seen.recordSize = msg.recordSize;
                const auto* data = static_cast<const uint8_t*>(msg.records);
                if (data != nullptr)
                    seen.records.assign(data, data + EmsRecordBytes(msg));
                seen_.push_back(std::move(seen));
            });
        }
        trapPort_ = snmp_test::FreeUdpPort();
    }
    void TearDown() override
    {
        driver_.reset();
        ClearServerMessageRules();
        ClearServerMessageQueue();
    }

    void StartDriver(uint32_t waitMs = 300, bool trapPortFree = true)
    {
        SnmpLinkSettings settings;
        settings.waitMs = waitMs;
        settings.retries = 1;
        settings.trapPort = trapPort_;
        settings.pollIntervalS = 0; // polls only when asked
        driver_ = std::make_unique<CNetDrvSnmpAgent>(settings, [this](const std::array<uint8_t, 4>&, int32_t ms) {
            echoTimeoutMs_ = ms;
            return reachable_.load() ? SnmpEchoResult::Reachable : SnmpEchoResult::Unreachable;
        });
        ASSERT_EQ(driver_->Start(), kDrvOk);
        ASSERT_EQ(driver_->GetTrapPort(), trapPortFree ? trapPort_ : 0);
    }
    int Connect(const std::string& community = "public")
    {
        return driver_->EmsConnect(snmp_test::kLoopback, agent_.Port(), "qurim", community);
    }
    int Request(uint8_t op, uint16_t code, std::vector<uint8_t> record, EmsMsg** reply)
    {
        EmsMsg request;
        BuildEmsMsg(&request, op, code, static_cast<uint32_t>(record.size()), record.data(), kDirectNeId);
        return driver_->RequestEmsMsg(&request, reply, 0, CNetDrv::kDefaultTimeout, false);
    }
    // Applies what the driver's threads queued until `done` holds or a few seconds pass.
    bool WaitFor(const std::function<bool()>& done)
    {
        for (int i = 0; i < 500; ++i) {
            DrainServerMessages(100);
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    size_t Count(uint16_t code, bool notificationsOnly = false) const
    {
        size_t n = 0;
        for (const SeenMessage& m : seen_)
            n += m.code == code && (!notificationsOnly || m.sequence == 0) ? 1 : 0;
        return n;
    }

    snmp_test::CAgentProcess agent_;
    std::unique_ptr<CNetDrvSnmpAgent> driver_;
    std::atomic<bool> reachable_{true};
    std::atomic<int32_t> echoTimeoutMs_{-1};
    uint16_t trapPort_ = 0;
    std::vector<SeenMessage> seen_;
};

TEST_F(SnmpDriverTest, ReachabilityEchoGuardsConnectAndRequests)
{
    ASSERT_TRUE(agent_.Start());
    StartDriver();
    reachable_ = false;
    EXPECT_EQ(Connect(), kDrvNeNotReachable);
    EXPECT_FALSE(driver_->IsConnected());
    EXPECT_EQ(echoTimeoutMs_.load(), 1000) << "one echo of 1000 ms, whatever the SNMP time-out";
    reachable_ = true;
    ASSERT_EQ(Connect(), kDrvOk);
    reachable_ = false;
    echoTimeoutMs_ = -1;
    EmsMsg* reply = nullptr;
    EXPECT_EQ(Request(kEmsOpQuery, kReqNeKey, {0}, &reply), kDrvNeNotReachable);
    EXPECT_EQ(echoTimeoutMs_.load(), 1000);
    // Logoff needs no NE.
    EXPECT_EQ(Request(kEmsOpModify, kReqLogoff, {0}, &reply), kDrvOk);
    reachable_ = true;
    EXPECT_EQ(Request(kEmsOpQuery, kReqNeKey, {0}, &reply), kDrvOk);
}

TEST_F(SnmpDriverTest, SilentNeFailsTheConnect)
{
    StartDriver();
    EXPECT_EQ(driver_->EmsConnect(snmp_test::kLoopback, snmp_test::FreeUdpPort(), "qurim", "public"), kDrvTimeout);
    // A wrong community is silence too.
    ASSERT_TRUE(agent_.Start());
    EXPECT_EQ(Connect("nobody"), kDrvTimeout);
    EXPECT_FALSE(driver_->IsConnected());
    EmsMsg* reply = nullptr;
    EXPECT_EQ(Request(kEmsOpQuery, kReqNeKey, {0}, &reply), kDrvNotConnected);
}

TEST_F(SnmpDriverTest, GeneratedAlarmsArriveAsEntityStateNotifications)
{
    ASSERT_TRUE(agent_.Start({"--trap-to", "127.0.0.1:" + std::to_string(trapPort_), "--alarm-interval", "20"}));
    StartDriver();
    ASSERT_EQ(Connect(), kDrvOk);
    ASSERT_TRUE(WaitFor([this] { return Count(kReqEntityStateChange) >= 5; }));
    for (const SeenMessage& m : seen_) {
        if (m.code != kReqEntityStateChange)
            continue;
        EXPECT_EQ(m.neId, kDirectNeId);
        EXPECT_EQ(m.sequence, 0u);
        ASSERT_EQ(m.count, 1u);
        EntityStateRec state;
        ASSERT_TRUE(DecodeRecord(m.records.data(), m.records.size(), &state));
        EXPECT_NE(state.entityId, 0u);
        EXPECT_NE(state.receiveTime, 0u);
        EXPECT_TRUE(state.severity == 99 || (state.severity >= 1 && state.severity <= 5)) << state.severity;
    }
    EXPECT_GE(driver_->GetTrapStats().accepted, 5u);
}

TEST_F(SnmpDriverTest, ColdStartBringsAPollAndABoardQuery)
{
    ASSERT_TRUE(agent_.Start());
    StartDriver();
    ASSERT_EQ(Connect(), kDrvOk);
    CUdpSocket ne;
    ASSERT_EQ(ne.Open(snmp_test::kLoopback, 0), 0);
    SnmpMessage coldStart;
    coldStart.version = SnmpVersion::V1;
    coldStart.community = "public";
    coldStart.pdu.type = SnmpPduType::TrapV1;
    coldStart.pdu.enterprise = CSnmpOid{1, 3, 6, 1, 4, 1, 32473, 1, 2};
    coldStart.pdu.genericTrap = kSnmpTrapColdStart;
    std::vector<uint8_t> bytes;
    ASSERT_EQ(EncodeSnmpMessage(coldStart, &bytes), BerError::None);
    ASSERT_EQ(ne.SendTo(bytes.data(), bytes.size(), {snmp_test::kLoopback, trapPort_}), 0);
    ASSERT_TRUE(WaitFor([this] { return Count(kReqEntityState, true) >= 1 && Count(kReqBoardSetting, true) >= 1; }));
    for (const SeenMessage& m : seen_) {
        if (m.code == kReqBoardSetting) {
            EXPECT_EQ(m.count, 4u);
            EXPECT_EQ(m.recordSize, kBoardSettingRecSize);
        }
    }
    EXPECT_EQ(Count(kReqEntityStateChange), 0u);
}

TEST_F(SnmpDriverTest, SilentNeIsMarkedDisconnectedUntilItAnswersAgain)
{
    ASSERT_TRUE(agent_.Start());
    const uint16_t port = agent_.Port();
    StartDriver();
    ASSERT_EQ(Connect(), kDrvOk);
    driver_->RequestPoll(false);
    ASSERT_TRUE(WaitFor([this] { return Count(kReqEntityState, true) >= 1; }));
    seen_.clear();

    agent_.Stop();
    driver_->RequestPoll(false);
    ASSERT_TRUE(WaitFor([this] { return !driver_->IsConnected() && Count(kReqEntityState, true) >= 1; }));
    EntityStateRec root;
    ASSERT_TRUE(DecodeRecord(seen_.back().records.data(), seen_.back().records.size(), &root));
    EXPECT_EQ(root.entityId, 1u);
    EXPECT_EQ(root.stateBits & 1u, 1u);
    EXPECT_EQ(root.plannedType, 2u); // the last known state, with the disconnected bit
    EmsMsg* reply = nullptr;
    EXPECT_EQ(Request(kEmsOpQuery, kReqNeKey, {0}, &reply), kDrvNotConnected);

    ASSERT_TRUE(agent_.Start({"--port", std::to_string(port)}));
    ASSERT_EQ(agent_.Port(), port);
    driver_->RequestPoll(false);
    ASSERT_TRUE(WaitFor([this] { return driver_->IsConnected(); }));
    EXPECT_EQ(Request(kEmsOpQuery, kReqNeKey, {0}, &reply), kDrvOk);
}

// A poll that finds the NE's up time smaller than the last one (the NE restarted) asks for its boards too.
TEST_F(SnmpDriverTest, PollAfterTheNeRestartedAsksForItsBoards)
{
    ASSERT_TRUE(agent_.Start());
    const uint16_t port = agent_.Port();
    StartDriver();
    ASSERT_EQ(Connect(), kDrvOk);
    std::this_thread::sleep_for(std::chrono::milliseconds(1100)); // an up time of a whole second
    driver_->RequestPoll(false);
    ASSERT_TRUE(WaitFor([this] { return Count(kReqEntityState, true) >= 1; }));
    driver_->RequestPoll(false);
    ASSERT_TRUE(WaitFor([this] { return Count(kReqEntityState, true) >= 2; }));
    EXPECT_EQ(Count(kReqBoardSetting), 0u) << "an NE whose up time goes on";

    agent_.Stop();
    ASSERT_TRUE(agent_.Start({"--port", std::to_string(port)}));
    ASSERT_EQ(agent_.Port(), port);
    driver_->RequestPoll(false);
    ASSERT_TRUE(WaitFor([this] { return Count(kReqEntityState, true) >= 3; }));
    EXPECT_TRUE(WaitFor([this] { return Count(kReqBoardSetting, true) >= 1; })) << "an NE that restarted";
}

TEST_F(SnmpDriverTest, ShutdownDuringAnExchangeEndsIt)
{
    // An NE that answers the connect and then goes silent, while every attempt waits a minute.
    snmp_test::CScriptedResponder ne([](const SnmpMessage& request) -> std::optional<SnmpMessage> {
        if (request.pdu.varbinds.size() == 1 && request.pdu.varbinds[0].oid == SnmpSysUpTimeOid())
            return snmp_test::ResponseTo(request, 0, 0, {{SnmpSysUpTimeOid(), SnmpValue::TimeTicks(1)}});
        return std::nullopt;
    });
    StartDriver(60000);
    ASSERT_EQ(driver_->EmsConnect(snmp_test::kLoopback, ne.Endpoint().port, "qurim", "public"), kDrvOk);
    int result = kDrvOk;
    std::thread caller([&] {
        EmsMsg* reply = nullptr;
        EmsMsg request;
        uint8_t one = 0;
        BuildEmsMsg(&request, kEmsOpQuery, kReqBoardSetting, 1, &one, kDirectNeId);
        result = driver_->RequestEmsMsg(&request, &reply, 0, 120000, false);
    });
    while (ne.Requests() < 2)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    driver_->Shutdown();
    caller.join();
    EXPECT_NE(result, kDrvOk);
    EXPECT_FALSE(driver_->IsConnected());
}

// Each exchange of a query has the whole time-out: a walk that takes longer in all than one time-out, through an NE
// slow to answer each GET-NEXT, succeeds; an NE that stops answering fails the request once one exchange has used
// all its attempts.
TEST_F(SnmpDriverTest, SlowNeAnswersAWalkLongerThanOneTimeOut)
{
    const CTempDir temp;
    WriteText(temp.Path() / "slow.ini", "[AGENT]\nALARMLOGROWS=30\n");
    ASSERT_TRUE(agent_.Start({"--scenario", (temp.Path() / "slow.ini").string(), "--reply-delay", "60"}));
    StartDriver(300); // 600 ms for each exchange: less than the 30 GET-NEXTs of the walk take together
    EXPECT_EQ(driver_->GetTimeout(), 600u);
    ASSERT_EQ(Connect(), kDrvOk);
    EmsMsg* reply = nullptr;
    const auto range = EncodeRecord(NeAlarmLogRangeRec{0, 30});
    EXPECT_EQ(Request(kEmsOpQuery, kReqNeAlarmLog, {range.begin(), range.end()}, &reply), kDrvOk);
    EXPECT_EQ(reply->count, 30);

    // An NE that answers the connect only.
    snmp_test::CScriptedResponder silent([](const SnmpMessage& request) -> std::optional<SnmpMessage> {
        if (request.pdu.type == SnmpPduType::GetRequest && request.pdu.varbinds.size() == 1 &&
            request.pdu.varbinds[0].oid == SnmpSysUpTimeOid())
            return snmp_test::ResponseTo(request, 0, 0, {{SnmpSysUpTimeOid(), SnmpValue::TimeTicks(1)}});
        return std::nullopt;
    });
    ASSERT_EQ(driver_->EmsConnect(snmp_test::kLoopback, silent.Endpoint().port, "qurim", "public"), kDrvOk);
    const int before = silent.Requests();
    EXPECT_EQ(Request(kEmsOpQuery, kReqBoardSetting, {0}, &reply), kDrvTimeout);
    EXPECT_EQ(silent.Requests() - before, 2); // the first attempt and the one retry
}

// In direct mode the NE answers its alarm log (328 from the first to the last record number, 329 the first n) with
// 40-byte records and its clock (300) with one 12-byte record, each reply of operation 4 and the request's code.
TEST_F(SnmpDriverTest, AlarmLogAndClockRepliesAreRecordsOfTheRequestsCode)
{
    const CTempDir temp;
    WriteText(temp.Path() / "log.ini", "[AGENT]\nALARMLOGROWS=10\n");
    ASSERT_TRUE(agent_.Start({"--scenario", (temp.Path() / "log.ini").string()}));
    StartDriver();
    ASSERT_EQ(Connect(), kDrvOk);
    struct Row {
        uint16_t code;
        uint32_t first;
        uint32_t second;
        std::vector<uint32_t> numbers;
    };
    const Row rows[] = {{329, 0, 3, {1, 2, 3}}, {328, 4, 6, {4, 5, 6}}, {328, 10, 10, {10}}, {328, 1, 1, {1}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.code << " " << row.first << ".." << row.second);
        EmsMsg* reply = nullptr;
        const auto range = EncodeRecord(NeAlarmLogRangeRec{row.first, row.second});
        ASSERT_EQ(Request(kEmsOpQuery, row.code, {range.begin(), range.end()}, &reply), kDrvOk);
        EXPECT_EQ(reply->operation, 4);
        EXPECT_EQ(reply->requestCode, row.code);
        ASSERT_EQ(reply->recordSize, 40u);
        std::vector<uint32_t> numbers;
        for (int32_t i = 0; i < reply->count; ++i) {
            NeAlarmLogRec rec;
            ASSERT_TRUE(DecodeRecord(EmsRecordAt(*reply, static_cast<uint32_t>(i)), 40, &rec));
            numbers.push_back(rec.recordNo);
        }
        EXPECT_EQ(numbers, row.numbers);
    }
    EmsMsg* reply = nullptr;
    ASSERT_EQ(Request(kEmsOpQuery, kReqNeTime, std::vector<uint8_t>(kNeTimeRecordSize, 0), &reply), kDrvOk);
    EXPECT_EQ(reply->operation, 4);
    EXPECT_EQ(reply->requestCode, kReqNeTime);
    EXPECT_EQ(reply->recordSize, 12u);
    EXPECT_EQ(reply->count, 1);
}

// Without its notification port the driver runs on and says so on the status line, naming the port and the reason.
TEST_F(SnmpDriverTest, TrapPortThatCannotBeBoundIsToldOnTheStatusLine)
{
    CUdpSocket taken;
    ASSERT_EQ(taken.Open({0, 0, 0, 0}, trapPort_), 0);
    CHeadlessLinkUi ui;
    struct Registered {
        explicit Registered(ILinkUi& ui) { SetLinkUi(&ui); }
        ~Registered() { SetLinkUi(nullptr); }
    } registered(ui);
    StartDriver(300, false);
    EXPECT_EQ(driver_->GetTrapPortError(), EADDRINUSE);
    const std::vector<std::string> texts = ui.StatusTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("port " + std::to_string(trapPort_)), std::string::npos) << texts[0];
    EXPECT_NE(texts[0].find(std::strerror(EADDRINUSE)), std::string::npos) << texts[0];
    ASSERT_TRUE(agent_.Start());
    EXPECT_EQ(Connect(), kDrvOk);
}

} // namespace
