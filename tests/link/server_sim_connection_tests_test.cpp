// The tests the simulated server runs on an NE for the workstation: its ping and SNMP check answer for an NE on the
// network and say why not for one off it; an OAM loopback loops back on a PVC that is up and refuses, with what the
// NE saw, anything else.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/records/oam_loopback_rec.h"
#include "link/records/request_codes.h"
#include "tests/link/server_sim_fixture.h"

namespace {

using namespace server_test;

constexpr uint32_t kNorth1 = 1, kNeItself = 1, kOfflineAlarm = 0;

class SimConnectionTestsTest : public SimLinkTest {
protected:
    // The request's result, and the text of a text reply.
    std::pair<int, std::string> Send(uint16_t code, uint32_t neId, const std::vector<uint8_t>& record)
    {
        const int result = Request(kEmsOpModify, code, neId, record.data(), static_cast<uint32_t>(record.size()));
        std::string text;
        if (result == kDrvTextReply)
            text = static_cast<const char*>(reply_->records);
        return {result, text};
    }
};

TEST_F(SimConnectionTestsTest, PingAndSnmpCheckAnswerForAnNeOnTheNetworkOnly)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    const std::vector<uint8_t> none{0};
    EXPECT_EQ(Send(kReqNePing, kNorth1, none), std::make_pair(kDrvOk, std::string()));
    EXPECT_EQ(Send(kReqNeSnmpCheck, kNorth1, none), std::make_pair(kDrvOk, std::string()));
    EXPECT_EQ(Send(kReqNePing, 99, none), std::make_pair(kDrvTextReply, std::string("NE does not exist")));

    ASSERT_EQ(Control(kSimToggleAlarm, kNeItself, kOfflineAlarm, kNorth1), kDrvOk);
    EXPECT_EQ(Send(kReqNePing, kNorth1, none),
              std::make_pair(kDrvTextReply, std::string("No reply from 10.10.1.1: request timed out")));
    EXPECT_EQ(Send(kReqNeSnmpCheck, kNorth1, none),
              std::make_pair(kDrvTextReply, std::string("No SNMP response from 10.10.1.1")));
}

TEST_F(SimConnectionTestsTest, OamLoopbackNeedsAPvcThatIsUp)
{
    ASSERT_EQ(Login("admin", "admin"), kDrvOk);
    struct Row {
        const char* what;
        OamLoopbackRec rec;
        uint32_t neId;
        int result;
        const char* reason;
    };
    const Row rows[] = {
        {"segment cells on a PVC that is up", {10101, 0, 35, 1, 0}, kNorth1, kDrvOk, ""},
        {"both kinds on it", {10101, 0, 35, 1, 1}, kNorth1, kDrvOk, ""},
        {"no kind of cell", {10101, 0, 35, 0, 0}, kNorth1, kDrvInvalidParameter, ""},
        {"a PVC that is down",
         {10101, 8, 35, 0, 1},
         kNorth1,
         kDrvTextReply,
         "No loopback cells returned on PVC 8/35: 5 end-to-end cells sent, 0 received"},
        {"a PVC the port has not",
         {10101, 1, 32, 1, 0},
         kNorth1,
         kDrvTextReply,
         "PVC 1/32 is not configured on the port"},
        {"the PVC's VPI and VCI on another port",
         {10102, 0, 35, 1, 0},
         kNorth1,
         kDrvTextReply,
         "PVC 0/35 is not configured on the port"},
        {"a card, not a port", {10100, 0, 35, 1, 0}, kNorth1, kDrvTextReply, "Port does not exist"},
        {"a port of an empty slot", {10401, 0, 35, 1, 0}, kNorth1, kDrvTextReply, "Port does not exist"},
        {"an NE the server does not keep", {10101, 0, 35, 1, 0}, 99, kDrvTextReply, "NE does not exist"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(Send(kReqOamLoopback, row.neId, EncodeRecords(std::vector<OamLoopbackRec>{row.rec})),
                  std::make_pair(row.result, std::string(row.reason)));
    }
    ASSERT_EQ(Control(kSimToggleAlarm, kNeItself, kOfflineAlarm, kNorth1), kDrvOk);
    EXPECT_EQ(Send(kReqOamLoopback, kNorth1, EncodeRecords(std::vector<OamLoopbackRec>{{10101, 0, 35, 1, 0}})),
              std::make_pair(kDrvTextReply, std::string("NE is not connected")));
}

} // namespace
