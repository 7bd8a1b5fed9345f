#include "link/server_message_dispatcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <initializer_list>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "link/net_drv.h"
#include "link/records/entity_state_rec.h"
#include "link/records/operator_mail_record.h"

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
        for (uint16_t code : std::initializer_list<uint16_t>{kReqOperatorMail, kReqLocation, kReqEntityStateChange}) {
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
    DispatchFromAnotherThread(Message(kReqLocation, first));
    DispatchFromAnotherThread(Message(kReqEntityStateChange, second));
    first[0] = 99; // the queue holds its own copy
    EXPECT_TRUE(applied_.empty());
    EXPECT_EQ(QueuedServerMessageCount(), 2u);

    DispatchServerMessage(nullptr);
    ASSERT_EQ(applied_.size(), 2u);
    EXPECT_EQ(applied_[0].code, kReqLocation);
    EXPECT_EQ(applied_[0].records, std::vector<uint8_t>({1, 2}));
    EXPECT_EQ(applied_[1].code, kReqEntityStateChange);
    EXPECT_EQ(applied_[1].neId, 4u);
    EXPECT_EQ(QueuedServerMessageCount(), 0u);
}

TEST_F(DispatcherTest, PastTheBoundTheModelGetsEachEntitysLatestStateAndTheTrapLogEveryNotification)
{
    // Twice the bound in batches of 23 state records (a datagram's worth) over 40 entities, a mail halfway; record i
    // carries i in its value field. Replies 325 reach the model alone; notifications 330 the trap log too.
    constexpr uint32_t kEntities = 40;
    constexpr uint32_t kPerBatch = 23;
    const uint32_t batches = 2 * kServerMessageQueueBound / (kPerBatch * kEntityStateRecSize);
    for (const uint16_t code : {kReqEntityState, kReqEntityStateChange}) {
        SCOPED_TRACE(code);
        applied_.clear();
        ui_.trapBatches.clear();
        SetServerMessageRule(code, [this](const EmsMsg& msg, CDispatchEffects& effects) {
            const auto* begin = static_cast<const uint8_t*>(msg.records);
            applied_.push_back({msg.requestCode, msg.neId, {begin, begin + EmsRecordBytes(msg)}});
            if (msg.requestCode == kReqEntityStateChange) {
                effects.AddTrapLogRecords(msg.neId, begin, static_cast<uint32_t>(msg.count), msg.recordSize);
            }
        });
        uint32_t mailAfter = 0;
        std::map<uint32_t, uint32_t> latest; // entity -> value of its last record
        std::thread driverThread([&] {
            const std::vector<uint8_t> mail(1026), location = {1};
            const EmsMsg first = Message(kReqLocation, location);
            DispatchServerMessage(&first);
            uint32_t sent = 0;
            for (uint32_t b = 0; b < batches; ++b) {
                if (b == batches / 2) {
                    mailAfter = sent;
                    const EmsMsg mailMsg = Message(kReqOperatorMail, mail, kOperatorMailRecordSize);
                    DispatchServerMessage(&mailMsg);
                }
                std::vector<uint8_t> records;
                for (uint32_t i = 0; i < kPerBatch; ++i, ++sent) {
                    EntityStateRec rec;
                    rec.entityId = 10101 + sent % kEntities;
                    rec.value = sent;
                    const auto bytes = EncodeRecord(rec);
                    records.insert(records.end(), bytes.begin(), bytes.end());
                    latest[rec.entityId] = sent;
                }
                const EmsMsg states = Message(code, records, kEntityStateRecSize);
                DispatchServerMessage(&states);
            }
        });
        driverThread.join();
        if (code == kReqEntityState) {
            // The bound, and one record for each entity folded.
            EXPECT_LT(QueuedServerMessageBytes(), kServerMessageQueueBound + 64 * 1024);
        }

        for (int tick = 0; tick < 1000 && QueuedServerMessageCount() != 0; ++tick) {
            DispatchServerMessage(nullptr);
        }
        ASSERT_EQ(QueuedServerMessageCount(), 0u);
        EXPECT_EQ(QueuedServerMessageBytes(), 0u) << "a drained queue holds nothing";
        std::vector<uint16_t> others;
        std::map<uint32_t, uint32_t> applied; // entity -> value of its last applied record
        size_t records = 0;
        for (const Applied& a : applied_) {
            if (a.code != code) {
                others.push_back(a.code);
                continue;
            }
            for (size_t offset = 0; offset < a.records.size(); offset += kEntityStateRecSize, ++records) {
                EntityStateRec rec;
                DecodeRecord(a.records.data() + offset, kEntityStateRecSize, &rec);
                const bool afterMail = others.size() == 2;
                EXPECT_EQ(rec.value >= mailAfter, afterMail) << "record " << rec.value << " crossed the mail";
                if (applied.count(rec.entityId) != 0) {
                    EXPECT_GT(rec.value, applied[rec.entityId]) << "entity " << rec.entityId << " out of order";
                }
                applied[rec.entityId] = rec.value;
            }
        }
        EXPECT_EQ(others, (std::vector<uint16_t>{kReqLocation, kReqOperatorMail}));
        EXPECT_EQ(applied, latest) << "each entity ends with its latest state";
        EXPECT_LT(records, static_cast<size_t>(batches) * kPerBatch) << "nothing was folded";

        uint32_t logged = 0;
        for (const Applied& batch : ui_.trapBatches) {
            for (size_t offset = 0; offset < batch.records.size(); offset += kEntityStateRecSize, ++logged) {
                EntityStateRec rec;
                DecodeRecord(batch.records.data() + offset, kEntityStateRecSize, &rec);
                ASSERT_EQ(rec.value, logged) << "the trap log lost or reordered a notification";
            }
        }
        EXPECT_EQ(logged, code == kReqEntityStateChange ? batches * kPerBatch : 0u);
    }
}

TEST_F(DispatcherTest, AtItsLimitTheQueueRefusesDatagramsUntilItHasDrained)
{
    const std::vector<uint8_t> big(512 * 1024), state(kEntityStateRecSize);
    const EmsMsg chunk = Message(kReqLocation, big);
    size_t accepted = 0;
    while (QueueServerMessage(&chunk, ServerMessageOrigin::kDatagram)) {
        ++accepted;
        ASSERT_LE(QueuedServerMessageBytes(), kServerMessageQueueLimit + 1024 * 1024) << "no bound";
    }
    EXPECT_GE(QueuedServerMessageBytes(), kServerMessageQueueLimit);
    const EmsMsg states = Message(kReqEntityStateChange, state, kEntityStateRecSize);
    EXPECT_FALSE(QueueServerMessage(&states, ServerMessageOrigin::kDatagram)) << "entity states are held to it too";

    while (QueuedServerMessageCount() != 0) {
        DispatchServerMessage(nullptr);
    }
    EXPECT_EQ(applied_.size(), accepted);
    EXPECT_TRUE(QueueServerMessage(&chunk, ServerMessageOrigin::kDatagram));
}

// Every entity's state that a login or a re-read brings over the connection may pass the limit; a datagram that
// comes meanwhile is taken all the same (refused, it would make another re-read), and datagrams are still held to
// the limit by what they themselves queued.
TEST_F(DispatcherTest, WhatTheConnectionQueuedPastTheLimitLeavesRoomForDatagrams)
{
    const std::vector<uint8_t> big(512 * 1024), state(kEntityStateRecSize);
    const EmsMsg chunk = Message(kReqLocation, big);
    while (QueuedServerMessageBytes() < 2 * kServerMessageQueueLimit) {
        ASSERT_TRUE(QueueServerMessage(&chunk, ServerMessageOrigin::kConnection));
    }
    const EmsMsg states = Message(kReqEntityStateChange, state, kEntityStateRecSize);
    EXPECT_TRUE(QueueServerMessage(&states, ServerMessageOrigin::kDatagram));
    size_t datagrams = 0;
    while (QueueServerMessage(&chunk, ServerMessageOrigin::kDatagram)) {
        ASSERT_LE(++datagrams, kServerMessageQueueLimit / big.size() + 2) << "datagrams have no bound";
    }
    EXPECT_GE(datagrams, kServerMessageQueueLimit / big.size() - 1);

    while (QueuedServerMessageCount() != 0) {
        DispatchServerMessage(nullptr);
    }
    EXPECT_TRUE(QueueServerMessage(&chunk, ServerMessageOrigin::kDatagram));
}

// What the connection brought is never refused: the driver reads it only as fast as the UI applies it, and a
// message refused there would have to be read again with everything.
TEST_F(DispatcherTest, AtItsLimitTheQueueTakesEveryMessageAndReplyOfTheConnection)
{
    SetServerMessageRule(kReqUserAccount, [this](const EmsMsg& msg, CDispatchEffects&) {
        applied_.push_back({kReqUserAccount, msg.neId, {}});
    });
    const std::vector<uint8_t> big(512 * 1024), state(kEntityStateRecSize);
    const EmsMsg chunk = Message(kReqLocation, big);
    while (QueueServerMessage(&chunk, ServerMessageOrigin::kDatagram)) {
    }
    const size_t queued = QueuedServerMessageCount();
    const EmsMsg states = Message(kReqEntityStateChange, state, kEntityStateRecSize);
    EXPECT_TRUE(QueueServerMessage(&chunk, ServerMessageOrigin::kConnection));
    EXPECT_TRUE(QueueServerMessage(&states, ServerMessageOrigin::kConnection));
    const std::vector<uint8_t> account = {1};
    const EmsMsg reply = Message(kReqUserAccount, account);
    QueueServerReply(&reply, ServerMessageArrivalMark());
    EXPECT_EQ(QueuedServerMessageCount(), queued + 3);

    while (QueuedServerMessageCount() != 0) {
        DispatchServerMessage(nullptr);
    }
    ASSERT_EQ(applied_.size(), queued + 3);
    EXPECT_EQ(applied_.back().code, kReqUserAccount) << "after what arrived before it";
}

TEST_F(DispatcherTest, AReplyToARequestOfAnotherThreadReachesTheModelWhenTheQueueIsAtItsLimit)
{
    SetServerMessageRule(kReqUserAccount, [this](const EmsMsg& msg, CDispatchEffects&) {
        applied_.push_back({kReqUserAccount, msg.neId, {}});
    });
    const std::vector<uint8_t> big(512 * 1024);
    const EmsMsg chunk = Message(kReqLocation, big);
    std::thread([&] {
        while (QueueServerMessage(&chunk, ServerMessageOrigin::kDatagram)) {
        }
    }).join();
    const size_t queued = QueuedServerMessageCount();
    const std::vector<uint8_t> account = {1};
    const EmsMsg reply = Message(kReqUserAccount, account);
    // The requester's thread hands the reply on as the driver does, after what it waited behind.
    std::thread([&] { DispatchServerReply(&reply, ServerMessageArrivalMark()); }).join();
    EXPECT_EQ(QueuedServerMessageCount(), queued + 1) << "the reply waits for the model, not refused";

    while (QueuedServerMessageCount() != 0) {
        DispatchServerMessage(nullptr);
    }
    ASSERT_EQ(applied_.size(), queued + 1);
    EXPECT_EQ(applied_.back().code, kReqUserAccount) << "after what arrived before it";
    EXPECT_EQ(std::count_if(applied_.begin(), applied_.end(), [](const Applied& a) { return a.code == kReqLocation; }),
              static_cast<std::ptrdiff_t>(queued));
}

TEST_F(DispatcherTest, AQueuedReplyGoesBeforeWhatArrivedAfterIt)
{
    SetServerMessageRule(kReqUserAccount, [this](const EmsMsg& msg, CDispatchEffects&) {
        applied_.push_back({kReqUserAccount, msg.neId, {}});
    });
    DispatchFromAnotherThread(Message(kReqLocation, {1}));
    const uint64_t mark = ServerMessageArrivalMark();
    DispatchFromAnotherThread(
        Message(kReqOperatorMail, std::vector<uint8_t>(kOperatorMailRecordSize), kOperatorMailRecordSize));
    const std::vector<uint8_t> account = {1};
    const EmsMsg reply = Message(kReqUserAccount, account);
    std::thread([&] { QueueServerReply(&reply, mark); }).join();
    DispatchServerMessage(nullptr);
    std::vector<uint16_t> order;
    for (const Applied& a : applied_) {
        order.push_back(a.code);
    }
    EXPECT_EQ(order, (std::vector<uint16_t>{20, 10, 8}));
}

// A login's burst: the states of every NE once, twice the bound in all. Nothing replaces anything, so every message
// waits whole; a second message of an NE whose states still wait is folded with what follows of that NE.
TEST_F(DispatcherTest, PastTheBoundEachNesFirstStatesWaitWholeAndOnlyLaterOnesFold)
{
    constexpr uint32_t kPerNe = 100;
    const uint32_t nes = 2 * kServerMessageQueueBound / (kPerNe * kEntityStateRecSize);
    const auto states = [](uint32_t neId, uint32_t count, uint32_t value) {
        std::vector<uint8_t> records;
        for (uint32_t i = 0; i < count; ++i) {
            EntityStateRec rec;
            rec.entityId = 10101 + i;
            rec.value = value;
            const auto bytes = EncodeRecord(rec);
            records.insert(records.end(), bytes.begin(), bytes.end());
        }
        EmsMsg msg = Message(kReqEntityStateChange, {}, kEntityStateRecSize);
        msg.neId = neId;
        return std::make_pair(msg, records);
    };
    std::thread driverThread([&] {
        for (uint32_t ne = 1; ne <= nes; ++ne) {
            auto [msg, records] = states(ne, kPerNe, 0);
            msg.count = kPerNe;
            msg.records = records.data();
            DispatchServerMessage(&msg);
        }
        // The last NE again, twice, while its burst still waits: the second replaces the first of these two.
        for (uint32_t value : {1u, 2u}) {
            auto [msg, records] = states(nes, 3, value);
            msg.count = 3;
            msg.records = records.data();
            DispatchServerMessage(&msg);
        }
    });
    driverThread.join();
    // The burst waits as messages, the fold as records: the three the model gets, and the three they replaced, which
    // the trap log still gets.
    EXPECT_EQ(QueuedServerMessageCount(), nes + 6);

    for (int tick = 0; tick < 1000 && QueuedServerMessageCount() != 0; ++tick)
        DispatchServerMessage(nullptr);
    ASSERT_EQ(QueuedServerMessageCount(), 0u);
    ASSERT_EQ(applied_.size(), static_cast<size_t>(nes) + 1);
    for (uint32_t ne = 1; ne <= nes; ++ne) {
        EXPECT_EQ(applied_[ne - 1].neId, ne);
        EXPECT_EQ(applied_[ne - 1].records.size(), kPerNe * kEntityStateRecSize);
    }
    const Applied& folded = applied_.back();
    EXPECT_EQ(folded.neId, nes);
    ASSERT_EQ(folded.records.size(), 3 * kEntityStateRecSize);
    for (size_t offset = 0; offset < folded.records.size(); offset += kEntityStateRecSize) {
        EntityStateRec rec;
        DecodeRecord(folded.records.data() + offset, kEntityStateRecSize, &rec);
        EXPECT_EQ(rec.value, 2u) << "the later state of entity " << rec.entityId;
    }
}

TEST_F(DispatcherTest, AReplyComesAfterTheStatesThatArrivedBeforeItAndBeforeTheRestFoldedOrNot)
{
    // States of 40 entities past the bound, the reply's mark taken in the folded part; record i carries i.
    constexpr uint32_t kPerBatch = 23;
    const uint32_t batches = 3 * kServerMessageQueueBound / (kPerBatch * kEntityStateRecSize);
    uint64_t mark = 0;
    uint32_t valueAtMark = 0;
    std::thread driverThread([&] {
        uint32_t sent = 0;
        for (uint32_t b = 0; b < batches; ++b) {
            if (b == batches / 2) {
                mark = ServerMessageArrivalMark();
                valueAtMark = sent;
            }
            std::vector<uint8_t> records;
            for (uint32_t i = 0; i < kPerBatch; ++i, ++sent) {
                EntityStateRec rec;
                rec.entityId = 10101 + sent % 40;
                rec.value = sent;
                const auto bytes = EncodeRecord(rec);
                records.insert(records.end(), bytes.begin(), bytes.end());
            }
            const EmsMsg states = Message(kReqEntityStateChange, records, kEntityStateRecSize);
            DispatchServerMessage(&states);
        }
    });
    driverThread.join();
    const std::vector<uint8_t> table = {1};
    const EmsMsg reply = Message(kReqLocation, table);
    DispatchServerReply(&reply, mark);
    while (QueuedServerMessageCount() != 0)
        DispatchServerMessage(nullptr);

    size_t before = 0;
    size_t after = 0;
    bool replied = false;
    for (const Applied& a : applied_) {
        if (a.code == kReqLocation) {
            replied = true;
            continue;
        }
        for (size_t offset = 0; offset < a.records.size(); offset += kEntityStateRecSize) {
            EntityStateRec rec;
            DecodeRecord(a.records.data() + offset, kEntityStateRecSize, &rec);
            EXPECT_EQ(rec.value >= valueAtMark, replied) << "record " << rec.value << " crossed the reply";
            ++(replied ? after : before);
        }
    }
    EXPECT_GT(before, 0u);
    EXPECT_GT(after, 0u);
}

TEST_F(DispatcherTest, UiThreadAppliesAtOnceAfterWhatWasQueued)
{
    const std::vector<uint8_t> queued = {1}, direct = {2};
    DispatchFromAnotherThread(Message(kReqEntityStateChange, queued));
    const EmsMsg msg = Message(kReqLocation, direct);
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
        EmsMsg msg = Message(kReqLocation, records);
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
    const EmsMsg msg = Message(kReqLoginQuery, records);
    DispatchServerMessage(&msg);
    EXPECT_TRUE(applied_.empty());
    SetServerMessageRule(kReqLocation, nullptr);
    const EmsMsg removed = Message(kReqLocation, records);
    DispatchServerMessage(&removed);
    EXPECT_TRUE(applied_.empty());
}

TEST_F(DispatcherTest, ARuleRemovedLeavesItsNeighboursAndASecondRuleTakesAgain)
{
    const std::vector<uint8_t> records = {1};
    // Codes side by side, and one far off, each with a rule of its own.
    const std::vector<uint16_t> codes = {kReqLocation, static_cast<uint16_t>(kReqLocation ^ 1), 65535};
    std::vector<uint16_t> taken;
    for (uint16_t code : codes) {
        SetServerMessageRule(code,
                             [&taken](const EmsMsg& msg, CDispatchEffects&) { taken.push_back(msg.requestCode); });
    }
    SetServerMessageRule(kReqLocation, nullptr);
    for (uint16_t code : codes) {
        const EmsMsg msg = Message(code, records);
        DispatchServerMessage(&msg);
    }
    EXPECT_EQ(taken, (std::vector<uint16_t>{static_cast<uint16_t>(kReqLocation ^ 1), 65535}));
    SetServerMessageRule(kReqLocation, [&taken](const EmsMsg&, CDispatchEffects&) { taken.push_back(0); });
    const EmsMsg again = Message(kReqLocation, records);
    DispatchServerMessage(&again);
    EXPECT_EQ(taken.back(), 0);
    ClearServerMessageRules();
    DispatchServerMessage(&again);
    EXPECT_EQ(taken.size(), 3u) << "no rule is left after all are cleared";
}

TEST_F(DispatcherTest, WhileTheUiThreadHoldsTheLockItsMessagesWaitForTheTick)
{
    ASSERT_TRUE(LockDispatch(0));
    EXPECT_FALSE(LockDispatch(0)) << "not recursive";
    const std::vector<uint8_t> records = {5};
    const EmsMsg msg = Message(kReqLocation, records);
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
    DispatchFromAnotherThread(Message(kReqLocation, {1}));
    EXPECT_FALSE(DrainServerMessages(0));
    EXPECT_EQ(QueuedServerMessageCount(), 1u);
    release.set_value();
    holder.join();
    EXPECT_TRUE(DrainServerMessages(0));
    EXPECT_EQ(applied_.size(), 1u);
}

TEST_F(DispatcherTest, OnlyTheUiThreadDrains)
{
    DispatchFromAnotherThread(Message(kReqLocation, {1}));
    EXPECT_FALSE(std::async(std::launch::async, [] { return DrainServerMessages(0); }).get());
    std::thread([] { DispatchServerMessage(nullptr); }).join();
    EXPECT_EQ(QueuedServerMessageCount(), 1u);
}

TEST_F(DispatcherTest, EffectsRunAfterTheLockIsReleasedInTheirOrder)
{
    SetServerMessageRule(kReqOperatorMail, [](const EmsMsg&, CDispatchEffects& effects) {
        effects.ShowOperatorMail({"root", "10.0.0.1", "", true});
        effects.StartLogoutTimer(10000);
    });
    const std::vector<uint8_t> records(1026);
    const EmsMsg msg = Message(kReqOperatorMail, records, kOperatorMailRecordSize);
    DispatchServerMessage(&msg);
    ASSERT_EQ(ui_.mails.size(), 1u);
    EXPECT_EQ(ui_.mails[0].sender, "root");
    EXPECT_TRUE(ui_.mails[0].forcedLogout);
    EXPECT_EQ(ui_.logoutTimers, std::vector<uint32_t>{10000});
    EXPECT_TRUE(ui_.lockFreeDuringEffects);
}

TEST_F(DispatcherTest, TrapLogGetsTheWholeBatchEvenAfterTheMessageIsGone)
{
    SetServerMessageRule(kReqEntityStateChange, [](const EmsMsg& msg, CDispatchEffects& effects) {
        effects.AddTrapLogRecords(msg.neId, static_cast<const uint8_t*>(msg.records), static_cast<uint32_t>(msg.count),
                                  msg.recordSize);
    });
    std::vector<uint8_t> records(3 * 60);
    for (size_t i = 0; i < records.size(); ++i) {
        records[i] = static_cast<uint8_t>(i);
    }
    DispatchFromAnotherThread(Message(kReqEntityStateChange, records, kEntityStateRecSize));
    DispatchServerMessage(nullptr);
    ASSERT_EQ(ui_.trapBatches.size(), 1u);
    EXPECT_EQ(ui_.trapBatches[0].neId, 4u);
    EXPECT_EQ(ui_.trapBatches[0].records, records);
}

TEST_F(DispatcherTest, BatchHookRunsOncePerPassUnderTheLock)
{
    int passes = 0;
    bool heldByUs = false;
    SetServerMessageBatchHook([&](CDispatchEffects&) {
        ++passes;
        heldByUs = !std::async(std::launch::async, [] { return LockDispatch(0); }).get();
    });
    DispatchFromAnotherThread(Message(kReqLocation, {1}));
    DispatchFromAnotherThread(Message(kReqLocation, {2}));
    DispatchServerMessage(nullptr);
    EXPECT_EQ(passes, 1);
    EXPECT_TRUE(heldByUs);
    DispatchServerMessage(nullptr);
    EXPECT_EQ(passes, 1) << "a pass that applied nothing";
}

// The batch ends only where a rule changed something: answers no rule takes (the keep-alive's, at every request) finish
// none, also behind queued ones; one a rule takes still finishes its pass.
TEST_F(DispatcherTest, BatchHookRunsForAPassARuleTookAndNotForAnswersNoneTakes)
{
    int passes = 0;
    SetServerMessageBatchHook([&](CDispatchEffects&) { ++passes; });
    const EmsMsg keepAlive = Message(kReqKeepAlive, {});
    DispatchServerReply(&keepAlive, ServerMessageArrivalMark());
    DispatchFromAnotherThread(keepAlive);
    DispatchServerReply(&keepAlive, ServerMessageArrivalMark());
    EXPECT_EQ(passes, 0);

    DispatchFromAnotherThread(Message(kReqLocation, {1}));
    DispatchServerReply(&keepAlive, ServerMessageArrivalMark());
    EXPECT_EQ(passes, 1) << "the queued location went with the answer";
    ASSERT_EQ(applied_.size(), 1u);
    EXPECT_EQ(applied_[0].code, kReqLocation);
}

TEST_F(DispatcherTest, IdleHookOfTheDriverDrainsTheQueue)
{
    CNetDrv baseDriver;
    DispatchFromAnotherThread(Message(kReqLocation, {1}));
    baseDriver.OnAppIdle();
    EXPECT_EQ(applied_.size(), 1u);
}

TEST_F(DispatcherTest, AThrowingRuleDoesNotKeepTheLock)
{
    SetServerMessageRule(kReqLocation,
                         [](const EmsMsg&, CDispatchEffects&) { throw std::runtime_error("bad record"); });
    const std::vector<uint8_t> records = {1};
    const EmsMsg msg = Message(kReqLocation, records);
    DispatchServerMessage(&msg);
    EXPECT_TRUE(LockDispatch(0));
    UnlockDispatch();
}

} // namespace
