// The server link against the simulated management server: notifications over TCP and UDP reach the model and the
// trap log in order, bursts and losses leave the model as the server has it, datagrams from others are refused,
// operator mail and the forced logout, and the request faults a workstation must survive.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <future>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "core/tables/entity_node.h"
#include "core/util/severity.h"
#include "link/driver_logs.h"
#include "link/headless_link_ui.h"
#include "link/records/entity_state_rec.h"
#include "link/records/location_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/operator_mail_record.h"
#include "link/snmp/udp_socket.h"
#include "tarvik_test_paths.h"
#include "tests/core/temp_file_test.h"
#include "tests/link/server_sim_fixture.h"
#include "ui/framework/messages/string_ids.h"

namespace {

using namespace server_test;

uint32_t StatusOf(const std::optional<Frame>& frame)
{
    return frame ? frame->header.status : 0xFFFFFFFFu;
}

class SimNotifyTest : public SimLinkTest {
protected:
    void SetUp() override
    {
        SimLinkTest::SetUp();
        ASSERT_EQ(Login("admin", "admin"), kDrvOk);
        ASSERT_EQ(Query(kReqBoardSetting, 2), kDrvOk); // the cards of NE 2, so that its ports have nodes
    }

    // Another workstation logged in to the server as `user`, whose password is its name.
    void LogOnOther(CRawClient& other, const std::string& user = "manager")
    {
        ASSERT_TRUE(other.Connect(sim_.Port()));
        ASSERT_TRUE(other.Logon(user, user));
    }

    // The NE "Harbour-1" added by another workstation; the server's status.
    static uint32_t AddHarbourNe(CRawClient& other)
    {
        NeKeyRecord ne;
        ne.neName = "Harbour-1";
        ne.modelId = 2;
        ne.locationId = 1;
        ne.ipAddress = {10, 10, 9, 1};
        ne.port = 161;
        const auto bytes = EncodeRecord(ne);
        return StatusOf(
            other.ReplyTo(other.Send(kEmsOpModify, kReqNeKeyAdd, 0, {bytes.begin(), bytes.end()}, kNeKeyRecordSize)));
    }

    // The UI has applied nothing for long: the queue of the server's messages holds more than `bytes`, or without
    // them is at its limit, with what came from `origin`.
    static void FillTheQueue(std::optional<size_t> bytes = std::nullopt,
                             ServerMessageOrigin origin = ServerMessageOrigin::kDatagram)
    {
        const std::vector<uint8_t> filler(512 * 1024);
        EmsMsg chunk;
        chunk.operation = kEmsOpReply;
        chunk.requestCode = kReqLoginQuery; // no rule: applied in no time
        chunk.recordSize = static_cast<uint32_t>(filler.size());
        chunk.count = 1;
        chunk.records = filler.data();
        if (!bytes) {
            while (QueueServerMessage(&chunk, origin)) {
            }
            return;
        }
        while (QueuedServerMessageBytes() <= *bytes) {
            ASSERT_TRUE(QueueServerMessage(&chunk, origin));
        }
    }

    // The records of every trap batch so far, in order.
    std::vector<EntityStateRec> TrapRecords() const
    {
        std::vector<EntityStateRec> out;
        for (const auto& batch : ui_.trapBatches) {
            for (uint32_t i = 0; i < batch.count; ++i) {
                EntityStateRec rec;
                DecodeRecord(batch.records.data() + i * kEntityStateRecSize, kEntityStateRecSize, &rec);
                out.push_back(rec);
            }
        }
        return out;
    }

    // The server's own state of every entity of the NE, read by a second workstation so that the model stays as
    // the notifications left it.
    std::vector<EntityStateRec> ServerStates(uint32_t neId)
    {
        CRawClient reader;
        std::vector<EntityStateRec> states;
        if (!reader.Connect(sim_.Port()) || !reader.Logon("manager", "manager")) {
            return states;
        }
        const uint32_t sequence = reader.Send(1, kReqEntityState, neId, {0}, 1);
        for (std::optional<Frame> frame = reader.ReplyTo(sequence); frame; frame = reader.ReplyTo(sequence)) {
            DecodeRecords<EntityStateRec>(frame->payload.data(), frame->header.count, kEntityStateRecSize, &states);
            if (frame->header.more == 0) {
                break;
            }
        }
        return states;
    }

    // Entities of the NE whose node differs from the server's state of it; -1 when there is nothing to compare.
    int ModelDifferences(uint32_t neId, const std::vector<EntityStateRec>& truth)
    {
        CNeRecord* ne = FindNeById(neId);
        if (truth.empty() || ne == nullptr || !LockDispatch(1000)) {
            return -1;
        }
        int differences = 0;
        for (const EntityStateRec& state : truth) {
            const CEntityNode* node = ne->root->FindById(state.entityId);
            differences += node == nullptr || node->stateBits != state.stateBits ||
                           node->severity != static_cast<uint32_t>(NormalizeSeverity(state.severity));
        }
        UnlockDispatch();
        return differences;
    }

    // After the notifications, the model and the trap log's latest record of each entity hold what the server says.
    void ExpectModelAsTheServerHasIt(uint32_t neId)
    {
        const std::vector<EntityStateRec> truth = ServerStates(neId);
        EXPECT_EQ(ModelDifferences(neId, truth), 0);
        std::map<uint32_t, EntityStateRec> pushed;
        for (const EntityStateRec& rec : TrapRecords()) {
            pushed[rec.entityId] = rec;
        }
        for (const EntityStateRec& state : truth) {
            if (const auto it = pushed.find(state.entityId); it != pushed.end()) {
                EXPECT_EQ(it->second.stateBits, state.stateBits) << state.entityId;
            }
        }
    }

    // A burst of entity states over UDP to NE 2 (answered once its last datagram is out): every record is taken
    // from the socket, or the loss is told and the states are read again; either way the model ends as the
    // server's.
    CNetDrvServerAgent::NotificationCounters PushUdpBurstAndCompareTheModel(uint32_t burst)
    {
        EXPECT_EQ(Control(kSimPushEntityStates, burst, kSimChannelUdp, 2, 30000), kDrvOk);
        // A loss at the end of the burst shows when a later number comes.
        EXPECT_EQ(Control(kSimPushEntityStates, 1, kSimChannelTcp, 2), kDrvOk);
        const std::vector<EntityStateRec> truth = ServerStates(2);
        // A slow or loaded machine takes long to read everything again: the limit only ends a hang.
        constexpr int kBurstLimitMs = 60000;
        EXPECT_TRUE(DispatchUntil(
            [&] {
                const auto counters = driver_->GetNotificationCounters();
                return counters.records == burst || counters.resyncs != 0;
            },
            kBurstLimitMs));
        EXPECT_TRUE(DispatchUntil([&] { return ModelDifferences(2, truth) == 0; }, kBurstLimitMs));
        const auto counters = driver_->GetNotificationCounters();
        std::printf("%u records over UDP: %llu datagrams of %llu bytes with %llu records taken, %llu lost in the "
                    "kernel, %llu resyncs, %u records in the trap log\n",
                    burst, static_cast<unsigned long long>(counters.datagrams),
                    static_cast<unsigned long long>(counters.bytes), static_cast<unsigned long long>(counters.records),
                    static_cast<unsigned long long>(counters.kernelDrops),
                    static_cast<unsigned long long>(counters.resyncs), ui_.TrapRecordCount());
        return counters;
    }
};

TEST_F(SimNotifyTest, BurstOverTcpUpdatesTheModelAndReachesTheTrapLogInOrder)
{
    constexpr uint32_t kBurst = 12000; // more than one frame holds
    ASSERT_EQ(Control(kSimPushEntityStates, kBurst, kSimChannelTcp, 2), kDrvOk);
    // The burst came before the answer on the same connection: it is applied by now.
    ASSERT_EQ(ui_.TrapRecordCount(), kBurst);
    EXPECT_GE(ui_.trapBatches.size(), 2u);
    const std::vector<EntityStateRec> records = TrapRecords();
    for (uint32_t i = 0; i < kBurst; ++i) {
        ASSERT_EQ(records[i].value, i) << "record " << i << " out of order";
    }
    for (const auto& batch : ui_.trapBatches) {
        EXPECT_EQ(batch.neId, 2u);
    }
    EXPECT_EQ(FindNeById(2)->neSeverity, CEntityNode::GetSummarySeverityById(FindNeById(2), 1));

    ASSERT_EQ(Control(kSimPushEntityStates, 500, kSimChannelTcp, 2), kDrvOk);
    EXPECT_EQ(ui_.TrapRecordCount(), kBurst + 500);
    ExpectModelAsTheServerHasIt(2);
}

TEST_F(SimNotifyTest, BurstOverUdpReachesTheTrapLogInOrder)
{
    ASSERT_NE(driver_->GetTrapPort(), 0);
    constexpr uint32_t kBurst = 1500; // many datagrams
    ASSERT_EQ(Control(kSimPushEntityStates, kBurst, kSimChannelUdp, 1), kDrvOk);
    ASSERT_TRUE(DispatchUntil([&] { return ui_.TrapRecordCount() >= kBurst; }));
    const std::vector<EntityStateRec> records = TrapRecords();
    ASSERT_EQ(records.size(), kBurst);
    for (uint32_t i = 0; i < kBurst; ++i) {
        ASSERT_EQ(records[i].value, i) << "record " << i << " out of order";
    }
    ExpectModelAsTheServerHasIt(1);
}

TEST_F(SimNotifyTest, BurstOf200000OverUdpArrivesAtAPaceTheWorkstationTakes)
{
    constexpr uint32_t kBurst = 200000;
    const auto counters = PushUdpBurstAndCompareTheModel(kBurst);
    if (counters.kernelDrops != 0) { // a slow machine (a sanitizer build): told and read again
        EXPECT_FALSE(linkUi_.StatusTexts().empty());
        return;
    }
    // The UI applied nothing while its request waited for the burst, past the queue's bound: the model got each
    // entity's latest state, and the trap log every record in order.
    EXPECT_EQ(counters.refused, 0u);
    EXPECT_TRUE(DispatchUntil([&] { return ui_.TrapRecordCount() >= kBurst + 1; }));
    const std::vector<EntityStateRec> records = TrapRecords();
    ASSERT_EQ(records.size(), kBurst + 1) << "the burst and the record pushed after it";
    for (uint32_t i = 0; i < kBurst; ++i) {
        ASSERT_EQ(records[i].value, i) << "record " << i << " out of order";
    }
}

TEST_F(SimNotifyTest, WhileTheUiAppliesNothingTheConnectionIsLeftUnreadAndNothingIsLost)
{
    // Another workstation makes the server send 300,000 state notifications (18 MB) over the connection.
    constexpr uint32_t kBurst = 300000;
    CRawClient other;
    ASSERT_NO_FATAL_FAILURE(LogOnOther(other));
    const auto push = EncodeRecord(SimControlRec{kSimPushEntityStates, kBurst, kSimChannelTcp, 0});
    const std::optional<Frame> pushed = other.ReplyTo(
        other.Send(kEmsOpModify, kReqSimControl, 2, {push.begin(), push.end()}, kSimControlRecSize), 30000);
    ASSERT_TRUE(pushed);
    ASSERT_EQ(pushed->header.status, 0u);
    // The UI stands still for a while: the queue stops near its bound, the rest waits at the server.
    size_t mostQueued = 0;
    const auto passed = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (int look = 0; look<50; look += mostQueued> kServerMessageQueueBound ? 1 : 0) {
        mostQueued = std::max(mostQueued, QueuedServerMessageBytes());
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (std::chrono::steady_clock::now() > passed) {
            break;
        }
    }
    std::printf("%u records over TCP while the UI stood still: at most %zu bytes queued\n", kBurst, mostQueued);
    EXPECT_GT(mostQueued, kServerMessageQueueBound);
    EXPECT_LT(mostQueued, kServerMessageQueueBound + 2 * 1024 * 1024);
    ASSERT_TRUE(DispatchUntil([&] { return ui_.TrapRecordCount() >= kBurst; }, 20000));
    EXPECT_EQ(ui_.TrapRecordCount(), kBurst);
    EXPECT_EQ(driver_->GetNotificationCounters().refused, 0u);
    EXPECT_EQ(driver_->GetNotificationCounters().resyncs, 0u);
    ExpectModelAsTheServerHasIt(2);
}

TEST_F(SimNotifyTest, AtTheQueuesLimitWhatTheConnectionBringsIsNeitherRefusedNorReadAgain)
{
    FillTheQueue();
    // Meanwhile another workstation adds a location and an NE; their notifications wait in the connection.
    CRawClient other;
    ASSERT_NO_FATAL_FAILURE(LogOnOther(other, "admin"));
    LocationRecord location;
    location.name = "Harbour";
    location.parentId = 1;
    const auto locationBytes = EncodeRecord(location);
    ASSERT_EQ(StatusOf(other.ReplyTo(other.Send(kEmsOpModify, kReqLocationAdd, 0,
                                                {locationBytes.begin(), locationBytes.end()}, kLocationRecordSize))),
              0u);
    ASSERT_EQ(AddHarbourNe(other), 0u);

    // A request of another thread reads them on its way to its reply. The UI applies nothing meanwhile (it waits
    // for that request): after a while the request reads on, and the queue takes what it reads.
    ASSERT_EQ(std::async(std::launch::async, [&] { return Query(kReqLoginQuery); }).get(), kDrvOk);
    EXPECT_EQ(driver_->GetNotificationCounters().refused, 0u);
    EXPECT_TRUE(DispatchUntil([&] { return FindNeByName("Harbour-1") != nullptr; }));
    EXPECT_NE(FindLocationByName("Harbour"), nullptr);
    // Nothing is read again, now or later.
    std::this_thread::sleep_for(2 * CNotificationSeries::kLateLimit);
    DispatchUntil([] { return false; }, 200);
    EXPECT_EQ(driver_->GetNotificationCounters().resyncs, 0u);
    EXPECT_EQ(driver_->GetNotificationCounters().missing, 0u);
    EXPECT_TRUE(linkUi_.StatusTexts().empty());
}

// A re-read's states over the connection wait in the queue past its limit while the server goes on sending
// datagrams: they are taken, and nothing is read again.
TEST_F(SimNotifyTest, DatagramsBehindWhatTheConnectionQueuedPastTheLimitAreTakenAndReadNothingAgain)
{
    ASSERT_NO_FATAL_FAILURE(FillTheQueue(kServerMessageQueueLimit, ServerMessageOrigin::kConnection));
    constexpr uint32_t kBurst = 500;
    // Asked from another thread, so that the UI applies nothing meanwhile.
    ASSERT_EQ(
        std::async(std::launch::async, [&] { return Control(kSimPushEntityStates, kBurst, kSimChannelUdp, 2); }).get(),
        kDrvOk);
    std::this_thread::sleep_for(2 * CNotificationSeries::kLateLimit);
    EXPECT_EQ(driver_->GetNotificationCounters().refused, 0u);
    EXPECT_TRUE(DispatchUntil([&] { return ui_.TrapRecordCount() >= kBurst; }));
    DispatchUntil([] { return false; }, 200);
    EXPECT_EQ(driver_->GetNotificationCounters().resyncs, 0u);
    EXPECT_TRUE(linkUi_.StatusTexts().empty());
    ExpectModelAsTheServerHasIt(2);
}

// While the UI applies what waits, a request of another thread reads the connection no faster than that: the queue
// stays near its bound however much comes ahead of the reply.
TEST_F(SimNotifyTest, ARequestOfAnotherThreadReadsNoFasterThanTheUiApplies)
{
    constexpr uint32_t kBurst = 300000; // 18 MB ahead of the reply
    CRawClient other;
    ASSERT_NO_FATAL_FAILURE(LogOnOther(other));
    // The burst and then this workstation's reply: the answer to the other's push comes once the burst is queued.
    const auto push = EncodeRecord(SimControlRec{kSimPushEntityStates, kBurst, kSimChannelTcp, 0});
    ASSERT_EQ(StatusOf(other.ReplyTo(
                  other.Send(kEmsOpModify, kReqSimControl, 2, {push.begin(), push.end()}, kSimControlRecSize), 30000)),
              0u);
    auto reply = std::async(std::launch::async, [&] { return Query(kReqLoginQuery); });
    size_t mostQueued = 0;
    while (reply.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
        mostQueued = std::max(mostQueued, QueuedServerMessageBytes());
        DrainServerMessages(10);
    }
    EXPECT_EQ(reply.get(), kDrvOk);
    ASSERT_TRUE(DispatchUntil([&] { return ui_.TrapRecordCount() >= kBurst; }, 20000));
    std::printf("%u records over TCP ahead of another thread's reply: at most %zu bytes queued\n", kBurst, mostQueued);
    EXPECT_LT(mostQueued, kServerMessageQueueBound + 2 * 1024 * 1024);
    EXPECT_EQ(ui_.TrapRecordCount(), kBurst);
    EXPECT_EQ(driver_->GetNotificationCounters().resyncs, 0u);
}

TEST_F(SimNotifyTest, ARequestOfTheUiAppliesWhatItReadsAheadOfItsReplyEvenWithTheQueueFull)
{
    FillTheQueue();
    CRawClient other;
    ASSERT_NO_FATAL_FAILURE(LogOnOther(other, "admin"));
    ASSERT_EQ(AddHarbourNe(other), 0u);

    // The UI's own request applies what waited and then the NE, before its reply: nothing is refused or read again.
    ASSERT_EQ(Query(kReqLoginQuery), kDrvOk);
    EXPECT_NE(FindNeByName("Harbour-1"), nullptr);
    EXPECT_EQ(QueuedServerMessageBytes(), 0u);
    EXPECT_EQ(driver_->GetNotificationCounters().refused, 0u);
    EXPECT_EQ(driver_->GetNotificationCounters().resyncs, 0u);
}

class SimFloodTest : public SimNotifyTest {
protected:
    // A server that sends its datagrams back to back, more than any receive buffer holds, to a workstation that
    // writes every PDU to its log file and so takes them slower than they come.
    std::vector<std::string> SimArguments() const override { return {"--datagram-rate", "0"}; }
    void SetUp() override
    {
        SimNotifyTest::SetUp();
        SetLinkLogDirectory(logs_.Path().string());
        SetDriverLogSwitches({.netDrv = false, .agent = false, .comm = false, .pdu = true});
    }
    void TearDown() override
    {
        SetDriverLogSwitches({});
        CloseDriverLogs();
        SetLinkLogDirectory("");
        SimNotifyTest::TearDown();
    }
    CTempDir logs_;
};

TEST_F(SimFloodTest, DatagramsLostInTheKernelAreToldAndTheStatesReadAgain)
{
    const auto counters = PushUdpBurstAndCompareTheModel(200000);
    ASSERT_GT(counters.kernelDrops, 0u) << "the flood fitted the receive buffer";
    EXPECT_GE(counters.resyncs, 1u);
    // The operator is told through the UI thread's queue, after the driver counted the resync.
    ASSERT_TRUE(DispatchUntil([&] { return !linkUi_.StatusTexts().empty(); }));
    EXPECT_EQ(linkUi_.StatusTexts()[0], "Notifications were lost: reading everything from the server again");
}

class SimSmallBufferTest : public SimNotifyTest {
protected:
    // A receive buffer as small as a machine's limit may make it, and a server that sends back to back.
    void AdjustSettings(LinkSettings& settings) const override { settings.notificationBufferBytes = 4 * 1024; }
    std::vector<std::string> SimArguments() const override { return {"--datagram-rate", "0"}; }
};

TEST_F(SimSmallBufferTest, ABurstTheBufferCannotHoldIsToldAndReadAgain)
{
    const auto counters = PushUdpBurstAndCompareTheModel(100000);
    ASSERT_GT(counters.kernelDrops, 0u) << "the burst fitted the receive buffer";
    EXPECT_TRUE(DispatchUntil(
        [&] { return driver_->GetNotificationCounters().resyncs == 1 && !linkUi_.StatusTexts().empty(); }));
    EXPECT_EQ(linkUi_.StatusTexts(),
              std::vector<std::string>{"Notifications were lost: reading everything from the server again"});
}

// A link UI that holds the thread telling of lost notifications (the one that takes the datagrams) until the test
// lets it go: meanwhile the datagrams that come wait in the socket.
class CHoldingLinkUi : public CHeadlessLinkUi {
public:
    void ShowLinkStatus(const std::string& text) override
    {
        CHeadlessLinkUi::ShowLinkStatus(text);
        std::unique_lock<std::mutex> lock(mutex_);
        held_ = true;
        changed_.notify_all();
        changed_.wait(lock, [&] { return released_; });
    }

    bool WaitUntilHeld(int limitMs)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::milliseconds(limitMs), [&] { return held_; });
    }

    void Release()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            released_ = true;
        }
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool held_ = false;
    bool released_ = false;
};

class SimLateDatagramTest : public SimNotifyTest {
protected:
    void AdjustSettings(LinkSettings& settings) const override { settings.notificationBufferBytes = 4 * 1024; }
    std::vector<std::string> SimArguments() const override { return {"--datagram-rate", "0"}; }
    void SetUp() override
    {
        SimNotifyTest::SetUp();
        SetLinkUi(&holdingUi_);
        ASSERT_TRUE(other_.Connect(sim_.Port()));
        ASSERT_TRUE(other_.Logon("manager", "manager"));
    }
    void TearDown() override
    {
        holdingUi_.Release();
        SimNotifyTest::TearDown();
    }

    // Another workstation makes the server toggle `count` alarms of NE 2 (the first one's entity first) and send
    // their states over `channel`.
    uint32_t PushFromTheOtherWorkstation(uint32_t count, uint32_t channel)
    {
        const auto push = EncodeRecord(SimControlRec{kSimPushEntityStates, count, channel, 0});
        return StatusOf(other_.ReplyTo(
            other_.Send(kEmsOpModify, kReqSimControl, 2, {push.begin(), push.end()}, kSimControlRecSize), 30000));
    }

    CHoldingLinkUi holdingUi_;
    CRawClient other_;
};

TEST_F(SimLateDatagramTest, ADatagramSentBeforeTheResyncIsNotAppliedOverTheStatesItReads)
{
    // The first datagram of the next burst goes missing on its way.
    ASSERT_EQ(Control(kSimLoseDatagrams, 1), kDrvOk);
    // The UI has applied nothing for a while: a resync waits for room in the queue.
    ASSERT_NO_FATAL_FAILURE(FillTheQueue(kServerMessageQueueBound / 2));
    // The loss is told, by the thread that takes the datagrams, which is held there.
    ASSERT_EQ(PushFromTheOtherWorkstation(230, kSimChannelUdp), 0u); // 10 datagrams
    ASSERT_TRUE(holdingUi_.WaitUntilHeld(10000));
    // At least the one the server left out: on a busy machine the small receive buffer may drop more of the burst.
    ASSERT_GE(driver_->GetNotificationCounters().missing, 1u);
    const uint64_t datagramsBefore = driver_->GetNotificationCounters().datagrams;
    // Meanwhile an entity changes twice: its datagram waits in the socket, then its next state comes over TCP.
    ASSERT_EQ(PushFromTheOtherWorkstation(1, kSimChannelUdp), 0u);
    ASSERT_EQ(PushFromTheOtherWorkstation(1, kSimChannelTcp), 0u);
    const std::vector<EntityStateRec> truth = ServerStates(2);

    // The UI makes room; the resync must not read the states before the datagram that came ahead of it is taken.
    DispatchUntil([&] { return driver_->GetNotificationCounters().resyncs != 0; }, 1000);
    holdingUi_.Release();
    ASSERT_TRUE(DispatchUntil(
        [&] {
            const auto counters = driver_->GetNotificationCounters();
            return counters.datagrams > datagramsBefore && counters.resyncs != 0;
        },
        20000));
    EXPECT_TRUE(DispatchUntil([&] { return ModelDifferences(2, truth) == 0; }, 10000));
    EXPECT_EQ(holdingUi_.StatusTexts(),
              std::vector<std::string>{"Notifications were lost: reading everything from the server again"});
}

TEST_F(SimNotifyTest, DatagramsFromAnyoneButTheServersServicePortAreDroppedAndCounted)
{
    const uint16_t port = driver_->GetTrapPort();
    auto notification = [](uint16_t code, uint32_t neId, const uint8_t* record, uint32_t size) {
        FrameHeader header;
        header.operation = kEmsOpReply;
        header.requestCode = code;
        header.neId = neId;
        header.count = header.total = 1;
        header.recordSize = size;
        return EncodeFrame(header, record, size);
    };
    NeKeyRecord removal;
    removal.neId = 1;
    OperatorMailRecord mail;
    mail.addressee = "admin";
    mail.text = std::string(ForceLogoutMarker);
    const auto removalBytes = EncodeRecord(removal);
    const auto mailBytes = EncodeRecord(mail);
    const std::vector<uint8_t> forged[] = {notification(32, 1, removalBytes.data(), kNeKeyRecordSize),
                                           notification(8, 0, mailBytes.data(), kOperatorMailRecordSize)};
    // Before the server's first notification: from another port of the server's address, and from another local
    // address.
    for (const std::array<uint8_t, 4>& source : {kLoopback, std::array<uint8_t, 4>{127, 0, 0, 2}}) {
        CUdpSocket sender;
        ASSERT_EQ(sender.Open(source, 0), 0);
        for (const std::vector<uint8_t>& bytes : forged) {
            ASSERT_EQ(sender.SendTo(bytes.data(), bytes.size(), {kLoopback, port}), 0);
        }
    }
    // The server's notifications come after them, from its service port, and are taken.
    ASSERT_EQ(Control(kSimPushEntityStates, 2, kSimChannelUdp, 1), kDrvOk);
    ASSERT_TRUE(DispatchUntil([&] { return ui_.TrapRecordCount() == 2; }));
    EXPECT_NE(FindNeById(1), nullptr);
    EXPECT_TRUE(ui_.mails.empty());
    EXPECT_TRUE(ui_.logoutTimers.empty());
    EXPECT_EQ(driver_->GetNotificationCounters().foreign, 4u);

    // The port is open on the address of the server connection only: elsewhere the datagram is refused.
    const int other = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(0x7F000002);
    ASSERT_EQ(::connect(other, reinterpret_cast<sockaddr*>(&to), sizeof to), 0);
    ASSERT_EQ(::send(other, forged[0].data(), forged[0].size(), 0), static_cast<ssize_t>(forged[0].size()));
    pollfd refused{other, POLLIN, 0};
    uint8_t byte = 0;
    EXPECT_EQ(::poll(&refused, 1, 5000), 1);
    EXPECT_EQ(::recv(other, &byte, 1, MSG_DONTWAIT), -1);
    EXPECT_EQ(errno, ECONNREFUSED);
    ::close(other);
}

class SimForgedFloodTest : public SimNotifyTest {
protected:
    // A buffer that a flood overfills soon, yet holds the server's paced bursts.
    void AdjustSettings(LinkSettings& settings) const override { settings.notificationBufferBytes = 1024 * 1024; }
};

TEST_F(SimForgedFloodTest, AFloodOfForgedDatagramsLeavesEveryRealOneAppliedAndReadsNothingAgain)
{
    const uint16_t port = driver_->GetTrapPort();
    ASSERT_NE(port, 0);
    // Forged notifications numbered as the server's next ones would be, from another port of the server's address.
    FrameHeader header;
    header.operation = kEmsOpReply;
    header.requestCode = kReqEntityStateChange;
    header.neId = 2;
    header.count = 1;
    header.recordSize = kEntityStateRecSize;
    const std::vector<uint8_t> record(kEntityStateRecSize);
    std::atomic<bool> stop{false};
    std::atomic<uint64_t> forged{0};
    CUdpSocket sender;
    ASSERT_EQ(sender.Open(kLoopback, 0), 0);
    // First more junk at once than the receive buffer holds, from two threads: the kernel drops some, unless the
    // workstation happens to keep up.
    const std::vector<uint8_t> junk(1400, 'x');
    std::vector<std::thread> blasts;
    for (int t = 0; t < 2; ++t) {
        blasts.emplace_back([&] {
            CUdpSocket blaster;
            if (blaster.Open(kLoopback, 0) == 0) {
                for (int i = 0; i < 100000; ++i) {
                    blaster.SendTo(junk.data(), junk.size(), {kLoopback, port});
                }
            }
        });
    }
    for (std::thread& blast : blasts) {
        blast.join();
    }
    DispatchUntil(
        [&] {
            const auto counters = driver_->GetNotificationCounters();
            return counters.foreign + counters.kernelDrops >= 200000;
        },
        10000);
    std::thread flood([&] {
        // Then a pace the workstation reads with room to spare beside the real ones, which must not be crowded out.
        for (uint32_t n = 1; !stop; ++n) {
            header.total = n * 7;
            const std::vector<uint8_t> bytes = EncodeFrame(header, record.data(), record.size());
            for (int i = 0; i < 50; ++i) {
                if (sender.SendTo(bytes.data(), bytes.size(), {kLoopback, port}) == 0) {
                    ++forged;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    constexpr uint32_t kReal = 20000;
    const int pushed = Control(kSimPushEntityStates, kReal, kSimChannelUdp, 2, 30000);
    const bool allTaken = DispatchUntil([&] { return ui_.TrapRecordCount() >= kReal; }, 30000);
    std::this_thread::sleep_for(2 * CNotificationSeries::kLateLimit);
    stop = true;
    flood.join();
    DispatchUntil([] { return false; }, 200);
    ASSERT_EQ(pushed, kDrvOk);
    EXPECT_TRUE(allTaken);
    const auto counters = driver_->GetNotificationCounters();
    std::printf("%llu forged datagrams beside %u real records: %llu refused as foreign, %llu lost in the kernel\n",
                static_cast<unsigned long long>(forged.load()), kReal,
                static_cast<unsigned long long>(counters.foreign),
                static_cast<unsigned long long>(counters.kernelDrops));
    EXPECT_GT(counters.foreign, 1000u);
    EXPECT_EQ(ui_.TrapRecordCount(), kReal);
    EXPECT_EQ(counters.missing, 0u);
    EXPECT_EQ(counters.resyncs, 0u);
    EXPECT_TRUE(linkUi_.StatusTexts().empty());
    ExpectModelAsTheServerHasIt(2);
}

TEST_F(SimNotifyTest, ARealDatagramLostOnItsWayIsReadAgainOnceAndToldOnce)
{
    // The first datagram of the next push goes missing between the server and the workstation.
    ASSERT_EQ(Control(kSimLoseDatagrams, 1), kDrvOk);
    constexpr uint32_t kPushed = 230; // 10 datagrams
    ASSERT_EQ(Control(kSimPushEntityStates, kPushed, kSimChannelUdp, 2), kDrvOk);
    const std::vector<EntityStateRec> truth = ServerStates(2);
    ASSERT_TRUE(DispatchUntil([&] { return driver_->GetNotificationCounters().resyncs != 0; }, 10000));
    EXPECT_TRUE(DispatchUntil([&] { return ModelDifferences(2, truth) == 0; }, 10000));
    // The re-read's own states cause no other.
    std::this_thread::sleep_for(2 * CNotificationSeries::kLateLimit);
    DispatchUntil([] { return false; }, 500);
    const auto counters = driver_->GetNotificationCounters();
    EXPECT_EQ(counters.missing, 1u);
    EXPECT_EQ(counters.resyncs, 1u);
    EXPECT_EQ(ui_.TrapRecordCount(), kPushed - 23);
    EXPECT_EQ(linkUi_.StatusTexts(),
              std::vector<std::string>{"Notifications were lost: reading everything from the server again"});
}

// A datagram from the server's service port numbered far ahead of its series makes one re-read; after it the
// workstation follows the server's numbers again, and a datagram lost later is told and read again too.
TEST_F(SimNotifyTest, ADatagramNumberedFarAheadLeavesTheLossesAfterItsReReadSeen)
{
    ASSERT_EQ(Control(kSimForgeDatagramAhead, 100000), kDrvOk);
    ASSERT_EQ(Control(kSimPushEntityStates, 23, kSimChannelUdp, 2), kDrvOk); // one datagram
    ASSERT_TRUE(DispatchUntil([&] { return driver_->GetNotificationCounters().resyncs == 1; }, 10000));
    const uint64_t missingBefore = driver_->GetNotificationCounters().missing;

    ASSERT_EQ(Control(kSimLoseDatagrams, 1), kDrvOk);
    ASSERT_EQ(Control(kSimPushEntityStates, 230, kSimChannelUdp, 2), kDrvOk);
    const std::vector<EntityStateRec> truth = ServerStates(2);
    ASSERT_TRUE(DispatchUntil([&] { return driver_->GetNotificationCounters().resyncs == 2; }, 10000))
        << "the loss after the re-read went unseen";
    EXPECT_EQ(driver_->GetNotificationCounters().missing, missingBefore + 1);
    EXPECT_TRUE(DispatchUntil([&] { return ModelDifferences(2, truth) == 0; }, 10000));
}

TEST_F(SimNotifyTest, TheServerNumbersAWorkstationsNotificationsInOneSeriesFromOne)
{
    CRawClient other;
    ASSERT_NO_FATAL_FAILURE(LogOnOther(other));
    ASSERT_TRUE(other.TurnNotificationsOn()); // the state of every entity follows, then what others change
    constexpr uint32_t kPushed = 50;
    ASSERT_EQ(Control(kSimPushEntityStates, kPushed, kSimChannelTcp, 2), kDrvOk);
    std::vector<Frame> frames = other.Notifications();
    uint32_t pushed = 0;
    for (const Frame& frame : frames) {
        pushed += frame.header.requestCode == kReqEntityStateChange ? frame.header.count : 0;
    }
    while (pushed < kPushed) {
        std::optional<Frame> frame = other.Receive(10000);
        ASSERT_TRUE(frame) << pushed << " pushed records came";
        pushed += frame->header.requestCode == kReqEntityStateChange ? frame->header.count : 0;
        frames.push_back(std::move(*frame));
    }
    uint32_t expected = 1;
    for (const Frame& frame : frames) {
        ASSERT_EQ(frame.header.sequence, 0u);
        EXPECT_EQ(frame.header.total, expected++) << "code " << frame.header.requestCode;
    }
    EXPECT_GT(expected, 2u);
}

TEST_F(SimNotifyTest, NoNotificationsBeforeTheyAreAskedFor)
{
    CRawClient other;
    ASSERT_NO_FATAL_FAILURE(LogOnOther(other));
    ASSERT_EQ(Control(kSimPushEntityStates, 10, kSimChannelTcp, 1), kDrvOk);
    EXPECT_FALSE(other.Receive(200)) << "a workstation gets notifications after request 334 only";
}

TEST_F(SimNotifyTest, StopInTheWaitDialogGives32018)
{
    ASSERT_EQ(Control(kSimStaySilent, 1), kDrvOk);
    linkUi_.SetStopAfter(20);
    EXPECT_EQ(Request(kEmsOpQuery, kReqNeKeyAll, 0, "", 1, 1, 10000, kStrFailToQuery, true), kDrvCancelled);
    EXPECT_TRUE(linkUi_.FailureMessages().empty());
    linkUi_.SetStopAfter(std::nullopt);
    EXPECT_EQ(Query(kReqNeKeyAll), kDrvOk) << "the connection serves on";
}

// Waits as the headless interface does, and notes the thread (by its system id, which no later thread takes) that
// each request it waited for ended on.
class CThreadNotingLinkUi : public CHeadlessLinkUi {
public:
    void RunWaitDialog(CWaitContext& wait) override
    {
        wait.SetFinishedNotice([this] {
            std::lock_guard<std::mutex> lock(mutex_);
            endedOn_.push_back(::gettid());
        });
        CHeadlessLinkUi::RunWaitDialog(wait);
        wait.SetFinishedNotice({});
    }
    std::vector<pid_t> EndedOn()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return endedOn_;
    }

private:
    std::mutex mutex_;
    std::vector<pid_t> endedOn_;
};

TEST_F(SimNotifyTest, WaitDialogShowsForASlowReplyAloneAndOneThreadWaitsForEvery)
{
    CThreadNotingLinkUi ui;
    SetLinkUi(&ui);
    struct Restore {
        ILinkUi& ui;
        ~Restore() { SetLinkUi(&ui); }
    } restore{linkUi_};
    EXPECT_EQ(Request(kEmsOpQuery, kReqKeepAlive, 0, "", 1, 1, 10000, kStrFailToQuery, true), kDrvOk);
    EXPECT_EQ(ui.WaitDialogCount(), 0) << "a quick reply shows no dialog";
    for (int request = 0; request < 3; ++request) {
        ASSERT_EQ(Control(kSimStaySilent, 1), kDrvOk);
        EXPECT_EQ(Request(kEmsOpQuery, kReqNeKeyAll, 0, "", 1, 1, 400, 0, true), kDrvTimeout);
    }
    EXPECT_EQ(ui.WaitDialogCount(), 3);
    const std::vector<pid_t> endedOn = ui.EndedOn();
    ASSERT_EQ(endedOn.size(), 3u);
    EXPECT_NE(endedOn[0], ::gettid()) << "the dialog's thread waited for the reply itself";
    EXPECT_EQ(endedOn[1], endedOn[0]);
    EXPECT_EQ(endedOn[2], endedOn[0]);
    EXPECT_EQ(Query(kReqNeKeyAll), kDrvOk);
}

TEST_F(SimNotifyTest, SilentServerGives32019AtTheTimeOut)
{
    ASSERT_EQ(Control(kSimStaySilent, 1), kDrvOk);
    EXPECT_EQ(Request(kEmsOpQuery, kReqNeKeyAll, 0, "", 1, 1, 200, kStrFailToQuery), kDrvTimeout);
    ASSERT_EQ(linkUi_.FailureMessages().size(), 1u);
    EXPECT_EQ(linkUi_.FailureMessages()[0].code, kDrvTimeout);
    EXPECT_EQ(Query(kReqNeKeyAll), kDrvOk);
}

// A test that leaves one kind of request unanswered is not upset by a keep-alive that comes first.
TEST_F(SimNotifyTest, SilenceForOneCodeLeavesTheOtherRequestsAnswered)
{
    ASSERT_EQ(Control(kSimStaySilent, 1, kReqNeKeyAll), kDrvOk);
    const uint8_t body = 0;
    EXPECT_EQ(Request(kEmsOpQuery, kReqKeepAlive, 0, &body, 1, 1, 10000), kDrvOk);
    EXPECT_EQ(Request(kEmsOpQuery, kReqNeKeyAll, 0, &body, 1, 1, 200), kDrvTimeout);
    EXPECT_EQ(Query(kReqNeKeyAll), kDrvOk);
}

TEST_F(SimNotifyTest, DroppedConnectionEndsTheRequestAndLaterOnesGet32004)
{
    // The long time-out is never reached: the closed connection ends the request.
    EXPECT_EQ(Control(kSimDropConnection, 0, 0, 0, 30000), kDrvConnectionClosed);
    EXPECT_FALSE(driver_->IsConnected());
    EXPECT_EQ(Query(kReqNeKeyAll), kDrvNotConnected);
}

TEST_F(SimNotifyTest, SecondRequestWhileOneIsInProgressGets32013)
{
    ASSERT_EQ(Control(kSimStaySilent, 1), kDrvOk);
    auto first = std::async(std::launch::async, [&] {
        EmsMsg request;
        EmsMsg* reply = nullptr;
        const uint8_t body = 0;
        BuildEmsMsg(&request, kEmsOpQuery, kReqNeKeyAll, 1, &body, 0);
        return driver_->RequestEmsMsg(&request, &reply, 0, 10000, false);
    });
    // Should a check below stop the test, the first request is cancelled before its future is waited for.
    struct CancelOnExit {
        CNetDrvServerAgent& driver;
        ~CancelOnExit() { driver.CancelRequest(); }
    } cancelOnExit{*driver_};
    ASSERT_TRUE(DispatchUntil([&] { return driver_->IsInTransaction(); }));
    // It gives up after waiting 100 rounds of 10 ms for the first to end.
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_EQ(Request(kEmsOpQuery, kReqUserAccount, 0, "", 1, 1, -2, kStrFailToQuery), kDrvBusy);
    EXPECT_GE(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(1000));
    ASSERT_EQ(linkUi_.FailureMessages().size(), 1u);
    EXPECT_EQ(linkUi_.FailureMessages()[0].code, kDrvBusy);
    driver_->CancelRequest();
    EXPECT_EQ(first.get(), kDrvCancelled);
    EXPECT_EQ(Query(kReqUserAccount), kDrvOk);
}

TEST_F(SimNotifyTest, ForcedLogoutMailStartsTheLogoutTimer)
{
    // An Administrator at another workstation: only that role may force a logout in the test world.
    CRawClient other;
    ASSERT_NO_FATAL_FAILURE(LogOnOther(other, "admin"));
    OperatorMailRecord mail;
    mail.addressee = "admin";
    mail.text = std::string(ForceLogoutMarker);
    const auto bytes = EncodeRecord(mail);
    const std::optional<Frame> sent =
        other.ReplyTo(other.Send(2, kReqOperatorMail, 0, {bytes.begin(), bytes.end()}, kOperatorMailRecordSize));
    ASSERT_TRUE(sent);
    EXPECT_EQ(sent->header.status, 0u);
    ASSERT_TRUE(DispatchUntil([&] { return !ui_.mails.empty(); }));
    EXPECT_EQ(ui_.mails[0].sender, "admin");
    EXPECT_EQ(ui_.mails[0].senderIp, "127.0.0.1");
    EXPECT_TRUE(ui_.mails[0].forcedLogout);
    ASSERT_EQ(ui_.logoutTimers.size(), 1u);
    EXPECT_EQ(ui_.logoutTimers[0], 10000u);
}

TEST_F(SimNotifyTest, OrdinaryMailIsShownAndItsSenderSeesNothing)
{
    CRawClient other;
    ASSERT_NO_FATAL_FAILURE(LogOnOther(other));
    OperatorMailRecord mail;
    mail.addressee = "manager";
    mail.text = "Shift change at six";
    const auto bytes = EncodeRecord(mail);
    ASSERT_EQ(Request(kEmsOpModify, kReqOperatorMail, 0, bytes.data(), kOperatorMailRecordSize), kDrvOk);
    const std::optional<Frame> delivered = other.Receive();
    ASSERT_TRUE(delivered);
    OperatorMailRecord received;
    ASSERT_TRUE(DecodeRecord(delivered->payload.data(), delivered->payload.size(), &received));
    EXPECT_EQ(received.sender, "admin");
    EXPECT_EQ(received.text, "Shift change at six");
    DispatchServerMessage(nullptr);
    EXPECT_TRUE(ui_.mails.empty());
    EXPECT_TRUE(ui_.logoutTimers.empty());

    mail.addressee = "north"; // not logged in
    const auto offline = EncodeRecord(mail);
    EXPECT_EQ(Request(kEmsOpModify, kReqOperatorMail, 0, offline.data(), kOperatorMailRecordSize), kDrvTextReply);
}

TEST_F(SimNotifyTest, MalformedFrameClosesOnlyItsConnection)
{
    CRawClient broken;
    ASSERT_TRUE(broken.Connect(sim_.Port()));
    std::vector<uint8_t> garbage = {0, 0, 0, 80};
    garbage.resize(84, 'x'); // a header of no digits
    ASSERT_TRUE(broken.SendBytes(garbage));
    EXPECT_FALSE(broken.Receive());
    EXPECT_TRUE(broken.ClosedByPeer());
    EXPECT_EQ(Query(kReqNeKeyAll), kDrvOk);
    EXPECT_TRUE(driver_->IsConnected());
}

class SimDefaultScenarioTest : public SimLinkTest {
protected:
    std::vector<std::string> WorldArguments() const override
    {
        return {"--scenario", std::string(TARVIK_RESOURCES_DIR) + "/sim/server_scenario.ini"};
    }
};

TEST_F(SimDefaultScenarioTest, TheRunCommandsWorldServesALogin)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    EXPECT_EQ(AppData().nes.Count(), 6u);
    EXPECT_EQ(AppData().locations.Count(), 4u);
    EXPECT_EQ(AppData().accounts.Count(), 4u);
    for (uint32_t neId = 1; neId <= 6; ++neId) {
        EXPECT_EQ(Query(kReqBoardSetting, neId), kDrvOk);
        EXPECT_EQ(Query(kReqEntityState, neId), kDrvOk);
    }
}

TEST(SimScenarioFile, ContradictingWorldIsRefused)
{
    CSimServerProcess sim;
    EXPECT_FALSE(sim.Start({"--scenario", std::string(TARVIK_TEST_DATA_DIR) + "/server/broken_world.ini"}));
    EXPECT_FALSE(sim.Start({"--scenario", std::string(TARVIK_TEST_DATA_DIR) + "/server/no_such_file.ini"}));
    EXPECT_FALSE(sim.Start({"--alarm-channel", "pigeon"}));
}

} // namespace
