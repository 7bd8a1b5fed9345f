// The server's alarm and event records (request 328) turned into AlarmEventRec: record by record, frame by frame,
// and what the server driver does with a reply it cannot convert.
#include "link/server/alarm_event_conversion.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <thread>

#include "link/driver_result.h"
#include "link/headless_link_ui.h"
#include "link/link_ui.h"
#include "link/records/alarm_query_rec.h"
#include "link/server/net_drv_server_agent.h"
#include "link/server_message_dispatcher.h"
#include "tests/link/fake_server.h"

namespace {

TEST(ServerAlarmEventConversion, MaskTexts)
{
    const struct {
        const char* text;
        std::optional<uint32_t> mask;
    } rows[] = {
        {"00000008", 8u},        {"80000008", 0x80000008u}, {"0x1F", 0x1Fu},
        {"0X1f", 0x1Fu},         {"ffffffff", 0xFFFFFFFFu}, {"8", 8u},
        {"", std::nullopt},      {"0x", std::nullopt},      {"123456789", std::nullopt},
        {"12G4", std::nullopt},  {" 12", std::nullopt},     {"-1", std::nullopt},
        {"0x0x1", std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ParseServerAlarmMask(row.text), row.mask) << "\"" << row.text << "\"";
    }
}

ServerAlarmEventRec Sample()
{
    ServerAlarmEventRec rec;
    rec.recordNo = 17;
    rec.entityId = 10203;
    rec.alarmMask = "00000006";
    rec.severity = 3;
    rec.kind = 2;
    rec.plannedType = 30;
    rec.actualType = 31;
    rec.occurTime = 100;
    rec.receiveTime = 101;
    rec.clearTime = 200;
    rec.locationName = "North";
    rec.neName = "North-1";
    rec.ackPerson = "admin";
    rec.ackTime = 150;
    rec.alarmType = 1;
    return rec;
}

TEST(ServerAlarmEventConversion, TextsAreCutAndAnEmptyLocationIsTheRoot)
{
    ServerAlarmEventRec rec = Sample();
    rec.locationName = std::string(21, 'L'); // a field without its terminator
    rec.neName = std::string(21, 'N');
    rec.ackPerson = std::string(11, 'P');
    rec.alarmMask = "not hex";
    AlarmEventRec out = ConvertServerAlarmEvent(rec, "<Root>");
    EXPECT_EQ(out.locationName, std::string(20, 'L'));
    EXPECT_EQ(out.neName, std::string(20, 'N'));
    EXPECT_EQ(out.ackPerson, std::string(10, 'P'));
    EXPECT_EQ(out.alarmMask, 0u) << "a mask that does not parse shows nothing";

    rec.locationName.clear();
    EXPECT_EQ(ConvertServerAlarmEvent(rec, "<Root>").locationName, "<Root>");
    EXPECT_EQ(ConvertServerAlarmEvent(rec, std::string(25, 'R')).locationName, std::string(20, 'R'));
}

TEST(ServerAlarmEventConversion, WhichFramesAreConverted)
{
    const struct {
        uint16_t code;
        uint8_t operation;
        uint32_t status;
        bool converted;
    } rows[] = {{kReqAlarmEvent, kEmsOpReply, 0, true},
                {kReqAlarmEvent, kEmsOpReply, 32020, false},
                {kReqAlarmEvent, kEmsOpQuery, 0, false},
                {kReqAlarmEvent, kEmsOpTextReply, 0, false},
                {kReqNeAlarmLog, kEmsOpReply, 0, false}};
    for (const auto& row : rows) {
        FrameHeader header;
        header.requestCode = row.code;
        header.operation = row.operation;
        header.status = row.status;
        EXPECT_EQ(IsServerAlarmEventReply(header), row.converted) << row.code << " op " << int(row.operation);
    }
}

Frame ServerFrame(uint32_t count, uint32_t recordSize = kServerAlarmEventRecSize)
{
    Frame frame;
    frame.header.operation = kEmsOpReply;
    frame.header.requestCode = kReqAlarmEvent;
    frame.header.count = count;
    frame.header.total = 900;
    frame.header.recordSize = recordSize;
    for (uint32_t i = 0; i < count; ++i) {
        ServerAlarmEventRec rec = Sample();
        rec.recordNo = i + 1;
        std::vector<uint8_t> bytes(recordSize, 0);
        const auto encoded = EncodeRecord(rec);
        std::copy_n(encoded.begin(), std::min<size_t>(recordSize, encoded.size()), bytes.begin());
        frame.payload.insert(frame.payload.end(), bytes.begin(), bytes.end());
    }
    return frame;
}

TEST(ServerAlarmEventConversion, FrameRecordsAreConvertedInPlaceKeepingTheTotal)
{
    Frame frame = ServerFrame(3);
    ASSERT_TRUE(ConvertServerAlarmEventFrame(frame, "<Root>"));
    EXPECT_EQ(frame.header.recordSize, kAlarmEventRecSize);
    EXPECT_EQ(frame.header.count, 3u);
    EXPECT_EQ(frame.header.total, 900u);
    ASSERT_EQ(frame.payload.size(), 3 * kAlarmEventRecSize);
    AlarmEventRec third;
    ASSERT_TRUE(DecodeRecord(frame.payload.data() + 2 * kAlarmEventRecSize, kAlarmEventRecSize, &third));
    EXPECT_EQ(third.recordNo, 3u);
    EXPECT_EQ(third.alarmMask, 6u);

    Frame empty = ServerFrame(0);
    ASSERT_TRUE(ConvertServerAlarmEventFrame(empty, "<Root>"));
    EXPECT_EQ(empty.header.recordSize, kAlarmEventRecSize);

    Frame odd = ServerFrame(2, kAlarmEventRecSize); // already the workstation's size: not the server's records
    const Frame before = odd;
    EXPECT_FALSE(ConvertServerAlarmEventFrame(odd, "<Root>"));
    EXPECT_EQ(odd.payload, before.payload);
    EXPECT_EQ(odd.header, before.header);
}

// Records of another size break the reply, a failure passes as it came. The driver's conversion of a whole reply is
// the alarm query's test against the simulated server (server_sim_login_test).
class ServerDriverConversionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLinkUi(&ui_);
        SetUiThreadId(std::this_thread::get_id());
        LinkSettings settings;
        settings.serverWaitMs = 30000; // only bounds the wait for a reply that comes
        settings.pingIntervalMs = 600000;
        settings.serverTrapPort = 42461;
        settings.connectLimitMs = 3000;
        driver_ = std::make_unique<CNetDrvServerAgent>(settings);
        ASSERT_EQ(driver_->Start(), kDrvOk);
        ASSERT_EQ(driver_->EmsConnect({127, 0, 0, 1}, server_.Port(), "u", "p"), kDrvOk);
    }

    void TearDown() override
    {
        driver_.reset();
        SetLinkUi(nullptr);
    }

    int Query328()
    {
        const std::vector<uint8_t> query(kAlarmQueryRecSize, 0);
        BuildEmsMsg(&request_, kEmsOpQuery, kReqAlarmEvent, kAlarmQueryRecSize, query.data(), 0);
        return driver_->RequestEmsMsg(&request_, &reply_, 0, -2, false);
    }

    CFakeServer server_;
    CHeadlessLinkUi ui_;
    std::unique_ptr<CNetDrvServerAgent> driver_;
    EmsMsg request_;
    EmsMsg* reply_ = nullptr;
};

TEST_F(ServerDriverConversionTest, RecordsOfAnotherSizeCloseTheConnectionWith32010)
{
    server_.SetHandler(
        [](const Frame& request, CFakeServer& server) { server.Reply(request, std::vector<uint8_t>(100, 1), 1, 100); });
    EXPECT_EQ(Query328(), kDrvInvalidFormat);
    EXPECT_FALSE(driver_->IsConnected());
}

TEST_F(ServerDriverConversionTest, FailureStatusPassesUnconverted)
{
    server_.SetHandler([](const Frame& request, CFakeServer& server) {
        server.Reply(request, std::vector<uint8_t>(8, 3), 2, 4, 32020);
    });
    EXPECT_EQ(Query328(), kDrvRejected);
    EXPECT_EQ(reply_->recordSize, 4u) << "what the server sent with a failure stays readable as it came";
    EXPECT_TRUE(driver_->IsConnected());
}

} // namespace
