// The manager session and the table walker against a scripted NE: failing NEs give their result codes and never a
// hang; responses are matched by request-id and source; GETBULK halves its repetitions on tooBig. Ranges and row
// limits of a walk are tested through the executor against the simulated NE (snmp_agent_test).

#include "link/driver_result.h"
#include "link/snmp/snmp_request_executor.h"
#include "link/snmp/snmp_session.h"
#include "link/snmp/snmp_table_walker.h"
#include "tests/link/snmp_test_support.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using snmp_test::CScriptedResponder;
using snmp_test::ResponseTo;

CSnmpOid Oid(const std::string& text)
{
    return CSnmpOid::Parse(text).value();
}

SnmpSessionConfig Config(const UdpEndpoint& agent, SnmpVersion version = SnmpVersion::V1, uint32_t retries = 1)
{
    SnmpSessionConfig config;
    config.agent = agent;
    config.community = "public";
    config.version = version;
    config.timeoutMs = 200;
    config.retries = retries;
    return config;
}

const CSnmpOid kUpTime = Oid("1.3.6.1.2.1.1.3.0");

TEST(SnmpSession, AnswerToAnEarlierAttemptIsTaken)
{
    int calls = 0;
    SnmpMessage first;
    CScriptedResponder ne([&calls, &first](const SnmpMessage& request) -> std::optional<SnmpMessage> {
        // The first attempt is answered late: only its answer comes, during the second attempt.
        if (++calls == 1) {
            first = request;
            return std::nullopt;
        }
        return ResponseTo(first, 0, 0, {{first.pdu.varbinds[0].oid, SnmpValue::TimeTicks(5)}});
    });
    CSnmpSession session;
    ASSERT_EQ(session.Open(Config(ne.Endpoint(), SnmpVersion::V1, 1)), kDrvOk);
    std::vector<SnmpVarBind> values;
    ASSERT_EQ(session.Get({kUpTime}, &values), kDrvOk);
    EXPECT_EQ(values[0].value, SnmpValue::TimeTicks(5));
}

// A silent NE is asked once, then once more for each retry, before the exchange gives up.
TEST(SnmpSession, SilentNeIsAskedOnceAndAgainForEachRetry)
{
    for (const uint32_t retries : {0u, 1u, 3u}) {
        CScriptedResponder ne([](const SnmpMessage&) -> std::optional<SnmpMessage> { return std::nullopt; });
        CSnmpSession session;
        SnmpSessionConfig config = Config(ne.Endpoint(), SnmpVersion::V1, retries);
        config.timeoutMs = 100;
        ASSERT_EQ(session.Open(config), kDrvOk);
        std::vector<SnmpVarBind> values;
        EXPECT_EQ(session.Get({kUpTime}, &values), kDrvTimeout) << retries;
        EXPECT_EQ(ne.Requests(), static_cast<int>(retries) + 1) << retries;
    }
}

// error-status and exception values of a failing NE, and the result code each gives.
TEST(SnmpSession, FailingNeGivesTheMatchingCode)
{
    struct Row {
        SnmpVersion version;
        int32_t errorStatus;
        std::optional<SnmpType> exception;
        int expected;
    };
    const Row rows[] = {
        {SnmpVersion::V1, kSnmpTooBig, {}, kDrvSnmpTooBig},
        {SnmpVersion::V1, kSnmpNoSuchName, {}, kDrvSnmpNoSuchName},
        {SnmpVersion::V1, kSnmpBadValue, {}, kDrvSnmpBadValue},
        {SnmpVersion::V1, kSnmpReadOnly, {}, kDrvSnmpReadOnly},
        {SnmpVersion::V1, kSnmpGenErr, {}, kDrvSnmpGeneralError},
        {SnmpVersion::V2c, kSnmpNoAccess, {}, kDrvSnmpGeneralError},
        {SnmpVersion::V2c, kSnmpNotWritable, {}, kDrvSnmpGeneralError},
        {SnmpVersion::V2c, kSnmpInconsistentName, {}, kDrvSnmpGeneralError},
        {SnmpVersion::V2c, 0, SnmpType::NoSuchObject, kDrvSnmpNoSuchName},
        {SnmpVersion::V2c, 0, SnmpType::NoSuchInstance, kDrvSnmpNoSuchName},
        {SnmpVersion::V2c, 0, SnmpType::EndOfMibView, kDrvSnmpNoSuchName},
    };
    for (const Row& row : rows) {
        CScriptedResponder ne([&row](const SnmpMessage& request) -> std::optional<SnmpMessage> {
            SnmpValue value = row.exception ? SnmpValue::Exception(*row.exception) : SnmpValue::TimeTicks(1);
            return ResponseTo(request, row.errorStatus, row.errorStatus != 0 ? 1 : 0,
                              {{request.pdu.varbinds[0].oid, value}});
        });
        CSnmpSession session;
        ASSERT_EQ(session.Open(Config(ne.Endpoint(), row.version)), kDrvOk);
        std::vector<SnmpVarBind> values;
        EXPECT_EQ(session.Get({kUpTime}, &values), row.expected) << row.errorStatus;
        EXPECT_EQ(ne.Requests(), 1) << "an answer ends the exchange";
    }
}

TEST(SnmpSession, ForeignAndMalformedDatagramsAreDropped)
{
    // Declared before the NE, whose thread uses them until it ends.
    CUdpSocket stranger;
    ASSERT_EQ(stranger.Open({127, 0, 0, 2}, 0), 0);
    CSnmpSession session;
    CScriptedResponder ne([](const SnmpMessage& request) -> std::optional<SnmpMessage> {
        return ResponseTo(request, 0, 0, {{request.pdu.varbinds[0].oid, SnmpValue::TimeTicks(42)}});
    });
    ASSERT_EQ(session.Open(Config(ne.Endpoint())), kDrvOk);
    const uint16_t sessionPort = session.LocalPort();
    ne.SetPrelude([&](const SnmpMessage& request) {
        std::vector<std::vector<uint8_t>> before;
        std::vector<uint8_t> bytes;
        // Another request-id from the NE.
        SnmpMessage wrongId = ResponseTo(request, 0, 0, {{kUpTime, SnmpValue::TimeTicks(1)}});
        wrongId.pdu.requestId += 1000;
        EncodeSnmpMessage(wrongId, &bytes);
        before.push_back(bytes);
        // Another version.
        SnmpMessage wrongVersion = ResponseTo(request, 0, 0, {{kUpTime, SnmpValue::TimeTicks(2)}});
        wrongVersion.version = SnmpVersion::V2c;
        EncodeSnmpMessage(wrongVersion, &bytes);
        before.push_back(bytes);
        // A request, not a response.
        SnmpMessage notResponse = request;
        EncodeSnmpMessage(notResponse, &bytes);
        before.push_back(bytes);
        // Garbage.
        before.push_back({0x30, 0x80, 0x00});
        // The right answer from another address.
        SnmpMessage fromElsewhere = ResponseTo(request, 0, 0, {{kUpTime, SnmpValue::TimeTicks(3)}});
        EncodeSnmpMessage(fromElsewhere, &bytes);
        stranger.SendTo(bytes.data(), bytes.size(), {snmp_test::kLoopback, sessionPort});
        return before;
    });
    std::vector<SnmpVarBind> values;
    ASSERT_EQ(session.Get({kUpTime}, &values), kDrvOk);
    EXPECT_EQ(values[0].value, SnmpValue::TimeTicks(42));
    EXPECT_EQ(session.Stats().malformedResponses, 1u);
    EXPECT_EQ(session.Stats().foreignResponses, 4u);
}

TEST(SnmpSession, AnAgentWhoseEveryAnswerIsUnreadableIsNotTakenForASilentOne)
{
    CScriptedResponder ne([](const SnmpMessage&) -> std::optional<SnmpMessage> { return std::nullopt; });
    ne.SetPrelude([](const SnmpMessage&) { return std::vector<std::vector<uint8_t>>{{0x30, 0x03, 0x02, 0x01}}; });
    CSnmpSession session;
    ASSERT_EQ(session.Open(Config(ne.Endpoint())), kDrvOk);
    std::vector<SnmpVarBind> values;
    EXPECT_EQ(session.Get({kUpTime}, &values), kDrvSnmpDecodeError);
    EXPECT_EQ(session.Stats().malformedResponses, 2u) << "one a try";

    // Silence stays a time-out.
    CScriptedResponder silent([](const SnmpMessage&) -> std::optional<SnmpMessage> { return std::nullopt; });
    CSnmpSession other;
    ASSERT_EQ(other.Open(Config(silent.Endpoint())), kDrvOk);
    EXPECT_EQ(other.Get({kUpTime}, &values), kDrvTimeout);
}

TEST(SnmpSession, ResponseNotAnsweringTheRequestIsADecodeError)
{
    CScriptedResponder ne([](const SnmpMessage& request) -> std::optional<SnmpMessage> {
        return ResponseTo(request, 0, 0, {{Oid("1.3.6.1.2.1.1.5.0"), SnmpValue::Octets("x")}});
    });
    CSnmpSession session;
    ASSERT_EQ(session.Open(Config(ne.Endpoint())), kDrvOk);
    std::vector<SnmpVarBind> values;
    EXPECT_EQ(session.Get({kUpTime}, &values), kDrvSnmpDecodeError);
}

// A scripted table of two columns with `rows` rows, walked by GET-NEXT or GETBULK.
class CScriptedTable {
public:
    explicit CScriptedTable(uint32_t rows, int32_t maxBulkRepetitions = 1000)
        : mib_(Build(rows)), maxBulk_(maxBulkRepetitions), ne_([this](const SnmpMessage& r) { return Answer(r); })
    {
    }
    UdpEndpoint Endpoint() const { return ne_.Endpoint(); }
    int Requests() const { return ne_.Requests(); }
    std::atomic<int> tooBigAnswers{0};

private:
    static std::map<CSnmpOid, SnmpValue> Build(uint32_t rows)
    {
        std::map<CSnmpOid, SnmpValue> mib;
        for (uint32_t i = 1; i <= rows; ++i) {
            mib[Oid("1.3.6.1.99.1.1").Appended(i * 10)] = SnmpValue::Gauge32(i);
            mib[Oid("1.3.6.1.99.1.2").Appended(i * 10)] = SnmpValue::Octets("row" + std::to_string(i));
        }
        mib[Oid("1.3.6.1.99.2.0")] = SnmpValue::Integer(7); // after the table
        return mib;
    }

    std::optional<SnmpMessage> Answer(const SnmpMessage& request)
    {
        std::vector<SnmpVarBind> out;
        auto next = [this](const CSnmpOid& oid) { return mib_.upper_bound(oid); };
        if (request.pdu.type == SnmpPduType::GetBulkRequest) {
            if (request.pdu.MaxRepetitions() > maxBulk_) {
                ++tooBigAnswers;
                return ResponseTo(request, kSnmpTooBig, 0, {});
            }
            std::vector<CSnmpOid> last;
            for (const SnmpVarBind& vb : request.pdu.varbinds)
                last.push_back(vb.oid);
            for (int32_t r = 0; r < request.pdu.MaxRepetitions(); ++r) {
                for (CSnmpOid& oid : last) {
                    auto it = next(oid);
                    if (it == mib_.end()) {
                        out.push_back({oid, SnmpValue::Exception(SnmpType::EndOfMibView)});
                    } else {
                        oid = it->first;
                        out.push_back({it->first, it->second});
                    }
                }
            }
            return ResponseTo(request, 0, 0, out);
        }
        for (size_t i = 0; i < request.pdu.varbinds.size(); ++i) {
            auto it = next(request.pdu.varbinds[i].oid);
            if (it == mib_.end())
                return ResponseTo(request, kSnmpNoSuchName, static_cast<int32_t>(i + 1), request.pdu.varbinds);
            out.push_back({it->first, it->second});
        }
        return ResponseTo(request, 0, 0, out);
    }

    const std::map<CSnmpOid, SnmpValue> mib_;
    const int32_t maxBulk_;
    CScriptedResponder ne_; // last: its thread reads the members above
};

const std::vector<CSnmpOid> kColumns{Oid("1.3.6.1.99.1.1"), Oid("1.3.6.1.99.1.2")};

void ExpectRows(const std::vector<SnmpWalkRow>& rows, uint32_t first, uint32_t last)
{
    ASSERT_EQ(rows.size(), last - first + 1);
    for (uint32_t i = first; i <= last; ++i) {
        const SnmpWalkRow& row = rows[i - first];
        EXPECT_EQ(row.index, CSnmpOid{i * 10});
        ASSERT_TRUE(row.values[0] && row.values[1]);
        EXPECT_EQ(*row.values[0], SnmpValue::Gauge32(i));
        EXPECT_EQ(*row.values[1], SnmpValue::Octets("row" + std::to_string(i)));
    }
}

TEST(SnmpTableWalker, GetNextWalkEndsAtTheTableAndAtTheViewsEnd)
{
    CScriptedTable table(25);
    CSnmpSession session;
    ASSERT_EQ(session.Open(Config(table.Endpoint())), kDrvOk);
    std::vector<SnmpWalkRow> rows;
    ASSERT_EQ(WalkSnmpTable(session, kColumns, {}, &rows), kDrvOk);
    ExpectRows(rows, 1, 25);
    // The last column of the view: v1 ends it with noSuchName.
    ASSERT_EQ(WalkSnmpTable(session, {Oid("1.3.6.1.99.2")}, {}, &rows), kDrvOk);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].index, CSnmpOid{0});
}

TEST(SnmpTableWalker, TooBigForOneRowFails)
{
    CScriptedTable table(10, 0);
    CSnmpSession session;
    ASSERT_EQ(session.Open(Config(table.Endpoint(), SnmpVersion::V2c)), kDrvOk);
    SnmpWalkOptions options;
    options.useBulk = true;
    std::vector<SnmpWalkRow> rows;
    EXPECT_EQ(WalkSnmpTable(session, kColumns, options, &rows), kDrvSnmpTooBig);
}

TEST(SnmpTableWalker, AgentThatDoesNotAdvanceIsADecodeError)
{
    CScriptedResponder ne([](const SnmpMessage& request) -> std::optional<SnmpMessage> {
        return ResponseTo(request, 0, 0, {{Oid("1.3.6.1.99.1.1.5"), SnmpValue::Gauge32(1)}});
    });
    CSnmpSession session;
    ASSERT_EQ(session.Open(Config(ne.Endpoint())), kDrvOk);
    std::vector<SnmpWalkRow> rows;
    EXPECT_EQ(WalkSnmpTable(session, {Oid("1.3.6.1.99.1.1")}, {}, &rows), kDrvSnmpDecodeError);
    EXPECT_EQ(ne.Requests(), 2);
}

TEST(SnmpTableWalker, RowWhoseNameSaysAnotherIndexIsADecodeError)
{
    const SnmpRequestEntry& communities = *DefaultSnmpRequestMap().Find(kReqNeSnmpCommunity);
    const CSnmpOid name = communities.ColumnOid(communities.columns[0]);
    // One row, index "ab", whose name column says "ac"; then the end of the view.
    CScriptedResponder ne([&name](const SnmpMessage& request) -> std::optional<SnmpMessage> {
        if (request.pdu.varbinds[0].oid != name)
            return ResponseTo(request, kSnmpNoSuchName, 1, request.pdu.varbinds);
        std::vector<SnmpVarBind> row;
        for (const SnmpVarBind& vb : request.pdu.varbinds)
            row.push_back({vb.oid.Appended(CSnmpOid{2, 'a', 'b'}), SnmpValue::Gauge32(1)});
        row[0].value = SnmpValue::Octets("ac");
        return ResponseTo(request, 0, 0, row);
    });
    CSnmpSession session;
    ASSERT_EQ(session.Open(Config(ne.Endpoint())), kDrvOk);
    CSnmpRequestExecutor executor(DefaultSnmpRequestMap(), session);
    uint8_t record[32] = {};
    EmsMsg request;
    BuildEmsMsg(&request, kEmsOpQuery, kReqNeSnmpCommunity, sizeof record, record, 1);
    SnmpReplyData reply;
    EXPECT_EQ(executor.Execute(request, &reply), kDrvSnmpDecodeError);
}

TEST(SnmpTableWalker, GenErrDuringAWalkFailsTheQuery)
{
    CScriptedResponder ne([](const SnmpMessage& request) -> std::optional<SnmpMessage> {
        return ResponseTo(request, kSnmpGenErr, 1, request.pdu.varbinds);
    });
    CSnmpSession session;
    ASSERT_EQ(session.Open(Config(ne.Endpoint())), kDrvOk);
    CSnmpRequestExecutor executor(DefaultSnmpRequestMap(), session);
    uint8_t one = 0;
    EmsMsg request;
    BuildEmsMsg(&request, kEmsOpQuery, kReqBoardSetting, 1, &one, 1);
    SnmpReplyData reply;
    EXPECT_EQ(executor.Execute(request, &reply), kDrvSnmpGeneralError);
}

} // namespace
