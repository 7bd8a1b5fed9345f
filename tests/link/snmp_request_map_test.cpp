// The request-code map's rules: value checks, row index decoding, and every code outside the map answering "request
// not supported". The OIDs and values the NE sees are checked on the wire (snmp_agent_test, snmp_interop_test).

#include "link/driver_result.h"
#include "link/ems_msg.h"
#include "link/snmp/snmp_request_executor.h"
#include "link/snmp/snmp_request_map.h"

#include <gtest/gtest.h>

namespace {

CSnmpOid Oid(const std::string& text)
{
    return CSnmpOid::Parse(text).value();
}

TEST(SnmpRequestMap, StoringChecksTypeLengthAndRange)
{
    struct Row {
        SnmpColumnDef column;
        SnmpValue value;
        SnmpStoreResult expected;
    };
    using T = SnmpColumnType;
    const Row rows[] = {
        {{1, 0, 1, T::Unsigned8}, SnmpValue::Gauge32(255), SnmpStoreResult::Ok},
        {{1, 0, 1, T::Unsigned8}, SnmpValue::Gauge32(256), SnmpStoreResult::WrongValue},
        {{1, 0, 2, T::Unsigned16}, SnmpValue::Gauge32(65536), SnmpStoreResult::WrongValue},
        {{1, 0, 4, T::Unsigned32}, SnmpValue::Integer(-1), SnmpStoreResult::WrongValue},
        {{1, 0, 4, T::Unsigned32}, SnmpValue::Integer(5), SnmpStoreResult::Ok},
        {{1, 0, 4, T::Unsigned32}, SnmpValue::Octets("5"), SnmpStoreResult::WrongType},
        {{1, 0, 2, T::Integer16}, SnmpValue::Integer(-32768), SnmpStoreResult::Ok},
        {{1, 0, 2, T::Integer16}, SnmpValue::Integer(32768), SnmpStoreResult::WrongValue},
        {{1, 0, 4, T::Integer32}, SnmpValue::Gauge32(1), SnmpStoreResult::WrongType},
        {{1, 0, 8, T::Text}, SnmpValue::Octets("1234567"), SnmpStoreResult::Ok},
        {{1, 0, 8, T::Text}, SnmpValue::Octets("12345678"), SnmpStoreResult::WrongLength},
        {{1, 0, 8, T::Text}, SnmpValue::Gauge32(1), SnmpStoreResult::WrongType},
        {{1, 0, 4, T::Octets}, SnmpValue::Octets(std::vector<uint8_t>{1, 2, 3, 4}), SnmpStoreResult::Ok},
        {{1, 0, 4, T::Octets}, SnmpValue::Octets(std::vector<uint8_t>{1, 2, 3, 4, 5}), SnmpStoreResult::WrongLength},
        {{1, 0, 4, T::IpAddress}, SnmpValue::IpAddress({1, 2, 3, 4}), SnmpStoreResult::Ok},
        {{1, 0, 4, T::IpAddress}, SnmpValue::Octets("abcd"), SnmpStoreResult::WrongType},
        {{1, 0, 4, T::UpTimeSeconds}, SnmpValue::TimeTicks(12345), SnmpStoreResult::Ok},
        {{1, 0, 4, T::UpTimeSeconds}, SnmpValue::Gauge32(12345), SnmpStoreResult::WrongType},
    };
    for (const Row& row : rows) {
        std::vector<uint8_t> record(8, 0xEE);
        EXPECT_EQ(StoreSnmpColumnValue(row.column, row.value, record.data()), row.expected)
            << static_cast<int>(row.column.type) << " " << FormatVarBind({Oid("1.3"), row.value});
    }
    std::vector<uint8_t> record(4, 0);
    StoreSnmpColumnValue({1, 0, 4, T::UpTimeSeconds}, SnmpValue::TimeTicks(12345), record.data());
    EXPECT_EQ(record, (std::vector<uint8_t>{123, 0, 0, 0}));
}

TEST(SnmpRequestMap, MalformedRowIndexesAreRefused)
{
    const SnmpRequestEntry& community = *DefaultSnmpRequestMap().Find(kReqNeSnmpCommunity);
    const SnmpRequestEntry& alarmDef = *DefaultSnmpRequestMap().Find(kReqAlarmDef);
    std::vector<uint8_t> record(256, 0);
    struct Row {
        const SnmpRequestEntry* entry;
        CSnmpOid index;
        bool ok;
    };
    std::vector<uint32_t> longName{24};
    longName.insert(longName.end(), 24, 'a');
    const Row rows[] = {
        {&community, CSnmpOid{3, 'a', 'b', 'c'}, true},
        {&community, CSnmpOid{0}, true},
        {&community, CSnmpOid{3, 'a', 'b'}, false},      // cut short
        {&community, CSnmpOid{2, 'a', 'b', 'c'}, false}, // one sub-id too many
        {&community, CSnmpOid{1, 300}, false},           // not a byte
        {&community, CSnmpOid{2, 'a', 0}, false},        // a text ends at its first zero
        {&community, CSnmpOid(longName), false},         // longer than the field
        {&community, CSnmpOid{}, false},
        {&alarmDef, CSnmpOid{30, 3}, true},
        {&alarmDef, CSnmpOid{30, 256}, false}, // alarm index is a byte
        {&alarmDef, CSnmpOid{30}, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DecodeSnmpRowIndex(*row.entry, row.index, record.data()), row.ok) << row.index.Format();
}

// Codes outside the map, operations other than query and modify, and writes of read-only codes are refused
// before anything is sent.
TEST(SnmpRequestMap, OtherCodesAreNotSupported)
{
    CSnmpSession session; // never opened: nothing may be sent
    CSnmpRequestExecutor executor(DefaultSnmpRequestMap(), session);
    uint8_t record[124] = {};
    for (uint32_t code = 0; code <= 1000; ++code) {
        if (DefaultSnmpRequestMap().Find(static_cast<uint16_t>(code)) != nullptr)
            continue;
        EmsMsg request;
        BuildEmsMsg(&request, kEmsOpQuery, static_cast<uint16_t>(code), sizeof record, record, 1);
        SnmpReplyData reply;
        ASSERT_EQ(executor.Execute(request, &reply), kDrvNotSupported) << code;
    }
    struct Row {
        uint8_t op;
        uint16_t code;
    };
    for (Row row : {Row{kEmsOpModify, 30}, Row{kEmsOpModify, 325}, Row{kEmsOpModify, 328}, Row{kEmsOpModify, 329},
                    Row{kEmsOpQuery, 332}, Row{3, 300}, Row{kEmsOpReply, 323}}) {
        EmsMsg request;
        BuildEmsMsg(&request, row.op, row.code, sizeof record, record, 1);
        SnmpReplyData reply;
        EXPECT_EQ(executor.Execute(request, &reply), kDrvNotSupported) << row.code << " op " << int(row.op);
    }
    // Logoff needs no NE.
    EmsMsg logoff;
    BuildEmsMsg(&logoff, kEmsOpModify, kReqLogoff, 1, record, 0);
    SnmpReplyData reply;
    EXPECT_EQ(executor.Execute(logoff, &reply), kDrvOk);
    EXPECT_EQ(reply.count, 0u);
    EXPECT_EQ(reply.operation, kEmsOpReply);
}

} // namespace
