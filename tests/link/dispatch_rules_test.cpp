// The apply rules of what the server sends, driven through the dispatcher with hand-made messages: tables, change
// flags, entity trees, the trap-log hand-off and operator mail.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/tables/app_data.h"
#include "core/tables/entity_node.h"
#include "link/records/alarm_ack_rec.h"
#include "link/records/alarm_def_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/entity_state_rec.h"
#include "link/records/location_record.h"
#include "link/records/ne_key_record.h"
#include "link/records/operator_mail_record.h"
#include "link/records/user_account_record.h"
#include "link/records/user_rights_record.h"
#include "link/server/alarm_def_values.h"
#include "link/server/server_dispatch_rules.h"
#include "link/server_message_dispatcher.h"
#include "tests/link/server_sim_harness.h"

namespace {

using server_test::CRecordingDispatchUi;

UserAccountRecord Account(const std::string& name, const std::string& role, uint32_t location = 0)
{
    UserAccountRecord rec;
    rec.name = name;
    rec.roleLetter = role;
    rec.locationId = location;
    rec.fullName = name + " full";
    return rec;
}

LocationRecord Location(uint32_t id, const std::string& name, uint32_t parent = 0, uint32_t map = 0)
{
    LocationRecord rec;
    rec.id = id;
    rec.name = name;
    rec.parentId = parent;
    rec.mapId = map;
    return rec;
}

NeKeyRecord Ne(uint32_t id, const std::string& name, uint8_t lastOctet, uint32_t model = 2, uint32_t location = 0)
{
    NeKeyRecord rec;
    rec.neId = id;
    rec.neName = name;
    rec.modelId = model;
    rec.locationId = location;
    rec.ipAddress = {10, 0, 0, lastOctet};
    rec.port = 161;
    rec.snmpCommunity = "public";
    rec.longitude = 10.5F;
    rec.latitude = 59.5F;
    return rec;
}

EntityStateRec State(uint32_t entityId, uint32_t bits, int32_t severity)
{
    EntityStateRec rec;
    rec.entityId = entityId;
    rec.stateBits = bits;
    rec.severity = severity;
    rec.occurTime = 1000;
    rec.receiveTime = 1001;
    rec.alarmClass = 2;
    return rec;
}

class DispatchRulesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        server_test::LoadSampleModels();
        SetUiThreadId(std::this_thread::get_id());
        ClearServerMessageRules();
        ClearServerMessageQueue();
        ReceivedAlarmDefValues().Clear();
        ServerDispatchOptions options;
        options.setAllUserRights = [this](const std::string& a, const std::string& m, const std::string& u) {
            rights_.push_back({a, m, u});
        };
        InstallServerDispatchRules(app_, options);
        SetDispatchUi(&ui_);
    }

    void TearDown() override
    {
        RemoveServerDispatchRules();
        SetDispatchUi(nullptr);
        ReceivedAlarmDefValues().Clear();
    }

    // A message as the driver hands it over: a notification (sequence 0), or the reply to a request of
    // `requestOperation`.
    void Dispatch(uint16_t code, const std::vector<uint8_t>& records, uint32_t recordSize, uint32_t neId = 0,
                  uint32_t sequence = 0, uint8_t requestOperation = 0)
    {
        EmsMsg msg;
        msg.operation = kEmsOpReply;
        msg.requestCode = code;
        msg.neId = neId;
        msg.recordSize = recordSize;
        msg.count = recordSize == 0 ? 0 : static_cast<int32_t>(records.size() / recordSize);
        msg.total = static_cast<uint32_t>(msg.count);
        msg.records = records.empty() ? nullptr : records.data();
        msg.sequence = sequence;
        msg.reserved = requestOperation;
        DispatchServerMessage(&msg);
    }

    void Accounts(uint16_t code, const std::vector<UserAccountRecord>& accounts, uint32_t sequence = 0, uint8_t op = 0)
    {
        Dispatch(code, EncodeRecords(accounts), kUserAccountRecordSize, 0, sequence, op);
    }

    void Locations(uint16_t code, const std::vector<LocationRecord>& locations, uint32_t sequence = 0, uint8_t op = 0)
    {
        Dispatch(code, EncodeRecords(locations), kLocationRecordSize, 0, sequence, op);
    }

    void Nes(uint16_t code, const std::vector<NeKeyRecord>& nes, uint32_t neId = 0, uint32_t sequence = 0,
             uint8_t op = 0)
    {
        Dispatch(code, EncodeRecords(nes), kNeKeyRecordSize, neId, sequence, op);
    }

    void States(uint16_t code, uint32_t neId, const std::vector<EntityStateRec>& states)
    {
        Dispatch(code, EncodeRecords(states), kEntityStateRecSize, neId);
    }

    void Boards(uint32_t neId, const std::vector<BoardSettingRec>& boards)
    {
        Dispatch(kReqBoardSetting, EncodeRecords(boards), kBoardSettingRecSize, neId);
    }

    // NE 1 of model 2 with an ADSL card in slot 1 of its shelf.
    CNeRecord& NeWithCard()
    {
        Nes(kReqNeKeyAdd, {Ne(1, "ne-1", 1)});
        BoardSettingRec card;
        card.entityId = 10100;
        card.plannedType = 30;
        card.onlineType = 30;
        Boards(1, {card});
        return *app_.nes.FindNeById(1);
    }

    CAppData app_;
    CRecordingDispatchUi ui_;
    std::vector<std::array<std::string, 3>> rights_;
};

// ---- accounts and rights ----

TEST_F(DispatchRulesTest, OnlyTheReplyToTheAccountQueryReplacesTheList)
{
    Accounts(kReqUserAccountAdd, {Account("bob", "A"), Account("ann", "C")});
    Accounts(kReqUserAccount, {Account("carl", "C")}, 7, kEmsOpModify);
    EXPECT_EQ(app_.accounts.Count(), 3u) << "the reply to a change is a change";
    Accounts(kReqUserAccount, {Account("carl", "C")}, 8, kEmsOpQuery);
    EXPECT_EQ(app_.accounts.Count(), 1u);
    EXPECT_NE(app_.accounts.FindUserAccount("carl"), nullptr);
    Accounts(kReqUserAccount, {}, 9, kEmsOpQuery);
    EXPECT_EQ(app_.accounts.Count(), 0u) << "a server without accounts";
}

TEST_F(DispatchRulesTest, RecordsOfAnotherSizeChangeNothing)
{
    constexpr uint32_t kWrongAccountSize = 200; // an account is kUserAccountRecordSize bytes
    constexpr uint32_t kWrongStateSize = 64;    // an entity state is kEntityStateRecSize bytes
    NeWithCard();
    Accounts(kReqUserAccountAdd, {Account("bob", "A")});
    Dispatch(kReqUserAccount, std::vector<uint8_t>(kWrongAccountSize, 'x'), kWrongAccountSize, 0, 5, kEmsOpQuery);
    EXPECT_EQ(app_.accounts.Count(), 1u) << "a malformed reply does not empty the list";
    Dispatch(kReqEntityStateChange, std::vector<uint8_t>(kWrongStateSize, 1), kWrongStateSize, 1);
    EXPECT_TRUE(ui_.trapBatches.empty());
}

TEST_F(DispatchRulesTest, AccountRemovalAndNamelessRecords)
{
    Accounts(kReqUserAccountAdd, {Account("bob", "A"), Account("", "C")});
    EXPECT_EQ(app_.accounts.Count(), 1u);
    app_.locationTreeChanged = false;
    Accounts(kReqUserAccountDelete, {Account("nobody", "")});
    EXPECT_FALSE(app_.locationTreeChanged);
    Accounts(kReqUserAccountDelete, {Account("bob", "")});
    EXPECT_EQ(app_.accounts.Count(), 0u);
    EXPECT_TRUE(app_.locationTreeChanged);
}

TEST_F(DispatchRulesTest, AccountsFollowTheScope)
{
    Locations(kReqLocationAdd, {Location(1, "top"), Location(2, "below", 1), Location(3, "apart")});
    app_.SetUserLocationScope(1);
    Accounts(kReqUserAccountAdd, {Account("in", "C", 2), Account("out", "C", 3)});
    EXPECT_EQ(app_.accounts.FindUserAccount("in")->inScope, 1u);
    EXPECT_EQ(app_.accounts.FindUserAccount("out")->inScope, 0u);
}

TEST_F(DispatchRulesTest, RightsGoToTheShellWhole)
{
    UserRightsRecord rec;
    rec.rights = {std::string(127, 'a'), "mmq", ""};
    Dispatch(kReqUserRights, EncodeRecords(std::vector{rec}), kUserRightsRecordSize);
    ASSERT_EQ(rights_.size(), 1u);
    EXPECT_EQ(rights_[0][0], std::string(127, 'a'));
    EXPECT_EQ(rights_[0][1], "mmq");
    EXPECT_EQ(rights_[0][2], "");

    // Three slots as three records are the same bytes.
    Dispatch(kReqUserRights, EncodeRecords(std::vector{rec}), kUserRightsSlotSize);
    EXPECT_EQ(rights_.size(), 2u);
    EXPECT_EQ(rights_[1], rights_[0]);

    std::vector<uint8_t> shortRights(kUserRightsRecordSize - 1, 'q');
    Dispatch(kReqUserRights, shortRights, static_cast<uint32_t>(shortRights.size()));
    EXPECT_EQ(rights_.size(), 2u) << "rights that do not fill three slots are no rights";
}

// ---- locations ----

TEST_F(DispatchRulesTest, TheReplyToTheLocationQueryReplacesTheTree)
{
    Locations(kReqLocationAdd, {Location(1, "a"), Location(2, "b"), Location(3, "c", 2)});
    Locations(kReqLocation, {Location(1, "a"), Location(3, "c")}, 4, kEmsOpQuery);
    EXPECT_EQ(app_.locations.Count(), 2u);
    EXPECT_EQ(app_.locations.FindLocation(2), nullptr);
    EXPECT_NE(app_.locations.FindLocation(3), nullptr);
}

TEST_F(DispatchRulesTest, RemovedLocationHandsItsChildrenToItsParent)
{
    Locations(kReqLocationAdd, {Location(1, "a"), Location(2, "b", 1), Location(3, "c", 2)});
    app_.locationTreeChanged = false;
    Locations(kReqLocationDelete, {Location(2, "b")});
    EXPECT_EQ(app_.locations.FindLocation(2), nullptr);
    EXPECT_EQ(app_.locations.FindLocation(3)->GetParentNode()->id, 1u);
    EXPECT_TRUE(app_.locationTreeChanged);
}

TEST_F(DispatchRulesTest, LocationsFollowTheScopeAndRefuseLoops)
{
    app_.SetUserLocationScope(1);
    Locations(kReqLocationAdd, {Location(1, "a"), Location(2, "b", 1), Location(3, "c")});
    EXPECT_EQ(app_.locations.FindLocation(2)->inScope, 1u);
    EXPECT_EQ(app_.locations.FindLocation(3)->inScope, 0u);
    Locations(kReqLocationAdd, {Location(1, "a", 2)}); // below its own child
    EXPECT_EQ(app_.locations.FindLocation(1)->parentId, 0u);
}

// ---- NEs ----

TEST_F(DispatchRulesTest, UpdatedNeKeepsItsTreeAndRaisesTheFlagsOfWhatChanged)
{
    CNeRecord& ne = NeWithCard();
    ne.root->FindById(10101)->severity = 3;
    const uint32_t counter = ne.changeCounter;
    app_.neNamesChanged = false;
    app_.neAddressesChanged = false;

    Nes(kReqNeKey, {Ne(1, "ne-1", 1)});
    EXPECT_EQ(ne.changeCounter, counter) << "nothing changed";

    Nes(kReqNeKey, {Ne(1, "renamed", 1)});
    EXPECT_EQ(app_.nes.FindNeByName("renamed"), &ne);
    EXPECT_EQ(app_.nes.FindNeByName("ne-1"), nullptr);
    EXPECT_TRUE(app_.neNamesChanged);
    EXPECT_FALSE(app_.neAddressesChanged);
    ASSERT_NE(ne.root->FindById(10101), nullptr);
    EXPECT_EQ(ne.root->FindById(10101)->severity, 3u) << "the tree survives the update";

    Nes(kReqNeKey, {Ne(1, "renamed", 9)});
    EXPECT_TRUE(app_.neAddressesChanged);
    EXPECT_EQ(app_.nes.FindNeByAddress({10, 0, 0, 9}, 161), &ne);
    EXPECT_EQ(ne.changeCounter, counter + 2);
}

TEST_F(DispatchRulesTest, MovedNeIsMarkedAndItsWorkingPositionWaitsForASave)
{
    Nes(kReqNeKeyAdd, {Ne(1, "ne-1", 1)});
    CNeRecord& ne = *app_.nes.FindNeById(1);
    ne.newOrMoved = 0;
    ne.root->componentFlags = 0;
    ne.savePending = 1;
    ne.workLongitude = 1.0F;
    NeKeyRecord moved = Ne(1, "ne-1", 1);
    moved.longitude = 20.0F;
    Nes(kReqNeKey, {moved});
    EXPECT_EQ(ne.newOrMoved, 1u);
    EXPECT_NE(ne.root->componentFlags & kComponentNewOrMoved, 0u);
    EXPECT_FLOAT_EQ(ne.storedLongitude, 20.0F);
    EXPECT_FLOAT_EQ(ne.longitude, 20.0F);
    EXPECT_FLOAT_EQ(ne.workLongitude, 1.0F) << "the operator's unsaved position stays";
}

TEST_F(DispatchRulesTest, NewNeModelRebuildsTheTree)
{
    CNeRecord& ne = NeWithCard();
    Nes(kReqNeKey, {Ne(1, "ne-1", 1, 4)});
    EXPECT_EQ(ne.neModelId, 4u);
    EXPECT_EQ(ne.root->GetChildCount(), 2);
    EXPECT_EQ(ne.root->FindById(10101), nullptr);
}

TEST_F(DispatchRulesTest, RecordWithoutIdNamesTheMessagesNe)
{
    Nes(kReqNeKeyAdd, {Ne(0, "by-message", 1)}, 7);
    EXPECT_NE(app_.nes.FindNeById(7), nullptr);
    Nes(kReqNeKeyAdd, {Ne(0, "nowhere", 2)}, 0);
    EXPECT_EQ(app_.nes.Count(), 1u) << "NE id 0 names no NE";
    Nes(kReqNeKeyDelete, {Ne(0, "", 0)}, 7);
    EXPECT_EQ(app_.nes.Count(), 0u);
}

TEST_F(DispatchRulesTest, WhichRepliesReplaceTheNeTable)
{
    const struct {
        uint16_t code;
        uint32_t neId;
        uint8_t requestOperation;
        bool replaces;
    } rows[] = {{33, 0, kEmsOpQuery, true},   {30, 0, kEmsOpQuery, true},   {30, 5, kEmsOpQuery, false},
                {30, 0, kEmsOpModify, false}, {31, 0, kEmsOpModify, false}, {33, 0, 0, false}};
    for (const auto& row : rows) {
        app_.nes.ClearNeTable();
        Nes(kReqNeKeyAdd, {Ne(1, "one", 1), Ne(2, "two", 2)});
        Nes(row.code, {Ne(5, "five", 5)}, row.neId, row.requestOperation == 0 ? 0 : 3, row.requestOperation);
        EXPECT_EQ(app_.nes.FindNeById(1) == nullptr, row.replaces) << "code " << row.code << " NE " << row.neId;
        EXPECT_NE(app_.nes.FindNeById(5), nullptr);
    }
}

// A table read again as it was (everything read again after lost notifications) asks no view to rebuild.
TEST_F(DispatchRulesTest, TablesReadAgainAsTheyWereMarkNothingChanged)
{
    Nes(kReqNeKeyAdd, {Ne(1, "one", 1), Ne(2, "two", 2)});
    Locations(kReqLocationAdd, {Location(1, "a"), Location(2, "b", 1)});
    app_.neListChanged = false;
    app_.locationTreeChanged = false;
    const uint32_t changes = app_.TreeChangeCount();

    Nes(kReqNeKeyAll, {Ne(1, "one", 1), Ne(2, "two", 2)}, 0, 3, kEmsOpQuery);
    Locations(kReqLocation, {Location(1, "a"), Location(2, "b", 1)}, 4, kEmsOpQuery);
    EXPECT_FALSE(app_.neListChanged);
    EXPECT_FALSE(app_.locationTreeChanged);
    EXPECT_EQ(app_.TreeChangeCount(), changes);

    // What differs still does: a record, and one that is gone.
    Nes(kReqNeKeyAll, {Ne(1, "one", 1)}, 0, 3, kEmsOpQuery);
    EXPECT_TRUE(app_.neListChanged);
    Locations(kReqLocation, {Location(1, "a"), Location(2, "b-renamed", 1)}, 4, kEmsOpQuery);
    EXPECT_TRUE(app_.locationTreeChanged);
}

TEST_F(DispatchRulesTest, OutOfDateHolderOfANameOrAddressGives)
{
    Nes(kReqNeKeyAdd, {Ne(1, "one", 1), Ne(2, "two", 2)});
    // The server renamed 2 to "one" after it had renamed 1 to something this workstation has not heard of yet.
    Nes(kReqNeKey, {Ne(2, "one", 2)});
    EXPECT_EQ(app_.nes.FindNeByName("one")->neId, 2u);
    EXPECT_EQ(app_.nes.FindNeById(1), nullptr);
    Nes(kReqNeKeyAdd, {Ne(3, "three", 2)});
    EXPECT_EQ(app_.nes.FindNeByAddress({10, 0, 0, 2}, 161)->neId, 3u);
}

// ---- boards, states, acknowledgements ----

TEST_F(DispatchRulesTest, ComponentFlagsOfABoard)
{
    CNeRecord& ne = NeWithCard();
    const struct {
        uint32_t aal5;
        uint16_t runtimeVtp;
        uint32_t runtimeTagged;
        uint32_t flags;
    } rows[] = {{1, 1, 1, kComponentVtp | kComponentTag},
                {0, 2, 2, kComponentVcm | kComponentUtg},
                {1, 2, 1, kComponentTag},
                {0, 1, 0, kComponentVtp | kComponentVcm | kComponentUtg}};
    for (const auto& row : rows) {
        BoardSettingRec card;
        card.entityId = 10100;
        card.plannedType = 30;
        card.onlineType = 30;
        card.aal5Encapsulation = row.aal5;
        card.runtimeVlanTagPassThrough = row.runtimeVtp;
        card.runtimeTaggedMode = row.runtimeTagged;
        ne.root->FindById(10100)->componentFlags = kComponentNewOrMoved | 0x1F;
        Boards(1, {card});
        EXPECT_EQ(ne.root->FindById(10100)->componentFlags, kComponentNewOrMoved | row.flags)
            << "aal5 " << row.aal5 << " vtp " << row.runtimeVtp << " tagged " << row.runtimeTagged;
    }
}

TEST_F(DispatchRulesTest, StateNotificationsChangeTheNodesAndGoToTheTrapLogWhole)
{
    CNeRecord& ne = NeWithCard();
    States(kReqEntityStateChange, 1, {State(10101, 1u << 3, 4), State(99999, 1, 1), State(10102, 1u << 1, 3)});
    EXPECT_EQ(ne.root->FindById(10101)->GetStateBits(), 1u << 3);
    EXPECT_EQ(ne.root->FindById(10101)->severity, 4u);
    EXPECT_EQ(ne.root->FindById(10101)->GetAlarmDetail().occurTime, 1000u);
    EXPECT_EQ(ne.root->FindById(10101)->GetAlarmDetail().receiveTime, 1001u);
    EXPECT_EQ(ne.root->FindById(10101)->GetAlarmDetail().alarmClass, 2u);
    EXPECT_EQ(ne.root->FindById(10102)->severity, 3u);
    ASSERT_EQ(ui_.trapBatches.size(), 1u);
    EXPECT_EQ(ui_.trapBatches[0].neId, 1u);
    EXPECT_EQ(ui_.trapBatches[0].count, 3u) << "records without a node are logged too";
    EntityStateRec second;
    DecodeRecord(ui_.trapBatches[0].records.data() + kEntityStateRecSize, kEntityStateRecSize, &second);
    EXPECT_EQ(second.entityId, 99999u);

    States(kReqEntityState, 1, {State(10101, 0, 99)});
    EXPECT_EQ(ne.root->FindById(10101)->severity, 0u) << "a severity out of range is made storable";
    EXPECT_EQ(ui_.trapBatches.size(), 1u) << "the answer to a query is no trap";

    States(kReqEntityStateChange, 42, {State(10101, 1, 1)});
    ASSERT_EQ(ui_.trapBatches.size(), 2u);
    EXPECT_EQ(ui_.trapBatches[1].neId, 42u) << "the states of an unknown NE are logged too";
}

TEST_F(DispatchRulesTest, AcknowledgedStateCarriesPersonAndTime)
{
    CNeRecord& ne = NeWithCard();
    EntityStateRec acked = State(10101, 2, 3);
    acked.acknowledged = 1;
    acked.text = "operator12";
    acked.value = 1700000000;
    States(kReqEntityStateChange, 1, {acked});
    const CEntityNode* port = ne.root->FindById(10101);
    EXPECT_EQ(port->GetAlarmDetail().ackFlag, 1u);
    EXPECT_EQ(port->GetAlarmDetail().ackPerson, "operator12");
    EXPECT_EQ(port->GetAlarmDetail().ackTime, 1700000000u);
    States(kReqEntityStateChange, 1, {State(10101, 2, 3)});
    EXPECT_EQ(port->GetAlarmDetail().ackFlag, 0u);
    EXPECT_EQ(port->GetAlarmDetail().ackPerson, "");
    EXPECT_EQ(port->GetAlarmDetail().ackTime, 0u);
}

TEST_F(DispatchRulesTest, StateTypesChangeTheNodeUnlessTheyNameNoModel)
{
    CNeRecord& ne = NeWithCard();
    EntityStateRec noType = State(10100, 0, 99);
    States(kReqEntityStateChange, 1, {noType});
    EXPECT_EQ(ne.root->FindById(10100)->GetType(), 30u) << "type 0 leaves the card as it is";
    EntityStateRec unchanged = State(10100, 0, 2);
    unchanged.onlineType = kPlannedTypeSame;
    unchanged.plannedType = kPlannedTypeSame;
    States(kReqEntityStateChange, 1, {unchanged});
    EXPECT_EQ(ne.root->FindById(10100)->GetType(), 30u) << "unchanged keeps the card and its ports";
    EXPECT_EQ(ne.root->FindById(10100)->GetChildCount(), 24);
    EntityStateRec swapped = State(10100, 0, 99);
    swapped.onlineType = 31;
    swapped.plannedType = kPlannedTypeSame;
    States(kReqEntityStateChange, 1, {swapped});
    EXPECT_EQ(ne.root->FindById(10100)->GetType(), 31u);
    EXPECT_EQ(ne.root->FindById(10100)->GetPlannedType(), 31u);
    EXPECT_EQ(ne.root->FindById(10100)->GetChildCount(), 48);
}

TEST_F(DispatchRulesTest, NeSeverityIsRecomputedAfterEachPass)
{
    CNeRecord& ne = NeWithCard();
    States(kReqEntityState, 1, {State(1, 0, 99), State(10000, 0, 99), State(10100, 0, 99), State(10101, 1u << 2, 2)});
    EXPECT_EQ(ne.neSeverity, 2u);
    States(kReqEntityStateChange, 1, {State(10102, 1u << 1, 1)});
    EXPECT_EQ(ne.neSeverity, 1u);
    States(kReqEntityStateChange, 1, {State(10102, 0, 99), State(10101, 0, 99)});
    EXPECT_EQ(ne.neSeverity, 0u);
}

TEST_F(DispatchRulesTest, APassThatChangesAnNesAlarmStateIsCounted)
{
    NeWithCard();
    const uint32_t before = app_.AlarmStateChangeCount();
    States(kReqEntityStateChange, 1, {State(10102, 1u << 1, 1)});
    EXPECT_EQ(app_.AlarmStateChangeCount(), before + 1);
    States(kReqEntityState, 1, {State(10102, 0, 99)});
    EXPECT_EQ(app_.AlarmStateChangeCount(), before + 2) << "the states a query read are alarm states too";
    // What changes an NE otherwise is no alarm state.
    BoardSettingRec card;
    card.entityId = 10100;
    card.plannedType = 30;
    card.onlineType = 30;
    const std::vector<std::pair<const char*, std::function<void()>>> others = {
        {"a location", [&] { Locations(kReqLocationAdd, {Location(1, "a")}); }},
        {"a board's settings", [&] { Boards(1, {card}); }},
        {"a new NE", [&] { Nes(kReqNeKeyAdd, {Ne(2, "ne-2", 2)}); }},
        {"another NE model", [&] { Nes(kReqNeKey, {Ne(2, "ne-2", 2, 4)}); }},
    };
    for (const auto& [what, change] : others) {
        change();
        EXPECT_EQ(app_.AlarmStateChangeCount(), before + 2) << what;
    }
    EXPECT_EQ(app_.nes.FindNeById(2)->neModelId, 4u);
}

TEST_F(DispatchRulesTest, AcknowledgementsSetAndClearTheNodes)
{
    CNeRecord& ne = NeWithCard();
    AlarmAckRec ack;
    ack.entityId = 10101;
    ack.person = "ann";
    ack.ackTime = 77;
    Dispatch(kReqAlarmAck, EncodeRecords(std::vector{ack}), kAlarmAckRecSize, 1);
    EXPECT_EQ(ne.root->FindById(10101)->GetAlarmDetail().ackFlag, 1u);
    EXPECT_EQ(ne.root->FindById(10101)->GetAlarmDetail().ackPerson, "ann");
    EXPECT_EQ(ne.root->FindById(10101)->GetAlarmDetail().ackTime, 77u);
    ack.person.clear();
    Dispatch(kReqAlarmAck, EncodeRecords(std::vector{ack}), kAlarmAckRecSize, 1);
    EXPECT_EQ(ne.root->FindById(10101)->GetAlarmDetail().ackFlag, 0u);
    EXPECT_EQ(ne.root->FindById(10101)->GetAlarmDetail().ackTime, 0u);
}

TEST_F(DispatchRulesTest, AlarmDefinitionValuesOfTheNeAreKept)
{
    AlarmDefRec def;
    def.modelId = 51;
    def.alarmIndex = 3;
    def.severity = 1;
    def.reporting = 0;
    def.suppressionMask = 0x21;
    AlarmDefRec outOfRange = def;
    outOfRange.alarmIndex = 40;
    Dispatch(kReqAlarmDef, EncodeRecords(std::vector{def, outOfRange}), kAlarmDefRecSize, 1);
    ASSERT_TRUE(ReceivedAlarmDefValues().Find(51, 3).has_value());
    EXPECT_EQ(*ReceivedAlarmDefValues().Find(51, 3), (ReceivedAlarmDef{1, 0, 0x21}));
    EXPECT_FALSE(ReceivedAlarmDefValues().Find(51, 40).has_value());
    EXPECT_EQ(ReceivedAlarmDefValues().Count(), 1u);
}

// ---- operator mail ----

TEST_F(DispatchRulesTest, DeliveredMailIsShownAndTheMarkerLogsOut)
{
    OperatorMailRecord hello;
    hello.sender = "ann";
    hello.senderIp = {192, 168, 0, 254};
    hello.addressee = "bob";
    hello.text = "hello";
    OperatorMailRecord out = hello;
    // The marker: 29 characters with a line feed, a form feed, a tab and two carriage returns among them.
    out.text = "\r\n\f\t##FORCE#LOGOUT#MARKER##!\r";
    OperatorMailRecord almost = hello;
    almost.text = out.text.substr(0, 28);
    Dispatch(kReqOperatorMail, EncodeRecords(std::vector{hello, out, almost}), kOperatorMailRecordSize);
    ASSERT_EQ(ui_.mails.size(), 3u);
    EXPECT_EQ(ui_.mails[0].sender, "ann");
    EXPECT_EQ(ui_.mails[0].senderIp, "192.168.0.254");
    EXPECT_EQ(ui_.mails[0].text, "hello");
    EXPECT_FALSE(ui_.mails[0].forcedLogout);
    EXPECT_TRUE(ui_.mails[1].forcedLogout);
    EXPECT_FALSE(ui_.mails[2].forcedLogout) << "text close to the marker is an ordinary mail";
    ASSERT_EQ(ui_.logoutTimers.size(), 1u);
    EXPECT_EQ(ui_.logoutTimers[0], 10000u);
}

} // namespace
