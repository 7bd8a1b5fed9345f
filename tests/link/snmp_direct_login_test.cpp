// The model the program shows in direct mode, through the SNMP driver against the simulated NE: the NE's state right
// after the login, notifications that carry some columns only, and an NE that goes silent. The login's role rule is
// tested through the program (tests/ui/shell/app/login_direct_test.cpp).

#include "core/entity/entity_model_loader.h"
#include "core/entity/entity_model_set.h"
#include "core/entity/entity_type_ids.h"
#include "core/tables/app_data.h"
#include "link/driver_result.h"
#include "link/server/server_dispatch_rules.h"
#include "link/server_message_dispatcher.h"
#include "link/snmp/net_drv_snmp_agent.h"
#include "link/snmp/snmp_trap.h"
#include "tarvik_test_paths.h"
#include "tests/core/temp_file_test.h"
#include "tests/link/snmp_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::string kScenario = std::string(TARVIK_TEST_DATA_DIR) + "/snmp/ne_agent_ipd48.ini";

// The model the program shows, through the same apply rules as the server link. The definition files name alarm 5
// the offline alarm, so that a driver that marks a silent NE by another bit shows it online.
class SnmpDirectModelTest : public ::testing::Test {
protected:
    static constexpr unsigned kOfflineAlarm = 5;

    void SetUp() override
    {
        const std::filesystem::path resources = TARVIK_RESOURCES_DIR;
        const CTempDir temp;
        std::string text = ReadText(resources / "EntConf" / "EntAlm.dat");
        const size_t at = text.find("OFFLINEALARM=0");
        ASSERT_NE(at, std::string::npos);
        text.replace(at, 14, "OFFLINEALARM=" + std::to_string(kOfflineAlarm));
        WriteText(temp.Path() / "EntAlm.dat", text);
        auto loaded =
            LoadEntityModelSet((resources / "EntConf" / "EntInfo.dat").string(), (temp.Path() / "EntAlm.dat").string(),
                               (resources / "EntConf" / "EntSkin.dat").string());
        ASSERT_TRUE(loaded.models) << loaded.error;
        ReplaceEntityModels(std::move(loaded.models));
        AppData().Reset();
        SetUiThreadId(std::this_thread::get_id());
        InstallServerDispatchRules(AppData());
    }
    void TearDown() override
    {
        driver_.reset();
        RemoveServerDispatchRules();
        ClearServerMessageQueue();
        AppData().Reset();
        ReplaceEntityModels(nullptr);
    }

    // The direct login's NE and boards through the driver; with `loggedIn` the login ends as the program's does.
    void Login(bool loggedIn)
    {
        ASSERT_TRUE(agent_.Start({"--scenario", kScenario}));
        SnmpLinkSettings settings = ReadSnmpLinkSettings(); // the poll interval and offline alarm as configured
        ASSERT_EQ(settings.pollIntervalS, 30u);
        settings.waitMs = 300;
        settings.retries = 1;
        settings.trapPort = snmp_test::FreeUdpPort();
        driver_ = std::make_unique<CNetDrvSnmpAgent>(
            settings, [](const std::array<uint8_t, 4>&, int32_t) { return SnmpEchoResult::Reachable; });
        ASSERT_EQ(driver_->Start(), kDrvOk);
        ASSERT_EQ(driver_->EmsConnect(snmp_test::kLoopback, agent_.Port(), "qurim", "private"), kDrvOk);
        for (auto [code, size] : {std::pair<uint16_t, uint32_t>{kReqNeKey, 1}, {kReqBoardSetting, 1}}) {
            std::vector<uint8_t> record(size, 0);
            EmsMsg msg;
            EmsMsg* reply = nullptr;
            BuildEmsMsg(&msg, kEmsOpQuery, code, size, record.data(), kDirectNeId);
            ASSERT_EQ(driver_->RequestEmsMsg(&msg, &reply, 0, CNetDrv::kDefaultTimeout, false), kDrvOk) << code;
        }
        ASSERT_NE(Node(1), nullptr);
        if (loggedIn)
            driver_->SetLoggedIn(true);
    }
    CEntityNode* Node(uint32_t entityId)
    {
        const CNeRecord* ne = FindNeById(kDirectNeId);
        return ne == nullptr || ne->root == nullptr ? nullptr : ne->root->FindById(entityId);
    }
    // Applies what the driver's threads queued until `done` holds, for a few seconds at most.
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
    void SendNotification(const SnmpMessage& message)
    {
        std::vector<uint8_t> bytes;
        ASSERT_EQ(EncodeSnmpMessage(message, &bytes), BerError::None);
        CUdpSocket ne;
        ASSERT_EQ(ne.Open(snmp_test::kLoopback, 0), 0);
        ASSERT_EQ(ne.SendTo(bytes.data(), bytes.size(), {snmp_test::kLoopback, driver_->GetTrapPort()}), 0);
    }
    bool Offline(const CEntityNode& node) const
    {
        return !node.IsConnected() && (node.GetStateBits() & (1u << kOfflineAlarm)) != 0;
    }

    snmp_test::CAgentProcess agent_;
    std::unique_ptr<CNetDrvSnmpAgent> driver_;
};

// A login's replies fill the NE table with NE 1 and give its entity tree the modules the NE reports; the NE's state
// comes with the login, not one poll interval later.
TEST_F(SnmpDirectModelTest, LoginFillsTheNeTableAndTheTreeAndShowsTheNeOnline)
{
    Login(true);
    const CNeRecord* ne = FindNeById(kDirectNeId);
    EXPECT_EQ(ne->neModelId, 4u);
    int known = 0;
    for (int shelf = 0; shelf < ne->root->GetChildCount(); ++shelf) {
        const CEntityNode* shelfNode = ne->root->GetChild(shelf);
        for (int slot = 0; slot < shelfNode->GetChildCount(); ++slot) {
            const uint32_t type = shelfNode->GetChild(slot)->GetType();
            if (type != kEntityTypeUnknown && type != kEntityTypeAbsent && type != kEntityTypeEmpty)
                ++known;
        }
    }
    EXPECT_GT(known, 0) << "no module of the NE got its type from the 323 reply";
    EXPECT_TRUE(WaitFor([this] { return Node(1)->IsConnected(); }));
    EXPECT_EQ(Node(1)->GetStateBits() & (1u << kOfflineAlarm), 0u);
}

// A notification carries the columns that changed: what it leaves out, and a type it gives as unchanged, keep the
// entity as it was, its subtree included.
TEST_F(SnmpDirectModelTest, NotificationsChangeOnlyTheColumnsTheyCarry)
{
    Login(true);
    ASSERT_TRUE(WaitFor([this] { return Node(1)->IsConnected(); }));
    const uint32_t shelfId = 10000;
    CEntityNode* shelf = Node(shelfId);
    ASSERT_NE(shelf, nullptr);
    const uint32_t shelfType = shelf->GetType();
    const int slots = shelf->GetChildCount();
    ASSERT_GT(slots, 0);

    EntityStateRec told;
    told.entityId = shelfId;
    told.stateBits = 0x6;
    told.severity = 3;
    told.onlineType = 0x7FFFFFFE; // unchanged
    told.plannedType = 0x7FFFFFFE;
    told.acknowledged = 1;
    told.text = "opr";
    told.value = 1700000000;
    SendNotification(BuildEntityStateChangeTrap(SnmpVersion::V2c, "public", 100, told, 1, snmp_test::kLoopback));
    ASSERT_TRUE(WaitFor([&] { return Node(shelfId)->stateBits == 0x6; }));

    // Severity alone.
    SnmpMessage severity;
    severity.version = SnmpVersion::V2c;
    severity.community = "public";
    severity.pdu.type = SnmpPduType::TrapV2;
    severity.pdu.requestId = 2;
    severity.pdu.varbinds = {{SnmpSysUpTimeOid(), SnmpValue::TimeTicks(200)},
                             {SnmpTrapOidOid(), SnmpValue::ObjectId(SnmpEntityStateChangeTrapOid())},
                             {DefaultSnmpRequestMap().Find(kReqEntityState)->EntryOid().Appended(3).Appended(shelfId),
                              SnmpValue::Integer(2)}};
    SendNotification(severity);
    ASSERT_TRUE(WaitFor([&] { return Node(shelfId)->severity == 2; }));

    shelf = Node(shelfId);
    EXPECT_EQ(shelf->GetType(), shelfType);
    EXPECT_EQ(shelf->GetChildCount(), slots);
    EXPECT_EQ(shelf->stateBits, 0x6u);
    EXPECT_EQ(shelf->GetAlarmDetail().ackFlag, 1u);
    EXPECT_EQ(shelf->GetAlarmDetail().ackPerson, "opr");
    EXPECT_TRUE(Node(1)->IsConnected());
}

// An NE that stops answering the poll shows offline by the definition files' offline alarm, whether its state was
// known before or not, and keeps its entity tree.
TEST_F(SnmpDirectModelTest, SilentNeShowsOfflineAndKeepsItsTree)
{
    for (bool stateKnown : {false, true}) {
        SCOPED_TRACE(stateKnown ? "after the login's poll" : "before any poll");
        Login(stateKnown);
        if (stateKnown) {
            ASSERT_TRUE(WaitFor([this] { return Node(1)->IsConnected(); }));
        }
        const int shelves = Node(1)->GetChildCount();
        ASSERT_GT(shelves, 0);
        agent_.Stop();
        driver_->RequestPoll(false);
        ASSERT_TRUE(WaitFor([this] { return !driver_->IsConnected() && Offline(*Node(1)); }));
        DrainServerMessages(100);
        EXPECT_EQ(Node(1)->GetType(), 4u);
        EXPECT_EQ(Node(1)->GetChildCount(), shelves);
        EXPECT_TRUE(Offline(*Node(1)));
        driver_.reset();
        AppData().Reset();
    }
}

} // namespace
