#include "tests/features/fault/trap_log/trap_log_test_support.h"

#include "link/records/entity_state_rec.h"

#include <array>
#include <vector>

namespace {

using namespace trap_log_test;

class TrapLogNotificationTest : public FaultTestEnvironment {};

// The entity states of a notification, as the link decodes them from the wire, are logged field by field; what the
// trap log does not keep (masked and acknowledged flags, text, value) is left behind.
TEST_F(TrapLogNotificationTest, EntityStatesFromTheWireAreLoggedFieldByField)
{
    EntityStateRec raised;
    raised.entityId = 12101;
    raised.stateBits = 0x81;
    raised.severity = 2;
    raised.secondaryStatus = 7;
    raised.onlineType = 50;
    raised.plannedType = 51;
    raised.alarmMasked = 1;
    raised.acknowledged = 1;
    raised.occurTime = 1700000000;
    raised.receiveTime = 1700000003;
    raised.text = "ignored";
    raised.value = 42;
    raised.alarmClass = 3;
    EntityStateRec cleared = raised;
    cleared.stateBits = 0;
    cleared.severity = 99;

    std::vector<uint8_t> wire;
    for (const EntityStateRec& rec : {raised, cleared}) {
        const std::array<uint8_t, kEntityStateRecSize> bytes = EncodeRecord(rec);
        wire.insert(wire.end(), bytes.begin(), bytes.end());
    }
    std::vector<EntityStateRec> decoded;
    ASSERT_TRUE(DecodeRecords<EntityStateRec>(wire.data(), 2, kEntityStateRecSize, &decoded));
    std::vector<TrapLogRecord> states;
    for (const EntityStateRec& rec : decoded)
        states.push_back(TrapLogRecordFromState(rec));
    ASSERT_EQ(AppTrapLog().AddTrapLogRecords(kAlpha, states.data(), 2), 1);

    // The words as sent, beside the texts of the NE they were logged with.
    const auto words = [](TrapLogRecord record) {
        EXPECT_EQ(record.texts.Get(CTrapLogTexts::kNe), "alpha");
        record.texts = {};
        return record;
    };
    TrapLogRecord logged;
    ASSERT_EQ(AppTrapLog().GetFirstTrapLogRecord(&logged), 1u);
    EXPECT_EQ(words(logged), (TrapLogRecord{0, kAlpha, 12101, 0x81, 2, 7, 50, 51, 1700000000, 1700000003, 3, {}}));
    ASSERT_EQ(AppTrapLog().GetNextTrapLogRecord(&logged), 1u);
    EXPECT_EQ(words(logged), (TrapLogRecord{1, kAlpha, 12101, 0, 0, 7, 50, 51, 1700000000, 1700000003, 3, {}}));
}

} // namespace
