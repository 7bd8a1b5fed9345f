// The server driver over real loopback TCP against the scripted server of fake_server.h, for what the simulated
// server does not do: late, odd and broken replies, the frame the driver sends, its limits, keep-alive and shutdown.
// The driver against the simulated server (requests, notifications, time-outs, busy, cancel) is server_sim_*_test.
#include "link/server/net_drv_server_agent.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/config/app_settings.h"
#include "link/driver_result.h"
#include "link/headless_link_ui.h"
#include "link/records/location_record.h"
#include "link/records/user_account_record.h"
#include "link/server/posix_socket.h"
#include "link/server_message_dispatcher.h"
#include "tests/link/fake_server.h"
#include "ui/framework/messages/string_ids.h"

namespace {

constexpr std::array<uint8_t, 4> kLoopback = {127, 0, 0, 1};

LinkSettings FastSettings()
{
    LinkSettings settings;
    // Only bounds the wait for a reply that comes: a test of the time-out gives its own.
    settings.serverWaitMs = 30000;
    settings.pingIntervalMs = 600000; // no keep-alive unless a test asks for it
    settings.serverTrapPort = 39461;
    settings.connectLimitMs = 5000;
    return settings;
}

std::vector<uint8_t> Counting(size_t size)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i * 7);
    }
    return bytes;
}

// Server messages that reached the dispatcher's rules, in order.
struct AppliedLog {
    std::mutex mutex;
    std::vector<std::pair<uint16_t, std::vector<uint8_t>>> messages;

    void Watch(uint16_t code)
    {
        SetServerMessageRule(code, [this](const EmsMsg& msg, CDispatchEffects&) {
            const auto* begin = static_cast<const uint8_t*>(msg.records);
            std::lock_guard<std::mutex> lock(mutex);
            messages.emplace_back(msg.requestCode, std::vector<uint8_t>(begin, begin + EmsRecordBytes(msg)));
        });
    }
    size_t Size()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return messages.size();
    }
};

class ServerDriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLinkUi(&ui_);
        SetUiThreadId(std::this_thread::get_id());
        ClearServerMessageRules();
        ClearServerMessageQueue();
    }

    void TearDown() override
    {
        driver_.reset();
        SetLinkUi(nullptr);
        ClearServerMessageRules();
        ClearServerMessageQueue();
    }

    void StartDriver(const LinkSettings& settings = FastSettings())
    {
        driver_ = std::make_unique<CNetDrvServerAgent>(settings);
        ASSERT_EQ(driver_->Start(), kDrvOk);
    }

    void StartAndConnect(const LinkSettings& settings = FastSettings())
    {
        StartDriver(settings);
        ASSERT_EQ(driver_->EmsConnect(kLoopback, server_.Port(), "alice", "secret"), kDrvOk);
        ASSERT_TRUE(driver_->IsConnected());
        // The server may push frames from here on: it has taken the connection.
        ASSERT_TRUE(WaitUntil([&] { return server_.Accepted() == 1; }));
    }

    // A one-record query of code `code`.
    int Query(uint16_t code, int32_t timeoutMs = -2, uint32_t failureTextId = 0, bool waitDialog = false)
    {
        BuildEmsMsg(&request_, kEmsOpQuery, code, 1, &body_, 0);
        return driver_->RequestEmsMsg(&request_, &reply_, failureTextId, timeoutMs, waitDialog);
    }

    // Whether a request made on another thread ends within a few seconds; when it does not, the driver is shut down,
    // which ends its wait, so that the test fails instead of hanging.
    bool EndsInTime(std::future<int>& result)
    {
        if (result.wait_for(std::chrono::seconds(5)) == std::future_status::ready) {
            return true;
        }
        driver_->Shutdown();
        return false;
    }

    // Waits until the server has seen `count` frames and returns the last.
    Frame ServerSaw(size_t count)
    {
        EXPECT_TRUE(WaitUntil([&] { return server_.ReceivedCount() >= count; }));
        return server_.Received().at(count - 1);
    }

    CFakeServer server_;
    CHeadlessLinkUi ui_;
    std::unique_ptr<CNetDrvServerAgent> driver_;
    EmsMsg request_;
    EmsMsg* reply_ = nullptr;
    uint8_t body_ = 0;
};

TEST_F(ServerDriverTest, RequestSendsTheFrameAndReturnsTheRecordsOfItsReply)
{
    const std::vector<uint8_t> records = Counting(3 * kLocationRecordSize);
    server_.SetHandler(
        [&](const Frame& request, CFakeServer& server) { server.Reply(request, records, 3, kLocationRecordSize); });
    StartAndConnect();

    std::array<uint8_t, kLocationRecordSize> location{};
    location[0] = 9;
    BuildEmsMsg(&request_, kEmsOpQuery, kReqLocation, kLocationRecordSize, location.data(), 0);
    ASSERT_EQ(driver_->RequestEmsMsg(&request_, &reply_, kStrFailToQuery, -2, false), kDrvOk);
    ASSERT_NE(reply_, nullptr);
    EXPECT_EQ(reply_->operation, kEmsOpReply);
    EXPECT_EQ(reply_->requestCode, kReqLocation);
    EXPECT_EQ(reply_->count, 3);
    EXPECT_EQ(reply_->recordSize, kLocationRecordSize);
    EXPECT_EQ(std::memcmp(reply_->records, records.data(), records.size()), 0);
    EXPECT_FALSE(driver_->IsInTransaction());

    const Frame sent = ServerSaw(1);
    EXPECT_EQ(sent.header.operation, kEmsOpQuery);
    EXPECT_EQ(sent.header.requestCode, kReqLocation);
    EXPECT_EQ(sent.header.neId, 0u);
    EXPECT_EQ(sent.header.count, 1u);
    EXPECT_EQ(sent.header.recordSize, kLocationRecordSize);
    EXPECT_NE(sent.header.sequence, 0u);
    EXPECT_EQ(sent.header.version, kFrameProtocolVersion);
    EXPECT_EQ(sent.payload, std::vector<uint8_t>(location.begin(), location.end()));
    EXPECT_TRUE(ui_.FailureMessages().empty());
}

TEST_F(ServerDriverTest, FailsAtOnceWhenNotStartedOrNotConnected)
{
    driver_ = std::make_unique<CNetDrvServerAgent>(FastSettings());
    EXPECT_EQ(Query(kReqLocation), kDrvNotInitialised);
    EXPECT_EQ(driver_->EmsConnect(kLoopback, server_.Port(), "a", "b"), kDrvNotInitialised);
    ASSERT_EQ(driver_->Start(), kDrvOk);
    EXPECT_EQ(Query(kReqLocation, -2, kStrFailToQuery), kDrvNotConnected);
    EXPECT_EQ(driver_->SendEmsMsg(&request_, 0), kDrvNotConnected);
    ASSERT_EQ(ui_.FailureMessages().size(), 1u);
    EXPECT_EQ(ui_.FailureMessages()[0].failureTextId, kStrFailToQuery);
    EXPECT_EQ(ui_.FailureMessages()[0].code, kDrvNotConnected);
    EXPECT_EQ(ui_.FailureMessages()[0].errorText, "network not connected");
    EXPECT_EQ(reply_->count, 0) << "a failed request still hands back an empty reply";
}

TEST_F(ServerDriverTest, ReplyAfterTheTimeOutIsDroppedAndTheNextRequestGetsItsOwn)
{
    AppliedLog applied;
    applied.Watch(kReqLocation);
    applied.Watch(kReqEntityStateChange);
    std::atomic<bool> answer{false};
    const std::vector<uint8_t> late = Counting(4), fresh = {9, 9, 9, 9};
    server_.SetHandler([&](const Frame& request, CFakeServer& server) {
        if (answer) {
            server.Reply(request, fresh, 1, 4);
        }
    });
    StartAndConnect();
    ASSERT_EQ(Query(kReqLocation, 50), kDrvTimeout);
    const Frame first = ServerSaw(1);

    // The late reply, then a notification behind it on the same connection.
    server_.Reply(first, late, 1, 4);
    FrameHeader notification;
    notification.operation = kEmsOpReply;
    notification.requestCode = kReqEntityStateChange;
    server_.SendFrame(notification, {});
    ASSERT_TRUE(WaitUntil([] { return QueuedServerMessageCount() >= 1; }));
    DispatchServerMessage(nullptr);
    ASSERT_EQ(applied.Size(), 1u);
    EXPECT_EQ(applied.messages[0].first, kReqEntityStateChange) << "the late reply never reaches the dispatcher";

    answer = true;
    ASSERT_EQ(Query(kReqLocation), kDrvOk);
    EXPECT_EQ(std::memcmp(reply_->records, fresh.data(), 4), 0);
}

TEST_F(ServerDriverTest, ContinuedReplyWithAnotherRecordSizeClosesTheConnection)
{
    server_.SetHandler([](const Frame& request, CFakeServer& server) {
        server.Reply(request, std::vector<uint8_t>(12), 1, 12, 0, 1);
        server.Reply(request, std::vector<uint8_t>(8), 1, 8, 0, 0);
    });
    StartAndConnect();
    EXPECT_EQ(Query(kReqAlarmStatistics), kDrvInvalidFormat);
    EXPECT_FALSE(driver_->IsConnected());
}

// A text reply is a failure with its text, whichever request code it names.
TEST_F(ServerDriverTest, TextReplyGives32028WithTheTextInTheMessageBox)
{
    std::atomic<uint16_t> codeShift{0};
    server_.SetHandler([&](const Frame& request, CFakeServer& server) {
        FrameHeader header;
        header.operation = kEmsOpTextReply;
        header.requestCode = static_cast<uint16_t>(request.header.requestCode + codeShift.load());
        header.sequence = request.header.sequence;
        header.count = 1;
        header.recordSize = 18;
        const std::string text = "Ping NE: no reply";
        server.SendFrame(header, std::vector<uint8_t>(text.begin(), text.end() + 1));
    });
    StartAndConnect();
    for (const uint16_t shift : {0, 1}) {
        SCOPED_TRACE(shift);
        codeShift = shift;
        ui_.Clear();
        ASSERT_EQ(Query(kReqNePing, -2, kStrFailToSendLoopbackCells), kDrvTextReply);
        EXPECT_EQ(reply_->operation, kEmsOpTextReply);
        EXPECT_EQ(reply_->count, 1);
        EXPECT_STREQ(static_cast<const char*>(reply_->records), "Ping NE: no reply");
        ASSERT_EQ(ui_.FailureMessages().size(), 1u);
        EXPECT_EQ(ui_.FailureMessages()[0].failureTextId, kStrFailToSendLoopbackCells);
        EXPECT_EQ(ui_.FailureMessages()[0].code, kDrvTextReply);
        EXPECT_EQ(ui_.FailureMessages()[0].errorText, "Ping NE: no reply");
    }
}

TEST_F(ServerDriverTest, FailureStatusIsReturnedWithTheReplyStillReadable)
{
    const struct {
        uint32_t status;
        int result;
    } cases[] = {{32024, 32024}, {5, kDrvRejected}, {32014, 32014}};
    std::atomic<uint32_t> status{0};
    server_.SetHandler([&](const Frame& request, CFakeServer& server) {
        std::vector<uint8_t> record(8, 0);
        record[4] = 3; // the second 32-bit word of the first record
        server.Reply(request, record, 1, 8, status);
    });
    StartAndConnect();
    for (const auto& c : cases) {
        status = c.status;
        EXPECT_EQ(Query(kReqPvcDelete), c.result) << c.status;
        ASSERT_EQ(reply_->count, 1);
        uint32_t second = 0;
        std::memcpy(&second, static_cast<const uint8_t*>(reply_->records) + 4, 4);
        EXPECT_EQ(second, 3u);
    }
}

TEST_F(ServerDriverTest, ReplyNamingAnotherRequestCodeIsHandedBackButNotApplied)
{
    AppliedLog applied;
    applied.Watch(kReqLocationAdd);
    server_.SetHandler([](const Frame& request, CFakeServer& server) {
        Frame other = request;
        other.header.requestCode = static_cast<uint16_t>(request.header.requestCode + 1);
        server.Reply(other, std::vector<uint8_t>(kLocationRecordSize), 1, kLocationRecordSize);
    });
    StartAndConnect();
    EXPECT_EQ(Query(kReqLocation, -2, kStrFailToQuery), kDrvOk) << "the caller applies its acceptance rule";
    EXPECT_EQ(reply_->requestCode, kReqLocationAdd) << "still readable";
    EXPECT_EQ(reply_->count, 1);
    EXPECT_TRUE(ui_.FailureMessages().empty()) << "no failure box";
    EXPECT_EQ(applied.Size(), 0u) << "not applied as the reply of a request";
    EXPECT_TRUE(driver_->IsConnected());
}

// The frame codec's rules are pinned by its own test; here, that a frame it refuses ends the connection.
TEST_F(ServerDriverTest, FrameTheCodecRefusesClosesTheConnectionAndFailsTheRequestWith32010)
{
    server_.SetHandler([](const Frame&, CFakeServer& server) {
        std::vector<uint8_t> bytes = {0, 0, 0, 70};
        bytes.resize(4 + 70, 'Z'); // a header of no digits
        server.SendRaw(bytes);
    });
    StartAndConnect();
    EXPECT_EQ(Query(kReqLocation, 30000, kStrFailToQuery), kDrvInvalidFormat);
    EXPECT_FALSE(driver_->IsConnected());
    EXPECT_TRUE(WaitUntil([&] { return server_.ClientClosed(); }));
    ASSERT_EQ(ui_.FailureMessages().size(), 1u);
    EXPECT_EQ(ui_.FailureMessages()[0].errorText, "invalid message format");
}

TEST_F(ServerDriverTest, TimeOutZeroSendsWithoutWaitingAndTheReplyGoesToTheDispatcher)
{
    AppliedLog applied;
    applied.Watch(kReqLogoff);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    server_.SetHandler([&](const Frame& request, CFakeServer& server) {
        server.Defer([&server, request, released] {
            released.wait_for(std::chrono::seconds(10));
            server.Reply(request, {7}, 1, 1);
        });
    });
    StartAndConnect();
    ASSERT_EQ(Query(kReqLogoff, 0), kDrvOk) << "returns once the frame is handed to the transport";
    EXPECT_EQ(reply_->count, 0);
    EXPECT_FALSE(driver_->IsInTransaction());
    ServerSaw(1);
    release.set_value();
    ASSERT_TRUE(WaitUntil([] { return QueuedServerMessageCount() == 1; }));
    DispatchServerMessage(nullptr);
    ASSERT_EQ(applied.Size(), 1u);
    EXPECT_EQ(applied.messages[0].second, std::vector<uint8_t>{7});
}

TEST_F(ServerDriverTest, FramesThatFindTheSocketFullGoOutInTurnWithoutHoldingTheSender)
{
    // While it handles the first frame the server reads nothing more: the frames after it fill the socket.
    std::mutex gateMutex;
    std::condition_variable gateCv;
    bool gateOpen = false;
    server_.SetHandler([&](const Frame& request, CFakeServer&) {
        std::unique_lock<std::mutex> lock(gateMutex);
        gateCv.wait(lock, [&] { return request.header.requestCode != kReqConfigUpload || gateOpen; });
    });
    StartAndConnect();
    const auto send = [&](uint16_t code, const std::vector<uint8_t>& record) {
        EmsMsg msg;
        BuildEmsMsg(&msg, kEmsOpModify, code, static_cast<uint32_t>(record.size()), record.data(), 0);
        return driver_->SendEmsMsg(&msg, 0);
    };
    constexpr size_t kBigFrames = 30; // 18 MB, more than the socket buffers of both ends hold
    ASSERT_EQ(send(50, {1}), kDrvOk);
    ServerSaw(1);
    const std::vector<uint8_t> big(kMaxEmsRecordBytes, 7);
    for (size_t i = 0; i < kBigFrames; ++i) {
        ASSERT_EQ(send(51, big), kDrvOk);
    }
    ASSERT_EQ(send(52, {2}), kDrvOk);
    {
        std::lock_guard<std::mutex> lock(gateMutex);
        gateOpen = true;
    }
    gateCv.notify_all();
    ServerSaw(kBigFrames + 2);
    const std::vector<Frame> frames = server_.Received();
    ASSERT_EQ(frames.size(), kBigFrames + 2);
    EXPECT_EQ(frames.front().header.requestCode, kReqConfigUpload);
    for (size_t i = 1; i <= kBigFrames; ++i) {
        EXPECT_EQ(frames[i].header.requestCode, kReqConfigDownload);
        EXPECT_EQ(frames[i].payload.size(), kMaxEmsRecordBytes);
    }
    EXPECT_EQ(frames.back().header.requestCode, kReqConfigVerify);
    EXPECT_TRUE(driver_->IsConnected());
}

TEST_F(ServerDriverTest, ReplyIsAppliedBeforeReturningOnTheUiThreadAndQueuedFromOthers)
{
    AppliedLog applied;
    applied.Watch(kReqUserAccount);
    server_.SetHandler([](const Frame& request, CFakeServer& server) {
        server.Reply(request, std::vector<uint8_t>(kUserAccountRecordSize, 'a'), 1, kUserAccountRecordSize);
    });
    StartAndConnect();
    ASSERT_EQ(Query(kReqUserAccount), kDrvOk);
    EXPECT_EQ(applied.Size(), 1u) << "the caller reads the tables right after the request";

    ASSERT_EQ(std::async(std::launch::async, [&] { return Query(kReqUserAccount); }).get(), kDrvOk);
    EXPECT_EQ(applied.Size(), 1u);
    EXPECT_EQ(QueuedServerMessageCount(), 1u);
    DispatchServerMessage(nullptr);
    EXPECT_EQ(applied.Size(), 2u);
}

// The driver carries at most 599,956 bytes of records a request: a larger count is cut to the whole records that fit.
TEST_F(ServerDriverTest, RequestRecordsOverTheCapAreCutToWholeRecords)
{
    StartAndConnect();
    struct Row {
        uint32_t recordSize;
        int32_t count;
        uint32_t sent;
    };
    const Row rows[] = {
        {100, 8000, 5999},   // 800,000 bytes: 599,900 go
        {1, 599956, 599956}, // at the cap
        {1, 599957, 599956}, // one past it
        {4, 149990, 149989}, // 599,960 bytes
        {599956, 1, 1},      // one record as large as the cap
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        std::vector<uint8_t> records(static_cast<size_t>(row.count) * row.recordSize, 0x5A);
        EmsMsg request;
        BuildEmsMsg(&request, kEmsOpModify, kReqSubscriberAdd, row.recordSize, records.data(), 0);
        request.count = row.count;
        EmsMsg* reply = nullptr;
        ASSERT_EQ(driver_->RequestEmsMsg(&request, &reply, 0, -2, false), kDrvOk) << i;
        const Frame sent = ServerSaw(i + 1);
        EXPECT_EQ(sent.header.count, row.sent) << i;
        EXPECT_EQ(sent.payload.size(), size_t{row.sent} * row.recordSize) << i;
    }
}

TEST_F(ServerDriverTest, NegativeCountIsAnInvalidParameter)
{
    StartAndConnect();
    uint8_t body = 0;
    BuildEmsMsg(&request_, kEmsOpQuery, kReqLocation, 1, &body, 0);
    request_.count = -3;
    EXPECT_EQ(driver_->RequestEmsMsg(&request_, &reply_, 0, -2, false), kDrvInvalidParameter);
    EXPECT_EQ(driver_->RequestEmsMsg(nullptr, &reply_, 0, -2, false), kDrvInvalidParameter);
    EXPECT_EQ(server_.ReceivedCount(), 0u);
}

TEST_F(ServerDriverTest, KeepAliveGoesOutWhileLoggedInAndItsLossDisconnects)
{
    std::atomic<bool> answerKeepAlive{true};
    server_.SetHandler([&](const Frame& request, CFakeServer& server) {
        if (request.header.requestCode != kReqKeepAlive || answerKeepAlive) {
            server.Reply(request, {}, 0, 0);
        }
    });
    LinkSettings settings = FastSettings();
    settings.pingIntervalMs = 20;
    settings.serverWaitMs = 200;
    StartAndConnect(settings);
    driver_->SetLoggedIn(true);
    const Frame keepAlive = ServerSaw(1);
    // The keep-alive (its code is held by the frame header test), a query of one byte to the server.
    EXPECT_EQ(keepAlive.header.requestCode, kReqKeepAlive);
    EXPECT_EQ(keepAlive.header.operation, 1u);
    EXPECT_EQ(keepAlive.header.neId, 0u);
    EXPECT_EQ(keepAlive.header.count, 1u);
    EXPECT_EQ(keepAlive.header.recordSize, 1u);
    ServerSaw(3);
    EXPECT_TRUE(driver_->IsConnected());

    answerKeepAlive = false;
    EXPECT_TRUE(WaitUntil([&] { return !driver_->IsConnected(); }));
    EXPECT_EQ(Query(kReqLocation), kDrvNotConnected);
}

// While a request waits for its reply no keep-alive goes out: the request shows the connection alive.
TEST_F(ServerDriverTest, NoKeepAliveGoesOutWhileARequestWaits)
{
    server_.SetHandler([](const Frame& request, CFakeServer& server) {
        if (request.header.requestCode != kReqLocation) {
            server.Reply(request, {}, 0, 0);
        }
    });
    LinkSettings settings = FastSettings();
    settings.pingIntervalMs = 20;
    StartAndConnect(settings);
    driver_->SetLoggedIn(true);
    ServerSaw(2);
    auto request = std::async(std::launch::async, [&] {
        EmsMsg msg;
        EmsMsg* reply = nullptr;
        const uint8_t body = 0;
        BuildEmsMsg(&msg, kEmsOpQuery, kReqLocation, 1, &body, 0);
        return driver_->RequestEmsMsg(&msg, &reply, 0, 1000, false);
    });
    ASSERT_TRUE(WaitUntil([&] { return driver_->IsInTransaction(); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(400)); // twenty keep-alive periods
    const std::vector<Frame> frames = server_.Received();
    EXPECT_TRUE(driver_->IsInTransaction());
    size_t after = 0;
    while (after < frames.size() && frames[after].header.requestCode != kReqLocation) {
        ++after;
    }
    size_t keepAlives = 0;
    for (size_t i = after; i < frames.size(); ++i) {
        keepAlives += frames[i].header.requestCode == kReqKeepAlive ? 1 : 0;
    }
    EXPECT_LE(keepAlives, 1u) << "one on its way as the request began at most, not one every 20 ms";
    EXPECT_EQ(request.get(), kDrvTimeout);
    EXPECT_TRUE(driver_->IsConnected());
}

std::vector<uint8_t> NotificationFrame(uint16_t code, uint8_t mark)
{
    FrameHeader header;
    header.operation = kEmsOpReply;
    header.requestCode = code;
    header.neId = 4;
    header.count = 1;
    header.recordSize = 60;
    std::vector<uint8_t> record(60, mark);
    return EncodeFrame(header, record.data(), record.size());
}

TEST_F(ServerDriverTest, AReplyIsAppliedAfterTheNotificationsBeforeItAndBeforeThoseAfterIt)
{
    // One notification before the reply and many after it, in one go on the connection.
    AppliedLog applied;
    applied.Watch(kReqUserAccount);
    applied.Watch(kReqEntityStateChange);
    server_.SetHandler([](const Frame& request, CFakeServer& server) {
        std::vector<uint8_t> bytes = NotificationFrame(kReqEntityStateChange, 0);
        FrameHeader header;
        header.operation = kEmsOpReply;
        header.requestCode = request.header.requestCode;
        header.sequence = request.header.sequence;
        const std::vector<uint8_t> reply = EncodeFrame(header, nullptr, 0);
        bytes.insert(bytes.end(), reply.begin(), reply.end());
        for (int i = 1; i <= 2000; ++i) {
            const std::vector<uint8_t> after = NotificationFrame(kReqEntityStateChange, static_cast<uint8_t>(i));
            bytes.insert(bytes.end(), after.begin(), after.end());
        }
        server.SendRaw(bytes);
    });
    StartAndConnect();
    ASSERT_EQ(Query(kReqUserAccount), kDrvOk);
    ASSERT_EQ(applied.Size(), 2u) << "only the notification before the reply came first";
    EXPECT_EQ(applied.messages[0].first, kReqEntityStateChange);
    EXPECT_EQ(applied.messages[1].first, kReqUserAccount);
    ASSERT_TRUE(WaitUntil([] { return QueuedServerMessageCount() == 2000; }));
    // The UI applies the queue a time slice per tick: on a slow machine it takes more than one.
    EXPECT_TRUE(WaitUntil([&] {
        DispatchServerMessage(nullptr);
        return applied.Size() == 2002u;
    })) << applied.Size();
}

TEST_F(ServerDriverTest, TrapPortIsTheFirstFreeOneFromTheSetting)
{
    LinkSettings settings = FastSettings();
    settings.serverTrapPort = 40461;
    const int busy = [] {
        uint16_t port = 0;
        return BindFirstFreeUdpPort(0, 40461, 1, &port);
    }();
    StartAndConnect(settings);
    if (busy >= 0) {
        EXPECT_GT(driver_->GetTrapPort(), 40461);
        close(busy);
    }
    EXPECT_GE(driver_->GetTrapPort(), 40461);
    EXPECT_LT(driver_->GetTrapPort(), 40461 + CNetDrvServerAgent::kTrapPortTries);
}

// The notification port is the first free one of the hundred from the setting: with 99 of them taken the last is
// bound, with all 100 taken none (notifications then come on the connection only).
TEST_F(ServerDriverTest, TrapPortIsLookedForOverAHundredPorts)
{
    constexpr uint16_t kFirst = 41561;
    const struct {
        int busy;
        uint16_t expected;
    } cases[] = {{99, kFirst + 99}, {100, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.busy);
        std::vector<int> held;
        for (int i = 0; i < c.busy; ++i) {
            uint16_t port = 0;
            const int fd = BindFirstFreeUdpPort(0, static_cast<uint16_t>(kFirst + i), 1, &port);
            if (fd < 0) {
                for (int open : held) {
                    close(open);
                }
                GTEST_SKIP() << "port " << kFirst + i << " is used by another program";
            }
            held.push_back(fd);
        }
        LinkSettings settings = FastSettings();
        settings.serverTrapPort = kFirst;
        StartDriver(settings);
        ASSERT_EQ(driver_->EmsConnect(kLoopback, server_.Port(), "alice", "secret"), kDrvOk);
        EXPECT_EQ(driver_->GetTrapPort(), c.expected);
        // The logon tells the server the port bound (bytes 22 and 23 of its record), 0 for none.
        server_.SetHandler([](const Frame& request, CFakeServer& server) { server.Reply(request, {}, 0, 0); });
        const size_t before = server_.ReceivedCount();
        ASSERT_EQ(Query(kReqLogon), kDrvOk);
        const Frame logon = ServerSaw(before + 1);
        ASSERT_EQ(logon.header.requestCode, kReqLogon);
        ASSERT_EQ(logon.payload.size(), 24u);
        EXPECT_EQ(logon.payload[22] | (logon.payload[23] << 8), c.expected);
        driver_.reset();
        for (int fd : held) {
            close(fd);
        }
    }
}

// Each frame carries the operator-log switch (SYSTEM/OPLOG) as it is when the frame is sent: the server logs the
// operator's changes only while it is set.
TEST_F(ServerDriverTest, EachFrameCarriesTheOperatorLogSwitchAsItIsWhenSent)
{
    server_.SetHandler([](const Frame& request, CFakeServer& server) { server.Reply(request, {}, 0, 0); });
    StartAndConnect();
    const CAppSettings saved = AppSettings();
    for (const bool on : {false, true, false}) {
        AppSettings().opLog = on;
        const size_t before = server_.ReceivedCount();
        ASSERT_EQ(Query(kReqKeepAlive), kDrvOk);
        EXPECT_EQ(ServerSaw(before + 1).header.opLog, on);
    }
    AppSettings() = saved;
}

TEST_F(ServerDriverTest, ShutdownEndsARequestInProgress)
{
    server_.SetHandler([](const Frame&, CFakeServer&) {});
    StartAndConnect();
    auto result = std::async(std::launch::async, [&] { return Query(kReqLocation, 30000); });
    ServerSaw(1);
    driver_->Shutdown();
    EXPECT_EQ(result.get(), kDrvNotConnected);
    EXPECT_FALSE(driver_->IsInitialised());
    EXPECT_EQ(Query(kReqLocation), kDrvNotInitialised);
}

TEST_F(ServerDriverTest, ARequestWithNoAnswerEndsAtItsTimeOutNotLater)
{
    server_.SetHandler([](const Frame&, CFakeServer&) {});
    StartAndConnect();
    const auto start = std::chrono::steady_clock::now();
    auto result = std::async(std::launch::async, [&] { return Query(kReqLocation, 100); });
    ASSERT_TRUE(EndsInTime(result)) << "the wait for the reply outlives the request's time-out";
    EXPECT_EQ(result.get(), kDrvTimeout);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

TEST_F(ServerDriverTest, ARequestCancelledHalfWayThroughItsReplyEndsAtOnceAndTheNextReplyReadsWhole)
{
    std::atomic<bool> answer{false};
    const std::vector<uint8_t> fresh = Counting(16);
    server_.SetHandler([&](const Frame& request, CFakeServer& server) {
        if (answer) {
            server.Reply(request, fresh, 4, 4);
        }
    });
    StartAndConnect();
    auto result = std::async(std::launch::async, [&] { return Query(kReqLocation, 30000); });
    const Frame first = ServerSaw(1);
    FrameHeader header;
    header.operation = kEmsOpReply;
    header.requestCode = first.header.requestCode;
    header.sequence = first.header.sequence;
    header.count = header.total = 16;
    header.recordSize = 4;
    const std::vector<uint8_t> records = Counting(64);
    const std::vector<uint8_t> bytes = EncodeFrame(header, records.data(), records.size());
    const auto half = static_cast<std::ptrdiff_t>(bytes.size() / 2);
    server_.SendRaw({bytes.begin(), bytes.begin() + half});
    // The half is read while the request waits for the rest.
    ASSERT_TRUE(WaitUntil([&] { return server_.ClientReadEverything(); }));
    const auto cancelledAt = std::chrono::steady_clock::now();
    driver_->CancelRequest();
    ASSERT_TRUE(EndsInTime(result)) << "the wait for the reply outlives the cancel";
    EXPECT_EQ(result.get(), kDrvCancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - cancelledAt, std::chrono::milliseconds(500));

    // The rest of the cancelled reply is dropped; the next request reads its own reply whole.
    server_.SendRaw({bytes.begin() + half, bytes.end()});
    answer = true;
    ASSERT_EQ(Query(kReqLocation), kDrvOk);
    ASSERT_EQ(reply_->count, 4);
    EXPECT_EQ(std::memcmp(reply_->records, fresh.data(), fresh.size()), 0);
    EXPECT_TRUE(driver_->IsConnected());
}

TEST_F(ServerDriverTest, LogoffWithoutWaitingStillReachesTheServerBeforeTheDriverStops)
{
    server_.SetHandler([](const Frame&, CFakeServer&) {}); // a server that never answers a logoff
    StartAndConnect();
    BuildEmsMsg(&request_, kEmsOpModify, kReqLogoff, 1, &body_, 0);
    ASSERT_EQ(driver_->RequestEmsMsg(&request_, &reply_, 0, 0, false), kDrvOk);
    driver_->Shutdown();
    EXPECT_EQ(ServerSaw(1).header.requestCode, kReqLogoff);
    EXPECT_TRUE(WaitUntil([&] { return server_.ClientClosed(); }));
}

} // namespace
