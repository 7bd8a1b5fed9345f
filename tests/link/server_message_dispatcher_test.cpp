#include "link/server_message_dispatcher.h"

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <thread>
#include <vector>

#include "link/net_drv.h"

namespace {

struct Applied {
    uint16_t code;
    uint32_t neId;
    std::vector<uint8_t> records;
};

class RecordingUi : public IDispatchUi {
public:
    void ShowOperatorMail(const OperatorMailNotice& mail) override
    {
        mails.push_back(mail);
        lockFreeDuringEffects = lockFreeDuringEffects && LockDispatch(0);
        UnlockDispatch();
    }
    void StartLogoutTimer(uint32_t periodMs) override
    {
        logoutTimers.push_back(periodMs);
        lockFreeDuringEffects = lockFreeDuringEffects && LockDispatch(0);
        UnlockDispatch();
    }
    int AddTrapLogRecords(uint32_t neId, const uint8_t* records, uint32_t count) override
    {
        trapBatches.push_back({330, neId, std::vector<uint8_t>(records, records + count * 60)});
        return static_cast<int>(count);
    }

    std::vector<OperatorMailNotice> mails;
    std::vector<uint32_t> logoutTimers;
    std::vector<Applied> trapBatches;
    bool lockFreeDuringEffects = true;
};

class DispatcherTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUiThreadId(std::this_thread::get_id());
        ClearServerMessageRules();
        ClearServerMessageQueue();
        SetDispatchUi(&ui_);
        for (uint16_t code : {8, 20, 330}) {
            SetServerMessageRule(code, [this](const EmsMsg& msg, CDispatchEffects&) {
                const auto* begin = static_cast<const uint8_t*>(msg.records);
                applied_.push_back({msg.requestCode, msg.neId, {begin, begin + EmsRecordBytes(msg)}});
            });
        }
    }
    void TearDown() override
    {
        SetDispatchUi(nullptr);
        ClearServerMessageRules();
        ClearServerMessageQueue();
    }

    static EmsMsg Message(uint16_t code, const std::vector<uint8_t>& records, uint32_t recordSize = 1)
    {
        EmsMsg msg;
        msg.operation = kEmsOpReply;
        msg.requestCode = code;
        msg.neId = 4;
        msg.recordSize = recordSize;
        msg.count = static_cast<int32_t>(records.size() / recordSize);
        msg.records = records.empty() ? nullptr : records.data();
        return msg;
    }

    static void DispatchFromAnotherThread(const EmsMsg& msg)
    {
        std::thread([msg] { DispatchServerMessage(&msg); }).join();
    }

    RecordingUi ui_;
    std::vector<Applied> applied_;
};

TEST_F(DispatcherTest, OtherThreadsQueueCopiesThatTheTickAppliesInOrder)
{
    std::vector<uint8_t> first = {1, 2}, second = {3};
    DispatchFromAnotherThread(Message(20, first));
    DispatchFromAnotherThread(Message(330, second));
    first[0] = 99; // the queue holds its own copy
    EXPECT_TRUE(applied_.empty());
    EXPECT_EQ(QueuedServerMessageCount(), 2u);

    DispatchServerMessage(nullptr);
    ASSERT_EQ(applied_.size(), 2u);
    EXPECT_EQ(applied_[0].code, 20);
    EXPECT_EQ(applied_[0].records, std::vector<uint8_t>({1, 2}));
    EXPECT_EQ(applied_[1].code, 330);
    EXPECT_EQ(applied_[1].neId, 4u);
    EXPECT_EQ(QueuedServerMessageCount(), 0u);
}

TEST_F(DispatcherTest, UiThreadAppliesAtOnceAfterWhatWasQueued)
{
    const std::vector<uint8_t> queued = {1}, direct = {2};
    DispatchFromAnotherThread(Message(330, queued));
    const EmsMsg msg = Message(20, direct);
    DispatchServerMessage(&msg);
    ASSERT_EQ(applied_.size(), 2u);
    EXPECT_EQ(applied_[0].records, queued);
    EXPECT_EQ(applied_[1].records, direct);
}

TEST_F(DispatcherTest, OnlyReplyMessagesWithoutErrorAreTaken)
{
    const std::vector<uint8_t> records = {1};
    struct Case {
        uint8_t operation;
        uint32_t status;
        bool taken;
    };
    for (const Case& c : {Case{kEmsOpReply, 0, true}, Case{kEmsOpTextReply, 0, false}, Case{kEmsOpQuery, 0, false},
                          Case{kEmsOpReply, 32019, false}}) {
        applied_.clear();
        EmsMsg msg = Message(20, records);
        msg.operation = c.operation;
        msg.status = c.status;
        DispatchServerMessage(&msg);
        EXPECT_EQ(applied_.size(), c.taken ? 1u : 0u) << int(c.operation) << " " << c.status;
        EXPECT_EQ(QueuedServerMessageCount(), 0u);
    }
}

TEST_F(DispatcherTest, CodesWithoutARuleAreIgnored)
{
    const std::vector<uint8_t> records = {1};
    const EmsMsg msg = Message(34, records);
    DispatchServerMessage(&msg);
    EXPECT_TRUE(applied_.empty());
    SetServerMessageRule(20, nullptr);
    const EmsMsg removed = Message(20, records);
    DispatchServerMessage(&removed);
    EXPECT_TRUE(applied_.empty());
}

TEST_F(DispatcherTest, WhileTheUiThreadHoldsTheLockItsMessagesWaitForTheTick)
{
    ASSERT_TRUE(LockDispatch(0));
    EXPECT_FALSE(LockDispatch(0)) << "not recursive";
    const std::vector<uint8_t> records = {5};
    const EmsMsg msg = Message(20, records);
    DispatchServerMessage(&msg);
    EXPECT_TRUE(applied_.empty());
    EXPECT_EQ(QueuedServerMessageCount(), 1u);
    UnlockDispatch();
    DispatchServerMessage(nullptr);
    EXPECT_EQ(applied_.size(), 1u);
}

TEST_F(DispatcherTest, TickLeavesTheQueueWhenAnotherThreadHoldsTheLock)
{
    std::promise<void> held, release;
    std::thread holder([&] {
        EXPECT_TRUE(LockDispatch(1000));
        held.set_value();
        release.get_future().wait();
        UnlockDispatch();
    });
    held.get_future().wait();
    EXPECT_FALSE(LockDispatch(0));
    DispatchFromAnotherThread(Message(20, {1}));
    EXPECT_FALSE(DrainServerMessages(0));
    EXPECT_EQ(QueuedServerMessageCount(), 1u);
    release.set_value();
    holder.join();
    EXPECT_TRUE(DrainServerMessages(0));
    EXPECT_EQ(applied_.size(), 1u);
}

TEST_F(DispatcherTest, OnlyTheUiThreadDrains)
{
    DispatchFromAnotherThread(Message(20, {1}));
    EXPECT_FALSE(std::async(std::launch::async, [] { return DrainServerMessages(0); }).get());
    std::thread([] { DispatchServerMessage(nullptr); }).join();
    EXPECT_EQ(QueuedServerMessageCount(), 1u);
}

TEST_F(DispatcherTest, EffectsRunAfterTheLockIsReleasedInTheirOrder)
{
    SetServerMessageRule(8, [](const EmsMsg&, CDispatchEffects& effects) {
        effects.ShowOperatorMail({"root", "10.0.0.1", "", true});
        effects.StartLogoutTimer(10000);
    });
    const std::vector<uint8_t> records(1026);
    const EmsMsg msg = Message(8, records, 1026);
    DispatchServerMessage(&msg);
    ASSERT_EQ(ui_.mails.size(), 1u);
    EXPECT_EQ(ui_.mails[0].sender, "root");
    EXPECT_TRUE(ui_.mails[0].forcedLogout);
    EXPECT_EQ(ui_.logoutTimers, std::vector<uint32_t>{10000});
    EXPECT_TRUE(ui_.lockFreeDuringEffects);
}

TEST_F(DispatcherTest, TrapLogGetsTheWholeBatchEvenAfterTheMessageIsGone)
{
    SetServerMessageRule(330, [](const EmsMsg& msg, CDispatchEffects& effects) {
        effects.AddTrapLogRecords(msg.neId, static_cast<const uint8_t*>(msg.records), static_cast<uint32_t>(msg.count),
                                  msg.recordSize);
    });
    std::vector<uint8_t> records(3 * 60);
    for (size_t i = 0; i < records.size(); ++i) {
        records[i] = static_cast<uint8_t>(i);
    }
    DispatchFromAnotherThread(Message(330, records, 60));
    DispatchServerMessage(nullptr);
    ASSERT_EQ(ui_.trapBatches.size(), 1u);
    EXPECT_EQ(ui_.trapBatches[0].neId, 4u);
    EXPECT_EQ(ui_.trapBatches[0].records, records);
}

TEST_F(DispatcherTest, EffectsWithoutARegisteredUiAreDropped)
{
    SetDispatchUi(nullptr);
    SetServerMessageRule(8, [](const EmsMsg&, CDispatchEffects& effects) { effects.StartLogoutTimer(10000); });
    const std::vector<uint8_t> records(1026);
    const EmsMsg msg = Message(8, records, 1026);
    DispatchServerMessage(&msg);
    EXPECT_TRUE(ui_.logoutTimers.empty());
}

TEST_F(DispatcherTest, BatchHookRunsOncePerPassUnderTheLock)
{
    int passes = 0;
    bool heldByUs = false;
    SetServerMessageBatchHook([&](CDispatchEffects&) {
        ++passes;
        heldByUs = !std::async(std::launch::async, [] { return LockDispatch(0); }).get();
    });
    DispatchFromAnotherThread(Message(20, {1}));
    DispatchFromAnotherThread(Message(20, {2}));
    DispatchServerMessage(nullptr);
    EXPECT_EQ(passes, 1);
    EXPECT_TRUE(heldByUs);
    DispatchServerMessage(nullptr);
    EXPECT_EQ(passes, 1) << "a pass that applied nothing";
}

TEST_F(DispatcherTest, IdleHookOfTheDriverDrainsTheQueue)
{
    CNetDrv baseDriver;
    DispatchFromAnotherThread(Message(20, {1}));
    baseDriver.OnAppIdle();
    EXPECT_EQ(applied_.size(), 1u);
}

TEST_F(DispatcherTest, AThrowingRuleDoesNotKeepTheLock)
{
    SetServerMessageRule(20, [](const EmsMsg&, CDispatchEffects&) { throw std::runtime_error("bad record"); });
    const std::vector<uint8_t> records = {1};
    const EmsMsg msg = Message(20, records);
    DispatchServerMessage(&msg);
    EXPECT_TRUE(LockDispatch(0));
    UnlockDispatch();
}

} // namespace
