#pragma once
// What the end-to-end tests of the alarm lists ask the simulated server through the harness's second workstation:
// the number of active alarms it holds of a severity, an entity's acknowledgement, and the test control that makes
// alarms come and go.

#include "tests/e2e/support/e2e_harness.h"

#include "link/records/alarm_ack_rec.h"
#include "link/records/alarm_query_rec.h"
#include "link/records/record_codec.h"
#include "link/records/request_codes.h"
#include "link/records/server_alarm_event_rec.h"
#include "sim/server/sim_control.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace e2e {

// The server's count of matches of an alarm query (the reply's total); nullopt when it did not answer.
inline std::optional<uint32_t> ServerAlarmTotal(CProgram& program, AlarmQueryRec query, uint32_t neId = 0)
{
    const auto bytes = EncodeRecord(query);
    server_test::CRawClient& probe = program.ServerProbe();
    const uint32_t sequence =
        probe.Send(kEmsOpQuery, kReqAlarmEvent, neId, {bytes.begin(), bytes.end()}, kAlarmQueryRecSize);
    const std::optional<::Frame> reply = probe.ReplyTo(sequence);
    if (!reply || reply->header.status != 0)
        return std::nullopt;
    return reply->header.total;
}

// The number of active alarms of a severity in the whole network, as the server counts them.
inline std::optional<uint32_t> ServerActiveAlarms(CProgram& program, uint32_t severity)
{
    AlarmQueryRec query;
    query.queryMode = kAlarmQueryActive;
    query.severity = severity;
    query.firstRecord = 1;
    return ServerAlarmTotal(program, query);
}

// The numbers of the records of an alarm query's page, as the server numbers them.
inline std::vector<uint32_t> ServerAlarmPage(CProgram& program, const AlarmQueryRec& query, uint32_t neId)
{
    const auto bytes = EncodeRecord(query);
    std::vector<uint32_t> numbers;
    for (const std::vector<uint8_t>& record :
         program.QueryServer(kReqAlarmEvent, neId, {bytes.begin(), bytes.end()}, kAlarmQueryRecSize)) {
        ServerAlarmEventRec rec;
        if (DecodeRecord(record.data(), record.size(), &rec))
            numbers.push_back(rec.recordNo);
    }
    return numbers;
}

// The acknowledgement the server keeps of an entity.
inline std::optional<AlarmAckRec> ServerAck(CProgram& program, uint32_t neId, uint32_t entityId)
{
    AlarmAckRec key;
    key.entityId = entityId;
    const auto bytes = EncodeRecord(key);
    for (const std::vector<uint8_t>& record :
         program.QueryServer(kReqAlarmAck, neId, {bytes.begin(), bytes.end()}, kAlarmAckRecSize)) {
        AlarmAckRec ack;
        if (DecodeRecord(record.data(), record.size(), &ack) && ack.entityId == entityId)
            return ack;
    }
    return std::nullopt;
}

// The server's test control on an NE: true when it answered with success.
inline bool ServerControl(CProgram& program, uint32_t neId, uint32_t action, uint32_t arg1 = 0, uint32_t arg2 = 0)
{
    const auto bytes = EncodeRecord(SimControlRec{action, arg1, arg2, 0});
    server_test::CRawClient& probe = program.ServerProbe();
    const uint32_t sequence =
        probe.Send(kEmsOpModify, kReqSimControl, neId, {bytes.begin(), bytes.end()}, kSimControlRecSize);
    const std::optional<::Frame> reply = probe.ReplyTo(sequence, 30000);
    return reply && reply->header.status == 0;
}

} // namespace e2e
