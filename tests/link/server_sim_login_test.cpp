// The server link against the simulated management server over loopback TCP: the login sequence fills the
// application's tables and entity trees, and every kind of table the server keeps travels both ways. Operators'
// scopes, a wrong password and the changes of another workstation are tested through the running program
// (tests/e2e/login_e2e_test.cpp, tree_e2e_test.cpp).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/tables/entity_node.h"
#include "link/records/alarm_ack_rec.h"
#include "link/records/alarm_event_rec.h"
#include "link/records/alarm_query_rec.h"
#include "link/records/alarm_stat_query_rec.h"
#include "link/records/alarm_stat_rec.h"
#include "link/records/location_record.h"
#include "link/records/mc_channel_profile_rec.h"
#include "link/records/ne_key_record.h"
#include "link/records/ne_snmp_community_record.h"
#include "link/records/online_user_record.h"
#include "link/records/record_bytes.h"
#include "link/records/request_codes.h"
#include "link/records/word_record.h"
#include "tests/link/server_sim_fixture.h"
#include "ui/framework/messages/string_ids.h"

namespace {

using namespace server_test;

class SimLoginTest : public SimLinkTest {};

TEST_F(SimLoginTest, LoginSequenceFillsLocationsAccountsRightsAndNes)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    CAppData& app = AppData();

    ASSERT_EQ(app.locations.Count(), 3u);
    const CLocationNode* north = FindLocation(2);
    ASSERT_NE(north, nullptr);
    EXPECT_EQ(north->name, "North");
    EXPECT_EQ(north->mapId, 7u);
    ASSERT_NE(north->GetParentNode(), nullptr);
    EXPECT_EQ(north->GetParentNode()->id, 1u);
    EXPECT_EQ(FindLocation(1)->comment, "Network operations centre");
    EXPECT_TRUE(app.locationTreeChanged);
    EXPECT_TRUE(app.mapsChanged);

    ASSERT_EQ(app.accounts.Count(), 3u);
    EXPECT_EQ(FindUserAccount("manager")->role, kRoleManager);
    EXPECT_EQ(FindUserAccount("manager")->locationId, 1u);
    EXPECT_EQ(FindUserAccount("north")->role, kRoleUser);
    EXPECT_EQ(app.role, kRoleAdministrator);

    EXPECT_EQ(rightsCalls_, 1);
    EXPECT_EQ(rights_[0], std::string(127, 'a'));
    EXPECT_EQ(rights_[1], std::string(20, 'm') + std::string(10, 'q'));
    EXPECT_EQ(rights_[2], "qqqqq");

    ASSERT_EQ(app.nes.Count(), 3u);
    EXPECT_TRUE(app.neListChanged);
    const CNeRecord* ne1 = FindNeById(1);
    ASSERT_NE(ne1, nullptr);
    EXPECT_EQ(ne1->name, "North-1");
    EXPECT_EQ(ne1->GetIpText(), "10.10.1.1");
    EXPECT_EQ(ne1->port, 161);
    EXPECT_EQ(ne1->neModelId, 2u);
    EXPECT_EQ(ne1->locationId, 2u);
    EXPECT_FLOAT_EQ(ne1->workLongitude, 10.75F);
    EXPECT_EQ(ne1->newOrMoved, 1u);
    // The trees follow the NE models: one shelf of eight slots, or two shelves.
    ASSERT_NE(ne1->root, nullptr);
    ASSERT_EQ(ne1->root->GetChildCount(), 1);
    EXPECT_EQ(ne1->root->GetChild(0)->GetChildCount(), 8);
    EXPECT_EQ(FindNeById(2)->root->GetChildCount(), 2);
    EXPECT_EQ(FindNeByName("Spare")->locationId, 0u);
    EXPECT_TRUE(driver_->IsLoggedIn());
}

// A network whose NE table is larger than one reply frame holds: the table comes whole, over several frames.
class LargeNetworkLoginTest : public SimLinkTest {
protected:
    std::vector<std::string> WorldArguments() const override { return {"--generate-nes", "10000"}; }
};

TEST_F(LargeNetworkLoginTest, EveryNeOfTheNetworkIsLoaded)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    EXPECT_EQ(AppData().nes.Count(), 10000u);
    ASSERT_NE(FindNeById(10000), nullptr);
    EXPECT_EQ(FindNeById(10000)->name, "DSLAM-10000");
}

TEST_F(SimLoginTest, BoardsAndStatesFillTheEntityTree)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    ASSERT_EQ(Query(kReqBoardSetting, 1), kDrvOk);
    const CNeRecord* ne = FindNeById(1);
    CEntityNode* adsl = ne->root->FindById(10100);
    ASSERT_NE(adsl, nullptr);
    EXPECT_EQ(adsl->GetType(), 130u); // the IPD-12's ALC-24
    EXPECT_EQ(adsl->GetChildCount(), 24);
    EXPECT_EQ(adsl->componentFlags & 0x1Fu, kComponentVtp | kComponentTag);
    CEntityNode* shdsl = ne->root->FindById(10200);
    EXPECT_EQ(shdsl->GetType(), 132u); // and SLC-16
    EXPECT_EQ(shdsl->componentFlags & 0x1Fu, kComponentVcm | kComponentUtg);
    EXPECT_EQ(ne->root->FindById(10300)->GetPlanState(), kPlanStateMissing);
    ASSERT_EQ(Query(kReqBoardSetting, 2), kDrvOk);
    EXPECT_EQ(FindNeById(2)->root->FindById(10200)->GetPlanState(), kPlanStateMismatch);

    ASSERT_EQ(Query(kReqEntityState, 1), kDrvOk);
    const CEntityNode* port = ne->root->FindById(10103);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->GetType(), 151u); // and ADSL port
    EXPECT_EQ(port->GetStateBits(), 1u << 3);
    EXPECT_EQ(port->GetSeverity(), 4u);
    EXPECT_EQ(shdsl->GetSeverity(), 3u);
    EXPECT_TRUE(port->IsConnected());
    EXPECT_EQ(ne->neSeverity, 3u) << "the gravest alarm of the tree";
    EXPECT_TRUE(ui_.trapBatches.empty()) << "the answer of a query is no trap";

    ASSERT_EQ(Query(kReqEntityState, 2), kDrvOk);
    const CEntityNode* acked = FindNeById(2)->root->FindById(10100);
    EXPECT_EQ(acked->GetAlarmDetail().ackFlag, 1u);
    EXPECT_EQ(acked->GetAlarmDetail().ackPerson, "admin");
}

std::vector<AlarmEventRec> EventsOf(const EmsMsg& reply)
{
    std::vector<AlarmEventRec> events(static_cast<size_t>(reply.count));
    for (size_t i = 0; i < events.size(); ++i) {
        DecodeRecord(EmsRecordAt(reply, static_cast<uint32_t>(i)), kAlarmEventRecSize, &events[i]);
    }
    return events;
}

TEST_F(SimLoginTest, AlarmQueryIsPagedWithItsTotalAndConverted)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    AlarmQueryRec query;
    query.queryMode = kAlarmQueryActive;
    query.firstRecord = 1;
    query.recordCount = 100;
    auto bytes = EncodeRecord(query);
    ASSERT_EQ(Request(kEmsOpQuery, kReqAlarmEvent, 0, bytes.data(), kAlarmQueryRecSize), kDrvOk);
    EXPECT_EQ(reply_->recordSize, kAlarmEventRecSize);
    EXPECT_EQ(reply_->total, 4u);
    std::vector<AlarmEventRec> active = EventsOf(*reply_);
    ASSERT_EQ(active.size(), 4u);
    EXPECT_EQ(active[0].entityId, 10103u);
    EXPECT_EQ(active[0].alarmMask, 1u << 3);
    EXPECT_EQ(active[0].severity, 4u);
    EXPECT_EQ(active[0].neName, "North-1");
    EXPECT_EQ(active[0].locationName, "North");
    EXPECT_EQ(active[2].ackPerson, "admin");
    EXPECT_EQ(active[3].neName, "Spare");
    EXPECT_EQ(active[3].locationName, "<Root>") << "an NE outside every location is at the root";

    // History grows with a burst of raised alarms; pages cut it as asked, the total stays.
    ASSERT_EQ(Control(kSimPushEntityStates, 20, kSimChannelTcp, 1), kDrvOk);
    query.queryMode = kAlarmQueryHistory;
    query.recordCount = 5000;
    bytes = EncodeRecord(query);
    ASSERT_EQ(Request(kEmsOpQuery, kReqAlarmEvent, 0, bytes.data(), kAlarmQueryRecSize), kDrvOk);
    const uint32_t total = reply_->total;
    ASSERT_GE(total, 24u);
    const std::vector<AlarmEventRec> all = EventsOf(*reply_);
    ASSERT_EQ(all.size(), total);
    query.firstRecord = 11;
    query.recordCount = 10;
    bytes = EncodeRecord(query);
    ASSERT_EQ(Request(kEmsOpQuery, kReqAlarmEvent, 0, bytes.data(), kAlarmQueryRecSize), kDrvOk);
    EXPECT_EQ(reply_->total, total);
    const std::vector<AlarmEventRec> page = EventsOf(*reply_);
    ASSERT_EQ(page.size(), 10u);
    EXPECT_EQ(page[0].recordNo, all[10].recordNo);
    EXPECT_EQ(page[9].recordNo, all[19].recordNo);

    // Statistics count the same history, per entity and severity.
    AlarmStatQueryRec stat;
    const auto statBytes = EncodeRecord(stat);
    ASSERT_EQ(Request(kEmsOpQuery, kReqAlarmStatistics, 1, statBytes.data(), kAlarmStatQueryRecSize), kDrvOk);
    uint32_t counted = 0;
    for (int32_t i = 0; i < reply_->count; ++i) {
        AlarmStatRec rec;
        DecodeRecord(EmsRecordAt(*reply_, static_cast<uint32_t>(i)), kAlarmStatRecSize, &rec);
        counted += rec.count;
    }
    uint32_t ofNe1 = 0;
    for (const AlarmEventRec& e : all) {
        ofNe1 += e.neName == "North-1" ? 1 : 0;
    }
    EXPECT_EQ(counted, ofNe1);
}

TEST_F(SimLoginTest, AcknowledgementChangesTheNodeAndReachesOtherWorkstations)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    CRawClient other;
    ASSERT_TRUE(other.Connect(sim_.Port()));
    ASSERT_TRUE(other.Logon("manager", "manager"));
    std::vector<uint8_t> on(kWordRecordSize, 0);
    on[0] = 1;
    ASSERT_TRUE(other.ReplyTo(other.Send(2, kReqNotificationsOn, 0, on, kWordRecordSize)));

    AlarmAckRec ack;
    ack.entityId = 10103;
    ack.person = "admin";
    ack.ackTime = 1700000000;
    ack.comment = "seen";
    const auto bytes = EncodeRecord(ack);
    ASSERT_EQ(Query(kReqBoardSetting, 1), kDrvOk); // the ports of a card exist once the card is known
    ASSERT_EQ(Request(kEmsOpModify, kReqAlarmAck, 1, bytes.data(), kAlarmAckRecSize), kDrvOk);
    const CEntityNode* port = FindNeById(1)->root->FindById(10103);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->GetAlarmDetail().ackFlag, 1u);
    EXPECT_EQ(port->GetAlarmDetail().ackPerson, "admin");
    EXPECT_EQ(port->GetAlarmDetail().ackTime, 1700000000u);

    // Turning notifications on first brings the state of every entity (as 325, for the model only), then the ack.
    std::optional<Frame> notice = other.Receive();
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->header.requestCode, kReqEntityState);
    EXPECT_GT(notice->header.count, 0u);
    while (notice && notice->header.requestCode == kReqEntityState)
        notice = other.Receive();
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->header.requestCode, kReqAlarmAck);
    EXPECT_EQ(notice->header.sequence, 0u);
    EXPECT_EQ(notice->header.neId, 1u);

    AlarmAckRec query;
    query.entityId = 10200;
    const auto queryBytes = EncodeRecord(query);
    ASSERT_EQ(Request(kEmsOpQuery, kReqAlarmAck, 1, queryBytes.data(), kAlarmAckRecSize), kDrvOk);
    AlarmAckRec answer;
    DecodeRecord(EmsRecordAt(*reply_, 0), kAlarmAckRecSize, &answer);
    EXPECT_TRUE(answer.person.empty());
    EXPECT_EQ(FindNeById(1)->root->FindById(10200)->GetAlarmDetail().ackFlag, 0u);
}

TEST_F(SimLoginTest, RefusedChangesLeaveTheTables)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    NeKeyRecord clash;
    clash.neName = "North-1"; // taken
    clash.modelId = 2;
    clash.ipAddress = {10, 99, 1, 1};
    const auto bytes = EncodeRecord(clash);
    EXPECT_EQ(Request(kEmsOpModify, kReqNeKeyAdd, 0, bytes.data(), kNeKeyRecordSize, 1, -2, kStrAddingNewDataFailed),
              kDrvTextReply);
    ASSERT_EQ(linkUi_.FailureMessages().size(), 1u);
    EXPECT_EQ(linkUi_.FailureMessages()[0].failureTextId, kStrAddingNewDataFailed);
    EXPECT_EQ(linkUi_.FailureMessages()[0].errorText, "NE name already exists");
    EXPECT_EQ(AppData().nes.Count(), 3u);

    LocationRecord loop;
    loop.id = 1;
    loop.name = "Headquarters";
    loop.parentId = 2; // below its own child
    const auto loopBytes = EncodeRecord(loop);
    EXPECT_EQ(Request(kEmsOpModify, kReqLocation, 0, loopBytes.data(), kLocationRecordSize), kDrvTextReply);
    EXPECT_EQ(FindLocation(1)->parentId, 0u);
}

TEST_F(SimLoginTest, GenericStoreKeepsWhatIsWritten)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    // NE profiles per NE, counted by their count request.
    std::vector<uint8_t> profile(kMcChannelProfileRecSize, 0);
    for (uint16_t profileId : {7, 8}) {
        record_bytes::PutU16(profile.data(), 0, profileId);
        ASSERT_EQ(Request(kEmsOpModify, kReqMcChannelProfileAdd, 1, profile.data(), kMcChannelProfileRecSize), kDrvOk);
    }
    // The NE names a taken id in the status word of the record it sends back.
    EXPECT_EQ(Request(kEmsOpModify, kReqMcChannelProfileAdd, 1, profile.data(), kMcChannelProfileRecSize),
              kDrvRejected)
        << "the id is taken";
    ASSERT_EQ(reply_->count, 1);
    EXPECT_EQ(record_bytes::GetU32(EmsRecordAt(*reply_, 0), 4), 3u);
    const uint16_t countBody = 0;
    ASSERT_EQ(Request(kEmsOpQuery, kReqMcChannelProfileCount, 1, &countBody, 2), kDrvOk);
    EXPECT_EQ(record_bytes::GetU16(EmsRecordAt(*reply_, 0), 0), 2);
    ASSERT_EQ(Request(kEmsOpQuery, kReqMcChannelProfileCount, 2, &countBody, 2), kDrvOk);
    EXPECT_EQ(record_bytes::GetU16(EmsRecordAt(*reply_, 0), 0), 0) << "another NE has its own";
    const uint16_t one = 8;
    ASSERT_EQ(Request(kEmsOpQuery, kReqMcChannelProfile, 1, &one, 2), kDrvOk);
    ASSERT_EQ(reply_->count, 1);
    EXPECT_EQ(record_bytes::GetU16(EmsRecordAt(*reply_, 0), 0), 8);
    // A batch that names a taken id adds none of its records.
    std::vector<uint8_t> batch(2 * kMcChannelProfileRecSize, 0);
    record_bytes::PutU16(batch.data(), 0, 9);
    record_bytes::PutU16(batch.data(), kMcChannelProfileRecSize, 7);
    EXPECT_EQ(Request(kEmsOpModify, kReqMcChannelProfileAdd, 1, batch.data(), kMcChannelProfileRecSize, 2),
              kDrvRejected);
    ASSERT_EQ(Request(kEmsOpQuery, kReqMcChannelProfileCount, 1, &countBody, 2), kDrvOk);
    EXPECT_EQ(record_bytes::GetU16(EmsRecordAt(*reply_, 0), 0), 2);

    // Batches of many records are kept by key and found by it; these records are no more than their key.
    constexpr uint32_t kKeyOnlySize = sizeof(uint32_t);
    std::vector<uint8_t> many(75000 * kKeyOnlySize);
    for (uint32_t i = 0; i < 75000; ++i) {
        record_bytes::PutU32(many.data(), i * kKeyOnlySize, i + 1);
    }
    ASSERT_EQ(Request(kEmsOpModify, kReqPppoeSession, 1, many.data(), kKeyOnlySize, 75000), kDrvOk);
    ASSERT_EQ(Request(kEmsOpModify, kReqPppoeSession, 1, many.data() + 1000 * kKeyOnlySize, kKeyOnlySize, 1000), kDrvOk)
        << "written again, not added";
    const uint32_t key = 4711;
    ASSERT_EQ(Request(kEmsOpQuery, kReqPppoeSession, 1, &key, kKeyOnlySize), kDrvOk);
    ASSERT_EQ(reply_->count, 1);
    EXPECT_EQ(record_bytes::GetU32(EmsRecordAt(*reply_, 0), 0), key);
    const uint32_t all = 0;
    ASSERT_EQ(Request(kEmsOpQuery, kReqPppoeSession, 1, &all, kKeyOnlySize), kDrvOk);
    EXPECT_EQ(reply_->count, 75000);
}

TEST_F(SimLoginTest, RecordsTheWorldSeedsAreServedByTheirFamily)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    // The communities the world gives NE 1, read back as a dialog reads them.
    ASSERT_EQ(Query(kReqNeSnmpCommunity, 1), kDrvOk);
    std::vector<NeSnmpCommunityRecord> communities(static_cast<size_t>(reply_->count));
    for (size_t i = 0; i < communities.size(); ++i) {
        ASSERT_TRUE(
            DecodeRecord(EmsRecordAt(*reply_, static_cast<uint32_t>(i)), kNeSnmpCommunityRecordSize, &communities[i]));
    }
    EXPECT_EQ(communities, (std::vector<NeSnmpCommunityRecord>{{"private", 2, 1}, {"public", 1, 1}}));
    // NE 2, given none, has the two any NE starts with.
    ASSERT_EQ(Query(kReqNeSnmpCommunity, 2), kDrvOk);
    EXPECT_EQ(reply_->count, 2);
    // A seeded record is one the workstation can delete, and it is NE 1's alone.
    const auto publicKey = EncodeRecord(NeSnmpCommunityRecord{"public", 0, 0});
    ASSERT_EQ(Request(kEmsOpModify, kReqNeSnmpCommunityDelete, 1, publicKey.data(), kNeSnmpCommunityRecordSize),
              kDrvOk);
    ASSERT_EQ(Query(kReqNeSnmpCommunity, 1), kDrvOk);
    EXPECT_EQ(reply_->count, 1);
    ASSERT_EQ(Query(kReqNeSnmpCommunity, 2), kDrvOk);
    EXPECT_EQ(reply_->count, 2) << "NE 2 has communities of its own";
}

TEST_F(SimLoginTest, UnknownCodeGetsAnErrorStatus)
{
    constexpr uint16_t kUnknownCode = 29999; // no request has this code
    constexpr uint16_t kUnknownZeroCode = 0; // nor this one
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    EXPECT_EQ(Query(kUnknownCode), kDrvNotSupported);
    EXPECT_EQ(Query(kReqEntityStateChange), kDrvNotSupported) << "entity states are pushed, never asked for";
    const uint32_t record = 7;
    EXPECT_EQ(Query(kUnknownZeroCode), kDrvNotSupported);
    EXPECT_EQ(Request(kEmsOpModify, kUnknownZeroCode, 0, &record, sizeof record), kDrvNotSupported);
    // The generic store's NE functions, for an NE that does not exist.
    EXPECT_EQ(Query(kReqMacAging, 99), kDrvTextReply);
    EXPECT_EQ(Request(kEmsOpModify, kReqMcChannelProfileAdd, 99, &record, sizeof record), kDrvTextReply);
    EXPECT_EQ(Query(kReqKeepAlive), kDrvOk) << "the keep-alive is answered";
    EXPECT_EQ(reply_->count, 0);
}

TEST_F(SimLoginTest, OnlineUsersAndLogoff)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    ASSERT_EQ(Query(kReqOnlineUser), kDrvOk);
    ASSERT_EQ(reply_->count, 1);
    ASSERT_EQ(reply_->recordSize, kOnlineUserRecordSize);
    const uint8_t* user = EmsRecordAt(*reply_, 0);
    EXPECT_EQ(record_bytes::GetText(user, 0, 11), "admin");
    EXPECT_EQ(user[220], 127);
    EXPECT_EQ(user[223], 1);

    const uint8_t body = 0;
    ASSERT_EQ(Request(kEmsOpModify, kReqLogoff, 0, &body, 1, 1, 0), kDrvOk);
    ASSERT_TRUE(DispatchUntil([&] { return !driver_->IsConnected(); }));
    EXPECT_EQ(Query(kReqNeKeyAll), kDrvNotConnected);
}

} // namespace
