// What the simulated management server does with the NE's own data it passes on to the NE: its configuration (303),
// whose management addresses must fit together and be the NE's alone, the command lines its interpreter runs (2),
// and the refusal of both, and of the board records, while the NE is off the network.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/records/board_setting_rec.h"
#include "link/records/command_record.h"
#include "link/records/ne_config_record.h"
#include "link/records/request_codes.h"
#include "tests/link/server_sim_fixture.h"

namespace {

using namespace server_test;

constexpr uint32_t kNorth1 = 1;
constexpr uint32_t kSouth1 = 2;
constexpr uint32_t kSpare = 3;
constexpr uint32_t kNeItself = 1;
constexpr uint32_t kOfflineAlarm = 0;

class SimNeTest : public SimLinkTest {
protected:
    NeConfigRecord Config(uint32_t neId)
    {
        NeConfigRecord config;
        EXPECT_EQ(Query(kReqNeConfig, neId), kDrvOk);
        EXPECT_TRUE(reply_->count == 1 && DecodeRecord(EmsRecordAt(*reply_, 0), kNeConfigRecordSize, &config));
        return config;
    }
    int WriteConfig(uint32_t neId, const NeConfigRecord& config)
    {
        linkUi_.Clear();
        const auto bytes = EncodeRecord(config);
        return Request(kEmsOpModify, kReqNeConfig, neId, bytes.data(), kNeConfigRecordSize, 1, -2,
                       kStrFailToUpdateData);
    }
    std::string Refusal() const
    {
        return linkUi_.FailureMessages().empty() ? std::string() : linkUi_.FailureMessages().back().errorText;
    }
    // The NE's answer to a command line, or the refusal's reason.
    std::string Run(uint32_t neId, const std::string& line)
    {
        linkUi_.Clear();
        const auto bytes = EncodeRecord(CommandRecord{line});
        if (Request(kEmsOpModify, kReqNeCommand, neId, bytes.data(), kCommandRecordSize, 1, -2,
                    kStrFailToSendCommand) != kDrvOk)
            return "refused: " + Refusal();
        CommandRecord answer;
        EXPECT_TRUE(reply_->count == 1 && DecodeRecord(EmsRecordAt(*reply_, 0), kCommandRecordSize, &answer));
        return answer.command;
    }
};

TEST_F(SimNeTest, AConfigurationWhoseAddressesClashOrDoNotFitIsRefusedAndChangesNothing)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    // An NE without a configuration of its own describes its model; its uplink is on its address.
    const NeConfigRecord before = Config(kSpare);
    EXPECT_EQ(before.sysDescription, "IPD-12 (1 shelf) IP DSLAM");
    EXPECT_EQ(before.ugeIp, (std::array<uint8_t, 4>{10, 30, 1, 1}));
    EXPECT_EQ(Config(kSouth1).contact, "South field team"); // as the scenario gives it

    struct Case {
        const char* what;
        void (*change)(NeConfigRecord&);
        const char* reason;
    };
    const Case cases[] = {
        {"the uplink address of another NE",
         [](NeConfigRecord& c) {
             c.ugeIp = {10, 10, 1, 1};
             c.gateway = {10, 10, 1, 254};
         },
         "Management address 10.10.1.1 is in use by NE North-1"},
        {"the gateway outside both subnets",
         [](NeConfigRecord& c) {
             c.gateway = {172, 16, 0, 1};
         },
         "Management addresses do not fit together"},
        {"the management port on the uplink's subnet",
         [](NeConfigRecord& c) {
             c.nmeIp = {10, 30, 1, 7};
         },
         "Management addresses do not fit together"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NeConfigRecord changed = before;
        c.change(changed);
        EXPECT_EQ(WriteConfig(kSpare, changed), kDrvTextReply);
        EXPECT_EQ(Refusal(), c.reason);
    }
    NeConfigRecord unchanged = Config(kSpare);
    unchanged.upTime = before.upTime;
    EXPECT_EQ(unchanged, before);

    NeConfigRecord changed = before;
    changed.contact = "Lab team";
    changed.sysName = "spare-1";
    changed.gateway = {10, 30, 1, 253};
    changed.sysDescription = "written by the workstation"; // the NE's own, which a write leaves
    ASSERT_EQ(WriteConfig(kSpare, changed), kDrvOk);
    const NeConfigRecord after = Config(kSpare);
    EXPECT_EQ(after.contact, "Lab team");
    EXPECT_EQ(after.sysName, "spare-1");
    EXPECT_EQ(after.gateway, (std::array<uint8_t, 4>{10, 30, 1, 253}));
    EXPECT_EQ(after.sysDescription, before.sysDescription);
}

TEST_F(SimNeTest, TheNesInterpreterAnswersItsCommandsAndRefusesOthers)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    struct Case {
        const char* line;
        const char* answerStart;
    };
    const Case cases[] = {
        {"show version", "Model: IPD-12 (1 shelf)\nSlot 10100: ALC24-2.1.0\n"},
        {"  SHOW   ip ", "UGE 10.10.1.1/24"},
        {"set contact North field team", "OK\n"},
        {"show system", "Name:        North-1\nDescription: "},
        {"write memory", "Configuration saved to flash\n"},
        {"reboot now", "refused: Unknown command: reboot"},
        {"set colour red", "refused: Unknown setting: colour"},
        {"set contact", "refused: Missing text: set contact <text>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(Run(kNorth1, c.line).rfind(c.answerStart, 0), 0u) << Run(kNorth1, c.line);
    }
    // What a command set, the configuration shows.
    EXPECT_EQ(Config(kNorth1).contact, "North field team");
}

TEST_F(SimNeTest, AnNeOffTheNetworkTakesNoRequestThatGoesToIt)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    ASSERT_EQ(Control(kSimToggleAlarm, kNeItself, kOfflineAlarm, kNorth1), kDrvOk);
    for (const uint16_t code : {uint16_t{kReqNeConfig}, uint16_t{kReqBoardSetting}}) {
        SCOPED_TRACE(code);
        linkUi_.Clear();
        const uint8_t body = 0;
        EXPECT_EQ(Request(kEmsOpQuery, code, kNorth1, &body, sizeof body, 1, -2, kStrFailToQuery), kDrvTextReply);
        EXPECT_EQ(Refusal(), "NE is not connected");
    }
    EXPECT_EQ(Run(kNorth1, "show ip"), "refused: NE is not connected");
    EXPECT_EQ(Run(kSouth1, "show ip").rfind("UGE 10.20.1.1/24", 0), 0u);
    // The server told the workstation: the NE's own node is disconnected.
    EXPECT_TRUE(DispatchUntil([] {
        const CNeRecord* ne = AppData().nes.FindNeById(kNorth1);
        return ne != nullptr && ne->root != nullptr && !ne->root->IsConnected();
    }));

    ASSERT_EQ(Control(kSimToggleAlarm, kNeItself, kOfflineAlarm, kNorth1), kDrvOk);
    EXPECT_EQ(Query(kReqBoardSetting, kNorth1), kDrvOk);
}

} // namespace
