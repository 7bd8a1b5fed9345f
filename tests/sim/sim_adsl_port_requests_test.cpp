// The simulated server's ADSL port records of North-1 as the NE's entity tree has them: the ports of a card the NE
// has planned but not fitted are there to be set ahead, the ports a card brings when it is planned anew appear at the
// next request, and a port the tree lacks, or one of another kind, is refused.

#include <gtest/gtest.h>

#include "link/records/adsl_port_rec.h"
#include "link/records/board_setting_rec.h"
#include "link/records/request_codes.h"
#include "link/records/word_record.h"
#include "sim/server/sim_database.h"
#include "sim/server/sim_request_handler.h"
#include "tests/sim/support/sim_exchange.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kNow = 1700000000;
constexpr uint32_t kNorth1 = 1;
constexpr uint32_t kSlot3 = 10300; // planned for a 24-port ADSL card, none fitted
constexpr uint32_t kAdsl48 = 31;   // the 48-port ADSL card

class SimAdslPortRequestsTest : public ::testing::Test {
protected:
    SimAdslPortRequestsTest()
    {
        std::string error;
        EXPECT_TRUE(database_.Load(LoadSimTestWorld(), kNow, &error)) << error;
    }

    template <class Rec> SimAnswer Send(uint8_t operation, uint16_t code, const Rec& record)
    {
        return SendRecordToSimHandler(handler_, admin_, {operation, code, kNorth1, kNow}, record);
    }
    std::vector<AdslPortRec> PortsBelow(uint32_t entityId)
    {
        const SimAnswer answer = Send(kEmsOpQuery, kReqAdslPort, WordRecord{entityId});
        EXPECT_TRUE(answer.ok) << answer.refusal;
        return answer.Records<AdslPortRec>();
    }
    SimAnswer WritePort(uint32_t portId)
    {
        AdslPortRec port;
        port.entityId = portId;
        port.enableState = 2;
        return Send(kEmsOpModify, kReqAdslPort, port);
    }

    CSimDatabase database_;
    CSimRequestHandler handler_{database_, SimHandlerOptions{}};
    SimSession admin_ = SimAdminSession();
};

TEST_F(SimAdslPortRequestsTest, PortsAreTheOnesTheNesTreeHasNow)
{
    EXPECT_EQ(PortsBelow(kSlot3).size(), 24u);
    EXPECT_TRUE(WritePort(kSlot3 + 24).ok);
    EXPECT_EQ(WritePort(kSlot3 + 25).refusal, "Port does not exist");
    EXPECT_EQ(WritePort(10201).refusal, "Port does not exist") << "a port of the SHDSL card";

    // Planned anew for the 48-port card, the slot brings 24 more ports; what the first ones were given stays.
    BoardSettingRec board;
    board.entityId = kSlot3;
    board.plannedType = kAdsl48;
    ASSERT_TRUE(Send(kEmsOpModify, kReqBoardSetting, board).ok);
    const std::vector<AdslPortRec> ports = PortsBelow(kSlot3);
    EXPECT_EQ(ports.size(), 48u);
    EXPECT_TRUE(WritePort(kSlot3 + 48).ok);
    const auto written =
        std::find_if(ports.begin(), ports.end(), [](const AdslPortRec& port) { return port.entityId == kSlot3 + 24; });
    ASSERT_NE(written, ports.end());
    EXPECT_EQ(written->enableState, 2u);
}

} // namespace
