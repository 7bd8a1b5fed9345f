#include "link/ems_msg.h"
#include "link/records/word_record.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(BuildEmsMsg, FillsTheHeaderForOneRecord)
{
    const uint8_t word[kWordRecordSize] = {1, 0, 0, 0};
    EmsMsg msg;
    msg.total = 9;
    msg.status = 32019;
    msg.more = 1;
    msg.sequence = 5;
    ASSERT_EQ(BuildEmsMsg(&msg, kEmsOpModify, kReqNotificationsOn, kWordRecordSize, word, 12), 0);
    EXPECT_EQ(msg.operation, 2);
    EXPECT_EQ(msg.requestCode, kReqNotificationsOn);
    EXPECT_EQ(msg.neId, 12u);
    EXPECT_EQ(msg.recordSize, 4u);
    EXPECT_EQ(msg.records, word);
    EXPECT_EQ(msg.count, 1);
    EXPECT_EQ(msg.total, 1u);
    EXPECT_EQ(msg.status, 0u);
    EXPECT_EQ(msg.more, 0u);
    EXPECT_EQ(msg.sequence, 0u);
    EXPECT_EQ(BuildEmsMsg(nullptr, kEmsOpModify, kReqNotificationsOn, kWordRecordSize, word, 12), -1);
}

TEST(BuildEmsMsg, NoRecordOrZeroSizeLeavesTheCountAtZero)
{
    uint8_t byte = 0;
    EmsMsg msg;
    ASSERT_EQ(BuildEmsMsg(&msg, kEmsOpQuery, kReqUserAccount, 1, nullptr, 0), 0);
    EXPECT_EQ(msg.count, 0);
    ASSERT_EQ(BuildEmsMsg(&msg, kEmsOpQuery, kReqUserAccount, 0, &byte, 0), 0);
    EXPECT_EQ(msg.count, 0);
    EXPECT_EQ(EmsRecordBytes(msg), 0u);
}

TEST(EmsMsg, RecordsAreReachedByIndexWithinTheCount)
{
    std::array<uint8_t, 12> records{};
    for (size_t i = 0; i < records.size(); ++i) {
        records[i] = static_cast<uint8_t>(i);
    }
    EmsMsg msg;
    BuildEmsMsg(&msg, kEmsOpReply, kReqServerTime, kWordRecordSize, records.data(), 0);
    msg.count = 3; // several records from one buffer
    EXPECT_EQ(EmsRecordBytes(msg), 12u);
    ASSERT_NE(EmsRecordAt(msg, 2), nullptr);
    EXPECT_EQ(*EmsRecordAt(msg, 2), 8);
    EXPECT_EQ(EmsRecordAt(msg, 3), nullptr);
    msg.count = -1;
    EXPECT_EQ(EmsRecordBytes(msg), 0u);
    EXPECT_EQ(EmsRecordAt(msg, 0), nullptr);
}

} // namespace
